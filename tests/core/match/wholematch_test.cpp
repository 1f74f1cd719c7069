#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/base/pakfile.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/match/simdisplay.h"
#include "core/records/blockfiles.h"
#include "tests/core/match/match_fixture.h"
#include "tests/fakes/result_check.h"
#include "tests/fakes/test_util.h"

namespace {

using namespace gameinfo;

using matchtest::g_script;
using matchtest::PlayerNumber;
using Periods = std::vector<int>;

class WholeMatchTest : public matchtest::MatchFixture {
  protected:
    void CupRules(bool extraTime, bool penalties, bool goldenGoals, bool awayGoals) {
        Block().SetU8(kExtraTime, extraTime);
        Block().SetU8(kPenalties, penalties);
        Block().SetU8(kGoldenGoals, goldenGoals);
        Block().SetU8(kAwayGoalsRule, awayGoals);
    }
    void FirstLeg(int team0, int team1) {
        Block().SetTeamI16(0, kOldGoals, int16_t(team0));
        Block().SetTeamI16(1, kOldGoals, int16_t(team1));
    }
};

TEST_F(WholeMatchTest, LevelLeagueMatchEndsAfterTheSecondHalf) {
    g_script.goals[0][0] = 1;
    g_script.goals[1][1] = 1;
    MatchResultBlock* result = PlayMatch();
    EXPECT_EQ(PeriodsPlayed(), (Periods{0, 1}));
    EXPECT_EQ(ReportWord(0, kReportGoals), 1);
    EXPECT_EQ(ReportWord(1, kReportGoals), 1);
    EXPECT_EQ(MatchOver, 1);
    EXPECT_EQ(CheckPlayedResult(*result), "");
}

TEST_F(WholeMatchTest, CupTieGoesToExtraTimeAndThenPenalties) {
    CupRules(true, true, false, false);
    g_script.goals[0][0] = 1;
    g_script.goals[1][1] = 1;
    g_script.shootOut[0] = 4;
    g_script.shootOut[1] = 3;
    PlayMatch();
    EXPECT_EQ(PeriodsPlayed(), (Periods{0, 1, 2, 3, 4}));
    EXPECT_EQ(ReportWord(0, kReportShootOutGoals), 4);
    EXPECT_EQ(ReportWord(1, kReportShootOutGoals), 3);
    EXPECT_EQ(CheckPlayedResult(MatchResult), "");

    // A goal in extra time settles it without penalties.
    SetUp();
    CupRules(true, true, false, false);
    g_script.goals[3][1] = 1;
    PlayMatch();
    EXPECT_EQ(PeriodsPlayed(), (Periods{0, 1, 2, 3}));
    EXPECT_EQ(ReportWord(1, kReportGoals), 1);
}

TEST_F(WholeMatchTest, GoldenGoalEndsExtraTime) {
    CupRules(true, true, true, false);
    g_script.goals[2][0] = 1;
    PlayMatch();
    EXPECT_EQ(PeriodsPlayed(), (Periods{0, 1, 2}));

    // Golden goals bring extra time even when the extra-time byte is off;
    // a level first period goes on to the second.
    SetUp();
    CupRules(false, false, true, false);
    PlayMatch();
    EXPECT_EQ(PeriodsPlayed(), (Periods{0, 1, 2, 3}));
}

TEST_F(WholeMatchTest, AwayGoalsDecideTheShootOutButNotExtraTime) {
    // The first leg ended 2-1 to team 1 on its own ground.
    struct Case {
        int home, away;
        bool shootOut;
    };
    for (const Case& c : {Case{1, 0, false}, Case{2, 1, true}, Case{3, 2, false}}) {
        SetUp();
        CupRules(true, true, false, true);
        FirstLeg(1, 2);
        g_script.goals[0][0] = c.home;
        g_script.goals[1][1] = c.away;
        g_script.shootOut[0] = 5;
        g_script.shootOut[1] = 4;
        PlayMatch();
        const Periods expected = c.shootOut ? Periods{0, 1, 2, 3, 4} : Periods{0, 1, 2, 3};
        EXPECT_EQ(PeriodsPlayed(), expected) << c.home << "-" << c.away;
    }
}

TEST_F(WholeMatchTest, KickOffAndDirectionPerPeriod) {
    CupRules(true, true, false, false);
    g_script.shootOut[1] = 1;
    PlayMatch();
    ASSERT_EQ(g_script.periods.size(), 5u);
    const int first = FirstKickOffTeam;
    const int direction = FirstDirection;
    const auto& p = g_script.periods;
    EXPECT_EQ(p[0].kickOffTeam, first);
    EXPECT_EQ(p[0].direction, direction);
    EXPECT_EQ(p[1].kickOffTeam, first ^ 1);
    EXPECT_EQ(p[1].direction, direction ^ 1);
    EXPECT_EQ(p[2].kickOffTeam, first);
    EXPECT_EQ(p[2].direction, direction);
    EXPECT_EQ(p[3].kickOffTeam, first ^ 1);
    EXPECT_EQ(p[3].direction, direction ^ 1);
    // The shoot-out goes to one end; the kick-off team stays as it was.
    EXPECT_EQ(p[4].kickOffTeam, first ^ 1);
    EXPECT_EQ(p[4].direction, 0);
}

TEST_F(WholeMatchTest, MenusOnlyForHumanTeamsOfAShownMatch) {
    CupRules(true, true, false, false);
    Block().SetTeamU8(1, kHumanManaged, 1);
    g_script.shootOut[0] = 1;
    PlayMatch();
    EXPECT_TRUE(g_script.menus.empty());
    EXPECT_EQ(DisplayModeFlags & kDisplayOff, 0) << "the match clears the display-off bit at its end";

    SetUp();
    DisplayModeFlags = 0;
    CupRules(true, true, false, false);
    Block().SetTeamU8(0, kHumanManaged, 1);
    Block().SetTeamU8(1, kHumanManaged, 1);
    g_script.shootOut[0] = 1;
    PlayMatch();
    EXPECT_EQ(g_script.menus, (std::vector<int>{600, 601, 600, 601, 600, 601, 800, 801}));
    EXPECT_EQ(Block().TeamU8(1, kHumanManagedAtStart), 1);
}

TEST_F(WholeMatchTest, BestPlayerNamedForHisTeamOnly) {
    g_script.goals[0][1] = 3;
    MatchFigures[kTeamFigures + 9].counts[kCountShotsOnTarget] = 3;
    PlayMatch();
    EXPECT_EQ(recbits::LoadU16(MatchResult.teams[1].bytes + kReportManOfTheMatch), PlayerNumber(1, 9));
    EXPECT_EQ(recbits::LoadU16(MatchResult.teams[0].bytes + kReportManOfTheMatch), 0xFFFF);
    EXPECT_EQ(CheckPlayedResult(MatchResult), "");

    // With nobody active no player has a mark: neither team names one.
    SetUp();
    for (MatchFigure& f : MatchFigures) f.firstActiveTick = f.lastActiveTick = 0;
    PlayMatch();
    EXPECT_EQ(recbits::LoadU16(MatchResult.teams[0].bytes + kReportManOfTheMatch), 0xFFFF);
    EXPECT_EQ(recbits::LoadU16(MatchResult.teams[1].bytes + kReportManOfTheMatch), 0xFFFF);
}

TEST_F(WholeMatchTest, NothingOfThePreviousMatchSurvives) {
    g_script.goals[0][0] = 2;
    PlayMatch();
    ASSERT_EQ(ReportWord(0, kReportGoals), 2);
    MatchResult.minutes[7] = 55;
    MatchResult.heatMaps[3][2][1] = 9;
    ShootOutGoals[0] = 3;

    SetUp();
    MatchPeriodRunner = [] {
        if (Period == 0) {
            EXPECT_EQ(Goals[0], 0);
            EXPECT_EQ(ShootOutGoals[0], 0);
            EXPECT_EQ(ReportWord(0, kReportGoals), 0);
            EXPECT_EQ(MatchResult.events[0][kEventKind], kEventEnd);
            EXPECT_EQ(EventCount, 0);
            EXPECT_EQ(MatchResult.minutes[7], kNoMinuteValue);
            EXPECT_EQ(MatchResult.heatMaps[3][2][1], 0u);
        }
        matchtest::ScriptedPeriod();
    };
    PlayMatch();
    EXPECT_EQ(PeriodsPlayed(), (Periods{0, 1}));
}

TEST_F(WholeMatchTest, UnsetRuleBytesPlayNoExtraTime) {
    ClearMatchSetupBlock();
    for (int team = 0; team < 2; ++team) {
        for (int entry = 0; entry < kMatchSquadSize; ++entry) {
            Block().SetI16(PlayerInfoAt(team, entry) + kPlayerInfoNumber, int16_t(PlayerNumber(team, entry)));
        }
    }
    Block().SetI16(kCompetition, 5);
    PlayMatch();
    EXPECT_EQ(PeriodsPlayed(), (Periods{0, 1}));
    EXPECT_EQ(OldGoals[0], 0);
    EXPECT_EQ(RefereeFavours, 0);
    EXPECT_EQ(LineUpPending, 0);
}

// ---------------------------------------------------------------------------
// Goal replays

// Saved goals are real goal files in a scratch working folder, listed as
// the saved-goals screens list them.
class GoalReplayTest : public matchtest::MatchFixture {
  protected:
    void SetUp() override {
        MatchFixture::SetUp();
        old_ = std::filesystem::current_path();
        char pattern[] = "/tmp/halvorn_goals_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        std::filesystem::current_path(dir_);
        SavedGoalCount = 0;
        GoalReplayNumber = 0;
    }
    void TearDown() override {
        std::filesystem::current_path(old_);
        std::filesystem::remove_all(dir_);
        MatchFixture::TearDown();
    }
    // Saves a goal of a match whose first team is the club, with a ring of
    // 20 frames.
    static void SaveGoal(int club) {
        const EnterGameInfo kept = Block();
        const uint8_t display = DisplayModeFlags;
        DisplayModeFlags = 0;
        Block().SetTeamI16(0, kTeamClub, int16_t(club));
        Replay_AllocBuffer();
        for (int tick = 0; tick < 20; ++tick) Replay_Tick();
        Replay_SaveGoal();
        Replay_FreeBuffer();
        DisplayModeFlags = display;
        Block() = kept;
    }
    // The screens list the files and load the selected one's match.
    static void Select(int entry) {
        RemoveAllFiles("SaveData\\GOALS\\");
        GoalReplayNumber = int16_t(entry);
        if (entry < GoalReplayFiles.count) {
            ASSERT_EQ(Replay_LoadGoalInfo(GoalReplayFiles.names[entry]), 0);
        }
        Block().SetI16(kCompetition, -1);
    }
    std::filesystem::path old_, dir_;
};

TEST_F(GoalReplayTest, EmptySelectionShowsNothing) {
    Select(0);
    PlayMatch();
    EXPECT_TRUE(g_script.periods.empty());
}

TEST_F(GoalReplayTest, ShowsTheGoalsOfTheSameHomeClubInARow) {
    // Entry 0 selected, of club 10; entries 1 and 2 are goals of club 10
    // too, entry 3 one of club 20.
    for (int club : {10, 10, 10, 20}) SaveGoal(club);
    Select(0);
    PlayMatch();
    EXPECT_EQ(g_script.periods.size(), 3u);
    EXPECT_EQ(GoalReplayNumber, 3);
    // Entry 2 is the last of the run: -2.
    EXPECT_EQ(Block().I16(kCompetition), -2);
    EXPECT_EQ(Block().TeamI16(0, kTeamClub), 20);
}

TEST_F(GoalReplayTest, ADamagedFileIsNotShownAndTheRunGoesOn) {
    for (int club : {10, 10, 10}) SaveGoal(club);
    Select(0);
    // The second file loses its ring: its match loads, its replay does not.
    const std::string second = HostPath(std::string("SaveData\\GOALS\\") + GoalReplayFiles.names[1]);
    std::filesystem::resize_file(second, 32 + 12 + 16 + 12 + 1000);
    PlayMatch();
    EXPECT_EQ(g_script.periods.size(), 2u) << "the first and the third goal";
    EXPECT_EQ(GoalReplayNumber, 3);
}

}  // namespace

