// Query layer: what the user decides on the transfer and job screens.
#pragma once
#include <cstdint>

// Keeps the user's squad statistics records in step with the move, then
// transfers the player.
void HVW_MovePlayerToClub(uint16_t player, int16_t club, int32_t price, int16_t clause);

// Completes the user club's bid for the player: posts the signing, moves
// him and withdraws every club's bids for him.
void HVW_CompleteUserBid(uint16_t player);

// 0 refused or not applied, 1 over-qualified, 2 application lodged.
int16_t HVW_ApplyForManagerJob(int16_t club, int16_t apply);

// The club's transfers in the transfer log: fees and counts of players
// bought and sold; all 0 for a club outside 0-1199.
void HVW_GetClubTransferTotals(int16_t club, int32_t* boughtTotal, int16_t* boughtCount, int32_t* soldTotal,
                               int16_t* soldCount);

// Fills list (1200 entries, -1 behind the last) with the clubs without a
// manager or with a caretaker; gives their count.
int16_t HVW_ListManagerVacancies(int16_t* list, int16_t country);
