// The match statistics screen (screen 71): the user's team of his last
// match on a pitch drawing of its tactic, with a marker, shirt, name and
// counter string per position; the selected player's information row and
// the comments of the rating pass; buttons for the substitutes who came on;
// and a pop-up of seven views of the match counters, one of them the
// selected player's heat map.  Reads the kept match (game/screens/matchday/lastmatch.h).
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kStatsGridRows = 15;
constexpr int kStatsGridColumns = 18;
constexpr int16_t kStatsNoValue = -32768;

extern const MenuItem MatchStatsScreenTable[];

extern int16_t MatchStatsView;   // 0-5 or 7; 5 on entry
extern int16_t MatchStatsShirt;  // 1-16; 1 on entry and after a view change
extern int16_t MatchStatsTeam;   // the team report shown: the human manager's side
extern int16_t MatchStatsGrid[kStatsGridRows][kStatsGridColumns];
// The fixture whose score the title shows: the last fixture before today of
// SelectedClub, 0 when none.
extern int16_t LastClubFixture;

// Screen function (the results loop's statistics screen has the name
// MatchStatsMenuProc).
void MatchStats_MenuProc();
void MatchStats_DrawFormation(int x, int y, int w, int h);
void MatchStats_DrawHeatMap(int x, int y, int w, int h);
void MatchStats_DrawPanels(int x, int y, int w, int h);
void MatchStats_DrawComments(int x, int y, int w, int h);
int32_t MatchStats_PitchClick(MenuHotItem* item);
int32_t MatchStats_Continue(MenuHotItem* item);
int32_t MatchStats_ToResults(MenuHotItem* item);
int32_t MatchStats_CloseFromStats(PopupCallBlock* call);
int32_t MatchStats_CloseFromStats2(PopupCallBlock* call);
// The shirt selected by a click at (x, y): the first grid cell whose window
// holds the point; 0 when none does.
int16_t MatchStats_ShirtAt(int x, int y);
// Fills LastClubFixture for SelectedClub.
void FindLastClubFixture();

// What the screen shows, for tests.
struct MatchStatsInfoRow {
    const char* name;
    int16_t rating;
    const char* goals;
    int16_t icons[3];
    int16_t labels[6];
    int16_t values[6];
};
const MatchStatsInfoRow& MatchStats_Info();
const char* MatchStats_Title();
const char* MatchStats_CounterString(int shirt);
int MatchStats_SubCount();
int16_t MatchStats_SubShirt(int k);
// The heat map's cells as drawn: alpha in per cent per cell, 0 undrawn.
int MatchStats_HeatAlpha(int row, int column);
