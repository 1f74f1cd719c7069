#include "tests/fakes/soak_driver.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iterator>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/club/tactics.h"
#include "core/club/transfers.h"
#include "core/match/matchphases.h"
#include "core/match/motion.h"
#include "core/query/clubscreens.h"
#include "core/query/layerstate.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/season/calendar.h"
#include "core/season/fixtureday.h"
#include "core/season/leagues.h"
#include "core/season/matchsetup.h"
#include "core/season/messagetypes.h"
#include "core/season/newgame.h"
#include "core/season/playedleagues.h"
#include "core/season/soak.h"
#include "tests/fakes/daily_checks.h"

namespace {

using Clock = std::chrono::steady_clock;

SoakCounts g_counts;
SoakTimes g_times;
SeasonEventCounts g_eventsAtReset;
unsigned g_transferIndex = 0;
FixtureResultMakers g_gameMakers{};

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}

void TimedMatch() {
    const auto start = Clock::now();
    const double cpuStart = ThreadSeconds();
    g_gameMakers.playMatch();
    g_times.engineCpu += ThreadSeconds() - cpuStart;
    g_times.engine += Since(start);
    ++g_counts.engine;
}

void TimedPrediction(int16_t home, int16_t away, int16_t competition, int16_t extraTime, int16_t fifth,
                     int16_t penalties, int16_t user, int16_t slot) {
    const auto start = Clock::now();
    g_gameMakers.predict(home, away, competition, extraTime, fifth, penalties, user, slot);
    g_times.prediction += Since(start);
    ++g_counts.predicted;
}

// One day without screens, its phases timed.
void PlayTimedDay() {
    g_gameMakers = ResultMakers;
    ResultMakers = {TimedMatch, TimedPrediction};
    DayPhaseTiming = true;
    double before[kDayPhaseCount];
    std::copy(std::begin(DayPhaseSeconds), std::end(DayPhaseSeconds), before);
    const auto start = Clock::now();
    const double cpuStart = ThreadSeconds();
    PlayDayWithoutScreens();
    const double day = Since(start);
    g_times.cpu += ThreadSeconds() - cpuStart;
    DayPhaseTiming = false;
    ResultMakers = g_gameMakers;
    const auto phase = [&](DayPhase p) { return DayPhaseSeconds[p] - before[p]; };
    g_times.days += day;
    g_times.fixtures += day - phase(kPhaseDayEnd);
    g_times.matchSetUp += phase(kPhaseMatchSetUp);
    g_times.postMatch += phase(kPhasePostMatch);
    g_times.competitionDays += phase(kPhaseCompetitionDays);
    g_times.clubJobs += phase(kPhaseClubJobs);
    g_times.dayEnd += phase(kPhaseDayEnd);
}

void TakeEventCounts() {
    g_counts.postponed = SeasonEvents.postponed - g_eventsAtReset.postponed;
    g_counts.moved = SeasonEvents.moved - g_eventsAtReset.moved;
    int corrections = 0;
    for (int c = 0; c < kCountryCount; ++c)
        corrections += SeasonEvents.corrections[c] - g_eventsAtReset.corrections[c];
    g_counts.corrections = corrections;
    g_counts.spareSearches = SeasonEvents.spareSearches - g_eventsAtReset.spareSearches;
    g_counts.spareDraws = SeasonEvents.spareDraws - g_eventsAtReset.spareDraws;
    g_counts.spareSides = SeasonEvents.spareSides - g_eventsAtReset.spareSides;
    g_counts.spareReserveSides = SeasonEvents.spareReserveSides - g_eventsAtReset.spareReserveSides;
    g_counts.spareKeeperSearches = SeasonEvents.spareKeeperSearches - g_eventsAtReset.spareKeeperSearches;
    g_counts.spareSearchesFailed = SeasonEvents.spareSearchesFailed - g_eventsAtReset.spareSearchesFailed;
    g_counts.youthPlayersMade = SeasonEvents.youthPlayersMade - g_eventsAtReset.youthPlayersMade;
    g_counts.youthPlayersMadeOutsideLeagues =
        SeasonEvents.youthPlayersMadeOutsideLeagues - g_eventsAtReset.youthPlayersMadeOutsideLeagues;
    g_counts.retirements = SeasonEvents.retirements - g_eventsAtReset.retirements;
    g_counts.retirementsWithoutClub =
        SeasonEvents.retirementsWithoutClub - g_eventsAtReset.retirementsWithoutClub;
    g_counts.youthReleased = SeasonEvents.youthReleased - g_eventsAtReset.youthReleased;
    g_counts.squadTopUps = SeasonEvents.squadTopUps - g_eventsAtReset.squadTopUps;
    g_counts.playerHistory = SeasonEvents.playerHistoryEntries - g_eventsAtReset.playerHistoryEntries;
    g_counts.clubHistory = SeasonEvents.clubHistoryEntries - g_eventsAtReset.clubHistoryEntries;
    for (int type = 0; type <= kMessageTypeCount; ++type)
        g_counts.messages[type] = SeasonEvents.messagesPosted[type] - g_eventsAtReset.messagesPosted[type];
    g_counts.playerHistoryHeld = PlayerHistoryCount - 1;
    g_counts.clubHistoryHeld = ClubHistoryCount - 1;
    g_counts.transfers += CountTransfersSince(g_transferIndex);
    g_transferIndex = TransferRecordIndex;
}

}  // namespace

