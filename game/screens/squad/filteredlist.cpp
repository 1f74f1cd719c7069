#include "game/screens/squad/filteredlist.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

#include "core/query/codetexts.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/searchfilter.h"

uint16_t OwnSquadCandidates[kOwnSquadCandidates];
int16_t OwnSquadCandidateCount = 0;
uint16_t FilteredPlayers[kFilteredPlayersMax];
int16_t FilteredCount = 0;
uint32_t FilterDirty = 0;
uint16_t SortPending = 0;
uint32_t PanelDirty = 0;
int16_t ListTop = 0;
int16_t ActiveKinds[kFilterPanelRows];
int16_t ActiveCount = 0;
int16_t KindTop = 0;
uint16_t SortColumn = 0;
int16_t FilteredColumnA = 3;
int16_t FilteredColumnB = 2;
uint32_t PanelLimitView = 1;
uint16_t FilteredPick = 0;
uint16_t PanelDragRow = kNoPanelRow;
int16_t FilteredRowColour[kFilteredPageRows];

namespace {

constexpr int kShownKinds = 5;
constexpr int kValueKinds = 9;
// The headings of the value kinds, as the team selection's first nine.
constexpr int16_t kValueHeadings[kValueKinds] = {61, 86, 240, 63, 67, 62, 64, 65, 66};
constexpr int kTextSize = 48;
constexpr int kFitnessNeeded = 48;

constexpr int kPanelX = 629, kPanelRight = 738, kPanelTop = 109, kPanelBottom = 509;
constexpr int kBarWidth = 109, kBarHeight = 18, kPanelRowHeight = 20;
constexpr int kAttributeX[kShownKinds] = {283, 324, 365, 406, 447};
constexpr int kListY = 117, kRowHeight = 22;

const char* TextOf(int16_t id) {
    const char* text = id >= 0 ? GetText(id) : "";
    return text != nullptr ? text : "";
}

int16_t UserClub() {
    const int16_t user = HVW_GetMyClub();
    if (user >= 0 && user < kClubCount) return user;
    return SelectedClub < kClubCount ? int16_t(SelectedClub) : int16_t(1);
}

int16_t KindName(int16_t kind) { return SearchAttr_GetNameText(SearchAttrKindTable[kind], -1); }

int16_t PanelLimit(int16_t kind) {
    return PanelLimitView == 1 ? SearchAttr_GetMin(kind, &ListSearchFilter)
                               : SearchAttr_GetWeight(kind, &ListSearchFilter);
}

// A player's second-list shirt counts when he is on the second list.
bool OnSecondList(uint16_t p) { return GetPlayerFlag107(p) != 0; }
int16_t ListShirt(uint16_t p) { return OnSecondList(p) ? HVW_GetPlayerIntShirt(p) : HVW_GetPlayerShirt(p); }
void SetListShirt(uint16_t p, int16_t shirt) {
    if (OnSecondList(p)) {
        HVW_SetPlayerIntShirt(p, shirt);
    } else {
        HVW_SetPlayerShirt(p, shirt);
    }
}

// The sort key of a player: money when the value gives money, else the
// number.
int64_t SortKey(uint16_t p) {
    if (SortColumn == 0) {
        if (ActiveCount == 0) return 0;
        return SearchAttr_GetPlayerValue(ActiveKinds[std::clamp<int>(KindTop, 0, ActiveCount - 1)], p);
    }
    const int kind = std::min<int>(SortColumn - 1, kValueKinds - 1);
    SelectedPlayer = int16_t(p);
    uint16_t text = kAttributeNoText;
    int32_t money = kAttributeNoMoney;
    const int32_t number = AttributeValueByLabel(uint16_t(kValueHeadings[kind]), &text, &money);
    return money != kAttributeNoMoney ? money : number;
}

void ClampPages() {
    ListTop = int16_t(std::max(0, std::min<int>(ListTop, FilteredCount - kFilteredPageRows)));
    KindTop = int16_t(std::max(0, std::min<int>(KindTop, ActiveCount - kShownKinds)));
}

void FindActiveKinds() {
    ActiveCount = 0;
    std::fill(std::begin(ActiveKinds), std::end(ActiveKinds), int16_t(-1));
    for (int16_t kind = 0; kind < kFilterPanelRows; ++kind) {
        if (SearchAttr_GetMin(kind, &ListSearchFilter) > 0 ||
            SearchAttr_GetWeight(kind, &ListSearchFilter) > 0) {
            ActiveKinds[ActiveCount++] = kind;
        }
    }
}

void RebuildFiltered() {
    FilterDirty = 0;
    SortPending = 1;
    FilteredCount = 0;
    for (int i = 0; i < OwnSquadCandidateCount && FilteredCount < kFilteredPlayersMax; ++i) {
        const uint16_t p = OwnSquadCandidates[i];
        if (SearchFilter_MatchPlayer(p, &ListSearchFilter, 1) != 0) FilteredPlayers[FilteredCount++] = p;
    }
}

// Larger values first.
bool CompareFilteredRows(const std::pair<int64_t, uint16_t>& a, const std::pair<int64_t, uint16_t>& b) {
    return a.first > b.first;
}

void SortFiltered() {
    SortPending = 0;
    const int16_t savedPlayer = SelectedPlayer;
    std::vector<std::pair<int64_t, uint16_t>> keyed;
    for (int i = 0; i < FilteredCount; ++i)
        keyed.emplace_back(SortKey(FilteredPlayers[i]), FilteredPlayers[i]);
    std::stable_sort(keyed.begin(), keyed.end(), CompareFilteredRows);
    for (int i = 0; i < FilteredCount; ++i) FilteredPlayers[i] = keyed[size_t(i)].second;
    SelectedPlayer = savedPlayer;
}

bool PreSeasonUnfit(uint16_t p) {
    const int16_t user = HVW_GetMyClub();
    const int16_t nation = user >= 0 && user < kClubCount ? HVW_GetClubNation(user) : int16_t(0);
    const int16_t country = nation >= 0 && nation < 9 ? nation : int16_t(0);
    const int16_t day = HVW_GetCurrentDay();
    return HVW_GetPlayerFitnessPct(p) < kFitnessNeeded && day >= HVW_GetCountryWordB(country) &&
           day <= HVW_GetCompNextRoundDay(country);
}

int16_t RowColour(uint16_t p) {
    int16_t colour = 0;
    if (HVW_GetPlayerIT(p) != 0 || HVW_IsPlayerSuspended(p) != 0 || HVW_GetPlayerIntDuty(p) != 0 ||
        PreSeasonUnfit(p)) {
        colour = 4;
    } else if (HVW_GetPlayerLoanClub(p) != HVW_GetPlayerClub(p) &&
               HVW_GetPlayerLoanClub(p) != int16_t(SelectedClub)) {
        colour = 7;
    }
    if (HVW_GetPlayerFlag95(p) != 0) colour = 6;
    if (p == FilteredPick) colour = 1;
    return colour;
}

// ---- Display state ------------------------------------------------------------------------

int16_t g_clubText = -1;
int16_t g_panelHeading = kTextMinimums;
char g_columnALabel[kTextSize];
char g_columnBLabel[kTextSize];
const char* g_columnALabelPtr = g_columnALabel;
const char* g_columnBLabelPtr = g_columnBLabel;

void FormatValue(int16_t heading, uint16_t p, char* out) {
    SelectedPlayer = int16_t(p);
    uint16_t text = kAttributeNoText;
    int32_t money = kAttributeNoMoney;
    const int32_t number = AttributeValueByLabel(uint16_t(heading), &text, &money);
    out[0] = 0;
    if (number != kAttributeNoNumber) {
        std::snprintf(out, kTextSize, "%d", int(number));
    } else if (text != kAttributeNoText) {
        std::snprintf(out, kTextSize, "%s", TextOf(int16_t(text)));
    } else if (money != kAttributeNoMoney) {
        std::snprintf(out, kTextSize, "%s", Price2str(money));
    }
}

struct ShownRow {
    uint16_t player;
    char shirt[8];
    int16_t position;
    bool second;
    char name[kTextSize];
    char attributes[kShownKinds][8];
    char columnA[kTextSize];
    char columnB[kTextSize];
};
ShownRow g_rows[kFilteredPageRows];

void FillRows() {
    const int16_t savedPlayer = SelectedPlayer;
    for (int r = 0; r < kFilteredPageRows; ++r) {
        ShownRow& row = g_rows[r];
        row = {};
        row.position = -1;
        FilteredRowColour[r] = 0;
        const int index = ListTop + r;
        const uint16_t p = index < FilteredCount ? FilteredPlayers[index] : uint16_t(0);
        row.player = p;
        if (p == 0) continue;
        row.second = OnSecondList(p);
        const int16_t shirt = ListShirt(p);
        if (shirt > 0) std::snprintf(row.shirt, sizeof row.shirt, "%d", shirt);
        if (shirt >= 1 && shirt <= 16)
            row.position = GetTacticPosText(int16_t(shirt - 1), row.second ? 0 : 1);
        std::snprintf(row.name, sizeof row.name, "%s", HVW_GetPlayerShortName(p));
        for (int c = 0; c < kShownKinds; ++c) {
            const int k = KindTop + c;
            if (k < ActiveCount && ActiveKinds[k] >= 0) {
                std::snprintf(row.attributes[c], sizeof row.attributes[c], "%d",
                              SearchAttr_GetPlayerValue(ActiveKinds[k], p));
            }
        }
        FormatValue(kValueHeadings[FilteredColumnA], p, row.columnA);
        FormatValue(kValueHeadings[FilteredColumnB], p, row.columnB);
        FilteredRowColour[r] = RowColour(p);
    }
    SelectedPlayer = savedPlayer;
}

void FillLabels() {
    std::snprintf(g_columnALabel, kTextSize, "%s", TextOf(kValueHeadings[FilteredColumnA]));
    std::snprintf(g_columnBLabel, kTextSize, "%s", TextOf(kValueHeadings[FilteredColumnB]));
    g_panelHeading = PanelLimitView == 1 ? kTextMinimums : kTextWeights;
    g_clubText = HVW_ClubTextId(int16_t(SelectedClub));
}

// The preset pop-up with the presets' current names.
void BuildPresetPopup();

void CollectCandidates() {
    OwnSquadCandidateCount = 0;
    for (uint16_t p = 1; p < PlayerCount && OwnSquadCandidateCount < kOwnSquadCandidates; ++p) {
        if (SearchFilter_IsCandidate(p, 1) != 0) OwnSquadCandidates[OwnSquadCandidateCount++] = p;
    }
}

}  // namespace

