// Computer match tactics: learning from results, adapting to the opponent
// and the tactic record of a computer side.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

#include "core/match/matchsetup.h"
#include "core/season/clubfixtures.h"
#include "core/season/computertactics.h"
#include "core/season/leagues.h"
#include "tests/core/season/selection_fixture.h"

using namespace gameinfo;

namespace {

constexpr int kUnplayed = 31;

class ComputerTacticsTest : public SelectionTest {
  protected:
    void SetUp() override {
        SelectionTest::SetUp();
        std::memset(LeagueTable, 0xFF, sizeof LeagueTable);
        for (int16_t club = 0; club < 40; ++club) MakeClub(club, 0, 0, 20);
        manager_ = MakePlayer(0, 5);
        SetPlayerTactic(manager_, 2);
        SeasonCalendar.currentDay = 300;
        next_ = 0;
    }

    // A played fixture of the club with both sides' formations (0 = human).
    void Played(int16_t home, int16_t away, int homeGoals, int awayGoals, int homeCode, int awayCode,
                int type = kCompLeague, int day = 100) {
        PutFixture(next_, day, type, home, away, homeGoals, awayGoals);
        SetFixtureSideCode(next_, 0, int16_t(homeCode));
        SetFixtureSideCode(next_, 1, int16_t(awayCode));
        ++next_;
    }

    // The formation the club's computer side plays against the opponent, as
    // a day's fixtures choose it.
    int16_t Choose(int16_t club, int16_t opponent) const {
        const int16_t clubs[2] = {club, opponent};
        return ChooseComputerFormation(manager_, clubs, 0, TallyMatchClubs(clubs));
    }
    // The choice against a club that never played: only learning from the
    // club's own results can change the manager's formation.
    int16_t ChooseFromOwnResults(int16_t club) const { return Choose(club, kNeverPlayed); }

    static constexpr int16_t kNeverPlayed = 39;
    uint16_t manager_ = 0;
    int next_ = 0;
};

TEST_F(ComputerTacticsTest, SideCodesSitBesideTheOtherFixtureFields) {
    PutFixture(0, 10, kCompLeague, 3, 4, 2, 1);
    recbits::StoreU32(FixtureTable[0].bytes + kFixtureCrowdWord, 0x0FFFFFFF);
    recbits::StoreU32(FixtureTable[0].bytes + kFixtureAwaySideWord, 0xFFFFFF1F);
    SetFixtureSideCode(0, 0, 6);
    SetFixtureSideCode(0, 1, 5);
    EXPECT_EQ(FixtureSideCode(0, 0), 6);
    EXPECT_EQ(FixtureSideCode(0, 1), 5);
    EXPECT_EQ(recbits::LoadU32(FixtureTable[0].bytes + kFixtureCrowdWord), 0x6FFFFFFFu);
    EXPECT_EQ(recbits::LoadU32(FixtureTable[0].bytes + kFixtureAwaySideWord), 0xFFFFFFBFu);
    EXPECT_EQ(FixtureSideCode(-1, 0), 0);
}

TEST_F(ComputerTacticsTest, NoCountedFixtureChangesNothing) {
    EXPECT_EQ(ChooseFromOwnResults(0), 2);
    EXPECT_EQ(GetPlayerTactic(manager_), 2);
    EXPECT_EQ(Choose(0, 1), 2);
}

TEST_F(ComputerTacticsTest, AFormationThatKeepsFailingIsDroppedForAnUntriedOne) {
    // Formation 1 (code 2): 8 matches, 3 wins and 5 defeats = 9 points,
    // average 11.  Formation 4 (code 5): 1 match, 1 draw, average 10.
    for (int i = 0; i < 8; ++i) Played(0, int16_t(1 + i), i < 3 ? 2 : 0, i < 3 ? 0 : 1, 2, 1);
    Played(9, 0, 1, 1, 3, 5);
    GameSeedRandom(5);
    for (int i = 0; i < 20; ++i) {
        SetPlayerTactic(manager_, 1);
        const int16_t chosen = ChooseFromOwnResults(0);
        const int drawn = GetPlayerTactic(manager_);
        ASSERT_TRUE(drawn == 0 || drawn == 2 || drawn == 3 || drawn == 5) << drawn;
        ASSERT_EQ(chosen, drawn);
    }
}

TEST_F(ComputerTacticsTest, SevenMatchesWithoutAPointAreNotYetEnough) {
    SetPlayerTactic(manager_, 1);
    for (int i = 0; i < 7; ++i) Played(int16_t(1 + i), 0, 3, 0, 1, 2);
    EXPECT_EQ(ChooseFromOwnResults(0), 1);
    EXPECT_EQ(GetPlayerTactic(manager_), 1);
    // One more defeat and the formation goes.
    Played(8, 0, 1, 0, 1, 2);
    EXPECT_NE(ChooseFromOwnResults(0), 1);
    EXPECT_NE(GetPlayerTactic(manager_), 1);
}

TEST_F(ComputerTacticsTest, WhenEveryFormationWasTriedTheCodeNeverChanges) {
    for (int formation = 0; formation < 6; ++formation) {
        for (int i = 0; i < 10; ++i) Played(0, int16_t(1 + i), 0, 4, formation + 1, 1);
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ChooseFromOwnResults(0), 2);
        EXPECT_EQ(GetPlayerTactic(manager_), 2);
    }
}

