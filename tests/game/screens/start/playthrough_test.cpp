// A playthrough from the program's start on the headless display: the
// start pictures, the start screen, the video options and name editors
// looked at, a new game, a club taken and the manager's name typed; days
// played by the Continue pop-up's entries ("One Day" on free days, "Play
// Match" on the user's match days, "Run On" once), every panel, board, list
// and box clicked through by the scripted day user; then the game saved from
// the title bar's game list into row 0 of the save screen, seven more days
// from a seeded generator, a quit, and the saved blocks hashed.  The front
// end run again from its start, "Load Game" and row 0, the generator seeded
// alike and the same seven days: the same hash.  After every day the club
// screen is up, every fixture since the first day is played and the title
// date is the calendar's.  The suite plays a week before the save (a month
// on request).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/club/squads.h"
#include "core/match/matchphases.h"
#include "core/query/datesandform.h"
#include "core/query/fixturelookups.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/records/blockfiles.h"
#include "core/records/records.h"
#include "core/records/savetable.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/textentry.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/start/saveslots.h"
#include "game/screens/start/startmenu.h"
#include "game/system/startup.h"
#include "tests/fakes/day_user.h"
#include "tests/fakes/role_choices.h"
#include "tests/fakes/start_path.h"
#include "tests/fakes/test_util.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

using namespace testenv;

// The suite plays a week before the save and a week after it;
// HALVORN_PLAYTHROUGH_DAYS=31 plays the month before the save.  A checked
// (sanitizer) tree, several times slower, plays three days each side.  Read
// as the test runs: the test program sets the checked tree's short form
// only once static initialisation is over.
int PlayDaysBeforeSave() {
    const char* days = std::getenv("HALVORN_PLAYTHROUGH_DAYS");
    const int asked = days != nullptr ? std::atoi(days) : 0;
    return asked > 0 ? asked : ShortTestRun() ? 3 : 7;
}
int PlayDaysAfterSave() { return ShortTestRun() ? 3 : 7; }
constexpr uint32_t kPlaySeed = 20030;
// The saved block of the club screens' word, which a load sets to 1.
constexpr int kPlayLoadSetBlock = 44;

// What the scripted user is after on the club screen.
enum class PlayPhase { Days, Save, Quit, Done };

struct PlayState {
    PlayPhase phase = PlayPhase::Days;
    int16_t firstDay = 0;
    int16_t targetDay = 0;
    int16_t lastCheckedDay = -1;
    int16_t user = -1;
    int daysBeforeSave = 7, daysAfterSave = 7;
    int oneDays = 0, matchDays = 0, runOns = 0;
    // Match days of his first team: those end on the result board (a
    // reserve-league match gets a result only).
    int firstTeamMatchDays = 0;
    int daysChecked = 0;
    int attempts = 0;
    bool seedAtNextScreen = false;
    int16_t introStepAtSave = 0;
    // The script's own counts as they stood at the save, so that the
    // loaded run makes the choices the first run made after it.
    int oneDaysAtSave = 0, runOnsAtSave = 0;
    bool gaveUp = false;
    std::vector<std::string> problems;
};
PlayState g_play;

bool PlayClubScreenUp() { return MenuOption == kScreenClubMain && testenv::MenuTableUp(ClubMainTable); }

// As the club screen sees it when it offers the Continue entries.
bool PlayUserPlaysToday() { return (MatchDayFlags & kDayLoopPlaysToday) != 0; }

// The checks after every day, the first time the club screen is up on it.
void PlayCheckDay() {
    const int16_t today = SeasonCalendar.currentDay;
    if (today == g_play.lastCheckedDay) return;
    g_play.lastCheckedDay = today;
    ++g_play.daysChecked;
    for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) < today; ++slot) {
        if (FixtureDay(slot) >= g_play.firstDay && !IsFixturePlayed(slot)) {
            g_play.problems.push_back("day " + std::to_string(today) + ": slot " + std::to_string(slot) +
                                      " of day " + std::to_string(FixtureDay(slot)) + " unplayed");
            break;
        }
    }
    char date[40];
    std::snprintf(date, sizeof date, "%s %d", GetText(int16_t(9 + HVW_GetCalendarMonth())),
                  HVW_GetCalendarYear());
    if (std::strcmp(TitleString2, date) != 0 && TitleString2[0] != '\0') {
        g_play.problems.push_back("day " + std::to_string(today) + ": title " + TitleString2 + " not " +
                                  date);
    }
}

void PlayOpenGameList() {
    MenuUserClickItem([](const MenuHotItem& item) { return item.popup != nullptr && item.x == 20; });
    MenuUserWait(15);
}

