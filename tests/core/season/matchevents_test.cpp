// The match event history's searches and line counts over records written
// by hand: runs, sides and kinds, the scorer lines with their breaks after
// 5 and every further 9 events, damaged records passed over, a table full
// of random bytes, and the season roll freeing every record.
#include <gtest/gtest.h>

#include <cstring>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/query/layerstate.h"
#include "core/records/records.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/matchevents.h"

namespace {

class MatchEventsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        keptPlayers_ = PlayerCount;
        PlayerCount = 500;
        std::memset(MatchEventHistory, 0, sizeof MatchEventHistory);
        MatchEvents_Clear();
        next_ = 0;
    }
    void TearDown() override { PlayerCount = keptPlayers_; }

    // Appends a record as the post-match work does.
    int Put(int fixture, int player, int side, int kind, int minute) {
        uint8_t* r = MatchEventHistory + next_ * kMatchEventRecordSize;
        recbits::StoreU16(r, uint16_t(fixture));
        recbits::StoreU16(r + 2, uint16_t(player));
        r[4] = uint8_t((side & 1) | (kind << 1));
        r[8] = uint8_t(minute);
        return next_++;
    }
    void PutGoals(int fixture, int player, int side, int count, int kind = kKindGoal) {
        for (int i = 0; i < count; ++i) Put(fixture, player, side, kind, 10 + i);
    }

    int next_ = 0;
    uint16_t keptPlayers_ = 0;
};

TEST_F(MatchEventsTest, RunsAreFoundBySideAndKindAndEndAtTheNextFixture) {
    EXPECT_EQ(MatchEvents_FindFirst(7), -1);
    EXPECT_EQ(MatchEvents_CountScorerLines(7, 0), 0);
    EXPECT_EQ(MatchEvents_LinesForFixture(7, 0), 0);
    EXPECT_EQ(MatchEvents_LinesForFixture(7, 1), 1);  // the attendance line alone

    Put(3, 11, 0, kKindGoal, 5);
    const int pen = Put(7, 21, 1, kKindPenaltyGoal, 12);
    const int own = Put(7, 22, 0, kKindOwnGoal, 30);
    const int off = Put(7, 23, 0, kKindSendingOff, 40);
    const int goal = Put(7, 24, 0, kKindGoal, 50);
    Put(8, 25, 0, kKindGoal, 60);

    EXPECT_EQ(MatchEvents_FindFirst(7), pen);
    // Kind 0 finds the whole goal group; other kinds only themselves.
    EXPECT_EQ(MatchEvents_FindNext(7, 0, kKindGoal, pen), own);
    EXPECT_EQ(MatchEvents_FindNext(7, 1, kKindGoal, pen), pen);
    EXPECT_EQ(MatchEvents_FindNext(7, 0, kKindGoal, own + 1), goal);
    EXPECT_EQ(MatchEvents_FindNext(7, 0, kKindSendingOff, pen), off);
    EXPECT_EQ(MatchEvents_FindNext(7, 1, kKindSendingOff, pen), -1);
    // The next fixture's record ends the run.
    EXPECT_EQ(MatchEvents_FindNext(7, 0, kKindGoal, goal + 1), -1);
    EXPECT_EQ(MatchEvents_FindNext(7, 0, kKindGoal, -1), -1);
}

TEST_F(MatchEventsTest, ScorerLinesBreakAfterFiveAndEveryNineMore) {
    struct Case {
        int goals, lines;
    };
    for (const Case c : {Case{5, 1}, Case{6, 2}, Case{14, 2}, Case{15, 3}, Case{24, 4}}) {
        SetUp();
        PutGoals(1, 40, 0, c.goals);
        EXPECT_EQ(MatchEvents_CountScorerLines(1, 0), c.lines) << c.goals << " goals";
        EXPECT_EQ(MatchEvents_CountScorerLines(1, 1), 0);
    }
    // Goals of all three kinds are one scorer's line; a booking is another.
    SetUp();
    Put(1, 40, 0, kKindGoal, 3);
    Put(1, 40, 0, kKindPenaltyGoal, 4);
    Put(1, 40, 0, kKindOwnGoal, 5);
    Put(1, 40, 0, kKindBooking, 6);
    Put(1, 0, 0, kKindGoal, 7);  // no player: no line
    EXPECT_EQ(MatchEvents_CountScorerLines(1, 0), 2);
}

