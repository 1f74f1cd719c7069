// The loading picture drawn centred on the screen surface, headless.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/loadanim.h"
#include "game/system/display2d.h"
#include "game/system/picture.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

class LoadingScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        scratch_ = std::make_unique<testenv::ScratchDir>();
        if (!testenv::StartMenuDisplay(HALVORN_GAME_DIR, 24))
            GTEST_FAIL() << GameDataMissing("pakfiles/demo.pki");
        plat::SetManualClock(true);
        InitTimerInterrupt();
        InitPoll();
        started_ = true;
    }
    void TearDown() override {
        if (!started_) return;
        UninitPoll();
        ClearTimerInterrupt();
        plat::SetManualClock(false);
        testenv::StopMenuPaint();
        scratch_.reset();
    }
    // Reads a pixel back from the screen surface, 0x00RRGGBB.
    static uint32_t ScreenPixel(int x, int y) {
        uint8_t pixel[4] = {};
        GfxReadRect(x, y, 1, 1, pixel);
        return uint32_t(pixel[0]) | uint32_t(pixel[1]) << 8 | uint32_t(pixel[2]) << 16;
    }
    std::unique_ptr<testenv::ScratchDir> scratch_;
    bool started_ = false;
};

TEST_F(LoadingScreenTest, PictureIsCentredOnALargerScreen) {
    FreeScreenBuffers();
    RestoreGraphicMode();
    int mode = FindGraphicMode(1024, 768, GFX_KIND_24_BIT);
    if (mode < 0) mode = FindGraphicMode(1024, 768, GFX_KIND_32_BIT);
    ASSERT_GE(mode, 0);
    SetGraphicMode(int16_t(mode), 0);
    StartLoadingScreen(0);
    ASSERT_NE(LoadingImageList[0].picture, nullptr);
    const uint8_t* first = LoadingImageList[0].picture + GFX0_HEADER_SIZE;
    uint32_t topLeft = 0;
    std::memcpy(&topLeft, first, GfxGetScreenFormat()->bytes);
    topLeft &= 0xFFFFFF;
    EXPECT_EQ(ScreenPixel(112, 84), topLeft);
    EXPECT_EQ(ScreenPixel(111, 84), 0u);
    EXPECT_EQ(ScreenPixel(112, 83), 0u);
    EXPECT_EQ(ScreenPixel(912, 684), 0u);  // just past the bottom-right corner

    LoadingScreen_ShowText("Loading the stadium");
    EXPECT_STREQ(LoadingScreenText(), "Loading the stadium");
    const std::string tooLong(LOADING_TEXT_SIZE, 'x');
    LoadingScreen_ShowText(tooLong.c_str());
    EXPECT_STREQ(LoadingScreenText(), "");
    StopLoadingScreen();
    EXPECT_EQ(ScreenPixel(112, 84), 0u);
}

TEST_F(LoadingScreenTest, PictureFillsAnEqualScreenAndIsClipped) {
    StartLoadingScreen(0);
    const uint8_t* pixels = LoadingImageList[0].picture + GFX0_HEADER_SIZE;
    auto pictureAt = [&](int x, int y) {
        const uint8_t* p = pixels + (size_t(y) * 800 + size_t(x)) * 3;
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    };
    EXPECT_EQ(ScreenPixel(0, 0), pictureAt(0, 0));
    EXPECT_EQ(ScreenPixel(799, 599), pictureAt(799, 599));
    // Drawn from above and left of the screen: the cut part is skipped.
    GfxClearScreen();
    ShowLoadingImage(-10, -20, 0, 0, 0);
    EXPECT_EQ(ScreenPixel(0, 0), pictureAt(10, 20));
    EXPECT_EQ(ScreenPixel(789, 579), pictureAt(799, 599));
    EXPECT_EQ(ScreenPixel(790, 580), 0u);
    GfxClearScreen();
    ShowLoadingImage(0, 0, 0, 0, 1);  // no such image
    EXPECT_EQ(ScreenPixel(400, 300), 0u);
    StopLoadingScreen();
}

}  // namespace
