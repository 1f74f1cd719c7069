#include <gtest/gtest.h>

#include <string>

#include "core/base/debug.h"
#include "game/system/mainwindow.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "tests/fakes/support_env.h"
#include "tests/fakes/test_util.h"

namespace {

int g_count_a = 0;
int g_count_b = 0;
void CountA() { ++g_count_a; }
void CountB() { ++g_count_b; }
void Nested() {
    ++g_count_a;
    Poll();  // re-entry does nothing
}

class PollTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_count_a = g_count_b = 0;
        testenv::StartCore();
    }
    void TearDown() override { testenv::StopCore(); }
    static void MoveTo(uint32_t tick) {
        uint32_t now = GetTimerTicks();
        if (tick > now) testenv::AdvanceTicks(tick - now);
        ASSERT_EQ(GetTimerTicks(), tick);
    }
};

TEST_F(PollTest, TicksCountFiveHundredPerSecond) {
    uint32_t start = GetTimerTicks();
    plat::AdvanceClockMicroseconds(1000000);
    EXPECT_EQ(GetTimerTicks() - start, 500u);
    plat::AdvanceClockMicroseconds(1999);  // part of a tick is not counted
    EXPECT_EQ(GetTimerTicks() - start, 500u);
}

TEST_F(PollTest, RateFiftyAddedAtTickThousandFirstRunsAfter1050) {
    MoveTo(1000);
    int key = AddPollFunction(CountA, 50, 0);
    MoveTo(1050);
    Poll();
    EXPECT_EQ(g_count_a, 0);
    MoveTo(1051);
    Poll();
    EXPECT_EQ(g_count_a, 1);
    Poll();
    EXPECT_EQ(g_count_a, 1);
    RemovePollFunction(key);
}

TEST_F(PollTest, RateMinusOneRunsEveryPollAndRateZeroNeedsTheClockToMove) {
    int every = AddPollFunction(CountA, POLL_EVERY_TIME, 0);
    int zero = AddPollFunction(CountB, 0, 7);
    Poll();
    Poll();
    EXPECT_EQ(g_count_a, 2);
    EXPECT_EQ(g_count_b, 0);
    testenv::AdvanceTicks(1);
    Poll();
    EXPECT_EQ(g_count_a, 3);
    EXPECT_EQ(g_count_b, 1);
    RemovePollFunction(every);
    RemovePollFunction(zero);
}

// A slot's function that takes time moves the clock for the slots after it:
// the later slot is due by the time it is reached, not by the poll's start.
void SpendTwentyTicks() {
    ++g_count_a;
    testenv::AdvanceTicks(20);
}

TEST_F(PollTest, TimeSpentInASlotCountsForTheSlotsAfterIt) {
    MoveTo(1000);
    int slow = AddPollFunction(SpendTwentyTicks, POLL_EVERY_TIME, 0);
    int later = AddPollFunction(CountB, 10, 0);
    Poll();
    EXPECT_EQ(g_count_a, 1);
    EXPECT_EQ(g_count_b, 1);  // 1000 + 10 < 1020 once the first slot has run
    RemovePollFunction(later);
    int idle = AddPollFunction(CountB, 10, 0);
    RemovePollFunction(slow);
    Poll();  // no function runs before it: 1020 + 10 is not yet passed
    EXPECT_EQ(g_count_b, 1);
    RemovePollFunction(idle);
}

TEST_F(PollTest, KeysAreLowestFreeSlotsAndStayPut) {
    int a = AddPollFunction(CountA, 5, 0);
    int b = AddPollFunction(CountB, 5, 0);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    RemovePollFunction(a);
    EXPECT_EQ(AddPollFunction(CountA, 5, 0), 0);
    RemovePollFunction(0);
    RemovePollFunction(1);
}

TEST_F(PollTest, PollIsNotReentrant) {
    int key = AddPollFunction(Nested, POLL_EVERY_TIME, 0);
    Poll();
    EXPECT_EQ(g_count_a, 1);
    RemovePollFunction(key);
}

TEST_F(PollTest, LatePollWarnsAndIsCountedAtShutdown) {
    DebugSetLevel(DEBUG_POLL, 5);
    StdoutCapture out;
    Poll();
    testenv::AdvanceTicks(3000);  // six seconds without a poll
    Poll();
    Poll();
    UninitPoll();
    std::string text = out.Text();
    DebugSetLevel(DEBUG_POLL, 0);
    EXPECT_NE(text.find("Warning: Poll(): not called for over 5 seconds\n"), std::string::npos);
    EXPECT_EQ(text.find("Warning: Poll()"), text.rfind("Warning: Poll()"));
    EXPECT_NE(text.find("UninitPoll(): Warning: On 1 occasions, Poll() was not called for over 5 seconds\n"),
              std::string::npos);
}

