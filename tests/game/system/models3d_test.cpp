#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "game/system/models3d.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/xyz_fixture.h"

namespace {

using testenv::CallbackLog;
using testenv::LoadTracked;
using testenv::TestCallbackLog;
using testenv::TestObjectCallback;
using testenv::XyzBytes;
using testenv::XyzCube;
using testenv::XyzTestModel;

class D3DObjTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(4096);
        TestCallbackLog() = CallbackLog{};
    }
    void TearDown() override {
        if (object_ != nullptr) D3DObj_Destroy(&object_);
        if (data_ != nullptr) FreeMemory(&data_);
        UninitMemory();
    }
    D3DObj* Build(const XyzTestModel& model, uint32_t flags) {
        LoadTracked(&data_, XyzBytes(model));
        D3DObj_CreateObjectFromXYZData(&object_, data_, TestObjectCallback, nullptr, flags);
        FreeMemory(&data_);  // the object needs the model no longer
        return object_;
    }
    const D3DObjTexVertex& TexVertex(int surface, uint32_t n) {
        return static_cast<const D3DObjTexVertex*>(object_->surfaces[surface].vertices)[n];
    }
    const D3DObjColVertex& ColVertex(int surface, uint32_t n) {
        return static_cast<const D3DObjColVertex*>(object_->surfaces[surface].vertices)[n];
    }

    uint8_t* data_ = nullptr;
    D3DObj* object_ = nullptr;
};

using Position = std::tuple<float, float, float>;

Position At(const D3DObjTexVertex& v) { return {v.x, v.y, v.z}; }

TEST_F(D3DObjTest, IndexedCubeSharesVerticesAndKeepsEveryTriangle) {
    const XyzTestModel cube = XyzCube();
    Build(cube, D3DOBJ_INDEXED);
    ASSERT_EQ(object_->surface_count, 1u);
    const D3DObjSurface& s = object_->surfaces[0];
    EXPECT_EQ(s.kind, D3DOBJ_TEXTURED | D3DOBJ_TRIANGLES);
    EXPECT_EQ(s.cull, 0);
    EXPECT_EQ(s.texture, 100u);
    EXPECT_EQ(s.points, nullptr);
    EXPECT_LE(s.vertex_count, 24u);
    EXPECT_GE(s.vertex_count, 8u);
    ASSERT_EQ(s.index_count, 36u);
    // Every vertex is distinct, and the indexes give back the faces'
    // triangles (0, 1, 2) and (2, 3, 0) in order.
    std::set<std::vector<uint8_t>> distinct;
    for (uint32_t v = 0; v < s.vertex_count; ++v) {
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&TexVertex(0, v));
        distinct.emplace(bytes, bytes + sizeof(D3DObjTexVertex));
    }
    EXPECT_EQ(distinct.size(), s.vertex_count);
    constexpr int kOrder[6] = {0, 1, 2, 2, 3, 0};
    for (uint32_t i = 0; i < 36; ++i) {
        const auto& polygon = cube.polygons[i / 6];
        const auto& point = cube.points[polygon.points[kOrder[i % 6]]];
        ASSERT_LT(s.indices[i], s.vertex_count);
        const D3DObjTexVertex& v = TexVertex(0, s.indices[i]);
        EXPECT_EQ(At(v), Position(point.x, point.y, point.z)) << "index " << i;
        EXPECT_EQ(v.u, polygon.u[kOrder[i % 6]]);
        EXPECT_EQ(v.v, polygon.v[kOrder[i % 6]]);
    }
}

TEST_F(D3DObjTest, PlainSurfacesSplitQuadsIntoTwoTriangles) {
    XyzTestModel model;
    model.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    model.surfaces = {{"grass"}};
    model.polygons = {{0, 4, {0, 1, 2, 3}, {0.0f, 0.25f, 0.5f, 0.75f}, {}}};
    Build(model, 0);
    const D3DObjSurface& s = object_->surfaces[0];
    EXPECT_EQ(s.indices, nullptr);
    ASSERT_EQ(s.vertex_count, 6u);
    const float expected_u[6] = {0.0f, 0.25f, 0.5f, 0.5f, 0.75f, 0.0f};  // a b c, c d a
    for (int i = 0; i < 6; ++i) EXPECT_EQ(TexVertex(0, i).u, expected_u[i]);
}

