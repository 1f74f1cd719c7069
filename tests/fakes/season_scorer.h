// A stand-in for the day's match play in season tests: every league and
// reserve-league fixture of today gets a random result, and both season
// record sets are recounted from the fixtures.
#pragma once

// Plays today's fixtures; returns how many got a result.
int ScoreTodaysFixtures();

// Plays today's play-off, season-match and cup fixtures: a random result
// block for each, with a shoot-out when the match's rules ask for one and
// the tie is level, stored in the fixture and booked by its competition.
// Returns how many were played.
int PlayTodaysCupFixtures();
