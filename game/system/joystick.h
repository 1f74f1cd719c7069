// Joysticks, read through the host's joystick functions with a dead zone
// around each stick's centre.
#pragma once
#include <cstdint>

constexpr int MAX_JOYSTICKS = 4;
constexpr uint16_t JOY_NOT_READABLE = 65535;

struct JoyCalibration {
    uint32_t centre_x;
    uint32_t centre_y;
    uint32_t dead_x;
    uint32_t dead_y;
};

struct JoyState {
    uint16_t buttons;  // JOY_NOT_READABLE: absent or not readable
    int16_t x;         // offset beyond the dead zone
    int16_t y;
    uint16_t start_failed;  // JOY_NOT_READABLE when the stick failed at start
};
static_assert(sizeof(JoyState) == 8);

void InitJoysticks();
// Reads every stick and returns the array of MAX_JOYSTICKS state records;
// records past the sticks found say "absent".
JoyState* ReadJoysticks();
