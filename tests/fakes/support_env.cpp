#include "tests/fakes/support_env.h"

#include "game/system/mainwindow.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"

namespace testenv {

void StartCore(bool windowed) {
    WinResetForTests();
    plat::SetManualClock(true);
    WinInit(nullptr, "Halvorn test", windowed ? WIN_FLAG_WINDOWED : 0u);
    // Process the activation messages of the new window.
    while (!WinIsActive()) WinIdleMessageHandler();
    InitTimerInterrupt();
    InitPoll();
}

void StopCore() {
    if (PollIsInitialised()) UninitPoll();
    if (TimerIsRunning()) ClearTimerInterrupt();
    WinResetForTests();
    plat::SetIdleHook(nullptr);
    plat::SetManualClock(false);
}

void AdvanceTicks(uint32_t ticks) { plat::AdvanceClockMicroseconds(uint64_t(ticks) * 2000); }

}  // namespace testenv
