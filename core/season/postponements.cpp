#include "core/season/postponements.h"

#include <algorithm>
#include <initializer_list>

#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/matchsetup.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/soak.h"

namespace {

constexpr int kDayCount = kEmptyFixtureDay + 1;

// Days after `after` on which a fixture of the two clubs cannot be placed:
// national-team days and days on which either club has a competitive
// fixture.  One pass over the table from the first later day (the used
// slots stand in day order) serves every day of the search.
struct BusyDays {
    bool day[kDayCount] = {};

    BusyDays(int16_t home, int16_t away, int16_t after) {
        const int first = FindFixtureInsertPos(after);
        for (int slot = std::max(first, 0); slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
            int16_t type = FixtureType(slot);
            bool national = type == kCompNationalTeam || type == kCompNationalUnder21;
            bool competitive =
                type <= kCompLastCup && (IsFixtureOfClub(slot, home) || IsFixtureOfClub(slot, away));
            if (national || competitive) day[FixtureDay(slot)] = true;
        }
    }
    bool Free(int d) const { return d >= 0 && d < kDayCount && !day[d]; }
    bool RunFree(int first, int length) const {
        for (int d = first; d < first + length; ++d) {
            if (!Free(d)) return false;
        }
        return true;
    }
};

// Middle day of the first run of free days within first..last, searching
// forwards; -1 when none.
int ForwardRun(const BusyDays& busy, int first, int last, int length) {
    for (int start = first; start + length - 1 <= last; ++start) {
        if (busy.RunFree(start, length)) return start + length / 2;
    }
    return -1;
}

// The same searching backwards from last down to first.
int BackwardRun(const BusyDays& busy, int first, int last, int length) {
    for (int end = last; end - length + 1 >= first; --end) {
        if (busy.RunFree(end - length + 1, length)) return end - length / 2;
    }
    return -1;
}

int FirstCountryInPlay() {
    for (int c = 0; c < kCountryCount; ++c) {
        if (CountryInPlay[c] != 0) return c;
    }
    return 0;
}

int RuleCountry(int16_t type, int16_t home) {
    if (type >= kCompFirstEuropeanCup && type <= kCompLastCup) return 0;
    if (!IsClubNumber(home)) return FirstCountryInPlay();
    int country = GetClubNation(home);
    if (!IsCountryInPlay(country)) return FirstCountryInPlay();
    return country;
}

}  // namespace

bool FindNextFreeFixtureDay(int16_t day, int16_t slot) {
    if (slot < 0 || slot >= kFixtureSlots || IsFixtureEmpty(slot)) return false;
    const int16_t type = FixtureType(slot);
    const int16_t home = FixtureHome(slot);
    const int16_t away = FixtureAway(slot);
    const int16_t neutral = int16_t((FixtureScore(slot) & kFixtureNeutralBit) != 0);

    if (type == kCompReserveLeague) return AddFixture(int16_t(day + 1), type, home, away, neutral) != -1;

    int country = RuleCountry(type, home);
    int endDay = SeasonCalendar.leagueEndDay[country];
    if (country == 1 && day < SeasonCalendar.splitDay[1] && type == kCompLeague && home >= 0 &&
        IsClubNumber(home) && GetClubDivision(home) == 0) {
        endDay = SeasonCalendar.splitDay[1];
    }

    // Every day searched lies after the fixture's own.
    BusyDays busy(home, away, day);
    int chosen = -1;
    if (type == kCompLeague) {
        for (int length : {5, 3, 1}) {
            if (chosen == -1) chosen = ForwardRun(busy, day + 7, endDay, length);
        }
    } else {
        chosen = ForwardRun(busy, day + 2, endDay, 3);
        if (chosen == -1) chosen = ForwardRun(busy, day + 2, endDay, 1);
    }
    // Back from the end day; the new day always lies after the old one, so
    // the fixture being moved keeps its slot until the caller deletes it.
    for (int length : {5, 3, 1}) {
        if (chosen == -1) chosen = BackwardRun(busy, day + 1, endDay, length);
    }
    // No day left before the end day: the fixture stays where it is and
    // the game goes on, rather than ending over one match that cannot move.
    if (chosen == -1) {
        DebugLog(DEBUG_GENERAL, 1,
                 "FindNextFreeFixtureDay(): Warning: no more fixture Finalday Postdate: '%d,%d'\n", int(day),
                 int(slot));
        return false;
    }
    return AddFixture(int16_t(chosen), type, home, away, neutral) != -1;
}

bool MoveFixtureToFreeDay(int16_t slot) {
    if (slot < 0 || slot >= kFixtureSlots || IsFixtureEmpty(slot)) return false;
    // The new day lies after the old one, so the old entry keeps its slot.
    if (!FindNextFreeFixtureDay(int16_t(FixtureDay(slot)), slot)) return false;
    DeleteFixture(slot);
    ++SeasonEvents.moved;
    return true;
}

namespace {

constexpr int kPostponeChance = 5;  // in 100
constexpr int kWellCovered = 5;

bool IsWinterMonth(int month) { return month == 10 || month == 11 || month == 0 || month == 1; }

// The average style of the home ground's four stands: a low value means
// little cover from the weather.
int GroundCover(int16_t club) {
    if (!IsClubNumber(club)) return kWellCovered;
    const int sum = GetClubStandStyle0(club) + GetClubStandStyle1(club) + GetClubStandStyle2(club) +
                    GetClubStandStyle3(club);
    return sum / 4;
}

bool CalledOffByWeather(int slot) {
    if (GameRandom() % 100 >= kPostponeChance) return false;
    if (FixtureScore(slot) & kFixtureNeutralBit) return false;
    const int cover = GroundCover(FixtureHome(slot));
    if (cover >= kWellCovered) return false;
    return GameRandom() % (cover + 1) == 0;
}

}  // namespace

void ProcessPostponements() {
    if (!IsWinterMonth(SeasonCalendar.month)) return;
    const uint16_t today = uint16_t(SeasonCalendar.currentDay);
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot);) {
        if (FixtureDay(slot) > today) break;
        if (FixtureDay(slot) != today || FixtureType(slot) != kCompLeague || !CalledOffByWeather(slot)) {
            ++slot;
            continue;
        }
        const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
        if (!MoveFixtureToFreeDay(int16_t(slot))) {
            ++slot;
            continue;
        }
        AddMessage(home, away, 0xFFFFFFFFu, 0xFFFFFFFFu, -1, -1, -1, -1, -1, -1, -1, kMsgPostponed, 1, 0);
        ++SeasonEvents.postponed;
        // The next fixture has moved up into this slot: examine it too.
    }
}

void ClearClashOnDay(int16_t club, int16_t day) {
    const int16_t slot = FindFixtureOnDay(club, day);
    if (slot < 0) return;
    const int16_t home = FixtureHome(slot), away = FixtureAway(slot);
    const int16_t type = FixtureType(slot);
    if (!MoveFixtureToFreeDay(slot)) return;
    // A national-team day names nations, not clubs: nobody to tell.
    if (type != kCompNationalTeam && type != kCompNationalUnder21)
        AddMessage(home, away, 0xFFFFFFFFu, 0xFFFFFFFFu, -1, -1, -1, -1, -1, -1, -1, kMsgRescheduled, 1, 1);
}
