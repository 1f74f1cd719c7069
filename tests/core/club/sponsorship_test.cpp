// The season's form figure and the season-roll sponsorship judgement.
#include "core/club/sponsorship.h"

#include <cstring>

#include "core/base/bytes.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/records/dates.h"
#include "core/season/clubseason.h"
#include "core/season/leagues.h"
#include "core/season/messages.h"
#include "tests/core/club/management_fixture.h"

namespace {

class SponsorshipTest : public ManagementTest {
  protected:
    static constexpr int16_t kDay = 100;
    static constexpr int16_t kClub = 50, kOther = 51;
    void SetUp() override {
        ManagementTest::SetUp();
        SeasonCalendar.currentDay = kDay;
        ClearFixtureTable();
        std::memset(MessageArchive, 0xFF, sizeof MessageArchive);
        std::memset(UserInbox, 0xFF, sizeof UserInbox);
        std::memset(LeagueTable, 0xFF, sizeof LeagueTable);
        MakeClub(kClub, 0, 0, 63);
        MakeClub(kOther, 0, 0, 40);
    }
    static void PutFixture(int slot, int day, int type, int16_t home, int16_t away, int homeGoals,
                           int awayGoals) {
        uint8_t* f = FixtureTable[slot].bytes;
        recbits::StoreU32(f + kFixtureHeadWord, uint32_t(day) | uint32_t(type) << 9);
        recbits::StoreU16(f + kFixtureHomeClub, uint16_t(home));
        recbits::StoreU16(f + kFixtureAwayClub, uint16_t(away));
        recbits::StoreU32(f + kFixtureScoreWord, uint32_t(homeGoals) | uint32_t(awayGoals) << 5);
    }
    static int32_t MessageMoney(int16_t club, int16_t type) {
        for (const MessageRecord& m : MessageArchive[club]) {
            if (recbits::LoadU16(m.bytes + kMsgType) == uint16_t(type))
                return recbits::LoadI32(m.bytes + kMsgMoney);
        }
        return -1;
    }
    // The club in its division's table at the given place.
    static void PlaceInTable(int16_t club, int16_t place) {
        LeagueTable[GetClubNation(club)][GetClubDivision(club)][0] = club;
        LeagueSeasonRecords[club].words[kSeasonPlace] = place;
    }
};

TEST_F(SponsorshipTest, SeasonFormCountsResultsGoalsAndModesty) {
    // Five matches anywhere are too few to judge.
    for (int i = 0; i < 5; ++i) PutFixture(i, 10 + i, kCompLeague, kClub, kOther, 3, 0);
    EXPECT_EQ(SeasonFormScore(kClub), 30);
    // Friendlies and matches from today on do not count.
    PutFixture(5, 20, kCompFriendly, kClub, kOther, 0, 5);
    PutFixture(6, kDay, kCompLeague, kClub, kOther, 0, 5);
    EXPECT_EQ(SeasonFormScore(kClub), 30);
    // Six: won 4 (3-0 x3 at home, 1-0 away), drawn 1, lost 1 away;
    // goals 10 for and 5 against give (66 - 20) x 2 twice, a reputation of
    // 63 nothing: 184 x 60 / 400.
    PutFixture(3, 13, kCompLeague, kOther, kClub, 0, 1);
    PutFixture(4, 14, kCompLeague, kOther, kClub, 5, 0);
    PutFixture(7, 15, kCompLeague, kOther, kClub, 1, 1);
    EXPECT_EQ(SeasonFormScore(kClub), 27);
    // A club that played none of them: only its modesty counts.
    EXPECT_EQ(SeasonFormScore(kOther + 1), (63 * 100 / 63) / 2 * 60 / 400);
    SetClubRep(kOther + 1, 63);
    EXPECT_EQ(SeasonFormScore(kOther + 1), 0);
    // All lost: negative sums give 0.
    for (int i = 0; i < 8; ++i) PutFixture(i, 10 + i, kCompLeague, kOther, kClub, 4, 0);
    EXPECT_EQ(SeasonFormScore(kClub), 0);
}

TEST_F(SponsorshipTest, RandomSeasonsStayInRange) {
    GameSetRandomState(5);
    for (int round = 0; round < 50; ++round) {
        ClearFixtureTable();
        const int count = GameRandom() % 40;
        for (int i = 0; i < count; ++i) {
            const int16_t home = int16_t(kClub + GameRandom() % 3), away = int16_t(kClub + GameRandom() % 3);
            PutFixture(i, GameRandom() % 200, GameRandom() % 128, home, away, GameRandom() % 31,
                       GameRandom() % 31);
        }
        SetClubRep(kClub, int16_t(3 + GameRandom() % 61));
        const int16_t score = SeasonFormScore(kClub);
        ASSERT_GE(score, 0);
        ASSERT_LE(score, 60);
    }
}

TEST_F(SponsorshipTest, ClubAtItsExpectedPlaceIsPaidAndBooked) {
    // Base place 5 in division 0: standing class 6, the full 10,000,000.
    SetClubBaseRep(kClub, 5);
    ASSERT_EQ(HVW_GetClubStandingClass(kClub), 6);
    PlaceInTable(kClub, 5);
    SetClubBalance(kClub, 0);
    // No fixtures: form 30; no money and no ranking: 0 and 0.
    PaySeasonSponsorship();
    const int32_t payment = 10000000 / 200 * 30;
    EXPECT_EQ(GetClubBalance(kClub), payment);
    EXPECT_EQ(GetClubSeasonSponsorship(kClub), payment);
    EXPECT_EQ(GetClubWeeksSponsorship(kClub, DaysToWeeks(kDay)), payment);
    EXPECT_EQ(MessageMoney(kClub, 102), payment);
}

TEST_F(SponsorshipTest, ANothingSeasonPaysNothingButStillSaysSo) {
    SetClubBaseRep(kClub, 10);
    PlaceInTable(kClub, 3);
    for (int i = 0; i < 8; ++i) PutFixture(i, 10 + i, kCompLeague, kOther, kClub, 4, 0);
    ASSERT_EQ(SeasonFormScore(kClub), 0);
    PaySeasonSponsorship();
    EXPECT_EQ(GetClubBalance(kClub), 0);
    EXPECT_EQ(GetClubSeasonSponsorship(kClub), 0);
    EXPECT_EQ(MessageMoney(kClub, 102), 0);
}

TEST_F(SponsorshipTest, FallingShortCostsTheManagerReputationPerPlace) {
    const uint16_t manager = MakePlayer(kClub, 13, 20);
    SetPlayerReputation(manager, 40);
    RebuildAllRosters();
    ASSERT_EQ(FindClubManager(kClub), manager);
    SetClubBaseRep(kClub, 4);
    PlaceInTable(kClub, 11);
    PaySeasonSponsorship();
    EXPECT_EQ(GetPlayerReputation(manager), 33);
    EXPECT_EQ(GetClubBalance(kClub), 0);
    EXPECT_EQ(GetClubSeasonSponsorship(kClub), 0);
    EXPECT_EQ(MessageMoney(kClub, 102), -1);
    // Never below 0.
    SetPlayerReputation(manager, 2);
    PaySeasonSponsorship();
    EXPECT_EQ(GetPlayerReputation(manager), 0);
}

TEST_F(SponsorshipTest, PaidAtTheSeasonRollBooksTheSeasonOnly) {
    SeasonCalendar.currentDay = 366;
    SetClubBaseRep(kClub, 5);
    PlaceInTable(kClub, 1);
    const int16_t lastWeek = kFinanceWeeks - 1;
    PaySeasonSponsorship();
    EXPECT_GT(GetClubSeasonSponsorship(kClub), 0);
    EXPECT_EQ(GetClubWeeksSponsorship(kClub, lastWeek), 0);
}

// The expected place: nation 2 with three divisions of four clubs, clubs
// 300..311 in reputation order, four to a division.
class ExpectedPlaceTest : public SponsorshipTest {
  protected:
    static constexpr int16_t kNation = 2, kFirst = 300;
    void SetUp() override {
        SponsorshipTest::SetUp();
        std::memcpy(savedLayout_, DivisionLayout, sizeof savedLayout_);
        for (int d = 0; d < kDivisionCount; ++d) DivisionLayout[kNation][d] = {uint16_t(d < 3 ? 4 : 0), 0, 0};
        for (int i = 0; i < 12; ++i)
            MakeClub(int16_t(kFirst + i), kNation, int16_t(i / 4), int16_t(60 - 3 * i));
    }
    void TearDown() override { std::memcpy(DivisionLayout, savedLayout_, sizeof savedLayout_); }
    // Reputation place 0..11 and last season's place counted from 1 in the
    // nation's ladder, as the season's end stores it.
    static int16_t Expected(int16_t club, int16_t lastSeasonPlace) {
        SetClubCoach(club, 0, lastSeasonPlace, 0);
        ComputeClubBaseRep(club);
        return int16_t(GetClubBaseRep(club));
    }
    DivisionLayoutEntry savedLayout_[kCountryCount][kDivisionCount];
};

TEST_F(ExpectedPlaceTest, FirstSeasonGoesByReputationWithinTheDivision) {
    // Division 1: places 4..7 of the ladder, middle 6, half 2.
    const int16_t club = kFirst + 5;
    ASSERT_EQ(HVW_GetClubReputationPos(club, kNation), 5);
    EXPECT_EQ(Expected(kFirst + 7, 31), 3);
    EXPECT_EQ(Expected(club, 31), 1);
    SetClubRep(club, 63);  // the best known club of the nation
    EXPECT_EQ(Expected(club, 31), 1);
    SetClubRep(club, 3);  // the least known
    EXPECT_EQ(Expected(club, 31), 4);
}

TEST_F(ExpectedPlaceTest, LaterSeasonsWeighWhereTheClubFinished) {
    SeasonCalendar.year = 2003;
    const int16_t club = kFirst + 5;  // reputation place 5
    // Finished in the band: its place in the division by reputation; the
    // bottom club of the band (8th from the top) is not taken for promoted.
    EXPECT_EQ(Expected(club, 6), 1);
    EXPECT_EQ(Expected(club, 8), 1);
    // Came up from below: half the division while among the band's top
    // four by reputation, else the bottom.
    EXPECT_EQ(Expected(club, 9), 2);
    SetClubRep(club, 14);  // place 11
    EXPECT_EQ(Expected(club, 12), 4);
    // Came down from above: near the top when well known, else half.
    SetClubRep(club, 45);  // place 5
    EXPECT_EQ(Expected(club, 4), 1);
    SetClubRep(club, 31);  // place 9
    EXPECT_EQ(Expected(club, 1), 2);
    // Better known than the division: 1 after the top half, else half.
    SetClubRep(club, 63);
    EXPECT_EQ(Expected(club, 7), 1);
    EXPECT_EQ(Expected(club, 8), 2);
    // Less known than the division: the bottom.
    SetClubRep(club, 3);
    EXPECT_EQ(Expected(club, 6), 4);
}

TEST_F(ExpectedPlaceTest, EveryLeagueClubGetsAPlaceAndOthersAreLeftAlone) {
    MakeClub(320, kNation, 6, 30);
    SetClubBaseRep(320, 17);
    SetClubBaseRep(kFirst, 20);
    UpdateAllClubsBaseRep();
    for (int i = 0; i < 12; ++i) EXPECT_EQ(GetClubBaseRep(int16_t(kFirst + i)), i % 4) << i;
    EXPECT_EQ(GetClubBaseRep(320), 17);
    // A club outside the leagues is refused without ending the game.
    ComputeClubBaseRep(320);
    ComputeClubBaseRep(-1);
    EXPECT_EQ(GetClubBaseRep(320), 17);
}

}  // namespace
