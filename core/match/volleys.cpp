#include "core/match/volleys.h"
#include "core/match/actions.h"

#include <algorithm>

#include "core/base/random.h"
#include "core/match/aerials.h"
#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/fouls.h"
#include "core/match/geometry.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/passing.h"
#include "core/match/ranking.h"
#include "core/match/shotchoice.h"
#include "core/match/soundevents.h"
#include "core/match/strikes.h"

int16_t HeaderReceiver = -1;
uint16_t HeaderDirection;

namespace {

constexpr int kHeights = 30;
constexpr int kNoHeightLimit = 10000;
constexpr int kReceivePointReach = 5;
constexpr int kHeaderGoalRange = 400;
constexpr int kLowestHeader = 70;
constexpr int32_t kHighHeaderLift = 131072;
constexpr int32_t kSoftControl = 57344, kLayOffDrop = 45875, kFirmControl = 229376;
constexpr int kNoOpponent = 10000;
constexpr int kCloseOpponent = 300;

constexpr int32_t kNearGoalTable[kHeights] = {
    -147456, -131072, -122880, -114688, -106496, -98304, -81920, -65536, -32768, -16384,
    0,       4096,    8192,    12288,   16384,   32768,  49152,  65536,  98304,  131072,
    163840,  163840,  163840,  163840,  163840,  163840, 163840, 163840, 163840, 163840};
constexpr int32_t kFarTable[kHeights] = {-49152, -32768, -16384, 0,      16384,  32768,  49152,  65536,
                                         81920,  98304,  114688, 131072, 294912, 327680, 360448, 393216,
                                         393216, 393216, 393216, 393216, 393216, 393216, 393216, 393216,
                                         393216, 393216, 393216, 393216, 393216, 393216};
constexpr int32_t kHeaderPassTable[kHeights] = {
    -65536, -65536, -65536, -65536, -65536, -65536, -61440, -57344, -53248, -49152,
    -45056, -40960, -36864, -32768, -28672, -24576, -20480, -16384, -12288, -8192,
    -4096,  0,      8192,   16384,  32768,  65536,  98304,  131072, 163840, 196608};

int32_t FromTable(const int32_t (&table)[kHeights], int height, int32_t fromThreeHundred) {
    if (height >= kHeights * 10) return fromThreeHundred;
    return table[std::max(0, height / 10)];
}

MatchFigure& Fig(int16_t figure) { return MatchFigures[figure]; }
int TeamOf(int16_t figure) { return figure / kTeamFigures; }
int Draw(int n) { return int(GameRandom() % uint32_t(n)); }
bool IsPlayer(int figure) { return figure >= 0 && figure < kPlayerFigures; }

void SetGroundVelocity(int direction, int32_t length) {
    Match_VectorFromDirection(direction & 255, length, 256);
    BallState.vx = MatchVecX;
    BallState.vy = -MatchVecNY;
}

// Plays the clip one frame, and one more while the struck flag is clear
// and the counter of extra frames is below the limit; false once it ended.
bool PlayHurried(int16_t figure, int16_t clip, uint16_t extraUntil) {
    MatchFigure& f = Fig(figure);
    if (MatchSetPlayerAnim(figure, clip, 1, kActionStand) == 0) return false;
    if (f.hasKicked == 0 && f.actionParam < extraUntil) {
        if (MatchSetPlayerAnim(figure, clip, 1, kActionStand) == 0) return false;
        ++f.actionParam;
    }
    return true;
}

int HeaderReach(const MatchFigure& f) { return f.heading / 20 + 8; }
int HeaderHeightLimit(const MatchFigure& f) { return f.heading / 2 + 140; }

struct VolleyKind {
    uint16_t action;
    int16_t clip;
    uint16_t extraUntil;
    int speed;
    int heightLimit;
    int16_t firstFrame, lastFrame;
    int16_t keepBallBelowFrame;
    int32_t groundLength;
    int32_t liftBase;
};
constexpr VolleyKind kVolleys[] = {
    {kActionVolleyC, 88, 14, 160, 140, 15, 22, 14, 819200, 491520},
    {kActionVolleyB, 87, 14, 125, 140, 15, 22, 14, 720896, 655360},
    {kActionVolleyA, 86, 18, 125, 110, 19, 26, 18, 786432, 409600},
};

const VolleyKind& VolleyOf(uint16_t action) {
    for (const VolleyKind& v : kVolleys) {
        if (v.action == action) return v;
    }
    return kVolleys[0];
}

struct ControlKind {
    uint16_t action;
    int16_t clip;
};
constexpr ControlKind kControls[] = {{kActionChestControlD, 139},
                                     {kActionChestControlC, 140},
                                     {kActionChestControlB, 110},
                                     {kActionChestControlA, 111}};

int16_t ControlClipOf(uint16_t action) {
    for (const ControlKind& c : kControls) {
        if (c.action == action) return c.clip;
    }
    return kControls[0].clip;
}

// Where a header's direction points this tick (82): at the aim point close
// to goal, else at the remembered or a newly chosen receiver, else at goal.
uint16_t AttackingHeaderDirection(int16_t figure) {
    const int team = TeamOf(figure);
    Match_GoalDirection(figure, 0, int16_t(team));
    if (GoalDistanceScratch < kHeaderGoalRange) {
        HeaderReceiver = -1;
        return Match_DirectionTo(MatchCurX, MatchCurY, FreeKickAimX, FreeKickAimY);
    }
    if (HeaderReceiver <= 0) {
        const int16_t mate = Match_ChooseHeadedPass(figure);
        if (!IsPlayer(mate)) return Match_GoalDirection(figure, 1, int16_t(team));
        HeaderReceiver = mate;
        HeaderDirection = Match_DirectionTo(MatchCurX, MatchCurY, Fig(mate).x, Fig(mate).y);
    }
    return HeaderDirection;
}

// The nearest opponent on the pitch, 10000 when none.
int NearestOpponentDistance(int16_t figure) {
    const int other = TeamOf(figure) ^ 1;
    int best = kNoOpponent;
    for (int16_t q = int16_t(other * kTeamFigures); q < (other + 1) * kTeamFigures; ++q) {
        if (!MatchOnPitch(q)) continue;
        best = std::min<int>(best, Match_ApproxDistance(MatchCurX, MatchCurY, Fig(q).x, Fig(q).y));
    }
    return best;
}

}  // namespace

