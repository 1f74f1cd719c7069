#include "core/match/matchphases.h"
#include "core/match/actions.h"

#include <array>
#include <random>
#include <set>
#include <string>

#include "core/match/actionmachine.h"
#include "core/match/ball.h"
#include "core/match/ballcollide.h"
#include "core/match/fouls.h"
#include "core/match/keeper.h"
#include "core/match/matchtick.h"
#include "core/match/motion.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/periodrunner.h"
#include "core/match/phases.h"
#include "core/match/playeractions.h"
#include "core/match/setpieces.h"
#include "core/match/strikes.h"
#include "core/match/tacklefalls.h"
#include "core/match/teamsetup.h"
#include "tests/core/match/frame_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using frametest::FrameTest;

uint32_t FrameCounts(int32_t clip) { return clip == 5 ? 1 : (clip == 7 ? 4 : 10); }

class PhaseTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        MatchClipFrameCount = FrameCounts;
        PhaseTimer = 0;
        ChangePending[0] = ChangePending[1] = 0;
        RefereeAction = 0;
        NotReadyCount = 0;
        PhaseWaitTicks = 0;
        RestartTeam = 0;
    }
    void TearDown() override {
        MatchClipFrameCount = nullptr;
        RefereeFavours = 0;  // a referee who leans to nobody, as a match starts without a set-up
        FrameTest::TearDown();
    }
    // Ticks of the phase until it leaves the given phase.
    int TicksIn(uint16_t phase) {
        int ticks = 0;
        while (MatchPhase == phase && ticks < 5000) {
            MatchPhaseTick();
            ++ticks;
        }
        return ticks;
    }
};

using PhaseDeathTest = PhaseTest;

// The phase code indexes the dispatch table: one past its end is stopped
// through the fatal path in every build, with the code in the message.
TEST_F(PhaseDeathTest, PhaseOutsideTheTableEndsTheProgramNamingIt) {
    MatchPhase = kMatchPhaseCount;
    EXPECT_FATAL(MatchPhaseTick(), "match phase 30 is outside the phase table");
}

TEST_F(PhaseTest, TrailingTeamTakesThrowInsSoonerButNotCorners) {
    Goals[1] = 2;
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
        MatchPhase = kPhaseThrowIn;
        PhaseTimer = 0;
        BallTeam = 1;  // team 0 throws
        seen.insert(TicksIn(3));
    }
    EXPECT_EQ(seen, (std::set<int>{22, 30, 45, 90}));
    MatchPhase = kPhaseCorner;
    RestartTeam = 0;
    PhaseTimer = 0;
    EXPECT_EQ(TicksIn(5), 90);
    EXPECT_EQ(MatchPhase, 8);
    EXPECT_EQ(MatchTeamTotals[0][kTotalCorners], 1);
}

TEST_F(PhaseTest, TheCornerBallLiesStillInTheCorner) {
    // The ball went out over the goal line at speed, still rising.
    BallState.x = 300;
    BallState.y = 110;
    BallState.x16 = 300 * 65536;
    BallState.y16 = 110 * 65536;
    BallState.z = 40;
    BallState.z16 = 40 * 65536;
    BallState.vx = -6 * 65536;
    BallState.vy = -3 * 65536;
    BallState.vz = 65536;
    MatchPhase = kPhaseCorner;
    RestartTeam = 1;
    PhaseTimer = 0;
    TicksIn(5);
    ASSERT_EQ(MatchPhase, 8);
    EXPECT_EQ(+BallState.x, 162);
    EXPECT_EQ(+BallState.y, 130);
    EXPECT_EQ(BallState.x16, 162 * 65536);
    EXPECT_EQ(BallState.y16, 130 * 65536);
    EXPECT_EQ(+BallState.z, 0);
    EXPECT_EQ(BallState.vx, 0);
    EXPECT_EQ(BallState.vy, 0);
    EXPECT_EQ(BallState.vz, 0);
}

