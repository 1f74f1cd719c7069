#include "game/match3d/iconpages.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/system/device3d.h"
#include "game/system/pixelformats.h"
#include "game/system/textures3d.h"

namespace {

constexpr const char* kModule = "zud3d\\gfxmgr.c";
// The source lines the packing's stops name.
constexpr int kTooLargeLine = 475;
constexpr int kFitFailedLine = 579;
constexpr int kTiledLine = 621;
constexpr int kTooManyPagesLine = 908;
constexpr uint32_t kIconGrowth = 16;
constexpr uint32_t kWorldQuadFormat = 0x152;  // position, normal, diffuse, u, v
constexpr uint32_t kOpaqueBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;

struct ScreenVertex {
    float x, y, z, rhw;
    uint32_t diffuse, specular;
    float u, v;
};
static_assert(sizeof(ScreenVertex) == 32);

struct WorldVertex {
    float x, y, z, nx, ny, nz;
    uint32_t diffuse;
    float u, v;
};
static_assert(sizeof(WorldVertex) == 36);

IconPage Pages[kMaxIconPages];
int PageCount = 0;
GfxIcon* Icons = nullptr;
uint32_t IconCount = 0;
uint32_t IconCapacity = 0;
TextureFudge Fudge = {};

bool HasPixels(const IconPage& page) { return page.pixels != nullptr; }

const uint8_t* IconPixels(const GfxIcon& icon) {
    const IconPage& page = Pages[icon.page];
    return page.pixels + (size_t(icon.y) * kIconPageSize + icon.x) * page.bytesPerTexel;
}

bool SamePicture(const GfxIcon& icon, const uint8_t* pixels) {
    const IconPage& page = Pages[icon.page];
    const size_t rowBytes = size_t(icon.width) * page.bytesPerTexel;
    const uint8_t* stored = IconPixels(icon);
    for (uint32_t y = 0; y < icon.height; ++y) {
        if (std::memcmp(stored + y * kIconPageSize * page.bytesPerTexel, pixels + y * rowBytes, rowBytes) !=
            0) {
            return false;
        }
    }
    return true;
}

uint32_t AppendIcon(const GfxIcon& icon) {
    if (IconCount == IconCapacity) {
        IconCapacity += kIconGrowth;
        ResizeMemory(&Icons, IconCapacity * uint32_t(sizeof(GfxIcon)));
    }
    Icons[IconCount] = icon;
    return IconCount++;
}

// The page's claim on an icon: any page with room in its current row beats
// every page that needs a new row, and the row height closest to the
// icon's wins.  0: no room.
int32_t PageScore(const IconPage& page, uint32_t width, uint32_t height) {
    const int32_t misfit = std::abs(int32_t(page.rowHeight) - int32_t(height));
    if (page.cursorX + width <= kIconPageSize && page.cursorY + height <= kIconPageSize)
        return 0x10100 - misfit;
    if (page.cursorY + page.rowHeight + height <= kIconPageSize) return 0x100 - misfit;
    return 0;
}

int ChoosePage(uint32_t width, uint32_t height, uint32_t format) {
    int best = -1;
    int32_t bestScore = 0;
    for (int i = 0; i < PageCount; ++i) {
        const IconPage& page = Pages[i];
        if (page.format != format || !HasPixels(page)) continue;
        const int32_t score = PageScore(page, width, height);
        if (score > bestScore) {
            best = i;
            bestScore = score;
        }
    }
    return best;
}

const GfxIcon& CheckedIcon(uint32_t icon) {
    if (icon >= IconCount) AbortError(kModule, __LINE__, "GfxMgr_DrawIcon(): invalid icon");
    return Icons[icon];
}

// Texture coordinates of the icon's corners.
void IconUv(const GfxIcon& icon, float* u0, float* v0, float* u1, float* v1) {
    const float size = float(kIconPageSize);
    *u0 = (float(icon.x) + Fudge.u) / size;
    *u1 = (float(icon.x + icon.width) + Fudge.u) / size;
    *v0 = (float(icon.y) + Fudge.v) / size;
    *v1 = (float(icon.y + icon.height) + Fudge.v) / size;
}

}  // namespace

