// The drawing half of the X display check (tests/xvfb_frame.sh): it opens a
// real window on the X display the script started, draws a frame and keeps
// it shown until the script has taken its screenshot.  Run on its own it
// skips.
#include <gtest/gtest.h>

#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "game/system/display2d.h"
#include "game/system/mainwindow.h"
#include "game/system/videosurvey.h"
#include "platform/ddraw.h"
#include "tests/fakes/test_util.h"

namespace {

TEST(XvfbFrame, ShowsTheDrawnFrameUntilTheScreenshotIsTaken) {
    const char* dir = std::getenv("HALVORN_XVFB_FRAME");
    if (dir == nullptr)
        GTEST_SKIP()
            << "runs only under tests/xvfb_frame.sh (the test XvfbFrame.ScreenshotShowsTheDrawnColours)";
    const std::string ready = std::string(dir) + "/ready";
    const std::string done = std::string(dir) + "/done";

    WinResetForTests();
    WinInit(nullptr, "Halvorn frame check", WIN_FLAG_WINDOWED);
    for (int i = 0; i < 200 && !WinIsActive(); ++i) WinMessageHandler();
    DXEnumDisplay();
    DDrawSelectDevice(0, -1);
    StdoutCapture quiet;
    GfxInit(0);
    quiet.Text();
    int mode = GfxFindMode(320, 240, 3);
    ASSERT_GE(mode, 0);
    SetGraphicMode(int16_t(mode), 0);
    const ColFmt* f = GfxGetScreenFormat();
    GfxFillRect(0, 0, 320, 240, 0);
    DDrawSurfaceInfo* s = nullptr;
    DDrawBeginDraw(&s);
    DDrawEndDraw(&s, 0, 0, 0, 0);
    auto box = [&](int x, int y, uint32_t colour) {
        for (int j = 0; j < 40; ++j) GfxDrawLine(x, y + j, x + 60, y + j, colour);
    };
    box(20, 20, ColConvRGB2Pixel(f, 255, 0, 0, 0));
    box(120, 20, ColConvRGB2Pixel(f, 0, 255, 0, 0));
    box(220, 20, ColConvRGB2Pixel(f, 0, 0, 255, 0));
    GfxDrawText(20, 120, "HALVORN");

    auto start = std::chrono::steady_clock::now();
    bool announced = false;
    while (access(done.c_str(), F_OK) != 0) {
        plat::InvalidateWindow();
        WinMessageHandler();
        plat::FlushPendingPresent();
        if (!announced && plat::PresentCount() > 0) {
            std::ofstream(ready) << "ready\n";
            announced = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    }
    RestoreGraphicMode();
    GfxUninit();
    WinResetForTests();
}

}  // namespace
