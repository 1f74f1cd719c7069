#include "game/system/pixelformats.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"

const ColFmt ColFmt_A1R5G5B5 = {
    {10, 5, 0x7C00}, {5, 5, 0x03E0}, {0, 5, 0x001F}, {15, 1, 0x8000}, 0x7FFF, 2, 16};
const ColFmt ColFmt_R5G6B5 = {{11, 5, 0xF800}, {5, 6, 0x07E0}, {0, 5, 0x001F}, {0, 0, 0}, 0xFFFF, 2, 16};
const ColFmt ColFmt_B8G8R8 = {{0, 8, 0xFF}, {8, 8, 0xFF00}, {16, 8, 0xFF0000}, {0, 0, 0}, 0xFFFFFF, 3, 24};
const ColFmt ColFmt_A8R8G8B8 = {
    {16, 8, 0xFF0000}, {8, 8, 0xFF00}, {0, 8, 0xFF}, {24, 8, 0xFF000000}, 0xFFFFFFFF, 4, 32};
const ColFmt ColFmt_A8B8G8R8 = {
    {0, 8, 0xFF}, {8, 8, 0xFF00}, {16, 8, 0xFF0000}, {24, 8, 0xFF000000}, 0xFFFFFFFF, 4, 32};
const ColFmt ColFmt_VGA6 = {{0, 6, 0x3F}, {8, 6, 0x3F00}, {16, 6, 0x3F0000}, {0, 0, 0}, 0x3F3F3F, 3, 24};

namespace {

constexpr const char* kModule = "colconv";

uint32_t PixelBytes(const ColFmt* format, const char* trace) {
    if (format->bytes < 1 || format->bytes > 4) {
        DebugLog(DEBUG_GRAPHICS, 0, "%s", trace);
        AbortError(kModule, __LINE__, trace);
    }
    return format->bytes;
}

uint32_t ConvertChannel(uint32_t pixel, const ColComponent& from, const ColComponent& to) {
    uint32_t c = (pixel & from.mask) >> from.shift;
    c = ColScaleBits(c, from.bits, to.bits);
    return (c << to.shift) & to.mask;
}

uint32_t ColourMask(const ColFmt* f) { return f->red.mask | f->green.mask | f->blue.mask; }

uint32_t WithAlpha(uint32_t pixel, const ColFmt* format, uint32_t alpha8) {
    const ColComponent& a = format->alpha;
    uint32_t value = ColScaleBits(alpha8 & 0xFF, 8, a.bits);
    return (pixel & ~a.mask) | ((value << a.shift) & a.mask);
}

// 16.16 nearest-neighbour stretch; with transparent set, source 0 is skipped.
void Scaled8(int x, int y, uint32_t source_width, uint32_t source_height, const uint8_t* source,
             uint32_t destination_width, uint32_t destination_height, uint8_t* destination,
             int32_t destination_pitch, bool transparent) {
    if (destination_width == 0 || destination_height == 0) return;
    const uint32_t x_step = (source_width << 16) / destination_width;
    const uint32_t y_step = (source_height << 16) / destination_height;
    uint8_t* row_out = destination + ptrdiff_t(y) * destination_pitch + x;
    const uint8_t* row_in = source;
    uint32_t y_fraction = 0;
    for (uint32_t row = 0; row < destination_height; ++row) {
        const uint8_t* in = row_in;
        uint32_t x_fraction = 0;
        for (uint32_t col = 0; col < destination_width; ++col) {
            if (!transparent || *in != 0) row_out[col] = *in;
            x_fraction += x_step & 0xFFFF;
            if (x_fraction >= 0x10000) {
                x_fraction -= 0x10000;
                ++in;
            }
            in += x_step >> 16;
        }
        row_out += destination_pitch;
        row_in += size_t(y_step >> 16) * source_width;
        y_fraction += y_step & 0xFFFF;
        if (y_fraction >= 0x10000) {
            y_fraction -= 0x10000;
            row_in += source_width;
        }
    }
}

}  // namespace

void Mask2ColComponent(uint32_t mask, ColComponent* component) {
    if (mask == 0) {
        *component = ColComponent{0, 0, 0};
        return;
    }
    uint32_t shift = uint32_t(__builtin_ctz(mask));
    uint32_t bits = 0;
    while (shift + bits < 32 && (mask >> (shift + bits)) & 1u) ++bits;
    *component = ColComponent{shift, bits, mask};
    uint64_t rebuilt = ((uint64_t(1) << bits) - 1) << shift;
    if (rebuilt != mask) {
        AbortError(kModule, __LINE__,
                   "Mask2ColComponent(): failed to generate correct Bits & Shift from Mask");
    }
}

