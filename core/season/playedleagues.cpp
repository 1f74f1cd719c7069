#include "core/season/playedleagues.h"

#include <algorithm>
#include <iterator>

uint16_t PlayedLeagueFlags[kCountryCount] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
uint16_t PlayedDetailOption = 0;

void ResetPlayedLeagueFlags() { std::fill(std::begin(PlayedLeagueFlags), std::end(PlayedLeagueFlags), 1); }

void SettlePlayedLeagueFlagsAfterLoad() {
    if (std::ranges::all_of(PlayedLeagueFlags, [](uint16_t flag) { return flag == 0; }))
        ResetPlayedLeagueFlags();
}
