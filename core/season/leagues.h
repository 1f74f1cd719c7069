// League layout of each country.
#pragma once
#include <cstdint>

#include "core/season/calendar.h"

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

// The countries that open their season with last season's champion
// against its cup winner (competition type 4).
constexpr int kSeasonOpenerCountries[] = {0, 2};

constexpr int kLeagueRows = 7;
constexpr int kLeagueRowClubs = 24;
constexpr uint16_t kNoLeagueClub = 65535;

// Per country 7 rows of 24 club numbers in table order, place 0 first,
// 65535 empty; rows 0..5 are the divisions.
extern int16_t LeagueTable[kCountryCount][kLeagueRows][kLeagueRowClubs];
// The same clubs in reserve-league order (the reserve-league records).
extern int16_t ReserveLeagueTable[kCountryCount][kLeagueRows][kLeagueRowClubs];
// Per country and division the clubs still in the division's play-offs
// (65535 empty, -1 knocked out); their copy as drawn up goes to the
// country's European places record for the screens.
constexpr int kPlayOffEntries = 4;
extern int16_t PlayOffEntrants[kCountryCount][kDivisionCount][kPlayOffEntries];
// Per country, the clubs of each division at season start (65535 empty).
extern uint16_t DivisionClubLists[kCountryCount][kDivisionCount][kLeagueRowClubs];
// The three transfer-closed periods of each country: row 2p the first day
// (the transfer deadline) and row 2p + 1 the last day (the window opens
// again) of period p.
extern int16_t LeagueTransferWords[6][kCountryCount];
constexpr int kTransferClosedPeriods = 3;

// Per country and division how clubs level on points are told apart:
// 0 goal difference, then goals; 1 goals, then goal difference; any other
// value leaves them in their order.
extern const uint8_t LeagueTieBreak[kCountryCount][kDivisionCount];

// Builds a random round-robin schedule for a division of clubCount clubs
// (2..24): each pair of club indices meets once in clubCount - 1 rounds
// (clubCount when odd).  A schedule that cannot be completed ends the
// program with a message naming the division being laid out.
void GenerateLeagueSchedule(int16_t clubCount);
// The last schedule: its rounds, and the club indices of pairing k of a
// round (the first at home in the first half); false for an open pairing.
int LeagueScheduleRoundCount();
bool LeagueSchedulePairing(int round, int pairing, int16_t* home, int16_t* away);

// Lays out every country's league and reserve-league season on the
// calendar's match days, records league start, end and split days and the
// transfer-closed periods; the date words and the day come back as they
// were, the day at 0.  No fixture is laid before the first playable day (a
// new game starts after its pre-season).
void SetUpSeasonFixtures(int16_t firstPlayableDay = 0);

// Orders the reserve-league table (until a country's league end day) and
// every division of every country in play by the season records (points,
// then the tie-break rule) and stores each club's place in its record and
// the places in the previous day's league fixtures.
void SortLeagueTables();

// Per country and division the style of the end-of-season play-off
// semi-finals: 2 single matches, 0 two legs.  The first word of a country
// decides how its code-1 fixtures are played.
extern const int16_t PlayOffStyle[kCountryCount][kDivisionCount];
