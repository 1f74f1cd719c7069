// Club finance records: the week entries and season totals of every club,
// the season operations and the balance forecast.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/base/bytes.h"
#include "core/records/clubrecords.h"
#include "core/records/recordsizes.h"

// ---------------------------------------------------------------------------
// Tables

struct ClubFinanceRecord {
    uint8_t bytes[kClubFinanceRecordSize];
};
static_assert(sizeof(ClubFinanceRecord) == 2964);

extern ClubFinanceRecord ClubFinanceRecords[kClubCount];

// ---------------------------------------------------------------------------
// Club finance

int32_t GetClubWeekTotalSales(int16_t club, int16_t week);
void SetClubWeekTotalSales(int16_t club, int32_t value, int16_t week);
int32_t GetClubWeekGateReceipts(int16_t club, int16_t week);
void SetClubWeekGateReceipts(int16_t club, int32_t value, int16_t week);
int32_t GetClubWeeksSponsorship(int16_t club, int16_t week);
void SetClubWeeksSponsorship(int16_t club, int32_t value, int16_t week);
int32_t GetClubWeeksTVIncome(int16_t club, int16_t week);
void SetClubWeeksTVIncome(int16_t club, int32_t value, int16_t week);
int32_t GetClubWeekMiscIn(int16_t club, int16_t week);
void SetClubWeekMiscIn(int16_t club, int32_t value, int16_t week);
int32_t GetClubWeeksMerchandising(int16_t club, int16_t week);
void SetClubWeeksMerchandising(int16_t club, int32_t value, int16_t week);
int32_t GetClubWeekTotalSignings(int16_t club, int16_t week);
void SetClubWeekTotalSignings(int16_t club, int32_t value, int16_t week);
int32_t GetClubWeekTotalWages(int16_t club, int16_t week);
void SetClubWeekTotalWages(int16_t club, int32_t value, int16_t week);
int32_t GetClubWeeksCoachingStaffWages(int16_t club, int16_t week);
void SetClubWeeksCoachingStaffWages(int16_t club, int32_t value, int16_t week);
int32_t GetClubWeekMiscOut(int16_t club, int16_t week);
void SetClubWeekMiscOut(int16_t club, int32_t value, int16_t week);
int32_t GetClubWeeksBonuses(int16_t club, int16_t week);
void SetClubWeeksBonuses(int16_t club, int32_t value, int16_t week);
int32_t GetClubWeekLastBalance(int16_t club, int16_t week);
void SetClubWeekLastBalance(int16_t club, int32_t value, int16_t week);

int32_t GetClubSeasonSales(int16_t club);
void SetClubSeasonSales(int16_t club, int32_t value);
int32_t GetClubSeasonGateReceipts(int16_t club);
void SetClubSeasonGateReceipts(int16_t club, int32_t value);
int32_t GetClubSeasonSponsorship(int16_t club);
void SetClubSeasonSponsorship(int16_t club, int32_t value);
int32_t GetClubSeasonTVIncome(int16_t club);
void SetClubSeasonTVIncome(int16_t club, int32_t value);
int32_t GetClubSeasonMiscIn(int16_t club);
void SetClubSeasonMiscIn(int16_t club, int32_t value);
int32_t GetClubSeasonMerchandising(int16_t club);
void SetClubSeasonMerchandising(int16_t club, int32_t value);
int32_t GetClubSeasonSignings(int16_t club);
void SetClubSeasonSignings(int16_t club, int32_t value);
int32_t GetClubSeasonPlayerWages(int16_t club);
void SetClubSeasonPlayerWages(int16_t club, int32_t value);
int32_t GetClubSeasonCoachingStaffWages(int16_t club);
void SetClubSeasonCoachingStaffWages(int16_t club, int32_t value);
int32_t GetClubSeasonMiscOut(int16_t club);
void SetClubSeasonMiscOut(int16_t club, int32_t value);
int32_t GetClubSeasonBonuses(int16_t club);
void SetClubSeasonBonuses(int16_t club, int32_t value);

// Season operations.
void ClearFinanceTotals();
// Opens a week: for every club with a reputation, the week's entry is
// emptied and its start balance set to the club's balance.  A week outside
// 0..51 ends the program.
void GetLastBalance(int16_t week);
void RecordWeeklyBalances();
void InitClubFinanceHistory();

// Projection.  The fixture list and the forecast buffer are shared
// scratch: one club at a time.
struct FinanceFixture {
    int16_t day;    // -1 ends the list
    uint16_t kind;  // 0 home, 1 televised home, 2 televised away, 3 away
};
constexpr int kFinanceFixtureListSize = 100;
extern FinanceFixture FinanceFixtureList[kFinanceFixtureListSize];
extern int32_t FinanceForecast[kFinanceWeeks];

void BuildFinanceFixtureList(int16_t club);
// While kept, the list is built from an index of every club's fixtures
// made once while the fixture table stays as it was (its generation and
// the day); the scores' broadcast bits are read as they stand.
void KeepFinanceFixtureIndex(bool keep);
int32_t EstimateHomeGate(int16_t club);
int32_t GetWeeklyCommercialIncome(int16_t club, int32_t gate);
int32_t GetTelevisedMatchIncome(int16_t club);
int32_t GetWeeklyOutgoings(int16_t club);
int32_t GetCoachingWeeklyWage(int16_t club);
void ForecastClubBalance(int16_t club);
int32_t GetAffordableWage(int16_t club);
