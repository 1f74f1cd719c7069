// The season's day jobs that the calendar runs: the league season end and
// play-offs, national-team days, postponements, cup and European round
// days and the European entrants.
#pragma once
#include <cstdint>

#include "season/cupdays.h"
#include "season/european.h"
#include "season/friendlies.h"
#include "season/postponements.h"
#include "season/seasonend.h"

// The national-team fixtures of the day.
void ProcessInternationalDay();
