// What the user decides on the transfer and job screens: signing the
// player his club bid for, moving players into and out of his club,
// applying for a manager's job, and the lists those screens show.
#include "core/query/userdecisions.h"

#include <algorithm>

#include "core/base/bytes.h"
#include "core/club/board.h"
#include "core/club/squads.h"
#include "core/club/transfercompletion.h"
#include "core/club/transfers.h"
#include "core/query/forwarders.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/season/matchsetup.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

namespace {

using recbits::LoadU16;

// Player word of a free squad statistics record.
constexpr uint16_t kFreeStatsRecord = 0xFFFF;
// Message types of a completed bid.
// Bid prices are kept in hundreds.
constexpr int32_t kBidPriceUnit = 100;
int FindStatsRecord(uint16_t player) {
    for (int slot = 0; slot < kPlayerSeasonStatSlots; ++slot) {
        if (LoadU16(PlayerSeasonStatSlots[slot].bytes) == player) return slot;
    }
    return -1;
}

// Transfer log fields.
constexpr int kLogSeller = 0;
constexpr int kLogBuyer = 2;
constexpr int kLogFee = 6;

// Ten thousand fees can add up past the 32-bit range: a total stops at its
// limit rather than wrapping round to a negative sum.
int32_t Saturate(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

}  // namespace

void HVW_MovePlayerToClub(uint16_t player, int16_t club, int32_t price, int16_t clause) {
    const int16_t user = HVW_GetMyClub();
    if (club == user) {
        // A player who still holds a record (one coming back, say) keeps it:
        // a second record would count his season twice.
        if (FindStatsRecord(player) < 0) {
            const int slot = FindStatsRecord(kFreeStatsRecord);
            if (slot >= 0) ResetPlayerSeasonStats(int16_t(slot), player);
        }
    } else if (GetPlayerClub(player) == uint16_t(user)) {
        const int slot = FindStatsRecord(player);
        if (slot >= 0) ResetPlayerSeasonStats(int16_t(slot), kFreeStatsRecord);
    }
    CompleteTransfer(player, club, price, clause);
}

void HVW_CompleteUserBid(uint16_t player) {
    const int16_t user = HVW_GetMyClub();
    int32_t price = 0;
    int16_t clause = 0;
    for (int16_t slot = 0; slot < 4; ++slot) {
        if (GetClubBidPlayer(user, slot) != player) continue;
        price = GetClubBidPrice(user, slot) * kBidPriceUnit;
        clause = int16_t(GetClubBidClause(user, slot));
    }
    const uint16_t seller = GetPlayerClub(player);
    int16_t type = price != 0 ? kMsgTransferFee : kMsgTransferFree;
    if (!IsClubNumber(seller)) type = kMsgSignedFreeAgent;
    AddMessage(user, int16_t(seller), player, 0xFFFFFFFFu, -1, -1, price,
               int16_t(kTextFirstPositionType + HVW_GetPositionType(player)), -1,
               int32_t(GetPlayerAge(player)) + 16, -1, type, 1, 0);
    HVW_MovePlayerToClub(player, user, price, clause);
    ClearClubBidList(player);
}

int16_t HVW_ApplyForManagerJob(int16_t club, int16_t apply) {
    // A club outside the table or an empty slot refuses (the log line
    // comes from the application): a number outside the clubs would end the
    // program in the accessors, and an empty slot (reputation 0) would
    // otherwise answer 1, which the job screens take as the job given at
    // once, of a club that does not exist.
    if (!IsClubNumber(club) || GetClubRep(club) == 0) {
        JobApplication(club);
        return 0;
    }
    const int reputation = GetPlayerReputation(MenuCurrentPlayer);
    const int clubReputation = GetClubRep(club);
    // The board of the club that sacked him will not have him back.
    if (uint16_t(club) == SackedClub) return 0;
    if (reputation > 2 * clubReputation) return 1;
    if (2 * reputation < clubReputation) return 0;
    if (apply == 0) return 0;
    JobApplication(club);
    return 2;
}

void HVW_GetClubTransferTotals(int16_t club, int32_t* boughtTotal, int16_t* boughtCount, int32_t* soldTotal,
                               int16_t* soldCount) {
    int64_t bought = 0, sold = 0;
    int boughtN = 0, soldN = 0;
    if (IsClubNumber(club)) {
        for (const TransferRecord& record : TransferRecords) {
            const uint8_t* r = record.bytes;
            const int64_t fee = recbits::LoadU32(r + kLogFee);
            if (int16_t(LoadU16(r + kLogBuyer)) == club) {
                bought += fee;
                ++boughtN;
            } else if (int16_t(LoadU16(r + kLogSeller)) == club) {
                sold += fee;
                ++soldN;
            }
        }
    }
    *boughtTotal = Saturate(bought);
    *boughtCount = int16_t(boughtN);
    *soldTotal = Saturate(sold);
    *soldCount = int16_t(soldN);
}

int16_t HVW_ListManagerVacancies(int16_t* list, int16_t country) {
    std::fill(list, list + kClubCount, int16_t(-1));
    const int divisions = HVW_CountCompRounds(country);
    int count = 0;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        const uint16_t nation = GetClubNation(club);
        if (!IsCountryInPlay(nation)) continue;
        if (GetClubDivision(club) >= divisions) continue;
        const uint16_t manager = FindClubManager(club);
        if (manager == kNoManager || GetPlayerCaretaker(manager) != 0) list[count++] = club;
    }
    return int16_t(count);
}
