#include "core/records/fixturechecks.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/core/season/season_fixture.h"

namespace {

class FixtureChecksTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        for (int c = 0; c < kCountryCount; ++c) SeasonCalendar.leagueEndDay[c] = 300;
    }

    // Writes a slot directly, the way a loaded table can hold it: adding
    // through the table would already order the legs.
    static void Put(int slot, int day, int type, int home, int away) {
        uint8_t* f = FixtureTable[slot].bytes;
        recbits::StoreU32(f, uint32_t(day) | uint32_t(type) << 9);
        recbits::StoreU16(f + 4, uint16_t(home));
        recbits::StoreU16(f + 6, uint16_t(away));
        recbits::StoreU32(f + 8, 31u | 31u << 5);
    }

    static std::vector<FixtureHead> Heads() {
        std::vector<FixtureHead> heads;
        for (int slot = 0; slot < UsedSlots(); ++slot) heads.push_back(HeadOf(slot));
        return heads;
    }

    static int CountOf(const FixtureHead& wanted) {
        int n = 0;
        for (const FixtureHead& h : Heads()) n += h == wanted;
        return n;
    }

    // What a sound table looks like after both passes: the used slots
    // first in day order with legal days and codes, no reserve fixture
    // from today on beside another fixture of one of its clubs, and every
    // second leg still to come after a first leg of the same clubs.
    static void ExpectTableConsistent() {
        const int used = UsedSlots();
        for (int slot = used; slot < kFixtureSlots; ++slot) {
            ASSERT_TRUE(IsFixtureEmpty(slot)) << slot;
        }
        for (int slot = 0; slot < used; ++slot) {
            ASSERT_LE(FixtureDay(slot), 366) << slot;
            ASSERT_LE(FixtureType(slot), kCompHighest) << slot;
            if (slot > 0) {
                ASSERT_LE(FixtureDay(slot - 1), FixtureDay(slot)) << slot;
            }
        }
        for (int i = 0; i < used; ++i) {
            const int type = FixtureType(i);
            if (type == 120 && FixtureDay(i) >= SeasonCalendar.currentDay) {
                for (int j = 0; j < used; ++j) {
                    if (j == i || FixtureDay(j) != FixtureDay(i) || FixtureType(j) == 120) continue;
                    EXPECT_FALSE(IsFixtureOfClub(j, FixtureHome(i)) || IsFixtureOfClub(j, FixtureAway(i)))
                        << "reserve fixture in slot " << i << " clashes with slot " << j;
                }
            }
            const int base = type >= 5 && type <= 116 ? 5 + (type - 5) / 16 * 16 : -1;
            if (base < 0 || type < base + 8 || FixtureDay(i) <= SeasonCalendar.currentDay) continue;
            bool firstLegBefore = false;
            for (int j = 0; j < i; ++j) {
                firstLegBefore |= FixtureType(j) >= base && FixtureType(j) < base + 8 &&
                                  FixtureHome(j) == FixtureAway(i) && FixtureAway(j) == FixtureHome(i);
            }
            EXPECT_TRUE(firstLegBefore) << "second leg in slot " << i << " has no first leg before it";
        }
    }
};

using FixtureChecksDeathTest = FixtureChecksTest;

// --- reserve-league clashes ---------------------------------------------------

TEST_F(FixtureChecksTest, ClashingReserveFixtureMovesToAFreeDayAndLeavesItsSlot) {
    SeasonCalendar.currentDay = 10;
    AddFixture(20, kCompLeague, 1, 2, 0);         // league: club 1 at home
    AddFixture(20, kCompReserveLeague, 1, 3, 0);  // reserve fixture of club 1 the same day
    AddFixture(20, kCompReserveLeague, 5, 6, 0);  // no clash
    AddFixture(25, kCompLeague, 7, 8, 0);
    ResolveFixtureClashes();
    EXPECT_EQ(UsedSlots(), 4);
    EXPECT_EQ(CountOf({20, 120, 1, 3}), 0);
    EXPECT_EQ(CountOf({21, 120, 1, 3}), 1);
    EXPECT_EQ(CountOf({20, 120, 5, 6}), 1);
    ExpectTableConsistent();
}

