#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/debug.h"
#include "core/base/exitlist.h"
#include "game/system/mainwindow.h"
#include "platform/window.h"
#include "tests/fakes/support_env.h"
#include "tests/fakes/test_util.h"

namespace {

std::vector<int> g_seen;

template <int N, bool Handles>
int64_t Proc(WinHandle w, uint32_t msg, uint64_t wp, int64_t lp) {
    if (msg != WM_KEYDOWN) return WinNotHandled(w, msg, wp, lp);
    g_seen.push_back(N);
    if (!Handles) return WinNotHandled(w, msg, wp, lp);
    return 77;
}

class WinlibTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_seen.clear();
        WinResetForTests();
        WinInit(nullptr, "Halvorn test", WIN_FLAG_WINDOWED);
        while (!WinIsActive()) WinIdleMessageHandler();
    }
    void TearDown() override { WinResetForTests(); }
};

TEST_F(WinlibTest, AHandlingProcedureStopsTheWalk) {
    WinAddWindowProc(Proc<0, false>);
    WinAddWindowProc(Proc<1, true>);
    WinAddWindowProc(Proc<2, true>);
    EXPECT_EQ(WinMainWindowProc(WinGetWindowHandle(), WM_KEYDOWN, 0, 0), 77);
    EXPECT_EQ(g_seen, (std::vector<int>{0, 1}));
}

TEST_F(WinlibTest, ProceduresAreSkippedWhileInactive) {
    WinAddWindowProc(Proc<0, true>);
    WinMainWindowProc(WinGetWindowHandle(), WM_ACTIVATE, 0, 0);
    EXPECT_FALSE(WinIsActive());
    EXPECT_EQ(WinMainWindowProc(WinGetWindowHandle(), WM_KEYDOWN, 0, 0), 0);
    EXPECT_TRUE(g_seen.empty());
}

TEST_F(WinlibTest, RemovingAWindowProcLeavesAHole) {
    for (int i = 0; i < 4; ++i) EXPECT_EQ(WinAddWindowProc(Proc<0, true>), i);
    WinRemoveWindowProc(2);
    EXPECT_EQ(WinAddWindowProc(Proc<1, true>), 2);
    EXPECT_EQ(WinAddWindowProc(Proc<1, true>), 4);
}

std::vector<std::pair<int, int>> g_switch_calls;
template <int N>
void Switch(uint8_t state) {
    g_switch_calls.push_back({N, state});
}

TEST_F(WinlibTest, TaskswitchRemovalShiftsAndRepeatsAreIgnored) {
    g_switch_calls.clear();
    WinAddTaskswitchFunc(Switch<0>);
    WinAddTaskswitchFunc(Switch<1>);
    WinAddTaskswitchFunc(Switch<2>);
    WinAddTaskswitchFunc(Switch<3>);
    WinRemoveTaskswitchFunc(Switch<2>);
    WinCallTaskswitchFuncs(TASKSWITCH_IDLE);
    WinCallTaskswitchFuncs(TASKSWITCH_IDLE);  // ignored
    WinCallTaskswitchFuncs(TASKSWITCH_ACTIVE);
    std::vector<std::pair<int, int>> expected = {{0, 0}, {1, 0}, {3, 0}, {0, 1}, {1, 1}, {3, 1}};
    EXPECT_EQ(g_switch_calls, expected);
}

TEST_F(WinlibTest, FocusLossBlocksThePumpUntilReturn) {
    g_switch_calls.clear();
    WinAddTaskswitchFunc(Switch<0>);
    plat::InjectFocus(false);
    plat::InjectFocus(true);
    WinMessageHandler();
    EXPECT_TRUE(WinIsActive());
    std::vector<std::pair<int, int>> expected = {{0, 0}, {0, 1}};
    EXPECT_EQ(g_switch_calls, expected);
}

int g_nested_result = -1;
int64_t OpenNestedBox(WinHandle, uint32_t, uint64_t, int64_t) { return 0; }

TEST_F(WinlibTest, CloseRequestIsRecordedAndTheWindowStays) {
    EXPECT_EQ(WinCloseRequested(), 0);
    plat::InjectClose();
    WinMessageHandler();
    EXPECT_EQ(WinCloseRequested(), 1);
    EXPECT_NE(WinGetWindowHandle(), nullptr);
}

TEST_F(WinlibTest, TracesAtWinLevel) {
    DebugSetLevel(DEBUG_WIN, 50);
    StdoutCapture out;
    plat::InjectFocus(false);
    plat::InjectFocus(true);
    WinMessageHandler();
    std::string text = out.Text();
    DebugSetLevel(DEBUG_WIN, 0);
    EXPECT_NE(text.find("WinMainWindowProc(): WM_ACTIVATE inactive\n"), std::string::npos);
    EXPECT_NE(text.find("WinMainWinfowProc(): WM_KILLFOCUS inactive\n"), std::string::npos);
    EXPECT_NE(text.find("WinMessageHandler(): entering idle loop\n"), std::string::npos);
    EXPECT_NE(text.find("WinMessageHandler(): leaving idle loop\n"), std::string::npos);
}

TEST_F(WinlibTest, WindowFlagsAndName) {
    EXPECT_EQ(WinIsWindowed(), 1);
    EXPECT_STREQ(WinGetAppName(), "Halvorn test");
    (void)g_nested_result;
    (void)OpenNestedBox;
}

int g_destroy_exit_runs = 0;
void CountExitRun() { ++g_destroy_exit_runs; }

TEST_F(WinlibTest, DestroyRunsTheExitListOnceAndQuitEndsWithStatusOne) {
    EXPECT_EXIT(
        {
            SendStdoutToStderr();
            DebugSetLevel(DEBUG_WIN, 20);
            OnExitAddEx(CountExitRun, "CountExitRun()");
            DestroyMainWindow();  // runs the exit list, posts the quit message
            std::printf("exit functions run: %d\n", g_destroy_exit_runs);
            for (int i = 0; i < 100; ++i) WinIdleMessageHandler();
        },
        ::testing::ExitedWithCode(1), "exit functions run: 1\n(.|\n)*quit message received - terminating");
}

using WinlibDeathTest = WinlibTest;

TEST_F(WinlibDeathTest, MisuseAborts) {
    EXPECT_FATAL(WinRemoveWindowProc(5), "WinRemoveWindowProc\\(\\): no proc to remove");
    EXPECT_FATAL(WinRemoveTaskswitchFunc(Switch<9>), "WinRemoveTaskswitchFunc\\(\\): function not found");
    EXPECT_FATAL(
        {
            WinAddTaskswitchFunc(Switch<4>);
            WinAddTaskswitchFunc(Switch<4>);
        },
        "WinAddTaskswitchFunc\\(\\): function already added");
    EXPECT_FATAL(
        {
            for (int i = 0; i < 17; ++i) WinAddWindowProc(Proc<0, true>);
        },
        "WinAddWindowProc\\(\\): too many window procs registered");
    std::string long_name(65, 'n');
    EXPECT_FATAL(WinInit(nullptr, long_name.c_str(), 0), "WinInit\\(\\): AppName too long");
}

}  // namespace
