// The render-state cache: every render and texture-stage state goes through
// here and reaches the device only when it changes.  The listed states are
// read from a new device and sent again when the program comes back from a
// task switch.
#pragma once
#include <cstdint>

constexpr uint32_t D3D_RENDERSTATE_COUNT = 153;
constexpr uint32_t D3D_TEXTURESTAGE_COUNT = 1;
constexpr uint32_t D3D_TEXTURESTAGESTATE_COUNT = 25;
constexpr int D3D_RESTORED_RENDERSTATES = 65;

void D3DSetRenderState(uint32_t state, uint32_t value);
void D3DSetRenderStateFloat(uint32_t state, float value);
uint32_t D3DGetRenderState(uint32_t state);
float D3DGetRenderStateFloat(uint32_t state);
void D3DSetTextureStageState(uint32_t stage, uint32_t type, uint32_t value);
void D3DSetTextureStageStateFloat(uint32_t stage, uint32_t type, float value);
uint32_t D3DGetTextureStageState(uint32_t stage, uint32_t type);
float D3DGetTextureStageStateFloat(uint32_t stage, uint32_t type);

void D3DInitRenderStates();
void D3DUninitRenderStates();
void RenderstateTaskswitch(uint8_t active);

// The states read and restored, in their order.
extern const uint32_t D3DRestoredRenderStates[D3D_RESTORED_RENDERSTATES];
