// Icon files, fonts and 2D drawing: the kit's fonts and pointer cut into
// icons, widths from the markers, alignment, sections, boxes and text on
// the screen and in 3D, and the colour list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/match3d/iconpages.h"
#include "game/match3d/overlayicons.h"
#include "game/system/device3d.h"
#include "game/system/matrices.h"
#include "game/system/renderstates.h"
#include "game/system/textures3d.h"
#include "platform/d3d.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/tga_fixture.h"

namespace {

constexpr int kIconW = 320, kIconH = 240;
constexpr uint32_t kIconWhiteInk = 0xFFFFFFFF;
constexpr uint32_t kIconMarker = 0xFFFFFF00;  // yellow in the file

void IconSetStates() {
    D3DSetRenderState(plat::kRsLighting, 0);
    D3DSetRenderState(plat::kRsZEnable, 0);
    D3DSetRenderState(plat::kRsCullMode, plat::kCullNone);
    D3DSetRenderState(plat::kRsAlphaBlendEnable, 1);
    D3DSetRenderState(plat::kRsSrcBlend, plat::kBlendSrcAlpha);
    D3DSetRenderState(plat::kRsDestBlend, plat::kBlendInvSrcAlpha);
    D3DSetTextureStageState(0, plat::kTssMagFilter, plat::kTfgPoint);
    D3DSetTextureStageState(0, plat::kTssMinFilter, plat::kTfnPoint);
}

// Pixels of the screen in 3D: x right, y down, one unit a pixel, whole
// units on pixel edges (as the half-pixel fudge puts screen quads).
void IconScreenSpace() {
    Matrix identity;
    MatrixIdentity(&identity);
    const Matrix projection =
        testenv::Orthographic(0.5f, float(kIconW) + 0.5f, float(kIconH) + 0.5f, 0.5f, 10.0f);
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &identity);
    D3DSetTransformType(D3DTRANSFORMSTATE_VIEW, &identity);
    D3DSetTransformType(D3DTRANSFORMSTATE_PROJECTION, &projection);
}

struct IconInk {
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1, count = 0;
};

IconInk IconInkOf(const testenv::Frame& frame) {
    IconInk ink;
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            if (frame.At(x, y) == 0) continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            ++ink.count;
        }
    }
    return ink;
}

// ---- The kit's own files ------------------------------------------------------

class IconKitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::MountGameArchive(HALVORN_GAME_DIR, 32 * 1024);
        testenv::Start3D(kIconW, kIconH);
    }
    void TearDown() override {
        Icon_Uninit();
        testenv::Stop3D();
        testenv::UnmountGameArchive();
    }
};

