// The match camera: the camera types' placements, the following cameras'
// smoothing, the stadium cameras and their lists, the fly-in, and a
// property over random targets that every view is sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>

#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/replay.h"
#include "game/match3d/kitload.h"
#include "game/match3d/matchcam.h"
#include "game/match3d/matchkeys.h"
#include "game/match3d/matchtextures.h"
#include "game/match3d/renderview.h"
#include "game/match3d/stadium.h"
#include "game/screens/engine/loadanim.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/xyz_fixture.h"

namespace {

constexpr float kCamPi = std::numbers::pi_v<float>;

void CamPutBall(float x, float y, float z) {
    DisplayTable[kBallFigure] = {x, y, z, 0, 0, 0};
    BallState.vx = BallState.vy = BallState.vz = 0;
    BallState.holder = BallState.controller = 0;
    CameraSubject = kBallFigure;
}

void CamResetState() {
    PitchGeometry = kDefaultPitch;
    CameraMode = 0;
    for (int32_t& s : SelectedCamera) s = 0;
    CameraType = 0;
    LastType = -1;
    ViewSetting = 0;
    HeightOffset = 0.0f;
    ZoomDistance = kDefaultZoomDistance;
    FlyInHeight = 0.0f;
    AllTicks = 0;
    CamPutBall(796, 1082, 0);
}

CameraView CamType(int16_t type) {
    CameraView v{-1, -1, -1, -1, -1, -1};
    CameraType_Compute(type, &v);
    return v;
}

uint32_t CamDraw(uint32_t n) { return (uint32_t(GameRandom()) << 15 | uint32_t(GameRandom())) % n; }

bool CamFinite(const CameraView& v) {
    return std::isfinite(v.eyeX) && std::isfinite(v.eyeY) && std::isfinite(v.eyeZ) && std::isfinite(v.yaw) &&
           std::isfinite(v.tilt) && std::isfinite(v.zoom);
}

// Angle a - b brought into (-pi, pi].
float CamAngleDiff(float a, float b) {
    double d = std::fmod(double(a) - b, 2.0 * std::numbers::pi);
    if (d > std::numbers::pi) d -= 2.0 * std::numbers::pi;
    if (d <= -std::numbers::pi) d += 2.0 * std::numbers::pi;
    return float(d);
}

TEST(CameraTypesTest, TimedPanAndTheFixedSpots) {
    CamResetState();
    CameraView v = CamType(12);
    EXPECT_FLOAT_EQ(v.eyeX, 1284.0f);
    EXPECT_FLOAT_EQ(v.eyeY, 2038.0f);
    EXPECT_FLOAT_EQ(v.eyeZ, 280.0f);
    EXPECT_FLOAT_EQ(v.yaw, 0.0f);
    for (uint16_t tick : {900, 901, 30000}) {
        AllTicks = tick;
        v = CamType(12);
        EXPECT_FLOAT_EQ(v.eyeX, 1284.0f);
        EXPECT_FLOAT_EQ(v.eyeY, 1560.0f);
        EXPECT_FLOAT_EQ(v.yaw, kCamPi / 2);
        EXPECT_FLOAT_EQ(v.zoom, 1.1f);
    }
    // An unknown type leaves the view alone.
    EXPECT_FLOAT_EQ(CamType(17).eyeX, -1.0f);
    EXPECT_FLOAT_EQ(CamType(-1).zoom, -1.0f);
}

TEST(CameraTypesTest, ZoomDistanceSetsTheFollowingEye) {
    CamResetState();
    CamPutBall(700, 1000, 30);
    for (float distance : {150.0f, 700.0f, 1700.0f}) {
        ZoomDistance = distance;
        const CameraView v = CamType(0);
        const float expected = distance * std::sqrt(0.5f);
        EXPECT_NEAR(v.eyeX, 700.0f, 1e-3f);
        EXPECT_NEAR(1000.0f - v.eyeY, expected, 0.01f) << distance;  // behind: the low-y side
        EXPECT_NEAR(v.eyeZ - 30.0f, expected, 0.01f) << distance;
        EXPECT_FLOAT_EQ(v.zoom, 1.2f);
    }
    ZoomDistance = 150;
    EXPECT_NEAR(CamType(0).eyeZ - 30.0f, 106.07f, 0.01f);
    ZoomDistance = 1700;
    EXPECT_NEAR(CamType(0).eyeZ - 30.0f, 1202.08f, 0.01f);
    // Types other than 0 and 4 stand on a base height of 10.
    EXPECT_NEAR(CamType(2).eyeZ - 10.0f, 1202.08f, 0.01f);
}

TEST(CameraTypesTest, CentreLineAndCentreXCountAsTheLowSide) {
    CamResetState();
    CamPutBall(796, 1082, 0);
    CameraView spot, expected;
    spot = CamType(13);
    MatchCam_ViewFromTarget(&expected, 796, 318, 30, 320, 0.0f, -1.832595714595742f, 1.6f);
    EXPECT_FLOAT_EQ(spot.eyeY, expected.eyeY);
    EXPECT_FLOAT_EQ(spot.yaw, 0.0f);
    const CameraView area = CamType(14);
    MatchCam_ViewFromTarget(&expected, 798, 222, 30, 320, kCamPi / 2, -2.094395102395133f, 1.3f);
    EXPECT_FLOAT_EQ(area.eyeX, expected.eyeX);
    EXPECT_FLOAT_EQ(area.eyeY, expected.eyeY);
    const CameraView behind = CamType(15);
    EXPECT_FLOAT_EQ(behind.yaw, 0.0f);  // facing the low-y goal
    EXPECT_GT(behind.eyeY, 1082.0f);

    CamPutBall(797, 1083, 0);
    EXPECT_FLOAT_EQ(CamType(13).yaw, kCamPi);
    MatchCam_ViewFromTarget(&expected, 1338, 1942, 30, 320, kCamPi / 2, -2.094395102395133f, 1.3f);
    EXPECT_FLOAT_EQ(CamType(14).eyeX, expected.eyeX);
    EXPECT_FLOAT_EQ(CamType(14).eyeY, expected.eyeY);
    EXPECT_LT(CamType(15).eyeY, 1083.0f);
}

TEST(CameraTypesTest, FixedCamerasKeepTheirZoomInRange) {
    CamResetState();
    const float spots[][3] = {
        {158, 1082, 10}, {-1000, 1082, 0}, {1434, 126, 50}, {1434, 2038, 50}, {278, 582, 0}};
    for (const auto& s : spots) {
        CamPutBall(s[0], s[1], s[2]);
        for (int16_t type : {9, 10}) {
            const CameraView v = CamType(type);
            EXPECT_GE(v.zoom, 1.0f) << type;
            EXPECT_LE(v.zoom, 8.0f) << type;
        }
    }
    // Far corner from the high camera: a long way, zoom above 1.
    CamPutBall(1434, 126, 10);
    EXPECT_GT(CamType(9).zoom, 1.0f);
}

TEST(CameraTypesTest, TargetsInTheStandsAreClamped) {
    CamResetState();
    const float outside[][3] = {{-500, 3000, 400}, {3000, -700, -50}, {800, 5000, 20}};
    for (const auto& o : outside) {
        for (int16_t type : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 15}) {
            CamPutBall(o[0], o[1], o[2]);
            const CameraView far = CamType(type);
            CameraPoint clamped;
            MatchCam_GetTargetPoint(&clamped);
            // The same view as for a ball 1 unit inside the widest bounds it is clamped to.
            CamPutBall(std::clamp(o[0], 158.0f, 1434.0f), std::clamp(o[1], 126.0f, 2038.0f),
                       std::clamp(o[2], 10.0f, 50.0f));
            const CameraView near = CamType(type);
            EXPECT_NEAR(far.eyeX, near.eyeX, 1e-3f) << type;
            EXPECT_NEAR(far.eyeY, near.eyeY, 1e-3f) << type;
            EXPECT_NEAR(far.eyeZ, near.eyeZ, 1e-3f) << type;
            EXPECT_NEAR(far.zoom, near.zoom, 1e-5f) << type;
        }
    }
}

