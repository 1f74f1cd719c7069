// The shots and the goalkeeper's routines one by one: the strikes at the aim
// point at 35 and 36 yards, the turning shots' lift and swerve, the dummy
// round the keeper, the keeper's stance and save choice, the contact test
// of his hands, the standing saves, his release and goal kick, and the play
// at an attacker's feet.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ballcollide.h"
#include "core/match/fouls.h"
#include "core/match/geometry.h"
#include "core/match/highball.h"
#include "core/match/keeper.h"
#include "core/match/matchphases.h"
#include "core/match/offside.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/shooting.h"
#include "core/match/shotchoice.h"
#include "core/match/strikes.h"
#include "tests/core/match/openplay_fixture.h"

namespace {

using openplaytest::OpenPlayTest;

int keeperTestEvents[64];
void KeeperTestSound(int16_t event, int16_t) {
    if (event >= 0 && event < 64) ++keeperTestEvents[event];
}

// Team 0 attacks the goal at y 2038; team 1's keeper (16) defends it, team
// 0's keeper (0) the goal at y 126.
class KeeperTest : public OpenPlayTest {
  protected:
    static constexpr int16_t kKeeper = 16;
    void SetUp() override {
        OpenPlayTest::SetUp();
        AttackDirection = 0;
        BallTeam = 0;
        for (int figure = 0; figure < kPlayerFigures; ++figure) MatchFigures[figure].off = 1;
        for (int& n : keeperTestEvents) n = 0;
        MatchHooks.soundEvent = KeeperTestSound;
        Match_ResetOpenPlayState();
        PlayStopped = 0;
        MatchFigure& k = MatchFigures[kKeeper];
        k.keeping = k.agility = k.heading = 80;
        k.intelligence = k.vision = 100;
        k.power = 60;
        On(kKeeper, 796, 2010);
    }
    static void On(int16_t figure, int x, int y) {
        MatchFigures[figure].off = 0;
        Put(figure, x, y);
    }
    // The figure on the ball in a strike, one tick before its window.
    static void ReadyToShoot(int16_t figure, uint16_t action, uint16_t param, int windowFrom) {
        Match_SetPlayerAction(figure, action);
        MatchFigure& f = MatchFigures[figure];
        f.actionParam = param;
        f.hasBall = 1;
        f.frame = int16_t(windowFrom - 2);
    }
    // A ball in flight at (x, y, z) with the velocity in whole units a tick.
    static void FlyBall(int x, int y, int z, int vx, int vy, int vz) {
        PutBall(x, y);
        BallState.z = int16_t(z);
        BallState.z16 = z * 65536;
        BallState.vx = vx * 65536;
        BallState.vy = vy * 65536;
        BallState.vz = vz * 65536;
        BallState.speed = uint8_t(std::abs(vx) + std::abs(vy));
        BallState.direction = Match_DirectionTo(0, 0, vx, vy);
        BallState.drag = 1000;
    }
};

TEST_F(KeeperTest, AStrikeIsAShotUpTo35YardsAndALongStrikeBeyond) {
    MatchFigure& f = MatchFigures[5];
    f.shooting = 70;
    f.passing = 20;
    f.intelligence = 60;
    for (int yards : {35, 36}) {
        TeamShotCount[0] = 0;
        ShooterFigure = -1;
        LastShooter = 255;
        On(5, 796, 2038 - yards * 16);
        PutBall(796, 2038 - yards * 16 + 4);
        FreeKickAimX = 840;
        FreeKickAimY = 2038;
        // Facing the aim exactly: no turn, no spread.
        f.facing = Match_DirectionTo(796, 2038 - yards * 16, 840, 2038);
        ReadyToShoot(5, kActionAimedStrikeD, 0, 30);
        Run(5);
        ASSERT_EQ(+f.hasKicked, 1) << yards;
        EXPECT_EQ(FreeKickAimX, 840) << "a = 0 hits the aim exactly";
        EXPECT_EQ(FreeKickAimY, 2038);
        EXPECT_EQ(TeamShotCount[0], yards == 35 ? 1 : 0);
        EXPECT_EQ(ShooterFigure, yards == 35 ? 5 : -1);
        EXPECT_EQ(LastShooter, yards == 35 ? 5 : 255);
    }
    // Turned half round, the far strike spreads with passing and loses a
    // quarter of the turn in length only.
    On(5, 796, 1200);
    PutBall(796, 1204);
    f.facing = 0;  // the aim lies behind him
    FreeKickAimX = 796;
    FreeKickAimY = 2038;
    ReadyToShoot(5, kActionAimedStrikeD, 1, 18);
    GameSeedRandom(5);
    Run(5);
    ASSERT_EQ(+f.hasKicked, 1);
    const int a = 128, spread = (100 - f.passing) * a / 100 + a / 8;
    EXPECT_LE(std::abs(FreeKickAimX - 796), spread);
    EXPECT_LE(std::abs(FreeKickAimY - 2038), spread);
    // Parameter 1 from beyond 40 yards: high, its ground speed cut.
    EXPECT_GE(BallState.vz, 10 * (f.intelligence / 2 * 256 + 114688));
    EXPECT_EQ(BallState.vy, (f.shooting + 170 - a / 4) * 4096 * 60 / 100);
    // Parameter 2 is always struck low, however far out.
    ReadyToShoot(5, kActionAimedStrikeD, 2, 18);
    PutBall(796, 1204);
    Run(5);
    ASSERT_EQ(+f.hasKicked, 1);
    EXPECT_LE(BallState.vz, 10 * 114688);
    EXPECT_EQ(BallState.vy, (f.shooting + 170 - a / 4) * 4096);
}

// Over many strikes from random spots, facings and skills the aim point
// moves no further than the spread the turn and the skill allow, and the
// ball leaves along the direction to the aim taken before the blur.
TEST_F(KeeperTest, TheAimPointStaysWithinTheSpreadOfEveryStrike) {
    MatchFigure& f = MatchFigures[5];
    constexpr uint16_t kActions[] = {129, 130, 131, 132};
    constexpr int kWindow[4][2] = {{28, 29}, {19, 15}, {28, 24}, {30, 18}};
    constexpr int kNear[4] = {4, 4, 6, 6};
    for (int i = 0; i < 4000; ++i) {
        GameSeedRandom(uint32_t(i + 1));
        const int member = i % 4;
        const int x = 300 + GameRandom() % 1000, y = 1000 + GameRandom() % 1000;
        const int aimX = 730 + GameRandom() % 133;
        On(5, x, y);
        PutBall(x, y + 4);
        f.facing = uint16_t(GameRandom() % 256);
        f.shooting = int8_t(1 + GameRandom() % 100);
        f.passing = int8_t(1 + GameRandom() % 100);
        const uint16_t param = uint16_t(GameRandom() % 3);
        FreeKickAimX = int16_t(aimX);
        FreeKickAimY = 2038;
        ReadyToShoot(5, kActions[member], param, kWindow[member][param == 0 ? 0 : 1]);
        const int toward = Match_DirectionTo(x, y, aimX, 2038);
        Run(5);
        ASSERT_EQ(+f.hasKicked, 1) << i;
        const int goal = Match_ApproxDistance(x, y, 796, 2038);
        const bool shot = goal / 16 <= 35;
        const int e = std::max(1, 100 - (shot ? f.shooting : f.passing));
        const int a = Match_FoldedDifference(toward, f.facing & 255);
        const int spread = (e * a / 100 + a / 8) * (shot ? kNear[member] : 1);
        ASSERT_LE(std::abs(FreeKickAimX - aimX), spread) << i;
        ASSERT_LE(std::abs(FreeKickAimY - 2038), spread) << i;
        // The ball leaves along the unblurred direction.
        ASSERT_LE(
            Match_FoldedDifference(Match_DirectionTo(0, 0, BallState.vx / 4096, BallState.vy / 4096), toward),
            2)
            << i;
    }
}

TEST_F(KeeperTest, TheTurningShotsLiftByTheGoalDistanceAndSwerveByTheHalf) {
    MatchFigure& f = MatchFigures[5];
    f.shooting = f.power = 60;
    for (int yards : {25, 5}) {
        On(5, 795, 2038 - yards * 16);
        PutBall(795, 2038 - yards * 16 + 4);
        FreeKickAimX = 900;  // aimed right, standing left: still the left swerve
        FreeKickAimY = 2038;
        ReadyToShoot(5, kActionTurningShotB, 0, 21);
        Run(5);
        ASSERT_EQ(+f.hasKicked, 1) << yards;
        // 25 yards out or more the highest ball; from 5 yards (G 80) a
        // lift lower by 50 x 320.
        const int v = yards == 25 ? 1 : 320;
        EXPECT_EQ(BallState.vz, 10 * (114688 - 50 * v)) << yards;
        EXPECT_EQ(BallState.swerve[0], -8000);
        EXPECT_EQ(BallState.swerveTime, 30);
    }
    On(5, 900, 1800);
    PutBall(900, 1804);
    ReadyToShoot(5, kActionTurningShotA, 0, 31);
    FreeKickAimX = 700;
    Run(5);
    EXPECT_EQ(BallState.swerve[0], 8000);
    EXPECT_EQ(TeamShotCount[0], 3);
    // 106 and 107 with parameter 2 turn every tick and never strike.
    for (uint16_t action : {kActionTurningShotC, kActionTurningShotD}) {
        On(5, 796, 1800);
        PutBall(796, 1804);
        ReadyToShoot(5, action, 2, 2);
        f.facing = 0;
        FreeKickAimX = 796;
        FreeKickAimY = 2038;
        for (int tick = 0; tick < 60 && f.action == action; ++tick) Run(5);
        EXPECT_EQ(+f.hasKicked, 0) << action;
        EXPECT_EQ(+f.action, kActionRunToPosition) << action;
        EXPECT_NE(+f.facing, 0) << action;
    }
    ReadyToShoot(5, kActionTurningShotD, 0, 15);
    BallState.holder = 3;
    Run(5);
    EXPECT_EQ(+f.action, kActionRunToPosition) << "a held ball ends the shot";
    EXPECT_EQ(+f.hasKicked, 0);
}

// The game's generator stepped on a copy, to tell which draw went where.
struct DrawCopy {
    uint32_t state;
    int Next() {
        state = state * 214013u + 2531011u;
        return int((state >> 16) & 0x7FFF);
    }
};

// With no familiarity with his place the role choice of a player of
// intelligence I is I / 6 + 1 when its draw is above 0 (mod 3), else I.
int RoleChoiceOf(int draw, int intelligence) { return draw % 3 > 0 ? intelligence / 6 + 1 : intelligence; }

// Two draws in one expression are taken in a fixed order whatever the build:
// the lift's own draw first, then the striker's role choice.
TEST_F(KeeperTest, ATurningShotsLiftDrawsBeforeTheRoleChoice) {
    MatchFigure& f = MatchFigures[5];
    f.intelligence = 60;
    int told = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        On(5, 796, 1800);
        PutBall(796, 1804);
        FreeKickAimX = 796;
        FreeKickAimY = 2038;
        ReadyToShoot(5, kActionTurningShotC, 0, 16);
        GameSeedRandom(seed);
        DrawCopy draws{GameRandomState()};
        Run(5);
        ASSERT_EQ(+f.hasKicked, 1) << seed;
        const int first = draws.Next(), second = draws.Next();
        const int lift = first % (RoleChoiceOf(second, 60) + 1);
        EXPECT_EQ(BallState.vz, 10 * (lift * 256 + 45056)) << seed;
        told += lift != second % (RoleChoiceOf(first, 60) + 1);
    }
    EXPECT_GT(told, 10) << "the seeds must tell the two orders apart";
}

