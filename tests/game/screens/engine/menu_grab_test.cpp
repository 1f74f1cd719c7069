// Headless at 800 x 600: every glyph of every font and every icon frame
// drawn into the back buffer, flushed to the screen and grabbed
// ("grab%04d.tga"); the grabs hold what the pictures say.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/system/display2d.h"
#include "game/system/picture.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

constexpr uint16_t kBackground = 0x4208;  // dark grey
constexpr uint32_t kBackgroundRgb = 0x424142;

// A picture file read through the game's loader as 0xRRGGBB pixels (or
// 0xAARRGGBB for the sheets, whose alpha is kept).
struct GrabPixels {
    int width = 0, height = 0;
    std::vector<uint32_t> argb;
    uint32_t At(int x, int y) const { return argb[size_t(y) * size_t(width) + size_t(x)]; }
};

GrabPixels Convert(uint8_t*& block, uint32_t size) {
    GrabPixels p;
    EXPECT_EQ(LoadImageFile(&block, &size, 0, &ColFmt_A8R8G8B8), 0);
    p.width = block[GFX0_WIDTH] | block[GFX0_WIDTH + 1] << 8;
    p.height = block[GFX0_HEIGHT] | block[GFX0_HEIGHT + 1] << 8;
    p.argb.resize(size_t(p.width) * size_t(p.height));
    std::memcpy(p.argb.data(), block + GFX0_HEADER_SIZE, p.argb.size() * 4);
    FreeMemory(&block);
    return p;
}

GrabPixels ReadHostPicture(const std::string& name) {
    const std::vector<uint8_t> bytes = testenv::ReadHostFile(name);
    uint8_t* block = nullptr;
    AllocateMemory(&block, uint32_t(bytes.size()), MEM_TYPE_MANUAL_FREE);
    std::memcpy(block, bytes.data(), bytes.size());
    GrabPixels p = Convert(block, uint32_t(bytes.size()));
    for (uint32_t& pixel : p.argb) pixel &= 0xFFFFFF;
    return p;
}

GrabPixels ReadArchivePicture(const char* name) {
    uint8_t* block = nullptr;
    const uint32_t size = PakLoadWholeFile(name, &block, MEM_TYPE_MANUAL_FREE);
    return Convert(block, size);
}

// Flushes and grabs the screen; returns the grab.
GrabPixels FlushAndGrab() {
    FlushDirtyCells();
    ScreenGrab();
    // The grab takes the first free number: the last one there is ours.
    return ReadHostPicture(testenv::NewestGrabName());
}

class MenuGrabTest : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        scratch_ = std::make_unique<testenv::ScratchDir>();
        if (!testenv::StartMenuDisplay(HALVORN_GAME_DIR, GetParam()))
            GTEST_FAIL() << GameDataMissing("pakfiles/demo.pki");
        started_ = true;
    }
    void TearDown() override {
        SetFont(8);
        SetDrawParam(1, 0);
        if (started_) testenv::StopMenuPaint();
        scratch_.reset();
    }
    std::unique_ptr<testenv::ScratchDir> scratch_;
    bool started_ = false;
};

