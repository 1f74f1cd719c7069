// The club's money screens over the generated world's records, without a
// display: the finance graph's range and places, the money columns in 64
// bits, this season's transfer lists, the weekly summary, the income
// forecast with its cup rounds, the match-marks grid's paging and the twin
// chart's scales.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/base/bytes.h"
#include "core/club/transfers.h"
#include "core/query/financerecord.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueoutlook.h"
#include "core/records/dates.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "game/screens/club/finances.h"
#include "game/screens/club/incomeforecast.h"
#include "game/screens/club/weeklymoney.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/twinchart.h"
#include "game/screens/squad/matchmarks.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"
#include "tests/fakes/world_records.h"

namespace {

using recbits::StoreI32;
using recbits::StoreU16;
using recbits::StoreU32;

class FinanceLogicTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { worldError_ = LoadWorldRecords(HALVORN_GAME_DIR); }
    void SetUp() override {
        if (!worldError_.empty()) GTEST_FAIL() << worldError_;
        testenv::LoadTexts({{977, "Week %d"}, {1022, "Season"}});
        for (int16_t club = 0; club < kClubCount && user_ < 0; ++club)
            if (GetClubRep(club) > 0 && GetClubNation(club) < 8) user_ = club;
        SetPlayerClub(1, user_);
        std::memset(&ClubFinanceRecords[user_], 0, sizeof(ClubFinanceRecord));
        std::memset(FinanceForecast, 0, sizeof FinanceForecast);
        ClearFixtureTable();  // the world's records come without fixtures
        FinanceScreen = {};
        FinanceScreen.currentWeek = 10;
        FinanceScreen.shownWeek = 10;
    }
    void TearDown() override {
        if (!worldError_.empty()) return;
        SetPlayerClub(1, -1);
        testenv::UnloadTexts();
    }
    void SetForecast(int week, int32_t value) { StoreI32(ClubFinanceRecords[user_].bytes + 4 * week, value); }
    void SetWeekField(int week, int field, int32_t value) {
        StoreI32(ClubFinanceRecords[user_].bytes + 208 + 52 * week + 4 * field, value);
    }
    void SetSeasonField(int field, int32_t value) {
        StoreI32(ClubFinanceRecords[user_].bytes + 2912 + 4 * field, value);
    }
    static std::string Money(int64_t value, int32_t type = NUMBER_MONEY) {
        const int32_t kept = CurrentNumberType;
        SetDrawParam(3, type);
        std::string text = Number2Str(int32_t(value));
        SetDrawParam(3, kept);
        return text;
    }
    static void PutTransfer(int n, int16_t seller, int16_t buyer, uint16_t player, uint32_t fee, int year,
                            int month = 8, int day = 1) {
        uint8_t* r = TransferRecords[n].bytes;
        StoreU16(r + 0, uint16_t(seller));
        StoreU16(r + 2, uint16_t(buyer));
        StoreU16(r + 4, player);
        StoreU32(r + 6, fee);
        StoreU16(r + 10, uint16_t(day));
        StoreU16(r + 12, uint16_t(month));
        StoreU16(r + 14, uint16_t(year));
    }

    static inline std::string worldError_;
    int16_t user_ = -1;
};

