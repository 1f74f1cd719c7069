#include "core/match/passing.h"
#include "core/match/actions.h"
#include "core/match/matchclock.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/base/random.h"
#include "core/match/ball.h"
#include "core/match/highball.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/shotchoice.h"
#include "core/match/strikes.h"
#include "tests/core/match/openplay_fixture.h"
#include "tests/core/match/scenario.h"

namespace {

using openplaytest::OpenPlayTest;

class PassingTest : public OpenPlayTest {
  protected:
    void SetUp() override {
        OpenPlayTest::SetUp();
        AttackDirection = 0;
        BallTeam = 0;
        // Everybody off but the passer (5): the tests bring on whom they need.
        for (int figure = 0; figure < kPlayerFigures; ++figure) MatchFigures[figure].off = 1;
        On(5, 796, 1000);
        MatchFigures[5].facing = 128;
        MatchFigures[5].passing = 80;
        MatchFigures[5].tacticBytes[5] = 0xFF;  // no run target
        PutBall(796, 1004);
        CurrentTeam = 0;
        MatchCurX = 796;
        MatchCurY = 1000;
        for (int k = 0; k < 16; ++k) BallRanking[0][k] = int16_t(k);
        for (int k = 0; k < 16; ++k) BallRanking[1][k] = int16_t(16 + k);
    }
    static void On(int16_t figure, int x, int y) {
        MatchFigures[figure].off = 0;
        Put(figure, x, y);
        MatchFigures[figure].facing = 0;
    }
};

TEST_F(PassingTest, ThePreferredReceiverWinsAndTiesGoToTheNearer) {
    On(6, 796 + 30, 1150);   // straight ahead, scores best
    On(7, 796 - 100, 1180);  // a little wider
    GameSeedRandom(3);
    EXPECT_EQ(Match_ChooseShortPass(5, 1), 6);
    MatchFigures[5].tacticBytes[1] = 7;  // the preferred receiver's slot
    GameSeedRandom(3);
    EXPECT_EQ(Match_ChooseShortPass(5, 1), 7);
    // A slot of 16 names nobody.
    MatchFigures[5].tacticBytes[1] = 16;
    GameSeedRandom(3);
    EXPECT_EQ(Match_ChooseShortPass(5, 1), 6);
    // Two at the same angle: the nearer to the ball (earlier ranked) wins.
    MatchFigures[5].tacticBytes[1] = 0;
    On(7, 796 + 60, 1300);
    BallRanking[0][1] = 6;
    BallRanking[0][6] = 1;
    GameSeedRandom(3);
    EXPECT_EQ(Match_ChooseShortPass(5, 1), 6);
}

TEST_F(PassingTest, AnOpponentInTheLaneStopsThePass) {
    On(6, 796, 1200);
    GameSeedRandom(5);
    EXPECT_EQ(Match_ChooseShortPass(5, 1), 6);
    On(20, 796, 1060);  // between them, facing the ball
    MatchFigures[20].facing = 0;
    GameSeedRandom(5);
    EXPECT_EQ(Match_ChooseShortPass(5, 1), kNoPassReceiver);
}

// The long pass in mode 1 looks at no lane: every team-mate's pass
// direction is 0, whatever the direction to him, and he is accepted by the
// passer's Passing + 20 (never by another skill).
TEST_F(PassingTest, TheLongPassInModeOnePassesAlongDirectionZeroAcceptedByPassing) {
    AttackDirection = 1;  // team 0 attacks the goal at y 126: straight ahead is direction 0
    MatchFigures[5].facing = 0;
    MatchFigures[5].greed = 0;
    ASSERT_EQ(Match_GoalDirection(5, 1, 0), 0);
    On(6, 796, 1300);  // 300 behind him
    GameSeedRandom(4);
    EXPECT_EQ(Match_ChooseLongPass(5, 0), kNoPassReceiver);  // the lane behind him: beyond the turn limit
    GameSeedRandom(4);
    EXPECT_EQ(Match_ChooseLongPass(5, 1), 6);
    // From near the corner the goal lies some 60 steps round from direction
    // 0: the score s is that turn, accepted while s - 32 is at most Passing + 20.
    Put(5, 300, 200);
    MatchCurX = 300;
    MatchCurY = 200;
    PutBall(300, 204);
    On(6, 300, 500);
    const int goalward = Match_GoalDirection(5, 1, 0);
    const int s = std::min(goalward, 256 - goalward);
    ASSERT_GE(s, 53);
    ASSERT_LT(s, 72);
    MatchFigures[5].agility = 100;
    MatchFigures[5].passing = int8_t(s - 52);
    GameSeedRandom(4);
    EXPECT_EQ(Match_ChooseLongPass(5, 1), 6);
    MatchFigures[5].passing = int8_t(s - 53);
    GameSeedRandom(4);
    EXPECT_EQ(Match_ChooseLongPass(5, 1), kNoPassReceiver);
}

TEST_F(PassingTest, OffsideCareOnlyAfterItsDraw) {
    On(6, 796, 1200);
    MatchFigures[6].offsideMark = 1;
    MatchFigures[5].intelligence = 100;
    int refused = 0;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        GameSeedRandom(seed);
        if (Match_ChooseShortPass(5, 1) == kNoPassReceiver) ++refused;
    }
    EXPECT_GT(refused, 50);
    EXPECT_LT(refused, 200);
}

