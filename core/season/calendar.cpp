#include "core/season/calendar.h"

#include <climits>

SeasonCalendarState SeasonCalendar = {0, 13, 6, 2002, 0, 0, {}, {}, {}};
int16_t CompetitionDayWords[10];
int16_t CompetitionDayWord;
int16_t DailyJobsWord;
int16_t DailyJobsWord2;
int16_t RequestBlackout[kCountryCount][kRequestBlackouts][2] = {
    {{-1, -1}, {-1, -1}, {-1, -1}},       {{240, 307}, {240, 307}, {240, 307}},
    {{-1, -1}, {-1, -1}, {-1, -1}},       {{233, 307}, {233, 307}, {233, 307}},
    {{233, 307}, {233, 307}, {233, 307}}, {{233, 307}, {233, 307}, {233, 307}},
    {{-1, -1}, {-1, -1}, {-1, -1}},       {{233, 307}, {233, 307}, {233, 307}},
    {{212, 307}, {212, 307}, {212, 307}},
};

#include "core/club/squads.h"
#include "core/club/tactics.h"
#include "core/club/transferprices.h"
#include "core/match/matchsetup.h"
#include "core/query/datesandform.h"
#include "core/season/unrest.h"

#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/clubmoney.h"
#include "core/club/contractexpiry.h"
#include "core/club/dailyjobs.h"
#include "core/club/harmony.h"
#include "core/club/scouting.h"
#include "core/club/sponsorship.h"
#include "core/club/squadpass.h"
#include "core/club/stadium.h"
#include "core/club/training.h"
#include "core/club/transfers.h"
#include "core/query/people.h"
#include "core/records/dates.h"
#include "core/records/diarynotes.h"
#include "core/records/fixturechecks.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/scouttip.h"
#include "core/records/training.h"
#include "core/records/usertransfers.h"
#include "core/season/clubfixtures.h"
#include "core/season/clubseason.h"
#include "core/season/european.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/matchsetup.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/nationorder.h"
#include "core/season/seasondays.h"
#include "core/season/seasonsquads.h"
#include "core/season/seasontables.h"
#include "core/season/soak.h"

