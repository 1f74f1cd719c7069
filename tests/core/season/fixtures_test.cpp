#include "core/season/fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "core/base/debug.h"
#include "core/season/postponements.h"
#include "tests/core/season/season_fixture.h"

namespace {

using FixtureTableTest = SeasonTest;
using FixtureTableDeathTest = SeasonTest;

TEST_F(FixtureTableTest, AddingKeepsDaysAscendingAndSameDayFixturesInAddedOrder) {
    EXPECT_EQ(AddFixture(10, kCompLeague, 1, 2, 0), 0);
    EXPECT_EQ(AddFixture(5, kCompLeague, 3, 4, 0), 0);
    EXPECT_EQ(AddFixture(10, kCompLeague, 5, 6, 0), 2);
    EXPECT_EQ(AddFixture(7, kCompFriendly, 7, 8, 0), 1);
    EXPECT_EQ(HeadOf(0), (FixtureHead{5, 0, 3, 4}));
    EXPECT_EQ(HeadOf(1), (FixtureHead{7, 117, 7, 8}));
    EXPECT_EQ(HeadOf(2), (FixtureHead{10, 0, 1, 2}));
    EXPECT_EQ(HeadOf(3), (FixtureHead{10, 0, 5, 6}));
    EXPECT_EQ(UsedSlots(), 4);
    // Not played yet; neutral ground brings the broadcast bit with it.
    EXPECT_FALSE(IsFixturePlayed(0));
    EXPECT_EQ(FixtureScore(0), 31u | 31u << 5);
    int16_t neutral = AddFixture(12, kCompPlayOffFinal, 9, 10, 1);
    EXPECT_EQ(FixtureScore(neutral) & (kFixtureNeutralBit | kFixtureBroadcastBit),
              kFixtureNeutralBit | kFixtureBroadcastBit);
}

// The insert position is found by halving; it must be the slot the plain
// rule gives (the first slot that is empty or later than the day) after any
// order of inserts, friendlies replaced and deletions.
TEST_F(FixtureTableTest, InsertPositionMatchesTheFirstEmptyOrLaterSlot) {
    auto linearRule = [](int16_t day) -> int16_t {
        for (int slot = 0; slot < kFixtureSlots; ++slot) {
            const uint16_t d = FixtureDay(slot);
            if (d == kEmptyFixtureDay || d > day) return int16_t(slot);
        }
        return -1;
    };
    auto friendlyRule = [](int16_t club, int16_t day) -> int16_t {
        for (int slot = 0; slot < kFixtureSlots; ++slot) {
            const uint16_t d = FixtureDay(slot);
            if (d == kEmptyFixtureDay || d > uint16_t(day)) break;
            if (d == day && FixtureType(slot) == kCompFriendly && IsFixtureOfClub(slot, club))
                return int16_t(slot);
        }
        return -1;
    };
    for (int16_t day : {int16_t(0), int16_t(5), int16_t(510)})
        EXPECT_EQ(FindFixtureInsertPos(day), linearRule(day));
    for (int step = 0; step < 3000; ++step) {
        const int16_t day = int16_t(GameRandom() % 400);
        const int16_t home = int16_t(GameRandom() % 60), away = int16_t(60 + GameRandom() % 60);
        if (step % 7 == 6 && !IsFixtureEmpty(0)) {
            DeleteFixture(int16_t(GameRandom() % UsedSlots()));
        } else {
            ASSERT_EQ(FindFixtureInsertPos(day), linearRule(day)) << step;
            AddFixture(day, step % 5 == 0 ? int16_t(kCompFriendly) : int16_t(kCompLeague), home, away, 0);
        }
        if (step % 100 == 0) {
            for (int16_t d = 0; d < 511; d += 3) ASSERT_EQ(FindFixtureInsertPos(d), linearRule(d)) << step;
            for (int16_t club = 0; club < 120; club += 7) {
                for (int16_t d = 0; d < 400; d += 11)
                    ASSERT_EQ(FindFriendlyOnDay(club, d), friendlyRule(club, d));
            }
        }
    }
    EXPECT_GT(UsedSlots(), 1500);
}

TEST_F(FixtureTableTest, MatchDataStaysInItsSlotWhenFixturesMove) {
    for (int slot = 0; slot < 4; ++slot) FixtureTable[slot].bytes[100] = uint8_t(0xA0 + slot);
    AddFixture(20, kCompLeague, 1, 2, 0);
    AddFixture(30, kCompLeague, 3, 4, 0);
    AddFixture(10, kCompLeague, 5, 6, 0);  // moves the other two down
    DeleteFixture(1);
    for (int slot = 0; slot < 4; ++slot) EXPECT_EQ(FixtureTable[slot].bytes[100], 0xA0 + slot);
    EXPECT_EQ(HeadOf(0), (FixtureHead{10, 0, 5, 6}));
    EXPECT_EQ(HeadOf(1), (FixtureHead{30, 0, 3, 4}));
}

TEST_F(FixtureTableTest, PlayedMeansTheGoalFieldsDoNotBothHold31) {
    int16_t slot = AddFixture(3, kCompLeague, 1, 2, 0);
    uint32_t score = FixtureScore(slot) & ~0x3FFu;  // a 0-0 draw
    recbits::StoreU32(FixtureTable[slot].bytes + 8, score);
    EXPECT_TRUE(IsFixturePlayed(slot));
    recbits::StoreU32(FixtureTable[slot].bytes + 8, score | 31u);  // 31-0 still counts
    EXPECT_TRUE(IsFixturePlayed(slot));
}

TEST_F(FixtureTableTest, AnyNewFixtureReplacesEveryFriendlyOfEitherClubThatDay) {
    AddFixture(8, kCompFriendly, 1, 50, 0);
    AddFixture(8, kCompFriendly, 51, 1, 0);
    AddFixture(8, kCompFriendly, 2, 52, 0);
    AddFixture(9, kCompFriendly, 1, 53, 0);   // another day
    AddFixture(8, kCompFriendly, 60, 61, 0);  // other clubs
    AddFixture(8, kCompLeague, 1, 2, 0);
    EXPECT_EQ(FindFriendlyOnDay(1, 8), -1);
    EXPECT_EQ(FindFriendlyOnDay(2, 8), -1);
    EXPECT_NE(FindFriendlyOnDay(1, 9), -1);
    EXPECT_NE(FindFriendlyOnDay(60, 8), -1);
    EXPECT_EQ(UsedSlots(), 3);
    // A new friendly replaces the old one too.
    AddFixture(9, kCompFriendly, 53, 70, 0);
    EXPECT_EQ(UsedSlots(), 3);
    EXPECT_EQ(HeadOf(FindFriendlyOnDay(53, 9)), (FixtureHead{9, 117, 53, 70}));
}

TEST_F(FixtureTableTest, DeletingMovesLaterFixturesUpAndMarksTheLastSlot) {
    AddFixture(1, kCompLeague, 1, 2, 0);
    AddFixture(2, kCompLeague, 3, 4, 0);
    AddFixture(3, kCompLeague, 5, 6, 0);
    DeleteFixture(0);
    EXPECT_EQ(HeadOf(0), (FixtureHead{2, 0, 3, 4}));
    EXPECT_EQ(HeadOf(1), (FixtureHead{3, 0, 5, 6}));
    EXPECT_EQ(UsedSlots(), 2);

    // The last slot is only marked empty; its other fields stay.
    recbits::StoreU32(FixtureTable[kFixtureSlots - 1].bytes, 300u | 118u << 9);
    recbits::StoreU16(FixtureTable[kFixtureSlots - 1].bytes + 4, 33);
    DeleteFixture(kFixtureSlots - 1);
    EXPECT_TRUE(IsFixtureEmpty(kFixtureSlots - 1));
    EXPECT_EQ(FixtureType(kFixtureSlots - 1), kCompNationalTeam);
    EXPECT_EQ(FixtureHome(kFixtureSlots - 1), 33);
    EXPECT_EQ(UsedSlots(), 2);
    // Out-of-table slots change nothing.
    DeleteFixture(-1);
    DeleteFixture(kFixtureSlots);
    InsertFixtureSlot(-1);
    EXPECT_EQ(UsedSlots(), 2);
}

TEST_F(FixtureTableTest, DayFindersAndNationalTeamDaysBlockingEveryClub) {
    AddFixture(4, kCompFriendly, 1, 2, 0);
    AddFixture(4, kCompReserveLeague, 3, 11, 0);
    AddFixture(5, kCompNationalTeam, 7, 9, 1);  // nations 7 and 9
    AddFixture(5, kCompLeague, 4, 1, 0);
    AddFixture(6, CupCode(3, 7), 1, 8, 0);

    EXPECT_EQ(FindFixtureOnDay(1, 4), -1);  // friendlies and reserve games do not count
    EXPECT_EQ(FindFixtureOnDay(3, 4), -1);
    EXPECT_EQ(FindFriendlyOnDay(1, 4), 0);
    EXPECT_EQ(FindFriendlyOrSpecialOnDay(1, 4), 0);
    EXPECT_EQ(FindFriendlyOrSpecialOnDay(3, 4), 1);
    EXPECT_EQ(FindCompetitiveFixtureOnDay(1, 4), -1);
    // The national-team day stands first and blocks club 1 and club 500.
    EXPECT_EQ(FindFixtureOnDay(1, 5), 2);
    EXPECT_EQ(FindFixtureOnDay(500, 5), 2);
    EXPECT_EQ(FindCompetitiveFixtureOnDay(1, 5), 3);
    EXPECT_EQ(FindFixtureOnDay(8, 6), 4);
    EXPECT_EQ(FindFixtureInsertPos(5), 4);
    EXPECT_EQ(FindFixtureInsertPos(3), 0);
    EXPECT_EQ(FindFixture(1, 8, 60), 4);

    DeleteFriendliesOnDay(2, 3, 4);
    EXPECT_EQ(FindFriendlyOnDay(1, 4), -1);
    EXPECT_EQ(FindFriendlyOrSpecialOnDay(3, 4), 0);  // the reserve game stays
}

TEST_F(FixtureTableTest, SwapsExchangeWholeFixturesOrOnlyTheirHeads) {
    AddFixture(1, kCompLeague, 1, 2, 0);
    AddFixture(1, kCompLeague, 3, 4, 1);
    uint32_t played = (FixtureScore(0) & ~0x3FFu) | 2u | 1u << 5 | kFixtureShootOutBit | kFixtureScheduleBit;
    recbits::StoreU32(FixtureTable[0].bytes + 8, played);

    SwapFixtureHeads(0, 1);
    EXPECT_EQ(HeadOf(0), (FixtureHead{1, 0, 3, 4}));
    EXPECT_EQ(FixtureScore(0) & 0x3FF, 2u | 1u << 5);  // goals stay
    EXPECT_EQ(FixtureScore(0) & (kFixtureShootOutBit | kFixtureScheduleBit),
              kFixtureShootOutBit | kFixtureScheduleBit);
    EXPECT_EQ(FixtureScore(0) & (kFixtureNeutralBit | kFixtureBroadcastBit),
              kFixtureNeutralBit | kFixtureBroadcastBit);  // they travel
    EXPECT_EQ(FixtureScore(1) & kFixtureNeutralBit, 0u);

    SwapFixtures(0, 1);
    EXPECT_EQ(HeadOf(0), (FixtureHead{1, 0, 1, 2}));
    EXPECT_EQ(FixtureScore(0) & 0x3FF, 31u | 31u << 5);
    EXPECT_EQ(FixtureScore(1) & 0x3FF, 2u | 1u << 5);
    EXPECT_NE(FixtureScore(1) & kFixtureShootOutBit, 0u);
}

TEST_F(FixtureTableTest, CupLegsArePutInLegOrder) {
    AddFixture(1, kCompLeague, 90, 91, 0);  // slot 0 is never examined for a first leg
    // A second leg (round code 8) added before its first leg on the same
    // day: the first leg is put in front of it.
    int16_t second = AddFixture(10, CupCode(0, kSecondMatchCodes), 2, 1, 0);
    int16_t first = AddFixture(10, CupCode(0, 0), 1, 2, 0);
    EXPECT_EQ(first, second + 1);
    EXPECT_EQ(HeadOf(second), (FixtureHead{10, 5, 1, 2}));
    EXPECT_EQ(HeadOf(first), (FixtureHead{10, 13, 2, 1}));

    // A second leg whose first leg stands later in the table changes
    // places with it; the days stay in their slots, so the table keeps its
    // day order and the earlier match is the first leg.
    AddFixture(30, CupCode(1, 0), 3, 4, 0);
    int16_t inserted = AddFixture(20, CupCode(1, kSecondMatchCodes), 4, 3, 0);
    EXPECT_EQ(HeadOf(inserted), (FixtureHead{20, 21, 3, 4}));
    EXPECT_EQ(HeadOf(inserted + 1), (FixtureHead{30, 29, 4, 3}));

    // The same for a first leg moved past its second leg.
    AddFixture(50, CupCode(3, kSecondMatchCodes), 8, 7, 0);
    inserted = AddFixture(55, CupCode(3, 0), 7, 8, 0);
    EXPECT_EQ(HeadOf(inserted - 1), (FixtureHead{50, 53, 7, 8}));
    EXPECT_EQ(HeadOf(inserted), (FixtureHead{55, 61, 8, 7}));
    for (int slot = 1; slot < UsedSlots(); ++slot) EXPECT_LE(FixtureDay(slot - 1), FixtureDay(slot));

    // Clubs in the same order are a different tie.
    AddFixture(40, CupCode(2, kSecondMatchCodes), 5, 6, 0);
    int16_t notTheTie = AddFixture(40, CupCode(2, 0), 5, 6, 0);
    EXPECT_EQ(HeadOf(notTheTie), (FixtureHead{40, 37, 5, 6}));
}

TEST_F(FixtureTableTest, FirstLegPairingSkipsSlotZero) {
    int16_t second = AddFixture(10, CupCode(0, kSecondMatchCodes), 2, 1, 0);
    ASSERT_EQ(second, 0);
    AddFixture(10, CupCode(0, 0), 1, 2, 0);
    EXPECT_EQ(HeadOf(0), (FixtureHead{10, 13, 2, 1}));
}

TEST_F(FixtureTableTest, ClearingEmptiesEverySlot) {
    AddFixture(1, kCompLeague, 1, 2, 1);
    ClearFixtureTable();
    for (int slot : {0, 1, kFixtureSlots - 1}) {
        EXPECT_TRUE(IsFixtureEmpty(slot));
        EXPECT_EQ(FixtureType(slot), kCompLeague);
        EXPECT_EQ(FixtureHome(slot), 0);
        EXPECT_EQ(FixtureScore(slot) & 0x3FFF, 31u | 31u << 5);
    }
}

// --- a full table --------------------------------------------------------------

class FullTableTest : public SeasonTest {
  protected:
    // Fills every slot without the cost of 20000 insertions.
    void FillTable(int day) {
        for (int slot = 0; slot < kFixtureSlots; ++slot) {
            uint8_t* f = FixtureTable[slot].bytes;
            recbits::StoreU32(f, uint32_t(day));
            recbits::StoreU16(f + 4, uint16_t(slot % 1200));
            recbits::StoreU16(f + 6, uint16_t((slot + 1) % 1200));
        }
    }
};

TEST_F(FullTableTest, RefusesAndLogsInsteadOfDroppingTheLastFixture) {
    FillTable(100);
    auto before = std::make_unique<Fixture[]>(kFixtureSlots);
    std::memcpy(before.get(), FixtureTable, sizeof FixtureTable);
    StdoutCapture capture;
    EXPECT_EQ(AddFixture(50, kCompLeague, 1, 2, 0), -1);   // an earlier day would push one out
    EXPECT_EQ(AddFixture(150, kCompLeague, 1, 2, 0), -1);  // no slot after the last one
    std::string log = capture.Text();
    EXPECT_NE(log.find("AddFixture Error: fixture table full"), std::string::npos) << log;
    EXPECT_EQ(std::memcmp(before.get(), FixtureTable, sizeof FixtureTable), 0);
}

TEST_F(FullTableTest, AFriendlyMadeWayForTheNewFixtureFreesItsSlot) {
    FillTable(100);
    recbits::StoreU32(FixtureTable[kFixtureSlots - 1].bytes, 100u | 117u << 9);
    recbits::StoreU16(FixtureTable[kFixtureSlots - 1].bytes + 4, 7);
    int16_t slot = AddFixture(100, kCompLeague, 7, 8, 0);
    EXPECT_EQ(slot, kFixtureSlots - 1);
    EXPECT_EQ(HeadOf(slot), (FixtureHead{100, 0, 7, 8}));
}

TEST_F(FixtureTableTest, DaysThatCannotBeStoredAreRefused) {
    StdoutCapture capture;
    EXPECT_EQ(AddFixture(511, kCompLeague, 1, 2, 0), -1);
    EXPECT_EQ(AddFixture(-3, kCompLeague, 1, 2, 0), -1);
    EXPECT_NE(capture.Text().find("AddFixture Error"), std::string::npos);
    EXPECT_EQ(UsedSlots(), 0);
}

// --- moving league fixtures -----------------------------------------------------

class MoveFixturesTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        for (int c = 0; c < kCountryCount; ++c) SeasonCalendar.leagueEndDay[c] = 300;
        MakeClub(1, 0, 0);
        MakeClub(2, 0, 0);
        MakeClub(3, 0, 1);
        MakeClub(4, 0, 1);
        MakeClub(5, 2, 0);
        MakeClub(6, 2, 0);
    }
};

