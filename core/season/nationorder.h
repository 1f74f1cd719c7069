// The club order of each country for cup entry.
#pragma once
#include <cstdint>

#include "core/season/calendar.h"

constexpr int kNationClubOrderSize = 128;

// Per country 128 club numbers (0xFFFF empty), by division, then place.
extern uint16_t NationClubOrder[kCountryCount][kNationClubOrderSize];

// The delivered club order a new game starts from: per country its clubs by
// division, then size.  A list ends where two equal entries follow each
// other (at most 127 entries); the rest is padded with 0.  Made at build
// time from the world plan, so it always matches the shipped database.
extern const int16_t NationClubStartLists[kCountryCount][kNationClubOrderSize];

// A new game: each in-play country's start list, the rest of its places
// empty.
void InitNationClubOrder();
// Clubs of a lower division number first; clubs of one division keep their
// order.
void SortNationClubsByDivision();
// Each club of the country's list moves to the place of its league position
// counted through the divisions; places no club names keep what they held.
void OrderNationClubsByLeaguePos(int16_t nation);