// ---- The screen function --------------------------------------------------------------------

void SetFilteredListDefaults() {
    FilteredColumnA = 3;
    FilteredColumnB = 2;
    KindTop = 0;
    ListTop = 0;
}

void FilteredList_Enter() {
    // The list is the user's own squad, whatever club was shown before.
    SelectedClub = uint16_t(UserClub());
    SetMenuTitleDate(11);
    FilterDirty = 1;
    SortColumn = 0;
    SortPending = 1;
    FilteredPick = 0;
    PanelDragRow = kNoPanelRow;
    HVW_BuildSquadList(int16_t(SelectedClub));
    CollectCandidates();
}

void FilteredSquadListMenu() {
    if (IsMenuFirstEntry() == 1) FilteredList_Enter();
    // The attributes in use are found before the sort: sorting by the first
    // shown attribute reads them, and the last walk's would sort a list by
    // a column a drag has just replaced.
    FindActiveKinds();
    if (FilterDirty != 0) RebuildFiltered();
    ClampPages();
    if (SortPending != 0) SortFiltered();
    FillRows();
    FillLabels();
    BuildPresetPopup();
}

int16_t FilteredList_HeadingText(int column) {
    const int k = KindTop + column;
    if (column < 0 || column >= kShownKinds || k >= ActiveCount || ActiveKinds[k] < 0) return -1;
    return KindName(ActiveKinds[k]);
}

