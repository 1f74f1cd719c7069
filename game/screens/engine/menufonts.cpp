#include "game/screens/engine/menufonts.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/textbuf.h"
#include "core/base/trackedmemory.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/menusetup.h"
#include "game/system/picture.h"
#include "game/system/pixelformats.h"
#include "game/system/tickclock.h"

// clang-format off
FontEntry FontList[FONT_COUNT] = {
    {12, 12, "fnt12", nullptr, nullptr},    {12, 16, "fnt16", nullptr, nullptr},
    {20, 24, "fnt24", nullptr, nullptr},    {48, 30, "f_Ver30", nullptr, nullptr},
    {28, 20, "f_Ver20", nullptr, nullptr},  {16, 12, "f_Ver14", nullptr, nullptr},
    {12, 11, "seabrd11", nullptr, nullptr}, {16, 13, "seabrd13", nullptr, nullptr},
    {16, 14, "seabrd14", nullptr, nullptr}, {16, 15, "seabrd15", nullptr, nullptr},
    {16, 16, "seabrd16", nullptr, nullptr}, {20, 17, "seabrd17", nullptr, nullptr},
    {20, 20, "seabrd20", nullptr, nullptr}, {24, 24, "seabrd24", nullptr, nullptr},
    {32, 30, "seabrd30", nullptr, nullptr},
};

const uint16_t TextColourTable[TEXT_COLOUR_COUNT] = {
    0xFFFF, 0xFFEF, 0x0000, 0x001F, 0xF800, 0xF81F, 0x07E0, 0x07FF, 0xFFE0, 0x4A69,
    0x9CD3, 0x4A69, 0xCFF9, 0xCE5F, 0xFE59, 0xFF39, 0xFB2C, 0x01DF, 0xF980, 0xFAC0,
    0xFBE0, 0xFD20, 0xFE40, 0xFFFF, 0xCE5F, 0x9CDF, 0x7BFC, 0x6333,
};

IconFileEntry IconList[ICON_FILE_COUNT + 1] = {
    {1, 1, nullptr, 0, 0, nullptr},        {1, 1, "blankico", 0, 0, nullptr},
    {1, 1, "bigblock", 0, 0, nullptr},     {11, 1, "i_sq2", 23, 19, nullptr},
    {3, 1, "cards", 9, 10, nullptr},       {14, 1, "isoicons", 57, 19, nullptr},
    {1, 1, "ball", 11, 11, nullptr},       {1, 1, "ballshad", 11, 11, nullptr},
    {8, 1, "arrowtic", 45, 44, nullptr},   {1, 1, "pitch", 0, 0, nullptr},
    {1, 1, "line3", 0, 0, nullptr},        {1, 3, "tabline", 640, 1, nullptr},
    {1, 1, "bigbloc2", 0, 0, nullptr},     {11, 1, "digifont", 13, 20, nullptr},
    {2, 1, "axisbar3", 3, 131, nullptr},   {1, 1, "goldstar", 0, 0, nullptr},
    {1, 1, "squares2", 0, 0, nullptr},     {2, 1, "shootout", 18, 16, nullptr},
    {1, 1, "mouse2", 0, 0, nullptr},       {20, 1, "hourglas", 25, 25, nullptr},
    {1, 1, "mblock", 0, 0, nullptr},       {1, 1, "NewPitch", 0, 0, nullptr},
    {3, 1, "updownar", 15, 15, nullptr},   {12, 1, "traincon", 20, 20, nullptr},
    {1, 1, "pitch2", 0, 0, nullptr},       {1, 1, "pitch3", 0, 0, nullptr},
    {1, 1, "smblock1", 0, 0, nullptr},     {1, 1, "smblock2", 0, 0, nullptr},
    {1, 1, "pitch5", 0, 0, nullptr},       {3, 1, "plr_disc", 7, 7, nullptr},
    {1, 1, "pitch120", 0, 0, nullptr},     {10, 1, "PerfDisc", 17, 17, nullptr},
    {1, 1, "poohole", 0, 0, nullptr},      {1, 1, "criscrap", 0, 0, nullptr},
    {1, 1, "criscrp1", 0, 0, nullptr},     {4, 1, "train2", 20, 20, nullptr},
    {1, 1, "Tr_Pitch", 0, 0, nullptr},     {1, 1, "small_lr", 0, 0, nullptr},
    {1, 1, "tiny_lr", 0, 0, nullptr},      {10, 2, "indivtrg", 26, 19, nullptr},
    {1, 1, "border2", 0, 0, nullptr},      {1, 1, "lrarrow", 0, 0, nullptr},
    {1, 1, "ticked", 0, 0, nullptr},       {1, 1, "upnddown", 0, 0, nullptr},
    {4, 1, "Tags", 23, 24, nullptr},       {1, 1, "LeftCntr", 0, 0, nullptr},
    {1, 1, "RightCtr", 0, 0, nullptr},     {14, 2, "letter", 31, 19, nullptr},
    {1, 1, "world", 0, 0, nullptr},        {1, 1, "pin", 0, 0, nullptr},
    {1, 1, "binocs", 0, 0, nullptr},       {1, 1, "ar_up", 0, 0, nullptr},
    {1, 1, "ar_down", 0, 0, nullptr},      {1, 1, "bar", 0, 0, nullptr},
    {1, 1, "ar_Left", 0, 0, nullptr},      {1, 1, "ar_Right", 0, 0, nullptr},
    {10, 1, "Tv", 22, 24, nullptr},        {0, 0, nullptr, 0, 0, nullptr},
};
// clang-format on

