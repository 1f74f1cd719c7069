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
// The first fallback of team selection: the best reserve-list player for a
// first-team slot, 0 when none.  Least form until the slot candidate
// search is built: the reserve list's available players of the slot's kind
// (keepers for slot 0, outfield players elsewhere) by their ability there.
uint16_t PickReserveForSlot(int16_t club, int16_t position, int16_t competitionType, int16_t sideMode);
// The second fallback, over the youth and then the reserve list.  Least
// form: the same search on those lists; 0 when they have nobody (the full
// search brings a player from outside on trial).
uint16_t PickSideForCompetition(int16_t club, int16_t position, int16_t competitionType, int16_t sideMode);
// For every human-run club, the player whose number its control value
// holds becomes its player-manager; the given players are not used.
void InstallHumanManagers(uint16_t a, uint16_t b);
