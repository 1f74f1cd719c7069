// The post-match pages over constructed set-up and result blocks: the
// player chart's rows, views, scales, header and growing bars, with a grab
// of its column panels; the team statistics' rows and counter bytes in
// four views, their scales, side and exits; the match graph's series,
// smoothing and steps, its pop-ups and a grab with every series hidden.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/records/text.h"
#include "game/match3d/playerstatsmenu.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/matchday/lastmatch.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/matchday/matchgraph.h"
#include "game/screens/matchday/resultsview.h"
#include "tests/game/screens/engine_fixture.h"

namespace post_match_pages_test {

using namespace gameinfo;

constexpr int kUsedSub = 11;
constexpr int kPlayersUsed = 12;  // the first eleven and one substitute

uint8_t* Report(int side, int entry) { return MatchPlayerReport(side, entry); }

LastMatchCopy& Kept() {
    static LastMatchCopy copy;
    return copy;
}
uint8_t* KeptReport(int side, int entry) {
    return Kept().result.teams[side].bytes + kReportPlayers + entry * kPlayerReportSize;
}

// The constructed blocks become the kept match; the live ones are then
// scribbled over, as the day's later fixtures do.
void Keep() {
    Kept() = LastMatchCopy{};
    Kept().setup = GameInfo;
    Kept().result = MatchResult;
    Kept().fixture = -1;
    Kept().referee = -1;
    LastMatch_Set(Kept());
    std::memset(GameInfo.bytes, 0x11, sizeof GameInfo.bytes);
    std::memset(&MatchResult, 0x22, sizeof MatchResult);
}

void PutName(int at, int length, const char* name) {
    std::memset(GameInfo.bytes + at, 0, size_t(length));
    std::memcpy(GameInfo.bytes + at, name, std::strlen(name));
}

// Home 2 - 1 away; each side's first eleven played 90 minutes and entry 11
// the last 20, entries 12-15 never came on.  A few known counters.
void BuildMatch() {
    std::memset(GameInfo.bytes, 0xFF, sizeof GameInfo.bytes);
    std::memset(&MatchResult, 0, sizeof MatchResult);
    PutName(TeamInfoAt(0), kTeamNameLength, "Harbour Town");
    PutName(TeamInfoAt(1), kTeamNameLength, "Ashford Vale");
    GameInfo.SetTeamU8(0, kHumanManaged, 1);
    GameInfo.SetTeamU8(1, kHumanManaged, 0);
    for (int side = 0; side < 2; ++side) {
        for (int entry = 0; entry < kMatchSquadSize; ++entry) {
            char name[24];
            std::snprintf(name, sizeof name, "%c.Player%d", side == 0 ? 'H' : 'A', entry);
            PutName(PlayerInfoAt(side, entry), kPlayerNameLength, name);
            GameInfo.SetI16(PlayerInfoAt(side, entry) + kPlayerInfoNumber, int16_t(100 + 20 * side + entry));
            GameInfo.SetI16(PlayerInfoAt(side, entry) + kPlayerPosition,
                            int16_t(entry == 0 ? 0 : 1 + entry % 12));
        }
        for (int entry = 0; entry < kTeamReportPlayers; ++entry) {
            uint8_t* r = Report(side, entry);
            const bool played = entry < kPlayersUsed;
            recbits::StoreU16(r + kPlayerRating, uint16_t(played ? 60 + entry : 0));
            if (!played) continue;
            r[kStatsStartMinute] = entry == kUsedSub ? 70 : 0;
            r[kStatsEndMinute] = 90;
        }
    }
    recbits::StoreU16(MatchResult.teams[0].bytes + kReportGoals, 2);
    recbits::StoreU16(MatchResult.teams[1].bytes + kReportGoals, 1);
    uint8_t* r = Report(0, 3);
    r[kStatsTouches] = 33;
    r[kStatsTackleAttempts] = 5;
    r[kStatsShortPassesGood] = 20;
    r[kStatsShortPassesLost] = 4;
    r[kStatsShotsOnTarget] = 2;
    r[kStatsShotsOffTarget] = 3;
    r[kStatsFouls] = 2;
    recbits::StoreU16(r + kStatsValueW, 70);
    std::memset(MatchResult.minutes, 50, sizeof MatchResult.minutes);
    MatchResult.minutes[90] = 255;
    Keep();
}

template <typename Screen>
void Enter(Screen screen) {
    SetMenuFirstEntry(1);
    screen();
    SetMenuFirstEntry(0);
}

int RowOfEntry(int entry) {
    for (int row = 0; row < kIgStatsPlayers; ++row)
        if (ResultsViewShownRow(row).entry == entry) return row;
    return -1;
}

bool SamePixel(uint32_t grabbed, uint16_t colour) {
    const uint32_t p = MenuColourToPixel(colour) & 0xFFFFFF;
    const uint32_t swapped = (p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF);
    return grabbed == p || grabbed == swapped;
}

class PostMatchPagesTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        MenuEngineTest::SetUp();
        if (!started_) return;
        BuildMatch();
        MatchDayResultsView = 2;
    }
    void TearDown() override {
        LastMatch_Forget();
        MenuEngineTest::TearDown();
    }
};

