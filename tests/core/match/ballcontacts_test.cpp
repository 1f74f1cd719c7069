// The ball meeting the players: reach, rebounds, falls, taking the ball,
// one touch per tick, the leading team's stop dead, and the routines that
// keep the ball at a player's feet.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/ballcollide.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchstate.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/strikes.h"
#include "tests/core/match/units.h"

namespace {

constexpr int32_t kContactUnit = 65536;

class BallContactsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memset(MatchFigures, 0, sizeof MatchFigures);
        MatchResetEngineState();
        MatchPhase = kPhaseOpenPlay;
        AttackDirection = 0;
        Goals[0] = Goals[1] = 0;
        BallTeam = 0;
        MatchHooks = MatchDisplayHooks{};
        for (int16_t f = 0; f < kPlayerFigures; ++f) {
            MatchFigure& p = MatchFigures[f];
            p.off = 1;
            p.x = p.y = 3000;
            p.control = 50;
            p.composure = 50;
            p.ballDistance = 500;
        }
        Ball_ResetContacts();
        GameSeedRandom(11);
    }
    void TearDown() override { MatchHooks = MatchDisplayHooks{}; }

    static MatchFigure& Player(int16_t figure, int x, int y, uint16_t action, uint16_t facing = 0) {
        MatchFigure& p = MatchFigures[figure];
        p.off = 0;
        p.x = int16_t(x);
        p.y = int16_t(y);
        p.x16 = x * kContactUnit;
        p.y16 = y * kContactUnit;
        p.facing = facing;
        Match_SetPlayerAction(figure, action);
        return p;
    }
    static void Ball(int x, int y, int z, int vx = 0, int vy = 0) {
        BallState.x = int16_t(x);
        BallState.y = int16_t(y);
        BallState.z = int16_t(z);
        BallState.vx = vx;
        BallState.vy = vy;
        BallState.vz = 0;
        Ball_UpdateDirectionSpeed();
    }
};

TEST_F(BallContactsTest, ReachEndsAtHeight110) {
    Player(3, 500, 500, kActionStand);
    Ball(500, 505, 111, 0, -12 * kContactUnit);
    Ball_PlayerContacts();
    EXPECT_EQ(BallState.vy, -12 * kContactUnit);
    EXPECT_EQ(BallDeflectionCooldown, 0);
    Ball(500, 505, 110, 0, -12 * kContactUnit);
    Ball_PlayerContacts();
    EXPECT_EQ(BallDeflectionCooldown, 4);
    EXPECT_EQ(LastToucher, 3);
    // Row (505 + 9 - 500) / 2 = 7, column 4: sector 4 keeps 90/180 of vy.
    EXPECT_EQ(BallState.vy, -6 * kContactUnit);
    // And nobody touches it while the rebound's cooldown runs.
    Ball_PlayerContacts();
    EXPECT_EQ(BallDeflectionCooldown, 3);
    EXPECT_EQ(BallState.vy, -6 * kContactUnit);
}

TEST_F(BallContactsTest, AFastBallAtTheTopOfHisReachKnocksAStandingPlayerDown) {
    // Moving toward smaller y (direction 0): his back faces it at facing 0,
    // his front at facing 128.
    Player(3, 500, 500, kActionStand, 0);
    Ball(500, 500, 110, 0, -12 * kContactUnit);
    Ball_PlayerContacts();
    EXPECT_EQ(MatchFigures[3].action, kActionSlidingFall);
    BallDeflectionCooldown = 0;
    Player(3, 500, 500, kActionStand, 128);
    Ball(500, 500, 110, 0, -12 * kContactUnit);
    Ball_PlayerContacts();
    EXPECT_EQ(MatchFigures[3].action, kActionFallForward);
    // A prepared player (action above 15) is only rebounded off.
    BallDeflectionCooldown = 0;
    Player(3, 500, 500, kActionReceivePass, 128);
    Ball(500, 500, 110, 0, -12 * kContactUnit);
    Ball_PlayerContacts();
    EXPECT_EQ(MatchFigures[3].action, kActionReceivePass);
}

// The pass records name the receiver: a hard pass does not bounce off him,
// while it still bounces off anyone else; his touch ends the favour.
TEST_F(BallContactsTest, TheReceiverOfAPassTakesItEvenWhenItIsFast) {
    Player(2, 900, 900, kActionStand);
    Player(7, 500, 500, kActionReceivePass);
    MatchRecordPass(2, 7, 0);
    EXPECT_EQ(BallFavouredPlayer, 7);
    Ball(500, 500, 20, 0, -12 * kContactUnit);
    Ball_PlayerContacts();
    EXPECT_EQ(BallDeflectionCooldown, 0);
    EXPECT_EQ(LastToucher, 7);
    EXPECT_EQ(+MatchFigures[7].hasBall, 1);
    EXPECT_EQ(BallFavouredPlayer, -1);
    Player(9, 600, 600, kActionReceivePass);
    Ball(600, 600, 20, 0, -12 * kContactUnit);
    Ball_PlayerContacts();
    EXPECT_EQ(BallDeflectionCooldown, 4);
}

