#include "game/screens/squad/squadnumbers.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <span>

#include "core/base/debug.h"
#include "core/club/squads.h"
#include "core/query/clubscreens.h"
#include "core/query/codetexts.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/sortkeys.h"
#include "game/screens/squad/squadlist.h"

SquadNumbersState SquadNumbers = {0, -1, 0, 4, 0, 0, 1, {}, {}};

namespace {

constexpr int kColumnRows = 16;
constexpr int kButtonsPerRow = 25;
constexpr int16_t kTaken = 1, kFree = -1;
constexpr int16_t kUnnumberedText = 1586;
constexpr uint16_t kKeyPosition = 6, kKeyShirt = 26, kKeySecondShirt = 40;
constexpr int kTextSize = 40;

const char* TextOf(int16_t id) {
    const char* text = id >= 0 ? GetText(id) : "";
    return text != nullptr ? text : "";
}

bool Listed(uint16_t p) { return p != 0 && p < PlayerCount; }

SquadList& ListOf(int choice) {
    switch (choice) {
        case 1:
            return ReserveList;
        case 2:
            return YouthList;
        default:
            return FirstTeamList;
    }
}

// Every listed player of the three lists in list order.
template <typename Visit>
void ForEachListed(Visit visit) {
    for (int choice = 0; choice < 3; ++choice)
        for (uint16_t p : ListOf(choice).players)
            if (Listed(p)) visit(p);
}

int16_t NumberOf(uint16_t p) { return HVW_GetPlayerField92(p); }

void ClearSelections() {
    SquadNumbers.selectedNumber = -1;
    SquadNumbers.selectedPlayer = 0;
}

// The numbers in use as the players hold them: a saved game's numbers are
// kept, where clearing them on a run's first visit would throw away every
// number the manager gave in earlier sessions. A number held twice stays
// with its first holder in list order, and one beyond the range is
// cleared. From scratch on a run's first visit; on later visits only marks
// are added, so a number the lists hold (after a load, say) is never given
// twice.
void RebuildNumbersInUse(bool fromScratch) {
    uint16_t holder[kSquadNumbers] = {};
    if (fromScratch) std::fill(std::begin(SquadNumbers.inUse), std::end(SquadNumbers.inUse), kFree);
    ForEachListed([&](uint16_t p) {
        const int16_t number = NumberOf(p);
        if (number == 0) return;
        if (number > kSquadNumbers || (holder[number - 1] != 0 && holder[number - 1] != p)) {
            SetPlayerField92(p, 0);
            return;
        }
        holder[number - 1] = p;
        SquadNumbers.inUse[number - 1] = kTaken;
    });
}

void ClearAllNumbers() {
    std::fill(std::begin(SquadNumbers.inUse), std::end(SquadNumbers.inUse), kFree);
    ForEachListed([](uint16_t p) { SetPlayerField92(p, 0); });
}

void Free(int16_t number) {
    if (number >= 1 && number <= kSquadNumbers) SquadNumbers.inUse[number - 1] = kFree;
}

struct KeyChoice {
    uint16_t key;
    int16_t header;
};
// The pop-up's keys in entry order.
constexpr KeyChoice kKeys[] = {{29, 63},  {28, 59},  {4, 86}, {34, 244},
                               {35, 245}, {36, 246}, {2, 61}, {38, 1092}};

int16_t KeyHeader(uint16_t key) {
    for (const KeyChoice& k : kKeys)
        if (k.key == key) return k.header;
    return -1;
}

// ---- Display state ----------------------------------------------------------------------------

char g_clubName[40] = "";
const char* g_clubNamePtr = g_clubName;
int16_t g_listText = 195;
char g_keyHeader[2 * kTextSize] = "";
const char* g_keyHeaderPtr = g_keyHeader;
char g_rangeLabel[kTextSize] = "";
const char* g_rangeLabelPtr = g_rangeLabel;
int32_t g_rowPlayers[kNumberRows];
int16_t g_rowPosition[kNumberRows];
int16_t g_rowNumber[kNumberRows];
int16_t g_rowColour[kNumberRows];
char g_rowValue[kNumberRows][kTextSize];
int16_t g_leftRows = 0, g_rightRows = 0;
char g_buttonLabel[kNumberButtons][12];
const char* g_buttonLabelPtr[kNumberButtons];
int16_t g_buttonState[kNumberButtons];

}  // namespace

