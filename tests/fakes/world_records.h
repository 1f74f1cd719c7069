// The generated world as player and club records, for tests that need the
// whole world before the new-game set-up exists to build it: clubs with
// their nation, division and reputation, and every shipped player at his
// club with attributes drawn around his ability; clubs are topped up with
// youth players to a squad of twenty, as a new game does.
#pragma once
#include <string>

// Reads "stats/totstat.dat" of the game folder and fills the records; the
// game's generator is seeded first, so the world is the same every time.
// Returns "" or what went wrong.
std::string LoadWorldRecords(const std::string& gameDir);
