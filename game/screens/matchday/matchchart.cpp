#include "game/screens/matchday/matchchart.h"

#include <algorithm>
#include <cstdio>

#include "core/base/bytes.h"
#include "core/query/fields.h"
#include "core/records/ranges.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/fixtures.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/lastmatch.h"

int16_t MatchChartMinutes = 0;
int16_t MatchChartCurve[kMatchChartMinutes];

namespace {

constexpr int kOriginX = 70;
constexpr int kBaseline = 350;
constexpr int kTopLine = 150;
constexpr int kAxisWidth = 530;
constexpr uint16_t kWhite = 0xFFFF;
constexpr uint16_t kRed = 0xF800;
constexpr uint16_t kBlue = 0x001F;
constexpr int kLabelRows = 5;
constexpr int kLabelSize = 300;

// The label text of each event kind; 2 (a booking the referee noted
// without a card) is never labelled.
int16_t KindText(int kind) {
    switch (kind) {
        case 0:
            return 238;
        case 1:
            return 1839;
        case 3:
            return 1647;
        case 4:
            return 698;
        case 5:
            return 631;
        default:
            return -1;
    }
}

char g_title[128];
const char* g_titlePtr = g_title;
char g_labels[kMatchChartLabels][kLabelSize];
int g_labelCount = 0;
int16_t g_minuteLabels[9];
int g_minuteLabelCount = 0;

// The kept match's own score under its two names, as the statistics
// screen's title: the selected club's last fixture before today is not this
// match on the day it was played.
void BuildTitle() {
    const int16_t slot = LastMatch().fixture;
    const uint32_t score = slot >= 0 && slot < kFixtureSlots ? FixtureScore(slot) : 0;
    std::snprintf(g_title, sizeof g_title, "%s %d - %d %s", LastMatch_TeamName(0), int(score & 31),
                  int(score >> 5 & 31), LastMatch_TeamName(1));
}

int16_t LongestPlayingTime() {
    const int entries =
        std::clamp<int>(11 + LastMatch().setup.I16(gameinfo::kNumAvailableSubs), 0, kTeamReportPlayers);
    int longest = 0;
    for (int k = 0; k < entries; ++k)
        longest = std::max<int>(longest, int8_t(LastMatch_PlayerReport(0, k)[kStatsEndMinute]));
    return int16_t(std::min(longest, kMatchChartMinutes));
}

void DrawAxes(int s) {
    DrawLine(kOriginX, kBaseline, kOriginX, kBaseline - 200, kWhite);
    constexpr int kLevels[] = {100, 75, 50, 25, 0};
    for (int level : kLevels) DrawNumberAt(68, kBaseline - 2 * level, level, JUSTIFY_RIGHT_MIDDLE);
    DrawLine(kOriginX, kBaseline, kOriginX + MatchChartMinutes * s, kBaseline, kWhite);
    g_minuteLabelCount = 0;
    const int last = MatchChartMinutes > 90 ? 120 : 90;
    for (int minute = 0; minute <= last; minute += 15) {
        DrawNumberAt(kOriginX + minute * s, 352, minute, JUSTIFY_CENTRE_TOP);
        g_minuteLabels[g_minuteLabelCount++] = int16_t(minute);
    }
}

void DrawCurve(int s) {
    for (int i = 0; i < MatchChartMinutes; ++i) {
        const int now = MatchChartCurve[i];
        const int before = MatchChartCurve[i > 0 ? i - 1 : 0];
        for (int j = 0; j < s; ++j) {
            const int v = now - ((1 + s) - j) * (now - before) / s;
            const int x = kOriginX + i * s + j + 1;
            const int top = std::clamp(kBaseline - 2 * v, kTopLine, kBaseline);
            DrawLine(x, kTopLine, x, top, kRed);
            DrawLine(x, top, x, kBaseline, kBlue);
        }
    }
}

// The labels of up to 30 events, each on the next of five staggered rows
// of its side: the first team's above the curve, the second team's below
// the minute axis.
void DrawEventLabels(int s) {
    SetFont(9);
    g_labelCount = 0;
    int row[2] = {kLabelRows - 1, kLabelRows - 1};
    for (int e = 0; e < kMatchEvents && g_labelCount < kMatchChartLabels; ++e) {
        const uint8_t* event = LastMatch().result.events[e];
        const int kind = event[kEventKind];
        if (kind == kEventEnd) break;
        const int16_t text = KindText(kind);
        if (text < 0) continue;
        const int minute =
            std::clamp<int>(int16_t(recbits::LoadU16(event + kEventMinute)), 0, kMatchChartMinutes);
        const int side = int16_t(recbits::LoadU16(event + kEventTeam)) == 0 ? 0 : 1;
        const uint16_t player = recbits::LoadU16(event + kEventPlayer);
        std::snprintf(g_labels[g_labelCount], kLabelSize, " %d%s %s %s", minute, GetText(kTextMinutes),
                      GetText(text), IsPlayerNumber(player) ? HVW_GetPlayerShortName(player) : "");
        const int x = kOriginX + minute * s;
        const int y = side == 0 ? kBaseline - (row[side] * 10 + 100) * 2 : kBaseline + 24 + row[side] * 14;
        DrawLine(x, kBaseline, x, y, kWhite);
        DrawTextAddrAt(x, y, g_labels[g_labelCount], JUSTIFY_LEFT_MIDDLE);
        row[side] = row[side] == 0 ? kLabelRows - 1 : row[side] - 1;
        ++g_labelCount;
    }
}

}  // namespace

