// What the match needs of the 3D display and the in-match menus, reached
// through hooks that the game side installs.  An unset hook does nothing:
// a match then runs headless, opens no menu and shows no replay.
#pragma once
#include <cstdint>

constexpr int kSavedGoalEntries = 200;
constexpr int kSavedGoalEntrySize = 30;

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
    // Goal replays: load the frames of the selected saved goal, and load the
    // set-up block of a saved-goals list entry.
    void (*replayLoadTheRest)();
    void (*replayLoadGoalInfo)(int16_t entry);
    // The saved-goals list (an entry whose first byte is 0 is empty) and its
    // current index, kept by the saved-goals screen.
    const uint8_t (*savedGoalsList)[kSavedGoalEntrySize];
    int16_t* savedGoalIndex;

    // The running match: the sound of a match event (team -1 none), an
    // information-bar message about a figure, one drawn frame of a shown
    // match (update then render), the display's per-tick step, the replay
    // recorder's tick, the automatic goal replay's tick, saving the last
    // goal's replay, one replay playback step, and the in-game menu asked
    // for by a pending request (menu 6, 2, 1 or 10).
    void (*soundEvent)(int16_t event, int16_t team);
    void (*infoBar)(int16_t message, int16_t figure, int16_t minute);
    void (*updateAndRender)();
    void (*tickDisplayStep)();
    void (*replayTick)();
    void (*autoGoalReplayTick)();
    void (*replaySaveGoal)();
    void (*replayPlaybackStep)();
    void (*openInGameMenu)(int16_t menu);
    // Whether a key is held down (the in-match F1 and F12 keys).
    bool (*keyIsDown)(int key);

    // The display's data around a match: its view state reset before a
    // shown match, and the replay frame buffer allocated and freed.
    void (*viewReset)();
    void (*replayAllocBuffer)();
    void (*replayFreeBuffer)();

    // The crowd's excitement raised by an amount, and a hit of the goal net
    // recorded (from the ball's position and velocity) for its animation.
    void (*crowdExcitement)(int16_t amount);
    void (*netImpact)();
};

constexpr int kKeyF1 = 1;
constexpr int kKeyF12 = 12;

extern MatchDisplayHooks MatchHooks;

// Forwarders the engine calls; each does nothing while its hook is unset.
void MatchSfx_PlayEvent(int16_t event, int16_t team);
void InfoBar(int16_t message, int16_t figure, int16_t minute);
void Crowd_AddExcitement(int16_t amount);
void D3DGame_RecordNetImpact();
