// Play in the air: volleys, headers, chest controls and the lay-off, the
// backward and clearing headers, the aerial challenge and the sliding
// poke, run through their handlers on prepared figures; and two scenes
// played with the whole tick: a cross headed at goal and a bouncing ball
// taken on the chest.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/match/actions.h"
#include "core/match/aerials.h"
#include "core/match/ball.h"
#include "core/match/ballcollide.h"
#include "core/match/fouls.h"
#include "core/match/geometry.h"
#include "core/match/officials.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/shotchoice.h"
#include "core/match/strikes.h"
#include "core/match/tackle.h"
#include "core/match/volleys.h"
#include "tests/core/match/scenario.h"
#include "tests/fakes/action_tick.h"

namespace {

using namespace scenario;

constexpr int16_t kAirPlayer = 9;  // team 0's striker; team 0 attacks y 2038
constexpr int16_t kAirMate = 10;
constexpr int16_t kAirOpponent = 16 + 4;

int AirMarks = 0;
void CountAirMark(int16_t, int16_t, float, uint16_t, int16_t) { ++AirMarks; }

class AirPlayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FillTwoClubs(43);
        StartMatch(9);
        MatchResetTackleCounts();
        MatchFoulChance = MatchDismissalThreshold = 100;
        for (int f = 0; f < kPlayerFigures; ++f) {
            MatchFigures[f].off = 1;
            MatchFigures[f].action = kActionStand;
        }
        for (const int16_t f : {kAirPlayer, kAirMate, kAirOpponent}) MatchFigures[f].off = 0;
        PlaceFigure(kAirMate, 600, 1500, kActionStand);
        PlaceFigure(kAirOpponent, 1300, 400, kActionStand);
        MatchPhase = kPhaseOpenPlay;
        BallTeam = 1;
        LastToucher = kAirOpponent;
        AirMarks = 0;
        MatchHooks.skidMark = CountAirMark;
    }
    void TearDown() override { MatchHooks = MatchDisplayHooks{}; }

    // The player in the action on his receive point, facing the goal he
    // attacks, the ball still beside him at the height.
    static MatchFigure& Ready(int16_t figure, uint16_t action, int x, int y, int ballHeight) {
        PlaceFigure(figure, x, y, action);
        MatchFigure& p = MatchFigures[figure];
        p.aimX = int16_t(x);
        p.aimY = int16_t(y);
        p.facing = 128;
        p.ballDirection = 128;
        p.heading = 80;
        PlaceBall(x, y + 4, ballHeight);
        BallState.vx = BallState.vy = BallState.vz = 0;
        BallState.holder = 0;
        return p;
    }

    static void RunAction(int16_t figure) { testenv::RunActionTick(figure); }

    // Runs the action until it struck the ball or ended; true when struck.
    static bool RunUntilStruck(int16_t figure, uint16_t action, int ticks = 120) {
        MatchFigure& f = MatchFigures[figure];
        for (int tick = 0; tick < ticks && f.action == action; ++tick) {
            RunAction(figure);
            if (f.hasKicked != 0) return true;
        }
        return false;
    }

    static int BallDirection() { return Match_DirectionTo(0, 0, BallState.vx / 256, BallState.vy / 256); }
};

TEST_F(AirPlayTest, VolleysNeverStrikeABallAboveTheirHeight) {
    struct Case {
        uint16_t action;
        int limit;
    };
    for (const Case c : {Case{84, 140}, Case{83, 140}, Case{80, 110}}) {
        for (const int height : {c.limit - 20, c.limit, c.limit + 1, 200}) {
            Ready(kAirPlayer, c.action, 796, 1500, height);
            const int shots = MatchFigures[kAirPlayer].counts[kCountShots];
            const bool struck = RunUntilStruck(kAirPlayer, c.action);
            EXPECT_EQ(struck, height < c.limit) << c.action << " at " << height;
            if (!struck) continue;
            EXPECT_GT(+BallState.vy, 0) << c.action;  // toward the goal at y 2038
            EXPECT_EQ(+MatchFigures[kAirPlayer].counts[kCountShots], shots + 1) << c.action;
            EXPECT_EQ(+LastShooter, kAirPlayer) << c.action;
            // A shot on goal: the keeper who stops it makes a save.
            EXPECT_EQ(+ShooterFigure, kAirPlayer) << c.action;
            EXPECT_EQ(LastScoringStrike.figure, kAirPlayer) << c.action;
            EXPECT_EQ(+LastScoringStrike.kind, kShotVolleyed) << c.action;
            EXPECT_EQ(+BallTeam, 0) << c.action;
        }
    }
}

