#include "management/transfers.h"

#include <algorithm>

#include "database/Access.h"
#include "management/playervalue.h"

TransferRecord TransferRecords[kTransferRecords];
uint16_t TransferRecordIndex;
JobApplicationState JobApplicationRecord = {65535, 65535, 65535};

// The transfer market of the computer clubs comes with the club-management
// code; until then a club does no business of its own.
void ComputerTransferActivity(int16_t club, int16_t mode) {
    (void)club;
    (void)mode;
}

namespace {

constexpr int kBidSlots = 4;

bool IsClub(int16_t club) { return club >= 0 && club < kClubCount; }

}  // namespace

int32_t GetTransferAskingPrice(uint16_t player, int32_t offer, int32_t amount,
                               int32_t previousAsk, int16_t round1, int16_t club,
                               int16_t* response, int16_t round2) {
    (void)amount, (void)previousAsk, (void)round1, (void)club, (void)round2;
    int32_t ask = ValuePlayer(player);
    if (offer >= ask || ask <= 0) {
        *response = 0;
    } else {
        int64_t percent = (int64_t(ask) - offer) * 100 / std::max<int32_t>(offer, 1);
        *response = int16_t(std::clamp<int64_t>(percent, 1, 20000));
    }
    return ask;
}

void MakeClubBid(int16_t club, uint16_t player, int32_t price, int16_t clause) {
    if (!IsClub(club)) return;
    int free = -1;
    for (int slot = 0; slot < kBidSlots; ++slot) {
        uint16_t held = GetClubBidPlayer(club, int16_t(slot));
        if (held == player) {
            free = slot;
            break;
        }
        if (held == 0 && free < 0) free = slot;
    }
    if (free >= 0) SetClubBid(club, int16_t(free), player, price, clause);
}

int16_t GetPlayerApproachReply(uint16_t player, int16_t unused, int16_t club) {
    (void)unused;
    if (!IsClub(club)) return 0;
    uint16_t own = GetPlayerClub(player);
    if (own == uint16_t(club)) return 0;
    // A player talks to a club at least as well known as his own.
    int ownRep = own < kClubCount ? GetClubRep(int16_t(own)) : 0;
    return GetClubRep(club) >= ownRep ? 1 : 0;
}

void ClearClubBidsOnPlayer(int16_t club, uint16_t player) {
    if (!IsClub(club)) return;
    for (int slot = 0; slot < kBidSlots; ++slot) {
        if (GetClubBidPlayer(club, int16_t(slot)) == player) SetClubBid(club, int16_t(slot), 0, 0, 0);
    }
}

void ClearClubBidList(uint16_t player) {
    SetPlayerSetting4(player, 0);
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) != 0) ClearClubBidsOnPlayer(club, player);
    }
}

int32_t RoundDownToHundred(int32_t value) { return value / 100 * 100; }

int32_t RoundMoneyDown(int32_t amount) {
    if (amount < 1000) return 0;
    int32_t unit = amount < 10000      ? 100
                   : amount < 100000   ? 1000
                   : amount < 1000000  ? 10000
                   : amount < 10000000 ? 100000
                                       : 1000000;
    return amount / unit * unit;
}

void ClearJobApplication() { JobApplicationRecord = {65535, 65535, 65535}; }
uint16_t GetJobApplicationClub() { return JobApplicationRecord.club; }
uint16_t GetJobApplicationDay() { return JobApplicationRecord.day; }
uint16_t GetJobApplicationAccepted() { return JobApplicationRecord.accepted; }
