#include "core/match/strikes.h"
#include "core/match/actions.h"

#include <algorithm>
#include <cstdlib>

#include "core/base/random.h"
#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/ballturns.h"
#include "core/match/dribble.h"
#include "core/match/geometry.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/onball.h"
#include "core/match/passing.h"
#include "core/match/ranking.h"
#include "core/match/shotchoice.h"
#include "core/match/soundevents.h"

int16_t LastKicker = -1;
uint8_t LastPasser = 255, LastStriker = 255, LastShooter = 255, LastCrosser = 255, CrossReceiver = 255;
ScoringStrike LastScoringStrike = {-1, kShotFooted, 0, 0};
uint16_t LongPassFlag;
uint16_t TeamCrossCount[2];
uint16_t TeamShotCount[2];
int16_t ShotOriginX, ShotOriginY, ShotOriginMinute;
uint8_t ReceiveCount;

namespace {

constexpr int kCountedShotYards = 35;
constexpr int32_t kCrossSpin = 8000;
constexpr int32_t kPassLift[5] = {120, 150, 100, 140, 150};
constexpr int32_t kPassLiftTwoBase = 40960;

uint8_t Byte(int16_t figure) { return figure >= 0 && figure < kPlayerFigures ? uint8_t(figure) : 255; }

bool Receiver(int16_t r) { return r >= 0 && r < kPlayerFigures; }

// Nobody holds the ball, he has it at his feet and has not struck yet.
bool MayStrike(const MatchFigure& f) { return BallState.holder == 0 && f.hasKicked == 0 && f.hasBall != 0; }

// Outside the strike: a ball in somebody's hands ends the action.
void GiveUpIfHeld(int16_t figure) {
    if (BallState.holder != 0) Match_SetPlayerAction(figure, kActionRunToPosition);
}

void SendReceiver(int16_t r) {
    MatchFigures[r].aimX = MatchPassTargetX;
    MatchFigures[r].aimY = MatchPassTargetY;
    Match_SetPlayerAction(r, kActionReceivePass);
}

void CountShot(int16_t figure, int goalDistance) {
    if (goalDistance / kDistanceUnit > kCountedShotYards) return;
    MatchFigure& f = MatchFigures[figure];
    ++f.counts[kCountShots];
    ShotOriginX = BallState.x;
    ShotOriginY = BallState.y;
    ShotOriginMinute = MatchClockMinute();
    ++TeamShotCount[figure / kTeamFigures];
    LastShooter = Byte(figure);
    Match_NoteShotOnGoal(figure);
}

}  // namespace

void Match_NoteScoringStrike(int16_t figure, uint8_t kind) {
    LastScoringStrike = {figure, kind, BallState.x, BallState.y};
}

void Match_ClearScoringStrike() { LastScoringStrike = {-1, kShotFooted, 0, 0}; }

bool MatchPassFlight(int kind, int d, const int32_t (&liftPerUnit)[5], int32_t kindTwoBase, int16_t x,
                     int16_t y) {
    int32_t factor = 0;
    switch (kind) {
        case 0:
            d = std::min(d, 1000);
            factor = 2400 - 2 * d;
            break;
        case 1:
            d = std::min(d, 950);
            factor = 2300 - 100 * d / 50;
            break;
        case 2:
            d = std::min(d, 1200);
            factor = d / 2 + 560;
            break;
        case 3:
            d = std::min(d, 950);
            factor = 2400 - 2 * d;
            break;
        case 4:
            d = std::min(d, 950);
            factor = 2300 - 100 * d / 45;
            break;
        default:
            return false;
    }
    const int32_t base = kind == 2 ? kindTwoBase : 16384;
    MatchSetBallVelocity(x, y, liftPerUnit[kind] * d + base, factor);
    return true;
}

