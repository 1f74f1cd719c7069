#include "game/system/device3d.h"

#include <cstring>

#include "core/base/debug.h"
#include "core/base/exitlist.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/renderstates.h"
#include "game/system/resultnames.h"
#include "game/system/textures3d.h"
#include "game/system/videosurvey.h"

namespace {

constexpr const char* kFile = "dxd3d";

static_assert(sizeof(Matrix) == sizeof(plat::D3DMatrix));
static_assert(sizeof(Vector) == sizeof(plat::D3DVector));

struct D3DState {
    plat::Direct3D7* lpD3D7;
    DDraw3DDeviceInfo* device;  // the selected 3D device, its GUID first
    plat::Direct3DDevice7* lpD3DDevice7;
    uint32_t width;
    uint32_t height;
    uint32_t light_used[D3D_MAX_LIGHTS];
    uint32_t clear_mask;
    uint32_t stencil_bits;
    float light_ambient[4];
};
D3DState D3DInfo{};

void Check(int32_t hr, int line, const char* function, const char* label) {
    DXCheck(hr, kFile, line, function, label);
}

plat::Direct3DDevice7* Device() { return D3DGetD3DDevice7(); }

bool SlotUsed(int slot) { return slot >= 0 && slot < D3D_MAX_LIGHTS && D3DInfo.light_used[slot] != 0; }

}  // namespace

// ---- Life cycle ------------------------------------------------------------------
void D3DInit(plat::DirectDraw7* direct_draw) {
    if (D3DInfo.lpD3D7 != nullptr) AbortError(kFile, __LINE__, "D3DInit(): already initialised");
    if (direct_draw == nullptr) AbortError(kFile, __LINE__, "D3DInit(): Direct Draw not initialised");
    DebugLog(DEBUG_DIRECT3D, 10, "D3DInit(): Initialising...\n");
    D3DInfo = D3DState{};
    Check(direct_draw->QueryDirect3D7(&D3DInfo.lpD3D7), __LINE__, "D3DInit", "DD7_QueryInterface");
    D3DInfo.device = DDrawGetCurrent3DDeviceInfo();
    if (D3DInfo.device == nullptr) AbortError(kFile, __LINE__, "D3DInit(): no 3d device selected");
    OnExitAddEx(D3DUninit, "D3DUninit()");
}

void D3DUninit() {
    if (D3DInfo.lpD3D7 == nullptr) AbortError(kFile, __LINE__, "D3DUninit(): not initialised");
    OnExitRemove(D3DUninit);
    DebugLog(DEBUG_DIRECT3D, 100, "D3DUninit(): Release 3d7\n");
    DebugLog(DEBUG_DIRECTDRAW, 80, "DX_SAFE_RELEASE(): releasing D3DInfo.lpD3D7\n");
    D3DInfo.lpD3D7->Release();
    D3DInfo.lpD3D7 = nullptr;
}

void D3DInitDevice(plat::DirectDrawSurface7* render_target) {
    DebugLog(DEBUG_DIRECT3D, 80, "D3DCreateDirect3DDevice(): initializing\n");
    plat::Direct3D7* d3d = D3DGetD3D7();
    Check(d3d->CreateDevice(D3DInfo.device->guid, render_target, &D3DInfo.lpD3DDevice7), __LINE__,
          "D3DInitDevice", "D3D7_CreateDevice");
    plat::SurfaceDesc desc;
    Check(render_target->GetSurfaceDesc(&desc), __LINE__, "D3DInitDevice", "DDS3_GetSurfaceDesc");
    D3DInfo.width = desc.width;
    D3DInfo.height = desc.height;
    D3DSetViewport(0, 0, D3DInfo.width, D3DInfo.height, 0.0f, 1.0f);
    for (uint32_t& used : D3DInfo.light_used) used = 0;
    D3DInfo.clear_mask = D3DCLEAR_TARGET;
    D3DInfo.stencil_bits = 0;
    if (plat::DirectDrawSurface7* zbuffer = DDrawGetDirectDrawSurface(DDSURFACE_ZBUFFER)) {
        DebugLog(DEBUG_DIRECT3D, 50, "D3DInitDevice(): we have a z-buffer to clear");
        D3DInfo.clear_mask |= D3DCLEAR_ZBUFFER;
        plat::PixelFormat format;
        Check(zbuffer->GetPixelFormat(&format), __LINE__, "D3DInitDevice", "DDS7_GetPixelFormat");
        if ((format.flags & plat::kPfStencilBuffer) != 0 && format.stencil_depth != 0) {
            DebugLog(DEBUG_DIRECT3D, 50, "D3DInitDevice(): we have a stencil buffer to clear");
            D3DInfo.clear_mask |= D3DCLEAR_STENCIL;
            D3DInfo.stencil_bits = format.stencil_depth;
        }
    }
    D3DTexInit();
    D3DInitRenderStates();
    OnExitAddEx(D3DUninitDevice, "D3DUninitDevice()");
}

