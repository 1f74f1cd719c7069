// European competitions: entrant lists, draw tables and the Champions
// League groups.  Saved with the game.
#pragma once
#include <cstdint>

// Club numbers, -1 empty, filled at season start.
extern int16_t EuropeanEntrantList64[64];
extern int16_t EuropeanEntrantListA[32];
extern int16_t EuropeanEntrantListB[32];
extern int16_t EuropeanSetUpWordA;
extern int16_t EuropeanSetUpWordB;

// Two sets of draw tables, each of three parts.
struct EuropeanDrawSet {
    uint8_t first[5568];
    uint8_t second[3712];
    uint8_t third[232];
};
extern EuropeanDrawSet EuropeanDrawTables[2];

// 2 stages x 8 groups x 4 club numbers.
extern int16_t ChampionsLeagueGroups[2][8][4];
extern uint8_t EuropeanTable[216];
