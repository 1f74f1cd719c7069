// Nation data kept by the club-management code.
#pragma once
#include <cstdint>

constexpr int kNationCount = 117;

// Group number of a nation: players whose nationality's group differs from
// their club nation's group take morale losses harder.
uint16_t NationGroup(int16_t nation);
