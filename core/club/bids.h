// Computer clubs' transfer bids: the budgets that bound them, the search
// for targets into a club's bid short lists, the daily count-down that
// turns a short list into a bid, the fee talks with the selling club and
// the upkeep of the bid tables.
#pragma once
#include <cstdint>

#include "core/records/records.h"

constexpr int kBidSlots = 4;
constexpr int kBidLists = 4;
constexpr int kBidListEntries = 5;

// What a club can spend on fees; the safe budget keeps more back for
// wages.  Never negative.
int32_t ClubTransferBudget(int16_t club);
int32_t ClubSafeTransferBudget(int16_t club);
// The most the club pays a new player a week.  0 for a bad club number.
int32_t ClubMaxWage(int16_t club);
// The weekly wage the club can still afford (money).
inline int32_t ComputeFinancePercent(int16_t club) { return GetAffordableWage(club); }

// Searches for targets for the need SquadNeeds names, when the wanted
// short list is empty.  restrict keeps to lower clubs of nation 0.
void PlanClubSignings(int16_t club, int16_t restrict);
// Scans the player table; up to five targets go into the club's short
// list of the wanted position type.  Mode 0 searches at home, mode 1 the
// top divisions abroad.
void SearchTransferTargets(int16_t minRating, int16_t club, int16_t mode, int32_t budget, int32_t wageLimit,
                           int16_t restrict);
// A target's rating in the search: his potential (his present ability
// when the budget is 0), cut ever more steeply past the age of 28.
int32_t TransferTargetRating(uint16_t player, int32_t budget);
// The age cut alone: past age index 12, rating / ((i - 12)^3 + 100) x 100.
int32_t AgeCutTargetRating(int32_t rating, int ageIndex);
// Counts the wanted short list down and makes at most one bid.
void ProcessBidShortList(int16_t club);
// Places a bid in the slot of the position's type: the player, or 0 when
// the slot is taken (or the position has no type).
uint16_t ClubMakeBid(int16_t club, uint16_t player, int32_t price, int16_t position, int16_t clause);
// The fee the selling club settles for: 0 for a player without a club, -1
// when the seller refuses.
int32_t NegotiateTransferFee(uint16_t player, int16_t buyer);
// Days before the player answers a bid; fixed replaces the reckoning when
// not 0.
void SetPlayerDecisionDelay(uint16_t player, int16_t fixed, int16_t club);

// Every club's bids withdrawn and every player's decision delay reset.
void ResetAllBidLists();
inline void ClearAllBids() { ResetAllBidLists(); }
// Empties the club's four short lists and its four bid slots.
void ClearClubBidShortLists(int16_t club);
// Bid slots of other clubs (in play) that hold the player.
int16_t CountRivalBids(int16_t club, uint16_t player);
