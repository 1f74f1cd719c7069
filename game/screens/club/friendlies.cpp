#include "game/screens/club/friendlies.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "core/base/random.h"
#include "core/query/clubscreens.h"
#include "core/query/forwarders.h"
#include "core/query/friendlydays.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/fixtures.h"
#include "game/screens/club/friendlytours.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/textfill.h"

namespace {

constexpr int16_t kFreeText = 168;
constexpr int16_t kQuestionText = 976;
constexpr int16_t kPageDays = 21;
// A club plays no friendly within two days before or three after another
// fixture.
constexpr int16_t kFreeBefore = 2, kFreeAfter = 3;
constexpr int16_t kHighlighted = 8;
constexpr int32_t kAnswerYes = 0;
constexpr int kDivisionRows = kDivisionCount;

int16_t g_startDay = 0;
int16_t g_chosenDay = kNoFriendlyDay;
int16_t g_divisionFilter = 0;
uint16_t g_homeFlags[kClubCount];
bool g_candidate[kClubCount];
int16_t g_shownClubs[kFriendlyClubRows];

FriendlyDayRow g_dayRows[kFriendlyDayRows];
char g_clubText[40] = "";
const char* g_clubName = g_clubText;
const char* g_divisionButton = "";
const char* g_divisionNames[kDivisionRows];
PopupEntry g_divisionPopup[kDivisionRows + 2];

int16_t Club() { return int16_t(SelectedClub); }

int16_t Country() {
    const int16_t country = HVW_GetViewedCountry();
    return IsCountryNumber(country) ? country : int16_t(0);
}

int16_t LeagueStartDay() { return HVW_GetCompNextRoundDay(Country()); }

bool OtherClubOffered(int16_t club) {
    return club != Club() && GetClubNation(club) == uint16_t(Country()) && GetClubRep(club) > 0;
}

// The candidates: clubs of the viewed country with a reputation, other than
// the selected club, with no fixture from two days before the day to three
// after it.
void FindCandidates(int16_t day) {
    bool busy[kClubCount] = {};
    HVW_MarkClubsBusyBetween(int16_t(day - kFreeBefore), int16_t(day + kFreeAfter), busy);
    for (int16_t club = 0; club < kClubCount; ++club)
        g_candidate[club] = !busy[club] && OtherClubOffered(club);
}

void ClearCandidates() { std::fill(std::begin(g_candidate), std::end(g_candidate), false); }

void BuildDayRows() {
    const int16_t weekday = HVW_GetCalendarWeekday();
    // The date query counts from the calendar's own year: the season's first
    // year, read as that while the calendar stands in January to June,
    // would give those months the February of the year before.
    const int16_t year = HVW_GetCalendarYear();
    for (int i = 0; i < kFriendlyDayRows; ++i) {
        FriendlyDayRow& row = g_dayRows[i];
        row.day = int16_t(g_startDay + 1 + i);
        // The start day is today plus whole weeks, so the weekday runs on
        // from today's.
        row.weekdayText = int16_t(kTextFirstWeekday + (weekday + row.day - g_startDay) % 7);
        int16_t dayOfWeek = 0;
        HVW_DayNumberToDate(row.day, &row.dayOfMonth, &row.month, &dayOfWeek, year);
        const int16_t slot = HVW_FindCompetitiveOrFriendlyOnDay(Club(), row.day);
        const int16_t opponent = HVW_GetClubOpponentInSlot(slot, Club());
        if (slot >= 0 && IsClubNumber(opponent)) {
            row.taken = 1;
            row.competition = HVW_GetFixtureCompetition(slot);
            row.opponentText = HVW_ClubTextId(opponent);
        } else {
            row.taken = 0;
            row.competition = -1;
            row.opponentText = kFreeText;
        }
    }
}

void BuildShownClubs() {
    std::fill(std::begin(g_shownClubs), std::end(g_shownClubs), int16_t(-1));
    if (g_chosenDay == kNoFriendlyDay) return;
    int shown = 0;
    for (int16_t club = 0; club < kClubCount && shown < kFriendlyClubRows; ++club) {
        if (!g_candidate[club] || club == Club()) continue;
        if (GetClubDivision(club) != uint16_t(g_divisionFilter)) continue;
        g_shownClubs[shown++] = club;
    }
}

int32_t PickDivisionEntry(PopupCallBlock* call) { return Friendlies_PickDivision(int16_t(call->row)); }

void BuildDivisionPopup() {
    const int16_t divisions = std::clamp<int16_t>(HVW_CountDivisions(Country()), 0, kDivisionRows);
    g_divisionPopup[0] = {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr};
    for (int k = 0; k < divisions; ++k) {
        const char* name = HVW_GetDivisionName(int16_t(k), Country());
        g_divisionNames[k] = name != nullptr ? name : "";
        g_divisionPopup[k + 1] = {POPUP_STRING_VARIABLE, POPUP_SELECTABLE,  0,      0, 0, 0, nullptr,
                                  &g_divisionNames[k],   PickDivisionEntry, nullptr};
    }
    g_divisionPopup[divisions + 1] = {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
    const char* shown = HVW_GetDivisionName(g_divisionFilter, Country());
    g_divisionButton = shown != nullptr ? shown : "";
}

void EnterScreen() {
    SetMenuTitleDate(11);
    g_startDay = HVW_GetCurrentDay();
    g_chosenDay = kNoFriendlyDay;
    g_divisionFilter = 0;
    ClearCandidates();
    // Who plays at home is drawn afresh on every visit.
    for (uint16_t& flag : g_homeFlags) flag = uint16_t(GameRandom() % 2);
}

// ---- Painters --------------------------------------------------------------

void DrawLabelButton(int x, int y, int w, int h, const char* label, bool highlighted) {
    const uint16_t colour = DrawColour;
    const int32_t style = ButtonStyle;
    SetDrawParam(4, 0);
    SetDrawParam(2, 0x5AD4);
    DoButton(x, y, w, h);
    SetDrawParam(1, highlighted ? kHighlighted : 0);
    DrawTextAddrAt(x + w / 2, y + h / 2, label, JUSTIFY_CENTRE_MIDDLE);
    SetDrawParam(1, 0);
    SetDrawParam(2, colour);
    SetDrawParam(4, style);
}

void PaintDayRow(int x, int y, int w, int h) {
    const int row = MenuPaintRow();
    if (row < 0 || row >= kFriendlyDayRows) return;
    DrawRowShade(x, y, w, h);
    const FriendlyDayRow& day = g_dayRows[row];
    const bool chosen = day.day == g_chosenDay;
    SetDrawParam(1, chosen ? kHighlighted : 0);
    const int left = x + 10, middle = y + h / 2;
    DrawTextNoAt(left + 5, middle, day.weekdayText, JUSTIFY_LEFT_MIDDLE);
    DrawNumberAt(left + 55, middle, day.dayOfMonth, JUSTIFY_RIGHT_MIDDLE);
    DrawTextNoAt(left + 63, middle, 101, JUSTIFY_CENTRE_MIDDLE);
    DrawNumberAt(left + 66, middle, day.month, JUSTIFY_LEFT_MIDDLE);
    SetDrawParam(1, 0);
    DrawLabelButton(left + 90, y + 1, 200, h - 2, GetText(day.opponentText), chosen);
}

void PaintClubRow(int x, int y, int w, int h) {
    const int row = MenuPaintRow();
    if (row < 0 || row >= kFriendlyClubRows) return;
    DrawRowShade(x, y, w, h);
    const int16_t club = g_shownClubs[row];
    if (club < 0) return;
    const int middle = y + h / 2;
    SetDrawParam(1, 0);
    DrawTextNoAt(x + 15, middle, int16_t(kTextHome + g_homeFlags[club]), JUSTIFY_CENTRE_MIDDLE);
    DrawTextAddrAt(x + 30, middle, HVW_GetClubName(club), JUSTIFY_LEFT_MIDDLE);
}

// ---- Handlers --------------------------------------------------------------

int32_t DayRowClicked(MenuHotItem* item) { return Friendlies_PickDay(item->row); }
int32_t ClubRowClicked(MenuHotItem* item) { return Friendlies_Offer(item->row); }

int32_t Back(MenuHotItem*) {
    MenuOption = kScreenClubMain;
    return MENU_CLOSE;
}

// The other club asked again as the table stands now: a friendly he was
// given since the day was picked would otherwise be deleted by the booking.
bool RefusedBooking(int16_t other, int16_t day) {
    const int16_t first = int16_t(day - kFreeBefore), last = int16_t(day + kFreeAfter);
    return HVW_IsClubFreeBetween(other, first, last) == 0;
}

const MenuItem kDayRow[] = {
    {MI_CUSTOM, -10, 0, 340, 20, MenuFunction(PaintDayRow), nullptr},
    {MI_HOT_RECT, 90, 1, 200, 18, nullptr, DayRowClicked},
    kMenuEnd,
};

const MenuItem kClubRow[] = {
    {MI_CUSTOM, -10, 0, 340, 20, MenuFunction(PaintClubRow), nullptr},
    {MI_HOT_RECT, 0, 1, 200, 18, nullptr, ClubRowClicked},
    kMenuEnd,
};

}  // namespace

void ClubListMenu() {
    if (IsMenuFirstEntry() == 1) EnterScreen();
    // The name lookup answers in a shared buffer: the title keeps a copy.
    std::snprintf(g_clubText, sizeof g_clubText, "%s", IsClubNumber(Club()) ? HVW_GetClubName(Club()) : "");
    BuildDivisionPopup();
    BuildDayRows();
    BuildShownClubs();
}

int32_t Friendlies_PickDay(int row) {
    if (row < 0 || row >= kFriendlyDayRows) return MENU_CONTINUE;
    const FriendlyDayRow& day = g_dayRows[row];
    ClearCandidates();
    // A day taken by a competitive fixture cannot be chosen: the chosen day
    // stays, its list emptied.
    if (day.taken == 1 && day.competition != kCompFriendly) return MENU_REDRAW;
    g_chosenDay = day.day;
    FindCandidates(day.day);
    return MENU_REDRAW;
}

int32_t Friendlies_Offer(int row) {
    if (row < 0 || row >= kFriendlyClubRows || g_chosenDay == kNoFriendlyDay) return MENU_CONTINUE;
    const int16_t other = g_shownClubs[row];
    if (!IsClubNumber(other) || !IsClubNumber(Club())) return MENU_CONTINUE;
    if (HVW_FindCompetitiveOrFriendlyOnDay(Club(), g_chosenDay) != -1) return MENU_CONTINUE;
    char question[300];
    FillTextSlots(question, sizeof question, GetText(kQuestionText), {HVW_GetClubName(other)});
    if (ShowChoiceBox(question, 0, YesNoButtons) != kAnswerYes) return MENU_REDRAW;
    if (RefusedBooking(other, g_chosenDay)) {
        ShowMessageBox(GetText(kTextNoMoreFriendlies), 0);
        FindCandidates(g_chosenDay);
        return MENU_REDRAW;
    }
    const bool away = g_homeFlags[other] == 1;
    HVW_AddFixture(g_chosenDay, kCompFriendly, away ? other : Club(), away ? Club() : other, 0);
    FindCandidates(g_chosenDay);
    return MENU_REDRAW;
}

int32_t Friendlies_PageUp(MenuHotItem*) {
    g_startDay = std::max<int16_t>(int16_t(g_startDay - kPageDays), HVW_GetCurrentDay());
    return MENU_REDRAW;
}

int32_t Friendlies_PageDown(MenuHotItem*) {
    // The next page would start after the league's first day.
    if (g_startDay + kPageDays >= LeagueStartDay()) return MENU_REDRAW;
    g_startDay = int16_t(g_startDay + kPageDays);
    return MENU_REDRAW;
}

int32_t Friendlies_PickDivision(int16_t divisionRow) {
    if (divisionRow < 0 || divisionRow >= HVW_CountDivisions(Country())) return MENU_REDRAW;
    g_divisionFilter = divisionRow;
    return MENU_REDRAW;
}

const MenuItem FriendliesTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ClubListMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, 20, 117, 340, 420, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_CUSTOM, 400, 117, 340, 420, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 80, 62, 9, 0, &g_clubName, nullptr},
    {MI_TEXT, 480, 62, 9, 0, MenuValue(701), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 30, 97, 9, 0, MenuValue(182), nullptr},
    {MI_TEXT, 410, 97, 9, 0, MenuValue(553), nullptr},
    {MI_GROUP, 30, 117, kFriendlyDayRows, 20, kDayRow, nullptr},
    {MI_GROUP, 410, 117, kFriendlyClubRows, 20, kClubRow, nullptr},
    {MI_HOT_RECT, 20, 559, 40, 14, nullptr, Friendlies_PageUp},
    {MI_HOT_RECT, 20, 573, 40, 14, nullptr, Friendlies_PageDown},
    {MI_ICON, 20, 559, 5, 0, MenuValue(154), nullptr},
    {MI_BUTTON_STRING_VAR, 399, 559, 339, 28, &g_divisionButton, MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_divisionPopup, nullptr},
    {MI_BUTTON_TEXT, 60, 559, 339, 28, MenuValue(771), MenuHandler_Redraw},
    {MI_POPUP, 0, 0, 0, 0, FriendlyTourPopup, nullptr},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), Back},
    kMenuEnd,
};

FriendlyDayRow FriendliesDayRow(int row) {
    return row >= 0 && row < kFriendlyDayRows ? g_dayRows[row] : FriendlyDayRow{};
}
int16_t FriendliesStartDay() { return g_startDay; }
int16_t FriendliesChosenDay() { return g_chosenDay; }
int16_t FriendliesShownClub(int row) { return row >= 0 && row < kFriendlyClubRows ? g_shownClubs[row] : -1; }
bool FriendliesIsCandidate(int16_t club) { return IsClubNumber(club) && g_candidate[club]; }
int16_t FriendliesHomeFlag(int16_t club) { return IsClubNumber(club) ? int16_t(g_homeFlags[club]) : -1; }
const char* FriendliesDivisionButtonText() { return g_divisionButton; }
