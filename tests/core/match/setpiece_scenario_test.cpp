// Restarts played out by the real actions: throw-ins, corners, the wall,
// penalties, the kick-off after a goal with its celebration, the
// substitute's walk on and off, and whole matches that restart many times
// without stalling.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/match/actions.h"
#include "core/match/ballcollide.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/matchphases.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/phases.h"
#include "core/match/playeractions.h"
#include "core/match/replay.h"
#include "core/match/setpieces.h"
#include "core/match/shotchoice.h"
#include "core/match/strikes.h"
#include "core/match/teamjobs.h"
#include "core/match/teamsetup.h"
#include "core/match/wholematch.h"
#include "tests/core/match/scenario.h"
#include "tests/fakes/result_check.h"

namespace {

using namespace gameinfo;

class SetPieceScenario : public ::testing::Test {
  protected:
    void SetUp() override {
        scenario::FillTwoClubs(41);
        scenario::StartMatch(4242, 0, 0);
        FormUp();
        scenario::StartOpenPlay(0);
        RestartStallCount = 0;
    }
    // Both teams on their formation places for the current ends.
    static void FormUp() {
        MatchPhase = kPhaseKickOffSetUp;
        Match_ChooseFormationZone();
        Match_SetFormationTargets();
        scenario::PlaceTeamsOnFormation();
    }
    void TearDown() override {
        MatchHooks = MatchDisplayHooks{};
        Motion_FreeAll();
    }
    // Runs until the phase is open play again (or the bound); the ticks run.
    static int RunUntilOpenPlay(int bound) {
        int ticks = 0;
        while (ticks < bound && MatchPhase != kPhaseOpenPlay) {
            MatchTick();
            ++ticks;
        }
        return ticks;
    }
    static int TeamOfFigure(int figure) { return figure / kTeamFigures; }
};

// ---------------------------------------------------------------------------
// Throw-ins.

TEST_F(SetPieceScenario, ThrowerCarriesTheBallToTheLineAndThrowsToAMate) {
    // Out over the left touchline off a player of team 1: team 0 throws.
    scenario::PlaceBall(150, 900);
    ThrowInX = 158;
    ThrowInY = 900;
    LastToucher = 20;
    RestartTeam = 0;
    MatchPhase = kPhaseThrowIn;
    PhaseTimer = 0;
    int thrower = -1;
    int16_t releaseX = 0, releaseY = 0;
    bool marker[kPlayerFigures] = {};
    for (int tick = 0; tick < 4000 && MatchPhase != kPhaseOpenPlay; ++tick) {
        MatchTick();
        for (int figure = 0; figure < kPlayerFigures; ++figure) {
            const uint16_t action = MatchFigures[figure].action;
            if (action == kActionThrowInFetch || action == kActionThrowInChoose) thrower = figure;
            if (action == kActionRestartPlace && TeamOfFigure(figure) == 1) marker[figure] = true;
        }
        if (thrower >= 0) {
            releaseX = MatchFigures[thrower].x;
            releaseY = MatchFigures[thrower].y;
        }
    }
    ASSERT_EQ(MatchPhase, kPhaseOpenPlay) << "the throw restarts play";
    ASSERT_GE(thrower, 0);
    EXPECT_EQ(TeamOfFigure(thrower), 0);
    EXPECT_EQ(LastToucher, thrower);
    // He threw from the line (a short run-up back from the spot at most).
    EXPECT_LE(std::abs(releaseX - 158), 80);
    EXPECT_LE(std::abs(releaseY - 900), 80);
    EXPECT_GT(BallState.vx, 0) << "into the pitch";
    EXPECT_GT(BallState.z + BallState.vz, 0);
    ASSERT_GE(RestartReceiver, 0);
    EXPECT_EQ(TeamOfFigure(RestartReceiver), 0);
    EXPECT_NE(RestartReceiver, thrower);
    // The next touch is a mate's, unless a marker sent to the throw cut it
    // out.
    for (int tick = 0; tick < 300 && LastToucher == thrower; ++tick) MatchTick();
    EXPECT_NE(LastToucher, thrower);
    EXPECT_TRUE(TeamOfFigure(LastToucher) == 0 || marker[LastToucher]) << LastToucher;
    EXPECT_EQ(RestartStallCount, 0);
}

// The thrower is the first of the side's slots 1 to 3 still on the pitch,
// else slot 4; the keeper (slot 0) stays in his goal.
TEST_F(SetPieceScenario, TheThrowerComesFromTheSidesFirstSlots) {
    ThrowInX = 158;
    ThrowInY = 900;
    const auto thrower = [] { return Match_StartThrowIn(1); };
    EXPECT_EQ(thrower(), MatchLineUp[1][1]);
    EXPECT_EQ(MatchFigures[MatchLineUp[1][1]].action, kActionThrowInFetch);
    MatchFigures[MatchLineUp[1][1]].off = 1;
    EXPECT_EQ(thrower(), MatchLineUp[1][2]);
    MatchFigures[MatchLineUp[1][2]].off = 1;
    MatchFigures[MatchLineUp[1][3]].off = 1;
    EXPECT_EQ(thrower(), MatchLineUp[1][4]);
    MatchFigures[MatchLineUp[1][4]].off = 1;
    const int16_t last = thrower();
    ASSERT_GE(last, kTeamFigures);
    EXPECT_NE(last, MatchLineUp[1][0]) << "never the keeper";
    EXPECT_EQ(MatchFigures[last].off, 0);
}

// When the throw-in is set up, a thrower's mate and an opponent goal-side
// of him run to a place near the throw, pair by pair: one pair always, a
// second and a third by chance.
TEST_F(SetPieceScenario, AThrowInGathersItsPairs) {
    ThrowInX = 1434;
    ThrowInY = 700;
    const int upfield = AttackDirection == 0 ? 1 : -1;  // toward the goal team 0 attacks
    int withPairs[4] = {};
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        for (int16_t figure = 0; figure < kPlayerFigures; ++figure)
            Match_SetPlayerAction(figure, kActionStand);
        scenario::PlaceBall(ThrowInX + 6, ThrowInY);
        GameSeedRandom(seed);
        RestartTeam = 0;
        MatchPhase = kPhaseThrowIn;
        PhaseTimer = 0;
        for (int tick = 0; tick < 200 && MatchPhase == kPhaseThrowIn; ++tick) MatchPhaseTick();
        ASSERT_EQ(MatchPhase, kPhaseTakeThrowIn);
        std::vector<int> placed[2];
        for (int figure = 0; figure < kPlayerFigures; ++figure) {
            if (MatchFigures[figure].action == kActionRestartPlace)
                placed[TeamOfFigure(figure)].push_back(figure);
        }
        ASSERT_EQ(placed[0].size(), placed[1].size()) << "seed " << seed;
        ASSERT_GE(placed[0].size(), 1u) << "seed " << seed;
        ASSERT_LE(placed[0].size(), 3u);
        ++withPairs[placed[0].size()];
        for (size_t k = 0; k < placed[0].size(); ++k) {
            const MatchFigure& man = MatchFigures[placed[0][k]];
            EXPECT_NE(placed[0][k], MatchLineUp[0][0]) << "no keeper";
            EXPECT_NE(placed[1][k], MatchLineUp[1][0]) << "no keeper";
            // Near the throw, inside the pitch.
            EXPECT_LE(MatchOctDistance(man.targetX - ThrowInX, man.targetY - ThrowInY), 20 * 16);
            EXPECT_LT(man.targetX, ThrowInX);
            // His marker at his shoulder, goal-side.
            int markers = 0;
            for (int other : placed[1]) {
                const MatchFigure& marker = MatchFigures[other];
                markers += marker.targetX == man.targetX && marker.targetY - man.targetY == upfield * 32;
            }
            EXPECT_EQ(markers, 1) << "seed " << seed;
        }
    }
    EXPECT_GT(withPairs[1], 0);
    EXPECT_GT(withPairs[3], 0);
    EXPECT_GT(withPairs[2], withPairs[3]);
    EXPECT_GT(withPairs[3], withPairs[1]);
}

