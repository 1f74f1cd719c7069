// The transfer history screens: the transfer list (screen 31), a country's
// transfers newest first within a fee band, and the club transfers
// (screen 32), the selected club's purchases or sales, oldest first.  The
// list's paging, fee-band pop-up and state are the transfer-list controls'.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kTransferListRows = 18;
constexpr int kTransferBands = 7;
constexpr int kTransferNations = 8;
constexpr int kClubTransferRows = 15;

// The record fields as the screens read them.
struct TransferView {
    int16_t seller, buyer;
    uint16_t player;
    int32_t fee;
    int16_t day, month, year;
};
TransferView TransferViewOf(int n);

// ---- Transfer list (screen 31) ------------------------------------------------------------
extern const MenuItem TransferListTable[];
void TransferListScreenProc();
// The bounds of a fee band (band 6 and any other: every fee).
void TransferList_BandBounds(int16_t band, int32_t* minimum, int32_t* maximum);
int32_t TransferList_ChooseNation(int16_t button);
// Rebuilds the list for the nation and band of the controls' state; its length.
int TransferList_Build();

// Views (tests).
int TransferListEntry(int index);                   // record number, -1 past the end
const char* TransferListCell(int row, int column);  // columns: seller, buyer, fee, date
const char* TransferListBandLabel(int band);

// ---- Club transfers (screen 32) --------------------------------------------------------
extern const MenuItem ClubTransfersTable[];
void ClubTransfersScreenProc();
// 1: the club's purchases (it is the record's second club), 0: its sales.
extern int16_t ClubTransfersDirection;
int32_t ClubTransfers_Switch(MenuHotItem*);
int16_t ClubTransfersRecord(int row);                // record number, -1 empty
const char* ClubTransfersCell(int row, int column);  // columns: date, player, other club, fee
