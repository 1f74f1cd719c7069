// The ball in the air: the meeting-point prediction and the call to a long
// ball's landing point, on hand-set ball states.
#include "core/match/highball.h"
#include "core/match/actions.h"

#include <gtest/gtest.h>

#include "core/base/random.h"
#include "tests/core/match/frame_fixture.h"

namespace {

class HighBallTest : public frametest::FrameTest {
  protected:
    static constexpr int16_t kPlayer = 5;
    void SetUp() override {
        FrameTest::SetUp();
        // A still world: no drag, gravity, wind or swerve.
        BallState = {};
        BallState.drag = 1000;
        BallState.bounceKeep = 0.5f;
        BallState.bounceRestitution = 0.5f;
        BallState.direction = 128;
        MatchFigures[kPlayer].heading = 60;
    }
    static void Ball(int x, int y, int z, int vx, int vy, int vz) {
        BallState.x = int16_t(x);
        BallState.y = int16_t(y);
        BallState.z = int16_t(z);
        BallState.x16 = x << 16;
        BallState.y16 = y << 16;
        BallState.z16 = z << 16;
        BallState.vx = vx << 16;
        BallState.vy = vy << 16;
        BallState.vz = vz << 16;
    }
};

TEST_F(HighBallTest, MeetsAGroundBallWhereItPassesClosest) {
    Ball(800, 500, 50, 0, 10, 0);
    const uint32_t state = GameRandomState();
    Ball_PredictLanding(100, 800, 700, kPlayer, 0);
    EXPECT_EQ(GameRandomState(), state);  // nothing drawn
    EXPECT_EQ(BallPrediction.bestDistance, 0);
    EXPECT_EQ(BallPrediction.x, 800);
    EXPECT_EQ(BallPrediction.y, 700);
    EXPECT_EQ(BallPrediction.height, 50);
    EXPECT_EQ(BallPrediction.ticks, 19);
    // Too short a look-ahead: the nearest point within it.
    Ball_PredictLanding(10, 800, 700, kPlayer, 0);
    EXPECT_EQ(BallPrediction.y, 600);
    EXPECT_EQ(BallPrediction.bestDistance, 100);
}

TEST_F(HighBallTest, ModeZeroStopsAtTheFirstBounce) {
    Ball(800, 500, 20, 0, 10, -5);
    Ball_PredictLanding(100, 800, 900, kPlayer, 0);
    EXPECT_EQ(BallPrediction.ticks, 3);  // height 0 at tick 3, bounced at 4
    EXPECT_EQ(BallPrediction.height, 0);
    EXPECT_EQ(BallPrediction.y, 540);
}

TEST_F(HighBallTest, NothingAboveThePlayersReachIsAccepted) {
    Ball(800, 500, 190, 0, 10, 0);
    MatchFigures[kPlayer].heading = 100;  // reach 190
    Ball_PredictLanding(100, 800, 700, kPlayer, 0);
    EXPECT_EQ(BallPrediction.height, 190);
    MatchFigures[kPlayer].heading = 98;  // reach 189
    Ball_PredictLanding(100, 800, 700, kPlayer, 0);
    EXPECT_EQ(BallPrediction.bestDistance, kNoMeetingPoint);
    EXPECT_EQ(BallPrediction.height, 0);
    // Below head height after a ball that passed above 280, nothing either.
    MatchFigures[kPlayer].heading = 0;
    Ball(800, 500, 300, 0, 10, -7);
    Ball_PredictLanding(60, 800, 2000, kPlayer, 0);
    EXPECT_EQ(BallPrediction.bestDistance, kNoMeetingPoint);
}

TEST_F(HighBallTest, ModeOneLooksWhereTheBallCrossesThePlayersLine) {
    MatchCurX = 900;
    MatchCurY = 1000;
    BallState.direction = 64;  // across the pitch
    Ball(600, 1000, 50, 10, 0, 0);
    Ball_PredictLanding(100, 900, 1000, kPlayer, 1);
    EXPECT_EQ(BallPrediction.x, 900);
    EXPECT_EQ(BallPrediction.ticks, 29);
    // Along the pitch only points within 10 of the player's y count.
    BallState.direction = 128;
    Ball(800, 900, 50, 0, 10, 0);
    MatchCurY = 1200;
    Ball_PredictLanding(100, 800, 1000, kPlayer, 1);
    EXPECT_EQ(BallPrediction.bestDistance, 200);
    EXPECT_EQ(BallPrediction.y, 1200);
    EXPECT_EQ(BallPrediction.ticks, 29);
}

TEST_F(HighBallTest, ModeOneFollowsABallPastThePlayersLineThatSwerveOrWindBringsBack) {
    MatchCurX = 800;
    MatchCurY = 1000;
    BallState.direction = 128;
    // 100 beyond the player's line and moving on away: never back.
    Ball(800, 1100, 50, 0, 2, 0);
    Ball_PredictLanding(100, 800, 1000, kPlayer, 1);
    EXPECT_EQ(BallPrediction.bestDistance, kNoMeetingPoint);
    // A swerve back toward the line: within 10 of it at tick 15.
    Ball(800, 1100, 50, 0, 2, 0);
    BallState.swerve[1] = -(1 << 16);
    BallState.swerveTime = 40;
    Ball_PredictLanding(100, 800, 1000, kPlayer, 1);
    EXPECT_EQ(BallPrediction.ticks, 15);
    EXPECT_EQ(BallPrediction.y, 996);
    // The wind does the same to a ball in the air.
    BallState.swerve[1] = 0;
    BallState.swerveTime = 0;
    BallState.windY = -(1 << 16);
    Ball(800, 1100, 50, 0, 2, 0);
    Ball_PredictLanding(100, 800, 1000, kPlayer, 1);
    EXPECT_EQ(BallPrediction.ticks, 15);
    // Across the pitch the player's x is the line, 150 wide.
    BallState.windY = 0;
    BallState.windX = -(1 << 16);
    BallState.direction = 64;
    Ball(1000, 1000, 50, 2, 0, 0);
    Ball_PredictLanding(100, 800, 1000, kPlayer, 1);
    EXPECT_NE(BallPrediction.bestDistance, kNoMeetingPoint);
    EXPECT_LT(BallPrediction.x, 950);
}

TEST_F(HighBallTest, LongBallCallsNearbyFreeTeamMatesToItsLandingPoint) {
    BallState.gravity = 1 << 16;
    Ball(500, 500, 0, 4, 0, 20);
    CurrentTeam = 0;
    // Up to 190, then down through 140: 30 ticks.
    for (int figure = 0; figure < kPlayerFigures; ++figure) {
        MatchFigures[figure].x = 620;
        MatchFigures[figure].y = 500;
        MatchFigures[figure].action = kActionNothing;
    }
    MatchFigures[2].action = kActionCornerChoose;  // busy
    MatchFigures[3].off = 1;
    MatchFigures[4].x = 1000;  // too far
    MatchCallToLanding(100);
    EXPECT_EQ(BallLandingY, 500);
    EXPECT_EQ(BallLandingX, 500 + 4 * 30);
    EXPECT_EQ(int(MatchFigures[1].action), kActionUnderHighBall);
    EXPECT_EQ(int(MatchFigures[2].action), kActionCornerChoose);
    EXPECT_EQ(int(MatchFigures[3].action), kActionNothing);
    EXPECT_EQ(int(MatchFigures[4].action), kActionNothing);
    EXPECT_EQ(int(MatchFigures[17].action), kActionNothing);
    // A ball that never comes down through head height calls nobody.
    BallState.gravity = 0;
    Ball(500, 500, 0, 4, 0, 1);
    MatchFigures[1].action = kActionNothing;
    MatchCallToLanding(100);
    EXPECT_EQ(BallLandingX, 0);
    EXPECT_EQ(BallLandingY, 0);
    EXPECT_EQ(int(MatchFigures[1].action), kActionNothing);
}

TEST_F(HighBallTest, RandomFlightsGiveSoundResults) {
    GameSetRandomState(9);
    for (int round = 0; round < 3000; ++round) {
        Ball(GameRandom() % 1600, GameRandom() % 2200, GameRandom() % 400, GameRandom() % 41 - 20,
             GameRandom() % 41 - 20, GameRandom() % 41 - 20);
        BallState.drag = int16_t(900 + GameRandom() % 101);
        BallState.gravity = GameRandom() % 20000;
        BallState.windX = GameRandom() % 2001 - 1000;
        BallState.swerve[0] = GameRandom() % 4001 - 2000;
        BallState.swerveTime = uint16_t(GameRandom() % 20);
        BallState.direction = uint16_t(GameRandom() % 257);
        MatchFigures[kPlayer].heading = int8_t(GameRandom() % 100);
        const int16_t look = int16_t(GameRandom() % 120), tx = int16_t(GameRandom() % 1600),
                      ty = int16_t(GameRandom() % 2200);
        const uint32_t state = GameRandomState();
        Ball_PredictLanding(look, tx, ty, kPlayer, int16_t(round & 1));
        ASSERT_EQ(GameRandomState(), state);
        const BallPredictionResult r = BallPrediction;
        ASSERT_LE(r.bestDistance, kNoMeetingPoint);
        ASSERT_GE(r.bestDistance, 0);
        if (r.bestDistance == kNoMeetingPoint) {
            ASSERT_EQ(r.height, 0);
        }
        ASSERT_LE(r.height, 140 + MatchFigures[kPlayer].heading / 2);
        MatchCallToLanding(int16_t(GameRandom() % 300));
    }
}

}  // namespace