TEST_F(FinanceLogicTest, GraphRangeAndPlaces) {
    // Every figure 0: a flat graph with a span of 100, no division by 0.
    FinanceComputeRange();
    EXPECT_EQ(FinanceScreen.graphBottom, 0);
    EXPECT_EQ(FinanceScreen.graphTop, 100);
    EXPECT_EQ(FinanceValueY(0), kGraphBottom);
    EXPECT_EQ(FinanceValueY(100), kGraphTop);

    // Top takes a fifth more in thousands; a negative bottom a fifth more.
    SetForecast(3, 2'345'678);
    SetWeekField(4, kFinanceStartBalance, -50'000);
    FinanceForecast[9] = -900'000;  // before this week: not a point of line C
    FinanceForecast[12] = 1'000'000;
    FinanceComputeRange();
    EXPECT_EQ(FinanceScreen.graphTop, 2'814'000);
    EXPECT_EQ(FinanceScreen.graphBottom, -60'000);
    EXPECT_EQ(FinanceValueY(FinanceScreen.graphTop), kGraphTop);
    EXPECT_EQ(FinanceValueY(FinanceScreen.graphBottom), kGraphBottom);
    EXPECT_LT(FinanceValueY(0), kGraphBottom);
    EXPECT_EQ(FinanceWeekX(0), 55);
    EXPECT_EQ(FinanceWeekX(51), 55 + 398);
    EXPECT_EQ(FinanceWeekX(26), 55 + 203);

    // Lines B and C meet at this week and nowhere else.
    int64_t v = 0;
    EXPECT_TRUE(FinanceLineValue(1, 10, &v));
    EXPECT_FALSE(FinanceLineValue(1, 11, &v));
    EXPECT_TRUE(FinanceLineValue(2, 10, &v));
    EXPECT_FALSE(FinanceLineValue(2, 9, &v));
    EXPECT_TRUE(FinanceLineValue(0, 51, &v));
}

TEST_F(FinanceLogicTest, MoneyColumnsOfTheWeekAndTheSeasonIn64Bits) {
    for (int f = 0; f < 7; ++f) SetWeekField(10, f, 1000 * (f + 1));  // income 28000
    for (int f = 7; f < 12; ++f) SetWeekField(10, f, 2000);           // expenses 10000
    SetWeekField(10, kFinanceStartBalance, 500'000);
    FinanceScreenProc();
    EXPECT_EQ(FinanceMoneyText(0, 1), Money(2000));
    EXPECT_EQ(FinanceMoneyText(0, 7), Money(28000));
    EXPECT_EQ(FinanceMoneyText(1, 5), Money(10000));
    EXPECT_EQ(FinanceMoneyText(2, 0), Money(28000));
    EXPECT_EQ(FinanceMoneyText(2, 1), "-" + Money(10000));
    EXPECT_EQ(FinanceMoneyText(2, 2), Money(18000));
    EXPECT_EQ(FinanceMoneyText(2, 4), "+" + Money(18000));
    EXPECT_EQ(FinanceMoneyText(2, 5), Money(518'000));
    EXPECT_STREQ(FinanceHeading(), "Week 10");

    // The season's totals; sums past 32 bits are shown at the limit.
    for (int f = 0; f < 7; ++f) SetSeasonField(f, INT32_MAX);
    SetSeasonField(7, 5);
    Finance_ToggleView(nullptr);
    FinanceScreenProc();
    EXPECT_EQ(FinanceMoneyText(0, 7), Money(INT32_MAX));
    EXPECT_EQ(FinanceMoneyText(1, 0), Money(5));
    EXPECT_EQ(FinanceMoneyText(2, 4), "+" + Money(INT32_MAX));
    EXPECT_STREQ(FinanceHeading(), "Season");
    // A loss has no plus.
    Finance_ToggleView(nullptr);
    SetWeekField(10, 7, 100'000);
    FinanceScreenProc();
    EXPECT_EQ(FinanceMoneyText(2, 4), Money(28000 - 108'000));
}

TEST_F(FinanceLogicTest, ThisSeasonsTransfersAtMostThirtyEach) {
    const int year = SeasonCalendar.season + 2002;
    const int16_t other = int16_t(user_ == 0 ? 1 : 0);
    int n = 0;
    PutTransfer(n++, other, user_, 9, 777, year, 6, 12);  // 12 July: last season
    PutTransfer(n++, other, user_, 9, 777, year - 1, 9, 1);
    PutTransfer(n++, other, 1500, 9, 777, year);  // a club outside the table
    for (int i = 0; i < 35; ++i) PutTransfer(n++, other, user_, uint16_t(10 + i), uint32_t(1000 + i), year);
    PutTransfer(n++, user_, other, 50, 2'000'000'000u, year + 1, 2, 3);
    PutTransfer(n++, user_, other, 51, 2'000'000'005u, year, 6, 13);
    PutTransfer(n++, -1, -1, 0, 0, 0);
    PutTransfer(n++, other, user_, 60, 1, year);  // past the end marker
    FinanceBuildTransfers();
    EXPECT_EQ(FinanceScreen.boughtCount, 30);
    int64_t sum = 0;
    for (int i = 0; i < 30; ++i) sum += 1000 + i;
    EXPECT_EQ(FinanceScreen.boughtSum, sum);
    EXPECT_EQ(FinanceScreen.bought[0].player, 10);
    EXPECT_EQ(FinanceScreen.soldCount, 2);
    EXPECT_EQ(FinanceScreen.soldSum, 4'000'000'005LL);
    // Scrolling stops at bought + sold - 15.
    for (int i = 0; i < 40; ++i) Finance_ScrollDown(nullptr);
    EXPECT_EQ(FinanceScreen.listScroll, 30 + 2 - kFinanceTransferLines);
    for (int i = 0; i < 40; ++i) Finance_ScrollUp(nullptr);
    EXPECT_EQ(FinanceScreen.listScroll, 0);
    std::memset(TransferRecords, 0, sizeof(TransferRecord) * size_t(n));
    PutTransfer(0, -1, -1, 0, 0, 0);
}

// Entering the screen projects the user's club from this week on; the
// weeks gone keep what the buffer held, and the graph's range takes the
// projection in.
TEST_F(FinanceLogicTest, EntryProjectsTheUsersClubFromThisWeekOn) {
    const int16_t keptDay = SeasonCalendar.currentDay;
    SeasonCalendar.currentDay = 70;
    const int week = DaysToWeeks(70);
    ASSERT_GT(week, 0);
    SetWeekField(week, kFinanceStartBalance, 3'456'789);
    for (int32_t& v : FinanceForecast) v = -7;
    PutTransfer(0, -1, -1, 0, 0, 0);
    FinanceEnter();
    EXPECT_EQ(FinanceScreen.currentWeek, week);
    EXPECT_EQ(FinanceScreen.shownWeek, week);
    EXPECT_EQ(FinanceForecast[week - 1], -7);
    EXPECT_EQ(FinanceForecast[week], 3'456'789);
    EXPECT_NE(FinanceForecast[week + 1], -7);
    EXPECT_GE(FinanceScreen.graphTop, 3'456'000);
    int64_t v = 0;
    ASSERT_TRUE(FinanceLineValue(2, week, &v));
    EXPECT_EQ(v, 3'456'789);
    SeasonCalendar.currentDay = keptDay;
}

TEST_F(FinanceLogicTest, WeeklySummaryDashesAndColours) {
    SetWeekField(0, 0, 1500);  // sales; no gate receipts
    SetWeekField(0, 8, 1500);  // wages
    SetClubBalance(user_, 0);
    WeeklyMoneyMenuProc();
    EXPECT_STREQ(WeeklyMoneyText(1), "-");
    EXPECT_EQ(std::string(WeeklyMoneyText(0)), Money(1500, NUMBER_MONEY_PLAIN));
    EXPECT_STREQ(WeeklyMoneyText(11), "-");
    EXPECT_EQ(WeeklyMoneyResultColour(), 6);
    EXPECT_EQ(WeeklyMoneyBalanceColour(), 4);
    EXPECT_EQ(CurrentNumberType, NUMBER_PLAIN);
    SetWeekField(0, 8, 2500);
    SetClubBalance(user_, 10);
    WeeklyMoneyMenuProc();
    EXPECT_EQ(std::string(WeeklyMoneyText(11)), Money(-1000, NUMBER_MONEY_PLAIN));
    EXPECT_EQ(WeeklyMoneyResultColour(), 4);
    EXPECT_EQ(WeeklyMoneyBalanceColour(), 8);
}

TEST_F(FinanceLogicTest, IncomeForecastLinesAndCupRounds) {
    EXPECT_EQ(IncomeForecast_Television(0), 2400000);
    EXPECT_EQ(IncomeForecast_Television(3), 40000);
    EXPECT_EQ(IncomeForecast_Television(5), 10000);
    const int64_t g = 10'001;
    // Entered at round 0, now in round 2 of six: rounds 0 and 1 at 2 g.
    EXPECT_EQ(IncomeForecast_Cup(1, 0, 2, 6, g), 4 * g);
    // Still in the entry round: one round, round 0.
    EXPECT_EQ(IncomeForecast_Cup(1, 3, 3, 6, g), 2 * g);
    // Semi-final and final steps.
    EXPECT_EQ(IncomeForecast_Cup(1, 4, 6, 6, g), int64_t(g * 2.4) + 3 * g);
    EXPECT_EQ(IncomeForecast_Cup(0, 3, 6, 6, g), int64_t(g * 1.6) + 2 * g + g + 200000);
    EXPECT_EQ(IncomeForecast_Cup(5, 0, 5, 6, g), 2 * g);
    // Each floating step is cut toward zero: 4.5 twice gives 8, not 9.
    EXPECT_EQ(IncomeForecast_Cup(4, 0, 2, 6, 3), 8);
    EXPECT_EQ(IncomeForecast_Cup(6, 0, 1, 6, 3), 7);

    // Before the first match the gate counts reputation x 1200.
    const int16_t country = int16_t(GetClubNation(user_));
    const int16_t status = int16_t(GetClubDivision(user_));
    ASSERT_EQ(HVW_CountPlayedFixturesOfClub(user_), 0);
    int64_t lines[kForecastLines];
    IncomeForecast_Compute(user_, lines);
    const int64_t attendance = int64_t(GetClubRep(user_)) * 1200;
    EXPECT_EQ(lines[kForecastGate], attendance * (HVW_GetDivisionGamesPerTeam(country, status) / 2) *
                                        HVW_GetTicketPrice(status, country));
    EXPECT_EQ(lines[kForecastMerchandising], int64_t(double(lines[kForecastGate]) * 0.2));
    EXPECT_EQ(lines[kForecastTelevision], IncomeForecast_Television(status));
    int64_t sum = 0;
    for (int line = 0; line < kForecastTotal; ++line) sum += lines[line];
    EXPECT_EQ(lines[kForecastTotal], sum);
}

TEST_F(FinanceLogicTest, ARoundPastTheCupEndsTheProgram) {
    EXPECT_FATAL(IncomeForecast_Cup(0, 0, 8, 6, 100), "Rounds value too large M_MN52");
    EXPECT_FATAL(IncomeForecast_Cup(7, 0, 1, 6, 100), "Cup value too large M_MN52");
}

TEST_F(FinanceLogicTest, MatchMarksPagingAndTwinChartScales) {
    MatchMarks.count = 32;
    MatchMarks.top = 0;
    for (int i = 0; i < 32; ++i) MatchMarks.players[i] = uint16_t(100 + i);
    EXPECT_EQ(MatchMarks_PageUp(nullptr), MENU_CONTINUE);
    EXPECT_EQ(MatchMarks_PageDown(nullptr), MENU_REDRAW);
    EXPECT_EQ(MatchMarks.top, 15);  // the last page fills up to the count
    EXPECT_EQ(MatchMarks_PageDown(nullptr), MENU_CONTINUE);
    EXPECT_EQ(MatchMarks_PageUp(nullptr), MENU_REDRAW);
    EXPECT_EQ(MatchMarks.top, 0);
    MatchMarks.count = 40;  // more than the list holds: paging stops at 17
    MatchMarks.top = 17;
    MenuHotItem row{};
    row.row = 16;
    EXPECT_EQ(MatchMarks_PickRow(&row), MENU_CONTINUE);  // entry 33
    row.row = 3;
    EXPECT_EQ(MatchMarks_PickRow(&row), MENU_REDRAW);
    EXPECT_EQ(MatchMarks.selectedPlayer, 120);
    MatchMarks = {};

    EXPECT_EQ(TwinChart_Length(5, 0), 188);
    EXPECT_EQ(TwinChart_Length(5, 10), 94);
    EXPECT_EQ(TwinChart_Length(30, 10), 188);
    EXPECT_EQ(TwinChart_Length(-3, 10), 0);
    TwinChartData.rows = 40;
    EXPECT_EQ(TwinChart_Rows(), kTwinChartRows);
    TwinChartData.rows = -2;
    EXPECT_EQ(TwinChart_Rows(), 0);
    TwinChartData = {};
}

}  // namespace
