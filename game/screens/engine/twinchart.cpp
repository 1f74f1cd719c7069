#include "game/screens/engine/twinchart.h"

#include <algorithm>
#include <cstdio>

#include "game/screens/engine/gradients.h"
#include "game/screens/engine/menuservices.h"
#include "game/screens/engine/painting.h"

TwinChartBlock TwinChartData = {};

namespace {

void SetColour(uint16_t colour) { SetDrawParam(2, colour); }

int Scale(int16_t maximum) { return std::max<int>(maximum, 1); }

void Bar(int x, int y, int length, int height, uint16_t colour) {
    if (length <= 0) return;
    SetColour(colour);
    DrawBevelPanel(x, y, length, height);
}

void PanelOf(int x0, int16_t maximum, int rows) {
    SetColour(kTwinChartPanelColour);
    DrawShadedRect(x0 + 2, 72, 196, 20 * rows + 8, 50);
    SetColour(kTwinChartGridColour);
    const int bottom = 72 + 20 * rows;
    DrawRelLine(x0, bottom, kTwinChartWidth, 0);
    DrawRelLine(x0, 72, 0, 20 * rows);
    DrawRelLine(x0 + kTwinChartWidth, 72, 0, 20 * rows);
    DrawRelLine(x0, bottom, 0, 8);
    DrawRelLine(x0 + kTwinChartWidth, bottom, 0, 8);
    for (int v = 0; v <= maximum; v += 5) DrawRelLine(x0 + TwinChart_Length(v, maximum), bottom, 0, 8);
}

void AxesOf(int x0, int16_t maximum, int step, int rows) {
    const int axis = 80 + 20 * rows;
    SetColour(kTwinChartAxisColour);
    DrawRelLine(x0, axis, kTwinChartWidth, 0);
    DrawRelLine(x0, 80, 0, axis - 80);
    for (int v = 0; v <= maximum; v += step) {
        const int x = x0 + TwinChart_Length(v, maximum);
        DrawRelLine(x, axis, 0, 4);
        char number[12];
        std::snprintf(number, sizeof number, "%d", v);
        DrawTextAddrAt(x, 84 + 20 * rows, number, JUSTIFY_CENTRE_TOP);
    }
}

void LegendSquare(int x, int y, uint16_t colour) {
    SetColour(colour);
    DrawSolidRect(x, y, 14, 14);
    SetColour(0);
    DrawBox(x, y, 14, 14);
}

}  // namespace

int TwinChart_Length(int32_t value, int32_t maximum) {
    const int length = int(int64_t(value) * kTwinChartWidth / std::max<int32_t>(maximum, 1));
    return std::clamp(length, 0, kTwinChartWidth);
}

int TwinChart_Rows() { return std::clamp<int>(TwinChartData.rows, 0, kTwinChartRows); }

void TwinChart_DrawPanels(int, int, int, int) {
    const uint16_t kept = DrawColour;
    PanelOf(kTwinChartLeftX, TwinChartData.leftMax, TwinChart_Rows());
    PanelOf(kTwinChartRightX, TwinChartData.rightMax, TwinChart_Rows());
    SetColour(kept);
}

void TwinChart_DrawLeftBars(int, int, int, int) {
    const uint16_t kept = DrawColour;
    const TwinChartBlock& d = TwinChartData;
    for (int i = TwinChart_Rows() - 1; i >= 0; --i) {
        const int first = TwinChart_Length(d.leftFirst[i], Scale(d.leftMax));
        const int total = TwinChart_Length(d.leftSecond[i], Scale(d.leftMax));
        Bar(kTwinChartLeftX, 100 + 20 * i, first, 20, kTwinChartFirstColour);
        Bar(kTwinChartLeftX + first, 100 + 20 * i, total - first, 20, kTwinChartSecondColour);
    }
    SetColour(kept);
}

void TwinChart_DrawRightBars(int, int, int, int) {
    const uint16_t kept = DrawColour;
    const TwinChartBlock& d = TwinChartData;
    for (int i = TwinChart_Rows() - 1; i >= 0; --i) {
        Bar(kTwinChartRightX, 100 + 20 * i, TwinChart_Length(d.rightFirst[i], Scale(d.rightMax)), 10,
            kTwinChartFirstColour);
        Bar(kTwinChartRightX, 90 + 20 * i, TwinChart_Length(d.rightSecond[i], Scale(d.rightMax)), 10,
            kTwinChartSecondColour);
    }
    SetColour(kept);
}

void TwinChart_DrawAxes(int, int, int, int) {
    const uint16_t kept = DrawColour;
    AxesOf(kTwinChartLeftX, TwinChartData.leftMax, 5, TwinChart_Rows());
    AxesOf(kTwinChartRightX, TwinChartData.rightMax, 20, TwinChart_Rows());
    SetColour(kept);
}

void TwinChart_DrawLegend(int, int, int, int) {
    const uint16_t kept = DrawColour;
    SetColour(0);
    DrawShadedRect(190, 388, 420, 40, 25);
    DrawBox(190, 388, 420, 40);
    LegendSquare(200, 390, kTwinChartSecondColour);
    LegendSquare(412, 390, kTwinChartSecondColour);
    LegendSquare(200, 404, kTwinChartFirstColour);
    LegendSquare(412, 404, kTwinChartFirstColour);
    const int16_t* texts = MenuScreenBuffers.rowTextIds;
    DrawTextNoAt(220, 390, texts[0], JUSTIFY_LEFT_TOP);
    DrawTextNoAt(220, 404, texts[1], JUSTIFY_LEFT_TOP);
    DrawTextNoAt(432, 390, texts[2], JUSTIFY_LEFT_TOP);
    DrawTextNoAt(432, 404, texts[3], JUSTIFY_LEFT_TOP);
    SetColour(kept);
}

const MenuItem TwinChartTable[] = {
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(TwinChart_DrawPanels), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(TwinChart_DrawLeftBars), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(TwinChart_DrawRightBars), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(TwinChart_DrawAxes), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(TwinChart_DrawLegend), nullptr},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};
