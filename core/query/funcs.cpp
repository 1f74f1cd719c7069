// The query layer's one-line members: field getters and setters with the
// display scaling, the globals and small tables, and the forwarders into
// the season, club-management, history and menu code.
#include "core/query/funcs_fields.h"
#include "core/query/funcs_forward.h"
#include "core/query/funcs_state.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/club/bids.h"
#include "core/club/board.h"
#include "core/club/contracts.h"
#include "core/club/mood.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/club/stadium.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/query/funcs_people.h"
#include "core/records/Access.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/competitions.h"
#include "core/season/european.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/friendlies.h"
#include "core/season/leagues.h"
#include "core/season/matchday.h"
#include "core/season/matchsetup.h"
#include "core/season/newgame.h"
#include "core/season/seasontables.h"
#include "core/season/soak.h"
#include "core/season/teamselection.h"

using recbits::LoadU16;
using recbits::LoadU32;

int8_t ViewedCountry;
uint8_t QueryLayerTable[24];
CountryBlock CountryBlocks[9];
int16_t CountryTriples[9][3];
int16_t TablePair2Blocks[9][6][48];
int16_t EuroPlaceFlags[9][6];
int16_t QueryFixedTable[24];
int16_t SharedDivisionList[24];
int8_t OfferDigitRows[2][8];

namespace {

// Stored ranges of the scaled fields.
constexpr int32_t kConditionMax = 60;  // morale, fitness, fatigue
constexpr int32_t kSixBitMax = 63;     // experience, field 118
constexpr int kAgeBase = 16;
constexpr int32_t kWageUnit = 25;
constexpr int kDispointUnit = 3;

int16_t Percent(int32_t value, int32_t maximum) { return int16_t(value * 100 / maximum); }

// Season-history blocks of the club record: ten blocks of 188 bytes from
// byte 207; the 32-bit value word at 24 of a block.
constexpr int kHistoryBlocks = 207;
constexpr int kHistoryBlockSize = 188;
constexpr int kHistoryValueWord = 24;

uint8_t* HistoryBlock(int16_t club, int16_t block) {
    return ClubRecords[club].bytes + kHistoryBlocks + kHistoryBlockSize * block;
}

// The two saved words of the layer live in its saved table.
constexpr int kSavedWordA = 0;
constexpr int kSavedWordB = 2;

// The European table: per country 6 entries of two 16-bit words.
constexpr int kPairEntries = 6;

}  // namespace

// ---------------------------------------------------------------------------
// Player getters