IconNumberEntry IconNumberMap[END_ICON];

int16_t CurrentFontNumber = 8;
int16_t TextColourNumber = 0;
int16_t TextOpacity = 255;
char NumberTextBuffer[NUMBER_TEXT_SIZE];
int32_t CurrentNumberType = NUMBER_PLAIN;

namespace {

constexpr const char* kModule = "exm_text";
constexpr const char* kFontFolder = "menugfx\\font";
constexpr const char* kIconFolder = "menugfx\\icon";
constexpr const char* kBackgroundFolder = "menugfx\\bg";
constexpr uint32_t kFontSheetColumns = 16;
constexpr uint32_t kGlyphCount = 256;
constexpr uint32_t kGlyphBytes = 3;

// The last-use stamp of a cached block; without a running timer (tools,
// benchmarks) there is no age to tell apart.
uint32_t NowTicks() { return TimerIsRunning() ? GetTimerTicks() : 0; }

// The font a font number draws with; anything but 0..14 and 1000..1014
// would read past the font list.
int FontIndex(int fontNumber) {
    const int n = fontNumber >= FONT_SHADOW ? fontNumber - FONT_SHADOW : fontNumber;
    if (n < 0 || n >= FONT_COUNT) FatalError("Error: bad font number %d\n", fontNumber);
    return n;
}

uint16_t CurrentTextColour() {
    const int n = TextColourNumber;
    return TextColourTable[n >= 0 && n < TEXT_COLOUR_COUNT ? n : 0];
}

void TouchOrLoadFont(FontEntry& font) {
    // Both parts must be there: the memory manager purges them one by one.
    if (font.glyphs != nullptr && font.widths != nullptr) {
        const uint32_t now = NowTicks();
        SetMemTag(&font.glyphs, now);
        SetMemTag(&font.widths, now);
    } else {
        if (font.glyphs != nullptr) FreeMemory(&font.glyphs);
        if (font.widths != nullptr) FreeMemory(&font.widths);
        const char* path = MakeFileName(kFontFolder, font.fileName, "tga");
        uint32_t size = PakLoadWholeFile(path, &font.glyphs, MEM_TYPE_MANUAL_FREE);
        if (LoadImageFile(&font.glyphs, &size, 0, &ColFmt_A8B8G8R8) < 0) {
            AbortError(kModule, __LINE__, "Failed to convert font tga");
        }
        if (GFX_CutFrames(&font.glyphs, &size, GFXCUT_WIDTHS, font.cellWidth, font.cellHeight,
                          kFontSheetColumns, kGlyphCount / kFontSheetColumns, &font.widths) < 0) {
            AbortError(kModule, __LINE__, "Failed to grid font");
        }
        if (std::memcmp(font.glyphs, "GFX0", 4) != 0) FatalError("Error: LoadFont(): Bad font file\n");
        ColConvMemory(&font.glyphs, kGlyphCount * uint32_t(font.cellWidth) * uint32_t(font.cellHeight),
                      GFX0_HEADER_SIZE, &ColFmt_A8B8G8R8, &ColFmt_B8G8R8);
    }
    SetMemType(&font.glyphs, MEM_TYPE_AUTO_FREE);
    SetMemType(&font.widths, MEM_TYPE_AUTO_FREE);
}

bool IsKey(uint32_t pixel) { return (pixel & 0xFFFFFF) == GFX_TRANSPARENT_COLOUR; }

}  // namespace