// A cross's two-draw expressions take their draws in a fixed order too: the
// header's spread before his role choice, the lift's reach before its rise.
TEST_F(KeeperTest, ACrossTakesItsDrawsInWrittenOrder) {
    MatchFigure& f = MatchFigures[5];
    MatchFigure& header = MatchFigures[9];
    f.intelligence = header.heading = 100;
    int toldMiscue = 0, toldLift = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        for (bool inArea : {true, false}) {
            On(5, 1500, 1900);
            PutBall(1496, 1900);
            MatchPassTargetX = 900;
            MatchPassTargetY = inArea ? 1700 : 1900;
            MatchPassReceiver = int16_t(inArea ? 9 : -1);
            ReadyToShoot(5, kActionCross, 0, 25);
            GameSeedRandom(seed);
            DrawCopy draws{GameRandomState()};
            Run(5);
            ASSERT_EQ(+f.hasKicked, 1) << seed;
            if (inArea) {
                draws.Next();  // the header's miss on his heading: never at 100
                const int spreadDraw = draws.Next(), roleDraw = draws.Next();
                const bool miscue = 100 - spreadDraw % 101 < RoleChoiceOf(roleDraw, 100);
                EXPECT_EQ(BallState.swerveTime == 0, miscue) << seed;
                toldMiscue += miscue != (100 - roleDraw % 101 < RoleChoiceOf(spreadDraw, 100));
            } else {
                const int reach = draws.Next(), rise = draws.Next();
                const int d = std::min<int>(Match_ApproxDistance(MatchCurX, MatchCurY, 900, 1900), 1050);
                const auto liftOf = [d](int a, int b) { return d * (a % 70 + 20) + 53248 + (b % 4) * 4096; };
                EXPECT_EQ(BallState.vz, 10 * liftOf(reach, rise)) << seed;
                toldLift += liftOf(reach, rise) != liftOf(rise, reach);
            }
        }
    }
    EXPECT_GT(toldMiscue, 5) << "the seeds must tell the two orders apart";
    EXPECT_GT(toldLift, 10);
}

