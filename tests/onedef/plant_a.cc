#include "tests/onedef/plant.h"
#include "tests/onedef/plant_again.h"

short PlantedSum(short a, short b) { return short(a + b); }

int PlantedTwice(long a) { return int(a); }

long PlantedDeclared(long a) { return a + 1; }
