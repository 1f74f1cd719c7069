#include "game/screens/matchday/resultsview.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/textbuf.h"
#include "core/query/fields.h"
#include "core/query/matchdaylookups.h"
#include "core/query/scouting.h"
#include "core/records/text.h"
#include "core/records/textids.h"
#include "core/season/fixtures.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/gradients.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/lastmatch.h"
#include "game/screens/matchday/matchday.h"

uint16_t ResultsViewWhatViewing = 7;
uint16_t ResultsViewSide = 0;
uint16_t TeamStatsSide = 0;
uint16_t TeamStatsView = 1;

// ---- The shown match --------------------------------------------------------------------

PostMatchView PostMatch_Shown() {
    const LastMatchCopy& kept = LastMatch();
    return {&kept.setup, &kept.result, kept.fixture};
}

int PostMatch_Goals(const PostMatchView& match, int side) {
    side &= 1;
    if (match.fixture >= 0 && match.fixture < kFixtureSlots && IsFixturePlayed(match.fixture)) {
        const uint32_t score = FixtureScore(match.fixture);
        return int(side == 0 ? score & kFixtureGoalsMask : (score >> 5) & kFixtureGoalsMask);
    }
    return recbits::LoadU16(match.result->teams[side].bytes + kReportGoals);
}

// The kept copy knows the user's side by his club: the human-managed flags
// of a match played unseen no longer tell it.
uint16_t PostMatch_FirstSide(const PostMatchView&) { return uint16_t(LastMatch_UserSide()); }

const char* PostMatch_TeamName(const PostMatchView& match, int side,
                               char (&out)[gameinfo::kTeamNameLength + 1]) {
    const char* name = reinterpret_cast<const char*>(match.setup->bytes + gameinfo::TeamInfoAt(side & 1));
    std::snprintf(out, sizeof out, "%.*s", int(strnlen(name, gameinfo::kTeamNameLength)), name);
    return out;
}

const uint8_t* PostMatch_Report(const PostMatchView& match, int side, int entry) {
    return match.result->teams[side & 1].bytes + kReportPlayers + entry * kPlayerReportSize;
}

bool PostMatch_Played(const PostMatchView& match, int side, int entry) {
    return int16_t(recbits::LoadU16(PostMatch_Report(match, side, entry) + kPlayerRating)) > 0;
}

