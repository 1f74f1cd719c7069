// The replay ring and the display table: recording, the ring's wrap,
// applying and interpolating, playback, the commands and the automatic goal
// replay, with a fake camera in place of the display's.
#include "core/match/replay.h"
#include "core/match/phases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/motion.h"
#include "core/match/periodrunner.h"
#include "tests/core/match/match_fixture.h"

namespace {

// A camera with a list of cameras the automatic replay steps through.
struct FakeCamera {
    int16_t mode = 0;
    int16_t selected = 0;
    int16_t listSize = 3;
    int modeSets = 0;
    int stadiumLists = 0;
    int panelResets = 0;
    int ballPathToggles = 0;
};
FakeCamera g_camera;

void InstallFakeCamera() {
    g_camera = FakeCamera{};
    ReplayCameraHooks hooks{};
    hooks.getMode = [] { return g_camera.mode; };
    hooks.setMode = [](int16_t mode) {
        g_camera.mode = mode;
        ++g_camera.modeSets;
    };
    hooks.cycle = [](int16_t step) {
        g_camera.selected = int16_t((g_camera.selected + step + g_camera.listSize) % g_camera.listSize);
    };
    hooks.getSelected = [] { return g_camera.selected; };
    hooks.useStadiumCameras = [] { ++g_camera.stadiumLists; };
    hooks.resetPanel = [] { ++g_camera.panelResets; };
    hooks.toggleBallPath = [] { ++g_camera.ballPathToggles; };
    Replay_SetCameraHooks(hooks);
}

class ReplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A match test before this one may have left the game archive
        // mounted in its own memory.
        matchtest::UnmountGameData();
        InitMemory(16 * 1024);
        std::memset(MatchFigures, 0, sizeof MatchFigures);
        for (MatchFigure& figure : MatchFigures) figure.anim = -1;
        BallState = BallStateRecord{};
        DisplayModeFlags = 0;
        DrawMode = 0;
        Goals[0] = Goals[1] = 0;
        ClearMatchSetupBlock();
        GameInfo.SetTeamI16(0, gameinfo::kTeamClub, 10);
        GameInfo.SetTeamI16(1, gameinfo::kTeamClub, 11);
        GameInfo.SetI16(gameinfo::kVenueFlag, 1);
        InstallFakeCamera();
        Replay_AllocBuffer();
        AutoGoalReplay_Reset();
    }
    void TearDown() override {
        Replay_FreeBuffer();
        Replay_SetCameraHooks(ReplayCameraHooks{});
        MotionClips = nullptr;
        UninitMemory();
    }
    // Records n ticks, each with its number on the period clock.
    static void Record(int n) {
        for (int tick = 0; tick < n; ++tick) {
            PeriodClock = uint32_t(tick);
            Replay_Tick();
        }
    }
};

TEST_F(ReplayTest, RingHoldsTheNewestTicksOldestFirst) {
    GameSeedRandom(5);
    std::vector<int> runs = {1, 9, 749, 750, 751, 1500, 2000};
    for (int i = 0; i < 6; ++i) runs.push_back(1 + GameRandom() % 2000);
    for (int ticks : runs) {
        Replay_AllocBuffer();
        Record(ticks);
        const uint32_t frames = Replay.recorded;
        ASSERT_EQ(frames, uint32_t(std::min(ticks, 750))) << ticks;
        EXPECT_EQ(Replay.position, float(frames - 1));
        for (uint32_t p = 0; p < frames; ++p) {
            ASSERT_EQ(+Replay_FrameByAge(p)->clock, uint32_t(ticks) - frames + p) << ticks << " " << p;
        }
        // Shown at any position, the state of that tick comes back.
        Replay.position = float(frames / 3);
        Replay_UpdateDisplay();
        EXPECT_EQ(PeriodClock, uint32_t(ticks) - frames + frames / 3) << ticks;
    }
}