TEST_F(MatchEventsTest, LinesForAFixtureTakeTheLargerSideAndOneMoreWhenEqualAndOpen) {
    PutGoals(2, 40, 0, 6);  // 2 lines
    PutGoals(2, 41, 1, 1);
    PutGoals(2, 42, 1, 1);  // 2 lines
    EXPECT_EQ(MatchEvents_LinesForFixture(2, 1), 3);
    EXPECT_EQ(MatchEvents_LinesForFixture(2, 0), 2);
    PutGoals(2, 43, 1, 1);
    EXPECT_EQ(MatchEvents_LinesForFixture(2, 1), 3);
    EXPECT_EQ(MatchEvents_LinesForFixture(2, 0), 3);
}

TEST_F(MatchEventsTest, SeventeenScorersOfASideCountSixteen) {
    for (int p = 0; p < 17; ++p) Put(4, 100 + p, 1, kKindGoal, p);
    EXPECT_EQ(MatchEvents_CountScorerLines(4, 1), kScorerTableEntries);
}

TEST_F(MatchEventsTest, DamagedRecordsArePassedOver) {
    Put(5, 40, 0, kKindGoal, 1);
    const int badKind = Put(5, 41, 0, 9, 2);
    const int badPlayer = Put(5, 9999, 0, kKindGoal, 3);
    Put(5, 42, 0, kKindGoal, 4);
    EXPECT_FALSE(MatchEvents_IsSound(badKind));
    EXPECT_FALSE(MatchEvents_IsSound(badPlayer));
    EXPECT_EQ(MatchEvents_CountScorerLines(5, 0), 2);
    EXPECT_EQ(MatchEvents_FindNext(5, 0, kKindGoal, 1), 3);
    // A run of a fixture past the table is never found.
    SetUp();
    Put(25000, 40, 0, kKindGoal, 1);
    EXPECT_EQ(MatchEvents_FindFirst(int16_t(25000 - 65536)), -1);
    EXPECT_FALSE(MatchEvents_IsSound(0));
    EXPECT_FALSE(MatchEvents_IsSound(-1));
    EXPECT_FALSE(MatchEvents_IsSound(kMatchEventRecords));
}

TEST_F(MatchEventsTest, ARunAtTheTablesEndStopsThere) {
    for (int r = 0; r < kMatchEventRecords; ++r) {
        uint8_t* rec = MatchEventHistory + r * kMatchEventRecordSize;
        recbits::StoreU16(rec, 9);
        recbits::StoreU16(rec + 2, uint16_t(1 + r % 400));
        rec[4] = uint8_t(kKindBooking << 1);
    }
    EXPECT_EQ(MatchEvents_FindFirst(9), 0);
    EXPECT_EQ(MatchEvents_FindNext(9, 0, kKindGoal, 0), -1);
    EXPECT_EQ(MatchEvents_FindNext(9, 0, kKindBooking, kMatchEventRecords - 1), kMatchEventRecords - 1);
    EXPECT_EQ(MatchEvents_CountScorerLines(9, 0),
              kScorerTableEntries + 16 * ((kMatchEventRecords / 400 - 5 + 8) / 9));
}

TEST_F(MatchEventsTest, RandomBytesNeverLeadOutsideTheTable) {
    GameSeedRandom(76);
    for (uint8_t& byte : MatchEventHistory) byte = uint8_t(GameRandom() & 0xFF);
    for (int16_t fixture : {int16_t(0), int16_t(1), int16_t(19999), int16_t(-1), int16_t(300)}) {
        const int32_t first = MatchEvents_FindFirst(fixture);
        EXPECT_TRUE(first == -1 || (first >= 0 && first < kMatchEventRecords));
        for (int side = 0; side < 2; ++side) {
            EXPECT_LE(MatchEvents_CountScorerLines(fixture, int16_t(side)), 3 * kScorerTableEntries);
            const int32_t at = MatchEvents_FindNext(fixture, int16_t(side), kKindGoal, first);
            EXPECT_TRUE(at == -1 || (at >= first && at < kMatchEventRecords));
        }
        EXPECT_GE(MatchEvents_LinesForFixture(fixture, 1), 0);
    }
}

TEST_F(MatchEventsTest, ANewSeasonFreesEveryRecord) {
    PutGoals(1, 40, 0, 3);
    Put(2, 41, 1, kKindBooking, 70);
    HVW_MarkAll9ByteRecords();
    for (int r = 0; r < kMatchEventRecords; r += 997) ASSERT_EQ(MatchEventKind(r), kKindFree) << r;
    for (int r = 0; r < 4; ++r) EXPECT_EQ(MatchEventKind(r), kKindFree);
    EXPECT_EQ(MatchEvents_FindFirst(1), -1);
    EXPECT_EQ(MatchEvents_CountScorerLines(1, 0), 0);
}

}  // namespace
