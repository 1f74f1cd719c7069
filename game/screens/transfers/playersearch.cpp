#include "game/screens/transfers/playersearch.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <span>

#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/playercolumn.h"

uint16_t SearchCandidates[kSearchListMax];
int32_t SearchCandidateCount = 0;
uint16_t SearchResults[kSearchListMax];
int32_t SearchResultCount = 0;
int32_t SearchTopRow = 0;
uint32_t SearchDirty = 0;
uint16_t SearchResortPending = 0;
uint32_t SearchRedrawPending = 0;
uint16_t SearchShowAttributes = 0;
int16_t SearchChosenKinds[kSearchLimitedKinds];
int16_t SearchChosenCount = 0;
int16_t SearchFirstKind = 0;
int16_t SearchExtraColumn[2] = {3, 2};
int16_t SearchDivisionCount = 2;

namespace {

constexpr int16_t kTitleText = 252;
constexpr int16_t kClubsText = 173;
constexpr int16_t kPageText = 430;
constexpr int kTextSize = 48;

// Layout of the attribute panel and its bars.
constexpr int kBarTop = 161, kBarRowHeight = 18, kBarHeight = 16, kBarWidth = 95;
constexpr int kMinimumBarX = 587, kWeightBarX = 685;
constexpr int kBarBottom = kBarTop + kSearchLimitedKinds * kBarRowHeight;
// Layout of the result list.
constexpr int kListX = 20, kListY = 118, kListWidth = 527, kRowHeight = 22;
constexpr int kNameWidth = 182;
constexpr int kAttributeX[kSearchShownKinds] = {265, 299, 333, 367, 401};
// The digit cells.
constexpr int kDigitY = 509, kDigitSize = 20;
constexpr int kPriceDigitX[5] = {47, 69, 95, 117, 139};
constexpr int kWageDigitX[5] = {424, 446, 472, 494, 516};
constexpr int32_t kPriceSteps[5] = {10000000, 1000000, 100000, 10000, 1000};
constexpr int32_t kWageSteps[5] = {10000, 1000, 100, 10, 1};
constexpr int16_t kAgeBands[7][2] = {{16, 40}, {16, 20}, {16, 25}, {20, 25}, {20, 30}, {25, 30}, {30, 40}};
constexpr int kFirstAgeRow = 12;
constexpr int kFirstDivisionRow = 11;

SearchFilterPreset& Filter() { return PlayerSearchFilterRecord(); }

// The pop-ups' marks and the club-and-place list's division rows.
void MarkAll();
void BuildPresetPopup();

const char* TextOf(int16_t id) {
    const char* text = id >= 0 ? GetText(id) : "";
    return text != nullptr ? text : "";
}

int16_t UserClub() {
    const int16_t club = HVW_GetMyClub();
    return club >= 0 && club < kClubCount ? club : int16_t(-1);
}

int16_t ExtraColumnText(int16_t column) {
    return SearchSortColumnTable[std::clamp<int>(column, 1, kSearchSortColumns - 1)];
}

// ---- Search and sort ------------------------------------------------------------------------

void CollectCandidates() {
    SearchCandidateCount = 0;
    for (uint32_t p = 1; p < PlayerCount && SearchCandidateCount < kSearchListMax; ++p) {
        if (SearchFilter_IsCandidate(uint16_t(p), 0) != 0)
            SearchCandidates[SearchCandidateCount++] = uint16_t(p);
    }
}

void RunSearch(bool firstEntry) {
    if (!firstEntry) SearchTopRow = 0;
    SearchResortPending = 1;
    SearchResultCount = 0;
    std::fill(std::begin(SearchResults), std::end(SearchResults), uint16_t(0));
    const SearchFilterPreset& filter = Filter();
    for (int32_t i = 0; i < SearchCandidateCount && SearchResultCount < kSearchListMax; ++i) {
        const uint16_t p = SearchCandidates[i];
        if (SearchFilter_MatchPlayer(p, &filter, 0) != 0) SearchResults[SearchResultCount++] = p;
    }
    SearchDirty = 0;
    // A page kept over a return from the profile stays within the list.
    if (SearchTopRow >= SearchResultCount) SearchTopRow = std::max(0, SearchResultCount - kSearchPageRows);
}

// The standard sort over the comparator, highest key first; equal keys
// keep ascending player numbers, so a result list is the same whenever it is
// made.  The keys read the players' columns through SelectedPlayer, which is
// given back after.
void SortResults() {
    const int16_t keptPlayer = SelectedPlayer;
    std::sort(SearchResults, SearchResults + SearchResultCount, [](uint16_t a, uint16_t b) {
        const int32_t order = SearchResults_Compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    SelectedPlayer = keptPlayer;
    SearchResortPending = 0;
}

void FindChosenKinds() {
    SearchChosenCount = 0;
    std::fill(std::begin(SearchChosenKinds), std::end(SearchChosenKinds), int16_t(-1));
    for (int16_t kind = 0; kind < kSearchLimitedKinds; ++kind) {
        if (SearchAttr_GetMin(kind, &Filter()) > 0 || SearchAttr_GetWeight(kind, &Filter()) > 0)
            SearchChosenKinds[SearchChosenCount++] = kind;
    }
    SearchFirstKind =
        int16_t(std::clamp<int>(SearchFirstKind, 0, std::max(0, SearchChosenCount - kSearchShownKinds)));
}

int16_t ShownKind(int column) {
    const int k = SearchFirstKind + column;
    return k >= 0 && k < kSearchLimitedKinds ? SearchChosenKinds[k] : int16_t(-1);
}

// ---- What the walk shows ------------------------------------------------------------------

SearchRowView g_rows[kSearchPageRows];
int32_t g_rowPlayers[kSearchPageRows];
char g_pageText[kTextSize];
const char* g_pageTextPtr = g_pageText;
char g_wageBudgetText[kTextSize];
const char* g_wageBudgetPtr = g_wageBudgetText;
int16_t g_columnLabel = kClubsText;
int16_t g_headings[kSearchShownKinds];
int16_t g_extraHeadings[2];
const char* g_divisionNames[kSearchMaxDivisions];

void FillRows() {
    int16_t kinds[kSearchShownKinds];
    for (int c = 0; c < kSearchShownKinds; ++c) kinds[c] = ShownKind(c);
    for (int r = 0; r < kSearchPageRows; ++r) {
        const int32_t index = SearchTopRow + r;
        const uint16_t p = index >= 0 && index < SearchResultCount ? SearchResults[index] : uint16_t(0);
        g_rowPlayers[r] = p;
        PlayerSearch_FillRow(g_rows[r], p, SearchShowAttributes == 0,
                             SearchShowAttributes != 0 ? kinds : nullptr, SearchExtraColumn);
    }
}

void FillHeadings() {
    g_columnLabel = SearchShowAttributes == 0 ? kClubsText : kTextAttributes;
    for (int c = 0; c < kSearchShownKinds; ++c) {
        const int16_t kind = SearchShowAttributes != 0 ? ShownKind(c) : int16_t(-1);
        g_headings[c] = kind >= 0 ? SearchAttrKindTable[kind] : int16_t(-1);
        if (g_headings[c] >= 0) g_columnLabel = -1;
    }
    for (int e = 0; e < 2; ++e) {
        const int16_t column = ExtraColumnText(SearchExtraColumn[e]);
        g_extraHeadings[e] = SearchColumn_GetLongText(column, column);
    }
}

void FillPageText() {
    std::snprintf(g_pageText, sizeof g_pageText, "%s %d/%d", TextOf(kPageText),
                  SearchTopRow / kSearchPageRows + 1, SearchResultCount / kSearchPageRows + 1);
}

void ReadDivisions() {
    const int16_t club = UserClub();
    const int16_t nation = club >= 0 ? HVW_GetClubNation(club) : int16_t(0);
    const int16_t count = HVW_CountCompRounds2(nation);
    // A nation outside the lists' range keeps the list chosen last.
    if (count >= 2 && count <= kSearchMaxDivisions) SearchDivisionCount = count;
    for (int d = 0; d < kSearchMaxDivisions; ++d) {
        const char* name = d < count ? HVW_GetDivisionRoundEntry(int16_t(d), nation) : nullptr;
        g_divisionNames[d] = name != nullptr ? name : "";
    }
}

void FormatWageBudget() {
    const int16_t club = UserClub();
    const int32_t kept = CurrentNumberType;
    SetDrawParam(3, NUMBER_MONEY);
    std::snprintf(g_wageBudgetText, sizeof g_wageBudgetText, "%s",
                  club >= 0 ? Number2Str(HVW_GetClubWageBudget(club)) : "");
    SetDrawParam(3, kept);
}

}  // namespace

// ---- The screen function --------------------------------------------------------------------

void SearchMenu_InitState() {
    SearchExtraColumn[0] = 3;
    SearchExtraColumn[1] = 2;
    SearchShowAttributes = 0;
    SearchFirstKind = 0;
    SearchTopRow = 0;
}

void PlayerSearch_Enter() {
    SetMenuTitleDate(11);
    SearchDirty = 1;
    SearchResortPending = 1;
    ReadDivisions();
    CollectCandidates();
    FormatWageBudget();
}

void PlayerSearch_CollectCandidates() { CollectCandidates(); }

void PlayerSearch_Search() {
    RunSearch(false);
    SortResults();
}

void SearchResultsMenuProc() {
    const bool first = IsMenuFirstEntry() == 1;
    if (first) PlayerSearch_Enter();
    if (SearchDirty != 0) RunSearch(first);
    if (SearchResortPending != 0) SortResults();
    FindChosenKinds();
    FillHeadings();
    FillRows();
    FillPageText();
    MarkAll();
    BuildPresetPopup();
}

int64_t SearchResults_SortValue(uint16_t player) {
    const uint16_t column = SearchFilter_SortColumn(Filter());
    if (column == 0 || column >= kSearchSortColumns) return SearchFilter_Score(player);
    SelectedPlayer = int16_t(player);
    int32_t money = kPlayerColumnNoMoney;
    const int16_t number = PlayerColumn_GetValue(SearchSortColumnTable[column], nullptr, &money);
    return money != kPlayerColumnNoMoney ? money : number;
}

int32_t SearchResults_Compare(uint16_t a, uint16_t b) {
    const int64_t keyA = SearchResults_SortValue(a), keyB = SearchResults_SortValue(b);
    if (keyA < keyB) return 1;
    if (keyA > keyB) return -1;
    return 0;
}

const SearchRowView& PlayerSearch_Row(int row) { return g_rows[std::clamp(row, 0, kSearchPageRows - 1)]; }

void PlayerSearch_FillRow(SearchRowView& row, uint16_t player, bool showClub, const int16_t* kinds,
                          const int16_t extraColumns[2]) {
    row = {};
    row.player = player;
    row.clubText = -1;
    if (player == 0) return;
    const int16_t club = HVW_GetPlayerClub(player);
    if (showClub && club >= 0 && club < kClubCount) row.clubText = HVW_ClubTextId(club);
    for (int c = 0; kinds != nullptr && c < kSearchShownKinds; ++c) {
        const int16_t value = kinds[c] >= 0 ? SearchAttr_GetPlayerValue(kinds[c], player) : int16_t(-1);
        if (value != -1) std::snprintf(row.attributes[c], sizeof row.attributes[c], "%d", value);
    }
    SelectedPlayer = int16_t(player);
    for (int e = 0; e < 2; ++e)
        PlayerSearch_FormatColumn(ExtraColumnText(extraColumns[e]), row.extra[e], sizeof row.extra[e]);
}

void PlayerSearch_PaintRow(const SearchRowView& row, std::span<const int32_t> rowPlayers, int r, int y,
                           const SearchRowLayout& layout) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(layout.listX, y, layout.listWidth, kRowHeight - 1, (r & 1) != 0 ? 25 : 50);
    DrawColour = kept;
    if (row.player == 0) return;
    SetFont(9);
    DrawTeamSheetList(layout.listX, y, kNameWidth, kRowHeight - 1, 5, row.player);
    const std::span<const int32_t> keptList = MenuRowList;
    const int32_t keptEntry = CurrentListEntry;
    MenuRowList = rowPlayers;
    SetDrawParam(6, r);
    SetFont(6);
    DrawPlayerSettingIcons(208, y + 5);
    MenuRowList = keptList;
    CurrentListEntry = keptEntry;
    SetDrawParam(1, 0);
    if (row.clubText >= 0) DrawTextNoAt(248, y + kRowHeight / 2, row.clubText, JUSTIFY_LEFT_MIDDLE);
    for (int c = 0; c < kSearchShownKinds; ++c)
        DrawTextAddrAt(layout.attributeX[c], y + kRowHeight / 2, row.attributes[c], JUSTIFY_CENTRE_MIDDLE);
    for (int e = 0; e < 2; ++e)
        DrawTextAddrAt(layout.extraX[e], y + kRowHeight / 2, row.extra[e], JUSTIFY_CENTRE_MIDDLE);
}
const char* PlayerSearch_PageText() { return g_pageText; }
const char* PlayerSearch_WageBudgetText() { return g_wageBudgetText; }
int16_t PlayerSearch_ColumnLabel() { return g_columnLabel; }
int16_t PlayerSearch_ExtraHeading(int which) {
    return which == 0 || which == 1 ? g_extraHeadings[which] : int16_t(-1);
}

int16_t PlayerSearch_Heading(int column) {
    return column >= 0 && column < kSearchShownKinds ? g_headings[column] : int16_t(-1);
}

void PlayerSearch_FormatColumn(int16_t column, char* out, size_t size) {
    int16_t text = kPlayerColumnNoText;
    int32_t money = kPlayerColumnNoMoney;
    const int16_t number = PlayerColumn_GetValue(column, &text, &money);
    out[0] = '\0';
    if (money != kPlayerColumnNoMoney) {
        std::snprintf(out, size, "%s", Price2str(money));
    } else if (text != kPlayerColumnNoText) {
        std::snprintf(out, size, "%s", TextOf(text));
    } else if (number != kPlayerColumnNoNumber) {
        std::snprintf(out, size, "%d", number);
    }
}

// ---- Handlers ------------------------------------------------------------------------------

namespace {

void FilterChanged() {
    SearchDirty = 1;
    SearchRedrawPending = 1;
}

bool AllSet(int field, int count) {
    for (int i = 0; i < count; ++i)
        if (SearchFilter_Flag(Filter(), field, i) != 1) return false;
    return true;
}

void SetAll(int field, int count, uint32_t value) {
    for (int i = 0; i < count; ++i) SearchFilter_SetFlag(Filter(), field, i, value);
}

void Toggle(int field, int index) {
    SearchFilter_SetFlag(Filter(), field, index, SearchFilter_Flag(Filter(), field, index) != 0 ? 0 : 1);
}

// From the all-set state a choice keeps only itself; otherwise it flips.
void ChooseInGroup(int field, int count, int index) {
    if (AllSet(field, count)) {
        for (int i = 0; i < count; ++i) SearchFilter_SetFlag(Filter(), field, i, i == index ? 1 : 0);
    } else {
        Toggle(field, index);
    }
}

}  // namespace

// A choice in the filter, sort and column lists closes its list (result 7)
// and redraws: the screen's redraw paints over a list kept open, which would
// then take clicks unseen.  Separators keep the list open (8).
int32_t PlayerSearch_ListA(int row) {
    if (row >= 0 && row <= 3) {
        ChooseInGroup(kFilterPositionAllowed, 4, row);
    } else if (row == 4) {
        SetAll(kFilterPositionAllowed, 4, 1);
    } else if (row >= 6 && row <= 8) {
        SearchFilter_SetFlag(Filter(), kFilterSettingAny, 0, 0);
        ChooseInGroup(kFilterSettingRequired, 3, row - 6);
    } else if (row == 9) {
        SetAll(kFilterSettingRequired, 3, 1);
        SearchFilter_SetFlag(Filter(), kFilterSettingAny, 0, 0);
    } else if (row == 10) {
        SetAll(kFilterSettingRequired, 3, 0);
        SearchFilter_SetFlag(Filter(), kFilterSettingAny, 0, 1);
    } else if (row >= kFirstAgeRow && row < kFirstAgeRow + 7) {
        const auto& band = kAgeBands[row - kFirstAgeRow];
        SearchFilter_SetAges(Filter(), band[0], band[1]);
    } else {
        return MENU_KEEP_POPUP;  // a separator
    }
    FilterChanged();
    MarkAll();
    return MENU_REDRAW_ALSO;
}

int32_t PlayerSearch_ListB(int row) {
    if (row >= 0 && row <= 4) {
        Toggle(kFilterListFlags, row);
    } else if (row == 5) {
        SetAll(kFilterListFlags, 5, 0);
    } else if (row == 7) {
        Toggle(kFilterIncludeFlag119, 0);
    } else if (row == 8) {
        Toggle(kFilterOwnClub, 0);
    } else if (row == 9) {
        Toggle(kFilterPlaceFlags, 0);
    } else if (row == 10) {
        Toggle(kFilterPlaceFlags, 2);
    } else if (row >= kFirstDivisionRow + 0 && row < kFirstDivisionRow + SearchDivisionCount) {
        Toggle(kFilterPlaceFlags, 3 + row - kFirstDivisionRow);
    } else {
        return MENU_KEEP_POPUP;
    }
    FilterChanged();
    MarkAll();
    return MENU_REDRAW_ALSO;
}

int32_t PlayerSearch_ListC(int row) {
    if (row < 0 || row >= kSearchSortColumns - 1) return MENU_KEEP_POPUP;
    SearchFilter_SetSortColumn(Filter(), uint16_t(row));
    SearchRedrawPending = 1;
    SearchResortPending = 1;
    MarkAll();
    return MENU_REDRAW_ALSO;
}

int32_t PlayerSearch_ListD(int row) {
    if (row >= 0 && row < kSearchPresets) {
        SearchFilter_OpenPresetNaming(int16_t(row), &Filter());
        return MENU_REDRAW_ALSO;
    }
    if (row >= 9 && row < 9 + kSearchPresets) {
        SearchFilterCurrent = &Filter();
        SearchFilter_Load(int16_t(row - 9));
        SearchDirty = 1;
    } else if (row == 20) {
        SearchFilter_Reset(&Filter());
        SearchDirty = 1;
    } else if (row == 21) {
        SearchFilter_ClearAttrLimits(&Filter());
        SearchDirty = 1;
    }
    return MENU_REDRAW;
}

int32_t PlayerSearch_ColumnSet(int row) {
    if (row != 0 && row != 1) return MENU_KEEP_POPUP;
    SearchShowAttributes = SearchShowAttributes != 0 ? 0 : 1;
    return MENU_REDRAW;
}

int32_t PlayerSearch_ExtraColumn(int which, int row) {
    if (which < 0 || which > 1 || row < 0 || row >= kSearchExtraChoices) return MENU_KEEP_POPUP;
    SearchExtraColumn[which] = int16_t(row + 1);
    SearchRedrawPending = 1;
    MarkAll();
    return MENU_REDRAW_ALSO;
}

int32_t PlayerSearch_PriceDigit(int digit, bool add) {
    if (digit < 0 || digit > 4) return MENU_CONTINUE;
    const int64_t step = kPriceSteps[digit];
    int64_t price = SearchFilter_MaxPrice(Filter());
    if (add) {
        price += step;
    } else {
        price = price - step < 0 ? price + 9 * step : price - step;
    }
    SearchFilter_SetMaxPrice(Filter(), int32_t(std::clamp<int64_t>(price, 0, kSearchPriceCap)));
    SearchDirty = 1;
    return MENU_REDRAW;
}

int32_t PlayerSearch_WageDigit(int digit, bool add) {
    if (digit < 0 || digit > 4) return MENU_CONTINUE;
    const int64_t step = kWageSteps[digit];
    int64_t wage = SearchFilter_MaxWage(Filter());
    if (add) {
        wage += step;
    } else {
        wage = wage - step < 0 ? wage + 9 * step : wage - step;
    }
    SearchFilter_SetMaxWage(Filter(), int32_t(std::clamp<int64_t>(wage, 0, kSearchWageCap)));
    SearchDirty = 1;
    return MENU_REDRAW;
}

int32_t PlayerSearch_KindLeft(MenuHotItem*) {
    if (SearchChosenCount > kSearchShownKinds && SearchFirstKind > 0) --SearchFirstKind;
    return MENU_REDRAW;
}

int32_t PlayerSearch_KindRight(MenuHotItem*) {
    if (SearchChosenCount > kSearchShownKinds && SearchFirstKind + kSearchShownKinds < SearchChosenCount)
        ++SearchFirstKind;
    return MENU_REDRAW;
}

int32_t PlayerSearch_PageUp(MenuHotItem*) {
    SearchTopRow = std::max(0, SearchTopRow - kSearchPageRows);
    return MENU_REDRAW;
}

int32_t PlayerSearch_PageDown(MenuHotItem*) {
    SearchTopRow = std::max(0, std::min(SearchTopRow + kSearchPageRows, SearchResultCount - kSearchPageRows));
    return MENU_REDRAW;
}

int32_t PlayerSearch_NameClick(int row, int buttons) {
    if ((buttons & 2) == 0) return MENU_REDRAW;
    if (row < 0 || row >= kSearchPageRows || g_rows[row].player == 0) return MENU_CONTINUE;
    const uint16_t p = g_rows[row].player;
    SelectedClub = uint16_t(HVW_GetPlayerClub(p));
    SelectedPlayer = int16_t(p);
    ReturnMenuOption = kScreenPlayerSearch;
    MenuOption = kScreenPlayerStats;
    return MENU_CLOSE;
}

// ---- The attribute bars ------------------------------------------------------------------

namespace {

int16_t g_dragKind = -1;
int16_t g_dragMinimum = 1;
int g_lastButtons = 0;
bool g_dragChanged = false;

int16_t BarValue(int16_t kind, bool minimum) {
    return minimum ? SearchAttr_GetMin(kind, &Filter()) : SearchAttr_GetWeight(kind, &Filter());
}

void DrawBar(int16_t kind, bool minimum) {
    const int x = minimum ? kMinimumBarX : kWeightBarX;
    const int y = kBarTop + kBarRowHeight * kind;
    const int value = std::clamp<int>(BarValue(kind, minimum), 0, 100);
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0x4208);
    DoButton(x, y, kBarWidth, kBarHeight);
    const int end = x + value * kBarWidth / 100;
    if (end > x + 2) {
        if (minimum) {
            DrawGradientRect(x + 2, y + 2, end - x - 2, kBarHeight - 4, 64, 64, 255, 128, 255, 128, 64, 64,
                             255, 128, 255, 128);
        } else {
            DrawGradientRect(x + 2, y + 2, end - x - 2, kBarHeight - 4, 246, 140, 14, 255, 255, 0, 246, 140,
                             14, 255, 255, 0);
        }
    }
    SetDrawParam(2, 0xFFFF);
    DrawSolidRect(std::max(x, end - 2), y + 1, 3, kBarHeight - 2);
    DrawColour = kept;
    char text[16];
    if (minimum) {
        std::snprintf(text, sizeof text, "%d", value);
    } else {
        std::snprintf(text, sizeof text, "%d%%", value);
    }
    SetFont(6);
    SetDrawParam(1, 0);
    DrawTextAddrAt(x + kBarWidth / 2, y + kBarHeight / 2, text, JUSTIFY_CENTRE_MIDDLE);
}

}  // namespace

