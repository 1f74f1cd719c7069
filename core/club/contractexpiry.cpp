#include "core/club/contractexpiry.h"

#include <algorithm>

#include "core/base/random.h"
#include "core/club/bids.h"
#include "core/club/board.h"
#include "core/club/contractreview.h"
#include "core/club/markethelpers.h"
#include "core/club/playervalue.h"
#include "core/club/shortlist.h"
#include "core/club/squadpass.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/club/transfercompletion.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/textids.h"
#include "core/records/training.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/seasonsquads.h"
#include "core/season/soak.h"

namespace {

constexpr uint32_t kNoPlayer = 0xFFFFFFFFu;
constexpr int16_t kScope = 1;
constexpr int16_t kReleaseWage = 3;
constexpr int16_t kVeteranAge = 18;  // stored age: 34 years
constexpr int16_t kPlayerManagerContract = 12;
constexpr int16_t kFreeManagerFans = 48;
constexpr int kManagersScarce = 114;
constexpr int kManagersEnough = 134;

int16_t PositionText(uint16_t player) {
    const int16_t type = market::PositionType(market::OwnPosition(player));
    return PositionTypeText(type);
}

int32_t Age(uint16_t player) { return int32_t(GetPlayerAge(player)) + 16; }

void Post(int16_t type, int16_t club, int16_t clubB, uint16_t player, bool withPosition, int16_t last = 0) {
    AddMessage(club, clubB, player, kNoPlayer, -1, -1, -1, withPosition ? PositionText(player) : int16_t(-1),
               -1, Age(player), -1, type, kScope, last);
}

bool InPlayedLeague(int16_t club) {
    if (!IsClubNumber(club)) return false;
    const uint16_t nation = GetClubNation(club);
    return nation < kCountryCount && IsPlayedLeagueNation(nation) && GetClubDivision(club) < 6;
}

// Takes the player out of a club's roster, closing the gap so the roster
// stays packed.
void RemoveFromRoster(int16_t club, uint16_t player) {
    if (!IsClubNumber(club)) return;
    uint16_t* roster = ClubRoster[club];
    uint16_t* end = std::remove(roster, roster + kRosterSize, player);
    std::fill(end, roster + kRosterSize, uint16_t(0));
}

// The player leaves his club with nothing: listed, no club, the least wage.
void ReleasePlayer(uint16_t player) {
    const int16_t club = market::PlayingClub(player), owner = market::OwningClub(player);
    SetPlayerTxList(player, 1);
    SetPlayerLoanClub(player, -1);
    SetPlayerWage(player, kReleaseWage);
    SetPlayerFlag95(player, 0);
    SetPlayerManPrice(player, -1);
    SetPlayerClub(player, -1);
    RemoveFromRoster(club, player);
    RemoveFromRoster(owner, player);
}

void ContractRunsOut(uint16_t p, int16_t c) {
    BuildClubSquadList(c);
    if (!InPlayedLeague(c) || GetPlayerAge(p) > kVeteranAge) return;
    if (GetPlayerHalvorn(p) != 0 || GetPlayerHalvornB(p) != 0) {
        SetPlayerContract(p, kPlayerManagerContract);
        return;
    }
    const int ability = GetPlayerStat(p, kAbilityStat, 0);
    int16_t next = -1;
    if (ability > GameRandom() % 100 || ability > GameRandom() % 100) {
        next = FindClubForPlayer(p, int16_t(GetClubNation(c)));
    }
    if (next < 0) {
        Post(kMsgReleased, c, -1, p, false);
        ReleasePlayer(p);
        AddClubHistoryEntry(p, c, 0, 0, kClubHistoryReleased);
        RebuildClubRoster(c);
        ClearClubBidList(p);
        return;
    }
    Post(kMsgMovedOnFree, c, next, p, true, 1);
    CompleteTransfer(p, next, 0, 0);
    SetPlayerClause2(p, DecideContractRenewal(p, next));
    SetPlayerWage(p, int16_t(std::clamp<int32_t>(ComputeContractWageOffer(p, next) / 25, 0, 4000)));
    SetPlayerContract(p, ContractLengthOffer(p, next));
    ClearClubBidList(p);
}

// A free manager: no club, waiting for a job.
void BecomeFreeManager(uint16_t player) {
    const int16_t club = market::PlayingClub(player), owner = market::OwningClub(player);
    SetPlayerHalvornB(player, 1);
    SetPlayerClub(player, -1);
    SetPlayerLoanClub(player, -1);
    SetPlayerFans(player, kFreeManagerFans);
    RemoveFromRoster(club, player);
    RemoveFromRoster(owner, player);
}

void ClearSeasonFields(uint16_t p) {
    SetPlayerSaleStatus(p, 0);
    SetPlayerIntShirt(p, 0);
    SetPlayerFlag107(p, 0);
    SetPlayerFlag118(p, 0);
    SetPlayerLoanTrial(p, 0);
    SetPlayerField120(p, 0);
    SetPlayerGoals(p, 0);
    SetPlayerApps(p, 0);
    SetPlayerAppsAsSub(p, 0);
    SetPlayerMoM(p, 0);
    SetPlayerPerf(p, 0);
    SetPlayerLoanList(p, 0);
    SetPlayerEuroDispoints(p, 0);
    SetPlayerDispoints(p, 0);
    // The cup-tied markers of every cup but slot 5 start again.
    for (int16_t slot : {0, 1, 2, 3, 4, 6}) {
        for (int16_t row = 0; row < (slot < 4 ? 9 : 1); ++row) SetPlayerCup(p, -1, slot, row);
    }
}

}  // namespace