void MeasureIconPicture(const uint8_t* picture, int16_t* frameWidth, int16_t* frameHeight) {
    const int width = recbits::LoadU16(picture + GFX0_WIDTH),
              height = recbits::LoadU16(picture + GFX0_HEIGHT);
    int measuredWidth = 1, measuredHeight = 1;
    for (int y = 1; y < height; ++y) {
        for (int x = 1; x < width; ++x) {
            uint32_t pixel;
            std::memcpy(&pixel, picture + GFX0_HEADER_SIZE + (size_t(y) * width + x) * 4, 4);
            if (IsKey(pixel)) continue;
            measuredWidth = std::max(measuredWidth, x + 1);
            measuredHeight = std::max(measuredHeight, y + 1);
        }
    }
    *frameWidth = int16_t(measuredWidth);
    *frameHeight = int16_t(measuredHeight);
}

namespace {

void CheckIconNumber(int icon, const char* function) {
    if (icon < 1 || icon >= END_ICON) FatalError("Error: %s(): Bad icon number: %d\n", function, icon);
}

// The part of an archive name after "<folder>\\", without a ".tga"
// ending; false for names too short to lie in the folder.
bool FileBaseName(const char* name, const char* folder, char* out, size_t outSize) {
    const size_t prefix = std::strlen(folder) + 1;
    if (std::strlen(name) < prefix) return false;
    std::snprintf(out, outSize, "%s", name + prefix);
    const size_t length = std::strlen(out);
    if (length > 4 && strcasecmp(out + length - 4, ".tga") == 0) out[length - 4] = '\0';
    return true;
}

template <typename Named>
void NoteUnlistedFiles(const char* folder, const char* listName, Named isListed) {
    char pattern[64];
    std::snprintf(pattern, sizeof pattern, "%s\\", folder);
    const int search = PakFileSearchStart(pattern, 1);
    while (const char* name = PakFileSearchNext(search)) {
        char base[80];
        if (!FileBaseName(name, folder, base, sizeof base)) continue;
        if (!isListed(base)) {
            std::printf("Note: file '%s.TGA' in %s but not in %s list\n", base, folder, listName);
        }
    }
    PakFileSearchEnd(search);
}

}  // namespace

// Kept to 0..255: a blend past full coverage would overshoot the colour.
void SetTextOpacity(int16_t value) { TextOpacity = std::clamp<int16_t>(value, 0, 255); }

void LoadFont(int font) {
    if (font < 0 || font >= FONT_COUNT) FatalError("Error: LoadFont(): bad font number %d\n", font);
    TouchOrLoadFont(FontList[font]);
}

void GetStringExtent(const char* text, int16_t* width, int16_t* height) {
    const int n = FontIndex(CurrentFontNumber);
    LoadFont(n);
    const FontEntry& font = FontList[n];
    int sum = 0;
    for (const char* c = text; *c != '\0'; ++c) sum += font.widths[uint8_t(*c)];
    if (width != nullptr) *width = int16_t(sum);
    if (height != nullptr) *height = font.cellHeight;
}

void DrawGlyph(int x, int y, int width, int height, const uint8_t* glyph, int rowSkip, uint16_t colour) {
    const int rowBytes = (width + rowSkip) * int(kGlyphBytes);
    BlendCoverageToBackBuffer(x, y, width, height, glyph, rowBytes, colour, TextOpacity);
}