int ColFmtEqual(const ColFmt* a, const ColFmt* b) {
    return a->red.mask == b->red.mask && a->green.mask == b->green.mask && a->blue.mask == b->blue.mask &&
                   a->alpha.mask == b->alpha.mask && a->all_mask == b->all_mask && a->bytes == b->bytes &&
                   a->bits == b->bits
               ? 1
               : 0;
}

void ColFmt2String(char* text, const ColFmt* format) {
    int digits = int(2 * format->bytes);
    std::snprintf(text, 64, "%d bit R%0*X G%0*X B%0*X A%0*X", int(format->bits), digits, format->red.mask,
                  digits, format->green.mask, digits, format->blue.mask, digits, format->alpha.mask);
}

uint32_t ColConvertRead(const void* pointer, const ColFmt* format) {
    uint32_t bytes = PixelBytes(format, "ColConvertRead(): unknown pixel format\n");
    uint32_t value = 0;
    std::memcpy(&value, pointer, bytes);
    return value;
}

void ColConvertWrite(void* pointer, uint32_t value, const ColFmt* format) {
    uint32_t bytes = PixelBytes(format, "ColConvertWrite(): unknown pixel format\n");
    std::memcpy(pointer, &value, bytes);
}

uint32_t ColScaleBits(uint32_t value, uint32_t from_bits, uint32_t to_bits) {
    if (from_bits == to_bits) return value;
    // A shift of 32 or more is undefined in C++; every bit is gone by then.
    if (from_bits > to_bits) return from_bits - to_bits >= 32 ? 0 : value >> (from_bits - to_bits);
    // A channel of no bits has no value (and r shr 0 would never reach 0).
    if (from_bits == 0) return 0;
    uint32_t v = value << (to_bits - from_bits);
    for (uint32_t r = v >> from_bits; r != 0; r >>= from_bits) v |= r;
    return v;
}

uint32_t ColConvPixel(uint32_t pixel, const ColFmt* from, const ColFmt* to) {
    return ConvertChannel(pixel, from->red, to->red) | ConvertChannel(pixel, from->green, to->green) |
           ConvertChannel(pixel, from->blue, to->blue) | ConvertChannel(pixel, from->alpha, to->alpha);
}

uint32_t ColConvRGB2Pixel(const ColFmt* format, uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha) {
    uint32_t argb = ((alpha & 0xFF) << 24) | ((red & 0xFF) << 16) | ((green & 0xFF) << 8) | (blue & 0xFF);
    return ColConvPixel(argb, &ColFmt_A8R8G8B8, format);
}

void ColConvBlock(const void* source, void* destination, uint32_t count, const ColFmt* from,
                  const ColFmt* to) {
    if (DebugGetLevel(DEBUG_GRAPHICS) >= 120) {
        char a[64], b[64];
        ColFmt2String(a, from);
        ColFmt2String(b, to);
        DebugLog(DEBUG_GRAPHICS, 120, "ColConvBlock(): converting from %s to %s\n", a, b);
    }
    const uint32_t in_bytes = PixelBytes(from, "ColConvertRead(): unknown pixel format\n");
    const uint32_t out_bytes = PixelBytes(to, "ColConvertWrite(): unknown pixel format\n");
    const auto* in = static_cast<const uint8_t*>(source);
    auto* out = static_cast<uint8_t*>(destination);
    auto one = [&](uint32_t i) {
        uint32_t p = ColConvertRead(in + size_t(i) * in_bytes, from);
        ColConvertWrite(out + size_t(i) * out_bytes, ColConvPixel(p, from, to), to);
    };
    // Widening in place must start at the end, or it overwrites unread pixels.
    if (out_bytes > in_bytes) {
        for (uint32_t i = count; i-- > 0;) one(i);
    } else {
        for (uint32_t i = 0; i < count; ++i) one(i);
    }
}

void ColConvPaletted(const uint8_t* indexes, const void* palette, void* destination, uint32_t count,
                     const ColFmt* palette_format, const ColFmt* destination_format) {
    const uint32_t entry_bytes = PixelBytes(palette_format, "ColConvertRead(): unknown pixel format\n");
    const uint32_t out_bytes = PixelBytes(destination_format, "ColConvertWrite(): unknown pixel format\n");
    const auto* entries = static_cast<const uint8_t*>(palette);
    auto* out = static_cast<uint8_t*>(destination);
    auto one = [&](uint32_t i) {
        uint32_t entry = ColConvertRead(entries + size_t(indexes[i]) * entry_bytes, palette_format);
        ColConvertWrite(out + size_t(i) * out_bytes, ColConvPixel(entry, palette_format, destination_format),
                        destination_format);
    };
    if (out_bytes > 1) {
        for (uint32_t i = count; i-- > 0;) one(i);
    } else {
        for (uint32_t i = 0; i < count; ++i) one(i);
    }
}

