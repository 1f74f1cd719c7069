// Small TGA pictures written by tests, top row first.
#pragma once
#include <cstdint>
#include <vector>

namespace testenv {

inline std::vector<uint8_t> TgaHeaderBytes(uint8_t type, uint16_t width, uint16_t height, uint8_t depth,
                                           bool colourMap) {
    std::vector<uint8_t> h(18, 0);
    h[1] = colourMap ? 1 : 0;
    h[2] = type;
    if (colourMap) {
        h[5] = 0;  // map length 256
        h[6] = 1;
        h[7] = 24;
    }
    h[12] = uint8_t(width);
    h[13] = uint8_t(width >> 8);
    h[14] = uint8_t(height);
    h[15] = uint8_t(height >> 8);
    h[16] = depth;
    h[17] = 0x20 | (depth == 32 ? 8 : 0);
    return h;
}

// An 8-bit colour-mapped picture of the given indexes (a grey map).
inline std::vector<uint8_t> IndexedTga(uint16_t width, uint16_t height, const std::vector<uint8_t>& indexes) {
    std::vector<uint8_t> t = TgaHeaderBytes(1, width, height, 8, true);
    for (int i = 0; i < 256; ++i) t.insert(t.end(), {uint8_t(i), uint8_t(i), uint8_t(i)});
    t.insert(t.end(), indexes.begin(), indexes.end());
    return t;
}

// A 32-bit true-colour picture of 0xAARRGGBB pixels.
inline std::vector<uint8_t> ArgbTga(uint16_t width, uint16_t height, const std::vector<uint32_t>& pixels) {
    std::vector<uint8_t> t = TgaHeaderBytes(2, width, height, 32, false);
    for (uint32_t p : pixels)
        t.insert(t.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16), uint8_t(p >> 24)});
    return t;
}

}  // namespace testenv
