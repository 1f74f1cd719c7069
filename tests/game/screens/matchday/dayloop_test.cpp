// The Continue day loop over a new game's world on the headless display:
// days with and without the user's fixtures, his group of one, the run on
// and where it stops, a new season, the next screens and a window closed
// during a day.  Results come from counting stand-ins, so the test sees how
// each fixture was played.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/club/bids.h"
#include "core/club/exchangedeals.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/match/replay.h"
#include "core/query/fields.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/people.h"
#include "core/query/playerscreens.h"
#include "core/query/userdecisions.h"
#include "core/records/frontstate.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/savetable.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/records/usertransfers.h"
#include "core/season/calendar.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/matchday.h"
#include "core/season/messages.h"
#include "core/season/messagetypes.h"
#include "core/season/newgame.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/club/inbox.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/textentry.h"
#include "game/screens/league/historybrowser.h"
#include "game/screens/matchday/lastmatch.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/squad/playerprofile.h"
#include "game/screens/squad/squadlist.h"
#include "game/screens/start/saveslots.h"
#include "game/screens/start/startmenu.h"
#include "game/screens/transfers/dealsheet.h"
#include "game/system/poll.h"
#include "game/system/startup.h"
#include "platform/window.h"
#include "tests/fakes/day_user.h"
#include "tests/fakes/fixture_fakes.h"
#include "tests/fakes/kept_new_game.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/world_lookups.h"
#include "tests/game/screens/engine_fixture.h"
#include "tests/game/screens/shared_world.h"

namespace {

using testenv::DayUserSeen;
using testenv::FirstClubOf;
using testenv::FixturesOn;

class DayLoopTest : public MenuEngineTest {
  protected:
    static void SetUpTestSuite() {
        StdoutCapture quiet;
        worldReady_ = testenv::KeptNewGame(testenv::kScreenWorldSeed).empty();
        if (worldReady_) BuildNameTables();
        quiet.Text();
    }
    // Every test starts from the new game: a run on that met a day's
    // message, or a new season, must not carry into the next test when
    // they share a process.
    static void RestoreWorldAtStart() {
        testenv::KeptNewGame(testenv::kScreenWorldSeed);
        GameSeedRandom(2002);
    }

    void SetUp() override {
        MenuEngineTest::SetUp();
        if (!started_) return;
        if (!worldReady_) GTEST_FAIL() << testenv::KeptNewGame(testenv::kScreenWorldSeed);
        RestoreWorldAtStart();
        InstallGameHooks();
        user_ = FirstClubOf(0, 0);
        SetPlayerClub(1, uint16_t(user_));
        SetClubControl(user_, 1);
        HVW_SetViewedCountry(0);
        SavedGoalCount = 0;
        SoakMode = 0;
        MenuOption = kScreenClubMain;
        scratch_ = std::make_unique<ScratchFolder>("dayloop");
        std::filesystem::create_directories("SaveData");
    }
    void TearDown() override {
        testenv::DayUserStop();
        // The hooks the test program starts with: a later test may need the
        // front end called from the core (the progress a new game shows).
        InstallGameHooks();
        scratch_.reset();
        MenuEngineTest::TearDown();
    }
    std::unique_ptr<ScratchFolder> scratch_;

    // The first day from today on with no fixture on it and the next few.
    static int16_t EmptyDays(int count) {
        for (int16_t day = SeasonCalendar.currentDay; day < 350; ++day) {
            bool empty = true;
            for (int k = 0; k < count && empty; ++k) empty = FixturesOn(day + k) == 0;
            if (empty) return day;
        }
        return -1;
    }
    // Every fixture from the day on up to yesterday is played.
    static bool EveryFixturePlayedSince(int from) {
        for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) < SeasonCalendar.currentDay; ++slot)
            if (FixtureDay(slot) >= from && !IsFixturePlayed(slot)) return false;
        return true;
    }
    static void RunDay(int16_t mode) {
        ContinueMode = mode;
        MenuOption = kScreenContinueGame;
        StdoutCapture quiet;
        DoMainMenuOption();
        quiet.Text();
    }

    static inline bool worldReady_ = false;
    int16_t user_ = -1;
};

