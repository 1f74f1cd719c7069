// The board's look at the harmony of each squad.
#pragma once
#include <cstdint>

// On a review day: every league club's squad may be looked at (1 in
// reputation + 1).  A squad with no more home than foreign players loses
// morale; one split into two camps loses morale by the split, may make the
// news with a quarrel, and a computer club lists the player at the heart
// of it.
void SquadHarmonyReview();
// How split a squad list is into two camps by attribute 21: (other + 1) x
// 100 / (same + 1); 30 or more counts as split.
int32_t SquadCampSplit(const uint16_t* players, int count);
