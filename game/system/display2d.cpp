#include "game/system/display2d.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/exitlist.h"
#include "game/system/mouse.h"

namespace {

constexpr const char* kModule = "gfx";

struct GfxState {
    uint16_t initialised;
    uint16_t init_flags;
    uint16_t mode_kind;
    uint16_t mode_flags;
    uint32_t screen_width;
    uint32_t screen_height;
    uint8_t palette[256 * 3];
    ColFmt screen_format;
};
GfxState g_gfx{};

uint32_t BytesPerPixel() { return g_gfx.mode_kind == GFX_MODE_PALETTISED ? 1 : g_gfx.screen_format.bytes; }

uint8_t* PixelAt(DDrawSurfaceInfo* s, int x, int y) {
    return s->pixels + ptrdiff_t(y) * s->pitch + ptrdiff_t(x) * BytesPerPixel();
}

bool OnScreen(int x, int y) {
    return x >= 0 && y >= 0 && uint32_t(x) < g_gfx.screen_width && uint32_t(y) < g_gfx.screen_height;
}

// A pixel off the screen is left out: callers are meant to stay inside, and
// a slip must not write past the surface.
void WritePixel(DDrawSurfaceInfo* s, int x, int y, uint32_t colour) {
    if (!OnScreen(x, y)) return;
    std::memcpy(PixelAt(s, x, y), &colour, BytesPerPixel());
}

// Cuts a rectangle to the screen.  Callers are meant to stay inside; this
// keeps a slip from writing past the surface.  skip_x and skip_y say how
// many columns and rows were cut from the left and top.
bool ClipToScreen(int* x, int* y, int* width, int* height, int* skip_x, int* skip_y) {
    *skip_x = std::max(0, -*x);
    *skip_y = std::max(0, -*y);
    const int64_t right = std::min<int64_t>(int64_t(*x) + *width, g_gfx.screen_width);
    const int64_t bottom = std::min<int64_t>(int64_t(*y) + *height, g_gfx.screen_height);
    *x += *skip_x;
    *y += *skip_y;
    if (right <= *x || bottom <= *y) return false;
    *width = int(right - *x);
    *height = int(bottom - *y);
    return true;
}

void DrawGlyph(DDrawSurfaceInfo* s, int x, int y, uint8_t character) {
    const uint8_t* glyph = GfxFont8x8 + size_t(character) * 8;
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 8; ++col) {
            WritePixel(s, x + col, y + row, (glyph[row] & (0x80 >> col)) ? 0xFFFFFFFFu : 0u);
        }
    }
}

void ClearWholeScreen() {
    DDrawSurfaceInfo* s = nullptr;
    DDrawBeginDraw(&s);
    const uint32_t row_bytes = g_gfx.screen_width * BytesPerPixel();
    FillRect(0, g_gfx.screen_height, row_bytes, s->pitch - int32_t(row_bytes), s->pixels);
    DDrawEndDrawFull(&s);
}

}  // namespace

void GfxInit(uint16_t flags) {
    if (g_gfx.initialised) AbortError(kModule, __LINE__, "GfxInit(): already initialised");
    g_gfx.init_flags = flags;
    g_gfx.initialised = 1;
    DDrawInit((flags & GFXINIT_3D) ? DDRAWINIT_3D : 0);
    GfxSortModes();
    if (DebugGetLevel(DEBUG_GRAPHICS) >= 10) {
        DebugLog(DEBUG_GRAPHICS, 10, "GfxInit(): available modes:\n");
        for (int i = 0; i < GfxNumModes; ++i) {
            const DDrawModeInfo& m = GfxModeTable[i];
            DebugLog(DEBUG_GRAPHICS, 10, "%4d: %dx%d %s%s\n", i, int(m.width), int(m.height),
                     GfxColourTypeName(m.colour_type), (m.flags & GFXMODE_3D) ? " (3d support)" : "");
        }
    }
    OnExitAddEx(GfxUninit, "GfxUninit()");
}

void GfxUninit() {
    if (!g_gfx.initialised) AbortError(kModule, __LINE__, "GfxUninit(): not initialised");
    OnExitRemove(GfxUninit);
    g_gfx.initialised = 0;
    g_gfx.init_flags = 0;
    DDrawUninit();
}

int FindGraphicMode(int width, int height, int16_t kind) {
    if (kind < GFX_KIND_PALETTE || kind > GFX_KIND_32_BIT) return -1;
    return GfxFindMode(width, height, kind);
}

