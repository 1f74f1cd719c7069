// Free kicks and penalties: the direct free kick with its curl, dip and
// three styles, the free kick played as a pass, placing the ball on the
// spot for a penalty while the area clears, and the penalty kick.  Each
// kick puts the match back into open play as it strikes.
#include <algorithm>
#include <cstdlib>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/motionclips.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/phases.h"
#include "core/match/setpiececommon.h"
#include "core/match/setpieces.h"
#include "core/match/shotchoice.h"
#include "core/match/soundevents.h"
#include "core/match/strikes.h"

using namespace setpiece;

int16_t SetPieceKickDistance;
int16_t FreeKickShooter = -1;
int16_t PenaltyKickTaker = -1;
SetPieceShotRecord SetPieceShot;
uint8_t SetPiecePasser, SetPieceReceiver;
int16_t SetPieceWords[2];
int16_t PenaltyPlaceWait;

namespace {

constexpr uint16_t kPeriodShootOut = 4;
constexpr int kPlacedFrame = 128;
constexpr int kShortKick = 160;
constexpr int kPenaltyWaitBound = 1000;

// A draw below n; an empty range (a free kick level with its aim point)
// draws below 1 instead of dividing by zero.
int Draw(int n) { return GameRandom() % (n > 0 ? n : 1); }

void CountShot(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    ++f.counts[kCountShots];
    ++TeamShotCount[TeamOf(figure)];
    Match_NoteShotOnGoal(figure);  // a save is credited against him
}

void BackToOpenPlay() {
    MatchPhase = kPhaseOpenPlay;
    PhaseTimer = 0;
    BallState.kickGrace = 16;
}

bool IsKeeper(int16_t figure) { return figure == MatchLineUp[0][0] || figure == MatchLineUp[1][0]; }

// The other team's goalkeeper is more than the margin off the line he
// guards for the kick.
bool KeeperOffHisLine(int takerTeam, int margin) {
    const int16_t keeper = MatchLineUp[takerTeam ^ 1][0];
    if (!MatchOnPitch(keeper)) return false;
    const int line = (takerTeam ^ 1) == AttackDirection ? kGoalLineLow : kGoalLineHigh;
    return std::abs(MatchFigures[keeper].y - line) > margin;
}

// Clears the penalty area; false while the taker must wait for the keeper.
bool AreaCleared(int16_t taker) {
    const int team = TeamOf(taker);
    for (int16_t figure = 0; figure < kPlayerFigures; ++figure) {
        if (figure == taker || IsKeeper(figure) || !MatchOnPitch(figure)) continue;
        MatchFigure& f = MatchFigures[figure];
        const bool outsideAreas =
            f.y > kAreaLowY && f.y < kAreaHighY && f.targetY > kAreaLowY && f.targetY < kAreaHighY;
        if (outsideAreas && f.ballDistance > kShortKick) continue;
        if (f.x < PitchGeometry.left || f.x > PitchGeometry.right) continue;
        if (KeeperOffHisLine(team, 20)) return false;
        f.targetY = int16_t(BallState.y < kPitchHalfwayY ? 318 + 20 + 160 : 1846 - 20 - 160);
    }
    return true;
}

}  // namespace

