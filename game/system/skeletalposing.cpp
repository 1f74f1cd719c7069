#include "game/system/skeletalposing.h"

#include <cstdio>
#include <cstring>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/system/modeldata.h"

namespace {

constexpr const char* kModule = "dxd3danim";

D3DAnim* OwnedAnim(void* owner) {
    D3DAnim* anim;
    std::memcpy(&anim, owner, sizeof anim);
    return anim;
}

void AllocateArray(void* owner, uint32_t count, uint32_t item_size) {
    AllocateMemory(owner, count * item_size, MEM_TYPE_MANUAL_NO_MOVE);
}

uint32_t VertexStride(const D3DObjSurface* surface, const char* unknown) {
    if (surface->kind & D3DOBJ_TEXTURED) return sizeof(D3DObjTexVertex);
    if (surface->kind & D3DOBJ_COLOURED) return sizeof(D3DObjColVertex);
    AbortError(kModule, __LINE__, unknown);
}

// Both vertex layouts begin with position and normal: six floats.
float* VertexFloats(const D3DObjSurface* surface, uint32_t vertex, uint32_t stride) {
    return reinterpret_cast<float*>(static_cast<uint8_t*>(surface->vertices) + size_t(vertex) * stride);
}

void CheckKeepsPoints(const D3DObjSurface* surface, const char* message) {
    if (surface->points == nullptr && surface->vertex_count > 0) AbortError(kModule, __LINE__, message);
}

}  // namespace

void D3DAnim_CreateAnimData(void* owner, const void* data, D3DObj* object) {
    XyzView view;
    XyzOpen(&view, data, "D3DAnim_CreateAnimData");
    if (view.points.stride < XYZ_POINT_ANIM_STRIDE) {
        AbortError(kModule, __LINE__, "D3DAnim_CreateAnimData(): file format problem - point format wrong");
    }
    if (object == nullptr) AbortError(kModule, __LINE__, "D3DAnim_CreateAnimData(): no object");
    const uint32_t count = view.points.count;
    AllocateMemory(owner, sizeof(D3DAnim), MEM_TYPE_MANUAL_NO_MOVE);
    D3DAnim* anim = OwnedAnim(owner);
    *anim = D3DAnim{};
    anim->object = object;
    anim->point_count = count;
    AllocateArray(&anim->rest_positions, count, sizeof(Vector));
    AllocateArray(&anim->rest_normals, count, sizeof(Vector));
    AllocateArray(&anim->posed_positions, count, sizeof(Vector));
    AllocateArray(&anim->posed_normals, count, sizeof(Vector));
    AllocateArray(&anim->bones, count, sizeof(uint32_t));
    AllocateArray(&anim->parents, count, sizeof(uint32_t));

    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* p = XyzPointAt(view, i);
        anim->rest_positions[i] =
            Vector{recbits::LoadF32(p), recbits::LoadF32(p + 4), recbits::LoadF32(p + 8)};
        VectorZero(&anim->rest_normals[i]);
        VectorZero(&anim->posed_positions[i]);
        VectorZero(&anim->posed_normals[i]);
        anim->bones[i] = recbits::LoadU16(p + XYZ_POINT_BONE);
        anim->parents[i] = recbits::LoadU16(p + XYZ_POINT_PARENT);
    }
    // The last vertex of a point gives its normal.
    for (uint32_t r = 0; r < object->surface_count; ++r) {
        const D3DObjSurface* surface = &object->surfaces[r];
        const uint32_t stride = VertexStride(surface, "D3DAnim_CreateAnimData(): unknown point type");
        CheckKeepsPoints(surface, "D3DAnim_CreateAnimData(): object keeps no point numbers");
        for (uint32_t v = 0; v < surface->vertex_count; ++v) {
            const float* f = VertexFloats(surface, v, stride);
            const uint32_t point = surface->points[v];
            if (point < count) anim->rest_normals[point] = Vector{f[3], f[4], f[5]};
        }
    }
    // From the last point down, so every parent is still at its absolute
    // rest position when its children take their offsets.
    for (uint32_t i = count; i-- > 0;) {
        const uint32_t parent = anim->parents[i];
        if (parent < count) {
            if (parent == i) std::printf("Warning: point %d is parent to itself\n", int(i));
            VectorSubtract(&anim->rest_positions[i], &anim->rest_positions[i], &anim->rest_positions[parent]);
        } else {
            std::printf("Point %d has %d parent\n", int(i), int(parent));
            VectorZero(&anim->rest_positions[i]);
        }
    }
}

void D3DAnim_ApplyBoneMatrices(D3DAnim* anim, const Matrix* matrices, uint32_t first, uint32_t end) {
    const uint32_t count = anim->point_count;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t bone = anim->bones[i];
        if (bone >= first && bone < end) {
            VectorTransform(&anim->posed_positions[i], &anim->rest_positions[i], 1.0f, &matrices[bone]);
            VectorTransform(&anim->posed_normals[i], &anim->rest_normals[i], 0.0f, &matrices[bone]);
        } else {
            anim->posed_positions[i] = anim->rest_positions[i];
            anim->posed_normals[i] = anim->rest_normals[i];
        }
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t parent = anim->parents[i];
        if (parent < count) {
            VectorAdd(&anim->posed_positions[i], &anim->posed_positions[i], &anim->posed_positions[parent]);
        }
    }
}

void D3DAnim_ApplyConvPoints2Object(D3DAnim* anim) {
    const D3DObj* object = anim->object;
    for (uint32_t r = 0; r < object->surface_count; ++r) {
        const D3DObjSurface* surface = &object->surfaces[r];
        const uint32_t stride = VertexStride(surface, "D3DAnim_ApplyConvPoints2Object(): unknown point type");
        CheckKeepsPoints(surface, "D3DAnim_ApplyConvPoints2Object(): object keeps no point numbers");
        for (uint32_t v = 0; v < surface->vertex_count; ++v) {
            float* f = VertexFloats(surface, v, stride);
            const uint32_t point = surface->points[v];
            if (point >= anim->point_count) continue;
            const Vector& p = anim->posed_positions[point];
            const Vector& n = anim->posed_normals[point];
            f[0] = p.x;
            f[1] = p.y;
            f[2] = p.z;
            f[3] = n.x;
            f[4] = n.y;
            f[5] = n.z;
        }
    }
}

void D3DAnim_DestroyAnimData(void* owner) {
    D3DAnim* anim = OwnedAnim(owner);
    if (anim == nullptr) AbortError(kModule, __LINE__, "D3DAnim_DestroyAnimData(): no animation data");
    FreeMemory(&anim->rest_positions);
    FreeMemory(&anim->rest_normals);
    FreeMemory(&anim->posed_positions);
    FreeMemory(&anim->posed_normals);
    FreeMemory(&anim->bones);
    FreeMemory(&anim->parents);
    FreeMemory(owner);
}
