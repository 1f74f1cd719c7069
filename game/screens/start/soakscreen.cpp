#include "game/screens/start/soakscreen.h"

#include <algorithm>

#include "core/query/competitionnames.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/cuprounds.h"
#include "core/season/fixtures.h"
#include "core/season/services.h"
#include "core/season/soak.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/screens/start/msgtester.h"

int16_t SoakStopDay = 0;
int16_t SoakStopSeason = -1;
uint8_t SoakStopKind = 0;
uint8_t FixingOn = 0;
int16_t FixHomeGoals = -1;
int16_t FixAwayGoals = -1;

namespace {

constexpr int16_t kFirstCalendarYear = 2002;
constexpr int kJuly = 6;
constexpr int kSeasonFirstDayOfMonth = 13;
constexpr int kMostDaysInSeason = 366;
constexpr int16_t kWeekdayTexts = 2;           // + weekday, 0 = Saturday
constexpr int16_t kMonthTexts = 9;             // + month, 0 = January
constexpr int16_t kNoFixturesLeftText = 5316;  // the first of the four "why none" texts
constexpr int16_t kWeekText = 5349, kWeeksText = 5350, kMatchText = 5351, kMatchesText = 5352;
constexpr int16_t kSoakOffText = 5347, kFixingOffText = 5354;
constexpr int16_t kNoNumber = -32768;
constexpr int16_t kColourOff = 10, kColourOn = 0, kColourChosen = 1;
constexpr int16_t kMostFixedGoals = 2;

enum StopKind : uint8_t { kUntilDate, kToMatchday, kToCupMatch, kForWeeks, kForMatches };
// The five stop rows from the top, by the kind each chooses.
constexpr uint8_t kRowKinds[5] = {kUntilDate, kForWeeks, kForMatches, kToMatchday, kToCupMatch};

// A day of a season.
struct SeasonDay {
    int16_t season, day;
};

SeasonDay Today() { return {SeasonCalendar.season, SeasonCalendar.currentDay}; }

// Moves a day by n days, across season ends both ways, each season with
// its own length; false (and nothing moved) before the first season.
bool MoveDays(SeasonDay* at, int n) {
    int season = at->season, day = at->day + n;
    while (day >= SoakSeasonLength(int16_t(season))) day -= SoakSeasonLength(int16_t(season++));
    while (day < 0) {
        if (--season < 0) return false;
        day += SoakSeasonLength(int16_t(season));
    }
    *at = {int16_t(season), int16_t(day)};
    return true;
}

// Days from a to b (negative when b is earlier).
int DaysBetween(SeasonDay a, SeasonDay b) {
    int days = b.day - a.day;
    for (int s = a.season; s < b.season; ++s) days += SoakSeasonLength(int16_t(s));
    for (int s = b.season; s < a.season; ++s) days -= SoakSeasonLength(int16_t(s));
    return days;
}

struct Date {
    int16_t weekday, dayOfMonth, month, year;
};

// The year the date routines take for a season's days: as the calendar
// passes the current year, the season's first year while it stands in July
// to December and its second from January to June.
int16_t ConversionYear(int16_t season) {
    return int16_t(kFirstCalendarYear + season + (SeasonCalendar.month < kJuly ? 1 : 0));
}

// The calendar date of a season day; day 0 of season 0 is Saturday 13 July
// 2002, weekday 0.
Date DateOf(SeasonDay at) {
    int16_t dayOfMonth = 0, month = 0, weekday = 0;
    HVW_DayNumberToDate(at.day, &dayOfMonth, &month, &weekday, ConversionYear(at.season));
    --month;  // given 1-12
    const bool secondYear = month < kJuly || (month == kJuly && dayOfMonth < kSeasonFirstDayOfMonth);
    return {weekday, dayOfMonth, month, int16_t(kFirstCalendarYear + at.season + (secondYear ? 1 : 0))};
}

// The season day of a calendar date; false for a date that cannot be (the
// 29th of February among them), one the conversion does not bring back, or
// one before the first season.
bool SeasonDayOf(int dayOfMonth, int month, int year, SeasonDay* at) {
    const bool secondHalf = month < kJuly || (month == kJuly && dayOfMonth < kSeasonFirstDayOfMonth);
    const int season = year - kFirstCalendarYear - (secondHalf ? 1 : 0);
    if (season < 0) return false;
    const int16_t day =
        HVW_DateToDayNumber(int16_t(dayOfMonth), int16_t(month), ConversionYear(int16_t(season)));
    if (day < 0) return false;
    *at = {int16_t(season), day};
    return true;
}

int16_t UserClub() { return HVW_GetMyClub(); }

// One of the user's club matches: any club fixture of his but the
// national-team days and the reserve league.
bool IsUserMatch(int slot, int16_t club) {
    return club >= 0 && FixtureType(slot) < kCompNationalTeam && IsFixtureOfClub(slot, club);
}

// The n-th (from 1) of the user's matches after today that the test
// accepts; -1 when he has fewer.
template <typename Accept>
int16_t UserMatchAfterToday(int n, Accept accept) {
    const int16_t club = UserClub();
    const int today = SeasonCalendar.currentDay;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) <= today || !IsUserMatch(slot, club) || !accept(slot)) continue;
        if (--n == 0) return int16_t(slot);
    }
    return -1;
}

