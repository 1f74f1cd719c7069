#include "game/match3d/panelobjects.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/match3d/matchtextures.h"
#include "game/match3d/worldconvention.h"
#include "game/system/device3d.h"
#include "game/system/display2d.h"
#include "game/system/modeldata.h"
#include "game/system/picture.h"
#include "game/system/textures3d.h"

NewTexEntry NewTexList[kNewTexListSize];
ObjectSlot ObjectSlots[kObjectSlots];
Matrix SimpleObjWorld = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};

namespace {

constexpr const char* kModule = "zud3d\\d3dobj.c";
// The source line the stop for too many alternative textures names.
constexpr int kCustomFullLine = 696;
constexpr const char* kSimpleTextures = "zudata\\d3d\\simple\\textures";
constexpr uint32_t kVertexStride = sizeof(ObjVertex);
constexpr float kEmptyBoxMinimum = 1000000.0f;
constexpr float kEmptyBoxMaximum = -1000000.0f;

bool SameNameNoCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c; };
        if (lower(*a) != lower(*b)) return false;
    }
    return *a == *b;
}

ObjectSlot& CheckedSlot(int slot, const char* function) {
    if (slot < 0 || slot >= kObjectSlots) FatalError("ERROR:%s slot%d out of range", function, slot);
    return ObjectSlots[slot];
}

// The texture path of a material name, "#lang#" made "ENG".
void TexturePath(const char* directory, const char* name, char* path, size_t size) {
    std::snprintf(path, size, "%s", MakeFileName(directory, name, "tga"));
    StrReplaceFirst(path, "#lang#", "ENG");
}

uint32_t CreateWithAlternative(ObjTextureBlock* block, const D3DObjCallbackRecord* record,
                               D3DObjCallbackOutput* output) {
    char name[XYZ_SURFACE_NAME_SIZE + 1] = {};
    std::memcpy(name, record->surface1 + XYZ_SURFACE_NAME, XYZ_SURFACE_NAME_SIZE);
    char path[kNewTexNameSize];
    TexturePath(block->directory, name, path, sizeof path);
    output->texture = NewTex_CreateTexture(path);
    output->value = kNoAlternative;

    char alternative[XYZ_SURFACE_NAME_SIZE + 8];
    std::snprintf(alternative, sizeof alternative, "%s/%s", name, "alt1");
    TexturePath(block->directory, alternative, path, sizeof path);
    if (PakCheckFile(path) == 0) return 1;
    if (block->customCount >= uint32_t(kCustomTextures)) {
        AbortError(kModule, kCustomFullLine,
                   "D3Dobj_ObjCallback(): too many extra textures in object: increase NUM_CUSTOM_TEX");
    }
    char number[worldconv::kMaterialNumberSize + 1] = {};
    std::memcpy(number, record->block1 + worldconv::kMaterialNumberAt, worldconv::kMaterialNumberSize);
    CustomTexture& custom = block->custom[block->customCount];
    custom.handle = NewTex_CreateTexture(path);
    custom.switchNumber = uint32_t(std::atoi(number));
    output->value = block->customCount++;
    return 1;
}

// Every vertex of the object at its stored position moved by its group's
// offset.
void MoveGroups(const ObjectSlot& slot, const float* offsets, uint32_t groupCount) {
    const uint32_t moved = std::min(groupCount, slot.groupCount);
    for (uint32_t s = 0; s < slot.object->surface_count; ++s) {
        D3DObjSurface& surface = slot.object->surfaces[s];
        if (surface.points == nullptr) continue;
        const uint32_t stride =
            (surface.kind & D3DOBJ_TEXTURED) ? sizeof(D3DObjTexVertex) : sizeof(D3DObjColVertex);
        for (uint32_t v = 0; v < surface.vertex_count; ++v) {
            const uint16_t point = surface.points[v];
            if (point >= slot.vertexCount) continue;
            const ObjVertex& stored = slot.vertices[point];
            float offset[3] = {0.0f, 0.0f, 0.0f};
            if (offsets != nullptr && stored.group < moved) {
                for (int axis = 0; axis < 3; ++axis) offset[axis] = offsets[stored.group * 3 + axis];
            }
            float* position = reinterpret_cast<float*>(static_cast<uint8_t*>(surface.vertices) + v * stride);
            position[0] = stored.x + offset[0];
            position[1] = stored.y + offset[1];
            position[2] = stored.z + offset[2];
        }
    }
}

