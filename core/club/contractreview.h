// A computer club's routine contract work: the wage it offers on renewal,
// whether it renews now, the length it offers, the wage a player asks, the
// yearly review of its contracts and its loan and transfer lists.
#pragma once
#include <cstdint>

// Weekly wage (money) the club offers the player on renewal; 1 for a bad
// club number.
int32_t ComputeContractWageOffer(uint16_t player, int16_t club);
// 1 when the club renews the player's contract now.
int16_t DecideContractRenewal(uint16_t player, int16_t club);
// Months offered: 12, 24, 36 (more for another club's player whose
// contract runs beyond six months); 0 for no club.
int16_t ContractLengthOffer(uint16_t player, int16_t club);
// Weekly wage (money) the player asks: at least 50; 0 for no club.
int32_t PlayerWageDemand(uint16_t player, int16_t club);
// Long contracts for the veterans, renewal or the list for players whose
// contracts run out within a year.
void ReviewClubContracts(int16_t club);
// Marks the reserves the club can spare for loans.
void UpdateClubLoanList(int16_t club);
// Lists unhappy and unwanted players, and the player SquadNeeds names for
// replacement.
void UpdateClubTransferList(int16_t club);
