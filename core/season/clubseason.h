// Per-club season counts of the league and of the reserve league, recounted
// from the fixtures.
#pragma once
#include <cstdint>

#include "core/records/records.h"

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

// Rebuilds both record sets from the played fixtures up to the day (league
// and reserve-league fixtures; unplayed ones count nothing).
void RecountClubSeasonRecords(int16_t lastDay);

// One mark per club beside a table: 0 unchanged, 1 up, 2 down, -1 not
// computed.
extern int16_t TableMovement[kClubCount];
// Marks how each club of the division number moved over its last league day.
void ComputeTableMovement(int16_t division);

// Country 1's top six and bottom six each play a round robin of five
// rounds, a week apart, ending on its league end day.
void SplitLeague(int16_t nation);
void AddSplitFixtures(int16_t day, int16_t a, int16_t b, int16_t c, int16_t d, int16_t e, int16_t f,
                      int16_t nation);
void AddSplitFixture(int16_t day, int16_t home, int16_t away);

// Prize money by final place: factor(place) x base(nation, division) x 83 /
// 100, with a message to each club paid.
extern const uint16_t LeaguePrizeFactor[24];
int32_t LeaguePrizeBase(int16_t nation, int16_t division);
int64_t LeaguePrizeAmount(int16_t nation, int16_t division, int16_t place);
void PayLeaguePrizeMoney(int16_t nation);

// Progress of long work for the front end: steps and current step; 65535
// in both when no progress is shown.
extern uint16_t ProgressSteps;
extern uint16_t ProgressStep;
void ResetProgress();
// Sets the step (and, when steps is not 0, the count) and lets the front end
// breathe.
void SetProgress(uint16_t steps, uint16_t step);
