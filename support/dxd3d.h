// The Direct3D device layer, as far as the DirectDraw layer drives it.
#pragma once
#include <cstdint>

#include "platform/ddraw.h"

// What the z-buffer format search keeps: the best format so far and what
// is wanted.
struct D3DZBufferSearch {
    plat::PixelFormat best;
    int32_t best_score;
    uint32_t wanted_depth;
    uint32_t wanted_stencil;
};

void D3DInit(plat::DirectDraw7* direct_draw);
void D3DUninit();
void D3DInitDevice(plat::DirectDrawSurface7* render_target);
void D3DUninitDevice();
void D3DBeginScene();
void D3DEndScene();
int D3DEnumZBufferCallback(const plat::PixelFormat* format, void* context);
// The Direct3D interface, or null before D3DInit.
plat::Direct3D7* D3DGetD3D7OrNull();