TEST_F(PhaseTest, FoulOnTheAreaLineIsAPenalty) {
    AttackDirection = 0;  // team 0 defends low y
    EXPECT_TRUE(MatchInDefendingArea(0, 478, 414));
    EXPECT_FALSE(MatchInDefendingArea(0, 477, 414));
    EXPECT_FALSE(MatchInDefendingArea(0, 600, 415));
    EXPECT_TRUE(MatchInDefendingArea(1, 1114, 1750));
    MatchPhase = kPhaseFoul;
    FoulTeam = 0;
    FoulX = 478;
    FoulY = 414;
    TicksIn(1);
    EXPECT_EQ(MatchPhase, 19);
    EXPECT_GE(StoppageTime, 30);
    EXPECT_EQ(MatchTeamTotals[0][kTotalFouls], 1);
    EXPECT_EQ(+MatchFigures[MatchLineUp[0][0]].penaltiesFaced, 1);
}

// A computer side that has lost its keeper puts the player with the best
// hands and agility together in goal at the next foul against it, on the
// middle of its goal line; a human manager's side is left to its manager.
TEST_F(PhaseTest, AComputerSideThatLostItsKeeperPutsTheBestHandsInGoalAtAFoul) {
    AttackDirection = 0;  // team 1 defends the goal at high y
    MatchFigures[16].off = 1;
    MatchFigures[18].keeping = 60;  // the best hands alone
    MatchFigures[23].keeping = 40;
    MatchFigures[23].agility = 35;  // the best hands and agility together
    MatchFigures[23].x = 600;
    MatchFigures[23].y = 900;
    MatchPhase = kPhaseFoul;
    FoulTeam = 1;
    FoulX = 796;
    FoulY = 1082;
    TicksIn(kPhaseFoul);
    EXPECT_EQ(MatchPhase, kPhaseFreeKick);
    EXPECT_EQ(MatchLineUp[1][0], 23);
    EXPECT_EQ(MatchLineUp[1][7], 16);
    const MatchFigure& keeper = MatchFigures[23];
    EXPECT_EQ(keeper.x, kPitchCentreX);
    EXPECT_EQ(keeper.y, kGoalLineHigh);
    EXPECT_EQ(int32_t(keeper.x16), int32_t(kPitchCentreX) * 65536);  // a copy: the field is packed
    EXPECT_EQ(keeper.action, kActionKeeperReady);

    GameInfo.SetTeamU8(0, gameinfo::kHumanManaged, 1);
    MatchFigures[0].off = 1;
    MatchFigures[3].keeping = 90;
    MatchPhase = kPhaseFoul;
    PhaseTimer = 0;
    FoulTeam = 0;
    TicksIn(kPhaseFoul);
    EXPECT_EQ(MatchLineUp[0][0], 0) << "the manager chooses";
}

// A player hurt in the foul: the foul waits while he goes down; then a
// human manager's player leaves the pitch and the manager gets his team
// menu at the restart, and a computer side's hurt keeper makes way in goal.
TEST_F(PhaseTest, AnInjuredFouledPlayerIsSeenToOnceHeIsDown) {
    static int16_t menuFor;
    menuFor = -1;
    MatchHooks.igMenuRequest6 = [](int16_t team) { menuFor = team; };
    GameInfo.SetTeamU8(1, gameinfo::kHumanManaged, 1);
    GameInfo.SetI16(gameinfo::kNumSubstitutionsAllowed, 3);
    MatchSubsUsed[0] = MatchSubsUsed[1] = 0;
    MatchFigure& hurt = MatchFigures[20];
    Match_SetPlayerAction(20, kActionFallForward);
    hurt.injury = kInjuryHurt;
    MatchPhase = kPhaseFoul;
    FoulTeam = 0;
    FouledPlayer = 20;
    FoulX = 796;
    FoulY = 1082;
    for (int tick = 0; tick < 100; ++tick) MatchPhaseTick();
    EXPECT_EQ(MatchPhase, kPhaseFoul) << "he is still going down";
    EXPECT_EQ(hurt.off, 0);
    hurt.injury = kInjuryLying;
    MatchPhaseTick();
    EXPECT_EQ(MatchPhase, kPhaseFreeKick);
    EXPECT_EQ(hurt.off, 1);
    EXPECT_EQ(hurt.wasInjured, 1);
    EXPECT_EQ(menuFor, 1);

    // Team 0's keeper, hurt by a computer side's challenge: the best hands
    // among the others go in goal.
    MatchFigures[5].keeping = 80;
    MatchFigures[0].injury = kInjuryGettingUp;
    MatchPhase = kPhaseFoul;
    PhaseTimer = 0;
    FoulTeam = 1;
    FouledPlayer = 0;
    TicksIn(kPhaseFoul);
    EXPECT_EQ(MatchLineUp[0][0], 5);
    EXPECT_EQ(int(MatchFigures[5].action), kActionKeeperReady);
}

