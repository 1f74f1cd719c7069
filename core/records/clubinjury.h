// The club table byte that bounds how many serious injuries a club's side
// may pick up in a predicted match (the byte less 18, within 0..2).
#pragma once
#include <cstdint>

// 0 for a club number outside 0..1199.
uint8_t GetClubInjuryByte(int16_t club);
