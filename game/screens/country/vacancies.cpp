#include "game/screens/country/vacancies.h"

#include <algorithm>
#include <cstdio>

#include "core/query/competitionnames.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/query/userdecisions.h"
#include "core/records/frontstate.h"
#include "core/records/text.h"
#include "game/screens/club/clubinfo.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menuservices.h"
#include "game/screens/engine/painting.h"

int16_t VacancyList[kClubCount];
int16_t VacancyCount = 0;
int16_t VacancyTop = 0;
int16_t VacancyCountry = 0;
uint16_t VacancyChosenClub = kNoChosenClub;
int16_t VacancyNoJob = 0;
int16_t VacancyRowsShown = 0;
int16_t VacancyRowClubs[kVacancyRows];

namespace {

constexpr int kRowTextSize = 250;
constexpr int16_t kNobodyWantsYouText = 1117;
constexpr int16_t kNoVacanciesText = 964;
// The countries whose vacancies can be looked at.
constexpr int8_t kOfferedCountries[kVacancyCountries] = {1, 1, 1, 1, 1, 1, 1, 1};

char g_names[kVacancyRows][kRowTextSize];
char g_places[kVacancyRows][kRowTextSize];
char g_forms[kVacancyRows][kRowTextSize];
const char* g_nameText[kVacancyRows];
const char* g_placeText[kVacancyRows];
const char* g_formText[kVacancyRows];
char g_countryName[kRowTextSize];
const char* g_countryNameText = g_countryName;
const char* g_buttonNames[kVacancyCountries];
int16_t g_buttonCountry[kVacancyCountries];
int16_t g_buttonColour[kVacancyCountries];
int16_t g_buttonCount = 0;
int16_t g_messageText = -1;

int32_t BackToClub(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

bool IsClub(int16_t club) { return club >= 0 && club < kClubCount; }

#define END_OF_TABLE \
    { MI_END, 0, 0, 0, 0, nullptr, nullptr }
#define COUNTRY_BUTTON(k)                                             \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_buttonColour[k], nullptr}, {  \
        8206, int16_t(80 + 82 * (k)), 545, 80, 22, &g_buttonNames[k], \
            [](MenuHotItem*) { return Vacancies_ChooseCountry(k); }   \
    }

const MenuItem kButtonsOf1[] = {COUNTRY_BUTTON(0), END_OF_TABLE};
const MenuItem kButtonsOf2[] = {COUNTRY_BUTTON(0), COUNTRY_BUTTON(1), END_OF_TABLE};
const MenuItem kButtonsOf3[] = {COUNTRY_BUTTON(0), COUNTRY_BUTTON(1), COUNTRY_BUTTON(2), END_OF_TABLE};
const MenuItem kButtonsOf4[] = {COUNTRY_BUTTON(0), COUNTRY_BUTTON(1), COUNTRY_BUTTON(2), COUNTRY_BUTTON(3),
                                END_OF_TABLE};
const MenuItem kButtonsOf5[] = {COUNTRY_BUTTON(0), COUNTRY_BUTTON(1), COUNTRY_BUTTON(2),
                                COUNTRY_BUTTON(3), COUNTRY_BUTTON(4), END_OF_TABLE};
const MenuItem kButtonsOf6[] = {COUNTRY_BUTTON(0), COUNTRY_BUTTON(1), COUNTRY_BUTTON(2), COUNTRY_BUTTON(3),
                                COUNTRY_BUTTON(4), COUNTRY_BUTTON(5), END_OF_TABLE};
const MenuItem kButtonsOf7[] = {COUNTRY_BUTTON(0), COUNTRY_BUTTON(1), COUNTRY_BUTTON(2), COUNTRY_BUTTON(3),
                                COUNTRY_BUTTON(4), COUNTRY_BUTTON(5), COUNTRY_BUTTON(6), END_OF_TABLE};
const MenuItem kButtonsOf8[] = {COUNTRY_BUTTON(0), COUNTRY_BUTTON(1), COUNTRY_BUTTON(2),
                                COUNTRY_BUTTON(3), COUNTRY_BUTTON(4), COUNTRY_BUTTON(5),
                                COUNTRY_BUTTON(6), COUNTRY_BUTTON(7), END_OF_TABLE};
const MenuItem kNoButtons[] = {END_OF_TABLE};
const MenuItem* const kButtonLayouts[kVacancyCountries + 1] = {kNoButtons,  kButtonsOf1, kButtonsOf2,
                                                               kButtonsOf3, kButtonsOf4, kButtonsOf5,
                                                               kButtonsOf6, kButtonsOf7, kButtonsOf8};
const MenuItem* g_buttons = kNoButtons;

#undef COUNTRY_BUTTON

const MenuItem kRow[] = {
    {MI_STRING_VAR, 38, 12, 9, sizeof(const char*), g_nameText, nullptr},
    {MI_HOT_RECT, 28, 0, 226, 24, MenuValue(-1), Vacancies_PickRow},
    {MI_STRING_VAR, 258, 12, 9, sizeof(const char*), g_placeText, nullptr},
    {MI_STRING_VAR, 516, 12, 9, sizeof(const char*), g_formText, nullptr},
    END_OF_TABLE,
};

void DrawBars(int, int, int, int) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 0);
    DrawShadedRect(28, 100, 744, 28, 50);
    DrawShadedRect(20, 137, 758, 40, 50);
    SetDrawParam(2, kept);
}

