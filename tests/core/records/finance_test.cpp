#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/base/bytes.h"
#include "core/club/sponsorship.h"
#include "core/records/dates.h"
#include "core/records/records.h"
#include "core/season/leagues.h"
#include "tests/core/records/records_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using FinanceTest = RecordsTest;
using FinanceDeathTest = RecordsTest;

int32_t WeekBytes(int16_t club, int week, int field) {
    return recbits::LoadI32(ClubFinanceRecords[club].bytes + 208 + 52 * week + field);
}
int32_t TotalBytes(int16_t club, int field) {
    return recbits::LoadI32(ClubFinanceRecords[club].bytes + 2912 + field);
}

// Each week field and season field sits at its place of the record.
TEST_F(FinanceTest, FieldsSitAtTheirOffsets) {
    struct WeekCase {
        void (*set)(int16_t, int32_t, int16_t);
        int32_t (*get)(int16_t, int16_t);
        int field;
    };
    const std::vector<WeekCase> weeks = {
        {SetClubWeekTotalSales, GetClubWeekTotalSales, 0},
        {SetClubWeekGateReceipts, GetClubWeekGateReceipts, 4},
        {SetClubWeeksTVIncome, GetClubWeeksTVIncome, 12},
        {SetClubWeekMiscIn, GetClubWeekMiscIn, 16},
        {SetClubWeeksMerchandising, GetClubWeeksMerchandising, 20},
        {SetClubWeekTotalSignings, GetClubWeekTotalSignings, 28},
        {SetClubWeekTotalWages, GetClubWeekTotalWages, 32},
        {SetClubWeeksCoachingStaffWages, GetClubWeeksCoachingStaffWages, 36},
        {SetClubWeekMiscOut, GetClubWeekMiscOut, 40},
        {SetClubWeeksBonuses, GetClubWeeksBonuses, 44},
        {SetClubWeekLastBalance, GetClubWeekLastBalance, 48},
    };
    int32_t value = 1000;
    for (const WeekCase& c : weeks) {
        std::memset(ClubFinanceRecords, 0, sizeof(ClubFinanceRecord) * 3);
        c.set(1, ++value, 17);
        EXPECT_EQ(WeekBytes(1, 17, c.field), value) << c.field;
        EXPECT_EQ(c.get(1, 17), value) << c.field;
        int nonzero = 0;
        for (int r = 0; r < 3; ++r) {
            for (uint8_t byte : ClubFinanceRecords[r].bytes) nonzero += byte != 0;
        }
        EXPECT_LE(nonzero, 4) << c.field;
    }
    recbits::StoreI32(ClubFinanceRecords[1].bytes + 208 + 52 * 9 + 8, 4444);
    EXPECT_EQ(GetClubWeeksSponsorship(1, 9), 4444);

    struct SeasonCase {
        void (*set)(int16_t, int32_t);
        int32_t (*get)(int16_t);
        int field;
    };
    const std::vector<SeasonCase> seasons = {
        {SetClubSeasonSales, GetClubSeasonSales, 0},
        {SetClubSeasonGateReceipts, GetClubSeasonGateReceipts, 4},
        {SetClubSeasonSponsorship, GetClubSeasonSponsorship, 8},
        {SetClubSeasonTVIncome, GetClubSeasonTVIncome, 12},
        {SetClubSeasonMiscIn, GetClubSeasonMiscIn, 16},
        {SetClubSeasonMerchandising, GetClubSeasonMerchandising, 20},
        {SetClubSeasonSignings, GetClubSeasonSignings, 28},
        {SetClubSeasonPlayerWages, GetClubSeasonPlayerWages, 32},
        {SetClubSeasonCoachingStaffWages, GetClubSeasonCoachingStaffWages, 36},
        {SetClubSeasonMiscOut, GetClubSeasonMiscOut, 40},
        {SetClubSeasonBonuses, GetClubSeasonBonuses, 44},
    };
    for (const SeasonCase& c : seasons) {
        c.set(1199, ++value);
        EXPECT_EQ(TotalBytes(1199, c.field), value) << c.field;
        EXPECT_EQ(c.get(1199), value) << c.field;
    }
}

