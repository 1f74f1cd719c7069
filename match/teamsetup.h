// Team set-up: the figures of both teams placed for each period.
#pragma once

// Sets the figures up for the period named by Period.  At the first period
// every player figure starts afresh from its squad entry: counters cleared,
// starters on the pitch with the match mark 50, bench places off it with 0
// when they are among the named substitutes, else 0xFF.
void Match_SetupPeriod();
