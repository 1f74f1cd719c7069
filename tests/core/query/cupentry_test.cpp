// Cup entry rounds, fixture play options, division moves and the club index
// within its division row.
#include <array>
#include <cstring>

#include "core/query/cupentry.h"
#include "core/query/divisionindex.h"
#include "core/season/european.h"
#include "core/season/leagues.h"
#include "core/season/nationorder.h"
#include "tests/core/records/records_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

class CupQueryTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        std::memset(LeagueTable, 0xFF, sizeof LeagueTable);
        std::memset(NationClubOrder, 0xFF, sizeof NationClubOrder);
        std::memset(EuropeanEntrantListC, 0xFF, sizeof EuropeanEntrantListC);
        std::memset(EuropeanEntrantListA, 0xFF, sizeof EuropeanEntrantListA);
        std::memset(EuropeanEntrantListB, 0xFF, sizeof EuropeanEntrantListB);
    }

    static void Place(int16_t club, int16_t nation, int row, int place) {
        SetClubNation(club, nation);
        LeagueTable[nation][row][place] = club;
    }

    struct Options {
        int16_t subs, extraTime, goldenGoal, penalties, awayGoals, leg, replay, firstHome, firstAway;
    };
    static Options OptionsOf(int16_t slot) {
        Options o{};
        HVW_GetFixturePlayOptions(slot, &o.subs, &o.extraTime, &o.goldenGoal, &o.penalties, &o.awayGoals,
                                  &o.leg, &o.replay, &o.firstHome, &o.firstAway);
        return o;
    }
};

// --- division index ---------------------------------------------------------

TEST_F(CupQueryTest, DivisionIndexCountsLowerClubsOfTheSameRowAndCountry) {
    for (int16_t c = 0; c < 10; ++c) SetClubNation(c, 1);
    Place(7, 1, 0, 0);
    Place(2, 1, 0, 1);
    Place(5, 1, 1, 0);
    Place(3, 1, 1, 1);
    // A club of another country in the same row number is not counted.
    Place(1, 3, 1, 0);
    // Clubs 0, 1 (foreign), 4, 6, 8 and 9 stand in no row.
    EXPECT_EQ(HVW_GetClubDivisionIndex(3), 0);  // lowest of row 1
    EXPECT_EQ(HVW_GetClubDivisionIndex(5), 1);
    EXPECT_EQ(HVW_GetClubDivisionIndex(2), 1);  // club 0 counts as a row-0 club
    // A club that no row holds is a club of row 0: clubs 0, 2 and 4 are below 6.
    EXPECT_EQ(HVW_GetClubDivisionIndex(6), 3);
    EXPECT_EQ(HVW_GetClubDivisionIndex(7), 4);
}

TEST_F(CupQueryTest, DivisionIndexRefusesClubsWithoutABlock) {
    EXPECT_EQ(HVW_GetClubDivisionIndex(1200), -1);
    EXPECT_EQ(HVW_GetClubDivisionIndex(-1), -1);
    SetClubNation(40, 20);  // a foreign league
    EXPECT_EQ(HVW_GetClubDivisionIndex(40), -1);
    // Country 4 plays two divisions: a club in its third row has no block.
    Place(41, 4, 2, 0);
    EXPECT_EQ(HVW_GetClubDivisionIndex(41), -1);
    Place(42, 4, 1, 0);
    EXPECT_EQ(HVW_GetClubDivisionIndex(42), 0);
}

TEST_F(CupQueryTest, DivisionIndexAboveTheDivisionSizeIsRefusedButTheSizeItselfIsGiven) {
    // Country 1's division 3 holds 10 clubs; ten clubs of that row stand below.
    for (int16_t c = 100; c < 111; ++c) Place(c, 1, 3, c - 100);
    EXPECT_EQ(HVW_GetClubDivisionIndex(110), 10);
    Place(111, 1, 3, 11);
    EXPECT_EQ(HVW_GetClubDivisionIndex(111), -1);
}

// --- division moves ---------------------------------------------------------

TEST_F(CupQueryTest, DivisionMoveInTheFirstSeasonUsesTheDeliveredOrder) {
    SeasonCalendar.season = 0;
    const int16_t top = NationClubStartLists[0][0];
    const int16_t thirtieth = NationClubStartLists[0][30];
    Place(top, 0, 0, 0);
    Place(thirtieth, 0, 0, 1);
    EXPECT_EQ(HVW_GetClubDivisionMove(top), 0);
    EXPECT_EQ(HVW_GetClubDivisionMove(thirtieth), 1);  // stood 31st, now in the top 20
    // A club missing from the delivered order came from below every division.
    const int16_t stranger = NationClubStartLists[1][0];
    Place(stranger, 0, 1, 0);
    EXPECT_EQ(HVW_GetClubDivisionMove(stranger), 1);
}

