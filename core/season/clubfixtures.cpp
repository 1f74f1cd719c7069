#include "core/season/clubfixtures.h"

#include <algorithm>
#include <initializer_list>

#include "core/query/competitionnames.h"
#include "core/query/europeanplaces.h"
#include "core/query/forwarders.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/cuprounds.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/matchsetup.h"

namespace {

constexpr int16_t kDefaultSubstitutes = 5;
constexpr int16_t kNotInTable = 1200;
constexpr int16_t kNoGroup = -2;

int16_t Today() { return SeasonCalendar.currentDay; }

bool IsSkippedByNextFixture(int16_t type) {
    return type == kCompNationalTeam || type == kCompNationalUnder21 || type == kCompReserveLeague;
}

// The clubs' next fixtures kept while a pass over many clubs asks for them
// again and again; good while the day and the table stay as they were.
struct NextFixtureMemo {
    bool on = false;
    int16_t day = -1;
    uint32_t generation = 0;
    int16_t slot[kClubCount];
};
NextFixtureMemo g_memo;
constexpr int16_t kNotLookedUp = -2;

void ResetNextFixtureMemo() {
    g_memo.day = Today();
    g_memo.generation = FixtureTableGeneration;
    std::fill(std::begin(g_memo.slot), std::end(g_memo.slot), kNotLookedUp);
}

// Empty slots carry club 0 in their stale heads; every scan here ends at
// the first of them.
int16_t ScanNextFixtureSlot(int16_t club) {
    // The used slots stand in day order: today's fixtures start where one
    // of yesterday would be inserted.
    const int first = Today() > 0 ? FindFixtureInsertPos(int16_t(Today() - 1)) : 0;
    for (int slot = std::max(first, 0); slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) >= Today() && !IsSkippedByNextFixture(FixtureType(slot)) &&
            IsFixtureOfClub(slot, club)) {
            return int16_t(slot);
        }
    }
    return -1;
}

// Every club's next fixture in one walk over the table: the first slot
// that ScanNextFixtureSlot would find for each club, -1 for a club without.
void FillNextFixtureMemo() {
    std::fill(std::begin(g_memo.slot), std::end(g_memo.slot), int16_t(-1));
    const int first = Today() > 0 ? FindFixtureInsertPos(int16_t(Today() - 1)) : 0;
    for (int slot = std::max(first, 0); slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) < Today() || IsSkippedByNextFixture(FixtureType(slot))) continue;
        for (const int16_t club : {FixtureHome(slot), FixtureAway(slot)}) {
            if (IsClubNumber(club) && g_memo.slot[club] == -1) g_memo.slot[club] = int16_t(slot);
        }
    }
}

int16_t NextFixtureSlot(int16_t club) {
    if (!g_memo.on || !IsClubNumber(club)) return ScanNextFixtureSlot(club);
    if (g_memo.day != Today() || g_memo.generation != FixtureTableGeneration) ResetNextFixtureMemo();
    // A walk for one club costs about as much as the walk for all of them
    // (most clubs' next fixtures lie days ahead, some have none).
    if (g_memo.slot[club] == kNotLookedUp) FillNextFixtureMemo();
    return g_memo.slot[club];
}

int16_t CupSlotOfType(int16_t type) {
    if (type == kCompFriendly) return kCompFriendly;
    if (type < kCompFirstNationalCup || type > kCompLastCup) return -1;
    int16_t cup = int16_t((type - kCompFirstNationalCup) / 16);
    return cup >= 5 ? int16_t(6) : cup;  // the second and third European cups share slot 6
}

int16_t SignedByte(uint8_t b) { return int16_t(int8_t(b)); }

// Substitutes of one competitive fixture of the club, read as a signed
// byte (a cup that the country does not have gives -1).
int16_t SubstitutesOf(int16_t type, int16_t club) {
    int nation = GetClubNation(club);
    if (type >= kCompFirstEuropeanCup) {
        int cup = kFirstEuropeanCup + (type - kCompFirstEuropeanCup) / 16;
        return SignedByte(CupRoundRules.bytes[0][cup][0][kCupSubstitutes]);
    }
    // A club outside the playable countries has no league or national cup.
    if (!IsCountryNumber(nation)) return kDefaultSubstitutes;
    if (type >= kCompFirstNationalCup) {
        int cup = (type - kCompFirstNationalCup) / 16;
        return SignedByte(CupRoundRules.bytes[nation][cup][0][kCupSubstitutes]);
    }
    int division = GetClubDivision(club);
    if (!IsDivisionNumber(division)) return kDefaultSubstitutes;
    return SignedByte(DivisionMatchRules[nation][division][kRuleSubstitutes]);
}

int16_t DivisionGroup(int slot) {
    int16_t division, cup, round;
    HVW_GetFixtureCompPosition(int16_t(slot), &division, &cup, &round);
    return division;
}

int16_t CupGroup(int slot) {
    int16_t division, cup, round;
    HVW_GetFixtureCompPosition(int16_t(slot), &division, &cup, &round);
    return cup;
}

int NationOfHome(int slot) {
    int16_t home = FixtureHome(slot);
    return IsClubNumber(home) ? int(GetClubNation(home)) : -1;
}

// Gathers qualifying fixtures of the day at the front: each one found is
// moved to `next` and becomes `last`; then the user's own fixture is
// exchanged with the slot at `last`.  Both of the user's slots are followed
// through the exchanges.
struct DayOrder {
    int end;
    int next;
    int last;
    int16_t userSlot;
    int16_t reserveSlot;

