// The computer clubs' market over the whole generated world: several days
// of squad evaluation, target searches, bids, lists and contract work leave
// the market's state sound.
#include <gtest/gtest.h>

#include "core/club/bids.h"
#include "core/club/contractreview.h"
#include "core/club/squadneeds.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/club/transferprices.h"
#include "core/records/records.h"
#include "core/records/usertransfers.h"
#include "core/season/calendar.h"
#include "tests/fakes/market_checks.h"
#include "tests/fakes/world_records.h"

namespace {

class WorldMarketTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(LoadWorldRecords(HALVORN_GAME_DIR), "");
        RebuildAllRosters();
        PendingDeal_ClearAll();
        std::fill(std::begin(PendingHumanDeals), std::end(PendingHumanDeals), uint16_t(0));
        SeasonCalendar.currentDay = 30;
        SeasonCalendar.month = 7;
        SortClubsByReputation();
        // Money to spend: the new-game finances are another module's.
        for (int16_t club = 0; club < kClubCount; ++club) {
            if (GetClubRep(club) == 0) continue;
            SetClubBalance(club, GetClubRep(club) * 2000000);
            for (int16_t week = 0; week < kFinanceWeeks; ++week) {
                SetClubWeekLastBalance(club, GetClubBalance(club), week);
            }
        }
    }
    // One day of a computer club's market work.
    static void ClubDay(int16_t club) {
        CurrentClubManager = FindClubManager(club);
        BuildClubSquadList(club);
        EvaluateClubSquad(club);
        PlanClubSignings(club, 0);
        ProcessBidShortList(club);
        UpdateClubTransferList(club);
        UpdateClubLoanList(club);
        ClubOfferFirstContracts(club);
        ComputerWageCutback(club);
    }
    static int CountShortListed() {
        int entries = 0;
        for (int16_t club = 0; club < kClubCount; ++club)
            for (int16_t list = 0; list < kBidLists; ++list)
                for (int16_t entry = 0; entry < kBidListEntries; ++entry)
                    entries += GetClubBidShortListId(club, list, entry) != 0;
        return entries;
    }
};

TEST_F(WorldMarketTest, DaysOfComputerMarketWorkKeepTheMarketSound) {
    ASSERT_EQ(CheckMarketInvariants(), "");
    int shortListed = 0;
    for (int day = 0; day < 3; ++day) {
        for (int16_t club = 0; club < kClubCount; ++club) {
            if (GetClubRep(club) == 0 || GetClubControl(club) != 0) continue;
            ClubDay(club);
            if (day == 2 && club % 50 == 0) ReviewClubContracts(club);
        }
        PendingDeal_TickAll();
        shortListed += CountShortListed();
        ASSERT_EQ(CheckMarketInvariants(), "") << "day " << day;
    }
    // The generated squads are thin (sixteen or fewer available), so their
    // clubs sell nobody yet; the searches still find targets.
    EXPECT_GT(shortListed, 0);
}

TEST_F(WorldMarketTest, CheckFindsBadSlotsDuplicatesAndContracts) {
    const uint16_t player = uint16_t(PlayerCount - 1);
    SetClubBid(5, 2, PlayerCount, 10, 0);
    EXPECT_NE(CheckMarketInvariants().find("bid slot 2"), std::string::npos);
    SetClubBid(5, 2, 0, 0, 0);
    SetClubBidShortList(5, 1, 4, player, 0, 2);
    EXPECT_EQ(CheckMarketInvariants(), "");
    PendingHumanDeals[0] = player;
    PendingHumanDeals[3] = player;
    EXPECT_NE(CheckMarketInvariants().find("both name player"), std::string::npos);
    PendingHumanDeals[3] = 0;
    EXPECT_EQ(CheckMarketInvariants(), "");
    PendingDeal_Add(uint16_t(PlayerCount + 3), 0, 0, 0, 0, 1, 0, 0, 0, 0, 0);
    EXPECT_NE(CheckMarketInvariants().find("pending deal 0"), std::string::npos);
}

}  // namespace