int16_t SquadNumbers_StatusColour(uint16_t p, uint16_t selected) {
    const int16_t club = int16_t(SelectedClub);
    int16_t colour = 0;
    if (HVW_GetPlayerIT(p) != 0) {
        colour = 6;
    } else if (HVW_IsPlayerSuspended(p) != 0) {
        colour = 4;
    } else if (HVW_GetPlayerIntDuty(p) != 0) {
        colour = 6;
    } else if (HVW_GetPlayerLoanClub(p) != HVW_GetPlayerClub(p) && HVW_GetPlayerClub(p) != club) {
        // On loan elsewhere: the loan club against his own, not against club
        // number 1, which would colour only the players lent to that club.
        colour = 7;
    }
    if (p == selected) colour = 3;
    return colour;
}

namespace {

void FillRow(int row, uint16_t p) {
    g_rowPlayers[row] = p;
    g_rowPosition[row] = -1;
    g_rowNumber[row] = int16_t(0x8000);
    g_rowColour[row] = 0;
    g_rowValue[row][0] = '\0';
    if (p == 0) return;
    const int16_t shirt = HVW_GetPlayerShirt(p);
    if (shirt >= 1 && shirt <= kLastSubstituteShirt)
        g_rowPosition[row] = GetTacticPosText(int16_t(shirt - 1), 0);
    const int16_t number = NumberOf(p);
    if (number != 0 && HVW_GetPlayerClub(p) == int16_t(SelectedClub)) g_rowNumber[row] = number;
    g_rowColour[row] = SquadNumbers_StatusColour(p, SquadNumbers.selectedPlayer);
    std::snprintf(g_rowValue[row], kTextSize, "%s", SquadNumbers_Value(SquadNumbers.displayKey, p));
}

void FillButtons() {
    for (int b = 0; b < kNumberButtons; ++b) {
        const int index = b + kNumberButtons * SquadNumbers.numberRange;
        std::snprintf(g_buttonLabel[b], sizeof g_buttonLabel[b], "%d", index + 1);
        g_buttonLabelPtr[b] = g_buttonLabel[b];
        g_buttonState[b] = index == SquadNumbers.selectedNumber  ? 8
                           : SquadNumbers.inUse[index] == kTaken ? 3
                                                                 : 0;
    }
    std::snprintf(g_rangeLabel, sizeof g_rangeLabel, "%s",
                  TextOf(SquadNumbers.numberRange == 0 ? 1097 : 1096));
}

void SortShown() {
    const auto shirtKey = int16_t(SquadNumbers.listChoice == 0 ? kKeyShirt : kKeySecondShirt);
    const int16_t none = SORT_KEY_NONE;
    SortKeys_Set(kKeyPosition, shirtKey, none, none, none);
    std::qsort(SquadNumbers.shown, kNumberRows, sizeof SquadNumbers.shown[0], ComparePlayersByKeys);
}

}  // namespace

const char* SquadNumbers_Value(uint16_t key, uint16_t p) {
    static char text[kTextSize];
    constexpr uint16_t kEveryList[] = {2, 4, 28, 29, 34, 35, 36, 38};
    constexpr uint16_t kOtherLists[] = {30, 32, 33, 37, 39};
    const auto in = [key](std::span<const uint16_t> keys) {
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    };
    if (!in(kEveryList) && !(SquadNumbers.listChoice != 0 && in(kOtherLists)))
        AbortError("menus\\g_mn1", __LINE__, "DisplaySort() SortByType Invaild Value");
    // The value column shows the player's value, not his asking price, and
    // no performance at all rather than a dash.
    if (key == 4) {
        std::snprintf(text, sizeof text, "%s", Price2str(HVW_ValuePlayer(p)));
        return text;
    }
    if (key == 30 && HVW_GetPlayerPerf(p) == 0) return "";
    return SquadSortValue(key, p);
}

