#include <gtest/gtest.h>

#include <array>

#include "core/club/playervalue.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/reportpicks.h"
#include "tests/core/query/query_fixture.h"

namespace {

class ReportTest : public QueryTest {
  protected:
    void SetUp() override {
        QueryTest::SetUp();
        MakeClub(kClub, 1, 0);
        MakeClub(kRival, 1, 0);
        MakeClub(kLower, 1, 1);
    }

    static constexpr int16_t kClub = 20, kRival = 21, kLower = 22;
};

TEST_F(ReportTest, CrowdFavouritesSortByTextIdNotByBand) {
    const uint16_t band19 = AddPlayer(kClub, 6);
    const uint16_t band2 = AddPlayer(kClub, 6);
    const uint16_t band0 = AddPlayer(kClub, 6);
    SetPlayerFans(band19, 60);  // 1191
    SetPlayerFans(band2, 7);    // 1610
    SetPlayerFans(band0, 0);    // 1192
    uint16_t out[5] = {9, 9, 9, 9, 9};
    HVW_ListClubPlayersByFans(kClub, out, 4);
    EXPECT_EQ(out[0], band2);
    EXPECT_EQ(out[1], band0);
    EXPECT_EQ(out[2], band19);
    EXPECT_EQ(out[3], 0);
    EXPECT_EQ(out[4], 9);
    // A bad club or no room leaves the list alone.
    HVW_ListClubPlayersByFans(1200, out, 4);
    HVW_ListClubPlayersByFans(kClub, out, 0);
    EXPECT_EQ(out[0], band2);
}

TEST_F(ReportTest, FirstFixtureInCompetitionLooksOnlyBeforeTheSlot) {
    PutFixture(0, 1, kCompNationalTeam, kClub, kRival, 0, 0);  // national day: skipped
    PutFixture(1, 2, kCompLeague, kRival, 30, 1, 0);           // not the club's
    PutFixture(2, 3, kCompLeague, kClub, kRival, 1, 0);
    PutFixture(3, 4, 5 + 8, kRival, kClub, 1, 0);  // cup 0, a second match
    PutFixture(4, 5, kCompLeague, kClub, 30, 1, 0);
    PutFixture(5, 6, 5 + 1, kClub, 30, 31, 31);
    PutFixture(6, 7, kCompPlayOffSecond, kClub, 30, 31, 31);            // play-off
    EXPECT_EQ(HVW_IsFirstClubFixtureInComp(kClub, 2, kCompLeague), 1);  // its own slot is the bound
    EXPECT_EQ(HVW_IsFirstClubFixtureInComp(kClub, 4, kCompLeague), 0);
    EXPECT_EQ(HVW_IsFirstClubFixtureInComp(kClub, 3, CupCode(0, kSecondMatchCodes)), 1);
    EXPECT_EQ(HVW_IsFirstClubFixtureInComp(kClub, 5, CupCode(0, 1)), 0);  // same cup, other round
    EXPECT_EQ(HVW_IsFirstClubFixtureInComp(kClub, 5, CupCode(1, 0)), 1);
    EXPECT_EQ(HVW_IsFirstClubFixtureInComp(kClub, 6, kCompPlayOffSecond), 1);
    PutFixture(1, 2, kCompPlayOffFinal, kClub, 30, 1, 0);
    EXPECT_EQ(HVW_IsFirstClubFixtureInComp(kClub, 6, kCompPlayOffFirst), 0);  // any play-off before code 1
    EXPECT_EQ(HVW_IsFirstClubFixtureInComp(kClub, 20000, kCompLeague), 0);
    EXPECT_EQ(HVW_IsFirstClubFixtureInComp(-1, 4, kCompLeague), 0);
}

TEST_F(ReportTest, PlayerByShirtSkipsEmptySlots) {
    const uint16_t a = AddPlayer(kClub, 6);
    const uint16_t b = AddPlayer(kClub, 10);
    SetPlayerShirt(a, 4);
    SetPlayerShirt(b, 9);
    EXPECT_EQ(HVW_FindClubPlayerByShirt(kClub, 9), b);
    EXPECT_EQ(HVW_FindClubPlayerByShirt(kClub, 5), 0);
    EXPECT_EQ(HVW_FindClubPlayerByShirt(kClub, 0), 0);
    EXPECT_EQ(HVW_FindClubPlayerByShirt(1200, 9), 0);
}

TEST_F(ReportTest, TopAssistsPrefersMidfieldersThenTheBetterPasser) {
    const uint16_t defender = AddPlayer(kClub, 2, 0, 9);
    const uint16_t mid1 = AddPlayer(kClub, 6, 0, 4);
    const uint16_t mid2 = AddPlayer(kClub, 7, 0, 4);
    AddPlayer(kClub, 0, 0, 20);  // keepers never
    SetPlayerStat(mid1, 3, 20);
    SetPlayerStat(mid1, 13, 20);
    SetPlayerStat(mid2, 3, 30);
    SetPlayerStat(mid2, 13, 20);
    EXPECT_EQ(HVW_GetClubTopAssistsPlayer(kClub), mid2);
    // Without midfielders every outfield player counts.
    SetPlayerPosition(mid1, 11);
    SetPlayerPosition(mid2, 11);
    EXPECT_EQ(HVW_GetClubTopAssistsPlayer(kClub), defender);
    EXPECT_EQ(HVW_GetClubTopAssistsPlayer(1200), 0);
}

TEST_F(ReportTest, TopAssistsOfAKeepersOnlySquadTakesEveryone) {
    const uint16_t k1 = AddPlayer(kClub, 0);
    const uint16_t k2 = AddPlayer(kClub, 0);
    SetPlayerStat(k1, 3, 10);
    SetPlayerStat(k2, 3, 40);
    SetPlayerStat(k1, 13, 10);
    SetPlayerStat(k2, 13, 10);
    EXPECT_EQ(HVW_GetClubTopAssistsPlayer(kClub), k2);
}

TEST_F(ReportTest, AvailabilityForAFixture) {
    const uint16_t p = AddPlayer(kClub, 6);
    PutFixture(0, 5, kCompLeague, kClub, kRival, 31, 31);    // league
    PutFixture(1, 6, 5 + 2, kClub, kRival, 31, 31);          // cup 0
    PutFixture(2, 7, CupCode(4, 0), kClub, kRival, 31, 31);  // European cup 4
    for (int k = 0; k < 7; ++k) SetPlayerCup(p, -1, int16_t(k), 1);
    EXPECT_EQ(HVW_IsPlayerAvailableForFixture(kClub, p, 1), 1);
    SetPlayerCup(p, kRival, 0, 1);  // cup-tied in cup 0
    EXPECT_EQ(HVW_IsPlayerAvailableForFixture(kClub, p, 1), 0);
    EXPECT_EQ(HVW_IsPlayerAvailableForFixture(kClub, p, 0), 1);
    SetPlayerCup(p, kClub, 0, 1);  // played it for this club
    EXPECT_EQ(HVW_IsPlayerAvailableForFixture(kClub, p, 1), 1);
    SetPlayerEuroBan(p, 1);
    EXPECT_EQ(HVW_IsPlayerAvailableForFixture(kClub, p, 1), 1);
    EXPECT_EQ(HVW_IsPlayerAvailableForFixture(kClub, p, 2), 0);
    SetPlayerIT(p, 1);
    EXPECT_EQ(HVW_IsPlayerAvailableForFixture(kClub, p, 0), 0);
    EXPECT_EQ(HVW_IsPlayerAvailableForFixture(kClub, 0, 0), 0);
    EXPECT_EQ(HVW_IsPlayerAvailableForFixture(kClub, p, -1), 0);
    EXPECT_EQ(HVW_IsPlayerAvailableForFixture(1200, p, 0), 0);
}

TEST_F(ReportTest, StrikePartnershipNeedsTwoTalliesAboveFiveAndHalfTheAverage) {
    const uint16_t f1 = AddPlayer(kClub, 11, 6);
    const uint16_t f2 = AddPlayer(kClub, 10, 5);
    AddPlayer(kClub, 6, 20);  // a midfielder
    int16_t top = -1, second = -1;
    EXPECT_EQ(HVW_HasClubStrikePartnership(kClub, &top, &second), 0);
    EXPECT_EQ(top, 6);
    EXPECT_EQ(second, 5);
    SetPlayerGoals(f2, 6);
    // Division 1/0 has two clubs and no goals yet: the average is 0.
    EXPECT_EQ(HVW_HasClubStrikePartnership(kClub, &top, &second), 1);
    // 30 goals for two clubs: an average of 15; 12 reaches 15 / 2.
    PutFixture(0, 0, kCompLeague, kClub, kRival, 15, 15);
    EXPECT_EQ(HVW_HasClubStrikePartnership(kClub, &top, &second), 1);
    PutFixture(0, 0, kCompLeague, kClub, kRival, 26, 26);
    EXPECT_EQ(HVW_HasClubStrikePartnership(kClub, &top, &second), 0);
    EXPECT_EQ(HVW_HasClubStrikePartnership(1200, &top, &second), 0);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(second, 0);
    uint16_t first = 9, other = 9;
    EXPECT_EQ(HVW_FindClubStrikePair(kClub, &first, &other, 6, 6, -1), 1);
    EXPECT_EQ(first, f1);
    EXPECT_EQ(other, f2);
}

TEST_F(ReportTest, StrikePairForAFixtureTakesOnlyAvailableStarters) {
    const uint16_t f1 = AddPlayer(kClub, 11, 9);
    const uint16_t f2 = AddPlayer(kClub, 10, 7);
    const uint16_t f3 = AddPlayer(kClub, 12, 8);
    SetPlayerShirt(f1, 9);
    SetPlayerShirt(f2, 10);
    SetPlayerShirt(f3, 14);  // on the bench
    PutFixture(0, 3, kCompLeague, kClub, kRival, 31, 31);
    uint16_t first = 9, second = 9;
    EXPECT_EQ(HVW_FindClubStrikePair(kClub, &first, &second, 9, 7, 0), 1);
    EXPECT_EQ(first, f1);
    EXPECT_EQ(second, f2);
    SetPlayerIT(f2, 1);
    EXPECT_EQ(HVW_FindClubStrikePair(kClub, &first, &second, 9, 7, 0), 0);
    EXPECT_EQ(first, f1);
    EXPECT_EQ(second, 0);
    // Without a fixture every forward counts; the last at the threshold wins.
    EXPECT_EQ(HVW_FindClubStrikePair(kClub, &first, &second, 9, 7, -1), 1);
    EXPECT_EQ(second, f3);
    EXPECT_EQ(HVW_FindClubStrikePair(1200, &first, &second, 9, 7, -1), 0);
    EXPECT_EQ(first, 0);
}

TEST_F(ReportTest, TopScorerTiesGoToTheLaterPlayer) {
    const uint16_t a = AddPlayer(kClub, 6);
    const uint16_t b = AddPlayer(kClub, 11);
    AddPlayer(kClub, 0, 30);  // a keeper's goals do not count
    int16_t tie = 7;
    EXPECT_EQ(HVW_GetClubTopScorer(kClub, &tie), b);  // nobody scored
    EXPECT_EQ(tie, 1);
    SetPlayerGoals(a, 4);
    EXPECT_EQ(HVW_GetClubTopScorer(kClub, &tie), a);
    EXPECT_EQ(tie, 0);
    SetPlayerGoals(b, 4);
    EXPECT_EQ(HVW_GetClubTopScorer(kClub, &tie), b);
    EXPECT_EQ(tie, 1);
    EXPECT_EQ(HVW_GetClubTopScorer(-1, &tie), 0);
    EXPECT_EQ(tie, 0);
}

TEST_F(ReportTest, DivisionTopScorer) {
    AddPlayer(kClub, 11, 8);
    const uint16_t r = AddPlayer(kRival, 11, 12);
    AddPlayer(kLower, 11, 40);  // another division
    int16_t tie = 5;
    EXPECT_EQ(HVW_GetDivisionTopScorer(1, 0, &tie), r);
    EXPECT_EQ(tie, 0);
    const uint16_t c = AddPlayer(kClub, 10, 12);
    EXPECT_EQ(HVW_GetDivisionTopScorer(1, 0, &tie), r);  // clubs in table order
    EXPECT_EQ(tie, 1);
    SetPlayerGoals(r, 11);
    EXPECT_EQ(HVW_GetDivisionTopScorer(1, 0, &tie), c);
    EXPECT_EQ(tie, 0);
    EXPECT_EQ(HVW_GetDivisionTopScorer(1, 2, &tie), 0);
    EXPECT_EQ(HVW_GetDivisionTopScorer(9, 0, &tie), 0);
    EXPECT_EQ(tie, 0);
}

TEST_F(ReportTest, MostValuablePlayerStages) {
    // Three equal forwards under contract, established at the club.
    const uint16_t a = AddPlayer(kClub, 10);
    const uint16_t b = AddPlayer(kClub, 10);
    const uint16_t c = AddPlayer(kClub, 10);
    for (uint16_t p : {a, b, c}) {
        for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, 80);
        SetPlayerContract(p, 24);
        SetPlayerCareerApps(p, 100);
        SetPlayerManPrice(p, -1);
        SetPlayerField52(p, 200);
    }
    uint16_t list[32] = {};
    list[5] = a;
    int32_t value = -1;
    // One entry: he and his plain value.
    EXPECT_EQ(HVW_PickMostValuablePlayer(list, &value), a);
    EXPECT_EQ(value, ValuePlayer(a));
    // Equal plain values: the fuller value decides.
    list[9] = b;
    SetPlayerGoals(a, 1);
    SetPlayerGoals(b, 30);
    ASSERT_EQ(ValuePlayer(a), ValuePlayer(b));
    ASSERT_LT(ValuePlayerFull(a), ValuePlayerFull(b));
    EXPECT_EQ(HVW_PickMostValuablePlayer(list, &value), b);
    EXPECT_EQ(value, ValuePlayerFull(b));
    // Equal full values too: the largest product of four attributes, the
    // later entry on a tie.
    list[20] = c;
    SetPlayerGoals(a, 30);
    SetPlayerGoals(c, 30);
    for (uint16_t p : {a, b, c}) {
        for (int16_t stat : {2, 3, 4, 8}) SetPlayerStat(p, stat, 20);
    }
    SetPlayerStat(a, 8, 30);
    EXPECT_EQ(HVW_PickMostValuablePlayer(list, &value), a);
    SetPlayerStat(a, 8, 20);
    EXPECT_EQ(HVW_PickMostValuablePlayer(list, &value), c);
    EXPECT_EQ(value, ValuePlayerFull(c));
    EXPECT_EQ(HVW_PickMostValuablePlayer(std::array<uint16_t, 32>{}.data(), &value), 0);
    EXPECT_EQ(value, 0);
    // The club's selected team.
    EXPECT_EQ(HVW_GetClubMostValuablePlayer(kClub, &value), c);
}

