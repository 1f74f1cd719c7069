// Player unrest and transfer requests: players of the league nations grow
// restless at clubs below their level or when they play less, ask for a
// transfer, may walk out, and withdraw the request once happy again.
#pragma once
#include <cstdint>

// Daily, over a sample of players, once the first league has run 20 days.
void PlayerUnrestPass();
// Daily, each player once a week (his number modulo 7 is the weekday).
void TransferRequestPass();
// 1 when today lies in one of the nation's request blackouts.
bool InRequestBlackout(int nation, int today);
