// The staff screens over one shared new-game world with the scripted user:
// the staff list opened from the title bar with a grab of its headings and
// rating bars, a row to the member's screen and its switcher, the way back
// through the screen history; the fitness lists pushed from the member's
// screen and back; the fitness lists' membership over the club's players;
// and a grab of the drill chart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/club/squads.h"
#include "core/club/staff.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "game/screens/club/staffbars.h"
#include "game/screens/club/stafflist.h"
#include "game/screens/club/staffmember.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/squad/coachinglist.h"
#include "game/screens/squad/drillchart.h"
#include "game/screens/squad/fitnesslists.h"
#include "game/screens/start/startmenu.h"
#include "game/system/pixelformats.h"
#include "tests/fakes/menu_env.h"
#include "tests/game/screens/user_club_fixture.h"

namespace {

using testenv::MenuUserDo;
using testenv::MenuUserWait;

testenv::SharedNewWorld g_staffWorld;

// Pixels of a box that differ from its most common colour: text drawn there.
int InkInBox(const std::vector<uint32_t>& grab, int x, int y, int w, int h) {
    std::map<uint32_t, int> counts;
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col) ++counts[grab[size_t(row) * 800 + size_t(col)]];
    int most = 0;
    for (const auto& [colour, count] : counts) most = std::max(most, count);
    return w * h - most;
}

class StaffScreensTest : public UserClubScreenTest {
  protected:
    void SetUp() override {
        SetUpWorld(g_staffWorld, testenv::kScreenWorldSeed);
        if (!ready()) return;
        FitnessReturnOption = -1;
    }
    // Three members in records 0-4 (the first with a rating of 0, the
    // second of 100), a grade-4 one, the physiotherapist and an applicant.
    static void HireStaff() {
        ClubStaff[0] = stafftest::MakeStaff({.initial = 'A', .name = "Zero", .id = 61, .ratingA = 0});
        ClubStaff[1] =
            stafftest::MakeStaff({.initial = 'B', .name = "Full", .id = 62, .grade = 6, .ratingA = 100});
        ClubStaff[3] = stafftest::MakeStaff({.initial = 'C', .name = "Third", .id = 63});
        ClubStaff[4] = stafftest::MakeStaff({.initial = 'D', .name = "Four", .id = 64, .grade = 4});
        ClubStaff[5] = stafftest::MakeStaff({.initial = 'E', .name = "Physio", .id = 65, .first = 8});
        StaffCandidates[0] = stafftest::MakeStaff({.initial = 'F', .name = "Hopeful", .id = 66, .grade = 1});
    }
};

TEST_F(StaffScreensTest, ListFromTheTitleBarMemberSwitcherAndBack) {
    HireStaff();
    static std::vector<uint32_t> list, member;
    static std::vector<bool> enabled;
    static const StaffRecord* shownFirst = nullptr;
    static const StaffRecord* shownAfterPick = nullptr;
    static int16_t selectedClub = -1;
    // From a screen with the title bar: the club caption, then "Staff".
    MenuOption = kScreenUserCoachingList;
    testenv::MenuUserWaitFor(TableUp(CoachingListTable), 3000);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 171, 2); });
    MenuUserWait(10);
    MenuUserDo([] {
        const std::vector<MenuPopupRowView> rows = MenuViewPopupRows();
        ASSERT_GT(rows.size(), 21u);
        EXPECT_EQ(rows[21].entry->text, MenuValue(79));
    });
    testenv::MenuUserClickPopupRow(21);
    testenv::MenuUserWaitFor(TableUp(StaffListTable), 3000);
    MenuUserDo([] { selectedClub = int16_t(SelectedClub); });
    Grab(&list);
    // The first row opens the member's screen.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 32, 130); });
    testenv::MenuUserWaitFor(TableUp(StaffMemberTable), 3000);
    MenuUserDo([] { shownFirst = StaffMember_Shown(); });
    Grab(&member);
    // The switcher under his name: the shown member cannot be picked.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 32, 450); });
    MenuUserWait(10);
    MenuUserDo([] {
        for (const MenuPopupRowView& row : MenuViewPopupRows())
            enabled.push_back((row.entry->flags & POPUP_SELECTABLE) != 0);
    });
    testenv::MenuUserClickPopupRow(1);
    MenuUserWait(10);
    testenv::MenuUserWaitFor(
        [] { return TableUp(StaffMemberTable)() && StaffMember_Shown() == &ClubStaff[1]; }, 3000);
    MenuUserWait(5);
    MenuUserDo([] { shownAfterPick = StaffMember_Shown(); });
    // Back: the staff list, then the club screen.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 743, 559); });
    testenv::MenuUserWaitFor(TableUp(StaffListTable), 3000);
    MenuUserWait(5);
    MenuUserDo([] { EXPECT_EQ(CurrentStaffRecord, nullptr); });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 720, 545); });
    RunScreens({77, 78, 79});
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(selectedClub, user_);
    EXPECT_EQ(shownFirst, &ClubStaff[0]);
    EXPECT_EQ(shownAfterPick, &ClubStaff[1]);
    // Members A, B and C, then the two posts; A is shown, post 6 is empty.
    EXPECT_EQ(enabled, (std::vector<bool>{false, true, true, true, false}));

    ASSERT_EQ(list.size(), 800u * 600u);
    const auto at = [](const std::vector<uint32_t>& grab, int x, int y) {
        return grab[size_t(y) * 800 + size_t(x)];
    };
    // Row 0: a rating of 0 gives a red bar ten long; row 1: 100, a green
    // bar fifty long.
    const uint32_t red = testenv::GrabColour(Staff_BarShades(255, 0, 0).body),
                   green = testenv::GrabColour(Staff_BarShades(0, 255, 0).body);
    EXPECT_EQ(at(list, 272, 140), red);
    EXPECT_EQ(at(list, 278, 140), red);
    EXPECT_NE(at(list, 282, 140), red);
    EXPECT_EQ(at(list, 272, 160), green);
    EXPECT_EQ(at(list, 318, 160), green);
    EXPECT_NE(at(list, 321, 160), green);
    // The three group headings.
    EXPECT_GT(InkInBox(list, 40, 110, 130, 16), 20);
    EXPECT_GT(InkInBox(list, 40, 234, 130, 16), 20);
    EXPECT_GT(InkInBox(list, 40, 340, 130, 16), 20);
    // The member's screen: his name under the title and his first bar red.
    ASSERT_EQ(member.size(), 800u * 600u);
    EXPECT_GT(InkInBox(member, 330, 110, 140, 20), 20);
    EXPECT_EQ(at(member, 602, 160), red);
}