void Match_ActFreeKickShot(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    FacePoint(figure, FreeKickAimX, FreeKickAimY);
    if (MatchSetPlayerAnim(figure, kClipCurlKick, 2, kActionWatchRestart) == 0) return;
    if (f.frame < 22 || BallState.holder != 0 || f.hasKicked != 0) {
        if (f.hasKicked == 0) Match_StepForward(figure, 125, f.ballDirection & 255);
        return;
    }
    MatchClearOffsideFlags();
    BallState.swerve[0] = BallState.swerve[1] = BallState.swerve[2] = 0;
    BallState.controller = 0;
    f.hasKicked = 1;
    const int along = std::abs(MatchCurY - FreeKickAimY);
    int s = Draw(along);
    // Curl.
    const int skill = f.deadball + f.passing;
    const int c = skill + 1;
    BallState.swerveTime = uint16_t(c / 16 + 10 + Draw(c) / 16);
    int32_t spinX = int32_t(skill / 2) * 14000 / 100;
    if (FreeKickAimX >= kPitchCentreX) spinX = -spinX;
    const bool central = FreeKickAimX == kPitchCentreX;
    if (central && GameRandom() % 4 == 0) BallState.swerveTime = 0;
    BallState.swerve[0] = spinX;
    // Dip.
    if (int(GameRandom() % 100) < skill && s > 50) {
        BallState.swerve[2] = -20000;
        s = std::min(s, along / 3);
    }
    // Aim off for the curl.
    const int aimX = FreeKickAimX - BallState.swerveTime * (spinX / 12000);
    const uint16_t direction = Match_DirectionTo(BallState.x, BallState.y, aimX, FreeKickAimY) & 255;
    enum { kDriven, kChipped, kHard } style;
    const int r = GameRandom() % 3;
    if (central) {
        style = r != 0 ? kDriven : kHard;
    } else {
        style = r == 0 ? kDriven : r == 1 ? kChipped : kHard;
    }
    int length = 0;
    int32_t lift = 0;
    switch (style) {
        case kDriven:
            length = f.deadball / 2 + 140;
            lift = s * 3840 + 983040;
            BallState.swerve[2] -= 10240;
            break;
        case kChipped:
            length = f.deadball + 140;
            lift = s * 3840 + 655360;
            break;
        case kHard:
            length = f.deadball + 155;
            lift = s * 1280 + 327680;
            break;
    }
    Match_VectorFromDirection(direction, length, 256);
    BallState.vx = MatchVecX * 4096;
    BallState.vy = -MatchVecNY * 4096;
    BallState.vz = lift;
    BackToOpenPlay();
    LastToucher = figure;
    LastShooter = uint8_t(figure);
    TeamLastToucher[team] = figure;
    FreeKickShooter = figure;
    SetPieceShot = {figure, SetPieceShotKind::kFreeKick};
    f.touchLockout = 16;
    MatchMarkTeamOffside(figure);
    MatchSfx_PlayEvent(kSoundShot, int16_t(team));
    ++f.counts[kCountFreeKicksAtGoal];
    CountShot(figure);
    SetPieceCountdown = 70;
    // Direction and speed at once: the next tick's line tests read them
    // before the ball update does (a ball struck from still crossed unseen).
    Ball_UpdateDirectionSpeed();
}