TEST(CameraTargetTest, HoldersSpareFigureAndTheBallsLead) {
    CamResetState();
    DisplayTable[4] = {300, 400, 12, 0, 0, 0};
    DisplayTable[20] = {900, 1500, 8, 0, 0, 0};
    DisplayTable[kSpareFigure] = {5, 600, 0, 0, 0, 0};
    CamPutBall(796, 1082, 20);
    BallState.vx = 2 * 65536;
    BallState.vy = -65536 / 2;
    CameraPoint t;
    MatchCam_GetTargetPoint(&t);
    EXPECT_FLOAT_EQ(t.x, 816.0f);
    EXPECT_FLOAT_EQ(t.y, 1077.0f);
    EXPECT_FLOAT_EQ(t.z, 20.0f);  // the height does not lead
    BallState.holder = 5;
    MatchCam_GetTargetPoint(&t);
    EXPECT_FLOAT_EQ(t.x, 300.0f);
    BallState.controller = 21;  // the second holder wins
    MatchCam_GetTargetPoint(&t);
    EXPECT_FLOAT_EQ(t.y, 1500.0f);
    CameraMode = 1;  // the goal-end lists always follow the ball
    MatchCam_GetTargetPoint(&t);
    EXPECT_FLOAT_EQ(t.x, 816.0f);
    CameraMode = 0;
    CameraSubject = kSpareFigure;
    MatchCam_GetTargetPoint(&t);
    EXPECT_FLOAT_EQ(t.x, 796.0f);
    EXPECT_FLOAT_EQ(t.y, 600.0f);
    // A subject or holder outside the table (a damaged goal file) is the ball.
    BallState.holder = BallState.controller = 0;
    CameraSubject = 90;
    MatchCam_GetTargetPoint(&t);
    EXPECT_FLOAT_EQ(t.x, 816.0f);
    CameraSubject = kBallFigure;
    BallState.holder = 300;
    MatchCam_GetTargetPoint(&t);
    EXPECT_FLOAT_EQ(t.x, 816.0f);
}

