// The effects of a club's training on its squad.
#pragma once
#include <cstdint>

// `days` days of the club's training applied to its squad.
void ApplyTrainingEffects(int16_t club, int16_t days);
