// The menu engine set up on a headless 800 x 600 display with the manual
// clock, the mouse and keyboard running and the scripted user attached.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/screenmachine.h"
#include "game/system/display2d.h"
#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"
#include "game/system/mouse.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/menu_user.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

class MenuEngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        scratch_ = std::make_unique<testenv::ScratchDir>();
        if (!testenv::StartMenuDisplay(HALVORN_GAME_DIR, bitsPerPixel_, windowFlags_))
            GTEST_FAIL() << GameDataMissing("pakfiles/demo.pki");
        FreeScreenBuffers();
        RestoreGraphicMode();
        plat::SetManualClock(true);
        InitTimerInterrupt();
        InitPoll();
        InitMouseDriver();
        InitKeyboardInterrupt();
        {
            StdoutCapture quiet;
            RestartMenus();
            quiet.Text();
        }
        // No timed wipes: they take seconds on the headless display.
        ScreenPresented = 1;
        FillSolidRect(0, 0, 800, 600, 0x2104);
        SaveScreen();
        testenv::MenuUserStart();
        started_ = true;
    }
    void TearDown() override {
        if (!started_) return;
        testenv::MenuUserStop();
        ReleaseMenuBuffers();
        ClearKeyboardInterrupt();
        UninitMouseDriver();
        UninitPoll();
        ClearTimerInterrupt();
        plat::SetManualClock(false);
        testenv::StopMenuPaint();
        scratch_.reset();
    }

  public:
    static std::vector<uint8_t> BackRect(int x, int y, int w, int h) {
        std::vector<uint8_t> pixels;
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col) {
                const uint32_t p = GetBackBufferPixel(x + col, y + row);
                pixels.push_back(uint8_t(p));
                pixels.push_back(uint8_t(p >> 8));
                pixels.push_back(uint8_t(p >> 16));
            }
        return pixels;
    }

  protected:
    std::unique_ptr<testenv::ScratchDir> scratch_;
    bool started_ = false;
    // A fixture may choose full screen (0), which has no 24-bit modes.
    uint32_t windowFlags_ = WIN_FLAG_WINDOWED;
    int bitsPerPixel_ = 24;
};