TEST_F(PassingTest, TheOpponentAheadOnlyInOpenPlay) {
    On(20, 796, 1007);
    MatchFigures[20].action = kActionStand;
    int found = 0;
    for (uint32_t seed = 1; seed <= 100; ++seed) {
        GameSeedRandom(seed);
        if (Match_OpponentAhead(5) == 21) ++found;
    }
    EXPECT_GT(found, 80);
    MatchPhase = kPhaseThrowIn;
    EXPECT_EQ(Match_OpponentAhead(5), 0);
    MatchPhase = kPhaseOpenPlay;
    MatchFigures[20].action = kActionThrowInChoose;  // busy: not counted
    GameSeedRandom(1);
    EXPECT_EQ(Match_OpponentAhead(5), 0);
}

// A look for a cross from a crossing place is a cross tried, whether or not
// anyone is found for it; a look from elsewhere is not.
TEST_F(PassingTest, ACrossIsTriedOnlyFromACrossingPlace) {
    MatchFigure& p = MatchFigures[5];
    auto look = [&](int x, int y) {
        On(5, x, y);
        MatchCurX = int16_t(x);
        MatchCurY = int16_t(y);
        p.facing = Match_GoalDirection(5, 1, 0);
        GameSeedRandom(1);
        return Match_ChooseCross(5);
    };
    EXPECT_EQ(look(1300, 1900), kNoPassReceiver);  // nobody to cross to
    EXPECT_EQ(+p.counts[kCountCrosses], 1);
    look(796, 1900);   // in front of goal, not near a touchline
    look(1300, 1300);  // near the touchline, far from the goal line
    look(1300, 300);   // by the goal his team defends
    EXPECT_EQ(+p.counts[kCountCrosses], 1);
    EXPECT_EQ(+p.counts[kCountCrossesGood], 0);
}

