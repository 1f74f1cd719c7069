// The club side of every game day: the six daily passes over the player
// table and the weekly wage, loan and ban passes.
#pragma once
#include <cstdint>

// The six daily passes in their fixed order with a poll around each:
// unrest, transfer requests, bids, random injuries, recovery, incidents.
void RunDailyJobPasses();
// Weekday 2: each player ages a week; his wage (the week's pay is wage x
// 25) is paid by his club, or by his parent club as the loan's split says.
// A broke human club lists its unpaid players (one message 292 in all); a
// broke computer club is helped with twice the unpaid pay.  No wages are
// paid from 35 days after the nation's league end day.
void PayWeeklyPlayerWages();
// Weekday 2: the weeks-at-club counters rise and loans count down; an
// ended loan sends the player back, the host may bid to keep him.
void WeeklyLoanPass();
// Weekday 1: the wait before a new suspension is served counts down.
void WeeklyBanPass();
// Empties the event log.
void EventLog_ClearAll();
