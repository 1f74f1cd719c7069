// Start-up of the benches that run the game's screens: the menus on a
// headless window over the game folder next to the benchmark, and the new
// game the start screen makes (seed 2002, with its name tables).
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/bench_util.h"
#include "database/hvw/dataconv.h"
#include "database/text.h"
#include "menus/menucont.h"
#include "menus/menusetup.h"
#include "menus/startmenu.h"
#include "platform/window.h"
#include "season/leagues.h"
#include "season/newgame.h"
#include "support/dxdraw.h"
#include "support/dxenum.h"
#include "support/gfx.h"
#include "support/mem_win.h"
#include "support/mouse.h"
#include "support/pakfile.h"
#include "support/poll.h"
#include "support/random.h"
#include "support/startup.h"
#include "support/timerint.h"
#include "support/winlib.h"

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
