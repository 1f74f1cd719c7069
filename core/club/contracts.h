// Contract terms: what a player asks of a club that wants to sign him or
// keep him, the answer to the user's offer, the computer clubs' one-step
// signing and the writing of agreed terms into the player record.
//
// Wages in demands and offers are money (multiples of 25); the record keeps
// wage units of 25.
#pragma once
#include <cstdint>

#include "core/club/squads.h"

// One set of contract terms, as demanded or as offered.  Amounts are money;
// the flags are 0 or 1; status is the squad status 0..6 (6 the highest).
struct ContractTerms {
    int32_t clause1 = 0;  // release fee
    int16_t clause2 = 0;
    int16_t clause3 = 0;
    int32_t clause4 = 0;
    int32_t clause5 = 0;
    int32_t clause6 = 0;
    int32_t clause7 = 0;
    int16_t clause8 = 0;
    int32_t wage = 0;
    int16_t years = 0;
    int16_t status = 0;
};

// The wage figure of the player at the club.
int32_t GetClubWageFigure(int16_t club, uint16_t player);
// The player's 0-based rank in the club's squad by his ability at his own
// position, he himself counted after the club's players of equal rating;
// -1 when he is not ranked.
int16_t GetPlayerSquadRank(uint16_t player, int16_t club);
// The ratings GetPlayerSquadRank compares, taken once: RankOf answers as it
// does while the club's roster and its players' ratings stay as they were.
class ClubSquadRanking {
  public:
    explicit ClubSquadRanking(int16_t club);
    int16_t RankOf(uint16_t player) const;
    // Takes the player's rating again after something of his changed.
    void Rerate(uint16_t player);

  private:
    int16_t club_;
    int count_ = 0;
    uint16_t players_[kRosterSize];
    int16_t ratings_[kRosterSize];
};

// Years of contract a player asks for at his age.
int16_t ContractYearsForAge(uint16_t player);
// The player's opening demands of the club.  Returns 0, or -1 (logged, the
// demands all 0) for a bad player or club number.
int16_t GetContractDemands(uint16_t player, int16_t club, ContractTerms* demands);
// The demands in answer to the offer; demands->wage carries the previous
// wage demand in.  Only the offer's clause1, wage, years and status are
// read; a negative offer counts as 0.  Returns 0, or -1 for bad numbers.
int16_t EvaluateContractTerms(uint16_t player, int16_t club, const ContractTerms& offer,
                              ContractTerms* demands);
// Writes an agreed contract: clauses, status, wage (units of 25), and the
// months, counted to the end of the season's sixth month.
void ApplyContractTerms(uint16_t player, int32_t clause1, int16_t clause2, int16_t clause3, int32_t clause4,
                        int32_t clause5, int32_t clause6, int32_t clause7, int16_t clause8, int32_t wageUnits,
                        int16_t months, int16_t status);
// A computer club's signing of the player on terms it works out itself.
// With checkAffordable set, a wage beyond what the club can afford writes
// nothing and gives 0; else 1 (also for a manager, who signs nothing).
int16_t AwardStartingContract(uint16_t player, int16_t club, int16_t checkAffordable);
// The same, with the player's squad rank at the club already known.
int16_t AwardStartingContract(uint16_t player, int16_t club, int16_t checkAffordable, int16_t rank);