namespace {

constexpr int kSeasonEndDay = 366;
constexpr int kRetirementDay = 336;

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

void ResetRequestBlackout() {
    // Nations 0, 2 and 6 have no request window at all: their pairs cover
    // every day.
    constexpr int16_t kNewGame[kCountryCount][2] = {
        {-1, -1}, {240, 307}, {-1, -1}, {233, 307}, {233, 307}, {233, 307}, {-1, -1}, {233, 307}, {212, 307}};
    for (int nation = 0; nation < kCountryCount; ++nation) {
        for (auto& pair : RequestBlackout[nation]) {
            pair[0] = kNewGame[nation][0];
            pair[1] = kNewGame[nation][1];
        }
    }
}

namespace {

constexpr int16_t kSplitCountry = 1;
constexpr int kPlayOffFinalsAfter = 17;
constexpr int kLastDayOfShortSeason = 365;
constexpr int16_t kTransferTextDivision = 540, kTransferTextWindow = 164;
constexpr int kHolderAWord = 12;  // European cup 6's winner
constexpr int kHolderBWord = 8;   // European cup 4's winner
constexpr uint16_t kNewSeasonSteps = 11;
constexpr int kMonthAwardAfterStart = 21;     // days of a league season before its first monthly award
constexpr int16_t kDailyFreedReferees = 100;  // the referees whose unavailable mark each day clears
// The season-history block of the season being played: its twelve bytes of
// monthly league positions, one per month slot.
constexpr int16_t kCurrentHistoryBlock = 0;

int16_t UserClub() { return int16_t(GetPlayerClub(1)); }

bool InClosedPeriod(int country, int day) {
    for (int p = 0; p < kTransferClosedPeriods; ++p) {
        if (day >= LeagueTransferWords[2 * p][country] && day <= LeagueTransferWords[2 * p + 1][country])
            return true;
    }
    return false;
}

void PostUserMessage(int16_t type, int16_t text) {
    const int16_t user = UserClub();
    if (!IsClubNumber(uint16_t(user))) return;
    AddMessage(user, -1, 0xFFFFFFFFu, 0xFFFFFFFFu, -1, -1, -1, text, -1, -1, -1, type, 1, 0);
}

// The first matching reminder of the transfer deadlines, to the user.
void PostTransferReminders() {
    const int16_t user = UserClub();
    if (!IsClubNumber(uint16_t(user))) return;
    const int day = SeasonCalendar.currentDay;
    const int end0 = SeasonCalendar.leagueEndDay[0];
    const bool lowerCountry0 = GetClubNation(user) == 0 && GetClubDivision(user) != 0;
    if (lowerCountry0 && day == end0 - 59)
        return PostUserMessage(kMsgDeadlineWeekAway, kTransferTextDivision);
    if (lowerCountry0 && day == end0 - 51) return PostUserMessage(kMsgDeadlineToday, kTransferTextDivision);
    if (lowerCountry0 && day == end0 - 50) return PostUserMessage(kMsgDeadlinePassed, kTransferTextDivision);
    const int country = std::min<int>(GetClubNation(user), kCountryCount - 1);
    for (int p = 0; p < 2; ++p) {
        const int first = LeagueTransferWords[2 * p][country], last = LeagueTransferWords[2 * p + 1][country];
        if (day == first - 8) return PostUserMessage(kMsgDeadlineWeekAway, kTransferTextWindow);
        if (day == first - 1) return PostUserMessage(kMsgDeadlineToday, kTransferTextWindow);
        if (day == first) return PostUserMessage(kMsgDeadlinePassed, kTransferTextWindow);
        if (day == last) return PostUserMessage(kMsgWindowOpen, kTransferTextWindow);
    }
}

// While the transfer window is open the user's scouts may tip him a player.
void RunOpenWindowJob() {
    const int16_t user = UserClub();
    if (!IsClubNumber(uint16_t(user))) return;
    const int country = std::min<int>(GetClubNation(user), kCountryCount - 1);
    if (InClosedPeriod(country, SeasonCalendar.currentDay)) return;
    ScoutTipPlayer(user);
}

void RunRealDayJobs() {
    DailyJobsWord = 0;
    ProcessSquadTrainingDay();
    RunOpenWindowJob();
    PendingDeal_TickAll();
}

// A month's last day: every division of a league that has run three weeks
// and not yet ended names its manager of the month.
void RunManagerOfTheMonthAwards() {
    const int16_t day = SeasonCalendar.currentDay;
    for (int16_t country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country)) continue;
        if (day <= SeasonCalendar.leagueStartDay[country] + kMonthAwardAfterStart ||
            day >= SeasonCalendar.leagueEndDay[country])
            continue;
        for (int16_t division = 0; division < kDivisionCount; ++division) {
            if (DivisionLayout[country][division].clubs != 0) AwardManagerOfWeek(division, country);
        }
    }
}

void RunWeekEndJobs() {
    Scout_WeeklyJob();
    for (uint16_t player = 1; player < PlayerCount; ++player) SetPlayerFlag123(player, 0);
}

// Weekday 2: every club pays its coaching staff, then the money, ranking,
// wage and loan jobs of the week.
void RunPayDayJobs() {
    const int16_t week = DaysToWeeks(SeasonCalendar.currentDay);
    for (int16_t club = 0; club < kClubCount; ++club) {
        const int32_t wage = GetCoachingWeeklyWage(club);
        AddClubBalance(club, -wage);
        SetClubWeeksCoachingStaffWages(club, GetClubWeeksCoachingStaffWages(club, week) + wage, week);
        SetClubSeasonCoachingStaffWages(club, GetClubSeasonCoachingStaffWages(club) + wage);
    }
    ClubWindfallJob();
    RankClubsByStrength();
    PayWeeklyPlayerWages();
    WeeklyLoanPass();
}

// The month slot moves on (11 wraps to 0) and every club's place in its
// country's tables goes into that slot of its monthly position record.
void AdvanceMonthSlot() {
    DailyJobsWord2 = int16_t((DailyJobsWord2 + 1) % 12);
    // A record byte holds the place; a club in no table (1200) keeps 255.
    for (int16_t club = 0; club < kClubCount; ++club) {
        const int16_t place = std::min<int16_t>(GetClubLeaguePosition(club), 255);
        SetClubCoach(club, kCurrentHistoryBlock, place, DailyJobsWord2);
    }
}

void RunSeasonEndDays(int country) {
    const int16_t day = SeasonCalendar.currentDay;
    const int16_t endDay = SeasonCalendar.leagueEndDay[country];
    if (country == kSplitCountry && day == SeasonCalendar.splitDay[country] && day != 0)
        SplitLeague(int16_t(country));
    if (day == endDay) {
        RecordClubSeasonEnd(int16_t(country));
        PayLeaguePrizeMoney(int16_t(country));
        OrderNationClubsByLeaguePos(int16_t(country));
        LeagueSeasonEnd(int16_t(country));
        YouthSeasonEndPass(int16_t(country));
    } else if (day == endDay + kPlayOffFinalsAfter) {
        AddPlayOffFinals(int16_t(country));
    }
}