    void Exchange(int a, int b) {
        if (a == b) return;
        SwapFixtureHeads(int16_t(a), int16_t(b));
        for (int16_t* tracked : {&userSlot, &reserveSlot}) {
            if (*tracked == a) {
                *tracked = int16_t(b);
            } else if (*tracked == b) {
                *tracked = int16_t(a);
            }
        }
    }

    void Gather(const int16_t& own, auto qualifies) {
        for (int slot = next; slot < end; ++slot) {
            if (!qualifies(slot)) continue;
            Exchange(slot, next);
            last = next;
            ++next;
        }
        Exchange(own, last);
    }
};

}  // namespace

void KeepNextFixtures(bool on) {
    g_memo.on = on;
    if (on) ResetNextFixtureMemo();
}

int16_t GetNextOpponent(int16_t club) {
    int16_t slot = NextFixtureSlot(club);
    if (slot == -1) return -1;
    return FixtureHome(slot) == club ? FixtureAway(slot) : FixtureHome(slot);
}

int16_t GetNextFixtureCupSlot(int16_t club) {
    int16_t slot = NextFixtureSlot(club);
    return slot == -1 ? int16_t(-1) : CupSlotOfType(FixtureType(slot));
}

int16_t IsPlayerCupTied(uint16_t player) {
    int16_t club = int16_t(GetPlayerClub(player));
    int16_t category = GetNextFixtureCupSlot(club);
    if (category == -1 || category == kCompFriendly) return 0;
    int row = 0;
    if (category < kFirstEuropeanCup) {
        row = GetClubNation(club);
        // No national cup is played outside the playable countries.
        if (!IsCountryNumber(row)) return 0;
    }
    uint16_t tiedTo = GetPlayerCup(player, category, int16_t(row));
    if (tiedTo == uint16_t(club) || tiedTo == kNoClub) return 0;
    return 1;
}

int16_t CountPlayedFixturesOfClub(int16_t club) {
    int16_t count = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) < Today() && FixtureType(slot) <= kCompFriendly && IsFixtureOfClub(slot, club)) {
            ++count;
        }
    }
    return count;
}

int16_t GetNextFixtureSubstitutes(int16_t club) {
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        int16_t type = FixtureType(slot);
        if (FixtureDay(slot) < Today() || type > kCompLastCup || !IsFixtureOfClub(slot, club)) {
            continue;
        }
        // The champion-versus-cup-winner match has no rule entry of its own.
        if (type == kCompChampionVsCupWinner) continue;
        return SubstitutesOf(type, club);
    }
    return kDefaultSubstitutes;
}

int16_t GetClubLeaguePosition(int16_t club) {
    int nation = GetClubNation(club);
    if (!IsCountryInPlay(nation)) return 0;
    int16_t place = 1;
    for (int row = 0; row < kDivisionCount; ++row) {
        for (int16_t entry : LeagueTable[nation][row]) {
            if (entry == club) return place;
            if (uint16_t(entry) != kNoLeagueClub) ++place;
        }
    }
    return kNotInTable;
}

int16_t GetSeasonDayEntry(int16_t index) {
    constexpr int kWords = sizeof CompetitionDayWords / sizeof CompetitionDayWords[0];
    return index >= 0 && index < kWords ? CompetitionDayWords[index] : int16_t(0);
}

int16_t OrderTodaysFixtures() {
    const int16_t today = Today();
    const int16_t user = HVW_GetMyClub();
    if (user < 0) return 0;
    const int nation = GetClubNation(user);
    int16_t userSlot, sameCount, reserveSlot, reserveCount, otherCount;
    HVW_CountFixturesOnDay(today, &userSlot, &sameCount, &reserveSlot, &reserveCount, &otherCount);
    if (userSlot == -1 && reserveSlot == -1) return 0;

    // Today's fixtures stand together from the first of them.
    int first = FindFixtureInsertPos(int16_t(today - 1));
    if (first == -1) return 0;
    DayOrder order{first, first, first, userSlot, reserveSlot};
    while (order.end < kFixtureSlots && FixtureDay(order.end) == today) ++order.end;

    const int16_t d = userSlot != -1 ? DivisionGroup(userSlot) : int16_t(GetClubDivision(user));
    if (reserveSlot != -1) {
        order.Gather(order.reserveSlot, [&](int slot) {
            return FixtureType(slot) == kCompReserveLeague && NationOfHome(slot) == nation &&
                   DivisionGroup(slot) == d;
        });
    }
    if (userSlot != -1) {
        const int16_t c = CupGroup(order.userSlot);
        const int16_t t = FixtureType(order.userSlot);
        order.Gather(order.userSlot, [&](int slot) {
            int16_t division = DivisionGroup(slot);
            int16_t cup = CupGroup(slot);
            bool sameGroup = (division == d && d != kNoGroup) || (cup == c && c != kNoGroup);
            if (sameGroup && NationOfHome(slot) == nation) return true;
            if (cup == c && c >= kFirstEuropeanCup) return true;
            return t == kCompFriendly && FixtureType(slot) == kCompFriendly;
        });
    }
    return 1;
}

int16_t FindNextFixtureOfClub(int16_t club) { return GetNextOpponent(club); }
int16_t GetNextFixtureOfClub(int16_t club) { return GetNextFixtureCupSlot(club); }
int16_t GetNextFixtureOfPlayersClub(uint16_t player) { return IsPlayerCupTied(player); }
int16_t GetFixtureCompInfo(int16_t club) { return GetNextFixtureSubstitutes(club); }