TEST_F(FixtureChecksTest, APlayedReserveFixtureOfTodayKeepsItsDayAndResult) {
    // The daily club jobs run the pass at the end of the day, after the
    // day's fixtures are played: moving one would throw its result away.
    SeasonCalendar.currentDay = 20;
    AddFixture(20, kCompLeague, 1, 2, 0);
    AddFixture(20, kCompReserveLeague, 1, 3, 0);
    const int played = 1;
    ASSERT_EQ(FixtureType(played), kCompReserveLeague);
    recbits::StoreU32(FixtureTable[played].bytes + kFixtureScoreWord, 2u | 1u << 5);
    ResolveFixtureClashes();
    EXPECT_EQ(UsedSlots(), 2);
    EXPECT_EQ(CountOf({20, 120, 1, 3}), 1);
    EXPECT_TRUE(IsFixturePlayed(played));
}

TEST_F(FixtureChecksTest, AwayClubClashMovesTooAndEarlierDaysStay) {
    SeasonCalendar.currentDay = 30;
    AddFixture(20, kCompLeague, 4, 9, 0);
    AddFixture(20, kCompReserveLeague, 8, 9, 0);  // before today: left alone
    AddFixture(40, CupCode(0, 0), 4, 9, 0);       // a cup match of club 9
    AddFixture(40, kCompReserveLeague, 2, 9, 0);  // club 9 is the away club
    ResolveFixtureClashes();
    EXPECT_EQ(CountOf({20, 120, 8, 9}), 1);
    EXPECT_EQ(CountOf({40, 120, 2, 9}), 0);
    EXPECT_EQ(CountOf({41, 120, 2, 9}), 1);
    EXPECT_EQ(UsedSlots(), 4);
}

TEST_F(FixtureChecksTest, FixtureMovingUpIntoADeletedSlotIsExaminedToo) {
    SeasonCalendar.currentDay = 0;
    AddFixture(50, kCompLeague, 1, 2, 0);
    AddFixture(50, kCompReserveLeague, 1, 3, 0);
    AddFixture(50, kCompReserveLeague, 4, 2, 0);  // moves up into the slot of the first
    AddFixture(50, kCompReserveLeague, 2, 5, 0);  // and a third behind it
    ResolveFixtureClashes();
    EXPECT_EQ(CountOf({51, 120, 1, 3}), 1);
    EXPECT_EQ(CountOf({51, 120, 4, 2}), 1);
    EXPECT_EQ(CountOf({51, 120, 2, 5}), 1);
    EXPECT_EQ(UsedSlots(), 4);
    ExpectTableConsistent();
}

TEST_F(FixtureChecksTest, MovedFixtureThatClashesAgainMovesOnAndOtherCodesNeverMove) {
    SeasonCalendar.currentDay = 0;
    AddFixture(60, kCompLeague, 1, 2, 0);
    AddFixture(61, kCompLeague, 3, 4, 0);  // the away club plays the next day
    AddFixture(60, kCompReserveLeague, 1, 3, 0);
    AddFixture(62, kCompFriendly, 1, 9, 0);  // a friendly gives way to it on day 62
    AddFixture(63, kCompFriendly, 4, 6, 0);  // friendlies of other clubs never move
    ResolveFixtureClashes();
    EXPECT_EQ(CountOf({62, 120, 1, 3}), 1);
    EXPECT_EQ(CountOf({62, 117, 1, 9}), 0);
    EXPECT_EQ(CountOf({60, 0, 1, 2}), 1);
    EXPECT_EQ(CountOf({61, 0, 3, 4}), 1);
    EXPECT_EQ(CountOf({63, 117, 4, 6}), 1);
    ExpectTableConsistent();
}

TEST_F(FixtureChecksTest, FullTableKeepsTheClashRatherThanLoseTheFixture) {
    SeasonCalendar.currentDay = 0;
    for (int slot = 0; slot < kFixtureSlots; ++slot) Put(slot, 100 + slot / 100, 0, 20 + slot % 50, 70);
    Put(0, 100, 0, 1, 2);
    Put(1, 100, 120, 1, 3);
    StdoutCapture capture;
    ResolveFixtureClashes();
    capture.Text();
    EXPECT_EQ(HeadOf(1), (FixtureHead{100, 120, 1, 3}));
    EXPECT_EQ(UsedSlots(), kFixtureSlots);
}

// --- two-leg order ----------------------------------------------------------------