void SetGraphicMode(int16_t mode, uint16_t flags) {
    if (g_gfx.mode_kind != GFX_MODE_NONE) {
        FatalError("Error: SetGraphicMode(): Cannot set graphics mode when already in graphics mode\n");
    }
    if (mode < 0 || mode >= int(GfxNumModes)) FatalError("Error: SetGraphicMode(): Bad mode number\n");
    const DDrawModeInfo& m = GfxModeTable[mode];
    g_gfx.screen_width = m.width;
    g_gfx.screen_height = m.height;
    g_gfx.mode_flags = flags;
    DDrawSetMode(&m, flags & (GFX_DOUBLEBUFFER | GFX_3D | GFX_ZBUFFER | GFX_STENCIL));
    if (m.colour_type == 0) {
        for (int i = 0; i < 256; ++i) {
            g_gfx.palette[i * 3] = g_gfx.palette[i * 3 + 1] = g_gfx.palette[i * 3 + 2] = uint8_t(i / 4);
        }
        g_gfx.mode_kind = GFX_MODE_PALETTISED;
        g_gfx.screen_format = ColFmt{};
    } else {
        DDrawGetScreenColourFormat(&g_gfx.screen_format);
        g_gfx.mode_kind = GFX_MODE_DIRECT;
    }
    OnExitAddEx(RestoreGraphicMode, "RestoreGraphicMode()");
    KeyResetMode();
}

void RestoreGraphicMode() {
    if (g_gfx.mode_kind == GFX_MODE_NONE) {
        FatalError("Error: RestoreGraphicMode(): Cannot restore graphics mode - no mode set\n");
    }
    OnExitRemove(RestoreGraphicMode);
    ClearWholeScreen();
    DDrawRestoreMode();
    g_gfx.mode_kind = GFX_MODE_NONE;
    g_gfx.screen_width = 0;
    g_gfx.screen_height = 0;
}

void GfxFlip() {
    // The flags of a mode already left still name it flippable; its surfaces
    // are gone, so that counts as no flippable mode too.
    if ((g_gfx.mode_flags & GFX_DOUBLEBUFFER) == 0 || g_gfx.mode_kind == GFX_MODE_NONE) {
        AbortError(kModule, __LINE__, "GfxFlip(): mode is not a flippable mode");
    }
    DDrawFlipBuffers();
}

int GfxIsModeSet() { return g_gfx.mode_kind != GFX_MODE_NONE ? 1 : 0; }

void SetPalette(uint8_t* palette) {
    palette[0] = palette[1] = palette[2] = 0;
    palette[765] = palette[766] = palette[767] = 63;
    if (g_gfx.mode_kind == GFX_MODE_PALETTISED) {
        std::memcpy(g_gfx.palette, palette, sizeof g_gfx.palette);
        DDrawSetPalette(palette);
    } else if (g_gfx.mode_kind == GFX_MODE_DIRECT) {
        FatalError("Error: SetPalette(): Cannot set palette in hi-colour modes!\n");
    }
}

void GfxPutPixel(int x, int y, uint32_t colour) {
    if (g_gfx.mode_kind == GFX_MODE_NONE) return;
    DDrawSurfaceInfo* s = nullptr;
    DDrawBeginDraw(&s);
    WritePixel(s, x, y, colour);
    DDrawEndDraw(&s, x, y, 1, 1);
}

uint32_t GfxGetPixel(int x, int y) {
    // Off the screen reads 0 rather than memory beside the surface.
    if (g_gfx.mode_kind == GFX_MODE_NONE || !OnScreen(x, y)) return 0;
    DDrawSurfaceInfo* s = nullptr;
    DDrawBeginDraw(&s);
    uint32_t value = 0;
    std::memcpy(&value, PixelAt(s, x, y), BytesPerPixel());
    DDrawEndDraw(&s, x, y, 0, 0);
    return value;
}

void GfxDrawLine(int x1, int y1, int x2, int y2, uint32_t colour) {
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const int sx = x2 > x1 ? 1 : -1, sy = y2 > y1 ? 1 : -1;
    const bool x_major = dx >= dy;
    const int major = x_major ? dx : dy, minor = x_major ? dy : dx;
    int decision = 2 * minor - major;
    int x = x1, y = y1;
    // The first end point is drawn, the second is not.
    for (int step = 0; step < major; ++step) {
        GfxPutPixel(x, y, colour);
        if (decision >= 0) {
            if (x_major) {
                y += sy;
            } else {
                x += sx;
            }
            decision -= 2 * major;
        }
        decision += 2 * minor;
        if (x_major) {
            x += sx;
        } else {
            y += sy;
        }
    }
}

