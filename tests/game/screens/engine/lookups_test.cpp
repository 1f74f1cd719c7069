// The small look-up screens over one shared new-game world: the world's
// clubs by region (from the title bar, with grabs, a club's squad and back),
// the agent profile, the twelve-month header and the shared rows list.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/query/fields.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/scouting.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/leagues.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/country/clubsbynation.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuservices.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/monthheader.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/sharedrows.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/start/startmenu.h"
#include "game/screens/transfers/agentprofile.h"
#include "game/system/picture.h"
#include "tests/fakes/kept_new_game.h"
#include "tests/fakes/menu_env.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

using testenv::MenuUserDo;
using testenv::MenuUserWait;

bool g_lookupWorldReady = false;
std::string g_lookupWorldError;
SeasonCalendarState g_lookupCalendar;

void LookupNewWorld() {
    g_lookupWorldError = testenv::KeptNewGame(testenv::kScreenWorldSeed);
    g_lookupWorldReady = g_lookupWorldError.empty();
    if (!g_lookupWorldReady) return;
    g_lookupCalendar = SeasonCalendar;
}

// The text painted alone over a background: every pixel of its letters'
// own colour must be the grab's there.  Answers the letter pixels that
// matched and how many there were (red and blue may be swapped in the grab).
std::pair<int, int> LookupTextInGrab(const std::vector<uint32_t>& grab, int16_t background, int16_t font,
                                     int16_t colour, int x, int y, const char* text, uint16_t justify) {
    ShowMenuBackground(background);
    const testenv::LettersFound found = testenv::LettersInGrab(
        grab, std::max(0, x - 250), std::max(0, y - 25), std::min(800, x + 250), std::min(600, y + 25), [&] {
            SetFont(font);
            SetDrawParam(1, colour);
            DrawTextAddrAt(x, y, text, justify);
        });
    return {std::max(found.same, found.sameSwapped), found.letters};
}

// The icon drawn alone over the background: every pixel it changes is the
// grab's (red and blue may be swapped in the grab).
bool LookupIconInGrab(const std::vector<uint32_t>& grab, int16_t background, int x, int y, int icon,
                      uint16_t justify = JUSTIFY_LEFT_TOP) {
    ShowMenuBackground(background);
    std::vector<uint32_t> before(800 * 600);
    for (int py = y - 40; py < y + 40; ++py)
        for (int px = x - 40; px < x + 40; ++px)
            before[size_t(py) * 800 + size_t(px)] = testenv::BackPixel(px, py);
    DrawIcon(x, y, icon, justify);
    const auto swapped = [](uint32_t c) { return (c & 0xFF) << 16 | (c & 0xFF00) | c >> 16; };
    int total = 0, same = 0, sameSwapped = 0;
    for (int py = y - 40; py < y + 40; ++py) {
        for (int px = x - 40; px < x + 40; ++px) {
            const uint32_t now = testenv::BackPixel(px, py);
            if (now == before[size_t(py) * 800 + size_t(px)]) continue;
            ++total;
            same += grab[size_t(py) * 800 + size_t(px)] == now ? 1 : 0;
            sameSwapped += grab[size_t(py) * 800 + size_t(px)] == swapped(now) ? 1 : 0;
        }
    }
    return total > 20 && std::max(same, sameSwapped) == total;
}

bool LookupSameBelowTitle(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    return a.size() == b.size() && a.size() == 800u * 600u &&
           std::equal(a.begin() + 90 * 800, a.end(), b.begin() + 90 * 800);
}

class LookupScreensTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        LookupNewWorld();
        if (!g_lookupWorldReady) GTEST_FAIL() << g_lookupWorldError;
        MenuEngineTest::SetUp();
        if (!started_) return;
        SeasonCalendar = g_lookupCalendar;
        BuildNameTables();
        user_ = int16_t(DivisionClubLists[0][1][0]);
        SetPlayerClub(1, user_);
        SetClubControl(user_, 1);
        HVW_SetViewedCountry(0);
        SelectedClub = uint16_t(user_);
        MenuCurrentPlayer = 1;
        ClubsByNation_Reset();
    }
    void TearDown() override {
        if (g_lookupWorldReady && started_) {
            SetClubControl(user_, 0);
            SetPlayerClub(1, int16_t(kNoClub));
        }
        MenuEngineTest::TearDown();
    }
    static void Walk(void (*screen)()) {
        SetMenuFirstEntry(1);
        screen();
        SetMenuFirstEntry(0);
    }
    static auto ScreenUp(const MenuItem* table) {
        return [table] { return testenv::MenuTableUp(table); };
    }
    static void Grab(std::vector<uint32_t>* into) {
        testenv::MenuUserMoveTo(795, 300);
        MenuUserWait(3);
        testenv::MenuUserKey(0x46);  // Scroll Lock: a grab
        MenuUserWait(3);
        MenuUserDo([into] { *into = testenv::NewestGrabPixels(); });
    }
    static void ClickAt(int x, int y) {
        testenv::MenuUserClickItem([x, y](const MenuHotItem& item) { return item.x == x && item.y == y; });
    }
    int16_t user_ = -1;
};

TEST_F(LookupScreensTest, WorldClubsFromTheTitleBarToASquadAndBack) {
    static std::vector<uint32_t> first, second;
    static int16_t opened = -1, shownNation = -1;
    // The row of nation 1 in region 7 (the user's nation, 0, is left out).
    Walk(ClubsByNationScreenProc);
    static int nationRow = -1;
    for (int i = 0; i < kClubsByNationShownNations; ++i)
        if (ClubsByNationListedNation(i) == 1) nationRow = i;
    ASSERT_GE(nationRow, 0);
    MenuOption = kScreenClubMain;
    ScreenPresented = 0;
    testenv::MenuUserWaitFor(ScreenUp(ClubMainTable), 3000);
    MenuUserWait(5);
    // The club list of the title bar; "World Clubs" is its eighteenth entry.
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171; });
    MenuUserWait(15);
    testenv::MenuUserClickPopupRow(17);
    testenv::MenuUserWaitFor(ScreenUp(ClubsByNationTable), 3000);
    MenuUserWait(3);
    Grab(&first);
    // Nation 1 of region 7, then the first club on the left.
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.x == 180 && item.y == 97 + 20 * nationRow; });
    MenuUserWait(5);
    MenuUserDo([] { shownNation = ClubsByNationNation(); });
    Grab(&second);
    MenuUserDo([] { opened = ClubsByNationShownClub(0, 0); });
    ClickAt(386, 137);
    testenv::MenuUserWaitFor(ScreenUp(SquadListTable), 3000);
    MenuUserWait(3);
    ClickAt(743, 559);
    testenv::MenuUserWaitFor(ScreenUp(ClubsByNationTable), 3000);
    MenuUserWait(3);
    static std::vector<uint32_t> again;
    Grab(&again);
    ClickAt(743, 559);
    int rounds = 0;
    while (!WinCloseRequested() && ++rounds < 10 && (rounds == 1 || MenuOption != kScreenClubMain))
        DoMainMenuOption();
    ASSERT_FALSE(WinCloseRequested());
    EXPECT_EQ(MenuOption, kScreenClubMain);
    ASSERT_EQ(first.size(), 800u * 600u);
    ASSERT_EQ(second.size(), 800u * 600u);

    // Region 7 marked: its face differs from the others', which are alike.
    const auto face = [&](const std::vector<uint32_t>& g, int k) {
        return g[size_t(97 + 24 * k + 10) * 800 + 26];
    };
    EXPECT_NE(face(first, 7), face(first, 0));
    EXPECT_EQ(face(first, 0), face(first, 1));
    EXPECT_EQ(face(first, 9), face(first, 1));
    // The title and the back icon, and the region names.
    const auto title = LookupTextInGrab(first, 4, 14, 0, 400, 62, GetText(1114), JUSTIFY_CENTRE_MIDDLE);
    EXPECT_GT(title.second, 50);
    EXPECT_EQ(title.first, title.second);
    EXPECT_TRUE(LookupIconInGrab(first, 4, 743, 559, 153));

    // The chosen nation's first club at (386, 137), and the squad screen
    // of that foreign club, then back on this screen as before.
    ASSERT_GE(shownNation, 0);
    ASSERT_GE(opened, 0);
    EXPECT_EQ(GetClubNation(opened), uint16_t(shownNation));
    const auto club = LookupTextInGrab(second, 4, 8, 0, 386, 137, HVW_GetClubName(opened), JUSTIFY_LEFT_TOP);
    EXPECT_GT(club.second, 20);
    EXPECT_EQ(club.first, club.second);
    EXPECT_EQ(SelectedClub, uint16_t(opened));
    EXPECT_TRUE(LookupSameBelowTitle(second, again));
    // The nation's name in the plain colour, then, chosen, in the mark colour.
    const char* nation = HVW_GetNationName(1);
    const int nationY = 106 + 20 * nationRow;
    const auto plain = LookupTextInGrab(first, 4, 8, 0, 255, nationY, nation, JUSTIFY_CENTRE_MIDDLE);
    EXPECT_GT(plain.second, 10);
    EXPECT_EQ(plain.first, plain.second);
    const auto marked = LookupTextInGrab(second, 4, 8, 8, 255, nationY, nation, JUSTIFY_CENTRE_MIDDLE);
    EXPECT_GT(marked.second, 10);
    EXPECT_EQ(marked.first, marked.second);
}

