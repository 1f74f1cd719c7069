// The whole-world soak: a new game on the generated world with a human
// club run by the computer, played day by day without screens until the
// soak stop point.  Shared by the soak tests and the season benchmark; it
// needs the display-free core only.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "core/season/messagetexts.h"

struct SoakConfig {
    uint32_t seed = 1;
    // The user's club: the first club of this country's division.
    int16_t userCountry = 0;
    int16_t userDivision = 4;
    // The country whose user's division is played on the match engine.
    int16_t viewedCountry = 5;
    // Bit n set: country n's leagues are played in full.  The default is
    // every country ticked on the played-countries screen, which always
    // leaves country 8 unplayed.
    uint16_t playedCountries = 0x0FF;
};

// What a run did, counted from its start (or from the last ResetSoakCounts).
struct SoakCounts {
    int days = 0;
    int engine = 0;       // fixtures played on the match engine
    int predicted = 0;    // fixtures given the quick prediction
    int postponed = 0;    // fixtures called off by the weather
    int moved = 0;        // fixtures moved to another day
    int corrections = 0;  // clubs moved to restore a division's size
    int transfers = 0;
    int64_t spareSearches = 0;                   // searches for an outside player to complete a side
    int64_t spareDraws = 0;                      // the random draws they made
    int64_t spareSides = 0;                      // the sides (club, competition, day) those searches were for
    int64_t spareReserveSides = 0;               // of them, reserve-league sides
    int64_t spareKeeperSearches = 0;             // searches for a goalkeeper
    int64_t spareSearchesFailed = 0;             // searches that found nobody
    int64_t youthPlayersMade = 0;                // young players made in new or reused slots
    int64_t youthPlayersMadeOutsideLeagues = 0;  // of them, at clubs outside the played leagues
    int64_t retirements = 0;                     // players and managers retired
    int64_t retirementsWithoutClub = 0;          // of them, of players without a club
    int64_t youthReleased = 0;                   // flagged youngsters released at 18 by the season roll
    int64_t squadTopUps = 0;                     // players given to short computer squads at a new season
    int64_t playerHistory = 0;                   // entries put into the players' history list
    int64_t clubHistory = 0;                     // and into the clubs'
    uint32_t playerHistoryHeld = 0;              // entries each list holds at the end
    uint32_t clubHistoryHeld = 0;
    // Messages posted, by number (the last slot: numbers past the types).
    int64_t messages[kMessageTypeCount + 1] = {};
};

// Who is where at one moment, over the clubs of the leagues played in full: the
// players (managers aside) with a club and without one, and the squads,
// counted by the players each club holds (those on loan to it in, those
// on trial there out).
struct SoakSquadCensus {
    int atClubs = 0;
    int withoutClub = 0;
    int atLeagueClubs = 0;  // of those at clubs, at the played leagues' clubs
    int clubs = 0;
    int medianSquad = 0;
    int smallestSquad = 0;
    int smallestClub = -1;
};
SoakSquadCensus TakeSoakSquadCensus();

// Follows the squads over a season: the census on its first day and on its
// last before the roll, and the smallest squad seen after any of its days.
class SoakSquadWatch {
  public:
    // At the run's start, and after a load: the season's first census.
    void Start();
    void AfterDay();
    // "squads: ..." for the season just ended: call on the next season's
    // day 0, before the next AfterDay.
    std::string FormatSeason() const;

  private:
    SoakSquadCensus start_{}, end_{}, previousStart_{};
    int smallest_ = 0, previousSmallest_ = 0;
};

// Time by phase, in seconds, of the days played.
struct SoakTimes {
    double days = 0;             // whole days
    double cpu = 0;              // the processor time of the days (a busy machine stretches the rest)
    double fixtures = 0;         // the day's fixtures (the day less its end)
    double matchSetUp = 0;       // of which sides picked and matches prepared
    double prediction = 0;       // the quick prediction
    double engine = 0;           // the match engine
    double engineCpu = 0;        // the match engine's processor time (a share of cpu)
    double postMatch = 0;        // the clubs' work after the match
    double competitionDays = 0;  // season-end, national-team, postponement and cup days
    double clubJobs = 0;         // the clubs' daily jobs
    double dayEnd = 0;           // the whole day's end, season roll included
};

// The new game in the game folder (from the seed), the user's club taken
// as the new-game screens take a job, the auto-management switch and the
// viewed country set.  Returns the user's club.
int16_t StartSoakGame(const std::string& gameDir, const SoakConfig& config);
// Takes down the memory and archive the first soak game mounted (and the
// motion clips its matches loaded) for a test that brings up its own; the
// next soak game mounts them again.
void UnmountSoakGameData();

// Switches soak on with the stop point and plays days until SoakStopCheck
// switches it off.  After every day `daily` runs; a non-empty answer stops
// the run and is returned (prefixed with the season and day).  "" when the
// stop point was reached.
std::string RunSoakUntil(int16_t stopSeason, int16_t stopDay, const std::function<std::string()>& daily = {});

void ResetSoakCounts();
const SoakCounts& CurrentSoakCounts();
const SoakTimes& CurrentSoakTimes();
// "N days: E fixtures by engine, P predicted, ..." for a report line.
std::string FormatSoakCounts(const SoakCounts& counts);
// "S spare-player searches (D draws); history entries: ..." for a report line.
std::string FormatSoakSearches(const SoakCounts& counts);
// "Y youth players made, R retirements, ..." for a report line.
std::string FormatSoakTurnover(const SoakCounts& counts);
// "fixtures F s (set-up S, prediction P, engine E, post-match M), ..."
std::string FormatSoakTimes(const SoakTimes& times);
