// The season calendar: today's day number, the season number and the date
// words.  Saved with the game, one word per block.
#pragma once
#include <cstdint>

constexpr int kCountryCount = 9;

struct SeasonCalendarState {
    int16_t weekday;     // 0..6, 0 = Saturday
    int16_t dayOfMonth;  // 1..31
    int16_t month;       // 0..11
    int16_t year;        // calendar year of today
    int16_t currentDay;  // 0 = 13 July; 366 or more ends the season
    int16_t season;      // calendar year of day 0 = 2002 + season
    int16_t leagueStartDay[kCountryCount];
    int16_t leagueEndDay[kCountryCount];
    int16_t splitDay[kCountryCount];
};

extern SeasonCalendarState SeasonCalendar;

// The next round day of each competition, kept beside the calendar.
extern int16_t CompetitionDayWords[10];
// The competition-day word and the daily-jobs words of the day advance.
extern int16_t CompetitionDayWord;
extern int16_t DailyJobsWord;
extern int16_t DailyJobsWord2;

// Ends the current day: the daily check of the formation tables, then the
// date words and the day number move on one day; day 366 starts the next
// season.
void AdvanceDay();
// Sets up a new game: the calendar starts again at day 0 of season 0
// (Saturday 13 July 2002).
void NewGameSetUp();
