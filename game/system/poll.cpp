#include "game/system/poll.h"

#include <cstdio>

#include "core/base/debug.h"
#include "game/system/mainwindow.h"
#include "game/system/tickclock.h"

namespace {

struct PollSlot {
    PollFunc function;
    int32_t rate;
    int32_t flags;
    uint32_t last_call;
};

constexpr uint32_t kLatePollTicks = 2500;  // 5 seconds
constexpr int kLatePollSeconds = 5;

PollSlot g_slots[MAX_POLL_ITEMS];
bool g_initialised = false;
bool g_in_poll = false;
uint32_t g_end_of_last_poll = 0;
int g_late_polls = 0;

}  // namespace

void InitPoll() {
    DebugLog(DEBUG_POLL, 1, "InitPoll(): initialising...\n");
    if (g_initialised) AbortError("poll", __LINE__, "InitPoll(): already initialised");
    if (!TimerIsRunning()) AbortError("poll", __LINE__, "InitPoll(): timer interrupt not initialised");
    for (PollSlot& s : g_slots) s = PollSlot{};
    g_end_of_last_poll = GetTimerTicks();
    g_late_polls = 0;
    g_initialised = true;
    g_in_poll = false;
}

int16_t AddPollFunction(PollFunc function, int32_t rate, int32_t flags) {
    if (!g_initialised) AbortError("poll", __LINE__, "AddPollFunction(): not initialised");
    DebugLog(DEBUG_POLL, 50, "AddPollFunction(): adding func, addr 0x%08X, rate %d, flags %d\n",
             unsigned(reinterpret_cast<uintptr_t>(function)), rate, flags);
    for (int i = 0; i < MAX_POLL_ITEMS; ++i) {
        if (g_slots[i].function != nullptr) continue;
        g_slots[i] = PollSlot{function, rate, flags, GetTimerTicks()};
        DebugLog(DEBUG_POLL, 50, "AddPollFunction(): added function at index %d\n", i);
        return int16_t(i);
    }
    AbortError("poll", __LINE__, "AddPollFunction(): cannot add another poll item - increase MAX_POLL_ITEMS");
}

void RemovePollFunction(int key) {
    if (!g_initialised) AbortError("poll", __LINE__, "RemovePollFunction(): not initialised");
    if (key < 0 || key >= MAX_POLL_ITEMS) AbortError("poll", __LINE__, "RemovePollFunction(): bad index");
    DebugLog(DEBUG_POLL, 50, "RemovePollFunction(): removing function - key %d\n", key);
    if (g_slots[key].function == nullptr) {
        AbortError("poll", __LINE__, "RemovePollFunction(): no function to remove\n");
    }
    g_slots[key] = PollSlot{};
}

void Poll() {
    if (g_in_poll) return;
    g_in_poll = true;
    WinMessageHandler();
    if (g_initialised) {
        uint32_t now = GetTimerTicks();
        if (now - g_end_of_last_poll > kLatePollTicks) {
            ++g_late_polls;
            DebugLog(DEBUG_POLL, 5, "Warning: Poll(): not called for over %d seconds\n", kLatePollSeconds);
        }
        // The clock is read again only after a slot's function has run: the
        // core's whole-table passes poll once per record, and a clock read per
        // filled slot was a fifth of a day's work through the screens.
        for (int i = 0; i < MAX_POLL_ITEMS; ++i) {
            PollSlot& s = g_slots[i];
            if (s.function == nullptr) continue;
            bool due = s.rate == POLL_EVERY_TIME || s.last_call + uint32_t(s.rate) < now;
            if (!due) continue;
            DebugLog(DEBUG_POLL, 120, "Poll(): calling function - addr 0x%08X, key %d\n",
                     unsigned(reinterpret_cast<uintptr_t>(s.function)), i);
            s.last_call = now;
            s.function();
            now = GetTimerTicks();
        }
        g_in_poll = false;
        g_end_of_last_poll = now;
        return;
    }
    g_in_poll = false;
    if (TimerIsRunning()) g_end_of_last_poll = GetTimerTicks();
}

void UninitPoll() {
    if (!g_initialised) AbortError("poll", __LINE__, "UninitPoll(): not initialised");
    DebugLog(DEBUG_POLL, 1, "UninitPoll(): uninitialising\n");
    if (g_late_polls > 0) {
        DebugLog(DEBUG_POLL, 1,
                 "UninitPoll(): Warning: On %d occasions, Poll() was not called for over %d seconds\n",
                 g_late_polls, kLatePollSeconds);
    }
    for (int i = 0; i < MAX_POLL_ITEMS; ++i) {
        if (g_slots[i].function != nullptr) {
            std::printf("Error: UninitPoll(): function not released (index %d)\n", i);
        }
    }
    g_initialised = false;
}

int PollIsInitialised() { return g_initialised ? 1 : 0; }