TEST_F(ComputerTacticsTest, OnlyPastCompetitiveMatchesBetweenComputerSidesCount) {
    // Each of these would make formation 0 a failure with 8 defeats.
    for (int i = 0; i < 8; ++i) Played(0, 1, 0, 1, 1, 1, kCompFriendly, 100);      // friendly
    for (int i = 0; i < 8; ++i) Played(0, 1, 0, 1, 1, 1, kCompNationalTeam, 100);  // national day
    for (int i = 0; i < 8; ++i) Played(0, 1, 0, 1, 1, 1, kCompReserveLeague, 100);
    for (int i = 0; i < 8; ++i) Played(0, 1, 0, 1, 1, 0, kCompLeague, 100);  // a human opponent
    for (int i = 0; i < 8; ++i) Played(0, 1, kUnplayed, kUnplayed, 1, 1, kCompLeague, 100);
    for (int i = 0; i < 8; ++i) Played(0, 1, 0, 1, 1, 1, kCompLeague, 300);  // today
    const FormationTally own = TallyOwnResults(0);
    for (int f = 0; f < 6; ++f) EXPECT_EQ(own.matches[f], 0) << f;
    SetPlayerTactic(manager_, 0);
    EXPECT_EQ(ChooseFromOwnResults(0), 0);
    EXPECT_EQ(GetPlayerTactic(manager_), 0);
}

TEST_F(ComputerTacticsTest, TalliesCountWinsDrawsAndTheOpponentsView) {
    Played(0, 1, 2, 0, 1, 3);  // club 0 won with formation 0 against formation 2
    Played(2, 0, 1, 1, 4, 1);  // a draw, formation 0 again
    Played(3, 0, 2, 1, 5, 6);  // a defeat with formation 5
    const FormationTally own = TallyOwnResults(0);
    EXPECT_EQ(own.matches[0], 2);
    EXPECT_EQ(own.points[0], 4);
    EXPECT_EQ(own.matches[5], 1);
    EXPECT_EQ(own.points[5], 0);
    // Club 0's opponents played formations 2, 3 and 4 against it.
    const FormationTally against = TallyResultsAgainst(0);
    EXPECT_EQ(against.matches[2], 1);
    EXPECT_EQ(against.points[2], 3);
    EXPECT_EQ(against.matches[3], 1);
    EXPECT_EQ(against.points[3], 1);
    EXPECT_EQ(against.matches[4], 1);
    EXPECT_EQ(against.points[4], 0);
}