namespace {
std::vector<DrawnString>* g_drawnLog = nullptr;

// The box of the string's ink: from the first to the last character that
// is not a blank, and from the highest to the lowest row any of them covers.
void LogDrawnString(const char* text, int x, int y, const FontEntry& font) {
    const size_t glyphBytes = size_t(font.cellWidth) * size_t(font.cellHeight) * kGlyphBytes;
    int left = x, right = x, pen = x, top = font.cellHeight, bottom = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        const uint8_t code = uint8_t(*c);
        const int width = font.widths[code];
        const uint8_t* glyph = font.glyphs + GFX0_HEADER_SIZE + code * glyphBytes;
        for (int row = 0; row < font.cellHeight; ++row) {
            for (int column = 0; column < width; ++column) {
                if (glyph[(size_t(row) * size_t(font.cellWidth) + size_t(column)) * kGlyphBytes] == 0)
                    continue;
                if (top > bottom) left = pen;
                top = std::min(top, row);
                bottom = std::max(bottom, row + 1);
                right = pen + width;
            }
        }
        pen += width;
    }
    if (top < bottom) g_drawnLog->push_back({text, left, y + top, right - left, bottom - top});
}
}  // namespace

void SetDrawnStringLog(std::vector<DrawnString>* log) { g_drawnLog = log; }

void DrawFontString(const char* text, int x, int y) {
    const bool shadow = CurrentFontNumber >= FONT_SHADOW;
    const int n = FontIndex(CurrentFontNumber);
    LoadFont(n);
    const FontEntry& font = FontList[n];
    if (g_drawnLog != nullptr) LogDrawnString(text, x, y, font);
    const uint16_t colour = CurrentTextColour();
    const size_t glyphBytes = size_t(font.cellWidth) * size_t(font.cellHeight) * kGlyphBytes;
    for (const char* c = text; *c != '\0'; ++c) {
        const uint8_t code = uint8_t(*c);
        const uint8_t* glyph = font.glyphs + GFX0_HEADER_SIZE + code * glyphBytes;
        const int width = font.widths[code];
        if (shadow) DrawGlyph(x + 1, y + 1, width, font.cellHeight, glyph, font.cellWidth - width, 0x0000);
        DrawGlyph(x, y, width, font.cellHeight, glyph, font.cellWidth - width, colour);
        x += width;
    }
}

void LoadIconFile(IconFileEntry* entry) {
    // Pictures converted for another screen format would be read with the
    // wrong pixel size: all of them are loaded again.
    static ColFmt convertedFor{};
    if (ColFmtEqual(&convertedFor, MenuScreenFormat()) == 0) {
        for (IconFileEntry& icon : IconList) {
            if (icon.picture != nullptr) FreeMemory(&icon.picture);
        }
        convertedFor = *MenuScreenFormat();
    }
    if (entry->picture != nullptr) {
        SetMemTag(&entry->picture, NowTicks());
        return;
    }
    char path[80];
    std::snprintf(path, sizeof path, "%s", MakeFileName(kIconFolder, entry->fileName, "tga"));
    // Kept from purging until it is whole.
    const uint32_t size = PakLoadWholeFile(path, &entry->picture, MEM_TYPE_MANUAL_FREE);
    IconFileToFrames(entry, size, path);
}

void IconFileToFrames(IconFileEntry* entry, uint32_t size, const char* path) {
    if (LoadImageFile(&entry->picture, &size, 0, &ColFmt_A8B8G8R8) < 0) {
        FatalError("Error: LoadIconFile(): Failed to convert %s\n", path);
    }
    if (std::memcmp(entry->picture, "GFX0", 4) != 0) {
        FatalError("Error: LoadIconFile(): Bad icon file: '%s'\n", path);
    }
    if (entry->frameWidth == 0 && entry->frameHeight == 0) {
        MeasureIconPicture(entry->picture, &entry->frameWidth, &entry->frameHeight);
    }
    if (GFX_CutFrames(&entry->picture, &size, 0, entry->frameWidth, entry->frameHeight, entry->columns,
                      entry->rows, nullptr) < 0) {
        FatalError("Error: failed to grid icon file %s\n", path);
    }
    const uint64_t frames = uint64_t(entry->columns) * uint64_t(entry->rows);
    const uint64_t pixels = uint64_t(entry->frameWidth) * uint64_t(entry->frameHeight) * frames;
    if (size != GFX0_HEADER_SIZE + pixels * 4) {
        FatalError("Error: LoadIconFile(): icon file '%s' is wrong size\n", path);
    }
    ColConvMemory(&entry->picture, uint32_t(pixels), GFX0_HEADER_SIZE, &ColFmt_A8B8G8R8, MenuScreenFormat());
    SetMemType(&entry->picture, MEM_TYPE_AUTO_FREE);
}