TEST_F(ReportTest, StarPlayerByPerformanceThenGoalsThenAssists) {
    SeasonCalendar.currentDay = 0;  // first day: one game is enough
    const uint16_t keeper = AddPlayer(kClub, 0, 2);
    const uint16_t mid = AddPlayer(kClub, 6, 3, 4);
    const uint16_t fwd = AddPlayer(kClub, 11, 5, 1);
    const uint16_t bench = AddPlayer(kClub, 11, 9);
    for (uint16_t p : {keeper, mid, fwd}) {
        SetPlayerApps(p, 1);
        SetPlayerPerf(p, 60);
    }
    SetPlayerPerf(bench, 90);  // no appearance: not eligible
    int16_t perf, goals, assists, keeperGoals;
    HVW_GetClubStarPlayerFigures(kClub, &perf, &goals, &assists, &keeperGoals);
    EXPECT_EQ(perf, 60);
    EXPECT_EQ(goals, 5);
    EXPECT_EQ(assists, 1);
    EXPECT_EQ(keeperGoals, 0);
    EXPECT_EQ(HVW_GetClubStarPlayer(kClub), fwd);
    // A keeper who stands out on performance gives his goals as a keeper's.
    SetPlayerPerf(keeper, 70);
    HVW_GetClubStarPlayerFigures(kClub, &perf, &goals, &assists, &keeperGoals);
    EXPECT_EQ(perf, 70);
    EXPECT_EQ(goals, 0);
    EXPECT_EQ(keeperGoals, 2);
    EXPECT_EQ(HVW_GetClubStarPlayer(kClub), keeper);
    // Played fixtures raise the bar: with 5 before today 4 appearances are needed.
    SeasonCalendar.currentDay = 50;
    for (int i = 0; i < 5; ++i) PutFixture(i, 1 + i, kCompLeague, kClub, kRival, 1, 1);
    SetPlayerApps(mid, 4);
    HVW_GetClubStarPlayerFigures(kClub, &perf, &goals, &assists, &keeperGoals);
    EXPECT_EQ(goals, 3);
    EXPECT_EQ(assists, 4);
    EXPECT_EQ(HVW_GetClubStarPlayer(kClub), mid);
}

