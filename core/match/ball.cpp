#include "core/match/ball.h"
#include "core/match/actions.h"

#include <cmath>
#include <cstdlib>

#include "core/match/geometry.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/officials.h"
#include "core/match/phases.h"
#include "core/match/soundevents.h"

namespace {

constexpr int32_t kUnit = 65536;

// Whole units of a 16.16 value, truncated toward zero.
int16_t Whole(int32_t value) { return int16_t(value / kUnit); }

// A 16.16 value rebuilt from new whole units, keeping its fraction.
int32_t WithWhole(int32_t value, int16_t whole) { return (value & 0xFFFF) + int32_t(whole) * kUnit; }

// Velocity times a factor, formed in double and truncated toward zero.
int32_t Scaled(int32_t velocity, float factor) {
    return int32_t(std::trunc(double(velocity) * double(factor)));
}

int32_t AfterDrag(int32_t velocity, int16_t drag) {
    // In 64 bits: a fast ball times 991 passes 32 bits.
    return int32_t(int64_t(velocity) * drag / 1000);
}

int32_t AtRest(int32_t velocity) {
    return velocity > -kBallRestThreshold && velocity < kBallRestThreshold ? 0 : velocity;
}

int Sign(int value) { return value > 0 ? 1 : value < 0 ? -1 : 0; }

bool SpinRuns() { return BallState.swerveTime != 0; }

void CancelSpin() {
    BallState.swerve[0] = BallState.swerve[1] = BallState.swerve[2] = 0;
    BallState.swerveTime = 0;
}

bool TestProbe() {
    BallState.collisionCount = 0;
    Ball_Collide();
    return BallState.collisionCount != 0;
}

}  // namespace

bool Ball_WalkPath(int16_t fromX, int16_t fromY, int16_t toX, int16_t toY, BallProbeTest test, int16_t& hitX,
                   int16_t& hitY) {
    const int dx = toX - fromX;
    const int dy = toY - fromY;
    if (dx == 0 && dy == 0) return false;
    const bool majorIsY = std::abs(dy) >= std::abs(dx);
    const int major = majorIsY ? dy : dx;
    const int minor = majorIsY ? dx : dy;
    const float ratio = minor == 0 ? float(std::abs(major)) : float(std::abs(major) / std::abs(minor));
    int16_t& probeMajor = majorIsY ? BallState.probeY : BallState.probeX;
    int16_t& probeMinor = majorIsY ? BallState.probeX : BallState.probeY;
    BallState.probeX = fromX;
    BallState.probeY = fromY;
    bool hit = false;
    float accumulator = ratio;
    for (int step = 1; step <= std::abs(major); ++step) {
        // The step that reaches the accumulator also moves along the minor
        // axis, so a walk whose ratio divides evenly ends on its target.
        if (minor == 0 || float(step) < accumulator) {
            probeMajor = int16_t(probeMajor + Sign(major));
            if (test()) {
                hitX = BallState.probeX, hitY = BallState.probeY;
                return true;
            }
            continue;
        }
        accumulator += ratio;
        probeMajor = int16_t(probeMajor + Sign(major));
        if (test()) {
            hitX = BallState.probeX, hitY = BallState.probeY;
            hit = true;
        }
        probeMinor = int16_t(probeMinor + Sign(minor));
        if (test()) {
            hitX = BallState.probeX, hitY = BallState.probeY;
            return true;
        }
        // A hit on the major move ends the walk after the minor move's test:
        // walking on along the old path, once the response has turned the
        // ball, would test points it never reaches (a goal or a line behind
        // the post it struck) and carry it through the wall it has just met.
        if (hit) return true;
    }
    return hit;
}

namespace {

void Bounce(int32_t& fallenZ16) {
    MatchSfx_PlayEvent(kSoundBounce, -1);
    if (BallState.landingMarker != 0) {
        BallState.landingMarker = 0;
        MatchFigures[kSpareFigure].x = kBallParkedSpot;
        MatchFigures[kSpareFigure].y = kBallParkedSpot;
    }
    const int32_t fallSpeed = BallState.vz;
    BallState.vx = Scaled(BallState.vx, BallState.bounceKeep);
    BallState.vy = Scaled(BallState.vy, BallState.bounceKeep);
    BallState.vz = Scaled(-fallSpeed, BallState.bounceRestitution);
    // Back to the height before this step: the ball never sinks.
    fallenZ16 -= fallSpeed;
}

}  // namespace