// Thousands of targets on and off the pitch, every type and view setting.
TEST(CameraTypesTest, EveryViewIsFiniteAndEyesPointBackAtTheirTargets) {
    CamResetState();
    GameSeedRandom(2026);
    for (int i = 0; i < 4000; ++i) {
        const float x = float(int(CamDraw(6000)) - 2500);
        const float y = float(int(CamDraw(7000)) - 2500);
        const float z = float(int(CamDraw(1000)) - 200);
        CamPutBall(x, y, z);
        BallState.vx = int32_t(CamDraw(2000000)) - 1000000;
        ViewSetting = uint16_t(i % 8);
        AllTicks = uint16_t(CamDraw(2000));
        ZoomDistance = 150.0f + float(CamDraw(1551));
        CameraView v;
        MatchCam_Update(&v, int16_t(i % 16));
        ASSERT_TRUE(CamFinite(v)) << i;
        EXPECT_GE(v.zoom, 1.0f);
        EXPECT_LE(v.zoom, 8.0f);
        EXPECT_GE(v.eyeZ, 10.0f);  // every eye stands above the grass

        const float yaw = float(CamDraw(62832)) / 10000.0f - 3.0f;
        const float tilt = -float(CamDraw(31000) + 50) / 10000.0f;  // (-pi, 0)
        const float distance = 10.0f + float(CamDraw(2000));
        MatchCam_ViewFromTarget(&v, x, y, z, distance, yaw, tilt, 1.0f);
        CameraView back;
        MatchCam_AimAt(&back, {v.eyeX, v.eyeY, v.eyeZ}, {x, y, z}, 1.0f);
        EXPECT_NEAR(CamAngleDiff(back.yaw, yaw), 0.0f, 2e-3f) << i;
        EXPECT_NEAR(back.tilt, tilt, 2e-3f) << i;
    }
}

