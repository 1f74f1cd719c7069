#include "core/match/actions.h"
#include "core/match/infobar.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/phases.h"
#include "tests/core/match/frame_fixture.h"

namespace {

using frametest::FrameTest;
using ClockTest = FrameTest;

// Runs the clock with open play until the period clock reaches the length.
void RunToLength() {
    ASSERT_TRUE(MatchClockRunning);
    while (PeriodClock < PeriodLength) MatchClockTick();
}

TEST_F(ClockTest, PeriodLengthsFollowTheDuration) {
    MatchResetClock(5 * 60);
    EXPECT_EQ(PeriodLength, 15000u);
    MatchResetClock(5 * 20);
    EXPECT_EQ(PeriodLength, 5000u);
}

TEST_F(ClockTest, MinutesOfEachPeriod) {
    MatchResetClock(300);
    MatchClockRunning = 1;
    StoppageTime = 100;
    RunToLength();
    EXPECT_EQ(MatchClockMinute(), 45);  // the clock's own value at the length
    EXPECT_EQ(CurrentMinute, 44);       // the shown minute stops at 44
    Period = 1;
    MatchResetClock(300);
    EXPECT_EQ(MatchClockMinute(), 45);
    Period = 3;
    MatchResetClock(100);
    EXPECT_EQ(MatchClockMinute(), 105);
}

TEST_F(ClockTest, ZeroStoppageSetsTimeUpOnTheFirstTickAfterTheLength) {
    MatchClockRunning = 1;
    MatchPhase = kPhaseFoul;  // a stoppage: the period cannot end in it
    RunToLength();
    EXPECT_FALSE(MatchTimeUp);
    MatchClockTick();
    EXPECT_TRUE(MatchTimeUp);
    EXPECT_EQ(StoppageTime, -1);
    EXPECT_EQ(CurrentMinute, -1);
}

TEST_F(ClockTest, StoppageIsSpentOnlyAfterTheLengthAndShownInSeconds) {
    MatchClockRunning = 1;
    StoppageTime = 1500;  // 1500 of 15000 ticks is a tenth of 45 minutes
    MatchPhase = kPhaseFoul;
    RunToLength();
    EXPECT_EQ(StoppageTime, 1500);
    MatchClockTick();
    EXPECT_EQ(ShownStoppageTime, 270);
    EXPECT_EQ(StoppageTime, 1499);
}

TEST_F(ClockTest, TimeUpNearHalfwayEndsAtOnceInTheRightPhases) {
    MatchClockRunning = 1;
    MatchTimeUp = 1;
    PeriodClock = PeriodLength;
    BallState.y = 1082 + 199;
    MatchPhase = kPhaseThrowIn;
    MatchClockTick();
    EXPECT_EQ(MatchPhase, 3);
    for (uint16_t phase : {kPhaseOpenPlay, kPhaseGoal, kPhaseAfterGoal}) {
        MatchClockRunning = 1;
        MatchPhase = phase;
        MatchClockTick();
        EXPECT_EQ(MatchPhase, kPhasePeriodOver) << phase;
        EXPECT_FALSE(MatchClockRunning);
    }
}

TEST_F(ClockTest, TimeUpAwayFromHalfwayEndsAfterAboutTwoHundredTicks) {
    uint64_t total = 0;
    for (int run = 0; run < 1000; ++run) {
        GameSeedRandom(uint32_t(run * 7919 + 1));
        MatchClockRunning = 1;
        MatchTimeUp = 1;
        PeriodClock = PeriodLength;
        StoppageTime = -1;
        MatchPhase = kPhaseOpenPlay;
        BallState.y = 1500;
        int ticks = 0;
        while (MatchClockRunning && ticks < 100000) {
            MatchClockTick();
            ++ticks;
        }
        total += uint64_t(ticks);
    }
    const double mean = double(total) / 1000.0;
    EXPECT_GT(mean, 150.0);
    EXPECT_LT(mean, 250.0);
}

TEST_F(ClockTest, GoldenGoalEndsExtraTimeButNotTheHalves) {
    GameInfo.SetU8(gameinfo::kGoldenGoals, 1);
    Goals[0] = 1;
    MatchClockRunning = 1;
    MatchPhase = kPhaseGoal;
    MatchClockTick();
    EXPECT_TRUE(MatchClockRunning) << "a golden goal ends only extra time";
    Period = 2;
    MatchClockTick();
    EXPECT_FALSE(MatchClockRunning);
    EXPECT_EQ(MatchPhase, kPhasePeriodOver);
}

TEST_F(ClockTest, InjuryAndTreatmentHoldTheMinute) {
    MatchClockRunning = 1;
    MatchPhase = kPhaseSubstitution;
    for (int i = 0; i < 10; ++i) MatchClockTick();
    EXPECT_EQ(PeriodClock, 0u);
    MatchPhase = kPhaseFoul;
    MatchFigures[5].action = kActionFetchAndThrow;
    MatchClockTick();
    EXPECT_EQ(PeriodClock, 0u);
    MatchFigures[5].off = 1;  // off the pitch: no longer holds play up
    MatchClockTick();
    EXPECT_EQ(PeriodClock, 1u);
    EXPECT_EQ(MatchClockStoppedByAction(1, 2, 3, 4, 5, 6, 149), 0);
    MatchFigures[5].off = 0;
    EXPECT_EQ(MatchClockStoppedByAction(1, 2, 3, 4, 5, 6, 149), 1);
}

TEST_F(ClockTest, StoppedClockCountsOnlyTheAllTicks) {
    const uint16_t before = AllTicks;
    MatchClockTick();
    EXPECT_EQ(AllTicks, uint16_t(before + 1));
    EXPECT_EQ(PeriodClock, 0u);
    MatchClockRunning = 1;
    Period = 4;
    MatchClockTick();
    EXPECT_EQ(PeriodClock, 0u);
}

TEST_F(ClockTest, PressureChartSkipsTheLastMinuteOfAPeriod) {
    std::memset(MatchResult.minutes, 0xFF, sizeof MatchResult.minutes);
    MatchClockRunning = 1;
    StoppageTime = 200;
    MatchPhase = kPhaseFoul;
    BallState.y = 1600;  // pressure rises while team 0 attacks toward high y
    RunToLength();
    for (int i = 0; i < 50; ++i) MatchClockTick();
    for (int minute = 0; minute < 44; ++minute) EXPECT_EQ(MatchResult.minutes[minute], 100) << minute;
    EXPECT_EQ(MatchResult.minutes[44], 0xFF);
}

TEST_F(ClockTest, ANewMatchDoesNotChartTheLastMatchsMinute) {
    std::memset(MatchResult.minutes, 0xFF, sizeof MatchResult.minutes);
    CurrentMinute = 97;  // a golden goal left the clock standing in minute 97
    MatchClockStartMatch();
    MatchClockRunning = 1;
    MatchPhase = kPhaseFoul;
    MatchClockTick();
    EXPECT_EQ(MatchResult.minutes[97], 0xFF);
    EXPECT_EQ(CurrentMinute, 0);
}

TEST_F(ClockTest, PracticeMatchShowsNoInfoBar19) {
    InfoBar_Reset();
    MatchResetClock(45 * 60);  // one minute a minute
    MatchClockRunning = 1;
    MatchPhase = kPhaseFoul;
    PeriodClock = 30 * 3000;  // minute 30 = 20 + 10 % 15
    MatchClockTick();
    EXPECT_EQ(InfoBar_GetHold(), kInfoBarHold);
    InfoBar_Reset();
    GameInfo.SetTeamI16(1, gameinfo::kTeamClub, 10);
    MatchClockTick();
    EXPECT_EQ(InfoBar_GetHold(), 0);
}

TEST_F(ClockTest, BallInPlayThirdsByAttackingSide) {
    MatchClockRunning = 1;
    BallTeam = 0;
    BallState.y = 1500;
    MatchClockTick();
    BallTeam = 1;
    MatchClockTick();
    BallState.y = 1000;
    MatchClockTick();
    EXPECT_EQ(ThirdTicks[0][2], 1u);
    EXPECT_EQ(ThirdTicks[1][0], 1u);
    EXPECT_EQ(ThirdTicks[1][1], 1u);
    EXPECT_EQ(OpenPlayTicks, 3u);
    EXPECT_EQ(PossessionTicks[1], 2u);
}

TEST_F(ClockTest, StoppageTimeInOpenPlayDoesNotTireEveryTick) {
    for (int figure = 0; figure < kPlayerFigures; ++figure) MatchFigures[figure].stamina = -100;
    MatchResetClock(8);  // 400 ticks: the length is a fatigue tick
    MatchClockRunning = 1;
    StoppageTime = 100;
    RunToLength();
    const int8_t pace = MatchFigures[3].pace;
    for (int i = 0; i < 50; ++i) MatchClockTick();
    EXPECT_EQ(int(MatchFigures[3].pace), pace);
}

TEST_F(ClockTest, MomentumLevelAndThreeUp) {
    BallTeam = 0;
    for (int i = 0; i < 2401; ++i) MatchTickBookkeeping();  // settle the countdown past its reset
    TeamMomentum[0] = TeamMomentum[1] = 500;
    for (int i = 0; i < 4; ++i) MatchTickBookkeeping();
    EXPECT_EQ(TeamMomentum[0], 501);
    EXPECT_EQ(TeamMomentum[1], 499);
    Goals[0] = 3;
    for (int i = 0; i < 4; ++i) MatchTickBookkeeping();
    EXPECT_EQ(TeamMomentum[0], 501);
    EXPECT_EQ(TeamMomentum[1], 497);
    TeamMomentum[1] = 1;
    for (int i = 0; i < 4; ++i) MatchTickBookkeeping();
    EXPECT_EQ(TeamMomentum[1], 0);
    MatchPhase = kPhaseKickOffWhistle;
    MatchTickBookkeeping();
    EXPECT_EQ(TeamMomentum[0], 0);
}

TEST_F(ClockTest, BookkeepingCountsDown) {
    ShotTimer = 2;
    ShotHoldTimer = 0;
    TeamRestartCount[0] = 3;
    const uint16_t phase = MatchTickPhase;
    const uint8_t odd = RankingTeam;
    for (int i = 0; i < 2401; ++i) MatchTickBookkeeping();
    EXPECT_EQ(ShotTimer, 0);
    EXPECT_EQ(ShotHoldTimer, 0);
    EXPECT_GE(TeamRestartCount[0], 1);
    EXPECT_LE(TeamRestartCount[0], 2);
    EXPECT_EQ(MatchTickPhase, uint16_t((phase + 2401) % 4));
    EXPECT_NE(RankingTeam, odd);
}

TEST_F(ClockTest, EndOfPeriodCelebratesTheAggregateWinner) {
    Period = 1;
    Goals[0] = 0;
    Goals[1] = 1;
    OldGoals[0] = 2;  // team 0 through on aggregate
    MatchClockRunning = 1;
    MatchFigures[4].action = kActionKeeperShortHighParryDive;
    MatchFigures[20].action = kActionPenaltyRunUp;  // busy: left alone
    Match_EndOfPeriod();
    EXPECT_EQ(MatchPhase, kPhasePeriodOver);
    EXPECT_FALSE(MatchClockRunning);
    EXPECT_TRUE(MatchFigures[4].action == kActionToTunnel ||
                MatchFigures[4].action == kActionPeriodEndReactionA);
    EXPECT_EQ(int(MatchFigures[20].action), kActionPenaltyRunUp);
    EXPECT_EQ(int(MatchFigures[kRefereeFigure].action), kOfficialSignal);
    EXPECT_EQ(int(MatchFigures[kRefereeFigure].actionParam), 3);
    EXPECT_EQ(DesignatedPlayer[0], kNoDesignated);
    for (int figure = 16; figure < 27; ++figure) {
        if (figure == 20) continue;
        EXPECT_TRUE(MatchFigures[figure].action == kActionToTunnel ||
                    MatchFigures[figure].action == kActionPeriodEndReactionB);
    }
}

}  // namespace
