#include "core/match/shotchoice.h"
#include "core/match/actions.h"

#include <cstdlib>
#include <utility>

#include "core/base/random.h"
#include "core/match/carrieroptions.h"
#include "core/match/geometry.h"
#include "core/match/keeper.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/offside.h"
#include "core/match/ranking.h"
#include "core/match/soundevents.h"

int16_t MatchPassTargetX, MatchPassTargetY;
int16_t MatchPassReceiver = -1;

namespace {

constexpr int kClearanceLength = 1200;
constexpr int16_t kOutsidePostX = 714;
constexpr int32_t kKnockLift = 204800;  // 3.125 units per tick

int Fold(int difference) {
    const int d = std::abs(difference) & 255;
    return d > 128 ? 256 - d : d;
}

int16_t OwnGoalLine(int team) { return team == AttackDirection ? kGoalLineLow : kGoalLineHigh; }
int16_t AttackedGoalLine(int team) { return team == AttackDirection ? kGoalLineHigh : kGoalLineLow; }

int16_t OpposingKeeper(int16_t figure) { return MatchLineUp[(figure / kTeamFigures) ^ 1][0]; }

int Draw(int n) { return n > 0 ? int(GameRandom() % n) : 0; }

// The range of a skill-based spread, at least 1 for any skill.
int SkillSpread(int skill) { return 101 - skill > 0 ? 101 - skill : 1; }

void SetAction(int16_t figure, uint16_t action) { Match_SetPlayerAction(figure, action); }

// Whether a turn from facing toward target goes the first way round.
bool FirstSide(int target, int facing) {
    return (target > facing && target - facing < 128) || (target < facing && facing - target > 128);
}

// The knock past the defender or keeper: the ball pushed ahead along the
// player's new facing, the player chasing it.
void KnockPast(int16_t figure, uint16_t goalDirection) {
    MatchFigure& p = MatchFigures[figure];
    const int spread = 20 + Draw(16);
    const int facing = Draw(2) == 0 ? goalDirection + spread : goalDirection - spread;
    p.facing = uint16_t(facing & 255);
    MatchSfx_PlayEvent(kSoundKick, -1);
    const int pace = p.pace / 5 > 0 ? p.pace / 5 : 0;
    Match_VectorFromDirection(p.facing, 90 + pace - p.dribble / 4, 256);
    BallState.vx = MatchVecX * 4096;
    BallState.vy = -MatchVecNY * 4096;
    BallState.vz = kKnockLift;
    LastToucher = figure;
    SetAction(figure, kActionSprintAfterBall);
    p.hasKicked = 1;
    p.touchLockout = int16_t(pace / 2 + 16);
    MatchMarkTeamOffside(figure);
}

// A player facing away from goal turns as he shoots.
void ShotTail(int16_t figure, uint16_t goalDirection, int turn, int shotAim, int alongToGoal,
              int goalDistance) {
    MatchFigure& p = MatchFigures[figure];
    if (turn >= 48) {
        const int facing = p.facing & 255;
        const int t = int(goalDirection) - facing;
        const bool first =
            (int(goalDirection) > facing && t < 128) || (int(goalDirection) < facing && -t > 128);
        if (shotAim < 80 || alongToGoal < 80) {
            MatchSfx_PlayEvent(kSoundQuickSidePass, -1);
            SetAction(figure, first ? kActionSidewaysKnockA : kActionSidewaysKnockB);
        } else {
            SetAction(figure, first ? kActionAimedStrikeC : kActionAimedStrikeD);
        }
        p.actionParam = 0;
        if (Draw(200) < p.shooting || goalDistance >= 480) p.actionParam = 1;
    }
    Crowd_AddExcitement(500);
}

uint16_t ShotOfSide(const MatchFigure& p) { return p.gait == 1 ? kActionJoggingShot : kActionRunningShot; }

// The direction just outside the post at x 730 as seen from (x, y): toward
// the point 16 outside it, turned further out while the rounding of the
// direction still lets the ball graze into the goal mouth.
uint16_t OutsideThePost(int x, int y, int goalLine) {
    const int nearPost = Match_DirectionTo(x, y, kPostLeftX, goalLine);
    const int farPost = Match_DirectionTo(x, y, kPostRightX, goalLine);
    const int outward = int8_t(uint8_t(nearPost - farPost)) >= 0 ? 1 : -1;
    int d = Match_DirectionTo(x, y, kOutsidePostX, goalLine);
    for (int step = 0; step < 128 && MatchDirectionIntoGoal(x, y, goalLine, uint16_t(d)); ++step)
        d = (d + outward) & 255;
    return uint16_t(d);
}

}  // namespace