TEST_F(MoveFixturesTest, NationMovesItsTopDivisionOutOfTheWindow) {
    AddFixture(46, kCompLeague, 1, 2, 0);    // day - 4: stays
    AddFixture(47, kCompLeague, 2, 1, 0);    // day - 3: moves
    AddFixture(50, kCompLeague, 1, 2, 0);    // moves
    AddFixture(50, kCompLeague, 3, 4, 0);    // division 1: stays
    AddFixture(50, kCompLeague, 5, 6, 0);    // another nation: stays
    AddFixture(50, CupCode(3, 7), 1, 2, 0);  // a cup match: stays
    AddFixture(52, kCompLeague, 1, 2, 1);    // day + 2: moves, neutral flag kept
    AddFixture(53, kCompLeague, 2, 1, 0);    // day + 3: stays
    MoveNationLeagueFixtures(0, 50);
    for (int slot = 0; slot < UsedSlots(); ++slot) {
        FixtureHead h = HeadOf(slot);
        bool topLeague = h.type == 0 && (h.home == 1 || h.home == 2);
        EXPECT_TRUE(!topLeague || h.day == 46 || h.day > 52) << h;
    }
    EXPECT_EQ(UsedSlots(), 8);
    EXPECT_NE(FindCompetitiveFixtureOnDay(3, 50), -1);
    EXPECT_NE(FindCompetitiveFixtureOnDay(5, 50), -1);
    EXPECT_NE(FindCompetitiveFixtureOnDay(1, 53), -1);
    int neutralMoved = 0;
    for (int slot = 0; slot < UsedSlots(); ++slot) {
        if (FixtureScore(slot) & kFixtureNeutralBit) neutralMoved += FixtureDay(slot) > 53;
    }
    EXPECT_EQ(neutralMoved, 1);
}

