// 3D objects on a real (headless) device: the basic texture loader reading
// pictures through the pak files, and drawing with cull states, texture
// selection and the draw events.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/system/device3d.h"
#include "game/system/modeldata.h"
#include "game/system/models3d.h"
#include "game/system/renderstates.h"
#include "game/system/textures3d.h"
#include "platform/d3d.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/xyz_fixture.h"

namespace {

using testenv::XyzBytes;
using testenv::XyzCube;
using testenv::XyzTestModel;

constexpr int kDrawW = 320, kDrawH = 240;
constexpr uint32_t kDrawBackground = 0x101010;

std::vector<uint8_t> Gfx(uint16_t w, uint16_t h, uint32_t argb, size_t cut = 0) {
    std::vector<uint8_t> out = {
        'G', 'F', 'X', '0', uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8), 1, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < w * h; ++i) {
        for (int b = 0; b < 4; ++b) out.push_back(uint8_t(argb >> (8 * b)));
    }
    out.resize(out.size() - cut);
    return out;
}

std::vector<uint8_t> Tga(uint16_t w, uint16_t h, uint32_t argb) {
    std::vector<uint8_t> out(18, 0);
    out[2] = 2;
    out[12] = uint8_t(w), out[14] = uint8_t(h);
    out[16] = 32;
    out[17] = 0x28;
    for (int i = 0; i < w * h; ++i) {
        for (int b = 0; b < 4; ++b) out.push_back(uint8_t(argb >> (8 * b)));
    }
    return out;
}

// A quad facing the viewer at z = 0 of x0..x1, y0..y1, of the surface.
void AddQuad(XyzTestModel& m, uint32_t surface, float x0, float x1, float y0, float y1) {
    const uint32_t base = uint32_t(m.points.size());
    m.points.push_back({x0, y1, 0});
    m.points.push_back({x1, y1, 0});
    m.points.push_back({x1, y0, 0});
    m.points.push_back({x0, y0, 0});
    m.polygons.push_back({surface, 4, {base, base + 1, base + 2, base + 3}, {0, 1, 1, 0}, {0, 0, 1, 1}});
}

struct DrawLog {
    std::vector<uint8_t> events;
    std::vector<uint32_t> cull_modes;
    std::vector<int> current_textures;
};
DrawLog g_draws;

// The basic loader, watching the draw events.
int WatchingCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    if (record->event == D3DOBJ_EVENT_TEXTUREDRAW || record->event == D3DOBJ_EVENT_COLOURDRAW) {
        g_draws.events.push_back(record->event);
        g_draws.cull_modes.push_back(D3DGetRenderState(plat::kRsCullMode));
        g_draws.current_textures.push_back(D3DTexGetCurrentHandle());
    }
    return D3DObjBasicCallback(record, output);
}

class D3DObjDrawTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(64 * 1024);
        g_draws = DrawLog{};
    }
    void TearDown() override {
        if (object_ != nullptr) D3DObj_Destroy(&object_);
        if (data_ != nullptr) FreeMemory(&data_);
        testenv::Stop3D();
        if (PakFileStatus() != 0) PakFileUninit();
        UninitMemory();
    }
    void Start(const std::vector<testenv::PakTestFile>& files) {
        testenv::WritePak("pakfiles/demo", files);
        PakFileInit();
        PakAddFile("pakfiles\\demo");
        PakFileAddDone();
        testenv::Start3D(kDrawW, kDrawH);
    }
    void Build(const XyzTestModel& model, void* user_data, uint32_t flags = 0,
               D3DObjCallback callback = nullptr) {
        testenv::LoadTracked(&data_, XyzBytes(model));
        D3DObj_CreateObjectFromXYZData(&object_, data_, callback, user_data, flags);
        FreeMemory(&data_);
    }
    testenv::Frame Render() {
        Matrix identity, projection = testenv::Orthographic(-2, 2, -1.5f, 1.5f, 10);
        MatrixIdentity(&identity);
        MatrixSetTranslation(&world_, 0, 0, 1);
        D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &world_);
        D3DSetTransformType(D3DTRANSFORMSTATE_VIEW, &identity);
        D3DSetTransformType(D3DTRANSFORMSTATE_PROJECTION, &projection);
        D3DClearSceneEx2(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000 | kDrawBackground, 1.0f, 0);
        D3DBeginScene();
        D3DSetRenderState(plat::kRsLighting, 0);
        D3DObj_Render(object_);
        D3DEndScene();
        return testenv::GrabFrame("frame.tga");
    }
    // Pixel of a model point (x, y) at z = 0.
    static int Px(float x) { return int(160 + x * 80); }
    static int Py(float y) { return int(120 - y * 80); }

    uint8_t* data_ = nullptr;
    D3DObj* object_ = nullptr;
    Matrix world_;
};

