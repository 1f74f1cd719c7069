// The user's shortlist: up to 18 players he is watching.  Adding fills the
// first empty slot and leaves gaps where they are; removing packs the slots
// that follow the removed one.
#pragma once
#include <cstdint>

constexpr int kShortlistSlots = 18;

// 18 player numbers, 0 empty.  Saved with the game.
extern uint16_t Shortlist[kShortlistSlots];

// The player in slot 0..17 (0 for an empty slot); any other index ends the
// program.
uint16_t ShortList_GetPlayer(int16_t index);
// 1 when the player (never player 0) stands on the list.
int16_t ShortList_IsPlayerOn(uint16_t player);
// 1 when the player was added; 0 for player 0, a player already listed or
// a full list.
int16_t ShortList_Add_Player(uint16_t player);
// 1 when the player was on the list and is removed.
int16_t ShortList_RemovePlayer(uint16_t player);
void ShortList_Clear();
