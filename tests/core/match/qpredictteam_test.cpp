// Squads, team records and ratings of the quick result prediction.
#include "core/match/qpredictteam.h"

#include <gtest/gtest.h>

#include "tests/core/match/predict_setup.h"
#include "tests/fakes/world_records.h"

namespace {

using namespace gameinfo;
using predicttest::ClubSide;

class QPredictTeamTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(LoadWorldRecords(HALVORN_GAME_DIR), "");
        sides_ = new std::vector<ClubSide>(predicttest::PickAllSides(5));
        ASSERT_GT(sides_->size(), 100u);
    }
    static void TearDownTestSuite() { delete sides_; }

    void Fill(int substitutes = 5) {
        predicttest::FixtureRules rules;
        rules.substitutes = substitutes;
        predicttest::FillFixture(&block_, (*sides_)[3], (*sides_)[40], rules);
    }
    void SetUp() override { Fill(); }
    void SetUpSquads() { QPredictSetUpSquads(&block_, (*sides_)[3].club, (*sides_)[40].club); }
    QPredictPlayer& P(int team, int place) { return QPredict.players[team][place]; }

    static std::vector<ClubSide>* sides_;
    EnterGameInfo block_;
};
std::vector<ClubSide>* QPredictTeamTest::sides_ = nullptr;

TEST(QPredictShapeTest, StaminaAndMoraleTermsAndFloor) {
    EXPECT_EQ(QPredictShape(1000, 0, 50), 1000);
    EXPECT_EQ(QPredictShape(1000, 50, 50), 900);  // 1000 less 50 x 1000 x 20 / 10000
    EXPECT_EQ(QPredictShape(1000, 0, 60), 1020);  // morale 60 adds 2 x 10 x 10 / 10000 of c
    EXPECT_EQ(QPredictShape(1000, 50, 60), 920);  // both terms together
    EXPECT_EQ(QPredictShape(1000, 0, 0), 900);    // low morale takes away
    EXPECT_EQ(QPredictShape(0, 90, 50), 2);       // each term at least 1: a sum of nothing gives 2
    EXPECT_EQ(QPredictShape(3, 90, 0), 3);        // small sums lose nothing to truncation
    EXPECT_EQ(QPredictShape(1, 0, 50), 1);
}

TEST(QPredictFormationTest, GridPlacesConvert) {
    EXPECT_EQ(QPredictConvertColumn(0), 0);
    EXPECT_EQ(QPredictConvertColumn(7), 23);
    EXPECT_EQ(QPredictConvertColumn(14), 46);
    // An empty place stays negative, outside every position class (a
    // clamp to column 0 would make its player a wide one).
    EXPECT_EQ(QPredictConvertColumn(-1), -3);
    EXPECT_EQ(QPredictConvertRow(0), 5);
    EXPECT_EQ(QPredictConvertRow(17), 55);
}

TEST_F(QPredictTeamTest, SquadsCopyTheBlockWithLimitsAndEmptyPlaces) {
    const int at = PlayerInfoAt(0, 4);
    Fill(2);
    block_.SetI16(at + kPlayerStats + 2 * kStatStamina, -5);
    block_.SetI16(at + kPlayerStats + 2 * kStatAggression, 300);
    block_.SetI16(at + kPlayerStats + 2 * kStatGreed, 99);
    block_.SetI16(at + kPlayerStats + 2 * kStatResilience, 60);
    block_.SetI16(at + kPlayerOverall, 60);
    SetUpSquads();
    EXPECT_EQ(QPredict.teams[0].squadSize, 13);
    EXPECT_EQ(P(0, 4).aggression, 100);
    EXPECT_EQ(P(0, 4).greed, 90);
    EXPECT_EQ(P(0, 4).injuryThreshold, 75);
    EXPECT_EQ(P(0, 4).overall, 100);
    EXPECT_EQ(P(0, 4).stamina, 0);
    for (int place = 13; place < kQpSquadPlaces; ++place) EXPECT_EQ(P(0, place).id, 0);
    EXPECT_EQ(P(0, 0).slot, 0);
    EXPECT_EQ(P(0, 0).keeperBit, 1);
    EXPECT_EQ(P(0, 12).slot, -1);
    EXPECT_EQ(P(0, 12).outCode, kQpOnBench);
    EXPECT_EQ(P(0, 0).slotPos[0], 25);
    EXPECT_EQ(QPredict.teams[0].onPitch, 11);
    int zones = 0;
    for (int k = 0; k < 3; ++k) zones += QPredict.teams[0].zoneCounts[k];
    EXPECT_EQ(zones, 10);  // every outfield slot lies in one band
}

