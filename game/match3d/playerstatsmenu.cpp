#include "game/match3d/playerstatsmenu.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/match/matchfigure.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstats.h"
#include "core/query/matchdaylookups.h"
#include "core/query/scouting.h"
#include "core/records/text.h"
#include "game/match3d/matchmenus.h"
#include "game/match3d/matchsoundbanks.h"
#include "game/match3d/teamstatsmenu.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"

int16_t IgPlayerValues[kIgStatsPlayers][kIgStatsValues];
uint16_t WhatViewing = 7;
IgChartState IgChart;

namespace {

constexpr uint16_t kViews[kIgStatsViews] = {0, 1, 2, 4, 5, 7};
constexpr int16_t kViewButtonTexts[kIgStatsViews] = {608, 970, 1683, 610, 536, 1423};
constexpr int16_t kViewHeadings[kIgStatsViews][kIgStatsColumns] = {
    {608, 1415, 1416, 935, 1437},  {970, 1422, 2736, 1417, 1425}, {1683, 1592, 1421, 1431, 956},
    {610, 1838, 1433, 1434, 1429}, {1423, 246, 2019, 959, 2737},  {608, 970, 1683, 610, 1423},
};
constexpr int16_t kViewValues[kIgStatsViews][kIgStatsColumns] = {
    {0, 5, 6, 7, 8},     {1, 9, 10, 11, 12},  {2, 13, 14, 15, 16},
    {3, 17, 18, 19, 20}, {4, 21, 22, 23, 24}, {0, 1, 2, 3, 4},
};
constexpr int16_t kAttributeCategories[4] = {0, 1, 2, 4};
constexpr int kFullProgress = 90, kProgressStep = 10;

int ViewIndex(uint16_t view) {
    for (int i = 0; i < kIgStatsViews; ++i)
        if (kViews[i] == view) return i;
    FatalError("Invalid Number in WhatViewing, IG_MN2");
}

// The record's fields by their positions in the player report.
int U8(const uint8_t* record, int at) { return record[at - kPlayerStatsRecord]; }
int I8(const uint8_t* record, int at) { return int8_t(record[at - kPlayerStatsRecord]); }
int I16(const uint8_t* record, int at) { return int16_t(recbits::LoadU16(record + at - kPlayerStatsRecord)); }

void FillValues(int16_t* v, int16_t side, int16_t slot, const uint8_t* r, const MatchFigure& f) {
    int16_t ratings[4];
    for (int i = 0; i < 4; ++i) ratings[i] = HVW_GetMatchPlayerAttribute(slot, side, kAttributeCategories[i]);
    IgPlayerValues_Fill(v, r, ratings, int16_t(f.stateA));
}

// ---- Rows ----------------------------------------------------------------------------------------

constexpr int kNameSize = 24;
struct IgStatsRow {
    uint16_t player;
    char name[kNameSize];
    int16_t position;  // text id, -1 none
};
IgStatsRow g_rows[kIgStatsPlayers];

char g_sideName[gameinfo::kTeamNameLength + 1];
const char* g_sideNamePtr = g_sideName;
int16_t g_headings[kIgStatsColumns];
bool g_chartWiped = true;

int16_t Side() { return int16_t(IgViewSide & 1); }

void StartGrowth() {
    IgChart.progress = 0;
    IgChart.viewChanged = true;
}

void FillRows() {
    const int16_t side = Side();
    const int entries = std::min(11 + int(MatchAvailableSubs(&GameInfo)), kIgStatsPlayers);
    for (int e = 0; e < kIgStatsPlayers; ++e) {
        IgStatsRow& row = g_rows[e];
        row = IgStatsRow{0, "", -1};
        if (e >= entries || IgPlayerValues[e][0] == kIgStatsBlank) continue;
        const int16_t slot = GetMatchSideSlot(side, int16_t(e));
        const MatchFigure* f = MatchGetFigure(side, slot);
        if (f == nullptr) continue;
        row.player = MatchFigurePlayerId(int16_t(side * kTeamFigures + slot));
        std::snprintf(row.name, kNameSize, "%.*s", int(strnlen(f->name, sizeof f->name)), f->name);
        if (f->position >= 0 && f->position <= 13) row.position = HVW_GetPositionTextIdOfCode(f->position);
    }
    const char* name =
        reinterpret_cast<const char*>(GameInfo.bytes + gameinfo::TeamInfoAt(side) + gameinfo::kTeamName);
    std::snprintf(g_sideName, sizeof g_sideName, "%.*s", int(strnlen(name, gameinfo::kTeamNameLength)), name);
}

}  // namespace

