// The user's captain and set-piece takers before a match.
#include <algorithm>
#include <cstring>
#include <vector>

#include "core/club/squads.h"
#include "core/club/tactics.h"
#include "core/club/teamroles.h"
#include "core/query/userroles.h"
#include "tests/core/records/records_fixture.h"

namespace {

constexpr int16_t kRolesClub = 10;
// Players 3-20 are the club's: 3-18 wear shirts 1-16, 19 and 20 none.
constexpr uint16_t kFirst = 3, kLast = 20;

class RoleTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        std::memset(ClubRoleLists, 0, sizeof ClubRoleLists);
        std::memset(Code120RoleChoices, 0, sizeof Code120RoleChoices);
        CurrentTacticB = CurrentTacticA = SeasonStepWord = 0;
        std::memset(MatchRoleHolders, 0, sizeof MatchRoleHolders);
        for (uint16_t p = kFirst; p <= kLast; ++p) Join(p, kRolesClub);
        for (uint16_t p = kFirst; p <= 18; ++p) SetPlayerShirt(p, int16_t(p - kFirst + 1));
    }

    static void Join(uint16_t p, int16_t club) {
        SetPlayerClub(p, club);
        SetPlayerLoanClub(p, club);
        SetPlayerPosition(p, 5);
        for (uint16_t& slot : ClubRoster[club]) {
            if (slot == 0) {
                slot = p;
                return;
            }
        }
    }
    static void Leave(uint16_t p) {
        for (uint16_t& slot : ClubRoster[kRolesClub]) {
            if (slot == p) slot = 0;
        }
        SetPlayerClub(p, 30);
        SetPlayerLoanClub(p, 30);
    }
    // Player wearing the shirt.
    static uint16_t Shirt(int shirt) { return uint16_t(kFirst + shirt - 1); }

    static std::vector<uint16_t> List(int role) {
        return {ClubRoleLists[role], ClubRoleLists[role] + kRoleChoices};
    }
    static void SetList(int role, std::vector<uint16_t> players) {
        std::copy(players.begin(), players.end(), ClubRoleLists[role]);
    }
    static bool InClub(uint16_t p) { return p >= kFirst && p <= kLast && GetPlayerClub(p) == kRolesClub; }
    // Valid first choices for all four roles: shirts 10, 7, 8 and 9.
    static void ChooseAll() {
        SetList(kRoleCaptain, {Shirt(10), 0, 0, 0, 0});
        SetList(kRoleCornerTaker, {Shirt(7), 0, 0, 0, 0});
        SetList(kRoleFreeKickTaker, {Shirt(8), 0, 0, 0, 0});
        SetList(kRolePenaltyTaker, {Shirt(9), 0, 0, 0, 0});
    }
    static int Captains() {
        int n = 0;
        for (uint16_t p = kFirst; p <= kLast; ++p) n += GetPlayerCaptain(p);
        return n;
    }
};

// --- refreshing the lists -----------------------------------------------------

TEST_F(RoleTest, PlayerWhoLeftIsRemovedAndANewLastChoiceDrawn) {
    const uint16_t a = Shirt(2), b = Shirt(3), c = Shirt(4), d = Shirt(5), e = Shirt(6);
    SetList(kRoleCaptain, {a, b, c, d, e});
    Leave(b);
    for (int seed = 0; seed < 20; ++seed) {
        GameSeedRandom(uint32_t(seed));
        SetList(kRoleCaptain, {a, b, c, d, e});
        HVW_RefreshClubRoleLists(kRolesClub);
        std::vector<uint16_t> list = List(kRoleCaptain);
        EXPECT_EQ(std::vector<uint16_t>(list.begin(), list.begin() + 4), (std::vector<uint16_t>{a, c, d, e}));
        EXPECT_TRUE(InClub(list[4])) << list[4];
        EXPECT_TRUE(std::find(list.begin(), list.begin() + 4, list[4]) == list.begin() + 4);
    }
}

TEST_F(RoleTest, TwoLeadingLeaversAreBothRemoved) {
    const uint16_t a = Shirt(2), b = Shirt(3), c = Shirt(4), d = Shirt(5), e = Shirt(6);
    Leave(a);
    Leave(b);
    SetList(kRoleCornerTaker, {a, b, c, d, e});
    HVW_RefreshClubRoleLists(kRolesClub);
    std::vector<uint16_t> list = List(kRoleCornerTaker);
    EXPECT_EQ(list[0], c);
    EXPECT_EQ(list[1], d);
    EXPECT_EQ(list[2], e);
    EXPECT_TRUE(InClub(list[3]) && InClub(list[4]));
    EXPECT_NE(list[3], list[4]);
    for (int i = 3; i < 5; ++i) EXPECT_TRUE(list[i] != c && list[i] != d && list[i] != e);
}

TEST_F(RoleTest, EmptyEntriesStayWhereTheyAre) {
    const uint16_t a = Shirt(2), c = Shirt(4), d = Shirt(5), e = Shirt(6);
    SetList(kRolePenaltyTaker, {a, 0, c, d, e});
    HVW_RefreshClubRoleLists(kRolesClub);
    EXPECT_EQ(List(kRolePenaltyTaker), (std::vector<uint16_t>{a, 0, c, d, e}));
    Leave(c);
    HVW_RefreshClubRoleLists(kRolesClub);
    std::vector<uint16_t> list = List(kRolePenaltyTaker);
    EXPECT_EQ(std::vector<uint16_t>(list.begin(), list.begin() + 4), (std::vector<uint16_t>{a, 0, d, e}));
    EXPECT_TRUE(InClub(list[4]));
}

