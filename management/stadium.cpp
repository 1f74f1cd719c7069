#include "management/stadium.h"

// Stands keep their size until the redevelopment plans exist.
void HumanGroundRedevelopment(int16_t club) { (void)club; }
