// A club's index among the clubs of its division row, for the match-day
// blocks that are kept per club of a division.
#include "core/query/divisionindex.h"

#include "core/query/leagueplaces.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/leagues.h"

namespace {

constexpr int8_t kNoRow = -1;

}  // namespace

int16_t HVW_GetClubDivisionIndex(int16_t club) {
    // A negative club is refused too: the country accessor answers 0 for
    // it without ending the program, and the count below would then give
    // it a block of country 0.
    if (!IsClubNumber(club)) return -1;
    const int16_t row = HVW_FindClubInDivisionRows(club);
    const uint16_t country = GetClubNation(club);
    // A club outside the nine league countries has no table to count in.
    if (!IsCountryNumber(country) || HVW_CountCompRounds(int16_t(country)) <= row) return -1;

    // Rows of the country's clubs, first row that holds a club winning.  The
    // index counts only clubs of the same country: the blocks are kept per
    // division of one country, and foreign clubs would push it past them.
    int8_t rowOf[kClubCount];
    for (int8_t& r : rowOf) r = kNoRow;
    for (int r = kDivisionCount - 1; r >= 0; --r) {
        for (int16_t entry : LeagueTable[country][r]) {
            if (IsClubNumber(entry)) rowOf[entry] = int8_t(r);
        }
    }
    int n = 0;
    for (int16_t j = 0; j < club; ++j) {
        if (GetClubNation(j) != country) continue;
        // A club that no row holds counts as a club of row 0.
        const int jRow = rowOf[j] == kNoRow ? 0 : rowOf[j];
        if (jRow == row) ++n;
    }
    // An index equal to the club count still names a block.
    return n > DivisionLayout[country][row].clubs ? int16_t(-1) : int16_t(n);
}
