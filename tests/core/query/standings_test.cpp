// What is settled of a club's league season, the zone place counts and the
// reserve-league table of the query layer, on constructed tables.
#include <gtest/gtest.h>

#include <vector>

#include "core/query/standings.h"
#include "core/season/competitions.h"
#include "core/season/leagues.h"
#include "tests/core/records/records_fixture.h"

namespace {

class StandingsTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        for (auto& country : LeagueTable)
            for (auto& row : country)
                for (int16_t& cell : row) cell = int16_t(kNoLeagueClub);
    }

    // Clubs 100.. of the division in table order with the given points and
    // games played, each with a season of `games` league fixtures (and a
    // cup tie that does not count).
    void MakeDivision(int country, int division, const std::vector<int>& points,
                      const std::vector<int>& played, int games) {
        const int clubs = int(points.size());
        ASSERT_EQ(clubs, DivisionLayout[country][division].clubs);
        int slot = 0;
        for (int i = 0; i < clubs; ++i) {
            const int16_t club = int16_t(100 + i);
            LeagueTable[country][division][i] = club;
            LeagueSeasonRecords[club].words[kSeasonPlayed] = int16_t(played[size_t(i)]);
            LeagueSeasonRecords[club].words[kSeasonPoints] = int16_t(points[size_t(i)]);
            LeagueSeasonRecords[club].words[kSeasonPlace] = int16_t(i);
            for (int g = 0; g < games; ++g) PutFixture(slot++, 1 + g, kCompLeague, club, 99, 31, 31);
            PutFixture(slot++, 3, CupCode(0, 0), club, 99, 31, 31);
        }
    }
    static int16_t Outcome(int place, int division, int country) {
        return HVW_GetClubLeagueOutcomeText(int16_t(100 + place - 1), int16_t(division), int16_t(country));
    }
};

// Points falling by `step` from `second` below the leader.
std::vector<int> StandingPoints(int clubs, int leader, int second, int step) {
    std::vector<int> p(static_cast<size_t>(clubs), 0);
    p[0] = leader;
    for (int i = 1; i < clubs; ++i) p[size_t(i)] = second - (i - 1) * step;
    return p;
}

TEST_F(StandingsTest, ZonePlaceCountsOfTheDivisions) {
    EXPECT_EQ(HVW_GetPromotionPlaces(1, 0), 2);
    EXPECT_EQ(HVW_GetPlayOffPlaces(1, 0), 4);
    EXPECT_EQ(HVW_GetRelegationPlaces(1, 0), 3);
    EXPECT_EQ(HVW_HasPlayOffPlaces(1, 0), 1);
    EXPECT_EQ(HVW_HasPlayOffPlaces(0, 0), 0);
    // Four play off in country 5's second division, two of them its own
    // clubs: only those two hold places in its table.
    EXPECT_EQ(HVW_HasPlayOffPlaces(1, 5), 1);
    EXPECT_EQ(HVW_GetPlayOffPlaces(1, 5), 2);
    EXPECT_EQ(HVW_GetPromotionPlaces(9, 0), 0);
    EXPECT_EQ(HVW_GetRelegationPlaces(0, -1), 0);
    EXPECT_EQ(HVW_CountPlayOffEntries(), 4);
}

TEST_F(StandingsTest, ALeaderNoOneCanCatchIsChampion) {
    // 35 of 38 played: the second can add 9 points at most.
    MakeDivision(0, 0, StandingPoints(20, 80, 70, 1), std::vector<int>(20, 35), 38);
    EXPECT_EQ(Outcome(1, 0, 0), 1086);
    EXPECT_EQ(Outcome(2, 0, 0), -1);
    // One point less and 70 + 9 reaches him.
    MakeDivision(0, 0, StandingPoints(20, 79, 70, 1), std::vector<int>(20, 35), 38);
    EXPECT_EQ(Outcome(1, 0, 0), -1);
    // Each club's own games count: the second with a game in hand can
    // still reach 80.
    std::vector<int> played(20, 35);
    played[1] = 34;
    MakeDivision(0, 0, StandingPoints(20, 80, 69, 1), played, 38);
    EXPECT_EQ(Outcome(1, 0, 0), -1);
}

TEST_F(StandingsTest, PromotionAndPlayOffPlacesThatAreSure) {
    // Country 0, division 1: two promoted, four play-off places.
    MakeDivision(0, 1, StandingPoints(24, 90, 80, 2), std::vector<int>(24, 43), 46);
    EXPECT_EQ(Outcome(1, 1, 0), 189);
    // Four below him can pass the second: a play-off place at worst.
    EXPECT_EQ(Outcome(2, 1, 0), 1084);
    EXPECT_EQ(Outcome(4, 1, 0), -1);
    EXPECT_EQ(Outcome(12, 1, 0), -1);
}

TEST_F(StandingsTest, RelegationWhenNoClubAboveCanBeCaught) {
    // Two games left: the last can pass the 19th but no one above it.
    MakeDivision(0, 0, StandingPoints(20, 100, 98, 5), std::vector<int>(20, 36), 38);
    EXPECT_EQ(Outcome(20, 0, 0), 1085);
    EXPECT_EQ(Outcome(19, 0, 0), 1085);
    // Close together, the 18th can still climb out.
    MakeDivision(0, 0, StandingPoints(20, 80, 70, 2), std::vector<int>(20, 36), 38);
    EXPECT_EQ(Outcome(18, 0, 0), -1);
    EXPECT_EQ(Outcome(17, 0, 0), -1);
    // The season over: the table is final.
    MakeDivision(0, 0, StandingPoints(20, 80, 70, 0), std::vector<int>(20, 38), 38);
    EXPECT_EQ(Outcome(18, 0, 0), 1085);
    EXPECT_EQ(Outcome(17, 0, 0), -1);
    EXPECT_EQ(Outcome(1, 0, 0), 1086);
}

TEST_F(StandingsTest, ClubsOutsideTheTableAndBadArgumentsGetNothing) {
    MakeDivision(0, 0, StandingPoints(20, 80, 70, 1), std::vector<int>(20, 35), 38);
    EXPECT_EQ(HVW_GetClubLeagueOutcomeText(5, 0, 0), -1);
    EXPECT_EQ(HVW_GetClubLeagueOutcomeText(100, 0, 9), -1);
    EXPECT_EQ(HVW_GetClubLeagueOutcomeText(-1, 0, 0), -1);
    EXPECT_EQ(HVW_GetClubLeagueOutcomeText(100, 6, 0), -1);
}

TEST_F(StandingsTest, ReserveTableAndAttendance) {
    ReserveLeagueTable[2][1][3] = 333;
    EXPECT_EQ(HVW_GetFlaggedTableClub(1, 3, 2), 333);
    EXPECT_EQ(uint16_t(HVW_GetFlaggedTableClub(1, 24, 2)), kNoLeagueClub);
    EXPECT_EQ(uint16_t(HVW_GetFlaggedTableClub(7, 0, 2)), kNoLeagueClub);
    PutFixture(4, 10, kCompLeague, 1, 2, 2, 1);
    uint32_t crowd = 12345u | 0x80000000u;  // the bits above 22 are not the crowd
    std::memcpy(FixtureTable[4].bytes + kFixtureCrowdWord, &crowd, 4);
    EXPECT_EQ(HVW_GetFixtureAttendance(4), 12345);
    EXPECT_EQ(HVW_GetFixtureAttendance(-1), 0);
    EXPECT_EQ(HVW_GetFixtureAttendance(20000), 0);
}

}  // namespace