void IgPlayerValues_Fill(int16_t* v, const uint8_t* r, const int16_t* ratings, int16_t fatigue) {
    for (int i = 0; i < 4; ++i) v[i] = ratings[i];
    v[4] = int16_t(I16(r, kStatsValueW));
    v[5] = int16_t(U8(r, kStatsTackleAttempts));
    v[6] = int16_t(U8(r, kStatsIntercepts));
    v[7] = int16_t(U8(r, kStatsClearances));
    v[8] = int16_t(U8(r, kStatsTacklesWon) + U8(r, kStatsIntercepts));
    v[9] = int16_t(U8(r, kStatsTouches));
    v[10] = int16_t(U8(r, kStatsGoodControls));
    v[11] = int16_t(U8(r, kStatsPoorControls));
    v[12] = int16_t(I16(r, kStatsRelativeScoreB));
    v[13] = int16_t(U8(r, kStatsShortPassesGood) + U8(r, kStatsShortPassesLost));
    v[14] = int16_t(U8(r, kStatsLongPassesGood) + U8(r, kStatsLongPassesLost));
    v[15] = int16_t(U8(r, kStatsCrossesGood));
    v[16] = int16_t(I8(r, kStatsAssists));
    v[17] = int16_t(U8(r, kStatsShotsOnTarget) + U8(r, kStatsShotsOffTarget));
    v[18] = int16_t(U8(r, kStatsShotsOnTarget));
    v[19] = int16_t(U8(r, kStatsGoalsScored));
    v[20] = int16_t(U8(r, kStatsMenBeaten));
    v[21] = fatigue;
    v[22] = int16_t(I16(r, kStatsRelativeScoreC));
    v[23] = int16_t(U8(r, kStatsFouls));
    v[24] = int16_t(I8(r, kStatsEndMinute) - I8(r, kStatsStartMinute));
}

bool IgPlayerStats_IsView(uint16_t view) {
    return std::find(std::begin(kViews), std::end(kViews), view) != std::end(kViews);
}

const int16_t* IgPlayerStats_ViewHeadings(uint16_t view) { return kViewHeadings[ViewIndex(view)]; }
const int16_t* IgPlayerStats_ViewValues(uint16_t view) { return kViewValues[ViewIndex(view)]; }

void IgPlayerValues_Build(int16_t side) {
    side = int16_t(side & 1);
    // The match ratings are read from the result block, which the match
    // writes at each period end: brought up to now first, so that the first
    // half shows this match and not the last one played.
    MatchCopyTeamStats();
    static uint8_t records[kTeamFigures][kStatsRecordBytes];
    MatchComputePlayerRatings(records, side);
    const int entries = std::min(11 + int(MatchAvailableSubs(&GameInfo)), kIgStatsPlayers);
    for (int e = 0; e < kIgStatsPlayers; ++e) {
        int16_t* v = IgPlayerValues[e];
        std::fill(v, v + kIgStatsValues, kIgStatsBlank);
        if (e >= entries) continue;
        const int16_t slot = GetMatchSideSlot(side, int16_t(e));
        const MatchFigure* f = MatchGetFigure(side, slot);
        if (f == nullptr || MatchFigurePlayerId(int16_t(side * kTeamFigures + slot)) == 0) continue;
        FillValues(v, side, slot, records[slot], *f);
    }
}

int16_t IgPlayerStats_SnapScale(int m) {
    if (m >= 50 && m <= 100) return 100;
    if (m > 25) return 50;
    if (m > 20) return 25;
    if (m > 15) return 20;
    if (m > 10) return 15;
    if (m > 5) return 10;
    if (m < 1) return 120;
    return 5;
}

void IgChart_SetScales(IgChartState& chart, uint16_t view) {
    int16_t largest[kIgStatsColumns];
    for (int c = 0; c < kIgStatsColumns; ++c) {
        int m = INT16_MIN;
        for (int row = 0; row < kIgStatsPlayers; ++row)
            if (chart.columns[c][row] != kIgStatsBlank) m = std::max<int>(m, chart.columns[c][row]);
        largest[c] = int16_t(m == INT16_MIN ? 0 : m);
        chart.scales[c] = IgPlayerStats_SnapScale(largest[c]);
    }
    if (view == 5) {
        chart.scales[4] = chart.scales[4] <= 100 ? 90 : 120;
        // The third column measures against the best of the side; a side
        // without any gets the empty scale.
        chart.scales[2] = largest[2] > 0 ? largest[2] : 120;
    } else if (view != 7) {
        chart.scales[2] = chart.scales[1];
    }
}

void IgPlayerStats_SetScales() { IgChart_SetScales(IgChart, WhatViewing); }

namespace {

void CopyColumns(IgChartState& chart, const int16_t (*values)[kIgStatsValues], uint16_t view) {
    const int16_t* shown = IgPlayerStats_ViewValues(view);
    for (int c = 0; c < kIgStatsColumns; ++c)
        for (int row = 0; row < kIgStatsPlayers; ++row) chart.columns[c][row] = values[row][shown[c]];
}

}  // namespace

