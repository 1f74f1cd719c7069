// Copies between device contexts of every pixel format the display stand-in
// takes, checked pixel by pixel against a plain per-pixel conversion.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ddraw.h"

namespace {

struct BlitFormat {
    const char* name;
    plat::PixelFormat format;
};

plat::PixelFormat BlitRgbFormat(uint32_t bits, uint32_t red, uint32_t green, uint32_t blue) {
    plat::PixelFormat f;
    f.flags = plat::kPfRgb;
    f.bit_count = bits;
    f.red_mask = red;
    f.green_mask = green;
    f.blue_mask = blue;
    return f;
}

plat::PixelFormat BlitIndexedFormat() {
    plat::PixelFormat f;
    f.flags = plat::kPfRgb | plat::kPfPaletteIndexed8;
    f.bit_count = 8;
    return f;
}

const std::vector<BlitFormat>& BlitTargets() {
    static const std::vector<BlitFormat> targets = {
        {"565", BlitRgbFormat(16, 0xF800, 0x07E0, 0x001F)},
        {"555", BlitRgbFormat(16, 0x7C00, 0x03E0, 0x001F)},
        {"444", BlitRgbFormat(16, 0x0F00, 0x00F0, 0x000F)},
        {"rgb24", BlitRgbFormat(24, 0xFF0000, 0x00FF00, 0x0000FF)},
        {"bgr24", BlitRgbFormat(24, 0x0000FF, 0x00FF00, 0xFF0000)},
        {"xrgb32", BlitRgbFormat(32, 0xFF0000, 0x00FF00, 0x0000FF)},
        {"xbgr32", BlitRgbFormat(32, 0x0000FF, 0x00FF00, 0xFF0000)},
        {"rgbx32", BlitRgbFormat(32, 0xFF000000, 0x00FF0000, 0x0000FF00)},
        {"x2rgb10", BlitRgbFormat(32, 0x3FF00000, 0x000FFC00, 0x000003FF)},
    };
    return targets;
}

const std::vector<BlitFormat>& BlitSources() {
    static const std::vector<BlitFormat> sources = [] {
        std::vector<BlitFormat> all = {{"indexed8", BlitIndexedFormat()}};
        for (const BlitFormat& f : BlitTargets()) all.push_back(f);
        return all;
    }();
    return sources;
}

// The reference conversion, one pixel at a time: each channel widened to
// eight bits by repeating its high bits, then cut to the target's width.
uint32_t BlitWiden(uint32_t pixel, uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = __builtin_ctz(mask);
    const int bits = __builtin_popcount(mask);
    const uint32_t value = (pixel & mask) >> shift;
    if (bits >= 8) return value >> (bits - 8);
    uint32_t wide = 0;
    for (int filled = 0; filled < 8; filled += bits) {
        const int s = 8 - filled - bits;
        wide |= s >= 0 ? value << s : value >> -s;
    }
    return wide & 0xFF;
}

uint32_t BlitNarrow(uint32_t c8, uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = __builtin_ctz(mask);
    const int bits = __builtin_popcount(mask);
    const uint32_t value = bits >= 8 ? c8 << (bits - 8) : c8 >> (8 - bits);
    return (value << shift) & mask;
}

uint32_t BlitReference(uint32_t pixel, const plat::PixelFormat& from, const plat::PaletteEntry* palette,
                       const plat::PixelFormat& to) {
    uint32_t r, g, b;
    if (from.flags & plat::kPfPaletteIndexed8) {
        const uint32_t i = pixel & 0xFF;
        r = palette != nullptr ? palette[i].red : i;
        g = palette != nullptr ? palette[i].green : i;
        b = palette != nullptr ? palette[i].blue : i;
    } else {
        r = BlitWiden(pixel, from.red_mask);
        g = BlitWiden(pixel, from.green_mask);
        b = BlitWiden(pixel, from.blue_mask);
    }
    return BlitNarrow(r, to.red_mask) | BlitNarrow(g, to.green_mask) | BlitNarrow(b, to.blue_mask);
}

uint32_t BlitBytes(const plat::PixelFormat& f) { return (f.bit_count + 7) / 8; }

uint32_t BlitRead(const uint8_t* p, uint32_t bytes) {
    uint32_t v = 0;
    std::memcpy(&v, p, bytes);
    return v;
}

// Every byte of a surface set from a hash of its place and a seed, so all
// values (the bits outside the colour masks too) turn up.
void BlitScramble(plat::DirectDrawSurface7* s, uint32_t seed) {
    const size_t size = size_t(s->Pitch()) * s->Height();
    uint8_t* p = s->Pixels();
    for (size_t i = 0; i < size; ++i) {
        uint32_t h = uint32_t(i) * 2654435761u + seed * 40503u;
        h ^= h >> 15;
        h *= 2246822519u;
        h ^= h >> 13;
        p[i] = uint8_t(h);
    }
}

class BitBltTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(plat::CoCreateDirectDraw7(&dd_), plat::kDdOk);
        ASSERT_EQ(dd_->Initialize(nullptr), plat::kDdOk);
    }
    void TearDown() override {
        for (plat::DirectDrawSurface7* s : surfaces_) s->Release();
        if (palette_ != nullptr) palette_->Release();
        if (dd_ != nullptr) dd_->Release();
    }

    plat::DirectDrawSurface7* Make(const plat::PixelFormat& format, uint32_t w, uint32_t h) {
        plat::SurfaceDesc desc;
        desc.flags = plat::kSdCaps | plat::kSdWidth | plat::kSdHeight | plat::kSdPixelFormat;
        desc.caps = plat::kCapsOffscreenPlain | plat::kCapsSystemMemory;
        desc.width = w;
        desc.height = h;
        desc.pixel_format = format;
        plat::DirectDrawSurface7* s = nullptr;
        EXPECT_EQ(dd_->CreateSurface(&desc, &s, nullptr), plat::kDdOk);
        if (s != nullptr) surfaces_.push_back(s);
        return s;
    }

    const plat::PaletteEntry* Palette() {
        if (palette_ == nullptr) {
            plat::PaletteEntry entries[256];
            for (int i = 0; i < 256; ++i) {
                entries[i].red = uint8_t(i * 7 + 3);
                entries[i].green = uint8_t(255 - i);
                entries[i].blue = uint8_t(i * 13);
            }
            EXPECT_EQ(
                dd_->CreatePalette(plat::kPCaps8Bit | plat::kPCapsAllow256, entries, &palette_, nullptr),
                plat::kDdOk);
        }
        return palette_->entries_;
    }

    // Copies w x h pixels from (sx, sy) of a source to (dx, dy) of a target
    // and checks every pixel of the target: converted inside the (clipped)
    // rectangle, untouched outside it.
    void CheckBlit(const BlitFormat& from, const BlitFormat& to, bool withPalette, uint32_t sourceW,
                   uint32_t sourceH, uint32_t targetW, uint32_t targetH, int dx, int dy, int sx, int sy,
                   int w, int h) {
        SCOPED_TRACE(std::string(from.name) + " -> " + to.name + (withPalette ? " with palette" : "") + ", " +
                     std::to_string(w) + "x" + std::to_string(h) + " at " + std::to_string(dx) + "," +
                     std::to_string(dy));
        plat::DirectDrawSurface7* source = Make(from.format, sourceW, sourceH);
        plat::DirectDrawSurface7* target = Make(to.format, targetW, targetH);
        ASSERT_NE(source, nullptr);
        ASSERT_NE(target, nullptr);
        const plat::PaletteEntry* palette = nullptr;
        if (withPalette) {
            palette = Palette();
            ASSERT_EQ(source->SetPalette(palette_), plat::kDdOk);
        }
        BlitScramble(source, 1);
        BlitScramble(target, 2);
        const std::vector<uint8_t> before(target->Pixels(),
                                          target->Pixels() + size_t(target->Pitch()) * targetH);
        plat::DeviceContext* in = nullptr;
        plat::DeviceContext* out = nullptr;
        ASSERT_EQ(source->GetDC(&in), plat::kDdOk);
        ASSERT_EQ(target->GetDC(&out), plat::kDdOk);
        EXPECT_TRUE(plat::BitBlt(out, dx, dy, w, h, in, sx, sy));
        ASSERT_EQ(source->ReleaseDC(in), plat::kDdOk);
        ASSERT_EQ(target->ReleaseDC(out), plat::kDdOk);

        const uint32_t sb = BlitBytes(from.format), tb = BlitBytes(to.format);
        const bool sameFormat = sb == tb && from.format.red_mask == to.format.red_mask &&
                                from.format.green_mask == to.format.green_mask &&
                                from.format.blue_mask == to.format.blue_mask;
        int wrong = 0;
        for (uint32_t y = 0; y < targetH; ++y) {
            for (uint32_t x = 0; x < uint32_t(target->Pitch()); ++x) {
                const size_t at = size_t(y) * size_t(target->Pitch()) + x;
                const int px = int(x / tb);
                const bool inside =
                    x < targetW * tb && px >= dx && px < dx + w && int(y) >= dy && int(y) < dy + h;
                uint8_t expected = before[at];
                if (inside) {
                    const uint8_t* sp = source->Pixels() +
                                        size_t(sy + int(y) - dy) * size_t(source->Pitch()) +
                                        size_t(sx + px - dx) * sb;
                    // Between two surfaces of one format the pixels move as
                    // they stand, bits outside the colour masks too.
                    const uint32_t raw = BlitRead(sp, sb);
                    const uint32_t want =
                        sameFormat ? raw : BlitReference(raw, from.format, palette, to.format);
                    expected = uint8_t(want >> (8 * (x % tb)));
                }
                if (target->Pixels()[at] != expected && ++wrong <= 3) {
                    ADD_FAILURE() << "byte " << x << " of row " << y << ": " << int(target->Pixels()[at])
                                  << ", expected " << int(expected);
                }
            }
        }
        EXPECT_EQ(wrong, 0);
    }

    plat::DirectDraw7* dd_ = nullptr;
    plat::DirectDrawPalette* palette_ = nullptr;
    std::vector<plat::DirectDrawSurface7*> surfaces_;
};

