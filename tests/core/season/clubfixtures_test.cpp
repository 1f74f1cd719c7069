#include "core/season/clubfixtures.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/query/competitionnames.h"
#include "tests/core/season/season_fixture.h"

namespace {

using ClubFixturesTest = SeasonTest;

TEST_F(ClubFixturesTest, NextOpponentSkipsPastDaysNationalDaysAndReserveGames) {
    SeasonCalendar.currentDay = 10;
    AddFixture(5, kCompLeague, 1, 2, 0);          // before today
    AddFixture(10, kCompReserveLeague, 1, 3, 0);  // reserve league
    AddFixture(11, kCompNationalTeam, 1, 4, 1);   // national-team day
    AddFixture(12, kCompLeague, 5, 1, 0);
    AddFixture(14, kCompLeague, 1, 6, 0);
    EXPECT_EQ(GetNextOpponent(1), 5);
    EXPECT_EQ(GetNextOpponent(5), 1);
    EXPECT_EQ(FindNextFixtureOfClub(1), 5);
    // Only national-team days left.
    SeasonCalendar.currentDay = 20;
    AddFixture(25, kCompNationalUnder21, 1, 2, 1);
    EXPECT_EQ(GetNextOpponent(1), -1);
    // Empty slots hold club 0 in their heads; they are no fixtures.
    EXPECT_EQ(GetNextOpponent(0), -1);
    EXPECT_EQ(GetNextFixtureCupSlot(0), -1);
}

// Kept next fixtures answer as a fresh look-up would, whatever the table
// and the day do meanwhile.
TEST_F(ClubFixturesTest, KeptNextFixturesFollowTheTableAndTheDay) {
    SeasonCalendar.currentDay = 10;
    AddFixture(12, kCompLeague, 5, 1, 0);
    AddFixture(14, kCompLeague, 1, 6, 0);
    KeepNextFixtures(true);
    EXPECT_EQ(GetNextOpponent(1), 5);
    EXPECT_EQ(GetNextOpponent(7), -1);
    AddFixture(11, kCompLeague, 1, 7, 0);  // an earlier fixture comes in
    EXPECT_EQ(GetNextOpponent(1), 7);
    EXPECT_EQ(GetNextOpponent(7), 1);
    DeleteFixture(0);
    EXPECT_EQ(GetNextOpponent(1), 5);
    EXPECT_EQ(GetNextOpponent(7), -1);
    SeasonCalendar.currentDay = 13;  // the day moves on
    EXPECT_EQ(GetNextOpponent(1), 6);
    AddFixture(14, kCompLeague, 9, 10, 0);
    SwapFixtureHeads(1, 2);  // the two fixtures of day 14 change places
    EXPECT_EQ(GetNextOpponent(1), 6);
    EXPECT_EQ(GetNextOpponent(9), 10);
    ClearFixtureTable();
    EXPECT_EQ(GetNextOpponent(1), -1);
    KeepNextFixtures(false);
    AddFixture(20, kCompLeague, 1, 8, 0);
    EXPECT_EQ(GetNextOpponent(1), 8);
}

// Kept answers come from one walk for all clubs: each equals the scan for
// the one club on random tables (national days carry nation numbers,
// reserve games and past days are passed over).
TEST_F(ClubFixturesTest, KeptNextFixturesEqualTheScanOfEachClub) {
    GameSeedRandom(515);
    constexpr int16_t kTypes[] = {
        kCompLeague, kCompReserveLeague, kCompNationalTeam, kCompNationalUnder21, kCompFriendly, 7, 90};
    for (int round = 0; round < 6; ++round) {
        ClearFixtureTable();
        for (int i = 0; i < 1500; ++i) {
            const int16_t type = kTypes[GameRandom() % 7];
            const int16_t limit = type == kCompNationalTeam || type == kCompNationalUnder21 ? 40 : 300;
            AddFixture(int16_t(GameRandom() % 120), type, int16_t(GameRandom() % limit),
                       int16_t(GameRandom() % limit), 0);
        }
        SeasonCalendar.currentDay = int16_t(GameRandom() % 130);
        const auto next = [](int16_t club) {
            return std::pair(GetNextOpponent(club), GetNextFixtureCupSlot(club));
        };
        std::vector<std::pair<int16_t, int16_t>> scanned;
        for (int16_t club = -1; club < 320; ++club) scanned.push_back(next(club));
        KeepNextFixtures(true);
        for (int16_t club = 319; club >= -1; --club)
            ASSERT_EQ(next(club), scanned[size_t(club + 1)]) << "club " << club;
        KeepNextFixtures(false);
    }
}

TEST_F(ClubFixturesTest, CupSlotOfTheNextFixture) {
    const struct {
        int16_t type;
        int16_t slot;
    } cases[] = {{0, -1}, {3, -1}, {4, -1}, {5, 0},   {20, 0},  {21, 1},  {52, 2},   {68, 3},
                 {69, 4}, {84, 4}, {85, 6}, {100, 6}, {101, 6}, {116, 6}, {117, 117}};
    for (const auto& c : cases) {
        ClearFixtureTable();
        AddFixture(3, c.type, 7, 8, 0);
        EXPECT_EQ(GetNextFixtureCupSlot(8), c.slot) << "type " << c.type;
        EXPECT_EQ(GetNextFixtureOfClub(8), c.slot);
    }
}

TEST_F(ClubFixturesTest, CupTiedWhenPlayedInTheCompetitionForAnotherClub) {
    const uint16_t p = 12;
    MakeClub(5, 2, 0);
    SetPlayerClub(p, 5);
    for (int16_t row = 0; row < 9; ++row) {
        for (int16_t slot = 0; slot < 7; ++slot) SetPlayerCup(p, -1, slot, row);
    }
    AddFixture(3, CupCode(1, 1), 5, 9, 0);  // national cup 1
    EXPECT_EQ(IsPlayerCupTied(p), 0);       // never played in it
    SetPlayerCup(p, 5, 1, 2);
    EXPECT_EQ(IsPlayerCupTied(p), 0);  // played for this club
    SetPlayerCup(p, 40, 1, 2);
    EXPECT_EQ(IsPlayerCupTied(p), 1);
    EXPECT_EQ(GetNextFixtureOfPlayersClub(p), 1);
    SetPlayerCup(p, 40, 1, 3);  // another country's cup 1 is no matter
    SetPlayerCup(p, -1, 1, 2);
    EXPECT_EQ(IsPlayerCupTied(p), 0);

    // The second and third European cups share one slot, in row 0.
    ClearFixtureTable();
    AddFixture(3, CupCode(6, 0), 9, 5, 0);
    SetPlayerCup(p, 41, 6, 0);
    EXPECT_EQ(IsPlayerCupTied(p), 1);
    // Friendlies and league fixtures never tie a player.
    ClearFixtureTable();
    AddFixture(3, kCompFriendly, 9, 5, 0);
    SetPlayerCup(p, 41, 0, 2);
    EXPECT_EQ(IsPlayerCupTied(p), 0);
}

TEST_F(ClubFixturesTest, PlayedCountTakesEveryFixtureBeforeToday) {
    SeasonCalendar.currentDay = 30;
    AddFixture(1, kCompLeague, 1, 2, 0);         // never played, still counted
    AddFixture(2, kCompFriendly, 3, 1, 0);       // friendly
    AddFixture(3, kCompNationalTeam, 1, 4, 1);   // national-team day
    AddFixture(4, kCompReserveLeague, 1, 5, 0);  // reserve league
    AddFixture(5, CupCode(3, 7), 6, 1, 0);       // cup
    AddFixture(30, kCompLeague, 1, 7, 0);        // today
    EXPECT_EQ(CountPlayedFixturesOfClub(1), 3);
    EXPECT_EQ(CountPlayedFixturesOfClub(0), 0);
}

TEST_F(ClubFixturesTest, SubstitutesOfTheNextCompetitiveFixture) {
    MakeClub(1, 0, 0);
    MakeClub(2, 4, 0);
    MakeClub(3, 5, 3);                           // a division row country 5 does not have: 0 substitutes
    EXPECT_EQ(GetNextFixtureSubstitutes(1), 5);  // nothing ahead

    AddFixture(2, kCompFriendly, 1, 9, 0);  // friendlies do not count
    AddFixture(4, kCompLeague, 1, 9, 0);
    EXPECT_EQ(GetNextFixtureSubstitutes(1), 5);
    EXPECT_EQ(GetFixtureCompInfo(1), 5);

    AddFixture(5, kCompLeague, 3, 8, 0);
    EXPECT_EQ(GetNextFixtureSubstitutes(3), 0);
    // A champion-versus-cup-winner match is passed over for the next one.
    AddFixture(3, kCompChampionVsCupWinner, 3, 8, 1);
    AddFixture(4, CupCode(5, 5), 3, 8, 0);
    EXPECT_EQ(GetNextFixtureSubstitutes(3), 5);

    // Country 4 has no national cups: the rule byte reads -1.
    AddFixture(6, CupCode(0, 1), 2, 8, 0);
    EXPECT_EQ(GetNextFixtureSubstitutes(2), -1);
    AddFixture(5, CupCode(5, kSecondMatchCodes + 7), 2, 8, 0);  // European cups use country 0's rules
    EXPECT_EQ(GetNextFixtureSubstitutes(2), 5);
}

TEST_F(ClubFixturesTest, LeaguePositionCountsThroughTheDivisions) {
    MakeClub(100, 3, 1);
    MakeClub(101, 3, 0);
    MakeClub(102, 20, 0);
    MakeClub(103, 3, 2);
    for (int place = 0; place < 18; ++place) LeagueTable[3][0][place] = int16_t(200 + place);
    LeagueTable[3][0][5] = -1;  // an empty place is not counted
    LeagueTable[3][1][0] = 300;
    LeagueTable[3][1][1] = 100;
    LeagueTable[3][0][2] = 101;
    EXPECT_EQ(GetClubLeaguePosition(100), 17 + 1 + 1);
    EXPECT_EQ(GetClubLeaguePosition(101), 3);
    EXPECT_EQ(GetClubLeaguePosition(103), 1200);  // stands nowhere
    EXPECT_EQ(GetClubLeaguePosition(102), 0);     // country beyond 8
}

TEST_F(ClubFixturesTest, SeasonDayEntries) {
    CompetitionDayWords[0] = 17;
    CompetitionDayWords[9] = -4;
    EXPECT_EQ(GetSeasonDayEntry(0), 17);
    EXPECT_EQ(GetSeasonDayEntry(9), -4);
    EXPECT_EQ(GetSeasonDayEntry(10), 0);
    EXPECT_EQ(GetSeasonDayEntry(-1), 0);
}

// --- the day's order ----------------------------------------------------------------

class DayOrderTest : public SeasonTest {
  protected:
    static constexpr int16_t kToday = 40;

