// A stand-in for the day's match play in season tests: every league and
// reserve-league fixture of today gets a random result, and both season
// record sets are recounted from the fixtures.
#pragma once

// Plays today's fixtures; returns how many got a result.
int ScoreTodaysFixtures();
