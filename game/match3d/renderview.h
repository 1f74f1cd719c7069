// The 3D match view's shared ware: the render-state switches every drawing
// part uses, the default render states of a frame, and the view set from the
// camera with the projection of world points onto the screen.
#pragma once
#include <cstdint>

#include "game/system/matrices.h"

// Each switch takes on (non-zero) or off.
void D3DGame_SetCulling(int on);  // on: no culling; off: counter-clockwise
void D3DGame_SetFilterLevel(int level);
void D3DGame_SetPerspective(int on);
void D3DGame_SetLighting(int on);
void D3DGame_SetBlending(int on);  // source alpha over inverse source alpha
void D3DGame_SetDepth(int on);     // test and writes, less-or-equal
void D3DGame_SetDefaultStates();

// The view of one frame from a camera view (eye x, y, z, yaw, tilt, zoom):
// sets the view and projection transforms and keeps them for projecting.
void MatchCam_SetView(float eyeX, float eyeY, float eyeZ, float yaw, float tilt, float zoom);
// The screen position of a world point; false behind the camera or off the
// screen (the position is still written when in front of the camera).
bool Figure_ProjectToScreen(float x, float y, float z, float* screenX, float* screenY);
float Figure_DistanceToCamera(float x, float y, float z);
// The view set last.
struct ViewState {
    float eye[3];
    float yaw, tilt, zoom;
    Matrix view;
    Matrix projection;
    Matrix combined;
};
const ViewState& D3DGame_GetView();

constexpr float kViewNearPlane = 10.0f;
constexpr float kViewFarPlane = 20000.0f;

// ---- World objects: balls, goals and nets, skid marks ------------------------

struct D3DObj;

// Part flags of a world object's surfaces (from their material flags).
constexpr uint32_t kWorldPartNet = 2;
constexpr uint32_t kWorldPartBlended = 4;
constexpr uint32_t kWorldPartUnshaded = 8;
constexpr uint32_t kWorldPartTwoSided = 16;

// The rest positions of one goal object's net vertices, surface by surface.
struct NetRest {
    uint32_t surface;
    uint32_t count;
    float* positions;  // x, y, z per vertex
};

struct WorldObjectSet {
    D3DObj* ball;
    D3DObj* ballShadow;
    D3DObj* goals[2];
    NetRest* nets[2];
    uint32_t netCount[2];
    D3DObj* skidMark;
};
extern WorldObjectSet WorldObjects;

// Loads the balls, the goals, the stadium and the skid mark, in that order.
void World_LoadObjects();
void World_FreeObjects();
// One tick of the display: the goal nets' bulge.
void D3DGame_Tick();
void Ball_Draw();
void Ball_DrawShadow();
void Goals_Draw();
void SkidMark_Draw(int32_t x, int32_t y, float direction);
