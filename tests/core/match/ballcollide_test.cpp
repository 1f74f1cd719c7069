// The ball against posts, bar, nets, lines, flags and walls, and the
// restarts it hands to the match phases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/base/random.h"
#include "core/match/ball.h"
#include "core/match/ballcollide.h"
#include "core/match/ballcontacts.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchstate.h"
#include "core/match/phases.h"
#include "tests/core/match/scenario.h"

namespace {

constexpr int32_t kCollideUnit = 65536;

std::vector<int16_t> sounds;
void RecordCollideSound(int16_t event, int16_t) { sounds.push_back(event); }
int Count(int16_t event) { return int(std::count(sounds.begin(), sounds.end(), event)); }

class BallCollideTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memset(MatchFigures, 0, sizeof MatchFigures);
        MatchResetEngineState();
        BallState.drag = 991;
        BallState.gravity = 40000;
        BallState.bounceKeep = 0.96f;
        BallState.bounceRestitution = 0.52f;
        MatchPhase = kPhaseOpenPlay;
        Period = 0;
        AttackDirection = 0;  // team 0 defends the top goal
        Goals[0] = Goals[1] = 0;
        TeamRestartCount[0] = TeamRestartCount[1] = 0;
        ShootOutDecision[0] = ShootOutDecision[1] = 0;
        ShootOutGoals[0] = ShootOutGoals[1] = 0;
        ShooterFigure = -1;
        PlayStopped = 0;
        MatchHooks = MatchDisplayHooks{};
        MatchHooks.soundEvent = RecordCollideSound;
        sounds.clear();
        Ball_ResetContacts();
        BallState.y = 200;  // the top half: team 1 attacks there
        GameSeedRandom(7);
    }
    void TearDown() override { MatchHooks = MatchDisplayHooks{}; }

    static void Probe(int x, int y, int z) {
        BallState.probeX = int16_t(x);
        BallState.probeY = int16_t(y);
        BallState.z = int16_t(z);
        BallState.collisionCount = 0;
    }
    static void Velocity(int vx, int vy, int vz = 0) {
        BallState.vx = vx;
        BallState.vy = vy;
        BallState.vz = vz;
        Ball_UpdateDirectionSpeed();
    }
};

TEST_F(BallCollideTest, TheMiddleOfAPostSendsTheBallBackOffItsFront) {
    for (int16_t post : {int16_t(730), int16_t(862)}) {
        Probe(post, 127, 100);
        Velocity(0, -8 * kCollideUnit);  // octant 0, toward the top goal
        sounds.clear();
        Ball_Collide();
        EXPECT_EQ(BallState.collisionCount, 1);
        EXPECT_EQ(BallState.vy, 4 * kCollideUnit);  // -vy / 2
        EXPECT_EQ(BallState.vx, 0);
        EXPECT_EQ(BallState.probeX, post - 4);
        EXPECT_EQ(BallState.probeY, 130);
        EXPECT_EQ(Count(4), 1);
        EXPECT_EQ(MatchPhase, 0);
    }
    // Above the bar's underside the post is not there.
    Probe(730, 126, 145);
    Velocity(0, -8 * kCollideUnit);
    Ball_Collide();
    EXPECT_EQ(BallState.vy, -8 * kCollideUnit);
}

TEST_F(BallCollideTest, PostResponsesByWhereTheProbeMeetsThePost) {
    // Three units to the larger-x side of the left post: the high edge; a
    // ball moving in octant 1 passes it and the walk goes on.
    Probe(733, 128, 20);
    Velocity(3 * kCollideUnit, -3 * kCollideUnit);
    ASSERT_EQ(BallState.direction / 32, 1);
    Ball_Collide();
    EXPECT_EQ(BallState.collisionCount, 0);
    EXPECT_EQ(BallState.probeX, 734);
    EXPECT_EQ(BallState.probeY, 130);
    // The outer low side in octant 5 (moving down and left): |vy| across, vy/8 back.
    Probe(728, 2038, 20);
    Velocity(-3 * kCollideUnit, 3 * kCollideUnit);
    ASSERT_EQ(BallState.direction / 32, 5);
    Ball_Collide();
    EXPECT_EQ(BallState.collisionCount, 1);
    EXPECT_EQ(BallState.vx, 3 * kCollideUnit);
    EXPECT_EQ(BallState.vy, -(3 * kCollideUnit / 8));
    EXPECT_EQ(BallState.probeY, 2034);
}