bool FilteredList_NoActiveAttribute() { return ActiveCount == 0; }

// ---- The side panel ------------------------------------------------------------------------

namespace {

int g_panelButtons = 0;

void DrawBar(int row, int16_t limit) {
    const int y = kPanelTop + row * kPanelRowHeight;
    const uint16_t saved = DrawColour;
    SetDrawParam(2, 0x4208);
    DoButton(kPanelX, y, kBarWidth, kBarHeight);
    const int width = std::clamp<int>(limit, 0, 100) * kBarWidth / 100;
    if (width > 2)
        DrawGradientRect(kPanelX + 1, y + 2, width - 2, kBarHeight - 4, 40, 90, 200, 60, 200, 90, 40, 90, 200,
                         60, 200, 90);
    DrawColour = saved;
}

}  // namespace

void FilterPanelMouse(int x, int y, int buttons) {
    const int previous = g_panelButtons;
    g_panelButtons = buttons & 3;
    if (g_panelButtons != 0 && previous == 0 && x >= kPanelX && x <= kPanelRight && y >= kPanelTop &&
        y <= kPanelBottom) {
        // The panel's last pixel row belongs to the last attribute: row 20
        // would name no attribute and paint its bar below the panel.
        PanelDragRow = uint16_t(std::min((y - kPanelTop) / kPanelRowHeight, kFilterPanelRows - 1));
    }
    if (PanelDragRow == kNoPanelRow) return;
    if (g_panelButtons != 0) {
        const int value = x < kPanelX ? 0 : x > kPanelRight ? 100 : (x - kPanelX) * 100 / kBarWidth;
        SearchAttr_SetLimit(int16_t(value), int16_t(PanelDragRow), &ListSearchFilter,
                            PanelLimitView == 1 ? 1 : 2);
        return;
    }
    FilterDirty = 1;
    PanelDirty = 1;
    PanelDragRow = kNoPanelRow;
}

