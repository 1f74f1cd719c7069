// Player sort keys over a small squad of hand-made records, and the club
// columns of the league table lists.
#include "game/screens/squad/sortkeys.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/base/bytes.h"
#include "core/records/frontstate.h"
#include "core/season/competitioncodes.h"
#include "tests/core/records/records_fixture.h"

namespace {

class SortKeysTest : public RecordsTest {
  protected:
    static void SetPosition(uint16_t p, int value) {
        recbits::WriteField(PlayerRecords[p].bytes, {88, 28, 4}, uint32_t(value));
    }
    static void Player(uint16_t p, int16_t club, int position, int16_t shirt) {
        SetPlayerClub(p, club);
        SetPlayerLoanClub(p, club);
        SetPosition(p, position);
        SetPlayerShirt(p, shirt);
    }
    static std::vector<uint16_t> Sorted(std::vector<uint16_t> list) {
        std::qsort(list.data(), list.size(), sizeof(uint16_t), ComparePlayersByKeys);
        return list;
    }
};

TEST_F(SortKeysTest, PositionThenShirtWithLoanedOutAndShirtlessLastInTheirGroup) {
    Player(1, 5, 0, 1);
    Player(2, 5, 0, 0);  // goalkeeper without a shirt
    Player(3, 5, 2, 4);
    Player(4, 5, 3, 2);
    Player(5, 5, 1, 3);  // defender on loan at another club
    SetPlayerLoanClub(5, 6);
    Player(6, 5, 6, 8);
    Player(7, 5, 11, 9);
    SelectedClub = 7;
    SortKeys_Set(6, 26, 43, 43, 43);
    EXPECT_EQ(Sorted({0, 7, 5, 1, 0, 6, 3, 2, 4}), (std::vector<uint16_t>{1, 2, 4, 3, 5, 6, 7, 0, 0}));
    // Viewed from his own club the loaned-out player keeps his number.
    SelectedClub = 5;
    EXPECT_EQ(Sorted({3, 4, 5}), (std::vector<uint16_t>{4, 5, 3}));
}

TEST_F(SortKeysTest, StackTakesEachKeyOnceAndStopsAtARefusal) {
    SortKeys_Set(6, 26, 6, 32, 2);
    EXPECT_EQ(PlayerSortKeys[0], 6);
    EXPECT_EQ(PlayerSortKeys[1], 26);
    EXPECT_EQ(PlayerSortKeys[2], SORT_KEY_NONE);  // 32 and 2 came after the refused 6
    EXPECT_EQ(SortKeys_Add(43), 1);
    EXPECT_EQ(SortKeys_Add(26), 0);
    EXPECT_EQ(SortKeys_Remove(6), 1);
    EXPECT_EQ(SortKeys_Remove(6), 0);
    EXPECT_EQ(SortKeys_Add(0), 1);
    EXPECT_EQ(PlayerSortKeys[0], 0);  // the first free level
    SortKeys_Add(2);
    SortKeys_Add(3);
    SortKeys_Add(4);
    EXPECT_EQ(SortKeys_Add(28), 0);  // five levels taken
    SortKeys_Clear();
    for (int16_t key : PlayerSortKeys) EXPECT_EQ(key, SORT_KEY_NONE);
}

TEST_F(SortKeysTest, GoalkeepersBelowOutfieldPlayersWithoutGoals) {
    Player(1, 5, 0, 1);
    Player(2, 5, 10, 9);
    Player(3, 5, 10, 10);
    SetPlayerGoals(3, 4);
    SortKeys_Set(33, 0, 43, 43, 43);
    EXPECT_EQ(Sorted({1, 2, 0, 3}), (std::vector<uint16_t>{3, 2, 1, 0}));
    SortKeys_Set(0, 43, 43, 43, 43);  // player number, higher first
    EXPECT_EQ(Sorted({1, 0, 3, 2}), (std::vector<uint16_t>{3, 2, 1, 0}));
}

// The form column reads the recent results of its own kind of fixture:
// points first, then the winning margins; the others the records' words.
TEST_F(SortKeysTest, ClubColumnsLargerFirstAndFormTiesByWinningMargin) {
    SeasonCalendar.currentDay = 30;
    PutFixture(0, 10, kCompLeague, 1, 2, 1, 0);         // club 1 wins by one
    PutFixture(1, 11, kCompLeague, 3, 4, 3, 0);         // club 3 wins by three
    PutFixture(2, 12, kCompReserveLeague, 2, 1, 2, 0);  // reserves: club 2 wins
    std::vector<int16_t> clubs{2, 1, 3};
    std::qsort(clubs.data(), clubs.size(), sizeof(int16_t), ClubColumnComparator(false, CLUB_SORT_FORM));
    EXPECT_EQ(clubs, (std::vector<int16_t>{3, 1, 2}));
    std::qsort(clubs.data(), clubs.size(), sizeof(int16_t), ClubColumnComparator(true, CLUB_SORT_FORM));
    EXPECT_EQ(clubs[0], 2);
    ReserveSeasonRecords[1].words[kSeasonPlayed] = 3;
    std::qsort(clubs.data(), clubs.size(), sizeof(int16_t), ClubColumnComparator(true, CLUB_SORT_PLAYED));
    EXPECT_EQ(clubs[0], 1);
    EXPECT_EQ(ClubColumnComparator(false, CLUB_SORT_COLUMNS), nullptr);
}

}  // namespace
