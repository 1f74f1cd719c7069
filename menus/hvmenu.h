// The call-based menu interface: its nesting state, opened and closed with
// the menu display.
#pragma once
#include <cstdint>

struct HVStateRecord {
    int32_t state;        // 0 not initialised, 1 initialised
    int32_t environment;  // 0 is the only one
};
extern HVStateRecord HVState;

void HV_Init(int32_t environment);
void HV_Uninit();