void ColConvHalveImageSize(const void* source, void* destination, uint32_t width, uint32_t height,
                           const ColFmt* format) {
    if (width == 0 || height == 0 || (width & 1) != 0 || (height & 1) != 0) {
        AbortError(kModule, __LINE__, "ColConvHalveImageSize(): width or height is odd (or zero sized)");
    }
    const uint32_t bytes = PixelBytes(format, "ColConvertRead(): unknown pixel format\n");
    const auto* in = static_cast<const uint8_t*>(source);
    auto* out = static_cast<uint8_t*>(destination);
    const ColComponent* channels[4] = {&format->red, &format->green, &format->blue, &format->alpha};
    size_t written = 0;
    for (uint32_t y = 0; y < height; y += 2) {
        for (uint32_t x = 0; x < width; x += 2) {
            uint32_t p[4] = {
                ColConvertRead(in + (size_t(y) * width + x) * bytes, format),
                ColConvertRead(in + (size_t(y) * width + x + 1) * bytes, format),
                ColConvertRead(in + (size_t(y + 1) * width + x) * bytes, format),
                ColConvertRead(in + (size_t(y + 1) * width + x + 1) * bytes, format),
            };
            uint32_t result = 0;
            for (const ColComponent* c : channels) {
                uint32_t sum = 0;
                for (uint32_t v : p) sum += (v & c->mask) >> c->shift;
                result |= ((sum >> 2) << c->shift) & c->mask;
            }
            ColConvertWrite(out + written, result, format);
            written += bytes;
        }
    }
}

void ColConvMemory(void* block, uint32_t count, uint32_t header_bytes, const ColFmt* from, const ColFmt* to) {
    if (ColFmtEqual(from, to)) {
        DebugLog(DEBUG_GRAPHICS, 120, "ColConvMemory(): both formats are identical - not converting\n");
        return;
    }
    auto** owner = static_cast<uint8_t**>(block);
    const uint32_t new_size = count * to->bytes + header_bytes;
    if (to->bytes > from->bytes) ResizeMemory(block, new_size);
    // Taken after the resize: the block may have moved.
    uint8_t* pixels = *owner + header_bytes;
    ColConvBlock(pixels, pixels, count, from, to);
    if (from->bytes > to->bytes) ResizeMemory(block, new_size);
}

void ColConvHalveImageMem(void* block, uint32_t header_bytes, uint32_t width, uint32_t height,
                          const ColFmt* format) {
    uint8_t* pixels = *static_cast<uint8_t**>(block) + header_bytes;
    ColConvHalveImageSize(pixels, pixels, width, height, format);
    ResizeMemory(block, (width / 2) * (height / 2) * format->bytes + header_bytes);
}

void ColConvPalettedMemory(void* block, const void* palette, uint32_t count, uint32_t header_bytes,
                           const ColFmt* palette_format, const ColFmt* destination_format) {
    if (destination_format->bytes > 1) {
        ResizeMemory(block, count * destination_format->bytes + header_bytes);
    }
    uint8_t* pixels = *static_cast<uint8_t**>(block) + header_bytes;
    ColConvPaletted(pixels, palette, pixels, count, palette_format, destination_format);
}

void ColSetAlpha(void* pixels, uint32_t count, const ColFmt* format, uint32_t alpha) {
    const uint32_t bytes = PixelBytes(format, "ColConvertRead(): unknown pixel format\n");
    auto* p = static_cast<uint8_t*>(pixels);
    for (uint32_t i = 0; i < count; ++i, p += bytes) {
        ColConvertWrite(p, WithAlpha(ColConvertRead(p, format), format, alpha), format);
    }
}

void ColSetAlphaKey(void* pixels, uint32_t count, const ColFmt* format, uint32_t key, uint32_t key_alpha,
                    uint32_t other_alpha) {
    const uint32_t bytes = PixelBytes(format, "ColConvertRead(): unknown pixel format\n");
    const uint32_t colour = ColourMask(format);
    auto* p = static_cast<uint8_t*>(pixels);
    for (uint32_t i = 0; i < count; ++i, p += bytes) {
        uint32_t v = ColConvertRead(p, format);
        uint32_t alpha = (v & colour) == (key & colour) ? key_alpha : other_alpha;
        ColConvertWrite(p, WithAlpha(v, format, alpha), format);
    }
}

