#include "match/matchratings.h"

MatchRatingRecord MatchRatingTable[kMatchRatingRows][kMatchRatingRecords];
