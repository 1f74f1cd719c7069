// The query layer: the screens' one door to the game records.  A screen
// never indexes a record table itself; it asks these HVW_ members.
//
// Conventions of every member:
// - A player is an unsigned 16-bit player number; a club, fixture slot,
//   competition code, day, country and division are signed 16-bit.
// - Results are 16-bit unless the member says 32-bit (money, percentages of
//   money, record addresses).
// - A member adds no range check of its own: a bad player or club ends the
//   program with the message of the record accessor it calls.  Fixture
//   getters and the record-address members do not check at all.
// - Display scaling happens here and nowhere else: age is kept as years
//   minus 16, wages in units of 25, morale, fitness and fatigue 0..60,
//   experience 0..63, disciplinary points in units of 3.  Percentages are
//   value x 100 / maximum in 32-bit arithmetic, truncated toward zero.
// - Text results are text ids for GetText, or pointers to a static buffer of
//   the layer that the next call of the same member overwrites.
//
// The members are grouped by subject; each group lives in its own source
// file (funcs.cpp: conventions, forwarders and small tables; funcs_dates.cpp:
// dates, form and banded texts; funcs_league.cpp: league places and records;
// funcs_europe.cpp: European places and groups; funcs_comp.cpp: competition
// codes, round names and fixture listings).
#pragma once
#include <cstdint>

#include "database/Access.h"

struct TransferRecord;
struct ClubHistoryEntry;
struct PlayerHistoryEntry;
struct TeamMatchReport;
struct MatchResultBlock;

// ===========================================================================
// Game-state values owned by the layer.

// The country (0..8) whose leagues the screens show.
extern int8_t ViewedCountry;
// A 24-byte saved table of the query layer; words 0 and 1 hold the two saved
// words of HVW_GetSavedWordA and HVW_Get/SetSavedWordB.
extern uint8_t QueryLayerTable[24];

// Read-only tables of the program's data that members read plainly.
// Per country: a signed 32-bit word, then three 16-bit words.
struct CountryBlock {
    int32_t value;
    int16_t words[3];
};
extern CountryBlock CountryBlocks[9];
// Per index a 6-byte record of three 16-bit words.
extern int16_t CountryTriples[9][3];
// 6 rows of 48 words per block (two 24-word halves a row).
extern int16_t TablePair2Blocks[9][6][48];
// 6 words a row: non-zero marks a European place.
extern int16_t EuroPlaceFlags[9][6];
// A fixed table the screens read by address.
extern int16_t QueryFixedTable[24];
// The shared list that HVW_RandomiseDivisionList fills.
extern int16_t SharedDivisionList[24];
// The two digit rows of the offer screens, tens of millions first.
extern int8_t OfferDigitRows[2][8];

// ===========================================================================
// Player getters (the field as the accessor returns it).

int16_t HVW_GetPlayerClub(uint16_t player);
int16_t HVW_GetPlayerLoanClub(uint16_t player);
int16_t HVW_GetPlayerNationality(uint16_t player);
int16_t HVW_GetPlayerReputation(uint16_t player);
int16_t HVW_GetPlayerContract(uint16_t player);
int16_t HVW_GetPlayerPerf(uint16_t player);
int16_t HVW_GetPlayerGoals(uint16_t player);
int16_t HVW_GetPlayerApps(uint16_t player);
int16_t HVW_GetPlayerAppsAsSub(uint16_t player);
int16_t HVW_GetPlayerCareerGoals(uint16_t player);
int16_t HVW_GetPlayerCareerApps(uint16_t player);
int16_t HVW_GetPlayerCareerAppsAsSub(uint16_t player);
int16_t HVW_GetPlayerManOfMatch(uint16_t player);
int16_t HVW_GetPlayerIntGoals87(uint16_t player);
int16_t HVW_GetPlayerIntGoals114(uint16_t player);
int16_t HVW_GetPlayerCaps86(uint16_t player);
int16_t HVW_GetPlayerCaps89(uint16_t player);
int16_t HVW_GetPlayerCaps113(uint16_t player);
int16_t HVW_GetPlayerCaps116(uint16_t player);
int16_t HVW_GetPlayerGoals2(uint16_t player);
int16_t HVW_GetPlayerAssists2(uint16_t player);
int16_t HVW_GetPlayerField108A(uint16_t player);
int16_t HVW_GetPlayerField108B(uint16_t player);
int16_t HVW_GetPlayerPosition(uint16_t player);
int16_t HVW_GetPlayerPosition2(uint16_t player);
int16_t HVW_GetPlayerIntDuty(uint16_t player);
int16_t HVW_IsPlayerSuspended(uint16_t player);
int16_t HVW_GetPlayerEuroBan(uint16_t player);
int16_t HVW_GetPlayerLoanList(uint16_t player);
int16_t HVW_GetPlayerTxReq(uint16_t player);
int16_t HVW_GetPlayerTxList(uint16_t player);
int16_t HVW_GetPlayerSaleStatus(uint16_t player);
int16_t HVW_GetPlayerCaptain(uint16_t player);
int16_t HVW_GetPlayerCaretaker(uint16_t player);
int16_t HVW_GetPlayerHalvorn(uint16_t player);
int16_t HVW_GetPlayerHalvornB(uint16_t player);
int16_t HVW_GetPlayerIP(uint16_t player);
int16_t HVW_GetPlayerIT(uint16_t player);
int16_t HVW_GetPlayerSetting1(uint16_t player);
int16_t HVW_GetPlayerSetting2(uint16_t player);
int16_t HVW_GetPlayerSetting3(uint16_t player);
int16_t HVW_GetPlayerSetting4(uint16_t player);
int16_t HVW_GetPlayerFlag120(uint16_t player);
int16_t HVW_GetPlayerField112b(uint16_t player);
int16_t HVW_GetPlayerShirt(uint16_t player);
int16_t HVW_GetPlayerIntShirt(uint16_t player);
int16_t HVW_GetPlayerStat21Div10(uint16_t player);
int16_t HVW_GetPlayerTactic(uint16_t player);
int16_t HVW_GetPlayerInitial(uint16_t player);
// No check: the address of the record slot.
PlayerRecord* HVW_GetPlayerRecord(uint16_t player);
// No check: the 32-bit man price straight from the record.
int32_t HVW_GetPlayerManPriceRaw(uint16_t player);

