#include "core/match/highball.h"
#include "core/match/actions.h"

#include <algorithm>
#include <cstdlib>

#include "core/base/random.h"
#include "core/match/carrieroptions.h"
#include "core/match/geometry.h"
#include "core/match/headershot.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/shotchoice.h"

BallPredictionResult BallPrediction = {kNoMeetingPoint, 0, 0, 0, 0};
int16_t BallLandingX, BallLandingY;
uint8_t HighBallReactionLevel;
int16_t LayOffX, LayOffY;

namespace {

constexpr int kWindHeight = 30;
constexpr int32_t kStillSpeed = 4096;  // 1/16 unit a tick
constexpr int kHeadHeight = 140;
constexpr int kMaxFlightTicks = 1000;
constexpr uint16_t kFreeActionLimit = kActionSprintAfterBall;

struct Flight {
    int32_t x16, y16, z16;
    int32_t vx, vy, vz;
    int swerveTime;
    int bounces;
    int Z() const { return z16 >> 16; }
    int X() const { return x16 >> 16; }
    int Y() const { return y16 >> 16; }
};

Flight StartFlight() {
    const BallStateRecord& b = BallState;
    return {b.x16, b.y16, b.z16, b.vx, b.vy, b.vz, b.swerveTime, 0};
}

int32_t Scaled(int32_t value, float factor) { return int32_t(float(value) * factor); }

// One tick of the flight: drag, gravity, bounce and the move.
void StepFlight(Flight& f) {
    const BallStateRecord& b = BallState;
    f.vx = int32_t(int64_t(f.vx) * b.drag / 1000);
    f.vy = int32_t(int64_t(f.vy) * b.drag / 1000);
    f.vz -= b.gravity;
    f.z16 += f.vz;
    if (f.z16 < 0) {
        f.vx = Scaled(f.vx, b.bounceKeep);
        f.vy = Scaled(f.vy, b.bounceKeep);
        f.vz = Scaled(-f.vz, b.bounceRestitution);
        ++f.bounces;
        f.z16 += f.vz;
    }
    f.x16 += f.vx;
    f.y16 += f.vy;
    if (std::abs(f.vx) < kStillSpeed) f.vx = 0;
    if (std::abs(f.vy) < kStillSpeed) f.vy = 0;
}

void ApplySwerve(Flight& f) {
    if (f.swerveTime <= 0) return;
    f.vx += BallState.swerve[0];
    f.vy += BallState.swerve[1];
    f.vz += BallState.swerve[2];
    --f.swerveTime;
}

int Distance(int x1, int y1, int x2, int y2) {
    const int a = std::abs(x1 - x2), b = std::abs(y1 - y2);
    return a > b ? a + b / 2 : b + a / 2;
}

// A height the player can meet the ball at, given the highest point the
// ball has passed since the last one accepted.
bool CanMeet(int z, int maxz, int reach) {
    if (z < 70) return maxz <= kHeadHeight;
    if (z < kHeadHeight) return maxz < 2 * kHeadHeight;
    return z <= reach;
}

bool TravelsAcrossPitch(uint16_t direction) {
    return (direction >= 41 && direction <= 87) || (direction >= 169 && direction <= 215);
}

// Whether the flight stays at least `gap` from `line` along one axis for
// good: with nothing left to push the ball along it (no swerve time, or no
// swerve along it; no wind along it), drag and bounces keep the velocity's
// sign, so a ball that is past the gap and not coming back never will be.
bool StaysAwayAlong(int position, int32_t velocity, int line, int gap, bool pushed) {
    if (pushed) return false;
    if (position - line >= gap) return velocity >= 0;
    if (line - position >= gap) return velocity <= 0;
    return false;
}

}  // namespace