TEST_F(FinanceTest, WeekAndValueRules) {
    SetClubWeekMiscOut(2, -500, 10);
    EXPECT_EQ(WeekBytes(2, 10, 40), 0);
    SetClubWeekMiscOut(2, 600, 60);
    EXPECT_EQ(WeekBytes(2, 51, 40), 600);
    SetClubWeekTotalSales(2, 77, 51);
    EXPECT_EQ(GetClubWeekTotalSales(2, -3), 77);
    // Setters marked "at least 0" and those that store as given.
    SetClubWeeksBonuses(2, -9, 0);
    EXPECT_EQ(GetClubWeeksBonuses(2, 0), -9);
    SetClubSeasonMiscIn(2, -9);
    EXPECT_EQ(GetClubSeasonMiscIn(2), 0);
    SetClubSeasonSales(2, -9);
    EXPECT_EQ(GetClubSeasonSales(2), -9);
    SetClubSeasonSales(1200, 5);
    SetClubWeekTotalSales(-1, 5, 0);
}

TEST_F(FinanceTest, SeasonOperations) {
    SetClubRep(4, 30);
    uint8_t* totals = ClubFinanceRecords[4].bytes + 2912;
    uint8_t* idle = ClubFinanceRecords[5].bytes + 2912;
    for (int i = 0; i < 13; ++i) {
        recbits::StoreI32(totals + 4 * i, 100 + i);
        recbits::StoreI32(idle + 4 * i, 100 + i);
    }
    ClearFinanceTotals();
    for (int i = 0; i < 13; ++i) {
        int32_t kept = (i == 6 || i == 12) ? 100 + i : 0;
        EXPECT_EQ(recbits::LoadI32(totals + 4 * i), kept) << i;
        EXPECT_EQ(recbits::LoadI32(idle + 4 * i), 100 + i) << i;  // reputation 0: skipped
    }

    // Opening a week empties the entry of a club with a reputation and
    // starts it from the balance; a club without one keeps its entry.
    SetClubBalance(4, 777);
    for (int field = 0; field < 52; field += 4) {
        recbits::StoreI32(ClubFinanceRecords[4].bytes + 208 + 52 * 9 + field, 50 + field);
        recbits::StoreI32(ClubFinanceRecords[5].bytes + 208 + 52 * 9 + field, 50 + field);
    }
    GetLastBalance(9);
    for (int field = 0; field < 48; field += 4) {
        EXPECT_EQ(WeekBytes(4, 9, field), 0) << field;
        EXPECT_EQ(WeekBytes(5, 9, field), 50 + field) << field;
    }
    EXPECT_EQ(WeekBytes(4, 9, 48), 777);
    EXPECT_EQ(WeekBytes(5, 9, 48), 98);
    EXPECT_EQ(WeekBytes(4, 8, 48), 0);  // only the week asked for

    SeasonCalendar.currentDay = 100;  // week 14
    SetClubBalance(5, 321);
    RecordWeeklyBalances();
    EXPECT_EQ(WeekBytes(5, DaysToWeeks(100), 48), 321);
    EXPECT_EQ(DaysToWeeks(100), 14);
    EXPECT_EQ(DaysToWeeks(365), 52);
    EXPECT_EQ(DaysToWeeks(7), 0);
}

