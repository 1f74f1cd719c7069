#include "game/screens/league/divisioneleven.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/query/besteleven.h"
#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"
#include "core/query/fields.h"
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

DivisionElevenState DivisionEleven = {};

namespace {

constexpr int kDivisions = 6;
constexpr int kCellSize = 48;
constexpr int16_t kPeriodText = 888;
constexpr int16_t kNotAvailableText = 1808;
constexpr int16_t kOpensAfter = 14;
constexpr int16_t kClosesAfter = 7;
// The position squares: keeper, defender, midfielder, forward.
constexpr int16_t kShirtIcons[4] = {3, 4, 5, 6};
// 4-4-2: the keeper, four defenders, four midfielders, two forwards.
constexpr int16_t kShirtPlaces[kElevenSlots][2] = {{320, 131}, {120, 231}, {245, 201}, {394, 201},
                                                   {516, 231}, {120, 331}, {245, 301}, {394, 301},
                                                   {516, 331}, {245, 401}, {394, 401}};
constexpr int kPitchLeft = 60, kPitchTop = 100, kPitchWidth = 520, kPitchHeight = 340;

char g_title[kCellSize * 2];
const char* g_titleText = g_title;
char g_names[kElevenSlots][kCellSize];
const char* g_nameText[kElevenSlots];
char g_numbers[kElevenSlots][12];
const char* g_numberText[kElevenSlots];
int16_t g_shirt[kElevenSlots];
int16_t g_message = -1;
int16_t g_kindText[kElevenKinds];
uint16_t g_kindColour[kElevenKinds];
int16_t g_divisionText[kDivisions];
// Per division two buttons: one shows its eleven of period kind 0, the
// other of kind 2 (the two kinds that name a division); each column's kind
// name stands over it, the left one's on the line above the right one's.
constexpr int16_t kDivisionKinds[2] = {0, 2};
uint16_t g_divisionColour[2][kDivisions];
int16_t g_divisionKindText[2] = {kPeriodText + 0, kPeriodText + 2};

int16_t Country() {
    const int16_t country = HVW_GetViewedCountry();
    return IsCountryNumber(country) ? country : int16_t(0);
}

int16_t Divisions() { return std::clamp<int16_t>(HVW_CountCompRounds(Country()), 0, kDivisions); }

int16_t ShirtOf(int slot) { return kShirtIcons[slot == 0 ? 0 : slot < 5 ? 1 : slot < 9 ? 2 : 3]; }

// A generated pitch: grass in two shades of stripes, the lines in white.
void DrawPitch(int, int, int, int) {
    const uint16_t kept = DrawColour;
    for (int stripe = 0; stripe < 10; ++stripe) {
        SetDrawParam(2, stripe % 2 == 0 ? 0x2D45 : 0x2504);
        DrawSolidRect(kPitchLeft, kPitchTop + stripe * kPitchHeight / 10, kPitchWidth, kPitchHeight / 10);
    }
    SetDrawParam(2, 0xFFFF);
    DrawBox(kPitchLeft + 10, kPitchTop + 10, kPitchWidth - 20, kPitchHeight - 20);
    DrawRelLine(kPitchLeft + 10, kPitchTop + kPitchHeight / 2, kPitchWidth - 20, 0);
    DrawBox(kPitchLeft + kPitchWidth / 2 - 80, kPitchTop + 10, 160, 50);
    DrawBox(kPitchLeft + kPitchWidth / 2 - 80, kPitchTop + kPitchHeight - 60, 160, 50);
    DrawBox(kPitchLeft + kPitchWidth / 2 - 30, kPitchTop + kPitchHeight / 2 - 30, 60, 60);
    SetDrawParam(2, kept);
}

void FillSlots() {
    const DivisionElevenState& s = DivisionEleven;
    for (int slot = 0; slot < kElevenSlots; ++slot) {
        g_names[slot][0] = g_numbers[slot][0] = '\0';
        g_nameText[slot] = g_names[slot];
        g_numberText[slot] = g_numbers[slot];
        g_shirt[slot] = ShirtOf(slot);
        if (s.available == 0) continue;
        std::snprintf(g_names[slot], kCellSize, "%s", HVW_FormatPlayerShortNameSlot(s.players[slot], 0));
        std::snprintf(g_numbers[slot], sizeof g_numbers[slot], "%d", slot + 1);
    }
    g_message = s.available != 0 ? int16_t(-1) : kNotAvailableText;
}

void FillTitle() {
    const DivisionElevenState& s = DivisionEleven;
    const char* period = GetText(int16_t(kPeriodText + s.kind));
    if (s.kind == 0 || s.kind == 2) {
        // The name entry is padded with blanks.
        const char* division = HVW_GetDivisionRoundEntry(s.division, Country());
        char name[kCellSize];
        std::snprintf(name, sizeof name, "%s", division != nullptr ? division : "");
        for (size_t n = std::strlen(name); n > 0 && name[n - 1] == ' ';) name[--n] = '\0';
        std::snprintf(g_title, sizeof g_title, "%s %s", name, period);
    } else {
        std::snprintf(g_title, sizeof g_title, "%s", period);
    }
}

void FillButtons() {
    const DivisionElevenState& s = DivisionEleven;
    for (int k = 0; k < kElevenKinds; ++k) {
        g_kindText[k] = int16_t(kPeriodText + k);
        g_kindColour[k] = k == s.kind ? 8 : 0;
    }
    for (int16_t d = 0; d < kDivisions; ++d) {
        g_divisionText[d] = d < Divisions() ? HVW_GetCompRoundTextId(d, Country()) : int16_t(-1);
        for (int set = 0; set < 2; ++set)
            g_divisionColour[set][d] = d == s.division && s.kind == kDivisionKinds[set] ? 8 : 0;
    }
}

#define KIND_BUTTON(k)                                                \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_kindColour[k], nullptr}, {    \
        8207, 610, int16_t(100 + 30 * (k)), 170, 26, &g_kindText[k],  \
            [](MenuHotItem*) { return DivisionEleven_ChooseKind(k); } \
    }
