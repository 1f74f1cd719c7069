// The user's match of a Continue day shown in the 3D display: the finished
// team news' bar starts it, the display draws the stadium and both sides'
// figures offscreen, the results loop follows on the rebuilt menus; one
// seed and one input give one result block; under "-no3d" the match is
// played without display.  Each day runs in a child process started from
// the same world, so every run starts alike.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchclock.h"
#include "core/match/matchhooks.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/match/wholematch.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/newgame.h"
#include "game/match3d/kitpalette.h"
#include "game/match3d/matchcam.h"
#include "game/match3d/matchframe.h"
#include "game/match3d/matchkeys.h"
#include "game/match3d/renderview.h"
#include "game/match3d/videochoice.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/matchday/lastmatch.h"
#include "game/screens/matchday/matchchart.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/matchday/matchgraph.h"
#include "game/screens/matchday/matchstatsscreen.h"
#include "game/screens/matchday/resultboard.h"
#include "game/screens/matchday/resultsview.h"
#include "game/screens/start/startmenu.h"
#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"
#include "game/system/mouse.h"
#include "game/system/poll.h"
#include "game/system/startup.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "tests/fakes/child_run.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/day_user.h"
#include "tests/fakes/menu_user.h"
#include "tests/fakes/shown_match.h"
#include "tests/fakes/sound_recorder.h"
#include "tests/fakes/test_util.h"
#include "tests/game/screens/shared_world.h"

namespace {

using testenv::FirstClubOf;
using testenv::FixturesOn;

// What a child saw of its day.
struct ShownDay {
    int32_t framesDrawn = 0;
    int32_t greenPercent = 0;
    int32_t shirtsSeen = 0;  // bit per side
    int32_t shownMatches = 0;
    int32_t unshownMatches = 0;
    int32_t watchClicks = 0;
    int32_t resultBoards = 0;
    int32_t menusOpen = 0;
    int32_t played = 0;
    // The result board as it stood, and the chart and statistics screens
    // opened after the day's other fixtures.
    int32_t boardDashInk = 0;
    int32_t goalMinutes = 0;
    int32_t fixtureGoals = -1;
    char homeLine[96] = {};
    char awayLine[96] = {};
    char expectedHome[96] = {};
    char expectedAway[96] = {};
    char chartTitle[128] = {};
    char statsTitle[128] = {};
    char expectedTitle[128] = {};
    uint8_t result[sizeof MatchResult] = {};
};

ShownDay g_day;

void PressKey(int code) {
    plat::InjectKey(uint8_t(code & 127), code >= 128, true);
    plat::InjectKey(uint8_t(code & 127), code >= 128, false);
}

// How far the look at the shown match has come: 0 the fly-in, 1 undrawn
// through the line-up to the kick-off, 2 grabbing play, 3 undrawn to the end.
int g_phase = 0;
int g_shownGrabs = 0;

void LookAtTheMatch() {
    if (g_phase == 3) {
        PressKey(matchkey::kU);  // each period starts drawn
        return;
    }
    if (g_phase == 0) {
        FlyInHeight = 0.0f;
        PressKey(matchkey::kH);
        g_phase = 1;
        return;
    }
    if (g_phase != 2 || D3DGameFramesDrawn % 5 != 0) return;
    const testenv::Frame now = testenv::GrabFrame("grab_dayshown.tga");
    if (g_shownGrabs++ == 0) {
        g_day.greenPercent = testenv::GreenPercent(now);
    }
    for (int side = 0; side < 2; ++side)
        if (testenv::SideShirtInView(now, side)) g_day.shirtsSeen |= 1 << side;
    if (g_day.shirtsSeen == 3 || g_shownGrabs >= 20) g_phase = 3;
}

// The match of the fixture pipeline with halves of a minute, both sides in
// the computer's hands (no in-match menus wait for the user); a shown one
// is looked at in play after the kick-off and then runs undrawn.
void ShortMatch() {
    EnterGameInfo* block = GetMatchSetupBlock();
    block->SetI16(gameinfo::kDurationMinutes, 1);
    uint8_t human[2];
    for (int side = 0; side < 2; ++side) {
        human[side] = block->TeamU8(side, gameinfo::kHumanManaged);
        block->SetTeamU8(side, gameinfo::kHumanManaged, 0);
    }
    ((DisplayModeFlags & kDisplayOff) != 0 ? g_day.unshownMatches : g_day.shownMatches) += 1;
    g_phase = 0;
    g_shownGrabs = 0;
    MatchHooks.updateAndRender = [] {
        D3DGame_Update();
        const int32_t drawn = D3DGameFramesDrawn;
        D3DGame_RenderFrame();
        if (D3DGameFramesDrawn != drawn) LookAtTheMatch();
    };
    MatchHooks.tickDisplayStep = [] {
        if (D3DGame_IsStarted()) D3DGame_Tick();
        // Play under way: drawing on again, as a user back to watch.
        if (g_phase == 1 && MatchClockRunning && PeriodClock > 150) {
            DrawMode = 0;
            g_phase = 2;
        }
    };
    PlayMatch();
    for (int side = 0; side < 2; ++side) block->SetTeamU8(side, gameinfo::kHumanManaged, human[side]);
}

class MatchDayShownTest : public ::testing::Test {
  protected:
    static inline testenv::SharedNewWorld world_;
    void SetUp() override {
        worldReady_ = testenv::StartFromNamedWorld(world_);
        if (!worldReady_) GTEST_FAIL() << world_.error;
    }

