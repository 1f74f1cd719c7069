// Match set-up: the rules by competition, the stadium, the crowd and its
// money, and the record crowds.
#include <gtest/gtest.h>

#include <vector>

#include "core/records/dates.h"
#include "core/records/referees.h"
#include "core/season/cuprounds.h"
#include "core/season/fixtures.h"
#include "core/season/matchsetup.h"
#include "tests/core/season/selection_fixture.h"
#include "tests/fakes/test_util.h"

using namespace gameinfo;

namespace {

constexpr int kSetupUnplayed = 31;

class MatchSetupTest : public SelectionTest {
  protected:
    void SetUp() override {
        SelectionTest::SetUp();
        for (int16_t club = 0; club < 4; ++club) {
            MakeClub(club, 0, 0, int16_t(20 + club));
            SetClubStandCapacity0(club, 10);
            SetClubStandCapacity1(club, 10);
            SetClubStandCapacity2(club, 5);
            SetClubStandCapacity3(club, 5);
            SetClubStandStyle0(club, 1);
            SetClubStandStyle1(club, 2);
            SetClubStandStyle2(club, 3);
            SetClubStandStyle3(club, 4);
            MakeSquad(club);
        }
        RebuildAllRosters();
        CurrentReferee = -1;
    }

    // Two keepers and sixteen outfield players.
    void MakeSquad(int16_t club) {
        for (int i = 0; i < 18; ++i) MakePlayer(club, int16_t(i < 2 ? 0 : 1 + i % 12));
    }

    static int16_t Word(int at) { return GameInfo.I16(at); }
    static int Byte(int at) { return GameInfo.U8(at); }

