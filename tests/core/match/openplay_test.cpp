#include "core/match/openplay.h"
#include "core/match/actions.h"

#include <gtest/gtest.h>

#include "core/base/random.h"
#include "core/match/dribble.h"
#include "core/match/matchrules.h"
#include "core/match/motionclips.h"
#include "core/match/phases.h"
#include "tests/core/match/openplay_fixture.h"

namespace {

using openplaytest::OpenPlayTest;

class ThinkTest : public OpenPlayTest {
  protected:
    void SetUp() override {
        OpenPlayTest::SetUp();
        // Team 0's challenger right at the ball; figure 5 far from it.
        PutBall(796, 1082);
        Put(1, 796, 1090);
        TeamChallenger[0] = 1;
        Put(5, 400, 700);
    }
};

// ---------------------------------------------------------------------------
// The re-decision.

TEST_F(ThinkTest, RedecideThinksWhenTheBallComesHisWay) {
    Match_Redecide(5, kActionRunToPosition);
    EXPECT_EQ(+MatchFigures[5].action, kActionRunToPosition);
    // Within the challenger's distance + the margin of the ball's long
    // prediction.
    Put(5, 796, 1082 + 8 + kThinkMargin - 1);
    Match_Redecide(5, kActionRunToPosition);
    EXPECT_EQ(+MatchFigures[5].action, kActionThink);
    Put(5, 796, 1082 + 8 + kThinkMargin);
    Match_Redecide(5, kActionStand);
    EXPECT_EQ(+MatchFigures[5].action, kActionStand);
    // Not while a keeper holds the ball, nor at a restart.
    Put(5, 796, 1150);
    BallState.holder = 17;
    Match_Redecide(5, kActionStand);
    EXPECT_EQ(+MatchFigures[5].action, kActionStand);
    BallState.holder = 0;
    MatchPhase = kPhaseThrowIn;
    Match_Redecide(5, kActionStand);
    EXPECT_EQ(+MatchFigures[5].action, kActionStand);
    // Near his own goal he goes for it from 400 whatever the phase.
    PutBall(796, 400);
    Put(5, 796, 790);
    Match_Redecide(5, kActionStand);
    EXPECT_EQ(+MatchFigures[5].action, kActionThink);
}

TEST_F(ThinkTest, ATeamMateWhoJustPlayedTheBallKeepsTheOthersBack) {
    Put(5, 796, 1150);  // 68 from the ball, the challenger 8
    LastToucher = 3;
    MatchFigures[3].touchLockout = 10;
    Match_Redecide(5, kActionRunToPosition);
    EXPECT_EQ(+MatchFigures[5].action, kActionRunToPosition);
    Put(5, 796, 1085);  // nearer than the challenger
    Match_Redecide(5, kActionRunToPosition);
    EXPECT_EQ(+MatchFigures[5].action, kActionThink);
    // The first-ranked player and the challenger always think.
    BallRanking[0][0] = 7;
    Match_Redecide(7, kActionStand);
    EXPECT_EQ(+MatchFigures[7].action, kActionThink);
    Match_Redecide(1, kActionStand);
    EXPECT_EQ(+MatchFigures[1].action, kActionThink);
}

TEST_F(ThinkTest, TheManAPassWasPlayedToGoesOnForIt) {
    // Figure 5, far from the ball, is the receiver of figure 3's long pass.
    LastToucher = 3;
    MatchFigures[3].touchLockout = 10;
    PendingPass[1] = {3, 5};
    Match_Redecide(5, kActionRunToPosition);
    EXPECT_EQ(+MatchFigures[5].action, kActionThink);
    // Not once another player has touched it, nor when it was played to
    // somebody else, nor while a keeper holds it or at a restart.
    Match_SetPlayerAction(5, kActionRunToPosition);
    LastToucher = 20;
    Match_Redecide(5, kActionRunToPosition);
    EXPECT_EQ(+MatchFigures[5].action, kActionRunToPosition);
    LastToucher = 3;
    PendingPass[1] = {3, 6};
    Match_Redecide(5, kActionRunToPosition);
    EXPECT_EQ(+MatchFigures[5].action, kActionRunToPosition);
    PendingPass[1] = {kNoFigure, kNoFigure};
    PendingPass[2] = {3, 5};  // a cross
    BallState.holder = 17;
    Match_Redecide(5, kActionRunToPosition);
    EXPECT_EQ(+MatchFigures[5].action, kActionRunToPosition);
    BallState.holder = 0;
    MatchPhase = kPhaseThrowIn;
    Match_Redecide(5, kActionRunToPosition);
    EXPECT_EQ(+MatchFigures[5].action, kActionRunToPosition);
    MatchPhase = kPhaseOpenPlay;
    Match_Redecide(5, kActionRunToPosition);
    EXPECT_EQ(+MatchFigures[5].action, kActionThink);
    PendingPass[2] = {kNoFigure, kNoFigure};
}

TEST_F(ThinkTest, RedecideKeepsItsContractOverRandomStates) {
    uint32_t seed = 99;
    const auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % uint32_t(n));
    };
    const uint16_t phases[] = {0, 0, 2, 1, 3, 22, 25};
    for (int i = 0; i < 100000; ++i) {
        const int16_t figure = int16_t(next(40) - 4);
        const uint16_t idle = uint16_t(next(2));
        MatchPhase = phases[next(7)];
        BallState.holder = int16_t(next(4) == 0 ? next(33) : 0);
        BallState.predicted[2][0] = int16_t(next(1600) - 100);
        BallState.predicted[2][1] = int16_t(next(2200));
        TeamChallenger[0] = int16_t(next(5) == 0 ? kNoChallenger : next(16));
        TeamChallenger[1] = int16_t(next(5) == 0 ? kNoChallenger : 16 + next(16));
        BallRanking[0][0] = int16_t(next(16));
        BallRanking[1][0] = int16_t(next(3) == 0 ? 40 : 16 + next(16));
        LastToucher = int16_t(next(34) - 1);
        if (figure < 0 || figure >= 32) {
            const uint32_t before = GameRandomState();
            Match_Redecide(figure, idle);
            EXPECT_EQ(GameRandomState(), before);
            continue;
        }
        MatchFigure& f = MatchFigures[figure];
        Put(figure, next(1300) + 150, next(1900) + 130);
        f.ballDistance = uint16_t(next(2000));
        f.touchLockout = int16_t(next(3) == 0 ? next(20) : 0);
        const uint16_t before = uint16_t(next(3) == 0 ? next(206) : next(5));
        Match_SetPlayerAction(figure, before);
        f.frame = 7;
        f.actionParam = 99;
        const uint32_t randomBefore = GameRandomState();
        Match_Redecide(figure, idle);
        const uint16_t after = f.action;
        ASSERT_TRUE(after == idle || after == 4) << i;
        const int team = figure / kTeamFigures;
        if (BallRanking[team][0] == figure || TeamChallenger[team] == figure) {
            ASSERT_EQ(after, 4) << i;
        }
        if (after == before) {
            ASSERT_EQ(+f.frame, 7) << i;
            ASSERT_EQ(+f.actionParam, 99) << i;
            ASSERT_EQ(GameRandomState(), randomBefore) << i;
        } else {
            ASSERT_EQ(+f.frame, 0) << i;
            if (MatchPhase == kPhaseKickOffSetUp) {
                ASSERT_LT(+f.actionParam, 8) << i;
            } else {
                ASSERT_EQ(+f.actionParam, 0) << i;
                ASSERT_EQ(GameRandomState(), randomBefore) << i;
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Standing and running to the target.

TEST_F(ThinkTest, StandsWithinFiveRunsFromSix) {
    MatchFigure& f = MatchFigures[5];
    f.targetX = int16_t(f.x + 5);
    f.targetY = f.y;
    f.actionWord = 15;
    Run(5);
    EXPECT_EQ(+f.action, kActionStand);
    EXPECT_EQ(+f.anim, 0);
    f.targetX = int16_t(f.x + 6);
    f.actionWord = 15;
    Run(5);
    EXPECT_EQ(+f.action, kActionRunToPosition);
    // Arriving within 5 ends the run.
    f.targetX = int16_t(f.x + 5);
    Run(5);
    EXPECT_EQ(+f.action, kActionStand);
}

TEST_F(ThinkTest, RunsBackwardsUpTo123AndTurnsBeyond) {
    MatchFigure& f = MatchFigures[5];
    Match_SetPlayerAction(5, kActionRunToPosition);
    f.facing = 0;  // toward smaller y; the target lies straight behind
    f.targetX = f.x;
    f.targetY = int16_t(f.y + 123);
    Run(5);
    EXPECT_EQ(+f.anim, 19);
    EXPECT_EQ(+f.facing, 0);
    EXPECT_GT(+f.y16, int32_t(700) * 65536);  // stepped toward the target
    Put(5, 400, 700);
    f.targetY = int16_t(f.y + 124);
    Run(5);
    EXPECT_EQ(+f.anim, 13);
    EXPECT_NE(+f.facing, 0);
    // In front: a jog below 32, a run from 32.
    f.facing = 128;
    f.targetY = int16_t(f.y + 31);
    Run(5);
    EXPECT_EQ(+f.anim, 11);
    f.targetY = int16_t(f.y + 32);
    Run(5);
    EXPECT_EQ(+f.anim, 13);
    EXPECT_GE(+RunningCount, 1);
}

TEST_F(ThinkTest, WalkOnFromBesideThePitchCrossesStraightFirst) {
    MatchPhase = kPhaseKickOffSetUp;
    LineUpPending = 1;
    MatchFigure& f = MatchFigures[5];
    Put(5, 10, 900);
    Match_SetPlayerAction(5, kActionRunToPosition);
    f.actionParam = 3;
    f.targetX = 600;
    f.targetY = 500;
    Run(5);
    EXPECT_EQ(+f.facing, 64);
    EXPECT_EQ(+f.anim, 13);
    Put(5, 40, 900);
    f.actionParam = 0;
    Run(5);
    EXPECT_EQ(+f.facing, Match_DirectionTo(40, 900, 600, 500));
    EXPECT_EQ(+f.anim, 11);
    // No re-decision while the teams walk on.
    f.actionWord = 15;
    Put(5, 796, 1080);
    Run(5);
    EXPECT_EQ(+f.action, kActionRunToPosition);
    LineUpPending = 0;
}

TEST_F(ThinkTest, KeepersStandInTheirOwnAction) {
    MatchFigure& k = MatchFigures[0];
    Match_SetPlayerAction(0, kActionStand);
    k.actionWord = 15;
    Run(0);
    EXPECT_EQ(+k.action, kActionKeeperReady);
    EXPECT_EQ(+k.actionWord, 15);  // counters left as they are
    MatchPhase = kPhaseKickOffSetUp;
    Match_SetPlayerAction(0, kActionStand);
    Run(0);
    EXPECT_EQ(+k.action, kActionIdleVariation);
    EXPECT_LT(+k.actionParam, 5);
    // The idle variation plays to its end and stands him again.
    for (int i = 0; i < 100 && k.action == kActionIdleVariation; ++i) Run(0);
    EXPECT_EQ(+k.action, kActionStand);
    // While waiting (phase 22) a keeper is re-decided like anyone.
    MatchPhase = kPhaseWaitReferee;
    Match_SetPlayerAction(0, kActionStand);
    Run(0);
    EXPECT_EQ(+k.action, kActionStand);
    EXPECT_EQ(+k.actionWord, 1);
}

TEST_F(ThinkTest, StandingPlayersPlayAnIdleInTheKickOffSetUp) {
    MatchPhase = kPhaseKickOffSetUp;
    MatchFigure& f = MatchFigures[5];
    f.targetX = f.x;
    f.targetY = f.y;
    f.actionWord = 15;
    Run(5);
    EXPECT_EQ(+f.action, kActionIdleVariation);
    EXPECT_LT(+f.actionParam, 5);
}

// ---------------------------------------------------------------------------
// Thinking.

TEST_F(ThinkTest, WithTheBallInHandsThinkersRunToTheirPlaces) {
    MatchFigure& f = MatchFigures[1];
    Match_SetPlayerAction(1, kActionThink);
    f.targetX = 600;
    f.targetY = 900;
    BallState.holder = 17;
    RunningCount = 0;
    Run(1);
    EXPECT_EQ(+f.action, kActionThink);
    EXPECT_EQ(+RunningCount, 1);
    EXPECT_EQ(+f.longCounts[0], 0u);
}

TEST_F(ThinkTest, AThinkerWhoseTeamJustPlayedTheBallRunsWithIt) {
    MatchFigure& f = MatchFigures[1];
    Match_SetPlayerAction(1, kActionThink);
    BallTeam = 0;
    f.touchLockout = 5;
    f.frame = 3;
    Run(1);
    EXPECT_EQ(+f.action, kActionThink);
    EXPECT_EQ(+f.anim, kClipDribble);
    EXPECT_EQ(+f.frame, 4);
    EXPECT_EQ(+f.longCounts[0], 1u);
    // Without the team in possession he goes for the ball instead.
    BallTeam = 1;
    Run(1);
    EXPECT_NE(+f.anim, kClipDribble);
    EXPECT_EQ(+f.longCounts[0], 2u);
}

TEST_F(ThinkTest, ThinkersOfTheTeamOutOfPossessionGoForTheCarrier) {
    BallTeam = 1;
    PutBall(796, 1082);
    Put(17, 796, 1085);
    MatchFigures[17].hasBall = 1;
    TeamChallenger[1] = 17;
    BallState.direction = 0;  // the ball moves
    BallState.z = 40;         // too high for a tackle, too low for a header
    MatchFigure& f = MatchFigures[1];
    Match_SetPlayerAction(1, kActionThink);
    Run(1);
    EXPECT_EQ(+f.action, kActionThink);
    EXPECT_EQ(+f.longCounts[1], 1u);
    EXPECT_EQ(+f.longCounts[0], 1u);
}

}  // namespace
