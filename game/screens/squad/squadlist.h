// The squad list screen (ids 7, 73 and 74): one of the three squad lists of
// the selected club in two columns of 16 rows, sortable, with shirt swaps
// and moves between the lists for the user's own club.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kSquadRows = 32;

// Module state the handlers and the tests share.
extern uint16_t ShownPlayers[kSquadRows];
extern int16_t ShownCount;
extern uint16_t TeamMoveArmed;
extern uint16_t SpareMoveArmed;
extern uint16_t PickedPlayer;
extern uint32_t KeySortOn;
extern uint32_t GroupByPositionOn;
extern uint16_t SquadSortKey;
// Per-row colour codes of the last walk (0 ordinary, 3 on loan here, 4 not
// available, 6 flag 95, 7 lent out, 8 picked).
extern int16_t SquadRowColour[kSquadRows];

extern const MenuItem SquadListTable[];
void SquadListMenu();
// Sorts ShownPlayers by the key stack the toggles and the view choose.
void SortSquadList();
// The value column's header text id of the sort key (-1 none); an unknown
// key is fatal.
int16_t SquadSortHeader(uint16_t key);
// The same header text, -1 for a key without one.
int16_t SortKeyHeading(uint16_t key);
// The value column's text of one player under the sort key.
const char* SquadSortValue(uint16_t key, uint16_t player);

// The role cell of a list row: a face in the listing colour with text 551
// for a player whose role field is 5 or 6.
void DrawRoleBadge(int x, int y, int w, int h);

// Handlers, by row of the 32 rows (0-15 left, 16-31 right).
int32_t SquadList_PickOrSwapShirt(int row);
int32_t SquadList_RowClick(int row, bool secondButton);
int32_t SquadList_OpenContractRow(int row);
int32_t SquadList_TeamToSecond(MenuHotItem* item);
int32_t SquadList_SecondToTeam(MenuHotItem* item);
int32_t SquadList_SecondToSpare(MenuHotItem* item);
int32_t SquadList_SpareToSecond(MenuHotItem* item);
int32_t SquadList_Back(MenuHotItem* item);
int32_t SquadList_OpenManager(MenuHotItem* item);
