// Where a player's tally stands in his division, and the goals a
// division's clubs score on average: figures for the match report.
#include "core/query/scorerrankings.h"

#include <algorithm>

#include "core/club/squads.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"

namespace {

constexpr int16_t kNotRanked = 500;

int ClubsInDivision(int country, int division) {
    return std::min<int>(DivisionLayout[country][division].clubs, kLeagueRowClubs);
}

// Players above the player's figure, plus half of those level with him
// (himself included): 0 for the sole leader.
template <typename Figure>
int16_t RankScore(uint16_t player, int16_t country, int16_t division, bool keepersOnly, Figure figure) {
    const int m = figure(player);
    int above = 0;
    int equal = 1;
    for (int row = 0; row < ClubsInDivision(country, division); ++row) {
        const int16_t club = LeagueTable[country][division][row];
        if (!IsClubNumber(club)) continue;
        BuildClubSquadList(club);
        for (uint16_t other : FirstTeamList.players) {
            if (!IsPlayerNumber(other) || other == player) continue;
            if (keepersOnly && HVW_GetPositionType(other) != 0) continue;
            const int f = figure(other);
            if (f > m) ++above;
            if (f == m) ++equal;
        }
    }
    return int16_t(above + equal / 2);
}

bool IsRankable(uint16_t player, int16_t country) {
    return IsPlayerNumber(player) && IsCountryNumber(country);
}

}  // namespace

int16_t HVW_RankKeeperByGoals(uint16_t player, int16_t country, int16_t division) {
    if (!IsRankable(player, country) || division < 0 || division >= HVW_CountCompRounds2(country) ||
        HVW_GetPositionType(player) != 0) {
        return kNotRanked;
    }
    return RankScore(player, country, division, true, [](uint16_t p) { return int(GetPlayerGoals(p)); });
}

int16_t HVW_RankPlayerByAssists(uint16_t player, int16_t country, int16_t division) {
    if (!IsRankable(player, country) || division < 0 || division >= HVW_CountCompRounds(country)) {
        return kNotRanked;
    }
    return RankScore(player, country, division, false, [](uint16_t p) { return int(GetPlayerAssists(p)); });
}

int16_t HVW_GetDivisionAverageGoals(int16_t country, int16_t division, int16_t competition) {
    if (!IsCountryNumber(country) || division < 0 || division >= HVW_CountCompRounds(country)) {
        return 0;
    }
    auto counts = [&](int16_t club) {
        return IsClubNumber(club) && GetClubNation(club) == uint16_t(country) &&
               HVW_FindClubInDivisionRows(club) == division;
    };
    int32_t total = 0;
    for (int slot = 0; slot < kFixtureSlots && int(FixtureDay(slot)) <= SeasonCalendar.currentDay; ++slot) {
        const int16_t type = FixtureType(slot);
        if (type == kCompFriendly || type == kCompNationalTeam || type == kCompNationalUnder21 ||
            !IsFixturePlayed(slot) || (competition != -1 && type != competition)) {
            continue;
        }
        const uint32_t score = FixtureScore(slot);
        if (counts(FixtureHome(slot))) total += int32_t(score & kFixtureGoalsMask);
        if (counts(FixtureAway(slot))) total += int32_t((score >> 5) & kFixtureGoalsMask);
    }
    const int clubs = DivisionLayout[country][division].clubs;
    if (clubs == 0) return 0;
    return int16_t((clubs / 2 + total) / clubs);
}
