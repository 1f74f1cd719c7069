// The player on the ball (action 5): holds it in a ball-control pose and
// walks a fixed chain of options each tick: four passes from short to very
// long, running on while a way is free, a clearance deep in his own half,
// and a roll between a run with the ball, a cross and a kick toward goal.
#pragma once
#include <cstdint>

// 1 while the player on the ball has started a run with it.
extern uint16_t CarrierRunMarker;

void Match_ActWithBall(int16_t figure);

// The turns toward goal (actions 6, 112 and 113) are part of the carrier's
// spell on the ball: going into one and coming back to the ball keep his
// ticks on the ball and his run flag, which a new action would clear, so
// that the spell's limits below count across the turns.
void Match_SwitchKeepingSpell(int16_t figure, uint16_t action);

// Ticks on the ball after which the options are looked at every tick and
// running on becomes a kick toward goal.
constexpr uint16_t kOnBallPatience = 200;
// Ticks on the ball within which a free direction keeps him running.
constexpr uint16_t kOnBallRunWindow = 50;
