#include "match/matchfigure.h"

MatchFigure MatchFigures[kMatchFigureCount];
