// Asking prices, fee offers, the computer clubs' own market moves, the
// contract review and lists of a computer club, and the pending deals.
#include "core/club/transferprices.h"

#include <limits>

#include "core/base/bytes.h"
#include "core/club/bids.h"
#include "core/club/contractreview.h"
#include "core/club/contracts.h"
#include "core/club/playervalue.h"
#include "core/club/squadneeds.h"
#include "core/club/squadupkeep.h"
#include "core/club/transfers.h"
#include "core/season/messages.h"
#include "tests/core/club/management_fixture.h"

namespace {

class MarketTest : public ManagementTest {
  protected:
    static constexpr int16_t kSeller = 10;
    static constexpr int16_t kBuyer = 11;
    void SetUp() override {
        ManagementTest::SetUp();
        for (int16_t club : {kSeller, kBuyer}) {
            MakeClub(club, 0, 1, 30);
            for (int i = 0; i < 20; ++i) {
                const uint16_t p = MakePlayer(club, int16_t(i % 13), 6, int16_t(50 + i));
                SetPlayerShirt(p, int16_t(i < 16 ? i + 1 : 0));
                SetPlayerWage(p, 40);
            }
        }
        manager_ = MakePlayer(kSeller, 6, 20, 50);
        SetPlayerHalvornB(manager_, 1);
        SetClubBalance(kBuyer, 50000000);
        RebuildAllRosters();
        BuildClubSquadList(kSeller);
    }
    static uint16_t PlayerOf(int16_t club, int index) {
        for (uint16_t p = 3; p < PlayerCount; ++p)
            if (GetPlayerClub(p) == uint16_t(club) && GetPlayerHalvornB(p) == 0 && index-- == 0) return p;
        return 0;
    }
    static bool ArchiveHas(int16_t club, int16_t type, uint16_t player) {
        for (const MessageRecord& m : MessageArchive[club]) {
            if (recbits::LoadU16(m.bytes + kMsgType) == uint16_t(type) &&
                recbits::LoadU32(m.bytes + kMsgPlayerA) == player)
                return true;
        }
        return false;
    }
    uint16_t manager_ = 0;
};

TEST_F(MarketTest, AskingPriceFirstRoundRulesAndResponse) {
    const uint16_t p = PlayerOf(kSeller, 20 - 1);  // no shirt
    SetPlayerReputation(p, 0);
    SetPlayerStat(manager_, 16, 100);  // drives the hardest bargain: no rounds of haggling
    int16_t response = 0;
    // An amount not below the offer: -1 and the previous price back.
    EXPECT_EQ(GetTransferAskingPrice(p, 1000, 1000, 777, 0, kBuyer, &response, 0), 777);
    EXPECT_EQ(response, -1);
    const int32_t full = ValuePlayerFull(p);
    ASSERT_GT(full, 1000);
    // Enough offered: the price is the value and the response 0.
    EXPECT_EQ(GetTransferAskingPrice(p, full * 2, 0, -1, 3, kBuyer, &response, 5), RoundMoneyValue(full));
    EXPECT_EQ(response, 0);
    // Nothing offered: the largest response, no division by zero.
    EXPECT_EQ(GetTransferAskingPrice(p, 0, -1, -1, 0, kBuyer, &response, 0), RoundMoneyValue(full));
    EXPECT_EQ(response, 20000);
    EXPECT_EQ(GetTransferAskingPrice(p, -500, -1000, -1, 0, kBuyer, &response, 0), RoundMoneyValue(full));
    EXPECT_EQ(response, 20000);
    // A release fee below the price caps it.
    SetPlayerClause1(p, 1500);
    EXPECT_EQ(GetTransferAskingPrice(p, 1000, 0, -1, 0, kBuyer, &response, 0), 1500);
    EXPECT_GT(response, 0);
    // A listed player's first price is his full value times his mood, not
    // rounded.
    SetPlayerClause1(p, 0);
    SetPlayerTxList(p, 1);
    SetPlayerMorale(p, 33);  // 55 + 40 = 95 percent
    const int32_t listed = ValuePlayerFull(p);
    EXPECT_EQ(GetTransferAskingPrice(p, 1, 0, -1, 0, kBuyer, &response, 0),
              RoundMoneyValue(listed * 95 / 100));
    SetPlayerMorale(p, 33);
    EXPECT_EQ(GetTransferAskingPrice(p, listed, 0, -1, 0, kBuyer, &response, 0),
              int32_t(int64_t(listed) * 95 / 100));
    EXPECT_EQ(response, 0);
}

TEST_F(MarketTest, AskingPriceNeverAboveAReleaseFeeOnceAboveTheOffer) {
    for (int round = 0; round < 500; ++round) {
        const uint16_t p = PlayerOf(kSeller, GameRandom() % 20);
        SetPlayerReputation(p, int16_t(GameRandom() % 64));
        SetPlayerClause1(p, GameRandom() * 50);
        SetPlayerTxList(p, GameRandom() % 2);
        const int32_t offer = round % 9 == 0 ? std::numeric_limits<int32_t>::max() : GameRandom() * 10;
        int16_t response = 0;
        const int32_t price = GetTransferAskingPrice(p, offer, -1, -1, int16_t(GameRandom() % 12), kBuyer,
                                                     &response, int16_t(GameRandom() % 2 * 5));
        ASSERT_GE(price, 0);
        ASSERT_GE(response, 0);
        ASSERT_LE(response, 20000);
        if (response > 0 && GetPlayerClause1(p) > 0) {
            ASSERT_LE(price, GetPlayerClause1(p));
        }
    }
}

TEST_F(MarketTest, CounterOfferHaggledCappedAndRounded) {
    const uint16_t p = PlayerOf(kSeller, 3);
    SetPlayerStat(manager_, 16, 100);  // k = 0: no haggling
    EXPECT_EQ(GetFeeCounterOffer(p, 123456, 0, kBuyer, 0, 0, 5), 120000);
    EXPECT_EQ(GetFeeCounterOffer(p, 999, 0, kBuyer, 0, 0, 0), 0);
    EXPECT_EQ(GetFeeCounterOffer(p, -5000, 0, kBuyer, 0, 0, 0), 0);
    // The buyer's safe budget caps the offer.
    EXPECT_EQ(GetFeeCounterOffer(p, std::numeric_limits<int32_t>::max(), 0, kBuyer, 0, 0, 0),
              RoundMoneyValue(ClubSafeTransferBudget(kBuyer)));
    // A soft manager (stat 16 of 40, k = 6) is haggled down on every round.
    SetPlayerStat(manager_, 16, 40);
    const int32_t first = GetFeeCounterOffer(p, 1000000, 0, kBuyer, 0, 0, 0);
    EXPECT_EQ(first, RoundMoneyValue(1000000 - (60 * 6 / 75) * 1000000 / 100));
    EXPECT_GT(GetFeeCounterOffer(p, 1000000, 6, kBuyer, 0, 0, 0), first);
    EXPECT_EQ(GetFeeCounterOffer(p, 1000, 0, -1, 0, 0, 0), 0);  // a bad club
}

TEST_F(MarketTest, WageCutbackNeedsThirtyTwoOwnPlayers) {
    // Wages the club cannot afford: nobody can be paid more.
    for (uint16_t p = 3; p < PlayerCount; ++p) SetPlayerWage(p, 4000);
    ASSERT_EQ(ComputeFinancePercent(kSeller), 0);
    ComputerWageCutback(kSeller);
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        EXPECT_EQ(GetPlayerTxList(p), 0u);
        EXPECT_NE(GetPlayerClub(p), kNoClub);
    }
    // With 32 own players the top earner is listed and the weakest
    // contract released.
    for (int i = 0; i < 12; ++i) MakePlayer(kSeller, 6, 6, 60);
    for (uint16_t p = 3; p < PlayerCount; ++p) SetPlayerWage(p, 3000);
    const uint16_t top = PlayerOf(kSeller, 7);
    const uint16_t weak = PlayerOf(kSeller, 8);
    SetPlayerWage(top, 4000);
    SetPlayerWage(PlayerOf(kSeller, 3), 4000);
    SetPlayerContract(weak, 1);
    SetClubBid(kBuyer, 2, weak, 10, 0);
    RebuildAllRosters();
    ComputerWageCutback(kSeller);
    EXPECT_EQ(GetPlayerTxList(PlayerOf(kSeller, 3)), 1u);  // the first of the equal top earners
    EXPECT_EQ(GetPlayerTxList(top), 0u);
    EXPECT_EQ(GetPlayerClub(weak), kNoClub);
    EXPECT_EQ(GetPlayerWage(weak), 3);
    EXPECT_EQ(GetClubBidPlayer(kBuyer, 2), 0);
    for (uint16_t slot : ClubRoster[kSeller]) EXPECT_NE(slot, weak);
}