TEST_F(SetPieceScenario, ATakerWhoseTeamTrailsRunsWithTheBallAndOtherwiseWalks) {
    for (const bool behind : {true, false}) {
        Goals[0] = 0;
        Goals[1] = behind ? 1 : 0;
        scenario::PlaceFigure(5, 400, 900, kActionThrowInFetch);
        MatchFigures[5].hasKicked = 2;  // picked up: carrying
        scenario::PlaceBall(404, 900);
        ThrowInX = 158;
        ThrowInY = 1000;
        MatchPhase = kPhaseTakeThrowIn;
        MatchCurX = 400;
        MatchCurY = 900;
        MatchCurX16 = 400 * 65536;
        MatchCurY16 = 900 * 65536;
        Match_ActThrowInFetch(5);
        EXPECT_EQ(MatchFigures[5].anim, behind ? 13 : 7) << behind;
        EXPECT_EQ(BallState.z, behind ? 70 : 0) << behind;
        EXPECT_EQ(BallState.controller, behind ? 0 : 6) << behind;
    }
}

// ---------------------------------------------------------------------------
// Corners.

TEST_F(SetPieceScenario, CornerIsCrossedIntoTheArea) {
    // Over the low goal line off team 1's defender: team 0 takes the corner.
    AttackDirection = 1;  // team 0 attacks the low goal
    FormUp();
    scenario::PlaceBall(1440, 120);
    RestartTeam = 0;
    MatchPhase = kPhaseCorner;
    PhaseTimer = 0;
    RunUntilOpenPlay(4000);
    ASSERT_EQ(MatchPhase, kPhaseOpenPlay);
    ASSERT_TRUE(RestartKicker >= 0 && RestartKicker < kTeamFigures) << RestartKicker;
    const MatchFigure& taker = MatchFigures[RestartKicker];
    EXPECT_EQ(taker.counts[kCountCornersTaken], 1);
    EXPECT_LE(std::abs(taker.x - 1430), 80) << "struck from the corner";
    // The ball's flight reaches the penalty area.
    bool inArea = false;
    for (int tick = 0; tick < 200 && !inArea; ++tick) {
        MatchTick();
        inArea = BallState.x >= kAreaLeftX && BallState.x <= kAreaRightX && BallState.y <= kAreaLowY;
    }
    EXPECT_TRUE(inArea);
    EXPECT_EQ(RestartStallCount, 0);
}

TEST_F(SetPieceScenario, CornerWithNobodyInTheAreaIsTakenAndTheNearestMateReceives) {
    AttackDirection = 1;
    // Every team-mate far up the pitch: no acceptable receiver.
    for (int slot = 0; slot <= 10; ++slot)
        scenario::PlaceFigure(int16_t(slot), 300 + 80 * slot, 1300, kActionStand);
    scenario::PlaceFigure(8, 1430, 130, kActionCornerChoose);
    scenario::PlaceBall(1430, 130);
    MatchPhase = kPhaseTakeCorner;
    MatchFigures[kSpareFigure].frame = -1;
    RestartReceiver = -1;
    int ticks = 0;
    while (MatchFigures[8].action == kActionCornerChoose && ticks++ < 300) MatchTick();
    EXPECT_EQ(RestartReceiver, -1) << "nobody acceptable was chosen";
    while (MatchPhase != kPhaseOpenPlay && ticks++ < 600) MatchTick();
    ASSERT_EQ(MatchPhase, kPhaseOpenPlay) << "the kick still happens";
    ASSERT_GT(RestartReceiver, 0);
    EXPECT_EQ(TeamOfFigure(RestartReceiver), 0) << "the nearest mate to the target receives";
}

// ---------------------------------------------------------------------------
// Free kicks and the wall.