TEST_F(PollTest, UnreleasedFunctionsAreReportedAtShutdown) {
    AddPollFunction(CountA, 10, 0);
    StdoutCapture out;
    UninitPoll();
    EXPECT_EQ(out.Text(), "Error: UninitPoll(): function not released (index 0)\n");
}

// The clock stands still while the window is in the background: the test
// loses focus, and while the pump blocks, time passes and focus returns.
void PassTimeThenRefocus() {
    plat::AdvanceClockMicroseconds(10 * 1000000);
    plat::InjectFocus(true);
    plat::SetIdleHook(nullptr);
}

int g_switches[4];
int g_switch_count = 0;
void RecordSwitch(uint8_t state) {
    if (g_switch_count < 4) g_switches[g_switch_count] = state;
    ++g_switch_count;
}

TEST_F(PollTest, TickCountStandsStillWhileInactive) {
    g_switch_count = 0;
    WinAddTaskswitchFunc(RecordSwitch);
    testenv::AdvanceTicks(100);
    uint32_t before = GetTimerTicks();
    plat::InjectFocus(false);
    plat::SetIdleHook(PassTimeThenRefocus);
    Poll();
    EXPECT_EQ(GetTimerTicks(), before);
    EXPECT_EQ(WinWasReactivated(), 1);
    EXPECT_EQ(WinWasReactivated(), 0);
    ASSERT_EQ(g_switch_count, 2);
    EXPECT_EQ(g_switches[0], TASKSWITCH_IDLE);
    EXPECT_EQ(g_switches[1], TASKSWITCH_ACTIVE);
    testenv::AdvanceTicks(5);
    EXPECT_EQ(GetTimerTicks(), before + 5);
    WinRemoveTaskswitchFunc(RecordSwitch);
}

TEST_F(PollTest, WaitTicksPollsUntilTheTarget) {
    int key = AddPollFunction(CountA, POLL_EVERY_TIME, 0);
    uint32_t start = GetTimerTicks();
    WaitTicks(20);  // the manual clock moves as the wait sleeps
    EXPECT_GE(GetTimerTicks(), start + 20);
    EXPECT_GE(g_count_a, 20);
    RemovePollFunction(key);
}

using PollDeathTest = PollTest;

TEST_F(PollDeathTest, BadKeysAndMisuseAbort) {
    EXPECT_FATAL(RemovePollFunction(32), "RemovePollFunction\\(\\): bad index");
    EXPECT_FATAL(RemovePollFunction(-1), "RemovePollFunction\\(\\): bad index");
    EXPECT_FATAL(RemovePollFunction(3), "RemovePollFunction\\(\\): no function to remove");
    EXPECT_FATAL(InitPoll(), "InitPoll\\(\\): already initialised");
    EXPECT_FATAL(InitTimerInterrupt(), "Cannot set timer interrupt if already running");
}

TEST_F(PollDeathTest, FullTableAborts) {
    EXPECT_FATAL(
        {
            for (int i = 0; i < 33; ++i) AddPollFunction(CountA, 10, 0);
        },
        "cannot add another poll item - increase MAX_POLL_ITEMS");
}

TEST_F(PollDeathTest, TimerMisuseEndsTheProgram) {
    EXPECT_FATAL(
        {
            UninitPoll();
            ClearTimerInterrupt();
            ClearTimerInterrupt();
        },
        "Error: ClearTimerInterrupt\\(\\): Cannot stop timer interrupt if not running");
    EXPECT_FATAL(
        {
            UninitPoll();
            ClearTimerInterrupt();
            InitPoll();
        },
        "InitPoll\\(\\): timer interrupt not initialised");
    EXPECT_FATAL(
        {
            plat::FailNextCounterRead();
            GetTimerTicks();
        },
        "GetPerfCounter\\(\\): failed to QueryPerformanceCounter\\(\\)");
}

TEST_F(PollDeathTest, ClockRunningBackwardsIsFatal) {
    EXPECT_FATAL(
        {
            testenv::AdvanceTicks(10);
            GetTimerTicks();
            plat::SetManualClock(true, 1000000);  // back to the start
            GetTimerTicks();
        },
        "Timer Error!!: next val 0 less than old val 10");
}

}  // namespace
