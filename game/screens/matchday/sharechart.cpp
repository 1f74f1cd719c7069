#include "game/screens/matchday/sharechart.h"

#include <algorithm>
#include <cstdio>

#include "core/records/text.h"
#include "core/records/textids.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/lastmatch.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/matchday/resultboard.h"

int16_t ShareChartSide = 0;
int16_t ShareChartMinutes = 0;
int16_t ShareChartCurve[kShareChartMaxMinutes];

namespace {

constexpr int16_t kOwnTabText = 1835;
constexpr int16_t kMinutesText = 446;
constexpr int16_t kShowAwayText = 1156;
constexpr int16_t kShowHomeText = 1155;
constexpr uint16_t kAxisColour = 0x5CDE;
constexpr uint16_t kHomeCurveColour = 0x98C3;
constexpr uint16_t kAwayCurveColour = 0x18D3;
constexpr int kLeft = 70;
constexpr int kTop = 262;
constexpr int kWidth = 658;
constexpr int kHeight = 200;

char g_title[96];
const char* g_titlePtr = g_title;
int16_t g_buttonText = kShowAwayText;

int MinuteX(int minute) { return kLeft + int(minute * (double(kWidth) / ShareChartMinutes)); }

int CurveY(int value) { return ShareChartSide == 0 ? kTop + 2 * (100 - value) : kTop + 2 * value; }

void UpdateSideTexts() {
    std::snprintf(g_title, sizeof g_title, "%s %s", LastMatch_TeamName(ShareChartSide),
                  GetText(kTextPossession));
    g_buttonText = ShareChartSide == 0 ? kShowAwayText : kShowHomeText;
}

}  // namespace

void ShareChart_BuildCurve(const uint8_t* minutes, int16_t count) {
    ShareChartMinutes = std::clamp<int16_t>(count, 0, kShareChartMaxMinutes);
    std::fill(std::begin(ShareChartCurve), std::end(ShareChartCurve), int16_t(50));
    for (int i = 1; i < ShareChartMinutes; ++i) {
        const int p = ShareChartCurve[i - 1];
        // A minute without a value (the byte -1) keeps the curve where it
        // was: taken as a share it would drag the curve below 0 per cent.
        if (minutes[i] > 100) {
            ShareChartCurve[i] = int16_t(p);
            continue;
        }
        const int d = p - minutes[i];
        ShareChartCurve[i] = int16_t(d >= 0 ? p - d * 20 / 100 : p + (-d) * 20 / 100);
    }
}

void ShareChartMenuProc() {
    if (IsMenuFirstEntry()) {
        ShareChartSide = 0;
        SetMenuTitleDate(4);
        ResultBoard_BuildHeader();
        ShareChart_BuildCurve(LastMatch().result.minutes, LastMatch().minute);
        ResultsTabBar_Mark(kResultsShareChart, 2);
    }
    UpdateSideTexts();
}

int32_t ShareChart_ToggleSide(MenuHotItem*) {
    ShareChartSide = int16_t(ShareChartSide == 0 ? 1 : 0);
    return MENU_REDRAW;
}

void ShareChartDraw(int, int, int, int) {
    DrawGradientRect(kLeft, kTop, kWidth, kHeight, 227, 218, 246, 177, 168, 196, 207, 198, 226, 157, 148,
                     176);
    SetDrawParam(2, kAxisColour);
    SetFont(1008);
    char caption[48];
    std::snprintf(caption, sizeof caption, "%% %s", GetText(kTextPossession));
    DrawTextAddrAt(kLeft, 257, caption, 14);
    DrawTextNoAt(399, 482, kMinutesText, JUSTIFY_CENTRE_TOP);
    for (int k = 0; k <= 100; k += 5) {
        const int y = kTop + 2 * (100 - k);
        DrawLine(kLeft, y, kLeft + kWidth, y, kAxisColour);
        if (k % 10 == 0) DrawNumberAt(65, y, k, JUSTIFY_RIGHT_MIDDLE);
    }
    // No minutes played: no minute lines and no curve.
    if (ShareChartMinutes <= 0) return;
    for (int m = 0; m <= ShareChartMinutes; m += 5) {
        const int x = MinuteX(m);
        DrawLine(x, kTop, x, kTop + kHeight, kAxisColour);
        DrawNumberAt(x, 467, m, JUSTIFY_CENTRE_TOP);
    }
    const uint16_t colour = ShareChartSide == 0 ? kHomeCurveColour : kAwayCurveColour;
    for (int i = 0; i + 1 < ShareChartMinutes; ++i) {
        for (int lower = 0; lower < 3; ++lower) {
            DrawLine(MinuteX(i), CurveY(ShareChartCurve[i]) + lower, MinuteX(i + 1),
                     CurveY(ShareChartCurve[i + 1]) + lower, colour);
        }
    }
}

const char* ShareChartTitle() { return g_title; }
int16_t ShareChartButtonText() { return g_buttonText; }

const MenuItem ShareChartTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ShareChartMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT, 400, 62, 10, 0, MenuValue(kOwnTabText), nullptr},
    {MI_GROUP, 0, 0, 1, 0, ResultBoardHeader, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, kLeft, kTop, kWidth, kHeight, MenuFunction(ShareChartDraw), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_STRING_VAR, 400, 247, 14, 0, &g_titlePtr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1008), nullptr},
    {MI_BUTTON_TEXT_VAR, 70, 507, 658, 30, &g_buttonText, ShareChart_ToggleSide},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_GROUP, 0, 0, 1, 0, ResultsTabBar, nullptr},
    kMenuEnd,
};
