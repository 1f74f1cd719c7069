#include "game/screens/engine/backbuffer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/screens/engine/menuboxes.h"
#include "game/system/display2d.h"
#include "game/system/mainwindow.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"

uint8_t MenuDirtyCells[MENU_GRID_ROWS][MENU_GRID_COLUMNS];
uint8_t* MenuBackBuffer = nullptr;
uint8_t* MenuSavedScreen = nullptr;

namespace {

constexpr const char* kModule = "menupc";

// One cached blend table; its block is AutoFree, so the memory manager may
// take it back (the slot pointer then reads null: an empty slot).
struct ShadeTable {
    uint8_t alpha;
    uint16_t colour;
    uint32_t fillTick;
    uint16_t entries[65536];
};
ShadeTable* ShadeSlots[MENU_SHADE_SLOTS];

// One colour channel of the screen format.
struct Channel {
    uint32_t shift;
    uint32_t bits;
    uint32_t mask;
};

struct ScreenState {
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;
    ColFmt format{};
    Channel channels[3]{};  // red, green, blue
    uint32_t colourMask = 0;
    bool eightBitChannels = false;
    uint32_t key = 0;
    uint32_t flushCopies = 0;
};
ScreenState Screen;

// The last-use stamp of a cached block; without a running timer (tools,
// benchmarks) there is no age to tell apart.
uint32_t NowTicks() { return TimerIsRunning() ? GetTimerTicks() : 0; }

bool RectOnScreen(int x, int y, int width, int height) {
    if (MenuBackBuffer == nullptr || width <= 0 || height <= 0 || x < 0 || y < 0) return false;
    return int64_t(x) + width <= Screen.width && int64_t(y) + height <= Screen.height;
}

bool PointOnScreen(int x, int y) {
    return MenuBackBuffer != nullptr && x >= 0 && y >= 0 && x < Screen.width && y < Screen.height;
}

size_t RowBytes() { return size_t(Screen.width) * size_t(Screen.bytesPerPixel); }

uint8_t* PixelAddress(uint8_t* buffer, int x, int y) {
    return buffer + size_t(y) * RowBytes() + size_t(x) * size_t(Screen.bytesPerPixel);
}

template <int kBytes>
inline uint32_t ReadPixelOf(const uint8_t* at) {
    if constexpr (kBytes == 2) {
        uint16_t v;
        std::memcpy(&v, at, 2);
        return v;
    } else if constexpr (kBytes == 4) {
        uint32_t v;
        std::memcpy(&v, at, 4);
        return v;
    } else {
        return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16;
    }
}

template <int kBytes>
inline void WritePixelOf(uint8_t* at, uint32_t value) {
    if constexpr (kBytes == 2) {
        const uint16_t v = uint16_t(value);
        std::memcpy(at, &v, 2);
    } else if constexpr (kBytes == 4) {
        std::memcpy(at, &value, 4);
    } else {
        at[0] = uint8_t(value);
        at[1] = uint8_t(value >> 8);
        at[2] = uint8_t(value >> 16);
    }
}

uint32_t ReadPixel(const uint8_t* at) {
    switch (Screen.bytesPerPixel) {
        case 2:
            return ReadPixelOf<2>(at);
        case 4:
            return ReadPixelOf<4>(at);
        default:
            return ReadPixelOf<3>(at);
    }
}

void WritePixel(uint8_t* at, uint32_t value) {
    switch (Screen.bytesPerPixel) {
        case 2:
            WritePixelOf<2>(at, value);
            break;
        case 4:
            WritePixelOf<4>(at, value);
            break;
        default:
            WritePixelOf<3>(at, value);
            break;
    }
}

// A channel value of the screen format widened to 8 bits, low bits
// repeating the high ones (5 bits v become v x 8 + v / 4).
inline uint32_t Widen(uint32_t value, uint32_t bits) {
    if (bits == 8) return value;
    return ColScaleBits(value, bits, 8);
}

inline void Unpack(uint32_t pixel, int rgb[3]) {
    for (int i = 0; i < 3; ++i) {
        const Channel& c = Screen.channels[i];
        rgb[i] = int(Widen((pixel & c.mask) >> c.shift, c.bits));
    }
}

inline uint32_t Pack(const int rgb[3]) {
    uint32_t pixel = 0;
    for (int i = 0; i < 3; ++i) {
        const Channel& c = Screen.channels[i];
        const uint32_t value = c.bits == 8 ? uint32_t(rgb[i]) : ColScaleBits(uint32_t(rgb[i]), 8, c.bits);
        pixel |= (value << c.shift) & c.mask;
    }
    return pixel;
}

// The blend of every translucent painter; >> on a negative product rounds
// down, so a rising channel stops one short of the colour.
inline int Blend(int d, int c, int alpha) { return d + (((c - d) * alpha) >> 8); }

// The same for a screen format of 8-bit channels, channel by channel in
// place.
inline uint32_t BlendPixel8(uint32_t pixel, const int colour[3], int alpha) {
    uint32_t out = pixel & ~Screen.colourMask;
    for (int i = 0; i < 3; ++i) {
        const uint32_t shift = Screen.channels[i].shift;
        const int d = int((pixel >> shift) & 0xFF);
        out |= uint32_t(Blend(d, colour[i], alpha)) << shift;
    }
    return out;
}

inline uint32_t BlendPixel(uint32_t pixel, const int colour[3], int alpha) {
    if (Screen.eightBitChannels) return BlendPixel8(pixel, colour, alpha);
    int rgb[3];
    Unpack(pixel, rgb);
    for (int i = 0; i < 3; ++i) rgb[i] = Blend(rgb[i], colour[i], alpha);
    // Bits outside the colour (an alpha channel) stay as they were.
    return (pixel & ~Screen.colourMask) | Pack(rgb);
}

template <int kBytes>
void BlendRows(int x, int y, int width, int height, const int rgb[3], int alpha) {
    if (kBytes >= 3 && Screen.eightBitChannels) {
        // Byte by byte, each byte with the colour and alpha of its channel
        // (alpha 0 keeps a byte outside the colour): a loop the compiler
        // turns into vector code.
        int colourAt[4] = {}, alphaAt[4] = {};
        for (int i = 0; i < 3; ++i) {
            colourAt[Screen.channels[i].shift / 8] = rgb[i];
            alphaAt[Screen.channels[i].shift / 8] = alpha;
        }
        for (int row = 0; row < height; ++row) {
            uint8_t* at = PixelAddress(MenuBackBuffer, x, y + row);
            for (int i = 0; i < width; ++i, at += kBytes) {
                for (int k = 0; k < kBytes; ++k) at[k] = uint8_t(Blend(at[k], colourAt[k], alphaAt[k]));
            }
        }
        return;
    }
    for (int row = 0; row < height; ++row) {
        uint8_t* at = PixelAddress(MenuBackBuffer, x, y + row);
        for (int i = 0; i < width; ++i, at += kBytes) {
            WritePixelOf<kBytes>(at, BlendPixel(ReadPixelOf<kBytes>(at), rgb, alpha));
        }
    }
}

void SplitRGB(uint16_t colour, int rgb[3]) {
    const uint32_t c = ColConvPixel(colour, &ColFmt_R5G6B5, &ColFmt_A8B8G8R8);
    rgb[0] = int(c & 0xFF);
    rgb[1] = int((c >> 8) & 0xFF);
    rgb[2] = int((c >> 16) & 0xFF);
}

uint32_t BgrToPixel(uint32_t colour) {
    return ColConvPixel(colour & 0xFFFFFF, &ColFmt_A8B8G8R8, &Screen.format);
}

void FillPixels(int x, int y, int width, int height, uint32_t pixel) {
    uint8_t* at = PixelAddress(MenuBackBuffer, x, y);
    const uint32_t rowBytes = uint32_t(width) * uint32_t(Screen.bytesPerPixel);
    const int32_t skip = int32_t(RowBytes()) - int32_t(rowBytes);
    if (Screen.bytesPerPixel == 2) {
        FillRect((pixel & 0xFFFF) * 0x10001u, uint32_t(height), rowBytes, skip, at);
    } else if (Screen.bytesPerPixel == 4) {
        FillRect(pixel, uint32_t(height), rowBytes, skip, at);
    } else {
        for (int row = 0; row < height; ++row, at += RowBytes()) {
            for (int i = 0; i < width; ++i) WritePixel(at + size_t(i) * 3, pixel);
        }
    }
}

// Copies one screen rectangle of the back buffer to the screen surface.
void CopyToScreen(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    const int skip = (Screen.width - width) * Screen.bytesPerPixel;
    DrawGraphic(x, y, width, height, PixelAddress(MenuBackBuffer, x, y), skip);
    ++Screen.flushCopies;
}

ShadeTable* FillShadeSlot(int slot, uint8_t alpha, uint16_t colour) {
    CreateMenuShadeRectangleCache(slot, alpha, colour);
    return ShadeSlots[slot];
}

// Waits, polling, until the timer reaches a fractional deadline.
void WaitForDeadline(double deadline) { WaitUntilTicks(uint32_t(std::ceil(deadline))); }

template <typename RowFunc>
void Sweep(RowFunc handleRow) {
    const int height = Screen.height;
    const int steps = height / 2;
    // A soak's screens are wiped at once: nobody watches them.
    const bool timed = TimerIsRunning() && !NobodyAtTheKeys();
    double deadline = NowTicks();
    for (int i = 0; i < steps; ++i) {
        handleRow(2 * i);
        handleRow(height - 1 - 2 * i);
        deadline += double(MENU_WIPE_TICKS) / double(steps);
        if (timed) WaitForDeadline(deadline);
    }
    Poll();
}

}  // namespace

