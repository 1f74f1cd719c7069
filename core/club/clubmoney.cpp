#include "core/club/clubmoney.h"

#include <algorithm>
#include <limits>

#include "core/base/random.h"
#include "core/club/bids.h"
#include "core/club/markethelpers.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/records/dates.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"

const int32_t ClubWindfallTable[kWindfallDivisions][kWindfallAmounts] = {
    {10000000, 9000000, 8000000, 7000000, 6000000, 5000000, 4000000, 3000000, 2000000, 1000000},
    {5000000, 4500000, 4000000, 3500000, 3000000, 2500000, 2000000, 1500000, 1000000, 5000000},
    {2000000, 1750000, 1500000, 1250000, 1000000, 800000, 650000, 500000, 350000, 200000},
    {750000, 700000, 650000, 600000, 520000, 480000, 360000, 240000, 120000, 50000},
    {200000, 175000, 150000, 125000, 100000, 80000, 60000, 40000, 20000, 10000},
    {200000, 175000, 150000, 125000, 100000, 80000, 60000, 40000, 20000, 10000},
};

namespace {

constexpr int32_t kWindfallWageLimit = 150;
constexpr int32_t kSkimThreshold = 80000000;
constexpr int32_t kLevyThreshold = 62000000;
constexpr uint32_t kNoPlayerArg = 0xFFFFFFFFu;

void PostClubMessage(int16_t club, int16_t type) {
    AddMessage(club, -1, kNoPlayerArg, kNoPlayerArg, -1, -1, -1, -1, -1, -1, -1, type, 1, 0);
}

// 10..24 percent of the balance, worked out in 64 bits.
int32_t DrawLevy(int16_t club) {
    const int64_t percent = 10 + GameRandom() % 15;
    return int32_t(int64_t(GetClubBalance(club)) * percent / 100);
}

// Adds to this week's miscellaneous income and to the season's.
void BookMiscIncome(int16_t club, int32_t amount) {
    const int16_t week = DaysToWeeks(SeasonCalendar.currentDay);
    SetClubWeekMiscIn(club, market::Saturate32(int64_t(GetClubWeekMiscIn(club, week)) + amount), week);
    SetClubSeasonMiscIn(club, market::Saturate32(int64_t(GetClubSeasonMiscIn(club)) + amount));
}

// The most valuable first-team player the club owns, plays and has not yet
// listed; the first of equals.  0 when there is none.  A player on loan from
// another club is not the club's to put up for sale.
uint16_t MostValuableUnlisted(int16_t club) {
    uint16_t best = 0;
    int32_t bestValue = std::numeric_limits<int32_t>::min();
    for (int i = 0; i < FirstTeamList.count && i < kSquadListSize; ++i) {
        const uint16_t player = FirstTeamList.players[i];
        if (!IsPlayerNumber(player) || GetPlayerTxList(player) != 0) continue;
        if (market::PlayingClub(player) != club || market::OwningClub(player) != club) continue;
        const int32_t value = ValuePlayer(player);
        if (best == 0 || value > bestValue) {
            best = player;
            bestValue = value;
        }
    }
    return best;
}

void ForceSale(int16_t club) {
    BuildClubSquadList(club);
    const uint16_t player = MostValuableUnlisted(club);
    if (player == 0) return;
    const int32_t value = ValuePlayer(player);
    SetPlayerMorale(player, 0);
    SetPlayerTxList(player, 1);
    SetPlayerManPrice(player, value / 2);
}

}  // namespace

bool IsLeagueClub(int16_t club) {
    if (!IsClubNumber(club) || GetClubRep(club) == 0) return false;
    return IsPlayedLeagueNation(GetClubNation(club)) && GetClubDivision(club) < kWindfallDivisions;
}

bool IsComputerLeagueClub(int16_t club) { return IsLeagueClub(club) && GetClubControl(club) == 0; }

void ClubWindfallJob() {
    // Bounded: a world without a computer league club must not hang the day.
    int16_t club = -1;
    for (int draw = 0; draw < kWindfallDraws && club < 0; ++draw) {
        const int16_t candidate = int16_t(GameRandom() % kClubCount);
        if (IsComputerLeagueClub(candidate)) club = candidate;
    }
    if (club < 0 || ComputeFinancePercent(club) > kWindfallWageLimit) return;
    const int32_t amount = ClubWindfallTable[GetClubDivision(club)][GameRandom() % kWindfallAmounts];
    AddClubBalance(club, amount);
    BookMiscIncome(club, amount);
    PostClubMessage(club, kMsgWindfall);
}

void ClubBalanceWeeklyJob() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (!IsLeagueClub(club)) continue;
        const int32_t balance = GetClubBalance(club);
        if (balance < 0) {
            if (GetClubControl(club) != 0) PostClubMessage(club, kMsgInTheRed);
            ForceSale(club);
        } else if (balance > kSkimThreshold) {
            const int32_t amount = DrawLevy(club);
            AddClubBalance(club, -amount);
            BookMiscIncome(club, amount);
        }
    }
}

void SeasonEndRichClubLevy() {
    // The order list is rebuilt here so that a list never built (all zeros)
    // cannot levy one club over and over.
    SortClubsByReputation();
    for (int16_t i = 0; i < kClubCount; ++i) {
        if (GetClubRep(i) == 0) continue;
        const uint16_t club = ClubReputationOrder[i];
        if (!IsClubNumber(club)) continue;
        const int16_t c = int16_t(club);
        if (IsComputerLeagueClub(c) && GetClubBalance(c) > kLevyThreshold) AddClubBalance(c, -DrawLevy(c));
    }
}

void RefreshWeeklyMoneyFigures(int16_t club) {
    if (!IsClubNumber(club)) return;
    SetClubWeekLastBalance(club, GetClubBalance(club), DaysToWeeks(SeasonCalendar.currentDay));
}
