// The in-match statistics screens over a match of two generated sides: the
// team statistics' shares and header, the line-ups' rows and clicks, the
// player statistics' values, scales, views and growing bars, and the
// shoot-out order with each side's own order kept for the shoot-out.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/base/bytes.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/matchstats.h"
#include "core/match/strikes.h"
#include "game/match3d/matchmenus.h"
#include "game/match3d/playerstatsmenu.h"
#include "game/match3d/shootoutscreen.h"
#include "game/match3d/teamstatsmenu.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/system/pixelformats.h"
#include "tests/game/match3d/ingame_fixture.h"

using namespace gameinfo;

namespace {

class IgStatsScreenTest : public InGameScreenTest {
  protected:
    void SetUp() override {
        InGameScreenTest::SetUp();
        if (!started_) return;
        for (auto& team : ThirdTicks)
            for (uint32_t& t : team) t = 0;
        TeamShotCount[0] = TeamShotCount[1] = 0;
        for (auto& team : MatchTeamTotals)
            for (uint16_t& t : team) t = 0;
        OldGoals[0] = OldGoals[1] = 0;
    }
    static int16_t StatsSlot(int side, int entry) { return GetMatchSideSlot(int16_t(side), int16_t(entry)); }
    static MatchFigure& StatsFigure(int side, int entry) {
        return MatchFigures[side * kTeamFigures + StatsSlot(side, entry)];
    }
    static uint16_t StatsPlayer(int side, int entry) {
        return MatchFigurePlayerId(int16_t(side * kTeamFigures + StatsSlot(side, entry)));
    }
    // The length of the first side's colour along a line from x.
    static int StatsBarLength(int x, int y, int limit) {
        const uint32_t colour = ColConvPixel(kIgFirstSideColour, &ColFmt_R5G6B5, &ColFmt_A8B8G8R8) & 0xFFFFFF;
        int n = 0;
        while (n < limit && GetBackBufferPixel(x + n, y) == colour) ++n;
        return n;
    }
};

// ---- Team statistics --------------------------------------------------------------------------------

TEST_F(IgStatsScreenTest, SharesZonesRowsAndTheHeader) {
    if (!started_) return;
    EXPECT_EQ(IgShare(0, 0), 50);
    EXPECT_EQ(IgShare(1, 2), 33);
    EXPECT_EQ(IgShare(2, 1), 66);
    EXPECT_EQ(IgShare(5, 0), 100);
    // Kick-off: every share 50, the ball nowhere yet.
    IgStats_Compute();
    for (int zone = 0; zone < 3; ++zone) {
        EXPECT_EQ(IgTeamStats.zoneShare[zone][0], 50);
        EXPECT_EQ(IgTeamStats.zoneShare[zone][1], 50);
        EXPECT_EQ(IgTeamStats.zoneOccupation[zone], 0);
    }
    for (int row = 0; row < 7; ++row) EXPECT_EQ(IgTeamStats.rowShare[row][0], 50) << row;

    // A constructed set: the bands from the first side's goal.
    const uint32_t own0[3] = {10, 20, 30}, own1[3] = {5, 15, 30};  // each side's own thirds
    for (int t = 0; t < 3; ++t) ThirdTicks[0][t] = own0[t], ThirdTicks[1][t] = own1[t];
    Goals[0] = 2;
    Goals[1] = 1;
    TeamShotCount[0] = 6;
    TeamShotCount[1] = 3;
    StatsFigure(0, 9).goals = 2;
    StatsFigure(0, 8).moreCounts[kMoreShotsSaved] = 1;
    StatsFigure(1, 7).goals = 1;
    MatchTeamTotals[0][kTotalFouls] = 2;
    MatchTeamTotals[1][kTotalFouls] = 4;
    StatsFigure(0, 5).counts[kCountTacklesWon] = 3;
    StatsFigure(0, 5).counts[kCountIntercepts] = 2;
    StatsFigure(1, 2).counts[kCountTacklesWon] = 1;
    MatchTeamTotals[0][kTotalOffsides] = 1;
    IgStats_Compute();
    EXPECT_EQ(IgTeamStats.zoneShare[0][0], 25);  // 10 against the second side's attacking 30
    EXPECT_EQ(IgTeamStats.zoneShare[0][1], 75);
    EXPECT_EQ(IgTeamStats.zoneShare[1][0], 57);  // 20 against 15
    EXPECT_EQ(IgTeamStats.zoneShare[2][0], 85);  // 30 against 5
    EXPECT_EQ(IgTeamStats.zoneOccupation[0], 36);
    EXPECT_EQ(IgTeamStats.zoneOccupation[1], 31);
    EXPECT_EQ(IgTeamStats.zoneOccupation[2], 33);
    const uint32_t expected[7][2] = {{2, 1}, {6, 3}, {3, 1}, {54, 46}, {4, 2}, {5, 1}, {1, 0}};
    const int16_t shares[7] = {66, 66, 75, 54, 66, 83, 100};
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(IgTeamStats.rowValue[row][0], expected[row][0]) << row;
        EXPECT_EQ(IgTeamStats.rowValue[row][1], expected[row][1]) << row;
        EXPECT_EQ(IgTeamStats.rowShare[row][0], shares[row]) << row;
        EXPECT_EQ(IgTeamStats.rowShare[row][1], 100 - shares[row]) << row;
    }