void MenuSetScreenFormat(int width, int height, const ColFmt* format) {
    const bool sameFormat = ColFmtEqual(format, &Screen.format) != 0;
    // Buffers and tables made for another screen would be read and written
    // with the wrong sizes: they go, and are made again for this one.
    if (!sameFormat || width != Screen.width || height != Screen.height) FreeScreenBuffers();
    if (!sameFormat) FreeShadeTables();
    Screen.width = std::max(width, 0);
    Screen.height = std::max(height, 0);
    Screen.format = *format;
    Screen.bytesPerPixel = int(format->bytes);
    const ColComponent* parts[3] = {&format->red, &format->green, &format->blue};
    for (int i = 0; i < 3; ++i) Screen.channels[i] = {parts[i]->shift, parts[i]->bits, parts[i]->mask};
    Screen.colourMask = format->red.mask | format->green.mask | format->blue.mask;
    Screen.eightBitChannels = format->red.bits == 8 && format->green.bits == 8 && format->blue.bits == 8;
    Screen.key = ColConvRGB2Pixel(format, 255, 0, 255, 0) & Screen.colourMask;
}

int MenuScreenWidth() { return Screen.width; }
int MenuScreenHeight() { return Screen.height; }
int MenuBytesPerPixel() { return Screen.bytesPerPixel; }
const ColFmt* MenuScreenFormat() { return &Screen.format; }
uint32_t MenuTransparentKey() { return Screen.key; }
uint32_t MenuColourToPixel(uint16_t colour) { return ColConvPixel(colour, &ColFmt_R5G6B5, &Screen.format); }