bool MatchDirectionIntoGoal(int x, int y, int goalLine, uint16_t direction) {
    int a = Match_DirectionTo(x, y, kPostLeftX, goalLine);
    int b = Match_DirectionTo(x, y, kPostRightX, goalLine);
    if (((b - a) & 255) > 128) std::swap(a, b);
    return ((int(direction) - a) & 255) <= ((b - a) & 255);
}

int16_t MatchChooseShotAim(int16_t figure, int16_t mode) {
    if (figure < 0 || figure >= kPlayerFigures) return 0;
    const MatchFigure& p = MatchFigures[figure];
    const MatchFigure& keeper = MatchFigures[OpposingKeeper(figure)];
    const int16_t distance = Match_ApproxDistance(MatchCurX, MatchCurY, keeper.x, keeper.y);
    const int16_t aimY = (CurrentTeam & 1) == AttackDirection ? kGoalLineHigh + 10 : kGoalLineLow - 10;
    const int toLeft = Match_DirectionTo(MatchCurX, MatchCurY, kPostLeftX + 5, aimY);
    const int toRight = Match_DirectionTo(MatchCurX, MatchCurY, kPostRightX - 5, aimY);
    const int toKeeper = Match_DirectionTo(MatchCurX, MatchCurY, keeper.x, keeper.y);
    int leftGap = Fold(toKeeper - toLeft);
    int rightGap = Fold(toKeeper - toRight);
    if (MatchCurX < kPitchCentreX) {
        leftGap /= 2;
    } else {
        rightGap /= 2;
    }

    int aimX;
    if (mode == 2) {
        const int role = MatchSlotRoleChoice(figure, p.composure);
        if (role > Draw(100)) {
            const int inside = 10 - p.shooting / 12;
            aimX = rightGap >= leftGap ? kPostRightX + inside - Draw(20) : kPostLeftX - inside + Draw(20);
        } else {
            const int offset = Draw(100);
            aimX = Draw(2) == 0 ? kPitchCentreX - offset : kPitchCentreX + offset;
        }
    } else {
        const bool placed = Draw(250) < p.intelligence + p.shooting;
        const int spread = SkillSpread(p.shooting);
        if (placed && BallState.z < 30 && GoalDistanceScratch <= 128) {
            aimX = rightGap < leftGap ? kPitchCentreX - Draw(spread) : kPitchCentreX + Draw(spread);
        } else if (placed) {
            aimX = rightGap < leftGap ? 710 + Draw(spread) : 882 - Draw(spread);
        } else {
            const int low = Draw(100);
            aimX = kPitchCentreX - low + Draw(100);
        }
    }
    FreeKickAimX = int16_t(aimX);
    FreeKickAimY = aimY;
    return distance;
}

void Match_DecideWithBall(int16_t figure, int16_t mode) {
    if (figure < 0 || figure >= kPlayerFigures) return;
    const int shotAim = MatchChooseShotAim(figure, mode);
    if (mode != 0) return;
    MatchFigure& p = MatchFigures[figure];
    const int team = CurrentTeam & 1;
    const bool upfield = team == AttackDirection;
    const int alongToGoal = upfield ? kGoalLineHigh - BallState.y : BallState.y - kGoalLineLow;
    const uint16_t goalDirection = Match_GoalDirection(figure, 1, int16_t(team));
    const int goalDistance = GoalDistanceScratch;
    const int goalAngle = Fold(MatchCurY <= kPitchHalfwayY ? int(goalDirection) : 128 - int(goalDirection));
    const MatchFigure& keeper = MatchFigures[OpposingKeeper(figure)];
    const bool beyond = upfield ? p.y > keeper.y : p.y < keeper.y;
    const int turn = Fold(int(goalDirection) - int(p.facing & 255));

    // An early pass when the keeper is not yet beaten and the angle is poor.
    if (shotAim < goalDistance && goalAngle >= 20 && shotAim < 240 && Draw(100) < p.passing && !beyond) {
        if (Match_FindPassTarget(figure, 1) != kNoPassTarget) {
            Match_StartPass(figure);
            p.actionParam = 4;
            return;
        }
    }
    // A carrier still standing on the ball strikes the shots that turn onto
    // the aim without a run-up.
    const bool standing = p.gait == 0;
    if (p.gait == 0) p.gait = 1;

    // Square on to goal: square it, or carry it toward the middle.
    if (goalAngle > 40 && shotAim < goalDistance && Draw(2) == 0) {
        if (Match_FindPassTarget(figure, 1) != kNoPassTarget) {
            Match_StartPass(figure);
        } else {
            Match_CarryBall(figure, -2, kPitchCentreX, MatchCurY);
        }
        return;
    }
    // Curl it toward the far post.
    if (goalAngle >= 15 && goalAngle <= 45 && goalDistance > 240 && Draw(100) < p.composure && Draw(2) == 0 &&
        turn <= 32) {
        SetAction(figure, standing ? kActionTurningShotA : kActionTurningShotB);
        FreeKickAimX = int16_t(MatchCurX < kPitchCentreX ? kPostRightX + 36 : kPostLeftX - 36);
        return;
    }
    // Knock it past the keeper and run onto it.
    if (shotAim < ((100 - p.dribble) / 8 + 5) * kDistanceUnit && goalDistance > 160 && !beyond &&
        Draw(100) < p.composure && Draw(3) == 0) {
        KnockPast(figure, goalDirection);
        if (shotAim <= 80 && keeper.action == kActionKeeperReady)
            Match_StartAction175(OpposingKeeper(figure));
        ShotTail(figure, goalDirection, turn, shotAim, alongToGoal, goalDistance);
        return;
    }
    // The shot itself.
    const int r = Draw(75);
    if (MatchSlotRoleChoice(figure, p.composure) <= r && !beyond && shotAim >= 80) {
        SetAction(figure, ShotOfSide(p));
    } else if (shotAim < 80 && !beyond) {
        MatchSfx_PlayEvent(kSoundQuickSidePass, -1);
        SetAction(figure, kActionSlidingPoke);
    } else if (shotAim < 80 || shotAim < 240) {
        SetAction(figure, standing ? kActionTurningShotC : kActionTurningShotD);
    } else {
        SetAction(figure, ShotOfSide(p));
    }
    ShotTail(figure, goalDirection, turn, shotAim, alongToGoal, goalDistance);
}