void GfxMgr_Init() {
    PageCount = 0;
    IconCount = 0;
    if (Icons == nullptr) {
        IconCapacity = kIconGrowth;
        AllocateMemory(&Icons, IconCapacity * uint32_t(sizeof(GfxIcon)), MEM_TYPE_MANUAL_NO_MOVE);
    }
    InitTextureFudge(0);
}

void InitTextureFudge(int type) {
    switch (type) {
        case 0:
            Fudge = {0.0f, 0.0f, -0.5f, -0.5f};
            break;
        case 1:
            Fudge = {0.5f, 0.5f, 0.0f, 0.0f};
            break;
        case 2:
            Fudge = {0.0f, 0.0f, 0.0f, 0.0f};
            break;
        default:
            AbortError(kModule, __LINE__, "InitTextureFudge(): invalid fudge type");
    }
}

void GfxMgr_CreateStart() {
    if (IconCount > 0) {
        AbortError(kModule, __LINE__, "GfxMgr_CreateStart(): icons already created - can't do it again");
    }
    IconCount = 0;
}

uint32_t GfxMgr_Create(const uint8_t* pixels, uint32_t width, uint32_t height, uint32_t format) {
    if (width > kIconPageSize || height > kIconPageSize) {
        AbortError(kModule, kTooLargeLine, "GfxMgr_Create(): icon too large for texture size");
    }
    for (uint32_t i = 0; i < IconCount; ++i) {
        const GfxIcon& icon = Icons[i];
        const IconPage& page = Pages[icon.page];
        if (icon.width != width || icon.height != height || page.format != format || !HasPixels(page))
            continue;
        if (SamePicture(icon, pixels)) return AppendIcon(GfxIcon(icon));
    }
    int chosen = ChoosePage(width, height, format);
    if (chosen < 0) chosen = CreateNewTexture(format);
    IconPage& page = Pages[chosen];
    if (page.cursorX + width > kIconPageSize) {
        page.cursorX = 0;
        page.cursorY += page.rowHeight;
        page.rowHeight = 0;
    }
    if (page.cursorY + height > kIconPageSize) {
        AbortError(kModule, kFitFailedLine,
                   "GfxMgr_Create(): failed to fit texture - something wrong with choosing code");
    }
    const uint32_t rowBytes = width * page.bytesPerTexel;
    uint8_t* destination =
        page.pixels + (size_t(page.cursorY) * kIconPageSize + page.cursorX) * page.bytesPerTexel;
    BlitRect(height, int32_t((kIconPageSize - width) * page.bytesPerTexel), 0, rowBytes, pixels, destination);
    const uint32_t index = AppendIcon({uint32_t(chosen), page.cursorX, page.cursorY, width, height});
    page.cursorX += width;
    page.rowHeight = std::max(page.rowHeight, height);
    return index;
}

int CreateNewTexture(uint32_t format) {
    if (PageCount >= kMaxIconPages) {
        AbortError(kModule, kTooManyPagesLine,
                   "CreateNewTexture(): too many textures - increase MAX_TEXTURES");
    }
    IconPage& page = Pages[PageCount];
    page = IconPage{nullptr, kNoPageHandle, format, D3DTexGetTextureFormat(int(format))->bytes, 0, 0, 0};
    const uint32_t bytes = kIconPageSize * kIconPageSize * page.bytesPerTexel;
    AllocateMemory(&page.pixels, bytes, MEM_TYPE_MANUAL_NO_MOVE);
    std::memset(page.pixels, 0, bytes);
    return PageCount++;
}

void GfxMgr_Upload() {
    for (int i = 0; i < PageCount; ++i) {
        IconPage& page = Pages[i];
        if (!HasPixels(page)) continue;
        page.handle =
            uint32_t(D3DTexCreateTexture(kIconPageSize, kIconPageSize, page.pixels, int(page.format)));
        FreeMemory(&page.pixels);
    }
}

