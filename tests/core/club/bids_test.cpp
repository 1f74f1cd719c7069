// Computer clubs' bids: budgets, the target search, the short-list
// count-down, placing bids and the seller's fee.
#include "core/club/bids.h"

#include <algorithm>
#include <limits>

#include "core/club/playervalue.h"
#include "core/club/squadneeds.h"
#include "core/query/layerstate.h"
#include "core/records/ranges.h"
#include "core/records/usertransfers.h"
#include "core/season/leagues.h"
#include "tests/core/club/management_fixture.h"

namespace {

class BidsTest : public ManagementTest {
  protected:
    static constexpr int16_t kBuyer = 10;
    static constexpr int16_t kSeller = 11;
    static constexpr int16_t kUserClub = 12;
    void SetUp() override {
        ManagementTest::SetUp();
        std::fill(std::begin(HumanSalePlayers), std::end(HumanSalePlayers), uint16_t(0));
        HVW_SetViewedCountry(0);
        for (auto& rows : LeagueTable[0])
            for (int16_t& entry : rows) entry = int16_t(kNoLeagueClub);
        for (int16_t club : {kBuyer, kSeller, kUserClub}) {
            MakeClub(club, 0, 1, 30);
            for (int i = 0; i < 20; ++i) {
                const uint16_t p = MakePlayer(club, int16_t(i % 13), 6, int16_t(50 + i));
                SetPlayerShirt(p, int16_t(i < 16 ? i + 1 : 0));
                SetPlayerWage(p, 40);
            }
        }
        SetClubControl(kUserClub, 1);
        SetPlayerClub(1, kUserClub);
        SetPlayerLoanClub(1, kUserClub);
        RebuildAllRosters();
        SquadNeeds = SquadNeedsBlock{};
    }
    static uint16_t ListEntry(int16_t club, int16_t type, int16_t entry) {
        return GetClubBidShortListId(club, type, entry);
    }
    // Midfielders of the club, by player number.
    static std::vector<uint16_t> Midfielders(int16_t club) {
        std::vector<uint16_t> out;
        for (uint16_t p = 3; p < PlayerCount; ++p)
            if (GetPlayerClub(p) == uint16_t(club) && GetPlayerPosition(p) >= 5 && GetPlayerPosition(p) <= 9)
                out.push_back(p);
        return out;
    }
};

TEST_F(BidsTest, BudgetsAndWageLimitsWorkedValues) {
    const int16_t world = 20;
    MakeClub(world, 40, 0, 10);  // a rest-of-world nation
    EXPECT_EQ(ClubTransferBudget(world), 7600000);
    EXPECT_EQ(ClubMaxWage(world), 10000);
    SetClubRep(world, 63);
    EXPECT_EQ(ClubMaxWage(world), 50000);

    // A league club: balance less 50 (75) times its stored wages (units of
    // 25 a week, not the weeks' pay), in hundreds, times the generosity
    // factor.
    SetClubBalance(kSeller, 2000000);
    SetClubGenerosity(kSeller, 40);
    const int64_t wages = 20 * 40;
    const int64_t weekly = wages * 25;
    EXPECT_EQ(ClubTransferBudget(kSeller), (2000000 - 50 * wages) / 100 * ((20 + 100) * 75 / 120));
    EXPECT_EQ(ClubSafeTransferBudget(kSeller), (2000000 - 75 * wages) / 100 * ((20 + 100) * 75 / 135));
    // Wages beyond the balance leave nothing, never less.
    SetClubBalance(kSeller, 1000);
    EXPECT_EQ(ClubTransferBudget(kSeller), 0);
    EXPECT_EQ(ClubSafeTransferBudget(kSeller), 0);
    // The wage limit: ten times the average pay, or the money beyond the
    // wage bill.
    EXPECT_EQ(ClubMaxWage(kSeller), 10 * (weekly / 20));
    SetClubBalance(kSeller, 3000000);
    const int64_t t = 3000000 / 3 * 90 / 150;
    EXPECT_EQ(ClubMaxWage(kSeller), (t - weekly) / 10);
}

TEST_F(BidsTest, MoneyFiguresNeverOverflowOrTurnNegative) {
    const int16_t empty = 30;
    MakeClub(empty, 0, 0, 63);  // no roster player: no average, no division
    SetClubBalance(empty, 134217727);
    SetClubGenerosity(empty, 255);
    EXPECT_GT(ClubMaxWage(empty), 0);
    EXPECT_GT(ClubTransferBudget(empty), 0);
    for (int round = 0; round < 2000; ++round) {
        const int16_t club = int16_t(round % 3 == 0 ? empty : kSeller);
        SetClubBalance(club, round % 2 ? 134217727 : GameRandom() * 4096);
        SetClubGenerosity(club, int16_t(GameRandom() % 256));
        SetClubRep(club, int16_t(round % 5 ? 63 : GameRandom() % 64));
        ASSERT_GE(ClubTransferBudget(club), 0);
        ASSERT_GE(ClubSafeTransferBudget(club), 0);
        ASSERT_GE(ClubMaxWage(club), 0);
    }
    EXPECT_EQ(ClubMaxWage(-1), 0);
    EXPECT_EQ(ClubTransferBudget(1200), 0);
}

TEST_F(BidsTest, OldPlayersRateLowerInTheSearch) {
    EXPECT_EQ(AgeCutTargetRating(20000, 16), 12100);  // a 32-year-old
    EXPECT_EQ(AgeCutTargetRating(20000, 12), 20000);
    EXPECT_EQ(AgeCutTargetRating(20000, 13), 20000 / 101 * 100);
    const uint16_t p = Midfielders(kSeller)[0];
    SetPlayerAge(p, 12);
    const int32_t rating = RatePlayerPotential(p, int16_t(GetPlayerPosition(p)));
    EXPECT_EQ(TransferTargetRating(p, 1), rating);
    EXPECT_EQ(TransferTargetRating(p, 0), RatePlayerAbility(p, int16_t(GetPlayerPosition(p))));
    SetPlayerAge(p, 16);  // 32 years old: / 164 x 100
    EXPECT_EQ(TransferTargetRating(p, 1), RatePlayerPotential(p, int16_t(GetPlayerPosition(p))) / 164 * 100);
}

TEST_F(BidsTest, SearchFillsTheWantedListButNeverWithUserTargetsOrOwnPlayers) {
    SquadNeeds.UrgentGroup = 3;
    SquadNeeds.WantedPosition = 2;
    SquadNeeds.SearchKind = 3;
    // Every midfielder rates a little better than the one before; the
    // user's target and the buyer's own players would be the best of all.
    std::vector<uint16_t> candidates;
    for (int16_t club : {kSeller, kUserClub})
        for (uint16_t p : Midfielders(club)) candidates.push_back(p);
    int16_t stat = 40;
    for (uint16_t p : candidates) {
        for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, stat);
        ++stat;
    }
    const uint16_t userTarget = Midfielders(kSeller).back();
    for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(userTarget, s, 60);
    for (uint16_t p : Midfielders(kBuyer))
        for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, 60);
    for (uint16_t p : Midfielders(kBuyer)) candidates.push_back(p);
    for (uint16_t p : candidates) ASSERT_LE(TransferTargetRating(p, 100000000), 10000);
    SetClubBid(kUserClub, 2, userTarget, 100, 0);

    SearchTransferTargets(0, kBuyer, 0, 100000000, 1000000, 0);
    int filled = 0;
    for (int16_t e = 0; e < kBidListEntries; ++e) {
        const uint16_t p = ListEntry(kBuyer, 2, e);
        if (p == 0) continue;
        ++filled;
        EXPECT_NE(p, userTarget);
        EXPECT_NE(GetPlayerClub(p), uint16_t(kBuyer));
        EXPECT_GE(GetPlayerPosition(p), 5u);
        EXPECT_LE(GetPlayerPosition(p), 9u);
        EXPECT_EQ(GetClubBidShortListByte2(kBuyer, 2, e), 2);  // no upgrade or replacement: 2 days
    }
    EXPECT_EQ(filled, kBidListEntries);
    // The best five, best first: the user's best midfielders.
    EXPECT_EQ(ListEntry(kBuyer, 2, 0), Midfielders(kUserClub).back());
    EXPECT_GT(TransferTargetRating(userTarget, 1), TransferTargetRating(ListEntry(kBuyer, 2, 0), 1));
    // Nothing goes into the other lists.
    for (int16_t type : {0, 1, 3}) EXPECT_EQ(ListEntry(kBuyer, type, 0), 0);
}

