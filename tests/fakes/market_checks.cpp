#include "tests/fakes/market_checks.h"

#include "core/club/bids.h"
#include "core/club/transferprices.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/usertransfers.h"

namespace {

bool NamesPlayerOrNone(uint16_t player) { return player == 0 || IsPlayerNumber(player); }

std::string ClubFault(int16_t club, const std::string& what) {
    return "club " + std::to_string(club) + ": " + what;
}

std::string CheckClubBids(int16_t club) {
    for (int16_t slot = 0; slot < kBidSlots; ++slot) {
        const uint16_t player = GetClubBidPlayer(club, slot);
        if (!NamesPlayerOrNone(player)) {
            return ClubFault(club,
                             "bid slot " + std::to_string(slot) + " names player " + std::to_string(player));
        }
    }
    for (int16_t list = 0; list < kBidLists; ++list) {
        for (int16_t entry = 0; entry < kBidListEntries; ++entry) {
            const uint16_t player = GetClubBidShortListId(club, list, entry);
            if (!NamesPlayerOrNone(player)) {
                return ClubFault(club, "short list " + std::to_string(list) + " entry " +
                                           std::to_string(entry) + " names player " + std::to_string(player));
            }
        }
    }
    if (GetClubRep(club) != 0 && (ClubTransferBudget(club) < 0 || ClubSafeTransferBudget(club) < 0)) {
        return ClubFault(club, "negative transfer budget");
    }
    return "";
}

}  // namespace

std::string CheckMarketInvariants() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        std::string fault = CheckClubBids(club);
        if (!fault.empty()) return fault;
    }
    for (int i = 0; i < 4; ++i) {
        const uint16_t player = PendingHumanDeals[i];
        if (!NamesPlayerOrNone(player))
            return "pending contract " + std::to_string(i) + " names " + std::to_string(player);
        for (int j = 0; j < i; ++j) {
            if (player != 0 && PendingHumanDeals[j] == player) {
                return "pending contracts " + std::to_string(j) + " and " + std::to_string(i) +
                       " both name player " + std::to_string(player);
            }
        }
    }
    for (int i = 0; i < kPendingDeals; ++i) {
        if (!NamesPlayerOrNone(PendingDealPlayer(i)))
            return "pending deal " + std::to_string(i) + " names no player";
    }
    for (uint16_t player = 1; player < PlayerCount; ++player) {
        if (GetPlayerContract(player) > 60) {
            return "player " + std::to_string(player) + " has a contract of " +
                   std::to_string(GetPlayerContract(player)) + " months";
        }
        if (GetPlayerWage(player) > 4000) {
            return "player " + std::to_string(player) + " has a stored wage of " +
                   std::to_string(GetPlayerWage(player));
        }
    }
    return "";
}
