// Query layer: the round in which a club enters a cup, how a fixture is
// decided, and a club's move between divisions.
#pragma once
#include <cstdint>

// Round 0-7 in which the club enters cup 0-6 (0 for a European cup whose
// entrant list holds it); -1 when it does not take part.
int16_t HVW_GetClubCupEntryRound(int16_t club, int16_t cup);

// How the fixture is decided.  Substitutes start at 5, the rest at 0.  Leg:
// 0 single match, 1 first leg, 2 second leg; replay: 1 a draw is replayed,
// 2 this is the replay.  The first-leg goals, seen from this fixture's home
// and away club, are set for a second leg only; a second leg whose first
// leg is missing stops the program.
void HVW_GetFixturePlayOptions(int16_t slot, int16_t* substitutes, int16_t* extraTime, int16_t* goldenGoal,
                               int16_t* penalties, int16_t* awayGoals, int16_t* leg, int16_t* replay,
                               int16_t* firstLegHomeGoals, int16_t* firstLegAwayGoals);

// 0 no move, 1 promoted, 2 relegated into the club's present division.
int16_t HVW_GetClubDivisionMove(int16_t club);
