// A contact sheet of the 36 figure models: each posed by frame 0 of clip 1,
// wearing the kit's textures, drawn headless side by side (one row per
// role, columns by build and level) and grabbed.  The grab,
// "figures_contact_sheet.tga", is left in the working folder for a person
// to look at; the test finds each figure's head, torso and boots covered.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/motion.h"
#include "game/system/device3d.h"
#include "game/system/modeldata.h"
#include "game/system/models3d.h"
#include "game/system/renderstates.h"
#include "game/system/skeletalposing.h"
#include "platform/d3d.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/figure_pose.h"
#include "tests/fakes/pak_fixture.h"
#include "tools/datakit/figures.h"

namespace {

using namespace datakit;

constexpr int kSheetW = 1024, kSheetH = 768;
constexpr uint32_t kSheetBackground = 0x204020;
// 12 m across, 6.6 m up.
constexpr float kX0 = -6.0f, kX1 = 6.0f, kY0 = -0.3f, kY1 = 6.3f;
constexpr float kRowHeight = 2.2f;

int SheetPx(float x) { return int(std::lround((x - kX0) / (kX1 - kX0) * kSheetW)); }
int SheetPy(float y) { return int(std::lround((kY1 - y) / (kY1 - kY0) * kSheetH)); }

// Each surface's file as the kit rules name it: white skin, black hair of
// normal length, the plain kit designs; the keeper's shirt is design 1.
int SheetKitTextureCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    if (record->event != D3DOBJ_EVENT_TEXTURECREATE) return D3DObjBasicCallback(record, output);
    static const std::map<std::string, std::string> kFiles = {
        {"face", "skins\\white\\face"},
        {"armhand", "skins\\latin\\armhand"},
        {"leg", "skins\\latin\\leg"},
        {"hair", "hair\\normal\\brown"},
        {"boots", "plain\\boots"},
        {"kglove", "plain\\kglove"},
        {"shirt", "kits\\shirts\\shirt12"},
        {"k_shirt", "kits\\shirts\\shirt01"},
        {"shorts", "kits\\shorts\\shorts01"},
        {"socks", "kits\\socks\\socks03"},
    };
    uint8_t item[XYZ_SURFACE_MIN_STRIDE];
    std::memcpy(item, record->surface1, sizeof item);
    char* name = reinterpret_cast<char*>(item);
    name[XYZ_SURFACE_NAME_SIZE - 1] = 0;
    if (char* dot = std::strrchr(name, '.')) *dot = 0;
    const auto file = kFiles.find(name);
    if (file == kFiles.end()) return D3DObjBasicCallback(record, output);
    std::snprintf(name, XYZ_SURFACE_NAME_SIZE, "%s", file->second.c_str());
    D3DObjCallbackRecord renamed = *record;
    renamed.surface1 = item;
    return D3DObjBasicCallback(&renamed, output);
}

struct Placed {
    float x, base;
    float head, chest, footX[2], footY[2];  // posed points relative to the root, and the root
    float root;
};

class FigureSheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::MountGameArchive(HALVORN_GAME_DIR, 64 * 1024);
        Motion_LoadAll();
        testenv::Start3D(kSheetW, kSheetH);
    }
    void TearDown() override {
        testenv::Stop3D();
        Motion_FreeAll();
        testenv::UnmountGameArchive();
    }
};

// The middle height of a bone's posed points.
float MiddleOf(const D3DAnim* anim, uint32_t bone, float* x = nullptr) {
    float sumY = 0, sumX = 0;
    int n = 0;
    for (uint32_t i = FIGURE_BONE_COUNT; i < anim->point_count; ++i) {
        if (anim->bones[i] != bone) continue;
        sumY += anim->posed_positions[i].y;
        sumX += anim->posed_positions[i].x;
        ++n;
    }
    if (x != nullptr) *x = n > 0 ? sumX / float(n) : 0.0f;
    return n > 0 ? sumY / float(n) : 0.0f;
}

