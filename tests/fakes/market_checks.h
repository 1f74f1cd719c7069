// Checks of the transfer market's state, shared by the market tests and the
// whole-world runs (which call them every day).
#pragma once
#include <string>

// Every bid slot, bid short-list entry and pending deal names 0 or a player
// in use; the user's four pending contracts are 0 or distinct; every
// player's contract runs 0..60 months at a stored wage of at most 4000;
// no club in play has a negative transfer budget.  Returns "" when all
// hold, else the first fault found.
std::string CheckMarketInvariants();
