// The squad harmony review and the nationality table behind it.
#include "core/club/harmony.h"

#include "core/club/nations.h"
#include "tests/core/club/daily_fixture.h"

namespace {

class HarmonyTest : public DailyJobsTest {
  protected:
    static constexpr int16_t kClub = 10;
    void SetUp() override {
        DailyJobsTest::SetUp();
        MakeClub(kClub, 0, 1, 1);  // reviewed on one review day in two
    }
    // A squad of `home` players of nation 0 and `foreign` of nationality 40,
    // every attribute 21 equal (no camps).
    void MakeMixedSquad(int home, int foreign) {
        for (int i = 0; i < home + foreign; ++i) {
            const uint16_t p = MakePlayer(kClub, int16_t(i % 13));
            SetPlayerNationality(p, int16_t(i < home ? 0 : 40));
            SetPlayerStat(p, 21, 70);
            SetPlayerMorale(p, 40);
        }
        RebuildAllRosters();
        SetClubControl(kClub, 1);  // a human club's list is its roster as it stands
    }
    static int MoraleSum() {
        int sum = 0;
        for (uint16_t p = 3; p < PlayerCount; ++p) sum += GetPlayerMorale(p);
        return sum;
    }
    // Reviews until the club has been looked at (morale moved) or 200 days.
    static void ReviewUntilChanged() {
        const int before = MoraleSum();
        for (int day = 0; day < 200 && MoraleSum() == before; ++day) SquadHarmonyReview();
    }
};

TEST_F(HarmonyTest, NationalityTable) {
    for (int n = 0; n < 9; ++n) EXPECT_EQ(NationalityNation[n], n);
    EXPECT_EQ(NationGroup(21), 0);  // Wales plays in the English leagues
    EXPECT_EQ(NationGroup(40), 40);
    EXPECT_EQ(NationGroup(116), 116);
}

TEST_F(HarmonyTest, EmptySquadsAreSkippedAndBalancedSquadsPay) {
    SetClubControl(kClub, 1);
    const uint32_t state = GameRandomState();
    SquadHarmonyReview();
    EXPECT_EQ(GameRandomState(), state);  // no draw for an empty list

    MakeMixedSquad(8, 8);
    ReviewUntilChanged();
    for (uint16_t p = 3; p < PlayerCount; ++p) EXPECT_EQ(GetPlayerMorale(p), 38);
}

TEST_F(HarmonyTest, SplitSquadsLoseMoraleAndComputerClubsList) {
    // Two camps, 20 and 80: everyone sees the other camp as his mirror.
    for (int i = 0; i < 16; ++i) {
        const uint16_t p = MakePlayer(kClub, int16_t(i % 13));
        SetPlayerStat(p, 21, i % 2 ? 20 : 80);
        SetPlayerStat(p, 18, 1);
        SetPlayerMorale(p, 60);
    }
    RebuildAllRosters();
    const uint16_t first = 3;
    uint16_t lowest[16];
    for (int i = 0; i < 16; ++i) lowest[i] = uint16_t(first + i);
    EXPECT_GE(SquadCampSplit(lowest, 16), 30);

    // A human club: morale falls, nobody is listed.
    SetClubControl(kClub, 1);
    for (int day = 0; day < 100; ++day) SquadHarmonyReview();
    EXPECT_LT(MoraleSum(), 16 * 60);
    for (uint16_t p = 3; p < PlayerCount; ++p) EXPECT_EQ(GetPlayerTxList(p), 0);
    // A computer club lists one of the low camp.
    SetClubControl(kClub, 0);
    int listed = 0;
    for (int day = 0; day < 100 && listed == 0; ++day) {
        SquadHarmonyReview();
        for (uint16_t p = 3; p < PlayerCount; ++p) listed += GetPlayerTxList(p);
    }
    EXPECT_EQ(listed, 1);
}

TEST_F(HarmonyTest, NoLowCampPlayerNoUnrest) {
    // Everyone at 50 is his own mirror: split, but nobody below 50 to
    // start a quarrel, so no unrest and no listing.
    for (int i = 0; i < 16; ++i) {
        const uint16_t p = MakePlayer(kClub, int16_t(i % 13));
        SetPlayerStat(p, 21, 50);
        SetPlayerMorale(p, 60);
    }
    RebuildAllRosters();
    uint16_t list[16];
    for (int i = 0; i < 16; ++i) list[i] = uint16_t(3 + i);
    EXPECT_GE(SquadCampSplit(list, 16), 30);
    for (int day = 0; day < 100; ++day) SquadHarmonyReview();
    EXPECT_EQ(MoraleSum(), 16 * 60);
    for (uint16_t p = 3; p < PlayerCount; ++p) EXPECT_EQ(GetPlayerTxList(p), 0);
}

}  // namespace