void AllocScreenBuffers() {
    if (Screen.bytesPerPixel < 2 || Screen.bytesPerPixel > 4 || Screen.width <= 0 || Screen.height <= 0) {
        AbortError(kModule, __LINE__, "AllocScreenBuffers(): no screen format set");
    }
    const uint32_t bytes = uint32_t(RowBytes() * size_t(Screen.height));
    if (MenuBackBuffer != nullptr) FreeMemory(&MenuBackBuffer);
    if (MenuSavedScreen != nullptr) FreeMemory(&MenuSavedScreen);
    AllocateMemory(&MenuBackBuffer, bytes, MEM_TYPE_MANUAL_FREE);
    AllocateMemory(&MenuSavedScreen, bytes, MEM_TYPE_MANUAL_FREE);
    std::memset(MenuBackBuffer, 0, bytes);
    std::memset(MenuSavedScreen, 0, bytes);
    std::memset(MenuDirtyCells, 0, sizeof MenuDirtyCells);
}

void FreeScreenBuffers() {
    if (MenuBackBuffer != nullptr) FreeMemory(&MenuBackBuffer);
    if (MenuSavedScreen != nullptr) FreeMemory(&MenuSavedScreen);
}

void MarkDirtyCells(int x, int y, int width, int height, uint8_t value) {
    if (width <= 0 || height <= 0) return;
    const int firstColumn = std::clamp(x / MENU_CELL_SIZE, 0, MENU_GRID_COLUMNS - 1);
    const int lastColumn =
        std::clamp(int((int64_t(x) + width - 1) / MENU_CELL_SIZE), 0, MENU_GRID_COLUMNS - 1);
    const int firstRow = std::clamp(y / MENU_CELL_SIZE, 0, MENU_GRID_ROWS - 1);
    const int lastRow = std::clamp(int((int64_t(y) + height - 1) / MENU_CELL_SIZE), 0, MENU_GRID_ROWS - 1);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) MenuDirtyCells[row][column] = value;
    }
}