TEST_F(PostMatchPagesTest, ChartRowsViewsAndScales) {
    Enter(ResultsViewMenu);
    EXPECT_STREQ(ResultsViewHeader(), "Harbour Town 2 - 1 Ashford Vale");
    EXPECT_EQ(ResultsViewWhatViewing, 7);
    EXPECT_EQ(ResultsViewSide, 0);
    // Twelve rows: the substitutes who never came on have none.
    for (int row = 0; row < kPlayersUsed; ++row) EXPECT_EQ(ResultsViewShownRow(row).entry, row) << row;
    for (int row = kPlayersUsed; row < kIgStatsPlayers; ++row) EXPECT_EQ(ResultsViewShownRow(row).entry, -1);
    EXPECT_STREQ(ResultsViewShownRow(kUsedSub).name, "H.Player11");
    EXPECT_EQ(ResultsViewShownRow(3).player, 103);
    const IgChartState& chart = ResultsViewChart();
    for (int c = 0; c < kIgStatsColumns; ++c) EXPECT_EQ(chart.columns[c][kPlayersUsed], kIgStatsBlank);

    // Each view its five headings and values.
    const int row = RowOfEntry(3);
    const struct {
        uint16_t view;
        int column, value;
    } known[] = {{0, 1, 5}, {1, 1, 33}, {2, 1, 24}, {4, 1, 5}, {5, 3, 2}, {7, 4, 70}};
    for (const auto& k : known) {
        EXPECT_EQ(ResultsView_PickView(k.view), MENU_REDRAW);
        ResultsViewMenu();
        const int16_t* headings = IgPlayerStats_ViewHeadings(k.view);
        for (int c = 0; c < kIgStatsColumns; ++c) EXPECT_EQ(ResultsViewHeading(c), headings[c]) << k.view;
        EXPECT_EQ(chart.columns[k.column][row], k.value) << "view " << k.view;
        EXPECT_EQ(ResultsView_PickView(k.view), MENU_CONTINUE) << "the view shown";
    }
    // View 0: nobody made a clearance, the column is scaled to 120.
    ResultsView_PickView(0);
    ResultsViewMenu();
    EXPECT_EQ(chart.scales[3], 120);
    EXPECT_EQ(chart.scales[1], 5);
}

TEST_F(PostMatchPagesTest, ChartBarsGrowAndButtonsSetThePage) {
    Enter(ResultsViewMenu);
    const IgChartState& chart = ResultsViewChart();
    EXPECT_EQ(chart.progress, 0);
    EXPECT_TRUE(chart.viewChanged);
    for (int frame = 1; frame <= 9; ++frame) {
        ResultsView_Animate();
        EXPECT_EQ(chart.progress, 10 * frame);
    }
    EXPECT_FALSE(chart.viewChanged);
    ResultsView_Animate();
    EXPECT_EQ(chart.progress, 90);
    EXPECT_EQ(IgPlayerStats_BarLength(45, 90, 84, 90), 42);
    EXPECT_EQ(IgPlayerStats_BarLength(200, 90, 84, 90), 84);

    const uint16_t flags = MatchDayFlags;
    const int16_t pages[] = {3, 1, 0, -1};
    for (int16_t page : pages) {
        MatchDayResultsView = 2;
        EXPECT_EQ(ResultsView_SetPage(page), MENU_CLOSE);
        EXPECT_EQ(MatchDayResultsView, page);
    }
    EXPECT_EQ(ResultsView_OpenGraph(nullptr), MENU_CLOSE);
    EXPECT_EQ(MatchDayResultsView, 5);
    EXPECT_EQ(uint16_t(MatchDayFlags), flags);
    EXPECT_DEATH(
        {
            ResultsViewWhatViewing = 3;
            ResultsViewMenu();
        },
        "Invalid Number in WhatViewing, A_MN6");
}

