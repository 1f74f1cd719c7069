// The players' reaction to a team sheet: left out, starting or on the
// bench.
#pragma once
#include <cstdint>

// Least form until the daily squad pass and squad mood are built: the
// players do not react yet.
void PlayerSelectionReaction(int16_t club);
