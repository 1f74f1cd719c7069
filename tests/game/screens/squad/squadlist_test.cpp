// The squad list over one shared new-game world: sorting with both
// toggles, shirt swaps, moves between the lists and their refusals (a full
// list never loses the player), the profile and contract links, and the
// screen run by the controller with the scripted user.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/club/squads.h"
#include "core/query/fields.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/season/calendar.h"
#include "core/season/leagues.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/screentables.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/squad/squadlist.h"
#include "game/system/picture.h"
#include "tests/fakes/kept_new_game.h"
#include "tests/fakes/menu_env.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

bool g_squadWorldReady = false;
std::string g_squadWorldError;

void SquadListNewWorld() {
    g_squadWorldError = testenv::KeptNewGame(testenv::kScreenWorldSeed);
    g_squadWorldReady = g_squadWorldError.empty();
}

class SquadListTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        SquadListNewWorld();
        if (!g_squadWorldReady) GTEST_FAIL() << g_squadWorldError;
        MenuEngineTest::SetUp();
        if (!started_) return;
        user_ = int16_t(DivisionClubLists[0][1][0]);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        SelectedClub = uint16_t(user_);
        View(0, 0);
    }
    void TearDown() override {
        if (g_squadWorldReady) {
            SetClubControl(user_, 0);
            SetPlayerClub(1, int16_t(kNoClub));
        }
        MenuEngineTest::TearDown();
    }
    // The view words as the controller sets them, then one walk's rebuild.
    static void View(int16_t second, int16_t spare, bool rebuild = true) {
        SquadListSecond = second;
        SquadListSpare = spare;
        TeamMoveArmed = SpareMoveArmed = 0;
        PickedPlayer = 0;
        if (rebuild) HVW_BuildSquadList(int16_t(SelectedClub));
        SquadListMenu();
    }
    static int RowOf(uint16_t player) {
        const auto at = std::find(ShownPlayers, ShownPlayers + kSquadRows, player);
        return at == ShownPlayers + kSquadRows ? -1 : int(at - ShownPlayers);
    }
    static bool InList(const SquadList& list, uint16_t player) {
        return std::find(list.players, list.players + kSquadListSize, player) !=
               list.players + kSquadListSize;
    }
    int16_t user_ = -1;
};

TEST_F(SquadListTest, RowsInShirtOrderAndTheBothTogglesSort) {
    ASSERT_GT(ShownCount, 11);
    for (int row = 1; row < ShownCount; ++row) {
        const int a = HVW_GetPlayerShirt(ShownPlayers[row - 1]), b = HVW_GetPlayerShirt(ShownPlayers[row]);
        if (a > 0 && b > 0) {
            EXPECT_LE(a, b) << "row " << row;
        }
    }
    // Appearances with both toggles: position type, then more appearances,
    // then the higher player number.
    for (int row = 0; row < ShownCount; ++row) SetPlayerApps(ShownPlayers[row], int16_t(row % 3));
    SquadSortKey = 32;
    KeySortOn = GroupByPositionOn = 1;
    SquadListMenu();
    for (int row = 1; row < ShownCount; ++row) {
        const uint16_t a = ShownPlayers[row - 1], b = ShownPlayers[row];
        const int typeA = HVW_GetPositionType(a), typeB = HVW_GetPositionType(b);
        ASSERT_LE(typeA, typeB) << "row " << row;
        if (typeA != typeB) continue;
        ASSERT_GE(HVW_GetPlayerApps(a), HVW_GetPlayerApps(b)) << "row " << row;
        if (HVW_GetPlayerApps(a) == HVW_GetPlayerApps(b)) {
            EXPECT_GT(a, b) << "row " << row;
        }
    }
    KeySortOn = GroupByPositionOn = 0;
    SquadSortKey = 4;
}