TEST_F(BidsTest, ShortListEntryFallsDueAndBecomesABid) {
    SquadNeeds.UrgentGroup = 3;
    const uint16_t target = Midfielders(kSeller)[0];
    SetPlayerManPrice(target, 5000);
    SetClubBalance(kBuyer, 10000000);
    SetClubBidShortList(kBuyer, 2, 0, target, 0, 3);
    ProcessBidShortList(kBuyer);
    ProcessBidShortList(kBuyer);
    EXPECT_EQ(ListEntry(kBuyer, 2, 0), target);
    EXPECT_EQ(GetClubBidShortListByte2(kBuyer, 2, 0), 1);
    EXPECT_EQ(GetClubBidPlayer(kBuyer, 2), 0);
    // Retrained as a defender since: the bid still fills the midfield slot.
    SetPlayerPosition(target, 2);
    ProcessBidShortList(kBuyer);
    EXPECT_EQ(ListEntry(kBuyer, 2, 0), 0);
    EXPECT_EQ(GetClubBidPlayer(kBuyer, 1), 0);
    EXPECT_EQ(GetClubBidPlayer(kBuyer, 2), target);
    EXPECT_EQ(GetClubBidPrice(kBuyer, 2), 50);  // kept in hundreds
    EXPECT_GE(GetPlayerSetting4(target), 1);
}

