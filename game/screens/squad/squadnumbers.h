// The squad numbers screen (id 87): numbers 1-100 for the players of the
// selected club's three squad lists (selected team, national squad, spare
// list).  One list is shown in two sorted columns of up to 16 rows with a
// value column the manager picks; two rows of 25 number buttons show which
// numbers are taken.  Pick a number then a player, swap two players'
// numbers, number everyone at once or clear all; nobody may leave while a
// listed player has no number.  The day loop opens it at a new season.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kSquadNumbers = 100;
constexpr int kNumberRows = 32;
constexpr int kNumberButtons = 50;

struct SquadNumbersState {
    uint16_t selectedPlayer;  // 0 none
    int16_t selectedNumber;   // index 0-99, -1 none
    int16_t shownCount;
    uint16_t displayKey;
    uint16_t listChoice;           // 0 selected team, 1 national squad, 2 spare list
    uint16_t numberRange;          // 0 numbers 1-50 on the buttons, 1 numbers 51-100
    uint32_t rebuildRequest;       // set: the next pass rebuilds the numbers in use
    int16_t inUse[kSquadNumbers];  // 1 taken, -1 free
    uint16_t shown[kNumberRows];
};
extern SquadNumbersState SquadNumbers;

// Built once at start-up: the fifty number buttons are generated.
extern const MenuItem* const SquadNumbersTable;
// The screen function.
void DisplaySort();

// The number button under a point of the layout (index 0-99 with the
// range), -1 when the point is on none.
int16_t SquadNumbers_NumberAt(int x, int y);
int32_t SquadNumbers_PickNumber(int16_t index);
int32_t SquadNumbers_RowClick(int row, int32_t buttons);
int32_t SquadNumbers_NumberAll(MenuHotItem*);
int32_t SquadNumbers_NextList(MenuHotItem*);
int32_t SquadNumbers_ClearAll(MenuHotItem*);
int32_t SquadNumbers_ToggleRange(MenuHotItem*);
int32_t SquadNumbers_ChooseKey(uint16_t key);
int32_t SquadNumbers_Leave(MenuHotItem*);
void SquadNumbers_Assign(int16_t index, uint16_t player);
// The value column's text of a player under a display key; a key the
// screen does not know ends the program.
const char* SquadNumbers_Value(uint16_t key, uint16_t player);

// A listed player's status colour: 6 injured, 4 suspended, 6 away on
// international duty, 7 on loan here from another club, 3 the selected
// player, else 0.
int16_t SquadNumbers_StatusColour(uint16_t player, uint16_t selected);

// ---- Views (tests) ---------------------------------------------------------
int16_t SquadNumbersButtonState(int button);
