// The ball's flight step: drag, gravity, bounce, spin, wind, the rest
// threshold, the path walk, direction and speed, and the predictions.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/geometry.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchstate.h"
#include "core/match/phases.h"
#include "tests/core/match/scenario.h"
#include "tests/core/match/units.h"

namespace {

std::vector<int16_t> soundEvents;
void RecordSound(int16_t event, int16_t) { soundEvents.push_back(event); }

class BallFlightTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memset(MatchFigures, 0, sizeof MatchFigures);
        MatchResetEngineState();
        BallState.drag = 991;
        BallState.gravity = 40000;
        BallState.bounceKeep = 0.96f;
        BallState.bounceRestitution = 0.52f;
        MatchPhase = kPhaseOpenPlay;
        MatchHooks = MatchDisplayHooks{};
        MatchHooks.soundEvent = RecordSound;
        soundEvents.clear();
        scenario::PlaceBall(700, 900, 0);
    }
    void TearDown() override { MatchHooks = MatchDisplayHooks{}; }
};

TEST_F(BallFlightTest, BouncingFactorsHaveTheirExactBits) {
    uint32_t keep = 0, restitution = 0;
    std::memcpy(&keep, &BallState.bounceKeep, 4);
    std::memcpy(&restitution, &BallState.bounceRestitution, 4);
    EXPECT_EQ(keep, 0x3F75C28Fu);
    EXPECT_EQ(restitution, 0x3F051EB8u);
}

TEST_F(BallFlightTest, RollingBallOneTickDragThenTheBounceThatKeepsItOnTheGrass) {
    BallState.vx = 5 * kUnit;
    Ball_Update();
    // 327680 x 991 / 1000 = 324730, then x 0.96 truncated.
    EXPECT_EQ(BallState.vx, 311740);
    EXPECT_EQ(BallState.vy, 0);
    EXPECT_EQ(BallState.vz, 20799);  // 40000 x 0.52 truncated
    EXPECT_EQ(BallState.z16, 0);
    EXPECT_EQ(BallState.z, 0);
    EXPECT_EQ(BallState.x16, 700 * kUnit + 311740);
    EXPECT_EQ(BallState.x, 704);
    EXPECT_EQ(+MatchFigures[kBallFigure].x, 704);
    EXPECT_EQ(+MatchFigures[kBallFigure].x16, BallState.x16);
    EXPECT_EQ(+MatchFigures[kBallFigure].y16, BallState.y16);
    EXPECT_EQ(soundEvents, std::vector<int16_t>{0});
}

TEST_F(BallFlightTest, RestThresholdAppliesToTheVelocityAfterDrag) {
    // In the air: 4132 drags to 4094 and stops, 4133 drags to 4095 and flies.
    scenario::PlaceBall(700, 900, 50);
    BallState.vx = 4132;
    BallState.vy = -4132;
    Ball_Update();
    EXPECT_EQ(BallState.vx, 0);
    EXPECT_EQ(BallState.vy, 0);
    // The position still moved by the velocity before the threshold.
    EXPECT_EQ(BallState.x16, 700 * kUnit + 4094);
    EXPECT_EQ(BallState.y16, 900 * kUnit - 4094);
    scenario::PlaceBall(700, 900, 50);
    BallState.vx = 4133;
    BallState.vy = -4133;
    Ball_Update();
    EXPECT_EQ(BallState.vx, 4095);
    EXPECT_EQ(BallState.vy, -4095);
    EXPECT_TRUE(soundEvents.empty());
}

TEST_F(BallFlightTest, FastBallDragsWithoutOverflow) {
    scenario::PlaceBall(700, 900, 100);
    BallState.vx = 40 * kUnit;
    BallState.vy = -40 * kUnit;
    Ball_Update();
    EXPECT_EQ(BallState.vx, 2597847);
    EXPECT_EQ(BallState.vy, -2597847);
}

TEST_F(BallFlightTest, BallFallingThroughTheGrassKeepsItsHeightAndBouncesOnce) {
    scenario::PlaceBall(700, 900, 2);
    BallState.vz = -3 * kUnit;
    BallState.vx = kUnit;
    Ball_Update();
    EXPECT_EQ(BallState.z16, 2 * kUnit);
    EXPECT_EQ(BallState.z, 2);
    EXPECT_EQ(BallState.vz, 123036);  // 236608 x 0.52 truncated
    EXPECT_EQ(BallState.vx, 62348);   // 64946 x 0.96 truncated
    EXPECT_EQ(soundEvents, std::vector<int16_t>{0});
    // A landing marker is cleared and the spare figure parked off the pitch.
    soundEvents.clear();
    scenario::PlaceBall(700, 900, 0);
    BallState.vz = 0;
    BallState.landingMarker = 1;
    Ball_Update();
    EXPECT_EQ(BallState.landingMarker, 0);
    EXPECT_EQ(+MatchFigures[kSpareFigure].x, 3038);
    EXPECT_EQ(+MatchFigures[kSpareFigure].y, 3038);
    EXPECT_EQ(soundEvents.size(), 1u);
}