// The board's monthly step for the user's nation while its league runs.
void RunBoardMonthlySteps() {
    const int16_t user = UserClub();
    if (!IsClubNumber(uint16_t(user))) return;
    const int16_t day = SeasonCalendar.currentDay;
    for (int country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country) || GetClubNation(user) != uint16_t(country)) continue;
        if (day > SeasonCalendar.leagueStartDay[country] && day < SeasonCalendar.leagueEndDay[country])
            BoardMonthlyStep();
    }
}

void RunSeasonAwards() {
    for (int16_t country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country)) continue;
        for (int16_t division = 0; division < kDivisionCount; ++division) {
            if (DivisionLayout[country][division].clubs == 0) continue;
            AwardManagerOfSeason(division, country);
            AwardPlayerOfSeason(division, country);
            AwardYoungPlayerOfSeason(division, country);
            AwardTopScorer(division, country);
        }
    }
}

}  // namespace

namespace {
bool g_setUpRostersKept = false;
bool g_setUpRostersBuilt = false;
}  // namespace

void ClearClubSeasonAttendance() {
    for (int16_t club = 0; club < kClubCount; ++club) {
        SetClubAvgAttendance(club, 0);
        SetClubSeasonLoans(club, 0);
    }
}

void KeepSetUpRosters(bool keep) {
    g_setUpRostersKept = keep;
    g_setUpRostersBuilt = false;
}

void RunDailyClubJobs(int16_t realDay) {
    SeasonCalendarState& c = SeasonCalendar;
    const int monthLength = CalendarMonthLength(c.month, c.year);
    bool monthChanged = false;
    PracticeMatchPlayed = 0;
    if (c.dayOfMonth < monthLength) {
        ++c.weekday;
        ++c.dayOfMonth;
        if (realDay) RunRealDayJobs();
        if (c.weekday > 6) {
            c.weekday = 0;
            if (realDay) RunWeekEndJobs();
        }
    } else {
        // The last day of a month: no weekly jobs on this step.
        c.weekday = int16_t((c.weekday + 1) % 7);
        if (realDay) RunManagerOfTheMonthAwards();
        ++c.month;
        if (realDay || !g_setUpRostersBuilt) RebuildAllRosters();
        g_setUpRostersBuilt = g_setUpRostersKept && !realDay;
        if (realDay) AdvanceMonthSlot();
        if (c.month > 11) {
            c.month = 0;
            ++c.year;
        }
        c.dayOfMonth = 1;
        monthChanged = true;
    }
    if (!realDay) return;
    // The chairmen whose day of the month it is count down their time.
    UpdateClubHeads();
    if (GameRandom() % 7 == 0) SquadHarmonyReview();
    PostTransferReminders();
    RunDailyJobPasses();
    // Reserve fixtures that now share a day with another fixture of one of
    // their clubs move on, every day as after a load.
    ResolveFixtureClashes();
    {
        // The board's review and the squad pass ask for the same lookups:
        // made once for both rather than once for each.
        const KeptClubLookups keep;
        BoardWeeklyReview();
        // The computer clubs' squad work of the day, bids included.
        ComputerTransferActivity(1, 0);
    }
    if (monthChanged) {
        MonthlyContractPass();
        RunBoardMonthlySteps();
    }
    if (c.weekday == 2) RunPayDayJobs();
    if (c.weekday == 1) {
        ClubBalanceWeeklyJob();
        WeeklyBanPass();
    }
}

