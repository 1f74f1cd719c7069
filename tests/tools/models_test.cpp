#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/base/trackedmemory.h"
#include "game/system/modeldata.h"
#include "game/system/models3d.h"
#include "game/system/picture.h"
#include "game/system/skeletalposing.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/xyz_fixture.h"
#include "tools/datakit/figures.h"
#include "tools/datakit/models.h"
#include "tools/datakit/stage.h"

namespace {

using namespace datakit;

class ModelsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(9500);
        testenv::TestCallbackLog() = testenv::CallbackLog{};
    }
    void TearDown() override {
        if (anim_ != nullptr) D3DAnim_DestroyAnimData(&anim_);
        if (object_ != nullptr) D3DObj_Destroy(&object_);
        if (data_ != nullptr) FreeMemory(&data_);
        ClearStage();
        UninitMemory();
    }
    uint8_t* data_ = nullptr;
    D3DObj* object_ = nullptr;
    D3DAnim* anim_ = nullptr;
};

XyzVec Sub(XyzVec a, XyzVec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
XyzVec Cross(XyzVec a, XyzVec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float Dot(XyzVec a, XyzVec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

TEST_F(ModelsTest, FigureHangsEveryPointFromALowerPointOfItsBone) {
    const XyzModel figure = MakeFigure();
    const auto& bones = FigureBones();
    ASSERT_GE(figure.points.size(), size_t(FIGURE_BONE_COUNT));
    // Joint points: point bone - 1, turning with the parent bone.
    EXPECT_EQ(figure.points[0].parent, XYZ_NO_PARENT);
    EXPECT_EQ(figure.points[0].bone, BONE_PELVIS);
    for (uint16_t b = 2; b <= FIGURE_BONE_COUNT; ++b) {
        ASSERT_LT(bones[b].parent, b);
        EXPECT_EQ(figure.points[b - 1].bone, bones[b].parent) << bones[b].name;
        EXPECT_EQ(figure.points[b - 1].parent, bones[b].parent - 1) << bones[b].name;
    }
    std::set<uint16_t> bones_with_solids;
    for (size_t i = FIGURE_BONE_COUNT; i < figure.points.size(); ++i) {
        const XyzPoint& p = figure.points[i];
        ASSERT_GE(p.bone, 1);
        ASSERT_LE(p.bone, FIGURE_BONE_COUNT);
        EXPECT_EQ(p.parent, p.bone - 1) << "a solid's point hangs from its bone's joint";
        bones_with_solids.insert(p.bone);
        EXPECT_GE(p.position.y, 0.0f);
        EXPECT_LE(p.position.y, 1.81f);
    }
    EXPECT_EQ(bones_with_solids.size(), size_t(FIGURE_BONE_COUNT));
    EXPECT_FLOAT_EQ(FigureReferenceHeight(), figure.points[0].position.y);
    EXPECT_FLOAT_EQ(FigureReferenceHeight(FigureShape{1.1f, 1.0f}), 1.1f * figure.points[0].position.y);
}

TEST_F(ModelsTest, FigureSurfacesAreNamedAfterTheirTexturesAndFaceOutwards) {
    const XyzModel figure = MakeFigure();
    std::set<std::string> names;
    for (const XyzSurface& s : figure.surfaces) names.insert(s.texture);
    const std::set<std::string> expected = {"shirt.tga",   "shorts.tga", "socks.tga", "boots.tga",
                                            "armhand.tga", "leg.tga",    "face.tga",  "hair.tga"};
    EXPECT_EQ(names, expected);
    // Every solid is a box of 8 points and 6 quads; each face's normal, as
    // the object builder computes it, points away from the box's centre.
    ASSERT_EQ(figure.polygons.size() % 6, 0u);
    for (size_t box = 0; box < figure.polygons.size() / 6; ++box) {
        const size_t first_point = FIGURE_BONE_COUNT + 8 * box;
        XyzVec centre{0, 0, 0};
        for (size_t k = 0; k < 8; ++k) {
            const XyzVec& p = figure.points[first_point + k].position;
            centre = {centre.x + p.x / 8, centre.y + p.y / 8, centre.z + p.z / 8};
        }
        for (size_t f = 0; f < 6; ++f) {
            const XyzPolygon& q = figure.polygons[6 * box + f];
            ASSERT_EQ(q.count, 4u);
            const XyzVec p0 = figure.points[q.points[0]].position, p1 = figure.points[q.points[1]].position,
                         p2 = figure.points[q.points[2]].position;
            const XyzVec normal = Cross(Sub(p1, p2), Sub(p1, p0));
            EXPECT_GT(Dot(normal, Sub(p0, centre)), 0.0f) << "box " << box << " face " << f;
        }
    }
}

TEST_F(ModelsTest, WrittenFigureBuildsAnObjectPerTextureAndPosesByItsBones) {
    const std::vector<uint8_t> bytes = XyzWrite(MakeFigure());
    testenv::LoadTracked(&data_, bytes);
    D3DObj_CreateObjectFromXYZData(&object_, data_, testenv::TestObjectCallback, nullptr,
                                   D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
    EXPECT_EQ(object_->surface_count, 8u);
    D3DAnim_CreateAnimData(&anim_, data_, object_);

    Matrix bones[FIGURE_BONE_COUNT + 1];
    for (Matrix& m : bones) MatrixIdentity(&m);
    D3DAnim_ApplyBoneMatrices(anim_, bones, 1, FIGURE_BONE_COUNT + 1);
    const XyzModel figure = MakeFigure();
    const XyzVec root = figure.points[0].position;
    for (uint32_t i = 0; i < anim_->point_count; ++i) {
        const XyzVec rest = Sub(figure.points[i].position, root);
        EXPECT_NEAR(anim_->posed_positions[i].x, rest.x, 1e-5);
        EXPECT_NEAR(anim_->posed_positions[i].y, rest.y, 1e-5);
    }
    // The left arm raised sideways: its three bones turn a quarter, so
    // the hand ends out to the left at shoulder height; the right hand
    // stays down.
    for (uint16_t b : {BONE_LEFT_UPPER_ARM, BONE_LEFT_FOREARM, BONE_LEFT_HAND}) {
        MatrixRotateZ(&bones[b], float(-M_PI / 2));
    }
    D3DAnim_ApplyBoneMatrices(anim_, bones, 1, FIGURE_BONE_COUNT + 1);
    const float shoulder = FigureBones()[BONE_LEFT_UPPER_ARM].joint.y - root.y;
    for (uint32_t i = FIGURE_BONE_COUNT; i < anim_->point_count; ++i) {
        const Vector& p = anim_->posed_positions[i];
        if (figure.points[i].bone == BONE_LEFT_HAND) {
            EXPECT_GT(p.x, 0.7f);
            EXPECT_NEAR(p.y, shoulder, 0.05f);
        }
        if (figure.points[i].bone == BONE_RIGHT_HAND) {
            EXPECT_LT(p.y, 0.0f);
        }
    }
}

TEST_F(ModelsTest, TexturesAreSmallPowerOfTwoPicturesTheGameReads) {
    std::vector<std::pair<std::string, Picture>> pictures;
    for (int skin = 0; skin < 4; ++skin)
        pictures.emplace_back(kSkinNames[skin], MakeSkinPicture(skin, "leg"));
    for (int colour = 0; colour < 4; ++colour)
        pictures.emplace_back(kHairColourNames[colour], MakeHairPicture(1, colour));
    pictures.emplace_back("boots", MakeBootsPicture());
    pictures.emplace_back("kglove", MakeGlovePicture());
    pictures.emplace_back("cube", MakeCubeTexture());
    std::set<uint32_t> main_colours;
    for (const auto& [name, picture] : pictures) {
        std::vector<uint8_t> file = TgaWrite(picture);
        uint8_t* block = nullptr;
        AllocateMemory(&block, uint32_t(file.size()), MEM_TYPE_MANUAL_NO_MOVE);
        std::memcpy(block, file.data(), file.size());
        uint32_t size = uint32_t(file.size());
        ASSERT_EQ(LoadImageFile(&block, &size, 0, &ColFmt_A8R8G8B8), 0) << name;
        const uint32_t w = uint32_t(block[4] | block[5] << 8), h = uint32_t(block[6] | block[7] << 8);
        EXPECT_EQ(w, 64u);
        EXPECT_EQ(h, 64u);
        EXPECT_EQ(size, 16 + w * h * 4);
        uint32_t first, centre;
        std::memcpy(&first, block + 16, 4);
        std::memcpy(&centre, block + 16 + (32 * w + 40) * 4, 4);
        EXPECT_EQ(centre, picture.pixels[32 * 64 + 40]) << name;
        EXPECT_EQ(first >> 24, 0xFFu) << name << " is opaque";
        main_colours.insert(centre & 0xFFFFFF);
        FreeMemory(&block);
    }
    // Skin tones, hair colours, boots and gloves tell apart by colour.
    EXPECT_EQ(main_colours.size(), pictures.size());
}

TEST_F(ModelsTest, GeneratorStagesTheModelsAndTheirTextures) {
    GenerateModels();
    std::set<std::string> staged;
    for (const StagedFile* f : StagedPakFiles()) staged.insert(f->name);
    EXPECT_TRUE(staged.count("ZUDATA\\D3D\\SIMPLE\\MODEL\\CUBE.XYZ"));
    EXPECT_TRUE(staged.count("ZUDATA\\D3D\\SIMPLE\\TEXTURES\\CUBE.TGA"));
    EXPECT_EQ(staged.size(), 2u) << "the figures are staged with their looks";
}

TEST_F(ModelsTest, TheCubeIndexesToAtMost24VerticesAnd36Indices) {
    testenv::LoadTracked(&data_, XyzWrite(MakeCube()));
    XyzView view;
    ASSERT_EQ(XyzCheckData(&view, data_, MemBlockSize(data_)), nullptr);
    EXPECT_EQ(view.points.count, 8u);
    D3DObj_CreateObjectFromXYZData(&object_, data_, testenv::TestObjectCallback, nullptr, D3DOBJ_INDEXED);
    ASSERT_EQ(object_->surface_count, 1u);
    EXPECT_LE(object_->surfaces[0].vertex_count, 24u);  // corners differ by u, v only where faces meet
    EXPECT_EQ(object_->surfaces[0].index_count, 36u);
    EXPECT_EQ(testenv::TestCallbackLog().created, std::vector<std::string>{CUBE_TEXTURE_NAME});
}

TEST(ModelsDeathTest, TheWriterRefusesModelsTheGameCannotPose) {
    XyzModel model;
    XyzAddPoint(model, {0, 0, 0});
    XyzAddPoint(model, {0, 1, 0}, 1, 1);
    EXPECT_FATAL(XyzWrite(model), "datakit: model point 1 hangs from point 1, which is not numbered lower");
    XyzModel named;
    XyzSurfaceNamed(named, std::string(32, 'x'));
    EXPECT_FATAL(XyzWrite(named), "longer than 31 characters");
    XyzModel holes;
    XyzAddPoint(holes, {0, 0, 0});
    XyzAddQuad(holes, 0, {0, 0, 0, 0});
    EXPECT_FATAL(XyzWrite(holes), "polygon 0 has no surface");
}

}  // namespace
