// The zone place counts and the reserve-league table of the query layer, on
// constructed tables.
#include <gtest/gtest.h>

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
};

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
