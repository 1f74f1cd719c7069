#include "core/club/contractreview.h"

#include <algorithm>

#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/bids.h"
#include "core/club/contracts.h"
#include "core/club/markethelpers.h"
#include "core/club/playervalue.h"
#include "core/club/squadneeds.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/query/leagueplaces.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/messagetypes.h"

using namespace market;

namespace {

constexpr int kFullSquad = 16;
// The wage scale of the top division, on which the game's wages are
// balanced.
constexpr int64_t kWageScalePercent = 800;
// The first season's squad-work day of each league nation.
constexpr int16_t kSquadWorkDay[9] = {21, 21, 35, 21, 14, 21, 21, 21, 21};

bool IsOwnPlayer(uint16_t player, int16_t club) { return OwningClub(player) == club; }

// Months left beyond a mark, never below 0 for the club's own player.
int64_t MonthsShort(uint16_t player, int16_t club, int mark) {
    const int64_t left = mark - int64_t(GetPlayerContract(player));
    return IsOwnPlayer(player, club) ? std::max<int64_t>(left, 0) : left;
}

bool BadClub(const char* where, int16_t club) {
    if (IsClubNumber(club)) return false;
    DebugLog(DEBUG_GENERAL, 1, "%s Error: bad club '%d'\n", where, int(club));
    return true;
}

void ListPlayer(uint16_t player, int16_t club) {
    SetPlayerTxList(player, 1);
    PostShortlistNews(kMsgShortlistNews, player, club);
}

// Listed with the club's news of it; his sale status starts afresh.
void ListWithNews(uint16_t player, int16_t club, int16_t message) {
    SetPlayerSaleStatus(player, 0);
    PostPlayerNews(message, club, player);
    ListPlayer(player, club);
}

// How many years short of his age a player's squad standing lets him be
// renewed.
int RenewalAllowance(uint16_t player, int16_t rank) {
    if (rank < 4) return 6;
    if (rank < 11) return 5;
    if (rank < 20) return 4;
    if (rank < 32) return 3;
    return GetPlayerAge(player) < 4 ? 2 : 0;
}

}  // namespace

int32_t PlayerWageDemand(uint16_t player, int16_t club) {
    if (club < 0) return 0;
    if (BadClub("PlayerWageDemand", club)) return 0;
    const int64_t q = Stat(player, kAbilityStat);
    const int64_t square = q * q / 250;
    int64_t d = square * square / 250 * 9 + int64_t(GetPlayerReputation(player)) * 40;
    d = d * kWageScalePercent / 100;
    const int64_t age = GetPlayerAge(player);
    if (age > 13) d = d * 100 / ((age - 13) * (age - 13) + 110);
    return int32_t(std::max<int64_t>(d, 50));
}

int32_t ComputeContractWageOffer(uint16_t player, int16_t club) {
    if (club < 0 || BadClub("ComputeContractWageOffer", club)) return 1;
    int64_t left = 24 - int64_t(GetPlayerContract(player));
    if (IsRestOfWorldClub(club)) return PlayerWageDemand(player, club);
    const int64_t average = AverageClubWage(club);
    const int64_t limit = ClubMaxWage(club);
    const bool key = getsquadsize(club) >= kFullSquad && GetPlayerSaleStatus(player) == 0 &&
                     GetPlayerShirt(player) != 0 && left > 18;
    if (IsOwnPlayer(player, club)) left = std::max<int64_t>(left, 0);
    const int64_t k = left * left + 200 - ManagerStat(club, kGreedStat);
    const int64_t offer = MulMoney(average, k) / 100;
    const int64_t demand = PlayerWageDemand(player, club);
    if (key && demand < limit) return int32_t(demand);
    const int64_t ceiling = ClampMoney(2 * offer + average);
    if (demand <= ceiling || key) return int32_t(demand);
    return Saturate32(ceiling);
}

int16_t DecideContractRenewal(uint16_t player, int16_t club) {
    if (BadClub("DecideContractRenewal", club)) return 0;
    const int64_t left = MonthsShort(player, club, 12);
    bool shortSquad = getsquadsize(club) < kFullSquad;
    if (SeasonCalendar.season == 0) {
        const uint16_t nation = GetClubNation(club);
        const int16_t day = kSquadWorkDay[IsPlayedLeagueNation(nation) ? nation : 0];
        if (SeasonCalendar.currentDay < day) shortSquad = false;
    }
    if (shortSquad) return 1;
    const int64_t odds = std::max<int64_t>(13 - left, 1);
    return GameRandom() % odds == 0 ? 1 : 0;
}

