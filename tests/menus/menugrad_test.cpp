// Gradient fills and blended rows in a 24-bit back buffer in memory.
#include <gtest/gtest.h>

#include "menus/menugrad.h"
#include "menus/menupc.h"
#include "support/colconv.h"
#include "support/mem_win.h"

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
