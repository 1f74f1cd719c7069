#include <gtest/gtest.h>

#include "core/query/matchdaylookups.h"
#include "tests/core/query/query_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using MatchDayTest = QueryTest;
using MatchDayDeathTest = QueryTest;

TEST_F(MatchDayTest, FixtureFromDayTreatsReserveFixturesApart) {
    PutFixture(0, 8, kCompLeague, 5, 6, 1, 0);
    PutFixture(1, 10, kCompReserveLeague, 5, 7, 31, 31);  // first from day 10
    PutFixture(2, 12, kCompLeague, 8, 5, 31, 31);
    PutFixture(3, 14, kCompReserveLeague, 9, 5, 31, 31);
    EXPECT_EQ(HVW_FindClubFixtureFromDay(5, -1, 0, 10), 2);
    EXPECT_EQ(HVW_FindClubFixtureFromDay(5, -1, 1, 10), 1);
    EXPECT_EQ(HVW_FindClubFixtureFromDay(5, kCompReserveLeague, 0, 10), 1);
    EXPECT_EQ(HVW_FindClubFixtureFromDay(5, kCompReserveLeague, 1, 11), 3);
    // The given day itself counts.
    EXPECT_EQ(HVW_FindClubFixtureFromDay(5, -1, 0, 8), 0);
    EXPECT_EQ(HVW_FindClubFixtureFromDay(5, kCompLeague, 0, 13), kFixtureSlots);
    // The empty slots at the end hold club 0 and are never taken for it.
    EXPECT_EQ(HVW_FindClubFixtureFromDay(0, -1, 1, 0), kFixtureSlots);
}

TEST_F(MatchDayTest, OpponentAndSide) {
    PutFixture(4, 10, kCompLeague, 5, 6, 31, 31);
    uint16_t side = 7;
    EXPECT_EQ(HVW_GetFixtureOpponent(5, 4, &side), 6);
    EXPECT_EQ(side, 0);
    EXPECT_EQ(HVW_GetFixtureOpponent(6, 4, &side), 5);
    EXPECT_EQ(side, 1);
    EXPECT_EQ(HVW_GetFixtureOpponent(9, 4, &side), -1);
    EXPECT_EQ(side, 65535);
    side = 3;
    EXPECT_EQ(HVW_GetFixtureOpponent(5, -1, &side), -1);
    EXPECT_EQ(side, 65535);
}

TEST_F(MatchDayTest, FixtureOnDayByKind) {
    PutFixture(0, 10, kCompNationalTeam, 5, 9, 31, 31);  // national-team day numbers: taken
    PutFixture(1, 10, kCompReserveLeague, 6, 5, 31, 31);
    PutFixture(2, 11, kCompLeague, 5, 6, 31, 31);
    EXPECT_EQ(HVW_FindClubFixtureOnDayByKind(5, 10, 0), 0);
    EXPECT_EQ(HVW_FindClubFixtureOnDayByKind(5, 10, 1), 1);
    EXPECT_EQ(HVW_FindClubFixtureOnDayByKind(5, 11, 1), -1);
    EXPECT_EQ(HVW_FindClubFixtureOnDayByKind(5, 11, -1), -1);
    EXPECT_EQ(HVW_FindClubFixtureOnDayByKind(5, 11, 2), -1);
    EXPECT_EQ(HVW_FindClubFixtureOnDayByKind(0, 511, 0), -1);
}

TEST_F(MatchDayTest, UserLastFixtureIsTheLastBeforeTodayPassingFriendliesAndNationalDays) {
    MakeUserClub(5);
    SeasonCalendar.currentDay = 20;
    PutFixture(0, 3, kCompLeague, 5, 6, 1, 1);
    PutFixture(1, 4, kCompLeague, 7, 8, 1, 1);
    PutFixture(2, 6, CupCode(0, 0), 9, 5, 1, 1);  // the last competitive one
    PutFixture(3, 8, kCompFriendly, 5, 9, 1, 1);
    PutFixture(4, 9, kCompNationalTeam, 5, 9, 1, 1);
    PutFixture(5, 20, kCompLeague, 5, 7, 31, 31);  // today: not with flag 0
    HVW_LastFixtureSlot = -5;
    HVW_FindUserLastFixture(0);
    EXPECT_EQ(HVW_LastFixtureSlot, 2);
    HVW_FindUserLastFixture(1);
    EXPECT_EQ(HVW_LastFixtureSlot, 5);
}