void Ball_Integrate() {
    const int16_t startX = BallState.x;
    const int16_t startY = BallState.y;
    BallState.x16 = WithWhole(BallState.x16, startX);
    BallState.y16 = WithWhole(BallState.y16, startY);
    BallState.z16 = WithWhole(BallState.z16, BallState.z);

    if ((BallState.z == 0 && BallState.kickGrace == 0 && SpinRuns()) || BallState.controller != 0)
        CancelSpin();
    if (SpinRuns()) {
        BallState.vx += BallState.swerve[0];
        BallState.vy += BallState.swerve[1];
        BallState.vz += BallState.swerve[2];
        --BallState.swerveTime;
    }
    if (BallState.z >= kBallWindHeight && BallState.holder == 0 && BallState.controller == 0) {
        BallState.vx += BallState.windX;
        BallState.vy += BallState.windY;
    }
    BallState.vx = AfterDrag(BallState.vx, BallState.drag);
    BallState.vy = AfterDrag(BallState.vy, BallState.drag);

    BallState.vz -= BallState.gravity;
    int32_t nextZ16 = BallState.z16 + BallState.vz;
    if (nextZ16 < 0) Bounce(nextZ16);

    int32_t nextX16 = BallState.x16 + BallState.vx;
    int32_t nextY16 = BallState.y16 + BallState.vy;
    BallState.vx = AtRest(BallState.vx);
    BallState.vy = AtRest(BallState.vy);
    BallState.z16 = nextZ16;
    BallState.z = Whole(nextZ16);

    int16_t hitX = 0, hitY = 0;
    if (Ball_WalkPath(startX, startY, Whole(nextX16), Whole(nextY16), TestProbe, hitX, hitY)) {
        nextX16 = int32_t(hitX) * kUnit;
        nextY16 = int32_t(hitY) * kUnit;
    }
    BallState.x16 = nextX16;
    BallState.y16 = nextY16;
    BallState.x = Whole(nextX16);
    BallState.y = Whole(nextY16);
}

void Ball_UpdateDirectionSpeed() {
    if (BallState.vx == 0 && BallState.vy == 0) {
        BallState.speed = 0;
        BallState.direction = 256;
        if (LastToucher >= 0 && LastToucher < kPlayerFigures && MatchFigures[LastToucher].hasBall != 0) {
            const MatchFigure& toucher = MatchFigures[LastToucher];
            BallState.direction = toucher.facing;
            if (toucher.action != kActionOnBall) BallState.speed = 5;
        }
    } else {
        BallState.direction = Match_DirectionTo(0, 0, BallState.vx / kBallDirectionDivisor,
                                                BallState.vy / kBallDirectionDivisor);
        BallState.speed = uint8_t(std::abs(BallState.vx / kUnit) + std::abs(BallState.vy / kUnit));
    }
    BallGroundSpeed = BallState.speed;
}

void Ball_PredictPositions() {
    const MatchFigure& ball = MatchFigures[kBallFigure];
    for (int ahead = 0; ahead < 3; ++ahead) {
        BallState.predicted[ahead][0] = int16_t(ball.x + BallState.vx / kBallPredictDivisors[ahead]);
        BallState.predicted[ahead][1] = int16_t(ball.y + BallState.vy / kBallPredictDivisors[ahead]);
    }
}

void Ball_Update() {
    if (BallState.phaseCountdown > 0) --BallState.phaseCountdown;
    if (BallState.netCooldown != 0) --BallState.netCooldown;
    // The ball figure stands where the ball starts this tick (code that
    // places the ball may have set the ball's position alone): the
    // predictions and the collision tests read that position.
    MatchFigure& ball = MatchFigures[kBallFigure];
    ball.x = BallState.x;
    ball.y = BallState.y;
    MatchBallHolderUpdate();
    Ball_Integrate();
    BallState.probeX = BallState.x;
    BallState.probeY = BallState.y;
    BallState.collisionCount = 0;
    Ball_Collide();
    Ball_UpdateDirectionSpeed();
    Ball_PlayerContacts();
    if (MatchPhase < kPhaseThrowIn) Ball_PredictPositions();
    if (BallState.holder != 0) BallState.z = 0;
    ball.x = BallState.x;
    ball.y = BallState.y;
    ball.x16 = BallState.x16;
    ball.y16 = BallState.y16;
}

void Ball_Stop() {
    BallState.vx = BallState.vy = BallState.vz = 0;
    BallState.swerve[0] = BallState.swerve[1] = BallState.swerve[2] = 0;
}

void Ball_PlaceOnCentreSpot() {
    BallState.x = kPitchCentreX;
    BallState.y = kPitchHalfwayY;
    BallState.z = 0;
    BallState.z16 = 0;
    BallState.vx = BallState.vy = BallState.vz = 0;
    CancelSpin();
    BallState.direction = 256;
    MatchFigure& ball = MatchFigures[kBallFigure];
    ball.x = kPitchCentreX;
    ball.y = kPitchHalfwayY;
}