void MarkRectDirty(int x, int y, int width, int height) { MarkDirtyCells(x, y, width, height, 1); }

void FlushDirtyCells() {
    if (WinWasReactivated()) MarkRectDirty(0, 0, MENU_LAYOUT_WIDTH, MENU_LAYOUT_HEIGHT);
    for (int row = 0; row < MENU_GRID_ROWS; ++row) {
        for (int column = 0; column < MENU_GRID_COLUMNS; ++column) {
            if (MenuDirtyCells[row][column] == 0) continue;
            int run = 1;
            while (column + run < MENU_GRID_COLUMNS && MenuDirtyCells[row][column + run] != 0) ++run;
            int rows = 1;
            while (row + rows < MENU_GRID_ROWS &&
                   std::memcmp(&MenuDirtyCells[row + rows][column], &MenuDirtyCells[row][column], run) == 0) {
                ++rows;
            }
            for (int r = row; r < row + rows; ++r) std::memset(&MenuDirtyCells[r][column], 0, run);
            if (MenuBackBuffer != nullptr) {
                // A screen smaller than the layout only gets its own part.
                const int x = column * MENU_CELL_SIZE, y = row * MENU_CELL_SIZE;
                CopyToScreen(x, y, std::min(run * MENU_CELL_SIZE, Screen.width - x),
                             std::min(rows * MENU_CELL_SIZE, Screen.height - y));
            }
            column += run - 1;
        }
    }
}

uint32_t MenuFlushCopyCount() { return Screen.flushCopies; }

void SaveScreenToBuffer() {
    if (MenuBackBuffer == nullptr || MenuSavedScreen == nullptr) return;
    std::memcpy(MenuSavedScreen, MenuBackBuffer, RowBytes() * size_t(Screen.height));
}

void RestoreRectFromBuffer(int x, int y, int width, int height) {
    if (!RectOnScreen(x, y, width, height) || MenuSavedScreen == nullptr) return;
    const uint32_t rowBytes = uint32_t(width * Screen.bytesPerPixel);
    const int32_t skip = int32_t(RowBytes()) - int32_t(rowBytes);
    BlitRect(uint32_t(height), skip, skip, rowBytes, PixelAddress(MenuSavedScreen, x, y),
             PixelAddress(MenuBackBuffer, x, y));
    MarkRectDirty(x, y, width, height);
}

