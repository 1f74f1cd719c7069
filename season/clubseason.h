// Per-club season counts of the league and of the reserve league, recounted
// from the fixtures.
#pragma once
#include <cstdint>

#include "database/Access.h"

// played; home won, drawn, lost, for, against; away won, drawn, lost, for,
// against; points; table place (0 = top).
struct ClubSeasonRecord {
    int16_t words[13];
};
static_assert(sizeof(ClubSeasonRecord) == 26);

enum ClubSeasonWord : int {
    kSeasonPlayed = 0,
    kSeasonHomeWon = 1,
    kSeasonHomeDrawn = 2,
    kSeasonHomeLost = 3,
    kSeasonHomeFor = 4,
    kSeasonHomeAgainst = 5,
    kSeasonAwayWon = 6,
    kSeasonAwayDrawn = 7,
    kSeasonAwayLost = 8,
    kSeasonAwayFor = 9,
    kSeasonAwayAgainst = 10,
    kSeasonPoints = 11,
    kSeasonPlace = 12,
};

// Competition type 0 (the league table rows) and type 120.
extern ClubSeasonRecord LeagueSeasonRecords[kClubCount];
extern ClubSeasonRecord ReserveSeasonRecords[kClubCount];

// Clears the counters of both tables; the table places stay.
void ResetClubSeasonRecords();

// Lists each in-play country's clubs with a reputation by division, in
// club-number order, at most 24 a division (a further club is logged and
// left out).
void BuildDivisionClubLists();