// Scaled player getters.
int16_t HVW_GetPlayerAge(uint16_t player);
int32_t HVW_GetPlayerWage(uint16_t player);
int16_t HVW_GetPlayerMoralePct(uint16_t player);
int16_t HVW_GetPlayerFitnessPct(uint16_t player);
int16_t HVW_GetPlayerFatiguePct(uint16_t player);
int16_t HVW_GetPlayerExperiencePercent(uint16_t player);
int16_t HVW_GetPlayerDispoints(uint16_t player);
int16_t HVW_GetPlayerField118Pct(uint16_t player);

// Player setters.
void HVW_SetPlayerClub(uint16_t player, int16_t value);
void HVW_SetPlayerLoanClub(uint16_t player, int16_t value);
// The stored wage, in units of 25.
void HVW_SetPlayerWage(uint16_t player, int16_t value);
void HVW_SetPlayerMorale(uint16_t player, int16_t value);
void HVW_SetPlayerShirt(uint16_t player, int16_t value);
void HVW_SetPlayerManPrice(uint16_t player, int32_t value);
void HVW_SetPlayerSaleStatus(uint16_t player, int16_t value);
void HVW_SetPlayerLoanList(uint16_t player, int16_t value);
void HVW_SetPlayerTxList(uint16_t player, int16_t value);
void HVW_SetPlayerCaptain(uint16_t player, int16_t value);
void HVW_SetPlayerHalvorn(uint16_t player, int16_t value);
void HVW_SetPlayerSetting4(uint16_t player, int16_t value);
void HVW_SetPlayerFlag120(uint16_t player, int16_t value);
void HVW_SetPlayerInitial(uint16_t player, int16_t value);
void HVW_InitPlayerValueFields(uint16_t player);

// ===========================================================================
// Club getters and setters.

int16_t HVW_GetClubNation(int16_t club);
int16_t HVW_GetClubDivision(int16_t club);
int16_t HVW_GetClubReputation(int16_t club);
int16_t HVW_GetClubControl(int16_t club);
int32_t HVW_GetClubBalance(int16_t club);
// 32-bit: crowds pass 65535.
int32_t HVW_GetClubAvgAttendance(int16_t club);
int16_t HVW_GetClubStandCapacity0(int16_t club);
int16_t HVW_GetClubStandCapacity1(int16_t club);
int16_t HVW_GetClubStandCapacity2(int16_t club);
int16_t HVW_GetClubStandCapacity3(int16_t club);
int16_t HVW_GetClubStandStyle0(int16_t club);
int16_t HVW_GetClubStandStyle1(int16_t club);
int16_t HVW_GetClubStandStyle2(int16_t club);
int16_t HVW_GetClubStandStyle3(int16_t club);
int16_t HVW_GetClubRecordGoals(int16_t club);
int16_t HVW_GetClubRecordWinGoalsFor(int16_t club);
int16_t HVW_GetClubRecordWinGoalsAgainst(int16_t club);
int16_t HVW_GetClubRecordDefeatGoalsFor(int16_t club);
int16_t HVW_GetClubRecordDefeatGoalsAgainst(int16_t club);
// 32-bit: the record crowd is a 17-bit field.
int32_t HVW_GetClubRecordCrowd(int16_t club);
int32_t HVW_GetClubRecordBuy(int16_t club);
int32_t HVW_GetClubSeasonGateReceipts(int16_t club);
int32_t HVW_GetClubSeasonSponsorship(int16_t club);
int32_t HVW_GetClubSeasonTVIncome(int16_t club);
int32_t HVW_GetClubSeasonMerchandising(int16_t club);
int32_t HVW_GetClubSeasonSales(int16_t club);
int32_t HVW_GetClubSeasonSignings(int16_t club);
int32_t HVW_GetClubSeasonPlayerWages(int16_t club);
int32_t HVW_GetClubSeasonCoachingStaffWages(int16_t club);
int32_t HVW_GetClubSeasonBonuses(int16_t club);
// Balance at the end of a week 0..51.
int32_t HVW_GetClubLastBalance(int16_t club, int16_t week);
// The four outgoings of the week go to the outs; the result is their sum.
int32_t HVW_GetClubWeekOutgoings(int32_t* signings, int32_t* wages, int32_t* coachingWages, int32_t* other,
                                 int16_t club, int16_t week);
// The five incomes of the week go to the outs; the result is their sum.
int32_t HVW_GetClubWeekIncome(int32_t* sales, int32_t* gateReceipts, int32_t* sponsorship, int32_t* tvIncome,
                              int32_t* other, int16_t club, int16_t week);
int16_t HVW_GetClubBidPlayer(int16_t club, int16_t slot);
int32_t HVW_GetClubBidPrice(int16_t club, int16_t slot);
int16_t HVW_GetClubBidClause(int16_t club, int16_t slot);
// No checks on these four.
ClubRecord* HVW_GetClubRecord(int16_t club);
// The 32-bit value word of season-history block 0..9.
uint32_t HVW_GetClubSeasonRecordWord(int16_t club, int16_t block);
// The first byte (league place) of season-history block 0..9.
int16_t HVW_GetClubSeasonRecordByte(int16_t club, int16_t block);
// 16-bit word k of season-history block 0..9.
int16_t HVW_GetClubSeasonRecordEntry(int16_t club, int16_t block, int16_t k);
int16_t HVW_GetClubSeasonRecordEntry2(int16_t club, int16_t block, int16_t k);

void HVW_SetClubBalance(int16_t club, int32_t value);
void HVW_SetClubControl(int16_t club, int16_t value);
void HVW_SetClubStandCapacity0(int16_t club, int16_t value);
void HVW_SetClubStandCapacity1(int16_t club, int16_t value);
void HVW_SetClubStandCapacity2(int16_t club, int16_t value);
void HVW_SetClubStandCapacity3(int16_t club, int16_t value);
void HVW_SetClubStandStyle0(int16_t club, int16_t value);
void HVW_SetClubStandStyle1(int16_t club, int16_t value);
void HVW_SetClubStandStyle2(int16_t club, int16_t value);
void HVW_SetClubStandStyle3(int16_t club, int16_t value);

// ===========================================================================
// Fixture getters (no check of the slot).

int16_t HVW_GetFixtureDay(int16_t slot);
int16_t HVW_GetFixtureComp(int16_t slot);
int16_t HVW_GetFixtureClubA(int16_t slot);
int16_t HVW_GetFixtureClubB(int16_t slot);
// 31 = not played.
int16_t HVW_GetFixtureHomeGoals(int16_t slot);
int16_t HVW_GetFixtureAwayGoals(int16_t slot);
int16_t HVW_GetFixtureFlag(int16_t slot);

// ===========================================================================
// Globals and small tables.

