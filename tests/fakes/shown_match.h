// The game started for a shown match on the headless window, and what a
// grab of the shown match shows: the pitch's share of the picture and the
// kit of a side on a figure in view.
#pragma once
#include <cstdint>
#include <string>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchhooks.h"
#include "core/match/matchsetup.h"
#include "core/records/text.h"
#include "game/match3d/kitpalette.h"
#include "game/match3d/matchframe.h"
#include "game/match3d/renderview.h"
#include "game/match3d/videochoice.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"
#include "game/system/mouse.h"
#include "game/system/poll.h"
#include "game/system/startup.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/sound_recorder.h"
#include "tests/fakes/test_util.h"

namespace testenv {

// The start-up's first part on the headless window: memory, archive,
// texts, the window, the driven clock and input.
inline void StartGameWindow() {
    MountGameArchive(HALVORN_GAME_DIR, 96 * 1024);
    InitText(LANGUAGE_ENGLISH);
    plat::SetDesktopBitsForTests(32);
    WinResetForTests();
    WinInit(nullptr, "Halvorn test", WIN_FLAG_WINDOWED);
    while (!WinIsActive()) WinIdleMessageHandler();
    plat::SetManualClock(true);
    InitTimerInterrupt();
    InitPoll();
    InitKeyboardInterrupt();
    InitMouseDriver();
}

// The game's start-up on the headless window: the window's part, the video
// choice (3D or not), the display's hooks and the menus.
inline void StartShownGame(bool no3d) {
    StartGameWindow();
    StdoutCapture quiet;
    VideoInit(no3d ? 1 : 0);
    soundfake::InstallRecorder();
    MatchHooks = {};
    D3DGame_Connect();
    InstallGameHooks();
    RestartMenus();
    quiet.Text();
    ScreenPresented = 1;
}

// Pixels clearly greener than red and blue, in percent of the picture.
inline int GreenPercent(const Frame& frame) {
    int green = 0;
    for (uint32_t p : frame.pixels) {
        const int r = int(p >> 16 & 255), g = int(p >> 8 & 255), b = int(p & 255);
        green += g > r + 10 && g > b + 10;
    }
    return frame.pixels.empty() ? 0 : green * 100 / int(frame.pixels.size());
}

// The share of pixels, in percent, that differ clearly between two grabs of
// one size in a box.
inline int DifferingShare(const Frame& a, const Frame& b, int x0, int y0, int x1, int y1) {
    if (a.pixels.empty() || b.pixels.empty() || a.width != b.width || a.height != b.height) return 0;
    int differ = 0, all = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x, ++all) differ += ColourDistance(a.At(x, y), b.At(x, y)) > 24;
    return all == 0 ? 0 : differ * 100 / all;
}

// Near-white pixels (the panels' text) in a box.
inline int WhiteTextPixels(const Frame& f, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const uint32_t p = f.At(x, y);
            count += (p >> 16 & 255) > 200 && (p >> 8 & 255) > 200 && (p & 255) > 200;
        }
    return count;
}

// The display's panels are drawn in proportion to the screen: a box given
// on an 800 x 600 screen, on the grab's.
struct ScreenBox {
    int x0, y0, x1, y1;
};
inline ScreenBox ScaledBox(const Frame& f, int x0, int y0, int x1, int y1) {
    return ScreenBox{x0 * f.width / 800, y0 * f.height / 600, x1 * f.width / 800, y1 * f.height / 600};
}

// The score panel at the top left of a shown match carries text.
inline bool ScorePanelInView(const Frame& f) {
    if (f.pixels.empty()) return false;
    const ScreenBox box = ScaledBox(f, 140, 10, 230, 48);
    return WhiteTextPixels(f, box.x0, box.y0, box.x1, box.y1) > 20;
}

// The replay panel at the foot of the picture: the share of its box that
// differs between two grabs.
inline int ReplayPanelShare(const Frame& a, const Frame& b) {
    const ScreenBox box = ScaledBox(a, 250, 500, 550, 590);
    return DifferingShare(a, b, box.x0, box.y0, box.x1, box.y1);
}

// The shirt colour of a side of the match record, 0xRRGGBB.
inline uint32_t SideShirtRgb(int side) {
    const uint8_t* kit = GameInfo.bytes + gameinfo::TeamInfoAt(side) + gameinfo::kTeamKit;
    const KitColour& c = GetKitColour(int16_t(kit[2] | kit[3] << 8));
    return uint32_t(c.red) << 16 | uint32_t(c.green) << 8 | c.blue;
}

// A chest of the side in view wears the side's shirt colour in the grab.
inline bool SideShirtInView(const Frame& frame, int side) {
    for (int figure = side * 16; figure < side * 16 + 11; ++figure) {
        const DisplayFigure& row = DisplayTable[figure];
        if (row.clip < 0) continue;
        float x = 0, y = 0;
        if (!Figure_ProjectToScreen(row.x, row.y, row.height + 20.0f, &x, &y)) continue;
        if (x < 10 || y < 70 || x > float(frame.width - 10) || y > float(frame.height - 10)) continue;
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx)
                if (ColourDistance(frame.At(int(x) + dx, int(y) + dy), SideShirtRgb(side)) <= 90) return true;
    }
    return false;
}

}  // namespace testenv
