// League layout of each country.
#pragma once
#include <cstdint>

#include "season/calendar.h"

constexpr int kDivisionCount = 6;

// Per country and division: the number of clubs (0 = no such division),
// extra meetings 0..2 and a third word.
struct DivisionLayoutEntry {
    uint16_t clubs;
    uint16_t extraMeetings;
    uint16_t third;
};
extern DivisionLayoutEntry DivisionLayout[kCountryCount][kDivisionCount];
// The shipped layout that DivisionLayout starts from: clubs / extra
// meetings / reserve league.
constexpr DivisionLayoutEntry kShippedDivisionLayout[kCountryCount][kDivisionCount] = {
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

constexpr int kLeagueRows = 7;
constexpr int kLeagueRowClubs = 24;
constexpr uint16_t kNoLeagueClub = 65535;

// Per country 7 rows of 24 club numbers in table order, place 0 first,
// 65535 empty; rows 0..5 are the divisions.
extern int16_t LeagueTable[kCountryCount][kLeagueRows][kLeagueRowClubs];
// A second table of the same shape: the league positions kept beside it.
extern int16_t LeaguePositionTable[kCountryCount][kLeagueRows][kLeagueRowClubs];
// Per country 24 words of the league code.
extern int16_t LeagueCountryWords[kCountryCount][kLeagueRowClubs];
// Per country, the clubs of each division at season start (65535 empty).
extern uint16_t DivisionClubLists[kCountryCount][kDivisionCount][kLeagueRowClubs];
// Six per-country words of the league and transfer code.
extern int16_t LeagueTransferWords[6][kCountryCount];
// One further per-country word of the league code.
extern int16_t LeagueSeasonWords[kCountryCount];

// Orders every division of every country in play by the league records
// (points, then goal difference, then goals scored; level clubs keep their
// order) and stores each club's place in its record.
void SortLeagueTables();

// Per country and division the style of the end-of-season play-off
// semi-finals: 2 single matches, 0 two legs.  The first word of a country
// decides how its code-1 fixtures are played.
extern const int16_t PlayOffStyle[kCountryCount][kDivisionCount];