void GfxFillRect(int x, int y, int width, int height, uint8_t colour) {
    if (g_gfx.mode_kind == GFX_MODE_NONE) return;
    const int tx = x, ty = y, tw = width, th = height;
    int skip_x, skip_y;
    DDrawSurfaceInfo* s = nullptr;
    DDrawBeginDraw(&s);
    if (ClipToScreen(&x, &y, &width, &height, &skip_x, &skip_y)) {
        const uint32_t row_bytes = uint32_t(width) * BytesPerPixel();
        FillRect(colour * 0x01010101u, uint32_t(height), row_bytes, s->pitch - int32_t(row_bytes),
                 PixelAt(s, x, y));
    }
    DDrawEndDraw(&s, tx, ty, tw, th);
}

void GfxClearScreen() {
    if (g_gfx.mode_kind == GFX_MODE_NONE) return;
    ClearWholeScreen();
}

void GfxDrawText(int x, int y, const char* text) {
    if (g_gfx.mode_kind == GFX_MODE_NONE) return;
    DDrawSurfaceInfo* outer = nullptr;
    DDrawBeginDraw(&outer);
    int n = 0;
    for (; text[n] != '\0'; ++n) {
        DDrawSurfaceInfo* s = nullptr;
        DDrawBeginDraw(&s);
        DrawGlyph(s, x + 8 * n, y, uint8_t(text[n]));
        DDrawEndDraw(&s, x + 8 * n, y, 8, 8);
    }
    DDrawEndDraw(&outer, x, y, 8 * n, 8);
}

void DrawGraphic(int x, int y, int width, int height, const uint8_t* source, int source_skip) {
    if (g_gfx.mode_kind == GFX_MODE_NONE) return;
    const int tx = x, ty = y, tw = width, th = height;
    const uint32_t bpp = BytesPerPixel();
    const int source_row = width * int(bpp) + source_skip;
    int skip_x, skip_y;
    DDrawSurfaceInfo* s = nullptr;
    DDrawBeginDraw(&s);
    if (ClipToScreen(&x, &y, &width, &height, &skip_x, &skip_y)) {
        const uint32_t row_bytes = uint32_t(width) * bpp;
        const uint8_t* from = source + ptrdiff_t(skip_y) * source_row + ptrdiff_t(skip_x) * bpp;
        BlitRect(uint32_t(height), s->pitch - int32_t(row_bytes), source_row - int32_t(row_bytes), row_bytes,
                 from, PixelAt(s, x, y));
    }
    DDrawEndDraw(&s, tx, ty, tw, th);
}

void DrawGraphicContiguous(int x, int y, int width, int height, const uint8_t* source) {
    DrawGraphic(x, y, width, height, source, 0);
}

void DrawGraphicTrans(int x, int y, int width, int height, const uint8_t* source) {
    if (g_gfx.mode_kind == GFX_MODE_NONE) return;
    if (g_gfx.mode_kind == GFX_MODE_DIRECT) {
        AbortError(kModule, __LINE__,
                   "DrawGraphicTrans(): I havn't written a direct colour direct to screen transparent for "
                   "windows yet");
    }
    const int tx = x, ty = y, tw = width, th = height;
    const int source_row = width;
    int skip_x, skip_y;
    DDrawSurfaceInfo* s = nullptr;
    DDrawBeginDraw(&s);
    if (ClipToScreen(&x, &y, &width, &height, &skip_x, &skip_y)) {
        const uint8_t* from = source + ptrdiff_t(skip_y) * source_row + skip_x;
        BlitRectTrans(uint32_t(height), s->pitch - width, source_row - width, uint32_t(width), from,
                      PixelAt(s, x, y));
    }
    DDrawEndDraw(&s, tx, ty, tw, th);
}

void GfxReadRect(int x, int y, int width, int height, uint8_t* destination) {
    if (g_gfx.mode_kind == GFX_MODE_NONE) return;
    const uint32_t bpp = BytesPerPixel();
    const int dest_row = width * int(bpp);
    int skip_x, skip_y;
    DDrawSurfaceInfo* s = nullptr;
    DDrawBeginDraw(&s);
    if (ClipToScreen(&x, &y, &width, &height, &skip_x, &skip_y)) {
        const uint32_t row_bytes = uint32_t(width) * bpp;
        uint8_t* to = destination + ptrdiff_t(skip_y) * dest_row + ptrdiff_t(skip_x) * bpp;
        BlitRect(uint32_t(height), dest_row - int32_t(row_bytes), s->pitch - int32_t(row_bytes), row_bytes,
                 PixelAt(s, x, y), to);
    }
    DDrawEndDraw(&s, x, y, 0, 0);
}

