// A player's transfer value.
#pragma once
#include <cstdint>

// The player's transfer value as signed money.
int32_t ValuePlayer(uint16_t player);
// ValuePlayer with goals, assists, man price and man-of-the-match awards.
int32_t ValuePlayerFull(uint16_t player);
// One attribute (stat 21) divided by 10: the variant of a manager's tactic.
int16_t GetPlayerStat21Div10(uint16_t player);
// The player's present ability in a position.  Least form: his overall
// ability (stat 27), whatever the position.
int16_t RatePlayerAbility(uint16_t player, int16_t position);
