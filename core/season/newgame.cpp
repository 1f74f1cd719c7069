#include "core/season/newgame.h"

#include <algorithm>
#include <cstring>

#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/board.h"
#include "core/club/dailyjobs.h"
#include "core/club/matchdaynotices.h"
#include "core/club/sponsorship.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/club/stadium.h"
#include "core/club/tactics.h"
#include "core/club/teamroles.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/match/matchratings.h"
#include "core/match/matchsetup.h"
#include "core/match/periodrunner.h"
#include "core/query/layerstate.h"
#include "core/records/clubhistorykinds.h"
#include "core/records/diarynotes.h"
#include "core/records/fixturechecks.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/savetable.h"
#include "core/records/shippeddatabase.h"
#include "core/records/training.h"
#include "core/records/usertransfers.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/clubseason.h"
#include "core/season/competitions.h"
#include "core/season/european.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/nationalsquads.h"
#include "core/season/nationorder.h"
#include "core/season/playedleagues.h"
#include "core/season/reportfacts.h"
#include "core/season/seasondays.h"
#include "core/season/seasonend.h"
#include "core/season/seasonsquads.h"
#include "core/season/seasontables.h"
#include "core/season/shippedhonours.h"
#include "core/season/unrest.h"

int16_t GameScopeSetting = 0;

