#include "core/season/matchevents.h"

#include <algorithm>

#include "core/records/ranges.h"
#include "core/season/fixtures.h"

namespace {

bool IsLiveKind(int kind) { return kind >= kKindGoal && kind <= kKindBooking; }

// Two records' kinds count as the same line when both are goals or both
// are the same other kind.
bool SameLineKind(int a, int b) { return (MatchEvents_IsGoalKind(a) && MatchEvents_IsGoalKind(b)) || a == b; }

bool KindMatches(int kind, int wanted) {
    return wanted == kKindGoal ? MatchEvents_IsGoalKind(kind) : kind == wanted;
}

}  // namespace

bool MatchEvents_IsSound(int record) {
    if (record < 0 || record >= kMatchEventRecords) return false;
    const uint16_t player = MatchEventPlayer(record);
    return IsLiveKind(MatchEventKind(record)) && MatchEventFixture(record) < kFixtureSlots &&
           (player == 0 || IsPlayerNumber(player));
}

int32_t MatchEvents_FindFirst(int16_t fixture) {
    if (fixture < 0 || fixture >= kFixtureSlots) return -1;
    for (int32_t r = 0; r < kMatchEventRecords; ++r) {
        if (MatchEventFixture(r) == uint16_t(fixture) && MatchEvents_IsSound(r)) return r;
    }
    return -1;
}

int32_t MatchEvents_FindNext(int16_t fixture, int16_t side, int16_t kind, int32_t start) {
    if (start < 0) return -1;
    for (int32_t r = start; r < kMatchEventRecords; ++r) {
        if (MatchEventFixture(r) != uint16_t(fixture) || MatchEventKind(r) == kKindFree) return -1;
        if (!MatchEvents_IsSound(r) || MatchEventSide(r) != (side & 1)) continue;
        if (KindMatches(MatchEventKind(r), kind)) return r;
    }
    return -1;
}

int16_t MatchEvents_CountScorerLines(int16_t fixture, int16_t side) {
    struct Entry {
        uint16_t player;
        int8_t kind;
        int16_t count;
    };
    Entry entries[kScorerTableEntries];
    int used = 0, extra = 0;
    MatchEvents_ForEachOfFixture(fixture, [&](int32_t r) {
        const uint16_t player = MatchEventPlayer(r);
        if (MatchEventSide(r) != (side & 1) || player == 0) return;
        const int8_t kind = MatchEventKind(r);
        Entry* found = std::find_if(entries, entries + used, [&](const Entry& e) {
            return e.player == player && SameLineKind(e.kind, kind);
        });
        if (found == entries + used) {
            if (used < kScorerTableEntries) entries[used++] = {player, kind, 1};
            return;
        }
        const int count = found->count;
        if (count == kScorerFirstLineEntries ||
            (count > kScorerFirstLineEntries &&
             (count - kScorerFirstLineEntries) % kScorerMoreLineEntries == 0))
            ++extra;
        ++found->count;
    });
    return int16_t(used + extra);
}

int16_t MatchEvents_LinesForFixture(int16_t fixture, int16_t open) {
    const int16_t a = MatchEvents_CountScorerLines(fixture, 0);
    const int16_t b = MatchEvents_CountScorerLines(fixture, 1);
    if (a != b) return std::max(a, b);
    return open != 0 ? int16_t(a + 1) : a;
}
