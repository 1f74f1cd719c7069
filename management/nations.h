// Nation data kept by the club-management code.
#pragma once
#include <cstdint>

constexpr int kNationCount = 117;

// Group number of a nation: players whose nationality's group differs from
// their club nation's group take morale losses harder.
uint16_t NationGroup(int16_t nation);

// World region of a nation 0-115: 1 Europe, 2 North and Central America,
// 3 South America, 4 Africa, 5 Asia, 6 Oceania; 0 for any other number.
int16_t NationRegion(int16_t nation);
