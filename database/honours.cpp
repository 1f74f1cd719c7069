#include "database/honours.h"

HonoursRow HonoursTable[9][50];
