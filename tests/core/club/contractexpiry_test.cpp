// Contract expiry, retirement and the players' season roll.
#include "core/club/contractexpiry.h"

#include <algorithm>

#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/club/transfers.h"
#include "tests/core/club/daily_fixture.h"
#include "tests/fakes/daily_checks.h"

namespace {

class ExpiryTest : public DailyJobsTest {
  protected:
    static constexpr int16_t kClub = 10, kHuman = 11;
    void SetUp() override {
        DailyJobsTest::SetUp();
        MakeSquad(kClub, 18);
        MakeSquad(kHuman, 18);
        MakeUserClub(kHuman);
        RebuildAllRosters();
    }
    static bool InAnyRoster(uint16_t player) {
        for (const auto& roster : ClubRoster) {
            for (uint16_t p : roster) {
                if (p == player) return true;
            }
        }
        return false;
    }
};

TEST_F(ExpiryTest, ContractsRunDownAndOut) {
    const uint16_t p = MakePlayer(kHuman, 5);
    SetPlayerContract(p, 2);
    SetPlayerContract(1, 5);
    MonthlyContractPass();
    EXPECT_EQ(GetPlayerContract(p), 1);
    EXPECT_EQ(CountMessages(kHuman, 279, p), 1);
    EXPECT_EQ(GetPlayerContract(1), 5);  // the user's own is never touched

    // A 35-year-old whose contract runs out keeps 0 and stays.
    SetPlayerAge(p, 19);
    MonthlyContractPass();
    EXPECT_EQ(GetPlayerContract(p), 0);
    EXPECT_EQ(GetPlayerClub(p), uint16_t(kHuman));
    // The day-336 pass then retires him (managers scarce, no talent to
    // manage).
    SetPlayerStat(p, 19, 10);
    YearlyRetirementPass();
    // His slot is handed on: a new 16- or 17-year-old at a club with room,
    // in that club's roster at once.
    EXPECT_LE(GetPlayerAge(p), 1u);
    EXPECT_EQ(GetPlayerFlag95(p), 1u);
    EXPECT_NE(GetPlayerPosition(p), 13u);
    const uint16_t newClub = GetPlayerClub(p);
    ASSERT_LT(newClub, uint16_t(kClubCount));
    EXPECT_NE(std::find(std::begin(ClubRoster[newClub]), std::end(ClubRoster[newClub]), p),
              std::end(ClubRoster[newClub]));
    EXPECT_EQ(CountMessages(kHuman, 29, p), 2);  // archive and inbox

    // A younger player nobody wants is released.
    const uint16_t q = MakePlayer(kClub, 4);
    SetPlayerStat(q, 27, 1);
    SetPlayerContract(q, 1);
    RebuildClubRoster(kClub);
    MonthlyContractPass();
    EXPECT_EQ(int16_t(GetPlayerClub(q)), -1);
    EXPECT_EQ(GetPlayerTxList(q), 1);
    EXPECT_EQ(GetPlayerWage(q), 3);
    EXPECT_FALSE(InAnyRoster(q));
}

// The monthly pass's agent draw gives the player the agent it names.
TEST_F(ExpiryTest, AnAgentDrawnAtTheMonthlyPassIsTheOneThePlayerKeeps) {
    constexpr int16_t kUnchanged = 499;
    for (uint16_t p = 2; p < PlayerCount; ++p) {
        SetPlayerContract(p, 60);
        SetPlayerAgent(p, kUnchanged);
    }
    uint16_t changed = 0;
    for (int pass = 0; pass < 40 && changed == 0; ++pass) {
        MonthlyContractPass();
        for (uint16_t p = 2; p < PlayerCount && changed == 0; ++p) {
            if (GetPlayerAgent(p) != uint16_t(kUnchanged)) changed = p;
        }
    }
    EXPECT_NE(changed, 0) << "no drawn agent was stored";
}

TEST_F(ExpiryTest, ARetiredManagersRecordMakesAYoungsterWhoDoesNotManage) {
    const uint16_t m = MakePlayer(kClub, 13, 46);
    ASSERT_EQ(GetPlayerPosition(m), 13u);
    YearlyRetirementPass();
    EXPECT_LE(GetPlayerAge(m), 1u);
    EXPECT_EQ(GetPlayerFlag95(m), 1u);
    EXPECT_EQ(GetPlayerHalvornB(m), 0u);
    EXPECT_NE(GetPlayerPosition(m), 13u);
    EXPECT_EQ(CheckSquadRollInvariants(false), "");
}

TEST_F(ExpiryTest, ScarceManagersAndTheRetirementTests) {
    // 113 player-managers already: the first candidate with attribute 19
    // of 81 becomes a free manager, the next faces reputation + experience.
    for (int i = 0; i < 113; ++i) {
        const uint16_t pm = MakePlayer(kClub, 3, 5);
        SetPlayerHalvorn(pm, 1);
    }
    ASSERT_EQ(CountPlayerManagers(), 113);
    const uint16_t first = MakePlayer(kClub, 6, 19);
    const uint16_t second = MakePlayer(kClub, 6, 19);
    const uint16_t third = MakePlayer(kClub, 6, 19);
    for (uint16_t p : {first, second, third}) {
        SetPlayerContract(p, 0);
        SetPlayerStat(p, 19, 81);
    }
    SetPlayerReputation(third, 50);
    SetPlayerExperience(third, 40);
    RebuildAllRosters();
    YearlyRetirementPass();
    EXPECT_EQ(GetPlayerHalvornB(first), 1);
    EXPECT_EQ(int16_t(GetPlayerClub(first)), -1);
    EXPECT_EQ(GetPlayerFans(first), 48);
    EXPECT_EQ(GetPlayerHalvornB(second), 0);
    EXPECT_EQ(CountMessages(kClub, 29, second), 1);  // retired
    EXPECT_EQ(GetPlayerHalvornB(third), 1);
    for (uint16_t p : {first, second, third}) EXPECT_FALSE(InAnyRoster(p));
    // The player-managers were not candidates.
    EXPECT_EQ(CountPlayerManagers(), 113);
}

TEST_F(ExpiryTest, YouthAtTheSeasonsEnd) {
    const uint16_t human = MakePlayer(kHuman, 5, 1);
    const uint16_t computer = MakePlayer(kClub, 5, 1);
    for (uint16_t p : {human, computer}) SetPlayerFlag95(p, 1);
    RebuildAllRosters();
    YouthSeasonEndPass(0);
    EXPECT_EQ(CountMessages(kHuman, 254, human), 1);
    EXPECT_EQ(CountMessages(kClub, 254, computer), 0);  // an inbox message: the user's only
    SeasonRollPlayers();
    for (uint16_t p : {human, computer}) {
        EXPECT_EQ(int16_t(GetPlayerClub(p)), -1);
        EXPECT_EQ(GetPlayerFlag95(p), 0);
        EXPECT_FALSE(InAnyRoster(p));
    }
    EXPECT_EQ(CountMessages(kHuman, 253, human), 1);
    EXPECT_EQ(CountMessages(kClub, 253, computer), 0);
}

TEST_F(ExpiryTest, RandomSeasonRolls) {
    const uint16_t firstMade = PlayerCount;
    for (int i = 0; i < 3000; ++i) {
        const uint16_t p = MakePlayer(GameRandom() % 2 ? kClub : kHuman, int16_t(GameRandom() % 13),
                                      int16_t(GameRandom() % 40));
        SetPlayerShirt(p, int16_t(GameRandom() % 17));
        SetPlayerIntShirt(p, int16_t(GameRandom() % 17));
        SetPlayerApps(p, int16_t(GameRandom() % 30));
        SetPlayerGoals(p, int16_t(GameRandom() % 20));
        SetPlayerLoanList(p, 1);
        for (int16_t slot = 0; slot < 7; ++slot) SetPlayerCup(p, kClub, slot, 0);
        if (GameRandom() % 5 == 0) {
            SetPlayerClub(p, 20);
            SetPlayerLoanPeriod(p, 5);
        }
    }
    MakeClub(20, 0, 2, 20);
    std::vector<uint16_t> ages(PlayerCount);
    for (uint16_t p = 3; p < PlayerCount; ++p) ages[p] = GetPlayerAge(p);
    SeasonRollPlayers();
    EXPECT_EQ(CheckSquadRollInvariants(true), "");
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        ASSERT_EQ(GetPlayerAge(p), std::min<int>(ages[p] + 1, 63)) << p;
        ASSERT_EQ(GetPlayerClub(p), GetPlayerLoanClub(p));
        ASSERT_EQ(GetPlayerShirt(p) + GetPlayerIntShirt(p) + GetPlayerApps(p) + GetPlayerGoals(p), 0);
        ASSERT_EQ(GetPlayerLoanList(p) + GetPlayerLoanPeriod(p), 0);
        for (int16_t slot : {0, 1, 2, 3, 4, 6}) ASSERT_EQ(int16_t(GetPlayerCup(p, slot, 0)), -1);
        if (p >= firstMade) {
            ASSERT_EQ(GetPlayerCup(p, 5, 0), uint16_t(kClub));
        }
    }
}

}  // namespace