// The chosen club's screens are opened with the vacancy pick, handed over
// for that club.
void HandOverChosenClub() {
    SelectedClub = VacancyChosenClub;
    ClubPickedFlag = 1;
    HandClubPicksOver(int16_t(SelectedClub));
}

void SetCountry(int16_t country) {
    VacancyCountry = country;
    VacancyTop = 0;
    Vacancies_BuildList(country);
}

}  // namespace

PopupEntry VacancyClubPopup[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(791), nullptr, Vacancies_OpenPopup},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(2314), Vacancies_ClubInformation,
     nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(1213), Vacancies_ClubRecords, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(136), Vacancies_LeagueTable, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(453), Vacancies_ClubSquad, nullptr},
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

void Vacancies_BuildList(int16_t country) {
    int16_t all[kClubCount];
    const int16_t found = HVW_ListManagerVacancies(all, country);
    std::fill(std::begin(VacancyList), std::end(VacancyList), int16_t(-1));
    VacancyCount = 0;
    for (int i = 0; i < found && i < kClubCount; ++i) {
        if (IsClub(all[i]) && HVW_GetClubNation(all[i]) == country) VacancyList[VacancyCount++] = all[i];
    }
}

void Vacancies_ReleaseClub(int16_t club) {
    if (club >= 0) HVW_RemoveClubManager(club);
}

void Vacancies_SettleSackedUser() {
    const int16_t country = HVW_GetViewedCountry();
    Vacancies_BuildList(country);
    int takers = 0;
    for (int i = 0; i < VacancyCount; ++i) takers += HVW_ApplyForManagerJob(VacancyList[i], 0) == 1 ? 1 : 0;
    if (VacancyCount > 0 && takers > 0) return;
    const int16_t divisions = HVW_CountCompRounds2(country);
    int16_t best = -1;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (HVW_GetClubNation(club) != country || int16_t(GetClubDivision(club)) >= divisions) continue;
        if (HVW_GetClubReputation(club) <= 0 || HVW_ApplyForManagerJob(club, 0) == 0) continue;
        if (best < 0 || HVW_GetClubReputation(club) > HVW_GetClubReputation(best)) best = club;
    }
    if (best < 0) {
        VacancyNoJob = 1;
        ShowMessageBox(GetText(kNobodyWantsYouText), 0);
        return;
    }
    Vacancies_ReleaseClub(best);
}

void VacanciesScreenProc() {
    if (IsMenuFirstEntry() == 1) VacanciesEnter();
    VacanciesFillRows();
}

void VacanciesEnter() {
    VacancyNoJob = 0;
    VacancyTop = 0;
    VacancyChosenClub = kNoChosenClub;
    if (HVW_GetHumanSackedFlag() != 0) {
        SetMenuTitleDate(14);
        Vacancies_SettleSackedUser();
    } else {
        SetMenuTitleDate(10);
    }
    SetCountry(HVW_GetViewedCountry());
    g_buttonCount = 0;
    for (int16_t country = 0; country < kVacancyCountries; ++country) {
        if (kOfferedCountries[country] != 1) continue;
        g_buttonCountry[g_buttonCount] = country;
        g_buttonNames[g_buttonCount] = HVW_GetNationName(country);
        ++g_buttonCount;
    }
    g_buttons = kButtonLayouts[g_buttonCount];
}

