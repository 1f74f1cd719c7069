// The restart actions one call at a time: the free kick's styles and curl,
// the set-piece pass's two formulas, the penalty's two scales, the penalty
// placing that waits for the keeper, the walk back, the restart position,
// two fetchers, the hug, the end-of-period reaction, standing off, the
// empty actions, the shoot-out countdowns and the assistant after a flag.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

#include "core/base/random.h"
#include "core/match/actionmachine.h"
#include "core/match/actions.h"
#include "core/match/ballcollide.h"
#include "core/match/geometry.h"
#include "core/match/keeper.h"
#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "core/match/officials.h"
#include "core/match/phases.h"
#include "core/match/setpieces.h"
#include "core/match/shotchoice.h"
#include "tests/core/match/scenario.h"

namespace {

class SetPieceActions : public ::testing::Test {
  protected:
    void SetUp() override {
        scenario::FillTwoClubs(52);
        scenario::StartMatch(5252, 0, 0);
        MatchPhase = kPhaseKickOffSetUp;
        Match_ChooseFormationZone();
        Match_SetFormationTargets();
        scenario::PlaceTeamsOnFormation();
    }
    void TearDown() override { Motion_FreeAll(); }
    // The figure at (x, y) as the dispatcher would hand him to his handler.
    static void Working(int16_t figure, int x, int y, uint16_t action) {
        scenario::PlaceFigure(figure, x, y, action);
        MatchCurX = int16_t(x);
        MatchCurY = int16_t(y);
        MatchCurX16 = int32_t(x) * 65536;
        MatchCurY16 = int32_t(y) * 65536;
        CurrentTeam = uint8_t(figure / kTeamFigures);
    }
    static int GroundLength(int32_t scaleX, int32_t scaleY) {
        const double x = double(BallState.vx) / scaleX, y = double(BallState.vy) / scaleY;
        return int(std::lround(std::sqrt(x * x + y * y)));
    }
};

TEST_F(SetPieceActions, FreeKickAtTheCentreIsNeverChippedAndUncurledOneTimeInFour) {
    for (const int aimX : {796, 900}) {
        int uncurled = 0, chipped = 0, kicks = 0;
        for (int kick = 0; kick < 2000; ++kick) {
            Working(9, 796, 1500, kActionFreeKickShot);
            MatchFigures[9].deadball = 60;
            MatchFigures[9].passing = 60;
            MatchFigures[9].frame = 21;
            scenario::PlaceBall(796, 1510);
            BallState.holder = 0;
            FreeKickAimX = int16_t(aimX);
            FreeKickAimY = 2038;
            MatchPhase = kPhaseFreeKickAtGoal;
            Match_ActFreeKickShot(9);
            ASSERT_EQ(+MatchFigures[9].hasKicked, 1);
            ++kicks;
            uncurled += BallState.swerveTime == 0;
            // Driven 170, chipped 200, hard 215 (the vector's parts truncate).
            const int length = GroundLength(4096, 4096);
            const bool known =
                std::abs(length - 170) <= 2 || std::abs(length - 200) <= 2 || std::abs(length - 215) <= 2;
            EXPECT_TRUE(known) << length;
            chipped += std::abs(length - 200) <= 2;
        }
        if (aimX == 796) {
            EXPECT_EQ(chipped, 0);
            EXPECT_NEAR(double(uncurled) / kicks, 0.25, 0.05);
        } else {
            EXPECT_GT(chipped, kicks / 5);
            EXPECT_EQ(uncurled, 0);
        }
        EXPECT_EQ(MatchPhase, kPhaseOpenPlay);
    }
}

TEST_F(SetPieceActions, SetPiecePassOfTenYardsTakesTheShortFormulaAndOneMoreTheLong) {
    for (const int d : {160, 161}) {
        Working(9, 796, 1000, kActionFreeKickPass);
        MatchFigures[9].actionParam = 1;
        MatchFigures[9].frame = 15;
        scenario::PlaceBall(796, 1000);
        BallState.holder = 0;
        MatchPassTargetX = 796;
        MatchPassTargetY = int16_t(1000 + d);
        Match_ActFreeKickPass(9);
        ASSERT_EQ(+MatchFigures[9].hasKicked, 1) << d;
        const int32_t lift = d == 160 ? 120 * d + 16384 : 100 * d / 3 + 81920;
        const int32_t factor = d == 160 ? 2400 - 2 * d : 1600 - d / 2;
        EXPECT_EQ(BallState.vz, lift * 10) << d;
        EXPECT_EQ(BallState.vy, d * factor) << d;
        EXPECT_EQ(SetPieceKickDistance, d);
        EXPECT_EQ(SetPieceCountdown, 70);
    }
}

TEST_F(SetPieceActions, PenaltyScalesItsGroundSpeedDifferentlyAlongAndAcross) {
    Working(9, 796, 1830, kActionPenaltyKick);
    MatchFigures[9].actionParam = 1;
    MatchFigures[9].frame = 21;
    MatchFigures[9].deadball = 70;
    scenario::PlaceBall(796, 1846);
    BallState.holder = 0;
    FreeKickAimX = 760;
    FreeKickAimY = 2038;
    Match_ActPenaltyKick(9);
    ASSERT_EQ(+MatchFigures[9].hasKicked, 1);
    const uint16_t direction = Match_DirectionTo(796, 1846, FreeKickAimX, FreeKickAimY) & 255;
    Match_VectorFromDirection(direction, 70 + 120, 256);
    EXPECT_EQ(BallState.vx, MatchVecX * 4864);
    EXPECT_EQ(BallState.vy, -MatchVecNY * 5120);
    EXPECT_EQ(PenaltyKickTaker, 9);
    EXPECT_EQ(MatchFigures[9].counts[kCountPenaltiesTaken], 1);
}

TEST_F(SetPieceActions, PenaltyWaitsForTheKeeperOnHisLineButNotForEver) {
    AttackDirection = 0;  // team 0 attacks the high goal
    FoulX = 796;
    FoulY = 1846;
    scenario::PlaceBall(796, 1846);
    scenario::PlaceFigure(MatchLineUp[1][0], 796, 1990, kActionKeeperReady);  // 48 off his line
    scenario::PlaceFigure(5, 700, 1800, kActionRunToPosition);                // in the area: to be cleared
    PenaltyPlaceWait = 0;
    for (int tick = 0; tick < 998; ++tick) {
        Working(9, 760, 1700, kActionPenaltyPlace);
        Match_ActPenaltyPlace(9);
        ASSERT_EQ(MatchCurX, 760) << tick;
        ASSERT_EQ(BallState.controller, 0) << "idle while the keeper is off his line";
    }
    Working(9, 760, 1700, kActionPenaltyPlace);
    Match_ActPenaltyPlace(9);
    Working(9, 760, 1700, kActionPenaltyPlace);
    Match_ActPenaltyPlace(9);
    EXPECT_EQ(BallState.controller, 10) << "after 1000 ticks he carries the ball to the spot";
}

TEST_F(SetPieceActions, PlacedPenaltyLeavesTheKeeperToChooseHisNextReleaseAfresh) {
    const int16_t keeper = MatchLineUp[1][0];
    auto distribute = [&] {
        Working(keeper, 796, 1990, kActionKeeperDistribute);
        BallState.holder = int16_t(keeper + 1);
        Match_ActKeeperDistribute(keeper);
    };
    distribute();  // chooses
    distribute();  // releases: the kind stays that of a release
    ASSERT_EQ(KeeperKickPower, -1);
    FoulX = 796;
    FoulY = 1846;
    scenario::PlaceBall(796, 1846);
    PenaltyPlaceWait = 5000;
    Working(9, 796, 1846, kActionPenaltyPlace);
    MatchFigures[9].hasKicked = 2;
    Match_ActPenaltyPlace(9);
    ASSERT_EQ(MatchFigures[9].action, kActionPenaltyRunUp);
    EXPECT_EQ(KeeperKickPower, 8);
    distribute();
    EXPECT_EQ(KeeperKickPower, 0) << "the changed kind reset the preparation";
}

TEST_F(SetPieceActions, FreeKickWaitsAtMostAThousandTicksForPlayersToRetreat) {
    FoulX = 700;
    FoulY = 1200;
    scenario::PlaceBall(700, 1200);
    MatchPhase = kPhaseFreeKick;
    FreeKickAimX = 796;
    FreeKickAimY = 1700;
    // An opponent who never moves stands five yards from the ball.
    scenario::PlaceFigure(20, 700, 1280, kActionStand);
    MatchFigures[20].ballDistance = 80;
    FreeKickWaitCount = 0;
    int calls = 0;
    do {
        Working(9, 700, 1190, kActionFreeKickPlace);
        MatchFigures[9].hasKicked = 2;  // the ball is placed
        Match_ActFreeKickPlace(9);
        ++calls;
    } while (MatchFigures[9].action == kActionFreeKickPlace && calls < 2000);
    EXPECT_EQ(calls, 1000) << "taken once the wait has run out";
    EXPECT_TRUE(MatchFigures[9].action == kActionFreeKickShotRunUp ||
                MatchFigures[9].action == kActionFreeKickPass)
        << MatchFigures[9].action;
}

TEST_F(SetPieceActions, TheWallAtAFreeKickAtGoalSendsTheKeeperToHisPost) {
    // Team 0's taker has picked the ball up at a free kick at goal on the
    // left, in front of team 1's goal at y 2038.
    FoulX = 700;
    FoulY = 1760;
    FoulTeam = 1;
    scenario::PlaceBall(700, 1760);
    MatchPhase = kPhaseFreeKickAtGoal;
    KeeperPostTicks = 0;
    Working(9, 700, 1760, kActionFreeKickFetch);
    MatchFigures[9].hasKicked = 2;
    Match_ActFreeKickFetch(9);
    EXPECT_EQ(KeeperPostTicks, 1) << "the wall is lined up";
    // A wall player standing at his place keeps the guard going.
    int16_t wall = -1;
    for (int16_t figure = kTeamFigures; figure < kPlayerFigures && wall < 0; ++figure) {
        if (MatchFigures[figure].action == kActionWall) wall = figure;
    }
    ASSERT_GE(wall, 0);
    const uint16_t slot = MatchFigures[wall].actionParam;
    Working(wall, MatchFigures[wall].aimX, MatchFigures[wall].aimY, kActionWall);
    MatchFigures[wall].actionParam = slot;
    Match_ActWallPlayer(wall);
    EXPECT_EQ(KeeperPostTicks, 2);
    // The keeper in his stance runs for the post on the kick's side.
    const int16_t keeper = MatchLineUp[1][0];
    Working(keeper, 796, 2024, kActionKeeperReady);
    Match_ActKeeperReady(keeper);
    EXPECT_LT(MatchCurX16, 796 * 65536);
    EXPECT_EQ(KeeperPostTicks, 1);
}

TEST_F(SetPieceActions, ThrowPowerPicksTheShortOrLongThrowAndNeverPassesEighty) {
    for (const int distance : {100, 2000}) {
        Working(3, 158, 900, kActionThrowInChoose);
        ThrowInX = 158;
        ThrowInY = 900;
        MatchFigures[kSpareFigure].frame = 13;  // choosing already
        MatchFigures[kSpareFigure].x = int16_t(158 + distance / 4);
        MatchFigures[kSpareFigure].y = int16_t(900 + distance);
        RestartTakerTimer = 2;
        RestartReceiver = -1;
        ThrowWaitBudget = 600;
        Match_ActThrowInChoose(3);
        const uint16_t action = MatchFigures[3].action;
        if (distance == 2000) {
            EXPECT_EQ(ThrowPower, 80) << "capped";
            EXPECT_EQ(action, 41) << "the long throw";
        } else {
            EXPECT_LT(ThrowPower, 50);
            EXPECT_EQ(action, 108) << "the short throw";
        }
        EXPECT_EQ(MatchFigures[kSpareFigure].y, kMarkerParkedY);
    }
}

TEST_F(SetPieceActions, WalkBackWithParameterTwoStandsTwoHundredTicks) {
    Working(7, 500, 900, kActionWalkBack);
    MatchFigures[7].actionParam = 2;
    for (int tick = 1; tick < 200; ++tick) {
        Match_ActWalkBack(7);
        ASSERT_EQ(MatchFigures[7].action, kActionWalkBack) << tick;
    }
    EXPECT_EQ(MatchCurX, 500);
    Match_ActWalkBack(7);
    EXPECT_EQ(MatchFigures[7].action, kActionRunToPosition);
}

TEST_F(SetPieceActions, RestartPositionReachedOnlyTurnsUntilOpenPlay) {
    Working(7, 500, 900, kActionRestartPlace);
    MatchFigures[7].targetX = 503;
    MatchFigures[7].targetY = 900;
    MatchFigures[7].facing = 10;
    MatchFigures[7].turnTarget = 20;
    MatchPhase = kPhaseFreeKick;
    Match_ActRestartPlace(7);
    EXPECT_EQ(MatchCurX, 500);
    EXPECT_EQ(+MatchFigures[7].facing, 11);
    EXPECT_EQ(MatchFigures[7].action, kActionRestartPlace);
    MatchPhase = kPhaseOpenPlay;
    Match_ActRestartPlace(7);
    EXPECT_EQ(MatchFigures[7].action, kActionRunToPosition);
}

TEST_F(SetPieceActions, OfTwoFetchersTheFirstOwnsTheBallAndTheOtherRunsOff) {
    FoulX = 600;
    FoulY = 900;
    scenario::PlaceBall(1440, 900);
    RestartBallOwner = 0;
    Working(3, 1430, 900, kActionFetchAndThrow);
    Match_ActFetchAndThrow(3);
    EXPECT_EQ(RestartBallOwner, 4);
    Working(4, 1436, 905, kActionFetchAndThrow);
    Match_ActFetchAndThrow(4);
    EXPECT_EQ(MatchFigures[4].action, kActionRunToPosition);
    EXPECT_EQ(RestartBallOwner, 4);
}

TEST_F(SetPieceActions, MateNearTheScorerJoinsTheHugAtOnce) {
    GoalScorer = 9;
    CelebrationSwitch = 1;
    scenario::PlaceFigure(9, 800, 1900, kActionGoalCelebration);
    Working(8, 812, 1900, kActionJoinScorer);
    Match_ActJoinScorer(8);
    EXPECT_EQ(+MatchFigures[8].actionParam, 1) << "12 is within any r + 24";
    EXPECT_EQ(MatchFigures[8].anim, 157);
    CelebrationSwitch = 0;
    Match_ActJoinScorer(8);
    EXPECT_EQ(MatchFigures[8].action, kActionRunToPosition) << "the celebration is over";
}

// Over many goals a scorer plays every stage of the celebration but those
// left to a shoot-out scorer's team-mates, and the kind of goal (levelling,
// one ahead, further ahead) decides among stages of its own.
TEST_F(SetPieceActions, ScorersPlayEveryStageButTheShootOutMatesAndEachKindItsOwn) {
    std::set<uint16_t> byLead[3], all;
    const int leads[3] = {0, 1, 2};
    for (int kind = 0; kind < 3; ++kind) {
        Goals[0] = int16_t(1 + leads[kind]);
        Goals[1] = 1;
        for (uint32_t seed = 1; seed <= 300; ++seed) {
            GameSeedRandom(seed);
            Match_StartGoalCelebration(0, 9);
            ASSERT_EQ(MatchFigures[9].action, kActionGoalCelebration);
            byLead[kind].insert(MatchFigures[9].actionParam);
            all.insert(MatchFigures[9].actionParam);
        }
    }
    const std::set<uint16_t> expected = {kStageHug,        kStageQuarterRunA,   kStageCornerRunA,
                                         kStageOnTheSpotA, kStageCornerRunB,    kStageOnTheSpotB,
                                         kStageOnTheSpotC, kStageOnTheSpotD,    kStageQuarterRunD,
                                         kStageGoalLine,   kStageTeamOnTheSpot, kStageTouchline};
    EXPECT_EQ(all, expected);
    for (int a = 0; a < 3; ++a) {
        for (int b = a + 1; b < 3; ++b) {
            for (uint16_t stage : byLead[a]) EXPECT_EQ(byLead[b].count(stage), 0u) << stage;
        }
    }
    Goals[0] = Goals[1] = 0;
    CelebrationSwitch = 0;
}

// In a shoot-out a team-mate who has joined the scorer holds on at the
// quarter point while the celebration runs, and ends his stage once the
// scorer's own stage has ended it: the hold never outlasts it.
TEST_F(SetPieceActions, AShootOutMateHoldsOnOnlyWhileTheCelebrationRuns) {
    Period = 4;
    GoalScorer = 9;
    CelebrationSwitch = 1;
    for (const uint16_t stage : {kStageQuarterRunB, kStageSpread}) {
        Working(8, 700, 260, kActionGoalCelebration);
        MatchFigures[8].actionParam = stage;
        MatchFigures[8].hasKicked = 1;  // at his point, his clip at its end
        MatchFigures[8].frame = 200;
        Match_ActGoalCelebration(8);
        EXPECT_EQ(MatchFigures[8].action, kActionGoalCelebration) << stage;
        EXPECT_EQ(+MatchFigures[8].actionParam, kStageQuarterHold) << stage;
    }
    CelebrationSwitch = 0;
    MatchFigures[8].hasKicked = 1;
    MatchFigures[8].frame = 200;
    Match_ActGoalCelebration(8);
    EXPECT_EQ(MatchFigures[8].action, kActionRunToPosition);
    Period = 0;
}

TEST_F(SetPieceActions, EndOfPeriodReactionWithAnUnknownVariantWaits) {
    Working(7, 500, 900, kActionPeriodEndReactionB);
    MatchFigures[7].actionParam = 2;
    MatchFigures[7].anim = -1;
    MatchFigures[7].frame = 3;
    Match_ActPeriodEndReaction(7);
    EXPECT_EQ(MatchFigures[7].action, kActionPeriodEndReactionB);
    EXPECT_EQ(MatchFigures[7].anim, -1);
    EXPECT_EQ(MatchFigures[7].frame, 3);
    MatchFigures[7].actionParam = 1;
    for (int tick = 0; tick < 200 && MatchFigures[7].action == kActionPeriodEndReactionB; ++tick)
        Match_ActPeriodEndReaction(7);
    EXPECT_EQ(MatchFigures[7].action, kActionToTunnel) << "then he walks off";
    EXPECT_LT(+MatchFigures[7].actionParam, 6);
}

TEST_F(SetPieceActions, StandingOffGivesWayOnceHisTeamHasTheBall) {
    MatchPhase = kPhaseOpenPlay;
    AttackDirection = 0;  // team 1 attacks the low goal
    scenario::PlaceFigure(20, 700, 1100, kActionOnBall);
    TeamChallenger[1] = 20;
    // Standing off to the side of the challenger's way to goal: he goes in.
    BallTeam = 1;
    Working(5, 1100, 1000, kActionStandOff);
    MatchFigures[5].frame = 5;
    Match_ActStandOff(5);
    EXPECT_EQ(MatchFigures[5].action, kActionThink);
    // His own team wins the ball: he runs to his place.
    BallTeam = 0;
    Working(5, 700, 1000, kActionStandOff);
    MatchFigures[5].frame = 5;
    Match_ActStandOff(5);
    EXPECT_EQ(MatchFigures[5].action, kActionRunToPosition);
    // Nobody of theirs challenges.
    BallTeam = 1;
    TeamChallenger[1] = kNoChallenger;
    Working(5, 700, 1000, kActionStandOff);
    MatchFigures[5].frame = 5;
    Match_ActStandOff(5);
    EXPECT_EQ(MatchFigures[5].action, kActionRunToPosition);
}

TEST_F(SetPieceActions, APauseHandsOverToItsStoredActionOrStandsAtOnceWhenThatIsAPause) {
    Working(7, 612, 834, kActionPause);
    MatchFigures[7].officialWord = kActionRestartPlace;
    for (int tick = 0; tick < 400 && MatchFigures[7].action == kActionPause; ++tick) Match_ActPause(7);
    EXPECT_EQ(MatchFigures[7].action, kActionRestartPlace) << "the pause clip ends in the stored action";
    Working(7, 612, 834, kActionPause);
    MatchFigures[7].officialWord = kActionPause;
    Match_ActPause(7);
    EXPECT_EQ(MatchFigures[7].action, kActionStand) << "a pause after a pause: he stands on the first tick";
}

TEST_F(SetPieceActions, EmptyActionsLeaveTheFigureAsItIs) {
    for (const uint16_t code : {kActionNothing, kActionEmptyA, kActionEmptyB, kActionEmptyC, kActionEmptyD,
                                kActionEmptyE, kActionEmptyF, kActionEmptyG, kActionEmptyH}) {
        Working(7, 612, 834, code);
        MatchFigures[7].frame = 9;
        MatchFigures[7].facing = 33;
        MatchActionHandlerOf(code)(7);
        EXPECT_EQ(MatchFigures[7].action, code);
        EXPECT_EQ(MatchFigures[7].frame, 9) << code;
        EXPECT_EQ(+MatchFigures[7].facing, 33) << code;
        EXPECT_EQ(MatchCurX, 612) << code;
    }
}

TEST_F(SetPieceActions, ShootOutGoalReactionRunsOutAndTheAssistantFetchesAgainAfterAFlag) {
    MatchPhase = 16;  // a phase that does nothing of its own
    ShootOutDecision[0] = ShootOutDecision[1] = 100;
    for (int tick = 0; tick < 99; ++tick) MatchPhaseTick();
    EXPECT_EQ(ShootOutDecision[0], 1);
    MatchPhaseTick();
    EXPECT_EQ(ShootOutDecision[0], 0);
    EXPECT_EQ(ShootOutDecision[1], 0);
    MatchPhaseTick();
    EXPECT_EQ(ShootOutDecision[0], 0) << "never below 0";

    Match_SetPlayerAction(kRefereeFigure + 1, kOfficialTurnAndStandA);
    MatchPhase = kPhaseOffside;
    MatchOfficialsTick();
    EXPECT_EQ(MatchFigures[kRefereeFigure + 1].action, kOfficialTurnAndStandA)
        << "flag up while the offside is given";
    MatchPhase = kPhaseOpenPlay;
    MatchOfficialsTick();
    EXPECT_EQ(MatchFigures[kRefereeFigure + 1].action, kOfficialFetchBall)
        << "back to fetching the balls that go out";
}

}  // namespace
