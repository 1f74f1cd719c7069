// Contract terms: wage limits, wage budgets and wage talks.
#pragma once
#include <cstdint>

// The most the club pays one player a week; the club's squad list is built.
int32_t GetClubWageLimit(int16_t club);
// The money the club can put into new players.
int32_t GetClubWageBudget(int16_t club);
// The wage figure of the player at the club.
int32_t GetClubWageFigure(int16_t club, uint16_t player);
// The fee that the bidding club offers for the amount asked.
int32_t GetFeeCounterOffer(uint16_t player, int32_t amount, int16_t round1, int16_t club, int16_t unused1,
                           int16_t unused2, int16_t round2);
// The player's 0-based rank in the club's squad by his ability at his own
// position, he himself counted after the club's players of equal rating;
// -1 when he is not ranked.
int16_t GetPlayerSquadRank(uint16_t player, int16_t club);