TEST_F(PhaseTest, ShootoutEndsWhenTheTrailingTeamCannotDrawLevel) {
    EXPECT_TRUE(MatchShootoutOver(6, 3, 0));
    EXPECT_FALSE(MatchShootoutOver(10, 4, 4));
    EXPECT_FALSE(MatchShootoutOver(11, 5, 4));
    EXPECT_TRUE(MatchShootoutOver(12, 5, 4));
    std::mt19937 draw(7);
    for (int run = 0; run < 5000; ++run) {
        int s[2] = {0, 0};
        for (int n = 0; n < 30; ++n) {
            // Control looks at the score before kick n.
            const int left0 = 5 - (n + 1) / 2;  // kicks team 0 still has in the first ten
            const int left1 = 5 - n / 2;
            bool decided;
            if (n < 10) {
                decided = s[0] + left0 < s[1] || s[1] + left1 < s[0];
            } else {
                decided = n % 2 == 0 && s[0] != s[1];
            }
            ASSERT_EQ(MatchShootoutOver(n, s[0], s[1]), decided) << n << " " << s[0] << "-" << s[1];
            if (decided) break;
            s[n & 1] += int(draw() % 2);
        }
    }
}

// Between two kicks of a shoot-out the keeper who faced the kick shows his
// dejection at a goal, then takes the ball back toward the spot, and only
// then is the next kick set up; a taker who missed walks back to where he
// waited for his turn.
TEST_F(PhaseTest, BetweenShootOutKicksTheKeeperReactsAndTakesTheBallBack) {
    Period = 4;
    PenaltiesTaken = 0;
    ShootOutGoals[0] = ShootOutGoals[1] = 0;
    MatchFigures[0].action = MatchFigures[16].action = kActionKeeperReady;
    MatchPhase = kPhaseShootOutControl;
    MatchPhaseTick();
    ASSERT_EQ(MatchPhase, kPhasePenalty);
    // Team 0's kick goes in past team 1's keeper.
    PenaltiesTaken = 1;
    ShootOutGoals[0] = 1;
    BallState.holder = 0;
    MatchPhase = kPhaseShootOutControl;
    MatchPhaseTick();
    EXPECT_EQ(MatchFigures[16].action, kActionCatchReaction);
    EXPECT_GE(MatchFigures[16].actionParam, 9);
    EXPECT_LE(MatchFigures[16].actionParam, 11);
    MatchFigures[16].action = kActionKeeperReady;  // his reaction is over
    MatchPhaseTick();
    EXPECT_EQ(MatchFigures[16].action, kActionKeeperReturnBall);
    EXPECT_EQ(MatchPhase, kPhaseShootOutControl);
    MatchFigures[16].action = kActionKeeperReady;  // the ball is rolled back
    MatchPhaseTick();
    ASSERT_EQ(MatchPhase, kPhasePenalty);
    // Team 1's kick is missed: no reaction from team 0's keeper, who goes for
    // the ball at once, and the taker walks back.
    const int16_t taker = KickOffTaker;
    ASSERT_GE(taker, 17);
    const int16_t homeX = MatchFigures[taker].x, homeY = MatchFigures[taker].y;
    MatchFigures[taker].action = kActionStand;
    MatchFigures[taker].x = 796;
    MatchFigures[taker].y = 330;
    PenaltiesTaken = 2;
    MatchPhase = kPhaseShootOutControl;
    MatchPhaseTick();
    EXPECT_EQ(MatchFigures[0].action, kActionKeeperReturnBall);
    EXPECT_EQ(MatchFigures[taker].action, kActionKeeperHoldWalk);
    EXPECT_EQ(MatchFigures[taker].targetX, homeX);
    EXPECT_EQ(MatchFigures[taker].targetY, homeY);
}

