// Stoppages, celebrations and waiting: team-mates running to the scorer and
// the celebration's stages, the reactions at the end of a period, the way
// back to a point during a stoppage, the run to the formation place while
// play is stopped, standing off the opponents' challenger, waiting under a
// high ball and the timed pause.
#include <cstdlib>

#include "core/base/random.h"
#include "core/match/actionmachine.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/geometry.h"
#include "core/match/highball.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/motionclips.h"
#include "core/match/officials.h"
#include "core/match/openplay.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/replay.h"
#include "core/match/setpiececommon.h"
#include "core/match/setpieces.h"

using namespace setpiece;

int16_t GoalScorer = -1;
uint16_t CelebrationSwitch;

namespace {

constexpr uint16_t kPeriodShootOut = 4;
constexpr int kArrived = 5;
constexpr int kHighBall = 140;

struct StagePoint {
    int16_t stage, quarter, x, y;
};
constexpr StagePoint kStagePoints[] = {
#define CELEBRATION_POINT(stage, quarter, x, y) {stage, quarter, x, y},
#include "data/match/celebration_points.inc"
#undef CELEBRATION_POINT
};

enum class Meeting { None, Quarter, Corner, Spread, GoalLine, Touchline };
struct Stage {
    Meeting meeting;
    int16_t clip;
};
constexpr Stage kStages[17] = {
    {Meeting::None, 0},        {Meeting::None, 157},    {Meeting::Quarter, 158},  {Meeting::Corner, 159},
    {Meeting::None, 152},      {Meeting::Corner, 153},  {Meeting::None, 154},     {Meeting::None, 155},
    {Meeting::None, 156},      {Meeting::Quarter, 161}, {Meeting::Quarter, 162},  {Meeting::Quarter, 329},
    {Meeting::Quarter, 330},   {Meeting::Spread, 348},  {Meeting::GoalLine, 351}, {Meeting::None, 349},
    {Meeting::Touchline, 350},
};

int QuarterOf(int x, int y) { return (x >= kPitchCentreX ? 1 : 0) + (y >= kPitchHalfwayY ? 2 : 0); }

int NearGoalLine(int y) { return y < kPitchHalfwayY ? kGoalLineLow : kGoalLineHigh; }

// The x just outside the nearer post, by the given gap.
int OutsideNearPost(int x, int gap) { return x >= kPitchCentreX ? kPostRightX + gap : kPostLeftX - gap; }

CelebrationPoint MeetingPoint(int16_t figure, const Stage& stage, int stageNumber) {
    const int x = MatchCurX, y = MatchCurY;
    const int line = NearGoalLine(y);
    const int inward = line == kGoalLineLow ? 1 : -1;
    switch (stage.meeting) {
        case Meeting::Quarter:
            return Match_CelebrationMeetingPoint(stageNumber, QuarterOf(x, y));
        case Meeting::Corner:
            return {int16_t(OutsideNearPost(x, 300)), int16_t(line + inward * 64)};
        case Meeting::Spread:
            return {int16_t(OutsideNearPost(x, figure * 16 + 64)), int16_t(line + inward * 32)};
        case Meeting::GoalLine:
            return {int16_t(OutsideNearPost(x, 128)), int16_t(line)};
        case Meeting::Touchline:
            return {x >= kPitchCentreX ? PitchGeometry.right : PitchGeometry.left, int16_t(y)};
        case Meeting::None:
            break;
    }
    return {int16_t(x), int16_t(y)};
}

void EndCelebration(int16_t figure) {
    CelebrationSwitch = 0;
    CameraSubject = kBallFigure;
    Match_SetPlayerAction(figure, kActionRunToPosition);
}

void StageOver(int16_t figure, int stage) {
    if (stage == kStageHug) {
        CameraSubject = kBallFigure;
        CelebrationSwitch = 0;
        return;  // the clip's next action (1) takes over
    }
    // A shoot-out scorer's team-mates hold on at the quarter point while the
    // celebration runs; once his own stage has ended it (the switch is
    // cleared) they end theirs too, as every team-mate falls back then.
    const bool held = stage == kStageQuarterRunB || stage == kStageQuarterRunC ||
                      stage == kStageQuarterHold || stage == kStageSpread;
    if (Period == kPeriodShootOut && held && CelebrationSwitch != 0) {
        Match_SetPlayerAction(figure, kActionGoalCelebration);
        MatchFigures[figure].actionParam = kStageQuarterHold;
        return;
    }
    EndCelebration(figure);
}

void RunTo(int16_t figure, int x, int y) {
    FacePoint(figure, x, y);
    MatchSetPlayerAnimKeepFrame(figure, kClipRun, 1, 0);
    Match_ApplyAnimMotion(figure);
}

}  // namespace

