// Dates, weeks, recent form and banded rating texts.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/club/playervalue.h"
#include "core/club/scouting.h"
#include "core/club/squads.h"
#include "core/query/datesandform.h"
#include "core/records/dates.h"
#include "core/season/clubseason.h"
#include "core/season/leagues.h"
#include "tests/core/records/league_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"

namespace {

using DatesTest = LeagueWorldTest;

struct Date {
    int weekday, day, month, year;
};

Date FullDate(int day, int season) {
    uint8_t w, d, m;
    int16_t y;
    HVW_DayNumberToFullDate(int16_t(day), int16_t(season), &w, &d, &m, &y);
    return Date{w, d, m, y};
}

TEST_F(DatesTest, KnownDaysOfTheSeason) {
    Date d = FullDate(0, 0);
    EXPECT_EQ(d.weekday, 0);
    EXPECT_EQ(d.day, 13);
    EXPECT_EQ(d.month, 6);
    EXPECT_EQ(d.year, 2002);
    d = FullDate(172, 0);
    EXPECT_EQ(d.day, 1);
    EXPECT_EQ(d.month, 0);
    EXPECT_EQ(d.year, 2003);
    EXPECT_EQ(d.weekday, 172 % 7);
    // Season 1 (2003-04) has a 29 February; season 0 does not.
    d = FullDate(231, 1);
    EXPECT_EQ(d.day, 29);
    EXPECT_EQ(d.month, 1);
    EXPECT_EQ(d.year, 2004);
    d = FullDate(231, 0);
    EXPECT_EQ(d.day, 1);
    EXPECT_EQ(d.month, 2);
    // The 366th day of season 1 is the day before 13 July 2004.
    d = FullDate(365, 1);
    EXPECT_EQ(d.day, 12);
    EXPECT_EQ(d.month, 6);
}

// Every day of twelve seasons against the civil calendar, counted from
// Saturday 13 July 2002 (weekday 0).
TEST_F(DatesTest, DatesMatchTheCalendarOverManySeasons) {
    using namespace std::chrono;
    const sys_days origin = sys_days(year{2002} / July / 13);
    for (int season = 0; season < 12; ++season) {
        const sys_days first = sys_days(year{2002 + season} / July / 13);
        const int length = int((sys_days(year{2003 + season} / July / 13) - first).count());
        EXPECT_EQ(length, (2003 + season) % 4 == 0 ? 366 : 365);
        for (int day = 0; day < length; day += (season < 3 ? 1 : 17)) {
            const year_month_day ymd{first + days{day}};
            const Date got = FullDate(day, season);
            const int weekday = int(((first + days{day}) - origin).count() % 7);
            ASSERT_EQ(got.year, int(ymd.year())) << season << " " << day;
            ASSERT_EQ(got.month + 1, int(unsigned(ymd.month()))) << season << " " << day;
            ASSERT_EQ(got.day, int(unsigned(ymd.day()))) << season << " " << day;
            ASSERT_EQ(got.weekday, weekday) << season << " " << day;
        }
    }
}

TEST_F(DatesTest, DaysToWeeks) {
    EXPECT_EQ(DaysToWeeks(365), 52);
    EXPECT_EQ(DaysToWeeks(7), 0);
    EXPECT_EQ(DaysToWeeks(8), 1);
    EXPECT_EQ(DaysToWeeks(-8), -1);
}

TEST_F(DatesTest, BandedTexts) {
    EXPECT_EQ(HVW_GetManagerFansText(100), 3074);
    EXPECT_EQ(HVW_GetBoardConfidenceText(100), 3095);
    EXPECT_EQ(HVW_GetSquadHappinessText(100), 3116);
    EXPECT_EQ(HVW_GetManagerFansText(105), -1);
    EXPECT_EQ(HVW_GetManagerFansText(0), 3054);
    EXPECT_EQ(HVW_GetManagerFansText(-4), 3054);  // truncation toward zero
    EXPECT_EQ(HVW_GetManagerFansText(-5), -1);
    EXPECT_EQ(HVW_GetBoardConfidenceText(54), 3085);
    EXPECT_EQ(HVW_GetClubTenureText(99), 3053);
    EXPECT_EQ(HVW_GetClubGenerosityText(0), 3034);
    EXPECT_EQ(HVW_GetClubSupportText(45), 3028);
    EXPECT_EQ(HVW_GetClubSupportText(100), -1);
}

TEST_F(DatesTest, TableReads) {
    int16_t* r = ReserveSeasonRecords[40].words;
    for (int i = 0; i < 13; ++i) r[i] = int16_t(10 + i);
    int16_t a, b, c, d, e;
    HVW_GetClubTableRow(40, &a, &b, &c);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(b, 21);
    EXPECT_EQ(c, 23);
    HVW_GetClubTableGroup1(40, &a, &b, &c, &d, &e);
    EXPECT_EQ(a * 10000 + b * 1000 + c * 100 + d * 10 + e, 11 * 10000 + 12000 + 1300 + 140 + 15);
    HVW_GetClubTableGroup2(40, &a, &b, &c, &d, &e);
    EXPECT_EQ(a, 16);
    EXPECT_EQ(e, 20);

    int16_t* l = LeagueSeasonRecords[40].words;
    l[kSeasonHomeFor] = 30, l[kSeasonAwayFor] = 12, l[kSeasonHomeAgainst] = 5;
    l[kSeasonAwayAgainst] = 9;
    SetClubDivision(40, 1);
    EXPECT_EQ(HVW_GetClubSeasonFigures(40, &a, &b, &c, &d), 42);
    EXPECT_EQ(a, 30);
    EXPECT_EQ(b, 12);
    EXPECT_EQ(c, 5);
    EXPECT_EQ(d, 9);
    SetClubDivision(40, 6);  // outside the leagues
    a = 77;
    EXPECT_EQ(HVW_GetClubSeasonFigures(40, &a, &b, &c, &d), -1);
    EXPECT_EQ(a, 77);
    EXPECT_EQ(HVW_GetClubSeasonFigures(1200, &a, &b, &c, &d), -1);

    ReserveLeagueTable[3][2][5] = 444;
    EXPECT_EQ(HVW_GetDivisionTable2Club(2, 5, 3), 444);
    PutFixture(7, 10, kCompLeague, 1, 2, 1, 1);
    uint32_t word = 0xFF800000u | 123456u;
    std::memcpy(FixtureTable[7].bytes + 12, &word, 4);
    EXPECT_EQ(HVW_GetFixtureWord12(7), 123456);
}

TEST_F(DatesTest, ClubWorthAddsSquadValuesToTheBalance) {
    for (uint16_t p = 1; p <= 3; ++p) {
        SetPlayerClub(p, 9);
        SetPlayerLoanClub(p, -1);
        SetPlayerPosition(p, 5);
        SetPlayerStat(p, 27, 50 + p);
    }
    UpdateClubSquads();
    SetClubBalance(9, 1000000);
    EXPECT_EQ(HVW_GetClubWorth(9), 1000000 + ValuePlayer(1) + ValuePlayer(2) + ValuePlayer(3));
}

TEST_F(DatesTest, UnscoutedPlayerVariant) {
    PlayerCount = 100;
    // The user's club (player 1's) is of country 0.
    SetPlayerClub(1, 0);
    SetClubNation(0, 0);
    // A player of a country-3 club in division 2.
    SetPlayerClub(12, 300);
    SetClubNation(300, 3);
    SetClubDivision(300, 2);
    for (int16_t& flag : CountryScoutedFlags) flag = 1;
    EXPECT_EQ(HVW_GetUnscoutedPlayerVariant(12), -1);  // country known
    CountryScoutedFlags[3] = 0;
    EXPECT_EQ(HVW_GetUnscoutedPlayerVariant(12), 12 % 5);
    SetClubDivision(300, 1);
    EXPECT_EQ(HVW_GetUnscoutedPlayerVariant(12), -1);  // top divisions are known
    SetClubDivision(300, 2);
    SetPlayerFlag119(12, 1);
    EXPECT_EQ(HVW_GetUnscoutedPlayerVariant(12), -1);  // scouted
    SetClubNation(300, 0);
    SetPlayerFlag119(12, 0);
    EXPECT_EQ(HVW_GetUnscoutedPlayerVariant(12), -1);  // the user's own country
    // Without a club: his nationality counts.  Looking at him leaves the
    // scouts' weeks paid alone.
    SetPlayerClub(13, -1);
    SetPlayerNationality(13, 40);
    ScoutingWord = 3;
    EXPECT_EQ(HVW_GetUnscoutedPlayerVariant(13), 13 % 5);
    EXPECT_EQ(ScoutingWord, 3);
}

// The day's check is quiet in a game that never stored the total: every
// day of a season wrote an empty line when the total started at 0.
TEST_F(DatesTest, FormationCheckIsQuietFromTheStart) {
    StdoutCapture out;
    HVW_CheckFormationTotal();
    EXPECT_EQ(out.Text(), "");
}

TEST_F(DatesTest, FormationCheckLogsAChangedTotal) {
    HVW_StoreFormationTotal();
    {
        StdoutCapture out;
        HVW_CheckFormationTotal();
        EXPECT_EQ(out.Text(), "");
    }
    FormationCheckTotal = int16_t(FormationCheckTotal + 1);
    {
        StdoutCapture out;
        HVW_CheckFormationTotal();
        EXPECT_EQ(out.Text(), "\n");
    }
    HVW_StoreFormationTotal();
}

class FormTest : public LeagueWorldTest {
  protected:
    void SetUp() override {
        LeagueWorldTest::SetUp();
        testenv::LoadTexts({{138, "W"}, {139, "D"}, {140, "L"}});
    }
    void TearDown() override { testenv::UnloadTexts(); }
};

TEST_F(FormTest, ReserveFormStringLatestFirst) {
    SeasonCalendar.currentDay = 50;
    PutFixture(0, 10, kCompReserveLeague, 5, 6, 2, 0);    // won at home
    PutFixture(1, 20, kCompReserveLeague, 7, 5, 1, 1);    // drawn away
    PutFixture(2, 30, kCompLeague, 5, 8, 0, 3);           // a league match: not counted
    PutFixture(3, 40, kCompReserveLeague, 9, 5, 3, 0);    // lost away
    PutFixture(4, 50, kCompReserveLeague, 5, 9, 31, 31);  // today: not before today
    EXPECT_EQ(std::string(HVW_GetClubFormString120(5)), "LDW--");
    EXPECT_EQ(std::string(HVW_GetClubFormString120(6)), "L----");
    EXPECT_EQ(std::string(HVW_GetClubFormString120(77)), "-----");
    SeasonCalendar.currentDay = 0;
    EXPECT_EQ(std::string(HVW_GetClubFormString120(5)), "-----");
}

TEST_F(FormTest, RecentFormCountsBackFromTodaysFirstFixture) {
    SeasonCalendar.currentDay = 40;
    PutFixture(0, 5, kCompLeague, 5, 6, 4, 0);          // too old once five are counted
    PutFixture(1, 10, kCompLeague, 5, 6, 2, 0);         // won by 2
    PutFixture(2, 20, kCompLeague, 7, 5, 1, 1);         // drawn
    PutFixture(3, 25, kCompReserveLeague, 5, 7, 5, 0);  // reserve league: not counted
    PutFixture(4, 30, kCompLeague, 9, 5, 3, 0);         // lost
    PutFixture(5, 35, kCompLeague, 5, 9, 3, 2);         // won by 1
    PutFixture(6, 40, kCompLeague, 8, 5, 0, 2);         // today, played: won by 2
    PutFixture(7, 41, kCompLeague, 5, 8, 9, 0);         // tomorrow: not counted
    int16_t margin = 0;
    EXPECT_EQ(HVW_GetClubRecentLeagueForm(5, &margin), 3 + 3 + 0 + 1 + 3);
    EXPECT_EQ(margin, 2 + 1 + 2);
    EXPECT_EQ(HVW_GetClubRecentForm120(5, &margin), 3);
    EXPECT_EQ(margin, 5);
    EXPECT_EQ(HVW_GetClubRecentForm120(6, &margin), 0);
    EXPECT_EQ(margin, 0);
}

}  // namespace
