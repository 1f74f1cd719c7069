// Front-end services on the headless display: the diary notes of the day
// shown as boxes that the user clicks away, the country choice with its
// division row, the title club's colours, and the ids that play a match,
// replay saved goals or save the team.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/base/corehooks.h"
#include "core/match/matchsetup.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/match/wholematch.h"
#include "core/query/layerstate.h"
#include "core/records/blockfiles.h"
#include "core/records/diarynotes.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/season/calendar.h"
#include "core/season/leagues.h"
#include "game/match3d/kitpalette.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/club/positionscreen.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/painting.h"
#include "game/screens/matchday/matchday.h"
#include "game/system/startup.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

class FrontServicesTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        MenuEngineTest::SetUp();
        if (!started_) return;
        InstallGameHooks();
        ClearAllDiaryNotes();
        // No follow-up of a player screen an earlier test left pending: the
        // controller would take it after the screens run here.
        MenuFollowUp = 0;
    }
    void TearDown() override {
        // The hooks the test program starts with: a later test may need the
        // front end called from the core (the progress a new game shows).
        InstallGameHooks();
        ClearAllDiaryNotes();
        MenuEngineTest::TearDown();
    }
};

TEST_F(FrontServicesTest, ContinueShowsTodaysNotesOneBoxAfterTheOtherInSlotOrder) {
    using namespace testenv;
    SeasonCalendar.currentDay = 77;
    AddDiaryNote("The physio has news.", 77, 0);
    AddDiaryNote("Not today.", 78, 0);
    AddDiaryNote("The scout is back.", 77, 0);
    // First box up: both notes still queued; clicked away, the first slot
    // is free and the second box is up; then both are gone.
    MenuUserWait(30);
    MenuUserDo([] {
        EXPECT_EQ(DiaryNoteDay(0), 77);
        EXPECT_EQ(DiaryNoteDay(2), 77);
    });
    MenuUserClickAt(400, 300);
    MenuUserWait(30);
    static bool secondBoxUp;
    secondBoxUp = false;
    MenuUserDo([] {
        EXPECT_EQ(DiaryNoteDay(0), -1);
        EXPECT_EQ(DiaryNoteDay(2), 77);
        secondBoxUp = true;
    });
    MenuUserClickAt(400, 300);
    // No world here: a mode the day loop does not know plays no day.
    ContinueMode = 9;
    MenuOption = kScreenContinueGame;
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenQuit);
    EXPECT_TRUE(secondBoxUp);
    EXPECT_EQ(DiaryNoteDay(0), -1);
    EXPECT_EQ(DiaryNoteDay(2), -1);
    EXPECT_STREQ(DiaryNoteText(1), "Not today.");
}

TEST_F(FrontServicesTest, TheCountryChoiceOpensTheUsersDivisionInHisOwnCountry) {
    using namespace testenv;
    const int16_t club = 40;
    const uint16_t playerCount = PlayerCount;
    PlayerCount = 10;
    SetClubNation(club, 2);
    SetClubDivision(club, 3);
    for (auto& row : LeagueTable[2])
        for (int16_t& entry : row) entry = int16_t(kNoLeagueClub);
    LeagueTable[2][3][0] = club;
    SetPlayerClub(1, club);
    const auto screenUp = [] {
        MenuUserWaitFor([] {
            return MenuViewTopTable() == ClubMainTable && !MenuViewHotItems().empty() && ScreenPresented == 1;
        });
        MenuUserWait(5);
    };
    const auto chooseCountry = [&](int row) {
        screenUp();
        MenuUserClickItem([](const MenuHotItem& item) { return item.popup != nullptr && item.x == 624; });
        MenuUserWait(15);
        MenuUserClickPopupRow(row);
        MenuUserWait(10);
    };
    chooseCountry(2);
    MenuUserDo([] {
        EXPECT_EQ(HVW_GetViewedCountry(), 2);
        EXPECT_EQ(ViewedDivision, 3);
    });
    chooseCountry(5);
    MenuUserDo([] {
        EXPECT_EQ(HVW_GetViewedCountry(), 5);
        EXPECT_EQ(ViewedDivision, 0);
    });
    // Quit, answered "Yes".
    screenUp();
    MenuUserClickItem([](const MenuHotItem& item) { return item.popup != nullptr && item.x == 20; });
    MenuUserWait(15);
    MenuUserClickPopupRow(1);
    MenuUserWait(30);
    MenuUserClickAt(300, 350);
    MenuOption = kScreenClubMain;
    ScreenPresented = 0;
    // The checks above ran before the quit that ended the loop.
    while (MenuOption != kScreenQuit) DoMainMenuOption();
    SetPlayerClub(1, -1);
    PlayerCount = playerCount;
}

bool Near(uint32_t pixel, const KitColour& c) {
    const int r = int(pixel & 0xFF), g = int(pixel >> 8 & 0xFF), b = int(pixel >> 16 & 0xFF);
    return std::abs(r - c.red) <= 8 && std::abs(g - c.green) <= 8 && std::abs(b - c.blue) <= 8;
}

