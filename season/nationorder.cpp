#include "season/nationorder.h"

uint16_t NationClubOrder[kCountryCount][kNationClubOrderSize];
