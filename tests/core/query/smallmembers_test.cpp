#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/club/tactics.h"
#include "core/query/codetexts.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/referees.h"
#include "core/season/fixtureday.h"
#include "core/season/seasontables.h"
#include "tests/core/query/query_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using SmallMembersTest = QueryTest;
using SmallMembersDeathTest = QueryTest;

TEST_F(SmallMembersTest, PercentagesOfTheSixtyPointFields) {
    const uint16_t p = AddPlayer(5, 6);
    const struct { int percent, stored; } cases[] = {{100, 60}, {0, 0}, {99, 60}, {50, 30}, {1, 1}, {98, 59}};
    for (const auto& c : cases) {
        HVW_SetPlayerFitnessPercent(p, int16_t(c.percent));
        EXPECT_EQ(GetPlayerFitness(p), c.stored) << c.percent;
        HVW_SetPlayerFatiguePercent(p, int16_t(c.percent));
        EXPECT_EQ(GetPlayerFatigue(p), c.stored) << c.percent;
    }
    SetPlayerField96(p, 59);
    EXPECT_EQ(HVW_GetPlayerField96Percent(p), 98);
    SetPlayerField105(p, 60);
    EXPECT_EQ(HVW_GetPlayerField105Percent(p), 100);
    // Form 98 / 2 = 49, performance 62 / 2 = 31.
    SetPlayerPerf(p, 62);
    EXPECT_EQ(HVW_GetPlayerFormScore(p), 49 + 31);
    SetPlayerField96(p, 1);
    SetPlayerPerf(p, 2);
    EXPECT_EQ(HVW_GetPlayerFormScore(p), 0 + 1);
}

TEST_F(SmallMembersTest, ForwardersReachTheirRecords) {
    const uint16_t p = AddPlayer(5, 6);
    HVW_SetPlayerIntShirt(p, 7);
    EXPECT_EQ(GetPlayerIntShirt(p), 7);
    HVW_SetClubWeeksMerchandising(5, 3, 12345);
    EXPECT_EQ(GetClubWeeksMerchandising(5, 3), 12345);
    EXPECT_EQ(GetClubWeeksMerchandising(5, 12345 % 52), 0);
    HVW_SetClubSeasonMerchandising(5, 777);
    EXPECT_EQ(GetClubSeasonMerchandising(5), 777);
    SetPlayerStat(p, 4, 33);
    EXPECT_EQ(HVW_GetPlayerStat(p, 4), 33);
    SetPlayerFans(1, 63);
    SetPlayerClub(1, 5);
    SetPlayerPosition(1, 13);
    EXPECT_EQ(HVW_GetClubManagerFansPct(5), 100);
    SetPlayerFans(1, 32);
    EXPECT_EQ(HVW_GetClubManagerFansPct(5), 50);
}

TEST_F(SmallMembersTest, AvailabilityRankAmongTheClubsPlayers) {
    const uint16_t best = AddPlayer(5, 6);
    const uint16_t weaker = AddPlayer(5, 2);
    const uint16_t candidate = AddPlayer(6, 11);
    // Every attribute at one level: the position ratings follow it.
    const auto setAll = [](uint16_t p, int16_t v) {
        for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, v);
    };
    setAll(best, 50);
    setAll(weaker, 40);
    setAll(candidate, 45);
    EXPECT_EQ(HVW_IsPlayerAvailable(candidate, 5), 1);
    setAll(candidate, 50);
    EXPECT_EQ(HVW_IsPlayerAvailable(candidate, 5), 1);  // after the club's own of equal rating
    setAll(candidate, 60);
    EXPECT_EQ(HVW_IsPlayerAvailable(candidate, 5), 0);
    EXPECT_EQ(HVW_IsPlayerAvailable(weaker, 5), 1);  // a player of the club counts once
    EXPECT_EQ(HVW_IsPlayerAvailable(candidate, 1200), -1);
}

TEST_F(SmallMembersTest, SquadListTestsBuildTheClubsLists) {
    const uint16_t first = AddPlayer(5, 6);
    const uint16_t youth = AddPlayer(5, 6);
    SetPlayerFlag95(youth, 1);
    UpdateClubSquads();
    const uint16_t elsewhere = AddPlayer(6, 6);
    EXPECT_EQ(HVW_IsInSelectedTeam(first, 5), 1);
    EXPECT_EQ(HVW_IsInSelectedTeam(youth, 5), 0);
    EXPECT_EQ(HVW_IsInThirdSquadList(youth, 5), 1);
    EXPECT_EQ(HVW_IsInSelectedTeam(elsewhere, 5), 0);
    EXPECT_EQ(HVW_IsInNationalSquad(first, 5), 0);
    // The lists stay built for the club last asked about.
    EXPECT_EQ(FirstTeamList.players[0], first);
}

TEST_F(SmallMembersTest, NationalShirtSearchStopsAtTheFirstEmptySlot) {
    const uint16_t a = AddPlayer(5, 6);
    const uint16_t b = AddPlayer(5, 6);
    SetPlayerIntShirt(a, 3);
    SetPlayerIntShirt(b, 9);
    ReserveList.players[0] = a;
    ReserveList.players[1] = 0;
    ReserveList.players[2] = b;
    EXPECT_EQ(HVW_FindIntSquadPlayerByShirt(3), a);
    EXPECT_EQ(HVW_FindIntSquadPlayerByShirt(9), 0);
    ReserveList.players[1] = PlayerCount;  // the end mark ends it too
    EXPECT_EQ(HVW_FindIntSquadPlayerByShirt(9), 0);
    ReserveList.players[1] = b;
    EXPECT_EQ(HVW_FindIntSquadPlayerByShirt(9), b);
}

