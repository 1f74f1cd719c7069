#include "database/funcs.h"

#include <cstdio>

#include "database/Access.h"
#include "season/leagues.h"

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
