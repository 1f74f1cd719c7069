#include "season/postponements.h"

#include <initializer_list>

#include "database/Access.h"
#include "database/ranges.h"
#include "season/calendar.h"
#include "season/fixtures.h"
#include "season/matchsetup.h"
#include "support/debug.h"

namespace {

constexpr int kDayCount = kEmptyFixtureDay + 1;

// Days on which a fixture of the two clubs cannot be placed: national-team
// days and days on which either club has a competitive fixture.  One pass
// over the table serves every day of the search.
struct BusyDays {
    bool day[kDayCount] = {};

    BusyDays(int16_t home, int16_t away) {
        for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
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

void FindNextFreeFixtureDay(int16_t day, int16_t slot) {
    if (slot < 0 || slot >= kFixtureSlots) return;
    const int16_t type = FixtureType(slot);
    const int16_t home = FixtureHome(slot);
    const int16_t away = FixtureAway(slot);
    const int16_t neutral = int16_t((FixtureScore(slot) & kFixtureNeutralBit) != 0);

    if (type == kCompReserveLeague) {
        AddFixture(int16_t(day + 1), type, home, away, neutral);
        return;
    }

    int country = RuleCountry(type, home);
    int endDay = SeasonCalendar.leagueEndDay[country];
    if (country == 1 && day < SeasonCalendar.splitDay[1] && type == kCompLeague && home >= 0 &&
        IsClubNumber(home) && GetClubDivision(home) == 0) {
        endDay = SeasonCalendar.splitDay[1];
    }

    BusyDays busy(home, away);
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
    if (chosen == -1) {
        FatalError("no more fixture Finalday Postdate: '%d,%d'\n", int(day), int(slot));
    }
    AddFixture(int16_t(chosen), type, home, away, neutral);
}