const uint8_t* GetIconAddress(int icon) {
    CheckIconNumber(icon, "GetIconAddress");
    IconFileEntry& entry = IconList[IconNumberMap[icon].file];
    LoadIconFile(&entry);
    const uint8_t* picture = entry.picture;
    const int frames = recbits::LoadU16(picture + GFX0_FRAMES);
    const int frame = IconNumberMap[icon].frame;
    if (frame >= frames) {
        FatalError("Error: GetIconAddress(): Bad index into icon file ('%s' has %d frames)\n", entry.fileName,
                   frames);
    }
    const size_t frameBytes = size_t(recbits::LoadU16(picture + GFX0_WIDTH)) *
                              recbits::LoadU16(picture + GFX0_HEIGHT) * size_t(MenuBytesPerPixel());
    return picture + GFX0_HEADER_SIZE + size_t(frame) * frameBytes;
}

void GetIconSize(int icon, int16_t* width, int16_t* height) {
    CheckIconNumber(icon, "GetIconSize");
    IconFileEntry& entry = IconList[IconNumberMap[icon].file];
    LoadIconFile(&entry);
    if (width != nullptr) *width = entry.frameWidth;
    if (height != nullptr) *height = entry.frameHeight;
}

void InitIconLists() {
    std::printf("\n-- checking icon list for errors...\n");
    int iconNumber = 0;
    for (int index = 0; IconList[index].columns * IconList[index].rows != 0; ++index) {
        const IconFileEntry& entry = IconList[index];
        if (entry.fileName != nullptr && !PakCheckFile(MakeFileName(kIconFolder, entry.fileName, "tga"))) {
            std::printf("Warning: no icon file %d (%s)\n", index, entry.fileName);
        }
        for (int frame = 0; frame < entry.columns * entry.rows; ++frame) {
            if (iconNumber >= END_ICON)
                AbortError(kModule, __LINE__, "InitIconLists(): IconList not in sync");
            IconNumberMap[iconNumber++] = {int16_t(index), int16_t(frame)};
        }
    }
    if (iconNumber != END_ICON) {
        char message[160];
        std::snprintf(message, sizeof message,
                      "InitIconLists() %s line %d: IconList not in sync. IconNo: %d END_ICON: %d", __FILE__,
                      __LINE__, iconNumber, END_ICON);
        AbortError(kModule, __LINE__, message);
    }
    NoteUnlistedFiles(kIconFolder, "icon", [](const char* base) {
        for (const IconFileEntry* e = IconList; e->columns * e->rows != 0; ++e) {
            if (e->fileName != nullptr && strcasecmp(e->fileName, base) == 0) return true;
        }
        return false;
    });

    std::printf("\n-- checking background list for errors...\n");
    if (BackgroundList[BACKGROUND_COUNT - 1].name == nullptr ||
        BackgroundList[BACKGROUND_COUNT].name != nullptr) {
        AbortError(kModule, __LINE__, "InitIconLists(): backgrounds not in sync");
    }
    for (int n = 0; n < BACKGROUND_COUNT; ++n) {
        const char* name = BackgroundList[n].name;
        if (name == nullptr || !PakCheckFile(MakeFileName(kBackgroundFolder, name, "tga"))) {
            std::printf("Warning: no background file %d (%s)\n", n, name != nullptr ? name : "");
        }
    }
    NoteUnlistedFiles(kBackgroundFolder, "background", [](const char* base) {
        for (int n = 0; n < BACKGROUND_COUNT; ++n) {
            if (BackgroundList[n].name != nullptr && strcasecmp(BackgroundList[n].name, base) == 0)
                return true;
        }
        return false;
    });
    std::printf("\n-- end of checks\n\n");
}