void GfxMgr_Destroy() {
    for (int i = 0; i < PageCount; ++i) {
        IconPage& page = Pages[i];
        if (page.handle != kNoPageHandle) D3DTexDestroyTexture(int(page.handle));
        if (HasPixels(page)) FreeMemory(&page.pixels);
        page = IconPage{};
    }
    PageCount = 0;
    IconCount = 0;
}

void GfxMgr_Free() {
    if (Icons != nullptr) FreeMemory(&Icons);
    IconCount = 0;
    IconCapacity = 0;
}

void GfxMgr_DrawIcon(uint32_t icon, float x, float y, float width, float height, uint32_t colour) {
    const GfxIcon& record = CheckedIcon(icon);
    float u0, v0, u1, v1;
    IconUv(record, &u0, &v0, &u1, &v1);
    const float x0 = x + Fudge.x, y0 = y + Fudge.y;
    const float x1 = x + width + Fudge.x, y1 = y + height + Fudge.y;
    const ScreenVertex quad[4] = {
        {x0, y0, 0.0f, 1.0f, colour, kOpaqueBlack, u0, v0},
        {x1, y0, 0.0f, 1.0f, colour, kOpaqueBlack, u1, v0},
        {x1, y1, 0.0f, 1.0f, colour, kOpaqueBlack, u1, v1},
        {x0, y1, 0.0f, 1.0f, colour, kOpaqueBlack, u0, v1},
    };
    D3DTexSetCurrentHandle(int(Pages[record.page].handle));
    D3DDrawPrimitive(plat::kPtTriangleFan, kScreenQuadFormat, quad, 4);
}

void GfxMgr_DrawIconWhite(uint32_t icon, float x, float y, float width, float height) {
    GfxMgr_DrawIcon(icon, x, y, width, height, kWhite);
}

void GfxMgr_DrawIconNatural(uint32_t icon, float x, float y) {
    GfxMgr_DrawIconNaturalColour(icon, x, y, kWhite);
}

void GfxMgr_DrawIconNaturalColour(uint32_t icon, float x, float y, uint32_t colour) {
    const GfxIcon& record = CheckedIcon(icon);
    GfxMgr_DrawIcon(icon, x, y, float(record.width), float(record.height), colour);
}

uint32_t GfxMgr_GetIconHeight(uint32_t icon) { return CheckedIcon(icon).height; }

void GfxMgr_DrawIconAt(uint32_t icon, float x, float y, float z, float scale) {
    GfxMgr_DrawIconAtColour(icon, x, y, z, scale, kWhite);
}

void GfxMgr_DrawIconAtColour(uint32_t icon, float x, float y, float z, float scale, uint32_t colour) {
    const GfxIcon& record = CheckedIcon(icon);
    float u0, v0, u1, v1;
    IconUv(record, &u0, &v0, &u1, &v1);
    const float x1 = x + float(record.width) * scale, y1 = y + float(record.height) * scale;
    const WorldVertex quad[4] = {
        {x, y, z, 0.0f, 0.0f, -1.0f, colour, u0, v0},
        {x1, y, z, 0.0f, 0.0f, -1.0f, colour, u1, v0},
        {x1, y1, z, 0.0f, 0.0f, -1.0f, colour, u1, v1},
        {x, y1, z, 0.0f, 0.0f, -1.0f, colour, u0, v1},
    };
    D3DTexSetCurrentHandle(int(Pages[record.page].handle));
    D3DDrawPrimitive(plat::kPtTriangleFan, kWorldQuadFormat, quad, 4);
}

void GfxMgr_DrawTiled() { AbortError(kModule, kTiledLine, "GfxMgr_DrawTiled(): not done yet..."); }

int GfxMgr_GetPageCount() { return PageCount; }
const IconPage* GfxMgr_GetPage(int page) { return page >= 0 && page < PageCount ? &Pages[page] : nullptr; }
uint32_t GfxMgr_GetIconCount() { return IconCount; }
const GfxIcon* GfxMgr_GetIcon(uint32_t icon) { return icon < IconCount ? &Icons[icon] : nullptr; }
const TextureFudge& GfxMgr_GetFudge() { return Fudge; }