TEST_F(SetPieceScenario, WallOfThreeStandsTenYardsOffAndOneYardApart) {
    AttackDirection = 0;  // team 0 attacks the high goal; team 1 defends it
    FoulTeam = 1;
    FoulX = 796;
    FoulY = 1500;
    Match_LineUpWall(3);
    std::vector<int> wall;
    for (int figure = kTeamFigures; figure < kPlayerFigures; ++figure)
        if (MatchFigures[figure].action == kActionWall) wall.push_back(figure);
    ASSERT_EQ(wall.size(), 3u);
    int16_t xs[3] = {};
    for (int figure : wall) {
        const MatchFigure& f = MatchFigures[figure];
        ASSERT_LT(+f.actionParam, 3);
        xs[f.actionParam] = f.aimX;
        EXPECT_EQ(+f.aimY, 1500 + 160) << "ten yards toward the goal";
    }
    EXPECT_EQ(xs[0], 796);
    EXPECT_EQ(std::abs(xs[1] - 796), 16);
    EXPECT_EQ(xs[1] + xs[2], 2 * 796) << "the second and third on either side";
    // A fourth place stands two yards to the side of the second.
    Match_LineUpWall(4);
    int fourth = -1;
    for (int figure = kTeamFigures; figure < kPlayerFigures; ++figure) {
        const MatchFigure& f = MatchFigures[figure];
        if (f.action == kActionWall && f.actionParam == 3) fourth = figure;
    }
    ASSERT_GE(fourth, 0);
    EXPECT_EQ(MatchFigures[fourth].aimX - 796, 2 * (xs[1] - 796));
    // The wall walks there while play is stopped and stands ten yards off
    // (play held up with nobody sent to restart it).
    MatchPhase = kPhaseUnusedA;
    PhaseTimer = 1;
    for (int tick = 0; tick < 1500; ++tick) MatchTick();
    for (int figure : wall) {
        const MatchFigure& f = MatchFigures[figure];
        EXPECT_EQ(f.action, kActionWall);
        EXPECT_GE(Match_ApproxDistance(f.x, f.y, FoulX, FoulY), 150) << figure;
    }
}

// A free kick out of shooting range is passed to a chosen team-mate, in the
// second free-kick phase; one near the goal is run up and struck at it.  The
// fouling side's players within ten yards of the kick retreat from it.
TEST_F(SetPieceScenario, AFreeKickFromDeepIsPassedAndOneNearGoalIsShot) {
    struct Kick {
        int16_t x, y;
        bool pass;
    };
    for (const Kick kick : {Kick{796, 700, true}, Kick{250, 1900, false}}) {
        SCOPED_TRACE(kick.y);
        AttackDirection = 0;  // team 0 attacks the high goal
        FormUp();
        scenario::StartOpenPlay(0);
        FoulTeam = 1;
        FouledPlayer = 9;
        FoulX = kick.x;
        FoulY = kick.y;
        scenario::PlaceBall(kick.x, kick.y);
        scenario::PlaceFigure(20, kick.x, kick.y + 40, kActionStand);  // on top of the kick
        MatchPhase = kPhaseFoul;
        PhaseTimer = 0;
        bool second = false, passed = false, shot = false, retreated[2] = {};
        for (int tick = 0; tick < 6000 && MatchPhase != kPhaseOpenPlay; ++tick) {
            MatchTick();
            second |= MatchPhase == kPhaseFreeKickSecond;
            for (int figure = 0; figure < kPlayerFigures; ++figure) {
                const uint16_t action = MatchFigures[figure].action;
                passed |= action == kActionFreeKickPass;
                shot |= action == kActionFreeKickShot;
                retreated[TeamOfFigure(figure)] |= action == kActionRetreat;
            }
        }
        ASSERT_EQ(MatchPhase, kPhaseOpenPlay);
        EXPECT_EQ(second, kick.pass);
        EXPECT_EQ(passed, kick.pass);
        EXPECT_EQ(shot, !kick.pass);
        EXPECT_TRUE(retreated[1]) << "the fouling side backs off";
        EXPECT_FALSE(retreated[0]);
        if (kick.pass) {
            EXPECT_EQ(TeamOfFigure(SetPiecePasser), 0);
            EXPECT_EQ(LastToucher, SetPiecePasser);
            EXPECT_EQ(MatchFigures[SetPiecePasser].counts[kCountShots], 0) << "a pass is no shot";
        }
        EXPECT_EQ(RestartStallCount, 0);
    }
}

// An offside fouls nobody: its free kick forgets the last foul's side and
// victim (which may be the other side's, or of another match), so the side
// that was offside lines up any wall and the taker is chosen as for any kick.
TEST_F(SetPieceScenario, AnOffsidesFreeKickTakesNothingFromTheLastFoul) {
    AttackDirection = 0;
    const int16_t offender = 9;  // of team 0
    OffsideRecord = {796, 1600, 0, offender};
    MatchPhase = kPhaseOffside;
    PhaseTimer = 0;
    FoulTeam = 1;
    FouledPlayer = kTeamFigures + 9;
    for (int tick = 0; tick < 1500 && MatchPhase == kPhaseOffside; ++tick) MatchTick();
    ASSERT_NE(MatchPhase, kPhaseOffside);
    MatchTick();  // the free kick's first tick sends its taker
    EXPECT_EQ(FoulTeam, 0) << "the side that was offside";
    EXPECT_EQ(FouledPlayer, -1);
}

// An offside far from where the ball lies: a team-mate fetches the ball and
// throws it toward the place of the kick while the taker waits there, and
// the kick is taken from that place.
TEST_F(SetPieceScenario, AnOffsideFreeKicksBallIsFetchedWhileTheTakerWaits) {
    AttackDirection = 0;
    OffsideRecord = {600, 1500, 1, kTeamFigures + 9};  // team 0's kick
    scenario::PlaceBall(600, 1300);
    MatchPhase = kPhaseOffside;
    PhaseTimer = 0;
    int16_t fetcher = -1, taker = -1;
    bool takerNearTheBallWhileFetched = false;
    int ticks = 0;
    for (; ticks < 4000 && !(MatchPhase == kPhaseOpenPlay && ticks > 1); ++ticks) {
        MatchTick();
        for (int16_t figure = 0; figure < kTeamFigures; ++figure) {
            const MatchFigure& f = MatchFigures[figure];
            if (f.action == kActionFetchAndThrow) fetcher = figure;
            if (f.action == kActionFreeKickFetch) taker = figure;
        }
        if (fetcher < 0 || taker < 0 || MatchFigures[fetcher].action != kActionFetchAndThrow) continue;
        const MatchFigure& t = MatchFigures[taker];
        if (Match_ApproxDistance(t.x, t.y, BallState.x, BallState.y) < 24)
            takerNearTheBallWhileFetched = true;
    }
    ASSERT_GE(fetcher, 0) << "a team-mate fetched the ball";
    ASSERT_GE(taker, 0);
    EXPECT_NE(fetcher, taker);
    EXPECT_FALSE(takerNearTheBallWhileFetched);
    EXPECT_EQ(MatchPhase, kPhaseOpenPlay) << "the kick was taken";
    EXPECT_EQ(+FoulX, 600);
    EXPECT_EQ(+FoulY, 1500);
    EXPECT_EQ(RestartStallCount, 0);
}

