#include "game/screens/transfers/shortlistscreen.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <span>

#include "core/club/scouting.h"
#include "core/club/shortlist.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menurows.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/transfers/scouting.h"

int16_t ShortlistAttrColumn[kSearchShownKinds] = {-1, -1, -1, -1, -1};
int16_t ShortlistExtraColumn[2] = {3, 2};
uint16_t ScoutList[kScoutListMax];
uint16_t ScoutCount = 0;
int16_t ShortlistTopRow = 0;
uint16_t ShortlistRemoveMode = 0;

namespace {

constexpr int16_t kShortlistTitle = 423;
constexpr int16_t kScoutTitle = 852;
constexpr int16_t kNoneRowText = 623;
constexpr int16_t kRemoveText = 1832;
constexpr int16_t kRemoveQuestion = 425;

constexpr int kListX = 20, kListY = 118, kListWidth = 764, kListHeight = 396, kRowHeight = 22;
constexpr int kNameWidth = 182;
constexpr int kColumnButtonX[kSearchShownKinds] = {433, 479, 525, 571, 617};
constexpr int kDividerX[] = {245, 433, 479, 525, 571, 617, 664, 725};

bool ScoutView() { return ScoutViewFlag == 1; }

int16_t g_title = kShortlistTitle;
int16_t g_attrHeadings[kSearchShownKinds];
int16_t g_extraHeadings[2];
int16_t g_removeColour = 0;
int16_t g_popupMouseX = 0;
SearchRowView g_rows[kShortlistRows];
int32_t g_rowPlayers[kShortlistRows];

int16_t ExtraColumnText(int which) {
    return SearchSortColumnTable[std::clamp<int>(ShortlistExtraColumn[which], 1, kSearchSortColumns - 1)];
}

uint16_t RowPlayer(int r) {
    if (ScoutView()) {
        const int index = ShortlistTopRow + r;
        return index >= 0 && index < ScoutCount ? ScoutList[index] : uint16_t(0);
    }
    return ShortList_GetPlayer(int16_t(r));
}

void FillRows() {
    const int16_t kept = SelectedPlayer;
    bool ended = false;
    for (int r = 0; r < kShortlistRows; ++r) {
        // The first empty slot ends the list.
        const uint16_t p = ended ? uint16_t(0) : RowPlayer(r);
        ended = p == 0;
        g_rowPlayers[r] = p;
        PlayerSearch_FillRow(g_rows[r], p, true, ShortlistAttrColumn, ShortlistExtraColumn);
    }
    SelectedPlayer = kept;
}

void FillHeadings() {
    g_title = ScoutView() ? kScoutTitle : kShortlistTitle;
    for (int c = 0; c < kSearchShownKinds; ++c) {
        const int16_t kind = ShortlistAttrColumn[c];
        g_attrHeadings[c] = kind >= 0 && kind < kSearchAttrKinds ? SearchAttrKindTable[kind] : kTextSeason;
    }
    for (int e = 0; e < 2; ++e)
        g_extraHeadings[e] = SearchColumn_GetLongText(ExtraColumnText(e), ExtraColumnText(e));
    g_removeColour = ShortlistRemoveMode == 1 ? 8 : 0;
}

void CollectScoutList() {
    ScoutCount = 0;
    for (uint32_t p = 1; p < PlayerCount && ScoutCount < kScoutListMax; ++p) {
        if (GetPlayerScoutRecommended(uint16_t(p)) != 0 &&
            Scout_PlayerInRegion(uint16_t(p), ScoutViewRegion) != 0)
            ScoutList[ScoutCount++] = uint16_t(p);
    }
}

}  // namespace

void ShortlistScreen_Reset() {
    std::fill(std::begin(ShortlistAttrColumn), std::end(ShortlistAttrColumn), int16_t(-1));
    ShortlistExtraColumn[0] = 3;
    ShortlistExtraColumn[1] = 2;
    ShortlistTopRow = 0;
}

void Shortlist_Enter() {
    SetMenuTitleDate(11);
    ShortlistRemoveMode = 0;
    if (ScoutView()) {
        CollectScoutList();
        // A top row kept from an earlier visit stays inside a list that has
        // become shorter since, so that the page is not left empty.
        ShortlistTopRow =
            int16_t(std::clamp<int>(ShortlistTopRow, 0, std::max(0, ScoutCount - kShortlistRows)));
    }
}

void ShortlistMenu() {
    if (IsMenuFirstEntry() == 1) Shortlist_Enter();
    FillHeadings();
    FillRows();
}

const SearchRowView& Shortlist_Row(int row) { return g_rows[std::clamp(row, 0, kShortlistRows - 1)]; }
int16_t Shortlist_Title() { return g_title; }
int16_t Shortlist_AttrHeading(int column) {
    return column >= 0 && column < kSearchShownKinds ? g_attrHeadings[column] : int16_t(-1);
}
bool Shortlist_ScrollShown() { return ScoutView() && ScoutCount > kShortlistRows; }