// At the end of a shoot-out one loser in three shows his dejection, and he
// finishes it before the walk off takes him; every winner celebrates.
TEST_F(PhaseTest, DejectedLosersOfAShootOutFinishTheirDejectionFirst) {
    Period = 4;
    int dejected = 0;
    for (int round = 0; round < 5; ++round) {
        for (int figure = 0; figure < kPlayerFigures; ++figure) MatchFigures[figure].action = kActionStand;
        MatchFigures[5].action = kActionWaitTurning;  // a winner who missed his kick
        PenaltiesTaken = 10;
        ShootOutGoals[0] = 5;
        ShootOutGoals[1] = 4;
        MatchPhase = kPhaseShootOutControl;
        PhaseTimer = 0;
        MatchPhaseTick();
        ASSERT_EQ(MatchPhase, kPhasePeriodOver);
        EXPECT_EQ(MatchFigures[5].action, kActionCelebrate);
        MatchPhaseTick();
        for (int slot = 0; slot < 11; ++slot) {
            const uint16_t action = MatchFigures[16 + slot].action;
            EXPECT_TRUE(action == kActionWalkOff || action == kActionKeeperGestureMate) << action;
            if (action == kActionKeeperGestureMate) ++dejected;
        }
    }
    EXPECT_GT(dejected, 0);
}

TEST_F(PhaseTest, F1HeldTogglesOnce) {
    static bool f1;
    MatchHooks.keyIsDown = [](int key) { return key == kKeyF1 && f1; };
    GameInfo.SetTeamU8(1, gameinfo::kHumanManaged, 1);
    f1 = true;
    for (int i = 0; i < 5; ++i) MatchPhaseTick();
    EXPECT_EQ(ChangePending[1], 1);  // only team 1 is human: F1 is its key
    EXPECT_EQ(ChangePending[0], 0);
    f1 = false;
    MatchPhaseTick();
    f1 = true;
    MatchPhaseTick();
    EXPECT_EQ(ChangePending[1], 0);
}

TEST_F(PhaseTest, WaitsAreBounded) {
    MatchPhase = kPhaseWaitReferee;
    ResumePhase = kPhaseFoul;
    RefereeAction = 8;
    testing::internal::CaptureStdout();
    const int ticks = TicksIn(22);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(ticks, kWaitTicksBound);
    EXPECT_EQ(MatchPhase, 1);
    EXPECT_NE(log.find("still not ready"), std::string::npos);
}

TEST_F(PhaseTest, KeeperOutsideHisAreaWithTheBallIsAFoul) {
    AttackDirection = 0;  // team 0 defends low y
    BallState.y = 300;
    MatchFigures[0].x = 796;
    MatchFigures[0].y = 300;
    MatchPhase = kPhaseKeeperHolds;
    EXPECT_EQ(TicksIn(12), 60);
    EXPECT_EQ(MatchPhase, 13);
    PhaseTimer = 0;
    MatchPhase = kPhaseKeeperHolds;
    MatchPhaseTick();
    MatchFigures[0].y = 430;  // carried out of the area
    MatchPhaseTick();
    EXPECT_EQ(MatchPhase, 1);
    EXPECT_EQ(RefereeAction, 9);
    EXPECT_EQ(FoulTeam, 0);
    EXPECT_EQ(FoulY, 430);
}

TEST_F(PhaseTest, KickOffWaitsForEveryoneInHisOwnHalf) {
    AttackDirection = 0;
    KickOffTeam = 1;
    for (int figure = 0; figure < kPlayerFigures; ++figure) {
        MatchFigures[figure].targetY = figure < 16 ? 900 : 1300;
        MatchFigures[figure].formationX = int16_t(796 + 10 * (figure % 16));
        MatchFigures[figure].formationY = 1200;
    }
    MatchFigures[3].targetY = 1150;  // 68 beyond: two steps back, then the set-up goes on
    MatchPhase = kPhaseKickOffSetUp;
    KickOffWaitCount = 4;  // the countdown runs out first
    RunningCount = 2;      // and somebody is still running to his place
    for (int tick = 0; tick < 40; ++tick) MatchPhaseTick();
    EXPECT_EQ(MatchPhase, 25);
    EXPECT_EQ(int(MatchFigures[3].targetY), 1150 - 2 * 32);
    // Nobody runs any more: fifteen ticks later the kick-off pair is picked.
    RunningCount = 0;
    EXPECT_EQ(TicksIn(25), 15);
    EXPECT_EQ(MatchPhase, 29);
    EXPECT_EQ(KickOffTaker, 17);
    EXPECT_EQ(KickOffPartner, 18);
    EXPECT_EQ(BallTeam, 1);
}

