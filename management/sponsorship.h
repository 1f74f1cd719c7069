// Season sponsorship paid by the board.
#pragma once
#include <cstdint>

// The full sponsorship of a club of the nation's division, less the
// deduction for its standing class (0..8).  A class of 9 or more is fatal.
int32_t GetSponsorshipAmount(int16_t nation, uint16_t standingClass, int16_t division);
