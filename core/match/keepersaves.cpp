// The goalkeeper's saves: the dives with the contact test of his hands
// (parry, punch or catch), the standing saves, the catch carried on with
// the ball held, and the keeper securing the ball.
#include <algorithm>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ball.h"
#include "core/match/ballcollide.h"
#include "core/match/ballcontacts.h"
#include "core/match/geometry.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
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

int16_t ShotTimer;
int16_t ShotHoldTimer;
int16_t KeeperTipTimer;
int16_t TeamSavedShotCount[2];
int16_t KeeperDiveType;
int16_t SaveSpreadPercent;

static_assert(kMoreShotsSaved < kMoreCounterCount && kMoreKeeperCollections < kMoreCounterCount);

namespace {

constexpr uint8_t kShootOutPeriod = 4;
constexpr int kFastBall = 7;
constexpr int kHoldHeight = 70;

struct Window {
    int16_t from, to;
};
struct Dive {
    uint16_t action;
    int16_t type;  // 0 middle, 1 low, 2 high; -1 a holding twin
    int16_t clip[2];
    int speed;
    Window window[2];
    int parryOnly;
    uint16_t twin;  // the holding twin of a dive that may hold the ball
};
constexpr Dive kDives[] = {
    {kActionKeeperShortLowDive, 1, {273, 285}, 120, {{10, 27}, {6, 21}}, 0, kActionKeeperShortLowHoldingDive},
    {kActionKeeperShortMiddleDive,
     0,
     {274, 286},
     120,
     {{10, 22}, {8, 19}},
     0,
     kActionKeeperShortMiddleHoldingDive},
    {kActionKeeperShortHighDive,
     2,
     {275, 287},
     120,
     {{19, 34}, {7, 19}},
     0,
     kActionKeeperShortHighHoldingDive},
    {kActionKeeperLongLowDive, 1, {270, 282}, 200, {{13, 33}, {13, 29}}, 0, kActionKeeperLongLowHoldingDive},
    {kActionKeeperLongMiddleDive,
     0,
     {271, 283},
     200,
     {{8, 32}, {13, 33}},
     0,
     kActionKeeperLongMiddleHoldingDive},
    {kActionKeeperLongHighDive, 2, {272, 284}, 200, {{7, 27}, {13, 30}}, 0, kActionKeeperLongHighHoldingDive},
    {kActionKeeperShortLowParryDive, 1, {279, 291}, 120, {{7, 15}, {9, 23}}, 1, 0},
    {kActionKeeperShortMiddleParryDive, 0, {280, 292}, 120, {{5, 19}, {7, 28}}, 1, 0},
    {kActionKeeperShortHighParryDive, 2, {281, 293}, 120, {{2, 23}, {7, 24}}, 1, 0},
    {kActionKeeperLongLowParryDive, 1, {276, 288}, 200, {{7, 32}, {15, 29}}, 1, 0},
    {kActionKeeperLongMiddleParryDive, 0, {277, 289}, 200, {{3, 27}, {14, 32}}, 1, 0},
    {kActionKeeperLongHighParryDive, 2, {278, 290}, 200, {{8, 29}, {7, 29}}, 1, 0},
    {kActionKeeperShortLowHoldingDive, -1, {273, 285}, 120, {{10, 27}, {6, 21}}, 0, 0},
    {kActionKeeperShortMiddleHoldingDive, -1, {274, 286}, 120, {{10, 22}, {8, 19}}, 0, 0},
    {kActionKeeperShortHighHoldingDive, -1, {275, 287}, 120, {{19, 34}, {7, 19}}, 0, 0},
    {kActionKeeperLongLowHoldingDive, -1, {270, 282}, 200, {{13, 33}, {13, 29}}, 0, 0},
    {kActionKeeperLongMiddleHoldingDive, -1, {271, 283}, 200, {{8, 32}, {13, 33}}, 0, 0},
    {kActionKeeperLongHighHoldingDive, -1, {272, 284}, 200, {{7, 27}, {13, 30}}, 0, 0},
};

const Dive* DiveOf(uint16_t action) {
    for (const Dive& d : kDives) {
        if (d.action == action) return &d;
    }
    return nullptr;
}

int TeamOf(int16_t k) { return k / kTeamFigures; }

void BallToKeeper(int16_t k) {
    const MatchFigure& f = MatchFigures[k];
    BallState.x = f.x;
    BallState.y = f.y;
    BallState.x16 = int32_t(f.x) * 65536;
    BallState.y16 = int32_t(f.y) * 65536;
    MatchFigures[kBallFigure].x = f.x;
    MatchFigures[kBallFigure].y = f.y;
}

void InTheHands(int16_t k) {
    BallState.holder = int16_t(k + 1);
    BallToKeeper(k);
    Ball_Stop();
    LastToucher = k;
}

void SetHeight(int z) {
    BallState.z = int16_t(z);
    BallState.z16 = int32_t(z) * 65536;
}

// The shot is over: the shooter's saved shots and, when counted, his
// team's saved shots.
void CreditShooter(bool teamCount) {
    if (ShooterFigure == -1) return;
    const int16_t shooter = ShooterFigure;
    if (Match_IsPlayerFigure(shooter)) {
        ++MatchFigures[shooter].moreCounts[kMoreShotsSaved];
        if (teamCount) ++TeamSavedShotCount[shooter / kTeamFigures];
    }
    ShooterFigure = -1;
}

// The keeper touched it last: his team's ball, nobody offside.
void KeeperTouch(int16_t k) {
    KeeperTouchedBall = 1;
    LastToucher = k;
    BallTeam = uint8_t(TeamOf(k));
    MatchClearOffsideFlags();
}

int32_t Percent() {
    const int p = GameRandom() % 30 + 10;
    SaveSpreadPercent = int16_t(p);
    return p;
}

// A punch: back the way it came, much slower and flatter.
void PunchBack() {
    MatchSfx_PlayEvent(kSoundBallOnKeeper, -1);
    BallState.vy = -BallState.vy;
    BallState.vx = int32_t(int64_t(BallState.vx) * Percent() / 100);
    BallState.vy = int32_t(int64_t(BallState.vy) * Percent() / 100);
    const int lift = GameRandom() % 50 + 50;
    SaveSpreadPercent = int16_t(lift);
    BallState.vz = int32_t(int64_t(BallState.vz) * 100 / lift);
}

// A save that parried or punched the ball: the credit.
void CreditSave(int16_t k, MatchCounter counter, bool punch) {
    MatchFigure& f = MatchFigures[k];
    KeeperTouch(k);
    ++f.counts[counter];
    MatchSfx_PlayEvent(kSoundCatchCheer, -1);
    if (ShotTimer != 0 && (!punch || ShooterFigure != -1)) ++f.counts[kCountSaves];
    CreditShooter(true);
    MatchCheckRestart(3);
}

bool HeightInWindow(int type, int z) {
    switch (type) {
        case 1:
            return z <= 110;
        case 2:
            return z >= 70;
        default:
            return z >= 35 && z <= 140;
    }
}

// One tick of a dive's clip and its flight along the dive direction; false
// when the clip has ended.
bool DiveStep(int16_t k, const Dive& d, uint16_t next) {
    MatchFigure& f = MatchFigures[k];
    const int side = f.actionParam != 0 ? 1 : 0;
    if (MatchSetPlayerAnim(k, d.clip[side], int16_t(f.hasKicked + 1), next) == 0) return false;
    const int16_t frame = f.shownFrame;
    const Window w = d.window[side];
    if (Match_BallInReach5(MatchCurX, MatchCurY, f.aimX, f.aimY, 30000) != 0 && frame >= w.from &&
        frame <= w.to)
        Match_StepForward(k, d.speed, KeeperDiveDirection);
    return true;
}

// The standing saves do nothing with the ball just after a tip over.
bool TipPause() { return KeeperTipTimer != 0; }

// Catches of the standing saves: the new action written directly (frame
// kept), the ball in his hands.
void StandingCatch(int16_t k, uint16_t holding, bool events, bool teamCount, bool countCatch) {
    MatchFigure& f = MatchFigures[k];
    f.action = holding;
    InTheHands(k);
    if (events) {
        MatchSfx_PlayEvent(kSoundCatch, -1);
        MatchSfx_PlayEvent(kSoundCatchCheer, -1);
    }
    CreditShooter(teamCount);
    if (countCatch) ++f.counts[kCountCatches];
}

int32_t BallReach(int limit, int heightLimit) {
    return Match_BallInReach(MatchCurX, MatchCurY, BallState.x, BallState.y, limit, heightLimit);
}

// The sped-up saves advance their clip once more while the ball is still
// some ticks away; false when that ended the clip.
bool SpeedUp(int16_t k, int16_t clip, int limit) {
    MatchFigure& f = MatchFigures[k];
    if (f.hasKicked != 0 || f.actionParam >= limit) return true;
    ++f.actionParam;
    return MatchSetPlayerAnim(k, clip, int16_t(f.hasKicked + 1), kActionKeeperReady) != 0;
}

// The walk of the sped-up saves toward the save point.
void WalkToSavePoint(int16_t k, bool turn) {
    MatchFigure& f = MatchFigures[k];
    const int direction = Match_DirectionTo(MatchCurX, MatchCurY, KeeperSavePointX, KeeperSavePointY);
    if (turn) Match_TurnPlayerTowards(k, direction, 0);
    const bool there = Match_BallInReach(MatchCurX, MatchCurY, KeeperSavePointX, KeeperSavePointY,
                                         f.heading / 20 + 8, f.heading / 2 + 140) == 0;
    if (!there) {
        Match_StepForward(k, 120, direction);
    } else if (f.action == kActionKeeperJumpPunch) {
        KeeperSavePointY = BallState.y;
    }
}

void TurnToBall(int16_t k) {
    Match_TurnPlayerTowards(k, Match_DirectionTo(MatchCurX, MatchCurY, BallState.x, BallState.y), 0);
}

}  // namespace