TEST_F(SetPieceScenario, FoulInTheAreaGivesAPenaltyStruckFromTheSpot) {
    AttackDirection = 0;  // team 0 attacks the high goal
    FoulTeam = 1;
    FouledPlayer = 9;
    FoulX = 800;
    FoulY = 1900;
    MatchPhase = kPhaseFoul;
    PhaseTimer = 0;
    int16_t spotX = 0, spotY = 0;
    int ticks = 0;
    for (; ticks < 6000 && !(MatchPhase == kPhaseOpenPlay && PenaltyKickTaker >= 0); ++ticks) {
        MatchTick();
        if (MatchPhase == kPhasePenalty) {
            spotX = FoulX;
            spotY = FoulY;
        }
    }
    ASSERT_GE(PenaltyKickTaker, 0) << "the penalty was taken";
    EXPECT_EQ(TeamOfFigure(PenaltyKickTaker), 0);
    EXPECT_EQ(MatchFigures[PenaltyKickTaker].counts[kCountPenaltiesTaken], 1);
    EXPECT_EQ(spotX, 796);
    EXPECT_GT(spotY, kAreaHighY) << "the spot lies in the area";
    EXPECT_EQ(SetPieceWords[0], 50);
    EXPECT_EQ(SetPieceWords[1], 350);
    EXPECT_GT(BallState.vy, 0) << "toward the goal at y 2038";
    EXPECT_EQ(RestartStallCount, 0);
}

// What becomes of a penalty or free kick at goal is counted where it ends:
// a goal straight from it (also in off the keeper), a keeper's save, or a
// penalty wide of the goal; the counts reach the players' match reports.
TEST_F(SetPieceScenario, SetPieceGoalsPenaltySavesAndMissesAreCounted) {
    AttackDirection = 0;  // team 0 attacks the high goal
    const int16_t taker = 9, freeKicker = 10, keeper = MatchLineUp[1][0];
    const auto goalFrom = [&](int16_t shooter, SetPieceShotKind kind, int16_t lastTouch) {
        SetPieceShot = {shooter, kind};
        TeamLastToucher[0] = shooter;
        LastShooter = uint8_t(shooter);
        LastToucher = lastTouch;
        scenario::PlaceBall(796, 2050);
        MatchPhase = kPhaseGoal;
        PhaseTimer = 0;
        MatchPhaseTick();
    };
    goalFrom(taker, SetPieceShotKind::kPenalty, taker);
    EXPECT_EQ(MatchFigures[taker].counts[kCountPenaltiesScored], 1);
    EXPECT_EQ(GoalScorer, taker);
    goalFrom(freeKicker, SetPieceShotKind::kFreeKick, keeper);
    EXPECT_EQ(GoalScorer, freeKicker) << "in off the keeper: the kicker's goal";
    EXPECT_EQ(MatchFigures[freeKicker].freeKickGoals, 1);
    EXPECT_EQ(MatchFigures[keeper].ownGoals, 0);
    EXPECT_EQ(MatchFigures[keeper].counts[kCountGoalsConceded], 2);
    EXPECT_EQ(SetPieceShot.kind, SetPieceShotKind::kNone);

    // A penalty the keeper touches is saved, and missed by the taker; one
    // that goes out untouched is missed.
    MatchPhase = kPhaseOpenPlay;
    SetPieceShot = {taker, SetPieceShotKind::kPenalty};
    LastToucher = taker;
    Match_WatchSetPieceShot();
    EXPECT_EQ(SetPieceShot.kind, SetPieceShotKind::kPenalty) << "still in flight";
    LastToucher = keeper;
    Match_WatchSetPieceShot();
    EXPECT_EQ(MatchFigures[keeper].penaltiesSaved, 1);
    EXPECT_EQ(MatchFigures[taker].penaltiesMissed, 1);
    SetPieceShot = {taker, SetPieceShotKind::kPenalty};
    LastToucher = taker;
    MatchPhase = kPhaseGoalKick;  // a goal kick
    Match_WatchSetPieceShot();
    EXPECT_EQ(MatchFigures[taker].penaltiesMissed, 2);
    EXPECT_EQ(MatchFigures[keeper].penaltiesSaved, 1);

    MatchCopyTeamStats();
    const uint8_t* takerReport = MatchPlayerReport(0, taker);
    EXPECT_EQ(takerReport[kStatsPenaltyGoals], 1);
    EXPECT_EQ(takerReport[kStatsPenaltiesMissed], 2);
    EXPECT_EQ(MatchPlayerReport(0, freeKicker)[kStatsFreeKickGoals], 1);
    EXPECT_EQ(MatchPlayerReport(1, keeper - kTeamFigures)[kStatsPenaltySaves], 1);
}

// A keeper who handles outside his area is penalised with the ball still in
// his hands: the free kick is taken from the ground all the same.
TEST_F(SetPieceScenario, KeeperPenalisedHoldingTheBallLetsGoForTheFreeKick) {
    AttackDirection = 0;  // team 1 defends the high goal
    const int16_t keeper = MatchLineUp[1][0];
    FoulTeam = 1;
    FouledPlayer = 9;
    FoulX = 850;
    FoulY = 1745;
    scenario::PlaceFigure(keeper, FoulX, FoulY, kActionStand);
    BallState.holder = int16_t(keeper + 1);
    MatchPhase = kPhaseFoul;
    PhaseTimer = 0;
    const int ticks = RunUntilOpenPlay(7000);
    EXPECT_EQ(MatchPhase, kPhaseOpenPlay) << "the free kick was taken after " << ticks << " ticks";
    EXPECT_EQ(RestartStallCount, 0);
    EXPECT_EQ(BallState.holder, 0);
}

