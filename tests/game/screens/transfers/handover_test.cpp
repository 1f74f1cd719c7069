// Words one screen leaves for the next entry of another, driven through the
// controller by the scripted user: a hand-over that the user abandons by
// another road (the title bar, another button) must not reach the next,
// unrelated entry of the screen that would have spent it.
#include <gtest/gtest.h>

#include "core/club/board.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/usertransfers.h"
#include "core/season/leagues.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/screenids.h"
#include "game/screens/squad/careerhistory.h"
#include "game/screens/squad/playerinfo.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/transfers/contracttalks.h"
#include "game/screens/transfers/playerdeal.h"
#include "tests/game/screens/user_club_fixture.h"

namespace handover_test {

testenv::SharedNewWorld g_handOverWorld;

class HandOverUserTest : public UserClubScreenTest {
  protected:
    void SetUp() override {
        SetUpWorld(g_handOverWorld, testenv::kScreenWorldSeed);
        if (!ready()) return;
        HVW_BuildSquadList(user_);
        // Nothing waits in the day's messages that would take the user
        // elsewhere after the talks.
        for (uint16_t& slot : PendingHumanDeals) slot = 0;
        HVW_ClearHumanSales();
        JobOfferPending = 0;
        MenuFollowUp = 0;
        DealStartRole = -1;
        PreviousMenuOption = kScreenClubMain;
        ReturnMenuOption = kScreenClubMain;
    }
    static bool Up(const MenuItem* table) { return testenv::MenuTableUp(table); }
    static void WaitUp(const MenuItem* table) {
        testenv::MenuUserWaitFor([table] { return Up(table); }, 3000);
        testenv::MenuUserWait(3);
    }
    static void ClickAt(int x, int y) {
        testenv::MenuUserClickItem([x, y](const MenuHotItem& item) { return item.x == x && item.y == y; });
    }
    // The title bar's club list, then its row.
    static void ClubListRow(int row) {
        testenv::MenuUserClickItem(
            [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171; });
        testenv::MenuUserWait(15);
        testenv::MenuUserClickPopupRow(row);
    }
    // A right click held long enough for the handler to read the button.
    static void RightClickRow(int row) { testenv::MenuUserRightClickAt(50 + 307 / 2, 147 + 23 * row + 11); }
    // An own player who will talk about his contract.
    static void Talkative(uint16_t p) {
        HVW_SetPlayerFlag95(p, 0);
        SetPlayerContract(p, 6);
        SetPlayerMorale(p, 40);
        SetPlayerWage(p, 1);
        SetPlayerFlag123(p, 0);
    }
};

// Talks opened by the contract screen's button lock the role; abandoned
// through the title bar, they leave nothing that locks the next talks,
// opened from a profile, whose break-off leads back to it.
TEST_F(HandOverUserTest, TalksLeftByTheTitleBarLeaveNoLockForTheNextTalks) {
    SetClubBaseRep(user_, 24);  // no table place is below the club's standing
    static uint16_t first;
    first = 0;
    for (uint16_t p : FirstTeamList.players)
        if (p != 0 && GetPlayerClub(p) == uint16_t(user_) && GetPlayerLoanClub(p) == uint16_t(user_))
            first = p;
    ASSERT_NE(first, 0);
    Talkative(first);
    SelectedPlayer = int16_t(first);
    MenuOption = kScreenContractMenu;
    WaitUp(ContractMenuTable);
    ClickAt(60, 208);  // the talks
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenContractTalks);

    static int16_t lockedFromTheContractScreen;
    WaitUp(ContractTalksTable);
    testenv::MenuUserDo([] { lockedFromTheContractScreen = CurrentOffer.choiceLocked; });
    ClubListRow(0);  // the club
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(lockedFromTheContractScreen, 1);

    WaitUp(ClubMainTable);
    // The club screen selects a club of the division it shows: the user
    // picks his own.
    testenv::MenuUserDo([] { SelectedClub = uint16_t(GetPlayerClub(1)); });
    ClubListRow(1);  // the squad list
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenSquadList);

    static uint16_t second;
    WaitUp(SquadListTable);
    testenv::MenuUserDo([] {
        second = ShownPlayers[2];
        Talkative(second);
    });
    RightClickRow(2);
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenPlayerStats);

    WaitUp(PlayerStatsTable);
    ClickAt(60, 559);  // the actions
    testenv::MenuUserWaitFor([] { return !MenuViewPopupRows().empty(); }, 200);
    testenv::MenuUserWait(4);
    testenv::MenuUserClickPopupRow(6);  // the approach
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenContractTalks);

    static int16_t locked, roleBefore, roleAfter;
    WaitUp(ContractTalksTable);
    testenv::MenuUserDo([] {
        locked = CurrentOffer.choiceLocked;
        roleBefore = CurrentOffer.terms.status;
    });
    ClickAt(315, 210);  // the role forward
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] { roleAfter = CurrentOffer.terms.status; });
    ClickAt(60, 559);  // break off
    DoMainMenuOption();
    EXPECT_EQ(locked, 0);
    EXPECT_NE(roleAfter, roleBefore) << "the role is the user's to choose";
    EXPECT_EQ(MenuOption, kScreenPlayerStats) << "broken off, back to the profile they came from";
    EXPECT_EQ(uint16_t(SelectedPlayer), second);
}

// The profile's contract button marks the details' next entry; details
// left for the career history and then the title bar leave no mark on
// details opened later from the squad list, whose back icon returns there.
TEST_F(HandOverUserTest, DetailsLeftForTheHistoryLeaveNoWayBackToAProfile) {
    static uint16_t listed;
    listed = 0;
    SelectedPlayer = int16_t(FirstTeamList.players[0]);
    ASSERT_NE(SelectedPlayer, 0);
    ReturnMenuOption = kScreenClubMain;
    MenuOption = kScreenPlayerStats;
    WaitUp(PlayerStatsTable);
    ClickAt(516, 559);  // the contract details
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenPlayerInfo);

    WaitUp(PlayerInfoTable);
    ClickAt(60, 559);  // the career history
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenCareerHistory);

    WaitUp(CareerHistoryTable);
    ClubListRow(1);  // the squad list
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenSquadList);

    WaitUp(SquadListTable);
    testenv::MenuUserDo([] {
        listed = ShownPlayers[2];
        SetPlayerClause2(listed, 1);  // a clause: his role badge opens his details
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 357 && item.row == 2; });
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenPlayerInfo);

    WaitUp(PlayerInfoTable);
    ClickAt(743, 559);  // back
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenSquadList);
    ASSERT_NE(listed, 0);
    EXPECT_EQ(uint16_t(SelectedPlayer), listed);
}

// A country chosen on the title bar opens the details again: details the
// profile opened still lead back to it.
TEST_F(HandOverUserTest, DetailsOpenedAgainByTheCountryListStillLeadBackToTheProfile) {
    SelectedPlayer = int16_t(FirstTeamList.players[0]);
    ASSERT_NE(SelectedPlayer, 0);
    ReturnMenuOption = kScreenSquadList;
    MenuOption = kScreenPlayerStats;
    WaitUp(PlayerStatsTable);
    ClickAt(516, 559);  // the contract details
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenPlayerInfo);

    WaitUp(PlayerInfoTable);
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 624; });
    testenv::MenuUserWait(15);
    testenv::MenuUserClickPopupRow(1);  // another country
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenPlayerInfo);

    WaitUp(PlayerInfoTable);
    ClickAt(743, 559);  // back
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
}

}  // namespace handover_test
