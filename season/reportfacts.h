// Match report facts: what the season remembers of the user's matches for
// the report and news sentences.
#pragma once
#include <cstdint>

// After the fixture's score is stored: the user's record against the
// opponent.  Least form until the report facts are built: nothing is kept.
void RecordUserClubResult(int16_t slot);
