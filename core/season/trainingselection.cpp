#include "core/season/trainingselection.h"

uint16_t TrainingSelection[2] = {65535, 65535};

void ResetTrainingSelection() {
    TrainingSelection[0] = 65535;
    TrainingSelection[1] = 65535;
}