void PlayerSearch_BarMouse(int x, int y, int buttons) {
    const bool down = (buttons & 1) != 0;
    const bool pressed = down && (g_lastButtons & 1) == 0;
    g_lastButtons = buttons;
    if (pressed && y >= kBarTop && y <= kBarBottom) {
        const bool onMinimum = x >= kMinimumBarX && x <= kMinimumBarX + kBarWidth;
        const bool onWeight = x >= kWeightBarX && x <= kWeightBarX + kBarWidth;
        if (onMinimum || onWeight) {
            // The panel's last pixel row belongs to the last attribute.
            g_dragKind = int16_t(std::min((y - kBarTop) / kBarRowHeight, kSearchLimitedKinds - 1));
            g_dragMinimum = onMinimum ? 1 : 0;
            g_dragChanged = false;
        }
    }
    if (g_dragKind < 0) return;
    if (down) {
        const int start = g_dragMinimum != 0 ? kMinimumBarX : kWeightBarX;
        const int value = x < start ? 0 : x > start + kBarWidth ? 100 : (x - start) * 100 / kBarWidth;
        if (value != BarValue(g_dragKind, g_dragMinimum != 0)) {
            SearchAttr_SetLimit(int16_t(value), g_dragKind, &Filter(), g_dragMinimum != 0 ? 1 : 0);
            g_dragChanged = true;
        }
        return;
    }
    if (g_dragChanged) FilterChanged();
    g_dragKind = -1;
    g_dragChanged = false;
}

