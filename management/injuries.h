// Injuries, illness and the random changes to a player's condition.
#pragma once
#include <cstdint>

// With a chance of 1 in (stat 25 / 5 + 1), raises the player's field 118 by
// a random 0..n-1.
void ChangePlayerStatRandom(uint16_t player, int16_t n);
