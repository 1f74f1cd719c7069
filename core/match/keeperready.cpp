// The goalkeeper's ready stance (action 152): he faces the ball, stands
// between it and the centre of his goal, and at a rate set by his Keeping
// chooses a save, comes out for a loose ball, gathers it, clears it or
// blocks a close shot.
#include <algorithm>
#include <cstdlib>

#include "core/base/random.h"
#include "core/match/actions.h"
#include "core/match/ballcollide.h"
#include "core/match/geometry.h"
#include "core/match/highball.h"
#include "core/match/keeper.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchphases.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/motionclips.h"
#include "core/match/officials.h"
#include "core/match/openplay.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"

int16_t KeeperDiveDirection;
int16_t KeeperSavePointX, KeeperSavePointY;
KeeperMeetPrediction BallMeetPrediction = {kNoMeetingPoint, 0, 0, 0, 0};
int32_t KeeperPostTicks;

namespace {

constexpr uint8_t kShootOutPeriod = 4;
constexpr int kActiveDistance = 16 * 50;
constexpr int kComeOutDistance = 16 * 35;
constexpr int kInAreaComeOut = 16 * 12;
constexpr int kApproachGoalDistance = 16 * 22;
constexpr int kNoSaveDistance = 16 * 15;
constexpr int kNoSaveTicks = 50;
constexpr int kSprintDistance = 16 * 20;
constexpr int16_t kFarSpotX = 1082;

bool DefendsTopGoal(int16_t k) { return k / kTeamFigures == AttackDirection; }

int Distance(int x1, int y1, int x2, int y2) { return Match_ApproxDistance(x1, y1, x2, y2); }

bool InsideOwnArea(bool top, int x, int y) {
    const bool deep = top ? y <= kAreaLowY : y >= kAreaHighY;
    return deep && x >= kAreaLeftX && x <= kAreaRightX;
}

void Stand(int16_t k) { MatchStepPlayerAnim(k, MatchFigures[k].ballDirection); }

void Approach(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    f.facing = f.ballDirection;
    Match_ApplyAnimMotion(k, 125);
    MatchSetPlayerAnimKeepFrame(k, kClipRun, 1, 0);
}

}  // namespace

// The ready stance's target point: between the ball and the goal in play,
// else the fixed stance (also stored as his target).
void Match_KeeperStanceTarget(int16_t k, int& tx, int& ty) {
    MatchFigure& f = MatchFigures[k];
    const bool top = DefendsTopGoal(k);
    const int goalLine = top ? kGoalLineLow : kGoalLineHigh;
    const bool beyond = top ? BallState.y <= kGoalLineLow : BallState.y >= kGoalLineHigh;
    if (MatchPhase <= kPhaseCorner && !beyond) {
        ty = goalLine + (BallState.y - goalLine) / 8;
        const int direction = Match_DirectionTo(MatchCurX, MatchCurY, BallState.x, BallState.y);
        const int a = top ? 128 - direction : direction < 128 ? direction : direction - 256;
        tx = kPitchCentreX + (2 * a * 85) / 100;
        return;
    }
    if (Period == kShootOutPeriod && !top) {
        tx = 996;
        ty = 426;
    } else {
        tx = kPitchCentreX;
        ty = top ? kGoalLineLow + 14 : kGoalLineHigh - 14;
    }
    f.targetX = int16_t(tx);
    f.targetY = int16_t(ty);
}