TEST_F(PostMatchPagesTest, TeamStatisticsReadTheCounterBytes) {
    uint8_t* r = KeptReport(0, 0);
    const int bytes[] = {66, 67, 68, 69, 72};
    for (int i = 0; i < 5; ++i) r[bytes[i]] = uint8_t(i + 1);  // 15 in all, 6 of them 66-68
    r[59] = 23;
    r[60] = 4;
    for (int i = 0; i < 16; ++i) {
        r[92 + i] = 1;
        r[108 + i] = 2;
    }
    r[43] = 3;
    r[44] = 5;
    LastMatch_Set(Kept());
    Enter(TeamStatsMenu);
    EXPECT_EQ(TeamStatsSide, 0) << "the home side's manager is human";
    EXPECT_EQ(TeamStatsView, 1);
    ASSERT_EQ(TeamStatsRowCount(), kPlayersUsed);
    EXPECT_EQ(TeamStatsShownRow(kUsedSub).shirt, kUsedSub + 1);
    EXPECT_EQ(TeamStatsShownRow(kUsedSub).minutes, 20);
    const TeamStatsRow& first = TeamStatsShownRow(0);
    EXPECT_EQ(first.values[0], 23);
    EXPECT_EQ(first.values[1], 4);
    EXPECT_EQ(first.values[2], 60);
    EXPECT_EQ(TeamStatsScale(0), 30);
    EXPECT_EQ(TeamStatsScale(1), 100) << "the largest of 90 minutes and score 71";
    EXPECT_EQ(TeamStatsHeading(1), 941);

    PopupCallBlock call{};
    const struct {
        int view;
        int first, second;
    } views[] = {{0, 15, 6}, {2, 16, 32}, {3, 8, 3}};
    for (const auto& v : views) {
        call.row = uint16_t(v.view + 1);
        EXPECT_EQ(TeamStats_SetView(&call), MENU_REDRAW);
        TeamStatsMenu();
        EXPECT_EQ(first.values[0], v.first) << v.view;
        EXPECT_EQ(first.values[1], v.second) << v.view;
    }
    // View 0 shows the minutes in the first row only.
    call.row = 1;
    TeamStats_SetView(&call);
    TeamStatsMenu();
    EXPECT_EQ(first.values[2], 90);
    for (int row = 1; row < TeamStatsRowCount(); ++row) EXPECT_EQ(TeamStatsShownRow(row).values[2], -1);
    // The away side has no counters: a largest value of 0 scales to 10.
    EXPECT_EQ(TeamStats_ToggleSide(&call), MENU_REDRAW);
    TeamStatsMenu();
    EXPECT_EQ(TeamStatsSide, 1);
    EXPECT_EQ(TeamStatsScale(0), 10);
    EXPECT_EQ(TeamStatsShownRow(0).player, 120);

    const int16_t exits[] = {2, 0, 3};
    for (uint16_t k = 0; k < 3; ++k) {
        call.row = k;
        EXPECT_EQ(TeamStats_Exit(&call), MENU_CLOSE);
        EXPECT_EQ(MatchDayResultsView, exits[k]);
    }
    // An away side run by a human is shown first when the home side is not.
    Kept().setup.SetTeamU8(0, kHumanManaged, 0);
    LastMatch_Set(Kept());
    Enter(TeamStatsMenu);
    EXPECT_EQ(TeamStatsSide, 1);
}

TEST_F(PostMatchPagesTest, GraphSeriesSmoothAndStep) {
    uint8_t minutes[kMatchMinutes];
    std::memset(minutes, 50, sizeof minutes);
    const uint8_t start[] = {50, 100, 100, 0};
    std::memcpy(minutes, start, sizeof start);
    minutes[90] = 255;
    uint16_t series[kGraphMinutes];
    int step = 0;
    EXPECT_EQ(MatchGraph_Series(minutes, 0, series, &step), 90);
    EXPECT_EQ(step, 5);
    const uint16_t smoothed[] = {50, 60, 68, 55};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(series[i], smoothed[i]) << i;
    // Side 1 reads each value as its distance from 100.
    minutes[0] = 30;
    MatchGraph_Series(minutes, 1, series, &step);
    EXPECT_EQ(series[0], 70);
    EXPECT_EQ(series[1], 70 + (0 - 70) / 5);
    // Extra time: 3 units a minute; no end marker: 120 values.
    minutes[90] = 50;
    minutes[120] = 255;
    EXPECT_EQ(MatchGraph_Series(minutes, 0, series, &step), 120);
    EXPECT_EQ(step, 3);
    minutes[120] = 50;
    EXPECT_EQ(MatchGraph_Series(minutes, 0, series, &step), 120);
    // An end marker before minute 85, or any value past 100, counts as 100.
    std::memset(minutes, 100, sizeof minutes);
    minutes[10] = 255;
    minutes[11] = 180;
    minutes[95] = 255;
    EXPECT_EQ(MatchGraph_Series(minutes, 0, series, &step), 95);
    EXPECT_EQ(series[11], 100);

    Enter(MatchGraphMenu);
    EXPECT_EQ(MatchGraphSide, 0);
    EXPECT_EQ(MatchGraphPoints(), 91);
    EXPECT_STREQ(MatchGraphScoreLine(), "Harbour Town 2 - 1 Ashford Vale");
    EXPECT_EQ(std::string(MatchGraphSideLabel()), std::string(GetText(1401)) + " Ashford Vale");
    PopupCallBlock call{};
    call.row = 0;
    EXPECT_EQ(MatchGraph_Toggle(&call), MENU_REDRAW);
    MatchGraphMenu();
    EXPECT_EQ(std::string(MatchGraphSideLabel()), std::string(GetText(1401)) + " Harbour Town");
    const int16_t exits[] = {3, 0, 4};
    for (uint16_t k = 0; k < 3; ++k) {
        call.row = k;
        EXPECT_EQ(MatchGraph_Exit(&call), MENU_CLOSE);
        EXPECT_EQ(MatchDayResultsView, exits[k]);
    }
}

