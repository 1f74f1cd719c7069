// The player search, the shortlist and scout report screen and the career
// history over one shared new-game world: the search driven by the scripted
// user from the title bar (a grab, the age band, a dragged minimum, a
// weight, a named preset stored and loaded, the profile and back); the
// search's edge cases; the shortlist's rows and removal, the scout view of
// a prepared region; the career's rows, totals, scrolling and back rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/club/scouting.h"
#include "core/club/shortlist.h"
#include "core/query/codetexts.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/leagueplaces.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/leagues.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/textentry.h"
#include "game/screens/squad/careerhistory.h"
#include "game/screens/squad/playercolumn.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/searchfilter.h"
#include "game/screens/start/startmenu.h"
#include "game/screens/transfers/playersearch.h"
#include "game/screens/transfers/scouting.h"
#include "game/screens/transfers/shortlistscreen.h"
#include "tests/fakes/menu_env.h"
#include "tests/game/screens/engine_fixture.h"
#include "tests/game/screens/shared_world.h"

namespace {

using testenv::MenuUserClickAt;
using testenv::MenuUserClickItem;
using testenv::MenuUserDo;
using testenv::MenuUserWait;
using testenv::MenuUserWaitFor;

size_t DistinctColours(const std::vector<uint32_t>& grab, int x, int y, int w, int h) {
    std::set<uint32_t> colours;
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col) colours.insert(grab[size_t(row) * 800 + size_t(col)]);
    return colours.size();
}

// The search screen walked (its own items collected) and presented.
bool SearchUp() {
    if (MenuViewTopTable() != PlayerSearchTable || ScreenPresented != 1) return false;
    for (const MenuHotItem& item : MenuViewHotItems())
        if (item.handler == PlayerSearch_PageUp) return true;
    return false;
}

std::vector<uint16_t> Results() { return {SearchResults, SearchResults + SearchResultCount}; }

class PlayerSearchTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        static testenv::SharedNewWorld world;
        testenv::StartFromNewWorld(world, testenv::kScreenWorldSeed);
        if (!world.ready) GTEST_FAIL() << world.error;
        MenuEngineTest::SetUp();
        if (!started_) return;
        BuildNameTables();
        user_ = int16_t(DivisionClubLists[0][1][0]);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        SelectedClub = uint16_t(user_);
        MenuCurrentPlayer = 1;
        SearchFilter_InitAll();
        SearchFilter_Reset(&PlayerSearchFilterRecord());
        SearchMenu_InitState();
        ShortlistScreen_Reset();
        ShortList_Clear();
        ScoutViewFlag = 0;
    }
    void TearDown() override {
        if (started_) {
            ShortList_Clear();
            ScoutViewFlag = 0;
            SetClubControl(user_, 0);
            SetPlayerClub(1, int16_t(kNoClub));
        }
        MenuEngineTest::TearDown();
    }
    static SearchFilterPreset& Filter() { return PlayerSearchFilterRecord(); }
    // The screen's walk as the engine makes it, first or later.
    static void Walk(bool first) {
        SetMenuFirstEntry(first ? 1 : 0);
        SearchResultsMenuProc();
        SetMenuFirstEntry(0);
    }
    // A drag on an attribute bar from its left end to x.
    static void Drag(int16_t kind, bool minimum, int x) {
        const int y = 161 + 18 * kind + 8;
        const int start = minimum ? 590 : 688;
        PlayerSearch_BarMouse(start, y, 1);
        PlayerSearch_BarMouse(x, y, 1);
        PlayerSearch_BarMouse(x, y, 0);
    }
    int16_t user_ = -1;
};