TEST_F(SmallMembersTest, SurnameIsCutToTheField) {
    const uint16_t p = AddPlayer(5, 6);
    HVW_SetPlayerSurname(p, "Abcdefghijklmnopqrstuvwxyz");
    EXPECT_STREQ(GetPlayerSurname(p), "Abcdefghijklmno");
    HVW_SetPlayerSurname(p, "Lee");
    EXPECT_STREQ(GetPlayerSurname(p), "Lee");
}

TEST_F(SmallMembersTest, PlainTableOperations) {
    EXPECT_EQ(HVW_GetPositionTextId2430(0), 2430);
    EXPECT_EQ(HVW_GetPositionTextId2430(12), 2442);
    EXPECT_EQ(HVW_GetPositionTextId2430(13), -1);
    EXPECT_EQ(HVW_GetPositionTextId2430(-1), -1);

    // The kind bits of each record's flags byte (byte 4) are set; the side
    // bit and the other fields stay.
    MatchEventHistory[0] = 0x00;
    MatchEventHistory[4] = 0x01;
    MatchEventHistory[5] = 0x00;
    MatchEventHistory[9 + 4] = 0x00;
    MatchEventHistory[1260000 - 9 + 4] = 0x00;
    HVW_MarkAll9ByteRecords();
    EXPECT_EQ(MatchEventHistory[0], 0x00);
    EXPECT_EQ(MatchEventHistory[4], 0xFF);
    EXPECT_EQ(MatchEventHistory[5], 0x00);
    EXPECT_EQ(MatchEventHistory[9 + 4], 0xFE);
    EXPECT_EQ(MatchEventHistory[1260000 - 9 + 4], 0xFE);

    CurrentTacticB = 11;
    SeasonStepWord = -4;
    int16_t out = 0;
    EXPECT_EQ(HVW_GetStateWord1(&out), 11);
    EXPECT_EQ(out, 11);
    EXPECT_EQ(HVW_GetStateWord2(&out), -4);
    EXPECT_EQ(out, -4);
}

TEST_F(SmallMembersTest, RefereeCountersResetOnlyForRefereesInUse) {
    auto fill = [](int referee, int16_t nation) {
        uint8_t* r = RefereeRecords[referee].bytes;
        recbits::StoreU16(r + 17, uint16_t(nation));
        recbits::StoreU16(r + 25, 5);
        recbits::StoreU16(r + 27, 6);
        r[29] = 7;
        r[23] = 40;
    };
    fill(3, 2);
    fill(4, -1);
    fill(400, 1);
    HVW_ResetRefereeCounters(3);
    HVW_ResetRefereeCounters(4);
    HVW_ResetRefereeCounters(400);
    HVW_ResetRefereeCounters(-1);
    const uint8_t* r = RefereeRecords[3].bytes;
    EXPECT_EQ(recbits::LoadU16(r + 25), 0);
    EXPECT_EQ(recbits::LoadU16(r + 27), 0);
    EXPECT_EQ(r[29], 0);
    EXPECT_EQ(r[23], 40);
    EXPECT_EQ(recbits::LoadU16(RefereeRecords[4].bytes + 25), 5);
    EXPECT_EQ(recbits::LoadU16(RefereeRecords[400].bytes + 25), 5);
}

TEST_F(SmallMembersTest, RoundedSquareRoot) {
    const struct {
        int32_t n, root;
    } cases[] = {{8, 3},
                 {6, 2},
                 {0, 0},
                 {1, 1},
                 {2, 1},
                 {3, 2},
                 {12, 3},
                 {13, 4},
                 {2147395600, 46340},
                 {2147483647, 46341},
                 {-1, -1},
                 {-2147483647 - 1, -1}};
    for (const auto& c : cases) EXPECT_EQ(HVW_RoundedSquareRoot(c.n), c.root) << c.n;
    // The nearest whole root, checked against squares around every n.
    for (int32_t n = 0; n < 20000; ++n) {
        const int32_t r = HVW_RoundedSquareRoot(n);
        ASSERT_LE(std::abs(r * r - n), std::abs((r + 1) * (r + 1) - n)) << n;
        ASSERT_LE(std::abs(r * r - n), r > 0 ? std::abs((r - 1) * (r - 1) - n) : n) << n;
    }
}

TEST_F(SmallMembersTest, RandomBelow23CoversItsRange) {
    GameSeedRandom(99);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int value = HVW_RandomBelow23();
        ASSERT_LT(value, 23);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 23u);
}

TEST_F(SmallMembersDeathTest, ForwardersStopOnABadPlayer) {
    EXPECT_FATAL(HVW_GetPlayerClause2(PlayerCount), "Trying to get Clause2 of neg player");
    EXPECT_FATAL(HVW_GetClubSeasonLoans(-1), "Trying to get Season Loans of neg club");
}

}  // namespace
