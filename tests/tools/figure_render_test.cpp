// The data kit's figure loaded from the generated archive, posed by two
// sets of bone matrices, drawn headless and grabbed: the limbs stand where
// each pose puts them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/system/device3d.h"
#include "game/system/modeldata.h"
#include "game/system/models3d.h"
#include "game/system/renderstates.h"
#include "game/system/skeletalposing.h"
#include "game/system/textures3d.h"
#include "platform/d3d.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/xyz_fixture.h"
#include "tools/datakit/models.h"

namespace {

using namespace datakit;
using testenv::Frame;

constexpr int kW = 320, kH = 240;
constexpr uint32_t kBackground = 0x204020;

// What the kit's looks give each part here: white skin, black hair, the
// plain (all pen 0, white) kit designs.
enum class Look { kSkin, kWhiteKit, kHair, kBackground };

// Each surface's file under the textures folder, as the kit rules name it.
int KitTextureCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    if (record->event != D3DOBJ_EVENT_TEXTURECREATE) return D3DObjBasicCallback(record, output);
    static const std::map<std::string, std::string> kFiles = {
        {"face", "skins\\white\\face"},
        {"armhand", "skins\\white\\armhand"},
        {"leg", "skins\\white\\leg"},
        {"hair", "hair\\normal\\black"},
        {"boots", "plain\\boots"},
        {"kglove", "plain\\kglove"},
        {"shirt", "kits\\shirts\\shirt00"},
        {"k_shirt", "kits\\shirts\\shirt01"},
        {"shorts", "kits\\shorts\\shorts00"},
        {"socks", "kits\\socks\\socks00"},
    };
    uint8_t item[XYZ_SURFACE_MIN_STRIDE];
    std::memcpy(item, record->surface1, sizeof item);
    char* name = reinterpret_cast<char*>(item);
    name[XYZ_SURFACE_NAME_SIZE - 1] = 0;
    if (char* dot = std::strrchr(name, '.')) *dot = 0;
    const std::string& file = kFiles.at(name);
    std::snprintf(name, XYZ_SURFACE_NAME_SIZE, "%s", file.c_str());
    D3DObjCallbackRecord renamed = *record;
    renamed.surface1 = item;
    return D3DObjBasicCallback(&renamed, output);
}

// One metre is 100 pixels: x -1.6..1.6 across, y -0.3..2.1 up the screen.
int Px(float x) { return int(std::lround(160 + x * 100)); }
int Py(float y) { return int(std::lround(120 - (y - 0.9f) * 100)); }

class FigureRenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::MountGameArchive(HALVORN_GAME_DIR, 64 * 1024);
        testenv::Start3D(kW, kH);
        for (Matrix& m : bones_) MatrixIdentity(&m);
    }
    void TearDown() override {
        if (anim_ != nullptr) D3DAnim_DestroyAnimData(&anim_);
        if (figure_ != nullptr) D3DObj_Destroy(&figure_);
        if (model_ != nullptr) FreeMemory(&model_);
        testenv::Stop3D();
        testenv::UnmountGameArchive();
    }

    // Poses, draws and grabs the figure standing with its feet on y = 0.
    Frame Draw(const char* grab) {
        D3DAnim_ApplyBoneMatrices(anim_, bones_, 1, FIGURE_BONE_COUNT + 1);
        D3DAnim_ApplyConvPoints2Object(anim_);
        Matrix world, view, projection = testenv::Orthographic(-1.6f, 1.6f, -0.3f, 2.1f, 10.0f);
        MatrixSetTranslation(&world, 0.0f, FigureReferenceHeight(), 2.0f);
        MatrixIdentity(&view);
        D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &world);
        D3DSetTransformType(D3DTRANSFORMSTATE_VIEW, &view);
        D3DSetTransformType(D3DTRANSFORMSTATE_PROJECTION, &projection);
        D3DClearSceneEx2(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000 | kBackground, 1.0f, 0);
        D3DBeginScene();
        D3DSetRenderState(plat::kRsLighting, 0);
        D3DSetRenderState(plat::kRsZEnable, 1);
        D3DSetRenderState(plat::kRsZWriteEnable, 1);
        D3DSetRenderState(plat::kRsCullMode, plat::kCullCcw);
        D3DObj_Render(figure_);
        D3DEndScene();
        scratch_name_ = std::string(grab) + ".tga";
        return testenv::GrabFrame(scratch_name_);
    }

    void Expect(const Frame& f, float x, float y, Look look, const char* what) {
        const uint32_t got = f.At(Px(x), Py(y));
        const int r = int(got >> 16 & 255), g = int(got >> 8 & 255), b = int(got & 255);
        bool ok = false;
        switch (look) {
            case Look::kSkin:
                ok = r > g && g > b && r > 120 && r - b > 30;
                break;
            case Look::kWhiteKit:
                ok = r > 200 && g > 200 && b > 200;
                break;
            case Look::kHair:
                ok = r < 90 && g < 90 && b < 90;
                break;
            case Look::kBackground:
                ok = got == kBackground;
                break;
        }
        EXPECT_TRUE(ok) << what << " at (" << x << ", " << y << "): got 0x" << std::hex << got;
    }

    uint8_t* model_ = nullptr;
    D3DObj* figure_ = nullptr;
    D3DAnim* anim_ = nullptr;
    Matrix bones_[FIGURE_BONE_COUNT + 1];
    std::string scratch_name_;
};

