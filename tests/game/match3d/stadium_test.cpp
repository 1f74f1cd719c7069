// The stadium: the choice of the ground from the match record, every list
// loaded from the generated archive, the camera lists, the crowd textures,
// floodlight shadows, and the large ground drawn from its first camera.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchsetup.h"
#include "game/match3d/kitload.h"
#include "game/match3d/matchtextures.h"
#include "game/match3d/renderview.h"
#include "game/match3d/stadium.h"
#include "game/screens/engine/loadanim.h"
#include "game/system/device3d.h"
#include "game/system/renderstates.h"
#include "platform/d3d.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/xyz_fixture.h"

namespace {

constexpr int kStadW = 320, kStadH = 240;
constexpr uint32_t kStadMagenta = 0xFF00FF;

void StadSetGround(int levels, bool night, bool practice = false) {
    EnterGameInfo* block = GetMatchSetupBlock();
    for (int stand = 0; stand < gameinfo::kStands; ++stand) {
        const int share = levels / 4 + (stand < levels % 4 ? 1 : 0);
        block->SetI16(gameinfo::kStadiumLevel + 2 * stand, int16_t(share));
    }
    block->SetU8(gameinfo::kNightMatch, night ? 1 : 0);
    block->SetTeamI16(0, gameinfo::kTeamClub, 10);
    block->SetTeamI16(1, gameinfo::kTeamClub, practice ? 10 : 11);
}

// The camera looking from an eye at a point, as the camera hands it on.
void StadLookAt(const float* eye, float x, float y, float z) {
    const float yaw = std::atan2(eye[0] - x, eye[1] - y);
    const float horizontal = std::hypot(eye[0] - x, eye[1] - y);
    const float tilt = std::atan2(z - eye[2], horizontal) - 1.5707964f;
    MatchCam_SetView(eye[0], eye[1], eye[2], yaw, tilt, 1.0f);
}

TEST(StadiumChoiceTest, LevelsNightAndPracticeChooseTheList) {
    ClearMatchSetupBlock();
    const std::pair<int, int> sizes[] = {{20, kStadiumLargeDay},  {40, kStadiumLargeDay},
                                         {19, kStadiumMediumDay}, {8, kStadiumMediumDay},
                                         {7, kStadiumSmallDay},   {0, kStadiumSmallDay}};
    for (auto [levels, list] : sizes) {
        StadSetGround(levels, false);
        EXPECT_EQ(Stadium_ChooseList(), list) << levels;
        StadSetGround(levels, true);
        EXPECT_EQ(Stadium_ChooseList(), list + 1) << levels;
    }
    StadSetGround(20, false, true);
    EXPECT_EQ(Stadium_ChooseList(), kStadiumPractice);
    StadSetGround(3, true, true);
    EXPECT_EQ(Stadium_ChooseList(), kStadiumPractice);
}

class StadiumTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { testenv::MountGameArchive(HALVORN_GAME_DIR, 64 * 1024); }
    static void TearDownTestSuite() {
        // The loading screen keeps its picture once shown.
        if (LoadingImageList[0].picture != nullptr) FreeMemory(&LoadingImageList[0].picture);
        testenv::UnmountGameArchive();
    }
    void SetUp() override {
        ClearMatchSetupBlock();
        GetMatchSetupBlock()->SetU8(gameinfo::kCrowdFill, 2);
        testenv::Start3D(kStadW, kStadH);
        TexD3D_Init();
        NORMTEXT_Init();
    }
    void TearDown() override {
        Stadium_Free();
        TexD3D_DestroyAll();
        testenv::Stop3D();
    }
    void Load(int list) {
        static constexpr int kLevels[3] = {20, 10, 4};
        StadSetGround(list == kStadiumPractice ? 20 : kLevels[list / 2], list % 2 == 1,
                      list == kStadiumPractice);
        StdoutCapture quiet;
        LoadAllStadParts();
        log_ = quiet.Text();
        ASSERT_EQ(Stadium_GetCurrentList(), list);
    }
    testenv::Frame Draw(const std::string& grab, const float* eye, float x, float y, float z) {
        D3DClearSceneEx2(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000 | kStadMagenta, 1.0f, 0);
        D3DBeginScene();
        StadLookAt(eye, x, y, z);
        for (int section = 1; section <= 4; ++section) {
            D3DGame_SetDefaultStates();
            if (section == 1) D3DGame_SetDepth(0);
            D3DWorldDisplayStadSection(section);
        }
        D3DEndScene();
        return testenv::GrabFrame(grab + ".tga");
    }
    std::string log_;
};

