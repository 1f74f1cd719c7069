// Extra textures and simple objects of the overlay panels: a
// reference-counted list of textures that are neither stadium nor kit (team
// flags, the panels' own), and ten slots of small models whose parts
// (vertex groups) can be moved and whose materials can switch to an
// alternative ("alt1") texture when drawn.
#pragma once
#include <cstdint>

#include "game/system/matrices.h"
#include "game/system/models3d.h"

constexpr int kNewTexListSize = 128;
constexpr int kNewTexNameSize = 256;
struct NewTexEntry {
    char fileName[kNewTexNameSize];
    uint32_t refCount;  // 0: the entry is empty
    uint32_t handle;
};
extern NewTexEntry NewTexList[kNewTexListSize];

constexpr int kObjectSlots = 10;
constexpr int kCustomTextures = 128;
constexpr uint32_t kMaxObjectGroups = 1000;
constexpr uint32_t kNoAlternative = 0xFFFFFFFF;

struct CustomTexture {
    uint32_t handle;
    uint32_t switchNumber;
};

// What the object callback works with; its first field is the texture
// directory, as the support library's callbacks expect.
struct ObjTextureBlock {
    char directory[64];
    uint32_t customCount;
    CustomTexture custom[kCustomTextures];
    uint32_t switchCount;
    const uint16_t* switches;
};

struct ObjVertex {
    float x, y, z;
    uint16_t group;
    uint16_t unused;
};
static_assert(sizeof(ObjVertex) == 16);

struct GroupBox {
    float minimum[3];
    float maximum[3];
};
static_assert(sizeof(GroupBox) == 24);

struct ObjectSlot {
    uint8_t inUse;
    ObjTextureBlock textures;
    D3DObj* object;
    ObjVertex* vertices;
    uint32_t vertexCount;
    uint32_t groupCount;
    GroupBox* boxes;
};
extern ObjectSlot ObjectSlots[kObjectSlots];

// The world transform the simple objects are drawn with; the panels set it
// before each draw.
extern Matrix SimpleObjWorld;

// A texture by file name (the name is the path), shared by every caller
// asking for the same name in any case.
uint32_t NewTex_CreateTexture(const char* fileName);
// Drops one reference; the last releases the texture.
void NewTex_DestroyTexture(uint32_t handle);

// Loads "zudata\d3d\simple\model\<name>.xyz", scaled, into a free slot.
void LoadObject(int slot, const char* name, float scale, uint32_t flags);
// Draws a slot's object with its groups moved by offsets (three floats per
// group, for groupCount groups: whole numbers could not move the replay
// buttons by their hundredths of a unit); the switched form also chooses the
// alternative texture of every material whose switch is on.
void SimpleObj_Render(int slot, const float* offsets, uint32_t groupCount);
void SimpleObj_RenderSwitched(int slot, const float* offsets, uint32_t groupCount, uint32_t switchCount,
                              const uint16_t* switches);
// 1 and the group's box when the slot is used and has the group, else 0.
int SimpleObj_GetGroupBox(int slot, uint32_t group, float* minimum, float* maximum);
// 1 when the point lies in the group's box, faces included.
int SimpleObj_PointInGroup(int slot, uint32_t group, float x, float y, float z);
// The overlay view: depth cleared, the panels' projection and view.
void SimpleObj_SetCamera();
// The overlay view's projection and view matrices.
void SimpleObj_OverlayCamera(Matrix* projection, Matrix* view);
// A rectangle of the screen in pixels, top-left origin.
struct ScreenRect {
    float left, top, right, bottom;
};
// The screen rectangle that a loaded slot's model covers in the overlay
// view under the world transform; false for an empty slot.
bool SimpleObj_ScreenRect(int slot, const Matrix& world, ScreenRect* out);
void SimpleObj_FreeAll();

// The object texture callback of the slots.
int D3Dobj_ObjCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output);