TEST_F(RoleTest, DrawEndsWhenTheTeamHasNobodyElseToOffer) {
    // Only three players are left; all three already head the list.
    for (uint16_t p = kFirst + 3; p <= kLast; ++p) Leave(p);
    const uint16_t gone = kLast;
    SetList(kRoleFreeKickTaker, {kFirst, uint16_t(kFirst + 1), uint16_t(kFirst + 2), gone, 0});
    HVW_RefreshClubRoleLists(kRolesClub);
    EXPECT_EQ(List(kRoleFreeKickTaker),
              (std::vector<uint16_t>{kFirst, uint16_t(kFirst + 1), uint16_t(kFirst + 2), 0, 0}));
}

// --- checking the club side ---------------------------------------------------

TEST_F(RoleTest, AllRolesValidGiveNoStopAndPublishTheFirstChoices) {
    ChooseAll();
    SetPlayerCaptain(Shirt(3), 1);  // last match's captain
    EXPECT_EQ(HVW_CheckClubRoleChoices(kRolesClub), -1);
    EXPECT_EQ(MatchRoleHolders[kRoleCaptain], Shirt(10));
    EXPECT_EQ(MatchRoleHolders[kRoleCornerTaker], Shirt(7));
    EXPECT_EQ(MatchRoleHolders[kRoleFreeKickTaker], Shirt(8));
    EXPECT_EQ(MatchRoleHolders[kRolePenaltyTaker], Shirt(9));
    EXPECT_EQ(GetPlayerCaptain(Shirt(10)), 1u);
    EXPECT_EQ(Captains(), 1);
}

TEST_F(RoleTest, SubstituteOrUnselectedCaptainStopsTheMatch) {
    ChooseAll();
    SetPlayerCaptain(Shirt(10), 1);
    SetList(kRoleCaptain, {Shirt(12), 0, 0, 0, 0});
    MatchRoleHolders[kRoleCaptain] = 77;
    EXPECT_EQ(HVW_CheckClubRoleChoices(kRolesClub), 979);
    EXPECT_EQ(Captains(), 0);
    EXPECT_EQ(MatchRoleHolders[kRoleCaptain], 77);  // left as it was
    EXPECT_EQ(MatchRoleHolders[kRoleCornerTaker], Shirt(7));
    SetList(kRoleCaptain, {19, 0, 0, 0, 0});  // no shirt
    EXPECT_EQ(HVW_CheckClubRoleChoices(kRolesClub), 979);
}

TEST_F(RoleTest, KeeperMayCaptainButTakesNoSetPiece) {
    ChooseAll();
    SetList(kRoleCaptain, {Shirt(1), 0, 0, 0, 0});
    EXPECT_EQ(HVW_CheckClubRoleChoices(kRolesClub), -1);
    SetList(kRolePenaltyTaker, {Shirt(1), 0, 0, 0, 0});
    EXPECT_EQ(HVW_CheckClubRoleChoices(kRolesClub), 980);
}

TEST_F(RoleTest, OnlyTheFirstMissingRoleIsNamed) {
    ChooseAll();
    SetList(kRoleCornerTaker, {0, 0, 0, 0, 0});
    SetList(kRolePenaltyTaker, {0, 0, 0, 0, 0});
    EXPECT_EQ(HVW_CheckClubRoleChoices(kRolesClub), 983);
    SetList(kRoleCornerTaker, {Shirt(7), 0, 0, 0, 0});
    EXPECT_EQ(HVW_CheckClubRoleChoices(kRolesClub), 980);
}

TEST_F(RoleTest, PlayerOnLoanElsewhereIsNoValidChoice) {
    ChooseAll();
    // He stays on the club's books but plays for another club.
    SetPlayerClub(Shirt(8), 31);
    EXPECT_EQ(HVW_CheckClubRoleChoices(kRolesClub), 981);
}

// --- the code-120 choices -------------------------------------------------------

TEST_F(RoleTest, Code120ChoicesAreCheckedAgainstTheReserveSide) {
    ChooseAll();
    // Players 19, 20 and two more are reserves with reserve shirts.
    const uint16_t reserves[4] = {19, 20, 21, 22};
    Join(21, kRolesClub);
    Join(22, kRolesClub);
    for (int i = 0; i < 4; ++i) {
        SetPlayerFlag107(reserves[i], 1);
        SetPlayerIntShirt(reserves[i], int16_t(i + 2));
    }
    SetPlayerCaptain(Shirt(10), 1);
    // The words run captain, free-kick taker, corner taker, penalty taker.
    const uint16_t words[4] = {19, 20, 21, 22};
    std::copy(words, words + 4, Code120RoleChoices);
    EXPECT_EQ(HVW_CheckCode120RoleChoices(kRolesClub), -1);
    EXPECT_EQ(MatchRoleHolders[kRoleCaptain], 19);
    EXPECT_EQ(MatchRoleHolders[kRoleFreeKickTaker], 20);
    EXPECT_EQ(MatchRoleHolders[kRoleCornerTaker], 21);
    EXPECT_EQ(MatchRoleHolders[kRolePenaltyTaker], 22);
    EXPECT_EQ(GetPlayerCaptain(19), 1u);
    EXPECT_EQ(GetPlayerCaptain(Shirt(10)), 0u);  // the club's flags were cleared
    // A first-team player is not on the reserve side.
    Code120RoleChoices[1] = Shirt(8);
    EXPECT_EQ(HVW_CheckCode120RoleChoices(kRolesClub), 981);
    Code120RoleChoices[1] = 20;
    SetPlayerIntShirt(22, 12);
    EXPECT_EQ(HVW_CheckCode120RoleChoices(kRolesClub), 980);
}

}  // namespace