TEST_F(PhaseTest, PeriodOverFinishesThePeriod) {
    MatchPhase = kPhasePeriodOver;
    EXPECT_EQ(TicksIn(14) + 0, 5000);  // the phase stays 14; the period is marked finished
    EXPECT_TRUE(MatchFinished);
}

// The whistle that cuts a stoppage short leaves its timer behind; the walk
// off still lasts its full length, so that a late goal's replay is saved.
TEST_F(PhaseTest, APeriodEndedOnALeftoverTimerWaitsItsFullLength) {
    for (int16_t leftover : {int16_t(-1), int16_t(3)}) {
        MatchFinished = 0;
        MatchPhase = kPhaseAfterGoal;
        PhaseTimer = leftover;
        Period = 0;
        Match_EndOfPeriod();
        int ticks = 0;
        while (!MatchFinished && ticks < 5000) {
            MatchPhaseTick();
            ++ticks;
        }
        EXPECT_EQ(ticks, 360) << leftover;
    }
}

TEST_F(PhaseTest, GoalCreditsScorerOrOwnGoal) {
    AttackDirection = 0;
    // A header, not a counted shot, from inside the area: a header goal only.
    LastToucher = 9;
    LastShooter = 255;
    BallState.x = 796, BallState.y = 1990;
    Match_NoteScoringStrike(9, kShotHeaded);
    BallState.y = 2040;  // the high goal: team 0 scores
    MatchPhase = kPhaseGoal;
    ShotTimer = 0;
    MatchPhaseTick();
    EXPECT_EQ(Goals[0], 1);
    EXPECT_EQ(ShotTimer, kGoalShotTicks);  // the goal starts the shot countdown
    EXPECT_EQ(int(MatchFigures[9].goals), 1);
    EXPECT_EQ(MatchFigures[9].counts[kCountHeaderGoals], 1);
    EXPECT_EQ(MatchFigures[9].counts[kCountVolleyGoals], 0);
    EXPECT_EQ(+MatchFigures[9].longShotGoals, 0);
    EXPECT_EQ(MatchPhase, kPhaseAfterGoal);
    EXPECT_EQ(MatchResult.events[0][kEventKind], kEventGoal);
    // A volley from outside the area: a volley and a long-shot goal.
    BallState.y = 1600;
    Match_NoteScoringStrike(9, kShotVolleyed);
    BallState.y = 2040;
    MatchPhase = kPhaseGoal;
    MatchPhaseTick();
    EXPECT_EQ(MatchFigures[9].counts[kCountVolleyGoals], 1);
    EXPECT_EQ(+MatchFigures[9].longShotGoals, 1);
    // His strike was touched since: a plain goal.
    Match_NoteScoringStrike(9, kShotHeaded);
    Match_ClearScoringStrike();
    MatchPhase = kPhaseGoal;
    MatchPhaseTick();
    EXPECT_EQ(int(MatchFigures[9].goals), 3);
    EXPECT_EQ(MatchFigures[9].counts[kCountHeaderGoals], 1);
    EXPECT_EQ(Goals[0], 3);
    LastToucher = 20;
    LastShooter = 255;  // nobody of team 0 shot: his own goal
    MatchPhase = kPhaseGoal;
    MatchPhaseTick();
    EXPECT_EQ(Goals[0], 4);
    EXPECT_EQ(int(MatchFigures[20].ownGoals), 1);
    EXPECT_EQ(MatchResult.events[3][kEventKind], kEventOwnGoal);
}