bool AnyMatch(int) { return true; }
bool CupMatch(int slot) { return HVW_GetCupIndex(FixtureType(slot)) != -2; }

// The screen's state besides the stop point: the counts, the fixture the
// match-day or cup choice took, and what the items show.
struct Shown {
    int16_t weeks = 0, matches = 0, chosenFixture = -1;
    Date date{};
    int16_t weekdayText = -1, monthText = -1, dayOfMonth = kNoNumber, year = kNoNumber;
    int16_t weekWord = kWeeksText, matchWord = kMatchesText;
    int16_t rowColour[5] = {};
    int16_t matchdayHome = -1, matchdayVersus = -1, matchdayAway = -1, cupRound = -1;
    int16_t fixFixture = -1, fixHome = -1, fixAway = -1, fixHomeGoals = kNoNumber, fixAwayGoals = kNoNumber;
    int16_t fixColour = kColourOff;
    int16_t soakText = kSoakOffText, fixingText = kFixingOffText;
};
Shown g;

struct CupRow {
    const char* name;
    int16_t weekdayText, dayOfMonth, monthText, roundText;
};
CupRow g_cupRows[kSoakCupRows];

SeasonDay Stop() { return {SoakStopSeason, SoakStopDay}; }
void SetStop(SeasonDay at) {
    SoakStopSeason = at.season;
    SoakStopDay = at.day;
}

int16_t CountMatchesToStop() {
    const SeasonDay today = Today();
    return SoakScreen_CountMatches(today.day, today.season, SoakStopDay, SoakStopSeason);
}

// After the stop point moved by date: whole weeks and matches to it.
void FollowStop() {
    g.weeks = int16_t(std::max(0, DaysBetween(Today(), Stop()) / 7));
    g.matches = CountMatchesToStop();
}

// +1 for the first mouse button, -1 for the second, 0 for neither.
int PressStep() {
    const int32_t buttons = GetMenuButtons();
    if (buttons == MENU_NOT_READY) return 0;
    if ((buttons & 1) != 0) return 1;
    if ((buttons & 2) != 0) return -1;
    return 0;
}

int16_t TextOfClub(int16_t club) {
    return club >= 0 && club < kClubCount ? int16_t(TEXT_ID_CLUB_BASE + club) : -1;
}

// A row is labelled with its cup slot's name, as the honours pages name
// it: a fixture's competition name calls the Champions' Cup's qualifying
// rounds "Champions' Cup" too (the round says which), so two rows would
// read alike. The European slots take the first country's names, as their
// rules do.
const char* CupRowName(int cup, int16_t country) {
    const char* name = HVW_GetCupRoundEntry(int16_t(cup), cup < kFirstEuropeanCup ? country : int16_t(0));
    return name != nullptr ? name : "";
}