void CopyRectFromBackBuffer(int x, int y, int width, int height, uint8_t* destination) {
    if (!RectOnScreen(x, y, width, height) || destination == nullptr) return;
    const uint32_t rowBytes = uint32_t(width * Screen.bytesPerPixel);
    BlitRect(uint32_t(height), 0, int32_t(RowBytes()) - int32_t(rowBytes), rowBytes,
             PixelAddress(MenuBackBuffer, x, y), destination);
    MarkRectDirty(x, y, width, height);
}

void CopyRectToBackBuffer(int x, int y, int width, int height, const uint8_t* source) {
    if (!RectOnScreen(x, y, width, height) || source == nullptr) return;
    const uint32_t rowBytes = uint32_t(width * Screen.bytesPerPixel);
    BlitRect(uint32_t(height), int32_t(RowBytes()) - int32_t(rowBytes), 0, rowBytes, source,
             PixelAddress(MenuBackBuffer, x, y));
    MarkRectDirty(x, y, width, height);
}

void DrawImageToBackBuffer(int x, int y, int width, int height, const uint8_t* source, int sourceSkip) {
    if (!RectOnScreen(x, y, width, height) || source == nullptr) return;
    const int bpp = Screen.bytesPerPixel;
    for (int row = 0; row < height; ++row) {
        const uint8_t* from = source + size_t(row) * size_t(width + sourceSkip) * size_t(bpp);
        uint8_t* to = PixelAddress(MenuBackBuffer, x, y + row);
        for (int i = 0; i < width; ++i, from += bpp, to += bpp) {
            // Compared on the colour bits: a picture may carry alpha bits.
            const uint32_t pixel = ReadPixel(from);
            if ((pixel & Screen.colourMask) != Screen.key) WritePixel(to, pixel);
        }
    }
    MarkRectDirty(x, y, width, height);
}

void DrawImageToBackBufferPlain(int x, int y, int width, int height, const uint8_t* source) {
    DrawImageToBackBuffer(x, y, width, height, source, 0);
}

void FillSolidRect(int x, int y, int width, int height, uint16_t colour) {
    if (!RectOnScreen(x, y, width, height)) return;
    FillPixels(x, y, width, height, MenuColourToPixel(colour));
    MarkRectDirty(x, y, width, height);
}

uint32_t InterpolateColour(uint32_t a, uint32_t b, int i, int n) {
    if (n <= 1 || i == 0) return a;
    if (i == n - 1) return b;
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int from = int((a >> shift) & 0xFF), to = int((b >> shift) & 0xFF);
        const int value = from + (to - from) * i / (n - 1);
        result |= uint32_t(value & 0xFF) << shift;
    }
    return result;
}

void FillGradientRect(int x, int y, int width, int height, uint32_t topLeft, uint32_t topRight,
                      uint32_t bottomLeft, uint32_t bottomRight) {
    // Unlike the other fills this once trusted its caller; a rectangle off
    // the screen would write outside the buffer, so it is skipped too.
    if (!RectOnScreen(x, y, width, height)) return;
    if (topLeft == topRight && topLeft == bottomLeft && topLeft == bottomRight) {
        FillPixels(x, y, width, height, BgrToPixel(topLeft));
        MarkRectDirty(x, y, width, height);
        return;
    }
    const int bpp = Screen.bytesPerPixel;
    const bool columnsOnly = topLeft == bottomLeft && topRight == bottomRight;
    for (int row = 0; row < height; ++row) {
        uint8_t* at = PixelAddress(MenuBackBuffer, x, y + row);
        const uint32_t left = columnsOnly ? topLeft : InterpolateColour(topLeft, bottomLeft, row, height);
        const uint32_t right = columnsOnly ? topRight : InterpolateColour(topRight, bottomRight, row, height);
        if (left == right) {
            const uint32_t pixel = BgrToPixel(left);
            for (int i = 0; i < width; ++i) WritePixel(at + size_t(i) * bpp, pixel);
            continue;
        }
        for (int i = 0; i < width; ++i) {
            WritePixel(at + size_t(i) * bpp, BgrToPixel(InterpolateColour(left, right, i, width)));
        }
    }
    MarkRectDirty(x, y, width, height);
}