TEST_F(PhaseTest, TurningTakesTheShortWayThroughZero) {
    MatchFigures[3].facing = 250;
    int steps = 0;
    bool passedZero = false;
    while (MatchFigures[3].facing != 5 && steps < 300) {
        MatchStepPlayerAnim(3, 5);
        passedZero |= MatchFigures[3].facing == 0;
        ASSERT_TRUE(MatchFigures[3].facing >= 250 || MatchFigures[3].facing <= 5);
        ++steps;
    }
    EXPECT_EQ(steps, 11);
    EXPECT_TRUE(passedZero);
}

TEST_F(PhaseTest, OneFrameClipHandsOnAtOnce) {
    MatchFigures[3].frame = 0;
    MatchFigures[3].action = kActionAirBackHeader;
    EXPECT_EQ(MatchSetPlayerAnim(3, 5, 1, kActionTurnWithBallSmallA), 0);
    EXPECT_EQ(int(MatchFigures[3].action), kActionTurnWithBallSmallA);
    MatchFigures[3].frame = 0;
    EXPECT_EQ(MatchTrySetPlayerAnim(3, 7, 1), 1);
    EXPECT_EQ(int(MatchFigures[3].shownFrame), 1);
    MatchFigures[3].facing = 10;
    MatchFigures[3].frame = 3;
    MatchSetPlayerAnimKeepFrame(3, 7, 1, 2);
    EXPECT_EQ(int(MatchFigures[3].frame), 2);
    EXPECT_EQ(int(MatchFigures[3].shownFacing), 74);
    MatchSetPlayerAnimMirrored(3, 7, 1, 2);
    EXPECT_EQ(int(MatchFigures[3].shownFacing), uint16_t((10 - 64) & 255));
}

TEST_F(PhaseTest, WithoutReplacedCountsTheSteppingReadsTheLoadedClips) {
    MotionClip* const loaded = MotionClips;
    std::array<MotionClip, kMotionClipCount> clips{};
    clips[7].frameCount = 3;
    MotionClips = clips.data();
    MatchClipFrameCount = nullptr;
    MatchFigures[3].frame = 1;
    EXPECT_EQ(MatchTrySetPlayerAnim(3, 7, 1), 1);
    EXPECT_EQ(MatchTrySetPlayerAnim(3, 7, 1), 0) << "frame 2 is the last of 3";
    EXPECT_EQ(int(MatchFigures[3].frame), 2);
    MatchSetPlayerAnimKeepFrame(3, 7, 1, 1);
    EXPECT_EQ(int(MatchFigures[3].frame), 1);
    MotionClips = nullptr;
    MatchFigures[3].frame = 0;
    EXPECT_EQ(MatchTrySetPlayerAnim(3, 7, 1), 0) << "with nothing loaded every clip has ended";
    MotionClips = loaded;
}

TEST_F(PhaseTest, AttackChanceNeedsTheRefereesFavour) {
    RefereeFavours = 0;
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(MatchAttackChance(), 0);
    RefereeFavours = 1;
    CurrentTeam = 0;
    int yes = 0;
    for (int i = 0; i < 10000; ++i) yes += MatchAttackChance();
    EXPECT_NEAR(yes, 3000, 200);
}

TEST_F(PhaseTest, OfficialWalksToHisSpotAndStands) {
    MatchFigure& ref = MatchFigures[kRefereeFigure];
    ref.x16 = 700 << 16;
    ref.y16 = 1000 << 16;
    Match_SetPlayerAction(kRefereeFigure, kOfficialWalkToFirstSpot);
    int ticks = 0;
    while (ref.action == kOfficialWalkToFirstSpot && ticks < 1000) {
        MatchOfficialsTick();
        ++ticks;
    }
    EXPECT_EQ(int(ref.action), kOfficialToSecondSpot);
    EXPECT_LT(ticks, 200);
    EXPECT_NEAR(int(ref.y), 1082, 3);
}

