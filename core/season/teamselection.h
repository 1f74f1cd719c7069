// Team selection helpers of the season code that the screens reach.
#pragma once
#include <cstdint>

// Players of the last built first-team list whose playing position is the
// given one, counted by the three position groups (the keeper and
// defenders, midfield, attack).
int16_t PickPlayersForPosition1(int16_t position);
int16_t PickPlayersForPosition2(int16_t position);
int16_t PickPlayersForPosition3(int16_t position);
// Entry 0..31 of the last built first-team list; 0 outside it.
int16_t GetSquadEntry(int16_t index);
