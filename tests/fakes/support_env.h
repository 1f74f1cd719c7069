// A running support core for tests: main window, manual clock, timer and
// poll table, torn down again after each test.
#pragma once
#include <cstdint>

namespace testenv {

// Brings up the window (headless; full screen when windowed is false),
// switches to the manual clock and starts the timer and the poll table.  The
// window starts active.
void StartCore(bool windowed = true);
void StopCore();
// Moves the manual clock by a number of 1/500-second ticks.
void AdvanceTicks(uint32_t ticks);

}  // namespace testenv