void Ball_PredictLanding(int16_t lookAhead, int16_t targetX, int16_t targetY, int16_t figure, int16_t mode) {
    Flight f = StartFlight();
    BallPredictionResult result{kNoMeetingPoint, 0, 0, 0, 0};
    const bool figureValid = figure >= 0 && figure < kMatchFigureCount;
    const int reach = kHeadHeight + (figureValid ? MatchFigures[figure].heading / 2 : 0);
    const bool windy = BallState.z >= kWindHeight;
    const int16_t holder = BallState.holder;
    const bool heldByOther = holder != 0 && holder != figure + 1;
    const bool across = TravelsAcrossPitch(BallState.direction);
    // What may still push the ball along the axis the keeper's mode watches.
    const int axis = across ? 0 : 1;
    // Drag and bounces that keep no more than all of the speed cannot turn
    // the ball round, nor grow its speed until the sum wraps.
    const bool signKept = BallState.drag >= 0 && BallState.drag <= 1000 && BallState.bounceKeep >= 0.0f &&
                          BallState.bounceKeep <= 1.0f;
    const bool windAlong = windy && (across ? BallState.windX : BallState.windY) != 0;
    int maxz = 0;
    for (int tick = 0; tick < lookAhead; ++tick) {
        // A ball on the ground, unless the kick that sent it is still in its
        // grace (as in the ball's own step), or in someone's hands, swerves
        // no more.
        if ((f.Z() == 0 && BallState.kickGrace == 0) || heldByOther) f.swerveTime = 0;
        ApplySwerve(f);
        if (windy) {
            f.vx += BallState.windX;
            f.vy += BallState.windY;
        }
        StepFlight(f);
        const int d = Distance(f.X(), f.Y(), targetX, targetY);
        const int z = f.Z();
        if (mode == 1) {
            const bool candidate =
                across ? std::abs(f.X() - MatchCurX) < 150 && z < reach : std::abs(f.Y() - MatchCurY) < 10;
            if (!candidate) {
                // Past the watched line and moving on away from it: no later
                // tick can be a candidate either.
                const bool pushed =
                    !signKept || windAlong || (f.swerveTime > 0 && BallState.swerve[axis] != 0);
                const bool away = across ? StaysAwayAlong(f.X(), f.vx, MatchCurX, 150, pushed)
                                         : StaysAwayAlong(f.Y(), f.vy, MatchCurY, 10, pushed);
                if (away) break;
                continue;
            }
        } else if (f.bounces > 0) {
            break;
        }
        if (d >= result.bestDistance) break;
        if (CanMeet(z, maxz, reach)) {
            result = {int16_t(d), int16_t(f.X()), int16_t(f.Y()), int16_t(z), int16_t(tick)};
        } else {
            maxz = std::max(maxz, z);
        }
    }
    BallPrediction = result;
}

void MatchCallToLanding(int16_t radius) {
    BallLandingX = BallLandingY = 0;
    Flight f = StartFlight();
    // Bounded: a ball that never comes down through head height has no
    // landing point.
    for (int tick = 0; tick < kMaxFlightTicks; ++tick) {
        ApplySwerve(f);
        if (f.Z() >= kWindHeight) {
            f.vx += BallState.windX;
            f.vy += BallState.windY;
        }
        StepFlight(f);
        if (f.vz < 0 && f.Z() <= kHeadHeight) {
            BallLandingX = int16_t(f.X());
            BallLandingY = int16_t(f.Y());
            break;
        }
    }
    if (BallLandingX + BallLandingY <= 0) return;
    const int team = CurrentTeam & 1;
    for (int slot = 0; slot < kTeamFigures; ++slot) {
        const int16_t figure = int16_t(team * kTeamFigures + slot);
        const MatchFigure& p = MatchFigures[figure];
        if (p.off != 0 || p.action > kFreeActionLimit) continue;
        if (Distance(p.x, p.y, BallLandingX, BallLandingY) < radius)
            Match_SetPlayerAction(figure, kActionUnderHighBall);
    }
}

namespace {

int Fold(int difference) {
    const int d = std::abs(difference) & 255;
    return d > 128 ? 256 - d : d;
}

int Draw(int n) { return n > 0 ? int(GameRandom() % n) : 0; }

// Starts an action of the reaction with the ticks to the point as variant.
void React(int16_t figure, uint16_t action, int ticks) {
    Match_SetPlayerAction(figure, action);
    MatchFigures[figure].actionParam = uint16_t(ticks);
}

uint16_t BySide(const MatchFigure& p, uint16_t side0, uint16_t side1, uint16_t other) {
    return p.gait == 0 ? side0 : (p.gait == 1 ? side1 : other);
}

// The distance from the player to the nearest opponent on the pitch.
int NearestOpponent(int16_t figure) {
    const MatchFigure& p = MatchFigures[figure];
    const int other = (figure / kTeamFigures) ^ 1;
    int best = kNoMeetingPoint;
    for (int i = 0; i < kTeamFigures; ++i) {
        const int16_t q = int16_t(other * kTeamFigures + i);
        if (!MatchOnPitch(q)) continue;
        best = std::min(best, Distance(p.x, p.y, MatchFigures[q].x, MatchFigures[q].y));
    }
    return best;
}

}  // namespace

