// Checks of the board's and the club money jobs' state, shared by the board
// tests and the whole-world runs (which call them every day).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/records/records.h"
#include "core/season/messages.h"

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

// Follows the clubs' chairmen and boards from day to day in a whole-world
// run.  After each day: a chairman's time counts down on his club's day of
// the month only (club number mod 25) and one whose time is up is replaced
// with message 172 to the club (old and new name, money of the division's
// range); the displeasure counter moves only on the club's review weekday,
// by the review's steps, and stays below the board's sacking point.
// Counts the season's sackings, warnings and new chairmen, and the user's
// sackings from a club that went on to finish at or above its expected
// place (the board judges recent form, money and fans, and its grudge
// carries over from the season before).
struct SoakBoardFigures {
    int sackings = 0, userSackings = 0, userSackedInBand = 0, newHeads = 0, warnings = 0;
};
class SoakBoardWatch {
  public:
    void Start();
    std::string AfterDay();
    // The figures since the last call (or Start), then counts from zero.
    SoakBoardFigures TakeSeason();
    int TotalNewHeads() const { return totalNewHeads_; }

  private:
    struct ClubState {
        uint16_t head = 0, tenure = 0, displeasure = 0, support = 0, generosity = 0;
        uint8_t top[kMessageRecordSize] = {};  // the newest archive record
    };
    std::string CheckClub(int16_t club, const ClubState& before);
    void Keep();

    ClubState clubs_[kClubCount];
    SoakBoardFigures season_{};
    int totalNewHeads_ = 0;
    std::vector<int16_t> userSackedFrom_;  // this season's clubs, judged at their league's end
};
