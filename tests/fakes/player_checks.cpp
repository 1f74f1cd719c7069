#include "tests/fakes/player_checks.h"

#include <cmath>
#include <cstdio>

#include "core/records/ranges.h"
#include "core/records/records.h"

PlayerPopulationMeans MeasurePlayerPopulation() {
    PlayerPopulationMeans means;
    double sums[kStatCount] = {};
    double ages = 0;
    for (uint16_t p = 1; p < PlayerCount && p < kMaxPlayers; ++p) {
        if (!IsClubNumber(GetPlayerClub(p))) continue;
        for (int16_t s = 0; s < kStatCount; ++s) sums[s] += GetPlayerStat(p, s, 0);
        ages += GetPlayerAge(p);
        ++means.players;
    }
    if (means.players == 0) return means;
    for (int s = 0; s < kStatCount; ++s) means.stat[s] = sums[s] / means.players;
    means.age = ages / means.players;
    return means;
}

std::string CheckPlayerPopulation(const PlayerPopulationMeans& start, const PlayerPopulationMeans& now,
                                  double limit) {
    char text[160];
    if (PlayerCount > kMaxPlayers) {
        std::snprintf(text, sizeof text, "player count %d beyond the table of %d", int(PlayerCount),
                      kMaxPlayers);
        return text;
    }
    for (int s = 0; s < kStatCount; ++s) {
        if (std::fabs(now.stat[s] - start.stat[s]) >= limit) {
            std::snprintf(text, sizeof text, "mean of stat %d moved from %.2f to %.2f", s, start.stat[s],
                          now.stat[s]);
            return text;
        }
    }
    if (std::fabs(now.age - start.age) >= limit) {
        std::snprintf(text, sizeof text, "mean age moved from %.2f to %.2f", start.age, now.age);
        return text;
    }
    return "";
}
