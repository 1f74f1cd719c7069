// The filtered squad list (screen 21): the user's players that pass the
// list's working search filter, 18 to a page, with the filter attributes in
// use and two chosen value columns; a side panel of bars sets each
// attribute's minimum or weight by dragging, pop-ups edit the filter's
// flags, sort the list and name, load and store the eight presets.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kOwnSquadCandidates = 120;
constexpr int kFilteredPlayersMax = 100;
constexpr int kFilteredPageRows = 18;
constexpr int kFilterPanelRows = 20;
constexpr uint16_t kNoPanelRow = 65535;

extern uint16_t OwnSquadCandidates[kOwnSquadCandidates];
extern int16_t OwnSquadCandidateCount;
extern uint16_t FilteredPlayers[kFilteredPlayersMax];
extern int16_t FilteredCount;
extern uint32_t FilterDirty;
extern uint16_t SortPending;
extern uint32_t PanelDirty;
extern int16_t ListTop;
extern int16_t ActiveKinds[kFilterPanelRows];
extern int16_t ActiveCount;
extern int16_t KindTop;
extern uint16_t SortColumn;
extern int16_t FilteredColumnA, FilteredColumnB;
extern uint32_t PanelLimitView;
extern uint16_t FilteredPick;
extern uint16_t PanelDragRow;
// The row colour codes of the last walk, by shown row.
extern int16_t FilteredRowColour[kFilteredPageRows];

extern const MenuItem FilteredSquadListTable[];
void FilteredSquadListMenu();
// The first-entry set-up (the screen function runs it on its first walk).
void FilteredList_Enter();
// Value columns A and B back to their first choices, the pages to the top.
void SetFilteredListDefaults();
// The heading text of the band's shown attribute column 0-4 (-1 none) and
// whether the band shows text 1205 instead.
int16_t FilteredList_HeadingText(int column);
bool FilteredList_NoActiveAttribute();

// The side panel's mouse handling, with the pointer on the layout and the
// buttons held (bit 0 the first).
void FilterPanelMouse(int x, int y, int buttons);

int32_t FilteredList_RowClick(int row, bool secondButton);
int32_t FilteredList_PageUp(MenuHotItem* item);
int32_t FilteredList_PageDown(MenuHotItem* item);
int32_t FilteredList_KindLeft(MenuHotItem* item);
int32_t FilteredList_KindRight(MenuHotItem* item);
// The pop-ups' choices by entry (the header not counted).
int32_t FilteredList_FlagChoice(int entry);
int32_t FilteredList_ChooseSort(int entry);
int32_t FilteredList_PresetAction(int entry);
int32_t FilteredList_ChooseColumnA(int entry);
int32_t FilteredList_ChooseColumnB(int entry);
