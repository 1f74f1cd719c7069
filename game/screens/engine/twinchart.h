// Twin bar charts: two horizontal bar charts side by side, each row a pair
// of bars, with frames, axes, scale numbers and a four-entry legend.  A
// screen includes TwinChartTable after filling TwinChartData and the first
// four row text ids of the shared screen buffers (the legend).
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kTwinChartRows = 15;
constexpr int kTwinChartWidth = 188;
constexpr int kTwinChartLeftX = 200;
constexpr int kTwinChartRightX = 412;
constexpr uint16_t kTwinChartFirstColour = 0xB4C5;
constexpr uint16_t kTwinChartSecondColour = 0xC800;
constexpr uint16_t kTwinChartPanelColour = 0x4A69;
constexpr uint16_t kTwinChartGridColour = 0x18C3;
constexpr uint16_t kTwinChartAxisColour = 0xCE59;

struct TwinChartBlock {
    int16_t rows;      // N
    int16_t rightMax;  // the right chart's scale
    int16_t leftMax;   // the left chart's scale
    int16_t rightFirst[kTwinChartRows];
    int16_t rightSecond[kTwinChartRows];
    int16_t leftFirst[kTwinChartRows];
    // A running total that includes the first value.
    int16_t leftSecond[kTwinChartRows];
};
extern TwinChartBlock TwinChartData;

extern const MenuItem TwinChartTable[];

void TwinChart_DrawPanels(int x, int y, int w, int h);
void TwinChart_DrawLeftBars(int x, int y, int w, int h);
void TwinChart_DrawRightBars(int x, int y, int w, int h);
void TwinChart_DrawAxes(int x, int y, int w, int h);
void TwinChart_DrawLegend(int x, int y, int w, int h);

// A value's bar length on a scale: value x 188 / maximum (a maximum below 1
// counts as 1), kept within the chart.
int TwinChart_Length(int32_t value, int32_t maximum);
// The rows drawn: N kept within the block.
int TwinChart_Rows();
