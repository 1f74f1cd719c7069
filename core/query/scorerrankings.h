// Query layer: where a player's tally stands in his division, and the goals
// a division's clubs score on average.
#pragma once
#include <cstdint>

// Players of the division ahead of the player's tally plus half of those
// level with him; 500 when the ranking does not apply.
int16_t HVW_RankKeeperByGoals(uint16_t player, int16_t country, int16_t division);
int16_t HVW_RankPlayerByAssists(uint16_t player, int16_t country, int16_t division);

// Goals per club of the division's played fixtures up to today, rounded;
// competition -1 takes every code.
int16_t HVW_GetDivisionAverageGoals(int16_t country, int16_t division, int16_t competition);
