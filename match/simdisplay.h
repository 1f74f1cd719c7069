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