int16_t MatchShootDecision(int16_t figure, int16_t flag) {
    if (figure < 0 || figure >= kPlayerFigures) return 0;
    const MatchFigure& p = MatchFigures[figure];
    const int team = figure / kTeamFigures;
    const bool upfield = (CurrentTeam & 1) == AttackDirection;
    const int16_t goalLine = AttackedGoalLine(CurrentTeam & 1);
    const uint16_t goalDirection = Match_GoalDirection(figure, 1, int16_t(CurrentTeam & 1));
    int goalDistance = GoalDistanceScratch;

    const int16_t nearest = BallRanking[team ^ 1][0];
    const bool nearestValid = nearest >= 0 && nearest < kPlayerFigures;
    const int pressure =
        nearestValid ? Match_ApproxDistance(p.x, p.y, MatchFigures[nearest].x, MatchFigures[nearest].y)
                     : 10000;
    const int shooting = p.shooting > 0 ? p.shooting : 1;
    const int n = pressure * 100 / shooting;
    const MatchFigure& keeper = MatchFigures[OpposingKeeper(figure)];
    int k = Match_ApproxDistance(MatchCurX, MatchCurY, keeper.x, keeper.y) / kDistanceUnit;

    // An open goal: the keeper is not between the posts.  Toward the low
    // goal the three directions are taken as signed values, and there the
    // left post lies below the right one, so the comparisons turn round:
    // taken as they are toward the high goal they would hold for every
    // keeper and let a side attacking the low goal shoot from anywhere
    // within 40 yards.
    if (goalDistance / kDistanceUnit < 40) {
        int toLeft = Match_DirectionTo(MatchCurX, MatchCurY, kPostLeftX, goalLine);
        int toRight = Match_DirectionTo(MatchCurX, MatchCurY, kPostRightX, goalLine);
        int toKeeper = Match_DirectionTo(MatchCurX, MatchCurY, keeper.x, keeper.y);
        if (!upfield) {
            if (toLeft > 128) toLeft -= 256;
            if (toRight > 128) toRight -= 256;
            if (toKeeper > 128) toKeeper -= 256;
            if (toKeeper < toLeft || toKeeper > toRight) return 1;
        } else if (toKeeper > toLeft || toKeeper < toRight) {
            return 1;
        }
    }
    const int turn = Fold(int(p.facing & 255) - int(goalDirection));
    if (turn - 48 > p.agility && goalDistance > 240) return 0;
    if (goalDistance < 288 && flag <= 0) return 1;
    if (goalDistance < 192) return 1;

    int angle;
    if (goalDirection < 64) {
        angle = goalDirection;
    } else if (goalDirection > 192) {
        angle = 256 - goalDirection;
    } else if (goalDirection <= 128) {
        angle = 128 - goalDirection;
    } else {
        angle = goalDirection - 128;
    }
    const int trailing = Goals[team ^ 1] > Goals[team] ? Goals[team ^ 1] - Goals[team] : 0;
    const int hesitation = p.offsideMark;
    angle -= p.outlook / 8 + 16 * hesitation + 10 * trailing;
    if (angle < 0) angle = 0;
    const bool pastLine = MatchBeyondOffsideLine(figure, team);
    const bool beyond = pastLine || (nearestValid && MatchFigures[nearest].ballDistance > 128);

    if (angle > 48) {
        if (k < 1) k = 1;
        if (k < 12) return 1;
        if (Draw(4 * k) == 0 && !beyond && n < 32) return 1;
    } else {
        if (k < 12) return 1;
        if (beyond && n > 64) return 0;
    }
    int w = p.position >= 8 ? 1 : 0;
    if (Draw(100) < p.outlook) w += 5;
    w += 10 * trailing + 2 * hesitation;
    // The attacking instruction counts twice, as the decision has always
    // weighed it.
    if (p.tacticBytes[0] == 3) w += 10;
    if (p.tacticBytes[0] == 3) w += 10;

    if (goalDistance / kDistanceUnit > 35) return 0;
    if (angle < 32) angle /= 4;
    if (n > 80) {
        goalDistance += n;
        if (pastLine) goalDistance *= 2;
        GoalDistanceScratch = int16_t(goalDistance > 32767 ? 32767 : goalDistance);
    }
    const int score = p.shooting + 5 * w - angle - goalDistance / kDistanceUnit;
    if (Draw(50) > score) return 0;
    return n < 64 ? 1 : 0;
}

