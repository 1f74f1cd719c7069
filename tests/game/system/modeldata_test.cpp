#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "core/base/trackedmemory.h"
#include "game/system/modeldata.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/xyz_fixture.h"

namespace {

using testenv::LoadTracked;
using testenv::XyzBytes;
using testenv::XyzCube;
using testenv::XyzTestModel;

class XyzDataTest : public ::testing::Test {
  protected:
    void SetUp() override { InitMemory(4096); }
    void TearDown() override {
        if (data_ != nullptr) FreeMemory(&data_);
        UninitMemory();
    }
    uint8_t* Load(const XyzTestModel& model) { return LoadTracked(&data_, XyzBytes(model)); }
    float PointX(int i) { return recbits::LoadF32(static_cast<uint8_t*>(XyzGetItem1(data_, i))); }
    float PointY(int i) { return recbits::LoadF32(static_cast<uint8_t*>(XyzGetItem1(data_, i)) + 4); }
    float PointZ(int i) { return recbits::LoadF32(static_cast<uint8_t*>(XyzGetItem1(data_, i)) + 8); }

    uint8_t* data_ = nullptr;
};

TEST_F(XyzDataTest, ItemsAreFoundByIndexWithinTheirTables) {
    XyzTestModel model = XyzCube();
    model.point_stride = 20;  // strides other than the smallest are honoured
    Load(model);
    EXPECT_EQ(XyzGetItem1(data_, -1), nullptr);
    EXPECT_EQ(XyzGetItem1(data_, 8), nullptr);
    EXPECT_EQ(XyzGetItem2(data_, 1), nullptr);
    EXPECT_EQ(XyzGetItem3(data_, 6), nullptr);
    EXPECT_EQ(XyzGetItem3(data_, INT32_MIN), nullptr);
    EXPECT_EQ(static_cast<uint8_t*>(XyzGetItem1(data_, 3)), data_ + 44 + 3 * 20);
    EXPECT_EQ(PointX(3), 1.0f);
    EXPECT_EQ(PointY(3), 1.0f);
    EXPECT_EQ(PointZ(3), -1.0f);
    EXPECT_EQ(std::string(static_cast<char*>(XyzGetItem2(data_, 0))), "crate");
    EXPECT_EQ(recbits::LoadU32(static_cast<uint8_t*>(XyzGetItem3(data_, 5)) + 4), 4u);
}

TEST_F(XyzDataTest, TranslateScaleAndRotateEveryPoint) {
    Load(XyzCube());
    XyzTranslate(data_, 1.0f, 2.0f, 3.0f);
    EXPECT_EQ(PointX(0), 0.0f);
    EXPECT_EQ(PointY(0), 1.0f);
    EXPECT_EQ(PointZ(0), 2.0f);
    XyzScale(data_, 2.0f, -1.0f, 0.5f);
    EXPECT_EQ(PointX(7), 4.0f);
    EXPECT_EQ(PointY(7), -3.0f);
    EXPECT_EQ(PointZ(7), 2.0f);

    // A quarter turn: y' = y cos a - z sin a, z' = y sin a + z cos a.
    XyzRotateX(data_, float(M_PI / 2));
    EXPECT_NEAR(PointY(7), -2.0f, 1e-6);
    EXPECT_NEAR(PointZ(7), -3.0f, 1e-6);
    XyzRotateY(data_, float(M_PI / 2));  // x' = x cos a + z sin a, z' = z cos a - x sin a
    EXPECT_NEAR(PointX(7), -3.0f, 1e-6);
    EXPECT_NEAR(PointZ(7), -4.0f, 1e-6);
    XyzRotateZ(data_, float(M_PI / 2));  // x' = x cos a - y sin a, y' = x sin a + y cos a
    EXPECT_NEAR(PointX(7), 2.0f, 1e-6);
    EXPECT_NEAR(PointY(7), -3.0f, 1e-6);
}

TEST_F(XyzDataTest, SortPutsTheFarthestPolygonsFirst) {
    XyzTestModel model;
    for (float z : {5.0f, 1.0f, 9.0f, 3.0f}) {
        model.points.push_back({0.0f, 0.0f, z});
        model.points.push_back({2.0f, 0.0f, z});
    }
    model.surfaces.push_back({"s"});
    for (uint32_t i = 0; i < 4; ++i) model.polygons.push_back({0, 2, {2 * i, 2 * i + 1}});
    model.polygons.push_back({0, 7, {}});  // a size the program ignores sorts as nearest
    Load(model);
    XyzSort(data_, 1.0f, 0.0f, 0.0f);
    const uint32_t expected_first_point[4] = {4, 0, 6, 2};  // z 9, 5, 3, 1
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(recbits::LoadU32(static_cast<uint8_t*>(XyzGetItem3(data_, i)) + 8),
                  expected_first_point[i]);
    }
    EXPECT_EQ(recbits::LoadU32(static_cast<uint8_t*>(XyzGetItem3(data_, 4)) + 4), 7u);
    // From the other side the order turns round.
    XyzSort(data_, 1.0f, 0.0f, 20.0f);
    EXPECT_EQ(recbits::LoadU32(static_cast<uint8_t*>(XyzGetItem3(data_, 0)) + 8), 2u);
}