TEST(MatchCamTest, TypeStepsWrapAndLeaveTheStadiumCamerasForZero) {
    EXPECT_EQ(MatchCam_StepType(16, 1), 0);
    EXPECT_EQ(MatchCam_StepType(16, -1), 0);
    EXPECT_EQ(MatchCam_StepType(7, 1), 0);
    EXPECT_EQ(MatchCam_StepType(0, -1), 7);
    EXPECT_EQ(MatchCam_StepType(3, 1), 4);
    EXPECT_EQ(MatchCam_StepType(12, -1), 0);
}

TEST(MatchCamTest, ViewSettingOverridesAndChangesCut) {
    CamResetState();
    CameraView v;
    EXPECT_EQ(MatchCam_Update(&v, 3), 1);
    EXPECT_EQ(MatchCam_Update(&v, 3), 0);
    const int16_t expected[7] = {3, 11, 12, 3, 13, 14, 15};
    for (uint16_t setting = 0; setting < 7; ++setting) {
        MatchCam_SetViewSetting(setting);
        MatchCam_Update(&v, 3);
        EXPECT_EQ(LastType, expected[setting]) << setting;
    }
    MatchCam_SetViewSetting(9);
    MatchCam_Update(&v, 5);
    EXPECT_EQ(LastType, 5);
    // An effective type above 16 leaves the view as it was.
    v.eyeX = -7;
    EXPECT_EQ(MatchCam_Update(&v, 40), 1);
    EXPECT_FLOAT_EQ(v.eyeX, -7.0f);
}

// The rest needs a stadium: a ground whose first camera list is replaced by
// a one-position list.
class MatchCamStadiumTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(64 * 1024);
        scratch_ = std::make_unique<testenv::ScratchDir>("camstad");
        testenv::XyzTestModel camera;
        camera.points = {{12.0f, -20.0f, 9.0f}};
        camera.surfaces = {{"cam_a1"}};
        camera.polygons = {{0, 1, {0, 0, 0, 0}}};
        testenv::WritePak("camstad",
                          {{"zudata\\d3d\\stadium\\models\\camera\\cam01.xyz", testenv::XyzBytes(camera)}});
        PakFileInit();
        PakAddFile("camstad");
        PakAddFile((std::string(HALVORN_GAME_DIR) + "/pakfiles/demo").c_str());
        PakFileAddDone();
        ClearMatchSetupBlock();
        EnterGameInfo* block = GetMatchSetupBlock();
        for (int stand = 0; stand < gameinfo::kStands; ++stand)
            block->SetI16(gameinfo::kStadiumLevel + 2 * stand, 5);
        block->SetU8(gameinfo::kNightMatch, 0);
        block->SetU8(gameinfo::kCrowdFill, 0);
        block->SetTeamI16(0, gameinfo::kTeamClub, 10);
        block->SetTeamI16(1, gameinfo::kTeamClub, 11);
        block->SetI16(gameinfo::kVenueFlag, 1);
        testenv::Start3D(320, 240);
        TexD3D_Init();
        NORMTEXT_Init();
        LoadAllStadParts();
        CamResetState();
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
    std::unique_ptr<testenv::ScratchDir> scratch_;
};

TEST_F(MatchCamStadiumTest, OnePositionListCyclesToZeroBothWays) {
    ASSERT_EQ(Stadium_GetCameraCount(0), 1);
    SelectedCamera[0] = 0;
    MatchCam_Cycle(1);
    EXPECT_EQ(MatchCam_GetSelected(), 0);
    EXPECT_EQ(CameraType, kStadiumCameras);
    MatchCam_Cycle(-1);
    EXPECT_EQ(MatchCam_GetSelected(), 0);
    // A longer list wraps at both ends.
    const int count = Stadium_GetCameraCount(1);
    ASSERT_GT(count, 1);
    MatchCam_SetMode(1);
    MatchCam_Cycle(-1);
    EXPECT_EQ(MatchCam_GetSelected(), count - 1);
    MatchCam_Cycle(1);
    EXPECT_EQ(MatchCam_GetSelected(), 0);
    MatchCam_Cycle(0);
    EXPECT_EQ(MatchCam_GetSelected(), 0);
}

