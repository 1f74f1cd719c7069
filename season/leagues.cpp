#include "season/leagues.h"

DivisionLayoutEntry DivisionLayout[kCountryCount][kDivisionCount];
