#include "core/records/fixturechecks.h"

#include <cstdio>

#include "core/base/debug.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/postponements.h"

namespace {

constexpr int kLegCodes = 8;
constexpr int16_t kCupFirstTypes[] = {5, 21, 37, 53, 69, 85, 101};
constexpr recbits::BitField kTypeField{0, 9, 7};

// The first slot of the day (the table is in day order, empty slots last).
int FirstSlotOfDay(uint16_t day) {
    int low = 0, high = kFixtureSlots;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (FixtureDay(middle) < day) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

// The clubs with a fixture other than a reserve-league one on the day last
// gathered: one walk of a day serves all of its reserve fixtures, which
// otherwise walked the whole day twice each.
uint8_t g_busyClub[1 << 16];
uint16_t g_busyMarked[2 * kFixtureSlots];
int g_busyMarkedCount = 0;
int g_busyDay = -1;

void ForgetBusyClubs() {
    for (int i = 0; i < g_busyMarkedCount; ++i) g_busyClub[g_busyMarked[i]] = 0;
    g_busyMarkedCount = 0;
    g_busyDay = -1;
}

void MarkBusyClub(int16_t club) {
    const uint16_t index = uint16_t(club);
    if (g_busyClub[index] != 0) return;
    g_busyClub[index] = 1;
    g_busyMarked[g_busyMarkedCount++] = index;
}

void GatherBusyClubs(uint16_t day) {
    ForgetBusyClubs();
    for (int j = FirstSlotOfDay(day); j < kFixtureSlots && FixtureDay(j) == day; ++j) {
        if (FixtureType(j) == kCompReserveLeague) continue;
        MarkBusyClub(FixtureHome(j));
        MarkBusyClub(FixtureAway(j));
    }
    g_busyDay = day;
}

// Another fixture on the reserve fixture's day in which the club plays.
bool ClubBusyOnDay(int16_t club, uint16_t day) {
    if (g_busyDay != int(day)) GatherBusyClubs(day);
    return g_busyClub[uint16_t(club)] != 0;
}

bool IsFirstLegOf(int slot, int16_t firstType, int16_t home, int16_t away) {
    int16_t type = FixtureType(slot);
    return !IsFixtureEmpty(slot) && type >= firstType && type < firstType + kLegCodes &&
           FixtureHome(slot) == away && FixtureAway(slot) == home;
}

void SetFixtureType(int slot, int16_t type) {
    recbits::WriteField(FixtureTable[slot].bytes, kTypeField, uint32_t(type));
}

}  // namespace

void ResolveFixtureClashes() {
    const int16_t today = SeasonCalendar.currentDay;
    int slot = 0;
    while (slot < kFixtureSlots && !IsFixtureEmpty(slot)) {
        const uint16_t day = FixtureDay(slot);
        // A fixture already played today stays: moving it would re-add it
        // unplayed and throw its result away.
        if (FixtureType(slot) != kCompReserveLeague || int(day) < today || IsFixturePlayed(slot) ||
            (!ClubBusyOnDay(FixtureHome(slot), day) && !ClubBusyOnDay(FixtureAway(slot), day))) {
            ++slot;
            continue;
        }
        // Re-adding needs a free slot; deleting without it would lose the
        // fixture, so a full table keeps the clash.
        if (!IsFixtureEmpty(kFixtureSlots - 1)) {
            DebugLog(DEBUG_GENERAL, 1,
                     "ResolveFixtureClashes(): Warning: fixture table full, slot %d keeps its day\n", slot);
            ++slot;
            continue;
        }
        // The old entry goes only when the fixture found a later day; the
        // fixture that then moves up into the slot is examined next.
        // A move adds a fixture on a later day, which may remove friendlies
        // there: gather the day again after it.
        ForgetBusyClubs();
        if (!MoveFixtureToFreeDay(int16_t(slot))) ++slot;
    }
    ForgetBusyClubs();
}

void CheckTwoLegOrder(int16_t firstType) {
    const int16_t today = SeasonCalendar.currentDay;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int16_t type = FixtureType(slot);
        if (int(FixtureDay(slot)) <= today || type < firstType + kLegCodes ||
            type >= firstType + 2 * kLegCodes) {
            continue;
        }
        const int16_t home = FixtureHome(slot);
        const int16_t away = FixtureAway(slot);
        bool inOrder = false;
        for (int j = slot; j >= 0 && !inOrder; --j) inOrder = IsFirstLegOf(j, firstType, home, away);
        if (inOrder) continue;
        int later = -1;
        for (int j = slot + 1; j < kFixtureSlots && later == -1; ++j) {
            if (IsFirstLegOf(j, firstType, home, away)) later = j;
        }
        if (later == -1) {
            std::printf("CheckTwoLegOrder(): no first leg for the second leg in slot %d (%d v %d)\n", slot,
                        int(home), int(away));
            FatalExit(__func__);
        }
        SetFixtureType(slot, FixtureType(later));
        SetFixtureType(later, type);
    }
}

void CheckCupTieFixturesAll() {
    for (int16_t firstType : kCupFirstTypes) CheckTwoLegOrder(firstType);
}
