#include "core/season/postponements.h"

#include <gtest/gtest.h>

#include "tests/core/season/message_check.h"
#include "tests/core/season/season_fixture.h"

namespace {

constexpr uint16_t kPostponeToday = 150;
constexpr int kPostponeEndDay = 300;

// Home clubs 0..39 of nation 0 with grounds of every cover 0..7 (club % 8);
// away clubs 100..139.
class PostponementTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        for (int c = 0; c < kCountryCount; ++c) SeasonCalendar.leagueEndDay[c] = kPostponeEndDay;
        for (int16_t club = 0; club < 40; ++club) {
            MakeClub(club, 0, 0);
            const int16_t cover = int16_t(club % 8);
            SetClubStandStyle0(club, cover);
            SetClubStandStyle1(club, cover);
            SetClubStandStyle2(club, cover);
            SetClubStandStyle3(club, cover);
            MakeClub(int16_t(club + 100), 0, 0);
        }
        SeasonCalendar.currentDay = kPostponeToday;
    }

    // Today's fixtures: a league match at every home ground and a cup
    // match; tomorrow the first eight clubs play away.
    static void AddTodaysFixtures() {
        ClearFixtureTable();
        for (int16_t club = 0; club < 40; ++club)
            AddFixture(kPostponeToday, kCompLeague, club, int16_t(club + 100), 0);
        for (int16_t club = 0; club < 8; ++club)
            AddFixture(kPostponeToday + 1, kCompLeague, int16_t(club + 100), club, 0);
        AddFixture(kPostponeToday, CupCode(0, 2), 200, 201, 0);
    }
};

TEST_F(PostponementTest, OnlyWinterLeagueMatchesAtPoorlyCoveredGroundsAreCalledOff) {
    int postponed[12] = {};
    int byCover[8] = {};
    for (int month = 0; month < 12; ++month) {
        for (int seed = 0; seed < 60; ++seed) {
            GameSeedRandom(uint32_t(1000 * month + seed));
            SeasonCalendar.month = int16_t(month);
            AddTodaysFixtures();
            ProcessPostponements();
            for (int slot = 0; slot < UsedSlots(); ++slot) {
                const FixtureHead h = HeadOf(slot);
                if (h.type != kCompLeague || h.day == kPostponeToday || h.home >= 100 ||
                    h.day == kPostponeToday + 1)
                    continue;
                ++postponed[month];
                ++byCover[h.home % 8];
                // A week at least, and never after the end day.
                EXPECT_GE(h.day, kPostponeToday + 7) << h;
                EXPECT_LE(h.day, kPostponeEndDay) << h;
                EXPECT_TRUE(Received(int16_t(h.home), 10, int16_t(h.away))) << h;
            }
            EXPECT_NE(FindCompetitiveFixtureOnDay(200, kPostponeToday), -1)
                << "a cup match is never called off";
        }
    }
    for (int month = 2; month <= 9; ++month) EXPECT_EQ(postponed[month], 0) << "month " << month;
    EXPECT_GT(postponed[10] + postponed[11] + postponed[0] + postponed[1], 20);
    EXPECT_EQ(byCover[5] + byCover[6] + byCover[7], 0);
    EXPECT_GT(byCover[0], byCover[4]) << "a ground without cover is called off most";
}

TEST_F(PostponementTest, FlaggedAndNonLeagueFixturesAreNeverCalledOff) {
    SeasonCalendar.month = 11;
    int examined = 0;
    for (int seed = 0; seed < 200; ++seed) {
        GameSeedRandom(uint32_t(seed));
        ClearFixtureTable();
        for (int16_t club = 0; club < 40; club += 8) {
            AddFixture(kPostponeToday, kCompLeague, club, int16_t(club + 100), 1);  // neutral ground
            AddFixture(kPostponeToday, kCompFriendly, club, int16_t(club + 101), 0);
            AddFixture(kPostponeToday, kCompReserveLeague, int16_t(club + 1), int16_t(club + 102), 0);
        }
        const int before = UsedSlots();
        ProcessPostponements();
        ASSERT_EQ(UsedSlots(), before);
        for (int slot = 0; slot < UsedSlots(); ++slot) examined += HeadOf(slot).day == kPostponeToday;
    }
    EXPECT_EQ(examined, 200 * 15);
}

TEST_F(PostponementTest, AMatchThatCannotBeRearrangedIsPlayed) {
    SeasonCalendar.month = 0;
    for (int c = 0; c < kCountryCount; ++c) SeasonCalendar.leagueEndDay[c] = kPostponeToday;
    int kept = 0;
    for (int seed = 0; seed < 100; ++seed) {
        GameSeedRandom(uint32_t(seed));
        AddTodaysFixtures();
        ProcessPostponements();
        for (int slot = 0; slot < UsedSlots(); ++slot) kept += HeadOf(slot).day == kPostponeToday;
        EXPECT_FALSE(Received(0, 10));
    }
    EXPECT_EQ(kept, 100 * 41);
}

TEST_F(PostponementTest, AOneOffMatchClearsItsDayForBothClubs) {
    AddFixture(kPostponeToday, kCompLeague, 1, 2, 0);
    AddFixture(kPostponeToday, kCompNationalTeam, 40, 41, 1);
    AddFixture(kPostponeToday, CupCode(0, 1), 3, 4, 0);
    ClearClashOnDay(2, kPostponeToday);  // the national-team day stands first
    ClearClashOnDay(2, kPostponeToday);
    ClearClashOnDay(3, kPostponeToday);
    EXPECT_EQ(UsedSlots(), 3);
    for (int slot = 0; slot < UsedSlots(); ++slot)
        EXPECT_GT(HeadOf(slot).day, kPostponeToday + 1) << HeadOf(slot);
    EXPECT_TRUE(Received(1, 147, 2));
    EXPECT_TRUE(Received(2, 147, 1));
    EXPECT_TRUE(Received(3, 147, 4));
    EXPECT_FALSE(Received(40, 147)) << "nations are not clubs";
}

}  // namespace