void MatchRecordPass(int16_t passer, int16_t receiver, int kind) {
    // The man the pass is played to takes it even when it comes hard.
    BallFavouredPlayer = Receiver(receiver) ? receiver : int16_t(-1);
    if (!Receiver(receiver)) return;
    MatchFigure& f = MatchFigures[passer];
    LastPasser = Byte(passer);
    const bool longPass = kind == 1 || kind == 3 || kind == 4;
    LongPassFlag = longPass ? 1 : 0;
    PendingPass[longPass ? 1 : 0] = {uint16_t(passer), uint16_t(receiver)};
    if (longPass) {
        ++f.counts[kCountLongPasses];
    } else {
        MatchCountPassTo(f, receiver);
    }
}

void Match_ActPass(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int kind = f.actionParam;
    Match_TurnPlayerTowards(figure,
                            Match_DirectionTo(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY), 0);
    if (MatchSetPlayerAnim(figure, kind == 2 ? 35 : 29, kind == 2 ? 2 : 1, kActionRunToPosition) == 0) return;
    const int16_t frame = f.shownFrame;
    const bool inWindow = kind == 2 ? frame >= 31 && frame <= 39 : frame >= 16 && frame <= 24;
    if (!inWindow || !MayStrike(f)) {
        GiveUpIfHeld(figure);
        return;
    }
    LastKicker = figure;
    const int d = Match_ApproxDistance(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY);
    MatchPassFlight(kind, d, kPassLift, kPassLiftTwoBase, MatchPassTargetX, MatchPassTargetY);
    const int16_t r = MatchPassReceiver;
    if (Receiver(r)) SendReceiver(r);
    MatchRecordPass(figure, r, kind);
    Ball_UpdateDirectionSpeed();
    f.hasKicked = 1;
    f.touchLockout = kStrikeLockout;
    ++f.touches;
    MatchSfx_PlayEvent(kSoundKick, -1);
    LastStriker = Byte(figure);
    PassMarkerCountdown = kLooseBallTicks;
    PassMarker = int8_t(r);
    BallState.kickGrace = kStrikeLockout;
    MatchMarkTeamOffside(figure);
}

bool MatchPassToOwnKeeper(int16_t passer, int16_t receiver) {
    return receiver >= 0 && receiver < kPlayerFigures && MatchLineUp[passer / kTeamFigures][0] == receiver;
}

void MatchBlurPassTarget(int16_t passer, int d, int xScale, int yScale) {
    int e = 100 - MatchFigures[passer].passing;
    if (e < 1 || MatchPassToOwnKeeper(passer, MatchPassReceiver)) e = 1;
    int x = MatchPassTargetX, y = MatchPassTargetY;
    x += GameRandom() % (e * (d / xScale + 1));
    x -= GameRandom() % (e * (d / xScale + 1));
    y += GameRandom() % (e * (d / yScale + 1));
    y -= GameRandom() % (e * (d / yScale + 1));
    MatchPassTargetX = int16_t(x);
    MatchPassTargetY = int16_t(y);
}

void Match_ActBackHeel(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int toward = Match_DirectionTo(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY);
    Match_TurnPlayerTowards(figure, (toward + 128) & 255, 0);
    if (MatchSetPlayerAnim(figure, 53, int16_t(2 + 3 * f.hasKicked), kActionThink) == 0) return;
    const int16_t frame = f.shownFrame;
    if (frame < 22 || frame > 30 || !MayStrike(f)) {
        GiveUpIfHeld(figure);
        return;
    }
    LastKicker = figure;
    const int d =
        std::min<int>(Match_ApproxDistance(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY), 1000);
    MatchSetBallVelocity(MatchPassTargetX, MatchPassTargetY, 200 * d + 16384, 2400 - 2 * d);
    const int16_t r = MatchPassReceiver;
    if (Receiver(r)) {
        SendReceiver(r);
        PassMarker = int8_t(r);
        LastStriker = Byte(figure);
        ++f.touches;
        PassMarkerCountdown = kLooseBallTicks;
        MatchRecordPass(figure, r, 0);
    }
    Ball_UpdateDirectionSpeed();
    f.hasKicked = 1;
    f.touchLockout = kStrikeLockout;
    BallState.kickGrace = kStrikeLockout;
    MatchMarkTeamOffside(figure);
}

