// The player-statistics routine: each player's statistics record of the
// match report, worked out from the figures' counters.
#pragma once
#include <cstdint>

// Writes the 127-byte statistics record of each of the side's 16 squad
// entries from the match figures: the player's record number, the three
// relative scores, the rating so far, the minutes on and off the pitch, the
// injury, keeper and outfield flags, the card state and the match counts.
constexpr int kStatsRecordBytes = 127;
void MatchComputePlayerRatings(uint8_t (*records)[kStatsRecordBytes], int16_t side);