TEST_F(SquadListTest, TwoShirtClicksSwapAndALentOutPlayerIsRefused) {
    const uint16_t a = ShownPlayers[0], b = ShownPlayers[1];
    const int16_t shirtA = HVW_GetPlayerShirt(a), shirtB = HVW_GetPlayerShirt(b);
    SquadList_PickOrSwapShirt(0);
    EXPECT_EQ(PickedPlayer, a);
    SquadListMenu();
    EXPECT_EQ(SquadRowColour[RowOf(a)], 8);
    SquadList_PickOrSwapShirt(RowOf(b));
    EXPECT_EQ(PickedPlayer, 0);
    EXPECT_EQ(HVW_GetPlayerShirt(a), shirtB);
    EXPECT_EQ(HVW_GetPlayerShirt(b), shirtA);
    SquadList_PickOrSwapShirt(RowOf(a));
    SquadList_PickOrSwapShirt(RowOf(b));
    EXPECT_EQ(HVW_GetPlayerShirt(a), shirtA);
    // A computer club's shirts are not touched.
    SetClubControl(user_, 0);
    SquadList_PickOrSwapShirt(0);
    EXPECT_EQ(PickedPlayer, 0);
    SetClubControl(user_, 1);
    // Empty rows do nothing but disarm a move.
    const int empty = ShownCount;
    ASSERT_LT(empty, kSquadRows);
    TeamMoveArmed = 1;
    SquadList_RowClick(empty, false);
    EXPECT_EQ(TeamMoveArmed, 0);
    EXPECT_EQ(PickedPlayer, 0);
}

TEST_F(SquadListTest, MovesBetweenTheListsAndTheirRefusals) {
    const uint16_t p = ShownPlayers[ShownCount - 1];
    const int16_t teamCount = FirstTeamList.count;
    SquadList_TeamToSecond(nullptr);
    EXPECT_EQ(TeamMoveArmed, 1);
    SquadList_RowClick(RowOf(p), false);
    EXPECT_EQ(GetPlayerFlag118(p), 0);
    EXPECT_EQ(GetPlayerFlag107(p), 1);
    EXPECT_EQ(TeamMoveArmed, 1);  // stays armed for the next
    SquadListMenu();
    EXPECT_EQ(FirstTeamList.count, teamCount - 1);
    EXPECT_EQ(RowOf(p), -1);
    View(1, 0);
    ASSERT_GE(RowOf(p), 0) << "he shows in the second list";

    // A 19-year-old is refused into the spare list: nothing changes.
    SetPlayerAge(p, 19 - 16);
    ASSERT_EQ(HVW_GetPlayerAge(p), 19);
    SquadList_SecondToSpare(nullptr);
    SquadList_RowClick(RowOf(p), false);
    EXPECT_EQ(SpareMoveArmed, 0);
    SquadListMenu();
    EXPECT_GE(RowOf(p), 0);
    EXPECT_FALSE(InList(YouthList, p));

    // An 18-year-old goes, and comes back from the spare view.
    SetPlayerAge(p, 18 - 16);
    SquadList_SecondToSpare(nullptr);
    SquadList_RowClick(RowOf(p), false);
    SquadListMenu();
    EXPECT_EQ(RowOf(p), -1);
    EXPECT_TRUE(InList(YouthList, p));
    View(0, 1, false);
    ASSERT_GE(RowOf(p), 0);
    SquadList_SpareToSecond(nullptr);
    SquadList_RowClick(RowOf(p), false);
    EXPECT_TRUE(InList(ReserveList, p));
    EXPECT_FALSE(InList(YouthList, p));

    // Back to the team with a picked player and the button.
    View(1, 0, false);
    SquadList_PickOrSwapShirt(RowOf(p));
    SquadList_SecondToTeam(nullptr);
    EXPECT_TRUE(InList(FirstTeamList, p));
    EXPECT_FALSE(InList(ReserveList, p));
    EXPECT_EQ(PickedPlayer, 0);
    EXPECT_EQ(TeamMoveArmed, 0);
}