void BlitRect(uint32_t rows, int32_t destination_skip, int32_t source_skip, uint32_t row_bytes,
              const uint8_t* source, uint8_t* destination) {
    if (row_bytes == 0) return;
    for (uint32_t row = 0; row < rows; ++row) {
        std::memmove(destination, source, row_bytes);
        source += ptrdiff_t(row_bytes) + source_skip;
        destination += ptrdiff_t(row_bytes) + destination_skip;
    }
}

void BlitRectTrans(uint32_t rows, int32_t destination_skip, int32_t source_skip, uint32_t row_bytes,
                   const uint8_t* source, uint8_t* destination) {
    for (uint32_t row = 0; row < rows; ++row) {
        uint32_t i = 0;
        // Whole words of transparency are common in sprites: skip them at once.
        for (; i + 4 <= row_bytes; i += 4) {
            uint32_t word;
            std::memcpy(&word, source + i, 4);
            if (word == 0) continue;
            for (uint32_t k = 0; k < 4; ++k) {
                if (source[i + k] != 0) destination[i + k] = source[i + k];
            }
        }
        for (; i < row_bytes; ++i) {
            if (source[i] != 0) destination[i] = source[i];
        }
        source += ptrdiff_t(row_bytes) + source_skip;
        destination += ptrdiff_t(row_bytes) + destination_skip;
    }
}

void FillRect(uint32_t pattern, uint32_t rows, uint32_t row_bytes, int32_t destination_skip,
              uint8_t* destination) {
    if (row_bytes == 0) return;
    const bool one_byte = pattern == (pattern & 0xFF) * 0x01010101u;
    for (uint32_t row = 0; row < rows; ++row) {
        if (one_byte) {
            std::memset(destination, int(pattern & 0xFF), row_bytes);
        } else {
            // A byte takes the pattern byte of its place in an aligned word.
            for (uint32_t i = 0; i < row_bytes; ++i) {
                uintptr_t lane = reinterpret_cast<uintptr_t>(destination + i) & 3;
                destination[i] = uint8_t(pattern >> (8 * lane));
            }
        }
        destination += ptrdiff_t(row_bytes) + destination_skip;
    }
}

void BlitRectScaled8(int x, int y, uint32_t source_width, uint32_t source_height, const uint8_t* source,
                     uint32_t destination_width, uint32_t destination_height, uint8_t* destination,
                     int32_t destination_pitch) {
    Scaled8(x, y, source_width, source_height, source, destination_width, destination_height, destination,
            destination_pitch, false);
}

void BlitRectScaledTrans8(int x, int y, uint32_t source_width, uint32_t source_height, const uint8_t* source,
                          uint32_t destination_width, uint32_t destination_height, uint8_t* destination,
                          int32_t destination_pitch) {
    Scaled8(x, y, source_width, source_height, source, destination_width, destination_height, destination,
            destination_pitch, true);
}

void ColConv8To565(void* buffer, const uint8_t* palette, uint32_t count) {
    auto* bytes = static_cast<uint8_t*>(buffer);
    for (uint32_t i = count; i-- > 0;) {
        const uint8_t* e = palette + size_t(bytes[i]) * 3;
        // Green is kept to its six bits so that a level above 63 cannot
        // spill into red.
        uint16_t word = uint16_t(((e[0] / 2) << 11) | ((e[1] & 0x3F) << 5) | (e[2] / 2));
        std::memcpy(bytes + size_t(i) * 2, &word, 2);
    }
}

uint8_t ColConv565ToCubeIndex(uint16_t pixel) {
    uint32_t r = ((pixel >> 11) * 6) / 32;
    uint32_t g = (((pixel >> 5) & 0x3F) * 7) / 64;
    uint32_t b = ((pixel & 0x1F) * 6) / 32;
    return uint8_t(1 + 42 * r + 6 * g + b);
}

void ColConv565To8Key(void* buffer, uint32_t count, uint16_t key) {
    auto* bytes = static_cast<uint8_t*>(buffer);
    for (uint32_t i = 0; i < count; ++i) {
        uint16_t word;
        std::memcpy(&word, bytes + size_t(i) * 2, 2);
        bytes[i] = word == key ? 0 : ColConv565ToCubeIndex(word);
    }
}

void ColConv565To8(uint8_t* destination, const uint16_t* source, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        uint16_t word;
        std::memcpy(&word, source + i, 2);
        destination[i] = ColConv565ToCubeIndex(word);
    }
}

