#include "tools/datakit/menufonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstring>
#include <string>

#include "core/base/bytes.h"
#include "core/base/trackedmemory.h"
#include "game/screens/engine/menufonts.h"
#include "game/system/picture.h"
#include "tools/datakit/stage.h"
#include "tools/datakit/worldtext.h"

namespace datakit {
namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kYellow = 0xFFFFFF00u;
constexpr int kSheetColumns = 16;

// The Unicode character of every Windows-1252 byte; 0 where the code page
// has none (control codes and the five unused bytes).
std::array<uint32_t, 256> Cp1252CodePoints() {
    std::array<uint32_t, 256> table{};
    for (uint32_t cp = 0x20; cp < 0x2200; ++cp) {
        if (cp == 0x7F || (cp >= 0x80 && cp < 0xA0)) continue;
        if (std::optional<uint8_t> byte = CodePointTo1252(cp)) table[*byte] = cp;
    }
    return table;
}

// Plain text fonts in the regular face; the display fonts (the title and
// board lettering) in bold, condensed where the cells are narrow.
const char* FaceFile(const std::string& name) {
    if (name.rfind("fnt", 0) == 0) return "DejaVuSans.ttf";
    if (name.rfind("f_Ver", 0) == 0) return "DejaVuSans-Bold.ttf";
    return "DejaVuSansCondensed-Bold.ttf";
}

struct FaceHandle {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~FaceHandle() {
        if (face != nullptr) FT_Done_Face(face);
        if (library != nullptr) FT_Done_FreeType(library);
    }
};

int Ascender(FT_Face face) { return int((face->size->metrics.ascender + 63) >> 6); }
int Descender(FT_Face face) { return int((-face->size->metrics.descender + 63) >> 6); }

int AdvanceOf(FT_Face face, uint32_t codePoint) {
    if (FT_Load_Char(face, codePoint, FT_LOAD_DEFAULT) != 0) return 0;
    return int((face->glyph->advance.x + 32) >> 6);
}

// The largest size whose line fits the cell height and whose widest
// ordinary capitals fit the cell width.
void ChooseSize(FT_Face face, int cellWidth, int cellHeight, const char* name) {
    for (int size = cellHeight; size >= 4; --size) {
        FT_Set_Pixel_Sizes(face, 0, FT_UInt(size));
        if (Ascender(face) + Descender(face) > cellHeight) continue;
        if (AdvanceOf(face, 'W') >= cellWidth || AdvanceOf(face, 'M') >= cellWidth) continue;
        return;
    }
    DatakitFail("font %s: no size fits its %dx%d cells", name, cellWidth, cellHeight);
}

// Renders one character into its cell, ink kept inside [0, advance) and the
// cell height; returns the ink coverage it left.
uint32_t RenderGlyph(FT_Face face, uint32_t codePoint, int advance, int naturalAdvance, int baseline,
                     Picture& sheet, int cellX, int cellY, int cellHeight) {
    FT_Matrix squeeze = {0x10000, 0, 0, 0x10000};
    if (naturalAdvance > advance && naturalAdvance > 0)
        squeeze.xx = FT_Fixed(0x10000L * advance / naturalAdvance);
    FT_Set_Transform(face, &squeeze, nullptr);
    const bool loaded = FT_Load_Char(face, codePoint, FT_LOAD_RENDER) == 0;
    FT_Set_Transform(face, nullptr, nullptr);
    if (!loaded) return 0;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    const int left = face->glyph->bitmap_left, top = baseline - face->glyph->bitmap_top;
    uint32_t ink = 0;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        for (unsigned column = 0; column < bitmap.width; ++column) {
            const int x = left + int(column), y = top + int(row);
            if (x < 0 || x >= advance || y < 0 || y >= cellHeight) continue;
            const uint8_t a = bitmap.buffer[int(row) * bitmap.pitch + int(column)];
            uint32_t& pixel = sheet.pixels[size_t(cellY + y) * sheet.width + size_t(cellX + x)];
            const uint8_t old = uint8_t(pixel);
            if (a > old) pixel = kBlack | uint32_t(a) * 0x010101u;
            ink += a;
        }
    }
    return ink;
}

bool MustHaveInk(int code) {
    return (code > 0x20 && code < 0x7F) || code == 0x80 || code == 0xA3 ||
           (code >= 0xC0 && code != 0xD7 && code != 0xF7);
}