void FillCupRows() {
    const int16_t country = HVW_GetViewedCountry();
    for (int row = 0; row < kSoakCupRows; ++row) {
        CupRow& r = g_cupRows[row];
        int16_t legText = -1;
        r = {CupRowName(row, country), -1, kNoNumber, -1, -1};
        const int16_t slot = FindNextCompetitionFixture(GetCupFirstCode(int16_t(row)));
        if (slot >= 0) {
            const Date date = DateOf({SeasonCalendar.season, int16_t(FixtureDay(slot))});
            r.weekdayText = int16_t(kWeekdayTexts + date.weekday);
            r.dayOfMonth = date.dayOfMonth;
            r.monthText = int16_t(kMonthTexts + date.month);
            HVW_GetCompRoundText(FixtureType(slot), &r.roundText, &legText, country);
        } else if (slot >= -5 && slot <= -2) {
            // Why there is none, in place of the date.
            r.weekdayText = int16_t(kNoFixturesLeftText + slot + 5);
        }
    }
}

void FillShown() {
    g.date = DateOf(Stop());
    g.weekdayText = int16_t(kWeekdayTexts + g.date.weekday);
    g.dayOfMonth = g.date.dayOfMonth;
    g.monthText = int16_t(kMonthTexts + g.date.month);
    g.year = g.date.year;
    g.weekWord = g.weeks == 1 ? kWeekText : kWeeksText;
    g.matchWord = g.matches == 1 ? kMatchText : kMatchesText;
    for (int row = 0; row < 5; ++row) {
        g.rowColour[row] = SoakMode == 0                    ? kColourOff
                           : kRowKinds[row] == SoakStopKind ? kColourChosen
                                                            : kColourOn;
    }
    const bool chosen = g.chosenFixture >= 0 && g.chosenFixture < kFixtureSlots;
    const bool matchday = chosen && SoakStopKind == kToMatchday;
    g.matchdayHome = matchday ? TextOfClub(FixtureHome(g.chosenFixture)) : int16_t(-1);
    g.matchdayAway = matchday ? TextOfClub(FixtureAway(g.chosenFixture)) : int16_t(-1);
    g.matchdayVersus = matchday ? kTextVersus : int16_t(-1);
    g.cupRound = -1;
    if (chosen && SoakStopKind == kToCupMatch) {
        int16_t legText = -1;
        HVW_GetCompRoundText(FixtureType(g.chosenFixture), &g.cupRound, &legText, HVW_GetViewedCountry());
    }

    // The fix is for his first match from today that is still to be played.
    g.fixFixture = -1;
    const int16_t club = UserClub();
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot) && g.fixFixture < 0; ++slot) {
        if (FixtureDay(slot) >= SeasonCalendar.currentDay && IsUserMatch(slot, club) &&
            !IsFixturePlayed(slot))
            g.fixFixture = int16_t(slot);
    }
    const bool fix = g.fixFixture >= 0;
    g.fixHome = fix ? TextOfClub(FixtureHome(g.fixFixture)) : int16_t(-1);
    g.fixAway = fix ? TextOfClub(FixtureAway(g.fixFixture)) : int16_t(-1);
    g.fixHomeGoals = fix ? std::max<int16_t>(0, FixHomeGoals) : kNoNumber;
    g.fixAwayGoals = fix ? std::max<int16_t>(0, FixAwayGoals) : kNoNumber;
    g.fixColour = FixingOn != 0 ? kColourOn : kColourOff;
    g.soakText = int16_t(kSoakOffText + (SoakMode != 0 ? 1 : 0));
    g.fixingText = int16_t(kFixingOffText + (FixingOn != 0 ? 1 : 0));
}

// A new stop date from the date fields; a date the conversion refuses
// leaves the stop where it was.
int32_t MoveToDate(int dayOfMonth, int month, int year) {
    SeasonDay at{};
    if (!SeasonDayOf(dayOfMonth, month, year, &at)) return MENU_CONTINUE;
    SetStop(at);
    SoakStopKind = kUntilDate;
    FollowStop();
    return MENU_REDRAW;
}

int32_t CycleGoals(int16_t* goals) {
    const int step = PressStep();
    if (step == 0) return MENU_CONTINUE;
    FixingOn = 1;
    if (FixHomeGoals < 0 || FixAwayGoals < 0) FixHomeGoals = FixAwayGoals = 0;
    *goals = int16_t((*goals + step + kMostFixedGoals + 1) % (kMostFixedGoals + 1));
    return MENU_REDRAW;
}

