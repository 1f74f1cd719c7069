// The slot picker of a club's reserve side.
#pragma once
#include <cstdint>

// The reserve-list player for one formation slot (position 0..12, slot kind
// 0..3); relaxed 1 for substitute slots.  With nobody suitable the fallback
// picker of the season code brings one (passValue is handed to it).  A
// negative club ends the program.
// The rating the reserve-side picker gives a player for a slot.
int64_t RateReserveSidePlayer(uint16_t player, int16_t position, int16_t kind, int16_t relaxed);
uint16_t PickReserveSidePlayer(int16_t position, int16_t kind, int16_t club, int16_t relaxed,
                               int16_t passValue);
