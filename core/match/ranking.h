// Each team's players in order of who is best placed to go for the ball,
// the challenger sent to win it, and the small geometric and ball routines
// the thinking and dribbling players share: the best free direction for a
// dribble, the no-opponent-near test, the distance and aim direction to the
// goal attacked, the one-unit step toward a point, the ball kick and the
// defending player's run at the opposing carrier.
#pragma once
#include <cstdint>

#include "core/match/matchrules.h"

// RankDistance of a player off the pitch, and the cap of every other one.
constexpr int16_t kRankOffPitch = 30000;
constexpr int16_t kRankDistanceCap = 29999;
// Added to the rank of a player who is busy in his action.
constexpr int kRankBusyPenalty = 1000;

// Ranks RankingTeam: refresh, one bubble pass, the challenger and perhaps
// a second man.
void Match_RankPlayersByBall();
// Hands the team's challenge to the figure; players left behind go back
// to their places.
void Match_PassThinkRole(int16_t team, int16_t figure);
// The best free direction to run with the ball (0..255), or -1 when none
// scores above 0; the best score is written to score.
int16_t Match_FindFreeDirection(int16_t figure, int16_t base, int16_t& score);
// 1 when no opponent is close to the ball, else 0.
int16_t Match_NoOpponentNear(int16_t figure);
// Sets GoalDistanceScratch: from the figure to the centre of the goal the team
// attacks.
void Match_GoalDistance(int16_t figure, int16_t team);
// The direction the figure should carry the ball in to attack the team's
// goal; sets GoalDistanceScratch unless mode is 2.
uint16_t Match_GoalDirection(int16_t figure, int16_t mode, int16_t team);
// Moves the figure one whole unit toward (x, y) on each axis.
void Match_StepTowardX(int16_t figure, int16_t x, int16_t y);
// Knocks the ball along direction with power x 15 sixteenths a tick.
void Ball_Kick(int16_t direction, int16_t kicker, int16_t power);
// A thinking player of the team out of possession goes at the carrier.
void Match_InterceptCarrier(int16_t figure);

// The difference of two directions folded into 0..128.
int Match_FoldedDifference(int a, int b);
// Whether the figure is a player (0..31).
inline bool Match_IsPlayerFigure(int figure) { return figure >= 0 && figure < 32; }
// The goal line (y) the team attacks.
int16_t Match_AttackedGoalLine(int team);
