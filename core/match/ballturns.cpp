#include "core/match/ballturns.h"
#include "core/match/actions.h"

#include "core/base/random.h"
#include "core/match/actionmachine.h"
#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchstate.h"
#include "core/match/motionclips.h"
#include "core/match/officials.h"
#include "core/match/onball.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"

uint16_t TurnAwayTicks;

namespace {

constexpr uint16_t kBusyUpTo = kActionUnderHighBall;
constexpr uint16_t kTurnAwayTickLimit = 50;
constexpr uint16_t kTurnAwayLookEvery = 30;
constexpr int16_t kTurnToGoalKeepFrom = 16;
constexpr int16_t kTurnAwayKickFrom = 14;
constexpr int16_t kKnockPastMoveUntil = 60;
constexpr int16_t kKnockPastShapeUntil = 45;
constexpr int16_t kKnockPastWork = 8;

// A run after the ball goes on only while it is in play: once play has
// stopped (a foul, the ball out) the last toucher would otherwise run on
// in a straight line for the whole stoppage, far beyond the goal line.
bool StillInPlay() { return MatchPhase == kPhaseOpenPlay; }

// One turn with the ball: its clip, the frame of the touch, the frames
// below which the clip's root motion moves him and the ball stays at his
// feet, the frame from which he steps on, and the strength of the touch.
struct BallTurn {
    uint16_t action;
    int16_t clip;
    int16_t touchFrom;
    int16_t motionBelow;
    int16_t keepBelow;
    int16_t stepFrom;
    bool speedByGait;
    int16_t strength;
};
constexpr BallTurn kBallTurns[] = {
    {kActionTurnWithBallSmallA, 20, 7, 7, 7, 7, true, 4},
    {kActionTurnWithBallSmallB, 21, 14, 14, 14, 14, true, 4},
    {kActionTurnWithBallMediumA, 22, 20, 16, 16, 25, false, 2},
    {kActionTurnWithBallMediumB, 23, 10, 10, 10, 19, false, 2},
    {kActionTurnWithBallWideA, 24, 20, 15, 20, 47, false, 2},
    {kActionTurnWithBallWideB, 25, 19, 19, 19, 43, false, 2},
    {kActionTurnBack, 26, 12, 4, 12, 47, false, 2},
};

const BallTurn* TurnOf(uint16_t action) {
    for (const BallTurn& turn : kBallTurns) {
        if (turn.action == action) return &turn;
    }
    return nullptr;
}

int StepSpeed(const MatchFigure& f, bool byGait) {
    if (!byGait) return 100;
    return f.gait == 2 ? 160 : f.gait == 1 ? 125 : 100;
}

}  // namespace

void Match_ActTurnWithBall(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const BallTurn* turn = TurnOf(f.action);
    if (turn == nullptr) return;
    const int speed = StepSpeed(f, turn->speedByGait);
    if (MatchSetPlayerAnim(figure, turn->clip, 2, kActionThink) == 0) {
        f.facing = f.turnTarget & 255;
        Match_ApplyAnimMotion(figure);
        return;
    }
    const int16_t frame = f.shownFrame;
    if (frame < turn->motionBelow) Match_ApplyAnimMotion(figure);
    if (frame < turn->keepBelow && f.hasBall != 0) Ball_KeepAtFeet(figure);
    if (frame >= turn->stepFrom) Match_StepForward(figure, speed, f.turnTarget & 255);
    if (frame >= turn->touchFrom && f.hasKicked == 0 && f.hasBall != 0) {
        Ball_Kick(int16_t(f.turnTarget & 255), figure, turn->strength);
    }
}

void Match_ActSprintAfterBall(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    Match_ApplyAnimMotion(figure, 160, 4);
    if (MatchSetPlayerAnim(figure, kClipSprint, 1, kActionRunAfterBall) != 0) return;
    f.facing = f.ballDirection & 255;
    if (LastToucher == figure && StillInPlay()) {
        Match_SetPlayerAction(figure, kActionSprintAfterBall);
    } else {
        f.frame = 0;
    }
}

void Match_ActRunAfterBall(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    Match_ApplyAnimMotion(figure, 125, 4);
    if (MatchSetPlayerAnim(figure, kClipRun, 1, kActionThink) != 0) return;
    if (LastToucher == figure && StillInPlay()) {
        Match_SetPlayerAction(figure, kActionRunAfterBall);
    } else {
        f.frame = 0;
    }
}

