#include "core/match/openplay.h"
#include "core/match/actions.h"

#include "core/base/random.h"
#include "core/match/actionmachine.h"
#include "core/match/dribble.h"
#include "core/match/geometry.h"
#include "core/match/highball.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/motionclips.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"

namespace {

constexpr int kRedecideEvery = 16;
constexpr int kArrived = 5;
constexpr int kBackPedalReach = 123;
constexpr int kBackPedalAngle = 15;
constexpr int kRunClipFrom = 32;
constexpr int kWalkOnBesideX = 30;
constexpr int kIdleClips = 5;
constexpr int kWalkOnClips = 8;
constexpr int kChallengerAtBall = 9;
constexpr uint16_t kBallStill = 256;

bool IsGoalkeeper(int16_t figure) { return MatchLineUp[figure / kTeamFigures][0] == figure; }

void Loop(int16_t figure, int16_t clip) { MatchSetPlayerAnimKeepFrame(figure, clip, 1, 0); }

bool WalkingOn() { return MatchPhase == kPhaseKickOffSetUp && LineUpPending != 0; }
bool KickOffSetUp() { return MatchPhase == kPhaseKickOffSetUp && LineUpPending == 0; }

void StartIdleVariation(int16_t figure) {
    Match_SetPlayerAction(figure, kActionIdleVariation);
    MatchFigures[figure].actionParam = uint16_t(GameRandom() % kIdleClips);
}

int DistanceToTarget(const MatchFigure& f) {
    return Match_ApproxDistance(MatchCurX, MatchCurY, f.targetX, f.targetY);
}

// The distance to the ball of the team's challenger, or of its first-ranked
// player when it has none.
int ChallengerReach(int team) {
    int16_t c = TeamChallenger[team];
    if (!Match_IsPlayerFigure(c)) c = BallRanking[team][0];
    if (!Match_IsPlayerFigure(c)) return 0;
    return MatchFigures[c].ballDistance;
}

bool ShouldThink(int16_t figure) {
    const int team = figure / kTeamFigures;
    const MatchFigure& p = MatchFigures[figure];
    const int16_t farX = BallState.predicted[2][0], farY = BallState.predicted[2][1];
    const int d = Match_ApproxDistance(p.x, p.y, farX, farY);
    const int c = ChallengerReach(team);
    const bool openPlay = MatchPhase == kPhaseOpenPlay || MatchPhase == kPhaseOffside;
    const int16_t ownGoalY = team == AttackDirection ? kGoalLineLow : kGoalLineHigh;
    const bool danger = Match_ApproxDistance(farX, farY, kPitchCentreX, ownGoalY) < kOwnGoalDanger;
    bool think = (BallState.holder == 0 && openPlay && d < c + kThinkMargin) || (danger && d < kOwnGoalReach);
    // The man a team-mate has just played the ball to goes on for it, also
    // once he has stopped running to the point it was played to (a ball that
    // falls short or slows down, and he gives up the run).
    if (BallState.holder == 0 && openPlay) {
        for (const PendingPassRecord& pass : PendingPass) {
            if (pass.receiver == uint16_t(figure) && pass.passer == uint16_t(LastToucher)) return true;
        }
    }
    // A team-mate who has just played the ball leaves it to him.
    const int16_t toucher = LastToucher;
    if (think && Match_IsPlayerFigure(toucher) && toucher != figure && toucher / kTeamFigures == team &&
        MatchFigures[toucher].touchLockout > 0) {
        think = d < c;
    }
    return think;
}

}  // namespace

void Match_Redecide(int16_t figure, uint16_t idleAction) {
    if (!Match_IsPlayerFigure(figure)) return;
    const int team = figure / kTeamFigures;
    uint16_t choice = idleAction == kActionStand ? kActionStand : kActionRunToPosition;
    if (BallRanking[team][0] == figure || TeamChallenger[team] == figure || ShouldThink(figure))
        choice = kActionThink;
    MatchFigure& p = MatchFigures[figure];
    if (p.action == choice) return;
    Match_SetPlayerAction(figure, choice);
    if (MatchPhase == kPhaseKickOffSetUp) p.actionParam = uint16_t(GameRandom() % kWalkOnClips);
}

