// The player on the ball near goal: where a shot aims, whether to shoot,
// the choice among pass, curl, knock past and the shot actions, and a long
// kick or clearance that never goes toward the own goal.  The aim point is
// the match's one aim point (FreeKickAimX, FreeKickAimY).
#pragma once
#include <cstdint>

// The pass point and receiver (-1 none, -2 a pass into space) that the
// strikes and pass starters hand to the pass actions.
extern int16_t MatchPassTargetX, MatchPassTargetY;
extern int16_t MatchPassReceiver;

// Sets the aim point of a shot (mode 2 a placed kick) and returns the
// distance from the current position to the opposing goalkeeper.
int16_t MatchChooseShotAim(int16_t figure, int16_t mode);
// Mode 0: the carrier's choice of pass, curl, knock past or shot; modes 1..3
// only set the aim point.
void Match_DecideWithBall(int16_t figure, int16_t mode);
// 1 when the player on the ball should shoot now.
int16_t MatchShootDecision(int16_t figure, int16_t flag);
// A long kick or clearance in the direction (0..255): sets the aim point
// and starts the striking action.
void MatchClearBall(int16_t figure, uint16_t direction);
// The aim point of a kick from the current position along the direction.
void MatchAimAlong(uint16_t direction);

// Whether the direction (0..255) runs into the goal mouth between the posts
// at (730, goalLine) and (862, goalLine) as seen from (x, y), posts included.
bool MatchDirectionIntoGoal(int x, int y, int goalLine, uint16_t direction);