TEST_F(MoveFixturesTest, ClubMovesItsLeagueFixturesAroundTheDay) {
    AddFixture(97, kCompLeague, 3, 4, 0);     // day - 3: stays
    AddFixture(98, kCompLeague, 4, 3, 0);     // day - 2: moves
    AddFixture(103, kCompLeague, 3, 4, 0);    // day + 3: moves
    AddFixture(100, kCompLeague, 1, 2, 0);    // other clubs: stay
    AddFixture(101, kCompFriendly, 3, 1, 0);  // friendly: stays
    MoveClubLeagueFixtures(3, 100);
    EXPECT_NE(FindCompetitiveFixtureOnDay(3, 97), -1);
    EXPECT_EQ(FindCompetitiveFixtureOnDay(3, 98), -1);
    EXPECT_EQ(FindCompetitiveFixtureOnDay(3, 103), -1);
    EXPECT_NE(FindFriendlyOnDay(3, 101), -1);
    EXPECT_EQ(UsedSlots(), 5);
    for (int slot = 0; slot < UsedSlots(); ++slot) {
        if (IsFixtureOfClub(slot, 3) && FixtureType(slot) == 0 && FixtureDay(slot) != 97) {
            EXPECT_GT(FixtureDay(slot), 103);
        }
    }
}