void GrowBoxes(ObjectSlot& slot, uint32_t group) {
    if (group < slot.groupCount) return;
    const uint32_t count = group + 1;
    if (slot.boxes == nullptr) {
        AllocateMemory(&slot.boxes, count * uint32_t(sizeof(GroupBox)), MEM_TYPE_MANUAL_NO_MOVE);
    } else {
        ResizeMemory(&slot.boxes, count * uint32_t(sizeof(GroupBox)));
    }
    for (uint32_t g = slot.groupCount; g < count; ++g) {
        GroupBox& box = slot.boxes[g];
        std::fill(std::begin(box.minimum), std::end(box.minimum), kEmptyBoxMinimum);
        std::fill(std::begin(box.maximum), std::end(box.maximum), kEmptyBoxMaximum);
    }
    slot.groupCount = count;
}

}  // namespace

uint32_t NewTex_CreateTexture(const char* fileName) {
    if (std::strlen(fileName) > size_t(kNewTexNameSize - 1)) {
        AbortError(kModule, __LINE__, "NewTex_CreateTexture(): Filename too long");
    }
    int empty = -1;
    for (int i = 0; i < kNewTexListSize; ++i) {
        NewTexEntry& entry = NewTexList[i];
        if (entry.refCount == 0) {
            if (empty < 0) empty = i;
            continue;
        }
        if (SameNameNoCase(entry.fileName, fileName)) {
            ++entry.refCount;
            return entry.handle;
        }
    }
    if (empty < 0) {
        AbortError(kModule, __LINE__,
                   "NewTex_CreateTexture(): No free texture slots found - increase MAX_NEWTEXLIST");
    }
    uint8_t* block = nullptr;
    uint32_t size = PakLoadWholeFile(fileName, &block, MEM_TYPE_MANUAL_NO_MOVE);
    if (LoadImageFile(&block, &size, 0, &ColFmt_A8R8G8B8) < 0)
        FatalError("Error converting '%s'\n", fileName);
    const uint32_t width = recbits::LoadU16(block + GFX0_WIDTH),
                   height = recbits::LoadU16(block + GFX0_HEIGHT);
    const uint64_t expected = GFX0_HEADER_SIZE + uint64_t(width) * height * 4;
    if (size != expected) {
        FatalError(
            "Error: NewTex_CreateTexture(): texture file is the wrong format. Size was %ld but should be "
            "%ld\n",
            long(size), long(expected));
    }
    NewTexEntry& entry = NewTexList[empty];
    entry.handle =
        uint32_t(D3DTexAdvancedCreateTexture(width, height, &block, GFX0_HEADER_SIZE, D3DTEXCREATE_ARGB8888));
    entry.refCount = 1;
    std::snprintf(entry.fileName, sizeof entry.fileName, "%s", fileName);
    return entry.handle;
}

void NewTex_DestroyTexture(uint32_t handle) {
    for (NewTexEntry& entry : NewTexList) {
        if (entry.refCount == 0 || entry.handle != handle) continue;
        if (--entry.refCount == 0) {
            D3DTexDestroyTexture(int(entry.handle));
            entry = NewTexEntry{};
        }
        return;
    }
    std::printf("Warning: NewTex_DestroyTexture(): can't find texture with handle %d\n", int(handle));
}

