#include "core/season/clubseason.h"

#include <initializer_list>

ClubSeasonRecord LeagueSeasonRecords[kClubCount];
ClubSeasonRecord ReserveSeasonRecords[kClubCount];

void ResetClubSeasonRecords() {
    for (ClubSeasonRecord* table : {LeagueSeasonRecords, ReserveSeasonRecords}) {
        for (int club = 0; club < kClubCount; ++club) {
            for (int w = 0; w < kSeasonPlace; ++w) table[club].words[w] = 0;
        }
    }
}

#include <algorithm>

#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/records/dates.h"
#include "core/records/ranges.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/matchsetup.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

// ---- Recount and movement -------------------------------------------------------------

namespace {

void CountResult(ClubSeasonRecord& home, ClubSeasonRecord& away, int homeGoals, int awayGoals) {
    int16_t* h = home.words;
    int16_t* a = away.words;
    ++h[kSeasonPlayed];
    ++a[kSeasonPlayed];
    if (homeGoals == awayGoals) {
        ++h[kSeasonHomeDrawn];
        ++a[kSeasonAwayDrawn];
        ++h[kSeasonPoints];
        ++a[kSeasonPoints];
    } else if (homeGoals > awayGoals) {
        ++h[kSeasonHomeWon];
        ++a[kSeasonAwayLost];
        h[kSeasonPoints] = int16_t(h[kSeasonPoints] + 3);
    } else {
        ++h[kSeasonHomeLost];
        ++a[kSeasonAwayWon];
        a[kSeasonPoints] = int16_t(a[kSeasonPoints] + 3);
    }
    h[kSeasonHomeFor] = int16_t(h[kSeasonHomeFor] + homeGoals);
    h[kSeasonHomeAgainst] = int16_t(h[kSeasonHomeAgainst] + awayGoals);
    a[kSeasonAwayFor] = int16_t(a[kSeasonAwayFor] + awayGoals);
    a[kSeasonAwayAgainst] = int16_t(a[kSeasonAwayAgainst] + homeGoals);
}

}  // namespace

void RecountClubSeasonRecords(int16_t lastDay) {
    ResetClubSeasonRecords();
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) > uint16_t(lastDay)) break;
        const int16_t type = FixtureType(slot);
        ClubSeasonRecord* table = type == kCompLeague          ? LeagueSeasonRecords
                                  : type == kCompReserveLeague ? ReserveSeasonRecords
                                                               : nullptr;
        if (table == nullptr || !IsFixturePlayed(slot)) continue;
        const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
        if (!IsClubNumber(uint16_t(home)) || !IsClubNumber(uint16_t(away))) continue;
        const uint32_t score = FixtureScore(slot);
        CountResult(table[home], table[away], int(score & kFixtureGoalsMask),
                    int((score >> 5) & kFixtureGoalsMask));
    }
}

int16_t TableMovement[kClubCount];

namespace {

// No mark is computed before the table screen asks for one.
const bool g_movementUnset = [] {
    std::fill(std::begin(TableMovement), std::end(TableMovement), int16_t(-1));
    return true;
}();

bool IsTableClub(int16_t club) {
    const uint16_t nation = GetClubNation(club);
    return GetClubRep(club) != 0 && nation < kCountryCount && IsCountryInPlay(nation) &&
           GetClubDivision(club) < kDivisionCount;
}

}  // namespace

void ComputeTableMovement(int16_t division) {
    const int16_t today = SeasonCalendar.currentDay;
    int latest = -1, before = -1;
    for (int slot = kFixtureSlots - 1; slot >= 0; --slot) {
        if (IsFixtureEmpty(slot) || FixtureType(slot) != kCompLeague) continue;
        const int day = FixtureDay(slot);
        const int16_t home = FixtureHome(slot);
        if (day >= today || !IsClubNumber(uint16_t(home)) || GetClubDivision(home) != uint16_t(division))
            continue;
        if (latest < 0 || day > latest) {
            if (latest >= 0) before = std::max(before, latest);
            latest = day;
        } else if (day < latest && day > before) {
            before = day;
        }
    }
    static int16_t earlier[kClubCount];
    std::fill(std::begin(earlier), std::end(earlier), int16_t(-1));
    if (before >= 0) {
        RecountClubSeasonRecords(int16_t(before));
        SortLeagueTables();
        for (int16_t club = 0; club < kClubCount; ++club)
            if (IsTableClub(club)) earlier[club] = GetClubLeaguePosition(club);
    }
    RecountClubSeasonRecords(today);
    SortLeagueTables();
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (!IsTableClub(club)) continue;
        const int16_t now = GetClubLeaguePosition(club);
        TableMovement[club] = before < 0 || earlier[club] == now ? 0 : now < earlier[club] ? 1 : 2;
    }
}

// ---- The league split -------------------------------------------------------------------

