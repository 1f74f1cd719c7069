// Checks of the whole world for the soak runs: after every day, on each
// country's league end, and on every season's day 0.  Each answers "" when
// all holds, else the first fault found, naming the club, fixture or
// player.
#pragma once
#include <cstdint>
#include <string>

#include "tests/fakes/player_checks.h"

// The fixture table: used slots first in day order, every empty slot at
// day 511, every fixture before today played (both goals 0..30).
std::string CheckSoakFixtureTable();
// The league records equal a recount of the fixtures, and each division's
// table row holds the division's clubs, ordered by points.
std::string CheckSoakLeagueTables();
// The players' and clubs' numbers: statistics 1..99, nobody on
// international duty outside a call-up window, and the roster, squad and
// daily-job checks.
std::string CheckSoakPlayers();
// All of the above.
std::string CheckSoakDay();

// A hash of the fixture table, the league records and tables, the honours
// rows and the club balances: equal worlds give equal hashes.
uint64_t HashSoakWorld();

// The season figures of the played fixtures.
struct SoakSeasonFigures {
    int fixtures = 0, goals = 0, homeWins = 0, goallessDraws = 0;
};

// Follows a run from day to day: counts the season's results, keeps the
// final tables at each country's league end and checks the league end, the
// season's last day (every league and reserve-league fixture played) and
// the new season on day 0.
class SoakSeasonWatch {
  public:
    // At the run's start, on the world as it stands.
    void Start();
    // After every day (with or without the daily checks).
    std::string AfterDay();
    int PeakSlots() const { return peakSlots_; }
    const SoakSeasonFigures& LastSeason() const { return lastSeason_; }
    // The last season's figures of the league, the cups and play-offs,
    // the friendlies and the reserve league, as a report line.
    std::string FiguresByKind() const;
    int SeasonTransfers() const { return lastTransfers_; }
    // The club players' means when the run started and at the last season
    // start checked.
    const PlayerPopulationMeans& RunStart() const { return runStart_; }
    const PlayerPopulationMeans& SeasonStart() const { return start_; }

  private:
    std::string AtSeasonEnd();
    std::string AtLeagueEnd(int country);
    std::string AtSeasonStart();
    void TallyDay(int day);

    int peakSlots_ = 0;
    int talliedDay_ = -1;
    SoakSeasonFigures season_{}, lastSeason_{};
    SoakSeasonFigures byKind_[4]{};  // league, cups and play-offs, friendlies, reserve league
    SoakSeasonFigures lastByKind_[4]{};
    unsigned transferIndex_ = 0;
    int lastTransfers_ = 0;
    int playersAtSeasonStart_ = 0;
    int seasonsChecked_ = 0;
    PlayerPopulationMeans runStart_{}, start_{};
    bool finalKept_[9] = {};
    int16_t finalTable_[9][6][24] = {};
    int corrections_[9] = {};
    uint8_t agesBefore_[46000] = {};
    bool agesKept_ = false;
};