void Match_ResetAirPlay() {
    HeaderReceiver = -1;
    HeaderDirection = 0;
    PokeMarkFlag = 0;
}

int32_t Match_NearGoalHeaderLift(int height) { return FromTable(kNearGoalTable, height, -98304); }
int32_t Match_FarHeaderLift(int height) { return FromTable(kFarTable, height, -65536); }
int32_t Match_HeaderPassLift(int height) { return FromTable(kHeaderPassTable, height, kHeaderPassTable[0]); }

void Match_WalkToReceivePoint(int16_t figure, int speed, bool checkOpponent) {
    const MatchFigure& f = Fig(figure);
    if (f.hasKicked != 0) return;
    if (Match_BallInReach(MatchCurX, MatchCurY, f.aimX, f.aimY, kReceivePointReach, kNoHeightLimit) == 0)
        return;
    const int direction = Match_DirectionTo(MatchCurX, MatchCurY, f.aimX, f.aimY);
    if (checkOpponent && Match_OpponentAhead(figure) != 0) return;
    Match_StepForward(figure, speed, direction);
}

int Match_HeaderJumpHeight(int heading, int riseFrames, int frame) {
    int h = (heading * 50 / riseFrames) * frame / 100;
    const int top = heading / 2;
    if (h > top) h = 2 * top - h;
    return std::max(0, h);
}

