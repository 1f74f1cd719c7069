// The board's view of the clubs and of the user's manager.
#pragma once
#include <cstdint>

// The club of player 1, the user's manager; -1 when he has none.
int16_t GetUserClub();
