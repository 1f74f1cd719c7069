// Query layer: scouting regions, agents' profiles, nation codes and names,
// world regions and how a move between two clubs looks to a player.
#include "core/query/scouting.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "core/base/debug.h"
#include "core/club/nations.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/clubfixtures.h"

namespace {

// Region 2 (North America) is named by text 855: text 741 is the help
// button's label ("Help"), and a button showing it would open the help.
constexpr int16_t kScoutingContTexts[10] = {695, 717, 855, 751, 763, 764, 827, 853, 854, 1810};

constexpr int16_t kPositionTexts[14] = {564,  2431, 2432, 2433, 565, 566,  2436,
                                        2437, 2438, 2439, 2440, 567, 2442, 30};

// English names of nations 0-114; nation 115 has none.
constexpr const char* kEnglishNationNames[kNationTextCount] = {
    "England",
    "Scotland",
    "Italy",
    "Germany",
    "Spain",
    "Holland",
    "France",
    "Portugal",
    "Belgium",
    "Sweden",
    "Switzerland",
    "Turkey",
    "Greece",
    "Rep. of Ireland",
    "Denmark",
    "Norway",
    "Ukraine",
    "Georgia",
    "Russia",
    "Croatia",
    "Romania",
    "Wales",
    "Austria",
    "Poland",
    "Hungary",
    "Czech Rep.",
    "Bulgaria",
    "Iceland",
    "Slovenia",
    "Yugoslavia",
    "Estonia",
    "Northern Ireland",
    "Liberia",
    "Macedonia",
    "Bermuda",
    "Uganda",
    "Japan",
    "Angola",
    "China",
    "Argentina",
    "Slovakia",
    "Ghana",
    "Nigeria",
    "South Africa",
    "Trinidad & Tobago",
    "Israel",
    "Australia",
    "Jamaica",
    "Brazil",
    "Finland",
    "Zimbabwe",
    "Barbados",
    "Zambia",
    "Uruguay",
    "Costa Rica",
    "U.S.A.",
    "Colombia",
    "Algeria",
    "Chile",
    "Canada",
    "Morocco",
    "India",
    "Samoa",
    "Egypt",
    "Cameroon",
    "Bosnia-Herzegovina",
    "Togo",
    "Guinea",
    "South Korea",
    "Lithuania",
    "Thailand",
    "Tajikistan",
    "Tunisia",
    "Albania",
    "Mexico",
    "Malaysia",
    "Senegal",
    "Latvia",
    "Indonesia",
    "Kenya",
    "Moldova",
    "Peru",
    "Gambia",
    "Namibia",
    "Azerbaijan",
    "Iran",
    "Honduras",
    "Bolivia",
    "Venezuela",
    "St Lucia",
    "Saudi Arabia",
    "Ethiopia",
    "Malawi",
    "Sudan",
    "Ecuador",
    "Paraguay",
    "Sierra Leone",
    "Congo",
    "Guyana",
    "Kazakistan",
    "Belorus",
    "Cyprus",
    "Ivory Coast",
    "Malta",
    "Madagascar",
    "Mali",
    "Burundi",
    "St Kitts & Nevis",
    "Gabon",
    "Armenia",
    "Niger",
    "Libya",
    "D.R. Congo",
    "Surinam",
    "St Vincent/Grenadine",
    "",
};

char g_profile[512];
char g_nation_code[4];

}  // namespace

int16_t HVW_GetScoutingContText(int16_t continent) {
    if (continent < 0 || continent > 9) FatalError("Invalid Cont in HVW_GetScoutingContText()");
    return kScoutingContTexts[continent];
}

// Each byte of the agent's word is a rating 0-99 that names one of ten
// texts in its own row of texts.
const char* HVW_GetAgentsProfile(uint16_t player) {
    // The player count itself passes here and is stopped by the accessor.
    if (player < 1 || player > PlayerCount) FatalError("Invalid Player in HVW_GetAgentsProfile() funcs.c");
    g_profile[0] = '\0';
    const uint16_t agent = GetPlayerAgent(player);
    // The agent field can hold numbers past the agent table: such an agent
    // has no profile (reading his word would read past the table).
    if (agent >= kAgentCount) return g_profile;
    size_t used = 0;
    for (int k = 0; k < 4; ++k) {
        int band = AgentRecords[agent].bytes[k] / 10;
        if (band > 9) band = 9;
        const int n = std::snprintf(g_profile + used, sizeof g_profile - used, "%s \n",
                                    GetText(int16_t(2030 + 10 * k + band)));
        if (n < 0) break;
        used += size_t(n);
        if (used >= sizeof g_profile - 1) break;
    }
    return g_profile;
}

int16_t HVW_GetPositionTextIdOfCode(int16_t code) {
    if (code < 0 || code > 13) return code;
    return kPositionTexts[code];
}