CelebrationPoint Match_CelebrationMeetingPoint(int stage, int quarter) {
    for (const StagePoint& p : kStagePoints) {
        if (p.stage == stage && p.quarter == quarter) return {p.x, p.y};
    }
    return {kPitchCentreX, kPitchHalfwayY};
}

void Match_ActJoinScorer(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    if (CelebrationSwitch == 0 || !IsPlayer(GoalScorer)) {
        Match_SetPlayerAction(figure, kActionRunToPosition);
        return;
    }
    const MatchFigure& scorer = MatchFigures[GoalScorer];
    const int r = GameRandom() % 96;
    if (f.actionParam == 0 && Match_ApproxDistance(MatchCurX, MatchCurY, scorer.x, scorer.y) >= r + 24) {
        RunTo(figure, scorer.x, scorer.y);
        return;
    }
    f.actionParam = 1;
    FacePoint(figure, scorer.x, scorer.y);
    Match_ApplyAnimMotion(figure);
    if (MatchSetPlayerAnim(figure, kClipHug, 1, kActionRunToPosition) != 0 || CelebrationSwitch == 0) return;
    if (Period == kPeriodShootOut) {
        Match_SetPlayerAction(figure, kActionGoalCelebration);
        int stage = kStageQuarterRunB + GameRandom() % 5;
        if (stage == kStageQuarterRunD) stage = kStageQuarterHold;
        MatchFigures[figure].actionParam = uint16_t(stage);
        if (MatchOnPitch(figure)) CameraSubject = int8_t(figure);
    } else if (scorer.actionParam == kStageGoalLine || scorer.actionParam == kStageTeamOnTheSpot) {
        const uint16_t stage = scorer.actionParam;
        Match_SetPlayerAction(figure, kActionGoalCelebration);
        MatchFigures[figure].actionParam = stage;
    }
}

void Match_ActGoalCelebration(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    CameraSubject = int8_t(figure);
    const int stage = f.actionParam;
    if (stage < kStageHug || stage > kCelebrationStages) {
        EndCelebration(figure);
        return;
    }
    const Stage& s = kStages[stage];
    if (s.meeting != Meeting::None && f.hasKicked == 0) {
        const CelebrationPoint point = MeetingPoint(figure, s, stage);
        f.targetX = point.x;
        f.targetY = point.y;
        RunTo(figure, point.x, point.y);
        if (AtPoint(point.x, point.y, 10000)) f.hasKicked = 1;
    } else {
        Match_ApplyAnimMotion(figure);
        if (MatchSetPlayerAnim(figure, s.clip, 1, kActionRunToPosition) == 0) StageOver(figure, stage);
    }
    if (MatchFigures[figure].action == kActionRunToPosition && MatchPhase == kPhasePeriodOver)
        Match_SetPlayerAction(figure, kActionToTunnel);
}

void Match_ActPeriodEndReaction(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    static constexpr int16_t kWinnerClips[4] = {313, 314, 327, 336};
    static constexpr int16_t kLoserClips[2] = {218, 317};
    const bool winner = f.action == kActionPeriodEndReactionA;
    int16_t clip = -1;
    if (winner && f.actionParam < 4) clip = kWinnerClips[f.actionParam];
    if (!winner && f.actionParam < 2) clip = kLoserClips[f.actionParam];
    if (clip < 0) return;
    if (MatchSetPlayerAnim(figure, clip, 1, kActionStand) != 0) return;
    const int variants = !winner && Period == kPeriodShootOut ? 3 : 6;
    Match_SetPlayerAction(figure, kActionToTunnel);
    MatchFigures[figure].actionParam = uint16_t(GameRandom() % variants);
}

