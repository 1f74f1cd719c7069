// The match camera: once per shown frame it decides where the eye of the 3D
// view stands and where it looks.  Three ways of placing it live side by
// side: the pre-match fly-in of a presentation match, the stadium's own
// camera positions (gliding to the selected one and turning to follow play)
// and seventeen computed camera types that place the eye relative to play.
// Positions are pitch units (x across, y along, z up); angles are radians.
#pragma once
#include <cstdint>

// One view: the eye, the yaw (the eye stands in direction (sin yaw, cos yaw)
// from the point it looks at), the tilt (-pi/2 looks level, smaller looks
// down) and the zoom (1 the normal view).
struct CameraView {
    float eyeX, eyeY, eyeZ;
    float yaw, tilt, zoom;
};

struct CameraPoint {
    float x, y, z;
};

constexpr int16_t kStadiumCameras = 16;
constexpr int16_t kCameraTypeCount = 17;
constexpr int kCameraListSlots = 32;
constexpr float kDefaultZoomDistance = 700.0f;
constexpr float kFlyInStartHeight = 400.0f;

// The camera state, kept for the whole run.
extern int32_t CameraMode;  // camera list in use: 0 play, 1 low-y goal, 2 high-y goal
extern int32_t SelectedCamera[kCameraListSlots];
extern int16_t CameraType;  // 0..16, 16 the stadium cameras
extern int16_t LastType;    // effective type of the last MatchCam_Update
extern CameraView WantedView;
extern CameraView CurrentView;
extern float HeightOffset;  // added to the height of list 0's positions
extern float ZoomDistance;  // eye distance of types 0-7, divisor of the stadium zoom
extern CameraPoint GlidePos;
extern CameraPoint SmoothLook;
extern float FlyInHeight;  // the fly-in runs while above 0
extern float FlyInYaw;
// The view handed to the 3D view last (also kept for tests and overlays).
extern CameraView ShownView;

void MatchCam_Init();
// Computes the frame's view and hands it to the 3D view.
void MatchCam_Compute();
void MatchCam_StartFlyIn();
void MatchCam_SetMode(int32_t mode);
int32_t MatchCam_GetMode();
int32_t MatchCam_GetSelected();
// Switches to the stadium cameras and steps the current list's position.
void MatchCam_Cycle(int32_t direction);
void MatchCam_SetType(int16_t type);
int16_t MatchCam_GetType();
// The type one key step away from type (0..7 with wrap-around; from any
// type outside 0..7 a step gives 0).
int16_t MatchCam_StepType(int16_t type, int direction);
void MatchCam_SetViewSetting(uint16_t setting);
// Fills out for a type after the view-setting override: 1 when the
// effective type differs from the last one (a cut), else 0.
int MatchCam_Update(CameraView* out, int16_t type);
void MatchCam_GetTargetPoint(CameraPoint* out);
void MatchCam_ViewFromTarget(CameraView* out, float x, float y, float z, float distance, float yaw,
                             float tilt, float zoom);
void MatchCam_SetViewRecord(CameraView* out, float eyeX, float eyeY, float eyeZ, float yaw, float tilt,
                            float zoom);
// Yaw and tilt of the view from an eye towards a point.
void MatchCam_AimAt(CameraView* out, const CameraPoint& eye, const CameraPoint& look, float zoom);

// One camera type, unsmoothed: fills out from the state of the match.  A
// type outside 0..16 leaves out unchanged.
void CameraType_Compute(int16_t type, CameraView* out);

// Installs the camera and panel calls of the replay ring.
void MatchCam_ConnectReplay();
// Installs the engine's camera calls: the fly-in at the start of a whole
// match and the view setting's reset when a shown period starts.
void MatchCam_ConnectEngine();
