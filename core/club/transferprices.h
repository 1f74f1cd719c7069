// The money side of a transfer and the computer clubs' own moves in the
// market: the selling club's asking price, a buying club's fee offer, the
// choice of a listed player, a new club for a player, the answer to a wage
// bill a club cannot carry, first contracts for youth players, and the
// table of the user's deals waiting for contracts.
#pragma once
#include <cstdint>

// The selling club's asking price for an offer.  response: -1 when amount
// is not below the offer (previousAsk is returned), 0 when the offer is
// enough, else the percentage by which the price exceeds it (1..20000).
int32_t GetTransferAskingPrice(uint16_t player, int32_t offer, int32_t amount, int32_t previousAsk,
                               int16_t round1, int16_t club, int16_t* response, int16_t round2);
// The fee the club offers for the amount: haggled down by the manager of
// the player's club, capped by the club's safe budget, rounded.
int32_t GetFeeCounterOffer(uint16_t player, int32_t amount, int16_t round1, int16_t club, int16_t unused1,
                           int16_t unused2, int16_t round2);
// The buyer bids for the best listed player of the seller that fits its
// weakest place; the days until the answer, 0 when no bid was placed.
int16_t ComputerPickListedPlayer(int16_t seller, int16_t buyer, uint16_t named, int32_t extra);
// A computer club that will take the player, -1 when none.  Walks the
// clubs' reputation order; FoundClubManager keeps the manager of the last
// club looked at.
int16_t FindClubForPlayer(uint16_t player, int16_t nation);
extern uint16_t FoundClubManager;
// A club that cannot carry its wages lists its top earner and, with a big
// enough squad, releases its weakest contract.
void ComputerWageCutback(int16_t club);
// Youth players good enough, or already wearing a shirt, sign their first
// professional contracts.
void ClubOfferFirstContracts(int16_t club);

// The user's pending deals: 500 records of 27 bytes, player 0 = free.
// player u16 @0, selling club u16 @2, buying club u16 @4, offer u32 @6,
// net asking price u32 @10, sell-on percent u16 @14, exchange players
// 3 x u16 @16, agreed flag u16 @22 (the days the deal waits), days to
// answer u8 @24 (set when the wait is over), attempt u16 @25.
constexpr int kPendingDeals = 500;
constexpr int kPendingDealSize = 27;
struct PendingDealRecord {
    uint8_t bytes[kPendingDealSize];
};
static_assert(sizeof(PendingDealRecord) == 27);
extern PendingDealRecord PendingDealTable[kPendingDeals];

uint16_t PendingDealPlayer(int index);
uint16_t PendingDealWait(int index);
uint8_t PendingDealReady(int index);
// Fills the first free record (a full table drops the deal); its ready
// byte starts clear.
void PendingDeal_Add(uint16_t player, uint16_t exchange1, uint16_t exchange2, uint16_t exchange3,
                     uint16_t sellOnPercent, uint16_t wait, uint16_t sellingClub, uint16_t buyingClub,
                     uint32_t netAskingPrice, uint32_t offer, uint16_t attempt);
// Writes record index (0-based) in place, its ready byte clear.
void PendingDeal_Write(int index, uint16_t player, uint16_t exchange1, uint16_t exchange2, uint16_t exchange3,
                       uint16_t sellOnPercent, uint16_t wait, uint16_t sellingClub, uint16_t buyingClub,
                       uint32_t netAskingPrice, uint32_t offer, uint16_t attempt);
// A day passes: each waiting deal counts down, and is marked ready at 0; a
// deal taken on to a bid, without exchange players, is freed once no club
// bids for its player.
void PendingDeal_TickAll();
void PendingDeal_ClearAll();