void AddSplitFixture(int16_t day, int16_t home, int16_t away) {
    const int16_t nation = int16_t(GetClubNation(home));
    const int endDay = IsCountryNumber(nation) ? SeasonCalendar.leagueEndDay[nation] : day;
    auto busy = [&](int d) {
        for (int near = d - 1; near <= d + 1; ++near) {
            if (near < 0) continue;
            if (FindFixtureOnDay(home, int16_t(near)) >= 0 || FindFixtureOnDay(away, int16_t(near)) >= 0)
                return true;
        }
        return false;
    };
    int d = day;
    for (; d < endDay; ++d) {
        if (!busy(d)) {
            AddFixture(int16_t(d), kCompLeague, home, away, 0);
            return;
        }
    }
    if (FindFixtureOnDay(home, int16_t(d)) < 0 && FindFixtureOnDay(away, int16_t(d)) < 0) {
        AddFixture(int16_t(d), kCompLeague, home, away, 0);
        return;
    }
    // Both days and the end day are taken: the latest free day before it.
    for (int back = d - 1; back > day - 28 && back >= 0; --back) {
        if (FindFixtureOnDay(home, int16_t(back)) < 0 && FindFixtureOnDay(away, int16_t(back)) < 0) {
            DebugLog(DEBUG_GENERAL, 0, "AddSplitFixture: %d v %d moved back to day %d\n", home, away, back);
            AddFixture(int16_t(back), kCompLeague, home, away, 0);
            return;
        }
    }
    DebugLog(DEBUG_GENERAL, 0, "AddSplitFixture: no free day for %d v %d, played on day %d\n", home, away, d);
    AddFixture(int16_t(d), kCompLeague, home, away, 0);
}

void AddSplitFixtures(int16_t day, int16_t a, int16_t b, int16_t c, int16_t d, int16_t e, int16_t f,
                      int16_t nation) {
    (void)nation;
    const int16_t rounds[5][3][2] = {
        {{a, b}, {c, d}, {e, f}}, {{b, c}, {d, e}, {f, a}}, {{c, f}, {e, a}, {b, d}},
        {{f, b}, {a, d}, {e, c}}, {{d, f}, {a, e}, {c, b}},
    };
    for (int r = 0; r < 5; ++r) {
        for (const auto& pair : rounds[r]) AddSplitFixture(int16_t(day - 7 * r), pair[0], pair[1]);
    }
}

void SplitLeague(int16_t nation) {
    if (!IsCountryNumber(nation)) return;
    const int16_t* row = LeagueTable[nation][0];
    for (int group = 0; group < 2; ++group) {
        const int16_t* g = row + 6 * group;
        bool full = true;
        for (int i = 0; i < 6; ++i) full = full && IsClubNumber(uint16_t(g[i]));
        if (!full) {
            DebugLog(DEBUG_GENERAL, 0, "SplitLeague: country %d group %d is not complete\n", nation, group);
            continue;
        }
        AddSplitFixtures(SeasonCalendar.leagueEndDay[nation], g[0], g[1], g[2], g[3], g[4], g[5], nation);
    }
}

// ---- Prize money ------------------------------------------------------------------------

namespace {
constexpr int16_t kPlaceTexts = 336;
}  // namespace

const uint16_t LeaguePrizeFactor[24] = {100, 88, 80, 72, 66, 60, 55, 50, 46, 42, 38, 35,
                                        32,  29, 26, 23, 20, 18, 16, 14, 12, 10, 8,  6};

// A champion earns about one televised match's broadcast money of its
// division; the factors take it down by place.
int32_t LeaguePrizeBase(int16_t nation, int16_t division) {
    if (!IsCountryNumber(nation) || division < 0 || division >= kDivisionCount) return 0;
    return BroadcastMoney[nation][division] / 83;
}

int64_t LeaguePrizeAmount(int16_t nation, int16_t division, int16_t place) {
    if (!IsCountryNumber(nation) || division < 0 || division >= 6 || place < 0 || place >= 24) return 0;
    // In 64 bits: factor x base x 83 passes 32 bits for a top division.
    return int64_t(LeaguePrizeFactor[place]) * LeaguePrizeBase(nation, division) * 83 / 100;
}

void PayLeaguePrizeMoney(int16_t nation) {
    if (!IsCountryNumber(nation)) return;
    const int16_t week = DaysToWeeks(SeasonCalendar.currentDay);
    for (int16_t division = 0; division < kDivisionCount; ++division) {
        const int clubs = std::min<int>(DivisionLayout[nation][division].clubs, kLeagueRowClubs);
        for (int16_t place = 0; place < clubs; ++place) {
            const int16_t club = LeagueTable[nation][division][place];
            if (!IsClubNumber(uint16_t(club))) continue;  // an empty place pays nobody
            const int64_t amount = std::min<int64_t>(LeaguePrizeAmount(nation, division, place), INT32_MAX);
            if (amount <= 0) continue;
            AddMessage(club, -1, 0xFFFFFFFFu, 0xFFFFFFFFu, -1, -1, int32_t(amount),
                       int16_t(kPlaceTexts + place), -1, -1, -1, kMsgLeagueMoney, 1, 0);
            AddClubBalance(club, int32_t(amount));
            SetClubWeekMiscIn(club, GetClubWeekMiscIn(club, week) + int32_t(amount), week);
            SetClubSeasonMiscIn(club, GetClubSeasonMiscIn(club) + int32_t(amount));
        }
    }
}

// ---- Progress ---------------------------------------------------------------------------

uint16_t ProgressSteps = 65535;
uint16_t ProgressStep = 65535;

void ResetProgress() { ProgressSteps = ProgressStep = 65535; }

void SetProgress(uint16_t steps, uint16_t step) {
    if (steps != 0) ProgressSteps = steps;
    ProgressStep = step;
    CorePoll();
}
