// The season's day jobs that the calendar runs: the league season end and
// play-offs, national-team days, postponements, cup and European round
// days and the European entrants.
#pragma once
#include <cstdint>

// On a country's league end day: titles, promotion, relegation, play-offs.
void LeagueSeasonEnd(int16_t country);
// Seventeen days after the league end day: the play-off finals.
void AddPlayOffFinals(int16_t country);
// The national-team fixtures of the day.
void ProcessInternationalDay();
// Lays out the national-team days of the season.
void ScheduleNationalTeamDays();
// The pre-season friendlies of every club.
void AddPreSeasonFriendlies();
// Winter postponements of the day.
void ProcessPostponements();
// Cup and European round days: draws and fixtures.
void ProcessCompetitionDay();
// The European entrant lists of the new season and their order.
void SetUpEuropeanEntrants();
void ShuffleEuropeanOrder();
