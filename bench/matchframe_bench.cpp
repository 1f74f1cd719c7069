// The shown match's frame on the headless software renderer at 800 x 600,
// full screen: a ring recorded by a real match of two world clubs played
// back through D3DGame_Update and D3DGame_RenderFrame, the worst case of all
// 35 people on the pitch with every overlay and panel on (large ground by
// day and by night), and the display's start.  The driven clock is moved to
// each frame's due time outside the timed part, so pacing never waits.
// Draw calls per frame are reported.
//
// The game folder is HALVORN_GAME_DIR.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/club/squads.h"
#include "core/match/matchhooks.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/motion.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/match/simdisplay.h"
#include "core/match/teamsetup.h"
#include "core/match/wholematch.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/matchsetup.h"
#include "game/match3d/kitpalette.h"
#include "game/match3d/matchframe.h"
#include "game/match3d/matchkeys.h"
#include "game/match3d/soundeffects.h"
#include "game/match3d/videochoice.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/loadanim.h"
#include "game/system/device3d.h"
#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"
#include "game/system/mouse.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "tests/fakes/world_records.h"

using namespace gameinfo;

namespace {

namespace fs = std::filesystem;

// The ring of a real match, copied out while it played.
struct RecordedRing {
    std::vector<ReplayFrame> frames;
    uint32_t ringStart = 0;
};
RecordedRing g_ring;

// Memory, archive, texts, world, a shown-match record of two division clubs,
// the driven clock and a full-screen window with the automatic video choice.
class World {
  public:
    World() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        old_ = fs::current_path();
        char pattern[] = "/tmp/halvorn_bench_matchframe_XXXXXX";
        if (mkdtemp(pattern) == nullptr) std::abort();
        dir_ = pattern;
        BenchQuiet quiet;
        InitMemory(96 * 1024);
        PakFileInit();
        PakAddFile((std::string(HALVORN_GAME_DIR) + "/pakfiles/demo").c_str());
        PakFileAddDone();
        InitText(LANGUAGE_ENGLISH);
        ok_ = LoadWorldRecords(HALVORN_GAME_DIR).empty();
        fs::current_path(dir_);
        WinInit(nullptr, "Halvorn bench", 0);
        while (!WinIsActive()) WinIdleMessageHandler();
        plat::SetManualClock(true);
        InitTimerInterrupt();
        InitPoll();
        InitKeyboardInterrupt();
        InitMouseDriver();
        VideoInit(0);
        static const MatchSfxDriver silent{
            [](int16_t, int, int channel, int16_t, int16_t) { return channel; }, [](int) {},
            [](int) { return 1; }, [](int, int) {}, [](int, int) {}};
        MatchSfx_SetDriver(&silent);
        D3DGame_Connect();
        if (ok_) PrepareMatch();
    }
    ~World() {
        BenchQuiet quiet;
        MatchHooks = {};
        MatchSfx_SetDriver(nullptr);
        UninitMouseDriver();
        ClearKeyboardInterrupt();
        VideoUninit();
        UninitPoll();
        ClearTimerInterrupt();
        plat::SetManualClock(false);
        WinResetForTests();
        UninitText();
        if (LoadingImageList[0].picture != nullptr) FreeMemory(&LoadingImageList[0].picture);
        PakFileUninit();
        UninitMemory();
        fs::current_path(old_);
        fs::remove_all(dir_);
    }
    bool ok() const { return ok_; }

    static void PrepareMatch() {
        ClearFixtureTable();
        SeasonCalendar = SeasonCalendarState{0, 13, 6, 2002, 40, 0, {}, {}, {}};
        SetUpAllClubTeams();
        int16_t clubs[2] = {-1, -1};
        for (int16_t club = 0; club < kClubCount && clubs[1] < 0; ++club) {
            if (GetClubRep(club) == 0 || GetClubDivision(club) != 0 || GetClubNation(club) != 0) continue;
            (clubs[0] < 0 ? clubs[0] : clubs[1]) = club;
        }
        const int16_t slot = AddFixture(SeasonCalendar.currentDay, kCompLeague, clubs[0], clubs[1], 0);
        PrepareClubMatch(slot, clubs[0], clubs[1]);
        DeleteFixture(slot);
        EnterGameInfo* block = GetMatchSetupBlock();
        block->SetI16(kDurationMinutes, 1);
        for (int side = 0; side < 2; ++side) {
            block->SetTeamI16(side, kTeamClub, clubs[side]);
            WriteTeamKit(clubs[side], clubs[1 - side], int16_t(side),
                         block->bytes + TeamInfoAt(side) + kTeamKit);
        }
    }

  private:
    fs::path old_, dir_;
    bool ok_ = false;
};

// Plays the match unshown with its replay data kept and copies the full
// ring out in the second half.
void RecordRing() {
    if (!g_ring.frames.empty()) return;
    GameSeedRandom(99);
    DisplayModeFlags = kDisplayOff;
    MatchPeriodRunner = Match_RunPeriod;
    const MatchDisplayHooks saved = MatchHooks;
    MatchHooks.tickDisplayStep = [] {
        if (!g_ring.frames.empty() || Period != 1 || Replay.recorded < kReplayCapacity) return;
        g_ring.frames.assign(Replay.frames, Replay.frames + kReplayCapacity);
        g_ring.ringStart = Replay.ringStart;
    };
    {
        BenchQuiet quiet;
        PlayMatch();
    }
    MatchHooks = saved;
}

