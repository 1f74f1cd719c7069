#include "core/match/matchratings.h"

MatchRatingRecord MatchRatingTable[kMatchRatingRows][kMatchRatingRecords];