    // After the day: the match chart (screen 50) and from its click area
    // the match statistics (71), which leave to the club.
    static void LookAtTheKeptMatch() {
        testenv::MenuUserWaitFor([] { return testenv::MenuTableUp(MatchChartTable); }, 3000);
        testenv::MenuUserWait(3);
        testenv::MenuUserDo([] {
            std::snprintf(g_day.chartTitle, sizeof g_day.chartTitle, "%s", MatchChartTitle());
            testenv::MenuUserClickAt(590, 456);
            testenv::MenuUserWaitFor([] { return testenv::MenuTableUp(MatchStatsScreenTable); }, 3000);
            testenv::MenuUserWait(3);
            testenv::MenuUserDo([] {
                std::snprintf(g_day.statsTitle, sizeof g_day.statsTitle, "%s", MatchStats_Title());
                testenv::MenuUserClickItem(
                    [](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
            });
        });
        StdoutCapture quiet;
        MenuOption = kScreenLastMatch;
        for (int screen = 0; screen < 2 && MenuOption != kScreenClubMain && !WinCloseRequested(); ++screen)
            DoMainMenuOption();
        quiet.Text();
    }

    // One day of the user's league match against a club of his division,
    // the day user clicking what it offers.
    static void PlayTheDay(bool no3d, uint32_t seed) {
        testenv::StartShownGame(no3d);
        const int16_t user = FirstClubOf(0, 0), rival = FirstClubOf(0, 0, user);
        SetPlayerClub(1, uint16_t(user));
        SetClubControl(user, 1);
        HVW_SetViewedCountry(0);
        SoakMode = 0;
        SavedGoalCount = 0;
        int16_t day = 100;
        while (day < 350 && (FixturesOn(day) != 0 || FixturesOn(day + 1) != 0)) ++day;
        SeasonCalendar.currentDay = day;
        const int16_t slot = HVW_AddFixture(day, kCompLeague, user, rival, 0);
        ResultMakers.playMatch = ShortMatch;
        GameSeedRandom(seed);
        testenv::MenuUserStart();
        testenv::DayUserWatch() = [] {
            if (!testenv::MenuTableUp(ResultBoardTable) || g_day.homeLine[0] != 0) return;
            // White ink of the "-" at (400, 112).
            for (int y = 104; y < 120; ++y)
                for (int x = 396; x < 405; ++x) {
                    const uint32_t p = GetBackBufferPixel(x, y);
                    g_day.boardDashInk += (p & 0xFF) > 170 && (p >> 8 & 0xFF) > 170 && (p >> 16 & 0xFF) > 170;
                }
            std::snprintf(g_day.homeLine, sizeof g_day.homeLine, "%s", ResultBoardHomeLine());
            std::snprintf(g_day.awayLine, sizeof g_day.awayLine, "%s", ResultBoardAwayLine());
            // Every goal stands in the lists by its minute.
            for (int side = 0; side < 2; ++side) {
                const std::string text = ResultBoardGoalText(side);
                for (size_t i = 0; i < text.size(); ++i)
                    g_day.goalMinutes +=
                        std::isdigit(uint8_t(text[i])) && (i == 0 || !std::isdigit(uint8_t(text[i - 1])));
            }
        };
        testenv::DayUserStart();
        ContinueMode = 0;
        MenuOption = kScreenContinueGame;
        {
            StdoutCapture quiet;
            DoMainMenuOption();
            quiet.Text();
        }
        testenv::DayUserStop();
        testenv::DayUserWatch() = nullptr;
        const uint32_t score = slot >= 0 ? FixtureScore(slot) : 0;
        g_day.fixtureGoals = int32_t((score & 31) + (score >> 5 & 31));
        std::snprintf(g_day.expectedHome, sizeof g_day.expectedHome, "%s %d", LastMatch_TeamName(0),
                      int(score & 31));
        std::snprintf(g_day.expectedAway, sizeof g_day.expectedAway, "%d %s", int(score >> 5 & 31),
                      LastMatch_TeamName(1));
        std::snprintf(g_day.expectedTitle, sizeof g_day.expectedTitle, "%s %d - %d %s", LastMatch_TeamName(0),
                      int(score & 31), int(score >> 5 & 31), LastMatch_TeamName(1));
        LookAtTheKeptMatch();
        g_day.framesDrawn = D3DGameFramesDrawn;
        g_day.watchClicks = testenv::DayUserSeen().watchClicks;
        g_day.resultBoards = testenv::DayUserSeen().resultBoards;
        g_day.menusOpen = MenuDisplayIsOpen();
        g_day.played = slot >= 0 && IsFixturePlayed(slot) ? 1 : 0;
        std::memcpy(g_day.result, &MatchResult, sizeof MatchResult);
    }

    // The day in a child process; what it saw comes back through a pipe.
    // False (the test failed with how the child ended) when it saw nothing.
    static bool DayInChild(bool no3d, uint32_t seed, ShownDay* seen) {
        const std::vector<uint8_t> got = testenv::BytesFromChild([no3d, seed] {
            g_day = ShownDay{};
            PlayTheDay(no3d, seed);
            const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&g_day);
            return std::vector<uint8_t>(bytes, bytes + sizeof g_day);
        });
        if (got.size() != sizeof *seen) return false;
        std::memcpy(seen, got.data(), sizeof *seen);
        return true;
    }

    static inline bool worldReady_ = false;
};

TEST_F(MatchDayShownTest, TheBarShowsTheMatchIn3DThenTheResultsAndNo3DPlaysItUndisplayed) {
    ShownDay first, second, plain;
    ASSERT_TRUE(DayInChild(false, 777, &first)) << "the shown day";
    EXPECT_EQ(first.played, 1);
    EXPECT_EQ(first.watchClicks, 1) << "the finished team news' bar";
    EXPECT_EQ(first.shownMatches, 1);
    EXPECT_EQ(first.unshownMatches, 0);
    // Drawn frames of the fly-in, the look at play and each period's start;
    // the look ends as soon as both kits have been in view, at the first
    // grab (the fifth frame) at the soonest: then the fly-in's frame and
    // the one that reads its H, three of play, the one that presses U and
    // the one that reads it, and the second half's first.
    EXPECT_GE(first.framesDrawn, 8);
    EXPECT_GT(first.greenPercent, 20) << "the pitch in the grab";
    EXPECT_NE(first.shirtsSeen, 0) << "figures in their kit in the grab";
    EXPECT_EQ(first.resultBoards, 1) << "the results loop after the match";
    EXPECT_EQ(first.menusOpen, 1) << "the menus rebuilt after the display";
    // The result board of the played match; the chart and the statistics
    // opened after the day's other fixtures show it still.
    EXPECT_GT(first.boardDashInk, 0);
    EXPECT_STREQ(first.homeLine, first.expectedHome);
    EXPECT_STREQ(first.awayLine, first.expectedAway);
    EXPECT_EQ(first.goalMinutes, first.fixtureGoals);
    EXPECT_STREQ(first.chartTitle, first.expectedTitle);
    EXPECT_STREQ(first.statsTitle, first.expectedTitle);

    // The same seed and input: the same result block.
    ASSERT_TRUE(DayInChild(false, 777, &second)) << "the shown day again";
    EXPECT_EQ(second.shownMatches, 1);
    EXPECT_EQ(std::memcmp(first.result, second.result, sizeof first.result), 0);

    // Without 3D the bar is clicked all the same and the match is played
    // undisplayed.
    ASSERT_TRUE(DayInChild(true, 777, &plain)) << "the day under -no3d";
    EXPECT_EQ(plain.played, 1);
    EXPECT_EQ(plain.watchClicks, 1);
    EXPECT_EQ(plain.shownMatches, 0);
    EXPECT_EQ(plain.unshownMatches, 1);
    EXPECT_EQ(plain.framesDrawn, 0);
    EXPECT_EQ(plain.resultBoards, 1);
    EXPECT_STREQ(plain.homeLine, plain.expectedHome);
    EXPECT_EQ(plain.goalMinutes, plain.fixtureGoals);
    EXPECT_STREQ(plain.chartTitle, plain.expectedTitle);
    EXPECT_STREQ(plain.statsTitle, plain.expectedTitle);
}

// What a child saw of the post-match pages: the pages in the order they
// came up (1 the result board, 2 the player chart, 3 the graph, 4 the team
// statistics) and the match-day flags at the board and at the last page.
struct PagesPath {
    int32_t pages[8] = {};
    int32_t count = 0;
    int32_t flagsAtBoard = -1;
    int32_t flagsAtLastPage = -2;
    int32_t chartRows = 0;
    int32_t resultsLists = 0;
    int32_t resultBoards = 0;
};

PagesPath g_path;

void NotePage(int32_t page) {
    if (g_path.count < 8) g_path.pages[g_path.count++] = page;
}

void ClickPage(int x, int y) {
    testenv::MenuUserClickItem([x, y](const MenuHotItem& item) { return item.x == x && item.y == y; });
}

void AwaitPage(const MenuItem* table, int32_t page) {
    testenv::MenuUserWaitFor([table] { return testenv::MenuTableUp(table); }, 3000);
    testenv::MenuUserWait(15);  // past the engine's click latch
    testenv::MenuUserDo([page] { NotePage(page); });
}

// From the board after the user's match: the chart (574), the graph (the
// other side's button), the team statistics (the graph's exit 243), the
// chart again (the exit 1835) and its back icon.
bool WalkThePostMatchPages() {
    static bool walked = false;
    if (walked || !testenv::MenuTableUp(ResultBoardTable)) return false;
    walked = true;
    testenv::MenuUserDo([] {
        g_path.flagsAtBoard = uint16_t(MatchDayFlags);
        NotePage(1);
    });
    ClickPage(398, 559);
    AwaitPage(ResultsViewTable, 2);
    testenv::MenuUserDo([] {
        for (int row = 0; row < kIgStatsPlayers; ++row)
            g_path.chartRows += ResultsViewShownRow(row).entry >= 0;
    });
    ClickPage(60, 504);
    AwaitPage(MatchGraphTable, 3);
    ClickPage(399, 559);
    testenv::MenuUserWait(15);
    testenv::MenuUserClickPopupRow(2);
    AwaitPage(TeamStatsTable, 4);
    ClickPage(399, 559);
    testenv::MenuUserWait(15);
    testenv::MenuUserClickPopupRow(0);
    AwaitPage(ResultsViewTable, 2);
    testenv::MenuUserDo([] { g_path.flagsAtLastPage = uint16_t(MatchDayFlags); });
    ClickPage(743, 559);
    return true;
}

TEST_F(MatchDayShownTest, ThePostMatchPagesLeadFromTheBoardThroughTheGraphAndBack) {
    const std::vector<uint8_t> got = testenv::BytesFromChild([] {
        g_path = PagesPath{};
        testenv::DayUserScreen() = WalkThePostMatchPages;
        PlayTheDay(true, 778);
        testenv::DayUserScreen() = nullptr;
        g_path.resultsLists = testenv::DayUserSeen().resultsLists;
        g_path.resultBoards = testenv::DayUserSeen().resultBoards;
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&g_path);
        return std::vector<uint8_t>(bytes, bytes + sizeof g_path);
    });
    PagesPath path;
    ASSERT_EQ(got.size(), sizeof path);
    std::memcpy(&path, got.data(), sizeof path);
    ASSERT_EQ(path.count, 5);
    const int32_t order[5] = {1, 2, 3, 4, 2};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(path.pages[i], order[i]) << i;
    EXPECT_EQ(path.flagsAtLastPage, path.flagsAtBoard) << "the pages leave the match-day flags alone";
    EXPECT_GE(path.chartRows, 11) << "the kept match's players who played";
    // The back icon ended the loop: no board again, on to the day's results.
    EXPECT_EQ(path.resultBoards, 0);
    EXPECT_EQ(path.resultsLists, 1);
}

}  // namespace