int16_t HVW_GetPlayerClub(uint16_t player) { return int16_t(GetPlayerClub(player)); }
int16_t HVW_GetPlayerLoanClub(uint16_t player) { return int16_t(GetPlayerLoanClub(player)); }
int16_t HVW_GetPlayerNationality(uint16_t player) { return int16_t(GetPlayerNationality(player)); }
int16_t HVW_GetPlayerReputation(uint16_t player) { return int16_t(GetPlayerReputation(player)); }
int16_t HVW_GetPlayerContract(uint16_t player) { return int16_t(GetPlayerContract(player)); }
int16_t HVW_GetPlayerPerf(uint16_t player) { return int16_t(GetPlayerPerf(player)); }
int16_t HVW_GetPlayerGoals(uint16_t player) { return int16_t(GetPlayerGoals(player)); }
int16_t HVW_GetPlayerApps(uint16_t player) { return int16_t(GetPlayerApps(player)); }
int16_t HVW_GetPlayerAppsAsSub(uint16_t player) { return int16_t(GetPlayerAppsAsSub(player)); }
int16_t HVW_GetPlayerCareerGoals(uint16_t player) { return int16_t(GetPlayerCareerGoals(player)); }
int16_t HVW_GetPlayerCareerApps(uint16_t player) { return int16_t(GetPlayerCareerApps(player)); }
int16_t HVW_GetPlayerCareerAppsAsSub(uint16_t player) { return int16_t(GetPlayerCareerAppsAsSub(player)); }
int16_t HVW_GetPlayerManOfMatch(uint16_t player) { return int16_t(GetPlayerMoM(player)); }
int16_t HVW_GetPlayerIntGoals87(uint16_t player) { return int16_t(GetPlayerIntGoals87(player)); }
int16_t HVW_GetPlayerIntGoals114(uint16_t player) { return int16_t(GetPlayerIntGoals114(player)); }
int16_t HVW_GetPlayerCaps86(uint16_t player) { return int16_t(GetPlayerCaps86(player)); }
int16_t HVW_GetPlayerCaps89(uint16_t player) { return int16_t(GetPlayerCaps89(player)); }
int16_t HVW_GetPlayerCaps113(uint16_t player) { return int16_t(GetPlayerCaps113(player)); }
int16_t HVW_GetPlayerCaps116(uint16_t player) { return int16_t(GetPlayerCaps116(player)); }
int16_t HVW_GetPlayerGoals2(uint16_t player) { return int16_t(GetPlayerGoals2(player)); }
int16_t HVW_GetPlayerAssists2(uint16_t player) { return int16_t(GetPlayerAssists2(player)); }
int16_t HVW_GetPlayerField108A(uint16_t player) { return int16_t(GetPlayerField108A(player)); }
int16_t HVW_GetPlayerField108B(uint16_t player) { return int16_t(GetPlayerField108B(player)); }
int16_t HVW_GetPlayerPosition(uint16_t player) { return int16_t(GetPlayerPosition(player)); }
int16_t HVW_GetPlayerPosition2(uint16_t player) { return int16_t(GetPlayerPosition2(player)); }
int16_t HVW_GetPlayerIntDuty(uint16_t player) { return int16_t(GetPlayerIntDuty(player)); }
// The accessor gives the matches left to serve.
int16_t HVW_IsPlayerSuspended(uint16_t player) { return IsPlayerSuspended(player) != 0 ? 1 : 0; }
int16_t HVW_GetPlayerEuroBan(uint16_t player) { return int16_t(GetPlayerEuroBan(player)); }
int16_t HVW_GetPlayerLoanList(uint16_t player) { return int16_t(GetPlayerLoanList(player)); }
int16_t HVW_GetPlayerTxReq(uint16_t player) { return int16_t(GetPlayerTxReq(player)); }
int16_t HVW_GetPlayerTxList(uint16_t player) { return int16_t(GetPlayerTxList(player)); }
int16_t HVW_GetPlayerSaleStatus(uint16_t player) { return int16_t(GetPlayerSaleStatus(player)); }
int16_t HVW_GetPlayerCaptain(uint16_t player) { return int16_t(GetPlayerCaptain(player)); }
int16_t HVW_GetPlayerCaretaker(uint16_t player) { return int16_t(GetPlayerCaretaker(player)); }
int16_t HVW_GetPlayerHalvorn(uint16_t player) { return int16_t(GetPlayerHalvorn(player)); }
int16_t HVW_GetPlayerHalvornB(uint16_t player) { return int16_t(GetPlayerHalvornB(player)); }
int16_t HVW_GetPlayerIP(uint16_t player) { return int16_t(GetPlayerIP(player)); }
int16_t HVW_GetPlayerIT(uint16_t player) { return int16_t(GetPlayerIT(player)); }
int16_t HVW_GetPlayerSetting1(uint16_t player) { return int16_t(GetPlayerSetting1(player)); }
int16_t HVW_GetPlayerSetting2(uint16_t player) { return int16_t(GetPlayerSetting2(player)); }
int16_t HVW_GetPlayerSetting3(uint16_t player) { return int16_t(GetPlayerSetting3(player)); }
int16_t HVW_GetPlayerSetting4(uint16_t player) { return int16_t(GetPlayerSetting4(player)); }
int16_t HVW_GetPlayerFlag120(uint16_t player) { return int16_t(GetPlayerField120Bit0(player)); }
int16_t HVW_GetPlayerField112b(uint16_t player) { return int16_t(GetPlayerPerf2(player)); }
int16_t HVW_GetPlayerShirt(uint16_t player) { return int16_t(GetPlayerShirt(player)); }
int16_t HVW_GetPlayerIntShirt(uint16_t player) { return int16_t(GetPlayerIntShirt(player)); }
int16_t HVW_GetPlayerStat21Div10(uint16_t player) { return GetPlayerStat21Div10(player); }
int16_t HVW_GetPlayerTactic(uint16_t player) { return int16_t(GetPlayerTactic(player)); }
int16_t HVW_GetPlayerInitial(uint16_t player) { return int16_t(GetPlayerInitial(player)); }
PlayerRecord* HVW_GetPlayerRecord(uint16_t player) { return &PlayerRecords[player]; }
int32_t HVW_GetPlayerManPriceRaw(uint16_t player) {
    constexpr int kManPrice = 16;
    return recbits::LoadI32(PlayerRecords[player].bytes + kManPrice);
}

