// Running with the ball: the thinking player who has the ball at his feet
// (or has just knocked it on) runs with it, and at each touch of the foot
// decides whether to knock it on along a free direction, turn with it,
// take a man on, shoot, pass, cross, clear it, or stop on the ball.
#pragma once
#include <cstdint>

// How far the last decision went (1..35), the ideal score and the goal
// direction it started from; read by the display's debug overlay.
extern uint16_t DribbleStage;
extern uint16_t DribbleIdeal;
extern uint16_t DribbleDirection;
// Per team: the manager wants the ball put out of play (a substitution).
extern uint16_t TeamStoppageRequest[2];

// One tick of running with the ball for a thinking player.
void Match_Dribble(int16_t figure);

// The frames of the running-with-the-ball clip at which a foot meets the
// ball.
constexpr int16_t kDribbleLeftTouchFrame = 11;
constexpr int16_t kDribbleRightTouchFrame = 27;