TEST_F(LookupScreensTest, RegionNationListsClubColumnsAndScrolling) {
    const auto nations = [](int16_t region) {
        ClubsByNation_ChooseRegion(region);
        ClubsByNationScreenProc();
        std::vector<int16_t> list;
        for (int i = 0; i < kClubsByNationNations && ClubsByNationListedNation(i) >= 0; ++i)
            list.push_back(ClubsByNationListedNation(i));
        return list;
    };
    Walk(ClubsByNationScreenProc);
    EXPECT_EQ(ClubsByNationRegion(), 7);
    EXPECT_EQ(nations(2), std::vector<int16_t>{74});
    EXPECT_EQ(nations(3), std::vector<int16_t>{46});
    EXPECT_EQ(nations(4), std::vector<int16_t>{36});
    EXPECT_EQ(nations(0), (std::vector<int16_t>{93, 92, 91, 79, 72, 64, 60, 57, 42, 41}));
    const std::vector<int16_t> wide = nations(7);
    EXPECT_EQ(std::count(wide.begin(), wide.end(), int16_t(GetClubNation(user_))), 0);
    EXPECT_TRUE(std::is_sorted(wide.rbegin(), wide.rend()));
    EXPECT_EQ(ClubsByNationClubCount(), 0);  // no nation chosen yet

    // Region 9: exactly the viewed country's clubs of status 6 or 4.
    nations(9);
    int expected = 0;
    for (int16_t c = 0; c < kClubCount; ++c)
        expected += GetClubNation(c) == 0 && (GetClubDivision(c) == 6 || GetClubDivision(c) == 4) ? 1 : 0;
    EXPECT_EQ(ClubsByNationClubCount(), std::min(expected, kClubsByNationClubs));
    for (int i = 0; i < ClubsByNationClubCount(); ++i) {
        const int16_t c = ClubsByNationClub(i);
        EXPECT_EQ(GetClubNation(c), 0u);
        EXPECT_TRUE(GetClubDivision(c) == 6 || GetClubDivision(c) == 4);
    }

    // A nation of region 7 with more than a page: two columns from the
    // list, scrolling down stops on the last full page, up at 0.
    nations(7);
    int row = -1;
    for (int i = 0; i < kClubsByNationShownNations && row < 0; ++i) {
        ClubsByNation_ChooseNationRow(i);
        ClubsByNationScreenProc();
        if (ClubsByNationClubCount() > 2 * kClubsByNationRows + 1) row = i;
    }
    ASSERT_GE(row, 0);
    const int count = ClubsByNationClubCount();
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(GetClubNation(ClubsByNationClub(i)), uint16_t(ClubsByNationNation()));
    EXPECT_EQ(ClubsByNationShownClub(0, 0), ClubsByNationClub(0));
    EXPECT_EQ(ClubsByNationShownClub(0, 1), ClubsByNationClub(1));
    EXPECT_EQ(ClubsByNationShownClub(3, 1), ClubsByNationClub(7));
    for (int i = 0; i < 120; ++i) ClubsByNation_ScrollDown(nullptr);
    ClubsByNationScreenProc();
    const int last = (count + 1) / 2 - kClubsByNationRows;
    EXPECT_EQ(ClubsByNationScroll(), last);
    EXPECT_EQ(ClubsByNationShownClub(kClubsByNationRows - 1, (count + 1) % 2), ClubsByNationClub(count - 1));
    for (int i = 0; i < 120; ++i) ClubsByNation_ScrollUp(nullptr);
    EXPECT_EQ(ClubsByNationScroll(), 0);
    // Empty fields and rows change nothing; another region clears the nation.
    EXPECT_EQ(ClubsByNation_ChooseNationRow(kClubsByNationShownNations), MENU_CONTINUE);
    ClubsByNation_ChooseRegion(3);
    ClubsByNationScreenProc();
    EXPECT_EQ(ClubsByNationNation(), -1);
    EXPECT_EQ(ClubsByNation_OpenClub(0, 0), MENU_CONTINUE);
    EXPECT_EQ(ClubsByNation_OpenClub(0, 1), MENU_CONTINUE);

    // The reset.
    ClubsByNation_Reset();
    EXPECT_EQ(ClubsByNationRegion(), 7);
    EXPECT_EQ(ClubsByNationNation(), -1);
    EXPECT_EQ(ClubsByNationScroll(), 0);
}

