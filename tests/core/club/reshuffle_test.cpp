// The computer clubs' squad reshuffle and the reserve-side slot picker.
#include "core/club/reshuffle.h"

#include <algorithm>

#include "core/club/reserveside.h"
#include "core/club/squads.h"
#include "tests/core/club/management_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

class ReshuffleTest : public ManagementTest {
  protected:
    static constexpr int16_t kClub = 20;
    void SetUp() override {
        ManagementTest::SetUp();
        MakeClub(kClub);  // computer-managed
        MakePlayer(kClub, 13);
    }

    std::vector<uint16_t> MakeSquad(int count) {
        std::vector<uint16_t> squad;
        for (int i = 0; i < count; ++i)
            squad.push_back(MakePlayer(kClub, int16_t(i % 13), 8, int16_t(40 + i % 50)));
        RebuildAllRosters();
        return squad;
    }

    static int FirstTeamFlags(const std::vector<uint16_t>& squad) {
        int n = 0;
        for (uint16_t p : squad) n += GetPlayerFlag118(p) != 0;
        return n;
    }
};

TEST_F(ReshuffleTest, ThirtyTwoOrFewerAvailableKeepSixteenAndSixtyFourKeepTwentyFour) {
    std::vector<uint16_t> squad = MakeSquad(30);
    ReshuffleComputerSquad(kClub, -1);
    EXPECT_EQ(FirstTeamFlags(squad), 16);
    for (uint16_t p : squad) EXPECT_NE(GetPlayerFlag118(p), GetPlayerFlag107(p)) << p;

    std::vector<uint16_t> more = MakeSquad(34);
    more.insert(more.end(), squad.begin(), squad.end());
    ReshuffleComputerSquad(kClub, -1);
    EXPECT_EQ(FirstTeamFlags(more), 24);
    BuildClubSquadList(kClub);  // a computer club's lists follow the reshuffle
    EXPECT_EQ(FirstTeamList.count, 24);
    EXPECT_EQ(ReserveList.count, 32);
}

TEST_F(ReshuffleTest, AnUnfitPlayerStaysInTheReservesAndAPickedYouthGrowsUp) {
    std::vector<uint16_t> squad = MakeSquad(14);
    const uint16_t unfit = MakePlayer(kClub, 10, 8, 99);
    SetPlayerFitness(unfit, 47);
    const uint16_t youth = MakePlayer(kClub, 0, 1, 95);
    SetPlayerFlag95(youth, 1);
    RebuildAllRosters();
    ReshuffleComputerSquad(kClub, -1);
    EXPECT_EQ(GetPlayerFlag118(unfit), 0);
    EXPECT_EQ(GetPlayerFlag107(unfit), 1);
    EXPECT_EQ(GetPlayerFlag118(youth), 1);
    EXPECT_EQ(GetPlayerFlag95(youth), 0);
}

TEST_F(ReshuffleTest, BansAndCupTiesFollowTheNextCompetition) {
    std::vector<uint16_t> squad = MakeSquad(10);
    SetPlayerEuroBan(squad[3], 1);
    SetPlayerCup(squad[4], 50, 4, 0);
    ReshuffleComputerSquad(kClub, -1);
    EXPECT_EQ(GetPlayerFlag118(squad[3]), 1);
    EXPECT_EQ(GetPlayerFlag118(squad[4]), 1);
    ReshuffleComputerSquad(kClub, 4);  // the first European cup
    EXPECT_EQ(GetPlayerFlag118(squad[3]), 0);
    EXPECT_EQ(GetPlayerFlag118(squad[4]), 0);
}

