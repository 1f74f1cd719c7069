#include "game/screens/matchday/matchgraph.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/base/textbuf.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/matchday/resultsview.h"

uint16_t MatchGraphSide = 0;
uint16_t MatchGraphHideC = 0;
uint16_t MatchGraphHideA = 0;
uint16_t MatchGraphHideB = 0;

namespace {

constexpr uint8_t kEndMarker = 255;
constexpr int kEndMarkerFrom = 85;
constexpr int kFullShare = 100;
constexpr int kBaseY = 350, kLeftX = 80;
constexpr int kUnitsPerPercent = 2;
constexpr int kGridLines = 10;
constexpr int kBarTableSize = 9;
constexpr uint16_t kBarsA[kBarTableSize] = {7, 1, 4, 10, 9, 2, 1, 2, 1};
constexpr uint16_t kBarsB[kBarTableSize] = {1, 0, 1, 3, 2, 0, 0, 1, 1};
constexpr uint16_t kPlotColour = 19049, kGridColour = 6339, kAxisColour = 52825;
constexpr uint16_t kSeriesC = 25, kSeriesCShade = 25401, kSeriesA = 46277, kSeriesB = 51200;
constexpr int16_t kSwitchText = 1401, kSeriesAText = 44, kSeriesBText = 45;

uint16_t g_values[kGraphMinutes];
int g_read = 0;
int g_step = 5;
char g_scoreLine[160];
char g_sideLabel[120];
const char* g_scoreLinePointer = g_scoreLine;
const char* g_sideLabelPointer = g_sideLabel;

int RightX() { return kLeftX + g_read * g_step; }
int YOf(int percent) { return kBaseY - kUnitsPerPercent * percent; }

}  // namespace

int MatchGraph_Series(const uint8_t* minutes, int side, uint16_t* smoothed, int* step) {
    int read = 0;
    int previous = 0;
    for (int i = 0; i < kGraphMinutes; ++i) {
        if (minutes[i] == kEndMarker && i >= kEndMarkerFrom) break;
        int v = std::min<int>(minutes[i], kFullShare);
        if (side != 0) v = std::abs(v - kFullShare);
        previous = i == 0 ? v : previous + (v - previous) / 5;
        smoothed[read++] = uint16_t(previous);
    }
    *step = read <= 90 ? 5 : 3;
    return read;
}

void MatchGraphMenu() {
    const PostMatchView match = PostMatch_Shown();
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(4);
        MatchGraphSide = PostMatch_FirstSide(match);
        MatchGraphHideA = MatchGraphHideB = MatchGraphHideC = 0;
    }
    g_read = MatchGraph_Series(match.result->minutes, MatchGraphSide, g_values, &g_step);
    char home[gameinfo::kTeamNameLength + 1], away[gameinfo::kTeamNameLength + 1];
    PostMatch_TeamName(match, 0, home);
    PostMatch_TeamName(match, 1, away);
    BoundedText(g_scoreLine, sizeof g_scoreLine)
        .Add("%s %d - %d %s", home, PostMatch_Goals(match, 0), PostMatch_Goals(match, 1), away);
    BoundedText(g_sideLabel, sizeof g_sideLabel)
        .Add("%s %s", GetText(kSwitchText), MatchGraphSide == 0 ? away : home);
}

int32_t MatchGraph_Toggle(PopupCallBlock* call) {
    uint16_t* const words[4] = {&MatchGraphSide, &MatchGraphHideC, &MatchGraphHideA, &MatchGraphHideB};
    if (call->row >= 4) return MENU_CONTINUE;
    *words[call->row] ^= 1;
    return MENU_REDRAW;
}

int32_t MatchGraph_Exit(PopupCallBlock* call) {
    constexpr int16_t kViews[3] = {3, 0, 4};
    if (call->row >= 3) return MENU_CONTINUE;
    return ResultsView_SetPage(kViews[call->row]);
}

int MatchGraphPoints() { return g_read + 1; }
const char* MatchGraphScoreLine() { return g_scoreLine; }
const char* MatchGraphSideLabel() { return g_sideLabel; }

