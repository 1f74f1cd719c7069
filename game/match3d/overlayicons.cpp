#include "game/match3d/overlayicons.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/match3d/iconpages.h"
#include "game/system/device3d.h"
#include "game/system/display2d.h"
#include "game/system/picture.h"
#include "game/system/pixelformats.h"
#include "game/system/textures3d.h"

namespace {
// A row without a grid takes its picture's size when loaded; each match
// starts again from these rows.
constexpr IconEntry kIconFileRows[kIconFiles] = {
    {"fonts\\fnt24", 0, kIconFlagWidths | kIconFlagTinted, 20, 24, 16, 16, nullptr, nullptr},
    {"fonts\\fnt16", 0, kIconFlagWidths | kIconFlagTinted, 12, 16, 16, 16, nullptr, nullptr},
    {"fonts\\fnt12", 0, kIconFlagWidths | kIconFlagTinted, 12, 12, 16, 16, nullptr, nullptr},
    {"pointers\\mouse", 0, 0, 0, 0, 0, 0, nullptr, nullptr},
};
}  // namespace

IconEntry IconFileTable[kIconFiles] = {kIconFileRows[0], kIconFileRows[1], kIconFileRows[2],
                                       kIconFileRows[3]};

namespace {

constexpr const char* kModule = "zud3d\\d3dicon.c";
// The source lines the loading's and the section's stops name.
constexpr int kSectionRangeLine = 194;
constexpr int kConvertLine = 599;
constexpr int kGridLine = 611;
constexpr const char* kIconDirectory = "zudata\\d3d\\icons";
constexpr int kPrintfBufferSize = 512;
constexpr uint32_t kWorldBoxFormat = 0x52;  // position, normal, diffuse
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kOpaqueBlack = 0xFF000000;

constexpr uint32_t Argb(uint32_t alpha, uint32_t rgb) { return alpha << 24 | rgb; }

constexpr std::array<uint32_t, kColourListSize> InitialColours() {
    constexpr uint32_t kBlack = 0x000000, kWhiteRgb = 0xFFFFFF, kRed = 0xFF0000, kGreen = 0x00FF00;
    constexpr uint32_t kSteps[10] = {0x19, 0x33, 0x4C, 0x66, 0x7F, 0x99, 0xB2, 0xCC, 0xE5, 0xFF};
    std::array<uint32_t, kColourListSize> c{};
    c[0] = Argb(0xFF, kBlack);
    c[1] = Argb(0xFF, kWhiteRgb);
    c[2] = Argb(0xFF, kRed);
    c[3] = Argb(0xFF, kGreen);
    c[4] = Argb(0xFF, 0x0000FF);
    c[5] = Argb(0xFF, 0x00FFFF);
    c[6] = Argb(0xFF, 0xFF00FF);
    c[7] = Argb(0xFF, 0xFFFF00);
    c[8] = Argb(0x3F, kBlack);
    c[9] = Argb(0x7F, kBlack);
    c[10] = Argb(0xBF, kBlack);
    c[11] = Argb(0x3F, kWhiteRgb);
    c[12] = Argb(0x7F, kWhiteRgb);
    c[13] = Argb(0xBF, kWhiteRgb);
    c[14] = 0x7F000026;
    c[15] = 0x3F000026;
    c[16] = 0xBF001426;
    c[17] = 0x00000000;
    for (int i = 0; i < 10; ++i) {
        c[18 + i] = Argb(kSteps[i], kBlack);
        c[28 + 2 * i] = Argb(kSteps[i], kRed);
        c[29 + 2 * i] = Argb(kSteps[i], kGreen);
    }
    for (int i = 0; i < 9; ++i) c[48 + i] = Argb(kSteps[i], kGreen);
    return c;
}

struct ScreenVertex {
    float x, y, z, rhw;
    uint32_t diffuse, specular;
    float u, v;
};
struct WorldVertex {
    float x, y, z, nx, ny, nz;
    uint32_t diffuse;
};
static_assert(sizeof(ScreenVertex) == 32 && sizeof(WorldVertex) == 28);

int OriginX = 0;
int OriginY = 0;

const IconEntry& FileOf(uint32_t icon) {
    const uint32_t row = icon >> 16;
    if (row >= uint32_t(kIconFiles) || IconFileTable[row].icons == nullptr ||
        (icon & 0xFFFF) >= IconFileTable[row].columns * IconFileTable[row].rows) {
        AbortError(kModule, __LINE__, "Icon: invalid icon");
    }
    return IconFileTable[row];
}

uint32_t CellIcon(uint32_t icon) { return FileOf(icon).icons[icon & 0xFFFF]; }

uint32_t ListColour(int colour) {
    if (colour < 0 || colour >= kColourListSize)
        AbortError(kModule, __LINE__, "Icon: colour index out of range");
    return ColourList[colour];
}

// The colour a file's icons are drawn in.
uint32_t TintOf(const IconEntry& file, int colour) {
    return (file.flags & kIconFlagTinted) ? ListColour(colour) : kWhite;
}

// Moves an anchor to the top-left corner of a width x height box.
void AlignScreen(int* x, int* y, int width, int height, uint8_t align) {
    switch (align >> 4) {
        case 2:
            *x -= width / 2;
            break;
        case 3:
            *x -= width;
            break;
    }
    switch (align & 0xF) {
        case 2:
            *y -= height / 2;
            break;
        case 3:
            *y -= height;
            break;
    }
}

void AlignSpace(float* x, float* y, float width, float height, uint8_t align) {
    switch (align >> 4) {
        case 2:
            *x -= width * 0.5f;
            break;
        case 3:
            *x -= width;
            break;
    }
    switch (align & 0xF) {
        case 2:
            *y -= height * 0.5f;
            break;
        case 3:
            *y -= height;
            break;
    }
}

uint32_t CharacterWidth(const IconEntry& file, unsigned char character) {
    return file.widths != nullptr ? file.widths[character] : file.cellWidth;
}

const IconEntry& FontFile(uint32_t font) {
    if (font >= uint32_t(kIconFiles) || IconFileTable[font].icons == nullptr ||
        IconFileTable[font].columns * IconFileTable[font].rows < 256) {
        AbortError(kModule, __LINE__, "Icon: invalid font");
    }
    return IconFileTable[font];
}

void PrintScreen(uint32_t font, int x, int y, uint8_t align, int colour, const char* text) {
    const IconEntry& file = FontFile(font);
    const int length = int(std::strlen(text));
    AlignScreen(&x, &y, int(Icon_TextWidth(font, text, length)), int(file.cellHeight), align);
    x += OriginX;
    y += OriginY;
    const uint32_t tint = TintOf(file, colour);
    for (int i = 0; i < length; ++i) {
        const unsigned char character = static_cast<unsigned char>(text[i]);
        GfxMgr_DrawIconNaturalColour(file.icons[character], float(x), float(y), tint);
        x += int(CharacterWidth(file, character));
    }
}

}  // namespace

