// The club's match logs kept by the post-match work, and the line-ups
// written into a played fixture.
#pragma once
#include <cstdint>

#include "core/records/records.h"

// Club record areas: 127 goal-log entries of 16 bytes (goals scored in
// bytes 0-7, goals conceded in bytes 8-15, an entry whose first word is -1
// is free), 200 two-byte match entries (first byte 255 free), and ten
// 16-bit season totals for home and for away matches.
constexpr int kClubGoalLog = 2099;
constexpr int kClubGoalLogEntries = 127;
constexpr int kClubGoalLogEntrySize = 16;
constexpr int kClubMatchEntries = kClubGoalLog + kClubGoalLogEntries * kClubGoalLogEntrySize;
constexpr int kClubMatchEntryCount = 200;
constexpr int kClubHomeTotals = kClubMatchEntries + 2 * kClubMatchEntryCount;
constexpr int kClubAwayTotals = kClubHomeTotals + 20;
static_assert(kClubMatchEntries == 4131 && kClubHomeTotals == 4531 && kClubAwayTotals == 4551);
static_assert(kClubAwayTotals + 20 == kClubRecordSize);

struct MatchResultBlock;

// Every goal-log and match entry free, both totals 0 (a new season).
void ClearClubLogs(ClubRecord* club);
// The goals the side scored and conceded in the match into the goal log;
// stops when the log is full.
void AddClubGoalLog(ClubRecord* club, const uint8_t* teamPart, int16_t side, const MatchResultBlock& result);
// The side's (squad entry, score) pairs into the match entries; stops at
// 200.
void AddClubMatchEntries(ClubRecord* club, const uint8_t* teamPart);
// The side's ten match counters onto the home (side 0) or away totals.
void AddClubMatchStatTotals(ClubRecord* club, const uint8_t* teamPart, int16_t side);

// The 16 six-byte line-up entries of a side of a fixture: u16 player
// (65535 none), the match mark, and a byte with the goals (bits 0-4), a
// booking (bit 5), a sending off (bit 6) and man of the match (bit 7).
void ClearFixtureLineUp(uint8_t* fixture, int16_t side);
void SetFixtureLineUpEntry(uint8_t* fixture, int16_t side, int16_t entry, const uint8_t* teamPart);