TEST_F(AirPlayTest, AnAttackingHeaderNearGoalGoesAtTheAimPointAndForgetsItsReceiver) {
    MatchFigure& p = Ready(kAirPlayer, kActionAttackingHeader, 900, 1800, 150);
    FreeKickAimX = 760;
    FreeKickAimY = 2038;
    HeaderReceiver = kAirMate;
    HeaderDirection = 200;
    ASSERT_TRUE(RunUntilStruck(kAirPlayer, kActionAttackingHeader));
    EXPECT_EQ(HeaderReceiver, -1);
    const int toAim = Match_DirectionTo(900, 1800, 760, 2038);
    EXPECT_LE(Match_FoldedDifference(BallDirection(), toAim), 3);
    EXPECT_EQ(+p.counts[kCountHeadersAttacking], 1);
    EXPECT_EQ(+p.counts[kCountShots], 0);             // the attacking header keeps no shot record
    EXPECT_EQ(LastScoringStrike.figure, kAirPlayer);  // but a goal from it is a header goal
    EXPECT_EQ(+LastScoringStrike.kind, kShotHeaded);
    EXPECT_EQ(+MatchFigures[kAirMate].action, kActionStand);  // nobody sent to receive it
    EXPECT_GT(+p.actionTicks, 0);                             // he is in the air
}

TEST_F(AirPlayTest, AnAttackingHeaderFarOutPassesToTheRememberedReceiver) {
    Ready(kAirPlayer, kActionAttackingHeader, 796, 1000, 150);
    HeaderReceiver = kAirMate;
    HeaderDirection = Match_DirectionTo(796, 1000, 600, 1500);
    ASSERT_TRUE(RunUntilStruck(kAirPlayer, kActionAttackingHeader));
    const MatchFigure& mate = MatchFigures[kAirMate];
    EXPECT_EQ(+mate.action, kActionReceivePass);
    EXPECT_LE(Match_ApproxDistance(mate.aimX, mate.aimY, 600, 1500), 50);
    EXPECT_LE(Match_FoldedDifference(BallDirection(), Match_DirectionTo(796, 1000, mate.aimX, mate.aimY)), 3);
    EXPECT_EQ(+MatchFigures[kAirPlayer].counts[kCountShots], 0);
    EXPECT_EQ(+MatchFigures[kAirPlayer].counts[kCountHeadersAttacking], 0);
    EXPECT_EQ(+MatchFigures[kAirPlayer].counts[kCountHeadersOwnHalf], 1);
}

TEST_F(AirPlayTest, AControlWithNoChanceInTheRoleIsAlwaysPoor) {
    // A player in no line-up slot gets the value itself: with Control 0 the
    // roll can never beat it.
    constexpr int16_t kBenchFigure = 13;
    MatchFigures[kBenchFigure].off = 0;
    for (int i = 0; i < 40; ++i) {
        const uint16_t action = uint16_t(i % 2 == 0 ? kActionChestControlD : kActionChestControlA);
        MatchFigure& p = Ready(kBenchFigure, action, 796, 1000, 100);
        p.control = 0;
        p.ballDirection = 128;
        ASSERT_TRUE(RunUntilStruck(kBenchFigure, action));
        EXPECT_EQ(+p.counts[kCountGoodControls], 0);
        EXPECT_EQ(+p.counts[kCountPoorControls], i + 1);
        EXPECT_EQ(+BallState.vz, 10 * 24576);  // height 100
    }
}

