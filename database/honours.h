// Honours of each country, one row per season (row 0 the current one).
#pragma once
#include <cstdint>

// 81 signed 16-bit words.
struct HonoursRow {
    int16_t words[81];
};
static_assert(sizeof(HonoursRow) == 162);

extern HonoursRow HonoursTable[9][50];
