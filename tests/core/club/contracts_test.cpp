// Contract terms: wage demands, the answer to an offer, the computer
// signing, and the renewal decisions of a computer club.
#include "core/club/contracts.h"

#include <limits>
#include <vector>

#include "core/club/bids.h"
#include "core/club/contractreview.h"
#include "core/club/playervalue.h"
#include "core/club/squadupkeep.h"
#include "tests/core/club/management_fixture.h"

namespace {

class ContractsTest : public ManagementTest {
  protected:
    static constexpr int16_t kClub = 10;
    static constexpr int16_t kOther = 11;
    void SetUp() override {
        ManagementTest::SetUp();
        MakeClub(kClub, 0, 0, 40);
        MakeClub(kOther, 1, 2, 20);
        for (int i = 0; i < 18; ++i) {
            const uint16_t p = MakePlayer(kClub, int16_t(i % 13), int16_t(4 + i % 10), int16_t(40 + i));
            SetPlayerWage(p, int16_t(100 + 10 * i));
            SetPlayerShirt(p, int16_t(i < 16 ? i + 1 : 0));
        }
        RebuildAllRosters();
        BuildClubSquadList(kClub);
    }
    static bool MultipleOf25(int64_t v) { return v % 25 == 0; }
};

TEST_F(ContractsTest, PlayerWageDemandWorkedValues) {
    const uint16_t p = MakePlayer(kClub, 6, 8, 60);
    SetPlayerStat(p, 27, 60);
    SetPlayerReputation(p, 30);
    EXPECT_EQ(PlayerWageDemand(p, kClub), 9600);
    SetPlayerStat(p, 27, 99);  // 39 -> 6 -> 54, plus 1200
    EXPECT_EQ(PlayerWageDemand(p, kClub), 10032);
    SetPlayerAge(p, 17);  // 33 years: x 100 / (16 + 110)
    EXPECT_EQ(PlayerWageDemand(p, kClub), 10032 * 100 / 126);
    SetPlayerReputation(p, 0);
    SetPlayerStat(p, 27, 1);
    EXPECT_EQ(PlayerWageDemand(p, kClub), 50);
    EXPECT_EQ(PlayerWageDemand(p, -1), 0);
    EXPECT_EQ(PlayerWageDemand(p, 1200), 0);
}

TEST_F(ContractsTest, LengthOfferedByAgeShirtAndMonthsLeft) {
    const uint16_t p = FirstTeamList.players[4];
    SetPlayerAge(p, 9);
    SetPlayerShirt(p, 5);
    SetPlayerContract(p, 6);
    EXPECT_EQ(ContractLengthOffer(p, kClub), 36);
    SetPlayerContract(p, 2);  // four months short of six: 32 -> 24
    EXPECT_EQ(ContractLengthOffer(p, kClub), 24);
    SetPlayerContract(p, 20);  // own player: never more than 36
    EXPECT_EQ(ContractLengthOffer(p, kClub), 36);
    SetPlayerShirt(p, 14);
    SetPlayerContract(p, 6);
    EXPECT_EQ(ContractLengthOffer(p, kClub), 24);
    SetPlayerAge(p, 17);  // 33 years old
    EXPECT_EQ(ContractLengthOffer(p, kClub), 12);
    // Another club's player with a long contract is offered more than 36,
    // never beyond 60.
    const uint16_t away = MakePlayer(kOther, 6, 5, 50);
    SetPlayerContract(away, 20);
    EXPECT_EQ(ContractLengthOffer(away, kClub), 50);
    SetPlayerContract(away, 60);
    EXPECT_EQ(ContractLengthOffer(away, kClub), 60);
    EXPECT_EQ(ContractLengthOffer(away, -1), 0);
}

TEST_F(ContractsTest, RenewalAlwaysForAShortSquadOnceTheSeasonRuns) {
    const uint16_t p = FirstTeamList.players[0];
    SetPlayerContract(p, 0);  // 1 in 1: always
    EXPECT_EQ(DecideContractRenewal(p, kClub), 1);
    SetPlayerContract(p, 12);  // 1 in 13
    SeasonCalendar.season = 1;
    ASSERT_EQ(LeaveAvailable(kClub, 10), 10);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(DecideContractRenewal(p, kClub), 1);
    // In the first season a short squad counts only from the nation's day.
    SeasonCalendar.season = 0;
    SeasonCalendar.currentDay = 3;
    int renewed = 0;
    for (int i = 0; i < 1300; ++i) renewed += DecideContractRenewal(p, kClub);
    EXPECT_GT(renewed, 50);
    EXPECT_LT(renewed, 160);
}

TEST_F(ContractsTest, WageOfferIsTheDemandForKeyPlayersAndCappedForOthers) {
    const uint16_t p = FirstTeamList.players[3];
    SetPlayerStat(p, 27, 99);
    SetPlayerReputation(p, 63);
    SetPlayerContract(p, 0);                   // 24 months short: a key player when he wears a shirt
    ASSERT_GE(LeaveAvailable(kClub, 18), 16);  // a full squad
    EXPECT_EQ(ComputeContractWageOffer(p, kClub), PlayerWageDemand(p, kClub));
    // Without a shirt he gets at most twice the offer plus the average.
    SetPlayerShirt(p, 0);
    SetPlayerContract(p, 23);
    const int32_t average = AverageClubWage(kClub);
    const int64_t k = 1 + 200 - GetPlayerStat(FindClubManager(kClub), 16, 0);
    const int64_t ceiling = 2 * (int64_t(average) * k / 100) + average;
    EXPECT_EQ(ComputeContractWageOffer(p, kClub), std::min<int64_t>(PlayerWageDemand(p, kClub), ceiling));
    EXPECT_EQ(ComputeContractWageOffer(p, -1), 1);
    // Outside the played leagues the demand is the offer.
    SetClubNation(kOther, 20);
    EXPECT_EQ(ComputeContractWageOffer(p, kOther), PlayerWageDemand(p, kOther));
}

TEST_F(ContractsTest, OpeningDemandsFollowAgeDivisionAndTheSquad) {
    ContractTerms d;
    for (int slot = 0; slot < FirstTeamList.count; ++slot) {
        const uint16_t p = FirstTeamList.players[slot];
        ASSERT_EQ(GetContractDemands(p, kClub, &d), 0);
        EXPECT_EQ(d.years, ContractYearsForAge(p));
        EXPECT_TRUE(MultipleOf25(d.wage));
        EXPECT_GE(d.wage, 150);
        EXPECT_TRUE(MultipleOf25(d.clause6));
        EXPECT_EQ(d.clause6, d.wage / 2 / 25 * 25);
        const uint16_t pos = GetPlayerPosition(p);
        EXPECT_EQ(d.clause4 != 0, pos >= 8 && d.wage >= 100);
        EXPECT_EQ(d.clause5 != 0, pos <= 4 && d.wage >= 100);
    }
    const uint16_t p = FirstTeamList.players[0];
    SetPlayerAge(p, 18);  // 34 years old
    GetContractDemands(p, kClub, &d);
    EXPECT_EQ(d.years, 1);
    SetPlayerAge(p, 0);
    GetContractDemands(p, kClub, &d);
    EXPECT_EQ(d.years, 2);
    // The lowest divisions of the league nations pay at least 100.
    SetClubDivision(kClub, 4);
    SetClubRep(kClub, 1);
    SetPlayerReputation(p, 0);
    SetPlayerStat(p, 27, 1);
    SetClubSquadAvgWage(kClub, 0);
    GetContractDemands(p, kClub, &d);
    EXPECT_EQ(d.wage, 100);
    // A bad number is refused and demands nothing.
    EXPECT_EQ(GetContractDemands(p, -3, &d), -1);
    EXPECT_EQ(d.wage, 0);
}

TEST_F(ContractsTest, StatusOfferedTwoStepsShortMakesTermsDearer) {
    const uint16_t p = FirstTeamList.players[2];
    AgentRecords[GetPlayerAgent(p)].bytes[0] = 60;  // his agent demands a release fee
    ContractTerms demands;
    ContractTerms offer;
    GetContractDemands(p, kClub, &demands);
    ASSERT_GE(demands.status, 2);
    ASSERT_GT(demands.clause1, 0);
    offer = demands;
    ContractTerms full = demands;
    EvaluateContractTerms(p, kClub, offer, &full);
    EXPECT_EQ(full.clause1, demands.clause1);
    offer.status = int16_t(demands.status - 2);  // n = 3
    ContractTerms shortStatus = demands;
    EvaluateContractTerms(p, kClub, offer, &shortStatus);
    EXPECT_EQ(shortStatus.clause1, demands.clause1 / 3);
    EXPECT_GT(shortStatus.wage, full.wage);
    // Offering other years than he asks raises the wage.
    offer = demands;
    offer.years = int16_t(demands.years + 2);
    ContractTerms years = demands;
    EvaluateContractTerms(p, kClub, offer, &years);
    EXPECT_GT(years.wage, full.wage);
    // A release fee offered above the demand raises the wage too.
    offer = demands;
    offer.clause1 = demands.clause1 * 3;
    ContractTerms fee = demands;
    EvaluateContractTerms(p, kClub, offer, &fee);
    EXPECT_GT(fee.wage, full.wage);
}

TEST_F(ContractsTest, DemandsStaySoundForAnyOffer) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    const int32_t extremes[] = {kMax, -kMax, 0, -1, 25, 1000000};
    for (int round = 0; round < 3000; ++round) {
        const uint16_t p = FirstTeamList.players[GameRandom() % FirstTeamList.count];
        SetPlayerStat(p, 27, int16_t(1 + GameRandom() % 99));
        SetPlayerStat(p, 16, int16_t(1 + GameRandom() % 99));
        SetPlayerStat(p, 17, int16_t(1 + GameRandom() % 99));
        SetPlayerReputation(p, int16_t(GameRandom() % 64));
        SetPlayerAge(p, int16_t(GameRandom() % 24));
        AgentRecords[GetPlayerAgent(p)].bytes[0] = uint8_t(GameRandom() % 100);
        SetClubRep(kClub, int16_t(1 + GameRandom() % 63));
        SetClubSquadAvgWage(kClub, uint32_t(GameRandom()) * 4);
        ContractTerms offer;
        offer.clause1 = round % 7 == 0 ? extremes[GameRandom() % 6] : GameRandom() * 1000;
        offer.wage = round % 5 == 0 ? extremes[GameRandom() % 6] : GameRandom();
        offer.years = int16_t(GameRandom() % 9 - 2);
        offer.status = int16_t(round % 11 == 0 ? -32768 + GameRandom() : GameRandom() % 7);
        ContractTerms d;
        d.wage = GameRandom();
        ASSERT_EQ(EvaluateContractTerms(p, kClub, offer, &d), 0);
        for (int64_t amount : {int64_t(d.wage), int64_t(d.clause4), int64_t(d.clause5), int64_t(d.clause6),
                               int64_t(d.clause7)}) {
            ASSERT_GE(amount, 0);
            ASSERT_TRUE(MultipleOf25(amount)) << amount;
        }
        ASSERT_GE(d.wage, 150);
        ASSERT_GE(d.clause1, 0);
        ASSERT_GE(d.status, 0);
        ASSERT_LE(d.status, 6);
    }
}