bool PlayOnClubScreen() {
    if (!PlayClubScreenUp()) return false;
    PlayCheckDay();
    if (g_play.seedAtNextScreen) {
        g_play.seedAtNextScreen = false;
        GameSeedRandom(kPlaySeed);
        g_play.targetDay = int16_t(SeasonCalendar.currentDay + g_play.daysAfterSave);
    }
    switch (g_play.phase) {
        case PlayPhase::Days:
            break;
        case PlayPhase::Save:
            PlayOpenGameList();
            MenuUserClickPopupRow(0);
            MenuUserWait(10);
            return true;
        case PlayPhase::Quit:
            PlayOpenGameList();
            MenuUserClickPopupRow(1);
            // The question box: waited for, as its opening takes more frames
            // on a loaded machine.
            MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; });
            MenuUserWait(5);
            MenuUserClickAt(300, 350);
            MenuUserWait(10);
            g_play.phase = PlayPhase::Done;
            return true;
        default:
            return false;
    }
    if (SeasonCalendar.currentDay >= g_play.targetDay) {
        g_play.phase = g_play.seedAtNextScreen || g_play.targetDay > g_play.firstDay + g_play.daysBeforeSave
                           ? PlayPhase::Quit
                           : PlayPhase::Save;
        return true;
    }
    // Continue: "Play Match" on his match days, "Run On" once on a free
    // day, "One Day" otherwise.
    if (++g_play.attempts > 200) {
        g_play.problems.push_back("the days do not move on");
        MenuUserClose();
        g_play.phase = PlayPhase::Done;
        return true;
    }
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 399 && item.y == 559; });
    MenuUserWait(15);
    int row = 0;
    if (PlayUserPlaysToday()) {
        // The user names his sides and their captains and set-piece takers
        // before his match, as on the team screens.
        HVW_PickClubTeam(g_play.user);
        SelectReserveTeamByFormation(g_play.user, 5, 0, kCompReserveLeague);
        HVW_PickClubTeam(g_play.user);
        ChooseSideRoles(g_play.user, false);
        ChooseSideRoles(g_play.user, true);
        row = 2;
        ++g_play.matchDays;
        for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) <= uint16_t(SeasonCalendar.currentDay);
             ++slot) {
            if (FixtureDay(slot) == uint16_t(SeasonCalendar.currentDay) &&
                (FixtureHome(slot) == g_play.user || FixtureAway(slot) == g_play.user) &&
                FixtureType(slot) != kCompReserveLeague) {
                ++g_play.firstTeamMatchDays;
                break;
            }
        }
    } else if (g_play.runOns == 0 && g_play.oneDays >= 3 && SeasonCalendar.currentDay < 300) {
        row = 1;
        ++g_play.runOns;
    } else {
        ++g_play.oneDays;
    }
    MenuUserClickPopupRow(row);
    MenuUserWait(10);
    return true;
}

bool PlayOnSaveScreen() {
    if (!testenv::MenuTableUp(SaveLoadTable) || IsTextInputActive() != 0 || SaveLoadMode != 0) return false;
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 110 && item.row == 0; });
    g_play.introStepAtSave = IntroStep;
    g_play.oneDaysAtSave = g_play.oneDays;
    g_play.runOnsAtSave = g_play.runOns;
    MenuUserWaitFor([] { return IsTextInputActive() != 0; });
    MenuUserWait(3);
    for (uint8_t key : {0x2E, 0x16, 0x19}) MenuUserShiftKey(key);  // CUP
    MenuUserKey(0x1C);
    MenuUserWait(10);
    g_play.phase = PlayPhase::Days;
    g_play.seedAtNextScreen = true;
    return true;
}

// A script that lost its way (a click that opened nothing, a box never
// answered) ends its run as a failure rather than leaving it hanging.
bool PlayGiveUpWhenLost() {
    constexpr int kFrameLimit = 400000;
    if (g_play.gaveUp || MenuUserFrames() < kFrameLimit) return false;
    g_play.gaveUp = true;
    g_play.problems.push_back("the run did not end within " + std::to_string(kFrameLimit) + " frames");
    g_play.phase = PlayPhase::Done;
    MenuUserClose();
    return true;
}

bool PlayScreens() { return PlayGiveUpWhenLost() || PlayOnSaveScreen() || PlayOnClubScreen(); }

// Runs the program's front end from its start until the user quits.  The
// game's own log lines are kept out of the test's output unless the run
// went wrong.
void PlayRun() {
    StdoutCapture quiet;
    StartPathRunGameMain();
    const std::string log = quiet.Text();
    if (!g_play.problems.empty() || ::testing::Test::HasFailure()) {
        constexpr size_t kShownLog = 6000;
        std::printf("... the run's last output:\n%s\n",
                    log.substr(log.size() > kShownLog ? log.size() - kShownLog : 0).c_str());
    }
}

// At the club screen of the new game: the user's club as the job left it.
void PlayAtNewClub() {
    g_play.user = int16_t(GetPlayerClub(1));
    g_play.firstDay = SeasonCalendar.currentDay;
    g_play.targetDay = int16_t(g_play.firstDay + g_play.daysBeforeSave);
    DayUserStart();
}