TEST_F(PlayerSearchTest, FromTheTitleBarTheFilterRanksStoresLoadsAndOpensTheProfile) {
    constexpr int16_t kKind = 3;
    static std::vector<uint32_t> grab;
    static std::vector<uint16_t> aged, dragged, weighted, loaded;
    static int32_t firstCount = 0, topBeforeProfile = -1;
    static std::string budget, pageAfterDrag, pageExpected;
    static uint16_t sortAfterLoad = 99, sortBeforeLoad = 99, opened = 0;
    static int16_t minAfterLoad = -1, profileOption = -1, cancelledMin = -1;
    static std::string cancelledName;
    static std::vector<uint32_t> naming;
    MenuOption = kScreenClubMain;
    ScreenPresented = 0;
    MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == ClubMainTable && !MenuViewHotItems().empty() && ScreenPresented == 1;
        },
        3000);
    MenuUserWait(5);
    // "Player Search" is the ninth entry of the title bar's club list.
    MenuUserClickItem([](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171; });
    MenuUserWait(15);
    testenv::MenuUserClickPopupRow(8);
    MenuUserWaitFor(SearchUp, 3000);
    MenuUserWait(5);
    testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
    MenuUserWait(3);
    MenuUserDo([] {
        grab = testenv::NewestGrabPixels();
        firstCount = SearchResultCount;
        budget = PlayerSearch_WageBudgetText();
    });
    // The ages pop-up: "16-20".
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 60 && item.y == 559; });
    MenuUserWait(8);
    testenv::MenuUserClickPopupRow(13);
    MenuUserWait(8);
    MenuUserDo([] { aged = Results(); });
    // A drag of one attribute's minimum bar to 50, then a weight.
    testenv::MenuUserMoveTo(590, 161 + 18 * kKind + 8);
    MenuUserWait(2);
    testenv::MenuUserPress(0);
    MenuUserWait(2);
    testenv::MenuUserMoveTo(587 + 48, 161 + 18 * kKind + 8);
    MenuUserWait(3);
    testenv::MenuUserRelease(0);
    MenuUserWait(8);
    MenuUserDo([] {
        dragged = Results();
        pageAfterDrag = PlayerSearch_PageText();
        pageExpected = std::string(GetText(430)) + " 1/" + std::to_string(SearchResultCount / 16 + 1);
    });
    testenv::MenuUserMoveTo(690, 161 + 18 * 6 + 8);
    MenuUserWait(2);
    testenv::MenuUserPress(0);
    MenuUserWait(2);
    testenv::MenuUserMoveTo(790, 161 + 18 * 6 + 8);
    MenuUserWait(3);
    testenv::MenuUserRelease(0);
    MenuUserWait(8);
    MenuUserDo([] { weighted = Results(); });
    // Store under a typed name, reset, sort by a column, then load.
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 573 && item.y == 559; });
    MenuUserWait(8);
    testenv::MenuUserClickPopupRow(2);
    MenuUserWaitFor([] { return IsTextInputActive() != 0; }, 200);
    for (int i = 0; i < 40; ++i) testenv::MenuUserKey(0x0E);
    testenv::MenuUserKey(0x1F);  // s
    testenv::MenuUserKey(0x1E);  // a
    MenuUserWait(3);
    MenuUserDo([] { naming = testenv::GrabBack().pixels; });
    testenv::MenuUserKey(0x1C);  // Enter
    MenuUserWaitFor([] { return IsTextInputActive() == 0; }, 200);
    MenuUserWait(5);
    // A name typed for preset 1 and cancelled stores and renames nothing.
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 573 && item.y == 559; });
    MenuUserWait(8);
    testenv::MenuUserClickPopupRow(1);
    MenuUserWaitFor([] { return IsTextInputActive() != 0; }, 200);
    testenv::MenuUserKey(0x2D);  // x
    testenv::MenuUserKey(0x01);  // Escape
    MenuUserWaitFor([] { return IsTextInputActive() == 0; }, 200);
    MenuUserWait(5);
    MenuUserDo([] {
        cancelledName = SearchPresetName(1);
        cancelledMin = SearchAttr_GetMin(kKind, &SearchPreset(1));
    });
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 573 && item.y == 559; });
    MenuUserWait(8);
    testenv::MenuUserClickPopupRow(20);
    MenuUserWait(8);
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 402 && item.y == 559; });
    MenuUserWait(8);
    testenv::MenuUserClickPopupRow(3);
    MenuUserWait(8);
    MenuUserDo([] { sortBeforeLoad = SearchFilter_SortColumn(Filter()); });
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 573 && item.y == 559; });
    MenuUserWait(8);
    testenv::MenuUserClickPopupRow(9 + 2);
    MenuUserWait(8);
    MenuUserDo([] {
        loaded = Results();
        sortAfterLoad = SearchFilter_SortColumn(Filter());
        minAfterLoad = SearchAttr_GetMin(kKind, &Filter());
    });
    // A page down, a right click on the second name, and back.
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 20 && item.y == 573; });
    MenuUserWait(5);
    MenuUserDo([] {
        topBeforeProfile = SearchTopRow;
        opened = PlayerSearch_Row(1).player;
    });
    testenv::MenuUserRightClickAt(60, 118 + 22 + 11);
    MenuUserWaitFor(
        [] {
            return MenuViewTopTable() == PlayerStatsTable && !MenuViewHotItems().empty() &&
                   ScreenPresented == 1;
        },
        3000);
    MenuUserWait(5);
    MenuUserDo([] { profileOption = SelectedPlayer; });
    MenuUserClickItem([](const MenuHotItem& item) { return item.handler == PlayerProfile_Back; });
    MenuUserWaitFor(SearchUp, 3000);
    MenuUserWait(5);
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    int rounds = 0;
    while (!WinCloseRequested() && ++rounds < 8 && (rounds == 1 || MenuOption != kScreenClubMain))
        DoMainMenuOption();
    ASSERT_FALSE(WinCloseRequested());

    // The grab shows the rows and the wage budget.
    ASSERT_EQ(grab.size(), 800u * 600u);
    EXPECT_GT(firstCount, kSearchPageRows);
    EXPECT_GT(DistinctColours(grab, 22, 120, 178, 18), 8u) << "the first name band";
    EXPECT_GT(DistinctColours(grab, 250, 120, 160, 18), 2u) << "the first row's club";
    EXPECT_GT(DistinctColours(grab, 600, 112, 140, 14), 2u) << "the wage budget";
    EXPECT_FALSE(budget.empty());
    // Only players aged 16-20.
    ASSERT_FALSE(aged.empty());
    for (uint16_t p : aged) EXPECT_TRUE(HVW_GetPlayerAge(p) >= 16 && HVW_GetPlayerAge(p) <= 20) << p;
    // A minimum of 50 keeps only those reaching it, and the page text follows.
    ASSERT_FALSE(dragged.empty());
    EXPECT_LT(dragged.size(), aged.size());
    for (uint16_t p : dragged) EXPECT_GE(SearchAttr_GetPlayerValue(kKind, p), 50) << p;
    EXPECT_EQ(pageAfterDrag, pageExpected);
    // The weight orders by score, equal scores by player number.
    ASSERT_EQ(weighted.size(), dragged.size());
    for (size_t i = 1; i < weighted.size(); ++i) {
        const int32_t a = SearchFilter_Score(weighted[i - 1]), b = SearchFilter_Score(weighted[i]);
        EXPECT_TRUE(a > b || (a == b && weighted[i - 1] < weighted[i])) << i;
    }
    // While the name is typed the naming box stands over the screen, with
    // its prompt.
    ASSERT_EQ(naming.size(), 800u * 600u);
    ShowMenuBackground(4);
    const testenv::LettersFound prompt = testenv::LettersInGrab(naming, 100, 160, 540, 200, [] {
        SetFont(14);
        SetDrawParam(1, 0);
        DrawTextNoAt(320, 180, 719, JUSTIFY_CENTRE_MIDDLE);
    });
    EXPECT_GT(prompt.letters, 50);
    EXPECT_EQ(std::max(prompt.same, prompt.sameSwapped), prompt.letters);
    // The stored filter comes back, sorted by the score.
    EXPECT_EQ(std::string(SearchPresetName(2)), "sa");
    EXPECT_EQ(cancelledName, std::string(GetText(1660)) + " 1");
    EXPECT_EQ(cancelledMin, 0);
    EXPECT_EQ(minAfterLoad, 50);
    EXPECT_EQ(sortBeforeLoad, 3);
    EXPECT_EQ(sortAfterLoad, 0);
    EXPECT_EQ(loaded, weighted);
    // The profile opened for the row's player, and back kept the page.
    EXPECT_NE(opened, 0);
    EXPECT_EQ(profileOption, int16_t(opened));
    EXPECT_EQ(topBeforeProfile, std::min<int32_t>(16, std::max(0, int32_t(loaded.size()) - 16)));
    EXPECT_EQ(SearchTopRow, topBeforeProfile);
}

