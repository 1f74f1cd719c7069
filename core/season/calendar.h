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
    // The day country 1's top and bottom groups start to play apart; 0 in
    // the countries without a split.  It is also the nation's fitness
    // cut-off of the reserve side (from it on an unfit reserve plays only in
    // a relaxed pick), so in those countries fitness counts all season.
    int16_t splitDay[kCountryCount];
};

// The pre-season mark, the same in every country: a pre-season starts with
// its season.  From it up to the country's league start day a player short
// of fitness counts as not available.
constexpr int16_t kPreSeasonMark = 0;

extern SeasonCalendarState SeasonCalendar;

// The next round day of each competition, kept beside the calendar.
extern int16_t CompetitionDayWords[10];
// The league day counter: days passed since country 0's league start day,
// cleared when a season's fixtures are laid out.
extern int16_t CompetitionDayWord;
// The day's job flag word, cleared on every real day.
extern int16_t DailyJobsWord;
// The month slot 0..11: where this month's league positions are recorded.
extern int16_t DailyJobsWord2;

// Per nation three (start, end) pairs of day offsets from the nation's
// league start day: while today lies in one (from start to end, or, for an
// end not after the start, from start on and up to end) players make no
// new transfer requests.  A new game sets them (ResetRequestBlackout).
constexpr int kRequestBlackouts = 3;
extern int16_t RequestBlackout[kCountryCount][kRequestBlackouts][2];
void ResetRequestBlackout();

// The four date words, as the season set-up saves and restores them.
struct CalendarDate {
    int16_t weekday, dayOfMonth, month, year;
};
CalendarDate SaveCalendarDate();
void RestoreCalendarDate(const CalendarDate& date);

// Days in a month (0 = January) of a year; February has 29 in years
// divisible by 4.
int CalendarMonthLength(int month, int year);

// The date advance of one day and, for a real day (1), the club jobs of
// the day; set-up passes 0 and only moves the date words.  The day number
// itself is the caller's.
void RunDailyClubJobs(int16_t realDay);
// While kept (the fixture lay-out, whose set-up days change no player), the
// set-up days' month ends rebuild the rosters once and then leave them as
// that rebuild made them.  Switching it on or off forgets that rebuild.
void KeepSetUpRosters(bool keep);

// Ends the current day, after its fixtures: the tables are sorted, each
// country's split, league end and play-off days run, the date and the day
// number move on with the day's club, national-team, postponement and
// competition jobs, and day 366 (365 in a year without 29 February) starts
// the next season.
void AdvanceDay();
// The end of a season: the next season's honours row, holders, entrants,
// an empty fixture table and new records, the fixtures laid out, squads
// and finances made ready.
void NewSeasonStep();
// Every club's average attendance and season loan count back to 0, as a
// new season and a new game start them.
void ClearClubSeasonAttendance();

// Sets up a new game: the calendar starts again at day 0 of season 0
// (Saturday 13 July 2002).
void NewGameSetUp();