// The slot picker the reshuffle takes its first team with answers from
// what the club's reshuffle left on the working list, and nothing for
// another club.
TEST_F(ReshuffleTest, TheSlotPickerAnswersFromTheWorkingListTheReshuffleLeft) {
    MakeSquad(60);
    ReshuffleComputerSquad(kClub, -1);
    const uint16_t p = PickSquadPlayerForPosition(7, 3, kClub);
    ASSERT_NE(p, 0);
    EXPECT_GE(GetPlayerPosition2(p), 5u);
    EXPECT_LE(GetPlayerPosition2(p), 9u);
    EXPECT_EQ(GetPlayerFlag118(p), 0);  // not one of the first team taken
    EXPECT_EQ(PickSquadPlayerForPosition(7, 3, kClub + 1), 0);
}

// A reshuffle of an unchanged squad leaves it as it was; any change to what
// the reshuffle reads is taken up, and the squad it makes does not hang on
// the flags an earlier reshuffle left.
TEST_F(ReshuffleTest, AnUnchangedSquadKeepsItsPicksAndEveryChangeIsSeen) {
    std::vector<uint16_t> squad = MakeSquad(30);
    ReshuffleComputerSquad(kClub, -1);
    const auto flags = [&] {
        std::vector<int> f;
        for (uint16_t p : squad)
            f.push_back(GetPlayerFlag118(p) * 4 + GetPlayerFlag107(p) * 2 + GetPlayerFlag95(p));
        return f;
    };
    const std::vector<int> first = flags();
    ReshuffleComputerSquad(kClub, -1);
    EXPECT_EQ(flags(), first);
    uint16_t picked = 0;
    for (uint16_t p : squad) {
        if (GetPlayerFlag118(p) != 0) picked = p;
    }
    ASSERT_NE(picked, 0);
    SetPlayerFitness(picked, 40);
    ReshuffleComputerSquad(kClub, -1);
    EXPECT_EQ(GetPlayerFlag118(picked), 0);
    SetPlayerFitness(picked, 60);
    ReshuffleComputerSquad(kClub, -1);
    EXPECT_EQ(flags(), first);
    // A new player in the roster is seen too.
    const uint16_t star = MakePlayer(kClub, 10, 8, 99);
    RebuildAllRosters();
    ReshuffleComputerSquad(kClub, -1);
    EXPECT_EQ(GetPlayerFlag118(star), 1);
}

// A roster that names a player twice makes him one candidate: a second one
// left over after his pick would send him back to the reserves.
TEST_F(ReshuffleTest, APlayerNamedTwiceInTheRosterIsPickedOnce) {
    std::vector<uint16_t> squad = MakeSquad(20);
    const uint16_t star = MakePlayer(kClub, 10, 8, 99);
    RebuildAllRosters();
    uint16_t* roster = ClubRoster[kClub];
    uint16_t* empty = std::find(roster, roster + kRosterSize, uint16_t(0));
    ASSERT_NE(empty, roster + kRosterSize);
    *empty = star;
    ReshuffleComputerSquad(kClub, -1);
    EXPECT_EQ(GetPlayerFlag118(star), 1);
    EXPECT_EQ(GetPlayerFlag107(star), 0);
    squad.push_back(star);
    EXPECT_EQ(FirstTeamFlags(squad), 16);
}

// --- reserve side --------------------------------------------------------------

class ReserveSideTest : public ManagementTest {
  protected:
    static constexpr int16_t kClub = 21;
    void SetUp() override {
        ManagementTest::SetUp();
        MakeClub(kClub);
        SetClubControl(kClub, 1);
    }
};

// A 24-year-old (age index 8) has threshold 44: an attribute of 40 with
// weight 25 costs 100 points where 44 would earn 1,100.
TEST_F(ReserveSideTest, ThresholdFollowsTheAge) {
    const uint16_t p = MakePlayer(kClub, 1, 8, 60);
    SetPlayerStat(p, 3, 44);  // column 2 of a defender: weight 25
    const int64_t at44 = RateReserveSidePlayer(p, 1, 3, 1);
    SetPlayerStat(p, 3, 40);
    EXPECT_EQ(at44 - RateReserveSidePlayer(p, 1, 3, 1), 1100 + 100);
}

