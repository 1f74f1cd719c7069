#include "core/club/dailyjobs.h"

#include <algorithm>
#include <cstring>

#include "core/base/corehooks.h"
#include "core/club/bidresolution.h"
#include "core/club/bids.h"
#include "core/club/board.h"
#include "core/club/development.h"
#include "core/club/injuries.h"
#include "core/club/markethelpers.h"
#include "core/club/playerunrest.h"
#include "core/club/playervalue.h"
#include "core/club/squadpass.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/query/people.h"
#include "core/records/dates.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/season/calendar.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/playernews.h"
#include "core/season/seasontables.h"

namespace {

constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int16_t kScope = 1;
constexpr int kWagesAfterSeasonEnd = 35;
constexpr int32_t kWeekOfWage = 25;
constexpr uint16_t kMostWeeksAtClub = 0xFFFF;

int16_t PositionText(uint16_t player) {
    const int16_t type = market::PositionType(market::OwnPosition(player));
    return PositionTypeText(type);
}

int32_t Age(uint16_t player) { return int32_t(GetPlayerAge(player)) + 16; }

// The club the loaned player belongs to; -1 when he is not on loan.
int16_t ParentClubOnLoan(uint16_t player) {
    const uint16_t club = GetPlayerClub(player), parent = GetPlayerLoanClub(player);
    return IsClubNumber(parent) && parent != club ? int16_t(parent) : int16_t(-1);
}

void PayWage(int16_t club, int32_t amount) {
    AddClubBalance(club, -amount);
    SetClubSeasonPlayerWages(club, market::Saturate32(int64_t(GetClubSeasonPlayerWages(club)) + amount));
    const int16_t week = DaysToWeeks(SeasonCalendar.currentDay);
    SetClubWeekTotalWages(club, market::Saturate32(int64_t(GetClubWeekTotalWages(club, week)) + amount),
                          week);
}

bool DrawsWages(uint16_t p, uint16_t club) {
    if (!IsClubNumber(club) || GetPlayerPosition(p) == 13 || GetPlayerIT(p) == 1) return false;
    const int16_t c = int16_t(club);
    const uint16_t nation = GetClubNation(c);
    if (nation >= kCountryCount || !IsPlayedLeagueNation(nation) || GetClubDivision(c) >= 6) return false;
    return SeasonCalendar.currentDay < SeasonCalendar.leagueEndDay[nation] + kWagesAfterSeasonEnd;
}

// The host club of a loan that ends may bid to keep the player.
void HostTriesToKeep(uint16_t p, int16_t host, int16_t parent) {
    const int32_t weekWage = int32_t(GetPlayerWage(p)) * kWeekOfWage;
    const int16_t user = GetUserClub();
    if (weekWage >= ClubMaxWage(host) || host == user || GetPlayerSaleStatus(p) != 0) return;
    BuildClubSquadList(host);
    const int32_t limit = ClubSafeTransferBudget(host);
    if (parent == user) {
        HVW_AddHumanSale(int16_t(FindClubManager(parent)), p, host);
        return;
    }
    int32_t price = GetPlayerManPrice(p);
    if (price == -1) price = GetPlayerTxList(p) != 0 ? ValuePlayer(p) : NegotiateTransferFee(p, host);
    if (price == -1 || price > limit) return;
    if (ClubMakeBid(host, p, price, market::OwnPosition(p), 0) != 0) SetPlayerDecisionDelay(p, 0, host);
}

}  // namespace

void RunDailyJobPasses() {
    CorePoll();
    PlayerUnrestPass();
    CorePoll();
    TransferRequestPass();
    CorePoll();
    ResolveTransferBids();
    CorePoll();
    RandomInjuryPass();
    CorePoll();
    DailyRecoveryPass();
    CorePoll();
    RandomIncidentPass();
    CorePoll();
}