void D3DUninitDevice() {
    // Without a device it is not in the exit list either.
    if (D3DInfo.lpD3DDevice7 == nullptr) {
        DebugLog(DEBUG_DIRECTDRAW, 80, "DX_SAFE_RELEASE(): D3DInfo.lpD3DDevice7 already released\n");
        return;
    }
    OnExitRemove(D3DUninitDevice);
    D3DUninitRenderStates();
    D3DTexUninit();
    DebugLog(DEBUG_DIRECTDRAW, 80, "DX_SAFE_RELEASE(): releasing D3DInfo.lpD3DDevice7\n");
    D3DInfo.lpD3DDevice7->Release();
    D3DInfo.lpD3DDevice7 = nullptr;
}

plat::Direct3D7* D3DGetD3D7() {
    if (D3DInfo.lpD3D7 == nullptr) AbortError(kFile, __LINE__, "D3DGetD3D7(): no Direct3D created");
    return D3DInfo.lpD3D7;
}

plat::Direct3DDevice7* D3DGetD3DDevice7() {
    if (D3DInfo.lpD3DDevice7 == nullptr) {
        AbortError(kFile, __LINE__, "D3DGetD3DDevice7(): no Direct3DDevice created");
    }
    return D3DInfo.lpD3DDevice7;
}

plat::Direct3D7* D3DGetD3D7OrNull() { return D3DInfo.lpD3D7; }

uint32_t D3DGetStencilBits() { return D3DInfo.stencil_bits; }

int D3DEnumZBufferCallback(const plat::PixelFormat* format, void* context) {
    D3DZBufferSearch& search = *static_cast<D3DZBufferSearch*>(context);
    if ((format->flags & plat::kPfZBuffer) == 0) return plat::kEnumOk;
    int32_t score = format->bit_count == search.wanted_depth  ? 10
                    : format->bit_count > search.wanted_depth ? 2
                                                              : 0;
    uint32_t stencil = (format->flags & plat::kPfStencilBuffer) ? format->stencil_depth : 0;
    if (stencil < search.wanted_stencil) return plat::kEnumOk;
    score += stencil == search.wanted_stencil ? 6 : 1;
    DebugLog(DEBUG_DIRECTDRAW, 40, "Zbuffer %d bits (0x%x)  ", int(format->bit_count), format->z_mask);
    if (format->flags & plat::kPfStencilBuffer) {
        DebugLog(DEBUG_DIRECTDRAW, 40, "Stencil %d bits (0x%x)  ", int(format->stencil_depth),
                 format->stencil_mask);
    }
    DebugLog(DEBUG_DIRECTDRAW, 40, "quality %d\n", int(score));
    if (score > search.best_score) {
        search.best = *format;
        search.best_score = score;
    }
    return plat::kEnumOk;
}

// ---- Per frame -------------------------------------------------------------------
void D3DBeginScene() {
    DebugLog(DEBUG_DIRECT3D, 180, "D3DBeginScene(): starting scene\n");
    Check(Device()->BeginScene(), __LINE__, "D3DBeginScene", "D3DD7_BeginScene");
}

void D3DEndScene() {
    DebugLog(DEBUG_DIRECT3D, 180, "D3DEndScene(): ending scene\n");
    Check(Device()->EndScene(), __LINE__, "D3DEndScene", "D3DD2_EndScene");
    if (WinIsWindowed()) plat::InvalidateWindow();
}

void D3DClearSceneEx2(uint32_t flags, uint32_t colour, float z, uint32_t stencil) {
    const uint32_t wanted = flags & D3DInfo.clear_mask;
    plat::D3DRect rect{0, 0, int32_t(D3DInfo.width), int32_t(D3DInfo.height)};
    Check(Device()->Clear(1, &rect, wanted, colour, z, stencil), __LINE__, "D3DClearSceneEx2", "D3DD7_Clear");
}

void D3DClearScene(uint32_t flags) { D3DClearSceneEx2(flags, 0xFF000000, 1.0f, 0); }

void D3DClearSceneAll() { D3DClearSceneEx2(D3DInfo.clear_mask, 0xFF000000, 1.0f, 0); }

void D3DSetViewport(uint32_t x, uint32_t y, uint32_t width, uint32_t height, float min_z, float max_z) {
    plat::D3DViewport7 viewport{x, y, width, height, min_z, max_z};
    Check(Device()->SetViewport(&viewport), __LINE__, "D3DSetViewport", "D3DD7_SetViewport");
}

void D3DSetTransformType(uint32_t transform_type, const Matrix* matrix) {
    plat::D3DMatrix m;
    std::memcpy(&m, matrix, sizeof m);
    Check(Device()->SetTransform(transform_type, &m), __LINE__, "D3DSetTransformType",
          "D3DD7_SetTransformMatrix");
}

namespace {
uint32_t g_drawCalls = 0;
}  // namespace

