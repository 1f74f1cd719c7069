#include "game/screens/squad/attributetable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <span>

#include "core/base/debug.h"
#include "core/club/squads.h"
#include "core/query/codetexts.h"
#include "core/query/fields.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/sortkeys.h"
#include "game/screens/squad/squadnumbers.h"

AttributeTableState AttributeTable = {{}, 0, 0, 0, kNoSortColumn, 0, 0, {0, 1, 2, 3}, {}, 0};

namespace {

constexpr int16_t kBlank = int16_t(0x8000);
constexpr int16_t kSortEntryText = 535;
constexpr int16_t kGroupEntryText = 439;
constexpr uint16_t kHighlighted = 8;
constexpr int16_t kKeyPosition = 6, kKeyShirt = 26, kKeyNumber = 0;

struct AttributeKey {
    int16_t popupText, headerText, stat, sortKey;
};
constexpr AttributeKey kAttributes[kAttributeKeys] = {
    {44, 478, kPassingStat, 10},      {45, 479, kShootingStat, 11},   {43, 477, kTacklingStat, 9},
    {42, 476, kHeadingStat, 8},       {46, 480, kDribbleStat, 12},    {41, 475, kKeepingStat, 7},
    {47, 481, kControlStat, 13},      {58, 492, kLeadershipStat, 24}, {398, 1510, kSpiritStat, 25},
    {48, 482, kDeadballStat, 14},     {49, 483, kPaceStat, 15},       {52, 486, kStaminaStat, 18},
    {50, 484, kAgilityStat, 16},      {51, 485, kPowerStat, 17},      {53, 487, kResilienceStat, 19},
    {54, 488, kVisionStat, 20},       {55, 489, kComposureStat, 21},  {56, 490, kAggressionStat, 22},
    {57, 491, kIntelligenceStat, 23},
};

struct ExtraChoice {
    int16_t popupText, headerText;
};
constexpr ExtraChoice kExtras[kExtraChoices] = {
    {62, 1876},  {64, 683},  {239, 1600}, {255, 255}, {61, 61},   {67, 692},
    {244, 1875}, {399, 167}, {245, 1582}, {246, 691}, {247, 428}, {1092, 1509},
};

bool IsKey(int16_t key) { return key >= 0 && key < kAttributeKeys; }

int16_t Club() { return int16_t(SelectedClub); }

}  // namespace

int16_t PlayerTable_ValueColour(int32_t value) {
    if (value >= 91) return 6;
    if (value >= 76) return 12;
    if (value >= 31) return 0;
    if (value >= 16) return 16;
    return 4;
}

int16_t PlayerTable_AttributeValue(int16_t key, uint16_t p) {
    if (!IsKey(key) || p == 0) return kBlank;
    return HVW_GetPlayerStat(p, kAttributes[key].stat);
}

int16_t PlayerTable_ExtraValue(int16_t choice, uint16_t p) {
    switch (choice) {
        case 0:
            return HVW_GetPlayerApps(p);
        case 1:
            return HVW_GetPositionType(p) == 0 ? kBlank : HVW_GetPlayerGoals(p);
        case 2:
            return HVW_GetPlayerContract(p);
        case 3:
            return HVW_GetPlayerField96Percent(p);
        case 4:
            return HVW_GetPlayerAge(p);
        case 5:
            return HVW_GetPlayerPerf(p);
        case 6:
            return HVW_GetPlayerMoralePct(p);
        case 7:
            return HVW_GetPlayerField105Percent(p);
        case 8:
            return HVW_GetPlayerFitnessPct(p);
        case 9:
            return HVW_GetPlayerFatiguePct(p);
        case 10:
            return HVW_GetPlayerDispoints(p);
        case 11:
            return HVW_GetPlayerExperiencePercent(p);
        default:
            AbortError("menus\\g_mn2", __LINE__, "DisplaySort() SortByType Invaild Value");
    }
}

