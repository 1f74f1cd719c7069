// The trial move of a player brought in to complete a side.
#pragma once
#include <cstdint>

// Moves the player to the club on a trial of `weeks` weeks: the club pays
// him, he plays for it while his old club (if any) stays his parent club,
// his shirts are cleared and he gets a free squad number of the club whose
// lists are built.  Least form of the full club-change check: the trial
// terms only, without notices.
void CheckPlayerClubChange(uint16_t player, int16_t club, int16_t weeks);
