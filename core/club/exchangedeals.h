// The contracts agreed with the exchange players of pending deals: up to
// 50 records, each waiting until its deal completes.  A deal's records are
// freed whenever the deal is cleared.
#pragma once
#include <cstdint>

constexpr int kAgreedExchangeRecords = 50;

struct AgreedExchange {
    uint16_t player;      // 0 = free record
    uint16_t dealPlayer;  // the pending deal's main player
    int16_t choice;
    int32_t clauseA;
    int16_t flagB;
    int16_t fixedTerm;
    int32_t clauseD;
    int32_t clauseE;
    int32_t clauseF;
    int32_t clauseG;
    int16_t flagC;
    int32_t wage;  // money
    int16_t years;
    int16_t sellingClub;
};

extern AgreedExchange AgreedExchanges[kAgreedExchangeRecords];

// The saved form of one record: player u16 @0, deal player u16 @2, choice
// i16 @4, clause A i32 @6, flag B i16 @10, fixed term i16 @12, clause D i16
// @14, clauses E, F, G i32 @16 @20 @24, flag C i32 @28, wage i32 @32, years
// i16 @36, selling club i16 @38.
constexpr int kAgreedExchangeBytes = 40;
constexpr int kAgreedExchangeBlockSize = kAgreedExchangeRecords * kAgreedExchangeBytes;
void AgreedExchange_Pack(uint8_t* block);
// Reads the saved records; one naming no player, or a player or club out of
// range, is left free.
void AgreedExchange_Unpack(const uint8_t* block);

// The first free record, -1 when all are in use.
int AgreedExchange_FindFree();
// Frees every record of the deal whose main player this is.
void AgreedExchange_FreeDeal(uint16_t dealPlayer);
// Clears pending deal index (0-based) and frees its agreed records.
void PendingDeal_Clear(int index);
// The first pending deal (0-based) holding the player as its main player,
// or as an exchange player; -1 none.
int PendingDeal_FindMain(uint16_t player, int from = 0);
int PendingDeal_FindExchange(uint16_t player, int from = 0);
// Field readers and writers of a pending deal.
uint16_t PendingDealExchange(int index, int k);
void SetPendingDealExchange(int index, int k, uint16_t player);
int16_t PendingDealSellingClub(int index);
int16_t PendingDealBuyingClub(int index);
int32_t PendingDealOffer(int index);
int32_t PendingDealNetAsking(int index);
int16_t PendingDealPercent(int index);
int16_t PendingDealAttempt(int index);
void SetPendingDealReadyDays(int index, uint8_t days);
