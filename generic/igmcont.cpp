#include "generic/igmcont.h"

int32_t InfoDisplayModeCounter = 0;
int32_t InfoDisplayToggle = 0;
int16_t MatchCameraValue = 0;

void ResetMatchDisplayValues() {
    InfoDisplayModeCounter = 0;
    InfoDisplayToggle = 0;
    MatchCameraValue = 0;
}