int32_t GoTo(int16_t screen) {
    MenuOption = screen;
    return MENU_CLOSE;
}

int32_t ToMoney(MenuHotItem*) { return GoTo(kScreenWeeklyMoney); }
int32_t ToSquads(MenuHotItem*) { return GoTo(kScreenSquads); }
int32_t ToPickTeam(MenuHotItem*) { return GoTo(kScreenPickTeam); }

int32_t OpenClubSummary(PopupCallBlock*) { return GoTo(kScreenClubSummary); }

// The message tester runs over the screen, opened by the screen's next
// walk once the list is closed; leaving it comes back here.
bool g_testerWanted = false;
int32_t OpenMessageTest(PopupCallBlock*) {
    g_testerWanted = true;
    return MENU_REDRAW;
}

PopupEntry g_testsPopup[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(447), nullptr, nullptr},
    {POPUP_STRING, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, "Club Summary", OpenClubSummary, nullptr},
    {POPUP_STRING, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, "Message Test", OpenMessageTest, nullptr},
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

constexpr int16_t kCupRowStride = sizeof(CupRow);
const MenuItem kCupRow[] = {
    {MI_STRING_VAR, 0, 0, 5, kCupRowStride, &g_cupRows[0].name, nullptr},
    {MI_TEXT_VAR, 200, 0, 5, kCupRowStride, &g_cupRows[0].weekdayText, nullptr},
    {MI_NUMBER_I16, 300, 0, 7, kCupRowStride, &g_cupRows[0].dayOfMonth, nullptr},
    {MI_TEXT_VAR, 310, 0, 5, kCupRowStride, &g_cupRows[0].monthText, nullptr},
    {MI_TEXT_VAR, 420, 0, 5, kCupRowStride, &g_cupRows[0].roundText, nullptr},
    kMenuEnd,
};

}  // namespace

void DrawTestPanel(int x, int y, int w, int h) {
    const uint16_t kept = DrawColour;
    SetDrawParam(2, 8484);
    DrawShadedRect(x, y, w, h, 70);
    SetDrawParam(2, 0);
    DrawBox(x, y, w, h);
    SetDrawParam(2, kept);
}

void SoakScreen_DrawPanels(int, int, int, int) {
    DrawTestPanel(15, 60, 610, 120);
    DrawTestPanel(15, 290, 610, 110);
}

int16_t SoakSeasonLength(int16_t season) {
    // The season's February is in its second calendar year.
    return DaysInYear(int16_t(kFirstCalendarYear + season + 1));
}

void SoakScreen_Reset() {
    SoakStopDay = 0;
    SoakStopSeason = -1;
    SoakStopKind = kUntilDate;
    FixingOn = 0;
    FixHomeGoals = FixAwayGoals = -1;
    g = Shown{};
}

int16_t SoakScreen_CountMatches(int16_t startDay, int16_t startSeason, int16_t endDay, int16_t endSeason) {
    if (startSeason > endSeason) return 0;
    const int16_t club = UserClub();
    const int end = endSeason > startSeason ? 366 : endDay;
    int16_t count = 0;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int day = FixtureDay(slot);
        if (day > startDay && day < end && IsUserMatch(slot, club)) ++count;
    }
    return count;
}

void SoakScreenMenuProc() {
    if (IsMenuFirstEntry() == 1) {
        if (SoakStopSeason < 0) {
            SeasonDay stop = Today();
            MoveDays(&stop, 2);
            SetStop(stop);
            g.weeks = g.matches = 0;
            g.chosenFixture = -1;
            SoakStopKind = kUntilDate;
        }
        if (FixingOn == 0) FixHomeGoals = FixAwayGoals = -1;
    }
    FillCupRows();
    FillShown();
    if (g_testerWanted) {
        g_testerWanted = false;
        PushItemTable(MsgTestTable);
    }
}

int32_t SoakScreen_ChangeDay(MenuHotItem*) {
    const int step = PressStep();
    if (step == 0) return MENU_CONTINUE;
    // A day whose date the conversion refuses is stepped over.
    SeasonDay stop = Stop();
    for (int tries = 0; tries < kMostDaysInSeason && MoveDays(&stop, step); ++tries) {
        const Date date = DateOf(stop);
        if (MoveToDate(date.dayOfMonth, date.month, date.year) == MENU_REDRAW) return MENU_REDRAW;
    }
    return MENU_CONTINUE;
}

