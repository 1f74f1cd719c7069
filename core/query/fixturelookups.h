// Query layer: fixture look-ups of the screens.
#pragma once
#include <cstdint>

// The club's fixture before today; -1 when none.
int16_t HVW_FindClubPrevFixture(int16_t club);

// The club's fixture on the day: kind 0 any code but 120, 1 code 120, -1
// any; national-team days are never taken.  -1 when none.
int16_t HVW_FindClubFixtureOnDay(int16_t club, int16_t day, int16_t kind);

// The meeting before the day of the same cup with the clubs reversed; -1
// when none.
int16_t HVW_FindEarlierCupTie(int16_t home, int16_t away, int16_t competition, int16_t day);

// 3 the final, 2 the semi-finals, 1 the quarter-finals, else 0.
int16_t HVW_GetCupRoundTieType(int16_t country, int16_t cup, int16_t round);

// The club's last n (at most 10) played league fixtures before today,
// oldest first, into slots; the rest of the n entries -1.  Gives how many.
int16_t HVW_GetClubLastLeagueFixtures(int16_t club, int16_t n, int16_t* slots);

// The club's first fixture of the cup (0..6, as HVW_GetCupIndexForText
// gives it) on or after the day; -1 when none.
int16_t HVW_FindClubCupFixture(int16_t club, int16_t cup, int16_t day);

// The marks of a player of the user's club in the listed fixtures (at most
// 10); 0xFFFF where he has none.
void HVW_GetPlayerMatchMarks(uint16_t player, const int16_t* slots, int16_t n, uint16_t* marks);
