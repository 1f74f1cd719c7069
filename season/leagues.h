// League layout of each country.
#pragma once
#include <cstdint>

#include "season/calendar.h"

constexpr int kDivisionCount = 6;

// Per country and division: the number of clubs (0 = no such division),
// extra meetings 0..2 and a third word.
struct DivisionLayoutEntry {
    uint16_t clubs;
    uint16_t extraMeetings;
    uint16_t third;
};
extern DivisionLayoutEntry DivisionLayout[kCountryCount][kDivisionCount];