TEST_F(D3DObjTest, SurfacesOfOneNameShareARenderSurfacePerPolygonSize) {
    XyzTestModel model;
    model.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    model.surfaces = {{"stand"}, {"roof"}, {"stand"}, {"advert"}};
    model.polygons = {
        {0, 3, {0, 1, 2}}, {2, 4, {0, 1, 2, 3}}, {1, 3, {1, 2, 3}},
        {2, 3, {2, 3, 0}}, {3, 2, {0, 1}},       {0, 5, {0, 1, 2, 3}},  // a size the program ignores
    };
    Build(model, D3DOBJ_INDEXED);
    // advert lines, roof triangles, stand triangles, stand quads: sorted by
    // name, the sizes of one name next to each other.
    ASSERT_EQ(object_->surface_count, 4u);
    const std::vector<std::string> expected = {"advert", "roof", "stand", "stand"};
    std::vector<std::string> created = TestCallbackLog().created;
    std::vector<std::string> by_handle;
    for (uint32_t r = 0; r < 4; ++r) by_handle.push_back(created[object_->surfaces[r].texture - 100]);
    EXPECT_EQ(by_handle, expected);
    EXPECT_EQ(object_->surfaces[0].kind, D3DOBJ_TEXTURED | D3DOBJ_LINES);
    EXPECT_EQ(object_->surfaces[2].kind & 0xF0, D3DOBJ_TRIANGLES);
    EXPECT_EQ(object_->surfaces[3].kind & 0xF0, D3DOBJ_TRIANGLES);
    // The two stand triangles of surfaces 0 and 2 landed in one render
    // surface, the quad (two triangles) in the other.
    EXPECT_EQ(object_->surfaces[2].index_count + object_->surfaces[3].index_count, 12u);
    EXPECT_EQ(object_->surfaces[1].index_count, 3u);
    EXPECT_EQ(object_->surfaces[0].index_count, 2u);
}

TEST_F(D3DObjTest, ColouredSurfacesCarryTheirColourInEveryVertex) {
    XyzTestModel model;
    model.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    model.surfaces = {{"", {10, 20, 30, 40}}, {"", {255, 0, 128, 255}}, {"named", {1, 2, 3, 4}}};
    model.polygons = {{0, 3, {0, 1, 2}}, {1, 3, {2, 1, 0}}, {2, 3, {0, 2, 1}}};
    Build(model, D3DOBJ_ALL_COLOURED);
    // Every surface is coloured; the two unnamed ones share a render surface.
    ASSERT_EQ(object_->surface_count, 2u);
    EXPECT_TRUE(TestCallbackLog().created.empty());
    for (uint32_t r = 0; r < 2; ++r) {
        EXPECT_EQ(object_->surfaces[r].kind, D3DOBJ_COLOURED | D3DOBJ_TRIANGLES);
        EXPECT_EQ(object_->surfaces[r].texture, D3DOBJ_NO_TEXTURE);
    }
    EXPECT_EQ(ColVertex(0, 0).colour, 0x280A141Eu);
    EXPECT_EQ(ColVertex(0, 3).colour, 0xFFFF0080u);
    EXPECT_EQ(ColVertex(1, 0).colour, 0x04010203u);
    int colour_events = 0;
    for (uint8_t e : TestCallbackLog().events) colour_events += e == D3DOBJ_EVENT_COLOURCREATE;
    EXPECT_EQ(colour_events, 2);
}

TEST_F(D3DObjTest, DoubleSidedBitsChooseTheCullFlagsOnlyWhenAsked) {
    XyzTestModel model = XyzCube("a");
    model.surfaces.push_back({"b"});
    model.surfaces[1].flags = 1;
    model.polygons[5].surface = 1;
    Build(model, D3DOBJ_DOUBLE_SIDED);
    EXPECT_EQ(object_->surfaces[0].cull, D3DOBJ_CULL_CCW);
    EXPECT_EQ(object_->surfaces[1].cull, D3DOBJ_CULL_NONE);
    D3DObj_Destroy(&object_);

    Build(model, 0);
    EXPECT_EQ(object_->surfaces[1].cull, 0);
    D3DObj_Destroy(&object_);

    // Surfaces of 68 bytes have no flags byte.
    model.surface_stride = 68;
    Build(model, D3DOBJ_DOUBLE_SIDED);
    EXPECT_EQ(object_->surfaces[1].cull, D3DOBJ_CULL_CCW);
}

TEST_F(D3DObjTest, NormalsFaceOutwardsFlatOrAveragedAtThePoints) {
    const XyzTestModel cube = XyzCube();
    Build(cube, D3DOBJ_FLAT);
    // Clockwise faces seen from outside get outward normals.
    for (uint32_t v = 0; v < 36; ++v) {
        const D3DObjTexVertex& t = TexVertex(0, v);
        const float dot = t.nx * t.x + t.ny * t.y + t.nz * t.z;
        EXPECT_FLOAT_EQ(dot, 1.0f) << "vertex " << v;
        EXPECT_FLOAT_EQ(std::fabs(t.nx) + std::fabs(t.ny) + std::fabs(t.nz), 1.0f);
    }
    D3DObj_Destroy(&object_);

    Build(cube, 0);
    const float k = 1.0f / std::sqrt(3.0f);
    for (uint32_t v = 0; v < 36; ++v) {
        const D3DObjTexVertex& t = TexVertex(0, v);
        EXPECT_NEAR(t.nx, t.x * k, 1e-6);
        EXPECT_NEAR(t.ny, t.y * k, 1e-6);
        EXPECT_NEAR(t.nz, t.z * k, 1e-6);
    }
}

