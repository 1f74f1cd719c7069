#include "season/leagues.h"

DivisionLayoutEntry DivisionLayout[kCountryCount][kDivisionCount];
int16_t LeagueTable[kCountryCount][kLeagueRows][kLeagueRowClubs];
int16_t LeaguePositionTable[kCountryCount][kLeagueRows][kLeagueRowClubs];
int16_t LeagueCountryWords[kCountryCount][kLeagueRowClubs];
uint16_t DivisionClubLists[kCountryCount][kDivisionCount][kLeagueRowClubs];
int16_t LeagueTransferWords[6][kCountryCount];
int16_t LeagueSeasonWords[kCountryCount];