// Scaled player getters.
int16_t HVW_GetPlayerAge(uint16_t player) { return int16_t(GetPlayerAge(player) + kAgeBase); }
int32_t HVW_GetPlayerWage(uint16_t player) { return int32_t(GetPlayerWage(player)) * kWageUnit; }
int16_t HVW_GetPlayerMoralePct(uint16_t player) { return Percent(GetPlayerMorale(player), kConditionMax); }
int16_t HVW_GetPlayerFitnessPct(uint16_t player) { return Percent(GetPlayerFitness(player), kConditionMax); }
int16_t HVW_GetPlayerFatiguePct(uint16_t player) { return Percent(GetPlayerFatigue(player), kConditionMax); }
int16_t HVW_GetPlayerExperiencePercent(uint16_t player) {
    return Percent(GetPlayerExperience(player), kSixBitMax);
}
int16_t HVW_GetPlayerDispoints(uint16_t player) {
    return int16_t(GetPlayerDispoints(player) * kDispointUnit);
}
int16_t HVW_GetPlayerField118Pct(uint16_t player) { return Percent(GetPlayerField118(player), kSixBitMax); }

// Player setters.
void HVW_SetPlayerClub(uint16_t player, int16_t value) { SetPlayerClub(player, value); }
void HVW_SetPlayerLoanClub(uint16_t player, int16_t value) { SetPlayerLoanClub(player, value); }
void HVW_SetPlayerWage(uint16_t player, int16_t value) { SetPlayerWage(player, value); }
void HVW_SetPlayerMorale(uint16_t player, int16_t value) { SetPlayerMorale(player, value); }
void HVW_SetPlayerShirt(uint16_t player, int16_t value) { SetPlayerShirt(player, value); }
void HVW_SetPlayerManPrice(uint16_t player, int32_t value) { SetPlayerManPrice(player, value); }
void HVW_SetPlayerSaleStatus(uint16_t player, int16_t value) { SetPlayerSaleStatus(player, value); }
void HVW_SetPlayerLoanList(uint16_t player, int16_t value) { SetPlayerLoanList(player, value); }
void HVW_SetPlayerTxList(uint16_t player, int16_t value) { SetPlayerTxList(player, value); }
void HVW_SetPlayerCaptain(uint16_t player, int16_t value) { SetPlayerCaptain(player, value); }
void HVW_SetPlayerHalvorn(uint16_t player, int16_t value) { SetPlayerHalvorn(player, value); }
void HVW_SetPlayerSetting4(uint16_t player, int16_t value) { SetPlayerSetting4(player, value); }
void HVW_SetPlayerFlag120(uint16_t player, int16_t value) { SetPlayerField120Bit0(player, value); }
void HVW_SetPlayerInitial(uint16_t player, int16_t value) { SetPlayerInitial(player, value); }
void HVW_InitPlayerValueFields(uint16_t player) { InitPlayerValueFields(player); }

// ---------------------------------------------------------------------------
// Club getters and setters

