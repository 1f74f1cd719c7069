#include "game/screens/squad/coachinglist.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/club/staff.h"
#include "core/query/clubscreens.h"
#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "game/screens/club/stafflist.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/squad/playercondition.h"
#include "game/screens/squad/sortkeys.h"

uint16_t CoachingListFlags = kCoachingOwnClub | kCoachingGrouped;
int16_t CoachingSortIndex = 0;
int16_t CoachingPageStart = 0;
CoachingSquad CoachingListSquad{};

namespace {

constexpr int16_t kNone = INT16_MIN;
constexpr int16_t kNoText = -1;
constexpr int16_t kSortKeys[2] = {2, SORT_KEY_NONE};
constexpr int16_t kPositionTypeKey = 6, kPlayerNumberKey = 0;
constexpr int16_t kPagedText = 2315, kOverviewText = 2314;
constexpr int16_t kCoachLabel = 417, kManagerLabel = 30, kNoCoachText = 2316;
constexpr int16_t kCoachPost = 7;
// The fifteen stats after the progress column.
constexpr int16_t kColumnStats[kCoachingColumns - 1] = {
    kAbilityStat, kShootingStat,     kPassingStat,  kTacklingStat, kHeadingStat,
    kPaceStat,    kPowerStat,        kDeadballStat, kDribbleStat,  kComposureStat,
    kVisionStat,  kIntelligenceStat, kAgilityStat,  kControlStat,  kKeepingStat};
constexpr const char* kHeadings[kCoachingColumns] = {"Prg", "Pot", "Sht", "Pas", "Tck", "Hdg", "Pac", "Pow",
                                                     "Ddb", "Drb", "Cmp", "Vis", "Int", "Agi", "Ctl", "Kpg"};

struct Column {
    const char* name[kCoachingPageRows];
    char nameText[kCoachingPageRows][32];
    int16_t age[kCoachingPageRows];
    int16_t icon[kCoachingPageRows];
};
Column g_first{}, g_second{};
int16_t g_values[kCoachingColumns][kCoachingPageRows];
int16_t g_coachingText[kCoachingPageRows];
uint16_t g_rowPlayers[kCoachingListPlaces];
int16_t g_clubText = kNoText;
int16_t g_panelLabel = kNoText;
char g_panelNameText[48] = "";
const char* g_panelName = g_panelNameText;
int16_t g_viewText = kOverviewText;
int16_t g_pagingIcon = 0;
int16_t g_enteredOption = kScreenCoachingList;
const MenuItem* g_viewTable = nullptr;
const MenuItem* g_buttonTable = nullptr;

bool IsPaged() { return (CoachingListFlags & kCoachingPaged) != 0; }
bool IsOwnClub() { return (CoachingListFlags & kCoachingOwnClub) != 0; }

uint16_t Place(int index) {
    return index >= 0 && index < kCoachingListPlaces ? CoachingListSquad.players[index] : uint16_t(0);
}

void ClearColumn(Column& column) {
    for (int r = 0; r < kCoachingPageRows; ++r) {
        column.nameText[r][0] = '\0';
        column.name[r] = column.nameText[r];
        column.age[r] = kNone;
        column.icon[r] = 0;
    }
}

void FillPlace(Column& column, int r, uint16_t player) {
    std::snprintf(column.nameText[r], sizeof column.nameText[r], "%s", HVW_GetPlayerShortName(player));
    column.age[r] = HVW_GetPlayerAge(player);
    column.icon[r] = HVW_GetPositionTypeRowCode(player);
}

int32_t Open(uint16_t player) {
    if (player == 0 || !IsPlayerNumber(player)) return MENU_CONTINUE;
    MenuOption = kScreenPlayerCondition;
    PreviousMenuOption = kScreenCoachingList;
    ConditionReturnOption = g_enteredOption;
    SelectedPlayer = int16_t(player);
    return MENU_CLOSE;
}

int32_t OpenFirst(MenuHotItem* item) { return CoachingList_OpenPlayer(item->row); }
int32_t OpenSecond(MenuHotItem* item) { return CoachingList_OpenSecondColumn(item->row); }

void PreparePopup(PopupCallBlock* call);
PopupEntry g_sortMenu[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(293), nullptr, PreparePopup},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(439), CoachingList_ToggleGrouping,
     nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(61), CoachingList_SetSortKey, nullptr},
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

