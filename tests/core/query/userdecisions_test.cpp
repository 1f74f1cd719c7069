// The user's signings and sales, job applications and the job lists.
#include <cstring>

#include "core/base/bytes.h"
#include "core/club/board.h"
#include "core/club/transfers.h"
#include "core/query/people.h"
#include "core/query/userdecisions.h"
#include "core/records/frontstate.h"
#include "core/records/honours.h"
#include "core/season/leagues.h"
#include "tests/core/records/records_fixture.h"

namespace {

using recbits::LoadU16;

constexpr int16_t kUser = 20;
constexpr int16_t kOther = 21;
constexpr int16_t kThird = 22;

class UserTransferTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        std::memset(TransferRecords, 0xFF, sizeof TransferRecords);
        TransferRecordIndex = 0;
        for (auto& slot : PlayerSeasonStatSlots) std::memset(slot.bytes, 0xFF, sizeof slot.bytes);
        JobApplicationRecord = {65535, 65535, 65535};
        SackedClub = kNoClub;
        for (int16_t c : {kUser, kOther, kThird}) {
            SetClubNation(c, 0);
            SetClubRep(c, 10);
        }
        Sign(1, kUser);  // the user
        SetPlayerPosition(1, 13);
    }

    static void Sign(uint16_t p, int16_t club) {
        SetPlayerClub(p, club);
        SetPlayerLoanClub(p, club);
        if (club >= 0 && club < kClubCount) {
            for (uint16_t& slot : ClubRoster[club]) {
                if (slot == 0) {
                    slot = p;
                    break;
                }
            }
        }
    }
    static int StatsSlotOf(uint16_t p) {
        for (int s = 0; s < kPlayerSeasonStatSlots; ++s) {
            if (LoadU16(PlayerSeasonStatSlots[s].bytes) == p) return s;
        }
        return -1;
    }
    // The newest message of the user's inbox.
    static const uint8_t* LatestMessage() { return UserInbox[0].bytes; }
    static int16_t Field16(const uint8_t* m, int offset) { return int16_t(LoadU16(m + offset)); }
};

// --- completing the user's bid ---------------------------------------------------

TEST_F(UserTransferTest, BidForAFreeAgentPostsASigningWithoutAClub) {
    SetPlayerClub(40, -1);
    SetPlayerLoanClub(40, -1);
    SetPlayerAge(40, 9);
    SetPlayerPosition(40, 11);
    SetClubBid(kOther, 2, 40, 500, 0);
    HVW_CompleteUserBid(40);
    const uint8_t* m = LatestMessage();
    EXPECT_EQ(Field16(m, kMsgType), 152);
    EXPECT_EQ(recbits::LoadI32(m + kMsgNumber1), 25);  // his age shown
    EXPECT_EQ(Field16(m, kMsgText1), 300 + HVW_GetPositionType(40));
    EXPECT_EQ(GetPlayerClub(40), uint16_t(kUser));
    EXPECT_EQ(GetClubBidPlayer(kOther, 2), 0u);  // every club's bid withdrawn
    EXPECT_GE(StatsSlotOf(40), 0);
}

TEST_F(UserTransferTest, BidPricePaysAndNamesTheSeller) {
    Sign(41, kOther);
    SetClubBalance(kUser, 5000000);
    SetClubBid(kUser, 0, 99, 300, 0);
    SetClubBid(kUser, 3, 41, 12000, 0);  // 1,200,000 in hundreds
    HVW_CompleteUserBid(41);
    const uint8_t* m = LatestMessage();
    EXPECT_EQ(Field16(m, kMsgType), 0);
    EXPECT_EQ(Field16(m, kMsgClubA), kUser);
    EXPECT_EQ(Field16(m, kMsgClubB), kOther);
    EXPECT_EQ(recbits::LoadI32(m + kMsgMoney), 1200000);
    EXPECT_EQ(GetClubBalance(kUser), 3800000);
    EXPECT_EQ(GetPlayerClub(41), uint16_t(kUser));
    // The transfer log holds the deal.
    int32_t bought, sold;
    int16_t boughtN, soldN;
    HVW_GetClubTransferTotals(kUser, &bought, &boughtN, &sold, &soldN);
    EXPECT_EQ(bought, 1200000);
    EXPECT_EQ(boughtN, 1);
    HVW_GetClubTransferTotals(kOther, &bought, &boughtN, &sold, &soldN);
    EXPECT_EQ(sold, 1200000);
    EXPECT_EQ(soldN, 1);
    EXPECT_EQ(boughtN, 0);
}

TEST_F(UserTransferTest, PlayerWithoutABidComesForNothing) {
    Sign(42, kOther);
    HVW_CompleteUserBid(42);
    EXPECT_EQ(Field16(LatestMessage(), kMsgType), 5);
    EXPECT_EQ(GetPlayerClub(42), uint16_t(kUser));
}

// --- squad statistics records ------------------------------------------------------