TEST_F(MarketTest, NewClubIsNeverHisOwnOrAHumanClub) {
    const uint16_t p = PlayerOf(kSeller, 5);
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, 80);  // well above the buyer's weakest
    SetClubControl(kBuyer, 1);
    SortClubsByReputation();
    for (int i = 0; i < 50; ++i) EXPECT_EQ(FindClubForPlayer(p, 0), -1);
    // A computer club whose weakest starter is near his level takes him.
    SetClubControl(kBuyer, 0);
    SetClubBalance(kBuyer, 50000000);
    int16_t found = -1;
    for (int i = 0; i < 50 && found < 0; ++i) found = FindClubForPlayer(p, 0);
    EXPECT_EQ(found, kBuyer);
    EXPECT_EQ(FindClubForPlayer(0, 0), -1);
}

TEST_F(MarketTest, FirstContractsForGoodYouthPlayers) {
    const uint16_t youth = PlayerOf(kSeller, 17);
    SetPlayerFlag95(youth, 1);
    SetPlayerShirt(youth, 0);
    SetPlayerContract(youth, 0);
    ClubOfferFirstContracts(kSeller);
    EXPECT_EQ(GetPlayerFlag95(youth), 0u);
    EXPECT_GT(GetPlayerContract(youth), 0u);
    EXPECT_EQ(GetPlayerWage(youth), 4u);  // the youth wage of 100
}

