// A player's transfer value.
#pragma once
#include <cstdint>

// The player's transfer value as signed money.
int32_t ValuePlayer(uint16_t player);