TEST_F(StadiumTest, EveryListLoadsItsLightsFlaresAndCameras) {
    for (int list = 0; list < kStadiumLists; ++list) {
        Load(list);
        EXPECT_EQ(log_.find("WARNING"), std::string::npos) << log_;
        EXPECT_EQ(log_.find("Warning"), std::string::npos) << log_;
        for (int camera = 0; camera < kCameraLists; ++camera)
            EXPECT_GT(Stadium_GetCameraCount(camera), 0) << list;
        const bool floodlit =
            list == kStadiumLargeNight || list == kStadiumMediumNight || list == kStadiumSmallNight;
        EXPECT_EQ(Stadium_GetFloodlightCount() > 0, floodlit) << list;
        const bool flares = list <= kStadiumMediumNight || list == kStadiumSmallDay;
        EXPECT_EQ(Stadium_GetFlarePointCount() > 0, flares) << list;
        // Every flare has its mark, and every point a number.
        for (int i = 0; i < Stadium_GetFlarePointCount(); ++i) {
            const FlarePoint* p = Stadium_GetFlarePoint(i);
            if (p->value >= kMarkNumber) continue;
            bool marked = false;
            for (int j = 0; j < Stadium_GetFlarePointCount(); ++j) {
                marked = marked || Stadium_GetFlarePoint(j)->value == p->value + kMarkNumber;
            }
            EXPECT_TRUE(marked) << list << " flare " << p->value;
        }
        // Floodlights stand high, beyond the pitch.
        for (int i = 0; i < Stadium_GetFloodlightCount(); ++i) EXPECT_GT(Stadium_GetFloodlight(i)[2], 100.0f);
        EXPECT_EQ(Stadium_GetFloodlight(Stadium_GetFloodlightCount()), nullptr);
        EXPECT_EQ(Stadium_GetFloodlight(-1), nullptr);
        const testenv::Frame frame = Draw("stadium_list", D3DWorldGetCameraCoord(0, 0), 796, 1082, 0);
        int magenta = 0;
        for (uint32_t p : frame.pixels) magenta += testenv::ColourDistance(p, kStadMagenta) <= 8;
        EXPECT_EQ(magenta, 0) << list;
        Stadium_Free();
        TexD3D_DestroyAll();
        TexD3D_Init();
        NORMTEXT_Init();
    }
    EXPECT_EQ(Stadium_GetCameraCount(0), 0);
    EXPECT_EQ(Stadium_GetCameraCount(7), 0);
}

TEST_F(StadiumTest, CameraCoordinatesOutsideTheListsStop) {
    EXPECT_FATAL(D3DWorldGetCameraCoord(0, 0),
                 "Error: D3DWorldGetCameraCoord\\(\\), called before init stadium");
    EXPECT_FATAL(D3DWorldDisplayStadSection(1), "D3DWorldDisplayStadSection\\(\\): no current stadium");
    Load(kStadiumLargeDay);
    const int count = Stadium_GetCameraCount(0);
    const float* first = D3DWorldGetCameraCoord(0, 0);
    EXPECT_LT(first[0], 158.0f);  // beyond the low-x touchline
    EXPECT_GT(first[2], 100.0f);
    EXPECT_FATAL(D3DWorldGetCameraCoord(count, 0),
                 "Error: D3DWorldGetCameraCoord\\(\\) index=" + std::to_string(count));
    EXPECT_FATAL(D3DWorldGetCameraCoord(-1, 1), "Error: D3DWorldGetCameraCoord\\(\\) index=-1");
    EXPECT_FATAL(D3DWorldGetCameraCoord(0, 3), "called before init stadium");
}

