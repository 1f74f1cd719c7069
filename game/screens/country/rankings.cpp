#include "game/screens/country/rankings.h"

#include <algorithm>
#include <cstdio>

#include "core/club/squads.h"
#include "core/query/clubscreens.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/league/leaguetable.h"

namespace {

constexpr uint16_t kEmptyEntry = 0xFFFF;
constexpr int kRowHeight = 22;
constexpr int kPageRows = 18;
constexpr int kFirstLeagueOutside = kDivisionCount;

uint16_t g_list[kRankingEntries];
int32_t g_values[kRankingEntries];
int16_t g_count = 0;
int16_t g_top = 0;
int16_t g_screen = kScreenClubRankings;
int16_t g_titleText = 1833;
RankingRow g_rows[kRankingRows];
const MenuItem* g_rowTable = nullptr;

bool IsPlayerScreen() { return g_screen == kScreenManagerRankings; }

// The club a row is about: the club itself, or the player's club.
int16_t ClubOfEntry(uint16_t entry) {
    if (entry == kEmptyEntry) return -1;
    if (!IsPlayerScreen()) return int16_t(entry);
    const int16_t club = HVW_GetPlayerClub(entry);
    return IsClubNumber(club) ? club : int16_t(-1);
}

uint16_t EntryOfRow(int row) {
    const int index = g_top + row;
    return row >= 0 && row < kRankingRows && index < g_count ? g_list[index] : kEmptyEntry;
}

void Add(uint16_t entry, int32_t value) {
    if (g_count >= kRankingEntries) return;
    g_list[g_count] = entry;
    g_values[g_count++] = value;
}

void CollectClubs(bool byWorth) {
    const int16_t user = HVW_GetMyClub();
    const int16_t nation = HVW_GetClubNation(user);
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (HVW_GetClubReputation(club) == 0 || HVW_GetClubNation(club) != nation) continue;
        if (HVW_GetClubDivision(club) >= kFirstLeagueOutside) continue;
        Add(uint16_t(club), byWorth ? HVW_GetClubWorth(club) : HVW_GetClubReputation(club));
    }
    // The worth is counted over each club's squad list: the user's club
    // gets its own back.
    if (byWorth && IsClubNumber(user)) BuildClubSquadList(user);
}

void CollectPlayerManagers() {
    const int16_t country = HVW_GetViewedCountry();
    for (uint16_t player = 1; player < PlayerCount; ++player) {
        if (player == 2) continue;
        if (HVW_GetPlayerHalvornB(player) == 0 && HVW_GetPlayerHalvorn(player) == 0) continue;
        const int16_t club = HVW_GetPlayerClub(player);
        if (IsClubNumber(club) && HVW_GetClubNation(club) != country) continue;
        Add(player, RankingPlayerValue(player));
    }
}

// Highest first; equal values keep the order they were found in.
void SortDescending() {
    uint16_t order[kRankingEntries];
    for (int i = 0; i < g_count; ++i) order[i] = uint16_t(i);
    std::stable_sort(order, order + g_count,
                     [](uint16_t a, uint16_t b) { return g_values[a] > g_values[b]; });
    uint16_t list[kRankingEntries];
    int32_t values[kRankingEntries];
    for (int i = 0; i < g_count; ++i) {
        list[i] = g_list[order[i]];
        values[i] = g_values[order[i]];
    }
    std::copy(list, list + g_count, g_list);
    std::copy(values, values + g_count, g_values);
}

const char* DivisionNameOf(int16_t club) {
    const char* name = HVW_GetDivisionName(HVW_GetClubDivision(club), HVW_GetClubNation(club));
    return name != nullptr ? name : "";
}

void FillRow(int r) {
    RankingRow& row = g_rows[r];
    row.entry = EntryOfRow(r);
    row.club = ClubOfEntry(row.entry);
    row.style = row.club >= 0 && HVW_GetClubControl(row.club) > 0 ? 1 : 0;
    row.rank[0] = row.division[0] = '\0';
    if (row.entry == kEmptyEntry) return;
    std::snprintf(row.rank, sizeof row.rank, "%d.", g_top + r + 1);
    if (row.club < 0) return;
    const bool inLeague = HVW_GetClubDivision(row.club) < kFirstLeagueOutside;
    if (g_screen == kScreenClubWorthRankings) {
        std::snprintf(row.division, sizeof row.division, "%s", DivisionNameOf(row.club));
    } else if (inLeague) {
        std::snprintf(row.division, sizeof row.division, "(%s)", DivisionNameOf(row.club));
    } else if (IsPlayerScreen()) {
        std::snprintf(row.division, sizeof row.division, "( )");
    }
}