int16_t HVW_GetClubNation(int16_t club) { return int16_t(GetClubNation(club)); }
int16_t HVW_GetClubDivision(int16_t club) { return int16_t(GetClubDivision(club)); }
int16_t HVW_GetClubReputation(int16_t club) { return int16_t(GetClubRep(club)); }
int16_t HVW_GetClubControl(int16_t club) { return int16_t(GetClubControl(club)); }
int32_t HVW_GetClubBalance(int16_t club) { return GetClubBalance(club); }
int32_t HVW_GetClubAvgAttendance(int16_t club) { return GetClubAvgAttendanceField(club); }
int16_t HVW_GetClubStandCapacity0(int16_t club) { return int16_t(GetClubStandCapacity0(club)); }
int16_t HVW_GetClubStandCapacity1(int16_t club) { return int16_t(GetClubStandCapacity1(club)); }
int16_t HVW_GetClubStandCapacity2(int16_t club) { return int16_t(GetClubStandCapacity2(club)); }
int16_t HVW_GetClubStandCapacity3(int16_t club) { return int16_t(GetClubStandCapacity3(club)); }
int16_t HVW_GetClubStandStyle0(int16_t club) { return int16_t(GetClubStandStyle0(club)); }
int16_t HVW_GetClubStandStyle1(int16_t club) { return int16_t(GetClubStandStyle1(club)); }
int16_t HVW_GetClubStandStyle2(int16_t club) { return int16_t(GetClubStandStyle2(club)); }
int16_t HVW_GetClubStandStyle3(int16_t club) { return int16_t(GetClubStandStyle3(club)); }
int16_t HVW_GetClubRecordGoals(int16_t club) { return int16_t(GetClubRecordGoals(club)); }
int16_t HVW_GetClubRecordWinGoalsFor(int16_t club) { return int16_t(GetClubRecordWinGoalsFor(club)); }
int16_t HVW_GetClubRecordWinGoalsAgainst(int16_t club) { return int16_t(GetClubRecordWinGoalsAgainst(club)); }
int16_t HVW_GetClubRecordDefeatGoalsFor(int16_t club) { return int16_t(GetClubRecordDefeatGoalsFor(club)); }
int16_t HVW_GetClubRecordDefeatGoalsAgainst(int16_t club) {
    return int16_t(GetClubRecordDefeatGoalsAgainst(club));
}
int32_t HVW_GetClubRecordCrowd(int16_t club) { return GetClubRecordCrowd(club); }
int32_t HVW_GetClubRecordBuy(int16_t club) { return GetClubRecordBuy(club); }
int32_t HVW_GetClubSeasonGateReceipts(int16_t club) { return GetClubSeasonGateReceipts(club); }
int32_t HVW_GetClubSeasonSponsorship(int16_t club) { return GetClubSeasonSponsorship(club); }
int32_t HVW_GetClubSeasonTVIncome(int16_t club) { return GetClubSeasonTVIncome(club); }
int32_t HVW_GetClubSeasonMerchandising(int16_t club) { return GetClubSeasonMerchandising(club); }
int32_t HVW_GetClubSeasonSales(int16_t club) { return GetClubSeasonSales(club); }
int32_t HVW_GetClubSeasonSignings(int16_t club) { return GetClubSeasonSignings(club); }
int32_t HVW_GetClubSeasonPlayerWages(int16_t club) { return GetClubSeasonPlayerWages(club); }
int32_t HVW_GetClubSeasonCoachingStaffWages(int16_t club) { return GetClubSeasonCoachingStaffWages(club); }
int32_t HVW_GetClubSeasonBonuses(int16_t club) { return GetClubSeasonBonuses(club); }
int32_t HVW_GetClubLastBalance(int16_t club, int16_t week) { return GetClubWeekLastBalance(club, week); }

int32_t HVW_GetClubWeekOutgoings(int32_t* signings, int32_t* wages, int32_t* coachingWages, int32_t* other,
                                 int16_t club, int16_t week) {
    *signings = GetClubWeekTotalSignings(club, week);
    *wages = GetClubWeekTotalWages(club, week);
    *coachingWages = GetClubWeeksCoachingStaffWages(club, week);
    *other = GetClubWeekMiscOut(club, week);
    return *signings + *wages + *coachingWages + *other;
}

int32_t HVW_GetClubWeekIncome(int32_t* sales, int32_t* gateReceipts, int32_t* sponsorship, int32_t* tvIncome,
                              int32_t* other, int16_t club, int16_t week) {
    *sales = GetClubWeekTotalSales(club, week);
    *gateReceipts = GetClubWeekGateReceipts(club, week);
    *sponsorship = GetClubWeeksSponsorship(club, week);
    *tvIncome = GetClubWeeksTVIncome(club, week);
    *other = GetClubWeekMiscIn(club, week);
    return *sales + *gateReceipts + *sponsorship + *tvIncome + *other;
}

int16_t HVW_GetClubBidPlayer(int16_t club, int16_t slot) { return int16_t(GetClubBidPlayer(club, slot)); }
int32_t HVW_GetClubBidPrice(int16_t club, int16_t slot) { return GetClubBidPrice(club, slot); }
int16_t HVW_GetClubBidClause(int16_t club, int16_t slot) { return int16_t(GetClubBidClause(club, slot)); }
ClubRecord* HVW_GetClubRecord(int16_t club) { return &ClubRecords[club]; }
uint32_t HVW_GetClubSeasonRecordWord(int16_t club, int16_t block) {
    return LoadU32(HistoryBlock(club, block) + kHistoryValueWord);
}
int16_t HVW_GetClubSeasonRecordByte(int16_t club, int16_t block) { return HistoryBlock(club, block)[0]; }
int16_t HVW_GetClubSeasonRecordEntry(int16_t club, int16_t block, int16_t k) {
    return int16_t(LoadU16(HistoryBlock(club, block) + 2 * k));
}
int16_t HVW_GetClubSeasonRecordEntry2(int16_t club, int16_t block, int16_t k) {
    return HVW_GetClubSeasonRecordEntry(club, block, k);
}

