// Rows of pixels converted between surface formats: the inner loops of
// blits and presents.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/ddraw.h"

namespace plat {

inline uint32_t ReadRaw(const uint8_t* p, uint32_t bytes) {
    uint32_t v = 0;
    std::memcpy(&v, p, bytes);  // little-endian host
    return v;
}

inline void WriteRaw(uint8_t* p, uint32_t v, uint32_t bytes) { std::memcpy(p, &v, bytes); }

// A pixel of one format as the nearest of another (through the palette for
// 8-bit sources), each mask's shift and width worked out once for a whole
// blit instead of for every pixel.
class PixelConverter {
  public:
    PixelConverter(const PixelFormat& from, const DirectDrawPalette* palette, const PixelFormat& to)
        : palette_(palette), indexed_((from.flags & kPfPaletteIndexed8) != 0) {
        for (int c = 0; c < 3; ++c) {
            const uint32_t fromMask = c == 0 ? from.red_mask : c == 1 ? from.green_mask : from.blue_mask;
            const uint32_t toMask = c == 0 ? to.red_mask : c == 1 ? to.green_mask : to.blue_mask;
            in_[c] = Channel(fromMask);
            out_[c] = Channel(toMask);
            bytewise_ = bytewise_ && in_[c].bits == 8 && out_[c].bits == 8;
        }
        bytewise_ = bytewise_ && !indexed_;
        samePlaces_ = bytewise_ && in_[0].shift == out_[0].shift && in_[1].shift == out_[1].shift &&
                      in_[2].shift == out_[2].shift;
        keep_ = out_[0].mask | out_[1].mask | out_[2].mask;
    }

    // Blits of many pixels from 8- and 16-bit formats look every value up.
    void Tabulate(uint32_t inBytes) {
        if (inBytes > 2) return;
        table_.resize(size_t(1) << (8 * inBytes));
        for (size_t i = 0; i < table_.size(); ++i) table_[i] = Compute(uint32_t(i));
    }

    // The channels stand where they stood; a pixel needs only Keep().
    bool SamePlaces() const { return samePlaces_; }
    uint32_t Keep() const { return keep_; }

    uint32_t operator()(uint32_t pixel) const {
        if (bytewise_) {
            return (((pixel >> in_[0].shift) & 0xFF) << out_[0].shift) |
                   (((pixel >> in_[1].shift) & 0xFF) << out_[1].shift) |
                   (((pixel >> in_[2].shift) & 0xFF) << out_[2].shift);
        }
        return table_.empty() ? Compute(pixel) : table_[pixel];
    }

  private:
    uint32_t Compute(uint32_t pixel) const {
        uint32_t c8[3];
        if (indexed_) {
            const uint32_t i = pixel & 0xFF;
            if (palette_ == nullptr) {
                c8[0] = c8[1] = c8[2] = i;
            } else {
                const PaletteEntry& e = palette_->entries_[i];
                c8[0] = e.red;
                c8[1] = e.green;
                c8[2] = e.blue;
            }
        } else {
            for (int c = 0; c < 3; ++c) c8[c] = To8(pixel, in_[c]);
        }
        return Place(c8[0], out_[0]) | Place(c8[1], out_[1]) | Place(c8[2], out_[2]);
    }

    struct Mask {
        uint32_t mask = 0;
        int shift = 0;
        int bits = 0;
    };
    static Mask Channel(uint32_t mask) {
        if (mask == 0) return {};
        return {mask, __builtin_ctz(mask), __builtin_popcount(mask)};
    }
    // A channel as 8 bits, the low bits filled from the high ones.
    static uint32_t To8(uint32_t pixel, const Mask& m) {
        if (m.mask == 0) return 0;
        const uint32_t v = (pixel & m.mask) >> m.shift;
        if (m.bits >= 8) return v >> (m.bits - 8);
        uint32_t out = 0;
        for (int filled = 0; filled < 8; filled += m.bits) {
            const int s = 8 - filled - m.bits;
            out |= s >= 0 ? v << s : v >> -s;
        }
        return out & 0xFF;
    }
    // An 8-bit channel cut to the mask's width.
    static uint32_t Place(uint32_t c8, const Mask& m) {
        if (m.mask == 0) return 0;
        const uint32_t v = m.bits >= 8 ? c8 << (m.bits - 8) : c8 >> (8 - m.bits);
        return (v << m.shift) & m.mask;
    }

    const DirectDrawPalette* palette_;
    bool indexed_;
    Mask in_[3];
    Mask out_[3];
    // Every channel eight bits wide on both sides: a byte moves.
    bool bytewise_ = true;
    // ... and each channel at the same place on both sides: the pixel
    // stands as it is, only the bits outside the channels cleared.
    bool samePlaces_ = false;
    uint32_t keep_ = 0;
    std::vector<uint32_t> table_;
};

// Converts count pixels of inBytes each at in into outBytes each at out.
void ConvertRow(uint32_t inBytes, uint32_t outBytes, const uint8_t* in, uint8_t* out, size_t count,
                const PixelConverter& convert);

}  // namespace plat
