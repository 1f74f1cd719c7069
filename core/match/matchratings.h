// The match marks of recent fixtures, kept by the match code for the
// match reports: one row of records per place of a division's table.
#pragma once
#include <cstdint>

constexpr int kMatchRatingRows = 24;
constexpr int kMatchRatingRecords = 100;
constexpr int kMatchRatingEntries = 16;
constexpr int kMatchRatingEntrySize = 6;
constexpr int kMatchRatingRecordSize = 2 + kMatchRatingEntries * kMatchRatingEntrySize;

// i16 fixture slot at 0 (-1 = record not in use), then 16 entries of six
// bytes: u16 player number, u8 match mark and three further bytes.
struct MatchRatingRecord {
    uint8_t bytes[kMatchRatingRecordSize];
};
static_assert(sizeof(MatchRatingRecord) == 98);

extern MatchRatingRecord MatchRatingTable[kMatchRatingRows][kMatchRatingRecords];

// Every record out of use: a new game, and a load before the recent
// records are made again.
void MatchRatings_Clear();
// After a fixture's line-ups are written: each of its clubs that has a row
// (HVW_GetMatchRatingRow) gets a record of the fixture with the marks of
// the players of its side who played.  The record naming the fixture is
// used again, else a free one, else the one of the earliest fixture.
// Friendlies, national-team days and reserve fixtures keep no line-ups
// and get no record.
void MatchRatings_StoreFixture(int16_t slot);
// The records of the played fixtures of the last seven days, from their
// line-ups: the table is not saved, and a loaded game needs them.
void MatchRatings_RebuildRecent();