TEST_F(PlayerSearchTest, CandidatesBoundariesPagesAndThePopups) {
    Walk(true);
    // Candidates scan players 1 to the count less one.
    ASSERT_GT(SearchCandidateCount, 0);
    EXPECT_LE(SearchCandidateCount, int32_t(PlayerCount) - 1);
    EXPECT_EQ(std::count(SearchCandidates, SearchCandidates + SearchCandidateCount, 0), 0);
    EXPECT_EQ(
        SearchResultCount,
        int32_t(std::count_if(SearchCandidates, SearchCandidates + SearchCandidateCount,
                              [](uint16_t p) { return SearchFilter_MatchPlayer(p, &Filter(), 0) != 0; })));
    // A player exactly at the age band's ends and the money ceilings passes.
    const uint16_t p = SearchResults[0];
    SearchFilter_SetAges(Filter(), HVW_GetPlayerAge(p), HVW_GetPlayerAge(p));
    SearchFilter_SetMaxWage(Filter(), HVW_GetPlayerWage(p));
    const int32_t price =
        HVW_GetPlayerManPriceRaw(p) != -1 ? HVW_GetPlayerManPriceRaw(p) : HVW_ValuePlayer(p);
    SearchFilter_SetMaxPrice(Filter(), price);
    EXPECT_EQ(SearchFilter_MatchPlayer(p, &Filter(), 0), 1);
    SearchFilter_SetMaxPrice(Filter(), price - 1);
    EXPECT_EQ(SearchFilter_MatchPlayer(p, &Filter(), 0), 0);
    SearchFilter_SetMaxPrice(Filter(), price);
    SearchFilter_SetMaxWage(Filter(), HVW_GetPlayerWage(p) - 1);
    EXPECT_EQ(SearchFilter_MatchPlayer(p, &Filter(), 0), 0);

    // None passing: every row hidden, page 1 of 1.
    SearchFilter_SetAges(Filter(), 60, 70);
    SearchDirty = 1;
    Walk(false);
    EXPECT_EQ(SearchResultCount, 0);
    for (int r = 0; r < kSearchPageRows; ++r) EXPECT_EQ(PlayerSearch_Row(r).player, 0) << r;
    EXPECT_EQ(std::string(PlayerSearch_PageText()), std::string(GetText(430)) + " 1/1");
    // Exactly 16: "1/2"; paging stays on the one page.
    SearchFilter_Reset(&Filter());
    SearchDirty = 1;
    Walk(false);
    ASSERT_GT(SearchResultCount, 16);
    const std::vector<uint16_t> all = Results();
    const std::vector<uint16_t> candidates(SearchCandidates, SearchCandidates + SearchCandidateCount);
    std::copy(all.begin(), all.begin() + 16, SearchCandidates);
    SearchCandidateCount = 16;
    SearchDirty = 1;
    Walk(false);
    EXPECT_EQ(std::string(PlayerSearch_PageText()), std::string(GetText(430)) + " 1/2");
    EXPECT_EQ(PlayerSearch_PageDown(nullptr), MENU_REDRAW);
    EXPECT_EQ(SearchTopRow, 0);
    for (int r = 0; r < kSearchPageRows; ++r) EXPECT_NE(PlayerSearch_Row(r).player, 0) << r;
    std::copy(candidates.begin(), candidates.end(), SearchCandidates);
    SearchCandidateCount = int32_t(candidates.size());

    // Positions: from all, a choice keeps only it; with three, it toggles off.
    EXPECT_EQ(PlayerSearch_ListA(1), MENU_REDRAW_ALSO);
    EXPECT_EQ(SearchFilter_Flag(Filter(), kFilterPositionAllowed, 0), 0u);
    EXPECT_EQ(SearchFilter_Flag(Filter(), kFilterPositionAllowed, 1), 1u);
    PlayerSearch_ListA(2);
    PlayerSearch_ListA(3);
    PlayerSearch_ListA(2);
    EXPECT_EQ(SearchFilter_Flag(Filter(), kFilterPositionAllowed, 2), 0u);
    EXPECT_EQ(SearchFilter_Flag(Filter(), kFilterPositionAllowed, 3), 1u);
    EXPECT_EQ(SearchDirty, 1u);
    Walk(false);
    for (uint16_t q : Results()) {
        const int16_t type = HVW_GetPositionType(q);
        EXPECT_TRUE(type == 1 || type == 3) << q;
    }
    EXPECT_EQ(PlayerSearch_ListA(5), MENU_KEEP_POPUP) << "a separator changes nothing";
    PlayerSearch_ListA(4);
    PlayerSearch_ListA(18);
    EXPECT_EQ(SearchFilter_AgeMin(Filter()), 30);
    EXPECT_EQ(SearchFilter_AgeMax(Filter()), 40);
    PlayerSearch_ListA(7);
    EXPECT_EQ(SearchFilter_Flag(Filter(), kFilterSettingAny), 0u);
    EXPECT_EQ(SearchFilter_Flag(Filter(), kFilterSettingRequired, 1), 1u);
    EXPECT_EQ(SearchFilter_Flag(Filter(), kFilterSettingRequired, 0), 0u) << "toggled from none";
    PlayerSearch_ListA(10);
    EXPECT_EQ(SearchFilter_Flag(Filter(), kFilterSettingAny), 1u);

    // The digits: the wage's tens from 5 to 95; the caps and the price.
    SearchFilter_SetMaxWage(Filter(), 5);
    PlayerSearch_WageDigit(3, false);
    EXPECT_EQ(SearchFilter_MaxWage(Filter()), 95);
    SearchFilter_SetMaxWage(Filter(), 95000);
    PlayerSearch_WageDigit(0, true);
    EXPECT_EQ(SearchFilter_MaxWage(Filter()), kSearchWageCap);
    SearchFilter_SetMaxPrice(Filter(), 95'000'000);
    PlayerSearch_PriceDigit(0, true);
    EXPECT_EQ(SearchFilter_MaxPrice(Filter()), kSearchPriceCap);
    PlayerSearch_PriceDigit(4, false);
    EXPECT_EQ(SearchFilter_MaxPrice(Filter()), kSearchPriceCap - 1000);
    SearchFilter_SetMaxPrice(Filter(), 1'000'000);
    PlayerSearch_PriceDigit(0, false);
    EXPECT_EQ(SearchFilter_MaxPrice(Filter()), 91'000'000);

    // Bars: a press outside changes nothing; past the right end gives 100;
    // the panel's last pixel row is the last attribute's.
    SearchFilter_Reset(&Filter());
    PlayerSearch_BarMouse(560, 200, 1);
    PlayerSearch_BarMouse(700, 200, 1);
    PlayerSearch_BarMouse(700, 200, 0);
    for (int16_t k = 0; k < kSearchLimitedKinds; ++k) {
        EXPECT_EQ(SearchAttr_GetMin(k, &Filter()), 0);
        EXPECT_EQ(SearchAttr_GetWeight(k, &Filter()), 0);
    }
    Drag(2, false, 795);
    EXPECT_EQ(SearchAttr_GetWeight(2, &Filter()), 100);
    PlayerSearch_BarMouse(600, 521, 1);
    EXPECT_EQ(PlayerSearch_DraggedKind(), 19);
    PlayerSearch_BarMouse(500, 521, 1);
    PlayerSearch_BarMouse(500, 521, 0);
    EXPECT_EQ(SearchAttr_GetMin(19, &Filter()), 0);
    EXPECT_EQ(PlayerSearch_DraggedKind(), -1);

    // The sort by a column: money keys, highest first, equal keys by number.
    SearchFilter_Reset(&Filter());
    SearchDirty = 1;
    Walk(false);
    EXPECT_EQ(PlayerSearch_ListC(3), MENU_REDRAW_ALSO);
    Walk(false);
    for (int32_t i = 1; i < SearchResultCount; ++i) {
        const uint16_t a = SearchResults[i - 1], b = SearchResults[i];
        EXPECT_TRUE(HVW_GetPlayerWage(a) > HVW_GetPlayerWage(b) ||
                    (HVW_GetPlayerWage(a) == HVW_GetPlayerWage(b) && a < b))
            << i;
        if (::testing::Test::HasFailure()) break;
    }
    EXPECT_EQ(SearchResults_Compare(SearchResults[0], SearchResults[SearchResultCount - 1]),
              HVW_GetPlayerWage(SearchResults[0]) > HVW_GetPlayerWage(SearchResults[SearchResultCount - 1])
                  ? -1
                  : 0);
    // Every weight 0: every score 0.
    EXPECT_EQ(SearchFilter_Score(SearchResults[0]), 0);

    // The name: without the second button a redraw; an empty row answers 1;
    // the extra columns show the wage as money.
    EXPECT_EQ(PlayerSearch_NameClick(0, 1), MENU_REDRAW);
    SelectedPlayer = int16_t(SearchResults[0]);
    char wage[32];
    PlayerSearch_FormatColumn(240, wage, sizeof wage);
    EXPECT_STREQ(PlayerSearch_Row(0).extra[0], wage);
    for (int r = 0; r < kSearchPageRows; ++r) {
        const int16_t club = HVW_GetPlayerClub(PlayerSearch_Row(r).player);
        EXPECT_EQ(PlayerSearch_Row(r).clubText, club >= 0 && club < kClubCount ? HVW_ClubTextId(club) : -1)
            << r;
    }
    EXPECT_EQ(PlayerSearch_ExtraHeading(0), 240);
    EXPECT_EQ(PlayerSearch_ExtraHeading(1), 86);
    PlayerSearch_ExtraColumn(1, 9);
    Walk(false);
    EXPECT_EQ(PlayerSearch_ExtraHeading(1), 494);
    EXPECT_EQ(std::string(PlayerSearch_Row(0).extra[1]),
              std::to_string(HVW_GetPlayerExperiencePercent(PlayerSearch_Row(0).player)));
    SearchFilter_SetAges(Filter(), 60, 70);
    SearchDirty = 1;
    Walk(false);
    EXPECT_EQ(PlayerSearch_NameClick(0, 2), MENU_CONTINUE);
    // The club view shows the club, the attribute view the chosen kinds.
    SearchFilter_Reset(&Filter());
    SearchAttr_SetLimit(10, 4, &Filter(), 2);
    SearchDirty = 1;
    Walk(false);
    EXPECT_EQ(PlayerSearch_ColumnLabel(), 173);
    EXPECT_EQ(PlayerSearch_Row(0).attributes[0][0], '\0');
    PlayerSearch_ColumnSet(1);
    Walk(false);
    EXPECT_EQ(PlayerSearch_ColumnLabel(), -1);
    EXPECT_EQ(PlayerSearch_Heading(0), SearchAttrKindTable[4]);
    EXPECT_EQ(PlayerSearch_Row(0).clubText, -1);
    EXPECT_EQ(std::string(PlayerSearch_Row(0).attributes[0]),
              std::to_string(SearchAttr_GetPlayerValue(4, PlayerSearch_Row(0).player)));
}