TEST_F(D3DObjDrawTest, BasicLoaderPrefersTheGfxPictureAndFallsBackToTheTga) {
    testenv::ScratchDir scratch;
    Start({{"tex\\kit.gfx", Gfx(2, 2, 0xFF00C000)},
           {"tex\\kit.tga", Tga(2, 2, 0xFFC00000)},
           {"tex\\ball.tga", Tga(4, 2, 0xFF0000C0)}});
    XyzTestModel m;
    m.surfaces = {{"kit"}, {"ball"}};
    AddQuad(m, 0, -1.5f, -0.5f, -0.5f, 0.5f);
    AddQuad(m, 1, 0.5f, 1.5f, -0.5f, 0.5f);
    char directory[] = "tex";
    Build(m, directory);
    ASSERT_EQ(object_->surface_count, 2u);
    const testenv::Frame f = Render();
    EXPECT_EQ(f.At(Px(-1), Py(0)), 0x00C000u) << "kit.gfx, not kit.tga";
    EXPECT_EQ(f.At(Px(1), Py(0)), 0x0000C0u) << "ball.tga";
    EXPECT_EQ(f.At(Px(0), Py(0)), kDrawBackground);
    const int kit = int(object_->surfaces[1].texture);
    D3DObj_Destroy(&object_);
    EXPECT_EQ(D3DTexGetSurface(kit), nullptr) << "released with the object";
}

TEST_F(D3DObjDrawTest, SurfacesSetTheirCullStateAndTextureBeforeDrawing) {
    testenv::ScratchDir scratch;
    Start({{"tex\\a.tga", Tga(2, 2, 0xFFFFFFFF)}});
    XyzTestModel m;
    m.surfaces = {{"a"}, {"", {200, 100, 50, 255}}};
    m.surfaces[0].flags = XYZ_SURFACE_DOUBLE_SIDED;
    AddQuad(m, 0, -1.5f, -0.5f, -0.5f, 0.5f);
    AddQuad(m, 1, 0.5f, 1.5f, -0.5f, 0.5f);
    // A quad facing away: drawn only by the double-sided surface.
    m.points.push_back({-1.5f, 1.4f, 0});
    m.points.push_back({-0.5f, 1.4f, 0});
    m.points.push_back({-0.5f, 0.6f, 0});
    m.points.push_back({-1.5f, 0.6f, 0});
    m.polygons.push_back({0, 4, {11, 10, 9, 8}, {}, {}});
    m.polygons.push_back({1, 4, {11, 10, 9, 8}, {}, {}});
    char directory[] = "tex";
    Build(m, directory, D3DOBJ_DOUBLE_SIDED, WatchingCallback);
    const testenv::Frame f = Render();
    // Sorted by name: the coloured surface (no name) first, culling
    // counter-clockwise faces, with no texture; then the double-sided one.
    EXPECT_EQ(g_draws.events, (std::vector<uint8_t>{D3DOBJ_EVENT_COLOURDRAW, D3DOBJ_EVENT_TEXTUREDRAW}));
    EXPECT_EQ(g_draws.cull_modes, (std::vector<uint32_t>{plat::kCullCcw, plat::kCullNone}));
    EXPECT_EQ(g_draws.current_textures[0], D3DTEX_NO_TEXTURE);
    EXPECT_EQ(D3DTexGetCurrentHandle(), int(object_->surfaces[1].texture));
    EXPECT_EQ(f.At(Px(1), Py(0)), 0xC86432u) << "vertex colour";
    EXPECT_EQ(f.At(Px(-1), Py(0)), 0xFFFFFFu);
    EXPECT_EQ(f.At(Px(-1), Py(1)), 0xFFFFFFu) << "back face of the double-sided surface";
}

using D3DObjDrawDeathTest = D3DObjDrawTest;

TEST_F(D3DObjDrawDeathTest, BasicLoaderStopsOnMissingOrMisshapenPictures) {
    testenv::ScratchDir scratch;
    std::vector<uint8_t> notGfx = Gfx(2, 2, 0xFF000000);
    notGfx[3] = '1';  // of the size its header gives, but no GFX0 picture
    const std::vector<uint8_t> tga = Tga(2, 2, 0xFF000000);
    Start({{"tex\\short.gfx", Gfx(2, 2, 0xFF000000, 1)},
           {"tex\\odd.gfx", Gfx(2, 2, 0xFF000000)},
           {"tex\\notgfx.gfx", notGfx},
           {"tex\\notatga.tga", std::vector<uint8_t>(tga.begin(), tga.begin() + 17)}});
    char directory[] = "tex";
    XyzTestModel m = XyzCube("kit");
    EXPECT_FATAL(Build(m, directory), "Error: cannot find texture tex/kit.\\(gfx\\|tga\\)");
    m = XyzCube("short");
    EXPECT_FATAL(
        Build(m, directory),
        "Error: D3DObjBasicCallback\\(\\): texture file is the wrong format. Size was 31 but should be 32");
    m = XyzCube("notgfx");
    EXPECT_FATAL(
        Build(m, directory),
        "Error: D3DObjBasicCallback\\(\\): texture file is the wrong format. Size was 32 but should be 16");
    m = XyzCube("notatga");
    EXPECT_FATAL(Build(m, directory), "Error converting tex.notatga.tga");
    m = XyzCube("odd");
    EXPECT_FATAL(Build(m, nullptr), "D3DObjBasicCallback\\(\\): NULL userdata passed");
}

}  // namespace