TEST_F(BallCollideTest, GoalBandBackNetAndSideNettingDepths) {
    // Top goal: depth 4 and 24 are goals, 25 the back net, 3 nothing.
    for (int depth : {4, 24}) {
        MatchPhase = kPhaseOpenPlay;
        sounds.clear();
        Probe(796, 126 - depth, 100);
        Velocity(0, -6 * kCollideUnit);
        Ball_Collide();
        EXPECT_EQ(MatchPhase, 9) << depth;
        EXPECT_EQ(PlayStopped, 2);
        EXPECT_EQ(Count(24), 1);
        EXPECT_EQ(Count(32), 1);
    }
    MatchPhase = kPhaseOpenPlay;
    Probe(796, 101, 100);
    Velocity(0, -32 * kCollideUnit);
    Ball_Collide();
    EXPECT_NE(MatchPhase, 9);  // behind the line, but no goal
    EXPECT_EQ(BallState.collisionCount, 1);
    EXPECT_EQ(BallState.vy, 2 * kCollideUnit);
    EXPECT_EQ(BallState.probeY, 102);
    EXPECT_EQ(BallState.netCooldown, 25);
    // The side netting: top to depth 31, bottom to depth 25.
    Probe(731, 95, 50);
    Velocity(-6 * kCollideUnit, -1 * kCollideUnit);
    Ball_Collide();
    EXPECT_EQ(BallState.collisionCount, 1);
    EXPECT_EQ(BallState.vx, 2 * kCollideUnit);
    EXPECT_EQ(BallState.probeX, 734);
    Probe(731, 94, 50);
    Velocity(-6 * kCollideUnit, -1 * kCollideUnit);
    Ball_Collide();
    EXPECT_EQ(BallState.vx, -6 * kCollideUnit);
    Probe(861, 2063, 50);
    Velocity(6 * kCollideUnit, 1 * kCollideUnit);
    Ball_Collide();
    EXPECT_EQ(BallState.vx, -2 * kCollideUnit);
    Probe(861, 2064, 50);
    Velocity(6 * kCollideUnit, 1 * kCollideUnit);
    Ball_Collide();
    EXPECT_EQ(BallState.vx, 6 * kCollideUnit);
}

TEST_F(BallCollideTest, TheCrossbarOnlyStopsABallMovingIntoTheGoal) {
    Probe(796, 126, 160);
    Velocity(0, 5 * kCollideUnit);  // rising through the bar's band on its way out
    Ball_Collide();
    EXPECT_EQ(BallState.collisionCount, 0);
    EXPECT_EQ(Count(14), 0);
    Probe(796, 126, 160);
    Velocity(0, -5 * kCollideUnit);
    Ball_Collide();  // index (175 - 160) / 5 = 3: the bar's centre
    EXPECT_EQ(BallState.collisionCount, 1);
    EXPECT_EQ(Count(14), 1);
    EXPECT_EQ(BallState.vy, 163840);
    EXPECT_EQ(BallState.probeY, 130);
    EXPECT_EQ(TeamRestartCount[1], 5u);  // team 1 attacks the top goal
    Probe(796, 2038, 148);
    Velocity(0, 5 * kCollideUnit);
    Ball_Collide();
    EXPECT_EQ(BallState.probeY, 2034);
    EXPECT_LT(BallState.vz, 0);  // the under side flicks it down
    Probe(796, 2038, 172);
    Velocity(0, 5 * kCollideUnit);
    Ball_Collide();
    EXPECT_GT(BallState.vz, 0);  // the top flicks it up
}

