// Checks of the daily club jobs' state, for the whole-world runs (which
// call them every day) and the daily job tests.
#pragma once
#include <string>

// Balances 0..134,217,727; every injured player has a type of the injury
// table and a period of at most 127, and fewer than 10% of the players with
// a club are injured; suspensions at most 31; every player on loan has two
// different clubs in play (a trialist may come without a club), a period 1..63 and a wage split 0..2; no
// transfer log record names the same club as seller and buyer.  Returns ""
// when all hold, else the first fault found.
std::string CheckDailyJobInvariants();
// Transfer log records written since the write index stood at `from`
// (counting a wrap of the ring).
int CountTransfersSince(unsigned from);
// The squads' state the season roll and the squad passes keep: at most
// 46,000 players, morale and contract months 0..60 for everyone, no club
// with two managers; after a roll (afterRoll) no loans and no shirts.
std::string CheckSquadRollInvariants(bool afterRoll);