TEST_F(FinanceTest, ProjectedAttendanceAndIncomes) {
    const int16_t c = 20;
    SetClubNation(c, 0);
    SetClubDivision(c, 2);
    SetClubRep(c, 63);
    SetClubStandCapacity0(c, 10);
    SetClubStandCapacity1(c, 10);
    SetClubStandCapacity2(c, 5);
    SetClubStandCapacity3(c, 5);
    // 30 x 1000 x (30 + 70 x 100 / 100) / 100 = 30000 spectators at 4.
    EXPECT_EQ(EstimateHomeGate(c), 30000 * 4);
    SetClubAvgAttendance(c, 12345);
    EXPECT_EQ(EstimateHomeGate(c), 12345 * 4);
    SetClubDivision(c, 5);
    SetClubAvgAttendance(c, 0);
    SetClubRep(c, 3);  // 4 percent: 5 + 95 x 4 / 100 = 8
    EXPECT_EQ(EstimateHomeGate(c), 30 * 1000 * 8 / 100 * 2);

    SetClubDivision(c, 3);
    SetClubNation(c, 2);
    EXPECT_EQ(GetTelevisedMatchIncome(c), 1000000 / 25);
    SetClubNation(c, 30);
    EXPECT_EQ(GetTelevisedMatchIncome(c), 0);

    SetClubRep(c, 51);  // 80 percent
    EXPECT_EQ(GetCoachingWeeklyWage(c), 26425);
    SetClubRep(c, 52);  // 82 percent
    EXPECT_EQ(GetCoachingWeeklyWage(c), 86500);
    SetClubRep(c, 7);  // 11 percent
    EXPECT_EQ(GetCoachingWeeklyWage(c), 4320);
    SetClubRep(c, 6);
    EXPECT_EQ(GetCoachingWeeklyWage(c), 480);

    // Division 0 of nation 0, base Rep 3 (class 7): full sponsorship.
    SetClubNation(c, 0);
    SetClubDivision(c, 0);
    SetClubBaseRep(c, 3);
    EXPECT_EQ(GetWeeklyCommercialIncome(c, 1000), int32_t(1000 * 0.2 + 10000000 / 52));
    EXPECT_EQ(GetSponsorshipAmount(0, 0, 0), 7000000);
    EXPECT_EQ(GetSponsorshipAmount(3, 4, 5), 1000000 - 15000);
}

TEST_F(FinanceTest, FixtureListAndOutgoings) {
    const int16_t c = 30;
    PutFixture(0, 3, kCompLeague, c, 31, 0, 0);
    PutFixture(1, 5, kCompNationalTeam, c, 31, 0, 0);       // national-team day: left out
    PutFixture(2, 6, kCompLeague, 32, c, 0, 0, 1 << 13);    // televised away
    PutFixture(3, 9, CupCode(0, 0), c, 33, 0, 0, 1 << 13);  // televised home
    PutFixture(4, 12, kCompLeague, 34, 35, 0, 0);           // other clubs
    for (int i = 0; i < 5; ++i) PutFixture(5 + i, 20 + i, kCompLeague, 36, c, 0, 0);
    BuildFinanceFixtureList(c);
    EXPECT_EQ(FinanceFixtureList[0].day, 3);
    EXPECT_EQ(FinanceFixtureList[0].kind, 0);
    EXPECT_EQ(FinanceFixtureList[1].day, 6);
    EXPECT_EQ(FinanceFixtureList[1].kind, 2);
    EXPECT_EQ(FinanceFixtureList[2].kind, 1);
    EXPECT_EQ(FinanceFixtureList[3].kind, 3);
    EXPECT_EQ(FinanceFixtureList[8].day, -1);

    SetClubRep(c, 6);      // coaching 480
    SetClubControl(c, 1);  // a human club's lists are its roster as it stands
    for (uint16_t p = 40; p < 43; ++p) {
        SetPlayerClub(p, c);
        SetPlayerPosition(p, 3);
        SetPlayerWage(p, 100);
        SetPlayerClause4(p, 520);
        SetPlayerClause5(p, 0);
        SetPlayerClause6(p, 520);
    }
    UpdateClubSquads();
    // 8 fixtures: blocks start at 0 and 5; clauses 3 x 1040.
    EXPECT_EQ(GetWeeklyOutgoings(c), 3 * 2500 + 2 * 3120 / 52 + 480);
}