TEST_F(KeeperTest, TheDummySendsAReadyKeeperDownAndPushesTheBallOnce) {
    MatchFigure& f = MatchFigures[5];
    MatchFigure& k = MatchFigures[kKeeper];
    On(5, 796, 1900);
    PutBall(796, 1904);
    Match_SetPlayerAction(kKeeper, kActionKeeperReady);
    Match_SetPlayerAction(5, kActionRoundTheKeeperB);
    f.hasBall = 1;
    f.facing = 128;
    f.frame = 29;  // the push comes at frame 31
    Run(5);
    EXPECT_EQ(+k.action, kActionKeeperBlockA);
    EXPECT_EQ(+k.actionParam, 4);
    EXPECT_EQ(+f.hasKicked, 1);
    EXPECT_EQ(+f.ballWork2, 8);
    EXPECT_NE(BallState.vx, 0);
    EXPECT_EQ(keeperTestEvents[6], 1);
    const int32_t vx = BallState.vx;
    Run(5);
    EXPECT_EQ(BallState.vx, vx) << "pushed once";
    // A keeper who has left his stance is left alone; without the ball
    // nothing is pushed and the event repeats every tick.
    Match_SetPlayerAction(kKeeper, kActionKeeperSmother);
    Match_SetPlayerAction(5, kActionRoundTheKeeperC);
    f.hasBall = 0;
    f.frame = 30;
    for (int tick = 0; tick < 3; ++tick) Run(5);
    EXPECT_EQ(+k.action, kActionKeeperSmother);
    EXPECT_EQ(+f.hasKicked, 0);
    EXPECT_EQ(keeperTestEvents[6], 4);
    while (f.action == kActionRoundTheKeeperC) Run(5);
    EXPECT_EQ(+f.action, kActionThink);
    EXPECT_EQ(TeamChallenger[0], 5);
}