TEST_F(BitBltTest, EveryFormatIntoEveryTargetFormatSmallAndLarge) {
    for (const BlitFormat& from : BlitSources()) {
        for (const BlitFormat& to : BlitTargets()) {
            // A few pixels, and a rectangle of more pixels than the source
            // format has values, from and to places off the origin.
            CheckBlit(from, to, false, 13, 9, 11, 7, 2, 1, 3, 2, 5, 4);
            if (from.format.bit_count == 16) {
                CheckBlit(from, to, false, 300, 240, 310, 250, 7, 5, 4, 3, 290, 230);
            } else {
                CheckBlit(from, to, false, 40, 30, 45, 35, 3, 4, 0, 0, 40, 30);
            }
        }
    }
}

TEST_F(BitBltTest, IndexedSourcesGoThroughTheirPalette) {
    for (const BlitFormat& to : BlitTargets()) {
        CheckBlit(BlitSources()[0], to, true, 13, 9, 11, 7, 2, 1, 3, 2, 5, 4);
        CheckBlit(BlitSources()[0], to, true, 40, 30, 40, 30, 0, 0, 0, 0, 40, 30);
    }
}

TEST_F(BitBltTest, RectanglesPastTheTargetsEdgesAreClipped) {
    const BlitFormat& rgb24 = BlitTargets()[3];
    const BlitFormat& xrgb32 = BlitTargets()[5];
    const BlitFormat& r565 = BlitTargets()[0];
    CheckBlit(rgb24, xrgb32, false, 64, 48, 32, 24, -5, -3, 10, 10, 40, 30);
    CheckBlit(r565, rgb24, false, 64, 48, 32, 24, 20, 15, 0, 0, 40, 30);
    // The same format both sides: whole rows move as they stand.
    CheckBlit(xrgb32, xrgb32, false, 64, 48, 32, 24, -4, 6, 1, 2, 50, 30);
    CheckBlit(rgb24, rgb24, false, 17, 5, 19, 6, 1, 1, 0, 0, 17, 5);
}

