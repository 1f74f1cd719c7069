#include "management/matchdaynotices.h"

// Until the screens' flash queue is in place a flash is not shown.
void MatchDay_BuildMessageB(int16_t, int16_t) {}
void MatchDay_BuildMessageC(int16_t, int16_t, int16_t) {}