    // First-leg goals leave the header plain; a shoot-out score brackets it.
    OldGoals[0] = 3;
    char left[128], right[128], whole[256];
    IgFormatMatchHeaderParts(left, right, sizeof left);
    EXPECT_STREQ(left, "Generated 0 2 -");
    EXPECT_STREQ(right, " 1 Generated 1");
    ShootOutGoals[0] = 4;
    ShootOutGoals[1] = 3;
    IgFormatMatchHeaderParts(left, right, sizeof left);
    EXPECT_STREQ(left, "Generated 0 2 (4)-");
    EXPECT_STREQ(right, "(3) 1 Generated 1");
    IgFormatMatchHeader(whole, sizeof whole);
    EXPECT_STREQ(whole, "Generated 0 2 (4)-(3) 1 Generated 1");
}

// ---- Line-ups ---------------------------------------------------------------------------------------

TEST_F(IgStatsScreenTest, LineupsRowsMarksAndClicks) {
    if (!started_) return;
    GameInfo.SetI16(kNumAvailableSubs, 3);
    StatsFigure(0, 2).cautions = 1;
    StatsFigure(0, 3).cautions = 2;
    StatsFigure(0, 6).sentOff = 1;
    StatsFigure(1, 4).injury = 3;
    StatsFigure(1, 9).goals = 2;
    IgLineups_Fill();
    for (int row = 0; row < kIgLineupRows; ++row) {
        const bool filled = row < 11 || (row >= 12 && row <= 14);
        EXPECT_EQ(IgLineups[row][0].player != 0, filled) << row;
        EXPECT_EQ(IgLineups[row][1].player != 0, filled) << row;
    }
    EXPECT_EQ(IgLineups[12][0].player, StatsPlayer(0, 11));
    EXPECT_EQ(IgLineups[14][1].player, StatsPlayer(1, 13));
    EXPECT_STRNE(IgLineups[0][0].rating, "") << "a starter is rated";
    EXPECT_STREQ(IgLineups[12][0].rating, "") << "a substitute who has not played shows no rating";
    int captains = 0;
    for (int row = 0; row < 11; ++row) {
        if (MatchIsCaptain(0, StatsSlot(0, row)) != 0) {
            EXPECT_EQ(std::string(IgLineups[row][0].captain), "(C)");
            ++captains;
        } else {
            EXPECT_STREQ(IgLineups[row][0].captain, "");
        }
    }
    EXPECT_EQ(captains, 1);
    EXPECT_EQ(IgLineups[2][0].cardIcons[0], 15);
    EXPECT_EQ(IgLineups[2][0].cardIcons[1], -1);
    EXPECT_EQ(IgLineups[3][0].cardIcons[0], 15);
    EXPECT_EQ(IgLineups[3][0].cardIcons[1], 14);
    EXPECT_EQ(IgLineups[6][0].cardIcons[0], 14);
    EXPECT_EQ(IgLineups[4][1].injuryIcon, 16);
    EXPECT_EQ(IgLineups[9][1].count, 2);
    EXPECT_EQ(IgLineups[1][1].count, 0);
    // In a practice match only a player who must be replaced shows the
    // injury: one who left the pitch injured does not.
    GameInfo.SetTeamI16(1, kTeamClub, GameInfo.TeamI16(0, kTeamClub));
    StatsFigure(1, 4).off = 1;
    IgLineups_Fill();
    EXPECT_EQ(IgLineups[4][1].injuryIcon, -1);
    StatsFigure(1, 4).off = 0;
    IgLineups_Fill();
    EXPECT_EQ(IgLineups[4][1].injuryIcon, 16);

    // Row 11 does nothing; row 12 opens entry 11's profile and comes back.
    InGameMenuId = kIgLineupsMenu;
    EXPECT_EQ(IgLineups_PickFirst(11), MENU_CONTINUE);
    EXPECT_EQ(IgLineups_PickSecond(11), MENU_CONTINUE);
    EXPECT_EQ(InGameMenuId, kIgLineupsMenu);
    EXPECT_EQ(IgLineups_PickSecond(15), MENU_CONTINUE) << "past the substitutes";
    EXPECT_EQ(IgLineups_PickSecond(12), MENU_CLOSE);
    EXPECT_EQ(InGameMenuId, kIgProfileMenu);
    EXPECT_EQ(ReturnMenuOption, kIgLineupsMenu);
    EXPECT_EQ(SelectedPlayer, int16_t(StatsPlayer(1, 11)));
    EXPECT_EQ(IgLineups_EntryOfRow(0), 0);
    EXPECT_EQ(IgLineups_EntryOfRow(10), 10);
    EXPECT_EQ(IgLineups_EntryOfRow(11), -1);
    EXPECT_EQ(IgLineups_EntryOfRow(12), 11);
}

