// Season-side player notes the club code asks for: the news line of a
// player who wants to move, and listing an unpaid or unhappy player.
#pragma once
#include <cstdint>

// A news line about the player at the club (the value weighs it).
void DrawPlayerNewsLine(int16_t club, uint16_t player, int16_t value);
// Puts the player on the transfer list with a transfer request; his fans
// cool by a quarter.  Nothing for a player-manager or a manager.
void ListPlayerForTransfer(uint16_t player, int16_t value);
