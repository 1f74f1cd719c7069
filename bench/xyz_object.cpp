// Costs of the 3D figures: building an indexed object with point numbers
// from model data (done once per model), and posing all 35 figures of a
// match by their bones and writing them into the vertices (done every
// frame).  The model is a stand-in of the shipped figure's size: 18 boxes
// hanging from a chain of joints.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <type_traits>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/trackedmemory.h"
#include "game/system/modeldata.h"
#include "game/system/models3d.h"
#include "game/system/skeletalposing.h"

namespace {

constexpr int kBones = 18;

// Little-endian words and floats in a row from `at`.
template <typename T, size_t N>
void Put(std::vector<uint8_t>& out, size_t at, const T (&values)[N]) {
    for (size_t i = 0; i < N; ++i) {
        if constexpr (std::is_same_v<T, float>) {
            recbits::StoreF32(&out[at + 4 * i], values[i]);
        } else {
            recbits::StoreU32(&out[at + 4 * i], values[i]);
        }
    }
}

// 18 joints, then 18 boxes of 8 points and 6 quads, one texture per 3 boxes.
std::vector<uint8_t> Figure(int boxes_per_bone) {
    const uint32_t boxes = kBones * boxes_per_bone;
    const uint32_t points = kBones + 8 * boxes, surfaces = 6, polygons = 6 * boxes;
    const uint32_t p_at = 44, s_at = p_at + points * 16, q_at = s_at + surfaces * 72;
    std::vector<uint8_t> out(q_at + polygons * 56, 0);
    std::memcpy(out.data(), "XYZ0", 4);
    const uint32_t header[9] = {p_at, points, 16, s_at, surfaces, 72, q_at, polygons, 56};
    Put(out, 8, header);
    auto point = [&](uint32_t i, float x, float y, float z, uint16_t bone, uint16_t parent) {
        const float xyz[3] = {x, y, z};
        Put(out, p_at + i * 16, xyz);
        recbits::StoreU16(&out[p_at + i * 16 + 12], bone);
        recbits::StoreU16(&out[p_at + i * 16 + 14], parent);
    };
    for (uint16_t b = 0; b < kBones; ++b)
        point(b, 0.0f, 0.1f * b, 0.0f, uint16_t(b + 1), b ? uint16_t(b - 1) : 0xFFFF);
    for (uint32_t s = 0; s < surfaces; ++s) out[s_at + s * 72] = uint8_t('a' + s);
    constexpr uint32_t kFaces[6][4] = {{2, 3, 1, 0}, {7, 6, 4, 5}, {6, 2, 0, 4},
                                       {3, 7, 5, 1}, {6, 7, 3, 2}, {5, 4, 0, 1}};
    const float uv[2][4] = {{0, 1, 1, 0}, {0, 0, 1, 1}};
    for (uint32_t box = 0; box < boxes; ++box) {
        const uint16_t bone = uint16_t(box % kBones + 1);
        const uint32_t first = kBones + 8 * box;
        for (uint32_t c = 0; c < 8; ++c) {
            point(first + c, (c & 1) ? 0.05f : -0.05f, 0.1f * bone + ((c & 2) ? 0.1f : 0.0f),
                  (c & 4) ? 0.05f : -0.05f, bone, uint16_t(bone - 1));
        }
        for (uint32_t f = 0; f < 6; ++f) {
            const size_t at = q_at + (6 * box + f) * 56;
            const uint32_t head[2] = {box % surfaces, 4};
            Put(out, at, head);
            for (int k = 0; k < 4; ++k) {
                recbits::StoreU32(&out[at + 8 + 4 * k], first + kFaces[f][k]);
            }
            Put(out, at + 24, uv[0]);
            Put(out, at + 40, uv[1]);
        }
    }
    return out;
}

int Textures(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    if (record->event == D3DOBJ_EVENT_TEXTURECREATE) output->texture = 1;
    return record->event == D3DOBJ_EVENT_TEXTURECREATE || record->event == D3DOBJ_EVENT_TEXTUREDESTROY;
}

uint8_t* g_data = nullptr;

void Load(int boxes_per_bone) {
    const std::vector<uint8_t> bytes = Figure(boxes_per_bone);
    AllocateMemory(&g_data, uint32_t(bytes.size()), MEM_TYPE_MANUAL_NO_MOVE);
    std::memcpy(g_data, bytes.data(), bytes.size());
}

void BM_BuildIndexedFigure(benchmark::State& state) {
    InitMemory(64 * 1024);
    Load(int(state.range(0)));
    for (auto _ : state) {
        D3DObj* object = nullptr;
        D3DObj_CreateObjectFromXYZData(&object, g_data, Textures, nullptr,
                                       D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
        benchmark::DoNotOptimize(object->surfaces[0].vertex_count);
        D3DObj_Destroy(&object);
    }
    FreeMemory(&g_data);
    UninitMemory();
}
BENCHMARK(BM_BuildIndexedFigure)->Arg(1)->Arg(8);

void BM_PoseThirtyFiveFigures(benchmark::State& state) {
    InitMemory(64 * 1024);
    Load(1);
    D3DObj* object = nullptr;
    D3DAnim* anim = nullptr;
    D3DObj_CreateObjectFromXYZData(&object, g_data, Textures, nullptr, D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
    // The root's report would mix with the results.
    std::fflush(stdout);
    const int saved = dup(1);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    D3DAnim_CreateAnimData(&anim, g_data, object);
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
    close(null);
    Matrix bones[kBones + 1];
    float angle = 0.0f;
    for (auto _ : state) {
        for (int figure = 0; figure < 35; ++figure) {
            angle += 0.01f;
            for (Matrix& m : bones) MatrixRotateXYZ(&m, angle, 0.5f * angle, 0.25f * angle);
            D3DAnim_ApplyBoneMatrices(anim, bones, 1, kBones + 1);
            D3DAnim_ApplyConvPoints2Object(anim);
        }
        benchmark::ClobberMemory();
    }
    D3DAnim_DestroyAnimData(&anim);
    D3DObj_Destroy(&object);
    FreeMemory(&g_data);
    UninitMemory();
}
BENCHMARK(BM_PoseThirtyFiveFigures);

}  // namespace

BENCHMARK_MAIN();
