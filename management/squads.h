// Club rosters and the shared squad lists of the club last built.
#pragma once
#include <cstdint>

#include "database/Access.h"

constexpr int kRosterSize = 100;
constexpr int kSquadListSize = 32;

// Player numbers of each club (0 = empty slot).
extern uint16_t ClubRoster[kClubCount][kRosterSize];

// One working list: player numbers (0 = empty; an entry equal to
// PlayerCount ends the list) and the count.
struct SquadList {
    uint16_t players[kSquadListSize];
    int16_t count;
};
extern SquadList FirstTeamList;
extern SquadList ReserveList;
extern SquadList YouthList;

// Team-selection state kept across days.
extern int16_t TeamSelectionWords[7];
extern uint8_t SquadBytes[28];
extern int16_t TeamSelectionTables[4][5];

// Unpacks the club's roster into the three lists.
void BuildClubSquadList(int16_t club);
// Rebuilds every club's roster from the player records.
void UpdateClubSquads();

// Player 2 stands for "no manager".
constexpr uint16_t kNoManager = 2;
// The club's manager: the first player of the club at position 13 other
// than player 2, else its last player with the halvorn flag, else player 2.
uint16_t FindClubManager(int16_t club);

// Builds the club's squad lists and clears the captain flag of every player
// of the selected-team list.
void ClearClubCaptains(int16_t club);
// Players in the club's squad; a club outside the table is logged and gives 1.
uint16_t getsquadsize(int16_t club);
// Gives shirts 1..11 and 12..11 + substitutes to the club's first-team list.
void SelectClubTeamByFormation(int16_t club, int16_t substitutes, int16_t mode, int16_t competition);
// Keeps the shirts given and fills the missing numbers of the side.
void AutoAssignShirtNumbers(int16_t club, int16_t substitutes, int16_t mode, int16_t competition);
// The same for the reserve list and the reserve shirt numbers.
void AutoAssignIntShirtNumbers(int16_t club, int16_t substitutes, int16_t mode, int16_t competition);
// The manager whose club is being picked.
extern uint16_t CurrentClubManager;
// The second pass over the club's squad lists after they are built.  Least
// form: the lists are left as built.
void ClubSquadPass2(int16_t club);
// The daily fitness change of the club's players before a match.  Least
// form: fitness is left as it is.
void PlayerFitnessDaily(int16_t club);