// The turns toward goal happen on the ball: each of their ticks is a tick
// of his spell on the ball, and he comes back to the ball with it going on.
void Match_ActTurnToGoal(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    ++f.actionParam;
    f.turnTarget = Match_GoalDirection(figure, 0, CurrentTeam);
    if (f.hasBall == 0) {
        Match_SetPlayerAction(figure, kActionRunToPosition);
        return;
    }
    if (!MatchTrySetPlayerAnim(figure, kClipTurnToGoal, 5)) {
        Match_SwitchKeepingSpell(figure, kActionOnBall);
        f.frame = 1;
        return;
    }
    if (f.shownFrame >= kTurnToGoalKeepFrom) Ball_KeepAtFeet(figure);
}

void Match_ActTurnOnSpot(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const bool up = f.action == kActionTurnOnSpotUp;
    ++f.actionParam;
    Ball_KeepAtFeet(figure);
    if (!MatchTrySetPlayerAnim(figure, kClipTurnOnSpot, 1)) {
        Match_SwitchKeepingSpell(figure, kActionOnBall);
        f.frame = 1;
    }
    if ((f.facing & 255) != (f.turnTarget & 255)) f.facing = uint16_t((f.facing + (up ? 1 : -1)) & 255);
}

void Match_ActTurnAwayAndKick(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = figure / kTeamFigures;
    if (f.actionParam == 0) {
        TurnAwayTicks = 0;
        f.actionParam = 1;
    }
    ++TurnAwayTicks;
    const uint16_t goalward = Match_GoalDirection(figure, 0, CurrentTeam);
    if (f.shownFrame < 1) f.shownFrame = 1;
    if (f.actionWord == 0) {
        int16_t score = 0;
        const int16_t d = Match_FindFreeDirection(figure, int16_t(goalward), score);
        if (d >= 0) f.turnTarget = uint16_t(d);
    } else if (++f.actionWord > kTurnAwayLookEvery) {
        f.actionWord = 0;
    }
    if ((f.facing & 255) == (f.turnTarget & 255) || f.touchLockout != 0) {
        if (f.hasBall != 0 || f.touchLockout != 0) {
            if (MatchSetPlayerAnim(figure, kClipOnBall, 5, kActionThink) == 0) return;
            if (f.shownFrame >= kTurnAwayKickFrom && f.hasKicked == 0) {
                Ball_Kick(int16_t(f.facing & 255), figure, 2);
                f.touchLockout = 2;
            }
        } else {
            Match_SetPlayerAction(figure, kActionRunToPosition);
        }
    } else {
        Match_TurnPlayerTowards(figure, f.turnTarget & 255, 0);
        if (BallTeam != team || f.hasBall == 0) Match_SetPlayerAction(figure, kActionRunToPosition);
    }
    if (TurnAwayTicks > kTurnAwayTickLimit && f.action == kActionTurnAwayAndKick)
        Match_SetPlayerAction(figure, kActionRunToPosition);
}

void Match_ActKnockPast(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = figure / kTeamFigures;
    if (MatchSetPlayerAnim(figure, kClipKnockPast, 2, kActionThink) == 0) {
        TeamChallenger[team] = figure;
        return;
    }
    const int16_t frame = f.shownFrame;
    if (frame <= kKnockPastMoveUntil) {
        if (frame < kKnockPastShapeUntil) Match_ApplyAnimMotion(figure, 18, 1);
        if (f.hasBall != 0) Ball_KeepAtFeet(figure);
    } else {
        Match_ApplyAnimMotion(figure, 100, 1);
    }
    if (frame >= kKnockPastMoveUntil && f.hasKicked == 0 && f.hasBall != 0) {
        const int16_t nearest = BallRanking[team ^ 1][0];
        if (Match_IsPlayerFigure(nearest) && MatchFigures[nearest].action <= kBusyUpTo) {
            Match_SetPlayerAction(nearest, kActionChestControlA);
        }
        const int16_t power = int16_t(2 + GameRandom() % 2);
        Ball_Kick(int16_t((f.facing + 10) & 255), figure, power);
        f.ballWork2 = kKnockPastWork;
    }
}