TEST_F(BidsTest, APlayerOnLoanAtTheBuyerIsATargetOneItLentOutIsNot) {
    SquadNeeds.UrgentGroup = 3;
    SquadNeeds.WantedPosition = 2;
    SquadNeeds.SearchKind = 3;
    for (int16_t club : {kSeller, kUserClub, kBuyer})
        for (uint16_t p : Midfielders(club))
            for (int16_t s = 0; s < kStatCount; ++s) SetPlayerStat(p, s, 40);
    const uint16_t loanee = Midfielders(kSeller)[0];
    const uint16_t lentOut = Midfielders(kBuyer)[0];
    for (int16_t s = 0; s < kStatCount; ++s) {
        SetPlayerStat(loanee, s, 55);
        SetPlayerStat(lentOut, s, 58);
    }
    SetPlayerClub(loanee, kBuyer);
    SetPlayerLoanClub(loanee, kSeller);
    SetPlayerClub(lentOut, kSeller);
    SetPlayerLoanClub(lentOut, kBuyer);
    RebuildAllRosters();
    SearchTransferTargets(0, kBuyer, 0, 100000000, 1000000, 0);
    EXPECT_EQ(ListEntry(kBuyer, 2, 0), loanee);
    for (int16_t e = 0; e < kBidListEntries; ++e) EXPECT_NE(ListEntry(kBuyer, 2, e), lentOut);
}

TEST_F(BidsTest, AListedTargetWhoLostHisClubGetsAFreeBid) {
    SquadNeeds.UrgentGroup = 3;
    const uint16_t target = Midfielders(kSeller)[0];
    SetPlayerClub(target, -1);
    SetPlayerLoanClub(target, -1);
    SetClubBidShortList(kBuyer, 2, 0, target, 0, 1);
    ProcessBidShortList(kBuyer);
    EXPECT_EQ(GetClubBidPlayer(kBuyer, 2), target);
    EXPECT_EQ(GetClubBidPrice(kBuyer, 2), 0);
    EXPECT_GE(GetPlayerSetting4(target), 1);
}