TEST_F(DayLoopTest, ADayWithoutFixturesAdvancesAndTheModesChooseTheNextScreen) {
    const int16_t day = EmptyDays(2);
    ASSERT_GE(day, 0);
    SeasonCalendar.currentDay = day;
    const int16_t panelBefore = MatchDayLastPanelText();
    // Yesterday's approach: the day's filter list is emptied when the day
    // is played, but not by Play Match.
    const uint16_t kept = 4321;
    HVW_PushRecentValue(0, kept);
    testenv::DayUserStart();
    RunDay(0);
    EXPECT_EQ(SeasonCalendar.currentDay, day + 1);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(MatchDayLastPanelText(), panelBefore) << "no panel on a day without fixtures";
    EXPECT_EQ(DayUserSeen().resultsLists, 0);
    EXPECT_EQ(HVW_IsNotInFilterList(0, kept), 1);
    HVW_PushRecentValue(0, kept);
    RunDay(2);
    EXPECT_EQ(SeasonCalendar.currentDay, day + 2);
    EXPECT_EQ(HVW_IsNotInFilterList(0, kept), 0);
    SeasonCalendar.currentDay = int16_t(day + 1);

    // An unknown mode plays nothing; goal replays saved since the Continue
    // win over every other next screen.
    RunDay(5);
    EXPECT_EQ(MenuOption, kScreenQuit);
    EXPECT_EQ(SeasonCalendar.currentDay, day + 1);
    SavedGoalCount = 1;
    RunDay(5);
    EXPECT_EQ(MenuOption, kScreenGoalReplays);
    SeasonCalendar.currentDay = day;
    RunDay(0);
    EXPECT_EQ(MenuOption, kScreenGoalReplays);
    EXPECT_EQ(SeasonCalendar.currentDay, day + 1);
    SavedGoalCount = 0;
}

TEST_F(DayLoopTest, TheUsersGroupOfOneWaitsForHisChoiceAndHisMatchIsShown) {
    const int16_t day = EmptyDays(2);
    ASSERT_GE(day, 0);
    SeasonCalendar.currentDay = day;
    const int16_t rival = FirstClubOf(3, 0);
    HVW_AddFixture(day, kCompFriendly, user_, rival, 0);
    // Three league fixtures of another country: the other fixtures.
    int16_t a = FirstClubOf(1, 0);
    for (int i = 0; i < 3; ++i) {
        const int16_t b = FirstClubOf(1, 0, a);
        HVW_AddFixture(day, kCompLeague, a, b, 0);
        a = FirstClubOf(1, 0, b);
    }
    ASSERT_EQ(FixturesOn(day), 4);
    FixtureFakesScope fakes;
    static int16_t panelUnderTheList = -1, titleBefore = -1, titleAfter = -1, pageAfter = -1;
    static int8_t columnAfter = -1;
    static uint16_t listedBeforeMatch = 2;
    panelUnderTheList = titleBefore = titleAfter = pageAfter = columnAfter = -1;
    // A goal of his match kept as a replay, as the shown match keeps each.
    Replay_AllocBuffer();
    testenv::DayUserWatch() = [] {
        if (testenv::MenuTableUp(ResultBoardTable) && SavedGoalCount == 0) Replay_SaveGoal();
        if (testenv::MenuTableUp(HistoryBrowserTable)) {
            if (HistoryOpenedFromContinue == 1) {
                listedBeforeMatch = HistoryLines[0].fixture;
                titleBefore = HistoryTitleText;
            }
            if (HistoryOpenedFromContinue == 0) {
                panelUnderTheList = MatchDayLastPanelText();
                titleAfter = HistoryTitleText;
                pageAfter = HistoryBrowser.Page;
                columnAfter = HistoryColumns[HistoryBrowser.Row][HistoryBrowser.Column].league;
            }
        }
    };
    // Left over from another day: the day's start finds his fixture anew.
    HumanClubCompetition = HumanClubDivision = kCompLeague;
    // The busy cursor's progress bar, as its painter reads it at each poll.
    static int16_t mostDone = -1, barTotal = -1;
    mostDone = barTotal = -1;
    const int16_t watchingBar = AddPollFunction(
        [] {
            if (ProgressTotal <= 0) return;
            barTotal = ProgressTotal;
            mostDone = std::max(mostDone, ProgressDone);
        },
        POLL_EVERY_TIME, 0);
    testenv::DayUserStart();
    RunDay(2);
    testenv::DayUserWatch() = nullptr;
    RemovePollFunction(watchingBar);
    Replay_FreeBuffer();
    // The other fixtures counted on the bar, which goes with their panel.
    EXPECT_EQ(barTotal, 3);
    EXPECT_EQ(mostDone, 3);
    EXPECT_EQ(ProgressTotal, -1);

    EXPECT_EQ(SeasonCalendar.currentDay, day + 1);
    // Leaving the day's results list for the club screen gave up the goal
    // saved today: the day ends on the club screen, not in the goal reel.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("SaveData/GOALS"),
                            std::filesystem::directory_iterator{}),
              1);
    EXPECT_EQ(SavedGoalCount, 0);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_TRUE(EveryFixturePlayedSince(day));
    // His competition of the day: a friendly, no division.
    EXPECT_EQ(HumanClubCompetition, kCompFriendly);
    EXPECT_EQ(HumanClubDivision, -1);
    // His match shown (the bar asked for it) between his club and the
    // rival, the others predicted.
    EXPECT_EQ(Fakes().shown, 1);
    EXPECT_EQ(Fakes().unshown, 0);
    EXPECT_EQ(Fakes().shownClubs[0], user_);
    EXPECT_EQ(Fakes().shownClubs[1], rival);
    EXPECT_EQ(Fakes().predicted, 3);
    // Team news, then the bar that leads to the match, the result board and
    // the results list before and after the matches.
    EXPECT_GE(DayUserSeen().panelClicks, 1);
    EXPECT_EQ(DayUserSeen().watchClicks, 1);
    EXPECT_EQ(DayUserSeen().resultBoards, 1);
    EXPECT_EQ(DayUserSeen().resultsLists, 2);
    EXPECT_NE(listedBeforeMatch, 2);
    // Today's fixtures (887) before the matches, the day's results (1558)
    // after them, on the user's page and his friendly's column.
    EXPECT_EQ(titleBefore, 887);
    EXPECT_EQ(titleAfter, 1558);
    EXPECT_EQ(pageAfter, 0);
    EXPECT_EQ(columnAfter, 12);
    // The progress panel covered the other fixtures; leaving the list drew
    // the end-of-day panel.
    EXPECT_EQ(panelUnderTheList, 1594);
    EXPECT_EQ(MatchDayLastPanelText(), 1807);
    EXPECT_EQ(uint16_t(MatchDayFlags) & kDayLeftResults, 0);
    EXPECT_STRNE(ResultBoardHomeLine(), "");
    // His match is kept after the other fixtures took the live blocks.
    ASSERT_TRUE(LastMatch_Exists());
    EXPECT_EQ(FixtureHome(LastMatch().fixture), user_);
    EXPECT_EQ(FixtureAway(LastMatch().fixture), rival);
    EXPECT_EQ(LastMatch().day, day);
    EXPECT_EQ(LastMatch().setup.TeamI16(0, gameinfo::kTeamClub), user_);
    EXPECT_EQ(LastMatch().setup.TeamI16(1, gameinfo::kTeamClub), rival);
}