TEST_F(FrontServicesTest, TheTitleBadgeFadesTheClubsColoursIntoTheBarsBlue) {
    const int16_t club = 123;
    SelectedClub = uint16_t(club);
    SetMenuTitleDate(0);  // no title club: nothing drawn
    FillSolidRect(0, 0, 800, 600, 0);
    DrawTitleBadge(0, 0, 800, 600);
    EXPECT_EQ(GetBackBufferPixel(20, 44), 0u);
    SetMenuTitleDate(1);
    DrawTitleBadge(0, 0, 800, 600);
    const KitColour& first = GetKitColour(GetClubColour1(club));
    const KitColour& second = GetKitColour(GetClubColour2(club));
    // The left edge, beside the 32 x 32 badge picture at (24, 47).
    EXPECT_TRUE(Near(GetBackBufferPixel(20, 44), second)) << std::hex << GetBackBufferPixel(20, 44);
    EXPECT_TRUE(Near(GetBackBufferPixel(20, 80), first)) << std::hex << GetBackBufferPixel(20, 80);
    EXPECT_TRUE(Near(GetBackBufferPixel(275, 60), KitColour{0, 27, 75}));
    EXPECT_EQ(GetBackBufferPixel(276, 60), 0u);
    EXPECT_EQ(GetBackBufferPixel(70, 81), 0u);
}

}  // namespace

namespace {

int g_periods = 0;
bool g_readyDuringMatch = true;

TEST_F(FrontServicesTest, AMatchFromTheFrontEndRunsWithTheMenusReleased) {
    EnterGameInfo* block = ClearMatchSetupBlock();
    block->SetI16(gameinfo::kCompetition, 0);
    DisplayModeFlags = uint8_t(DisplayModeFlags | kDisplayOff);
    const MatchPeriodRunnerFn kept = MatchPeriodRunner;
    g_periods = 0;
    MatchPeriodRunner = [] {
        ++g_periods;
        g_readyDuringMatch = MenuEngineReady();
    };
    MenuOption = kScreenPlayMatch;
    DoMainMenuOption();
    MatchPeriodRunner = kept;
    EXPECT_EQ(g_periods, 2);
    EXPECT_FALSE(g_readyDuringMatch);
    EXPECT_TRUE(MenuEngineReady());
    EXPECT_EQ(MenuViewDepth(), -1);
    EXPECT_EQ(MenuOption, kScreenStart);
}

TEST_F(FrontServicesTest, SavedGoalsThatCannotBeLoadedPlayNothing) {
    std::memset(&GoalReplayFiles, 0, sizeof GoalReplayFiles);
    std::snprintf(GoalReplayFiles.names[4], kGoalFileNameSize, "missing.dhf");
    const MatchPeriodRunnerFn kept = MatchPeriodRunner;
    g_periods = 0;
    MatchPeriodRunner = [] { ++g_periods; };
    for (int16_t index : {4, 5, -1, 200}) {
        GoalReplayNumber = index;
        MenuOption = kScreenGoalReplays;
        DoMainMenuOption();
        EXPECT_EQ(MenuOption, kScreenClubMain);
        EXPECT_EQ(GoalReplayNumber, -1);
    }
    MatchPeriodRunner = kept;
    EXPECT_EQ(g_periods, 0);
    EXPECT_TRUE(MenuEngineReady());
}

// After the start pictures the front end starts afresh: no player marked,
// known or recommended by the scouts, the position screen at its start.
TEST_F(FrontServicesTest, TheFrontEndStartsWithTheScoutsMarksClearedAndTheScreensReset) {
    const uint16_t keptCount = PlayerCount;
    PlayerCount = 3;
    uint16_t kept[3][3] = {};
    for (uint16_t p = 1; p < 3; ++p) {
        kept[p][0] = GetPlayerScoutMark(p);
        kept[p][1] = GetPlayerFlag119(p);
        kept[p][2] = GetPlayerScoutRecommended(p);
        SetPlayerScoutMark(p, 1);
        SetPlayerFlag119(p, 1);
        SetPlayerScoutRecommended(p, 1);
    }
    PositionScreenPage = 3;
    PositionScreenSelection = 5;
    testenv::MenuUserClose();
    {
        StdoutCapture quiet;
        DoMainMenu();
        quiet.Text();
    }
    for (uint16_t p = 1; p < 3; ++p) {
        EXPECT_EQ(GetPlayerScoutMark(p), 0) << p;
        EXPECT_EQ(GetPlayerFlag119(p), 0) << p;
        EXPECT_EQ(GetPlayerScoutRecommended(p), 0) << p;
        SetPlayerScoutMark(p, int16_t(kept[p][0]));
        SetPlayerFlag119(p, int16_t(kept[p][1]));
        SetPlayerScoutRecommended(p, int16_t(kept[p][2]));
    }
    PlayerCount = keptCount;
    EXPECT_EQ(PositionScreenPage, 0);
    EXPECT_EQ(PositionScreenSelection, 0xFFFF);
}

TEST_F(FrontServicesTest, TheUsersTeamIsSavedToItsFile) {
    MenuOption = kScreenSaveTeam;
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_FALSE(testenv::ReadHostFile("SaveData/SaveTeam").empty());
}

}  // namespace
