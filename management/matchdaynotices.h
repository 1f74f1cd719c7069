// The match-day news flashes that the day's club jobs raise about a club
// and its manager.  The screens own the flash queue and its panel; until
// they are in place a flash is not shown.
#pragma once
#include <cstdint>

// A new manager has taken charge of the club.
void MatchDay_BuildMessageB(int16_t club, int16_t player);
// The club's manager has gone; flag 1 when he was sacked.
void MatchDay_BuildMessageC(int16_t club, int16_t player, int16_t flag);