// Scroll Lock pressed once a frame while the flag is up: every time the
// game draws the cursor it grabs the screen ("grab%04d.tga").
bool g_holdScrollLock = false;
void PressScrollLockEachFrame() {
    static uint32_t lastTick = 0;
    const uint32_t now = GetTimerTicks();
    if (!g_holdScrollLock || now == lastTick) return;
    lastTick = now;
    plat::InjectKey(0x46, false, true);
    plat::InjectKey(0x46, false, false);
}

// The day's panel (background 4, the panel icon, a text inside it) painted
// with and without its text; the pixels the text changed, each with the
// colour it gave them.
std::vector<std::pair<int, uint32_t>> PanelTextPixels(int16_t textId) {
    constexpr int kPanelIcon = 2;
    int16_t w = 0, h = 0;
    GetIconSizeScaled(kPanelIcon, &w, &h);
    const int left = 400 - w / 2, top = 300 - h / 2;
    ShowMenuBackground(4);
    SetFont(13);
    DrawIcon(400, 300, kPanelIcon, JUSTIFY_CENTRE_MIDDLE);
    const std::vector<uint8_t> alone = MenuEngineTest::BackRect(left, top, w, h);
    DrawWrappedText(left + 10, top, GetText(textId), JUSTIFY_CENTRE_MIDDLE, w - 20, h);
    const std::vector<uint8_t> text = MenuEngineTest::BackRect(left, top, w, h);
    std::vector<std::pair<int, uint32_t>> pixels;
    for (int i = 0; i < w * h; ++i) {
        if (std::memcmp(&alone[i * 3], &text[i * 3], 3) == 0) continue;
        const int at = (top + i / w) * 800 + left + i % w;
        pixels.emplace_back(at,
                            uint32_t(text[i * 3 + 2]) << 16 | uint32_t(text[i * 3 + 1]) << 8 | text[i * 3]);
    }
    return pixels;
}

// Grabs taken while the day runs: the one showing the other-fixtures panel
// has text 1594 where the same text painted on the panel alone has it, the
// one over the end-of-day panel text 1807.
TEST_F(DayLoopTest, GrabsOfTheDaysPanelsShowTheirTexts) {
    const int16_t day = EmptyDays(2);
    ASSERT_GE(day, 0);
    SeasonCalendar.currentDay = day;
    HVW_AddFixture(day, kCompFriendly, user_, FirstClubOf(3, 0), 0);
    int16_t a = FirstClubOf(1, 0);
    for (int i = 0; i < 3; ++i) {
        const int16_t b = FirstClubOf(1, 0, a);
        HVW_AddFixture(day, kCompLeague, a, b, 0);
        a = FirstClubOf(1, 0, b);
    }
    FixtureFakesScope fakes;
    int firstGrab = 1;
    while (std::filesystem::exists(testenv::GrabName(firstGrab))) ++firstGrab;
    // The key is held from the result board after his match (the other
    // fixtures come next) and over the day's results list (the end of the
    // day next).
    g_holdScrollLock = false;
    testenv::DayUserWatch() = [] {
        if (testenv::MenuTableUp(ResultBoardTable) ||
            (testenv::MenuTableUp(HistoryBrowserTable) && HistoryOpenedFromContinue == 0))
            g_holdScrollLock = true;
    };
    const int16_t pressing = AddPollFunction(PressScrollLockEachFrame, POLL_EVERY_TIME, 0);
    testenv::DayUserStart();
    RunDay(2);
    testenv::DayUserWatch() = nullptr;
    g_holdScrollLock = false;
    RemovePollFunction(pressing);
    EXPECT_EQ(SeasonCalendar.currentDay, day + 1);
    EXPECT_EQ(DayUserSeen().resultBoards, 1);
    EXPECT_EQ(MatchDayLastPanelText(), 1807);

    std::vector<std::vector<uint32_t>> grabs;
    for (int n = firstGrab; std::filesystem::exists(testenv::GrabName(n)); ++n)
        grabs.push_back(testenv::GrabPixels(n));
    ASSERT_GE(grabs.size(), 2u);
    for (int16_t textId : {int16_t(1594), int16_t(1807)}) {
        SCOPED_TRACE(textId);
        const auto pixels = PanelTextPixels(textId);
        ASSERT_GT(pixels.size(), 100u);
        size_t best = 0;
        for (const std::vector<uint32_t>& grab : grabs) {
            if (grab.size() != 800u * 600u) continue;
            size_t matching = 0;
            for (const auto& [at, colour] : pixels) matching += grab[size_t(at)] == colour ? 1 : 0;
            best = std::max(best, matching);
        }
        EXPECT_EQ(best, pixels.size()) << "no grab shows the panel's text, of " << grabs.size();
    }
}

