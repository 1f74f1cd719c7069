// Thousands of random painter calls, many partly off the screen: every
// changed pixel lies inside what the call drew and in a dirty cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/random.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/test_util.h"

namespace {

constexpr int kCalls = 2500;

int Between(int low, int high) { return low + GameRandom() % (high - low + 1); }

struct Box {
    int left, top, right, bottom;  // right and bottom exclusive
    bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

constexpr Box kAnywhere = {-100000, -100000, 100000, 100000};

Box Aligned(int x, int y, int width, int height, uint16_t justify, int grow = 0) {
    AlignPoint(&x, &y, width, height, justify);
    return {x, y, x + width + grow, y + height + grow};
}

std::string RandomText() {
    std::string text;
    const int length = Between(0, 24);
    for (int i = 0; i < length; ++i) text += char(Between(i % 5 == 4 ? 32 : 33, 255));
    return text;
}

uint16_t RandomJustify() {
    static const uint16_t kCodes[] = {0, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15};
    return kCodes[GameRandom() % 11];
}

class PaintPropertyTest : public ::testing::TestWithParam<const ColFmt*> {
  protected:
    void SetUp() override {
        if (!testenv::StartMenuPaint(HALVORN_GAME_DIR, GetParam()))
            GTEST_FAIL() << GameDataMissing("pakfiles/demo.pki");
        GameSeedRandom(GetParam()->bytes * 7919u);
        // A saved screen that differs from the back buffer, for the restores.
        FillGradientRect(0, 0, 800, 600, 0x203040, 0x80A0C0, 0x406080, 0xC0E0F0);
        SaveScreenToBuffer();
        FillSolidRect(0, 0, 800, 600, 0x4208);
    }
    void TearDown() override {
        ButtonStyle = 0;
        SetFont(8);
        SetDrawParam(1, 0);
        SetDrawParam(7, 100);
        if (MenuBackBuffer != nullptr) testenv::StopMenuPaint();
    }

    // One random call; returns the area it may change.
    Box RandomCall() {
        const int x = Between(-120, 880), y = Between(-120, 680);
        const int w = Between(0, 260), h = Between(0, 200);
        DrawColour = uint16_t(GameRandom() * 2 + GameRandom() % 2);
        SetDrawParam(1, Between(-2, 30));
        SetDrawParam(7, Between(0, 100));
        const int16_t font = int16_t(Between(0, 14) + (GameRandom() % 2 ? FONT_SHADOW : 0));
        SetFont(font);
        const uint16_t justify = RandomJustify();
        switch (GameRandom() % 13) {
            case 0:
                FillSolidRect(x, y, w, h, DrawColour);
                return {x, y, x + w, y + h};
            case 1:
                FillTranslucentRect(x, y, w, h, DrawColour, uint8_t(GameRandom()));
                return {x, y, x + w, y + h};
            case 2:
                FillGradientRect(x, y, w, h, uint32_t(GameRandom()) << 9, uint32_t(GameRandom()) * 3,
                                 uint32_t(GameRandom()) << 4, uint32_t(GameRandom()) << 8);
                return {x, y, x + w, y + h};
            case 3: {
                const int x2 = x + Between(-300, 300), y2 = y + Between(-300, 300);
                DrawLine(x, y, x2, y2, DrawColour);
                return {std::min(x, x2), std::min(y, y2), std::max(x, x2) + 1, std::max(y, y2) + 1};
            }
            case 4: {
                const std::string text = RandomText();
                int16_t tw = 0, th = 0;
                GetTextSize(text.c_str(), &tw, &th);
                DrawTextAddrAt(x, y, text.c_str(), justify);
                return Aligned(x, y, tw, th, justify, font >= FONT_SHADOW ? 1 : 0);
            }
            case 5: {
                const int icon = Between(1, END_ICON - 1);
                int16_t iw = 0, ih = 0;
                GetIconSize(icon, &iw, &ih);
                DrawIcon(x, y, icon, justify);
                return Aligned(x, y, iw, ih, justify);
            }
            case 6: {
                const int icon = Between(1, END_ICON - 1);
                int16_t iw = 0, ih = 0;
                GetIconSize(icon, &iw, &ih);
                DrawIconPart(x, y, icon, justify, Between(-2, iw), Between(-2, ih), Between(-1, iw),
                             Between(-1, ih));
                return Aligned(x, y, iw, ih, justify);
            }
            case 7:
                ButtonStyle = GameRandom() % 3;
                DoButton(x, y, w, h);
                return {x, y, x + (w == 0 ? 0 : std::max(w, 4)), y + (h == 0 ? 0 : std::max(h, 4))};
            case 8:
                DrawWrappedText(x, y, RandomText().c_str(), justify, Between(0, 300), h);
                return kAnywhere;  // lines are not kept to the box
            case 9:
                DrawBox(x, y, w, h);
                return {x, y, x + w + 1, y + h + 1};
            case 10: {
                std::vector<uint8_t> block(size_t(std::max(w, 1)) * size_t(std::max(h, 1)) * 4,
                                           uint8_t(GameRandom()));
                CopyRectToBackBuffer(x, y, w, h, block.data());
                return {x, y, x + w, y + h};
            }
            case 11:
                RestoreRectAligned(x, y, w, h, justify);
                return Aligned(x, y, w, h, justify);
            default:
                DrawScrollingText(x, y, RandomText().c_str(), justify, w, Between(-400, 400),
                                  GameRandom() % 2);
                return kAnywhere;  // glyphs cut back to the band are restored, not put back
        }
    }
};

TEST_P(PaintPropertyTest, ChangesStayInsideTheCallAndItsDirtyCells) {
    const int bpp = MenuBytesPerPixel();
    const size_t rowBytes = size_t(800) * size_t(bpp);
    std::vector<uint8_t> before(rowBytes * 600);
    int changedCalls = 0;
    for (int call = 0; call < kCalls; ++call) {
        std::memcpy(before.data(), MenuBackBuffer, before.size());
        std::memset(MenuDirtyCells, 0, sizeof MenuDirtyCells);
        const Box box = RandomCall();
        bool changed = false;
        for (int y = 0; y < 600; ++y) {
            const uint8_t* was = before.data() + size_t(y) * rowBytes;
            const uint8_t* now = MenuBackBuffer + size_t(y) * rowBytes;
            if (std::memcmp(was, now, rowBytes) == 0) continue;
            for (int x = 0; x < 800; ++x) {
                if (std::memcmp(was + size_t(x) * bpp, now + size_t(x) * bpp, size_t(bpp)) == 0) continue;
                changed = true;
                ASSERT_TRUE(box.Holds(x, y)) << "call " << call << " changed " << x << "," << y;
                ASSERT_NE(MenuDirtyCells[y / MENU_CELL_SIZE][x / MENU_CELL_SIZE], 0)
                    << "call " << call << " left " << x << "," << y << " clean";
            }
        }
        changedCalls += changed;
    }
    // Most calls drew something: the test is not vacuous.
    EXPECT_GT(changedCalls, kCalls / 3);
}

INSTANTIATE_TEST_SUITE_P(Formats, PaintPropertyTest,
                         ::testing::Values(&ColFmt_R5G6B5, &ColFmt_B8G8R8, &ColFmt_A8R8G8B8),
                         [](const auto& info) { return "Bits" + std::to_string(info.param->bits); });

}  // namespace