    // A cup round of country 0 whose match mode is (or is not) two legs.
    static bool FindRound(bool twoLegs, int* cup, int* round) {
        for (int k = 0; k < 4; ++k) {
            for (int r = 0; r < CupRoundCounts[0][k]; ++r) {
                if ((CupRoundRules.bytes[0][k][r][kCupMatchMode] == 2) == twoLegs) {
                    *cup = k;
                    *round = r;
                    return true;
                }
            }
        }
        return false;
    }
};

TEST_F(MatchSetupTest, FriendliesAllowFiveChangesOtherMatchesThree) {
    PutFixture(0, 0, kCompFriendly, 0, 1, kSetupUnplayed, kSetupUnplayed);
    PutFixture(1, 0, kCompLeague, 2, 3, kSetupUnplayed, kSetupUnplayed);
    PrepareClubMatch(0, 0, 1);
    EXPECT_EQ(Word(kNumAvailableSubs), 5);
    EXPECT_EQ(Word(kNumSubstitutionsAllowed), 5);
    EXPECT_EQ(Word(kDurationMinutes), 5);
    EXPECT_EQ(Word(kCompetition), kCompFriendly);
    PrepareClubMatch(1, 2, 3);
    EXPECT_EQ(Word(kNumAvailableSubs), 5);
    EXPECT_EQ(Word(kNumSubstitutionsAllowed), 3);
    EXPECT_EQ(Word(kDurationMinutes), 5);
    EXPECT_EQ(Byte(kExtraTime), 0);
    EXPECT_EQ(Byte(kPenalties), 0);
    EXPECT_EQ(Byte(kGoldenGoals), 0);
    EXPECT_EQ(Word(kPlayersLineUp), 0);
    const int16_t referee = Word(kRefereeNumber);
    EXPECT_GE(referee, 0);
    EXPECT_LE(referee, kMadeUpReferee);
}

TEST_F(MatchSetupTest, SecondLegsCarryTheFirstLegGoalsAndReplaysDoNot) {
    int cup, round;
    ASSERT_TRUE(FindRound(true, &cup, &round));
    // First leg 2-1 to club 1 at home; the second leg at club 0.
    PutFixture(0, 0, CupCode(cup, round), 1, 0, 2, 1);
    PutFixture(1, 5, CupCode(cup, round + 8), 0, 1, kSetupUnplayed, kSetupUnplayed);
    SeasonCalendar.currentDay = 5;
    PrepareClubMatch(1, 0, 1);
    EXPECT_EQ(MatchRuleWords.awayGoalsRule, 1);
    EXPECT_EQ(Byte(kAwayGoalsRule), 1);
    EXPECT_EQ(GameInfo.TeamI16(0, kOldGoals), 1);
    EXPECT_EQ(GameInfo.TeamI16(1, kOldGoals), 2);
    EXPECT_EQ(Byte(kExtraTime), CupRoundRules.bytes[0][cup][round][kCupSecondExtraTime]);

    // The first leg of a two-legged round decides nothing by penalties.
    PrepareClubMatch(0, 1, 0);
    EXPECT_EQ(Byte(kPenalties), 0);
    EXPECT_EQ(GameInfo.TeamI16(0, kOldGoals), 0);

    ASSERT_TRUE(FindRound(false, &cup, &round));
    PutFixture(2, 5, CupCode(cup, round), 2, 3, 1, 1);
    PutFixture(3, 9, CupCode(cup, round + 8), 3, 2, kSetupUnplayed, kSetupUnplayed);
    SeasonCalendar.currentDay = 9;
    PrepareClubMatch(3, 3, 2);
    EXPECT_EQ(Byte(kAwayGoalsRule), 0);
    EXPECT_EQ(GameInfo.TeamI16(0, kOldGoals), 0);
    EXPECT_EQ(GameInfo.TeamI16(1, kOldGoals), 0);
}

TEST_F(MatchSetupTest, PlayOffRules) {
    PutFixture(0, 0, kCompPlayOffFirst, 1, 0, 0, 3);
    PutFixture(1, 4, kCompPlayOffSecond, 0, 1, kSetupUnplayed, kSetupUnplayed);
    PutFixture(2, 4, kCompPlayOffFinal, 2, 3, kSetupUnplayed, kSetupUnplayed);
    PrepareClubMatch(0, 1, 0);  // country 0 plays its first legs plainly
    EXPECT_EQ(Byte(kExtraTime), 0);
    EXPECT_EQ(Byte(kPenalties), 0);
    SetClubNation(1, 2);
    PrepareClubMatch(0, 1, 0);  // country 2 plays them to a finish
    EXPECT_EQ(Byte(kExtraTime), 1);
    EXPECT_EQ(Byte(kPenalties), 1);
    SetClubNation(1, 0);

    SeasonCalendar.currentDay = 4;
    PrepareClubMatch(1, 0, 1);
    EXPECT_EQ(Byte(kAwayGoalsRule), 1);
    EXPECT_EQ(Byte(kExtraTime), 1);
    EXPECT_EQ(Byte(kPenalties), 1);
    EXPECT_EQ(GameInfo.TeamI16(0, kOldGoals), 3);
    EXPECT_EQ(GameInfo.TeamI16(1, kOldGoals), 0);

    PrepareClubMatch(2, 2, 3);
    EXPECT_EQ(Byte(kExtraTime), 1);
    EXPECT_EQ(Byte(kPenalties), 1);
    EXPECT_EQ(Byte(kAwayGoalsRule), 0);
}

TEST_F(MatchSetupTest, StadiumAndCrowdWords) {
    PutFixture(0, 0, kCompFirstNationalCup, 0, 1, kSetupUnplayed, kSetupUnplayed, int(kFixtureNeutralBit));
    PutFixture(1, 0, kCompLeague, 2, 3, kSetupUnplayed, kSetupUnplayed);
    PutFixture(2, 0, kCompReserveLeague, 1, 0, kSetupUnplayed, kSetupUnplayed);
    PrepareClubMatch(0, 0, 1);
    for (int stand = 0; stand < 4; ++stand) {
        EXPECT_EQ(Word(kStadiumLevel + 2 * stand), 7);
        EXPECT_EQ(Byte(kUnderConstruction + stand), 0);
    }
    EXPECT_EQ(Byte(kCrowdFill), 3);
    EXPECT_EQ(Word(kVenueFlag), 1);
    EXPECT_EQ(Word(kHomeSupport), 5);
    EXPECT_LE(Word(kCrowdSize), 10);

    SetClubStandCapacity3(2, 0);
    PrepareClubMatch(1, 2, 3);
    EXPECT_EQ(Word(kStadiumLevel), 1);
    EXPECT_EQ(Word(kStadiumLevel + 6), 4);
    EXPECT_EQ(Byte(kUnderConstruction + 3), 1);
    EXPECT_EQ(Byte(kUnderConstruction), 0);
    EXPECT_EQ(Word(kHomeSupport), 8);
    EXPECT_GE(Word(kCrowdSize), 3);
    EXPECT_LE(Word(kCrowdSize), 10);
    const int32_t total = 25000;
    const int fill = LastAttendance < total / 4       ? 0
                     : LastAttendance < total / 2     ? 1
                     : LastAttendance < total * 3 / 4 ? 2
                                                      : 3;
    EXPECT_EQ(Byte(kCrowdFill), fill);

    PrepareClubMatch(2, 1, 0);
    EXPECT_EQ(Word(kStadiumLevel), 0);
    EXPECT_EQ(Byte(kCrowdFill), 0);
    EXPECT_EQ(Word(kHomeSupport), 9);
    EXPECT_EQ(Word(kCrowdSize), 1);
}

TEST_F(MatchSetupTest, AttendanceNeverExceedsTheGround) {
    GameSeedRandom(99);
    SeasonCalendar.leagueStartDay[0] = 30;
    SeasonCalendar.leagueEndDay[0] = 300;
    const int16_t competitions[] = {0, 1, 3, 4, 20, 60, 70, 110, 117, 120};
    for (int i = 0; i < 4000; ++i) {
        for (int16_t club = 0; club < 2; ++club) {
            SetClubRep(club, int16_t(GameRandom() % 64));
            SetClubNation(club, int16_t(GameRandom() % 12));
            SetClubXCoord(club, int16_t(GameRandom() % 100));
            SetClubYCoord(club, int16_t(GameRandom() % 100));
            SetClubStandCapacity0(club, int16_t(GameRandom() % 30));
            SetClubStandCapacity1(club, int16_t(GameRandom() % 30));
            SetClubStandCapacity2(club, int16_t(GameRandom() % 30));
            SetClubStandCapacity3(club, int16_t(GameRandom() % 30));
        }
        SeasonCalendar.currentDay = int16_t(GameRandom() % 366);
        const bool neutral = GameRandom() % 2 == 0;
        PutFixture(0, SeasonCalendar.currentDay, competitions[GameRandom() % 10], 0, 1, kSetupUnplayed,
                   kSetupUnplayed, neutral ? int(kFixtureNeutralBit) : 0);
        ComputeAttendance(0);
        const int32_t capacity = neutral ? 78000
                                         : 1000 * (GetClubStandCapacity0(0) + GetClubStandCapacity1(0) +
                                                   GetClubStandCapacity2(0) + GetClubStandCapacity3(0));
        ASSERT_GE(LastAttendance, 0);
        ASSERT_LE(LastAttendance, capacity);
        ASSERT_EQ(int32_t(recbits::LoadU32(FixtureTable[0].bytes + kFixtureCrowdWord) & 0x7FFFFF),
                  LastAttendance);
        ASSERT_GE(AwaySupportShortfall, 0);
        ASSERT_LE(AwaySupportShortfall, 100);
    }
}

TEST_F(MatchSetupTest, LeagueGateAndBroadcastMoney) {
    SetClubStandCapacity0(0, 60);
    SetClubBalance(0, 1000);
    SetClubBalance(1, 2000);
    SeasonCalendar.currentDay = 20;
    SetClubAvgAttendance(0, 10000);
    PutFixture(0, 6, kCompLeague, 0, 2, 1, 0);
    PutFixture(1, 13, kCompLeague, 0, 3, 1, 1);
    PutFixture(2, 20, kCompLeague, 0, 1, kSetupUnplayed, kSetupUnplayed, int(kFixtureBroadcastBit));
    ComputeAttendance(2);
    const int64_t gate = 30 * int64_t(LastAttendance);  // country 0, division 0
    const int16_t week = DaysToWeeks(20);
    EXPECT_GT(LastAttendance, 0);
    EXPECT_EQ(GetClubBalance(0), 1000 + gate - gate * 17 / 100 + 400000);
    EXPECT_EQ(GetClubBalance(1), 2000 + 400000);
    EXPECT_EQ(GetClubWeekGateReceipts(0, week), gate);
    EXPECT_EQ(GetClubSeasonGateReceipts(0), gate);
    EXPECT_EQ(GetClubWeekMiscOut(0, week), gate * 17 / 100);
    EXPECT_EQ(GetClubWeekGateReceipts(1, week), 0);
    EXPECT_EQ(GetClubWeeksTVIncome(0, week), 400000);
    EXPECT_EQ(GetClubSeasonTVIncome(1), 400000);
    EXPECT_EQ(GetClubAvgAttendanceField(0), (10000 * 2 + LastAttendance) / 3);
    EXPECT_EQ(GetClubWeekLastBalance(0, week), GetClubBalance(0));

    // A cup tie: each club half the gate at its own price.
    SetClubDivision(1, 2);
    const int32_t before0 = GetClubBalance(0);
    const int32_t before1 = GetClubBalance(1);
    PutFixture(3, 20, CupCode(0, 0), 0, 1, kSetupUnplayed, kSetupUnplayed);
    ComputeAttendance(3);
    const int64_t half0 = 30 * int64_t(LastAttendance) / 2;
    const int64_t half1 = 4 * int64_t(LastAttendance) / 2;
    EXPECT_EQ(GetClubBalance(0), before0 + half0 - half0 * 17 / 100);
    EXPECT_EQ(GetClubBalance(1), before1 + half1 - half1 * 17 / 100);

    // A club of a nation outside the nine is paid nothing.
    SetClubNation(1, 20);
    const int32_t foreign = GetClubBalance(1);
    ComputeAttendance(3);
    EXPECT_EQ(GetClubBalance(1), foreign);
}

// The kept counts of league home fixtures before today average the crowds
// as the walk does: the day's first league crowd, another after a fixture
// added before today, and one of a later day with the table unchanged.
TEST_F(MatchSetupTest, KeptHomeCountsAverageTheCrowdsAsTheWalkDoes) {
    const auto slotOf = [](int day, int16_t home) {
        for (int16_t slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot)
            if (FixtureDay(slot) == day && FixtureHome(slot) == home) return slot;
        return int16_t(-1);
    };
    const auto play = [&](bool kept) {
        ClearFixtureTable();
        GameSeedRandom(7);
        for (int16_t club : {0, 3}) {
            SetClubStandCapacity0(club, 60);
            SetClubAvgAttendance(club, 10000);
        }
        const int16_t fixtures[][3] = {{6, 0, 2},  {13, 0, 3}, {13, 3, 0}, {20, 0, 1},
                                       {20, 3, 2}, {23, 0, 2}, {27, 0, 3}, {27, 3, 1}};
        for (const auto& f : fixtures) EXPECT_GE(AddFixture(f[0], kCompLeague, f[1], f[2], 0), 0);
        if (kept) KeepLeagueHomeCounts(true);
        std::vector<int32_t> averages;
        const auto crowd = [&](int day, int16_t home) {
            SeasonCalendar.currentDay = int16_t(day);
            ComputeAttendance(slotOf(day, home));
            averages.push_back(GetClubAvgAttendanceField(home));
        };
        crowd(20, 0);
        crowd(20, 3);
        EXPECT_GE(AddFixture(10, kCompLeague, 3, 1, 0), 0);
        crowd(20, 3);
        crowd(27, 0);
        crowd(27, 3);
        if (kept) KeepLeagueHomeCounts(false);
        return averages;
    };
    const std::vector<int32_t> walked = play(false);
    EXPECT_EQ(play(true), walked);
    // Club 3's second crowd of day 20 counts the home fixture added on day 10.
    ASSERT_EQ(walked.size(), 5u);
    EXPECT_NE(walked[2], walked[1]);
}

TEST_F(MatchSetupTest, RecordCrowds) {
    SetPlayerClub(1, 0);  // the user's club hears of its records
    const auto recordMessages = [] {
        int n = 0;
        const bool archived = (GetMessageDelivery(11) & kDeliverArchive) != 0;
        for (const MessageRecord& m : archived ? MessageArchive[0] : UserInbox)
            n += recbits::LoadU16(m.bytes + kMsgType) == 11;
        return n;
    };
    RecordCrowdCheck(0, 12000, 1);
    EXPECT_EQ(GetClubRecordCrowd(0), 12000);
    EXPECT_EQ(GetClubRecordLowCrowd(0), 12000);
    EXPECT_EQ(recordMessages(), 0);  // no news of records in the first season
    SeasonCalendar.season = 1;
    RecordCrowdCheck(0, 9000, 1);
    EXPECT_EQ(GetClubRecordCrowd(0), 12000);
    EXPECT_EQ(GetClubRecordLowCrowd(0), 9000);
    ClubHistoryEntry entries[10];
    EXPECT_EQ(FindClubHistoryEntry(0, entries), 0);
    RecordCrowdCheck(0, 15000, 2);
    EXPECT_EQ(GetClubRecordCrowd(0), 15000);
    EXPECT_EQ(GetClubRecordLowCrowd(0), 9000);
    EXPECT_EQ(recordMessages(), 1);
    ASSERT_EQ(FindClubHistoryEntry(0, entries), 1);
    EXPECT_EQ(ClubHistoryKind(entries[0]), 18);
}

TEST_F(MatchSetupTest, BadClubsEndTheProgram) {
    PutFixture(0, 0, kCompLeague, 0, 1, kSetupUnplayed, kSetupUnplayed);
    EXPECT_FATAL(PrepareClubMatch(0, 0, 1200), "PrepareClubMatch\\(\\): Error: club 1200");
    PutFixture(1, 0, kCompLeague, -1, 1, kSetupUnplayed, kSetupUnplayed);
    EXPECT_FATAL(ComputeAttendance(1), "ComputeAttendance\\(\\): Error: club -1");
}

}  // namespace