void HVW_SetClubControl(int16_t club, int16_t value) { SetClubControl(club, value); }
void HVW_SetClubStandCapacity0(int16_t club, int16_t value) { SetClubStandCapacity0(club, value); }
void HVW_SetClubStandCapacity1(int16_t club, int16_t value) { SetClubStandCapacity1(club, value); }
void HVW_SetClubStandCapacity2(int16_t club, int16_t value) { SetClubStandCapacity2(club, value); }
void HVW_SetClubStandCapacity3(int16_t club, int16_t value) { SetClubStandCapacity3(club, value); }
void HVW_SetClubStandStyle0(int16_t club, int16_t value) { SetClubStandStyle0(club, value); }
void HVW_SetClubStandStyle1(int16_t club, int16_t value) { SetClubStandStyle1(club, value); }
void HVW_SetClubStandStyle2(int16_t club, int16_t value) { SetClubStandStyle2(club, value); }
void HVW_SetClubStandStyle3(int16_t club, int16_t value) { SetClubStandStyle3(club, value); }

// ---------------------------------------------------------------------------
// Fixture getters

int16_t HVW_GetFixtureDay(int16_t slot) { return int16_t(GetMatchDay(slot)); }
int16_t HVW_GetFixtureComp(int16_t slot) { return int16_t(GetMatchCompetition(slot)); }
int16_t HVW_GetFixtureClubA(int16_t slot) { return int16_t(GetMatchClubA(slot)); }
int16_t HVW_GetFixtureClubB(int16_t slot) { return int16_t(GetMatchClubB(slot)); }
int16_t HVW_GetFixtureHomeGoals(int16_t slot) { return int16_t(GetMatchHomeGoals(slot)); }
int16_t HVW_GetFixtureAwayGoals(int16_t slot) { return int16_t(GetMatchField8b(slot)); }
int16_t HVW_GetFixtureFlag(int16_t slot) { return int16_t(GetMatchFlag10(slot)); }

// ---------------------------------------------------------------------------
// Globals and small tables

int16_t HVW_GetCurrentDay() { return SeasonCalendar.currentDay; }
int16_t HVW_GetSeason() { return SeasonCalendar.season; }
int16_t HVW_GetCalendarWeekday() { return SeasonCalendar.weekday; }
int16_t HVW_GetCalendarDay() { return SeasonCalendar.dayOfMonth; }
int16_t HVW_GetCalendarMonth() { return SeasonCalendar.month; }
int16_t HVW_GetCalendarYear() { return SeasonCalendar.year; }
int16_t HVW_GetViewedCountry() { return ViewedCountry; }
void HVW_SetViewedCountry(int16_t country) { ViewedCountry = int8_t(country); }
int16_t HVW_GetHumanSackedFlag() { return SackedClubControl; }
int16_t HVW_GetCompNextRoundDay(int16_t country) { return SeasonCalendar.leagueStartDay[country]; }
int16_t HVW_GetCountryWordB(int16_t country) { return SeasonCalendar.splitDay[country]; }

// A division or country outside the table has no price (reading past the
// table would give another country's figure).
int16_t HVW_GetTicketPrice(int16_t division, int16_t country) {
    if (!IsCountryNumber(country) || !IsDivisionNumber(division)) {
        return 0;
    }
    return TicketPrice[country][division];
}

int32_t HVW_GetCountryBlockLong(int16_t country) { return CountryBlocks[country].value; }
int16_t HVW_GetCountryBlockWord0(int16_t country) { return CountryBlocks[country].words[0]; }
int16_t HVW_GetCountryBlockWord1(int16_t country) { return CountryBlocks[country].words[1]; }
int16_t HVW_GetCountryBlockWord2(int16_t country) { return CountryBlocks[country].words[2]; }
TransferRecord* HVW_GetTransferRecord(int16_t n) { return &TransferRecords[n]; }
const int16_t* HVW_GetFixedTableAddress() { return QueryFixedTable; }
int16_t HVW_GetSavedWordA() { return int16_t(LoadU16(QueryLayerTable + kSavedWordA)); }
void HVW_SetSavedWordB(int16_t value) { recbits::StoreU16(QueryLayerTable + kSavedWordB, uint16_t(value)); }
int16_t HVW_GetSavedWordB() { return int16_t(LoadU16(QueryLayerTable + kSavedWordB)); }