TEST_F(KeeperTest, TheStanceStandsBetweenBallAndGoalOrAtItsFixedPlace) {
    int tx = 0, ty = 0;
    MatchCurX = 796;
    MatchCurY = 2010;
    PutBall(796, 1500);
    Match_KeeperStanceTarget(kKeeper, tx, ty);
    EXPECT_EQ(tx, 796);
    EXPECT_EQ(ty, 2038 + (1500 - 2038) / 8);
    PutBall(1200, 2010);  // level with him, to the right
    Match_KeeperStanceTarget(kKeeper, tx, ty);
    EXPECT_EQ(tx, 796 + 108);
    PutBall(300, 2010);
    Match_KeeperStanceTarget(kKeeper, tx, ty);
    EXPECT_EQ(tx, 796 - 108);
    // Team 0's keeper at the other end, ball level on his left.
    MatchCurX = 796;
    MatchCurY = 150;
    PutBall(1300, 150);
    Match_KeeperStanceTarget(0, tx, ty);
    EXPECT_EQ(tx, 796 + 108);
    // Out of play: the fixed stance on the line, and the shoot-out's resting
    // keeper of the bottom goal beside the other goal.
    MatchPhase = kPhaseTakeCorner;
    Match_KeeperStanceTarget(kKeeper, tx, ty);
    EXPECT_EQ(tx, 796);
    EXPECT_EQ(ty, 2024);
    Period = 4;
    Match_KeeperStanceTarget(kKeeper, tx, ty);
    EXPECT_EQ(tx, 996);
    EXPECT_EQ(ty, 426);
    EXPECT_EQ(+MatchFigures[kKeeper].targetX, 996);
    Match_KeeperStanceTarget(0, tx, ty);
    EXPECT_EQ(ty, 140);
}

TEST_F(KeeperTest, TheSaveChoiceNeedsANearSoonMeetingAndIsNoiselessWithFullSkill) {
    MatchFigure& k = MatchFigures[kKeeper];
    MatchCurX = k.x;
    MatchCurY = k.y;
    CurrentTeam = 1;
    // A ball coming straight at him at chest height: a save, and with
    // Intelligence and Vision 100 the choice keeps the prediction.
    FlyBall(800, 1900, 100, 0, 10, 0);
    BallState.gravity = 0;
    const uint16_t save = Match_KeeperChooseSave(kKeeper);
    EXPECT_NE(save, 152);
    EXPECT_EQ(BallMeetPrediction.distance, BallPrediction.bestDistance);
    EXPECT_EQ(BallMeetPrediction.height, BallPrediction.height);
    EXPECT_EQ(BallMeetPrediction.x, BallPrediction.x);
    EXPECT_EQ(+k.aimX, BallMeetPrediction.x);
    // Too far from him, or too late: no save whatever the noise.
    k.intelligence = k.vision = 1;
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        GameSeedRandom(seed);
        FlyBall(1100, 1900, 100, 0, 10, 0);  // passes 300 to his side
        EXPECT_EQ(Match_KeeperChooseSave(kKeeper), 152);
        FlyBall(800, 1500, 100, 0, 8, 0);  // reaches him in about 63 ticks
        k.agility = 100;
        EXPECT_EQ(Match_KeeperChooseSave(kKeeper), 152);
    }
}