TEST_F(StadiumTest, CrowdByteChoosesTheCrowdTexture) {
    GetMatchSetupBlock()->SetU8(gameinfo::kCrowdFill, 4);
    StadSetGround(20, false);
    StdoutCapture out;
    LoadAllStadParts();
    const std::string log = out.Text();
    EXPECT_NE(log.find("WARNING:CrowdLevel=4\n"), std::string::npos);
    bool first = false, others = false;
    for (const PlainTextureNameEntry& entry : PlainTextureName) {
        const std::string name = entry.name;
        first = first || name == "stadium\\textures\\crowd\\crowd_01.tga";
        others = others ||
                 (name.find("crowd_0") != std::string::npos && name.find("crowd_01") == std::string::npos);
    }
    EXPECT_TRUE(first);
    EXPECT_FALSE(others);
}

// At night each of the first four floodlights near enough casts a shadow;
// far from all of them there is none.
TEST_F(StadiumTest, FloodlightShadowsReachOnlyNearFigures) {
    Load(kStadiumLargeNight);
    Stadium_SetLight(nullptr);
    ASSERT_TRUE(Stadium_FloodlightsOn());
    ASSERT_GE(Stadium_GetFloodlightCount(), 4);
    D3DObj* object = nullptr;
    uint8_t* data = nullptr;
    PakLoadWholeFile("zudata\\d3d\\balls\\models\\balltype\\ball1.xyz", &data, MEM_TYPE_MANUAL_NO_MOVE);
    char dir[] = "zudata\\d3d\\balls\\textures\\balls";
    D3DObj_CreateObjectFromXYZData(&object, data, nullptr, dir, D3DOBJ_INDEXED);
    FreeMemory(&data);
    StadLookAt(D3DWorldGetCameraCoord(0, 0), 796, 1082, 0);
    auto shadows = [&](float x, float y) {
        Matrix world;
        MatrixIdentity(&world);
        MatrixSetTranslation(&world, x, y, 10.0f);
        plat::ResetD3DCallCounts();
        D3DBeginScene();
        Shadow_Draw(object, world);
        D3DEndScene();
        return plat::D3DCallCount("DrawIndexedPrimitive") + plat::D3DCallCount("DrawPrimitive");
    };
    const float* tower = Stadium_GetFloodlight(0);
    EXPECT_GT(shadows(tower[0], tower[1]), 0);
    EXPECT_EQ(shadows(796.0f + 30000.0f, 1082.0f), 0);
    // By day one shadow from the sun; a light with no downward part none.
    const float sun[3] = {0.5f, 0.4f, -0.76f};
    Stadium_SetLight(sun);
    EXPECT_GT(shadows(796.0f + 30000.0f, 1082.0f), 0);
    const float level[3] = {1.0f, 0.0f, 0.0f};
    Stadium_SetLight(level);
    EXPECT_EQ(shadows(796.0f, 1082.0f), 0);
    D3DObj_Destroy(&object);
}