namespace {

using gameinfo::kTeamNameLength;

constexpr int16_t kNotAvailable = -1;
constexpr int16_t kLitButton = 8;
constexpr int kRowTop = 133, kRowStep = 20;
constexpr int kPanelX[kIgStatsColumns] = {244, 350, 456, 562, 668};
constexpr int kPanelWidth = 84, kPanelHeight = 280;
constexpr int kBarHeight = 20;
constexpr uint16_t kBarColour = 0x2A1F;
constexpr uint16_t kGridLight = 0xB596, kGridDark = 0x4A69;
constexpr uint16_t kRowButtonColour = 0x5AD4;
constexpr int kNameX = 74, kNameColumnEnd = 229;
constexpr int16_t kPositionColour = 10;
constexpr uint16_t kChartViews[6] = {0, 1, 2, 4, 5, 7};

int16_t PlayerNumberOf(const PostMatchView& match, int side, int entry) {
    return match.setup->I16(gameinfo::PlayerInfoAt(side & 1, entry) + gameinfo::kPlayerInfoNumber);
}

void PlayerNameOf(const PostMatchView& match, int side, int entry,
                  char (&out)[gameinfo::kPlayerNameLength + 1]) {
    const char* name =
        reinterpret_cast<const char*>(match.setup->bytes + gameinfo::PlayerInfoAt(side & 1, entry));
    std::snprintf(out, sizeof out, "%.*s", int(strnlen(name, gameinfo::kPlayerNameLength)), name);
}

// ---- Player chart ------------------------------------------------------------------------

int16_t g_rowValues[kIgStatsPlayers][kIgStatsValues];
ResultsViewRow g_rows[kIgStatsPlayers];
IgChartState g_chart;
bool g_chartWiped = true;
int16_t g_headings[kIgStatsColumns];
int16_t g_viewLit[6];
char g_header[160];
const char* g_headerPointer = g_header;
char g_sideName[kTeamNameLength + 1];
char g_otherName[kTeamNameLength + 1];
const char* g_sideNamePointer = g_sideName;
const char* g_otherNamePointer = g_otherName;

void StartGrowth() {
    g_chart.progress = 0;
    g_chart.viewChanged = true;
}

// One row per line-up entry of the side who played, in order; the rest
// blank.  "Played" is his match score above 0, not his first chart value:
// that value is his defending rating, which is 0 for many a forward who
// played, and his row would be lost.
void BuildRows(const PostMatchView& match, int side) {
    int row = 0;
    for (int entry = 0; entry < kIgStatsPlayers; ++entry) {
        if (!PostMatch_Played(match, side, entry)) continue;
        const uint8_t* report = PostMatch_Report(match, side, entry);
        int16_t ratings[4];
        constexpr int16_t kCategories[4] = {0, 1, 2, 4};
        for (int i = 0; i < 4; ++i) ratings[i] = HVW_CalcReportPlayerAttribute(report, kCategories[i]);
        // The report keeps no figure: the fatigue column shows its workload word.
        const int16_t fatigue = int16_t(recbits::LoadU16(report + kPlayerWorkload));
        IgPlayerValues_Fill(g_rowValues[row], report + kPlayerStatsRecord, ratings, fatigue);
        ResultsViewRow& r = g_rows[row];
        r.entry = int16_t(entry);
        r.player = uint16_t(PlayerNumberOf(match, side, entry));
        r.number = r.player != 0 ? HVW_GetPlayerField92(r.player) : int16_t(0);
        const int16_t code =
            match.setup->I16(gameinfo::PlayerInfoAt(side & 1, entry) + gameinfo::kPlayerPosition);
        r.position = code >= 0 && code <= 13 ? HVW_GetPositionTextIdOfCode(code) : kNotAvailable;
        PlayerNameOf(match, side, entry, r.name);
        ++row;
    }
    for (; row < kIgStatsPlayers; ++row) {
        std::fill(std::begin(g_rowValues[row]), std::end(g_rowValues[row]), kIgStatsBlank);
        g_rows[row] = ResultsViewRow{-1, 0, 0, kNotAvailable, ""};
    }
}

void ChartFirstEntry(const PostMatchView& match) {
    SetMenuTitleDate(4);
    ResultsViewWhatViewing = 7;
    ResultsViewSide = 0;
    BuildRows(match, 0);
    StartGrowth();
    char home[kTeamNameLength + 1], away[kTeamNameLength + 1];
    BoundedText(g_header, sizeof g_header)
        .Add("%s %d - %d %s", PostMatch_TeamName(match, 0, home), PostMatch_Goals(match, 0),
             PostMatch_Goals(match, 1), PostMatch_TeamName(match, 1, away));
}

}  // namespace

void ResultsViewMenu() {
    const PostMatchView match = PostMatch_Shown();
    if (IsMenuFirstEntry() == 1) ChartFirstEntry(match);
    PostMatch_TeamName(match, ResultsViewSide, g_sideName);
    PostMatch_TeamName(match, ResultsViewSide ^ 1, g_otherName);
    if (!IgPlayerStats_IsView(ResultsViewWhatViewing)) FatalError("Invalid Number in WhatViewing, A_MN6");
    const int16_t* headings = IgPlayerStats_ViewHeadings(ResultsViewWhatViewing);
    std::copy(headings, headings + kIgStatsColumns, g_headings);
    IgChart_Fill(g_chart, g_rowValues, ResultsViewWhatViewing);
    for (int i = 0; i < 6; ++i) g_viewLit[i] = kChartViews[i] == ResultsViewWhatViewing ? kLitButton : 0;
    g_chartWiped = true;
}

int32_t ResultsView_PickView(uint16_t view) {
    if (!IgPlayerStats_IsView(view) || view == ResultsViewWhatViewing) return MENU_CONTINUE;
    ResultsViewWhatViewing = view;
    StartGrowth();
    return MENU_REDRAW;
}

// Every page of the results loop leaves through here, the team statistics'
// and the graph's exits too.  None of them touches MatchDayFlags: its bit 0
// is the day loop's record of a cursor level it holds, which only the day
// loop gives back.
int32_t ResultsView_SetPage(int16_t page) {
    MatchDayResultsView = page;
    return MENU_CLOSE;
}

int32_t ResultsView_OpenGraph(MenuHotItem*) { return ResultsView_SetPage(5); }

