#include "core/query/clubscreens.h"

#include <algorithm>
#include <vector>

#include "core/club/squads.h"
#include "core/query/competitionnames.h"
#include "core/query/europeanplaces.h"
#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/competitions.h"
#include "core/season/european.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"

int16_t HVW_GetClubsInDivision(int16_t divisionRow, int16_t country) {
    if (!IsCountryNumber(country) || divisionRow < 0 || divisionRow >= kDivisionCount) return 0;
    return int16_t(DivisionLayout[country][divisionRow].clubs);
}

int16_t HVW_CountDivisions(int16_t country) {
    if (!IsCountryNumber(country)) return 0;
    int16_t count = 0;
    while (count < kDivisionCount && DivisionLayout[country][count].clubs != 0) ++count;
    return count;
}

const char* HVW_GetDivisionName(int16_t divisionRow, int16_t country) {
    if (divisionRow < 0 || divisionRow >= kDivisionNames || divisionRow >= HVW_CountDivisions(country)) {
        return nullptr;
    }
    return HVW_GetDivisionRoundEntry(divisionRow, country);
}

uint16_t HVW_GetClubManager(int16_t club) {
    if (!IsClubNumber(club)) return 0;
    // The shared caretaker record stands in for a missing manager: no one.
    const uint16_t manager = FindClubManager(club);
    return manager == kNoManager ? uint16_t(0) : manager;
}

int16_t HVW_GetFixtureHomePlace(int16_t slot) {
    if (slot < 0 || slot >= kFixtureSlots) return 0;
    return int16_t((recbits::LoadU32(FixtureTable[slot].bytes + kFixtureCrowdWord) >> 23) & 0x1F);
}

int16_t HVW_GetFixtureAwayPlace(int16_t slot) {
    if (slot < 0 || slot >= kFixtureSlots) return 0;
    return int16_t(recbits::LoadU32(FixtureTable[slot].bytes + kFixtureAwaySideWord) & 0x1F);
}

namespace {

// The club's played matches before today, national-team days and the
// reserve league left out.
int ClubMatchesBeforeToday(int16_t club) {
    const int today = SeasonCalendar.currentDay;
    int matches = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) >= today) break;
        const int16_t type = FixtureType(slot);
        if (type == kCompNationalTeam || type == kCompNationalUnder21 || type == kCompReserveLeague) continue;
        if (IsFixtureOfClub(slot, club) && IsFixturePlayed(slot)) ++matches;
    }
    return matches;
}

bool IsListedPlayer(uint16_t entry) { return entry != 0 && entry < PlayerCount; }

}  // namespace

uint16_t HVW_GetBestPerformer(int16_t club) {
    if (!IsClubNumber(club)) return 0;
    HVW_BuildSquadList(club);
    const int matches = ClubMatchesBeforeToday(club);
    uint16_t best = 0;
    for (uint16_t player : FirstTeamList.players) {
        if (!IsListedPlayer(player)) continue;
        // More than 60 percent of the matches, in whole numbers.
        if (int(GetPlayerApps(player)) * 10 <= matches * 6) continue;
        if (best == 0 || GetPlayerPerf(player) > GetPlayerPerf(best)) best = player;
    }
    return best;
}

uint16_t HVW_GetTopScorer(int16_t club) {
    if (!IsClubNumber(club)) return 0;
    HVW_BuildSquadList(club);
    uint16_t top = 0;
    for (uint16_t player : FirstTeamList.players) {
        if (!IsListedPlayer(player) || GetPlayerPosition(player) == 0) continue;
        if (GetPlayerGoals(player) == 0) continue;
        if (top == 0 || GetPlayerGoals(player) > GetPlayerGoals(top)) top = player;
    }
    return top;
}

int16_t HVW_CheckTeamForMatch(int16_t club, int16_t kind) {
    if (!IsClubNumber(club)) return 2;
    HVW_BuildSquadList(club);
    const SquadList& list = kind != 0 ? ReserveList : FirstTeamList;
    int players = 0;
    for (uint16_t player : list.players) players += IsListedPlayer(player) ? 1 : 0;
    // A match sheet holds eleven players and five substitutes.
    if (players < kLastSubstituteShirt) return 2;
    return HVW_CheckTeamSheet(club, kind) != 0 ? int16_t(1) : int16_t(0);
}

// ---------------------------------------------------------------------------
// The history screens

int16_t HVW_GetClubHistoryLog(int16_t club, ClubHistoryEntry* buffer) {
    if (!IsClubNumber(club)) return 0;
    std::vector<ClubHistoryEntry> found(kClubHistoryLookup);
    const int count = std::min(FindClubHistoryEntry(club, found.data()), kClubLogEntries);
    std::copy_n(found.begin(), count, buffer);
    return int16_t(count);
}

namespace {

constexpr int kSeasonEntries = 10;
constexpr int kScorerSlots = 5;
// The scorer pairs of an entry: u16 player, u16 goals, from word 14.
constexpr int kScorerWord = 14;

bool IsScorerSlot(int16_t club, int16_t slot, int16_t entry) {
    return IsClubNumber(club) && slot >= 0 && slot < kScorerSlots && entry >= 0 && entry < kSeasonEntries;
}

}  // namespace

uint16_t HVW_GetSeasonScorer(int16_t club, int16_t slot, int16_t entry) {
    if (!IsScorerSlot(club, slot, entry)) return 0;
    return uint16_t(HVW_GetClubSeasonRecordEntry(club, entry, int16_t(kScorerWord + 2 * slot)));
}

int16_t HVW_GetSeasonScorerGoals(int16_t club, int16_t slot, int16_t entry) {
    if (!IsScorerSlot(club, slot, entry)) return 0;
    return HVW_GetClubSeasonRecordEntry(club, entry, int16_t(kScorerWord + 2 * slot + 1));
}

ClubRecordBook HVW_GetClubRecordBook(int16_t club) { return GetClubRecordBook(club); }

int16_t HVW_GetEuroGroupClub(int16_t k, int16_t group, int16_t stage) {
    if (k < 0 || k >= 4 || group < 0 || group >= 8 || stage < 0 || stage >= 2) return -1;
    // A group not drawn yet holds zeros, not four times club 0.
    const int16_t club = HVW_GetChampionsLeagueGroupClub(k, group, stage);
    return IsClubNumber(club) ? club : int16_t(-1);
}

int16_t HVW_GetCountryDayWord(int16_t country) {
    return IsCountryNumber(country) ? SeasonCalendar.leagueStartDay[country] : int16_t(0);
}

int16_t HVW_GetCountryEndDayWord(int16_t country) {
    return IsCountryNumber(country) ? SeasonCalendar.leagueEndDay[country] : int16_t(0);
}