TEST_F(FigureRenderTest, LimbsStandWhereEachPosePutsThem) {
    testenv::ScratchDir scratch;
    PakLoadWholeFile(FIGURE_MODEL_PATH, &model_, MEM_TYPE_MANUAL_NO_MOVE);
    char directory[] = "zudata\\d3d\\sskin\\textures";
    D3DObj_CreateObjectFromXYZData(&figure_, model_, KitTextureCallback, directory,
                                   D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
    D3DAnim_CreateAnimData(&anim_, model_, figure_);
    FreeMemory(&model_);
    ASSERT_GE(figure_->surface_count, 8u);

    // Standing, arms down.
    const Frame rest = Draw("rest");
    ASSERT_EQ(rest.width, kW);
    Expect(rest, 0.0f, 1.30f, Look::kWhiteKit, "chest");
    Expect(rest, 0.0f, 1.78f, Look::kHair, "hair");
    Expect(rest, 0.05f, 1.62f, Look::kSkin, "face");
    Expect(rest, 0.23f, 0.82f, Look::kSkin, "left hand, down");
    Expect(rest, -0.23f, 0.82f, Look::kSkin, "right hand, down");
    Expect(rest, 0.09f, 0.30f, Look::kWhiteKit, "left shin");
    Expect(rest, 0.62f, 1.40f, Look::kBackground, "beside the left shoulder");
    Expect(rest, -0.62f, 1.40f, Look::kBackground, "beside the right shoulder");

    // Both arms raised sideways: the arm bones turn a quarter about the
    // figure's forward axis, away from the body; the left leg swings
    // forward and up, out of the picture's plane.
    for (uint16_t b : {BONE_LEFT_UPPER_ARM, BONE_LEFT_FOREARM, BONE_LEFT_HAND}) {
        MatrixRotateZ(&bones_[b], float(-M_PI / 2));
    }
    for (uint16_t b : {BONE_RIGHT_UPPER_ARM, BONE_RIGHT_FOREARM, BONE_RIGHT_HAND}) {
        MatrixRotateZ(&bones_[b], float(M_PI / 2));
    }
    for (uint16_t b : {BONE_LEFT_SHIN, BONE_LEFT_FOOT}) MatrixRotateX(&bones_[b], float(M_PI / 2));
    const Frame raised = Draw("raised");
    Expect(raised, 0.0f, 1.30f, Look::kWhiteKit, "chest");
    Expect(raised, 0.62f, 1.40f, Look::kSkin, "left forearm, out");
    Expect(raised, -0.62f, 1.40f, Look::kSkin, "right forearm, out");
    Expect(raised, 0.80f, 1.40f, Look::kSkin, "left hand, out");
    Expect(raised, 0.23f, 0.82f, Look::kBackground, "where the left hand hung");
    Expect(raised, -0.23f, 0.82f, Look::kBackground, "where the right hand hung");
    Expect(raised, 0.09f, 0.30f, Look::kBackground, "where the left shin stood");
    Expect(raised, -0.09f, 0.30f, Look::kWhiteKit, "right shin");
}

TEST_F(FigureRenderTest, TheCubeLoadsItsTextureThroughTheBasicCallback) {
    testenv::ScratchDir scratch;
    PakLoadWholeFile(CUBE_MODEL_PATH, &model_, MEM_TYPE_MANUAL_NO_MOVE);
    char directory[] = "zudata\\d3d\\simple\\textures";
    D3DObj_CreateObjectFromXYZData(&figure_, model_, nullptr, directory, D3DOBJ_INDEXED);
    FreeMemory(&model_);
    const int handle = int(figure_->surfaces[0].texture);
    EXPECT_GE(handle, 0);

    Matrix world, view, projection = testenv::Orthographic(-1.6f, 1.6f, -0.3f, 2.1f, 10.0f);
    MatrixSetTranslation(&world, 0.0f, 0.9f, 2.0f);
    MatrixIdentity(&view);
    D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &world);
    D3DSetTransformType(D3DTRANSFORMSTATE_VIEW, &view);
    D3DSetTransformType(D3DTRANSFORMSTATE_PROJECTION, &projection);
    D3DClearSceneEx2(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000 | kBackground, 1.0f, 0);
    D3DBeginScene();
    D3DSetRenderState(plat::kRsLighting, 0);
    D3DObj_Render(figure_);
    D3DEndScene();
    EXPECT_EQ(D3DTexGetCurrentHandle(), handle);
    const Frame f = testenv::GrabFrame("cube.tga");
    // The front face: orange centre, blue border, light ground between.
    EXPECT_LE(testenv::ColourDistance(f.At(Px(0.0f), Py(0.9f)), 0xF08C1E), 24);
    EXPECT_LE(testenv::ColourDistance(f.At(Px(-0.48f), Py(0.9f)), 0x1E3C96), 40);
    EXPECT_LE(testenv::ColourDistance(f.At(Px(-0.3f), Py(0.9f)), 0xE6E6E6), 24);
    EXPECT_EQ(f.At(Px(-0.7f), Py(0.9f)), kBackground);

    D3DObj_Destroy(&figure_);
    EXPECT_EQ(D3DTexGetSurface(handle), nullptr);
}

}  // namespace
