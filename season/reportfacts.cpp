#include "season/reportfacts.h"

void RecordUserClubResult(int16_t) {}