TEST_F(UserTransferTest, StatsRecordsFollowPlayersInAndOutOfTheUsersClub) {
    Sign(43, kOther);
    HVW_MovePlayerToClub(43, kUser, 0, 0);
    const int slot = StatsSlotOf(43);
    ASSERT_EQ(slot, 0);
    HVW_MovePlayerToClub(43, kThird, 0, 0);
    EXPECT_EQ(StatsSlotOf(43), -1);
    EXPECT_EQ(LoadU16(PlayerSeasonStatSlots[slot].bytes), 0xFFFF);
    // A move between two computer clubs touches no record.
    uint8_t before[sizeof PlayerSeasonStatSlots];
    std::memcpy(before, PlayerSeasonStatSlots, sizeof before);
    HVW_MovePlayerToClub(43, kOther, 0, 0);
    EXPECT_EQ(std::memcmp(before, PlayerSeasonStatSlots, sizeof before), 0);
    EXPECT_EQ(GetPlayerClub(43), uint16_t(kOther));
}

TEST_F(UserTransferTest, FullStatsRecordsGiveNone) {
    for (int s = 0; s < kPlayerSeasonStatSlots; ++s) ResetPlayerSeasonStats(int16_t(s), uint16_t(50 + s));
    Sign(44, kOther);
    HVW_MovePlayerToClub(44, kUser, 0, 0);
    EXPECT_EQ(StatsSlotOf(44), -1);
    EXPECT_EQ(GetPlayerClub(44), uint16_t(kUser));
}

// --- manager jobs -------------------------------------------------------------------

TEST_F(UserTransferTest, JobApplicationOutcomes) {
    MenuCurrentPlayer = 1;
    SetClubRep(kOther, 10);
    SetPlayerReputation(1, 21);
    EXPECT_EQ(HVW_ApplyForManagerJob(kOther, 1), 1);  // over-qualified
    SetPlayerReputation(1, 4);
    EXPECT_EQ(HVW_ApplyForManagerJob(kOther, 1), 0);
    SetPlayerReputation(1, 10);
    EXPECT_EQ(HVW_ApplyForManagerJob(kOther, 0), 0);  // only asking
    EXPECT_EQ(JobApplicationRecord.club, 65535);
    EXPECT_EQ(HVW_ApplyForManagerJob(kOther, 1), 2);
    EXPECT_EQ(JobApplicationRecord.club, uint16_t(kOther));
    EXPECT_GE(JobApplicationRecord.day, 2);
    EXPECT_LE(JobApplicationRecord.day, 13);
    // The club that sacked him will not take him back.
    SackedClub = kThird;
    EXPECT_EQ(HVW_ApplyForManagerJob(kThird, 1), 0);
}

TEST_F(UserTransferTest, VacanciesListClubsWithoutAManagerOrWithACaretaker) {
    // Country 5 plays two divisions; club 103 is not in the game.
    for (int16_t c : {100, 101, 102, 104, 105}) {
        SetClubNation(c, 0);
        SetClubDivision(c, 1);
        SetClubRep(c, 5);
    }
    SetClubDivision(102, 3);  // below the two divisions of country 5
    Sign(60, 104);
    SetPlayerPosition(60, 13);  // a manager
    Sign(61, 105);
    SetPlayerPosition(61, 13);
    SetPlayerCaretaker(61, 1);
    SetClubNation(101, 40);  // a foreign club
    int16_t list[kClubCount];
    // The user manages his club; the other two clubs of the fixture have nobody.
    EXPECT_EQ(HVW_ListManagerVacancies(list, 5), 4);
    EXPECT_EQ(list[0], kOther);
    EXPECT_EQ(list[1], kThird);
    EXPECT_EQ(list[2], 100);
    EXPECT_EQ(list[3], 105);
    for (int i = 4; i < kClubCount; ++i) ASSERT_EQ(list[i], -1);
    // A country without divisions offers nothing.
    EXPECT_EQ(HVW_ListManagerVacancies(list, 9), 0);
    EXPECT_EQ(list[0], -1);
}

TEST_F(UserTransferTest, TransferTotalsOfOtherClubsAndBadNumbers) {
    int32_t bought = 7, sold = 7;
    int16_t boughtN = 7, soldN = 7;
    HVW_GetClubTransferTotals(1200, &bought, &boughtN, &sold, &soldN);
    EXPECT_EQ(bought + sold + boughtN + soldN, 0);
    // Many large fees saturate rather than wrap.
    for (int i = 0; i < 3; ++i) {
        uint8_t* r = TransferRecords[i].bytes;
        recbits::StoreU16(r, uint16_t(kOther));
        recbits::StoreU16(r + 2, uint16_t(kUser));
        recbits::StoreU32(r + 6, 2000000000u);
    }
    HVW_GetClubTransferTotals(kUser, &bought, &boughtN, &sold, &soldN);
    EXPECT_EQ(bought, INT32_MAX);
    EXPECT_EQ(boughtN, 3);
    EXPECT_EQ(soldN, 0);
}

}  // namespace
