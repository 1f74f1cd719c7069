#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/base/trackedmemory.h"
#include "game/system/skeletalposing.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/xyz_fixture.h"

namespace {

using testenv::CallbackLog;
using testenv::LoadTracked;
using testenv::TestCallbackLog;
using testenv::TestObjectCallback;
using testenv::XyzBytes;
using testenv::XyzTestModel;

// Three points in a chain, 0 the root, 1 hanging from 0, 2 from 1, drawn
// as two lines so that every point has vertices.
XyzTestModel Chain(uint16_t bone2 = 1) {
    XyzTestModel m;
    m.points = {{1, 2, 3, 1, 0xFFFF}, {2, 4, 3, 1, 0}, {2, 7, 5, bone2, 1}};
    m.surfaces = {{"bone"}};
    m.polygons = {{0, 2, {0, 1}}, {0, 2, {1, 2}}};
    return m;
}

class D3DAnimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(4096);
        TestCallbackLog() = CallbackLog{};
        for (Matrix& m : bones_) MatrixIdentity(&m);
    }
    void TearDown() override {
        if (anim_ != nullptr) D3DAnim_DestroyAnimData(&anim_);
        if (object_ != nullptr) D3DObj_Destroy(&object_);
        if (data_ != nullptr) FreeMemory(&data_);
        UninitMemory();
    }
    void Build(const XyzTestModel& model, uint32_t flags = D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS) {
        LoadTracked(&data_, XyzBytes(model));
        D3DObj_CreateObjectFromXYZData(&object_, data_, TestObjectCallback, nullptr, flags);
        D3DAnim_CreateAnimData(&anim_, data_, object_);
    }
    void ExpectPosed(uint32_t point, float x, float y, float z) {
        const Vector& p = anim_->posed_positions[point];
        EXPECT_NEAR(p.x, x, 1e-5) << "point " << point;
        EXPECT_NEAR(p.y, y, 1e-5) << "point " << point;
        EXPECT_NEAR(p.z, z, 1e-5) << "point " << point;
    }

    uint8_t* data_ = nullptr;
    D3DObj* object_ = nullptr;
    D3DAnim* anim_ = nullptr;
    Matrix bones_[19];
};

TEST_F(D3DAnimTest, AChainPosedByIdentityLosesTheRootPosition) {
    Build(Chain());
    EXPECT_EQ(anim_->point_count, 3u);
    D3DAnim_ApplyBoneMatrices(anim_, bones_, 1, 19);
    ExpectPosed(0, 0, 0, 0);
    ExpectPosed(1, 1, 2, 0);  // P1 - P0
    ExpectPosed(2, 1, 5, 2);  // P2 - P0
}

TEST_F(D3DAnimTest, BonesTurnTheirOffsetsAndChildrenFollowTheirParents) {
    XyzTestModel m = Chain(2);
    m.points[0].bone = 3;
    Build(m);
    MatrixSetTranslation(&bones_[3], 10, 0, 0);  // the root sits at its bone's translation
    MatrixRotateZ(&bones_[2], float(M_PI / 2));
    D3DAnim_ApplyBoneMatrices(anim_, bones_, 1, 19);
    ExpectPosed(0, 10, 0, 0);
    ExpectPosed(1, 11, 2, 0);
    // Offset (0, 3, 2) turned a quarter about z (row vectors: x' = x c + y s).
    ExpectPosed(2, 11 + 3, 2, 2);

    // Bone 2 outside the posed range keeps its rest offset but still
    // follows its parent.
    D3DAnim_ApplyBoneMatrices(anim_, bones_, 1, 2);
    ExpectPosed(0, 0, 0, 0);
    ExpectPosed(2, 1, 5, 2);
    // A translation in a child's bone moves the child by it as well.
    MatrixSetTranslation(&bones_[1], 0, 0, 100);
    D3DAnim_ApplyBoneMatrices(anim_, bones_, 1, 4);
    ExpectPosed(1, 11, 2, 100);
}

TEST_F(D3DAnimTest, PosedPointsAreWrittenIntoTheVertices) {
    Build(Chain(2));
    MatrixRotateZ(&bones_[2], float(M_PI));
    D3DAnim_ApplyBoneMatrices(anim_, bones_, 1, 19);
    // A vertex with a point number beyond the model stays as it is.
    D3DObjSurface* s = &object_->surfaces[0];
    const D3DObjTexVertex stray{9, 9, 9, 0, 0, 1, 0, 0};
    const uint32_t n = D3DObjSurfaceAddVertex(s, &stray, 3);
    D3DAnim_ApplyConvPoints2Object(anim_);
    const D3DObjTexVertex* v = static_cast<const D3DObjTexVertex*>(s->vertices);
    bool saw_tip = false;
    for (uint32_t i = 0; i < n; ++i) {
        const Vector& p = anim_->posed_positions[s->points[i]];
        EXPECT_EQ(v[i].x, p.x);
        EXPECT_EQ(v[i].y, p.y);
        EXPECT_EQ(v[i].z, p.z);
        saw_tip |= s->points[i] == 2;
    }
    EXPECT_TRUE(saw_tip);
    ExpectPosed(2, 1, 2 - 3, 2);
    EXPECT_EQ(v[n].x, 9.0f);
    EXPECT_EQ(v[n].nz, 1.0f);
}

