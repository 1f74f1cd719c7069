#include "season/playedleagues.h"

// Country 8 is never played in full.
uint16_t PlayedLeagueFlags[kCountryCount] = {1, 1, 1, 1, 1, 1, 1, 1, 0};
uint16_t PlayedDetailOption = 0;
