#include "core/match/dribble.h"
#include "core/match/actions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/base/random.h"
#include "core/match/actionmachine.h"
#include "core/match/ball.h"
#include "core/match/ballcontacts.h"
#include "core/match/carrieroptions.h"
#include "core/match/geometry.h"
#include "core/match/headershot.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/motionclips.h"
#include "core/match/officials.h"
#include "core/match/offside.h"
#include "core/match/passing.h"
#include "core/match/ranking.h"
#include "core/match/shotchoice.h"
#include "core/match/soundevents.h"

uint16_t DribbleStage;
uint16_t DribbleIdeal;
uint16_t DribbleDirection;
uint16_t TeamStoppageRequest[2];

namespace {

constexpr uint16_t kOneOnOneActions[4] = {kActionRoundTheKeeperB, kActionRoundTheKeeperA,
                                          kActionRoundTheKeeperD, kActionRoundTheKeeperC};
constexpr int kKnockTurnLimit = 24;
constexpr int kGoalAcrossLow1 = 48, kGoalAcrossHigh1 = 80;
constexpr int kGoalAcrossLow2 = 176, kGoalAcrossHigh2 = 208;
constexpr int kProbeAhead = 200;
constexpr int kTurnBackTargetBehind = 50;
constexpr int kSwingSteps = 4;
constexpr int32_t kKnockLift = 0x32000;
constexpr int32_t kKnockScale = 4096;
constexpr int16_t kNoFreeDirection = -1;

// The turn with the ball for a turn of t steps, by side: probe length and
// action.
struct TurnChoice {
    int length;
    uint16_t action;
};
constexpr TurnChoice kTurnLarger[4] = {{7, kActionTurnWithBallSmallA},
                                       {16, kActionTurnWithBallMediumA},
                                       {20, kActionTurnWithBallWideA},
                                       {12, kActionTurnBack}};
constexpr TurnChoice kTurnSmaller[4] = {{14, kActionTurnWithBallSmallB},
                                        {10, kActionTurnWithBallMediumB},
                                        {19, kActionTurnWithBallWideB},
                                        {12, kActionTurnBack}};
constexpr uint16_t kTurnStages[2][4] = {{22, 23, 24, 25}, {26, 27, 28, 29}};

int Band(int t) { return t <= 47 ? 0 : t <= 79 ? 1 : t <= 111 ? 2 : 3; }

bool OnPitch(int x, int y) {
    return x >= kDefaultPitch.left && x <= kDefaultPitch.right && y >= kGoalLineLow && y <= kGoalLineHigh;
}
bool InsidePitch(int x, int y) {
    return x > kDefaultPitch.left && x < kDefaultPitch.right && y > kGoalLineLow && y < kGoalLineHigh;
}

bool GoalAcross(int g) {
    return (g > kGoalAcrossLow1 && g < kGoalAcrossHigh1) || (g > kGoalAcrossLow2 && g < kGoalAcrossHigh2);
}

bool TurnsToLarger(int e, int facing) {
    return (e > facing && e - facing < 128) || (e < facing && facing - e > 128);
}

int Clamp100(int v) { return std::clamp(v, 1, 100); }

int EffectiveDribble(const MatchFigure& f) {
    int d = f.dribble;
    if (f.tacticBytes[0] == 3) d += 70;
    if (f.tacticBytes[2] == 2) d -= 70;
    return Clamp100(d);
}

// The point 200 ahead of the ball along the facing.
bool BallProbeInside(int facing) {
    const double theta = double(facing & 255) * kFullTurn / 256.0;
    const int x = BallState.x + int(std::trunc(std::sin(theta) * kProbeAhead));
    const int y = BallState.y - int(std::trunc(std::cos(theta) * kProbeAhead));
    return InsidePitch(x, y);
}

// 100 - rand % (skill + 1) against the skill; no draw for a skill of 0.
bool SkillTest(int skill) {
    const int v = skill <= 0 ? 0 : 100 - GameRandom() % (skill + 1);
    return v < skill;
}

// Starts the turn with the ball toward e, or the turn back with the ball
// played behind when the turn would take it off the pitch.
void StartTurn(int16_t p, int e) {
    MatchFigure& f = MatchFigures[p];
    const int facing = f.facing & 255;
    const int t = Match_FoldedDifference(e, facing);
    const bool larger = TurnsToLarger(e, facing);
    const int band = Band(t);
    const TurnChoice choice = larger ? kTurnLarger[band] : kTurnSmaller[band];
    DribbleStage = kTurnStages[larger ? 0 : 1][band];
    f.turnTarget = uint16_t(e);
    Match_VectorFromDirection(facing, 2, 256);
    const int px = MatchCurX + choice.length * MatchVecX;
    const int py = MatchCurY - choice.length * MatchVecNY;
    if (OnPitch(px, py)) {
        Match_SetPlayerAction(p, choice.action);
        return;
    }
    Match_SetPlayerAction(p, kActionTurnBack);
    MatchPassReceiver = kPassToPoint;
    Match_VectorFromDirection((facing + 128) & 255, kTurnBackTargetBehind, 256);
    MatchPassTargetX = int16_t(MatchCurX + MatchVecX);
    MatchPassTargetY = int16_t(MatchCurY - MatchVecNY);
}

// Knocks the ball on along e with touch kind k (0 keep thinking, 1 run
// after it, 2 sprint after it).
void Knock(int16_t p, int e, int k) {
    MatchFigure& f = MatchFigures[p];
    if (k < 0 || k > 2) return;
    DribbleStage = 31;
    f.facing = uint16_t(e & 255);
    const int sp = std::max(0, f.pace / 5);
    MatchSfx_PlayEvent(kSoundKick, -1, sp);
    int length = sp + 40;
    if (k == 1) length = sp + 90 - (2 * f.dribble) / 4;
    if (k == 2) length = sp + 90 - f.dribble / 4;
    DribbleStage = uint16_t(32 + k);
    Match_VectorFromDirection(e & 255, length, 256);
    BallState.vx = MatchVecX * kKnockScale;
    BallState.vy = -MatchVecNY * kKnockScale;
    BallState.vz = kKnockLift;
    f.hasKicked = 1;
    f.touchLockout = int16_t(sp / 2 + 16);
    LastToucher = p;
    f.gait = uint16_t(k);
    MatchMarkTeamOffside(p);
    if (k == 1) Match_SetPlayerAction(p, kActionRunAfterBall);
    if (k == 2) {
        Match_SetPlayerAction(p, kActionSprintAfterBall);
        ++f.counts[kCountDribbleTouches];
        if (GameRandom() % 400 < f.dribble) ++f.counts[kCountDribblesPast];
    }
}

void ClearForStoppage(int16_t p) {
    const MatchFigure& f = MatchFigures[p];
    const int aimX = MatchCurX < kPitchCentreX ? kDefaultPitch.left : kDefaultPitch.right;
    const int facing = f.facing & 255;
    const int aimY =
        facing < 64 || facing > 192 ? MatchCurY - GameRandom() % 250 : MatchCurY + GameRandom() % 250;
    MatchClearBall(p, int16_t(Match_DirectionTo(MatchCurX, MatchCurY, aimX, aimY)));
}

bool ShotIsOn(int16_t p) { return MatchShootDecision(p, 0) != 0; }

// A chooser and its starter: true when a pass was started (the call ends).
template <typename Chooser, typename Starter>
bool Pair(int16_t p, Chooser choose, Starter start) {
    const int16_t r = choose(p);
    if (r == kNoPassReceiver) return false;
    start(p, r);
    return true;
}

bool SafePair(int16_t p) {
    return Pair(p, Match_ChooseSafePass, [](int16_t f, int16_t r) {
        const bool mate = Match_IsPlayerFigure(r);
        Match_StartShortPass(f, r, mate ? MatchFigures[r].x : 0, mate ? MatchFigures[r].y : 0);
    });
}
bool ShortPair(int16_t p) {
    return Pair(
        p, [](int16_t f) { return Match_ChooseShortPass(f, 0); },
        [](int16_t f, int16_t r) {
            const bool mate = Match_IsPlayerFigure(r);
            Match_StartShortPass(f, r, mate ? MatchFigures[r].x : 0, mate ? MatchFigures[r].y : 0);
        });
}
bool LongPair(int16_t p) {
    return Pair(
        p, [](int16_t f) { return Match_ChooseLongPass(f, 0); }, Match_StartLongPass);
}
bool FarPair(int16_t p) { return Pair(p, Match_ChooseFarPass, Match_StartFarPass); }
bool VeryLongPair(int16_t p) { return Pair(p, Match_ChooseVeryLongPass, Match_StartVeryLongPass); }
bool ThroughPair(int16_t p) { return Pair(p, Match_ChooseThroughPass, Match_StartThroughPass); }

// The cross chooser and starter; true when the cross was started.
bool CrossPair(int16_t p, int e) {
    const int16_t r = Match_ChooseCross(p);
    if (r == kNoPassReceiver) return false;
    int16_t x = 0, y = 0;
    if (Match_IsPlayerFigure(r)) {
        x = MatchFigures[r].x;
        y = MatchFigures[r].y;
    }
    return Match_StartCross(p, r, x, y, int16_t(e)) == 0;
}

enum class Tried { kDone, kNext };

// A team-mate named by the tactics: a long pass to him when he lies close
// enough to the way to goal, else perhaps a strike on under pressure.
Tried TryTacticReceiver(int16_t p, int16_t r, int g, int opponentReach) {
    const MatchFigure& f = MatchFigures[p];
    const MatchFigure& m = MatchFigures[r];
    const int goalward = Match_GoalDirection(p, 0, CurrentTeam);
    const int a = Match_FoldedDifference(Match_DirectionTo(f.x, f.y, m.x, m.y), goalward);
    if (a > 64) {
        if (opponentReach < 18) {
            MatchClearBall(p, int16_t(f.facing & 255));
            return Tried::kDone;
        }
        return Tried::kNext;
    }
    const double theta = double(a) * kFullTurn / 256.0;
    const int dx = std::abs(m.x - f.x), dy = std::abs(m.y - f.y);
    const int off =
        std::abs(int(std::trunc(dx * std::sin(theta)))) + std::abs(int(std::trunc(dy * std::cos(theta))));
    if (off < 960) {
        Match_StartLongPass(p, r);
        return Tried::kDone;
    }
    if (opponentReach < 36) {
        MatchClearBall(p, int16_t(g));
        return Tried::kDone;
    }
    return Tried::kNext;
}

struct Decision {
    int e;  // free direction, -1 none
    int k;  // touch kind
    int t;  // turn from the facing
    bool decided;
};

// The passing stages (19 and 20); true when a pass was started.
bool PassInstead(int16_t p, Decision& d, int w) {
    MatchFigure& f = MatchFigures[p];
    const int team = CurrentTeam & 1;
    d.t = d.e < 0 ? 0 : Match_FoldedDifference(d.e, f.facing & 255);
    const int16_t line = MatchLastDefenderY[team ^ 1];
    const bool upfield = team == AttackDirection;
    const bool shortOfLine = upfield ? f.y <= line : f.y >= line;
    const bool passCondition = shortOfLine || (d.e > 30 && d.e < 98) || (d.e > 158 && d.e < 226);
    const bool forcePass = f.tacticBytes[2] == 2 || d.t > 64;
    const auto lastTest = [&] {
        return !(GameRandom() % 100 >= f.passing + 20 && f.tacticBytes[2] != 2 && d.t <= 64);
    };
    if (w < GameRandom() % (std::max<int>(f.intelligence, 0) + 1)) {
        DribbleStage = 19;
        if (!passCondition) return false;
        if (CrossPair(p, d.e)) return true;
        if (f.tacticBytes[3] == 0 || w < GameRandom() % (std::max<int>(f.dribble, 0) + 1)) {
            if ((SkillTest(f.passing) || forcePass) && SafePair(p)) return true;
            if (SkillTest(f.vision) && ThroughPair(p)) return true;
            if (GameRandom() % 100 < f.vision && (LongPair(p) || VeryLongPair(p))) return true;
            if ((GameRandom() % 100 < f.passing + 20 || forcePass) && ShortPair(p)) return true;
        }
        return lastTest() && FarPair(p);
    }
    DribbleStage = 20;
    if (!passCondition) return false;
    if (!(100 - f.passing < GameRandom() % 50 + w || forcePass)) return false;
    if ((SkillTest(f.passing) || forcePass) && SafePair(p)) return true;
    if (CrossPair(p, d.e)) return true;
    if (GameRandom() % 100 < f.vision && ThroughPair(p)) return true;
    if (GameRandom() % 100 < f.vision && LongPair(p)) return true;
    if (GameRandom() % 100 < f.vision && VeryLongPair(p)) return true;
    if ((GameRandom() % 100 < f.passing + 20 || forcePass) && ShortPair(p)) return true;
    return lastTest() && FarPair(p);
}

// Stage 1: the free direction and the touch kind.
void ChooseDirection(int16_t p, int g, Decision& d) {
    const MatchFigure& f = MatchFigures[p];
    DribbleStage = 1;
    int16_t score = 0;
    d.e = Match_FindFreeDirection(p, int16_t(g), score);
    DribbleIdeal = 1000;
    DribbleDirection = uint16_t(g);
    if (d.e < 0) return;
    const int a = Match_FoldedDifference(d.e, g);
    const int b = Match_FoldedDifference(f.facing & 255, g);
    const int s = ((128 - b) * score) / 128;
    if (a <= 32) {
        const int dribble = EffectiveDribble(f);
        d.k = std::min(s / ((100 - dribble) * 2 + 120), 3) - 1;
    }
    if (GoalAcross(g)) d.k = 0;
    if (b > 32 && d.k >= 0) d.k = 0;
    if (d.k < 0) {
        d.e = kNoFreeDirection;
        d.k = 0;
    }
}

// Stages 2 to 18; true when the call ends here.  turnNow is set when the
// decision goes straight to the turning stage.
bool DecideAtTouch(int16_t p, int g, int goalDistance, Decision& d, int& w, bool& turnNow) {
    MatchFigure& f = MatchFigures[p];
    const int team = CurrentTeam & 1;
    const int opp = team ^ 1;
    const int d70 = std::max(0, goalDistance / 5 - 200);
    const int16_t o = BallRanking[opp][0];
    const int oReach = Match_IsPlayerFigure(o) ? MatchFigures[o].ballDistance : 10000;

    DribbleStage = 2;
    if (Match_IsPlayerFigure(o)) {
        const MatchFigure& near = MatchFigures[o];
        if (near.rankDistance >= 80 && near.rankDistance <= 128 && goalDistance < 960 &&
            GameRandom() % 100 < f.outlook) {
            const int toward = Match_DirectionTo(f.x, f.y, near.x, near.y);
            if (std::abs(int(f.facing & 255) - toward) < 16) {
                Match_SetPlayerAction(p, kActionKnockPast);
                return true;
            }
        }
    }
    DribbleStage = 3;
    const int16_t oppChallenger = TeamChallenger[opp];
    if (GameRandom() % (std::max<int>(f.outlook, 0) + 101) == 0 && Match_IsPlayerFigure(oppChallenger) &&
        MatchFigures[oppChallenger].ballDistance < 32 && goalDistance < 400) {
        Match_SetPlayerAction(p, kActionDive);
        return true;
    }
    DribbleStage = 4;
    if (BallState.z >= 30) {
        turnNow = true;
        return false;
    }
    if (goalDistance < 320) {
        const int16_t r = MatchChoosePassTarget(Match_AttackedGoalLine(team));
        if (r != p && r != 0) {
            Match_StartLongPass(p, r);
            return true;
        }
        const int16_t keeper = MatchLineUp[opp][0];
        if (Match_IsPlayerFigure(keeper)) {
            const MatchFigure& q = MatchFigures[keeper];
            if (Match_ApproxDistance(f.x, f.y, q.x, q.y) / kDistanceUnit <= 8 &&
                GameRandom() % 100 < f.dribble && GameRandom() % 100 < f.agility &&
                std::abs(g - int(f.facing & 255)) < 48) {
                const int gap = team == AttackDirection ? q.y - kGoalLineLow : kGoalLineHigh - q.y;
                if (gap / kDistanceUnit > 4) {
                    Match_SetPlayerAction(p, kOneOnOneActions[GameRandom() % 4]);
                    return true;
                }
            }
        }
    }
    DribbleStage = 5;
    if (goalDistance < 160 && ShotIsOn(p)) {
        Match_DecideWithBall(p, 0);
        return true;
    }
    DribbleStage = 6;
    if (f.tacticBytes[2] == 1 && goalDistance > 1400) {
        if (TeamStoppageRequest[team] != 0) {
            ClearForStoppage(p);
            return true;
        }
        DribbleStage = 7;
        const int slot = f.tacticBytes[1];
        if (slot >= 1 && slot <= 15) {
            const int16_t r = MatchLineUp[team][slot];
            if (MatchOnPitch(r) && TryTacticReceiver(p, r, g, oReach) == Tried::kDone) return true;
        }
        DribbleStage = 8;
        const int column = int8_t(f.tacticBytes[5]);
        if (column < 0) {
            if (d.e == kNoFreeDirection) {
                DribbleStage = 9;
                MatchTryShot(p, int16_t(g));
                MatchClearBall(p, int16_t(g));
                return true;
            }
        } else {
            int y = (1920 / 18) * column;
            int x = (1280 / 15) * int(f.tacticBytes[4]);
            if (team != AttackDirection) {
                y = 1920 - y;
                x = 1280 - x;
            }
            y += kGoalLineLow;
            x += kDefaultPitch.left;
            const int16_t r = MatchFindNearestPlayer(int16_t(x), int16_t(y), -1);
            if (r != 0 && MatchOnPitch(r) &&
                Match_ApproxDistance(MatchFigures[r].x, MatchFigures[r].y, x, y) < 320 &&
                TryTacticReceiver(p, r, g, oReach) == Tried::kDone) {
                return true;
            }
        }
    }
    if (d.e == kNoFreeDirection) {
        DribbleStage = 13;
        if (ShotIsOn(p)) {
            Match_DecideWithBall(p, 0);
            return true;
        }
        DribbleStage = 14;
        w = 200;
        if (CrossPair(p, -1)) return true;
        DribbleStage = 15;
        const bool longFirst = TeamRestartCount[opp] < TeamRestartCount[team];
        const auto longTry = [&] { return GameRandom() % 100 < f.vision && LongPair(p); };
        const auto shortTry = [&] {
            return (GameRandom() % 100 < f.passing + 20 || f.tacticBytes[2] == 2) && ShortPair(p);
        };
        if (longFirst ? (longTry() || shortTry()) : (shortTry() || longTry())) return true;
        DribbleStage = 16;
        if ((GameRandom() % 100 < f.passing + 20 || f.tacticBytes[2] == 2) && FarPair(p)) return true;
        DribbleStage = 17;
        if (GameRandom() % 100 < f.vision && VeryLongPair(p)) return true;
        DribbleStage = 18;
        if (goalDistance <= 1600 || f.position >= 5) {
            if (!BallProbeInside(f.facing)) {
                BallState.vx = BallState.vy = 0;
                Match_SetPlayerAction(p, kActionOnBall);
                return true;
            }
        } else if (oReach < 18) {
            MatchTryShot(p, int16_t(g));
            MatchClearBall(p, int16_t(g));
        }
        return false;
    }
    DribbleStage = 11;
    if (TeamStoppageRequest[team] != 0 && goalDistance > 1400) {
        ClearForStoppage(p);
        return true;
    }
    DribbleStage = 12;
    w = (Match_FoldedDifference(d.e, g) + d70 / 2) * (3 - d.k);
    if (ShotIsOn(p)) {
        Match_DecideWithBall(p, 0);
        return true;
    }
    return false;
}

// Stage 21: turning with the ball at a touch moment; true when the call
// ends here.
bool TurnAtTouch(int16_t p, int g, Decision& d) {
    MatchFigure& f = MatchFigures[p];
    if (f.frame != kDribbleLeftTouchFrame && f.frame != kDribbleRightTouchFrame) return false;
    DribbleStage = 21;
    if (d.e < 0) {
        DribbleStage = 30;
        if (BallProbeInside(f.facing)) {
            for (int i = 0; i < kSwingSteps; ++i) Match_TurnPlayerTowards(p, g, 2);
            d.e = g;
            d.k = 0;
            d.t = 0;
        }
        return false;
    }
    d.t = Match_FoldedDifference(d.e, f.facing & 255);
    if (d.t <= kKnockTurnLimit) {
        f.facing = uint16_t(d.e);
        return false;
    }
    StartTurn(p, d.e);
    return true;
}

void Tail(int16_t p, const Decision& d) {
    MatchFigure& f = MatchFigures[p];
    Match_ApplyAnimMotionRet(p);
    MatchSetPlayerAnimKeepFrame(p, kClipDribble, 1, 0);
    if (f.touchLockout != 0 || f.hasBall == 0) return;
    if (d.decided && d.t <= kKnockTurnLimit && d.e >= 0) {
        Knock(p, d.e, d.k);
        return;
    }
    DribbleStage = 35;
    if (d.e >= 0) {
        Match_TurnPlayerTowards(p, d.e, 2);
        Ball_KeepAtFeet(p);
    } else {
        Match_SetPlayerAction(p, kActionOnBall);
    }
}

}  // namespace

