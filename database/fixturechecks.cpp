#include "database/fixturechecks.h"

#include "season/calendar.h"
#include "season/fixtures.h"
#include "season/postponements.h"

namespace {

// True when a fixture of another competition on the slot's day has the
// club as either side.
bool ClubBusyOnDay(int slot, int16_t club) {
    const uint16_t day = FixtureDay(slot);
    for (int j = 0; j < kFixtureSlots && FixtureDay(j) <= day; ++j) {
        if (FixtureDay(j) == day && FixtureType(j) != kCompReserveLeague && IsFixtureOfClub(j, club)) {
            return true;
        }
    }
    return false;
}

}  // namespace

void ResolveFixtureClashes() {
    const int today = SeasonCalendar.currentDay;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (IsFixtureEmpty(slot) || FixtureType(slot) != kCompReserveLeague || FixtureDay(slot) < today) {
            continue;
        }
        if (ClubBusyOnDay(slot, FixtureHome(slot)) || ClubBusyOnDay(slot, FixtureAway(slot))) {
            FindNextFreeFixtureDay(int16_t(FixtureDay(slot)), int16_t(slot));
            DeleteFixture(int16_t(slot));
            --slot;  // the next fixture has moved into this slot
        }
    }
}
