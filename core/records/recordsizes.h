// The sizes of the game's records and tables, and the fixed figures the
// records' readers share.
#pragma once
#include <cstdint>

// ---------------------------------------------------------------------------
// Sizes

constexpr int kMaxPlayers = 46000;
constexpr int kPlayerRecordSize = 262;
constexpr int kClubCount = 1200;
constexpr int kClubRecordSize = 4571;
constexpr int kClubNameRecordSize = 60;
constexpr int kClubNameLength = 20;
constexpr int kClubBidsSize = 32;
constexpr int kAgentCount = 500;
constexpr int kClubFinanceRecordSize = 2964;
constexpr int kFinanceWeeks = 52;
constexpr int kFinanceWeekEntrySize = 52;
constexpr int kPlayerPositionCount = 13;

// Per stored position, the weekly growth chance (percent) of stats 0..7;
// the same figures weight the position bonus of GetPlayerStat.
inline constexpr int16_t kPositionGrowthChance[kPlayerPositionCount][8] = {
    {10, 10, 5, 5, 5, 1, 1, 2},  {1, 3, 10, 6, 5, 4, 10, 5},  {1, 10, 10, 5, 2, 1, 5, 2},
    {1, 2, 7, 6, 5, 6, 10, 5},   {1, 8, 9, 7, 3, 2, 7, 4},    {1, 6, 7, 10, 5, 4, 9, 6},
    {1, 7, 9, 8, 4, 2, 6, 5},    {1, 3, 6, 10, 6, 2, 10, 10}, {1, 3, 4, 9, 8, 8, 10, 5},
    {1, 2, 4, 10, 7, 10, 10, 8}, {2, 10, 2, 8, 8, 2, 8, 2},   {1, 9, 2, 4, 10, 5, 5, 2},
    {1, 7, 1, 2, 10, 7, 7, 2},
};

// Value of a u16 club field that names no club.
constexpr uint16_t kNoClub = 0xFFFF;
