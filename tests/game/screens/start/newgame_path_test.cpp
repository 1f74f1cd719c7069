// The road into a new game, headless from the start pictures with the
// scripted user on the driven clock: the start screen, the played
// countries, the new game with its progress bar, the division club list,
// the club information screen, the job and the surname, to the club screen.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/club/shortlist.h"
#include "core/query/layerstate.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/season/clubseason.h"
#include "core/season/leagues.h"
#include "game/screens/club/clubinfo.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/league/divisionclubs.h"
#include "game/screens/start/playedcountries.h"
#include "game/screens/start/saveslots.h"
#include "game/screens/start/startmenu.h"
#include "game/system/picture.h"
#include "platform/clock.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

using testenv::MenuUserDo;
using testenv::MenuUserWait;

struct Pixel {
    int red, green, blue;
};

// Pixel (x, y) of the newest grab in the working folder.
Pixel NewestGrabPixel(int x, int y) {
    const std::vector<uint32_t> grab = testenv::NewestGrabPixels();
    EXPECT_FALSE(grab.empty()) << "no grab was taken";
    if (grab.empty()) return {-1, -1, -1};
    const uint32_t p = grab[size_t(y) * 800 + size_t(x)];
    return {int(p >> 16), int(p >> 8 & 0xFF), int(p & 0xFF)};
}

int GrabCount() {
    int count = 0;
    char name[32];
    for (int n = 1; n < 10000; ++n) {
        std::snprintf(name, sizeof name, "grab%04d.tga", n);
        if (!std::filesystem::exists(name)) break;
        ++count;
    }
    return count;
}

