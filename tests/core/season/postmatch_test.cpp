// Post-match club jobs: discipline, clean sheets, records, reserve
// averages, fatigue and the fixture's line-up.
#include <gtest/gtest.h>

#include "core/match/matchresult.h"
#include "core/records/honours.h"
#include "core/season/fixtures.h"
#include "core/season/messagetypes.h"
#include "core/season/postmatch.h"
#include "tests/core/season/selection_fixture.h"

using namespace gameinfo;

namespace {

constexpr int kPostMatchUnplayed = 31;

class PostMatchTest : public SelectionTest {
  protected:
    void SetUp() override {
        SelectionTest::SetUp();
        MakeClub(0, 0, 0, 30);
        MakeClub(1, 0, 0, 30);
        std::memset(&MatchResult, 0, sizeof MatchResult);
        for (int side = 0; side < 2; ++side) {
            recbits::StoreU16(MatchResult.teams[side].bytes + kReportManOfTheMatch, 0xFFFF);
            for (int slot = 0; slot < 11; ++slot) {
                const uint16_t p = MakePlayer(int16_t(side), int16_t(slot == 0 ? 0 : 5));
                SetPlayerShirt(p, int16_t(slot + 1));
                SetPlayerIntShirt(p, int16_t(slot + 1));
                TeamSheet[side][slot] = p;
                GameInfo.SetI16(PlayerInfoAt(side, slot) + kPlayerShirt, int16_t(slot + 1));
                GameInfo.SetI16(PlayerInfoAt(side, slot) + kPlayerPosition, int16_t(slot == 0 ? 0 : 5));
                Report(side, slot, kPlayerNumber, p);
                Report(side, slot, kPlayerRating, 70);
            }
        }
        MatchDaySwitch = 0;
        MatchDayMode = 1;
        SeasonCalendar.currentDay = 50;
        PutFixture(0, 50, kCompLeague, 0, 1, 1, 0);
    }