void MatchChart_BuildCurve(const uint8_t* minutes) {
    for (int i = 0; i < kMatchChartMinutes; ++i) {
        const int r = minutes[i];
        if (r == kNoMinuteValue) {
            MatchChartCurve[i] = 50;
        } else if (i == 0) {
            MatchChartCurve[0] = int16_t(r);
        } else {
            const int p = MatchChartCurve[i - 1];
            const int d = p - r;
            MatchChartCurve[i] = int16_t(d >= 0 ? p - d * 20 / 100 : p + (-d) * 20 / 100);
        }
    }
}

void MatchSummaryMenuProc() {
    if (IsMenuFirstEntry()) {
        MatchChartMinutes = LongestPlayingTime();
        BuildTitle();
    }
    MatchChart_BuildCurve(LastMatch().result.minutes);
}

void MatchSummaryChart(int, int, int, int) {
    g_labelCount = 0;
    g_minuteLabelCount = 0;
    // No player of the first team has a leaving minute: an empty chart.
    if (MatchChartMinutes <= 0) return;
    const int s = kAxisWidth / MatchChartMinutes;
    DrawCurve(s);
    DrawAxes(s);
    DrawEventLabels(s);
}

int32_t MatchSummary_ToStats(MenuHotItem*) {
    MenuOption = kScreenMatchStats;
    return MENU_CLOSE;
}

const char* MatchChartTitle() { return g_title; }

int MatchChartMinuteLabels(int16_t* labels, int capacity) {
    const int n = std::min(g_minuteLabelCount, capacity);
    std::copy(g_minuteLabels, g_minuteLabels + n, labels);
    return n;
}

int MatchChartEventLabels() { return g_labelCount; }
const char* MatchChartEventLabel(int k) { return k >= 0 && k < g_labelCount ? g_labels[k] : ""; }

const MenuItem MatchChartTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(MatchSummaryMenuProc), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(14), nullptr},
    {MI_STRING_VAR, 320, 36, 10, 0, &g_titlePtr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(MatchSummaryChart), nullptr},
    {MI_HOT_RECT, 570, 436, 40, 40, MenuValue(-1), MatchSummary_ToStats},
    {MI_END, 320, 462, 10, 0, nullptr, MenuHandler_Accept},
};