TEST_F(DayLoopTest, RunOnStopsOnItsDaysAndSavesAutomatically) {
    FixtureFakesScope fakes;
    testenv::DayUserStart();

    // Before a fixture of the user's: two free weekdays, then his match.
    int16_t day = EmptyDays(4);
    ASSERT_GE(day, 0);
    SeasonCalendar.currentDay = day;
    SeasonCalendar.weekday = 1;
    HVW_AddFixture(int16_t(day + 2), kCompFriendly, user_, FirstClubOf(3, 0), 0);
    RunDay(1);
    EXPECT_EQ(SeasonCalendar.currentDay, day + 2);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_EQ(SaveSlotFlags[10], 1) << "the automatic save";
    EXPECT_EQ(Fakes().shown + Fakes().unshown, 0);

    // On weekday 0 whatever the fixtures; weekday 1 when viewing country 2.
    day = EmptyDays(5);
    ASSERT_GE(day, 0);
    SeasonCalendar.currentDay = day;
    SeasonCalendar.weekday = 4;
    RunDay(1);
    EXPECT_EQ(SeasonCalendar.currentDay, day + 3);
    EXPECT_EQ(SeasonCalendar.weekday, 0);
    HVW_SetViewedCountry(2);
    day = EmptyDays(5);
    SeasonCalendar.currentDay = day;
    SeasonCalendar.weekday = 4;
    RunDay(1);
    EXPECT_EQ(SeasonCalendar.currentDay, day + 4);
    EXPECT_EQ(SeasonCalendar.weekday, 1);
    HVW_SetViewedCountry(0);

    // Day 364 ends the run on the eve of the season's end; one more day is a
    // new season and the squad numbers.
    SeasonCalendar.currentDay = 362;
    SeasonCalendar.weekday = 1;
    RunDay(1);
    EXPECT_EQ(SeasonCalendar.currentDay, 364);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    EXPECT_TRUE(EveryFixturePlayedSince(362));
    const int16_t season = SeasonCalendar.season;
    RunDay(0);
    EXPECT_EQ(SeasonCalendar.currentDay, 0);
    EXPECT_EQ(SeasonCalendar.season, season + 1);
    EXPECT_EQ(MenuOption, kScreenSquadNumbers);
}

// A match the user's side cannot play (too few players for a match sheet):
// Play Match opens his squad list, whose back icon goes home, not to a
// club's information that an earlier road's squad button named.
TEST_F(DayLoopTest, TheSquadListOfARefusedMatchLeadsHome) {
    const int16_t day = EmptyDays(2);
    ASSERT_GE(day, 0);
    SeasonCalendar.currentDay = day;
    const int16_t other = FirstClubOf(3, 0);
    HVW_AddFixture(day, kCompFriendly, user_, other, 0);
    // All but ten of his players gone (the world is the new game's again
    // for the next test).
    int kept = 0;
    for (uint16_t p = 2; p < PlayerCount; ++p)
        if (GetPlayerClub(p) == uint16_t(user_) && GetPlayerPosition(p) != 13 && ++kept > 10)
            HVW_MovePlayerToClub(p, other, 0, 0);
    PreviousMenuOption = kScreenClubInfo;  // an earlier road's club squad button
    static int16_t afterBack;
    afterBack = -1;
    MenuOption = kScreenClubMain;
    testenv::MenuUserWaitFor([] { return testenv::MenuTableUp(ClubMainTable); }, 3000);
    testenv::MenuUserWait(3);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 399 && item.y == 559; });
    testenv::MenuUserWait(15);
    testenv::MenuUserClickPopupRow(2);  // Play Match
    testenv::MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; }, 3000);
    testenv::MenuUserWait(3);
    testenv::MenuUserClickAt(400, 300);
    testenv::MenuUserWaitFor([] { return testenv::MenuTableUp(SquadListTable); }, 3000);
    testenv::MenuUserWait(3);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    for (int round = 0; round < 4 && !WinCloseRequested(); ++round) {
        DoMainMenuOption();
        afterBack = MenuOption;
        if (MenuOption != kScreenSquadList && MenuOption != kScreenClubMain) break;
        if (round > 0) break;
    }
    EXPECT_EQ(afterBack, kScreenClubMain) << "the squad list went back to an earlier road's screen";
}