TEST_F(MatchCamStadiumTest, FlyInTurnsAFullCircleOver500And200Frames) {
    MatchCam_Init();
    MatchCam_StartFlyIn();
    int frames = 0, turning = 0;
    float lastTilt = 0;
    while (FlyInHeight > 0.0f && frames < 2000) {
        const float before = FlyInHeight;
        MatchCam_Compute();
        ++frames;
        if (before > 100.0f) {
            ++turning;
            EXPECT_FLOAT_EQ(ShownView.eyeX, 796.0f);
            EXPECT_FLOAT_EQ(ShownView.eyeZ, FlyInHeight);
            EXPECT_FLOAT_EQ(ShownView.zoom, 1.0f);
        } else {
            EXPECT_LT(ShownView.tilt, lastTilt);
        }
        lastTilt = ShownView.tilt;
    }
    EXPECT_EQ(turning, 500);
    EXPECT_EQ(frames, 700);
    EXPECT_NEAR(FlyInYaw - kCamPi / 2, 2 * kCamPi, 1e-3f);
    // Over: the following camera takes the frame.
    MatchCam_Compute();
    EXPECT_LE(FlyInHeight, 0.0f);
    EXPECT_FLOAT_EQ(ShownView.eyeX, CurrentView.eyeX);
    EXPECT_FLOAT_EQ(ShownView.yaw, CurrentView.yaw);
}

TEST_F(MatchCamStadiumTest, NoFlyInWithoutAPresentationOrForOneClub) {
    for (int variant = 0; variant < 2; ++variant) {
        CamResetState();
        GetMatchSetupBlock()->SetI16(gameinfo::kVenueFlag, variant == 0 ? 0 : 1);
        GetMatchSetupBlock()->SetTeamI16(1, gameinfo::kTeamClub, variant == 0 ? 11 : 10);
        MatchCam_Init();
        MatchCam_StartFlyIn();
        MatchCam_Compute();
        EXPECT_FLOAT_EQ(FlyInHeight, 400.0f) << variant;
        EXPECT_FLOAT_EQ(ShownView.zoom, CurrentView.zoom) << variant;
        EXPECT_FLOAT_EQ(ShownView.eyeZ, CurrentView.eyeZ) << variant;
        EXPECT_NE(ShownView.eyeZ, 400.0f - 0.6f) << variant;
    }
}

TEST_F(MatchCamStadiumTest, FollowingCamerasSmoothTheShortWayRound) {
    MatchCam_Init();  // type 0: a cut, current = wanted
    EXPECT_FLOAT_EQ(CurrentView.yaw, kCamPi);
    // Wanted pi/2 (type 6) from current -pi: 1.5 pi apart, smoothed as -0.5 pi.
    MatchCam_SetType(6);
    LastType = 6;
    CurrentView.yaw = -kCamPi;
    MatchCam_Compute();
    EXPECT_NEAR(CurrentView.yaw, -kCamPi - 0.08f * kCamPi / 2, 1e-5f);
    // Exactly pi apart is not wrapped.
    MatchCam_SetType(0);
    LastType = 0;
    CurrentView.yaw = 0.0f;
    MatchCam_Compute();
    EXPECT_NEAR(CurrentView.yaw, 0.08f * kCamPi, 1e-5f);
    // A new type cuts.
    MatchCam_SetType(4);
    MatchCam_Compute();
    EXPECT_FLOAT_EQ(CurrentView.yaw, 0.0f);
    EXPECT_FLOAT_EQ(ShownView.eyeY, CurrentView.eyeY);
}