// The list starts from its fixed values; the match display replaces some.
std::array<uint32_t, kColourListSize> ColourList = InitialColours();

void Icon_Init() {
    GfxMgr_Init();
    GfxMgr_CreateStart();
    for (int row = 0; row < kIconFiles; ++row) {
        if (IconFileTable[row].icons == nullptr) IconFileTable[row] = kIconFileRows[row];
        ProcessIconFile(row);
    }
    GfxMgr_Upload();
}

void Icon_Uninit() {
    for (IconEntry& entry : IconFileTable) {
        if (entry.icons != nullptr) FreeMemory(&entry.icons);
        if (entry.widths != nullptr) FreeMemory(&entry.widths);
    }
    GfxMgr_Destroy();
    GfxMgr_Free();
}

void ProcessIconFile(int row) {
    IconEntry& entry = IconFileTable[row];
    std::printf("-- loading icon %s\n", entry.file);
    const char* path = MakeFileName(kIconDirectory, entry.file, "tga");
    uint8_t* block = nullptr;
    uint32_t size = PakLoadWholeFile(path, &block, MEM_TYPE_MANUAL_NO_MOVE);
    if (LoadImageFile(&block, &size, 0, &ColFmt_A8B8G8R8) < 0) {
        AbortError(kModule, kConvertLine, "Error converting icon file");
    }
    if (entry.cellWidth != 0 && entry.cellHeight != 0 && entry.columns != 0 && entry.rows != 0) {
        std::printf("grid specified - resizing source image %d x %d\n",
                    int(recbits::LoadU16(block + GFX0_WIDTH)), int(recbits::LoadU16(block + GFX0_HEIGHT)));
        std::printf("to grid %d x %d (%d x %d items)\n", int(entry.cellWidth), int(entry.cellHeight),
                    int(entry.columns), int(entry.rows));
        const uint32_t mode = (entry.flags & kIconFlagWidths) ? GFXCUT_WIDTHS : 0;
        if (GFX_CutFrames(&block, &size, mode, int(entry.cellWidth), int(entry.cellHeight),
                          int(entry.columns), int(entry.rows), &entry.widths) < 0) {
            AbortError(kModule, kGridLine, "Error gridding icon file");
        }
    } else {
        std::printf("no size specified - using full image\n");
        entry.cellWidth = recbits::LoadU16(block + GFX0_WIDTH);
        entry.cellHeight = recbits::LoadU16(block + GFX0_HEIGHT);
        entry.columns = entry.rows = 1;
    }
    const uint32_t width = recbits::LoadU16(block + GFX0_WIDTH),
                   height = recbits::LoadU16(block + GFX0_HEIGHT);
    const uint32_t frames = recbits::LoadU16(block + GFX0_FRAMES);
    std::printf("got gfx0 data - %d x %d - %d frames\n", int(width), int(height), int(frames));
    if (size != GFX0_HEADER_SIZE + uint64_t(width) * height * frames * 4) {
        FatalError("Error: ProcessIconFile(): file format wrong - incorrect file size\n");
    }
    const uint32_t format = uint32_t(
        D3DTexFindTextureFormat(entry.formatKind == 0 ? D3DTEX_FORMAT_SEMITRANSPARENT : D3DTEX_FORMAT_SOLID));
    const ColFmt* textureFormat = D3DTexGetTextureFormat(int(format));
    ColConvMemory(&block, width * height * frames, GFX0_HEADER_SIZE, &ColFmt_A8B8G8R8, textureFormat);
    AllocateMemory(&entry.icons, frames * uint32_t(sizeof(uint32_t)), MEM_TYPE_MANUAL_NO_MOVE);
    const size_t frameBytes = size_t(width) * height * textureFormat->bytes;
    for (uint32_t i = 0; i < frames; ++i) {
        entry.icons[i] = GfxMgr_Create(block + GFX0_HEADER_SIZE + i * frameBytes, width, height, format);
    }
    FreeMemory(&block);
}

