// Query layer: what the transfer offer, the part-exchange list and the
// contract talks ask of the transfer rules.
#pragma once
#include <cstdint>

// The fee the club offers for the player against the asking price: the
// buying club's counter-offer at this attempt, capped by its spending money
// and rounded.  The attempt is the first haggle counter (each round brings
// the offer closer to the price), the sell-on percentage the second (a
// share of a later sale lowers the fee now).  reply is set to 0.
int32_t HVW_GetClubFeeOffer(uint16_t player, int32_t asking, int16_t attempt, int16_t club, int16_t* reply,
                            int16_t percentage);

// Stores a pending deal in the first free of the 500 records: its number
// (0-based), or -1 when every record is in use (nothing stored).
int16_t HVW_AddPendingDeal(uint16_t player, uint16_t exchange1, uint16_t exchange2, uint16_t exchange3,
                           int16_t percentage, int16_t agreed, int16_t sellingClub, int16_t buyingClub,
                           int32_t netAsking, int32_t offer, int16_t attempt);

// Takes the player out of the user's four open-contract entries.
void HVW_RemoveUserContractSlot(uint16_t player);

// The club value the part-exchange list weighs as 125 - value: its place in
// the clubs' league order (the standing a player sees in a club).
int16_t HVW_GetClubFactor(int16_t club);

// The club's bid for the player in the bid slot the code names (0 slot 0,
// 1-4 slot 1, 5-9 slot 2, 10-12 slot 3): the fee (in hundreds in the slot)
// with the percentage as its clause word.  0, and nothing placed, when that
// slot holds a bid already or the numbers are bad; else the player.
uint16_t HVW_MakeClubBid(int16_t club, uint16_t player, int32_t total, int32_t fee, int16_t slotCode,
                         int16_t percentage);

// The slot code of the club's first free bid slot (0, 1, 5 or 11); -1 when
// all four are in use.
int16_t HVW_FirstFreeBidSlotCode(int16_t club);