TEST_F(ComputerTacticsTest, OneWalkGivesBothSidesTheTalliesTheyWouldTakeAlone) {
    Played(0, 1, 2, 0, 1, 3);  // the two clubs met before
    Played(1, 0, 0, 0, 2, 2);
    Played(2, 0, 1, 1, 4, 1);
    Played(1, 3, 0, 2, 6, 5);
    Played(4, 5, 3, 3, 1, 1);  // neither club's
    Played(1, 6, 1, 0, 0, 2);  // a human opponent: counts against club 1 only
    Played(0, 7, 4, 0, 3, 1, kCompFriendly);
    const int16_t clubs[2] = {0, 1};
    const MatchFormationTallies tallies = TallyMatchClubs(clubs);
    const auto same = [](const FormationTally& a, const FormationTally& b) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    };
    for (int side = 0; side < 2; ++side) {
        EXPECT_TRUE(same(tallies.own[side], TallyOwnResults(clubs[side]))) << side;
        EXPECT_TRUE(same(tallies.against[side], TallyResultsAgainst(clubs[side]))) << side;
    }
    EXPECT_EQ(tallies.own[1].matches[1], 1);
    EXPECT_EQ(tallies.against[1].matches[1], 2);
}

// Kept over a day, the tallies answer as the walk does for any two clubs,
// then follow the calendar to the next day's results; results written while
// nobody keeps them (as a load) are seen by the next keeping.
TEST_F(ComputerTacticsTest, TheDaysKeptTalliesAreThoseOfTheWalk) {
    Played(0, 1, 2, 0, 1, 3);
    Played(1, 0, 0, 0, 2, 2);
    Played(2, 0, 1, 1, 4, 1);
    Played(1, 3, 0, 2, 6, 5);
    Played(4, 5, 3, 3, 1, 1);
    Played(1, 6, 1, 0, 0, 2);
    Played(3, 1, 2, 2, 3, 4, kCompLeague, 300);  // today's: counted from tomorrow
    const auto same = [](const MatchFormationTallies& a, const MatchFormationTallies& b) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    };
    Played(5, 5, 1, 0, 2, 3);  // a club against itself counts once
    const int16_t pairs[][2] = {{0, 1}, {1, 0}, {3, 1}, {4, 6}, {7, 8}, {5, 4}};
    const auto expectKeptAsWalked = [&](const char* when) {
        TallyKeepDayResults(true);
        for (size_t i = 0; i < std::size(pairs); ++i) {
            MatchFormationTallies walked{};
            for (int side = 0; side < 2; ++side) {
                walked.own[side] = TallyOwnResults(pairs[i][side]);
                walked.against[side] = TallyResultsAgainst(pairs[i][side]);
            }
            EXPECT_TRUE(same(TallyMatchClubs(pairs[i]), walked)) << when << " pair " << i;
        }
    };
    expectKeptAsWalked("today");
    SeasonCalendar.currentDay = 301;
    expectKeptAsWalked("tomorrow, still kept");
    TallyKeepDayResults(false);
    TallyKeepDayResults(false);
    EXPECT_EQ(TallyMatchClubs(pairs[2]).own[0].matches[2], 1) << "the walk again";

    TallyKeepDayResults(true);
    TallyMatchClubs(pairs[0]);
    TallyKeepDayResults(false);
    Played(0, 3, 4, 0, 5, 1);  // written between two keepings
    expectKeptAsWalked("after a write between keepings");
    TallyKeepDayResults(false);
}

TEST_F(ComputerTacticsTest, AdaptsToAStrongerOpponentsWeakestFormation) {
    // Opponent club 1 stands first, club 0 third.
    LeagueTable[0][0][0] = 1;
    LeagueTable[0][0][1] = 5;
    LeagueTable[0][0][2] = 0;
    // Club 1 against formation 3 (code 4): 1 point in 1; against formation
    // 1 (code 2): 1 point in 1 too; ties go to the lower number.
    Played(1, 6, 1, 1, 1, 2);
    Played(7, 1, 1, 1, 4, 1);
    Played(1, 8, 3, 0, 1, 6);  // formation 5: 30, too good for the opponent
    EXPECT_EQ(Choose(0, 1), 1);
    // Against a lower opponent the manager keeps his own.
    EXPECT_EQ(Choose(1, 0), 2);
    // The opponent's lowest average must be below 20.
    Played(1, 9, 2, 0, 1, 2);
    Played(10, 1, 0, 2, 4, 1);
    EXPECT_EQ(Choose(0, 1), 2);  // both 20 now

    // A club of a nation outside the nine ranks 0: above everybody.
    SetClubNation(11, 30);
    Played(11, 12, 0, 0, 1, 4);
    EXPECT_EQ(Choose(0, 11), 3);
    EXPECT_EQ(Choose(11, 1), 2);  // it never adapts itself
}