TEST_F(KeeperTest, TheStanceStartsSavesOnlyInsideTheAreaAndNotForASlowLowBall) {
    MatchFigure& k = MatchFigures[kKeeper];
    k.keeping = 100;  // chooses every tick
    BallState.gravity = 0;
    FlyBall(800, 1900, 100, 0, 10, 0);
    Match_SetPlayerAction(kKeeper, kActionKeeperReady);
    Run(kKeeper);
    EXPECT_NE(+k.action, kActionKeeperReady) << "a save inside the area";
    // Outside his area he does not start one.
    Put(kKeeper, 796, 1700);
    FlyBall(800, 1600, 100, 0, 10, 0);
    Match_SetPlayerAction(kKeeper, kActionKeeperReady);
    Run(kKeeper);
    EXPECT_FALSE(k.action >= kActionKeeperCatchHigh && k.action <= kActionKeeperShortHighParryDive &&
                 k.action != kActionKeeperClear && k.action != kActionKeeperSmother)
        << +k.action;
    // A slow low ball is no save.
    Put(kKeeper, 796, 2010);
    FlyBall(800, 1960, 20, 0, 3, 0);
    Match_SetPlayerAction(kKeeper, kActionKeeperReady);
    Run(kKeeper);
    EXPECT_TRUE(k.action == kActionKeeperReady || k.action == kActionKeeperSmother ||
                k.action == kActionKeeperClear || k.action == kActionKeeperCatchLow)
        << +k.action;
    // An outfield player in the stance gives it back.
    On(20, 500, 500);
    Match_SetPlayerAction(kKeeper, kActionThink);
    Match_SetPlayerAction(20, kActionKeeperReady);
    Run(20);
    EXPECT_EQ(+MatchFigures[20].action, kActionStand);
    EXPECT_EQ(+k.action, kActionKeeperReady);
}

// The contact test of a diving keeper's hands.
TEST_F(KeeperTest, TheHandsCatchPunchOrParryByHeightSpeedAndSkill) {
    MatchFigure& k = MatchFigures[kKeeper];
    KeeperDiveDirection = 192;  // diving to his left (smaller x)
    const int reach = k.keeping / 8 + 20, half = reach / 2;
    const int handsX = 796 - half;
    auto dive = [&](uint16_t action, int z, int speed) {
        Put(kKeeper, 796, 2010);
        Match_SetPlayerAction(kKeeper, action);
        FlyBall(handsX, 2010, z, 0, speed, 0);
        ShooterFigure = 9;
        MatchCurX = 796;
        MatchCurY = 2010;
    };
    // A low dive never meets a ball above 110; a high one none below 70.
    dive(157, 120, 12);
    KeeperDiveType = 1;
    Match_KeeperParry(kKeeper, 0);
    EXPECT_EQ(+k.hasKicked, 0);
    dive(171, 60, 12);
    KeeperDiveType = 2;
    Match_KeeperParry(kKeeper, 0);
    EXPECT_EQ(+k.hasKicked, 0);
    // A slow ball is never parried: caught in open play by a holding dive...
    dive(160, 80, 6);
    KeeperDiveType = 0;
    Match_KeeperParry(kKeeper, 0);
    EXPECT_EQ(+k.action, kActionKeeperShortMiddleHoldingDive);
    EXPECT_EQ(ShooterFigure, -1);
    EXPECT_EQ(TeamSavedShotCount[0], 1);
    // ...punched by a parry-only dive, and not held outside open play.
    dive(199, 80, 6);
    Match_KeeperParry(kKeeper, 1);
    EXPECT_EQ(+k.action, kActionKeeperShortMiddleParryDive);
    EXPECT_EQ(+k.counts[kCountPunches], 1);
    EXPECT_LT(BallState.vy, 0) << "punched back";
    EXPECT_EQ(TeamSavedShotCount[0], 2);
    MatchPhase = kPhaseGoalKick;
    dive(160, 80, 6);
    Match_KeeperParry(kKeeper, 0);
    EXPECT_EQ(+k.action, kActionKeeperShortMiddleDive);
    EXPECT_EQ(+k.hasKicked, 1);
    // Once touched, no second touch in the same action.
    MatchPhase = kPhaseOpenPlay;
    const int32_t vy = BallState.vy;
    Match_KeeperParry(kKeeper, 0);
    EXPECT_EQ(BallState.vy, vy);
    // Outside the hands box nothing happens.
    dive(160, 80, 6);
    BallState.x = int16_t(796 + reach);
    Match_KeeperParry(kKeeper, 0);
    EXPECT_EQ(+k.hasKicked, 0);
}

