#include "season/calendar.h"

SeasonCalendarState SeasonCalendar = {0, 13, 6, 2002, 0, 0, {}, {}, {}};
int16_t CompetitionDayWords[10];
int16_t CompetitionDayWord;
int16_t DailyJobsWord;
int16_t DailyJobsWord2;

#include "database/query/funcs_dates.h"
#include "management/squads.h"
#include "management/tactics.h"
#include "management/transferprices.h"
#include "match/matchsetup.h"
#include "season/unrest.h"

namespace {

constexpr int kSeasonEndDay = 366;
constexpr int kSeasonStartMonth = 6;  // July
constexpr int kSeasonStartDayOfMonth = 13;

}  // namespace

int CalendarMonthLength(int month, int year) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 0 || month > 11) return 31;
    return month == 1 && year % 4 == 0 ? 29 : kDays[month];
}

CalendarDate SaveCalendarDate() {
    const SeasonCalendarState& c = SeasonCalendar;
    return {c.weekday, c.dayOfMonth, c.month, c.year};
}

void RestoreCalendarDate(const CalendarDate& date) {
    SeasonCalendar.weekday = date.weekday;
    SeasonCalendar.dayOfMonth = date.dayOfMonth;
    SeasonCalendar.month = date.month;
    SeasonCalendar.year = date.year;
}

int16_t SeasonDayOfDate(int dayOfMonth, int month) {
    const int firstYear = 2002 + SeasonCalendar.season;
    int day = 0;
    int m = kSeasonStartMonth, year = firstYear, dom = kSeasonStartDayOfMonth;
    // Whole months up to the date's month, then its days.
    while (m != month) {
        day += CalendarMonthLength(m, year) - dom + 1;
        dom = 1;
        if (++m > 11) {
            m = 0;
            ++year;
        }
    }
    return int16_t(day + dayOfMonth - dom);
}

bool IsChristmasDay(int day) { return day == SeasonDayOfDate(25, 11); }

void AdvanceDay() {
    HVW_CheckFormationTotal();
    SeasonCalendarState& c = SeasonCalendar;
    c.weekday = int16_t((c.weekday + 1) % 7);
    if (++c.dayOfMonth > CalendarMonthLength(c.month, c.year)) {
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

void RunDailyClubJobs(int16_t realDay) {
    SeasonCalendarState& c = SeasonCalendar;
    const int monthLength = CalendarMonthLength(c.month, c.year);
    if (c.dayOfMonth < monthLength) {
        ++c.weekday;
        ++c.dayOfMonth;
        if (c.weekday > 6) c.weekday = 0;
        (void)realDay;
        return;
    }
    // The last day of a month: no weekly jobs on this step.
    c.weekday = int16_t((c.weekday + 1) % 7);
    ++c.month;
    RebuildAllRosters();
    if (c.month > 11) {
        c.month = 0;
        ++c.year;
    }
    c.dayOfMonth = 1;
}