void DisplaySort() {
    const bool firstEntry = IsMenuFirstEntry() == 1;
    if (firstEntry) {
        HVW_BuildSquadList(int16_t(SelectedClub));
        SetMenuTitleDate(3);
        SquadNumbers.shownCount = 0;
        SquadNumbers.numberRange = 0;
    }
    if (SquadNumbers.listChoice > 2) SquadNumbers.listChoice = 0;
    const SquadList& list = ListOf(SquadNumbers.listChoice);
    SquadNumbers.shownCount = 0;
    std::fill(std::begin(SquadNumbers.shown), std::end(SquadNumbers.shown), uint16_t(0));
    for (uint16_t p : list.players)
        if (Listed(p)) SquadNumbers.shown[SquadNumbers.shownCount++] = p;
    if (SquadNumbers.rebuildRequest != 0) {
        RebuildNumbersInUse(true);
        SquadNumbers.rebuildRequest = 0;
    } else if (firstEntry) {
        RebuildNumbersInUse(false);
    }
    SortShown();
    std::snprintf(g_clubName, sizeof g_clubName, "%s",
                  IsClubNumber(int16_t(SelectedClub)) ? HVW_GetClubName(int16_t(SelectedClub)) : "");
    constexpr int16_t kListTexts[] = {195, 1449, 158};
    g_listText = kListTexts[SquadNumbers.listChoice];
    const int16_t header = KeyHeader(SquadNumbers.displayKey);
    if (header >= 0) {
        std::snprintf(g_keyHeader, sizeof g_keyHeader, "%s %s", TextOf(747), TextOf(header));
    } else {
        std::printf("G_MN1 - what am I sorting by - Cos I dont know\n");
    }
    for (int row = 0; row < kNumberRows; ++row)
        FillRow(row, row < SquadNumbers.shownCount ? SquadNumbers.shown[row] : uint16_t(0));
    g_leftRows = int16_t(std::min<int>(SquadNumbers.shownCount, kColumnRows));
    g_rightRows = int16_t(std::clamp<int>(SquadNumbers.shownCount - kColumnRows, 0, kColumnRows));
    FillButtons();
}

// ---- Handlers ---------------------------------------------------------------------------------

int16_t SquadNumbers_NumberAt(int x, int y) {
    const int row = y >= 501 ? 1 : 0;
    for (int j = 0; j < kButtonsPerRow; ++j) {
        if (x >= 20 + 25 * j && x <= 43 + 25 * j)
            return int16_t(j + kButtonsPerRow * row + kNumberButtons * SquadNumbers.numberRange);
    }
    return -1;
}

int32_t SquadNumbers_PickNumber(int16_t index) {
    if (index < 0 || index >= kSquadNumbers) return MENU_CONTINUE;
    SquadNumbers.selectedNumber = index;
    if (SquadNumbers.inUse[index] == kTaken) {
        // The wearer loses it at once.
        for (int choice = 0; choice < 3; ++choice) {
            const SquadList& list = ListOf(choice);
            const int count = std::clamp<int>(list.count, 0, kSquadListSize);
            for (int i = 0; i < count; ++i) {
                const uint16_t p = list.players[i];
                if (Listed(p) && NumberOf(p) == index + 1) SetPlayerField92(p, 0);
            }
        }
        SquadNumbers.inUse[index] = kFree;
    }
    return MENU_REDRAW;
}

int32_t SquadNumbers_RowClick(int row, int32_t buttons) {
    if ((buttons & 1) == 0) return MENU_CONTINUE;
    if (row < 0 || row >= kNumberRows) return MENU_CONTINUE;
    const uint16_t p = SquadNumbers.shown[row];
    if (!Listed(p)) return MENU_CONTINUE;
    if (SquadNumbers.selectedNumber == -1) {
        if (SquadNumbers.selectedPlayer == 0) {
            SquadNumbers.selectedPlayer = p;
            return MENU_REDRAW;
        }
        const uint16_t other = SquadNumbers.selectedPlayer;
        const int16_t number = NumberOf(other);
        SetPlayerField92(other, NumberOf(p));
        SetPlayerField92(p, number);
        ClearSelections();
        return MENU_REDRAW;
    }
    Free(NumberOf(p));
    SquadNumbers_Assign(SquadNumbers.selectedNumber, p);
    return MENU_REDRAW;
}

void SquadNumbers_Assign(int16_t index, uint16_t player) {
    if (index < 0 || index >= kSquadNumbers || player == 0) return;
    SetPlayerField92(player, int16_t(index + 1));
    SquadNumbers.inUse[index] = kTaken;
    ClearSelections();
}

int32_t SquadNumbers_NumberAll(MenuHotItem*) {
    ForEachListed([](uint16_t p) {
        if (NumberOf(p) != 0) return;
        const auto free = std::find(std::begin(SquadNumbers.inUse), std::end(SquadNumbers.inUse), kFree);
        if (free == std::end(SquadNumbers.inUse)) return;
        *free = kTaken;
        SetPlayerField92(p, int16_t(free - std::begin(SquadNumbers.inUse) + 1));
    });
    ClearSelections();
    return MENU_REDRAW;
}

