// Postponed and rearranged fixtures.
#pragma once
#include <cstdint>

// Adds the fixture of the slot again on a free day after the given day
// (the fixture's own day as a rule); the caller deletes the old entry.  A
// day is free when no national-team day lies on it, the home club has no
// competitive fixture and the away club no fixture on it.  No free day up
// to the country's league end day ends the program.
void FindNextFreeFixtureDay(int16_t day, int16_t slot);
