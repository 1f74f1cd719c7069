// A computer club's view of its squad: the need group, the player to
// upgrade or replace, and the weakest place of its first-team list.
#include "core/club/squadneeds.h"

#include "core/club/playervalue.h"
#include "core/season/leagues.h"
#include "tests/core/club/management_fixture.h"

namespace {

class SquadNeedsTest : public ManagementTest {
  protected:
    static constexpr int16_t kClub = 10;
    void SetUp() override {
        ManagementTest::SetUp();
        MakeClub(kClub, 0, 0, 40);
        PlaceClub(1);
        manager_ = MakePlayer(kClub, 6, 20, 25);
        SetPlayerHalvornB(manager_, 1);  // formation family 0, variant 2
        CurrentClubManager = manager_;
    }
    // A player marked only for one slot kind (setting 2 -> kind 0, setting
    // 3 -> kind 1, setting 1 -> kind 2).
    uint16_t Add(int16_t position, int16_t stat, int kind = 0) {
        const uint16_t p = MakePlayer(kClub, position, 6, stat);
        SetPlayerSetting1(p, kind == 2 ? 3 : 0);
        SetPlayerSetting2(p, kind == 0 ? 3 : 0);
        SetPlayerSetting3(p, kind == 1 ? 3 : 0);
        return p;
    }
    // The manager's formation (family 0, variant 2) wants a keeper, two
    // defenders of kind 0 and one each of kinds 1 and 2, two midfielders of
    // kind 0 and one each of kinds 1 and 2, and two forwards: starters of
    // those at stat + 10, then three players per group at stat.
    void FullSquad(int16_t stat) {
        const int16_t top = int16_t(stat + 10);
        Add(0, top);
        Add(2, top, 0), Add(2, top, 0), Add(2, top, 1), Add(2, top, 2);
        Add(6, top, 0), Add(6, top, 0), Add(6, top, 1), Add(6, top, 2);
        Add(10, top), Add(10, top);
        for (int i = 0; i < 3; ++i) {
            Add(0, stat), Add(10, stat);
            for (int kind = 0; kind < 3; ++kind) Add(2, stat, kind), Add(6, stat, kind);
        }
    }
    // The club's place in its nation's table: entries of other clubs before it.
    static void PlaceClub(int place) {
        for (auto& rows : LeagueTable[0])
            for (int16_t& entry : rows) entry = int16_t(kNoLeagueClub);
        int16_t* first = &LeagueTable[0][0][0];
        for (int i = 0; i < place - 1; ++i) first[i] = int16_t(500 + i);
        first[place - 1] = kClub;
    }
    void Evaluate() {
        RebuildAllRosters();
        EvaluateClubSquad(kClub);
    }
    uint16_t manager_ = 0;
};

TEST(SquadNeedScale, WorkedValues) {
    EXPECT_EQ(SquadNeedScale(1, 40), 102);
    EXPECT_EQ(SquadGroupNeed(4, 102, 8), 200);  // target 16
    EXPECT_EQ(SquadNeedScale(120, 0), 32);      // 2 computed
    EXPECT_EQ(SquadGroupNeed(1, 32, 0), 100);   // no players count as one
    EXPECT_EQ(SquadGroupNeed(0, 102, 0), 0);
}

TEST_F(SquadNeedsTest, GroupWithoutPlayersIsUrgentAndAttackWinsTies) {
    FullSquad(60);
    // No forwards at all: attack counts one player, its need is the
    // highest, the group is urgent and nobody is to be replaced.
    for (uint16_t p = 1; p < PlayerCount; ++p)
        if (GetPlayerPosition(p) == 10) SetPlayerClub(p, -1), SetPlayerLoanClub(p, -1);
    Evaluate();
    EXPECT_EQ(SquadNeeds.UrgentGroup, 4);
    EXPECT_EQ(SquadNeeds.ReplacePlayer, 0);
    EXPECT_EQ(SquadNeeds.UpgradePlayer, 0);
    EXPECT_EQ(SquadNeeds.NeedRating, 0);
    EXPECT_EQ(SquadNeeds.NeedKind, 0);
    EXPECT_EQ(SquadNeeds.WantedPosition, 13);
}

TEST_F(SquadNeedsTest, StandingDecidesWhetherTheWeakestIsUpgraded) {
    FullSquad(60);
    const uint16_t weak = Add(2, 30, 0);  // the weakest defender of kind 0
    (void)weak;
    // A modest club (low reputation, far down) finds every group covered:
    // it upgrades the weakest player of its best eleven.
    SetClubRep(kClub, 1);
    PlaceClub(120);
    Evaluate();
    EXPECT_NE(SquadNeeds.UpgradePlayer, 0);
    EXPECT_EQ(SquadNeeds.UrgentGroup, 0);
    EXPECT_NE(SquadNeeds.ReplacePlayer, 0);
    // The leader with reputation 40 wants far more cover: the need is above
    // 100 and there is no one to upgrade.
    SetClubRep(kClub, 40);
    PlaceClub(1);
    Evaluate();
    EXPECT_EQ(SquadNeeds.UpgradePlayer, 0);
    EXPECT_NE(SquadNeeds.ReplacePlayer, 0);
}

TEST_F(SquadNeedsTest, FewerThanElevenStillDivideByEleven) {
    int32_t sum = 0;
    for (int16_t position : {0, 2, 6, 10, 11}) {
        const uint16_t p = Add(position, 70);
        sum += RatePlayerPotential(p, position);
    }
    Evaluate();
    EXPECT_EQ(SquadNeeds.FirstTeamRating, sum / 11);
}

TEST_F(SquadNeedsTest, TopWageCountsOnlyOwnPlayersAtHome) {
    FullSquad(60);
    const uint16_t away = Add(6, 60);
    SetPlayerWage(away, 4000);
    SetPlayerClub(away, 11);  // out on loan: owned here, plays there
    MakeClub(11);
    const uint16_t best = Add(6, 60);
    SetPlayerWage(best, 800);
    Evaluate();
    EXPECT_EQ(SquadNeeds.TopWage, 800 * 25);
}

TEST_F(SquadNeedsTest, WeakestPositionShortGroupThenWeakestStarter) {
    FullSquad(60);
    RebuildAllRosters();
    BuildClubSquadList(kClub);
    // Without keepers the goalkeeping group is short of its quota of two.
    for (int i = 0; i < FirstTeamList.count; ++i) {
        if (GetPlayerPosition(FirstTeamList.players[i]) == 0) FirstTeamList.players[i] = 0;
    }
    const int16_t minimum = int16_t(PlayerValueTables.divisionMinimum[0] / 10);
    EXPECT_EQ(FindClubWeakestPosition(kClub), minimum);
    EXPECT_EQ(SquadNeeds.PositionShort, 1);
    EXPECT_EQ(SquadNeeds.SearchKind, 3);
    EXPECT_EQ(SquadNeeds.WantedPosition, 0);

    // With the keepers back, the weakest of the eleven picked gives his
    // rating and the position of his slot.
    BuildClubSquadList(kClub);
    const uint16_t keeper = FirstTeamList.players[0];
    ASSERT_EQ(GetPlayerPosition(keeper), 0);
    for (int i = 0; i < FirstTeamList.count; ++i) {
        if (GetPlayerPosition(FirstTeamList.players[i]) == 0) SetPlayerStat(FirstTeamList.players[i], 0, 5);
    }
    const int16_t worst = RatePlayerAbility(keeper, 0);
    EXPECT_EQ(FindClubWeakestPosition(kClub), worst);
    EXPECT_EQ(SquadNeeds.PositionShort, 0);
    EXPECT_EQ(SquadNeeds.WantedPosition, 0);
}

}  // namespace