class ComputerTacticRecordTest : public ComputerTacticsTest {
  protected:
    static int16_t Word(int side, int k, int field) {
        return int16_t(recbits::LoadU16(MatchTacticRecord[side].bytes + k * kTacticEntrySize + field));
    }
    static int Byte(int side, int k, int field) {
        return MatchTacticRecord[side].bytes[k * kTacticEntrySize + field];
    }
    // Starters 1-10 with every statistic at the value, the keeper too.
    static void FillStarters(int side, int value) {
        for (int k = 0; k < 11; ++k) {
            for (int stat = 0; stat < kPlayerStatCount; ++stat) SetInfoStat(side, k, stat, value);
        }
    }
};

TEST_F(ComputerTacticRecordTest, TheKeepersSlotIsOnlyResetAndPlaced) {
    std::memset(MatchTacticRecord, 0x5A, sizeof MatchTacticRecord);
    FillStarters(0, 60);
    ApplyComputerTactics(0, 3);
    EXPECT_EQ(Word(0, 0, 5), 0);
    EXPECT_EQ(Word(0, 0, 7), 0);
    EXPECT_EQ(Word(0, 0, 9), -1);
    EXPECT_EQ(Word(0, 0, 11), -1);
    EXPECT_EQ(Word(0, 0, 24), -1);
    EXPECT_EQ(Byte(0, 0, 17), 0);
    EXPECT_EQ(Byte(0, 0, 13), 0x5A | 0x1F);  // the link bits set, the top bits kept
    EXPECT_EQ(Byte(0, 0, 0), 0x5A);          // the side's own fields kept
    EXPECT_EQ(Byte(0, 0, 28), 0x5A);
    // The record reaches the first tactic of the side's team block.
    EXPECT_EQ(std::memcmp(GameInfo.TeamTacticSlot(0, 0), &MatchTacticRecord[0], sizeof(TacticRecord)), 0);
}

TEST_F(ComputerTacticRecordTest, FormationFiveGetsTheShapeAndTheGeneralRulesOnly) {
    FillStarters(1, 60);
    SetInfoStat(1, 1, kStatComposure, 30);     // slot 1 at (11, 5): a defender
    SetInfoStat(1, 6, kStatIntelligence, 61);  // slot 6 at (3, 9): wide, 61 mod 3 = 1
    ApplyComputerTactics(1, 5);
    for (int k = 1; k <= 10; ++k) {
        const GridPoint p = ComputerFormationShapes[5][1][k - 1];
        const bool wide = (p.x < 4 || p.x > 10) && p.y >= 8;
        EXPECT_EQ(Word(1, k, 9), p.x) << k;
        EXPECT_EQ(Word(1, k, 11), p.y) << k;
        EXPECT_EQ(Word(1, k, 24), -1) << k;  // no targets
        EXPECT_EQ(Word(1, k, 20), -1) << k;
        // Wide players dribble (intelligence 60 is even); power 60 keeps them in place.
        EXPECT_EQ(Byte(1, k, 17), wide && k != 6 ? 3 : 0) << k;
        EXPECT_EQ(Word(1, k, 5), p.x) << k;
    }
    EXPECT_EQ(Byte(1, 1, 18), 1);
    EXPECT_EQ(Byte(1, 6, 19), 2);
    EXPECT_EQ(Byte(1, 10, 19), 1);  // 60 mod 3 = 0
}

