#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/base/exitlist.h"
#include "core/records/records.h"
#include "tests/core/records/records_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using PlayerTest = RecordsTest;
using PlayerDeathTest = RecordsTest;

// One packed field: how to write it, how to read it back, where it lives,
// a value to write, the bits it must leave, and what the getter returns.
struct PackedCase {
    const char* name;
    std::function<void(uint16_t, int)> set;
    std::function<int(uint16_t)> get;
    int offset, shift, width;
    int value, stored, read;
};

// The stored position is written by SetPlayerPosition and read by
// GetPlayerPosition2.
void SetPlayerPosition2(uint16_t p, int16_t v) { SetPlayerPosition(p, v); }

#define PACKED(field, off, sh, w, v)                                                                         \
    PackedCase {                                                                                             \
#field,                                                                                              \
            [](uint16_t p,                                                                                   \
               int x) { SetPlayer##field(p, int16_t(x)); },                                                  \
                                                         [](uint16_t                                         \
                                                                p) { return int(GetPlayer##field(p)); },     \
                                                                                                      off,   \
                                                                                                      sh, w, \
                                                                                                      v, v,  \
                                                                                                      v      \
    }

std::vector<PackedCase> PackedCases() {
    std::vector<PackedCase> cases = {
        PACKED(CareerGoals, 56, 0, 10, 1001),
        PACKED(Age, 56, 10, 6, 45),
        PACKED(CareerApps, 56, 16, 11, 2000),
        PACKED(Dispoints, 56, 27, 5, 29),
        PACKED(Initial, 60, 0, 5, 25),
        PACKED(SaleStatus, 60, 5, 1, 1),
        PACKED(Clause2, 60, 6, 1, 1),
        PACKED(Clause3, 60, 7, 1, 1),
        PACKED(Clause8, 60, 8, 1, 1),
        PACKED(Captain, 60, 9, 1, 1),
        PACKED(IntDuty, 60, 10, 1, 1),
        PACKED(TxList, 60, 11, 1, 1),
        PACKED(TxReq, 60, 12, 1, 1),
        PACKED(Contract, 60, 20, 6, 59),
        PACKED(Fatigue, 60, 26, 6, 58),
        PACKED(Goals, 84, 0, 7, 126),
        PACKED(Fans, 84, 7, 6, 62),
        PACKED(Halvorn, 84, 13, 1, 1),
        PACKED(HalvornB, 84, 14, 1, 1),
        PACKED(EuroBan, 84, 15, 1, 1),
        PACKED(EuroDispoints, 84, 16, 2, 2),
        PACKED(Caps86, 84, 18, 7, 125),
        PACKED(IntGoals87, 84, 25, 7, 124),
        PACKED(Apps, 88, 0, 7, 123),
        PACKED(AppsAsSub, 88, 7, 7, 122),
        PACKED(Caps89, 88, 14, 7, 121),
        PACKED(Caretaker, 88, 21, 1, 1),
        PACKED(Fitness, 88, 22, 6, 57),
        PACKED(Position2, 88, 28, 4, 12),
        PACKED(Field92, 92, 0, 7, 120),
        PACKED(Shirt, 92, 7, 5, 16),
        PACKED(Experience, 92, 12, 6, 61),
        PACKED(Susp, 92, 18, 5, 30),
        PACKED(Assists, 92, 23, 8, 119),
        PACKED(Flag95, 92, 31, 1, 1),
        PACKED(Morale, 96, 0, 6, 56),
        PACKED(Field96, 96, 6, 6, 55),
        PACKED(Reputation, 96, 12, 6, 60),
        PACKED(IT, 96, 18, 6, 59),
        PACKED(IP, 96, 24, 7, 103),
        PACKED(LoanList, 96, 31, 1, 1),
        PACKED(LoanPeriod, 100, 0, 6, 54),
        PACKED(MoM, 100, 6, 6, 53),
        PACKED(Nationality, 100, 12, 8, 115),
        PACKED(SkinColour, 100, 20, 3, 5),
        PACKED(HairColour, 100, 23, 3, 6),
        PACKED(HairStyle, 100, 26, 3, 7),
        PACKED(BanWait, 104, 0, 2, 2),
        PACKED(Setting3, 104, 2, 2, 3),
        PACKED(Setting2, 104, 4, 2, 2),
        PACKED(Setting1, 104, 6, 2, 1),
        PACKED(Setting4, 104, 8, 4, 14),
        PACKED(Field105, 104, 12, 6, 52),
        PACKED(CareerAppsAsSub, 104, 18, 11, 118),
        PACKED(Flag107, 104, 29, 1, 1),
        PACKED(LoanTrial, 104, 30, 1, 1),
        PACKED(Flag107Bit7, 104, 31, 1, 1),
        PACKED(IntShirt, 108, 0, 5, 15),
        PACKED(Field108A, 108, 5, 7, 117),
        PACKED(Field108B, 108, 12, 7, 116),
        PACKED(Assists2, 108, 19, 8, 250),
        PACKED(Goals2, 112, 0, 7, 115),
        PACKED(Caps113, 112, 13, 7, 114),
        PACKED(IntGoals114, 112, 20, 7, 113),
        PACKED(Caps116, 116, 0, 7, 112),
        PACKED(Field116, 116, 7, 7, 111),
        PACKED(Field117, 116, 14, 3, 6),
        PACKED(Flag118, 116, 17, 1, 1),
        PACKED(Field118, 116, 18, 6, 51),
        PACKED(LoanClubFans, 116, 24, 6, 50),
        PACKED(ScoutMark, 116, 30, 1, 1),
        PACKED(Flag119, 116, 31, 1, 1),
        PACKED(Field120Bit0, 120, 0, 1, 1),
        PACKED(Field120, 120, 1, 8, 199),
        PACKED(Field120Bits9, 120, 9, 2, 2),
        PACKED(Flag120Bit11, 120, 11, 1, 1),
        PACKED(Flag120Bit12, 120, 12, 1, 1),
        PACKED(CupFlag0, 120, 13, 1, 1),
        PACKED(CupFlag1, 120, 14, 1, 1),
        PACKED(CupFlag2, 120, 15, 1, 1),
        PACKED(CupFlag3, 120, 16, 1, 1),
        PACKED(CupFlag4, 120, 17, 1, 1),
        PACKED(CupFlag5, 120, 18, 1, 1),
        PACKED(Agent, 120, 19, 9, 498),
        PACKED(Flag123, 120, 30, 1, 1),
        PACKED(ScoutRecommended, 258, 0, 1, 1),
    };
    // Halved ratings: 2 x stored is read back.
    cases.push_back({"Perf", [](uint16_t p, int x) { SetPlayerPerf(p, int16_t(x)); },
                     [](uint16_t p) { return int(GetPlayerPerf(p)); }, 60, 14, 6, 98, 49, 98});
    cases.push_back({"Perf2", [](uint16_t p, int x) { SetPlayerPerf2(p, int16_t(x)); },
                     [](uint16_t p) { return int(GetPlayerPerf2(p)); }, 112, 7, 6, 96, 48, 96});
    return cases;
}
#undef PACKED

// Every packed field lands in its own bits and touches nothing else, and
// its getter reads it back; the record of the next player stays clean.
TEST_F(PlayerTest, PackedFieldsLandInTheirBitsOnly) {
    const uint16_t p = 42;
    for (const PackedCase& c : PackedCases()) {
        std::memset(PlayerRecords, 0, sizeof(PlayerRecord) * kPlayers);
        c.set(p, c.value);
        EXPECT_EQ(Bits(PlayerBytes(p), c.offset, c.shift, c.width), uint32_t(c.stored)) << c.name;
        EXPECT_EQ(c.get(p), c.read) << c.name;
        PlayerRecord expected{};
        uint32_t word = uint32_t(c.stored) << c.shift;
        std::memcpy(expected.bytes + c.offset, &word, c.offset + 4 <= kPlayerRecordSize ? 4 : 2);
        EXPECT_EQ(std::memcmp(expected.bytes, PlayerBytes(p), kPlayerRecordSize), 0) << c.name;
        for (int b = 0; b < kPlayerRecordSize; ++b) {
            ASSERT_EQ(PlayerBytes(p + 1)[b], 0) << c.name;
            ASSERT_EQ(PlayerBytes(p - 1)[b], 0) << c.name;
        }
        // And clearing it again leaves the rest of a full word alone.
        std::memset(PlayerRecords[p].bytes, 0xFF, kPlayerRecordSize);
        // The lock flag (now set), the fans floor and the ignore rules of
        // the settings make 0 special for these; they have their own tests.
        static const std::set<std::string> kSpecial = {"Setting1", "Setting2", "Setting3",  "TxList",
                                                       "Halvorn",  "HalvornB", "Caretaker", "Fans"};
        if (kSpecial.count(c.name) != 0) continue;
        c.set(p, 0);
        EXPECT_EQ(Bits(PlayerBytes(p), c.offset, c.shift, c.width), 0u) << c.name;
        uint32_t w;
        std::memcpy(&w, PlayerBytes(p) + c.offset, 4);
        uint32_t mask = ((c.width >= 32 ? 0 : (1u << c.width)) - 1u) << c.shift;
        EXPECT_EQ(w | mask, 0xFFFFFFFFu) << c.name;
    }
}

TEST_F(PlayerTest, ByteFieldsAndAmounts) {
    const uint16_t p = 7;
    SetPlayerManPrice(p, 123456789);
    SetPlayerSellOnClause(p, 30000);
    SetPlayerSellOnPercent(p, 55);
    SetPlayerField52(p, 520);
    SetPlayerWage(p, 3999);
    SetPlayerClause1(p, 100000000);
    SetPlayerClause4(p, 4);
    SetPlayerClause5(p, 5);
    SetPlayerClause6(p, 6);
    SetPlayerClause7(p, 7);
    SetPlayerClub(p, 1200);
    SetPlayerLoanClub(p, 17);
    SetPlayerSurname(p, "Abercrombie-Longname");
    const uint8_t* r = PlayerBytes(p);
    EXPECT_EQ(recbits::LoadU32(r + 16), 123456789u);
    EXPECT_EQ(recbits::LoadU16(r + 48), 30000);
    EXPECT_EQ(recbits::LoadU16(r + 50), 55);
    EXPECT_EQ(recbits::LoadU16(r + 52), 520);
    EXPECT_EQ(recbits::LoadU16(r + 54), 3999);
    EXPECT_EQ(recbits::LoadU32(r + 64), 100000000u);
    EXPECT_EQ(recbits::LoadU32(r + 68), 4u);
    EXPECT_EQ(recbits::LoadU32(r + 72), 5u);
    EXPECT_EQ(recbits::LoadU32(r + 76), 6u);
    EXPECT_EQ(recbits::LoadU32(r + 80), 7u);
    EXPECT_EQ(recbits::LoadU16(r + 128), 1200);
    EXPECT_EQ(recbits::LoadU16(r + 130), 17);
    EXPECT_STREQ(reinterpret_cast<const char*>(r), "Abercrombie-Lon");
    EXPECT_EQ(r[15], 0);
    EXPECT_EQ(r[16], 123456789 & 0xFF);  // the surname stopped at its field
    EXPECT_EQ(GetPlayerManPrice(p), 123456789);
    EXPECT_EQ(GetPlayerClause1(p), 100000000);
    EXPECT_EQ(GetPlayerClub(p), 1200);
    EXPECT_EQ(GetPlayerLoanClub(p), 17);
    EXPECT_EQ(GetPlayerWage(p), 3999);
}

TEST_F(PlayerTest, StatsMapToTheirBytes) {
    const int bytes[28] = {28, 29, 30, 31, 32, 33, 35, 34, 20, 21, 22, 23, 24, 25,
                           26, 36, 37, 38, 39, 40, 41, 42, 27, 45, 43, 44, 47, 46};
    for (int i = 0; i < 28; ++i) {
        std::memset(PlayerRecords[3].bytes, 0, kPlayerRecordSize);
        SetPlayerStat(3, int16_t(i), int16_t(10 + i));
        for (int b = 0; b < kPlayerRecordSize; ++b) {
            ASSERT_EQ(PlayerBytes(3)[b], b == bytes[i] ? 10 + i : 0) << "stat " << i;
        }
    }
    SetPlayerStat(3, 5, 250);
    EXPECT_EQ(PlayerBytes(3)[33], 100);
    SetPlayerStat(3, 5, -4);
    EXPECT_EQ(PlayerBytes(3)[33], 0);
    SetPlayerStat(3, 28, 50);  // no such stat: nothing written
    SetPlayerStat(3, -1, 50);
    EXPECT_EQ(PlayerBytes(3)[33], 0);
}

TEST_F(PlayerTest, StatReadingCapsAndFloor) {
    // Stored 0 reads 1; stored 100 in a group without cap reads 99.
    SetPlayerStat(5, 16, 0);
    EXPECT_EQ(GetPlayerStat(5, 16, 0), 1);
    SetPlayerStat(5, 16, 100);
    EXPECT_EQ(GetPlayerStat(5, 16, 0), 99);
    // Group 1: ability 40 caps stat 3 at 40 / 2 + 50 + 3.
    SetPlayerStat(5, 27, 40);
    SetPlayerStat(5, 3, 90);
    EXPECT_EQ(GetPlayerStat(5, 3, 0), 73);
    EXPECT_EQ(GetPlayerStat27(5), 40);
    // Group 2 depends on the player number: 27 mod 20 + 8 / 2 + 80.
    SetPlayerStat(27, 8, 99);
    EXPECT_EQ(GetPlayerStat(27, 8, 0), 91);
    SetPlayerStat(40, 8, 99);
    EXPECT_EQ(GetPlayerStat(40, 8, 0), 84);
    EXPECT_EQ(GetPlayerStat27(kPlayers), 0);
}

// The several-stats getter reads every stat as the one-stat getter does
// without a bonus: caps of both groups, the floor, the top, an index out of
// range, whatever the stored position.
TEST_F(PlayerTest, SeveralStatsReadAsOneAtATime) {
    const int16_t indexes[] = {0, 3, 8, 16, 22, 27, 11, -1, 28, 3};
    for (uint16_t p : {uint16_t(5), uint16_t(27), uint16_t(40)}) {
        SetPlayerPosition(p, 2);
        SetPlayerStat(p, 27, int16_t(30 + p));
        for (int16_t i = 0; i < 27; ++i) SetPlayerStat(p, i, int16_t((i * 37 + p * 11) % 101));
        SetPlayerStat(p, 16, 0);
        SetPlayerStat(p, 22, 100);
        int16_t out[std::size(indexes)];
        GetPlayerStats(p, indexes, int(std::size(indexes)), out);
        for (size_t k = 0; k < std::size(indexes); ++k)
            EXPECT_EQ(out[k], GetPlayerStat(p, indexes[k], 0)) << "player " << p << " stat " << indexes[k];
    }
}

TEST_F(PlayerTest, PositionBonusUsesStoredPositionAndSixteenBitDivisions) {
    const uint16_t p = 9;
    SetPlayerStat(p, 27, 80);
    SetPlayerStat(p, 1, 40);
    SetPlayerPosition(p, 2);  // bonus row 2: stat 1 gets 10 percent
    // q = 80 x 3 x 52 / 100 = 124; bonus = 124 x 10 / 100 = 12.
    EXPECT_EQ(GetPlayerStat(p, 1, 3), 52);
    EXPECT_EQ(GetPlayerStat(p, 1, 0), 40);
    // A manager flag does not change the row: the raw position is used.
    SetPlayerHalvornB(p, 1);
    EXPECT_EQ(GetPlayerStat(p, 1, 3), 52);
    // The bonus is still capped by the group: 80 / 2 + 50 + 1 = 91.
    SetPlayerStat(p, 1, 89);
    EXPECT_EQ(GetPlayerStat(p, 1, 3), 91);
    // The 16-bit product wraps before the division: 100 x 10 x 52 = 52000
    // becomes -13536, so q = -135 and the bonus -13.
    SetPlayerStat(p, 27, 100);
    SetPlayerStat(p, 1, 60);
    EXPECT_EQ(GetPlayerStat(p, 1, 10), 47);
}

TEST_F(PlayerTest, RangeRules) {
    const uint16_t p = 11;
    SetPlayerAge(p, 64);
    EXPECT_EQ(GetPlayerAge(p), 0);
    SetPlayerMorale(p, 75);
    EXPECT_EQ(GetPlayerMorale(p), 60);
    SetPlayerNationality(p, 117);
    EXPECT_EQ(GetPlayerNationality(p), 0);
    SetPlayerClub(p, 1201);
    EXPECT_EQ(GetPlayerClub(p), 0xFFFF);
    SetPlayerClub(p, -1);
    EXPECT_EQ(GetPlayerClub(p), 0xFFFF);
    SetPlayerWage(p, -5);
    EXPECT_EQ(GetPlayerWage(p), 0);
    SetPlayerWage(p, 5000);
    EXPECT_EQ(GetPlayerWage(p), 4000);
    SetPlayerCareerAppsAsSub(p, 2000);
    EXPECT_EQ(GetPlayerCareerAppsAsSub(p), 127);
    SetPlayerField120(p, 201);
    EXPECT_EQ(GetPlayerField120(p), 0);
    SetPlayerField117(p, 7);
    EXPECT_EQ(GetPlayerField117(p), 0);
    SetPlayerAgent(p, 500);
    EXPECT_EQ(GetPlayerAgent(p), 0);
    SetPlayerReputation(p, 100);
    EXPECT_EQ(GetPlayerReputation(p), 63);
    SetPlayerField108A(p, -3);
    EXPECT_EQ(GetPlayerField108A(p), 0);
    SetPlayerSellOnClause(p, -2);
    EXPECT_EQ(GetPlayerSellOnClause(p), 0xFFFF);
    SetPlayerIP(p, 105);
    EXPECT_EQ(GetPlayerIP(p), 104);
    // Settings 1..3 ignore values above 3.
    SetPlayerSetting1(p, 2);
    SetPlayerSetting1(p, 4);
    EXPECT_EQ(GetPlayerSetting1(p), 2);
    SetPlayerSetting4(p, 16);
    EXPECT_EQ(GetPlayerSetting4(p), 15);
    // Tactic codes 6 and 7 read as 0.
    PlayerRecords[p].bytes[103] = 0xC0;  // bits 29-31 of the word at 100 = 6
    EXPECT_EQ(GetPlayerTactic(p), 0);
    PlayerRecords[p].bytes[103] = 0xA0;  // 5
    EXPECT_EQ(GetPlayerTactic(p), 5);
}

TEST_F(PlayerTest, PerformanceIsKeptHalved) {
    SetPlayerPerf(4, 101);
    EXPECT_EQ(Bits(PlayerBytes(4), 60, 14, 6), 50u);
    EXPECT_EQ(GetPlayerPerf(4), 100);
    SetPlayerPerf(4, 7);
    EXPECT_EQ(Bits(PlayerBytes(4), 60, 14, 6), 3u);
    EXPECT_EQ(GetPlayerPerf(4), 6);
    SetPlayerPerf2(4, -9);
    EXPECT_EQ(GetPlayerPerf2(4), 0);
}

TEST_F(PlayerTest, WarningsPrintAndStoreOne) {
    StdoutCapture out;
    SetPlayerSaleStatus(12, 5);
    SetPlayerClause1(12, 100000001);
    SetPlayerSellOnPercent(12, 101);
    SetPlayerLoanList(12, 2);
    EXPECT_EQ(out.Text(),
              "Trying excessive Sale Status with player: '5,12'\n"
              "Trying excessive clause1 with player: '100000001,12'\n"
              "Trying excessive sell clause with player: '101,12'\n"
              "Trying excessive loanlist with player: '2,12'\n");
    EXPECT_EQ(GetPlayerSaleStatus(12), 1);
    EXPECT_EQ(GetPlayerClause1(12), 1);
    EXPECT_EQ(GetPlayerSellOnPercent(12), 0xFFFF);
    EXPECT_EQ(GetPlayerLoanList(12), 1);
}

TEST_F(PlayerTest, LockFlagGuardsManagerAndListFlags) {
    const uint16_t p = 13;
    SetPlayerPosition(p, 6);
    SetPlayerPosition(p, 13);
    EXPECT_EQ(GetPlayerPosition(p), 13);
    EXPECT_EQ(GetPlayerPosition2(p), 6);
    EXPECT_EQ(GetPlayerHalvornB(p), 1);

    const uint16_t q = 14;
    SetPlayerPosition(q, 4);
    SetPlayerFlag95(q, 1);
    SetPlayerPosition(q, 13);
    SetPlayerHalvorn(q, 1);
    SetPlayerCaretaker(q, 1);
    SetPlayerTxList(q, 3);
    EXPECT_EQ(GetPlayerPosition(q), 4);
    EXPECT_EQ(GetPlayerHalvorn(q), 0);
    EXPECT_EQ(GetPlayerCaretaker(q), 0);
    EXPECT_EQ(GetPlayerTxList(q), 0);
    SetPlayerFlag95(q, 0);
    SetPlayerTxList(q, 3);
    EXPECT_EQ(GetPlayerTxList(q), 1);
    SetPlayerPosition(q, 14);  // outside 0..13
    EXPECT_EQ(GetPlayerPosition2(q), 0);
}

TEST_F(PlayerTest, StoringZeroGoalsResetsTheSeasonCounters) {
    const uint16_t p = 15;
    auto fill = [&] {
        SetPlayerGoals(p, 9);
        SetPlayerAssists(p, 8);
        SetPlayerField108A(p, 7);
        SetPlayerField108B(p, 6);
        SetPlayerAssists2(p, 5);
        SetPlayerGoals2(p, 4);
    };
    fill();
    EXPECT_EQ(GetPlayerTotalGoals(p), 13);
    EXPECT_EQ(GetPlayerTotalAssists(p), 13);
    SetPlayerGoals(p, 1);
    EXPECT_EQ(GetPlayerAssists(p), 8);
    EXPECT_EQ(GetPlayerGoals2(p), 4);
    SetPlayerGoals(p, 0);
    EXPECT_EQ(GetPlayerGoals(p), 0);
    EXPECT_EQ(GetPlayerAssists(p), 0);
    EXPECT_EQ(GetPlayerField108A(p), 0);
    EXPECT_EQ(GetPlayerField108B(p), 0);
    EXPECT_EQ(GetPlayerAssists2(p), 0);
    EXPECT_EQ(GetPlayerGoals2(p), 0);
}

TEST_F(PlayerTest, FansRespectTheFloor) {
    SetPlayerField52(16, 520);
    SetPlayerFans(16, -5);
    EXPECT_EQ(GetPlayerFans(16), 10);
    SetPlayerFans(16, 70);
    EXPECT_EQ(GetPlayerFans(16), 63);
    SetPlayerFans(16, 30);
    EXPECT_EQ(GetPlayerFans(16), 30);
    // A floor beyond the field's reach still stores a value that fits.
    SetPlayerField52(16, 5000);
    SetPlayerFans(16, 1);
    EXPECT_EQ(GetPlayerFans(16), 63);
    EXPECT_EQ(Bits(PlayerBytes(16), 84, 13, 1), 0u);
}

TEST_F(PlayerTest, ThreeEuropeanPointsBanAndPostAMessage) {
    const uint16_t p = 17;
    SetPlayerClub(p, 30);
    SetPlayerEuroDispoints(p, 2);
    EXPECT_EQ(GetPlayerEuroBan(p), 0);
    SetPlayerEuroDispoints(p, 5);
    EXPECT_EQ(GetPlayerEuroDispoints(p), 3);
    EXPECT_EQ(GetPlayerEuroBan(p), 1);
    const uint8_t* m = MessageArchive[30][0].bytes;
    EXPECT_EQ(recbits::LoadU16(m + kMsgType), 154);
    EXPECT_EQ(recbits::LoadU16(m + kMsgClubA), 30);
    EXPECT_EQ(recbits::LoadU32(m + kMsgPlayerA), p);
}

TEST_F(PlayerTest, CupTableRowsAndSharedSlots) {
    const uint16_t p = 18;
    for (int row = 0; row < 9; ++row) {
        for (int slot = 0; slot < 7; ++slot) SetPlayerCup(p, -1, int16_t(slot), int16_t(row));
    }
    SetPlayerCup(p, 77, 2, 5);
    EXPECT_EQ(recbits::LoadU16(PlayerBytes(p) + 132 + 14 * 5 + 4), 77);
    EXPECT_EQ(GetPlayerCup(p, 2, 5), 77);
    EXPECT_EQ(GetPlayerCup(p, 2, 4), 0xFFFF);
    // Slots 4..6 live in row 0 whatever row is given.
    SetPlayerCup(p, 1200, 5, 8);
    EXPECT_EQ(recbits::LoadU16(PlayerBytes(p) + 132 + 10), 1200);
    EXPECT_EQ(GetPlayerCup(p, 5, 3), 1200);
    EXPECT_EQ(recbits::LoadU16(PlayerBytes(p) + 132 + 14 * 8 + 10), 0);  // never used
    EXPECT_EQ(recbits::LoadU16(PlayerBytes(p) + 258), 0);                // table ends before byte 258
}

TEST_F(PlayerTest, MoraleChangesInPercent) {
    const uint16_t p = 19;
    SetPlayerClub(p, 3);
    SetClubNation(3, 4);
    SetPlayerNationality(p, 4);
    SetPlayerMorale(p, 40);
    ChangePlayerMorale(p, 10);  // 40 + 4 + 1
    EXPECT_EQ(GetPlayerMorale(p), 45);
    ChangePlayerMorale(p, -20);  // 45 - (9 + 1)
    EXPECT_EQ(GetPlayerMorale(p), 35);
    ChangePlayerMorale(p, 0);
    EXPECT_EQ(GetPlayerMorale(p), 35);
    // A foreign player's loss is doubled: 35 - (14 + 1).
    SetPlayerNationality(p, 7);
    ChangePlayerMorale(p, -20);
    EXPECT_EQ(GetPlayerMorale(p), 20);
    // Gains are not.
    ChangePlayerMorale(p, 50);
    EXPECT_EQ(GetPlayerMorale(p), 31);
    ChangePlayerMorale(p, 500);
    EXPECT_EQ(GetPlayerMorale(p), 60);
    ChangePlayerMorale(p, -300);
    EXPECT_EQ(GetPlayerMorale(p), 0);
}

TEST_F(PlayerTest, SettersIgnorePlayersNotInUseAndQuietGettersReadZero) {
    PlayerRecords[kPlayers].bytes[56] = 0x55;
    SetPlayerCareerGoals(kPlayers, 3);
    SetPlayerWage(kPlayers, 3);
    SetPlayerClub(kPlayers, 3);
    SetPlayerScoutRecommended(kPlayers, 1);
    SetPlayerCup(kPlayers, 5, 1, 1);
    EXPECT_EQ(PlayerBytes(kPlayers)[56], 0x55);
    EXPECT_EQ(recbits::LoadU16(PlayerBytes(kPlayers) + 54), 0);
    EXPECT_EQ(PlayerBytes(kPlayers)[258], 0);
    PlayerRecords[kPlayers].bytes[92] = 0x7F;
    EXPECT_EQ(GetPlayerField92(kPlayers), 0);
    EXPECT_EQ(GetPlayerScoutRecommended(kPlayers), 0);
    EXPECT_FALSE(IsValidPlayer(kPlayers));
    EXPECT_FALSE(IsValidPlayer(0));
    EXPECT_TRUE(IsValidPlayer(kPlayers - 1));
    EXPECT_EQ(GetPlayerRecordAddress(kPlayers), nullptr);
}

TEST_F(PlayerTest, AgentsAreDrawnByLevel) {
    InitAgents();
    for (const AgentRecord& a : AgentRecords) {
        ASSERT_LT(a.bytes[0], 100);
        ASSERT_LT(a.bytes[3], 80);
    }
    // Only one agent is within reach of a weak player.
    for (AgentRecord& a : AgentRecords) a.bytes[3] = 79;
    AgentRecords[321].bytes[3] = 5;
    SetPlayerStat(20, 27, 10);
    SetPlayerClub(20, 9);
    uint16_t hits = 0;
    for (int i = 0; i < 20; ++i) hits += AssignPlayerAgent(20) == 321;
    EXPECT_GT(hits, 10);
    // During the season the user's club hears about it in its inbox.
    SetClubControl(9, 1);
    SetPlayerClub(1, 9);
    SeasonCalendar.currentDay = 40;
    uint16_t agent = AssignPlayerAgent(20);
    EXPECT_EQ(recbits::LoadU16(UserInbox[0].bytes + kMsgType), 228);
    EXPECT_EQ(recbits::LoadI32(UserInbox[0].bytes + kMsgNumber1), agent);
    EXPECT_EQ(recbits::LoadU16(MessageArchive[9][0].bytes + kMsgType), 0);
    AssignAllPlayerAgents();
    EXPECT_LT(GetPlayerAgent(kPlayers - 1), 500);
}

// --- fatal paths -------------------------------------------------------------

// Player 0 is a program error that ends the game as every fatal error
// does: the exit list runs (it restores the display and closes the files)
// and the player is shown a message naming the accessor, instead of the
// window vanishing without a word.
void EndWithTheFatalPathShown(const std::function<void()>& access) {
    SendStdoutToStderr();
    CoreHooks hooks;
    hooks.messageBox = [](const char* text) { std::fprintf(stderr, "message box: %s", text); };
    CoreSetHooks(hooks);
    OnExitAddEx([] { std::fprintf(stderr, "exit list run\n"); }, "player zero test");
    access();
}

TEST_F(PlayerDeathTest, PlayerZeroEndsThroughTheFatalPathNamingTheAccessor) {
    const std::string shown = "exit list run\nmessage box: A program error ended the game \\(in ";
    EXPECT_EXIT(EndWithTheFatalPathShown([] { GetPlayerWage(0); }), ::testing::ExitedWithCode(1),
                shown + "GetPlayerWage\\)");
    EXPECT_EXIT(EndWithTheFatalPathShown([] { SetPlayerWage(0, 1); }), ::testing::ExitedWithCode(1),
                shown + "SetPlayerWage\\)");
    EXPECT_EXIT(EndWithTheFatalPathShown([] { GetPlayerField92(0); }), ::testing::ExitedWithCode(1),
                shown + "GetPlayerField92\\)");
}

TEST_F(PlayerDeathTest, GettersWithAMessageStopAtThePlayerCount) {
    EXPECT_FATAL(GetPlayerWage(kPlayers), "Trying to get Wage of neg player : '100'");
    EXPECT_FATAL(GetPlayerAge(kPlayers), "Trying to get negative player age : '100'");
    EXPECT_FATAL(IsPlayerSuspended(kPlayers), "Trying to find if neg player is under susp : '100'");
    EXPECT_FATAL(GetPlayerTotalGoals(kPlayers), "Trying to get goals of neg player : '100'");
    EXPECT_FATAL(GetPlayerStat(kPlayers, 1, 0), "Trying to get Stat of invalid player : '100'");
    int16_t out[1];
    const int16_t index = 1;
    EXPECT_FATAL(GetPlayerStats(kPlayers, &index, 1, out), "Trying to get Stat of invalid player : '100'");
    EXPECT_FATAL(SetPlayerStat(kPlayers, 1, 0), "Trying to set Stat of invalid player : '100'");
    EXPECT_FATAL(GetPlayerClub(60000), "Trying to get Club of neg player : '60000'");
}

// The getters the table walks read in line stop as the others do: player 0
// silently, a number past the count or past the table (a damaged count)
// with the getter's message; the quiet one reads 0.
TEST_F(PlayerDeathTest, InLineGettersStopAsTheOthers) {
    EXPECT_FATAL(GetPlayerPosition(kPlayers), "Trying to get Position of neg player : '100'");
    EXPECT_FATAL(GetPlayerNationality(kPlayers), "Trying to get Nationality of neg player : '100'");
    EXPECT_FATAL(GetPlayerAgent(kPlayers), "Trying to get Agent of neg player : '100'");
    EXPECT_FATAL(GetPlayerLoanClub(kPlayers), "Trying to get LoanClub of neg player : '100'");
    EXPECT_FATAL(GetPlayerStat(kPlayers, 3, 2), "Trying to get Stat of invalid player : '100'");
    EXPECT_FATAL(GetPlayerRatingKey(kPlayers), "Trying to get Stat of invalid player : '100'");
    EXPECT_FATAL(GetPlayerFatigue(kPlayers), "Trying to get Fatigue of neg player : '100'");
    EXPECT_FATAL(GetPlayerIT(kPlayers), "Trying to get IT of neg player : '100'");
    EXPECT_FATAL(GetPlayerHalvornB(kPlayers), "Trying to get halvorn of neg player : '100'");
    EXPECT_FATAL(GetPlayerShirt(kPlayers), "Trying to get Shirt of neg player : '100'");
    const std::pair<void (*)(), const char*> zeroes[] = {{[] { GetPlayerClub(0); }, "GetPlayerClub"},
                                                         {[] { GetPlayerStat(0, 27, 0); }, "GetPlayerStat"},
                                                         {[] { GetPlayerFlag95(0); }, "GetPlayerFlag95"},
                                                         {[] { GetPlayerPosition(0); }, "GetPlayerPosition"},
                                                         {[] { GetPlayerSetting4(0); }, "GetPlayerSetting4"},
                                                         {[] { GetPlayerField52(0); }, "GetPlayerField52"},
                                                         {[] { SetPlayerFatigue(0, 3); }, "SetPlayerFatigue"},
                                                         {[] { GetPlayerRatingKey(0); }, "GetPlayerRatingKey"}};
    for (const auto& [getter, name] : zeroes) {
        // No getter's message for player 0: the fatal end's own, naming it.
        EXPECT_FATAL(getter(), std::string("^\n-+\n\nA program error ended the game \\(in ") + name + "\\)");
    }
    PlayerCount = 50000;
    EXPECT_FATAL(GetPlayerClub(kMaxPlayers), "Trying to get Club of neg player : '46000'");
    EXPECT_FATAL(GetPlayerStat(kMaxPlayers + 10, 0, 0), "Trying to get Stat of invalid player : '46010'");
}

TEST_F(PlayerTest, InLineQuietGettersReadZeroForANumberNotInUse) {
    for (uint16_t p : {uint16_t(kPlayers - 1), kPlayers}) std::memset(PlayerRecords[p].bytes + 52, 0xFF, 72);
    for (auto get : {GetPlayerFlag95, GetPlayerSetting4, GetPlayerFlag107, GetPlayerScoutMark,
                     GetPlayerFlag119, GetPlayerField52}) {
        EXPECT_EQ(get(kPlayers), 0);
        EXPECT_NE(get(kPlayers - 1), 0);
    }
    SetPlayerFatigue(kPlayers, 5);
    EXPECT_EQ(PlayerBytes(kPlayers)[63], 0xFF);
}

TEST_F(PlayerDeathTest, BadShirtsAndCupsStop) {
    EXPECT_FATAL(SetPlayerShirt(5, 17), "Trying excessive shirt '17'");
    EXPECT_FATAL(SetPlayerIntShirt(5, -1), "Trying excessive shirt '-1'");
    EXPECT_FATAL(SetPlayerCup(5, 3, 7, 0), "Trying to give illegal cup: '7,5'");
    EXPECT_FATAL(SetPlayerCup(5, 1201, 0, 0), "Trying to give illegal cup: '0,5'");
    EXPECT_FATAL(SetPlayerCup(5, 3, 1, 9), "Trying to give illegal cup: '1,5'");
    EXPECT_FATAL(GetPlayerCup(5, 7, 0), "Trying to get cup of neg player : '5'");
    EXPECT_FATAL(GetPlayerCup(5, 0, -1), "Trying to get cup of neg player : '5'");
}

}  // namespace

// The kept market keys and club words answer as the records do through
// every setter of the fields they read, and grow with the player table.
TEST_F(PlayerTest, KeptMarketKeysAndClubWordsFollowTheSetters) {
    EXPECT_EQ(PlayerMarketKeys(), nullptr);
    EXPECT_EQ(PlayerClubWords(), nullptr);
    const uint16_t p = 7;
    SetPlayerClub(p, 20);
    SetPlayerLoanClub(p, 20);
    KeepPlayerMarketKeys(true);
    const auto key = [&] { return PlayerMarketKeys()[p]; };
    const auto words = [&] { return PlayerClubWords()[p]; };
    EXPECT_EQ(key(), 20);
    EXPECT_EQ(words(), 20u | 20u << 16);
    SetPlayerLoanClub(p, 31);  // owned by 31, playing for 20 on loan
    EXPECT_EQ(key(), 31);
    EXPECT_EQ(words(), 20u | 31u << 16);
    SetPlayerTxList(p, 1);
    EXPECT_EQ(key(), kPlayerOffMarket);
    SetPlayerTxList(p, 0);
    SetPlayerTxReq(p, 1);
    EXPECT_EQ(key(), kPlayerOffMarket);
    SetPlayerTxReq(p, 0);
    SetPlayerLoanTrial(p, 1);
    EXPECT_EQ(key(), kPlayerOffMarket);
    SetPlayerLoanTrial(p, 0);
    EXPECT_EQ(key(), 31);
    SetPlayerLoanClub(p, -1);
    SetPlayerClub(p, -1);  // a free agent
    EXPECT_EQ(key(), kPlayerOffMarket);
    EXPECT_EQ(words(), uint32_t(kNoClub) | uint32_t(kNoClub) << 16);
    // A record added at the table's end is read when first asked for.
    const uint16_t added = PlayerCount;
    ++PlayerCount;
    SetPlayerClub(added, 44);
    SetPlayerLoanClub(added, 44);
    EXPECT_EQ(PlayerMarketKeys()[added], 44);
    EXPECT_EQ(PlayerClubWords()[added], 44u | 44u << 16);
    KeepPlayerMarketKeys(false);
    EXPECT_EQ(PlayerMarketKeys(), nullptr);
    --PlayerCount;
}

// The members kept with the club words are the players each club's roster
// holds, in number order, through every setter of the words, a grown table,
// nested keepers, and a keeper taken again after changes made unkept.
TEST_F(PlayerTest, KeptClubMembersFollowTheClubWords) {
    int count = -1;
    EXPECT_EQ(KeptClubMembers(20, &count), nullptr);
    EXPECT_EQ(count, 0);
    const auto fresh = [](int16_t club) {
        std::vector<uint16_t> players;
        for (uint16_t p = 1; p < PlayerCount; ++p) {
            const uint16_t playing = GetPlayerClub(p), owner = GetPlayerLoanClub(p);
            if (playing == uint16_t(club) || (owner != playing && owner == uint16_t(club)))
                players.push_back(p);
        }
        return players;
    };
    const auto kept = [](int16_t club) {
        int n = 0;
        const uint16_t* members = KeptClubMembers(club, &n);
        EXPECT_NE(members, nullptr);
        return members == nullptr ? std::vector<uint16_t>{} : std::vector<uint16_t>(members, members + n);
    };
    const auto expectAlike = [&](const char* step) {
        for (int16_t club : {0, 20, 31, 44}) EXPECT_EQ(kept(club), fresh(club)) << step << ", club " << club;
    };
    for (uint16_t p = 1; p < kPlayers; ++p) {
        SetPlayerClub(p, int16_t(p % 3 == 0 ? 20 : 31));
        SetPlayerLoanClub(p, int16_t(GetPlayerClub(p)));
    }
    KeepPlayerMarketKeys(true);
    expectAlike("first asked");
    SetPlayerLoanClub(9, 31);  // owned by 31, playing for 20 on loan: in both
    SetPlayerClub(12, 44);     // owned by 20, playing for 44
    SetPlayerClub(13, -1);     // a free agent: in none
    SetPlayerLoanClub(13, -1);
    expectAlike("after the setters");
    SetPlayerLoanClub(9, 20);  // the loan ends: back to 20 alone
    expectAlike("after a loan's end");

    const uint16_t added = PlayerCount;
    ++PlayerCount;
    SetPlayerClub(added, 44);
    SetPlayerLoanClub(added, 44);
    expectAlike("after the table grew");
    SetPlayerClub(added, 20);
    expectAlike("after a change of the added record");

    KeepPlayerMarketKeys(true);  // a keeper within the first
    KeepPlayerMarketKeys(false);
    SetPlayerClub(5, 44);
    expectAlike("under the outer keeper");
    KeepPlayerMarketKeys(false);
    EXPECT_EQ(KeptClubMembers(20, &count), nullptr);
    SetPlayerClub(6, 44);  // unkept: seen when they are taken again
    std::memcpy(PlayerRecords[7].bytes + kPlayerClubOffset, PlayerRecords[6].bytes + kPlayerClubOffset, 2);
    KeepPlayerMarketKeys(true);
    expectAlike("taken again");
    EXPECT_EQ(KeptClubMembers(kClubCount, &count), nullptr);
    KeepPlayerMarketKeys(false);
    --PlayerCount;
}
