// Records of a kind the tests look for in the world they set up.
#pragma once
#include <cstdint>

#include "core/records/records.h"

namespace testenv {

// The club's plain player after `skip` others: at the club and not on loan,
// in its team list (positions up to 12) and not its manager; 0 when none.
inline uint16_t PlainPlayerOf(int16_t club, int skip = 0) {
    for (uint16_t p = 2; p < PlayerCount; ++p) {
        if (GetPlayerClub(p) != uint16_t(club) || GetPlayerLoanClub(p) != uint16_t(club)) continue;
        if (GetPlayerPosition2(p) > 12 || GetPlayerHalvorn(p) != 0) continue;
        if (skip-- == 0) return p;
    }
    return 0;
}

}  // namespace testenv
