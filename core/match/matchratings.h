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
