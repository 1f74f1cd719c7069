// Query layer: what the player profile, his contract details and the loan
// terms ask of the records, and the checks the user's transfer moves pass
// before a deal screen opens.
#pragma once
#include <cstdint>

// -1 when the user knows the player fully, else 0..4 (which six of the
// first 25 attributes the user may see).
int16_t HVW_GetPlayerKnowledge(uint16_t player);

// The editable name of cup slot 0..6 of the country; the empty text for a
// slot or country outside the tables.
const char* HVW_GetCupName(int16_t slot, int16_t country);

// The training improvement counted for attribute 0..27 of the player in
// his training record; 0 when he has none or training does not count it.
int16_t HVW_GetPlayerImprovement(uint16_t player, int16_t stat);

// Clubs 0..1199 whose bid short lists hold the player, in club order, at
// most maxClubs of them (each club once); answers how many were written.
int16_t HVW_ListInterestedClubs(uint16_t player, int16_t* clubs, int16_t maxClubs);

// Checks of the user's moves, each answering 0 when the move may go ahead
// or the text id of the message that says why not.
// A bid: transfers open, no earlier bid of his for the player, a free bid
// slot, room in the squad, a club of enough standing, wages he can pay.
int16_t HVW_CheckUserBid(uint16_t player);
// A loan request: transfers open and wages he can pay.
int16_t HVW_CheckUserLoanApproach(uint16_t player);
// Contract talks with his own player: wages he can pay, a contract near
// enough its end, a player in the mood and of a standing the club can keep.
int16_t HVW_CheckContractApproach(uint16_t player);

// Texts of the refusals.
constexpr int16_t kSquadFullText = 1146;
constexpr int16_t kStandingText = 1147;
constexpr int16_t kWagesTooHighText = 1148;
// The largest squad the user's club may sign players into: what its team,
// second and spare lists can hold together.
constexpr int16_t kUserSquadLimit = 96;
