// The computer clubs' squad reshuffle: before a computer club's squad lists
// are built, its best available players, picked slot by slot along the
// manager's formation, are flagged for the first team; the rest go to the
// reserves, with youth players promoted where a reserve slot needs them.
#pragma once
#include <cstdint>

// code: the competition of the club's next fixture as the fixture queries
// give it (a cup registration slot 0..6, 117 a friendly) or -1 for none.
void ReshuffleComputerSquad(int16_t club, int16_t code);
// The best player of the working list for a wanted position 0..12 in side
// mode 0..3; 0 when none qualifies.
uint16_t PickSquadPlayerForPosition(int16_t position, int16_t mode, int16_t club);
