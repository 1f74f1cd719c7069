#include "game/system/renderstates.h"

#include <cstring>

#include "core/base/debug.h"
#include "game/system/device3d.h"
#include "game/system/mainwindow.h"
#include "game/system/resultnames.h"
#include "platform/d3d.h"

// Three fog numbers come twice: the fog-table start, end and density have
// the same numbers as fog start, end and density.
const uint32_t D3DRestoredRenderStates[D3D_RESTORED_RENDERSTATES] = {
    2,   4,   7,   8,   9,   10,  14,  15,  16,  19,  20,  22,  23,  24,  25,  26,  27,
    28,  29,  30,  33,  34,  35,  36,  37,  38,  36,  37,  38,  40,  41,  47,  48,  52,
    53,  54,  55,  56,  57,  58,  59,  60,  128, 129, 130, 131, 132, 133, 134, 135, 136,
    137, 138, 139, 140, 141, 142, 143, 144, 145, 146, 147, 148, 151, 152,
};

namespace {

constexpr const char* kFile = "dxd3drs";

uint32_t RenderStates[D3D_RENDERSTATE_COUNT];
uint32_t StageStates[D3D_TEXTURESTAGE_COUNT][D3D_TEXTURESTAGESTATE_COUNT];

uint32_t Bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    return u;
}

float Float(uint32_t u) {
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

void CheckState(uint32_t state, const char* message) {
    if (state >= D3D_RENDERSTATE_COUNT) AbortError(kFile, __LINE__, message);
}

void CheckStage(uint32_t stage, uint32_t type) {
    if (type >= D3D_TEXTURESTAGESTATE_COUNT) {
        AbortError(kFile, __LINE__, "D3DSetTextureStageState(): invalid texture sgage");
    }
    if (stage >= D3D_TEXTURESTAGE_COUNT) {
        AbortError(kFile, __LINE__, "D3DSetTextureStageState(): Stage out of range");
    }
}

}  // namespace

void D3DSetRenderState(uint32_t state, uint32_t value) {
    CheckState(state, "D3DSetRenderState(): render state out of range");
    if (RenderStates[state] == value) return;
    DXCheck(D3DGetD3DDevice7()->SetRenderState(state, value), kFile, __LINE__, "D3DSetRenderState",
            "D3DD7_SetRenderState");
    RenderStates[state] = value;
}

void D3DSetRenderStateFloat(uint32_t state, float value) { D3DSetRenderState(state, Bits(value)); }

uint32_t D3DGetRenderState(uint32_t state) {
    CheckState(state, "D3DGetRenderState(): render state out of range");
    return RenderStates[state];
}

float D3DGetRenderStateFloat(uint32_t state) { return Float(D3DGetRenderState(state)); }

void D3DSetTextureStageState(uint32_t stage, uint32_t type, uint32_t value) {
    CheckStage(stage, type);
    if (StageStates[stage][type] == value) return;
    DXCheck(D3DGetD3DDevice7()->SetTextureStageState(stage, type, value), kFile, __LINE__,
            "D3DSetTextureStage", "D3DD7_SetTextureStageType");
    StageStates[stage][type] = value;
}

void D3DSetTextureStageStateFloat(uint32_t stage, uint32_t type, float value) {
    D3DSetTextureStageState(stage, type, Bits(value));
}

uint32_t D3DGetTextureStageState(uint32_t stage, uint32_t type) {
    CheckStage(stage, type);
    return StageStates[stage][type];
}

float D3DGetTextureStageStateFloat(uint32_t stage, uint32_t type) {
    return Float(D3DGetTextureStageState(stage, type));
}

void D3DInitRenderStates() {
    DebugLog(DEBUG_DIRECT3D, 80, "D3DInitRenderStates(): initialising\n");
    plat::Direct3DDevice7* device = D3DGetD3DDevice7();
    // Nothing cached from a device before: a value the old device was given
    // would be taken as set on this one and the set dropped, leaving the new
    // device drawing with its own default instead.
    std::memset(RenderStates, 0, sizeof RenderStates);
    std::memset(StageStates, 0, sizeof StageStates);
    for (uint32_t state : D3DRestoredRenderStates) {
        DXCheck(device->GetRenderState(state, &RenderStates[state]), kFile, __LINE__, "D3DInitRenderStates",
                "D3DD7_GetRenderState");
    }
    for (uint32_t type = 1; type < D3D_TEXTURESTAGESTATE_COUNT; ++type) {
        DXCheck(device->GetTextureStageState(0, type, &StageStates[0][type]), kFile, __LINE__,
                "D3DInitRenderStates", "D3DD7_GetTextureStageType");
    }
    WinAddTaskswitchFunc(RenderstateTaskswitch);
}

void D3DUninitRenderStates() {
    DebugLog(DEBUG_DIRECT3D, 80, "D3DUninitRenderStates(): uninitialising\n");
    WinRemoveTaskswitchFunc(RenderstateTaskswitch);
}

void RenderstateTaskswitch(uint8_t active) {
    if (active == 0) return;
    DebugLog(DEBUG_DIRECT3D, 40, "RenderstateTaskswitch(): restoring all renderstates\n");
    plat::Direct3DDevice7* device = D3DGetD3DDevice7();
    // Sent unconditionally: the device may have lost them while inactive.
    for (uint32_t state : D3DRestoredRenderStates) {
        DXCheck(device->SetRenderState(state, RenderStates[state]), kFile, __LINE__, "RenderstateTaskswitch",
                "D3DD7_SetRenderState");
    }
    for (uint32_t type = 1; type < D3D_TEXTURESTAGESTATE_COUNT; ++type) {
        DXCheck(device->SetTextureStageState(0, type, StageStates[0][type]), kFile, __LINE__,
                "RenderstateTaskswitch", "D3DD7_SetTextureStageType");
    }
}
