#include "core/match/offside.h"
#include "core/match/actions.h"
#include "core/match/matchengine.h"

#include "core/match/phases.h"
#include "tests/core/match/frame_fixture.h"

namespace {

using frametest::FrameTest;

class OffsideTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        AttackDirection = 0;  // team 0 attacks toward high y
        CurrentTeam = 0;
        MatchLastDefenderY[1] = 1500;
        BallState.y = 1200;
        BallState.vy = 65536;
        for (int figure = 0; figure < kPlayerFigures; ++figure) {
            MatchFigures[figure].y = 1000;
            MatchFigures[figure].leftNow = MatchFigures[figure].middleNow = MatchFigures[figure].rightNow = 6;
        }
        OffsideStrictness = 50;
    }
};

TEST_F(OffsideTest, MarksOnlyTeamMatesBeyondTheLine) {
    MatchFigures[0].y = 1900;  // the keeper: never marked
    MatchFigures[5].y = 1500;  // on the line
    MatchFigures[6].y = 1501;
    MatchFigures[7].y = 1600;  // the toucher himself
    MatchFigures[7].offsideMark = 1;
    MatchMarkTeamOffside(7);
    EXPECT_EQ(int(MatchFigures[0].offsideMark), 0);
    EXPECT_EQ(int(MatchFigures[5].offsideMark), 0);
    EXPECT_EQ(int(MatchFigures[6].offsideMark), 1);
    EXPECT_EQ(int(MatchFigures[7].offsideMark), 0);
}

TEST_F(OffsideTest, HalfwayLineIsNotBeyond) {
    MatchLastDefenderY[1] = 900;
    MatchFigures[6].y = 1082;
    MatchMarkTeamOffside(7);
    EXPECT_EQ(int(MatchFigures[6].offsideMark), 0);
}

TEST_F(OffsideTest, BackwardBallMarksNobody) {
    MatchFigures[6].y = 1800;
    BallState.vy = -65536;
    MatchMarkTeamOffside(7);
    EXPECT_EQ(int(MatchFigures[6].offsideMark), 0);
}

TEST_F(OffsideTest, HesitationByIntelligenceAndKeptWhileRunning) {
    MatchFigures[6].y = 1800;
    MatchFigures[6].intelligence = 100;
    MatchFigures[8].y = 1800;
    MatchFigures[8].intelligence = 1;
    MatchMarkTeamOffside(7);
    EXPECT_EQ(int(MatchFigures[6].offsideWord), 1);
    EXPECT_EQ(int(MatchFigures[8].offsideWord), 50);
    MatchFigures[8].intelligence = 100;
    MatchMarkTeamOffside(7);
    EXPECT_EQ(int(MatchFigures[8].offsideWord), 50);
}

TEST_F(OffsideTest, PlayerWhoRanBackIsNotCalled) {
    MatchFigures[6].offsideMark = 1;
    MatchFigures[6].y = 1400;
    MatchMarkOffside(6);
    EXPECT_EQ(MatchPhase, 0);
}

TEST_F(OffsideTest, CallRecordsTheOffence) {
    MatchFigures[6].offsideMark = 1;
    MatchFigures[6].y = 1520;
    BallState.x = 700;
    MatchMarkOffside(6);
    EXPECT_EQ(MatchPhase, kPhaseOffside);
    EXPECT_EQ(OffsideRecord.figure, 6);
    EXPECT_EQ(OffsideRecord.x, 700);
    EXPECT_EQ(OffsideRecord.team, 0);
    EXPECT_EQ(int(MatchFigures[6].counts[kCountOffsides]), 1);
    EXPECT_EQ(int(MatchFigures[kRefereeFigure + 1].action), kOfficialTurnAndStandA);
}

TEST_F(OffsideTest, CloseCallsByStrictness) {
    MatchFigures[6].y = 1510;  // 10 beyond
    int called = 0;
    for (int i = 0; i < 10000; ++i) {
        MatchPhase = kPhaseOpenPlay;
        MatchFigures[6].offsideMark = 1;
        MatchMarkOffside(6);
        called += MatchPhase == kPhaseOffside;
    }
    EXPECT_NEAR(called / 10000.0, 0.51, 0.02);
    MatchFigures[6].y = 1520;
    for (int i = 0; i < 200; ++i) {
        MatchPhase = kPhaseOpenPlay;
        MatchFigures[6].offsideMark = 1;
        MatchMarkOffside(6);
        ASSERT_EQ(MatchPhase, kPhaseOffside);
    }
}

TEST_F(OffsideTest, ClearingKeepsHesitationInOpenPlay) {
    MatchFigures[6].offsideMark = 1;
    MatchFigures[6].offsideWord = 9;
    MatchClearOffsideFlags();
    EXPECT_EQ(int(MatchFigures[6].offsideMark), 0);
    EXPECT_EQ(int(MatchFigures[6].offsideWord), 9);
    MatchPhase = kPhaseThrowIn;
    MatchClearOffsideFlags();
    EXPECT_EQ(int(MatchFigures[6].offsideWord), 0);
}

}  // namespace
