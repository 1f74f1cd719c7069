// Two first-time decisions: the header a player chooses for a ball at head
// height, and the direction of a first-time strike under pressure.
#pragma once
#include <cstdint>

// The header decision, given the direction to the goal attacked and a flag
// (1: far from goal, a wider angle counts as facing it): a jump at goal, a
// heading duel with an opponent in front (120 against 121), or one of the
// headers 46, 47, 48, 82 and 87.
void MatchHeadingCheck(int16_t figure, uint16_t goalDirection, int16_t flag);
// The direction of a first-time kick in the way the player plays the ball
// (his facing as the callers pass it): while the nearest opponent's
// challenge is still building up, up or down the pitch (the goal-line
// direction nearest that way); once it has built up, at goal.  Only the
// choice: it is left as the aim point, and the caller strikes.
void MatchTryShot(int16_t figure, uint16_t direction);
