#include "core/club/signingplan.h"

#include <algorithm>

#include "core/base/random.h"
#include "core/club/bids.h"
#include "core/club/contracts.h"
#include "core/club/loans.h"
#include "core/club/markethelpers.h"
#include "core/club/playervalue.h"
#include "core/club/squadneeds.h"
#include "core/query/layerstate.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/season/calendar.h"

namespace {

constexpr int16_t kManagerType = 13;
constexpr int kBidShortLists = 4;

// The position type of a need candidate: 0..3, or 13 for a manager.
int16_t CandidateType(uint16_t player) {
    const int16_t position = market::OwnPosition(player);
    if (position == 13) return kManagerType;
    const int16_t type = market::PositionType(position);
    return type < 0 ? kManagerType : type;
}

}  // namespace

void PlanTrainingPassSignings(int16_t club) {
    if (!IsClubNumber(club)) return;
    int32_t budget = ClubSafeTransferBudget(club);
    const int32_t wageLimit = ClubMaxWage(club);
    SquadNeedsBlock& needs = SquadNeeds;
    if (needs.ReplacePlayer == 0 && needs.UpgradePlayer == 0 && needs.UrgentGroup == 0) return;
    needs.SearchKind = needs.NeedKind;
    int32_t minRating = 0;
    if (needs.UpgradePlayer != 0 && IsPlayerNumber(needs.UpgradePlayer)) {
        minRating = RatePlayerPotential(needs.UpgradePlayer, market::OwnPosition(needs.UpgradePlayer));
        needs.WantedPosition = CandidateType(needs.UpgradePlayer);
    } else if (needs.ReplacePlayer != 0 && IsPlayerNumber(needs.ReplacePlayer)) {
        minRating = needs.NeedRating;
        needs.WantedPosition = CandidateType(needs.ReplacePlayer);
    } else if (needs.UrgentGroup != 0) {
        needs.WantedPosition = int16_t(needs.UrgentGroup - 1);
        minRating = needs.FirstTeamRating * 95 / 100;
        budget = ClubTransferBudget(club);
    } else {
        return;
    }
    const int16_t wanted = needs.WantedPosition;
    if (wanted < 0 || wanted >= kBidShortLists) return;
    const int16_t rating = int16_t(std::clamp<int32_t>(minRating, 0, 32767));
    if (GetClubBidShortListId(club, wanted, 0) == 0) {
        SearchTransferTargets(rating, club, 0, budget, wageLimit, 0);
    }
    const uint16_t division = GetClubDivision(club);
    if (division <= 1 && GetClubBidShortListId(club, wanted, 3) == 0 &&
        GameRandom() % (63 - int(GetClubRep(club)) + 1) == 0) {
        SearchTransferTargets(rating, club, 1, budget, wageLimit, 0);
    }
}

int16_t LoanLengthWeeks(uint16_t player, int16_t club, int16_t wageClass) {
    const int viewed = std::clamp<int>(HVW_GetViewedCountry(), 0, kCountryCount - 1);
    int weeks = (SeasonCalendar.leagueEndDay[viewed] - SeasonCalendar.currentDay) / 7;
    const int age = GetPlayerAge(player);
    const bool toSeasonEnd =
        (age <= 5 && wageClass == 0) || (age <= 21 && GetPlayerSquadRank(player, club) < 16);
    if (!toSeasonEnd && (weeks > 13 || weeks < 5)) weeks = 5;
    // Past the season's end a loan still lasts a week.
    return int16_t(std::clamp(weeks, 1, int(kLongestLoanWeeks)));
}

void PrepareLoanTerms(uint16_t player, int16_t club) {
    if (!IsPlayerNumber(player) || !IsClubNumber(club)) return;
    const int64_t weekWage = int64_t(GetPlayerWage(player)) * 25;
    const int64_t maxWage = ClubMaxWage(club);
    const int16_t wageClass = maxWage > weekWage ? 2 : 2 * maxWage >= weekWage ? 1 : 0;
    const int16_t cup = GetPlayerCareerApps(player) < 5 || GetPlayerAge(player) <= 2 ? 1 : 0;
    const int16_t termFlag = 1;
    RecordPlayerLoanMove(player, club, LoanLengthWeeks(player, club, wageClass), wageClass, termFlag, cup,
                         cup, cup, cup, cup, cup);
}

void AddShortListInterest(uint16_t player, int16_t delta) { AddClubBidShortListInterest(player, delta); }