#define DIVISION_BUTTON(d)                                                          \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_divisionColour[0][d], nullptr},             \
        {8207,                                                                      \
         600,                                                                       \
         int16_t(290 + 30 * (d)),                                                   \
         88,                                                                        \
         26,                                                                        \
         &g_divisionText[d],                                                        \
         [](MenuHotItem*) { return DivisionEleven_ChooseDivisionAndKind(d, 0); }},  \
        {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_divisionColour[1][d], nullptr}, {       \
        8207, 692, int16_t(290 + 30 * (d)), 88, 26, &g_divisionText[d],             \
            [](MenuHotItem*) { return DivisionEleven_ChooseDivisionAndKind(d, 2); } \
    }
#define KINDS                                                                                              \
    KIND_BUTTON(0), KIND_BUTTON(1), KIND_BUTTON(2), KIND_BUTTON(3), KIND_BUTTON(4),                        \
        {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr}, {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr}, \
        {MI_TEXT_VAR, 600, 264, JUSTIFY_LEFT_MIDDLE, 0, &g_divisionKindText[0], nullptr}, {                \
        MI_TEXT_VAR, 780, 279, JUSTIFY_RIGHT_MIDDLE, 0, &g_divisionKindText[1], nullptr                    \
    }
#define END {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr}, kMenuEnd

const MenuItem kButtons1[] = {KINDS, DIVISION_BUTTON(0), END};
const MenuItem kButtons2[] = {KINDS, DIVISION_BUTTON(0), DIVISION_BUTTON(1), END};
const MenuItem kButtons3[] = {KINDS, DIVISION_BUTTON(0), DIVISION_BUTTON(1), DIVISION_BUTTON(2), END};
const MenuItem kButtons4[] = {
    KINDS, DIVISION_BUTTON(0), DIVISION_BUTTON(1), DIVISION_BUTTON(2), DIVISION_BUTTON(3), END};
const MenuItem kButtons5[] = {
    KINDS, DIVISION_BUTTON(0), DIVISION_BUTTON(1), DIVISION_BUTTON(2), DIVISION_BUTTON(3), DIVISION_BUTTON(4),
    END};
const MenuItem kButtons6[] = {KINDS,
                              DIVISION_BUTTON(0),
                              DIVISION_BUTTON(1),
                              DIVISION_BUTTON(2),
                              DIVISION_BUTTON(3),
                              DIVISION_BUTTON(4),
                              DIVISION_BUTTON(5),
                              END};