TEST_F(SetPieceScenario, FreeKickBesideTheTakersOwnKeeperDoesNotWaitForHim) {
    AttackDirection = 0;  // team 0 defends the low goal
    FoulTeam = 1;         // an attacker fouled a defender inside the defenders' area
    FouledPlayer = 3;
    FoulX = 781;
    FoulY = 178;
    MatchPhase = kPhaseFoul;
    PhaseTimer = 0;
    const MatchFigure& keeper = MatchFigures[MatchLineUp[0][0]];
    ASSERT_LT(Match_ApproxDistance(keeper.x, keeper.y, FoulX, FoulY), 160)
        << "the keeper stands within ten yards";
    int placing = 0;
    for (int tick = 0; tick < 6000 && MatchPhase != kPhaseOpenPlay; ++tick) {
        MatchTick();
        // The taker keeps the others ten yards off while he places the ball
        // for a shot or a pass.
        for (int figure = 0; figure < kTeamFigures; ++figure) {
            const uint16_t action = MatchFigures[figure].action;
            placing += action == kActionFreeKickPlace || action == kActionFreeKickPasser;
        }
    }
    ASSERT_EQ(MatchPhase, kPhaseOpenPlay);
    EXPECT_LT(placing, 1000) << "the keeper in his goal never holds the kick up";
    EXPECT_EQ(RestartStallCount, 0);
}

TEST_F(SetPieceScenario, KeeperHandlingOutsideHisAreaIsSentOffAndTheFreeKickIsTaken) {
    AttackDirection = 0;  // team 0 defends the low goal, its area ends at y 414
    const int16_t keeper = MatchLineUp[0][0];
    scenario::PlaceFigure(keeper, 790, 470, kActionStand);
    scenario::PlaceBall(790, 470);
    BallState.holder = int16_t(keeper + 1);
    MatchPhase = kPhaseKeeperHolds;
    PhaseTimer = 0;
    MatchTick();
    EXPECT_EQ(MatchPhase, 1);
    EXPECT_EQ(+MatchFigures[kRefereeFigure].action, kOfficialSendingOff)
        << "the referee goes to him with the call";
    int ticks = 0;
    while (MatchPhase != kPhaseOpenPlay && ticks++ < 8000) MatchTick();
    ASSERT_EQ(MatchPhase, kPhaseOpenPlay) << "the free kick restarts play";
    EXPECT_NE(+MatchFigures[keeper].sentOff, 0);
    EXPECT_EQ(RefereeAction, 0);
    EXPECT_EQ(RestartStallCount, 0) << "the ball he held is free to be kicked";
    EXPECT_LT(ticks, 3000);
}

TEST_F(SetPieceScenario, KeeperReleasesOnceHisCatchIsOverTowardSeventyYardsOut) {
    AttackDirection = 0;  // team 0 defends the low goal
    const int16_t keeper = MatchLineUp[0][0];
    scenario::PlaceFigure(keeper, 796, 200, kActionKeeperHoldLowCatch);  // still taking the ball
    scenario::PlaceBall(796, 200);
    BallState.holder = int16_t(keeper + 1);
    MatchPhase = kPhaseKeeperHolds;
    PhaseTimer = 0;
    for (int tick = 0; tick < 200; ++tick) MatchPhaseTick();
    EXPECT_EQ(MatchPhase, 12) << "nothing happens while he is still catching";
    EXPECT_EQ(+MatchFigures[keeper].action, kActionKeeperHoldLowCatch);
    Match_SetPlayerAction(keeper, kActionKeeperHoldBall);  // holding it
    for (int tick = 0; tick < 200 && MatchPhase == kPhaseKeeperHolds; ++tick) MatchPhaseTick();
    ASSERT_EQ(MatchPhase, 13);
    const MatchFigure& k = MatchFigures[keeper];
    EXPECT_EQ(+k.action, kActionKeeperDistribute);
    EXPECT_EQ(+k.targetX, 796);
    EXPECT_EQ(+k.targetY, 200 + 70 * 16) << "70 yards out from the ball, upfield";
    EXPECT_EQ(+k.facing, 128);
    // Called away from the release (the players reset), he takes it up again.
    Match_SetPlayerAction(keeper, kActionRunToPosition);
    MatchPhaseTick();
    EXPECT_EQ(+k.action, kActionKeeperDistribute);
    int ticks = 0;
    while (MatchPhase != kPhaseOpenPlay && ticks++ < 2000) MatchTick();
    EXPECT_EQ(MatchPhase, kPhaseOpenPlay);
    EXPECT_EQ(LastToucher, keeper) << "his release put the ball back into play";
    EXPECT_EQ(RestartStallCount, 0);
}

// A scored kick of the shoot-out: once the scorer is through his first
// reaction he celebrates and the team-mates near him run to him; those who
// reach him go on to the shoot-out's stages; the celebration ends and the
// next kick follows.
TEST_F(SetPieceScenario, AScoredShootOutKickIsCelebratedWithTheTeamAndTheNextKickFollows) {
    Period = 4;
    PenaltiesTaken = 0;
    ShootOutGoals[0] = ShootOutGoals[1] = 0;
    for (int team = 0; team < 2; ++team)
        scenario::PlaceFigure(MatchLineUp[team][0], 796, 140, kActionKeeperReady);
    MatchPhase = kPhaseShootOutControl;
    PhaseTimer = 0;
    MatchPhaseTick();
    ASSERT_EQ(MatchPhase, kPhasePenalty);
    const int16_t scorer = KickOffTaker;
    ASSERT_EQ(scorer / kTeamFigures, 0);
    // His kick went in: the goal phase has started his first reaction.
    PenaltiesTaken = 1;
    ShootOutGoals[0] = 1;
    scenario::PlaceBall(796, 110);
    scenario::PlaceFigure(scorer, 796, 330, kActionStand);
    MatchStartCelebration(scorer);
    int16_t nearMate = -1, farMate = -1;
    for (int slot = 1; slot < 11; ++slot) {
        const int16_t mate = MatchLineUp[0][slot];
        if (mate == scorer) continue;
        if (nearMate < 0) {
            nearMate = mate;
            scenario::PlaceFigure(mate, 806, 330, kActionStand);
        } else if (farMate < 0) {
            farMate = mate;
            scenario::PlaceFigure(mate, 796, 1500, kActionStand);
        } else {
            scenario::PlaceFigure(mate, 300 + 40 * slot, 1300, kActionStand);
        }
    }
    MatchPhase = kPhaseShootOutControl;
    bool scorerCelebrated = false, nearJoined = false, wentOn = false, farJoined = false,
         keeperJoined = false;
    int ticks = 0;
    for (; ticks < 6000 && PenaltiesTaken < 2; ++ticks) {
        MatchTick();
        const MatchFigure& s = MatchFigures[scorer];
        scorerCelebrated = scorerCelebrated || s.action == kActionGoalCelebration;
        const MatchFigure& m = MatchFigures[nearMate];
        nearJoined = nearJoined || m.action == kActionJoinScorer;
        const bool shootOutStage = m.actionParam == kStageQuarterRunB || m.actionParam == kStageQuarterRunC ||
                                   m.actionParam == kStageQuarterHold || m.actionParam == kStageSpread;
        wentOn = wentOn || (m.action == kActionGoalCelebration && shootOutStage);
        farJoined = farJoined || MatchFigures[farMate].action == kActionJoinScorer;
        keeperJoined = keeperJoined || MatchFigures[MatchLineUp[0][0]].action == kActionJoinScorer;
    }
    EXPECT_TRUE(scorerCelebrated);
    EXPECT_TRUE(nearJoined);
    EXPECT_TRUE(wentOn) << "after the hug, on to a stage of the shoot-out's";
    EXPECT_FALSE(farJoined) << "too far from the scorer";
    EXPECT_FALSE(keeperJoined) << "the keeper keeps his stance";
    EXPECT_EQ(CelebrationSwitch, 0) << "the celebration ended";
    for (int figure = 0; figure < kPlayerFigures; ++figure) {
        EXPECT_NE(MatchFigures[figure].action, kActionGoalCelebration) << figure;
        EXPECT_NE(MatchFigures[figure].action, kActionJoinScorer) << figure;
    }
    EXPECT_EQ(PenaltiesTaken, 2) << "the next kick was taken";
    EXPECT_EQ(RestartStallCount, 0);
}

