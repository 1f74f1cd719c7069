// The flags the panels can show: file name (under the simple textures'
// "flags" folder, ".gfx") and proportion, from the table in data/.
#pragma once
#include <cstdint>

struct FlagSize {
    const char* name;
    uint32_t width;
    uint32_t height;
};

inline constexpr FlagSize kFlagSizes[] = {
#define FLAG(name, width, height, drawing) {name, width, height},
#include "data/flags.inc"
#undef FLAG
};
inline constexpr int kFlagCount = int(sizeof kFlagSizes / sizeof kFlagSizes[0]);
static_assert(kFlagCount == 205);