void Match_Dribble(int16_t figure) {
    if (!Match_IsPlayerFigure(figure)) return;
    MatchFigure& f = MatchFigures[figure];
    const int g = Match_GoalDirection(figure, 0, CurrentTeam);
    const int goalDistance = GoalDistanceScratch;
    Decision d{f.facing & 255, 0, 0, false};
    const bool touch = (f.frame == kDribbleLeftTouchFrame && f.leftNow != 0) ||
                       (f.frame == kDribbleRightTouchFrame && f.rightNow != 0);
    if (touch) {
        d.decided = true;
        if (f.hasBall != 0) {
            ChooseDirection(figure, g, d);
            int w = 0;
            bool turnNow = false;
            if (DecideAtTouch(figure, g, goalDistance, d, w, turnNow)) return;
            if (!turnNow && PassInstead(figure, d, w)) return;
            if (TurnAtTouch(figure, g, d)) return;
        }
    }
    Tail(figure, d);
}

void Match_CarryBall(int16_t figure, int16_t, int16_t x, int16_t y) {
    if (!Match_IsPlayerFigure(figure)) return;
    MatchFigure& f = MatchFigures[figure];
    const int e = Match_DirectionTo(MatchCurX, MatchCurY, x, y);
    f.turnTarget = uint16_t(e);
    if (Match_FoldedDifference(e, f.facing & 255) <= kKnockTurnLimit) {
        Knock(figure, e, 0);
        return;
    }
    StartTurn(figure, e);
}
