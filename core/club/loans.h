// Loan moves: a player joins a host club on agreed terms or on a short
// trial while his parent club keeps him.  While he is away his club field
// holds the host and his loan-club field the parent.
#pragma once
#include <cstdint>

constexpr int16_t kLongestLoanWeeks = 63;

// A loan on agreed terms: period in weeks (1..63), wage split 0 (the parent
// pays), 1 (half each) or 2 (the host pays), the first term flag and the
// six cup-eligibility flags.  The move is written into the histories and
// counts as a loan taken by the host.  A bad player, host, period or split,
// or a player without a club or already away, is refused with a log line.
void RecordPlayerLoanMove(uint16_t player, int16_t host, int16_t period, int16_t wageSplit, int16_t termFlag,
                          int16_t cupFlag0, int16_t cupFlag1, int16_t cupFlag2, int16_t cupFlag3,
                          int16_t cupFlag4, int16_t cupFlag5);
// A trial at the host for `period` weeks: the host pays, no cup ties, no
// history, not counted as a loan; the user is told of a player on his
// shortlist.  A player without a club may go on trial; otherwise refused
// as above.
void StartLoanTrial(uint16_t player, int16_t host, int16_t period);