void ResultsView_DrawRowButton(int x, int y, int width, int height) {
    const int row = MenuPaintRow();
    if (row < 0 || row >= kIgStatsPlayers || g_rows[row].entry < 0) return;
    SetDrawParam(2, kRowButtonColour);
    DoButton(x, y, width, height);
    const ResultsViewRow& r = g_rows[row];
    const int middle = y + height / 2;
    SetFont(6);
    SetDrawParam(1, 0);
    SetDrawParam(3, 0);
    DrawNumberAt(x + width / 2, middle, r.number, JUSTIFY_CENTRE_MIDDLE);
    DrawTextAddrAt(kNameX, middle, r.name, JUSTIFY_LEFT_MIDDLE);
    if (r.position < 0) return;
    // The position at the end of the name column, cut to the room the
    // name leaves.
    int16_t nameWidth = 0;
    GetTextSize(r.name, &nameWidth, nullptr);
    char position[40];
    std::snprintf(position, sizeof position, "%s", GetText(r.position));
    const int room = kNameColumnEnd - (kNameX + nameWidth + 8);
    int16_t positionWidth = 0;
    for (size_t n = std::strlen(position); n > 0; position[--n] = '\0') {
        GetTextSize(position, &positionWidth, nullptr);
        if (positionWidth <= room) break;
    }
    SetDrawParam(1, kPositionColour);
    DrawTextAddrAt(kNameColumnEnd, middle, position, JUSTIFY_RIGHT_MIDDLE);
    SetDrawParam(1, 0);
}

void ResultsView_Animate() { IgChart_Animate(g_chart); }

const ResultsViewRow& ResultsViewShownRow(int row) { return g_rows[std::clamp(row, 0, kIgStatsPlayers - 1)]; }
const IgChartState& ResultsViewChart() { return g_chart; }
const char* ResultsViewHeader() { return g_header; }
int16_t ResultsViewHeading(int column) { return g_headings[std::clamp(column, 0, kIgStatsColumns - 1)]; }

namespace {

// Five gradient panels, each under a grid: lines every 8 units across (the
// middle one dark) and every 5 down (each fourth dark).
void DrawColumnPanels(int, int, int, int) {
    for (int x : kPanelX) {
        DrawGradientRect(x, kRowTop, kPanelWidth, kPanelHeight, 227, 218, 246, 207, 198, 226, 177, 168, 196,
                         157, 148, 176);
        const int lines = kPanelWidth / 8;
        for (int k = 0; k <= lines; ++k)
            FillSolidRect(x + 8 * k, kRowTop, 1, kPanelHeight, k == lines / 2 ? kGridDark : kGridLight);
        for (int k = 0; k <= kPanelHeight / 5; ++k)
            FillSolidRect(x, kRowTop + 5 * k, kPanelWidth, 1, k % 4 == 0 ? kGridDark : kGridLight);
    }
}

// Every frame while the bars grow, and once after each walk: the chart's
// area back to its panels, then the bars at their length.
void DrawChart(int16_t) {
    if (!g_chart.viewChanged && !g_chartWiped) return;
    g_chartWiped = false;
    ResultsView_Animate();
    RestoreRectFromBuffer(kPanelX[0], kRowTop, 800 - kPanelX[0], kIgStatsPlayers * kRowStep);
    for (int row = 0; row < kIgStatsPlayers; ++row) {
        if (g_rows[row].entry < 0) continue;
        for (int c = 0; c < kIgStatsColumns; ++c)
            IgChart_DrawBar(g_chart, c, row, kPanelX[c], kRowTop + row * kRowStep + 1, kPanelWidth,
                            kBarHeight - 2, kBarColour);
    }
}
const MenuTimerRecord kChartTimer = {1, 1, DrawChart};

void DrawHeadingBoxes(int, int, int, int) {
    DrawBlackShade30Box(20, 97, 213, 30);
    for (int x : {233, 339, 445, 551, 657}) DrawBlackShade30Box(x, 97, 106, 30);
}

template <uint16_t View>
int32_t PickViewClick(MenuHotItem*) {
    return ResultsView_PickView(View);
}
template <int16_t Page>
int32_t PageClick(MenuHotItem*) {
    return ResultsView_SetPage(Page);
}

const MenuItem kChartRow[] = {
    {MI_CUSTOM, 20, 0, 50, kRowStep, MenuFunction(ResultsView_DrawRowButton), nullptr},
    kMenuEnd,
};

#define VIEW_BUTTON(i, x, text, view)                                        \
    {MI_TEXT_COLOUR_VAR, 0, 0, 0, 0, &g_viewLit[i], nullptr}, {              \
        MI_BUTTON_TEXT, x, 504, 98, 30, MenuValue(text), PickViewClick<view> \
    }

}  // namespace