void IgChart_Fill(IgChartState& chart, const int16_t (*values)[kIgStatsValues], uint16_t view) {
    CopyColumns(chart, values, view);
    IgChart_SetScales(chart, view);
}

void IgPlayerStats_FillColumns() {
    CopyColumns(IgChart, IgPlayerValues, WhatViewing);
    IgPlayerStats_SetScales();
}

void IgChart_Animate(IgChartState& chart) {
    if (!chart.viewChanged) return;
    chart.progress = int16_t(chart.progress + kProgressStep);
    if (chart.progress >= kFullProgress - 1) {
        chart.progress = kFullProgress;
        chart.viewChanged = false;
    }
}

void IgPlayerStats_Animate() { IgChart_Animate(IgChart); }

int IgPlayerStats_BarLength(int value, int scale, int width, int progress) {
    if (value < 1 || scale < 1) return 0;
    const int length = int(int64_t(value) * width / scale);
    return std::min({length, width, progress});
}

void IgChart_DrawBar(const IgChartState& chart, int column, int row, int x, int y, int width, int height,
                     uint16_t colour) {
    const int value = chart.columns[column][row];
    if (value == kIgStatsBlank) return;
    const int length = IgPlayerStats_BarLength(value, chart.scales[column], width, chart.progress);
    if (length > 0) FillSolidRect(x, y, length, height, colour);
    if (value <= 0) return;
    char text[16];
    std::snprintf(text, sizeof text, "(%d)", value);
    SetFont(6);
    SetDrawParam(1, 0);
    DrawTextAddrAt(x + length + 3, y + height / 2, text, JUSTIFY_LEFT_MIDDLE);
}

void IgPlayerStats_Build() {
    if (IsMenuFirstEntry() == 1) {
        StartGrowth();
        WhatViewing = 7;
        IgPlayerValues_Build(Side());
        IgHeader_Prepare();
    }
    SetMenuTitleDate(12);
    IgButtonBar_Prepare();
    g_chartWiped = true;  // the walk draws the screen afresh
    FillRows();
    const int16_t* headings = IgPlayerStats_ViewHeadings(WhatViewing);
    std::copy(headings, headings + kIgStatsColumns, g_headings);
    IgPlayerStats_FillColumns();
}

int32_t IgPlayerStats_View(uint16_t view) {
    ViewIndex(view);
    if (WhatViewing == view) return MENU_CONTINUE;
    WhatViewing = view;
    StartGrowth();
    return MENU_REDRAW;
}

int32_t IgPlayerStats_SwitchSide() {
    IgViewSide = uint16_t(1 - Side());
    IgPlayerValues_Build(Side());
    StartGrowth();
    return MENU_REDRAW;
}

namespace {

int32_t PickEntry(int entry) {
    if (entry < 0 || entry >= kIgStatsPlayers) return MENU_CONTINUE;
    const uint16_t player = g_rows[entry].player;
    if (player == 0) return MENU_CONTINUE;  // a blank row opens nothing
    ReturnMenuOption = kIgPlayerStatsMenu;
    InGameMenuId = kIgProfileMenu;
    SelectedPlayer = int16_t(player);
    return MENU_CLOSE;
}

}  // namespace

int32_t IgPlayerStats_PickStarter(int row) { return row >= 0 && row < 11 ? PickEntry(row) : MENU_CONTINUE; }
int32_t IgPlayerStats_PickSub(int row) { return row >= 0 ? PickEntry(11 + row) : MENU_CONTINUE; }

// ---- Chart and table ------------------------------------------------------------------------------

