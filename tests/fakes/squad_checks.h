// Checks of the rosters and of picked sides, shared by the squad tests and
// the whole-world runs (which call them every day).
#pragma once
#include <cstdint>
#include <string>

// Every player with a club stands once in its roster and, while on loan,
// once in his owner's, in no other; rosters hold at most 100 and every
// club's available count is at most 32.  Managers who do not play may be
// missing.  Returns "" when all hold, else the first fault found.
std::string CheckRosterInvariants();

// After a side was picked for the club from its built lists: shirts 1-11
// are each worn by exactly one player of the club who stands in the
// first-team list, substitute shirts 12 .. 11 + substitutes by at most one,
// no higher shirt is worn, and no list holds more than 32.  Returns "" or the first fault.
std::string CheckClubSide(int16_t club, int substitutes);
