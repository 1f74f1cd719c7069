#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/match/actionmachine.h"
#include "core/match/actions.h"
#include "core/match/geometry.h"
#include "core/match/matchengine.h"
#include "core/match/motion.h"
#include "core/match/motionclips.h"
#include "core/match/officials.h"
#include "core/match/phases.h"
#include "core/match/playeractions.h"
#include "tests/core/match/frame_fixture.h"
#include "tests/core/match/match_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using frametest::FrameTest;

// ---------------------------------------------------------------------------
// The tables.

TEST(ActionTables, FlagCensus) {
    std::set<int> highBall;
    for (int code = 0; code < kMatchActionCount; ++code) {
        const MatchActionFlags& flags = MatchActionFlagTable[code];
        EXPECT_LE(flags.headFollowsBall, 1) << code;
        EXPECT_LE(flags.freeToReact, 2) << code;
        if (flags.highBallReaction != 0) highBall.insert(code);
        if (code >= 150) {
            EXPECT_EQ(flags.freeToReact, 0) << "goalkeeper action " << code;
        }
        EXPECT_EQ(MatchActionReactFlag(uint16_t(code)), flags.freeToReact);
    }
    EXPECT_EQ(highBall, (std::set<int>{1, 2, 4, 7, 11, 15, 16}));
    // A few rows read back as the table gives them.
    EXPECT_EQ(MatchActionFlagTable[kActionOnBall].headFollowsBall, 0);
    EXPECT_EQ(MatchActionFlagTable[kActionCross].freeToReact, 2);
    EXPECT_EQ(MatchActionFlagTable[kActionRestartPlace].headFollowsBall, 1);
    EXPECT_EQ(MatchActionFlagTable[kActionEmptyF].freeToReact, 0);
    EXPECT_EQ(MatchActionReactFlag(206), 0);
}

TEST(ActionTables, OneHandlerPerCodeSaveTheSharedOnes) {
    const MatchActionHandler empty = MatchActionTable[kActionNothing];
    EXPECT_EQ(MatchActionTable[kActionEmptyE], empty);
    EXPECT_EQ(MatchActionTable[kActionEmptyG], empty);
    EXPECT_EQ(MatchActionTable[kActionEmptyH], empty);
    for (int code : {kActionEmptyA, kActionEmptyB, kActionEmptyC, kActionEmptyD, kActionEmptyF})
        EXPECT_EQ(MatchActionTable[code], empty) << code;
    EXPECT_EQ(MatchActionTable[kActionSlidingTackleAlt], MatchActionTable[kActionSlidingTackle]);
    std::set<MatchActionHandler> distinct;
    for (int code = 0; code < kMatchActionCount; ++code) {
        EXPECT_NE(MatchActionTable[code], nullptr) << code;
        distinct.insert(MatchActionTable[code]);
    }
    EXPECT_EQ(distinct.size(), size_t(kMatchActionCount - 9));
}

// Checked in every build, not only where assertions are on.
TEST(ActionTablesDeathTest, ActionOutsideTheTableEndsTheProgramNamingIt) {
    EXPECT_FATAL(MatchActionHandlerOf(206), "action code 206 is outside the action table");
    EXPECT_FATAL(Match_SetPlayerAction(7, 300), "Match_SetPlayerAction\\(\\): action code 300");
}

// ---------------------------------------------------------------------------
// Setting actions and the dispatcher.

class ActionMachineTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        for (int figure = 0; figure < kPlayerFigures; ++figure) {
            MatchFigure& f = MatchFigures[figure];
            f.x16 = int32_t(f.x) * 65536;
            f.y16 = int32_t(f.y) * 65536;
            f.action = kActionNothing;  // does nothing
            f.right = 3;
            f.anim = -1;
        }
        RefereeAction = 0;
    }
};