TEST_F(PassingTest, TheStarterPicksTheStrikeByTurnDistanceAndPressure) {
    MatchFigure& f = MatchFigures[5];
    // Standing: treated as jogging, forward.
    f.gait = 0;
    Match_StartShortPass(5, 6, 796, 1300);
    EXPECT_EQ(+f.gait, 1);
    EXPECT_EQ(+f.action, kActionJoggingForwardPass);
    EXPECT_EQ(+f.actionParam, 0);
    // The carrier's own pass keeps him standing for the forward pass and
    // the back-heel; to the side he plays the starter's jogging pass.
    f.gait = 0;
    Match_StartStandingPass(5, 6, 796, 1300);
    EXPECT_EQ(+f.action, kActionPass);
    EXPECT_EQ(+f.gait, 0);
    Match_StartStandingPass(5, 6, 796, 1000 - 150);
    EXPECT_EQ(+f.action, kActionBackHeel);
    Match_StartStandingPass(5, 6, 796 - 300, 1000);
    EXPECT_EQ(+f.action, kActionJoggingSidePassA);
    EXPECT_EQ(+f.gait, 1);
    f.gait = 2;  // moving, he plays the starter's passes
    Match_StartStandingPass(5, 6, 796, 1300);
    EXPECT_EQ(+f.action, kActionRunningForwardPass);
    f.gait = 0;
    // To the side, 479 away with an opponent 64 away: the quick side pass.
    On(20, 796 + 64, 1000);
    BallRanking[1][0] = 20;
    f.gait = 2;
    // (64 from the facing 128 round toward smaller directions: the even side.)
    Match_StartShortPass(5, 6, 796 + 479, 1000);
    EXPECT_EQ(+f.action, kActionKnockToTargetB);
    Match_StartShortPass(5, 6, 796 + 480, 1000);
    EXPECT_EQ(+f.action, kActionRunningSidePassB);
    On(20, 796 + 65, 1000);
    Match_StartShortPass(5, 6, 796 + 479, 1000);
    EXPECT_EQ(+f.action, kActionRunningSidePassB);
    Match_StartShortPass(5, 6, 796 - 300, 1000);  // the odd side
    EXPECT_EQ(+f.action, kActionRunningSidePassA);
    // Half a turn round is the even side.
    f.facing = 0;
    Match_StartShortPass(5, 6, 796, 1000 + 300);
    EXPECT_EQ(+f.action, kActionRunningSidePassB);
    // A long pass sends the receiver running at once.
    On(6, 796, 1400);
    f.facing = 128;
    Match_StartLongPass(5, 6);
    EXPECT_EQ(+MatchFigures[6].action, kActionReceivePass);
    EXPECT_EQ(+f.actionParam, 1);
    EXPECT_EQ(MatchPassReceiver, 6);
}

TEST_F(PassingTest, TheForwardPassBlurStaysInsideItsDraws) {
    MatchFigure& f = MatchFigures[5];
    f.passing = 100;
    const int targetX = 796 + 300, targetY = 1000 + 600;
    for (int i = 0; i < 10000; ++i) {
        GameSeedRandom(uint32_t(i + 1));
        PutBall(796, 1004);
        Match_SetPlayerAction(5, kActionRunningForwardPass);
        f.hasBall = 1;
        f.frame = 10;  // the next frame is inside the strike window
        MatchPassTargetX = int16_t(targetX);
        MatchPassTargetY = int16_t(targetY);
        MatchPassReceiver = -1;
        Run(5);
        ASSERT_EQ(+f.hasKicked, 1) << i;
        const int d = Match_ApproxDistance(796, 1000, targetX, targetY);
        ASSERT_LE(std::abs(MatchPassTargetX - targetX), d / 200) << i;
        ASSERT_LE(std::abs(MatchPassTargetY - targetY), d / 400) << i;
    }
}

TEST_F(PassingTest, AChestControlOnlyChangesTheSpeedAndAHeaderMeetsTheBallOnce) {
    MatchFigure& f = MatchFigures[5];
    int32_t lengths[2] = {};
    for (int control = 0; control < 2; ++control) {
        PutBall(800, 1000);  // just ahead of him along his facing
        BallState.z = 100;
        Match_SetPlayerAction(5, kActionAirChestControl);
        f.facing = 64;
        f.heading = 50;
        f.control = int8_t(control == 0 ? 100 : 1);
        f.aimX = 796;
        f.aimY = 1000;
        GameSeedRandom(11);
        for (int tick = 0; tick < 40 && f.hasKicked == 0; ++tick) Run(5);
        ASSERT_EQ(+f.hasKicked, 1) << control;
        EXPECT_EQ(BallState.vy, 0);  // along the facing, toward larger x
        lengths[control] = BallState.vx;
    }
    EXPECT_EQ(lengths[0], 65536);
    EXPECT_EQ(lengths[1], 196608);
    // A header at goal: struck once, with the ball's height choosing its lift.
    PutBall(800, 1000);
    BallState.z = 150;
    FreeKickAimX = 1500;
    FreeKickAimY = 1000;
    f.facing = 64;
    Match_SetPlayerAction(5, kActionHeaderAtGoal);
    f.heading = 0;  // he reaches a ball within 8 units only below height 140
    f.aimX = 796;
    f.aimY = 1000;
    for (int tick = 0; tick < 60; ++tick) Run(5);
    EXPECT_EQ(+f.hasKicked, 0);
    Match_SetPlayerAction(5, kActionHeaderAtGoal);
    BallState.z = 120;
    int strikes = 0;
    for (int tick = 0; tick < 60; ++tick) {
        const uint8_t before = f.hasKicked;
        Run(5);
        strikes += f.hasKicked != before;
    }
    EXPECT_EQ(strikes, 1);
    EXPECT_EQ(BallState.vz, -147456);  // height 120: the third table at 12
}

