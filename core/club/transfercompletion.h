// Transfer completion: the one place where a permanent transfer takes
// effect.
#pragma once
#include <cstdint>

// Moves the player from the club that owns him (-1: a free agent) to the
// buyer for the fee (below 1000 counts as nothing): the buyer pays, the
// seller receives the fee less a levy of 17% and any sell-on share, the
// histories, records and transfer log are written and the player starts
// afresh at his new club.  A clause above 0 gives the seller that sell-on
// percentage of his next fee.  A bad player, buyer, fee or clause, or a
// buyer who already owns the player, is refused with a log line.
void CompleteTransfer(uint16_t player, int16_t buyer, int32_t fee, int16_t clause);
// The older name of the same move.
inline void TransferPlayer(uint16_t player, int16_t club, int32_t price, int16_t clause) {
    CompleteTransfer(player, club, price, clause);
}
// Empties every entry naming the player in the bid short lists of every
// club in play.
void RemoveFromAllBidShortLists(uint16_t player);
