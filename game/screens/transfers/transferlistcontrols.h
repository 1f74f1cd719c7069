// The controls of the transfer-history list: two filter pop-ups (the fee
// band and the nation) with their set-up functions that tick the current
// choice, paging by 18 rows, the header shade and the exit to the club.
// The list itself is the transfer-history screen's; it shares this state.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kTransferHistoryPageRows = 18;
constexpr int kTransferFilterValues = 16;

struct TransferHistoryStateRecord {
    uint16_t filterA;  // the first filter (the fee band 0-6)
    uint16_t filterB;  // the second filter (a nation)
    // The values behind the pop-up entries, by the entry's index.
    uint16_t valuesA[kTransferFilterValues];
    uint16_t valuesB[kTransferFilterValues];
    int16_t firstRow;  // the list's first shown row
    int16_t rowCount;  // rows in the list
};
extern TransferHistoryStateRecord TransferHistoryState;

int32_t TransferHistory_PickFilterA(PopupCallBlock* call);
int32_t TransferHistory_PickFilterB(PopupCallBlock* call);
// Set-up functions of the pop-ups, run before they open.
void TransferHistory_MarkFilterA(PopupCallBlock* call);
void TransferHistory_MarkFilterB(PopupCallBlock* call);
int32_t TransferHistory_PageDown(MenuHotItem*);
int32_t TransferHistory_PageUp(MenuHotItem*);
void TransferHistory_DrawShade(int x, int y, int w, int h);
int32_t TransferHistory_ToClubMain(MenuHotItem*);
