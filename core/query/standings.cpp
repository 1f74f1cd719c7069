// Query layer: the zone place counts of a division, the settled outcome of a
// club's league season, the reserve-league table and a fixture's crowd.
#include "core/query/standings.h"

#include <algorithm>

#include "core/query/datesandform.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/season/clubseason.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/seasonend.h"

namespace {

constexpr int kPointsForAWin = 3;

bool IsDivisionOf(int16_t division, int16_t country) {
    return IsCountryNumber(country) && IsDivisionNumber(division);
}

// The division's clubs in table order and, per club, its league games
// still to play (its league fixtures in the table less those played).
struct DivisionRace {
    int16_t clubs[kLeagueRowClubs];
    int16_t left[kLeagueRowClubs];
    int count = 0;

    int16_t Points(int i) const { return LeagueSeasonRecords[clubs[i]].words[kSeasonPoints]; }
    // The most points the club at i can still end with.
    int32_t Reachable(int i) const { return int32_t(Points(i)) + kPointsForAWin * left[i]; }
    // Two clubs that have both finished keep their order.
    bool BothFinished(int i, int j) const { return left[i] == 0 && left[j] == 0; }
};

void CollectRace(int16_t division, int16_t country, DivisionRace* race) {
    const int n = std::min<int>(DivisionLayout[country][division].clubs, kLeagueRowClubs);
    for (int i = 0; i < n; ++i) {
        const int16_t club = LeagueTable[country][division][i];
        if (!IsClubNumber(club)) continue;
        race->clubs[race->count] = club;
        race->left[race->count++] = 0;
    }
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (IsFixtureEmpty(slot) || FixtureType(slot) != 0) continue;
        for (int i = 0; i < race->count; ++i) {
            if (IsFixtureOfClub(slot, race->clubs[i])) ++race->left[i];
        }
    }
    for (int i = 0; i < race->count; ++i) {
        const int played = LeagueSeasonRecords[race->clubs[i]].words[kSeasonPlayed];
        race->left[i] = int16_t(std::max(0, race->left[i] - played));
    }
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

int16_t HVW_GetClubLeagueOutcomeText(int16_t club, int16_t division, int16_t country) {
    if (!IsClubNumber(club) || !IsDivisionOf(division, country)) return -1;
    DivisionRace race;
    CollectRace(division, country, &race);
    const int at = int(std::find(race.clubs, race.clubs + race.count, club) - race.clubs);
    if (at == race.count) return -1;
    const int place = at + 1;
    const int n = DivisionLayout[country][division].clubs;
    const int promoted = HVW_GetPromotionPlaces(division, country);
    const int playOffs = HVW_GetPlayOffPlaces(division, country);
    const int relegated = HVW_GetRelegationPlaces(division, country);
    if (place <= promoted + playOffs || (division == 0 && place == 1)) {
        // The worst place it can still fall to.
        int worst = place;
        for (int i = at + 1; i < race.count; ++i) {
            if (!race.BothFinished(at, i) && race.Reachable(i) >= race.Points(at)) ++worst;
        }
        if (division == 0 && worst == 1) return kTextChampions;
        if (worst <= promoted) return kTextPromoted;
        if (worst <= promoted + playOffs) return kTextPlayOffs;
        return -1;
    }
    if (relegated > 0 && place >= n - relegated) {
        // The best place it can still rise to.
        int best = place;
        for (int i = 0; i < at; ++i) {
            if (!race.BothFinished(at, i) && race.Reachable(at) >= race.Points(i)) --best;
        }
        return best > n - relegated ? kTextRelegated : int16_t(-1);
    }
    return -1;
}

int16_t HVW_GetFlaggedTableClub(int16_t division, int16_t place, int16_t country) {
    if (!IsDivisionOf(division, country) || place < 0 || place >= kLeagueRowClubs)
        return int16_t(kNoLeagueClub);
    return HVW_GetDivisionTable2Club(division, place, country);
}

int32_t HVW_GetFixtureAttendance(int16_t slot) {
    return slot >= 0 && slot < kFixtureSlots ? HVW_GetFixtureWord12(slot) : 0;
}
