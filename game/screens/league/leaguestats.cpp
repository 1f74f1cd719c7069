#include "game/screens/league/leaguestats.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"

LeagueStatsState LeagueStats = {};

namespace {

constexpr int kCellSize = 40;
constexpr int kColumns = 5;
constexpr uint16_t kNoDivision = 6;

struct ModeTexts {
    uint16_t mode;
    int16_t title, head1, head2;
};
constexpr ModeTexts kModes[] = {{kScreenLeagueGoals, 1476, 64, 966},
                                {kScreenLeaguePerformance, 1682, 1727, 1710},
                                {kScreenLeagueAssists, 1165, 956, 1312},
                                {kScreenLeagueManOfMatch, 1166, 1159, 1727}};

const ModeTexts& TextsOf(uint16_t mode) {
    for (const ModeTexts& m : kModes)
        if (m.mode == mode) return m;
    return kModes[0];
}

int16_t Country() {
    const int16_t country = HVW_GetViewedCountry();
    return IsCountryNumber(country) ? country : int16_t(0);
}

int16_t Divisions() { return std::clamp<int16_t>(HVW_CountCompRounds2(Country()), 0, kLeagueStatDivisions); }

char g_cells[kLeagueStatRows][kColumns][kCellSize];
const char* g_cellText[kLeagueStatRows][kColumns];
uint16_t g_rowPlayer[kLeagueStatRows];
int16_t g_clubColour[kLeagueStatRows];
int16_t g_title = 1476, g_head1 = 64, g_head2 = 966;
char g_divisionName[kCellSize];
const char* g_divisionNameText = g_divisionName;
int16_t g_tabText[kLeagueStatDivisions];
uint16_t g_tabColour[kLeagueStatDivisions];

int Appearances(uint16_t player) { return HVW_GetPlayerApps(player) + HVW_GetPlayerAppsAsSub(player); }

// Ahead of every smaller value, behind the equal ones; the 21st falls off.
void Insert(uint16_t (&list)[kLeagueStatRows], uint16_t player, int value, uint16_t mode) {
    int at = 0;
    while (at < kLeagueStatRows && list[at] != 0 && LeagueStats_Value(mode, list[at]) >= value) ++at;
    if (at == kLeagueStatRows) return;
    std::memmove(&list[at + 1], &list[at], sizeof(uint16_t) * size_t(kLeagueStatRows - 1 - at));
    list[at] = player;
}

void SecondValue(char* out, uint16_t mode, uint16_t player, int value) {
    switch (mode) {
        case kScreenLeaguePerformance:
            std::snprintf(out, kCellSize, "%d (%d)", HVW_GetPlayerApps(player),
                          HVW_GetPlayerAppsAsSub(player));
            break;
        case kScreenLeagueManOfMatch:
            std::snprintf(out, kCellSize, "%d", HVW_GetPlayerPerf(player));
            break;
        default:
            std::snprintf(out, kCellSize, "(%d %%)", LeagueStats_Percentage(value, Appearances(player)));
    }
}

void FillRows() {
    const LeagueStatsState& s = LeagueStats;
    int rank = 0;
    for (int row = 0; row < kLeagueStatRows; ++row) {
        for (int c = 0; c < kColumns; ++c) {
            g_cells[row][c][0] = '\0';
            g_cellText[row][c] = g_cells[row][c];
        }
        g_rowPlayer[row] = 0;
        g_clubColour[row] = 0;
        if (s.division < 0 || s.division >= kLeagueStatDivisions) continue;
        const uint16_t player = s.top[s.division][row];
        if (!IsValidPlayer(player)) continue;
        const int value = LeagueStats_Value(s.mode, player);
        if (value < 1) continue;
        const int16_t club = HVW_GetPlayerClub(player);
        g_rowPlayer[row] = player;
        std::snprintf(g_cells[row][0], kCellSize, "%d", ++rank);
        std::snprintf(g_cells[row][1], kCellSize, "%s", HVW_GetPlayerShortName(player));
        std::snprintf(g_cells[row][2], kCellSize, "%s",
                      IsClubNumber(club) ? GetText(HVW_ClubTextId(club)) : "");
        g_clubColour[row] = IsClubNumber(club) && HVW_GetClubControl(club) != 0 ? 3 : 0;
        std::snprintf(g_cells[row][3], kCellSize, "%d", value);
        SecondValue(g_cells[row][4], s.mode, player, value);
    }
}

void FillTabs() {
    const int16_t divisions = Divisions();
    for (int16_t k = 0; k < kLeagueStatDivisions; ++k) {
        g_tabText[k] = k < divisions ? HVW_GetCompRoundTextId(k, Country()) : int16_t(-1);
        g_tabColour[k] = k == LeagueStats.division ? 8 : 0;
    }
}

// ---- Table ----------------------------------------------------------------------------

#define TAB(k, n)                                                                            \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_tabColour[k], nullptr}, {                            \
        8207, int16_t(60 + (k) * (678 / (n))), 530, int16_t(678 / (n)-4), 24, &g_tabText[k], \
            [](MenuHotItem*) { return LeagueStats_ChooseDivision(k); }                       \
    }
