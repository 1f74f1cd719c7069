// Player value and the position ratings.
#include "core/club/playervalue.h"

#include <cmath>
#include <cstring>
#include <functional>

#include "tests/core/club/management_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

class PlayerValueTest : public ManagementTest {
  protected:
    static constexpr int16_t kClub = 10;
    void SetUp() override {
        ManagementTest::SetUp();
        MakeClub(kClub, 0, 0, 50);
    }
};

int32_t BandOf(int32_t v) {
    return v < 10000 ? 100 : v < 100000 ? 1000 : v < 1000000 ? 10000 : v < 10000000 ? 100000 : 1000000;
}

TEST(RoundMoneyValue, KeepsTwoSignificantFiguresRoundedDown) {
    EXPECT_EQ(RoundMoneyValue(int32_t(999.9)), 0);
    EXPECT_EQ(RoundMoneyValue(-5000), 0);
    EXPECT_EQ(RoundMoneyValue(1000), 1000);
    EXPECT_EQ(RoundMoneyValue(9999), 9900);
    EXPECT_EQ(RoundMoneyValue(10000), 10000);
    EXPECT_EQ(RoundMoneyValue(99999), 99000);
    EXPECT_EQ(RoundMoneyValue(987654), 980000);
    EXPECT_EQ(RoundMoneyValue(9876543), 9800000);
    EXPECT_EQ(RoundMoneyValue(12345678), 12000000);
}

TEST(PlayerValueTables, AgeCurvesHoldTheirShapes) {
    const auto& c = PlayerValueTables.ageCurve;
    EXPECT_EQ(c[0][17], 100);
    EXPECT_EQ(c[0][18], 90);
    EXPECT_EQ(c[0][23], 0);
    EXPECT_EQ(c[6][9], 100);
    EXPECT_EQ(c[6][14], 80);
    EXPECT_EQ(c[9][11], 100);
    EXPECT_EQ(c[9][12], 90);
    EXPECT_EQ(c[9][20], 5);
    EXPECT_EQ(c[3][11], 95);
    EXPECT_EQ(c[12][11], 98);
    EXPECT_EQ(PlayerValueTables.positionFactor[13], 0);
}

TEST_F(PlayerValueTest, NoClubNoContractOrManagerPositionIsWorthNothing) {
    const uint16_t p = MakePlayer(kClub, 6, 8, 80);
    ASSERT_GT(ValuePlayer(p), 0);
    ASSERT_GT(ValuePlayerFull(p), 0);
    SetPlayerContract(p, 0);
    EXPECT_EQ(ValuePlayer(p), 0);
    EXPECT_EQ(ValuePlayerFull(p), 0);
    SetPlayerContract(p, 24);
    SetRawPosition(p, 13);
    EXPECT_EQ(ValuePlayer(p), 0);
    EXPECT_EQ(ValuePlayerFull(p), 0);
    SetRawPosition(p, 6);
    SetPlayerClub(p, -1);
    EXPECT_EQ(ValuePlayer(p), 0);
    EXPECT_EQ(ValuePlayerFull(p), 0);
}

// An uncapped 30-year-old of position 6 reads curve entry 80 three times:
// his value is 0.8 cubed of the same player at full curve, within the
// rounding of both figures.
TEST_F(PlayerValueTest, ThirtyYearOldMidfielderTakesHisCurveThreeTimes) {
    const uint16_t young = MakePlayer(kClub, 6, 4, 90);
    const uint16_t old = MakePlayer(kClub, 6, 14, 90);
    const int32_t full = ValuePlayer(young);
    const int32_t aged = ValuePlayer(old);
    const double expected = full * 0.512;
    EXPECT_NEAR(aged, expected, BandOf(full) * 0.512 + BandOf(aged));
    // Two times would leave 0.64 of it; four, 0.41.
    EXPECT_GT(std::abs(aged - full * 0.64), BandOf(full));
    EXPECT_GT(std::abs(aged - full * 0.4096), BandOf(full));
}

TEST_F(PlayerValueTest, DivisionMinimumAndDivisionShareApplyToUncappedPlayers) {
    const uint16_t weak = MakePlayer(kClub, 6, 8, 25);
    EXPECT_EQ(ValuePlayer(weak), 0) << "under 50,000 in division 0";
    const uint16_t p = MakePlayer(kClub, 6, 8, 35);
    const int32_t top = ValuePlayer(p);
    ASSERT_GE(top, 50000);
    MakeClub(kClub, 0, 2, 50);
    EXPECT_NEAR(ValuePlayer(p), top / 2.0, BandOf(top));
    SetPlayerCaps89(p, 3);  // capped players skip the division share
    EXPECT_EQ(ValuePlayer(p), top);
}

