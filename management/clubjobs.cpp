#include "management/clubjobs.h"

// Until the club jobs are in place the day passes without them.
void ProcessSquadTrainingDay() {}
