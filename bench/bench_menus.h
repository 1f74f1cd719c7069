// Start-up of the benches that run the game's screens: the menus on a
// headless window over the game folder next to the benchmark, and the new
// game the start screen makes (seed 2002, with its name tables).
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

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

// The folder the benchmark runs from, with its closing slash.
inline std::string BenchExeFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string exe(path, n > 0 ? size_t(n) : 0);
    return exe.substr(0, exe.rfind('/') + 1);
}

inline void BenchStartMenus() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    InitMemory(64000);
    WinInit(nullptr, "Halvorn bench", WIN_FLAG_WINDOWED);
    while (!WinIsActive()) WinIdleMessageHandler();
    DXEnumDisplay();
    DDrawSelectDevice(0, 0);
    GfxInit(0);
    PakFileInit();
    PakAddFile((BenchExeFolder() + "game/pakfiles/demo").c_str());
    PakFileAddDone();
    InitText(LANGUAGE_ENGLISH);
    InitTimerInterrupt();
    InitPoll();
    InitMouseDriver();
    RestartMenus();
    InstallGameHooks();
}

// Leaves the working folder at the game folder.
inline void BenchNewNamedGame() {
    if (chdir((BenchExeFolder() + "game").c_str()) != 0) std::exit(1);
    ClearTotStatTables();
    std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
    GameSeedRandom(2002);
    NewGameSetUp();
    BuildNameTables();
}
