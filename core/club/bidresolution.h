// Bid resolution: the daily pass that counts each player's bid wait down
// and, on his decision day, picks the best bid, lets his club or the player
// turn it down, and completes the transfer or loan or hands a human club's
// win to the user's contract talks.
#pragma once
#include <cstdint>

#include "core/records/usertransfers.h"

// Percentages by stored age 0..30 (age in years - 16): how much a player's
// reputation makes his club hold on to him.
constexpr int kBidAgeFactors = 31;
extern const int16_t BidAgeFactor[kBidAgeFactors];
// The factor of any stored age; 0 beyond the table.
int16_t BidAgeFactorOf(int age);

// The four players (0 = free) waiting for the user to agree a contract
// after his club's bid was accepted; saved with the game.

void ResolveTransferBids();