void PlayerTable_Sort() {
    AttributeTableState& t = AttributeTable;
    const int16_t none = SORT_KEY_NONE;
    const bool sorted = IsKey(t.sortColumnKey);
    const int16_t sortKey = sorted ? kAttributes[t.sortColumnKey].sortKey : none;
    if (sorted && t.grouping != 0) {
        SortKeys_Set(kKeyPosition, sortKey, kKeyShirt, kKeyNumber, none);
    } else if (sorted) {
        SortKeys_Set(sortKey, kKeyNumber, none, none, none);
    } else if (t.grouping != 0) {
        SortKeys_Set(kKeyPosition, kKeyShirt, kKeyNumber, none, none);
    } else {
        SortKeys_Set(kKeyShirt, none, none, none, none);
    }
    std::qsort(t.list, kTableRows, sizeof t.list[0], ComparePlayersByKeys);
}

// ---- The screen function ------------------------------------------------------------------------

namespace {

char g_clubName[40] = "";
const char* g_clubNamePtr = g_clubName;
int32_t g_rowPlayers[kTableRows];
int16_t g_rowPosition[kTableRows];
int16_t g_rowNumber[kTableRows];
int16_t g_rowColour[kTableRows];
int16_t g_rowExtra[kTableRows];
int16_t g_rowCells[kTableRows][kTableColumns];
int16_t g_extraHeader = -1;
int16_t g_fixedHeaders[3] = {-1, -1, -1};
int16_t g_columnHeaders[kTableColumns] = {-1, -1, -1, -1};
int16_t g_columnColour[kTableColumns] = {};

void Enter() {
    AttributeTableState& t = AttributeTable;
    HVW_BuildSquadList(Club());
    SetMenuTitleDate(11);
    t.count = 0;
    t.top = 0;
    t.sortColumnKey = kNoSortColumn;
    t.grouping = 0;
    t.extraChoice = 0;
    for (int c = 0; c < kTableColumns; ++c) {
        t.columnKeys[c] = int16_t(c);
        t.columnHighlight[c] = 0;
    }
    std::fill(std::begin(t.list), std::end(t.list), uint16_t(0));
    for (uint16_t p : FirstTeamList.players)
        if (p != 0 && p < PlayerCount && t.count < kTableRows) t.list[t.count++] = p;
    std::snprintf(g_clubName, sizeof g_clubName, "%s", IsClubNumber(Club()) ? HVW_GetClubName(Club()) : "");
}

void FillRow(int row, uint16_t p) {
    const AttributeTableState& t = AttributeTable;
    g_rowPlayers[row] = p;
    g_rowPosition[row] = -1;
    g_rowNumber[row] = kBlank;
    g_rowColour[row] = 0;
    g_rowExtra[row] = kBlank;
    for (int16_t& cell : g_rowCells[row]) cell = kBlank;
    if (p == 0) return;
    const int16_t shirt = HVW_GetPlayerShirt(p);
    if (shirt >= 1 && shirt <= kLastSubstituteShirt)
        g_rowPosition[row] = GetTacticPosText(int16_t(shirt - 1), 0);
    const int16_t number = HVW_GetPlayerField92(p);
    if (number != 0 && HVW_GetPlayerClub(p) == Club()) g_rowNumber[row] = number;
    g_rowColour[row] = SquadNumbers_StatusColour(p, t.selectedPlayer);
    g_rowExtra[row] = PlayerTable_ExtraValue(t.extraChoice, p);
    for (int c = 0; c < kTableColumns; ++c)
        g_rowCells[row][c] = PlayerTable_AttributeValue(t.columnKeys[c], p);
}

}  // namespace

void PlayerList2MenuProc() {
    if (IsMenuFirstEntry() == 1) Enter();
    AttributeTableState& t = AttributeTable;
    PlayerTable_Sort();
    for (int row = 0; row < kTableRows; ++row) {
        const int entry = t.top + row;
        FillRow(row, entry >= 0 && entry < kTableRows ? t.list[entry] : uint16_t(0));
    }
    g_extraHeader =
        t.extraChoice >= 0 && t.extraChoice < kExtraChoices ? kExtras[t.extraChoice].headerText : -1;
    for (int k = 0; k < 3; ++k) g_fixedHeaders[k] = kExtras[k].headerText;
    for (int c = 0; c < kTableColumns; ++c) {
        g_columnHeaders[c] = IsKey(t.columnKeys[c]) ? kAttributes[t.columnKeys[c]].headerText : int16_t(-1);
        g_columnColour[c] = int16_t(t.columnHighlight[c]);
    }
}

