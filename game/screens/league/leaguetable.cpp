#include "game/screens/league/leaguetable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "core/query/clubscreens.h"
#include "core/query/datesandform.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/query/standings.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/clubseason.h"
#include "core/season/leagues.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/league/divisionbuttons.h"
#include "game/screens/squad/sortkeys.h"

uint16_t HandedOverClub = kNoTableClub;
uint16_t HandedOverDivision = kNoTableClub;
int16_t LeagueTableView = kLeagueOrderView;
int16_t LeagueTableMode = 0;
int16_t LeagueTableTop = 0;

namespace {

constexpr int kRowHeight = 22;
constexpr int kFirstRowY = 146;
constexpr int kTableLeft = 20, kTableWidth = 758;
constexpr int16_t kToggleLeagueText = 1068, kToggleReservesText = 1080;
constexpr int16_t kFirstMovementIcon = 87;
constexpr int16_t kStyleHuman = 1, kStyleHandedOver = 7;

uint16_t g_sorted[kLeagueRowClubs];
int16_t g_clubCount = 0;
int16_t g_shownRows = 0;
LeagueTableRow g_rows[kLeagueTableRows];
char g_title[80] = "";
const char* g_titleText = g_title;
int16_t g_toggleText = kToggleLeagueText;
bool g_hasToggle = false;

int16_t Country() {
    const int16_t country = HVW_GetViewedCountry();
    return IsCountryNumber(country) ? country : int16_t(0);
}

bool FromRankings() {
    return PreviousMenuOption == kScreenClubRankings || PreviousMenuOption == kScreenManagerRankings ||
           PreviousMenuOption == kScreenClubWorthRankings;
}

// The thirteen counters of the club's season record in the shown table,
// read through the query layer: played, home won, drawn, lost, for and
// against, the same away, points and place (1-based).
struct Counters {
    int16_t w[kLeagueTableCounters];
};

Counters ReadCounters(uint16_t club) {
    Counters c{};
    int16_t* w = c.w;
    const auto id = int16_t(club);
    if (LeagueTableMode == 1) {
        HVW_GetClubTableRow(id, &w[kSeasonPlayed], &w[kSeasonPoints], &w[kSeasonPlace]);
        HVW_GetClubTableGroup1(id, &w[1], &w[2], &w[3], &w[4], &w[5]);
        HVW_GetClubTableGroup2(id, &w[6], &w[7], &w[8], &w[9], &w[10]);
    } else {
        HVW_GetClubSeasonTotals(id, &w[kSeasonPlayed], &w[kSeasonPoints], &w[kSeasonPlace]);
        HVW_GetClubSeasonHomeRecord(id, &w[1], &w[2], &w[3], &w[4], &w[5]);
        HVW_GetClubSeasonAwayRecord(id, &w[6], &w[7], &w[8], &w[9], &w[10]);
    }
    return c;
}

int GoalDifference(const Counters& c) {
    return (c.w[kSeasonHomeFor] + c.w[kSeasonAwayFor]) - (c.w[kSeasonHomeAgainst] + c.w[kSeasonAwayAgainst]);
}

// The club-list column each view sorts by, largest first (view 12 keeps
// the league order).
constexpr ClubSortColumn kViewColumn[kLeagueTableViews] = {
    CLUB_SORT_PLAYED,    CLUB_SORT_HOME_WON,     CLUB_SORT_HOME_DRAWN,   CLUB_SORT_HOME_LOST,
    CLUB_SORT_HOME_FOR,  CLUB_SORT_HOME_AGAINST, CLUB_SORT_AWAY_WON,     CLUB_SORT_AWAY_DRAWN,
    CLUB_SORT_AWAY_LOST, CLUB_SORT_AWAY_FOR,     CLUB_SORT_AWAY_AGAINST, CLUB_SORT_GOAL_DIFFERENCE,
    CLUB_SORT_COLUMNS,   CLUB_SORT_FORM,
};

void FirstEntry() {
    SetMenuTitleDate(10);
    const int16_t country = HVW_GetViewedCountry();
    const int16_t user = HVW_GetMyClub();
    if (IsClubNumber(user) && HVW_GetClubNation(user) == country) {
        ViewedDivision = FromRankings() && HandedOverDivision != kNoTableClub
                             ? int16_t(HandedOverDivision)
                             : HVW_FindClubInDivisionRows(user);
    } else {
        ViewedDivision = 0;
    }
    LeagueTableView = kLeagueOrderView;
    LeagueTableMode = 0;
    LeagueTableTop = 0;
    for (LeagueTableRow& row : g_rows) row.club = kNoTableClub;
}

void ClearRows() {
    for (LeagueTableRow& row : g_rows) {
        row.club = kNoTableClub;
        std::fill(std::begin(row.counters), std::end(row.counters), kBlankCell);
        row.goalDifference = kBlankCell;
        row.movementIcon = 1;
        row.outcomeText = -1;
        row.style = 0;
        row.goalDifferenceText[0] = '\0';
        row.formText[0] = '\0';
    }
}

void CollectDivision(int16_t country) {
    g_clubCount = 0;
    const int n = std::min<int>(HVW_GetClubsInDivision(ViewedDivision, country), kLeagueRowClubs);
    for (int place = 0; place < n; ++place) {
        const int16_t club = LeagueTableMode == 1
                                 ? HVW_GetFlaggedTableClub(ViewedDivision, int16_t(place), country)
                                 : HVW_GetLeagueTableClub(country, ViewedDivision, int16_t(place));
        if (IsClubNumber(club)) g_sorted[g_clubCount++] = uint16_t(club);
    }
    if (LeagueTableView == kLeagueOrderView || LeagueTableView < 0 || LeagueTableView >= kLeagueTableViews)
        return;
    const ClubComparator compare = ClubColumnComparator(LeagueTableMode == 1, kViewColumn[LeagueTableView]);
    // The entries are club numbers 0-1199, read by the comparators as i16.
    if (compare != nullptr) std::qsort(g_sorted, size_t(g_clubCount), sizeof g_sorted[0], compare);
}

// The club's place (1-based) in the reserve-league table of the division
// shown.  The reserve-league records keep no place of their own (the table
// sort writes the places of the league records only), so the place column
// of that table takes the club's place in the table itself rather than
// showing 1 on every row.
int16_t ReservePlace(uint16_t club, int16_t country) {
    for (int place = 0; place < g_clubCount; ++place) {
        if (HVW_GetFlaggedTableClub(ViewedDivision, int16_t(place), country) == int16_t(club))
            return int16_t(place + 1);
    }
    return kBlankCell;
}

void FillRow(LeagueTableRow& row, uint16_t club, int16_t country) {
    row.club = club;
    const Counters counters = ReadCounters(club);
    std::copy(std::begin(counters.w), std::end(counters.w), row.counters);
    if (LeagueTableMode == 1) row.counters[kSeasonPlace] = ReservePlace(club, country);
    const int difference = GoalDifference(counters);
    row.goalDifference = int16_t(difference);
    std::snprintf(row.goalDifferenceText, sizeof row.goalDifferenceText, difference > 0 ? "+%d" : "%d",
                  difference);
    const int16_t movement = TableMovement[club];
    row.movementIcon = movement >= 0 && movement <= 2 ? int16_t(kFirstMovementIcon + movement) : int16_t(1);
    row.outcomeText = HVW_GetLeagueOutlookTextId(int16_t(club), ViewedDivision, country);
    if (HVW_GetClubControl(int16_t(club)) > 0) {
        row.style = kStyleHuman;
    } else if (club == HandedOverClub && FromRankings()) {
        row.style = kStyleHandedOver;
    } else {
        row.style = 0;
    }
    const char* form =
        LeagueTableMode == 1 ? HVW_GetClubFormString120(int16_t(club)) : HVW_GetClubFormString(int16_t(club));
    std::snprintf(row.formText, sizeof row.formText, "%s", form != nullptr ? form : "");
}

// ---- Painters ---------------------------------------------------------------------

int RowOf() { return MenuPaintRow(); }

void DrawCounter(int x, int y, int16_t value) {
    if (value != kBlankCell) DrawNumberAt(x, y, value, JUSTIFY_CENTRE_MIDDLE);
}

void PaintRow(int, int y, int, int h) {
    const int r = RowOf();
    if (r < 0 || r >= g_shownRows) return;
    const LeagueTableRow& row = g_rows[r];
    if (row.club == kNoTableClub) return;
    const int middle = y + h / 2;
    constexpr int kCounterX[kLeagueTableCounters - 1] = {251, 283, 315, 347, 379, 411,
                                                         443, 475, 507, 539, 571, 635};
    SetDrawParam(1, row.style);
    DrawCounter(37, middle, row.counters[kSeasonPlace]);
    DrawTextAddrAt(55, middle, HVW_GetClubName(int16_t(row.club)), JUSTIFY_LEFT_MIDDLE);
    if (row.movementIcon >= kFirstMovementIcon && row.movementIcon <= kFirstMovementIcon + 2)
        DrawIcon(225, middle, row.movementIcon, JUSTIFY_CENTRE_MIDDLE);
    for (int k = 0; k < kLeagueTableCounters - 2; ++k) DrawCounter(kCounterX[k], middle, row.counters[k]);
    SetDrawParam(1, row.style);
    DrawTextAddrAt(603, middle, row.goalDifferenceText, JUSTIFY_CENTRE_MIDDLE);
    DrawCounter(kCounterX[kLeagueTableCounters - 2], middle, row.counters[kSeasonPoints]);
    DrawTextAddrAt(697, middle, row.formText, JUSTIFY_CENTRE_MIDDLE);
    if (row.outcomeText >= 0) DrawTextNoAt(773, middle, row.outcomeText, JUSTIFY_RIGHT_MIDDLE);
    SetDrawParam(1, 0);
}

void DrawLine(int x, int y, int width) {
    SetDrawParam(2, kZoneLineColour);
    DrawSolidRect(x, y, width, 1);
}

// ---- Handlers ---------------------------------------------------------------------

int32_t PickClubRow(MenuHotItem* item) { return LeagueTable_PickClub(item->row); }

#define COLUMN_HEADER(view, x, text, w)                                                                    \
    {                                                                                                      \
        8204, x, 116, w, 22, MenuValue(text), [](MenuHotItem*) { return LeagueTable_SetColumnView(view); } \
    }
const MenuItem* g_buttons = nullptr;

const MenuItem kToggle[] = {
    {MI_BUTTON_TEXT_VAR, 55, 108, 164, 30, &g_toggleText, LeagueTable_ToggleTable},
    kMenuEnd,
};
const MenuItem kNoToggle[] = {kMenuEnd};
const MenuItem* g_toggle = kNoToggle;

const MenuItem kRow[] = {
    {MI_CUSTOM, kTableLeft, 0, kTableWidth, kRowHeight, MenuFunction(LeagueTable_DrawZoneLines), nullptr},
    // The row's button, without text, under the place number.
    {MI_BUTTON_TEXT, kTableLeft, 0, 35, kRowHeight, MenuValue(-1), nullptr},
    {MI_CUSTOM, kTableLeft, 0, kTableWidth, kRowHeight, MenuFunction(PaintRow), nullptr},
    {MI_HOT_RECT, 55, 0, 164, kRowHeight, nullptr, PickClubRow},
    kMenuEnd,
};

}  // namespace