void AddIcon_ColourList(int index, float red, float green, float blue, float alpha) {
    if (index < 0 || index >= kColourListSize) FatalError("Error: AddIcon_ColourList, %d", index);
    auto byte = [](float component) { return uint32_t(component * 255.0f) & 0xFF; };
    ColourList[index] = byte(alpha) << 24 | byte(red) << 16 | byte(green) << 8 | byte(blue);
}

void Icon_SetOrigin(int x, int y, uint8_t align) {
    const int width = int(GfxGetScreenWidth()), height = int(GfxGetScreenHeight());
    switch (align >> 4) {
        case 2:
            x += width / 2;
            break;
        case 3:
            x += width;
            break;
    }
    switch (align & 0xF) {
        case 2:
            y += height / 2;
            break;
        case 3:
            y += height;
            break;
    }
    OriginX = x;
    OriginY = y;
}

uint32_t Icon_GetCellWidth(uint32_t icon) { return FileOf(icon).cellWidth; }
uint32_t Icon_GetCellHeight(uint32_t icon) { return FileOf(icon).cellHeight; }

void Icon_DrawSection(uint32_t icon, int x, int y, int sectionX, int sectionY, int sectionWidth,
                      int sectionHeight, uint8_t align, int colour) {
    const IconEntry& file = FileOf(icon);
    if (sectionX < 0 || sectionY < 0 || sectionWidth < 0 || sectionHeight < 0 ||
        uint32_t(sectionX + sectionWidth) > file.cellWidth ||
        uint32_t(sectionY + sectionHeight) > file.cellHeight) {
        AbortError(kModule, kSectionRangeLine, "Icon_DrawSection(): section out of range");
    }
    AlignScreen(&x, &y, sectionWidth, sectionHeight, align);
    x += OriginX;
    y += OriginY;
    GfxMgr_DrawIcon(CellIcon(icon), float(x), float(y), float(sectionWidth), float(sectionHeight),
                    TintOf(file, colour));
}

