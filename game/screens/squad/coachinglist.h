// The squad coaching list (screen 83, and screen 77 for the user's own
// club): the players of the selected club's third squad list in a paged
// view of sixteen with coaching progress, potential and fourteen stats, or
// an overview of all 32 places in two columns.  The user's club names the
// coach in charge and can switch views; another club names its manager.  A
// name opens the player's condition screen.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kCoachingListPlaces = 32;
constexpr int kCoachingPageRows = 16;
constexpr int kCoachingColumns = 16;
constexpr uint16_t kCoachingOwnClub = 1, kCoachingGrouped = 2, kCoachingPaged = 4, kCoachingBack = 8;

extern uint16_t CoachingListFlags;
extern int16_t CoachingSortIndex;
extern int16_t CoachingPageStart;

struct CoachingSquad {
    uint16_t players[kCoachingListPlaces];
    int16_t count;
};
extern CoachingSquad CoachingListSquad;

extern const MenuItem CoachingListTable[];
void StaffSquadMenuProc();
// The first walk's copy of the list, sorted.
void CoachingList_Enter();
int32_t CoachingList_ToggleView(MenuHotItem* item);
int32_t CoachingList_ToggleGrouping(PopupCallBlock* call);
int32_t CoachingList_SetSortKey(PopupCallBlock* call);
int32_t CoachingList_PageUp(MenuHotItem* item);
int32_t CoachingList_PageDown(MenuHotItem* item);
int32_t CoachingList_OpenPlayer(int row);
int32_t CoachingList_OpenSecondColumn(int row);
int32_t CoachingList_Back(MenuHotItem* item);
void CoachingList_Leave();
void CoachingList_DrawShades(int x, int y, int w, int h);

// The player shown in row 0..15 of the first column (and 16..31 of the
// second in the overview), for tests.
uint16_t CoachingList_RowPlayer(int place);
const char* CoachingList_PanelName();
int16_t CoachingList_PanelLabel();
// The view button's text id, -1 when the club has none.
int16_t CoachingList_ViewButtonText();
// Progress percent of the player's 28-byte coaching record.
int16_t CoachingList_Progress(uint16_t player);