void LeagueTableMenu() {
    if (IsMenuFirstEntry() == 1) FirstEntry();
    const int16_t country = Country();
    const int16_t divisions = HVW_CountDivisions(country);
    if (ViewedDivision < 0 || ViewedDivision >= std::max<int16_t>(divisions, 1)) ViewedDivision = 0;
    // The movement marks and both tables, as of today.  They are rebuilt
    // for the division shown, not for the one last chosen on the club and
    // division screens: the marks compare each club's place with its place
    // before its own division's last league day, and another division's
    // days would mark moves that did not happen.
    ComputeTableMovement(ViewedDivision);
    ClearRows();
    g_toggleText = LeagueTableMode == 1 ? kToggleReservesText : kToggleLeagueText;
    const char* name = HVW_GetDivisionName(ViewedDivision, country);
    if (LeagueTableMode == 1) {
        std::snprintf(g_title, sizeof g_title, "%s %s", GetText(kTextReserves), name != nullptr ? name : "");
    } else {
        std::snprintf(g_title, sizeof g_title, "%s", name != nullptr ? name : "");
    }
    CollectDivision(country);
    g_shownRows = std::min<int16_t>(g_clubCount, kLeagueTableRows);
    // A shorter division than the last one shown keeps its last page.
    LeagueTableTop =
        std::clamp<int16_t>(LeagueTableTop, 0, int16_t(std::max(0, g_clubCount - kLeagueTableRows)));
    SetMenuListRows(g_shownRows);
    g_hasToggle = DivisionLayout[country][ViewedDivision].third == 1;
    g_toggle = g_hasToggle ? kToggle : kNoToggle;
    for (int r = 0; r < g_shownRows; ++r) FillRow(g_rows[r], g_sorted[LeagueTableTop + r], country);
    g_buttons = DivisionButtons_Set(country, ViewedDivision, LeagueTable_SetDivision);
}

