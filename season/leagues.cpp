#include "season/leagues.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "database/ranges.h"
#include "season/clubseason.h"
#include "season/matchsetup.h"

DivisionLayoutEntry DivisionLayout[kCountryCount][kDivisionCount];

namespace {

// A new game starts from the shipped layout.
const bool g_layout_ready = [] {
    std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
    return true;
}();

}  // namespace

int16_t LeagueTable[kCountryCount][kLeagueRows][kLeagueRowClubs];
int16_t LeaguePositionTable[kCountryCount][kLeagueRows][kLeagueRowClubs];
int16_t LeagueCountryWords[kCountryCount][kLeagueRowClubs];
uint16_t DivisionClubLists[kCountryCount][kDivisionCount][kLeagueRowClubs];
int16_t LeagueTransferWords[6][kCountryCount];
int16_t LeagueSeasonWords[kCountryCount];

namespace {

// True when club a ranks strictly above club b.
bool RanksAbove(int16_t a, int16_t b) {
    const int16_t* x = LeagueSeasonRecords[a].words;
    const int16_t* y = LeagueSeasonRecords[b].words;
    if (x[kSeasonPoints] != y[kSeasonPoints]) return x[kSeasonPoints] > y[kSeasonPoints];
    const int gx = x[kSeasonHomeFor] - x[kSeasonHomeAgainst] + x[kSeasonAwayFor] - x[kSeasonAwayAgainst];
    const int gy = y[kSeasonHomeFor] - y[kSeasonHomeAgainst] + y[kSeasonAwayFor] - y[kSeasonAwayAgainst];
    if (gx != gy) return gx > gy;
    return x[kSeasonHomeFor] + x[kSeasonAwayFor] > y[kSeasonHomeFor] + y[kSeasonAwayFor];
}

}  // namespace

// The league part of the daily sort; the reserve-league table and the
// split league of country 1 come with the league schedules.
void SortLeagueTables() {
    for (int country = 0; country < kCountryCount; ++country) {
        if (CountryInPlay[country] == 0) continue;
        for (int division = 0; division < kDivisionCount; ++division) {
            const int clubs = DivisionLayout[country][division].clubs;
            if (clubs == 0) continue;
            int16_t* row = LeagueTable[country][division];
            for (int i = 0; i < kLeagueRowClubs; ++i)
                row[i] = int16_t(DivisionClubLists[country][division][i]);
            const int n = std::min(clubs, kLeagueRowClubs);
            for (int pass = 0; pass < kLeagueRowClubs; ++pass) {
                for (int i = 0; i + 1 < n; ++i) {
                    const int16_t a = row[i], b = row[i + 1];
                    if (!IsClubNumber(uint16_t(a)) || !IsClubNumber(uint16_t(b))) continue;
                    if (RanksAbove(b, a)) std::swap(row[i], row[i + 1]);
                }
            }
            for (int i = 0; i < n; ++i) {
                if (IsClubNumber(uint16_t(row[i])))
                    LeagueSeasonRecords[row[i]].words[kSeasonPlace] = int16_t(i);
            }
        }
    }
}

const int16_t PlayOffStyle[kCountryCount][kDivisionCount] = {
    {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 2, 2, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0},
};
