// League divisions of the nine countries.
#pragma once
#include <cstdint>

constexpr int LEAGUE_COUNTRY_COUNT = 9;
constexpr int LEAGUE_DIVISION_COUNT = 6;

struct DivisionLayoutEntry {
    uint16_t clubs;           // 0: the country has no such division
    uint16_t extra_rounds;    // 0 home and away, 1 four meetings, 2 three (four in the reserve league)
    uint16_t reserve_league;  // 1: the clubs' reserve teams play a league of their own
};
static_assert(sizeof(DivisionLayoutEntry) == 6);

extern const DivisionLayoutEntry DivisionLayout[LEAGUE_COUNTRY_COUNT][LEAGUE_DIVISION_COUNT];
