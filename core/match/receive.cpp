// The receiver's run onto a pass or cross (action 17): he runs, back-pedals
// or waits at the point the striker gave him, steps to meet a dropping
// ball, and gives up when the ball is no longer his team's or no longer
// comes his way.
#include <cstdlib>

#include "core/match/actionmachine.h"
#include "core/match/actions.h"
#include "core/match/geometry.h"
#include "core/match/highball.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/strikes.h"

namespace {

constexpr int kAnyHeight = 10000;
constexpr int kOnThePoint = 5;
// A ball in the air that the high-ball reaction leaves alone starts at this
// height; the chest band of that reaction, and the top of the ball contacts'
// reach where a low control cushions the ball, start at the next.
constexpr int kAirBallFloor = 30;
constexpr int kChestBand = 110;
// The low control meets a ball this near and this low.
constexpr int kLowControlReach = 8;
constexpr int kLowControlHeight = 140;

bool IsOwnKeeper(int16_t figure) { return MatchLineUp[figure / kTeamFigures][0] == figure; }

void GiveUp(int16_t figure) {
    Match_SetPlayerAction(figure, IsOwnKeeper(figure) ? kActionKeeperReady : kActionThink);
}

// Still his ball: his team has it and it is still or coming at him.
bool StillHis(const MatchFigure& f, int team) {
    if (f.hasBall != 0 || BallTeam != team) return false;
    const int speed = BallState.speed;
    if (speed != 0 && speed < 5) return false;
    if (speed == 0) return true;
    const int apart = std::abs(int(f.ballDirection & 255) - int(BallState.direction & 255));
    return apart >= 32 && apart <= 224;
}

}  // namespace

void Match_ActReceivePass(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int team = figure / kTeamFigures;
    Match_ReactToHighBall(figure);
    if (MatchPhase > kPhaseOffside) {
        Match_SetPlayerAction(figure, IsOwnKeeper(figure) ? kActionKeeperReady : kActionRunToPosition);
        return;
    }
    if (f.action != kActionReceivePass) return;
    if (!StillHis(f, team)) {
        Match_SetPlayerAction(figure, kActionThink);
        return;
    }
    const int r = Match_BallInReach5(MatchCurX, MatchCurY, f.aimX, f.aimY, kAnyHeight);
    if (r > kOnThePoint) {
        ++ReceiveCount;
        f.actionWord = 1;
        int d = Match_DirectionTo(MatchCurX, MatchCurY, f.aimX, f.aimY);
        const int back = (d + 128) & 255;
        const int facingOff = std::abs(int(f.facing & 255) - back);
        if ((facingOff < 8 || facingOff > 248) && r < 125) {
            MatchSetPlayerAnimKeepFrame(figure, 19, 1, 0);
            Match_StepForward(figure, 100, d);
            return;
        }
        if (BallState.direction < 256 && Match_FoldedDifference(BallState.direction, back) <= 32) {
            d = Match_DirectionTo(MatchCurX, MatchCurY, BallState.predicted[0][0], BallState.predicted[0][1]);
        }
        Match_TurnPlayerTowards(figure, d, 0);
        const int t = Match_FoldedDifference(d, f.facing & 255);
        if (r > 32 && t < 32) {
            MatchSetPlayerAnimKeepFrame(figure, 18, 1, 0);
            Match_ApplyAnimMotion(figure, 160, 8);
        } else if (r > 16 && t < 48) {
            MatchSetPlayerAnimKeepFrame(figure, 13, 1, 0);
            Match_ApplyAnimMotion(figure, 125, 4);
        } else {
            MatchSetPlayerAnimKeepFrame(figure, 11, 1, 0);
            Match_ApplyAnimMotion(figure, 64, 1);
        }
        return;
    }
    // On his point he keeps his own direction to the ball fresh: the group
    // update refreshes it only every fourth tick, and the test of step 4
    // (is the ball still coming his way) reads it every tick.
    const int toBall = Match_DirectionTo(MatchCurX, MatchCurY, BallState.x, BallState.y);
    f.ballDirection = uint16_t(toBall);
    const int back = (BallState.direction + 128) & 255;
    const bool dropping = BallState.vz < 0 && BallState.z < 70 && f.rankDistance > BallState.speed * 20;
    if (dropping || f.hasKicked != 0) {
        f.hasKicked = 1;
        Match_TurnPlayerTowards(figure, toBall, 0);
        MatchSetPlayerAnimKeepFrame(figure, 13, 1, 0);
        Match_StepForward(figure, 125, toBall);
        f.aimX = int16_t(MatchCurX16 / 65536);
        f.aimY = int16_t(MatchCurY16 / 65536);
        return;
    }
    if (std::abs(back - toBall) > 8) {
        if (BallState.direction >= 256) return;  // a still ball: wait for it
        GiveUp(figure);
        return;
    }
    // A ball coming at him in the air below his chest, about to reach him:
    // he takes it down with a low control rather than letting it bounce off.
    if (BallState.z >= kAirBallFloor && BallState.z < kChestBand &&
        Match_BallInReach(MatchCurX, MatchCurY, BallState.predicted[0][0], BallState.predicted[0][1],
                          kLowControlReach, kLowControlHeight) == 0) {
        Match_SetPlayerAction(figure, kActionLowControl);
        return;
    }
    const int t = Match_FoldedDifference(toBall, f.facing & 255);
    if (t < 32) Match_TurnPlayerTowards(figure, toBall, 0);
    if (t < 4) {
        MatchSetPlayerAnimKeepFrame(figure, 13, 1, 0);
        Match_StepForward(figure, 125, toBall);
        return;
    }
    if (f.actionWord == 1) {
        f.frame = 0;
        f.actionWord = 0;
    }
    if (MatchSetPlayerAnim(figure, 1, 1, kActionThink) != 0 && f.frame > 30) f.frame = 30;
}
