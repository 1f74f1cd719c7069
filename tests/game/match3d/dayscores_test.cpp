// The other scores of the day: today's fixtures of the user's competition
// before his own, with the goals of the event log up to a minute, and the
// in-match live results that the title bar's ticker reads from them.
#include "game/match3d/dayscores.h"

#include <gtest/gtest.h>

#include "core/base/bytes.h"
#include "core/match/matchclock.h"
#include "core/match/matchstate.h"
#include "core/season/fixtureday.h"
#include "game/match3d/liveresults.h"
#include "tests/core/season/season_fixture.h"

namespace {

class IgRoundScoresTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        SeasonCalendar.currentDay = 100;
        MatchEvents_Clear();
        records_ = 0;
        MakeUserClub(4);
    }
    // One record of the event log: a goal kind (0..2 goals), the scoring
    // side (0 home, 1 away) and the minute.
    void Log(int slot, int kind, int side, int minute) {
        uint8_t* r = MatchEventHistory + records_++ * kMatchEventRecordSize;
        recbits::StoreU16(r, uint16_t(slot));
        recbits::StoreU16(r + 2, 0);
        recbits::StoreU32(r + 4, uint32_t(side | kind << 1));
        r[8] = uint8_t(minute);
    }
    static int16_t Build(int16_t minute) {
        int16_t competition = 1234;
        const int16_t count = IgRoundScores_Build(minute, &competition);
        lastCompetition = competition;
        return count;
    }
    static inline int16_t lastCompetition = 0;
    int records_ = 0;
};

TEST_F(IgRoundScoresTest, TodaysEarlierFixturesOfTheCompetitionWithTheirGoalsUpToTheMinute) {
    // Without a fixture of his today the list is empty.
    AddFixture(99, 0, 6, 7, 0);
    EXPECT_EQ(Build(90), 0);
    EXPECT_EQ(lastCompetition, -1);
    EXPECT_EQ(IgRoundScores[0].homeClub, -1);

    AddFixture(100, 0, 8, 9, 0);
    AddFixture(100, 5, 10, 11, 0);  // a cup match: another competition
    AddFixture(100, 0, 12, 13, 0);
    AddFixture(100, 0, 4, 5, 0);    // the user's
    AddFixture(100, 0, 14, 15, 0);  // later in the table: not played yet
    const int16_t first = FindFixture(8, 9, 0), second = FindFixture(12, 13, 0);
    const int16_t yesterday = FindFixture(6, 7, 0);
    ASSERT_LT(yesterday, first);
    ASSERT_LT(first, second);
    ASSERT_LT(second, FindFixture(4, 5, 0));
    ASSERT_LT(FindFixture(4, 5, 0), FindFixture(14, 15, 0));
    Log(first, 0, 0, 30);
    Log(first, 1, 0, 10);  // a penalty
    Log(first, 2, 1, 31);  // an own goal for the away side
    Log(first, 3, 0, 5);   // not a goal
    Log(second, 0, 1, 88);
    Log(yesterday, 0, 0, 1);  // yesterday's match of another club
    Log(20000, 0, 0, 1);      // names no fixture
    Log(-1, 0, 0, 1);

    EXPECT_EQ(Build(30), 2);
    EXPECT_EQ(lastCompetition, 0);
    // Scanned back from his fixture: the nearer one first.
    EXPECT_EQ(IgRoundScores[0].homeClub, 12);
    EXPECT_EQ(IgRoundScores[0].awayClub, 13);
    EXPECT_EQ(IgRoundScores[0].homeGoals, 0);
    EXPECT_EQ(IgRoundScores[0].awayGoals, 0);
    EXPECT_EQ(IgRoundScores[1].homeClub, 8);
    EXPECT_EQ(IgRoundScores[1].homeGoals, 2) << "the goals of minutes 10 and 30";
    EXPECT_EQ(IgRoundScores[1].awayGoals, 0) << "minute 31 is still to come";
    EXPECT_EQ(IgRoundScores[2].homeClub, -1);
    EXPECT_EQ(IgRoundScores[2].awayGoals, -1);
    EXPECT_EQ(Build(31), 2);
    EXPECT_EQ(IgRoundScores[1].awayGoals, 1);
    EXPECT_EQ(Build(120), 2);
    EXPECT_EQ(IgRoundScores[0].awayGoals, 1);

    // The live rows and the ticker's count follow the shown minute.
    Period = 4;
    EXPECT_EQ(IgLeague_FillTable(), 2);
    EXPECT_EQ(IgLeagueRows[1].homeClub, 8);
    EXPECT_EQ(IgLeagueRows[1].awayGoals, 1);
    EXPECT_EQ(IgLeagueRows[2].homeClub, -1);
    Period = 0;
    PeriodClock = 0;
    EXPECT_EQ(IgLeague_FillTable(), 2);
    EXPECT_EQ(IgLeagueRows[1].homeGoals, 0);
}

TEST_F(IgRoundScoresTest, AtMostAHundredFixturesAndNoneOfTheUsersClub) {
    for (int16_t c = 0; c < 130; ++c) AddFixture(100, 0, int16_t(200 + 2 * c), int16_t(201 + 2 * c), 0);
    AddFixture(100, 0, 5, 4, 0);  // a replay of his club earlier the same day
    AddFixture(100, 0, 4, 6, 0);
    ASSERT_LT(FindFixture(5, 4, 0), FindFixture(4, 6, 0));
    EXPECT_EQ(Build(90), kIgRoundScoreEntries);
    for (const IgRoundScore& entry : IgRoundScores) {
        EXPECT_NE(entry.homeClub, 4);
        EXPECT_NE(entry.awayClub, 4);
        EXPECT_GE(entry.homeClub, 200);
    }
}

}  // namespace
