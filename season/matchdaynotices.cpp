#include "season/matchdaynotices.h"

// Least form until the match-day screens keep the day's notices (they will
// reach them through a core hook): the options are off and nothing is
// queued.
int16_t MatchDay_NoticesOn() { return 0; }
void MatchDay_BuildMessageA(int16_t, uint16_t) {}
void MatchDay_BuildReport(uint16_t, int16_t, int32_t, int32_t, int16_t) {}
