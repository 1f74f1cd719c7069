#include "game/system/displaysurfaces.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/exitlist.h"
#include "game/system/device3d.h"
#include "game/system/resultnames.h"
#include "game/system/videosurvey.h"
#include "platform/library.h"

DDrawModeInfo GfxModeTable[MAX_GFX_MODES];
uint16_t GfxNumModes = 0;

namespace {

using Surface = plat::DirectDrawSurface7;

constexpr const char* kFile = "dxdraw";

struct DDrawState {
    uint16_t window_proc_slot;
    plat::DirectDraw7* direct_draw;
    uint16_t flags;  // DDRAWINIT_3D: Direct3D initialised with DirectDraw
    Surface* drawing;
    Surface* visible;
    Surface* primary;
    Surface* zbuffer;
    plat::DirectDrawPalette* lpDDPalette;
    plat::DirectDrawClipper* clipper;
    uint16_t mode_flags;
    uint32_t width;
    uint32_t height;
    uint8_t colour_type;
    DDrawSurfaceInfo surface_info;
    int32_t lock_count;
};
DDrawState DDrawInfo{};

// The part of the screen drawn under the current lock (nested draws
// included), repainted in the window when the outermost draw ends: a
// nested draw outside the outermost draw's rectangle would otherwise stay
// unseen in the window until something else repaints it.
plat::Rect DrawnArea{};

bool AreaEmpty(const plat::Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

void JoinDrawnArea(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    auto limit = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    const plat::Rect r{x, y, limit(int64_t(x) + width), limit(int64_t(y) + height)};
    if (AreaEmpty(DrawnArea)) {
        DrawnArea = r;
        return;
    }
    DrawnArea = plat::Rect{std::min(DrawnArea.left, r.left), std::min(DrawnArea.top, r.top),
                           std::max(DrawnArea.right, r.right), std::max(DrawnArea.bottom, r.bottom)};
}

struct EmulatedMode {
    uint16_t width;
    uint16_t height;
    uint8_t colour_type;
    uint16_t bytes;
};
// Offered in a window when the card does not list them: any size can be
// shown there.
constexpr EmulatedMode kEmulatedModes[] = {
    {320, 200, 0, 1}, {320, 240, 0, 1}, {400, 300, 0, 1}, {512, 384, 0, 1}, {320, 200, 1, 2},
    {320, 240, 1, 2}, {400, 300, 1, 2}, {640, 480, 1, 2}, {800, 600, 1, 2}, {320, 200, 2, 3},
    {320, 240, 2, 3}, {400, 300, 2, 3}, {640, 480, 2, 3}, {800, 600, 2, 3}, {320, 200, 3, 4},
    {320, 240, 3, 4}, {400, 300, 3, 4}, {640, 480, 3, 4}, {800, 600, 3, 4},
};
static_assert(std::size(kEmulatedModes) == 19);

void Check(plat::HResult hr, int line, const char* function, const char* label) {
    DXCheck(hr, kFile, line, function, label);
}

// Drawing before a mode is set would write through a null surface.
Surface* Require(Surface* surface, int line, const char* message) {
    if (surface == nullptr) AbortError(kFile, line, message);
    return surface;
}

void Release(Surface*& surface) {
    if (surface == nullptr) return;
    surface->Release();
    surface = nullptr;
}

const char* kColourTypeNames[4] = {"256 colour", "16 bit colour", "24 bit colour", "32 bit colour"};

int DDrawEnumModesCallback(const plat::SurfaceDesc* desc, void* context) {
    (void)context;
    const plat::PixelFormat& pf = desc->pixel_format;
    DebugLog(DEBUG_DIRECTDRAW, 100, "DDrawEnumModesCallback(): trying mode %dx%dx%d\n", int(desc->width),
             int(desc->height), int(pf.bit_count));
    if ((pf.flags & plat::kPfRgb) == 0 || (desc->caps & plat::kCapsModeX) != 0) {
        return plat::kEnumOk;
    }
    if (GfxNumModes >= MAX_GFX_MODES) return plat::kEnumOk;
    DDrawModeInfo mode{};
    mode.width = uint16_t(desc->width);
    mode.height = uint16_t(desc->height);
    if (pf.flags & plat::kPfPaletteIndexed8) {
        mode.colour_type = 0;
        mode.bytes_per_pixel = 1;
        mode.standard_vga = (desc->caps & plat::kCapsStandardVgaMode) ? 1 : 0;
        DebugLog(DEBUG_DIRECTDRAW, 80, "DDrawEnumModesCallback(): storing %d x %d 8 bit mode\n",
                 int(mode.width), int(mode.height));
    } else if (pf.flags & (plat::kPfPaletteIndexed1 | plat::kPfPaletteIndexed2 | plat::kPfPaletteIndexed4)) {
        return plat::kEnumOk;
    } else {
        switch (pf.bit_count) {
            case 15:
            case 16:
                mode.colour_type = 1;
                break;
            case 24:
                mode.colour_type = 2;
                break;
            case 32:
                mode.colour_type = 3;
                break;
            default:
                return plat::kEnumOk;
        }
        mode.bytes_per_pixel = uint16_t((pf.bit_count + 7) / 8);
        DebugLog(DEBUG_DIRECTDRAW, 80, "DDrawEnumModesCallback(): storing %d x %d %d bit mode\n",
                 int(mode.width), int(mode.height), int(pf.bit_count));
    }
    GfxModeTable[GfxNumModes++] = mode;
    return plat::kEnumOk;
}

// Loads the display library once to prove DirectX 7 is there.
void CheckDirectDrawPresent() {
    void* library = plat::LoadLibrary("ddraw.dll");
    if (library == nullptr) {
        FatalError("Error: DDRAW.DLL not found - please install DirectX7 or above\n");
    }
    if (plat::GetProcAddress(library, "DirectDrawCreateEx") == nullptr) {
        plat::FreeLibrary(library);
        plat::CoUninitialize();
        FatalError(
            "Error: DirectX7 or above not found.\n\nThis program requires DirectX7 or higher to "
            "be installed.");
    }
    if (!plat::FreeLibrary(library)) {
        AbortError(kFile, __LINE__, "DirectDrawPreInitDevices(): failed to unload DDRAW.DLL");
    }
}

uint32_t RenderFlagFor(int colour_type) {
    switch (colour_type) {
        case 0:
            return D3DDEVINFO_RENDER8;
        case 1:
            return D3DDEVINFO_RENDER16;
        case 2:
            return D3DDEVINFO_RENDER24;
        default:
            return D3DDEVINFO_RENDER32;
    }
}

void SetCooperativeLevel(uint32_t flags, int line, const char* function) {
    Check(DDrawInfo.direct_draw->SetCooperativeLevel(WinGetWindowHandle(), flags), line, function,
          "DD7_SetCooperativeLevel");
}

constexpr uint32_t kFullscreenLevel = plat::kSclExclusive | plat::kSclFullscreen | plat::kSclAllowModeX;

void DDrawSetCooperativeMode(const DDrawModeInfo* mode) {
    if (WinIsWindowed()) {
        DebugLog(DEBUG_DIRECTDRAW, 80, "DDrawSetMode(): windowed mode\n");
        SetCooperativeLevel(plat::kSclNormal, __LINE__, "DDrawSetCooperativeMode");
        WinResizeWindow(mode->width, mode->height);
        return;
    }
    DebugLog(DEBUG_DIRECTDRAW, 80, "DDrawSetMode(): fullscreen mode\n");
    SetCooperativeLevel(kFullscreenLevel, __LINE__, "DDrawSetCooperativeMode");
    if (mode->standard_vga != 0 && (mode->width != 320 || mode->height != 200 || mode->colour_type != 0)) {
        AbortError(kFile, __LINE__, "DDrawSetMode(): UseStdVGAFlag set, but mode is not 320x200,8bit");
    }
    Check(
        DDrawInfo.direct_draw->SetDisplayMode(mode->width, mode->height, 8u * mode->bytes_per_pixel, 0,
                                              mode->standard_vga ? uint32_t(plat::kSdmStandardVgaMode) : 0u),
        __LINE__, "DDrawSetCooperativeMode", "DD7_SetDisplayMode");
}

void DDrawLeaveCooperativeMode() {
    if (WinIsWindowed()) {
        DebugLog(DEBUG_DIRECTDRAW, 80, "DDrawRestoreMode(): windowed\n");
        SetCooperativeLevel(plat::kSclNormal, __LINE__, "DDrawRestoreMode");
        plat::InvalidateWindow();
        return;
    }
    DebugLog(DEBUG_DIRECTDRAW, 80, "DDrawRestoreMode(): full screen\n");
    Check(DDrawInfo.direct_draw->RestoreDisplayMode(), __LINE__, "DDrawRestoreMode",
          "DD7_RestoreDisplayMode");
    SetCooperativeLevel(plat::kSclNormal, __LINE__, "DDrawRestoreMode");
}

bool IsRgbOfBits(const plat::PixelFormat& f, uint32_t bits) {
    return (f.flags & plat::kPfRgb) != 0 && (f.flags & plat::kPfPaletteIndexed8) == 0 && f.bit_count == bits;
}

plat::PixelFormat VirtualScreenFormat(const plat::PixelFormat& primary, int colour_type) {
    plat::PixelFormat f;
    f.flags = plat::kPfRgb;
    switch (colour_type) {
        case 0:
            std::printf("creating pixelformat struct for 256 colours\n");
            f.flags = plat::kPfRgb | plat::kPfPaletteIndexed8;
            f.bit_count = 8;
            return f;
        case 1:
            if (IsRgbOfBits(primary, 16)) break;
            f.bit_count = 16;
            f.red_mask = 0x7C00;
            f.green_mask = 0x03E0;
            f.blue_mask = 0x001F;
            return f;
        case 2:
        case 3:
            if (IsRgbOfBits(primary, colour_type == 2 ? 24 : 32)) break;
            f.bit_count = colour_type == 2 ? 24 : 32;
            f.red_mask = 0xFF0000;
            f.green_mask = 0x00FF00;
            f.blue_mask = 0x0000FF;
            return f;
        default:
            AbortError(kFile, __LINE__, "CreateSurfaces(): unknown surface format");
    }
    DDrawInfo.mode_flags |= DDMODE_PRIMARYFORMAT;
    return primary;
}

void CreateZBuffer(uint32_t width, uint32_t height, uint32_t surface_flags) {
    plat::PixelFormat drawing_format;
    Check(DDrawInfo.drawing->GetPixelFormat(&drawing_format), __LINE__, "CreateSurfaces",
          "DDS7_GetPixelFormat");
    D3DZBufferSearch search{};
    search.best_score = -1;
    search.wanted_depth = drawing_format.bit_count;
    search.wanted_stencil = (surface_flags & CS_STENCIL) ? 1 : 0;
    DDraw3DDeviceInfo* device = DDrawGetCurrent3DDeviceInfo();
    plat::Direct3D7* d3d = D3DGetD3D7OrNull();
    if (device != nullptr && d3d != nullptr) {
        Check(d3d->EnumZBufferFormats(device->guid, D3DEnumZBufferCallback, &search), __LINE__,
              "CreateSurfaces", "D3D7_EnumZBufferFormats");
    }
    if (search.best_score < 0) {
        AbortError(kFile, __LINE__, "CreateSurfaces(): no zbuffer available in the correct format");
    }
    plat::SurfaceDesc desc;
    desc.flags = plat::kSdCaps | plat::kSdWidth | plat::kSdHeight | plat::kSdPixelFormat;
    desc.width = width;
    desc.height = height;
    desc.pixel_format = search.best;
    desc.caps = plat::kCapsZBuffer |
                ((surface_flags & CS_SYSTEMMEMORY) ? plat::kCapsSystemMemory : plat::kCapsVideoMemory);
    Check(DDrawInfo.direct_draw->CreateSurface(&desc, &DDrawInfo.zbuffer, nullptr), __LINE__,
          "CreateSurfaces", "zbuffer DD7_CreateSurface");
    Check(DDrawInfo.drawing->AddAttachedSurface(DDrawInfo.zbuffer), __LINE__, "CreateSurfaces",
          "DDS7_AddAttachedSurface");
}

void ClearSurface(Surface* surface, int line, const char* label) {
    plat::BltFx fx;
    fx.fill_color = 0;
    Check(surface->Blt(nullptr, nullptr, nullptr, plat::kBltColorFill | plat::kBltWait, &fx), line,
          "CreateSurfaces", label);
}

}  // namespace

// ---- DirectDraw object and mode table -------------------------------------
void DDrawInit(uint32_t flags) {
    if (DDrawInfo.direct_draw != nullptr) AbortError(kFile, __LINE__, "DDrawInit(): already initialised");
    DebugLog(DEBUG_DIRECTDRAW, 10, "DDrawInit(): Initialising...\n");
    DDrawInfo = DDrawState{};
    CheckDirectDrawPresent();

    if (DXFailed(plat::CoInitialize(nullptr)))
        AbortError(kFile, __LINE__, "DDrawInit(): CoInitialize() failed");
    Check(plat::CoCreateDirectDraw7(&DDrawInfo.direct_draw), __LINE__, "DDrawInit", "CoCreateInstance");
    if (DDrawInfo.direct_draw == nullptr) FatalError("Error: DDrawInit(): failed to create IDirectDraw7\n");
    Check(DDrawInfo.direct_draw->Initialize(DDrawGetCurrentDeviceGUID()), __LINE__, "DDrawInit",
          "DD7_Initialize");

    if (flags & DDRAWINIT_3D) {
        DDrawInfo.flags |= DDRAWINIT_3D;
        D3DInit(DDrawInfo.direct_draw);
    }
    if (!WinIsWindowed()) SetCooperativeLevel(kFullscreenLevel, __LINE__, "DDrawInit");
    GfxNumModes = 0;
    Check(DDrawInfo.direct_draw->EnumDisplayModes(plat::kEdmStandardVgaModes, nullptr, nullptr,
                                                  DDrawEnumModesCallback),
          __LINE__, "DDrawInit", "DD7_EnumDisplayModes");
    if (!WinIsWindowed()) {
        SetCooperativeLevel(plat::kSclNormal, __LINE__, "DDrawInit");
    } else {
        for (const EmulatedMode& e : kEmulatedModes) {
            if (GfxFindMode(e.width, e.height, e.colour_type) >= 0) continue;
            if (GfxNumModes >= MAX_GFX_MODES) break;  // a full table takes no more
            std::printf("DDrawInit(): adding emulated mode %d x %d - %s\n", int(e.width), int(e.height),
                        GfxColourTypeName(e.colour_type));
            GfxModeTable[GfxNumModes++] = DDrawModeInfo{e.width, e.height, e.bytes, e.colour_type, 0, 0};
        }
    }
    if (flags & DDRAWINIT_3D) {
        DDraw3DDeviceInfo* device = DDrawGetCurrent3DDeviceInfo();
        for (int i = 0; i < GfxNumModes; ++i) {
            DDrawModeInfo& m = GfxModeTable[i];
            if (device != nullptr && (device->flags & RenderFlagFor(m.colour_type))) m.flags |= GFXMODE_3D;
        }
    }
    OnExitAddEx(DDrawUninit, "DDrawUninit()");
}

void DDrawUninit() {
    OnExitRemove(DDrawUninit);
    if (DDrawInfo.flags & DDRAWINIT_3D) D3DUninit();
    DDrawInfo.flags = 0;
    if (DDrawInfo.direct_draw != nullptr) {
        DDrawInfo.direct_draw->Release();
        DDrawInfo.direct_draw = nullptr;
        plat::CoUninitialize();
    }
}

void GfxSortModes() {
    if (GfxNumModes == 0) return;
    std::stable_sort(GfxModeTable, GfxModeTable + GfxNumModes,
                     [](const DDrawModeInfo& a, const DDrawModeInfo& b) {
                         if (a.colour_type != b.colour_type) return a.colour_type < b.colour_type;
                         return uint32_t(a.width) * a.height < uint32_t(b.width) * b.height;
                     });
}

int GfxFindMode(int width, int height, int colour_type) {
    for (int i = 0; i < GfxNumModes; ++i) {
        const DDrawModeInfo& m = GfxModeTable[i];
        if (m.width == width && m.height == height && m.colour_type == colour_type) return i;
    }
    return -1;
}

namespace {
bool FlagsMatch(const DDrawModeInfo& m, int16_t mask, int16_t value) {
    return (int32_t(m.flags) & int32_t(mask)) == int32_t(value);
}
}  // namespace

int GfxFindModeFlags(int width, int height, int colour_type, int16_t flag_mask, int16_t flag_value) {
    for (int i = 0; i < GfxNumModes; ++i) {
        const DDrawModeInfo& m = GfxModeTable[i];
        if (m.width == width && m.height == height && m.colour_type == colour_type &&
            FlagsMatch(m, flag_mask, flag_value)) {
            return i;
        }
    }
    return -1;
}

int GfxFindBestMode(int min_width, int min_height, int colour_type, int16_t flag_mask, int16_t flag_value) {
    int best = -1;
    uint32_t best_area = 0;
    for (int i = 0; i < GfxNumModes; ++i) {
        const DDrawModeInfo& m = GfxModeTable[i];
        if (m.colour_type != colour_type || m.width < min_width || m.height < min_height ||
            !FlagsMatch(m, flag_mask, flag_value)) {
            continue;
        }
        uint32_t area = uint32_t(m.width) * m.height;
        if (best < 0 || area < best_area) {
            best = i;
            best_area = area;
        }
    }
    return best;
}

int GfxFindBestModeAnyFlags(int min_width, int min_height, int colour_type) {
    return GfxFindBestMode(min_width, min_height, colour_type, 0, 0);
}

void GfxClearModes() { GfxNumModes = 0; }

const char* GfxColourTypeName(int colour_type) {
    return colour_type >= 0 && colour_type < 4 ? kColourTypeNames[colour_type] : "";
}

// ---- Surfaces -------------------------------------------------------------
void DDrawSetMode(const DDrawModeInfo* mode, uint32_t mode_flags) {
    // A mode set before DirectDraw is up would call through a null object.
    if (DDrawInfo.direct_draw == nullptr)
        AbortError(kFile, __LINE__, "DDrawSetMode(): DirectDraw not initialised");
    DebugLog(DEBUG_DIRECTDRAW, 40, "DDrawSetMode(): Setting mode %dx%d %d bit - type %d\n", int(mode->width),
             int(mode->height), 8 * int(mode->bytes_per_pixel), int(mode->colour_type));
    DDrawInfo.mode_flags = 0;
    DDrawSetCooperativeMode(mode);

    uint32_t surface_flags = 0;
    if (mode_flags & DDSM_3D) surface_flags |= CS_3D;
    if (mode_flags & DDSM_DOUBLEBUFFER) surface_flags |= CS_FLIPPABLE;
    if (mode_flags & DDSM_ZBUFFER) surface_flags |= CS_ZBUFFER;
    if (mode_flags & DDSM_STENCIL) surface_flags |= CS_STENCIL;
    DDraw3DDeviceInfo* device = DDrawGetCurrent3DDeviceInfo();
    if ((mode_flags & DDSM_3D) == 0 || device == nullptr || (device->flags & D3DDEVINFO_HARDWARE) == 0) {
        surface_flags |= CS_SYSTEMMEMORY;
    }
    CreateSurfaces(mode->width, mode->height, mode->colour_type, surface_flags);
    if (mode->colour_type == 0) CreateSurfacePalette();

    DDrawInfo.width = mode->width;
    DDrawInfo.height = mode->height;
    DDrawInfo.colour_type = mode->colour_type;
    DDrawInfo.surface_info = DDrawSurfaceInfo{};
    DDrawInfo.surface_info.width = mode->width;
    DDrawInfo.surface_info.height = mode->height;
    DDrawInfo.surface_info.width32 = mode->width;
    DDrawInfo.surface_info.height32 = mode->height;
    DDrawInfo.lock_count = 0;

    WinAddTaskswitchFunc(DDrawTaskswitchFunc);
    if (mode_flags & DDSM_3D) {
        D3DInitDevice(DDrawInfo.drawing);
        DDrawInfo.mode_flags |= DDMODE_D3DDEVICE;
    }
    DDrawInfo.window_proc_slot = uint16_t(WinAddWindowProc(DDrawWindowProc));
    OnExitAddEx(DDrawRestoreMode, "DDrawRestoreMode()");
}

void CreateSurfaces(uint32_t width, uint32_t height, int colour_type, uint32_t surface_flags) {
    const bool flippable = (surface_flags & CS_FLIPPABLE) != 0;
    const bool want_3d = (surface_flags & CS_3D) != 0;
    plat::DirectDraw7* dd = DDrawInfo.direct_draw;

    DebugLog(DEBUG_DIRECTDRAW, 80, "CreateSurfaces(): creating primary surface...\n");
    plat::SurfaceDesc primary;
    primary.flags = plat::kSdCaps;
    primary.caps = plat::kCapsPrimarySurface | plat::kCapsVideoMemory;
    if (!WinIsWindowed()) {
        if (flippable) {
            primary.flags |= plat::kSdBackBufferCount;
            primary.caps |= plat::kCapsFlip | plat::kCapsComplex;
            primary.back_buffer_count = 1;
        }
        if (want_3d) primary.caps |= plat::kCaps3DDevice;
    }
    Check(dd->CreateSurface(&primary, &DDrawInfo.primary, nullptr), __LINE__, "CreateSurfaces",
          "primary DD7_CreateSurface");

    if (!WinIsWindowed()) {
        DebugLog(DEBUG_DIRECTDRAW, 80, "CreateSurfaces(): fullscreen - VisibleScreen = PrimarySurface\n");
        DDrawInfo.visible = DDrawInfo.primary;
        DDrawInfo.visible->AddRef();
    } else {
        DebugLog(DEBUG_DIRECTDRAW, 80, "CreateSurfaces(): creating clipper for primary surface\n");
        Check(dd->CreateClipper(0, &DDrawInfo.clipper, nullptr), __LINE__, "CreateSurfaces",
              "DD7_CreateClipper");
        Check(DDrawInfo.clipper->SetHWnd(0, WinGetWindowHandle()), __LINE__, "CreateSurfaces", "DDC_SetHWnd");
        Check(DDrawInfo.primary->SetClipper(DDrawInfo.clipper), __LINE__, "CreateSurfaces",
              "DDS7_SetClipper");
        DebugLog(DEBUG_DIRECTDRAW, 80, "CreateSurfaces(): creating visible surface (virtual screen)\n");
        plat::PixelFormat primary_format;
        Check(DDrawInfo.primary->GetPixelFormat(&primary_format), __LINE__, "CreateSurfaces",
              "DDS7_GetPixelFormat");
        plat::SurfaceDesc visible;
        visible.flags = plat::kSdCaps | plat::kSdWidth | plat::kSdHeight | plat::kSdPixelFormat;
        visible.width = width;
        visible.height = height;
        visible.pixel_format = VirtualScreenFormat(primary_format, colour_type);
        visible.caps = plat::kCapsOffscreenPlain;
        if (flippable) {
            visible.flags |= plat::kSdBackBufferCount;
            visible.caps |= plat::kCapsFlip | plat::kCapsComplex;
            visible.back_buffer_count = 1;
        }
        if (want_3d) visible.caps |= plat::kCaps3DDevice;
        visible.caps |= (surface_flags & CS_SYSTEMMEMORY) ? plat::kCapsSystemMemory : plat::kCapsVideoMemory;
        Check(dd->CreateSurface(&visible, &DDrawInfo.visible, nullptr), __LINE__, "CreateSurfaces",
              "visible DD7_CreateSurface");
    }

    if (flippable) {
        DebugLog(DEBUG_DIRECTDRAW, 80, "CreateSurfaces(): getting attached surface for DrawingSurface\n");
        Check(DDrawInfo.visible->GetAttachedSurface(plat::kCapsBackBuffer, &DDrawInfo.drawing), __LINE__,
              "CreateSurfaces", "DDS7_GetAttachedSurface");
    } else {
        DebugLog(DEBUG_DIRECTDRAW, 80, "CreateSurfaces(): not flippable - DrawingSurface = VisibleSurface\n");
        DDrawInfo.drawing = DDrawInfo.visible;
        DDrawInfo.drawing->AddRef();
    }

    if (surface_flags & CS_ZBUFFER) CreateZBuffer(width, height, surface_flags);

    ClearSurface(DDrawInfo.drawing, __LINE__, "drawing clear DDS7_Blt");
    if (flippable) ClearSurface(DDrawInfo.visible, __LINE__, "visible clear DDS7_Blt");
}

void CreateSurfacePalette() {
    DebugLog(DEBUG_DIRECTDRAW, 80, "CreateSurfacePalette(): creating...\n");
    plat::PaletteEntry black[256] = {};
    Check(DDrawInfo.direct_draw->CreatePalette(plat::kPCaps8Bit, black, &DDrawInfo.lpDDPalette, nullptr),
          __LINE__, "CreateSurfacePalette", "DD7_CreatePalette");
    Check(DDrawInfo.visible->SetPalette(DDrawInfo.lpDDPalette), __LINE__, "CreateSurfacePalette",
          "DDS7_SetPalette");
    Check(DDrawInfo.drawing->SetPalette(DDrawInfo.lpDDPalette), __LINE__, "CreateSurfacePalette",
          "DDS7_SetPalette");
}

void DestroySurfacePalette() {
    DebugLog(DEBUG_DIRECTDRAW, 80, "DestroySurfacePalette(): destroying...\n");
    if (DDrawInfo.lpDDPalette == nullptr) {
        DebugLog(DEBUG_DIRECTDRAW, 80, "DX_SAFE_RELEASE(): DDrawInfo.lpDDPalette already released\n");
        return;
    }
    DebugLog(DEBUG_DIRECTDRAW, 80, "DX_SAFE_RELEASE(): releasing DDrawInfo.lpDDPalette\n");
    DDrawInfo.lpDDPalette->Release();
    DDrawInfo.lpDDPalette = nullptr;
}

void DestroySurfaces() {
    Release(DDrawInfo.zbuffer);
    Release(DDrawInfo.drawing);
    Release(DDrawInfo.visible);
    if (DDrawInfo.clipper != nullptr) {
        DDrawInfo.clipper->Release();
        DDrawInfo.clipper = nullptr;
    }
    Release(DDrawInfo.primary);
}

void DDrawRestoreMode() {
    DebugLog(DEBUG_DIRECTDRAW, 40, "DDrawRestoreMode(): restoring mode\n");
    OnExitRemove(DDrawRestoreMode);
    WinRemoveTaskswitchFunc(DDrawTaskswitchFunc);
    WinRemoveWindowProc(DDrawInfo.window_proc_slot);
    if (DDrawInfo.lpDDPalette != nullptr) DestroySurfacePalette();
    if (DDrawInfo.mode_flags & DDMODE_D3DDEVICE) {
        D3DUninitDevice();
        DDrawInfo.mode_flags &= uint16_t(~DDMODE_D3DDEVICE);
    }
    DestroySurfaces();
    DDrawLeaveCooperativeMode();
    DDrawInfo.lock_count = 0;
}

void DDrawBeginDraw(DDrawSurfaceInfo** surface_info) {
    Surface* drawing = Require(DDrawInfo.drawing, __LINE__, "DDrawBeginDraw(): no drawing surface");
    if (DDrawInfo.lock_count < 1) {
        plat::SurfaceDesc desc;
        Check(drawing->Lock(nullptr, &desc, plat::kLockWait | plat::kLockNoSysLock, nullptr), __LINE__,
              "DDrawBeginDraw", "DDS7_Lock");
        DDrawInfo.surface_info.pixels = static_cast<uint8_t*>(desc.surface);
        DDrawInfo.surface_info.pitch = desc.pitch;
    }
    ++DDrawInfo.lock_count;
    *surface_info = &DDrawInfo.surface_info;
}

void DDrawEndDraw(DDrawSurfaceInfo** surface_info, int x, int y, int width, int height) {
    Surface* drawing = Require(DDrawInfo.drawing, __LINE__, "DDrawEndDraw(): no drawing surface");
    *surface_info = nullptr;
    JoinDrawnArea(x, y, width, height);
    --DDrawInfo.lock_count;
    if (DDrawInfo.lock_count >= 1) return;
    Check(drawing->Unlock(nullptr), __LINE__, "DDrawEndDraw", "DDS7_Unlock");
    DDrawInfo.surface_info.pixels = nullptr;
    const plat::Rect drawn = DrawnArea;
    DrawnArea = plat::Rect{};
    if (WinIsWindowed() && !AreaEmpty(drawn)) {
        plat::InvalidateWindowRect(drawn.left, drawn.top, drawn.right, drawn.bottom);
    }
}

void DDrawEndDrawFull(DDrawSurfaceInfo** surface_info) {
    DDrawEndDraw(surface_info, 0, 0, int(DDrawInfo.width), int(DDrawInfo.height));
}

plat::DeviceContext* DDrawBeginDrawDC() {
    Surface* drawing = Require(DDrawInfo.drawing, __LINE__, "DDrawBeginDrawDC(): no drawing surface");
    plat::DeviceContext* dc = nullptr;
    Check(drawing->GetDC(&dc), __LINE__, "DDrawBeginDrawDC", "DDS7_GetDC");
    return dc;
}

void DDrawEndDrawDC(plat::DeviceContext* dc) {
    Surface* drawing = Require(DDrawInfo.drawing, __LINE__, "DDrawEndDrawDC(): no drawing surface");
    Check(drawing->ReleaseDC(dc), __LINE__, "DDrawEndDrawDC", "DDS7_ReleaseDC");
    if (WinIsWindowed()) plat::InvalidateWindow();
}

void DDrawFlipBuffers() {
    Surface* visible = Require(DDrawInfo.visible, __LINE__, "DDrawFlipBuffers(): no visible surface");
    DebugLog(DEBUG_DIRECTDRAW, 120, "DDrawFlipBuffers(): flipping surfaces\n");
    Check(visible->Flip(nullptr, plat::kFlipWait), __LINE__, "DDrawFlipBuffers", "DDS7_Flip");
    if (WinIsWindowed()) plat::InvalidateWindow();
}

void DDrawSetPalette(const uint8_t* palette) {
    if (DDrawInfo.lpDDPalette == nullptr)
        AbortError(kFile, __LINE__, "DDrawSetPalette(): error - no palette to set!");
    plat::PaletteEntry entries[256];
    for (int i = 0; i < 256; ++i) {
        entries[i].red = uint8_t(palette[i * 3] * 4);
        entries[i].green = uint8_t(palette[i * 3 + 1] * 4);
        entries[i].blue = uint8_t(palette[i * 3 + 2] * 4);
        entries[i].flags = 0;
    }
    Check(DDrawInfo.lpDDPalette->SetEntries(0, 0, 256, entries), __LINE__, "DDrawSetPalette",
          "DDP_SetEntries");
    Check(DDrawInfo.visible->SetPalette(DDrawInfo.lpDDPalette), __LINE__, "DDrawSetPalette",
          "DDS7_SetPalette");
}

plat::DirectDrawSurface7* DDrawGetDirectDrawSurface(int type) {
    switch (type) {
        case DDSURFACE_PRIMARY:
            return DDrawInfo.primary;
        case DDSURFACE_VISIBLE:
            return DDrawInfo.visible;
        case DDSURFACE_DRAWING:
            return DDrawInfo.drawing;
        case DDSURFACE_ZBUFFER:
            return DDrawInfo.zbuffer;
        default:
            AbortError(kFile, __LINE__, "DDrawGetDirectDrawSurface(): unknown surface type");
    }
}

void DDrawGetScreenColourFormat(ColFmt* format) {
    Surface* visible =
        Require(DDrawInfo.visible, __LINE__, "DDrawGetScreenColourFormat(): no visible surface");
    plat::PixelFormat pf;
    Check(visible->GetPixelFormat(&pf), __LINE__, "DDrawGetScreenColourFormat", "DDS3_GetPixelFormat");
    DDrawPixelFormat2ColFmt(&pf, format);
}

void DDrawPixelFormat2ColFmt(const plat::PixelFormat* pf, ColFmt* format) {
    if ((pf->flags & (plat::kPfRgb | plat::kPfAlpha)) == 0) {
        AbortError(kFile, __LINE__, "DDrawPixelFormat2ColFmt(): non-rgb pixel formats cannot be converted");
    }
    *format = ColFmt{};
    constexpr uint32_t kPalettised = plat::kPfPaletteIndexed1 | plat::kPfPaletteIndexed2 |
                                     plat::kPfPaletteIndexed4 | plat::kPfPaletteIndexed8;
    if (pf->flags & kPalettised) return;
    if (pf->flags & plat::kPfRgb) {
        Mask2ColComponent(pf->red_mask, &format->red);
        Mask2ColComponent(pf->green_mask, &format->green);
        Mask2ColComponent(pf->blue_mask, &format->blue);
    }
    if (pf->flags & (plat::kPfAlphaPixels | plat::kPfAlpha)) {
        Mask2ColComponent(pf->alpha_mask, &format->alpha);
    }
    format->all_mask = format->red.mask | format->green.mask | format->blue.mask | format->alpha.mask;
    format->bytes = pf->bit_count / 8;
    format->bits = pf->bit_count;
}

plat::DirectDraw7* DDrawGetDirectDraw() { return DDrawInfo.direct_draw; }
int DDrawIsWindowed() { return WinIsWindowed(); }

void DDrawSetCooperativeLevelNormal() {
    if (DDrawInfo.direct_draw == nullptr) return;
    SetCooperativeLevel(plat::kSclNormal, __LINE__, "DDrawSetCooperativeLevelNormal");
}

void DDrawSetCooperativeLevelStandard() {
    if (DDrawInfo.direct_draw == nullptr) return;
    SetCooperativeLevel(
        WinIsWindowed() ? uint32_t(plat::kSclNormal) : kFullscreenLevel | plat::kSclSetDeviceWindow, __LINE__,
        "DDrawSetCooperativeLevelStandard");
}

// ---- Presenting and task switches -------------------------------------------
int64_t DDrawWindowProc(WinHandle window, uint32_t msg, uint64_t wparam, int64_t lparam) {
    if (msg == WM_PAINT && WinIsWindowed()) {
        for (const plat::PaintArea& area : plat::TakePaintAreas()) {
            const plat::Rect paint{area.left, area.top, area.right, area.bottom};
            if (!AreaEmpty(paint)) ShowScreen(paint);
        }
        return 0;
    }
    if (msg == plat::kMsgEraseBkgnd) return 1;
    return WinNotHandled(window, msg, wparam, lparam);
}

void ShowScreen(const plat::Rect& rect) {
    Surface* visible = Require(DDrawInfo.visible, __LINE__, "ShowScreen(): no visible surface");
    // A window larger than the virtual screen shows only what the screen
    // has: the copy never reads past the virtual screen's edges.
    plat::Rect r{std::max(rect.left, 0), std::max(rect.top, 0),
                 std::min(rect.right, int32_t(DDrawInfo.width)),
                 std::min(rect.bottom, int32_t(DDrawInfo.height))};
    if (r.left >= r.right || r.top >= r.bottom) return;
    int ox = 0, oy = 0;
    WinClientToScreen(&ox, &oy);
    if (DDrawInfo.mode_flags & DDMODE_PRIMARYFORMAT) {
        plat::Rect dest{r.left + ox, r.top + oy, r.right + ox, r.bottom + oy};
        Check(DDrawInfo.primary->Blt(&dest, visible, &r, plat::kBltWait, nullptr), __LINE__, "ShowScreen",
              "DDS7_Blt");
        return;
    }
    plat::DeviceContext* source = nullptr;
    plat::DeviceContext* screen = nullptr;
    Check(visible->GetDC(&source), __LINE__, "ShowScreen", "DDS7_GetDC");
    Check(DDrawInfo.primary->GetDC(&screen), __LINE__, "ShowScreen", "DDS7_GetDC");
    bool copied = plat::BitBlt(screen, r.left + ox, r.top + oy, r.right - r.left, r.bottom - r.top, source,
                               r.left, r.top);
    Check(visible->ReleaseDC(source), __LINE__, "ShowScreen", "DDS7_ReleaseDC");
    Check(DDrawInfo.primary->ReleaseDC(screen), __LINE__, "ShowScreen", "DDS7_ReleaseDC");
    if (!copied) AbortError(kFile, __LINE__, "ShowScreen(): BitBlt() failed");
}

void DDrawTaskswitchFunc(uint8_t state) {
    if (state != TASKSWITCH_ACTIVE) return;
    DebugLog(DEBUG_DIRECTDRAW, 80, "DDrawTaskswitchFunc(): restoring lost surfaces\n");
    RestoreLostSurfaces();
    if (DDrawInfo.mode_flags & DDMODE_D3DDEVICE) {
        D3DBeginScene();
        D3DEndScene();
    }
}

void RestoreLostSurfaces() {
    DebugLog(DEBUG_DIRECTDRAW, 80, "RestoreLostSurfaces(): checking for lost surfaces\n");
    for (Surface* s : {DDrawInfo.primary, DDrawInfo.visible, DDrawInfo.drawing, DDrawInfo.zbuffer}) {
        if (s == nullptr) continue;
        plat::HResult hr = s->IsLost();
        if (hr == plat::kDdErrSurfaceLost) {
            Check(s->Restore(), __LINE__, "RestoreLostSurfaces", "DDS7_Restore");
        } else {
            Check(hr, __LINE__, "RestoreLostSurfaces", "DDS7_IsLost");
        }
    }
}

uint16_t DDrawGetModeFlags() { return DDrawInfo.mode_flags; }
int32_t DDrawGetLockCount() { return DDrawInfo.lock_count; }