TEST_F(MatchCamStadiumTest, StadiumCameraGlidesZoomsAndReturnsSmoothly) {
    MatchCam_Init();
    MatchCam_Compute();  // type 0, LastType 0
    const float* c = D3DWorldGetCameraCoord(0, 0);
    GlidePos = {c[0] + 800.0f, c[1], c[2]};
    MatchCam_Cycle(1);
    MatchCam_Compute();
    EXPECT_NEAR(GlidePos.x, c[0] + 700.0f, 0.01f);  // an eighth of the way
    for (int i = 0; i < 400; ++i) MatchCam_Compute();
    EXPECT_NEAR(GlidePos.x, c[0], 1.5f);
    EXPECT_GE(ShownView.zoom, 1.0f);
    EXPECT_LE(ShownView.zoom, 8.0f);
    // Back to type 0, the type used before: smoothed, not cut.
    const CameraView before = CurrentView;
    MatchCam_SetType(0);
    MatchCam_Compute();
    CameraView wanted;
    CameraType_Compute(0, &wanted);
    EXPECT_NEAR(CurrentView.eyeX, before.eyeX + (wanted.eyeX - before.eyeX) * 0.08f, 0.01f);
    // The unsmoothed stadium type zooms within 1..8 whatever the target.
    for (float x : {-3000.0f, 796.0f, 5000.0f}) {
        CamPutBall(x, 1082, 0);
        const CameraView v = CamType(16);
        EXPECT_GE(v.zoom, 1.0f);
        EXPECT_LE(v.zoom, 8.0f);
        EXPECT_FLOAT_EQ(v.eyeX, c[0]);
    }
}

TEST_F(MatchCamStadiumTest, LoweredCameraRaisesTheLookAt) {
    MatchCam_Init();
    MatchCam_Cycle(0);
    CamPutBall(796, 1082, 0);
    SmoothLook = {796, 1082, 0};
    HeightOffset = -80.0f;
    MatchCam_Compute();
    EXPECT_NEAR(SmoothLook.z, 0.05f * 10.0f, 1e-4f);  // 80 / 8 = 10
    EXPECT_NEAR(GlidePos.z, D3DWorldGetCameraCoord(0, 0)[2] - 80.0f, 1e-3f);
    SmoothLook.z = 0;
    HeightOffset = -4000.0f;  // an eighth is 500: held at 300
    MatchCam_Compute();
    EXPECT_NEAR(SmoothLook.z, 0.05f * 300.0f, 1e-3f);
    SmoothLook.z = 0;
    HeightOffset = 40.0f;  // raised: the height is held to 10..50
    MatchCam_Compute();
    EXPECT_NEAR(SmoothLook.z, 0.05f * 10.0f, 1e-4f);
}

TEST_F(MatchCamStadiumTest, InitCountsTheNameLabelsUpAndConnectsTheHooks) {
    NameLabelSwitch = 1;
    MatchCam_Init();
    EXPECT_EQ(NameLabelSwitch, 2);
    EXPECT_EQ(CameraMode, 0);
    EXPECT_FLOAT_EQ(SmoothLook.z, 10.0f);
    EXPECT_FLOAT_EQ(CurrentView.eyeX, WantedView.eyeX);
    MatchCam_ConnectEngine();
    ViewSetting = 4;
    FlyInHeight = 0;
    MatchHooks.viewReset();
    MatchHooks.camResetDefaults();
    EXPECT_EQ(ViewSetting, 0);
    EXPECT_FLOAT_EQ(FlyInHeight, 400.0f);
    EXPECT_FLOAT_EQ(FlyInYaw, kCamPi / 2);
    MatchHooks = {};
}

TEST_F(MatchCamStadiumTest, StadiumCameraWithoutAGroundStops) {
    Stadium_Free();
    MatchCam_Cycle(1);
    EXPECT_FATAL(MatchCam_Compute(), "Error: D3DWorldGetCameraCoord\\(\\), called before init stadium");
}

}  // namespace
