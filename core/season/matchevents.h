// Searches over the match event history (the log that every played
// fixture appends its goals, cards and bookings to): a fixture's run of
// records, the records of one side and kind, and how many text lines a
// side's events take in the day's results browser.
//
// Records of a damaged or hand-made saved game (a kind outside -1..4, a
// fixture slot past the fixture table, a player past the player table) are
// passed over by every search and count; a free record (kind -1) ends the
// used part of the table, since records are appended without gaps.
#pragma once
#include <cstdint>

// Event kinds: 0 a goal, 1 a penalty goal, 2 an own goal (0-2 count as
// one group of goals), 3 a sending-off, 4 a booking.
constexpr int8_t kKindGoal = 0;
constexpr int8_t kKindPenaltyGoal = 1;
constexpr int8_t kKindOwnGoal = 2;
constexpr int8_t kKindSendingOff = 3;
constexpr int8_t kKindBooking = 4;
constexpr int8_t kKindFree = -1;
// Not an event: the referee who took the fixture, his number in the player
// field (side 0, minute 0), written ahead of the fixture's events. The
// searches and counts below pass over it as they pass over any kind
// outside 0-4.
constexpr int8_t kKindReferee = 5;

// A scorer line holds his first 5 goals; every further 9 take a new line.
constexpr int kScorerFirstLineEntries = 5;
constexpr int kScorerMoreLineEntries = 9;
// Players kept per side by the line count.
constexpr int kScorerTableEntries = 16;

// True when the record may be read as an event: a kind 0-4, a fixture slot
// of the table and no player or a player of the table.
bool MatchEvents_IsSound(int record);
// True when the kind belongs to the goal group 0-2.
constexpr bool MatchEvents_IsGoalKind(int kind) { return kind >= kKindGoal && kind <= kKindOwnGoal; }

// The first sound record of the fixture, scanning from record 0; -1 when
// none.
int32_t MatchEvents_FindFirst(int16_t fixture);
// From record start, while the records still belong to the fixture: the
// first record of the side (0/1) and kind (kind 0 finds kinds 0-2);
// -1 when the run ends first.
int32_t MatchEvents_FindNext(int16_t fixture, int16_t side, int16_t kind, int32_t start);
// Text lines the fixture's events of one side take (one per player and
// kind group, one more per further 9 events); at most 16 players a side.
int16_t MatchEvents_CountScorerLines(int16_t fixture, int16_t side);
// The larger of the two sides' line counts; where they are equal, one
// more when open (the attendance line needs its own).
int16_t MatchEvents_LinesForFixture(int16_t fixture, int16_t open);

// Calls visit(record) for every sound record of the fixture's run, in
// order; the run ends at another fixture's record, a free record or the
// table's end.
template <typename Visit>
void MatchEvents_ForEachOfFixture(int16_t fixture, Visit visit);

// ---------------------------------------------------------------------------

#include "core/season/fixtureday.h"

template <typename Visit>
void MatchEvents_ForEachOfFixture(int16_t fixture, Visit visit) {
    const int32_t first = MatchEvents_FindFirst(fixture);
    if (first < 0) return;
    for (int32_t r = first; r < kMatchEventRecords; ++r) {
        if (MatchEventFixture(r) != uint16_t(fixture) || MatchEventKind(r) == kKindFree) return;
        if (MatchEvents_IsSound(r)) visit(r);
    }
}
