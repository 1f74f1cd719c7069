// The camera types: each fills one view from the state of the match, with
// no smoothing (the camera smooths between successive results).  Types 0-7
// follow play from eight directions, 8-15 are the side, fixed, close,
// panning, penalty-spot, goal-area and behind-the-ball cameras, 16 the
// stadium camera in its unsmoothed form.
#include <cmath>

#include "core/base/angles.h"
#include "core/match/matchclock.h"
#include "core/match/matchstate.h"
#include "game/match3d/matchcam.h"
#include "game/match3d/stadium.h"

namespace {

constexpr float kFollowTilt = float(-3.0 * kPi / 4.0);
constexpr float kFollowZoom = 1.2f;
constexpr float kTilt105 = -1.832595714595742f;
constexpr float kTilt115 = -2.007128639795336f;
constexpr float kTilt120 = -2.094395102395133f;
constexpr float kPanTilt = -1.6057028770446777f;
constexpr int kPanTicks = 900;

// A value clamped to [low, high]; a value that is not a number gives low.
float TypeClamp(float value, float low, float high) {
    if (!(value > low)) return low;
    return value < high ? value : high;
}

struct FollowRow {
    int16_t marginX, marginY;
    float yaw;
    bool targetHeight;  // the base height is the clamped target's, else 10
};

constexpr FollowRow kFollowRows[8] = {
    {110, 220, float(kPi), true},
    {200, 200, float(5 * kPi / 4), false},
    {220, 220, float(3 * kPi / 2), false},
    {200, 200, float(7 * kPi / 4), false},
    {110, 220, 0.0f, true},
    {200, 200, float(kPi / 4), false},
    {220, 220, float(kPi / 2), false},
    {200, 200, float(3 * kPi / 4), false},
};

CameraPoint Target() {
    CameraPoint t;
    MatchCam_GetTargetPoint(&t);
    return t;
}

// The target clamped to the pitch shrunk by the margins, height 10..50.
CameraPoint ClampedTarget(float marginLowX, float marginHighX, float marginLowY, float marginHighY) {
    CameraPoint t = Target();
    const PitchGeometryValues& p = PitchGeometry;
    t.x = TypeClamp(t.x, p.left + marginLowX, p.right - marginHighX);
    t.y = TypeClamp(t.y, p.top + marginLowY, p.bottom - marginHighY);
    t.z = TypeClamp(t.z, 10.0f, 50.0f);
    return t;
}

float Distance(const CameraPoint& a, const CameraPoint& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

void FixedEye(CameraView* out, const CameraPoint& eye, const CameraPoint& look, float divisor) {
    MatchCam_AimAt(out, eye, look, TypeClamp(Distance(eye, look) / divisor, 1.0f, 8.0f));
}

void Following(int type, CameraView* out) {
    const FollowRow& row = kFollowRows[type];
    const CameraPoint t = ClampedTarget(row.marginX, row.marginX, row.marginY, row.marginY);
    MatchCam_ViewFromTarget(out, t.x, t.y, row.targetHeight ? t.z : 10.0f, ZoomDistance, row.yaw, kFollowTilt,
                            kFollowZoom);
}

void SideTurning(CameraView* out) {
    const CameraPoint t = ClampedTarget(0, 32, 0, 0);
    const double yaw = -(90.0 + 0.02 * (double(t.y) - PitchGeometry.centreY)) * kPi / 180.0;
    MatchCam_ViewFromTarget(out, t.x, t.y, 10.0f, 330.0f, float(yaw), kTilt115, 1.4f);
}

void HighFixed(CameraView* out) {
    const CameraPoint look = ClampedTarget(0, 0, 0, 0);
    const CameraPoint eye{float(PitchGeometry.left - 300), float(PitchGeometry.centreY), 450.0f};
    FixedEye(out, eye, look, 300.0f);
}

void LowSliding(CameraView* out) {
    const CameraPoint look = ClampedTarget(120, 0, 0, 0);
    const PitchGeometryValues& p = PitchGeometry;
    const CameraPoint eye{float(p.left - 100), TypeClamp(look.y, p.top + 500.0f, p.bottom - 500.0f), 180.0f};
    FixedEye(out, eye, look, 250.0f);
}

void CloseSide(CameraView* out) {
    const CameraPoint t = ClampedTarget(0, 0, 0, 0);
    MatchCam_ViewFromTarget(out, t.x, t.y, 30.0f, 320.0f, float(kPi / 2), kTilt105, 1.6f);
}

void TimedPan(CameraView* out) {
    const PitchGeometryValues& p = PitchGeometry;
    const double t = TypeClamp(float(AllTicks) / float(kPanTicks), 0.0f, 1.0f);
    const double eyeY = p.bottom - (p.bottom - p.centreY) / 2.0 * t;
    MatchCam_SetViewRecord(out, float(p.right - 150), float(eyeY), 280.0f, float(t * kPi / 2), kPanTilt,
                           1.1f);
}

// True when the target lies in the high-y half (the centre line counts low).
bool HighHalf(const CameraPoint& t) { return t.y > PitchGeometry.centreY; }

void PenaltySpot(CameraView* out) {
    const bool high = HighHalf(Target());
    const PitchGeometryValues& p = PitchGeometry;
    const float spotY = high ? p.penaltySpotHighY : p.penaltySpotLowY;
    MatchCam_ViewFromTarget(out, p.centreX, spotY, 30.0f, 320.0f, high ? float(kPi) : 0.0f, kTilt105, 1.6f);
}

void GoalArea(CameraView* out) {
    const CameraPoint t = Target();
    const PitchGeometryValues& p = PitchGeometry;
    const float y = HighHalf(t) ? p.bottom - 6 * p.pitchUnit : p.top + 6 * p.pitchUnit;
    const float x = t.x > p.centreX ? p.right - 6 * p.pitchUnit : p.left + 40 * p.pitchUnit;
    MatchCam_ViewFromTarget(out, x, y, 30.0f, 320.0f, float(kPi / 2), kTilt120, 1.3f);
}

void BehindBall(CameraView* out) {
    const bool high = HighHalf(Target());
    const CameraPoint t = ClampedTarget(64, 64, 64, 64);
    const PitchGeometryValues& p = PitchGeometry;
    const float goalY = high ? p.bottom : p.top;
    const float yaw = std::atan2(t.x - float(p.centreX), t.y - goalY);
    MatchCam_ViewFromTarget(out, t.x, t.y, 30.0f, 320.0f, yaw, kTilt120, 1.3f);
}

void StadiumUnsmoothed(CameraView* out) {
    const int32_t list = CameraMode >= 0 && CameraMode < kCameraListSlots ? CameraMode : 0;
    const float* c = D3DWorldGetCameraCoord(SelectedCamera[list], list);
    FixedEye(out, {c[0], c[1], c[2]}, ClampedTarget(0, 0, 0, 0), 250.0f);
}

}  // namespace

void CameraType_Compute(int16_t type, CameraView* out) {
    if (type >= 0 && type < 8) return Following(type, out);
    switch (type) {
        case 8:
            return SideTurning(out);
        case 9:
            return HighFixed(out);
        case 10:
            return LowSliding(out);
        case 11:
            return CloseSide(out);
        case 12:
            return TimedPan(out);
        case 13:
            return PenaltySpot(out);
        case 14:
            return GoalArea(out);
        case 15:
            return BehindBall(out);
        case 16:
            return StadiumUnsmoothed(out);
        default:
            return;
    }
}
