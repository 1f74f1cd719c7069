#include <gtest/gtest.h>

#include "core/query/besteleven.h"
#include "core/query/layerstate.h"
#include "tests/core/query/query_fixture.h"

namespace {

class BestElevenTest : public QueryTest {
  protected:
    void SetUp() override {
        QueryTest::SetUp();
        MakeClub(kTop, 0, 0);
        MakeClub(kSecond, 0, 1);
        MakeClub(kForeign, 3, 0);
        HVW_SetViewedCountry(0);
        SeasonCalendar.currentDay = 0;  // no fixtures yet: one appearance makes a regular
    }

    // A regular of the club with a performance rating.
    uint16_t Regular(int16_t club, int16_t position, int16_t perf, int16_t setting2 = 0,
                     int16_t setting3 = 0) {
        const uint16_t p = AddPlayer(club, position);
        SetPlayerApps(p, 1);
        SetPlayerPerf(p, perf);
        SetPlayerSetting2(p, setting2);
        SetPlayerSetting3(p, setting3);
        return p;
    }

    static BestElevenSlot Slot(int i) { return BestEleven[i]; }

    static constexpr int16_t kTop = 30, kSecond = 31, kForeign = 32;
};

TEST_F(BestElevenTest, CentralPairAndSideSlotsOfTheDefence) {
    const uint16_t central2 = Regular(kTop, 2, 70, 3);
    const uint16_t central1 = Regular(kTop, 3, 80, 3);
    const uint16_t left = Regular(kTop, 1, 50, 0, 3);
    const uint16_t right = Regular(kTop, 4, 40);
    const uint16_t rightBetter = Regular(kSecond, 1, 46);
    HVW_BuildBestEleven(3 /* young */, 0);
    EXPECT_EQ(Slot(2).player, central1);
    EXPECT_EQ(Slot(3).player, central2);
    EXPECT_EQ(Slot(1).player, left);
    EXPECT_EQ(Slot(4).player, rightBetter);
    EXPECT_EQ(Slot(4).score, 46);
    (void)right;
}

TEST_F(BestElevenTest, CentralPlayerBetterThanSlot3OnlyStaysOut) {
    const uint16_t first = Regular(kTop, 2, 80, 3);
    const uint16_t second = Regular(kTop, 2, 60, 3);  // beats nobody in slot 2
    const uint16_t forward1 = Regular(kTop, 10, 80);
    const uint16_t forward2 = Regular(kTop, 11, 60);
    HVW_BuildBestEleven(4 - 1, 0);
    EXPECT_EQ(Slot(2).player, first);
    EXPECT_EQ(Slot(2).score, 80);
    EXPECT_EQ(Slot(3).player, 0);
    (void)second;
    // A forward of the same standing takes slot 10.
    EXPECT_EQ(Slot(9).player, forward1);
    EXPECT_EQ(Slot(10).player, forward2);
}

TEST_F(BestElevenTest, BetterCentralPlayerPushesTheHolderToTheSecondPlace) {
    const uint16_t weaker = Regular(kTop, 7, 50, 3);
    const uint16_t better = Regular(kTop, 7, 90, 3);
    const uint16_t third = Regular(kTop, 7, 70, 3);
    const uint16_t fwdLow = Regular(kTop, 12, 30);
    const uint16_t fwdHigh = Regular(kTop, 12, 40);
    const uint16_t fwdMid = Regular(kTop, 12, 36);
    HVW_BuildBestEleven(3, 0);
    EXPECT_EQ(Slot(6).player, better);
    EXPECT_EQ(Slot(7).player, weaker);  // the 70 arrived after 90 and beat nobody
    (void)third;
    EXPECT_EQ(Slot(9).player, fwdHigh);
    EXPECT_EQ(Slot(10).player, fwdMid);  // slot 10's holder dropped out
    (void)fwdLow;
}

TEST_F(BestElevenTest, ModeTwoScoresTheWeakestRegularsOfTheDivision) {
    const uint16_t poor = Regular(kTop, 11, 20);
    Regular(kTop, 11, 100);                           // 100 - 100 = 0 never enters
    Regular(kSecond, 11, 10);                         // another division
    Regular(kForeign, 11, 10);                        // another country
    const uint16_t occasional = AddPlayer(kTop, 11);  // no appearance: not a regular
    SetPlayerPerf(occasional, 2);
    HVW_BuildBestEleven(2, 0);
    EXPECT_EQ(Slot(9).player, poor);
    EXPECT_EQ(Slot(9).score, 80);
    EXPECT_EQ(Slot(10).player, 0);
    EXPECT_EQ(Slot(10).score, 0);
}

TEST_F(BestElevenTest, ModeOneTakesDisciplinaryPointsOfTheWholeCountry) {
    const uint16_t a = AddPlayer(kSecond, 11);
    const uint16_t b = AddPlayer(kTop, 5);
    const uint16_t manager = AddPlayer(kTop, 13);
    SetPlayerDispoints(a, 4);
    SetPlayerDispoints(b, 2);
    SetPlayerDispoints(manager, 9);
    HVW_BuildBestEleven(1, 5);
    EXPECT_EQ(Slot(9).player, a);
    EXPECT_EQ(Slot(9).score, 12);
    EXPECT_EQ(Slot(8).player, b);  // setting 3 not 3: the right side
    EXPECT_EQ(Slot(8).score, 6);
}

TEST_F(BestElevenTest, AgeLimitsOfTheYoungAndVeteranElevens) {
    const uint16_t young = Regular(kSecond, 11, 50);
    const uint16_t old = Regular(kSecond, 10, 60);
    SetPlayerAge(young, 22 - 16);
    SetPlayerAge(old, 32 - 16);
    HVW_BuildBestEleven(3, 0);
    EXPECT_EQ(Slot(9).player, young);
    EXPECT_EQ(Slot(10).player, 0);
    HVW_BuildBestEleven(4, 0);
    EXPECT_EQ(Slot(9).player, old);
    SetPlayerAge(young, 23 - 16);
    SetPlayerAge(old, 31 - 16);
    HVW_BuildBestEleven(3, 0);
    EXPECT_EQ(Slot(9).player, 0);
    HVW_BuildBestEleven(4, 0);
    EXPECT_EQ(Slot(9).player, 0);
}

TEST_F(BestElevenTest, ModeZeroRatesKeepersByRecentMarks) {
    HVW_SetViewedCountry(0);
    const uint16_t keeper = AddPlayer(kTop, 0);  // keepers need not be regulars
    const uint16_t outfield = Regular(kTop, 11, 44);
    PutFixture(0, 0, kCompLeague, kTop, kSecond, 1, 0);
    uint8_t* r = MatchRatingTable[0][0].bytes;
    recbits::StoreU16(r, 0);
    recbits::StoreU16(r + 2, keeper);
    r[4] = 8;
    HVW_BuildBestEleven(0, 0);
    EXPECT_EQ(Slot(0).player, keeper);
    EXPECT_EQ(Slot(0).score, 8);
    EXPECT_EQ(Slot(9).player, outfield);
    // A country without clubs in the division gives an empty table.
    HVW_BuildBestEleven(0, 4);
    for (int i = 0; i < kBestElevenSlots; ++i) EXPECT_EQ(Slot(i).player, 0) << i;
    HVW_BuildBestEleven(2, 4);
    for (int i = 0; i < kBestElevenSlots; ++i) EXPECT_EQ(Slot(i).player, 0) << i;
}

TEST_F(BestElevenTest, OtherModesLeaveTheTableEmptyAndOffersNeedAHigherScore) {
    Regular(kTop, 11, 50);
    HVW_BuildBestEleven(3, 0);
    HVW_BuildBestEleven(5, 0);
    for (int i = 0; i < kBestElevenSlots; ++i) EXPECT_EQ(Slot(i).player, 0) << i;
    HVW_OfferBestGoalkeeper(7, 0);
    EXPECT_EQ(Slot(0).player, 0);
    HVW_OfferBestGoalkeeper(7, 3);
    HVW_OfferBestGoalkeeper(8, 3);
    EXPECT_EQ(Slot(0).player, 7);
    HVW_ClearBestEleven();
    EXPECT_EQ(Slot(0).player, 0);
    EXPECT_EQ(Slot(0).score, 0);
}

}  // namespace
