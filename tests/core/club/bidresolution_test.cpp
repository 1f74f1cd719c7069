// Bid resolution: the countdown, the best bid, refusals and what an
// accepted bid leads to.
#include "core/club/bidresolution.h"
#include "core/records/usertransfers.h"

#include <cstring>

#include "core/base/random.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/season/leagues.h"
#include "core/season/messagetypes.h"
#include "tests/core/club/daily_fixture.h"

namespace {

class BidTest : public DailyJobsTest {
  protected:
    static constexpr int16_t kSeller = 10, kLow = 11, kHigh = 12;
    void SetUp() override {
        DailyJobsTest::SetUp();
        std::fill(std::begin(PendingHumanDeals), std::end(PendingHumanDeals), uint16_t(0));
        for (auto& row : LeagueTransferWords) std::fill(std::begin(row), std::end(row), int16_t(400));
        for (int16_t club : {kSeller, kLow, kHigh}) MakeSquad(club, 18);
        SetClubBalance(kLow, 10000000);
        SetClubBalance(kHigh, 10000000);
        RebuildAllRosters();
        player_ = MakePlayer(kSeller, 6);
        SetPlayerReputation(player_, 0);  // his club lets him go
        SetPlayerTxList(player_, 1);
        RebuildClubRoster(kSeller);
    }
    // The money of the newest message of the type about the player in the
    // club's archive; 0 when there is none.
    static int32_t AmountOf(int16_t club, int16_t type, uint16_t player) {
        for (const MessageRecord& m : MessageArchive[club]) {
            if (recbits::LoadU16(m.bytes + kMsgType) == uint16_t(type) &&
                recbits::LoadU32(m.bytes + kMsgPlayerA) == player)
                return int32_t(recbits::LoadU32(m.bytes + kMsgMoney));
        }
        return 0;
    }
    void Bid(int16_t club, int32_t hundreds, int16_t wait = 1) {
        SetClubBid(club, 2, player_, hundreds, 0);
        SetPlayerSetting4(player_, wait);
    }
    uint16_t player_ = 0;
};

TEST_F(BidTest, AgeFactorTable) {
    EXPECT_EQ(BidAgeFactorOf(0), 100);
    EXPECT_EQ(BidAgeFactorOf(14), 100);
    EXPECT_EQ(BidAgeFactorOf(15), 90);
    EXPECT_EQ(BidAgeFactorOf(20), 20);
    EXPECT_EQ(BidAgeFactorOf(24), 10);
    EXPECT_EQ(BidAgeFactorOf(25), 0);
    EXPECT_EQ(BidAgeFactorOf(31), 0);
    EXPECT_EQ(BidAgeFactorOf(63), 0);
    EXPECT_EQ(BidAgeFactorOf(-1), 0);
}

TEST_F(BidTest, CountdownAndTheDeadline) {
    Bid(kLow, 1000, 5);
    SeasonCalendar.currentDay = 100;
    ResolveTransferBids();
    EXPECT_EQ(GetPlayerSetting4(player_), 4);
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kSeller));
    // With the deadline on day 103 a wait of 5 is decided today.
    LeagueTransferWords[0][0] = 103;
    SetPlayerSetting4(player_, 5);
    ResolveTransferBids();
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kLow));
    EXPECT_EQ(GetClubBidPlayer(kLow, 2), 0);
    EXPECT_EQ(GetPlayerSetting4(player_), 0);
}

TEST_F(BidTest, EqualScoresKeepTheLowerClub) {
    SetClubRep(kHigh, 30);
    SetClubRep(kLow, 30);
    Bid(kLow, 1000);
    Bid(kHigh, 2000);
    ResolveTransferBids();
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kLow));
    EXPECT_EQ(CountMessages(kHigh, 62, player_), 1);
    // The outbid club hears of no amount; the deal names the winning fee.
    EXPECT_EQ(AmountOf(kHigh, 62, player_), -1);
    EXPECT_EQ(AmountOf(kLow, 0, player_), 100000);
}

TEST_F(BidTest, UnaffordableBidsNeverWin) {
    SetClubBalance(kLow, 50000);
    Bid(kLow, 1000);  // 100,000
    ResolveTransferBids();
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kSeller));
    EXPECT_EQ(CountMessages(kLow, 61, player_), 1);
    EXPECT_EQ(AmountOf(kLow, 61, player_), -1);
    EXPECT_EQ(CountMessages(kSeller, 25, player_), 1);
    EXPECT_EQ(GetClubBidPlayer(kLow, 2), 0);
}

TEST_F(BidTest, ClubAndPlayerRefusals) {
    // A valued young player wanted by a small club as its best man: need 60
    // against a score of 5 x 2, his club says no.
    SetClubRep(kLow, 5);
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(player_, s, 90);
    SetPlayerReputation(player_, 60);
    SetPlayerAge(player_, 5);
    Bid(kLow, 1000);
    ResolveTransferBids();
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kSeller));
    EXPECT_EQ(CountMessages(kSeller, 21, player_), 1);
    // Past 40 (stored age 25) need is 0: no club refusal.
    SetPlayerAge(player_, 25);
    Bid(kLow, 1000);
    ResolveTransferBids();
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kLow));
}

