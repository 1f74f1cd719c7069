// Meeting a ball in the air or low in front of goal without controlling it
// first: the backward headers at goal (137, 136, 135), the clearing header
// in a duel (120), the aerial challenge in which the player may win a free
// kick (121) and the sliding poke at a low ball (105).  The backward
// headers and the poke count as shots.
#pragma once
#include <cstdint>

// The pitch-mark flag of the sliding poke, one for all players.
extern uint16_t PokeMarkFlag;

// The clearing header's vertical speed (16.16 a tick, before it is doubled)
// for the ball's height.
int32_t Match_ClearingHeaderLift(int height);

void Match_ActBackwardHeader(int16_t figure);   // 137, 136, 135
void Match_ActClearingHeader(int16_t figure);   // 120
void Match_ActAerialChallenge(int16_t figure);  // 121
void Match_ActSlidingPoke(int16_t figure);      // 105
