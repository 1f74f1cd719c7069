// The preview codes of a national cup tie: how the two clubs stand in their
// divisions and, for a second leg, what the first leg left to play for.
#include "core/query/cupentry.h"
#include "core/query/fixturelookups.h"
#include "core/query/leagueplaces.h"
#include "core/records/records.h"
#include "core/season/fixtures.h"
#include "core/season/reportfacts.h"

namespace {

constexpr int kNationalCups = 4;

// Where a club stands: its division row, the clubs of the division and its
// table place (0 top).
struct Standing {
    int row, n, q;
    bool topQuarter() const { return q < n / 4; }
    bool atLeastLow() const { return q >= 2 * n / 3; }  // "q at least 2n/3"
    bool aboveLow() const { return q > 2 * n / 3; }     // "q above 2n/3"
};

Standing StandingOf(int16_t club) {
    const int row = HVW_FindClubInDivisionRows(club);
    return Standing{row, HVW_GetCompRoundWord(int16_t(row), int16_t(GetClubNation(club))),
                    HVW_GetClubTablePosition(club)};
}

struct Options {
    int16_t leg, replay, penalties, awayGoals, firstHome, firstAway;
};

struct Codes {
    int16_t general = -1, home = -1, away = -1;
    void set(int g, int h, int a) {
        if (g >= 0) general = int16_t(g);
        if (h >= 0) home = int16_t(h);
        if (a >= 0) away = int16_t(a);
    }
};

constexpr int kNone = -1;

// The tie of two clubs of one division.
void SameDivision(const Standing& h, const Standing& a, const Options& o, Codes& c) {
    const bool one = o.leg == 0, first = o.leg == 1;
    const bool hBetween = !h.topQuarter() && !h.atLeastLow(), aBetween = !a.topQuarter() && !a.atLeastLow();
    if (h.topQuarter() && a.topQuarter()) {
        c.set(first && o.awayGoals ? 19 : 3, kNone, kNone);
    } else if (h.topQuarter() && a.atLeastLow()) {
        const int away = one                    ? (o.replay == 1 ? 11
                                                   : o.penalties ? 12
                                                                 : kNone)
                         : first && o.awayGoals ? 22
                                                : kNone;
        c.set(kNone, one ? 1 : first ? 21 : kNone, away);
    } else if (h.topQuarter()) {
        c.set(kNone, one ? 0 : first ? 23 : kNone, one ? 13 : first ? 24 : kNone);
    } else if (h.atLeastLow() && a.topQuarter()) {
        c.set(kNone, 14, 0);
    } else if (a.topQuarter()) {
        c.set(first && o.awayGoals ? 20 : 15, kNone, kNone);
    } else if (h.atLeastLow() && a.atLeastLow()) {
        c.set(5, kNone, kNone);
    } else if (h.atLeastLow() && aBetween) {
        c.set(15, kNone, kNone);
    } else if (hBetween && a.atLeastLow()) {
        c.set(kNone, 0, one ? 13 : first ? 24 : kNone);
    } else {
        c.set(15, kNone, kNone);
    }
}

// The home club one or more divisions above (gap = rows between them).
void HomeHigher(const Standing& h, const Standing& a, int gap, const Options& o, Codes& c) {
    const bool one = o.leg == 0, first = o.leg == 1;
    const bool hBetween = !h.topQuarter() && !h.aboveLow(), aBetween = !a.topQuarter() && !a.aboveLow();
    const int lowAway = one ? 13 : first ? 24 : kNone;
    if (h.topQuarter() && a.topQuarter()) {
        c.set(4, gap >= 2 ? 2 : kNone, kNone);
    } else if (h.topQuarter()) {
        c.set(kNone, 1, 18);
    } else if (h.aboveLow() && a.topQuarter()) {
        c.set(kNone, 17, 6);
    } else if (a.topQuarter()) {
        if (gap >= 2) {
            c.set(kNone, 0, 8);
        } else {
            c.set(9, kNone, kNone);
        }
    } else if (h.aboveLow() && a.aboveLow()) {
        if (gap >= 2) {
            c.set(kNone, 0, 18);
        } else {
            c.set(kNone, 2, lowAway);
        }
    } else if (h.aboveLow() && aBetween) {
        c.set(kNone, gap >= 2 ? 17 : 10, 8);
    } else if (hBetween && a.aboveLow()) {
        c.set(kNone, 1, 18);
    } else if (gap >= 2) {
        c.set(kNone, 0, 18);
    } else {
        c.set(kNone, 0, lowAway);
    }
}

// The home club one or more divisions below.
void HomeLower(const Standing& h, const Standing& a, int gap, Codes& c) {
    const bool hBetween = !h.topQuarter() && !h.aboveLow(), aBetween = !a.topQuarter() && !a.aboveLow();
    if (h.topQuarter() && a.topQuarter()) {
        c.set(4, kNone, gap >= 2 ? 2 : kNone);
    } else if (a.topQuarter()) {
        if (gap >= 2) {
            c.set(kNone, 14, 1);
        } else {
            c.set(kNone, 18, 0);
        }
    } else if (h.topQuarter() && a.aboveLow()) {
        c.set(kNone, 6, gap >= 2 ? 16 : 17);
    } else if (h.topQuarter()) {
        if (gap >= 2) {
            c.set(kNone, 6, 10);
        } else {
            c.set(9, 8, kNone);
        }
    } else if (h.aboveLow() && a.aboveLow()) {
        c.set(kNone, 18, 2);
    } else if (hBetween && a.aboveLow()) {
        if (gap >= 2) {
            c.set(kNone, 18, 10);
        } else {
            c.set(kNone, 14, 17);
        }
    } else if (hBetween && aBetween) {
        if (gap >= 2) {
            c.set(kNone, 18, 2);
        } else {
            c.set(9, 14, kNone);
        }
    } else {  // home q above 2n/3, away between
        c.set(kNone, 18, gap >= 2 ? 1 : 0);
    }
}

// What the first leg left: overwrites the table's codes where a rule says.
// d = away row - home row: above 0 the home club is higher.
void SecondLeg(const Standing& h, const Standing& a, const Options& o, Codes& c) {
    const int m = o.firstHome - o.firstAway;
    const int d = a.row - h.row;
    const bool higher = d > 0, same = d == 0, lower = d < 0;
    const bool caseA = h.aboveLow() && a.topQuarter();
    const bool caseB = h.topQuarter() && a.topQuarter();
    const bool caseC = h.topQuarter() && !a.topQuarter();
    const bool caseD = !h.aboveLow() && a.aboveLow();
    const bool caseE = h.topQuarter() && a.aboveLow();
    const bool ag = o.awayGoals != 0;
    const bool homeScoredTwo = o.firstHome >= 2;
    if (m >= 5) {
        if (higher) c.set(kNone, 25, 26);
        if (same) c.set(27, kNone, kNone);
        if (lower) c.set(kNone, 28, 29);
    } else if (m >= 3) {
        if (!lower) c.set(kNone, 30, 31);
        if (lower) c.set(kNone, 32, 33);
    } else if (m == 2) {
        if (higher) {
            c.set(27, kNone, d >= 2 ? 34 : kNone);
        } else if (same) {
            c.set(kNone, caseA ? 35 : 30, caseA ? 33 : 31);
        } else if (d == -1) {
            c.set(kNone, 36, kNone);
        } else {
            c.set(kNone, 37, 33);
        }
    } else if (m == 1) {
        if (d >= 2) {
            c.set(kNone, 38, kNone);
        } else if (d == 1) {
            if (caseA) {
                c.set(ag ? 41 : kNone, 39, 40);
            } else {
                c.set(kNone, caseB ? 42 : 38, kNone);
            }
        } else if (same) {
            if (caseA) {
                c.set(ag ? 41 : kNone, 43, 40);
            } else if (caseC || caseD) {
                c.set(kNone, 42, kNone);
            } else {
                c.set(ag ? 44 : 46, kNone, kNone);
            }
        } else if (d == -1 && caseE) {
            c.set(kNone, 36, kNone);
        } else {
            c.set(ag ? 41 : kNone, 43, 45);
        }
    } else if (m == 0) {
        if (d >= 2) {
            c.set(kNone, 47, kNone);
        } else if (d == 1) {
            if (caseA) {
                c.set(kNone, 17, 6);
            } else if (caseB) {
                c.set(kNone, 42, 48);
            } else {
                c.set(kNone, 47, kNone);
            }
        } else if (same) {
            if (caseA) {
                c.set(kNone, 14, o.firstHome == 0 && o.firstAway == 0 && ag ? 49 : 50);
            } else if (caseC || caseD) {
                c.set(kNone, 42, 48);
            } else {
                c.set(ag ? 44 : 46, kNone, kNone);
            }
        } else if (d == -1 && caseE) {
            c.set(kNone, 36, kNone);
        } else {
            c.set(kNone, homeScoredTwo && ag ? 51 : o.penalties ? 52 : kNone, 50);
        }
    } else if (m == -1) {
        if (d >= 2) {
            c.set(kNone, 53, kNone);
        } else if (d == 1) {
            if (caseA) {
                c.set(homeScoredTwo && ag ? 41 : kNone, 54, 55);
            } else if (caseB) {
                c.set(kNone, 53, 56);
            } else {
                c.set(46, 53, kNone);
            }
        } else if (same) {
            if (caseA) {
                const bool fortyOne = ag && homeScoredTwo;
                c.set(fortyOne ? 41 : kNone, 14, !ag ? 57 : !fortyOne ? 49 : kNone);
            } else if (caseE) {
                c.set(kNone, 58, 43);
            } else if (caseC || caseD) {
                c.set(kNone, 58, ag ? 49 : kNone);
            } else {
                c.set(ag ? 44 : 46, kNone, kNone);
            }
        } else if (d == -1 && caseE) {
            c.set(kNone, 59, ag ? 49 : kNone);
        } else {
            c.set(kNone, kNone, 57);
        }
    } else if (m >= -4) {
        if (d >= 2) {
            c.set(m == -2 ? 46 : kNone, 53, ag ? 48 : kNone);
        } else if (d == 1) {
            c.set(kNone, h.aboveLow() || a.topQuarter() ? 54 : 53, 6);
        } else if (same) {
            c.set(kNone, 54, caseA ? 57 : ag ? 49 : 7);
        } else if (d == -1 && caseE) {
            c.set(kNone, m == -2 ? 59 : 29, ag ? 49 : 57);
        } else {
            c.set(kNone, kNone, 57);
        }
    } else {
        if (higher) c.set(kNone, 29, 60);
        if (same) c.set(27, kNone, kNone);
        if (lower) c.set(kNone, 61, 25);
    }
}

bool FixtureExists(int16_t home, int16_t away, int16_t code) {
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureType(slot) == code && FixtureHome(slot) == home && FixtureAway(slot) == away) return true;
    }
    return false;
}

}  // namespace