void Icon_DrawBox(int x, int y, int width, int height, uint8_t align, int colour) {
    AlignScreen(&x, &y, width, height, align);
    const uint32_t argb = ListColour(colour);
    const float x0 = float(x + OriginX) - 0.5f, y0 = float(y + OriginY) - 0.5f;
    const float x1 = x0 + float(width), y1 = y0 + float(height);
    const ScreenVertex quad[4] = {
        {x0, y0, 0.0f, 1.0f, argb, kOpaqueBlack, 0.0f, 0.0f},
        {x1, y0, 0.0f, 1.0f, argb, kOpaqueBlack, 0.0f, 0.0f},
        {x1, y1, 0.0f, 1.0f, argb, kOpaqueBlack, 0.0f, 0.0f},
        {x0, y1, 0.0f, 1.0f, argb, kOpaqueBlack, 0.0f, 0.0f},
    };
    D3DTexSetCurrentHandle(D3DTEX_NO_TEXTURE);
    D3DDrawPrimitive(plat::kPtTriangleFan, kScreenQuadFormat, quad, 4);
}

void Icon_DrawBox3D(float x, float y, float z, float width, float height, uint8_t align, int colour) {
    AlignSpace(&x, &y, width, height, align);
    const uint32_t argb = ListColour(colour);
    const float x1 = x + width, y1 = y + height;
    const WorldVertex quad[4] = {
        {x, y, z, 0.0f, 0.0f, -1.0f, argb},
        {x1, y, z, 0.0f, 0.0f, -1.0f, argb},
        {x1, y1, z, 0.0f, 0.0f, -1.0f, argb},
        {x, y1, z, 0.0f, 0.0f, -1.0f, argb},
    };
    D3DTexSetCurrentHandle(D3DTEX_NO_TEXTURE);
    D3DDrawPrimitive(plat::kPtTriangleFan, kWorldBoxFormat, quad, 4);
}

uint32_t Icon_TextWidth(uint32_t font, const char* text, int length) {
    const IconEntry& file = FontFile(font);
    uint32_t width = 0;
    for (int i = 0; i < length; ++i) width += CharacterWidth(file, static_cast<unsigned char>(text[i]));
    return width;
}

void Icon_DrawText(uint32_t font, const char* text, int length, float x, float y, float z, uint8_t align,
                   int colour) {
    const IconEntry& file = FontFile(font);
    AlignSpace(&x, &y, float(Icon_TextWidth(font, text, length)), float(file.cellHeight), align);
    const bool tinted = (file.flags & kIconFlagTinted) != 0;
    const uint32_t tint = tinted ? ListColour(colour) : kWhite;
    for (int i = 0; i < length; ++i) {
        const unsigned char character = static_cast<unsigned char>(text[i]);
        if (tinted) {
            GfxMgr_DrawIconAtColour(file.icons[character], x, y, z, 1.0f, tint);
        } else {
            GfxMgr_DrawIconAt(file.icons[character], x, y, z, 1.0f);
        }
        x += float(CharacterWidth(file, character));
    }
}

void Icon_Printf(uint32_t font, float x, float y, float z, uint8_t align, const char* format, ...) {
    char text[kPrintfBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    Icon_DrawText(font, text, int(std::strlen(text)), x, y, z, align, 1);
}

void Icon_PrintfColour(int colour, uint32_t font, float x, float y, float z, uint8_t align,
                       const char* format, ...) {
    char text[kPrintfBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    Icon_DrawText(font, text, int(std::strlen(text)), x, y, z, align, colour);
}

void Icon_PrintfScreen(uint32_t font, int x, int y, uint8_t align, int colour, const char* format, ...) {
    char text[kPrintfBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    PrintScreen(font, x, y, align, colour, text);
}

void Icon_DrawIcon3D(uint32_t icon, float x, float y, float z, uint8_t align) {
    const IconEntry& file = FileOf(icon);
    AlignSpace(&x, &y, float(file.cellWidth), float(file.cellHeight), align);
    GfxMgr_DrawIconAt(CellIcon(icon), x, y, z, 1.0f);
}
