// The club money jobs: windfalls, the weekly balance check and the season's
// levy on rich computer clubs.
#include "core/club/clubmoney.h"

#include <cstring>

#include "core/base/bytes.h"
#include "core/club/playervalue.h"
#include "core/records/dates.h"
#include "core/season/messages.h"
#include "tests/core/club/management_fixture.h"

namespace {

class ClubMoneyTest : public ManagementTest {
  protected:
    // The season's last week: a club's forecast is the balance it last
    // recorded, so a club is poor or wealthy by that figure alone.
    static constexpr int16_t kDay = 358;
    void SetUp() override {
        ManagementTest::SetUp();
        SeasonCalendar.currentDay = kDay;
        std::memset(MessageArchive, 0xFF, sizeof MessageArchive);
        std::memset(UserInbox, 0xFF, sizeof UserInbox);
    }
    static int16_t Week() { return DaysToWeeks(kDay); }
    static bool HasMessage(int16_t club, int16_t type) {
        for (const MessageRecord& m : MessageArchive[club]) {
            if (recbits::LoadU16(m.bytes + kMsgType) == uint16_t(type)) return true;
        }
        for (const MessageRecord& m : UserInbox) {
            if (recbits::LoadU16(m.bytes + kMsgType) == uint16_t(type) &&
                recbits::LoadI16(m.bytes + kMsgClubA) == club)
                return true;
        }
        return false;
    }
    // A balance below 0 cannot be set through the accessors (they store 0);
    // only a stored record can hold one.
    static void SetRawBalance(int16_t club, int32_t balance) {
        uint32_t word;
        std::memcpy(&word, ClubRecords[club].bytes, 4);
        word = (word & ~0x0FFFFFFFu) | (uint32_t(balance) & 0x0FFFFFFFu);
        std::memcpy(ClubRecords[club].bytes, &word, 4);
    }
    // A club whose forecast leaves room for far more than the windfall's
    // wage limit.
    static void MakeWealthy(int16_t club) {
        SetClubBalance(club, 100000000);
        SetClubWeekLastBalance(club, 100000000, Week());
    }
};

TEST_F(ClubMoneyTest, LeagueClubsArePlayedNationsDivisionsBelowSixWithReputation) {
    MakeClub(5, 0, 5, 10);
    EXPECT_TRUE(IsComputerLeagueClub(5));
    SetClubControl(5, 1);
    EXPECT_TRUE(IsLeagueClub(5));
    EXPECT_FALSE(IsComputerLeagueClub(5));
    MakeClub(6, 0, 6, 10);
    EXPECT_FALSE(IsLeagueClub(6));
    SetClubNation(7, 0);  // never given a reputation
    EXPECT_FALSE(IsLeagueClub(7));
    EXPECT_FALSE(IsLeagueClub(-1));
    EXPECT_FALSE(IsLeagueClub(kClubCount));
}

TEST_F(ClubMoneyTest, WindfallPaysTheDrawnAmountAndBooksIt) {
    // Every club a poor computer club of division 1: the first draw is the
    // club, the second the amount.
    for (int16_t c = 0; c < kClubCount; ++c) MakeClub(c, 0, 1, 20);
    bool sawTenth = false;
    for (uint32_t seed = 1; seed < 400 && !sawTenth; ++seed) {
        GameSetRandomState(seed);
        const int16_t club = int16_t(GameRandom() % kClubCount);
        const int index = GameRandom() % kWindfallAmounts;
        GameSetRandomState(seed);
        const int32_t before = GetClubBalance(club);
        const int32_t weekBefore = GetClubWeekMiscIn(club, Week());
        const int32_t seasonBefore = GetClubSeasonMiscIn(club);
        ClubWindfallJob();
        const int32_t paid = GetClubBalance(club) - before;
        ASSERT_EQ(paid, ClubWindfallTable[1][index]) << "seed " << seed;
        EXPECT_EQ(GetClubWeekMiscIn(club, Week()) - weekBefore, paid);
        EXPECT_EQ(GetClubSeasonMiscIn(club) - seasonBefore, paid);
        EXPECT_TRUE(HasMessage(club, 9));
        if (index == 9) {
            EXPECT_EQ(paid, 5000000);
            sawTenth = true;
        }
    }
    EXPECT_TRUE(sawTenth);
}

TEST_F(ClubMoneyTest, WindfallFindsNothingOrAWealthyClubAndGivesNothing) {
    // No computer league club at all: the draw gives up, nothing changes.
    for (int16_t c = 0; c < kClubCount; ++c) {
        MakeClub(c, 0, 2, 20);
        SetClubControl(c, 1);
    }
    ClubWindfallJob();
    for (int16_t c = 0; c < kClubCount; ++c) ASSERT_EQ(GetClubBalance(c), 0);

    // Two computer clubs: a wealthy one and a poor one.  When the wealthy
    // one is drawn first the week passes without a windfall.
    constexpr int16_t kRich = 40, kPoor = 41;
    SetClubControl(kRich, 0);
    SetClubControl(kPoor, 0);
    MakeWealthy(kRich);
    int richFirst = 0, poorFirst = 0;
    for (uint32_t seed = 1; seed < 60; ++seed) {
        GameSetRandomState(seed);
        int16_t first = -1;
        for (int draw = 0; draw < kWindfallDraws && first < 0; ++draw) {
            const int16_t c = int16_t(GameRandom() % kClubCount);
            if (c == kRich || c == kPoor) first = c;
        }
        GameSetRandomState(seed);
        const int32_t rich = GetClubBalance(kRich), poor = GetClubBalance(kPoor);
        ClubWindfallJob();
        EXPECT_EQ(GetClubBalance(kRich), rich);
        if (first == kPoor) {
            ++poorFirst;
            EXPECT_GT(GetClubBalance(kPoor), poor);
        } else {
            ++richFirst;
            EXPECT_EQ(GetClubBalance(kPoor), poor) << "seed " << seed;
        }
    }
    EXPECT_GT(richFirst, 0);
    EXPECT_GT(poorFirst, 0);
    EXPECT_EQ(GetClubSeasonMiscIn(kRich), 0);
}

TEST_F(ClubMoneyTest, WeeklyCheckSkimsOnlyAboveEightyMillion) {
    MakeClub(10, 0, 0, 50);
    MakeClub(11, 0, 0, 50);
    SetClubControl(11, 1);  // human clubs are skimmed too
    SetClubNation(12, 0);  // no reputation: not a league club
    SetClubBalance(10, 80000000);
    SetClubBalance(12, 100000000);
    for (int round = 0; round < 200; ++round) {
        SetClubBalance(11, 80000001);
        SetClubSeasonMiscIn(11, 0);
        const int32_t seasonBefore = GetClubSeasonMiscIn(11);
        ClubBalanceWeeklyJob();
        const int64_t taken = 80000001 - GetClubBalance(11);
        ASSERT_GE(taken, int64_t(80000001) * 10 / 100);
        ASSERT_LE(taken, int64_t(80000001) * 24 / 100);
        ASSERT_EQ(GetClubSeasonMiscIn(11) - seasonBefore, taken);
    }
    EXPECT_EQ(GetClubBalance(10), 80000000);
    EXPECT_EQ(GetClubSeasonMiscIn(10), 0);
    EXPECT_EQ(GetClubBalance(12), 100000000);

    // The field's top balance: a percentage beyond 32 bits is still right.
    SetClubBalance(11, 134217727);
    ClubBalanceWeeklyJob();
    const int64_t taken = 134217727 - GetClubBalance(11);
    EXPECT_GE(taken, int64_t(134217727) * 10 / 100);
    EXPECT_LE(taken, int64_t(134217727) * 24 / 100);
}

TEST_F(ClubMoneyTest, ClubInTheRedListsItsMostValuablePlayer) {
    constexpr int16_t kClub = 20, kOther = 21;
    MakeClub(kClub, 0, 1, 40);
    MakeClub(kOther, 0, 1, 40);
    SetClubControl(kClub, 1);
    uint16_t players[6];
    for (int i = 0; i < 6; ++i) {
        players[i] = MakePlayer(kClub, int16_t(1 + i), 6, int16_t(40 + 5 * i));
        SetPlayerShirt(players[i], int16_t(i + 1));
    }
    // The best player is already listed and the next one is a loanee the
    // club does not own: the third best goes.
    const uint16_t listed = players[5], loanee = players[4], target = players[3];
    SetPlayerTxList(listed, 1);
    SetPlayerLoanClub(loanee, kOther);
    RebuildAllRosters();
    SetRawBalance(kClub, -5000);
    ASSERT_LT(GetClubBalance(kClub), 0);
    const int32_t value = ValuePlayer(target);
    ASSERT_GT(value, 0);

    ClubBalanceWeeklyJob();
    EXPECT_TRUE(HasMessage(kClub, 139));
    EXPECT_EQ(GetPlayerTxList(target), 1);
    EXPECT_EQ(GetPlayerMorale(target), 0);
    EXPECT_EQ(GetPlayerManPrice(target), value / 2);
    EXPECT_EQ(GetPlayerTxList(loanee), 0);
    EXPECT_EQ(GetPlayerMorale(players[2]), 40);
    EXPECT_EQ(GetClubBalance(kClub), -5000);  // no money changes hands

    // Next week the next best goes.
    ClubBalanceWeeklyJob();
    EXPECT_EQ(GetPlayerTxList(players[2]), 1);
}

TEST_F(ClubMoneyTest, ClubInTheRedWithNobodyToSellLosesNobody) {
    constexpr int16_t kClub = 22, kOther = 23;
    MakeClub(kClub, 0, 2, 30);
    MakeClub(kOther, 0, 2, 30);
    SetClubControl(kClub, 1);
    uint16_t players[4];
    for (int i = 0; i < 4; ++i) {
        players[i] = MakePlayer(kClub, int16_t(1 + i));
        SetPlayerShirt(players[i], int16_t(i + 1));
        if (i % 2 == 0)
            SetPlayerTxList(players[i], 1);
        else
            SetPlayerLoanClub(players[i], kOther);
    }
    RebuildAllRosters();
    SetRawBalance(kClub, -1);
    ClubBalanceWeeklyJob();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(GetPlayerMorale(players[i]), 40);
        EXPECT_EQ(GetPlayerManPrice(players[i]), -1);
    }
    EXPECT_EQ(GetPlayerTxList(players[1]), 0);
    EXPECT_EQ(GetPlayerTxList(players[3]), 0);
}