void PreparePopup(PopupCallBlock*) {
    g_sortMenu[1].flags =
        uint16_t(POPUP_SELECTABLE | ((CoachingListFlags & kCoachingGrouped) != 0 ? POPUP_MARKED : 0));
    g_sortMenu[2].flags = uint16_t(POPUP_SELECTABLE | (CoachingSortIndex == 0 ? POPUP_MARKED : 0));
}

#define VALUE_COLUMN(k) \
    { MI_NUMBER_I16, 235 + 30 * (k), 12, 10, sizeof(int16_t), g_values[k], nullptr }
const MenuItem kPagedRow[] = {
    {MI_ICON_VAR, 15, 12, 10, sizeof(int16_t), g_first.icon, nullptr},
    {MI_STRING_VAR, 35, 12, 9, sizeof(const char*), g_first.name, OpenFirst},
    {MI_NUMBER_I16, 197, 12, 10, sizeof(int16_t), g_first.age, nullptr},
    VALUE_COLUMN(0),
    VALUE_COLUMN(1),
    VALUE_COLUMN(2),
    VALUE_COLUMN(3),
    VALUE_COLUMN(4),
    VALUE_COLUMN(5),
    VALUE_COLUMN(6),
    VALUE_COLUMN(7),
    VALUE_COLUMN(8),
    VALUE_COLUMN(9),
    VALUE_COLUMN(10),
    VALUE_COLUMN(11),
    VALUE_COLUMN(12),
    VALUE_COLUMN(13),
    VALUE_COLUMN(14),
    VALUE_COLUMN(15),
    kMenuEnd,
};
#undef VALUE_COLUMN

// The paged view's coaching text, small under each name.
const MenuItem kPagedTextColumn[] = {
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_TEXT_VAR, -325, 21, 9, sizeof(int16_t), g_coachingText, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    kMenuEnd,
};

const MenuItem kSecondColumn[] = {
    {MI_ICON_VAR, 15, 12, 10, sizeof(int16_t), g_second.icon, nullptr},
    {MI_STRING_VAR, 35, 12, 9, sizeof(const char*), g_second.name, OpenSecond},
    {MI_NUMBER_I16, 197, 12, 10, sizeof(int16_t), g_second.age, nullptr},
    kMenuEnd,
};

const MenuItem kOwnButtons[] = {
    {MI_BUTTON_TEXT, 75, 542, 322, 30, MenuValue(293), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_sortMenu, nullptr},
    {MI_BUTTON_TEXT_VAR, 394, 542, 322, 30, &g_viewText, CoachingList_ToggleView},
    kMenuEnd,
};

const MenuItem kOtherButtons[] = {
    {MI_BUTTON_TEXT, 75, 542, 322, 30, MenuValue(293), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_sortMenu, nullptr},
    kMenuEnd,
};

void FillPanel(int16_t club) {
    g_panelNameText[0] = '\0';
    if (IsOwnClub()) {
        g_panelLabel = kCoachLabel;
        if (const StaffRecord* coach = Staff_GetActive(kCoachPost)) {
            StaffList_FormatName(coach, g_panelNameText, sizeof g_panelNameText);
        } else {
            std::snprintf(g_panelNameText, sizeof g_panelNameText, "(%s)", GetText(kNoCoachText));
        }
        return;
    }
    g_panelLabel = kManagerLabel;
    const uint16_t manager = IsClubNumber(club) ? HVW_GetClubManager(club) : uint16_t(0);
    if (IsPlayerNumber(manager))
        std::snprintf(g_panelNameText, sizeof g_panelNameText, "%s", HVW_GetPlayerShortName(manager));
}

void DrawHeaderBox(int x, int y, int w, int h) { DrawBlackBox(x, y, w, h); }

}  // namespace

int16_t CoachingList_Progress(uint16_t player) {
    const int32_t total = SquadRec28_GetWord22(player);
    return total > 0 ? int16_t(std::clamp<int32_t>(SquadRec28_GetWord24(player) * 100 / total, 0, 32767))
                     : int16_t(0);
}

