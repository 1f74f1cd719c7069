// Competition codes: round, leg and competition names, second legs, the
// club's next fixtures, the day's listing by category, line-ups and the
// day's fixtures counted from the user's side.
#include "database/Access.h"
#include "database/funcs.h"
#include "season/fixtures.h"

namespace {

// Cup blocks 4-6 are the European cups.
constexpr int16_t kEuropeanCupIndex = 4;

}  // namespace

void HVW_CountFixturesOnDay(int16_t day, int16_t* userSlot, int16_t* sameCount,
                            int16_t* flaggedSlot, int16_t* flaggedCount, int16_t* otherCount) {
    *userSlot = -1;
    *flaggedSlot = -1;
    *sameCount = 0;
    *flaggedCount = 0;
    *otherCount = 0;
    const int16_t user = HVW_GetMyClub();
    auto isNational = [](int16_t type) {
        return type == kCompNationalTeam || type == kCompNationalUnder21;
    };
    // The day's fixtures stand together; the walk stops after them.
    int first = -1, end = 0;
    for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) <= day; ++slot) {
        if (FixtureDay(slot) != day) continue;
        if (first == -1) first = slot;
        end = slot + 1;
    }
    if (first == -1) return;

    int16_t userDivision = -2, userCup = -2, userRound = -1, userType = -1;
    for (int slot = first; slot < end; ++slot) {
        int16_t type = FixtureType(slot);
        if (FixtureDay(slot) != day || isNational(type) || user < 0 ||
            !IsFixtureOfClub(slot, user)) {
            continue;
        }
        (type == kCompReserveLeague ? *flaggedSlot : *userSlot) = int16_t(slot);
        HVW_GetFixtureCompPosition(int16_t(slot), &userDivision, &userCup, &userRound);
        userType = type;
    }

    const int userCountry = user >= 0 ? GetClubNation(user) : -1;
    auto countryOf = [](int16_t club) {
        return club >= 0 && club < kClubCount ? int(GetClubNation(club)) : -1;
    };
    for (int slot = first; slot < end; ++slot) {
        if (FixtureDay(slot) != day) continue;
        if (slot == *userSlot) {
            ++*sameCount;
            continue;
        }
        if (slot == *flaggedSlot) {
            ++*flaggedCount;
            continue;
        }
        if (*userSlot == -1 && *flaggedSlot == -1) {
            ++*otherCount;
            continue;
        }
        int16_t type = FixtureType(slot);
        int16_t division, cup, round;
        HVW_GetFixtureCompPosition(int16_t(slot), &division, &cup, &round);
        int16_t home = FixtureHome(slot), away = FixtureAway(slot);
        if (division == userDivision && division != -2 && countryOf(home) == userCountry) {
            if (type == kCompReserveLeague && *flaggedSlot != -1) {
                ++*flaggedCount;
            } else {
                ++*sameCount;
            }
        } else if (cup == userCup && cup != -2 &&
                   (cup >= kEuropeanCupIndex || countryOf(home) == userCountry ||
                    countryOf(away) == userCountry)) {
            ++*sameCount;
        } else if (userType == kCompFriendly && type == kCompFriendly) {
            ++*sameCount;
        } else {
            ++*otherCount;
        }
    }
}
