// Taking the ball round the goalkeeper (actions 133, 134, 138, 139): the
// dummy sends a keeper still in his stance down into a block, and the ball
// is pushed past him to one side.
#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/officials.h"
#include "core/match/ranking.h"
#include "core/match/shooting.h"
#include "core/match/soundevents.h"

namespace {

constexpr uint16_t kBlockParam = 4;
constexpr int16_t kPushWork = 8;

// One dummy: clip; it moves before moveBefore, stands until standUntil
// (moveBefore 0: never moves, the ball kept at his feet throughout); the
// push from pushFrom; the keeper's block; the push turned from the facing
// by offset + rand % 32 (sign -1 to the smaller directions); a random extra
// strength or not.
struct Dummy {
    uint16_t action;
    int16_t clip, moveBefore, standUntil, pushFrom;
    uint16_t keeperBlock;
    int sign, offset;
    bool randomStrength;
};
constexpr Dummy kDummies[] = {
    {kActionRoundTheKeeperB, 165, 24, 31, 31, kActionKeeperBlockA, -1, 20, true},
    {kActionRoundTheKeeperA, 164, 30, 35, 35, kActionKeeperBlockB, 1, 20, true},
    {kActionRoundTheKeeperD, 341, 0, 0, 32, kActionKeeperBlockB, 1, 32, false},
    {kActionRoundTheKeeperC, 343, 0, 0, 32, kActionKeeperBlockB, 1, 32, false},
};

const Dummy* DummyOf(uint16_t action) {
    for (const Dummy& d : kDummies) {
        if (d.action == action) return &d;
    }
    return nullptr;
}

}  // namespace

void Match_ActRoundTheKeeper(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const Dummy* d = DummyOf(f.action);
    if (d == nullptr) return;
    const int team = figure / kTeamFigures;
    if (MatchSetPlayerAnim(figure, d->clip, 2, kActionThink) == 0) {
        TeamChallenger[team] = figure;
        return;
    }
    const int16_t frame = f.shownFrame;
    if (d->moveBefore == 0) {
        if (f.hasBall != 0 && f.hasKicked == 0) Ball_KeepAtFeet(figure);
    } else {
        if (frame < d->moveBefore || frame > d->standUntil) Match_ApplyAnimMotion(figure);
        if (frame <= d->standUntil && f.hasBall != 0 && f.hasKicked == 0) Ball_KeepAtFeet(figure);
    }
    if (frame < d->pushFrom || f.hasKicked != 0) return;
    const int16_t keeper = MatchLineUp[team ^ 1][0];
    if (Match_IsPlayerFigure(keeper) && MatchFigures[keeper].action == kActionKeeperReady) {
        Match_SetPlayerAction(keeper, d->keeperBlock);
        MatchFigures[keeper].actionParam = kBlockParam;
    }
    const int turn = d->offset + GameRandom() % 32;
    const int direction = (int(f.facing & 255) + d->sign * turn) & 255;
    MatchSfx_PlayEvent(kSoundKick, -1);
    if (f.hasBall == 0) return;
    const int strength = d->randomStrength ? 2 + GameRandom() % 2 : 2;
    Ball_Kick(int16_t(direction), figure, int16_t(strength));
    f.ballWork2 = kPushWork;
}
