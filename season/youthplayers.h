// The season's new players: a retired player's record slot is taken over
// by a new young player.
#pragma once
#include <cstdint>

// Hands a retired player's slot to the new-player code.
void ReplaceRetiredPlayer(uint16_t player);