// The saved blocks of the game as it stands, written to slot 1 and hashed.
// The club screens' word that every load sets (block 44) is left out, and
// so is the trailer.
uint64_t PlaySavedBlocksHash() {
    EXPECT_EQ(SaveGame(1), 0);
    const std::vector<uint8_t> bytes = ReadHostFile("SaveData/save1");
    if (bytes.size() < kBlockFileHeaderSize) return 0;
    size_t skipFrom = kBlockFileHeaderSize;
    for (int i = 0; i < kPlayLoadSetBlock; ++i) skipFrom += 4 + SaveGameDescriptors[i].size;
    skipFrom += 4;  // the block's size word
    const size_t skipTo = skipFrom + SaveGameDescriptors[kPlayLoadSetBlock].size;
    uint64_t hash = 1469598103934665603ull;
    // The trailer's check word runs over every block, that one too.
    const size_t blocksEnd = bytes.size() - kBlockFileTrailerSize;
    for (size_t at = 0; at < blocksEnd; ++at) {
        if (at >= skipFrom && at < skipTo) continue;
        hash = (hash ^ bytes[at]) * 1099511628211ull;
    }
    return hash;
}

class PlaythroughTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        MenuEngineTest::SetUp();
        if (!started_) return;
        InstallGameHooks();
        scratch_ = std::make_unique<ScratchFolder>("playthrough");
        std::filesystem::create_directories("SaveData/GOALS");
        if (!StartPathLinkGameData(HALVORN_GAME_DIR)) GTEST_FAIL() << GameDataMissing("stats");
    }
    void TearDown() override {
        DayUserStop();
        DayUserScreen() = nullptr;
        // The hooks the test program starts with: a later test may need the
        // front end called from the core (the progress a new game shows).
        InstallGameHooks();
        scratch_.reset();
        MenuEngineTest::TearDown();
    }
    std::unique_ptr<ScratchFolder> scratch_;
};

TEST_F(PlaythroughTest, ANewGameFromTheStartThenTheGameLoadedByTheStartScreenPlaysTheSameWeek) {
    ClearTotStatTables();
    std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
    GameSeedRandom(2002);
    g_play = PlayState{};
    g_play.daysBeforeSave = PlayDaysBeforeSave();
    g_play.daysAfterSave = PlayDaysAfterSave();
    ScreenPresented = 0;
    DayUserScreen() = PlayScreens;
    // The new game by the start screen's own road, as the player takes it.
    StartPathNewGame choices;
    choices.videoOptions = choices.nameEditors = false;
    StartPathQueueNewGame(choices, PlayAtNewClub);
    PlayRun();
    ASSERT_GE(g_play.user, 0) << "the new game did not reach the club screen";
    const uint64_t first = PlaySavedBlocksHash();
    const int16_t dayAfterFirstWeek = SeasonCalendar.currentDay;

    for (const std::string& problem : g_play.problems) ADD_FAILURE() << problem;
    EXPECT_STREQ(GetPlayerSurname(1), "HOLM");
    EXPECT_EQ(GetClubControl(g_play.user), 1);
    EXPECT_GE(g_play.daysChecked, g_play.daysBeforeSave + g_play.daysAfterSave);
    EXPECT_GE(g_play.matchDays, g_play.daysBeforeSave >= 31 ? 4 : 1);
    EXPECT_EQ(g_play.runOns, 1);
    EXPECT_GE(DayUserSeen().resultBoards, g_play.firstTeamMatchDays > 0 ? 1 : 0);
    EXPECT_GT(DayUserSeen().resultsLists, 0);
    // The save's row.
    ASSERT_EQ(LoadGameIndex(), 0);
    EXPECT_EQ(SaveSlotFlags[0], 1u);
    EXPECT_EQ(std::string(SaveSlotNames[0]).substr(0, 3), "CUP");
    EXPECT_EQ(std::string(SaveSlotDescriptions[0]).rfind("Season : 2002/2003 Date : ", 0), 0u)
        << SaveSlotDescriptions[0];

    // The program again: the game saved in row 0 loaded from the start
    // screen, and the same week played.
    g_play.phase = PlayPhase::Days;
    g_play.problems.clear();
    g_play.gaveUp = false;
    g_play.lastCheckedDay = -1;
    g_play.oneDays = g_play.oneDaysAtSave;
    g_play.runOns = g_play.runOnsAtSave;
    ScreenPresented = 0;
    // What a program run holds beyond the saved game stands as it stood at
    // the save: whether the players' introduction before a match has been
    // shown yet in this run.
    IntroStep = g_play.introStepAtSave;
    DayUserStop();
    MenuUserStop();  // the first run's script ends here
    MenuUserStart();
    StartPathQueueLoadGame(0, [] {
        g_play.seedAtNextScreen = true;
        DayUserStart();
    });
    PlayRun();
    const uint64_t second = PlaySavedBlocksHash();
    for (const std::string& problem : g_play.problems) ADD_FAILURE() << problem;
    EXPECT_EQ(SeasonCalendar.currentDay, dayAfterFirstWeek);
    EXPECT_NE(first, 0u);
    EXPECT_NE(second, 0u);
    EXPECT_EQ(second, first) << "the loaded game played the week differently";
}

}  // namespace
