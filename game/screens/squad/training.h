// The training schedule (screen 76): the user's squad, eighteen rows to a
// page, with each player's position slot, squad number, position, age or
// fatigue and his two training assignments, a regular and an extra type out
// of 22.  A click on an assignment opens the pop-up of the types this player
// may be given, built for him then; a click on the player opens his
// condition screen (80).  The list sorts five ways, and a practice match
// can be played once a day when the club has no fixture.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kTrainingSquadSize = 100;
constexpr int kTrainingPageRows = 18;
constexpr int kTrainingTypes = 22;

extern uint16_t TrainingSquadList[kTrainingSquadSize];
extern int16_t TrainingSquadCount;
extern int16_t TrainingPageStart;
extern uint16_t TrainingSortMode;
extern uint16_t TrainingShowAge;
extern uint16_t TrainingPopupPlayer;
extern uint16_t TrainingPopupExtra;
extern int16_t TrainingColumnTitle;

extern const MenuItem TrainingTable[];
void TrainingMenuProc();
// The first walk's list: the user club's roster without managers, flag-95
// players and loan triallists.
void Training_BuildList();
// Sorts the counted entries by TrainingSortMode.
void Training_Sort();
// Fills the page's rows.
void Training_FillRows();
// The pop-up of the types the player may be given; returns its entries
// (header first, end record last).
const PopupEntry* Training_BuildTypeMenu(uint16_t player);
// The training types the built pop-up offers, in order (no header,
// separator, heading or end).
int Training_OfferedTypes(int16_t* types, int capacity);
// The retraining score of position 0..12 for the player, and whether his
// pop-up offers the retraining type for it.
bool Training_OffersRetraining(uint16_t player, int16_t position);
// Stores the type in the popup player's record (extra or regular): 7; a
// player without a record changes nothing and gives 7 too.
int32_t Training_SetType(int16_t type);
// The sort key of mode 4: national shirts last, numbered shirts first.
int16_t Training_ShirtKey(uint16_t player);

int32_t Training_ToggleAgeFatigue(MenuHotItem* item);
int32_t Training_PageUp(MenuHotItem* item);
int32_t Training_PageDown(MenuHotItem* item);
int32_t Training_OpenPlayer(int row);
int32_t Training_ChooseType(int row, bool extra);
int32_t Training_PracticeMatch(MenuHotItem* item);
int32_t Training_Back(MenuHotItem* item);
int32_t Training_SortChoice(int option);

// What row r shows, for tests.
struct TrainingRowView {
    uint16_t player;
    uint16_t selectable;
    int16_t slotText, positionText, regularText, extraText, number, ageOrFatigue, status, colour;
};
TrainingRowView Training_RowView(int row);