TEST_F(KeeperTest, AfterATipNoStandingCatchTakesTheBallFor25Ticks) {
    MatchFigure& k = MatchFigures[kKeeper];
    // Tipped over: the ball slowed and lifted, the shot credited.
    Match_SetPlayerAction(kKeeper, kActionKeeperTipOver);
    k.actionParam = 40;
    FlyBall(800, 2010, 150, 0, 10, 0);
    ShooterFigure = 9;
    Run(kKeeper);
    EXPECT_EQ(+k.hasKicked, 1);
    EXPECT_EQ(KeeperTipTimer, 25);
    EXPECT_EQ(BallState.vy, 5 * 65536);
    EXPECT_EQ(TeamSavedShotCount[0], 1);
    EXPECT_EQ(+k.counts[kCountTips], 1);
    // A low catch in reach does not take it while the timer runs.
    Match_SetPlayerAction(kKeeper, kActionKeeperCatchLow);
    FlyBall(800, 2010, 20, 0, 2, 0);
    Run(kKeeper);
    EXPECT_EQ(+k.action, kActionKeeperCatchLow);
    KeeperTipTimer = 0;
    Run(kKeeper);
    EXPECT_EQ(+k.action, kActionKeeperHoldLowCatch);
    EXPECT_EQ(BallState.holder, kKeeper + 1);
}

TEST_F(KeeperTest, ALosingKeeperHoldsTheBallAndWaitsAtOnce) {
    MatchFigure& k = MatchFigures[kKeeper];
    Goals[0] = 1;  // his team (1) is behind
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        GameSeedRandom(seed);
        PutBall(796, 2010);
        BallState.z = 100;
        MatchPhase = kPhaseOpenPlay;
        Match_KeeperTakesBall(kKeeper);
        EXPECT_EQ(+k.action, kActionKeeperHoldBall) << seed;
        EXPECT_EQ(BallState.holder, kKeeper + 1);
        EXPECT_EQ(MatchPhase, 12);
    }
    // A ball on the grass is gathered at the feet instead.
    PutBall(796, 2010);
    BallState.z = 10;
    MatchPhase = kPhaseOpenPlay;
    Match_KeeperTakesBall(kKeeper);
    EXPECT_EQ(+k.action, kActionKeeperSmother);
    // With a call pending he lets it go.
    RefereeAction = 8;
    MatchPhase = kPhaseOpenPlay;
    Match_KeeperTakesBall(kKeeper);
    EXPECT_EQ(+k.action, kActionKeeperReady);
    EXPECT_EQ(BallState.holder, 0);
    RefereeAction = 0;
}

TEST_F(KeeperTest, TheReleaseThrowsOnlyToAFreeMateAndNotStraightUpfield) {
    MatchFigure& k = MatchFigures[kKeeper];
    for (int figure = 17; figure < 27; ++figure) On(int16_t(figure), 600 + 20 * (figure - 17), 1700);
    auto release = [&](int mateX, int mateY, bool opponentNear) {
        for (int figure = 17; figure < 27; ++figure) {
            MatchFigures[figure].targetX = int16_t(mateX);
            MatchFigures[figure].targetY = int16_t(mateY);
            MatchFigures[figure].x = int16_t(mateX);
            MatchFigures[figure].y = int16_t(mateY);
        }
        On(5, opponentNear ? mateX / 2 + 398 : 300, opponentNear ? mateY : 300);
        MatchFigures[5].targetX = MatchFigures[5].x;
        MatchFigures[5].targetY = MatchFigures[5].y;
        Put(kKeeper, 796, 2010);
        PutBall(796, 2010);
        Match_SetPlayerAction(kKeeper, kActionKeeperDistribute);
        Run(kKeeper);  // the choice
        Run(kKeeper);  // the release
        return +k.action;
    };
    for (int i = 0; i < 10; ++i) BallRanking[1][i] = int16_t(17 + i);
    // A mate out to the side, nobody near: thrown.
    EXPECT_EQ(release(1300, 1900, false), 189);
    EXPECT_EQ(KeeperKickPower, -1);
    EXPECT_TRUE(KeeperThrowTarget >= 17 && KeeperThrowTarget <= 26) << KeeperThrowTarget;
    // An opponent by the point: kicked from the hands.
    EXPECT_EQ(release(1300, 1900, true), 161);
    // Straight upfield: kicked.
    EXPECT_EQ(release(796, 1700, false), 161);
    // Too far for a throw (power 120 or more): kicked.
    EXPECT_EQ(release(1300, 800, false), 161);
}