namespace {

// A post guarded at a free kick at goal: true when it took the tick.
bool GuardPost(int16_t k, int tx) {
    if (MatchPhase != kPhaseFreeKickAtGoal || KeeperPostTicks == 0) return false;
    const bool keeperLow = MatchCurY < kPitchHalfwayY, spotLow = FoulY < kPitchHalfwayY;
    if (keeperLow != spotLow) return false;
    // The clip goes by the half he and the kick are in, the post by his own
    // goal line.
    const bool top = keeperLow;
    int postX = tx;
    int16_t clip = top ? 304 : 305;
    if (FoulX < kPitchCentreX) {
        postX = 742;
    } else if (FoulX < kFarSpotX) {
        postX = 850;
        clip = top ? 305 : 304;
    }
    const int lineY = DefendsTopGoal(k) ? kGoalLineLow : kGoalLineHigh;
    MatchFigure& f = MatchFigures[k];
    if (Distance(MatchCurX, MatchCurY, postX, lineY) > 5) {
        Match_RunToPoint(k, int16_t(postX), int16_t(lineY));
        if (KeeperPostTicks != 0) --KeeperPostTicks;
        return true;
    }
    if (KeeperPostTicks < 30) f.frame = 16;
    if (MatchTrySetPlayerAnim(k, clip, 1) == 0) KeeperPostTicks = 0;
    return true;
}

void StartSave(int16_t k, uint16_t save) {
    MatchFigure& f = MatchFigures[k];
    Match_SetPlayerAction(k, save);
    f.actionParam = Match_KeeperSideOf(k, f.aimX);
    f.facing = f.ballDirection;
    if (save == 164 || save == 155 || save == 165) f.actionParam = uint16_t(BallMeetPrediction.ticks);
}

// The side a smother goes down on: by where the ball will be shortly.
uint16_t SmotherSide(int16_t k) {
    const bool top = DefendsTopGoal(k);
    const int shortX = BallState.predicted[0][0];
    return (top && shortX < MatchFigures[k].x) || (!top && shortX > MatchFigures[k].x) ? 1 : 0;
}

int OpponentNearestDistance(int team) {
    const int16_t first = BallRanking[team ^ 1][0];
    return Match_IsPlayerFigure(first) ? MatchFigures[first].ballDistance : 30000;
}

// The ball is close: gather it, clear it, block it or meet it.
void EngageCloseBall(int16_t k, bool top, int d) {
    MatchFigure& f = MatchFigures[k];
    const int team = k / kTeamFigures;
    const int z = BallState.z, speed = BallState.speed;
    const bool open = MatchPhase == kPhaseOpenPlay;
    if (z <= 70 && speed < 6 && open) {
        const int bx = BallState.x, by = BallState.y;
        const bool deep = top ? by < kAreaLowY - 20 : by > kAreaHighY + 20;
        if (deep && bx > kAreaLeftX && bx < kAreaRightX && (BallTeam != team || LastToucher == k)) {
            Match_StartAction175(k);
        } else {
            Match_SetPlayerAction(k, kActionKeeperClear);
        }
        return;
    }
    const int opponentAway = OpponentNearestDistance(team);
    if (z <= 70 && speed < 5 && opponentAway > 32 && open) {
        if (d < 5) {
            Match_SetPlayerAction(k, kActionKeeperCatchLow);
        } else {
            Approach(k);
        }
        return;
    }
    if (speed >= 5 && z <= 110 && open) {
        Match_SetPlayerAction(k, BallState.predicted[0][0] > f.x ? kActionKeeperBlockA : kActionKeeperBlockB);
        f.actionParam = uint16_t(z);
        return;
    }
    if (z <= 110 && speed < 5 && opponentAway > 32 && open) {
        if (d < 5) {
            Match_SetPlayerAction(k, kActionKeeperCatchMiddle);
        } else {
            Approach(k);
        }
        return;
    }
    if (!open) {
        Stand(k);
        return;
    }
    if (d >= 5) {
        Approach(k);
        return;
    }
    Match_SetPlayerAction(k, z < 70    ? kActionKeeperCatchLow
                             : z < 110 ? kActionKeeperCatchMiddle
                             : z < 140 ? kActionKeeperCatchHigh
                                       : kActionKeeperJumpPunch);
    f.aimX = BallMeetPrediction.x;
    f.aimY = BallMeetPrediction.y;
}

void NotActive(int16_t k, int tx, int ty) {
    MatchFigure& f = MatchFigures[k];
    if (f.action != kActionKeeperReady) return;
    f.ballDirection = Match_DirectionTo(MatchCurX, MatchCurY, BallState.x, BallState.y);
    if (Distance(MatchCurX, MatchCurY, tx, ty) > 5 && ty > kGoalLineLow && ty < kGoalLineHigh) {
        f.facing = Match_DirectionTo(MatchCurX, MatchCurY, tx, ty);
        Match_ChaseTarget(k, tx, ty, 0);
        return;
    }
    if (MatchPhase == kPhasePenalty && f.actionParam != 0 &&
        (MatchCurY < kAreaLowY || MatchCurY > kAreaHighY)) {
        Match_TurnPlayerTowards(k, f.ballDirection, 0);
        MatchSetPlayerAnim(k, kClipPenaltyStance, 1, kActionKeeperReady);
        return;
    }
    Stand(k);
}

// A catch roll: drawn only for a ball no faster than 17.
bool CatchRoll(int speed, int keeping, int distance, int limit, int ticks) {
    if (speed > 17) return false;
    if (GameRandom() % 100 > keeping) return false;
    return distance < limit && ticks >= 3;
}

uint16_t ChooseSideways(const MatchFigure& f, int h, int d, int t, int s, int y) {
    const int keeping = f.keeping;
    if (h >= 70 && h <= keeping / 3 + 140 && std::abs(y - f.y) < 64 && d <= 8 && t >= 7 && t <= 25)
        return 155;
    if (h >= 70 && h <= keeping / 2 + 140 && d < 96 && t >= 9 && t <= 33) return 164;
    if (h >= 31 && h <= 70 && d <= 8 && t >= 4 && t <= 24) return 173;
    if (h <= 30 && d <= 8 && t >= 4 && t <= 30) return 170;
    if (h >= 71 && h <= 110 && d >= 9 && d <= 39 && t >= 1 && t <= 30)
        return CatchRoll(s, keeping, d, 40, t) ? 160 : 199;
    if (h <= 70 && d > keeping / 20 + 8 && d < 40 && t >= 1 && t <= 30)
        return CatchRoll(s, keeping, d, 40, t) ? 157 : 198;
    return kActionKeeperReady;
}

uint16_t ChooseOther(const MatchFigure& f, int h, int d, int t, int s) {
    const int keeping = f.keeping, heading = f.heading;
    const bool early = t >= 1 && t <= 30;
    if (h > 140 && d <= 16 && t >= 5 && t <= 32) return 165;
    if (h >= 110 && h <= heading / 3 + 140 && d <= 16 && t >= 4 && t <= 25) return 155;
    if (h >= 111 && h <= 160 && d >= 9 && d <= 39 && early)
        return CatchRoll(s, keeping, d, 70, t) ? 171 : 200;
    if (h >= 111 && h <= 160 && d >= 9 && d <= 89 && early)
        return CatchRoll(s, keeping, d, 70, t) ? 182 : 197;
    if (h >= 71 && h <= 110 && d <= 8 && t >= 4 && t <= 24) return 173;
    if (h >= 71 && h <= 110 && d >= 9 && d <= 39 && early) return CatchRoll(s, keeping, d, 70, t) ? 160 : 199;
    if (h >= 71 && h <= 110 && d >= 9 && d <= 89 && early) return CatchRoll(s, keeping, d, 70, t) ? 156 : 196;
    if (h <= 70 && d <= 8 && t >= 4 && t <= 30) return 170;
    if (h <= 70 && d > heading / 20 + 8 && d < 40 && early)
        return CatchRoll(s, keeping, d, 70, t) ? 157 : 198;
    if (h <= 70 && d > heading / 20 + 8 && d < 90 && early)
        return CatchRoll(s, keeping, d, 70, t) ? 166 : 195;
    return kActionKeeperReady;
}

// Two draws of one noise roll: up by one, down by another.
int Wobble(int value, int range) {
    value += GameRandom() % range;
    value -= GameRandom() % range;
    return value;
}

}  // namespace