TEST_F(ContractsTest, AppliedContractRunsToTheSeasonEnd) {
    const uint16_t p = FirstTeamList.players[1];
    SeasonCalendar.month = 8;
    ApplyContractTerms(p, 5000, 1, 0, 25, 50, 75, 100, 1, 400, 24, 5);
    EXPECT_EQ(GetPlayerContract(p), 22);
    EXPECT_EQ(GetPlayerWage(p), 400);
    EXPECT_EQ(GetPlayerField117(p), 5);
    EXPECT_EQ(GetPlayerClause1(p), 5000);
    EXPECT_EQ(GetPlayerClause8(p), 1);
    SeasonCalendar.month = 2;
    ApplyContractTerms(p, 0, 0, 0, 0, 0, 0, 0, 0, 99999, 60, 2);
    EXPECT_EQ(GetPlayerContract(p), 60);
    EXPECT_EQ(GetPlayerWage(p), 4000);
}

TEST_F(ContractsTest, ComputerSigningOfYouthManagersAndUnaffordableWages) {
    const uint16_t youth = FirstTeamList.players[5];
    SetPlayerFlag95(youth, 1);
    SetPlayerStat(youth, 27, 99);
    EXPECT_EQ(AwardStartingContract(youth, kClub, 0), 1);
    EXPECT_EQ(GetPlayerWage(youth), 100 / 25);
    EXPECT_EQ(GetPlayerField117(youth), 0);

    const uint16_t star = FirstTeamList.players[6];
    SetPlayerReputation(star, 63);
    SetPlayerContract(star, 3);
    // A club whose wage bill eats all its money cannot afford him: nothing
    // is written.
    for (int slot = 0; slot < FirstTeamList.count; ++slot) SetPlayerWage(FirstTeamList.players[slot], 4000);
    const uint16_t wageBefore = GetPlayerWage(star);
    ASSERT_EQ(ComputeFinancePercent(kClub), 0);
    EXPECT_EQ(AwardStartingContract(star, kClub, 1), 0);
    EXPECT_EQ(GetPlayerContract(star), 3);
    EXPECT_EQ(GetPlayerWage(star), wageBefore);
    EXPECT_EQ(AwardStartingContract(star, kClub, 0), 1);
    EXPECT_GE(GetPlayerWage(star) * 25, 150);
    EXPECT_GE(GetPlayerContract(star), 12);

    const uint16_t manager = MakePlayer(kClub, 6);
    SetPlayerHalvornB(manager, 1);
    SetPlayerContract(manager, 1);
    EXPECT_EQ(AwardStartingContract(manager, kClub, 1), 1);
    EXPECT_EQ(GetPlayerContract(manager), 1);
}

}  // namespace

