// Words one screen leaves for the next entry of another, driven by the
// scripted user through the real controller: what a screen hands over must
// reach its own road's screens and no later, unrelated entry.
#include <gtest/gtest.h>

#include "core/club/scouting.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/usertransfers.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/screentables.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/transfers/scouting.h"
#include "game/screens/transfers/shortlistscreen.h"
#include "tests/fakes/world_lookups.h"
#include "tests/game/screens/user_club_fixture.h"

namespace {

using testenv::MenuUserDo;
using testenv::MenuUserWait;

testenv::SharedNewWorld g_handOverWorld;

constexpr int kShortlistNavRow = 14;  // "Shortlist" in the title bar's club list

class SquadHandOverTest : public UserClubScreenTest {
  protected:
    void SetUp() override {
        SetUpWorld(g_handOverWorld, testenv::kScreenWorldSeed);
        if (!ready()) return;
        Scout_ClearAll();
        ScoutViewFlag = 0;
        ShortlistScreen_Reset();
    }
    void TearDown() override {
        if (ready()) {
            if (recommended_ != 0) SetPlayerScoutRecommended(recommended_, 0);
            ScoutViewFlag = 0;
        }
        UserClubScreenTest::TearDown();
    }
    static void Click(int x, int y) {
        testenv::MenuUserClickItem([x, y](const MenuHotItem& item) { return ItemAt(item, x, y); });
    }
    uint16_t recommended_ = 0;
};

// The scouting screen hands the chosen region to the list screen; a
// player's profile opened from that list leads back to it, but the list
// entered later from a shortlist button is the user's shortlist again.
TEST_F(SquadHandOverTest, TheScoutViewLastsForItsOwnRoadOnly) {
    static int16_t fromScouting = -1, backFromProfile = -1, fromTitleBar = -1;
    static const void* navEntry = nullptr;
    // One recommended player of a region, so that its list has a name to
    // open.
    int16_t region = -1;
    for (int16_t r = 0; r < kScoutingRegions && recommended_ == 0; ++r) {
        for (uint16_t p = 2; p < PlayerCount && recommended_ == 0; ++p) {
            if (Scout_PlayerInRegion(p, r) == 0) continue;
            recommended_ = p;
            region = r;
        }
    }
    ASSERT_NE(recommended_, 0);
    SetPlayerScoutRecommended(recommended_, 1);
    MenuOption = kScreenScouting;
    testenv::MenuUserWaitFor(TableUp(ScoutingTable), 3000);
    Click(50, 97 + 34 * region);  // the region's button
    MenuUserWait(5);
    Click(399, 502);  // the region's players
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenShortlist);

    testenv::MenuUserWaitFor(TableUp(ShortlistTable), 3000);
    MenuUserDo([] { fromScouting = Shortlist_Title(); });
    Click(20, 118);  // the first name
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenPlayerStats);
    testenv::MenuUserWaitFor(TableUp(PlayerStatsTable), 3000);
    Click(743, 559);
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenShortlist);

    testenv::MenuUserWaitFor(TableUp(ShortlistTable), 3000);
    MenuUserDo([] { backFromProfile = Shortlist_Title(); });
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171; });
    MenuUserWait(15);
    MenuUserDo([] {
        const std::vector<MenuPopupRowView> rows = MenuViewPopupRows();
        if (rows.size() > size_t(kShortlistNavRow)) navEntry = rows[kShortlistNavRow].entry->text;
    });
    testenv::MenuUserClickPopupRow(kShortlistNavRow);
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenShortlist);
    testenv::MenuUserWaitFor(TableUp(ShortlistTable), 3000);
    MenuUserDo([] { fromTitleBar = Shortlist_Title(); });
    Click(743, 559);
    DoMainMenuOption();

    // The scout view again, left from the scouted player's profile by the
    // title bar's shortlist entry.
    static int16_t fromProfileTitleBar = -1;
    MenuOption = kScreenScouting;
    testenv::MenuUserWaitFor(TableUp(ScoutingTable), 3000);
    Click(50, 97 + 34 * region);
    MenuUserWait(5);
    Click(399, 502);
    DoMainMenuOption();
    testenv::MenuUserWaitFor(TableUp(ShortlistTable), 3000);
    Click(20, 118);
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenPlayerStats);
    testenv::MenuUserWaitFor(TableUp(PlayerStatsTable), 3000);
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171; });
    MenuUserWait(15);
    testenv::MenuUserClickPopupRow(kShortlistNavRow);
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenShortlist);
    testenv::MenuUserWaitFor(TableUp(ShortlistTable), 3000);
    MenuUserDo([] { fromProfileTitleBar = Shortlist_Title(); });
    Click(743, 559);
    DoMainMenuOption();

    EXPECT_EQ(navEntry, MenuValue(423));
    EXPECT_EQ(fromProfileTitleBar, 423) << "left from the profile, the shortlist button shows the shortlist";
    EXPECT_EQ(fromScouting, 852);
    EXPECT_EQ(backFromProfile, 852) << "the profile's back icon returns to the scout view";
    EXPECT_EQ(fromTitleBar, 423) << "a shortlist button shows the shortlist";
    EXPECT_EQ(MenuOption, kScreenClubMain);
}

