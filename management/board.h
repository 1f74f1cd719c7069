// The board: its scores of a club's manager, the strength ranking of the
// clubs it judges against, and the sacking words the front end reads.
#pragma once
#include <cstdint>

#include "database/Access.h"
#include "season/calendar.h"

struct ClubStrengthEntry {
    uint16_t club;
    uint32_t strength;
};

// Strongest first; equal strengths in club-number order.
extern ClubStrengthEntry ClubStrengthRanking[kClubCount];
// Clubs of each nation in the ranking.
extern uint16_t ClubCountOfNation[kCountryCount];
// Set to 0 at the start of every review run; a sacking at a human-run club
// leaves the club's control value here and the club in SackedClub.
extern uint16_t SackedClubControl;
extern uint16_t SackedClub;

// The club of player 1, the user's manager; -1 when he has none.
int16_t GetUserClub();
// 0..60 from the club's results and goals in the last 31 days.
int16_t BoardFormScore(int16_t club);
// 0..24 from the club's league place against its strength rank.
int16_t BoardScorePerformance(int16_t club);
void RankClubsByStrength();
// 0..16 from the club's money.
int16_t BoardScoreFinance(int16_t club);
// The club's manager leaves it; a human-run club's control value goes to
// SackedClubControl.
void RemoveClubManager(int16_t club);
// 1 when the board of a club in the game is unhappy with its manager.
int16_t IsBoardUnhappy(int16_t club);
// The board's confidence in the club's manager, 0..100: the sum of its
// finance, form and performance scores.
int16_t GetBoardConfidence(int16_t club);