void Match_ReactToHighBall(int16_t figure) {
    if (figure < 0 || figure >= kPlayerFigures) return;
    MatchFigure& p = MatchFigures[figure];
    const int ballHeight = BallState.z;
    if (ballHeight < kWindHeight) return;
    if (HighBallReactionLevel < 5 && ballHeight < kHeadHeight) return;
    if (Fold(int(BallState.direction) - int((p.ballDirection + 128) & 255)) > 32) return;
    const int every = std::max(1, (100 - p.heading) / 5 + 1);
    ++p.work3;
    if (p.work3 % every != 0) return;

    Ball_PredictLanding(p.heading, p.x, p.y, figure, 0);
    const BallPredictionResult meet = BallPrediction;
    if (meet.bestDistance == kNoMeetingPoint || meet.height < kWindHeight) return;

    const int team = figure / kTeamFigures;
    const int16_t goalLine = team == AttackDirection ? kGoalLineHigh : kGoalLineLow;
    const uint16_t goalDirection = Match_DirectionTo(p.x, p.y, kPitchCentreX, goalLine);
    const int goalDistance = Distance(p.x, p.y, kPitchCentreX, goalLine);
    // The heading check reads it as the distance to goal.
    GoalDistanceScratch = int16_t(goalDistance);
    const int toPoint = Match_DirectionTo(p.x, p.y, meet.x, meet.y);
    const int marked = Draw(100) < p.vision ? NearestOpponent(figure) : kNoMeetingPoint;

    const int h = meet.height, t = meet.ticks, d = meet.bestDistance, level = HighBallReactionLevel;
    const int reach = kHeadHeight + p.heading / 2;
    auto targetThePoint = [&] {
        p.targetX = p.aimX = meet.x;
        p.targetY = p.aimY = meet.y;
    };
    if (h >= 110 && h <= kHeadHeight && t > 16 && t <= 32 && d < 64 - 2 * level) {
        // Chest height: lay it off to a team-mate, or take it down.
        targetThePoint();
        if (goalDistance <= 256) return;
        const int16_t mate = Match_FindLayOffMate(figure);
        if (mate >= 0 && mate < kPlayerFigures) {
            MatchFigure& m = MatchFigures[mate];
            LayOffX = m.targetX = m.x;
            LayOffY = m.targetY = m.y;
            MatchPassTargetX = LayOffX;  // the header pass goes to him
            MatchPassTargetY = LayOffY;
            MatchPassReceiver = mate;
            React(figure, kActionHeaderPass, t);
            return;
        }
        if (goalDistance < 400 && Draw(400) < p.agility) {
            Match_SetPlayerAction(figure, d < 16 ? kActionAirBackHeader : kActionAirChestControl);
        } else if (d < 16 && figure != MatchLineUp[team][0]) {
            // Neither laid off nor taken down, the ball comes right at him
            // at arm's height: an outfield player handles it.
            Match_SetPlayerAction(figure, kActionHandball);
        }
        p.actionParam = uint16_t(t);
    } else if (h >= kHeadHeight && h <= reach && t > 16 && t <= 33 && d < 64 - level && goalDistance > 400) {
        // Head height far from goal: a header duel or on the chest.
        targetThePoint();
        if (marked < 160) {
            MatchHeadingCheck(figure, goalDirection, 1);
        } else {
            React(figure, kActionAirChestControl, t);
        }
    } else if (h >= kHeadHeight && h <= reach && t > 16 && t <= 33 && d < 64 - level) {
        targetThePoint();
        if (marked < 160 || goalDistance < 200) {
            MatchHeadingCheck(figure, goalDirection, 0);
        } else if (goalDistance >= 400 || Draw(400) >= p.agility) {
            React(figure, kActionAirChestControl, t);
        } else {
            React(figure, d < 16 ? kActionAirBackHeader : kActionAirChestControl, t);
        }
    } else if (h >= kWindHeight && t > 4 && t <= 32 && d < 20) {
        // Within reach: a volley near goal, a long-range one far out.
        targetThePoint();
        if (goalDistance < 560) {
            Match_DecideWithBall(figure, 1);
            React(figure, BySide(p, kActionVolleyA, kActionVolleyB, kActionVolleyC), t);
            if (goalDistance < 240 && Draw(100) < p.agility) React(figure, kActionLowHeader, t);
        } else if (goalDistance > 960) {
            React(figure, BySide(p, kActionBackwardHeaderA, kActionBackwardHeaderB, kActionBackwardHeaderC),
                  t);
        } else {
            Match_SetPlayerAction(figure, kActionChestLayOff);
        }
    } else if (h >= kWindHeight && h <= 90 && t > 11 && t <= 22 && d < 24) {
        // A low ball to the side: controlled on the turn.
        targetThePoint();
        const int f = p.facing & 255;
        const bool oneWay = (f < toPoint && toPoint - f < 128) || (f >= toPoint && f - toPoint >= 128);
        if (oneWay) {
            Match_SetPlayerAction(figure, h >= 60 ? kActionChestControlD : kActionChestControlB);
        } else {
            Match_SetPlayerAction(figure, h >= 60 ? kActionChestControlC : kActionChestControlA);
        }
    } else if (h <= kWindHeight && d < 48 && t < 100) {
        targetThePoint();
        Match_SetPlayerAction(figure, kActionSlidingPoke);
    }
}