int16_t PlayerSearch_DraggedKind() { return g_dragKind; }

// ---- Painters, pop-ups and the table ---------------------------------------------------

namespace {

void DrawDraggedBar(int16_t) {
    if (g_dragKind >= 0) DrawBar(g_dragKind, g_dragMinimum != 0);
}
void BarMouseFrame(int16_t) { PlayerSearch_BarMouse(CursorX, CursorY, GetMenuButtons()); }
void PostPendingRedraw(int16_t) {
    if (SearchRedrawPending != 1) return;
    SetMenuFrameResult(MENU_REDRAW);
    SearchRedrawPending = 0;
}
const MenuTimerRecord kDragDrawRecord = {1, 1, DrawDraggedBar};
const MenuTimerRecord kDragMouseRecord = {1, 1, BarMouseFrame};
const MenuTimerRecord kRedrawRecord = {1, 1, PostPendingRedraw};

void PaintPanelHeadings(int, int, int, int) {
    SetFont(6);
    SetDrawParam(1, 0);
    DrawWrappedText(592, 124, TextOf(kTextMinimums), JUSTIFY_CENTRE_MIDDLE, 85, 40);
    DrawWrappedText(690, 124, TextOf(kTextWeights), JUSTIFY_CENTRE_MIDDLE, 85, 40);
}

void PaintAttributeRow(int x, int y, int, int) {
    const auto kind = int16_t(MenuPaintRow());
    SetFont(6);
    SetDrawParam(1, 0);
    DrawTextNoAt(x, y + kBarHeight / 2, SearchAttrKindTable[kind], JUSTIFY_LEFT_MIDDLE);
    DrawBar(kind, true);
    DrawBar(kind, false);
}

void PaintPageBox(int x, int y, int w, int h) { DrawBlackShade30Box(x, y, w, h); }

void PaintDividers(int, int y, int, int h) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0x7BEF);
    for (int at : {245, 420, 481}) DrawRelLine(at, y, 0, h);
    if (SearchShowAttributes != 0)
        for (int at : {282, 316, 350, 384}) DrawRelLine(at, y, 0, h);
    DrawColour = kept;
}

