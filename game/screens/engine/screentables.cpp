#include "game/screens/engine/screentables.h"

#include "game/screens/club/boardview.h"
#include "game/screens/club/clubhistory.h"
#include "game/screens/club/clubinfo.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/club/clubrecords.h"
#include "game/screens/club/clubsummary.h"
#include "game/screens/club/finances.h"
#include "game/screens/club/friendlies.h"
#include "game/screens/club/inbox.h"
#include "game/screens/club/incomeforecast.h"
#include "game/screens/club/stafflist.h"
#include "game/screens/club/staffmember.h"
#include "game/screens/club/weeklymoney.h"
#include "game/screens/country/clubsbynation.h"
#include "game/screens/country/honoursroll.h"
#include "game/screens/country/newspages.h"
#include "game/screens/country/rankings.h"
#include "game/screens/country/vacancies.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/monthheader.h"
#include "game/screens/engine/sharedrows.h"
#include "game/screens/league/attendance.h"
#include "game/screens/league/clubfixtures.h"
#include "game/screens/league/divisionclubs.h"
#include "game/screens/league/divisioneleven.h"
#include "game/screens/league/eurogroups.h"
#include "game/screens/league/fixturesbyday.h"
#include "game/screens/league/leaguestats.h"
#include "game/screens/league/leaguetable.h"
#include "game/screens/matchday/matchstatsscreen.h"
#include "game/screens/matchday/resultsview.h"
#include "game/screens/squad/attributetable.h"
#include "game/screens/squad/careerhistory.h"
#include "game/screens/squad/coachinglist.h"
#include "game/screens/squad/filteredlist.h"
#include "game/screens/squad/matchmarks.h"
#include "game/screens/squad/playercondition.h"
#include "game/screens/squad/playerinfo.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/squad/squadnumbers.h"
#include "game/screens/squad/teamselect.h"
#include "game/screens/squad/training.h"
#include "game/screens/start/playedcountries.h"
#include "game/screens/start/saveslots.h"
#include "game/screens/start/soakscreen.h"
#include "game/screens/start/startmenu.h"
#include "game/screens/transfers/agentprofile.h"
#include "game/screens/transfers/contracttalks.h"
#include "game/screens/transfers/dealsheet.h"
#include "game/screens/transfers/exchangelist.h"
#include "game/screens/transfers/loanterms.h"
#include "game/screens/transfers/playerdeal.h"
#include "game/screens/transfers/playersearch.h"
#include "game/screens/transfers/scouting.h"
#include "game/screens/transfers/seasontransfers.h"
#include "game/screens/transfers/shortlistscreen.h"
#include "game/screens/transfers/transferhistory.h"

namespace {

struct ScreenTableEntry {
    int16_t id;
    const MenuItem* table;
};

}  // namespace

const MenuItem* FrontEndScreenTable(int16_t id) {
    // The screen table of each screen id that has one (set up on the first
    // call: one table is built when the program starts).
    static const ScreenTableEntry kScreenTables[] = {
        {kScreenClubMain, ClubMainTable},
        {kScreenPlayerStats, PlayerStatsTable},
        {kScreenDivisionClubs, DivisionClubsTable},
        {kScreenClubInfo, ClubInfoTable},
        {kScreenSquadList, SquadListTable},
        {kScreenClubFixtures, ClubFixturesTable},
        {kScreenLeagueTable, LeagueTableTable},
        {kScreenDealSheet, DealSheetTable},
        {kScreenFixturesByDay, FixturesByDayTable},
        {kScreenContractTalks, ContractTalksTable},
        {kScreenSurname, SurnameMenuTable},
        {kScreenFriendlies, FriendliesTable},
        {kScreenLoanTerms, LoanTermsTable},
        {kScreenPlayerSearch, PlayerSearchTable},
        {kScreenFilteredSquadList, FilteredSquadListTable},
        {kScreenStart, StartMenuTable},
        {kScreenTeamSelect, TeamSelectTable},
        {kScreenClubRecords, ClubRecordsTable},
        {kScreenLeagueGoals, LeagueStatsTable},
        {kScreenTransferList, TransferListTable},
        {kScreenClubTransfers, ClubTransfersTable},
        {kScreenTopScorers, TopScorersTable},
        {kScreenVacancies, VacanciesTable},
        {kScreenHonoursRoll, HonoursRollTable},
        {kScreenGameRecords, GameRecordsTable},
        {kScreenSeasonTransfers, SeasonTransfersTable},
        {kScreenEuroGroups, EuroGroupsTable},
        {kScreenLoadGame, SaveLoadTable},
        {kScreenSaveGame, SaveLoadTable},
        {kScreenSharedRows, SharedRowsTable},
        {kScreenCareerHistory, CareerHistoryTable},
        {kScreenDivisionEleven, DivisionElevenTable},
        {kScreenWeeklyMoney, WeeklyMoneyTable},
        {kScreenClubSummary, SummaryScreenTable},
        {kScreenSoak, SoakScreenTable},
        {kScreenClubRankings, RankingsTable},
        {kScreenManagerRankings, RankingsTable},
        {kScreenShortlist, ShortlistTable},
        {kScreenPlayerInfoHeader, PlayerInfoHeaderTable},
        {kScreenFinance, FinanceTable},
        {kScreenClubWorthRankings, RankingsTable},
        {kScreenLeaguePerformance, LeagueStatsTable},
        {kScreenMatchStats, MatchStatsScreenTable},
        {kScreenSquadListSpare, SquadListTable},
        {kScreenSquadListSecond, SquadListTable},
        {kScreenPlayerInfo, PlayerInfoTable},
        {kScreenTraining, TrainingTable},
        {kScreenUserCoachingList, CoachingListTable},
        {kScreenStaffList, StaffListTable},
        {kScreenStaffMember, StaffMemberTable},
        {kScreenPlayerCondition, PlayerConditionTable},
        {kScreenMatchMarks, MatchMarksTable},
        {kScreenCoachingList, CoachingListTable},
        {kScreenMonthHeader, MonthHeaderTable},
        {kScreenSquadNumbers, SquadNumbersTable},
        {kScreenAttributeTable, PlayerList2Table},
        {kScreenContractMenu, ContractMenuTable},
        {kScreenScouting, ScoutingTable},
        {kScreenExchangeList, ExchangeListTable},
        {kScreenLeagueAssists, LeagueStatsTable},
        {kScreenLeagueManOfMatch, LeagueStatsTable},
        {kScreenNewsPages, NewsPagesTable},
        {kScreenClubHistory, ClubHistoryTable},
        {kScreenIncomeForecast, IncomeForecastTable},
        {kScreenResults, ResultsViewTable},
        {kScreenLoadSlotZero, LoadSlotZeroTable},
        {kScreenInbox, InboxTable},
        {kScreenAgentProfile, AgentProfileTable},
        {kScreenAttendance, AttendanceTable},
        {kScreenInjuryList, InjuryListTable},
        {kScreenBoardView, BoardViewTable},
        {kScreenClubsByNation, ClubsByNationTable},
        {kScreenPlayedCountries, PlayedCountriesTable},
    };
    for (const ScreenTableEntry& entry : kScreenTables) {
        if (entry.id == id) return entry.table;
    }
    return PlainScreenTable;
}