void ShowDBuffer(int x, int y, const DDrawSurfaceInfo* source, int source_x, int source_y, int width,
                 int height) {
    if (g_gfx.mode_kind == GFX_MODE_NONE) return;
    if (g_gfx.mode_kind == GFX_MODE_DIRECT) {
        std::printf("Error: ShowDBuffer(): Hi-clour not supported yet\n");
        return;
    }
    const int tx = x, ty = y, tw = width, th = height;
    int skip_x, skip_y;
    DDrawSurfaceInfo* s = nullptr;
    DDrawBeginDraw(&s);
    if (ClipToScreen(&x, &y, &width, &height, &skip_x, &skip_y)) {
        const uint8_t* from =
            source->pixels + ptrdiff_t(source_y + skip_y) * source->pitch + source_x + skip_x;
        BlitRect(uint32_t(height), s->pitch - width, source->pitch - width, uint32_t(width), from,
                 PixelAt(s, x, y));
    }
    DDrawEndDraw(&s, tx, ty, tw, th);
}

void ScreenGrab() {
    char name[32];
    bool found = false;
    for (int n = 1; n <= 9999 && !found; ++n) {
        std::snprintf(name, sizeof name, "grab%04d.tga", n);
        FILE* probe = std::fopen(name, "rb");
        if (probe == nullptr) {
            found = true;
        } else {
            std::fclose(probe);
        }
    }
    if (!found) {
        std::printf("Error: too many screen grabs\n");
        return;
    }
    SaveScreenTGA(name, 0, 0, int(g_gfx.screen_width), int(g_gfx.screen_height));
    std::putchar(7);
    std::fflush(stdout);
}

void SaveScreenTGA(const char* file_name, int x, int y, int width, int height) {
    // Without a mode there is no screen to save; the file's header holds
    // the sizes in 16 bits, so a rectangle it cannot describe is not written.
    if (g_gfx.mode_kind == GFX_MODE_NONE || width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) {
        return;
    }
    FILE* f = std::fopen(file_name, "wb");
    if (f == nullptr) {
        std::printf("Error: Cannot save screen grab\n");
        return;
    }
    const bool palettised = g_gfx.mode_kind == GFX_MODE_PALETTISED;
    uint8_t header[18] = {};
    header[1] = palettised ? 1 : 0;
    header[2] = palettised ? 1 : 2;
    recbits::StoreU16(header + 5, palettised ? 256 : 0);
    header[7] = palettised ? 24 : 0;
    recbits::StoreU16(header + 12, uint16_t(width));
    recbits::StoreU16(header + 14, uint16_t(height));
    header[16] = palettised ? 8 : 24;
    header[17] = 0x20;
    std::fwrite(header, 1, sizeof header, f);
    if (palettised) {
        uint8_t map[256 * 3];
        for (int i = 0; i < 256; ++i) {
            for (int c = 0; c < 3; ++c) {
                uint8_t v = g_gfx.palette[i * 3 + (2 - c)];
                map[i * 3 + c] = uint8_t((v * 4) | (v / 16));
            }
        }
        std::fwrite(map, 1, sizeof map, f);
    }

    DDrawSurfaceInfo* s = nullptr;
    DDrawBeginDraw(&s);
    const size_t out_bytes = palettised ? 1 : 3;
    uint8_t* row = static_cast<uint8_t*>(std::malloc(size_t(width) * out_bytes));
    if (row == nullptr) {
        DDrawEndDraw(&s, x, y, 0, 0);
        std::fclose(f);
        return;
    }
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            uint32_t pixel = 0;
            if (OnScreen(x + i, y + j)) std::memcpy(&pixel, PixelAt(s, x + i, y + j), BytesPerPixel());
            if (palettised) {
                row[i] = uint8_t(pixel);
            } else {
                uint32_t rgb = ColConvPixel(pixel, &g_gfx.screen_format, &ColFmt_B8G8R8);
                row[i * 3] = uint8_t(rgb >> 16);     // blue
                row[i * 3 + 1] = uint8_t(rgb >> 8);  // green
                row[i * 3 + 2] = uint8_t(rgb);       // red
            }
        }
        std::fwrite(row, 1, size_t(width) * out_bytes, f);
    }
    std::free(row);
    DDrawEndDraw(&s, x, y, 0, 0);
    std::fclose(f);
}

uint16_t GfxGetModeKind() { return g_gfx.mode_kind; }
uint32_t GfxGetScreenWidth() { return g_gfx.screen_width; }
uint32_t GfxGetScreenHeight() { return g_gfx.screen_height; }
const ColFmt* GfxGetScreenFormat() { return &g_gfx.screen_format; }
const uint8_t* GfxGetPalette() { return g_gfx.palette; }
int GfxIsInitialised() { return g_gfx.initialised; }