uint16_t Match_KeeperSideOf(int16_t figure, int16_t x) {
    const MatchFigure& f = MatchFigures[figure];
    const bool top = DefendsTopGoal(figure);
    return (top && x < f.x) || (!top && x > f.x) ? 0 : 1;
}

uint16_t Match_KeeperChooseSave(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    const uint16_t direction = BallState.direction;
    const bool sideways = (direction > 40 && direction < 88) || (direction > 168 && direction < 216);
    const int horizon = sideways ? f.agility / 3 + 12 : f.agility / 4 + 6;
    Ball_PredictLanding(int16_t(horizon), f.x, f.y, k, 1);
    KeeperMeetPrediction& m = BallMeetPrediction;
    m = {BallPrediction.bestDistance, BallPrediction.ticks, BallPrediction.height, BallPrediction.x,
         BallPrediction.y};
    if (m.distance == kNoMeetingPoint || m.distance >= kNoSaveDistance || m.ticks >= kNoSaveTicks)
        return kActionKeeperReady;
    const int16_t currentKeeper = MatchLineUp[CurrentTeam & 1][0];
    if (ShotTimer != 0 && direction != kNoDirection && Match_IsPlayerFigure(currentKeeper) &&
        MatchFigures[currentKeeper].action == kActionKeeperReady) {
        if (GameRandom() % 2 == 0) {
            m.x = int16_t(kPitchCentreX - GameRandom() % 120);
            KeeperDiveDirection = 192;
        } else {
            m.x = int16_t(kPitchCentreX + GameRandom() % 120);
            KeeperDiveDirection = 64;
        }
        m.y = f.y;
        m.height = int16_t(m.height + GameRandom() % 7);
        f.aimX = KeeperSavePointX = m.x;
        f.aimY = KeeperSavePointY = m.y;
        m.ticks = 15;
    }
    if (GameRandom() % 100 > f.intelligence) m.height = int16_t(Wobble(m.height, 12));
    if (GameRandom() % 100 > f.vision) m.distance = int16_t(Wobble(m.distance, 16));
    if (GameRandom() % 100 > f.vision) m.ticks = int16_t(Wobble(m.ticks, 12));
    if (GameRandom() % 100 > f.intelligence) m.x = int16_t(Wobble(m.x, 16));
    const int16_t pointY = m.y > kGoalLineHigh || m.y < kGoalLineLow ? f.y : m.y;
    KeeperDiveDirection = int16_t(Match_DirectionTo(f.x, f.y, m.x, pointY));
    const int speed = BallState.speed;
    const uint16_t save = sideways ? ChooseSideways(f, m.height, m.distance, m.ticks, speed, m.y)
                                   : ChooseOther(f, m.height, m.distance, m.ticks, speed);
    if (save != kActionKeeperReady) {
        f.aimX = KeeperSavePointX = m.x;
        f.aimY = KeeperSavePointY = pointY;
    }
    return save;
}