TEST_F(PlayerSearchTest, TheClubAndPlaceListFollowsTheNationsDivisions) {
    int16_t fourDivisions = -1;
    for (int16_t nation = 0; nation < 9 && fourDivisions < 0; ++nation)
        if (HVW_CountCompRounds2(nation) == 4) fourDivisions = nation;
    // A new game plays the shipped league layout, which has such nations.
    ASSERT_GE(fourDivisions, 0) << "no nation of four divisions";
    const int16_t club = int16_t(DivisionClubLists[fourDivisions][0][0]);
    SetPlayerClub(1, club);
    Walk(true);
    EXPECT_EQ(SearchDivisionCount, 4);
    // Division rows toggle their place flag; a row past them does nothing.
    EXPECT_EQ(PlayerSearch_ListB(11 + 3), MENU_REDRAW_ALSO);
    EXPECT_EQ(SearchFilter_Flag(Filter(), kFilterPlaceFlags, 3 + 3), 0u);
    EXPECT_EQ(PlayerSearch_ListB(11 + 4), MENU_KEEP_POPUP);
    EXPECT_EQ(SearchFilter_Flag(Filter(), kFilterPlaceFlags, 3 + 4), 1u);
    PlayerSearch_ListB(0);
    EXPECT_EQ(SearchFilter_Flag(Filter(), kFilterListFlags, 0), 1u);
    PlayerSearch_ListB(5);
    EXPECT_EQ(SearchFilter_Flag(Filter(), kFilterListFlags, 0), 0u);
    // A nation outside 2-6 divisions keeps the list chosen last.
    SetPlayerClub(1, user_);
    Walk(true);
    const int16_t own = HVW_CountCompRounds2(int16_t(GetClubNation(user_)));
    EXPECT_EQ(SearchDivisionCount, own >= 2 && own <= 6 ? own : 4);
}