void Match_ActFreeKickPass(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    int d = Match_ApproxDistance(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY);
    SetPieceKickDistance = int16_t(d);
    FacePoint(figure, MatchPassTargetX, MatchPassTargetY);
    const bool shortKick = f.actionParam != 0;
    if (MatchSetPlayerAnim(figure, shortKick ? kClipPassKick : kClipCurlKick, shortKick ? 1 : 2,
                           kActionWatchRestart) == 0)
        return;
    const int strikeFrame = shortKick ? 16 : 22;
    if (f.frame < strikeFrame || BallState.holder != 0 || f.hasKicked != 0) {
        if (f.hasKicked != 0) return;
        const bool receiverWaits =
            IsPlayer(MatchPassReceiver) && MatchFigures[MatchPassReceiver].action == kActionRestartPlace;
        const bool noReceiver = !IsPlayer(MatchPassReceiver);
        if ((receiverWaits || noReceiver) && f.ballDistance <= 9) return;
        Match_StepForward(figure, 125, f.ballDirection & 255);
        return;
    }
    MatchClearOffsideFlags();
    BallState.controller = 0;
    if (d <= kShortKick) {
        if (2 * d > 2000) d = 1000;
        MatchSetBallVelocity(MatchPassTargetX, MatchPassTargetY, 120 * d + 16384, 2400 - 2 * d);
    } else {
        d = std::min(d, 1200);
        MatchSetBallVelocity(MatchPassTargetX, MatchPassTargetY, 100 * d / 3 + 81920, 1600 - d / 2);
    }
    int16_t receiver = MatchFindNearestPlayer(MatchPassTargetX, MatchPassTargetY, -1);
    if (receiver == 0 || !IsPlayer(receiver) || TeamOf(receiver) != team) receiver = -1;
    MatchPassReceiver = receiver;
    if (receiver >= 0) {
        Match_SetPlayerAction(receiver, kActionReceivePass);
        MatchFigures[receiver].aimX = MatchPassTargetX;
        MatchFigures[receiver].aimY = MatchPassTargetY;
    }
    Ball_UpdateDirectionSpeed();
    SetPieceCountdown = 70;
    BackToOpenPlay();
    f.hasKicked = 1;
    LastToucher = figure;
    f.touchLockout = 16;
    MatchMarkTeamOffside(figure);
    SetPiecePasser = uint8_t(figure);
    LastStriker = uint8_t(figure);
    TeamLastToucher[team] = figure;
    SetPieceReceiver = uint8_t(receiver < 0 ? kNoFigure : receiver);
    PassMarkerCountdown = 300;
    MatchSfx_PlayEvent(kSoundShot, int16_t(team));
}

void Match_ActPenaltyPlace(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    // A keeper who never reaches his line holds the kick up for a bounded
    // time only.
    const bool waitOver = ++PenaltyPlaceWait >= kPenaltyWaitBound;
    if (!waitOver) {
        const int16_t keeper = MatchLineUp[team ^ 1][0];
        if (Period == kPeriodShootOut && MatchOnPitch(keeper) && MatchFigures[keeper].y < kGoalLineLow - 16)
            return;
        if (!AreaCleared(figure)) return;
    }
    const int offset = BallState.y < kPitchHalfwayY ? -4 : 4;
    if (Match_ApproxDistance(MatchCurX, MatchCurY, FoulX, FoulY) > 10) {
        BallState.controller = int16_t(figure + 1);
        Ball_KeepAtFeet(figure);
        FacePoint(figure, FoulX, FoulY + offset);
        Match_ApplyAnimMotion(figure);
        MatchSetPlayerAnimKeepFrame(figure, kClipWalkCarry, 1, 0);
        return;
    }
    if (f.hasKicked < 2) {
        if (f.hasKicked == 0) {
            f.frame = 0;
            f.hasKicked = 1;
        }
        if (f.frame >= kPlacedFrame) {
            PutBallAt(FoulX, FoulY);
            BallState.z = 0;
            BallState.controller = 0;
        }
        if (MatchSetPlayerAnim(figure, kClipPlaceBall, 2, kActionPenaltyPlace) == 0)
            MatchFigures[figure].hasKicked = 2;
        return;
    }
    FacePoint(figure, FoulX, FoulY);
    PenaltyPlaceWait = 0;
    Match_SetPlayerAction(figure, kActionPenaltyRunUp);
    MatchSfx_PlayEvent(kSoundLosersGroan, int16_t(team ^ 1));
    Match_SetKeeperSetPiece(kPitchCentreX, BallState.y < kPitchHalfwayY ? kGoalLineLow : kGoalLineHigh,
                            kKeeperKindBackOff, 8, 0);
}