TEST_F(FixtureChecksTest, SecondLegBeforeItsFirstLegSwapsCodesWithIt) {
    SeasonCalendar.currentDay = 10;
    Put(0, 20, 5 + 8 + 2, 1, 2);  // cup 0, round 2, second leg, first in the table
    Put(1, 30, 5 + 2, 2, 1);      // its first leg
    Put(2, 40, 0, 3, 4);
    CheckTwoLegOrder(5);
    EXPECT_EQ(HeadOf(0), (FixtureHead{20, 7, 1, 2}));
    EXPECT_EQ(HeadOf(1), (FixtureHead{30, 15, 2, 1}));
    EXPECT_EQ(HeadOf(2), (FixtureHead{40, 0, 3, 4}));
    ExpectTableConsistent();
}

TEST_F(FixtureChecksTest, PairInOrderIsLeftAloneEvenWithAnotherMatchLater) {
    SeasonCalendar.currentDay = 10;
    Put(0, 20, 21 + 1, 2, 1);  // cup 1 first leg
    Put(1, 30, 21 + 9, 1, 2);  // second leg
    Put(2, 40, 21 + 3, 2, 1);  // a later first-leg code of the same clubs
    const auto before = Heads();
    CheckTwoLegOrder(21);
    EXPECT_EQ(Heads(), before);
}

TEST_F(FixtureChecksTest, SecondLegsUpToTodayAndOtherCupsAreNotExamined) {
    SeasonCalendar.currentDay = 25;
    Put(0, 25, 37 + 8, 1, 2);  // today: not after today
    Put(1, 30, 37, 2, 1);
    Put(2, 35, 53 + 8, 3, 4);  // cup 3: another pass
    Put(3, 36, 53, 4, 3);
    const auto before = Heads();
    CheckTwoLegOrder(37);
    EXPECT_EQ(Heads(), before);
}

TEST_F(FixtureChecksTest, AllCupsPassOrdersEverySevenCupsLegs) {
    SeasonCalendar.currentDay = 0;
    const int firstTypes[] = {5, 21, 37, 53, 69, 85, 101};
    int slot = 0;
    for (int k = 0; k < 7; ++k) {
        Put(slot++, 10 + 2 * k, firstTypes[k] + 8, 10 + k, 30 + k);
        Put(slot++, 11 + 2 * k, firstTypes[k], 30 + k, 10 + k);
    }
    CheckCupTieFixturesAll();
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(FixtureType(2 * k), firstTypes[k]) << k;
        EXPECT_EQ(FixtureType(2 * k + 1), firstTypes[k] + 8) << k;
    }
    ExpectTableConsistent();
}

TEST_F(FixtureChecksTest, BothPassesOverAMessyTableLeaveItConsistent) {
    SeasonCalendar.currentDay = 5;
    AddFixture(3, kCompReserveLeague, 1, 2, 0);
    AddFixture(3, kCompLeague, 1, 4, 0);
    AddFixture(10, kCompLeague, 1, 4, 0);
    AddFixture(10, kCompReserveLeague, 4, 6, 0);
    AddFixture(10, kCompReserveLeague, 1, 7, 0);
    AddFixture(12, kCompReserveLeague, 8, 9, 0);
    AddFixture(12, CupCode(4, 0), 8, 11, 0);
    AddFixture(12, kCompReserveLeague, 11, 12, 0);
    const int before = UsedSlots();
    // Cup legs placed the wrong way round after the fixtures above.
    Put(before, 40, 85 + 8 + 1, 20, 21);
    Put(before + 1, 50, 85 + 1, 21, 20);
    ResolveFixtureClashes();
    CheckCupTieFixturesAll();
    EXPECT_EQ(UsedSlots(), before + 2);
    EXPECT_EQ(CountOf({3, 120, 1, 2}), 1);  // before today
    ExpectTableConsistent();
}

TEST_F(FixtureChecksDeathTest, SecondLegWithoutAnyFirstLegEndsTheProgram) {
    SeasonCalendar.currentDay = 0;
    Put(0, 20, 101 + 8, 1, 2);
    Put(1, 30, 101, 1, 2);  // same clubs, not reversed: no first leg
    EXPECT_FATAL(CheckCupTieFixturesAll(), "no first leg for the second leg in slot 0");
}

}  // namespace