TEST_F(ReplayTest, OnlyAShownOrPreparedMatchIsRecorded) {
    DisplayModeFlags = kDisplayOff;
    Record(5);
    EXPECT_EQ(Replay.recorded, 0u);
    DisplayModeFlags = kDisplayOff | kDisplayDataPrepared;
    Record(5);
    EXPECT_EQ(Replay.recorded, 5u);
}

TEST_F(ReplayTest, FiguresAreRecordedWithTheirClipsAndHiddenOnesEmpty) {
    MatchFigure& shown = MatchFigures[4];
    shown.x = 300, shown.y = 400, shown.anim = 17, shown.shownFrame = 3, shown.shownFacing = 0x1C0;
    shown.actionTicks = 46;   // in the air: a header's jump
    MatchFigures[5].x = 500;  // no clip
    ReplayFrame frame;
    std::memset(&frame, 0x55, sizeof frame);
    Replay_RecordFrame(&frame);
    const ReplayFigureEntry a = frame.figures[4];
    EXPECT_EQ(+a.x, 300);
    EXPECT_EQ(+a.y, 400);
    EXPECT_EQ(+a.clip, 17);
    EXPECT_EQ(+a.frame, 3);
    EXPECT_EQ(+a.facing, 0xC0);
    EXPECT_EQ(+a.height, 46);
    const ReplayFigureEntry b = frame.figures[5];
    EXPECT_EQ(+b.x, 0);
    EXPECT_EQ(+b.y, 0);
    EXPECT_EQ(+b.clip, 0xFFFF);
    EXPECT_EQ(+b.frame, 0);
    EXPECT_EQ(+b.facing, 0);
    EXPECT_EQ(uint16_t(b.height), 0x5555) << "a hidden figure's height is left as it was";
    // The frame's bytes sit at their offsets in the file record.
    const auto* bytes = reinterpret_cast<const uint8_t*>(&frame);
    EXPECT_EQ(recbits::LoadU16(bytes + 14 + 4 * 11 + 6), 17);
    EXPECT_EQ(recbits::LoadU16(bytes + 14 + 5 * 11 + 6), 0xFFFF);
}

TEST_F(ReplayTest, MatchStateGoesIntoTheFrameAndBack) {
    Goals[0] = 2, Goals[1] = 1, MatchPhase = kPhaseGoal, Period = 3, PeriodClock = 1234, PeriodLength = 5000;
    LastToucher = 7, CameraSubject = 12, ViewSetting = 4, ShownStoppageTime = 0xFFF0;
    BallState.holder = 0, BallState.controller = 3, BallCarrierFigure = 6;
    GoalNetImpact[0] = 0xAB, GoalNetImpact[33] = 0xCD;
    ReplayFrame frame{};
    Replay_RecordFrame(&frame);
    EXPECT_EQ(+frame.stateC, -16) << "written sign-extended";
    Goals[0] = Goals[1] = 0, MatchPhase = kPhaseOpenPlay, Period = 0, PeriodClock = 0, PeriodLength = 0,
    LastToucher = -1;
    CameraSubject = 35, ViewSetting = 0, ShownStoppageTime = 0, BallState.controller = 0,
    BallCarrierFigure = -1;
    GoalNetImpact[0] = GoalNetImpact[33] = 0;
    Replay_ApplyFrame(&frame);
    EXPECT_EQ(Goals[0], 2);
    EXPECT_EQ(Goals[1], 1);
    EXPECT_EQ(MatchPhase, 9);
    EXPECT_EQ(Period, 3);
    EXPECT_EQ(PeriodClock, 1234u);
    EXPECT_EQ(PeriodLength, 5000u);
    EXPECT_EQ(LastToucher, 7);
    EXPECT_EQ(CameraSubject, 12);
    EXPECT_EQ(ViewSetting, 4);
    EXPECT_EQ(ShownStoppageTime, 0xFFF0);
    EXPECT_EQ(BallState.controller, 3);
    EXPECT_EQ(BallCarrierFigure, 6);
    EXPECT_EQ(GoalNetImpact[0], 0xAB);
    EXPECT_EQ(GoalNetImpact[33], 0xCD);
}

