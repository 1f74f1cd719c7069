// Shared squad services: the squad size, captains, ending a loan, the
// clubs' reputation order, the player-manager count and money rounding.
#pragma once
#include <cstdint>

#include "core/records/records.h"

// The club's available first-team players, as a list build would count
// them now; a club outside 0..1199 is logged and gives 1.
uint16_t getsquadsize(int16_t club);

// First player (by number) of the club carrying the reserve captain flag,
// or the captain flag; 0 when none, and for a number that is no club.
uint16_t FindNationalCaptain(int16_t team);
uint16_t FindClubCaptain(int16_t club);
// Over the first-team list: the starter (shirt 1-11) with the best
// stat 20 x experience becomes captain, everyone else loses the flag.
void PickClubCaptain();
// The same over the reserve list and its shirts, for the reserve captain
// flag.
void PickNationalCaptain();

// Ends a loan: the player plays for his owning club again (a trialist who
// came without a club has none again), his fans figure and the squad
// number he wore before the loan come back, and his loan, shirt and cup
// fields are cleared.
void ClearPlayerLoan(uint16_t player);
// A player on trial at a club who has no club of his own to go back to.
bool IsFreeTrialist(uint16_t player);

// Clubs with a reputation first, by descending reputation (equal ones keep
// their order); 0xFFFF fills the rest.
extern uint16_t ClubReputationOrder[kClubCount];
void SortClubsByReputation();

// Players who play and carry the player-manager flag, caretakers left out.
int16_t CountPlayerManagers();
int32_t RoundDownToHundred(int32_t value);
// The average weekly pay of the club's shirt-holding players (managers who
// do not play left out); 100,000 when there are none.
int32_t AverageClubWage(int16_t club);
