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

#include "generic/kitload.h"
#include "match/matchsetup.h"
#include "support/bytes.h"
#include "support/dxdraw.h"
#include "support/dxenum.h"
#include "support/gfx.h"
#include "support/mem_win.h"
#include "support/pakfile.h"
#include "support/winlib.h"
#include "zud3d/d3dicon.h"
#include "zud3d/d3dtex.h"

namespace {

std::string GameFolder() {
    if (const char* dir = std::getenv("HALVORN_GAME_DIR")) return dir;
    char exe[PATH_MAX] = {};
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    std::string path(exe, n > 0 ? size_t(n) : 0);
    return path.substr(0, path.find_last_of('/') + 1) + "game";
}

bool StartDisplay(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    InitMemory(64 * 1024);
    PakFileInit();
    PakAddFile((GameFolder() + "/pakfiles/demo").c_str());
    PakFileAddDone();
    WinInit(nullptr, "Halvorn bench", WIN_FLAG_WINDOWED);
    while (!WinIsActive()) WinIdleMessageHandler();
    DXEnumDisplay();
    DDrawSelectDevice(0, 0);
    GfxInit(GFXINIT_3D);
    const int mode = GfxFindMode(800, 600, 3);
    if (mode < 0) {
        state.SkipWithError("no 800 x 600 mode");
        return false;
    }
    SetGraphicMode(int16_t(mode), GFX_3D | GFX_ZBUFFER | GFX_DOUBLEBUFFER);
    return true;
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
