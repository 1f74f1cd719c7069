#include "season/calendar.h"

SeasonCalendarState SeasonCalendar = {0, 13, 6, 2002, 0, 0, {}, {}, {}};
