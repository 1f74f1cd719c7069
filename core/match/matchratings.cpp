#include "core/match/matchratings.h"

#include <cstring>

#include "core/base/bytes.h"
#include "core/query/reportpicks.h"
#include "core/records/ranges.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"

MatchRatingRecord MatchRatingTable[kMatchRatingRows][kMatchRatingRecords];

namespace {

constexpr uint16_t kUnusedRecord = 0xFFFF;
// The days back from today whose marks count as recent.
constexpr int kRecentDays = 7;
// A line-up entry's mark: 0 for a named player who never came on, and
// 255 (the report's -1) for one not in the squad.
constexpr uint8_t kNoMark = 0;
constexpr uint8_t kNotInSquad = 0xFF;

int16_t RecordSlot(const MatchRatingRecord& record) { return int16_t(recbits::LoadU16(record.bytes)); }

bool IsInUse(const MatchRatingRecord& record) {
    const int16_t slot = RecordSlot(record);
    return slot >= 0 && slot < kFixtureSlots && !IsFixtureEmpty(slot);
}

// The record the fixture's marks go to within the row.
MatchRatingRecord& RecordFor(MatchRatingRecord (&row)[kMatchRatingRecords], int16_t slot) {
    for (MatchRatingRecord& record : row) {
        if (RecordSlot(record) == slot) return record;
    }
    for (MatchRatingRecord& record : row) {
        if (!IsInUse(record)) return record;
    }
    MatchRatingRecord* earliest = &row[0];
    for (MatchRatingRecord& record : row) {
        if (FixtureDay(RecordSlot(record)) < FixtureDay(RecordSlot(*earliest))) earliest = &record;
    }
    return *earliest;
}

void StoreSide(int16_t slot, int side, int16_t club) {
    const int16_t row = HVW_GetMatchRatingRow(club);
    if (row < 0) return;
    MatchRatingRecord& record = RecordFor(MatchRatingTable[row], slot);
    std::memset(record.bytes, 0, sizeof record.bytes);
    recbits::StoreU16(record.bytes, uint16_t(slot));
    const uint8_t* lineUp = FixtureTable[slot].bytes + kFixtureLineUps + side * kFixtureLineUpSize;
    for (int k = 0; k < kMatchRatingEntries && k < kFixtureLineUpEntries; ++k) {
        const uint8_t* from = lineUp + k * kFixtureLineUpEntrySize;
        const uint16_t player = recbits::LoadU16(from);
        const uint8_t mark = from[2];
        // Only a player who played has a mark to average.
        if (!IsPlayerNumber(player) || mark == kNoMark || mark == kNotInSquad) continue;
        uint8_t* to = record.bytes + 2 + k * kMatchRatingEntrySize;
        recbits::StoreU16(to, player);
        to[2] = mark;
    }
}

}  // namespace

void MatchRatings_Clear() {
    for (auto& row : MatchRatingTable) {
        for (MatchRatingRecord& record : row) {
            std::memset(record.bytes, 0, sizeof record.bytes);
            recbits::StoreU16(record.bytes, kUnusedRecord);
        }
    }
}

void MatchRatings_StoreFixture(int16_t slot) {
    if (slot < 0 || slot >= kFixtureSlots || IsFixtureEmpty(slot) || !IsFixturePlayed(slot)) return;
    if (FixtureType(slot) >= kCompFriendly) return;
    const int16_t clubs[2] = {FixtureHome(slot), FixtureAway(slot)};
    for (int side = 0; side < 2; ++side) {
        if (IsClubNumber(clubs[side])) StoreSide(slot, side, clubs[side]);
    }
}

void MatchRatings_RebuildRecent() {
    MatchRatings_Clear();
    const int today = SeasonCalendar.currentDay;
    for (int16_t slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int day = FixtureDay(slot);
        if (day > today) break;
        if (day >= today - kRecentDays) MatchRatings_StoreFixture(slot);
    }
}
