// Squad mood: the top earner's claim, homesickness, quarrels and friends.
#include "core/club/squadmood.h"

#include "core/club/squadneeds.h"
#include "tests/core/club/daily_fixture.h"

namespace {

class SquadMoodTest : public DailyJobsTest {
  protected:
    static constexpr int16_t kClub = 10;
    void SetUp() override {
        DailyJobsTest::SetUp();
        MakeClub(kClub, 0, 1, 30);
        SquadNeeds = SquadNeedsBlock{};
    }
    uint16_t Member(int16_t camp, int16_t will, int16_t nationality = 0) {
        const uint16_t p = MakePlayer(kClub, 6);
        SetPlayerStat(p, 21, camp);
        SetPlayerStat(p, 20, will);
        SetPlayerNationality(p, nationality);
        SetPlayerMorale(p, 50);
        return p;
    }
};

TEST_F(SquadMoodTest, TopEarnersAndAnEmptyFirstSlot) {
    const uint16_t p = Member(30, 50);
    SetPlayerClause8(p, 1);
    SetPlayerWage(p, 16);  // 400 a week
    SquadNeeds.TopWage = 1000;
    // A roster whose first slot is empty gets nothing.
    ClubRoster[kClub][1] = p;
    ClubSquadMoodJob(kClub);
    EXPECT_EQ(GetPlayerWage(p), 16);
    RebuildAllRosters();
    ClubSquadMoodJob(kClub);
    EXPECT_EQ(GetPlayerWage(p), 40);
    EXPECT_EQ(CountMessages(kClub, 168, p), 1);
}

TEST_F(SquadMoodTest, HomesicknessOfTheLoneForeigner) {
    const uint16_t lone = Member(30, 50, 40);
    for (int i = 0; i < 5; ++i) Member(30, 50);
    RebuildAllRosters();
    bool lost = false;
    for (int check = 0; check < 200; ++check) {
        SetPlayerMorale(lone, 50);
        HomesicknessCheck(lone);
        const int loss = 50 - GetPlayerMorale(lone);
        ASSERT_GE(loss, 0);
        ASSERT_LE(loss, 50 * 4 / 100 + 1);  // 2%, doubled for a foreigner, plus a point
        lost |= loss > 0;
    }
    EXPECT_TRUE(lost);
    // One compatriot: nothing at all.
    const uint16_t mate = Member(30, 50, 40);
    RebuildAllRosters();
    for (int check = 0; check < 200; ++check) {
        SetPlayerMorale(lone, 50);
        HomesicknessCheck(lone);
        ASSERT_EQ(GetPlayerMorale(lone), 50);
    }
    (void)mate;
}

TEST_F(SquadMoodTest, QuarrelsAtComputerClubsAlwaysCost) {
    // Opposite camps, both of little will: every quarrel is small.
    const uint16_t p = Member(30, 1);
    const uint16_t rival = Member(70, 2);
    RebuildAllRosters();
    int morale = GetPlayerMorale(p);
    bool quarrelled = false;
    for (int day = 0; day < 3000; ++day) {
        ClubSquadMoodJob(kClub);
        ASSERT_LE(GetPlayerMorale(p), morale);
        quarrelled |= GetPlayerMorale(p) < morale;
        morale = GetPlayerMorale(p);
        if (morale < 20) SetPlayerMorale(p, morale = 50);
    }
    EXPECT_TRUE(quarrelled);
    EXPECT_EQ(GetPlayerMorale(rival), 50);  // the stronger will is not hurt
}

// A player here on loan looks for camp-mates and rivals at his own club:
// the host's strong-willed opposite camp quarrels with its own players only.
TEST_F(SquadMoodTest, ALoanedPlayerQuarrelsOnlyAtHisOwnClub) {
    constexpr int16_t kOwner = 11;
    MakeClub(kOwner, 0, 1, 30);
    const uint16_t home = Member(30, 1);
    Member(70, 99);  // the host's rival camp
    const uint16_t loaned = MakePlayer(kOwner, 6);
    SetPlayerStat(loaned, 21, 30);
    SetPlayerStat(loaned, 20, 1);
    SetPlayerNationality(loaned, 0);
    SetPlayerMorale(loaned, 50);
    SetPlayerLoanClub(loaned, kClub);
    RebuildAllRosters();
    bool homeQuarrelled = false;
    for (int day = 0; day < 2000; ++day) {
        ClubSquadMoodJob(kClub);
        ASSERT_EQ(GetPlayerMorale(loaned), 50) << "day " << day;
        homeQuarrelled |= GetPlayerMorale(home) < 50;
        SetPlayerMorale(home, 50);
    }
    EXPECT_TRUE(homeQuarrelled);
}

TEST_F(SquadMoodTest, CampMates) {
    const uint16_t p = Member(30, 50);
    const uint16_t happier = Member(30, 50);
    const uint16_t rival = Member(70, 60);
    Member(70, 40);  // opposite camp but a weaker will: no rival
    SetPlayerMorale(happier, 55);
    RebuildAllRosters();
    int foundHappy = 0, foundRival = 0;
    for (int i = 0; i < 500; ++i) {
        const uint16_t h = FindHappierCampMate(p), r = FindRivalCampMate(p);
        ASSERT_TRUE(h == 0 || h == happier);
        ASSERT_TRUE(r == 0 || r == rival);
        foundHappy += h != 0;
        foundRival += r != 0;
    }
    EXPECT_NEAR(foundHappy / 500.0, 0.1, 0.05);
    EXPECT_NEAR(foundRival / 500.0, 0.05, 0.04);
    // A reserve is not in the first team's camps.
    SetPlayerFlag107(happier, 1);
    for (int i = 0; i < 200; ++i) ASSERT_EQ(FindHappierCampMate(p), 0);
}

}  // namespace
