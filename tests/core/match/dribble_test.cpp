#include "core/match/dribble.h"
#include "core/match/actions.h"

#include <gtest/gtest.h>

#include "core/base/random.h"
#include "core/match/ballturns.h"
#include "core/match/carrieroptions.h"
#include "core/match/motionclips.h"
#include "core/match/onball.h"
#include "core/match/phases.h"
#include "core/match/shotchoice.h"
#include "tests/core/match/openplay_fixture.h"

namespace {

using openplaytest::OpenPlayTest;

class DribbleTest : public OpenPlayTest {
  protected:
    void SetUp() override {
        OpenPlayTest::SetUp();
        AttackDirection = 0;  // team 0 attacks the goal at y 2038
        BallTeam = 0;
        // The opponents far away on the other wing.
        for (int figure = 16; figure < 32; ++figure) {
            Put(int16_t(figure), 1400, 200 + 10 * (figure - 16));
            MatchFigures[figure].rankDistance = 0;
        }
    }
    // Figure 5 with the ball at his feet at (x, y), facing the direction,
    // at the left-foot touch frame.
    static MatchFigure& Carrier(int x, int y, uint16_t facing) {
        MatchFigure& f = MatchFigures[5];
        Put(5, x, y);
        PutBall(x, y + (facing == 128 ? 4 : 0));
        Match_SetPlayerAction(5, kActionThink);
        f.facing = facing;
        f.hasBall = 1;
        f.frame = kDribbleLeftTouchFrame;
        f.leftNow = 1;
        f.touchLockout = 0;
        TeamChallenger[0] = 5;
        return f;
    }
    // Runs the thinking carrier at a touch moment, with his foot chances as
    // set (the dispatcher would draw them).
    static void Touch() { Run(5); }
};

TEST_F(DribbleTest, WithNoWayFreeHeSwingsRoundTowardGoalAndKnocksItOnGently) {
    // Facing his own goal: the free way toward goal does not count.
    MatchFigure& f = Carrier(796, 1000, 0);
    Touch();
    EXPECT_EQ(+f.action, kActionThink);
    EXPECT_EQ(+f.facing, 128);
    EXPECT_EQ(DribbleStage, 32);  // a touch of kind 0
    EXPECT_EQ(+f.gait, 0);
    const int sp = f.pace / 5;
    EXPECT_EQ(+f.touchLockout, sp / 2 + 16);
    EXPECT_EQ(BallState.vx, 0);
    EXPECT_EQ(BallState.vy, (sp + 40) * 4096);
    EXPECT_EQ(LastToucher, 5);
}

TEST_F(DribbleTest, OpenGroundAheadSendsHimSprintingAfterALongKnock) {
    MatchFigure& f = Carrier(796, 1000, 128);
    Touch();
    EXPECT_EQ(+f.action, kActionSprintAfterBall);
    EXPECT_EQ(+f.gait, 2);
    EXPECT_EQ(+f.counts[kCountDribbleTouches], 1);
    const int sp = f.pace / 5;
    EXPECT_EQ(BallState.vy, (sp + 90 - f.dribble / 4) * 4096);
}

TEST_F(DribbleTest, WithTheGoalAcrossOnlyGentleTouches) {
    // Wide near the goal line, facing along it toward the goal.
    const uint16_t across = Match_DirectionTo(160, 2000, 796, 2038);
    ASSERT_GT(across, 48);
    ASSERT_LT(across, 80);
    MatchFigure& f = Carrier(160, 2000, across);
    Touch();
    EXPECT_EQ(+f.action, kActionThink);
    EXPECT_EQ(DribbleStage, 32);
    EXPECT_EQ(+f.gait, 0);
}

TEST_F(DribbleTest, BetweenTouchesHeOnlyRunsOnWithTheBallAtHisFeet) {
    MatchFigure& f = Carrier(796, 1000, 128);
    f.frame = 5;
    Touch();
    EXPECT_EQ(+f.action, kActionThink);
    EXPECT_EQ(+f.frame, 6);
    EXPECT_EQ(+f.anim, kClipDribble);
    EXPECT_EQ(BallState.vx, 0);
    EXPECT_EQ(BallState.vy, 0);
    EXPECT_EQ(+BallState.y, 1004);  // kept just ahead of him
    // A touch frame without the foot chance is no touch.
    f.frame = kDribbleLeftTouchFrame;
    f.leftNow = 0;
    Touch();
    EXPECT_EQ(+f.action, kActionThink);
    EXPECT_EQ(+f.touchLockout, 0);
}

TEST_F(DribbleTest, ATurnThatWouldTakeTheBallOffThePitchBecomesTheTurnBack) {
    MatchFigure& f = Carrier(1433, 1000, 64);  // facing out over the touchline
    Touch();
    EXPECT_EQ(+f.action, kActionTurnBack);
    EXPECT_EQ(MatchPassReceiver, -1);
    EXPECT_EQ(MatchPassTargetX, 1433 - 50);
    EXPECT_EQ(MatchPassTargetY, 1000);
    EXPECT_NE(+f.turnTarget, 64);
}

TEST_F(DribbleTest, ATurnOnThePitchStartsTheTurnForItsAngle) {
    MatchFigure& f = Carrier(796, 1000, 64);  // facing across, the goal at 128
    Touch();
    // The free way lies 64 steps round toward larger directions.
    EXPECT_EQ(+f.action, kActionTurnWithBallMediumA);
    EXPECT_EQ(+f.turnTarget, 128);
    EXPECT_EQ(DribbleStage, 23);
}

TEST_F(DribbleTest, TheOneOnOneNeedsTheKeeperWithinEightYards) {
    int oneOnOnes[2] = {};
    for (int near = 0; near < 2; ++near) {
        for (uint32_t seed = 1; seed <= 300; ++seed) {
            GameSeedRandom(seed);
            MatchFigure& f = Carrier(796, 1800, 128);
            f.outlook = 100;  // he never looks for a pass here
            LastToucher = 5;
            TeamChallenger[1] = kNoChallenger;
            Put(16, 796, near == 1 ? 1800 + 8 * 16 : 1800 + 9 * 16 + 8);
            Touch();
            const uint16_t a = f.action;
            if (a == 133 || a == 134 || a == 138 || a == 139) ++oneOnOnes[near];
        }
    }
    EXPECT_EQ(oneOnOnes[0], 0);
    EXPECT_GT(oneOnOnes[1], 20);
}

TEST_F(DribbleTest, TheCarryKnocksAlongOrTurns) {
    MatchFigure& f = Carrier(796, 1000, 128);
    CurrentTeam = 0;
    MatchCurX = 796;
    MatchCurY = 1000;
    Match_CarryBall(5, -2, 796, 1500);
    EXPECT_EQ(+f.action, kActionThink);
    EXPECT_EQ(+f.turnTarget, 128);
    EXPECT_GT(BallState.vy, 0);
    Carrier(796, 1000, 128);
    Match_CarryBall(5, -2, 1300, 1000);  // 64 round
    EXPECT_EQ(+f.action, kActionTurnWithBallMediumB);
    EXPECT_EQ(+f.turnTarget, 64);
}

// ---------------------------------------------------------------------------
// Turns and runs with the ball.

class BallTurnTest : public DribbleTest {
  protected:
    MatchFigure& Turner(uint16_t action, int16_t frame, uint16_t gait) {
        MatchFigure& f = Carrier(796, 1000, 128);
        Match_SetPlayerAction(5, action);
        f.frame = frame;
        f.gait = gait;
        f.turnTarget = 64;
        return f;
    }
    int32_t StepOf(uint16_t action, int16_t frame, uint16_t gait) {
        MatchFigure& f = Turner(action, frame, gait);
        const int32_t before = f.x16;
        Run(5);
        return f.x16 - before;
    }
};

TEST_F(BallTurnTest, ShortTurnStepsOnByGaitFromItsTouchFrame) {
    const int32_t fast = StepOf(11, 12, 2);
    const int32_t jog = StepOf(11, 12, 1);
    const int32_t walk = StepOf(11, 12, 0);
    const int64_t pace = MatchFigures[5].pace + 500;
    EXPECT_EQ(fast, int32_t(160 * 1000 * pace / 600));
    EXPECT_EQ(jog, int32_t(125 * 1000 * pace / 600));
    EXPECT_EQ(walk, int32_t(100 * 1000 * pace / 600));
    EXPECT_EQ(StepOf(11, 10, 2), 0);  // frame 12: before the touch frame
}

TEST_F(BallTurnTest, TheTouchComesOnceAtOrAfterTheTouchFrame) {
    MatchFigure& f = Turner(kActionTurnWithBallSmallB, 13, 1);  // the next frame, 15, is past 14
    Run(5);
    EXPECT_EQ(+f.hasKicked, 1);
    EXPECT_EQ(BallState.vx, 60 * 4096);
    BallState.vx = 0;
    Run(5);
    EXPECT_EQ(BallState.vx, 0);
}

TEST_F(BallTurnTest, TheQuarterTurnLeavesTheBallAloneBetweenItsWindows) {
    MatchFigure& f = Turner(kActionTurnWithBallMediumA, 14, 0);
    PutBall(100, 100);  // away from him: kept only when the window says so
    Run(5);             // frame 16
    EXPECT_EQ(+BallState.x, 100);
    f.frame = 16;
    Run(5);  // frame 18
    EXPECT_EQ(+BallState.x, 100);
    EXPECT_EQ(+f.hasKicked, 0);
    f.frame = 18;
    Run(5);  // frame 20: the touch
    EXPECT_EQ(+f.hasKicked, 1);
    EXPECT_EQ(BallState.vx, 30 * 4096);
    // Before frame 16 the ball is kept at his feet.
    MatchFigure& g = Turner(kActionTurnWithBallMediumA, 2, 0);
    PutBall(100, 100);
    Run(5);
    EXPECT_NE(+BallState.x, 100);
    EXPECT_EQ(+g.hasKicked, 0);
}

TEST_F(BallTurnTest, TheEndOfATurnFacesTheWantedWayAndThinks) {
    MatchFigure& f = Turner(kActionTurnWithBallWideB, 78, 0);
    Run(5);
    EXPECT_EQ(+f.action, kActionThink);
    EXPECT_EQ(+f.facing, 64);
}

TEST_F(BallTurnTest, RunsAfterTheBallRepeatWhileHeIsTheLastToucher) {
    MatchFigure& f = Turner(kActionSprintAfterBall, 79, 2);
    LastToucher = 5;
    Run(5);
    EXPECT_EQ(+f.action, kActionSprintAfterBall);
    EXPECT_EQ(+f.frame, 0);
    // Somebody else touched it: the sprint ends in the run, the run in thinking.
    LastToucher = 20;
    f.frame = 79;
    Run(5);
    EXPECT_EQ(+f.action, kActionRunAfterBall);
    f.frame = 79;
    Run(5);
    EXPECT_EQ(+f.action, kActionThink);
}

TEST_F(BallTurnTest, RunsAfterTheBallEndWhenPlayStops) {
    // Still the last toucher, but the ball went out: he does not run on
    // after it through the stoppage.
    MatchPhase = kPhaseThrowIn;
    MatchFigure& f = Turner(kActionSprintAfterBall, 79, 2);
    LastToucher = 5;
    Run(5);
    EXPECT_EQ(+f.action, kActionRunAfterBall);
    f.frame = 79;
    Run(5);
    EXPECT_EQ(+f.action, kActionThink);
    MatchPhase = kPhaseOpenPlay;
}

TEST_F(BallTurnTest, TurnsOnTheSpotStepTheFacingOnly) {
    MatchFigure& f = Turner(kActionTurnOnSpotDown, 0, 0);
    f.turnTarget = 128;
    Run(5);
    EXPECT_EQ(+f.facing, 128);
    EXPECT_EQ(+f.action, kActionTurnOnSpotDown);
    Turner(kActionTurnOnSpotUp, 0, 0);
    f.turnTarget = 140;
    Run(5);
    EXPECT_EQ(+f.facing, 129);
}

TEST_F(BallTurnTest, TurnAwayWithoutTheBallGivesUpAtOnce) {
    MatchFigure& f = Turner(kActionTurnAwayAndKick, 0, 0);
    f.hasBall = 0;
    f.turnTarget = f.facing;
    Run(5);
    EXPECT_EQ(+f.action, kActionRunToPosition);
    Turner(kActionTurnAwayAndKick, 0, 0);
    f.hasBall = 0;
    f.turnTarget = 0;
    Run(5);
    EXPECT_EQ(+f.action, kActionRunToPosition);
}

TEST_F(BallTurnTest, TheTurnTowardGoalEndsOnTheBall) {
    MatchFigure& f = Turner(kActionTurnToGoal, 0, 0);
    f.hasBall = 0;
    Run(5);
    EXPECT_EQ(+f.action, kActionRunToPosition);
    Turner(kActionTurnToGoal, 76, 0);
    Run(5);
    EXPECT_EQ(+f.action, kActionOnBall);
    EXPECT_EQ(+f.frame, 1);
    EXPECT_EQ(+f.turnTarget, 128);
}

// ---------------------------------------------------------------------------
// On the ball.

TEST_F(BallTurnTest, OnTheBallWithoutItHeRunsToHisPlace) {
    MatchFigure& f = Turner(kActionOnBall, 0, 0);
    f.hasBall = 0;
    Run(5);
    EXPECT_EQ(+f.action, kActionRunToPosition);
}

TEST_F(BallTurnTest, OnTheBallUnpressedHeTurnsAwayWhenFarFromGoal) {
    MatchFigure& f = Carrier(796, 300, 128);  // far from the goal he attacks
    Match_SetPlayerAction(5, kActionOnBall);
    Run(5);
    EXPECT_EQ(+f.actionParam, 0);  // a new action: the turn away
    EXPECT_EQ(+f.action, kActionTurnAwayAndKick);
    EXPECT_EQ(+f.frame, 1);
}

TEST_F(BallTurnTest, OnTheBallUnpressedNearGoalHeTurnsWithItTowardTheGoal) {
    // The turn to goal takes the goal's direction as the wanted one, the
    // turn on the spot brings him round the short way, and he is back on
    // the ball facing the goal, his spell on the ball going on: its ticks
    // count through the turns and his run stays started.
    for (uint16_t facing : {96, 170}) {
        MatchFigure& g = Carrier(796, 1700, facing);
        g.turnTarget = 0;
        Match_SetPlayerAction(5, kActionOnBall);
        g.actionParam = 30;
        g.actionFlag = 1;
        CurrentTeam = 0;
        const uint16_t goalward = Match_GoalDirection(5, 0, 0);
        Run(5);
        EXPECT_EQ(+g.action, kActionTurnToGoal) << facing;
        const uint16_t shortWay =
            ((goalward - facing) & 255) < 128 ? kActionTurnOnSpotUp : kActionTurnOnSpotDown;
        bool turnedShortWay = false, turnedLongWay = false;
        int ticks = 31;
        for (int tick = 0; tick < 400 && !(g.action == kActionOnBall && g.facing == goalward); ++tick) {
            Run(5);
            ++ticks;
            turnedShortWay = turnedShortWay || g.action == shortWay;
            turnedLongWay = turnedLongWay || (g.action != shortWay && (g.action == kActionTurnOnSpotUp ||
                                                                       g.action == kActionTurnOnSpotDown));
        }
        EXPECT_EQ(+g.action, kActionOnBall) << facing;
        EXPECT_EQ(+g.facing, goalward) << facing;
        EXPECT_TRUE(turnedShortWay) << facing;
        EXPECT_FALSE(turnedLongWay) << facing;
        EXPECT_EQ(+g.hasBall, 1);
        EXPECT_EQ(+g.actionParam, ticks) << facing;
        EXPECT_EQ(+g.actionFlag, 1) << facing;
    }
}

TEST_F(BallTurnTest, ADefenderPressedDeepInHisHalfClearsTheBall) {
    MatchFigure& f = Carrier(796, 300, 128);
    Match_SetPlayerAction(5, kActionOnBall);
    f.position = 2;
    f.actionParam = 60;  // past the time for running on
    Put(20, 796, 310);   // pressed
    MatchFigures[20].ballDistance = 5;
    Run(5);
    EXPECT_NE(+f.action, kActionOnBall);
    EXPECT_NE(+f.action, kActionTurnAwayAndKick);
    EXPECT_EQ(+f.counts[kCountClearances], 1);
}

TEST_F(BallTurnTest, UnpressedOnTheBallTheOptionsWaitTwoHundredTicks) {
    // A defender far from the goal he attacks, facing his own goal: while
    // he runs on he only turns; from tick 201 the options clear the ball.
    MatchFigure& f = Carrier(796, 300, 0);
    Match_SetPlayerAction(5, kActionOnBall);
    f.position = 2;
    f.actionParam = 199;
    Run(5);
    EXPECT_EQ(+f.action, kActionTurnToGoal);
    EXPECT_EQ(+f.counts[kCountClearances], 0);
    Match_SetPlayerAction(5, kActionOnBall);
    f.actionParam = 200;
    Run(5);
    EXPECT_NE(+f.action, kActionOnBall);
    EXPECT_EQ(+f.counts[kCountClearances], 1);
}

TEST_F(DribbleTest, TheTacticReceiverCountsOnlyForSlotsOneToFifteen) {
    for (uint8_t slot : {3, 16, 0}) {
        MatchFigure& f = Carrier(796, 300, 128);
        f.tacticBytes[2] = 1;  // look for the tactical receiver far from goal
        f.tacticBytes[1] = slot;
        f.tacticBytes[5] = 0xFF;                        // no run target
        Put(3, 796, 900);                               // straight up the pitch from him
        MatchFigures[3].action = kActionThrowInChoose;  // busy: no chooser takes him, the tactics may
        for (int mate = 1; mate < kTeamFigures; ++mate) {
            if (mate != 3 && mate != 5) MatchFigures[mate].off = 1;
        }
        MatchPassReceiver = -1;
        Touch();
        EXPECT_EQ(MatchPassReceiver, slot == 3 ? 3 : -1) << int(slot);
    }
}

}  // namespace
