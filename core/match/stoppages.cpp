// Actions around stoppages, saves and bookings: fetching the ball and
// throwing it to the restart point, running to a restart position, the
// reactions to a keeper's catch, the walk back, the booked player, the
// celebration clip and the stumble; and the line-up of a defensive wall.
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
#include "core/match/phases.h"
#include "core/match/setpiececommon.h"
#include "core/match/setpieces.h"

using namespace setpiece;

int16_t RestartBallOwner;
int16_t RestartFetchWords[2] = {-1, 0};
uint16_t DisplaySceneWords[4];

namespace {

constexpr int kThrowFrame = 68;
constexpr int kTurnFrame = 32;
constexpr int kWalkBackTicks = 200;
constexpr int kWallDistance = 160;
constexpr int kWallGap = 16;

struct CatchReaction {
    int16_t clip;
    uint16_t next;  // 0: loops into the second phase
    int16_t nextParam;
    bool dropsBall;
};
constexpr uint16_t kSecondPhase = 0;
constexpr CatchReaction kCatchReactions[12] = {
    {327, kSecondPhase, 0, false},       {328, kSecondPhase, 0, false},
    {329, kSecondPhase, 0, false},       {330, kSecondPhase, 0, false},
    {218, kActionWalkBack, 1, false},    {317, kActionWalkBack, 1, false},
    {311, kActionKeeperReady, 0, true},  {334, kActionKeeperReady, 0, true},
    {335, kActionKeeperReady, 0, true},  {336, kActionKeeperReady, 0, false},
    {313, kActionKeeperReady, 0, false}, {314, kActionKeeperReady, 0, false},
};

// The wall's place for slot i: toward the goal from the free kick by at
// most ten yards, then a yard a slot to alternate sides.
CelebrationPoint WallPlace(int slot, uint16_t wallDirection, int goalY) {
    const int toGoal = Match_ApproxDistance(FoulX, FoulY, kPitchCentreX, goalY);
    const int along = toGoal < kWallDistance ? toGoal : kWallDistance;
    Match_VectorFromDirection(wallDirection, along, 256);
    int px = FoulX + MatchVecX;
    int py = FoulY - MatchVecNY;
    const int side = (slot + 1) / 2 * kWallGap;
    Match_VectorFromDirection((wallDirection + (slot % 2 == 1 ? -64 : 64)) & 255, side, 256);
    px += MatchVecX;
    py -= MatchVecNY;
    if (py < kGoalLineLow + 6) py = kGoalLineLow + 6;
    if (py > kGoalLineHigh - 6) py = kGoalLineHigh - 6;
    return {int16_t(px), int16_t(py)};
}

}  // namespace

void Match_ActFetchAndThrow(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    RestartFetchWords[0] = -1;
    RestartFetchWords[1] = 0;
    f.gait = 0;
    if (RestartBallOwner != 0 && RestartBallOwner != figure + 1) {
        Match_SetPlayerAction(figure, kActionRunToPosition);
        return;
    }
    if (f.hasKicked == 0 && !BallWithinReach()) {
        FacePoint(figure, BallState.x, BallState.y);
        Match_ApplyAnimMotion(figure);
        MatchSetPlayerAnimKeepFrame(figure, kClipRun, 1, 0);
        return;
    }
    if (f.hasKicked < 2) {
        if (f.hasKicked == 0) f.frame = 0;
        f.hasKicked = 1;
        if (f.frame >= kTurnFrame)
            Match_TurnPlayerTowards(figure, Match_DirectionTo(kPitchCentreX, 318, MatchCurX, MatchCurY), 2);
        RestartBallOwner = int16_t(figure + 1);
        Ball_Stop();
        Ball_KeepAtFeet(figure);
        Match_ApplyAnimMotion(figure);
        if (MatchTrySetPlayerAnim(figure, kClipPickUp, 1) == 0) f.hasKicked = 2;
        return;
    }
    Match_ApplyAnimMotion(figure);
    const uint16_t toPoint = Match_DirectionTo(MatchCurX, MatchCurY, FoulX, FoulY);
    Match_TurnPlayerTowards(figure, toPoint, 2);
    f.turnTarget = toPoint;
    if (MatchSetPlayerAnim(figure, kClipThrow, 1, kActionRunToPosition) == 0) return;
    if (RestartBallOwner == figure + 1 && f.frame < kThrowFrame) Ball_KeepAtFeet(figure);
    if (f.frame != kThrowFrame || RestartBallOwner != figure + 1) return;
    RestartBallOwner = 0;
    BallState.z = 0;
    const int distance = Match_ApproxDistance(BallState.x, BallState.y, FoulX, FoulY);
    Match_VectorFromDirection(Match_DirectionTo(BallState.x, BallState.y, FoulX, FoulY) & 255,
                              distance / 16 + 40, 256);
    BallState.vx = MatchVecX * 6656;
    BallState.vy = -MatchVecNY * 6656;
    BallState.vz = 655360;
    f.ballWork2 = 16;
    Ball_UpdateDirectionSpeed();
}