// A clip table of our own: clip 5 has three frames whose held-ball point
// lies 1 model unit ahead (z) and 0.5 up of the reference point.
class HeldBallTest : public ReplayTest {
  protected:
    void SetUp() override {
        ReplayTest::SetUp();
        clips_.assign(kMotionClipCount, MotionClip{nullptr, 0});
        frames_.assign(3 * kMotionFrameSize, 0);
        for (int f = 0; f < 3; ++f) {
            uint8_t* record = frames_.data() + f * kMotionFrameSize;
            recbits::StoreU32(record + kMotionFrameReference + 4, std::bit_cast<uint32_t>(1.0f));
            recbits::StoreU32(record + kMotionFrameHeldBall + 4, std::bit_cast<uint32_t>(0.5f));
            recbits::StoreU32(record + kMotionFrameHeldBall + 8, std::bit_cast<uint32_t>(1.0f));
        }
        clips_[5] = MotionClip{frames_.data(), 3};
        MotionClips = clips_.data();
    }
    std::vector<MotionClip> clips_;
    std::vector<uint8_t> frames_;
};

TEST_F(HeldBallTest, AHeldBallFollowsItsHoldersClipFrame) {
    MatchFigure& keeper = MatchFigures[0];
    keeper.x = 800, keeper.y = 200, keeper.anim = 5, keeper.shownFrame = 1, keeper.shownFacing = 0;
    BallState.x = 9999, BallState.y = 9999, BallState.z = 300;
    BallDisplayRoll[0] = BallDisplayRoll[1] = 1.5f;
    BallState.holder = 1;
    ReplayFrame frame{};
    Replay_RecordFrame(&frame);
    // 1 model unit ahead is 20 pitch units along x at facing 0; 0.5 up is 10.
    EXPECT_EQ(+frame.ballX, 820);
    EXPECT_EQ(+frame.ballY, 200);
    EXPECT_EQ(+frame.ballHeight, 13) << "10 + 2.5, rounded";
    EXPECT_EQ(float(frame.ballRoll1), 0.0f);

    // A first holder without a clip gives way to the second holder.
    BallState.holder = 3;
    BallState.controller = 1;
    Replay_RecordFrame(&frame);
    EXPECT_EQ(+frame.ballX, 820);

    // Nobody holding: the ball's own words, its height scaled.
    BallState.holder = BallState.controller = 0;
    Replay_RecordFrame(&frame);
    EXPECT_EQ(+frame.ballX, 9999);
    EXPECT_EQ(+frame.ballHeight, 87) << "300 x 0.28 + 2.5, rounded";
    EXPECT_EQ(float(frame.ballRoll2), 1.5f);
    // A holder word past the last figure names nobody.
    BallState.holder = int16_t(kMatchFigureCount + 1);
    Replay_RecordFrame(&frame);
    EXPECT_EQ(+frame.ballX, 9999);
}

TEST_F(HeldBallTest, EntriesNamingNoLoadedClipFrameAreNotShown) {
    ReplayFrame frame{};
    Replay_RecordFrame(&frame);
    frame.figures[0].clip = 5, frame.figures[0].frame = 2;
    frame.figures[1].clip = 5, frame.figures[1].frame = 3;  // past the clip's 3 frames
    frame.figures[2].clip = 352;
    frame.figures[3].clip = 5, frame.figures[3].frame = -1;
    Replay_ApplyFrame(&frame);
    EXPECT_EQ(DisplayTable[0].clip, 5);
    EXPECT_EQ(DisplayTable[0].frame, 2);
    EXPECT_EQ(DisplayTable[1].clip, -1);
    EXPECT_EQ(DisplayTable[2].clip, -1);
    EXPECT_EQ(DisplayTable[3].clip, -1);
    // With no clips loaded the frames cannot be looked at: a clip past the
    // table is still not shown.
    MotionClips = nullptr;
    Replay_ApplyFrame(&frame);
    EXPECT_EQ(DisplayTable[0].clip, 5);
    EXPECT_EQ(DisplayTable[2].clip, -1);
}

