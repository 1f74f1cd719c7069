#include "tests/onedef/plant.h"

short PlantedSum(short a, short b, short c) { return short(a + b + c + PlantedTwice(c)); }
