// Strikes on the move (actions 66, 110, 77, 109, 78, 81): the back-heel and
// the forward pass while running or jogging, and the shot.
#include <algorithm>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/keeper.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/ranking.h"
#include "core/match/shotchoice.h"
#include "core/match/soundevents.h"
#include "core/match/strikes.h"

namespace {

constexpr int32_t kForwardLift[5] = {120, 150, 100, 140, 150};
constexpr int32_t kForwardKindTwoBase = 40960;
constexpr int kCountedShotYards = 35;

bool ValidReceiver(int16_t r) { return r >= 0 && r < kPlayerFigures; }

// The frame and ball conditions of a strike; a ball in somebody's hands
// otherwise ends the action.
bool StrikeNow(int16_t figure, int from, int to) {
    MatchFigure& f = MatchFigures[figure];
    const int16_t frame = f.shownFrame;
    if (frame >= from && frame <= to && BallState.holder == 0 && f.hasKicked == 0 && f.hasBall != 0)
        return true;
    if (BallState.holder != 0) Match_SetPlayerAction(figure, kActionRunToPosition);
    return false;
}

void FinishStrike(int16_t figure, int16_t r) {
    MatchFigure& f = MatchFigures[figure];
    PassMarkerCountdown = kLooseBallTicks;
    BallState.kickGrace = kStrikeLockout;
    f.hasKicked = 1;
    LastStriker = uint8_t(figure);
    f.touchLockout = kStrikeLockout;
    PassMarker = int8_t(r);
    ++f.touches;
    MatchMarkTeamOffside(figure);
}

void BackHeel(int16_t figure, bool running) {
    MatchFigure& f = MatchFigures[figure];
    const int toward = Match_DirectionTo(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY);
    Match_TurnPlayerTowards(figure, (toward + 128) & 255, 0);
    if (MatchSetPlayerAnim(figure, running ? 55 : 54, 2, kActionRunToPosition) == 0) return;
    const int runUp = running ? 18 : 21;
    if (f.hasBall != 0 && f.shownFrame < runUp) Ball_KeepAtFeet(figure);
    if (!StrikeNow(figure, runUp, runUp + 8)) return;
    const int d =
        std::min<int>(Match_ApproxDistance(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY), 1000);
    MatchSetBallVelocity(MatchPassTargetX, MatchPassTargetY, 200 * d + 16384,
                         (running ? 2600 : 2500) - 2 * d);
    const int16_t r = MatchPassReceiver;
    if (ValidReceiver(r)) {
        MatchFigures[r].aimX = MatchPassTargetX;
        MatchFigures[r].aimY = MatchPassTargetY;
        Match_SetPlayerAction(r, kActionReceivePass);
        MatchRecordPass(figure, r, 0);
    }
    Ball_UpdateDirectionSpeed();
    LastPasser = uint8_t(figure);
    FinishStrike(figure, r);
}

void ForwardPass(int16_t figure, bool running) {
    MatchFigure& f = MatchFigures[figure];
    const int kind = f.actionParam;
    const bool far = kind == 2;
    Match_TurnPlayerTowards(figure,
                            Match_DirectionTo(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY), 0);
    const int16_t clip = running ? (far ? 37 : 31) : (far ? 36 : 30);
    if (MatchSetPlayerAnim(figure, clip, 2, kActionRunToPosition) == 0) return;
    const int16_t frame = f.shownFrame;
    const int runUp = running ? (far ? 15 : 12) : (far ? 21 : 15);
    if (f.hasBall != 0 && frame < runUp) {
        bool move = false;
        if (running) {
            move = kind == 0 || kind == 2;
        } else {
            move = (kind == 0 && frame < 13) || (kind == 2 && frame < 12);
        }
        if (move) Match_ApplyAnimMotion(figure);
        Ball_KeepAtFeet(figure);
    }
    if (!StrikeNow(figure, runUp, runUp + 8)) return;
    const int d = Match_ApproxDistance(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY);
    const int16_t r = MatchPassReceiver;
    MatchBlurPassTarget(figure, d, 200, 400);
    MatchPassFlight(kind, d, kForwardLift, kForwardKindTwoBase, MatchPassTargetX, MatchPassTargetY);
    if (ValidReceiver(r)) {
        MatchFigures[r].aimX = MatchPassTargetX;
        MatchFigures[r].aimY = MatchPassTargetY;
        Match_SetPlayerAction(r, kActionReceivePass);
        Ball_UpdateDirectionSpeed();
        MatchRecordPass(figure, r, kind);
    }
    if (MatchPassToOwnKeeper(figure, r)) {
        BallState.vx = BallState.vx * 75 / 100;
        BallState.vy = BallState.vy * 75 / 100;
    }
    if (running) MatchSfx_PlayEvent(kSoundPass, -1);
    FinishStrike(figure, r);
}

void MovingShot(int16_t figure, bool running) {
    MatchFigure& f = MatchFigures[figure];
    const int kind = f.actionParam;
    const int16_t aimX = FreeKickAimX, aimY = FreeKickAimY;
    const int toward = Match_DirectionTo(MatchCurX, MatchCurY, aimX, aimY);
    Match_TurnPlayerTowards(figure, toward, 0);
    const int16_t clip = kind == 1 ? 75 : (running ? 71 : 70);
    if (MatchSetPlayerAnim(figure, clip, 2, kActionRunToPosition) == 0) return;
    const int16_t frame = f.shownFrame;
    if (kind == 0) {
        const int below = running ? 15 : 20;
        if (f.hasBall != 0 && frame < below) {
            f.actionWord = uint16_t(f.actionWord + (running ? 3 : 4));
            if (f.actionWord < (running ? 160 : 125)) Match_ApplyAnimMotion(figure);
            Ball_KeepAtFeet(figure);
        }
    } else if (kind == 1 && f.hasBall != 0 && frame < 22) {
        Match_ApplyAnimMotion(figure);
        Ball_KeepAtFeet(figure);
    }
    if (kind != 0 && kind != 1) {
        if (BallState.holder != 0) Match_SetPlayerAction(figure, kActionRunToPosition);
        return;
    }
    const int from = kind == 1 ? 22 : (running ? 15 : 20);
    if (!StrikeNow(figure, from, from + 8)) return;
    Match_VectorFromDirection(toward, (running ? 170 : 155) + f.power / 5 + f.shooting / 5, 256);
    BallState.vx = MatchVecX * 4096;
    BallState.vy = -MatchVecNY * 4096;
    Match_GoalDistance(figure, CurrentTeam);
    const int goal = GoalDistanceScratch;
    int h = f.intelligence / 2;
    int32_t lift = 0;
    if (kind == 0) {
        lift = (h + GameRandom() % (h + 1)) * 256 + 45056;
    } else if (goal > 640) {
        if (running) {
            lift = (h + GameRandom() % (h + 100)) * 256 + 110592;
        } else {
            h = f.intelligence / 4;
            lift = (h + GameRandom() % (h + 25)) * 256 + 73728;
        }
        BallState.vx = BallState.vx * 60 / 100;
        BallState.vy = BallState.vy * 60 / 100;
    } else {
        lift = (running ? 110592 : 114688) - (h + GameRandom() % (h + 100)) * 256;
    }
    BallState.vz = lift * 10;
    f.touchLockout = kStrikeLockout;
    f.hasKicked = 1;
    if (goal / kDistanceUnit <= kCountedShotYards) {
        ++f.counts[kCountShots];
        ++TeamShotCount[figure / kTeamFigures];
        LastShooter = uint8_t(figure);
        Match_NoteShotOnGoal(figure);
    }
    MatchSfx_PlayEvent(kSoundShot, -1);
    BallState.kickGrace = kStrikeLockout;
    MatchMarkTeamOffside(figure);
    MatchSetKickSpeed(figure, aimX);
}

}  // namespace

void Match_ActMovingStrike(int16_t figure) {
    switch (MatchFigures[figure].action) {
        case kActionRunningBackHeel:
            BackHeel(figure, true);
            break;
        case kActionJoggingBackHeel:
            BackHeel(figure, false);
            break;
        case kActionRunningForwardPass:
            ForwardPass(figure, true);
            break;
        case kActionJoggingForwardPass:
            ForwardPass(figure, false);
            break;
        case kActionRunningShot:
            MovingShot(figure, true);
            break;
        case kActionJoggingShot:
            MovingShot(figure, false);
            break;
        default:
            break;
    }
}
