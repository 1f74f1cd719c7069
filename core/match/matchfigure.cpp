#include "core/match/matchfigure.h"

MatchFigure MatchFigures[kMatchFigureCount];