void MatchAimAlong(uint16_t direction) {
    Match_VectorFromDirection(direction, kClearanceLength, 256);
    FreeKickAimX = int16_t(MatchCurX + MatchVecX);
    FreeKickAimY = int16_t(MatchCurY - MatchVecNY);
}

void MatchClearBall(int16_t figure, uint16_t direction) {
    if (figure < 0 || figure >= kPlayerFigures) return;
    MatchFigure& p = MatchFigures[figure];
    const int16_t ownLine = OwnGoalLine(CurrentTeam & 1);
    int d = direction & 255;
    bool corrected = false;
    if (MatchDirectionIntoGoal(MatchCurX, MatchCurY, ownLine, uint16_t(d))) {
        d = OutsideThePost(MatchCurX, MatchCurY, ownLine);
        corrected = true;
    }
    MatchAimAlong(uint16_t(d));
    const int facing = p.facing & 255;
    const int turn = Fold(facing - Match_DirectionTo(MatchCurX, MatchCurY, FreeKickAimX, FreeKickAimY));

    uint16_t action;
    if (turn >= 70) {
        // Too far to turn: he hooks it off to the side he can reach.
        const bool hookBack = (MatchCurX < kPitchCentreX && MatchCurY < kPitchHalfwayY) ||
                              (MatchCurX >= kPitchCentreX && MatchCurY > kPitchHalfwayY);
        const int swing = 48 + Draw(48);
        d = (hookBack ? facing - swing : facing + swing) & 255;
        action = hookBack ? kActionAimedStrikeB : kActionAimedStrikeA;
        // The hooked kick is held off the own goal as the wanted one is.
        if (MatchDirectionIntoGoal(MatchCurX, MatchCurY, ownLine, uint16_t(d)))
            d = OutsideThePost(MatchCurX, MatchCurY, ownLine);
        MatchAimAlong(uint16_t(d));
    } else {
        const int toAim = Match_DirectionTo(MatchCurX, MatchCurY, FreeKickAimX, FreeKickAimY);
        const bool first = FirstSide(toAim, facing);
        if (corrected) {
            action = turn >= 48 ? (first ? kActionStandingSidePassA : kActionStandingSidePassB) : kActionShot;
        } else if (p.gait == 0) {
            action = turn >= 48 ? (first ? kActionAimedStrikeA : kActionAimedStrikeB) : kActionJoggingShot;
        } else {
            action = turn >= 48 ? (first ? kActionAimedStrikeC : kActionAimedStrikeD) : kActionRunningShot;
        }
    }
    SetAction(figure, action);
    if (action == kActionStandingSidePassA || action == kActionStandingSidePassB) {
        MatchPassTargetX = FreeKickAimX;
        MatchPassTargetY = FreeKickAimY;
        MatchPassReceiver = -1;
    }
    p.actionParam = action >= kActionAimedStrikeA && action <= kActionAimedStrikeD ? 2 : 1;
    ++p.counts[kCountClearances];
}
