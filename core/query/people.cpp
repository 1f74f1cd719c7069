// Query layer: the user's offer and contract lists, player and squad
// queries, and the name, number and date formats of the screens.
#include "core/query/people.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/base/debug.h"
#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/query/layerstate.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/usertransfers.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/fixtures.h"

int16_t HVW_SquadCount;
uint16_t RecentValues[kRecentListSize];
int16_t RecentListGuard;
uint8_t AgentNameInitial;
char AgentNameSurname[16];

namespace {

constexpr int kHumanSaleSlots = 128;

constexpr char kInitials[] = " ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr char kAgentInitials[] = "AABCCDDFGGHIJJKLMMNNOPPRSSTTWV";
static_assert(sizeof kInitials - 1 == 27);
static_assert(sizeof kAgentInitials - 1 == 30);

constexpr int kSurnameLength = 16;
constexpr int kNameBufferSize = 30;

char g_short_name_slots[kShortNameSlots][kNameBufferSize];
char g_agent_name[kNameBufferSize];
char g_stadium_name[64];
char g_nickname[96];
char g_calendar_date[96];
char g_thousands[32];

// The surname field holds 16 characters and need not be terminated.
void FormatShortName(char* out, size_t size, uint16_t player) {
    const uint16_t initial = GetPlayerInitial(player);
    const char* surname = GetPlayerSurname(player);
    if (initial != 0 && initial < sizeof kInitials - 1) {
        std::snprintf(out, size, "%c.%.*s", kInitials[initial], kSurnameLength, surname);
    } else {
        std::snprintf(out, size, "%.*s", kSurnameLength, surname);
    }
}

// A squad-list entry that names a player: 0 is an empty slot and the
// player count ends the list.
bool IsSquadEntry(uint16_t entry) { return entry != 0 && entry != PlayerCount; }

template <typename Fn>
void ForEachSquadPlayer(Fn fn) {
    for (uint16_t player : FirstTeamList.players) {
        if (IsSquadEntry(player)) fn(player);
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// The user's lists

void HVW_AddHumanSale(int16_t, uint16_t player, int16_t team) {
    for (int i = 0; i < kHumanSaleSlots; ++i) {
        if (HumanSalePlayers[i] == 0) {
            HumanSalePlayers[i] = player;
            HumanSaleClubs[i] = team;
            return;
        }
    }
}

uint16_t HVW_FindHumanSales() {
    for (uint16_t player : HumanSalePlayers) {
        if (player != 0) return player;
    }
    AbortError("funcs", 1638, "HVW_FindHumanSales() Can't find player for that manager");
}

int16_t HVW_FindHumanSalesTeam() {
    for (int i = 0; i < kHumanSaleSlots; ++i) {
        if (HumanSalePlayers[i] != 0) return HumanSaleClubs[i];
    }
    AbortError("funcs", 1651, "HVW_FindHumanSalesTeam() Can't find player for that manager");
}

uint16_t HVW_GetHumanSales() {
    for (uint16_t player : HumanSalePlayers) {
        if (player != 0) return player;
    }
    AbortError("funcs", 1484, "HVW_GetHumanSales() Can't find player for that manager");
}

int16_t HVW_GetHumanSalesTeam() {
    for (int16_t team : HumanSaleClubs) {
        if (team != 0) return team;
    }
    AbortError("funcs", 1498, "HVW_GetHumanSales() Can't find player for that manager");
}

void HVW_RemoveHumanSale(uint16_t player) {
    for (uint16_t& entry : HumanSalePlayers) {
        if (entry == player) {
            entry = 0;
            return;
        }
    }
}

int16_t HVW_HasHumanSales() {
    for (uint16_t player : HumanSalePlayers) {
        if (player != 0) return 1;
    }
    return 0;
}

void HVW_ClearHumanSales() { std::memset(HumanSalePlayers, 0, sizeof HumanSalePlayers); }

uint16_t HVW_GetHumanContracts() {
    for (uint16_t player : PendingHumanDeals) {
        if (player != 0) return player;
    }
    AbortError("funcs", 1470, "HVW_GetHumanContracts() Can't find player for that manager");
}

void HVW_RemoveHumanContract(uint16_t player) {
    for (uint16_t& entry : PendingHumanDeals) {
        if (entry == player) {
            entry = 0;
            return;
        }
    }
}

int16_t HVW_HasHumanContracts() {
    for (uint16_t player : PendingHumanDeals) {
        if (player != 0) return 1;
    }
    return 0;
}

void HVW_ClearHumanContracts() { std::memset(PendingHumanDeals, 0, sizeof PendingHumanDeals); }

int16_t HVW_PushRecentValue(int16_t, uint16_t value) {
    if (RecentListGuard != 0) return 0;
    std::memmove(RecentValues + 1, RecentValues, sizeof RecentValues[0] * (kRecentListSize - 1));
    RecentValues[0] = value;
    return 1;
}

int16_t HVW_IsNotInFilterList(int16_t, uint16_t value) {
    for (uint16_t entry : RecentValues) {
        if (entry == value) return 0;
    }
    return 1;
}

void HVW_ClearRecentList() { std::memset(RecentValues, 0, sizeof RecentValues); }

void HVW_ClearHumanLists() {
    HVW_ClearRecentList();
    HVW_ClearHumanContracts();
    HVW_ClearHumanSales();
}

// ---------------------------------------------------------------------------
// Player and squad queries

int16_t HVW_GetPositionType(uint16_t player) {
    const int p = GetPlayerPosition2(player);
    if (p == 0) return 0;
    if (p <= 4) return 1;
    if (p <= 9) return 2;
    if (p <= 12) return 3;
    if (p == 13) return 13;
    FatalError("in funcs HVW_GetPositionType Error %d", p);
}

int16_t HVW_GetPositionTypeRowCode(uint16_t player) {
    const int16_t type = HVW_GetPositionType(player);
    return type >= 0 && type <= 3 ? int16_t(type + 3) : int16_t(1);
}

int16_t HVW_GetPlayerSettingsTextId(uint16_t player) {
    const bool s1 = GetPlayerSetting1(player) != 0;
    const bool s2 = GetPlayerSetting2(player) != 0;
    const bool s3 = GetPlayerSetting3(player) != 0;
    // Indexed by s1 * 4 + s2 * 2 + s3.
    constexpr int16_t kIds[8] = {-1, 36, 88, 85, 37, 38, 86, 87};
    return kIds[(s1 ? 4 : 0) + (s2 ? 2 : 0) + (s3 ? 1 : 0)];
}

int16_t HVW_IsPlayerRegular(uint16_t player, int16_t club) {
    const int day = SeasonCalendar.currentDay;
    int32_t fixtures = 0;
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        if (GetMatchDay(int16_t(slot)) >= day) continue;
        if (GetMatchCompetition(int16_t(slot)) == kCompReserveLeague) continue;
        if (GetMatchClubA(int16_t(slot)) == uint16_t(club) ||
            GetMatchClubB(int16_t(slot)) == uint16_t(club)) {
            ++fixtures;
        }
    }
    return GetPlayerApps(player) > fixtures * 60 / 100 ? 1 : 0;
}

uint16_t HVW_FindClubBestRegular(int16_t club) {
    HVW_BuildSquadList(club);
    uint16_t best = 0;
    int best_rating = -1;
    ForEachSquadPlayer([&](uint16_t player) {
        if (!HVW_IsPlayerRegular(player, club)) return;
        const int rating = GetPlayerPerf(player);
        if (rating > best_rating) {
            best = player;
            best_rating = rating;
        }
    });
    return best;
}

uint16_t HVW_FindClubTopScorer(int16_t club) {
    HVW_BuildSquadList(club);
    uint16_t best = 0;
    int best_goals = 0;
    ForEachSquadPlayer([&](uint16_t player) {
        if (HVW_GetPositionType(player) == 0) return;
        const int goals = GetPlayerGoals(player);
        if (goals > best_goals) {
            best = player;
            best_goals = goals;
        }
    });
    return best;
}

void HVW_GetSquadProfile(int16_t club, int16_t out[16]) {
    std::memset(out, 0, sizeof(int16_t) * 16);
    if (!IsClubNumber(club)) return;
    HVW_BuildSquadList(club);
    ForEachSquadPlayer([&](uint16_t player) {
        const int t = HVW_GetPositionType(player);
        if (t < 0 || t > 3) return;
        const bool owned = GetPlayerClub(player) == uint16_t(club);
        ++out[t];
        if (GetPlayerLoanClub(player) != uint16_t(club)) ++out[(owned ? 4 : 8) + t];
        if (GetPlayerTxList(player) != 0 && owned) ++out[12 + t];
    });
}

int32_t HVW_GetSquadWageBill(int16_t club) {
    if (!IsClubNumber(club)) return 0;
    HVW_BuildSquadList(club);
    int32_t sum = 0;
    ForEachSquadPlayer([&](uint16_t player) { sum += int32_t(GetPlayerWage(player)) * 25; });
    return sum;
}

int16_t HVW_CountTeamCaptains(int16_t club) {
    HVW_BuildSquadList(club);
    int16_t count = 0;
    ForEachSquadPlayer([&](uint16_t player) {
        const int shirt = GetPlayerShirt(player);
        if (shirt >= 1 && shirt <= 11 && GetPlayerCaptain(player) != 0) ++count;
    });
    return count;
}

int16_t HVW_GetShownShirt(uint16_t player) {
    const int shirt = GetPlayerShirt(player);
    if (shirt >= 1 && shirt <= 16 && GetPlayerClub(player) == SelectedClub) return int16_t(shirt);
    return -32768;
}

int16_t HVW_GetPlayerRowStatus(uint16_t player) {
    if (GetPlayerIT(player) != 0 || IsPlayerSuspended(player) != 0 || GetPlayerIntDuty(player) != 0) {
        return 4;
    }
    return GetPlayerLoanClub(player) != SelectedClub ? 7 : 0;
}

uint16_t HVW_FindSquadPlayerByShirt(int16_t shirt) {
    for (uint16_t player : FirstTeamList.players) {
        if (IsSquadEntry(player) && GetPlayerShirt(player) == uint16_t(shirt)) return player;
    }
    return 0;
}

void HVW_BuildSquadList(int16_t club) {
    BuildClubSquadList(club);
    int16_t count = 0;
    while (count < kSquadListSize && IsSquadEntry(FirstTeamList.players[count])) ++count;
    HVW_SquadCount = count;
}

// ---------------------------------------------------------------------------
// Names

const char* HVW_FormatPlayerShortNameSlot(uint16_t player, int16_t slot) {
    // A slot outside the row of buffers has no buffer to write.
    if (slot < 0 || slot >= kShortNameSlots) return "";
    FormatShortName(g_short_name_slots[slot], kNameBufferSize, player);
    return g_short_name_slots[slot];
}

// Agents are named after players: the (agent + 7)-th player of the
// player's nationality, counting from player 1 and starting again at 1
// after the last.  A nationality without players gives no name.
const char* HVW_GetAgentName(uint16_t player) {
    const uint16_t agent = GetPlayerAgent(player);
    const uint16_t nationality = GetPlayerNationality(player);
    int32_t of_nation = 0;
    for (uint16_t p = 1; IsValidPlayer(p); ++p) {
        if (GetPlayerNationality(p) == nationality) ++of_nation;
    }
    g_agent_name[0] = '\0';
    if (of_nation == 0) return g_agent_name;
    int32_t wanted = (int32_t(agent) + 6) % of_nation;
    uint16_t namesake = 1;
    for (uint16_t p = 1; IsValidPlayer(p); ++p) {
        if (GetPlayerNationality(p) != nationality) continue;
        if (wanted-- == 0) {
            namesake = p;
            break;
        }
    }
    const char letter = kAgentInitials[(agent + namesake) % 30];
    AgentNameInitial = uint8_t(letter - 'A' + 1);
    std::memset(AgentNameSurname, 0, sizeof AgentNameSurname);
    std::memcpy(AgentNameSurname, GetPlayerSurname(namesake), sizeof AgentNameSurname - 1);
    std::snprintf(g_agent_name, sizeof g_agent_name, "%c.%s", letter, AgentNameSurname);
    return g_agent_name;
}

// Club ids above the clubs name nations, so only a club 0-1199 has a name.
// The club's own name place (see the text module), so that names of several
// clubs can be kept side by side.
const char* HVW_GetClubName(int16_t club) { return IsClubNumber(club) ? GetText(HVW_ClubTextId(club)) : ""; }

namespace {

// A name field of the club's name record, or null when the club has no
// such name.
const char* ClubNameField(int16_t club, int field, const char* none) {
    if (!IsClubNumber(club)) return nullptr;
    char text[kClubNameLength + 1];
    std::memcpy(text, ClubNameRecords[club].text[field], kClubNameLength);
    text[kClubNameLength] = '\0';
    if (text[0] == '\0' || std::strcmp(text, none) == 0) return nullptr;
    return ClubNameRecords[club].text[field];
}

}  // namespace

const char* HVW_GetClubStadiumName(int16_t club) {
    const char* stadium = ClubNameField(club, 1, "No Stadium Name");
    if (stadium == nullptr) return HVW_GetClubName(club);
    std::snprintf(g_stadium_name, sizeof g_stadium_name, "%.*s", kClubNameLength, stadium);
    return g_stadium_name;
}

const char* HVW_GetClubNickname(int16_t club) {
    const char* nickname = ClubNameField(club, 2, "No Nickname");
    if (nickname == nullptr) return HVW_GetClubName(club);
    std::snprintf(g_nickname, sizeof g_nickname, "%s %.*s", GetText(1107), kClubNameLength, nickname);
    return g_nickname;
}

int16_t HVW_ClubTextId(int16_t club) { return club < 0 ? int16_t(-1) : int16_t(club + TEXT_ID_CLUB_BASE); }

int16_t HVW_NegativeToNone(int16_t value) { return value < 0 ? int16_t(-1) : value; }

const char* HVW_GetNationName(int16_t nation) {
    if (nation < 0 || nation >= TEXT_NATION_COUNT) return GetText(-1);
    return SkipNationCode(GetText(int16_t(TEXT_ID_NATION_TEXT + nation)));
}

void HVW_SortClubListByName(int16_t* list, int16_t count, int16_t userFirst) {
    const int16_t user = userFirst != 0 ? GetUserClub() : int16_t(-1);
    // True when club a sorts after club b.  GetText keeps a club name in
    // one shared buffer, so the first name is copied.
    auto after = [&](int16_t a, int16_t b) {
        if (user >= 0 && a != b) {
            if (b == user) return true;
            if (a == user) return false;
        }
        char name_a[64];
        std::snprintf(name_a, sizeof name_a, "%s", GetText(HVW_ClubTextId(a)));
        const char* name_b = GetText(HVW_ClubTextId(b));
        return std::strcmp(name_a, name_b) > 0;
    };
    for (int i = 0; i < count - 1; ++i) {
        for (int j = i; j < count; ++j) {
            if (after(list[i], list[j])) {
                const int16_t kept = list[i];
                list[i] = list[j];
                list[j] = kept;
            }
        }
    }
}

const char* HVW_FormatThousands(int32_t value) {
    std::snprintf(g_thousands, sizeof g_thousands, "0");
    if (value <= 0) return g_thousands;
    int groups[4];
    int n = 0;
    while (value > 0 && n < 4) {
        groups[n++] = int(value % 1000);
        value /= 1000;
    }
    int used = std::snprintf(g_thousands, sizeof g_thousands, "%d", groups[n - 1]);
    for (int i = n - 2; i >= 0 && used > 0 && used < int(sizeof g_thousands); --i) {
        used += std::snprintf(g_thousands + used, sizeof g_thousands - size_t(used), ",%03d", groups[i]);
    }
    return g_thousands;
}

// ---------------------------------------------------------------------------
// Dates

int16_t HVW_ExpandTwoDigitYear(int16_t year) {
    if (year >= 97 && year <= 99) return int16_t(1900 + year);
    return int16_t(2000 + year);
}

int16_t HVW_GetSeasonYears(int16_t season, int16_t* endYear) {
    *endYear = int16_t(season + 2003);
    return int16_t(season + 2002);
}

const char* HVW_FormatCalendarDate() {
    char weekday[48];
    std::snprintf(weekday, sizeof weekday, "%s", GetText(int16_t(2 + SeasonCalendar.weekday)));
    std::snprintf(g_calendar_date, sizeof g_calendar_date, "%s %d %s %d", weekday, SeasonCalendar.dayOfMonth,
                  GetText(int16_t(9 + SeasonCalendar.month)), SeasonCalendar.year);
    return g_calendar_date;
}

int16_t DaysInYear(int16_t year) { return year % 4 == 0 ? 366 : 365; }

// Season day 0 is 13 July of the year the season began.  While the
// calendar stands in January to June the current year is the season's
// second, so the walk starts a year earlier; every year the walk passes
// through gets its own February.  Started in the current year, the dates
// of January to June would take the February and the weekdays of the
// year after theirs.
void HVW_DayNumberToDate(int16_t day, int16_t* dayOfMonth, int16_t* month, int16_t* weekday, int16_t year) {
    int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int y = SeasonCalendar.month < 6 ? year - 1 : year;
    lengths[1] = DaysInYear(int16_t(y)) == 366 ? 29 : 28;
    int m = 6;
    int d = 13;
    for (int i = 0; i < day; ++i) {
        if (d >= lengths[m]) {
            d = 0;
            if (++m == 12) {
                m = 0;
                ++y;
                lengths[1] = DaysInYear(int16_t(y)) == 366 ? 29 : 28;
            }
        }
        ++d;
    }
    int before = 0;
    for (int k = 0; k < m; ++k) before += lengths[k];
    *dayOfMonth = int16_t(d);
    *month = int16_t(m + 1);
    *weekday = int16_t((y + (y - 1) / 4 + before + d - 1) % 7);
}

void HVW_ReleaseClubsOfControl(int16_t control) {
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubControl(club) == uint16_t(control)) SetClubControl(club, 0);
    }
}