namespace {

void DrawFilterDrag(int16_t) {
    if (PanelDragRow == kNoPanelRow) return;
    const int16_t limit = PanelLimit(int16_t(PanelDragRow));
    DrawBar(PanelDragRow, limit);
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", limit);
    SetFont(6);
    SetDrawParam(1, 0);
    DrawTextAddrAt(683, kPanelTop + PanelDragRow * kPanelRowHeight + kBarHeight / 2, text,
                   JUSTIFY_CENTRE_MIDDLE);
}
void PanelMouseFrame(int16_t) { FilterPanelMouse(CursorX, CursorY, GetMenuButtons()); }
void FilteredList_Refresh(int16_t) {
    if (PanelDirty == 0) return;
    SetMenuFrameResult(MENU_REDRAW);
    PanelDirty = 0;
}
const MenuTimerRecord kDragRecord = {1, 1, DrawFilterDrag};
const MenuTimerRecord kPanelRecord = {1, 1, PanelMouseFrame};
const MenuTimerRecord kRefreshRecord = {1, 1, FilteredList_Refresh};

void DrawFilterBar(int, int, int, int) {
    const int row = MenuPaintRow();
    DrawBar(row, PanelLimit(int16_t(row)));
}

void DrawPanelName(int x, int y, int, int) {
    SetFont(6);
    SetDrawParam(1, 0);
    DrawTextNoAt(x, y + kBarHeight / 2, KindName(int16_t(MenuPaintRow())), JUSTIFY_LEFT_MIDDLE);
}

void FilteredList_DrawHeadingTicks(int x, int y, int, int h) {
    const uint16_t saved = DrawColour;
    SetDrawParam(2, 0x7BEF);
    for (int i = 0; i < 7; ++i) {
        const int at = i < kShownKinds ? kAttributeX[i] - 20 : (i == 5 ? 470 : 523) - 1;
        DrawRelLine(at, y, 0, h);
    }
    DrawColour = saved;
    (void)x;
}

void DrawHeadingBand(int x, int y, int w, int h) {
    const uint16_t saved = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(x, y, w, h, 50);
    DrawColour = saved;
    SetFont(6);
    SetDrawParam(1, 0);
    if (FilteredList_NoActiveAttribute()) {
        DrawTextNoAt(x + w / 2, y + h / 2, kTextAttributes, JUSTIFY_CENTRE_MIDDLE);
    } else {
        for (int c = 0; c < kShownKinds; ++c) {
            DrawTextNoAt(kAttributeX[c], y + h / 2, FilteredList_HeadingText(c), JUSTIFY_CENTRE_MIDDLE);
        }
    }
    FilteredList_DrawHeadingTicks(x, y, w, h);
}

void PaintListRow(int, int y, int, int) {
    const int r = MenuPaintRow();
    const ShownRow& row = g_rows[r];
    const uint16_t saved = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(65, y, 510, kRowHeight - 1, (r & 1) != 0 ? 25 : 50);
    DrawColour = saved;
    if (row.player == 0) return;
    SetDrawParam(1, FilteredRowColour[r]);
    SetFont(6);
    if (row.second) DrawIconPart(4, y + 2, 20, JUSTIFY_LEFT_TOP, 0, 0, 28, kRowHeight - 4);
    DrawTextNoAt(50, y + 11, row.position, JUSTIFY_CENTRE_MIDDLE);
    SetFont(9);
    DrawTextAddrAt(70, y + 11, row.name, JUSTIFY_LEFT_MIDDLE);
    DrawSettingIconsOf(row.player, 233, y + 5);
    SetFont(6);
    SetDrawParam(1, FilteredRowColour[r]);
    for (int c = 0; c < kShownKinds; ++c)
        DrawTextAddrAt(kAttributeX[c], y + 11, row.attributes[c], JUSTIFY_CENTRE_MIDDLE);
    DrawTextAddrAt(496, y + 11, row.columnA, JUSTIFY_CENTRE_MIDDLE);
    DrawTextAddrAt(549, y + 11, row.columnB, JUSTIFY_CENTRE_MIDDLE);
}

}  // namespace