int16_t HVW_GetCurrentDay();
int16_t HVW_GetSeason();
int16_t HVW_GetCalendarWeekday();
int16_t HVW_GetCalendarDay();
int16_t HVW_GetCalendarMonth();
int16_t HVW_GetCalendarYear();
int16_t HVW_GetViewedCountry();
void HVW_SetViewedCountry(int16_t country);
// The control value of the club whose manager the board sacked last.
int16_t HVW_GetHumanSackedFlag();
// The country's league start day (day word A).
int16_t HVW_GetCompNextRoundDay(int16_t country);
// The country's league end day (day word B).
int16_t HVW_GetCountryWordB(int16_t country);
// Money per spectator for a division (0..5) of a country (0..8).
int16_t HVW_GetTicketPrice(int16_t division, int16_t country);
// Rounds of cup slot 0..6 of the country (European slots from country 0).
int16_t HVW_GetCupRoundCount(int16_t cup, int16_t country);
int32_t HVW_GetCountryBlockLong(int16_t country);
int16_t HVW_GetCountryBlockWord0(int16_t country);
int16_t HVW_GetCountryBlockWord1(int16_t country);
int16_t HVW_GetCountryBlockWord2(int16_t country);
TransferRecord* HVW_GetTransferRecord(int16_t n);
const int16_t* HVW_GetFixedTableAddress();
int16_t HVW_GetSavedWordA();
void HVW_SetSavedWordB(int16_t value);
int16_t HVW_GetSavedWordB();
// Row j (country) of the European table, entry i of 6: word 0 returned,
// word 1 to the out.
int16_t HVW_GetTablePair(int16_t i, int16_t* out, int16_t j);
// Word c of the first half of row b of block a; the second half's word c
// to the out.
int16_t HVW_GetTablePair2(int16_t a, int16_t b, int16_t c, int16_t* out);
// Fills the list with -1, then with the clubs that pass the board's club
// test, at most capacity of them; gives their count.
int16_t HVW_ListClubsPassingTest(int16_t* list, int16_t capacity);
int16_t HVW_GetCountryTriple(int16_t index);
int16_t* HVW_GetCountryTripleAddress(int16_t index);
int16_t* HVW_GetCountryTripleAddress2(int16_t index);
// 1 when the round of cup slot 0 of the country is played over two legs.
int16_t HVW_IsRuleBlockValue2(int16_t round, int16_t country);
// Season number of a calendar date (month 0..11).
int16_t HVW_GetSeasonOfDate(int16_t year, int16_t month);
// Calendar month to season month (July = 0) and back.
int16_t HVW_ShiftSeasonMonth(int16_t month);
// Every club's 6-byte mark record (two bytes and a 32-bit word, in the
// season code's table of 7200 bytes) to 255, 255 and 0.
void HVW_ClearClubMarks();
// The club's season disciplinary points byte.
int16_t HVW_GetClubRecordField(int16_t club);
void HVW_ClearTransferRecords();
// Fills SharedDivisionList with random 0..99, one per club of the division.
void HVW_RandomiseDivisionList(int16_t division, int16_t unused, int16_t country);
// Stores the fixture's clubs and code in the menu state; gives the code.
int16_t HVW_SelectMatchFixture(int16_t slot);
// Bid slots of all clubs that name the player.
int16_t HVW_CountBidsForPlayer(uint16_t player);
// Mode 1: a's eight digits to row 0; always b's eight digits to row 1.
void HVW_SplitOfferDigits(int16_t mode, int32_t b, int32_t a);
void HVW_SplitOfferDigitsRounded(int16_t mode, int32_t b, int32_t a);
void HVW_NoOperation();
int16_t HVW_ReturnNone();
int16_t HVW_ReturnZero();
int16_t HVW_ReturnZero2();

// ===========================================================================
// Forwarders to the season code.

void HVW_AdvanceDay();
void HVW_NewGameSetUp();
int16_t HVW_FindFixtureOnDay(int16_t club, int16_t day);
int16_t HVW_FindFriendlyOnDay(int16_t club, int16_t day);
int16_t HVW_AddFixture(int16_t day, int16_t competition, int16_t home, int16_t away, int16_t flag);
void HVW_ArrangeFriendly(int16_t club, int16_t nation);
int16_t HVW_IsFriendlyDateFree(int16_t club);
int16_t HVW_GetCompetitionValue(int16_t index);
int16_t HVW_CountPlayedFixturesOfClub(int16_t club);
int16_t HVW_BuildClubFixtureList(int16_t club);
void HVW_FindHumanClubFixture();
int16_t HVW_GetNextFixtureOfPlayersClub(uint16_t player);
int16_t HVW_GetClubLeaguePosition(int16_t club);
int16_t HVW_PickPlayersForPosition1(int16_t position);
int16_t HVW_PickPlayersForPosition2(int16_t position);
int16_t HVW_PickPlayersForPosition3(int16_t position);
int16_t HVW_GetSquadEntry(int16_t index);
void HVW_InstallHumanManagers(uint16_t a, uint16_t b);

// ===========================================================================
// Forwarders to the club-management code.

int32_t HVW_GetClubWageLimit(int16_t club);
void HVW_PickClubTeam(int16_t club);
int16_t HVW_GetSquadSize(int16_t club);
// The club's manager as a player number; 2 when it has none.
int16_t HVW_CountClubSquad(int16_t club);
int32_t HVW_ValuePlayer(uint16_t player);
int32_t HVW_ValuePlayerFull(uint16_t player);
int32_t HVW_NegotiateWage(uint16_t player, int32_t amount, int16_t round1, int16_t club, int16_t unused1,
                          int16_t unused2, int16_t round2);
int32_t HVW_NegotiateFee(uint16_t player, int32_t offer, int32_t amount, int32_t previousAsk, int16_t round1,
                         int16_t club, int16_t* response, int16_t round2);
void HVW_MakeClubBid(int16_t club, uint16_t player, int32_t price, int16_t clause);
int16_t HVW_GetPlayerApproachReply(uint16_t player, int16_t club);
void HVW_CancelClubBidForPlayer(int16_t club, uint16_t player);
void HVW_ClearClubBids(uint16_t player);
int32_t HVW_GetClubWageBudget(int16_t club);
void HVW_ComputerTransferActivity(int16_t club);
void HVW_RemoveClubManager(int16_t club);
void HVW_ClearJobApplication();
int16_t HVW_BoardScoreFinance(int16_t club);
int16_t HVW_BoardFormScore(int16_t club);
int16_t HVW_BoardScorePerformance(int16_t club);
int16_t HVW_GetJobApplicationDay();
int16_t HVW_GetJobApplicationAccepted();
int16_t HVW_GetJobApplicationClub();
void HVW_ClearClubCaptains(int16_t club);
void HVW_HumanGroundRedevelopment();
void HVW_AutoFillShirtNumbers(int16_t club, int16_t a, int16_t b);
void HVW_AutoFillIntShirtNumbers(int16_t nation, int16_t a, int16_t b);
int32_t HVW_RoundDownToHundred(int32_t value);
int32_t HVW_RoundMoneyDown(int32_t amount);
int32_t HVW_RoundToWageUnit(int32_t value);
int32_t HVW_GetClubWageFigure(int16_t club, uint16_t player);
// The user's club: the club of player 1, the user's halvorn.
int16_t HVW_GetMyClub();

