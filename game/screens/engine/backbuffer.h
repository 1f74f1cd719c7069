// The menu back buffer: all menu drawing goes into a system-memory copy of
// the screen in the screen's pixel format, marking 20 x 20-pixel cells of a
// 40 x 30 grid dirty; a flush copies only the dirty cells to the screen,
// merged into as few rectangles as the grid allows.  A second buffer, the
// saved screen, holds a copy to restore from.
//
// Rectangles are (x, y, width, height) in screen pixels.  An operation on a
// rectangle that is empty or not wholly on the screen does nothing (no
// clipping); otherwise it marks the rectangle dirty.
#pragma once
#include <cstdint>

#include "game/system/pixelformats.h"

constexpr int MENU_CELL_SIZE = 20;
constexpr int MENU_GRID_COLUMNS = 40;
constexpr int MENU_GRID_ROWS = 30;
constexpr int MENU_LAYOUT_WIDTH = 800;
constexpr int MENU_LAYOUT_HEIGHT = 600;
constexpr int MENU_SHADE_SLOTS = 16;
// Screen ticks a wipe lasts.
constexpr int MENU_WIPE_TICKS = 166;

// 0 clean, anything else dirty.
extern uint8_t MenuDirtyCells[MENU_GRID_ROWS][MENU_GRID_COLUMNS];
// Both ManualFree blocks of width x height x bytes per pixel, rows packed.
extern uint8_t* MenuBackBuffer;
extern uint8_t* MenuSavedScreen;

// The geometry the painters work in; the menu set-up passes the display's
// size and pixel format.  The transparent key becomes pure magenta in that
// format.
void MenuSetScreenFormat(int width, int height, const ColFmt* format);
int MenuScreenWidth();
int MenuScreenHeight();
int MenuBytesPerPixel();
const ColFmt* MenuScreenFormat();
uint32_t MenuTransparentKey();
// The RGB 5-6-5 menu colour as a pixel of the screen format.
uint32_t MenuColourToPixel(uint16_t colour);

void AllocScreenBuffers();
void FreeScreenBuffers();

void MarkDirtyCells(int x, int y, int width, int height, uint8_t value);
void MarkRectDirty(int x, int y, int width, int height);
void FlushDirtyCells();
// How many rectangles the flushes have copied so far (for tests and tools).
uint32_t MenuFlushCopyCount();

void SaveScreenToBuffer();
void RestoreRectFromBuffer(int x, int y, int width, int height);
void CopyRectFromBackBuffer(int x, int y, int width, int height, uint8_t* destination);
void CopyRectToBackBuffer(int x, int y, int width, int height, const uint8_t* source);
// Copies the pixels that differ from the transparent key; the source
// advances by width + sourceSkip pixels a row.
void DrawImageToBackBuffer(int x, int y, int width, int height, const uint8_t* source, int sourceSkip);
void DrawImageToBackBufferPlain(int x, int y, int width, int height, const uint8_t* source);

// colour: RGB 5-6-5.
void FillSolidRect(int x, int y, int width, int height, uint16_t colour);
// Corner colours 0x00BBGGRR: top left, top right, bottom left, bottom right.
void FillGradientRect(int x, int y, int width, int height, uint32_t topLeft, uint32_t topRight,
                      uint32_t bottomLeft, uint32_t bottomRight);
// Colour i of n steps from a to b (0x00BBGGRR).
uint32_t InterpolateColour(uint32_t a, uint32_t b, int i, int n);
// Every channel d becomes d + ((c - d) x alpha >> 8).
void FillTranslucentRect(int x, int y, int width, int height, uint16_t colour, uint8_t alpha);
// The 65536-entry table that blends a 16-bit screen pixel toward the
// colour; one of 16 cached tables, replaced oldest-filled first.
const uint16_t* GetShadeTable(uint16_t colour, uint8_t alpha);
void CreateMenuShadeRectangleCache(int slot, uint8_t alpha, uint16_t colour);
// Frees the cached tables (the menu display closing).
void FreeShadeTables();

// Blends a coverage picture (3 bytes a pixel, the first byte the coverage
// 0..255, sourceRowBytes from row to row) in the colour into the back
// buffer, coverage scaled by opacity when it is below 255.  Pixels of
// coverage 0 stay, full ones take the colour.  Whole or nothing, like a fill.
void BlendCoverageToBackBuffer(int x, int y, int width, int height, const uint8_t* coverage,
                               int sourceRowBytes, uint16_t colour, int opacity);

// From (x1, y1) toward (x2, y2), the end point not drawn; nothing when
// either end lies off the screen.
void DrawLine(int x1, int y1, int x2, int y2, uint16_t colour);
// 0x00BBGGRR; 0 off the screen.
uint32_t GetBackBufferPixel(int x, int y);
void PutBackBufferPixel(int x, int y, uint32_t colour);
void PutMenuPixel(int x, int y, uint16_t colour);

// Timed sweeps of MENU_WIPE_TICKS over the screen rows from both ends: to
// black, or revealing the back buffer (which then leaves the grid clean).
void ScreenWipe();
void ScreenWipeFromBuffer();

uint32_t MenuRandomStep(uint32_t value);
