// The computer clubs' signing plan after a squad evaluation, the terms of
// an agreed loan, and the clubs' growing interest in a player they have
// seen play.
#pragma once
#include <cstdint>

// Turns the needs of the club's last squad evaluation into searches for
// transfer targets.
void PlanTrainingPassSignings(int16_t club);
// The loan terms of an agreed loan bid (wage split by what the host can
// pay, cup flags, length) and the move itself.
void PrepareLoanTerms(uint16_t player, int16_t club);
// The loan length in weeks PrepareLoanTerms gives (at least 1).
int16_t LoanLengthWeeks(uint16_t player, int16_t club, int16_t wageClass);
// Raises every club's short-list interest in the player by delta.
void AddShortListInterest(uint16_t player, int16_t delta);
inline void AddBidShortListPoints(uint16_t player, int16_t points) { AddShortListInterest(player, points); }