int D3Dobj_ObjCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    auto* block = static_cast<ObjTextureBlock*>(record->user_data);
    switch (record->event) {
        case D3DOBJ_EVENT_TEXTURECREATE:
            return int(CreateWithAlternative(block, record, output));
        case D3DOBJ_EVENT_TEXTUREDESTROY:
            NewTex_DestroyTexture(record->texture);
            if (record->value != kNoAlternative && record->value < block->customCount) {
                NewTex_DestroyTexture(block->custom[record->value].handle);
            }
            return 1;
        case D3DOBJ_EVENT_TEXTUREDRAW: {
            uint32_t texture = record->texture;
            if (record->value != kNoAlternative && record->value < block->customCount) {
                const CustomTexture& custom = block->custom[record->value];
                if (custom.switchNumber < block->switchCount && block->switches[custom.switchNumber] != 0) {
                    texture = custom.handle;
                }
            }
            D3DTexSetCurrentHandle(int(texture));
            return 1;
        }
        default:
            return 0;
    }
}

void LoadObject(int slot, const char* name, float scale, uint32_t flags) {
    ObjectSlot& s = CheckedSlot(slot, "LoadObject");
    if (s.inUse) FatalError("ERROR:LoadObject slot%d in use", slot);
    s = ObjectSlot{};
    s.inUse = 1;
    std::snprintf(s.textures.directory, sizeof s.textures.directory, "%s", kSimpleTextures);

    char path[160];
    std::snprintf(path, sizeof path, "zudata\\d3d\\simple\\model\\%s.xyz", name);
    uint8_t* data = nullptr;
    PakLoadWholeFile(path, &data, MEM_TYPE_MANUAL_NO_MOVE);
    XyzView view{};
    XyzOpen(&view, data, "LoadObject");
    if (view.points.stride < kVertexStride) {
        FatalError("ERROR:InitWorld(), 3Dreplay,Header%d Loaded%d", int(view.points.stride),
                   int(kVertexStride));
    }
    XyzScale(data, scale, scale, scale);
    D3DObj_CreateObjectFromXYZData(&s.object, data, D3Dobj_ObjCallback, &s.textures,
                                   flags | D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);

    s.vertexCount = view.points.count;
    if (s.vertexCount > 0) {
        AllocateMemory(&s.vertices, s.vertexCount * kVertexStride, MEM_TYPE_MANUAL_NO_MOVE);
    }
    for (uint32_t i = 0; i < s.vertexCount; ++i) {
        std::memcpy(&s.vertices[i], XyzPointAt(view, i), kVertexStride);
        const ObjVertex v = s.vertices[i];
        if (v.group >= kMaxObjectGroups) continue;
        GrowBoxes(s, v.group);
        GroupBox& box = s.boxes[v.group];
        const float position[3] = {v.x, v.y, v.z};
        for (int axis = 0; axis < 3; ++axis) {
            box.minimum[axis] = std::min(box.minimum[axis], position[axis]);
            box.maximum[axis] = std::max(box.maximum[axis], position[axis]);
        }
    }
    FreeMemory(&data);
}

void SimpleObj_Render(int slot, const float* offsets, uint32_t groupCount) {
    SimpleObj_RenderSwitched(slot, offsets, groupCount, 0, nullptr);
}

void SimpleObj_RenderSwitched(int slot, const float* offsets, uint32_t groupCount, uint32_t switchCount,
                              const uint16_t* switches) {
    ObjectSlot& s = CheckedSlot(slot, "SimpleObj_Render");
    if (!s.inUse) return;
    MoveGroups(s, offsets, groupCount);
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &SimpleObjWorld);
    s.textures.switchCount = switches != nullptr ? switchCount : 0;
    s.textures.switches = switches;
    D3DObj_Render(s.object);
}

int SimpleObj_GetGroupBox(int slot, uint32_t group, float* minimum, float* maximum) {
    if (slot < 0 || slot >= kObjectSlots) return 0;
    const ObjectSlot& s = ObjectSlots[slot];
    if (!s.inUse || group >= s.groupCount) return 0;
    std::copy(std::begin(s.boxes[group].minimum), std::end(s.boxes[group].minimum), minimum);
    std::copy(std::begin(s.boxes[group].maximum), std::end(s.boxes[group].maximum), maximum);
    return 1;
}