int16_t HVW_GetPositionTextId(uint16_t player) {
    return HVW_GetPositionTextIdOfCode(int16_t(GetPlayerPosition(player)));
}

const char* HVW_GetNationCode(int16_t nation) {
    std::memset(g_nation_code, 0, sizeof g_nation_code);
    if (nation < 0 || nation >= kNationTextCount) return g_nation_code;
    const char* text = GetText(int16_t(TEXT_ID_NATION_TEXT + nation));
    for (int i = 0; i < 3 && text[i] != '\0'; ++i) g_nation_code[i] = text[i];
    return g_nation_code;
}

const char* HVW_GetNationEnglishName(int16_t nation) {
    if (nation < 0 || nation >= kNationTextCount) return "";
    return kEnglishNationNames[nation];
}

int16_t HVW_GetNationContinent(int16_t nation) { return NationRegion(nation); }

// ---------------------------------------------------------------------------
// How a move looks to a player

namespace {

// Percent of a player's view of a club kept at ages 24-47, by position.
constexpr int kAgeFactorFirstAge = 24;
constexpr int kAgeFactorColumns = 24;

constexpr std::array<int16_t, kAgeFactorColumns> AgeRow(int lastFull, std::initializer_list<int16_t> decline,
                                                        int16_t atLast) {
    std::array<int16_t, kAgeFactorColumns> row{};
    int col = 0;
    for (; col <= lastFull - kAgeFactorFirstAge; ++col) row[col] = 100;
    for (int16_t v : decline) row[col++] = v;
    for (; col < kAgeFactorColumns - 1; ++col) row[col] = 0;
    row[kAgeFactorColumns - 1] = atLast;
    return row;
}

constexpr auto kKeeperAges = AgeRow(40, {90, 80, 65, 45, 15, 0}, 100);
constexpr auto kFullBackAges = AgeRow(33, {95, 90, 85, 80, 75, 50, 30, 10}, 100);
constexpr auto kDefenderAges = AgeRow(33, {98, 95, 90, 85, 80, 75, 50, 30, 10}, 100);
constexpr auto kWideAges = AgeRow(32, {98, 95, 90, 85, 80, 75, 50, 30, 10}, 100);
constexpr auto kSupportAges = AgeRow(34, {90, 80, 65, 50, 35, 25, 15, 10, 5}, 100);
constexpr auto kTargetManAges = AgeRow(33, {98, 95, 90, 85, 80, 75, 50, 30, 10}, 60);

constexpr std::array<int16_t, kAgeFactorColumns> kAgeFactors[kPlayerPositionCount] = {
    kKeeperAges, kFullBackAges, kDefenderAges, kFullBackAges, kDefenderAges, kDefenderAges,  kWideAges,
    kWideAges,   kDefenderAges, kSupportAges,  kDefenderAges, kWideAges,     kTargetManAges,
};

static_assert(kAgeFactors[0][40 - kAgeFactorFirstAge] == 100 &&
              kAgeFactors[0][41 - kAgeFactorFirstAge] == 90);
static_assert(kAgeFactors[1][41 - kAgeFactorFirstAge] == 10 && kAgeFactors[1][42 - kAgeFactorFirstAge] == 0);
static_assert(kAgeFactors[9][43 - kAgeFactorFirstAge] == 5 && kAgeFactors[9][44 - kAgeFactorFirstAge] == 0);
static_assert(kAgeFactors[12][47 - kAgeFactorFirstAge] == 60 &&
              kAgeFactors[2][47 - kAgeFactorFirstAge] == 100);

int16_t ClubStanding(int16_t club) {
    return int16_t((125 - GetClubLeaguePosition(club)) / 3 + GetClubRep(club) / 2);
}

}  // namespace

// Intermediate values are 16-bit and every division truncates.  Positions
// without a row of the age table (a manager) keep the whole standing, and
// ages past the table's last column read that column.
int16_t HVW_RatePlayerClubInterest(uint16_t player, int16_t club, int16_t otherClub) {
    int16_t s = ClubStanding(club);
    s = int16_t(s * (GetPlayerMorale(player) / 2 + 30) / 60);
    const int age = GetPlayerAge(player) + 16;
    const uint16_t position = GetPlayerPosition2(player);
    if (age >= kAgeFactorFirstAge && position < kPlayerPositionCount) {
        int col = age - kAgeFactorFirstAge;
        if (col >= kAgeFactorColumns) col = kAgeFactorColumns - 1;
        s = int16_t(kAgeFactors[position][col] * s / 100);
    }
    const int16_t t = otherClub >= 0 ? ClubStanding(otherClub) : s;
    if (GetPlayerFlag118(player) == 0) {
        s = int16_t(s / 2);
        if (GetPlayerIntShirt(player) == 0) s = int16_t(s / 2);
    }
    if (t >= 2 * s) return 4;
    if (t >= s) return 3;
    return 2;
}