TEST_F(KeeperTest, ALosingKeeperBuildsTheGoalKickAtOnceAndWaitsLess) {
    MatchFigure& k = MatchFigures[kKeeper];
    for (int figure = 17; figure < 27; ++figure) {
        On(int16_t(figure), 700 + 10 * (figure - 17), 1200);
        MatchFigures[figure].ballDistance = 800;
        MatchFigures[figure].targetX = MatchFigures[figure].x;
        MatchFigures[figure].targetY = MatchFigures[figure].y;
    }
    for (int i = 0; i < 10; ++i) BallRanking[1][i] = int16_t(17 + i);
    for (int losing = 0; losing < 2; ++losing) {
        Goals[0] = int16_t(losing);
        for (uint32_t seed = 1; seed <= 30; ++seed) {
            GameSeedRandom(seed);
            Put(kKeeper, 796, 2000);
            PutBall(796, 1960);
            Match_SetPlayerAction(kKeeper, kActionKeeperAimGoalKick);
            Run(kKeeper);  // the choice
            int ticks = 0;
            while (k.action == kActionKeeperAimGoalKick && ticks < 500) {
                Run(kKeeper);
                ++ticks;
                if (losing == 1 && k.action == kActionKeeperAimGoalKick) {
                    ASSERT_GT(KeeperKickPower, 0) << "full power at once";
                }
            }
            ASSERT_EQ(+k.action, kActionKeeperBackOff) << seed;
            if (losing == 1) {
                EXPECT_GE(ticks, 3 - 1) << seed;
                EXPECT_LE(ticks, 15) << seed;
            } else {
                EXPECT_GE(ticks, 10) << seed;
            }
        }
    }
    Goals[0] = 0;
}

TEST_F(KeeperTest, TheSmotherFoulsOnlyAChallengingAttackerAndKnocksSkillsToTwoAtLeast) {
    MatchFigure& k = MatchFigures[kKeeper];
    MatchFigure& a = MatchFigures[9];
    On(9, 800, 1960);
    auto smother = [&](uint32_t seed) {
        GameSeedRandom(seed);
        Put(kKeeper, 800, 1964);
        PutBall(800, 1966);
        Match_SetPlayerAction(kKeeper, kActionKeeperSmother);
        MatchPhase = kPhaseOpenPlay;
        RefereeAction = 0;
        Match_SetPlayerAction(kRefereeFigure, kOfficialRestartPosition);
        Run(kKeeper);
        // A call is the referee's to deal with: he goes with it at once.
        if (RefereeAction != 0) {
            EXPECT_EQ(+MatchFigures[kRefereeFigure].action, RefereeAction) << seed;
        }
    };
    // No challenger: only counted.
    TeamChallenger[0] = kNoChallenger;
    smother(1);
    EXPECT_EQ(+k.action, kActionKeeperGatherFeet);
    EXPECT_EQ(+k.counts[kCountSmothers], 1);
    // A challenger neither tackling nor on the ball: no foul ever.
    TeamChallenger[0] = 9;
    for (uint32_t seed = 1; seed <= 100; ++seed) {
        Match_SetPlayerAction(9, kActionRunToPosition);
        a.hasBall = 0;
        a.touchLockout = 0;
        smother(seed);
        ASSERT_EQ(MatchPhase, 0) << seed;
    }
    EXPECT_EQ(+a.counts[kCountKnockedDown], 0);
    // On the ball: a knock that never leaves a skill at 0; brought down at
    // the keeper's feet each time.
    int knocked = 0, fouls = 0, hurt = 0;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        a.counts[kCountKnockedDown] = 0;
        Match_SetPlayerAction(9, kActionOnBall);
        a.hasBall = 1;
        a.pace = a.passing = a.shooting = a.tackling = a.heading = a.dribble = a.power = a.agility =
            a.stamina = 1;
        a.resilience = 0;
        k.resilience = 0;
        k.agility = 0;
        Match_SetPlayerAction(kKeeper, kActionKeeperSmother);
        smother(seed);
        knocked += a.pace == 2;
        ASSERT_EQ(+a.counts[kCountKnockedDown], 1) << seed;
        ASSERT_NE(+a.pace, 0);
        ASSERT_NE(+a.stamina, 0);
        fouls += MatchPhase == kPhaseFoul;
        if (k.action == kActionFallForward) {
            ++hurt;
            EXPECT_EQ(RefereeAction, 8);
            EXPECT_EQ(+k.injury, 1);
        }
        k.injury = 0;
    }
    EXPECT_GT(knocked, 250);
    EXPECT_GT(fouls, 0);
    EXPECT_GT(hurt, 0);
}

