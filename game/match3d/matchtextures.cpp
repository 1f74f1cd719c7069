#include "game/match3d/matchtextures.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/match3d/kitload.h"
#include "game/system/picture.h"
#include "game/system/textures3d.h"

uint32_t TextureSlot[kTextureSlots];
uint32_t KitColourTable[kKitSides][kKitColourGroups][kKitPens];

namespace {

constexpr const char* kModule = "zud3d\\d3dtex.c";
// The source lines the full-table stops name.
constexpr int kCreateFullLine = 76;
constexpr int kCreateForTeamFullLine = 203;
constexpr const char* kTextureRoot = "zudata\\d3d\\";

// The shading pictures keep only their red (light, low byte) and blue
// (highlight, high byte) channels.
constexpr ColFmt kShadingFormat = {
    {0, 8, 0x00FF}, {0, 0, 0}, {8, 8, 0xFF00}, {0, 0, 0}, 0xFFFF, 2, 16,
};

std::string TexturePath(const char* name) { return std::string(kTextureRoot) + name; }

int LowestFreeSlot() {
    for (int i = 0; i < kTextureSlots; ++i) {
        if (TextureSlot[i] == kFreeTextureSlot) return i;
    }
    return -1;
}

uint32_t PictureWidth(const uint8_t* block) { return recbits::LoadU16(block + GFX0_WIDTH); }
uint32_t PictureHeight(const uint8_t* block) { return recbits::LoadU16(block + GFX0_HEIGHT); }

// Loads a picture whole and converts it (format null: colour indices).
// Ends the program when the conversion fails.
uint32_t LoadPicture(const std::string& path, uint8_t** block, const ColFmt* format) {
    uint32_t size = PakLoadWholeFile(path.c_str(), block, MEM_TYPE_MANUAL_NO_MOVE);
    if (LoadImageFile(block, &size, 0, format) < 0) FatalError("Error converting '%s'\n", path.c_str());
    return size;
}

const char* ShadingPath(const KitPart* row) {
    switch (row->kind) {
        case kKitKindSocks:
            return "zudata\\d3d\\sskin\\textures\\kits\\plain\\Socks.tga";
        case kKitKindShorts:
            return "zudata\\d3d\\sskin\\textures\\kits\\plain\\Shorts.tga";
        case kKitKindShirt:
        case kKitKindKeeperShirt:
            return "zudata\\d3d\\sskin\\textures\\kits\\plain\\shirt.tga";
        default:
            FatalError("ERROR:TexD3D_CreateTextureForTeam, default case hit");
    }
}

}  // namespace

void TexD3D_Init() { std::fill(std::begin(TextureSlot), std::end(TextureSlot), kFreeTextureSlot); }

void TexD3D_DestroyAll() {
    for (uint32_t& slot : TextureSlot) {
        if (slot == kFreeTextureSlot) continue;
        D3DTexDestroyTexture(int(slot));
        slot = kFreeTextureSlot;
    }
}

int TexD3D_GetHandle(int index) {
    // The kit table marks a part without a texture with -1: answered as no
    // texture instead of a read before the table.
    if (index < 0 || index >= kTextureSlots) return D3DTEX_NO_TEXTURE;
    return int(TextureSlot[index]);
}

int TexD3D_CreateTexture(const char* name) {
    const std::string path = TexturePath(name);
    const int slot = LowestFreeSlot();
    if (slot < 0) AbortError(kModule, kCreateFullLine, "TexD3D_CreateTexture(): too many textures created");
    uint8_t* block = nullptr;
    const uint32_t size = LoadPicture(path, &block, &ColFmt_A8R8G8B8);
    const uint32_t width = PictureWidth(block), height = PictureHeight(block);
    const uint64_t expected = GFX0_HEADER_SIZE + uint64_t(width) * height * 4;
    if (size != expected) {
        FatalError(
            "Error: TexD3D_CreateTexture(): texture file size is wrong (was %d bytes, should be %d for "
            "%dx%d)\n",
            int(size), int(expected), int(width), int(height));
    }
    TextureSlot[slot] =
        uint32_t(D3DTexAdvancedCreateTexture(width, height, &block, GFX0_HEADER_SIZE, D3DTEXCREATE_ARGB8888));
    return slot;
}

