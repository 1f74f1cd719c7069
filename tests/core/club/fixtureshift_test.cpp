#include "core/club/fixtureshift.h"

#include <gtest/gtest.h>

#include "tests/core/season/season_fixture.h"

namespace {

using FixtureShiftTest = SeasonTest;

class FixtureShiftLaidOut : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        for (int c = 0; c < kCountryCount; ++c) {
            SeasonCalendar.leagueStartDay[c] = 5;
            SeasonCalendar.leagueEndDay[c] = 40;
        }
        AddFixture(9, kCompLeague, 1, 2, 0);
        AddFixture(10, kCompLeague, 3, 4, 0);
        moved = AddFixture(10, kCompLeague, 5, 6, 0);
        AddFixture(10, kCompLeague, 7, 8, 0);
        AddFixture(11, kCompLeague, 9, 10, 0);
        // A played fixture with its neutral and shoot-out flags, so the
        // rewrite can be seen keeping them.
        recbits::StoreU32(FixtureTable[moved].bytes + kFixtureScoreWord,
                          2u | 3u << 5 | kFixtureNeutralBit | kFixtureShootOutBit);
    }
    int16_t moved = -1;
};

TEST_F(FixtureShiftLaidOut, CountryZeroMovesByCodeAndKeepsTheTableSorted) {
    ShiftFixtureDay(moved, 10, 2, 0);  // a day earlier
    EXPECT_EQ(HeadOf(0), (FixtureHead{9, 0, 1, 2}));
    EXPECT_EQ(HeadOf(1), (FixtureHead{9, 0, 5, 6}));
    EXPECT_EQ(HeadOf(2), (FixtureHead{10, 0, 3, 4}));
    EXPECT_EQ(HeadOf(3), (FixtureHead{10, 0, 7, 8}));
    EXPECT_EQ(FixtureScore(1) & 0x3FFF,
              2u | 3u << 5 | kFixtureNeutralBit | kFixtureShootOutBit | kFixtureBroadcastBit);

    ShiftFixtureDay(3, 10, 0, 0);  // 7 v 8 a day later, after the day's fixtures
    EXPECT_EQ(HeadOf(3), (FixtureHead{11, 0, 9, 10}));
    EXPECT_EQ(HeadOf(4), (FixtureHead{11, 0, 7, 8}));
    EXPECT_EQ(UsedSlots(), 5);
}

TEST_F(FixtureShiftLaidOut, CodeZeroElsewhereRewritesOnTheSameDayWithTheMovedBit) {
    ShiftFixtureDay(moved, 10, 0, 2);
    EXPECT_EQ(HeadOf(1), (FixtureHead{10, 0, 3, 4}));
    EXPECT_EQ(HeadOf(2), (FixtureHead{10, 0, 7, 8}));
    EXPECT_EQ(HeadOf(3), (FixtureHead{10, 0, 5, 6}));  // now last of its day
    EXPECT_TRUE(FixtureScore(3) & kFixtureBroadcastBit);
}

TEST_F(FixtureShiftLaidOut, CodesWithoutAMoveAndTheLimitDayLeaveTheTableAlone) {
    Fixture before[6];
    std::memcpy(before, FixtureTable, sizeof before);
    ShiftFixtureDay(moved, 10, 1, 1);  // country 1 moves code 0 only
    ShiftFixtureDay(moved, 10, 4, 0);  // no code 4 in country 0
    ShiftFixtureDay(moved, 10, 1, 5);  // other countries: code 0 only
    SeasonCalendar.leagueEndDay[4] = 11;
    ShiftFixtureDay(moved, 10, 0, 4);  // day 11 is the limit
    ShiftFixtureDay(-1, 10, 0, 0);
    ShiftFixtureDay(moved, 10, 0, 9);  // no such country
    EXPECT_EQ(std::memcmp(before, FixtureTable, sizeof before), 0);

    SeasonCalendar.leagueEndDay[4] = 12;
    ShiftFixtureDay(moved, 10, 0, 4);
    EXPECT_EQ(HeadOf(4), (FixtureHead{11, 0, 5, 6}));
}

TEST_F(FixtureShiftTest, BeforeAnySeasonEndIsKnownOnlyTheTableBoundsAMove) {
    const int16_t slot = AddFixture(30, kCompLeague, 1, 2, 0);
    ShiftFixtureDay(slot, 30, 0, 1);
    EXPECT_EQ(HeadOf(0), (FixtureHead{31, 0, 1, 2}));
}

}  // namespace
