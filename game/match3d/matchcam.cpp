#include "game/match3d/matchcam.h"

#include <cmath>

#include "core/base/angles.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/replay.h"
#include "game/match3d/matchkeys.h"
#include "game/match3d/renderview.h"
#include "game/match3d/replaypanel.h"
#include "game/match3d/stadium.h"

int32_t CameraMode;
int32_t SelectedCamera[kCameraListSlots];
int16_t CameraType;
int16_t LastType;
CameraView WantedView;
CameraView CurrentView;
float HeightOffset;
float ZoomDistance = kDefaultZoomDistance;
CameraPoint GlidePos;
CameraPoint SmoothLook;
float FlyInHeight;
float FlyInYaw;
CameraView ShownView;

namespace {

constexpr float kFlyInTurn = 0.0125663706143708f;  // a full turn over 500 frames
constexpr float kFlyInTiltStep = 0.00157079632679635f;
constexpr float kFlyInSink = 0.6f;
constexpr float kFlyInSettleSink = 0.5f;
constexpr float kFlyInSettleHeight = 100.0f;
constexpr float kFollowRate = 0.08f;
constexpr float kLookRate = 0.05f;
constexpr float kGlideRate = 0.125f;
constexpr float kYawWrapBound = 3.173008580128627f;  // 1.01 pi
constexpr float kBallLeadTicks = 10.0f;

// A value clamped to [low, high]; a value that is not a number gives low.
float CamClamp(float value, float low, float high) {
    if (!(value > low)) return low;
    return value < high ? value : high;
}

// A mode outside the 32 lists reads list 0 rather than past the table.
int32_t CurrentList() { return CameraMode >= 0 && CameraMode < kCameraListSlots ? CameraMode : 0; }

const float* SelectedPosition() {
    const int32_t list = CurrentList();
    return D3DWorldGetCameraCoord(SelectedCamera[list], list);
}

bool FlyInWanted() {
    return GameInfo.I16(gameinfo::kVenueFlag) != 0 &&
           GameInfo.TeamI16(0, gameinfo::kTeamClub) != GameInfo.TeamI16(1, gameinfo::kTeamClub);
}

void Show(float eyeX, float eyeY, float eyeZ, float yaw, float tilt, float zoom) {
    ShownView = {eyeX, eyeY, eyeZ, yaw, tilt, zoom};
    MatchCam_SetView(eyeX, eyeY, eyeZ, yaw, tilt, zoom);
}

float Distance(const CameraPoint& a, const CameraPoint& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

// The fly-in's two stages; false once it is over or not wanted.
bool FlyInFrame() {
    if (!FlyInWanted() || FlyInHeight <= 0.0f) return false;
    const float centreX = PitchGeometry.centreX, centreY = PitchGeometry.centreY;
    if (FlyInHeight > kFlyInSettleHeight) {
        const float* c = SelectedPosition();
        FlyInHeight -= kFlyInSink;
        const float horizontal = std::hypot(centreX - c[0], centreY - c[1]);
        WantedView = {centreX,
                      centreY,
                      FlyInHeight,
                      std::atan2(centreX - c[0], centreY - c[1]),
                      std::atan2(c[2] / 2.0f - FlyInHeight, horizontal) - kPiF / 2.0f,
                      1.0f};
        FlyInYaw += kFlyInTurn;
        Show(WantedView.eyeX, WantedView.eyeY, WantedView.eyeZ, FlyInYaw, WantedView.tilt, WantedView.zoom);
        return true;
    }
    WantedView.zoom += 0.002f;
    WantedView.tilt -= kFlyInTiltStep;
    Show(WantedView.eyeX, WantedView.eyeY, WantedView.eyeZ, FlyInYaw, WantedView.tilt, WantedView.zoom);
    FlyInHeight -= kFlyInSettleSink;
    return true;
}

void StadiumCameraFrame() {
    CameraPoint target;
    MatchCam_GetTargetPoint(&target);
    const float* c = SelectedPosition();
    const PitchGeometryValues& pitch = PitchGeometry;
    target.x = CamClamp(target.x, pitch.left, pitch.right);
    target.y = CamClamp(target.y, pitch.top, pitch.bottom);
    const bool lowered = CameraMode == 0 && HeightOffset < 0.0f;
    target.z = lowered ? CamClamp(target.z - HeightOffset * 0.125f, 0.01f, 300.0f)
                       : CamClamp(target.z, 10.0f, 50.0f);

    const CameraPoint base{c[0], c[1], c[2] + (CameraMode == 0 ? HeightOffset : 0.0f)};
    const float d = Distance(GlidePos, base);
    if (d > 1.0f) {
        const float a = std::atan2(base.x - GlidePos.x, base.y - GlidePos.y);
        GlidePos.x += std::sin(a) * d * kGlideRate;
        GlidePos.y += std::cos(a) * d * kGlideRate;
        GlidePos.z = base.z;
    }
    CurrentView.eyeX = GlidePos.x;
    CurrentView.eyeY = GlidePos.y;
    CurrentView.eyeZ = GlidePos.z;
    SmoothLook.x += (target.x - SmoothLook.x) * kLookRate;
    SmoothLook.y += (target.y - SmoothLook.y) * kLookRate;
    SmoothLook.z += (target.z - SmoothLook.z) * kLookRate;
    const float zoom = CamClamp(Distance(GlidePos, SmoothLook) / ZoomDistance, 1.0f, 8.0f);
    MatchCam_AimAt(&WantedView, GlidePos, SmoothLook, zoom);
    Show(CurrentView.eyeX, CurrentView.eyeY, CurrentView.eyeZ, WantedView.yaw, WantedView.tilt,
         WantedView.zoom);
}

void FollowingCameraFrame() {
    if (MatchCam_Update(&WantedView, CameraType) != 0) {
        CurrentView = WantedView;
    } else {
        float yawStep = WantedView.yaw - CurrentView.yaw;
        // A yaw that is not a number would never wrap in, and never leave
        // the view: it is not smoothed.
        if (!std::isfinite(yawStep)) yawStep = 0.0f;
        while (yawStep > kYawWrapBound) yawStep -= 2.0f * kPiF;
        while (yawStep < -kYawWrapBound) yawStep += 2.0f * kPiF;
        CurrentView.eyeX += (WantedView.eyeX - CurrentView.eyeX) * kFollowRate;
        CurrentView.eyeY += (WantedView.eyeY - CurrentView.eyeY) * kFollowRate;
        CurrentView.eyeZ += (WantedView.eyeZ - CurrentView.eyeZ) * kFollowRate;
        CurrentView.yaw += yawStep * kFollowRate;
        CurrentView.tilt += (WantedView.tilt - CurrentView.tilt) * kFollowRate;
        CurrentView.zoom += (WantedView.zoom - CurrentView.zoom) * kFollowRate;
    }
    Show(CurrentView.eyeX, CurrentView.eyeY, CurrentView.eyeZ, CurrentView.yaw, CurrentView.tilt,
         CurrentView.zoom);
}

}  // namespace

void MatchCam_GetTargetPoint(CameraPoint* out) {
    int figure = CameraSubject;
    // A subject outside the figure table follows the ball.
    if (figure < 0 || figure >= kMatchFigureCount) figure = kBallFigure;
    if (figure == kBallFigure) {
        // Holder words are figure + 1; one outside the table is ignored.
        const int holder = BallState.holder, second = BallState.controller;
        if (holder > 0 && holder <= kMatchFigureCount) figure = holder - 1;
        if (second > 0 && second <= kMatchFigureCount) figure = second - 1;
    }
    if (CameraMode == 1 || CameraMode == 2) figure = kBallFigure;
    const DisplayFigure& row = DisplayTable[figure];
    out->x = row.x;
    out->y = row.y;
    out->z = row.height;
    if (figure == kSpareFigure) out->x = PitchGeometry.centreX;
    if (figure == kBallFigure) {
        out->x += kBallLeadTicks * float(BallState.vx) / 65536.0f;
        out->y += kBallLeadTicks * float(BallState.vy) / 65536.0f;
    }
}

void MatchCam_ViewFromTarget(CameraView* out, float x, float y, float z, float distance, float yaw,
                             float tilt, float zoom) {
    const double d = distance, sinTilt = std::sin(double(tilt));
    out->eyeX = float(x - d * sinTilt * std::sin(double(yaw)));
    out->eyeY = float(y - d * sinTilt * std::cos(double(yaw)));
    out->eyeZ = float(z - d * std::cos(double(tilt)));
    out->yaw = yaw;
    out->tilt = tilt;
    out->zoom = zoom;
}

void MatchCam_SetViewRecord(CameraView* out, float eyeX, float eyeY, float eyeZ, float yaw, float tilt,
                            float zoom) {
    *out = {eyeX, eyeY, eyeZ, yaw, tilt, zoom};
}

void MatchCam_AimAt(CameraView* out, const CameraPoint& eye, const CameraPoint& look, float zoom) {
    const float horizontal = std::hypot(look.x - eye.x, look.y - eye.y);
    MatchCam_SetViewRecord(out, eye.x, eye.y, eye.z, std::atan2(eye.x - look.x, eye.y - look.y),
                           std::atan2(look.z - eye.z, horizontal) - kPiF / 2.0f, zoom);
}

int MatchCam_Update(CameraView* out, int16_t type) {
    int16_t effective = type;
    switch (ViewSetting) {
        case 1:
            effective = 11;
            break;
        case 2:
            effective = 12;
            break;
        case 4:
            effective = 13;
            break;
        case 5:
            effective = 14;
            break;
        case 6:
            effective = 15;
            break;
        default:
            break;
    }
    int changed = 0;
    if (effective != LastType) {
        changed = 1;
        LastType = effective;
    }
    CameraType_Compute(effective, out);
    return changed;
}

void MatchCam_Compute() {
    if (FlyInFrame()) return;
    if (CameraType == kStadiumCameras) {
        StadiumCameraFrame();
    } else {
        FollowingCameraFrame();
    }
}

void MatchCam_Init() {
    CameraMode = 0;
    SelectedCamera[0] = 0;
    SmoothLook = {float(PitchGeometry.centreX), float(PitchGeometry.centreY), 10.0f};
    ++NameLabelSwitch;
    MatchCam_Update(&WantedView, CameraType);
    CurrentView = WantedView;
}

void MatchCam_StartFlyIn() {
    FlyInHeight = kFlyInStartHeight;
    FlyInYaw = kPiF / 2.0f;
}

void MatchCam_SetMode(int32_t mode) { CameraMode = mode; }
int32_t MatchCam_GetMode() { return CameraMode; }
int32_t MatchCam_GetSelected() { return SelectedCamera[CurrentList()]; }

void MatchCam_Cycle(int32_t direction) {
    CameraType = kStadiumCameras;
    const int32_t list = CurrentList();
    const int32_t count = Stadium_GetCameraCount(list);
    int32_t selected = SelectedCamera[list] + (direction > 0 ? 1 : 0) - (direction < 0 ? 1 : 0);
    if (selected > count - 1) selected = 0;
    if (selected < 0) selected = count > 0 ? count - 1 : 0;
    SelectedCamera[list] = selected;
}

void MatchCam_SetType(int16_t type) { CameraType = type; }
int16_t MatchCam_GetType() { return CameraType; }

int16_t MatchCam_StepType(int16_t type, int direction) {
    if (type < 0 || type > 7) return 0;
    return int16_t((type + (direction < 0 ? 7 : 1)) % 8);
}

void MatchCam_SetViewSetting(uint16_t setting) { ViewSetting = setting; }

void MatchCam_ConnectReplay() {
    ReplayCameraHooks hooks{};
    hooks.getMode = [] { return int16_t(MatchCam_GetMode()); };
    hooks.setMode = [](int16_t mode) { MatchCam_SetMode(mode); };
    hooks.cycle = [](int16_t step) { MatchCam_Cycle(step); };
    hooks.getSelected = [] { return int16_t(MatchCam_GetSelected()); };
    hooks.useStadiumCameras = [] { MatchCam_SetType(kStadiumCameras); };
    hooks.endFlyIn = [] { FlyInHeight = 0.0f; };
    hooks.resetPanel = ReplayPanel_Reset;
    hooks.toggleBallPath = [] { BallPathSwitch = int16_t(BallPathSwitch == 0 ? 1 : 0); };
    Replay_SetCameraHooks(hooks);
}

void MatchCam_ConnectEngine() {
    MatchHooks.camResetDefaults = MatchCam_StartFlyIn;
    MatchHooks.viewReset = [] { MatchCam_SetViewSetting(0); };
}