bool Same(Pixel a, Pixel b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

// A button face in 0x5AD4: its full colour and three quarters of it.
constexpr Pixel kFaceFull{165, 90, 90};
constexpr Pixel kFaceDark{123, 67, 67};
constexpr Pixel kBlack{0, 0, 0};

// The grab taken while the new game counts its steps: the busy cursor's
// poll draws the bar once the clock has moved, and takes a grab when it
// sees the Scroll Lock key.
Pixel g_progressPixel{-1, -1, -1};
Pixel g_progressFrame{-1, -1, -1};
int g_progressState = 0;
int g_grabsBefore = 0;
bool g_progressGrabbed = false;
void GrabDuringNewGame() {
    if (ProgressSteps == 65535) return;
    if (g_progressState == 0 && ProgressStep >= 8) {
        plat::AdvanceClockMicroseconds(100000);
        g_progressState = 1;
    } else if (g_progressState == 1 && ProgressStep >= 10) {
        g_grabsBefore = GrabCount();
        plat::InjectKey(0x46, false, true);
        plat::InjectKey(0x46, false, false);
        plat::AdvanceClockMicroseconds(100000);
        g_progressState = 2;
    } else if (g_progressState == 2 && GrabCount() > g_grabsBefore) {
        g_progressGrabbed = true;
        g_progressPixel = NewestGrabPixel(692, 570);
        g_progressFrame = NewestGrabPixel(688, 563);
        g_progressState = 3;
    } else if (g_progressState == 2) {
        plat::AdvanceClockMicroseconds(100000);
    }
}

auto ScreenUp(const MenuItem* table) {
    return [table] { return testenv::MenuTableUp(table); };
}

bool ItemAt(const MenuHotItem& item, int x, int y) { return item.x == x && item.y == y; }

void Grab() {
    testenv::MenuUserKey(0x46);
    MenuUserWait(3);
}

class NewGamePathTest : public MenuEngineTest {};

TEST_F(NewGamePathTest, FromTheStartScreenToTheClubAsItsManager) {
    std::error_code error;
    std::filesystem::create_directory_symlink(std::string(HALVORN_GAME_DIR) + "/stats", "stats", error);
    ASSERT_FALSE(error) << error.message();
    ClearTotStatTables();
    std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
    GameSeedRandom(2002);
    ScreenPresented = 0;
    // A game before left a club's job offer on screen, unanswered: the new
    // game's club is still taken as a new manager's, by name.
    ClubPickedFlag = 2;
    ClubInfoPickedFlag = 1;
    // A goal replay of the game before: the new game deletes it.
    std::filesystem::create_directories("SaveData/GOALS");
    std::fclose(std::fopen("SaveData/GOALS/before.dhf", "wb"));

    testenv::MenuUserMoveTo(400, 500);
    for (int16_t picture : {30, 24, 31}) {
        testenv::MenuUserWaitFor([picture] { return BackgroundList[picture].picture != nullptr; });
        MenuUserWait(200);
        testenv::MenuUserPress();
        MenuUserWait(3);
        testenv::MenuUserRelease();
    }
    // The start screen: three buttons, the third in the dimmed face of a
    // button that does nothing; the names built.
    testenv::MenuUserWaitFor(ScreenUp(StartMenuTable), 3000);
    MenuUserWait(5);
    MenuUserDo([] {
        EXPECT_STREQ(ClubNameRecords[0].text[1], "No Stadium Name");
        EXPECT_GT(TotStatPlayerCount, 0u);
        // The game before kept a shortlist, and turned down a job offer
        // whose word named a player: neither is the new game's.
        Shortlist[0] = 5;
        TakeJobShirtPlayer = 1;
    });
    Grab();
    MenuUserDo([] {
        for (int x : {100, 300, 500}) EXPECT_TRUE(Same(NewestGrabPixel(x, 535), kBlack)) << x;
        for (int x : {100, 300}) {
            EXPECT_TRUE(Same(NewestGrabPixel(x + 1, 545), kFaceDark)) << x;
            EXPECT_TRUE(Same(NewestGrabPixel(x + 4, 545), kFaceFull)) << x;
        }
        const Pixel dimmed = NewestGrabPixel(504, 545);
        EXPECT_LT(dimmed.red + dimmed.green + dimmed.blue, kFaceFull.red + kFaceFull.green + kFaceFull.blue);
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 100, 535); });

    // The played countries, with country 2 as home: then on to the new game.
    testenv::MenuUserWaitFor(ScreenUp(PlayedCountriesTable));
    MenuUserWait(5);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 75, 288); });
    MenuUserWait(5);
    Grab();
    MenuUserDo([] {
        EXPECT_EQ(HVW_GetViewedCountry(), 2);
        EXPECT_EQ(MenuOption, kScreenPlayedCountries);
        // The home box's mark.
        EXPECT_TRUE(Same(NewestGrabPixel(88, 298), Pixel{49, 48, 49}));
        EXPECT_FALSE(Same(NewestGrabPixel(88, 269), Pixel{49, 48, 49}));
    });
    static int16_t progressPoll = -1;
    MenuUserDo([] { progressPoll = AddPollFunction(GrabDuringNewGame, POLL_EVERY_TIME, 0); });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 743, 559); });

    // The division clubs of the home country's first division.
    testenv::MenuUserWaitFor(ScreenUp(DivisionClubsTable), 3000);
    MenuUserWait(5);
    Grab();
    static uint16_t chosen = 0;
    MenuUserDo([] {
        RemovePollFunction(progressPoll);
        EXPECT_FALSE(std::filesystem::exists("SaveData/GOALS/before.dhf"));
        EXPECT_EQ(ShortList_GetPlayer(0), 0);
        EXPECT_EQ(TakeJobShirtPlayer, 0);
        EXPECT_TRUE(g_progressGrabbed);
        // The bar's frame and its fill.
        EXPECT_LT(g_progressFrame.red, 40);
        // The fill in 0x9986 over the dark frame.
        EXPECT_GT(g_progressPixel.blue, 130);
        EXPECT_LT(g_progressPixel.red, 60);
        EXPECT_EQ(ClubChoiceMode, 1);
        EXPECT_NE(DivisionLeftClubs[0], 0xFFFF);
        EXPECT_NE(DivisionRightClubs[0], 0xFFFF);
        chosen = DivisionLeftClubs[1];
        EXPECT_EQ(GetClubNation(int16_t(chosen)), 2);
        int left = 0, right = 0;
        for (const MenuHotItem& item : MenuViewHotItems()) {
            left += item.x == 40 ? 1 : 0;
            right += item.x == 400 ? 1 : 0;
        }
        EXPECT_EQ(left, right);
        EXPECT_GE(left, 9);
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 40, 136); });

    // The club information with the job buttons.
    testenv::MenuUserWaitFor(ScreenUp(ClubInfoTable));
    MenuUserWait(5);
    Grab();
    MenuUserDo([] {
        EXPECT_EQ(SelectedClub, chosen);
        EXPECT_TRUE(ClubInfoShowsJobButtons());
        EXPECT_TRUE(Same(NewestGrabPixel(61, 565), kFaceDark));

        // A shirt word naming no player is left alone.
        TakeJobShirtPlayer = 60000;
    });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 60, 559); });

    // The surname: clear the template, type, accept, go on.
    testenv::MenuUserWaitFor(ScreenUp(SurnameMenuTable), 3000);
    MenuUserWait(5);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 188, 290); });
    MenuUserWait(5);
    for (int i = 0; i < 16; ++i) testenv::MenuUserKey(0x0E);
    for (uint8_t key : {0x23, 0x18, 0x26, 0x32}) testenv::MenuUserShiftKey(key);  // HOLM
    testenv::MenuUserKey(0x1C);
    MenuUserWait(5);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return ItemAt(item, 743, 559); });
    testenv::MenuUserWaitFor(
        [] { return MenuOption == kScreenClubMain && MenuViewTopTable() == ClubMainTable; }, 3000);
    MenuUserWait(5);
    testenv::MenuUserClose();

    MenuOption = kScreenStart;
    EnterFrontEnd();

    EXPECT_STREQ(GetPlayerSurname(1), "HOLM");
    EXPECT_EQ(GetPlayerClub(1), chosen);
    EXPECT_EQ(TakeJobShirtPlayer, 0);
    // The job taken ends the club choice: the profiles have their buttons,
    // and a club's information screen leads back where it was opened from,
    // not to the division list.
    EXPECT_EQ(ClubChoiceMode, 0);
    EXPECT_EQ(ClubChoiceFlag, 0);
    EXPECT_EQ(ClubListPickedFlag, 0);
    for (int16_t club = 0; club < kClubCount; ++club) {
        ASSERT_EQ(GetClubControl(club), club == int16_t(chosen) ? 1 : 0) << club;
    }
    EXPECT_GE(GetPlayerReputation(1), 8);
}

}  // namespace
