// The DirectDraw layer: the DirectDraw object on the selected card, the
// table of display modes, and the display surfaces of a mode (primary,
// visible, drawing, z-buffer, palette), their locking, presentation and
// restoration after a task switch.
#pragma once
#include <cstdint>

#include "game/system/mainwindow.h"
#include "game/system/pixelformats.h"
#include "platform/ddraw.h"

// ---- The mode table -------------------------------------------------------
constexpr int MAX_GFX_MODES = 1024;

struct DDrawModeInfo {
    uint16_t width;
    uint16_t height;
    uint16_t bytes_per_pixel;
    uint8_t colour_type;  // 0 256 colour, 1 16 bit, 2 24 bit, 3 32 bit
    uint16_t flags;       // GFXMODE_3D
    uint16_t standard_vga;
};
constexpr uint16_t GFXMODE_3D = 0x0001;

extern DDrawModeInfo GfxModeTable[MAX_GFX_MODES];
extern uint16_t GfxNumModes;

// DDrawInit flags.
constexpr uint32_t DDRAWINIT_3D = 0x01;

void DDrawInit(uint32_t flags);
void DDrawUninit();

void GfxSortModes();
int GfxFindMode(int width, int height, int colour_type);
int GfxFindModeFlags(int width, int height, int colour_type, int16_t flag_mask, int16_t flag_value);
int GfxFindBestMode(int min_width, int min_height, int colour_type, int16_t flag_mask, int16_t flag_value);
int GfxFindBestModeAnyFlags(int min_width, int min_height, int colour_type);
void GfxClearModes();
// "256 colour", "16 bit colour", "24 bit colour" or "32 bit colour".
const char* GfxColourTypeName(int colour_type);

// ---- Surfaces -------------------------------------------------------------
struct DDrawSurfaceInfo {
    uint16_t width;
    uint16_t height;
    uint8_t* pixels;
    uint32_t width32;
    uint32_t height32;
    int32_t pitch;
};

// Surface flags of CreateSurfaces.
constexpr uint32_t CS_FLIPPABLE = 0x01;
constexpr uint32_t CS_3D = 0x02;
constexpr uint32_t CS_SYSTEMMEMORY = 0x04;
constexpr uint32_t CS_ZBUFFER = 0x08;
constexpr uint32_t CS_STENCIL = 0x10;

// Mode flags of DDrawSetMode (as SetGraphicMode takes them).
constexpr uint32_t DDSM_DOUBLEBUFFER = 0x01;
constexpr uint32_t DDSM_3D = 0x02;
constexpr uint32_t DDSM_ZBUFFER = 0x04;
constexpr uint32_t DDSM_STENCIL = 0x08;

// Surface types of DDrawGetDirectDrawSurface.
constexpr int DDSURFACE_PRIMARY = 1;
constexpr int DDSURFACE_VISIBLE = 2;
constexpr int DDSURFACE_DRAWING = 3;
constexpr int DDSURFACE_ZBUFFER = 4;

// Mode-flag bits of the state record.
constexpr uint16_t DDMODE_PRIMARYFORMAT = 0x01;  // presenting is a DirectDraw blit
constexpr uint16_t DDMODE_D3DDEVICE = 0x02;

void DDrawSetMode(const DDrawModeInfo* mode, uint32_t mode_flags);
void DDrawRestoreMode();
void DDrawBeginDraw(DDrawSurfaceInfo** surface_info);
void DDrawEndDraw(DDrawSurfaceInfo** surface_info, int x, int y, int width, int height);
void DDrawEndDrawFull(DDrawSurfaceInfo** surface_info);
plat::DeviceContext* DDrawBeginDrawDC();
void DDrawEndDrawDC(plat::DeviceContext* dc);
void DDrawFlipBuffers();
// palette: 256 x (red, green, blue) in 6-bit levels.
void DDrawSetPalette(const uint8_t* palette);
plat::DirectDrawSurface7* DDrawGetDirectDrawSurface(int type);
void DDrawGetScreenColourFormat(ColFmt* format);
void DDrawPixelFormat2ColFmt(const plat::PixelFormat* pixel_format, ColFmt* format);
plat::DirectDraw7* DDrawGetDirectDraw();
int DDrawIsWindowed();
void DDrawSetCooperativeLevelNormal();
void DDrawSetCooperativeLevelStandard();
void DestroySurfaces();

// The steps of a mode, reachable for tests.
void CreateSurfaces(uint32_t width, uint32_t height, int colour_type, uint32_t surface_flags);
void CreateSurfacePalette();
void DestroySurfacePalette();
void RestoreLostSurfaces();
void DDrawTaskswitchFunc(uint8_t state);
int64_t DDrawWindowProc(WinHandle window, uint32_t msg, uint64_t wparam, int64_t lparam);
void ShowScreen(const plat::Rect& rect);

// State read by tests and the 3D layer.
uint16_t DDrawGetModeFlags();
int32_t DDrawGetLockCount();
