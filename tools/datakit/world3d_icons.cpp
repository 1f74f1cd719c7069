// The match display's icon files: three fonts of 16 x 16 cells in
// Windows-1252 order (white glyphs whose alpha is the coverage, each
// advance marked for the marker-mode cut) and the mouse pointer.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "core/base/bytes.h"
#include "core/base/trackedmemory.h"
#include "game/system/picture.h"
#include "tools/datakit/menufonts.h"
#include "tools/datakit/stage.h"
#include "tools/datakit/world3d.h"
#include "tools/datakit/worldtext.h"

namespace datakit {
namespace {

constexpr int kGrid = 16;
constexpr int kPageSide = 256;
constexpr int kMaxPages = 8;
// The marker as the picture file holds it: the game reads pixels with red
// in the low byte, where its marker value 0x00FFFF is this colour.
constexpr uint32_t kMarker = 0xFFFFFF00u;

struct IconFont {
    const char* name;
    int cellWidth, cellHeight;
    const char* face;
};
constexpr IconFont kIconFonts[] = {
    {"fnt24", 20, 24, "DejaVuSans-Bold.ttf"},
    {"fnt16", 12, 16, "DejaVuSansCondensed-Bold.ttf"},
    {"fnt12", 12, 12, "DejaVuSansCondensed.ttf"},
};

struct Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Face() {
        if (face != nullptr) FT_Done_Face(face);
        if (library != nullptr) FT_Done_FreeType(library);
    }
};

int Advance(FT_Face face, uint32_t codePoint) {
    if (codePoint == 0 || FT_Load_Char(face, codePoint, FT_LOAD_DEFAULT) != 0) return 0;
    return int((face->glyph->advance.x + 32) >> 6);
}

std::array<uint32_t, 256> CodePoints() {
    std::array<uint32_t, 256> table{};
    for (uint32_t cp = 0x20; cp < 0x2200; ++cp) {
        if (cp == 0x7F || (cp >= 0x80 && cp < 0xA0)) continue;
        if (std::optional<uint8_t> byte = CodePointTo1252(cp)) table[*byte] = cp;
    }
    return table;
}

// The largest size whose line fits the cell and whose widest ordinary
// capitals leave room for the marker; rarer wide glyphs are squeezed.
void ChooseSize(FT_Face face, const IconFont& font) {
    for (int size = font.cellHeight; size >= 4; --size) {
        FT_Set_Pixel_Sizes(face, 0, FT_UInt(size));
        const int line = int((face->size->metrics.ascender - face->size->metrics.descender + 63) >> 6);
        if (line > font.cellHeight) continue;
        if (Advance(face, 'M') >= font.cellWidth || Advance(face, 'W') >= font.cellWidth) continue;
        return;
    }
    DatakitFail("zudata\\d3d\\icons\\fonts\\%s.tga: no size fits its %dx%d cells", font.name, font.cellWidth,
                font.cellHeight);
}

}  // namespace

IconSheet DrawIconFont(int number) {
    const IconFont& font = kIconFonts[number];
    const std::string file = std::string("zudata\\d3d\\icons\\fonts\\") + font.name + ".tga";
    Face handle;
    const std::string path = std::string(DEJAVU_FONT_DIR) + "/" + font.face;
    if (FT_Init_FreeType(&handle.library) != 0 ||
        FT_New_Face(handle.library, path.c_str(), 0, &handle.face) != 0) {
        DatakitFail("%s: cannot open the face %s", file.c_str(), path.c_str());
    }
    FT_Face face = handle.face;
    static const std::array<uint32_t, 256> kCodes = CodePoints();
    ChooseSize(face, font);
    const int ascender = int((face->size->metrics.ascender + 63) >> 6);
    const int descender = int((-face->size->metrics.descender + 63) >> 6);
    const int baseline = ascender + (font.cellHeight - ascender - descender) / 2;

    IconSheet sheet{file, font.cellWidth, font.cellHeight,
                    MakePicture(font.cellWidth * kGrid, font.cellHeight * kGrid, 0)};
    for (int code = 0; code < 256; ++code) {
        const int cellX = (code % kGrid) * font.cellWidth, cellY = (code / kGrid) * font.cellHeight;
        const int natural = Advance(face, kCodes[size_t(code)]);
        const int advance = std::min(natural, font.cellWidth);
        // A glyph wider than its cell is drawn narrower to fit.
        FT_Matrix squeeze = {0x10000, 0, 0, 0x10000};
        if (natural > advance) squeeze.xx = FT_Fixed(0x10000L * advance / natural);
        FT_Set_Transform(face, &squeeze, nullptr);
        const bool rendered =
            kCodes[size_t(code)] != 0 && FT_Load_Char(face, kCodes[size_t(code)], FT_LOAD_RENDER) == 0;
        FT_Set_Transform(face, nullptr, nullptr);
        if (rendered) {
            const FT_Bitmap& bitmap = face->glyph->bitmap;
            const int left = face->glyph->bitmap_left, top = baseline - face->glyph->bitmap_top;
            for (unsigned row = 0; row < bitmap.rows; ++row) {
                for (unsigned column = 0; column < bitmap.width; ++column) {
                    const int x = left + int(column), y = top + int(row);
                    // Ink stays within the advance, clear of the marker.
                    if (x < 0 || x >= advance || y < 0 || y >= font.cellHeight) continue;
                    const uint32_t a = bitmap.buffer[int(row) * bitmap.pitch + int(column)];
                    uint32_t& pixel =
                        sheet.picture.pixels[size_t(cellY + y) * sheet.picture.width + size_t(cellX + x)];
                    if (a > (pixel >> 24)) pixel = (a << 24) | 0xFFFFFFu;
                }
            }
        }
        if (advance < font.cellWidth) {
            sheet.picture
                .pixels[size_t(cellY + font.cellHeight - 1) * sheet.picture.width + size_t(cellX + advance)] =
                kMarker;
        }
        sheet.widths[size_t(code)] = uint8_t(advance);
    }
    return sheet;
}

