// Start-up of the benches that run the game's screens: the menus on a
// headless window over the game folder next to the benchmark, and the new
// game the start screen makes (seed 2002, with its name tables).
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/bench_util.h"
#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/season/leagues.h"
#include "core/season/newgame.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/start/startmenu.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/mouse.h"
#include "game/system/poll.h"
#include "game/system/startup.h"
#include "game/system/tickclock.h"
#include "game/system/videosurvey.h"
#include "platform/window.h"

// The menus on a headless window over the game's archive; the game's hooks
// only where the benchmark runs the game's screens, not the engine alone.
inline void BenchStartMenus(uint32_t memory = 64000, bool gameHooks = true) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    InitMemory(memory);
    WinInit(nullptr, "Halvorn bench", WIN_FLAG_WINDOWED);
    while (!WinIsActive()) WinIdleMessageHandler();
    DXEnumDisplay();
    DDrawSelectDevice(0, 0);
    GfxInit(0);
    PakFileInit();
    PakAddFile(BenchArchive().c_str());
    PakFileAddDone();
    InitText(LANGUAGE_ENGLISH);
    InitTimerInterrupt();
    InitPoll();
    InitMouseDriver();
    RestartMenus();
    if (gameHooks) InstallGameHooks();
}

// Leaves the working folder at the game folder.
inline void BenchNewNamedGame() {
    if (chdir(BenchGameFolder().c_str()) != 0) std::exit(1);
    ClearTotStatTables();
    std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
    GameSeedRandom(2002);
    NewGameSetUp();
    BuildNameTables();
}
