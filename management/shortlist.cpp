#include "management/shortlist.h"

uint16_t Shortlist[18];
