// Query layer: whether a club's league fate is settled, competition names
// for honours lines, games per club, and where a club stands among others
// by reputation and on the map.
#include "core/query/leagueoutlook.h"

#include <cstdint>
#include <utility>

#include "core/base/debug.h"
#include "core/query/leagueplaces.h"
#include "core/query/standings.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/season/clubseason.h"
#include "core/season/competitions.h"
#include "core/season/european.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"

namespace {

constexpr int kLeagueCompetition = 0;

int Played(int16_t club) { return LeagueSeasonRecords[club].words[kSeasonPlayed]; }
int Points(int16_t club) { return LeagueSeasonRecords[club].words[kSeasonPoints]; }

// The club's league fixtures of the whole season, played or not.
int LeagueGamesOfSeason(int16_t club) {
    int games = 0;
    for (int16_t slot = 0; slot < kFixtureSlots; ++slot) {
        if (GetMatchDay(slot) == kEmptyFixtureDay || GetMatchCompetition(slot) != kLeagueCompetition)
            continue;
        if (GetMatchClubA(slot) == uint16_t(club) || GetMatchClubB(slot) == uint16_t(club)) ++games;
    }
    return games;
}

}  // namespace

// A club with no games left can still be passed by a club below with games
// in hand (a postponed match): a pair of clubs is passed over only when
// neither has games left, so a title or a promotion is not called settled
// too soon.
int16_t HVW_GetLeagueOutlookTextId(int16_t club, int16_t division, int16_t country) {
    if (!IsClubNumber(club) || !IsCountryNumber(country) || !IsDivisionNumber(division)) {
        return -1;
    }
    const int clubs = DivisionLayout[country][division].clubs;
    const int promoted = HVW_GetPromotionPlaces(division, country);
    // Only the division's own clubs hold play-off places in its table: in
    // country 5's second division two of its four play-off entrants come
    // down from the division above.
    const int playOff = HVW_GetPlayOffPlaces(division, country);
    const int relegated = HVW_GetRelegationPlaces(division, country);
    const int16_t* row = LeagueTable[country][division];
    const int P = Played(club);
    const int Pts = Points(club);
    const int place = LeagueSeasonRecords[club].words[kSeasonPlace] + 1;
    const int G = LeagueGamesOfSeason(club);
    const bool gamesLeft = G != P;
    const auto open = [&](int16_t other) { return gamesLeft || Played(other) < G; };

    if (place <= promoted + playOff || (division == 0 && place == 1)) {
        int worst = place;
        for (int r = place; r < clubs && r < kLeagueRowClubs; ++r) {
            if (!IsClubNumber(row[r]) || !open(row[r])) continue;
            if ((G - Played(row[r])) * 3 + Points(row[r]) >= Pts) ++worst;
        }
        if (division == 0 && worst == 1) return kTextChampions;
        if (worst <= promoted) return kTextPromoted;
        if (worst <= promoted + playOff) return kTextPlayOffs;
        return -1;
    }
    if (place >= clubs - relegated) {
        int best = place;
        for (int r = place - 2; r >= 0; --r) {
            if (r >= kLeagueRowClubs || !IsClubNumber(row[r]) || !open(row[r])) continue;
            if ((G - P) * 3 + Pts >= Points(row[r])) --best;
        }
        return best > clubs - relegated ? kTextRelegated : int16_t(-1);
    }
    return -1;
}

// Events 1-8 name divisions and 9-22 cups, as winners (even offsets) or
// runners-up; 23 names the next country's fifth cup.  Only five division
// names are kept, so the lines of a sixth division (30 and 31) have none.
const char* HVW_GetCompPosition(int16_t event, int16_t* textId, int16_t country) {
    if (event < 1 || event > 31 || (event >= 24 && event <= 27)) {
        FatalError("It Go BANG in Funcs.c,HVW_GetCompPosition ");
    }
    if (!IsCountryNumber(country)) return nullptr;
    const CountryCompetitionNames& names = CompetitionNames[country];
    const int n = HVW_CountCompRounds(country);
    if (event <= 8) {
        const int k = event <= 4 ? event - 1 : event - 5;
        *textId = event <= 4 ? kTextWinners : kTextRunnersUp;
        return k > n || k >= kDivisionNames ? nullptr : names.division[k];
    }
    if (event <= 22) {
        *textId = event % 2 == 1 ? kTextWinners : kTextRunnersUp;
        return names.cup[(event - 9) / 2];
    }
    if (event == 23) {
        *textId = kTextWinners;
        return country + 1 < kCountryCount ? CompetitionNames[country + 1].cup[4] : nullptr;
    }
    *textId = event % 2 == 0 ? kTextWinners : kTextRunnersUp;
    if (event <= 29) return n >= 4 ? names.division[4] : nullptr;
    return nullptr;
}