void VacanciesFillRows() {
    std::snprintf(g_countryName, sizeof g_countryName, "%s", HVW_GetNationName(VacancyCountry));
    for (int k = 0; k < g_buttonCount; ++k) g_buttonColour[k] = g_buttonCountry[k] == VacancyCountry ? 8 : 0;

    VacancyRowsShown = 0;
    for (int r = 0; r < kVacancyRows; ++r) {
        g_names[r][0] = g_places[r][0] = g_forms[r][0] = '\0';
        g_nameText[r] = g_names[r];
        g_placeText[r] = g_places[r];
        g_formText[r] = g_forms[r];
        VacancyRowClubs[r] = -1;
    }
    for (int r = 0; r < kVacancyRows && VacancyTop + r < VacancyCount; ++r) {
        const int16_t club = VacancyList[VacancyTop + r];
        if (!IsClub(club) || HVW_GetClubNation(club) != VacancyCountry) continue;
        const int row = VacancyRowsShown++;
        VacancyRowClubs[row] = club;
        std::snprintf(g_names[row], kRowTextSize, "%s", HVW_GetClubName(club));
        const int32_t keptType = CurrentNumberType;
        SetDrawParam(3, NUMBER_ORDINAL);
        const char* place = Number2Str(HVW_GetClubTablePosition(club) + 1);
        char placeText[32];
        std::snprintf(placeText, sizeof placeText, "%s", place);
        SetDrawParam(3, keptType);
        const char* division =
            HVW_GetDivisionRoundEntry(int16_t(GetClubDivision(club)), HVW_GetClubNation(club));
        std::snprintf(g_places[row], kRowTextSize, "%s %s", placeText, division != nullptr ? division : "");
        const char* form = HVW_GetClubFormString(club);
        std::snprintf(g_forms[row], kRowTextSize, "%s", form != nullptr ? form : "");
    }
    SetMenuListRows(VacancyRowsShown);
    g_messageText = VacancyRowsShown == 0 ? kNoVacanciesText : int16_t(-1);
}

int32_t Vacancies_PickRow(MenuHotItem* item) {
    const int row = item != nullptr ? item->row : -1;
    if (row < 0 || row >= VacancyRowsShown || !IsClub(VacancyRowClubs[row])) return MENU_REDRAW_ALSO;
    VacancyChosenClub = uint16_t(VacancyRowClubs[row]);
    if (VacancyNoJob != 0) {
        MenuOption = kScreenStart;
        return MENU_CLOSE;
    }
    return RunSubMenu(VacancyClubPopup, -1, -1);
}

int32_t Vacancies_ScrollUp(MenuHotItem*) {
    VacancyTop = int16_t(std::max(VacancyTop - 1, 0));
    return MENU_REDRAW;
}

int32_t Vacancies_ScrollDown(MenuHotItem*) {
    if (VacancyTop + 1 + kVacancyRows <= VacancyCount) ++VacancyTop;
    return MENU_REDRAW;
}

int32_t Vacancies_ChooseCountry(int16_t button) {
    if (button < 0 || button >= g_buttonCount) return MENU_CONTINUE;
    SetCountry(g_buttonCountry[button]);
    return MENU_REDRAW_ALSO;
}

void Vacancies_OpenPopup(PopupCallBlock*) {
    if (VacancyNoJob == 0) return;
    MenuOption = kScreenStart;
    SetMenuFrameResult(MENU_CLOSE);
}

int32_t Vacancies_ClubInformation(PopupCallBlock*) {
    if (VacancyNoJob != 0) {
        MenuOption = kScreenStart;
        return MENU_CLOSE;
    }
    if (VacancyChosenClub == kNoChosenClub) return MENU_REDRAW;
    HandOverChosenClub();
    VacancyChosenClub = kNoChosenClub;
    ClubInfoPickedFlag = 1;
    MenuOption = kScreenClubInfo;
    return MENU_CLOSE;
}

int32_t Vacancies_ClubRecords(PopupCallBlock*) {
    if (VacancyChosenClub == kNoChosenClub) return MENU_REDRAW;
    HandOverChosenClub();
    MenuOption = kScreenClubRecords;
    return MENU_CLOSE;
}

int32_t Vacancies_LeagueTable(PopupCallBlock*) {
    if (VacancyChosenClub == kNoChosenClub) return MENU_REDRAW;
    HandOverChosenClub();
    PreviousMenuOption = kScreenVacancies;
    MenuOption = kScreenLeagueTable;
    return MENU_CLOSE;
}

int32_t Vacancies_ClubSquad(PopupCallBlock*) {
    if (VacancyChosenClub == kNoChosenClub) return MENU_REDRAW;
    HandOverChosenClub();
    MenuOption = kScreenSquadList;
    return MENU_CLOSE;
}

const MenuItem VacanciesTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(VacanciesScreenProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1010), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 400, 50, 10, 0, MenuValue(1690), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(DrawBars), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 400, 112, 10, 0, MenuValue(791), nullptr},
    {MI_STRING_VAR, 399, 157, 10, 0, &g_countryNameText, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_GROUP, 28, 182, 0, 24, kRow, nullptr},
    {MI_ICON, 38, 545, 5, 0, MenuValue(192), Vacancies_ScrollUp},
    {MI_ICON, 38, 570, 5, 0, MenuValue(193), Vacancies_ScrollDown},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_GROUP_VAR, 0, 0, 1, 0, &g_buttons, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT_VAR, 400, 300, 10, 0, &g_messageText, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), BackToClub},
    END_OF_TABLE,
};
