// Query layer: the player, club and fixture fields as the screens see them,
// with the display scaling of the layer.
#pragma once
#include <cstdint>

struct ClubRecord;
struct PlayerRecord;

// ---------------------------------------------------------------------------
// Player getters (the field as the accessor returns it)

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

// ---------------------------------------------------------------------------
// Club getters and setters

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

// ---------------------------------------------------------------------------
// Fixture getters (no check of the slot)

int16_t HVW_GetFixtureDay(int16_t slot);
int16_t HVW_GetFixtureComp(int16_t slot);
int16_t HVW_GetFixtureClubA(int16_t slot);
int16_t HVW_GetFixtureClubB(int16_t slot);

// 31 = not played.
int16_t HVW_GetFixtureHomeGoals(int16_t slot);
int16_t HVW_GetFixtureAwayGoals(int16_t slot);
int16_t HVW_GetFixtureFlag(int16_t slot);

// ---------------------------------------------------------------------------
// Name formatting

// A player's initial, a full stop and his surname ("J.Smith"), or the
// surname alone for a player without an initial; in a static buffer that the
// next call overwrites.
const char* HVW_GetPlayerShortName(uint16_t player);

// ---------------------------------------------------------------------------
// Small field members: loans, merchandising, fixture words, clauses and the
// 0..60 fields as percentages

int16_t HVW_GetClubSeasonLoans(int16_t club);
void HVW_SetPlayerIntShirt(uint16_t player, int16_t shirt);
void HVW_SetClubSeasonMerchandising(int16_t club, int32_t value);
void HVW_SetClubWeeksMerchandising(int16_t club, int16_t week, int32_t value);
int16_t HVW_GetFixtureField16(int16_t slot);
int16_t HVW_GetFixtureField12(int16_t slot);
int16_t HVW_GetClubGenerosity(int16_t club);
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

// Fitness and fatigue are kept 0..60: a percentage p is stored as
// (p + 1) x 60 / 100.
void HVW_SetPlayerFitnessPercent(uint16_t player, int16_t percent);
void HVW_SetPlayerFatiguePercent(uint16_t player, int16_t percent);
int16_t HVW_GetPlayerField105Percent(uint16_t player);
int16_t HVW_GetPlayerField96Percent(uint16_t player);

// 0..100 sort key of the player lists: half form, half performance.
int16_t HVW_GetPlayerFormScore(uint16_t player);

// Cut to 15 characters and a NUL.
void HVW_SetPlayerSurname(uint16_t player, const char* surname);