TEST_F(PhaseTest, AssistantFetchesTheBallAndThrowsItToTheRestartSpot) {
    // Clips of 10 frames (the throw clip 257 has 70 here so that it reaches
    // the release frame).
    MatchClipFrameCount = [](int32_t clip) -> uint32_t { return clip == 257 ? 70 : 10; };
    BallState.drag = 991;
    BallState.gravity = 40000;
    BallState.bounceKeep = 0.96f;
    BallState.bounceRestitution = 0.52f;
    for (int figure = 0; figure < kPlayerFigures; ++figure) MatchFigures[figure].off = 1;
    MatchFigure& assistant = MatchFigures[kRefereeFigure + 1];
    assistant.x16 = 1562 << 16;
    assistant.y16 = 760 << 16;
    Match_SetPlayerAction(kRefereeFigure + 1, kOfficialFetchBall);
    // Nothing in open play.
    MatchOfficialsTick();
    EXPECT_EQ(+assistant.x16, 1562 << 16);
    // The ball went out over the right touchline and lies by the wall.
    MatchPhase = kPhaseThrowIn;
    ThrowInX = 1434;
    ThrowInY = 800;
    BallState.x = MatchFigures[kBallFigure].x = 1500;
    BallState.y = MatchFigures[kBallFigure].y = 800;
    BallState.x16 = 1500 << 16;
    BallState.y16 = 800 << 16;
    bool held = false, thrown = false;
    for (int tick = 0; tick < 400 && !thrown; ++tick) {
        MatchOfficialsTick();
        Ball_Update();
        held = held || BallState.holder == kRefereeFigure + 2;
        if (held && BallState.holder == 0) thrown = true;
    }
    ASSERT_TRUE(held);
    ASSERT_TRUE(thrown);
    EXPECT_LT(BallState.vx, 0);  // toward the touchline spot
    EXPECT_GT(BallState.vz, 0);
    // He walks back to the middle of his quarter of the line.
    for (int tick = 0; tick < 600; ++tick) MatchOfficialsTick();
    EXPECT_NEAR(int(assistant.x), 1562, 3);
    EXPECT_NEAR(int(assistant.y), 126 + 3 * 1912 / 8, 3);
    EXPECT_EQ(BallState.holder, 0);  // one fetch per restart
    // A restart that goes ahead while he holds the ball makes him drop it.
    MatchPhase = kPhaseOpenPlay;
    MatchOfficialsTick();
    MatchPhase = kPhaseThrowIn;
    BallState.x = MatchFigures[kBallFigure].x = int16_t(assistant.x);
    BallState.y = MatchFigures[kBallFigure].y = int16_t(assistant.y);
    BallState.vx = BallState.vy = BallState.vz = 0;
    MatchOfficialsTick();
    ASSERT_EQ(BallState.holder, kRefereeFigure + 2);
    MatchPhase = kPhaseTakeThrowIn;
    MatchOfficialsTick();
    EXPECT_EQ(BallState.holder, 0);
}

// A sending-off offers the manager his team menu (a request he had made
// stands); the player hears the referee out, then walks off.
TEST_F(PhaseTest, ASendingOffOffersTheMenuAndThePlayerWalksOffAfterListening) {
    GameInfo.SetTeamU8(0, gameinfo::kHumanManaged, 1);
    ChangePending[0] = 1;
    MatchFigures[kRefereeFigure].x16 = 796 << 16;
    MatchFigures[kRefereeFigure].y16 = 1082 << 16;
    Match_RaiseRefereeCall(kOfficialSendingOff, 4);
    for (int tick = 0; tick < 100 && RefereeAction != 0; ++tick) MatchOfficialsTick();
    EXPECT_EQ(RefereeAction, 0);
    EXPECT_EQ(ChangePending[0], 1);
    const MatchFigure& off = MatchFigures[4];
    EXPECT_EQ(off.sentOff, 1);
    EXPECT_EQ(int(off.action), kActionBooked);
    EXPECT_EQ(int(off.officialWord), kActionWalkOff);
}

