#include "game/system/videosurvey.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/base/debug.h"
#include "game/system/resultnames.h"
#include "platform/library.h"

namespace {

struct DeviceTable {
    uint32_t count;
    DDrawDeviceInfo devices[DDRAW_MAX_DEVICES];
    int32_t current;
    int32_t current3d;
};
DeviceTable g_table;

using EnumerateExFunc = plat::HResult (*)(plat::EnumCardsCallback, void*, uint32_t);

constexpr const char* kNoDDraw = "Error: DDRAW.DLL not found - please install DirectX7 or above\n";
constexpr const char* kNoDX7 =
    "Error: DirectX7 or above not found.\n\nThis program requires DirectX7 or higher to be "
    "installed.";

// Copies at most size - 1 characters and always ends the text.
void CopyText(char* dest, size_t size, const char* source) {
    size_t length = source != nullptr ? strnlen(source, size - 1) : 0;
    if (length > 0) std::memcpy(dest, source, length);
    dest[length] = '\0';
}

int DDrawEnumCallbackEx(plat::Guid* guid, char* description, char* driver_name, void* context,
                        void* monitor) {
    if (g_table.count >= uint32_t(DDRAW_MAX_DEVICES)) return plat::kEnumCancel;
    DebugLog(DEBUG_DIRECTDRAW, 20, "DDrawEnumCallbackEx(): found %s (%s)\n", description, driver_name);
    const uint32_t pass = uint32_t(reinterpret_cast<uintptr_t>(context));
    if (pass != 1 && guid == nullptr) {
        DebugLog(DEBUG_DIRECTDRAW, 20, "Ignoring NULL device\n");
        return plat::kEnumOk;
    }
    DDrawDeviceInfo& d = g_table.devices[g_table.count];
    d = {};
    if (guid != nullptr) {
        d.guid = *guid;
        d.guid_ptr = &d.guid;
    }
    d.pass = pass;
    CopyText(d.driver_name, sizeof d.driver_name, driver_name);
    CopyText(d.description, sizeof d.description, description);
    d.monitor = monitor;
    ++g_table.count;
    return plat::kEnumOk;
}

struct FlagName {
    uint32_t flag;
    const char* name;
};
// The flags the listing names, in its order (table fog is not listed).
constexpr FlagName kListedFlags[] = {
    {D3DDEVINFO_HARDWARE, "HARDWARE"},       {D3DDEVINFO_HARDWARETL, "HARDWARETL"},
    {D3DDEVINFO_SUBPIXEL, "SUBPIXEL"},       {D3DDEVINFO_SUBPIXELX, "SUBPIXELX"},
    {D3DDEVINFO_SORTNOZBUFF, "SORTNOZBUFF"}, {D3DDEVINFO_SQUARETEX, "SQUARETEX"},
    {D3DDEVINFO_MIPMAPTEX, "MIPMAPTEX"},     {D3DDEVINFO_SMOOTHTEX, "SMOOTHTEX"},
    {D3DDEVINFO_RENDER8, "RENDER8"},         {D3DDEVINFO_RENDER16, "RENDER16"},
    {D3DDEVINFO_RENDER24, "RENDER24"},       {D3DDEVINFO_RENDER32, "RENDER32"},
    {D3DDEVINFO_ZBUFFER8, "ZBUFFER8"},       {D3DDEVINFO_ZBUFFER16, "ZBUFFER16"},
    {D3DDEVINFO_ZBUFFER24, "ZBUFFER24"},     {D3DDEVINFO_ZBUFFER32, "ZBUFFER32"},
    {D3DDEVINFO_STENCIL8, "STENCIL8"},       {D3DDEVINFO_STENCIL16, "STENCIL16"},
    {D3DDEVINFO_STENCIL24, "STENCIL24"},     {D3DDEVINFO_STENCIL32, "STENCIL32"},
};
static_assert(std::size(kListedFlags) == 20);

uint32_t BitDepthFlags(uint32_t depths, uint32_t flag8, uint32_t flag16, uint32_t flag24, uint32_t flag32) {
    uint32_t flags = 0;
    if (depths & plat::kBd8) flags |= flag8;
    if (depths & plat::kBd16) flags |= flag16;
    if (depths & plat::kBd24) flags |= flag24;
    if (depths & plat::kBd32) flags |= flag32;
    return flags;
}

uint32_t DeviceFlags(const plat::D3DDeviceDesc& desc) {
    uint32_t f = 0;
    if (desc.dev_caps & plat::kD3DDevCapsHwRasterization) f |= D3DDEVINFO_HARDWARE;
    if (desc.dev_caps & plat::kD3DDevCapsHwTransformAndLight) f |= D3DDEVINFO_HARDWARETL;
    if (desc.raster_caps & plat::kD3DRasterSubPixel) f |= D3DDEVINFO_SUBPIXEL;
    if (desc.raster_caps & plat::kD3DRasterSubPixelX) f |= D3DDEVINFO_SUBPIXELX;
    if (desc.raster_caps & plat::kD3DRasterZBufferlessHsr) f |= D3DDEVINFO_SORTNOZBUFF;
    if (desc.texture_caps & plat::kD3DTextureSquareOnly) f |= D3DDEVINFO_SQUARETEX;
    constexpr uint32_t kMip = plat::kD3DFilterMipNearest | plat::kD3DFilterMipLinear |
                              plat::kD3DFilterLinearMipNearest | plat::kD3DFilterLinearMipLinear;
    if (desc.texture_filter_caps & kMip) f |= D3DDEVINFO_MIPMAPTEX;
    if (desc.texture_filter_caps & plat::kD3DFilterLinear) f |= D3DDEVINFO_SMOOTHTEX;
    if (desc.raster_caps & plat::kD3DRasterFogTable) f |= D3DDEVINFO_FOGTABLE;
    f |= BitDepthFlags(desc.render_bit_depth, D3DDEVINFO_RENDER8, D3DDEVINFO_RENDER16, D3DDEVINFO_RENDER24,
                       D3DDEVINFO_RENDER32);
    f |= BitDepthFlags(desc.zbuffer_bit_depth, D3DDEVINFO_ZBUFFER8, D3DDEVINFO_ZBUFFER16,
                       D3DDEVINFO_ZBUFFER24, D3DDEVINFO_ZBUFFER32);
    return f;
}

void PrintDeviceFlags(const DDraw3DDeviceInfo& d) {
    constexpr const char* kHeader = "D3DDEVINFO_* flags: ";
    DebugLog(DEBUG_DIRECT3D, 90, "%s", kHeader);
    size_t on_line = std::strlen(kHeader);
    for (const FlagName& f : kListedFlags) {
        if ((d.flags & f.flag) == 0) continue;
        size_t length = std::strlen(f.name);
        if (on_line + length + 2 >= 78) {
            DebugLog(DEBUG_DIRECT3D, 90, "\n");
            on_line = 0;
        }
        DebugLog(DEBUG_DIRECT3D, 90, "%s, ", f.name);
        on_line += length + 2;
    }
    if (on_line != 0) DebugLog(DEBUG_DIRECT3D, 90, "\n");
    DebugLog(DEBUG_DIRECT3D, 90, "Max texture size: %dx%d   Min texture size: %dx%d\n",
             int(d.max_texture_width), int(d.max_texture_height), int(d.min_texture_width),
             int(d.min_texture_height));
    DebugLog(DEBUG_DIRECT3D, 90, "Max texture aspect ratio: %d\n", int(d.max_texture_aspect_ratio));
}

int DDrawCheckDev3DEnumCallback(const char* description, const char* name, const plat::D3DDeviceDesc* desc,
                                void* context) {
    DDrawDeviceInfo& card = *static_cast<DDrawDeviceInfo*>(context);
    if (card.device3d_count >= uint32_t(DDRAW_MAX_3DDEVICES)) return plat::kEnumCancel;
    DDraw3DDeviceInfo& d = card.devices[card.device3d_count];
    d = {};
    d.guid = desc->device_guid;
    CopyText(d.name, sizeof d.name, name);
    CopyText(d.description, sizeof d.description, description);
    DebugLog(DEBUG_DIRECTDRAW, 30, "--------------------\nDDrawCheckDev3DEnumCallback(): found %s (%s):\n",
             description, name);
    d.flags = DeviceFlags(*desc);
    d.max_texture_width = desc->max_texture_width;
    d.max_texture_height = desc->max_texture_height;
    d.min_texture_width = desc->min_texture_width;
    d.min_texture_height = desc->min_texture_height;
    d.max_texture_aspect_ratio = desc->max_texture_aspect_ratio;
    PrintDeviceFlags(d);
    ++card.device3d_count;
    return plat::kEnumOk;
}

int DDrawZBufferFormatsCallback(const plat::PixelFormat* format, void* context) {
    DDraw3DDeviceInfo& d = *static_cast<DDraw3DDeviceInfo*>(context);
    if (format->flags & plat::kPfZBuffer) {
        DebugLog(DEBUG_DIRECTDRAW, 40, "Zbuffer %d bits (0x%x) ", int(format->bit_count), format->z_mask);
    }
    if (format->flags & plat::kPfStencilBuffer) {
        DebugLog(DEBUG_DIRECTDRAW, 40, "Stencil %d bits (0x%x) ", int(format->stencil_depth),
                 format->stencil_mask);
    }
    DebugLog(DEBUG_DIRECTDRAW, 40, "\n");
    if (format->flags & plat::kPfStencilBuffer) {
        switch (format->bit_count) {
            case 8:
                d.flags |= D3DDEVINFO_STENCIL8;
                break;
            case 15:
            case 16:
                d.flags |= D3DDEVINFO_STENCIL16;
                break;
            case 24:
                d.flags |= D3DDEVINFO_STENCIL24;
                break;
            case 32:
                d.flags |= D3DDEVINFO_STENCIL32;
                break;
            default:
                std::printf("Warning: DDrawZBufferFormatsCallback(): unknown zbuffer depth: %d bits\n",
                            int(format->bit_count));
                break;
        }
    }
    return plat::kEnumOk;
}

void TraceFlag(uint32_t* flags, uint32_t flag, const char* text) {
    *flags |= flag;
    DebugLog(DEBUG_DIRECTDRAW, 20, "%s", text);
}

int DDrawCheckDevice(DDrawDeviceInfo& d) {
    DebugLog(DEBUG_DIRECTDRAW, 20,
             "==============================\nDDrawCheckDevice(): checking '%s' (%s): ", d.description,
             d.driver_name);
    plat::DirectDraw7* dd = nullptr;
    if (DXFailed(plat::CoCreateDirectDraw7(&dd)) || dd == nullptr) {
        DebugLog(DEBUG_DIRECTDRAW, 20, "DDrawCheckDevice(): CoCreateInstance() failed");
        return -1;
    }
    plat::HResult hr = dd->Initialize(d.guid_ptr);
    if (DXFailed(hr)) {
        DebugLog(DEBUG_DIRECTDRAW, 20, "DDrawCheckDevice(): DD7_Initialise() failed: %s\n",
                 DXErrorString(hr));
        dd->Release();
        return -1;
    }

    auto* identifier = static_cast<plat::DeviceIdentifier*>(std::calloc(1, sizeof(plat::DeviceIdentifier)));
    if (identifier == nullptr) AbortError("dxenum", __LINE__, "DDrawCheckDevice(): out of memory");
    hr = dd->GetDeviceIdentifier(identifier, 0);
    if (DXFailed(hr)) {
        DebugLog(DEBUG_DIRECTDRAW, 20, "DD7_GetDeviceIdentifier() failed: %s\n", DXErrorString(hr));
        std::free(identifier);
        dd->Release();
        return -1;
    }
    CopyText(d.adapter_description, sizeof d.adapter_description, identifier->description);
    const uint32_t high = uint32_t(identifier->driver_version >> 32);
    const uint32_t low = uint32_t(identifier->driver_version);
    std::snprintf(d.driver_version, sizeof d.driver_version, "%d.%d.%d.%d", int(high >> 16),
                  int(high & 0xFFFF), int(low >> 16), int(low & 0xFFFF));
    std::free(identifier);

    plat::DriverCaps hardware, emulation;
    hr = dd->GetCaps(&hardware, &emulation);
    if (DXFailed(hr)) {
        DebugLog(DEBUG_DIRECTDRAW, 20, "DD7_GetCaps() failed: %s\n", DXErrorString(hr));
        dd->Release();
        return -1;
    }
    if (hardware.caps & plat::kDdCaps3D) TraceFlag(&d.flags, DDDEVINFO_3DACCELERATED, "3d accelerated, ");
    if (hardware.caps2 & plat::kDdCaps2CanRenderWindowed) {
        TraceFlag(&d.flags, DDDEVINFO_WINDOWED, "windowed rendering, ");
    }
    switch (d.pass) {
        case 1:
            TraceFlag(&d.flags, DDDEVINFO_DESKTOP, "desktop enabled, ");
            break;
        case 2:
            TraceFlag(&d.flags, DDDEVINFO_DESKTOPDISABLED, "desktop disabled, ");
            break;
        case 3:
            TraceFlag(&d.flags, DDDEVINFO_NONDISPLAY, "non-display, ");
            break;
        default:
            AbortError("dxenum", __LINE__, "DDrawEnumCallbackEx(): unknown mode for callback");
    }
    DebugLog(DEBUG_DIRECTDRAW, 20, "\n");

    uint32_t total = 0, free = 0;
    hr = dd->GetAvailableVidMem(plat::kCapsLocalVidMem | plat::kCaps3DDevice | plat::kCapsPrimarySurface,
                                &total, &free);
    if (DXFailed(hr)) {
        DXReportWarning("dxenum", __LINE__, "DDrawCheckDevice", "DD7_GetAvailableVidRam", hr);
    } else {
        d.video_memory = total;
    }
    hr = dd->GetAvailableVidMem(plat::kCapsLocalVidMem | plat::kCapsTexture, &total, &free);
    if (DXFailed(hr)) {
        DXReportWarning("dxenum", __LINE__, "DDrawCheckDevice", "DD7_GetAvailableVidRam", hr);
    } else {
        d.texture_memory = total;
    }

    plat::Direct3D7* d3d = nullptr;
    hr = dd->QueryDirect3D7(&d3d);
    if (DXFailed(hr)) {
        DXReportWarning("dxenum", __LINE__, "DDrawCheckDevice", "DD7_QueryInterface", hr);
        d3d = nullptr;
    } else if (hr = d3d->EnumDevices(DDrawCheckDev3DEnumCallback, &d); DXFailed(hr)) {
        DXReportWarning("dxenum", __LINE__, "DDrawCheckDevice", "D3D7_EnumDevices", hr);
    } else {
        DebugLog(DEBUG_DIRECTDRAW, 30, "--------------------\n");
        for (uint32_t i = 0; i < d.device3d_count; ++i) {
            DDraw3DDeviceInfo& device = d.devices[i];
            DebugLog(DEBUG_DIRECTDRAW, 40, "- - - - - - - - - -\n");
            DebugLog(DEBUG_DIRECTDRAW, 40, "Z buffer formats for '%s'\n", device.description);
            hr = d3d->EnumZBufferFormats(device.guid, DDrawZBufferFormatsCallback, &device);
            if (DXFailed(hr)) {
                DXReportWarning("dxenum", __LINE__, "DDrawCheckDevice", "D3D7_EnumZBufferformats", hr);
            }
        }
        DebugLog(DEBUG_DIRECTDRAW, 40, "- - - - - - - - - -\n");
    }

    if (d3d != nullptr) {
        DebugLog(DEBUG_DIRECTDRAW, 80, "DX_SAFE_RELEASE(): releasing lpD3D7\n");
        d3d->Release();
    } else {
        DebugLog(DEBUG_DIRECTDRAW, 80, "DX_SAFE_RELEASE(): lpD3D7 already released\n");
    }
    dd->Release();
    return 0;
}

// Drops a card that failed its probe; later cards move down one place.
void RemoveDevice(uint32_t index) {
    for (uint32_t i = index; i + 1 < g_table.count; ++i) {
        g_table.devices[i] = g_table.devices[i + 1];
        if (g_table.devices[i].guid_ptr != nullptr) {
            g_table.devices[i].guid_ptr = &g_table.devices[i].guid;
        }
    }
    --g_table.count;
    g_table.devices[g_table.count] = DDrawDeviceInfo{};
}

}  // namespace