TEST_F(BallContactsTest, AStillBallIsTakenWithoutRebound) {
    Player(20, 600, 700, kActionStand);
    Ball(603, 702, 0);
    ASSERT_EQ(BallState.direction, 256);
    Ball_PlayerContacts();
    const MatchFigure& p = MatchFigures[20];
    EXPECT_EQ(p.action, kActionThink);
    EXPECT_EQ(+p.hasBall, 1);
    EXPECT_EQ(LastToucher, 20);
    EXPECT_EQ(BallTeam, 1);
    EXPECT_EQ(TeamLastToucher[1], 20);
    EXPECT_EQ(TeamChallenger[1], 20);
    EXPECT_EQ(BallDeflectionCooldown, 0);
    EXPECT_TRUE(p.frame == 11 || p.frame == 27);
}

TEST_F(BallContactsTest, OnlyTheLowerFigureNumberGetsTheOpenPlayTouch) {
    Player(5, 800, 800, kActionRunToPosition);
    Player(21, 804, 804, kActionRunToPosition);
    Ball(802, 802, 0);
    Ball_PlayerContacts();
    EXPECT_EQ(LastToucher, 5);
    EXPECT_EQ(+MatchFigures[5].hasBall, 1);
    EXPECT_EQ(+MatchFigures[21].hasBall, 0);
    EXPECT_EQ(MatchFigures[21].action, kActionRunToPosition);
}

TEST_F(BallContactsTest, KillChestDropAndFeetStop) {
    // Action 49 kills a slow ball: down at 5 units, the rest a quarter.
    Player(2, 400, 400, kActionLowControl);
    MatchFigures[2].touchLockout = 0;
    Ball(400, 400, 60, 8 * kContactUnit, 2 * kContactUnit);
    LastKicker = -1;
    Ball_PlayerContacts();
    EXPECT_EQ(BallState.vx, 2 * kContactUnit);
    EXPECT_EQ(BallState.vy, kContactUnit / 2);
    // A slow ball at chest height drops off him toward the point ahead.
    Player(2, 400, 400, kActionStand, 64);
    Ball(400, 400, 90, 0, 3 * kContactUnit);
    Ball_PlayerContacts();
    EXPECT_EQ(BallState.vz, -kContactUnit);
    EXPECT_EQ(LastToucher, 2);
    EXPECT_GT(BallState.vx, 150000);
    // A slow low ball stops against his feet, unless he is the kicker.
    Player(2, 400, 400, kActionFallForward);
    LastKicker = 2;
    Ball(400, 400, 20, 5 * kContactUnit, 0);
    Ball_PlayerContacts();
    EXPECT_EQ(BallState.vx, 5 * kContactUnit);
    LastKicker = -1;
    Ball(400, 400, 20, 5 * kContactUnit, 0);
    BallState.kickGrace = 9;
    Ball_PlayerContacts();
    EXPECT_EQ(BallState.vx, 0);
    EXPECT_EQ(BallState.kickGrace, 0);
}

TEST_F(BallContactsTest, TouchLockoutSkipsThePlayerAndCountsDown) {
    MatchFigure& p = Player(7, 500, 500, kActionStand);
    p.touchLockout = 2;
    p.ballWork2 = 3;
    Ball(500, 500, 0);
    Ball_PlayerContacts();
    EXPECT_EQ(+p.touchLockout, 1);
    EXPECT_EQ(+p.ballWork2, 3);
    EXPECT_EQ(+p.hasBall, 0);
    Ball_PlayerContacts();
    Ball_PlayerContacts();
    EXPECT_EQ(+p.touchLockout, 0);
    EXPECT_EQ(+p.ballWork2, 2);
    EXPECT_EQ(+p.hasBall, 1);
}

TEST_F(BallContactsTest, TheLeadingTeamMayStopTheBallDeadWithNobodyNear) {
    Goals[0] = 1;
    int stoppedDead = 0;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        GameSeedRandom(seed);
        LastToucher = -1;
        TeamChallenger[0] = kNoChallenger;
        MatchFigure& p = Player(6, 900, 900, kActionStand);
        p.composure = 100;
        Ball(900, 900, 0, 2 * kContactUnit, 0);
        BallDeflectionCooldown = 0;
        Ball_PlayerContacts();
        if (p.action == kActionOnBall) {
            ++stoppedDead;
            EXPECT_EQ(BallState.vx, 0);
        } else {
            EXPECT_EQ(p.action, kActionThink);
        }
    }
    // A random draw below 200 that falls under 100: about half the time.
    EXPECT_GT(stoppedDead, 60);
    EXPECT_LT(stoppedDead, 140);
    // Level scores: never.
    Goals[0] = 0;
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        GameSeedRandom(seed);
        LastToucher = -1;
        MatchFigure& p = Player(6, 900, 900, kActionStand);
        p.composure = 100;
        Ball(900, 900, 0, 2 * kContactUnit, 0);
        Ball_PlayerContacts();
        EXPECT_NE(p.action, kActionOnBall);
    }
}