// ---- Painters ---------------------------------------------------------------------

// The row's entry (nullptr for an empty row), the text colour set by its
// style.
const RankingRow* StyledRow() {
    const int r = MenuPaintRow();
    if (r < 0 || r >= kRankingRows || g_rows[r].entry == kEmptyEntry) return nullptr;
    SetDrawParam(1, g_rows[r].style);
    return &g_rows[r];
}

void PaintRowShade(int x, int y, int w, int h) {
    const int r = MenuPaintRow();
    if (r >= 0 && r < kRankingRows) DrawRowShade(x, y, w, h);
}

void PaintClubRow(int x, int y, int, int h) {
    const RankingRow* row = StyledRow();
    if (row == nullptr) return;
    const int middle = y + h / 2;
    DrawTextAddrAt(x + 12, middle, row->rank, JUSTIFY_LEFT_MIDDLE);
    DrawTextAddrAt(x + 60, middle, HVW_GetClubName(row->club), JUSTIFY_LEFT_MIDDLE);
    SetDrawParam(1, 0);
}

void PaintPlayerRow(int x, int y, int, int h) {
    const RankingRow* row = StyledRow();
    if (row == nullptr) return;
    const int middle = y + h / 2;
    DrawTextAddrAt(x + 15, middle, row->rank, JUSTIFY_LEFT_MIDDLE);
    DrawTextAddrAt(x + 60, middle, HVW_GetPlayerShortName(row->entry), JUSTIFY_LEFT_MIDDLE);
    if (row->club >= 0) DrawTextAddrAt(x + 268, middle, HVW_GetClubName(row->club), JUSTIFY_LEFT_MIDDLE);
    SetDrawParam(1, 0);
}

// The division text, over the league-table button: at 564 on the club
// rows, at 624 on the player rows.
void PaintDivision(int x, int y, int, int h) {
    const RankingRow* row = StyledRow();
    if (row == nullptr) return;
    DrawTextAddrAt(x + (IsPlayerScreen() ? 624 : 564), y + h / 2, row->division, JUSTIFY_CENTRE_MIDDLE);
    SetDrawParam(1, 0);
}

int32_t OpenRowItem(MenuHotItem* item) { return Rankings_OpenRow(item->row); }
int32_t OpenTableItem(MenuHotItem* item) { return Rankings_OpenLeagueTable(item->row); }
int32_t OpenClubItem(MenuHotItem* item) { return Rankings_OpenPlayerClub(item->row); }

const MenuItem kClubRow[] = {
    {MI_CUSTOM, 0, 0, 740, kRowHeight, MenuFunction(PaintRowShade), nullptr},
    {MI_CUSTOM, 0, 0, 740, kRowHeight, MenuFunction(PaintClubRow), nullptr},
    {MI_HOT_RECT, 30, 0, 355, kRowHeight, nullptr, OpenRowItem},
    {MI_BUTTON_TEXT, 387, 0, 355, kRowHeight, MenuValue(-1), OpenTableItem},
    {MI_CUSTOM, 0, 0, 740, kRowHeight, MenuFunction(PaintDivision), nullptr},
    kMenuEnd,
};

const MenuItem kPlayerRow[] = {
    {MI_CUSTOM, 0, 0, 740, kRowHeight, MenuFunction(PaintRowShade), nullptr},
    {MI_BUTTON_TEXT, 30, 0, 236, kRowHeight, MenuValue(-1), OpenRowItem},
    {MI_CUSTOM, 0, 0, 740, kRowHeight, MenuFunction(PaintPlayerRow), nullptr},
    {MI_HOT_RECT, 268, 0, 236, kRowHeight, nullptr, OpenClubItem},
    {MI_BUTTON_TEXT, 506, 0, 236, kRowHeight, MenuValue(-1), OpenTableItem},
    {MI_CUSTOM, 0, 0, 740, kRowHeight, MenuFunction(PaintDivision), nullptr},
    kMenuEnd,
};

