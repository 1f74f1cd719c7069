// Query layer: the standings of a European group (the third competition's
// group stage), built from the played group matches.
#pragma once
#include <cstdint>

// One row: club, games played, home won, drawn, lost, goals for, against,
// away won, drawn, lost, goals for, against, points.
constexpr int kGroupStandingRows = 4;
constexpr int kGroupStandingWords = 13;
enum GroupStandingWord : int {
    kGroupClub = 0,
    kGroupPlayed = 1,
    kGroupHomeWon = 2,
    kGroupHomeDrawn = 3,
    kGroupHomeLost = 4,
    kGroupHomeFor = 5,
    kGroupHomeAgainst = 6,
    kGroupAwayWon = 7,
    kGroupAwayDrawn = 8,
    kGroupAwayLost = 9,
    kGroupAwayFor = 10,
    kGroupAwayAgainst = 11,
    kGroupPoints = 12,
};
using GroupStandings = int16_t[kGroupStandingRows][kGroupStandingWords];

// The group's four rows from its played matches of the stage (0 or 1) up to
// today, ordered when any match counted; a stage of 2 or more or a group
// outside 0-7 leaves the rows untouched.
void BuildGroupStandings(GroupStandings standings, int16_t group, int16_t stage);
// Orders the rows by points, goal difference and goals scored; clubs still
// level by their matches of the stage against each other before the day.
void SortGroupStandings(GroupStandings standings, int16_t day, int16_t stage, int16_t group);
