// Honours of each country, one row per season (row 0 the current one), the
// season awards, the initial statistics of a player entering the game and
// the per-club and per-player season statistics resets.
#pragma once
#include <cstdint>

#include "core/records/records.h"

constexpr int kHonoursRows = 50;
constexpr int kHonourClubWords = 27;

// 81 signed 16-bit words: 0..26 the clubs of the honour codes (-1 none),
// then per award and division 0..5 the winner's club, player and (award
// 26) goals; see the award column table in honours.cpp.
struct HonoursRow {
    int16_t words[81];
};
static_assert(sizeof(HonoursRow) == 162);

extern HonoursRow HonoursTable[9][kHonoursRows];

// The award numbers.
enum SeasonAward : int16_t {
    kAwardManager = 24,
    kAwardPlayer = 25,
    kAwardTopScorer = 26,
    kAwardYoungPlayer = 27,
};

// Word of row 0 that an award's winner, his club and (top scorer) goals
// fill for a division.
int HonoursAwardPlayerWord(int16_t award, int16_t division);
int HonoursAwardClubWord(int16_t award, int16_t division);
int HonoursAwardGoalsWord(int16_t division);

// One slot of the user's squad list: u16 player, twenty u16 counters and
// one u8 counter.
struct PlayerSeasonStats {
    uint8_t bytes[43];
};
static_assert(sizeof(PlayerSeasonStats) == 43);
constexpr int kPlayerSeasonStatSlots = 32;
extern PlayerSeasonStats PlayerSeasonStatSlots[kPlayerSeasonStatSlots];

// Club season blocks inside the club record.
constexpr int kClubSeasonEntriesOffset = 2099;
constexpr int kClubSeasonEntries = 127;
constexpr int kClubSeasonEntrySize = 16;
constexpr int kClubSeasonPairsOffset = 4131;
constexpr int kClubSeasonPairs = 200;
constexpr int kClubSeasonCountersOffset = 4531;
constexpr int kClubSeasonCounters = 20;  // two blocks of ten

void ShiftHonoursTables();
void RecordPlayerAward(uint16_t player, int16_t award, int16_t division);
// Honour codes 1..31; the table in honours.cpp gives each its word, bonus
// and rewards.
void AwardCupWinner(int16_t club, int16_t code);
void AwardManagerOfSeason(int16_t division, int16_t country);
void AwardPlayerOfSeason(int16_t division, int16_t country);
void AwardYoungPlayerOfSeason(int16_t division, int16_t country);
void AwardTopScorer(int16_t division, int16_t country);
// The manager of the month: the season code runs it on a month's last day
// while the league runs; a message and a club history entry, no honour.
void AwardManagerOfWeek(int16_t division, int16_t country);

void InitPlayerValueFields(uint16_t player);
void ResetPlayerSeasonStats(int16_t slot, uint16_t player);
void ResetClubSeasonCounters(int16_t club);
void ResetClubSeasonEntries(int16_t club);
void ResetClubsForNewSeason();
void RecordClubSeasonEnd(int16_t country);

// The new-game steps of the honours: the resets, the shipped row of last
// season (one row per country, or null for none), kept as row 1 of every
// country in play, every other row empty.
void InitHonoursForNewGame(const HonoursRow* shipped);
