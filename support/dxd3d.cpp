// The Direct3D layer's life cycle as the DirectDraw layer drives it, and
// the z-buffer format choice.  The device itself (rendering, states,
// lights) is not here yet: the 3D stand-in brings it.
#include "support/dxd3d.h"

#include "support/debug.h"
#include "support/dxenum.h"
#include "support/dxerror.h"
#include "support/onexit.h"
#include "support/winlib.h"

namespace {

struct D3DState {
    plat::Direct3D7* d3d;
    DDraw3DDeviceInfo* device_info;
    plat::DirectDrawSurface7* render_target;  // stands for the device until it exists
    uint32_t width;
    uint32_t height;
};
D3DState D3DInfo{};

}  // namespace

void D3DInit(plat::DirectDraw7* direct_draw) {
    if (D3DInfo.d3d != nullptr) AbortError("dxd3d", __LINE__, "D3DInit(): already initialised");
    if (direct_draw == nullptr) {
        AbortError("dxd3d", __LINE__, "D3DInit(): Direct Draw not initialised");
    }
    DebugLog(DEBUG_DIRECT3D, 10, "D3DInit(): Initialising...\n");
    D3DInfo = D3DState{};
    DXCheck(direct_draw->QueryDirect3D7(&D3DInfo.d3d), "dxd3d", __LINE__, "D3DInit",
            "DD7_QueryInterface");
    D3DInfo.device_info = DDrawGetCurrent3DDeviceInfo();
    if (D3DInfo.device_info == nullptr) {
        AbortError("dxd3d", __LINE__, "D3DInit(): no 3d device selected");
    }
    OnExitAddEx(D3DUninit, "D3DUninit()");
}

void D3DUninit() {
    if (D3DInfo.d3d == nullptr) AbortError("dxd3d", __LINE__, "D3DUninit(): not initialised");
    OnExitRemove(D3DUninit);
    DebugLog(DEBUG_DIRECT3D, 100, "D3DUninit(): Release 3d7\n");
    DebugLog(DEBUG_DIRECTDRAW, 80, "DX_SAFE_RELEASE(): releasing D3DInfo.lpD3D7\n");
    D3DInfo.d3d->Release();
    D3DInfo.d3d = nullptr;
}

void D3DInitDevice(plat::DirectDrawSurface7* render_target) {
    DebugLog(DEBUG_DIRECT3D, 80, "D3DCreateDirect3DDevice(): initializing\n");
    plat::SurfaceDesc desc;
    DXCheck(render_target->GetSurfaceDesc(&desc), "dxd3d", __LINE__, "D3DInitDevice",
            "DDS3_GetSurfaceDesc");
    D3DInfo.render_target = render_target;
    D3DInfo.width = desc.width;
    D3DInfo.height = desc.height;
    OnExitAddEx(D3DUninitDevice, "D3DUninitDevice()");
}

void D3DUninitDevice() {
    OnExitRemove(D3DUninitDevice);
    if (D3DInfo.render_target == nullptr) {
        DebugLog(DEBUG_DIRECTDRAW, 80, "DX_SAFE_RELEASE(): D3DInfo.lpD3DDevice7 already released\n");
        return;
    }
    DebugLog(DEBUG_DIRECTDRAW, 80, "DX_SAFE_RELEASE(): releasing D3DInfo.lpD3DDevice7\n");
    D3DInfo.render_target = nullptr;
}

void D3DBeginScene() { DebugLog(DEBUG_DIRECT3D, 180, "D3DBeginScene(): starting scene\n"); }

void D3DEndScene() {
    DebugLog(DEBUG_DIRECT3D, 180, "D3DEndScene(): ending scene\n");
    if (WinIsWindowed()) plat::InvalidateWindow();
}

int D3DEnumZBufferCallback(const plat::PixelFormat* format, void* context) {
    D3DZBufferSearch& search = *static_cast<D3DZBufferSearch*>(context);
    if ((format->flags & plat::kPfZBuffer) == 0) return plat::kEnumOk;
    int32_t score = format->bit_count == search.wanted_depth  ? 10
                    : format->bit_count > search.wanted_depth ? 2
                                                               : 0;
    uint32_t stencil = (format->flags & plat::kPfStencilBuffer) ? format->stencil_depth : 0;
    if (stencil < search.wanted_stencil) return plat::kEnumOk;
    score += stencil == search.wanted_stencil ? 6 : 1;
    DebugLog(DEBUG_DIRECTDRAW, 40, "Zbuffer %d bits (0x%x)  ", int(format->bit_count),
             format->z_mask);
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

plat::Direct3D7* D3DGetD3D7OrNull() { return D3DInfo.d3d; }