// Runs the table with the scripted user's steps, grabbing once they are
// done; the user then leaves through the given exit.
std::vector<uint32_t> GrabWhileShown(const MenuItem* table, const std::function<void()>& steps,
                                     const std::function<void()>& leave) {
    static std::vector<uint32_t> grab;
    grab.clear();
    testenv::MenuUserWaitFor([table] { return testenv::MenuTableUp(table); }, 3000);
    testenv::MenuUserWait(15);
    steps();
    testenv::MenuUserMoveTo(790, 590);
    testenv::MenuUserWait(3);
    testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] { grab = testenv::NewestGrabPixels(); });
    leave();
    RunMenuSet(table);
    return grab;
}

void ClickPopupEntry(int buttonX, int row) {
    testenv::MenuUserClickItem(
        [buttonX](const MenuHotItem& item) { return item.x == buttonX && item.y == 559; });
    testenv::MenuUserWait(15);
    testenv::MenuUserClickPopupRow(row);
    testenv::MenuUserWait(15);
}

TEST_F(PostMatchPagesTest, GrabsOfTheChartPanelsAndTheBareGraph) {
    const std::vector<uint32_t> chart = GrabWhileShown(
        ResultsViewTable, [] { testenv::MenuUserWait(20); },
        [] {
            testenv::MenuUserClickItem(
                [](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
        });
    ASSERT_EQ(chart.size(), 800u * 600u);
    EXPECT_EQ(MatchDayResultsView, -1);
    auto at = [&chart](int x, int y) { return chart[size_t(y) * 800 + size_t(x)]; };
    // Row 13 is blank: the panels show there with their grid.
    for (int x : {244, 350, 456, 562, 668}) {
        EXPECT_TRUE(SamePixel(at(x + 40, 396), 0x4A69)) << x << " the middle line";
        EXPECT_TRUE(SamePixel(at(x + 8, 396), 0xB596)) << x;
        EXPECT_TRUE(SamePixel(at(x + 3, 393), 0x4A69)) << x << " each fourth line across";
        EXPECT_TRUE(SamePixel(at(x + 3, 388), 0xB596)) << x;
        // The lilac of the lower left corner, whichever way the grab orders
        // its channels.
        const uint32_t fill = at(x + 3, 396);
        const int outer[2] = {int(fill >> 16 & 255), int(fill & 255)}, g = int(fill >> 8 & 255);
        const int r = std::min(outer[0], outer[1]), b = std::max(outer[0], outer[1]);
        EXPECT_TRUE(b > r && r > g && r >= 150 && r <= 200 && b <= 230) << std::hex << fill;
    }

    // Every series hidden: none of their colours, the grid and axes stay.
    const std::vector<uint32_t> graph = GrabWhileShown(
        MatchGraphTable,
        [] {
            for (int row : {1, 2, 3}) ClickPopupEntry(60, row);
        },
        [] { ClickPopupEntry(399, 1); });
    ASSERT_EQ(graph.size(), 800u * 600u);
    EXPECT_EQ(MatchDayResultsView, 0);
    EXPECT_EQ(MatchGraphHideA + MatchGraphHideB + MatchGraphHideC, 3);
    int seriesPixels = 0;
    for (int y = 140; y < 440; ++y)
        for (int x = 60; x < 560; ++x) {
            const uint32_t p = graph[size_t(y) * 800 + size_t(x)];
            for (uint16_t colour : {uint16_t(25), uint16_t(25401), uint16_t(46277), uint16_t(51200)})
                seriesPixels += SamePixel(p, colour);
        }
    EXPECT_EQ(seriesPixels, 0);
    EXPECT_TRUE(SamePixel(graph[size_t(250) * 800 + 80], 52825)) << "the vertical axis";
    EXPECT_TRUE(SamePixel(graph[size_t(350) * 800 + 300], 52825)) << "the base line";
    EXPECT_TRUE(SamePixel(graph[size_t(330) * 800 + 300], 6339)) << "a grid line";
}

}  // namespace post_match_pages_test
