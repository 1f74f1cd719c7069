// The division buttons along the foot of the league screens: one button per
// division of the viewed country side by side from x 60 at y 559, 28 high,
// in layouts of 2 (also for any count outside 3..6), 3, 4, 5 and 6 buttons
// of 339, 226, 169, 135 and 113 units.  The viewed division's button is
// highlighted; a click hands the division to the screen's pick function.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kMostDivisionButtons = 6;

using DivisionPick = int32_t (*)(int16_t division);

// Text ids, highlight and layout for the country's divisions, the pick
// function for the clicks; answers the layout to include (type 34).
const MenuItem* DivisionButtons_Set(int16_t country, int16_t viewedDivision, DivisionPick pick);