TEST_F(ReplayTest, InterpolationScalesFigureHeightsButNotTheBall) {
    ReplayFrame a{}, b{};
    a.figures[7].x = 100, b.figures[7].x = 200;
    a.figures[7].y = -50, b.figures[7].y = 50;
    a.figures[7].height = 10, b.figures[7].height = 30;
    a.ballX = 0, b.ballX = 10, a.ballHeight = 10, b.ballHeight = 30;
    Replay_Interpolate(&a, &b, 0.5f);
    EXPECT_FLOAT_EQ(DisplayTable[7].x, 150.0f);
    EXPECT_FLOAT_EQ(DisplayTable[7].y, 0.0f);
    EXPECT_FLOAT_EQ(DisplayTable[7].height, 2.0f);
    EXPECT_FLOAT_EQ(DisplayTable[kBallFigure].x, 5.0f);
    EXPECT_FLOAT_EQ(DisplayTable[kBallFigure].height, 20.0f);
}

TEST_F(ReplayTest, TheDisplayBetweenTwoTicksAndAtTheNewest) {
    for (int tick = 0; tick < 760; ++tick) {
        BallState.x = int16_t(tick);
        Replay_Tick();
    }
    Replay.position = 100.25f;
    Replay_UpdateDisplay();
    EXPECT_FLOAT_EQ(DisplayTable[kBallFigure].x, 110.25f) << "ticks 110 and 111 of the full ring";
    Replay.position = 749.0f;
    Replay_UpdateDisplay();
    EXPECT_FLOAT_EQ(DisplayTable[kBallFigure].x, 759.0f);
    EXPECT_EQ(+Replay_FrameAt(0)->ballX, 759);
    EXPECT_EQ(+Replay_FrameAt(-749)->ballX, 10);
    EXPECT_EQ(Replay_FrameAt(1), nullptr);
    EXPECT_EQ(Replay_FrameAt(-750), nullptr);
}

TEST_F(ReplayTest, AReplayNeedsTenFramesAndADisplay) {
    Record(9);
    Replay_Start();
    EXPECT_FALSE(Replay_IsPlaying());
    Record(1);
    Replay_SetCameraHooks(ReplayCameraHooks{});
    Replay_Start();
    EXPECT_FALSE(Replay_IsPlaying()) << "nobody could watch or close it";
    InstallFakeCamera();
    Replay_Start();
    ASSERT_TRUE(Replay_IsPlaying());
    EXPECT_EQ(ReplayPlaying, 1);
    EXPECT_EQ(Replay.position, 0.0f);
    EXPECT_EQ(Replay.speed, 0.0f) << "the free camera starts paused";
    EXPECT_EQ(g_camera.panelResets, 1);
    EXPECT_EQ(Replay_GetSpeedClass(), 2);
}

TEST_F(ReplayTest, CommandsMoveThePositionWithinTheFrames) {
    Record(750);
    Replay_Start();
    ASSERT_TRUE(Replay_IsPlaying());
    Replay.position = 749.0f;
    Replay_Command(4);
    EXPECT_EQ(Replay.position, 249.0f) << "play at the newest frame goes back 500";
    EXPECT_EQ(Replay_GetSpeedClass(), 4);
    Replay_Command(0);
    EXPECT_EQ(Replay_GetSpeedClass(), 0);
    Replay_Command(5);
    EXPECT_EQ(Replay.speed, 2.0f);
    EXPECT_EQ(Replay_GetSpeedClass(), 5);
    Replay.position = 0.0f;
    Replay_Command(1);
    EXPECT_EQ(Replay.position, 0.0f);
    EXPECT_EQ(Replay.speed, 0.0f);
    Replay.position = 749.0f;
    Replay_Command(3);
    EXPECT_EQ(Replay.position, 749.0f);
    Replay_Command(8);
    EXPECT_EQ(g_camera.ballPathToggles, 1);
    Replay_Command(6);
    Replay_Command(6);
    Replay_Command(7);
    EXPECT_EQ(g_camera.selected, 1);
    // Rewinding stops at the oldest frame.
    Replay.position = 3.0f;
    Replay_Command(0);
    for (int i = 0; i < 5; ++i) Replay_Advance();
    EXPECT_EQ(Replay.position, 0.0f);
    EXPECT_EQ(Replay.speed, 0.0f);
    g_camera.mode = 2;
    Replay_Command(9);
    EXPECT_FALSE(Replay_IsPlaying());
    EXPECT_EQ(ReplayPlaying, 0);
    EXPECT_EQ(g_camera.mode, 0);
    EXPECT_EQ(Replay.position, 749.0f);

    // With fewer than 500 frames play goes back to the oldest.
    Replay_AllocBuffer();
    Record(300);
    Replay_Start();
    Replay.position = 299.0f;
    Replay_Command(4);
    EXPECT_EQ(Replay.position, 0.0f);
}

