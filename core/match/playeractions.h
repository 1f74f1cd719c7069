// The players' action handlers that belong to no family: the empty one, and
// the kick-off counters the kick-off actions share.
#pragma once
#include <cstdint>

// Ticks the kick-off partner has spent in his action.
extern int16_t KickOffTicks;
// Ticks the kick-off taker has waited at his place.
extern int16_t KickOffWaitCount;

// Actions whose handler does nothing at all.
void Match_ActNothing(int16_t figure);