TEST_F(D3DAnimTest, NormalsTurnWithoutTranslationAndWithoutRenormalising) {
    XyzTestModel m;
    m.points = {{0, 0, 0, 1, 0xFFFF}, {1, 0, 0, 1, 0}, {0, 1, 0, 1, 0}};
    m.surfaces = {{""}};               // coloured vertices take part as well
    m.polygons = {{0, 3, {0, 2, 1}}};  // clockwise from -z: normal (0, 0, -1)
    Build(m);
    EXPECT_NEAR(anim_->rest_normals[1].z, -1.0f, 1e-6);
    MatrixSetScale(&bones_[1], 2, 2, 2);
    MatrixTranslate(&bones_[1], 5, 5, 5);
    D3DAnim_ApplyBoneMatrices(anim_, bones_, 1, 19);
    EXPECT_NEAR(anim_->posed_normals[1].z, -2.0f, 1e-6);
    EXPECT_NEAR(anim_->posed_normals[1].x, 0.0f, 1e-6);
    D3DAnim_ApplyConvPoints2Object(anim_);
    const D3DObjColVertex* v = static_cast<const D3DObjColVertex*>(object_->surfaces[0].vertices);
    EXPECT_NEAR(v[0].nz, -2.0f, 1e-6);
}

TEST_F(D3DAnimTest, CreationReportsRootsAndSelfParents) {
    XyzTestModel m = Chain();
    m.points.push_back({0, 0, 0, 1, 3});  // its own parent
    m.polygons.push_back({0, 2, {2, 3}});
    StdoutCapture capture;
    Build(m);
    const std::string text = capture.Text();
    EXPECT_NE(text.find("Point 0 has 65535 parent\n"), std::string::npos);
    EXPECT_EQ(text.find("Point 0 has", text.find("Point 0 has") + 1), std::string::npos);
    EXPECT_NE(text.find("Warning: point 3 is parent to itself\n"), std::string::npos);
    EXPECT_NEAR(anim_->rest_positions[3].x, 0.0f, 1e-6);
}

// A parent one past the last point hangs nothing from outside the points:
// the point is posed as a root.
TEST_F(D3DAnimTest, AParentPastTheLastPointPosesAsARoot) {
    XyzTestModel m = Chain();
    m.points[0].parent = 3;
    StdoutCapture capture;
    Build(m);
    EXPECT_NE(capture.Text().find("Point 0 has 3 parent\n"), std::string::npos);
    MatrixSetTranslation(&bones_[1], 10, 0, 0);  // bone 1 moves its points 10 along x
    D3DAnim_ApplyBoneMatrices(anim_, bones_, 0, 19);
    ExpectPosed(0, 10.0f, 0.0f, 0.0f);
    ExpectPosed(1, 21.0f, 2.0f, 0.0f);
}

TEST_F(D3DAnimTest, DestroyFreesTheRecordButNotTheObject) {
    LoadTracked(&data_, XyzBytes(Chain()));
    D3DObj_CreateObjectFromXYZData(&object_, data_, TestObjectCallback, nullptr, D3DOBJ_KEEP_POINTS);
    const uint32_t with_object = MemAllocatedCount();
    D3DAnim_CreateAnimData(&anim_, data_, object_);
    EXPECT_EQ(MemAllocatedCount(), with_object + 7);  // the record and its six arrays
    D3DAnim_DestroyAnimData(&anim_);
    EXPECT_EQ(anim_, nullptr);
    EXPECT_EQ(MemAllocatedCount(), with_object);
    EXPECT_EQ(object_->surface_count, 1u);
}

using D3DAnimDeathTest = D3DAnimTest;

TEST_F(D3DAnimDeathTest, PointsWithoutBonesOrObjectsWithoutPointNumbersAreRefused) {
    XyzTestModel m = Chain();
    m.point_stride = 12;
    LoadTracked(&data_, XyzBytes(m));
    D3DObj_CreateObjectFromXYZData(&object_, data_, TestObjectCallback, nullptr, D3DOBJ_KEEP_POINTS);
    EXPECT_FATAL(D3DAnim_CreateAnimData(&anim_, data_, object_),
                 "D3DAnim_CreateAnimData\\(\\): file format problem - point format wrong");
    D3DObj_Destroy(&object_);
    FreeMemory(&data_);

    LoadTracked(&data_, XyzBytes(Chain()));
    D3DObj_CreateObjectFromXYZData(&object_, data_, TestObjectCallback, nullptr, 0);
    EXPECT_FATAL(D3DAnim_CreateAnimData(&anim_, data_, object_), "object keeps no point numbers");
}

}  // namespace