void Match_ActPenaltyKick(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    MatchClearOffsideFlags();
    if (f.actionParam == 0) {
        if (Match_ApproxDistance(MatchCurX, MatchCurY, BallState.x, BallState.y) > 32) {
            // He steers onto the ball as he walks in.
            Match_TurnPlayerTowards(figure, f.ballDirection & 255, 1);
            Match_ApplyAnimMotion(figure);
            MatchSetPlayerAnimKeepFrame(figure, kClipWalkIn, 1, 0);
            return;
        }
        f.actionParam = 1;
        f.frame = 0;
    }
    if (MatchSetPlayerAnim(figure, kClipCurlKick, 2, kActionWatchRestart) == 0) return;
    if (f.frame < 22 || BallState.holder != 0 || f.hasKicked != 0 || f.action != kActionPenaltyKick) {
        if (f.hasKicked == 0) Match_StepForward(figure, 160, f.ballDirection & 255);
        return;
    }
    f.hasKicked = 1;
    BallState.controller = 0;
    const bool shootOut = Period == kPeriodShootOut;
    const int s = (shootOut ? f.outlook : f.shooting) + f.deadball + f.composure;
    BallState.swerve[0] = BallState.swerve[1] = BallState.swerve[2] = 0;
    BallState.swerveTime = uint16_t(10 + Draw(s + 1) / 8);
    int32_t spinX = int32_t(s / 2) * 12000 / 100;
    if (FreeKickAimX >= kPitchCentreX) spinX = -spinX;
    BallState.swerve[0] = spinX;
    const int lift = int(GameRandom() % 200) < s ? GameRandom() % 100 : GameRandom() % 200;
    FreeKickAimX = int16_t(FreeKickAimX - BallState.swerveTime * (spinX / 12000));
    const uint16_t direction = Match_DirectionTo(BallState.x, BallState.y, FreeKickAimX, FreeKickAimY) & 255;
    Match_VectorFromDirection(direction, f.deadball + 120, 256);
    BallState.vx = MatchVecX * 4864;
    BallState.vy = -MatchVecNY * 5120;
    BallState.vz = lift * 3840 + 327680;
    SetPieceWords[0] = shootOut ? 350 : 50;
    SetPieceWords[1] = 350;
    // The keeper faces the kick: he guesses his side while the first runs.
    ShotTimer = SetPieceWords[0];
    ShotHoldTimer = SetPieceWords[1];
    BackToOpenPlay();
    MatchTicks += 50;
    MatchMarkTeamOffside(figure);
    f.touchLockout = 16;
    LastToucher = figure;
    LastShooter = uint8_t(figure);
    TeamLastToucher[team] = figure;
    PenaltyKickTaker = figure;
    if (!shootOut) SetPieceShot = {figure, SetPieceShotKind::kPenalty};
    ++f.counts[kCountPenaltiesTaken];
    CountShot(figure);
    if (shootOut) ++PenaltiesTaken;
    MatchSfx_PlayEvent(kSoundPass, int16_t(team));
    // Direction and speed at once: the next tick's line tests read them
    // before the ball update does (a ball struck from still crossed unseen).
    Ball_UpdateDirectionSpeed();
}

void Match_CreditSetPieceGoal(int16_t scorer) {
    if (SetPieceShot.kind != SetPieceShotKind::kNone && scorer == SetPieceShot.taker) {
        MatchFigure& f = MatchFigures[scorer];
        if (SetPieceShot.kind == SetPieceShotKind::kPenalty) {
            ++f.counts[kCountPenaltiesScored];
        } else {
            ++f.freeKickGoals;
        }
    }
    SetPieceShot = {};
}

void Match_WatchSetPieceShot() {
    if (SetPieceShot.kind == SetPieceShotKind::kNone || MatchPhase == kPhaseGoal) return;
    const int16_t taker = SetPieceShot.taker;
    if (LastToucher == taker && MatchPhase == kPhaseOpenPlay) return;
    if (SetPieceShot.kind == SetPieceShotKind::kPenalty) {
        MatchFigure& f = MatchFigures[taker];
        if (f.penaltiesMissed < 255) ++f.penaltiesMissed;
        const int16_t keeper = MatchLineUp[TeamOf(taker) ^ 1][0];
        if (LastToucher == keeper && MatchFigures[keeper].penaltiesSaved < 255)
            ++MatchFigures[keeper].penaltiesSaved;
    }
    SetPieceShot = {};
}
