// New records, position codes, side settings, attribute draws, names from
// the shipped database, injury marks and the weekly ageing and growth.
#include <array>
#include <cstring>

#include "core/club/development.h"
#include "core/club/newplayers.h"
#include "core/records/shippeddatabase.h"
#include "core/records/training.h"
#include "tests/core/club/management_fixture.h"
#include "tests/fakes/player_checks.h"

namespace {

// The generator's state after `draws` further draws from `state`.
uint32_t GeneratorStateAfter(uint32_t state, int draws) {
    for (int i = 0; i < draws; ++i) state = state * 214013u + 2531011u;
    return state;
}

class NewPlayersTest : public ManagementTest {
  protected:
    void SetUp() override {
        ManagementTest::SetUp();
        ClearTotStatTables();
        std::memset(TrainingRecords, 0, sizeof TrainingRecords);
    }
    void TearDown() override { ClearTotStatTables(); }

    uint16_t NewRecord(int16_t positionCode, int16_t age, int16_t ability) {
        const uint16_t p = PlayerCount++;
        std::memset(PlayerRecords[p].bytes, 0, sizeof PlayerRecords[p].bytes);
        SetPlayerPositionFromCode(p, 0, positionCode);
        SetPlayerAge(p, age);
        SetPlayerStat(p, 27, ability);
        RandomisePlayerPositionTraits(p, 4);
        DerivePlayerStatsByPosition(p);
        return p;
    }

    static void ExpectSound(uint16_t p) {
        ASSERT_LE(GetPlayerPosition2(p), 12);
        EXPECT_LE(GetPlayerSetting1(p), 3);
        EXPECT_LE(GetPlayerSetting2(p), 3);
        EXPECT_LE(GetPlayerSetting3(p), 3);
        for (int16_t s = 0; s < kStatCount; ++s) {
            const int v = GetPlayerStat(p, s, 0);
            ASSERT_TRUE(v >= 1 && v <= 99) << "stat " << s << " = " << v;
        }
    }

