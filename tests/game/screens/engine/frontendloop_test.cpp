// The front-end controller and its services: ids, the default pop-up
// handler, the recent-screens history, the title date, and the whole front
// end driven headless from the start pictures to the quit question.
#include "game/screens/engine/frontendloop.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/engine/callmenus.h"
#include "game/screens/matchday/lastmatch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/trackedmemory.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "game/screens/start/saveslots.h"
#include "game/screens/start/startmenu.h"
#include "game/system/picture.h"
#include "tests/fakes/text_env.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

TEST(FrontEndController, IdsWithoutAnActionEndTheProgram) {
    for (int16_t id : {13, 113, -2}) {
        MenuOption = id;
        EXPECT_FATAL(DoMainMenuOption(),
                     "Error: DoMainMenu\\(\\): Invalid MenuOption = " + std::to_string(id));
    }
    const std::vector<std::pair<int16_t, std::string>> cases = {
        {1, "SELECT_NATION"},
        {28, "TEAMSHEET_RECORDS"},
        {44, "CLUB_LEAGUE_RECORD"},
        {66, "SET_SALE_PRICE"},
    };
    for (const auto& [id, name] : cases) {
        MenuOption = id;
        EXPECT_FATAL(DoMainMenuOption(), "INVALID CASE:" + name + " .* line:[0-9]+");
    }
}

TEST(FrontEndController, PlainRedirectsAndIdsWithoutScreens) {
    LastMatch_Forget();  // option 50 shows a kept match's chart
    MenuOption = kScreenSelectedClubSquad;
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenSquadList);
    // Picking the team leads to the first team's sheet, whichever sheet
    // was shown last.
    SquadListSecond = 1;
    MenuOption = kScreenPickTeam;
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenTeamSelect);
    EXPECT_EQ(SquadListSecond, 0);
    MenuOption = kScreenLastMatch;
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    MenuOption = kScreenSaveTeam;
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenClubMain);
}

PopupCallBlock CallFor(PopupEntry* entry) { return {uint16_t(POPUP_LIST_NUMBER + 1), 0, nullptr, entry}; }

TEST(FrontEndServices, DefaultHandlerLeadsByTheTextNumberTable) {
    PopupEntry club{POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(700), nullptr, nullptr};
    PopupCallBlock call = CallFor(&club);
    MenuOption = kScreenStart;
    TitleMode = 0;
    EXPECT_EQ(MenuOption_DefaultHandler(&call), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenClubMain);

    PopupEntry squad{POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(70), nullptr, nullptr};
    call = CallFor(&squad);
    EXPECT_EQ(MenuOption_DefaultHandler(&call), MENU_CLOSE);
    EXPECT_EQ(MenuOption, kScreenTeamSelect);
    EXPECT_EQ(SquadListSecond, 1);

    PopupEntry unknown{POPUP_TEXT_ID, POPUP_SELECTABLE, 0,       0,      0, 0,
                       nullptr,       MenuValue(12345), nullptr, nullptr};
    call = CallFor(&unknown);
    StdoutCapture capture;
    EXPECT_EQ(MenuOption_DefaultHandler(&call), MENU_KEEP_POPUP);
    EXPECT_NE(
        capture.Text().find("menus\\menucont : Well done - You seem to have picked a menu item thats not "
                            "listed in MenuOption_TextNumber[][] - Have you updated it?\n"),
        std::string::npos);
    EXPECT_EQ(MenuOption, kScreenTeamSelect);

    club.flags = 0;
    call = CallFor(&club);
    EXPECT_EQ(MenuOption_DefaultHandler(&call), MENU_KEEP_POPUP);
    TitleMode = 2;
    club.flags = POPUP_SELECTABLE;
    call = CallFor(&club);
    EXPECT_EQ(MenuOption_DefaultHandler(&call), MENU_REDRAW);
    TitleMode = 0;
}

