// What the deciding player on the ball asks of the carrier's options: a pass
// target, the pass start, a carry toward a point, a team-mate for a lay-off
// and the goalkeeper's rush.
#pragma once
#include <cstdint>

constexpr int16_t kNoPassTarget = -3;

// The receiver of a pass for the player: a team-mate, -2 for a pass into
// space, kNoPassTarget when none.
int16_t Match_FindPassTarget(int16_t figure, int16_t mode);
// Starts the pass to the target last found.
void Match_StartPass(int16_t figure);
// The player carries the ball toward (x, y).
void Match_CarryBall(int16_t figure, int16_t mode, int16_t x, int16_t y);
// A team-mate near the player to lay a ball off to (the quick-pass
// chooser's pick), negative when none.
int16_t Match_FindLayOffMate(int16_t figure);
