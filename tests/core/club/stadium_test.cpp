#include "core/club/stadium.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "core/base/bytes.h"
#include "core/records/dates.h"
#include "core/records/shippeddatabase.h"
#include "core/season/matchsetup.h"
#include "core/season/messages.h"
#include "tests/core/club/management_fixture.h"

namespace {

constexpr int16_t kClub = 10;

class StadiumTest : public ManagementTest {
  protected:
    void SetUp() override {
        ManagementTest::SetUp();
        MakeClub(kClub, 0, 0, 30);
        SetClubBalance(kClub, 0);
    }
    static void Ground(std::initializer_list<std::pair<int, int>> stands) {
        int stand = 0;
        for (auto [style, thousands] : stands) SetStand(kClub, stand++, style, thousands);
    }
    static std::array<int, 8> Stands() {
        std::array<int, 8> out{};
        for (int s = 0; s < kStandCount; ++s) {
            out[2 * s] = StandStyleOf(kClub, s);
            out[2 * s + 1] = StandThousandsOf(kClub, s);
        }
        return out;
    }
    static int16_t LastMessageType() {
        return int16_t(recbits::LoadU16(MessageArchive[kClub][0].bytes + kMsgType));
    }
    static int32_t Seats() {
        int32_t total = 0;
        for (int s = 0; s < kStandCount; ++s) total += StandThousandsOf(kClub, s) * 1000;
        return total;
    }
};
using StadiumDeathTest = StadiumTest;

TEST_F(StadiumTest, DatabaseCapacityLaysOutStandsAndStepsStylesUp) {
    TotStatClub& row = TotStatClubs[3];
    std::memset(row.bytes, 0, sizeof row.bytes);
    SetTotStatClubCapacity(row, 25000);
    SetTotStatClubDivision(row, 1);  // below the top division: styles stay as laid out
    BuildStandsFromCapacity(kClub, 3);
    // 9000 / 8000 / 4000 / 4000 at style 2; stand 0 is above a style-2 side.
    EXPECT_EQ(Stands(), (std::array<int, 8>{3, 9, 2, 8, 2, 4, 2, 4}));

    // A small old ground: every stand at least 1000, styles 0 unless modern.
    SetTotStatClubCapacity(row, 1500);
    BuildStandsFromCapacity(kClub, 3);
    EXPECT_EQ(Stands(), (std::array<int, 8>{0, 1, 0, 1, 0, 1, 0, 1}));
    SetTotStatClubDivision(row, 0);
    BuildStandsFromCapacity(kClub, 3);
    EXPECT_EQ(Stands(), (std::array<int, 8>{2, 1, 2, 1, 2, 1, 2, 1}));

    // A huge figure is cut to the largest stands there are.
    SetTotStatClubCapacity(row, 4000000000u);
    BuildStandsFromCapacity(kClub, 3);
    EXPECT_EQ(Stands(), (std::array<int, 8>{7, 29, 7, 29, 7, 20, 7, 20}));
}

TEST_F(StadiumTest, ReputationFollowsTheCrowdAndAQuietGroundIsLeftAlone) {
    Ground({{2, 8}, {2, 8}, {2, 4}, {2, 4}});  // 24,000 seats
    SetClubBalance(kClub, 50000000);
    SetClubAvgAttendance(kClub, 19200);  // exactly 80%: 19 < 30 and 38 >= 30
    ComputerStadiumUpdate();
    EXPECT_EQ(GetClubRep(kClub), 30);
    EXPECT_EQ(GetClubBalance(kClub), 50000000);
    EXPECT_EQ(Seats(), 24000);

    SetClubAvgAttendance(kClub, 14000);  // 14000 / 500 = 28 < 30
    ComputerStadiumUpdate();
    EXPECT_EQ(GetClubRep(kClub), 29);
    SetClubRep(kClub, 10);
    SetClubAvgAttendance(kClub, 11000);  // 11 > 10
    ComputerStadiumUpdate();
    EXPECT_EQ(GetClubRep(kClub), 11);
    EXPECT_EQ(Seats(), 24000);
}

TEST_F(StadiumTest, AFullEvenGroundBuysBlocksWithinHalfItsSpareMoney) {
    Ground({{1, 2}, {1, 2}, {1, 1}, {1, 1}});  // style 1: 50,000 a block
    SetClubAvgAttendance(kClub, 6000);
    SetClubBalance(kClub, 400000);  // budget 200,000: three blocks
    ComputerStadiumUpdate();
    // Side stand 1 first (2 blocks of room), then stand 0.
    EXPECT_EQ(Stands(), (std::array<int, 8>{1, 3, 1, 4, 1, 1, 1, 1}));
    EXPECT_EQ(GetClubBalance(kClub), 250000);
    EXPECT_EQ(GetClubSeasonMiscOut(kClub), 150000);
    EXPECT_EQ(LastMessageType(), 159);
    EXPECT_EQ(int32_t(recbits::LoadU32(MessageArchive[kClub][0].bytes + kMsgNumber1)), 3000);
}

TEST_F(StadiumTest, MixedStylesExtendTheBestSideThenAnEnd) {
    Ground({{1, 1}, {2, 5}, {1, 1}, {1, 1}});
    SetClubAvgAttendance(kClub, 8000);
    SetClubBalance(kClub, 1000000);  // budget 500,000 for each step
    ComputerStadiumUpdate();
    // Stand 1 (style 2, 100,000 a block): 3 blocks of room, all under budget;
    // then stand 3 at style 1: one block of room.
    EXPECT_EQ(Stands(), (std::array<int, 8>{1, 1, 2, 8, 1, 1, 1, 2}));
    EXPECT_EQ(GetClubBalance(kClub), 1000000 - 300000 - 50000);
}

TEST_F(StadiumTest, FullGroundsRebuildOneStandAndTopStylesNeverDo) {
    Ground({{2, 8}, {2, 8}, {2, 4}, {2, 4}});
    SetClubAvgAttendance(kClub, 24000);
    SetClubBalance(kClub, 4000000);  // budget 2,000,000 > 1,500,000 - old stand
    ComputerStadiumUpdate();
    EXPECT_EQ(Stands(), (std::array<int, 8>{2, 8, 3, 0, 2, 4, 2, 4}));
    const int64_t oldStand = (1000000 + 8 * 100) * 20 / 100;
    EXPECT_EQ(GetClubBalance(kClub), 4000000 + oldStand - 1500000);
    EXPECT_EQ(GetClubSeasonMiscIn(kClub), oldStand);

    // The next season fills the new stand first.
    SetClubAvgAttendance(kClub, 16000);
    ComputerStadiumUpdate();
    EXPECT_GT(StandThousandsOf(kClub, 1), 0);

    Ground({{7, 29}, {7, 29}, {7, 20}, {7, 20}});
    SetClubAvgAttendance(kClub, 98000);
    SetClubBalance(kClub, 100000000);
    ComputerStadiumUpdate();
    EXPECT_EQ(Stands(), (std::array<int, 8>{7, 29, 7, 29, 7, 20, 7, 20}));
    EXPECT_EQ(GetClubBalance(kClub), 100000000);
}

TEST_F(StadiumTest, UserOrdersRebuildThenOpenSeatsAndWaitForMoney) {
    SetClubControl(kClub, 1);
    Ground({{2, 8}, {2, 8}, {2, 4}, {2, 4}});
    ResetGroundOrders();
    GroundOrder[0] = {3, 40, 0};  // 40 is more than a style-3 side holds
    GroundOrder[2] = {-1, 9, 0};  // only 0 more fit at the style's maximum
    GroundOrder[3] = {12, 2, 0};  // no style 12: style 7
    SetClubBalance(kClub, 30000000);
    HumanGroundRedevelopment(kClub);
    EXPECT_EQ(Stands(), (std::array<int, 8>{3, 0, 2, 8, 2, 4, 7, 0}));
    EXPECT_EQ(GetClubBalance(kClub), 30000000 - (1500000 + 10 * 120000) - (12000000 + 2 * 300000));
    EXPECT_EQ(GroundOrder[0].pending, 10);
    EXPECT_EQ(GroundOrder[0].newStyle, -1);

    HumanGroundRedevelopment(kClub);  // the seats open
    EXPECT_EQ(StandThousandsOf(kClub, 0), 10);
    EXPECT_EQ(StandThousandsOf(kClub, 3), 2);
    EXPECT_EQ(GroundOrder[0].pending, 0);

    // An order the club cannot pay for stays ordered; nothing goes below 0.
    SetClubBalance(kClub, 100000);
    GroundOrder[1] = {4, 0, 0};
    HumanGroundRedevelopment(kClub);
    EXPECT_EQ(StandStyleOf(kClub, 1), 2);
    EXPECT_EQ(GroundOrder[1].newStyle, 4);
    EXPECT_EQ(GetClubBalance(kClub), 100000);
}

TEST_F(StadiumDeathTest, ComputerClubsCannotTakeStandOrders) {
    SetClubControl(kClub, 0);
    // The message goes to standard output, which the child hands to the
    // death test's standard error.
    EXPECT_EXIT((dup2(STDERR_FILENO, STDOUT_FILENO), HumanGroundRedevelopment(kClub)),
                ::testing::ExitedWithCode(1),
                "Cannot do HumanGroundRedevelopment on a stadium belonging to a computer managed team");
}

TEST_F(StadiumTest, MerchandisingGivesTheAwayClubTwoFifthsOfTheHomeShare) {
    constexpr int16_t kAway = 11;
    MakeClub(kAway, 0, 0, 30);
    SetClubBalance(kAway, 0);
    SeasonCalendar.currentDay = 70;
    recbits::StoreU32(FixtureTable[5].bytes + kFixtureCrowdWord, 0xFF800000u | 20000u);
    AddMatchMerchandising(5, kClub, kAway);
    const int64_t price = TicketPrice[0][0];
    EXPECT_EQ(GetClubBalance(kClub), 20000 * price / 2);
    EXPECT_EQ(GetClubBalance(kAway) * 5, GetClubBalance(kClub) * 2);
    EXPECT_EQ(GetClubSeasonMerchandising(kAway), GetClubBalance(kAway));
    EXPECT_EQ(GetClubWeeksMerchandising(kClub, DaysToWeeks(70)), GetClubBalance(kClub));

    // A season of huge gates saturates rather than wrapping negative.
    SetClubSeasonMerchandising(kClub, INT32_MAX - 5);
    AddMatchMerchandising(5, kClub, kAway);
    EXPECT_EQ(GetClubSeasonMerchandising(kClub), INT32_MAX);
}

}  // namespace
