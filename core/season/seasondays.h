// The season's day jobs that the calendar runs: the league season end and
// play-offs, national-team days, postponements, cup and European round
// days and the European entrants.
#pragma once
#include <cstdint>

#include "core/season/cupdays.h"
#include "core/season/european.h"
#include "core/season/friendlies.h"
#include "core/season/postponements.h"
#include "core/season/seasonend.h"

// The national-team fixtures of the day.
void ProcessInternationalDay();
