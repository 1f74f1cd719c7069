// Slot candidates for team selection: when the club's first-team list has
// nobody for a slot, the slot picker asks here for the best player of the
// club's reserve list, then of its youth list, and as a last resort brings
// in an outside player on trial so that the side can still be completed.
#pragma once
#include <cstdint>

// The best player of the reserve list for a slot of the position (0..12)
// in the competition; 0 when nobody qualifies.  The preference (0..3, the
// side mode of the slot) does not weight the score.
uint16_t PickSlotFromSecondList(int16_t club, int16_t position, int16_t competition, int16_t preference);
// The same over the youth list; when nobody there qualifies, an outside
// player found by FindSpareSidePlayer joins the club on trial.  0 only when
// no player of the whole game qualifies.
uint16_t PickSlotFromThirdList(int16_t club, int16_t position, int16_t competition, int16_t preference);
// A player who may be brought to the club for the side: type 0 asks for a
// goalkeeper, any other type for an outfield player.  0 (logged) when none
// exists.
uint16_t FindSpareSidePlayer(int16_t club, int16_t type, int16_t competition, int16_t side);

// The score of a candidate for a slot of the position: his attributes by
// the position's weights, then his morale, fitness and tiredness, playing
// out of his group; an outfield player scores 0 for the goalkeeper's slot.
int64_t ScoreSlotCandidate(uint16_t player, int16_t position);