const MenuItem ResultsViewTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(ResultsViewMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_CUSTOM, 0, 0, 800, 600, MenuFunction(DrawColumnPanels), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_STRING_VAR, 400, 62, JUSTIFY_CENTRE_MIDDLE, 0, &g_headerPointer, nullptr},
    {MI_CUSTOM, 20, 97, 743, 30, MenuFunction(DrawHeadingBoxes), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(6), nullptr},
    {MI_STRING_VAR, 126, 112, JUSTIFY_CENTRE_MIDDLE, 0, &g_sideNamePointer, nullptr},
    {MI_TEXT_VAR, 286, 112, JUSTIFY_CENTRE_MIDDLE, 0, &g_headings[0], nullptr},
    {MI_TEXT_VAR, 392, 112, JUSTIFY_CENTRE_MIDDLE, 0, &g_headings[1], nullptr},
    {MI_TEXT_VAR, 498, 112, JUSTIFY_CENTRE_MIDDLE, 0, &g_headings[2], nullptr},
    {MI_TEXT_VAR, 604, 112, JUSTIFY_CENTRE_MIDDLE, 0, &g_headings[3], nullptr},
    {MI_TEXT_VAR, 710, 112, JUSTIFY_CENTRE_MIDDLE, 0, &g_headings[4], nullptr},
    {MI_GROUP, 0, kRowTop, kIgStatsPlayers, kRowStep, kChartRow, nullptr},
    {MI_ANIMATION, 0, 0, 0, 0, &kChartTimer, nullptr},
    {MI_BUTTON_STRING_VAR, 60, 504, 90, 30, &g_otherNamePointer, ResultsView_OpenGraph},
    VIEW_BUTTON(0, 150, 608, 0),
    VIEW_BUTTON(1, 248, 970, 1),
    VIEW_BUTTON(2, 346, 1683, 2),
    VIEW_BUTTON(3, 444, 610, 4),
    VIEW_BUTTON(4, 542, 536, 5),
    VIEW_BUTTON(5, 640, 1423, 7),
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_BUTTON_TEXT, 60, 559, 169, 28, MenuValue(1835), PageClick<3>},
    {MI_BUTTON_TEXT, 229, 559, 169, 28, MenuValue(1836), PageClick<1>},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(9), nullptr},
    {MI_BUTTON_TEXT, 398, 559, 169, 28, MenuValue(574), MenuHandler_Accept},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_BUTTON_TEXT, 567, 559, 169, 28, MenuValue(1151), PageClick<0>},
    {MI_ICON, 743, 559, 5, 0, MenuValue(153), PageClick<-1>},
    kMenuEnd,
};

#undef VIEW_BUTTON

// ---- Team statistics ------------------------------------------------------------------------