TEST_F(MatchDayTest, UserLastFixtureInSlotZeroReadsAsNone) {
    MakeUserClub(5);
    SeasonCalendar.currentDay = 20;
    PutFixture(0, 3, kCompLeague, 5, 6, 1, 1);
    PutFixture(1, 4, kCompLeague, 7, 8, 1, 1);
    HVW_LastFixtureSlot = 9;
    HVW_FindUserLastFixture(0);
    EXPECT_EQ(HVW_LastFixtureSlot, 0);
    // A full table of past fixtures starts the walk at the last slot.
    for (int slot = 0; slot < kFixtureSlots; ++slot)
        PutFixture(slot, 1 + slot / 2000, kCompLeague, 7, 8, 0, 0);
    PutFixture(kFixtureSlots - 1, 19, kCompLeague, 6, 5, 0, 0);
    HVW_FindUserLastFixture(0);
    EXPECT_EQ(HVW_LastFixtureSlot, kFixtureSlots - 1);
}

TEST_F(MatchDayTest, RatingsFollowTheirFormulasAndStayWithin0To99) {
    uint8_t* e = ReportEntry(1, 3);
    e[60] = 4;  // category 0: 20 x 4 - 3 x 2 + 9 - 4 x 3
    e[59] = 2;
    e[82] = 1;
    e[61] = 3;
    EXPECT_EQ(HVW_CalcMatchPlayerAttribute(3, 1, 0), 80 - 6 + 9 - 12);
    recbits::StoreU16(e + 16, uint16_t(int16_t(-9)));  // category 1: -9 / 2 truncates to -4
    recbits::StoreU16(e + 18, 41);
    recbits::StoreU16(e + 20, 95);
    e[26] = uint8_t(int8_t(-1));
    e[35] = 1;
    EXPECT_EQ(HVW_CalcMatchPlayerAttribute(3, 1, 1), -4 + 20 + 47 - 10 - 5);
    e[86] = 1;
    e[88] = 1;  // category 3: 66
    EXPECT_EQ(HVW_CalcMatchPlayerAttribute(3, 1, 3), 66);
    e[90] = 1;  // 99
    EXPECT_EQ(HVW_CalcMatchPlayerAttribute(3, 1, 3), 99);
    e[89] = 200;  // not a counter of the category
    e[91] = 200;  // lowers category 1 below 0
    EXPECT_EQ(HVW_CalcMatchPlayerAttribute(3, 1, 3), 99);
    EXPECT_EQ(HVW_CalcMatchPlayerAttribute(3, 1, 1), 0);
    e[47] = 10;  // category 4 above 99
    EXPECT_EQ(HVW_CalcMatchPlayerAttribute(3, 1, 4), 99);
    EXPECT_EQ(HVW_CalcMatchPlayerAttribute(3, 0, 4), 0);  // the other team
    EXPECT_EQ(HVW_GetMatchPlayerAttribute(3, 1, 4), 99);
}

TEST_F(MatchDayTest, Category5ScalesFrom40AndNeverWraps) {
    uint8_t* e = ReportEntry(0, 15);
    for (int16_t value : {0, 40}) {
        recbits::StoreU16(e + 22, uint16_t(value));
        EXPECT_EQ(HVW_CalcMatchPlayerAttribute(15, 0, 5), 0) << value;
    }
    recbits::StoreU16(e + 22, 70);
    EXPECT_EQ(HVW_CalcMatchPlayerAttribute(15, 0, 5), 50);
    recbits::StoreU16(e + 22, 100);
    EXPECT_EQ(HVW_CalcMatchPlayerAttribute(15, 0, 5), 99);
    // 1000 x 100 does not fit 16 bits; the rating still tops out.
    recbits::StoreU16(e + 22, 1000);
    EXPECT_EQ(HVW_CalcMatchPlayerAttribute(15, 0, 5), 99);
    // Arguments outside the block read nothing.
    EXPECT_EQ(HVW_CalcMatchPlayerAttribute(16, 0, 5), 0);
    EXPECT_EQ(HVW_CalcMatchPlayerAttribute(15, 2, 5), 0);
    EXPECT_EQ(HVW_CalcMatchPlayerAttribute(15, 0, 6), 0);
}

TEST_F(MatchDayTest, FansTextBands) {
    const struct {
        int fans, text;
    } cases[] = {{0, 1192},  {3, 1192},  {4, 1193},  {7, 1610}, {10, 1183},
                 {32, 1614}, {60, 1191}, {62, 1191}, {63, 1619}};
    for (const auto& c : cases) {
        SetPlayerFans(5, int16_t(c.fans));
        EXPECT_EQ(HVW_GetPlayerFansText(5), c.text) << c.fans;
    }
}

TEST_F(MatchDayDeathTest, FansTextOfABadPlayerEndsTheProgram) {
    EXPECT_FATAL(HVW_GetPlayerFansText(PlayerCount), "Trying to get fans of neg player");
}

}  // namespace
