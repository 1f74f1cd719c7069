#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/debug.h"
#include "core/base/exitlist.h"
#include "tests/fakes/test_util.h"

namespace {

std::vector<int> g_calls;
template <int N>
void Record() {
    g_calls.push_back(N);
}

// Functions by slot name: tests only add the Record<N> family.
using Fn = void (*)();
Fn g_added[MAX_ONEXIT + 1];
int g_added_count = 0;

class OnExitTest : public ::testing::Test {
  protected:
    // The added functions are counted from the test's own first: tests
    // name them by their place in the order added.
    void SetUp() override {
        g_calls.clear();
        g_added_count = 0;
    }
    // Leaves the shared exit list empty for the next test.
    void TearDown() override {
        while (OnExitCount() > 0) OnExitRemoveSlot0();
    }
    static void OnExitRemoveSlot0();
};

void Add(Fn f, const char* name) {
    OnExitAddEx(f, name);
    g_added[g_added_count++] = f;
}

void OnExitTest::OnExitRemoveSlot0() {
    for (int i = 0; i < g_added_count; ++i) {
        if (g_added[i] != nullptr) {
            OnExitRemove(g_added[i]);
            g_added[i] = nullptr;
            return;
        }
    }
    FAIL() << "exit list holds a function this test did not add";
}

TEST_F(OnExitTest, RunsNewestFirstAndRemovalKeepsOrder) {
    Add(Record<0>, "f0");
    Add(Record<1>, "f1");
    Add(Record<2>, "f2");
    Add(Record<3>, "f3");
    Add(Record<4>, "f4");
    Add(Record<5>, "f5");
    OnExitRemove(Record<3>);
    g_added[3] = nullptr;
    EXPECT_EQ(std::string(OnExitName(3)), "f4");
    EXPECT_EQ(std::string(OnExitName(4)), "f5");
    EXPECT_EQ(OnExitName(5), nullptr);
    OnExitRun();
    EXPECT_EQ(g_calls, (std::vector<int>{5, 4, 2, 1, 0}));
    OnExitRun();  // a second run finds everything done
    EXPECT_EQ(g_calls.size(), 5u);
}

TEST_F(OnExitTest, TracesAtLevelTwenty) {
    DebugSetLevel(DEBUG_GENERAL, 50);
    StdoutCapture out;
    Add(Record<7>, "Seven()");
    OnExitRun();
    std::string text = out.Text();
    DebugSetLevel(DEBUG_GENERAL, 0);
    EXPECT_NE(text.find("OnExitAddEx(): adding function at slot 0 (Seven())\n"), std::string::npos);
    EXPECT_NE(text.find("OnExitRun(): running slot 0 (Seven())\n"), std::string::npos);
}

using OnExitDeathTest = OnExitTest;

TEST_F(OnExitDeathTest, AddingTwiceIsFatal) {
    EXPECT_FATAL(
        {
            OnExitAddEx(Record<1>, "one");
            OnExitAddEx(Record<1>, "one again");
        },
        "OnExitAddEx\\(\\): function already added \\(one again\\)");
}

// 65 distinct functions.
template <int... N>
void AddMany(std::integer_sequence<int, N...>) {
    (OnExitAddEx(Record<N>, "many"), ...);
}

TEST_F(OnExitDeathTest, SixtyFifthFunctionIsFatal) {
    EXPECT_FATAL(AddMany(std::make_integer_sequence<int, 65>{}),
                 "OnExitAddEx\\(\\): no free slots - increase MAX_ONEXIT");
}

TEST_F(OnExitDeathTest, RemovingAnUnknownFunctionIsFatal) {
    EXPECT_FATAL(OnExitRemove(Record<9>), "OnExitRemove\\(\\): function not found in exit list");
}

void FailingExitFunction() { FatalError("exit function failed\n"); }
void LoudExitFunction() { std::printf("older exit function ran\n"); }

TEST_F(OnExitDeathTest, FatalErrorInsideAnExitFunctionStopsAtOnce) {
    EXPECT_EXIT(
        {
            SendStdoutToStderr();
            OnExitAddEx(LoudExitFunction, "loud");
            OnExitAddEx(FailingExitFunction, "failing");
            FatalError("first failure\n");
        },
        ::testing::ExitedWithCode(1),
        "first failure(.|\n)*exit function failed(.|\n)*Error: Error during error handler\n$");
}

TEST_F(OnExitDeathTest, ProcessExitRunsTheList) {
    EXPECT_EXIT(
        {
            SendStdoutToStderr();
            OnExitAddEx(LoudExitFunction, "loud");
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), "older exit function ran");
}

}  // namespace
