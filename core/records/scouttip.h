// Daily jobs for the user's club: the scouting tip and the squad's mood.
#pragma once
#include <cstdint>

// Now and then posts one tip (message 225) about a player of a club
// outside the nine playable countries who would suit the club.
void ScoutTipPlayer(int16_t club);
// The squad's happiness 0-100.
int16_t GetSquadHappinessPct(int16_t club);