    static void StageRow(int row, const char* surname, int16_t nation, int16_t skin) {
        SetTotStatPlayerSurname(TotStatPlayers[row], surname);
        SetTotStatPlayerNationality(TotStatPlayers[row], nation);
        SetTotStatPlayerSkin(TotStatPlayers[row], skin);
        SetTotStatPlayerHairColour(TotStatPlayers[row], int16_t(skin + 1));
        SetTotStatPlayerHairStyle(TotStatPlayers[row], int16_t(skin + 2));
        TotStatPlayerCount = std::max<uint32_t>(TotStatPlayerCount, uint32_t(row + 1));
    }
};

TEST_F(NewPlayersTest, PositionCodes) {
    const uint16_t p = MakePlayer(-1, 5);
    for (int i = 0; i < 300; ++i) {
        SetPlayerHalvornB(p, 0);
        SetPlayerPositionFromCode(p, 0, 13);
        ASSERT_EQ(GetPlayerPosition(p), 13);
        ASSERT_LE(GetPlayerPosition2(p), 12);
    }
    // Kept: the manager flag is set and the stored position stays.
    SetPlayerHalvornB(p, 0);
    SetPlayerPosition(p, 7);
    const uint32_t before = GameRandomState();
    SetPlayerPositionFromCode(p, 1, 13);
    EXPECT_EQ(GetPlayerPosition(p), 13);
    EXPECT_EQ(GetPlayerPosition2(p), 7);
    EXPECT_EQ(GameRandomState(), before);

    SetPlayerHalvornB(p, 0);
    const std::array<std::array<int, 3>, 3> allowed = {{{1, 2, 4}, {5, 9, 0}, {10, 12, 0}}};
    for (int16_t code = 14; code <= 16; ++code) {
        std::array<int, 13> seen{};
        for (int i = 0; i < 2000; ++i) {
            SetPlayerPositionFromCode(p, 0, code);
            ++seen[GetPlayerPosition2(p)];
        }
        const auto& range = allowed[code - 14];
        for (int pos = 0; pos < 13; ++pos) {
            const bool inList = code == 14 ? (pos >= 1 && pos <= 4) : (pos >= range[0] && pos <= range[1]);
            EXPECT_EQ(seen[pos] > 0, inList) << "code " << code << " position " << pos;
        }
    }
    SetPlayerPositionFromCode(p, 0, 17 + 11);
    EXPECT_EQ(GetPlayerHalvorn(p), 1);
    EXPECT_EQ(GetPlayerPosition2(p), 11);
    SetPlayerPositionFromCode(p, 0, 4);
    EXPECT_EQ(GetPlayerPosition2(p), 4);
}

TEST_F(NewPlayersTest, SideSettings) {
    const uint16_t keeper = MakePlayer(-1, 0);
    for (int16_t kind = 0; kind <= 4; ++kind) {
        for (int i = 0; i < 50; ++i) {
            RandomisePlayerPositionTraits(keeper, kind);
            ASSERT_EQ(GetPlayerSetting2(keeper), 3);
            ASSERT_EQ(GetPlayerSetting1(keeper), 0);
            ASSERT_EQ(GetPlayerSetting3(keeper), 0);
        }
    }
    const uint16_t p = MakePlayer(-1, 5);
    RandomisePlayerPositionTraits(p, 2);
    EXPECT_EQ(GetPlayerSetting1(p), 3);
    EXPECT_EQ(GetPlayerSetting3(p), 0);
    RandomisePlayerPositionTraits(p, 3);
    EXPECT_EQ(GetPlayerSetting1(p), 3);
    EXPECT_EQ(GetPlayerSetting3(p), 3);
    // Forwards always end with setting 2 at 3, whatever the kind.
    const uint16_t forward = MakePlayer(-1, 11);
    for (int16_t kind = 0; kind <= 4; ++kind) {
        RandomisePlayerPositionTraits(forward, kind);
        EXPECT_EQ(GetPlayerSetting2(forward), 3);
    }
}

TEST_F(NewPlayersTest, RandomAroundSpreadAndSmallN) {
    const uint32_t before = GameRandomState();
    EXPECT_EQ(RandomAround(3), 1);
    EXPECT_EQ(RandomAround(0), 0);
    EXPECT_EQ(GameRandomState(), before);
    long sum = 0;
    for (int i = 0; i < 4000; ++i) {
        const int v = RandomAround(100);
        ASSERT_TRUE(v >= 2 && v <= 98);
        sum += v;
    }
    EXPECT_NEAR(sum / 4000.0, 50.0, 1.5);
    EXPECT_EQ(GameRandomState(), GeneratorStateAfter(before, 4 * 4000));
}

TEST_F(NewPlayersTest, BaseZeroSpreadsAroundFiftyWhateverTheAbility) {
    const uint16_t p = MakePlayer(-1, 5);
    for (int16_t ability : {1, 99}) {
        SetPlayerStat(p, 27, ability);
        long physical = 0, technical = 0;
        for (int i = 0; i < 3000; ++i) {
            physical += DrawPhysicalStat(p, 0);
            technical += DrawTechnicalStat(p, 9, 0);
        }
        EXPECT_NEAR(physical / 3000.0, 50.0, 1.5) << ability;
        EXPECT_NEAR(technical / 3000.0, 50.0, 1.5) << ability;
    }
    // The technical rule's extras: stat 10 halved, stat 11 raised to m.
    SetPlayerStat(p, 27, 50);  // m = 70
    for (int i = 0; i < 200; ++i) {
        EXPECT_GE(DrawTechnicalStat(p, 11, 10), 70);
        EXPECT_LE(DrawTechnicalStat(p, 10, 100), 50);
    }
}

TEST_F(NewPlayersTest, CreatedManager) {
    StageRow(0, "First", 3, 2);
    const uint16_t p = PlayerCount;
    std::memset(PlayerRecords[p].bytes, 0xAB, sizeof PlayerRecords[p].bytes);
    ASSERT_TRUE(CreateManagerRecord(p, "Dunmore"));
    EXPECT_EQ(PlayerCount, p + 1);
    EXPECT_STREQ(GetPlayerSurname(p), "Dunmore");
    EXPECT_EQ(GetPlayerSkinColour(p), 2);
    EXPECT_EQ(GetPlayerHairColour(p), 3);
    EXPECT_EQ(GetPlayerHairStyle(p), 4);
    EXPECT_EQ(GetPlayerPosition(p), 13);
    EXPECT_LE(GetPlayerPosition2(p), 12);
    EXPECT_EQ(GetPlayerAge(p), 12);
    EXPECT_EQ(GetPlayerWage(p), 3);
    EXPECT_EQ(GetPlayerContract(p), 24);
    EXPECT_EQ(GetPlayerExperience(p), 53);
    EXPECT_EQ(GetPlayerInitial(p), 3);
    EXPECT_EQ(GetPlayerMorale(p), 60);
    EXPECT_EQ(GetPlayerFitness(p), 60);
    EXPECT_EQ(GetPlayerFans(p), 31);
    EXPECT_EQ(GetPlayerField52(p), 100);
    EXPECT_EQ(GetPlayerClub(p), kNoClub);
    EXPECT_EQ(GetPlayerLoanClub(p), kNoClub);
    EXPECT_EQ(GetPlayerManPrice(p), -1);
    EXPECT_EQ(GetPlayerCareerGoals(p), 0);  // stale bytes cleared
    for (int16_t row = 0; row < 9; ++row) EXPECT_EQ(GetPlayerCup(p, 0, row), kNoClub);
    EXPECT_EQ(GetPlayerCup(p, 6, 0), kNoClub);
    ExpectSound(p);
}

TEST_F(NewPlayersTest, CreateRefusesAFullTableOrAWrongNumber) {
    const uint16_t count = PlayerCount;
    EXPECT_FALSE(CreateManagerRecord(uint16_t(count + 1), "Gap"));
    EXPECT_FALSE(CreateManagerRecord(1, "Overwrite"));
    EXPECT_EQ(PlayerCount, count);
    EXPECT_EQ(GetPlayerSurname(1)[0], '\0');

    PlayerCount = kMaxPlayers;
    EXPECT_FALSE(CreateManagerRecord(kMaxPlayers, "Over"));
    EXPECT_EQ(PlayerCount, kMaxPlayers);
    PlayerCount = kMaxPlayers - 1;
    EXPECT_TRUE(CreateManagerRecord(kMaxPlayers - 1, "Last"));
    EXPECT_EQ(PlayerCount, kMaxPlayers);
    EXPECT_FALSE(CreateManagerRecord(kMaxPlayers, "Beyond"));
}

// Thousands of players of every position code through creation, their
// past weeks and a season of weekly steps.
TEST_F(NewPlayersTest, CreatedPlayersStayInRangeAndFollowTheBases) {
    std::array<long, 13> stat0{}, count{};
    for (int i = 0; i < 3000; ++i) {
        const int16_t code = int16_t(i % 30);
        const uint16_t p = NewRecord(code, int16_t(i % 20), int16_t(1 + i % 99));
        ExpectSound(p);
        for (int week = 0; week < 52; ++week) {
            WeeklyAgeingStep(p);
            WeeklyGrowthStep(p);
        }
        ExpectSound(p);
        if (GetPlayerPosition(p) != 13) {
            stat0[GetPlayerPosition2(p)] += GetPlayerStat(p, 0, 0);
            ++count[GetPlayerPosition2(p)];
        }
        if (PlayerCount > 2000) PlayerCount = 100;
    }
    const double keepers = double(stat0[0]) / double(count[0]);
    for (int pos = 1; pos < 13; ++pos) {
        ASSERT_GT(count[pos], 0);
        EXPECT_GT(keepers, double(stat0[pos]) / double(count[pos]) + 10) << pos;
    }
}

TEST_F(NewPlayersTest, NamesFromTheDatabase) {
    StageRow(0, "Rowzero", 4, 1);
    StageRow(1, "Other", 2, 1);
    StageRow(2, "Match", 5, 3);
    StageRow(3, "Match2", 5, 4);
    const uint16_t p = MakePlayer(-1, 5);
    PlayerCount = 100;  // room for the draws
    SetPlayerNationality(p, 5);
    AssignRandomNameAndLook(p);
    EXPECT_TRUE(std::strcmp(GetPlayerSurname(p), "Match") == 0 ||
                std::strcmp(GetPlayerSurname(p), "Match2") == 0);
    EXPECT_EQ(GetPlayerSkinColour(p) + 1, GetPlayerHairColour(p));

    // No row of his nation: unchanged after a bounded number of draws.
    SetPlayerSurname(p, "Kept");
    SetPlayerNationality(p, 9);
    AssignRandomNameAndLook(p);
    EXPECT_STREQ(GetPlayerSurname(p), "Kept");

    // Only row 0 matches: copied, and the search still ends.
    SetPlayerNationality(p, 4);
    AssignRandomNameAndLook(p);
    EXPECT_STREQ(GetPlayerSurname(p), "Rowzero");

    SetPlayerNationality(3, 2);
    SetPlayerSurname(3, "");
    AssignRandomNamesToAll();
    EXPECT_STREQ(GetPlayerSurname(3), "Other");
}

TEST_F(NewPlayersTest, ShippedClubRowLookups) {
    for (int i = 0; i < TOTSTAT_CLUB_COUNT; ++i) SetTotStatClubNumber(TotStatClubs[i], int16_t(2000));
    SetTotStatClubNumber(TotStatClubs[7], 44);
    SetTotStatClubRepPercent(TotStatClubs[7], 81);
    SetTotStatClubTactic(TotStatClubs[7], 4);
    EXPECT_EQ(FindTotStatClubCode(44), 81);
    EXPECT_EQ(GetClubDatabaseTactic(44), 4);
    EXPECT_EQ(FindTotStatClubCode(45), 0);
    EXPECT_EQ(GetClubDatabaseTactic(45), 0);
}

TEST_F(NewPlayersTest, InjuryLosses) {
    // Player 19: the stat getter's cap of stat 12 (number % 20 + 86) is 105.
    PlayerCount = 19;
    const uint16_t p = MakePlayer(-1, 5, 8, 60);
    SetPlayerStat(p, 12, 99);
    // A type outside the groups: just the three stat-12 checks, none passing.
    uint32_t before = GameRandomState();
    InjuryAttributeLoss(p, 3);
    EXPECT_EQ(GameRandomState(), GeneratorStateAfter(before, 3));
    // Group A: six group draws, then the three checks.
    before = GameRandomState();
    InjuryAttributeLoss(p, 15);
    EXPECT_EQ(GameRandomState(), GeneratorStateAfter(before, 9));
    for (int i = 0; i < 500; ++i) InjuryAttributeLoss(p, int16_t(i % 40));
    EXPECT_EQ(GetPlayerStat(p, 14, 0), 60);
    EXPECT_EQ(GetPlayerStat(p, 27, 0), 60);
    EXPECT_EQ(GetPlayerStat(p, 12, 0), 99);
    EXPECT_LT(GetPlayerStat(p, 9, 0), 60);
    EXPECT_LT(GetPlayerStat(p, 18, 0), 60);

    // Low stat 12: the checks take from stats 14, 27 and 12 too.
    const uint16_t q = MakePlayer(-1, 5, 8, 60);
    SetPlayerStat(q, 12, 1);
    for (int i = 0; i < 20; ++i) InjuryAttributeLoss(q, 1);
    EXPECT_LT(GetPlayerStat(q, 14, 0), 60);
    EXPECT_LT(GetPlayerStat(q, 27, 0), 60);
    EXPECT_EQ(GetPlayerStat(q, 8, 0), 60);
}

TEST_F(NewPlayersTest, AgeingDeclinesOnlyPastTheAbilityAllowance) {
    const uint16_t p = MakePlayer(-1, 5, 10, 60);
    SetPlayerStat(p, 27, 39);  // 4 x 10 - 1: drifts
    uint32_t before = GameRandomState();
    WeeklyAgeingStep(p);
    EXPECT_EQ(GameRandomState(), GeneratorStateAfter(before, 8 * 9));
    SetPlayerStat(p, 27, 38);  // declines: five draws
    before = GameRandomState();
    WeeklyAgeingStep(p);
    EXPECT_EQ(GameRandomState(), GeneratorStateAfter(before, 5));

    // A keeper loses stat 9 half as often as an outfield player.
    const uint16_t keeper = MakePlayer(-1, 0, 15, 60);
    const uint16_t outfield = MakePlayer(-1, 5, 15, 60);
    SetPlayerStat(keeper, 27, 19);  // e = 60 - 20 = 40
    SetPlayerStat(outfield, 27, 19);
    int keeperLosses = 0, outfieldLosses = 0;
    for (int week = 0; week < 20000; ++week) {
        SetPlayerStat(keeper, 9, 50);
        SetPlayerStat(outfield, 9, 50);
        WeeklyAgeingStep(keeper);
        WeeklyAgeingStep(outfield);
        keeperLosses += 50 - GetPlayerStat(keeper, 9, 0);
        outfieldLosses += 50 - GetPlayerStat(outfield, 9, 0);
    }
    EXPECT_NEAR(outfieldLosses, 4000, 250);
    EXPECT_NEAR(keeperLosses, 2000, 180);
}

// A career's past weeks worked on a copy of the stats give what the weeks
// give one by one on the record: the same stats (group caps, stats stored
// at 0 or above their caps, both ends of the range) and the same draws.
TEST_F(NewPlayersTest, PastCareerWeeksEqualTheWeeksOneByOne) {
    GameSeedRandom(4242);
    for (int i = 0; i < 240; ++i) {
        const uint16_t p = MakePlayer(-1, int16_t(i % 13), int16_t(i % 36), 50);
        for (int16_t s = 0; s < kStatCount; ++s) {
            const int r = GameRandom() % 9;
            SetPlayerStat(p, s, int16_t(r == 0 ? 0 : r == 1 ? 100 : r == 2 ? 99 : GameRandom() % 101));
        }
        SetPlayerStat(p, 27, int16_t(i % 7 == 0 ? 0 : GameRandom() % 101));
        const PlayerRecord start = PlayerRecords[p];
        const int32_t weeks = int32_t(GetPlayerAge(p)) * 52 + 1 + i % 3;
        const int32_t allowance = GetPlayerStat(p, 27, 0) + 1 + i % 5 - 2;
        const uint32_t seed = GameRandomState();
        PastCareerWeeks(p, weeks, allowance);
        const PlayerRecord copied = PlayerRecords[p];
        const uint32_t after = GameRandomState();

        PlayerRecords[p] = start;
        GameSetRandomState(seed);
        for (int32_t week = 0; week < weeks; ++week) {
            GrowthWeek(p, -1);
            AgeOrDriftWeek(p, (week / 52) * 4, allowance);
        }
        ASSERT_EQ(GameRandomState(), after) << "player " << i;
        ASSERT_EQ(std::memcmp(copied.bytes, PlayerRecords[p].bytes, sizeof copied.bytes), 0)
            << "player " << i;
        if (PlayerCount > 2000) PlayerCount = 100;
    }
}

// A drift week read as the rule reads: eight rounds of nine draws in turn,
// stats 8, 9, 11, 10 then 12, 15, 18 lowered at remainder 1 of 50 and
// raised at 2, stats 14 and 19 raised at remainder 1 of 100.
void DriftWeekByTheRule(uint16_t p) {
    const auto add = [p](int16_t stat, int change) {
        SetPlayerStat(p, stat, int16_t(GetPlayerStat(p, stat, 0) + change));
    };
    const auto drift = [&](int16_t stat) {
        const int r = GameRandom() % 50;
        if (r == 1) add(stat, -1);
        if (r == 2) add(stat, 1);
    };
    for (int round = 0; round < 8; ++round) {
        for (int16_t stat : {8, 9, 11, 10}) drift(stat);
        for (int16_t stat : {14, 19}) {
            if (GameRandom() % 100 == 1) add(stat, 1);
        }
        for (int16_t stat : {12, 15, 18}) drift(stat);
    }
}

// Weeks of drift change the stats as the rule does, draw by draw, with the
// stats at either end of their range and at their caps.
TEST_F(NewPlayersTest, DriftWeeksFollowTheRuleDrawByDraw) {
    GameSeedRandom(777);
    for (int i = 0; i < 60; ++i) {
        const uint16_t p = MakePlayer(-1, int16_t(i % 13), 20, 50);
        for (int16_t s = 0; s < kStatCount; ++s) {
            const int r = GameRandom() % 6;
            SetPlayerStat(p, s, int16_t(r == 0 ? 0 : r == 1 ? 100 : r == 2 ? 1 : GameRandom() % 101));
        }
        for (int week = 0; week < 200; ++week) {
            const PlayerRecord start = PlayerRecords[p];
            const uint32_t seed = GameRandomState();
            DriftWeekByTheRule(p);
            const PlayerRecord expected = PlayerRecords[p];
            const uint32_t after = GameRandomState();

            PlayerRecords[p] = start;
            GameSetRandomState(seed);
            AgeOrDriftWeek(p, 0, 1);
            ASSERT_EQ(GameRandomState(), after);
            ASSERT_EQ(std::memcmp(expected.bytes, PlayerRecords[p].bytes, sizeof expected.bytes), 0)
                << "player " << i << " week " << week;
        }
    }
}

TEST_F(NewPlayersTest, GrowthFollowsThePositionTableAndIsCountedForTheUser) {
    MakeClub(3);
    MakeClub(4);
    SetPlayerClub(1, 3);
    const uint16_t mine = MakePlayer(3, 9, 4, 20);
    const uint16_t other = MakePlayer(4, 9, 4, 20);
    SetPlayerStat(mine, 27, 99);
    SetPlayerStat(other, 27, 99);
    TrainingRecords[17].bytes[0] = uint8_t(mine);
    TrainingRecords[17].bytes[1] = uint8_t(mine >> 8);
    ASSERT_EQ(HVW_FindEntryById(mine), 17);

    std::array<long, 8> gains{};
    constexpr int kWeeks = 10000;
    for (int week = 0; week < kWeeks; ++week) {
        for (int16_t s = 0; s < 8; ++s) SetPlayerStat(other, s, 20);
        WeeklyGrowthStep(other);
        for (int16_t s = 0; s < 8; ++s) gains[s] += GetPlayerStat(other, s, 0) - 20;
    }
    for (int s = 0; s < 8; ++s) {
        EXPECT_NEAR(double(gains[s]) / kWeeks * 100.0, kPositionGrowthChance[9][s], 0.8) << s;
    }
    // The same table weights the stat getter's position bonus.
    for (int16_t s = 0; s < 8; ++s) {
        const int q = int16_t(99 * 1 * 52) / 100;
        EXPECT_EQ(GetPlayerStat(other, s, 1) - GetPlayerStat(other, s, 0),
                  q * kPositionGrowthChance[9][s] / 100)
            << s;
    }

    for (int week = 0; week < 200; ++week) WeeklyGrowthStep(mine);
    const uint8_t* counters = TrainingRecords[17].bytes + kTrainingCounters;
    const int counted = counters[8] + counters[9] + counters[10] + counters[11] + counters[12] +
                        counters[13] + counters[14] + counters[15];
    int grown = 0;
    for (int16_t s = 0; s < 8; ++s) grown += GetPlayerStat(mine, s, 0) - 20;
    EXPECT_GT(grown, 0);
    EXPECT_EQ(counted, grown);
    EXPECT_EQ(counters[15], GetPlayerStat(mine, 6, 0) - 20);  // stat 6 counts in 15
    EXPECT_EQ(counters[0], 0);
}

// The population check of the whole-world runs: means of players with a
// club only, and a move of 1 or more in any of them fails.
TEST_F(NewPlayersTest, PopulationCheckSeesDriftAndOverflow) {
    MakeClub(3);
    MakePlayer(3, 5, 8, 60);
    MakePlayer(3, 5, 10, 40);
    MakePlayer(-1, 5, 30, 1);  // no club: not measured
    const PlayerPopulationMeans start = MeasurePlayerPopulation();
    EXPECT_EQ(start.players, 2);
    EXPECT_DOUBLE_EQ(start.stat[9], 50.0);
    EXPECT_DOUBLE_EQ(start.age, 9.0);
    EXPECT_EQ(CheckPlayerPopulation(start, start), "");

    PlayerPopulationMeans moved = start;
    moved.stat[27] += 0.99;
    EXPECT_EQ(CheckPlayerPopulation(start, moved), "");
    moved.stat[27] += 0.01;
    EXPECT_NE(CheckPlayerPopulation(start, moved).find("stat 27"), std::string::npos);
    moved = start;
    moved.age -= 1.5;
    EXPECT_NE(CheckPlayerPopulation(start, moved).find("age"), std::string::npos);
    PlayerCount = kMaxPlayers + 1;
    EXPECT_NE(CheckPlayerPopulation(start, start).find("player count"), std::string::npos);
    PlayerCount = 10;
}

}  // namespace