// ---- Handlers ------------------------------------------------------------------------------

int32_t FilteredList_RowClick(int row, bool secondButton) {
    if (row < 0 || row >= kFilteredPageRows) return MENU_CONTINUE;
    const uint16_t p = g_rows[row].player;
    if (p == 0) {
        FilteredPick = 0;
        return MENU_REDRAW;
    }
    if (secondButton) {
        SelectedPlayer = int16_t(p);
        ReturnMenuOption = kScreenFilteredSquadList;
        MenuOption = kScreenPlayerStats;
        return MENU_CLOSE;
    }
    if (FilteredPick == 0) {
        FilteredPick = p;
        return MENU_REDRAW;
    }
    const uint16_t picked = FilteredPick;
    FilteredPick = 0;
    if (picked != p) {
        const int16_t a = ListShirt(picked), b = ListShirt(p);
        SetListShirt(picked, b);
        SetListShirt(p, a);
    }
    return MENU_REDRAW;
}

int32_t FilteredList_PageDown(MenuHotItem*) {
    ListTop = int16_t(ListTop + kFilteredPageRows);
    ListTop = int16_t(std::max(0, std::min<int>(ListTop, FilteredCount - kFilteredPageRows)));
    return MENU_REDRAW;
}

int32_t FilteredList_PageUp(MenuHotItem*) {
    ListTop = int16_t(std::max(0, ListTop - kFilteredPageRows));
    return MENU_REDRAW;
}

int32_t FilteredList_KindLeft(MenuHotItem*) {
    if (ActiveCount <= kShownKinds) return MENU_CONTINUE;
    KindTop = int16_t(std::max(0, KindTop - 1));
    return MENU_REDRAW;
}

int32_t FilteredList_KindRight(MenuHotItem*) {
    if (ActiveCount <= kShownKinds) return MENU_CONTINUE;
    KindTop = int16_t(std::min(ActiveCount - kShownKinds, KindTop + 1));
    return MENU_REDRAW;
}

