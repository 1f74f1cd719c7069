#include "core/match/ranking.h"
#include "core/match/actions.h"
#include "core/match/matchengine.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/base/random.h"
#include "core/match/dribble.h"
#include "core/match/matchrules.h"
#include "core/match/openplay.h"
#include "tests/core/match/openplay_fixture.h"

namespace {

using openplaytest::OpenPlayTest;

class RankingTest : public OpenPlayTest {
  protected:
    // Team 1 around a ball on the centre spot with the opponents in
    // possession: 17 near, 18 and 19 in opposite corners, the rest off.
    void SecondManSetUp(int16_t first, int16_t second, int16_t third) {
        BallTeam = 0;
        for (int figure = 16; figure < 32; ++figure) MatchFigures[figure].off = 1;
        for (int16_t figure : {17, 18, 19}) MatchFigures[figure].off = 0;
        Put(17, 796, 1300);
        Put(18, 158, 2038);
        Put(19, 1434, 126);
        int16_t list[16] = {first, second, third, 16, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};
        for (int k = 0; k < 16; ++k) BallRanking[1][k] = list[k];
    }
};

TEST_F(RankingTest, AnEntryOutsideTheTeamIsRefilledWithTheMissingFigure) {
    for (int k = 0; k < 15; ++k) BallRanking[0][k] = int16_t(k + 1);
    BallRanking[0][15] = 40;  // figure 0 is missing
    Rank(0);
    // Figure 0 is the team's first figure: refilled into the last entry, it
    // never moves up.
    EXPECT_EQ(BallRanking[0][15], 0);
    for (int16_t entry : BallRanking[0]) EXPECT_LT(entry, 16);
    BallRanking[1][3] = 255;
    BallRanking[1][4] = -7;
    Rank(1);
    bool seen[16] = {};
    for (int16_t entry : BallRanking[1]) {
        ASSERT_GE(entry, 16);
        ASSERT_LT(entry, 32);
        seen[entry - 16] = true;
    }
    // Each bad entry takes the last figure missing when it is refilled.
    for (bool s : seen) EXPECT_TRUE(s);
}

TEST_F(RankingTest, DistancesBusyPlayersAndTheStretchBehindTheBall) {
    PutBall(796, 1082);
    BallTeam = 0;
    MatchFigures[3].action = kActionThrowInChoose;  // busy
    Rank(0);
    const int plain3 = Match_ApproxDistance(MatchFigures[3].x, MatchFigures[3].y, 796, 1082);
    EXPECT_EQ(+MatchFigures[3].rankDistance, plain3 + kRankBusyPenalty);
    EXPECT_EQ(+MatchFigures[3].ballDistance, plain3);
    const int plain4 = Match_ApproxDistance(MatchFigures[4].x, MatchFigures[4].y, 796, 1082);
    EXPECT_EQ(+MatchFigures[4].rankDistance, plain4);
    MatchFigures[12].off = 1;
    Rank(0);
    EXPECT_EQ(+MatchFigures[12].rankDistance, kRankOffPitch);

    // The opponents are in possession; with the ball at rest nothing stretches.
    Rank(1);
    const int plain20 = Match_ApproxDistance(MatchFigures[20].x, MatchFigures[20].y, 796, 1082);
    EXPECT_EQ(+MatchFigures[20].rankDistance, plain20);

    // A fast ball heading for team 1's goal (at y 2038, since team 0 attacks
    // it) stretches a player behind it; taken wide and capped below the
    // rank of a player off the pitch, never wrapping negative.
    Put(20, 796, 200);  // behind the ball, which runs toward y 2038
    BallGroundSpeed = 300;
    Rank(1);
    EXPECT_EQ(+MatchFigures[20].rankDistance, kRankDistanceCap);
    BallGroundSpeed = 2;
    Rank(1);
    const int plain = Match_ApproxDistance(796, 200, 796, 1082);
    EXPECT_EQ(+MatchFigures[20].rankDistance, (128 * 2 + 150) * plain / 150);
    // One between the ball and the goal keeps his distance.
    Put(21, 796, 1900);
    Rank(1);
    EXPECT_EQ(+MatchFigures[21].rankDistance, Match_ApproxDistance(796, 1900, 796, 1082));
}

TEST_F(RankingTest, OneBubblePassPerRunAndTheFirstFigureNeverMovesUp) {
    // Reverse order: the nearest players listed last.
    for (int k = 0; k < 16; ++k) {
        MatchFigures[k].off = 0;
        BallRanking[0][k] = int16_t(k);
        Put(int16_t(k), 796, 1082 - 40 * (16 - k));
    }
    Put(0, 796, 1082 - 900);  // the first figure is the farthest but listed first
    Rank(0);
    // After one pass the nearest figure (15) moved up by one place only.
    EXPECT_EQ(BallRanking[0][14], 15);
    for (int run = 0; run < 15; ++run) Rank(0);
    for (int k = 0; k + 1 < 16; ++k) {
        const int a = MatchFigures[BallRanking[0][k]].rankDistance;
        const int b = MatchFigures[BallRanking[0][k + 1]].rankDistance;
        EXPECT_LE(a, b) << k;
    }
    EXPECT_NE(BallRanking[0][0], 0);
}

TEST_F(RankingTest, SecondManOnlyWhenLeadingByOneUnlessTheFirstIsBusy) {
    SecondManSetUp(17, 19, 18);
    Rank(1);
    EXPECT_EQ(TeamChallenger[1], 17);
    EXPECT_EQ(+MatchFigures[19].action, kActionStand);

    SecondManSetUp(17, 19, 18);
    TeamChallenger[1] = kNoChallenger;
    Goals[1] = 1;
    Rank(1);
    EXPECT_EQ(TeamChallenger[1], 17);
    EXPECT_EQ(+MatchFigures[19].action, kActionThink);

    // Leading by two is not leading by one.
    SecondManSetUp(17, 19, 18);
    Match_SetPlayerAction(19, kActionStand);
    TeamChallenger[1] = kNoChallenger;
    Goals[1] = 2;
    Rank(1);
    EXPECT_EQ(+MatchFigures[19].action, kActionStand);

    // Entry 0 busy: the next free player challenges and the one after him
    // joins without a lead.
    Goals[1] = 0;
    SecondManSetUp(17, 18, 19);
    Match_SetPlayerAction(19, kActionStand);
    Put(17, 796, 1182);
    MatchFigures[17].action = kActionThrowInChoose;
    TeamChallenger[1] = kNoChallenger;
    Rank(1);
    EXPECT_EQ(TeamChallenger[1], 18);
    EXPECT_EQ(+MatchFigures[18].action, kActionThink);
    EXPECT_EQ(+MatchFigures[19].action, kActionThink);
    EXPECT_EQ(+MatchFigures[18].counts[kCountChallenges], 1);

    // In a stoppage nobody is called to join: the second man may be taking
    // the ball out of the net for the kick-off.
    SecondManSetUp(17, 19, 18);
    Match_SetPlayerAction(17, kActionStand);
    for (int16_t busy : {18, 19}) Match_SetPlayerAction(busy, kActionNetFetch);
    TeamChallenger[1] = kNoChallenger;
    Goals[1] = 1;
    MatchPhase = kPhaseBackToKickOff;
    Rank(1);
    EXPECT_EQ(+MatchFigures[18].action, kActionNetFetch);
    EXPECT_EQ(+MatchFigures[19].action, kActionNetFetch);
}

TEST_F(RankingTest, AChallengerWithinReachKeepsTheRole) {
    BallTeam = 0;
    PutBall(796, 1500);
    Put(17, 796, 1520);  // ranks first
    Put(18, 796, 1620);  // 120 away, the challenger
    TeamChallenger[1] = 18;
    for (int run = 0; run < 4; ++run) Rank(1);
    EXPECT_EQ(TeamChallenger[1], 18);
    EXPECT_EQ(+MatchFigures[18].action, kActionThink);
    EXPECT_EQ(+MatchFigures[18].counts[kCountChallenges], 0);
    // Beyond 128 the first-ranked player takes over and the old one goes
    // back to his place.
    Put(18, 796, 1640);
    MatchFigures[18].targetY = 1900;
    PutBall(796, 1500);
    Rank(1);
    EXPECT_NE(TeamChallenger[1], 18);
    EXPECT_EQ(+MatchFigures[18].action, kActionRunToPosition);
}

TEST_F(RankingTest, HandOverSendsFartherThinkersBack) {
    PutBall(796, 1082);
    BallTeam = 0;
    Put(2, 796, 1100);
    Put(3, 796, 1400);
    Put(4, 796, 1090);
    MatchFigures[3].targetY = 1500;
    Match_SetPlayerAction(3, kActionThink);
    Match_SetPlayerAction(4, kActionThink);
    TeamChallenger[0] = 3;
    BallRanking[0][0] = 4;
    Match_PassThinkRole(0, 2);
    EXPECT_EQ(TeamChallenger[0], 2);
    EXPECT_EQ(+MatchFigures[2].action, kActionThink);
    EXPECT_EQ(+MatchFigures[3].action, kActionRunToPosition);  // farther: back to his place
    EXPECT_EQ(+MatchFigures[4].action, kActionThink);          // nearer: stays
}

TEST_F(RankingTest, FreeDirectionAtOnceWhenAheadIsClearAndNoneOffThePitch) {
    int16_t score = 0;
    Put(5, 796, 1082);
    for (int figure = 16; figure < 32; ++figure) Put(int16_t(figure), 300, 1900);
    EXPECT_EQ(Match_FindFreeDirection(5, 64, score), 64);
    EXPECT_EQ(score, 10000);
    // An opponent straight ahead turns him aside.
    Put(20, 796 + 40, 1082);
    const int16_t aside = Match_FindFreeDirection(5, 64, score);
    EXPECT_NE(aside, 64);
    EXPECT_GT(score, 0);
    // Every probe off the pitch: none.
    Put(5, 0, 0);
    EXPECT_EQ(Match_FindFreeDirection(5, 0, score), -1);
    EXPECT_EQ(score, 0);
}

TEST_F(RankingTest, GoalDistanceDirectionAndTheWideAim) {
    AttackDirection = 0;  // team 0 attacks y 2038
    Put(5, 796, 1082);
    Match_GoalDistance(5, 0);
    EXPECT_EQ(GoalDistanceScratch, 2038 - 1082);
    Match_GoalDistance(5, 1);
    EXPECT_EQ(GoalDistanceScratch, 1082 - 126);
    EXPECT_EQ(Match_GoalDirection(5, 1, 0), 128);
    GoalDistanceScratch = 7;
    EXPECT_EQ(Match_GoalDirection(5, 2, 0), 128);
    EXPECT_EQ(GoalDistanceScratch, 7);
    // The wide instruction within 240 of the centre line keeps his own x,
    // with the nearest opponent close enough (w at most 160).
    MatchFigures[5].tacticBytes[3] = 1;
    Goals[1] = 1;  // behind: urgency, so the wing test is not made
    MatchLastDefenderY[1] = 1900;
    Put(5, 900, 1082);
    Put(16, 900, 1180);
    BallRanking[1][0] = 16;
    CurrentTeam = 0;
    EXPECT_EQ(Match_GoalDirection(5, 0, 0), Match_DirectionTo(900, 1082, 900, 2038));
    // Wide of 240: the aim moves out to the wing.
    Put(5, 1100, 1082);
    Put(16, 1100, 1180);
    EXPECT_EQ(Match_GoalDirection(5, 0, 0), Match_DirectionTo(1100, 1082, 1384, 2038));
    // Past the defensive line: straight at the goal's centre.
    MatchLastDefenderY[1] = 1000;
    EXPECT_EQ(Match_GoalDirection(5, 0, 0), Match_DirectionTo(1100, 1082, 796, 2038));
}

TEST_F(RankingTest, StepKickAndNoOpponentNear) {
    Put(5, 100, 100);
    Match_StepTowardX(5, 103, 100);
    EXPECT_EQ(+MatchFigures[5].x, 101);
    EXPECT_EQ(+MatchFigures[5].y, 100);
    Match_StepTowardX(5, 90, 90);
    EXPECT_EQ(+MatchFigures[5].x, 100);
    EXPECT_EQ(+MatchFigures[5].y, 99);

    Ball_Kick(64, 5, 2);
    EXPECT_EQ(BallState.vx, 30 * 4096);
    EXPECT_EQ(BallState.vy, 0);
    EXPECT_EQ(BallState.vz, 0x32000);
    EXPECT_EQ(LastToucher, 5);
    EXPECT_EQ(+MatchFigures[5].touchLockout, 16);
    EXPECT_EQ(+MatchFigures[5].hasKicked, 1);
    Ball_Kick(128, 6, 4);
    EXPECT_EQ(BallState.vx, 0);
    EXPECT_EQ(BallState.vy, 60 * 4096);

    for (int figure = 16; figure < 32; ++figure) MatchFigures[figure].ballDistance = 400;
    EXPECT_EQ(Match_NoOpponentNear(5), 1);
    MatchFigures[22].ballDistance = 10;
    EXPECT_EQ(Match_NoOpponentNear(5), 0);
    MatchFigures[22].off = 1;
    EXPECT_EQ(Match_NoOpponentNear(5), 1);
}

TEST_F(RankingTest, InterceptGoesGoalSideOfACarrierAhead) {
    AttackDirection = 0;
    BallTeam = 0;  // team 0 carries toward y 2038
    PutBall(700, 1000);
    BallState.z = 40;  // too high to go in with a tackle: only the run is seen
    Put(3, 690, 1000);
    MatchFigures[3].hasBall = 1;
    TeamChallenger[0] = 3;
    // The defender comes from behind the carrier, on the same side of the ball.
    Put(20, 600, 900);
    MatchFigures[20].tackling = 100;
    MatchFigures[20].frame = -1;  // no clip yet: the chase faces the point at once
    GoalDistanceScratch = 0;
    CurrentTeam = 1;
    MatchCurX = MatchFigures[20].x;
    MatchCurY = MatchFigures[20].y;
    Match_InterceptCarrier(20);
    // He heads for (710, 1024): goal-side of the carrier.
    EXPECT_EQ(+MatchFigures[20].facing, Match_DirectionTo(600, 900, 710, 1024) & 255);
    // A tackling of 0 is raised to 1 before it divides.
    MatchFigures[21].tackling = 0;
    Put(21, 800, 1200);
    MatchCurX = 800;
    MatchCurY = 1200;
    CurrentTeam = 1;
    Match_InterceptCarrier(21);
    EXPECT_EQ(+MatchFigures[21].tackling, 1);
    // With the team itself in possession the carrier is no opponent: he
    // chases the ball.
    BallTeam = 1;
    TeamChallenger[1] = 21;
    MatchFigures[22].frame = -1;
    Put(22, 700, 1300);
    MatchCurX = 700;
    MatchCurY = 1300;
    Match_InterceptCarrier(22);
    EXPECT_EQ(+MatchFigures[22].facing, Match_DirectionTo(700, 1300, 700, 1000) & 255);
}

TEST_F(RankingTest, ThePointAheadOfACarrierNearTheGoalLineStaysOnThePitch) {
    AttackDirection = 0;
    BallTeam = 0;  // team 0 carries toward y 2038
    PutBall(796, 1950);
    BallState.z = 40;  // too high for a tackle: only the run is seen
    Put(3, 796, 1950);
    MatchFigures[3].hasBall = 1;
    MatchFigures[3].ballDistance = 0;
    TeamChallenger[0] = 3;
    // A poor tackler behind the carrier runs far ahead of him: 490 units,
    // which would put the point 400 beyond the goal line.
    Put(20, 896, 2000);
    MatchFigures[20].tackling = 10;
    MatchFigures[20].frame = -1;
    CurrentTeam = 1;
    MatchCurX = 896;
    MatchCurY = 2000;
    Match_InterceptCarrier(20);
    // He heads for the goal line straight ahead of the carrier.
    EXPECT_EQ(+MatchFigures[20].facing, Match_DirectionTo(896, 2000, 796, 2038) & 255);
}

}  // namespace
