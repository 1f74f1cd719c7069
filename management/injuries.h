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

// Per injury type 0..39 a packed entry: bits 0-7 the base length in weeks
// (also the type's severity), bit 8 contagious, bits 9-23 the odds.
constexpr int kInjuryTypes = 40;
extern const uint32_t InjuryTable[kInjuryTypes];
// The low byte of a type's entry; 0 for a type outside the table.
int16_t InjurySeverity(int type);
