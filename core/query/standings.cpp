// Query layer: the zone place counts of a division, the reserve-league
// table and a fixture's crowd.
#include "core/query/standings.h"

#include "core/query/datesandform.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/seasonend.h"

namespace {

bool IsDivisionOf(int16_t division, int16_t country) {
    return IsCountryNumber(country) && IsDivisionNumber(division);
}

}  // namespace

int16_t HVW_GetPromotionPlaces(int16_t division, int16_t country) {
    return IsDivisionOf(division, country) ? PromotionCount[country][division] : int16_t(0);
}

// Only the division's own clubs hold places in its table; the entrants that
// come down from the division above have theirs there.
int16_t HVW_GetPlayOffPlaces(int16_t division, int16_t country) {
    return IsDivisionOf(division, country) ? PlayOffEntryTable[country][division].fromThisDivision
                                           : int16_t(0);
}

int16_t HVW_GetRelegationPlaces(int16_t division, int16_t country) {
    return IsDivisionOf(division, country) ? RelegationCount[country][division] : int16_t(0);
}

int16_t HVW_HasPlayOffPlaces(int16_t division, int16_t country) {
    return IsDivisionOf(division, country) && PlayOffEntryTable[country][division].entrants != 0 ? 1 : 0;
}

int16_t HVW_CountPlayOffEntries() { return kPlayOffEntries; }

int16_t HVW_GetFlaggedTableClub(int16_t division, int16_t place, int16_t country) {
    if (!IsDivisionOf(division, country) || place < 0 || place >= kLeagueRowClubs)
        return int16_t(kNoLeagueClub);
    return HVW_GetDivisionTable2Club(division, place, country);
}

int32_t HVW_GetFixtureAttendance(int16_t slot) {
    return slot >= 0 && slot < kFixtureSlots ? HVW_GetFixtureWord12(slot) : 0;
}
