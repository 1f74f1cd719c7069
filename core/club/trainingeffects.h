// The effects of a computer club's training on its squad.
#pragma once
#include <cstdint>

// `count` rounds of the club's training for every player of its roster who
// plays for it, is fit and is not away with his country.
void ApplyTrainingEffects(int16_t club, int16_t count);
