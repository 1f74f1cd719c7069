// The filtered squad list and the player-search filters over one new-game
// world per test: the rows against the filter's own test, the side panel's
// drags, sorting, paging, the flag and preset pop-ups, shirt swaps; the
// filter record's edge cases; and a preset named with the keyboard and an
// edited tactic surviving a save and a load.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/club/tactics.h"
#include "core/query/fields.h"
#include "core/query/people.h"
#include "core/records/blockfiles.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/season/leagues.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/screentables.h"
#include "game/screens/engine/textentry.h"
#include "game/screens/squad/filteredlist.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/searchfilter.h"
#include "game/screens/squad/teamselect.h"
#include "tests/fakes/kept_new_game.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

bool g_filteredWorldReady = false;
std::string g_filteredWorldError;

void FilteredListNewWorld() {
    g_filteredWorldError = testenv::KeptNewGame(testenv::kScreenWorldSeed);
    g_filteredWorldReady = g_filteredWorldError.empty();
}

class FilteredListTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        FilteredListNewWorld();
        if (!g_filteredWorldReady) GTEST_FAIL() << g_filteredWorldError;
        MenuEngineTest::SetUp();
        if (!started_) return;
        user_ = int16_t(DivisionClubLists[0][2][0]);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        SearchFilter_InitAll();
        SearchFilter_Reset(&ListSearchFilter);
        SetFilteredListDefaults();
        PanelLimitView = 1;
        FilteredList_Enter();
        FilteredSquadListMenu();
    }
    void TearDown() override {
        if (g_filteredWorldReady) {
            SetClubControl(user_, 0);
            SetPlayerClub(1, int16_t(kNoClub));
        }
        MenuEngineTest::TearDown();
    }
    // The candidates the filter's own test passes, in candidate order.
    static std::vector<uint16_t> Passing() {
        std::vector<uint16_t> out;
        for (int i = 0; i < OwnSquadCandidateCount; ++i)
            if (SearchFilter_MatchPlayer(OwnSquadCandidates[i], &ListSearchFilter, 1) != 0)
                out.push_back(OwnSquadCandidates[i]);
        return out;
    }
    static std::vector<uint16_t> Rows() { return {FilteredPlayers, FilteredPlayers + FilteredCount}; }
    static bool SameSet(std::vector<uint16_t> a, std::vector<uint16_t> b) {
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        return a == b;
    }
    // A drag on the panel's attribute row from the bar's left end to x.
    static void PanelDrag(int row, int x, int button = 1) {
        const int y = 109 + row * 20 + 9;
        FilterPanelMouse(640, y, 0);  // a press is the button seen going down
        FilterPanelMouse(640, y, button);
        FilterPanelMouse(x, y, button);
        FilterPanelMouse(x, y, 0);
    }
    int16_t user_ = -1;
};