TEST_F(SetPieceScenario, ShootOutKickWaitsForTheKeeperWhoCaughtTheLastToLetGo) {
    Period = 4;
    PenaltiesTaken = 1;
    ShootOutGoals[0] = 1;
    ShootOutGoals[1] = 0;
    const int16_t keeper = MatchLineUp[1][0];
    scenario::PlaceFigure(keeper, 796, 200, kActionKeeperHoldLowCatch);  // still holding the last kick
    BallState.holder = int16_t(keeper + 1);
    MatchPhase = kPhaseShootOutControl;  // the shoot-out's control
    PhaseTimer = 0;
    for (int tick = 0; tick < 50; ++tick) MatchPhaseTick();
    EXPECT_EQ(MatchPhase, 20) << "no kick while a keeper is out of his stance";
    Match_SetPlayerAction(keeper, kActionKeeperReady);
    MatchPhaseTick();
    ASSERT_EQ(MatchPhase, 19);
    EXPECT_EQ(BallState.holder, 0) << "nobody holds the ball on the spot";
    int ticks = 0;
    while (MatchPhase == kPhasePenalty && ticks++ < 4000) MatchTick();
    EXPECT_NE(MatchPhase, 19) << "the kick was taken";
    EXPECT_EQ(PenaltiesTaken, 2);
    EXPECT_EQ(RestartStallCount, 0);
}

TEST_F(SetPieceScenario, AWaitLeftUnfinishedDoesNotShortenTheNextOne) {
    MatchPhase = kPhaseOpenPlay;
    MatchPhaseTick();
    PhaseWaitTicks = 990;  // left over from an earlier phase's wait
    // The referee is on his way to a booking far off.
    RefereeAction = 8;
    RefereeOffender = 9;
    MatchFigures[kRefereeFigure].action = kOfficialBooking;
    ResumePhase = kPhaseFoul;
    MatchPhase = kPhaseWaitReferee;
    for (int tick = 0; tick < 100; ++tick) MatchPhaseTick();
    EXPECT_EQ(MatchPhase, 22) << "the wait for the referee has its whole bound";
    RefereeAction = 0;
}

// ---------------------------------------------------------------------------
// Goals and kick-offs.

TEST_F(SetPieceScenario, GoalIsCelebratedAndFollowedByAKickOff) {
    AttackDirection = 0;  // team 0 attacks the high goal
    scenario::PlaceBall(796, 2050);
    LastToucher = 9;
    MatchFigures[9].x = 800;
    MatchFigures[9].y = 1950;
    MatchPhase = kPhaseGoal;
    PhaseTimer = 0;
    // The referee's saved action as the last final whistle left it (he
    // faces the touchline spot there).
    MatchFigures[kRefereeFigure].officialWord = 4;
    bool celebrated = false, refereeStood = false;
    int ticks = 0;
    for (; ticks < 8000 && !(MatchPhase == kPhaseOpenPlay && KickOffCount > 0); ++ticks) {
        MatchTick();
        if (MatchFigures[9].action == kActionGoalCelebration) celebrated = true;
        if (MatchFigures[kRefereeFigure].action == kOfficialFaceFirstSpot) refereeStood = true;
    }
    EXPECT_FALSE(refereeStood) << "after his signal the referee takes up his place";
    EXPECT_EQ(+MatchFigures[kRefereeFigure].action, kOfficialRestartPosition);
    // The ball is thrown out of the net toward the centre; whoever carries
    // it there meets it on its way rather than chasing it from the goal.
    EXPECT_LE(ticks, 1300);
    EXPECT_EQ(Goals[0], 1);
    EXPECT_TRUE(celebrated) << "the scorer celebrates";
    EXPECT_EQ(CelebrationSwitch, 0) << "the celebration ended";
    EXPECT_EQ(KickOffCount, 1) << "a kick-off followed";
    EXPECT_EQ(KickOffTeam, 1) << "the team that conceded kicks off";
    EXPECT_EQ(MatchPhase, kPhaseOpenPlay);
    EXPECT_LE(std::abs(BallState.x - 796) + std::abs(BallState.y - 1082), 40) << "from the centre spot";
}

