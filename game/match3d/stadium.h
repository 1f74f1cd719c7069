// The stadium around the pitch: one of seven fixed part lists chosen per
// match, its models drawn in four sections of the frame, the lens flares of
// its lights, the camera positions it carries and the flat shadows cast by
// the sun or its floodlights.
#pragma once
#include <cstdint>

#include "game/system/matrices.h"
#include "game/system/models3d.h"

// Row kinds: 1-4 draw sections, 5 floodlight points, 6 flare and mark
// points, 7-9 camera lists 0-2.
constexpr uint32_t kStadKindFloodlights = 5;
constexpr uint32_t kStadKindFlares = 6;
constexpr uint32_t kStadKindCameras = 7;
// Row flags.
constexpr uint32_t kStadDepthTest = 0x1;
constexpr uint32_t kStadDepthWrite = 0x2;

struct StadiumPart {
    uint32_t kind;  // 0 ends a list
    const char* model;
    const char* textureDirectory;  // under "stadium\textures"
    uint32_t flags;
};

enum StadiumList : int {
    kStadiumLargeDay,
    kStadiumLargeNight,
    kStadiumMediumDay,
    kStadiumMediumNight,
    kStadiumSmallDay,
    kStadiumSmallNight,
    kStadiumPractice,
    kStadiumLists,
};
extern const StadiumPart* const StadiumLists[kStadiumLists];

constexpr int kCameraLists = 3;
constexpr uint32_t kMarkNumber = 0x10000;

// The list the match record asks for.
int Stadium_ChooseList();
void LoadAllStadParts();
void Stadium_Free();
// direction (three floats, pointing from the light) by day; null at night
// puts the floodlights on.
void Stadium_SetLight(const float* direction);
void D3DWorldDisplayStadSection(int section);
const float* D3DWorldGetCameraCoord(int index, int list);
int Stadium_GetCameraCount(int list);
// Floodlight n's position, or null.
const float* Stadium_GetFloodlight(int n);
// A flat shadow of the object as the world matrix places it.
void Shadow_Draw(const D3DObj* object, const Matrix& world);

// State for tests and the display.
int Stadium_GetCurrentList();  // -1 when none is loaded
int Stadium_GetFloodlightCount();
struct FlarePoint {
    float x, y, z;
    uint32_t value;  // flare number, or mark number + kMarkNumber
};
int Stadium_GetFlarePointCount();
const FlarePoint* Stadium_GetFlarePoint(int n);
// The flares section 4 drew last frame.
int Stadium_GetFlaresDrawn();
bool Stadium_FloodlightsOn();