void LeagueTable_DrawRowBands(int, int, int, int) {
    constexpr int kBandX[4] = {20, 268, 428, 588};
    constexpr int kBandWidth[4] = {248, 160, 160, 190};
    for (int r = 0; r < g_shownRows; ++r) {
        const int y = kFirstRowY + kRowHeight * r;
        for (int k = 0; k < 4; ++k) {
            SetDrawParam(2, kRowBandColours[k]);
            DrawShadedRect(kBandX[k], y, kBandWidth[k], kRowHeight, r % 2 == 0 ? 50 : 25);
        }
    }
    SetDrawParam(2, 0);
}

int LeagueTableZoneLines(int row) {
    if (row < 0 || row >= g_shownRows) return 0;
    const int16_t country = Country();
    const int i = LeagueTableTop + row;
    const int promoted = HVW_GetPromotionPlaces(ViewedDivision, country);
    const int playOffs = HVW_GetPlayOffPlaces(ViewedDivision, country);
    const int relegated = HVW_GetRelegationPlaces(ViewedDivision, country);
    int lines = 0;
    if ((promoted != 0 && i == promoted) || (relegated != 0 && i == g_clubCount - relegated))
        lines |= kZoneLineSolid;
    if (promoted + playOffs != 0 && i == promoted + playOffs) lines |= kZoneLineDashed;
    return lines;
}

