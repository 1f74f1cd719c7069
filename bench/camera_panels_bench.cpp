// The match camera's computation of one frame's view over the large ground,
// and the overlay panels' update and draw of one frame (score, clock, team,
// menu and replay panels with the pointer), on the headless GL context with
// the generated game data.
//
// The game folder is HALVORN_GAME_DIR if set, else "game" beside the
// benchmark.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/bench_util.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchclock.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/replay.h"
#include "core/match/simdisplay.h"
#include "game/match3d/kitload.h"
#include "game/match3d/matchcam.h"
#include "game/match3d/matchkeys.h"
#include "game/match3d/matchtextures.h"
#include "game/match3d/overlayicons.h"
#include "game/match3d/panelobjects.h"
#include "game/match3d/panels.h"
#include "game/match3d/stadium.h"
#include "game/screens/engine/loadanim.h"
#include "game/system/device3d.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/videosurvey.h"

namespace {

bool StartDisplay(benchmark::State& state) {
    BenchQuiet quiet;
    BenchMountArchive(96, false);
    if (!BenchOpenDisplay(state)) return false;
    EnterGameInfo* block = ClearMatchSetupBlock();
    for (int stand = 0; stand < gameinfo::kStands; ++stand)
        block->SetI16(gameinfo::kStadiumLevel + 2 * stand, 5);
    block->SetU8(gameinfo::kNightMatch, 0);
    block->SetTeamI16(0, gameinfo::kTeamClub, 3);
    block->SetTeamI16(1, gameinfo::kTeamClub, 40);
    block->SetI16(gameinfo::kCompetition, 1);
    std::strcpy(reinterpret_cast<char*>(block->bytes + gameinfo::TeamInfoAt(0)), "Home Side");
    std::strcpy(reinterpret_cast<char*>(block->bytes + gameinfo::TeamInfoAt(1)), "Away Side");
    TexD3D_Init();
    NORMTEXT_Init();
    LoadAllStadParts();
    Icon_Init();
    Panel_LoadModels();
    return true;
}

void StopDisplay() {
    SimpleObj_FreeAll();
    Icon_Uninit();
    Stadium_Free();
    TexD3D_DestroyAll();
    RestoreGraphicMode();
    GfxUninit();
    WinResetForTests();
    if (LoadingImageList[0].picture != nullptr) FreeMemory(&LoadingImageList[0].picture);
    PakFileUninit();
    UninitMemory();
}

void BM_MatchCamCompute(benchmark::State& state) {
    if (!StartDisplay(state)) return;
    PitchGeometry = kDefaultPitch;
    MatchCam_Init();
    uint32_t pass = 0;
    for (auto _ : state) {
        // The ball wanders and the type changes every 50 frames, the
        // stadium cameras among them.
        DisplayTable[kBallFigure] = {
            float(100 + pass * 37 % 1400), float(60 + pass * 53 % 2050), float(pass % 60), 0, 0, 0};
        CameraType = int16_t(pass / 50 % kCameraTypeCount);
        MatchCam_Compute();
        benchmark::DoNotOptimize(ShownView);
        ++pass;
    }
    StopDisplay();
}
BENCHMARK(BM_MatchCamCompute)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_PanelsFrame(benchmark::State& state) {
    if (!StartDisplay(state)) return;
    Panels_Init();
    MatchClockRunning = 1;
    PeriodLength = 45 * 60 * 50;
    SideCurrentPlayer[0] = 3;
    SideCurrentPlayer[1] = 19;
    SimMenuMode = 1;
    Replay.recorded = 750;
    Replay.playing = 1;
    uint32_t pass = 0;
    for (auto _ : state) {
        PeriodClock = pass * 7 % PeriodLength;
        Goals[0] = int16_t(pass / 300 % 10);
        Replay.position = float(pass % 750);
        MatchMouse.x = int32_t(pass * 13 % 788);
        MatchMouse.y = int32_t(500 + pass % 88);
        D3DClearScene(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
        D3DBeginScene();
        Panels_Update();
        Panels_Draw();
        D3DEndScene();
        GfxFlip();
        ++pass;
    }
    Replay = {};
    StopDisplay();
}
BENCHMARK(BM_PanelsFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