namespace {

void DrawPlotArea(int, int, int, int) {
    const int width = RightX() - kLeftX - 2;
    if (width < 1) return;
    SetDrawParam(2, kPlotColour);
    DrawShadedRect(kLeftX + 2, YOf(kFullShare) - 1, width, kFullShare * kUnitsPerPercent, 50);
    for (int k = 1; k <= kGridLines; ++k) FillSolidRect(kLeftX + 2, kBaseY - 20 * k, width, 1, kGridColour);
}

void DrawLegend(int y, uint16_t colour, int16_t text) {
    FillSolidRect(90, y, 15, 2, colour);
    SetFont(6);
    SetDrawParam(1, 0);
    DrawTextNoAt(110, y, text, JUSTIFY_LEFT_MIDDLE);
}

void DrawBars(const uint16_t* table, int count, int offset, uint16_t colour) {
    const int width = 10 * g_step / 3;
    for (int k = 0; k < count; ++k) {
        const int height = 20 * table[k];
        if (height > 0)
            FillSolidRect(kLeftX + 10 * g_step * k + offset, kBaseY - height, width, height, colour);
    }
}

void DrawSeriesA(int, int, int, int) {
    if (MatchGraphHideA != 0) return;
    DrawBars(kBarsA, kBarTableSize, 10 * g_step / 3, kSeriesA);
    DrawLegend(418, kSeriesA, kSeriesAText);
}

// One bar a full ten minutes, as far as the table goes.
void DrawSeriesB(int, int, int, int) {
    if (MatchGraphHideB != 0) return;
    DrawBars(kBarsB, std::min((g_read + 1) / 10, kBarTableSize), 0, kSeriesB);
    DrawLegend(402, kSeriesB, kSeriesBText);
}

// A step from each minute's value to the next, and its shade two units
// to the right; only values read are drawn.
void DrawSeriesC(int, int, int, int) {
    if (MatchGraphHideC != 0) return;
    for (uint16_t colour : {kSeriesC, kSeriesCShade}) {
        const int shift = colour == kSeriesC ? 0 : 2;
        for (int i = 1; i < g_read; ++i) {
            const int x = kLeftX + (i - 1) * g_step + shift;
            const int from = YOf(g_values[i - 1]), to = YOf(g_values[i]);
            FillSolidRect(x, std::min(from, to), 1, std::abs(to - from) + 1, colour);
            FillSolidRect(x, to, g_step, 1, colour);
        }
    }
    DrawLegend(386, kSeriesC, kTextPossession);
}

void DrawAxes(int, int, int, int) {
    const int right = std::max(RightX(), kLeftX + 1);
    FillSolidRect(kLeftX, YOf(kFullShare), 1, kFullShare * kUnitsPerPercent + 1, kAxisColour);
    FillSolidRect(kLeftX, kBaseY, right - kLeftX + 1, 1, kAxisColour);
    SetFont(6);
    SetDrawParam(1, 0);
    SetDrawParam(3, 0);
    for (int minute = 0; minute <= g_read; minute += 10) {
        const int x = kLeftX + minute * g_step;
        FillSolidRect(x, kBaseY, 1, 5, kAxisColour);
        DrawNumberAt(x, kBaseY + 12, minute, JUSTIFY_CENTRE_MIDDLE);
    }
    for (int k = 1; k <= kGridLines; ++k) {
        DrawNumberAt(kLeftX - 6, kBaseY - 20 * k, 10 * k, JUSTIFY_RIGHT_MIDDLE);
        DrawNumberAt(right + 6, kBaseY - 20 * k, 10 * k, JUSTIFY_LEFT_MIDDLE);
    }
}

PopupEntry g_seriesPopup[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr},
    {POPUP_STRING_VARIABLE, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, &g_sideLabelPointer, MatchGraph_Toggle,
     nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(kTextPossession), MatchGraph_Toggle,
     nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(kSeriesAText), MatchGraph_Toggle,
     nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(kSeriesBText), MatchGraph_Toggle,
     nullptr},
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

PopupEntry g_exitPopup[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(917), MatchGraph_Exit, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(1683), MatchGraph_Exit, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(243), MatchGraph_Exit, nullptr},
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

}  // namespace

const MenuItem MatchGraphTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(MatchGraphMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 320, 36, JUSTIFY_CENTRE_MIDDLE, 0, &g_scoreLinePointer, nullptr},
    {MI_CUSTOM, 80, 370, 280, 60, MenuFunction(DrawBlackShade30Box), nullptr},
    {MI_CUSTOM, 80, 150, 640, 210, MenuFunction(DrawPlotArea), nullptr},
    {MI_CUSTOM, 80, 150, 640, 210, MenuFunction(DrawSeriesA), nullptr},
    {MI_CUSTOM, 80, 150, 640, 210, MenuFunction(DrawSeriesB), nullptr},
    {MI_CUSTOM, 80, 150, 640, 210, MenuFunction(DrawSeriesC), nullptr},
    {MI_CUSTOM, 60, 140, 660, 240, MenuFunction(DrawAxes), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_BUTTON_TEXT, 60, 559, 339, 30, MenuValue(898), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_seriesPopup, nullptr},
    {MI_BUTTON_TEXT, 399, 559, 339, 30, MenuValue(623), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_exitPopup, nullptr},
    kMenuEnd,
};