namespace {

constexpr int16_t kStartDayOfMonth = 13, kStartMonth = 6, kStartYear = 2002;
constexpr uint16_t kNewGameSteps = 19;
constexpr int kPreSeasonDays = 21;

// Opening money: per country and division A; a top-division club gets
// reputation x 650000, a lower one reputation x 4 x A + 50 x A.
constexpr int32_t kTopDivisionMoneyPerRep = 650000;
constexpr int32_t kLowerDivisionAmount[2][kDivisionCount] = {
    {50000, 15000, 4000, 1000, 500, 100},
    {50000, 15000, 4000, 4000, 500, 100},
};

constexpr int16_t kManagerAge = 14;  // 30 years
constexpr int16_t kManagerPosition = 5;
constexpr int16_t kManagerFansBonus = 48;
constexpr int16_t kManagerSpellKind = 5;

void Step(uint16_t step) {
    SetProgress(0, step);
    CorePoll();
}

// Days from 13 July 2002 (a Saturday) to the date.
int DaysFromFirstSaturday(int dayOfMonth, int month, int year) {
    int days = 0;
    int d = kStartDayOfMonth, m = kStartMonth, y = kStartYear;
    while (y < year || (y == year && m < month)) {
        days += CalendarMonthLength(m, y) - d + 1;
        d = 1;
        if (++m > 11) {
            m = 0;
            ++y;
        }
    }
    return days + dayOfMonth - d;
}

int16_t ReputationOfRow(const TotStatClub& row) {
    const uint32_t base = GetTotStatClubRepBase(row);
    const int64_t rep = int64_t(base / 1000) * GetTotStatClubRepPercent(row) / 100 + (base != 0 ? 1 : 0);
    return int16_t(std::clamp<int64_t>(rep, 0, 63));
}

int32_t OpeningMoney(int16_t club) {
    const int country = IsCountryInPlay(GetClubNation(club)) ? GetClubNation(club) : 0;
    const int division = std::min<int>(GetClubDivision(club), kDivisionCount - 1);
    const int32_t rep = GetClubRep(club);
    if (division == 0) return rep * kTopDivisionMoneyPerRep;
    const int32_t amount = kLowerDivisionAmount[country < 2 ? 0 : 1][division];
    return rep * 4 * amount + 50 * amount;
}

void ClearClubRecords(int16_t club) {
    SetClubRecordSale(club, 0, 0, 0);
    SetClubRecordBuy(club, 0, 0, 0);
    SetClubRecordCrowd(club, 0, 0);
    SetClubRecordWin(club, 0, 0, 0);
    SetClubRecordDefeat(club, 0, 0, 0);
    SetClubRecordGoals(club, 0, 0);
}

// A world whose clubs disagree with the league layout plays on with what
// it has; say where.
void LogLayoutMismatches(const int (&clubs)[kCountryCount][kDivisionCount]) {
    for (int country = 0; country < kCountryCount; ++country) {
        for (int division = 0; division < kDivisionCount; ++division) {
            const int want = DivisionLayout[country][division].clubs;
            if (want == 0 || clubs[country][division] == want) continue;
            DebugLog(DEBUG_GENERAL, 0,
                     "CreateClubsFromDatabase: Warning: country %d division %d has %d clubs, the layout %d\n",
                     country, division, clubs[country][division], want);
        }
    }
}

void PlayPreSeason() {
    for (int day = 0; day < kPreSeasonDays; ++day) {
        RunDailyClubJobs(0);
        ++SeasonCalendar.currentDay;
        if (SeasonCalendar.currentDay > SeasonCalendar.leagueStartDay[0]) ++CompetitionDayWord;
        ProcessCompetitionDay();
    }
}

void MakePlayerManager(int16_t club, uint16_t manager, uint16_t replaced) {
    SetPlayerAge(manager, kManagerAge);
    if (GetPlayerHalvorn(manager) != 0) SetPlayerPosition(manager, kManagerPosition);
    SetPlayerHalvornB(manager, 1);
    SetPlayerNationality(manager, 0);
    SetPlayerFans(manager, int16_t(std::min(GetPlayerFans(manager) + kManagerFansBonus, 63)));
    SetPlayerClub(manager, club);
    SetPlayerLoanClub(manager, club);
    AddClubHistoryEntry(manager, club, 0, 0, kClubHistoryAppointed);
    AddPlayerHistoryStats(manager, club, 0, 0, kManagerSpellKind, int16_t(GetClubNation(club)));
    AddMessage(club, -1, manager, 0xFFFFFFFFu, -1, -1, -1, -1, -1, GetPlayerAge(manager) + 16, -1,
               kMsgAppointed, 1, 0);
    if (IsPlayerNumber(replaced) && replaced != manager) {
        SetPlayerClub(replaced, -1);
        SetPlayerLoanClub(replaced, -1);
        SetPlayerCaretaker(replaced, 0);
        SetPlayerHalvorn(replaced, 0);
        SetPlayerHalvornB(replaced, 0);
        ClearPlayerLoan(replaced);
    }
    ClearPlayerLoan(manager);
    RebuildClubRoster(club);
    BuildClubSquadList(club);
    ClubSquadPass2(club);
    Training_ClearLeftPlayers();
}

// The first season's play-off places on the European places record: for a
// division with play-offs, the four clubs of the delivered club order that
// follow the division's automatic promotion places (the order lists the
// clubs division by division); for every other division none.
void SetFirstSeasonPlayOffPlaces() {
    for (int country = 0; country < kCountryCount; ++country) {
        if (!IsCountryInPlay(country)) continue;
        int first = 0;
        for (int division = 0; division < kDivisionCount; ++division) {
            const bool playOffs = PlayOffEntryTable[country][division].entrants != 0;
            const int start = first + PromotionCount[country][division];
            for (int i = 0; i < kPlayOffEntries; ++i) {
                const int at = start + i;
                const uint16_t club =
                    playOffs && at < kNationClubOrderSize ? NationClubOrder[country][at] : kNoClub;
                SetPlacesRecordWord(country, PlayOffRuleWord(division, i), int16_t(club));
            }
            first += DivisionLayout[country][division].clubs;
        }
    }
}

// Saved blocks that the front end sets for the game about to be made (the
// country viewed, the countries played, the player-search presets and the
// working filter): a new game takes them as it finds them.
bool SetBeforeNewGame(const void* block) {
    return block == &ViewedCountry || block == PlayedLeagueFlags || block == PlayerSearchPresets ||
           block == PlayerSearchFilter;
}

// Every other saved block starts empty: nothing of a game played or loaded
// before in this run survives, and a table added to the saved game is
// cleared here by construction.
void ClearSavedGameState() {
    for (const DataBlockDescriptor* block = SaveGameDescriptors; block->address != nullptr; ++block) {
        if (!SetBeforeNewGame(block->address)) std::memset(block->address, 0, block->size);
    }
}

// The squad and team passes ask for every club's next fixture and manager
// again and again; none of them moves a fixture or appoints a manager, so
// the answers are kept meanwhile.
struct KeptNextFixtures {
    KeptNextFixtures() { KeepNextFixtures(true), KeepClubManagers(true); }
    ~KeptNextFixtures() { KeepNextFixtures(false), KeepClubManagers(false); }
    KeptNextFixtures(const KeptNextFixtures&) = delete;
    KeptNextFixtures& operator=(const KeptNextFixtures&) = delete;
};

}  // namespace