void Match_ActRestartPlace(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    if (MatchPhase == kPhaseOpenPlay) {
        Match_SetPlayerAction(figure, kActionRunToPosition);
        return;
    }
    if (Match_ApproxDistance(MatchCurX, MatchCurY, f.targetX, f.targetY) > 5) {
        FacePoint(figure, f.targetX, f.targetY);
        MatchSetPlayerAnimKeepFrame(figure, kClipRun, 1, 0);
        Match_ApplyAnimMotion(figure);
        return;
    }
    MatchStepPlayerAnim(figure, f.turnTarget & 255);
}

void Match_ActCatchReaction(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    if (f.hasKicked != 0) {
        // The second phase.
        if (f.actionParam == 2) {
            Match_SetPlayerAction(figure, kActionWalkBack);
            MatchFigures[figure].actionParam = 1;
            return;
        }
        if (f.actionParam > 1) return;
        if (MatchSetPlayerAnim(figure, f.actionParam == 0 ? 313 : 314, 1, kActionWalkBack) == 0)
            MatchFigures[figure].actionParam = 0;
        return;
    }
    if (f.actionParam >= 12) return;
    const CatchReaction& r = kCatchReactions[f.actionParam];
    if (r.next == kSecondPhase) {
        if (MatchTrySetPlayerAnim(figure, r.clip, 1) != 0) return;
        f.hasKicked = 1;
        f.frame = 0;
        f.actionParam = uint16_t(GameRandom() % 3);
        return;
    }
    if (MatchSetPlayerAnim(figure, r.clip, 1, r.next) != 0) return;
    if (r.nextParam != 0) MatchFigures[figure].actionParam = uint16_t(r.nextParam);
    if (r.dropsBall) {
        BallState.z = 70;
        BallState.holder = 0;
    }
}

void Match_ActWalkBack(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    FacePoint(figure, f.targetX, f.targetY);
    ++f.actionWord;
    if (f.actionParam <= 1) {
        MatchSetPlayerAnimKeepFrame(figure, f.actionParam == 0 ? 10 : 5, 1, 0);
        Match_ApplyAnimMotion(figure);
    }
    if (f.actionWord == kWalkBackTicks) Match_SetPlayerAction(figure, kActionRunToPosition);
}

void Match_ActBooked(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    Match_ApplyAnimMotion(figure);
    if (MatchSetPlayerAnim(figure, kClipBooked, 1, f.officialWord) != 0) return;
    // The clip has ended: a close-up of the booked player may be asked for.
    const bool closeUp = int(GameRandom() % 100) < f.outlook;
    if (closeUp && (DisplaySceneWords[0] == 7 || DisplaySceneWords[0] == 8) && f.cautions < 2) {
        DisplaySceneWords[0] = 8;
        DisplaySceneWords[1] = 8;
        DisplaySceneWords[2] = 1;
        DisplaySceneWords[3] = 0;
    }
}

void Match_ActCelebrate(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const int16_t keeper = MatchLineUp[TeamOf(figure)][0];
    if (IsPlayer(keeper)) {
        const MatchFigure& k = MatchFigures[keeper];
        Match_TurnPlayerTowards(figure, Match_DirectionTo(MatchCurX, MatchCurY, k.x, k.y), 0);
    }
    MatchSetPlayerAnim(figure, int16_t(f.actionParam), 1, kActionRunToPosition);
}

void Match_ActStumble(int16_t figure) {
    Match_ApplyAnimMotion(figure);
    MatchSetPlayerAnim(figure, kClipStumble, 2, kActionThink);
}

void Match_LineUpWall(int16_t n) {
    const int team = FoulTeam & 1;
    CurrentTeam = uint8_t(team);
    // A wall lined up sets the goalkeeper guarding his post (at a free kick
    // at goal); the wall players keep the guard going once they stand.
    ++KeeperPostTicks;
    const int goalY = (team ^ 1) == AttackDirection ? kGoalLineHigh : kGoalLineLow;
    const uint16_t wallDirection = Match_DirectionTo(FoulX, FoulY, kPitchCentreX, goalY) & 255;
    bool held[kTeamFigures] = {};
    for (int slot = 1; slot <= 10; ++slot) {
        const int16_t figure = MatchLineUp[team][slot];
        if (!IsPlayer(figure)) continue;
        MatchFigure& f = MatchFigures[figure];
        if (f.action != kActionWall) continue;
        if (f.actionParam >= uint16_t(n)) {
            Match_SetPlayerAction(figure, kActionRunToPosition);
        } else if (f.actionParam < kTeamFigures) {
            held[f.actionParam] = true;
        }
    }
    for (int slot = 0; slot < n && slot < kTeamFigures; ++slot) {
        if (held[slot]) continue;
        const int16_t chosen = MatchFindBestReceiver(FoulX, FoulY, -1);
        if (chosen == 0 || !IsPlayer(chosen) || TeamOf(chosen) != team) return;
        Match_SetPlayerAction(chosen, kActionWall);
        MatchFigure& c = MatchFigures[chosen];
        c.actionParam = uint16_t(slot);
        const CelebrationPoint place = WallPlace(slot, wallDirection, goalY);
        c.aimX = place.x;
        c.aimY = place.y;
    }
}
