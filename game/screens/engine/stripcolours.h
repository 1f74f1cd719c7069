// Pictures loaded on first use from the "gfxgen" folder with their palettes
// (the turning ball), and the colour ramps of the screens' strips.
#pragma once
#include <cstdint>

struct GfxGenEntry {
    const char* name;
    uint32_t frames;
    uint32_t width, height;
    uint8_t* picture;  // one byte a pixel, frame after frame
    uint8_t* palette;  // 256 x 3 six-bit levels
};
constexpr int GFXGEN_ENTRY_COUNT = 1;
extern GfxGenEntry GfxGenList[GFXGEN_ENTRY_COUNT + 1];

// Three six-bit components an entry; strip n takes entries n x 64 + 64 to
// n x 64 + 127.
constexpr int GFXGEN_RAMP_ENTRIES = 256;
extern uint8_t GfxGenRamp[GFXGEN_RAMP_ENTRIES * 3];

// The entry, loaded when needed; null for an index past the named entries.
GfxGenEntry* GfxGenLoadGraphic(int index);
// Strips 0 to 2: black up to the colour, then the colour down to 0x3A3F2F.
void GfxGen_MakeStrip(int n, uint8_t red, uint8_t green, uint8_t blue);
// Colours packed with the components in bytes 0, 1 and 2.
void GfxGen_DrawGradient(uint8_t* buffer, int first, int last, uint32_t startColour, uint32_t endColour);