int16_t HVW_GetTablePair(int16_t i, int16_t* out, int16_t j) {
    const uint8_t* entry = EuropeanTable + (j * kPairEntries + i) * 4;
    *out = int16_t(LoadU16(entry + 2));
    return int16_t(LoadU16(entry));
}

int16_t HVW_GetTablePair2(int16_t a, int16_t b, int16_t c, int16_t* out) {
    const int16_t* row = TablePair2Blocks[a][b];
    *out = row[24 + c];
    return row[c];
}

int16_t HVW_ListClubsPassingTest(int16_t* list, int16_t capacity) {
    for (int i = 0; i < capacity; ++i) list[i] = -1;
    int16_t count = 0;
    for (int16_t club = 0; club < kClubCount && count < capacity; ++club) {
        if (IsBoardUnhappy(club) != 0) list[count++] = club;
    }
    return count;
}

int16_t HVW_GetCountryTriple(int16_t index) { return CountryTriples[index][2]; }
int16_t* HVW_GetCountryTripleAddress(int16_t index) { return CountryTriples[index]; }
int16_t* HVW_GetCountryTripleAddress2(int16_t index) { return &CountryTriples[index][1]; }

int16_t HVW_GetSeasonOfDate(int16_t year, int16_t month) {
    return int16_t(month < 6 ? year - 2003 : year - 2002);
}

int16_t HVW_ShiftSeasonMonth(int16_t month) { return int16_t(month >= 6 ? month - 6 : month + 6); }

// The 1200 six-byte mark records (two bytes and a 32-bit word) of the
// season code's table of 7200 bytes.
void HVW_ClearClubMarks() {
    static_assert(sizeof ClubMarkRecords == kClubCount * 6);
    for (int club = 0; club < kClubCount; ++club) {
        uint8_t* mark = ClubMarkRecords + club * 6;
        mark[0] = 255;
        mark[1] = 255;
        recbits::StoreU32(mark + 2, 0);
    }
}

int16_t HVW_GetClubRecordField(int16_t club) { return int16_t(GetClubSeasonDispoints(club)); }

void HVW_ClearTransferRecords() { std::memset(TransferRecords, 0xFF, sizeof TransferRecords); }

void HVW_RandomiseDivisionList(int16_t division, int16_t unused, int16_t country) {
    (void)unused;
    int n = DivisionLayout[country][division].clubs;
    if (n > int(std::size(SharedDivisionList))) n = int(std::size(SharedDivisionList));
    for (int i = 0; i < n; ++i) SharedDivisionList[i] = int16_t(GameRandom() % 100);
}

int16_t HVW_SelectMatchFixture(int16_t slot) {
    MenuFixtureHome = int16_t(GetMatchClubA(slot));
    MenuFixtureAway = int16_t(GetMatchClubB(slot));
    MenuFixtureComp = int16_t(GetMatchCompetition(slot));
    return MenuFixtureComp;
}

int16_t HVW_CountBidsForPlayer(uint16_t player) {
    int16_t count = 0;
    for (int16_t club = 0; club < kClubCount; ++club) {
        for (int16_t slot = 0; slot < 4; ++slot) {
            if (GetClubBidPlayer(club, slot) == player) ++count;
        }
    }
    return count;
}

namespace {

// Eight decimal digits, tens of millions first.
void SplitDigits(int32_t value, int8_t* row) {
    int32_t rest = value < 0 ? -value : value;
    for (int i = 7; i >= 0; --i) {
        row[i] = int8_t(rest % 10);
        rest /= 10;
    }
}

}  // namespace

void HVW_SplitOfferDigits(int16_t mode, int32_t b, int32_t a) {
    if (mode == 1) SplitDigits(a, OfferDigitRows[0]);
    SplitDigits(b, OfferDigitRows[1]);
}

void HVW_SplitOfferDigitsRounded(int16_t mode, int32_t b, int32_t a) {
    HVW_SplitOfferDigits(mode, RoundDownToHundred(b), RoundDownToHundred(a));
}