TEST_F(LookupScreensTest, AgentProfileCountsItsClientsAndScrollsToTheLast) {
    // The player with the most clients at his agent.
    uint16_t player = 0;
    int best = 0;
    for (uint16_t p = 3; p < PlayerCount; p = uint16_t(p + 97)) {
        int n = 0;
        for (uint16_t q = 3; q < PlayerCount; ++q)
            n += GetPlayerNationality(q) == GetPlayerNationality(p) && GetPlayerAgent(q) == GetPlayerAgent(p)
                     ? 1
                     : 0;
        if (n > best) best = n, player = p;
        if (best > 14) break;
    }
    ASSERT_GT(best, 12);
    SelectedPlayer = int16_t(player);
    Walk(AgentProfileScreenProc);
    EXPECT_EQ(AgentProfileClientCount(), best);
    EXPECT_STREQ(AgentProfileCountText(), ("(" + std::to_string(best) + ")").c_str());
    bool selected = false;
    for (int i = 0; i < AgentProfileClientCount(); ++i) {
        EXPECT_GE(AgentProfileClient(i), 3);
        selected = selected || AgentProfileClient(i) == player;
    }
    EXPECT_TRUE(selected);
    EXPECT_GT(std::strlen(AgentProfileName()), 0u);
    // Row 0 holds the heads.
    EXPECT_EQ(AgentProfileShownRow(0).positionText, 496);
    EXPECT_EQ(AgentProfileShownRow(0).clubText, 173);
    EXPECT_EQ(AgentProfileShownRow(0).statusText, 498);
    EXPECT_EQ(AgentProfileShownRow(0).player, 0);

    // Scrolled to the end, the last client is the last shown row.
    for (int i = 0; i < 100; ++i) AgentProfile_ScrollDown(nullptr);
    AgentProfileScreenProc();
    EXPECT_EQ(AgentProfileScroll(), best - 11);
    EXPECT_EQ(AgentProfileShownRow(kAgentShownRows - 1).player, AgentProfileClient(best - 1));
    for (int i = 0; i < 100; ++i) AgentProfile_ScrollUp(nullptr);
    EXPECT_EQ(AgentProfileScroll(), 0);

    // A free agent's club column.
    const uint16_t client = AgentProfileClient(0);
    const uint16_t club = GetPlayerClub(client);
    SetPlayerClub(client, int16_t(kNoClub));
    AgentProfileScreenProc();
    EXPECT_EQ(AgentProfileShownRow(1).clubText, 789);
    SetPlayerClub(client, int16_t(club));
    AgentProfileScreenProc();
    EXPECT_EQ(AgentProfileShownRow(1).clubText, HVW_ClubTextId(int16_t(club)));
    EXPECT_EQ(AgentProfile_Row(nullptr), MENU_CONTINUE);

    // Player 0 and a player past the table: an empty list, no name.
    for (int16_t stale : {int16_t(0), int16_t(PlayerCount), int16_t(-4)}) {
        SelectedPlayer = stale;
        Walk(AgentProfileScreenProc);
        EXPECT_EQ(AgentProfileClientCount(), 0);
        EXPECT_STREQ(AgentProfileName(), "");
        EXPECT_EQ(AgentProfileShownRow(1).player, 0);
    }

    // Through the controller: a grab with the title, the count and the back
    // icon, the same on a second visit, and back to the player profile.
    SelectedPlayer = int16_t(player);
    static std::vector<uint32_t> first, second;
    MenuOption = kScreenAgentProfile;
    testenv::MenuUserWaitFor(ScreenUp(AgentProfileTable), 3000);
    MenuUserWait(3);
    Grab(&first);
    ClickAt(20, 559);
    MenuUserWait(5);
    ClickAt(20, 559);
    MenuUserWait(5);
    Grab(&second);
    ClickAt(743, 559);
    int rounds = 0;
    while (MenuOption == kScreenAgentProfile && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenPlayerStats);
    const auto title = LookupTextInGrab(first, 4, 1014, 0, 400, 62, GetText(464), JUSTIFY_CENTRE_MIDDLE);
    EXPECT_GT(title.second, 30);
    EXPECT_EQ(title.first, title.second);
    const std::string count = "(" + std::to_string(best) + ")";
    const auto shown = LookupTextInGrab(first, 4, 8, 0, 500, 261, count.c_str(), JUSTIFY_CENTRE_MIDDLE);
    EXPECT_GT(shown.second, 10);
    EXPECT_EQ(shown.first, shown.second);
    EXPECT_TRUE(LookupIconInGrab(first, 4, 743, 559, 153));
    // The first client's name on the first row below the heads.
    char name[64];
    std::snprintf(name, sizeof name, "%s", HVW_GetPlayerShortName(AgentProfileClient(0)));
    const auto firstRow = LookupTextInGrab(first, 4, 8, 0, 24, 284 + 21 + 10, name, JUSTIFY_LEFT_MIDDLE);
    EXPECT_GT(firstRow.second, 10);
    EXPECT_EQ(firstRow.first, firstRow.second);
    EXPECT_TRUE(LookupSameBelowTitle(first, second));
}