TEST_F(MoveFixturesTest, FreeDaySearchPrefersTheMiddleOfAFreeStretch) {
    int16_t slot = AddFixture(100, kCompLeague, 1, 2, 0);
    AddFixture(107, kCompLeague, 1, 9, 0);          // blocks 107 for the home club
    AddFixture(110, kCompNationalTeam, 40, 41, 1);  // a national-team day blocks everyone
    AddFixture(111, kCompFriendly, 2, 9, 0);        // a friendly does not block
    EXPECT_TRUE(FindNextFreeFixtureDay(100, slot));
    DeleteFixture(slot);
    // 108-112 hold 110; the first five free days in a row are 111-115.
    EXPECT_NE(FindCompetitiveFixtureOnDay(1, 113), -1);
    EXPECT_NE(FindFriendlyOnDay(2, 111), -1);

    // A cup match looks from two days on for three free days.
    int16_t cup = AddFixture(200, CupCode(0, 5), 3, 4, 0);
    EXPECT_TRUE(FindNextFreeFixtureDay(200, cup));
    EXPECT_NE(FindCompetitiveFixtureOnDay(3, 203), -1);

    // A reserve-league fixture simply goes to the next day.
    int16_t reserve = AddFixture(150, kCompReserveLeague, 5, 6, 0);
    EXPECT_TRUE(FindNextFreeFixtureDay(150, reserve));
    EXPECT_NE(FindFriendlyOrSpecialOnDay(5, 151), -1);
}

