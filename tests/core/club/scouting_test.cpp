#include "core/club/scouting.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include "core/season/newgame.h"
#include "tests/core/club/daily_fixture.h"

namespace {

constexpr int16_t kUserClub = 7;
constexpr int16_t kRegion3Club = 300;  // nation 46: region 3
constexpr int16_t kRegion1Club = 301;  // nation 39: region 1

class ScoutingTest : public DailyJobsTest {
  protected:
    void SetUp() override {
        DailyJobsTest::SetUp();
        MakeClub(kUserClub, 0, 1, 20);
        MakeUserClub(kUserClub);
        SetClubBalance(kUserClub, 50000000);
        MakeClub(kRegion3Club, 46, 0, 30);
        MakeClub(kRegion1Club, 39, 0, 30);
        Scout_ClearAll();
        GameScopeSetting = 0;
    }
    void TearDown() override { GameScopeSetting = 0; }

    static void MakePlayers(int16_t club, int count) {
        for (int i = 0; i < count; ++i) MakePlayer(club, int16_t(i % 13), 6, 40);
    }
    static int Count(uint16_t (*flag)(uint16_t)) {
        int n = 0;
        for (uint16_t p = 1; p < PlayerCount; ++p) n += flag(p) != 0;
        return n;
    }
    static int Marked() { return Count(GetPlayerScoutMark); }
    static int Known() { return Count(GetPlayerFlag119); }
};

TEST_F(ScoutingTest, RegionsSplitTheForeignNationsAndPlaceThePlayers) {
    // Nations 8..115 each lie in exactly one of regions 0..8, the playable
    // nations 0..7 in none of them.
    const uint16_t p = MakePlayer(-1, 5);
    for (int16_t nation = 0; nation < 116; ++nation) {
        SetPlayerNationality(p, nation);
        int regions = 0;
        for (int16_t region = 0; region < 9; ++region) regions += Scout_PlayerInRegion(p, region);
        EXPECT_EQ(regions, nation < 8 ? 0 : 1) << nation;
    }
    // A player with a club is placed by the club, not his nationality.
    const uint16_t signed_ = MakePlayer(kRegion3Club, 5);
    SetPlayerNationality(signed_, 39);
    EXPECT_EQ(Scout_PlayerInRegion(signed_, 3), 1);
    EXPECT_EQ(Scout_PlayerInRegion(signed_, 1), 0);
    EXPECT_EQ(Scout_PlayerInRegion(signed_, 10), 0);
    EXPECT_EQ(Scout_PlayerInRegion(signed_, -1), 0);

    // Region 9: the user's own nation below the leagues.
    MakeClub(400, 0, 6);
    MakeClub(401, 1, 6);
    const uint16_t nonLeague = MakePlayer(400, 5), abroad = MakePlayer(401, 5);
    EXPECT_EQ(Scout_PlayerInRegion(nonLeague, 9), 1);
    EXPECT_EQ(Scout_PlayerInRegion(abroad, 9), 0);
    SetPlayerNationality(p, 0);  // no club: division 0
    EXPECT_EQ(Scout_PlayerInRegion(p, 9), 0);

    // Region 7 takes nations 0..7 from scope setting 2, never the user's.
    MakeClub(402, 3, 0);
    const uint16_t nationThree = MakePlayer(402, 5), home = MakePlayer(kUserClub, 5);
    for (int16_t scope : {0, 1}) {
        GameScopeSetting = scope;
        EXPECT_EQ(Scout_PlayerInRegion(nationThree, 7), 0);
    }
    GameScopeSetting = 2;
    EXPECT_EQ(Scout_PlayerInRegion(nationThree, 7), 1);
    EXPECT_EQ(Scout_PlayerInRegion(home, 7), 0);
}

TEST_F(ScoutingTest, MarkingSkipsManagersAndClearingEndsEverything) {
    MakePlayers(kRegion3Club, 10);
    const uint16_t manager = MakePlayer(kRegion3Club, 13);
    MakePlayers(kRegion1Club, 5);
    EXPECT_EQ(Scout_GetMarkedRegion(), -1);
    Scout_MarkRegion(3, 70000);
    EXPECT_EQ(Marked(), 10);
    EXPECT_EQ(GetPlayerScoutMark(manager), 0u);
    EXPECT_EQ(Scout_GetMarkedRegion(), 3);
    EXPECT_EQ(Scout_GetWeeklyFee(), 70000u);
    Scout_ClearAll();
    EXPECT_EQ(Marked(), 0);
    EXPECT_EQ(Scout_GetWeeklyFee(), 0u);
    EXPECT_EQ(Scout_GetWeeksPaid(), 0u);
}

TEST_F(ScoutingTest, ASmallFeeStillReportsEighteenPlayersAWeekAndIsCharged) {
    MakePlayers(kRegion3Club, 40);
    Scout_MarkRegion(3, 5000);
    Scout_WeeklyJob();
    EXPECT_EQ(Known(), 18);
    EXPECT_EQ(Marked(), 22);
    EXPECT_EQ(Scout_RegionKnownPercent(3), 45);
    EXPECT_EQ(Scout_RegionKnownPercent(1), 0);  // nobody there
    EXPECT_EQ(GetClubBalance(kUserClub), 50000000 - 5000);
    EXPECT_EQ(Scout_GetWeeksPaid(), 1u);
}

TEST_F(ScoutingTest, TheLastWeekIsChargedOnlyWhenPlayersMayRemain) {
    // 30 players, batches of 18: the second week finds 12 left and ends the
    // assignment uncharged, telling the user the cost of the first.
    MakePlayers(kRegion3Club, 30);
    Scout_MarkRegion(3, 5000);
    Scout_WeeklyJob();
    Scout_WeeklyJob();
    EXPECT_EQ(Known(), 30);
    EXPECT_EQ(GetClubBalance(kUserClub), 50000000 - 5000);
    EXPECT_EQ(CountMessages(kUserClub, 259), 1);
    EXPECT_EQ(Scout_GetWeeklyFee(), 0u);
    EXPECT_EQ(Scout_GetWeeksPaid(), 0u);
    EXPECT_EQ(Marked(), 0);

    // 36 players: the second batch takes exactly the rest and is charged;
    // the third week ends it without a charge.
    MakePlayers(kRegion1Club, 36);
    SetClubBalance(kUserClub, 50000000);
    ++SeasonCalendar.currentDay;
    Scout_MarkRegion(1, 5000);
    Scout_WeeklyJob();
    Scout_WeeklyJob();
    EXPECT_EQ(Marked(), 0);
    EXPECT_EQ(Scout_GetWeeklyFee(), 5000u);
    EXPECT_EQ(GetClubBalance(kUserClub), 50000000 - 10000);
    Scout_WeeklyJob();
    EXPECT_EQ(GetClubBalance(kUserClub), 50000000 - 10000);
    EXPECT_EQ(Scout_GetWeeklyFee(), 0u);
    EXPECT_EQ(CountMessages(kUserClub, 259), 2);
}

TEST_F(ScoutingTest, AClubThatCannotPayTwiceTheFeeIsToldAndKeepsItsAssignment) {
    MakePlayers(kRegion3Club, 40);
    Scout_MarkRegion(3, 60000);
    SetClubBalance(kUserClub, 120000);
    Scout_WeeklyJob();
    EXPECT_EQ(CountMessages(kUserClub, 258), 1);
    EXPECT_EQ(GetClubBalance(kUserClub), 120000);
    EXPECT_EQ(Marked(), 40);
    EXPECT_EQ(Scout_GetWeeksPaid(), 0u);
    SetClubBalance(kUserClub, 120001);
    Scout_WeeklyJob();
    EXPECT_EQ(GetClubBalance(kUserClub), 60001);
    EXPECT_GE(Known(), 18);  // n = 60: 11 to 60 a week, at least 18
}

TEST_F(ScoutingTest, KnowledgeFadesOutsideTheRegionBeingScouted) {
    MakePlayers(kRegion1Club, 300);
    MakePlayers(kRegion3Club, 300);
    for (uint16_t p = 1; p < PlayerCount; ++p) SetPlayerFlag119(p, 1);
    const uint16_t waiting = MakePlayer(kRegion3Club, 5);
    SetPlayerScoutMark(waiting, 1);  // scouting region 3, fee 0: only fading
    for (int week = 0; week < 5; ++week) Scout_WeeklyJob();
    int region1 = 0, region3 = 0;
    for (uint16_t p = 1; p < PlayerCount; ++p) {
        if (GetPlayerFlag119(p) == 0) continue;
        region1 += GetPlayerClub(p) == kRegion1Club;
        region3 += GetPlayerClub(p) == kRegion3Club;
    }
    EXPECT_EQ(region3, 300);
    // 4 in 100 a week over five weeks: about 55 of 300 forgotten.
    EXPECT_LT(region1, 280);
    EXPECT_GT(region1, 210);
}

TEST_F(ScoutingTest, RecommendationsNeedAnAffordablePlayerWellAboveTheClub) {
    // Club reputation 20: ability 90 is above three times it, 50 is not.
    const uint16_t star = MakePlayer(kRegion3Club, 5, 6, 90);
    const uint16_t average = MakePlayer(kRegion3Club, 5, 6, 50);
    for (uint16_t p : {star, average}) SetPlayerWage(p, 1);
    Scout_MarkRegion(3, 5000);
    Scout_WeeklyJob();
    EXPECT_EQ(GetPlayerScoutRecommended(star), 1u);
    EXPECT_EQ(GetPlayerScoutRecommended(average), 0u);
    EXPECT_EQ(CountMessages(kUserClub, 262), 1);
    EXPECT_EQ(GetScoutNumRecommendedInRegion(3), 1);
    EXPECT_EQ(GetScoutNumRecommendedInRegion(1), 0);
    // A club that cannot afford him recommends nobody.
    const uint16_t second = MakePlayer(kRegion1Club, 5, 6, 90);
    SetPlayerWage(second, 1);
    SetClubBalance(kUserClub, -1000000);
    bool more = true;
    Scout_MarkRegion(1, 5000);
    EXPECT_EQ(Scout_WeeklyReport(5, &more), 1);
    EXPECT_FALSE(more);
    EXPECT_EQ(GetPlayerScoutRecommended(second), 0u);
    EXPECT_EQ(Scout_WeeklyReport(5, &more), 0);  // nobody left
}

TEST_F(ScoutingTest, ABatchLongerThanOneDrawReachesEveryMarkedPlayer) {
    MakePlayers(kRegion3Club, 34000);
    Scout_MarkRegion(3, 1);
    bool more = true;
    EXPECT_EQ(Scout_WeeklyReport(40000, &more), 1);
    EXPECT_FALSE(more);
    EXPECT_EQ(Marked(), 0);
    EXPECT_EQ(Known(), 34000);
}

using ScoutingDeathTest = ScoutingTest;

TEST_F(ScoutingDeathTest, CountingOutsideTheTenRegionsEndsTheProgram) {
    EXPECT_EXIT((dup2(STDERR_FILENO, STDOUT_FILENO), GetScoutNumRecommendedInRegion(10)),
                ::testing::ExitedWithCode(1), "Invalid Continent GetScoutNumRecommendedInRegion");
}

}  // namespace
