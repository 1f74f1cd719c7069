// The in-match statistics, line-up and shoot-out order screens (menus 2,
// 3, 6 and 8 of the in-game menu loop), and the match header the in-match
// screens show.
#pragma once
#include <cstddef>

#include "menus/machine.h"

// Until their own screens are built, each of these shows the match header
// and its title; the first three carry the button bar (whose back icon
// returns to the match), the shoot-out order its own back icon.
extern const MenuItem IgPlayerStatsTable[];
extern const MenuItem IgLineupsTable[];
extern const MenuItem IgTeamStatsTable[];
extern const MenuItem IgShootoutTable[];

// "home g - g away", with the shoot-out goals in brackets once there are any.
void IgFormatMatchHeader(char* out, size_t size);