int32_t SoakScreen_ChangeMonth(MenuHotItem*) {
    const int step = PressStep();
    if (step == 0) return MENU_CONTINUE;
    const Date date = DateOf(Stop());
    const int months = date.year * 12 + date.month + step;
    return MoveToDate(date.dayOfMonth, months % 12, months / 12);
}

int32_t SoakScreen_ChangeYear(MenuHotItem*) {
    const int step = PressStep();
    if (step == 0) return MENU_CONTINUE;
    const Date date = DateOf(Stop());
    return MoveToDate(date.dayOfMonth, date.month, date.year + step);
}

int32_t SoakScreen_ChangeWeeks(MenuHotItem*) {
    const int step = PressStep();
    if (step == 0 || (step < 0 && g.weeks <= 1)) return MENU_CONTINUE;
    SeasonDay stop = Stop();
    if (!MoveDays(&stop, 7 * step)) return MENU_CONTINUE;
    SetStop(stop);
    g.weeks = int16_t(g.weeks + step);
    g.matches = CountMatchesToStop();
    SoakStopKind = kForWeeks;
    return MENU_REDRAW;
}

int32_t SoakScreen_ChangeMatches(MenuHotItem*) {
    const int step = PressStep();
    if (step == 0 || (step < 0 && g.matches <= 1)) return MENU_CONTINUE;
    g.matches = int16_t(g.matches + step);
    // More matches than he has left: only the count changes.
    const int16_t slot = UserMatchAfterToday(g.matches, AnyMatch);
    if (slot < 0) return MENU_REDRAW;
    SetStop({SeasonCalendar.season, int16_t(FixtureDay(slot))});
    g.weeks = int16_t(std::max(0, DaysBetween(Today(), Stop()) / 7));
    SoakStopKind = kForMatches;
    return MENU_REDRAW;
}

int32_t SoakScreen_ToMatchday(MenuHotItem*) {
    const int16_t slot = UserMatchAfterToday(1, AnyMatch);
    if (slot < 0) return MENU_CONTINUE;
    SetStop({SeasonCalendar.season, int16_t(FixtureDay(slot))});
    FollowStop();
    g.chosenFixture = slot;
    SoakStopKind = kToMatchday;
    return MENU_REDRAW;
}

int32_t SoakScreen_ToCupMatch(MenuHotItem*) {
    const int16_t slot = UserMatchAfterToday(1, CupMatch);
    if (slot < 0) return MENU_CONTINUE;
    SetStop({SeasonCalendar.season, int16_t(FixtureDay(slot))});
    FollowStop();
    g.chosenFixture = slot;
    SoakStopKind = kToCupMatch;
    return MENU_REDRAW;
}

int32_t SoakScreen_CycleHomeGoals(MenuHotItem*) { return CycleGoals(&FixHomeGoals); }
int32_t SoakScreen_CycleAwayGoals(MenuHotItem*) { return CycleGoals(&FixAwayGoals); }

int32_t SoakScreen_ToggleFixing(MenuHotItem*) {
    FixingOn = FixingOn != 0 ? 0 : 1;
    return MENU_REDRAW;
}

int32_t SoakScreen_ToggleSoak(MenuHotItem*) {
    SoakMode = SoakMode != 0 ? 0 : 1;
    return MENU_REDRAW;
}

int32_t SoakScreen_Exit(MenuHotItem*) {
    MenuOption = PreviousMenuOption == kScreenClubFixtures ? kScreenClubFixtures : kScreenClubMain;
    if (SoakMode != 0) {
        SoakStopPointDay = SoakStopDay;
        SoakStopPointSeason = SoakStopSeason;
    }
    if (FixingOn == 0) FixHomeGoals = FixAwayGoals = -1;
    return MENU_CLOSE;
}

SoakScreenView SoakScreenShown() {
    SoakScreenView view{g.date.weekday, g.date.dayOfMonth, g.date.month, g.date.year, g.weeks,
                        g.matches,      g.chosenFixture,   g.fixFixture, {}};
    for (int row = 0; row < kSoakCupRows; ++row) {
        const CupRow& r = g_cupRows[row];
        view.cupRowText[row] = r.roundText >= 0 ? r.roundText : r.weekdayText;
    }
    return view;
}

