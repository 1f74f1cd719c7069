#include "game/screens/league/divisionclubs.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "core/query/clubscreens.h"
#include "core/query/fields.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/season/leagues.h"
#include "game/screens/club/clubinfo.h"
#include "game/screens/engine/frontendloop.h"

int16_t ClubChoiceMode = 0;
int16_t ClubChoiceFlag = 0;
uint16_t DivisionLeftClubs[kDivisionColumnClubs];
uint16_t DivisionRightClubs[kDivisionColumnClubs];

namespace {

constexpr uint16_t kEmpty = 0xFFFF;
constexpr int kButtons = kDivisionCount;
constexpr int16_t kHighlighted = 8;

const char* g_leftNames[kDivisionColumnClubs];
const char* g_rightNames[kDivisionColumnClubs];
// Each row keeps its own copy: the query hands every club's name out in one
// shared buffer, so rows pointing at it all showed the last name asked for.
char g_leftText[kDivisionColumnClubs][40];
char g_rightText[kDivisionColumnClubs][40];
const char* g_divisionNames[kButtons];
int16_t g_buttonColour[kButtons];

const char* CopyClubName(uint16_t club, char (&into)[40]) {
    std::snprintf(into, sizeof into, "%s", club == kEmpty ? "" : HVW_GetClubName(int16_t(club)));
    return into;
}

int32_t OpenClub(uint16_t club) {
    if (club == kEmpty) return MENU_CONTINUE;
    SelectedClub = club;
    ClubInfoPickedFlag = 1;
    ClubListPickedFlag = 1;
    HandClubPicksOver(int16_t(club));
    FrontEndViewWord = 0;
    MenuOption = kScreenClubInfo;
    return MENU_CLOSE;
}
int32_t PickLeft(MenuHotItem* item) { return OpenClub(DivisionLeftClubs[item->row]); }
int32_t PickRight(MenuHotItem* item) { return OpenClub(DivisionRightClubs[item->row]); }

int32_t PickDivision(int16_t row) {
    ViewedDivision = row;
    return MENU_REDRAW;
}

#define DIVISION_BUTTON(k, x, w)                                                               \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_buttonColour[k], nullptr}, {                           \
        8206, x, 559, w, 28, &g_divisionNames[k], [](MenuHotItem*) { return PickDivision(k); } \
    }
const MenuItem kButtonsOf1[] = {DIVISION_BUTTON(0, 325, 150), kMenuEnd};
const MenuItem kButtonsOf2[] = {DIVISION_BUTTON(0, 170, 150), DIVISION_BUTTON(1, 480, 150), kMenuEnd};
const MenuItem kButtonsOf3[] = {DIVISION_BUTTON(0, 170, 150), DIVISION_BUTTON(1, 325, 150),
                                DIVISION_BUTTON(2, 480, 150), kMenuEnd};
const MenuItem kButtonsOf4[] = {DIVISION_BUTTON(0, 92, 150), DIVISION_BUTTON(1, 247, 150),
                                DIVISION_BUTTON(2, 402, 150), DIVISION_BUTTON(3, 557, 150), kMenuEnd};
const MenuItem kButtonsOf5[] = {DIVISION_BUTTON(0, 15, 150),  DIVISION_BUTTON(1, 170, 150),
                                DIVISION_BUTTON(2, 325, 150), DIVISION_BUTTON(3, 480, 150),
                                DIVISION_BUTTON(4, 635, 150), kMenuEnd};
// Six in one row, clear of the club list.
const MenuItem kButtonsOf6[] = {DIVISION_BUTTON(0, 20, 120),
                                DIVISION_BUTTON(1, 148, 120),
                                DIVISION_BUTTON(2, 276, 120),
                                DIVISION_BUTTON(3, 404, 120),
                                DIVISION_BUTTON(4, 532, 120),
                                DIVISION_BUTTON(5, 660, 120),
                                kMenuEnd};
const MenuItem kNoButtons[] = {kMenuEnd};
const MenuItem* const kButtonLayouts[kButtons + 1] = {kNoButtons,  kButtonsOf1, kButtonsOf2, kButtonsOf3,
                                                      kButtonsOf4, kButtonsOf5, kButtonsOf6};
const MenuItem* g_buttons = kNoButtons;

const MenuItem kClubRow[] = {
    {MI_STRING_VAR, 220, 19, 10, sizeof(const char*), g_leftNames, nullptr},
    {MI_HOT_RECT, 40, 0, 360, 38, nullptr, PickLeft},
    {MI_STRING_VAR, 580, 19, 10, sizeof(const char*), g_rightNames, nullptr},
    {MI_HOT_RECT, 400, 0, 360, 38, nullptr, PickRight},
    kMenuEnd,
};

#undef DIVISION_BUTTON

}  // namespace

int16_t FillDivisionColumns() {
    const int16_t country = HVW_GetViewedCountry();
    const int16_t count =
        std::min<int16_t>(HVW_GetClubsInDivision(ViewedDivision, country), int16_t(2 * kDivisionColumnClubs));
    std::fill(std::begin(DivisionLeftClubs), std::end(DivisionLeftClubs), kEmpty);
    std::fill(std::begin(DivisionRightClubs), std::end(DivisionRightClubs), kEmpty);
    const int leftCount = count / 2;
    int taken = 0;
    for (int16_t club = 0; club < kClubCount && taken < count; ++club) {
        if (GetClubDivision(club) != uint16_t(ViewedDivision) || GetClubNation(club) != uint16_t(country) ||
            GetClubRep(club) == 0) {
            continue;
        }
        if (taken < leftCount) {
            DivisionLeftClubs[taken] = uint16_t(club);
        } else {
            DivisionRightClubs[taken - leftCount] = uint16_t(club);
        }
        ++taken;
    }
    // The left column holds the smaller half: its last row stays empty when
    // the count is odd, so the right column's extra club shows below it.
    for (int row = 0; row < kDivisionColumnClubs; ++row) {
        g_leftNames[row] = CopyClubName(DivisionLeftClubs[row], g_leftText[row]);
        g_rightNames[row] = CopyClubName(DivisionRightClubs[row], g_rightText[row]);
    }
    return count;
}

const char* DivisionClubsRowName(bool right, int row) {
    if (row < 0 || row >= kDivisionColumnClubs) return nullptr;
    return right ? g_rightNames[row] : g_leftNames[row];
}

void DivisionClubsMenu() {
    if (IsMenuFirstEntry() == 1) {
        ViewedDivision = 0;
        ClubChoiceMode = 1;
        ClubChoiceFlag = 1;
        SetMenuTitleDate(6);
    }
    const int16_t country = HVW_GetViewedCountry();
    const int16_t count = FillDivisionColumns();
    const int16_t rows = int16_t((count + 1) / 2);
    SetMenuListRows(rows);
    const int16_t divisions = HVW_CountDivisions(country);
    g_buttons = kButtonLayouts[std::clamp<int16_t>(divisions, 0, kButtons)];
    for (int16_t k = 0; k < kButtons; ++k) {
        const char* name = HVW_GetDivisionName(k, country);
        g_divisionNames[k] = name != nullptr ? name : "";
        g_buttonColour[k] = k == ViewedDivision ? kHighlighted : 0;
    }
}

const MenuItem DivisionClubsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(DivisionClubsMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(728), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_GROUP, 0, 100, 0, 36, kClubRow, nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_buttons, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    kMenuEnd,
};