void HVW_NoOperation() {}
int16_t HVW_ReturnNone() { return -1; }
int16_t HVW_ReturnZero() { return 0; }
int16_t HVW_ReturnZero2() { return 0; }

// ---------------------------------------------------------------------------
// Forwarders to the season code

void HVW_AdvanceDay() {
    CoreBusyCursor(1);
    AdvanceDay();
    SoakStopCheck();
    CoreBusyCursor(0);
}
void HVW_NewGameSetUp() { NewGameSetUp(); }
int16_t HVW_FindFixtureOnDay(int16_t club, int16_t day) { return FindFixtureOnDay(club, day); }
int16_t HVW_FindFriendlyOnDay(int16_t club, int16_t day) { return FindFriendlyOnDay(club, day); }
int16_t HVW_AddFixture(int16_t day, int16_t competition, int16_t home, int16_t away, int16_t flag) {
    return AddFixture(day, competition, home, away, flag);
}
void HVW_ArrangeFriendly(int16_t club, int16_t nation) { ArrangeFriendly(club, nation); }
int16_t HVW_IsFriendlyDateFree(int16_t club) { return IsFriendlyDateFree(club); }
int16_t HVW_CountPlayedFixturesOfClub(int16_t club) { return CountPlayedFixturesOfClub(club); }
int16_t HVW_GetNextFixtureOfPlayersClub(uint16_t player) { return GetNextFixtureOfPlayersClub(player); }
int16_t HVW_GetClubLeaguePosition(int16_t club) { return GetClubLeaguePosition(club); }
int16_t HVW_GetCompetitionValue(int16_t index) { return GetCompetitionValue(index); }
int16_t HVW_BuildClubFixtureList(int16_t club) { return BuildClubFixtureList(club); }
void HVW_FindHumanClubFixture() { FindHumanClubFixture(); }
int16_t HVW_PickPlayersForPosition1(int16_t position) { return PickPlayersForPosition1(position); }
int16_t HVW_PickPlayersForPosition2(int16_t position) { return PickPlayersForPosition2(position); }
int16_t HVW_PickPlayersForPosition3(int16_t position) { return PickPlayersForPosition3(position); }
int16_t HVW_GetSquadEntry(int16_t index) { return GetSquadEntry(index); }
void HVW_InstallHumanManagers(uint16_t a, uint16_t b) { InstallHumanManagers(a, b); }

// ---------------------------------------------------------------------------
// Forwarders to the club-management code

int32_t HVW_GetClubWageLimit(int16_t club) {
    BuildClubSquadList(club);
    HVW_SquadCount = int16_t(std::min<int>(FirstTeamList.count, kSquadListSize));
    return ClubMaxWage(club);
}

void HVW_PickClubTeam(int16_t club) {
    CurrentClubManager = FindClubManager(club);
    BuildClubSquadList(club);
    SelectClubTeamByFormation(club, 5, 0, 0);
}