namespace {

struct CrossClip {
    int16_t clip;
    int16_t runUpBelow;  // 0: no run-up
    int16_t increment;
    int16_t windowFrom;
};
constexpr CrossClip kCross18[3] = {{61, 0, 0, 25}, {62, 29, 2, 29}, {63, 23, 3, 23}};
constexpr CrossClip kCross75[3] = {{58, 0, 0, 13}, {59, 12, 5, 12}, {60, 12, 6, 12}};
constexpr int kCrossBend[3] = {20, 35, 50};

}  // namespace

void Match_ActCross(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int kind = std::min<int>(f.actionParam, 2);
    const CrossClip& c = f.action == kActionCross ? kCross18[kind] : kCross75[kind];
    if (MatchSetPlayerAnim(figure, c.clip, 2, kActionRunToPosition) == 0) return;
    const int16_t frame = f.shownFrame;
    if (kind >= 1 && f.hasBall != 0 && frame < c.runUpBelow) {
        const int ceiling = kind == 1 ? 125 : 160;
        f.actionWord = uint16_t(f.actionWord + c.increment);
        if (f.actionWord < ceiling)
            Match_ApplyAnimMotion(figure, ceiling - f.actionWord, kind == 1 ? -10 : -20);
        Ball_KeepAtFeet(figure);
    }
    if (frame < c.windowFrom || frame > c.windowFrom + 8 || !MayStrike(f)) {
        GiveUpIfHeld(figure);
        return;
    }
    LastKicker = figure;
    int targetY = MatchPassTargetY;
    const int d = std::min<int>(Match_ApproxDistance(MatchCurX, MatchCurY, MatchPassTargetX, targetY), 1050);
    BallState.swerve[0] = BallState.swerve[2] = 0;
    const int facing = f.facing & 255;
    BallState.swerve[1] = facing < 64 || facing > 192 ? kCrossSpin : -kCrossSpin;
    const int lineY = MatchCurY > kPitchHalfwayY ? kGoalLineHigh : kGoalLineLow;
    BallState.swerveTime = uint16_t(std::min(kCrossBend[kind], std::abs(lineY - MatchCurY) / 2));
    const int16_t r = MatchPassReceiver;
    bool miscue = true;
    if (Receiver(r)) {
        SendReceiver(r);
        miscue = GameRandom() % 100 > MatchFigures[r].heading;
        if (!miscue && targetY > kAreaLowY && targetY < kAreaHighY) {
            // Both sides draw: the spread first, in its own statement, so
            // that every build takes the draws in the same order.
            const int spread = MatchRandomSpread(f.intelligence, 100);
            miscue = spread < MatchSlotRoleChoice(figure, f.intelligence);
        }
    }
    int32_t lift = 0, factor = 0;
    if (!miscue) {
        targetY -= int(BallState.swerveTime) * BallState.swerve[1] / 1500;
        if (MatchRandomSpread(f.passing, 100) < f.passing) {
            lift = 70 * d + 81920;
        } else {
            lift = d * (GameRandom() % 70 + 20) + 106496;
        }
        factor = 2500 - 2 * d;
    } else {
        BallState.swerveTime = 0;
        BallState.swerve[1] = 0;
        if (targetY > kAreaLowY && targetY < kAreaHighY) {
            const int push = 100 + GameRandom() % 100;
            targetY += targetY < kPitchHalfwayY ? -push : push;
            factor = 3100 - 28 * d / 10;
            lift = 90 * d + 16384 + (GameRandom() % 4) * 4096;
        } else {
            factor = 3100 - 3 * d;
            const int reach = GameRandom() % 70 + 20;  // drawn before the rise, in every build
            lift = d * reach + 53248 + (GameRandom() % 4) * 4096;
        }
    }
    MatchSetBallVelocity(MatchPassTargetX, int16_t(targetY), lift, factor);
    if (!miscue && GameRandom() % 5 == 0) BallState.vz -= (GameRandom() % 50) * 5120;
    Ball_UpdateDirectionSpeed();
    PassMarkerCountdown = kLooseBallTicks;
    CrossReceiver = Byte(r);
    if (Receiver(r)) PendingPass[2] = {uint16_t(figure), uint16_t(r)};
    f.hasKicked = 1;
    LastCrosser = LastStriker = Byte(figure);
    f.touchLockout = kStrikeLockout;
    MatchSfx_PlayEvent(kSoundPass, -1);
    BallState.kickGrace = kStrikeLockout;
    MatchMarkTeamOffside(figure);
    ++TeamCrossCount[figure / kTeamFigures];
}

