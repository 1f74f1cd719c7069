// Transfer completion: the money, the records and the player's fresh
// start at his new club.
#include "core/club/transfercompletion.h"

#include <numeric>

#include "core/club/transfers.h"
#include "core/records/history.h"
#include "tests/core/club/daily_fixture.h"

namespace {

class TransferTest : public DailyJobsTest {
  protected:
    static constexpr int16_t kSeller = 10, kBuyer = 11, kSellOn = 12;
    void SetUp() override {
        DailyJobsTest::SetUp();
        ClearHistoryLists();
        TransferRecordIndex = 0;
        for (int16_t club : {kSeller, kBuyer, kSellOn}) MakeSquad(club, 18);
        SetClubBalance(kBuyer, 5000000);
        RebuildAllRosters();
        player_ = MakePlayer(kSeller, 6);
        RebuildClubRoster(kSeller);
    }
    static bool InRoster(int16_t club, uint16_t player) {
        for (uint16_t p : ClubRoster[club]) {
            if (p == player) return true;
        }
        return false;
    }
    uint16_t player_ = 0;
};

TEST_F(TransferTest, FeeLevyAndSellOnWorkedValues) {
    CompleteTransfer(player_, kBuyer, 1000000, 0);
    EXPECT_EQ(GetClubBalance(kSeller), 830000);
    EXPECT_EQ(GetClubBalance(kBuyer), 4000000);
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kBuyer));
    EXPECT_EQ(int16_t(GetPlayerSellOnClause(player_)), -1);
    EXPECT_EQ(GetClubSeasonSales(kSeller), 1000000);
    EXPECT_EQ(GetClubSeasonSignings(kBuyer), 1000000);
    EXPECT_EQ(GetClubSeasonMiscOut(kSeller), 170000);

    // A 20% sell-on for the seller, then a sale on for 500,000.
    const uint16_t other = MakePlayer(kSeller, 7);
    CompleteTransfer(other, kSellOn, 0, 20);
    SetClubBalance(kBuyer, 600000);
    SetClubBalance(kSellOn, 0);
    SetClubBalance(kSeller, 0);
    const int32_t outgoings = GetClubSeasonMiscOut(kSellOn), income = GetClubSeasonMiscIn(kSeller);
    CompleteTransfer(other, kBuyer, 500000, 0);
    EXPECT_EQ(GetClubBalance(kSeller), 100000);  // the sell-on share
    EXPECT_EQ(GetClubBalance(kSellOn), 315000);
    // The share is part of the levy the club selling on pays: booked once.
    EXPECT_EQ(GetClubSeasonMiscOut(kSellOn) - outgoings, 185000);
    EXPECT_EQ(GetClubSeasonMiscIn(kSeller) - income, 100000);
    EXPECT_EQ(GetClubBalance(kBuyer), 100000);
    EXPECT_EQ(CountMessages(kSellOn, 156, other), 1);
}

TEST_F(TransferTest, SmallFeesRecordsAndTheLogRing) {
    SetClubBalance(kSeller, 1000);
    CompleteTransfer(player_, kBuyer, 999, 0);
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kBuyer));
    EXPECT_EQ(GetClubBalance(kSeller), 1000);
    EXPECT_EQ(GetClubBalance(kBuyer), 5000000);
    EXPECT_EQ(GetClubRecordSale(kSeller), 0);
    EXPECT_EQ(GetClubRecordBuy(kBuyer), 0);

    // First season: records move without a message; later seasons tell.
    const uint16_t star = MakePlayer(kSeller, 9);
    CompleteTransfer(star, kBuyer, 2000000, 0);
    EXPECT_EQ(GetClubRecordSale(kSeller), 2000000);
    EXPECT_EQ(GetClubRecordBuy(kBuyer), 2000000);
    EXPECT_EQ(CountMessages(kSeller, 26) + CountMessages(kBuyer, 27), 0);
    SeasonCalendar.season = 1;
    SetClubBalance(kSellOn, 9000000);
    CompleteTransfer(star, kSellOn, 3000000, 0);
    EXPECT_EQ(CountMessages(kBuyer, 26, star), 1);
    EXPECT_EQ(CountMessages(kSellOn, 27, star), 1);

    // The ring of 10,000 records: the 10,001st overwrites record 0.
    TransferRecordIndex = kTransferRecords;
    const uint16_t last = MakePlayer(kSeller, 3);
    CompleteTransfer(last, kBuyer, 0, 0);
    EXPECT_EQ(TransferRecordIndex, 1);
    EXPECT_EQ(recbits::LoadU16(TransferRecords[0].bytes + 4), last);
}