int TexD3D_CreateTextureForTeam(const char* name, int side, const KitPart* row) {
    const std::string path = TexturePath(name);
    const int slot = LowestFreeSlot();
    if (slot < 0)
        AbortError(kModule, kCreateForTeamFullLine,
                   "TexD3D_CreateTextureForTeam(): too many textures created");

    uint8_t* palette = nullptr;
    const uint32_t paletteSize = LoadPicture(path, &palette, nullptr);
    const uint32_t paletteWidth = PictureWidth(palette), paletteHeight = PictureHeight(palette);
    const uint64_t paletteExpected = GFX0_HEADER_SIZE + uint64_t(paletteWidth) * paletteHeight;
    if (paletteSize != paletteExpected) {
        FatalError(
            "Error: TexD3D_CreateTextureForTeam(): palette texture file %s size is wrong (was %d bytes, "
            "should "
            "be %d for %dx%d)\n",
            path.c_str(), int(paletteSize), int(paletteExpected), int(paletteWidth), int(paletteHeight));
    }

    uint8_t* shading = nullptr;
    const uint32_t shadingSize = LoadPicture(ShadingPath(row), &shading, &kShadingFormat);
    const uint32_t width = PictureWidth(shading), height = PictureHeight(shading);
    if (shadingSize != GFX0_HEADER_SIZE + uint64_t(width) * height * 2) {
        FatalError("Error: TexD3D_CreateTextureForTeam() part2");
    }
    // The palette is read texel by texel in the shading's order: it must
    // hold at least as many texels.
    const uint64_t texels = uint64_t(width) * height;
    if (uint64_t(paletteWidth) * paletteHeight < texels) {
        FatalError(
            "Error: TexD3D_CreateTextureForTeam(): palette texture file %s is smaller than its shading "
            "(%dx%d, "
            "should be at least %dx%d)\n",
            path.c_str(), int(paletteWidth), int(paletteHeight), int(width), int(height));
    }

    uint32_t* texture = nullptr;
    AllocateMemory(&texture, uint32_t(texels * 4), MEM_TYPE_MANUAL_NO_MOVE);
    const uint8_t* pens = palette + GFX0_HEADER_SIZE;
    const uint8_t* shades = shading + GFX0_HEADER_SIZE;
    for (uint64_t i = 0; i < texels; ++i) {
        const float light = float(shades[i * 2]) / 255.0f;
        const float highlight = float(shades[i * 2 + 1]) / 255.0f;
        const uint32_t colour = TexD3D_GetTeamColour(side, int(row->colourGroup), pens[i]);
        texture[i] = TexD3D_ShadeColour(int32_t(colour), light, highlight);
    }
    FreeMemory(&palette);
    FreeMemory(&shading);
    TextureSlot[slot] = uint32_t(
        D3DTexAdvancedCreateTexture(width, height, &texture, 0, D3DTEXCREATE_ARGB8888 | D3DTEXCREATE_SOLID));
    return slot;
}

void TexD3D_SetTeamColours(int side, const KitDesignRow& design) {
    // A side outside the four would write beyond the colour table.
    if (side < 0 || side >= kKitSides) AbortError(kModule, __LINE__, "TexD3D_SetTeamColours(): invalid side");
    // Words are signed: a word of -1 is kept as a colour outside the palette.
    auto word = [&](int w) { return uint32_t(int32_t(int16_t(design.words[w]))); };
    uint32_t(&colours)[kKitColourGroups][kKitPens] = KitColourTable[side];
    for (int pen = 0; pen < kKitPens; ++pen) {
        colours[0][pen] = word(1 + pen);
        colours[3][pen] = word(13);
    }
    for (int pen = 0; pen < 3; ++pen) {
        colours[1][pen] = word(6 + pen);
        colours[2][pen] = word(10 + pen);
    }
    colours[1][3] = kKitTrimColour;
    colours[2][3] = kKitTrimColour;
}

uint32_t TexD3D_GetTeamColour(int side, int group, int pen) {
    if (side < 0 || side >= kKitSides || group < 0 || group >= kKitColourGroups || pen < 0 ||
        pen >= kKitPens) {
        return kKitFallbackColour;
    }
    return KitColourTable[side][group][pen];
}

uint32_t TexD3D_ShadeColour(int32_t colour, float light, float highlight) {
    if (colour < 0 || colour >= kKitPaletteSize) colour = kKitFallbackColour;
    const KitColour& c = KitPalette[colour];
    const int brightest = std::max({c.red, c.green, c.blue});
    const float w = (float(brightest) / 255.0f) * highlight;
    auto shade = [&](uint8_t component) {
        const int lifted = int(float(component) * (1.0f - w) + 255.0f * w);
        const int lit = int(float(lifted) * light);
        return uint32_t(std::clamp(lit, 0, 255));
    };
    return ColConvRGB2Pixel(&ColFmt_A8R8G8B8, shade(c.red), shade(c.green), shade(c.blue), 255);
}