// Only the player's bids go, and only from clubs with a reputation.
TEST_F(MarketTest, ClearingAPlayersBidsSparesOtherPlayersAndClubsWithoutReputation) {
    const uint16_t p = PlayerOf(kSeller, 4), other = PlayerOf(kSeller, 5);
    int16_t dormant = 0;  // a club slot nobody fills
    while (dormant < kClubCount && GetClubRep(dormant) != 0) ++dormant;
    ASSERT_LT(dormant, kClubCount);
    SetClubBid(kBuyer, 1, p, 1000, 0);
    SetClubBid(kBuyer, 2, other, 2000, 0);
    SetClubBid(kSeller, 3, p, 3000, 0);
    SetClubBid(dormant, 0, p, 4000, 0);
    ASSERT_EQ(GetClubBidPlayer(dormant, 0), p);
    SetPlayerSetting4(p, 3);
    ClearClubBidList(p);
    EXPECT_EQ(GetClubBidPlayer(kBuyer, 1), 0);
    EXPECT_EQ(GetClubBidPrice(kBuyer, 1), 0);
    EXPECT_EQ(GetClubBidPlayer(kSeller, 3), 0);
    EXPECT_EQ(GetClubBidPlayer(kBuyer, 2), other);
    EXPECT_EQ(GetClubBidPrice(kBuyer, 2), 2000);
    EXPECT_EQ(GetClubBidPlayer(dormant, 0), p);
    EXPECT_EQ(GetPlayerSetting4(p), 0u);
}

TEST_F(MarketTest, PickListedPlayerBidsForAFittingListedPlayer) {
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        if (GetPlayerClub(p) == uint16_t(kSeller)) SetPlayerTxList(p, 1);
    }
    const uint16_t named = PlayerOf(kBuyer, 0);
    SetPlayerStat(named, 19, 60);
    const int16_t days = ComputerPickListedPlayer(kSeller, kBuyer, named, 0);
    EXPECT_NE(days, 0);
    {
        EXPECT_EQ(days, 60 / 20 + 2);
        int bids = 0;
        for (int16_t slot = 0; slot < 4; ++slot) {
            const uint16_t bid = GetClubBidPlayer(kBuyer, slot);
            if (bid == 0) continue;
            ++bids;
            EXPECT_EQ(GetPlayerClub(bid), uint16_t(kSeller));
            EXPECT_EQ(slot, int16_t(GetPlayerPosition(bid) == 0   ? 0
                                    : GetPlayerPosition(bid) <= 4 ? 1
                                    : GetPlayerPosition(bid) <= 9 ? 2
                                                                  : 3));
            EXPECT_EQ(GetPlayerSetting4(bid), days);
        }
        EXPECT_EQ(bids, 1);
    }
    // Nobody listed: nothing to pick.
    for (uint16_t p = 3; p < PlayerCount; ++p) SetPlayerTxList(p, 0);
    ClearClubBidShortLists(kBuyer);
    EXPECT_EQ(ComputerPickListedPlayer(kSeller, kBuyer, named, 0), 0);
    EXPECT_EQ(ComputerPickListedPlayer(kSeller, kBuyer, 0, 0), 0);
}

