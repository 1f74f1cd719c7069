// The newest screen grab ("grabNNNN.tga" in the working folder) as 800 x 600
// pixels of 0xRRGGBB, and counts of a colour inside a rectangle of it.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "support/colconv.h"
#include "support/mem_win.h"
#include "support/picture.h"
#include "tests/fakes/pak_fixture.h"

namespace testenv {

inline std::vector<uint32_t> LatestGrabPixels() {
    char name[32], last[32] = "";
    for (int n = 1; n < 10000; ++n) {
        std::snprintf(name, sizeof name, "grab%04d.tga", n);
        if (!std::filesystem::exists(name)) break;
        std::snprintf(last, sizeof last, "%s", name);
    }
    std::vector<uint32_t> pixels;
    if (last[0] == '\0') return pixels;
    const std::vector<uint8_t> bytes = ReadHostFile(last);
    uint8_t* block = nullptr;
    AllocateMemory(&block, uint32_t(bytes.size()), MEM_TYPE_MANUAL_FREE);
    std::memcpy(block, bytes.data(), bytes.size());
    uint32_t size = uint32_t(bytes.size());
    if (LoadImageFile(&block, &size, 0, &ColFmt_B8G8R8) == 0) {
        const uint8_t* p = block + GFX0_HEADER_SIZE;
        for (int i = 0; i < 800 * 600; ++i)
            pixels.push_back(uint32_t(p[i * 3 + 2]) << 16 | p[i * 3 + 1] << 8 | p[i * 3]);
    }
    FreeMemory(&block);
    return pixels;
}

// Pixels of the colour in [x0, x1) x [y0, y1) of an 800 x 600 picture.
inline int CountColour(const std::vector<uint32_t>& pixels, int x0, int y0, int x1, int y1, uint32_t colour) {
    int n = 0;
    if (pixels.size() != 800u * 600u) return 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += pixels[size_t(y) * 800 + size_t(x)] == colour ? 1 : 0;
    return n;
}

}  // namespace testenv