TEST(FrontEndServices, HistoryKeepsOneEntryPerScreenAndFallsBackHome) {
    UpdateScreenHistory(0, 0, 3);
    UpdateScreenHistory(kScreenSquadList, 2, 3);
    UpdateScreenHistory(kScreenClubFixtures, 2, 3);
    UpdateScreenHistory(kScreenSquadList, 2, 3);  // the same screen again: one entry, newest
    ASSERT_EQ(ScreenHistoryCount, 2);
    EXPECT_EQ(ScreenHistory[0], kScreenClubFixtures);
    EXPECT_EQ(ScreenHistory[1], kScreenSquadList);
    UpdateScreenHistory(kScreenLeagueTable, 2, 3);
    UpdateScreenHistory(kScreenDealSheet, 2, 3);  // over the limit of 3: the oldest goes
    ASSERT_EQ(ScreenHistoryCount, 3);
    EXPECT_EQ(ScreenHistory[0], kScreenSquadList);
    MenuOption = kScreenDealSheet;
    UpdateScreenHistory(0, 1, 3);  // back from 10
    EXPECT_EQ(MenuOption, kScreenLeagueTable);
    UpdateScreenHistory(0, 0, 3);
    UpdateScreenHistory(kScreenEuroQualify, 2, 3);
    MenuOption = kScreenEuroQualify;
    UpdateScreenHistory(0, 1, 3);  // only the current screen: home
    EXPECT_EQ(MenuOption, kScreenClubMain);
    UpdateScreenHistory(kScreenDivisionClubs, 2, 1);  // a limit below 2 counts as 3
    UpdateScreenHistory(kScreenClubMain, 2, 3);       // home empties it
    EXPECT_EQ(ScreenHistoryCount, 0);
}

TEST(FrontEndServices, TitleDateNamesWeekdayAndMonth) {
    testenv::LoadTexts({{2, "Saturday"}, {16, "August"}});
    SeasonCalendar.weekday = 0;
    SeasonCalendar.dayOfMonth = 3;
    SeasonCalendar.month = 7;
    SeasonCalendar.year = 2002;
    SetMenuTitleDate(2);
    EXPECT_STREQ(TitleString1, "Saturday 3");
    EXPECT_STREQ(TitleString2, "August 2002");
    EXPECT_EQ(TitleMode, 0);
    SetMenuTitleDate(4);
    EXPECT_STREQ(TitleString1, "");
    EXPECT_EQ(TitleMode, 2);
    SetMenuTitleDate(1);
    EXPECT_EQ(TitleMode, 0);  // without bit 2 always the first layout
    testenv::UnloadTexts();
}

// ---- The whole front end ----------------------------------------------------------

std::vector<std::vector<uint8_t>> g_grabs;

std::vector<uint8_t> GrabTop() {
    ScreenGrab();
    const std::vector<uint8_t> pixels = testenv::GrabBytes(testenv::NewestGrabName());
    EXPECT_GE(pixels.size(), 800u * 100 * 3) << "no grab that reads";
    if (pixels.size() < 800u * 100 * 3) return {};
    // The top hundred rows, far from the cursor.
    return {pixels.begin(), pixels.begin() + 800 * 100 * 3};
}

std::vector<uint8_t> PictureTop(int n) {
    // The screen's red-first pixels as the grab's blue-first ones.
    const uint8_t* picture = BackgroundList[n].picture + GFX0_HEADER_SIZE;
    std::vector<uint8_t> rows(picture, picture + 800 * 100 * 3);
    for (size_t i = 0; i + 2 < rows.size(); i += 3) std::swap(rows[i], rows[i + 2]);
    return rows;
}

