// The players' reaction to a team sheet: left out, starting or on the
// bench.
#pragma once
#include <cstdint>

// Every fit player of the club who plays for it reacts to the shirts just
// handed out (1..11 starting, 12..16 on the bench, 0 left out): sharpness,
// the weeks out of the side, morale and, for the ambitious, a transfer
// request.
void PlayerSelectionReaction(int16_t club);
// The wait in matches out before an ambitious player (ambition 4..7) may
// ask to leave: (7 - ambition) cubed, at least 9.
int32_t SelectionPatience(int ambition);