void Match_NoteShotOnGoal(int16_t figure) {
    ShooterFigure = int8_t(figure);
    Match_NoteScoringStrike(figure, kShotFooted);  // a header or a volley says so after this
}

void Match_DeflectBall(int16_t k) {
    const int p = GameRandom() % 50;
    SaveSpreadPercent = int16_t(p);
    MatchSfx_PlayEvent(kSoundBallOnKeeper, -1);
    BallState.vx = int32_t(int64_t(BallState.vx) * p / 100);
    KeeperTouch(k);
}

void Match_KeeperParry(int16_t k, int parryOnly) {
    MatchFigure& f = MatchFigures[k];
    const int reach = f.keeping / 8 + 20, half = reach / 2;
    Match_VectorFromDirection(KeeperDiveDirection & 255, half, 256);
    const int cx = f.x + MatchVecX, cy = f.y - MatchVecNY;
    const int bx = BallState.x, by = BallState.y;
    if (bx < cx - half || bx > cx + half || by < cy - reach / 4 || by > cy + reach / 4) return;
    const bool fingertip =
        (BallState.vx < 0 && bx - (cx - half) <= 3) || (BallState.vx > 0 && (cx + half) - bx <= 3);
    if (PlayStopped != 0 || f.hasKicked != 0) return;
    if (!HeightInWindow(KeeperDiveType, BallState.z)) return;
    f.hasKicked = 1;
    const bool fast = BallState.speed > kFastBall;
    if (GameRandom() % 100 > f.keeping && fast) {
        MatchSfx_PlayEvent(kSoundBallOnKeeper, -1);
        if (GameRandom() % 100 < f.agility) BallState.vy = -(BallState.vy / 2);
        int p = GameRandom() % 45 + 10;
        SaveSpreadPercent = int16_t(p);
        BallState.vx = int32_t(int64_t(BallState.vx) * p / 100);
        p = GameRandom() % 45 + 10;
        SaveSpreadPercent = int16_t(p);
        BallState.vy = int32_t(int64_t(BallState.vy) * p / 100);
        const int lift = GameRandom() % 50 + 50;
        SaveSpreadPercent = int16_t(lift);
        BallState.vz = int32_t(int64_t(BallState.vz) * 100 / lift);
        if (fingertip) Match_DeflectBall(k);
        CreditSave(k, kCountParries, false);
        return;
    }
    const bool punch = GameRandom() % 100 > f.agility && fast;
    if (punch || parryOnly != 0) {
        PunchBack();
        if (fingertip) Match_DeflectBall(k);
        CreditSave(k, kCountPunches, true);
        return;
    }
    if (MatchPhase != kPhaseOpenPlay) return;
    MatchSfx_PlayEvent(kSoundCatch, -1);
    MatchSfx_PlayEvent(kSoundCatchCheer, -1);
    ++f.counts[kCountCatches];
    const Dive* d = DiveOf(f.action);
    if (d != nullptr && d->twin != 0) f.action = d->twin;
    BallToKeeper(k);
    Ball_Stop();
    if (ShooterFigure != -1 && ShotTimer != 0) ++f.counts[kCountSaves];
    CreditShooter(true);
}