const MenuItem SoakScreenTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(SoakScreenMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(SoakScreen_DrawPanels), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_GROUP, 30, 70, kSoakCupRows, 14, kCupRow, nullptr},

    // The fix of his next match.
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g.fixColour, nullptr},
    {MI_TEXT_VAR, 30, 250, 5, 0, &g.fixHome, nullptr},
    {MI_NUMBER_I16, 220, 250, 7, 0, &g.fixHomeGoals, SoakScreen_CycleHomeGoals},
    {MI_TEXT_VAR, 250, 250, 5, 0, &g.fixAway, nullptr},
    {MI_NUMBER_I16, 450, 250, 7, 0, &g.fixAwayGoals, SoakScreen_CycleAwayGoals},
    {MI_BUTTON_TEXT_VAR, 500, 250, 90, 30, &g.fixingText, SoakScreen_ToggleFixing},

    // The five ways to the stop point.
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g.rowColour[0], nullptr},
    {MI_TEXT, 30, 300, 5, 0, MenuValue(5344), nullptr},
    {MI_TEXT_VAR, 150, 300, 5, 0, &g.weekdayText, SoakScreen_ChangeDay},
    {MI_NUMBER_I16, 260, 300, 7, 0, &g.dayOfMonth, SoakScreen_ChangeDay},
    {MI_TEXT_VAR, 270, 300, 5, 0, &g.monthText, SoakScreen_ChangeMonth},
    {MI_NUMBER_I16, 420, 300, 7, 0, &g.year, SoakScreen_ChangeYear},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g.rowColour[1], nullptr},
    {MI_TEXT, 30, 316, 5, 0, MenuValue(5345), nullptr},
    {MI_NUMBER_I16, 150, 316, 7, 0, &g.weeks, nullptr},
    {MI_TEXT_VAR, 160, 316, 5, 0, &g.weekWord, nullptr},
    {MI_HOT_RECT, 100, 318, 110, 14, nullptr, SoakScreen_ChangeWeeks},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g.rowColour[2], nullptr},
    {MI_TEXT, 30, 332, 5, 0, MenuValue(5345), nullptr},
    {MI_NUMBER_I16, 150, 332, 7, 0, &g.matches, nullptr},
    {MI_TEXT_VAR, 160, 332, 5, 0, &g.matchWord, nullptr},
    {MI_HOT_RECT, 100, 334, 110, 14, nullptr, SoakScreen_ChangeMatches},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g.rowColour[3], nullptr},
    {MI_TEXT, 30, 348, 5, 0, MenuValue(5353), SoakScreen_ToMatchday},
    {MI_TEXT_VAR, 250, 348, 5, 0, &g.matchdayHome, nullptr},
    {MI_TEXT_VAR, 420, 348, 6, 0, &g.matchdayVersus, nullptr},
    {MI_TEXT_VAR, 440, 348, 5, 0, &g.matchdayAway, nullptr},
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g.rowColour[4], nullptr},
    {MI_TEXT, 30, 364, 5, 0, MenuValue(5346), SoakScreen_ToCupMatch},
    {MI_TEXT_VAR, 250, 364, 5, 0, &g.cupRound, nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},

    {MI_BUTTON_TEXT, 30, 440, 96, 30, MenuValue(5327), ToMoney},
    {MI_BUTTON_TEXT, 124, 440, 96, 30, MenuValue(5328), ToSquads},
    {MI_BUTTON_TEXT, 218, 440, 96, 30, MenuValue(5329), ToPickTeam},
    {MI_BUTTON_TEXT_VAR, 312, 440, 96, 30, &g.soakText, SoakScreen_ToggleSoak},
    {MI_BUTTON_TEXT, 408, 440, 96, 30, MenuValue(447), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_testsPopup, nullptr},
    {MI_HOT_RECT, 570, 436, 40, 40, nullptr, SoakScreen_Exit},
    {MI_ICON, 590, 456, 10, 0, MenuValue(153), SoakScreen_Exit},
    kMenuEnd,
};