// A chest-high ball met away from goal is laid off (a header pass) to the
// team-mate the quick-pass chooser finds near the ball; with nobody within
// its reach, the ball coming right at him at arm's height, he handles it.
TEST_F(PassingTest, AChestHighBallAwayFromGoalIsLaidOffToAMateNearTheBall) {
    MatchFigure& f = MatchFigures[5];
    f.heading = 100;  // he reacts on every call
    const auto flight = [] {
        // Met 22 ticks on at height 119 just in front of him.
        PutBall(796, 1250);
        BallState.z = 150;
        BallState.z16 = 150 * 65536;
        BallState.vy = -12 * 65536;
        BallState.vz = 6 * 65536;
        BallState.drag = 991;
        BallState.gravity = 40000;
        Ball_UpdateDirectionSpeed();
    };
    for (const int mateY : {1110, 1550}) {
        SCOPED_TRACE(mateY);
        On(6, 856, mateY);  // 170 from the ball, or 330: beyond a quick pass
        flight();
        Match_SetPlayerAction(5, kActionStand);
        MatchPassReceiver = -1;
        GameSeedRandom(7);
        Match_ReactToHighBall(5);
        EXPECT_EQ(f.targetY, BallPrediction.y);
        if (mateY == 1110) {
            EXPECT_EQ(f.action, kActionHeaderPass);
            EXPECT_EQ(f.actionParam, BallPrediction.ticks);
            EXPECT_EQ(MatchPassReceiver, 6);
            EXPECT_EQ(LayOffX, 856);
            EXPECT_EQ(LayOffY, mateY);
            EXPECT_EQ(MatchFigures[6].targetY, mateY);
        } else {
            EXPECT_LT(BallPrediction.bestDistance, 16);
            EXPECT_EQ(f.action, kActionHandball);
            EXPECT_EQ(MatchPassReceiver, -1);
        }
    }
}

// The road of a pass with the real clips: a carrier told to pass passes to
// the free team-mate, who runs onto it and takes it.
TEST(PassScenario, ACarrierPassesAndTheReceiverTakesTheBall) {
    using namespace scenario;
    FillTwoClubs(31);
    StartMatch(9);
    for (int figure = 0; figure < kPlayerFigures; ++figure) MatchFigures[figure].off = 1;
    const int16_t carrier = MatchLineUp[0][6], mate = MatchLineUp[0][9], defender = MatchLineUp[1][2];
    for (int16_t figure : {carrier, mate, defender}) MatchFigures[figure].off = 0;
    PlaceFigure(defender, 300, 1900, kActionStand);  // far away, he draws the defensive line
    PlaceFigure(carrier, 796, 900, kActionThink);
    MatchFigures[carrier].facing = 128;
    MatchFigures[carrier].hasBall = 1;
    MatchFigures[carrier].tacticBytes[2] = 2;  // told to pass
    MatchFigures[carrier].tacticBytes[5] = 0xFF;
    PlaceFigure(mate, 900, 1150, kActionStand);
    PlaceBall(796, 904);
    StartOpenPlay(0);
    TeamChallenger[0] = carrier;
    for (int team = 0; team < 2; ++team) {  // distances to the ball as the first tick finds them
        RankingTeam = uint8_t(team);
        Match_RankPlayersByBall();
    }
    bool passed = false, received = false;
    for (int tick = 0; tick < 300 && !received; ++tick) {
        MatchTick();
        passed |= MatchFigures[mate].action == kActionReceivePass;
        received = passed && LastToucher == mate;
    }
    EXPECT_TRUE(passed);
    EXPECT_TRUE(received);
}

}  // namespace
