// The share chart of the user's last match, view 3 of the results loop: the
// result board's header over a chart of one side's share of play in per
// cent, minute by minute and smoothed, switched between the home and the
// away side by a wide button.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kShareChartMaxMinutes = 120;

extern const MenuItem ShareChartTable[];
// 0 the home side, 1 the away side; 0 on every entry.
extern int16_t ShareChartSide;
// The minutes charted (the match minute, at most 120) and the curve.
extern int16_t ShareChartMinutes;
extern int16_t ShareChartCurve[kShareChartMaxMinutes];

void ShareChartMenuProc();
void ShareChartDraw(int x, int y, int w, int h);
int32_t ShareChart_ToggleSide(MenuHotItem* item);
// Builds the curve from a per-minute array of home shares (0-100): 50 at
// minute 0, then each minute moves a fifth of the way to its value.
void ShareChart_BuildCurve(const uint8_t* minutes, int16_t count);
// The chart title and the button's text as shown.
const char* ShareChartTitle();
int16_t ShareChartButtonText();
