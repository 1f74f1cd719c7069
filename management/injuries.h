// Injuries, illness and the random changes to a player's condition.
#pragma once
#include <cstdint>

// With a chance of 1 in (stat 25 / 5 + 1), raises the player's field 118 by
// a random 0..n-1.
void ChangePlayerStatRandom(uint16_t player, int16_t n);
// Puts the player out for `duration` days with an absence of `type` and
// tells his club: types 2-7 are illnesses (message 32), 10-37 injuries
// (message 149 when flag is set, else 31); type 1 (refusing to play), 8 and
// 9 post nothing.  A number not naming a player is ignored.
void InjurePlayer(uint16_t player, int16_t duration, int16_t type, int16_t flag);