TEST_F(CupQueryTest, DivisionMoveLaterReadsLastSeasonsEntrantIndex) {
    SeasonCalendar.season = 3;
    Place(50, 0, 1, 4);  // division 1 of country 0: entrant indexes 20-43
    SetClubCoach(50, 1, 5, 11);
    EXPECT_EQ(HVW_GetClubDivisionMove(50), 2);
    SetClubCoach(50, 1, 20, 11);
    EXPECT_EQ(HVW_GetClubDivisionMove(50), 0);
    SetClubCoach(50, 1, 43, 11);
    EXPECT_EQ(HVW_GetClubDivisionMove(50), 0);
    SetClubCoach(50, 1, 44, 11);
    EXPECT_EQ(HVW_GetClubDivisionMove(50), 1);
}

TEST_F(CupQueryTest, DivisionMoveOfClubsOutsideTheLeagues) {
    EXPECT_EQ(HVW_GetClubDivisionMove(-1), 0);
    EXPECT_EQ(HVW_GetClubDivisionMove(1200), 0);
    SeasonCalendar.season = 2;
    SetClubNation(60, 30);
    SetClubCoach(60, 1, 99, 11);
    EXPECT_EQ(HVW_GetClubDivisionMove(60), 0);
}

// --- cup entry --------------------------------------------------------------

TEST_F(CupQueryTest, EuropeanEntryFollowsTheEntrantLists) {
    SetClubNation(70, 0);
    EXPECT_EQ(HVW_GetClubCupEntryRound(70, 4), -1);
    EXPECT_EQ(HVW_GetClubCupEntryRound(70, 5), -1);
    EXPECT_EQ(HVW_GetClubCupEntryRound(70, 6), -1);
    EuropeanEntrantListC[40] = 70;
    EXPECT_EQ(HVW_GetClubCupEntryRound(70, 4), 0);
    EXPECT_EQ(HVW_GetClubCupEntryRound(70, 6), -1);
    EuropeanEntrantListA[3] = 70;
    EXPECT_EQ(HVW_GetClubCupEntryRound(70, 6), 0);
    EuropeanEntrantListB[31] = 70;
    EXPECT_EQ(HVW_GetClubCupEntryRound(70, 5), 0);
}

TEST_F(CupQueryTest, CupEntryRefusesBadArguments) {
    SetClubNation(71, 0);
    NationClubOrder[0][0] = 71;
    EuropeanEntrantListC[0] = 71;
    EXPECT_EQ(HVW_GetClubCupEntryRound(71, -1), -1);
    EXPECT_EQ(HVW_GetClubCupEntryRound(71, 7), -1);
    EXPECT_EQ(HVW_GetClubCupEntryRound(-1, 0), -1);
    EXPECT_EQ(HVW_GetClubCupEntryRound(1200, 0), -1);
    SetClubNation(71, 12);  // a foreign club enters no cup here
    EXPECT_EQ(HVW_GetClubCupEntryRound(71, 4), -1);
    // A club that its country's order does not hold enters no national cup.
    SetClubNation(72, 0);
    EXPECT_EQ(HVW_GetClubCupEntryRound(72, 0), -1);
}

// --- play options of the end-of-season fixtures -------------------------------

TEST_F(CupQueryTest, LeagueAndFriendlyFixturesKeepTheStartingValues) {
    SetClubNation(80, 0);
    SetClubNation(81, 0);
    PutFixture(0, 10, kCompLeague, 80, 81, 31, 31);
    PutFixture(1, 10, kCompFriendly, 80, 81, 31, 31);
    PutFixture(2, 10, kCompReserveLeague, 80, 81, 31, 31);
    for (int16_t slot = 0; slot < 3; ++slot) {
        Options o = OptionsOf(slot);
        EXPECT_EQ(o.subs, 5);
        EXPECT_EQ((std::array{o.extraTime, o.goldenGoal, o.penalties, o.awayGoals, o.leg, o.replay,
                              o.firstHome, o.firstAway}),
                  (std::array<int16_t, 8>{}));
    }
}

TEST_F(CupQueryTest, PlayOffSemiFinalsAreTwoLegsWithTheFirstLegScoreTurnedRound) {
    SetClubNation(80, 0);
    SetClubNation(81, 0);
    PutFixture(0, 300, kCompPlayOffFirst, 81, 80, 3, 1);
    PutFixture(1, 303, kCompPlayOffSecond, 80, 81, 31, 31);
    Options first = OptionsOf(0);
    EXPECT_EQ(first.leg, 1);
    EXPECT_EQ(first.extraTime + first.penalties + first.awayGoals, 0);
    Options second = OptionsOf(1);
    EXPECT_EQ(second.leg, 2);
    EXPECT_EQ(second.awayGoals, 1);
    EXPECT_EQ(second.extraTime, 1);
    EXPECT_EQ(second.penalties, 1);
    EXPECT_EQ(second.firstHome, 1);  // club 80 scored 1 away in the first leg
    EXPECT_EQ(second.firstAway, 3);
    EXPECT_EQ(second.subs, 5);
}

