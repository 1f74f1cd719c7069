#include "core/match/onball.h"
#include "core/match/actions.h"

#include <algorithm>
#include <cstdlib>

#include "core/match/actionmachine.h"
#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/headershot.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchrules.h"
#include "core/match/motionclips.h"
#include "core/match/officials.h"
#include "core/match/passing.h"
#include "core/match/ranking.h"
#include "core/match/shotchoice.h"

uint16_t CarrierRunMarker;

namespace {

constexpr int kClearanceDistance = 1600;
constexpr int kDefenderPositions = 5;
constexpr int kHoldStep = 5;

// He turns with the ball toward the goal: the turn to goal takes the goal's
// direction as the wanted one, and the turn on the spot, the short way
// round, then brings him onto it; both hand him back to the ball.
void TurnTowardGoal(int16_t figure, int goalward) {
    MatchFigure& f = MatchFigures[figure];
    const int facing = f.facing & 255;
    if (facing == goalward) return;
    if ((f.turnTarget & 255) != goalward) {
        Match_SwitchKeepingSpell(figure, kActionTurnToGoal);
        return;
    }
    const bool larger = ((goalward - facing) & 255) < 128;
    Match_SwitchKeepingSpell(figure, larger ? kActionTurnOnSpotUp : kActionTurnOnSpotDown);
}

// Running on with the ball toward goal; it always ends the tick.
void KeepRunning(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int goalward = f.actionWord & 255;
    int16_t score = 0;
    const int c = Match_FindFreeDirection(figure, int16_t(goalward), score);
    const int d = std::max(0, GoalDistanceScratch / 5 - 200);
    const int e = Match_FoldedDifference(c, goalward);
    const int v = (e + d / 2) * 2;
    if (v > 128 && c == int(f.facing)) {
        if (std::abs(goalward - c) >= 128) return;
        Match_SetPlayerAction(figure, kActionTurnAwayAndKick);
        f.frame = 1;
        return;
    }
    TurnTowardGoal(figure, goalward);
}

void KickTowardGoal(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    f.actionWord = Match_GoalDirection(figure, 1, CurrentTeam);
    MatchClearBall(figure, int16_t(f.actionWord));
}

// 100 - rand % (Intelligence + 1) against the player's Intelligence as his
// role lets him use it.
bool IntelligenceRoll(int16_t figure) {
    const int16_t intelligence = MatchFigures[figure].intelligence;
    const int a = MatchRandomSpread(intelligence, 100);
    const int b = MatchSlotRoleChoice(figure, intelligence);
    return a >= b;
}

// The options; false when the player goes on running with the ball.
bool TryOptions(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    int16_t r = Match_ChooseShortPass(figure, 1);
    if (r != kNoPassReceiver) {
        const bool mate = Match_IsPlayerFigure(r);
        Match_StartShortPass(figure, r, mate ? MatchFigures[r].x : 0, mate ? MatchFigures[r].y : 0);
        return true;
    }
    if ((r = Match_ChooseLongPass(figure, 0)) != kNoPassReceiver) {
        Match_StartLongPass(figure, r);
        return true;
    }
    if ((r = Match_ChooseFarPass(figure)) != kNoPassReceiver) {
        Match_StartFarPass(figure, r);
        return true;
    }
    if ((r = Match_ChooseVeryLongPass(figure)) != kNoPassReceiver) {
        Match_StartVeryLongPass(figure, r);
        return true;
    }
    int16_t score = 0;
    const int c = Match_FindFreeDirection(figure, int16_t(f.actionWord & 255), score);
    if (c >= 0 && f.actionParam <= kOnBallRunWindow) return false;
    if (GoalDistanceScratch > kClearanceDistance && f.position < kDefenderPositions) {
        MatchClearBall(figure, int16_t(f.facing & 255));
        return true;
    }
    if (IntelligenceRoll(figure) && CarrierRunMarker == 0) {
        if (f.actionFlag == 0) {
            f.actionFlag = 1;
            ++CarrierRunMarker;
            ++f.moreCounts[kMoreCarrierRuns];
        }
        return false;
    }
    if (!IntelligenceRoll(figure)) {
        Match_StartCross(figure, kPassToPoint, 0, 0, -1);
        return true;
    }
    KickTowardGoal(figure);
    return true;
}

}  // namespace

void Match_SwitchKeepingSpell(int16_t figure, uint16_t action) {
    if (figure < 0 || figure >= kPlayerFigures) return;
    const MatchFigure& f = MatchFigures[figure];
    const uint16_t ticks = f.actionParam;
    const uint8_t runStarted = f.actionFlag;
    Match_SetPlayerAction(figure, action);
    MatchFigures[figure].actionParam = ticks;
    MatchFigures[figure].actionFlag = runStarted;
}

void Match_ActWithBall(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    if (f.actionFlag == 0) CarrierRunMarker = 0;
    f.actionWord = Match_GoalDirection(figure, 0, CurrentTeam);
    ++f.actionParam;
    if (f.hasBall == 0) {
        Match_SetPlayerAction(figure, kActionRunToPosition);
        return;
    }
    if (MatchSetPlayerAnim(figure, kClipOnBall, kHoldStep, kActionThink) == 0) return;
    Ball_KeepAtFeet(figure);
    if (f.shownFrame <= 1) return;
    f.frame = int16_t(f.frame - kHoldStep);
    const bool pressed = Match_NoOpponentNear(figure) == 0 || f.actionParam > kOnBallPatience;
    if (pressed && TryOptions(figure)) return;
    if (f.actionParam > kOnBallPatience) {
        KickTowardGoal(figure);
        return;
    }
    KeepRunning(figure);
}