void FirstEntry() {
    SetMenuTitleDate(10);
    g_screen = MenuOption == kScreenManagerRankings || MenuOption == kScreenClubWorthRankings
                   ? MenuOption
                   : kScreenClubRankings;
    g_count = 0;
    g_top = 0;
    if (g_screen == kScreenManagerRankings) {
        CollectPlayerManagers();
    } else {
        CollectClubs(g_screen == kScreenClubWorthRankings);
    }
    SortDescending();
    g_titleText = g_screen == kScreenManagerRankings     ? 1834
                  : g_screen == kScreenClubWorthRankings ? 1681
                                                         : 1833;
    g_rowTable = IsPlayerScreen() ? kPlayerRow : kClubRow;
}

}  // namespace

int16_t RankingPlayerValue(uint16_t player) {
    const int16_t reputation = HVW_GetPlayerReputation(player);
    return GetPlayerHalvorn(player) != 0 ? int16_t(reputation / 4) : reputation;
}

void RankingsMenu() {
    if (IsMenuFirstEntry() == 1) FirstEntry();
    for (int r = 0; r < kRankingRows; ++r) FillRow(r);
}

int32_t Rankings_OpenRow(int row) {
    const uint16_t entry = EntryOfRow(row);
    if (entry == kEmptyEntry) return MENU_CONTINUE;
    if (IsPlayerScreen()) {
        SelectedPlayer = int16_t(entry);
        PreviousMenuOption = kScreenManagerRankings;
        MenuOption = kScreenCareerHistory;
    } else {
        SelectedClub = entry;
        PreviousMenuOption = g_screen;
        MenuOption = kScreenSquadList;
    }
    return MENU_CLOSE;
}

int32_t Rankings_OpenLeagueTable(int row) {
    const int16_t club = ClubOfEntry(EntryOfRow(row));
    if (club < 0) return MENU_CONTINUE;
    // A club outside the league divisions has no table to open.
    const int16_t division = HVW_GetClubDivision(club);
    if (division < 0 || division >= kFirstLeagueOutside) return MENU_CONTINUE;
    HandedOverClub = uint16_t(club);
    SelectedClub = uint16_t(club);
    HandedOverDivision = uint16_t(division);
    PreviousMenuOption = g_screen;
    MenuOption = kScreenLeagueTable;
    return MENU_CLOSE;
}

int32_t Rankings_OpenPlayerClub(int row) {
    const int16_t club = ClubOfEntry(EntryOfRow(row));
    if (!IsPlayerScreen() || club < 0) return MENU_CONTINUE;
    SelectedClub = uint16_t(club);
    PreviousMenuOption = kScreenManagerRankings;
    MenuOption = kScreenSquadList;
    return MENU_CLOSE;
}

int32_t Rankings_ToClubMain(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    HandedOverDivision = kNoTableClub;
    return MENU_CLOSE;
}

int32_t Rankings_PageDown(MenuHotItem*) {
    g_top = int16_t(std::clamp(g_top + kPageRows, 0, std::max(0, g_count - kRankingRows)));
    return MENU_REDRAW;
}

int32_t Rankings_PageUp(MenuHotItem*) {
    g_top = int16_t(std::max(0, g_top - kPageRows));
    return MENU_REDRAW;
}

const MenuItem RankingsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(RankingsMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT_VAR, 400, 48, 10, 0, &g_titleText, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_CUSTOM, 30, 110, 740, 418, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_GROUP_VAR, 30, 110, kRankingRows, kRowHeight, &g_rowTable, nullptr},
    {MI_HOT_RECT, 20, 559, 40, 14, nullptr, Rankings_PageUp},
    {MI_HOT_RECT, 20, 573, 40, 14, nullptr, Rankings_PageDown},
    {MI_ICON, 20, 559, 5, 0, MenuValue(154), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), Rankings_ToClubMain},
    kMenuEnd,
};

const RankingRow& RankingShownRow(int row) {
    static const RankingRow kEmpty{0, -1, kEmptyEntry, "", ""};
    return row >= 0 && row < kRankingRows ? g_rows[row] : kEmpty;
}
int16_t RankingCount() { return g_count; }
int16_t RankingTop() { return g_top; }
uint16_t RankingEntry(int index) { return index >= 0 && index < g_count ? g_list[index] : kEmptyEntry; }
int16_t RankingTitleText() { return g_titleText; }
