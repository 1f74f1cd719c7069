// The tick clock: 1/500-second ticks from the performance counter, standing
// still while the application is inactive.
#pragma once
#include <cstdint>

constexpr int TIMER_TICKS_PER_SECOND = 500;

void InitTimerInterrupt();
void ClearTimerInterrupt();
uint32_t GetTimerTicks();
int TimerIsRunning();
double GetPerfCounter();
void WaitUntilTicks(uint32_t target);
void WaitTicks(uint32_t ticks);
