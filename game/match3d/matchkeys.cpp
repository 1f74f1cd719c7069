// The in-match keys and the four overlays they switch: the touch marker
// under the last player on the ball, the ball's path through the frames
// ahead, name labels over the players nearest the camera subject and the
// pitch radar.
#include "game/match3d/matchkeys.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "core/match/infobar.h"
#include "core/match/matchfigure.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/replay.h"
#include "core/match/simdisplay.h"
#include "game/match3d/matchcam.h"
#include "game/match3d/matchframe.h"
#include "game/match3d/overlayicons.h"
#include "game/match3d/panelobjects.h"
#include "game/match3d/panels.h"
#include "game/match3d/renderview.h"
#include "game/match3d/soundeffects.h"
#include "game/match3d/stadium.h"
#include "game/system/device3d.h"
#include "game/system/display2d.h"
#include "game/system/keyboard.h"
#include "game/system/matrices.h"
#include "game/system/mouse.h"
#include "game/system/renderstates.h"
#include "game/system/textures3d.h"
#include "game/system/tickclock.h"
#include "platform/d3d.h"

int16_t TouchMarkerSwitch;
int16_t BallPathSwitch;
int16_t NameLabelSwitch;
int16_t PitchRadarSwitch;
int16_t GrabEveryFrame;
MatchMouseState MatchMouse;

namespace {

constexpr int kMouseMaxX = 788, kMouseMaxY = 588;
constexpr int kLayoutWidth = 800, kLayoutHeight = 600;
constexpr float kHeightTop = 700.0f, kHeightBottom = 35.0f, kHeightStep = 5.0f;
constexpr float kZoomNear = 150.0f, kZoomFar = 1700.0f, kZoomStep = 5.0f;
constexpr int16_t kVolumeStep = 2, kVolumeTop = 100;
constexpr int kPlayers = 32;

// 0xFFF, XYZ with a diffuse colour.
constexpr uint32_t kWorldColoured = plat::kFvfXyz | plat::kFvfDiffuse;
struct ColouredVertex {
    float x, y, z;
    uint32_t colour;
};

bool ReplayViewing() { return GameInfo.I16(gameinfo::kCompetition) < 0; }

int16_t Toggled(int16_t value) { return int16_t(value == 0 ? 1 : 0); }

// The world overlays are drawn untextured, on top of the pitch.
void UntexturedStates() {
    D3DTexSetCurrentHandle(-1);
    D3DGame_SetLighting(0);
    D3DGame_SetBlending(1);
    D3DGame_SetCulling(1);
}

void DrawCurrentCameraHeightKeys() {
    const float* point = D3DWorldGetCameraCoord(MatchCam_GetSelected(), MatchCam_GetMode());
    const float height = point != nullptr ? point[2] : 0.0f;
    if (KeyIsDown(matchkey::kUp) && height + HeightOffset < kHeightTop) HeightOffset += kHeightStep;
    if (KeyIsDown(matchkey::kDown) && height + HeightOffset > kHeightBottom) HeightOffset -= kHeightStep;
}

void VolumeKey(int16_t step) {
    if (step < 0 && SfxVolume > 0) SfxVolume = int16_t(SfxVolume + step);
    if (step > 0 && SfxVolume < kVolumeTop) SfxVolume = int16_t(SfxVolume + step);
    VolumeKeyTime = GetTimerTicks();
    VolumeBarShown = 1;
}

}  // namespace

void MatchMouse_Get(int32_t* x, int32_t* y) {
    *x = MatchMouse.x;
    *y = MatchMouse.y;
}

void MatchMouse_Poll() {
    int16_t dx = 0, dy = 0;
    uint16_t buttons = 0;
    ReadMouseDriver(&dx, &dy, &buttons);
    MatchMouse.dx = dx;
    MatchMouse.dy = dy;
    int16_t pointerX = 0, pointerY = 0;
    const int width = int(GfxGetScreenWidth()), height = int(GfxGetScreenHeight());
    if (MousePointerPosition(&pointerX, &pointerY) && width > 0 && height > 0) {
        // In a window the system pointer moves freely and leaves the window
        // at its edges, where the clamp would hold the sum of the moves and
        // not the pointer: the two drift apart and the replay panel's
        // buttons answer away from where the user points.  So the pointer
        // stands where the system pointer is, as the menus' cursor does, on
        // the 800 x 600 layout the screen's panels are drawn to.
        MatchMouse.x = std::clamp(int(pointerX) * kLayoutWidth / width, 0, kMouseMaxX);
        MatchMouse.y = std::clamp(int(pointerY) * kLayoutHeight / height, 0, kMouseMaxY);
    } else {
        MatchMouse.x = std::clamp(MatchMouse.x + dx, 0, kMouseMaxX);
        MatchMouse.y = std::clamp(MatchMouse.y + dy, 0, kMouseMaxY);
    }
    MatchMouse.buttons = buttons;
    MatchMouse.leftHeld = (buttons & MOUSE_BUTTON_PRIMARY) ? 1 : 0;
    MatchMouse.heldFrames = buttons != 0 ? MatchMouse.heldFrames + 1 : 0;
}