TEST_F(StaffScreensTest, AnEmptyStaffListAndAMemberScreenWithoutAMember) {
    static std::vector<uint32_t> list;
    static int16_t emptyText = 0;
    static bool stayed = false, anyButton = false, backIcon = false;
    static std::vector<std::string> messages;
    MenuOption = kScreenStaffList;
    testenv::MenuUserWaitFor(TableUp(StaffListTable), 3000);
    MenuUserDo([] {
        emptyText = StaffList_EmptyText(0);
        // The empty groups' message lines, centred on x 400 below the title.
        for (const DrawnString& s : testenv::ScreenStrings())
            if (s.y > 100 && std::abs(s.x + s.width / 2 - 400) <= 2) messages.push_back(s.text);
    });
    Grab(&list);
    // A click on an empty row stays on the list.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 32, 130); });
    MenuUserWait(5);
    MenuUserDo([] { stayed = MenuViewTopTable() == StaffListTable && MenuOption == kScreenStaffList; });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 720, 545); });
    RunScreens({78});
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(emptyText, 424);
    // Each empty group names its own people: the support staff's line is
    // not the player profile's "on international duty".
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_NE(messages[0].find("coaching staff"), std::string::npos) << messages[0];
    EXPECT_NE(messages[1].find("support staff"), std::string::npos) << messages[1];
    EXPECT_NE(messages[2].find("applicants"), std::string::npos) << messages[2];
    ASSERT_EQ(list.size(), 800u * 600u);
    EXPECT_GT(InkInBox(list, 250, 172, 300, 16), 20);  // text 424

    // Screen 79 without a member: text 424 and the back icon only.
    MenuOption = kScreenStaffMember;
    testenv::MenuUserWaitFor(TableUp(StaffMemberTable), 3000);
    MenuUserDo([] {
        for (const MenuHotItem& item : MenuViewHotItems()) {
            anyButton = anyButton || item.y == 450;
            backIcon = backIcon || ItemAt(item, 743, 559);
        }
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 743, 559); });
    RunScreens({79});
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_FALSE(anyButton);
    EXPECT_TRUE(backIcon);
}

TEST_F(StaffScreensTest, FitnessListsFromTheMemberScreenAndBack) {
    HireStaff();
    CurrentStaffRecord = &ClubStaff[0];
    static int16_t returnOption = 0, previousOnList = 0;
    static std::string postA, postB;
    static bool backOnMember = false;
    MenuOption = kScreenStaffMember;
    testenv::MenuUserWaitFor(TableUp(StaffMemberTable), 3000);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 280, 450); });
    testenv::MenuUserWaitFor(TableUp(FitnessListsTable), 3000);
    MenuUserDo([] {
        returnOption = FitnessReturnOption;
        postA = Fitness_PostLine(0);
        postB = Fitness_PostLine(1);
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 570, 436); });
    MenuUserWait(10);
    testenv::MenuUserWaitFor(TableUp(StaffMemberTable), 3000);
    MenuUserWait(5);
    MenuUserDo([] { backOnMember = StaffMember_Shown() == &ClubStaff[0]; });
    // Again, and on to the staff list with the club screen as the one before.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 280, 450); });
    testenv::MenuUserWaitFor(TableUp(FitnessListsTable), 3000);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 384, 440); });
    testenv::MenuUserWaitFor(TableUp(StaffListTable), 3000);
    MenuUserDo([] { previousOnList = PreviousMenuOption; });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 720, 545); });
    RunScreens({78, 79});
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(returnOption, kScreenStaffMember);
    EXPECT_TRUE(backOnMember);
    EXPECT_EQ(previousOnList, 3);
    EXPECT_EQ(FitnessReturnOption, -1);
    EXPECT_EQ(postA, "E.Physio");
    EXPECT_EQ(postB, GetText(1248));
}

