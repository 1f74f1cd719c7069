// The in-match live panel: today's league matches of the user's division.
#include "generic/igleague.h"

#include <gtest/gtest.h>

#include "season/calendar.h"
#include "support/bytes.h"
#include "tests/season/season_fixture.h"

namespace {

using recbits::StoreU32;

class IgLeagueTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        SeasonCalendar.currentDay = 100;
    }
};

TEST_F(IgLeagueTest, LivePanelListsTodaysLeagueMatchesOfTheUsersDivision) {
    MakeUserClub(4);
    for (int16_t c = 4; c < 10; ++c) MakeClub(c, 2, c < 8 ? 1 : 2);
    AddFixture(100, 0, 4, 5, 0);
    AddFixture(100, 0, 6, 7, 0);
    AddFixture(100, 0, 8, 9, 0);  // another division
    AddFixture(100, 5, 6, 5, 0);  // a cup match
    AddFixture(101, 0, 5, 4, 0);  // tomorrow
    const int16_t played = FindFixture(6, 7, 0);
    ASSERT_GE(played, 0);
    StoreU32(FixtureTable[played].bytes + 8, (FixtureScore(played) & ~0x3FFu) | 3u | (1u << 5));
    EXPECT_EQ(IgLeague_FillTable(), 2);
    EXPECT_EQ(IgLeagueRows[0].homeClub, 4);
    EXPECT_EQ(IgLeagueRows[0].homeGoals, 0) << "not played yet";
    EXPECT_EQ(IgLeagueRows[1].homeClub, 6);
    EXPECT_EQ(IgLeagueRows[1].homeGoals, 3);
    EXPECT_EQ(IgLeagueRows[1].awayGoals, 1);
    EXPECT_EQ(IgLeagueRows[2].homeClub, -1);
}

}  // namespace