TEST_F(BallCollideTest, OverTheGoalLineByWhoTouchedItLast) {
    // Team 0 defends the top goal: its own touch gives a corner to team 1.
    LastToucher = 4;
    Probe(300, 122, 0);
    Ball_Collide();
    EXPECT_EQ(MatchPhase, 5);
    EXPECT_EQ(RestartTeam, 1);
    EXPECT_EQ(CornerX, 300);
    EXPECT_EQ(CornerY, 122);
    EXPECT_EQ(CornerToucher, 4);
    EXPECT_EQ(Count(22), 1);
    // An attacker's touch: a goal kick to the defenders.
    MatchPhase = kPhaseOpenPlay;
    LastToucher = 20;
    Probe(1000, 122, 0);
    Ball_Collide();
    EXPECT_EQ(MatchPhase, 4);
    EXPECT_EQ(RestartTeam, 0);
    EXPECT_EQ(GoalKickToucher, 20);
    // At the bottom goal team 1 defends.
    MatchPhase = kPhaseOpenPlay;
    LastToucher = 20;
    Probe(400, 2042, 0);
    Ball_Collide();
    EXPECT_EQ(MatchPhase, 5);
    EXPECT_EQ(RestartTeam, 0);
    // In the shoot-out the kick is simply over.
    MatchPhase = kPhaseOpenPlay;
    Period = 4;
    Probe(400, 122, 0);
    Ball_Collide();
    EXPECT_EQ(MatchPhase, 20);
}

// A shoot-out kick ends when the ball comes to rest, or when the keeper has
// touched a ball that no longer goes toward the goal; but a ball in the
// keeper's hands is his to end the kick with, once he has taken it.
TEST_F(BallCollideTest, AShootOutKickEndsAtRestOrAtTheKeepersTouchButNotInHisHands) {
    Period = 4;
    MatchFigures[kBallFigure].y = 300;
    Probe(796, 300, 0);
    Velocity(0, 0);
    BallState.holder = 17;
    Ball_Collide();
    EXPECT_EQ(MatchPhase, kPhaseOpenPlay);
    BallState.holder = 0;
    Ball_Collide();
    EXPECT_EQ(MatchPhase, kPhaseShootOutControl);
    // Deflected sideways by the keeper, still moving: over at his touch only.
    MatchPhase = kPhaseOpenPlay;
    Velocity(5 * 65536, 0);
    Ball_Collide();
    EXPECT_EQ(MatchPhase, kPhaseOpenPlay);
    KeeperTouchedBall = 1;
    Ball_Collide();
    EXPECT_EQ(MatchPhase, kPhaseShootOutControl);
}

TEST_F(BallCollideTest, NearMissOnlyWhileAShotIsPending) {
    LastToucher = 20;
    Probe(870, 122, 40);
    Ball_Collide();
    EXPECT_EQ(MatchPhase, 4);
    EXPECT_EQ(TeamRestartCount[1], 0u);  // no shot pending: no near miss
    MatchPhase = kPhaseOpenPlay;
    ShooterFigure = 20;
    Probe(870, 122, 40);
    Ball_Collide();
    EXPECT_EQ(TeamRestartCount[1], 1u);
    EXPECT_EQ(ShooterFigure, -1);
}

TEST_F(BallCollideTest, OverTheTouchLineAThrowInForTheOtherTeam) {
    LastToucher = 22;
    BallState.predicted[2][1] = 640;
    MatchFigures[kBallFigure].x = 1430;
    Probe(1437, 2050, 0);
    Ball_Collide();
    EXPECT_EQ(MatchPhase, 3);  // over a goal line and a touchline at once
    EXPECT_EQ(RestartTeam, 0);
    EXPECT_EQ(ThrowInX, 1434);
    EXPECT_EQ(ThrowInY, 2037);
    EXPECT_EQ(ThrowInToucher, 22);
    EXPECT_EQ(+MatchFigures[kRefereeFigure + 1].x, 1562);
    EXPECT_EQ(+MatchFigures[kRefereeFigure + 1].y, 640);
}

TEST_F(BallCollideTest, AfterAGoalTheBallStaysInTheNet) {
    MatchPhase = kPhaseGoal;
    Probe(700, 90, 170);
    Ball_Collide();
    EXPECT_EQ(BallState.probeX, 730);
    EXPECT_EQ(BallState.probeY, 98);
    EXPECT_EQ(BallState.z, 145);
    EXPECT_EQ(BallState.collisionCount, 3);
}