void LeagueTable_DrawZoneLines(int x, int y, int w, int) {
    const int lines = LeagueTableZoneLines(RowOf());
    const int top = y - 2;
    if ((lines & kZoneLineSolid) != 0) DrawLine(x, top, w);
    if ((lines & kZoneLineDashed) != 0) {
        for (int dash = 0; dash < w; dash += 16) DrawLine(x + dash, top, std::min(8, w - dash));
    }
    SetDrawParam(2, 0);
}

int32_t LeagueTable_SetColumnView(int16_t view) {
    if (view < 0 || view >= kLeagueTableViews) return MENU_CONTINUE;
    LeagueTableView = view;
    return MENU_REDRAW;
}

int32_t LeagueTable_SetDivision(int16_t division) {
    if (division < 0 || division >= HVW_CountDivisions(Country())) return MENU_CONTINUE;
    LeagueTableTop = 0;
    ViewedDivision = division;
    return MENU_REDRAW;
}

int32_t LeagueTable_ToggleTable(MenuHotItem*) {
    LeagueTableMode = LeagueTableMode == 0 ? 1 : 0;
    return MENU_REDRAW;
}

int32_t LeagueTable_ScrollDown(MenuHotItem*) {
    const int n = g_clubCount;
    if (LeagueTableTop + kLeagueTableRows < n - kLeagueTableRows) {
        LeagueTableTop = int16_t(LeagueTableTop + kLeagueTableRows);
    } else {
        LeagueTableTop = int16_t(std::max(0, n - kLeagueTableRows));
    }
    return MENU_REDRAW;
}

