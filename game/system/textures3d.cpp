#include "game/system/textures3d.h"

#include <algorithm>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/system/device3d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/resultnames.h"
#include "game/system/videosurvey.h"

namespace {

constexpr const char* kFile = "dxd3dtex";

struct D3DTexture {
    plat::DirectDrawSurface7* surface;  // null when the slot is free
    uint32_t levels;
    uint32_t format;
};

struct TexState {
    D3DTexFormat formats[MAX_TEXTURE_FORMATS];
    int format_count;
    D3DTexture textures[MAX_TEXTURES];
    uint32_t extra_flags;
};
TexState Tex{};
int CurrentHandle = D3DTEX_NO_TEXTURE;
uint32_t MinWidth = 1;
uint32_t MinHeight = 1;
uint32_t DefaultDepth = D3DTEX_FORMAT_16BIT;
plat::D3DTextureManagerInfo ManagerInfo;

void Check(int32_t hr, int line, const char* function, const char* label) {
    DXCheck(hr, kFile, line, function, label);
}

bool PowerOfTwo(uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

uint32_t Log2(uint32_t v) {
    uint32_t r = 0;
    while (v > 1) {
        v >>= 1;
        ++r;
    }
    return r;
}

const char* Describe(const D3DTexFormat& f, char* text) {
    if (f.paletted) return "paletted texture";
    ColFmt2String(text, &f.format);
    return text;
}

// A live texture's slot, or the fatal message for the operation.
D3DTexture& Slot(int handle, const char* out_of_range, const char* missing) {
    if (handle < 0 || handle >= MAX_TEXTURES) AbortError(kFile, __LINE__, out_of_range);
    D3DTexture& t = Tex.textures[handle];
    if (t.surface == nullptr) AbortError(kFile, __LINE__, missing);
    return t;
}

void CopyRows(const plat::SurfaceDesc& desc, const uint8_t* source, uint32_t width, uint32_t height,
              uint32_t bits) {
    const size_t row = size_t(width) * bits / 8;
    auto* out = static_cast<uint8_t*>(desc.surface);
    for (uint32_t y = 0; y < height; ++y) {
        std::memcpy(out + size_t(y) * size_t(desc.pitch), source + size_t(y) * row, row);
    }
}

uint8_t* Pixels(void* image, uint32_t offset) { return *static_cast<uint8_t**>(image) + offset; }

// Doubles the width in place, every pixel twice, from the end backwards.
void DoubleWidth(void* image, uint32_t offset, uint32_t* width, uint32_t height) {
    DebugLog(DEBUG_DIRECT3D, 100, "D3DTexAdvancedCreateTexture(): Size is %dx%d - doubling width\n",
             int(*width), int(height));
    const uint32_t w = *width;
    ResizeMemory(image, offset + w * 2 * height * 4);
    auto* p = reinterpret_cast<uint32_t*>(Pixels(image, offset));
    for (size_t i = size_t(w) * height; i-- > 0;) {
        const uint32_t v = p[i];
        p[i * 2] = v;
        p[i * 2 + 1] = v;
    }
    *width = w * 2;
}

// Doubles the height in place, every row twice, from the end backwards.
void DoubleHeight(void* image, uint32_t offset, uint32_t width, uint32_t* height) {
    DebugLog(DEBUG_DIRECT3D, 100, "D3DTexAdvancedCreateTexture(): Size is %dx%d - doubling height\n",
             int(width), int(*height));
    const uint32_t h = *height;
    ResizeMemory(image, offset + width * h * 2 * 4);
    uint8_t* p = Pixels(image, offset);
    const size_t row = size_t(width) * 4;
    for (size_t y = h; y-- > 0;) {
        std::memmove(p + y * 2 * row, p + y * row, row);
        std::memcpy(p + (y * 2 + 1) * row, p + y * 2 * row, row);
    }
    *height = h * 2;
}

void Halve(void* image, uint32_t offset, uint32_t* width, uint32_t* height) {
    ColConvHalveImageMem(image, offset, *width, *height, &ColFmt_A8R8G8B8);
    *width /= 2;
    *height /= 2;
}

}  // namespace

void D3DTexInit() {
    DebugLog(DEBUG_DIRECT3D, 80, "D3DTexInit(): initialising\n");
    Tex = TexState{};
    CurrentHandle = D3DTEX_NO_TEXTURE;
    MinWidth = MinHeight = 1;
    plat::Direct3DDevice7* device = D3DGetD3DDevice7();
    Check(device->SetTexture(0, nullptr), __LINE__, "D3DTexInit", "D3DD7_SetTexture");
    Tex.format_count = 0;
    plat::HResult hr = device->EnumTextureFormats(EnumTextureFormatsCallback, nullptr);
    if (DXFailed(hr)) DXReportWarning(kFile, __LINE__, "D3DTexInit", "D3DD2_EnumTextureFormats", hr);
    DebugLog(DEBUG_DIRECT3D, 40, "D3DTexInit(): found %d texture formats\n", Tex.format_count);
    DefaultDepth = D3DTEX_FORMAT_16BIT;
    if (plat::DirectDrawSurface7* back = DDrawGetDirectDrawSurface(DDSURFACE_DRAWING)) {
        plat::PixelFormat format;
        Check(back->GetPixelFormat(&format), __LINE__, "D3DTexInit", "DDS7_GetPixelFormat");
        if (format.bit_count == 8) DefaultDepth = D3DTEX_FORMAT_8BIT;
        if (format.bit_count == 24 || format.bit_count == 32) DefaultDepth = D3DTEX_FORMAT_32BIT;
    }
}

void D3DTexUninit() {
    DebugLog(DEBUG_DIRECT3D, 80, "D3DTexUninit(): uninitialising\n");
    D3DTexSetCurrentHandle(D3DTEX_NO_TEXTURE);
    for (int handle = 0; handle < MAX_TEXTURES; ++handle) {
        if (Tex.textures[handle].surface == nullptr) continue;
        DebugLog(DEBUG_DIRECT3D, 20, "Warning: D3DTexUninit(): texture %d not released\n", handle);
        D3DTexDestroyTexture(handle);
    }
}

int EnumTextureFormatsCallback(plat::PixelFormat* pf, void* context) {
    (void)context;
    if ((pf->flags & plat::kPfRgb) == 0) {
        DebugLog(DEBUG_DIRECT3D, 60, "EnumTextureFormatsCallback(): non-RGB based format - skipping\n");
        return plat::kEnumOk;
    }
    if (pf->flags & (plat::kPfPaletteIndexed1 | plat::kPfPaletteIndexed2 | plat::kPfPaletteIndexed4 |
                     plat::kPfPaletteIndexedTo8)) {
        DebugLog(DEBUG_DIRECT3D, 60,
                 "EnumTextureFormatsCallback(): unsupported palette based format - skipping\n");
        return plat::kEnumOk;
    }
    const uint32_t r = pf->red_mask, g = pf->green_mask, b = pf->blue_mask, a = pf->alpha_mask;
    if ((r & g) | (r & b) | (r & a) | (g & b) | (g & a) | (b & a)) {
        DebugLog(DEBUG_DIRECT3D, 20,
                 "EnumTextureFormatsCallback(): skipping bad format (overlapping masks) - probably a "
                 "driver bug\n");
        return plat::kEnumOk;
    }
    const bool paletted = (pf->flags & plat::kPfPaletteIndexed8) != 0;
    if (paletted && pf->bit_count != 8) {
        DebugLog(DEBUG_DIRECT3D, 60,
                 "EnumTextureFormatsCallback(): can only support 8 bit palette formats\n");
        return plat::kEnumOk;
    }
    if (Tex.format_count >= MAX_TEXTURE_FORMATS) {
        DebugLog(DEBUG_DIRECT3D, 60,
                 "EnumTextureFormatsCallback(): too many texture formats found (increase "
                 "MAX_TEXTURE_FORMATS)\n");
        return plat::kEnumCancel;
    }
    D3DTexFormat& entry = Tex.formats[Tex.format_count];
    entry.paletted = paletted ? 1 : 0;
    entry.format = ColFmt{};
    if (!paletted) DDrawPixelFormat2ColFmt(pf, &entry.format);
    entry.pixel_format = *pf;
    char text[64];
    DebugLog(DEBUG_DIRECT3D, 60, "EnumTextureFormatsCallback(): Texture format %d: %s\n", Tex.format_count,
             Describe(entry, text));
    ++Tex.format_count;
    return plat::kEnumOk;
}

int D3DTexFindTextureFormat(uint32_t code) {
    if ((code & 0xF) == 0) {
        AbortError(kFile, __LINE__, "D3DTexFindTextureFormat(): no D3DTEX_FORMAT_* value specified");
    }
    if (code & D3DTEX_FORMAT_PALETTE) {
        for (int i = 0; i < Tex.format_count; ++i) {
            if (!Tex.formats[i].paletted) continue;
            DebugLog(DEBUG_DIRECT3D, 20, "D3DTexFindTextureFormat(): found palette based texture: %d\n", i);
            return i;
        }
        DebugLog(DEBUG_DIRECT3D, 20, "D3DTexFindTextureFormat(): no texture format found matching 0x%04X\n",
                 code);
        return D3DTEX_NULL_FORMAT;
    }
    if ((code & 0xF0) == 0) code |= DefaultDepth;
    if ((code & 0xF0) == 0) code |= D3DTEX_FORMAT_16BIT;
    uint32_t wanted_bits = 0;
    switch (code & 0xF0) {
        case D3DTEX_FORMAT_8BIT:
            wanted_bits = 8;
            break;
        case D3DTEX_FORMAT_16BIT:
            wanted_bits = 16;
            break;
        case D3DTEX_FORMAT_32BIT:
            wanted_bits = 32;
            break;
        default:
            AbortError(kFile, __LINE__, "D3DTexFindTextureFormat(): unknown bit depth requested");
    }
    int best = D3DTEX_NULL_FORMAT;
    int32_t best_score = -999999;
    for (int i = 0; i < Tex.format_count; ++i) {
        const D3DTexFormat& f = Tex.formats[i];
        if (f.paletted) continue;
        const int32_t a = int32_t(f.format.alpha.bits);
        int32_t score = 0;
        switch (code & 0xF) {
            case D3DTEX_FORMAT_SOLID:
                score = -a;
                break;
            case D3DTEX_FORMAT_TRANSPARENT:
                score = a == 1 ? 10 : a >= 2 ? 2 : 0;
                break;
            case D3DTEX_FORMAT_SEMITRANSPARENT:
                score = a >= 4 ? 10 : a >= 2 ? 5 : a == 1 ? 1 : -50;
                break;
            default:
                AbortError(kFile, __LINE__, "D3DTexFindTextureFormat(): unknown texture format");
        }
        if (f.format.bits < wanted_bits) score -= 50;
        if (f.format.bits > wanted_bits) score -= 25;
        if (score > best_score) {
            best_score = score;
            best = i;
        }
    }
    if (best == D3DTEX_NULL_FORMAT) {
        DebugLog(DEBUG_DIRECT3D, 20, "D3DTexFindTextureFormat(): no texture format found matching 0x%04X\n",
                 code);
        return D3DTEX_NULL_FORMAT;
    }
    char text[64];
    DebugLog(DEBUG_DIRECT3D, 20, "D3DTexFindTextureFormat(): found %s matching 0x%04X\n",
             Describe(Tex.formats[best], text), code);
    return best;
}

const ColFmt* D3DTexGetTextureFormat(int format) {
    if (format < 0 || format >= Tex.format_count) {
        AbortError(kFile, __LINE__,
                   "D3DTexGetTextureFormat(): Format value out of range (was D3DTEX_NULL_FORMAT passed?)");
    }
    return &Tex.formats[format].format;
}

int D3DTexReadTextureFormat(int handle) {
    return int(Slot(handle, "D3DTexReadTextureFormat(): texture handle out of range",
                    "D3DTexReadTextureFormat(): texture doesn't exist")
                   .format);
}

plat::DirectDrawSurface7* D3DTexGetSurface(int handle) {
    if (handle < 0 || handle >= MAX_TEXTURES) return nullptr;
    return Tex.textures[handle].surface;
}

const plat::D3DTextureManagerInfo* D3DTexGetManagerInfo() {
    ManagerInfo = plat::D3DTextureManagerInfo{};
    D3DGetD3DDevice7()->GetInfo(plat::kDevInfoTextureManager, &ManagerInfo, sizeof ManagerInfo);
    return &ManagerInfo;
}

int D3DTexCreateTextureEx(uint32_t width, uint32_t height, uint32_t levels, const void* pixels, int format) {
    DebugLog(DEBUG_DIRECT3D, 20, "D3DTexCreateTextureEx(): Creating %d x %d texture (%d mip-maps)\n",
             int(width), int(height), int(levels));
    int handle = 0;
    while (handle < MAX_TEXTURES && Tex.textures[handle].surface != nullptr) ++handle;
    if (handle == MAX_TEXTURES) {
        AbortError(kFile, __LINE__, "D3DTexCreateTextureEx(): cannot create any more textures");
    }
    D3DTexGetTextureFormat(format);  // a format number that names no entry ends here
    const D3DTexFormat& entry = Tex.formats[format];
    D3DTexture& slot = Tex.textures[handle];
    slot = D3DTexture{nullptr, 0, uint32_t(format)};

    plat::SurfaceDesc desc;
    desc.flags = plat::kSdCaps | plat::kSdHeight | plat::kSdWidth | plat::kSdPixelFormat;
    desc.width = width;
    desc.height = height;
    desc.pixel_format = entry.pixel_format;
    desc.caps = plat::kCapsTexture;
    const DDraw3DDeviceInfo* device = DDrawGetCurrent3DDeviceInfo();
    if (device != nullptr && (device->flags & D3DDEVINFO_HARDWARE)) {
        desc.caps2 = plat::kCaps2TextureManage | plat::kCaps2HintStatic;
    } else {
        desc.caps |= plat::kCapsSystemMemory;
    }
    if (levels != 0) {
        desc.caps |= plat::kCapsMipMap | plat::kCapsComplex;
        desc.flags |= plat::kSdMipMapCount;
        desc.mip_map_count = levels;
    }
    Check(DDrawGetDirectDraw()->CreateSurface(&desc, &slot.surface, nullptr), __LINE__,
          "D3DTexCreateTextureEx", "sysmem DD7_CreateSurface");

    const uint32_t bits = entry.format.bits;
    plat::SurfaceDesc locked;
    constexpr uint32_t kLockFlags = plat::kLockWriteOnly | plat::kLockNoSysLock;
    Check(slot.surface->Lock(nullptr, &locked, kLockFlags, nullptr), __LINE__, "D3DTexCreateTexure",
          "DDS3_Lock");
    const auto* source = static_cast<const uint8_t*>(pixels);
    CopyRows(locked, source, width, height, bits);
    Check(slot.surface->Unlock(nullptr), __LINE__, "D3DTexCreateTexure", "DDS3_Unlock");

    plat::DirectDrawSurface7* level = slot.surface;
    for (uint32_t i = 1; i < levels; ++i) {
        plat::DirectDrawSurface7* next = nullptr;
        Check(level->GetAttachedSurface(plat::kCapsTexture | plat::kCapsMipMap, &next), __LINE__,
              "D3DTexCreateTexure", "DDS3_GetAttachedSurface");
        next->Release();  // the chain keeps it; no reference is kept here
        level = next;
        Check(level->Lock(nullptr, &locked, kLockFlags, nullptr), __LINE__, "D3DTexCreateTexure",
              "DDS3_Lock");
        source += size_t(width) * height * bits / 8;
        width /= 2;
        height /= 2;
        if (locked.width != width || locked.height != height) {
            level->Unlock(nullptr);
            AbortError(kFile, __LINE__, "D3DTexCreateTextureEx(): size mismatch for surface");
        }
        CopyRows(locked, source, width, height, bits);
        Check(level->Unlock(nullptr), __LINE__, "D3DTexCreateTexure", "DDS3_Unlock");
    }
    slot.levels = levels != 0 ? levels : 1;
    return handle;
}

int D3DTexCreateTexture(uint32_t width, uint32_t height, const void* pixels, int format) {
    return D3DTexCreateTextureEx(width, height, 0, pixels, format);
}

int D3DTexAdvancedCreateTexture(uint32_t width, uint32_t height, void* image, uint32_t offset,
                                uint32_t flags) {
    flags |= Tex.extra_flags;
    DebugLog(DEBUG_DIRECT3D, 80, "D3DTexAdvancedCreateTexture(): Creating a %dx%d texture - flags 0x%X\n",
             int(width), int(height), flags);
    if ((flags & D3DTEXCREATE_ARGB8888) == 0) {
        AbortError(kFile, __LINE__, "D3DTexAdvancedCreateTexture(): unknown format");
    }
    if (!PowerOfTwo(width) || !PowerOfTwo(height)) {
        AbortError(kFile, __LINE__, "D3DTexAdvancedCreateTexture(): texture size must be a power of two");
    }
    const DDraw3DDeviceInfo* device = DDrawGetCurrent3DDeviceInfo();
    const uint32_t caps = device != nullptr ? device->flags : 0;

    if (caps & D3DDEVINFO_SQUARETEX) flags |= D3DTEXCREATE_SQUARE;
    if (flags & D3DTEXCREATE_SQUARE) {
        DebugLog(DEBUG_DIRECT3D, 100, "D3DTexAdvancedCreateTexture(): Texture needs to be square\n");
        while (width < height) DoubleWidth(image, offset, &width, height);
        while (height < width) DoubleHeight(image, offset, width, &height);
    }
    if ((flags & D3DTEXCREATE_HALFSIZE) && width > MinWidth && height > MinHeight) {
        DebugLog(DEBUG_DIRECT3D, 80, "D3DTexAdvancedCreateTexture(): Half size textures requested\n");
        Halve(image, offset, &width, &height);
    }
    if (device != nullptr && device->max_texture_aspect_ratio != 0) {
        const uint32_t r = device->max_texture_aspect_ratio;
        if (height < width) {
            while (width / height > r) DoubleHeight(image, offset, width, &height);
        } else if (width < height) {
            while (height / width > r) DoubleWidth(image, offset, &width, height);
        }
    }
    if (device != nullptr && device->max_texture_width != 0 && device->max_texture_height != 0) {
        while (width > device->max_texture_width || height > device->max_texture_height) {
            Halve(image, offset, &width, &height);
        }
    }
    if (device != nullptr && device->min_texture_width != 0 && device->min_texture_height != 0) {
        while (width < device->min_texture_width || height < device->min_texture_height) {
            DoubleWidth(image, offset, &width, height);
            DoubleHeight(image, offset, width, &height);
        }
    }

    uint32_t levels = 0;
    uint32_t total = width * height;
    const bool mip = (caps & D3DDEVINFO_MIPMAPTEX) && (flags & D3DTEXCREATE_MIPMAP) &&
                     !(flags & D3DTEXCREATE_NOMIPMAP) && width >= 2 && height >= 2;
    const int32_t wanted_levels =
        int32_t(Log2(std::min(width, height))) - int32_t(Log2(std::max(MinWidth, MinHeight)));
    // A minimum size above the smaller side leaves no level to make.
    if (mip && wanted_levels >= 1) {
        DebugLog(DEBUG_DIRECT3D, 80, "D3DTexAdvancedCreateTexture(): generating mip-maps...\n");
        ResizeMemory(image, offset + width * height * 4 * 2);
        levels = uint32_t(wanted_levels);
        uint8_t* level = Pixels(image, offset);
        uint32_t w = width, h = height;
        for (uint32_t i = 1; i < levels; ++i) {
            uint8_t* next = level + size_t(w) * h * 4;
            ColConvHalveImageSize(level, next, w, h, &ColFmt_A8R8G8B8);
            w /= 2;
            h /= 2;
            total += w * h;
            level = next;
        }
        DebugLog(DEBUG_DIRECT3D, 80, "D3DTexAdvancedCreateTexture(): Total pixels now: %d for %d mip-maps\n",
                 int(total), int(levels));
    } else {
        DebugLog(DEBUG_DIRECT3D, 80, "D3DTexAdvancedCreateTexture(): No mip-maps required\n");
    }

    if ((flags & D3DTEXCREATE_ALPHAMASK) == 0) {
        DebugLog(DEBUG_DIRECT3D, 80, "D3DTexAdvancedCreateTexture(): Calculating alpha optons...\n");
        const uint8_t* p = Pixels(image, offset);
        uint32_t zero = 0, partial = 0;
        for (uint32_t i = 0; i < total; ++i) {
            const uint8_t a = p[size_t(i) * 4 + 3];
            if (a == 0)
                ++zero;
            else if (a != 0xFF)
                ++partial;
        }
        flags |= partial != 0 ? D3DTEXCREATE_SEMITRANSPARENT
                 : zero != 0  ? D3DTEXCREATE_TRANSPARENT
                              : D3DTEXCREATE_SOLID;
    }
    switch (flags & D3DTEXCREATE_ALPHAMASK) {
        case D3DTEXCREATE_SOLID:
            DebugLog(DEBUG_DIRECT3D, 80, "D3DTexAdvancedCreateTexture(): Texture format is solid\n");
            break;
        case D3DTEXCREATE_TRANSPARENT:
            DebugLog(DEBUG_DIRECT3D, 80, "D3DTexAdvancedCreateTexture(): Texture format is transparent\n");
            break;
        case D3DTEXCREATE_SEMITRANSPARENT:
            DebugLog(DEBUG_DIRECT3D, 80,
                     "D3DTexAdvancedCreateTexture(): Texture format is semi-transparent\n");
            break;
        default:
            AbortError(kFile, __LINE__, "D3DTexAdvancedCreateTexture(): unknown alpha format");
    }

    uint32_t code = (flags & D3DTEXCREATE_ALPHAMASK) >> 8;
    if (flags & D3DTEXCREATE_16BIT) code |= D3DTEX_FORMAT_16BIT;
    if (flags & D3DTEXCREATE_32BIT) code |= D3DTEX_FORMAT_32BIT;
    const int format = D3DTexFindTextureFormat(code);
    const ColFmt* colour_format = D3DTexGetTextureFormat(format);
    ColConvMemory(image, total, offset, &ColFmt_A8R8G8B8, colour_format);
    const int handle = D3DTexCreateTextureEx(width, height, levels, Pixels(image, offset), format);
    FreeMemory(image);
    return handle;
}

uint32_t D3DTexSetExtraFlags(uint32_t flags) {
    const uint32_t previous = Tex.extra_flags;
    Tex.extra_flags = flags;
    return previous;
}

void D3DTexAdvanceCreateSetMinSize(uint32_t width, uint32_t height) {
    if (!PowerOfTwo(width) || !PowerOfTwo(height)) {
        AbortError(kFile, __LINE__, "D3DTexAdvanceCreateSetMinSize(): invalid minimum size passed");
    }
    MinWidth = width;
    MinHeight = height;
}

void D3DTexSetCurrentHandle(int handle) {
    if (handle == CurrentHandle) return;
    plat::DirectDrawSurface7* surface = nullptr;
    if (handle != D3DTEX_NO_TEXTURE) {
        surface = Slot(handle, "D3DTexSetCurrentHandle(): texture handle out of range",
                       "D3DTexSetCurrentHandle(): texture doesn't exist")
                      .surface;
    }
    CurrentHandle = handle;
    Check(D3DGetD3DDevice7()->SetTexture(0, surface), __LINE__, "D3DTexSetCurrentHandle", "D3DD7_SetTexture");
}

void D3DTexDestroyTexture(int handle) {
    D3DTexture& t = Slot(handle, "D3DTexDestroyTexture(): texture handle out of range",
                         "D3DTexDestroyTexture(): texture doesn't exist");
    // A later texture given the same handle must not be taken as current.
    if (handle == CurrentHandle) D3DTexSetCurrentHandle(D3DTEX_NO_TEXTURE);
    DebugLog(DEBUG_DIRECTDRAW, 80, "DX_SAFE_RELEASE(): releasing texture->lpSurface\n");
    t.surface->Release();
    t = D3DTexture{};
}

int D3DTexGetFormatCount() { return Tex.format_count; }
const D3DTexFormat* D3DTexGetFormatEntry(int format) {
    return format >= 0 && format < Tex.format_count ? &Tex.formats[format] : nullptr;
}
int D3DTexGetCurrentHandle() { return CurrentHandle; }
uint32_t D3DTexGetLevels(int handle) {
    return handle >= 0 && handle < MAX_TEXTURES ? Tex.textures[handle].levels : 0;
}
uint32_t D3DTexGetDefaultDepth() { return DefaultDepth; }
