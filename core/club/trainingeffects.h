// The effects of a computer club's training on its squad.
#pragma once
#include <cstdint>

// `count` rounds of the club's training for every player of its roster
// (those it has out on loan too) who is fit and not away with his country.
void ApplyTrainingEffects(int16_t club, int16_t count);
