// The match chart (screen 50) of the user's last match: the share of play
// as a 0-100 curve over the minutes played, smoothed minute by minute, red
// above and blue below, a minute axis, labels for up to 30 match events and
// a title with the score; its click area opens the match statistics
// (screen 71).  Offered from the title bar's league list while a match is
// kept (game/screens/matchday/lastmatch.h).
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kMatchChartMinutes = 120;
constexpr int kMatchChartLabels = 30;

extern const MenuItem MatchChartTable[];
// The longest playing time of the first team's players, set on entry.
extern int16_t MatchChartMinutes;
extern int16_t MatchChartCurve[kMatchChartMinutes];

void MatchSummaryMenuProc();
void MatchSummaryChart(int x, int y, int w, int h);
int32_t MatchSummary_ToStats(MenuHotItem* item);
// The curve from a per-minute array (0-100, 0xFF no value): a minute
// without a value is 50, minute 0 is its value, the others move a fifth of
// the way from the minute before.
void MatchChart_BuildCurve(const uint8_t* minutes);

// What the chart last drew, for tests: the title, the minute labels and
// the event labels with their kinds.
const char* MatchChartTitle();
int MatchChartMinuteLabels(int16_t* labels, int capacity);
int MatchChartEventLabels();
const char* MatchChartEventLabel(int k);
