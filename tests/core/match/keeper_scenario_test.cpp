// The goalkeeper in real ticks with the real clips: a shot at him is caught
// and held, a slow ball into his area is gathered, a goal kick is fetched,
// aimed and kicked long, and over many shots he saves some and is beaten by
// some.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "core/match/actions.h"
#include "core/match/ballcollide.h"
#include "core/match/geometry.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/matchphases.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/shooting.h"
#include "core/match/strikes.h"
#include "tests/core/match/scenario.h"

namespace {

using namespace scenario;

constexpr int16_t kGoalY = 2038;  // team 1 defends the goal at y 2038

struct KeeperScene {
    int16_t keeper, shooter;
};

// Team 0 attacks toward y 2038; only the shooter and team 1's keeper play.
KeeperScene KeeperSceneStart(uint32_t seed) {
    FillTwoClubs(seed);
    StartMatch(seed, 0, 0);
    for (int figure = 0; figure < kPlayerFigures; ++figure) MatchFigures[figure].off = 1;
    const KeeperScene scene{MatchLineUp[1][0], MatchLineUp[0][9]};
    MatchFigures[scene.keeper].off = 0;
    MatchFigures[scene.shooter].off = 0;
    return scene;
}

void KeeperSceneRank() {
    for (int team = 0; team < 2; ++team) {
        RankingTeam = uint8_t(team);
        Match_RankPlayersByBall();
    }
}

// The shooter on the ball at (x, y), facing the aim point, in the strike.
void KeeperSceneShot(const KeeperScene& s, int x, int y, int aimX, int aimY, uint16_t action,
                     uint16_t param) {
    PlaceFigure(s.shooter, x, y, action);
    MatchFigure& f = MatchFigures[s.shooter];
    f.actionParam = param;
    f.hasBall = 1;
    f.facing = Match_DirectionTo(x, y, aimX, aimY);
    FreeKickAimX = int16_t(aimX);
    FreeKickAimY = int16_t(aimY);
    PlaceBall(x, y + 4);
    BallState.vx = BallState.vy = BallState.vz = 0;
    BallState.holder = BallState.controller = 0;
    BallState.swerveTime = 0;
    PlayStopped = 0;
    StartOpenPlay(0);
    TeamChallenger[0] = s.shooter;
    KeeperSceneRank();
}

// A shot from 20 yards at the keeper: over a run of seeds he catches some
// and holds them in open play (in 154, or first in a holding gesture after
// a shot), and every catch ends the shot and keeps the score.
TEST(KeeperScenario, AShotAtTheKeeperIsCaughtAndHeld) {
    int caught = 0;
    for (uint32_t seed = 0; seed < 24; ++seed) {
        const KeeperScene s = KeeperSceneStart(51 + seed);
        MatchFigure& k = MatchFigures[s.keeper];
        k.keeping = k.agility = k.heading = 90;
        k.intelligence = k.vision = 100;
        PlaceFigure(s.keeper, 796, kGoalY - 24, kActionKeeperReady);
        KeeperSceneShot(s, 796, kGoalY - 320, 796, kGoalY - 24, kActionAimedStrikeD, 0);
        MatchFigures[s.shooter].shooting = 40;
        bool held = false;
        for (int tick = 0; tick < 200 && !held && Goals[0] == 0; ++tick) {
            MatchTick();
            held = k.action == kActionKeeperHoldBall || k.action == kActionKeeperHoldGestureA ||
                   k.action == kActionKeeperHoldGestureC || k.action == kActionKeeperHoldGestureD;
        }
        ASSERT_GE(TeamShotCount[0], 1) << seed;
        if (!held) continue;
        ++caught;
        EXPECT_EQ(BallState.holder, s.keeper + 1) << seed;
        EXPECT_EQ(Goals[0], 0) << seed;
        if (k.counts[kCountCatches] != 0) {
            EXPECT_EQ(ShooterFigure, -1) << seed;
        }
        EXPECT_EQ(MatchPhase, 12) << seed;
        EXPECT_EQ(k.counts[kCountCatches] + k.moreCounts[kMoreKeeperCollections] > 0, true) << seed;
    }
    EXPECT_GE(caught, 3);
}

// With the ball still out on the wing the keeper shuffles to his place
// between it and the middle of his goal, and stays there.
TEST(KeeperScenario, TheKeeperTakesUpHisPlaceForTheBall) {
    const KeeperScene s = KeeperSceneStart(56);
    PlaceFigure(s.keeper, 796, kGoalY - 14, kActionKeeperReady);
    PlaceFigure(s.shooter, 1250, 1450, kActionStand);
    PlaceBall(1250, 1454);
    StartOpenPlay(0);
    KeeperSceneRank();
    RunTicks(150);
    const MatchFigure& k = MatchFigures[s.keeper];
    int tx = 0, ty = 0;
    MatchCurX = k.x;
    MatchCurY = k.y;
    Match_KeeperStanceTarget(s.keeper, tx, ty);
    EXPECT_GT(tx, 796) << "toward the ball's side";
    EXPECT_LE(Match_ApproxDistance(k.x, k.y, tx, ty), 6) << +k.x << "," << +k.y << " for " << tx << "," << ty;
    EXPECT_EQ(+k.action, kActionKeeperReady);
}

TEST(KeeperScenario, ASlowBallIntoTheAreaIsGatheredAndHeld) {
    const KeeperScene s = KeeperSceneStart(52);
    MatchFigure& k = MatchFigures[s.keeper];
    k.keeping = 80;
    PlaceFigure(s.keeper, 796, kGoalY - 24, kActionKeeperReady);
    // The shooter far away; the ball rolls slowly into the area.
    PlaceFigure(s.shooter, 300, 1200, kActionStand);
    PlaceBall(820, 1790);
    BallState.holder = BallState.controller = 0;
    BallState.vy = 3 * 65536;
    BallState.vx = BallState.vz = 0;
    PlayStopped = 0;
    StartOpenPlay(0);
    LastToucher = s.shooter;
    KeeperSceneRank();
    std::set<uint16_t> actions;
    bool held = false;
    for (int tick = 0; tick < 400 && !held; ++tick) {
        MatchTick();
        actions.insert(k.action);
        held = BallState.holder == s.keeper + 1 &&
               (k.action == kActionKeeperHoldBall || k.action == kActionKeeperHoldGestureC ||
                k.action == kActionKeeperHoldGestureD);
    }
    EXPECT_TRUE(actions.count(175) != 0);
    EXPECT_TRUE(actions.count(181) != 0);
    EXPECT_TRUE(held);
    EXPECT_EQ(MatchPhase, 12) << "the keeper holds the ball";
}

TEST(KeeperScenario, AGoalKickIsFetchedAimedAndKickedLong) {
    FillTwoClubs(53);
    StartMatch(53, 0, 0);
    PlaceTeamsOnFormation();
    const int16_t keeper = MatchLineUp[1][0];
    MatchFigure& k = MatchFigures[keeper];
    // Team 1's team-mates well up the pitch, where a goal kick looks for them.
    for (int slot = 1; slot < 11; ++slot) {
        const int16_t mate = MatchLineUp[1][slot];
        PlaceFigure(mate, 500 + 30 * slot, 1000 + 40 * (slot % 4), kActionStand);
    }
    for (int slot = 1; slot < 11; ++slot)
        PlaceFigure(MatchLineUp[0][slot], 400 + 60 * slot, 700, kActionStand);
    PlaceFigure(keeper, 796, kGoalY - 30, kActionKeeperReady);
    PlaceBall(900, kGoalY + 20);
    StartOpenPlay(0);
    MatchPhase = kPhaseGoalKick;
    PhaseTimer = 0;
    RestartTeam = 1;
    KeeperSceneRank();
    std::set<uint16_t> actions;
    int16_t kickX = 0, kickY = 0;
    bool kicked = false;
    int furthest = 0, afterKick = 0;
    for (int tick = 0; tick < 2000 && afterKick < 300; ++tick) {
        MatchTick();
        actions.insert(k.action);
        if (!kicked && k.action == kActionKeeperGoalKick && k.hasKicked != 0) {
            kicked = true;
            kickX = BallState.x;
            kickY = BallState.y;
        }
        if (kicked && ++afterKick < 300) {
            furthest = std::max<int>(furthest, Match_ApproxDistance(kickX, kickY, BallState.x, BallState.y));
        }
    }
    for (uint16_t a : {187, 186, 188, 162}) EXPECT_TRUE(actions.count(a) != 0) << a;
    ASSERT_TRUE(kicked);
    EXPECT_GT(furthest, 640);
    EXPECT_EQ(MatchPhase, 0) << "the kick put the ball back into play";
}

// Many shots from 12 to 30 yards at a keeper in position: every shot is
// counted, saves and goals never exceed the shots, and the keeper neither
// saves everything nor nothing.
TEST(KeeperScenario, OverManyShotsTheKeeperSavesSomeAndIsBeatenBySome) {
    const KeeperScene s = KeeperSceneStart(54);
    MatchFigure& k = MatchFigures[s.keeper];
    k.keeping = 75;
    k.agility = k.heading = 70;
    k.intelligence = k.vision = 70;
    constexpr int kShots = 1000;
    int goals = 0, smothered = 0;
    TeamShotCount[0] = 0;
    TeamSavedShotCount[0] = 0;
    for (int shot = 0; shot < kShots; ++shot) {
        GameSeedRandom(uint32_t(9000 + shot));
        const int yards = 12 + GameRandom() % 19;
        const int x = 796 + (GameRandom() % 401 - 200);
        const int y = kGoalY - yards * 16;
        const int aimX = 740 + GameRandom() % 113;
        PlaceFigure(s.keeper, 796, kGoalY - 24, kActionKeeperReady);
        k.frame = 0;
        KeeperSceneShot(s, x, y, aimX, kGoalY, kActionAimedStrikeD, 0);
        MatchFigures[s.shooter].shooting = int8_t(50 + GameRandom() % 40);
        MatchFigures[s.shooter].power = int8_t(50 + GameRandom() % 40);
        ShooterFigure = -1;
        const int16_t goalsBefore = Goals[0];
        const uint16_t shotsBefore = TeamShotCount[0];
        // Until the shot is over: a goal, the ball dead or held, or a touch.
        for (int tick = 0; tick < 160; ++tick) {
            MatchTick();
            if (Goals[0] != goalsBefore || MatchPhase != kPhaseOpenPlay || BallState.holder != 0) break;
            if (TeamShotCount[0] != shotsBefore && (ShooterFigure == -1 || LastToucher == s.keeper)) break;
        }
        goals += Goals[0] - goalsBefore;
        // A keeper quick off his line may take the ball before the strike;
        // every strike is counted (a rebound shot again counts too).
        if (TeamShotCount[0] == shotsBefore) {
            ++smothered;
            ASSERT_EQ(+MatchFigures[s.shooter].hasKicked, 0) << shot;
        }
        ASSERT_LE(TeamSavedShotCount[0] + goals, TeamShotCount[0]) << shot;
    }
    EXPECT_LT(smothered, kShots / 10);
    EXPECT_LE(TeamShotCount[0], kShots + kShots / 20);
    EXPECT_GE(TeamSavedShotCount[0], TeamShotCount[0] / 5);
    EXPECT_GE(goals, TeamShotCount[0] / 10);
}

// The same seed plays the same save.
TEST(KeeperScenario, ASaveIsRepeatable) {
    int16_t end[2][3] = {};
    for (int run = 0; run < 2; ++run) {
        const KeeperScene s = KeeperSceneStart(55);
        PlaceFigure(s.keeper, 796, kGoalY - 24, kActionKeeperReady);
        KeeperSceneShot(s, 700, kGoalY - 300, 840, kGoalY, kActionAimedStrikeC, 0);
        GameSeedRandom(77);
        RunTicks(120);
        end[run][0] = BallState.x;
        end[run][1] = BallState.y;
        end[run][2] = MatchFigures[s.keeper].action;
    }
    EXPECT_EQ(end[0][0], end[1][0]);
    EXPECT_EQ(end[0][1], end[1][1]);
    EXPECT_EQ(end[0][2], end[1][2]);
}

}  // namespace
