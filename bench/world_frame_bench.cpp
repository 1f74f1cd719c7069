// One frame of the 3D match world on the headless GL context with the
// generated game data, from the large ground's main camera: the four
// stadium sections, and the 35 figures posed from their clips and drawn,
// timed apart.
//
// The game folder is HALVORN_GAME_DIR if set, else "game" beside the
// benchmark.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_util.h"
#include "core/base/angles.h"
#include "core/base/bytes.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/infobar.h"
#include "core/match/matchsetup.h"
#include "core/match/motion.h"
#include "core/match/replay.h"
#include "game/match3d/kitload.h"
#include "game/match3d/matchtextures.h"
#include "game/match3d/players3d.h"
#include "game/match3d/renderview.h"
#include "game/match3d/stadium.h"
#include "game/screens/engine/loadanim.h"
#include "game/system/device3d.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/videosurvey.h"

namespace {

bool StartWorld(benchmark::State& state) {
    BenchQuiet quiet;
    BenchMountArchive(96, true);
    if (!BenchOpenDisplay(state)) return false;
    EnterGameInfo* block = ClearMatchSetupBlock();
    for (int stand = 0; stand < gameinfo::kStands; ++stand)
        block->SetI16(gameinfo::kStadiumLevel + 2 * stand, 5);
    block->SetU8(gameinfo::kNightMatch, 0);
    block->SetU8(gameinfo::kCrowdFill, 2);
    block->SetTeamI16(0, gameinfo::kTeamClub, 3);
    block->SetTeamI16(1, gameinfo::kTeamClub, 40);
    WriteTeamKit(3, 40, 0, block->bytes + gameinfo::TeamInfoAt(0) + gameinfo::kTeamKit);
    WriteTeamKit(40, 3, 1, block->bytes + gameinfo::TeamInfoAt(1) + gameinfo::kTeamKit);
    TexD3D_Init();
    NORMTEXT_Init();
    LoadAllStadParts();
    Players3D_Load();
    const float sun[3] = {14.0f / 26.4f, 10.0f / 26.4f, -20.0f / 26.4f};
    Stadium_SetLight(sun);
    const float* eye = D3DWorldGetCameraCoord(0, 0);
    const float yaw = std::atan2(eye[0] - 796.0f, eye[1] - 1082.0f);
    const float tilt = std::atan2(-eye[2], std::hypot(eye[0] - 796.0f, eye[1] - 1082.0f)) - kPiF / 2.0f;
    MatchCam_SetView(eye[0], eye[1], eye[2], yaw, tilt, 1.4f);
    return true;
}

void StopWorld() {
    Players3D_Free();
    Stadium_Free();
    TexD3D_DestroyAll();
    RestoreGraphicMode();
    GfxUninit();
    WinResetForTests();
    Motion_FreeAll();
    // The loading screen keeps its picture once shown.
    if (LoadingImageList[0].picture != nullptr) FreeMemory(&LoadingImageList[0].picture);
    PakFileUninit();
    UninitMemory();
}

void BM_StadiumSections(benchmark::State& state) {
    if (!StartWorld(state)) return;
    for (auto _ : state) {
        D3DClearScene(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
        D3DBeginScene();
        for (int section = 1; section <= 4; ++section) {
            D3DGame_SetDefaultStates();
            if (section == 1) D3DGame_SetDepth(0);
            D3DWorldDisplayStadSection(section);
        }
        D3DEndScene();
        GfxFlip();
    }
    StopWorld();
}
BENCHMARK(BM_StadiumSections)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PosedFigures(benchmark::State& state) {
    if (!StartWorld(state)) return;
    DetailSetting = 1;
    int pass = 0;
    for (auto _ : state) {
        // Every figure a little further through its clip each frame.
        PoseBenchFigures(kFiguresDrawn, 300.0f, 300.0f, 160.0f, 350.0f, pass);
        D3DClearScene(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
        D3DBeginScene();
        D3DGame_SetDefaultStates();
        D3DGame_SetDepth(0);
        D3DGame_SetBlending(1);
        Players3D_DrawShadows();
        D3DGame_SetDefaultStates();
        Players3D_Draw();
        D3DEndScene();
        GfxFlip();
        ++pass;
    }
    StopWorld();
}
BENCHMARK(BM_PosedFigures)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
