// Friendlies the user arranges for his club.
#pragma once
#include <cstdint>

// Draws clubs of the nation at random and adds up to four friendlies
// (type 117) for the club, on today + 2, + 5, + 8 and + 11.
void ArrangeFriendly(int16_t club, int16_t nation);
// 1 when the club has no fixture of any kind today and the 13 days after.
int16_t IsFriendlyDateFree(int16_t club);