void Match_ActShot(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int kind = f.actionParam;
    const int16_t aimX = FreeKickAimX, aimY = FreeKickAimY;
    const int toward = Match_DirectionTo(MatchCurX, MatchCurY, aimX, aimY);
    Match_TurnPlayerTowards(figure, toward, 0);
    if (MatchSetPlayerAnim(figure, kind == 1 ? 74 : 69, 2, kActionRunToPosition) == 0) return;
    const int16_t frame = f.shownFrame;
    const bool inWindow = kind == 1 ? frame >= 27 && frame <= 35 : frame >= 28 && frame <= 36;
    if (!inWindow || !MayStrike(f)) {
        GiveUpIfHeld(figure);
        return;
    }
    LastKicker = figure;
    Match_VectorFromDirection(toward, 140 + f.power / 2 + f.shooting / 2, 256);
    BallState.vx = MatchVecX * 4096;
    BallState.vy = -MatchVecNY * 4096;
    const int choice = MatchSlotRoleChoice(figure, f.intelligence);
    int32_t lift = 0;
    if (kind != 1) {
        lift = (GameRandom() % (choice + 1)) * 256 + 32768;
    } else {
        Match_GoalDirection(figure, 1, CurrentTeam);
        const int goal = GoalDistanceScratch;
        if (MatchRandomSpread(f.shooting, 100) < f.shooting) {
            const int t = std::max(0, 400 - goal);
            lift = 118784 - 50 * t - (GameRandom() % (choice + 1)) * 512;
        } else if (goal <= 640) {
            lift = 118784 - (GameRandom() % (choice + 100)) * 256;
        } else {
            lift = 118784 + (GameRandom() % (choice + 100)) * 256;
            BallState.vx = BallState.vx * 60 / 100;
            BallState.vy = BallState.vy * 60 / 100;
        }
    }
    BallState.vz = lift * 10;
    f.hasKicked = 1;
    f.touchLockout = kStrikeLockout;
    MatchSfx_PlayEvent(kSoundShot, -1);
    CountShot(figure, GoalDistanceScratch);
    MatchSetKickSpeed(figure, aimX);
    BallState.kickGrace = kStrikeLockout;
    MatchMarkTeamOffside(figure);
}

void Match_ResetOpenPlayState() {
    LastKicker = kNoKicker;
    LastPasser = LastStriker = LastShooter = LastCrosser = CrossReceiver = 255;
    Match_ClearScoringStrike();
    LongPassFlag = 0;
    TeamCrossCount[0] = TeamCrossCount[1] = 0;
    TeamShotCount[0] = TeamShotCount[1] = 0;
    ShotOriginX = ShotOriginY = ShotOriginMinute = 0;
    ReceiveCount = 0;
    for (uint8_t& flag : KnockMarkFlag) flag = 0;
    for (PendingPassRecord& pass : PendingPass) pass = {kNoFigure, kNoFigure};
    CarrierRunMarker = 0;
    TurnAwayTicks = 0;
    DribbleStage = DribbleIdeal = DribbleDirection = 0;
    TeamStoppageRequest[0] = TeamStoppageRequest[1] = 0;
    Match_ResetKeeperState();
    MatchPassTargetX = MatchPassTargetY = 0;
    MatchPassReceiver = -1;
    SpaceTargetX = SpaceTargetY = 0;
    // The goal distance the last decision left: the first interception of
    // a match reads it before anyone has measured one in this match.
    GoalDistanceScratch = 0;
}