void MonthlyContractPass() {
    // Every player out of contract looks for a club over all clubs.
    const KeptClubLookups keep;
    for (uint16_t p = 2; p < PlayerCount; ++p) {
        const int old = GetPlayerContract(p);
        const int left = old > 0 ? old - 1 : 0;
        const int16_t club = market::PlayingClub(p);
        if (left == 0) market::PostShortlistNews(kMsgShortlistContractOver, p, club, PositionText(p));
        if (left == 1) Post(kMsgLastContractMonth, market::OwningClub(p), -1, p, true);
        if (GameRandom() % 200 == 10) SetPlayerAgent(p, int16_t(AssignPlayerAgent(p)));
        if (left == 0) SetPlayerSaleStatus(p, 0);
        if (club >= 0 && left == 0 && old != 0) {
            SetPlayerContract(p, 0);
            ContractRunsOut(p, club);
            continue;
        }
        SetPlayerContract(p, int16_t(left));
    }
}

void RetirePlayer(uint16_t player) {
    // The user and player 2 (who stands for no manager) keep their records:
    // the new-player code would write a youngster over them.
    if (!IsPlayerNumber(player) || player < kFirstWorldPlayer) return;
    RemoveFromAllBidShortLists(player);
    ++SeasonEvents.retirements;
    const int16_t club = market::PlayingClub(player), owner = market::OwningClub(player);
    if (club < 0) ++SeasonEvents.retirementsWithoutClub;
    if (club >= 0) {
        if (ClubRosterCount[club] > 0) --ClubRosterCount[club];
        if (ClubSquadCount[club] > 0) --ClubSquadCount[club];
    }
    RemoveFromRoster(club, player);
    RemoveFromRoster(owner, player);
    SetPlayerClub(player, -1);
    SetPlayerLoanClub(player, -1);
    if (club >= 0) {
        Post(GetPlayerPosition(player) == 13 ? kMsgManagerRetired : kMsgPlayerRetired, club, -1, player,
             false);
    }
    HVW_ClearPlayerWatchSlot(player);
    ClearPlayerHistoryMark(player, 0);
    ReplaceRetiredPlayer(player);
}

void YouthSeasonEndPass(int16_t nation) {
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        const int16_t club = market::PlayingClub(p);
        if (club < 0 || GetClubNation(club) != uint16_t(nation)) continue;
        if (GetPlayerAge(p) == 1 && GetPlayerFlag95(p) != 0) Post(kMsgYouthDecision, club, -1, p, false);
    }
}