namespace {

// A group of flags where all on means no restriction: choosing one while
// all are on keeps only it, otherwise it flips.
void ToggleInGroup(int field, int count, int index) {
    SearchFilterPreset& f = ListSearchFilter;
    bool all = true;
    for (int i = 0; i < count; ++i) all = all && SearchFilter_Flag(f, field, i) == 1;
    if (all) {
        for (int i = 0; i < count; ++i) SearchFilter_SetFlag(f, field, i, i == index ? 1 : 0);
    } else {
        SearchFilter_SetFlag(f, field, index, SearchFilter_Flag(f, field, index) != 0 ? 0 : 1);
    }
}

void SetGroup(int field, int count, uint32_t value) {
    for (int i = 0; i < count; ++i) SearchFilter_SetFlag(ListSearchFilter, field, i, value);
}

// The side settings take effect once any of them is asked for; with none
// the filter has no side preference.
void SettleSideGroup() {
    bool any = false;
    for (int i = 0; i < 3; ++i)
        any = any || SearchFilter_Flag(ListSearchFilter, kFilterSettingRequired, i) != 0;
    SearchFilter_SetFlag(ListSearchFilter, kFilterSettingAny, 0, any ? 0 : 1);
}

}  // namespace

int32_t FilteredList_FlagChoice(int entry) {
    switch (entry) {
        case 0:
        case 1:
        case 2:
        case 3:
            ToggleInGroup(kFilterPositionAllowed, 4, entry);
            break;
        case 4:
            SetGroup(kFilterPositionAllowed, 4, 1);
            break;
        case 6:
        case 7:
        case 8:
            ToggleInGroup(kFilterSettingRequired, 3, entry - 6);
            SettleSideGroup();
            break;
        case 9:
            SetGroup(kFilterSettingRequired, 3, 1);
            SettleSideGroup();
            break;
        case 10:
            SetGroup(kFilterSettingRequired, 3, 0);
            SearchFilter_SetFlag(ListSearchFilter, kFilterSettingAny, 0, 1);
            break;
        case 12:
        case 13:
        case 14: {
            const int list = entry - 12;
            const uint32_t on = SearchFilter_Flag(ListSearchFilter, kFilterSquadListFlags, list);
            SearchFilter_SetFlag(ListSearchFilter, kFilterSquadListFlags, list, on != 0 ? 0 : 1);
            break;
        }
        default:
            return MENU_CONTINUE;
    }
    FilterDirty = 1;
    return MENU_REDRAW_ALSO;
}

int32_t FilteredList_ChooseSort(int entry) {
    if (entry < 0 || entry > kValueKinds) return MENU_CONTINUE;
    SortColumn = uint16_t(entry);
    SortPending = 1;
    return MENU_REDRAW_ALSO;
}

int32_t FilteredList_PresetAction(int entry) {
    if (entry >= 0 && entry < kSearchPresets) {
        SearchFilter_OpenPresetNaming(int16_t(entry), &ListSearchFilter);
        return MENU_REDRAW_ALSO;
    }
    if (entry >= 9 && entry < 9 + kSearchPresets) {
        SearchFilterCurrent = &ListSearchFilter;
        SearchFilter_Load(int16_t(entry - 9));
        FilterDirty = 1;
        return MENU_REDRAW;
    }
    switch (entry) {
        case 18:
        case 19:
            PanelLimitView ^= 1u;
            return MENU_REDRAW;
        case 20:
            SearchFilter_Reset(&ListSearchFilter);
            FilterDirty = 1;
            return MENU_REDRAW;
        case 21:
            SearchFilter_ClearAttrLimits(&ListSearchFilter);
            FilterDirty = 1;
            return MENU_REDRAW;
        default:
            return MENU_CONTINUE;
    }
}

int32_t FilteredList_ChooseColumnA(int entry) {
    if (entry < 0 || entry >= kValueKinds) return MENU_CONTINUE;
    FilteredColumnA = int16_t(entry);
    return MENU_REDRAW_ALSO;
}

