// In-match display state that start-up clears.
#pragma once
#include <cstdint>

extern int32_t InfoDisplayModeCounter;
extern int32_t InfoDisplayToggle;
extern int16_t MatchCameraValue;
void ResetMatchDisplayValues();