TEST(StrReplaceFirst, ReplacesOnlyTheFirstOccurrenceInPlace) {
    char name[32] = "kit#lang#";
    EXPECT_EQ(StrReplaceFirst(name, "#lang#", "ENG"), name);
    EXPECT_STREQ(name, "kitENG");

    char twice[32] = "#lang#_#lang#.tga";
    StrReplaceFirst(twice, "#lang#", "FRA");
    EXPECT_STREQ(twice, "FRA_#lang#.tga");

    char longer[32] = "a#b";
    StrReplaceFirst(longer, "#", "###");
    EXPECT_STREQ(longer, "a###b");

    char plain[32] = "goalnet";
    EXPECT_EQ(StrReplaceFirst(plain, "#lang#", "ENG"), nullptr);
    EXPECT_STREQ(plain, "goalnet");
}

TEST_F(XyzDataTest, CheckRefusesDataThatPointsOutsideItself) {
    XyzView view;
    auto check = [&](const XyzTestModel& model, size_t cut = 0) {
        std::vector<uint8_t> bytes = XyzBytes(model);
        bytes.resize(bytes.size() - cut);
        const char* fault = XyzCheckData(&view, bytes.data(), uint32_t(bytes.size()));
        return std::string(fault != nullptr ? fault : "");
    };
    EXPECT_EQ(check(XyzCube()), "");
    EXPECT_EQ(check(XyzCube(), 1), "polygon table runs outside the data");
    XyzTestModel model = XyzCube();
    model.point_stride = 11;
    EXPECT_EQ(check(model), "point stride 11 is below 12");
    model = XyzCube();
    model.surface_stride = 67;
    EXPECT_EQ(check(model), "surface stride 67 is below 68");
    model = XyzCube();
    model.polygons[2].points[3] = 8;
    EXPECT_EQ(check(model), "polygon 2 uses a point that does not exist");
    model.polygons[2].count = 3;  // the fourth point is not used any more
    EXPECT_EQ(check(model), "");
    model.polygons[2].count = 9;  // nor in a polygon the program ignores
    EXPECT_EQ(check(model), "");

    std::vector<uint8_t> bytes = XyzBytes(XyzCube());
    EXPECT_STREQ(XyzCheckData(&view, bytes.data(), 43), "too short for an XYZ0 header");
    bytes[3] = '1';
    EXPECT_STREQ(XyzCheckData(&view, bytes.data(), uint32_t(bytes.size())), "not XYZ0 data");
    bytes = XyzBytes(XyzCube());
    // A count so large that count x stride wraps 32 bits.
    bytes[12] = 0x00, bytes[13] = 0x00, bytes[14] = 0x00, bytes[15] = 0x10;
    EXPECT_STREQ(XyzCheckData(&view, bytes.data(), uint32_t(bytes.size())),
                 "point table runs outside the data");
    bytes = XyzBytes(XyzCube());
    bytes[32] = 44;  // polygons laid over the points
    EXPECT_STREQ(XyzCheckData(&view, bytes.data(), uint32_t(bytes.size())), "two tables overlap");
    bytes = XyzBytes(XyzCube());
    bytes[8] = 40;
    EXPECT_STREQ(XyzCheckData(&view, bytes.data(), uint32_t(bytes.size())), "a table overlaps the header");
}

using XyzDataDeathTest = XyzDataTest;

TEST_F(XyzDataDeathTest, OperationsEndTheProgramOnBadData) {
    XyzTestModel model = XyzCube();
    model.polygons[0].points[0] = 99;
    Load(model);
    EXPECT_FATAL(XyzSort(data_, 0, 0, 0), "Error: XyzSort\\(\\): bad model data: polygon 0 uses a point");
    std::vector<uint8_t> loose = XyzBytes(XyzCube());
    EXPECT_FATAL(XyzTranslate(loose.data(), 1, 1, 1),
                 "Error: XyzTranslate\\(\\): model data is not a loaded block");
}

}  // namespace