void FillTranslucentRect(int x, int y, int width, int height, uint16_t colour, uint8_t alpha) {
    if (!RectOnScreen(x, y, width, height)) return;
    if (Screen.bytesPerPixel == 2) {
        const uint16_t* table = GetShadeTable(colour, alpha);
        for (int row = 0; row < height; ++row) {
            uint8_t* at = PixelAddress(MenuBackBuffer, x, y + row);
            for (int i = 0; i < width; ++i, at += 2) {
                uint16_t p;
                std::memcpy(&p, at, 2);
                p = table[p];
                std::memcpy(at, &p, 2);
            }
        }
    } else {
        int rgb[3];
        SplitRGB(colour, rgb);
        if (Screen.bytesPerPixel == 4) {
            BlendRows<4>(x, y, width, height, rgb, alpha);
        } else {
            BlendRows<3>(x, y, width, height, rgb, alpha);
        }
    }
    MarkRectDirty(x, y, width, height);
}

const uint16_t* GetShadeTable(uint16_t colour, uint8_t alpha) {
    for (ShadeTable* table : ShadeSlots) {
        if (table != nullptr && table->colour == colour && table->alpha == alpha) return table->entries;
    }
    for (int slot = 0; slot < MENU_SHADE_SLOTS; ++slot) {
        if (ShadeSlots[slot] == nullptr) return FillShadeSlot(slot, alpha, colour)->entries;
    }
    int oldest = 0;
    for (int slot = 1; slot < MENU_SHADE_SLOTS; ++slot) {
        if (ShadeSlots[slot]->fillTick < ShadeSlots[oldest]->fillTick) oldest = slot;
    }
    SetMemTag(&ShadeSlots[oldest], NowTicks());
    return FillShadeSlot(oldest, alpha, colour)->entries;
}

void CreateMenuShadeRectangleCache(int slot, uint8_t alpha, uint16_t colour) {
    if (Screen.bytesPerPixel != 2) {
        AbortError(kModule, __LINE__, "CreateMenuShadeRectangleCache(): cannot cache in non-16 bit mode");
    }
    if (slot < 0 || slot >= MENU_SHADE_SLOTS)
        AbortError(kModule, __LINE__, "CreateMenuShadeRectangleCache(): bad slot");
    if (ShadeSlots[slot] == nullptr) {
        AllocateMemory(&ShadeSlots[slot], sizeof(ShadeTable), MEM_TYPE_AUTO_FREE);
    }
    ShadeTable* table = ShadeSlots[slot];
    int rgb[3];
    SplitRGB(colour, rgb);
    // Every 16-bit value, not only the colour combinations: a value with a
    // stray alpha bit must not turn black.
    for (uint32_t p = 0; p < 65536; ++p) table->entries[p] = uint16_t(BlendPixel(p, rgb, alpha));
    table->alpha = alpha;
    table->colour = colour;
    table->fillTick = NowTicks();
}

void FreeShadeTables() {
    for (ShadeTable*& table : ShadeSlots) {
        if (table != nullptr) FreeMemory(&table);
    }
}

