#include "season/calendar.h"

SeasonCalendarState SeasonCalendar = {0, 13, 6, 2002, 0, 0, {}, {}, {}};
int16_t CompetitionDayWords[10];
int16_t CompetitionDayWord;
int16_t DailyJobsWord;
int16_t DailyJobsWord2;