void PaintResultRow(int, int y, int, int) {
    static constexpr SearchRowLayout kLayout = {kListX, kListWidth, {265, 299, 333, 367, 401}, {450, 511}};
    const int r = MenuPaintRow();
    PlayerSearch_PaintRow(g_rows[r], g_rowPlayers, r, y, kLayout);
}

void PaintHeadings(int, int y, int, int) {
    SetFont(6);
    SetDrawParam(1, 0);
    for (int c = 0; c < kSearchShownKinds; ++c)
        if (g_headings[c] >= 0) DrawTextNoAt(kAttributeX[c], y, g_headings[c], JUSTIFY_CENTRE_MIDDLE);
}

// Eight digits of the price ceiling, ten millions first.
void PaintPriceDigits(int x, int y, int, int) {
    int16_t digits[8];
    int32_t price = SearchFilter_MaxPrice(Filter());
    for (int i = 7; i >= 0; --i, price /= 10) digits[i] = int16_t(price % 10);
    SetFont(6);
    DrawNineCellRow(digits, x, y, kDigitSize, kDigitSize);
}

// The money sign and five digits of the wage ceiling, ten thousands first,
// in the cells of the price ceiling's row.
void PaintWageDigits(int x, int y, int, int) {
    int32_t wage = SearchFilter_MaxWage(Filter());
    int16_t digits[5];
    for (int i = 4; i >= 0; --i, wage /= 10) digits[i] = int16_t(wage % 10);
    SetFont(6);
    DrawMoneyCells(digits, 6, x, y, kDigitSize, kDigitSize);
}