namespace {

constexpr int kStatsViews = 4;
constexpr int16_t kStatsHeadings[kStatsViews][3] = {
    {922, 711, 1446}, {1415, 941, 1446}, {1592, 1421, 1446}, {1432, 1433, 1446}};
constexpr int16_t kStatsTitles[kStatsViews] = {41, 1625, 1628, 1629};
constexpr int kStatsRowTop = 80, kStatsRowStep = 32;
constexpr int kFirstBarX = 250, kThirdBarX = 630, kPairBarWidth = 150, kThirdBarWidth = 100;
constexpr uint16_t kFirstColour = 0xB4C5, kSecondColour = 0xC800, kThirdColour = 0x2A1F;

TeamStatsRow g_statsRows[kTeamStatsRows];
int g_statsRowCount = 0;
int16_t g_statsEntries[kTeamStatsRows];
int16_t g_scales[2] = {10, 10};
int16_t g_statsHeadings[3];
int16_t g_viewTitle = 41;
char g_teamTitle[kTeamNameLength + 1];
const char* g_teamTitlePointer = g_teamTitle;
char g_statsNames[kTeamStatsRows][gameinfo::kPlayerNameLength + 1];

int Byte(const uint8_t* report, int at) { return report[at]; }
int ByteSum(const uint8_t* report, int from, int count) {
    int sum = 0;
    for (int i = 0; i < count; ++i) sum += report[from + i];
    return sum;
}

// The minutes he played, as the report's two minute fields give them.
int16_t MinutesOf(const uint8_t* report) {
    return int16_t(std::max(0, int(int8_t(report[kStatsEndMinute])) - int8_t(report[kStatsStartMinute])));
}

// The counter bytes of the view, by their positions in the player report.
void ValuesOf(const uint8_t* report, uint16_t view, bool firstRow, int16_t* values) {
    const int rating = int16_t(recbits::LoadU16(report + kPlayerRating));
    switch (view) {
        case 0:
            values[0] = int16_t(Byte(report, 66) + Byte(report, 67) + Byte(report, 68) + Byte(report, 69) +
                                Byte(report, 72));
            values[1] = int16_t(Byte(report, 66) + Byte(report, 67) + Byte(report, 68));
            values[2] = firstRow ? MinutesOf(report) : int16_t(-1);
            return;
        case 1:
            values[0] = int16_t(Byte(report, 59));
            values[1] = int16_t(Byte(report, 60));
            break;
        case 2:
            values[0] = int16_t(ByteSum(report, 92, 16));
            values[1] = int16_t(ByteSum(report, 108, 16));
            break;
        default:
            values[0] = int16_t(Byte(report, 43) + Byte(report, 44));
            values[1] = int16_t(Byte(report, 43));
            break;
    }
    // The match score, on the ten-point scale times ten.
    values[2] = int16_t(std::max(rating, 0));
}

int16_t ScaleAbove(int largest) { return int16_t(largest / 10 * 10 + 10); }

void BuildStatsRows(const PostMatchView& match) {
    g_statsRowCount = 0;
    int largestFirst = 0, largestThird = 0;
    for (int entry = 0; entry < kIgStatsPlayers && g_statsRowCount < kTeamStatsRows; ++entry) {
        if (entry > 10 && !PostMatch_Played(match, TeamStatsSide, entry)) continue;
        const uint8_t* report = PostMatch_Report(match, TeamStatsSide, entry);
        TeamStatsRow& row = g_statsRows[g_statsRowCount];
        row.shirt = int16_t(entry + 1);
        row.player = uint16_t(PlayerNumberOf(match, TeamStatsSide, entry));
        row.minutes = MinutesOf(report);
        ValuesOf(report, TeamStatsView, g_statsRowCount == 0, row.values);
        PlayerNameOf(match, TeamStatsSide, entry, g_statsNames[g_statsRowCount]);
        g_statsEntries[g_statsRowCount] = int16_t(entry);
        largestFirst = std::max<int>(largestFirst, row.values[0]);
        largestThird = std::max({largestThird, int(row.minutes), int(row.values[2])});
        ++g_statsRowCount;
    }
    g_scales[0] = ScaleAbove(largestFirst);
    g_scales[1] = ScaleAbove(largestThird);
}

}  // namespace

void TeamStatsMenu() {
    const PostMatchView match = PostMatch_Shown();
    if (IsMenuFirstEntry() == 1) {
        SetMenuTitleDate(4);
        TeamStatsSide = PostMatch_FirstSide(match);
        TeamStatsView = 1;
    }
    TeamStatsView = uint16_t(std::min<int>(TeamStatsView, kStatsViews - 1));
    BuildStatsRows(match);
    std::copy(std::begin(kStatsHeadings[TeamStatsView]), std::end(kStatsHeadings[TeamStatsView]),
              g_statsHeadings);
    g_viewTitle = kStatsTitles[TeamStatsView];
    SetMenuListRows(int16_t(g_statsRowCount));
    PostMatch_TeamName(match, TeamStatsSide, g_teamTitle);
}

int32_t TeamStats_ToggleSide(PopupCallBlock*) {
    TeamStatsSide ^= 1;
    return MENU_REDRAW;
}

int32_t TeamStats_SetView(PopupCallBlock* call) {
    const int view = int(call->row) - 1;
    if (view < 0 || view >= kStatsViews) return MENU_CONTINUE;
    TeamStatsView = uint16_t(view);
    return MENU_REDRAW;
}

int32_t TeamStats_Exit(PopupCallBlock* call) {
    constexpr int16_t kPages[3] = {2, 0, 3};
    if (call->row >= 3) return MENU_CONTINUE;
    return ResultsView_SetPage(kPages[call->row]);
}

