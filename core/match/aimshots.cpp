// Shots and long strikes at the aim point (actions 129 to 132): within 35
// yards a shot blurred by Shooting, farther out a long drive blurred by
// Passing; the more the striker must turn, the wider the blur and the
// weaker the strike.
#include <algorithm>
#include <cstdlib>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/ranking.h"
#include "core/match/shooting.h"
#include "core/match/shotchoice.h"
#include "core/match/soundevents.h"
#include "core/match/strikes.h"

namespace {

constexpr int kShotYards = 35;
constexpr int kHighDriveDistance = 640;

// One member by its parameter (0 or other): clip, the run-up with the ball
// while the frame is below runUp, the root motion while below moveBelow (0
// never), the first frame of the strike window.
struct AimedStrikeForm {
    int16_t clip, runUp, moveBelow, windowFrom;
};
struct AimedStrike {
    uint16_t action;
    AimedStrikeForm plain, other;
    int nearFactor;
    int lengthBase;
    bool tightToOwnKeeper;
};
constexpr AimedStrike kAimedStrikes[] = {
    {kActionAimedStrikeD, {66, 30, 30, 30}, {73, 18, 12, 18}, 6, 170, false},
    {kActionAimedStrikeC, {67, 28, 22, 28}, {78, 24, 17, 24}, 6, 170, false},
    {kActionAimedStrikeB, {64, 19, 0, 19}, {72, 15, 11, 15}, 4, 155, true},
    {kActionAimedStrikeA, {65, 28, 0, 28}, {77, 29, 19, 29}, 4, 155, true},
};

const AimedStrike* AimedStrikeOf(uint16_t action) {
    for (const AimedStrike& s : kAimedStrikes) {
        if (s.action == action) return &s;
    }
    return nullptr;
}

bool PassToOwnKeeper(int16_t figure) {
    const int16_t r = MatchPassReceiver;
    return r >= 0 && r < kPlayerFigures && MatchLineUp[figure / kTeamFigures][0] == r;
}

void Strike(int16_t figure, const AimedStrike& s) {
    MatchFigure& f = MatchFigures[figure];
    const int param = f.actionParam;
    LastKicker = figure;
    const int toward = Match_DirectionTo(MatchCurX, MatchCurY, FreeKickAimX, FreeKickAimY);
    Match_GoalDistance(figure, int16_t(figure / kTeamFigures));
    const int goal = GoalDistanceScratch;
    const bool shot = goal / kDistanceUnit <= kShotYards;
    int e = 100 - (shot ? f.shooting : f.passing);
    if (e < 1 || (s.tightToOwnKeeper && PassToOwnKeeper(figure))) e = 1;
    int a = Match_FoldedDifference(toward, f.facing & 255);
    int spread = e * a / 100 + a / 8;
    if (shot) {
        spread *= s.nearFactor;
    } else {
        a /= 4;
    }
    int aimX = FreeKickAimX, aimY = FreeKickAimY;
    aimX += GameRandom() % (spread + 1);
    aimX -= GameRandom() % (spread + 1);
    aimY += GameRandom() % (spread + 1);
    aimY -= GameRandom() % (spread + 1);
    FreeKickAimX = int16_t(aimX);
    FreeKickAimY = int16_t(aimY);
    Match_VectorFromDirection(toward, f.shooting + s.lengthBase - a, 256);
    BallState.vx = MatchVecX * 4096;
    BallState.vy = -MatchVecNY * 4096;
    const int half = f.intelligence / 2;
    if (param == 0) {
        BallState.vz = 10 * ((half + GameRandom() % (half + 1)) * 256 + 45056);
    } else if (param != 2 && goal > kHighDriveDistance) {
        BallState.vz = 10 * ((half + GameRandom() % (half + 100)) * 256 + 114688);
        BallState.vx = BallState.vx * 60 / 100;
        BallState.vy = BallState.vy * 60 / 100;
    } else {
        BallState.vz = 10 * (114688 - (half + GameRandom() % (half + 100)) * 256);
    }
    MatchSfx_PlayEvent(kSoundPass, -1);
    f.hasKicked = 1;
    f.touchLockout = kStrikeLockout;
    if (shot) {
        BallState.vz += int32_t((int64_t(GameRandom()) * 65536) % (spread + 1));
        MatchCountShot(figure);
    }
    MatchSetKickSpeed(figure, FreeKickAimX);
    BallState.kickGrace = kStrikeLockout;
    MatchMarkTeamOffside(figure);
}

}  // namespace

void MatchCountShot(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    ++f.counts[kCountShots];
    ++TeamShotCount[figure / kTeamFigures];
    ShotOriginX = BallState.x;
    ShotOriginY = BallState.y;
    ShotOriginMinute = MatchClockMinute();
    LastShooter = uint8_t(figure);
    Match_NoteShotOnGoal(figure);
}

void Match_ActAimedStrike(int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    const AimedStrike* s = AimedStrikeOf(f.action);
    if (s == nullptr) return;
    const AimedStrikeForm& form = f.actionParam == 0 ? s->plain : s->other;
    if (MatchSetPlayerAnim(figure, form.clip, 2, kActionRunToPosition) == 0) return;
    const int16_t frame = f.shownFrame;
    if (f.hasBall != 0 && frame < form.runUp) {
        if (frame < form.moveBelow) Match_ApplyAnimMotion(figure);
        Ball_KeepAtFeet(figure);
    }
    const bool inWindow = frame >= form.windowFrom && frame <= form.windowFrom + 8;
    if (!inWindow || BallState.holder != 0 || f.hasKicked != 0 || f.hasBall == 0) {
        if (BallState.holder != 0) Match_SetPlayerAction(figure, kActionRunToPosition);
        return;
    }
    Strike(figure, *s);
}