TEST_F(ClubMoneyTest, SeasonLevyTakesFromRichComputerClubsOnly) {
    // The order list's first places are read at the indices of clubs that
    // have a reputation: these clubs outside the leagues give them one.
    for (int16_t c = 0; c < 4; ++c) MakeClub(c, 0, 6, 3);
    MakeClub(30, 0, 0, 60);
    MakeClub(31, 0, 0, 59);
    MakeClub(32, 0, 0, 58);
    MakeClub(33, 0, 6, 57);  // outside the leagues
    SetClubControl(32, 1);
    SetClubBalance(30, 134217727);
    SetClubBalance(31, 62000000);
    SetClubBalance(32, 100000000);
    SetClubBalance(33, 100000000);
    SeasonEndRichClubLevy();
    const int64_t taken = 134217727 - GetClubBalance(30);
    EXPECT_GE(taken, int64_t(134217727) * 10 / 100);
    EXPECT_LE(taken, int64_t(134217727) * 24 / 100);
    EXPECT_EQ(GetClubBalance(31), 62000000);
    EXPECT_EQ(GetClubBalance(32), 100000000);
    EXPECT_EQ(GetClubBalance(33), 100000000);
    // Nothing is booked as income.
    EXPECT_EQ(GetClubSeasonMiscIn(30), 0);
}

