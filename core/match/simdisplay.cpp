#include "core/match/simdisplay.h"

uint16_t SimMenuMode;
uint16_t SimMenuLine;
int8_t SideCurrentPlayer[2] = {-1, -1};
DecisionDisplayWords DecisionDisplay;
uint16_t InMatchRequest;
int32_t GameSpeedSetting;
uint16_t EventMarker = 0xFFFF;
uint16_t SideInputDirection[2] = {255, 255};
uint16_t SideInputButtons[2];
