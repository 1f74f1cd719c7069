// Shots that turn onto the aim point (actions 97, 98, 106, 107): the
// shooter turns toward the aim every tick and strikes it unblurred; the
// nearer the goal, the lower the ball.
#include <algorithm>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/ranking.h"
#include "core/match/shooting.h"
#include "core/match/soundevents.h"
#include "core/match/strikes.h"

namespace {

constexpr int32_t kFixedSwerve = 8000;
constexpr uint16_t kFixedSwerveTicks = 30;
constexpr int kLowShotDistance = 400;  // 25 yards
constexpr int16_t kNever = -1;

// One member's form for a parameter: clip, run-up while the frame is below
// runUp (0 none), the first frame of the strike window (kNever none).
struct TurningForm {
    int16_t clip, runUp, windowFrom;
};

// The member's form for the parameter; the fixed-swerve pair (97, 98) and
// the pair that chooses its swerve and lift (106, 107).
TurningForm FormOf(uint16_t action, int param) {
    switch (action) {
        case kActionTurningShotA:
            return {35, 0, 31};
        case kActionTurningShotB:
            return {36, 21, 21};
        case kActionTurningShotC:
            return {35, 0, int16_t(param == 0 ? 16 : param == 1 ? 31 : kNever)};
        default:  // 107
            if (param == 0) return {30, 15, 15};
            return {36, 21, int16_t(param == 1 ? 21 : kNever)};
    }
}

void FixedSwerve() {
    BallState.swerve[0] = MatchCurX < kPitchCentreX ? -kFixedSwerve : kFixedSwerve;
    BallState.swerve[1] = BallState.swerve[2] = 0;
    BallState.swerveTime = kFixedSwerveTicks;
}

void Strike(int16_t figure, bool fixedSwerve) {
    MatchFigure& f = MatchFigures[figure];
    const int param = f.actionParam;
    LastKicker = figure;
    const int toward = Match_DirectionTo(MatchCurX, MatchCurY, FreeKickAimX, FreeKickAimY);
    const int lengthBase = f.action == kActionTurningShotC ? 70 : 90;
    Match_VectorFromDirection(toward, f.power / 2 + f.shooting / 2 + lengthBase, 256);
    BallState.vx = MatchVecX * 4096;
    BallState.vy = -MatchVecNY * 4096;
    Match_GoalDistance(figure, int16_t(figure / kTeamFigures));
    const int goal = GoalDistanceScratch;
    if (fixedSwerve) {
        const int v = std::max(1, kLowShotDistance - goal);
        BallState.vz = 10 * (114688 - 50 * v);
        FixedSwerve();
    } else {
        // Two draws: the lift's own first, then the role choice's, in
        // separate statements so that every build takes them in this order.
        const int draw = GameRandom();
        const int r = draw % (MatchSlotRoleChoice(figure, f.intelligence) + 1);
        if (param == 0) {
            BallState.vz = 10 * (r * 256 + 45056);
        } else if (MatchRandomSpread(f.shooting, 100) < f.shooting) {
            const int v = std::max(0, kLowShotDistance - goal);
            BallState.vz = 10 * (114688 - 50 * v - 1280 * r);
        } else {
            BallState.vz = 10 * (114688 - 1280 * r);
        }
    }
    f.hasKicked = 1;
    f.touchLockout = kStrikeLockout;
    MatchSfx_PlayEvent(kSoundPass, -1);
    MatchCountShot(figure);
    BallState.kickGrace = kStrikeLockout;
    MatchMarkTeamOffside(figure);
    if (!fixedSwerve) MatchSetKickSpeed(figure, FreeKickAimX);
}

}  // namespace

void Match_ActTurningShot(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const uint16_t action = f.action;
    if (action != kActionTurningShotA && action != kActionTurningShotB && action != kActionTurningShotC &&
        action != kActionTurningShotD)
        return;
    Match_TurnPlayerTowards(figure, Match_DirectionTo(MatchCurX, MatchCurY, FreeKickAimX, FreeKickAimY), 0);
    const TurningForm form = FormOf(action, f.actionParam);
    if (MatchSetPlayerAnim(figure, form.clip, 2, kActionRunToPosition) == 0) return;
    const int16_t frame = f.shownFrame;
    if (f.hasBall != 0 && frame < form.runUp) {
        Match_ApplyAnimMotion(figure);
        Ball_KeepAtFeet(figure);
    }
    const bool inWindow =
        form.windowFrom != kNever && frame >= form.windowFrom && frame <= form.windowFrom + 8;
    if (!inWindow || BallState.holder != 0 || f.hasKicked != 0 || f.hasBall == 0) {
        if (BallState.holder != 0) Match_SetPlayerAction(figure, kActionRunToPosition);
        return;
    }
    Strike(figure, action == kActionTurningShotA || action == kActionTurningShotB);
}
