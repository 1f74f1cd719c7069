// The player attribute table (id 88): the selected club's first team as a
// table of 16 rows a page, each player with his position, squad number,
// settings, one extra value picked from twelve and four attribute columns
// picked from nineteen stats, coloured by value band.  The table sorts by
// one attribute column, optionally grouped by position first; in a
// human-managed club two clicks swap two players' shirts, and the second
// button opens a player's profile.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kTableRows = 32;
constexpr int kTablePageRows = 16;
constexpr int kTableColumns = 4;
constexpr int kAttributeKeys = 19;
constexpr int kExtraChoices = 12;
constexpr int16_t kNoSortColumn = 19;

struct AttributeTableState {
    uint16_t list[kTableRows];
    int16_t count;
    int16_t top;
    uint16_t selectedPlayer;
    int16_t sortColumnKey;  // the attribute key that sorts, 19 none
    uint32_t grouping;      // 1: position type first
    int16_t extraChoice;    // 0..11
    int16_t columnKeys[kTableColumns];
    uint16_t columnHighlight[kTableColumns];
    int16_t popupColumn;
};
extern AttributeTableState AttributeTable;

extern const MenuItem PlayerList2Table[];
void PlayerList2MenuProc();

// The colour of a cell's value band: 91 and up 6, 76-90 12, 31-75 0,
// 16-30 16, 15 and below 4.
int16_t PlayerTable_ValueColour(int32_t value);
// A cell of an attribute key (blank 0x8000 for a key outside the table).
int16_t PlayerTable_AttributeValue(int16_t key, uint16_t player);
// The extra value of a choice; a choice outside the table ends the program.
int16_t PlayerTable_ExtraValue(int16_t choice, uint16_t player);
void PlayerTable_Sort();

// Handlers.
int32_t PlayerTable_PageUp(MenuHotItem*);
int32_t PlayerTable_PageDown(MenuHotItem*);
int32_t PlayerTable_RowClick(int row, int32_t buttons);
int32_t PlayerTable_ChooseColumnKey(int column, int16_t key);
int32_t PlayerTable_ToggleColumnSort(int column);
int32_t PlayerTable_ToggleGrouping();
int32_t PlayerTable_ChooseExtra(int16_t choice);
int32_t PlayerTable_ToSearchFilter(MenuHotItem*);
int32_t PlayerTable_ToFilteredList(MenuHotItem*);
int32_t PlayerTable_Leave(MenuHotItem*);

// ---- Views (tests) ---------------------------------------------------------
// The player of shown row r (0 for an empty row).
uint16_t PlayerTableRowPlayer(int row);
int16_t PlayerTableCell(int row, int column);