void Match_CountHeader(int16_t figure) {
    const bool upfield = TeamOf(figure) == AttackDirection;
    const bool attackingHalf = upfield ? BallState.y >= kPitchHalfwayY : BallState.y < kPitchHalfwayY;
    ++Fig(figure).counts[attackingHalf ? kCountHeadersAttacking : kCountHeadersOwnHalf];
}

void Match_CountAirShot(int16_t figure) {
    ++Fig(figure).counts[kCountShots];
    ++TeamShotCount[TeamOf(figure)];
    LastShooter = uint8_t(figure);
    // A shot at goal like any other: the keeper who stops it makes a save.
    Match_NoteShotOnGoal(figure);
    ShotOriginX = BallState.x;
    ShotOriginY = BallState.y;
    ShotOriginMinute = int16_t(MatchClockMinute());
}

void Match_RecordAirStrike(int16_t figure) {
    MatchFigure& f = Fig(figure);
    const int team = TeamOf(figure);
    f.touchLockout = kStrikeLockout;
    BallState.kickGrace = kStrikeLockout;
    MatchMarkTeamOffside(figure);
    MatchTakePossession(figure);
    BallTeam = uint8_t(team);
    TeamLastToucher[team] = figure;
}

void Match_ActVolley(int16_t figure) {
    MatchFigure& f = Fig(figure);
    const VolleyKind& kind = VolleyOf(f.action);
    const int team = TeamOf(figure);
    const uint16_t d = Match_GoalDirection(figure, 1, int16_t(team));
    Match_TurnPlayerTowards(figure, d, 0);
    if (Draw(100) < f.agility) Match_TurnPlayerTowards(figure, d, 0);
    if (Draw(100) < f.agility) Match_TurnPlayerTowards(figure, d, 0);
    if (!PlayHurried(figure, kind.clip, kind.extraUntil)) return;
    const bool reach =
        Match_BallInReach(MatchCurX, MatchCurY, BallState.x, BallState.y, 20, kind.heightLimit) == 0;
    Match_WalkToReceivePoint(figure, kind.speed, true);
    if (f.hasBall != 0 && f.frame < kind.keepBallBelowFrame) Ball_KeepAtFeet(figure);
    if (f.hasKicked != 0 || BallState.z > kind.heightLimit || !reach || f.shownFrame < kind.firstFrame ||
        f.shownFrame > kind.lastFrame || BallState.holder != 0) {
        return;
    }
    f.hasKicked = 1;
    MatchMarkOffside(figure);
    SetGroundVelocity(d, kind.groundLength);
    const int e = std::max(0, 100 - f.agility);
    const int up = Draw(e + 1);
    const int down = Draw(e + 1);
    BallState.vz = kind.liftBase + up * 10240 - down * 10240;
    Match_RecordAirStrike(figure);
    Match_CountAirShot(figure);
    Match_NoteScoringStrike(figure, kShotVolleyed);
    MatchSfx_PlayEvent(kSoundShot, -1);
    MatchSetKickSpeed(figure, -1);
}