// Leaves the generator where its next draw modulo 100 is `value`.
void NextDrawPercent(int value) {
    uint32_t state = 0;
    while ((((state * 214013u + 2531011u) >> 16) & 0x7FFF) % 100 != uint32_t(value)) ++state;
    GameRandomStateWord = state;
}

TEST_F(BidTest, AContentPlayerWeighsTheClubsMarginNotTheBidsScore) {
    // Need 60 against a score of 5 x 2: the club's margin is
    // 100 - 50 x 100 / 63 = 21, above his greed of 40 / 2, so his club lets
    // him talk.  A content player loyal at 99 then turns it down with
    // chance 99 - 3 x 21 = 36 in 100 (not 99 - 3 x 10).
    SetClubRep(kLow, 5);
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(player_, s, 90);
    SetPlayerStat(player_, kGreedStat, 40);
    SetPlayerStat(player_, kLoyaltyStat, 99);
    SetPlayerReputation(player_, 60);
    SetPlayerAge(player_, 5);
    SetPlayerTxList(player_, 0);
    SetPlayerMorale(player_, 60);
    Bid(kLow, 1000);
    NextDrawPercent(35);
    ResolveTransferBids();
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kSeller));
    EXPECT_EQ(CountMessages(kSeller, kMsgPlayerRefusesFee, player_), 1);
    EXPECT_EQ(CountMessages(kSeller, kMsgClubRefusesFee, player_), 0);
    EXPECT_EQ(GetClubBidPlayer(kLow, 2), 0);
    EXPECT_EQ(GetPlayerSetting4(player_), 0);
    // A free bid he turns down is told as such.
    Bid(kLow, 0);
    NextDrawPercent(0);
    ResolveTransferBids();
    EXPECT_EQ(CountMessages(kSeller, kMsgPlayerRefusesFree, player_), 1);
    // A draw of 36 is past his chance: he goes.
    Bid(kLow, 1000);
    NextDrawPercent(36);
    ResolveTransferBids();
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kLow));
}

TEST_F(BidTest, ARefusedPartExchangeBidReleasesItsExchangePlayers) {
    // The user's club bids for a player of the seller with one of its own
    // players in part exchange; the seller bids for him in turn.  He is
    // decided first: the seller's bid waits on the main bid.
    MakeUserClub(kHigh);
    std::memset(PendingDealTable, 0, sizeof PendingDealTable);
    const uint16_t exchange = MakePlayer(kHigh, 6);
    SetPlayerReputation(exchange, 0);
    SetPlayerTxList(exchange, 1);
    const uint16_t main = MakePlayer(kSeller, 6);
    RebuildAllRosters();
    PendingDeal_Add(main, exchange, 0, 0, 0, 0, kSeller, kHigh, 90000, 100000, 1);
    SetClubBid(kHigh, 0, main, 1000, 0);
    SetPlayerSetting4(main, 1);
    SetPlayerField120Bit0(main, 1);
    SetClubBid(kSeller, 1, exchange, 100, 0);
    SetPlayerSetting4(exchange, 1);
    SetPlayerField120Bit0(exchange, 1);
    // A valued youngster, and the buyer a small club: his club says no.
    SetClubRep(kHigh, 5);
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(main, s, 90);
    SetPlayerReputation(main, 60);
    SetPlayerAge(main, 5);
    ResolveTransferBids();
    EXPECT_EQ(CountMessages(kSeller, 21, main), 1);
    for (int day = 0; day < 2; ++day) {
        EXPECT_EQ(GetPlayerField120Bit0(exchange), 0);
        EXPECT_EQ(GetPlayerField120Bit0(main), 0);
        for (int16_t slot = 0; slot < 4; ++slot) EXPECT_NE(GetClubBidPlayer(kSeller, slot), exchange);
        EXPECT_EQ(GetPlayerSetting4(exchange), 0);
        EXPECT_EQ(GetPlayerClub(exchange), uint16_t(kHigh));
        ResolveTransferBids();  // the next day
    }
}

TEST_F(BidTest, HumanWinsWaitAndLoansMove) {
    MakeUserClub(kHigh);
    Bid(kHigh, 1000);
    ResolveTransferBids();
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kSeller));
    EXPECT_EQ(PendingHumanDeals[0], player_);
    EXPECT_EQ(GetClubBidPlayer(kHigh, 2), player_);
    ResolveTransferBids();  // decided again: still one entry
    EXPECT_EQ(PendingHumanDeals[1], 0);

    // A computer loan bid for a loan-listed player moves him on loan.
    SetClubBid(kHigh, 2, 0, 0, 0);
    SetPlayerTxList(player_, 0);
    SetPlayerLoanList(player_, 1);
    Bid(kLow, 1);
    SeasonCalendar.currentDay = 100;
    ResolveTransferBids();
    EXPECT_EQ(GetPlayerClub(player_), uint16_t(kLow));
    EXPECT_EQ(GetPlayerLoanClub(player_), uint16_t(kSeller));
    EXPECT_GT(GetPlayerLoanPeriod(player_), 0);
    EXPECT_EQ(CountMessages(kLow, 4, player_), 1);
}

}  // namespace