TEST_F(PlayerValueTest, FewAppearancesInAPlayedLeagueScaleTheValue) {
    const uint16_t p = MakePlayer(kClub, 10, 8, 85);
    const int32_t seasoned = ValuePlayer(p);
    SetPlayerCareerApps(p, 25);  // half of fifty
    EXPECT_NEAR(ValuePlayer(p), seasoned / 2.0, BandOf(seasoned));
    MakeClub(kClub, 20, 0, 50);  // the rest of the world has no such rule
    EXPECT_EQ(ValuePlayer(p), seasoned);
}

// A 19-year-old's asking price reads his attributes at level 4 and the
// age-23 curve entry: the same as a 23-year-old whose attributes are what
// the younger one reads at level 4.
TEST_F(PlayerValueTest, NineteenYearOldIsPricedAsHisFutureSelfAtTwentyThree) {
    uint16_t young = 0, older = 0;
    while (PlayerCount % 20 != 0) MakePlayer(-1, 0);  // align the numbers' attribute caps
    young = MakePlayer(kClub, 11, 3, 70);
    for (int i = 0; i < 19; ++i) MakePlayer(-1, 0);
    older = MakePlayer(kClub, 11, 7, 70);
    ASSERT_EQ(young % 20, older % 20);
    for (int16_t a = 0; a < 8; ++a) SetPlayerStat(older, a, GetPlayerStat(young, a, 4));
    ASSERT_NE(GetPlayerStat(young, 3, 4), GetPlayerStat(young, 3, 0));
    EXPECT_GT(ValuePlayerFull(young), 0);
    EXPECT_EQ(ValuePlayerFull(young), ValuePlayerFull(older));
}

TEST_F(PlayerValueTest, FixedPriceReplacesTheFigureAndIsStillRounded) {
    const uint16_t p = MakePlayer(kClub, 6, 8, 80);
    SetPlayerManPrice(p, 123456);
    EXPECT_EQ(ValuePlayerFull(p), 120000);
    SetPlayerContract(p, 0);
    EXPECT_EQ(ValuePlayerFull(p), 0);
}

TEST_F(PlayerValueTest, ListStatusAndScoringRecordMoveTheAskingPrice) {
    const uint16_t p = MakePlayer(kClub, 10, 9, 85);
    const int32_t base = ValuePlayerFull(p);
    SetPlayerSaleStatus(p, 1);
    EXPECT_NEAR(ValuePlayerFull(p), 2.0 * base, 2.0 * BandOf(base));
    SetPlayerTxList(p, 1);  // listed: no contract factor, no doubling
    const int32_t listed = ValuePlayerFull(p);
    SetPlayerSaleStatus(p, 0);
    EXPECT_EQ(ValuePlayerFull(p), listed);
    SetPlayerTxList(p, 0);
    SetPlayerGoals(p, 20);
    EXPECT_GT(ValuePlayerFull(p), base);
}

TEST_F(PlayerValueTest, OutfieldPlayerInGoalKeepsAQuarterOfTheKeepingTerm) {
    const uint16_t keeper = MakePlayer(kClub, 0, 8, 60);
    const uint16_t striker = MakePlayer(kClub, 10, 8, 60);
    const int32_t ownTerm = 60 * GetPlayerStat(keeper, 0, 0);
    const int32_t delta = RatePlayerAbility(keeper, 0) - RatePlayerAbility(striker, 0);
    // Everything but the column-0 term is equal; the last step scales by
    // (stat 22 + 30) / 130 with truncation.
    const int32_t scale = GetPlayerStat(keeper, 22, 0) + 30;
    EXPECT_NEAR(delta, (ownTerm - ownTerm / 4) * scale / 130, 1);
}

TEST_F(PlayerValueTest, AProlificScorerRatesHigherUpFront) {
    const uint16_t p = MakePlayer(kClub, 10, 8, 90);
    const int16_t before = RatePlayerAbility(p, 10);
    SetPlayerGoals(p, 127);
    SetPlayerGoals2(p, 127);
    EXPECT_GT(RatePlayerAbility(p, 10), before);
    EXPECT_GT(RatePlayerPotential(p, 10), before);
}

// The ability and potential ratings are kept per player with what they
// read: every input they read, changed through a setter or straight in the
// record, gives the ratings worked out afresh.
class KeptRatingTest : public PlayerValueTest, public testing::WithParamInterface<bool> {};

