// The in-match league panel's live results: the other matches of the user's
// division today.  The results ticker of the title bar reads them.
#pragma once
#include <cstdint>

#include "season/news.h"

constexpr int kIgLeagueRows = 16;

extern LiveResultRow IgLeagueRows[kIgLeagueRows];

// Fills the rows with today's league fixtures of the user's division (an
// unplayed match shows 0 - 0) and returns the number of rows; the rest are
// empty.
int16_t IgLeague_FillTable();
// IgLeague_FillTable in the form of the core's live-results hook.
int16_t IgLeague_LiveResults(const LiveResultRow** rows);
