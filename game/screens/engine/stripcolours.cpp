#include "game/screens/engine/stripcolours.h"

#include <cstring>

#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/system/picture.h"

GfxGenEntry GfxGenList[GFXGEN_ENTRY_COUNT + 1] = {{"ball", 0, 0, 0, nullptr, nullptr},
                                                  {nullptr, 0, 0, 0, nullptr, nullptr}};
uint8_t GfxGenRamp[GFXGEN_RAMP_ENTRIES * 3];

namespace {

constexpr const char* kModule = "menus\\gfx_gen";
constexpr uint32_t kStripEnd = 0x3A3F2F;

uint32_t Read16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }

void LoadPicture(GfxGenEntry& entry) {
    uint32_t size =
        PakLoadWholeFile(MakeFileName("gfxgen", entry.name, "gfx"), &entry.picture, MEM_TYPE_MANUAL_FREE);
    if (size < GFX0_HEADER_SIZE || std::memcmp(entry.picture, "GFX0", 4) != 0) {
        AbortError(kModule, __LINE__, "GfxGenLoadGraphic(): invalid graphic");
    }
    uint8_t header[GFX0_HEADER_SIZE];
    std::memcpy(header, entry.picture, GFX0_HEADER_SIZE);
    entry.width = Read16(header + GFX0_WIDTH);
    entry.height = Read16(header + GFX0_HEIGHT);
    entry.frames = Read16(header + GFX0_FRAMES);
    const uint64_t pixels = uint64_t(entry.width) * entry.height * entry.frames;
    // A header promising more than the file holds would be read past its end.
    if (pixels == 0 || pixels > size - GFX0_HEADER_SIZE) {
        AbortError(kModule, __LINE__, "GfxGenLoadGraphic(): invalid graphic");
    }
    std::memmove(entry.picture, entry.picture + GFX0_HEADER_SIZE, size_t(pixels));
    ResizeMemory(&entry.picture, uint32_t(pixels));
}

}  // namespace

GfxGenEntry* GfxGenLoadGraphic(int index) {
    if (index < 0 || index >= GFXGEN_ENTRY_COUNT) return nullptr;
    GfxGenEntry& entry = GfxGenList[index];
    if (entry.picture == nullptr) LoadPicture(entry);
    if (entry.palette == nullptr) {
        PakLoadWholeFile(MakeFileName("gfxgen", entry.name, "pal"), &entry.palette, MEM_TYPE_MANUAL_FREE);
    }
    SetMemType(&entry.picture, MEM_TYPE_AUTO_FREE);
    SetMemType(&entry.palette, MEM_TYPE_AUTO_FREE);
    return &entry;
}

void GfxGen_DrawGradient(uint8_t* buffer, int first, int last, uint32_t startColour, uint32_t endColour) {
    if (last <= first) return;
    for (int i = first; i <= last; ++i) {
        for (int k = 0; k < 3; ++k) {
            const int c0 = int((startColour >> (8 * k)) & 0xFF), c1 = int((endColour >> (8 * k)) & 0xFF);
            buffer[size_t(i) * 3 + size_t(k)] = uint8_t(c0 + (c1 - c0) * (i - first) / (last - first));
        }
    }
}

void GfxGen_MakeStrip(int n, uint8_t red, uint8_t green, uint8_t blue) {
    // Only strips whose 64 entries lie inside the ramp buffer.
    if (n < 0 || n * 64 + 127 >= GFXGEN_RAMP_ENTRIES) return;
    const uint32_t colour = uint32_t(red & 0x3F) | uint32_t(green & 0x3F) << 8 | uint32_t(blue & 0x3F) << 16;
    GfxGen_DrawGradient(GfxGenRamp, n * 64 + 64, n * 64 + 95, 0, colour);
    GfxGen_DrawGradient(GfxGenRamp, n * 64 + 96, n * 64 + 127, colour, kStripEnd);
}