TEST_F(BallContactsTest, TheThinkingRoleIsHandedOver) {
    MatchFigure& old = Player(3, 300, 300, kActionThink);
    MatchFigure& far = Player(4, 900, 900, kActionThink);
    MatchFigure& taker = Player(5, 500, 500, kActionStand);
    old.ballDistance = 200;
    far.ballDistance = 600;
    taker.ballDistance = 100;
    BallRanking[0][0] = 7;
    TeamChallenger[0] = 3;
    Match_PassThinkRole(0, 5);
    EXPECT_EQ(TeamChallenger[0], 5);
    EXPECT_EQ(taker.action, kActionThink);
    EXPECT_EQ(far.action, kActionRunToPosition);  // sent back to his place
    // A busy challenger keeps the role.
    Player(3, 300, 300, kActionToTunnel);
    TeamChallenger[0] = 3;
    Match_PassThinkRole(0, 5);
    EXPECT_EQ(TeamChallenger[0], 3);
}

TEST_F(BallContactsTest, FeetRoutinesPutTheBallAheadOfThePlayer) {
    MatchFigure& p = Player(9, 700, 700, kActionRunAfterBall, 64);  // facing larger x
    BallState.vx = 3 * kContactUnit;
    Ball_PlaceAtFeet(9);
    EXPECT_EQ(BallState.vx, 0);
    EXPECT_EQ(BallState.x, 712);
    EXPECT_EQ(BallState.y, 700);
    EXPECT_EQ(+MatchFigures[kBallFigure].x, 712);
    Ball_KeepAtFeet(9);
    EXPECT_EQ(BallState.x, 704);
    p.gait = 2;
    Match_SetPlayerAction(9, kActionOnBall);
    Ball_KeepAtFeet(9);
    EXPECT_EQ(+p.gait, 0);
    // One unit toward the point 8 ahead at facing 54: x from 704 to 703
    // (the point lies at 707, so x steps up), y one unit toward smaller y.
    EXPECT_EQ(BallState.x, 705);
    EXPECT_EQ(BallState.y, 699);
}

}  // namespace

namespace {

TEST_F(BallContactsTest, RandomCrowdsAroundTheBallGiveItToOnePlayerAtMost) {
    for (uint32_t seed = 1; seed <= 3000; ++seed) {
        GameSeedRandom(seed);
        auto draw = [](int n) { return int(GameRandom() % n); };
        Goals[0] = int16_t(draw(3));
        Goals[1] = int16_t(draw(3));
        const int bx = 300 + draw(1000), by = 300 + draw(1500);
        for (int16_t f = 0; f < kPlayerFigures; ++f) {
            MatchFigure& p =
                Player(f, bx + draw(30) - 15, by + draw(30) - 15, uint16_t(draw(206)), uint16_t(draw(256)));
            p.off = uint8_t(draw(5) == 0);
            p.touchLockout = int16_t(draw(3));
            p.control = int8_t(50 + draw(51));
            p.composure = int8_t(draw(101));
            p.left = int8_t(draw(4));
            p.right = int8_t(draw(4));
        }
        LastToucher = int16_t(draw(33) - 1);
        TeamChallenger[0] = int16_t(draw(2) ? kNoChallenger : draw(16));
        TeamChallenger[1] = int16_t(draw(2) ? kNoChallenger : 16 + draw(16));
        BallDeflectionCooldown = int16_t(draw(3));
        BallState.holder = BallState.controller = 0;
        Ball(bx, by, draw(140), draw(30 * kUnit) - 15 * kUnit, draw(30 * kUnit) - 15 * kUnit);
        Ball_PlayerContacts();
        int holders = 0;
        for (int16_t f = 0; f < kPlayerFigures; ++f) {
            holders += MatchFigures[f].hasBall != 0;
            ASSERT_LT(MatchFigures[f].action, 206);
        }
        ASSERT_LE(holders, 1) << seed;
        ASSERT_TRUE(TeamChallenger[0] == kNoChallenger || (TeamChallenger[0] >= 0 && TeamChallenger[0] < 16));
        ASSERT_TRUE(TeamChallenger[1] == kNoChallenger ||
                    (TeamChallenger[1] >= 16 && TeamChallenger[1] < 32));
    }
}

}  // namespace