void Match_ActStand(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    if (IsGoalkeeper(figure) && MatchPhase != kPhaseWaitReferee) {
        if (KickOffSetUp()) {
            StartIdleVariation(figure);
        } else {
            // The keeper's own standing action takes over with its counters
            // as they are.
            f.action = kActionKeeperReady;
        }
        return;
    }
    ++f.actionWord;
    if (f.actionWord % kRedecideEvery == 0) {
        if (DistanceToTarget(f) > kArrived) {
            Match_Redecide(figure, kActionRunToPosition);
            return;
        }
        Match_Redecide(figure, kActionStand);
        if (KickOffSetUp()) StartIdleVariation(figure);
    }
    Match_TurnPlayerTowards(figure, f.ballDirection & 255, 0);
    Loop(figure, kClipStand);
}

void Match_ActRunToPosition(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int d = DistanceToTarget(f);
    if (d <= kArrived) {
        Match_SetPlayerAction(figure, kActionStand);
        return;
    }
    ++f.actionWord;
    if (f.actionWord % kRedecideEvery == 0 && !WalkingOn()) {
        Match_Redecide(figure, kActionRunToPosition);
        if (f.action == kActionThink) return;
    }
    ++RunningCount;
    uint16_t dir = Match_DirectionTo(MatchCurX, MatchCurY, f.targetX, f.targetY);
    if (MatchPhase == kPhaseKickOffSetUp) {
        // Walking on: from beside the pitch first straight across, facing
        // the way at once, with the run the re-decision picked.
        if (MatchCurX < kWalkOnBesideX) dir = Match_DirectionTo(MatchCurX, MatchCurY, f.targetX, MatchCurY);
        f.facing = dir;
        const uint16_t pick = f.actionParam;
        if (pick >= kWalkOnClips) return;
        Loop(figure, int16_t(pick <= 1 ? kClipWalk : 10 + pick));
        Match_ApplyAnimMotion(figure);
        return;
    }
    const int back = (dir + 128) & 255;
    if (Match_FoldedDifference(f.facing, back) <= kBackPedalAngle && d <= kBackPedalReach) {
        Loop(figure, kClipBackwards);
        Match_StepForward(figure, 100, dir);
        return;
    }
    Match_TurnPlayerTowards(figure, dir, 0);
    Loop(figure, d >= kRunClipFrom ? kClipRun : kClipWalk);
    Match_ApplyAnimMotion(figure);
}

void Match_ActThink(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = figure / kTeamFigures;
    if (BallState.holder != 0 || (MatchPhase != kPhaseOpenPlay && MatchPhase != kPhaseOffside)) {
        Match_ActRunToPosition(figure);
        return;
    }
    if (f.hasBall != 0 || (f.touchLockout != 0 && team == BallTeam)) {
        Match_Dribble(figure);
        if (f.action == kActionThink) ++f.longCounts[0];
        return;
    }
    Match_Redecide(figure, kActionRunToPosition);
    if (f.action != kActionThink) return;
    Match_ReactToHighBall(figure);
    if (f.action != kActionThink) return;
    const int16_t opposing = TeamChallenger[team ^ 1];
    const bool opposingAway =
        !Match_IsPlayerFigure(opposing) || MatchFigures[opposing].ballDistance > kChallengerAtBall;
    if (team == BallTeam || (BallState.direction == kBallStill && opposingAway)) {
        Match_ChaseTarget(figure, BallState.predicted[0][0], BallState.predicted[0][1], 0);
    } else {
        Match_InterceptCarrier(figure);
        ++f.longCounts[1];
    }
    ++f.longCounts[0];
}

void Match_ActIdleVariation(int16_t figure) {
    MatchSetPlayerAnim(figure, int16_t(kClipIdleFirst + MatchFigures[figure].actionParam), 1, kActionStand);
}
