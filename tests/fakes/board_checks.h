// Checks of the board's and the club money jobs' state, shared by the board
// tests and the whole-world runs (which call them every day).
#pragma once
#include <string>

// Every club of the played leagues has at most one manager who does not
// play, and every manager belongs to the club he plays for; balances lie in
// 0..134,217,727; expected places in 0..24; each club's weekly figures of
// miscellaneous income and of sponsorship add up to the season's.  Returns
// "" when all hold, else the first fault found.
std::string CheckBoardInvariants();

// After a weekly money job: no computer-run league club holds more than
// 80,000,000.  "" or the first club found above it.
std::string CheckComputerBalancesCapped();

// Counts, day by day, how long the league clubs go without a manager.
// Call Reset before a run and Track once a day; AverageWeeks is the mean
// length in weeks of the vacancies that ended (0 when none ended).
void ResetManagerVacancies();
void TrackManagerVacancies();
double AverageVacancyWeeks();
int EndedVacancies();
