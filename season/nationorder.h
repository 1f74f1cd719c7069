// The club order of each country for cup entry.
#pragma once
#include <cstdint>

#include "season/calendar.h"

// Per country 128 club numbers (0xFFFF empty), by division, then place.
extern uint16_t NationClubOrder[kCountryCount][128];
