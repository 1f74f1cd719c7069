#include "season/clubseason.h"

#include <initializer_list>

ClubSeasonRecord LeagueSeasonRecords[kClubCount];
ClubSeasonRecord ReserveSeasonRecords[kClubCount];

void ResetClubSeasonRecords() {
    for (ClubSeasonRecord* table : {LeagueSeasonRecords, ReserveSeasonRecords}) {
        for (int club = 0; club < kClubCount; ++club) {
            for (int w = 0; w < kSeasonPlace; ++w) table[club].words[w] = 0;
        }
    }
}
