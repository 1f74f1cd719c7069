#include "platform/clock.h"

#include <time.h>
#include <ctime>

namespace plat {
namespace {

bool g_manual = false;
uint64_t g_manual_count = 0;
bool g_fail_next_read = false;
constexpr uint64_t kManualFrequency = 1000000;
constexpr uint64_t kHostFrequency = 1000000000;

}  // namespace

bool QueryPerformanceFrequency(uint64_t* counts_per_second) {
    *counts_per_second = g_manual ? kManualFrequency : kHostFrequency;
    return true;
}

bool QueryPerformanceCounter(uint64_t* count) {
    if (g_fail_next_read) {
        g_fail_next_read = false;
        return false;
    }
    if (g_manual) {
        *count = g_manual_count;
        return true;
    }
    timespec ts;
    if (clock_gettime(CLOCK_MONOTONIC, &ts) != 0) return false;
    *count = uint64_t(ts.tv_sec) * kHostFrequency + uint64_t(ts.tv_nsec);
    return true;
}

void Sleep(uint32_t milliseconds) {
    if (g_manual) {
        g_manual_count += uint64_t(milliseconds) * (kManualFrequency / 1000);
        return;
    }
    timespec ts{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0) {}
}

int64_t CalendarTime() { return int64_t(std::time(nullptr)); }

uint32_t ClockMilliseconds() {
    if (g_manual) return uint32_t(g_manual_count / (kManualFrequency / 1000));
    timespec ts;
    if (clock_gettime(CLOCK_MONOTONIC, &ts) != 0) return 0;
    return uint32_t(uint64_t(ts.tv_sec) * 1000 + uint64_t(ts.tv_nsec) / 1000000);
}

void SetManualClock(bool manual, uint64_t start_count) {
    g_manual = manual;
    g_manual_count = start_count;
}

bool IsManualClock() { return g_manual; }
void AdvanceClockMicroseconds(uint64_t microseconds) { g_manual_count += microseconds; }
void FailNextCounterRead() { g_fail_next_read = true; }

}  // namespace plat
