// Screen 5: the clubs of one division of the viewed country in two
// columns, each leading to its club information screen, and one button per
// division of the country.
#pragma once
#include <cstdint>

#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/screenmachine.h"

// Set while the clubs are being chosen from the division list; the club
// information screen clears them.
extern int16_t ClubChoiceMode;
extern int16_t ClubChoiceFlag;

constexpr int kDivisionColumnClubs = 12;
extern uint16_t DivisionLeftClubs[kDivisionColumnClubs];
extern uint16_t DivisionRightClubs[kDivisionColumnClubs];

extern const MenuItem DivisionClubsTable[];
void DivisionClubsMenu();
// Test view: the name a row of the left or right column shows (null past
// the last row).
const char* DivisionClubsRowName(bool right, int row);
// Fills the two columns from the viewed division and country; answers the
// division's club count.
int16_t FillDivisionColumns();
