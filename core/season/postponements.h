// Postponed and rearranged fixtures.
#pragma once
#include <cstdint>

// Adds the fixture of the slot again on a free day after the given day
// (the fixture's own day as a rule) and reports whether it did.  A day is
// free when no national-team day lies on it, the home club has no
// competitive fixture and the away club no fixture on it; the search ends
// at the country's league end day.  When no day is free (or the table is
// full) nothing is added, a warning is logged and the answer is false: the
// caller then keeps the old entry, which it deletes only after a move.
bool FindNextFreeFixtureDay(int16_t day, int16_t slot);

// Moves the fixture of the slot to a free later day and deletes the old
// entry; false (nothing changed) when it could not be moved.
bool MoveFixtureToFreeDay(int16_t slot);

// Winter weather: from November to February some of today's league
// fixtures are called off at grounds with little cover and rearranged,
// with a message to the home club.
void ProcessPostponements();

// Clears the way for a one-off match of the club on the day: a
// national-team day or the club's competitive fixture that stands on it is
// moved to a free later day, its two clubs are told (message 147) and the
// old entry deleted.  A fixture that cannot move stays (logged).
void ClearClashOnDay(int16_t club, int16_t day);