void Match_ActKeeperDive(int16_t k) {
    const Dive* d = DiveOf(MatchFigures[k].action);
    if (d == nullptr || d->type < 0) return;
    KeeperDiveType = d->type;
    if (!DiveStep(k, *d, kActionKeeperReady)) return;
    Match_KeeperParry(k, d->parryOnly);
    if (d->type != 0) KeeperDiveType = 0;
}

void Match_ActKeeperHoldingDive(int16_t k) {
    const Dive* d = DiveOf(MatchFigures[k].action);
    if (d == nullptr) return;
    if (!DiveStep(k, *d, kActionKeeperTakeBall)) return;
    InTheHands(k);
}

void Match_ActKeeperCatchLow(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    TurnToBall(k);
    if (MatchSetPlayerAnim(k, 260, 2, kActionKeeperReady) == 0) return;
    if (TipPause() || f.hasKicked != 0) return;
    if (BallReach(f.heading / 20 + 8, 110) != 0) return;
    StandingCatch(k, 180, true, false, true);
}

void Match_ActKeeperCatchMiddle(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    TurnToBall(k);
    if (MatchSetPlayerAnim(k, 261, 2, kActionKeeperReady) == 0) return;
    if (TipPause() || f.hasKicked != 0) return;
    if (BallReach(f.heading / 20 + 8, f.heading / 10 + 140) != 0) return;
    if (GameRandom() % 100 > f.keeping && BallState.speed > kFastBall) {
        f.hasKicked = 1;
        PunchBack();
        KeeperTouch(k);
        return;
    }
    StandingCatch(k, 179, true, true, true);
}