TEST_F(SquadListTest, AMoveIntoAFullListChangesNothing) {
    const uint16_t p = ShownPlayers[0];
    const SquadList team = FirstTeamList;
    // A second list of 32, and one of 31 where nobody could be replaced,
    // as saved games may hold them.
    for (int filled : {kSquadListSize, kSquadListSize - 1}) {
        for (int i = 0; i < kSquadListSize; ++i)
            ReserveList.players[i] = i < filled ? uint16_t(45000 + i) : 0;
        ReserveList.count = int16_t(filled);
        const SquadList second = ReserveList;
        TeamMoveArmed = 1;
        SquadList_RowClick(0, false);
        EXPECT_EQ(TeamMoveArmed, 0) << filled;
        EXPECT_EQ(std::memcmp(&ReserveList, &second, sizeof second), 0) << filled;
        EXPECT_EQ(std::memcmp(&FirstTeamList, &team, sizeof team), 0) << filled;
        EXPECT_EQ(GetPlayerFlag118(p), 1) << filled;
        // The button with a picked player is refused alike.
        PickedPlayer = p;
        SquadList_TeamToSecond(nullptr);
        EXPECT_EQ(std::memcmp(&FirstTeamList, &team, sizeof team), 0) << filled;
        EXPECT_EQ(PickedPlayer, 0);
    }
    HVW_BuildSquadList(user_);
}

TEST_F(SquadListTest, RightButtonOpensTheProfileAndTheRoleCellTheContract) {
    MenuOption = kScreenSquadList;
    const uint16_t p = ShownPlayers[2];
    EXPECT_EQ(SquadList_RowClick(2, true), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    EXPECT_EQ(SelectedPlayer, int16_t(p));
    EXPECT_EQ(ReturnMenuOption, kScreenSelectedClubSquad);
    View(1, 0);
    if (ShownCount > 0) {
        SquadList_RowClick(0, true);
        EXPECT_EQ(ReturnMenuOption, kScreenSquadListSecond);
    }
    View(0, 0);
    MenuOption = kScreenSquadList;
    SetPlayerClause2(p, 0);
    EXPECT_EQ(SquadList_OpenContractRow(RowOf(p)), MENU_CONTINUE);
    SetPlayerClause2(p, 2);
    EXPECT_EQ(SquadList_OpenContractRow(RowOf(p)), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenPlayerInfo);
    EXPECT_EQ(ReturnMenuOption, kScreenSquadList);
    SetPlayerClause2(p, 0);
}

TEST_F(SquadListTest, OutOfRangeSelectedClubCountsAsClubOne) {
    SelectedClub = 4000;
    SquadListMenu();
    EXPECT_EQ(SelectedClub, 1);
}

TEST(SquadListDeathTest, AnUnknownSortKeyIsFatal) { EXPECT_DEATH(SquadSortHeader(27), "SortByType"); }

TEST_F(SquadListTest, TheControllerRunsTheScreenAndItsBackIconLeavesForTheClub) {
    MenuOption = kScreenSquadList;
    PreviousMenuOption = kScreenClubMain;
    static uint16_t shown, picked;
    testenv::MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == SquadListTable && !MenuViewHotItems().empty() &&
                   ScreenPresented == 1;
        },
        3000);
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] { shown = ShownPlayers[0]; });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 50 && item.y == 147; });
    testenv::MenuUserWait(5);
    testenv::MenuUserDo([] { picked = PickedPlayer; });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    int rounds = 0;
    while (MenuOption == kScreenSquadList && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    EXPECT_EQ(picked, shown);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(SquadListSecond, 0);
}