TEST_F(D3DObjTest, PointNumbersAndPointListsStayUnindexed) {
    XyzTestModel model;
    model.points = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}};
    model.surfaces = {{"dot"}};
    model.polygons = {{0, 1, {3}}, {0, 1, {1}}, {0, 1, {3}}, {0, 2, {0, 2}}, {0, 2, {2, 0}}};
    Build(model, D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
    ASSERT_EQ(object_->surface_count, 2u);
    const D3DObjSurface& points =
        object_->surfaces[0].kind & D3DOBJ_POINTS ? object_->surfaces[0] : object_->surfaces[1];
    const D3DObjSurface& lines =
        object_->surfaces[0].kind & D3DOBJ_LINES ? object_->surfaces[0] : object_->surfaces[1];
    EXPECT_EQ(points.indices, nullptr);
    ASSERT_EQ(points.vertex_count, 3u);
    EXPECT_EQ(points.points[0], 3);
    EXPECT_EQ(points.points[1], 1);
    EXPECT_EQ(points.points[2], 3);
    ASSERT_NE(lines.indices, nullptr);
    EXPECT_EQ(lines.vertex_count, 2u);  // the same two vertices, both ways
    EXPECT_EQ(lines.index_count, 4u);
    EXPECT_EQ(lines.points[lines.indices[2]], 2);
}

