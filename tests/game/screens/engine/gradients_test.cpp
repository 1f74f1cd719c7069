// Gradient fills and blended rows in a 24-bit back buffer in memory.
#include <gtest/gtest.h>

#include "core/base/trackedmemory.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/painting.h"
#include "game/system/pixelformats.h"

namespace {

class MenuGradTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(16000);
        MenuSetScreenFormat(800, 600, &ColFmt_B8G8R8);
        AllocScreenBuffers();
        FillSolidRect(0, 0, 800, 600, 0x0000);
    }
    void TearDown() override {
        FreeScreenBuffers();
        FreeAutoMemory();
        UninitMemory();
    }
};

TEST_F(MenuGradTest, BlendedSpanFollowsItsOpacities) {
    FillSolidRect(0, 10, 800, 1, 0xFFFF);
    DrawBlendedSpan(100, 10, 11, 0, 0, 0, 0, 0, 0, 0, 0);
    for (int x = 100; x <= 110; ++x) EXPECT_EQ(GetBackBufferPixel(x, 10), 0xFFFFFFu) << x;
    DrawBlendedSpan(100, 10, 11, 0, 100, 200, 255, 250, 100, 0, 255);
    EXPECT_EQ(GetBackBufferPixel(100, 10), 0xC86400u);  // r 0, g 100, b 200 as 0x00BBGGRR
    EXPECT_EQ(GetBackBufferPixel(105, 10), 0x64647Du);  // r 125, g 100, b 100
    EXPECT_EQ(GetBackBufferPixel(110, 10), 0x0064FAu);
    EXPECT_EQ(GetBackBufferPixel(111, 10), 0xFFFFFFu);
    DrawBlendedSpan(200, 10, 1, 0, 0, 0, 255, 0, 0, 0, 255);  // too narrow
    EXPECT_EQ(GetBackBufferPixel(200, 10), 0xFFFFFFu);
}

TEST_F(MenuGradTest, BlendedRectangleRunsFromTopToBottomRow) {
    const int top[8] = {255, 0, 0, 255, 255, 0, 0, 255};
    const int bottom[8] = {0, 0, 255, 255, 0, 0, 255, 255};
    DrawBlendedGradientRect(10, 20, 4, 5, top, bottom);
    EXPECT_EQ(GetBackBufferPixel(10, 20), 0x0000FFu);
    EXPECT_EQ(GetBackBufferPixel(13, 24), 0xFF0000u);
    EXPECT_EQ(GetBackBufferPixel(11, 22), 0x7F0080u);  // r 128, b 127
    DrawBlendedGradientRect(100, 100, 4, 1, top, bottom);
    EXPECT_EQ(GetBackBufferPixel(100, 100), 0u);
}

TEST_F(MenuGradTest, GradientRectangleOfEqualCornersIsOneColour) {
    DrawGradientRect(50, 50, 30, 20, 10, 20, 30, 10, 20, 30, 10, 20, 30, 10, 20, 30);
    for (int y = 50; y < 70; ++y)
        for (int x = 50; x < 80; ++x) ASSERT_EQ(GetBackBufferPixel(x, y), 0x1E140Au) << x << "," << y;
    EXPECT_EQ(GetBackBufferPixel(80, 50), 0u);
    DrawGradientRect(0, 0, 0, 5, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255);
    EXPECT_EQ(GetBackBufferPixel(0, 0), 0u);
}

}  // namespace

namespace {

uint32_t Pixel565(uint16_t colour) {
    const uint32_t r = (colour >> 11) * 255 / 31, g = ((colour >> 5) & 63) * 255 / 63,
                   b = (colour & 31) * 255 / 31;
    return r | g << 8 | b << 16;
}

int InkedPixels() {
    int count = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) count += GetBackBufferPixel(x, y) != 0 ? 1 : 0;
    return count;
}

