#include "match/simdisplay.h"

uint16_t SimMenuMode;
uint16_t SimMenuLine;
int8_t SideCurrentPlayer[2] = {-1, -1};
DecisionDisplayWords DecisionDisplay;