TEST_F(MarketTest, TransferListPostsAndListsTheUnwanted) {
    const uint16_t starter = PlayerOf(kSeller, 2);
    const uint16_t reserve = PlayerOf(kSeller, 17);
    const uint16_t asking = PlayerOf(kSeller, 18);
    SetPlayerStat(manager_, 20, 40);  // unhappy below morale 40
    SetPlayerMorale(starter, 10);
    SetPlayerMorale(reserve, 10);
    SetPlayerShirt(starter, 3);
    SetPlayerShirt(reserve, 14);
    SetPlayerShirt(asking, 0);
    SetPlayerTxReq(asking, 1);
    SquadNeeds = SquadNeedsBlock{};
    UpdateClubTransferList(kSeller);
    EXPECT_EQ(GetPlayerTxList(starter), 0u);
    EXPECT_TRUE(ArchiveHas(kSeller, 95, starter));
    EXPECT_EQ(GetPlayerTxList(reserve), 1u);
    EXPECT_TRUE(ArchiveHas(kSeller, 7, reserve));
    EXPECT_EQ(GetPlayerTxList(asking), 1u);
    EXPECT_TRUE(ArchiveHas(kSeller, 6, asking));
    // The player named for replacement is listed too.
    const uint16_t out = PlayerOf(kSeller, 4);
    SquadNeeds.UpgradePlayer = PlayerOf(kSeller, 5);
    SquadNeeds.ReplacePlayer = out;
    ASSERT_EQ(GetPlayerTxList(out), 0u);
    UpdateClubTransferList(kSeller);
    EXPECT_EQ(GetPlayerTxList(out), 1u);
    EXPECT_TRUE(ArchiveHas(kSeller, 96, out));
}

TEST_F(MarketTest, ReviewGivesVeteransLongContractsAndListsTheSurplus) {
    SeasonCalendar.month = 7;
    const uint16_t veteran = PlayerOf(kSeller, 1);
    SetPlayerAge(veteran, 19);
    SetPlayerContract(veteran, 3);
    const uint16_t surplus = PlayerOf(kSeller, 19);
    SetPlayerAge(surplus, 15);  // allowance 0 < 15 / 3
    SetPlayerContract(surplus, 3);
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(surplus, s, 1);
    ReviewClubContracts(kSeller);
    EXPECT_EQ(GetPlayerContract(veteran), 36u);
    EXPECT_EQ(GetPlayerTxList(surplus), 1u);
}

TEST_F(MarketTest, LoanListHoldsSpareReservesOnly) {
    SeasonCalendar.currentDay = 10;
    int listed = 0;
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        if (GetPlayerClub(p) != uint16_t(kSeller)) continue;
        SetPlayerFlag107(p, 1);
        SetPlayerFatigue(p, 0);
    }
    UpdateClubLoanList(kSeller);
    for (uint16_t p = 3; p < PlayerCount; ++p) listed += GetPlayerLoanList(p);
    EXPECT_EQ(listed, 0);  // nobody ranks 30th or lower in a squad of 20
    for (int i = 0; i < 15; ++i) {
        const uint16_t p = MakePlayer(kSeller, 6, 5, 20);
        SetPlayerFlag107(p, 1);
        SetPlayerFatigue(p, 0);
    }
    RebuildAllRosters();
    UpdateClubLoanList(kSeller);
    listed = 0;
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        if (GetPlayerLoanList(p) == 0) continue;
        ++listed;
        EXPECT_GE(GetPlayerSquadRank(p, kSeller), 30);
    }
    EXPECT_GT(listed, 0);
}