int32_t FilteredList_ChooseColumnB(int entry) {
    if (entry < 0 || entry >= kValueKinds) return MENU_CONTINUE;
    FilteredColumnB = int16_t(entry);
    return MENU_REDRAW_ALSO;
}

// ---- Pop-ups and the table ------------------------------------------------------------------

namespace {

#define POPUP_HEAD(open) \
    { POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, open }
#define POPUP_ROW(text, function) \
    { POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(text), function, nullptr }
#define POPUP_LINE \
    { POPUP_SEPARATOR, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr }
#define POPUP_TAIL \
    { POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr }

void Mark(PopupEntry& entry, bool on) {
    entry.flags = uint16_t(on ? (entry.flags | POPUP_MARKED) : (entry.flags & ~POPUP_MARKED));
}

int32_t FlagChosen(PopupCallBlock* call) { return FilteredList_FlagChoice(call->row); }
int32_t SortChosen(PopupCallBlock* call) { return FilteredList_ChooseSort(call->row); }
int32_t PresetChosen(PopupCallBlock* call) { return FilteredList_PresetAction(call->row); }
int32_t ColumnAChosen(PopupCallBlock* call) { return FilteredList_ChooseColumnA(call->row); }
int32_t ColumnBChosen(PopupCallBlock* call) { return FilteredList_ChooseColumnB(call->row); }

void FilteredList_MarkFlagsPopup(PopupCallBlock*);
void FilteredList_MarkSortPopup(PopupCallBlock*);
void MarkColumnA(PopupCallBlock*);
void MarkColumnB(PopupCallBlock*);

PopupEntry g_flagsPopup[] = {
    POPUP_HEAD(FilteredList_MarkFlagsPopup),
    POPUP_ROW(564, FlagChosen),
    POPUP_ROW(565, FlagChosen),
    POPUP_ROW(609, FlagChosen),
    POPUP_ROW(567, FlagChosen),
    POPUP_ROW(1879, FlagChosen),
    POPUP_LINE,
    POPUP_ROW(404, FlagChosen),
    POPUP_ROW(405, FlagChosen),
    POPUP_ROW(406, FlagChosen),
    POPUP_ROW(1879, FlagChosen),
    POPUP_ROW(568, FlagChosen),
    POPUP_LINE,
    POPUP_ROW(158, FlagChosen),
    POPUP_ROW(90, FlagChosen),
    POPUP_ROW(1449, FlagChosen),
    POPUP_TAIL,
};

#define VALUE_ROWS(function)                                                                                \
    POPUP_ROW(61, function), POPUP_ROW(86, function), POPUP_ROW(240, function), POPUP_ROW(63, function),    \
        POPUP_ROW(67, function), POPUP_ROW(62, function), POPUP_ROW(64, function), POPUP_ROW(65, function), \
        POPUP_ROW(66, function)

PopupEntry g_sortPopup[] = {POPUP_HEAD(FilteredList_MarkSortPopup), POPUP_ROW(kTextWeights, SortChosen),
                            VALUE_ROWS(SortChosen), POPUP_TAIL};
PopupEntry g_columnAPopup[] = {POPUP_HEAD(MarkColumnA), VALUE_ROWS(ColumnAChosen), POPUP_TAIL};
PopupEntry g_columnBPopup[] = {POPUP_HEAD(MarkColumnB), VALUE_ROWS(ColumnBChosen), POPUP_TAIL};

PopupEntry g_presetPopup[kSearchPresetPopupEntries];

void BuildPresetPopup() { SearchFilter_BuildPresetPopup(g_presetPopup, PresetChosen); }

void FilteredList_MarkFlagsPopup(PopupCallBlock*) {
    const SearchFilterPreset& f = ListSearchFilter;
    bool allPositions = true, allSides = true;
    for (int i = 0; i < 4; ++i) {
        const bool on = SearchFilter_Flag(f, kFilterPositionAllowed, i) != 0;
        allPositions = allPositions && on;
        Mark(g_flagsPopup[1 + i], on);
    }
    Mark(g_flagsPopup[5], allPositions);
    const bool any = SearchFilter_Flag(f, kFilterSettingAny) == 1;
    for (int i = 0; i < 3; ++i) {
        const bool on = SearchFilter_Flag(f, kFilterSettingRequired, i) != 0;
        allSides = allSides && on;
        Mark(g_flagsPopup[7 + i], on && !any);
    }
    Mark(g_flagsPopup[10], allSides && !any);
    Mark(g_flagsPopup[11], any);
    for (int i = 0; i < 3; ++i)
        Mark(g_flagsPopup[13 + i], SearchFilter_Flag(f, kFilterSquadListFlags, i) != 0);
}

void FilteredList_MarkSortPopup(PopupCallBlock*) {
    for (int k = 0; k <= kValueKinds; ++k) Mark(g_sortPopup[1 + k], k == SortColumn);
}
void MarkColumnA(PopupCallBlock*) {
    for (int k = 0; k < kValueKinds; ++k) Mark(g_columnAPopup[1 + k], k == FilteredColumnA);
}
void MarkColumnB(PopupCallBlock*) {
    for (int k = 0; k < kValueKinds; ++k) Mark(g_columnBPopup[1 + k], k == FilteredColumnB);
}

bool SecondButton() { return (GetMenuButtons() & 2) != 0; }
int32_t RowClicked(MenuHotItem* item) { return FilteredList_RowClick(item->row, SecondButton()); }
int32_t Back(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

const MenuItem kPanelRow[] = {
    {MI_CUSTOM, 587, 0, 40, kBarHeight, MenuFunction(DrawPanelName), nullptr},
    {MI_CUSTOM, kPanelX, 0, kBarWidth, kBarHeight, MenuFunction(DrawFilterBar), nullptr},
    kMenuEnd,
};
const MenuItem kListRow[] = {
    {MI_CUSTOM, 65, 0, 510, kRowHeight, MenuFunction(PaintListRow), nullptr},
    {MI_HOT_RECT, 65, 0, 162, kRowHeight, nullptr, RowClicked},
    kMenuEnd,
};

}  // namespace

const MenuItem FilteredSquadListTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(FilteredSquadListMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_TEXT_VAR, 50, 62, 9, 0, &g_clubText, nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(497), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_TEXT_VAR, 683, 97, 10, 0, &g_panelHeading, nullptr},
    {MI_CUSTOM, 585, 107, 173, 415, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_GROUP, 0, kPanelTop, kFilterPanelRows, kPanelRowHeight, kPanelRow, nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kDragRecord, nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kPanelRecord, nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kRefreshRecord, nullptr},
    {MI_CUSTOM, 263, 90, 205, 20, MenuFunction(DrawHeadingBand), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_BUTTON_STRING_VAR, 470, 90, 52, 20, &g_columnALabelPtr, MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_columnAPopup, nullptr},
    {MI_BUTTON_STRING_VAR, 523, 90, 52, 20, &g_columnBLabelPtr, MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_columnBPopup, nullptr},
    {MI_CUSTOM, 65, 117, 510, 396, MenuFunction(DrawBlackBox), nullptr},
    {MI_GROUP, 0, kListY, kFilteredPageRows, kRowHeight, kListRow, nullptr},
    {MI_ICON, 263, 513, 5, 0, MenuValue(195), FilteredList_KindLeft},
    {MI_ICON, 450, 513, 5, 0, MenuValue(196), FilteredList_KindRight},
    {MI_ICON, 20, 559, 5, 0, MenuValue(154), nullptr},
    {MI_HOT_RECT, 20, 559, 40, 14, nullptr, FilteredList_PageUp},
    {MI_HOT_RECT, 20, 573, 40, 26, nullptr, FilteredList_PageDown},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_BUTTON_TEXT, 90, 559, 190, 28, MenuValue(837), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_flagsPopup, nullptr},
    {MI_BUTTON_TEXT, 300, 559, 190, 28, MenuValue(293), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_sortPopup, nullptr},
    {MI_BUTTON_TEXT, 510, 559, 190, 28, MenuValue(284), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_presetPopup, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), Back},
    kMenuEnd,
};