// ---- The shortlist and the scout view ------------------------------------------------------

TEST_F(PlayerSearchTest, EighteenFillOnePageAndRemovingTheSecondShiftsTheRestUp) {
    Walk(true);
    ASSERT_GE(SearchResultCount, 18);
    for (int i = 0; i < 18; ++i) ASSERT_EQ(ShortList_Add_Player(SearchResults[i]), 1);
    SetMenuFirstEntry(1);
    ShortlistMenu();
    SetMenuFirstEntry(0);
    EXPECT_EQ(Shortlist_Title(), 423);
    EXPECT_FALSE(Shortlist_ScrollShown());
    for (int r = 0; r < 18; ++r) EXPECT_EQ(Shortlist_Row(r).player, SearchResults[r]) << r;
    EXPECT_EQ(Shortlist_AttrHeading(0), 720);
    // An attribute column chosen by the mouse x its pop-up opened at.
    EXPECT_EQ(Shortlist_ChooseAttr(530, 6), MENU_REDRAW_ALSO);
    EXPECT_EQ(ShortlistAttrColumn[2], 6);
    Shortlist_ChooseExtra(0, 0);
    ShortlistMenu();
    EXPECT_EQ(Shortlist_AttrHeading(2), SearchAttrKindTable[6]);
    EXPECT_EQ(std::string(Shortlist_Row(4).attributes[2]),
              std::to_string(SearchAttr_GetPlayerValue(6, Shortlist_Row(4).player)));
    EXPECT_EQ(std::string(Shortlist_Row(4).extra[0]),
              std::to_string(HVW_GetPlayerAge(Shortlist_Row(4).player)));
    Shortlist_ChooseAttr(530, 20);
    EXPECT_EQ(ShortlistAttrColumn[2], -1);

    // Remove mode: the second row's player goes after a yes.
    Shortlist_RemoveSwitch(nullptr);
    EXPECT_EQ(ShortlistRemoveMode, 1);
    MenuUserWait(4);
    MenuUserClickAt(300, 350);
    EXPECT_EQ(Shortlist_NameClick(1), MENU_REDRAW);
    ShortlistMenu();
    EXPECT_EQ(Shortlist_Row(0).player, SearchResults[0]);
    for (int r = 1; r < 17; ++r) EXPECT_EQ(Shortlist_Row(r).player, SearchResults[r + 1]) << r;
    EXPECT_EQ(Shortlist_Row(17).player, 0);
    // A no keeps him; outside remove mode the name opens the profile.
    MenuUserWait(4);
    MenuUserClickAt(500, 350);
    EXPECT_EQ(Shortlist_NameClick(0), MENU_REDRAW);
    EXPECT_EQ(ShortList_IsPlayerOn(SearchResults[0]), 1);
    Shortlist_RemoveSwitch(nullptr);
    EXPECT_EQ(Shortlist_NameClick(17), MENU_CONTINUE);
    EXPECT_EQ(Shortlist_NameClick(3), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    EXPECT_EQ(ReturnMenuOption, kScreenShortlist);
    EXPECT_EQ(SelectedPlayer, int16_t(SearchResults[4]));
    EXPECT_EQ(Shortlist_Back(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    // An empty shortlist shows no rows.
    ShortList_Clear();
    ShortlistMenu();
    for (int r = 0; r < 18; ++r) EXPECT_EQ(Shortlist_Row(r).player, 0);
}

TEST_F(PlayerSearchTest, TheScoutViewListsARegionsRecommendedPlayersInOrderAtMostAThousand) {
    // The region with the most players.
    int16_t region = 0;
    std::vector<uint16_t> inRegion;
    for (int16_t r = 0; r < kScoutingRegions; ++r) {
        std::vector<uint16_t> players;
        for (uint16_t p = 1; p < PlayerCount; ++p)
            if (Scout_PlayerInRegion(p, r) != 0) players.push_back(p);
        if (players.size() > inRegion.size()) {
            inRegion = players;
            region = r;
        }
    }
    ASSERT_GT(inRegion.size(), 1000u);
    for (uint16_t p = 1; p < PlayerCount; ++p) SetPlayerScoutRecommended(p, 0);
    // Twelve recommended: one page, no scroll buttons.
    for (int i = 0; i < 12; ++i) SetPlayerScoutRecommended(inRegion[size_t(5 * i)], 1);
    ScoutViewFlag = 1;
    ScoutViewRegion = region;
    SetMenuFirstEntry(1);
    ShortlistMenu();
    SetMenuFirstEntry(0);
    EXPECT_EQ(Shortlist_Title(), 852);
    EXPECT_EQ(ScoutCount, 12);
    EXPECT_FALSE(Shortlist_ScrollShown());
    for (int r = 0; r < 12; ++r) EXPECT_EQ(Shortlist_Row(r).player, inRegion[size_t(5 * r)]) << r;
    EXPECT_EQ(Shortlist_Row(12).player, 0);
    // Every player of the region recommended: the first thousand in order.
    for (uint16_t p : inRegion) SetPlayerScoutRecommended(p, 1);
    SetMenuFirstEntry(1);
    ShortlistMenu();
    SetMenuFirstEntry(0);
    EXPECT_EQ(ScoutCount, kScoutListMax);
    EXPECT_TRUE(std::equal(ScoutList, ScoutList + kScoutListMax, inRegion.begin()));
    EXPECT_TRUE(Shortlist_ScrollShown());
    for (int i = 0; i < 1200; ++i) Shortlist_ScrollDown(nullptr);
    EXPECT_EQ(ShortlistTopRow, kScoutListMax - 18);
    ShortlistMenu();
    EXPECT_EQ(Shortlist_Row(17).player, inRegion[kScoutListMax - 1]);
    for (int i = 0; i < 1200; ++i) Shortlist_ScrollUp(nullptr);
    EXPECT_EQ(ShortlistTopRow, 0);
    EXPECT_EQ(Shortlist_Back(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenScouting);
    for (uint16_t p : inRegion) SetPlayerScoutRecommended(p, 0);
}

// ---- The career ----------------------------------------------------------------------------

PlayerHistoryEntry HistoryEntry(uint16_t player, int16_t club, uint8_t season, uint8_t kind,
                                uint16_t first = 0, uint8_t second = 0, uint16_t marker = 0, uint8_t perf = 0,
                                uint8_t third = 0) {
    PlayerHistoryEntry e{};
    recbits::StoreU16(e.bytes + kPHPlayer, player);
    recbits::StoreI16(e.bytes + kPHClub, club);
    e.bytes[kPHSeason] = season;
    recbits::StoreU16(e.bytes + kPHFirst, first);
    e.bytes[kPHSecond] = second;
    recbits::StoreU16(e.bytes + kPHMarker, marker);
    e.bytes[kPHKind] = kind;
    e.bytes[kPHPerf] = perf;
    e.bytes[kPHThird] = third;
    return e;
}

TEST_F(PlayerSearchTest, CareerRowsMergeEventsTotalsScrollingAndBack) {
    // A player without history: empty rows, a totals row with blank ratings.
    uint16_t p = 0;
    PlayerHistoryEntry probe[kCareerEntries];
    for (uint16_t q = 2; q < PlayerCount && p == 0; ++q)
        if (HVW_FindPlayerHistoryEntry(q, probe) == 0 && HVW_GetPositionType(q) == 0) p = q;
    ASSERT_NE(p, 0);
    SelectedPlayer = int16_t(p);
    SetMenuFirstEntry(1);
    CareerHistoryMenu();
    SetMenuFirstEntry(0);
    EXPECT_EQ(CareerCount, 0);
    EXPECT_EQ(recbits::LoadU16(CareerEntries[99].bytes + kPHPlayer), 0xFFFF);
    for (int r = 0; r < kCareerRows; ++r) EXPECT_EQ(CareerHistory_Row(r).kind, -1) << r;
    EXPECT_EQ(CareerHistory_Row(kCareerTotalsRow).clubText, 1679);
    EXPECT_EQ(CareerHistory_Row(kCareerTotalsRow).groups[0].rating, -1);
    EXPECT_EQ(CareerHistory_Row(kCareerTotalsRow).groups[1].rating, -1);
    EXPECT_EQ(CareerHistory_GoalsHeading(), 1830);
    // The title keeps the player's own name while other names are looked up.
    const std::string own = HVW_GetPlayerShortName(p);
    reinterpret_cast<void (*)()>(const_cast<void*>(CareerHistoryTable[0].data))();
    ASSERT_STRNE(HVW_GetPlayerShortName(uint16_t(p + 1)), own.c_str());
    for (const MenuItem* item = CareerHistoryTable; item->type != MI_END; ++item) {
        if (item->type == MI_STRING_VAR && item->x == 85 && item->y == 62) {
            EXPECT_EQ(*static_cast<const char* const*>(item->data), own);
        }
    }

    // Constructed entries: kinds 0 and 1 of one season merge; a transfer
    // without a fee shows 433; another player's entry and kind 9 fill no row.
    const int16_t a = user_, b = int16_t(DivisionClubLists[0][1][1]);
    int n = 0;
    CareerEntries[n++] = HistoryEntry(p, a, 3, 0, 20, 4, 0, 60, 2);
    CareerEntries[n++] = HistoryEntry(p, a, 3, 1, 5, 1, 0, 70, 1);
    CareerEntries[n++] = HistoryEntry(uint16_t(p + 1), a, 3, 0, 9, 9, 0, 99, 9);
    CareerEntries[n++] = HistoryEntry(p, a, 3, 9);
    CareerEntries[n++] = HistoryEntry(p, a, 4, 2, uint16_t(b), 0, 0);
    CareerEntries[n++] = HistoryEntry(p, b, 4, 2, uint16_t(a), 0, 40000);
    CareerEntries[n++] = HistoryEntry(p, b, 4, 0, 10, 2, 0, 80, 0);
    CareerEntries[n++] = HistoryEntry(p, b, 4, 4, 0, 0, 3);
    CareerEntries[n++] = HistoryEntry(p, b, 5, 0, 0, 0, 0, 10, 0);
    while (n < 20) CareerEntries[n++] = HistoryEntry(p, b, 6, 5);
    CareerCount = int16_t(n);
    CareerHistoryMenu();
    const CareerRowView& merged = CareerHistory_Row(0);
    EXPECT_EQ(merged.kind, 0);
    EXPECT_EQ(merged.season, 3);
    EXPECT_EQ(merged.groups[0].apps, 20);
    EXPECT_EQ(merged.groups[0].subs, 2);
    EXPECT_EQ(merged.groups[0].goals, 4);
    EXPECT_EQ(merged.groups[1].apps, 5);
    EXPECT_EQ(merged.groups[1].rating, 70);
    EXPECT_EQ(CareerHistory_Row(1).kind, 2);
    EXPECT_EQ(CareerHistory_Row(1).feeText, 433);
    EXPECT_EQ(CareerHistory_Row(1).eventText, 1180);
    EXPECT_EQ(
        std::string(CareerHistory_Row(1).composed),
        std::string(GetText(HVW_ClubTextId(a))) + " " + GetText(596) + " " + GetText(HVW_ClubTextId(b)));
    EXPECT_EQ(CareerHistory_Row(0).clubText, HVW_ClubTextId(a));
    EXPECT_EQ(CareerHistory_Row(2).fee, 40'000'000) << "a fee above 32,767 thousand keeps its value";
    EXPECT_EQ(CareerHistory_Row(3).groups[1].apps, 0) << "no kind-1 entry: zeros";
    EXPECT_EQ(CareerHistory_Row(4).eventText, HVW_GetInjuryTextId(3));
    const CareerRowView& totals = CareerHistory_Row(kCareerTotalsRow);
    EXPECT_EQ(totals.groups[0].apps, 30);
    EXPECT_EQ(totals.groups[0].goals, 6);
    EXPECT_EQ(totals.groups[0].rating, (60 + 80) / 2) << "entries without appearances are not averaged";
    EXPECT_EQ(totals.groups[1].rating, 70);

    // Scrolling stops at the count less 15.
    for (int i = 0; i < 30; ++i) CareerHistory_ScrollDown(nullptr);
    EXPECT_EQ(CareerTopRow, CareerCount - 15);
    for (int i = 0; i < 30; ++i) CareerHistory_ScrollUp(nullptr);
    EXPECT_EQ(CareerTopRow, 0);

    // Back: to the profile, or to 63 for a second halvorn.
    EXPECT_EQ(CareerHistory_Back(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    EXPECT_EQ(ReturnMenuOption, kScreenClubMain);
    const int16_t keptB = HVW_GetPlayerHalvornB(p);
    SetPlayerHalvornB(p, 1);
    CareerHistory_Back(nullptr);
    EXPECT_EQ(MenuOption, kScreenManagerRankings);
    SetPlayerHalvornB(p, keptB);
}

TEST_F(PlayerSearchTest, TheScreensTextsHaveWords) {
    for (int16_t id :
         {252, 423,  852, 858,  859, 1035, 1457, 1660, 719,  721,  430, 421, 1491, 1893, 837, 156, 293, 284,
          173, 1205, 623, 1832, 425, 1679, 433,  596,  1180, 1800, 810, 590, 627,  599,  857, 752, 194})
        EXPECT_GT(std::strlen(GetText(id)), 0u) << id;
    for (int16_t kind = 0; kind < kSearchAttrKinds; ++kind) {
        EXPECT_GT(std::strlen(GetText(SearchAttrKindTable[kind])), 0u) << kind;
        EXPECT_GT(std::strlen(GetText(SearchAttr_GetNameText(SearchAttrKindTable[kind], -1))), 0u) << kind;
    }
    for (int c = 1; c < kSearchSortColumns; ++c)
        EXPECT_GT(std::strlen(GetText(SearchColumn_GetLongText(SearchSortColumnTable[c], -1))), 0u) << c;
    EXPECT_EQ(std::string(SearchPresetName(3)), std::string(GetText(1660)) + " 3");
}

}  // namespace