// ---- Player statistics ------------------------------------------------------------------------------

TEST_F(IgStatsScreenTest, PlayerValuesScalesViewsAndBars) {
    if (!started_) return;
    GameInfo.SetI16(kNumAvailableSubs, 3);
    MatchFigure& f = StatsFigure(0, 3);
    f.counts[kCountShots] = 5;
    f.goals = 2;
    f.moreCounts[kMoreShotsSaved] = 1;
    f.counts[kCountTacklesWon] = 4;
    f.counts[kCountIntercepts] = 3;
    f.counts[kCountShortPasses] = 9;
    f.counts[kCountShortPassesGood] = 7;
    f.counts[kCountFoulsCommitted] = 2;
    f.stateA = 12;
    IgPlayerValues_Build(0);
    const int16_t* v = IgPlayerValues[3];
    EXPECT_EQ(v[17], 5) << "shots on and off target";
    EXPECT_EQ(v[18], 3);
    EXPECT_EQ(v[19], 2);
    EXPECT_EQ(v[6], 3);
    EXPECT_EQ(v[8], 7) << "tackles won and interceptions";
    EXPECT_EQ(v[13], 9) << "short passes made and lost";
    EXPECT_EQ(v[21], 12);
    EXPECT_EQ(v[23], 2);
    EXPECT_GT(v[4], 0) << "a starter's rating";
    // The match ratings weigh this match's counts: attacking 11 x 3 on
    // target + 21 x 2 goals - 9 x 2 off target; defending 20 x 4 tackles
    // won + 9 x 3 interceptions - 4 x 2 fouls, at most 99.
    EXPECT_EQ(v[3], 57);
    EXPECT_EQ(v[0], 99);
    EXPECT_EQ(IgPlayerValues[11][4], 0) << "an unused substitute";
    EXPECT_EQ(IgPlayerValues[14][0], kIgStatsBlank) << "past the substitutes";

    // The scale rule.
    const std::pair<int, int> snaps[] = {{0, 120}, {-3, 120}, {1, 5},    {5, 5},     {6, 10},   {10, 10},
                                         {11, 15}, {15, 15},  {16, 20},  {20, 20},   {21, 25},  {25, 25},
                                         {26, 50}, {49, 50},  {50, 100}, {100, 100}, {101, 50}, {400, 50}};
    for (auto [m, scale] : snaps) EXPECT_EQ(IgPlayerStats_SnapScale(m), scale) << m;
    std::memset(IgPlayerValues, 0, sizeof IgPlayerValues);
    WhatViewing = 0;
    IgPlayerStats_FillColumns();
    for (int c = 0; c < kIgStatsColumns; ++c) EXPECT_EQ(IgChart.scales[c], 120);
    EXPECT_EQ(IgPlayerStats_BarLength(0, 120, 90, 90), 0);
    IgPlayerValues[2][5] = 7;
    IgPlayerValues[2][6] = 40;
    IgPlayerStats_FillColumns();
    EXPECT_EQ(IgChart.scales[1], 10);
    EXPECT_EQ(IgChart.scales[2], 10) << "the third column takes the second's scale";
    // View 5: minutes against 90, the third column against its best.
    IgPlayerValues[4][24] = 60;
    IgPlayerValues[4][22] = 37;
    WhatViewing = 5;
    IgPlayerStats_FillColumns();
    EXPECT_EQ(IgChart.scales[4], 90);
    EXPECT_EQ(IgChart.scales[2], 37);
    IgPlayerValues[4][24] = 0;
    IgPlayerStats_FillColumns();
    EXPECT_EQ(IgChart.scales[4], 120);
    // View 7 snaps its own third column.
    IgPlayerValues[4][2] = 12;
    IgPlayerValues[4][1] = 60;
    WhatViewing = 7;
    IgPlayerStats_FillColumns();
    EXPECT_EQ(IgChart.scales[1], 100);
    EXPECT_EQ(IgChart.scales[2], 15);
    // Bars: nothing for a negative difference, never past the column or
    // the progress.
    EXPECT_EQ(IgPlayerStats_BarLength(-5, 90, 90, 90), 0);
    EXPECT_EQ(IgPlayerStats_BarLength(120, 90, 90, 90), 90);
    EXPECT_EQ(IgPlayerStats_BarLength(45, 90, 90, 20), 20);
    EXPECT_EQ(IgPlayerStats_BarLength(45, 90, 90, 90), 45);

    // Views and the side switch.
    IgChart.progress = 90;
    IgChart.viewChanged = false;
    EXPECT_EQ(IgPlayerStats_View(7), MENU_CONTINUE);
    EXPECT_EQ(IgChart.progress, 90) << "the shown view does not restart the bars";
    EXPECT_FALSE(IgChart.viewChanged);
    EXPECT_EQ(IgPlayerStats_View(4), MENU_REDRAW);
    EXPECT_EQ(WhatViewing, 4);
    EXPECT_TRUE(IgChart.viewChanged);
    for (int expected : {10, 20, 30, 40, 50, 60, 70, 80, 90, 90}) {
        IgPlayerStats_Animate();
        EXPECT_EQ(IgChart.progress, expected);
    }
    EXPECT_FALSE(IgChart.viewChanged);
    IgViewSide = 0;
    EXPECT_EQ(IgPlayerStats_SwitchSide(), MENU_REDRAW);
    EXPECT_EQ(IgViewSide, 1);
    EXPECT_EQ(WhatViewing, 4) << "the switch keeps the view";
    EXPECT_EQ(IgPlayerValues[3][19], 0) << "the second side's values";
    EXPECT_EXIT(
        {
            WhatViewing = 3;
            IgPlayerStats_FillColumns();
        },
        ::testing::ExitedWithCode(1), "Invalid Number in WhatViewing, IG_MN2");
}