TEST_F(BidsTest, HumanClubsPlayerGoesToTheHumanOrIsPassedOver) {
    SquadNeeds.UrgentGroup = 3;
    SetClubBalance(kBuyer, 10000000);
    const uint16_t humans = Midfielders(kUserClub).back();  // the best rated
    const uint16_t other = Midfielders(kSeller)[0];
    SetPlayerFlag118(humans, 1);
    SetPlayerManPrice(other, 5000);
    auto plan = [&] {
        SetClubBidShortList(kBuyer, 2, 0, humans, 0, 1);
        SetClubBidShortList(kBuyer, 2, 1, other, 0, 1);
    };
    // The player rates a buyer above his own club too highly (grade 2): the
    // next candidate gets the bid.
    LeagueTable[0][0][0] = kBuyer;
    LeagueTable[0][5][0] = kUserClub;
    SetClubRep(kBuyer, 63);
    SetClubRep(kUserClub, 1);
    plan();
    ProcessBidShortList(kBuyer);
    EXPECT_EQ(GetClubBidPlayer(kBuyer, 2), other);
    EXPECT_EQ(HumanSalePlayers[0], 0);

    // A well-placed human club: the offer goes to its manager, no bid.
    SetClubBid(kBuyer, 2, 0, 0, 0);
    LeagueTable[0][0][0] = kUserClub;
    LeagueTable[0][5][0] = kBuyer;
    SetClubRep(kBuyer, 1);
    SetClubRep(kUserClub, 63);
    plan();
    ProcessBidShortList(kBuyer);
    EXPECT_EQ(HumanSalePlayers[0], humans);
    EXPECT_EQ(GetClubBidPlayer(kBuyer, 2), 0);
}

TEST_F(BidsTest, MakeBidUsesTheSlotOfThePositionType) {
    const uint16_t a = Midfielders(kSeller)[0];
    const uint16_t b = Midfielders(kSeller)[1];
    EXPECT_EQ(ClubMakeBid(kBuyer, a, 123456, 6, 0), a);
    EXPECT_EQ(GetClubBidPlayer(kBuyer, 2), a);
    EXPECT_EQ(GetClubBidPrice(kBuyer, 2), 1234);
    EXPECT_EQ(ClubMakeBid(kBuyer, b, 5000, 7, 0), 0);  // slot taken
    EXPECT_EQ(GetClubBidPlayer(kBuyer, 2), a);
    EXPECT_EQ(ClubMakeBid(kBuyer, b, 5000, 13, 0), 0);  // no slot for a manager
    EXPECT_EQ(ClubMakeBid(kBuyer, b, -50, 0, 0), b);    // a negative price bids nothing
    EXPECT_EQ(GetClubBidPrice(kBuyer, 0), 0);
    EXPECT_EQ(CountRivalBids(kSeller, a), 1);
    EXPECT_EQ(CountRivalBids(kBuyer, a), 0);
    ClearClubBidShortLists(kBuyer);
    EXPECT_EQ(GetClubBidPlayer(kBuyer, 2), 0);
    ClubMakeBid(kBuyer, a, 1000, 6, 0);
    SetPlayerSetting4(a, 5);
    ResetAllBidLists();
    EXPECT_EQ(GetClubBidPlayer(kBuyer, 2), 0);
    EXPECT_EQ(GetPlayerSetting4(a), 0);
}

TEST_F(BidsTest, DecisionDelayFromVisionMoraleOrFixedDays) {
    const uint16_t p = Midfielders(kSeller)[0];
    SetPlayerStat(p, 19, 80);
    SetPlayerMorale(p, 30);
    SetPlayerDecisionDelay(p, 0, kBuyer);
    EXPECT_EQ(GetPlayerSetting4(p), (80 / 20 + 2) * 30 / 60);
    SetPlayerMorale(p, 0);
    SetPlayerDecisionDelay(p, 0, kBuyer);
    EXPECT_EQ(GetPlayerSetting4(p), 1);
    SetPlayerDecisionDelay(p, 9, kBuyer);
    EXPECT_EQ(GetPlayerSetting4(p), 9);
}

TEST_F(BidsTest, SellerFeeRefusalsAndFreeAgents) {
    const uint16_t p = Midfielders(kSeller)[0];
    BuildClubSquadList(kSeller);
    ASSERT_EQ(LeaveAvailable(kSeller, 16), 16);  // a thin squad sells nobody
    EXPECT_EQ(NegotiateTransferFee(p, kBuyer), -1);
    SetPlayerClub(p, -1);
    SetPlayerLoanClub(p, -1);
    EXPECT_EQ(NegotiateTransferFee(p, kBuyer), 0);
}

}  // namespace

