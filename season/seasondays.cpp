#include "season/seasondays.h"

// These jobs have no effect yet: the season runs on its leagues alone until
// the cups and the national teams are in place.
void ProcessCompetitionDay() {}
