// European qualifiers, Champions League groups, European places and the
// place of a fixture in its competition.
#include <gtest/gtest.h>

#include "core/base/bytes.h"
#include "core/query/europeanplaces.h"
#include "core/query/layerstate.h"
#include "core/records/honours.h"
#include "core/season/competitions.h"
#include "core/season/european.h"
#include "tests/core/records/league_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

class EuropeTest : public LeagueWorldTest {
  protected:
    void SetUp() override {
        LeagueWorldTest::SetUp();
        for (int16_t& c : EuropeanEntrantListA) c = -1;
        for (int16_t& c : EuropeanEntrantListB) c = -1;
        for (int16_t& c : EuropeanEntrantListC) c = -1;
        std::memset(ChampionsLeagueGroups, 0, sizeof ChampionsLeagueGroups);
        std::memset(EuropeanPlaceRecords, 0xFF, sizeof EuropeanPlaceRecords);
    }
    static void PlaceWord(int country, int word, int16_t club) {
        recbits::StoreU16(EuropeanPlaceRecords + 58 * country + 2 * word, uint16_t(club));
    }
};

TEST_F(EuropeTest, QualifiersOfACountry) {
    int16_t a = 9, c = 9;
    GetEuroQualifiers(&a, &c, 2);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(c, 0);
    for (int16_t q : EuroQualifiers) EXPECT_EQ(q, -1);

    SetClubNation(10, 2);
    SetClubNation(11, 2);
    SetClubNation(12, 5);
    EuropeanEntrantListA[3] = 10;
    EuropeanEntrantListA[4] = 12;  // another country
    EuropeanEntrantListB[0] = 11;
    EuropeanEntrantListC[40] = 10;  // in list A and list C: listed twice
    GetEuroQualifiers(&a, &c, 2);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(EuroQualifiers[0], 10);
    EXPECT_EQ(EuroQualifiers[1], 11);
    EXPECT_EQ(EuroQualifiers[2], 10);
    EXPECT_EQ(EuroQualifiers[3], -1);
}

TEST_F(EuropeTest, TenQualifiersFitAndFurtherOnesAreLeftOut) {
    for (int16_t i = 0; i < 12; ++i) SetClubNation(int16_t(20 + i), 1);
    for (int16_t i = 0; i < 10; ++i) EuropeanEntrantListC[i] = int16_t(20 + i);
    int16_t a = -1, c = -1;
    GetEuroQualifiers(&a, &c, 1);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(c, 10);
    EXPECT_EQ(EuroQualifiers[9], 29);
    // Two more in the first list: they come first, the last two of the
    // third list drop out.
    EuropeanEntrantListA[0] = 30;
    EuropeanEntrantListA[1] = 31;
    GetEuroQualifiers(&a, &c, 1);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(c, 8);
    EXPECT_EQ(EuroQualifiers[0], 30);
    EXPECT_EQ(EuroQualifiers[1], 31);
    EXPECT_EQ(EuroQualifiers[2], 20);
    EXPECT_EQ(EuroQualifiers[9], 27);
}

TEST_F(EuropeTest, ChampionsLeagueGroups) {
    ChampionsLeagueGroups[1][5][2] = 333;
    ChampionsLeagueGroups[1][5][0] = 330;
    EXPECT_EQ(HVW_GetChampionsLeagueGroupClub(2, 5, 1), 333);
    EXPECT_EQ(HVW_GetChampionsLeagueGroupClub(2, 4, 1), -1);  // not drawn
    // The first group that holds the club.
    ChampionsLeagueGroups[1][6][1] = 333;
    EXPECT_EQ(HVW_GetChampionsLeagueGroup(333, 1), 5);
    EXPECT_EQ(HVW_GetChampionsLeagueGroup(330, 1), 5);
}

using EuropeDeathTest = EuropeTest;

TEST_F(EuropeDeathTest, AClubInNoGroupIsFatal) {
    ChampionsLeagueGroups[0][2][1] = 44;
    EXPECT_FATAL(HVW_GetChampionsLeagueGroup(44, 1),
                 "Team Not In Champions League, Funcs-HVW_GetChampionsLeagueGroup");
    EXPECT_FATAL(HVW_GetChampionsLeagueGroup(44, 2), "Team Not In Champions League");
}