int32_t LeagueTable_ScrollUp(MenuHotItem*) {
    LeagueTableTop = int16_t(std::max(0, LeagueTableTop - kLeagueTableRows));
    return MENU_REDRAW;
}

int32_t LeagueTable_PickClub(int row) {
    if (row < 0 || row >= kLeagueTableRows || row >= g_shownRows) return MENU_CONTINUE;
    const uint16_t club = g_rows[row].club;
    if (club == kNoTableClub) return MENU_CONTINUE;
    SelectedClub = club;
    MenuOption = kScreenSelectedClubSquad;
    return MENU_CLOSE;
}

int32_t LeagueTable_ToClubMain(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

void LeagueTable_Leave() {
    HandedOverClub = kNoTableClub;
    HandedOverDivision = kNoTableClub;
}

const MenuItem LeagueTableTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(LeagueTableMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, kTableLeft, kFirstRowY, kTableWidth, kRowHeight* kLeagueTableRows,
     MenuFunction(LeagueTable_DrawRowBands), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 400, 48, 10, 0, &g_titleText, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_NUMBER_TYPE, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 347, 96, 10, 0, MenuValue(150), nullptr},
    {MI_TEXT, 507, 96, 10, 0, MenuValue(151), nullptr},
    COLUMN_HEADER(0, 236, 137, 30),
    COLUMN_HEADER(1, 268, 138, 30),
    COLUMN_HEADER(2, 300, 139, 30),
    COLUMN_HEADER(3, 332, 36, 30),
    COLUMN_HEADER(4, 364, 141, 30),
    COLUMN_HEADER(5, 396, 142, 30),
    COLUMN_HEADER(6, 428, 138, 30),
    COLUMN_HEADER(7, 460, 139, 30),
    COLUMN_HEADER(8, 492, 36, 30),
    COLUMN_HEADER(9, 524, 141, 30),
    COLUMN_HEADER(10, 556, 142, 30),
    COLUMN_HEADER(11, 588, 144, 30),
    COLUMN_HEADER(12, 620, 143, 30),
    COLUMN_HEADER(13, 652, 255, 90),
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_buttons, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_toggle, nullptr},
    {MI_GROUP, 0, kFirstRowY, 0, kRowHeight, kRow, nullptr},
    {MI_HOT_RECT, 20, 559, 40, 14, nullptr, LeagueTable_ScrollUp},
    {MI_HOT_RECT, 20, 573, 40, 14, nullptr, LeagueTable_ScrollDown},
    {MI_ICON, 20, 559, 5, 0, MenuValue(154), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), LeagueTable_ToClubMain},
    {MI_END, 0, 0, 0, 0, MenuFunction(LeagueTable_Leave), nullptr},
};

#undef COLUMN_HEADER

const LeagueTableRow& LeagueTableShownRow(int row) {
    static const LeagueTableRow kEmpty{kNoTableClub, {}, kBlankCell, 1, -1, 0, "", ""};
    return row >= 0 && row < kLeagueTableRows ? g_rows[row] : kEmpty;
}
int16_t LeagueTableShownRows() { return g_shownRows; }
uint16_t LeagueTableSortedClub(int index) {
    return index >= 0 && index < g_clubCount ? g_sorted[index] : kNoTableClub;
}
int16_t LeagueTableClubCount() { return g_clubCount; }
const char* LeagueTableTitle() { return g_title; }
bool LeagueTableHasToggle() { return g_hasToggle; }