namespace {
bool g_gameDataMounted = false;
// A player record whose position reads this is a manager's.
constexpr uint16_t kManagerPositionCode = 13;
}  // namespace

void UnmountSoakGameData() {
    if (!g_gameDataMounted) return;
    g_gameDataMounted = false;
    Motion_FreeAll();
    PakFileUninit();
    UninitMemory();
}

int16_t StartSoakGame(const std::string& gameDir, const SoakConfig& config) {
    // The match engine reads its motion clips from the game's archive.
    if (!g_gameDataMounted) {
        g_gameDataMounted = true;
        InitMemory(64 * 1024);
        PakFileInit();
        PakAddFile((gameDir + "/pakfiles/demo").c_str());
        PakFileAddDone();
    }
    char here[4096];
    if (getcwd(here, sizeof here) == nullptr || chdir(gameDir.c_str()) != 0) return -1;
    ClearTotStatTables();
    std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
    GameSeedRandom(config.seed);
    // The player introduction's step counter is kept for the program's run
    // (only its first match with a line-up shows it): each soak game starts
    // it as a fresh run does, so that one seed plays one world whatever an
    // earlier game of the process played.
    IntroStep = 0;
    // As the played-countries screen leaves them before the new game.
    for (int country = 0; country < kCountryCount; ++country)
        PlayedLeagueFlags[country] = uint16_t((config.playedCountries >> country) & 1);
    NewGameSetUp();
    if (chdir(here) != 0) return -1;

    const uint16_t club = DivisionClubLists[config.userCountry][config.userDivision][0];
    if (club == kNoLeagueClub) return -1;
    // As the start screen takes a job: player 1 replaces the club's manager.
    for (int16_t other = 0; other < kClubCount; ++other) {
        if (GetClubControl(other) == 1) SetClubControl(other, 0);
    }
    const uint16_t replaced = HVW_GetClubManager(int16_t(club));
    SetClubControl(int16_t(club), 1);
    SelectedClub = club;
    InstallPlayerManagers(replaced);
    ComputerTransferActivity(0, 0);
    InitCustomTactics();
    AutoManagementSwitch = 1;
    HVW_SetViewedCountry(config.viewedCountry);
    ResetSoakCounts();
    return int16_t(club);
}

std::string RunSoakUntil(int16_t stopSeason, int16_t stopDay, const std::function<std::string()>& daily) {
    SoakStopPointSeason = stopSeason;
    SoakStopPointDay = stopDay;
    SoakMode = 1;
    while (SoakMode != 0) {
        const int season = SeasonCalendar.season, day = SeasonCalendar.currentDay;
        PlayTimedDay();
        ++g_counts.days;
        TakeEventCounts();
        SoakStopCheck();
        if (daily) {
            const std::string fault = daily();
            if (!fault.empty()) {
                SoakMode = 0;
                char where[64];
                std::snprintf(where, sizeof where, "season %d day %d: ", season, day);
                return where + fault;
            }
        }
    }
    return "";
}

void ResetSoakCounts() {
    g_counts = {};
    g_times = {};
    g_eventsAtReset = SeasonEvents;
    g_transferIndex = TransferRecordIndex;
}

const SoakCounts& CurrentSoakCounts() { return g_counts; }
const SoakTimes& CurrentSoakTimes() { return g_times; }

std::string FormatSoakCounts(const SoakCounts& c) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "%d days: %d fixtures by engine, %d predicted, %d postponed, %d moved, %d corrections, "
                  "%d transfers",
                  c.days, c.engine, c.predicted, c.postponed, c.moved, c.corrections, c.transfers);
    return text;
}

std::string FormatSoakSearches(const SoakCounts& c) {
    char text[256];
    std::snprintf(
        text, sizeof text,
        "%lld spare-player searches (%lld draws); history entries: %lld player (%u held), %lld club "
        "(%u held)",
        (long long)c.spareSearches, (long long)c.spareDraws, (long long)c.playerHistory,
        unsigned(c.playerHistoryHeld), (long long)c.clubHistory, unsigned(c.clubHistoryHeld));
    return text;
}