void Match_RunToPoint(int16_t k, int16_t x, int16_t y) {
    MatchFigure& f = MatchFigures[k];
    if (Distance(MatchCurX, MatchCurY, x, y) <= 5) {
        Match_TurnPlayerTowards(k, f.ballDirection, 0);
        MatchSetPlayerAnimKeepFrame(k, kClipShuffle, 0, 0);
        return;
    }
    const int direction = Match_DirectionTo(MatchCurX, MatchCurY, x, y);
    if (Distance(MatchCurX, MatchCurY, x, y) > kSprintDistance) {
        f.facing = uint16_t(direction);
        MatchSetPlayerAnimKeepFrame(k, kClipSprint, 1, 0);
        Match_StepForward(k, 160, direction);
        return;
    }
    f.facing = f.ballDirection;
    const int angle = Match_FoldedDifference(f.facing & 255, direction);
    MatchSetPlayerAnimKeepFrame(k, kClipShuffle, 1, 0);
    Match_StepForward(k, angle > 96 ? 100 : 64, direction);
}

void Match_StartAction175(int16_t k) {
    if (!Match_IsPlayerFigure(k)) return;
    MatchFigure& f = MatchFigures[k];
    KeeperDiveDirection = int16_t(f.ballDirection);
    ++f.moreCounts[kMoreKeeperCollections];
    Match_SetPlayerAction(k, kActionKeeperSmother);
    f.actionParam = SmotherSide(k);
}