int32_t SquadNumbers_NextList(MenuHotItem*) {
    SquadNumbers.listChoice = uint16_t((SquadNumbers.listChoice + 1) % 3);
    return MENU_REDRAW;
}

int32_t SquadNumbers_ClearAll(MenuHotItem*) {
    ClearAllNumbers();
    return MENU_REDRAW;
}

int32_t SquadNumbers_ToggleRange(MenuHotItem*) {
    SquadNumbers.numberRange = uint16_t(1 - SquadNumbers.numberRange);
    return MENU_REDRAW;
}

int32_t SquadNumbers_ChooseKey(uint16_t key) {
    const int16_t today = HVW_GetCurrentDay();
    // The late season: from the league's last day, where the close season
    // begins, up to the season's end.
    const int16_t mark = HVW_GetCountryEndDayWord(HVW_GetViewedCountry());
    if ((key == 34 || key == 35 || key == 36) && today >= mark && today <= 366) {
        ShowMessageBox(TextOf(kTextCannotSortNow), 0);
        return MENU_REDRAW_ALSO;
    }
    SquadNumbers.displayKey = key;
    return MENU_REDRAW_ALSO;
}

int32_t SquadNumbers_Leave(MenuHotItem*) {
    bool unnumbered = false;
    ForEachListed([&](uint16_t p) { unnumbered = unnumbered || NumberOf(p) == 0; });
    if (unnumbered) {
        ShowMessageBox(TextOf(kUnnumberedText), 0);
        return MENU_REDRAW;
    }
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

// ---- The table --------------------------------------------------------------------------------

namespace {

void PaintRow(int x, int y, int row) {
    const auto p = uint16_t(g_rowPlayers[row]);
    if (p == 0) return;
    const bool left = row < kColumnRows;
    const int middle = y + 11;
    if (left) {
        DrawRowShade(x + 15, y, 270, 22);
    } else {
        DrawRowShade(x, y, 280, 22);
    }
    SetDrawParam(1, g_rowColour[row]);
    SetFont(9);
    if (g_rowPosition[row] >= 0) DrawTextNoAt(x + 15, middle, g_rowPosition[row], JUSTIFY_CENTRE_MIDDLE);
    if (g_rowNumber[row] != int16_t(0x8000))
        DrawNumberAt(x + 52, middle, g_rowNumber[row], JUSTIFY_CENTRE_MIDDLE);
    const std::span<const int32_t> savedList = MenuRowList;
    const int32_t savedEntry = CurrentListEntry;
    MenuRowList = std::span<const int32_t>(g_rowPlayers);
    SetDrawParam(6, row);
    SetDrawParam(1, g_rowColour[row]);
    DrawPlayerNameBand(x + 60, y, 142, 22);
    DrawPlayerSettingIcons(x + 207, y + 5);
    MenuRowList = savedList;
    CurrentListEntry = savedEntry;
    SetFont(9);
    SetDrawParam(1, g_rowColour[row]);
    DrawTextAddrAt(x + 245, middle, g_rowValue[row], JUSTIFY_LEFT_MIDDLE);
    SetDrawParam(1, 0);
}

void PaintLeftRow(int, int y, int, int) { PaintRow(20, y, MenuPaintRow()); }
void PaintRightRow(int, int y, int, int) { PaintRow(420, y, kColumnRows + MenuPaintRow()); }
void LeftRowCount(int, int, int, int) { SetMenuListRows(g_leftRows); }
void RightRowCount(int, int, int, int) { SetMenuListRows(g_rightRows); }

int32_t Buttons() { return GetMenuButtons(); }
int32_t LeftRowClick(MenuHotItem* item) { return SquadNumbers_RowClick(item->row, Buttons()); }
int32_t RightRowClick(MenuHotItem* item) { return SquadNumbers_RowClick(kColumnRows + item->row, Buttons()); }

int32_t PickNumberButton(MenuHotItem* item) {
    int16_t x = 0, y = 0;
    uint16_t buttons = 0;
    UpdateMouse(&x, &y, &buttons);
    int16_t index = SquadNumbers_NumberAt(x, y);
    // A press that did not come from the pointer (the keyboard) takes the
    // button itself.
    if (index < 0 && item != nullptr)
        index = SquadNumbers_NumberAt(item->x + item->w / 2, item->y + item->h / 2);
    return SquadNumbers_PickNumber(index);
}

void MarkKeyPopup(PopupCallBlock*);
int32_t ChooseKeyEntry(PopupCallBlock* call) {
    const int entry = call != nullptr ? int(call->row) : -1;
    if (entry < 0 || entry >= int(std::size(kKeys))) return MENU_REDRAW_ALSO;
    return SquadNumbers_ChooseKey(kKeys[entry].key);
}

#define KEY_ENTRY(text) \
    { POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(text), ChooseKeyEntry, nullptr }
PopupEntry g_keyPopup[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(3), nullptr, MarkKeyPopup},
    KEY_ENTRY(63),
    KEY_ENTRY(59),
    KEY_ENTRY(86),
    KEY_ENTRY(244),
    KEY_ENTRY(245),
    KEY_ENTRY(246),
    KEY_ENTRY(61),
    KEY_ENTRY(1092),
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};
#undef KEY_ENTRY

void MarkKeyPopup(PopupCallBlock*) {
    for (size_t k = 0; k < std::size(kKeys); ++k) {
        PopupEntry& entry = g_keyPopup[k + 1];
        const bool on = kKeys[k].key == SquadNumbers.displayKey;
        entry.flags = uint16_t(on ? (entry.flags | POPUP_MARKED) : (entry.flags & ~POPUP_MARKED));
    }
}

const MenuItem kLeftRow[] = {
    {MI_CUSTOM, 0, 0, 300, 22, MenuFunction(PaintLeftRow), nullptr},
    {MI_HOT_RECT, 50, 0, 170, 22, nullptr, LeftRowClick},
    kMenuEnd,
};
const MenuItem kRightRow[] = {
    {MI_CUSTOM, 0, 0, 300, 22, MenuFunction(PaintRightRow), nullptr},
    {MI_HOT_RECT, 450, 0, 170, 22, nullptr, RightRowClick},
    kMenuEnd,
};

const MenuItem kHead[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(DisplaySort), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(14), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 80, 62, 9, 0, &g_clubNamePtr, nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(846), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_CUSTOM, 0, 0, 0, 0, MenuFunction(LeftRowCount), nullptr},
    {MI_GROUP, 0, 100, 0, 22, kLeftRow, nullptr},
    {MI_CUSTOM, 0, 0, 0, 0, MenuFunction(RightRowCount), nullptr},
    {MI_GROUP, 0, 100, 0, 22, kRightRow, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_BUTTON_STRING_VAR, 645, 476, 66, 40, &g_rangeLabelPtr, SquadNumbers_ToggleRange},
};
const MenuItem kTail[] = {
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_BUTTON_TEXT, 60, 559, 169, 28, MenuValue(788), SquadNumbers_NumberAll},
    {MI_BUTTON_TEXT_VAR, 229, 559, 169, 28, &g_listText, SquadNumbers_NextList},
    {MI_BUTTON_TEXT, 567, 559, 169, 28, MenuValue(-1), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_keyPopup, nullptr},
    {MI_STRING_VAR, 651, 574, 10, 0, &g_keyHeaderPtr, nullptr},
    {MI_BUTTON_TEXT, 398, 559, 169, 28, MenuValue(1315), SquadNumbers_ClearAll},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), SquadNumbers_Leave},
    kMenuEnd,
};

constexpr size_t kTableSize = std::size(kHead) + 2 * kNumberButtons + std::size(kTail);

// The fifty number buttons, each with its state word, between the head and
// the tail.
std::array<MenuItem, kTableSize> BuildTable() {
    std::array<MenuItem, kTableSize> table{};
    size_t at = 0;
    for (const MenuItem& item : kHead) table[at++] = item;
    for (int b = 0; b < kNumberButtons; ++b) {
        const int column = b % kButtonsPerRow, row = b / kButtonsPerRow;
        table[at++] = {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_buttonState[b], nullptr};
        table[at++] = {MI_BUTTON_STRING_VAR, int16_t(20 + 25 * column), int16_t(476 + 25 * row), 23, 20,
                       &g_buttonLabelPtr[b], PickNumberButton};
    }
    for (const MenuItem& item : kTail) table[at++] = item;
    return table;
}

const std::array<MenuItem, kTableSize> g_table = BuildTable();

}  // namespace

const MenuItem* const SquadNumbersTable = g_table.data();

int16_t SquadNumbersButtonState(int button) {
    return button >= 0 && button < kNumberButtons ? g_buttonState[button] : 0;
}