void Match_ActKeeperCatchHigh(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    TurnToBall(k);
    if (MatchSetPlayerAnim(k, 263, 1, kActionKeeperReady) == 0) return;
    if (!SpeedUp(k, 263, 25)) return;
    if (f.shownFrame > 70) {
        Match_SetPlayerAction(k, kActionKeeperReady);
        return;
    }
    if (TipPause()) return;
    const int top = f.heading / 2 + 140;
    const bool inReach = BallReach(f.heading / 20 + 8, top) == 0 && BallState.z >= 71 && BallState.z <= top;
    if (!inReach) {
        WalkToSavePoint(k, false);
        return;
    }
    if (f.hasKicked != 0) return;
    f.hasKicked = 1;
    ++f.counts[kCountCatches];
    MatchSfx_PlayEvent(kSoundCatch, -1);
    MatchSfx_PlayEvent(kSoundCatchCheer, -1);
    if (GameRandom() % 100 > f.keeping) {
        PunchBack();
        KeeperTouch(k);
        CreditShooter(true);
        return;
    }
    StandingCatch(k, 158, false, true, false);
}

void Match_ActKeeperJumpPunch(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    if (MatchSetPlayerAnim(k, 301, int16_t(f.hasKicked + 1), kActionKeeperReady) == 0) return;
    if (!SpeedUp(k, 301, 33)) return;
    int jump = (f.heading * 50 / 33) * f.frame / 100;
    const int top = f.heading * 50 / 100;
    if (jump > top) jump = 2 * top - jump;
    f.actionTicks = uint16_t(std::max(0, jump));
    if (TipPause()) return;
    const bool inReach = BallReach(f.heading / 20 + 12, f.heading / 2 + 140) == 0 && BallState.z >= 71 &&
                         BallState.z <= f.heading + 140;
    if (!inReach) {
        WalkToSavePoint(k, true);
        return;
    }
    if (f.hasKicked != 0) return;
    f.hasKicked = 1;
    Match_VectorFromDirection(f.facing & 255, f.power / 2 + 50, 256);
    BallState.vx = MatchVecX * 7168;
    BallState.vy = -MatchVecNY * 7168;
    BallState.vz = (SaveSpreadPercent % 16) * 61440 + 983040;
    MatchSfx_PlayEvent(kSoundHeader, -1);
    MatchMarkTeamOffside(k);
    KeeperTouchedBall = 1;
    LastToucher = k;
    BallTeam = uint8_t(TeamOf(k));
    ++f.counts[kCountPunchAways];
}

