#include "menus/hvmenu.h"

#include "support/debug.h"

namespace {
constexpr const char* kModule = "hvmenu";
}

HVStateRecord HVState;

void HV_Init(int32_t environment) {
    if (HVState.state != 0) AbortError(kModule, __LINE__, "HV_Init(): already initialised");
    if (environment != 0) AbortError(kModule, __LINE__, "HV_Init(): unknown environment");
    HVState.environment = environment;
    HVState.state = 1;
}

void HV_Uninit() {
    if (HVState.state != 1) AbortError(kModule, __LINE__, "HV_Uninit(): not initialised, or other error");
    HVState.state = 0;
}