int16_t HVW_GetDivisionGamesPerTeam(int16_t country, int16_t division) {
    if (!IsCountryNumber(country) || !IsDivisionNumber(division)) return 0;
    const DivisionLayoutEntry& d = DivisionLayout[country][division];
    if (d.clubs == 0) return 0;
    const int meetings = d.extraMeetings == 1 ? 4 : d.extraMeetings == 2 ? 3 : 2;
    return int16_t((d.clubs - 1) * meetings);
}

// The list is ordered by an exchange that leaves it in falling
// reputation; clubs of equal reputation keep the order it gives them.
int16_t HVW_GetClubReputationPos(int16_t club, int16_t country) {
    int16_t list[kClubCount];
    int n = 0;
    for (int16_t c = 0; c < kClubCount; ++c) {
        if (GetClubNation(c) == uint16_t(country) && IsDivisionNumber(GetClubDivision(c))) list[n++] = c;
    }
    uint16_t rep[kClubCount];
    for (int i = 0; i < n; ++i) rep[i] = GetClubRep(list[i]);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n - 1; ++j) {
            if (rep[j] < rep[i]) {
                std::swap(list[i], list[j]);
                std::swap(rep[i], rep[j]);
            }
        }
    }
    for (int i = 0; i < n; ++i) {
        if (list[i] == club) return int16_t(i);
    }
    FatalError("in funcs.c HVW_GetClubReputationPos Team Not Found");
}

int16_t HVW_GetClubRepPercentile(int16_t club, int16_t scope) {
    const int R = GetClubRep(club);
    const uint16_t N = GetClubNation(club);
    const int D = GetClubDivision(club);
    int32_t total = 0, above = 0, equal = 0;
    for (int16_t c = 0; c < kClubCount; ++c) {
        const int rep = GetClubRep(c);
        if (rep <= 0) continue;
        const bool home = GetClubNation(c) == N;
        const bool league = IsDivisionNumber(GetClubDivision(c));
        const bool in_scope = scope == 0   ? home
                              : scope == 1 ? home && league
                              : scope == 2 ? !home && league
                                           : scope == 3;
        if (!in_scope) continue;
        ++total;
        const int division = GetClubDivision(c);
        if (rep > R || (rep == R && division < D)) ++above;
        if (rep == R && division >= D) ++equal;
    }
    if (total == 0) return 0;
    return int16_t(100 - (equal / 2 + above) * 100 / total);
}

// The square root of the squared distance, rounded to the nearer whole
// number (a tie goes up).
int16_t HVW_GetClubDistance(int16_t club, int16_t other) {
    if (GetClubNation(club) != GetClubNation(other)) return 30;
    const int32_t dy = int32_t(GetClubYCoord(club)) - GetClubYCoord(other);
    const int32_t dx = int32_t(GetClubXCoord(club)) - GetClubXCoord(other);
    const int64_t s = int64_t(dx) * dx + int64_t(dy) * dy;
    int64_t k = 1;
    while (k * k <= s) k *= 2;
    int64_t low = k / 2;  // low * low <= s < k * k
    while (k - low > 1) {
        const int64_t mid = (low + k) / 2;
        (mid * mid <= s ? low : k) = mid;
    }
    return int16_t(s - (k - 1) * (k - 1) < k * k - s ? k - 1 : k);
}

int16_t HVW_FindClubGroup(int16_t club, int16_t stage) {
    if (stage < 0 || stage > 1) return -1;
    int16_t found = -1;
    for (int16_t group = 0; group < 8; ++group) {
        const int16_t* cells = ChampionsLeagueGroups[stage][group];
        // A group not drawn yet holds zeros: club 0 is in none of them.
        if (cells[0] == 0 && cells[1] == 0) continue;
        for (int i = 0; i < 4; ++i) {
            if (cells[i] == club) found = group;
        }
    }
    return found;
}
