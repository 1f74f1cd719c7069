// Passes to the side and behind (actions 123 to 128): standing, jogging and
// running, each toward either side.
#include <algorithm>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/shotchoice.h"
#include "core/match/soundevents.h"
#include "core/match/strikes.h"

namespace {

constexpr int32_t kSideLift[5] = {80, 110, 70, 100, 110};
constexpr int32_t kLowerLobLift[5] = {80, 110, 60, 100, 110};
constexpr int32_t kKindTwoBase = 32768;

// One member: its clip (and the clip of kind 2), the frame below which he
// runs up with the ball (0 none) and the first frame of the strike window.
struct SidePass {
    uint16_t action;
    int16_t clip, clipFar;
    int16_t runUpBelow, runUpBelowFar;
    int16_t windowFrom, windowFromFar;
};
constexpr SidePass kSidePasses[] = {
    {kActionStandingSidePassA, 44, 44, 0, 0, 15, 15},  {kActionStandingSidePassB, 41, 41, 0, 0, 23, 23},
    {kActionJoggingSidePassA, 42, 48, 24, 16, 24, 16}, {kActionJoggingSidePassB, 45, 51, 22, 20, 22, 20},
    {kActionRunningSidePassA, 43, 49, 28, 17, 28, 17}, {kActionRunningSidePassB, 46, 52, 18, 21, 18, 21},
};

const SidePass* SidePassOf(uint16_t action) {
    for (const SidePass& p : kSidePasses) {
        if (p.action == action) return &p;
    }
    return nullptr;
}

}  // namespace

void Match_ActSidePass(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const SidePass* p = SidePassOf(f.action);
    if (p == nullptr) return;
    const int kind = f.actionParam;
    const bool far = kind == 2;
    if (MatchSetPlayerAnim(figure, far ? p->clipFar : p->clip, 2, kActionRunToPosition) == 0) return;
    const int16_t frame = f.shownFrame;
    const int16_t runUp = far ? p->runUpBelowFar : p->runUpBelow;
    if (f.hasBall != 0 && frame < runUp) {
        Match_ApplyAnimMotion(figure);
        Ball_KeepAtFeet(figure);
    }
    const int16_t from = far ? p->windowFromFar : p->windowFrom;
    const bool inWindow = frame >= from && frame <= from + 8;
    if (!inWindow || BallState.holder != 0 || f.hasKicked != 0 || f.hasBall == 0) {
        if (BallState.holder != 0) Match_SetPlayerAction(figure, kActionRunToPosition);
        return;
    }
    LastKicker = figure;
    const int d = Match_ApproxDistance(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY);
    const int16_t r = MatchPassReceiver;
    MatchBlurPassTarget(figure, d, 160, 320);
    // Every member but the running pass to the even side lobs a far pass lower.
    const bool lowerLob = f.action <= kActionRunningSidePassA;
    MatchPassFlight(kind, d, lowerLob ? kLowerLobLift : kSideLift, kKindTwoBase, MatchPassTargetX,
                    MatchPassTargetY);
    if (r >= 0 && r < kPlayerFigures) {
        MatchFigures[r].aimX = MatchPassTargetX;
        MatchFigures[r].aimY = MatchPassTargetY;
        Match_SetPlayerAction(r, kActionReceivePass);
        Ball_UpdateDirectionSpeed();
        MatchRecordPass(figure, r, kind);
    }
    MatchSfx_PlayEvent(kSoundPass, -1);
    if (MatchPassToOwnKeeper(figure, r)) {
        BallState.vx = BallState.vx * 75 / 100;
        BallState.vy = BallState.vy * 75 / 100;
    }
    PassMarkerCountdown = kLooseBallTicks;
    BallState.kickGrace = kStrikeLockout;
    f.hasKicked = 1;
    f.touchLockout = kStrikeLockout;
    LastStriker = uint8_t(figure);
    PassMarker = int8_t(r);
    ++f.counts[kCountShortPasses];
    MatchMarkTeamOffside(figure);
}