// ---- Handlers ------------------------------------------------------------------------------

int32_t Shortlist_ChooseAttr(int mouseX, int row) {
    if (row < 0 || row > kSearchLimitedKinds) return MENU_KEEP_POPUP;
    int column = 0;
    while (column < kSearchShownKinds - 1 && mouseX >= kColumnButtonX[column + 1]) ++column;
    ShortlistAttrColumn[column] = row < kSearchLimitedKinds ? int16_t(row) : int16_t(-1);
    return MENU_REDRAW_ALSO;
}

int32_t Shortlist_ChooseExtra(int which, int row) {
    if (which < 0 || which > 1 || row < 0 || row >= kSearchExtraChoices) return MENU_KEEP_POPUP;
    ShortlistExtraColumn[which] = int16_t(row + 1);
    return MENU_REDRAW_ALSO;
}

int32_t Shortlist_NameClick(int row) {
    if (row < 0 || row >= kShortlistRows || g_rows[row].player == 0) return MENU_CONTINUE;
    const uint16_t p = g_rows[row].player;
    if (ShortlistRemoveMode == 1 && !ScoutView()) {
        if (ShowChoiceBox(GetText(kRemoveQuestion), 0, YesNoButtons) != 1) ShortList_RemovePlayer(p);
        return MENU_REDRAW;
    }
    SelectedPlayer = int16_t(p);
    ReturnMenuOption = kScreenShortlist;
    MenuOption = kScreenPlayerStats;
    return MENU_CLOSE;
}

int32_t Shortlist_RemoveSwitch(MenuHotItem*) {
    ShortlistRemoveMode = ShortlistRemoveMode != 0 ? 0 : 1;
    return MENU_REDRAW;
}

int32_t Shortlist_ScrollUp(MenuHotItem*) {
    ShortlistTopRow = int16_t(std::max(0, ShortlistTopRow - 1));
    return MENU_REDRAW;
}

int32_t Shortlist_ScrollDown(MenuHotItem*) {
    ShortlistTopRow = int16_t(std::max(0, std::min(ShortlistTopRow + 1, ScoutCount - kShortlistRows)));
    return MENU_REDRAW;
}

int32_t Shortlist_Back(MenuHotItem*) {
    MenuOption = ScoutView() ? kScreenScouting : kScreenClubMain;
    return MENU_CLOSE;
}

// ---- Painters, pop-ups and the table ---------------------------------------------------

namespace {

void PaintRow(int, int y, int, int) {
    static constexpr SearchRowLayout kLayout = {kListX, kListWidth, {456, 502, 548, 594, 640}, {694, 755}};
    const int r = MenuPaintRow();
    PlayerSearch_PaintRow(g_rows[r], g_rowPlayers, r, y, kLayout);
}

// Drawn after the rows, over empty rows too.
void PaintDividers(int, int y, int, int h) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0x7BEF);
    for (int at : kDividerX) DrawRelLine(at, y, 0, h);
    DrawColour = kept;
}

int32_t AttrChosen(PopupCallBlock* call) { return Shortlist_ChooseAttr(g_popupMouseX, call->row); }
int32_t Extra0Chosen(PopupCallBlock* call) { return Shortlist_ChooseExtra(0, call->row); }
int32_t Extra1Chosen(PopupCallBlock* call) { return Shortlist_ChooseExtra(1, call->row); }
int32_t NameClicked(MenuHotItem* item) { return Shortlist_NameClick(item->row); }
int32_t Accept(MenuHotItem*) { return MENU_CONTINUE; }
void RememberMouseX(PopupCallBlock*) { g_popupMouseX = CursorX; }

void MarkExtra(PopupCallBlock*);

#define POPUP_ROW(text, function) \
    { POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(text), function, nullptr }
#define POPUP_TAIL \
    { POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr }
#define VALUE_ROWS(function)                                                                                \
    POPUP_ROW(61, function), POPUP_ROW(86, function), POPUP_ROW(240, function), POPUP_ROW(63, function),    \
        POPUP_ROW(67, function), POPUP_ROW(62, function), POPUP_ROW(64, function), POPUP_ROW(65, function), \
        POPUP_ROW(66, function), POPUP_ROW(1092, function)

PopupEntry g_attrPopup[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, RememberMouseX},
    POPUP_ROW(41, AttrChosen),
    POPUP_ROW(42, AttrChosen),
    POPUP_ROW(43, AttrChosen),
    POPUP_ROW(44, AttrChosen),
    POPUP_ROW(45, AttrChosen),
    POPUP_ROW(46, AttrChosen),
    POPUP_ROW(47, AttrChosen),
    POPUP_ROW(48, AttrChosen),
    POPUP_ROW(49, AttrChosen),
    POPUP_ROW(50, AttrChosen),
    POPUP_ROW(51, AttrChosen),
    POPUP_ROW(52, AttrChosen),
    POPUP_ROW(53, AttrChosen),
    POPUP_ROW(54, AttrChosen),
    POPUP_ROW(55, AttrChosen),
    POPUP_ROW(397, AttrChosen),
    POPUP_ROW(56, AttrChosen),
    POPUP_ROW(398, AttrChosen),
    POPUP_ROW(57, AttrChosen),
    POPUP_ROW(58, AttrChosen),
    POPUP_ROW(kNoneRowText, AttrChosen),
    POPUP_TAIL,
};
PopupEntry g_extra0[] = {{POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, MarkExtra},
                         VALUE_ROWS(Extra0Chosen),
                         POPUP_TAIL};