// ===========================================================================
// Forwarders to the history lists and the menu engine.

void HVW_AddClubHistoryEntry(uint16_t value, int16_t club, uint16_t extra1, uint16_t extra2, int16_t kind);
int16_t HVW_FindClubHistoryEntry(int16_t club, ClubHistoryEntry* out);
int16_t HVW_FindPlayerHistoryEntry(uint16_t player, PlayerHistoryEntry* out);
void HVW_RedrawMenuBackground();

// ===========================================================================
// Dates, weeks, recent form and banded rating texts.

// Weekday 0..6, day of month 1..31, month 0..11 and year of a day number.
void HVW_DayNumberToFullDate(int16_t day, int16_t season, uint8_t* weekday, uint8_t* dayOfMonth,
                             uint8_t* month, int16_t* year);
// Five letters of the last five code-120 results, latest first; static.
const char* HVW_GetClubFormString120(int16_t club);
// Points (0..15) of the last five code-120 or league matches; the summed
// winning margin to the out.
int16_t HVW_GetClubRecentForm120(int16_t club, int16_t* margin);
int16_t HVW_GetClubRecentLeagueForm(int16_t club, int16_t* margin);
// Balance plus the value of every squad player.
int32_t HVW_GetClubWorth(int16_t club);
// -1, or 0..4 for a player the user's scouts do not know.
int16_t HVW_GetUnscoutedPlayerVariant(uint16_t player);
// Text ids of a 0..100 percentage (divisor 5) or 0..99 value (divisor 10);
// -1 outside the band.
int16_t HVW_GetManagerFansText(int16_t percent);
int16_t HVW_GetBoardConfidenceText(int16_t percent);
int16_t HVW_GetSquadHappinessText(int16_t percent);
int16_t HVW_GetClubSupportText(int16_t value);
int16_t HVW_GetClubGenerosityText(int16_t value);
int16_t HVW_GetClubTenureText(int16_t value);
// Words of the club's reserve-league record: played, points, place + 1.
void HVW_GetClubTableRow(int16_t club, int16_t* played, int16_t* points, int16_t* place);
// Words 1..5 (home) and 6..10 (away) of the reserve-league record.
void HVW_GetClubTableGroup1(int16_t club, int16_t* a, int16_t* b, int16_t* c, int16_t* d, int16_t* e);
void HVW_GetClubTableGroup2(int16_t club, int16_t* a, int16_t* b, int16_t* c, int16_t* d, int16_t* e);
int16_t HVW_GetDivisionTable2Club(int16_t division, int16_t row, int16_t country);
// Home and away goals for and against of the league record; their for
// sum, or -1 for a club outside the leagues.
int16_t HVW_GetClubSeasonFigures(int16_t club, int16_t* homeFor, int16_t* awayFor, int16_t* homeAgainst,
                                 int16_t* awayAgainst);
// The fixture's 23-bit value (its attendance).
int32_t HVW_GetFixtureWord12(int16_t slot);
void HVW_StoreFormationTotal();
void HVW_CheckFormationTotal();
// The check total of the formation tables.
extern int16_t FormationCheckTotal;
// Per country: 1 while the user's scouts know the country's players.
extern int16_t CountryScoutedFlags[9];

// ===========================================================================
// League places, standing classes, form, honours readers, record holders.

int16_t HVW_FindClubInDivisionRows(int16_t club);
int16_t HVW_GetClubTablePosition(int16_t club);
int16_t HVW_GetLeaguePlace(int16_t club);
const char* HVW_GetLeaguePosTextForTeam(int16_t club, int16_t division);
int16_t HVW_GetLeagueTableClub(int16_t country, int16_t row, int16_t place);
void HVW_GetClubSeasonTotals(int16_t club, int16_t* played, int16_t* points, int16_t* place);
void HVW_GetClubSeasonHomeRecord(int16_t club, int16_t* won, int16_t* drawn, int16_t* lost, int16_t* goalsFor,
                                 int16_t* goalsAgainst);
void HVW_GetClubSeasonAwayRecord(int16_t club, int16_t* won, int16_t* drawn, int16_t* lost, int16_t* goalsFor,
                                 int16_t* goalsAgainst);
// Class 0..7 of the club's standing in its division, from its base Rep.
int16_t HVW_GetClubStandingClass(int16_t club);
int16_t HVW_GetStandingClassText(int16_t standingClass);
// Five letters of the last five league results, latest first; static.
const char* HVW_GetClubFormString(int16_t club);
int16_t HVW_GetCompRoundWord(int16_t division, int16_t country);
int16_t HVW_CountCompRounds(int16_t country);
int16_t HVW_CountCompRounds2(int16_t country);
int16_t HVW_CountNationCups(int16_t country);
int16_t HVW_GetCupIndex(int16_t competition);
int16_t HVW_GetCupIndexForText(int16_t competition);
int16_t HVW_GetCupRoundIndex(int16_t competition);
int16_t HVW_GetCompTextIdByIndex(int16_t n);
int16_t HVW_GetHonoursEntry(int16_t row, int16_t column, int16_t* second, int16_t country);
int16_t HVW_IsHonoursColumnClub(int16_t club, int16_t column, int16_t row, int16_t country);
int16_t HVW_GetHonoursPair1(int16_t row, int16_t division, int16_t* club, int16_t country);
int16_t HVW_GetHonoursPair2(int16_t row, int16_t division, int16_t* club, int16_t country);
int16_t HVW_GetHonoursPair3(int16_t row, int16_t division, int16_t* club, int16_t country);
int16_t HVW_GetHonoursTriple(int16_t row, int16_t division, int16_t* club, int16_t* goals, int16_t country);
int16_t HVW_FindRecordGoalsClub(int16_t* season, int16_t* player);
int16_t HVW_FindRecordCrowdClub(int16_t* season, int16_t* clubText);
int16_t HVW_FindRecordWinClub(int16_t* opponentText, int16_t* season);
int32_t HVW_FindRecordBuyClub(int16_t* player, int16_t* clubText, int16_t* sellerText, int16_t* season);
int16_t HVW_FindCountryRecordA(int16_t* season, int16_t* clubText);
int16_t HVW_FindCountryRecordB(int16_t* season, int16_t* clubText);
int16_t HVW_FindCountryRecordC(int16_t* season, int16_t* clubText);
int16_t HVW_GetCountryRecordA(int16_t club);
int16_t HVW_GetCountryRecordB(int16_t club);
int16_t HVW_GetCountryRecordC(int16_t club);
// Merges of a team's match report into the club's season blocks.
void HVW_AddMatchCounters(ClubRecord* club, const TeamMatchReport* report, int16_t block);
void HVW_AppendMatchPairs(ClubRecord* club, const TeamMatchReport* report);
// The goal entries of the report go to the first halves of the club's free
// entries, those of the other team's report (1 - team) to the second halves.
void HVW_AppendMatchEntries(ClubRecord* club, const TeamMatchReport* report, int16_t team,
                            const MatchResultBlock* match);