TEST_F(ActionMachineTest, SetPlayerActionResetsTheRunningActionOnly) {
    MatchFigure& f = MatchFigures[7];
    f.frame = 12;
    f.actionWord = f.contactTicks = f.actionParam = f.actionTicks = 4;
    f.hasKicked = f.actionFlag = 1;
    f.anim = 13;
    f.facing = 90;
    Match_SetPlayerAction(7, kActionReceivePass);
    EXPECT_EQ(+f.action, kActionReceivePass);
    EXPECT_EQ(+f.frame, 0);
    EXPECT_EQ(f.actionWord + f.contactTicks + f.actionParam + f.actionTicks + f.hasKicked + f.actionFlag, 0);
    EXPECT_EQ(+f.anim, 13);
    EXPECT_EQ(+f.facing, 90);
    EXPECT_EQ(+f.x, 796);

    const MatchFigure before = MatchFigures[36];
    Match_SetPlayerAction(37, kActionOnBall);
    Match_SetPlayerAction(-1, kActionOnBall);
    EXPECT_EQ(std::memcmp(&before, &MatchFigures[36], sizeof before), 0);
    Match_SetPlayerAction(36, kActionStandOff);
    EXPECT_EQ(+MatchFigures[36].action, kActionStandOff);
}

TEST_F(ActionMachineTest, FiguresOffThePitchAreParkedUnlessTheRefereeHasACall) {
    MatchFigure& f = MatchFigures[12];  // a bench place
    f.action = kActionKnockPast;
    f.x = 500;
    f.x16 = 500 * 65536;
    f.anim = 11;
    RefereeAction = 8;
    Match_UpdatePlayers();
    EXPECT_EQ(+f.action, kActionKnockPast) << "left alone while the referee's call is pending";
    EXPECT_EQ(+f.x, 500);
    RefereeAction = 0;
    Match_UpdatePlayers();
    EXPECT_EQ(+f.action, kActionStand);
    EXPECT_EQ(+f.x, 0);
    EXPECT_EQ(+f.y, 0);
    EXPECT_EQ(+f.x16, 0);
    EXPECT_EQ(+f.anim, -1);
    EXPECT_EQ(+f.off, 1);
}

TEST_F(ActionMachineTest, HolderTakenOffThePitchLosesTheBallThatTick) {
    BallState.holder = 4 + 1;
    BallState.controller = 20 + 1;
    MatchFigures[4].off = 1;
    Match_UpdatePlayers();
    EXPECT_EQ(BallState.holder, 0);
    EXPECT_EQ(BallState.controller, 21) << "the controller is still on the pitch";
    MatchFigures[20].off = 2;
    Match_UpdatePlayers();
    EXPECT_EQ(BallState.controller, 0);
}

TEST_F(ActionMachineTest, ChanceBitsGiveEveryPlayerAUsableFoot) {
    MatchFigure& twoLeft = MatchFigures[2];
    twoLeft.left = twoLeft.right = 0;
    twoLeft.sideB = 3;
    MatchFigure& strongRight = MatchFigures[3];
    strongRight.right = 3;
    strongRight.left = 1;
    int leftSeen = 0;
    for (int tick = 0; tick < 200; ++tick) {
        Match_UpdatePlayers();
        EXPECT_EQ(+twoLeft.rightNow, 1);
        EXPECT_EQ(+twoLeft.leftNow, 0);
        EXPECT_EQ(+twoLeft.middleNow, 1);
        EXPECT_EQ(+strongRight.rightNow, 1);
        leftSeen += strongRight.leftNow;
    }
    EXPECT_GT(leftSeen, 30);
    EXPECT_LT(leftSeen, 110) << "left foot 1 in 3";
}