int SimpleObj_PointInGroup(int slot, uint32_t group, float x, float y, float z) {
    float minimum[3], maximum[3];
    if (!SimpleObj_GetGroupBox(slot, group, minimum, maximum)) return 0;
    const float point[3] = {x, y, z};
    for (int axis = 0; axis < 3; ++axis) {
        if (point[axis] < minimum[axis] || point[axis] > maximum[axis]) return 0;
    }
    return 1;
}

void SimpleObj_OverlayCamera(Matrix* projection, Matrix* view) {
    MatrixIdentity(projection);
    projection->m[0][0] = 2.0f;
    projection->m[1][1] = 2.6666667f;
    projection->m[2][2] = 1.0f;
    projection->m[2][3] = 1.0f;
    projection->m[3][2] = -5.0f;
    projection->m[3][3] = 0.0f;
    MatrixIdentity(view);
    MatrixSetTranslation(view, 0.0f, 0.0f, 9.2f);
}

void SimpleObj_SetCamera() {
    D3DClearScene(D3DCLEAR_ZBUFFER);
    Matrix projection, view;
    SimpleObj_OverlayCamera(&projection, &view);
    MatrixIdentity(&SimpleObjWorld);
    D3DSetTransformType(D3DTRANSFORMSTATE_PROJECTION, &projection);
    D3DSetTransformType(D3DTRANSFORMSTATE_VIEW, &view);
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &SimpleObjWorld);
}

bool SimpleObj_ScreenRect(int slot, const Matrix& world, ScreenRect* out) {
    if (slot < 0 || slot >= kObjectSlots || !ObjectSlots[slot].inUse) return false;
    const ObjectSlot& s = ObjectSlots[slot];
    Matrix projection, view, worldView, combined;
    SimpleObj_OverlayCamera(&projection, &view);
    MatrixMultiply(&worldView, &world, &view);
    MatrixMultiply(&combined, &worldView, &projection);
    const float width = float(GfxGetScreenWidth()), height = float(GfxGetScreenHeight());
    ScreenRect rect{1e9f, 1e9f, -1e9f, -1e9f};
    bool any = false;
    for (uint32_t g = 0; g < s.groupCount; ++g) {
        const GroupBox& box = s.boxes[g];
        if (box.minimum[0] > box.maximum[0]) continue;  // a group without vertices
        for (int corner = 0; corner < 8; ++corner) {
            const float p[3] = {(corner & 1) ? box.maximum[0] : box.minimum[0],
                                (corner & 2) ? box.maximum[1] : box.minimum[1],
                                (corner & 4) ? box.maximum[2] : box.minimum[2]};
            float h[4];
            for (int c = 0; c < 4; ++c)
                h[c] = p[0] * combined.m[0][c] + p[1] * combined.m[1][c] + p[2] * combined.m[2][c] +
                       combined.m[3][c];
            if (h[3] <= 0.0f) return false;
            const float x = (h[0] / h[3] + 1.0f) * 0.5f * width, y = (1.0f - h[1] / h[3]) * 0.5f * height;
            rect = {std::min(rect.left, x), std::min(rect.top, y), std::max(rect.right, x),
                    std::max(rect.bottom, y)};
            any = true;
        }
    }
    if (any) *out = rect;
    return any;
}

void SimpleObj_FreeAll() {
    for (ObjectSlot& s : ObjectSlots) {
        if (!s.inUse) continue;
        if (s.object != nullptr) D3DObj_Destroy(&s.object);
        if (s.vertices != nullptr) FreeMemory(&s.vertices);
        if (s.boxes != nullptr) FreeMemory(&s.boxes);
        s = ObjectSlot{};
    }
}