TEST_F(ReportTest, SameDivisionAndSquadListClub) {
    EXPECT_EQ(HVW_AreClubsInSameDivision(kClub, kRival), 1);
    EXPECT_EQ(HVW_AreClubsInSameDivision(kClub, kLower), 0);
    MakeClub(40, 2, 0);
    EXPECT_EQ(HVW_AreClubsInSameDivision(kClub, 40), 0);

    const uint16_t loaned = AddPlayer(kClub, 6);
    const uint16_t own = AddPlayer(kClub, 6);
    SetPlayerClub(loaned, kRival);  // on loan at kClub from kRival
    UpdateClubSquads();
    HVW_BuildSquadList(kClub);
    EXPECT_EQ(HVW_GetSquadListClub(), kClub);
    SetPlayerLoanClub(own, kLower);
    HVW_BuildSquadList(kClub);
    EXPECT_EQ(HVW_GetSquadListClub(), -1);
    HVW_BuildSquadList(45);  // a club without players
    EXPECT_EQ(HVW_GetSquadListClub(), -1);
}

TEST_F(ReportTest, RecentRatingAveragesTheLastSevenDaysOfTheClubsRow) {
    // Clubs 20 and 21 share division row 0 of country 1: rows 0 and 1.
    HVW_SetViewedCountry(1);
    const uint16_t p = AddPlayer(kRival, 6);
    SeasonCalendar.currentDay = 30;
    PutFixture(0, 20, kCompLeague, kRival, kClub, 1, 0);  // too old
    PutFixture(1, 23, kCompLeague, kRival, kClub, 1, 0);
    PutFixture(2, 30, kCompLeague, kClub, kRival, 1, 0);
    PutFixture(3, 31, kCompLeague, kClub, kRival, 31, 31);  // after today
    auto record = [](int row, int index, int16_t slot, uint16_t player, uint8_t mark) {
        uint8_t* r = MatchRatingTable[row][index].bytes;
        recbits::StoreU16(r, uint16_t(slot));
        recbits::StoreU16(r + 2, player);
        r[4] = mark;
    };
    record(1, 0, 0, p, 90);
    record(1, 1, 1, p, 7);
    record(1, 2, 2, p, 8);
    record(1, 3, 3, p, 90);
    record(1, 4, 2, p, 90);  // a second record of a fixture does not count
    record(0, 0, 1, p, 90);  // another club's row
    EXPECT_EQ(HVW_GetPlayerRecentRating(p, kRival), (7 + 8) / 2);
    EXPECT_EQ(HVW_GetPlayerRecentRating(p, 1200), 0);
    EXPECT_EQ(HVW_GetPlayerRecentRating(AddPlayer(kRival, 6), kRival), 0);
}

TEST_F(ReportTest, RecentRatingRowCountsOnlyTheClubsOwnCountryAndDivision) {
    // Foreign clubs with lower numbers in division 0 of other countries do
    // not push the club's row past its division.
    for (int16_t club = 0; club < 19; ++club) MakeClub(club, 2, 0);
    HVW_SetViewedCountry(1);
    const uint16_t p = AddPlayer(kRival, 6);
    SeasonCalendar.currentDay = 5;
    PutFixture(0, 5, kCompLeague, kRival, kClub, 1, 0);
    uint8_t* r = MatchRatingTable[1][0].bytes;
    recbits::StoreU16(r, 0);
    recbits::StoreU16(r + 2, p);
    r[4] = 6;
    EXPECT_EQ(HVW_GetPlayerRecentRating(p, kRival), 6);
    // A club of a country outside play has no row.
    MakeLooseClub(23, 9);
    EXPECT_EQ(HVW_GetPlayerRecentRating(p, 23), 0);
    // The viewed country's division decides how many rows there are.
    HVW_SetViewedCountry(3);
    EXPECT_EQ(HVW_GetPlayerRecentRating(p, kRival), 0);
}

}  // namespace