void MatchInput_Poll() {
    for (int side = 0; side < 2; ++side) {
        SideInputDirection[side] = 255;
        SideInputButtons[side] = 0;
    }
    MatchCam_Keys();
    MatchKeys_Handle();
}

void MatchCam_Keys() {
    DrawCurrentCameraHeightKeys();
    if (KeyWasPressed(matchkey::kLeft)) MatchCam_Cycle(+1);
    if (KeyWasPressed(matchkey::kRight)) MatchCam_Cycle(-1);
    if (KeyIsDown(matchkey::kEquals) && ZoomDistance > kZoomNear) ZoomDistance -= kZoomStep;
    if (KeyIsDown(matchkey::kMinus) && ZoomDistance < kZoomFar) ZoomDistance += kZoomStep;
    if (KeyWasPressed(matchkey::kComma)) VolumeKey(int16_t(-kVolumeStep));
    if (KeyWasPressed(matchkey::kFullStop)) VolumeKey(kVolumeStep);
    if (KeyWasPressed(matchkey::kOne)) MatchCam_SetType(MatchCam_StepType(MatchCam_GetType(), -1));
    if (KeyWasPressed(matchkey::kTwo)) MatchCam_SetType(MatchCam_StepType(MatchCam_GetType(), +1));
}

void MatchKeys_Handle() {
    const bool playing = Replay_IsPlaying();
    if (KeyWasPressed(matchkey::kEsc) && !ReplayViewing()) InMatchRequest = 1;
    if (KeyWasPressed(matchkey::kF11)) InMatchRequest = 4;
    if (KeyWasPressed(matchkey::kF)) {
        int32_t setting = GameSpeedSetting + 1;
        if (setting == 2) setting = 3;
        GameSpeedSetting = setting % 4;
    }
    if (KeyWasPressed(matchkey::kA) && !playing) FastForward = uint8_t(FastForward == 0 ? 1 : 0);
    if (KeyWasPressed(matchkey::kU) && !playing) DrawMode = DrawMode == 1 ? 0 : 1;
    if (KeyWasPressed(matchkey::kH) && !playing) DrawMode = DrawMode == 2 ? 0 : 2;
    if (KeyWasPressed(matchkey::kF7)) {
        PitchRadarSwitch = Toggled(PitchRadarSwitch);
        InfoBar(kInfoRadarSwitch);
    }
    if (KeyWasPressed(matchkey::kF8)) {
        DetailSetting = int16_t((DetailSetting + 1) % 3);
        InfoBar(kInfoDetailSetting);
    }
    if (KeyWasPressed(matchkey::kF6)) NameLabelSwitch = int16_t((NameLabelSwitch + 1) % 2);
    // The same toggle as the replay panel's ball-path button, made once.
    if (KeyWasPressed(matchkey::kF5)) BallPathSwitch = Toggled(BallPathSwitch);
    if (KeyWasPressed(matchkey::kF2)) {
        if (!playing) {
            if (Replay.mode == 0) Replay_Start();
        } else {
            Replay_Stop();
        }
    }
    if (KeyWasPressed(matchkey::kF4)) TouchMarkerSwitch = Toggled(TouchMarkerSwitch);
    if (KeyWasPressed(matchkey::kScrollLock)) {
        ScreenGrab();
        if (KeyIsDown(matchkey::kCapsLock)) GrabEveryFrame = 1;
    } else if (GrabEveryFrame) {
        if (KeyIsDown(matchkey::kCapsLock)) {
            ScreenGrab();
        } else {
            GrabEveryFrame = 0;
        }
    }
}