TEST_F(BallFlightTest, SpinActsOnTheGrassOnlyDuringTheKickGrace) {
    BallState.swerve[0] = 10000;
    BallState.swerveTime = 5;
    Ball_Update();
    EXPECT_EQ(BallState.swerveTime, 0);
    EXPECT_EQ(BallState.swerve[0], 0);
    EXPECT_EQ(BallState.vx, 0);

    scenario::PlaceBall(700, 900, 0);
    BallState.swerve[0] = 10000;
    BallState.swerveTime = 5;
    BallState.kickGrace = 3;
    Ball_Update();
    EXPECT_EQ(BallState.swerveTime, 4);
    EXPECT_EQ(BallState.vx, 9513);  // 10000 dragged to 9910, x 0.96 at the bounce
    // In the air it acts without the grace; a controller cancels it.
    scenario::PlaceBall(700, 900, 40);
    BallState.kickGrace = 0;
    BallState.vx = 0;
    Ball_Update();
    EXPECT_EQ(BallState.swerveTime, 3);
    EXPECT_EQ(BallState.vx, 9910);
    BallState.controller = 5;
    Ball_Update();
    EXPECT_EQ(BallState.swerveTime, 0);
}

TEST_F(BallFlightTest, WindBlowsOnlyOnAHighFreeBall) {
    BallState.windX = 10000;
    scenario::PlaceBall(700, 900, 29);
    Ball_Update();
    EXPECT_EQ(BallState.vx, 0);
    scenario::PlaceBall(700, 900, 30);
    Ball_Update();
    EXPECT_EQ(BallState.vx, 9910);
    // Held by a keeper: no wind and height 0 after every update.
    scenario::PlaceBall(700, 900, 60);
    BallState.vx = 0;
    BallState.holder = 1;
    Ball_Update();
    EXPECT_EQ(BallState.vx, 0);
    EXPECT_EQ(BallState.z, 0);
}

TEST_F(BallFlightTest, DirectionAndSpeedOfStillAndMovingBalls) {
    Ball_Update();
    EXPECT_EQ(BallState.direction, 256);
    EXPECT_EQ(BallState.speed, 0);
    // At the feet of the last toucher: his facing, speed 5 unless on the ball.
    LastToucher = 7;
    MatchFigures[7].hasBall = 1;
    MatchFigures[7].facing = 77;
    Ball_Update();
    EXPECT_EQ(BallState.direction, 77);
    EXPECT_EQ(BallState.speed, 5);
    MatchFigures[7].action = kActionOnBall;
    Ball_UpdateDirectionSpeed();
    EXPECT_EQ(BallState.speed, 0);
    // Moving: each term truncated toward zero on its own.
    BallState.vx = -3 * kUnit - kUnit / 2;
    BallState.vy = 2 * kUnit + kUnit / 2;
    Ball_UpdateDirectionSpeed();
    EXPECT_EQ(BallState.speed, 5);
    EXPECT_EQ(BallGroundSpeed, 5);
    EXPECT_EQ(BallState.direction, Match_DirectionTo(0, 0, -56, 40));
    EXPECT_LT(BallState.direction, 256);
}

TEST_F(BallFlightTest, PredictionsFrozenDuringRestarts) {
    scenario::PlaceBall(700, 900, 50);
    BallState.vx = 30000;
    BallState.vy = -60000;
    Ball_Update();
    // From the position at the start of the tick and the velocity after it.
    EXPECT_EQ(BallState.predicted[0][0], 700 + BallState.vx / 10000);
    EXPECT_EQ(BallState.predicted[2][1], 900 + BallState.vy / 750);
    const auto before = BallState.predicted[2][0];
    MatchPhase = kPhaseThrowIn;
    BallState.vx = 200000;
    Ball_Update();
    EXPECT_EQ(BallState.predicted[2][0], before);
    // A ball put somewhere by setting its position alone is predicted from
    // there, not from where the ball figure stood at the last update.
    MatchPhase = kPhaseOpenPlay;
    BallState.x = 400;
    BallState.y = 1200;
    BallState.z = 50;
    BallState.vx = 30000;
    BallState.vy = 0;
    Ball_Update();
    EXPECT_EQ(BallState.predicted[1][0], 400 + BallState.vx / 3000);
    EXPECT_EQ(BallState.predicted[1][1], 1200);
}

