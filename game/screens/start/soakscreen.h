// The soak test screen (screen 61): where a tester prepares the game to
// play on by itself until a stop point.  The stop point is a season day
// of a season, chosen as a date, a number of weeks or of the user's
// matches from today, his next match day or his next cup match.  The
// screen also lists the next fixture of each cup, keeps a result fix for
// his next match, switches the soak on and off and leads to the money,
// squad, team and club summary screens and to the message tester.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kSoakCupRows = 7;

// The stop point chosen here: season day 0-365 of season SoakStopSeason
// (-1: none chosen yet).  It survives between visits and becomes the soak
// stop point when the screen is left with the soak on.
extern int16_t SoakStopDay;
extern int16_t SoakStopSeason;
// How it was chosen: 0 until a date, 1 to his next match day, 2 to his next
// cup match, 3 for a number of weeks, 4 for a number of matches.
extern uint8_t SoakStopKind;
// The result fix of his next match: on or off and the two scores (0-2, -1
// not set).  Kept and shown; no match reads it.
extern uint8_t FixingOn;
extern int16_t FixHomeGoals;
extern int16_t FixAwayGoals;

extern const MenuItem SoakScreenTable[];
void SoakScreenMenuProc();

// The change handlers move the stop point up with the first mouse button
// and down with the second; a press of neither is ignored.
int32_t SoakScreen_ChangeDay(MenuHotItem* item);
int32_t SoakScreen_ChangeMonth(MenuHotItem* item);
int32_t SoakScreen_ChangeYear(MenuHotItem* item);
int32_t SoakScreen_ChangeWeeks(MenuHotItem* item);
int32_t SoakScreen_ChangeMatches(MenuHotItem* item);
int32_t SoakScreen_ToMatchday(MenuHotItem* item);
int32_t SoakScreen_ToCupMatch(MenuHotItem* item);
int32_t SoakScreen_CycleHomeGoals(MenuHotItem* item);
int32_t SoakScreen_CycleAwayGoals(MenuHotItem* item);
int32_t SoakScreen_ToggleFixing(MenuHotItem* item);
int32_t SoakScreen_ToggleSoak(MenuHotItem* item);
// Back to the club fixtures when they opened the screen, else to the club
// screen; with the soak on the stop point is written for the day loop.
int32_t SoakScreen_Exit(MenuHotItem* item);

// The user's matches after the start day and before the end day (up to the
// season's end when the end lies in a later season); 0 when the start
// season is after the end season.
int16_t SoakScreen_CountMatches(int16_t startDay, int16_t startSeason, int16_t endDay, int16_t endSeason);

// The test screens' panel: shaded in colour 8484 at 70 percent, framed in
// black (a type-36 painter).
void DrawTestPanel(int x, int y, int w, int h);

// The soak screen's two panels: the cup rows' and the stop rows' (a type-36
// painter).
void SoakScreen_DrawPanels(int x, int y, int w, int h);

// Days in a season: 366 when its February has 29 days, else 365.
int16_t SoakSeasonLength(int16_t season);

// Forgets the chosen stop point, the fix and the counts (a new run).
void SoakScreen_Reset();

// What the screen shows, for tests.
struct SoakScreenView {
    int16_t weekday, dayOfMonth, month, year;  // the stop date (month 0-11)
    int16_t weeks, matches;
    int16_t chosenFixture;             // the fixture of the match day or cup match chosen, -1 none
    int16_t fixFixture;                // the fixture the result fix is for, -1 none
    int16_t cupRowText[kSoakCupRows];  // per cup: its round text, or the text that says why none
};
SoakScreenView SoakScreenShown();
