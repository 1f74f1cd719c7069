// Player value: the market value and asking price of a footballer, and the
// integer ratings of his present and future ability in a position.  All of
// them are pure functions of the records: they change nothing and draw no
// random number.
#pragma once
#include <cstdint>

#include "core/records/playerstats.h"

constexpr int kValuePositions = 13;  // playing positions 0..12
constexpr int kValueColumns = 14;
constexpr int kAgeCurveEntries = 24;  // age index 0..23 (16 to 39 years)
constexpr int kValueDivisions = 6;

// The read-only tables of the valuation, shared with squad selection.
struct PlayerValueTableSet {
    // Per position 14 signed weights; column c weighs attribute
    // kValueColumnStat[c].
    int8_t weights[kValuePositions][kValueColumns];
    // Per position the percentage kept at age index 0..23.
    uint16_t ageCurve[kValuePositions][kAgeCurveEntries];
    // Per position 0..13 (13: a manager who does not play, worth nothing).
    uint16_t positionFactor[kValuePositions + 1];
    // By the club's division 0..5.
    uint16_t divisionPercent[kValueDivisions];
    int32_t divisionMinimum[kValueDivisions];
};
extern const PlayerValueTableSet PlayerValueTables;

// The attribute each weight column stands for.
constexpr int16_t kValueColumnStat[kValueColumns] = {
    kKeepingStat, kTacklingStat, kPassingStat, kShootingStat,     kHeadingStat, kDribbleStat,   kAgilityStat,
    kVisionStat,  kPaceStat,     kPowerStat,   kIntelligenceStat, kControlStat, kComposureStat, kSpiritStat};

// Market value in whole money, rounded by RoundMoneyValue; 0 without a
// club or a contract.
int32_t ValuePlayer(uint16_t player);
// The price the selling club asks: the value with the scoring record,
// youth potential, contract length, list status and a human manager's
// fixed price.
int32_t ValuePlayerFull(uint16_t player);
// Ratings of the player's future and present ability in a position 0..12;
// never below 1.
int16_t RatePlayerPotential(uint16_t player, int16_t position);
int16_t RatePlayerAbility(uint16_t player, int16_t position);
// Asks for the memory of the player's kept ratings ahead of a
// RatePlayerAbility or RatePlayerPotential: a walk over a roster rates
// players scattered over the table.
void PrefetchPlayerRatings(uint16_t player);

// Two significant figures, rounded down: below 1000 gives 0, then steps of
// 100, 1000, 10,000, 100,000 and 1,000,000.
int32_t RoundMoneyValue(int32_t value);

// One attribute (stat 21) divided by 10: the variant of a manager's tactic.
int16_t GetPlayerStat21Div10(uint16_t player);

// True for a league nation 0..8 whose leagues are played in this game (the
// played-countries choice, kept with the game).
bool IsPlayedLeagueNation(uint16_t nation);