void Match_ActAttackingHeader(int16_t figure) {
    MatchFigure& f = Fig(figure);
    uint16_t direction = AttackingHeaderDirection(figure);
    const bool atGoal = GoalDistanceScratch < kHeaderGoalRange;
    Match_TurnPlayerTowards(figure, direction, 0);
    if (!PlayHurried(figure, 98, 31)) {
        HeaderReceiver = -1;
        return;
    }
    f.actionTicks = uint16_t(2 * Match_HeaderJumpHeight(f.heading, 31, f.shownFrame));
    const bool reach = Match_BallInReach(MatchCurX, MatchCurY, BallState.x, BallState.y, HeaderReach(f),
                                         HeaderHeightLimit(f)) == 0;
    Match_WalkToReceivePoint(figure, 125, true);
    if (f.hasKicked != 0 || BallState.z <= kLowestHeader || !reach || f.shownFrame < 31 ||
        BallState.holder != 0)
        return;
    f.hasKicked = 1;
    MatchMarkOffside(figure);
    const int team = TeamOf(figure);
    if (IsPlayer(HeaderReceiver) && TeamOf(HeaderReceiver) == team) {
        MatchFigure& r = Fig(HeaderReceiver);
        Match_VectorFromDirection(r.facing & 255, 50, 256);
        MatchPassTargetX = int16_t(r.x + MatchVecX);
        MatchPassTargetY = int16_t(r.y - MatchVecNY);
        direction = Match_DirectionTo(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY);
        r.aimX = MatchPassTargetX;
        r.aimY = MatchPassTargetY;
        Match_SetPlayerAction(HeaderReceiver, kActionReceivePass);
    }
    Match_CountHeader(figure);
    MatchSfx_PlayEvent(kSoundHeader, -1);
    if (BallState.z >= f.heading / 2 + 138) {
        BallState.vz = kHighHeaderLift;
    } else if (atGoal) {
        SetGroundVelocity(direction, (BallState.speed + 1) * 69632);
        BallState.vz = 2 * Match_NearGoalHeaderLift(BallState.z);
    } else {
        SetGroundVelocity(direction, (BallState.speed + 1) * 61440);
        BallState.vz = 2 * Match_FarHeaderLift(BallState.z);
    }
    // Not an attempt on goal, but a goal it scores is a headed one.
    Match_NoteScoringStrike(figure, kShotHeaded);
    Match_RecordAirStrike(figure);
    LastStriker = uint8_t(figure);
    PassMarkerCountdown = kLooseBallTicks;
    MatchSetKickSpeed(figure, -1);
}

void Match_ActBackHeader(int16_t figure) {
    MatchFigure& f = Fig(figure);
    if (!PlayHurried(figure, 101, 23)) return;
    f.actionTicks = uint16_t(Match_HeaderJumpHeight(f.heading, 23, f.shownFrame));
    const bool reach = Match_BallInReach(MatchCurX, MatchCurY, BallState.x, BallState.y, HeaderReach(f),
                                         HeaderHeightLimit(f)) == 0;
    Match_WalkToReceivePoint(figure, 125, true);
    if (f.hasKicked != 0 || BallState.z <= kLowestHeader || !reach || f.shownFrame < 23 ||
        BallState.holder != 0)
        return;
    f.hasKicked = 1;
    MatchMarkOffside(figure);
    SetGroundVelocity(f.facing + 128, (BallState.speed + 1) * 45056);
    BallState.vz = Match_NearGoalHeaderLift(BallState.z);
    Match_CountHeader(figure);
    MatchSfx_PlayEvent(kSoundHeader, -1);
    Match_RecordAirStrike(figure);
    LastStriker = uint8_t(figure);
    PassMarkerCountdown = kLooseBallTicks;
}

void Match_ActHeaderPass(int16_t figure) {
    MatchFigure& f = Fig(figure);
    const uint16_t toTarget = Match_DirectionTo(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY);
    Match_TurnPlayerTowards(figure, toTarget, 0);
    if (!PlayHurried(figure, 94, 32)) return;
    f.actionTicks = uint16_t(Match_HeaderJumpHeight(f.heading, 32, f.shownFrame));
    const bool reach = Match_BallInReach(MatchCurX, MatchCurY, BallState.x, BallState.y, HeaderReach(f),
                                         HeaderHeightLimit(f)) == 0;
    Match_WalkToReceivePoint(figure, 125, true);
    if (f.hasKicked != 0 || BallState.z <= kLowestHeader || !reach || f.shownFrame < 32 ||
        BallState.holder != 0)
        return;
    f.hasKicked = 1;
    MatchMarkOffside(figure);
    // The ball is sent at a speed that grows with the distance to the target
    // (416 sixty-five-thousandths of a unit a tick per unit of distance): a
    // fixed 416 would drop the ball dead at the header's feet, the pass
    // reaching nobody.
    const int distance = Match_ApproxDistance(MatchCurX, MatchCurY, MatchPassTargetX, MatchPassTargetY);
    SetGroundVelocity(toTarget, 416 * distance);
    BallState.vz = Match_HeaderPassLift(BallState.z);
    // Only a team-mate is sent to the ball: the shared receiver may still
    // name the other team's player from their last pass.
    const int16_t receiver = MatchPassReceiver;
    if (IsPlayer(receiver) && TeamOf(receiver) == TeamOf(figure)) {
        MatchFigure& r = Fig(receiver);
        r.aimX = r.x;
        r.aimY = r.y;
        Match_SetPlayerAction(receiver, kActionReceivePass);
    }
    Ball_UpdateDirectionSpeed();
    MatchSfx_PlayEvent(kSoundHeader, -1);
    Match_CountHeader(figure);
    Match_RecordAirStrike(figure);
    LastStriker = uint8_t(figure);
    PassMarkerCountdown = kLooseBallTicks;
}