// A sliding attacker's foul on the smothering keeper: the referee's leaning
// is read for the team being handled (the keeper's), and the foul record
// names the attacker.
TEST_F(KeeperTest, TheSmotherReadsTheRefereesLeaningForTheKeepersTeam) {
    MatchFigure& k = MatchFigures[kKeeper];
    k.resilience = 100;  // never hurt
    On(9, 800, 1960);
    TeamChallenger[0] = 9;
    const int16_t foulChance = MatchFoulChance;
    MatchFoulChance = 200;  // the foul roll always passes
    auto fouls = [&](int16_t favours) {
        RefereeFavours = favours;
        int n = 0;
        for (uint32_t seed = 1; seed <= 100; ++seed) {
            GameSeedRandom(seed);
            Match_SetPlayerAction(9, kActionSlideTackle);
            Put(kKeeper, 800, 1964);
            PutBall(800, 1966);
            Match_SetPlayerAction(kKeeper, kActionKeeperSmother);
            MatchPhase = kPhaseOpenPlay;
            RefereeAction = 0;
            FoulerFigure = FouledPlayer = -1;
            Run(kKeeper);
            if (MatchPhase != kPhaseFoul) continue;
            ++n;
            EXPECT_EQ(FoulerFigure, 9);
            EXPECT_EQ(FouledPlayer, kKeeper);
            EXPECT_EQ(FoulTeam, 0);
        }
        return n;
    };
    EXPECT_EQ(fouls(1), 100) << "leaning to the attackers' team";
    const int favoured = fouls(2);
    EXPECT_GT(favoured, 50) << "leaning to the keeper's team";
    EXPECT_LT(favoured, 100);
    RefereeFavours = 0;
    MatchFoulChance = foulChance;
}

// Near his point the shuffling keeper faces the ball at once; far from it
// he faces the point.
TEST_F(KeeperTest, TheShuffleFacesTheBallNearItsPointAndThePointFarFromIt) {
    MatchFigure& k = MatchFigures[kKeeper];
    MatchCurX = k.x;
    MatchCurY = k.y;
    k.ballDirection = 64;
    k.facing = 192;
    Match_RunToPoint(kKeeper, 796, 1900);
    EXPECT_EQ(+k.facing, 64);
    k.facing = 192;
    Match_RunToPoint(kKeeper, 796, 1500);
    EXPECT_EQ(+k.facing, Match_DirectionTo(796, 2010, 796, 1500));
}

TEST_F(KeeperTest, TheClearanceAndTheBlockMeetTheBallAsTheyShould) {
    MatchFigure& k = MatchFigures[kKeeper];
    // No team-mate to find: length 140 with the challenger far, Power x 2 +
    // 140 with him near.
    TeamChallenger[0] = 9;
    On(9, 300, 300);
    for (int near = 0; near < 2; ++near) {
        MatchFigures[9].rankDistance = int16_t(near ? 30 : 300);
        Put(kKeeper, 796, 2000);
        k.facing = 0;
        PutBall(796, 1995);
        Match_SetPlayerAction(kKeeper, kActionKeeperClear);
        k.frame = 20;
        Run(kKeeper);
        ASSERT_EQ(+k.hasKicked, 1) << near;
        const int length = near ? k.power * 2 + 140 : 140;
        EXPECT_EQ(BallState.vy, -length * 4096) << near;
    }
    // A block only touches a ball at 110 or below.
    Match_SetPlayerAction(kKeeper, kActionKeeperBlockA);
    k.actionParam = 4;
    Put(kKeeper, 796, 2000);
    FlyBall(796, 1995, 111, 0, 10, 0);
    Run(kKeeper);
    EXPECT_EQ(+k.hasKicked, 0);
    FlyBall(796, 1995, 110, 0, 10, 0);
    Run(kKeeper);
    EXPECT_EQ(+k.hasKicked, 1);
    EXPECT_EQ(+k.counts[kCountPunches], 1);
}

TEST_F(KeeperTest, TheEmptyHandlersLeaveTheFigureAlone) {
    for (uint16_t action :
         {kActionKeeperEmptyA, kActionKeeperEmptyB, kActionKeeperEmptyC, kActionKeeperEmptyD,
          kActionKeeperEmptyE, kActionKeeperEmptyF, kActionKeeperEmptyG}) {
        Match_SetPlayerAction(kKeeper, action);
        MatchFigures[kKeeper].frame = 7;
        const MatchFigure before = MatchFigures[kKeeper];
        Run(kKeeper);
        EXPECT_EQ(std::memcmp(&before, &MatchFigures[kKeeper], sizeof before), 0) << action;
    }
}

}  // namespace