TEST_F(TransferTest, BadInputAndOwnClubAreRefused) {
    const int32_t before = GetClubBalance(kBuyer);
    CompleteTransfer(0, kBuyer, 1000, 0);
    CompleteTransfer(PlayerCount, kBuyer, 1000, 0);
    CompleteTransfer(player_, -1, 1000, 0);
    CompleteTransfer(player_, kClubCount, 1000, 0);
    CompleteTransfer(player_, kBuyer, -5, 0);
    CompleteTransfer(player_, kBuyer, 1000, 101);
    CompleteTransfer(player_, kSeller, 100000, 0);  // his own club
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kSeller));
    EXPECT_EQ(GetClubBalance(kBuyer), before);
    EXPECT_EQ(TransferRecordIndex, 0);

    // A loaned-out player cannot be bought by his owner either.
    SetPlayerClub(player_, kSellOn);
    CompleteTransfer(player_, kSeller, 100000, 0);
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kSellOn));
    EXPECT_EQ(TransferRecordIndex, 0);
}

TEST_F(TransferTest, SellOnAboveTheSellersShareNeverChargesHim) {
    SetPlayerSellOnClause(player_, kSellOn);
    SetPlayerSellOnPercent(player_, 95);
    SetClubBalance(kSeller, 1000000);
    CompleteTransfer(player_, kBuyer, 1000000, 0);
    EXPECT_EQ(GetClubBalance(kSeller), 1000000);
    EXPECT_EQ(GetClubBalance(kSellOn), 830000);
}

TEST_F(TransferTest, RandomTransfersMoveMoneyAndPlayersSoundly) {
    constexpr int16_t kClubs[] = {10, 11, 12, 13, 14};
    MakeSquad(13, 10);
    MakeSquad(14, 10);
    RebuildAllRosters();
    for (int round = 0; round < 3000; ++round) {
        for (int16_t club : kClubs) SetClubBalance(club, 50000000);
        const uint16_t p = uint16_t(3 + GameRandom() % (PlayerCount - 3));
        const int16_t buyer = kClubs[GameRandom() % 5];
        const int16_t owner = int16_t(GetPlayerLoanClub(p));
        if (owner == buyer) continue;
        // Loans, bids and sell-on clauses of every kind.
        if (GameRandom() % 4 == 0) {
            const int16_t host = kClubs[GameRandom() % 5];
            if (host != owner) SetPlayerClub(p, host);
        }
        SetClubBid(buyer, 1, p, 10, 0);
        if (GameRandom() % 3 == 0) {
            SetPlayerSellOnClause(p, kClubs[GameRandom() % 5]);
            SetPlayerSellOnPercent(p, int16_t(GameRandom() % 101));
        }
        const int32_t fee = GameRandom() % 3 == 0 ? GameRandom() % 2000 : GameRandom() * 100;
        const int64_t before = std::accumulate(std::begin(kClubs), std::end(kClubs), int64_t(0),
                                               [](int64_t s, int16_t c) { return s + GetClubBalance(c); });
        CompleteTransfer(p, buyer, fee, int16_t(GameRandom() % 30));
        const int64_t after = std::accumulate(std::begin(kClubs), std::end(kClubs), int64_t(0),
                                              [](int64_t s, int16_t c) { return s + GetClubBalance(c); });
        const int64_t paid = fee < 1000 ? 0 : fee;
        ASSERT_EQ(after - before, -(paid * 17 / 100)) << "round " << round;
        ASSERT_EQ(GetPlayerClub(p), uint16_t(buyer));
        ASSERT_EQ(GetPlayerLoanClub(p), uint16_t(buyer));
        ASSERT_EQ(GetClubBidPlayer(buyer, 1), 0);
        ASSERT_EQ(GetPlayerMorale(p), 60);
        ASSERT_EQ(GetPlayerTxList(p) + GetPlayerTxReq(p) + GetPlayerLoanList(p) + GetPlayerShirt(p), 0);
        for (int16_t club : kClubs) ASSERT_EQ(InRoster(club, p), club == buyer) << "club " << club;
        const uint8_t* log =
            TransferRecords[(TransferRecordIndex + kTransferRecords - 1) % kTransferRecords].bytes;
        ASSERT_NE(recbits::LoadU16(log + 0), recbits::LoadU16(log + 2));
    }
}

}  // namespace