// The back icon leads back into the preparation of the user's match while
// it runs (its own screen at stage 1, which the icon ends), and otherwise
// to the screen the list came from.
TEST_F(SquadListTest, TheBackIconReturnsIntoTheMatchPreparationFirst) {
    PreviousMenuOption = kScreenSquads;
    MatchPrepStage = 1;
    MatchPrepActive = 1;
    EXPECT_EQ(SquadList_Back(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenVacancies);
    EXPECT_EQ(MatchPrepStage, 0);
    SquadList_Back(nullptr);
    EXPECT_EQ(MenuOption, kScreenClubInfo);
    MatchPrepActive = 0;
    SquadList_Back(nullptr);
    EXPECT_EQ(MenuOption, kScreenSquads);
}

TEST_F(SquadListTest, PreSeasonFitnessTheRoleBadgeAndATitleGrab) {
    // A player short of fitness counts as unavailable during his nation's
    // pre-season, from the season's first day up to the league start day,
    // not after: in the user's country and in country 1, whose split day
    // comes after its league start.
    const int16_t today = SeasonCalendar.currentDay;
    for (const int16_t club : {user_, int16_t(DivisionClubLists[1][0][0])}) {
        SelectedClub = uint16_t(club);
        View(0, 0);
        int row = -1;
        for (int r = 0; r < ShownCount && row < 0; ++r)
            if (SquadRowColour[r] == 0) row = r;
        ASSERT_GE(row, 0);
        const uint16_t p = ShownPlayers[row];
        const int country = GetClubNation(club);
        ASSERT_LT(country, 9);
        const int16_t start = SeasonCalendar.leagueStartDay[country];
        const uint16_t fitness = GetPlayerFitness(p);
        SetPlayerFitness(p, 30);
        for (const int16_t day : {int16_t(0), start}) {
            SeasonCalendar.currentDay = day;
            SquadListMenu();
            EXPECT_EQ(SquadRowColour[RowOf(p)], 4) << "country " << country << ", day " << day;
        }
        SeasonCalendar.currentDay = int16_t(start + 1);
        SquadListMenu();
        EXPECT_EQ(SquadRowColour[RowOf(p)], 0) << "country " << country;
        SeasonCalendar.currentDay = today;
        SetPlayerFitness(p, int16_t(fitness));
    }
    SelectedClub = uint16_t(user_);
    View(0, 0);

    // The listed player's role cell gets the badge; the controller shows
    // the list, titled, in a grab.
    const uint16_t listed = ShownPlayers[1];
    const int16_t role = HVW_GetPlayerField117(listed);
    SetPlayerField117(listed, 5);
    MenuOption = kScreenSquadList;
    PreviousMenuOption = kScreenClubMain;
    static std::vector<uint32_t> grab;
    static int badgeRow, plainRow;
    testenv::MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == SquadListTable && !MenuViewHotItems().empty() &&
                   ScreenPresented == 1;
        },
        3000);
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([listed] {
        badgeRow = RowOf(listed);
        plainRow = -1;
        for (int r = 0; r < 16 && plainRow < 0; ++r)
            if (r != badgeRow && IsValidPlayer(ShownPlayers[r]) && HVW_GetPlayerField117(ShownPlayers[r]) < 5)
                plainRow = r;
    });
    testenv::MenuUserMoveTo(780, 300);
    testenv::MenuUserWait(3);
    testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
    testenv::MenuUserWait(3);
    testenv::MenuUserDo([] { grab = testenv::NewestGrabPixels(); });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    int rounds = 0;
    while (MenuOption == kScreenSquadList && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    SetPlayerField117(listed, role);
    ASSERT_EQ(grab.size(), 800u * 600u);
    ASSERT_LT(badgeRow, 16);
    ASSERT_GE(plainRow, 0);

    const auto reddish = [&](int r) {
        int count = 0;
        for (int y = 147 + r * 23; y < 147 + r * 23 + 23; ++y) {
            for (int x = 357; x < 393; ++x) {
                const uint32_t c = grab[size_t(y) * 800 + size_t(x)];
                const uint32_t high = c >> 16, middle = (c >> 8) & 0xFF, low = c & 0xFF;
                count += std::max(high, low) > 140 && std::min(high, low) < 60 && middle < 60 ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_GT(reddish(badgeRow), 300);
    EXPECT_EQ(reddish(plainRow), 0);

    // Title 158 centred on (400, 62): every pixel its letters paint over
    // the plain background is the grab's.
    ShowMenuBackground(4);
    grab = testenv::GrabInBufferOrder(grab);
    const testenv::LettersFound title = testenv::LettersInGrab(grab, 300, 45, 500, 80, [] {
        SetFont(1014);
        SetDrawParam(1, 0);
        DrawTextNoAt(400, 62, 158, JUSTIFY_CENTRE_MIDDLE);
    });
    EXPECT_GT(title.letters, 50);
    EXPECT_EQ(title.same, title.letters);
}

}  // namespace
