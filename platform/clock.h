// Host time: a performance counter with its frequency, and sleeping.
// Tests can switch to a manual clock that only moves when they say so (or
// when the game sleeps), so timing rules can be checked without real time.
#pragma once
#include <cstdint>

namespace plat {

bool QueryPerformanceFrequency(uint64_t* counts_per_second);
bool QueryPerformanceCounter(uint64_t* count);
void Sleep(uint32_t milliseconds);
// Seconds since the epoch, for seeding.
int64_t CalendarTime();
// Milliseconds on the clock the game runs on: the host's steady clock, or
// the manual clock while tests drive it.
uint32_t ClockMilliseconds();

// ---- Test seam ----------------------------------------------------------
// In manual mode the counter runs at 1,000,000 counts per second, starts at
// the given value and moves only by AdvanceClock or Sleep.
void SetManualClock(bool manual, uint64_t start_count = 1000000);
bool IsManualClock();
void AdvanceClockMicroseconds(uint64_t microseconds);
// Makes the next counter read fail (for the failure paths).
void FailNextCounterRead();

}  // namespace plat
