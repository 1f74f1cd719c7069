#include "core/club/transfercompletion.h"

#include <algorithm>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/markethelpers.h"
#include "core/club/matchdaynotices.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/club/transfers.h"
#include "core/query/layerstate.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/dates.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/records/training.h"
#include "core/season/calendar.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/playernews.h"

namespace {

constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int16_t kScope = 1;
constexpr int32_t kSmallestFee = 1000;
constexpr int64_t kLevyPercent = 17;
constexpr int16_t kFreshMorale = 60;
constexpr int16_t kNewClubFans = 48;
constexpr int16_t kCalmFans = 31;
constexpr int16_t kPlayerHistoryTransfer = 2;

int16_t PositionText(uint16_t player) {
    const int16_t type = market::PositionType(market::OwnPosition(player));
    return PositionTypeText(type);
}

int32_t Age(uint16_t player) { return int32_t(GetPlayerAge(player)) + 16; }

int32_t AddMoney(int32_t a, int64_t b) { return market::Saturate32(int64_t(a) + b); }

int16_t ThisWeek() { return DaysToWeeks(SeasonCalendar.currentDay); }

void AddMiscIn(int16_t club, int32_t amount) {
    const int16_t week = ThisWeek();
    SetClubWeekMiscIn(club, AddMoney(GetClubWeekMiscIn(club, week), amount), week);
    SetClubSeasonMiscIn(club, AddMoney(GetClubSeasonMiscIn(club), amount));
}

void AddMiscOut(int16_t club, int32_t amount) {
    const int16_t week = ThisWeek();
    SetClubWeekMiscOut(club, AddMoney(GetClubWeekMiscOut(club, week), amount), week);
    SetClubSeasonMiscOut(club, AddMoney(GetClubSeasonMiscOut(club), amount));
}

void AddSales(int16_t club, int32_t amount) {
    const int16_t week = ThisWeek();
    SetClubWeekTotalSales(club, AddMoney(GetClubWeekTotalSales(club, week), amount), week);
    SetClubSeasonSales(club, AddMoney(GetClubSeasonSales(club), amount));
}

void AddSignings(int16_t club, int32_t amount) {
    const int16_t week = ThisWeek();
    SetClubWeekTotalSignings(club, AddMoney(GetClubWeekTotalSignings(club, week), amount), week);
    SetClubSeasonSignings(club, AddMoney(GetClubSeasonSignings(club), amount));
}

void LogTransfer(int16_t seller, int16_t buyer, uint16_t player, int32_t fee) {
    if (TransferRecordIndex >= kTransferRecords) TransferRecordIndex = 0;
    uint8_t* r = TransferRecords[TransferRecordIndex++].bytes;
    recbits::StoreU16(r + 0, uint16_t(seller));
    recbits::StoreU16(r + 2, uint16_t(buyer));
    recbits::StoreU16(r + 4, player);
    recbits::StoreU32(r + 6, uint32_t(fee));
    recbits::StoreU16(r + 10, uint16_t(SeasonCalendar.dayOfMonth));
    recbits::StoreU16(r + 12, uint16_t(SeasonCalendar.month));
    recbits::StoreU16(r + 14, uint16_t(SeasonCalendar.year));
}

bool Refuse(const char* what, uint16_t player, int32_t value) {
    DebugLog(DEBUG_GENERAL, 1, "CompleteTransfer Error: %s '%d' (player '%d')\n", what, int(value),
             int(player));
    return false;
}

bool AcceptableTransfer(uint16_t player, int16_t buyer, int32_t fee, int16_t clause) {
    if (!IsPlayerNumber(player)) return Refuse("bad player", player, player);
    if (!IsClubNumber(buyer)) return Refuse("bad buying club", player, buyer);
    if (fee < 0) return Refuse("negative fee", player, fee);
    if (clause < 0 || clause > 100) return Refuse("bad sell-on clause", player, clause);
    if (market::OwningClub(player) == buyer) return Refuse("buyer already owns him, club", player, buyer);
    return true;
}

// Pays the fee: the buyer's balance falls by it, a sell-on club takes its
// share, the seller the rest.  The share is never more than the seller has
// left after the levy (a large clause would make a sale cost the seller
// money), and it is booked among the seller's outgoings once, as part of
// the levy (booked on its own as well, it would count twice).
void PayFee(uint16_t player, int16_t seller, int16_t buyer, int32_t fee) {
    AddClubBalance(buyer, -fee);
    const int64_t baseLevy = int64_t(fee) * kLevyPercent / 100;
    int64_t levy = baseLevy;
    const uint16_t sellOnClub = GetPlayerSellOnClause(player);
    if (IsClubNumber(sellOnClub)) {
        int64_t share = int64_t(fee / 100) * GetPlayerSellOnPercent(player);
        share = std::min<int64_t>(share, fee - baseLevy);
        AddClubBalance(int16_t(sellOnClub), int32_t(share));
        levy += share;
        if (seller >= 0) {
            AddMiscIn(int16_t(sellOnClub), int32_t(share));
            if (share != 0) {
                AddMessage(seller, int16_t(sellOnClub), player, kNoPlayer, -1, -1, int32_t(share), -1, -1, -1,
                           -1, kMsgSellOnPaid, kScope, 1);
            }
        }
    }
    if (seller >= 0) {
        AddClubBalance(seller, int32_t(fee - levy));
        AddMiscOut(seller, int32_t(levy));
    }
}

void ResetForNewClub(uint16_t player, int16_t seller, int16_t buyer, int32_t fee) {
    SetPlayerField52(player, 0);
    SetPlayerMorale(player, kFreshMorale);
    SetPlayerCaptain(player, 0);
    SetPlayerTxList(player, 0);
    SetPlayerLoanList(player, 0);
    SetPlayerTxReq(player, 0);
    SetPlayerClub(player, buyer);
    SetPlayerLoanClub(player, buyer);
    SetPlayerIntShirt(player, 0);
    SetPlayerFlag107(player, 0);
    SetPlayerFlag118(player, 0);
    SetPlayerShirt(player, 0);
    BuildClubSquadList(buyer);
    SetPlayerField92(player, NextFreeSquadNumber(buyer, player));
    SetPlayerHalvorn(player, 0);
    SetPlayerCaretaker(player, 0);
    MatchDay_BuildReport(player, buyer, seller, fee, 0);
    SetPlayerSaleStatus(player, 1);
    SetPlayerManPrice(player, -1);
    ClearPlayerLoan(player);
    if (GetPlayerIT(player) == 1) {
        SetPlayerIP(player, 0);
        SetPlayerIT(player, 0);
    }
}

void UpdateRecords(uint16_t player, int16_t seller, int16_t buyer, int32_t fee) {
    const bool laterSeason = SeasonCalendar.season != 0;
    if (seller >= 0) {
        if (fee > GetClubRecordSale(seller)) {
            SetClubRecordSale(seller, player, fee / 100, buyer);
            if (laterSeason) {
                AddMessage(seller, buyer, player, kNoPlayer, -1, -1, fee, PositionText(player), -1,
                           Age(player), -1, kMsgRecordSale, kScope, 0);
            }
        }
        AddSales(seller, fee);
        RebuildClubRoster(seller);
    }
    if (fee > GetClubRecordBuy(buyer)) {
        SetClubRecordBuy(buyer, player, fee / 100, seller);
        if (laterSeason) {
            const uint16_t manager = FindClubManager(buyer);
            SetPlayerFans(manager, int16_t(GetPlayerFans(manager) + GameRandom() % 8));
            AddMessage(buyer, seller, player, kNoPlayer, -1, -1, fee, PositionText(player), -1, Age(player),
                       -1, kMsgRecordBuy, kScope, 0);
        }
    }
}

}  // namespace