TEST_F(ComputerTacticRecordTest, EmptySlotsReadMinusOneInEveryField) {
    // Slot 7 of formation 0 at home is (9, 8); slot 6 (2, 9) is wide.
    FillStarters(0, 60);
    for (int k : {6, 7, 4}) {
        for (int stat = 0; stat < kPlayerStatCount; ++stat) SetInfoStat(0, k, stat, -1);
    }
    ApplyComputerTactics(0, 0);
    EXPECT_EQ(Byte(0, 4, 18), 1);  // (6, 4): a defensive slot gets the cautious code
    EXPECT_EQ(Word(0, 6, 5), 2);   // a wide slot neither moves
    EXPECT_EQ(Byte(0, 6, 17), 0);  // nor dribbles
    EXPECT_EQ(Byte(0, 6, 19), 0);  // -1 mod 3 is -1
    EXPECT_EQ(Byte(0, 7, 17), 2);  // spirit below 50
    EXPECT_EQ(Word(0, 7, 24), 9);  // vision does not beat passing
    EXPECT_EQ(Word(0, 7, 26), 13);
}

TEST_F(ComputerTacticRecordTest, FormationRulesByTheStartersStatistics) {
    FillStarters(0, 40);
    SetInfoStat(0, 3, kStatVision, 70);  // slot 3 prefers the long ball
    SetInfoStat(0, 9, kStatAgility, 70);
    SetInfoStat(0, 8, kStatAgility, 60);
    SetInfoStat(0, 2, kStatPower, 30);  // a weak wide runner
    SetInfoStat(0, 2, kStatDribble, 50);
    ApplyComputerTactics(0, 3);
    EXPECT_EQ(Word(0, 3, 24), 9);
    EXPECT_EQ(Word(0, 3, 26), 13);
    EXPECT_EQ(Word(0, 7, 24), 9);
    EXPECT_EQ(Byte(0, 9, 17), 4);
    EXPECT_EQ(Byte(0, 8, 17), 0);  // slot 7's composure is not above 50

    ApplyComputerTactics(0, 0);
    EXPECT_EQ(Word(0, 3, 24), 3);
    EXPECT_EQ(Word(0, 3, 26), 12);
    EXPECT_EQ(Byte(0, 9, 17), 4);  // the forward rule: slot 9 more agile
    EXPECT_EQ(Byte(0, 7, 17), 2);
    // Slot 2 of formation 0 stands at (3, 4): not wide enough up the pitch.
    EXPECT_EQ(Word(0, 2, 5), 3);

    ApplyComputerTactics(0, 1);
    EXPECT_EQ(Word(0, 4, 5), 2);  // slot 4 at (2, 6): not up the pitch
    SetInfoStat(0, 7, kStatPace, 70);
    ApplyComputerTactics(0, 2);
    EXPECT_EQ(Word(0, 7, 9), 8);
    EXPECT_EQ(Word(0, 7, 11), 13);
    EXPECT_EQ(Byte(0, 7, 17), 2);

    // An unknown formation: formation 0's shape, no formation rules.
    ApplyComputerTactics(0, 7);
    EXPECT_EQ(Word(0, 1, 5), ComputerFormationShapes[0][0][0].x);
    EXPECT_EQ(Word(0, 3, 24), -1);
    EXPECT_EQ(Byte(0, 9, 17), 0);
}

TEST_F(ComputerTacticRecordTest, WideRunnersWithoutStrengthHugTheTouchline) {
    FillStarters(0, 40);
    // Formation 0 at home: slot 6 at (2, 9), slot 10 at (12, 9).
    for (int k : {6, 10}) {
        SetInfoStat(0, k, kStatDribble, 50);
        SetInfoStat(0, k, kStatPower, 30);
    }
    SetInfoStat(0, 10, kStatIntelligence, 41);
    ApplyComputerTactics(0, 0);
    EXPECT_EQ(Word(0, 6, 5), 1);
    EXPECT_EQ(Word(0, 6, 9), 2);  // the second position keeps the shape
    EXPECT_EQ(Byte(0, 6, 17), 3);
    EXPECT_EQ(Word(0, 10, 5), 13);
    EXPECT_EQ(Byte(0, 10, 17), 0);  // odd intelligence
}

}  // namespace
