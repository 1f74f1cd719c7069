#include "core/match/actions.h"
#include "core/match/phases.h"
#include "tests/core/match/frame_fixture.h"

#include "core/base/bytes.h"

namespace {

using frametest::FrameTest;
using RulesTest = FrameTest;

TEST_F(RulesTest, SlotRoleChoice) {
    MatchFigures[20].off = 1;
    MatchLineUp[1][4] = 30;  // figure 20 holds no slot now
    for (int i = 0; i < 50; ++i) EXPECT_EQ(MatchSlotRoleChoice(20, 77), 77);
    MatchFigures[3].leftNow = MatchFigures[3].middleNow = MatchFigures[3].rightNow = 6;
    for (int i = 0; i < 50; ++i) EXPECT_EQ(MatchSlotRoleChoice(3, 60), 60);
    MatchFigures[3].leftNow = MatchFigures[3].middleNow = MatchFigures[3].rightNow = 0;
    int kept = 0;
    for (int i = 0; i < 3000; ++i) {
        const int16_t v = MatchSlotRoleChoice(3, 60);
        ASSERT_TRUE(v == 60 || v == 11);
        kept += v == 60;
    }
    EXPECT_NEAR(kept, 1000, 100);
}

TEST_F(RulesTest, RandomSpread) {
    EXPECT_EQ(MatchRandomSpread(0, 40), 0);
    EXPECT_EQ(MatchRandomSpread(10, 0), 0);
    for (int i = 0; i < 100; ++i) {
        const int16_t v = MatchRandomSpread(10, 40);
        EXPECT_GE(v, 30);
        EXPECT_LE(v, 40);
    }
}

TEST_F(RulesTest, NearestAndFarthestIgnoreKeeperAndBusyPlayers) {
    CurrentTeam = 0;
    for (int figure = 0; figure < 11; ++figure) {
        MatchFigures[figure].targetX = int16_t(100 * figure);
        MatchFigures[figure].targetY = 0;
    }
    EXPECT_EQ(MatchFindNearestPlayer(0, 0, -1), 1);  // the keeper stands on the point
    EXPECT_EQ(MatchFindNearestPlayer(0, 0, 1), 2);
    EXPECT_EQ(MatchFindBestReceiver(0, 0, -1), 10);
    MatchFigures[2].action = kActionIdleVariation;
    MatchFigures[1].action = kActionReceivePass;
    EXPECT_EQ(MatchFindNearestPlayer(0, 0, -1), 2);
    EXPECT_EQ(MatchFindBestReceiver(0, 0, 2), 10);
    for (int figure = 1; figure < 11; ++figure) MatchFigures[figure].action = kActionKnockPast;
    EXPECT_EQ(MatchFindNearestPlayer(0, 0, -1), 0);
    EXPECT_EQ(MatchFindBestReceiver(0, 0, -1), 0);
}

TEST_F(RulesTest, ShootoutTakerOrderAndWrap) {
    CurrentTeam = 0;
    PenaltiesTaken = 10;  // the sixth kick of team 0: k = 5
    EXPECT_EQ(MatchShootoutTaker(), 5);
    MatchFigures[10].off = 1;
    MatchFigures[9].off = 1;
    // Eligible: 8..1 (eight players); k = 5 is figure 3.
    EXPECT_EQ(MatchShootoutTaker(), 3);
    PenaltiesTaken = 18;  // k = 9 wraps to the second eligible, figure 7
    EXPECT_EQ(MatchShootoutTaker(), 7);
}

TEST_F(RulesTest, ShootoutTakerWithNobodyEligibleEnds) {
    CurrentTeam = 1;
    for (int figure = 16; figure < 32; ++figure) MatchFigures[figure].position = 0;
    EXPECT_EQ(MatchShootoutTaker(), 16);  // the first player on the pitch
    for (int figure = 16; figure < 32; ++figure) MatchFigures[figure].off = 1;
    EXPECT_EQ(MatchShootoutTaker(), MatchLineUp[1][0]);
}

TEST_F(RulesTest, ShootoutTakerOfAHumanTeamFollowsTheUsersOrder) {
    CurrentTeam = 0;
    GameInfo.SetTeamU8(0, gameinfo::kHumanManaged, 1);
    for (int entry = 0; entry < 16; ++entry) {
        GameInfo.SetI16(gameinfo::PlayerInfoAt(0, entry) + gameinfo::kPlayerInfoNumber, int16_t(500 + entry));
    }
    for (int i = 0; i < 10; ++i) ShootoutOrder[0][i] = uint16_t(500 + 1 + (i * 3) % 10);
    PenaltiesTaken = 2;  // k = 1: the second in the order
    EXPECT_EQ(MatchShootoutTaker(), 4);
}

TEST_F(RulesTest, RestartCountersNeverBelowZero) {
    BallState.y = 1500;  // team 0 (end flag 0) attacks high y
    AttackDirection = 0;
    TeamRestartCount[0] = 0;
    TeamRestartCount[1] = 3;
    MatchCheckRestart(4);
    EXPECT_EQ(TeamRestartCount[0], 4);
    EXPECT_EQ(TeamRestartCount[1], 0);
    Goals[0] = 1;  // the defenders are exactly one behind
    MatchCheckRestart(6);
    EXPECT_EQ(TeamRestartCount[0], 0);
    EXPECT_EQ(TeamRestartCount[1], 12);
    MatchCheckRestart(-20);
    EXPECT_EQ(TeamRestartCount[0], 0);
    EXPECT_EQ(TeamRestartCount[1], 52);
}

TEST_F(RulesTest, PossessionInAStoppageChangesNothing) {
    LastToucher = 3;
    MatchPhase = kPhaseGoalKick;
    MatchTakePossession(20);
    EXPECT_EQ(LastToucher, 3);
    EXPECT_EQ(int(MatchFigures[20].touches), 0);
    MatchPhase = kPhaseOpenPlay;
    BallState.holder = 1;
    MatchTakePossession(20);
    EXPECT_EQ(LastToucher, 3);
}

TEST_F(RulesTest, PossessionCompletesPassesAndCountsInterceptions) {
    LastToucher = 3;
    PendingPass[1] = {3, 7};
    MatchTakePossession(7);
    EXPECT_EQ(int(MatchFigures[3].counts[kCountLongPassesGood]), 1);
    EXPECT_EQ(int(MatchFigures[7].moreCounts[kMoreReceivedKind2]), 1);
    EXPECT_EQ(PendingPass[1].passer, kNoFigure);
    EXPECT_EQ(LastToucher, 7);
    EXPECT_EQ(PreviousToucher, 3);
    EXPECT_EQ(BallTeam, 0);
    PendingPass[0] = {7, 5};
    MatchTakePossession(21);
    EXPECT_EQ(int(MatchFigures[21].counts[kCountIntercepts]), 1);
    EXPECT_EQ(PendingPass[0].passer, kNoFigure);
    EXPECT_EQ(BallTeam, 1);
}

TEST_F(RulesTest, EventListKeepsItsEndMark) {
    for (int i = 0; i < 250; ++i) MatchRecordEvent(1, 0, 3, int16_t(i));
    EXPECT_EQ(EventCount, kMatchEvents - 1);
    EXPECT_EQ(MatchResult.events[kMatchEvents - 1][kEventKind], kEventEnd);
    EXPECT_EQ(recbits::LoadU16(&MatchResult.events[198][kEventValue2]), 198);
}

TEST_F(RulesTest, EventRowFields) {
    GameInfo.SetI16(gameinfo::PlayerInfoAt(1, 4) + gameinfo::kPlayerInfoNumber, 4321);
    Period = 1;
    MatchResetClock(300);
    PeriodClock = 7500;  // half way through the second half: minute 67
    MatchRecordEvent(0, 1, 20, 9);
    const uint8_t* row = MatchResult.events[0];
    EXPECT_EQ(row[kEventKind], 0);
    EXPECT_EQ(recbits::LoadU16(row + kEventPeriod), 1);
    EXPECT_EQ(recbits::LoadU16(row + kEventMinute), 67);
    EXPECT_EQ(recbits::LoadU16(row + kEventTeam), 1);
    EXPECT_EQ(recbits::LoadU16(row + kEventPlayer), 4321);
    EXPECT_EQ(MatchResult.events[1][kEventKind], kEventEnd);
}

TEST_F(RulesTest, PlayerSkillAndCanAct) {
    MatchFigures[3].spirit = 80;
    MatchFigures[3].tacticBytes[0] = 2;
    EXPECT_EQ(MatchPlayerSkill(3), 100);
    MatchFigures[3].tacticBytes[0] = 1;
    EXPECT_EQ(MatchPlayerSkill(3), 30);
    MatchFigures[3].action = kActionCross;  // free until he has kicked
    EXPECT_EQ(MatchPlayerCanAct(3), 1);
    MatchFigures[3].hasKicked = 1;
    EXPECT_EQ(MatchPlayerCanAct(3), 0);
    MatchFigures[3].action = kActionThrowInChoose;
    EXPECT_EQ(MatchPlayerCanAct(3), 0);
    MatchFigures[3].action = 999;
    EXPECT_EQ(MatchPlayerCanAct(3), 0);
}

TEST_F(RulesTest, GroupCommands) {
    MatchFigures[4].action = kActionKnockPast;
    MatchFigures[5].action = kActionNothing;
    // The selected flag is the one a player keeps while the ball is his.
    MatchSelectPlayer(5);
    MatchSelectPlayer(6);
    EXPECT_EQ(int(MatchFigures[5].hasBall), 0);
    EXPECT_EQ(int(MatchFigures[6].hasBall), 1);
    MatchFigures[5].hasBall = 1;
    const int16_t busy = MatchReleasePlayers();
    EXPECT_EQ(int(MatchFigures[5].action), kActionRunToPosition);
    EXPECT_EQ(int(MatchFigures[5].hasBall), 0);
    EXPECT_EQ(int(MatchFigures[0].action), kActionKeeperReady);
    EXPECT_EQ(busy, 1);
    EXPECT_EQ(MatchCountBusyPlayers(), 1);
    MatchResetAllPlayers();
    EXPECT_EQ(int(MatchFigures[4].action), kActionRunToPosition);
    EXPECT_EQ(MatchCountBusyPlayers(), 0);
}

TEST_F(RulesTest, CelebrationOnlyFromOrdinaryPlay) {
    MatchFigures[3].action = kActionPenaltyRunUp;
    MatchStartCelebration(3);
    EXPECT_EQ(int(MatchFigures[3].action), kActionPenaltyRunUp);
    MatchFigures[3].action = kActionRunToPosition;
    MatchStartDejection(3);
    EXPECT_EQ(int(MatchFigures[3].action), kActionKeeperGestureMate);
    const int16_t clip = MatchFigures[3].anim;
    EXPECT_TRUE(clip == 219 || clip == 221 || (clip >= 306 && clip <= 310));
}

TEST_F(RulesTest, LookAngleStaysWithinForty) {
    MatchFigures[3].facing = 64;
    MatchAdjustPlayerLean(3, 100, 255);
    EXPECT_EQ(int(MatchFigures[3].headTurn), 40);
    MatchAdjustPlayerLean(3, -100, 10);
    EXPECT_EQ(int(MatchFigures[3].headTurn), 30);
    MatchAdjustPlayerLean(3, 0, 255);
    EXPECT_EQ(int(MatchFigures[3].headTurn), 0);
}

TEST_F(RulesTest, ClampToPitchAndFrontOrBack) {
    MatchCurX = 10;
    MatchCurY = 3000;
    Match_ClampToPitch();
    EXPECT_EQ(MatchCurX, 156);
    EXPECT_EQ(MatchCurY, 2048);
    EXPECT_EQ(MatchCurX16, 156 * 65536);
    EXPECT_EQ(MatchFrontOrBackAction(10, 250), 33);
    EXPECT_EQ(MatchFrontOrBackAction(0, 128), 73);
}

TEST_F(RulesTest, BallVelocityTowardTarget) {
    BallState.x = 100;
    BallState.y = 200;
    MatchSetBallVelocity(110, 180, 3, 1000);
    EXPECT_EQ(BallState.vx, 10000);
    EXPECT_EQ(BallState.vy, -20000);
    EXPECT_EQ(BallState.vz, 30);
}

}  // namespace
