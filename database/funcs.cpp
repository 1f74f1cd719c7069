#include "database/funcs.h"

#include <cstdio>
#include <cstring>

#include "database/Access.h"
#include "season/fixtures.h"
#include "season/leagues.h"
#include "season/seasontables.h"
#include "management/squads.h"

int8_t ViewedCountry;
uint8_t QueryLayerTable[24];

int16_t HVW_GetViewedCountry() { return ViewedCountry; }
void HVW_SetViewedCountry(int16_t country) { ViewedCountry = int8_t(country); }

namespace {

constexpr int16_t kTicketPrice[kCountryCount][kDivisionCount] = {
    {30, 8, 4, 3, 2, 2},   {30, 8, 4, 3, 4, 4},   {30, 8, 4, 4, 2, 2},
    {30, 10, 4, 4, 4, 4},  {30, 10, 8, 6, 4, 4},  {30, 10, 4, 4, 4, 4},
    {30, 10, 8, 6, 6, 4},  {30, 10, 4, 4, 4, 4},  {30, 10, 4, 4, 4, 4},
};

}  // namespace

int16_t HVW_GetTicketPrice(int16_t division, int16_t country) {
    if (country < 0 || country >= kCountryCount || division < 0 || division >= kDivisionCount) {
        return 0;
    }
    return kTicketPrice[country][division];
}

int16_t HVW_GetClubStandingClass(int16_t club) {
    int p = GetClubBaseRep(club);
    int nation = GetClubNation(club);
    int division = GetClubDivision(club);
    int n = 0;
    if (nation < kCountryCount && division < kDivisionCount) n = DivisionLayout[nation][division].clubs;
    if (p < 5) return division == 0 ? 7 : 5;
    if (p < 8) return division == 0 ? 6 : 4;
    if (p < n / 2) return 3;
    if (p < n / 2 + 5) return 2;
    if (p < n - 4) return 1;
    return 0;
}

namespace {

// Initial-letter index 0 is a blank: no initial.
constexpr char kInitials[] = " ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int kSurnameField = 16;

char g_short_name[kSurnameField + 3];

}  // namespace

const char* HVW_GetPlayerShortName(uint16_t player) {
    const uint16_t initial = GetPlayerInitial(player);
    // The surname field holds 16 characters; it need not be terminated.
    const char* surname = GetPlayerSurname(player);
    if (initial != 0 && initial < sizeof kInitials - 1) {
        std::snprintf(g_short_name, sizeof g_short_name, "%c.%.*s", kInitials[initial], kSurnameField, surname);
    } else {
        std::snprintf(g_short_name, sizeof g_short_name, "%.*s", kSurnameField, surname);
    }
    return g_short_name;
}

// --- fixture queries --------------------------------------------------------

int16_t HVW_GetMyClub() {
    if (PlayerCount <= 1) return -1;
    return int16_t(GetPlayerClub(1));
}

int16_t HVW_GetCupIndex(int16_t competition) {
    if (competition < kCompFirstNationalCup || competition > kCompLastCup) return -2;
    return int16_t((competition - kCompFirstNationalCup) / 16);
}

int16_t HVW_FindClubInDivisionRows(int16_t club) {
    if (club < 0 || club >= kClubCount) return 0;
    int country = GetClubNation(club);
    if (country >= kCountryCount) return 0;
    for (int row = 0; row < kDivisionCount; ++row) {
        for (int16_t entry : LeagueTable[country][row]) {
            if (entry == club) return int16_t(row);
        }
    }
    return 0;
}

namespace {

// Cup blocks 4-6 are the European cups.
constexpr int16_t kEuropeanCupIndex = 4;

bool IsLeagueGroupType(int16_t type) {
    return (type >= kCompLeague && type <= kCompPlayOffFinal) || type == kCompReserveLeague;
}

}  // namespace

void HVW_GetFixtureCompPosition(int16_t slot, int16_t* division, int16_t* cup, int16_t* round) {
    *division = -2;
    *cup = -2;
    *round = -1;
    if (slot < 0 || slot >= kFixtureSlots) return;
    int16_t type = FixtureType(slot);
    if (IsLeagueGroupType(type)) {
        *division = HVW_FindClubInDivisionRows(FixtureHome(slot));
    } else if (type >= kCompFirstNationalCup && type <= kCompLastCup) {
        *cup = HVW_GetCupIndex(type);
        *round = *cup != -2 ? int16_t((type - kCompFirstNationalCup) % 8) : int16_t(-2);
    }
}

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

// --- season resets -----------------------------------------------------------

uint8_t HVW_ClubMarks[1200][6];

void HVW_ClearClubMarks() {
    for (uint8_t* mark : HVW_ClubMarks) {
        mark[0] = 255;
        mark[1] = 255;
        std::memset(mark + 2, 0, 4);
    }
}

void HVW_MarkAll9ByteRecords() {
    constexpr size_t kRecord = 9;
    for (size_t at = 0; at + kRecord <= sizeof SeasonTable1260000; at += kRecord) {
        SeasonTable1260000[at] |= 0xFE;
    }
}