// ---- Handlers -------------------------------------------------------------------------------------

int32_t PlayerTable_PageUp(MenuHotItem*) {
    AttributeTableState& t = AttributeTable;
    if (t.top == 0) return MENU_CONTINUE;
    t.top = int16_t(std::max(t.top - kTablePageRows, 0));
    return MENU_REDRAW;
}

int32_t PlayerTable_PageDown(MenuHotItem*) {
    AttributeTableState& t = AttributeTable;
    if (t.top + kTablePageRows > t.count) return MENU_CONTINUE;
    t.top = int16_t(t.top + kTablePageRows);
    if (t.top + kTablePageRows > t.count) t.top = int16_t(std::max(t.count - kTablePageRows, 0));
    return MENU_REDRAW;
}

int32_t PlayerTable_RowClick(int row, int32_t buttons) {
    AttributeTableState& t = AttributeTable;
    const int entry = t.top + row;
    const uint16_t p = row >= 0 && entry >= 0 && entry < kTableRows ? t.list[entry] : uint16_t(0);
    // An empty row has nobody to select or open.
    if (p == 0) return MENU_CONTINUE;
    if ((buttons & 1) != 0) {
        if (HVW_GetClubControl(Club()) < 1) return MENU_REDRAW;
        if (HVW_GetPlayerLoanClub(p) != HVW_GetPlayerClub(p) && HVW_GetPlayerClub(p) != Club()) {
            const char* text = GetText(kTextPlayerOnLoan);
            ShowMessageBox(text != nullptr ? text : "", 0);
            return MENU_REDRAW;
        }
        if (t.selectedPlayer == 0) {
            t.selectedPlayer = p;
            return MENU_REDRAW;
        }
        const uint16_t other = t.selectedPlayer;
        const int16_t shirt = HVW_GetPlayerShirt(other);
        HVW_SetPlayerShirt(other, HVW_GetPlayerShirt(p));
        HVW_SetPlayerShirt(p, shirt);
        t.selectedPlayer = 0;
        return MENU_REDRAW;
    }
    if ((buttons & 2) != 0) {
        SelectedPlayer = int16_t(p);
        ReturnMenuOption = kScreenAttributeTable;
        MenuOption = kScreenPlayerStats;
        return MENU_CLOSE;
    }
    return MENU_CONTINUE;
}

int32_t PlayerTable_ChooseColumnKey(int column, int16_t key) {
    AttributeTableState& t = AttributeTable;
    if (column < 0 || column >= kTableColumns || !IsKey(key)) return MENU_REDRAW_ALSO;
    t.columnKeys[column] = key;
    if (IsKey(t.sortColumnKey)) {
        t.sortColumnKey = key;
        t.top = 0;
        for (int c = 0; c < kTableColumns; ++c) t.columnHighlight[c] = c == column ? kHighlighted : 0;
    }
    return MENU_REDRAW_ALSO;
}

int32_t PlayerTable_ToggleColumnSort(int column) {
    AttributeTableState& t = AttributeTable;
    if (column < 0 || column >= kTableColumns) return MENU_REDRAW_ALSO;
    if (IsKey(t.sortColumnKey)) {
        t.sortColumnKey = kNoSortColumn;
        for (uint16_t& h : t.columnHighlight) h = 0;
    } else {
        t.top = 0;
        t.sortColumnKey = t.columnKeys[column];
        t.columnHighlight[column] = kHighlighted;
    }
    return MENU_REDRAW_ALSO;
}

int32_t PlayerTable_ToggleGrouping() {
    AttributeTable.grouping ^= 1u;
    return MENU_REDRAW;
}

int32_t PlayerTable_ChooseExtra(int16_t choice) {
    if (choice >= 0 && choice < kExtraChoices) AttributeTable.extraChoice = choice;
    return MENU_REDRAW_ALSO;
}

int32_t PlayerTable_ToSearchFilter(MenuHotItem*) {
    const uint16_t p = AttributeTable.selectedPlayer;
    if (p == 0) return MENU_CONTINUE;
    MenuOption = kScreenCareerHistory;
    PreviousMenuOption = kScreenAttributeTable;
    ReturnMenuOption = kScreenAttributeTable;
    SelectedPlayer = int16_t(p);
    return MENU_CLOSE;
}