TEST_F(QPredictTeamTest, ShirtsOutsideTheSquadRenumberedDuplicatesKept) {
    block_.SetI16(PlayerInfoAt(0, 3) + kPlayerShirt, 5);   // a second 5
    block_.SetI16(PlayerInfoAt(0, 7) + kPlayerShirt, 40);  // outside 1..16
    block_.SetI16(PlayerInfoAt(0, 9) + kPlayerShirt, 0);
    SetUpSquads();
    EXPECT_EQ(P(0, 3).shirt, 5);
    EXPECT_EQ(P(0, 4).shirt, 5);
    EXPECT_EQ(P(0, 7).shirt, 4);  // the smallest number nobody wears
    EXPECT_EQ(P(0, 9).shirt, 8);
}

TEST_F(QPredictTeamTest, TakersByShirtOrRepicked) {
    block_.SetTeamI16(0, kPenaltyTaker, 7);
    block_.SetTeamI16(0, kFreeKickTaker, 1);  // the goalkeeper's shirt: picked afresh
    block_.SetTeamI16(0, kCornerTaker, 12);   // a substitute's: picked afresh
    block_.SetTeamI16(0, kCaptain, -1);
    const int at = PlayerInfoAt(0, 9);
    block_.SetI16(at + kPlayerStats + 2 * kStatDeadball, 100);
    block_.SetI16(at + kPlayerStats + 2 * kStatPassing, 100);
    block_.SetI16(at + kPlayerStats + 2 * kStatLeadership, 100);
    block_.SetI16(PlayerInfoAt(0, 0) + kPlayerStats + 2 * kStatDeadball, 100);  // keepers take none
    SetUpSquads();
    const QPredictTeam& t = QPredict.teams[0];
    EXPECT_EQ(t.penaltyTaker, 6);
    EXPECT_EQ(t.freeKickTaker, 9);
    EXPECT_EQ(t.cornerTaker2, 9);
    EXPECT_EQ(t.captain, 9);
    // Taken off, his roles go to others on the pitch.
    QPredict2_TakeOff(0, 9, kQpSentOff, 50);
    QPredict2_RepickRoles(0, 9);
    EXPECT_NE(t.freeKickTaker, 9);
    EXPECT_NE(t.captain, 9);
    EXPECT_GE(t.freeKickTaker, 1);
    EXPECT_EQ(QPredict.players[0][t.freeKickTaker].outCode, kQpOnPitch);
}

TEST_F(QPredictTeamTest, RatingsAtLeastOnePlusPlayersAndMeans) {
    SetUpSquads();
    QPredictComputeRatings();
    for (int team = 0; team < 2; ++team) {
        int aggression = 0, threshold = 0;
        for (int p = 0; p < 11; ++p) {
            aggression += P(team, p).aggression;
            threshold += P(team, p).injuryThreshold;
        }
        for (int k = 0; k < kQpRatings; ++k) EXPECT_GE(QPredict.ratings[team][k], 12);
        EXPECT_EQ(QPredict.meanAggression[team], aggression / 11);
        EXPECT_EQ(QPredict.meanThreshold[team], threshold / 11);
    }
    // The keeper's zone gives shooting weight 0: his contribution is 2, its
    // stamina and morale terms being at least 1 each.
    EXPECT_EQ(QPredict.contributions[0][0][kQpShooting], 2);
    // A team with nobody on the pitch rates 1 and has means of 0.
    for (int p = 0; p < kQpSquadPlaces; ++p) P(1, p).outCode = kQpSentOff;
    QPredictComputeRatings();
    EXPECT_EQ(QPredict.ratings[1][kQpDefence], 1);
    EXPECT_EQ(QPredict.meanAggression[1], 0);
}

