#include "season/european.h"

int16_t EuropeanEntrantList64[64];
int16_t EuropeanEntrantListA[32];
int16_t EuropeanEntrantListB[32];
int16_t EuropeanSetUpWordA;
int16_t EuropeanSetUpWordB;
EuropeanDrawSet EuropeanDrawTables[2];
int16_t ChampionsLeagueGroups[2][8][4];
uint8_t EuropeanTable[216];