void DXEnumDisplay() {
    g_table = DeviceTable{};
    g_table.current = 0;
    g_table.current3d = -1;

    void* library = plat::LoadLibrary("ddraw.dll");
    if (library == nullptr) FatalError("%s", kNoDDraw);
    if (plat::GetProcAddress(library, "DirectDrawCreateEx") == nullptr) {
        plat::FreeLibrary(library);
        FatalError("%s", kNoDX7);
    }
    auto enumerate =
        reinterpret_cast<EnumerateExFunc>(plat::GetProcAddress(library, "DirectDrawEnumerateExA"));
    if (enumerate == nullptr) {
        AbortError("dxenum", __LINE__,
                   "DirectDrawPreInitDevices(): DirectDrawEnumerateEx() not found in DDRAW.DLL");
    }

    struct Pass {
        uint32_t flags;
        const char* trace;
    };
    constexpr Pass kPasses[3] = {
        {plat::kEnumAttachedSecondary, "DXEnumDisplay(): doing attached devices...\n"},
        {plat::kEnumDetachedSecondary, "DXEnumDisplay(): doing detached devices...\n"},
        {plat::kEnumNonDisplay, "DXEnumDisplay(): doing non-display devices...\n"},
    };
    for (uintptr_t pass = 1; pass <= 3; ++pass) {
        DebugLog(DEBUG_DIRECTDRAW, 50, "%s", kPasses[pass - 1].trace);
        plat::HResult hr =
            enumerate(DDrawEnumCallbackEx, reinterpret_cast<void*>(pass), kPasses[pass - 1].flags);
        DXCheck(hr, "dxenum", __LINE__, "DXEnumDisplay", "DDEnumerateEx");
    }

    if (DXFailed(plat::CoInitialize(nullptr))) {
        AbortError("dxenum", __LINE__, "DXEnumDisplay(): CoInitialize() failed");
    }
    uint32_t i = 0;
    while (i < g_table.count) {
        if (DDrawCheckDevice(g_table.devices[i]) == 0) {
            ++i;
            continue;
        }
        DebugLog(DEBUG_DIRECTDRAW, 20, "DXEnumDisplay(): device failed to initialise - removing...\n");
        RemoveDevice(i);
        DebugLog(DEBUG_DIRECTDRAW, 20, "DXEnumDisplay(): cards reordered - numbers above %d now moved down\n",
                 int(i));
    }
    DebugLog(DEBUG_DIRECTDRAW, 20, "==============================\n");
    if (!plat::FreeLibrary(library)) {
        AbortError("dxenum", __LINE__, "DirectDrawPreInitDevices(): failed to unload DDRAW.DLL");
    }
    plat::CoUninitialize();
}