std::string FormatSoakTurnover(const SoakCounts& c) {
    char text[448];
    std::snprintf(
        text, sizeof text,
        "%lld youth players made (%lld outside the played leagues), %lld retirements (%lld without "
        "a club), %lld youngsters released at 18, %lld released and %lld moved on free at a contract's end, "
        "%lld squad top-ups; %lld sides needed a spare player (%lld of them reserve sides; %lld "
        "searches for a keeper, %lld found nobody)",
        (long long)c.youthPlayersMade, (long long)c.youthPlayersMadeOutsideLeagues, (long long)c.retirements,
        (long long)c.retirementsWithoutClub, (long long)c.youthReleased, (long long)c.messages[kMsgReleased],
        (long long)c.messages[kMsgMovedOnFree], (long long)c.squadTopUps, (long long)c.spareSides,
        (long long)c.spareReserveSides, (long long)c.spareKeeperSearches, (long long)c.spareSearchesFailed);
    return text;
}

namespace {
// A club of the leagues played in full, whose squads the season's rules
// release players from.
bool IsPlayedLeagueClub(int16_t club) {
    return GetClubRep(club) != 0 && IsPlayedLeagueNation(GetClubNation(club)) &&
           GetClubDivision(club) < kDivisionCount;
}
}  // namespace

SoakSquadCensus TakeSoakSquadCensus() {
    SoakSquadCensus census;
    static int squads[kClubCount];
    std::fill(std::begin(squads), std::end(squads), 0);
    for (uint16_t p = kFirstWorldPlayer; p < PlayerCount; ++p) {
        if (GetPlayerPosition(p) == kManagerPositionCode) continue;
        const uint16_t club = GetPlayerClub(p);
        if (club == kNoClub) {
            ++census.withoutClub;
            continue;
        }
        ++census.atClubs;
        if (!IsClubNumber(club)) continue;
        census.atLeagueClubs += IsPlayedLeagueClub(int16_t(club));
        if (GetPlayerLoanTrial(p) == 0) ++squads[club];
    }
    std::vector<int> sizes;
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (!IsPlayedLeagueClub(club)) continue;
        sizes.push_back(squads[club]);
        if (census.smallestClub < 0 || squads[club] < squads[census.smallestClub]) census.smallestClub = club;
    }
    census.clubs = int(sizes.size());
    if (sizes.empty()) return census;
    std::sort(sizes.begin(), sizes.end());
    census.medianSquad = sizes[sizes.size() / 2];
    census.smallestSquad = sizes.front();
    return census;
}

void SoakSquadWatch::Start() {
    start_ = end_ = TakeSoakSquadCensus();
    smallest_ = start_.smallestSquad;
}

void SoakSquadWatch::AfterDay() {
    const SoakSquadCensus now = TakeSoakSquadCensus();
    if (SeasonCalendar.currentDay == 0) {
        previousStart_ = start_;
        previousSmallest_ = smallest_;
        start_ = now;
        smallest_ = now.smallestSquad;
        return;
    }
    end_ = now;
    smallest_ = std::min(smallest_, now.smallestSquad);
}

namespace {
std::string FormatCensus(const char* when, const SoakSquadCensus& c) {
    char text[200];
    const int club = c.smallestClub;
    std::snprintf(text, sizeof text,
                  "%s %d players at clubs (%d at league clubs), %d without; squads median %d, smallest %d "
                  "(club %d, country %d division %d)",
                  when, c.atClubs, c.atLeagueClubs, c.withoutClub, c.medianSquad, c.smallestSquad, club,
                  club >= 0 ? int(GetClubNation(int16_t(club))) : -1,
                  club >= 0 ? int(GetClubDivision(int16_t(club))) : -1);
    return text;
}
}  // namespace

std::string SoakSquadWatch::FormatSeason() const {
    return "the " + std::to_string(previousStart_.clubs) +
           " league clubs: " + FormatCensus("at the start", previousStart_) + ";\n    " +
           FormatCensus("at the end", end_) + "; smallest squad on any day " +
           std::to_string(previousSmallest_) + ";\n    " +
           FormatCensus("the next season starts with", start_);
}

std::string FormatSoakTimes(const SoakTimes& t) {
    char text[320];
    std::snprintf(text, sizeof text,
                  "%.1f s (processor %.1f s): fixtures %.1f s (set-up %.1f, prediction %.1f, engine %.1f, "
                  "post-match %.1f), day ends %.1f s (competition days %.1f, club jobs %.1f)",
                  t.days, t.cpu, t.fixtures, t.matchSetUp, t.prediction, t.engine, t.postMatch, t.dayEnd,
                  t.competitionDays, t.clubJobs);
    return text;
}
