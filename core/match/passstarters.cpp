#include <algorithm>
#include <cstdlib>

#include "core/base/random.h"
#include "core/match/actionmachine.h"
#include "core/match/actions.h"
#include "core/match/geometry.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/passing.h"
#include "core/match/ranking.h"
#include "core/match/shotchoice.h"
#include "core/match/soundevents.h"

int16_t SpaceTargetX, SpaceTargetY;

namespace {

enum Kind : uint16_t { kShortKind = 0, kLongKind = 1, kFarKind = 2, kThroughKind = 3 };

// How a starter plays its pass.
struct Starter {
    Kind kind;
    int lead;           // the target this far ahead along the receiver's goal way (0: at him)
    bool sendReceiver;  // the receiver starts his run (action 17) at once
    bool backPass;      // a back pass to a near team-mate is possible
    int sideFrom;       // the side band starts at this turn
    bool quickSide;     // the quick side pass (142/143) is possible
};

constexpr Starter kShortStarter{kShortKind, 0, false, true, 48, true};
constexpr Starter kLongStarter{kLongKind, 140, true, false, 48, true};
constexpr Starter kThroughStarter{kThroughKind, 280, true, false, 48, true};
constexpr Starter kFarStarter{kFarKind, 0, false, false, 64, false};
constexpr Starter kVeryLongStarter{kFarKind, 140, true, false, 64, false};

bool Mate(int16_t r) { return r >= 0 && r < kPlayerFigures; }

// The odd side: the target lies 1..127 steps round toward larger directions.
bool OddSide(int a, int facing) {
    const int apart = (a - facing) & 255;
    return apart >= 1 && apart <= 127;
}

int NearestOpponentDistance(int team) {
    const int16_t o = BallRanking[team ^ 1][0];
    if (!Mate(o)) return 10000;
    return Match_ApproxDistance(MatchCurX, MatchCurY, MatchFigures[o].x, MatchFigures[o].y);
}

// standingForms: a passer who stands plays the forward and the back pass
// with the standing strikes; the side pass stays the starter's.
void Start(const Starter& s, int16_t figure, int16_t r, int16_t x, int16_t y, bool standingForms = false) {
    if (!Match_IsPlayerFigure(figure)) return;
    MatchFigure& f = MatchFigures[figure];
    const int team = figure / kTeamFigures;
    MatchPassReceiver = r;
    if (r == kPassIntoSpace) {
        MatchPassTargetX = SpaceTargetX;
        MatchPassTargetY = SpaceTargetY;
    } else {
        MatchPassTargetX = x;
        MatchPassTargetY = y;
        if (Mate(r)) {
            MatchFigure& m = MatchFigures[r];
            if (s.lead > 0) {
                int lead = s.lead;
                if (s.kind == kThroughKind && std::abs(Match_AttackedGoalLine(team) - m.y) < 720) lead = 140;
                Match_VectorFromDirection(Match_GoalDirection(r, 2, CurrentTeam), lead, 256);
                MatchPassTargetX = int16_t(m.x + MatchVecX);
                MatchPassTargetY = int16_t(m.y - MatchVecNY);
            } else if (s.kind != kShortKind) {
                MatchPassTargetX = m.x;
                MatchPassTargetY = m.y;
            }
            m.aimX = MatchPassTargetX;
            m.aimY = MatchPassTargetY;
            if (s.sendReceiver) {
                Match_SetPlayerAction(r, kActionReceivePass);
                MatchFigures[r].actionParam = 0;
            }
        }
    }
    const int o = NearestOpponentDistance(team);
    const int d = Match_ApproxDistance(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY);
    const int a = Match_DirectionSector(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY, 256);
    const int facing = f.facing & 255;
    const int t = Match_FoldedDifference(a, facing);
    const bool standing = standingForms && f.gait == 0;
    const bool backPass = s.backPass && t > 112 && d < 192;
    uint16_t action = 0;
    if (standing && (backPass || t < s.sideFrom)) {
        Match_SetPlayerAction(figure, backPass ? kActionBackHeel : kActionPass);
        f.actionParam = s.kind;
        return;
    }
    if (f.gait == 0) f.gait = 1;
    const bool jogging = f.gait == 1;
    const bool odd = OddSide(a, facing);
    if (backPass) {
        action = jogging ? kActionJoggingBackHeel : kActionRunningBackHeel;
    } else if (t >= s.sideFrom) {
        if (s.quickSide && d < 480 && o <= 64) {
            MatchSfx_PlayEvent(kSoundQuickSidePass, -1);
            action = odd ? kActionKnockToTargetA : kActionKnockToTargetB;
        } else {
            action = jogging ? (odd ? kActionJoggingSidePassA : kActionJoggingSidePassB)
                             : (odd ? kActionRunningSidePassA : kActionRunningSidePassB);
        }
    } else {
        action = jogging ? kActionJoggingForwardPass : kActionRunningForwardPass;
    }
    Match_SetPlayerAction(figure, action);
    f.actionParam = s.kind;
}

int16_t PassReceiverPoint(int16_t r, bool x) {
    if (!Mate(r)) return 0;
    return x ? MatchFigures[r].x : MatchFigures[r].y;
}

}  // namespace