TEST_F(ClubMoneyTest, RandomClubsAreSkimmedTenToTwentyFourPercent) {
    GameSetRandomState(77);
    constexpr int16_t kClubs = 200;
    int32_t before[kClubs];
    int skimmed = 0;
    for (int round = 0; round < 20; ++round) {
        for (int16_t c = 0; c < kClubs; ++c) {
            MakeClub(c, int16_t(GameRandom() % 9), int16_t(GameRandom() % 7), int16_t(GameRandom() % 64));
            SetClubControl(c, int16_t(GameRandom() % 4 == 0));
            SetClubBalance(c, int32_t(GameRandom()) * 4096 + GameRandom() % 4096);
            before[c] = GetClubBalance(c);
        }
        ClubBalanceWeeklyJob();
        for (int16_t c = 0; c < kClubs; ++c) {
            const int64_t taken = int64_t(before[c]) - GetClubBalance(c);
            if (!IsLeagueClub(c) || before[c] <= 80000000) {
                ASSERT_EQ(taken, 0);
                continue;
            }
            ++skimmed;
            ASSERT_GE(taken, int64_t(before[c]) * 10 / 100);
            ASSERT_LE(taken, int64_t(before[c]) * 24 / 100);
        }
    }
    EXPECT_GT(skimmed, 100);
}

}  // namespace
