// The kits clubs wear.  Every kit colour number (in the kit rows, on the
// match kits and in the club lists) names an entry of the one kit palette.
#pragma once
#include <cstdint>

struct KitColour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};
static_assert(sizeof(KitColour) == 3);

constexpr int kKitPaletteSize = 103;
// The colour a number outside the palette is drawn in.
constexpr int kKitFallbackColour = 5;

extern const KitColour KitPalette[kKitPaletteSize];

// The palette entry of a colour number; numbers outside 0..102 give the
// fallback colour, so a damaged kit word never reads past the table.
const KitColour& GetKitColour(int colour);
