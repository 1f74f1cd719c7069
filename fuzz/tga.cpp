// TGA files and GFX0 pictures from outside: the whole reader into every target kind, the
// steps on their own, and frame cutting of what a successful read gives.
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/system/picture.h"
#include "game/system/pixelformats.h"

namespace {

uint8_t* g_block = nullptr;
uint8_t* g_widths = nullptr;

void Load(const uint8_t* data, size_t size, uint32_t* block_size) {
    if (g_block != nullptr) FreeMemory(&g_block);
    AllocateMemory(&g_block, uint32_t(size), MEM_TYPE_MANUAL_FREE);
    std::memcpy(g_block, data, size);
    *block_size = uint32_t(size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool started = [] {
        InitMemory(256 * 1024);
        // Refusals say why at any level; millions of them would only slow the run.
        DebugSetLevel(DEBUG_GRAPHICS, -1);
        return true;
    }();
    (void)started;
    if (size < 2 || size > (1 << 20)) return 0;
    const uint8_t mode = data[0];
    ++data;
    --size;
    uint32_t block_size = 0;
    // Bit 6 of a read's mode wraps the bytes as a GFX0 picture of 32-bit
    // pixels, its header sized from the first byte (the rest of the input).
    std::vector<uint8_t> gfx0;
    if (mode % 6 < 2 && (mode & 0x40) != 0 && size >= 1) {
        const uint16_t width = uint16_t(1 + data[0] % 32);
        const uint16_t height = uint16_t((size - 1) / 4 / width + (data[0] >> 5 == 7 ? 1 : 0));
        gfx0.assign(GFX0_HEADER_SIZE, 0);
        std::memcpy(gfx0.data(), "GFX0", 4);
        recbits::StoreU16(gfx0.data() + GFX0_WIDTH, width);
        recbits::StoreU16(gfx0.data() + GFX0_HEIGHT, height);
        recbits::StoreU16(gfx0.data() + GFX0_FRAMES, uint16_t(1 + (data[0] >> 5 == 6 ? 1 : 0)));
        gfx0.insert(gfx0.end(), data + 1, data + size);
        data = gfx0.data();
        size = gfx0.size();
    }
    Load(data, size, &block_size);
    switch (mode % 6) {
        case 0:
        case 1: {
            const ColFmt* format = mode % 2 ? &ColFmt_R5G6B5 : &ColFmt_A8R8G8B8;
            // A 16-bit picture is refused by the cutter, which takes 4-byte pixels.
            if (LoadImageFile(&g_block, &block_size, mode >> 7, format) == 0) {
                const uint32_t w = recbits::LoadU16(g_block + 4);
                const uint32_t h = recbits::LoadU16(g_block + 6);
                const int columns = (mode >> 3) % 4 + 1;
                if (g_widths != nullptr) FreeMemory(&g_widths);
                GFX_CutFrames(&g_block, &block_size, GFXCUT_TRANSPARENT | GFXCUT_WIDTHS, int(w) / columns,
                              int(h), columns, 1, &g_widths);
            }
            break;
        }
        case 2:
            TGA_Read(&g_block, &block_size, nullptr, nullptr, 0, nullptr, 16);
            break;
        case 3:
            TGA_Read(&g_block, &block_size, nullptr, nullptr, 1, &ColFmt_A1R5G5B5, 3);
            break;
        case 4:
            TGA_ExportPalette(&g_block, &block_size, (mode >> 3) + 1u, &ColFmt_A8R8G8B8);
            break;
        default:
            if (TGA_Decompress(&g_block, &block_size) >= 0 && TGA_SetOrigin(&g_block, &block_size, 0) >= 0) {
                constexpr uint32_t kDepths[4] = {15, 16, 24, 32};
                TGA_ConvertDepth(&g_block, &block_size, kDepths[mode >> 6]);
            }
            break;
    }
    return 0;
}
