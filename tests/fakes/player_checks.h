// Checks of the player population for the whole-world multi-season runs:
// the table never overflows, and the attributes and ages of the players
// with a club keep their level from season to season.
#pragma once
#include <cstdint>
#include <string>

struct PlayerPopulationMeans {
    double stat[28] = {};  // stats 0..27 as the game reads them, no bonus
    double age = 0;        // stored age (years - 16)
    int32_t players = 0;   // players with a club that were measured
};

// Means over every player in use who plays for a club.
PlayerPopulationMeans MeasurePlayerPopulation();

// "" when the player count is within the table and every mean of `now`
// lies less than `limit` from `start`; else the first fault found.
std::string CheckPlayerPopulation(const PlayerPopulationMeans& start, const PlayerPopulationMeans& now,
                                  double limit = 1.0);
