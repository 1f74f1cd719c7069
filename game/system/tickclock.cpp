#include "game/system/tickclock.h"

#include <cmath>

#include "core/base/debug.h"
#include "core/base/exitlist.h"
#include "game/system/mainwindow.h"
#include "game/system/poll.h"
#include "platform/clock.h"

namespace {

bool g_running = false;
double g_start_count = 0.0;
double g_pause_start = 0.0;
double g_frequency = 1.0;
uint32_t g_last_ticks = 0;

void TimerTaskswitchFunc(uint8_t state) {
    if (state == TASKSWITCH_IDLE) {
        g_pause_start = GetPerfCounter();
    } else if (state == TASKSWITCH_ACTIVE) {
        g_start_count += GetPerfCounter() - g_pause_start;
    }
}

}  // namespace

double GetPerfCounter() {
    uint64_t count = 0;
    if (!plat::QueryPerformanceCounter(&count)) {
        AbortError("timerint", __LINE__, "GetPerfCounter(): failed to QueryPerformanceCounter()");
    }
    uint32_t high = uint32_t(count >> 32);
    uint32_t low = uint32_t(count);
    return double(high) * 4294967296.0 + double(low);
}

void InitTimerInterrupt() {
    DebugLog(DEBUG_GENERAL, 1, "InitTimerInterrupt(): initialising timer...\n");
    if (g_running) {
        FatalError("Error: InitTimerInterrupt(): Cannot set timer interrupt if already running\n");
    }
    uint64_t frequency = 0;
    if (!plat::QueryPerformanceFrequency(&frequency) || frequency == 0) {
        AbortError("timerint", __LINE__, "InitTimeerInterrupt(): QueryPerformanceFrequency failed");
    }
    g_frequency = double(frequency);
    g_start_count = g_pause_start = GetPerfCounter();
    // A clock started again counts from 0 again: the last value of the one
    // before must not make it look as if it ran backwards.
    g_last_ticks = 0;
    WinAddTaskswitchFunc(TimerTaskswitchFunc);
    g_running = true;
    OnExitAddEx(ClearTimerInterrupt, "ClearTimerInterrupt()");
    DebugLog(DEBUG_GENERAL, 1, "InitTimerInterrupt(): initialised\n");
}

void ClearTimerInterrupt() {
    if (!g_running) {
        FatalError("Error: ClearTimerInterrupt(): Cannot stop timer interrupt if not running\n");
    }
    OnExitRemove(ClearTimerInterrupt);
    g_running = false;
    WinRemoveTaskswitchFunc(TimerTaskswitchFunc);
    DebugLog(DEBUG_GENERAL, 1, "ClearTimerInterrupt(): cleared\n");
}

uint32_t GetTimerTicks() {
    double ticks = (GetPerfCounter() - g_start_count) / g_frequency * 500.0;
    uint32_t value = uint32_t(uint64_t(int64_t(std::trunc(ticks))));
    if (value < g_last_ticks) {
        FatalError("Timer Error!!: next val %u less than old val %u\n", value, g_last_ticks);
    }
    g_last_ticks = value;
    return value;
}

int TimerIsRunning() { return g_running ? 1 : 0; }

void WaitUntilTicks(uint32_t target) {
    while (GetTimerTicks() < target) {
        plat::Sleep(1);
        Poll();
    }
}

void WaitTicks(uint32_t ticks) { WaitUntilTicks(GetTimerTicks() + ticks); }
