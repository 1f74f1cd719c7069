// Friendlies and national-team days: the fixtures that no league schedule
// or cup draw makes.
#pragma once
#include <cstdint>

// Draws clubs of the nation at random and adds up to four friendlies
// (type 117) for the club, on today + 2, + 5, + 8 and + 11.
void ArrangeFriendlies(int16_t club, int16_t nation);
// 1 when the club has no fixture of any kind today and the 13 days after.
int16_t IsFriendlyDateFree(int16_t club);

// The pre-season friendlies of computer clubs: a fixed number per nation in
// play, on days 10-23, home clubs from the nation's divisions 0-2, no club
// with two friendlies within two days.  The random draws are bounded; when
// a search runs out, no further friendlies are added.
void AddPreSeasonFriendlies();

// The national-team days of the season from the table of the calendar
// year modulo 4: up to nine pairings of nations a date (types 118, and 119
// on the day before for the under-21 sides), the top-division league
// fixtures of the nations that play moved out of the way.
void ScheduleNationalTeamDays();