TEST_F(ActionMachineTest, PositionTruncatesTowardZeroAndActivityIsRecorded) {
    MatchFigure& f = MatchFigures[5];
    f.x16 = -32768;  // -0.5 units
    f.y16 = -3 * 65536 / 2;
    MatchTicks = 0;
    Match_UpdatePlayers();
    EXPECT_EQ(+f.x, 0);
    EXPECT_EQ(+f.y, -1);
    EXPECT_EQ(+f.firstActiveTick, 0u) << "no match tick yet";
    MatchTicks = 40;
    Match_UpdatePlayers();
    MatchTicks = 90;
    Match_UpdatePlayers();
    EXPECT_EQ(+f.firstActiveTick, 40u);
    EXPECT_EQ(+f.lastActiveTick, 90u);
    MatchPhase = kPhaseThrowIn;
    MatchTicks = 120;
    Match_UpdatePlayers();
    EXPECT_EQ(+f.lastActiveTick, 90u) << "only open play counts";
}

TEST_F(ActionMachineTest, DispatcherSetsTheCurrentTeamAndRunsHandlersInOrder) {
    // Waiting (63) stands the player turning toward the ball.
    MatchFigures[1].action = kActionWaitTurning;
    MatchFigures[1].facing = 0;
    MatchFigures[1].ballDirection = 64;
    MatchFigures[1].frame = 0;
    Match_UpdatePlayers();
    EXPECT_EQ(+MatchFigures[1].facing, 1);
    EXPECT_EQ(+MatchFigures[1].anim, 0);
    EXPECT_EQ(CurrentTeam, 1);
    EXPECT_EQ(RunningCount, 0);
}

TEST_F(ActionMachineTest, GroupUpdateRefreshesEightFiguresPerTickPhase) {
    for (int figure = 0; figure < kPlayerFigures; ++figure) MatchFigures[figure].ballDirection = 999;
    BallState.x = 796;
    BallState.y = 500;  // toward smaller y from everybody at 1082
    MatchTickPhase = 2;
    Match_UpdatePlayerGroup();
    for (int figure = 0; figure < kPlayerFigures; ++figure) {
        const bool inGroup = figure >= 8 && figure < 16;
        const bool refreshed = MatchFigures[figure].ballDirection != 999;
        EXPECT_EQ(refreshed, inGroup && +MatchFigures[figure].off == 0) << figure;
    }
    EXPECT_EQ(+MatchFigures[9].ballDirection, 0);
    EXPECT_EQ(CurrentTeam, 0);
    MatchTickPhase = 3;
    Match_UpdatePlayerGroup();
    EXPECT_EQ(CurrentTeam, 1);
    EXPECT_NE(+MatchFigures[24].ballDirection, 999);
}

TEST_F(ActionMachineTest, LastDefenderLineLeavesOutKeeperTouchlinesAndBench) {
    AttackDirection = 0;  // team 0 defends the goal at y 126
    for (int slot = 1; slot <= 10; ++slot) MatchFigures[slot].y = int16_t(600 + slot * 10);
    MatchFigures[0].y = 130;  // the keeper is not counted
    MatchFigures[3].x = 158;  // on the touchline: not counted
    MatchFigures[3].y = 200;
    MatchFigures[4].off = 1;  // off the pitch: not counted
    MatchFigures[4].y = 300;
    MatchTickPhase = 0;
    Match_UpdatePlayerGroup();
    EXPECT_EQ(MatchLastDefenderY[0], 610);
    EXPECT_EQ(MatchLastDefenderY[0], 610);

    for (int slot = 17; slot <= 26; ++slot) MatchFigures[slot].y = int16_t(1500 + slot);
    MatchTickPhase = 1;
    Match_UpdatePlayerGroup();
    EXPECT_EQ(MatchLastDefenderY[1], 1526) << "the other team's line is its largest y";

    for (int slot = 1; slot <= 10; ++slot) MatchFigures[slot].off = 1;
    MatchTickPhase = 0;
    Match_UpdatePlayerGroup();
    EXPECT_EQ(MatchLastDefenderY[0], 10000);
    for (int slot = 17; slot <= 26; ++slot) MatchFigures[slot].x = 1434;
    MatchTickPhase = 1;
    Match_UpdatePlayerGroup();
    EXPECT_EQ(MatchLastDefenderY[1], 0);
}