TEST_F(BitBltTest, BadCopiesAreRefusedAndLeaveTheTargetAlone) {
    plat::DirectDrawSurface7* source = Make(BlitTargets()[5].format, 8, 8);
    plat::DirectDrawSurface7* indexed = Make(BlitIndexedFormat(), 8, 8);
    ASSERT_NE(source, nullptr);
    ASSERT_NE(indexed, nullptr);
    BlitScramble(source, 3);
    BlitScramble(indexed, 4);
    const std::vector<uint8_t> before(indexed->Pixels(), indexed->Pixels() + size_t(indexed->Pitch()) * 8);
    plat::DeviceContext* in = nullptr;
    plat::DeviceContext* out = nullptr;
    ASSERT_EQ(source->GetDC(&in), plat::kDdOk);
    ASSERT_EQ(indexed->GetDC(&out), plat::kDdOk);
    EXPECT_FALSE(plat::BitBlt(out, 0, 0, 4, 4, in, 0, 0));  // no colour matching into a palette
    EXPECT_FALSE(plat::BitBlt(in, 0, 0, 4, 4, in, 6, 0));   // leaves the source
    EXPECT_FALSE(plat::BitBlt(in, 0, 0, 0, 4, in, 0, 0));
    EXPECT_FALSE(plat::BitBlt(nullptr, 0, 0, 4, 4, in, 0, 0));
    EXPECT_TRUE(plat::BitBlt(in, 8, 0, 4, 4, in, 0, 0));  // wholly off the target: nothing to do
    ASSERT_EQ(source->ReleaseDC(in), plat::kDdOk);
    ASSERT_EQ(indexed->ReleaseDC(out), plat::kDdOk);
    EXPECT_EQ(std::vector<uint8_t>(indexed->Pixels(), indexed->Pixels() + before.size()), before);
}

