// The user's shortlist of players.
#pragma once
#include <cstdint>

// 18 player numbers, 0 empty.
extern uint16_t Shortlist[18];