namespace {

template <int kBytes>
void BlendCoverageRows(uint8_t* at, int width, int height, const uint8_t* coverage, int sourceRowBytes,
                       uint32_t pixel, const int rgb[3], int opacity) {
    for (int row = 0; row < height; ++row, at += RowBytes(), coverage += sourceRowBytes) {
        const uint8_t* from = coverage;
        uint8_t* to = at;
        for (int i = 0; i < width; ++i, from += 3, to += kBytes) {
            int a = *from;
            if (a == 0) continue;
            if (opacity != 255) a = opacity * a / 255;
            if (a == 255) {
                WritePixelOf<kBytes>(to, pixel);
            } else if (a != 0) {
                WritePixelOf<kBytes>(to, BlendPixel(ReadPixelOf<kBytes>(to), rgb, a));
            }
        }
    }
}

}  // namespace

void BlendCoverageToBackBuffer(int x, int y, int width, int height, const uint8_t* coverage,
                               int sourceRowBytes, uint16_t colour, int opacity) {
    if (!RectOnScreen(x, y, width, height) || coverage == nullptr) return;
    MarkRectDirty(x, y, width, height);
    const uint32_t pixel = MenuColourToPixel(colour);
    int rgb[3];
    SplitRGB(colour, rgb);
    uint8_t* at = PixelAddress(MenuBackBuffer, x, y);
    switch (Screen.bytesPerPixel) {
        case 2:
            BlendCoverageRows<2>(at, width, height, coverage, sourceRowBytes, pixel, rgb, opacity);
            break;
        case 4:
            BlendCoverageRows<4>(at, width, height, coverage, sourceRowBytes, pixel, rgb, opacity);
            break;
        default:
            BlendCoverageRows<3>(at, width, height, coverage, sourceRowBytes, pixel, rgb, opacity);
            break;
    }
}

void DrawLine(int x1, int y1, int x2, int y2, uint16_t colour) {
    if (!PointOnScreen(x1, y1) || !PointOnScreen(x2, y2)) return;
    const uint32_t pixel = MenuColourToPixel(colour);
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const int sx = x2 > x1 ? 1 : -1, sy = y2 > y1 ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    int decision = 2 * minor - major;
    int x = x1, y = y1;
    for (int step = 0; step < major; ++step) {
        if (PointOnScreen(x, y)) {
            WritePixel(PixelAddress(MenuBackBuffer, x, y), pixel);
            MarkRectDirty(x, y, 1, 1);
        }
        if (decision >= 0) {
            (xMajor ? y : x) += xMajor ? sy : sx;
            decision -= 2 * major;
        }
        decision += 2 * minor;
        (xMajor ? x : y) += xMajor ? sx : sy;
    }
}

uint32_t GetBackBufferPixel(int x, int y) {
    if (!PointOnScreen(x, y)) return 0;
    return ColConvPixel(ReadPixel(PixelAddress(MenuBackBuffer, x, y)), &Screen.format, &ColFmt_A8B8G8R8) &
           0xFFFFFF;
}

void PutBackBufferPixel(int x, int y, uint32_t colour) {
    if (!PointOnScreen(x, y)) return;
    WritePixel(PixelAddress(MenuBackBuffer, x, y), BgrToPixel(colour));
    MarkRectDirty(x, y, 1, 1);
}

void PutMenuPixel(int x, int y, uint16_t colour) {
    if (!PointOnScreen(x, y)) return;
    WritePixel(PixelAddress(MenuBackBuffer, x, y), MenuColourToPixel(colour));
    MarkRectDirty(x, y, 1, 1);
}

void ScreenWipe() {
    Sweep([](int row) { GfxFillRect(0, row, Screen.width, 1, 0); });
}

void ScreenWipeFromBuffer() {
    Sweep([](int row) {
        if (MenuBackBuffer != nullptr)
            DrawGraphic(0, row, Screen.width, 1, PixelAddress(MenuBackBuffer, 0, row), 0);
    });
    std::memset(MenuDirtyCells, 0, sizeof MenuDirtyCells);
}

uint32_t MenuRandomStep(uint32_t value) { return value * 93472345u + 23451231u; }
