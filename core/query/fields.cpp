// The query layer's field members: player, club and fixture getters and
// setters with the display scaling, and the players' short names.
#include "core/query/fields.h"

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
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
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

void HVW_SetClubBalance(int16_t club, int32_t value) { SetClubBalance(club, value); }
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

// ---------------------------------------------------------------------------
// Small field members: loans, merchandising, fixture words, clauses and the
// 0..60 fields as percentages

int16_t HVW_GetClubSeasonLoans(int16_t club) { return int16_t(GetClubSeasonLoans(club)); }
void HVW_SetPlayerIntShirt(uint16_t player, int16_t shirt) { SetPlayerIntShirt(player, shirt); }
void HVW_SetClubSeasonMerchandising(int16_t club, int32_t value) { SetClubSeasonMerchandising(club, value); }
void HVW_SetClubWeeksMerchandising(int16_t club, int16_t week, int32_t value) {
    SetClubWeeksMerchandising(club, value, week);
}
int16_t HVW_GetFixtureField16(int16_t slot) { return int16_t(GetMatchField16(slot)); }
int16_t HVW_GetFixtureField12(int16_t slot) { return int16_t(GetMatchField12(slot)); }
int16_t HVW_GetClubGenerosity(int16_t club) { return int16_t(GetClubGenerosity(club)); }
int16_t HVW_GetPlayerField117(uint16_t player) { return int16_t(GetPlayerField117(player)); }
int16_t HVW_GetPlayerStat(uint16_t player, int16_t stat) { return GetPlayerStat(player, stat, 0); }
int16_t HVW_GetPlayerStat27(uint16_t player) { return GetPlayerStat27(player); }
void HVW_SetPlayerField96(uint16_t player, int16_t value) { SetPlayerField96(player, value); }
int16_t HVW_GetPlayerField92(uint16_t player) { return int16_t(GetPlayerField92(player)); }
void HVW_SetPlayerFlag95(uint16_t player, int16_t value) { SetPlayerFlag95(player, value); }
int16_t HVW_GetPlayerFlag95(uint16_t player) { return int16_t(GetPlayerFlag95(player)); }
int32_t HVW_GetPlayerClause1(uint16_t player) { return GetPlayerClause1(player); }
int16_t HVW_GetPlayerClause2(uint16_t player) { return int16_t(GetPlayerClause2(player)); }
int16_t HVW_GetPlayerClause3(uint16_t player) { return int16_t(GetPlayerClause3(player)); }
int32_t HVW_GetPlayerClause4(uint16_t player) { return GetPlayerClause4(player); }
int32_t HVW_GetPlayerClause5(uint16_t player) { return GetPlayerClause5(player); }
int32_t HVW_GetPlayerClause6(uint16_t player) { return GetPlayerClause6(player); }
int32_t HVW_GetPlayerClause7(uint16_t player) { return GetPlayerClause7(player); }
int16_t HVW_GetPlayerClause8(uint16_t player) { return int16_t(GetPlayerClause8(player)); }

namespace {

constexpr int32_t kFieldMax = 60;

int16_t PercentToField(int16_t percent) { return int16_t((int32_t(percent) + 1) * kFieldMax / 100); }
int16_t FieldToPercent(uint16_t value) { return int16_t(int32_t(value) * 100 / kFieldMax); }

}  // namespace

void HVW_SetPlayerFitnessPercent(uint16_t player, int16_t percent) {
    SetPlayerFitness(player, PercentToField(percent));
}
void HVW_SetPlayerFatiguePercent(uint16_t player, int16_t percent) {
    SetPlayerFatigue(player, PercentToField(percent));
}
int16_t HVW_GetPlayerField105Percent(uint16_t player) { return FieldToPercent(GetPlayerField105(player)); }
int16_t HVW_GetPlayerField96Percent(uint16_t player) { return FieldToPercent(GetPlayerField96(player)); }
int16_t HVW_GetPlayerFormScore(uint16_t player) {
    const int32_t form = FieldToPercent(GetPlayerField96(player));
    return int16_t(form * 50 / 100 + int32_t(GetPlayerPerf(player)) * 50 / 100);
}

void HVW_SetPlayerSurname(uint16_t player, const char* surname) {
    // The accessor cuts the text to the 15 characters the field holds.
    SetPlayerSurname(player, surname);
}
