// Frames per second of a scene of 20,000 textured, lit, fogged triangles
// at 800 x 600, drawn through the support library's 3D calls and shown
// (flip and window repaint) on the headless GL context.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/base/trackedmemory.h"
#include "game/system/device3d.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/matrices.h"
#include "game/system/renderstates.h"
#include "game/system/textures3d.h"
#include "game/system/videosurvey.h"
#include "platform/d3d.h"

namespace {

struct Vertex {
    float x, y, z, nx, ny, nz, u, v;
};

constexpr int kGrid = 100;  // 100 x 100 quads, two triangles each

void BuildTerrain(std::vector<Vertex>* vertices, std::vector<uint16_t>* indices) {
    for (int j = 0; j <= kGrid; ++j) {
        for (int i = 0; i <= kGrid; ++i) {
            const float x = float(i - kGrid / 2) * 0.4f, z = 2.0f + float(j) * 0.4f;
            const float y = -2.0f + 0.3f * std::sin(x * 0.7f) * std::cos(z * 0.5f);
            Vector n{-0.2f * std::cos(x * 0.7f), 1.0f, 0.1f * std::sin(z * 0.5f)};
            VectorNormalise(&n);
            vertices->push_back({x, y, z, n.x, n.y, n.z, float(i) * 0.25f, float(j) * 0.25f});
        }
    }
    for (int j = 0; j < kGrid; ++j) {
        for (int i = 0; i < kGrid; ++i) {
            const uint16_t a = uint16_t(j * (kGrid + 1) + i), b = uint16_t(a + 1),
                           c = uint16_t(a + kGrid + 1), d = uint16_t(c + 1);
            for (uint16_t k : {c, d, b, c, b, a}) indices->push_back(k);
        }
    }
}

void BM_Scene20000Triangles(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    InitMemory(64 * 1024);
    WinInit(nullptr, "Halvorn bench", WIN_FLAG_WINDOWED);
    while (!WinIsActive()) WinIdleMessageHandler();
    DXEnumDisplay();
    DDrawSelectDevice(0, 0);
    GfxInit(GFXINIT_3D);
    int mode = GfxFindMode(800, 600, 3);
    if (mode < 0) {
        state.SkipWithError("no 800 x 600 mode");
        return;
    }
    SetGraphicMode(int16_t(mode), GFX_3D | GFX_ZBUFFER | GFX_STENCIL | GFX_DOUBLEBUFFER);

    std::vector<uint32_t> checker(64 * 64);
    for (int i = 0; i < 64 * 64; ++i) checker[i] = ((i / 8 + i / 64 / 8) % 2) ? 0xFF30A030 : 0xFF60C060;
    uint8_t* block = nullptr;
    AllocateMemory(&block, uint32_t(checker.size() * 4), MEM_TYPE_MANUAL_FREE);
    std::memcpy(block, checker.data(), checker.size() * 4);
    const int texture = D3DTexAdvancedCreateTexture(64, 64, &block, 0, D3DTEXCREATE_ARGB8888);

    std::vector<Vertex> vertices;
    std::vector<uint16_t> indices;
    BuildTerrain(&vertices, &indices);

    Matrix world, view, projection{};
    MatrixIdentity(&world);
    MatrixRotateX(&view, -0.3f);
    const float q = 100.0f / 99.9f;
    projection.m[0][0] = 0.75f;
    projection.m[1][1] = 1.0f;
    projection.m[2][2] = q;
    projection.m[2][3] = 1.0f;
    projection.m[3][2] = -0.1f * q;
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &world);
    D3DSetTransformType(D3DTRANSFORMSTATE_VIEW, &view);
    D3DSetTransformType(D3DTRANSFORMSTATE_PROJECTION, &projection);
    plat::D3DMaterial7 material{};
    material.diffuse = material.ambient = {1, 1, 1, 1};
    D3DSetMaterial(&material);
    const float sun[4] = {0.65f, 0.65f, 0.65f, 0.65f}, fill[4] = {0.25f, 0.25f, 0.25f, 0.25f};
    Vector sun_dir{14, -10, 20}, fill_dir{4, -4, 2};
    VectorNormalise(&sun_dir);
    VectorNormalise(&fill_dir);
    D3DLightSetDefaultColour(0xFF202020);
    const int light1 = D3DLightCreate(sun, &sun_dir);
    const int light2 = D3DLightCreate(fill, &fill_dir);

    for (auto _ : state) {
        D3DClearSceneEx2(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF4060A0, 1.0f, 0);
        D3DBeginScene();
        D3DSetRenderState(plat::kRsLighting, 1);
        D3DSetRenderState(plat::kRsFogEnable, 1);
        D3DSetRenderState(plat::kRsFogTableMode, plat::kFogLinear);
        D3DSetRenderStateFloat(plat::kRsFogStart, 10.0f);
        D3DSetRenderStateFloat(plat::kRsFogEnd, 40.0f);
        D3DSetRenderState(plat::kRsFogColor, 0xFFCCCCCC);
        D3DSetTextureStageState(0, plat::kTssMagFilter, plat::kTfgLinear);
        D3DSetTextureStageState(0, plat::kTssMinFilter, plat::kTfnLinear);
        D3DTexSetCurrentHandle(texture);
        D3DDrawIndexedPrimitive(plat::kPtTriangleList, 0x112, vertices.data(), uint32_t(vertices.size()),
                                indices.data(), uint32_t(indices.size()));
        D3DEndScene();
        GfxFlip();
        WinMessageHandler();
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["triangles"] = double(indices.size() / 3);

    D3DLightDestroy(light1);
    D3DLightDestroy(light2);
    D3DTexDestroyTexture(texture);
    RestoreGraphicMode();
    GfxUninit();
    WinResetForTests();
    UninitMemory();
}
BENCHMARK(BM_Scene20000Triangles)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
