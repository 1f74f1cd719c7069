// Injuries, illness and incidents: the injury table, the one operation
// that puts a player out, and the daily passes.
#include "core/club/injuries.h"

#include "core/records/history.h"
#include "tests/core/club/daily_fixture.h"

namespace {

class InjuryTest : public DailyJobsTest {
  protected:
    static constexpr int16_t kClub = 10;
    void SetUp() override {
        DailyJobsTest::SetUp();
        ClearHistoryLists();
        MakeSquad(kClub, 20);
        RebuildAllRosters();
        player_ = 3;
    }
    static int CountOut(int16_t club) {
        int n = 0;
        for (uint16_t p = 3; p < PlayerCount; ++p)
            n += GetPlayerClub(p) == uint16_t(club) && GetPlayerIT(p) != 0;
        return n;
    }
    uint16_t player_ = 0;
};

TEST_F(InjuryTest, TableEntriesAndDrawnDurations) {
    EXPECT_EQ(InjurySeverity(2), 1);
    EXPECT_TRUE(InjuryIsContagious(2));
    EXPECT_TRUE(InjuryIsContagious(3));
    EXPECT_FALSE(InjuryIsContagious(4));
    EXPECT_EQ(InjuryOdds(2), 500);
    EXPECT_EQ(InjuryOdds(5), 10000);
    EXPECT_EQ(InjurySeverity(15), 52);
    EXPECT_EQ(InjuryOdds(15), 2200);
    EXPECT_EQ(InjurySeverity(37), 12);
    EXPECT_EQ(InjuryOdds(37), 700);
    for (int type : {0, 1, 38, 39}) EXPECT_EQ(InjuryTable[type], 0u);
    EXPECT_EQ(InjurySeverity(40), 0);
    EXPECT_EQ(InjuryOdds(-1), 0);
    // Base 1 gives 1 or 2; base b gives b..3b-1, and both ends occur.
    bool seen[80] = {};
    for (int i = 0; i < 2000; ++i) {
        const int d1 = DrawInjuryDuration(2);
        ASSERT_TRUE(d1 == 1 || d1 == 2);
        const int d = DrawInjuryDuration(26);
        ASSERT_GE(d, 20);
        ASSERT_LT(d, 60);
        seen[d] = true;
    }
    EXPECT_TRUE(seen[20]);
    EXPECT_TRUE(seen[59]);
    EXPECT_EQ(DrawInjuryDuration(1), 0);
}

TEST_F(InjuryTest, InjurePlayerRecordsAndTells) {
    SetPlayerStat(player_, 27, 90);
    InjurePlayer(player_, 9, 20, 0);
    EXPECT_EQ(GetPlayerIT(player_), 20);
    EXPECT_EQ(GetPlayerIP(player_), 9);
    EXPECT_GE(GetPlayerStat(player_, 27, 0), 87);  // at most 9 / 2 - 1 = 3 lost
    ClubHistoryEntry club[10];
    ASSERT_EQ(FindClubHistoryEntry(kClub, club), 1);
    EXPECT_EQ(ClubHistoryKind(club[0]), 4);
    PlayerHistoryEntry own[10];
    ASSERT_EQ(FindPlayerHistoryEntry(player_, own), 1);
    EXPECT_EQ(PlayerHistoryKind(own[0]), 4);
    EXPECT_EQ(CountMessages(kClub, 31, player_), 1);

    // Type 8 adds no club entry; the flag turns 31 into 149; illnesses
    // send 32; refusing to play and types 8 and 9 send nothing.
    InjurePlayer(4, 12, 8, 0);
    EXPECT_EQ(FindClubHistoryEntry(kClub, club), 1);
    InjurePlayer(5, 2, 25, 1);
    EXPECT_EQ(CountMessages(kClub, 149, 5), 1);
    InjurePlayer(6, 2, 3, 0);
    EXPECT_EQ(CountMessages(kClub, 32, 6), 1);
    for (int16_t type : {1, 8, 9}) InjurePlayer(7, 2, type, 0);
    for (int16_t type : {31, 32, 149}) EXPECT_EQ(CountMessages(kClub, type, 7), 0);
    // Short absences leave the histories alone.
    EXPECT_EQ(FindPlayerHistoryEntry(6, own), 0);
}

TEST_F(InjuryTest, InjurePlayerRefusesBadInput) {
    InjurePlayer(0, 5, 20, 0);
    InjurePlayer(PlayerCount, 5, 20, 0);
    InjurePlayer(player_, 5, 40, 0);
    InjurePlayer(player_, 5, -1, 0);
    EXPECT_EQ(GetPlayerIT(player_), 0);
    EXPECT_EQ(GetPlayerIP(player_), 0);
    EXPECT_EQ(CountMessages(kClub, 31), 0);
    InjurePlayer(player_, -7, 20, 0);
    EXPECT_EQ(GetPlayerIT(player_), 20);
    EXPECT_EQ(GetPlayerIP(player_), 0);
}

TEST_F(InjuryTest, SmallSquadsNeverFallIll) {
    ASSERT_EQ(LeaveAvailable(kClub, 15), 15);
    for (uint16_t p = 3; p < PlayerCount; ++p) SetPlayerStat(p, 12, 1);
    for (int day = 0; day < 3000; ++day) RandomInjuryPass();
    EXPECT_EQ(CountOut(kClub), 0);
    // A squad of 16 does, with illnesses 2..7 only.
    ASSERT_EQ(LeaveAvailable(kClub, 16), 16);
    int seen = 0;
    for (int day = 0; day < 3000 && seen == 0; ++day) {
        RandomInjuryPass();
        seen = CountOut(kClub);
    }
    ASSERT_GT(seen, 0);
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        if (GetPlayerIT(p) != 0) {
            EXPECT_GE(GetPlayerIT(p), 2);
            EXPECT_LE(GetPlayerIT(p), 7);
        }
    }
}

