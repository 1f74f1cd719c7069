// The trial move of a player brought in to complete a side.
#pragma once
#include <cstdint>

// Moves the player to the club on a trial of `weeks` weeks (the loan trial
// of the loan moves, with its notice and the user's shortlist news): the
// club pays him and he plays for it while his old club, if he has one,
// stays his parent club.
void CheckPlayerClubChange(uint16_t player, int16_t club, int16_t weeks);