    void SetUp() override {
        SeasonTest::SetUp();
        SeasonCalendar.currentDay = kToday;
        // Country 0: clubs 10-19 in division 0, 20-29 in division 1.
        // Country 1: clubs 30-39 in division 0.
        for (int16_t i = 0; i < 10; ++i) {
            MakeClub(int16_t(10 + i), 0, 0);
            PlaceInTable(int16_t(10 + i), 0, i);
            MakeClub(int16_t(20 + i), 0, 1);
            PlaceInTable(int16_t(20 + i), 1, i);
            MakeClub(int16_t(30 + i), 1, 0);
            PlaceInTable(int16_t(30 + i), 0, i);
        }
        MakeUserClub(12);
        AddFixture(kToday - 1, kCompLeague, 10, 11, 0);
    }

    std::vector<FixtureHead> Today() {
        std::vector<FixtureHead> heads;
        for (int slot = 0; slot < kFixtureSlots; ++slot) {
            if (FixtureDay(slot) == kToday) heads.push_back(HeadOf(slot));
        }
        return heads;
    }
};

TEST_F(DayOrderTest, UsersLeagueGroupLeadsWithHisMatchLast) {
    AddFixture(kToday, kCompLeague, 30, 31, 0);  // country 1
    AddFixture(kToday, kCompLeague, 14, 15, 0);
    AddFixture(kToday, kCompLeague, 20, 21, 0);  // division 1
    AddFixture(kToday, kCompLeague, 12, 13, 0);  // the user's
    AddFixture(kToday, kCompLeague, 16, 17, 0);
    AddFixture(kToday, CupCode(5, 5), 32, 33, 0);  // a European match elsewhere
    AddFixture(kToday + 1, kCompLeague, 18, 19, 0);
    EXPECT_EQ(OrderTodaysFixtures(), 1);
    std::vector<FixtureHead> expected = {
        {kToday, 0, 14, 15}, {kToday, 0, 16, 17}, {kToday, 0, 12, 13},
        {kToday, 0, 30, 31}, {kToday, 0, 20, 21}, {kToday, 90, 32, 33},
    };
    EXPECT_EQ(Today(), expected);
    EXPECT_EQ(HeadOf(0), (FixtureHead{kToday - 1, 0, 10, 11}));
}

TEST_F(DayOrderTest, EuropeanGroupTakesEveryCountry) {
    AddFixture(kToday, kCompLeague, 14, 15, 0);
    AddFixture(kToday, CupCode(4, 1), 32, 33, 0);  // same European cup, country 1
    AddFixture(kToday, CupCode(4, 6), 12, 34, 0);  // the user's
    AddFixture(kToday, CupCode(5, 5), 16, 35, 0);  // another European cup
    EXPECT_EQ(OrderTodaysFixtures(), 1);
    std::vector<FixtureHead> expected = {
        {kToday, 70, 32, 33},
        {kToday, 75, 12, 34},
        {kToday, 0, 14, 15},
        {kToday, 90, 16, 35},
    };
    EXPECT_EQ(Today(), expected);
}

TEST_F(DayOrderTest, OnAFriendlyDayEveryFriendlyComesFirst) {
    AddFixture(kToday, kCompLeague, 14, 15, 0);
    AddFixture(kToday, kCompFriendly, 30, 31, 0);
    AddFixture(kToday, kCompLeague, 16, 17, 0);
    AddFixture(kToday, kCompFriendly, 12, 25, 0);  // the user's
    AddFixture(kToday, kCompFriendly, 20, 21, 0);
    EXPECT_EQ(OrderTodaysFixtures(), 1);
    std::vector<FixtureHead> expected = {
        {kToday, 117, 30, 31}, {kToday, 117, 20, 21}, {kToday, 117, 12, 25},
        {kToday, 0, 14, 15},   {kToday, 0, 16, 17},
    };
    EXPECT_EQ(Today(), expected);
}

TEST_F(DayOrderTest, ReserveGamesOfTheUsersDivisionLeadWhenHeHasOne) {
    AddFixture(kToday, kCompReserveLeague, 20, 21, 0);  // division 1
    AddFixture(kToday, kCompReserveLeague, 14, 15, 0);
    AddFixture(kToday, kCompReserveLeague, 13, 12, 0);  // the user's reserve game
    AddFixture(kToday, kCompReserveLeague, 30, 31, 0);  // country 1
    AddFixture(kToday, kCompReserveLeague, 16, 17, 0);
    EXPECT_EQ(OrderTodaysFixtures(), 1);
    std::vector<FixtureHead> expected = {
        {kToday, 120, 14, 15}, {kToday, 120, 16, 17}, {kToday, 120, 13, 12},
        {kToday, 120, 30, 31}, {kToday, 120, 20, 21},
    };
    EXPECT_EQ(Today(), expected);
}

TEST_F(DayOrderTest, NothingMovesWhenTheUserDoesNotPlay) {
    AddFixture(kToday, kCompLeague, 30, 31, 0);
    AddFixture(kToday, kCompLeague, 14, 15, 0);
    std::vector<FixtureHead> before = Today();
    EXPECT_EQ(OrderTodaysFixtures(), 0);
    EXPECT_EQ(Today(), before);
    int16_t userSlot, same, reserveSlot, reserveCount, other;
    HVW_CountFixturesOnDay(kToday, &userSlot, &same, &reserveSlot, &reserveCount, &other);
    EXPECT_EQ(userSlot, -1);
    EXPECT_EQ(reserveSlot, -1);
    EXPECT_EQ(other, 2);
    EXPECT_EQ(same, 0);
}

}  // namespace