TEST_F(EuropeTest, ReasonsAndPlaces) {
    HVW_SetViewedCountry(0);
    PlaceWord(1, 0, 100);
    PlaceWord(1, 1, 101);
    PlaceWord(1, 2, 102);
    PlaceWord(1, 3, 103);
    PlaceWord(1, 4, 104);
    HonoursTable[0][1].words[14] = 101;
    EXPECT_EQ(HVW_GetEuroPlaceReasonText(100, 1), 1466);
    EXPECT_EQ(HVW_GetEuroPlaceReasonText(101, 1), 1467);
    HonoursTable[0][1].words[14] = 5;
    EXPECT_EQ(HVW_GetEuroPlaceReasonText(101, 1), 1470);
    EXPECT_EQ(HVW_GetEuroPlaceReasonText(102, 1), 1845);
    EXPECT_EQ(HVW_GetEuroPlaceReasonText(103, 1), 1466);
    EXPECT_EQ(HVW_GetEuroPlaceReasonText(104, 1), 1467);
    EXPECT_EQ(HVW_GetEuroPlaceReasonText(105, 1), -1);

    // Row 2, entry 3: word 5 + 4 x 2 + 3.
    PlaceWord(1, 16, 200);
    SetClubNation(200, 1);
    SetClubDivision(200, 1);
    int16_t text = 0;
    EXPECT_EQ(HVW_GetEuroPlaceClub(2, &text, 3, 1), 200);
    EXPECT_EQ(text, 1818);
    SetClubDivision(200, 2);
    EXPECT_EQ(HVW_GetEuroPlaceClub(2, &text, 3, 1), 200);
    EXPECT_EQ(text, -1);
    EXPECT_EQ(HVW_GetEuroPlaceClub(0, &text, 0, 1), -1);  // empty entry
    EXPECT_EQ(text, -1);

    EuroPlaceFlags[4][2] = 7;
    EXPECT_EQ(HVW_IsEuroPlaceFlagSet(2, 4), 1);
    EXPECT_EQ(HVW_IsEuroPlaceFlagSet(4, 2), 0);
    EXPECT_EQ(HVW_GetEuroPlaceCount(), 4);
}

TEST_F(EuropeTest, FixtureCompetitionPosition) {
    Place(60, 3, 2, 0);
    PutFixture(0, 5, kCompLeague, 60, 61, 31, 31);
    PutFixture(1, 5, kCompReserveLeague, 60, 61, 31, 31);
    PutFixture(2, 5, 5 + 16 * 5 + 8 + 3, 60, 61, 31, 31);  // cup 5, second match of round 3
    PutFixture(3, 5, kCompFriendly, 60, 61, 31, 31);
    PutFixture(4, 5, kCompNationalTeam, 1, 2, 31, 31);
    PutFixture(5, 5, kCompNationalUnder21, 1, 2, 31, 31);
    PutFixture(6, 5, kCompPlayOffSecond, 999, 61, 31, 31);  // home club in no table
    int16_t d, c, r;
    HVW_GetFixtureCompPosition(0, &d, &c, &r);
    EXPECT_EQ(d, 2);
    EXPECT_EQ(c, -2);
    EXPECT_EQ(r, -1);
    HVW_GetFixtureCompPosition(1, &d, &c, &r);
    EXPECT_EQ(d, 2);
    HVW_GetFixtureCompPosition(2, &d, &c, &r);
    EXPECT_EQ(d, -2);
    EXPECT_EQ(c, 5);
    EXPECT_EQ(r, 3);
    for (int16_t slot : {3, 4, 5}) {
        HVW_GetFixtureCompPosition(slot, &d, &c, &r);
        EXPECT_EQ(d, -2) << slot;
        EXPECT_EQ(c, -2) << slot;
        EXPECT_EQ(r, -1) << slot;
    }
    HVW_GetFixtureCompPosition(6, &d, &c, &r);
    EXPECT_EQ(d, 0);
}

}  // namespace
