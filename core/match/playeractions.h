// The players' action handlers, one per action code, grouped by family.
#pragma once
#include <cstdint>

// Ticks the kick-off partner has spent in his action.
extern int16_t KickOffTicks;
// Ticks the kick-off taker has waited at his place.
extern int16_t KickOffWaitCount;

// Actions whose handler does nothing at all.
void Match_ActNothing(int16_t figure);
// The player stands, turning toward the ball.
void Match_ActStandTurningToBall(int16_t figure);