#define END {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr}, kMenuEnd

const MenuItem kTabs1[] = {TAB(0, 1), END};
const MenuItem kTabs2[] = {TAB(0, 2), TAB(1, 2), END};
const MenuItem kTabs3[] = {TAB(0, 3), TAB(1, 3), TAB(2, 3), END};
const MenuItem kTabs4[] = {TAB(0, 4), TAB(1, 4), TAB(2, 4), TAB(3, 4), END};
const MenuItem kTabs5[] = {TAB(0, 5), TAB(1, 5), TAB(2, 5), TAB(3, 5), TAB(4, 5), END};
const MenuItem kTabs6[] = {TAB(0, 6), TAB(1, 6), TAB(2, 6), TAB(3, 6), TAB(4, 6), TAB(5, 6), END};
const MenuItem kNoTabs[] = {kMenuEnd};
const MenuItem* const kTabLayouts[kLeagueStatDivisions + 1] = {kNoTabs, kTabs1, kTabs2, kTabs3,
                                                               kTabs4,  kTabs5, kTabs6};
const MenuItem* g_tabs = kNoTabs;

#undef TAB
#undef END

const MenuItem kRow[] = {
    {MI_STRING_VAR, 10, 9, JUSTIFY_CENTRE_MIDDLE, sizeof(const char*) * kColumns, &g_cellText[0][0], nullptr},
    {MI_HOT_RECT, 20, 0, 270, 19, MenuValue(-1), LeagueStats_PickPlayer},
    {MI_STRING_VAR, 22, 9, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * kColumns, &g_cellText[0][1], nullptr},
    {MI_HOT_RECT, 292, 0, 270, 19, MenuValue(-1), LeagueStats_PickClub},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, sizeof(int16_t), g_clubColour, nullptr},
    {MI_STRING_VAR, 294, 9, JUSTIFY_LEFT_MIDDLE, sizeof(const char*) * kColumns, &g_cellText[0][2], nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 579, 9, JUSTIFY_CENTRE_MIDDLE, sizeof(const char*) * kColumns, &g_cellText[0][3],
     nullptr},
    {MI_STRING_VAR, 664, 9, JUSTIFY_CENTRE_MIDDLE, sizeof(const char*) * kColumns, &g_cellText[0][4],
     nullptr},
    kMenuEnd,
};

int32_t BackToClub(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

}  // namespace

int16_t LeagueStats_Value(uint16_t mode, uint16_t player) {
    switch (mode) {
        case kScreenLeaguePerformance:
            return HVW_GetPlayerPerf(player);
        case kScreenLeagueAssists:
            return int16_t(GetPlayerAssists(player));
        case kScreenLeagueManOfMatch:
            return HVW_GetPlayerManOfMatch(player);
        default:
            return HVW_GetPlayerGoals(player);
    }
}

int LeagueStats_Percentage(int statistic, int appearances) {
    if (appearances <= 0) return 0;
    return std::min((100 / appearances) * statistic, 100);
}

int16_t LeagueStats_EntryDivision(int16_t row, int16_t divisions) {
    return row < 0 || row >= divisions ? int16_t(0) : row;
}