namespace {

// Language texts that supply the words of the money formats.
constexpr int16_t kTextDecimalSeparator = 435;
constexpr int16_t kTextBillions = 436;
constexpr int16_t kTextMillions = 437;
constexpr int16_t kTextThousands = 438;
constexpr int16_t kTextOrdinalSt = 263;
constexpr int16_t kTextOrdinalNd = 264;
constexpr int16_t kTextOrdinalRd = 265;
constexpr int16_t kTextOrdinalTh = 266;

// Appends to NumberTextBuffer, cutting what does not fit.
class NumberText : public BoundedText {
  public:
    NumberText() : BoundedText(NumberTextBuffer, NUMBER_TEXT_SIZE) {}
};

// An amount split into groups of three digits.
struct MoneyGroups {
    bool negative;
    int billions, millions, thousands, units;
};

MoneyGroups SplitMoney(int32_t value) {
    int64_t a = value < 0 ? -int64_t(value) : int64_t(value);
    return {value < 0, int(a / 1000000000), int(a / 1000000 % 1000), int(a / 1000 % 1000), int(a % 1000)};
}

// A lower group as fraction digits without trailing zeros.
void AddFraction(NumberText& out, int group) {
    if (group % 100 == 0) {
        out.Add("%d", group / 100);
    } else if (group % 10 == 0) {
        out.Add("%02d", group / 10);
    } else {
        out.Add("%03d", group);
    }
}

// Writes the leading group, its next group as a fraction and the suffix;
// returns false when every group above the units is 0.
bool AddLeadingGroup(NumberText& out, const MoneyGroups& g, bool oneDigit) {
    const int groups[3] = {g.billions, g.millions, g.thousands};
    const int next[3] = {g.millions, g.thousands, g.units};
    constexpr int16_t suffix[3] = {kTextBillions, kTextMillions, kTextThousands};
    for (int i = 0; i < 3; ++i) {
        if (groups[i] <= 0) continue;
        out.Add("%d", groups[i]);
        if (next[i] > 0) {
            out.Add("%s", GetText(kTextDecimalSeparator));
            if (oneDigit) {
                out.Add("%d", next[i] / 100);
            } else {
                AddFraction(out, next[i]);
            }
        }
        out.Add("%s", GetText(suffix[i]));
        return true;
    }
    return false;
}

const char* OrdinalSuffix(int16_t n) {
    if (n % 10 == 1 && n % 100 != 11) return GetText(kTextOrdinalSt);
    if (n % 10 == 2 && n % 100 != 12) return GetText(kTextOrdinalNd);
    if (n % 10 == 3 && n % 100 != 13) return GetText(kTextOrdinalRd);
    return GetText(kTextOrdinalTh);
}

}  // namespace

const char* Price2str(int32_t value) {
    MoneyGroups g = SplitMoney(value);
    if (g.billions > 999) FatalError("Price2str(): More than billions passed in ?!?");
    NumberText out;
    if (g.negative) out.Add("-");
    out.Add("%s", GetText(kTextCurrency));
    if (!AddLeadingGroup(out, g, false)) out.Add("%d", g.units);
    return NumberTextBuffer;
}

const char* Price2strPlain(int32_t value) {
    NumberText out;
    if (value == 0) {
        out.Add("%s", GetText(kTextNil));
        return NumberTextBuffer;
    }
    MoneyGroups g = SplitMoney(value);
    if (g.negative) out.Add("-");
    if (!AddLeadingGroup(out, g, true)) out.Add("%d", g.units);
    return NumberTextBuffer;
}

const char* Price2strFull(int32_t value) {
    const MoneyGroups g = SplitMoney(value);
    NumberText out;
    if (g.negative) out.Add("-");
    out.Add("%s", GetText(kTextCurrency));
    const int groups[4] = {g.billions, g.millions, g.thousands, g.units};
    int first = 0;
    while (first < 3 && groups[first] == 0) ++first;
    out.Add("%d", groups[first]);
    for (int i = first + 1; i < 4; ++i) out.Add(",%03d", groups[i]);
    return NumberTextBuffer;
}

void OrdinalStr(char* buffer, int16_t n) {
    std::snprintf(buffer, NUMBER_TEXT_SIZE, "%d%s", n, OrdinalSuffix(n));
}

const char* Number2Str(int32_t value) {
    switch (CurrentNumberType) {
        case NUMBER_PLAIN:
            std::snprintf(NumberTextBuffer, sizeof NumberTextBuffer, "%d", value);
            break;
        case NUMBER_MONEY:
            return Price2str(value);
        case NUMBER_MONEY_PLAIN:
            return Price2strPlain(value);
        case NUMBER_ORDINAL:
            OrdinalStr(NumberTextBuffer, int16_t(value));
            break;
        case NUMBER_TWO_DIGITS:
            std::snprintf(NumberTextBuffer, sizeof NumberTextBuffer, "%02d", value % 100);
            break;
        default:
            FatalError("Number2Str(): Invalid number type (%d)\n", CurrentNumberType);
    }
    return NumberTextBuffer;
}