const MenuItem kButtons0[] = {KINDS, END};
const MenuItem* const kButtonLayouts[kDivisions + 1] = {kButtons0, kButtons1, kButtons2, kButtons3,
                                                        kButtons4, kButtons5, kButtons6};
const MenuItem* g_buttons = kButtons0;

#undef KIND_BUTTON
#undef DIVISION_BUTTON
#undef KINDS
#undef END

#define SLOT(k)                                                                                            \
    {MI_ICON_VAR, kShirtPlaces[k][0], kShirtPlaces[k][1], JUSTIFY_CENTRE_MIDDLE, 0, &g_shirt[k], nullptr}, \
        {MI_STRING_VAR,                                                                                    \
         kShirtPlaces[k][0],                                                                               \
         int16_t(kShirtPlaces[k][1] + 10),                                                                 \
         JUSTIFY_CENTRE_MIDDLE,                                                                            \
         0,                                                                                                \
         &g_nameText[k],                                                                                   \
         nullptr},                                                                                         \
    {                                                                                                      \
        18, kShirtPlaces[k][0], int16_t(kShirtPlaces[k][1] - 15), JUSTIFY_CENTRE_MIDDLE, 0,                \
            &g_numberText[k], nullptr                                                                      \
    }

const MenuItem kSlots[] = {SLOT(0), SLOT(1), SLOT(2), SLOT(3), SLOT(4),  SLOT(5),
                           SLOT(6), SLOT(7), SLOT(8), SLOT(9), SLOT(10), kMenuEnd};
#undef SLOT

int32_t BackToClub(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

}  // namespace

// The eleven closes a week after the league's last day. The day word the
// window opens from is also the league's start day: closing a week after
// that same word would leave a window that never opens.
bool DivisionEleven_InWindow(int16_t country, int16_t day) {
    if (day <= HVW_GetCountryDayWord(country) + kOpensAfter) return false;
    return day < HVW_GetCountryEndDayWord(country) + kClosesAfter;
}

void DivisionElevenScreenProc() {
    DivisionElevenState& s = DivisionEleven;
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(2);
        s.kind = 0;
        const int16_t club = int16_t(SelectedClub);
        s.division =
            IsClubNumber(club) ? int16_t(std::min<int>(GetClubDivision(club), kDivisions - 1)) : int16_t(0);
        if (IsClubNumber(club) && IsCountryNumber(HVW_GetClubNation(club)))
            HVW_SetViewedCountry(HVW_GetClubNation(club));
        std::fill(std::begin(s.players), std::end(s.players), uint16_t(0));
    }
    if (s.division >= Divisions()) s.division = 0;
    FillTitle();
    s.available = 0;
    if (DivisionEleven_InWindow(Country(), HVW_GetCurrentDay())) {
        HVW_BuildBestEleven(s.kind, s.division);
        s.available = 1;
        for (int slot = 0; slot < kElevenSlots; ++slot) {
            s.players[slot] = BestEleven[slot].player;
            if (!IsValidPlayer(s.players[slot])) s.available = 0;
        }
    }
    g_buttons = kButtonLayouts[Divisions()];
    FillButtons();
    FillSlots();
}

int32_t DivisionEleven_ChooseKind(int16_t kind) {
    if (kind < 0 || kind >= kElevenKinds) return MENU_CONTINUE;
    DivisionEleven.kind = kind;
    return MENU_REDRAW;
}

int32_t DivisionEleven_ChooseDivisionAndKind(int16_t division, int16_t kind) {
    if (division < 0 || division >= Divisions() || (kind != 0 && kind != 2)) return MENU_CONTINUE;
    DivisionEleven.division = division;
    DivisionEleven.kind = kind;
    return MENU_REDRAW;
}

const char* DivisionElevenName(int slot) { return slot >= 0 && slot < kElevenSlots ? g_names[slot] : ""; }
int16_t DivisionElevenMessage() { return g_message; }

const MenuItem DivisionElevenTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(DivisionElevenScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 320, 45, JUSTIFY_CENTRE_TOP, 0, &g_titleText, nullptr},
    {MI_CUSTOM, kPitchLeft, kPitchTop, kPitchWidth, kPitchHeight, MenuFunction(DrawPitch), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 0, 0, 1, 0, kSlots, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_VAR, 320, 255, JUSTIFY_CENTRE_MIDDLE, 0, &g_message, nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_buttons, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), BackToClub},
    kMenuEnd,
};