// ---- Shoot-out order --------------------------------------------------------------------------------

TEST_F(IgStatsScreenTest, ShootoutOrderPerSideSwapsAndGrades) {
    if (!started_) return;
    EXPECT_EQ(IgPenaltyGradeText(45), 249);
    EXPECT_EQ(IgPenaltyGradeText(44), 767);
    EXPECT_EQ(IgPenaltyGradeText(35), 767);
    EXPECT_EQ(IgPenaltyGradeText(34), 248);
    // A kicker with every shooting figure 100 is graded by his rating.
    for (int stat : {kStatOutlook, kStatDeadball, kStatComposure})
        GameInfo.SetI16(PlayerInfoAt(0, StatsSlot(0, 5)) + kPlayerStats + 2 * stat, 100);
    uint8_t records[kTeamFigures][kStatsRecordBytes];
    MatchComputePlayerRatings(records, 0);
    const int rating =
        int16_t(recbits::LoadU16(records[StatsSlot(0, 5)] + kStatsValueW - kPlayerStatsRecord));
    EXPECT_EQ(IgPenaltyGrade(0, StatsSlot(0, 5)), IgPenaltyGradeText(rating));

    // A club against itself, both sides human: the same players on both.
    GameInfo.SetTeamI16(1, kTeamClub, GameInfo.TeamI16(0, kTeamClub));
    for (int side = 0; side < 2; ++side) GameInfo.SetTeamU8(side, kHumanManaged, 1);
    for (int e = 0; e < kTeamFigures; ++e)
        GameInfo.SetI16(PlayerInfoAt(1, e) + kPlayerInfoNumber,
                        GameInfo.I16(PlayerInfoAt(0, e) + kPlayerInfoNumber));
    // A substitute brought on stands in entry 3 of the first side.
    const uint16_t substitute = StatsPlayer(0, 12);
    MatchSubstitutePlayer(0, StatsSlot(0, 3), StatsSlot(0, 12));
    for (int side = 0; side < 2; ++side)
        for (uint16_t& kicker : ShootoutOrder[side]) kicker = 9999;
    InGameMenuArgGiven = 1;
    InGameMenuArg = 0;
    IgShootout_Enter();
    IgShootout_Build();
    EXPECT_EQ(IgViewSide, 0);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(ShootoutOrder[0][i], StatsPlayer(0, i + 1)) << i;
        EXPECT_NE(ShootoutOrder[0][i], StatsPlayer(0, 0)) << "never the goalkeeper";
        EXPECT_EQ(IgShootoutRows[i].player, ShootoutOrder[0][i]);
    }
    EXPECT_EQ(ShootoutOrder[0][2], substitute) << "the substitute on in entry 3";
    EXPECT_EQ(ShootoutOrder[1][0], 9999) << "the other side's order untouched";
    // One place picked twice changes nothing; two places swap.
    const uint16_t first = ShootoutOrder[0][0], second = ShootoutOrder[0][1];
    EXPECT_EQ(IgShootout_PickPlace(0), MENU_REDRAW);
    EXPECT_EQ(IgShootoutPick, 0);
    IgShootout_PickPlace(0);
    EXPECT_EQ(IgShootoutPick, 65535);
    EXPECT_EQ(ShootoutOrder[0][0], first);
    IgShootout_PickPlace(1);
    IgShootout_PickPlace(0);
    EXPECT_EQ(ShootoutOrder[0][0], second);
    EXPECT_EQ(ShootoutOrder[0][1], first);
    // The second side's visit fills its own order.
    InGameMenuArg = 1;
    IgShootout_Enter();
    EXPECT_EQ(IgViewSide, 1);
    EXPECT_EQ(ShootoutOrder[1][0], StatsPlayer(1, 1));
    EXPECT_EQ(ShootoutOrder[0][0], second) << "the first side keeps its order";
    EXPECT_EQ(IgShootout_Leave(), MENU_CLOSE);
    EXPECT_EQ(InGameMenuId, kIgLeaveMenus);

    // In the shoot-out each side's kickers come from its own order.
    PenaltiesTaken = 0;
    CurrentTeam = 0;
    EXPECT_EQ(MatchFigurePlayerId(MatchShootoutTaker()), second);
    CurrentTeam = 1;
    const int16_t taker = MatchShootoutTaker();
    EXPECT_GE(taker, kTeamFigures) << "a kicker of the second side";
    EXPECT_EQ(MatchFigurePlayerId(taker), StatsPlayer(1, 1));
}

