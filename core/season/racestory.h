// What is at stake in a division race before a league fixture: the table
// places by zone (title, promotion, Europe, play-offs, relegation), the
// table projected over every combination of the other relevant results,
// and the story code the match-day report turns into a sentence.
#pragma once
#include <cstdint>

#include "core/season/calendar.h"
#include "core/season/leagues.h"

constexpr int kRacePlaces = 24;
constexpr int kRaceZoneCount = 7;
constexpr int kMostRaceScenarios = 12;

// Zones of a table place.
enum RaceZone : int16_t {
    kZoneChampion = 0,
    kZonePromotion = 1,
    kZoneEuropeA = 2,
    kZoneEuropeC = 3,
    kZonePlayOff = 4,
    kZoneNothing = 5,
    kZoneRelegation = 6,
};

// Scratch state of the report, shared with the European group analysis:
// the zone of each table place (-1 beyond the division), how many places
// the club could take per zone (32-bit: 3^11 combinations of up to 24 places
// each pass the 16 bits), and the two flag words.  Zones 0-3 own
// bytes 0-3 of word A, zone 4 byte 0 and zone 6 byte 1 of word B; bit 0 of
// byte 2 of B is the too-many flag.
extern int16_t RaceZones[kRacePlaces];
extern int32_t ZoneCounters[kRaceZoneCount];
extern uint32_t RaceFlags[2];
constexpr uint32_t kRaceTooManyFlag = 1u << 16;

// Per nation and division row: tie-break rule, points for a win and a third
// value the analysis does not read.
enum RaceRuleByte : int { kRaceRuleTieBreak = 0, kRaceRuleWinPoints = 1 };
extern const int8_t DivisionRaceRules[kCountryCount][kDivisionCount][3];

// One row of a division: the club, its games played, goals scored, points
// and goal difference.
struct RaceRow {
    int16_t club;
    int16_t played;
    int16_t goals;
    int16_t points;
    int16_t goalDifference;
};
static_assert(sizeof(RaceRow) == 10);

// Another remaining fixture between clubs at the two places: result 0 home
// win, 1 away win, 2 draw.
struct RaceScenario {
    int16_t slot;
    int16_t homePlace;
    int16_t awayPlace;
    int16_t result;
};

// Story code 0-37 of the fixture for the club (7 nothing to say), or -1:
// a bad slot, a club outside the league nations or not in the fixture, or
// a fixture that is not a league match (the flags stay as they were then).
int8_t GetDivisionRaceStoryCode(int16_t club, int16_t slot);

// Zones of the division's places; all -1 for a nation or row that does not
// exist.
void SetDivisionZones(int16_t nation, int16_t row);

// Orders the rows: points, then the rule (0 and 3 goal difference then
// goals, 1 goals then goal difference, 2 nothing), then for rule 2, and
// for rule 3 once every club has played all its games, the clubs level on
// points by their meetings before the day.
void SortRaceTable(RaceRow* table, int16_t nation, int16_t row, int16_t clubCount, int16_t rule, int16_t day);
// Orders the tied rows by their league meetings before the day (points,
// goal difference, goals).
void BuildHeadToHeadTable(RaceRow* tied, int16_t nation, int16_t row, int16_t count, int16_t day);

// The projected table of one combination: the club's and the opponent's
// points for the match, the scenario results for the others, every club
// below the club winning all its other games; then sorted again.
void ApplyRaceScenario(RaceRow* table, int16_t clubPlace, int16_t clubPoints, int16_t opponent,
                       int16_t opponentPoints, const RaceScenario* scenarios, int16_t count, int16_t nation,
                       int16_t row, int16_t clubCount, int16_t rule, int16_t day, int16_t gamesPerClub,
                       int16_t winPoints);
// Counts by zone every place the club could take in the projected table
// (its own and those level with it).
void CountRaceZones(int16_t club, const RaceRow* table, int16_t nation, int16_t row, int16_t clubCount,
                    int16_t rule);

// Markers of one result (told by its points: 0 defeat, 1 draw, any other
// a win) on the counters summed over all combinations.
int16_t MarkZonesSure(int32_t counterSum, int16_t resultPoints);
int16_t MarkZonesReachable(int32_t counterSum, int16_t resultPoints);
int8_t GetRaceStoryCode();