TEST_F(MenuGradTest, BrushLineDrawsItsCentreAndAFixedSoftEdge) {
    SetDrawParam(2, 0xFFFF);
    DrawBrushLine(10, 10, 800, 10);  // an end off the layout
    EXPECT_EQ(InkedPixels(), 0);
    DrawBrushLine(0, 0, 20, 5);
    // Later steps' neighbours soften the earlier centres; the last stays whole.
    EXPECT_EQ(GetBackBufferPixel(20, 5), Pixel565(0xFFFF));
    for (int x = 0; x <= 20; ++x) EXPECT_NE(GetBackBufferPixel(x, (x * 5 + 10) / 20), 0u) << x;
    const int inked = InkedPixels();
    EXPECT_GT(inked, 21);          // some neighbours
    EXPECT_LT(inked, 21 * 9 + 1);  // not all of them: weak ones are left
    FillSolidRect(0, 0, 800, 600, 0x0000);
    DrawBrushLine(0, 0, 20, 5);
    EXPECT_EQ(InkedPixels(), inked);  // the same pattern again

    FillSolidRect(0, 0, 800, 600, 0xFFFF);
    SetDrawParam(2, 0x0000);  // black: only the centre pixels change
    DrawBrushLine(100, 100, 130, 100);
    int black = 0;
    for (int y = 98; y <= 102; ++y)
        for (int x = 98; x <= 132; ++x) black += GetBackBufferPixel(x, y) == 0 ? 1 : 0;
    EXPECT_EQ(black, 31);
}

TEST_F(MenuGradTest, ArrowHeadNeedsADirection) {
    SetDrawParam(2, 0xFFFF);
    DrawArrowHead(300, 300, 0, 0);
    EXPECT_EQ(InkedPixels(), 0);
    DrawArrowHead(300, 300, 40, 0);
    EXPECT_NE(GetBackBufferPixel(340, 300), 0u);                // the tip, softened by the second barb
    EXPECT_EQ(GetBackBufferPixel(331, 294), Pixel565(0xFFFF));  // 10 back at 35 degrees, cut toward zero
    EXPECT_EQ(GetBackBufferPixel(331, 305), Pixel565(0xFFFF));
}

}  // namespace

namespace {

// Inked pixels above and below a horizontal chord at y.
void InkBySide(int y, int* above, int* below) {
    *above = *below = 0;
    for (int row = 0; row < 600; ++row) {
        for (int x = 0; x < 800; ++x) {
            if (GetBackBufferPixel(x, row) == 0) continue;
            if (row < y - 2) ++*above;
            if (row > y + 2) ++*below;
        }
    }
}

TEST_F(MenuGradTest, CurvedArrowBulgesToTheChosenSide) {
    SetDrawParam(2, 0xFFFF);
    DrawCurvedArrow(100, 300, 320, 0, 0, 1);
    int above = 0, below = 0;
    InkBySide(300, &above, &below);
    EXPECT_GT(above, 200);                        // a bulge of 20 pixels upward
    EXPECT_LT(below, 40);                         // only the soft edge and the lower barb
    EXPECT_NE(GetBackBufferPixel(260, 280), 0u);  // the top of the arc, 320 / 16 up

    FillSolidRect(0, 0, 800, 600, 0x0000);
    DrawCurvedArrow(100, 300, 320, 0, 0, 0);
    InkBySide(300, &above, &below);
    EXPECT_GT(below, 200);
    EXPECT_NE(GetBackBufferPixel(260, 320), 0u);
}

}  // namespace

namespace {

TEST_F(MenuGradTest, BevelPanelShadesItsFrontAndOutlinesIt) {
    FillSolidRect(0, 0, 800, 600, 0xFFFF);
    SetDrawParam(2, 0xF800);  // red: full 255 (31 x 101 / 32 = 97 percent: 247), dark 70 less
    DrawBevelPanel(100, 400, 60, 100);
    EXPECT_EQ(DrawColour, 0);
    EXPECT_EQ(GetBackBufferPixel(100, 300), 0u);  // outline corner
    EXPECT_EQ(GetBackBufferPixel(159, 399), 0u);
    const uint32_t nearFull = GetBackBufferPixel(158, 301);  // next to the top-right corner
    EXPECT_GT(nearFull, 240u);
    EXPECT_LE(nearFull, 247u);
    EXPECT_EQ(GetBackBufferPixel(101, 398), 177u);       // bottom-left: dark
    EXPECT_NE(GetBackBufferPixel(130, 295), 0xFFFFFFu);  // the top face
    EXPECT_NE(GetBackBufferPixel(164, 350), 0xFFFFFFu);  // the right face
    EXPECT_EQ(GetBackBufferPixel(170, 350), 0xFFFFFFu);  // beyond the block
}

}  // namespace
