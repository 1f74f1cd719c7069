#include "management/trainingeffects.h"

// Least form until training and player development are built: training
// leaves the squad as it is.
void ApplyTrainingEffects(int16_t, int16_t) {}
