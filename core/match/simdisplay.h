// Words of the running match that only the display's panels read: the
// simulation's own menu (mode and selected line), each side's current
// player, and the decision display the score panel can show for tuning.
#pragma once
#include <cstdint>

// Low byte 0 none, 1 or 2 a menu of the simulation.
extern uint16_t SimMenuMode;
extern uint16_t SimMenuLine;
// Per side the figure of its current player, negative none.
extern int8_t SideCurrentPlayer[2];

struct DecisionDisplayWords {
    uint16_t counter;  // frames the two values are still shown, 0 none
    int16_t ideal;
    int16_t direction;
};
extern DecisionDisplayWords DecisionDisplay;

// The pending in-match menu request: 0 none, 1 the team statistics (Esc),
// 2 player statistics, 3 team management, 4 the video options (F11).  The
// displayed loop takes it once per pass and clears it.
extern uint16_t InMatchRequest;
// 0, 1 or 3: the shown match runs at 50 x (setting + 1) passes a second.
// Kept for the whole run.
extern int32_t GameSpeedSetting;
// The simulation's event marker, 65535 none; the pitch radar hides while
// one is set.
extern uint16_t EventMarker;
// Per side the steering handed to the simulation every drawn frame: a
// direction (255 none) and a button word.
extern uint16_t SideInputDirection[2];
extern uint16_t SideInputButtons[2];
