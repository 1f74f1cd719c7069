// The ball against the goal frames, nets, lines, corner flags and walls,
// and the hand-over to the match phases when it goes out or in.
#pragma once
#include <cstdint>

// 0 while the ball is live; 2 once it is out of play or in the goal.
extern uint8_t PlayStopped;
// Where the ball went out for a throw-in, corner or goal kick, and the last
// player to touch it then.
extern int16_t ThrowInX, ThrowInY, CornerX, CornerY, GoalKickX, GoalKickY;
extern int16_t ThrowInToucher, CornerToucher, GoalKickToucher;
// The shooter whose shot is on its way (-1 none), measured as a near miss
// when it ends in a goal kick.
extern int8_t ShooterFigure;
// The shoot-out's scorer and its two decision countdowns (100 at a goal).
extern int16_t ShootOutScorer;
extern int16_t ShootOutDecision[2];
// Set by the goalkeeper when he touches a shoot-out kick.
extern uint8_t KeeperTouchedBall;

void Ball_GoalScored();
void Ball_AwardCorner();
void Ball_AwardGoalKick();
void Ball_HitBackNet();
void Ball_CornerFlags();
void Ball_StandWalls();
// The goalkeeper has taken the ball: the goal-kick point is where he holds
// it, and the keeper-holds phase begins.
void Ball_SetPhase12();

// The post and crossbar responses, by where the probe meets the frame.
void Ball_PostEdgeHigh();
void Ball_PostOuterHigh();
void Ball_PostInnerHigh();
void Ball_PostCentre();
void Ball_PostInnerLow();
void Ball_PostOuterLow();
void Ball_PostEdgeLow();
void Ball_BarTopFlick();
void Ball_BarUpperHalf();
void Ball_BarCentre();
void Ball_BarLowerHalf();
void Ball_BarUnderFlick();
