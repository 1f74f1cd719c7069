// The soak switch: the game plays on by itself, the match-day screens
// waiting for nobody, until a stop point (a season day of a season) is
// reached or the user presses Escape.
#pragma once
#include <cstdint>

#include "core/season/messagetexts.h"

// 1 while soaking.  The soak screen toggles it, start-up clears it, the
// day loop reads it and SoakStopCheck clears it at the stop point.
extern uint32_t SoakMode;
// The stop point the soak screen writes on leaving with soak on: season
// day 0..365 of season SoakStopSeason; season -1 is no stop point.
extern int16_t SoakStopPointDay;
extern int16_t SoakStopPointSeason;

// Once a day: with soak on, switches it off when today and the season are
// the stop point's.
void SoakStopCheck();

// What the season's day jobs did, counted for the soak reports: fixtures
// called off by the weather, fixtures moved to a free day (postponements
// included), and clubs moved by country to restore a division's size.
struct SeasonEventCounts {
    int32_t postponed = 0;
    int32_t moved = 0;
    int32_t corrections[9] = {};
    // Searches for an outside player to complete a side, and the random
    // draws they made.
    int64_t spareSearches = 0;
    int64_t spareDraws = 0;
    // The sides those searches were for: a club's side in one competition
    // on one day counts once however many places it had to fill.
    int64_t spareSides = 0;
    int64_t spareReserveSides = 0;  // of them, reserve-league sides
    // Of the searches: those for a goalkeeper, and those that found nobody.
    int64_t spareKeeperSearches = 0;
    int64_t spareSearchesFailed = 0;
    // Young players made in reused or new slots, players and managers
    // retired, flagged youngsters released at 18 at the season roll, and
    // players given to short computer squads at a new season.
    int64_t youthPlayersMade = 0;
    int64_t youthPlayersMadeOutsideLeagues = 0;  // at clubs outside the played leagues
    int64_t retirements = 0;
    int64_t retirementsWithoutClub = 0;  // of them, of players without a club
    int64_t youthReleased = 0;
    int64_t squadTopUps = 0;
    // Entries put into the player and club history lists.
    int64_t playerHistoryEntries = 0;
    int64_t clubHistoryEntries = 0;
    // Messages posted, by number, one for each club they were posted to
    // (inbox or archive, delivered or not); numbers past the last type
    // count in the final slot.
    int64_t messagesPosted[kMessageTypeCount + 1] = {};
};
extern SeasonEventCounts SeasonEvents;
// Counts a spare-player search for the club's side in the competition,
// and the side once a day.
void CountSpareSearch(int16_t club, int16_t competition, bool keeper);

// Time spent in the phases of a day, for the soak benchmark's report;
// counted only while DayPhaseTiming is set.
enum DayPhase : int {
    kPhaseDayEnd,           // the whole day's end (competition days, club jobs, season roll)
    kPhaseCompetitionDays,  // season-end, national-team, postponement and cup days
    kPhaseClubJobs,         // the clubs' daily jobs
    kPhaseMatchSetUp,       // sides picked and the match prepared
    kPhasePostMatch,        // the clubs' work after a match and the result booked
    kDayPhaseCount,
};
extern bool DayPhaseTiming;
extern double DayPhaseSeconds[kDayPhaseCount];
uint64_t DayPhaseNow();
// Adds the time from its making to its end to the phase.
class DayPhaseTimer {
  public:
    explicit DayPhaseTimer(DayPhase phase) : phase_(phase), start_(DayPhaseTiming ? DayPhaseNow() : 0) {}
    ~DayPhaseTimer() {
        if (DayPhaseTiming) DayPhaseSeconds[phase_] += double(DayPhaseNow() - start_) * 1e-9;
    }
    DayPhaseTimer(const DayPhaseTimer&) = delete;
    DayPhaseTimer& operator=(const DayPhaseTimer&) = delete;

  private:
    DayPhase phase_;
    uint64_t start_;
};
