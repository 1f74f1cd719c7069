#include "game/system/joystick.h"

#include "core/base/debug.h"
#include "platform/input.h"

namespace {

int g_count = 0;
JoyCalibration g_calibration[MAX_JOYSTICKS] = {};
JoyState g_state[MAX_JOYSTICKS] = {};

// Offsets start at 0 at the edge of the dead zone.  The arithmetic is done
// in 64 bits so that a range reaching 65535 cannot wrap.
int16_t AxisOffset(uint32_t position, uint32_t centre, uint32_t dead) {
    int64_t p = position, low = int64_t(centre) - dead, high = int64_t(centre) + dead;
    if (p < low) return int16_t(p - low);
    if (p > high) return int16_t(p - high);
    return 0;
}

void MarkFailed(int stick) {
    g_state[stick].buttons = JOY_NOT_READABLE;
    g_state[stick].start_failed = JOY_NOT_READABLE;
}

}  // namespace

void InitJoysticks() {
    DebugLog(DEBUG_INPUT, 1, "InitJoysticks(): initialising joysticks...\n");
    int devices = plat::JoyGetNumDevs();
    DebugLog(DEBUG_INPUT, 50, "InitJoysticks(): %d joystick devices connected\n", devices);
    if (devices > MAX_JOYSTICKS) {
        devices = MAX_JOYSTICKS;
        DebugLog(DEBUG_INPUT, 50, "InitJoysticks(): too many joysticks - reducing to %d\n", devices);
    }
    g_count = devices;
    for (int i = 0; i < MAX_JOYSTICKS; ++i) {
        g_state[i] = JoyState{};
        if (i >= g_count) g_state[i].buttons = JOY_NOT_READABLE;
        g_calibration[i] = JoyCalibration{};
    }
    for (int i = 0; i < g_count; ++i) {
        plat::JoyCaps caps;
        if (!plat::JoyGetDevCaps(i, &caps)) {
            DebugLog(DEBUG_INPUT, 20, "InitJoysticks(): joystick %d failed\n", i);
            MarkFailed(i);
            continue;
        }
        DebugLog(DEBUG_INPUT, 80, "InitJoysticks(): joystick %d\n", i);
        DebugLog(DEBUG_INPUT, 80, "  .szPname = '%s'\n", caps.name);
        DebugLog(DEBUG_INPUT, 80, "  .wXmin,wXmax = %d,%d\n", int(caps.x_min), int(caps.x_max));
        DebugLog(DEBUG_INPUT, 80, "  .wYmin,wYmax = %d,%d\n", int(caps.y_min), int(caps.y_max));
        DebugLog(DEBUG_INPUT, 80, "  .wNumButtons = %d\n", int(caps.num_buttons));
        JoyCalibration& c = g_calibration[i];
        c.centre_x = uint32_t((uint64_t(caps.x_min) + caps.x_max) / 2);
        c.centre_y = uint32_t((uint64_t(caps.y_min) + caps.y_max) / 2);
        c.dead_x = (caps.x_max - caps.x_min) / 8;
        c.dead_y = (caps.y_max - caps.y_min) / 8;
    }
    DebugLog(DEBUG_INPUT, 50, "InitJoysticks(): done.\n");
}

JoyState* ReadJoysticks() {
    for (int i = 0; i < g_count; ++i) {
        plat::JoyPos pos;
        if (!plat::JoyGetPos(i, &pos)) {
            g_state[i].buttons = JOY_NOT_READABLE;
            continue;
        }
        const JoyCalibration& c = g_calibration[i];
        g_state[i].x = AxisOffset(pos.x, c.centre_x, c.dead_x);
        g_state[i].y = AxisOffset(pos.y, c.centre_y, c.dead_y);
        g_state[i].buttons = uint16_t(pos.buttons);
    }
    return g_state;
}
