// Icon pages: the small 2D pictures drawn over the 3D match (font
// characters, the mouse pointer) packed into a few 256 x 256 texture pages.
// Each picture becomes a rectangle of one page (identical pictures share
// one) and is drawn as one textured quad, with a texel-offset correction.
#pragma once
#include <cstdint>

#include "platform/d3d.h"

// The 2D quads drawn over the match: screen position with 1/w, diffuse and
// specular colours, one texture.
constexpr uint32_t kScreenQuadFormat =
    plat::kFvfXyzRhw | plat::kFvfDiffuse | plat::kFvfSpecular | (1u << plat::kFvfTexCountShift);
static_assert(kScreenQuadFormat == 0x1c4);

constexpr uint32_t kIconPageSize = 256;
constexpr int kMaxIconPages = 8;
constexpr uint32_t kNoPageHandle = 0xFFFFFFFF;

struct IconPage {
    uint8_t* pixels;  // null once uploaded
    uint32_t handle;  // kNoPageHandle until uploaded
    uint32_t format;  // texture format number
    uint32_t bytesPerTexel;
    uint32_t cursorX;
    uint32_t cursorY;
    uint32_t rowHeight;
};

struct GfxIcon {
    uint32_t page;
    uint32_t x;
    uint32_t y;
    uint32_t width;
    uint32_t height;
};

// Texel-offset correction: u and v offsets in texels, x and y offsets in
// pixels.
struct TextureFudge {
    float u;
    float v;
    float x;
    float y;
};

void GfxMgr_Init();
// 0: quads half a pixel up and left; 1: texture coordinates half a texel
// on; 2: none.
void InitTextureFudge(int type);
void GfxMgr_CreateStart();
// Registers a picture of width x height texels of the page format, rows
// packed; returns the icon.
uint32_t GfxMgr_Create(const uint8_t* pixels, uint32_t width, uint32_t height, uint32_t format);
int CreateNewTexture(uint32_t format);
// Every page still holding pixels becomes a device texture.
void GfxMgr_Upload();
void GfxMgr_Destroy();
void GfxMgr_Free();

// Screen-space drawing (pre-transformed quads); colours are ARGB.
void GfxMgr_DrawIcon(uint32_t icon, float x, float y, float width, float height, uint32_t colour);
void GfxMgr_DrawIconWhite(uint32_t icon, float x, float y, float width, float height);
void GfxMgr_DrawIconNatural(uint32_t icon, float x, float y);
void GfxMgr_DrawIconNaturalColour(uint32_t icon, float x, float y, uint32_t colour);
uint32_t GfxMgr_GetIconHeight(uint32_t icon);
// The icon's quad at its own size times scale in the current 3D transform,
// at depth z: x to the right and y downward from the top-left corner, as on
// the screen.
void GfxMgr_DrawIconAt(uint32_t icon, float x, float y, float z, float scale);
void GfxMgr_DrawIconAtColour(uint32_t icon, float x, float y, float z, float scale, uint32_t colour);
// Not available: ends the program.
[[noreturn]] void GfxMgr_DrawTiled();

// State for the icon files and tests.
int GfxMgr_GetPageCount();
const IconPage* GfxMgr_GetPage(int page);
uint32_t GfxMgr_GetIconCount();
const GfxIcon* GfxMgr_GetIcon(uint32_t icon);
const TextureFudge& GfxMgr_GetFudge();