// Back icons that read a word an earlier road left.  The user goes on by
// the title bar (a new road) or by the day's messages; the back icon of the
// screen he reaches then goes home, not into the earlier road: the match
// marks after the coaching list, a club's squad after the clubs abroad, and
// the profile that the day's contract talks end on.
TEST_F(SquadHandOverTest, ABackIconLeadsIntoNoEarlierRoad) {
    static int16_t afterMarks, afterSquad, afterTalks;
    afterMarks = afterSquad = afterTalks = -1;
    constexpr int kMatchMarksNavRow = 18, kSquadNavRow = 1;
    const auto titleBarClubList = [](int row) {
        testenv::MenuUserClickItem(
            [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171 && item.y < 40; });
        MenuUserWait(15);
        testenv::MenuUserClickPopupRow(row);
    };
    const auto backIcon = [] {
        MenuUserWait(5);
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.value == 153 && item.y > 500; });
    };
    const auto drive = [](int16_t* into) {
        for (int round = 0; round < 4 && !WinCloseRequested(); ++round) {
            DoMainMenuOption();
            *into = MenuOption;
            if (MenuOption == kScreenClubMain) break;
        }
    };

    // The coaching list, then the match marks from the title bar.
    MenuOption = kScreenCoachingList;
    testenv::MenuUserWaitFor(TableUp(FrontEndScreenTable(kScreenCoachingList)), 3000);
    MenuUserWait(5);
    titleBarClubList(kMatchMarksNavRow);
    testenv::MenuUserWaitFor(TableUp(FrontEndScreenTable(kScreenMatchMarks)), 3000);
    backIcon();
    drive(&afterMarks);

    // A club abroad opened from the clubs abroad, then its squad again
    // from the title bar.
    int16_t abroad = -1;
    for (int16_t club = 0; club < kClubCount && abroad < 0; ++club)
        if (GetClubRep(club) > 0 && GetClubNation(club) != GetClubNation(user_)) abroad = club;
    ASSERT_GE(abroad, 0);
    SelectedClub = uint16_t(abroad);
    PreviousMenuOption = kScreenClubsByNation;  // as the clubs abroad open it
    MenuOption = kScreenSquadList;
    testenv::MenuUserWaitFor(TableUp(SquadListTable), 3000);
    MenuUserWait(5);
    titleBarClubList(kSquadNavRow);
    testenv::MenuUserWaitFor(TableUp(SquadListTable), 3000);
    backIcon();
    drive(&afterSquad);

    // A contract the day's messages open: broken off, the talks end on his
    // profile, whose back icon goes home (the shortlist was an old road's).
    const uint16_t player = testenv::PlainPlayerOf(user_, 4);
    ASSERT_NE(player, 0);
    ReturnMenuOption = kScreenShortlist;
    HVW_ClearHumanContracts();
    PendingHumanDeals[0] = player;
    MenuOption = kScreenDayMessages;
    DoMainMenuOption();
    ASSERT_EQ(MenuOption, kScreenContractTalks);
    testenv::MenuUserWaitFor(TableUp(FrontEndScreenTable(kScreenContractTalks)), 3000);
    MenuUserWait(5);
    Click(60, 559);  // break off
    testenv::MenuUserWaitFor(TableUp(PlayerStatsTable), 3000);
    backIcon();
    drive(&afterTalks);
    HVW_ClearHumanContracts();

    EXPECT_EQ(afterMarks, kScreenClubMain) << "the match marks went back to the coaching list";
    EXPECT_EQ(afterSquad, kScreenClubMain) << "the squad list went back to the clubs abroad";
    EXPECT_EQ(afterTalks, kScreenClubMain) << "the profile went back to an earlier road's list";
}

// A player of another club opened from a screen that showed the user's
// club: the profile's title bar shows his club's badge, and its squad list
// is his club's.
TEST_F(SquadHandOverTest, AProfilesTitleBarIsThePlayersClub) {
    static int16_t badge, squadClub;
    badge = squadClub = -1;
    const int16_t other = int16_t(DivisionClubLists[0][1][4]);
    const uint16_t player = testenv::PlainPlayerOf(other, 3);
    ASSERT_NE(player, 0);
    SelectedClub = uint16_t(user_);
    SelectedPlayer = int16_t(player);
    ReturnMenuOption = kScreenClubMain;
    MenuOption = kScreenPlayerStats;
    testenv::MenuUserWaitFor(TableUp(PlayerStatsTable), 3000);
    MenuUserWait(5);
    MenuUserDo([] { badge = TitleClub; });
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171 && item.y < 40; });
    MenuUserWait(15);
    testenv::MenuUserClickPopupRow(1);  // the squad list
    testenv::MenuUserWaitFor(TableUp(SquadListTable), 3000);
    MenuUserWait(5);
    MenuUserDo([] { squadClub = int16_t(SelectedClub); });
    Click(743, 559);
    for (int round = 0; round < 4 && MenuOption != kScreenClubMain && !WinCloseRequested(); ++round)
        DoMainMenuOption();
    EXPECT_EQ(badge, other) << "the profile's title bar shows another club";
    EXPECT_EQ(squadClub, other);
}

}  // namespace
