// Nation data kept by the club-management code.
#pragma once
#include <cstdint>

constexpr int kNationCount = 117;

// The league nation 0..8 each nationality code 0..115 belongs to, or the
// code itself for a nationality of no league nation (authored in data/).
constexpr int kNationalityCodes = 116;
extern const uint16_t NationalityNation[kNationalityCodes];
// Group number of a nation or nationality (NationalityNation; a code
// beyond the table is its own group): players whose nationality's group
// differs from their club nation's group take morale losses harder.
uint16_t NationGroup(int16_t nation);

// World region of a nation 0-115: 1 Europe, 2 North and Central America,
// 3 South America, 4 Africa, 5 Asia, 6 Oceania; 0 for any other number.
int16_t NationRegion(int16_t nation);
