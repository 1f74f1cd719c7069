// Query layer: the players the user has approached (newest first, 0 =
// empty), kept in the recent-values list.
#pragma once
#include <cstdint>

// Puts the player at the front of the list, the others moving down one;
// 0 and nothing changed when the list's last place is already taken.
int16_t HVW_AddApproachedPlayer(int16_t unused, uint16_t player);
