// Textures: the pixel formats the 3D device offers, the choice of one for
// a D3DTEX_FORMAT request, texture surfaces (optionally mip-mapped) known by
// handles into a table of 4096, the adaptation of 32-bit pictures to what
// the device takes, and the current texture of stage 0.
#pragma once
#include <cstdint>

#include "game/system/pixelformats.h"
#include "platform/d3d.h"
#include "platform/ddraw.h"

constexpr int MAX_TEXTURE_FORMATS = 128;
constexpr int MAX_TEXTURES = 4096;
constexpr int D3DTEX_NULL_FORMAT = -1;
constexpr int D3DTEX_NO_TEXTURE = -1;

// D3DTEX_FORMAT codes: the alpha kind in bits 0-3, the depth in bits 4-7.
constexpr uint32_t D3DTEX_FORMAT_SOLID = 0x1;
constexpr uint32_t D3DTEX_FORMAT_TRANSPARENT = 0x2;
constexpr uint32_t D3DTEX_FORMAT_SEMITRANSPARENT = 0x3;
constexpr uint32_t D3DTEX_FORMAT_PALETTE = 0x4;
constexpr uint32_t D3DTEX_FORMAT_8BIT = 0x10;
constexpr uint32_t D3DTEX_FORMAT_16BIT = 0x20;
constexpr uint32_t D3DTEX_FORMAT_32BIT = 0x30;

// D3DTexAdvancedCreateTexture flags.
constexpr uint32_t D3DTEXCREATE_ARGB8888 = 0x1;
constexpr uint32_t D3DTEXCREATE_16BIT = 0x10;
constexpr uint32_t D3DTEXCREATE_32BIT = 0x20;
constexpr uint32_t D3DTEXCREATE_SOLID = 0x100;
constexpr uint32_t D3DTEXCREATE_TRANSPARENT = 0x200;
constexpr uint32_t D3DTEXCREATE_SEMITRANSPARENT = 0x300;
constexpr uint32_t D3DTEXCREATE_ALPHAMASK = 0xF00;
constexpr uint32_t D3DTEXCREATE_MIPMAP = 0x1000;
constexpr uint32_t D3DTEXCREATE_NOMIPMAP = 0x2000;
constexpr uint32_t D3DTEXCREATE_HALFSIZE = 0x10000;
constexpr uint32_t D3DTEXCREATE_SQUARE = 0x20000;

struct D3DTexFormat {
    uint32_t paletted;
    ColFmt format;
    plat::PixelFormat pixel_format;  // as the device listed it
};

void D3DTexInit();
void D3DTexUninit();
int EnumTextureFormatsCallback(plat::PixelFormat* pixel_format, void* context);
int D3DTexFindTextureFormat(uint32_t code);
const ColFmt* D3DTexGetTextureFormat(int format);
int D3DTexReadTextureFormat(int handle);
plat::DirectDrawSurface7* D3DTexGetSurface(int handle);
const plat::D3DTextureManagerInfo* D3DTexGetManagerInfo();
int D3DTexCreateTextureEx(uint32_t width, uint32_t height, uint32_t levels, const void* pixels, int format);
int D3DTexCreateTexture(uint32_t width, uint32_t height, const void* pixels, int format);
// image: the owner variable of a tracked block; the block is freed.
int D3DTexAdvancedCreateTexture(uint32_t width, uint32_t height, void* image, uint32_t offset,
                                uint32_t flags);
uint32_t D3DTexSetExtraFlags(uint32_t flags);
void D3DTexAdvanceCreateSetMinSize(uint32_t width, uint32_t height);
void D3DTexSetCurrentHandle(int handle);
void D3DTexDestroyTexture(int handle);

// State for tests and the match display.
int D3DTexGetFormatCount();
const D3DTexFormat* D3DTexGetFormatEntry(int format);
int D3DTexGetCurrentHandle();
uint32_t D3DTexGetLevels(int handle);
uint32_t D3DTexGetDefaultDepth();
