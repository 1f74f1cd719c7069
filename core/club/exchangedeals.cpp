#include "core/club/exchangedeals.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/records/ranges.h"

#include "core/base/bytes.h"
#include "core/club/transferprices.h"

AgreedExchange AgreedExchanges[kAgreedExchangeRecords];

namespace {

uint8_t* Deal(int index) { return PendingDealTable[index].bytes; }
bool Valid(int index) { return index >= 0 && index < kPendingDeals; }

}  // namespace

void AgreedExchange_Pack(uint8_t* block) {
    using namespace recbits;
    for (int i = 0; i < kAgreedExchangeRecords; ++i) {
        const AgreedExchange& r = AgreedExchanges[i];
        uint8_t* b = block + i * kAgreedExchangeBytes;
        StoreU16(b + 0, r.player);
        StoreU16(b + 2, r.dealPlayer);
        StoreU16(b + 4, uint16_t(r.choice));
        StoreU32(b + 6, uint32_t(r.clauseA));
        StoreU16(b + 10, uint16_t(r.flagB));
        StoreU16(b + 12, uint16_t(r.fixedTerm));
        StoreU16(b + 14, uint16_t(std::clamp<int32_t>(r.clauseD, INT16_MIN, INT16_MAX)));
        StoreU32(b + 16, uint32_t(r.clauseE));
        StoreU32(b + 20, uint32_t(r.clauseF));
        StoreU32(b + 24, uint32_t(r.clauseG));
        StoreU32(b + 28, uint32_t(r.flagC));
        StoreU32(b + 32, uint32_t(r.wage));
        StoreU16(b + 36, uint16_t(r.years));
        StoreU16(b + 38, uint16_t(r.sellingClub));
    }
}

void AgreedExchange_Unpack(const uint8_t* block) {
    using namespace recbits;
    for (int i = 0; i < kAgreedExchangeRecords; ++i) {
        const uint8_t* b = block + i * kAgreedExchangeBytes;
        AgreedExchange r{};
        r.player = LoadU16(b + 0);
        r.dealPlayer = LoadU16(b + 2);
        r.choice = LoadI16(b + 4);
        r.clauseA = LoadI32(b + 6);
        r.flagB = LoadI16(b + 10);
        r.fixedTerm = LoadI16(b + 12);
        r.clauseD = LoadI16(b + 14);
        r.clauseE = LoadI32(b + 16);
        r.clauseF = LoadI32(b + 20);
        r.clauseG = LoadI32(b + 24);
        r.flagC = LoadI32(b + 28);
        r.wage = LoadI32(b + 32);
        r.years = LoadI16(b + 36);
        r.sellingClub = LoadI16(b + 38);
        const bool sound = IsPlayerNumber(r.player) && IsPlayerNumber(r.dealPlayer) &&
                           (r.sellingClub == -1 || IsClubNumber(r.sellingClub));
        AgreedExchanges[i] = sound ? r : AgreedExchange{};
    }
}

int AgreedExchange_FindFree() {
    for (int i = 0; i < kAgreedExchangeRecords; ++i)
        if (AgreedExchanges[i].player == 0) return i;
    return -1;
}

void AgreedExchange_FreeDeal(uint16_t dealPlayer) {
    if (dealPlayer == 0) return;
    for (AgreedExchange& record : AgreedExchanges)
        if (record.player != 0 && record.dealPlayer == dealPlayer) record = AgreedExchange{};
}

void PendingDeal_Clear(int index) {
    if (!Valid(index)) return;
    AgreedExchange_FreeDeal(PendingDealPlayer(index));
    std::memset(Deal(index), 0, kPendingDealSize);
}

int PendingDeal_FindMain(uint16_t player, int from) {
    if (player == 0) return -1;
    for (int i = from < 0 ? 0 : from; i < kPendingDeals; ++i)
        if (PendingDealPlayer(i) == player) return i;
    return -1;
}

int PendingDeal_FindExchange(uint16_t player, int from) {
    if (player == 0) return -1;
    for (int i = from < 0 ? 0 : from; i < kPendingDeals; ++i) {
        if (PendingDealPlayer(i) == 0) continue;
        for (int k = 0; k < 3; ++k)
            if (PendingDealExchange(i, k) == player) return i;
    }
    return -1;
}

uint16_t PendingDealExchange(int index, int k) {
    if (!Valid(index) || k < 0 || k > 2) return 0;
    return recbits::LoadU16(Deal(index) + 16 + 2 * k);
}
void SetPendingDealExchange(int index, int k, uint16_t player) {
    if (!Valid(index) || k < 0 || k > 2) return;
    recbits::StoreU16(Deal(index) + 16 + 2 * k, player);
}
int16_t PendingDealSellingClub(int index) { return Valid(index) ? recbits::LoadI16(Deal(index) + 2) : -1; }
int16_t PendingDealBuyingClub(int index) { return Valid(index) ? recbits::LoadI16(Deal(index) + 4) : -1; }
int32_t PendingDealOffer(int index) { return Valid(index) ? recbits::LoadI32(Deal(index) + 6) : 0; }
int32_t PendingDealNetAsking(int index) { return Valid(index) ? recbits::LoadI32(Deal(index) + 10) : 0; }
int16_t PendingDealPercent(int index) { return Valid(index) ? recbits::LoadI16(Deal(index) + 14) : 0; }
int16_t PendingDealAttempt(int index) { return Valid(index) ? recbits::LoadI16(Deal(index) + 25) : 0; }
void SetPendingDealReadyDays(int index, uint8_t days) {
    if (Valid(index)) Deal(index)[24] = days;
}
