// What the match needs of the 3D display and the in-match menus, reached
// through hooks that the game side installs.  An unset hook does nothing:
// a match then runs headless, opens no menu and shows no replay.
#pragma once
#include <cstdint>

#include "core/match/crowd.h"
#include "core/match/infobar.h"

struct MatchDisplayHooks {
    // Resets the match camera before a match.
    void (*camResetDefaults)();
    // Switches the 3D display of a shown match on and off.
    void (*displayOn)();
    void (*displayOff)();
    // The in-match menus for a team, from the team menu (6) or the menu
    // before the shoot-out (8); they return when the user leaves them.
    void (*igMenuRequest6)(int16_t team);
    void (*igMenuRequest8)(int16_t team);

    // The running match: the sound of a match event (team -1 none), one
    // drawn frame of a shown match (update then render), the display's
    // per-tick step, and the in-game menu asked for by a pending request
    // (menu 6, 2, 1 or 10).  The replay ring, the goal replay files and the
    // information bar need no display: the engine calls them directly.
    void (*soundEvent)(int16_t event, int16_t team);
    // The sound module's step of each tick, after the clock.
    void (*soundTick)();
    void (*updateAndRender)();
    void (*tickDisplayStep)();
    void (*openInGameMenu)(int16_t menu);
    // Whether a key is held down (the in-match F1 and F12 keys).
    bool (*keyIsDown)(int key);

    // The display's view state, reset before a shown match and as each of
    // its periods starts.
    void (*viewReset)();

    // A hit of the goal net recorded (from the ball's position and
    // velocity) for its animation.
    void (*netImpact)();
    // A pitch mark left by a slide at (x, y) along the facing.
    void (*skidMark)(int16_t x, int16_t y, float size, uint16_t facing, int16_t kind);
};

constexpr int kKeyF1 = 1;
constexpr int kKeyF12 = 12;

extern MatchDisplayHooks MatchHooks;

// The sound of a match event; does nothing while the hook is unset.  A third
// value some callers pass (a loudness) is accepted and not read.
void MatchSfx_PlayEvent(int16_t event, int16_t team, int32_t value = 0);
void D3DGame_RecordNetImpact();
void SkidMark_Add(int16_t x, int16_t y, float size, uint16_t facing, int16_t kind);