void CoachingList_Enter() {
    const int16_t club = int16_t(SelectedClub);
    CoachingListFlags = uint16_t(CoachingListFlags & ~kCoachingBack);
    if (IsClubNumber(club) && club == GetUserClub()) {
        CoachingListFlags = uint16_t(CoachingListFlags | kCoachingOwnClub);
    } else {
        CoachingListFlags = uint16_t(CoachingListFlags & ~kCoachingOwnClub);
    }
    CoachingListSquad = {};
    if (IsClubNumber(club)) {
        HVW_BuildSquadList(club);
        std::copy(std::begin(YouthList.players), std::end(YouthList.players), CoachingListSquad.players);
        CoachingListSquad.count = std::clamp<int16_t>(YouthList.count, 0, kCoachingListPlaces);
    }
    const int16_t chosen = kSortKeys[std::clamp<int16_t>(CoachingSortIndex, 0, 1)];
    if ((CoachingListFlags & kCoachingGrouped) != 0) {
        SortKeys_Set(kPositionTypeKey, chosen, kPlayerNumberKey, SORT_KEY_NONE, SORT_KEY_NONE);
    } else {
        SortKeys_Set(chosen, kPlayerNumberKey, SORT_KEY_NONE, SORT_KEY_NONE, SORT_KEY_NONE);
    }
    std::qsort(CoachingListSquad.players, size_t(CoachingListSquad.count), sizeof(uint16_t),
               ComparePlayersByKeys);
    if (CoachingPageStart >= CoachingListSquad.count - kCoachingPageRows || CoachingPageStart < 0)
        CoachingPageStart = 0;
}

void StaffSquadMenuProc() {
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(11);
        g_enteredOption = MenuOption;
        UpdateScreenHistory(MenuOption, 2, 3);
        CoachingList_Enter();
    }
    const int16_t club = int16_t(SelectedClub);
    g_clubText = HVW_ClubTextId(IsClubNumber(club) ? club : int16_t(-1));
    ClearColumn(g_first);
    ClearColumn(g_second);
    for (auto& column : g_values) std::fill(std::begin(column), std::end(column), kNone);
    std::fill(std::begin(g_coachingText), std::end(g_coachingText), kNoText);
    std::fill(std::begin(g_rowPlayers), std::end(g_rowPlayers), uint16_t(0));
    if (IsPaged()) {
        g_viewText = kPagedText;
        g_viewTable = kPagedTextColumn;
        for (int r = 0; r < kCoachingPageRows; ++r) {
            const uint16_t p = Place(CoachingPageStart + r);
            if (!IsPlayerNumber(p)) continue;
            g_rowPlayers[r] = p;
            FillPlace(g_first, r, p);
            g_coachingText[r] = SquadRec_GetCoachingText(p);
            g_values[0][r] = CoachingList_Progress(p);
            for (int k = 1; k < kCoachingColumns; ++k)
                g_values[k][r] = GetPlayerStat(p, kColumnStats[k - 1], 0);
        }
    } else {
        g_viewText = kOverviewText;
        g_viewTable = kSecondColumn;
        for (int place = 0; place < kCoachingListPlaces; ++place) {
            const uint16_t p = Place(place);
            if (!IsPlayerNumber(p)) continue;
            g_rowPlayers[place] = p;
            FillPlace(place < kCoachingPageRows ? g_first : g_second, place % kCoachingPageRows, p);
        }
    }
    g_buttonTable = IsOwnClub() ? kOwnButtons : kOtherButtons;
    g_pagingIcon = IsPaged() && CoachingListSquad.count > kCoachingPageRows ? int16_t(154) : int16_t(0);
    FillPanel(club);
}

int32_t CoachingList_ToggleView(MenuHotItem*) {
    CoachingListFlags = uint16_t(CoachingListFlags ^ kCoachingPaged);
    return MENU_REDRAW;
}

int32_t CoachingList_ToggleGrouping(PopupCallBlock*) {
    CoachingListFlags = uint16_t(CoachingListFlags ^ kCoachingGrouped);
    return MENU_REDRAW;
}

// The option's index counted from 0 (the age key is the second option),
// less one.
int32_t CoachingList_SetSortKey(PopupCallBlock* call) {
    const int index = call != nullptr ? int(call->row) : 1;
    CoachingSortIndex = int16_t(std::clamp(index - 1, 0, 1));
    return MENU_REDRAW;
}