TEST_F(MenuEngineTest, FrontEndFromTheStartPicturesToTheStartScreen) {
    using testenv::MenuUserDo;
    using testenv::MenuUserWait;
    g_grabs.clear();
    // The start screen loads the shipped database from the working folder.
    std::error_code error;
    std::filesystem::create_directory_symlink(std::string(HALVORN_GAME_DIR) + "/stats", "stats", error);
    ASSERT_FALSE(error) << error.message();
    ScreenPresented = 0;
    testenv::MenuUserMoveTo(400, 500);
    // 30 and 24 end on a click each; a click during 31 skips the credits.
    for (int16_t picture : {30, 24, 31}) {
        testenv::MenuUserWaitFor([picture] { return BackgroundList[picture].picture != nullptr; });
        MenuUserWait(200);  // the wipe in
        // The picture's memory may be reused once the start screen loads
        // the database: compare while it is up.
        MenuUserDo([picture] {
            EXPECT_EQ(GrabTop(), PictureTop(picture)) << picture;
            g_grabs.push_back({});
        });
        testenv::MenuUserPress();
        MenuUserWait(3);
        testenv::MenuUserRelease();
    }
    const auto screenUp = [](int16_t id, const MenuItem* table) {
        return [id, table] {
            return MenuOption == id && MenuViewTopTable() == table && !MenuViewHotItems().empty() &&
                   ScreenPresented == 1;
        };
    };
    testenv::MenuUserWaitFor(screenUp(22, StartMenuTable), 3000);
    MenuUserWait(5);
    // "Load Game", and its back icon returns to the start screen; a window
    // close ends the game.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 300 && item.y == 535; });
    testenv::MenuUserWaitFor(screenUp(46, SaveLoadTable));
    MenuUserWait(5);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    testenv::MenuUserWaitFor(screenUp(22, StartMenuTable));
    MenuUserWait(5);
    // F11: the video options (id 102), whose cancel button leads back to
    // the start screen.
    static bool videoOptionsSeen = false;
    videoOptionsSeen = false;
    testenv::MenuUserKey(87);
    testenv::MenuUserWaitFor([] { return MenuOption == kScreenVideoOptions; });
    // Its background wipes in before it reads the mouse.
    testenv::MenuUserWaitFor([] { return HVState.state == HV_STATE_MENU; });
    MenuUserWait(5);
    MenuUserDo([] { videoOptionsSeen = MenuOption == kScreenVideoOptions; });
    testenv::MenuUserClickAt(535, 513);
    testenv::MenuUserWaitFor(screenUp(22, StartMenuTable));
    MenuUserWait(5);
    testenv::MenuUserClose();

    MenuOption = kScreenStart;
    EnterFrontEnd();
    EXPECT_EQ(MenuOption, kScreenQuit);
    EXPECT_EQ(g_grabs.size(), 3u);
    EXPECT_TRUE(videoOptionsSeen);
}

// A match the season plays with the display gives the menus up once and
// sets them up once after it, however often it is asked; menus that were
// not up stay down.
TEST_F(MenuEngineTest, AMatchGivesTheMenusUpOnceAndGetsThemBackOnce) {
    StdoutCapture quiet;
    ReleaseMenusForMatch();
    EXPECT_FALSE(MenuEngineReady());
    EXPECT_EQ(MenuDisplayIsOpen(), 0);
    ReleaseMenusForMatch();
    RestartMenusAfterMatch();
    EXPECT_TRUE(MenuEngineReady());
    EXPECT_EQ(MenuDisplayIsOpen(), 1);
    ScreenPresented = 1;
    RestartMenusAfterMatch();
    EXPECT_EQ(ScreenPresented, 1) << "the menus were set up a second time";
    ReleaseMenuBuffers();
    ReleaseMenusForMatch();
    RestartMenusAfterMatch();
    EXPECT_FALSE(MenuEngineReady());
    RestartMenus();
    quiet.Text();
}

TEST_F(MenuEngineTest, TitleBarNavigationAndTheQuitQuestion) {
    using testenv::MenuUserDo;
    using testenv::MenuUserWait;
    const auto clubScreenUp = [] {
        return MenuOption == kScreenClubMain && MenuViewTopTable() == ClubMainTable &&
               !MenuViewHotItems().empty() && ScreenPresented == 1;
    };
    ScreenPresented = 0;
    testenv::MenuUserWaitFor(clubScreenUp);
    MenuUserWait(5);
    // The club list's first entry leads to the club screen again.
    testenv::MenuUserClickItem(
        [](const MenuHotItem& item) { return item.popup != nullptr && item.x == 171; });
    MenuUserWait(15);
    testenv::MenuUserClickPopupRow(0);
    MenuUserWait(10);
    testenv::MenuUserWaitFor(clubScreenUp);
    MenuUserWait(5);
    // Quit, answered "No": the game goes on.
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.popup != nullptr && item.x == 20; });
    MenuUserWait(15);
    testenv::MenuUserClickPopupRow(1);
    MenuUserWait(30);
    testenv::MenuUserClickAt(500, 350);
    MenuUserWait(40);
    MenuUserDo([] { EXPECT_EQ(MenuOption, kScreenClubMain); });
    // Quit, answered "Yes".
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.popup != nullptr && item.x == 20; });
    MenuUserWait(15);
    testenv::MenuUserClickPopupRow(1);
    MenuUserWait(30);
    testenv::MenuUserClickAt(300, 350);

    MenuOption = kScreenClubMain;
    int rounds = 0;
    while (MenuOption != kScreenQuit && !WinCloseRequested() && ++rounds < 10) DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenQuit);
}

}  // namespace
