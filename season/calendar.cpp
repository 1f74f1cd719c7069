#include "season/calendar.h"

SeasonCalendarState SeasonCalendar = {0, 13, 6, 2002, 0, 0, {}, {}, {}};
int16_t CompetitionDayWords[10];
int16_t CompetitionDayWord;
int16_t DailyJobsWord;
int16_t DailyJobsWord2;

#include "database/query/funcs_dates.h"
#include "management/tactics.h"
#include "management/transferprices.h"
#include "match/matchsetup.h"
#include "season/unrest.h"

namespace {

constexpr int kSeasonEndDay = 366;

int MonthLength(int month, int year) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 1 && year % 4 == 0 ? 29 : kDays[month];
}

}  // namespace

void AdvanceDay() {
    HVW_CheckFormationTotal();
    SeasonCalendarState& c = SeasonCalendar;
    c.weekday = int16_t((c.weekday + 1) % 7);
    if (++c.dayOfMonth > MonthLength(c.month, c.year)) {
        c.dayOfMonth = 1;
        if (++c.month > 11) {
            c.month = 0;
            ++c.year;
        }
    }
    if (++c.currentDay >= kSeasonEndDay) {
        c.currentDay = 0;
        ++c.season;
        // Managers may have moved: each club plays its new manager's shape.
        InitClubTacticPresets();
    }
    ProcessPendingPlayerEvents();
}

void NewGameSetUp() {
    SeasonCalendar.weekday = 0;
    SeasonCalendar.dayOfMonth = 13;
    SeasonCalendar.month = 6;
    SeasonCalendar.year = 2002;
    SeasonCalendar.currentDay = 0;
    SeasonCalendar.season = 0;
    InitCustomTactics();
    InitClubTacticPresets();
    PendingDeal_ClearAll();
}