// The answer to an application due on the season's last day: the day's
// messages tell the season's end, and the Continue then puts the answer
// before the user instead of playing on into the new season.
TEST_F(DayLoopTest, AnAnswerDueOnTheSeasonsLastDayComesBeforeTheNewSeason) {
    const int16_t club = FirstClubOf(0, 2);
    SeasonCalendar.currentDay = 364;
    JobApplicationRecord = {uint16_t(club), 364, 1};
    testenv::DayUserStart();
    RunDay(0);
    testenv::DayUserStop();
    EXPECT_EQ(SeasonCalendar.currentDay, 364) << "the season turned with the answer unseen";
    EXPECT_EQ(MenuOption, kScreenClubInfo);
    EXPECT_EQ(SelectedClub, uint16_t(club));
    ClearJobApplication();
}

// A deal waiting for the user's answer on a new season's first day: the
// squad numbers come first, and an offer made from a profile meanwhile
// deals in that profile's player.  The deal waits for its own opening: the
// day's messages that run after that offer open it.
TEST_F(DayLoopTest, ANewSeasonsWaitingDealWaitsForItsOwnOpeningNotTheNextOffer) {
    const int16_t seller = FirstClubOf(0, 1), other = FirstClubOf(0, 2);
    const uint16_t waiting = testenv::PlainPlayerOf(seller, 4);
    static uint16_t wanted, offered, opened;
    static int16_t resumed, openedResumed;
    wanted = offered = opened = 0;
    resumed = openedResumed = -1;
    for (int skip = 4; skip < 40 && wanted == 0; ++skip) {
        const uint16_t q = testenv::PlainPlayerOf(other, skip);
        if (q != 0 && HVW_CheckUserBid(q) == 0 && HVW_ValuePlayerFull(q) != 0) wanted = q;
    }
    ASSERT_NE(waiting, 0);
    ASSERT_NE(wanted, 0);
    SeasonCalendar.currentDay = 364;
    SeasonCalendar.weekday = 1;
    // Ready with the new season's first day: what the last day brought
    // comes at its own Continue.
    PendingDeal_ClearAll();
    PendingDeal_Add(waiting, 0, 0, 0, 0, 1, uint16_t(seller), uint16_t(user_), 500000, 500000, 1);
    ASSERT_EQ(PendingDealReady(0), 0);
    testenv::DayUserStart();
    RunDay(0);
    testenv::DayUserStop();
    ASSERT_EQ(SeasonCalendar.currentDay, 0);
    ASSERT_EQ(MenuOption, kScreenSquadNumbers);
    ASSERT_EQ(PendingDealPlayer(0), waiting) << "the new season took the deal";
    ASSERT_EQ(PendingDealReady(0), 1);

    const auto offerUp = [] {
        testenv::MenuUserWaitFor([] { return testenv::MenuTableUp(DealSheetTable); }, 3000);
        testenv::MenuUserWait(3);
    };
    const auto withdraw = [] {
        testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 60 && item.y == 559; });
    };
    SelectedPlayer = int16_t(wanted);
    ReturnMenuOption = kScreenClubMain;
    MenuOption = kScreenPlayerStats;
    testenv::MenuUserWaitFor([] { return testenv::MenuTableUp(PlayerStatsTable); }, 3000);
    testenv::MenuUserWait(3);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 60 && item.y == 559; });
    testenv::MenuUserWaitFor([] { return !MenuViewPopupRows().empty(); }, 200);
    testenv::MenuUserWait(3);
    testenv::MenuUserClickPopupRow(0);  // Make Offer
    offerUp();
    testenv::MenuUserDo([] {
        offered = uint16_t(SelectedPlayer);
        resumed = CurrentDeal.resumed;
    });
    withdraw();
    offerUp();
    testenv::MenuUserDo([] {
        opened = uint16_t(SelectedPlayer);
        openedResumed = CurrentDeal.resumed;
    });
    withdraw();
    for (int round = 0; round < 6 && MenuOption != kScreenClubMain && !WinCloseRequested(); ++round)
        DoMainMenuOption();
    EXPECT_EQ(offered, wanted) << "the offer from the profile dealt in another player";
    EXPECT_EQ(resumed, 0);
    EXPECT_EQ(opened, waiting) << "the waiting deal did not open after the offer";
    EXPECT_EQ(openedResumed, 1);
    EXPECT_EQ(MenuOption, kScreenClubMain);
    PendingDeal_ClearAll();
}

