#include "season/seasondays.h"

// These jobs have no effect yet: the season runs on its leagues alone until
// the cups, play-offs, national teams and weather are in place.
void LeagueSeasonEnd(int16_t) {}
void AddPlayOffFinals(int16_t) {}
void ProcessInternationalDay() {}
void ScheduleNationalTeamDays() {}
void AddPreSeasonFriendlies() {}
void ProcessPostponements() {}
void ProcessCompetitionDay() {}
void SetUpEuropeanEntrants() {}
void ShuffleEuropeanOrder() {}