TEST_F(AirPlayTest, TheLayOffIsSoftWithAManCloseAndFirmWhenItGoesWrong) {
    // No team-mate to lay it to; an opponent 100 away.
    MatchFigures[kAirMate].off = 1;
    PlaceFigure(kAirOpponent, 796, 1400, kActionStand);
    int good = 0, poor = 0;
    GameSeedRandom(17);
    for (int i = 0; i < 60; ++i) {
        MatchFigure& p = Ready(kAirPlayer, kActionChestLayOff, 796, 1300, 100);
        p.control = 60;
        const int goodBefore = p.counts[kCountGoodControls];
        ASSERT_TRUE(RunUntilStruck(kAirPlayer, kActionChestLayOff));
        const double speed = std::hypot(double(BallState.vx), double(BallState.vy));
        if (p.counts[kCountGoodControls] > goodBefore) {
            ++good;
            EXPECT_TRUE(std::abs(speed - 57344) < 4 || std::abs(speed - 45875) < 4) << speed;
        } else {
            ++poor;
            EXPECT_NEAR(speed, 229376, 4);
        }
        EXPECT_EQ(+BallState.vz, 10 * 24576);
    }
    EXPECT_GT(good, 0);
    EXPECT_GT(poor, 0);
}

TEST_F(AirPlayTest, BackwardHeadersMeetOnlyBallsBelowTheirHeightAndCountAShot) {
    struct Case {
        uint16_t action;
        int limit;
    };
    for (const Case c : {Case{137, 140}, Case{136, 140}, Case{135, 110}}) {
        for (const int height : {100, c.limit, c.limit + 1, 140}) {
            Ready(kAirPlayer, c.action, 796, 1200, height);
            const int shots = MatchFigures[kAirPlayer].counts[kCountShots];
            const bool struck = RunUntilStruck(kAirPlayer, c.action);
            const bool expected = height < 140 && height <= c.limit;
            EXPECT_EQ(struck, expected) << c.action << " at " << height;
            if (!struck) continue;
            EXPECT_EQ(+MatchFigures[kAirPlayer].counts[kCountShots], shots + 1);
            EXPECT_GT(+BallState.vy, 0) << c.action;  // over his head toward goal
            EXPECT_EQ(LastKicker, kNoKicker);         // cleared at a header
        }
    }
}

TEST_F(AirPlayTest, TheClearingHeaderLiftsByItsTableAndHeadsAwayFromItsOwnGoal) {
    EXPECT_EQ(2 * Match_ClearingHeaderLift(100), 229376);
    EXPECT_EQ(2 * Match_ClearingHeaderLift(125), 2 * 294912);
    for (const int16_t header : {kAirPlayer, kAirOpponent}) {
        for (const int height : {100, 125}) {
            MatchFigure& p = Ready(header, kActionClearingHeader, 796, 1082, height);
            p.facing = header < 16 ? 0 : 128;  // facing his own goal as the ball comes
            ASSERT_TRUE(RunUntilStruck(header, kActionClearingHeader)) << header;
            EXPECT_EQ(+BallState.vz, 2 * Match_ClearingHeaderLift(height));
            // Team 0 defends the goal at y 126, team 1 the one at y 2038.
            if (header < 16) {
                EXPECT_GT(+BallState.vy, 0) << height;
            } else {
                EXPECT_LT(+BallState.vy, 0) << height;
            }
        }
    }
    // Met at H / 2 + 138 or above the ball is only lifted on.
    MatchFigure& p = Ready(kAirPlayer, kActionClearingHeader, 796, 1082, 189);
    p.heading = 100;
    BallState.vx = 3 * 65536;
    ASSERT_TRUE(RunUntilStruck(kAirPlayer, kActionClearingHeader));
    EXPECT_EQ(+BallState.vz, 131072);
    EXPECT_EQ(+BallState.vx, 3 * 65536);
}