void LeagueStats_Build(uint16_t mode) {
    LeagueStatsState& s = LeagueStats;
    const int16_t country = Country();
    int16_t played[kClubCount] = {};
    if (mode == kScreenLeaguePerformance) {
        for (int16_t club = 0; club < kClubCount; ++club)
            if (HVW_GetClubNation(club) == country) played[club] = HVW_CountPlayedFixturesOfClub(club);
    }
    std::memset(s.top, 0, sizeof s.top);
    const bool outfieldOnly = mode == kScreenLeagueGoals || mode == kScreenLeagueAssists;
    for (uint16_t player = 1; player < PlayerCount; ++player) {
        if (outfieldOnly && HVW_GetPositionType(player) == 0) continue;
        const int value = LeagueStats_Value(mode, player);
        if (value <= 0) continue;
        const int16_t club = HVW_GetPlayerClub(player);
        if (!IsClubNumber(club) || HVW_GetClubNation(club) != country) continue;
        if (GetClubDivision(club) >= kNoDivision) continue;
        const int16_t row = HVW_FindClubInDivisionRows(club);
        if (row < 0 || row >= kLeagueStatDivisions) continue;
        if (mode == kScreenLeaguePerformance && Appearances(player) < played[club] * 60 / 100) continue;
        Insert(s.top[row], player, value, mode);
    }
}

void LeagueStatsScreenProc() {
    LeagueStatsState& s = LeagueStats;
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        s.mode = uint16_t(MenuOption);
        const int16_t user = HVW_GetMyClub();
        const int16_t row = IsClubNumber(user) ? HVW_FindClubInDivisionRows(user) : int16_t(-1);
        s.division = LeagueStats_EntryDivision(row, Divisions());
        LeagueStats_Build(s.mode);
    }
    // A division row saved past the country's divisions reads no list.
    s.division = LeagueStats_EntryDivision(s.division, Divisions());
    const ModeTexts& texts = TextsOf(s.mode);
    g_title = texts.title;
    g_head1 = texts.head1;
    g_head2 = texts.head2;
    const char* name = HVW_GetDivisionRoundEntry(s.division, Country());
    std::snprintf(g_divisionName, sizeof g_divisionName, "%s", name != nullptr ? name : "");
    g_tabs = kTabLayouts[Divisions()];
    FillTabs();
    FillRows();
    SetMenuListRows(kLeagueStatRows);
}

int32_t LeagueStats_ChooseDivision(int16_t division) {
    if (division < 0 || division >= Divisions()) return MENU_CONTINUE;
    LeagueStats.division = division;
    return MENU_REDRAW;
}

int32_t LeagueStats_PickPlayer(MenuHotItem* item) {
    const int row = item != nullptr ? item->row : -1;
    if (row < 0 || row >= kLeagueStatRows || g_rowPlayer[row] == 0) return MENU_CONTINUE;
    SelectedPlayer = int16_t(g_rowPlayer[row]);
    ReturnMenuOption = int16_t(LeagueStats.mode);
    MenuOption = kScreenPlayerStats;
    return MENU_CLOSE;
}

int32_t LeagueStats_PickClub(MenuHotItem* item) {
    const int row = item != nullptr ? item->row : -1;
    if (row < 0 || row >= kLeagueStatRows || g_rowPlayer[row] == 0) return MENU_CONTINUE;
    const int16_t club = HVW_GetPlayerClub(g_rowPlayer[row]);
    if (!IsClubNumber(club)) return MENU_CONTINUE;
    SelectedClub = uint16_t(club);
    ReturnMenuOption = int16_t(LeagueStats.mode);
    MenuOption = kScreenSelectedClubSquad;
    return MENU_CLOSE;
}

const char* LeagueStatsCell(int row, int column) {
    return row >= 0 && row < kLeagueStatRows && column >= 0 && column < kColumns ? g_cells[row][column] : "";
}

const MenuItem LeagueStatsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(LeagueStatsScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT_VAR, 400, 45, JUSTIFY_CENTRE_TOP, 0, &g_title, nullptr},
    {MI_CUSTOM, 24, 88, 752, 26, MenuFunction(DrawBlackShade50), nullptr},
    {MI_CUSTOM, 24, 116, 752, 25, MenuFunction(DrawBlackShade50), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_STRING_VAR, 400, 101, JUSTIFY_CENTRE_MIDDLE, 0, &g_divisionNameText, nullptr},
    {MI_TEXT, 29, 126, JUSTIFY_LEFT_MIDDLE, 0, MenuValue(187), nullptr},
    {MI_TEXT, 322, 126, JUSTIFY_LEFT_MIDDLE, 0, MenuValue(173), nullptr},
    {MI_TEXT_VAR, 603, 126, JUSTIFY_CENTRE_MIDDLE, 0, &g_head1, nullptr},
    {MI_TEXT_VAR, 688, 126, JUSTIFY_CENTRE_MIDDLE, 0, &g_head2, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 24, 146, 0, 19, kRow, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_tabs, nullptr},
    {MI_ICON, 746, 559, 5, 0, MenuValue(153), BackToClub},
    kMenuEnd,
};