namespace {

constexpr int kRowTop = 133, kRowHeight = 22, kBarHeight = 20;
constexpr int kBarX[kIgStatsColumns] = {219, 330, 441, 552, 663};
constexpr int kHeadingX[kIgStatsColumns] = {263, 374, 485, 596, 707};
constexpr int kBarWidth = kFullProgress;
constexpr int kViewButtonX[kIgStatsViews] = {150, 248, 346, 444, 542, 640};
constexpr int kViewButtonY = 499, kViewButtonWidth = 98, kViewButtonHeight = 24;

void DrawBar(int column, int row, int y) {
    IgChart_DrawBar(IgChart, column, row, kBarX[column], y + 1, kBarWidth, kBarHeight, kIgFirstSideColour);
}

// Every frame while the bars grow, and once after each walk: the chart's
// area back to the saved background, then the bars at their length.
void IgPlayerStats_DrawChart(int16_t) {
    if (!IgChart.viewChanged && !g_chartWiped) return;
    g_chartWiped = false;
    IgPlayerStats_Animate();
    RestoreRectFromBuffer(kBarX[0], kRowTop, 800 - kBarX[0], kIgStatsPlayers * kRowHeight);
    for (int row = 0; row < kIgStatsPlayers; ++row) {
        if (g_rows[row].player == 0) continue;
        const int y = kRowTop + row * kRowHeight;
        for (int c = 0; c < kIgStatsColumns; ++c) DrawBar(c, row, y);
    }
}
const MenuTimerRecord kChart = {1, 1, IgPlayerStats_DrawChart};

void DrawRow(int entry, int y) {
    const IgStatsRow& row = g_rows[entry];
    if (row.player == 0) return;
    SetDrawParam(2, 0);
    DrawShadedRect(14, y, 200, kRowHeight - 1, (entry & 1) != 0 ? 25 : 50);
    SetFont(6);
    SetDrawParam(1, 0);
    DrawTextAddrAt(18, y + kRowHeight / 2, row.name, JUSTIFY_LEFT_MIDDLE);
    if (row.position >= 0) DrawTextNoAt(196, y + kRowHeight / 2, row.position, JUSTIFY_CENTRE_MIDDLE);
}
void PaintStarter(int, int y, int, int) { DrawRow(MenuPaintRow(), y); }
void PaintSub(int, int y, int, int) { DrawRow(11 + MenuPaintRow(), y); }
void PaintHeadings(int, int, int, int) {
    SetFont(6);
    SetDrawParam(1, 0);
    for (int c = 0; c < kIgStatsColumns; ++c)
        DrawTextNoAt(kHeadingX[c], 112, g_headings[c], JUSTIFY_CENTRE_MIDDLE);
}
int32_t StarterClick(MenuHotItem* item) { return IgPlayerStats_PickStarter(item->row); }
int32_t SubClick(MenuHotItem* item) { return IgPlayerStats_PickSub(item->row); }
int32_t SideClick(MenuHotItem*) { return IgPlayerStats_SwitchSide(); }

template <uint16_t view>
int32_t ViewClick(MenuHotItem*) {
    return IgPlayerStats_View(view);
}

const MenuItem kStarterRow[] = {
    {MI_CUSTOM, 14, 0, 200, kRowHeight, MenuFunction(PaintStarter), nullptr},
    {MI_HOT_RECT, 14, 0, 200, kRowHeight, nullptr, StarterClick},
    kMenuEnd,
};
const MenuItem kSubRow[] = {
    {MI_CUSTOM, 14, 0, 200, kRowHeight, MenuFunction(PaintSub), nullptr},
    {MI_HOT_RECT, 14, 0, 200, kRowHeight, nullptr, SubClick},
    kMenuEnd,
};

}  // namespace

const MenuItem IgPlayerStatsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(IgPlayerStats_Build), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(1), nullptr},
    {MI_GROUP, 0, 0, 1, 0, TitleBarTable, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_GROUP, 0, 0, 1, 0, IgHeaderTable, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_CUSTOM, 219, 102, 560, 20, MenuFunction(PaintHeadings), nullptr},
    {MI_GROUP, 0, kRowTop, 11, kRowHeight, kStarterRow, nullptr},
    {MI_GROUP, 0, kRowTop + 11 * kRowHeight, kIgStatsPlayers - 11, kRowHeight, kSubRow, nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kChart, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_BUTTON_TEXT, kViewButtonX[0], kViewButtonY, kViewButtonWidth, kViewButtonHeight,
     MenuValue(kViewButtonTexts[0]), ViewClick<0>},
    {MI_BUTTON_TEXT, kViewButtonX[1], kViewButtonY, kViewButtonWidth, kViewButtonHeight,
     MenuValue(kViewButtonTexts[1]), ViewClick<1>},
    {MI_BUTTON_TEXT, kViewButtonX[2], kViewButtonY, kViewButtonWidth, kViewButtonHeight,
     MenuValue(kViewButtonTexts[2]), ViewClick<2>},
    {MI_BUTTON_TEXT, kViewButtonX[3], kViewButtonY, kViewButtonWidth, kViewButtonHeight,
     MenuValue(kViewButtonTexts[3]), ViewClick<4>},
    {MI_BUTTON_TEXT, kViewButtonX[4], kViewButtonY, kViewButtonWidth, kViewButtonHeight,
     MenuValue(kViewButtonTexts[4]), ViewClick<5>},
    {MI_BUTTON_TEXT, kViewButtonX[5], kViewButtonY, kViewButtonWidth, kViewButtonHeight,
     MenuValue(kViewButtonTexts[5]), ViewClick<7>},
    // The side switch beside the view buttons (the bar below takes the
    // bottom line).
    {MI_BUTTON_STRING_VAR, 50, kViewButtonY, 90, kViewButtonHeight, &g_sideNamePtr, SideClick},
    {MI_GROUP, 0, 0, 1, 0, IgButtonBarTable, nullptr},
    kMenuEnd,
};