TEST_F(LookupScreensTest, MonthHeaderAndTheSharedRowsList) {
    // 13 July is day 0; a December day is 150 days on.
    SeasonCalendar.currentDay = 0;
    MonthHeaderMenuProc();
    EXPECT_EQ(MonthHeaderColumnText(0), 2362);
    EXPECT_EQ(MonthHeaderColumnText(11), 2361);
    SeasonCalendar.currentDay = 150;
    MonthHeaderMenuProc();
    EXPECT_EQ(MonthHeaderColumnText(0), 2367);
    EXPECT_EQ(MonthHeaderColumnText(1), 2356);
    for (int16_t id = 2356; id <= 2367; ++id) EXPECT_GT(std::strlen(GetText(id)), 0u) << id;
    EXPECT_EQ(MonthHeader_Back(nullptr), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenClubMain);

    static std::vector<uint32_t> months, monthsAgain, filled, filledAgain, empty;
    MenuOption = kScreenMonthHeader;
    testenv::MenuUserWaitFor(ScreenUp(MonthHeaderTable), 3000);
    MenuUserWait(3);
    Grab(&months);
    ClickAt(570, 436);
    int rounds = 0;
    while (MenuOption == kScreenMonthHeader && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    MenuOption = kScreenMonthHeader;
    testenv::MenuUserWaitFor(ScreenUp(MonthHeaderTable), 3000);
    MenuUserWait(3);
    Grab(&monthsAgain);
    ClickAt(570, 436);
    rounds = 0;
    while (MenuOption == kScreenMonthHeader && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    const auto december = LookupTextInGrab(months, 0, 8, 0, 50, 380, GetText(2367), JUSTIFY_CENTRE_TOP);
    EXPECT_GT(december.second, 10);
    EXPECT_EQ(december.first, december.second);
    const auto january = LookupTextInGrab(months, 0, 8, 0, 90, 380, GetText(2356), JUSTIFY_CENTRE_TOP);
    EXPECT_EQ(january.first, january.second);
    EXPECT_TRUE(LookupSameBelowTitle(months, monthsAgain));
    EXPECT_TRUE(LookupIconInGrab(months, 0, 590, 456, 153, JUSTIFY_CENTRE_MIDDLE));

    // The shared rows list shows the shared arrays as another screen left
    // them; a row click changes nothing; the icon leads to the start screen.
    MenuScreenBuffers.rowStrings[0] = "Left words";
    MenuScreenBuffers.nameStrings[0] = "Right words";
    for (int r = 1; r < kScreenBufferRows; ++r)
        MenuScreenBuffers.rowStrings[r] = MenuScreenBuffers.nameStrings[r] = nullptr;
    MenuOption = kScreenSharedRows;
    testenv::MenuUserWaitFor(ScreenUp(SharedRowsTable), 3000);
    MenuUserWait(3);
    Grab(&filled);
    ClickAt(32, 80);
    MenuUserWait(5);
    MenuUserDo([] { EXPECT_EQ(MenuOption, kScreenSharedRows); });
    ClickAt(564, 434);
    rounds = 0;
    while (MenuOption == kScreenSharedRows && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenStart);
    MenuScreenBuffers.rowStrings[0] = MenuScreenBuffers.nameStrings[0] = nullptr;
    MenuOption = kScreenSharedRows;
    testenv::MenuUserWaitFor(ScreenUp(SharedRowsTable), 3000);
    MenuUserWait(3);
    Grab(&empty);
    ClickAt(564, 434);
    rounds = 0;
    while (MenuOption == kScreenSharedRows && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    // A second visit with the same strings draws the same screen.
    MenuScreenBuffers.rowStrings[0] = "Left words";
    MenuScreenBuffers.nameStrings[0] = "Right words";
    MenuOption = kScreenSharedRows;
    testenv::MenuUserWaitFor(ScreenUp(SharedRowsTable), 3000);
    MenuUserWait(3);
    Grab(&filledAgain);
    ClickAt(564, 434);
    rounds = 0;
    while (MenuOption == kScreenSharedRows && !WinCloseRequested() && ++rounds < 3) DoMainMenuOption();
    MenuScreenBuffers.rowStrings[0] = MenuScreenBuffers.nameStrings[0] = nullptr;
    ASSERT_FALSE(WinCloseRequested());
    EXPECT_TRUE(LookupSameBelowTitle(filled, filledAgain));
    const auto left = LookupTextInGrab(filled, 0, 9, 0, 48, 96, "Left words", 5);
    EXPECT_GT(left.second, 20);
    EXPECT_EQ(left.first, left.second);
    const auto right = LookupTextInGrab(filled, 0, 8, 0, 332, 96, "Right words", 5);
    EXPECT_EQ(right.first, right.second);
    // Without strings the first row is as bare as the second.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 576; x += 3)
            ASSERT_EQ(empty[size_t(80 + y) * 800 + size_t(32 + x)],
                      empty[size_t(115 + y) * 800 + size_t(32 + x)]);
    const auto title = LookupTextInGrab(filled, 0, 14, 0, 320, 36, GetText(126), JUSTIFY_CENTRE_MIDDLE);
    EXPECT_EQ(title.first, title.second);
    EXPECT_TRUE(LookupIconInGrab(filled, 0, 587, 457, 153, JUSTIFY_CENTRE_MIDDLE));
}

}  // namespace