// ---------------------------------------------------------------------------
// Availability for the next match

namespace {

constexpr int kFitnessNeeded = 48;

// The country whose day words apply to a club: clubs outside the nine
// countries use country 0's.
int16_t DayWordCountry(uint16_t club) {
    if (!IsClubNumber(club)) return 0;
    const uint16_t country = GetClubNation(int16_t(club));
    return IsCountryNumber(country) ? int16_t(country) : int16_t(0);
}

// Below the fitness a player needs while the country's pre-season days
// run (day word B to day word A).
bool IsUnfit(uint16_t player, int16_t country) {
    const int day = SeasonCalendar.currentDay;
    return GetPlayerFitness(player) < kFitnessNeeded && HVW_GetCountryWordB(country) <= day &&
           day <= HVW_GetCompNextRoundDay(country);
}

// The player's cup flag for a competition index 0-6 (6 shares flag 5);
// other indexes are no cup and bar nobody.
bool CupFlagSet(uint16_t player, int16_t k) {
    switch (k) {
        case 0:
            return GetPlayerCupFlag0(player) != 0;
        case 1:
            return GetPlayerCupFlag1(player) != 0;
        case 2:
            return GetPlayerCupFlag2(player) != 0;
        case 3:
            return GetPlayerCupFlag3(player) != 0;
        case 4:
            return GetPlayerCupFlag4(player) != 0;
        case 5:
        case 6:
            return GetPlayerCupFlag5(player) != 0;
        default:
            return true;
    }
}

bool IsEuropeanCup(int16_t k) { return k >= 4 && k <= 6; }

// The club's next match as the team sheet sees it.
struct NextMatch {
    int16_t club;
    int16_t k;         // competition index of GetNextFixtureOfClub
    int16_t opponent;  // -1 when none
    int16_t country;   // whose day words apply
    uint16_t nation;   // the club's own nation
};

NextMatch NextMatchOf(uint16_t club) {
    if (!IsClubNumber(club)) return {int16_t(club), -1, -1, 0, 0xFFFF};
    return {int16_t(club), GetNextFixtureOfClub(int16_t(club)), FindNextFixtureOfClub(int16_t(club)),
            DayWordCountry(club), GetClubNation(int16_t(club))};
}

bool IsBanned(uint16_t player, const NextMatch& m) {
    if (m.k == kCompFriendly) return false;
    return IsEuropeanCup(m.k) ? GetPlayerEuroBan(player) != 0 : IsPlayerSuspended(player) != 0;
}

// Registered for this cup with a club other than this one.  The national
// cups keep a row per country; the European cups one row.
bool IsCupTied(uint16_t player, const NextMatch& m) {
    if (m.k < 0 || m.k > 6) return false;
    if (!IsEuropeanCup(m.k) && !IsCountryNumber(m.nation)) return false;
    const uint16_t cup_club = GetPlayerCup(player, m.k, IsEuropeanCup(m.k) ? int16_t(0) : int16_t(m.nation));
    return cup_club != uint16_t(m.club) && cup_club != kNoClub;
}

bool IsOnLoan(uint16_t player, const NextMatch& m) { return GetPlayerLoanClub(player) != uint16_t(m.club); }

bool FacesLoanClub(uint16_t player, const NextMatch& m) {
    return IsOnLoan(player, m) && GetPlayerFlag120Bit12(player) == 0 &&
           GetPlayerLoanClub(player) == uint16_t(m.opponent);
}

bool LoanBarsCup(uint16_t player, const NextMatch& m) {
    return IsOnLoan(player, m) && !CupFlagSet(player, m.k);
}

}  // namespace