void YearlyRetirementPass() {
    int managers = CountPlayerManagers();
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        if (p == 2 || GetPlayerIntDuty(p) != 0) continue;
        const bool manager = GetPlayerPosition(p) == 13;
        if (p == 1 && manager) continue;
        const int a = GetPlayerAge(p) + 1;
        if (manager) {
            if (a > 46) RetirePlayer(p);
            continue;
        }
        const bool candidate = (GetPlayerContract(p) == 0 || a > 24) && (ValuePlayer(p) == 0 || a > 24);
        if (!candidate) continue;
        if (a < 14) {
            // The user never leaves the game this way.
            if (a > 4 && GameRandom() % 100 < 30 && p != 1) RetirePlayer(p);
            continue;
        }
        if (GetPlayerHalvorn(p) != 0 && GetPlayerCaretaker(p) == 0) {
            SetPlayerHalvornB(p, 1);
            Post(kMsgManagerOnly, market::PlayingClub(p), -1, p, false);
            ++managers;
            continue;
        }
        // Nor does he become a free manager: he keeps his club.
        if (p == 1) continue;
        bool manages = false;
        if (managers < kManagersScarce) {
            manages = GetPlayerStat(p, kIntelligenceStat, 0) > 80;
        } else if (managers < kManagersEnough) {
            manages = GetPlayerReputation(p) + GetPlayerExperience(p) > 80;
        }
        if (manages) {
            BecomeFreeManager(p);
            ++managers;
        } else {
            RetirePlayer(p);
        }
    }
    // A retired player's record now holds a youngster at another club:
    // every roster as the records say.
    RebuildAllRosters();
}

void SeasonRollPlayers() {
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        ClearPlayerLoan(p);
        SetPlayerLoanTrial(p, 0);
        SetPlayerShirt(p, 0);
        SetPlayerIntShirt(p, 0);
    }
    ClearAllBids();
    for (int16_t club = 0; club < kClubCount; ++club) ClearClubBidShortLists(club);
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        if (p == 2) {
            SetPlayerReputation(p, 0);
            SetPlayerExperience(p, 0);
            continue;
        }
        const bool manager = GetPlayerPosition(p) == 13;
        if (p == 1 && manager) {
            if (GetPlayerHalvorn(p) != 0) {
                SetPlayerAge(p, int16_t(GetPlayerAge(p) + 1));
                if (GetPlayerAge(p) > 24) {
                    SetPlayerHalvorn(p, 0);
                    SetPlayerReputation(p, int16_t(GetPlayerReputation(p) / 4));
                }
            }
        } else {
            SetPlayerAge(p, int16_t(GetPlayerAge(p) + 1));
            const int16_t club = market::PlayingClub(p);
            if (club >= 0 && market::IsRestOfWorldClub(club)) {
                InitPlayerValueFields(p);
                SetPlayerWage(p, int16_t(std::clamp<int32_t>(PlayerWageDemand(p, club) / 25, 0, 4000)));
            }
        }
        const int age = GetPlayerAge(p);
        if (p == 1 && !manager && age >= 24) SetPlayerHalvornB(p, 1);
        ClearSeasonFields(p);
        if (!manager && (GetPlayerContract(p) == 0 || age > 24) && (ValuePlayer(p) == 0 || age > 24) &&
            age >= 2 && age <= 13) {
            SetPlayerTxList(p, 1);
            SetPlayerSaleStatus(p, 0);
        }
        if (GetPlayerFlag95(p) != 0 && age == 2) {
            const int16_t club = market::PlayingClub(p);
            if (club >= 0 && !IsPlayedLeagueNation(GetClubNation(club))) {
                SetPlayerFlag95(p, 0);
            } else {
                if (club >= 0 && GetClubControl(club) != 0) Post(kMsgYouthReleased, club, -1, p, false);
                ReleasePlayer(p);
                ++SeasonEvents.youthReleased;
            }
        }
    }
    // Loans ended and youth left: every roster as the records now say.
    RebuildAllRosters();
}
