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
};

extern MatchDisplayHooks MatchHooks;
