#include "core/base/exitlist.h"

#include <cstdlib>

#include "core/base/debug.h"

namespace {

struct ExitSlot {
    OnExitFunc function;
    const char* name;
    bool has_run;
};

ExitSlot g_slots[MAX_ONEXIT];
bool g_handler_installed = false;

void RunAtProcessExit() { OnExitRun(); }

}  // namespace

void OnExitAddEx(OnExitFunc function, const char* name) {
    if (!g_handler_installed) {
        std::atexit(RunAtProcessExit);
        g_handler_installed = true;
        DebugLog(DEBUG_GENERAL, 20, "OnExitAdd(): installing atexit() handler\n");
    }
    for (int slot = 0; slot < MAX_ONEXIT; ++slot) {
        if (g_slots[slot].function == function) {
            FatalError("Error: OnExitAddEx(): function already added (%s)\n", name);
        }
        if (g_slots[slot].function == nullptr) {
            g_slots[slot] = ExitSlot{function, name, false};
            DebugLog(DEBUG_GENERAL, 20, "OnExitAddEx(): adding function at slot %d (%s)\n", slot, name);
            return;
        }
    }
    AbortError("onexit", __LINE__, "OnExitAddEx(): no free slots - increase MAX_ONEXIT");
}

void OnExitRemove(OnExitFunc function) {
    for (int slot = 0; slot < MAX_ONEXIT; ++slot) {
        if (g_slots[slot].function != function) continue;
        DebugLog(DEBUG_GENERAL, 20, "OnExitRemove(): removing function from slot %d (%s)\n", slot,
                 g_slots[slot].name);
        for (int later = slot; later < MAX_ONEXIT - 1; ++later) g_slots[later] = g_slots[later + 1];
        g_slots[MAX_ONEXIT - 1] = ExitSlot{};
        return;
    }
    AbortError("onexit", __LINE__, "OnExitRemove(): function not found in exit list\n");
}

void OnExitRun() {
    DebugLog(DEBUG_GENERAL, 20, "OnExitRun(): running exit funcs\n");
    for (int slot = MAX_ONEXIT - 1; slot >= 0; --slot) {
        ExitSlot& s = g_slots[slot];
        if (s.function == nullptr || s.has_run) continue;
        DebugLog(DEBUG_GENERAL, 50, "OnExitRun(): running slot %d (%s)\n", slot, s.name);
        s.has_run = true;
        s.function();
    }
}

int OnExitCount() {
    int count = 0;
    while (count < MAX_ONEXIT && g_slots[count].function != nullptr) ++count;
    return count;
}

const char* OnExitName(int slot) {
    if (slot < 0 || slot >= MAX_ONEXIT || g_slots[slot].function == nullptr) return nullptr;
    return g_slots[slot].name;
}