TEST_F(MarketTest, PendingDealsFillTickAndClear) {
    PendingDeal_ClearAll();
    PendingDeal_Add(77, 5, 6, 7, 20, 2, kSeller, kBuyer, 400000, 350000, 3);
    const uint8_t* d = PendingDealTable[0].bytes;
    EXPECT_EQ(recbits::LoadU16(d), 77);
    EXPECT_EQ(recbits::LoadU16(d + 2), uint16_t(kSeller));
    EXPECT_EQ(recbits::LoadU16(d + 4), uint16_t(kBuyer));
    EXPECT_EQ(recbits::LoadU32(d + 6), 350000u);
    EXPECT_EQ(recbits::LoadU32(d + 10), 400000u);
    EXPECT_EQ(recbits::LoadU16(d + 14), 20);
    EXPECT_EQ(recbits::LoadU16(d + 20), 7);
    EXPECT_EQ(recbits::LoadU16(d + 25), 3);
    PendingDeal_TickAll();
    EXPECT_EQ(PendingDealWait(0), 1);
    EXPECT_EQ(PendingDealReady(0), 0);
    PendingDeal_TickAll();
    EXPECT_EQ(PendingDealWait(0), 0);
    EXPECT_EQ(PendingDealReady(0), 1);
    PendingDeal_TickAll();
    EXPECT_EQ(PendingDealReady(0), 1);
    for (int i = 1; i < kPendingDeals + 5; ++i)
        PendingDeal_Add(uint16_t(100 + i), 0, 0, 0, 0, 1, 0, 0, 0, 0, 0);
    EXPECT_EQ(PendingDealPlayer(kPendingDeals - 1), 100 + kPendingDeals - 1);  // the rest dropped
    PendingDeal_ClearAll();
    for (int i = 0; i < kPendingDeals; ++i) ASSERT_EQ(PendingDealPlayer(i), 0);
}

TEST_F(MarketTest, ADealTakenOnToABidIsFreedOnceNoClubBidsForItsPlayer) {
    PendingDeal_ClearAll();
    const uint16_t sold = PlayerOf(kSeller, 1), exchanged = PlayerOf(kSeller, 2),
                   waiting = PlayerOf(kSeller, 3);
    // Taken on to bids (days to answer 2 and 8), one of them with an
    // exchange player; a third waits for the user's answer.
    PendingDeal_Add(sold, 0, 0, 0, 0, 0, kSeller, kBuyer, 400000, 400000, 2);
    PendingDeal_Add(exchanged, PlayerOf(kBuyer, 1), 0, 0, 0, 0, kSeller, kBuyer, 400000, 400000, 2);
    PendingDeal_Add(waiting, 0, 0, 0, 0, 1, kSeller, kBuyer, 400000, 380000, 0);
    PendingDealTable[0].bytes[24] = 2;
    PendingDealTable[1].bytes[24] = 8;
    SetClubBid(kBuyer, 1, sold, 4000, 0);
    SetClubBid(kBuyer, 2, exchanged, 4000, 0);
    // While the bids wait the deals are kept.
    PendingDeal_TickAll();
    EXPECT_EQ(PendingDealPlayer(0), sold);
    EXPECT_EQ(PendingDealReady(0), 2);
    EXPECT_EQ(PendingDealPlayer(1), exchanged);
    EXPECT_EQ(PendingDealReady(2), 1);
    // Decided (the bids gone): the plain deal is freed; the exchange deal
    // is left to its contract talks and the deal waiting for the user stays.
    SetClubBid(kBuyer, 1, 0, 0, 0);
    SetClubBid(kBuyer, 2, 0, 0, 0);
    PendingDeal_TickAll();
    EXPECT_EQ(PendingDealPlayer(0), 0);
    EXPECT_EQ(PendingDealReady(0), 0);
    EXPECT_EQ(PendingDealPlayer(1), exchanged);
    EXPECT_EQ(PendingDealPlayer(2), waiting);
    EXPECT_EQ(PendingDealReady(2), 1);
    PendingDeal_ClearAll();
}

}  // namespace