TEST_F(SetPieceScenario, KickOffPairStandsEitherSideOfTheCentreSpot) {
    KickOffTeam = 0;
    MatchPhase = kPhaseKickOffSetUpAfterGoal;
    PhaseTimer = 0;
    int ticks = 0;
    while (MatchPhase != kPhaseKickOffWhistle && ticks++ < 4000) MatchTick();
    ASSERT_EQ(MatchPhase, kPhaseKickOffWhistle);
    const MatchFigure& taker = MatchFigures[KickOffTaker];
    EXPECT_LE(std::abs(std::abs(taker.x - 796) - 48), 5);
    EXPECT_LE(std::abs(taker.y - 1082), 5);
    while (KickOffTicks <= 9 && ticks++ < 4000) MatchTick();
    for (int tick = 0; tick < 600 && MatchPhase == kPhaseKickOffWhistle && PhaseTimer != -1; ++tick)
        MatchTick();
    EXPECT_EQ(+taker.action, kActionOverTheBall) << "at the whistle the taker stands over the ball";
    // ... on one side of it, tick after tick.
    MatchTick();
    const int16_t overAt = taker.x;
    EXPECT_EQ(std::abs(overAt - 796), 8);
    MatchTick();
    if (taker.action == kActionOverTheBall) {
        EXPECT_EQ(taker.x, overAt);
    }
    const MatchFigure& partner = MatchFigures[KickOffPartner];
    EXPECT_EQ(partner.targetX - 796, 796 - taker.targetX) << "on the other side";
    // Standing over the ball: 8 from the spot on the taker's other side.
    scenario::PlaceFigure(20, 700, 1082, kActionOverTheBall);
    MatchCurX = 700;
    MatchCurY = 1082;
    Match_ActOverTheBall(20);
    EXPECT_EQ(MatchCurX, taker.targetX < 796 ? 804 : 788);
    EXPECT_EQ(BallState.x, 796);
    EXPECT_EQ(BallState.y, 1082);
}

// ---------------------------------------------------------------------------
// Walks off and on.

TEST_F(SetPieceScenario, SubstituteComesOnForAPlayerWhoWalksOff) {
    ResumePhase = kPhaseGoalKick;
    MatchPhase = kPhaseSubstitution;
    Match_SetPlayerAction(6, kActionSubstitutedOff);
    MatchFigures[6].actionParam = 3;
    const int16_t formationX = MatchFigures[6].formationX;
    const int16_t made = MatchSubsUsed[0];
    ChangePending[0] = 1;
    int substitute = -1;
    bool cameraOnLeaver = false, cameraOnSubstitute = false;
    for (int tick = 0; tick < 6000 && MatchPhase == kPhaseSubstitution; ++tick) {
        MatchTick();
        if (MatchFigures[6].action == kActionSubstitutedOff) cameraOnLeaver |= CameraSubject == 6;
        for (int figure = 11; figure < kTeamFigures; ++figure) {
            if (MatchFigures[figure].action != kActionSubstituteOn) continue;
            substitute = figure;
            cameraOnSubstitute |= CameraSubject == figure;
        }
    }
    EXPECT_EQ(MatchPhase, 4) << "the phase the substitution interrupted";
    // The camera the display reads follows the one leaving, then the one
    // coming on, and goes back to the ball when play resumes.
    EXPECT_TRUE(cameraOnLeaver);
    EXPECT_TRUE(cameraOnSubstitute);
    EXPECT_EQ(CameraSubject, kBallFigure);
    EXPECT_EQ(MatchFigures[6].off, 1) << "he left the pitch";
    ASSERT_GE(substitute, 11);
    EXPECT_EQ(MatchFigures[substitute].off, 0);
    EXPECT_EQ(MatchFigures[substitute].formationX, formationX);
    EXPECT_EQ(RestartValue, 5);
    // Counted once, in the count the team menu and the computer manager read.
    EXPECT_EQ(MatchSubsUsed[0], made + 1);
    EXPECT_EQ(Match_SubstitutionsMade(0), made + 1);
    EXPECT_EQ(ChangePending[0], 0);
}

TEST_F(SetPieceScenario, WithNobodyToBringOnTheTeamPlaysAManShort) {
    // Nobody on the bench belongs to the match squad.
    for (int figure = 11; figure < kTeamFigures; ++figure) MatchFigures[figure].benchState = 0xFF;
    ResumePhase = kPhaseThrowIn;
    MatchPhase = kPhaseSubstitution;
    Match_SetPlayerAction(6, kActionSubstitutedOff);
    for (int tick = 0; tick < 6000 && MatchPhase == kPhaseSubstitution; ++tick) MatchTick();
    EXPECT_EQ(MatchPhase, 3) << "play goes on";
    EXPECT_EQ(MatchFigures[6].off, 1);
    int onPitch = 0;
    for (int figure = 0; figure < kTeamFigures; ++figure) {
        onPitch += MatchFigures[figure].off == 0 ? 1 : 0;
        EXPECT_NE(MatchFigures[figure].action, kActionSubstituteOn) << figure;
    }
    EXPECT_EQ(onPitch, 10);
}

TEST_F(SetPieceScenario, TwoCautionsLeaveThePitchAtTheTunnelAndOneStays) {
    for (const int cautions : {2, 1}) {
        scenario::PlaceFigure(7, -2, 1082, kActionWalkOff);
        MatchFigures[7].cautions = uint16_t(cautions);
        MatchFigures[7].off = 0;
        MatchCurX = -2;
        MatchCurY = 1082;
        Match_ActWalkOff(7);
        EXPECT_EQ(MatchFigures[7].off, cautions == 2 ? 1 : 0) << cautions;
        EXPECT_EQ(MatchFigures[7].frame, -1) << cautions;
    }
}

TEST_F(SetPieceScenario, TheSameRestartPlaysTheSameWay) {
    const auto play = [] {
        // The formation's placement counters carry over from match to match.
        FormationPossession = FormationPossessionCount = FormationTargetCount = FormationHold = 0;
        scenario::FillTwoClubs(41);
        scenario::StartMatch(777, 0, 0);
        FormUp();
        scenario::PlaceBall(1434 + 6, 600);
        ThrowInX = 1434;
        ThrowInY = 600;
        RestartTeam = 1;
        MatchPhase = kPhaseThrowIn;
        PhaseTimer = 0;
        uint32_t hash = 2166136261u;
        for (int tick = 0; tick < 1500; ++tick) {
            MatchTick();
            // The players (the officials keep their facing from match to
            // match, which moves nothing of the play).
            const auto* bytes = reinterpret_cast<const uint8_t*>(MatchFigures);
            for (size_t i = 0; i < kPlayerFigures * sizeof(MatchFigure); ++i)
                hash = (hash ^ bytes[i]) * 16777619u;
        }
        return hash;
    };
    EXPECT_EQ(play(), play());
}

