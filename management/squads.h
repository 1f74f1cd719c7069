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