int32_t CoachingList_PageUp(MenuHotItem*) {
    if (!IsPaged()) return MENU_CONTINUE;
    if (CoachingPageStart > 0) --CoachingPageStart;
    return MENU_REDRAW;
}

int32_t CoachingList_PageDown(MenuHotItem*) {
    if (!IsPaged()) return MENU_CONTINUE;
    if (CoachingPageStart < CoachingListSquad.count - kCoachingPageRows) ++CoachingPageStart;
    return MENU_REDRAW;
}

int32_t CoachingList_OpenPlayer(int row) {
    if (row < 0 || row >= kCoachingPageRows) return MENU_CONTINUE;
    return Open(Place(IsPaged() ? row + CoachingPageStart : row));
}

int32_t CoachingList_OpenSecondColumn(int row) {
    if (row < 0 || row >= kCoachingPageRows || IsPaged()) return MENU_CONTINUE;
    return Open(Place(row + kCoachingPageRows));
}

int32_t CoachingList_Back(MenuHotItem*) {
    CoachingListFlags = uint16_t(CoachingListFlags | kCoachingBack);
    return MENU_CLOSE;
}

void CoachingList_Leave() {
    if (MenuOption == kScreenPlayerStats) {
        ReturnMenuOption = kScreenCoachingList;
    } else if ((CoachingListFlags & kCoachingBack) != 0) {
        UpdateScreenHistory(g_enteredOption, 1, 3);
    }
    CoachingListFlags = uint16_t(CoachingListFlags & ~kCoachingBack);
}

void CoachingList_DrawShades(int, int, int, int) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    for (int r = 0; r < kCoachingPageRows; ++r) DrawShadedRect(40, 134 + 25 * r, 720, 25, r % 2 ? 25 : 50);
    DrawShadedRect(40, 98, 720, 25, 50);
    SetDrawParam(2, kept);
}

// The headings stand between the panel's large label and the first row
// (the rows start high enough for sixteen of them above the buttons).
#define HEADING(k) \
    { MI_STRING, 275 + 30 * (k), 132, 10, 0, kHeadings[k], nullptr }
const MenuItem CoachingListTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(StaffSquadMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(CoachingList_DrawShades), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(14), nullptr},
    {MI_CUSTOM, 40, 98, 720, 30, MenuFunction(DrawHeaderBox), nullptr},
    {MI_TEXT_VAR, 100, 50, 5, 2, &g_clubText, nullptr},
    {MI_TEXT, 400, 50, 6, 0, MenuValue(1449), nullptr},
    {MI_TEXT_VAR, 375, 114, 11, 2, &g_panelLabel, nullptr},
    {MI_STRING_VAR, 425, 114, 9, 4, &g_panelName, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_GROUP, 40, 134, kCoachingPageRows, 25, kPagedRow, nullptr},
    {MI_GROUP_VAR, 400, 134, kCoachingPageRows, 25, &g_viewTable, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_buttonTable, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    HEADING(0),
    HEADING(1),
    HEADING(2),
    HEADING(3),
    HEADING(4),
    HEADING(5),
    HEADING(6),
    HEADING(7),
    HEADING(8),
    HEADING(9),
    HEADING(10),
    HEADING(11),
    HEADING(12),
    HEADING(13),
    HEADING(14),
    HEADING(15),
    {MI_ICON_VAR, 38, 540, 5, 2, &g_pagingIcon, nullptr},
    {MI_HOT_RECT, 38, 545, 38, 18, MenuValue(-1), CoachingList_PageUp},
    {MI_HOT_RECT, 38, 570, 38, 18, MenuValue(-1), CoachingList_PageDown},
    {MI_ICON, 768, 584, 10, 0, MenuValue(kStaffBackIcon), nullptr},
    {MI_HOT_RECT, 743, 559, 50, 50, MenuValue(-1), CoachingList_Back},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_END, 400, 578, 10, 0, MenuFunction(CoachingList_Leave), nullptr},
};
#undef HEADING

uint16_t CoachingList_RowPlayer(int place) {
    return place >= 0 && place < kCoachingListPlaces ? g_rowPlayers[place] : uint16_t(0);
}
const char* CoachingList_PanelName() { return g_panelNameText; }
int16_t CoachingList_PanelLabel() { return g_panelLabel; }
int16_t CoachingList_ViewButtonText() { return IsOwnClub() ? g_viewText : kNoText; }