TEST_P(MenuGrabTest, EveryGlyphShowsItsCoverageInTheTextColour) {
    ASSERT_EQ(MenuScreenWidth(), 800);
    SetDrawParam(1, 8);  // yellow: red and green follow the coverage, blue stays 0
    for (int font = 0; font < FONT_COUNT; ++font) {
        FillSolidRect(0, 0, 800, 600, 0x0000);
        SetFont(int16_t(font));
        const FontEntry& f = FontList[font];
        for (int c = 1; c < 256; ++c) {
            const char text[2] = {char(c), 0};
            DrawTextAddrAt((c % 16) * f.cellWidth, (c / 16) * f.cellHeight, text, JUSTIFY_LEFT_TOP);
        }
        const GrabPixels grab = FlushAndGrab();
        ASSERT_EQ(grab.width, 800);
        int inked = 0;
        for (int c = 1; c < 256; ++c) {
            const uint8_t* glyph =
                f.glyphs + GFX0_HEADER_SIZE + size_t(c) * size_t(f.cellWidth) * size_t(f.cellHeight) * 3;
            for (int y = 0; y < f.cellHeight; ++y) {
                for (int x = 0; x < f.cellWidth; ++x) {
                    const int a = x < f.widths[c] ? glyph[(y * f.cellWidth + x) * 3] : 0;
                    const uint32_t level = a == 255 ? 255 : uint32_t(255 * a) >> 8;
                    const uint32_t expected = level << 16 | level << 8;
                    inked += a != 0;
                    ASSERT_EQ(grab.At((c % 16) * f.cellWidth + x, (c / 16) * f.cellHeight + y), expected)
                        << "font " << font << " character " << c << " at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(inked, 1000) << font;
    }
}

TEST_P(MenuGrabTest, EveryIconFrameShowsItsPixelsOverTheBackground) {
    // Shelves of icons, a new screen when one is full.
    struct Placed {
        int icon, x, y;
    };
    std::vector<Placed> placed;
    auto checkScreen = [&] {
        const GrabPixels grab = FlushAndGrab();
        for (const Placed& p : placed) {
            int16_t w = 0, h = 0;
            GetIconSize(p.icon, &w, &h);
            const uint8_t* frame = GetIconAddress(p.icon);
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    uint32_t pixel = 0;
                    std::memcpy(&pixel, frame + (size_t(y) * w + x) * MenuBytesPerPixel(),
                                size_t(MenuBytesPerPixel()));
                    const bool key =
                        (pixel & MenuScreenFormat()->all_mask & 0xFFFFFF) == MenuTransparentKey();
                    const uint32_t rgb = ColConvPixel(pixel, MenuScreenFormat(), &ColFmt_A8R8G8B8) & 0xFFFFFF;
                    ASSERT_EQ(grab.At(p.x + x, p.y + y), key ? kBackgroundRgb : rgb)
                        << "icon " << p.icon << " at " << x << "," << y;
                }
            }
        }
        placed.clear();
        FillSolidRect(0, 0, 800, 600, kBackground);
    };
    FillSolidRect(0, 0, 800, 600, kBackground);
    int x = 0, y = 0, shelf = 0;
    for (int icon = 1; icon < END_ICON; ++icon) {
        int16_t w = 0, h = 0;
        GetIconSize(icon, &w, &h);
        if (x + w > 800) x = 0, y += shelf, shelf = 0;
        if (y + h > 600) {
            checkScreen();
            x = y = shelf = 0;
        }
        DrawIcon(x, y, icon, JUSTIFY_LEFT_TOP);
        placed.push_back({icon, x, y});
        x += w;
        shelf = std::max<int>(shelf, h);
    }
    checkScreen();
}

TEST_P(MenuGrabTest, BackIconMatchesItsSheetWhereverTheSheetIsNotMagenta) {
    FillSolidRect(0, 0, 800, 600, kBackground);
    DrawIcon(400, 300, 153, JUSTIFY_CENTRE_MIDDLE);
    const GrabPixels grab = FlushAndGrab();
    const GrabPixels sheet = ReadArchivePicture("menugfx\\icon\\ticked.tga");
    const int left = 400 - sheet.width / 2, top = 300 - sheet.height / 2;
    int drawn = 0;
    for (int y = 0; y < sheet.height; ++y) {
        for (int x = 0; x < sheet.width; ++x) {
            const uint32_t s = sheet.At(x, y) & 0xFFFFFF;
            const bool magenta = s == 0xFF00FF;
            drawn += !magenta;
            ASSERT_EQ(grab.At(left + x, top + y), magenta ? kBackgroundRgb : s) << x << "," << y;
        }
    }
    EXPECT_GT(drawn, sheet.width * sheet.height / 2);
}

TEST_P(MenuGrabTest, WipesRevealTheBackBufferAndClearTheScreen) {
    FillGradientRect(0, 0, 800, 600, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF);
    std::memset(MenuDirtyCells, 0, sizeof MenuDirtyCells);
    ScreenWipeFromBuffer();
    const GrabPixels revealed = FlushAndGrab();  // nothing left to flush: the wipe sent it all
    for (int y = 0; y < 600; y += 7) {
        for (int x = 0; x < 800; x += 13) {
            const uint32_t bgr = GetBackBufferPixel(x, y);
            const uint32_t rgb = (bgr & 0xFF) << 16 | (bgr & 0xFF00) | bgr >> 16;
            ASSERT_EQ(revealed.At(x, y), rgb) << x << "," << y;
        }
    }
    ScreenWipe();
    const GrabPixels wiped = FlushAndGrab();
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; x += 5) ASSERT_EQ(wiped.At(x, y), 0u) << x << "," << y;
    }
}

// The menus run in 24 bits where the card has it, else in 32.
INSTANTIATE_TEST_SUITE_P(Depths, MenuGrabTest, ::testing::Values(24, 32),
                         [](const auto& info) { return "Bits" + std::to_string(info.param); });

}  // namespace
