#include "tests/fakes/menu_env.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "database/text.h"
#include "menus/exm_text.h"
#include "menus/exmenu.h"
#include "menus/menupc.h"
#include "platform/ddraw.h"
#include "support/dxdraw.h"
#include "support/dxenum.h"
#include "support/gfx.h"
#include "support/mem_win.h"
#include "support/pakfile.h"
#include "support/winlib.h"
#include "tests/fakes/support_env.h"
#include "tests/fakes/test_util.h"

namespace testenv {

namespace {

constexpr uint32_t kMemoryBudgetKb = 16000;
bool g_display = false;

bool StartArchive(const std::string& gameDir) {
    const std::string base = gameDir + "/pakfiles/demo";
    if (std::FILE* index = std::fopen((base + ".pki").c_str(), "rb")) {
        std::fclose(index);
    } else {
        return false;
    }
    InitMemory(kMemoryBudgetKb);
    StdoutCapture quiet;
    PakFileInit();
    PakAddFile(base.c_str());
    PakFileAddDone();
    InitText(LANGUAGE_ENGLISH);
    InitIconLists();
    quiet.Text();
    return true;
}

void StartBuffers(int width, int height, const ColFmt* format) {
    MenuSetScreenFormat(width, height, format);
    AllocScreenBuffers();
    SetFont(8);
    SetDrawParam(1, 0);
    SetDrawParam(7, 100);
}

}  // namespace

bool StartMenuPaint(const std::string& gameDir, const ColFmt* format, int width, int height) {
    if (!StartArchive(gameDir)) return false;
    StartBuffers(width, height, format);
    return true;
}

bool StartMenuDisplay(const std::string& gameDir, int bitsPerPixel, uint32_t windowFlags) {
    if (!StartArchive(gameDir)) return false;
    plat::SetDesktopBitsForTests(32);
    WinResetForTests();
    WinInit(nullptr, "Halvorn test", windowFlags);
    while (!WinIsActive()) WinIdleMessageHandler();
    DXEnumDisplay();
    DDrawSelectDevice(0, 0);
    {
        StdoutCapture quiet;
        GfxInit(0);
        quiet.Text();
    }
    const int mode = GfxFindMode(800, 600, bitsPerPixel == 16 ? 1 : bitsPerPixel == 24 ? 2 : 3);
    EXPECT_GE(mode, 0);
    SetGraphicMode(int16_t(mode), 0);
    g_display = true;
    WinWasReactivated();  // the activation of the new window is not a reactivation
    StartBuffers(int(GfxGetScreenWidth()), int(GfxGetScreenHeight()), GfxGetScreenFormat());
    return true;
}

void StopMenuPaint() {
    FreeScreenBuffers();
    if (g_display) {
        if (GfxIsModeSet()) RestoreGraphicMode();
        if (GfxIsInitialised()) GfxUninit();
        WinResetForTests();
        plat::SetDesktopBitsForTests(0);
        g_display = false;
    }
    UninitText();
    if (PakFileStatus() != 0) PakFileUninit();
    // Fonts, icon sheets and shade tables are all purgeable blocks.
    FreeAutoMemory();
    UninitMemory();
}

}  // namespace testenv