TEST_F(AirPlayTest, TheHeaderPassCarriesTowardItsTarget) {
    for (const int far : {150, 400}) {
        Ready(kAirPlayer, kActionHeaderPass, 796, 1000, 120);
        MatchPassTargetX = 796;
        MatchPassTargetY = int16_t(1000 + far);
        MatchPassReceiver = kAirMate;
        PlaceFigure(kAirMate, 796, 1000 + far, kActionStand);
        ASSERT_TRUE(RunUntilStruck(kAirPlayer, kActionHeaderPass));
        EXPECT_EQ(+MatchFigures[kAirMate].action, kActionReceivePass);
        EXPECT_EQ(+BallState.vx, 0);
        // The ground speed grows with the distance to the man.
        EXPECT_NEAR(+BallState.vy, 416 * far, 416 * 8) << far;
    }
}

TEST_F(AirPlayTest, TheAerialChallengeTestsForAFoulOnceAtFrameTwentyFive) {
    int fouls = 0;
    GameSeedRandom(2);
    RefereeFavours = 0;  // the referee leans to nobody, whatever a test before left
    for (int i = 0; i < 50; ++i) {
        PlaceFigure(kAirPlayer, 796, 1000, kActionAerialChallenge);
        MatchPhase = kPhaseOpenPlay;
        int testedAt = -1;
        for (int tick = 0; tick < 100 && MatchFigures[kAirPlayer].action == kActionAerialChallenge; ++tick) {
            RunAction(kAirPlayer);
            if (MatchPhase == kPhaseFoul && testedAt < 0) {
                testedAt = MatchFigures[kAirPlayer].frame;
                MatchPhase = kPhaseOpenPlay;  // play on: no second test
                ++fouls;
            }
        }
        if (testedAt >= 0) {
            EXPECT_EQ(testedAt, 25);
        }
    }
    EXPECT_EQ(fouls, 50);  // the foul chance is 100 and the referee leans to nobody
    EXPECT_EQ(FouledPlayer, kAirPlayer);
    EXPECT_EQ(FoulTeam, 1);
    MatchFoulChance = 0;
    PlaceFigure(kAirPlayer, 796, 1000, kActionAerialChallenge);
    for (int tick = 0; tick < 100 && MatchFigures[kAirPlayer].action == kActionAerialChallenge; ++tick)
        RunAction(kAirPlayer);
    EXPECT_EQ(MatchPhase, kPhaseOpenPlay);
}

TEST_F(AirPlayTest, TheSlidingPokesShareOneMarkFlagAndCountAShot) {
    PlaceFigure(kAirPlayer, 796, 1700, kActionSlidingPoke);
    PlaceFigure(kAirMate, 900, 1700, kActionSlidingPoke);
    PlaceBall(796, 1706);
    RunAction(kAirPlayer);
    RunAction(kAirMate);
    EXPECT_EQ(AirMarks, 1);
    EXPECT_EQ(+MatchFigures[kAirPlayer].hasKicked, 1);
    EXPECT_EQ(LastToucher, kAirPlayer);
    EXPECT_EQ(+MatchFigures[kAirPlayer].counts[kCountShots], 1);
    for (int tick = 0; tick < 100 && MatchFigures[kAirPlayer].action == kActionSlidingPoke; ++tick)
        RunAction(kAirPlayer);
    EXPECT_EQ(+MatchFigures[kAirPlayer].action, kActionThink);
    EXPECT_EQ(PokeMarkFlag, 0);
    RunAction(kAirMate);
    EXPECT_EQ(AirMarks, 2);
}

TEST_F(AirPlayTest, AHandballOutsideOpenPlayDeflectsButStopsNothing) {
    MatchFigure& p = Ready(kAirPlayer, kActionHandball, 796, 1000, 100);
    p.ballDirection = 128;
    MatchPhase = kPhaseThrowIn;
    RunAction(kAirPlayer);
    EXPECT_EQ(+p.hasKicked, 1);
    EXPECT_EQ(MatchPhase, 3);
    EXPECT_EQ(+p.counts[kCountHandballs], 0);
}

TEST(AirPlayTables, HeaderTablesByHeight) {
    EXPECT_EQ(Match_NearGoalHeaderLift(0), -147456);
    EXPECT_EQ(Match_NearGoalHeaderLift(199), 131072);
    EXPECT_EQ(Match_NearGoalHeaderLift(299), 163840);
    EXPECT_EQ(Match_NearGoalHeaderLift(300), -98304);
    EXPECT_EQ(Match_FarHeaderLift(120), 294912);
    EXPECT_EQ(Match_FarHeaderLift(300), -65536);
    EXPECT_EQ(Match_HeaderPassLift(59), -65536);
    EXPECT_EQ(Match_HeaderPassLift(290), 196608);
    EXPECT_EQ(Match_HeaderPassLift(300), -65536);
}

}  // namespace

