#include <gtest/gtest.h>

#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"
#include "game/system/mouse.h"
#include "game/system/movie.h"
#include "game/system/videosurvey.h"
#include "platform/ddraw.h"
#include "platform/input.h"
#include "platform/mci.h"
#include "platform/window.h"
#include "tests/fakes/support_env.h"

namespace {

// What the idle hook does while a movie plays: time moves on (so the
// window timer fires), the erase-background answer is sampled, and after
// a given number of idles a key or a button goes down.
struct IdleScript {
    int idles = 0;
    int press_escape_at = -1;
    int press_button_at = -1;
    int64_t erase_answer = -1;
};
IdleScript g_script;

void MovieIdle() {
    ++g_script.idles;
    testenv::AdvanceTicks(50);  // 100 ms
    g_script.erase_answer = WinMainWindowProc(WinGetWindowHandle(), plat::kMsgEraseBkgnd, 0, 0);
    if (g_script.idles == g_script.press_escape_at) plat::InjectKey(MOVIE_KEY_ESCAPE, false, true);
    if (g_script.idles == g_script.press_button_at) plat::InjectMouseButton(0, true);
}

class MovieTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_script = IdleScript{};
        testenv::StartCore();
        InitKeyboardInterrupt();
        InitMouseDriver();
        plat::SetIdleHook(MovieIdle);
    }
    void TearDown() override {
        plat::SetTestMovie(-1, 0, 0);
        plat::SetTestCards({});
        UninitMouseDriver();
        plat::ClearMouseButtonStates();
        ClearKeyboardInterrupt();
        testenv::StopCore();
    }
    static int StatusReads() {
        int reads = 0;
        for (const plat::MciCall& c : plat::TestMovieCalls()) reads += c.command == plat::kMciStatus;
        return reads;
    }
};

TEST_F(MovieTest, WithoutAPlayerNothingOpensAndNothingIsLeftBehind) {
    EXPECT_EQ(MovieOpen("intro.avi"), -1);
    EXPECT_EQ(MovieGetDevice(), 0u);
    EXPECT_EQ(MovieIsPlaying(), -1);
    uint16_t w = 0, h = 0;
    EXPECT_EQ(MovieGetSourceSize(&w, &h), -1);
    MoviePlay("intro.avi", MOVIE_STOP_ESCAPE | MOVIE_STOP_MOUSE, 640, 480);
    EXPECT_EQ(MovieGetDevice(), 0u);
    EXPECT_EQ(g_script.idles, 0);  // returned without waiting for messages
    // No extra window procedure stayed: the first free slot follows the
    // keyboard's and the mouse's.
    int slot = WinAddWindowProc(WinNotHandled);
    EXPECT_EQ(slot, 2);
    WinRemoveWindowProc(slot);
}

TEST_F(MovieTest, PlaysToTheEndThroughTheSpecifiedCommands) {
    plat::SetTestMovie(5, 320, 240);
    MoviePlay("intro.avi", 0, 800, 600);
    const auto& calls = plat::TestMovieCalls();
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ(calls[0].command, plat::kMciOpen);
    EXPECT_EQ(calls[0].flags, plat::kMciOpenElement);
    EXPECT_EQ(calls[1].command, plat::kMciWindow);
    EXPECT_EQ(calls[1].window, WinGetWindowHandle());
    EXPECT_EQ(calls[2].command, plat::kMciPut);
    EXPECT_EQ(calls[2].rect.left, 0);
    EXPECT_EQ(calls[2].rect.top, 0);
    EXPECT_EQ(calls[2].rect.right, 800);
    EXPECT_EQ(calls[2].rect.bottom, 600);
    EXPECT_EQ(calls[3].command, plat::kMciPlay);
    EXPECT_EQ(calls[3].flags, plat::kMciFrom | plat::kMciNotify);
    EXPECT_EQ(calls[3].from, 0u);
    EXPECT_EQ(calls.back().command, plat::kMciClose);
    EXPECT_EQ(StatusReads(), 6);  // five "playing", then the end
    EXPECT_FALSE(plat::TestMovieIsOpen());
    EXPECT_EQ(MovieGetDevice(), 0u);
    EXPECT_EQ(g_script.erase_answer, 1);  // answered while playing
    // and the extra window procedure is gone again afterwards.
    EXPECT_EQ(WinMainWindowProc(WinGetWindowHandle(), plat::kMsgEraseBkgnd, 0, 0), 0);
}

TEST_F(MovieTest, EscapeStopsOnlyWhenAsked) {
    plat::SetTestMovie(12, 320, 240);
    g_script.press_escape_at = 2;
    MoviePlay("intro.avi", MOVIE_STOP_MOUSE, 640, 480);
    EXPECT_EQ(StatusReads(), 13);  // played to its end
    plat::SetTestMovie(1000, 320, 240);
    g_script = IdleScript{};
    g_script.press_escape_at = 2;
    MoviePlay("intro.avi", MOVIE_STOP_ESCAPE, 640, 480);
    EXPECT_LT(StatusReads(), 20);
    EXPECT_FALSE(plat::TestMovieIsOpen());
}

TEST_F(MovieTest, MouseButtonStopsOnlyWhenAsked) {
    plat::SetTestMovie(12, 320, 240);
    g_script.press_button_at = 2;
    MoviePlay("intro.avi", MOVIE_STOP_ESCAPE, 640, 480);
    EXPECT_EQ(StatusReads(), 13);
    plat::ClearMouseButtonStates();
    plat::SetTestMovie(1000, 320, 240);
    g_script = IdleScript{};
    g_script.press_button_at = 2;
    MoviePlay("intro.avi", MOVIE_STOP_MOUSE, 640, 480);
    EXPECT_LT(StatusReads(), 20);
    EXPECT_FALSE(plat::TestMovieIsOpen());
}

TEST_F(MovieTest, NothingPlaysOnANonDisplayCard) {
    plat::TestCard card;
    card.guid = plat::Guid{0x1234, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    card.description = "Add-on 3D board";
    card.driver = "addon";
    card.pass = 3;
    plat::SetTestCards({card});
    DXEnumDisplay();
    ASSERT_EQ(DDrawGetDeviceCount(), 2u);
    plat::SetTestMovie(3, 320, 240);
    DDrawSelectDevice(1, 0);
    MoviePlay("intro.avi", 0, 640, 480);
    EXPECT_TRUE(plat::TestMovieCalls().empty());
    DDrawSelectDevice(0, 0);
    MoviePlay("intro.avi", 0, 640, 480);
    EXPECT_FALSE(plat::TestMovieCalls().empty());
}

TEST_F(MovieTest, SourceSizeComesFromTheMovie) {
    plat::SetTestMovie(0, 352, 288);
    ASSERT_EQ(MovieOpen("clip.mpg"), 0);
    EXPECT_NE(MovieGetDevice(), 0u);
    uint16_t w = 0, h = 0;
    ASSERT_EQ(MovieGetSourceSize(&w, &h), 0);
    EXPECT_EQ(w, 352);
    EXPECT_EQ(h, 288);
    EXPECT_EQ(MovieIsPlaying(), 0);
    EXPECT_EQ(MovieClose(), 0);
    EXPECT_EQ(MovieGetDevice(), 0u);
    EXPECT_EQ(MovieClose(), -1);  // nothing open
}

}  // namespace