void PayWeeklyPlayerWages() {
    int unpaid = 0;
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        WeeklyAgeingStep(p);
        const uint16_t club = GetPlayerClub(p);
        if (!DrawsWages(p, club)) continue;
        const int16_t c = int16_t(club);
        const int32_t wage = int32_t(GetPlayerWage(p)) * kWeekOfWage;
        const int16_t parent = ParentClubOnLoan(p);
        if (GetClubBalance(c) > 0) {
            if (GetPlayerLoanTrial(p) != 0) continue;
            const int split = GetPlayerField120Bits9(p);
            if (parent >= 0 && split == 0) {
                PayWage(parent, wage);
            } else if (parent >= 0 && split == 1) {
                PayWage(c, wage / 2);
                PayWage(parent, wage / 2);
            } else {
                PayWage(c, wage);
            }
            continue;
        }
        if (GetPlayerFlag95(p) != 0 || parent >= 0) continue;
        if (GetClubControl(c) != 0) {
            ListPlayerForTransfer(p, 0);
            SetPlayerMorale(p, int16_t(GetPlayerMorale(p) * GetPlayerStat(p, kLoyaltyStat, 0) / 100));
            ++unpaid;
        } else {
            AddClubBalance(c, 2 * wage);
        }
    }
    const int16_t user = GetUserClub();
    if (unpaid > 0 && user >= 0) {
        AddMessage(user, -1, kNoPlayer, kNoPlayer, -1, -1, -1, -1, -1, -1, -1, kMsgUnpaidPlayers, kScope, 0);
    }
}

void WeeklyLoanPass() {
    const KeptClubLookups keep;
    bool moved = false;
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        // Held at its top rather than wrapped to 0, which would read as a
        // player who has just arrived.
        const uint16_t weeks = GetPlayerField52(p);
        if (weeks < kMostWeeksAtClub) SetPlayerField52(p, int16_t(weeks + 1));
        const uint16_t club = GetPlayerClub(p);
        if (!IsClubNumber(club)) {
            ClearPlayerLoan(p);
            continue;
        }
        const int16_t parent = ParentClubOnLoan(p);
        // A trial of a player without a club runs out like any loan.
        const bool freeTrial = IsFreeTrialist(p);
        if (parent < 0 && !freeTrial) continue;
        if (GetPlayerHalvornB(p) != 0 && !freeTrial) {
            SetPlayerLoanClub(p, parent);
            continue;
        }
        const int period = int(GetPlayerLoanPeriod(p)) - 1;
        if (period > 0) {
            SetPlayerLoanPeriod(p, int16_t(period));
            continue;
        }
        const int16_t host = int16_t(club);
        AddMessage(host, -1, p, kNoPlayer, -1, -1, -1, PositionText(p), -1, -1, -1, kMsgLoanOver, kScope, 1);
        // Nobody can sell a player without a club: the host may sign him as
        // a free player like any other.
        if (!freeTrial) HostTriesToKeep(p, host, parent);
        if (GetPlayerLoanTrial(p) != 0) {
            AddMessage(host, parent, p, kNoPlayer, -1, -1, -1, -1, -1, Age(p), -1, kMsgTrialOver, kScope, 1);
        }
        ClearPlayerLoan(p);
        moved = true;
    }
    // The players who came back leave their hosts' rosters.
    if (moved) RebuildAllRosters();
}

void WeeklyBanPass() {
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        const int wait = GetPlayerBanWait(p);
        if (wait == 0) continue;
        SetPlayerBanWait(p, int16_t(wait - 1));
        if (wait - 1 != 0 || GetPlayerSusp(p) == 0) continue;
        const uint16_t club = GetPlayerClub(p);
        AddMessage(IsClubNumber(club) ? int16_t(club) : int16_t(-1), -1, p, kNoPlayer, -1, -1, -1, -1, -1,
                   int32_t(GetPlayerSusp(p)), -1, kMsgBanStarts, kScope, 0);
    }
}

void EventLog_ClearAll() {
    std::memset(EventLog, 0, sizeof EventLog);
    EventLogCount = 0;
}