namespace {

int g_displayOn;
int g_displayOff;
void DisplayOn() { ++g_displayOn; }
void DisplayOff() { ++g_displayOff; }

class DefaultRunnerTest : public matchtest::MatchFixture {
  protected:
    void SetUp() override {
        MatchFixture::SetUp();
        MatchPeriodRunner = Match_RunPeriod;
        g_displayOn = g_displayOff = 0;
        MatchHooks.displayOn = DisplayOn;
        MatchHooks.displayOff = DisplayOff;
        // A shown match saves its goals: into a folder of this test's own,
        // not the working folder the other test processes share.
        scratch_.emplace("match");
    }
    void TearDown() override {
        scratch_.reset();
        MatchFixture::TearDown();
    }
    std::optional<ScratchFolder> scratch_;
};

TEST_F(DefaultRunnerTest, HeadlessMatchStartsEveryFigureAfresh) {
    // What a previous match left in the figures.
    for (MatchFigure& f : MatchFigures) {
        f.goals = 40;
        f.benchState = 80;
        f.counts[kCountSaves] = 9;
    }
    Block().SetI16(kNumAvailableSubs, 3);
    Block().SetTeamU8(0, kHumanManaged, 1);
    const int32_t periodsBefore = UndisplayedPeriodCount;
    MatchResultBlock* result = PlayMatch();
    EXPECT_EQ(UndisplayedPeriodCount - periodsBefore, 2);
    EXPECT_EQ(Block().TeamU8(0, kHumanManaged), 0) << "nobody manages a match nobody watches";
    EXPECT_EQ(Block().TeamU8(0, kHumanManagedAtStart), 1);
    EXPECT_EQ(g_displayOn + g_displayOff, 0);
    EXPECT_EQ(CheckPlayedResult(*result), "");
    // The goals are this match's own, not the forty each figure carried in.
    EXPECT_EQ(ReportWord(0, kReportGoals), Goals[0]);
    EXPECT_LT(ReportWord(0, kReportGoals), 40);
    // A starter's rating is this match's own, not the 80 carried in.
    const int rating = ReportWord(1, kReportPlayers + 10 * kPlayerReportSize + kPlayerRating);
    EXPECT_GE(rating, 1);
    EXPECT_LE(rating, 100);
    EXPECT_NE(rating, 80);
    EXPECT_EQ(ReportWord(1, kReportPlayers + 13 * kPlayerReportSize + kPlayerRating), 0);
    EXPECT_EQ(ReportWord(1, kReportPlayers + 14 * kPlayerReportSize + kPlayerRating), -1);
    EXPECT_EQ(ReportWord(1, kReportPlayers + 4 * kPlayerReportSize + kPlayerGoals), 0);
    // Both sides played: one team names the best player.
    const uint16_t best0 = recbits::LoadU16(result->teams[0].bytes + kReportManOfTheMatch);
    const uint16_t best1 = recbits::LoadU16(result->teams[1].bytes + kReportManOfTheMatch);
    EXPECT_TRUE((best0 == 0xFFFF) != (best1 == 0xFFFF)) << best0 << " " << best1;
}

// Every shown period starts with the view reset and the blended clip
// cleared; a pending in-match request that names no menu still has the
// keys cleared (the menu hook is told menu 0) and is dropped.
int g_viewResets;
std::vector<int16_t> g_menusAsked;
TEST_F(DefaultRunnerTest, EveryShownPeriodResetsTheViewAndTakesEveryRequest) {
    DisplayModeFlags = 0;
    g_viewResets = 0;
    g_menusAsked.clear();
    MatchHooks.viewReset = [] {
        ++g_viewResets;
        InMatchRequest = 9;
    };
    MatchHooks.openInGameMenu = [](int16_t menu) { g_menusAsked.push_back(menu); };
    DisplayBlendClip = 7;
    PlayMatch();
    EXPECT_EQ(g_viewResets, 3) << "the display start and each of the two halves";
    EXPECT_EQ(g_menusAsked, std::vector<int16_t>({0, 0}));
    EXPECT_EQ(InMatchRequest, 0);
    EXPECT_EQ(DisplayBlendClip, 255);
}

TEST_F(DefaultRunnerTest, ShownMatchSwitchesTheDisplayOnAndOff) {
    DisplayModeFlags = 0;
    PlayMatch();
    EXPECT_EQ(g_displayOn, 1);
    EXPECT_EQ(g_displayOff, 1);
    EXPECT_EQ(LineUpPending, 0) << "the teams lined up before the kick-off";
    EXPECT_EQ(Block().I16(kPlayersLineUp), 0) << "the display start clears the line-up word";
}

}  // namespace
