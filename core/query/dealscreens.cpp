#include "core/query/dealscreens.h"

#include "core/base/bytes.h"
#include "core/club/bids.h"
#include "core/club/transferprices.h"
#include "core/query/forwarders.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/usertransfers.h"

int32_t HVW_GetClubFeeOffer(uint16_t player, int32_t asking, int16_t attempt, int16_t club, int16_t* reply,
                            int16_t percentage) {
    if (reply != nullptr) *reply = 0;
    return GetFeeCounterOffer(player, asking, attempt, club, 0, 0, percentage);
}

int16_t HVW_AddPendingDeal(uint16_t player, uint16_t exchange1, uint16_t exchange2, uint16_t exchange3,
                           int16_t percentage, int16_t agreed, int16_t sellingClub, int16_t buyingClub,
                           int32_t netAsking, int32_t offer, int16_t attempt) {
    if (player == 0) return -1;
    int16_t free = -1;
    for (int16_t i = 0; i < kPendingDeals && free < 0; ++i)
        if (PendingDealPlayer(i) == 0) free = i;
    if (free < 0) return -1;
    PendingDeal_Add(player, exchange1, exchange2, exchange3, uint16_t(percentage), uint16_t(agreed),
                    uint16_t(sellingClub), uint16_t(buyingClub), uint32_t(netAsking), uint32_t(offer),
                    uint16_t(attempt));
    return free;
}

void HVW_RemoveUserContractSlot(uint16_t player) {
    for (uint16_t& entry : PendingHumanDeals)
        if (entry == player) entry = 0;
}

int16_t HVW_GetClubFactor(int16_t club) {
    return IsClubNumber(club) ? HVW_GetClubLeaguePosition(club) : int16_t(0);
}

uint16_t HVW_MakeClubBid(int16_t club, uint16_t player, int32_t total, int32_t fee, int16_t slotCode,
                         int16_t percentage) {
    (void)total;
    if (!IsClubNumber(club) || !IsPlayerNumber(player) || slotCode < 0 || slotCode > 12) return 0;
    return ClubMakeBid(club, player, fee < 0 ? 0 : fee, slotCode, percentage);
}

int16_t HVW_FirstFreeBidSlotCode(int16_t club) {
    constexpr int16_t kCodes[kBidSlots] = {0, 1, 5, 11};
    if (!IsClubNumber(club)) return -1;
    for (int16_t slot = 0; slot < kBidSlots; ++slot)
        if (GetClubBidPlayer(club, slot) == 0) return kCodes[slot];
    return -1;
}