TEST_F(ReserveSideTest, OutOfPositionKeepsSixtyOfEachHundredAndFatigueCanRateNothing) {
    const uint16_t midfielder = MakePlayer(kClub, 6, 8, 57);
    const uint16_t defender = MakePlayer(kClub, 2, 8, 57);
    const int64_t own = RateReserveSidePlayer(midfielder, 6, 3, 0);
    ASSERT_NE(own % 100, 0);
    EXPECT_EQ(RateReserveSidePlayer(defender, 6, 3, 0), own / 100 * 60);
    SetPlayerFatigue(defender, 63);
    EXPECT_EQ(RateReserveSidePlayer(defender, 2, 3, 0), 1);
    SetPlayerSetting2(midfielder, 0);  // slot kind 0 weighs setting 2
    EXPECT_EQ(RateReserveSidePlayer(midfielder, 6, 0, 0), own * 40 / 100);
}

TEST_F(ReserveSideTest, PicksFromTheReserveListAndFallsBackOnTheYouth) {
    const uint16_t keeper = MakePlayer(kClub, 0, 8, 50);
    const uint16_t defender = MakePlayer(kClub, 2, 8, 70);
    for (uint16_t p : {keeper, defender}) SetPlayerFlag107(p, 1);
    const uint16_t youth = MakePlayer(kClub, 2, 1, 40);
    SetPlayerFlag95(youth, 1);
    RebuildAllRosters();
    BuildClubSquadList(kClub);
    ASSERT_EQ(ReserveList.count, 2);
    EXPECT_EQ(PickReserveSidePlayer(0, 3, kClub, 0, 0), keeper);
    SetPlayerIntShirt(keeper, 1);
    EXPECT_EQ(PickReserveSidePlayer(3, 3, kClub, 0, 0), defender);
    SetPlayerIntShirt(defender, 2);
    EXPECT_EQ(PickReserveSidePlayer(4, 3, kClub, 0, 0), youth);
    EXPECT_EQ(GetPlayerFlag107(youth), 1) << "the youth joins the reserve list";
    EXPECT_EQ(ReserveList.players[2], youth);
}

// Players on loan here from the club the side meets next are not available
// (the match sheet refuses them), in the reserve list and in the youth list
// the pick falls back on, unless their loan lets them face that club.
TEST_F(ReserveSideTest, PlayersLentByTheNextOpponentSitOutUnlessTheirLoanAllowsIt) {
    constexpr int16_t kLender = 22;
    MakeClub(kLender);
    const uint16_t loaned = MakePlayer(kClub, 10, 8, 90);
    const uint16_t own = MakePlayer(kClub, 10, 8, 50);
    for (uint16_t p : {loaned, own}) SetPlayerFlag107(p, 1);
    const uint16_t loanedYouth = MakePlayer(kClub, 10, 1, 95);
    const uint16_t ownYouth = MakePlayer(kClub, 10, 1, 45);
    for (uint16_t p : {loanedYouth, ownYouth}) SetPlayerFlag95(p, 1);
    for (uint16_t p : {loaned, loanedYouth}) SetPlayerLoanClub(p, kLender);
    PutFixture(0, 5, kCompLeague, kLender, kClub, 31, 31);
    RebuildAllRosters();
    BuildClubSquadList(kClub);
    EXPECT_EQ(PickReserveSidePlayer(10, 3, kClub, 0, 0), own);
    SetPlayerIntShirt(own, 10);
    EXPECT_EQ(PickReserveSidePlayer(10, 3, kClub, 0, 0), ownYouth) << "the youth fallback skips him too";
    SetPlayerIntShirt(ownYouth, 11);
    SetPlayerFlag120Bit12(loaned, 1);
    EXPECT_EQ(PickReserveSidePlayer(10, 3, kClub, 0, 0), loaned);
}

TEST_F(ReserveSideTest, ANegativeClubEndsTheProgram) {
    EXPECT_FATAL(PickReserveSidePlayer(2, 3, -3, 0, 0),
                 "PickReserveSidePlayer\\(\\): Error: invalid club -3");
}

}  // namespace