PopupEntry g_extra1[] = {{POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, MarkExtra},
                         VALUE_ROWS(Extra1Chosen),
                         POPUP_TAIL};

void MarkExtra(PopupCallBlock*) {
    for (int k = 0; k < kSearchExtraChoices; ++k) {
        PopupEntry* lists[2] = {g_extra0, g_extra1};
        for (int e = 0; e < 2; ++e) {
            PopupEntry& entry = lists[e][1 + k];
            const bool on = k + 1 == ShortlistExtraColumn[e];
            entry.flags = uint16_t(on ? (entry.flags | POPUP_MARKED) : (entry.flags & ~POPUP_MARKED));
        }
    }
}

void SetPreviousScreen() { PreviousMenuOption = kScreenShortlist; }

const MenuItem kRow[] = {
    {MI_CUSTOM, kListX, 0, kListWidth, kRowHeight, MenuFunction(PaintRow), nullptr},
    {MI_HOT_RECT, kListX, 0, kNameWidth, kRowHeight, nullptr, NameClicked},
    kMenuEnd,
};

// The shortlist view's remove switch; the scout view's scroll buttons.
const MenuItem kShortlistControls[] = {
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_removeColour, nullptr},
    {MI_BUTTON_TEXT, 60, 559, 678, 28, MenuValue(kRemoveText), Shortlist_RemoveSwitch},
    kMenuEnd,
};
const MenuItem kScrollControls[] = {
    {MI_ICON, 20, 559, 5, 0, MenuValue(154), nullptr},
    {MI_HOT_RECT, 20, 559, 40, 14, nullptr, Shortlist_ScrollUp},
    {MI_HOT_RECT, 20, 573, 40, 14, nullptr, Shortlist_ScrollDown},
    kMenuEnd,
};
const MenuItem kNoControls[] = {kMenuEnd};
const MenuItem* g_controls = kNoControls;

void ChooseControls() {
    g_controls = !ScoutView() ? kShortlistControls : Shortlist_ScrollShown() ? kScrollControls : kNoControls;
}

void ShortlistScreen() {
    ShortlistMenu();
    ChooseControls();
}

}  // namespace

const MenuItem ShortlistTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ShortlistScreen), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_TEXT_VAR, 400, 62, 10, 0, &g_title, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 15, MenuValue(0), nullptr},
    {MI_BUTTON_TEXT_VAR, 433, 91, 46, 20, &g_attrHeadings[0], Accept},
    {MI_POPUP, 0, 0, 0, 0, g_attrPopup, nullptr},
    {MI_BUTTON_TEXT_VAR, 479, 91, 46, 20, &g_attrHeadings[1], Accept},
    {MI_POPUP, 0, 0, 0, 0, g_attrPopup, nullptr},
    {MI_BUTTON_TEXT_VAR, 525, 91, 46, 20, &g_attrHeadings[2], Accept},
    {MI_POPUP, 0, 0, 0, 0, g_attrPopup, nullptr},
    {MI_BUTTON_TEXT_VAR, 571, 91, 46, 20, &g_attrHeadings[3], Accept},
    {MI_POPUP, 0, 0, 0, 0, g_attrPopup, nullptr},
    {MI_BUTTON_TEXT_VAR, 617, 91, 46, 20, &g_attrHeadings[4], Accept},
    {MI_POPUP, 0, 0, 0, 0, g_attrPopup, nullptr},
    {MI_BUTTON_TEXT_VAR, 664, 91, 60, 20, &g_extraHeadings[0], Accept},
    {MI_POPUP, 0, 0, 0, 0, g_extra0, nullptr},
    {MI_BUTTON_TEXT_VAR, 725, 91, 60, 20, &g_extraHeadings[1], Accept},
    {MI_POPUP, 0, 0, 0, 0, g_extra1, nullptr},
    {MI_CUSTOM, kListX, kListY, kListWidth, kListHeight, MenuFunction(DrawBlackBox), nullptr},
    {MI_GROUP, 0, kListY, kShortlistRows, kRowHeight, kRow, nullptr},
    {MI_CUSTOM, kListX, kListY, kListWidth, kListHeight, MenuFunction(PaintDividers), nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_controls, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), Shortlist_Back},
    {MI_END, 0, 0, 0, 0, MenuFunction(SetPreviousScreen), nullptr},
};