void Match_ActChestControl(int16_t figure) {
    MatchFigure& f = Fig(figure);
    Match_TurnPlayerTowards(figure, f.ballDirection & 255, 0);
    if (MatchSetPlayerAnim(figure, ControlClipOf(f.action), 1, kActionStand) == 0) return;
    Match_WalkToReceivePoint(figure, 125, false);
    if (f.hasKicked != 0 || Match_BallInReach(MatchCurX, MatchCurY, BallState.x, BallState.y, 24, 140) != 0)
        return;
    f.hasKicked = 1;
    const int roll = Draw(100);
    if (roll < MatchSlotRoleChoice(figure, f.control)) {
        SetGroundVelocity(f.facing, kSoftControl);
        ++f.counts[kCountGoodControls];
    } else {
        SetGroundVelocity(f.facing, kFirmControl);
        ++f.counts[kCountPoorControls];
    }
    BallState.vz = 10 * Match_DeflectionLift(BallState.z, -196608);
    MatchTakePossession(figure);
    MatchSfx_PlayEvent(kSoundKick, -1);
}

void Match_ActChestLayOff(int16_t figure) {
    MatchFigure& f = Fig(figure);
    Match_TurnPlayerTowards(figure, f.ballDirection & 255, 0);
    if (MatchSetPlayerAnim(figure, 137, 1, kActionStand) == 0) return;
    if (f.hasKicked != 0 || Match_BallInReach(MatchCurX, MatchCurY, BallState.x, BallState.y, 8, 140) != 0)
        return;
    f.hasKicked = 1;
    const int team = TeamOf(figure);
    const int16_t mate = Match_ChooseQuickPass(figure);
    int direction = -1;
    if (IsPlayer(mate)) {
        MatchFigure& m = Fig(mate);
        m.aimX = m.x;
        m.aimY = m.y;
        Match_SetPlayerAction(mate, kActionReceivePass);
        direction = Match_DirectionTo(MatchCurX, MatchCurY, m.x, m.y);
    } else {
        int16_t score = 0;
        direction =
            Match_FindFreeDirection(figure, int16_t(Match_GoalDirection(figure, 0, int16_t(team))), score);
    }
    const int nearest = NearestOpponentDistance(figure);
    const int roll = Draw(100);
    if (roll < MatchSlotRoleChoice(figure, f.control)) {
        ++f.counts[kCountGoodControls];
        if (direction < 0) {
            SetGroundVelocity(f.facing, kLayOffDrop);
        } else if (!IsPlayer(mate) && nearest < kCloseOpponent) {
            SetGroundVelocity(direction, kSoftControl);  // shield it close with a man on him
        } else {
            SetGroundVelocity(direction, kFirmControl);
        }
    } else {
        ++f.counts[kCountPoorControls];
        SetGroundVelocity(f.facing, kFirmControl);
    }
    MatchTakePossession(figure);
    MatchSfx_PlayEvent(kSoundKick, -1);
    BallState.vz = 10 * Match_DeflectionLift(BallState.z, -196608);
}