void Match_ActKeeperReady(int16_t k) {
    MatchFigure& f = MatchFigures[k];
    const int team = k / kTeamFigures;
    if (MatchPhase == kPhaseKickOffSetUp && LineUpPending != 0) {
        Match_ActRunToPosition(k);
        return;
    }
    const int16_t keeper = MatchLineUp[team][0];
    if (keeper != k) {
        Match_SetPlayerAction(k, kActionStand);
        if (Match_IsPlayerFigure(keeper) && MatchFigures[keeper].action < kFirstKeeperAction)
            Match_SetPlayerAction(keeper, kActionKeeperReady);
        // An outfield player in the stance only gives it back: going on
        // with him would let the save choice start a keeper's dive or catch
        // for a player who may not handle the ball.
        return;
    }
    const int toBall = Match_DirectionTo(MatchCurX, MatchCurY, BallState.x, BallState.y);
    Match_TurnPlayerTowards(k, toBall, 0);
    f.ballDirection = uint16_t(toBall);
    ++f.work3;
    // Keeping is kept to 0..100 here: above 103 the reaction period would
    // come to 0 and the remainder divide by zero.
    const int keeping = std::clamp<int>(f.keeping, 0, 100);
    const int r = f.work3 % ((100 - keeping) / 4 + 1);
    const int d = Distance(MatchCurX, MatchCurY, BallState.x, BallState.y);
    f.rankDistance = int16_t(d);
    const bool topGoal = DefendsTopGoal(k);
    const int goalLine = topGoal ? kGoalLineLow : kGoalLineHigh;
    const int g = Distance(kPitchCentreX, goalLine, BallState.x, BallState.y);
    const int p = Distance(MatchCurX, MatchCurY, BallState.predicted[1][0], BallState.predicted[1][1]);
    f.ballDistance = uint16_t(d);
    int tx = 0, ty = 0;
    Match_KeeperStanceTarget(k, tx, ty);
    if (MatchPhase == kPhaseKickOffSetUp) {
        Match_ActRunToPosition(k);
        return;
    }
    if (GuardPost(k, tx)) return;
    const int e1 = int16_t(d / 2 + (f.vision * d) / 200);
    const int e = e1 / 2 + (f.vision * e1) / 200;
    const uint16_t save = r == 0 ? Match_KeeperChooseSave(k) : kActionKeeperReady;
    const bool top = ty < kPitchHalfwayY;
    const bool active = MatchPhase <= kPhaseOffside && BallState.y > kGoalLineLow &&
                        BallState.y < kGoalLineHigh && PlayStopped == 0 && d < kActiveDistance;
    if (!active) {
        NotActive(k, tx, ty);
        return;
    }
    const bool slowLow = BallState.speed < 4 && BallState.z <= 70;
    if (save != kActionKeeperReady && !slowLow && InsideOwnArea(top, MatchCurX, MatchCurY)) {
        StartSave(k, save);
        return;
    }
    const int q = (e * 70) / (f.vision + 300);
    const int16_t first = BallRanking[team][0];
    const int firstDistance = Match_IsPlayerFigure(first) ? MatchFigures[first].ballDistance : 30000;
    const bool ballDeep = top ? BallState.y < kAreaLowY : BallState.y > kAreaHighY;
    const bool engage = (q < firstDistance && MatchPhase <= kPhaseOffside && e < kComeOutDistance) ||
                        (e < kInAreaComeOut && MatchPhase <= kPhaseOffside && ballDeep);
    if (!engage) {
        Match_RunToPoint(k, int16_t(tx), int16_t(ty));
        return;
    }
    if (d > 16 && p > 16) {
        if (g < kApproachGoalDistance && BallState.z < 70) {
            Approach(k);
        } else {
            Match_RunToPoint(k, int16_t(tx), int16_t(ty));
        }
        return;
    }
    EngageCloseBall(k, top, d);
}