TEST_F(BallFlightTest, StopAndCentreSpot) {
    BallState.vx = BallState.vy = BallState.vz = 1234;
    BallState.swerve[1] = 99;
    BallState.swerveTime = 4;
    Ball_Stop();
    EXPECT_EQ(BallState.vx | BallState.vy | BallState.vz | BallState.swerve[1], 0);
    EXPECT_EQ(BallState.swerveTime, 4);  // the counter is left alone

    BallState.x16 = 700 * kUnit + 123;
    BallState.z16 = 40 * kUnit;
    BallState.z = 40;
    Ball_PlaceOnCentreSpot();
    EXPECT_EQ(BallState.x, 796);
    EXPECT_EQ(BallState.y, 1082);
    EXPECT_EQ(BallState.z16, 0);
    EXPECT_EQ(+MatchFigures[kBallFigure].x, 796);
    // The fraction is kept and the new whole units taken at the next step.
    Ball_Update();
    EXPECT_EQ(BallState.x16, 796 * kUnit + 123);
    EXPECT_EQ(BallState.z16, 0);
}

// The path walk with a scripted test.
int probeTests;
int hitOnTest;
std::vector<std::pair<int, int>> probes;
bool ScriptedTest() {
    ++probeTests;
    probes.emplace_back(BallState.probeX, BallState.probeY);
    return probeTests == hitOnTest;
}

int Walk(int fromX, int fromY, int toX, int toY, int hitAt, int16_t& hitX, int16_t& hitY, bool& hit) {
    probeTests = 0;
    hitOnTest = hitAt;
    probes.clear();
    hit = Ball_WalkPath(int16_t(fromX), int16_t(fromY), int16_t(toX), int16_t(toY), ScriptedTest, hitX, hitY);
    return probeTests;
}

TEST(BallPath, OneTestPerUnitAndTwoPerDiagonalStep) {
    int16_t hx = 0, hy = 0;
    bool hit = false;
    EXPECT_EQ(Walk(10, 10, 10, 10, 0, hx, hy, hit), 0);
    EXPECT_EQ(Walk(10, 10, 15, 10, 0, hx, hy, hit), 5);
    EXPECT_EQ(probes.back(), std::make_pair(15, 10));
    EXPECT_EQ(Walk(10, 10, 11, 11, 0, hx, hy, hit), 2);
    EXPECT_EQ(probes[0], std::make_pair(10, 11));  // y major on a tie
    EXPECT_EQ(probes[1], std::make_pair(11, 11));
    EXPECT_FALSE(hit);
    // Uneven moves end on their target when the ratio divides evenly.
    EXPECT_EQ(Walk(10, 10, 9, 6, 0, hx, hy, hit), 5);
    EXPECT_EQ(probes.back(), std::make_pair(9, 6));  // three along, then one along and one across
    EXPECT_EQ(Walk(10, 10, 12, 14, 0, hx, hy, hit), 6);
    EXPECT_EQ(probes.back(), std::make_pair(12, 14));
}

TEST(BallPath, WalkEndsWithTheStepOfTheFirstHit) {
    int16_t hx = 0, hy = 0;
    bool hit = false;
    EXPECT_EQ(Walk(10, 10, 10, 20, 3, hx, hy, hit), 3);
    EXPECT_TRUE(hit);
    EXPECT_EQ(hx, 10);
    EXPECT_EQ(hy, 13);
    // Diagonal: a hit on the major move is recorded, the minor move still
    // tested, and the walk ends there.
    EXPECT_EQ(Walk(10, 10, 13, 13, 1, hx, hy, hit), 2);
    EXPECT_TRUE(hit);
    EXPECT_EQ(hx, 10);
    EXPECT_EQ(hy, 11);
}

TEST(BallFlightInPlay, TheTickMovesTheBallAndFigureFollows) {
    scenario::FillTwoClubs(11);
    scenario::StartMatch(11);
    scenario::PlaceTeamsOnFormation();
    scenario::PlaceBall(796, 1082, 40);
    scenario::StartOpenPlay(0);
    BallState.vy = 6 * kUnit;
    BallState.vz = 2 * kUnit;
    scenario::RunTicks(1);
    EXPECT_GT(BallState.y, 1082);
    EXPECT_EQ(+MatchFigures[kBallFigure].y, BallState.y);
    for (int tick = 0; tick < 400; ++tick) {
        scenario::RunTicks(1);
        ASSERT_GE(BallState.z16, 0);
    }
    EXPECT_EQ(BallState.z, 0);  // long since landed and rolling or at rest
}

}  // namespace