int32_t PlayerTable_ToFilteredList(MenuHotItem*) {
    MenuOption = kScreenFilteredSquadList;
    PreviousMenuOption = kScreenAttributeTable;
    return MENU_CLOSE;
}

int32_t PlayerTable_Leave(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

// ---- Pop-ups and the table ------------------------------------------------------------------------

namespace {

void Mark(PopupEntry& entry, bool on) {
    entry.flags = uint16_t(on ? (entry.flags | POPUP_MARKED) : (entry.flags & ~POPUP_MARKED));
}

// A column pop-up: the sort entry, then the nineteen attributes.
struct ColumnPopup {
    PopupEntry entries[kAttributeKeys + 3];
};

template <int Column>
int32_t ColumnEntry(PopupCallBlock* call) {
    const int row = call != nullptr ? int(call->row) : -1;
    if (row == 0) return PlayerTable_ToggleColumnSort(Column);
    return PlayerTable_ChooseColumnKey(Column, int16_t(row - 1));
}

ColumnPopup g_columnPopups[kTableColumns];

template <int Column>
void OpenColumnPopup(PopupCallBlock*) {
    AttributeTableState& t = AttributeTable;
    t.popupColumn = Column;
    PopupEntry* entries = g_columnPopups[Column].entries;
    const bool sorts = IsKey(t.sortColumnKey) && t.sortColumnKey == t.columnKeys[Column];
    Mark(entries[1], sorts);
    if (sorts) t.columnHighlight[Column] = kHighlighted;
    for (int k = 0; k < kAttributeKeys; ++k) Mark(entries[2 + k], k == t.columnKeys[Column]);
}

template <int Column>
void BuildColumnPopup() {
    PopupEntry* e = g_columnPopups[Column].entries;
    e[0] = {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, OpenColumnPopup<Column>};
    e[1] = {POPUP_TEXT_ID,       POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(kSortEntryText),
            ColumnEntry<Column>, nullptr};
    for (int k = 0; k < kAttributeKeys; ++k) {
        e[2 + k] = {
            POPUP_TEXT_ID,       POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(kAttributes[k].popupText),
            ColumnEntry<Column>, nullptr};
    }
    e[kAttributeKeys + 2] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
}

PopupEntry g_extraPopup[kExtraChoices + 3];

int32_t ExtraEntry(PopupCallBlock* call) {
    const int row = call != nullptr ? int(call->row) : -1;
    if (row == 0) return PlayerTable_ToggleGrouping();
    return PlayerTable_ChooseExtra(int16_t(row - 1));
}

void OpenExtraPopup(PopupCallBlock*) {
    Mark(g_extraPopup[1], AttributeTable.grouping != 0);
    for (int k = 0; k < kExtraChoices; ++k) Mark(g_extraPopup[2 + k], k == AttributeTable.extraChoice);
}

struct PopupSetUp {
    PopupSetUp() {
        BuildColumnPopup<0>();
        BuildColumnPopup<1>();
        BuildColumnPopup<2>();
        BuildColumnPopup<3>();
        g_extraPopup[0] = {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, OpenExtraPopup};
        g_extraPopup[1] = {POPUP_TEXT_ID, POPUP_SELECTABLE,           0,          0,      0, 0,
                           nullptr,       MenuValue(kGroupEntryText), ExtraEntry, nullptr};
        for (int k = 0; k < kExtraChoices; ++k) {
            g_extraPopup[2 + k] = {
                POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(kExtras[k].popupText),
                ExtraEntry,    nullptr};
        }
        g_extraPopup[kExtraChoices + 2] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
    }
} g_popupSetUp;

constexpr int kRowX = 42;
constexpr int kRowHeight = 18;
constexpr int kCellX[kTableColumns] = {430, 470, 510, 550};

void DrawCell(int x, int y, int16_t value) {
    if (value == kBlank) return;
    SetDrawParam(1, PlayerTable_ValueColour(value));
    DrawNumberAt(x, y, value, JUSTIFY_CENTRE_MIDDLE);
}

void PaintRow(int, int y, int, int) {
    const int row = MenuPaintRow();
    if (row < 0 || row >= kTablePageRows) return;
    const int x = kRowX, middle = y + kRowHeight / 2;
    SetDrawParam(1, g_rowColour[row]);
    DrawRowShade(x, y, 571, kRowHeight);
    const auto p = uint16_t(g_rowPlayers[row]);
    if (p == 0) return;
    SetFont(9);
    SetDrawParam(1, g_rowColour[row]);
    if (g_rowPosition[row] >= 0) DrawTextNoAt(x - 17, middle, g_rowPosition[row], JUSTIFY_CENTRE_MIDDLE);
    const std::span<const int32_t> savedList = MenuRowList;
    const int32_t savedEntry = CurrentListEntry;
    MenuRowList = std::span<const int32_t>(g_rowPlayers);
    SetDrawParam(6, row);
    DrawPlayerNameBand(x + 26, y, 144, kRowHeight);
    DrawPlayerSettingIcons(x + 172, y + 3);
    MenuRowList = savedList;
    CurrentListEntry = savedEntry;
    SetFont(9);
    SetDrawParam(1, g_rowColour[row]);
    if (g_rowNumber[row] != kBlank) DrawNumberAt(x + 11, middle, g_rowNumber[row], JUSTIFY_CENTRE_MIDDLE);
    if (g_rowExtra[row] != kBlank) DrawNumberAt(x + 230, middle, g_rowExtra[row], JUSTIFY_CENTRE_MIDDLE);
    for (int c = 0; c < kTableColumns; ++c) DrawCell(x + kCellX[c], middle, g_rowCells[row][c]);
    SetDrawParam(1, 0);
}

int32_t RowClick(MenuHotItem* item) { return PlayerTable_RowClick(item->row, GetMenuButtons()); }

const MenuItem kRow[] = {
    {MI_CUSTOM, 0, 0, 571, kRowHeight, MenuFunction(PaintRow), nullptr},
    {MI_HOT_RECT, kRowX, 0, 170, kRowHeight, nullptr, RowClick},
    kMenuEnd,
};

#define HEADER(x, word, popup) \
    {MI_BUTTON_TEXT_VAR, x, 85, 38, 20, word, MenuHandler_Accept}, { MI_POPUP, 0, 0, 0, 0, popup, nullptr }
#define COLUMN(x, c)                                                 \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_columnColour[c], nullptr},   \
        HEADER(x, &g_columnHeaders[c], g_columnPopups[c].entries), { \
        48, 0, 0, 0, 0, MenuValue(0), nullptr                        \
    }

}  // namespace

const MenuItem PlayerList2Table[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(PlayerList2MenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(14), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 80, 62, 9, 0, &g_clubNamePtr, nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(1299), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_GROUP, 0, 115, kTablePageRows, kRowHeight, kRow, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    HEADER(253, &g_extraHeader, g_extraPopup),
    HEADER(308, &g_fixedHeaders[0], g_columnPopups[0].entries),
    HEADER(348, &g_fixedHeaders[1], g_columnPopups[0].entries),
    HEADER(388, &g_fixedHeaders[2], g_columnPopups[0].entries),
    COLUMN(453, 0),
    COLUMN(493, 1),
    COLUMN(533, 2),
    COLUMN(573, 3),
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_ICON, 30, 442, 5, 0, MenuValue(192), PlayerTable_PageUp},
    {MI_ICON, 30, 462, 5, 0, MenuValue(193), PlayerTable_PageDown},
    {MI_BUTTON_TEXT, 60, 559, 226, 28, MenuValue(1457), PlayerTable_ToSearchFilter},
    {MI_BUTTON_TEXT, 286, 559, 226, 28, MenuValue(497), PlayerTable_ToFilteredList},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), PlayerTable_Leave},
    kMenuEnd,
};

uint16_t PlayerTableRowPlayer(int row) {
    return row >= 0 && row < kTableRows ? uint16_t(g_rowPlayers[row]) : uint16_t(0);
}
int16_t PlayerTableCell(int row, int column) {
    return row >= 0 && row < kTableRows && column >= 0 && column < kTableColumns ? g_rowCells[row][column]
                                                                                 : kBlank;
}