// Play Match shows no preview, but the user's match of the new day gets its
// own referee: not the one kept from an earlier match, here one of another
// country, who would otherwise officiate it.
TEST_F(DayLoopTest, PlayMatchAppointsTheRefereeOfTheUsersNextMatch) {
    FixtureFakesScope fakes;
    testenv::DayUserStart();
    const int16_t day = EmptyDays(3);
    ASSERT_GE(day, 0);
    SeasonCalendar.currentDay = day;
    SeasonCalendar.weekday = 1;
    const int16_t nation = int16_t(GetClubNation(user_));
    HVW_AddFixture(int16_t(day + 1), kCompFriendly, user_, FirstClubOf(0, 1), 0);
    int16_t stale = -1;
    for (int16_t referee = 0; referee < kRefereeSlots && stale < 0; ++referee) {
        const int16_t of = HVW_GetRefereeNation(referee);
        if (of >= 0 && of != nation) stale = referee;
    }
    ASSERT_GE(stale, 0);
    CurrentReferee = stale;
    RunDay(2);
    EXPECT_EQ(SeasonCalendar.currentDay, day + 1);
    EXPECT_NE(CurrentReferee, stale);
    EXPECT_EQ(HVW_GetRefereeNation(CurrentReferee), nation);
}

// Screen 47 by hand: a name typed into row 0 saves the game there with the
// season and date description; the two choice boxes delete it with its
// file; a save that cannot be written says so and leaves the slot free.
TEST_F(DayLoopTest, TheSaveScreenSavesByHandDeletesAndKeepsAFailedSaveOut) {
    using namespace testenv;
    std::filesystem::remove_all("SaveData");
    std::filesystem::create_directories("SaveData");
    const auto up = [] { return testenv::MenuTableUp(SaveLoadTable) && IsTextInputActive() == 0; };
    const auto typeName = [] {
        MenuUserClickItem([](const MenuHotItem& item) { return item.x == 110 && item.y == 130; });
        MenuUserWaitFor([] { return IsTextInputActive() != 0; });
        MenuUserWait(3);
        for (uint8_t key : {0x2E, 0x16, 0x19}) MenuUserShiftKey(key);  // CUP
        MenuUserKey(0x1C);
    };
    SaveLoadMode = 0;

    MenuUserWaitFor(up, 3000);
    typeName();
    MenuOption = kScreenSaveGame;
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenClubMain);
    ASSERT_EQ(LoadGameIndex(), 0);
    EXPECT_EQ(SaveSlotFlags[0], 1u);
    EXPECT_EQ(std::string(SaveSlotNames[0]).substr(0, 4), "CUP ");
    EXPECT_EQ(std::string(SaveSlotDescriptions[0]).rfind("Season : 2002/2003 Date : ", 0), 0u)
        << SaveSlotDescriptions[0];
    EXPECT_TRUE(std::filesystem::exists("SaveData/save0"));

    // The row is in use: delete, then yes.
    MenuUserWaitFor(up, 3000);
    MenuUserWait(3);
    MenuUserDo([] { EXPECT_EQ(SaveSlotShownUsed[0], 1); });
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 110 && item.y == 130; });
    MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; });
    MenuUserWait(3);
    MenuUserClickAt(400, 300);
    MenuUserWait(10);
    MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; });
    MenuUserWait(3);
    MenuUserClickAt(400, 380);
    MenuUserWaitFor(up);
    MenuUserWait(5);
    MenuUserDo([] {
        EXPECT_EQ(SaveSlotFlags[0], 0u);
        EXPECT_FALSE(std::filesystem::exists("SaveData/save0"));
    });
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    MenuOption = kScreenSaveGame;
    DoMainMenuOption();
    EXPECT_EQ(MenuOption, kScreenClubMain);

    // A folder where the save should go: the save fails, a box says so and
    // the screen stays with the slot free.
    std::filesystem::create_directories("SaveData/save0/x");
    static bool boxShown;
    static std::string boxText;
    boxShown = false;
    boxText.clear();
    MenuUserWaitFor(up, 3000);
    typeName();
    MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; });
    MenuUserDo([] {
        boxShown = true;
        boxText = MenuViewLastMessageBox();
    });
    MenuUserWait(3);
    MenuUserClickAt(400, 300);
    MenuUserWaitFor(up);
    MenuUserWait(5);
    MenuUserDo([] { EXPECT_EQ(SaveSlotFlags[0], 0u); });
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    MenuOption = kScreenSaveGame;
    {
        StdoutCapture quiet;
        DoMainMenuOption();
        quiet.Text();
    }
    EXPECT_TRUE(boxShown);
    EXPECT_EQ(boxText, GetText(1661));
    ASSERT_EQ(LoadGameIndex(), 0);
    EXPECT_EQ(SaveSlotFlags[0], 0u);
}

