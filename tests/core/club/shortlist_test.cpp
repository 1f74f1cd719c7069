// The user's shortlist.
#include "core/club/shortlist.h"

#include "tests/fakes/test_util.h"

namespace {

class ShortlistTest : public testing::Test {
  protected:
    void SetUp() override { ShortList_Clear(); }
};

TEST_F(ShortlistTest, AddsIntoTheFirstGapAndRefusesDuplicates) {
    for (uint16_t p = 1; p <= 4; ++p) ASSERT_EQ(ShortList_Add_Player(uint16_t(100 + p)), 1);
    Shortlist[1] = 0;  // a gap left by an earlier removal
    EXPECT_EQ(ShortList_Add_Player(103), 0) << "already listed, even past the gap";
    EXPECT_EQ(ShortList_Add_Player(200), 1);
    EXPECT_EQ(ShortList_GetPlayer(1), 200);
    EXPECT_EQ(ShortList_IsPlayerOn(200), 1);
    EXPECT_EQ(ShortList_IsPlayerOn(999), 0);
}

TEST_F(ShortlistTest, PlayerZeroIsNeverOnTheList) {
    StdoutCapture out;
    EXPECT_EQ(ShortList_Add_Player(0), 0);
    EXPECT_EQ(out.Text(), "ShortList_Add_Player(): Passed a negative player number\n");
    ShortList_Add_Player(5);
    EXPECT_EQ(ShortList_IsPlayerOn(0), 0);
    EXPECT_EQ(ShortList_RemovePlayer(0), 0);
    EXPECT_EQ(ShortList_GetPlayer(0), 5);
}

TEST_F(ShortlistTest, AFullListRefusesTheNewPlayer) {
    for (uint16_t p = 1; p <= kShortlistSlots; ++p) ASSERT_EQ(ShortList_Add_Player(p), 1);
    EXPECT_EQ(ShortList_Add_Player(99), 0);
    EXPECT_EQ(ShortList_IsPlayerOn(99), 0);
    for (int16_t i = 0; i < kShortlistSlots; ++i) EXPECT_EQ(ShortList_GetPlayer(i), i + 1);
}

TEST_F(ShortlistTest, RemovingPacksTheSlotsThatFollow) {
    for (uint16_t p = 1; p <= 6; ++p) ShortList_Add_Player(uint16_t(10 * p));
    EXPECT_EQ(ShortList_RemovePlayer(40), 1);
    const uint16_t expected[] = {10, 20, 30, 50, 60, 0, 0};
    for (int16_t i = 0; i < 7; ++i) EXPECT_EQ(ShortList_GetPlayer(i), expected[i]) << i;
    EXPECT_EQ(ShortList_RemovePlayer(40), 0);
    ShortList_Add_Player(7);
    ShortList_Add_Player(8);
    ShortList_RemovePlayer(60);  // the last filled slots move down too
    EXPECT_EQ(ShortList_GetPlayer(4), 7);
    EXPECT_EQ(ShortList_GetPlayer(5), 8);
    EXPECT_EQ(ShortList_GetPlayer(6), 0);
}

TEST(ShortlistDeathTest, AnIndexOutsideTheListEndsTheProgram) {
    EXPECT_FATAL(ShortList_GetPlayer(18), "Invalid index into shortlist shortlist");
    EXPECT_FATAL(ShortList_GetPlayer(-1), "Invalid index into shortlist shortlist");
}

}  // namespace
