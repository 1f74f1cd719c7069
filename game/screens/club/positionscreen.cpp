#include "game/screens/club/positionscreen.h"

uint16_t PositionScreenSelection = 0xFFFF;
int16_t PositionScreenPage = 0;
int16_t PositionScreenMode = 7;

void PositionScreen_Reset() {
    PositionScreenSelection = 0xFFFF;
    PositionScreenPage = 0;
    PositionScreenMode = 7;
}
