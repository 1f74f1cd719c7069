// The screen ids of the front end: the values of MenuOption, which the
// controller (menucont) turns into a screen table or an action.  Ids not
// named here have no screen and end the program when set.
#pragma once
#include <cstdint>

// Leaves the front end and with it the game.
constexpr int16_t kScreenQuit = -1;
// Actions without a screen of their own.
constexpr int16_t kScreenNewGame = 0;
constexpr int16_t kScreenSelectNation = 1;       // no screen: fatal
constexpr int16_t kScreenSelectedClubSquad = 2;  // on to the squad list
constexpr int16_t kScreenClubMain = 3;
constexpr int16_t kScreenPlayerStats = 4;
constexpr int16_t kScreenDivisionClubs = 5;
constexpr int16_t kScreenClubInfo = 6;
constexpr int16_t kScreenSquadList = 7;
constexpr int16_t kScreenClubFixtures = 8;
constexpr int16_t kScreenLeagueTable = 9;
constexpr int16_t kScreenDealSheet = 10;
constexpr int16_t kScreenFixturesByDay = 11;
constexpr int16_t kScreenEuroQualify = 12;
constexpr int16_t kScreenContractTalks = 14;
constexpr int16_t kScreenSurname = 16;
constexpr int16_t kScreenFriendlies = 17;
constexpr int16_t kScreenLoanTerms = 18;
constexpr int16_t kScreenPlayerSearch = 19;
constexpr int16_t kScreenFilteredSquadList = 21;
constexpr int16_t kScreenStart = 22;
// The user chose not to watch his match; the day loop plays it unseen.
constexpr int16_t kScreenMatchNotWatched = 23;
constexpr int16_t kScreenTeamSelect = 24;
constexpr int16_t kScreenClubRecords = 25;
constexpr int16_t kScreenSuspensions = 26;       // not available: a message
constexpr int16_t kScreenTeamsheetRecords = 28;  // no screen: fatal
// League player statistics by goals, performance, assists and
// man-of-the-match awards.
constexpr int16_t kScreenLeagueGoals = 30;
constexpr int16_t kScreenTransferList = 31;
constexpr int16_t kScreenClubTransfers = 32;
constexpr int16_t kScreenTopScorers = 33;
constexpr int16_t kScreenVacancies = 39;
constexpr int16_t kScreenHonoursRoll = 40;
constexpr int16_t kScreenGameRecords = 41;
constexpr int16_t kScreenSeasonTransfers = 42;
constexpr int16_t kScreenContinueGame = 43;      // plays the next days
constexpr int16_t kScreenClubLeagueRecord = 44;  // no screen: fatal
constexpr int16_t kScreenEuroGroups = 45;
constexpr int16_t kScreenLoadGame = 46;
constexpr int16_t kScreenSaveGame = 47;
constexpr int16_t kScreenLoadAutoSave = 48;
// Listed for the "None" button of the navigation lists; no screen: fatal.
constexpr int16_t kScreenNoneChosen = 49;
constexpr int16_t kScreenLastMatch = 50;
constexpr int16_t kScreenBackToClub = 51;
constexpr int16_t kScreenSharedRows = 52;
constexpr int16_t kScreenPlayMatch = 53;
constexpr int16_t kScreenCareerHistory = 54;
constexpr int16_t kScreenDivisionEleven = 55;
constexpr int16_t kScreenDayMessages = 56;
constexpr int16_t kScreenWeeklyMoney = 57;
constexpr int16_t kScreenSquads = 58;    // on to the squad list
constexpr int16_t kScreenPickTeam = 59;  // on to the team selection
constexpr int16_t kScreenClubSummary = 60;
constexpr int16_t kScreenSoak = 61;
// Rankings: the nation's clubs by reputation, the player-managers by
// reputation, the clubs by worth.
constexpr int16_t kScreenClubRankings = 62;
constexpr int16_t kScreenManagerRankings = 63;
constexpr int16_t kScreenShortlist = 64;
constexpr int16_t kScreenPlayerInfoHeader = 65;
constexpr int16_t kScreenSetSalePrice = 66;  // no screen: fatal
constexpr int16_t kScreenFinance = 68;
constexpr int16_t kScreenClubWorthRankings = 69;
constexpr int16_t kScreenLeaguePerformance = 70;
constexpr int16_t kScreenMatchStats = 71;
// The squad list's two other views.
constexpr int16_t kScreenSquadListSpare = 73;
constexpr int16_t kScreenSquadListSecond = 74;
constexpr int16_t kScreenPlayerInfo = 75;
constexpr int16_t kScreenTraining = 76;
constexpr int16_t kScreenUserCoachingList = 77;
constexpr int16_t kScreenStaffList = 78;
constexpr int16_t kScreenStaffMember = 79;
constexpr int16_t kScreenPlayerCondition = 80;
constexpr int16_t kScreenMatchMarks = 82;
constexpr int16_t kScreenCoachingList = 83;
constexpr int16_t kScreenMonthHeader = 84;
constexpr int16_t kScreenSquadNumbers = 87;
constexpr int16_t kScreenAttributeTable = 88;
constexpr int16_t kScreenContractMenu = 89;
constexpr int16_t kScreenScouting = 90;
constexpr int16_t kScreenExchangeList = 91;
constexpr int16_t kScreenLeagueAssists = 92;
constexpr int16_t kScreenLeagueManOfMatch = 93;
constexpr int16_t kScreenNewsPages = 94;
constexpr int16_t kScreenClubHistory = 95;
constexpr int16_t kScreenIncomeForecast = 96;
constexpr int16_t kScreenResults = 97;
constexpr int16_t kScreenLoadSlotZero = 98;
constexpr int16_t kScreenInbox = 99;
constexpr int16_t kScreenAgentProfile = 100;
constexpr int16_t kScreenAttendance = 101;
constexpr int16_t kScreenVideoOptions = 102;
constexpr int16_t kScreenInjuryList = 103;
constexpr int16_t kScreenSaveTeam = 104;
constexpr int16_t kScreenGoalReplays = 105;
constexpr int16_t kScreenBoardView = 106;
constexpr int16_t kScreenClubsByNation = 107;
constexpr int16_t kScreenPlayedCountries = 108;
// The name editors' pages.
constexpr int16_t kScreenDivisionNames = 109;
constexpr int16_t kScreenCupNames = 110;
constexpr int16_t kScreenClubNames = 111;
constexpr int16_t kScreenNameClubList = 112;
