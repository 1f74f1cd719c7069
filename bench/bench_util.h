// What the benchmarks share: where the generated game data lies, loaders
// kept quiet, the archive mounted once, a headless 800 x 600 display, and
// a match set-up block of two plain sides.
#pragma once

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchsetup.h"
#include "core/match/motion.h"
#include "core/match/replay.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/videosurvey.h"

// Figures 0..count-1 stood in rows of seven from (x, y), dx and dy apart,
// each in one of the first four clips and a little further through it at
// every pass, facing a way of its own.
inline void PoseBenchFigures(int count, float x, float y, float dx, float dy, int pass) {
    for (int figure = 0; figure < count; ++figure) {
        const int clip = 1 + figure % 4;
        const uint32_t frames = Motion_GetFrameCount(clip);
        DisplayTable[figure] = DisplayFigure{x + float(figure % 7) * dx,
                                             y + float(figure / 7) * dy,
                                             0.0f,
                                             int16_t(clip),
                                             int16_t(frames ? (pass + figure) % frames : 0),
                                             int16_t((figure * 37 + pass) & 255)};
    }
}

// HALVORN_GAME_DIR if set, else the "game" folder the data kit writes
// beside the benchmark.
inline std::string BenchGameFolder() {
    if (const char* dir = std::getenv("HALVORN_GAME_DIR")) return dir;
    char exe[PATH_MAX] = {};
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return "game";
    const std::string path(exe, size_t(n));
    return path.substr(0, path.rfind('/') + 1) + "game";
}

inline std::string BenchArchive() { return BenchGameFolder() + "/pakfiles/demo"; }

// The loaders log what they read: keep that out of the report while one
// of these lives.
struct BenchQuiet {
    BenchQuiet() {
        std::fflush(stdout);
        saved = dup(1);
        null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
    }
    ~BenchQuiet() {
        std::fflush(stdout);
        dup2(saved, 1);
        close(saved);
        close(null);
    }
    BenchQuiet(const BenchQuiet&) = delete;
    BenchQuiet& operator=(const BenchQuiet&) = delete;
    int saved, null;
};

// The game's memory and archive; the motion clips too when asked.
inline void BenchMountArchive(uint32_t memoryKilobytes, bool withClips) {
    InitMemory(memoryKilobytes * 1024);
    PakFileInit();
    PakAddFile(BenchArchive().c_str());
    PakFileAddDone();
    if (withClips) Motion_LoadAll();
}

// The clips' archive mounted once for the whole run.
inline void BenchMountClipsOnce() {
    static bool mounted = false;
    if (mounted) return;
    mounted = true;
    BenchMountArchive(64, true);
}

// A windowed 800 x 600 3D display on the headless driver; false (and the
// benchmark skipped) when the mode is missing.
inline bool BenchOpenDisplay(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
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

// Two computer sides of varied but fixed statistics, both footed and
// placed, each with its tactic (home 1, away 5) loaded.
inline void BenchFillSides(EnterGameInfo* block) {
    using namespace gameinfo;
    for (int team = 0; team < 2; ++team) {
        block->SetTeamU8(team, kHumanManaged, 0);
        block->SetTeamI16(team, kTacticChoice, int16_t(team == 0 ? 1 : 5));
        for (int entry = 0; entry < kMatchSquadSize; ++entry) {
            const int at = PlayerInfoAt(team, entry);
            for (int stat = 0; stat < kPlayerStatCount; ++stat)
                block->SetI16(at + kPlayerStats + 2 * stat, int16_t(40 + (entry * 7 + stat * 3) % 55));
            block->SetI16(at + kPlayerLeft, 1);
            block->SetI16(at + kPlayerRight, 2);
            block->SetI16(at + kPlayerSideB, 1);
        }
        MatchLoadTeamTactics(int16_t(team));
    }
}