// The large ground by day from its first camera: grass at the centre spot,
// the halfway line white, the stand above the far touchline.
TEST_F(StadiumTest, LargeGroundFromItsFirstCamera) {
    Load(kStadiumLargeDay);
    const float* eye = D3DWorldGetCameraCoord(0, 0);
    const testenv::Frame day = Draw("stadium_day", eye, 796, 1082, 0);
    auto at = [&](const testenv::Frame& frame, float x, float y, float z) {
        float sx = 0, sy = 0;
        EXPECT_TRUE(Figure_ProjectToScreen(x, y, z, &sx, &sy)) << x << "," << y << "," << z;
        return frame.At(int(sx), int(sy));
    };
    auto green = [](uint32_t p) {
        const int r = int(p >> 16 & 0xFF), g = int(p >> 8 & 0xFF), b = int(p & 0xFF);
        return g > r + 10 && g > b + 10;
    };
    EXPECT_TRUE(green(at(day, 796 + 40, 1082 + 60, 0))) << std::hex << at(day, 836, 1142, 0);
    // A line is a few pixels wide from here: the whitest pixel about it.
    float sx = 0, sy = 0;
    ASSERT_TRUE(Figure_ProjectToScreen(600, 1082, 0, &sx, &sy));
    int whitest = 0;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const uint32_t p = day.At(int(sx) + dx, int(sy) + dy);
            whitest = std::max(whitest, std::min({int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF)}));
        }
    }
    EXPECT_GT(whitest, 170);
    const uint32_t stand = at(day, 1434 + 120, 1082, 150);
    EXPECT_FALSE(green(stand)) << std::hex << stand;
    EXPECT_GT(testenv::ColourDistance(stand, kStadMagenta), 8);

    // By night the grass is darker.
    Stadium_Free();
    Load(kStadiumLargeNight);
    const testenv::Frame night = Draw("stadium_night", D3DWorldGetCameraCoord(0, 0), 796, 1082, 0);
    auto brightness = [](uint32_t p) { return int(p >> 16 & 0xFF) + int(p >> 8 & 0xFF) + int(p & 0xFF); };
    EXPECT_LT(brightness(at(night, 836, 1142, 0)), brightness(at(day, 836, 1142, 0)));
}

// Looking into the sun along its shine from the mark shows its flare; from
// behind the sun none.
TEST_F(StadiumTest, LookingIntoTheSunShowsItsFlare) {
    Load(kStadiumLargeDay);
    const FlarePoint* flare = nullptr;
    const FlarePoint* mark = nullptr;
    for (int i = 0; i < Stadium_GetFlarePointCount(); ++i) {
        const FlarePoint* p = Stadium_GetFlarePoint(i);
        if (p->value < kMarkNumber && flare == nullptr) flare = p;
    }
    ASSERT_NE(flare, nullptr);
    for (int i = 0; i < Stadium_GetFlarePointCount(); ++i) {
        if (Stadium_GetFlarePoint(i)->value == flare->value + kMarkNumber) mark = Stadium_GetFlarePoint(i);
    }
    ASSERT_NE(mark, nullptr);
    const float dx = mark->x - flare->x, dy = mark->y - flare->y, dz = mark->z - flare->z;
    const float reach = std::sqrt(dx * dx + dy * dy + dz * dz);
    auto look = [&](float along, const std::string& grab) {
        const float eye[3] = {flare->x + dx / reach * along, flare->y + dy / reach * along,
                              flare->z + dz / reach * along};
        return Draw(grab, eye, flare->x, flare->y, flare->z);
    };
    const testenv::Frame sun = look(std::min(reach, 3000.0f), "stadium_sun");
    EXPECT_EQ(Stadium_GetFlaresDrawn(), 1);
    float sx = 0, sy = 0;
    Figure_ProjectToScreen(flare->x, flare->y, flare->z, &sx, &sy);
    // The flare's rings tint the sky about the point orange; from behind
    // only the sun itself shows there.
    auto orange = [&](const testenv::Frame& frame) {
        int count = 0;
        for (int y = int(sy) - 20; y <= int(sy) + 20; ++y) {
            for (int x = int(sx) - 20; x <= int(sx) + 20; ++x) {
                const uint32_t p = frame.At(std::clamp(x, 0, kStadW - 1), std::clamp(y, 0, kStadH - 1));
                count += (p >> 16 & 0xFF) > 200 && (p >> 8 & 0xFF) < 170 && (p & 0xFF) < 120;
            }
        }
        return count;
    };
    EXPECT_GT(orange(sun), 10);
    const testenv::Frame behind = look(-std::min(reach, 3000.0f), "stadium_sun_behind");
    EXPECT_EQ(Stadium_GetFlaresDrawn(), 0);
    EXPECT_EQ(orange(behind), 0);
}

