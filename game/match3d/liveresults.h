// The in-match live results: the other matches of the user's competition
// today with their scores so far.  The results ticker of the title bar
// reads them.
#pragma once
#include <cstdint>

#include "core/season/news.h"
#include "game/match3d/dayscores.h"

constexpr int kIgLeagueRows = kIgRoundScoreEntries;

extern LiveResultRow IgLeagueRows[kIgLeagueRows];

// Fills the rows with the other scores of the day up to the shown match
// minute and returns the number of rows; the rest are empty.
int16_t IgLeague_FillTable();
// IgLeague_FillTable in the form of the core's live-results hook.
int16_t IgLeague_LiveResults(const LiveResultRow** rows);