void Match_StartShortPass(int16_t figure, int16_t receiver, int16_t x, int16_t y) {
    Start(kShortStarter, figure, receiver, x, y);
}
void Match_StartStandingPass(int16_t figure, int16_t receiver, int16_t x, int16_t y) {
    Start(kShortStarter, figure, receiver, x, y, true);
}
void Match_StartLongPass(int16_t figure, int16_t receiver) {
    Start(kLongStarter, figure, receiver, PassReceiverPoint(receiver, true),
          PassReceiverPoint(receiver, false));
}
void Match_StartFarPass(int16_t figure, int16_t receiver) {
    Start(kFarStarter, figure, receiver, PassReceiverPoint(receiver, true),
          PassReceiverPoint(receiver, false));
}
void Match_StartVeryLongPass(int16_t figure, int16_t receiver) {
    Start(kVeryLongStarter, figure, receiver, PassReceiverPoint(receiver, true),
          PassReceiverPoint(receiver, false));
}
void Match_StartThroughPass(int16_t figure, int16_t receiver) {
    Start(kThroughStarter, figure, receiver, PassReceiverPoint(receiver, true),
          PassReceiverPoint(receiver, false));
}

int16_t Match_StartCross(int16_t figure, int16_t receiver, int16_t x, int16_t y, int16_t mode) {
    if (!Match_IsPlayerFigure(figure)) return 1;
    MatchFigure& f = MatchFigures[figure];
    const int team = figure / kTeamFigures;
    MatchPassReceiver = receiver;
    int targetX = x, targetY = y;
    if (receiver == kPassToPoint) {
        Match_DecideWithBall(figure, 3);
        targetX = FreeKickAimX;
        targetY = FreeKickAimY;
        int q = GameRandom() % 140;
        if (targetY < kPitchHalfwayY) {
            if (targetY + q < kGoalLineLow) q = 0;
            targetY += q;
        } else {
            if (targetY - q > kGoalLineHigh) q = 0;
            targetY -= q;
        }
    } else if (receiver == kPassIntoSpace) {
        targetX = SpaceTargetX;
        targetY = SpaceTargetY;
    }
    // The depth: how far he is from the goal line on the target's side.
    int depth = targetY < kPitchHalfwayY ? MatchCurY - kGoalLineLow : kGoalLineHigh - MatchCurY;
    MatchPassTargetX = int16_t(targetX);
    MatchPassTargetY = int16_t(targetY);
    const int a = Match_DirectionSector(MatchCurX, MatchCurY, targetX, targetY, 256);
    const bool odd = OddSide(a, f.facing & 255);
    const auto offPitch = [&](int length) {
        Match_VectorFromDirection(a, length, 256);
        const int px = MatchCurX + MatchVecX, py = MatchCurY - MatchVecNY;
        return px < 158 || px > 1434 || py < kGoalLineLow || py > kGoalLineHigh;
    };
    if (f.gait > 1 && offPitch(92)) depth = 0;
    if (offPitch(f.gait == 0 ? 25 : 87)) depth = 0;
    uint16_t action = 0;
    uint16_t kind = 0;
    bool miscue = false;
    const uint8_t footChance = odd ? f.leftNow : f.rightNow;
    if ((f.gait > 1 && depth > 140) || (f.gait != 0 && depth > 90)) {
        kind = f.gait > 1 && depth > 140 ? 2 : 1;
        action = odd ? kActionCross : kActionCrossMirrored;
        if (footChance == 0 && mode >= 0) return 1;
    } else {
        MatchSfx_PlayEvent(kSoundQuickSidePass, -1);
        action = odd ? kActionKnockToTargetA : kActionKnockToTargetB;
        kind = 0;
    }
    miscue = footChance == 0;
    Match_SetPlayerAction(figure, action);
    f.actionParam = kind;
    if (miscue) targetY += GameRandom() % 200 - 100;
    if (Mate(receiver)) {
        const int goalLine = Match_AttackedGoalLine(team);
        const int step = GameRandom() % 100;
        targetY = goalLine > targetY ? std::min(targetY + step, int(kGoalLineHigh))
                                     : std::max(targetY - step, int(kGoalLineLow));
        MatchPassTargetY = int16_t(targetY);
        MatchFigures[receiver].aimX = MatchPassTargetX;
        MatchFigures[receiver].aimY = MatchPassTargetY;
        Match_SetPlayerAction(receiver, kActionReceivePass);
        if (f.action == kActionKnockToTargetA || f.action == kActionKnockToTargetB) f.actionParam = 1;
    }
    return 0;
}
