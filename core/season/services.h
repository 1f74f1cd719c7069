// Small services of the calendar, competition and squad screens and the
// long season loops: date conversion, competition checks, a club's season
// money, squad counts, fixture captions and the run-on stop checks.
#pragma once
#include <cstdint>

// The season day (13 July = 0) of a date (month 0-11); -1 for a date that
// cannot be, -2 for one that does not convert back.  The year goes to the
// leap-year test and to the conversion back.
int16_t HVW_DateToDayNumber(int16_t day, int16_t month, int16_t year);
// 1 for a competition code the calendar shows: the league codes, friendlies,
// national-team days and the cups the viewed country has; 0 otherwise.
int16_t IsCalendarCompetition(int16_t comp);
// The first competition code of cup 0-6; -1 for another number.
int16_t GetCupFirstCode(int16_t cup);
// The day of the competition's next fixture of its lowest round; -2 no cup,
// -3 not a calendar competition, -4 nothing left, -5 no fixture of the code.
int16_t FindNextCompetitionDay(int16_t comp);
// The same search giving the slot of that fixture, or the same codes.
int16_t FindNextCompetitionFixture(int16_t comp);
// The text of a competition check code 0-7; "" for any other.
const char* GetCompetitionCheckText(int16_t code);
// A club's season costs (wages, signings, coaching wages) and income (gate,
// sales, sponsorship, television, merchandise); 0 for a bad club.
int64_t GetClubSeasonCosts(int16_t club);
int64_t GetClubSeasonIncome(int16_t club);
// The weekly wage bill of the club's squad list; average (when given) gets
// the mean, 0 for an empty squad; 0 for a bad club.
int64_t GetClubWeeklyWageBill(int16_t club, uint32_t* average);
// The mean wage of the club's squad; 0 for an empty squad or a bad club.
// out is set to 0.
uint32_t GetSquadAverageWage(int16_t club, uint32_t* out);

// Per position type: squad players, and among them the suspended, those
// not fit to play and those away with their nation.
struct SquadPositionCount {
    int16_t total, suspended, unfit, nationalDuty;
};
// Fills four records (keepers, defenders, midfielders, forwards); 1 when
// the squad is short: fewer than 16 available, or a position type empty.
int16_t CountSquadByPosition(int16_t club, SquadPositionCount* out);
int16_t IsMarkedNationCode(uint16_t code);
int16_t HasCompetitionRound(int16_t comp, int16_t round);
// Two 60-byte caption lines for a fixture: the division's name for a
// league match, else the competition and its round ("%s - %s" on one line,
// or one part a line when lines is above 1).
constexpr int kCaptionSize = 60;
extern char FixtureCaption[2][kCaptionSize];
void BuildFixtureCaption(int16_t fixture, int16_t lines);

// Letting the days run on until a date: option flags (1, 2 only the
// viewed country's league clubs, 4 stop on a short squad, 8 stop on low
// money), a three-way choice, the stop date and the money threshold.
struct RunOnOptions {
    uint8_t flags;
    int16_t choice;
    int16_t active;
    int16_t stopSeason, stopDay;
    int32_t moneyThreshold;
};
extern RunOnOptions RunOn;
// The screen's option handlers; each answers 7 (redraw).
int16_t RunOnClearViewedOnly();
int16_t RunOnSetViewedOnly();
int16_t RunOnToggleSquadStop();
int16_t RunOnToggleMoneyStop();
int16_t RunOnToggleFirstOption();
int16_t RunOnSetChoice(int16_t choice);
// 0 go on, 1 a club's money is low, 2 a squad is short; the run-on ends
// on its stop date.
int16_t CheckRunOnStop();
