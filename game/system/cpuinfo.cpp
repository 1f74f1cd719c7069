#include "game/system/cpuinfo.h"

#include <cmath>

#include "core/base/debug.h"
#include "game/system/tickclock.h"

int CPUSpeedTest() {
    if (!TimerIsRunning()) {
        AbortError("cpuinfo", __LINE__, "CPUSpeedTest(): timer interrupt not initialised");
    }
    uint32_t start = GetTimerTicks();
    while (GetTimerTicks() < start + 125) {}
    uint32_t measure_start = GetTimerTicks();
    volatile double x = 3.1415926535927;
    const double y = 0.98723523524623;
    int rounds = 0;
    while (GetTimerTicks() < measure_start + 500) {
        x = std::sin(x * y) + 1.2e-20;
        ++rounds;
    }
    int estimate = rounds / 11500;
    DebugLog(DEBUG_GENERAL, 40, "CPUSpeedTest(): CPU speed approx %dMHz Pentium\n", estimate);
    return estimate;
}