// Shipped models the loader cannot use stop the program with their
// messages; an unknown flare surface only logs.
class StadiumBadModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(64 * 1024);
        scratch_ = std::make_unique<testenv::ScratchDir>("badstad");
        ClearMatchSetupBlock();
        StadSetGround(20, false);
        GetMatchSetupBlock()->SetU8(gameinfo::kCrowdFill, 0);
    }
    void Mount(const std::string& model, const testenv::XyzTestModel& replacement) {
        testenv::WritePak(
            "badstad", {{"zudata\\d3d\\stadium\\models\\" + model + ".xyz", testenv::XyzBytes(replacement)}});
        PakFileInit();
        PakAddFile("badstad");  // the first archive's file is the one read
        PakAddFile((std::string(HALVORN_GAME_DIR) + "/pakfiles/demo").c_str());
        PakFileAddDone();
        testenv::Start3D(kStadW, kStadH);
        TexD3D_Init();
        NORMTEXT_Init();
    }
    void TearDown() override {
        Stadium_Free();
        TexD3D_DestroyAll();
        testenv::Stop3D();
        if (LoadingImageList[0].picture != nullptr) FreeMemory(&LoadingImageList[0].picture);
        PakFileUninit();
        scratch_.reset();
        UninitMemory();
    }
    // Named points: one one-point polygon per name, on a surface of that name.
    static testenv::XyzTestModel Points(const std::vector<std::string>& names, int unnamed = 0) {
        testenv::XyzTestModel m;
        for (size_t i = 0; i < names.size(); ++i) {
            m.points.push_back({float(i), 10.0f, 0.0f});
            m.surfaces.push_back({names[i]});
            m.polygons.push_back({uint32_t(i), 1, {uint32_t(i), 0, 0, 0}});
        }
        for (int i = 0; i < unnamed; ++i) m.points.push_back({0.0f, 5.0f, float(i)});
        return m;
    }
    std::unique_ptr<testenv::ScratchDir> scratch_;
};

TEST_F(StadiumBadModelTest, FlareModelWithoutSurfacesStops) {
    testenv::XyzTestModel empty;
    empty.points = {{0, 0, 0}};
    Mount("stad1-day\\flare", empty);
    EXPECT_FATAL(
        LoadAllStadParts(),
        "Error: LoadAllStadParts\\(\\): 'zudata.d3d.stadium.models.stad1-day.flare.xyz' isn't converted "
        "correctly - use lwo22xyz v2.20 or higher");
}

TEST_F(StadiumBadModelTest, FlarePointWithoutANumberStops) {
    Mount("stad1-day\\flare", Points({"flare_1", "mark_1"}, 1));
    EXPECT_FATAL(LoadAllStadParts(), "LoadAllStadParts\\(\\): didn't find info for all points");
}

TEST_F(StadiumBadModelTest, UnknownFlareSurfaceOnlyLogs) {
    testenv::XyzTestModel m = Points({"flare_1", "mark_1"});
    m.surfaces.push_back({"glow_2"});
    Mount("stad1-day\\flare", m);
    StdoutCapture out;
    LoadAllStadParts();
    EXPECT_NE(out.Text().find("Warning: unknown surface name 'glow_2'\n"), std::string::npos);
    EXPECT_EQ(Stadium_GetFlarePointCount(), 2);
    EXPECT_EQ(Stadium_GetFlarePoint(1)->value, 1u + kMarkNumber);
}

TEST_F(StadiumBadModelTest, CameraListWithAGapStops) {
    Mount("camera\\cam01", Points({"cam_a1", "cam_a3"}));
    EXPECT_FATAL(LoadAllStadParts(), "Error: zud3d.stadium Line:[0-9]+");
}

}  // namespace