// ===========================================================================
// European qualification and Champions League groups.

extern int16_t EuroQualifiers[10];
void GetEuroQualifiers(int16_t* countA, int16_t* countC, int16_t country);
int16_t HVW_GetChampionsLeagueGroup(int16_t club, int16_t stage);
int16_t HVW_GetChampionsLeagueGroupClub(int16_t place, int16_t group, int16_t stage);
int16_t HVW_GetEuroPlaceReasonText(int16_t club, int16_t country);
int16_t HVW_GetEuroPlaceClub(int16_t division, int16_t* text, int16_t k, int16_t country);
int16_t HVW_IsEuroPlaceFlagSet(int16_t i, int16_t j);
int16_t HVW_GetEuroPlaceCount();
void HVW_GetFixtureCompPosition(int16_t slot, int16_t* division, int16_t* cup, int16_t* round);

// ===========================================================================
// Competition codes, round names and fixture listings.

extern int16_t DivisionFilterWord;
int16_t HVW_GetCompRoundText(int16_t code, int16_t* roundText, int16_t* legText, int16_t country);
const char* HVW_FormatCompetitionName(int16_t code, int16_t division, int16_t withRound, int16_t country);
int16_t HVW_GetCompRoundTextId(int16_t division, int16_t country);
int16_t HVW_GetCompRoundTextId2(int16_t division, int16_t country);
char* HVW_GetDivisionRoundEntry(int16_t n, int16_t country);
char* HVW_GetCupRoundEntry(int16_t n, int16_t cup);
int16_t HVW_IsSecondLegFixture(int16_t slot);
int16_t HVW_FindClubNextFixtureSlot(int16_t club);
int16_t HVW_FindClubNextCupFixtureSlot(int16_t club);
int16_t HVW_FindHumanFixtureOnDay(int16_t day);
int16_t HVW_GetNextOpponent(int16_t club);
int16_t HVW_IsUserFixture(int16_t slot);
int16_t HVW_FindNextFixtureByCategory(int16_t day, int16_t start, int16_t single, int16_t* category);
void HVW_StoreLineUpEntry(int16_t slot, int16_t side, int16_t entry, const TeamMatchReport* report);
int16_t HVW_GetPlayerLastMatchValue(uint16_t player);
void HVW_ClearLineUp(int16_t slot, int16_t side);
void HVW_CountFixturesOnDay(int16_t day, int16_t* userSlot, int16_t* sameCount, int16_t* flaggedSlot,
                            int16_t* flaggedCount, int16_t* otherCount);

// ===========================================================================
// Name formatting.

// A player's initial, a full stop and his surname ("J.Smith"), or the
// surname alone for a player without an initial; in a static buffer that the
// next call overwrites.
const char* HVW_GetPlayerShortName(uint16_t player);

// ---------------------------------------------------------------------------
// Human managers, player queries and name formatting

// The squad count: the length of the squad list last built through the
// query layer, at most 32.
extern int16_t HVW_SquadCount;
// The recent list, newest first (0 = empty), and the word that refuses
// new entries while it is not 0.
constexpr int kRecentListSize = 20;
extern uint16_t RecentValues[kRecentListSize];
extern int16_t RecentListGuard;
// The agent last named by HVW_GetAgentName: initial-letter index and
// surname.
extern uint8_t AgentNameInitial;
extern char AgentNameSurname[16];

// Offers for the user's players (player, team; a free slot has player 0)
// and the user's contracts to settle.  The searches stop the program when
// nothing is filed: ask HVW_HasHumanSales / HVW_HasHumanContracts first.
void HVW_AddHumanSale(int16_t unused, uint16_t player, int16_t team);
uint16_t HVW_FindHumanSales();
int16_t HVW_FindHumanSalesTeam();
uint16_t HVW_GetHumanSales();
int16_t HVW_GetHumanSalesTeam();
void HVW_RemoveHumanSale(uint16_t player);
int16_t HVW_HasHumanSales();
void HVW_ClearHumanSales();
uint16_t HVW_GetHumanContracts();
void HVW_RemoveHumanContract(uint16_t player);
int16_t HVW_HasHumanContracts();
void HVW_ClearHumanContracts();
// 1 when stored, 0 when refused.
int16_t HVW_PushRecentValue(int16_t unused, uint16_t value);
int16_t HVW_IsNotInFilterList(int16_t unused, uint16_t value);
void HVW_ClearRecentList();
void HVW_ClearHumanLists();

// 0 goalkeeper, 1 defender, 2 midfielder, 3 forward, 13 manager.
int16_t HVW_GetPositionType(uint16_t player);
int16_t HVW_GetPositionTypeRowCode(uint16_t player);
int16_t HVW_GetPlayerSettingsTextId(uint16_t player);
int16_t HVW_IsPlayerRegular(uint16_t player, int16_t club);
uint16_t HVW_FindClubBestRegular(int16_t club);
uint16_t HVW_FindClubTopScorer(int16_t club);
void HVW_GetSquadProfile(int16_t club, int16_t out[16]);
int32_t HVW_GetSquadWageBill(int16_t club);
int16_t HVW_CountTeamCaptains(int16_t club);
int16_t HVW_GetShownShirt(uint16_t player);
int16_t HVW_GetPlayerRowStatus(uint16_t player);
int16_t HVW_GetPlayerAvailability(uint16_t player);
// 0 when the team sheet can stand, 1 when something is wrong.
int16_t HVW_CheckTeamSheet(int16_t club, int16_t national);
uint16_t HVW_FindSquadPlayerByShirt(int16_t shirt);
void HVW_BuildSquadList(int16_t club);