TEST_F(QPredictTeamTest, SubstitutionsStopAtThreeAndLeaveAManShort) {
    SetUpSquads();
    for (int n = 0; n < 3; ++n) {
        const int off = 2 + n;
        QPredict2_TakeOff(0, off, kQpReplaced, 60 + n);
        QPredict2_Substitute(0, off, 60 + n, 0);
        EXPECT_EQ(QPredict.teams[0].onPitch, 11);
        EXPECT_EQ(P(0, off).outCode, kQpReplaced);
        EXPECT_EQ(P(0, off).minuteOff, 60 + n);
    }
    EXPECT_EQ(QPredict.teams[0].substitutions, 3);
    EXPECT_EQ(QPredict2_PickReplacement(0, 6, 2), -1);
    QPredict2_TakeOff(0, 6, kQpInjuredOff, 80);
    QPredict2_Substitute(0, 6, 80, 0);
    EXPECT_EQ(QPredict.teams[0].onPitch, 10);
    int onBenchCame = 0;
    for (int p = 11; p < 16; ++p) {
        if (P(0, p).outCode == kQpOnPitch) {
            ++onBenchCame;
            EXPECT_GE(P(0, p).slot, 1);
            EXPECT_GE(P(0, p).orderIndex, 1);
            EXPECT_LE(P(0, p).orderIndex, 10);
        }
    }
    EXPECT_EQ(onBenchCame, 3);
}

TEST_F(QPredictTeamTest, ReplacementScoresByKindAndFoot) {
    SetUpSquads();
    for (int p = 11; p < 16; ++p) P(0, p).playerType = 2;
    P(0, 14).playerType = 0;
    P(0, 14).keeping = 100;
    // A keeper is wanted: the bench keeper wins even against a better-scored
    // outfield player, whose score is halved.
    EXPECT_EQ(QPredict2_PickReplacement(0, 0, 0), 14);
    for (int p = 11; p < 16; ++p) {
        P(0, p).pace = 10;
        P(0, p).stamina = 10;
        P(0, p).shooting = 50;
        P(0, p).footCode = 2;
    }
    P(0, 12).pace = 40;
    EXPECT_EQ(QPredict2_PickReplacement(0, 5, 2), 12);
    P(0, 12).footCode = 1;  // left-footed only: cut to 40 % on this side
    EXPECT_NE(QPredict2_PickReplacement(0, 5, 2), 12);
}

TEST_F(QPredictTeamTest, KeeperSentOffBenchKeeperOrBestKeeping) {
    SetUpSquads();
    for (int p = 1; p < 16; ++p) P(0, p).playerType = 3;
    P(0, 13).playerType = 0;
    QPredict2_TakeOff(0, 0, kQpSentOff, 20);
    QPredictReplaceGoalkeeper(0, 20);
    EXPECT_EQ(QPredict.teams[0].goalkeeper, 13);
    EXPECT_EQ(P(0, 13).orderIndex, 0);
    EXPECT_EQ(P(0, 13).slot, 0);
    EXPECT_EQ(P(0, 13).keeperBit, 1);
    EXPECT_EQ(QPredict.teams[0].substitutions, 1);
    EXPECT_EQ(QPredict.teams[0].onPitch, 10);
    // The new keeper goes off too, with no keeper left on the bench.
    QPredict2_TakeOff(0, 13, kQpSentOff, 30);
    int stand = 1;
    while (P(0, stand).outCode != kQpOnPitch) ++stand;
    P(0, stand).keeping = 100;
    QPredictReplaceGoalkeeper(0, 30);
    EXPECT_EQ(QPredict.teams[0].goalkeeper, stand);
    EXPECT_EQ(P(0, stand).slot, 0);
    EXPECT_EQ(P(0, stand).orderIndex, 0);
    EXPECT_EQ(QPredict.teams[0].substitutions, 1);
    EXPECT_EQ(QPredict.teams[0].onPitch, 9);
}

TEST_F(QPredictTeamTest, MoraleStaysWithinBounds) {
    SetUpSquads();
    P(0, 3).morale = 98;
    QPredict2_MovePlayerMorale(0, 3, 3);
    EXPECT_EQ(P(0, 3).morale, 98);
    QPredict2_MovePlayerMorale(0, 3, -3);
    EXPECT_EQ(P(0, 3).morale, 95);
    QPredict.teams[0].captain = 4;
    P(0, 5).morale = 50;
    QPredict2_MoveTeamMorale(0, -1);
    EXPECT_EQ(P(0, 5).morale, 45);
    QPredict.teams[0].captain = QPredict.teams[0].goalkeeper;
    QPredict2_MoveTeamMorale(0, 1);
    EXPECT_EQ(P(0, 5).morale, 52);
}

}  // namespace
