// The passes' finer points: the blur of the passes to the side and on the
// move over many strikes, the first-time knocks' pitch marks, the receiver
// giving up or waiting, and a cross from the goal line met in the air.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ballcontacts.h"
#include "core/match/matchclock.h"
#include "core/match/passing.h"
#include "core/match/ranking.h"
#include "core/match/shotchoice.h"
#include "core/match/strikes.h"
#include "tests/core/match/openplay_fixture.h"
#include "tests/core/match/scenario.h"

namespace {

using openplaytest::OpenPlayTest;

int passEdgeMarks = 0;
void PassEdgeCountMark(int16_t, int16_t, float, uint16_t, int16_t) { ++passEdgeMarks; }

class PassEdgeTest : public OpenPlayTest {
  protected:
    void SetUp() override {
        OpenPlayTest::SetUp();
        AttackDirection = 0;
        BallTeam = 0;
        for (int figure = 0; figure < kPlayerFigures; ++figure) MatchFigures[figure].off = 1;
        On(5, 796, 1000);
        MatchFigures[5].facing = 128;
        PutBall(796, 1004);
        passEdgeMarks = 0;
        MatchHooks.skidMark = PassEdgeCountMark;
    }
    static void On(int16_t figure, int x, int y) {
        MatchFigures[figure].off = 0;
        Put(figure, x, y);
        MatchFigures[figure].facing = 0;
    }
    // Figure 5 in the strike action with the ball, one tick before the window.
    static void ReadyToStrike(uint16_t action, int kind, int windowFrom) {
        PutBall(796, 1004);
        Match_SetPlayerAction(5, action);
        MatchFigure& f = MatchFigures[5];
        f.actionParam = uint16_t(kind);
        f.hasBall = 1;
        f.frame = int16_t(windowFrom - 2);  // both play two frames a tick
    }
};

struct BlurCase {
    uint16_t action;
    int windowFrom, windowFromFar;
    int xScale, yScale;
};

// Every side pass and forward pass on the move keeps its blurred target
// inside the four draws' ranges, for every passing skill; the ranges are
// used (a blur of zero everywhere would also pass a bound alone).
TEST_F(PassEdgeTest, TheSideAndMovingPassesBlurWithinTheirDraws) {
    constexpr BlurCase kCases[] = {
        {123, 15, 15, 160, 320}, {124, 23, 23, 160, 320}, {125, 24, 16, 160, 320}, {126, 22, 20, 160, 320},
        {127, 28, 17, 160, 320}, {128, 18, 21, 160, 320}, {77, 12, 15, 200, 400},  {109, 15, 21, 200, 400},
    };
    MatchFigure& f = MatchFigures[5];
    On(6, 1300, 1500);
    for (const BlurCase& c : kCases) {
        int widestX = 0, widestY = 0;
        for (int i = 0; i < 10000; ++i) {
            const int kind = i % 2 == 0 ? 0 : 2;
            ReadyToStrike(c.action, kind, kind == 2 ? c.windowFromFar : c.windowFrom);
            f.passing = int8_t(1 + i % 100);
            const int targetX = 300 + (i * 37) % 1000, targetY = 200 + (i * 53) % 1700;
            MatchPassTargetX = int16_t(targetX);
            MatchPassTargetY = int16_t(targetY);
            MatchPassReceiver = 6;
            GameSeedRandom(uint32_t(i + 7));
            Run(5);
            ASSERT_EQ(+f.hasKicked, 1) << c.action << " " << i;
            const int d = Match_ApproxDistance(796, 1000, targetX, targetY);
            const int e = std::max(1, 100 - f.passing);
            const int dx = std::abs(MatchPassTargetX - targetX), dy = std::abs(MatchPassTargetY - targetY);
            ASSERT_LT(dx, e * (d / c.xScale + 1)) << c.action << " " << i;
            ASSERT_LT(dy, e * (d / c.yScale + 1)) << c.action << " " << i;
            widestX = std::max(widestX, dx * 100 / (e * (d / c.xScale + 1)));
            widestY = std::max(widestY, dy * 100 / (e * (d / c.yScale + 1)));
            ASSERT_EQ(+MatchFigures[6].aimX, MatchPassTargetX);
            ASSERT_EQ(+MatchFigures[6].action, kActionReceivePass);
        }
        EXPECT_GT(widestX, 80) << c.action;
        EXPECT_GT(widestY, 80) << c.action;
    }
}

TEST_F(PassEdgeTest, ASidePassToTheOwnKeeperIsTightAndSlowerWithoutAReceiverNobodyRuns) {
    MatchFigure& f = MatchFigures[5];
    MatchLineUp[0][0] = 0;
    On(0, 796, 400);
    On(6, 796, 400);  // where the keeper stands, as a check of the cut
    int32_t vx[2] = {}, vy[2] = {};
    int16_t landedX[2] = {};
    for (int toKeeper = 0; toKeeper < 2; ++toKeeper) {
        ReadyToStrike(kActionStandingSidePassB, 0, 23);
        f.passing = int8_t(toKeeper == 0 ? 100 : 1);  // the keeper's pass is tight whatever the skill
        MatchPassTargetX = 796;
        MatchPassTargetY = 400;
        MatchPassReceiver = int16_t(toKeeper == 0 ? 6 : 0);
        GameSeedRandom(77);
        Run(5);
        ASSERT_EQ(+f.hasKicked, 1);
        vx[toKeeper] = BallState.vx;
        vy[toKeeper] = BallState.vy;
        landedX[toKeeper] = MatchPassTargetX;
    }
    EXPECT_EQ(landedX[0], landedX[1]);
    EXPECT_EQ(vy[1], vy[0] * 75 / 100);
    EXPECT_EQ(vx[1], vx[0] * 75 / 100);

    // No receiver: the ball still flies and the event plays, but nobody runs
    // and the long-pass flag and the pass counters keep their values.
    Match_SetPlayerAction(6, kActionStand);
    LongPassFlag = 1;
    MatchFigures[6].shirt = 7;
    const uint16_t passesTo6 = f.passesTo[6];
    ReadyToStrike(kActionJoggingSidePassB, 0, 22);
    f.passing = 100;
    MatchPassTargetX = 1000;
    MatchPassTargetY = 1300;
    MatchPassReceiver = -1;
    Run(5);
    EXPECT_EQ(+f.hasKicked, 1);
    EXPECT_NE(BallState.vy, 0);
    EXPECT_EQ(+MatchFigures[6].action, kActionStand);
    EXPECT_EQ(LongPassFlag, 1);
    EXPECT_EQ(+f.passesTo[6], passesTo6);

    // A kind-0 pass of 1200 flies as if 1000 long; a kind outside 0..4 leaves
    // the ball as it was.
    ReadyToStrike(kActionJoggingSidePassA, 0, 24);
    MatchPassTargetX = 796;
    MatchPassTargetY = 1000 + 1200;
    MatchPassReceiver = -1;
    Run(5);
    EXPECT_EQ(BallState.vy, (MatchPassTargetY - 1004) * 400);
    ReadyToStrike(kActionRunningSidePassA, 7, 28);
    BallState.vx = 12345;
    BallState.vy = -777;
    Run(5);
    EXPECT_EQ(+f.hasKicked, 1);
    EXPECT_EQ(BallState.vx, 12345);
    EXPECT_EQ(BallState.vy, -777);
}

TEST_F(PassEdgeTest, ASidePassWithoutTheBallRunsOutAndAHeldBallEndsIt) {
    MatchFigure& f = MatchFigures[5];
    ReadyToStrike(kActionRunningSidePassB, 0, 18);
    f.hasBall = 0;
    MatchPassReceiver = -1;
    for (int tick = 0; tick < 60 && f.action == kActionRunningSidePassB; ++tick) Run(5);
    EXPECT_EQ(+f.hasKicked, 0);
    EXPECT_EQ(+f.action, kActionRunToPosition);
    ReadyToStrike(kActionRunningSidePassB, 0, 18);
    BallState.holder = 1;
    Run(5);
    EXPECT_EQ(+f.hasKicked, 0);
    EXPECT_EQ(+f.action, kActionRunToPosition);
}

// One pitch mark per knock code at a time, shared by all players; the end of
// a slide of that code frees it; a ball at 70 or higher passes over.
TEST_F(PassEdgeTest, TheKnocksShareOneMarkPerCode) {
    PutBall(796, 1100);
    BallState.z = 100;
    BallState.vz = 0;
    MatchPassTargetX = 796;
    MatchPassTargetY = 1400;
    for (int16_t figure : {5, 6, 7}) {
        On(figure, 796, 1100 - 10);
        MatchFigures[figure].facing = 128;
    }
    Match_SetPlayerAction(5, kActionKnockToTargetB);
    Match_SetPlayerAction(6, kActionKnockToTargetB);
    Match_SetPlayerAction(7, kActionKnockToTargetA);
    Run(5);
    Run(6);
    EXPECT_EQ(passEdgeMarks, 1);
    Run(7);
    EXPECT_EQ(passEdgeMarks, 2);
    // Over the ball at height 100: nobody touched it.
    EXPECT_EQ(+MatchFigures[5].hasKicked, 0);
    EXPECT_EQ(BallState.vx, 0);
    EXPECT_EQ(BallState.vy, 0);
    const int facing = MatchFigures[5].facing;
    while (MatchFigures[5].action == kActionKnockToTargetB) Run(5);
    EXPECT_EQ(+MatchFigures[5].action, kActionThink);
    EXPECT_EQ(+MatchFigures[5].facing, (facing + 128) & 255);
    EXPECT_EQ(KnockMarkFlag[3], 0);
    MatchFigures[6].x = MatchFigures[6].y = 0;  // he slid on: put him back by the ball
    Put(6, 796, 1100 - 10);
    Run(6);
    EXPECT_EQ(passEdgeMarks, 3);
    EXPECT_EQ(+MatchFigures[6].hasKicked, 0);
}

TEST_F(PassEdgeTest, AKnockThatNeverReachesTheBallLeavesNoMarkAndTurnsRound) {
    PutBall(300, 300);
    On(5, 796, 1000);
    MatchFigures[5].facing = 64;
    Match_SetPlayerAction(5, kActionSidewaysKnockB);
    int ticks = 0;
    while (MatchFigures[5].action == kActionSidewaysKnockB && ticks++ < 200) Run(5);
    EXPECT_EQ(+MatchFigures[5].action, kActionThink);
    EXPECT_EQ(+MatchFigures[5].facing, 192);
    EXPECT_EQ(+MatchFigures[5].hasKicked, 0);
    EXPECT_EQ(passEdgeMarks, 0);
    // A ball below 70 within reach is knocked, and the mark is left.
    PutBall(796, 1004);
    Match_SetPlayerAction(5, kActionSidewaysKnockB);
    Run(5);
    EXPECT_EQ(+MatchFigures[5].hasKicked, 1);
    EXPECT_EQ(passEdgeMarks, 1);
    EXPECT_NE(BallState.vx, 0);
    EXPECT_EQ(BallState.vz, 327680);
}

TEST_F(PassEdgeTest, TheReceiverGivesUpWhenTheBallIsLostAndWaitsOnAStillBall) {
    MatchFigure& r = MatchFigures[6];
    On(6, 796, 1400);
    r.aimX = 796;
    r.aimY = 1400;
    // A ball rolling at him from the passer.
    PutBall(796, 1100);
    BallState.vy = 6 * 65536;
    BallState.direction = 128;
    BallState.speed = 6;
    Put(6, 796, 1400);
    Match_SetPlayerAction(6, kActionReceivePass);
    r.ballDirection = 64;  // as the group update saw it some ticks ago
    Run(6);
    EXPECT_EQ(+r.action, kActionReceivePass);
    EXPECT_EQ(+r.ballDirection, 0) << "on his point he looks at the ball again";
    BallTeam = 1;  // an opponent touched it
    Run(6);
    EXPECT_EQ(+r.action, kActionThink);

    // On his point with the ball lying still off to his side: he waits.
    BallTeam = 0;
    PutBall(900, 1400);
    Put(6, 796, 1400);
    Match_SetPlayerAction(6, kActionReceivePass);
    for (int tick = 0; tick < 30; ++tick) Run(6);
    EXPECT_EQ(+r.action, kActionReceivePass);
    EXPECT_EQ(+r.x, 796);
    EXPECT_EQ(+r.y, 1400);
    // The same ball rolling away across him: not coming his way, he thinks.
    BallState.vx = 6 * 65536;
    BallState.direction = 64;
    BallState.speed = 6;
    Run(6);
    EXPECT_EQ(+r.action, kActionThink);
}

// On his point, a ball coming at him in the air below his chest and about
// to reach him is taken down with the low control; one at his feet, one at
// chest height and one still far off leave him receiving.
TEST_F(PassEdgeTest, TheReceiverTakesALowBallInTheAirWithTheLowControl) {
    struct Case {
        int z, predictedY;
        uint16_t action;
    };
    constexpr Case kCases[] = {{60, 1396, kActionLowControl},
                               {20, 1396, kActionReceivePass},
                               {120, 1396, kActionReceivePass},
                               {60, 1300, kActionReceivePass}};
    MatchFigure& r = MatchFigures[6];
    for (const Case& c : kCases) {
        PutBall(796, 1380);
        BallState.z = int16_t(c.z);
        BallState.vy = 6 * 65536;
        BallState.direction = 128;
        BallState.speed = 6;
        BallState.predicted[0][0] = 796;
        BallState.predicted[0][1] = int16_t(c.predictedY);
        On(6, 796, 1400);
        r.aimX = 796;
        r.aimY = 1400;
        Match_SetPlayerAction(6, kActionReceivePass);
        Run(6);
        EXPECT_EQ(+r.action, c.action) << "ball at height " << c.z << ", expected at y " << c.predictedY;
    }
}

// A winger running along the goal line crosses into the area, and the
// team-mate under the ball's path goes up for it.
TEST(PassEdgeScenario, ACrossFromTheGoalLineIsMetInTheAir) {
    using namespace scenario;
    FillTwoClubs(41);
    StartMatch(17);
    for (int figure = 0; figure < kPlayerFigures; ++figure) MatchFigures[figure].off = 1;
    const int16_t winger = MatchLineUp[0][10], striker = MatchLineUp[0][9], defender = MatchLineUp[1][2];
    const int16_t nearPost = MatchLineUp[0][8], farPost = MatchLineUp[0][7], keeper = MatchLineUp[1][0];
    for (int16_t figure : {winger, striker, defender, nearPost, farPost, keeper})
        MatchFigures[figure].off = 0;
    // Two defenders on their line: nobody in the area is offside.
    PlaceFigure(defender, 300, 2000, kActionStand);
    PlaceFigure(keeper, 796, 2020, kActionKeeperReady);
    PlaceFigure(winger, 1330, 1870, kActionOnBall);
    MatchFigure& w = MatchFigures[winger];
    w.facing = 200;  // along the line toward the goal
    w.gait = 2;
    w.hasBall = 1;
    w.leftNow = w.rightNow = 3;
    w.passing = w.intelligence = 90;
    PlaceFigure(striker, 680, 1800, kActionStand);
    PlaceFigure(nearPost, 840, 1810, kActionThink);
    PlaceFigure(farPost, 560, 1960, kActionThink);
    for (int16_t figure : {striker, nearPost, farPost}) MatchFigures[figure].heading = 90;
    PlaceBall(1330, 1874);
    StartOpenPlay(0);
    TeamChallenger[0] = winger;
    for (int team = 0; team < 2; ++team) {
        RankingTeam = uint8_t(team);
        Match_RankPlayersByBall();
    }
    MatchCurX = 1330;
    MatchCurY = 1870;
    CurrentTeam = 0;
    GameSeedRandom(5);
    ASSERT_EQ(Match_StartCross(winger, striker, 680, 1800, 0), 0);
    ASSERT_TRUE(w.action == kActionCross || w.action == kActionCrossMirrored) << +w.action;
    EXPECT_EQ(+w.actionParam, 2);  // running, 168 from the line
    bool crossed = false, wentUp = false, inArea = false;
    for (int tick = 0; tick < 120 && !(wentUp && inArea); ++tick) {
        MatchTick();
        crossed |= w.hasKicked != 0;
        if (crossed && BallState.x > 500 && BallState.x < 1090 && BallState.y > 1750) inArea = true;
        for (int16_t figure : {striker, nearPost, farPost}) {
            const uint16_t a = MatchFigures[figure].action;
            wentUp |= a == 46 || a == 47 || a == 48 || a == 50 || a == 51 || a == 79 || a == 49;
        }
    }
    EXPECT_TRUE(crossed);
    EXPECT_TRUE(inArea);
    EXPECT_TRUE(wentUp);
    EXPECT_EQ(TeamCrossCount[0], 1);
}

}  // namespace
