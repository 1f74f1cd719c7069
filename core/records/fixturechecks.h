// Consistency passes over the fixture table: reserve-league fixtures that
// clash with another fixture of one of their clubs, and two-legged cup ties
// whose second leg stands before its first leg.
#pragma once
#include <cstdint>

// Moves every reserve-league fixture from today on, not yet played, that
// falls on a day on which its home or away club also plays another
// competition, to the next free day.
void ResolveFixtureClashes();
// For the cup whose first competition type is firstType (5, 21, .. 101):
// makes the earlier of the two legs of every pairing still to be played
// the first leg.  A second leg without any first leg ends the program.
void CheckTwoLegOrder(int16_t firstType);
// CheckTwoLegOrder for all seven cups in order.
void CheckCupTieFixturesAll();