// Names, in buffers that the next call of the same operation overwrites.
constexpr int kShortNameSlots = 32;
const char* HVW_FormatPlayerShortNameSlot(uint16_t player, int16_t slot);
const char* HVW_GetAgentName(uint16_t player);
const char* HVW_GetClubName(int16_t club);
const char* HVW_GetClubStadiumName(int16_t club);
const char* HVW_GetClubNickname(int16_t club);
int16_t HVW_ClubTextId(int16_t club);
int16_t HVW_NegativeToNone(int16_t value);
const char* HVW_GetNationName(int16_t nation);
void HVW_SortClubListByName(int16_t* list, int16_t count, int16_t userFirst);
const char* HVW_FormatThousands(int32_t value);

// Dates.
int16_t HVW_ExpandTwoDigitYear(int16_t year);
int16_t HVW_GetSeasonYears(int16_t season, int16_t* endYear);
const char* HVW_FormatCalendarDate();
// Day of month 1-31, month 1-12 and weekday (0 = Saturday) of a season day;
// year is the current calendar year.
void HVW_DayNumberToDate(int16_t day, int16_t* dayOfMonth, int16_t* month, int16_t* weekday, int16_t year);
int16_t DaysInYear(int16_t year);
void HVW_ReleaseClubsOfControl(int16_t control);

// ---------------------------------------------------------------------------
// Scouting regions, agents, nations and the player interest grade

constexpr int kNationTextCount = 116;
int16_t HVW_GetScoutingContText(int16_t continent);
// Four lines, one per byte of the agent's word.
const char* HVW_GetAgentsProfile(uint16_t player);
int16_t HVW_GetPositionTextIdOfCode(int16_t code);
int16_t HVW_GetPositionTextId(uint16_t player);
// Three letters, "" for a nation outside 0-115.
const char* HVW_GetNationCode(int16_t nation);
const char* HVW_GetNationEnglishName(int16_t nation);
// World region 1-6; 0 outside 0-115.
int16_t HVW_GetNationContinent(int16_t nation);
// 2, 3 or 4: how a move from club to the other club (-1 none) looks to
// the player.
int16_t HVW_RatePlayerClubInterest(uint16_t player, int16_t club, int16_t otherClub);

// ---------------------------------------------------------------------------
// Training records and the player-watch table

int16_t HVW_GetTrainingKindTextId(int16_t kind);
// The player's training kinds; a player without a record gets one.
int16_t HVW_GetRegularTraining(uint16_t player);
int16_t HVW_GetExtraTraining(uint16_t player);
void HVW_EnsureTrainingRecords();
// Record 0-99 of the player, -1 when he has none.
int16_t HVW_FindEntryById(uint16_t player);
int16_t HVW_FindFreePlayerWatchSlot(uint16_t player);
int16_t HVW_FindPlayerWatchSlot(uint16_t player);
void HVW_SetPlayerWatchSlot(int16_t slot, uint16_t player);
void HVW_ClearPlayerWatchSlot(uint16_t player);
void HVW_FillPlayerWatchTable();

// ---------------------------------------------------------------------------
// Honour, injury and archived-message texts; role and tactic-position texts

// "Winners: Cup" style sentence of an honour event 1-31 of a club of
// country 0-7.
const char* HVW_GetHonourEventText(int16_t event, int16_t country);
int16_t HVW_GetCode12TextId(int16_t code);
int16_t HVW_GetInjuryTextId(int16_t type);
// The fields of message slot 0-99 of the club's archive; gives its type.
int16_t HVW_GetTeamTalkMessage(int16_t club, int16_t slot, int16_t* clubA, int16_t* clubB, int32_t* playerA,
                               int32_t* playerB, int16_t* word1, int16_t* word2, int32_t* amount,
                               int16_t* text1, int16_t* text2, int32_t* number1, int32_t* number2,
                               int16_t* day, int16_t* extra);

// Text id naming where the tactic of a side (1 = side B, else side A)
// puts the player of a slot; -1 for a negative slot.
int16_t GetTacticPosText(int16_t slot, int16_t side);
int16_t HVW_GetRoleText(int16_t role);

// Bits 1-7 of the first byte of each 9-byte record of the season's match
// mark table set, for a new season.
void HVW_MarkAll9ByteRecords();

// ---------------------------------------------------------------------------
// League outlook, competition names and reputation positions

// 1086 champions, 189 promoted, 1084 play-offs, 1085 relegated, or -1
// while the club's fate is open.
int16_t HVW_GetLeagueOutlookTextId(int16_t club, int16_t division, int16_t country);
// The competition name of an honours line (null when there is none); the
// winners' or runners-up' text id goes to textId.
const char* HVW_GetCompPosition(int16_t event, int16_t* textId, int16_t country);
int16_t HVW_GetDivisionGamesPerTeam(int16_t country, int16_t division);
// 0-based place of the club by reputation among its country's league clubs.
int16_t HVW_GetClubReputationPos(int16_t club, int16_t country);
// 0-100: the share of a set of clubs (scope 0-3) that the club outranks.
int16_t HVW_GetClubRepPercentile(int16_t club, int16_t scope);
// Distance on the country map; 30 between clubs of different nations.
int16_t HVW_GetClubDistance(int16_t club, int16_t other);
// Group 0-7 of the club at stage 0-1 of the Champions League, -1 when none.
int16_t HVW_FindClubGroup(int16_t club, int16_t stage);

// ---------------------------------------------------------------------------
// Cup entry rounds, fixture play options and division moves

// Round 0-7 in which the club enters cup 0-6 (0 for a European cup whose
// entrant list holds it); -1 when it does not take part.
int16_t HVW_GetClubCupEntryRound(int16_t club, int16_t cup);
// How the fixture is decided.  Substitutes start at 5, the rest at 0.  Leg:
// 0 single match, 1 first leg, 2 second leg; replay: 1 a draw is replayed,
// 2 this is the replay.  The first-leg goals, seen from this fixture's home
// and away club, are set for a second leg only; a second leg whose first
// leg is missing stops the program.
void HVW_GetFixturePlayOptions(int16_t slot, int16_t* substitutes, int16_t* extraTime, int16_t* goldenGoal,
                               int16_t* penalties, int16_t* awayGoals, int16_t* leg, int16_t* replay,
                               int16_t* firstLegHomeGoals, int16_t* firstLegAwayGoals);
// 0 no move, 1 promoted, 2 relegated into the club's present division.
int16_t HVW_GetClubDivisionMove(int16_t club);