TEST_F(IconKitTest, FontsAndPointerBecomeIcons) {
    StdoutCapture out;
    Icon_Init();
    const std::string log = out.Text();
    EXPECT_NE(log.find("-- loading icon fonts\\fnt24\ngrid specified - resizing source image 320 x 384\n"
                       "to grid 20 x 24 (16 x 16 items)\ngot gfx0 data - 20 x 24 - 256 frames\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("-- loading icon pointers\\mouse\nno size specified - using full image\n"),
              std::string::npos);
    for (uint32_t font : {kFont24, kFont16, kFont12}) {
        const IconEntry& entry = IconFileTable[font];
        ASSERT_NE(entry.icons, nullptr);
        ASSERT_NE(entry.widths, nullptr);
        EXPECT_EQ(entry.columns * entry.rows, 256u);
        // Proportional: widths from the markers, within the cell.
        EXPECT_GT(entry.widths[uint8_t('M')], entry.widths[uint8_t('i')]) << font;
        EXPECT_GT(entry.widths[uint8_t('i')], 0) << font;
        for (int c = 32; c < 256; ++c) EXPECT_LE(entry.widths[c], entry.cellWidth);
        EXPECT_EQ(Icon_TextWidth(font, "Mi", 2),
                  uint32_t(entry.widths[uint8_t('M')] + entry.widths[uint8_t('i')]));
        EXPECT_EQ(Icon_GetCellWidth(IconId(font, 'M')), entry.cellWidth);
        EXPECT_EQ(Icon_GetCellHeight(IconId(font, 'M')), entry.cellHeight);
    }
    const IconEntry& pointer = IconFileTable[kPointerFile];
    EXPECT_EQ(pointer.columns * pointer.rows, 1u);
    EXPECT_EQ(pointer.widths, nullptr);
    EXPECT_EQ(GfxMgr_GetIcon(pointer.icons[0])->width, pointer.cellWidth);
    EXPECT_GT(pointer.cellWidth, 4u);
    EXPECT_LE(GfxMgr_GetPageCount(), kMaxIconPages);
    for (int page = 0; page < GfxMgr_GetPageCount(); ++page)
        EXPECT_NE(GfxMgr_GetPage(page)->handle, kNoPageHandle);
    EXPECT_FATAL(Icon_DrawSection(IconId(kFont16, 'A'), 10, 10, 1, 0, 12, 16, 0, 1),
                 "Icon_DrawSection\\(\\): section out of range");
    EXPECT_FATAL(Icon_DrawSection(IconId(kFont16, 'A'), 10, 10, 0, 1, 12, 16, 0, 1),
                 "Icon_DrawSection\\(\\): section out of range");
}

// A line in each font, white and in red: ink only inside the measured box,
// and only in the tint.
TEST_F(IconKitTest, TextInkStaysInItsBoxAndTint) {
    Icon_Init();
    const char* line = "Halvorn 2-1 \xC9gypt \xE5";  // cells above 127 too
    for (uint32_t font : {kFont24, kFont16, kFont12}) {
        for (int colour : {1, 2}) {
            Icon_SetOrigin(0, 0, 0);
            D3DClearSceneEx2(D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
            D3DBeginScene();
            IconSetStates();
            Icon_PrintfScreen(font, 10, 100, 0x12, colour, "%s", line);
            D3DEndScene();
            const testenv::Frame frame = testenv::GrabFrame("icon_line.tga");
            const IconInk ink = IconInkOf(frame);
            const int width = int(Icon_TextWidth(font, line, int(std::strlen(line))));
            const int height = int(IconFileTable[font].cellHeight);
            ASSERT_GT(ink.count, 40) << font;
            EXPECT_GE(ink.left, 10) << font;
            EXPECT_LT(ink.right, 10 + width) << font;
            EXPECT_GE(ink.top, 100 - height / 2) << font;
            EXPECT_LT(ink.bottom, 100 - height / 2 + height) << font;
            // Characters above 127 are drawn from their own cells.
            EXPECT_GT(ink.right, 10 + width - int(IconFileTable[font].widths[0xE5])) << font;
            for (uint32_t p : frame.pixels) {
                if (p == 0) continue;
                const uint32_t r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
                if (colour == 2) {
                    ASSERT_LE(g + b, 4u) << std::hex << p;
                } else {
                    ASSERT_LE(std::max({r, g, b}) - std::min({r, g, b}), 3u) << std::hex << p;
                }
            }
        }
    }
    // The printf buffer holds 511 characters; a longer line is cut, not overrun.
    const std::string longLine(900, 'W');
    D3DBeginScene();
    Icon_PrintfScreen(kFont12, 0, 0, 0, 1, "%s", longLine.c_str());
    Icon_Printf(kFont12, 0, 0, 0, 0, "%s", longLine.c_str());
    D3DEndScene();
}

TEST(IconColourTest, ListStartsFixedAndTakesColours) {
    EXPECT_EQ(ColourList[0], 0xFF000000u);
    EXPECT_EQ(ColourList[1], 0xFFFFFFFFu);
    EXPECT_EQ(ColourList[2], 0xFFFF0000u);
    EXPECT_EQ(ColourList[7], 0xFFFFFF00u);
    EXPECT_EQ(ColourList[9], 0x7F000000u);
    EXPECT_EQ(ColourList[13], 0xBFFFFFFFu);
    EXPECT_EQ(ColourList[16], 0xBF001426u);
    EXPECT_EQ(ColourList[17], 0u);
    EXPECT_EQ(ColourList[18], 0x19000000u);
    EXPECT_EQ(ColourList[27], 0xFF000000u);
    EXPECT_EQ(ColourList[28], 0x19FF0000u);
    EXPECT_EQ(ColourList[29], 0x1900FF00u);
    EXPECT_EQ(ColourList[46], 0xFFFF0000u);
    EXPECT_EQ(ColourList[47], 0xFF00FF00u);
    EXPECT_EQ(ColourList[48], 0x1900FF00u);
    EXPECT_EQ(ColourList[56], 0xE500FF00u);
    const uint32_t kept = ColourList[40];
    AddIcon_ColourList(40, 1.0f, 0.0f, 0.0f, 0.5f);
    EXPECT_EQ(ColourList[40], 0x7FFF0000u);
    AddIcon_ColourList(40, 0.2f, 0.6f, 1.0f, 1.0f);
    EXPECT_EQ(ColourList[40], 0xFF3399FFu);
    ColourList[40] = kept;
    EXPECT_FATAL(AddIcon_ColourList(57, 1, 1, 1, 1), "Error: AddIcon_ColourList, 57");
    EXPECT_FATAL(AddIcon_ColourList(-1, 1, 1, 1, 1), "Error: AddIcon_ColourList, -1");
}

// ---- A font of our own: cells of known ink and widths ---------------------------

constexpr int kCellW = 12, kCellH = 16;

// A 16 x 16 sheet of cells; `solid` maps a character to the columns it
// inks (the marker then follows them), others stay empty.
std::vector<uint8_t> IconSheet(int cellW, int cellH, const std::vector<std::pair<int, int>>& solid) {
    const int w = cellW * 16, h = cellH * 16;
    std::vector<uint32_t> pixels(size_t(w) * h, 0);
    for (auto [character, columns] : solid) {
        const int x0 = (character % 16) * cellW, y0 = (character / 16) * cellH;
        for (int y = 0; y < cellH; ++y) {
            for (int x = 0; x < columns; ++x) pixels[size_t(y0 + y) * w + x0 + x] = kIconWhiteInk;
        }
        pixels[size_t(y0) * w + x0 + columns] = kIconMarker;
    }
    return testenv::ArgbTga(uint16_t(w), uint16_t(h), pixels);
}

class IconOwnFontTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(16 * 1024);
        scratch_ = std::make_unique<testenv::ScratchDir>("icons");
        OpenIconPak(IconSheet(kCellW, kCellH, {{'A', 7}, {'B', 9}, {0xE9, 5}}));
        testenv::Start3D(kIconW, kIconH);
        StdoutCapture quiet;
        Icon_Init();
        quiet.Text();
    }
    void TearDown() override {
        Icon_Uninit();
        testenv::Stop3D();
        PakFileUninit();
        scratch_.reset();
        UninitMemory();
    }
    // The icon files, with the 16-point font sheet given.
    static void OpenIconPak(const std::vector<uint8_t>& fnt16) {
        testenv::WritePak("icons", {{"zudata\\d3d\\icons\\fonts\\fnt24.tga", IconSheet(20, 24, {})},
                                    {"zudata\\d3d\\icons\\fonts\\fnt16.tga", fnt16},
                                    {"zudata\\d3d\\icons\\fonts\\fnt12.tga", IconSheet(12, 12, {})},
                                    {"zudata\\d3d\\icons\\pointers\\mouse.tga",
                                     testenv::ArgbTga(6, 10, std::vector<uint32_t>(60, kIconWhiteInk))}});
        PakFileInit();
        PakAddFile("icons");
        PakFileAddDone();
    }
    template <typename Draw>
    IconInk DrawAndGrab(Draw draw) {
        D3DClearSceneEx2(D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        D3DBeginScene();
        IconSetStates();
        IconScreenSpace();
        Icon_SetOrigin(0, 0, 0);
        draw();
        D3DEndScene();
        return IconInkOf(testenv::GrabFrame("icon_own.tga"));
    }
    std::unique_ptr<testenv::ScratchDir> scratch_;
};

using IconOwnFontDeathTest = IconOwnFontTest;

// A font sheet narrower than its grid, or no picture at all, ends the
// program before a cell is cut from outside the sheet.
TEST_F(IconOwnFontDeathTest, AFontSheetTooSmallForItsGridOrNoPictureEndsTheProgram) {
    auto reload = [](const std::vector<uint8_t>& fnt16) {
        Icon_Uninit();
        PakFileUninit();
        OpenIconPak(fnt16);
        Icon_Init();
    };
    EXPECT_FATAL(reload(IconSheet(kCellW - 1, kCellH, {})), "Error gridding icon file");
    EXPECT_FATAL(reload(testenv::Bytes("not a picture")), "Error converting icon file");
}

TEST_F(IconOwnFontTest, WidthsComeFromMarkersAndAlignmentPlacesTheBox) {
    const IconEntry& font = IconFileTable[kFont16];
    EXPECT_EQ(font.widths[uint8_t('A')], 7);
    EXPECT_EQ(font.widths[uint8_t('B')], 9);
    EXPECT_EQ(font.widths[uint8_t('C')], kCellW);  // no marker: the whole cell
    EXPECT_EQ(font.widths[0xE9], 5);
    // The empty cells are one shared rectangle; the three inked ones and
    // the pointer have their own.
    EXPECT_EQ(GfxMgr_GetPageCount(), 1);
    EXPECT_EQ(IconFileTable[kPointerFile].cellWidth, 6u);
    EXPECT_EQ(IconFileTable[kPointerFile].cellHeight, 10u);

    // "AB" (7 + 9) centred on x 100 starts 8 units left of it, in 3D...
    IconInk ink = DrawAndGrab([] { Icon_DrawText(kFont16, "AB", 2, 100.0f, 50.0f, 1.0f, 0x20, 1); });
    EXPECT_EQ(ink.left, 92);
    EXPECT_EQ(ink.right, 107);
    EXPECT_EQ(ink.top, 50);
    EXPECT_EQ(ink.bottom, 65);
    // ...and on the screen; bottom-right and centred anchors.
    ink = DrawAndGrab([] { Icon_PrintfScreen(kFont16, 100, 50, 0x33, 1, "A%c", 'B'); });
    EXPECT_EQ(ink.left, 84);
    EXPECT_EQ(ink.right, 99);
    EXPECT_EQ(ink.top, 34);
    EXPECT_EQ(ink.bottom, 49);
    ink = DrawAndGrab([] { Icon_Printf(kFont16, 100.0f, 50.0f, 1.0f, 0x22, "%s", "\xE9"); });
    EXPECT_EQ(ink.left, 98);  // 5 wide: halved to 2.5
    EXPECT_EQ(ink.right, 102);
    EXPECT_EQ(ink.top, 42);
    EXPECT_EQ(ink.count, 5 * 16);
    ink = DrawAndGrab([] { Icon_DrawBox(100, 50, 20, 10, 0x33, 1); });
    EXPECT_EQ(ink.left, 80);
    EXPECT_EQ(ink.right, 99);
    EXPECT_EQ(ink.top, 40);
    EXPECT_EQ(ink.bottom, 49);
    ink = DrawAndGrab([] { Icon_DrawBox3D(100.0f, 50.0f, 1.0f, 20.0f, 10.0f, 0x11, 3); });
    EXPECT_EQ(ink.left, 100);
    EXPECT_EQ(ink.right, 119);
    EXPECT_EQ(ink.top, 50);
    EXPECT_EQ(ink.bottom, 59);
    // The origin anchored to the bottom-right corner of the screen.
    ink = DrawAndGrab([] {
        Icon_SetOrigin(-10, -20, 0x33);
        Icon_DrawBox(0, 0, 4, 4, 0x11, 1);
    });
    EXPECT_EQ(ink.left, kIconW - 10);
    EXPECT_EQ(ink.top, kIconH - 20);
    EXPECT_EQ(ink.count, 16);
    // The pointer at its own size.
    ink = DrawAndGrab([] { Icon_DrawIcon3D(IconId(kPointerFile, 0), 30.0f, 40.0f, 1.0f, 0x11); });
    EXPECT_EQ(ink.left, 30);
    EXPECT_EQ(ink.right, 35);
    EXPECT_EQ(ink.bottom, 49);
}

TEST_F(IconOwnFontTest, SectionsStretchTheCellAndTintTheFonts) {
    IconInk ink = DrawAndGrab([] { Icon_DrawSection(IconId(kFont16, 'B'), 40, 40, 0, 0, 12, 16, 0x11, 2); });
    EXPECT_EQ(ink.left, 40);
    EXPECT_EQ(ink.right, 48);
    EXPECT_EQ(ink.bottom, 55);
    // A smaller section maps the whole cell onto the smaller rectangle.
    ink = DrawAndGrab([] { Icon_DrawSection(IconId(kFont16, 'C'), 40, 40, 0, 0, 6, 8, 0x11, 2); });
    EXPECT_EQ(ink.count, 0);
    ink = DrawAndGrab([] { Icon_DrawSection(IconId(kPointerFile, 0), 40, 40, 0, 0, 3, 5, 0x11, 2); });
    EXPECT_EQ(ink.count, 15);
    EXPECT_FATAL(Icon_DrawSection(IconId(kPointerFile, 0), 40, 40, 0, 0, 7, 5, 0, 2),
                 "Icon_DrawSection\\(\\): section out of range");
    EXPECT_FATAL(Icon_DrawSection(IconId(kPointerFile, 0), 40, 40, 0, 6, 3, 5, 0, 2),
                 "Icon_DrawSection\\(\\): section out of range");
    // Fonts take the colour; the pointer stays white.
    D3DClearSceneEx2(D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    D3DBeginScene();
    IconSetStates();
    Icon_SetOrigin(0, 0, 0);
    Icon_DrawSection(IconId(kFont16, 'B'), 40, 40, 0, 0, 12, 16, 0x11, 3);
    Icon_DrawSection(IconId(kPointerFile, 0), 80, 40, 0, 0, 6, 10, 0x11, 3);
    D3DEndScene();
    const testenv::Frame frame = testenv::GrabFrame("icon_tint.tga");
    EXPECT_EQ(frame.At(42, 42), 0x00FF00u);
    EXPECT_EQ(frame.At(82, 42), 0xFFFFFFu);
}

}  // namespace
