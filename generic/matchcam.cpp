#include "generic/matchcam.h"

#include "generic/replay.h"
#include "zud3d/replaypanel.h"

int16_t CameraType;
float FlyInHeight;

namespace {

int16_t g_mode;
int16_t g_selected;
// Cameras in the current type's list: the camera types are not built yet,
// so each list holds one camera and an automatic replay plays once.
constexpr int16_t kCamerasInList = 1;

}  // namespace

int16_t MatchCam_GetMode() { return g_mode; }
void MatchCam_SetMode(int16_t mode) { g_mode = mode; }

void MatchCam_Cycle(int16_t step) {
    g_selected = int16_t(((g_selected + step) % kCamerasInList + kCamerasInList) % kCamerasInList);
}

int16_t MatchCam_GetSelected() { return g_selected; }

void MatchCam_ConnectReplay() {
    ReplayCameraHooks hooks{};
    hooks.getMode = MatchCam_GetMode;
    hooks.setMode = MatchCam_SetMode;
    hooks.cycle = MatchCam_Cycle;
    hooks.getSelected = MatchCam_GetSelected;
    hooks.useStadiumCameras = [] { CameraType = kStadiumCameras; };
    hooks.endFlyIn = [] { FlyInHeight = 0.0f; };
    hooks.resetPanel = ReplayPanel_Reset;
    Replay_SetCameraHooks(hooks);
}