TEST_F(D3DObjTest, EqualVerticesOfDifferentPointsStayApartWhenPointsAreKept) {
    XyzTestModel model;
    model.points = {{0, 0, 0}, {0, 0, 0}, {1, 0, 0}};  // two points at one place
    model.surfaces = {{"s"}};
    model.polygons = {{0, 2, {0, 2}}, {0, 2, {1, 2}}};
    Build(model, D3DOBJ_INDEXED);
    EXPECT_EQ(object_->surfaces[0].vertex_count, 2u);
    D3DObj_Destroy(&object_);
    Build(model, D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
    EXPECT_EQ(object_->surfaces[0].vertex_count, 3u);
}

TEST_F(D3DObjTest, ArraysGrowBySixtyFourEntries) {
    XyzTestModel model;
    for (int i = 0; i < 100; ++i) model.points.push_back({float(i), 0, 0});
    model.surfaces = {{"s"}};
    for (uint32_t i = 0; i < 100; ++i) model.polygons.push_back({0, 1, {i}});
    Build(model, D3DOBJ_KEEP_POINTS);
    EXPECT_EQ(object_->surfaces[0].vertex_count, 100u);
    EXPECT_EQ(object_->surfaces[0].vertex_capacity, 128u);
    EXPECT_EQ(object_->surfaces[0].points[99], 99);
    EXPECT_EQ(TexVertex(0, 99).x, 99.0f);
}

TEST_F(D3DObjTest, DestroyReleasesEveryTextureAndEveryBlock) {
    const uint32_t before = MemAllocatedCount();
    XyzTestModel model = XyzCube("a");
    model.surfaces.push_back({"b"});
    model.surfaces[1].block_tag = 7;
    model.surfaces.push_back({""});
    model.polygons[4].surface = 1;
    model.polygons[5].surface = 2;
    Build(model, D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
    // Sorted by name, the unnamed (coloured) surface comes first.
    EXPECT_EQ(object_->surfaces[2].value, 7u);  // the callback's second word is kept
    D3DObj_Destroy(&object_);
    EXPECT_EQ(object_, nullptr);
    EXPECT_EQ(MemAllocatedCount(), before);
    EXPECT_EQ(TestCallbackLog().destroyed, (std::vector<uint32_t>{D3DOBJ_NO_TEXTURE, 100, 101}));
}

TEST_F(D3DObjTest, ACallbackMayOrderTheSurfacesItself) {
    XyzTestModel model;
    model.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    model.surfaces = {{"b"}, {"a"}, {"c"}};
    for (uint32_t s = 0; s < 3; ++s) model.polygons.push_back({s, 3, {0, 1, 2}});
    LoadTracked(&data_, XyzBytes(model));
    // Reverse name order, by a callback that handles the comparison.
    auto reverse = [](const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) -> int {
        if (record->event != D3DOBJ_EVENT_COMPARE) return TestObjectCallback(record, output);
        output->compare = -std::strcmp(reinterpret_cast<const char*>(record->surface1),
                                       reinterpret_cast<const char*>(record->surface2));
        return 1;
    };
    D3DObj_CreateObjectFromXYZData(&object_, data_, reverse, nullptr, 0);
    std::string order;
    for (uint32_t r = 0; r < 3; ++r) order += TestCallbackLog().created[object_->surfaces[r].texture - 100];
    EXPECT_EQ(order, "cba");
}

TEST_F(D3DObjTest, LogsTheBuildOnTheDirect3DChannel) {
    DebugSetLevel(DEBUG_DIRECT3D, 50);
    StdoutCapture capture;
    Build(XyzCube(), 0);
    const std::string log = capture.Text();
    DebugSetLevel(DEBUG_DIRECT3D, 0);
    EXPECT_NE(log.find("D3DObj_CreateObjectFromXYZData(): creating object...\n"), std::string::npos);
    EXPECT_NE(log.find("D3DObj_CreateObjectFromXYZData(): creating 1 textuers from 1 surfaces\n"),
              std::string::npos);
    EXPECT_LT(log.find("combining common surfaces"), log.find("all done - tidying up"));
}

using D3DObjDeathTest = D3DObjTest;

TEST_F(D3DObjDeathTest, BadModelDataEndsTheProgramBeforeAnythingIsBuilt) {
    std::vector<uint8_t> bytes = XyzBytes(XyzCube());
    bytes[0] = 'Q';
    LoadTracked(&data_, bytes);
    EXPECT_FATAL(D3DObj_CreateObjectFromXYZData(&object_, data_, TestObjectCallback, nullptr, 0),
                 "D3DObj_CreateObjectFromXYZData\\(\\): bad data passed in");
    FreeMemory(&data_);

    XyzTestModel model = XyzCube();
    model.polygons[3].surface = 4;
    LoadTracked(&data_, XyzBytes(model));
    EXPECT_FATAL(D3DObj_CreateObjectFromXYZData(&object_, data_, TestObjectCallback, nullptr, 0),
                 "Error: D3DObj_CreateObjectFromXYZData\\(\\): no texture object for texture 4 "
                 "\\(poly 3, 4 points\\)");
    FreeMemory(&data_);

    model = XyzCube();
    model.polygons[1].points[2] = 8;
    LoadTracked(&data_, XyzBytes(model));
    EXPECT_FATAL(D3DObj_CreateObjectFromXYZData(&object_, data_, TestObjectCallback, nullptr, 0),
                 "bad model data: polygon 1 uses a point that does not exist");
    FreeMemory(&data_);

    std::vector<uint8_t> loose = XyzBytes(XyzCube());
    EXPECT_FATAL(D3DObj_CreateObjectFromXYZData(&object_, loose.data(), TestObjectCallback, nullptr, 0),
                 "bad data passed in");
}

// Kept point numbers are 16 bits wide: one point more than they can number
// is refused before anything is built.
TEST_F(D3DObjDeathTest, MorePointsThanKeptNumbersCanNameEndTheProgram) {
    XyzTestModel model = XyzCube();
    model.points.resize(65537, model.points[0]);
    LoadTracked(&data_, XyzBytes(model));
    EXPECT_FATAL(
        D3DObj_CreateObjectFromXYZData(&object_, data_, TestObjectCallback, nullptr, D3DOBJ_KEEP_POINTS),
        "Error: D3DObj_CreateObjectFromXYZData\\(\\): 65537 points are too many to keep point numbers "
        "for");
    // Without point numbers to keep, the same data builds.
    D3DObj_CreateObjectFromXYZData(&object_, data_, TestObjectCallback, nullptr, 0);
    ASSERT_NE(object_, nullptr);
    EXPECT_EQ(object_->surface_count, 1u);
}

TEST_F(D3DObjDeathTest, TexturesNeedACallbackThatMakesAndReleasesThem) {
    LoadTracked(&data_, XyzBytes(XyzCube()));
    auto nothing = [](const D3DObjCallbackRecord*, D3DObjCallbackOutput*) { return 0; };
    EXPECT_FATAL(D3DObj_CreateObjectFromXYZData(&object_, data_, nothing, nullptr, 0),
                 "D3DObjDefaultCallback\\(\\): no default action for TEXTURECREATE");
    D3DObj_CreateObjectFromXYZData(&object_, data_, TestObjectCallback, nullptr, 0);
    object_->callback = nothing;
    EXPECT_FATAL(D3DObj_Destroy(&object_),
                 "D3DObjDefaultCallback\\(\\): no default action for TEXTUREDESTROY");
    object_->callback = TestObjectCallback;
}

}  // namespace