// A scout's tip in the inbox, the game saved, the tip answered with a bid
// then withdrawn: the tip has no buttons left.  The game saved before is
// loaded: its tip is the saved game's, with its buttons, since the player
// approached since is the running game's.
TEST_F(DayLoopTest, ALoadedGamesTipIsAsSavedWhateverTheRunningGameApproached) {
    using namespace testenv;
    std::filesystem::remove_all("SaveData");
    std::filesystem::create_directories("SaveData");
    const int16_t other = FirstClubOf(0, 2);
    uint16_t tipped = 0;
    for (int skip = 4; skip < 40 && tipped == 0; ++skip) {
        const uint16_t q = PlainPlayerOf(other, skip);
        if (q != 0 && HVW_ValuePlayerFull(q) != 0 && HVW_CheckUserBid(q) == 0) tipped = q;
    }
    ASSERT_NE(tipped, 0);
    for (int16_t slot = 0; slot < 4; ++slot) SetClubBid(user_, slot, 0, 0, 0);
    std::memset(UserInbox, 0, sizeof UserInbox);
    MessageRecord& tip = UserInbox[0];
    std::memset(tip.bytes, 0xFF, sizeof tip.bytes);
    recbits::StoreU32(tip.bytes + kMsgPlayerA, tipped);
    recbits::StoreU16(tip.bytes + kMsgType, uint16_t(kMsgScoutTip));
    recbits::StoreU16(tip.bytes + kMsgDay, uint16_t(HVW_GetCurrentDay()));
    tip.bytes[kMsgRead] = 0;
    tip.bytes[kMsgAnswered] = 0;
    const int16_t folder = InboxFolderOfType(kMsgScoutTip);
    const auto drive = [] {
        for (int round = 0; round < 8 && !WinCloseRequested(); ++round) {
            DoMainMenuOption();
            if (MenuOption == kScreenClubMain) return;
        }
    };
    const auto openTip = [folder] {
        MenuUserWaitFor([] { return MenuTableUp(InboxTable); }, 3000);
        MenuUserWait(3);
        MenuUserClickAt(42 + 64, 113 + 30 * folder + 11);
        MenuUserWait(5);
        MenuUserClickAt(174 + 200, 128 + 10);
        MenuUserWait(5);
    };
    static InboxButtonSet saved, answered, loaded;
    saved = answered = loaded = InboxButtonSet(-1);

    // Saved by hand in the first row.
    MenuUserWaitFor([] { return MenuTableUp(SaveLoadTable) && IsTextInputActive() == 0; }, 3000);
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 110 && item.y == 130; });
    MenuUserWaitFor([] { return IsTextInputActive() != 0; });
    MenuUserWait(3);
    MenuUserShiftKey(0x1E);  // A
    MenuUserKey(0x1C);
    MenuOption = kScreenSaveGame;
    drive();
    ASSERT_TRUE(std::filesystem::exists("SaveData/save0"));

    // The tip: a bid, withdrawn on the offer; the profile it ends on leads home.
    openTip();
    MenuUserDo([] { saved = InboxShownButtons(); });
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 425 && item.y == 430; });
    MenuUserWaitFor([] { return MenuTableUp(DealSheetTable); }, 3000);
    MenuUserWait(3);
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 60 && item.y == 559; });
    MenuUserWaitFor([] { return MenuTableUp(PlayerStatsTable); }, 3000);
    MenuUserWait(3);
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    MenuOption = kScreenInbox;
    drive();
    openTip();
    MenuUserDo([] { answered = InboxShownButtons(); });
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    MenuOption = kScreenInbox;
    drive();

    // The save loaded from the running game.
    MenuUserWaitFor([] { return MenuTableUp(SaveLoadTable); }, 3000);
    MenuUserWait(5);
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 110 && item.y == 130; });
    MenuOption = kScreenLoadGame;
    drive();
    ASSERT_EQ(MenuOption, kScreenClubMain);
    openTip();
    MenuUserDo([] { loaded = InboxShownButtons(); });
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 743 && item.y == 559; });
    MenuOption = kScreenInbox;
    drive();
    EXPECT_EQ(saved, kInboxOfferButtons);
    EXPECT_EQ(answered, kInboxNoButtons);
    EXPECT_EQ(loaded, kInboxOfferButtons) << "the loaded game's tip kept the running game's approach";
    for (int16_t slot = 0; slot < 4; ++slot) SetClubBid(user_, slot, 0, 0, 0);
    std::memset(UserInbox, 0, sizeof UserInbox);
}

TEST_F(DayLoopTest, AWindowClosedDuringADayLetsTheDayFinishAndEndsTheFrontEnd) {
    const int16_t day = EmptyDays(2);
    ASSERT_GE(day, 0);
    SeasonCalendar.currentDay = day;
    HVW_AddFixture(day, kCompFriendly, user_, FirstClubOf(3, 0), 0);
    FixtureFakesScope fakes;
    plat::InjectClose();
    RunDay(0);
    EXPECT_EQ(SeasonCalendar.currentDay, day + 1);
    EXPECT_TRUE(EveryFixturePlayedSince(day));
    EXPECT_EQ(Fakes().unshown, 1) << "a closed window shows no match";
    EXPECT_EQ(MenuOption, kScreenQuit);
}

