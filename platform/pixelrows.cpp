#include "platform/pixelrows.h"

#include <cstring>

namespace plat {

namespace {

// One row of a blit between formats, the pixel sizes known to the compiler.
// A pixel's bytes (little-endian) as one load or store of its width (a copy
// of a fixed size becomes a single move, never a call), three-byte pixels
// as a word and a byte.
template <uint32_t kBytes>
uint32_t LoadPixel(const uint8_t* p) {
    if constexpr (kBytes == 4) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    } else if constexpr (kBytes == 3) {
        uint16_t low;
        std::memcpy(&low, p, 2);
        return uint32_t(low) | (uint32_t(p[2]) << 16);
    } else if constexpr (kBytes == 2) {
        uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    } else {
        return p[0];
    }
}

template <uint32_t kBytes>
void StorePixel(uint8_t* p, uint32_t v) {
    if constexpr (kBytes == 4) {
        std::memcpy(p, &v, 4);
    } else if constexpr (kBytes == 3) {
        const uint16_t low = uint16_t(v);
        std::memcpy(p, &low, 2);
        p[2] = uint8_t(v >> 16);
    } else if constexpr (kBytes == 2) {
        const uint16_t low = uint16_t(v);
        std::memcpy(p, &low, 2);
    } else {
        p[0] = uint8_t(v);
    }
}

// Three-byte pixels into four-byte ones whose channels stand at the same
// places: four pixels from three whole-word loads.
void KeepRow3To4(const uint8_t* in, uint8_t* out, size_t count, uint32_t keep) {
    size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        uint32_t w[3];
        std::memcpy(w, in + i * 3, sizeof w);
        const uint32_t p[4] = {w[0], (w[0] >> 24) | (w[1] << 8), (w[1] >> 16) | (w[2] << 16), w[2] >> 8};
        uint32_t kept[4];
        for (int k = 0; k < 4; ++k) kept[k] = p[k] & keep;
        std::memcpy(out + i * 4, kept, sizeof kept);
    }
    for (; i < count; ++i) StorePixel<4>(out + i * 4, LoadPixel<3>(in + i * 3) & keep);
}

template <uint32_t kIn, uint32_t kOut>
void ConvertRow(const uint8_t* in, uint8_t* out, size_t count, const PixelConverter& convert) {
    if constexpr (kIn == 3 && kOut == 4) {
        if (convert.SamePlaces()) return KeepRow3To4(in, out, count, convert.Keep());
    }
    if (convert.SamePlaces()) {
        const uint32_t keep = convert.Keep();
        for (size_t i = 0; i < count; ++i)
            StorePixel<kOut>(out + i * kOut, LoadPixel<kIn>(in + i * kIn) & keep);
        return;
    }
    for (size_t i = 0; i < count; ++i)
        StorePixel<kOut>(out + i * kOut, convert(LoadPixel<kIn>(in + i * kIn)));
}

template <uint32_t kIn>
void ConvertRowTo(uint32_t outBytes, const uint8_t* in, uint8_t* out, size_t count,
                  const PixelConverter& convert) {
    switch (outBytes) {
        case 1:
            ConvertRow<kIn, 1>(in, out, count, convert);
            break;
        case 2:
            ConvertRow<kIn, 2>(in, out, count, convert);
            break;
        case 3:
            ConvertRow<kIn, 3>(in, out, count, convert);
            break;
        case 4:
            ConvertRow<kIn, 4>(in, out, count, convert);
            break;
        default:
            for (size_t i = 0; i < count; ++i)
                WriteRaw(out + i * outBytes, convert(ReadRaw(in + i * kIn, kIn)), outBytes);
    }
}

}  // namespace

void ConvertRow(uint32_t inBytes, uint32_t outBytes, const uint8_t* in, uint8_t* out, size_t count,
                const PixelConverter& convert) {
    switch (inBytes) {
        case 1:
            ConvertRowTo<1>(outBytes, in, out, count, convert);
            break;
        case 2:
            ConvertRowTo<2>(outBytes, in, out, count, convert);
            break;
        case 3:
            ConvertRowTo<3>(outBytes, in, out, count, convert);
            break;
        case 4:
            ConvertRowTo<4>(outBytes, in, out, count, convert);
            break;
        default:
            for (size_t i = 0; i < count; ++i) {
                WriteRaw(out + i * outBytes, convert(ReadRaw(in + i * inBytes, inBytes)), outBytes);
            }
    }
}

}  // namespace plat