void Match_ActKeeperTipOver(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    if (MatchSetPlayerAnim(k, 299, int16_t(f.hasKicked + 1), kActionKeeperReady) == 0) return;
    if (!SpeedUp(k, 299, 32)) return;
    const bool inReach = BallReach(f.heading / 20 + 8, f.heading / 2 + 140) == 0 && BallState.z >= 71 &&
                         BallState.z <= f.heading + 140;
    if (!inReach) {
        if (f.hasKicked == 0 && f.actionParam <= 32) WalkToSavePoint(k, false);
        return;
    }
    if (f.hasKicked != 0) return;
    BallState.vx /= 2;
    BallState.vy /= 2;
    BallState.vz += 10 * 65536;
    KeeperTipTimer = kTipTicks;
    f.hasKicked = 1;
    KeeperTouchedBall = 1;
    LastToucher = k;
    BallTeam = uint8_t(TeamOf(k));
    ++f.counts[kCountTips];
    MatchSfx_PlayEvent(kSoundBallOnKeeper, -1);
    CreditShooter(true);
}

void Match_ActKeeperHoldCatch(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    MatchSelectPlayer(k);
    InTheHands(k);
    const int16_t clip = f.action == kActionKeeperHoldLowCatch      ? 260
                         : f.action == kActionKeeperHoldMiddleCatch ? 261
                                                                    : 263;
    const int16_t step = f.action == kActionKeeperHoldHighCatch ? 1 : 2;
    if (MatchSetPlayerAnim(k, clip, step, kActionKeeperReady) != 0) return;
    SetHeight(kHoldHeight);
    Match_KeeperTakesBall(k);
}

void Match_ActKeeperTakeBall(int16_t k) {
    SetHeight(kHoldHeight);
    Match_KeeperTakesBall(k);
}

void Match_KeeperTakesBall(int16_t k) {
    if (!Match_IsPlayerFigure(k)) return;
    MatchFigure& f = MatchFigures[k];
    const int team = TeamOf(k);
    // Where the ball stood as the tick began (the ball figure), before he
    // takes it into his hands.
    const int16_t startY = MatchFigures[kBallFigure].y;
    BallToKeeper(k);
    if (Period == kShootOutPeriod && MatchPhase < kPhasePenalty) {
        BallState.holder = int16_t(k + 1);
        Ball_Stop();
        MatchPhase = kPhaseShootOutControl;
        PhaseTimer = 0;
        const bool teamZeroHalf = AttackDirection == 0 ? startY < kPitchHalfwayY : startY > kPitchHalfwayY;
        const int16_t taker = TeamLastToucher[teamZeroHalf ? 1 : 0];
        if (Match_IsPlayerFigure(taker)) {
            Match_SetPlayerAction(taker, kActionCatchReaction);
            MatchFigures[taker].actionParam = uint16_t(GameRandom() % 2 + 4);
        }
        Match_SetPlayerAction(k, kActionCatchReaction);
        f.actionParam = uint16_t(GameRandom() % 3 + 6);
        return;
    }
    const bool letGo = PlayStopped != 0 || Period == kShootOutPeriod || RefereeAction != 0;
    if (BallState.z <= 35) {
        if (letGo) {
            BallState.holder = 0;
            Match_SetPlayerAction(k, kActionKeeperReady);
            return;
        }
        Ball_Stop();
        LastToucher = k;
        Match_StartAction175(k);
        Ball_SetPhase12();
        BallTeam = uint8_t(team);
        return;
    }
    if (letGo) {
        if (Period == kShootOutPeriod) {
            if (++f.contactTicks < 200) return;
        }
        BallState.holder = 0;
        Match_SetPlayerAction(k, kActionKeeperReady);
        return;
    }
    Ball_Stop();
    LastToucher = k;
    const int r = GameRandom() % 3;
    uint16_t action = kActionKeeperHoldBall;
    if (ShotHoldTimer != 0) {
        action = kActionKeeperHoldGestureA;
    } else if (Goals[team] < Goals[team ^ 1]) {
        action = kActionKeeperHoldBall;
    } else {
        action = r == 0   ? kActionKeeperHoldGestureC
                 : r == 1 ? kActionKeeperHoldGestureD
                          : kActionKeeperHoldBall;
    }
    Match_SetPlayerAction(k, action);
    BallState.holder = int16_t(k + 1);
    Ball_SetPhase12();
    BallTeam = uint8_t(team);
}