TEST_F(BallCollideTest, EndWallsReturnLowBallsAndDropHighOnes) {
    Probe(500, -2, 109);
    Velocity(0, -6 * kCollideUnit);
    Ball_Collide();
    EXPECT_EQ(BallState.vy, 6 * kCollideUnit);
    EXPECT_EQ(Count(13), 1);
    Probe(500, -2, 110);
    Velocity(0, -16 * kCollideUnit, 0);
    Ball_Collide();
    EXPECT_EQ(BallState.vy, 2 * kCollideUnit);
    EXPECT_EQ(BallState.vz, 2 * kCollideUnit);
    // A low ball in the tunnel gap goes on past the side wall's line.
    Probe(30, 1100, 0);
    Velocity(-6 * kCollideUnit, 0);
    BallState.z = 0;
    Ball_Collide();
    EXPECT_EQ(Count(13), 1);
}

TEST_F(BallCollideTest, ShotsFromThePenaltySpotScoreOnceOrMeetTheBar) {
    for (int end = 0; end < 2; ++end) {
        for (int height : {0, 60, 120, 144, 150, 170}) {
            MatchPhase = kPhaseOpenPlay;
            PlayStopped = 0;
            sounds.clear();
            const int spotY = end == 0 ? 318 : 1846;
            const int sign = end == 0 ? -1 : 1;
            scenario::PlaceBall(796, spotY, height);
            BallState.vx = 0;
            BallState.vy = sign * 18 * kCollideUnit;
            BallState.vz = 40000;  // holds its height against gravity
            BallState.holder = BallState.controller = 0;
            LastToucher = 5;
            bool metTheBar = false;
            for (int tick = 0; tick < 40; ++tick) {
                BallState.vz = 40000;
                BallState.vx = 0;
                Ball_Update();
                metTheBar = metTheBar || Count(14) > 0;
                if (metTheBar) break;
            }
            if (height < 145) {
                EXPECT_EQ(MatchPhase, 9) << end << " " << height;
                EXPECT_EQ(Count(24), 1) << end << " " << height;
            } else {
                EXPECT_TRUE(metTheBar) << end << " " << height;
                EXPECT_EQ(Count(24), 0);
            }
        }
    }
}

}  // namespace