int TeamStatsRowCount() { return g_statsRowCount; }
const TeamStatsRow& TeamStatsShownRow(int row) { return g_statsRows[std::clamp(row, 0, kTeamStatsRows - 1)]; }
int16_t TeamStatsScale(int which) { return g_scales[which != 0 ? 1 : 0]; }
int16_t TeamStatsHeading(int column) { return g_statsHeadings[std::clamp(column, 0, 2)]; }

namespace {

void DrawValueBar(int x, int y, int width, int value, int scale, uint16_t colour) {
    if (value < 0) return;
    const int length = std::min(width, int(int64_t(value) * width / std::max(scale, 1)));
    if (length > 0) FillSolidRect(x, y + 6, length, 14, colour);
    DrawNumberAt(x + width + 6, y + 13, value, JUSTIFY_LEFT_MIDDLE);
}

void PaintStatsRow(int, int y, int, int) {
    const int r = MenuPaintRow();
    if (r < 0 || r >= g_statsRowCount) return;
    const TeamStatsRow& row = g_statsRows[r];
    DrawRowShade(20, y, 760, kStatsRowStep - 2);
    SetFont(8);
    SetDrawParam(1, 0);
    SetDrawParam(3, 0);
    DrawNumberAt(44, y + 13, row.shirt, JUSTIFY_RIGHT_MIDDLE);
    DrawTextAddrAt(56, y + 13, g_statsNames[r], JUSTIFY_LEFT_MIDDLE);
    DrawValueBar(kFirstBarX, y, kPairBarWidth, row.values[0], g_scales[0], kFirstColour);
    DrawValueBar(kFirstBarX + kPairBarWidth + 40, y, kPairBarWidth, row.values[1], g_scales[0],
                 kSecondColour);
    DrawValueBar(kThirdBarX, y, kThirdBarWidth, row.values[2], g_scales[1], kThirdColour);
}

const MenuItem kStatsRow[] = {
    {MI_CUSTOM, 20, 0, 760, kStatsRowStep, MenuFunction(PaintStatsRow), nullptr},
    kMenuEnd,
};

PopupEntry g_viewPopup[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr},
    {POPUP_STRING_VARIABLE, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, &g_teamTitlePointer, TeamStats_ToggleSide,
     nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(41), TeamStats_SetView, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(1625), TeamStats_SetView, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(1628), TeamStats_SetView, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(1629), TeamStats_SetView, nullptr},
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

PopupEntry g_exitPopup[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(-1), nullptr, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(1835), TeamStats_Exit, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(1683), TeamStats_Exit, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(917), TeamStats_Exit, nullptr},
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

}  // namespace

const MenuItem TeamStatsTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(TeamStatsMenu), nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(1014), nullptr},
    {MI_TEXT_COLOUR, 0, 0, 0, 0, MenuValue(0), nullptr},
    {MI_TEXT, 80, 36, JUSTIFY_LEFT_MIDDLE, 0, MenuValue(kTextRating), nullptr},
    {MI_TEXT_VAR, 340, 36, JUSTIFY_LEFT_MIDDLE, 0, &g_viewTitle, nullptr},
    {MI_STRING_VAR, 760, 36, JUSTIFY_RIGHT_MIDDLE, 0, &g_teamTitlePointer, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT_VAR, kFirstBarX + kPairBarWidth / 2, 64, JUSTIFY_CENTRE_MIDDLE, 0, &g_statsHeadings[0], nullptr},
    {MI_TEXT_VAR, kFirstBarX + kPairBarWidth * 3 / 2 + 40, 64, JUSTIFY_CENTRE_MIDDLE, 0, &g_statsHeadings[1],
     nullptr},
    {MI_TEXT_VAR, kThirdBarX + kThirdBarWidth / 2, 64, JUSTIFY_CENTRE_MIDDLE, 0, &g_statsHeadings[2],
     nullptr},
    {MI_GROUP, 0, kStatsRowTop, kTeamStatsRows, kStatsRowStep, kStatsRow, nullptr},
    {MI_BUTTON_TEXT, 60, 559, 338, 30, MenuValue(898), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_viewPopup, nullptr},
    {MI_BUTTON_TEXT, 399, 559, 338, 30, MenuValue(623), MenuHandler_Accept},
    {MI_POPUP, 0, 0, 0, 0, g_exitPopup, nullptr},
    kMenuEnd,
};