    static void Report(int side, int slot, int field, int value) {
        recbits::StoreU16(MatchPlayerReport(side, slot) + field, uint16_t(value));
    }
    static void Score(int home, int away) {
        recbits::StoreU16(MatchResult.teams[0].bytes + kReportGoals, uint16_t(home));
        recbits::StoreU16(MatchResult.teams[1].bytes + kReportGoals, uint16_t(away));
    }
    static int Messages(int16_t club, int type) {
        const bool archived = (GetMessageDelivery(int16_t(type)) & kDeliverArchive) != 0;
        int n = 0;
        for (const MessageRecord& m : archived ? MessageArchive[club] : UserInbox)
            n += recbits::LoadU16(m.bytes + kMsgType) == type;
        return n;
    }
    static const MessageRecord* Find(int16_t club, int type) {
        for (const MessageRecord& m : MessageArchive[club]) {
            if (recbits::LoadU16(m.bytes + kMsgType) == type) return &m;
        }
        return nullptr;
    }
    uint16_t P(int side, int slot) const { return TeamSheet[side][slot]; }
};

TEST_F(PostMatchTest, ABookingOnSixUnitsBringsAOneMatchBan) {
    Score(1, 0);
    SetPlayerDispoints(P(0, 4), 6);
    Report(0, 4, kPlayerCards, 1);
    PostMatchClubJob(0, 0, kCompLeague, 0);
    EXPECT_EQ(GetPlayerDispoints(P(0, 4)), 7);
    EXPECT_EQ(GetPlayerSusp(P(0, 4)), 1);
    EXPECT_EQ(GetPlayerBanWait(P(0, 4)), 2);
    if ((GetMessageDelivery(92) & kDeliverArchive) != 0) {
        const MessageRecord* m = Find(0, 92);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(int32_t(recbits::LoadU32(m->bytes + kMsgNumber1)), 1);
        EXPECT_EQ(int32_t(recbits::LoadU32(m->bytes + kMsgNumber2)), 21);
    }
    EXPECT_EQ(GetClubSeasonDispoints(0), 1);
}

TEST_F(PostMatchTest, ASecondBookingOnFiveUnitsBringsBothBans) {
    Score(0, 1);
    SetPlayerDispoints(P(0, 6), 5);
    Report(0, 6, kPlayerCards, 2);
    PostMatchClubJob(0, 0, kCompLeague, 0);
    EXPECT_EQ(GetPlayerDispoints(P(0, 6)), 7);
    EXPECT_EQ(GetPlayerSusp(P(0, 6)), 2);
    EXPECT_EQ(Messages(0, 93), 1);
    EXPECT_EQ(Messages(0, 92), 1);
    ClubHistoryEntry entries[4];
    ASSERT_EQ(FindClubHistoryEntry(0, entries), 1);
    EXPECT_EQ(ClubHistoryKind(entries[0]), 7);
}

TEST_F(PostMatchTest, EuropeanFriendlyAndNationalCardsLeaveDomesticPointsAlone) {
    Score(1, 1);
    SetPlayerDispoints(P(1, 3), 6);
    Report(1, 3, kPlayerCards, 1);
    PutFixture(1, 50, 75, 0, 1, 1, 1);
    PostMatchClubJob(1, 1, 75, 1);
    EXPECT_EQ(GetPlayerDispoints(P(1, 3)), 6);
    EXPECT_EQ(GetPlayerEuroDispoints(P(1, 3)), 1);
    EXPECT_EQ(GetPlayerSusp(P(1, 3)), 0);
    Report(1, 3, kPlayerCards, 3);
    PostMatchClubJob(1, 1, kCompFriendly, -1);
    PostMatchClubJob(1, 1, kCompNationalTeam, -1);
    EXPECT_EQ(GetPlayerDispoints(P(1, 3)), 6);
    EXPECT_EQ(GetPlayerSusp(P(1, 3)), 0);
    EXPECT_EQ(GetPlayerEuroDispoints(P(1, 3)), 1);
    EXPECT_EQ(GetPlayerCaps89(P(1, 3)), 1);  // the national day counts a cap
}

TEST_F(PostMatchTest, ACleanSheetCountsAGoalForTheKeeperAndPaysTheBonus) {
    Score(0, 0);
    for (int slot = 0; slot < 11; ++slot) SetPlayerClause5(P(0, slot), 1000);
    SetPlayerShirt(P(0, 10), 14);  // a substitute's shirt: no bonus
    SetClubBalance(0, 100000);
    PostMatchClubJob(0, 0, kCompLeague, 0);
    EXPECT_EQ(GetPlayerGoals(P(0, 0)), 1);
    EXPECT_EQ(GetPlayerGoals(P(0, 1)), 0);
    EXPECT_EQ(GetClubBalance(0), 100000 - 10 * 1000);
    EXPECT_EQ(GetClubSeasonBonuses(0), 10000);
    // A goalless draw is no record.
    EXPECT_EQ(GetClubRecordWinGoalsFor(0), 0);
    EXPECT_EQ(GetClubRecordDefeatGoalsAgainst(0), 0);
}

TEST_F(PostMatchTest, RecordsFollowTheWinnersJob) {
    Score(4, 0);
    SeasonCalendar.season = 1;
    SetClubRep(1, 3);  // the lowest a club may hold
    PostMatchClubJob(1, 1, kCompLeague, 0);  // the loser's job changes no record
    EXPECT_EQ(GetClubRecordWinGoalsFor(0), 0);
    PostMatchClubJob(0, 0, kCompLeague, 0);
    EXPECT_EQ(GetClubRecordWinGoalsFor(0), 4);
    EXPECT_EQ(GetClubRecordDefeatGoalsAgainst(1), 4);
    EXPECT_EQ(GetClubRep(0), 31);
    EXPECT_EQ(GetClubRep(1), 3);  // never lower
    EXPECT_EQ(Messages(0, kMsgRecordWin), 1);
    EXPECT_EQ(Messages(1, kMsgRecordDefeat), 1);

    // The first season's records are kept, but they are no news and leave
    // the reputations alone.
    SeasonCalendar.season = 0;
    SetClubRep(1, 10);
    Score(6, 0);
    PostMatchClubJob(0, 0, kCompLeague, 0);
    EXPECT_EQ(GetClubRecordWinGoalsFor(0), 6);
    EXPECT_EQ(GetClubRecordDefeatGoalsAgainst(1), 6);
    EXPECT_EQ(GetClubRep(0), 31);
    EXPECT_EQ(GetClubRep(1), 10);
    EXPECT_EQ(Messages(0, kMsgRecordWin), 1);
    EXPECT_EQ(Messages(1, kMsgRecordDefeat), 1);
}

TEST_F(PostMatchTest, TheLineUpIsWrittenEvenForPlayersWhoDidNotPlay) {
    Score(2, 1);
    Report(0, 3, kPlayerRating, 0);
    Report(0, 5, kPlayerGoals, 2);
    Report(0, 5, kPlayerCards, 1);
    recbits::StoreU16(MatchResult.teams[0].bytes + kReportManOfTheMatch, P(0, 5));
    const int apps = GetPlayerApps(P(0, 3));
    PostMatchClubJob(0, 0, kCompLeague, 0);
    const uint8_t* lineUp = FixtureTable[0].bytes + kFixtureLineUps;
    EXPECT_EQ(recbits::LoadU16(lineUp + 6 * 3), P(0, 3));
    EXPECT_EQ(lineUp[6 * 3 + 2], 0);
    EXPECT_EQ(GetPlayerApps(P(0, 3)), apps);  // nothing else for him
    EXPECT_EQ(lineUp[6 * 5 + 2], 70);
    EXPECT_EQ(lineUp[6 * 5 + 3], 2 | 0x20 | 0x80);
    EXPECT_EQ(recbits::LoadU16(lineUp + 6 * 12), 0xFFFF);  // no player there
    EXPECT_EQ(GetPlayerMoM(P(0, 5)), 1);
    EXPECT_EQ(GetPlayerGoals(P(0, 5)), 2);
}

TEST_F(PostMatchTest, TheClubSeasonBlocksTakeTheSidesReport) {
    Score(1, 2);
    ResetClubSeasonCounters(1);
    ResetClubSeasonEntries(1);
    std::memset(ClubRecords[1].bytes + kClubSeasonPairsOffset, 255, 2 * kClubSeasonPairs);
    uint8_t* away = MatchResult.teams[1].bytes;
    // The keeper's squad entry is 0: a pair ends only on its score.
    const uint8_t pairs[] = {0, 60, 4, 70, 255, 0};
    std::memcpy(away + kReportPairList, pairs, sizeof pairs);
    recbits::StoreU16(away + kReportCounters, 2);
    recbits::StoreU16(away + kReportGoalCount, 1);
    recbits::StoreU16(away + kReportGoalList, P(1, 9));
    recbits::StoreU16(MatchResult.teams[0].bytes + kReportGoalCount, 1);
    recbits::StoreU16(MatchResult.teams[0].bytes + kReportGoalList, P(0, 4));
    PostMatchClubJob(1, 1, kCompLeague, 0);
    const uint8_t* club = ClubRecords[1].bytes;
    const uint8_t logged[] = {0, 60, 4, 70, 255};
    EXPECT_EQ(std::memcmp(club + kClubSeasonPairsOffset, logged, sizeof logged), 0);
    EXPECT_EQ(recbits::LoadU16(club + kClubSeasonCountersOffset), 0);       // home block
    EXPECT_EQ(recbits::LoadU16(club + kClubSeasonCountersOffset + 20), 2);  // away block
    EXPECT_EQ(recbits::LoadU16(club + kClubSeasonEntriesOffset), P(1, 9));
    EXPECT_EQ(recbits::LoadU16(club + kClubSeasonEntriesOffset + 8), P(0, 4));
}

TEST_F(PostMatchTest, HighFatigueKeepsAPlayerOut) {
    Score(1, 0);
    Report(0, 7, kPlayerWorkload, 90);
    SetPlayerFatigue(P(0, 7), 50);
    SetPlayerAge(P(0, 7), 14);
    PostMatchClubJob(0, 0, kCompLeague, 0);
    EXPECT_GT(GetPlayerFatigue(P(0, 7)), 45);
    EXPECT_EQ(GetPlayerIT(P(0, 7)), 8);
    EXPECT_GE(GetPlayerIP(P(0, 7)), 5);
    EXPECT_LE(GetPlayerIP(P(0, 7)), 11);
}

TEST_F(PostMatchTest, AFirstReserveAppearanceSetsTheReserveAverage) {
    Score(0, 2);
    Report(1, 2, kPlayerRating, 64);
    PostMatchClubJobShort(1, 1, kCompReserveLeague, 0);
    EXPECT_EQ(GetPlayerPerf2(P(1, 2)), 64);
    EXPECT_EQ(GetPlayerField108A(P(1, 2)), 1);
    EXPECT_EQ(GetPlayerGoals2(P(1, 0)), 1);  // the keeper's clean sheet
    EXPECT_EQ(GetPlayerApps(P(1, 2)), 0);
}

TEST_F(PostMatchTest, DisciplinaryThresholdsApplyOnce) {
    const uint16_t p = P(0, 2);
    SetPlayerDispoints(p, 13);
    CheckDisciplinaryThresholds(p, 11);  // passed 12: two matches
    EXPECT_EQ(GetPlayerSusp(p), 2);
    CheckDisciplinaryThresholds(p, 12);  // nothing new passed
    EXPECT_EQ(GetPlayerSusp(p), 2);
    SetPlayerDispoints(p, 23);
    CheckDisciplinaryThresholds(p, 13);  // 17 and 22 passed: the first applies
    EXPECT_EQ(GetPlayerSusp(p), 5);
}

}  // namespace