TEST_F(ActionMachineTest, FreeOnlyUntilHeHasKicked) {
    MatchFigures[6].action = kActionShot;  // a shot: flag 1 is 2
    EXPECT_EQ(MatchPlayerCanAct(6), 1);
    MatchFigures[6].hasKicked = 1;
    EXPECT_EQ(MatchPlayerCanAct(6), 0);
}

// ---------------------------------------------------------------------------
// Geometry.

TEST(Geometry, DirectionsAndDistances) {
    EXPECT_EQ(Match_DirectionTo(0, 0, 0, -10), 0);
    EXPECT_EQ(Match_DirectionTo(0, 0, 10, 0), 64);
    EXPECT_EQ(Match_DirectionTo(0, 0, 0, 10), 128);
    EXPECT_EQ(Match_DirectionTo(0, 0, -10, 0), 192);
    EXPECT_EQ(Match_DirectionTo(5, 5, 5, 5), 0);
    EXPECT_EQ(Match_DirectionTo(0, 0, -1, -400), 0) << "within half a step of zero";
    EXPECT_EQ(Match_DirectionSector(0, 0, 10, 10, 8), 3);
    EXPECT_EQ(Match_DirectionSector(0, 0, -10, 0, 16), 12);
    EXPECT_EQ(MatchDirectionTo(0, 0, 10, 0), 64) << "the rules use the same convention";

    EXPECT_EQ(Match_ApproxDistance(0, 0, 10, 4), 12);
    EXPECT_EQ(Match_ApproxDistance(0, 0, 4, 10), 12);
    EXPECT_EQ(Match_ApproxDistance(0, 0, 7, 7), 10);
    EXPECT_EQ(Match_ApproxDistance(-3, 2, 3, -2), 8);

    Match_VectorFromDirection(64, 100, 256);
    EXPECT_EQ(MatchVecX, 100);
    EXPECT_EQ(MatchVecNY, 0);
    Match_VectorFromDirection(3, 100, 8);  // 135 degrees
    EXPECT_EQ(MatchVecX, 70);
    EXPECT_EQ(MatchVecNY, -70);
}

// The 256-step direction is found from the edges between the steps instead
// of the arc tangent: it must give the arc tangent's step for every vector,
// in every quarter, out to the reach where it hands over (and beyond).
TEST(Geometry, QuickDirectionsAgreeWithTheArcTangent) {
    const int stride = ShortTestRun() ? 7 : 1;
    int mismatches = 0;
    const auto check = [&](int across, int ahead) {
        for (const int sx : {1, -1}) {
            for (const int sy : {1, -1}) {
                const int x = 796 + sx * across, y = 1082 - sy * ahead;
                if (Match_DirectionTo(796, 1082, x, y) != Match_ArcDirectionSector(796, 1082, x, y, 256) &&
                    ++mismatches <= 5) {
                    ADD_FAILURE() << "vector " << sx * across << ", " << sy * ahead;
                }
            }
        }
    };
    for (int a = 0; a <= 1200; a += stride) {
        for (int b = 0; b <= 1200; b += stride) check(a, b);
    }
    // The edge of the reach and past it, where the arc tangent takes over.
    for (int a = 4000; a <= 4200; a += stride) {
        for (int b = 1; b <= 4200; b += 3 * stride) {
            check(a, b);
            check(b, a);
        }
    }
    // The vectors lying closest to each edge between two steps, for every
    // longer side within the reach: where a quick ratio could fall on the
    // wrong side of an edge.
    for (int major = 1; major <= 4096; major += stride) {
        for (int edge = 0; edge < 32; ++edge) {
            const double tangent = std::tan((edge + 0.5) * kFullTurn / 256.0);
            const int below = int(tangent * major);
            for (const int minor : {below, below + 1}) {
                if (minor < 1 || minor > major) continue;
                check(minor, major);
                check(major, minor);
            }
        }
    }
    EXPECT_EQ(mismatches, 0);

    // The vectors of the 256 directions come from a table of the same sines.
    for (int d = 0; d < 256; ++d) {
        const double theta = double(d) * kFullTurn / 256.0;
        Match_VectorFromDirection(d, 1000, 256);
        EXPECT_EQ(MatchVecX, int32_t(std::trunc(1000.0 * std::sin(theta)))) << d;
        EXPECT_EQ(MatchVecNY, int32_t(std::trunc(1000.0 * std::cos(theta)))) << d;
    }
    Match_VectorFromDirection(-64, 100, 256);  // outside the table: worked out
    EXPECT_EQ(MatchVecX, -100);
}