// The title bar's quit entry chosen on a list of the day and answered
// "Yes": the game ends.  On today's fixtures, before the matches, nothing is
// played; on the day's results the day finishes first.  Another screen
// chosen on the day's results is the next one once the day is over.
TEST_F(DayLoopTest, ScreensChosenOnTheDaysListsAreTaken) {
    const int16_t day = EmptyDays(3);
    ASSERT_GE(day, 0);
    SeasonCalendar.currentDay = day;
    HVW_AddFixture(day, kCompFriendly, user_, FirstClubOf(3, 0), 0);
    FixtureFakesScope fakes;
    // The list to quit from, by its opened-from-Continue word.
    static uint16_t quitFrom = 0;
    static int quits = 0;
    // The caption whose list is opened: 20 the game's (quit), 171 the club's.
    static int caption = 20;
    quits = 0;
    testenv::DayUserScreen() = [] {
        if (quits != 0 || !testenv::MenuTableUp(HistoryBrowserTable) || HistoryOpenedFromContinue != quitFrom)
            return false;
        ++quits;
        testenv::MenuUserClickItem(
            [](const MenuHotItem& item) { return item.popup != nullptr && item.x == caption; });
        testenv::MenuUserWait(15);
        testenv::MenuUserClickPopupRow(1);  // the quit; the squad list
        testenv::MenuUserWait(30);
        if (caption == 20) testenv::MenuUserClickAt(300, 350);  // "Yes"
        return true;
    };
    testenv::DayUserStart();
    quitFrom = 1;
    RunDay(2);
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(MenuOption, kScreenQuit);
    EXPECT_EQ(SeasonCalendar.currentDay, day);
    EXPECT_EQ(Fakes().shown + Fakes().unshown + Fakes().predicted, 0) << "a match played after the quit";

    quits = 0;
    quitFrom = 0;
    RunDay(2);
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(MenuOption, kScreenQuit);
    EXPECT_EQ(SeasonCalendar.currentDay, day + 1);
    EXPECT_TRUE(EveryFixturePlayedSince(day));

    HVW_AddFixture(int16_t(day + 1), kCompFriendly, user_, FirstClubOf(3, 0), 0);
    quits = 0;
    caption = 171;
    RunDay(0);
    testenv::DayUserScreen() = nullptr;
    caption = 20;
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(MenuOption, kScreenSquadList);
    EXPECT_EQ(SeasonCalendar.currentDay, day + 2);
    EXPECT_TRUE(EveryFixturePlayedSince(day));
}

TEST_F(DayLoopTest, SoakRunsOnToItsStopPointOrToEscape) {
    FixtureFakesScope fakes;
    testenv::DayUserStart();  // the results screens after his match still wait
    // A stop point a week ahead: soak runs past the user's match days and
    // the weekday stops, goes off at the stop point and the run returns at
    // its next ordinary stop.
    int16_t day = EmptyDays(2);
    ASSERT_GE(day, 0);
    SeasonCalendar.currentDay = day;
    SeasonCalendar.weekday = 1;
    HVW_AddFixture(int16_t(day + 2), kCompFriendly, user_, FirstClubOf(3, 0), 0);
    SoakMode = 1;
    SoakStopPointSeason = SeasonCalendar.season;
    SoakStopPointDay = int16_t(day + 7);
    RunDay(1);
    EXPECT_EQ(SoakMode, 0u);
    EXPECT_GE(SeasonCalendar.currentDay, day + 7);
    EXPECT_LE(SeasonCalendar.currentDay, day + 14);
    EXPECT_TRUE(EveryFixturePlayedSince(day));

    // Escape ends a soak with no stop point after the day it is pressed on.
    day = SeasonCalendar.currentDay;
    SoakMode = 1;
    SoakStopPointSeason = -1;
    plat::InjectKey(1, false, true);
    plat::InjectKey(1, false, false);
    RunDay(1);
    EXPECT_EQ(SeasonCalendar.currentDay, day + 1);
    EXPECT_EQ(SoakMode, 1u);
    SoakMode = 0;
}

}  // namespace

namespace {

// The flash panel over the screen: flashes that came fast wait a fifth of a
// second first; the panel's icon is drawn over what was there.
TEST_F(MenuEngineTest, TheFlashPanelWaitsAfterFastFlashesAndDrawsOverTheScreen) {
    MatchDay_ClearMessages();
    std::snprintf(MatchDayMessageQueue.text[0], kDayFlashTextSize, "Rovers have a new manager");
    MatchDayMessageQueue.head = 1;
    MatchDayMessageQueue.flags = kDayFlashFast;
    const std::vector<uint8_t> before = BackRect(380, 280, 40, 40);
    const uint32_t start = GetTimerTicks();
    MatchDay_ShowMessages();
    EXPECT_GE(GetTimerTicks() - start, 100u);
    EXPECT_EQ(MatchDayMessageQueue.flags & kDayFlashFast, 0);
    EXPECT_NE(BackRect(380, 280, 40, 40), before);
    const uint32_t again = GetTimerTicks();
    MatchDay_ShowMessages();
    EXPECT_LT(GetTimerTicks() - again, 100u) << "no wait without fast flashes";
}

}  // namespace
