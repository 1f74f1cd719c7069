#include "match/highball.h"

#include <algorithm>
#include <cstdlib>

#include "match/matchengine.h"
#include "match/matchfigure.h"

BallPredictionResult BallPrediction = {kNoMeetingPoint, 0, 0, 0, 0};
int16_t BallLandingX, BallLandingY;

namespace {

constexpr int kWindHeight = 30;
constexpr int32_t kStillSpeed = 4096;  // 1/16 unit a tick
constexpr int kHeadHeight = 140;
constexpr int kMaxFlightTicks = 1000;
constexpr uint16_t kCallToLandingAction = 14;
constexpr uint16_t kFreeActionLimit = 16;

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
    int maxz = 0;
    for (int tick = 0; tick < lookAhead; ++tick) {
        // A ball lying on the ground, or in someone's hands, swerves no more.
        if ((f.Z() == 0 && f.vz == 0) || heldByOther) f.swerveTime = 0;
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
            if (!candidate) continue;
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
            Match_SetPlayerAction(figure, kCallToLandingAction);
    }
}