// ---------------------------------------------------------------------------
// Whole matches.

struct SetPieceMatchCounts {
    int throwIns = 0, corners = 0, goalKicks = 0, freeKicks = 0, goals = 0, kickOffs = 0;
    int longestPeriodOver = -100000;  // ticks beyond the period's length
    int longestPlayOver = -100000;    // the same from kick-off to final whistle
    int restartsSetUp = 0, restartsTaken = 0;
    int endedAfterGoal = 0;  // time ran out during a goal's stoppage
};
SetPieceMatchCounts g_setPieceCounts;

// The undisplayed period loop with every tick watched.
void SetPieceWatchedPeriod() {
    Match_SetupPeriod();
    int ticks = 0, heldUp = 0;
    int kickOff = -1, finalWhistle = -1;  // the ticks the clock started and stopped
    uint16_t previous = MatchPhase;
    while (MatchFinished == 0) {
        const uint32_t clock = PeriodClock;
        const bool wasRunning = MatchClockRunning != 0;
        MatchTick();
        ++ticks;
        if (!wasRunning && MatchClockRunning != 0 && kickOff < 0) kickOff = ticks;
        if (wasRunning && MatchClockRunning == 0) finalWhistle = ticks;
        // The clock stands while a restart is held up (a fetch, a
        // substitution), also in stoppage time, where the period cannot end
        // before play is on again; every tick of a penalty is added back as
        // stoppage time.  Those ticks lengthen the period by design.
        const bool stood = MatchClockRunning != 0 && PeriodClock == clock && clock < PeriodLength;
        const bool heldByRule =
            wasRunning && (MatchPhase == kPhaseSubstitution || MatchPhase == kPhasePenalty ||
                           MatchClockStoppedByAction(21, 22, 23, 24, 53, 149, 187) != 0);
        if (stood || heldByRule) ++heldUp;
        const auto taking = [](uint16_t phase) {
            return (phase >= kPhaseTakeThrowIn && phase <= kPhaseTakeCorner) ||
                   (phase >= kPhaseFreeKick && phase <= kPhasePenalty) || phase == kPhaseFreeKickSecond;
        };
        if (Period < 4 && MatchPhase != previous) {
            g_setPieceCounts.restartsSetUp += taking(MatchPhase) && !taking(previous);
            // Back to open play (the period may end on the tick of the kick,
            // or the keeper may gather the ball before anyone else).
            g_setPieceCounts.restartsTaken +=
                taking(previous) && (MatchPhase == kPhaseOpenPlay || MatchPhase == kPhasePeriodOver ||
                                     MatchPhase == kPhaseKeeperHolds);
            if (MatchPhase == kPhaseOpenPlay || MatchPhase == kPhasePeriodOver) {
                g_setPieceCounts.throwIns += previous == 6;
                g_setPieceCounts.goalKicks += previous == 7;
                g_setPieceCounts.corners += previous == 8;
                g_setPieceCounts.freeKicks += previous == 17 || previous == 18;
                g_setPieceCounts.kickOffs += previous == kPhaseKickOffWhistle;
            }
            g_setPieceCounts.goals += MatchPhase == kPhaseAfterGoal;
            g_setPieceCounts.endedAfterGoal +=
                MatchPhase == kPhasePeriodOver && (previous == kPhaseGoal || previous == kPhaseAfterGoal);
        }
        previous = MatchPhase;
    }
    if (Period < 4) {
        // Besides the played time: the walk on from beside the pitch before
        // the kick-off and the walk off after the final whistle.
        g_setPieceCounts.longestPeriodOver =
            std::max(g_setPieceCounts.longestPeriodOver, ticks - heldUp - int(PeriodLength));
        EXPECT_GE(kickOff, 0);
        EXPECT_GT(finalWhistle, kickOff);
        g_setPieceCounts.longestPlayOver =
            std::max(g_setPieceCounts.longestPlayOver, finalWhistle - kickOff - heldUp - int(PeriodLength));
    }
    MatchCopyTeamStats();
}

TEST(SetPieceWholeMatches, TwentyMatchesRestartWithoutStalling) {
    scenario::MountGameData();
    MatchHooks = MatchDisplayHooks{};
    g_setPieceCounts = {};
    RestartStallCount = 0;
    int goals = 0;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        scenario::FillTwoClubs(seed);
        DisplayModeFlags = kDisplayOff;
        MatchPeriodRunner = SetPieceWatchedPeriod;
        GameSeedRandom(seed * 7919);
        MatchResultBlock* result = PlayMatch();
        EXPECT_EQ(CheckPlayedResult(*result), "") << seed;
        goals += Goals[0] + Goals[1];
    }
    MatchPeriodRunner = Match_RunPeriod;
    const SetPieceMatchCounts& c = g_setPieceCounts;
    // From the kick-off to the final whistle every period runs within its
    // length and 3000 ticks of stoppage time; with the walks on and off the
    // pitch no period runs anywhere near twice its length.
    EXPECT_LE(c.longestPlayOver, 3000);
    EXPECT_LE(c.longestPeriodOver, 5000);
    // Throw-ins are rare while challenges for the ball are not yet played
    // out; the throw-in scenario above plays them.
    EXPECT_GT(c.restartsSetUp, 10);
    EXPECT_EQ(c.restartsTaken, c.restartsSetUp) << "each restart handed back to open play";
    EXPECT_GT(c.corners, 0);
    EXPECT_GT(c.goalKicks, 0);
    EXPECT_GT(c.freeKicks, 0);
    EXPECT_EQ(c.goals, goals);
    EXPECT_EQ(c.kickOffs, 2 * 20 + goals - c.endedAfterGoal) << "each half and every goal kicks off";
    EXPECT_EQ(RestartStallCount, 0) << "every restart was taken by its taker";
    std::printf("throw-ins %d corners %d goal kicks %d free kicks %d goals %d over %d (played %d)\n",
                c.throwIns, c.corners, c.goalKicks, c.freeKicks, c.goals, c.longestPeriodOver,
                c.longestPlayOver);
}

}  // namespace