void Match_ActBackToPoint(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    if (f.hasBall != 0 || (MatchPhase == kPhaseOpenPlay && (BallState.z == 0 || BallState.speed > 1))) {
        Match_SetPlayerAction(figure, kActionThink);
        return;
    }
    const int d = Match_ApproxDistance(MatchCurX, MatchCurY, f.aimX, f.aimY);
    if (d > kArrived) {
        ++RunningCount;
        f.actionWord = 1;
        const int a = Match_DirectionTo(MatchCurX, MatchCurY, f.aimX, f.aimY) & 255;
        if (Match_FoldedDifference(f.facing & 255, (a + 128) & 255) <= 8 && d < 125) {
            MatchSetPlayerAnimKeepFrame(figure, 19, 1, 0);
            Match_StepForward(figure, 100, a);
        } else {
            Match_TurnPlayerTowards(figure, a, 0);
            const int t = Match_FoldedDifference(f.facing & 255, a);
            int16_t clip = 11;
            if (d > 32 && t < 32) {
                clip = 18;
            } else if (d > 16 && t < 48) {
                clip = 13;
            } else {
                Match_TurnPlayerTowards(figure, a, 0);
            }
            MatchSetPlayerAnimKeepFrame(figure, clip, 1, 0);
            Match_ApplyAnimMotion(figure);
        }
    } else {
        if (f.hasKicked < 255) ++f.hasKicked;
        Match_TurnPlayerTowards(figure, f.ballDirection & 255, 0);
        if (f.actionWord == 1) {
            f.frame = 0;
            f.actionWord = 0;
        }
        if (MatchSetPlayerAnim(figure, kClipReady, 1, kActionThink) != 0 && f.frame > 30) f.frame = 30;
    }
    if (MatchPhase == kPhaseOpenPlay && MatchFigures[figure].action == kActionBackToPoint)
        Match_ReactToHighBall(figure);
}

void Match_ActRunToTarget(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    if (Match_ApproxDistance(MatchCurX, MatchCurY, f.targetX, f.targetY) > kArrived) {
        Match_ActRunToPosition(figure);
        if (MatchFigures[figure].action != kActionRunToTarget)
            MatchFigures[figure].action = kActionRunToTarget;
        return;
    }
    if (MatchPhase == kPhaseOpenPlay) {
        Match_SetPlayerAction(figure, kActionStand);
        return;
    }
    MatchStepPlayerAnim(figure, f.ballDirection & 255);
}

void Match_ActStandOff(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    Match_TurnPlayerTowards(figure,
                            Match_DirectionTo(MatchCurX, MatchCurY, MatchChasePointX, MatchChasePointY), 0);
    if (MatchSetPlayerAnim(figure, kClipReady, 1, kActionThink) == 0) return;
    if (f.frame > 30) f.frame = 30;
    const int team = TeamOf(figure), other = team ^ 1;
    if (MatchPhase >= kPhaseTakeThrowIn || TeamChallenger[other] == kNoChallenger || BallTeam == team) {
        Match_SetPlayerAction(figure, kActionRunToPosition);
        return;
    }
    MatchDefaultDesignatedPlayer(int16_t(other));
    const int16_t challenger = TeamChallenger[other];
    if (!IsPlayer(challenger)) {
        Match_SetPlayerAction(figure, kActionRunToPosition);
        return;
    }
    const MatchFigure& c = MatchFigures[challenger];
    const int g = Match_GoalDirection(challenger, 1, int16_t(other)) & 255;
    const int h = Match_DirectionTo(c.x, c.y, MatchCurX, MatchCurY) & 255;
    const int apart = std::abs(h - g);
    const bool inPath = apart >= 240 || apart <= 16;
    if (!inPath || f.ballDistance * 75 / 100 < c.ballDistance) Match_SetPlayerAction(figure, kActionThink);
}

void Match_ActUnderHighBall(int16_t figure) {
    Match_ReactToHighBall(figure);
    if (MatchFigures[figure].action != kActionUnderHighBall) return;
    if (BallState.z < kHighBall && BallState.vz < 0) {
        Match_SetPlayerAction(figure, kActionRunToPosition);
        BallLandingX = BallLandingY = 0;
        return;
    }
    if (BallLandingX + BallLandingY > 0) Match_ChaseTarget(figure, BallLandingX, BallLandingY, 0);
}

void Match_ActPause(int16_t figure) {
    // A pause that would follow itself: he stands at once.
    if (MatchFigures[figure].officialWord == kActionPause) Match_SetPlayerAction(figure, kActionStand);
    MatchSetPlayerAnim(figure, kClipPause, 1, MatchFigures[figure].officialWord);
}
