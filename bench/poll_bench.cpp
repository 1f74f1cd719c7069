// Cost of one Poll with a full table of functions that are not yet due and
// with functions due on every call: the match loop polls once per tick.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "game/system/mainwindow.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"

namespace {

int g_calls = 0;
void Work() { ++g_calls; }

void StartSupportCore() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    plat::SetManualClock(true);
    WinInit(nullptr, "Halvorn bench", WIN_FLAG_WINDOWED);
    while (!WinIsActive()) WinIdleMessageHandler();
    InitTimerInterrupt();
    InitPoll();
}

void StopSupportCore() {
    UninitPoll();
    ClearTimerInterrupt();
    WinResetForTests();
}

void BM_PollNothingDue(benchmark::State& state) {
    StartSupportCore();
    int keys[MAX_POLL_ITEMS];
    for (int& k : keys) k = AddPollFunction(Work, 1000000, 0);
    for (auto _ : state) Poll();
    for (int k : keys) RemovePollFunction(k);
    StopSupportCore();
}
BENCHMARK(BM_PollNothingDue);

void BM_PollEveryFunctionDue(benchmark::State& state) {
    StartSupportCore();
    int keys[MAX_POLL_ITEMS];
    for (int& k : keys) k = AddPollFunction(Work, POLL_EVERY_TIME, 0);
    for (auto _ : state) Poll();
    benchmark::DoNotOptimize(g_calls);
    for (int k : keys) RemovePollFunction(k);
    StopSupportCore();
}
BENCHMARK(BM_PollEveryFunctionDue);

}  // namespace

BENCHMARK_MAIN();
