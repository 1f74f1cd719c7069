#include "core/match/aerials.h"
#include "core/match/actions.h"

#include <algorithm>

#include "core/base/random.h"
#include "core/match/ballcontacts.h"
#include "core/match/fouls.h"
#include "core/match/geometry.h"
#include "core/match/infobartypes.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"
#include "core/match/soundevents.h"
#include "core/match/strikes.h"
#include "core/match/volleys.h"

uint16_t PokeMarkFlag;

namespace {

constexpr int kHeights = 30;
constexpr int16_t kAerialFoulFrame = 25;
constexpr int16_t kPokeMarkKind = 4;
constexpr int kPokeReach = 16;
constexpr int kLowBall = 70;
constexpr int32_t kHighHeaderLift = 131072;

constexpr int32_t kClearingTable[kHeights] = {-49152, -32768, -16384, 0,      16384,  32768,  49152,  65536,
                                              81920,  98304,  114688, 131072, 294912, 327680, 360448, 393216,
                                              393216, 393216, 393216, 393216, 393216, 393216, 393216, 393216,
                                              393216, 393216, 393216, 393216, 393216, 393216};

MatchFigure& Fig(int16_t figure) { return MatchFigures[figure]; }
int TeamOf(int16_t figure) { return figure / kTeamFigures; }
int Draw(int n) { return int(GameRandom() % uint32_t(n)); }

struct BackwardKind {
    uint16_t action;
    int16_t clip;
    uint16_t extraUntil;
    int speed;
    int heightLimit;
    int16_t firstFrame;
    int32_t groundLength;
    int32_t liftBase;
    int32_t liftStep;
};
constexpr int16_t kBackwardLastFrame = 36;
constexpr int16_t kBackwardKeepBallBelow = 28;
constexpr BackwardKind kBackwardHeaders[] = {
    {kActionBackwardHeaderC, 181, 14, 160, 140, 15, 688128, 491520, 61440},
    {kActionBackwardHeaderB, 180, 14, 125, 140, 15, 589824, 655360, 51200},
    {kActionBackwardHeaderA, 179, 28, 125, 110, 19, 524288, 409600, 40960},
};

const BackwardKind& BackwardOf(uint16_t action) {
    for (const BackwardKind& k : kBackwardHeaders) {
        if (k.action == action) return k;
    }
    return kBackwardHeaders[0];
}

void SetGroundVelocity(int direction, int32_t length) {
    Match_VectorFromDirection(direction & 255, length, 256);
    BallState.vx = MatchVecX;
    BallState.vy = -MatchVecNY;
}

// The turn toward the direction, with up to two more steps for an agile
// player.
void TurnAgile(int16_t figure, int direction) {
    const int agility = Fig(figure).agility;
    Match_TurnPlayerTowards(figure, direction & 255, 0);
    if (Draw(100) < agility) Match_TurnPlayerTowards(figure, direction & 255, 0);
    if (Draw(100) < agility) Match_TurnPlayerTowards(figure, direction & 255, 0);
}

bool PlayHurried(int16_t figure, int16_t clip, uint16_t extraUntil) {
    MatchFigure& f = Fig(figure);
    if (MatchSetPlayerAnim(figure, clip, 1, kActionStand) == 0) return false;
    if (f.hasKicked == 0 && f.actionParam < extraUntil) {
        if (MatchSetPlayerAnim(figure, clip, 1, kActionStand) == 0) return false;
        ++f.actionParam;
    }
    return true;
}

// The strike records shared by every action here.
void Struck(int16_t figure) {
    Match_RecordAirStrike(figure);
    LastStriker = uint8_t(figure);
}

}  // namespace

int32_t Match_ClearingHeaderLift(int height) {
    return kClearingTable[std::clamp(height / 10, 0, kHeights - 1)];
}

void Match_ActBackwardHeader(int16_t figure) {
    MatchFigure& f = Fig(figure);
    const BackwardKind& kind = BackwardOf(f.action);
    const uint16_t g = Match_GoalDirection(figure, 1, int16_t(TeamOf(figure)));
    TurnAgile(figure, g + 128);  // his back to the goal: the ball goes over his head
    if (!PlayHurried(figure, kind.clip, kind.extraUntil)) return;
    const bool reach = Match_BallInReach(MatchCurX, MatchCurY, BallState.x, BallState.y, 20, 140) == 0;
    Match_WalkToReceivePoint(figure, kind.speed, true);
    if (f.hasBall != 0 && f.frame < kBackwardKeepBallBelow) Ball_KeepAtFeet(figure);
    if (f.hasKicked != 0 || BallState.z > kind.heightLimit || !reach || f.shownFrame < kind.firstFrame ||
        f.shownFrame > kBackwardLastFrame || BallState.holder != 0) {
        return;
    }
    f.hasKicked = 1;
    MatchMarkOffside(figure);
    LastKicker = kNoKicker;
    SetGroundVelocity(g, kind.groundLength);
    const int spread = std::max(0, 100 - f.agility) / 2 + 1;
    const int up = Draw(spread);
    const int down = Draw(spread);
    BallState.vz = kind.liftBase + up * kind.liftStep - down * kind.liftStep;
    Match_CountAirShot(figure);
    Match_NoteScoringStrike(figure, kShotHeaded);
    MatchSfx_PlayEvent(kSoundShot, -1);
    Struck(figure);
}

