// The other scores of the day: while the user's match is played, the
// matches of his competition played earlier the same day, with their goals
// up to a given minute, from the fixture table and the match event log.
#pragma once
#include <cstdint>

constexpr int kIgRoundScoreEntries = 100;

// An entry past the filled count holds 65535 (-1) in all four words.
struct IgRoundScore {
    int16_t homeClub;
    int16_t awayClub;
    int16_t homeGoals;
    int16_t awayGoals;
};
extern IgRoundScore IgRoundScores[kIgRoundScoreEntries];
extern int16_t IgRoundScoreCount;

// Lists the fixtures of today before the user's in the table, of his
// fixture's competition, without his club, at most 100, with the goals the
// event log holds for them up to the minute (a goal of minute m counts for
// m).  The competition of his fixture goes to *competition (-1 when he has
// none today, and then the list is empty).  Returns the count.
int16_t IgRoundScores_Build(int16_t minute, int16_t* competition);