bool SecondButton() { return (GetMenuButtons() & 2) != 0; }

int32_t PriceClicked(MenuHotItem* item) {
    const int* at = std::find(std::begin(kPriceDigitX), std::end(kPriceDigitX), item->x);
    return PlayerSearch_PriceDigit(int(at - std::begin(kPriceDigitX)), !SecondButton());
}
int32_t WageClicked(MenuHotItem* item) {
    const int* at = std::find(std::begin(kWageDigitX), std::end(kWageDigitX), item->x);
    return PlayerSearch_WageDigit(int(at - std::begin(kWageDigitX)), !SecondButton());
}
int32_t NameClicked(MenuHotItem* item) { return PlayerSearch_NameClick(item->row, GetMenuButtons()); }
int32_t Back(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

#define POPUP_HEAD(open) \
    { POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, open }
#define POPUP_ROW(text, function) \
    { POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(text), function, nullptr }
#define POPUP_STRING_ROW(text, function) \
    { POPUP_STRING_VARIABLE, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, text, function, nullptr }
#define POPUP_LITERAL_ROW(text, function) \
    { POPUP_STRING, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, text, function, nullptr }
#define POPUP_LINE \
    { POPUP_SEPARATOR, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr }
#define POPUP_TAIL \
    { POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr }

int32_t ListAChosen(PopupCallBlock* call) { return PlayerSearch_ListA(call->row); }
int32_t ListBChosen(PopupCallBlock* call) { return PlayerSearch_ListB(call->row); }
int32_t ListCChosen(PopupCallBlock* call) { return PlayerSearch_ListC(call->row); }
int32_t ListDChosen(PopupCallBlock* call) { return PlayerSearch_ListD(call->row); }
int32_t ColumnSetChosen(PopupCallBlock* call) { return PlayerSearch_ColumnSet(call->row); }
int32_t Extra0Chosen(PopupCallBlock* call) { return PlayerSearch_ExtraColumn(0, call->row); }
int32_t Extra1Chosen(PopupCallBlock* call) { return PlayerSearch_ExtraColumn(1, call->row); }
void MarkOnOpen(PopupCallBlock*) { MarkAll(); }

PopupEntry g_listA[] = {
    POPUP_HEAD(MarkOnOpen),
    POPUP_ROW(564, ListAChosen),
    POPUP_ROW(565, ListAChosen),
    POPUP_ROW(609, ListAChosen),
    POPUP_ROW(567, ListAChosen),
    POPUP_ROW(1879, ListAChosen),
    POPUP_LINE,
    POPUP_ROW(404, ListAChosen),
    POPUP_ROW(405, ListAChosen),
    POPUP_ROW(406, ListAChosen),
    POPUP_ROW(1879, ListAChosen),
    POPUP_ROW(568, ListAChosen),
    POPUP_LINE,
    POPUP_ROW(85, ListAChosen),
    POPUP_LITERAL_ROW("16-20", ListAChosen),
    POPUP_LITERAL_ROW("16-25", ListAChosen),
    POPUP_LITERAL_ROW("20-25", ListAChosen),
    POPUP_LITERAL_ROW("20-30", ListAChosen),
    POPUP_LITERAL_ROW("25-30", ListAChosen),
    POPUP_LITERAL_ROW("30+", ListAChosen),
    POPUP_TAIL,
};

// The division rows follow the fixed rows; the list ends after the
// nation's divisions.
PopupEntry g_listB[kFirstDivisionRow + kSearchMaxDivisions + 2] = {
    POPUP_HEAD(MarkOnOpen),      POPUP_ROW(739, ListBChosen),
    POPUP_ROW(738, ListBChosen), POPUP_ROW(409, ListBChosen),
    POPUP_ROW(410, ListBChosen), POPUP_ROW(789, ListBChosen),
    POPUP_ROW(569, ListBChosen), POPUP_LINE,
    POPUP_ROW(752, ListBChosen), POPUP_ROW(194, ListBChosen),
    POPUP_ROW(857, ListBChosen), POPUP_ROW(540, ListBChosen),
};

#define VALUE_ROWS(function)                                                                                \
    POPUP_ROW(61, function), POPUP_ROW(86, function), POPUP_ROW(240, function), POPUP_ROW(63, function),    \
        POPUP_ROW(67, function), POPUP_ROW(62, function), POPUP_ROW(64, function), POPUP_ROW(65, function), \
        POPUP_ROW(66, function)

PopupEntry g_listC[] = {POPUP_HEAD(MarkOnOpen), POPUP_ROW(kTextWeights, ListCChosen), VALUE_ROWS(ListCChosen),
                        POPUP_TAIL};
PopupEntry g_extra0[] = {POPUP_HEAD(MarkOnOpen), VALUE_ROWS(Extra0Chosen), POPUP_ROW(1092, Extra0Chosen),
                         POPUP_TAIL};
PopupEntry g_extra1[] = {POPUP_HEAD(MarkOnOpen), VALUE_ROWS(Extra1Chosen), POPUP_ROW(1092, Extra1Chosen),
                         POPUP_TAIL};
PopupEntry g_columnSet[] = {POPUP_HEAD(nullptr), POPUP_ROW(kClubsText, ColumnSetChosen),
                            POPUP_ROW(kTextAttributes, ColumnSetChosen), POPUP_TAIL};

PopupEntry g_listD[kSearchPresetPopupEntries];

void BuildPresetPopup() { SearchFilter_BuildPresetPopup(g_listD, ListDChosen); }

void Mark(PopupEntry& entry, bool on) {
    entry.flags = uint16_t(on ? (entry.flags | POPUP_MARKED) : (entry.flags & ~POPUP_MARKED));
}

void BuildDivisionRows() {
    for (int d = 0; d < kSearchMaxDivisions; ++d) {
        g_listB[1 + kFirstDivisionRow + d] = POPUP_STRING_ROW(&g_divisionNames[d], ListBChosen);
    }
    g_listB[1 + kFirstDivisionRow + SearchDivisionCount] = POPUP_TAIL;
}

void MarkAll() {
    const SearchFilterPreset& f = Filter();
    const bool allPositions = AllSet(kFilterPositionAllowed, 4);
    for (int i = 0; i < 4; ++i)
        Mark(g_listA[1 + i], !allPositions && SearchFilter_Flag(f, kFilterPositionAllowed, i) != 0);
    Mark(g_listA[5], allPositions);
    const bool allSettings = AllSet(kFilterSettingRequired, 3);
    const bool any = SearchFilter_Flag(f, kFilterSettingAny) != 0;
    for (int i = 0; i < 3; ++i)
        Mark(g_listA[7 + i], !allSettings && SearchFilter_Flag(f, kFilterSettingRequired, i) != 0);
    Mark(g_listA[10], allSettings);
    Mark(g_listA[11], any && !allSettings);
    for (int b = 0; b < 7; ++b)
        Mark(g_listA[1 + kFirstAgeRow + b],
             SearchFilter_AgeMin(f) == kAgeBands[b][0] && SearchFilter_AgeMax(f) == kAgeBands[b][1]);

    BuildDivisionRows();
    bool anyList = false;
    for (int i = 0; i < 5; ++i) {
        const bool on = SearchFilter_Flag(f, kFilterListFlags, i) == 1;
        anyList = anyList || on;
        Mark(g_listB[1 + i], on);
    }
    Mark(g_listB[6], !anyList);
    Mark(g_listB[8], SearchFilter_Flag(f, kFilterIncludeFlag119) != 0);
    Mark(g_listB[9], SearchFilter_Flag(f, kFilterOwnClub) != 0);
    Mark(g_listB[10], SearchFilter_Flag(f, kFilterPlaceFlags, 0) != 0);
    const bool home = SearchFilter_Flag(f, kFilterPlaceFlags, 2) != 0;
    Mark(g_listB[11], home);
    for (int d = 0; d < SearchDivisionCount; ++d) {
        PopupEntry& entry = g_listB[1 + kFirstDivisionRow + d];
        entry.flags = home ? POPUP_SELECTABLE : 0;
        Mark(entry, home && SearchFilter_Flag(f, kFilterPlaceFlags, 3 + d) != 0);
    }

    const uint16_t sort = SearchFilter_SortColumn(f);
    for (int k = 0; k < kSearchSortColumns - 1; ++k) Mark(g_listC[1 + k], k == sort);
    for (int k = 0; k < kSearchExtraChoices; ++k) {
        Mark(g_extra0[1 + k], k + 1 == SearchExtraColumn[0]);
        Mark(g_extra1[1 + k], k + 1 == SearchExtraColumn[1]);
    }
}

int32_t Accept(MenuHotItem*) { return MENU_CONTINUE; }

const MenuItem kAttributeRow[] = {
    {MI_CUSTOM, 559, 0, 225, kBarHeight, MenuFunction(PaintAttributeRow), nullptr},
    kMenuEnd,
};
const MenuItem kResultRow[] = {
    {MI_CUSTOM, kListX, 0, kListWidth, kRowHeight, MenuFunction(PaintResultRow), nullptr},
    {MI_HOT_RECT, kListX, 0, kNameWidth, kRowHeight, nullptr, NameClicked},
    kMenuEnd,
};

}  // namespace