int16_t HVW_GetPlayerAvailability(uint16_t player) {
    const uint16_t club = GetPlayerClub(player);
    const NextMatch m = NextMatchOf(club);
    const uint16_t it = GetPlayerIT(player);
    if (it >= 2 && it <= 8) return 7;
    if (it >= 9) return 8;
    if (it == 1) return IsUnfit(player, m.country) ? 8 : 12;
    if (GetPlayerIntDuty(player) != 0) return 11;
    if (GetNextFixtureOfPlayersClub(player) != 0) return 13;
    if (FacesLoanClub(player, m)) return 13;
    if (m.k >= 0 && m.k <= 6 && LoanBarsCup(player, m)) return 13;
    if (IsEuropeanCup(m.k)) return GetPlayerEuroBan(player) != 0 ? 10 : 1;
    return IsPlayerSuspended(player) != 0 ? 10 : 1;
}

int16_t HVW_CheckTeamSheet(int16_t club, int16_t national) {
    HVW_BuildSquadList(club);
    const SquadList& list = national != 0 ? ReserveList : FirstTeamList;
    const NextMatch m = NextMatchOf(uint16_t(club));
    const int shirts_in_use = 12 + GetFixtureCompInfo(club);
    auto shirt_of = [&](uint16_t p) { return national != 0 ? GetPlayerIntShirt(p) : GetPlayerShirt(p); };
    auto unfit = [&](uint16_t p) { return m.k != kCompFriendly && IsUnfit(p, m.country); };

    int players = 0;
    int reserves = 0;
    for (uint16_t p : list.players) {
        if (!IsSquadEntry(p)) continue;
        ++players;
        if (shirt_of(p) != 0) continue;
        if (IsBanned(p, m) || GetPlayerIT(p) != 0 || unfit(p) || GetPlayerIntDuty(p) != 0) continue;
        if (IsCupTied(p, m) || FacesLoanClub(p, m) || LoanBarsCup(p, m)) continue;
        ++reserves;
    }

    int problems = 0;
    for (uint16_t p : list.players) {
        if (!IsSquadEntry(p)) continue;
        const int shirt = shirt_of(p);
        if (shirt < 1 || shirt >= shirts_in_use) continue;
        const bool unable =
            IsBanned(p, m) || GetPlayerIT(p) != 0 || unfit(p) || GetPlayerIntDuty(p) != 0 || IsCupTied(p, m);
        if (unable) ++problems;
        if (LoanBarsCup(p, m)) ++problems;
        if (FacesLoanClub(p, m)) ++problems;
        if (unable && reserves == 0) {
            if (national != 0) {
                SetPlayerIntShirt(p, 0);
            } else {
                SetPlayerShirt(p, 0);
            }
        }
    }
    return problems > 0 || players < 16 ? 1 : 0;
}

// ---------------------------------------------------------------------------
// Squad-list membership

namespace {

int16_t InList(const SquadList& list, uint16_t player) {
    return std::find(std::begin(list.players), std::end(list.players), player) != std::end(list.players) ? 1
                                                                                                         : 0;
}

}  // namespace

int16_t HVW_IsInSelectedTeam(uint16_t player, int16_t club) {
    BuildClubSquadList(club);
    return InList(FirstTeamList, player);
}
int16_t HVW_IsInNationalSquad(uint16_t player, int16_t club) {
    BuildClubSquadList(club);
    return InList(ReserveList, player);
}
int16_t HVW_IsInThirdSquadList(uint16_t player, int16_t club) {
    BuildClubSquadList(club);
    return InList(YouthList, player);
}

uint16_t HVW_FindIntSquadPlayerByShirt(int16_t shirt) {
    for (uint16_t player : ReserveList.players) {
        // An empty slot, or the end mark, ends the list.
        if (!IsPlayerNumber(player)) break;
        if (GetPlayerIntShirt(player) == uint16_t(shirt)) return player;
    }
    return 0;
}

// --- plain operations ----------------------------------------------------------------