int16_t CompareClubPositions(int16_t slot, int16_t* homeCode, int16_t* awayCode) {
    *homeCode = *awayCode = -1;
    if (slot < 0 || slot >= kFixtureSlots || IsFixtureEmpty(slot)) return -1;
    const int16_t code = FixtureType(slot);
    const int16_t cup = HVW_GetCupIndex(code);
    if (cup < 0 || cup >= kNationalCups) return -1;
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    if (!IsClubNumber(home) || !IsClubNumber(away)) return -1;
    // A second match whose first is missing has nothing to compare (and
    // its options cannot be read).
    const bool secondMatch = (code - kCompFirstNationalCup) % kCodesPerCup >= kSecondMatchCodes;
    if (secondMatch && !FixtureExists(away, home, int16_t(code - kSecondMatchCodes))) return -1;

    const Standing h = StandingOf(home), a = StandingOf(away);
    int16_t substitutes, extraTime, goldenGoal;
    Options o{};
    HVW_GetFixturePlayOptions(slot, &substitutes, &extraTime, &goldenGoal, &o.penalties, &o.awayGoals, &o.leg,
                              &o.replay, &o.firstHome, &o.firstAway);
    int16_t nation = int16_t(GetClubNation(home));
    if (nation >= kCountryCount) nation = int16_t(GetClubNation(away));
    const int16_t stage = HVW_GetCupRoundTieType(nation, cup, HVW_GetCupRoundIndex(code));

    Codes c;
    if (stage < 2) {
        const int gap = a.row - h.row;
        if (gap == 0) {
            SameDivision(h, a, o, c);
        } else if (gap > 0) {
            HomeHigher(h, a, gap, o, c);
        } else {
            HomeLower(h, a, -gap, c);
        }
    }
    if (o.leg == 2) SecondLeg(h, a, o, c);
    *homeCode = c.home;
    *awayCode = c.away;
    return c.general;
}