// A copy inside one surface reads the whole source rectangle before it
// writes, whichever way the rectangles overlap.
TEST_F(BitBltTest, OverlappingCopiesInsideOneSurfaceMoveTheOriginalPixels) {
    struct Shift {
        int dx, dy;
    };
    for (const BlitFormat& f : BlitSources()) {
        for (const Shift shift : {Shift{3, 2}, Shift{-3, -2}, Shift{1, 0}, Shift{-1, 0}, Shift{0, 1},
                                  Shift{0, -1}, Shift{2, -1}}) {
            SCOPED_TRACE(std::string(f.name) + " moved by " + std::to_string(shift.dx) + "," +
                         std::to_string(shift.dy));
            const uint32_t w = 20, h = 12;
            plat::DirectDrawSurface7* s = Make(f.format, w, h);
            ASSERT_NE(s, nullptr);
            BlitScramble(s, 5);
            const std::vector<uint8_t> before(s->Pixels(), s->Pixels() + size_t(s->Pitch()) * h);
            plat::DeviceContext* dc = nullptr;
            ASSERT_EQ(s->GetDC(&dc), plat::kDdOk);
            const int sx = 4, sy = 3, cw = 12, ch = 6;
            EXPECT_TRUE(plat::BitBlt(dc, sx + shift.dx, sy + shift.dy, cw, ch, dc, sx, sy));
            ASSERT_EQ(s->ReleaseDC(dc), plat::kDdOk);
            const uint32_t bytes = BlitBytes(f.format);
            std::vector<uint8_t> expected = before;
            for (int y = 0; y < ch; ++y) {
                std::memcpy(
                    &expected[size_t(sy + shift.dy + y) * size_t(s->Pitch()) + size_t(sx + shift.dx) * bytes],
                    &before[size_t(sy + y) * size_t(s->Pitch()) + size_t(sx) * bytes], size_t(cw) * bytes);
            }
            EXPECT_EQ(std::vector<uint8_t>(s->Pixels(), s->Pixels() + expected.size()), expected);
        }
    }
}

// The surface's own copy: inside one surface it reads the whole source
// rectangle before it writes; from another surface it takes the source's
// rows as they are.
TEST_F(BitBltTest, SurfaceCopiesMoveTheOriginalPixelsInsideOneSurfaceAndFromAnother) {
    struct Shift {
        int dx, dy;
    };
    for (const BlitFormat& f : BlitTargets()) {
        for (const Shift shift : {Shift{3, 2}, Shift{-3, -2}, Shift{0, 1}, Shift{0, -1}, Shift{2, -1}}) {
            for (const bool itself : {true, false}) {
                SCOPED_TRACE(std::string(f.name) + " moved by " + std::to_string(shift.dx) + "," +
                             std::to_string(shift.dy) + (itself ? " inside one surface" : " from another"));
                const uint32_t w = 20, h = 12;
                plat::DirectDrawSurface7* s = Make(f.format, w, h);
                plat::DirectDrawSurface7* other = Make(f.format, w, h);
                ASSERT_NE(s, nullptr);
                ASSERT_NE(other, nullptr);
                BlitScramble(s, 7);
                BlitScramble(other, 8);
                plat::DirectDrawSurface7* from = itself ? s : other;
                const std::vector<uint8_t> before(s->Pixels(), s->Pixels() + size_t(s->Pitch()) * h);
                const std::vector<uint8_t> source(from->Pixels(), from->Pixels() + size_t(s->Pitch()) * h);
                const int sx = 4, sy = 3, cw = 12, ch = 6;
                const plat::Rect src{sx, sy, sx + cw, sy + ch};
                const plat::Rect dest{sx + shift.dx, sy + shift.dy, sx + shift.dx + cw, sy + shift.dy + ch};
                ASSERT_EQ(s->Blt(&dest, from, &src, 0, nullptr), plat::kDdOk);
                const uint32_t bytes = BlitBytes(f.format);
                std::vector<uint8_t> expected = before;
                for (int y = 0; y < ch; ++y) {
                    std::memcpy(
                        &expected[size_t(dest.top + y) * size_t(s->Pitch()) + size_t(dest.left) * bytes],
                        &source[size_t(sy + y) * size_t(s->Pitch()) + size_t(sx) * bytes],
                        size_t(cw) * bytes);
                }
                EXPECT_EQ(std::vector<uint8_t>(s->Pixels(), s->Pixels() + expected.size()), expected);
            }
        }
    }
}

}  // namespace
