#include <gtest/gtest.h>

#include <algorithm>

#include "core/query/competitionnames.h"
#include "core/query/fixturelookups.h"
#include "core/season/cuprounds.h"
#include "tests/core/query/query_fixture.h"

namespace {

using FixtureLookupTest = QueryTest;

TEST_F(FixtureLookupTest, PreviousFixtureLooksFromTheFirstSlotAfterTodayDownToSlotOne) {
    SeasonCalendar.currentDay = 10;
    PutFixture(0, 2, kCompLeague, 5, 6, 1, 0);
    PutFixture(1, 4, kCompLeague, 7, 8, 1, 0);
    PutFixture(2, 11, kCompLeague, 9, 5, 31, 31);  // first slot after today
    PutFixture(3, 12, kCompLeague, 5, 9, 31, 31);
    EXPECT_EQ(HVW_FindClubPrevFixture(5), 2);
    EXPECT_EQ(HVW_FindClubPrevFixture(6), -1);  // only in slot 0
    EXPECT_EQ(HVW_FindClubPrevFixture(7), 1);
    // As the away club, reserve fixtures and national-team days are passed over.
    PutFixture(2, 11, kCompReserveLeague, 9, 5, 31, 31);
    PutFixture(1, 4, kCompNationalTeam, 7, 5, 1, 0);
    EXPECT_EQ(HVW_FindClubPrevFixture(5), -1);
    PutFixture(1, 4, kCompReserveLeague, 5, 7, 1, 0);  // at home they count
    EXPECT_EQ(HVW_FindClubPrevFixture(5), 1);
}

TEST_F(FixtureLookupTest, PreviousFixtureNeverTakesAnEmptySlotForClubZero) {
    SeasonCalendar.currentDay = 10;
    PutFixture(0, 2, kCompLeague, 7, 8, 1, 0);
    PutFixture(1, 4, kCompLeague, 7, 8, 1, 0);
    EXPECT_EQ(HVW_FindClubPrevFixture(0), -1);
}

TEST_F(FixtureLookupTest, FixtureOnDayByKindSkipsNationalDays) {
    PutFixture(0, 10, kCompNationalTeam, 5, 6, 31, 31);
    PutFixture(1, 10, kCompReserveLeague, 6, 5, 31, 31);
    PutFixture(2, 10, kCompLeague, 5, 7, 31, 31);
    PutFixture(3, 11, kCompNationalUnder21, 5, 6, 31, 31);
    EXPECT_EQ(HVW_FindClubFixtureOnDay(5, 10, -1), 1);
    EXPECT_EQ(HVW_FindClubFixtureOnDay(5, 10, 0), 2);
    EXPECT_EQ(HVW_FindClubFixtureOnDay(5, 10, 1), 1);
    EXPECT_EQ(HVW_FindClubFixtureOnDay(5, 11, -1), -1);
    EXPECT_EQ(HVW_FindClubFixtureOnDay(1200, 10, -1), -1);
    EXPECT_EQ(HVW_FindClubFixtureOnDay(-1, 10, -1), -1);
}

TEST_F(FixtureLookupTest, EarlierCupTieHasTheClubsReversedInTheSameCup) {
    PutFixture(0, 5, 21 + 2, 6, 5, 1, 0);             // cup 1, reversed
    PutFixture(1, 6, 5 + 2, 6, 5, 1, 0);              // cup 0, reversed
    PutFixture(2, 7, kCompPlayOffFirst, 6, 5, 1, 0);  // play-off, reversed
    PutFixture(3, 9, 5 + 10, 6, 5, 1, 0);
    EXPECT_EQ(HVW_FindEarlierCupTie(5, 6, 5 + 10, 9), 1);
    EXPECT_EQ(HVW_FindEarlierCupTie(5, 6, 5 + 10, 6), -1);  // only before the day
    EXPECT_EQ(HVW_FindEarlierCupTie(6, 5, 5 + 10, 9), -1);
    // Non-cup codes share one index: any earlier reversed non-cup meeting.
    EXPECT_EQ(HVW_FindEarlierCupTie(5, 6, 0, 9), 2);
    EXPECT_EQ(HVW_FindEarlierCupTie(-1, 6, 0, 9), -1);
    // Cups 5 and 6 give one index.
    PutFixture(0, 5, CupCode(5, 0), 6, 5, 1, 0);
    EXPECT_EQ(HVW_FindEarlierCupTie(5, 6, 101 + 8, 9), 0);
}

TEST_F(FixtureLookupTest, CupRoundTieTypeFromTheRoundsClubs) {
    // Every cup ends with a final, a semi-final and a quarter-final.
    for (int country = 0; country < kCountryCount; ++country) {
        for (int cup = 0; cup < kCupCount; ++cup) {
            const int rounds = HVW_GetCupRoundCount(int16_t(cup), int16_t(country));
            if (rounds < 3) continue;
            for (int round = 0; round < rounds; ++round) {
                const int expected = std::max(0, 3 - (rounds - 1 - round));
                EXPECT_EQ(HVW_GetCupRoundTieType(int16_t(country), int16_t(cup), int16_t(round)), expected)
                    << country << " " << cup << " " << round;
            }
        }
    }
    // Country 5's cup: 8 clubs play a preliminary round, and their 4
    // winners join 28 clubs in a round of 32; neither is a quarter- or a
    // semi-final.
    ASSERT_EQ(int8_t(CupRoundRules.bytes[5][0][1][kCupClubsThrough]), 4);
    EXPECT_EQ(HVW_GetCupRoundTieType(5, 0, 0), 0);
    EXPECT_EQ(HVW_GetCupRoundTieType(5, 0, 1), 0);
    // The quarter-finals of the third European cup follow its groups.
    EXPECT_EQ(HVW_GetCupRoundTieType(3, 6, 2), 1);
    EXPECT_EQ(HVW_GetCupRoundTieType(9, 0, 0), 0);
    EXPECT_EQ(HVW_GetCupRoundTieType(0, 7, 0), 0);
    EXPECT_EQ(HVW_GetCupRoundTieType(0, 0, 8), 0);
    EXPECT_EQ(HVW_GetCupRoundTieType(-1, 0, 0), 0);
}

TEST_F(FixtureLookupTest, LastLeagueFixturesOldestFirstAtMostN) {
    SeasonCalendar.currentDay = 20;
    PutFixture(0, 1, kCompLeague, 5, 6, 1, 0);
    PutFixture(1, 2, CupCode(0, 0), 5, 7, 1, 0);  // cup
    PutFixture(2, 3, kCompLeague, 8, 5, 2, 2);
    PutFixture(3, 4, kCompLeague, 5, 9, 31, 31);  // not played
    PutFixture(4, 5, kCompLeague, 9, 5, 0, 3);
    PutFixture(5, 20, kCompLeague, 5, 7, 1, 1);  // today, played
    PutFixture(6, 21, kCompLeague, 5, 8, 1, 1);  // after today
    int16_t slots[10];
    EXPECT_EQ(HVW_GetClubLastLeagueFixtures(5, 2, slots), 2);
    EXPECT_EQ(slots[0], 4);
    EXPECT_EQ(slots[1], 5);
    EXPECT_EQ(HVW_GetClubLastLeagueFixtures(5, 6, slots), 4);
    const int16_t expected[6] = {0, 2, 4, 5, -1, -1};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(slots[i], expected[i]) << i;
    // n is cut to 10; a bad club leaves the entries at -1.
    int16_t guard[12];
    std::fill(std::begin(guard), std::end(guard), int16_t(77));
    EXPECT_EQ(HVW_GetClubLastLeagueFixtures(1200, 50, guard), 0);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(guard[i], -1);
    EXPECT_EQ(guard[10], 77);
}

TEST_F(FixtureLookupTest, CupFixtureFromADay) {
    PutFixture(0, 5, CupCode(0, 0), 5, 6, 1, 0);
    PutFixture(1, 9, 21 + 8, 7, 5, 31, 31);
    PutFixture(2, 12, 5 + 3, 5, 8, 31, 31);
    PutFixture(3, 14, CupCode(5, 0), 5, 8, 31, 31);
    EXPECT_EQ(HVW_FindClubCupFixture(5, 0, 0), 0);
    EXPECT_EQ(HVW_FindClubCupFixture(5, 0, 6), 2);
    EXPECT_EQ(HVW_FindClubCupFixture(5, 1, 0), 1);
    EXPECT_EQ(HVW_FindClubCupFixture(5, 6, 0), 3);  // cup 5 is asked for as 6
    EXPECT_EQ(HVW_FindClubCupFixture(5, 5, 0), -1);
    EXPECT_EQ(HVW_FindClubCupFixture(5, 7, 0), -1);
    EXPECT_EQ(HVW_FindClubCupFixture(1200, 0, 0), -1);
}

TEST_F(FixtureLookupTest, PlayerMarksOnlyForTheUsersClubOneEntryPerSlotInRange) {
    MakeUserClub(5);
    const uint16_t player = AddPlayer(5, 3);
    const uint16_t other = AddPlayer(6, 3);
    PutFixture(0, 1, kCompLeague, 5, 6, 1, 0);
    PutFixture(1, 2, kCompLeague, 7, 5, 1, 0);
    PutFixture(2, 3, kCompLeague, 5, 8, 1, 0);
    PutLineUpEntry(0, 0, 3, player, 7);
    PutLineUpEntry(0, 1, 0, other, 9);
    PutLineUpEntry(1, 1, 15, player, 8);
    PutLineUpEntry(1, 0, 0, player, 2);  // on the other side: not his
    const int16_t slots[] = {0, -1, 1, 20000, 2};
    uint16_t marks[6] = {1, 1, 1, 1, 1, 1};
    HVW_GetPlayerMatchMarks(player, slots, 5, marks);
    EXPECT_EQ(marks[0], 7);
    EXPECT_EQ(marks[1], 8);
    EXPECT_EQ(marks[2], 0xFFFF);  // slot 2: not listed
    EXPECT_EQ(marks[3], 0xFFFF);
    EXPECT_EQ(marks[4], 0xFFFF);
    EXPECT_EQ(marks[5], 1);
    HVW_GetPlayerMatchMarks(other, slots, 5, marks);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(marks[i], 0xFFFF) << i;
}

}  // namespace
