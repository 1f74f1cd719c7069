#include "core/club/loans.h"

#include "core/base/debug.h"
#include "core/club/board.h"
#include "core/club/markethelpers.h"
#include "core/club/matchdaynotices.h"
#include "core/club/squads.h"
#include "core/query/layerstate.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/records/training.h"
#include "core/season/messagetypes.h"

namespace {

constexpr int16_t kHostFans = 48;
constexpr int16_t kLongLoanWeeks = 13;
constexpr int16_t kPlayerHistoryLoan = 3;

int16_t PositionText(uint16_t player) {
    const int16_t type = market::PositionType(market::OwnPosition(player));
    return PositionTypeText(type);
}

bool Refuse(const char* where, const char* what, uint16_t player, int32_t value) {
    DebugLog(DEBUG_GENERAL, 1, "%s Error: %s '%d' (player '%d')\n", where, what, int(value), int(player));
    return false;
}

// A loan needs the parent club it is taken from; a trial may be a free
// player's, who has none.
bool AcceptableLoan(const char* where, uint16_t player, int16_t host, int16_t period,
                    bool parentNeeded = true) {
    if (!IsPlayerNumber(player)) return Refuse(where, "bad player", player, player);
    if (!IsClubNumber(host) || GetClubRep(host) == 0) return Refuse(where, "bad host club", player, host);
    if (period < 1 || period > kLongestLoanWeeks) return Refuse(where, "bad loan period", player, period);
    const uint16_t parent = GetPlayerClub(player);
    if (parentNeeded && !IsClubNumber(parent))
        return Refuse(where, "player has no club", player, int16_t(parent));
    if (market::IsOutOnLoan(player))
        return Refuse(where, "player already away from", player, GetPlayerLoanClub(player));
    if (parent == uint16_t(host)) return Refuse(where, "host is his own club", player, host);
    return true;
}

void SetCupFlags(uint16_t player, const int16_t (&flags)[6]) {
    SetPlayerCupFlag0(player, flags[0]);
    SetPlayerCupFlag1(player, flags[1]);
    SetPlayerCupFlag2(player, flags[2]);
    SetPlayerCupFlag3(player, flags[3]);
    SetPlayerCupFlag4(player, flags[4]);
    SetPlayerCupFlag5(player, flags[5]);
}

// The move itself: the parent is kept, the player joins the host's squad
// with a free squad number.
void MoveToHost(uint16_t player, int16_t parent, int16_t host, int16_t period) {
    SetPlayerLoanClub(player, parent);
    SetPlayerLoanClubFans(player, int16_t(GetPlayerFans(player)));
    SetPlayerFans(player, kHostFans);
    SetPlayerClub(player, host);
    SetPlayerLoanPeriod(player, period);
    SetPlayerIntShirt(player, 0);
    SetPlayerFlag107(player, 0);
    SetPlayerFlag118(player, 0);
    SetPlayerShirt(player, 0);
    SetPlayerField116(player, int16_t(GetPlayerField92(player)));
    SetPlayerField92(player, NextFreeSquadNumber(host, player));
    RebuildClubRoster(host);
}

}  // namespace

void RecordPlayerLoanMove(uint16_t player, int16_t host, int16_t period, int16_t wageSplit, int16_t termFlag,
                          int16_t cupFlag0, int16_t cupFlag1, int16_t cupFlag2, int16_t cupFlag3,
                          int16_t cupFlag4, int16_t cupFlag5) {
    constexpr const char* kWhere = "RecordPlayerLoanMove";
    if (!AcceptableLoan(kWhere, player, host, period)) return;
    if (wageSplit < 0 || wageSplit > 2) {
        Refuse(kWhere, "bad wage split", player, wageSplit);
        return;
    }
    const int16_t parent = int16_t(GetPlayerClub(player));
    market::PostShortlistNews(kMsgShortlistLoan, player, host, PositionText(player));
    MatchDay_BuildReport(player, host, parent, 0, 1);
    AddPlayerHistoryStats(player, host, parent, 0, kPlayerHistoryLoan, HVW_GetViewedCountry());
    AddClubHistoryEntry(player, host, uint16_t(parent), 0, kClubHistoryLoanedIn);
    AddClubHistoryEntry(player, parent, uint16_t(host), 0, kClubHistoryLoanedOut);

    SetPlayerField120Bits9(player, wageSplit);
    SetPlayerFlag120Bit12(player, termFlag != 0 ? 1 : 0);
    SetPlayerFlag120Bit11(player, period > kLongLoanWeeks ? 1 : 0);
    SetCupFlags(player, {cupFlag0, cupFlag1, cupFlag2, cupFlag3, cupFlag4, cupFlag5});
    SetPlayerLoanList(player, 0);
    SetPlayerLoanTrial(player, 0);

    BuildClubSquadList(host);
    MoveToHost(player, parent, host, period);
    SetClubSeasonLoans(host, int16_t(GetClubSeasonLoans(host) + 1));
    if (host == GetUserClub()) {
        const int16_t slot = HVW_FindFreePlayerWatchSlot(player);
        if (slot >= 0) HVW_SetPlayerWatchSlot(slot, player);
    }
}

void StartLoanTrial(uint16_t player, int16_t host, int16_t period) {
    if (!AcceptableLoan("StartLoanTrial", player, host, period, false)) return;
    const int16_t parent = int16_t(GetPlayerClub(player));
    // The notice names the club he is loaned from: a free player has none.
    if (MatchDay_NoticesOn() != 0 && IsClubNumber(parent)) MatchDay_BuildReport(player, host, parent, 0, 1);
    market::PostShortlistNews(kMsgShortlistTrial, player, host, PositionText(player));
    SetPlayerField120Bits9(player, 2);
    SetPlayerFlag120Bit12(player, 0);
    SetPlayerFlag120Bit11(player, 0);
    SetCupFlags(player, {0, 0, 0, 0, 0, 0});
    SetPlayerLoanList(player, 0);
    SetPlayerLoanTrial(player, 1);
    MoveToHost(player, parent, host, period);
}