namespace {

bool OutOverALine(int x, int y) { return x < 156 || x > 1436 || y < 123 || y > 2041; }

TEST_F(BallCollideTest, TenThousandRandomBallsStayInsideAndEndOnce) {
    for (int16_t f = 0; f < kPlayerFigures; ++f) MatchFigures[f].off = 1;
    int goals = 0, corners = 0, goalKicks = 0, throwIns = 0, atRest = 0;
    for (uint32_t ball = 0; ball < 10000; ++ball) {
        GameSeedRandom(1000 + ball);
        auto draw = [](int n) { return int(GameRandom() % n); };
        MatchPhase = kPhaseOpenPlay;
        PlayStopped = 0;
        Period = 0;
        AttackDirection = uint8_t(ball & 1);
        ShooterFigure = int8_t(draw(2) == 0 ? -1 : 5);
        LastToucher = int16_t(draw(32));
        BallState = {};
        BallState.drag = 991;
        BallState.gravity = 40000;
        BallState.bounceKeep = 0.96f;
        BallState.bounceRestitution = 0.52f;
        BallState.direction = 256;
        scenario::PlaceBall(160 + draw(1273), 128 + draw(1909), draw(300));
        BallState.vx = draw(80 * kCollideUnit + 1) - 40 * kCollideUnit;
        BallState.vy = draw(80 * kCollideUnit + 1) - 40 * kCollideUnit;
        BallState.vz = draw(20 * kCollideUnit + 1) - 10 * kCollideUnit;
        for (int32_t& s : BallState.swerve) s = draw(20001) - 10000;
        BallState.swerveTime = uint16_t(draw(35));
        BallState.kickGrace = int16_t(draw(17));
        sounds.clear();
        bool crossed = false;
        for (int tick = 0; tick < 3000 && MatchPhase == kPhaseOpenPlay; ++tick) {
            Ball_Update();
            ASSERT_GE(BallState.z, 0);
            ASSERT_GE(BallState.z16, 0);
            if (BallState.z < 110) {
                ASSERT_GE(BallState.x, 30) << ball;
                ASSERT_LE(BallState.x, 1562) << ball;
                ASSERT_GE(BallState.y, -2) << ball;
                ASSERT_LE(BallState.y, 2166) << ball;
            }
            if (OutOverALine(BallState.x, BallState.y)) crossed = true;
            if (crossed) {
                ASSERT_NE(MatchPhase, 0) << "ball " << ball << " out and still in play";
            }
        }
        ASSERT_LE(Count(24), 1);
        switch (MatchPhase) {
            case 0:
                ASSERT_EQ(BallState.vx, 0) << ball;
                ASSERT_EQ(BallState.vy, 0) << ball;
                ASSERT_EQ(BallState.z, 0) << ball;
                ++atRest;
                break;
            case 3:
                ++throwIns;
                break;
            case 4:
                ++goalKicks;
                break;
            case 5:
                ++corners;
                break;
            case 9:
                ++goals;
                ASSERT_EQ(Count(24), 1);
                break;
            default:
                FAIL() << "ball " << ball << " ended in phase " << MatchPhase;
        }
        // Out of play the ball runs on to the stadium's walls and stays inside.
        if (MatchPhase >= kPhaseThrowIn && MatchPhase <= kPhaseCorner) {
            for (int tick = 0; tick < 400; ++tick) {
                Ball_Update();
                ASSERT_GE(BallState.z, 0);
                if (BallState.z < 110) {
                    // The players' tunnel opens the left wall between y 1002 and 1162.
                    const bool tunnel = BallState.y >= 1002 && BallState.y <= 1162;
                    ASSERT_TRUE((BallState.x >= 30 || tunnel) && BallState.x <= 1562)
                        << ball << " x " << BallState.x << " y " << BallState.y << " vx " << BallState.vx
                        << " vy " << BallState.vy << " z " << BallState.z;
                    ASSERT_TRUE(BallState.y >= -2 && BallState.y <= 2166) << ball << " y " << BallState.y;
                }
            }
        }
        // After a goal it stays inside the net's sides, back and roof.
        if (MatchPhase == kPhaseGoal) {
            for (int tick = 0; tick < 300; ++tick) {
                Ball_Update();
                ASSERT_GE(BallState.x, 730);
                ASSERT_LE(BallState.x, 862);
                ASSERT_LE(BallState.z, 145);
                ASSERT_TRUE(BallState.y >= 98 && BallState.y <= 2066);
            }
        }
    }
    EXPECT_GT(goals, 0);
    EXPECT_GT(corners, 0);
    EXPECT_GT(goalKicks, 0);
    EXPECT_GT(throwIns, 0);
    EXPECT_GT(atRest, 0);
}

}  // namespace

namespace {

// A shot from the penalty spot in a running match: the goal phase counts it
// once and play moves on to the celebrations.
TEST(BallInTheMatch, APenaltySpotShotScoresOnceThroughTheTick) {
    scenario::FillTwoClubs(21);
    scenario::StartMatch(21);
    scenario::PlaceTeamsOnFormation();
    scenario::StartOpenPlay(1);
    // The top goal's keeper steps aside; the shot flies above everyone's reach.
    scenario::PlaceFigure(MatchLineUp[AttackDirection][0], 1100, 200, kActionKeeperReady);
    scenario::PlaceBall(796, 318, 120);
    LastToucher = MatchLineUp[AttackDirection ^ 1][9];
    BallState.vy = -20 * 65536;
    BallState.vz = 3 * 65536;
    const int16_t before = Goals[AttackDirection ^ 1];
    int goalTicks = 0;
    for (int tick = 0; tick < 60; ++tick) {
        scenario::RunTicks(1);
        goalTicks += MatchPhase == kPhaseGoal;
    }
    EXPECT_EQ(Goals[AttackDirection ^ 1], before + 1);
    EXPECT_EQ(Goals[AttackDirection], 0);
    EXPECT_LE(goalTicks, 1);
    EXPECT_NE(MatchPhase, 0);
}

}  // namespace