void RemoveFromAllBidShortLists(uint16_t player) { ClearPlayerFromBidShortLists(player); }

void CompleteTransfer(uint16_t player, int16_t buyer, int32_t fee, int16_t clause) {
    if (!AcceptableTransfer(player, buyer, fee, clause)) return;
    const int16_t seller = market::OwningClub(player);
    const int16_t host = market::PlayingClub(player);

    RemoveFromAllBidShortLists(player);
    market::PostShortlistNews(kMsgShortlistSold, player, buyer, PositionText(player));
    if (GetClubControl(buyer) != 0) {
        BuildClubSquadList(buyer);
        const int16_t slot = HVW_FindFreePlayerWatchSlot(player);
        if (slot >= 0) HVW_SetPlayerWatchSlot(slot, player);
    }
    if (seller >= 0 && GetClubControl(seller) != 0) HVW_ClearPlayerWatchSlot(player);

    if (fee < kSmallestFee) fee = 0;
    ClearClubBidList(player);
    PayFee(player, seller, buyer, fee);

    const int16_t feeThousands = int16_t(std::min<int32_t>(fee / 1000, 32767));
    AddPlayerHistoryStats(player, seller, buyer, feeThousands, kPlayerHistoryTransfer,
                          HVW_GetViewedCountry());
    AddClubHistoryEntry(player, buyer, uint16_t(seller), uint16_t(feeThousands), kClubHistoryBought);
    AddClubHistoryEntry(player, seller, uint16_t(buyer), uint16_t(feeThousands), kClubHistorySold);
    const int squadStatus = GetPlayerField117(player);
    if (squadStatus >= 5) DrawPlayerNewsLine(seller, player, int16_t(8 * squadStatus));

    if (clause == 0 || seller < 0) {
        SetPlayerSellOnClause(player, -1);
    } else {
        SetPlayerSellOnPercent(player, clause);
        SetPlayerSellOnClause(player, seller);
    }
    ResetForNewClub(player, seller, buyer, fee);
    LogTransfer(seller, buyer, player, fee);

    int fansShift = (int(GetPlayerFans(player)) - kCalmFans) / 4;
    if (fansShift < 0) fansShift /= 2;
    if (seller >= 0) {
        const uint16_t manager = FindClubManager(seller);
        SetPlayerFans(manager, int16_t(GetPlayerFans(manager) + fansShift));
    }
    SetPlayerFans(player, kNewClubFans);

    UpdateRecords(player, seller, buyer, fee);
    AddSignings(buyer, fee);
    SetPlayerField118(player, 0);
    SetPlayerField96(player, int16_t(GetPlayerField96(player) / 2 + 30));
    RebuildClubRoster(buyer);
    // A player out on loan elsewhere leaves his host's roster too.
    if (host >= 0 && host != seller && host != buyer) RebuildClubRoster(host);
}