void Match_ActClearingHeader(int16_t figure) {
    MatchFigure& f = Fig(figure);
    const int team = TeamOf(figure);
    // He faces the goal he attacks, so that the ball, sent along his facing,
    // goes away from his own goal: with his back to that goal, as the
    // backward headers turn, the clearance would go toward his own.
    const uint16_t g = Match_GoalDirection(figure, 1, int16_t(team));
    TurnAgile(figure, g);
    if (!PlayHurried(figure, 201, 33)) return;
    const int heading = f.heading;
    int jump = (heading * 50 / 25) * f.shownFrame / 100;
    if (jump > heading * 50 / 100) jump = 2 * (heading * 50 / 100) - jump;
    f.actionTicks = uint16_t(std::max(0, jump));
    const bool reach = Match_BallInReach(MatchCurX, MatchCurY, BallState.x, BallState.y, heading / 20 + 8,
                                         heading / 2 + 140) == 0;
    Match_WalkToReceivePoint(figure, 125, true);
    if (f.hasKicked != 0 || BallState.z < 71 || !reach || f.shownFrame < 25 || BallState.holder != 0) return;
    f.hasKicked = 1;
    MatchMarkOffside(figure);
    LastKicker = kNoKicker;
    Match_CountHeader(figure);
    if (BallState.z < heading / 2 + 138) {
        SetGroundVelocity(f.facing, (BallState.speed / 3 + 3) * 57344);
        BallState.vz = 2 * Match_ClearingHeaderLift(BallState.z);
    } else {
        BallState.vz = kHighHeaderLift;  // a ball above him is only lifted on
    }
    MatchSfx_PlayEvent(kSoundHeader, -1);
    MatchSetKickSpeed(figure, -1);
    Struck(figure);
}

void Match_ActAerialChallenge(int16_t figure) {
    MatchFigure& f = Fig(figure);
    if (MatchSetPlayerAnim(figure, 202, 1, kActionStand) == 0) return;
    if (MatchPhase != kPhaseOpenPlay || f.frame != kAerialFoulFrame) return;
    const int team = TeamOf(figure);
    if (Draw(100) >= MatchFoulChance || Match_AttackChanceFor(team) != 0) return;
    InfoBar(kInfoAdvantage, 0, 0);
    const int other = team ^ 1;
    Match_RecordFoul(BallRanking[other][0], figure, other, MatchCurX, MatchCurY);
}

void Match_ActSlidingPoke(int16_t figure) {
    MatchFigure& f = Fig(figure);
    const int team = TeamOf(figure);
    const uint16_t g = Match_GoalDirection(figure, 1, int16_t(team));
    Match_TurnPlayerTowards(figure, g, 0);
    if (f.frame < 40) {
        Match_ApplyAnimMotion(figure);
        Match_ClampToPitch();
    }
    if (MatchSetPlayerAnim(figure, 121, int16_t(1 + f.hasKicked), kActionThink) == 0) {
        PokeMarkFlag = 0;
        return;
    }
    if (PokeMarkFlag == 0) {
        PokeMarkFlag = 1;
        SkidMark_Add(MatchCurX, MatchCurY, 1.0f, f.facing, kPokeMarkKind);
    }
    if (BallState.holder != 0 ||
        Match_ApproxDistance(MatchCurX, MatchCurY, BallState.x, BallState.y) >= kPokeReach ||
        f.hasKicked != 0 || BallState.z >= kLowBall) {
        return;
    }
    Match_VectorFromDirection(g, (f.power + Draw(100)) * 3840, 256);
    BallState.vx += MatchVecX;
    BallState.vy -= MatchVecNY;
    BallState.vz = Draw(512) * 2560;
    f.hasKicked = 1;
    MatchSfx_PlayEvent(kSoundKick, -1);
    const int16_t previous = LastToucher;
    if (previous >= 0 && previous < kPlayerFigures) Fig(previous).hasBall = 0;
    Match_CountAirShot(figure);
    Struck(figure);
    LastToucher = figure;
}