// Empty slots hold club 0 in both club fields: club 0's list must hold its
// own fixtures only, or its weekly outgoings count a block per five empties.
TEST_F(FinanceTest, EmptySlotsAreNoFixturesOfClubZero) {
    PutFixture(0, 4, kCompLeague, 0, 31, 0, 0);
    PutFixture(1, 11, kCompLeague, 32, 0, 0, 0);
    BuildFinanceFixtureList(0);
    EXPECT_EQ(FinanceFixtureList[0].day, 4);
    EXPECT_EQ(FinanceFixtureList[1].day, 11);
    EXPECT_EQ(FinanceFixtureList[2].day, -1);
}

TEST_F(FinanceTest, ForecastAndAffordableWage) {
    const int16_t c = 50;
    SetClubNation(c, 0);
    SetClubDivision(c, 0);
    SetClubRep(c, 6);
    SetClubBaseRep(c, 3);
    SetClubAvgAttendance(c, 1000);  // gate 30000
    SetClubBalance(c, 1000000);
    PutFixture(0, 10, kCompLeague, c, 51, 0, 0);
    PutFixture(1, 17, kCompLeague, 52, c, 0, 0, 1 << 13);
    InitClubFinanceHistory();
    const uint8_t* forecast = ClubFinanceRecords[c].bytes;
    const int32_t fixed = int32_t(30000 * 0.2 + 10000000 / 52);
    const int32_t out = 480;
    EXPECT_EQ(recbits::LoadI32(forecast), 1000000);
    EXPECT_EQ(TotalBytes(c, 48), 1000000);
    EXPECT_EQ(WeekBytes(c, 0, 48), 1000000);
    // Week 1 covers days 1..7: nothing; week 2 days 8..14: the home match.
    int32_t w1 = 1000000 + fixed - out;
    EXPECT_EQ(recbits::LoadI32(forecast + 4), w1);
    int32_t w2 = w1 + fixed + int32_t(30000 + 0.3 * 30000) - out;
    EXPECT_EQ(recbits::LoadI32(forecast + 8), w2);
    int32_t w3 = w2 + fixed + 400000 - out;
    EXPECT_EQ(recbits::LoadI32(forecast + 12), w3);

    // On the first day the live forecast matches the season's forecast.
    SeasonCalendar.currentDay = 0;
    FinanceForecast[0] = -1;
    ForecastClubBalance(c);
    for (int w = 0; w < 52; ++w) {
        ASSERT_EQ(FinanceForecast[w], recbits::LoadI32(forecast + 4 * w)) << w;
    }
    // Later on, weeks before today's keep what the buffer held, and today's
    // week starts from its recorded balance.
    FinanceForecast[0] = -5;
    SeasonCalendar.currentDay = 14;  // week 1; next week covers days 15..21
    SetClubWeekLastBalance(c, 2000000, 1);
    ForecastClubBalance(c);
    EXPECT_EQ(FinanceForecast[0], -5);
    EXPECT_EQ(FinanceForecast[1], 2000000);
    EXPECT_EQ(FinanceForecast[2], 2000000 + fixed + 400000 - out);
    SeasonCalendar.currentDay = 0;

    // Affordable wage: the end-of-season balance spread over the weeks left.
    ForecastClubBalance(c);
    int32_t g = FinanceForecast[51];
    EXPECT_EQ(GetAffordableWage(c), g / 52);
    SetClubControl(c, 1);  // a human club's lists are its roster as it stands
    SetPlayerClub(60, c);
    SetPlayerPosition(60, 4);
    SetPlayerClause8(60, 1);
    SetPlayerWage(60, 30000 / 25);
    UpdateClubSquads();
    ForecastClubBalance(c);
    g = FinanceForecast[51];
    int32_t per = g / 52;
    EXPECT_GT(per, 30000);
    EXPECT_EQ(GetAffordableWage(c), (per + 30000) / 2);

    // A club that ends the season broke, or nearly, can afford nothing.
    SetClubBalance(c, 0);
    SetClubWeekLastBalance(c, 0, 0);
    SetClubBaseRep(c, 3);
    SetClubNation(c, 20);  // no sponsorship, no ticket price, no TV
    EXPECT_EQ(GetAffordableWage(c), 0);
}

