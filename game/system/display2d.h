// What the game sees of the display: initialisation, graphics modes by
// index in the mode table, frame flips, the palette of 256-colour modes,
// 2D primitives drawn straight into the locked drawing surface, the 8 x 8
// text font and screen grabs.
#pragma once
#include <cstdint>

#include "game/system/displaysurfaces.h"
#include "game/system/pixelformats.h"

// GfxInit flags.
constexpr uint16_t GFXINIT_3D = 0x01;

// SetGraphicMode flags.
constexpr uint16_t GFX_DOUBLEBUFFER = 0x01;
constexpr uint16_t GFX_3D = 0x02;
constexpr uint16_t GFX_ZBUFFER = 0x04;
constexpr uint16_t GFX_STENCIL = 0x08;

// Mode kinds.
constexpr uint16_t GFX_MODE_NONE = 0;
constexpr uint16_t GFX_MODE_PALETTISED = 1;
constexpr uint16_t GFX_MODE_DIRECT = 2;

constexpr int GFX_FONT_GLYPHS = 256;
// The built-in 8 x 8 font: 8 bytes per glyph, a byte per row from the top,
// bit 7 the leftmost pixel.
extern const uint8_t GfxFont8x8[GFX_FONT_GLYPHS * 8];

void GfxInit(uint16_t flags);
void GfxUninit();
// Mode kinds of FindGraphicMode.
constexpr int16_t GFX_KIND_PALETTE = 0;
constexpr int16_t GFX_KIND_HIGH_COLOUR = 1;  // 15 or 16 bits
constexpr int16_t GFX_KIND_24_BIT = 2;
constexpr int16_t GFX_KIND_32_BIT = 3;
// The number of a display mode of that size and kind, or -1.
int FindGraphicMode(int width, int height, int16_t kind);
void SetGraphicMode(int16_t mode, uint16_t flags);
void RestoreGraphicMode();
void GfxFlip();
int GfxIsModeSet();
// palette: 768 bytes of 6-bit levels; entries 0 and 255 are forced to black
// and white in the caller's array.
void SetPalette(uint8_t* palette);

void GfxPutPixel(int x, int y, uint32_t colour);
uint32_t GfxGetPixel(int x, int y);
void GfxDrawLine(int x1, int y1, int x2, int y2, uint32_t colour);
void GfxFillRect(int x, int y, int width, int height, uint8_t colour);
void GfxClearScreen();
void GfxDrawText(int x, int y, const char* text);
void DrawGraphic(int x, int y, int width, int height, const uint8_t* source, int source_skip);
void DrawGraphicContiguous(int x, int y, int width, int height, const uint8_t* source);
void DrawGraphicTrans(int x, int y, int width, int height, const uint8_t* source);
void GfxReadRect(int x, int y, int width, int height, uint8_t* destination);
void ShowDBuffer(int x, int y, const DDrawSurfaceInfo* source, int source_x, int source_y, int width,
                 int height);
void ScreenGrab();
void SaveScreenTGA(const char* file_name, int x, int y, int width, int height);

// State for the game and tests.
uint16_t GfxGetModeKind();
uint32_t GfxGetScreenWidth();
uint32_t GfxGetScreenHeight();
const ColFmt* GfxGetScreenFormat();
// The palette kept in the state (768 bytes, 6-bit levels).
const uint8_t* GfxGetPalette();
int GfxIsInitialised();