namespace {

TEST_F(ContractsTest, SquadRankRatesAPlayerManagerWhereHePlays) {
    const uint16_t boss = FirstTeamList.players[0];
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(boss, s, 99);
    SetPlayerHalvorn(boss, 1);
    SetPlayerHalvornB(boss, 1);
    EXPECT_EQ(GetPlayerSquadRank(boss, kClub), 0);
    // A manager who does not play is no rival for a place.
    SetPlayerHalvorn(boss, 0);
    const uint16_t p = FirstTeamList.players[1];
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, 98);
    EXPECT_EQ(GetPlayerSquadRank(p, kClub), 0);
    EXPECT_EQ(GetPlayerSquadRank(p, -1), -1);
}

}  // namespace

namespace {

// The ranking taken once answers as the rank asked afresh, ties, the
// manager who does not play and a player of another club included.
TEST_F(ContractsTest, SquadRankingTakenOnceAnswersAsTheRankAskedAfresh) {
    const uint16_t a = FirstTeamList.players[0], b = FirstTeamList.players[1];
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(a, s, 70), SetPlayerStat(b, s, 70);
    SetPlayerHalvornB(FirstTeamList.players[2], 1);  // a manager who does not play
    const uint16_t outsider = MakePlayer(int16_t(kClub + 1), 5);
    const ClubSquadRanking ranking(kClub);
    std::vector<uint16_t> asked(std::begin(ClubRoster[kClub]), std::end(ClubRoster[kClub]));
    asked.push_back(outsider);
    int ranked = 0;
    for (uint16_t p : asked) {
        if (!IsValidPlayer(p)) continue;
        EXPECT_EQ(ranking.RankOf(p), GetPlayerSquadRank(p, kClub)) << p;
        ++ranked;
    }
    EXPECT_GT(ranked, 10);
    EXPECT_EQ(ranking.RankOf(0), -1);
    EXPECT_EQ(ClubSquadRanking(-1).RankOf(a), -1);
}

// A player rated again counts with his new rating against the rest.
TEST_F(ContractsTest, SquadRankingRatedAgainFollowsTheChangedPlayer) {
    const uint16_t a = FirstTeamList.players[0], b = FirstTeamList.players[1];
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(a, s, 30), SetPlayerStat(b, s, 50);
    ClubSquadRanking ranking(kClub);
    const int16_t before = ranking.RankOf(b);
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(a, s, 70);
    ranking.Rerate(a);
    EXPECT_EQ(ranking.RankOf(b), before + 1);
    EXPECT_EQ(ranking.RankOf(b), GetPlayerSquadRank(b, kClub));
}

}  // namespace
