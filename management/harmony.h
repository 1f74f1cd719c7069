// The board's look at the harmony of each squad.
#pragma once
#include <cstdint>

// Daily with a chance of 1 in 7: squads split between home and foreign
// players lose morale, troublemakers are listed.
void SquadHarmonyReview();