TEST(Geometry, BallInReachNeverAnswersZeroOutOfReach) {
    BallState.z = 50;
    EXPECT_EQ(Match_BallInReach(10, 10, 10, 10, 5, 50), 1) << "at the height limit";
    EXPECT_EQ(Match_BallInReach(10, 10, 10, 10, 5, 51), 0);
    EXPECT_EQ(Match_BallInReach5(0, 0, 5, 0, 100), 0);
    EXPECT_EQ(Match_BallInReach5(0, 0, 6, 0, 100), 7);
    BallState.z = 0;
}

class TurnTest : public FrameTest {};

TEST_F(TurnTest, TurnsTheShortWayRound) {
    MatchFigure& f = MatchFigures[2];
    f.agility = 90;  // 90 / 30 + 3 = 6 a step
    f.frame = 0;
    BallGroundSpeed = 3;
    f.facing = 250;
    Match_TurnPlayerTowards(2, 5, 0);
    EXPECT_EQ(+f.facing, 0) << "up through 255, not down through 128";
    f.facing = 0;
    Match_TurnPlayerTowards(2, 128, 0);
    EXPECT_EQ(+f.facing, 250) << "exactly half a turn apart subtracts";
    f.facing = 10;
    Match_TurnPlayerTowards(2, 14, 0);
    EXPECT_EQ(+f.facing, 14) << "within a step it snaps";
    f.facing = 100;
    BallGroundSpeed = 0;
    Match_TurnPlayerTowards(2, 200, 0);
    EXPECT_EQ(+f.facing, 118) << "three times as fast when the ball is slow";
    Match_TurnPlayerTowards(2, 200, 1);
    EXPECT_EQ(+f.facing, 120);
    Match_TurnPlayerTowards(2, 200, 2);
    EXPECT_EQ(+f.facing, 136);
    f.frame = -1;
    Match_TurnPlayerTowards(2, 33, 1);
    EXPECT_EQ(+f.facing, 33) << "no clip yet: snaps";
}

TEST_F(TurnTest, StepForwardMovesTheCurrentFigure) {
    MatchFigures[2].pace = 100;
    MatchCurX16 = MatchCurY16 = 1000 * 65536;
    Match_StepForward(2, 0, 64);
    EXPECT_EQ(MatchCurX16, 1000 * 65536);
    EXPECT_EQ(MatchCurY16, 1000 * 65536);
    Match_StepForward(2, 100, 64);
    EXPECT_EQ(MatchCurY16, 1000 * 65536) << "direction 64 moves only x";
    EXPECT_EQ(MatchCurX16, 1000 * 65536 + 100000);
    MatchFigures[2].pace = 0;
    MatchCurX16 = MatchCurY16 = 0;
    Match_StepForward(2, 600, 0);
    EXPECT_EQ(MatchCurY16, -500000) << "a sixth slower at pace 0, toward smaller y";
}

// ---------------------------------------------------------------------------
// Root motion over the generated clips.

class RootMotionTest : public FrameTest {
  protected:
    static void SetUpTestSuite() {
        matchtest::MountGameData();
        Motion_LoadAll();
    }
    static void TearDownTestSuite() { Motion_FreeAll(); }
};