// One frame due now: the clock is moved on outside the timed part.
void FrameDue(benchmark::State& state) {
    state.PauseTiming();
    plat::AdvanceClockMicroseconds(uint64_t(1000000 / D3DGame_TargetRate()));
    state.ResumeTiming();
}

void StartDisplay() {
    BenchQuiet quiet;
    DisplayModeFlags = 0;
    Motion_LoadAll();
    Replay_AllocBuffer();
    Match_SetPitchGeometry();
    Match3D_DisplayOn();
    DrawMode = 0;
}

void StopDisplay() {
    BenchQuiet quiet;
    Match3D_DisplayOff();
    Replay_FreeBuffer();
    Motion_FreeAll();
}

void ReportDrawCalls(benchmark::State& state, uint32_t calls, int64_t frames) {
    state.counters["draw_calls"] = frames > 0 ? double(calls) / double(frames) : 0.0;
}

void BM_RecordedRingPlayback(benchmark::State& state) {
    World world;
    if (!world.ok()) {
        state.SkipWithError("no generated world");
        return;
    }
    RecordRing();
    if (g_ring.frames.empty()) {
        state.SkipWithError("the match recorded no full ring");
        return;
    }
    StartDisplay();
    std::memcpy(Replay.frames, g_ring.frames.data(), sizeof(ReplayFrame) * kReplayCapacity);
    Replay.recorded = kReplayCapacity;
    Replay.ringStart = g_ring.ringStart;
    MatchKeys_ResetSwitches();
    PitchRadarSwitch = 1;
    const uint32_t callsBefore = D3DDrawCallCount();
    const int32_t drawnBefore = D3DGameFramesDrawn;
    for (auto _ : state) {
        if (!Replay_IsPlaying()) {
            Replay_Start();
            Replay_Command(4);
        }
        Replay_Advance();
        Replay_UpdateDisplay();
        FrameDue(state);
        D3DGame_Update();
        D3DGame_RenderFrame();
    }
    ReportDrawCalls(state, D3DDrawCallCount() - callsBefore, D3DGameFramesDrawn - drawnBefore);
    state.counters["frames_drawn"] = double(D3DGameFramesDrawn - drawnBefore);
    Replay_Stop();
    StopDisplay();
}
BENCHMARK(BM_RecordedRingPlayback)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every one of the 35 people on the pitch, running their clips, with the
// touch marker, the ball path, the labels, the radar and the panels on.
void BM_WorstCaseFrame(benchmark::State& state) {
    World world;
    if (!world.ok()) {
        state.SkipWithError("no generated world");
        return;
    }
    GameInfo.SetU8(kNightMatch, uint8_t(state.range(0)));
    for (int stand = 0; stand < kStands; ++stand) GameInfo.SetI16(kStadiumLevel + 2 * stand, 5);
    StartDisplay();
    for (int tick = 0; tick < 200; ++tick) Replay_Tick();
    TouchMarkerSwitch = BallPathSwitch = NameLabelSwitch = PitchRadarSwitch = 1;
    CameraSubject = 35;
    int pass = 0;
    const uint32_t callsBefore = D3DDrawCallCount();
    const int32_t drawnBefore = D3DGameFramesDrawn;
    for (auto _ : state) {
        PoseBenchFigures(35, 400.0f, 500.0f, 130.0f, 260.0f, pass);
        DisplayTable[35] = DisplayFigure{796.0f, 1082.0f, 20.0f, 0, 0, 0};
        ++pass;
        FrameDue(state);
        D3DGame_Update();
        D3DGame_RenderFrame();
    }
    ReportDrawCalls(state, D3DDrawCallCount() - callsBefore, D3DGameFramesDrawn - drawnBefore);
    StopDisplay();
}
BENCHMARK(BM_WorstCaseFrame)->Arg(0)->Arg(1)->ArgName("night")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DisplayStart(benchmark::State& state) {
    World world;
    if (!world.ok()) {
        state.SkipWithError("no generated world");
        return;
    }
    BenchQuiet quiet;
    DisplayModeFlags = 0;
    Motion_LoadAll();
    Replay_AllocBuffer();
    Match_SetPitchGeometry();
    for (auto _ : state) {
        D3DGame_Init();
        state.PauseTiming();
        D3DGame_Uninit();
        state.ResumeTiming();
    }
    Replay_FreeBuffer();
    Motion_FreeAll();
}
BENCHMARK(BM_DisplayStart)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// From the team news' play button to the first drawn frame of the user's
// match: the menus give their buffers up, the match starts its display
// (replay ring, motion clips, pitch, textures, stadium, figures, lights,
// panels), the first period is set up and one frame drawn.  Day and night
// grounds alternate.
void BM_PlayButtonToFirstFrame(benchmark::State& state) {
    World world;
    if (!world.ok()) {
        state.SkipWithError("no generated world");
        return;
    }
    BenchQuiet quiet;
    RestartMenus();
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        GetMatchSetupBlock()->SetU8(kNightMatch, uint8_t(run++ & 1));
        DisplayModeFlags = 0;
        Period = 0;
        state.ResumeTiming();
        ReleaseMenuBuffers();
        Match3D_Startup();
        Match_SetupPeriod();
        DrawMode = 0;
        const int32_t drawn = D3DGameFramesDrawn;
        D3DGame_Update();
        D3DGame_RenderFrame();
        state.PauseTiming();
        if (D3DGameFramesDrawn == drawn) state.SkipWithError("no frame drawn");
        Match3D_Shutdown();
        RestartMenus();
        state.ResumeTiming();
    }
    ReleaseMenuBuffers();
}
BENCHMARK(BM_PlayButtonToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(6);

}  // namespace

BENCHMARK_MAIN();
