#include "core/match/playeractions.h"

int16_t KickOffTicks;
int16_t KickOffWaitCount;

void Match_ActNothing(int16_t) {}