TEST_F(CupQueryTest, PlayOffFinalAndChampionMatchGoToExtraTimeAndPenalties) {
    PutFixture(0, 320, kCompPlayOffFinal, 80, 81, 31, 31);
    PutFixture(1, 320, kCompChampionVsCupWinner, 82, 83, 31, 31);
    for (int16_t slot = 0; slot < 2; ++slot) {
        Options o = OptionsOf(slot);
        EXPECT_EQ(o.extraTime, 1);
        EXPECT_EQ(o.penalties, 1);
        EXPECT_EQ(o.leg, 0);
    }
}

TEST_F(CupQueryTest, SecondLegWithoutItsFirstLegStopsTheProgram) {
    PutFixture(0, 303, kCompPlayOffSecond, 80, 81, 31, 31);
    EXPECT_FATAL(OptionsOf(0), "Cannot find this fixture");
}

// --- play options from the cup round rules ------------------------------------------

TEST_F(CupQueryTest, NationalCupEntryFollowsTheRoundWindows) {
    // Country 0's main cup: indexes 44-123 enter in round 0, 0-43 in round 2.
    const int16_t top = 300, middle = 301, last = 302;
    for (int16_t c : {top, middle, last}) SetClubNation(c, 0);
    NationClubOrder[0][0] = uint16_t(top);
    NationClubOrder[0][44] = uint16_t(middle);
    NationClubOrder[0][124] = uint16_t(last);
    EXPECT_EQ(HVW_GetClubCupEntryRound(top, 0), 2);
    EXPECT_EQ(HVW_GetClubCupEntryRound(middle, 0), 0);
    EXPECT_EQ(HVW_GetClubCupEntryRound(last, 0), -1);
}

TEST_F(CupQueryTest, ReplayedRoundsAndTheirReplays) {
    SetClubNation(80, 0);
    SetClubNation(81, 0);
    PutFixture(0, 112, CupCode(0, 0), 80, 81, 2, 2);  // cup 0, round 0
    PutFixture(1, 119, 5 + 8, 81, 80, 31, 31);        // its replay
    Options first = OptionsOf(0);
    EXPECT_EQ(first.replay, 1);
    EXPECT_EQ(first.leg, 0);
    EXPECT_EQ(first.extraTime + first.penalties + first.awayGoals, 0);
    EXPECT_EQ(first.subs, 5);
    Options replay = OptionsOf(1);
    EXPECT_EQ(replay.replay, 2);
    EXPECT_EQ(replay.leg, 0);
    EXPECT_EQ(replay.extraTime, 1);
    EXPECT_EQ(replay.penalties, 1);
    EXPECT_EQ(replay.firstHome + replay.firstAway, 0);
}

TEST_F(CupQueryTest, FinalIsDecidedOnTheDay) {
    SetClubNation(80, 0);
    PutFixture(0, 280, 5 + 7, 80, 81, 31, 31);  // cup 0, round 7
    Options o = OptionsOf(0);
    EXPECT_EQ(o.extraTime, 1);
    EXPECT_EQ(o.penalties, 1);
    EXPECT_EQ(o.replay + o.leg, 0);
}

TEST_F(CupQueryTest, EuropeanTiesAreTwoLegsWhoeverPlaysAtHome) {
    // A club of another country at home in the second leg: the European
    // cups are run under country 0's rules.
    SetClubNation(90, 2);
    SetClubNation(91, 45);
    PutFixture(0, 59, CupCode(4, 0), 91, 90, 2, 0);  // cup 4, round 0, first leg
    PutFixture(1, 73, 69 + 8, 90, 91, 31, 31);       // second leg
    Options first = OptionsOf(0);
    EXPECT_EQ(first.leg, 1);
    EXPECT_EQ(first.awayGoals, 0);
    Options second = OptionsOf(1);
    EXPECT_EQ(second.leg, 2);
    EXPECT_EQ(second.awayGoals, 1);
    EXPECT_EQ(second.extraTime, 1);
    EXPECT_EQ(second.penalties, 1);
    EXPECT_EQ(second.firstHome, 0);  // club 90 scored none away
    EXPECT_EQ(second.firstAway, 2);
    EXPECT_EQ(second.subs, 5);
    // The first leg's home club may be foreign too.
    EXPECT_EQ(OptionsOf(0).subs, 5);
}

TEST_F(CupQueryTest, NationalCupOfAForeignHomeClubKeepsTheStartingValues) {
    SetClubNation(92, 45);
    PutFixture(0, 112, CupCode(0, 0), 92, 93, 31, 31);
    Options o = OptionsOf(0);
    EXPECT_EQ(o.subs, 5);
    EXPECT_EQ(o.replay + o.leg + o.extraTime + o.penalties, 0);
}

}  // namespace