int16_t HVW_GetSquadSize(int16_t club) { return int16_t(getsquadsize(club)); }
int16_t HVW_CountClubSquad(int16_t club) { return int16_t(FindClubManager(club)); }
int32_t HVW_ValuePlayer(uint16_t player) { return ValuePlayer(player); }
int32_t HVW_ValuePlayerFull(uint16_t player) { return ValuePlayerFull(player); }
int32_t HVW_NegotiateWage(uint16_t player, int32_t amount, int16_t round1, int16_t club, int16_t unused1,
                          int16_t unused2, int16_t round2) {
    return GetFeeCounterOffer(player, amount, round1, club, unused1, unused2, round2);
}
int32_t HVW_NegotiateFee(uint16_t player, int32_t offer, int32_t amount, int32_t previousAsk, int16_t round1,
                         int16_t club, int16_t* response, int16_t round2) {
    return GetTransferAskingPrice(player, offer, amount, previousAsk, round1, club, response, round2);
}
int16_t HVW_GetPlayerApproachReply(uint16_t player, int16_t club) {
    const int16_t reply = GetPlayerApproachReply(player, 0, club);
    // The approach is recorded: a player not yet weighing bids takes his
    // days to decide, so the daily jobs answer the bid.
    if (IsPlayerNumber(player) && GetPlayerSetting4(player) == 0) SetPlayerDecisionDelay(player, 0, club);
    return reply;
}
void HVW_CancelClubBidForPlayer(int16_t club, uint16_t player) { ClearClubBidsOnPlayer(club, player); }
void HVW_ClearClubBids(uint16_t player) { ClearClubBidList(player); }
int32_t HVW_GetClubWageBudget(int16_t club) {
    BuildClubSquadList(club);
    return ClubTransferBudget(club);
}
void HVW_ComputerTransferActivity(int16_t club) { ComputerTransferActivity(club, 0); }
void HVW_RemoveClubManager(int16_t club) { RemoveClubManager(club); }
void HVW_ClearJobApplication() { ClearJobApplication(); }
int16_t HVW_BoardScoreFinance(int16_t club) { return BoardScoreFinance(club); }
int16_t HVW_BoardFormScore(int16_t club) { return BoardFormScore(club); }
int16_t HVW_BoardScorePerformance(int16_t club) { return BoardScorePerformance(club); }
int16_t HVW_GetJobApplicationDay() { return int16_t(GetJobApplicationDay()); }
int16_t HVW_GetJobApplicationAccepted() { return int16_t(GetJobApplicationAccepted()); }
int16_t HVW_GetJobApplicationClub() { return int16_t(GetJobApplicationClub()); }
void HVW_ClearClubCaptains(int16_t club) { ClearClubCaptains(club); }
void HVW_HumanGroundRedevelopment() { HumanGroundRedevelopment(GetUserClub()); }
void HVW_AutoFillShirtNumbers(int16_t club, int16_t a, int16_t b) { AutoAssignShirtNumbers(club, a, b, 0); }
void HVW_AutoFillIntShirtNumbers(int16_t nation, int16_t a, int16_t b) {
    AutoAssignIntShirtNumbers(nation, a, b, kCompReserveLeague);
}
int32_t HVW_RoundDownToHundred(int32_t value) { return RoundDownToHundred(value); }
int32_t HVW_RoundMoneyDown(int32_t amount) { return RoundMoneyValue(amount); }
int32_t HVW_RoundToWageUnit(int32_t value) { return RoundDownTo25(value); }
int32_t HVW_GetClubWageFigure(int16_t club, uint16_t player) { return GetClubWageFigure(club, player); }

// ---------------------------------------------------------------------------
// Forwarders to the history lists and the menu engine

void HVW_AddClubHistoryEntry(uint16_t value, int16_t club, uint16_t extra1, uint16_t extra2, int16_t kind) {
    AddClubHistoryEntry(value, club, extra1, extra2, kind);
}
int16_t HVW_FindClubHistoryEntry(int16_t club, ClubHistoryEntry* out) {
    return int16_t(FindClubHistoryEntry(club, out));
}
int16_t HVW_FindPlayerHistoryEntry(uint16_t player, PlayerHistoryEntry* out) {
    return int16_t(FindPlayerHistoryEntry(player, out));
}

void HVW_RedrawMenuBackground() { CoreRedrawMenuBackground(); }

// ---------------------------------------------------------------------------
// Name formatting

namespace {

// Initial-letter index 0 is a blank: no initial.
constexpr char kInitials[] = " ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int kSurnameField = 16;

char g_short_name[kSurnameField + 3];

}  // namespace

const char* HVW_GetPlayerShortName(uint16_t player) {
    const uint16_t initial = GetPlayerInitial(player);
    // The surname field holds 16 characters; it need not be terminated.
    const char* surname = GetPlayerSurname(player);
    if (initial != 0 && initial < sizeof kInitials - 1) {
        std::snprintf(g_short_name, sizeof g_short_name, "%c.%.*s", kInitials[initial], kSurnameField,
                      surname);
    } else {
        std::snprintf(g_short_name, sizeof g_short_name, "%.*s", kSurnameField, surname);
    }
    return g_short_name;
}

// The club of player 1 as his record holds it; -1 before any player is
// loaded.
int16_t HVW_GetMyClub() { return PlayerCount <= 1 ? int16_t(-1) : int16_t(GetPlayerClub(1)); }

// ---------------------------------------------------------------------------
// Season resets

// Frees every record of the match event history (kind bits 1-7 of the
// flags byte all ones), so a new season starts an empty history as a new
// game does.
void HVW_MarkAll9ByteRecords() {
    constexpr size_t kRecord = 9;
    constexpr size_t kKindByte = 4;
    for (size_t at = 0; at + kRecord <= sizeof MatchEventHistory; at += kRecord) {
        MatchEventHistory[at + kKindByte] |= 0xFE;
    }
}
