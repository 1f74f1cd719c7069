#include "season/friendlies.h"

#include "database/Access.h"
#include "season/calendar.h"
#include "season/fixtures.h"
#include "support/random.h"

namespace {

constexpr int kFriendlySlots = 4;
constexpr int kDrawsPerSlot = 10000;
constexpr int kFreeDays = 14;

// No national-team day, competitive fixture or friendly on any day around.
bool FreeAround(int16_t club, int from, int to) {
    for (int day = from; day <= to; ++day) {
        if (FindFixtureOnDay(club, int16_t(day)) != -1) return false;
        if (FindFriendlyOnDay(club, int16_t(day)) != -1) return false;
    }
    return true;
}

}  // namespace

void ArrangeFriendly(int16_t club, int16_t nation) {
    const int today = SeasonCalendar.currentDay;
    int16_t chosen[kFriendlySlots] = {-1, -1, -1, -1};
    for (int n = kFriendlySlots; n >= 1; --n) {
        const int target = today + 3 * n;
        for (int draw = 0; draw < kDrawsPerSlot; ++draw) {
            int16_t candidate = int16_t(GameRandom() % kClubCount);
            if (GetClubNation(candidate) != uint16_t(nation)) continue;
            bool taken = candidate == club;
            for (int16_t c : chosen) taken = taken || c == candidate;
            if (taken || !FreeAround(candidate, target - 3, target + 1)) continue;
            AddFixture(int16_t(target - 1), kCompFriendly, candidate, club, 0);
            chosen[n - 1] = candidate;
            break;
        }
    }
}

int16_t IsFriendlyDateFree(int16_t club) {
    const int today = SeasonCalendar.currentDay;
    return FreeAround(club, today, today + kFreeDays - 1) ? 1 : 0;
}