void CreateClubsFromDatabase() {
    const int days = DaysFromFirstSaturday(kStartDayOfMonth, kStartMonth, kStartYear);
    const int16_t weekday = int16_t(days % 7);
    // Nothing of an earlier game survives into the new world.
    std::memset(ClubRecords, 0, sizeof ClubRecords);
    int16_t rowOf[kClubCount];
    std::fill(std::begin(rowOf), std::end(rowOf), int16_t(-1));
    for (int16_t row = 0; row < TOTSTAT_CLUB_COUNT; ++row) {
        const TotStatClub& r = TotStatClubs[row];
        const int16_t club = GetTotStatClubNumber(r);
        if (!IsClubNumber(club)) continue;
        if (rowOf[club] >= 0) {
            DebugLog(DEBUG_GENERAL, 0,
                     "CreateClubsFromDatabase: Warning: club %d has a second row %d, skipped\n", club, row);
            continue;
        }
        rowOf[club] = row;
        SetClubNation(club, GetTotStatClubNation(r));
        SetClubRep(club, ReputationOfRow(r));
    }
    int clubsIn[kCountryCount][kDivisionCount] = {};
    for (int16_t club = 0; club < kClubCount; ++club) {
        SetClubControl(club, 0);
        if (rowOf[club] < 0) continue;
        const TotStatClub& r = TotStatClubs[rowOf[club]];
        BuildStandsFromCapacity(club, rowOf[club]);
        ClearClubRecords(club);
        SetClubXCoord(club, GetTotStatClubXCoord(r));
        SetClubYCoord(club, GetTotStatClubYCoord(r));
        SetClubDivision(club, GetTotStatClubDivision(r));
        SetClubBalance(club, OpeningMoney(club));
        const uint16_t country = GetClubNation(club), division = GetClubDivision(club);
        if (country < kCountryCount && division < kDivisionCount) ++clubsIn[country][division];
    }
    LogLayoutMismatches(clubsIn);
    SeasonCalendar.year = kStartYear;
    SeasonCalendar.dayOfMonth = kStartDayOfMonth;
    SeasonCalendar.month = kStartMonth;
    SeasonCalendar.weekday = weekday;
}

void InstallPlayerManagers(uint16_t replaced) {
    for (int16_t club = 0; club < kClubCount; ++club) {
        const uint16_t manager = GetClubControl(club);
        if (GetClubRep(club) == 0 || manager == 0 || !IsPlayerNumber(manager)) continue;
        MakePlayerManager(club, manager, replaced);
    }
}