namespace {

// What one search leaves: the buyer's midfield short list and the draws.
struct SearchOutcome {
    std::vector<uint16_t> list;
    uint32_t generator;
    bool operator==(const SearchOutcome&) const = default;
};

}  // namespace

// A search with the market keys kept finds what the search over the records
// finds and takes the same draws, with and without an upgrade's draws.
TEST_F(BidsTest, SearchWithKeptMarketKeysFindsWhatTheRecordsGive) {
    SetPlayerTxList(Midfielders(kSeller)[0], 1);
    SetPlayerLoanClub(Midfielders(kSeller)[1], kUserClub);  // owned by the user's club
    SetPlayerTxReq(Midfielders(kUserClub)[2], 1);
    HVW_SetViewedCountry(0);
    const auto search = [&](bool kept, bool draws) {
        for (int16_t e = 0; e < kBidListEntries; ++e) SetClubBidShortList(kBuyer, 2, e, 0, 0, 0);
        SquadNeeds = SquadNeedsBlock{};
        SquadNeeds.WantedPosition = 2;
        if (draws) SquadNeeds.UpgradePlayer = Midfielders(kBuyer)[0];
        GameSeedRandom(99);
        KeepPlayerMarketKeys(kept);
        SearchTransferTargets(0, kBuyer, 0, 100000000, 1000000, 0);
        KeepPlayerMarketKeys(false);
        SearchOutcome out{{}, GameRandomState()};
        for (int16_t e = 0; e < kBidListEntries; ++e) out.list.push_back(ListEntry(kBuyer, 2, e));
        return out;
    };
    for (bool draws : {false, true}) {
        const SearchOutcome walked = search(false, draws);
        EXPECT_NE(walked.list[0], 0) << draws;
        EXPECT_EQ(search(true, draws), walked) << draws;
    }
}

// A search of the home market by a club of another nation than the viewed
// one finds nobody; with an upgrade's draws it still takes one draw for
// each player on the market that the user's bids do not hold, and one for
// the short list's countdown, with the keys kept or read from the records.
TEST_F(BidsTest, ASearchOutsideTheViewedNationTakesOneDrawPerPlayerOnTheMarket) {
    SetPlayerTxList(Midfielders(kSeller)[0], 1);
    SetPlayerLoanTrial(Midfielders(kSeller)[1], 1);
    SetPlayerTxReq(Midfielders(kUserClub)[2], 1);
    const uint16_t held = Midfielders(kSeller)[2];
    SetClubBid(kUserClub, 1, held, 100, 0);
    SetClubBid(kUserClub, 3, held, 100, 0);                     // held twice: passed over once
    SetClubBid(kUserClub, 2, Midfielders(kSeller)[0], 100, 0);  // held but off the market anyway
    HVW_SetViewedCountry(3);
    uint32_t onMarket = 0;
    for (uint16_t p = 3; p < PlayerCount; ++p) {
        const bool off = GetPlayerTxList(p) != 0 || GetPlayerLoanTrial(p) != 0 || GetPlayerTxReq(p) != 0 ||
                         !IsClubNumber(GetPlayerClub(p));
        if (!off && p != held) ++onMarket;
    }
    ASSERT_GT(onMarket, 20u);
    GameSeedRandom(5);
    for (uint32_t i = 0; i < onMarket + 1; ++i) GameRandom();
    const uint32_t expected = GameRandomState();
    for (bool kept : {false, true}) {
        for (int16_t e = 0; e < kBidListEntries; ++e) SetClubBidShortList(kBuyer, 2, e, 0, 0, 0);
        SquadNeeds = SquadNeedsBlock{};
        SquadNeeds.WantedPosition = 2;
        SquadNeeds.UpgradePlayer = Midfielders(kBuyer)[0];
        GameSeedRandom(5);
        KeepPlayerMarketKeys(kept);
        SearchTransferTargets(0, kBuyer, 0, 100000000, 1000000, 0);
        KeepPlayerMarketKeys(false);
        EXPECT_EQ(GameRandomState(), expected) << kept;
        EXPECT_EQ(ListEntry(kBuyer, 2, 0), 0) << kept;
    }
}