// The offside free kick: the taker is the outfield player whose place in
// the formation is nearest the ball, wherever he stands now.
TEST_F(PhaseTest, TheOffsideFreeKickGoesToThePlayerPlacedNearestTheBall) {
    AttackDirection = 0;
    OffsideRecord = {700, 1500, 1, 20};  // team 1's player offside: team 0's kick
    for (int figure = 1; figure < 11; ++figure) {
        MatchFigures[figure].formationX = int16_t(200 + 100 * figure);
        MatchFigures[figure].formationY = 900;
    }
    MatchFigures[6].formationY = 1450;  // placed nearest
    MatchFigures[3].x = 700;            // stands nearest
    MatchFigures[3].y = 1500;
    // Team 1's keeper still holds a ball he caught: he lets go of it and
    // makes his gesture on the way to his stance.
    MatchFigures[16].action = kActionKeeperHoldBall;
    BallState.holder = 17;
    MatchPhase = kPhaseOffside;
    TicksIn(kPhaseOffside);
    ASSERT_EQ(MatchPhase, kPhaseFreeKick);
    EXPECT_EQ(BallState.holder, 0);
    EXPECT_EQ(MatchFigures[16].action, kActionKeeperHoldGestureB);
    EXPECT_EQ(MatchFigures[0].action, kActionKeeperReady);
    MatchPhaseTick();
    EXPECT_EQ(int(MatchFigures[6].action), kActionFreeKickFetch);
    EXPECT_NE(int(MatchFigures[3].action), kActionFreeKickFetch);
}

// The ball of an offside free kick, away from where the offside player
// stood, is fetched by the team-mate nearest where it is expected and thrown
// to the place of the kick; the kick stays there though the ball is not yet.
TEST_F(PhaseTest, AnOffsideFreeKicksBallIsFetchedToThePlaceOfTheKick) {
    AttackDirection = 0;
    OffsideRecord = {700, 1500, 1, 20};  // team 0's kick
    for (int figure = 1; figure < 11; ++figure) {
        MatchFigure& f = MatchFigures[figure];
        f.formationX = f.targetX = f.x = int16_t(200 + 100 * figure);
        f.formationY = 900;
        f.targetY = f.y = 600;
    }
    MatchFigures[6].formationY = 1450;  // placed nearest the kick: the taker
    BallState.x = BallState.predicted[2][0] = 400;
    BallState.y = BallState.predicted[2][1] = 520;
    MatchPhase = kPhaseOffside;
    TicksIn(kPhaseOffside);
    ASSERT_EQ(MatchPhase, kPhaseFreeKick);
    EXPECT_EQ(int(MatchFigures[2].action), kActionFetchAndThrow);
    EXPECT_EQ(+BallState.x, 400);
    MatchPhaseTick();
    EXPECT_EQ(int(MatchFigures[6].action), kActionFreeKickFetch);
    EXPECT_EQ(+FoulX, 700);
    EXPECT_EQ(+FoulY, 1500);
}

TEST_F(PhaseTest, ReplayViewingTickOnlyFinishes) {
    GameInfo.SetI16(gameinfo::kCompetition, -1);
    const uint16_t ticks = AllTicks;
    MatchTick();
    EXPECT_TRUE(MatchFinished);
    EXPECT_EQ(AllTicks, ticks);
}

// Each tick steps the sound module once, after the clock and before the
// display's step.
TEST_F(PhaseTest, TheSoundStepsOnceATickAfterTheClock) {
    static std::string steps;
    static uint32_t clockAtSound;
    steps.clear();
    MatchHooks.soundTick = [] {
        steps += 's';
        clockAtSound = PeriodClock;
    };
    MatchHooks.tickDisplayStep = [] { steps += 'd'; };
    MatchClockRunning = 1;
    for (int tick = 0; tick < 3; ++tick) MatchTick();
    EXPECT_EQ(steps, "sdsdsd");
    ASSERT_GT(PeriodClock, 0u);
    EXPECT_EQ(clockAtSound, PeriodClock) << "the clock has run by then";
}

// Two runs from the same state and seed give the same bytes.
TEST_F(PhaseTest, TicksAreDeterministic) {
    auto run = [] {
        GameSeedRandom(99);
        MatchPhase = kPhaseKickOffSetUp;
        MatchClockRunning = 1;
        for (int i = 0; i < 3000; ++i) {
            MatchTick();
            if (i == 100) MatchPhase = kPhaseOpenPlay;
            if (i == 2000) Match_EndOfPeriod();
        }
        return std::vector<uint8_t>(reinterpret_cast<uint8_t*>(&MatchResult),
                                    reinterpret_cast<uint8_t*>(&MatchResult) + sizeof MatchResult);
    };
    const std::vector<uint8_t> first = run();
    SetUp();
    EXPECT_EQ(run(), first);
}

}  // namespace
