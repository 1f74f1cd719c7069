// The in-match player statistics (in-game menu 2): the players of the
// viewed side as a chart of five value columns whose bars grow in when the
// view changes, six views, a switch to the other side, and a click on a
// player for his profile.  The rows, the scale rule and the chart serve the
// post-match player chart as well.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kIgStatsPlayers = 16;  // line-up entries 0..15
constexpr int kIgStatsValues = 25;
constexpr int kIgStatsColumns = 5;
constexpr int kIgStatsViews = 6;

// The 25 values of each line-up entry of the viewed side (0x8000 blank for
// an entry without a player).  Values 0-3: the player's match ratings of
// defending, involvement, passing and attacking; the rest come from his
// match rating record:
//   4 match rating                      14 long passes (made + lost)
//   5 tackles tried                     15 good crosses
//   6 interceptions                     16 assists
//   7 clearances                        17 shots (on + off target)
//   8 balls won (tackles won + ints)    18 shots on target
//   9 touches                           19 goals
//   10 good controls                    20 men beaten
//   11 poor controls                    21 fatigue (his match figure's strain)
//   12 passing score (relative, 0..95)  22 ball-winning score (relative, 0..95)
//   13 short passes (made + lost)       23 fouls committed
//                                       24 minutes played (end less start)
constexpr int16_t kIgStatsBlank = int16_t(0x8000);
extern int16_t IgPlayerValues[kIgStatsPlayers][kIgStatsValues];
// The view shown: 0, 1, 2, 4, 5 or 7.
extern uint16_t WhatViewing;

// The shown columns of the current view, their scales and the bars'
// animation (progress 0..90 in steps of 10 while the view has changed).
struct IgChartState {
    int16_t columns[kIgStatsColumns][kIgStatsPlayers];
    int16_t scales[kIgStatsColumns];
    int16_t progress;
    bool viewChanged;
};
extern IgChartState IgChart;

// The view's heading texts and the value index of each column; any other
// view ends the program with "Invalid Number in WhatViewing, IG_MN2".
const int16_t* IgPlayerStats_ViewHeadings(uint16_t view);
const int16_t* IgPlayerStats_ViewValues(uint16_t view);
// True for the six views the buttons offer.
bool IgPlayerStats_IsView(uint16_t view);
// The five shown columns copied from the values, then their scales.
void IgPlayerStats_FillColumns();
// The scale of a column whose largest value is m.
int16_t IgPlayerStats_SnapScale(int m);
void IgPlayerStats_SetScales();
// One frame of the bars' growth.
void IgPlayerStats_Animate();

// The same chart for any rows and view (the post-match player chart keeps
// its own): the columns of the view with their scales, and one frame of
// growth.
void IgChart_Fill(IgChartState& chart, const int16_t (*values)[kIgStatsValues], uint16_t view);
void IgChart_SetScales(IgChartState& chart, uint16_t view);
void IgChart_Animate(IgChartState& chart);
// The 25 values of one player: from his 127-byte statistics record (as the
// player report holds it from byte 12), his match ratings of categories 0,
// 1, 2 and 4, and his fatigue.
void IgPlayerValues_Fill(int16_t* values, const uint8_t* statsRecord, const int16_t* ratings,
                         int16_t fatigue);
// The drawn length of a bar: value / scale of the column width, never past
// the width nor the progress; nothing for a value below 1.
int IgPlayerStats_BarLength(int value, int scale, int width, int progress);
// A column's bar of a row at (x, y), height high and at most width long,
// with its value as "(%d)" beside it when above 0.
void IgChart_DrawBar(const IgChartState& chart, int column, int row, int x, int y, int width, int height,
                     uint16_t colour);

void IgPlayerValues_Build(int16_t side);
void IgPlayerStats_Build();
// The view buttons (view 0, 1, 2, 4, 5 or 7) and the side switch.
int32_t IgPlayerStats_View(uint16_t view);
int32_t IgPlayerStats_SwitchSide();
// A click on a starter's row (0..10) or a substitute's row (0..4).
int32_t IgPlayerStats_PickStarter(int row);
int32_t IgPlayerStats_PickSub(int row);

extern const MenuItem IgPlayerStatsTable[];