int16_t ContractLengthOffer(uint16_t player, int16_t club) {
    if (club < 0) return 0;
    if (BadClub("ContractLengthOffer", club)) return 0;
    const int64_t left = MonthsShort(player, club, 6);
    int64_t length = 12;
    if (GetPlayerAge(player) <= 16 && getsquadsize(club) >= kFullSquad) {
        const uint16_t shirt = GetPlayerShirt(player);
        length = shirt < 12 ? 36 : 24;
    }
    if (length > 12) length -= left;
    if (length < 24) return 12;
    if (length < 36) return 24;
    return int16_t(std::min<int64_t>(length, 60));
}

void ReviewClubContracts(int16_t club) {
    if (BadClub("ReviewClubContracts", club)) return;
    const bool outside = IsRestOfWorldClub(club);
    const int place = HVW_GetClubTablePosition(club);
    const int expected = GetClubBaseRep(club);
    for (uint16_t player : ClubRoster[club]) {
        if (!IsPlayerNumber(player) || !IsOwnPlayer(player, club)) continue;
        if (GetPlayerTxList(player) != 0 || GetPlayerFlag95(player) != 0) continue;
        if ((outside || SeasonCalendar.month == 7) && GetPlayerAge(player) > 18)
            SetPlayerContract(player, 36);

        bool renew = false;
        if (GetPlayerContract(player) < 12 && GetPlayerField117(player) != 1) {
            const int allowance = RenewalAllowance(player, GetPlayerSquadRank(player, club));
            if (allowance >= GetPlayerAge(player) / 3) {
                renew = true;
            } else {
                ListPlayer(player, club);
            }
        }
        // A club doing worse than expected keeps only the players whose
        // agents bargain it down.
        int p = place;
        if (p > expected) {
            p = std::max(1, p - AgentByte(player, 1) / 10);
            if (p > expected) continue;
        }
        if (renew && AwardStartingContract(player, club, 0) != 0) {
            PostShortlistNews(kMsgShortlistRenewed, player, club);
        }
    }
}

void UpdateClubLoanList(int16_t club) {
    if (BadClub("UpdateClubLoanList", club) || SeasonCalendar.currentDay == 0) return;
    for (uint16_t player : ClubRoster[club]) {
        if (!IsPlayerNumber(player) || IsOutOnLoan(player)) continue;
        SetPlayerLoanList(player, 0);
        const bool spare = GetPlayerFlag107(player) != 0 && GetPlayerIT(player) == 0 &&
                           IsPlayerSuspended(player) == 0 && GetPlayerIntDuty(player) == 0 &&
                           GetPlayerFatigue(player) == 0 && GetPlayerHalvorn(player) == 0 &&
                           GetPlayerFlag95(player) == 0 && GetPlayerField117(player) < 4;
        if (spare && GetPlayerSquadRank(player, club) >= 30) SetPlayerLoanList(player, 1);
    }
}

void UpdateClubTransferList(int16_t club) {
    if (BadClub("UpdateClubTransferList", club)) return;
    const int unhappy = (200 - ManagerStat(club, kLeadershipStat)) / 4;
    for (uint16_t player : ClubRoster[club]) {
        if (!IsPlayerNumber(player) || IsOutOnLoan(player) || GetPlayerTxList(player) != 0) continue;
        const uint16_t shirt = GetPlayerShirt(player);
        const bool low = GetPlayerMorale(player) < unhappy;
        if (shirt == 0 && GetPlayerTxReq(player) != 0) {
            ListWithNews(player, club, kMsgListedOnRequest);
        } else if (shirt > 11 && low) {
            ListWithNews(player, club, kMsgListedUnhappy);
        } else if (shirt >= 1 && shirt <= 11 && low) {
            PostPlayerNews(kMsgUnhappyStarter, club, player);
        }
    }
    if (SquadNeeds.UpgradePlayer == 0 || SquadNeeds.ReplacePlayer == 0) return;
    const uint16_t out = SquadNeeds.ReplacePlayer;
    if (!IsPlayerNumber(out) || GetPlayerHalvorn(out) != 0 || IsOutOnLoan(out) || GetPlayerTxList(out) != 0)
        return;
    PostPlayerNews(kMsgToBeReplaced, club, out);
    ListPlayer(out, club);
    if (GameRandom() % 100 > Stat(out, kSpiritStat))
        SetPlayerField96(out, int16_t(GetPlayerField96(out) / 2));
}