// Reads the picture back as the game does and checks what it finds.
void CheckThroughLoaders(const DrawnFont& drawn, const FontEntry& font) {
    const std::vector<uint8_t> tga = TgaWrite(drawn.sheet);
    uint8_t* block = nullptr;
    AllocateMemory(&block, uint32_t(tga.size()), MEM_TYPE_MANUAL_FREE);
    std::memcpy(block, tga.data(), tga.size());
    uint32_t size = uint32_t(tga.size());
    uint8_t* widths = nullptr;
    if (LoadImageFile(&block, &size, 0, &ColFmt_A8B8G8R8) < 0 ||
        GFX_CutFrames(&block, &size, GFXCUT_WIDTHS, font.cellWidth, font.cellHeight, kSheetColumns,
                      kSheetColumns, &widths) < 0) {
        DatakitFail("font %s: the game cannot read its picture", font.fileName);
    }
    const uint32_t frames = recbits::LoadU16(block + GFX0_FRAMES);
    if (frames != 256 || size != GFX0_HEADER_SIZE + 256u * uint32_t(font.cellWidth * font.cellHeight) * 4) {
        DatakitFail("font %s: %u glyphs read back", font.fileName, frames);
    }
    for (int c = 0; c < 256; ++c) {
        if (widths[c] != drawn.advances[size_t(c)]) {
            DatakitFail("font %s: character %d reads back %d wide, drawn %d", font.fileName, c, widths[c],
                        drawn.advances[size_t(c)]);
        }
    }
    FreeMemory(&widths);
    FreeMemory(&block);
}

}  // namespace

DrawnFont DrawMenuFont(int fontNumber) {
    const FontEntry& font = FontList[fontNumber];
    const int cellWidth = font.cellWidth, cellHeight = font.cellHeight;
    FaceHandle handle;
    const std::string path = std::string(DEJAVU_FONT_DIR) + "/" + FaceFile(font.fileName);
    if (FT_Init_FreeType(&handle.library) != 0 ||
        FT_New_Face(handle.library, path.c_str(), 0, &handle.face) != 0) {
        DatakitFail("font %s: cannot open the face %s", font.fileName, path.c_str());
    }
    FT_Face face = handle.face;
    ChooseSize(face, cellWidth, cellHeight, font.fileName);
    const int baseline = Ascender(face) + (cellHeight - Ascender(face) - Descender(face)) / 2;

    static const std::array<uint32_t, 256> kCodePoints = Cp1252CodePoints();
    DrawnFont drawn;
    drawn.sheet = MakePicture(cellWidth * kSheetColumns, cellHeight * kSheetColumns, kBlack);
    // Every digit as wide as the widest, so number columns line up.
    int digitAdvance = 0;
    for (uint32_t d = '0'; d <= '9'; ++d) digitAdvance = std::max(digitAdvance, AdvanceOf(face, d));
    for (int code = 0; code < 256; ++code) {
        const uint32_t codePoint = kCodePoints[size_t(code)];
        const int cellX = (code % kSheetColumns) * cellWidth, cellY = (code / kSheetColumns) * cellHeight;
        int natural = codePoint != 0 ? AdvanceOf(face, codePoint) : 0;
        if (code >= '0' && code <= '9') natural = digitAdvance;
        const int advance = std::min(natural, cellWidth);
        if (codePoint != 0 && code != ' ' && code != 0xA0 && code != 0xAD) {
            const uint32_t ink = RenderGlyph(face, codePoint, advance, natural, baseline, drawn.sheet, cellX,
                                             cellY, cellHeight);
            if (ink == 0 && MustHaveInk(code))
                DatakitFail("font %s: character %d has no ink", font.fileName, code);
        }
        if (advance < cellWidth) {
            drawn.sheet.pixels[size_t(cellY + cellHeight - 1) * drawn.sheet.width + size_t(cellX + advance)] =
                kYellow;
        }
        drawn.advances[size_t(code)] = uint8_t(advance);
    }
    return drawn;
}

void GenerateMenuFonts() {
    for (int n = 0; n < FONT_COUNT; ++n) {
        const DrawnFont drawn = DrawMenuFont(n);
        CheckThroughLoaders(drawn, FontList[n]);
        StagePakFile(std::string("menugfx\\font\\") + FontList[n].fileName + ".tga", TgaWrite(drawn.sheet));
    }
}

}  // namespace datakit