const MenuItem PlayerSearchTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(SearchResultsMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(kTitleText), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    // The attribute panel with its bars and their frame hooks.
    {MI_CUSTOM, 557, 159, 227, 374, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_CUSTOM, 557, 110, 227, 40, MenuFunction(PaintPanelHeadings), nullptr},
    {MI_GROUP, 0, kBarTop, kSearchLimitedKinds, kBarRowHeight, kAttributeRow, nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kDragMouseRecord, nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kDragDrawRecord, nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kRedrawRecord, nullptr},
    // The column choices above the list.
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_BUTTON_TEXT, 248, 91, 170, 20, MenuValue(-1), Accept},
    {MI_POPUP, 0, 0, 0, 0, g_columnSet, nullptr},
    {MI_CUSTOM, 248, 101, 170, 0, MenuFunction(PaintHeadings), nullptr},
    {MI_TEXT_VAR, 333, 101, 10, 0, &g_columnLabel, nullptr},
    {MI_BUTTON_TEXT_VAR, 420, 91, 60, 20, &g_extraHeadings[0], Accept},
    {MI_POPUP, 0, 0, 0, 0, g_extra0, nullptr},
    {MI_BUTTON_TEXT_VAR, 481, 91, 60, 20, &g_extraHeadings[1], Accept},
    {MI_POPUP, 0, 0, 0, 0, g_extra1, nullptr},
    // The page box and the wage budget.
    {MI_CUSTOM, 20, 91, 70, 20, MenuFunction(PaintPageBox), nullptr},
    {MI_STRING_VAR, 55, 101, 10, 0, &g_pageTextPtr, nullptr},
    {MI_CUSTOM, 557, 97, 227, 30, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_TEXT, 670, 99, 6, 0, MenuValue(421), nullptr},
    {MI_STRING_VAR, 670, 125, 14, 0, &g_wageBudgetPtr, nullptr},
    // The result list.
    {MI_CUSTOM, kListX, kListY, kListWidth, 352, MenuFunction(DrawBlackBox), nullptr},
    {MI_GROUP, 0, kListY, kSearchPageRows, kRowHeight, kResultRow, nullptr},
    {MI_CUSTOM, kListX, kListY, kListWidth, 352, MenuFunction(PaintDividers), nullptr},
    // The price and wage ceilings.
    {MI_CUSTOM, 20, 489, 532, 45, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_TEXT, 135, 506, 14, 0, MenuValue(1491), nullptr},
    {MI_CUSTOM, 25, kDigitY, 210, kDigitSize, MenuFunction(PaintPriceDigits), nullptr},
    {MI_HOT_RECT, 47, kDigitY, kDigitSize, kDigitSize, nullptr, PriceClicked},
    {MI_HOT_RECT, 69, kDigitY, kDigitSize, kDigitSize, nullptr, PriceClicked},
    {MI_HOT_RECT, 95, kDigitY, kDigitSize, kDigitSize, nullptr, PriceClicked},
    {MI_HOT_RECT, 117, kDigitY, kDigitSize, kDigitSize, nullptr, PriceClicked},
    {MI_HOT_RECT, 139, kDigitY, kDigitSize, kDigitSize, nullptr, PriceClicked},
    {MI_TEXT, 468, 506, 14, 0, MenuValue(1893), nullptr},
    {MI_CUSTOM, 402, kDigitY, 134, kDigitSize, MenuFunction(PaintWageDigits), nullptr},
    {MI_HOT_RECT, 424, kDigitY, kDigitSize, kDigitSize, nullptr, WageClicked},
    {MI_HOT_RECT, 446, kDigitY, kDigitSize, kDigitSize, nullptr, WageClicked},
    {MI_HOT_RECT, 472, kDigitY, kDigitSize, kDigitSize, nullptr, WageClicked},
    {MI_HOT_RECT, 494, kDigitY, kDigitSize, kDigitSize, nullptr, WageClicked},
    {MI_HOT_RECT, 516, kDigitY, kDigitSize, kDigitSize, nullptr, WageClicked},
    // Attribute arrows, pages and the bottom buttons.
    {MI_ICON, 248, 470, 5, 0, MenuValue(195), PlayerSearch_KindLeft},
    {MI_ICON, 400, 470, 5, 0, MenuValue(196), PlayerSearch_KindRight},
    {MI_ICON, 20, 559, 5, 0, MenuValue(154), nullptr},
    {MI_HOT_RECT, 20, 559, 40, 14, nullptr, PlayerSearch_PageUp},
    {MI_HOT_RECT, 20, 573, 40, 14, nullptr, PlayerSearch_PageDown},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_BUTTON_TEXT, 60, 559, 169, 28, MenuValue(837), Accept},
    {MI_POPUP, 0, 0, 0, 0, g_listA, nullptr},
    {MI_BUTTON_TEXT, 231, 559, 169, 28, MenuValue(156), Accept},
    {MI_POPUP, 0, 0, 0, 0, g_listB, nullptr},
    {MI_BUTTON_TEXT, 402, 559, 169, 28, MenuValue(293), Accept},
    {MI_POPUP, 0, 0, 0, 0, g_listC, nullptr},
    {MI_BUTTON_TEXT, 573, 559, 169, 28, MenuValue(284), Accept},
    {MI_POPUP, 0, 0, 0, 0, g_listD, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), Back},
    kMenuEnd,
};
