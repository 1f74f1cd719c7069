// The two training selection words of the calendar screen.
#pragma once
#include <cstdint>

extern uint16_t TrainingSelection[2];
// Sets both words to 65535 (nothing selected).
void ResetTrainingSelection();