TEST_F(MoveFixturesTest, FreeDaySearchFallsBackToDaysBeforeTheEndDay) {
    SeasonCalendar.leagueEndDay[0] = 105;
    int16_t slot = AddFixture(100, kCompLeague, 1, 2, 0);
    AddFixture(102, kCompLeague, 2, 7, 0);
    // Nothing from 107 on; searching back from 105 there are no five free
    // days in a row, and the last three are 103-105.
    EXPECT_TRUE(FindNextFreeFixtureDay(100, slot));
    EXPECT_NE(FindCompetitiveFixtureOnDay(1, 104), -1);
}

TEST_F(MoveFixturesTest, AFixtureWithNoFreeDayLeftStaysWhereItIs) {
    for (int c = 0; c < kCountryCount; ++c) SeasonCalendar.leagueEndDay[c] = 101;
    int16_t slot = AddFixture(100, kCompLeague, 1, 2, 0);
    AddFixture(101, kCompLeague, 2, 3, 0);
    const int32_t level = DebugGetLevel(DEBUG_GENERAL);
    DebugSetLevel(DEBUG_GENERAL, 1);
    StdoutCapture log;
    EXPECT_FALSE(FindNextFreeFixtureDay(100, slot));
    EXPECT_FALSE(MoveFixtureToFreeDay(slot));
    // The moves around a club and a nation pass it by and end.
    MoveClubLeagueFixtures(1, 100);
    MoveNationLeagueFixtures(0, 100);
    EXPECT_NE(log.Text().find("Warning: no more fixture Finalday Postdate: '100,0'"), std::string::npos);
    DebugSetLevel(DEBUG_GENERAL, level);
    EXPECT_EQ(UsedSlots(), 2);
    EXPECT_EQ(HeadOf(0), (FixtureHead{100, 0, 1, 2}));
}

