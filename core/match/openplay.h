// Players without a particular task: standing at the formation target,
// running to it, and thinking (going for the ball, closing down the
// opposing carrier, or running with the ball), and the re-decision between
// an idle action and thinking that these and the ball code share.
#pragma once
#include <cstdint>

// Re-decides a player between the idle action (0 stand, 1 run to his
// target) and thinking (4).  Figures outside 0..31 are ignored.  The
// team's first-ranked player and its challenger always think; the others
// think when the ball is coming their way.  Draws a number only for a new
// action in the kick-off set-up (the walk-on animation).
void Match_Redecide(int16_t figure, uint16_t idleAction);

// Action 0: stand at the target, facing the ball.
void Match_ActStand(int16_t figure);
// Action 1: run to the target.
void Match_ActRunToPosition(int16_t figure);
// Action 4: think.
void Match_ActThink(int16_t figure);
// Action 101: one of the idle animations, then stand.
void Match_ActIdleVariation(int16_t figure);

// Distances of the starting rule of thinking.
constexpr int kThinkMargin = 32;
constexpr int kOwnGoalDanger = 480;
constexpr int kOwnGoalReach = 400;