// ---------------------------------------------------------------------------
// Captain and set-piece taker choices

// Removes from the user's four role lists every player who has left the
// club's selected team, moving the later choices up and drawing a new last
// choice from the team.
void HVW_RefreshClubRoleLists(int16_t club);
// Checks the first choice of each role (the code-120 choices for the
// second) against the selected team (the national squad), gives the
// captain his flag and publishes the holders in MatchRoleHolders.  -1 when
// every role has a valid holder, else the text id of the first role that
// has none: captain 979, corner taker 983, free-kick taker 981, penalty
// taker 980.
int16_t HVW_CheckClubRoleChoices(int16_t club);
int16_t HVW_CheckCode120RoleChoices(int16_t club);

// ---------------------------------------------------------------------------
// Squad and match comments

// Remarks as language text ids with their subjects.  The filled part ends
// at the value the list was cleared to: 65535 after HVW_AssessMatchTeam
// (subjects are line-up slots 0-15), 0 after HVW_AssessSquadBeforeMatch
// (subjects are player numbers, 0 for a remark about a whole line).
constexpr int kCommentCapacity = 100;
extern uint16_t CommentTextIds[kCommentCapacity];
extern uint16_t CommentSubjects[kCommentCapacity];
// Remarks on the match figures of side 0 or 1 of the last match.
void HVW_AssessMatchTeam(int16_t side);
// Remarks on the club's eleven before a match: condition, bans, the next
// fixture, each line's experience and the fit of players to their places.
void HVW_AssessSquadBeforeMatch(int16_t club);

// ---------------------------------------------------------------------------
// Club index within its division row

// The club's 0-based index among the clubs of its country that share its
// division row, in club-number order; -1 for a club of 1200 or more, one
// outside the league countries or one whose row is past its country's
// divisions.
int16_t HVW_GetClubDivisionIndex(int16_t club);

// ---------------------------------------------------------------------------
// User transfers and manager jobs

// Keeps the user's squad statistics records in step with the move, then
// transfers the player.
void HVW_MovePlayerToClub(uint16_t player, int16_t club, int32_t price, int16_t clause);
// Completes the user club's bid for the player: posts the signing, moves
// him and withdraws every club's bids for him.
void HVW_CompleteUserBid(uint16_t player);
// 0 refused or not applied, 1 over-qualified, 2 application lodged.
int16_t HVW_ApplyForManagerJob(int16_t club, int16_t apply);
// The club's transfers in the transfer log: fees and counts of players
// bought and sold; all 0 for a club outside 0-1199.
void HVW_GetClubTransferTotals(int16_t club, int32_t* boughtTotal, int16_t* boughtCount, int32_t* soldTotal,
                               int16_t* soldCount);
// Fills list (1200 entries, -1 behind the last) with the clubs without a
// manager or with a caretaker; gives their count.
int16_t HVW_ListManagerVacancies(int16_t* list, int16_t country);

// ===========================================================================
// Match-day and match-report queries.

// --- Small members: forwarders, percentages, squad tests ---------------------

int16_t HVW_GetClubSeasonLoans(int16_t club);
void HVW_SetPlayerIntShirt(uint16_t player, int16_t shirt);
void HVW_SetClubSeasonMerchandising(int16_t club, int32_t value);
void HVW_SetClubWeeksMerchandising(int16_t club, int16_t week, int32_t value);
int16_t HVW_GetFixtureField16(int16_t slot);
int16_t HVW_GetFixtureField12(int16_t slot);
void HVW_ClubSquadPass2(int16_t club);
// The player's rank (0 = best) among the club's players; -1 when unranked.
int16_t HVW_IsPlayerAvailable(uint16_t player, int16_t club);
int16_t HVW_GetClubGenerosity(int16_t club);
int16_t HVW_GetClubSquadHappinessPct(int16_t club);
int16_t HVW_GetClubManagerFansPct(int16_t club);
int16_t HVW_GetBoardConfidence(int16_t club);
int16_t HVW_GetPlayerField117(uint16_t player);
int16_t HVW_GetPlayerStat(uint16_t player, int16_t stat);
int16_t HVW_GetPlayerStat27(uint16_t player);
void HVW_SetPlayerField96(uint16_t player, int16_t value);
int16_t HVW_GetPlayerField92(uint16_t player);
void HVW_SetPlayerFlag95(uint16_t player, int16_t value);
int16_t HVW_GetPlayerFlag95(uint16_t player);
int32_t HVW_GetPlayerClause1(uint16_t player);
int16_t HVW_GetPlayerClause2(uint16_t player);
int16_t HVW_GetPlayerClause3(uint16_t player);
int32_t HVW_GetPlayerClause4(uint16_t player);
int32_t HVW_GetPlayerClause5(uint16_t player);
int32_t HVW_GetPlayerClause6(uint16_t player);
int32_t HVW_GetPlayerClause7(uint16_t player);
int16_t HVW_GetPlayerClause8(uint16_t player);
// Builds the club's squad lists, then runs the daily fitness change.
void HVW_PlayerFitnessDailyOfClub(int16_t club);

// Fitness and fatigue are kept 0..60: a percentage p is stored as
// (p + 1) x 60 / 100.
void HVW_SetPlayerFitnessPercent(uint16_t player, int16_t percent);
void HVW_SetPlayerFatiguePercent(uint16_t player, int16_t percent);
int16_t HVW_GetPlayerField105Percent(uint16_t player);
int16_t HVW_GetPlayerField96Percent(uint16_t player);
// 0..100 sort key of the player lists: half form, half performance.
int16_t HVW_GetPlayerFormScore(uint16_t player);

// 1 when the player is in that list of the club's squad lists, else 0.
int16_t HVW_IsInSelectedTeam(uint16_t player, int16_t club);
int16_t HVW_IsInNationalSquad(uint16_t player, int16_t club);
int16_t HVW_IsInThirdSquadList(uint16_t player, int16_t club);
// The first national-squad player, up to the list's first empty slot,
// wearing that national shirt; 0 when none.
uint16_t HVW_FindIntSquadPlayerByShirt(int16_t shirt);

// Cut to 15 characters and a NUL.
void HVW_SetPlayerSurname(uint16_t player, const char* surname);
// 2430 + code for a position code 0..12, else -1.
int16_t HVW_GetPositionTextId2430(int16_t code);
// Two saved 16-bit words of the game state: written to the out and
// returned.
int16_t HVW_GetStateWord1(int16_t* out);
int16_t HVW_GetStateWord2(int16_t* out);
// Clears the side counters and the match count of a referee 0..399 who is
// in use.
void HVW_ResetRefereeCounters(int16_t referee);
// Square root rounded to the nearest whole number; -1 for a negative n.
int32_t HVW_RoundedSquareRoot(int32_t n);
// 0..22.
uint8_t HVW_RandomBelow23();

