#include "core/match/setpiececommon.h"
#include "core/match/replay.h"

#include <algorithm>

#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/matchengine.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/motionclips.h"
#include "core/match/officials.h"
#include "core/match/replay.h"
#include "core/match/setpieces.h"

namespace setpiece {

namespace {

constexpr int kFetchReach = 24;
constexpr int kFetchHeight = 1000;
constexpr int kTurnFrame = 32;
constexpr int kPickUpPointX = 796;
constexpr int kPickUpPointY = 318;
constexpr int kNearLine = 1;

}  // namespace

MatchFigure& Marker() { return MatchFigures[kSpareFigure]; }

bool AtPoint(int x, int y, int heightLimit) {
    return Match_BallInReach5(MatchCurX, MatchCurY, x, y, heightLimit) == 0;
}

bool BallWithinReach() {
    return Match_BallInReach(MatchCurX, MatchCurY, BallState.x, BallState.y, kFetchReach, kFetchHeight) == 0;
}

void PutCurrentAt(int x, int y) {
    MatchCurX = int16_t(x);
    MatchCurY = int16_t(y);
    MatchCurX16 = int32_t(x) * 65536;
    MatchCurY16 = int32_t(y) * 65536;
}

void PutBallAt(int x, int y) {
    BallState.x = int16_t(x);
    BallState.y = int16_t(y);
    BallState.x16 = int32_t(x) * 65536;
    BallState.y16 = int32_t(y) * 65536;
    MatchFigure& ball = MatchFigures[kBallFigure];
    ball.x = int16_t(x);
    ball.y = int16_t(y);
    ball.x16 = BallState.x16;
    ball.y16 = BallState.y16;
}

void FacePoint(int16_t figure, int x, int y) {
    MatchFigures[figure].facing = Match_DirectionTo(MatchCurX, MatchCurY, x, y) & 255;
}

void KeepBallInsideLines() {
    int x = BallState.x, y = BallState.y;
    if (x < PitchGeometry.left + kNearLine) x = PitchGeometry.left + kNearLine;
    if (x > PitchGeometry.right - kNearLine) x = PitchGeometry.right - kNearLine;
    if (y < PitchGeometry.top + kNearLine) y = PitchGeometry.top + kNearLine;
    if (y > PitchGeometry.bottom - kNearLine) y = PitchGeometry.bottom - kNearLine;
    if (x != BallState.x || y != BallState.y) PutBallAt(x, y);
}

bool TeamBehind(int team, bool withFirstLeg) {
    const int own = Goals[team] + (withFirstLeg ? OldGoals[team] : 0);
    const int other = Goals[team ^ 1] + (withFirstLeg ? OldGoals[team ^ 1] : 0);
    return own < other;
}

int AttackedGoalY(int team) { return team == AttackDirection ? kGoalLineHigh : kGoalLineLow; }
int DefendedGoalY(int team) { return team == AttackDirection ? kGoalLineLow : kGoalLineHigh; }

bool FetchTheBall(int16_t figure, FetchHold hold) {
    MatchFigure& f = MatchFigures[figure];
    if (f.hasKicked == 0 && !BallWithinReach()) {
        f.facing = (Match_DirectionTo(MatchCurX, MatchCurY, BallState.x, BallState.y) - 16) & 255;
        Match_ApplyAnimMotion(figure, 64, 1);
        // His curving walk to a ball lying by a stand wall would swing him
        // out into the stand: he keeps to the ground inside the walls.
        MatchCurX16 = std::clamp(MatchCurX16, int32_t(PitchGeometry.wallLeftX) * 65536,
                                 int32_t(PitchGeometry.wallRightX) * 65536);
        MatchCurY16 = std::clamp(MatchCurY16, int32_t(PitchGeometry.wallLowY) * 65536,
                                 int32_t(PitchGeometry.wallHighY) * 65536);
        MatchSetPlayerAnimKeepFrame(figure, kClipWalk, 1, 0);
        return false;
    }
    if (f.hasKicked >= 2) return true;
    Ball_Stop();
    if (f.hasKicked == 0) f.frame = 0;
    f.hasKicked = 1;
    if (f.frame >= kTurnFrame) {
        Match_TurnPlayerTowards(figure, Match_DirectionTo(kPickUpPointX, kPickUpPointY, MatchCurX, MatchCurY),
                                2);
        BallState.controller = int16_t(figure + 1);
        if (hold == FetchHold::InHands) BallState.holder = int16_t(figure + 1);
        Ball_KeepAtFeet(figure);
    }
    Match_ApplyAnimMotion(figure, 0, 0);
    if (MatchTrySetPlayerAnim(figure, kClipPickUp, 1) == 0) {
        f.hasKicked = 2;  // the carry starts on the next tick
    }
    return false;
}

}  // namespace setpiece

void Match_ResetSetPieceState() {
    TimeWastingCount = 0;
    RestartReceiver = -1;
    RestartSearchIndex = -1;
    RestartTakerTimer = 0;
    ThrowPower = ThrowPowerCopy = 0;
    RestartWatchX = RestartWatchY = 0;
    ThrowWaitBudget = 0;
    RestartKicker = -1;
    SetPieceCountdown = 0;
    RestartValue = 0;
    RestartChoiceCount = 0;
    FreeKickWaitCount = 0;
    RunUpPause[0] = RunUpPause[1] = 0;
    TeamMarkerKeep[0] = TeamMarkerKeep[1] = 0;
    SetPieceKickDistance = 0;
    FreeKickShooter = PenaltyKickTaker = -1;
    SetPieceShot = {};
    SetPiecePasser = SetPieceReceiver = 0;
    SetPieceWords[0] = SetPieceWords[1] = 0;
    PenaltyRunUpStage = 0;
    PenaltyPlaceWait = 0;
    RestartBallOwner = 0;
    RestartFetchWords[0] = -1;
    RestartFetchWords[1] = 0;
    WalkingCount = 0;
    CameraSubject = kBallFigure;
    GoalScorer = -1;
    CelebrationSwitch = 0;
    KickOffCount = 0;
    KickOffKeeperWait = 0;
    RestartWaitTicks = 0;
    KeeperHoldDraw = 0;
    MatchFigure& marker = setpiece::Marker();
    marker.frame = -1;
    marker.x = 0;
    marker.y = kMarkerParkedY;
    marker.x16 = 0;
    marker.y16 = int32_t(kMarkerParkedY) * 65536;
}
