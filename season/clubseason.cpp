#include "season/clubseason.h"

ClubSeasonRecord LeagueSeasonRecords[kClubCount];
ClubSeasonRecord ReserveSeasonRecords[kClubCount];