TEST_F(FilteredListTest, RowsFollowTheFilterThePanelSortsPagesAndPopups) {
    // Every candidate plays for the user's club.
    ASSERT_GT(OwnSquadCandidateCount, 18);
    for (int i = 0; i < OwnSquadCandidateCount; ++i)
        EXPECT_EQ(HVW_GetPlayerClub(OwnSquadCandidates[i]), user_);
    EXPECT_TRUE(SameSet(Rows(), Passing()));
    EXPECT_TRUE(FilteredList_NoActiveAttribute());
    EXPECT_EQ(FilteredList_HeadingText(0), -1);

    // Paging over more than 18 rows stops at the last full page.
    FilteredList_PageDown(nullptr);
    EXPECT_EQ(ListTop, std::min(18, FilteredCount - 18));
    FilteredList_PageUp(nullptr);
    EXPECT_EQ(ListTop, 0);
    FilteredList_PageDown(nullptr);

    // A drag to x 683 on the third bar sets tackling's minimum to 49.
    PanelDrag(2, 683);
    EXPECT_EQ(SearchAttr_GetMin(2, &ListSearchFilter), 49);
    EXPECT_EQ(FilterDirty, 1u);
    EXPECT_EQ(PanelDirty, 1u);
    EXPECT_EQ(PanelDragRow, kNoPanelRow);
    FilteredSquadListMenu();
    ASSERT_FALSE(FilteredList_NoActiveAttribute());
    EXPECT_EQ(FilteredList_HeadingText(0), 43);
    EXPECT_EQ(FilteredList_HeadingText(1), -1);
    // The list's own mode tests positions, settings and lists only: the
    // limits choose the columns and the order, larger values first.
    EXPECT_TRUE(SameSet(Rows(), Passing()));
    EXPECT_EQ(FilteredCount, OwnSquadCandidateCount);
    for (int i = 1; i < FilteredCount; ++i)
        EXPECT_GE(HVW_GetPlayerStat(FilteredPlayers[i - 1], 2), HVW_GetPlayerStat(FilteredPlayers[i], 2));
    // Keepers only: the list shrinks below the page shown, which comes back.
    ASSERT_GT(ListTop, 0);
    FilteredList_FlagChoice(0);
    FilteredSquadListMenu();
    ASSERT_LE(FilteredCount, 18);
    EXPECT_EQ(ListTop, 0);
    FilteredList_PageDown(nullptr);
    EXPECT_EQ(ListTop, 0);
    for (int i = 0; i < FilteredCount; ++i) EXPECT_EQ(HVW_GetPositionType(FilteredPlayers[i]), 0);
    FilteredList_FlagChoice(4);
    // Past the bar's ends: 0 and 100; the panel's last pixel row is the
    // last attribute.
    FilterPanelMouse(700, 509, 1);
    EXPECT_EQ(PanelDragRow, 19);
    FilterPanelMouse(900, 509, 1);
    EXPECT_EQ(SearchAttr_GetMin(19, &ListSearchFilter), 100);
    FilterPanelMouse(600, 509, 1);
    FilterPanelMouse(600, 509, 0);
    EXPECT_EQ(SearchAttr_GetMin(19, &ListSearchFilter), 0);
    // The other view of the panel sets weights.
    FilteredList_PresetAction(18);
    EXPECT_EQ(PanelLimitView, 0u);
    PanelDrag(5, 738, 2);  // either button drags
    EXPECT_EQ(SearchAttr_GetWeight(5, &ListSearchFilter), 100);
    EXPECT_EQ(SearchAttr_GetMin(5, &ListSearchFilter), 0);
    FilteredList_PresetAction(19);
    EXPECT_EQ(PanelLimitView, 1u);
    FilteredSquadListMenu();
    EXPECT_EQ(ActiveCount, 2);
    EXPECT_EQ(FilteredList_KindRight(nullptr), MENU_CONTINUE);  // five or fewer: no scrolling

    // Six active kinds scroll by one and stop at the last five.
    for (int kind = 6; kind < 10; ++kind) SearchAttr_SetLimit(1, int16_t(kind), &ListSearchFilter, 2);
    FilteredSquadListMenu();
    ASSERT_EQ(ActiveCount, 6);
    FilteredList_KindRight(nullptr);
    FilteredList_KindRight(nullptr);
    EXPECT_EQ(KindTop, 1);
    FilteredList_KindLeft(nullptr);
    EXPECT_EQ(KindTop, 0);

    // Clear limits: everybody back, sorted by age when asked.
    FilteredList_PresetAction(21);
    EXPECT_EQ(FilterDirty, 1u);
    FilteredList_ChooseSort(1);
    FilteredSquadListMenu();
    EXPECT_EQ(ActiveCount, 0);
    EXPECT_TRUE(SameSet(Rows(), Passing()));
    EXPECT_EQ(FilteredCount, int16_t(Passing().size()));
    for (int i = 1; i < FilteredCount; ++i)
        EXPECT_GE(HVW_GetPlayerAge(FilteredPlayers[i - 1]), HVW_GetPlayerAge(FilteredPlayers[i]));

    // A preset stored with forwards only and loaded again: rebuilt and
    // re-sorted on the next walk.
    FilteredList_FlagChoice(3);
    SearchPresetIndex = 3;
    SearchFilterCurrent = &ListSearchFilter;
    SearchFilter_StoreOnConfirm(2);
    FilteredList_PresetAction(20);  // reset
    FilteredSquadListMenu();
    const int16_t everybody = FilteredCount;
    EXPECT_EQ(FilteredList_PresetAction(9 + 3), MENU_REDRAW);
    EXPECT_EQ(FilterDirty, 1u);
    FilteredSquadListMenu();
    EXPECT_EQ(FilterDirty, 0u);
    EXPECT_EQ(SortPending, 0);
    EXPECT_LT(FilteredCount, everybody);
    EXPECT_TRUE(SameSet(Rows(), Passing()));
    for (int i = 0; i < FilteredCount; ++i) EXPECT_EQ(HVW_GetPositionType(FilteredPlayers[i]), 3);
    FilteredList_PresetAction(20);
    FilteredSquadListMenu();
    EXPECT_EQ(FilteredCount, everybody);

    // Positions: one chosen while all are on keeps only it.
    FilteredList_FlagChoice(0);
    FilteredSquadListMenu();
    ASSERT_GT(FilteredCount, 0);
    for (int i = 0; i < FilteredCount; ++i) EXPECT_EQ(HVW_GetPositionType(FilteredPlayers[i]), 0);
    FilteredList_FlagChoice(4);
    // The team list left out.
    FilteredList_FlagChoice(12);
    FilteredSquadListMenu();
    HVW_BuildSquadList(user_);
    for (int i = 0; i < FilteredCount; ++i) {
        EXPECT_EQ(
            std::count(FirstTeamList.players, FirstTeamList.players + kSquadListSize, FilteredPlayers[i]), 0);
    }
    FilteredList_FlagChoice(12);
    // Sides: asking for one clears "no preference"; "no preference" clears them.
    FilteredList_FlagChoice(7);
    EXPECT_EQ(SearchFilter_Flag(ListSearchFilter, kFilterSettingAny), 0u);
    EXPECT_EQ(SearchFilter_Flag(ListSearchFilter, kFilterSettingRequired, 1), 1u);
    FilteredList_FlagChoice(10);
    EXPECT_EQ(SearchFilter_Flag(ListSearchFilter, kFilterSettingAny), 1u);
    EXPECT_EQ(SearchFilter_Flag(ListSearchFilter, kFilterSettingRequired, 1), 0u);

    // Two clicks swap the shirts of their lists; the second button opens
    // the profile.
    FilteredList_ChooseSort(0);
    FilteredSquadListMenu();
    const uint16_t a = FilteredPlayers[ListTop], b = FilteredPlayers[ListTop + 1];
    const bool aSecond = GetPlayerFlag107(a) != 0, bSecond = GetPlayerFlag107(b) != 0;
    const int16_t sa = aSecond ? HVW_GetPlayerIntShirt(a) : HVW_GetPlayerShirt(a);
    const int16_t sb = bSecond ? HVW_GetPlayerIntShirt(b) : HVW_GetPlayerShirt(b);
    EXPECT_EQ(FilteredList_RowClick(0, false), MENU_REDRAW);
    EXPECT_EQ(FilteredPick, a);
    FilteredSquadListMenu();
    EXPECT_EQ(FilteredRowColour[0], 1);
    FilteredList_RowClick(1, false);
    EXPECT_EQ(aSecond ? HVW_GetPlayerIntShirt(a) : HVW_GetPlayerShirt(a), sb);
    EXPECT_EQ(bSecond ? HVW_GetPlayerIntShirt(b) : HVW_GetPlayerShirt(b), sa);
    EXPECT_EQ(FilteredList_RowClick(0, true), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    EXPECT_EQ(ReturnMenuOption, kScreenFilteredSquadList);
}

TEST_F(FilteredListTest, TheFilterRecordsEdgeCases) {
    SearchFilterPreset f;
    SearchFilter_Reset(&f);
    // Kind 20 has no limits: reads -1, writes ignored.
    EXPECT_EQ(SearchAttr_GetMin(20, &f), -1);
    EXPECT_EQ(SearchAttr_GetWeight(20, &f), -1);
    SearchAttr_SetLimit(50, 20, &f, 1);
    EXPECT_EQ(SearchAttr_GetMin(20, &f), -1);
    EXPECT_EQ(SearchAttr_GetNameText(61, 7), 7);
    EXPECT_EQ(SearchAttr_GetNameText(589, 7), 397);
    // A player of another club at exactly the age band's ends passes the
    // full test; one year outside fails.
    const uint16_t p = uint16_t(FirstTeamList.players[0]);
    HVW_BuildSquadList(int16_t(DivisionClubLists[0][0][0]));
    const uint16_t other = FirstTeamList.players[0];
    ASSERT_NE(other, 0);
    (void)p;
    const int16_t age = HVW_GetPlayerAge(other);
    recbits::StoreI16(f.bytes + 32, age);
    recbits::StoreI16(f.bytes + 34, age);
    for (int i = 0; i < 9; ++i) SearchFilter_SetFlag(f, kFilterPlaceFlags, i, 1);
    recbits::StoreI32(f.bytes + 140, 0x7FFFFFFF);
    recbits::StoreI32(f.bytes + 144, 0x7FFFFFFF);
    SearchFilter_SetFlag(f, kFilterIncludeFlag119, 0, 1);
    EXPECT_EQ(SearchFilter_MatchPlayer(other, &f, 0), 1);
    recbits::StoreI16(f.bytes + 32, int16_t(age + 1));
    recbits::StoreI16(f.bytes + 34, int16_t(age + 1));
    EXPECT_EQ(SearchFilter_MatchPlayer(other, &f, 0), 0);
    // The user's own player with ownClub 1 passes whatever his age.
    SearchFilter_SetFlag(f, kFilterOwnClub, 0, 1);
    const uint16_t mine = OwnSquadCandidates[0];
    EXPECT_EQ(SearchFilter_MatchPlayer(mine, &f, 0), 1);
    SearchFilter_SetFlag(f, kFilterOwnClub, 0, 0);
    EXPECT_EQ(SearchFilter_MatchPlayer(mine, &f, 0), 0);
    // Scores: every weight 0 gives 0; one weight counts its column.
    SearchFilter_Reset(&PlayerSearchFilterRecord());
    EXPECT_EQ(SearchFilter_Score(other), 0);
    SearchAttr_SetLimit(100, 3, &PlayerSearchFilterRecord(), 2);
    EXPECT_EQ(SearchFilter_Score(other), HVW_GetPlayerStat(other, 3));
    // A stored filter sorted by a column loads with sort column 0.
    SearchFilter_SetSortColumn(ListSearchFilter, 5);
    SearchFilterCurrent = &ListSearchFilter;
    SearchPresetIndex = 1;
    SearchFilter_StoreOnConfirm(2);
    SearchFilter_Load(1);
    EXPECT_EQ(SearchFilter_SortColumn(ListSearchFilter), 0);
    // Only choice 2 stores.
    SearchAttr_SetLimit(77, 4, &ListSearchFilter, 1);
    SearchFilter_StoreOnConfirm(0);
    EXPECT_EQ(SearchAttr_GetMin(4, &SearchPreset(1)), 0);
    // The value lookup by label: money and text answers with their markers.
    SelectedPlayer = int16_t(other);
    uint16_t text = 0;
    int32_t money = 0;
    EXPECT_EQ(AttributeValueByLabel(240, &text, &money), kAttributeNoNumber);
    EXPECT_EQ(money, HVW_GetPlayerWage(other));
    EXPECT_EQ(text, kAttributeNoText);
    SetPlayerTxList(other, 1);
    SetPlayerLoanList(other, 1);
    EXPECT_EQ(AttributeValueByLabel(71, &text, &money), kAttributeNoNumber);
    EXPECT_EQ(text, 1809);
    EXPECT_EQ(money, kAttributeNoMoney);
    SelectedPlayer = 0;
    AttributeValueByLabel(86, &text, &money);
    EXPECT_EQ(money, kAttributeNoMoney);
    EXPECT_EQ(AttributeValueByLabel(kHiddenAttributeLabel, &text, &money), kAttributeNoNumber);
    EXPECT_EQ(text, 125);
}

TEST_F(FilteredListTest, ANamedPresetAndAnEditedTacticSurviveASaveAndALoad) {
    // The preset pop-up's first row names preset 0; 31 letters ring the
    // bell once the 30th is in.
    MenuOption = kScreenFilteredSquadList;
    testenv::MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == FilteredSquadListTable && !MenuViewHotItems().empty() &&
                   ScreenPresented == 1;
        },
        3000);
    testenv::MenuUserWait(5);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 510 && item.y == 559; });
    testenv::MenuUserWait(5);
    testenv::MenuUserClickPopupRow(0);
    testenv::MenuUserWaitFor([] { return IsTextInputActive() != 0; }, 200);
    for (int i = 0; i < 40; ++i) testenv::MenuUserKey(0x0E);  // backspace over the old name
    testenv::MenuUserKey(0x11);                               // w
    for (int i = 0; i < 30; ++i) testenv::MenuUserKey(0x1E);  // a
    testenv::MenuUserKey(0x1C);                               // Enter
    testenv::MenuUserWaitFor([] { return IsTextInputActive() == 0; }, 200);
    testenv::MenuUserWait(5);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    int rounds = 0;
    while (MenuOption == kScreenFilteredSquadList && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    const std::string named = SearchPresetName(0);
    EXPECT_EQ(named, "w" + std::string(29, 'a'));

    // An edited tactic in the team's edit slot.
    SquadListSecond = 0;
    InitCustomTactics();
    TeamSelect_Enter();
    TeamSelectMenu();
    TeamSelect_CycleA(4);
    ASSERT_EQ(CurrentTacticB, 21);
    const TacticRecord edited = *GetTacticRecordB(21);

    ASSERT_EQ(SaveGame(1), 0);
    std::snprintf(SearchPresetName(0), kSearchPresetNameSize, "%s", "lost");
    CurrentTacticB = 0;
    GetComputerTactics(GetTacticRecordB(21), 2);
    ASSERT_EQ(LoadGame(1), 0);
    EXPECT_EQ(std::string(SearchPresetName(0)), named);
    EXPECT_EQ(CurrentTacticB, 21);
    EXPECT_EQ(std::memcmp(GetTacticRecordB(21)->bytes, edited.bytes, kTacticRecordSize), 0);
}

}  // namespace
