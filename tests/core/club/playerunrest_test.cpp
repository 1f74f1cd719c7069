// Player unrest and transfer requests.
#include "core/club/playerunrest.h"

#include "core/club/board.h"
#include "core/season/unrest.h"
#include "tests/core/club/daily_fixture.h"

namespace {

class UnrestTest : public DailyJobsTest {
  protected:
    static constexpr int16_t kClub = 10;
    void SetUp() override {
        DailyJobsTest::SetUp();
        ResetRequestBlackout();
        std::memset(PendingPlayerEvents, 0, sizeof PendingPlayerEvents);
        MakeSquad(kClub, 20, 1);
        RebuildAllRosters();
        SeasonCalendar.leagueStartDay[1] = 30;
        SeasonCalendar.currentDay = 100;  // outside nation 1's blackout (270..337)
    }
    // Runs the request pass on the weekday that reaches the player.
    static void RequestPassFor(uint16_t player) {
        SeasonCalendar.weekday = int16_t(player % 7);
        TransferRequestPass();
    }
};

TEST_F(UnrestTest, HappyPlayersWithdrawTheirRequests) {
    const uint16_t p = 10;
    SetPlayerTxReq(p, 1);
    SetPlayerMorale(p, 42);  // m = 70
    RequestPassFor(p);
    EXPECT_EQ(GetPlayerTxReq(p), 1);
    SetPlayerMorale(p, 43);  // m = 71
    RequestPassFor(p);
    EXPECT_EQ(GetPlayerTxReq(p), 0);
    EXPECT_EQ(CountMessages(kClub, 14, p), 1);
}

TEST_F(UnrestTest, UnhappyPlayersAskOutsideTheBlackouts) {
    const uint16_t p = 11;
    SetPlayerStat(p, 17, 99);  // needs m below 21
    SetPlayerMorale(p, 13);    // m = 21
    RequestPassFor(p);
    EXPECT_EQ(GetPlayerTxReq(p), 0);
    SetPlayerMorale(p, 12);
    SetPlayerFans(p, 40);
    RequestPassFor(p);
    EXPECT_EQ(GetPlayerTxReq(p), 1);
    EXPECT_EQ(GetPlayerFans(p), 30);  // no shirt: a quarter less
    EXPECT_EQ(CountMessages(kClub, 15, p), 1);

    // The user's club also gets a pending event.
    MakeUserClub(kClub);
    const uint16_t q = 12;
    SetPlayerMorale(q, 0);
    RequestPassFor(q);
    EXPECT_EQ(PendingPlayerEvents[0].player, q);

    // In a blackout nobody asks; nations 0, 2 and 6 are always in one.
    EXPECT_TRUE(InRequestBlackout(1, 30 + 240));
    EXPECT_TRUE(InRequestBlackout(1, 30 + 307));
    EXPECT_FALSE(InRequestBlackout(1, 30 + 239));
    for (int nation : {0, 2, 6}) {
        for (int day = 0; day < 366; ++day) ASSERT_TRUE(InRequestBlackout(nation, day));
    }
    SetClubNation(kClub, 2);
    const uint16_t r = 13;
    SetPlayerMorale(r, 0);
    RequestPassFor(r);
    EXPECT_EQ(GetPlayerTxReq(r), 0);
}

TEST_F(UnrestTest, UnrestWaitsForTheLeagueAndSurvivesAnEmptyRanking) {
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        SetPlayerMorale(p, 35);
        SetPlayerAgent(p, 1);
    }
    AgentRecords[1].bytes[1] = 100;  // stirs every time
    SetClubRep(kClub, 39);           // k = 1: the random rise always runs
    CompetitionDayWord = 20;
    for (int day = 0; day < 50; ++day) PlayerUnrestPass();
    for (uint16_t p = 3; p < PlayerCount; ++p) EXPECT_EQ(GetPlayerMorale(p), 35);
    // Past day 20 morale moves; a nation with no ranked clubs skips the
    // standing test instead of dividing by nothing.
    for (uint16_t& count : ClubCountOfNation) count = 0;
    CompetitionDayWord = 21;
    for (int day = 0; day < 50; ++day) PlayerUnrestPass();
    int moved = 0;
    for (uint16_t p = 3; p < PlayerCount; ++p) moved += GetPlayerMorale(p) != 35;
    EXPECT_GT(moved, 0);
}

}  // namespace