void MatchKeys_ResetSwitches() {
    TouchMarkerSwitch = 0;
    BallPathSwitch = 0;
    NameLabelSwitch = 0;
    PitchRadarSwitch = 0;
    GrabEveryFrame = 0;
}

// ---- Overlays -------------------------------------------------------------------

void Overlay_TouchMarker() {
    const ReplayFrame* frame = Replay_FrameAt(0);
    if (frame == nullptr) return;
    const uint16_t toucher = frame->lastToucher;
    if (toucher >= kPlayers) return;
    const DisplayFigure& f = DisplayTable[toucher];
    constexpr float kHalf = 10.0f, kLift = 1.0f;
    constexpr uint32_t kYellow = 0x26FFFF00;
    const ColouredVertex square[4] = {{f.x - kHalf, f.y - kHalf, kLift, kYellow},
                                      {f.x + kHalf, f.y - kHalf, kLift, kYellow},
                                      {f.x + kHalf, f.y + kHalf, kLift, kYellow},
                                      {f.x - kHalf, f.y + kHalf, kLift, kYellow}};
    UntexturedStates();
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &MatrixIdentityTable);
    D3DDrawPrimitive(plat::kPtTriangleFan, kWorldColoured, square, 4);
}

void Overlay_BallPath() {
    constexpr int kPoints = 128;
    if (Replay_FrameAt(kPoints) == nullptr) return;
    std::array<ColouredVertex, kPoints> strip;
    for (int i = 0; i < kPoints; ++i) {
        const ReplayFrame* frame = Replay_FrameAt(i + 1);
        const uint32_t alpha = uint32_t(255 - i * 255 / kPoints);
        strip[size_t(i)] = {float(frame->ballX), float(frame->ballY), float(frame->ballHeight) + 1.0f,
                            alpha << 24 | 0x6600CC};
    }
    UntexturedStates();
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &MatrixIdentityTable);
    D3DDrawPrimitive(plat::kPtLineStrip, kWorldColoured, strip.data(), kPoints);
}

void Overlay_NameLabels() {
    const ReplayFrame* frame = Replay_FrameAt(0);
    const int subject = frame != nullptr ? frame->cameraSubject : CameraSubject;
    const int anchor = subject >= 0 && subject < kMatchFigureCount ? subject : 35;
    const DisplayFigure& centre = DisplayTable[anchor];
    std::array<int, kPlayers> order;
    std::array<float, kPlayers> distance;
    for (int f = 0; f < kPlayers; ++f) {
        order[size_t(f)] = f;
        const float dx = DisplayTable[f].x - centre.x, dy = DisplayTable[f].y - centre.y;
        distance[size_t(f)] = dx * dx + dy * dy;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&distance](int a, int b) { return distance[size_t(a)] > distance[size_t(b)]; });
    constexpr int kColours[4] = {1, 13, 12, 11};
    constexpr int kLabels = 4, kBarCap = 32, kBarHeight = 3;
    for (int label = 0; label < kLabels; ++label) {
        const int figure = order[size_t(kPlayers - kLabels + label)];
        const DisplayFigure& row = DisplayTable[figure];
        if (row.clip < 0) continue;
        float sx = 0.0f, sy = 0.0f;
        if (!Figure_ProjectToScreen(row.x, row.y, row.height + 36.0f, &sx, &sy)) continue;
        const MatchFigure& f = MatchFigures[figure];
        const uint16_t cautions = f.cautions, sentOff = f.sentOff;
        int colour = kColours[label];
        if (cautions == 1) colour = 7;
        if (cautions == 2 || sentOff != 0) colour = 2;
        const int bar = std::clamp(int(f.stamina), 0, kBarCap);
        char name[sizeof f.name + 1] = {};
        std::memcpy(name, f.name, sizeof f.name);
        Icon_SetOrigin(0, 0, 0x00);
        Icon_DrawBox(int(sx) - bar / 2, int(sy), bar, kBarHeight, 0x00, colour);
        Icon_PrintfScreen(kFont12, int(sx), int(sy) - 2, 0x23, colour, "%s", name);
    }
}