TEST_F(ReplayTest, WithoutTheAutomaticCameraPlaybackPausesAtTheEnd) {
    Record(20);
    Replay_Start();
    Replay_Command(4);
    for (int i = 0; i < 30; ++i) Replay_Advance();
    EXPECT_TRUE(Replay_IsPlaying());
    EXPECT_EQ(Replay.position, 19.0f);
    EXPECT_EQ(Replay.speed, 0.0f);
}

TEST_F(ReplayTest, AutomaticGoalReplayOfAFullRingSlowsDownAndVisitsEachCamera) {
    Goals[1] = 1;
    Record(750);
    DrawMode = 2;
    DisplayTable[kBallFigure].y = 1500.0f;  // the high end
    for (int tick = 0; tick < 99; ++tick) AutoGoalReplay_Tick();
    EXPECT_FALSE(Replay_IsPlaying());
    AutoGoalReplay_Tick();
    ASSERT_TRUE(Replay_IsPlaying());
    EXPECT_EQ(DrawMode, 0);
    EXPECT_EQ(g_camera.mode, 2);
    EXPECT_EQ(g_camera.stadiumLists, 1);
    EXPECT_EQ(Replay.speed, 1.0f);

    // One pass: frames covered at each speed.
    float covered[3] = {};
    int passes = 1;
    for (int step = 0; step < 10000 && Replay_IsPlaying(); ++step) {
        const float before = Replay.position;
        Replay_Advance();
        if (Replay.position < before) {
            ++passes;
            continue;
        }
        if (passes == 1)
            covered[Replay.speed == 1.0f ? 0 : Replay.speed == 0.5f ? 1 : 2] += Replay.position - before;
    }
    EXPECT_NEAR(covered[0], 450.0f, 1.0f);
    EXPECT_NEAR(covered[1], 150.0f, 1.0f);
    EXPECT_NEAR(covered[2], 150.0f, 2.0f);
    EXPECT_EQ(passes, 3) << "once with each camera of the list";
    EXPECT_FALSE(Replay_IsPlaying());
    EXPECT_EQ(g_camera.selected, 0);
    EXPECT_EQ(g_camera.mode, 0);

    // The same goal starts nothing more.
    for (int tick = 0; tick < 200; ++tick) AutoGoalReplay_Tick();
    EXPECT_FALSE(Replay_IsPlaying());
}

TEST_F(ReplayTest, APracticeMatchGetsNoReplayCamera) {
    Record(100);
    GameInfo.SetTeamI16(1, gameinfo::kTeamClub, 10);
    Goals[0] = 1;
    for (int tick = 0; tick < 100; ++tick) AutoGoalReplay_Tick();
    ASSERT_TRUE(Replay_IsPlaying());
    EXPECT_EQ(g_camera.modeSets, 0);
    EXPECT_EQ(g_camera.stadiumLists, 0);
    EXPECT_EQ(Replay.speed, 0.0f);
}

TEST_F(ReplayTest, TheLowEndGetsCameraModeOne) {
    Record(100);
    DisplayTable[kBallFigure].y = 300.0f;
    Goals[0] = 1;
    for (int tick = 0; tick < 100; ++tick) AutoGoalReplay_Tick();
    EXPECT_EQ(g_camera.mode, 1);
    EXPECT_EQ(Replay.speed, 1.0f);
}

}  // namespace
