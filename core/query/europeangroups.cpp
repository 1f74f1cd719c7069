#include "core/query/europeangroups.h"

#include <algorithm>
#include <cstring>

#include "core/records/ranges.h"
#include "core/season/calendar.h"
#include "core/season/european.h"
#include "core/season/fixtures.h"

namespace {

constexpr int kGroups = 8;
constexpr int16_t kFirstGroupCode = 101;

int GoalsFor(const int16_t* row) { return row[kGroupHomeFor] + row[kGroupAwayFor]; }
int GoalsAgainst(const int16_t* row) { return row[kGroupHomeAgainst] + row[kGroupAwayAgainst]; }

// Head-to-head figures of one row among the level rows.
struct Meeting {
    int points = 0, difference = 0, goals = 0;
};

bool Above(const int16_t* a, const int16_t* b) {
    if (a[kGroupPoints] != b[kGroupPoints]) return a[kGroupPoints] > b[kGroupPoints];
    const int da = GoalsFor(a) - GoalsAgainst(a), db = GoalsFor(b) - GoalsAgainst(b);
    if (da != db) return da > db;
    return GoalsFor(a) > GoalsFor(b);
}

bool Level(const int16_t* a, const int16_t* b) { return !Above(a, b) && !Above(b, a); }

void SwapRows(int16_t* a, int16_t* b) {
    int16_t t[kGroupStandingWords];
    std::memcpy(t, a, sizeof t);
    std::memcpy(a, b, sizeof t);
    std::memcpy(b, t, sizeof t);
}

// Orders rows first..end-1 (all level) by their meetings before the day.
void OrderByMeetings(GroupStandings s, int first, int end, int16_t day, int16_t stage) {
    Meeting m[kGroupStandingRows];
    auto index = [&](int16_t club) {
        for (int i = first; i < end; ++i) {
            if (s[i][kGroupClub] == club) return i;
        }
        return -1;
    };
    const int16_t code = int16_t(kFirstGroupCode + stage);
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot) && FixtureDay(slot) < day; ++slot) {
        if (FixtureType(slot) != code || !IsFixturePlayed(slot)) continue;
        const int h = index(FixtureHome(slot)), a = index(FixtureAway(slot));
        if (h < 0 || a < 0) continue;
        const int hg = int(FixtureScore(slot) & kFixtureGoalsMask),
                  ag = int(FixtureScore(slot) >> 5 & kFixtureGoalsMask);
        if (hg == ag) {
            ++m[h].points, ++m[a].points;
        } else {
            m[hg > ag ? h : a].points += 3;
        }
        m[h].difference += hg - ag, m[a].difference += ag - hg;
        m[h].goals += hg, m[a].goals += ag;
    }
    auto better = [](const Meeting& x, const Meeting& y) {
        if (x.points != y.points) return x.points > y.points;
        if (x.difference != y.difference) return x.difference > y.difference;
        return x.goals > y.goals;
    };
    for (int i = first; i < end; ++i) {
        for (int j = end - 1; j > i; --j) {
            if (better(m[j], m[j - 1])) {
                SwapRows(s[j], s[j - 1]);
                std::swap(m[j], m[j - 1]);
            }
        }
    }
}

}  // namespace

void SortGroupStandings(GroupStandings s, int16_t day, int16_t stage, int16_t) {
    // A stable bubble sort: rows that are level keep their order.
    for (int pass = 0; pass < kGroupStandingRows; ++pass) {
        for (int i = 0; i + 1 < kGroupStandingRows; ++i) {
            if (Above(s[i + 1], s[i])) SwapRows(s[i], s[i + 1]);
        }
    }
    for (int i = 0; i < kGroupStandingRows;) {
        int end = i + 1;
        while (end < kGroupStandingRows && Level(s[i], s[end])) ++end;
        if (end - i >= 2) OrderByMeetings(s, i, end, day, stage);
        i = end;
    }
}

void BuildGroupStandings(GroupStandings s, int16_t group, int16_t stage) {
    if (stage < 0 || stage >= 2 || group < 0 || group >= kGroups) return;
    for (int i = 0; i < kGroupStandingRows; ++i) {
        std::fill(s[i], s[i] + kGroupStandingWords, int16_t(0));
        s[i][kGroupClub] = ChampionsLeagueGroups[stage][group][i];
    }
    auto index = [&](int16_t club) {
        for (int i = 0; i < kGroupStandingRows; ++i) {
            if (IsClubNumber(club) && s[i][kGroupClub] == club) return i;
        }
        return -1;
    };
    const int16_t code = int16_t(kFirstGroupCode + stage);
    const int today = SeasonCalendar.currentDay;
    bool counted = false;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot) && FixtureDay(slot) <= today; ++slot) {
        if (FixtureType(slot) != code || !IsFixturePlayed(slot)) continue;
        const int h = index(FixtureHome(slot)), a = index(FixtureAway(slot));
        if (h < 0 || a < 0) continue;
        const int hg = int(FixtureScore(slot) & kFixtureGoalsMask),
                  ag = int(FixtureScore(slot) >> 5 & kFixtureGoalsMask);
        int16_t* home = s[h];
        int16_t* away = s[a];
        home[hg > ag ? kGroupHomeWon : hg == ag ? kGroupHomeDrawn : kGroupHomeLost]++;
        away[ag > hg ? kGroupAwayWon : hg == ag ? kGroupAwayDrawn : kGroupAwayLost]++;
        home[kGroupHomeFor] = int16_t(home[kGroupHomeFor] + hg),
        home[kGroupHomeAgainst] = int16_t(home[kGroupHomeAgainst] + ag);
        away[kGroupAwayFor] = int16_t(away[kGroupAwayFor] + ag),
        away[kGroupAwayAgainst] = int16_t(away[kGroupAwayAgainst] + hg);
        home[kGroupPoints] = int16_t(home[kGroupPoints] + (hg > ag ? 3 : hg == ag ? 1 : 0));
        away[kGroupPoints] = int16_t(away[kGroupPoints] + (ag > hg ? 3 : hg == ag ? 1 : 0));
        ++home[kGroupPlayed], ++away[kGroupPlayed];
        counted = true;
    }
    if (counted) SortGroupStandings(s, int16_t(today + 1), stage, group);
}