TEST_F(FixtureTableDeathTest, IllegalCompetitionAndMissingFixtureEndTheProgram) {
    EXPECT_FATAL(AddFixture(1, 121, 1, 2, 0), "illegal competition type '121'");
    SeasonCalendar.currentDay = 17;
    AddFixture(20, kCompLeague, 3, 4, 0);
    EXPECT_FATAL(FindFixture(4, 3, 0),
                 "WARNING !! Cannot find this fixture matey Comp & DayNo: '0,17'\n"
                 "Home Away: '4,3'");
}

// --- property: random additions and deletions -----------------------------------

// A plain list of heads that follows the same rules as the table.
struct ModelTable {
    std::vector<FixtureHead> heads;

    void Add(FixtureHead h) {
        for (int club : {h.home, h.away}) {
            std::erase_if(heads, [&](const FixtureHead& f) {
                return f.day == h.day && f.type == 117 && (f.home == club || f.away == club);
            });
        }
        auto at =
            std::find_if(heads.begin(), heads.end(), [&](const FixtureHead& f) { return f.day > h.day; });
        heads.insert(at, h);
    }
};

TEST_F(FixtureTableTest, RandomAdditionsAndDeletionsKeepTheTableSound) {
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        recbits::StoreU32(FixtureTable[slot].bytes + 12, uint32_t(slot));
    }
    ModelTable model;
    constexpr int16_t kTypes[] = {0, 0, 0, 3, 7, 20, 70, 117, 117, 118, 120};
    for (int step = 0; step < 3000; ++step) {
        if (GameRandom() % 5 == 0 && !model.heads.empty()) {
            int16_t slot = int16_t(GameRandom() % model.heads.size());
            DeleteFixture(slot);
            model.heads.erase(model.heads.begin() + slot);
            continue;
        }
        // Home and away clubs come from different halves, so no pair of
        // cup fixtures ever forms a tie and the order is the model's.
        FixtureHead h{GameRandom() % 367, kTypes[GameRandom() % 11], GameRandom() % 600,
                      600 + GameRandom() % 600};
        int16_t slot = AddFixture(int16_t(h.day), int16_t(h.type), int16_t(h.home), int16_t(h.away),
                                  int16_t(GameRandom() % 2));
        model.Add(h);
        ASSERT_GE(slot, 0);
        ASSERT_EQ(HeadOf(slot), h);
    }
    ASSERT_EQ(UsedSlots(), int(model.heads.size()));
    for (size_t i = 0; i < model.heads.size(); ++i) {
        ASSERT_EQ(HeadOf(int(i)), model.heads[i]) << "slot " << i;
        ASSERT_TRUE(i == 0 || FixtureDay(int(i - 1)) <= FixtureDay(int(i))) << "slot " << i;
    }
    for (int slot = UsedSlots(); slot < kFixtureSlots; ++slot) ASSERT_TRUE(IsFixtureEmpty(slot));
    for (int slot = 0; slot < kFixtureSlots; ++slot) {
        ASSERT_EQ(recbits::LoadU32(FixtureTable[slot].bytes + 12), uint32_t(slot));
    }

    // Fill the rest with late fixtures; then nothing more goes in.
    for (int slot = UsedSlots(); slot < kFixtureSlots; ++slot) {
        recbits::StoreU32(FixtureTable[slot].bytes, 400u);
    }
    auto before = std::make_unique<Fixture[]>(kFixtureSlots);
    std::memcpy(before.get(), FixtureTable, sizeof FixtureTable);
    StdoutCapture capture;
    for (int i = 0; i < 20; ++i) {
        // Clubs without friendlies: nothing makes way for the new fixture.
        EXPECT_EQ(AddFixture(int16_t(GameRandom() % 420), kCompLeague, int16_t(1300 + i), 1400, 0), -1);
    }
    capture.Text();
    EXPECT_EQ(std::memcmp(before.get(), FixtureTable, sizeof FixtureTable), 0);
}

}  // namespace
