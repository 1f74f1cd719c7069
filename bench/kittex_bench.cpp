// Match-start costs of the 3D display's textures, on the headless GL
// context with the generated game data: the kit and look textures of one
// match (both sides and the officials), and the icon files' load and
// packing (Icon_Init).  Each should stay well under 50 ms.
//
// The game folder is HALVORN_GAME_DIR if set, else "game" beside the
// benchmark.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_util.h"
#include "core/base/bytes.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchsetup.h"
#include "game/match3d/kitload.h"
#include "game/match3d/matchtextures.h"
#include "game/match3d/overlayicons.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/videosurvey.h"

namespace {

bool StartDisplay(benchmark::State& state) {
    BenchMountArchive(64, false);
    return BenchOpenDisplay(state);
}

void StopDisplay() {
    RestoreGraphicMode();
    GfxUninit();
    WinResetForTests();
    PakFileUninit();
    UninitMemory();
}

void BM_MatchKitTextures(benchmark::State& state) {
    if (!StartDisplay(state)) return;
    ClearMatchSetupBlock();
    int match = 0;
    for (auto _ : state) {
        // A different pairing of clubs and looks each time.
        const int16_t home = int16_t((match * 37) % 1200), away = int16_t((match * 37 + 601) % 1200);
        uint8_t* block = GetMatchSetupBlock()->bytes;
        WriteTeamKit(home, away, 0, block + gameinfo::TeamInfoAt(0) + gameinfo::kTeamKit);
        WriteTeamKit(away, home, 1, block + gameinfo::TeamInfoAt(1) + gameinfo::kTeamKit);
        for (int figure = 0; figure < 32; ++figure) {
            uint8_t* player = block + gameinfo::PlayerInfoAt(figure / 16, figure % 16);
            recbits::StoreU16(player + gameinfo::kSkinColour, uint16_t((figure + match) % 8));
            recbits::StoreU16(player + gameinfo::kHairColour, uint16_t((figure * 3 + match) % 4));
            recbits::StoreU16(player + gameinfo::kHairStyle, uint16_t((figure * 5 + match) % 8));
        }
        TexD3D_Init();
        KIT_LoadMatchKits();
        state.PauseTiming();
        TexD3D_DestroyAll();
        state.ResumeTiming();
        ++match;
    }
    StopDisplay();
}
BENCHMARK(BM_MatchKitTextures)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IconInit(benchmark::State& state) {
    if (!StartDisplay(state)) return;
    // The loader logs each file it reads: keep that out of the report.
    std::fflush(stdout);
    const int report = dup(1);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    for (auto _ : state) {
        Icon_Init();
        state.PauseTiming();
        Icon_Uninit();
        state.ResumeTiming();
    }
    std::fflush(stdout);
    dup2(report, 1);
    close(report);
    close(null);
    StopDisplay();
}
BENCHMARK(BM_IconInit)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
