// First-time knocks (actions 140 to 143): a slide along the facing that
// knocks a ball in front of the player on without controlling it.
#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/phases.h"
#include "core/match/shotchoice.h"
#include "core/match/soundevents.h"
#include "core/match/strikes.h"

uint8_t KnockMarkFlag[4];

namespace {

constexpr uint16_t kFirstKnock = kActionSidewaysKnockA;
constexpr int kReach = 16;
constexpr int kMaxHeight = 70;
constexpr int16_t kMarkKind = 5;
constexpr int32_t kLongKnock = 589824, kShortKnock = 458752;
constexpr int32_t kLongLift = 737280, kShortLift = 327680;

}  // namespace

void Match_ActFirstTimeKnock(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const uint16_t action = f.action;
    if (action < kFirstKnock || action > kFirstKnock + 3) return;
    uint8_t& markFlag = KnockMarkFlag[action - kFirstKnock];
    Match_ApplyAnimMotion(figure);
    Match_ClampToPitch();
    const int16_t clip = action == kActionSidewaysKnockA || action == kActionKnockToTargetA ? 131 : 129;
    if (MatchSetPlayerAnim(figure, clip, int16_t(f.hasKicked != 0 ? 2 : 1), kActionThink) == 0) {
        markFlag = 0;
        f.facing = uint16_t((f.facing + 128) & 255);
        return;
    }
    const int near = Match_ApproxDistance(MatchCurX, MatchCurY, BallState.x, BallState.y);
    if (near <= kReach && f.hasBall == 0 && MatchPhase == kPhaseOpenPlay && f.touchLockout == 0 &&
        markFlag == 0) {
        markFlag = 1;
        SkidMark_Add(MatchCurX, MatchCurY, 1.0f, f.facing, kMarkKind);
    }
    if (BallState.holder != 0 || near >= kReach || f.hasKicked != 0 || BallState.z >= kMaxHeight) return;
    f.hasKicked = 1;
    const int facing = f.facing & 255;
    const int toward = Match_DirectionTo(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY);
    const bool longKnock = action >= kActionKnockToTargetA && f.actionParam == 1;
    int direction = 0;
    switch (action) {
        case kActionKnockToTargetB:
            direction = toward - 8 + GameRandom() % 16;
            break;
        case kActionKnockToTargetA:
            direction = toward + 8 - GameRandom() % 16;
            break;
        case kActionSidewaysKnockB:
            direction = facing - 48 - GameRandom() % 48;
            break;
        default:
            direction = facing + 48 + GameRandom() % 48;
            break;
    }
    Match_VectorFromDirection(direction & 255, longKnock ? kLongKnock : kShortKnock, 256);
    BallState.vx += MatchVecX;
    BallState.vy -= MatchVecNY;
    MatchSfx_PlayEvent(kSoundKick, -1);
    BallState.vz = longKnock ? kLongLift : kShortLift;
    BallState.kickGrace = kStrikeLockout;
    f.touchLockout = kStrikeLockout;
    const int team = figure / kTeamFigures;
    MatchTakePossession(figure);
    BallTeam = uint8_t(team);
    TeamLastToucher[team] = figure;
}