TEST_F(FigureSheetTest, AllThirtySixFiguresStandDressedInFrameZeroOfClipOne) {
    MotionFrame pose{};
    ASSERT_TRUE(Motion_GetFrame(1, 0, &pose));
    Matrix bones[FIGURE_BONE_COUNT + 1];
    MatrixIdentity(&bones[0]);
    for (int b = 0; b < FIGURE_BONE_COUNT; ++b) {
        float ax, ay, az;
        MotionBoneAngles(pose.bones[b], &ax, &ay, &az);
        MatrixRotateXYZ(&bones[b + 1], ax, ay, az);
    }
    Matrix view, projection = testenv::Orthographic(kX0, kX1, kY0, kY1, 10.0f);
    MatrixIdentity(&view);
    D3DSetTransformType(D3DTRANSFORMSTATE_VIEW, &view);
    D3DSetTransformType(D3DTRANSFORMSTATE_PROJECTION, &projection);
    D3DClearSceneEx2(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000 | kSheetBackground, 1.0f, 0);
    D3DBeginScene();
    D3DSetRenderState(plat::kRsLighting, 0);
    D3DSetRenderState(plat::kRsZEnable, 1);
    D3DSetRenderState(plat::kRsZWriteEnable, 1);
    D3DSetRenderState(plat::kRsCullMode, plat::kCullCcw);

    std::vector<Placed> placed;
    char directory[] = "zudata\\d3d\\sskin\\textures";
    for (int role = 0; role < 3; ++role) {
        for (int build = 0; build < 3; ++build) {
            for (int level = 0; level < 4; ++level) {
                const std::string path = FigureModelPath(FigureRole(role), build, kFigureLevels[level]);
                uint8_t* model = nullptr;
                D3DObj* object = nullptr;
                D3DAnim* anim = nullptr;
                PakLoadWholeFile(path.c_str(), &model, MEM_TYPE_MANUAL_NO_MOVE);
                D3DObj_CreateObjectFromXYZData(&object, model, SheetKitTextureCallback, directory,
                                               D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
                testenv::CreateAnimDataQuietly(&anim, model, object);
                D3DAnim_ApplyBoneMatrices(anim, bones, 1, FIGURE_BONE_COUNT + 1);
                D3DAnim_ApplyConvPoints2Object(anim);

                Placed p{};
                p.x = kX0 + 0.5f + float(build * 4 + level);
                p.base = float(2 - role) * kRowHeight;
                p.root = std::max(kFigureBuildRatios[build], 1.0f) * pose.reference[1];
                p.head = MiddleOf(anim, BONE_HEAD);
                p.chest = MiddleOf(anim, BONE_CHEST);
                p.footY[0] = MiddleOf(anim, BONE_LEFT_FOOT, &p.footX[0]);
                p.footY[1] = MiddleOf(anim, BONE_RIGHT_FOOT, &p.footX[1]);
                placed.push_back(p);

                // The figure faces the camera (-z), as the display turns it.
                Matrix world;
                MatrixSetTranslation(&world, p.x, p.base + p.root, 3.0f);
                D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &world);
                D3DObj_Render(object);
                D3DAnim_DestroyAnimData(&anim);
                D3DObj_Destroy(&object);
                FreeMemory(&model);
            }
        }
    }
    D3DEndScene();
    const testenv::Frame sheet = testenv::GrabFrame("figures_contact_sheet.tga");
    ASSERT_EQ(sheet.width, kSheetW);

    auto covered = [&](float x, float y) { return sheet.At(SheetPx(x), SheetPy(y)) != kSheetBackground; };
    for (size_t i = 0; i < placed.size(); ++i) {
        const Placed& p = placed[i];
        const float ground = p.base + p.root;
        EXPECT_TRUE(covered(p.x, ground + p.head)) << "head of figure " << i;
        EXPECT_TRUE(covered(p.x, ground + p.chest)) << "torso of figure " << i;
        for (int foot = 0; foot < 2; ++foot) {
            EXPECT_TRUE(covered(p.x + p.footX[foot], ground + p.footY[foot]))
                << "boot " << foot << " of figure " << i;
        }
        // Between two figures, the background.
        EXPECT_FALSE(covered(p.x + 0.5f, ground + p.chest)) << "beside figure " << i;
    }
}

}  // namespace