TEST_P(KeptRatingTest, FollowsEveryInputItReads) {
    const bool potential = GetParam();
    const auto rate = potential ? RatePlayerPotential : RatePlayerAbility;
    const auto other = potential ? RatePlayerAbility : RatePlayerPotential;
    const uint16_t p = MakePlayer(kClub, 0, 8, 70);
    const uint16_t donor = MakePlayer(kClub, 10, 14, 30);
    auto fresh = [&](int16_t position) {
        rate(p, int16_t((position + 1) % kValuePositions));  // another position is kept instead
        return rate(p, position);
    };
    auto firstWeighted = [](int column) {
        for (int16_t position = 0; position < kValuePositions; ++position)
            if (PlayerValueTables.weights[position][column] != 0) return position;
        return int16_t(-1);
    };
    auto check = [&](const char* what, int16_t position, const std::function<void()>& change) {
        const int16_t before = rate(p, position);
        ASSERT_EQ(rate(p, position), before) << what;
        other(p, position);  // the other rating, kept beside it, must not stand for it
        ASSERT_EQ(rate(p, position), before) << what;
        change();
        const int16_t kept = rate(p, position);
        const int16_t want = fresh(position);
        EXPECT_EQ(kept, want) << what;
        EXPECT_NE(want, before) << what << ": the change must move the rating";
    };
    for (int column = 0; column < kValueColumns; ++column) {
        const int16_t stat = kValueColumnStat[column];
        check("a weighted stat", firstWeighted(column),
              [&] { SetPlayerStat(p, stat, 90); });
    }
    check("the stat of the fixed weight", 5, [&] { SetPlayerStat(p, 11, 95); });
    check("consistency", 5, [&] { SetPlayerStat(p, 22, 95); });
    check("the ability capping the stats", 5, [&] { SetPlayerStat(p, 27, 1); });
    check("age", 5, [&] { SetPlayerAge(p, 30); });
    check("the playing position in goal", 0, [&] { SetPlayerPosition(p, 6); });
    check("goals", 10, [&] { SetPlayerGoals(p, 40); });
    check("goals of the second column", 10, [&] { SetPlayerGoals2(p, 40); });
    check("assists", firstWeighted(2), [&] { SetPlayerAssists(p, 60); });
    check("assists of the second column", firstWeighted(2), [&] { SetPlayerAssists2(p, 90); });
    check("men of the match", firstWeighted(9), [&] { SetPlayerMoM(p, 30); });
    check("a record written whole", 10,
          [&] { std::memcpy(PlayerRecords[p].bytes, PlayerRecords[donor].bytes, sizeof(PlayerRecord)); });
}
INSTANTIATE_TEST_SUITE_P(AbilityAndPotential, KeptRatingTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Potential" : "Ability");
                         });

TEST_F(PlayerValueTest, PotentialOfAYoungsterExceedsHisAbility) {
    const uint16_t p = MakePlayer(kClub, 2, 1, 50);
    EXPECT_GT(RatePlayerPotential(p, 2), RatePlayerAbility(p, 2));
    const uint16_t weak = MakePlayer(kClub, 2, 20, 1);
    EXPECT_EQ(RatePlayerAbility(weak, 2), 1) << "a negative rating becomes 1";
}

// Thousands of random players: every value is 0 or at least 1000 and a
// multiple of its band, and no valuation draws a random number.
TEST_F(PlayerValueTest, RandomPlayersGetBandedValuesWithoutRandomDraws) {
    for (int16_t c = 0; c < 40; ++c) MakeClub(c, int16_t(c % 12), int16_t(c % 7), int16_t(1 + c));
    GameSeedRandom(77);
    for (int i = 0; i < 3000; ++i) {
        const int16_t club = int16_t(GameRandom() % 41) - 1;
        const uint16_t p = MakePlayer(club, int16_t(GameRandom() % 13), int16_t(GameRandom() % 40));
        for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, int16_t(1 + GameRandom() % 99));
        SetPlayerContract(p, int16_t(GameRandom() % 40));
        SetPlayerCareerApps(p, int16_t(GameRandom() % 120));
        SetPlayerCaps89(p, int16_t(GameRandom() % 3));
        SetPlayerTxList(p, int16_t(GameRandom() % 2));
        SetPlayerSaleStatus(p, int16_t(GameRandom() % 2));
        SetPlayerField117(p, int16_t(GameRandom() % 8));
        SetPlayerField52(p, int16_t(GameRandom() % 100));
        SetPlayerShirt(p, int16_t(GameRandom() % 17));
        if (GameRandom() % 10 == 0) SetPlayerManPrice(p, GameRandom() * 700);
    }
    const uint32_t state = GameRandomState();
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        for (int32_t v : {ValuePlayer(p), ValuePlayerFull(p)}) {
            ASSERT_TRUE(v == 0 || (v >= 1000 && v % BandOf(v) == 0)) << "player " << p << " value " << v;
        }
        if (GetPlayerClub(p) == kNoClub || GetPlayerContract(p) == 0) {
            ASSERT_EQ(ValuePlayer(p), 0);
            ASSERT_EQ(ValuePlayerFull(p), 0);
        }
        ASSERT_GE(RatePlayerAbility(p, int16_t(p % 13)), 0);
        ASSERT_GE(RatePlayerPotential(p, int16_t(p % 13)), 0);
    }
    EXPECT_EQ(GameRandomState(), state);
}

}  // namespace