uint32_t D3DDrawCallCount() { return g_drawCalls; }

void D3DSetMaterial(const plat::D3DMaterial7* material) {
    Check(Device()->SetMaterial(material), __LINE__, "D3DSetMaterial", "D3DD7_SetMaterial");
}

void D3DDrawPrimitive(uint32_t primitive_type, uint32_t vertex_format, const void* vertices,
                      uint32_t vertex_count) {
    ++g_drawCalls;
    Check(Device()->DrawPrimitive(primitive_type, vertex_format, vertices, vertex_count, 0), __LINE__,
          "D3DDrawPrimitive", "D3DD7_DrawPrimitive");
}

void D3DDrawIndexedPrimitive(uint32_t primitive_type, uint32_t vertex_format, const void* vertices,
                             uint32_t vertex_count, const uint16_t* indices, uint32_t index_count) {
    ++g_drawCalls;
    Check(Device()->DrawIndexedPrimitive(primitive_type, vertex_format, vertices, vertex_count, indices,
                                         index_count, 0),
          __LINE__, "D3DDrawIndexedPrimitive", "D3DD7_DrawIndexedPrimitive");
}

void D3DDrawPrimitiveVB(uint32_t primitive_type, plat::Direct3DVertexBuffer7* vertex_buffer,
                        uint32_t vertex_count) {
    ++g_drawCalls;
    Check(Device()->DrawPrimitiveVB(primitive_type, vertex_buffer, 0, vertex_count, 0), __LINE__,
          "D3DDrawPrimitiveVB", "D3DD7_DrawPrimitiveVB");
}

void D3DDrawIndexedPrimitiveVB(uint32_t primitive_type, plat::Direct3DVertexBuffer7* vertex_buffer,
                               uint32_t vertex_count, const uint16_t* indices, uint32_t index_count) {
    ++g_drawCalls;
    Check(Device()->DrawIndexedPrimitiveVB(primitive_type, vertex_buffer, 0, vertex_count, indices,
                                           index_count, 0),
          __LINE__, "D3DDrawIndexedPrimitiveVB", "D3DD7_DrawIndexedPrimitiveVB");
}

void D3DComputeSphereVisibility(const Vector* centres, const float* radii, uint32_t count,
                                uint32_t* results) {
    Check(Device()->ComputeSphereVisibility(reinterpret_cast<const plat::D3DVector*>(centres), radii, count,
                                            0, results),
          __LINE__, "D3DComputeSphereVisibility", "D3DD7_ComputeSphereVisibility");
}

// ---- Lights ------------------------------------------------------------------------
void D3DLightSetDefaultColour(uint32_t argb) {
    D3DInfo.light_ambient[0] = float((argb >> 16) & 0xFF) / 255.0f;
    D3DInfo.light_ambient[1] = float((argb >> 8) & 0xFF) / 255.0f;
    D3DInfo.light_ambient[2] = float(argb & 0xFF) / 255.0f;
    D3DInfo.light_ambient[3] = float((argb >> 24) & 0xFF) / 255.0f;
}

int D3DLightCreate(const float* colour, const Vector* direction) {
    int slot = 0;
    while (slot < D3D_MAX_LIGHTS && D3DInfo.light_used[slot] != 0) ++slot;
    if (slot == D3D_MAX_LIGHTS) AbortError(kFile, __LINE__, "D3DLightCreate(): no free light slots");
    plat::D3DLight7 light{};
    light.type = plat::kLightDirectional;
    light.diffuse = {colour[0], colour[1], colour[2], colour[3]};
    light.specular = light.diffuse;
    const float* a = D3DInfo.light_ambient;
    light.ambient = {a[0], a[1], a[2], a[3]};
    light.direction = {direction->x, direction->y, direction->z};
    plat::Direct3DDevice7* device = Device();
    Check(device->SetLight(uint32_t(slot), &light), __LINE__, "D3DLightCreateDirectional", "D3DD7_SetLight");
    Check(device->LightEnable(uint32_t(slot), 1), __LINE__, "D3DLightCreateDirectional", "D3DD7_LightEnable");
    D3DInfo.light_used[slot] = 1;
    return slot;
}

void D3DLightEnable(int slot, int enable) {
    // A slot number outside the table names no light either.
    if (!SlotUsed(slot)) AbortError(kFile, __LINE__, "D3DLightEnable(): light doesn't exist");
    Check(Device()->LightEnable(uint32_t(slot), enable), __LINE__, "D3DLightEnable", "D3DD7_LightEnable");
}

void D3DLightDestroy(int slot) {
    if (!SlotUsed(slot)) AbortError(kFile, __LINE__, "D3DLightDestroy(): light doesn't exist");
    Check(Device()->LightEnable(uint32_t(slot), 0), __LINE__, "D3DLightDestroy", "D3DD7_LightEnable");
    D3DInfo.light_used[slot] = 0;
}

uint32_t D3DGetClearMask() { return D3DInfo.clear_mask; }