TEST_F(FinanceTest, AffordableWageNeedsMoreThanTheMinimumMargin) {
    const int16_t c = 70;
    SetClubNation(c, 20);             // outside the leagues: no income at all
    SetClubRep(c, 6);                 // outgoings 480 a week
    SeasonCalendar.currentDay = 351;  // week 50: 2 weeks left, 1 projected
    const int weeksLeft = 52 - DaysToWeeks(351);
    ASSERT_EQ(weeksLeft, 2);
    SetClubWeekLastBalance(c, 480 + 75 * weeksLeft + 100, 50);
    EXPECT_EQ(GetAffordableWage(c), 0);
    SetClubWeekLastBalance(c, 480 + 75 * weeksLeft + 101, 50);
    EXPECT_EQ(GetAffordableWage(c), (75 * weeksLeft + 101) / weeksLeft);
    // Late in the season the week number passes 51: the last week stands.
    SeasonCalendar.currentDay = 364;
    SetClubWeekLastBalance(c, 5200, 51);
    EXPECT_EQ(GetAffordableWage(c), 5200);
}

TEST_F(FinanceDeathTest, BadWeeksAndClubs) {
    EXPECT_FATAL(GetClubWeeksMerchandising(1, 52), "Invalid Week in GetLastBalance\\(\\) Access");
    EXPECT_FATAL(GetLastBalance(52), "Invalid Week in GetLastBalance\\(\\) Access");
    EXPECT_FATAL(GetLastBalance(-1), "Invalid Week in GetLastBalance\\(\\) Access");
    EXPECT_FATAL(GetClubWeekTotalSales(-1, 0), "Trying to get Total Sales of neg club : '-1'");
    EXPECT_FATAL(GetClubSeasonBonuses(1200), "Trying to get SeasonBonuses of neg club : '1200'");
    EXPECT_FATAL(GetSponsorshipAmount(0, 9, 0), "invalid team expectation passed in for sponsorship board");
}

}  // namespace

// The kept index gives every club the list the walk over the table gives,
// reads broadcast bits as they stand and follows the table's changes.
TEST_F(FinanceTest, KeptFixtureIndexGivesTheWalksLists) {
    const int16_t c = 30;
    PutFixture(0, 3, kCompLeague, c, 31, 0, 0);
    PutFixture(1, 5, kCompNationalTeam, c, 31, 0, 0);
    PutFixture(2, 6, kCompLeague, 32, c, 0, 0, 1 << 13);
    PutFixture(3, 9, CupCode(0, 0), c, 33, 0, 0, 1 << 13);
    PutFixture(4, 12, kCompReserveLeague, 34, c, 0, 0);
    PutFixture(5, 14, kCompFriendly, 0, 31, 0, 0);
    const auto listOf = [](int16_t club) {
        BuildFinanceFixtureList(club);
        std::vector<std::pair<int, int>> list;
        for (const FinanceFixture& f : FinanceFixtureList) list.emplace_back(f.day, f.kind);
        return list;
    };
    const int16_t clubs[] = {0, c, 31, 32, 33, 34, 99};
    std::vector<std::vector<std::pair<int, int>>> walked;
    for (int16_t club : clubs) walked.push_back(listOf(club));
    KeepFinanceFixtureIndex(true);
    for (size_t i = 0; i < std::size(clubs); ++i) EXPECT_EQ(listOf(clubs[i]), walked[i]) << clubs[i];
    // A broadcast bit set after the index was made.
    recbits::StoreU32(FixtureTable[0].bytes + kFixtureScoreWord,
                      recbits::LoadU32(FixtureTable[0].bytes + kFixtureScoreWord) | kFixtureBroadcastBit);
    EXPECT_EQ(listOf(c)[0].second, 1);
    // A fixture deleted through the table's functions.
    DeleteFixture(2);
    const auto kept = listOf(c);
    KeepFinanceFixtureIndex(false);
    EXPECT_EQ(kept, listOf(c));
    EXPECT_EQ(kept[1].first, 9);
}