TEST_F(StaffScreensTest, FitnessListMembershipAndPagingOverTheClubsPlayers) {
    HVW_BuildSquadList(user_);
    std::vector<uint16_t> squad;
    for (uint16_t player : FirstTeamList.players)
        if (player != 0) squad.push_back(player);
    ASSERT_GE(squad.size(), 8u);
    std::vector<std::pair<int16_t, int16_t>> kept;
    for (uint16_t player : squad) {
        kept.emplace_back(int16_t(GetPlayerIT(player)), int16_t(GetPlayerFitness(player)));
        SetPlayerIT(player, 0);
        SetPlayerFitness(player, 60);
    }
    SetPlayerIT(squad[0], 1);  // IT 1, not under care, fully fit: in neither list
    SetPlayerIT(squad[1], 1);
    SetPlayerFitness(squad[1], 48);  // 80 %: list B
    for (int i = 2; i < 7; ++i) SetPlayerIT(squad[size_t(i)], 2);
    SelectedClub = uint16_t(user_);
    Fitness_BuildLists();
    SetMenuFirstEntry(0);
    FitnessMenuProc();
    EXPECT_FALSE(Fitness_InListA(squad[0]));
    EXPECT_FALSE(Fitness_InListB(squad[0]));
    EXPECT_TRUE(Fitness_InListB(squad[1]));
    EXPECT_EQ(FitnessListA.count, 5);
    EXPECT_EQ(FitnessListB.count, 1);
    EXPECT_EQ(FitnessListB.players[0], squad[1]);
    EXPECT_EQ(Fitness_PagingIcon(0), 0);
    Fitness_PageDownA(nullptr);
    EXPECT_EQ(FitnessListA.start, 0);
    const FitnessRowView row = Fitness_RowView(0, 0);
    EXPECT_EQ(row.itText, 202);
    EXPECT_EQ(Fitness_RowView(1, 0).fitness, 80);
    EXPECT_EQ(Fitness_EmptyText(0), -1);
    // A sixth: the paging icon, and one step down.
    SetPlayerIT(squad[7], 3);
    Fitness_BuildLists();
    FitnessMenuProc();
    EXPECT_EQ(FitnessListA.count, 6);
    EXPECT_EQ(Fitness_PagingIcon(0), 154);
    Fitness_PageDownA(nullptr);
    Fitness_PageDownA(nullptr);
    EXPECT_EQ(FitnessListA.start, 1);
    for (size_t i = 0; i < squad.size(); ++i) {
        SetPlayerIT(squad[i], kept[i].first);
        SetPlayerFitness(squad[i], kept[i].second);
    }
}

TEST_F(StaffScreensTest, DrillChartGrabShowsTheAxesAndTheFirstSeries) {
    HireStaff();
    CurrentStaffRecord = &ClubStaff[0];
    static std::vector<uint32_t> grab;
    static uint16_t chosen = 0;
    MenuOption = kScreenStaffMember;
    testenv::MenuUserWaitFor(TableUp(StaffMemberTable), 3000);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 528, 450); });
    testenv::MenuUserWaitFor(TableUp(DrillChartTable), 3000);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 490, 70); });
    MenuUserWait(5);
    MenuUserDo([] { chosen = Drill.players[0]; });
    Grab(&grab);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 570, 436); });
    RunScreens({79});
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(SelectedClub, uint16_t(user_));
    ASSERT_NE(chosen, 0);
    EXPECT_EQ(chosen, Drill.squad[0]);
    ASSERT_EQ(grab.size(), 800u * 600u);
    const auto at = [](int x, int y) { return grab[size_t(y) * 800 + size_t(x)]; };
    EXPECT_EQ(at(70, 200), 0xFFFFFFu);
    EXPECT_EQ(at(440, 200), 0xFFFFFFu);
    EXPECT_EQ(at(200, 330), 0xFFFFFFu);
    EXPECT_EQ(at(45, 380), testenv::GrabColour(Drill_BrightColour(0)));
    EXPECT_EQ(at(45, 381), testenv::GrabColour(Drill_SeriesColour(0)));
    int seriesPixels = 0;
    for (int y = 80; y < 330; ++y)
        for (int x = 71; x < 440; ++x)
            seriesPixels += at(x, y) == testenv::GrabColour(Drill_SeriesColour(0)) ? 1 : 0;
    EXPECT_GT(seriesPixels, 50);
}

}  // namespace