// ---- Through the engine -----------------------------------------------------------------------------

TEST_F(IgStatsScreenTest, ScreensDrawnThroughTheEngine) {
    if (!started_) return;
    GameInfo.SetTeamU8(0, kHumanManaged, 1);
    Goals[0] = 3;
    Goals[1] = 1;
    ThirdTicks[0][1] = 30;
    ThirdTicks[1][1] = 10;
    static int shareSplit[7];
    static bool splitsSeen;
    // Menu 6: each row's bar splits at its share.
    WaitForScreen(IgTeamStatsTable);
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] {
        splitsSeen = true;
        for (int row = 0; row < 7; ++row) shareSplit[row] = StatsBarLength(283, 258 + row * 38 + 25, 240);
    });
    // The middle pop-up's line-ups, a click on the empty row, then back.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 286 && item.y == 559; });
    testenv::MenuUserWait(15);
    testenv::MenuUserClickPopupRow(2);
    WaitForScreen(IgLineupsTable);
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.x == 40 && item.y == 104 + 11 * 24; });
    testenv::MenuUserWait(5);
    testenv::MenuUserDo([] { EXPECT_EQ(MenuViewTopTable(), IgLineupsTable); });
    ClickHandler(IgButtonBar_Back);
    RunVisit(IGMenu_Request6Auto);
    ASSERT_TRUE(splitsSeen);
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(shareSplit[row], 235 * IgTeamStats.rowShare[row][0] / 100) << row;
    EXPECT_EQ(IgTeamStats.rowShare[0][0], 75);
    EXPECT_EQ(IgTeamStats.rowShare[3][0], 75);

    // Menu 2: the rating column's bars grow frame by frame, then stop.
    static std::vector<int> lengths;
    lengths.clear();
    WaitForScreen(IgPlayerStatsTable);
    for (int frame = 0; frame < 14; ++frame) {
        testenv::MenuUserDo([] { lengths.push_back(StatsBarLength(663, 133 + 11, 120)); });
        testenv::MenuUserWait(1);
    }
    ClickHandler(IgButtonBar_Back);
    RunVisit(IGMenu_Request2);
    ASSERT_EQ(lengths.size(), 14u);
    const int full = IgPlayerStats_BarLength(IgChart.columns[4][0], IgChart.scales[4], 90, 90);
    ASSERT_GT(full, 30);
    EXPECT_LT(lengths.front(), full);
    for (size_t i = 1; i < lengths.size(); ++i) EXPECT_GE(lengths[i], lengths[i - 1]) << i;
    EXPECT_EQ(lengths.back(), full);
    EXPECT_EQ(testenv::MenuUserPending(), 0);
}

}  // namespace