DDrawDeviceInfo* DDrawGetDeviceInfo(int device) {
    if (device < 0 || uint32_t(device) >= g_table.count) return nullptr;
    return &g_table.devices[device];
}

DDraw3DDeviceInfo* DDrawGet3DDeviceInfo(int device, int device3d) {
    DDrawDeviceInfo* card = DDrawGetDeviceInfo(device);
    if (card == nullptr || device3d < 0 || uint32_t(device3d) >= card->device3d_count) {
        return nullptr;
    }
    return &card->devices[device3d];
}

void DDrawSelectDevice(int device, int device3d) {
    g_table.current = device;
    g_table.current3d = device3d;
}

DDrawDeviceInfo* DDrawGetCurrentDeviceInfo() { return DDrawGetDeviceInfo(g_table.current); }

DDraw3DDeviceInfo* DDrawGetCurrent3DDeviceInfo() {
    return DDrawGet3DDeviceInfo(g_table.current, g_table.current3d);
}

plat::Guid* DDrawGetCurrentDeviceGUID() {
    DDrawDeviceInfo* card = DDrawGetCurrentDeviceInfo();
    return card != nullptr ? card->guid_ptr : nullptr;
}

uint32_t DDrawGetDeviceCount() { return g_table.count; }
int DDrawGetCurrentDevice() { return g_table.current; }
int DDrawGetCurrent3DDevice() { return g_table.current3d; }