TEST_F(InjuryTest, RecoveryClearsTypesAndSpreadsOnlyInBigSquads) {
    // A period of 0 with a type is cleared on the next 1-in-7 day, with
    // its message; a walk-out recovers without one.
    InjurePlayer(player_, 0, 20, 0);
    InjurePlayer(4, 3, 1, 0);
    for (int day = 0; day < 200; ++day) DailyRecoveryPass();
    EXPECT_EQ(GetPlayerIT(player_), 0);
    EXPECT_EQ(CountMessages(kClub, 59, player_), 1);
    EXPECT_EQ(GetPlayerIT(4), 0);
    EXPECT_EQ(CountMessages(kClub, 59, 4) + CountMessages(kClub, 60, 4), 0);

    // A contagious illness never passes on in a squad of 15.
    ASSERT_EQ(LeaveAvailable(kClub, 15), 15);
    for (uint16_t p = 3; p < PlayerCount; ++p) SetPlayerStat(p, 12, 1);
    for (int round = 0; round < 300; ++round) SpreadIllness(player_, 3);
    EXPECT_EQ(CountOut(kClub), 0);
    ASSERT_EQ(LeaveAvailable(kClub, 16), 16);
    for (int round = 0; round < 300 && CountOut(kClub) == 0; ++round) SpreadIllness(player_, 3);
    EXPECT_GT(CountOut(kClub), 0);
    EXPECT_GT(CountMessages(kClub, 33), 0);
}

TEST_F(InjuryTest, TrainingInjuriesSpareThinSquads) {
    ASSERT_EQ(LeaveAvailable(kClub, 12), 12);
    for (int i = 0; i < 20000; ++i) {
        SetPlayerIT(player_, 0);
        SetPlayerIP(player_, 0);
        RandomTrainingInjury(player_);
        if (GetPlayerIT(player_) != 0) {
            ASSERT_LE(GetPlayerIP(player_), 5);
            ASSERT_GE(GetPlayerIT(player_), 9);
        }
    }
    MakePlayer(kClub, 5, 6, 50);
    RebuildClubRoster(kClub);
    ASSERT_EQ(LeaveAvailable(kClub, 21), 21);
    bool longOne = false;
    for (int i = 0; i < 50000 && !longOne; ++i) {
        SetPlayerIT(player_, 0);
        RandomTrainingInjury(player_);
        longOne = GetPlayerIT(player_) != 0 && GetPlayerIP(player_) > 5;
    }
    EXPECT_TRUE(longOne);
}

TEST_F(InjuryTest, FitnessTestsBeforeAMatch) {
    SetClubControl(kClub, 1);
    BuildClubSquadList(kClub);
    ASSERT_GT(FirstTeamList.count, 3);
    int passed = 0, failed = 0;
    for (int round = 0; round < 400; ++round) {
        const uint16_t a = FirstTeamList.players[0], b = FirstTeamList.players[1],
                       c = FirstTeamList.players[2];
        SetPlayerIT(a, 20);
        SetPlayerIP(a, 1);
        SetPlayerFitness(a, 50);
        SetPlayerFitness(b, 44);
        SetPlayerIT(c, 20);
        SetPlayerIP(c, 2);  // too far from fit for a test
        RunFitnessTests(kClub);
        if (GetPlayerIT(a) == 0)
            ++passed;
        else
            ++failed;
        EXPECT_TRUE(GetPlayerFitness(b) == 48 || GetPlayerFitness(b) == 44);
        EXPECT_EQ(GetPlayerIT(c), 20);
    }
    EXPECT_NEAR(passed / 400.0, 0.3, 0.08);
    // Before the viewed country's season starts no message is sent.
    SeasonCalendar.leagueStartDay[0] = 10;
    MessageArchive[kClub][0] = MessageRecord{};
    std::memset(MessageArchive, 0, sizeof MessageArchive);
    RunFitnessTests(kClub);
    EXPECT_EQ(CountMessages(kClub, 170) + CountMessages(kClub, 171), 0);
    SeasonCalendar.currentDay = 10;
    RunFitnessTests(kClub);
    EXPECT_GT(CountMessages(kClub, 170) + CountMessages(kClub, 171), 0);
}

TEST_F(InjuryTest, IncidentsStayInTheViewedCountryAndAlwaysEnd) {
    MakeSquad(20, 20, 3);
    RebuildAllRosters();
    HVW_SetViewedCountry(3);
    for (int day = 0; day < 3000; ++day) RandomIncidentPass();
    int hit = 0;
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        const bool struck = GetPlayerIT(p) != 0 || GetPlayerSusp(p) != 0;
        if (GetPlayerClub(p) == uint16_t(kClub)) {
            EXPECT_FALSE(struck);
        }
        hit += struck;
        EXPECT_LE(GetPlayerSusp(p), 31);
    }
    EXPECT_GT(hit, 0);
    // No player of the viewed country qualifies: every search gives up.
    HVW_SetViewedCountry(5);
    SetClubRep(20, 0);
    for (int day = 0; day < 2000; ++day) RandomIncidentPass();
    SUCCEED();
}

}  // namespace