// --- Fixture look-ups for screens ----------------------------------------

// The club's fixture before today; -1 when none.
int16_t HVW_FindClubPrevFixture(int16_t club);
// The club's fixture on the day: kind 0 any code but 120, 1 code 120, -1
// any; national-team days are never taken.  -1 when none.
int16_t HVW_FindClubFixtureOnDay(int16_t club, int16_t day, int16_t kind);
// The meeting before the day of the same cup with the clubs reversed; -1
// when none.
int16_t HVW_FindEarlierCupTie(int16_t home, int16_t away, int16_t competition, int16_t day);
// 3 the final, 2 the semi-finals, 1 the quarter-finals, else 0.
int16_t HVW_GetCupRoundTieType(int16_t country, int16_t cup, int16_t round);
// The club's last n (at most 10) played league fixtures before today,
// oldest first, into slots; the rest of the n entries -1.  Gives how many.
int16_t HVW_GetClubLastLeagueFixtures(int16_t club, int16_t n, int16_t* slots);
// The club's first fixture of the cup (0..6, as HVW_GetCupIndexForText
// gives it) on or after the day; -1 when none.
int16_t HVW_FindClubCupFixture(int16_t club, int16_t cup, int16_t day);
// The marks of a player of the user's club in the listed fixtures (at most
// 10); 0xFFFF where he has none.
void HVW_GetPlayerMatchMarks(uint16_t player, const int16_t* slots, int16_t n, uint16_t* marks);

// --- Division rankings for the match report --------------------------------

// Players of the division ahead of the player's tally plus half of those
// level with him; 500 when the ranking does not apply.
int16_t HVW_RankKeeperByGoals(uint16_t player, int16_t country, int16_t division);
int16_t HVW_RankPlayerByAssists(uint16_t player, int16_t country, int16_t division);
// Goals per club of the division's played fixtures up to today, rounded;
// competition -1 takes every code.
int16_t HVW_GetDivisionAverageGoals(int16_t country, int16_t division, int16_t competition);

// --- Match-report player picks ----------------------------------------------

// The club's players, national squad first then the selected team, sorted
// by their fans text; the first n go to out (0 beyond the players found).
void HVW_ListClubPlayersByFans(int16_t club, uint16_t* out, int16_t n);
// 1 when the club has no fixture of the competition before the slot.
int16_t HVW_IsFirstClubFixtureInComp(int16_t club, int16_t slot, int16_t competition);
uint16_t HVW_FindClubPlayerByShirt(int16_t club, int16_t shirt);
uint16_t HVW_GetClubTopAssistsPlayer(int16_t club);
// 1 when the player may play for the club in the fixture.
int16_t HVW_IsPlayerAvailableForFixture(int16_t club, uint16_t player, int16_t slot);
// The two best forwards' tallies; 1 when both pass 5 and together reach
// half the division's average.
int16_t HVW_HasClubStrikePartnership(int16_t club, int16_t* top, int16_t* second);
// The two forwards of a partnership (slot -1: whether they may play or
// not); 1 when two different players were found.
int16_t HVW_FindClubStrikePair(int16_t club, uint16_t* first, uint16_t* second, int16_t target,
                               int16_t threshold, int16_t slot);
uint16_t HVW_GetClubTopScorer(int16_t club, int16_t* tie);
uint16_t HVW_GetDivisionTopScorer(int16_t country, int16_t division, int16_t* tie);
// Of a list of 32 players (0 empty); the value to the out.
uint16_t HVW_PickMostValuablePlayer(const uint16_t* list, int32_t* value);
uint16_t HVW_GetClubMostValuablePlayer(int16_t club, int32_t* value);
void HVW_GetClubStarPlayerFigures(int16_t club, int16_t* performance, int16_t* goals, int16_t* assists,
                                  int16_t* keeperGoals);
uint16_t HVW_GetClubStarPlayer(int16_t club);
int16_t HVW_AreClubsInSameDivision(int16_t a, int16_t b);
// The club whose squad lists are built; -1 when it cannot be told.
int16_t HVW_GetSquadListClub();
// Average match mark of the last seven days; 0 when none.
int16_t HVW_GetPlayerRecentRating(uint16_t player, int16_t club);

// --- Match-day look-ups and match ratings -------------------------------------

// The user's last fixture, set by HVW_FindUserLastFixture (0 when none).
extern int16_t HVW_LastFixtureSlot;
// The club's first fixture on or after the day of the competition (-1
// any; code 120 only with the flag set); 20000 when none.
int16_t HVW_FindClubFixtureFromDay(int16_t club, int16_t competition, int16_t withReserve, int16_t day);
// The other club of the fixture and the club's side (0 home, 1 away); -1
// and side 65535 when the club does not play in it.
int16_t HVW_GetFixtureOpponent(int16_t club, int16_t slot, uint16_t* side);
// kind 0: any code but 120; kind 1: code 120.  -1 when none.
int16_t HVW_FindClubFixtureOnDayByKind(int16_t club, int16_t day, int16_t kind);
// Flag 0: the last fixture before today; else the last up to today.
void HVW_FindUserLastFixture(int16_t includeToday);
// Rating 0..99 of the player in slot 0..15 of team 0..1 of the last match
// in category 0..5.
int16_t HVW_CalcMatchPlayerAttribute(int16_t slot, int16_t team, int16_t category);
int16_t HVW_GetMatchPlayerAttribute(int16_t slot, int16_t team, int16_t category);
// Text id of the player's fans band (21 bands).
int16_t HVW_GetPlayerFansText(uint16_t player);

// --- Best eleven of the viewed country -----------------------------------------

// Slot 0 the keeper, 1-4 defenders (2-3 central), 5-8 midfielders (6-7
// central), 9-10 forwards; player 0 and score 0 when empty.
struct BestElevenSlot {
    uint16_t player;
    int16_t score;
};
constexpr int kBestElevenSlots = 11;
extern BestElevenSlot BestEleven[kBestElevenSlots];
// Mode 0 recent form, 1 discipline, 2 weakest regulars, 3 young, 4
// veterans; another mode leaves the table empty.
void HVW_BuildBestEleven(int16_t mode, int16_t division);
void HVW_ClearBestEleven();
void HVW_OfferBestGoalkeeper(uint16_t player, int16_t score);