void ColMakeCubePalette(uint8_t* palette) {
    for (int i = 0; i < 768; ++i) palette[i] = uint8_t(4 * (i / 3));
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 7; ++g) {
            for (int b = 0; b < 6; ++b) {
                uint8_t* e = palette + (1 + 42 * r + 6 * g + b) * 3;
                e[0] = uint8_t(64 * r / 6);
                e[1] = uint8_t(64 * g / 7);
                e[2] = uint8_t(64 * b / 6);
            }
        }
    }
}

// ---- Off-screen 8-bit buffers ---------------------------------------------
namespace {

// Drawing is cut to the buffer: a glyph or line reaching past an edge would
// write beside its pixels.
void BufPlot(DDrawSurfaceInfo* buffer, int x, int y, uint8_t colour) {
    if (x < 0 || y < 0 || x >= int(buffer->width32) || y >= int(buffer->height32)) return;
    buffer->pixels[ptrdiff_t(y) * buffer->pitch + x] = colour;
}

// The stretch loops have no edges of their own, so a picture that would
// reach past the buffer is not drawn at all.
bool FitsInBuffer(const DDrawSurfaceInfo* buffer, int x, int y, uint32_t width, uint32_t height) {
    return x >= 0 && y >= 0 && uint64_t(x) + width <= buffer->width32 &&
           uint64_t(y) + height <= buffer->height32;
}

}  // namespace

void CreateBuffer(DDrawSurfaceInfo** buffer, int width, int height) {
    const int row = (width + 15) & ~15;
    DebugLog(DEBUG_GRAPHICS, 30, "CreateBuffer(): making buffer %d,%d (%d bytes/line)\n", width, height, row);
    AllocateMemory(buffer, sizeof(DDrawSurfaceInfo), MEM_TYPE_MANUAL_NO_MOVE);
    DDrawSurfaceInfo* b = *buffer;
    *b = DDrawSurfaceInfo{};
    b->width = uint16_t(width);
    b->height = uint16_t(height);
    b->width32 = uint32_t(width);
    b->height32 = uint32_t(height);
    b->pitch = row;
    AllocateMemory(&b->pixels, uint32_t(row) * uint32_t(height), MEM_TYPE_MANUAL_FREE);
}

void DestroyBuffer(DDrawSurfaceInfo** buffer) {
    DebugLog(DEBUG_GRAPHICS, 30, "DestroyBuffer(): destroying buffer %d,%d\n", int((*buffer)->width32),
             int((*buffer)->height32));
    FreeMemory(&(*buffer)->pixels);
    FreeMemory(buffer);
}

void BufDrawChar(DDrawSurfaceInfo* buffer, int x, int y, uint8_t character) {
    const uint8_t* glyph = GfxFont8x8 + size_t(character) * 8;
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 8; ++col) {
            BufPlot(buffer, x + col, y + row, (glyph[row] & (0x80 >> col)) ? 255 : 0);
        }
    }
}

void BufDrawText(DDrawSurfaceInfo* buffer, int x, int y, const char* text) {
    for (int n = 0; text[n] != '\0'; ++n) BufDrawChar(buffer, x + 8 * n, y, uint8_t(text[n]));
}

void BufPrintf(DDrawSurfaceInfo* buffer, int x, int y, const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    BufDrawText(buffer, x, y, text);
}

void BufDrawLine(DDrawSurfaceInfo* buffer, int x1, int y1, int x2, int y2, uint8_t colour) {
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const int sx = x2 > x1 ? 1 : -1, sy = y2 > y1 ? 1 : -1;
    const bool x_major = dx >= dy;
    const int major = x_major ? dx : dy, minor = x_major ? dy : dx;
    int decision = 2 * minor - major;
    int x = x1, y = y1;
    for (int step = 0; step < major; ++step) {
        BufPlot(buffer, x, y, colour);
        if (decision >= 0) {
            (x_major ? y : x) += x_major ? sy : sx;
            decision -= 2 * major;
        }
        decision += 2 * minor;
        (x_major ? x : y) += x_major ? sx : sy;
    }
}

void BufBlitScaled(DDrawSurfaceInfo* buffer, int x, int y, const uint8_t* source, uint32_t source_width,
                   uint32_t source_height, uint32_t width, uint32_t height) {
    if (!FitsInBuffer(buffer, x, y, width, height)) return;
    BlitRectScaled8(x, y, source_width, source_height, source, width, height, buffer->pixels, buffer->pitch);
}

void BufBlitScaledTrans(DDrawSurfaceInfo* buffer, int x, int y, const uint8_t* source, uint32_t source_width,
                        uint32_t source_height, uint32_t width, uint32_t height) {
    if (!FitsInBuffer(buffer, x, y, width, height)) return;
    BlitRectScaledTrans8(x, y, source_width, source_height, source, width, height, buffer->pixels,
                         buffer->pitch);
}
