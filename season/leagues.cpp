#include "season/leagues.h"

// The shipped layout: clubs / extra meetings / reserve league.
DivisionLayoutEntry DivisionLayout[kCountryCount][kDivisionCount] = {
    {{20, 0, 1}, {24, 0, 1}, {24, 0, 1}, {24, 0, 1}, {22, 0, 0}, {0, 0, 0}},
    {{12, 2, 1}, {10, 1, 1}, {10, 1, 1}, {10, 1, 1}, {0, 0, 0}, {0, 0, 0}},
    {{18, 0, 1}, {20, 0, 1}, {18, 0, 0}, {18, 0, 0}, {0, 0, 0}, {0, 0, 0}},
    {{18, 0, 1}, {18, 0, 1}, {18, 0, 0}, {19, 0, 0}, {0, 0, 0}, {0, 0, 0}},
    {{20, 0, 1}, {22, 0, 1}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
    {{18, 0, 1}, {18, 0, 1}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
    {{20, 0, 1}, {20, 0, 1}, {20, 0, 1}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
    {{18, 0, 1}, {18, 0, 1}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
    {{18, 0, 1}, {18, 0, 1}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
};
int16_t LeagueTable[kCountryCount][kLeagueRows][kLeagueRowClubs];
int16_t LeaguePositionTable[kCountryCount][kLeagueRows][kLeagueRowClubs];
int16_t LeagueCountryWords[kCountryCount][kLeagueRowClubs];
uint16_t DivisionClubLists[kCountryCount][kDivisionCount][kLeagueRowClubs];
int16_t LeagueTransferWords[6][kCountryCount];
int16_t LeagueSeasonWords[kCountryCount];