namespace {

using namespace scenario;

class AirPlayScene : public ::testing::Test {
  protected:
    void SetUp() override {
        FillTwoClubs(47);
        StartMatch(13);  // team 0 attacks the goal at y 2038
        MatchResetTackleCounts();
        MatchFoulChance = MatchDismissalThreshold = 100;
        for (int f = 0; f < kPlayerFigures; ++f) {
            MatchFigures[f].off = 1;
            MatchFigures[f].action = kActionStand;
        }
    }
    static void Fly(int x, int y, int z, int32_t vx, int32_t vy, int32_t vz) {
        PlaceBall(x, y, z);
        BallState.vx = vx;
        BallState.vy = vy;
        BallState.vz = vz;
        BallState.holder = BallState.controller = 0;
        Ball_UpdateDirectionSpeed();
    }
};

TEST_F(AirPlayScene, ACrossHeadedAtGoalInsideTheAreaGoesTowardTheAimPoint) {
    constexpr int16_t header = 9;
    MatchFigure& h = MatchFigures[header];
    h.off = 0;
    PlaceFigure(header, 830, 1850, kActionAttackingHeader);
    h.facing = 192;  // toward the cross
    h.aimX = 830;
    h.aimY = 1850;
    h.heading = 80;
    FreeKickAimX = 760;  // inside the left post
    FreeKickAimY = 2038;
    Fly(670, 1850, 150, 8 * 65536, 0, 400000);
    StartOpenPlay(1);
    LastToucher = 16 + 7;  // the crosser
    bool headed = false;
    for (int tick = 0; tick < 60 && !headed; ++tick) {
        MatchTick();
        headed = h.hasKicked != 0;
    }
    ASSERT_TRUE(headed);
    EXPECT_EQ(MatchPhase, kPhaseOpenPlay);
    EXPECT_EQ(+h.counts[kCountShots], 0);
    EXPECT_EQ(+h.counts[kCountHeadersAttacking], 1);
    EXPECT_EQ(+BallTeam, 0);
    const int along = Match_DirectionTo(0, 0, BallState.vx / 256, BallState.vy / 256);
    EXPECT_LE(Match_FoldedDifference(along, Match_DirectionTo(BallState.x, BallState.y, 760, 2038)), 8);
    // It flies on toward the goal line near the aim point.
    for (int tick = 0; tick < 200 && BallState.y < 2030 && MatchPhase == kPhaseOpenPlay; ++tick) MatchTick();
    EXPECT_GE(+BallState.y, 1990);
    EXPECT_NEAR(+BallState.x, 760, 80);
}

TEST_F(AirPlayScene, ASlowBallAtChestHeightIsControlledAndKept) {
    constexpr int16_t player = 7;
    MatchFigure& p = MatchFigures[player];
    p.off = 0;
    PlaceFigure(player, 796, 1200, kActionChestControlD);
    p.facing = 0;
    p.aimX = 796;
    p.aimY = 1200;
    p.control = 90;
    // A slow ball dropping in from in front of him.
    Fly(796, 1110, 150, 0, 3 * 65536, 0);
    StartOpenPlay(1);
    LastToucher = 16 + 4;
    bool controlled = false;
    int tick = 0;
    for (; tick < 400; ++tick) {
        MatchTick();
        controlled |= p.hasKicked != 0 && p.action == kActionChestControlD;
        if (controlled && p.hasBall != 0) break;
    }
    EXPECT_TRUE(controlled);
    EXPECT_EQ(p.counts[kCountGoodControls] + p.counts[kCountPoorControls], 1);
    EXPECT_EQ(MatchPhase, kPhaseOpenPlay);
    EXPECT_EQ(+p.hasBall, 1);
    EXPECT_EQ(+BallTeam, 0);
}

}  // namespace
