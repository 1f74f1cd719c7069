#include <gtest/gtest.h>

#include "core/query/scorerrankings.h"
#include "tests/core/query/query_fixture.h"

namespace {

class RankingTest : public QueryTest {
  protected:
    void SetUp() override {
        QueryTest::SetUp();
        MakeClub(10, 2, 0);
        MakeClub(11, 2, 0);
        MakeClub(12, 2, 1);
        MakeClub(13, 3, 0);  // another country
    }
};

TEST_F(RankingTest, AssistsRankCountsThoseAheadAndHalfOfThoseLevel) {
    const uint16_t a = AddPlayer(10, 6, 0, 9);
    const uint16_t b = AddPlayer(11, 11, 0, 5);
    const uint16_t c = AddPlayer(11, 0, 0, 5);
    AddPlayer(12, 6, 0, 20);                         // another division
    AddPlayer(13, 6, 0, 20);                         // another country
    EXPECT_EQ(HVW_RankPlayerByAssists(a, 2, 0), 0);  // sole leader
    EXPECT_EQ(HVW_RankPlayerByAssists(b, 2, 0), 1 + 2 / 2);
    EXPECT_EQ(HVW_RankPlayerByAssists(c, 2, 0), 2);
    SetPlayerAssists(a, 5);
    // Three level at the top: 3 / 2.
    EXPECT_EQ(HVW_RankPlayerByAssists(b, 2, 0), 1);
    SetPlayerAssists(a, 3);
    SetPlayerAssists(c, 3);
    // Two level at the top score 1 each.
    SetPlayerAssists(b, 3);
    const uint16_t d = AddPlayer(10, 6, 0, 3);
    EXPECT_EQ(HVW_RankPlayerByAssists(d, 2, 0), 2);
}

TEST_F(RankingTest, TwoLeadersLevelScoreOneEach) {
    const uint16_t a = AddPlayer(10, 6, 0, 7);
    const uint16_t b = AddPlayer(11, 6, 0, 7);
    AddPlayer(11, 6, 0, 2);
    EXPECT_EQ(HVW_RankPlayerByAssists(a, 2, 0), 1);
    EXPECT_EQ(HVW_RankPlayerByAssists(b, 2, 0), 1);
}

TEST_F(RankingTest, KeeperRankAmongKeepersOnly) {
    const uint16_t keeper = AddPlayer(10, 0, 1);
    AddPlayer(11, 0, 2);
    AddPlayer(11, 11, 30);  // a forward's goals do not count
    const uint16_t forward = AddPlayer(10, 11, 9);
    EXPECT_EQ(HVW_RankKeeperByGoals(keeper, 2, 0), 1);
    EXPECT_EQ(HVW_RankKeeperByGoals(forward, 2, 0), 500);
}

TEST_F(RankingTest, NotApplicableCases) {
    const uint16_t a = AddPlayer(10, 6, 0, 3);
    EXPECT_EQ(HVW_RankPlayerByAssists(0, 2, 0), 500);
    EXPECT_EQ(HVW_RankPlayerByAssists(PlayerCount, 2, 0), 500);
    EXPECT_EQ(HVW_RankPlayerByAssists(a, 9, 0), 500);
    EXPECT_EQ(HVW_RankPlayerByAssists(a, -1, 0), 500);
    EXPECT_EQ(HVW_RankPlayerByAssists(a, 2, 2), 500);  // country 2 has two divisions
    EXPECT_EQ(HVW_RankPlayerByAssists(a, 2, -1), 500);
    EXPECT_EQ(HVW_RankKeeperByGoals(a, 2, 2), 500);
}

TEST_F(RankingTest, DivisionAverageGoals) {
    // Twenty clubs in division 0 of country 4 scoring 39 goals in all.
    for (int16_t club = 100; club < 120; ++club) MakeClub(club, 4, 0);
    MakeClub(130, 4, 1);
    SeasonCalendar.currentDay = 50;
    int slot = 0;
    for (int i = 0; i < 13; ++i) PutFixture(slot++, 10 + i, kCompLeague, 100 + i, 101 + i, 2, 1);  // 39 goals
    PutFixture(slot++, 30, CupCode(0, 0), 100, 130, 4, 5);  // cup: the division club's 4 count
    PutFixture(slot++, 31, kCompFriendly, 100, 101, 9, 9);  // friendly
    PutFixture(slot++, 32, kCompLeague, 102, 103, 31, 31);  // not played
    PutFixture(slot++, 33, kCompLeague, 13, 104, 6, 0);     // a foreign home club
    PutFixture(slot++, 51, kCompLeague, 100, 101, 9, 9);    // after today
    EXPECT_EQ(HVW_GetDivisionAverageGoals(4, 0, 0), (10 + 39) / 20);
    EXPECT_EQ(HVW_GetDivisionAverageGoals(4, 0, -1), (10 + 43) / 20);
    EXPECT_EQ(HVW_GetDivisionAverageGoals(4, 1, -1), (0 + 5) / 1);
    EXPECT_EQ(HVW_GetDivisionAverageGoals(4, 2, -1), 0);
    EXPECT_EQ(HVW_GetDivisionAverageGoals(9, 0, -1), 0);
    EXPECT_EQ(HVW_GetDivisionAverageGoals(4, -1, -1), 0);
}

}  // namespace
