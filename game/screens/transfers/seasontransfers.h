// The season transfer overview (screen 42): this season's transfers of the
// clubs of one division of the first country, by buying or selling club,
// optionally sorted by club, with tabs to the honours roll, the game
// records and itself; and the IP/IT list (screen 103): the selected club's
// injured players with the injury and the weeks out.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kSeasonTransferRows = 13;
constexpr int kInjuryRows = 15;

struct SeasonTransfersState {
    int16_t direction;  // 1: by the buying club, 0: by the selling club
    int16_t sort;
    int16_t division;
    int16_t top;
    int16_t length;
};
extern SeasonTransfersState SeasonTransfers;

extern const MenuItem SeasonTransfersTable[];
void SeasonTransfersScreenProc();
// The list for the state; its length.  Record numbers by index, -1 past the end.
int SeasonTransfers_Build();
int16_t SeasonTransfersEntry(int index);
int32_t SeasonTransfers_ChooseDivision(int16_t division);
int32_t SeasonTransfers_Switch(MenuHotItem*);
int32_t SeasonTransfers_ToggleSort(MenuHotItem*);
int32_t SeasonTransfers_ScrollUp(MenuHotItem*);
int32_t SeasonTransfers_ScrollDown(MenuHotItem*);
const char* SeasonTransfersCell(int row, int column);  // columns: date, player, club, other club, fee

extern const MenuItem InjuryListTable[];
void InjuryListScreenProc();
const char* InjuryListCell(int row, int column);  // columns: player, injury, weeks
int16_t InjuryListMessage();
