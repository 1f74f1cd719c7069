// Which countries' leagues are played in full (the others are only
// predicted), and the two-way detail option chosen beside them.
#pragma once
#include <cstdint>

#include "season/calendar.h"

extern uint16_t PlayedLeagueFlags[kCountryCount];
// 0 standard detail, 1 full detail.
extern uint16_t PlayedDetailOption;
