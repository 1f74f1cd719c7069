#include "tests/onedef/plant.h"

short PlantedSum(short a, short b) { return short(a + b); }

int PlantedTwice(long a) { return int(a); }