namespace {

// The radar stands in the overlay view at the right, tilted back, above the
// panels that come and go along the bottom (the team and information
// panels, the replay controls).  Its frame and dots are in pitch units
// about the centre spot, drawn at a scale of 0.052; so that it shows as a
// small map, it stands as many times deeper behind the panels' plane (9.2
// from the overlay's eye) as that scale is larger than the one at which it
// would show the same size in that plane.
constexpr float kRadarScale = 0.052f, kRadarTilt = -0.5f;
constexpr float kRadarPlaneScale = 0.00115f;
constexpr float kRadarDepthFactor = kRadarScale / kRadarPlaneScale;
constexpr float kPanelPlaneDistance = 9.2f;
constexpr float kRadarAtX = 3.3f * kRadarDepthFactor, kRadarAtY = -1.2f * kRadarDepthFactor;
constexpr float kRadarAtZ = kPanelPlaneDistance * (kRadarDepthFactor - 1.0f);
constexpr float kRadarPlayerHalf = 25.0f, kRadarBallHalf = 15.0f, kRadarRimWidth = 12.0f;

void RadarWorld(Matrix* world) {
    Matrix scale, tilt;
    MatrixIdentity(&scale);
    scale.m[0][0] = scale.m[1][1] = scale.m[2][2] = kRadarScale;
    MatrixIdentity(&tilt);
    tilt.m[1][1] = std::cos(kRadarTilt);
    tilt.m[1][2] = std::sin(kRadarTilt);
    tilt.m[2][1] = -std::sin(kRadarTilt);
    tilt.m[2][2] = std::cos(kRadarTilt);
    MatrixMultiply(world, &scale, &tilt);
    world->m[3][0] = kRadarAtX;
    world->m[3][1] = kRadarAtY;
    world->m[3][2] = kRadarAtZ;
}

void RadarSquare(float x, float y, float half, uint32_t colour) {
    constexpr float z = -2.0f;
    const ColouredVertex square[4] = {{x - half, y - half, z, colour},
                                      {x + half, y - half, z, colour},
                                      {x + half, y + half, z, colour},
                                      {x - half, y + half, z, colour}};
    D3DDrawPrimitive(plat::kPtTriangleFan, kWorldColoured, square, 4);
}

}  // namespace

bool Overlay_RadarScreenRect(ScreenRect* out) {
    Matrix world;
    RadarWorld(&world);
    return SimpleObj_ScreenRect(kPanelSlotRadar, world, out);
}

void Overlay_RadarDot(float x, float y, float half, float* dotX, float* dotY) {
    *dotX = x - float(PitchGeometry.centreX);
    *dotY = y - float(PitchGeometry.centreY);
    float minimum[3], maximum[3];
    if (SimpleObj_GetGroupBox(kPanelSlotRadar, 0, minimum, maximum) == 0) return;
    // A figure off the pitch (walking out, a linesman beyond the line) is
    // shown at the frame's edge, never outside it.
    *dotX = std::clamp(*dotX, minimum[0] + half, maximum[0] - half);
    *dotY = std::clamp(*dotY, minimum[1] + half, maximum[1] - half);
}

void Overlay_PitchRadar() {
    if (ReplayViewing() && Replay_IsPlaying()) return;
    if (!ObjectSlots[kPanelSlotRadar].inUse) return;
    SimpleObj_SetCamera();
    RadarWorld(&SimpleObjWorld);
    D3DGame_SetDepth(0);
    D3DGame_SetBlending(1);
    D3DGame_SetCulling(1);
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &SimpleObjWorld);
    SimpleObj_Render(kPanelSlotRadar, nullptr, 0);
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &SimpleObjWorld);
    D3DTexSetCurrentHandle(-1);
    for (int figure = 0; figure <= 35; ++figure) {
        if (figure >= kPlayers && figure != 35) continue;
        const DisplayFigure& row = DisplayTable[figure];
        if (figure < kPlayers && row.clip < 0) continue;
        const bool ball = figure == 35;
        const float half = ball ? kRadarBallHalf : kRadarPlayerHalf;
        float x = 0.0f, y = 0.0f;
        Overlay_RadarDot(row.x, row.y, ball ? half : half + kRadarRimWidth, &x, &y);
        if (ball) {
            RadarSquare(x, y, half, 0xFFFFFFFF);
            continue;
        }
        // A rim that stands out from the dot keeps every shirt colour
        // readable on the dark glass.
        const int side = figure / 16;
        RadarSquare(x, y, half + kRadarRimWidth, D3DGame_RadarRimColour(side));
        RadarSquare(x, y, half, D3DGame_RadarColour(side));
    }
}