void AdvanceDay() {
    const DayPhaseTimer dayEnd(kPhaseDayEnd);
    SeasonCalendarState& c = SeasonCalendar;
    HVW_CheckFormationTotal();
    SortLeagueTables();
    {
        const DayPhaseTimer timer(kPhaseCompetitionDays);
        for (int country = 0; country < kCountryCount; ++country) {
            if (IsCountryInPlay(country)) RunSeasonEndDays(country);
        }
        if (c.dayOfMonth == 15 && c.month == 5) RunSeasonAwards();
    }
    {
        const DayPhaseTimer timer(kPhaseClubJobs);
        RunDailyClubJobs(1);
    }
    ShowDueDiaryNotes();
    HVW_CheckFormationTotal();
    // A league's last day takes every note still waiting with it.
    for (int country = 0; country < kCountryCount; ++country) {
        if (IsCountryInPlay(country) && c.leagueEndDay[country] == c.currentDay) ClearAllDiaryNotes();
    }
    const int16_t dayBefore = c.currentDay;
    ++c.currentDay;
    {
        const DayPhaseTimer timer(kPhaseCompetitionDays);
        ProcessInternationalDay();
        // A referee kept out of today's matches is free again tomorrow.
        for (int16_t referee = 0; referee < kDailyFreedReferees; ++referee)
            HVW_SetRefereeUnavailableFlag(referee, 0);
        ProcessPostponements();
        if (c.currentDay > c.leagueStartDay[0]) ++CompetitionDayWord;
        ProcessCompetitionDay();
    }
    HVW_CheckFormationTotal();
    // A season has 365 days, 366 when its February has 29.
    if (c.year % 4 != 0 && c.currentDay == kLastDayOfShortSeason) c.currentDay = kSeasonEndDay;
    if (c.currentDay == kRetirementDay) YearlyRetirementPass();
    // The user's application is answered on its day: that day over, it is
    // gone.  One whose day lies past the season's end never comes.
    DropPassedJobApplication(c.currentDay >= kSeasonEndDay ? INT_MAX : dayBefore);
    if (c.currentDay >= kSeasonEndDay) {
        ++c.season;
        SortNationClubsByDivision();
        SeasonEndRichClubLevy();
        PaySeasonSponsorship();
        ComputerStadiumUpdate();
        SeasonRollPlayers();
        Training_ClearLeftPlayers();
        NewSeasonStep();
        ScheduleNationalTeamDays();
        RecordWeeklyBalances();
        // Managers may have moved: each club plays its new manager's shape.
        InitClubTacticPresets();
    } else {
        const int16_t week = DaysToWeeks(c.currentDay);
        if (week != DaysToWeeks(dayBefore) && week < kFinanceWeeks) RecordWeeklyBalances();
    }
    ProcessPendingPlayerEvents();
    // The day's draws and a new season's lay-out may have put reserve
    // fixtures beside other fixtures of their clubs: they move on before the
    // day ends, so that the table a save writes is the one its load keeps
    // (the load moves them at once, the day's jobs only tomorrow).
    ResolveFixtureClashes();
    HVW_CheckFormationTotal();
}

void NewSeasonStep() {
    HVW_ClearHumanSales();
    // Emptied as everywhere else (0): a slot of another value reads as a
    // player whose talks the next day opens, a player nobody can talk to.
    HVW_ClearHumanContracts();
    HVW_ClearRecentList();
    SetProgress(kNewSeasonSteps, 0);
    SeasonCalendar.currentDay = 0;
    ShiftHonoursTables();
    SetProgress(0, 1);
    const int16_t holderA = HonoursTable[0][1].words[kHolderAWord];
    const int16_t holderB = HonoursTable[0][1].words[kHolderBWord];
    // A season whose final left no winner keeps the holder it had: an empty
    // holder's place would leave a first round a club short.
    if (IsClubNumber(uint16_t(holderA))) EuropeanSetUpWordA = holderA;
    if (IsClubNumber(uint16_t(holderB))) EuropeanSetUpWordB = holderB;
    SetProgress(0, 2);
    SetUpEuropeanEntrants();
    SetProgress(0, 3);
    ClearFixtureTable();
    ResetClubSeasonRecords();
    ClearClubSeasonAttendance();
    SetProgress(0, 4);
    // A division whose count drifted from its layout (clubs moved by the
    // season end and the play-offs unevenly) would leave a club out of the
    // lay-out or play a short season: its count is restored first.
    RestoreDivisionSizes();
    SetUpSeasonFixtures();
    SetProgress(0, 5);
    RenewYouthPlayers();
    RebuildAllRosters();
    SetProgress(0, 6);
    ComputerTransferActivity(0, 0);
    SetProgress(0, 7);
    ShuffleEuropeanOrder();
    SetProgress(0, 8);
    RankClubsByStrength();
    SetProgress(0, 9);
    BuildDivisionClubLists();
    SetProgress(0, 10);
    AddPreSeasonFriendlies();
    UpdateAllClubsBaseRep();
    SetProgress(0, 11);
    ResetProgress();
    // The weeks of the new season open empty, each from the balance the
    // season starts with.
    for (int16_t week = 0; week < kFinanceWeeks; ++week) GetLastBalance(week);
    ClearFinanceTotals();
    EventLog_ClearAll();
    ResetClubsForNewSeason();
    FillClubSquads();
    SetUpAllClubTeams();
    // The season's balance forecast, from the balance it starts with.
    InitClubFinanceHistory();
}
