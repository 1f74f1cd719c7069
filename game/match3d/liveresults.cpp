#include "game/match3d/liveresults.h"

#include "game/screens/engine/displaymaps.h"

LiveResultRow IgLeagueRows[kIgLeagueRows];

int16_t IgLeague_FillTable() {
    int16_t competition = -1;
    const int16_t count = IgRoundScores_Build(GetMatchMinute(), &competition);
    for (int i = 0; i < kIgLeagueRows; ++i) {
        const IgRoundScore& score = IgRoundScores[i];
        IgLeagueRows[i] = {score.homeClub, score.awayClub, score.homeGoals, score.awayGoals};
    }
    return count;
}

int16_t IgLeague_LiveResults(const LiveResultRow** rows) {
    *rows = IgLeagueRows;
    return IgLeague_FillTable();
}