Picture DrawPointer() {
    Picture p = MakePicture(32, 32, 0);
    // An arrow with its tip at the top left: white, outlined in black.
    auto inside = [](float x, float y, float grow) {
        const bool head = x >= -grow && y >= -grow && y <= 18.0f + grow && x <= y * 0.7f + grow;
        const bool tail = y >= 10.0f - grow && y <= 25.0f + grow && x >= 4.0f + (y - 10.0f) * 0.4f - grow &&
                          x <= 8.0f + (y - 10.0f) * 0.4f + grow;
        return head || tail;
    };
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const float fx = float(x) + 0.5f - 2.0f, fy = float(y) + 0.5f - 2.0f;
            if (inside(fx, fy, 0.0f)) {
                p.pixels[size_t(y) * 32 + x] = 0xFFFFFFFF;
            } else if (inside(fx, fy, 1.5f)) {
                p.pixels[size_t(y) * 32 + x] = 0xFF000000;
            }
        }
    }
    return p;
}

namespace {

// Reads the sheet back as the display does (marker-mode cut) and checks
// every width it finds against the advance drawn.
void CheckThroughLoader(const IconSheet& sheet) {
    const std::vector<uint8_t> tga = TgaWriteWorld(sheet.picture);
    uint8_t* block = nullptr;
    AllocateMemory(&block, uint32_t(tga.size()), MEM_TYPE_MANUAL_FREE);
    std::memcpy(block, tga.data(), tga.size());
    uint32_t size = uint32_t(tga.size());
    uint8_t* widths = nullptr;
    if (LoadImageFile(&block, &size, 0, &ColFmt_A8B8G8R8) < 0 ||
        GFX_CutFrames(&block, &size, GFXCUT_WIDTHS, sheet.cellWidth, sheet.cellHeight, kGrid, kGrid,
                      &widths) < 0) {
        DatakitFail("%s: the display cannot cut its cells", sheet.file.c_str());
    }
    for (int c = 0; c < 256; ++c) {
        if (widths[c] != sheet.widths[size_t(c)]) {
            DatakitFail("%s: character %d reads back %d wide, drawn %d", sheet.file.c_str(), c, widths[c],
                        sheet.widths[size_t(c)]);
        }
    }
    FreeMemory(&widths);
    FreeMemory(&block);
}

}  // namespace

int IconPagesNeeded(const std::vector<IconCells>& files) {
    struct Page {
        int x = 0, y = 0, rowHeight = 0;
    };
    std::vector<Page> pages;
    std::map<std::vector<uint32_t>, int> shared;  // identical pictures share one rectangle
    for (const IconCells& file : files) {
        for (const std::vector<uint32_t>& cell : file.cells) {
            std::vector<uint32_t> key = cell;
            key.push_back(uint32_t(file.width));
            if (shared.count(key) != 0) continue;
            shared[key] = 1;
            const int w = file.width, h = file.height;
            int best = -1, bestScore = 0;
            for (size_t k = 0; k < pages.size(); ++k) {
                const Page& p = pages[k];
                int score = 0;
                if (p.x + w <= kPageSide && p.y + h <= kPageSide) {
                    score = 0x10100 - std::abs(p.rowHeight - h);
                } else if (p.y + p.rowHeight + h <= kPageSide) {
                    score = 0x100 - std::abs(p.rowHeight - h);
                }
                if (score > bestScore) best = int(k), bestScore = score;
            }
            if (best < 0) {
                pages.push_back({});
                best = int(pages.size()) - 1;
            }
            Page& p = pages[size_t(best)];
            if (p.x + w > kPageSide) p = {0, p.y + p.rowHeight, 0};
            p.x += w;
            p.rowHeight = std::max(p.rowHeight, h);
        }
    }
    return int(pages.size());
}

std::vector<uint32_t> CellPixels(const Picture& sheet, int cellWidth, int cellHeight, int index) {
    const int columns = sheet.width / cellWidth;
    const int x0 = (index % columns) * cellWidth, y0 = (index / columns) * cellHeight;
    std::vector<uint32_t> cell;
    for (int y = 0; y < cellHeight; ++y) {
        for (int x = 0; x < cellWidth; ++x) {
            uint32_t p = sheet.pixels[size_t(y0 + y) * sheet.width + size_t(x0 + x)];
            cell.push_back(p == kMarker ? 0 : p);
        }
    }
    return cell;
}

void GenerateIconFiles() {
    std::vector<IconCells> files;
    for (int n = 0; n < int(std::size(kIconFonts)); ++n) {
        const IconSheet sheet = DrawIconFont(n);
        IconCells cells{sheet.cellWidth, sheet.cellHeight, {}};
        for (int c = 0; c < 256; ++c)
            cells.cells.push_back(CellPixels(sheet.picture, sheet.cellWidth, sheet.cellHeight, c));
        files.push_back(std::move(cells));
        CheckThroughLoader(sheet);
        StagePakFile(sheet.file, TgaWriteWorld(sheet.picture));
    }
    const Picture pointer = DrawPointer();
    files.push_back({pointer.width, pointer.height, {pointer.pixels}});
    StagePakFile("zudata\\d3d\\icons\\pointers\\mouse.tga", TgaWriteWorld(pointer));
    const int pages = IconPagesNeeded(files);
    if (pages > kMaxPages)
        DatakitFail("zudata\\d3d\\icons: the icon files need %d pages of %d", pages, kMaxPages);
}

}  // namespace datakit
