// The 3D device layer: the device on the drawing surface, scenes, clears,
// viewport, transforms, material, eight directional light slots and the
// drawing calls.  Every device call is checked; a failure ends the program
// through the DirectX report.
#pragma once
#include <cstdint>

#include "game/system/matrices.h"
#include "platform/d3d.h"
#include "platform/ddraw.h"

constexpr int D3D_MAX_LIGHTS = 8;

// Clear flags.
constexpr uint32_t D3DCLEAR_TARGET = plat::kClearTarget;
constexpr uint32_t D3DCLEAR_ZBUFFER = plat::kClearZBuffer;
constexpr uint32_t D3DCLEAR_STENCIL = plat::kClearStencil;

// Transform types of D3DSetTransformType.
constexpr uint32_t D3DTRANSFORMSTATE_WORLD = plat::kTransformWorld;
constexpr uint32_t D3DTRANSFORMSTATE_VIEW = plat::kTransformView;
constexpr uint32_t D3DTRANSFORMSTATE_PROJECTION = plat::kTransformProjection;

// What the z-buffer format search keeps: the best format so far and what
// is wanted.
struct D3DZBufferSearch {
    plat::PixelFormat best;
    int32_t best_score;
    uint32_t wanted_depth;
    uint32_t wanted_stencil;
};

// Life cycle, driven by the DirectDraw layer.
void D3DInit(plat::DirectDraw7* direct_draw);
void D3DUninit();
void D3DInitDevice(plat::DirectDrawSurface7* render_target);
void D3DUninitDevice();
plat::Direct3D7* D3DGetD3D7();
plat::Direct3DDevice7* D3DGetD3DDevice7();
// The Direct3D interface, or null before D3DInit (no fatal error).
plat::Direct3D7* D3DGetD3D7OrNull();
uint32_t D3DGetStencilBits();
int D3DEnumZBufferCallback(const plat::PixelFormat* format, void* context);

// Per frame.
void D3DBeginScene();
void D3DEndScene();
void D3DClearSceneEx2(uint32_t flags, uint32_t colour, float z, uint32_t stencil);
void D3DClearScene(uint32_t flags);
void D3DClearSceneAll();
void D3DSetViewport(uint32_t x, uint32_t y, uint32_t width, uint32_t height, float min_z, float max_z);
void D3DSetTransformType(uint32_t transform_type, const Matrix* matrix);
void D3DSetMaterial(const plat::D3DMaterial7* material);
void D3DDrawPrimitive(uint32_t primitive_type, uint32_t vertex_format, const void* vertices,
                      uint32_t vertex_count);
void D3DDrawIndexedPrimitive(uint32_t primitive_type, uint32_t vertex_format, const void* vertices,
                             uint32_t vertex_count, const uint16_t* indices, uint32_t index_count);
void D3DDrawPrimitiveVB(uint32_t primitive_type, plat::Direct3DVertexBuffer7* vertex_buffer,
                        uint32_t vertex_count);
void D3DDrawIndexedPrimitiveVB(uint32_t primitive_type, plat::Direct3DVertexBuffer7* vertex_buffer,
                               uint32_t vertex_count, const uint16_t* indices, uint32_t index_count);
void D3DComputeSphereVisibility(const Vector* centres, const float* radii, uint32_t count, uint32_t* results);

// Lights.
void D3DLightSetDefaultColour(uint32_t argb);
// colour: r, g, b, a.  Returns the slot.
int D3DLightCreate(const float* colour, const Vector* direction);
void D3DLightEnable(int slot, int enable);
void D3DLightDestroy(int slot);

// Draw calls made since the start, for benchmarks.
uint32_t D3DDrawCallCount();

// State for tests: the clear mask the device supports.
uint32_t D3DGetClearMask();