TEST_F(RootMotionTest, NoClipOrAnUnknownClipGivesNoMotion) {
    MatchFigure& f = MatchFigures[3];
    MatchRootX = MatchRootY = 99;
    f.anim = -1;
    Match_AnimRootDelta(3, 0);
    EXPECT_EQ(MatchRootX, 0);
    EXPECT_EQ(MatchRootY, 0);
    f.anim = 400;
    f.shownFrame = 2;
    Match_AnimRootDelta(3, 0);
    EXPECT_EQ(MatchRootX, 0);
    EXPECT_EQ(MatchRootY, 0);
    // A frame before the first is read as the first.
    f.anim = kClipRun;
    f.shownFrame = 0;
    Match_AnimRootDelta(3, 0);
    const int32_t x = MatchRootX, y = MatchRootY;
    f.shownFrame = -1;
    Match_AnimRootDelta(3, 0);
    EXPECT_EQ(MatchRootX, x);
    EXPECT_EQ(MatchRootY, y);
}

TEST_F(RootMotionTest, RunningClipMovesForwardAndTheLastFrameUsesTheLastTwo) {
    MatchFigure& f = MatchFigures[3];
    f.anim = kClipRun;
    f.pace = 100;
    const int frames = int(Motion_GetFrameCount(kClipRun));
    ASSERT_GT(frames, 2);
    f.shownFrame = int16_t(frames - 2);
    Match_AnimRootDelta(3, 0);
    const int32_t x = MatchRootX, y = MatchRootY;
    f.shownFrame = int16_t(frames - 1);
    Match_AnimRootDelta(3, 0);
    EXPECT_EQ(MatchRootX, x);
    EXPECT_EQ(MatchRootY, y);

    // Facing 64 (toward larger x): the step is along x.
    f.facing = 64;
    f.shownFrame = 1;
    MatchCurX16 = MatchCurY16 = 0;
    Match_ApplyAnimMotion(3);
    EXPECT_GT(MatchCurX16, 65536) << "more than a unit a tick at running speed";
    EXPECT_LT(std::abs(MatchCurY16), MatchCurX16 / 10);
    f.facing = 0;
    MatchCurX16 = MatchCurY16 = 0;
    const int32_t yStep = Match_ApplyAnimMotionRet(3);
    EXPECT_LT(MatchCurY16, -65536) << "facing 0 runs toward smaller y";
    EXPECT_EQ(yStep, MatchCurY16);
}

TEST_F(RootMotionTest, ChaseRunsToThePointAndGivesWayToAHighBall) {
    MatchFigure& f = MatchFigures[4];
    f.pace = 90;
    f.frame = 0;
    f.anim = -1;
    f.rankDistance = 100;
    f.facing = 128;
    f.x = 400;
    f.y = 400;
    MatchCurX = 400;
    MatchCurY = 400;
    MatchCurX16 = 400 * 65536;
    MatchCurY16 = 400 * 65536;
    BallState.z = 0;
    BallTeam = 0;
    CurrentTeam = 0;
    for (int tick = 0; tick < 40; ++tick) {
        Match_ChaseTarget(4, 400, 1000, 0);
        MatchCurX = int16_t(MatchCurX16 / 65536);
        MatchCurY = int16_t(MatchCurY16 / 65536);
    }
    EXPECT_EQ(+f.facing, 128);
    EXPECT_EQ(+f.anim, kClipRun);
    EXPECT_GT(MatchCurY, 440);
    EXPECT_NEAR(MatchCurX, 400, 3);

    f.rankDistance = 10;
    BallState.z = 300;
    Match_SetPlayerAction(4, kActionRunToPosition);
    Match_ChaseTarget(4, 400, 1000, 0);
    EXPECT_EQ(+f.action, kActionStandOff);
    MatchFigure& keeper = MatchFigures[0];
    keeper.rankDistance = 10;
    keeper.action = kActionKeeperReady;
    Match_ChaseTarget(0, 400, 1000, 0);
    EXPECT_EQ(+keeper.action, kActionKeeperReady) << "the keeper holds still";
    BallState.z = 0;
}

}  // namespace