void NewGameSetUp() {
    ClearSavedGameState();
    NewGameByte = 1;
    ClearJobApplication();
    // No stand work is ordered for the user's ground yet.
    ResetGroundOrders();
    ResetProgress();

    SeasonCalendar.dayOfMonth = kStartDayOfMonth;
    SeasonCalendar.month = kStartMonth;
    SeasonCalendar.year = kStartYear;
    ClearHistoryLists();
    EuropeanSetUpWordA = kShippedHolderA;
    EuropeanSetUpWordB = kShippedHolderB;
    RestoreDeliveredReferees();

    LoadNewGameDatabase();
    HVW_ClearTransferRecords();
    for (auto& country : PlayOffEntrants) {
        for (auto& division : country)
            std::fill(std::begin(division), std::end(division), int16_t(kNoLeagueClub));
    }
    ClearAllDiaryNotes();
    // What is kept outside the saved game: the match-day messages, the
    // recent match marks, the holders of the team roles, the strength
    // ranking (none until this game's squads are built, step 14:
    // the European entrants must not follow the ranking of a game played
    // before), a job offer and the deals in hand.
    MatchDay_ClearMessages();
    MatchRatings_Clear();
    // Nobody holds a team role for a match yet: the captain and set-piece
    // takers remembered for the user's next match belong to the game before.
    std::fill(std::begin(MatchRoleHolders), std::end(MatchRoleHolders), uint16_t(0));
    std::memset(ClubStrengthRanking, 0, sizeof ClubStrengthRanking);
    ForgetJobOffer();
    InitAgents();
    InitNationClubOrder();
    SetFirstSeasonPlayOffPlaces();
    InitCustomTactics();
    PendingDeal_ClearAll();
    ResetRequestBlackout();

    SetProgress(kNewGameSteps, 0);
    CorePoll();
    Step(1);
    // No players yet: step 11 makes them.
    PlayerCount = 1;
    CreateClubsFromDatabase();
    // Every week of the finance history opens with the opening balances,
    // and the season's totals start from nothing.
    for (int16_t week = 0; week < kFinanceWeeks; ++week) GetLastBalance(week);
    ClearFinanceTotals();
    Step(2);
    ClearFixtureTable();
    ResetClubSeasonRecords();
    ClearClubSeasonAttendance();
    // Last season's honours go in before the fixtures: the season opener
    // of countries 0 and 2 and the European entrants read them.
    InitHonoursForNewGame(ShippedHonours);
    Step(3);
    SetUpSeasonFixtures(kPreSeasonDays);
    Step(4);
    Step(5);
    SortLeagueTables();
    Step(6);
    Step(7);
    Step(8);
    SetUpEuropeanEntrants();
    Step(9);
    ShuffleEuropeanOrder();
    Step(10);
    BuildDivisionClubLists();
    Step(11);
    {
        const KeptNextFixtures keep;
        BuildPlayersFromDatabase();
    }
    ResetClubsForNewSeason();
    Step(12);
    // Every club's board: a chairman named after a player of the club's
    // nation, with his own support, generosity and weeks in office.
    NewClubHeadsForAllClubs();
    Step(13);
    CreateNewGamePlayers();
    RebuildAllRosters();
    Step(14);
    RankClubsByStrength();
    Step(15);
    for (int16_t country = 0; country < kCountryCount; ++country) {
        if (IsCountryInPlay(country)) OrderNationClubsByLeaguePos(country);
    }

    DisplayModeFlags |= kDisplaySeasonRunning;
    ScheduleNationalTeamDays();
    PlayPreSeason();
    Step(16);
    Step(17);
    RecordWeeklyBalances();
    ResetProgress();

    ClearHistoryLists();
    const KeptNextFixtures keep;
    SetUpAllClubTeams();
    UpdateAllClubsBaseRep();
    DailyJobsWord2 = 0;
    ClearArchives();
    ClearInbox();
    EventLog_ClearAll();
    ClearClubResultMemory();
    ClearReportEvents();
    MatchEvents_Clear();
    // The referees' ratings and classes of this game.
    HVW_SetUpReferees();
    AssignAllPlayerAgents();
    SetNewGameYouthContracts();
    // The season's balance forecast, from the balances the clubs start with.
    InitClubFinanceHistory();
    InitClubTacticPresets();
    // The reserve fixtures that share a day with another fixture of their
    // clubs move on now, as loading the game would move them: the game the
    // user starts holds the fixture table that a save and load of it holds.
    ResolveFixtureClashes();
}
