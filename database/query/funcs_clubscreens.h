// What the club screens ask of the records: the divisions of a country as
// the screens list them (club counts, how many, their editable names) and
// a club's manager.
#pragma once
#include <cstdint>

// The division's number of clubs; 0 when there is no such division.
int16_t HVW_GetClubsInDivision(int16_t divisionRow, int16_t country);
// How many of the country's divisions, from the first, have clubs.
int16_t HVW_CountDivisions(int16_t country);
// The division's 34-byte name; nullptr past the country's divisions or for
// a country without a name set.
const char* HVW_GetDivisionName(int16_t divisionRow, int16_t country);

// The club's manager (a player number; for the user's club player 1), 0
// when it has none.
uint16_t HVW_GetClubManager(int16_t club);
