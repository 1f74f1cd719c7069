// The user's shown match on the game's road, from the club's Continue to
// the day after: days played one by one to his first match; the match shown
// in 3D (mostly under H) with a grab at the kick-off; his side's statistics
// at half-time, left by the back icon; two goals scored and saved; the day
// ending on the goal-replay screen, which plays each saved goal and returns
// to the club, and passes over a goal file damaged after the day; the game
// saved and loaded after it.  The same days under "-no3d" make no display
// call; a window closed during the match lets the day finish and the game
// end.  Each road runs in a child process started from the same world (a
// short run: the long playthrough of the first playable loop is a test of
// its own).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "database/Access.h"
#include "database/disk.h"
#include "database/query/funcs_forward.h"
#include "database/query/funcs_state.h"
#include "database/text.h"
#include "generic/igmcont.h"
#include "generic/igscreens.h"
#include "generic/matchcam.h"
#include "generic/matchkeys.h"
#include "generic/replay.h"
#include "management/kittab.h"
#include "match/matchclock.h"
#include "match/matchengine.h"
#include "match/matchhooks.h"
#include "match/matchrules.h"
#include "match/matchsetup.h"
#include "match/matchstate.h"
#include "match/periodrunner.h"
#include "match/wholematch.h"
#include "menus/matchday.h"
#include "menus/menucont.h"
#include "menus/menusetup.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "season/calendar.h"
#include "season/fixtures.h"
#include "season/leagues.h"
#include "support/keyboard.h"
#include "support/mem_win.h"
#include "support/mouse.h"
#include "support/pakfile.h"
#include "support/poll.h"
#include "support/random.h"
#include "support/startup.h"
#include "support/timerint.h"
#include "support/winlib.h"
#include "tests/fakes/child_run.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/day_user.h"
#include "tests/fakes/menu_user.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/shown_match.h"
#include "tests/fakes/sound_recorder.h"
#include "tests/fakes/test_util.h"
#include "tests/menus/shared_world.h"
#include "tolmenu/vidopt.h"
#include "zud3d/d3dgame.h"
#include "zud3d/d3dware.h"

namespace {

using testenv::FirstClubOf;
using testenv::FixturesOn;
using testenv::Frame;

// What a child saw of its road.
struct RoadSeen {
    int32_t played = 0;
    int32_t optionAfterMatchDay = 0;
    int32_t optionAfterReplays = 0;
    int32_t shownMatches = 0;
    int32_t unshownMatches = 0;
    int32_t kickOffGreen = 0;
    int32_t kickOffShirts = 0;  // bit per side
    int32_t halfTimeMenus = 0;
    int32_t halfTimeArg = -1;
    int32_t goalsStaged = 0;
    int32_t goalFiles = 0;
    int32_t goalsScored = 0;
    int32_t goalsSkipped = 0;
    int32_t replaysAfterDamage = 0;
    int32_t optionAfterDamage = 0;
    int32_t replaysShown = 0;
    int32_t replayGreen = 0;
    int32_t replayPanelShare = 0;
    int32_t displayCalls = 0;
    int32_t framesDrawn = 0;
    int32_t framesAfterClose = 0;
    int32_t menusOpen = 0;
    int32_t savedAndLoaded = 0;
    int32_t dayAfterLoad = 0;
    int32_t goalFilesAfterLoad = -1;
};

RoadSeen g_road;
int16_t g_slot = -1;
// The replay being looked at (its saved-goal index) and its frames.
int16_t g_replayIndex = -1;
int g_replayFrames = 0;
int g_kickOffFrames = 0;
bool g_closeDuringMatch = false;
std::string g_damagedName;
Frame g_kickOff;

// A saved goal looked at: its first drawn frames grabbed, then closed by F2.
void LookAtReplay() {
    if (GoalReplayNumber != g_replayIndex) {
        g_replayIndex = GoalReplayNumber;
        g_replayFrames = 0;
        ++g_road.replaysShown;
    }
    if (++g_replayFrames != 10) return;
    const Frame now = testenv::GrabFrame("grab_savedgoal.tga");
    g_road.replayGreen = testenv::GreenPercent(now);
    // The replay panel at the bottom, against the kick-off's picture.
    g_road.replayPanelShare = testenv::DifferingShare(now, g_kickOff, 250, 500, 550, 590);
    plat::InjectKey(uint8_t(matchkey::kF2), false, true);
    plat::InjectKey(uint8_t(matchkey::kF2), false, false);
}

// The shown match after each drawn frame: the fly-in cut short, drawing off
// (H) to the kick-off, a grab of play, then H again to the end.
void LookAtMatch() {
    if (GameInfo.I16(gameinfo::kCompetition) < 0) {
        LookAtReplay();
        return;
    }
    if (g_closeDuringMatch && MatchClockRunning) {
        if (!WinCloseRequested()) plat::InjectClose();
        ++g_road.framesAfterClose;
        return;
    }
    constexpr int kLookFrames = 60;
    if (Period == 0 && g_kickOffFrames < kLookFrames) {
        if (!MatchClockRunning) {
            // The fly-in and the line-up undrawn, as under H.
            FlyInHeight = 0.0f;
            DrawMode = 2;
        } else if (++g_kickOffFrames % 5 == 0) {
            // Play from the kick-off on, grabbed until both kits were seen.
            const Frame now = testenv::GrabFrame("grab_roadkickoff.tga");
            if (g_kickOffFrames == 5) {
                g_kickOff = now;
                g_road.kickOffGreen = testenv::GreenPercent(now);
            }
            for (int side = 0; side < 2; ++side)
                if (testenv::SideShirtInView(now, side)) g_road.kickOffShirts |= 1 << side;
            if (g_road.kickOffShirts == 3) g_kickOffFrames = kLookFrames;
        }
        return;
    }
    // The rest of the match undrawn, as under H; an automatic goal replay
    // closed as the user closes it.
    if (Replay_IsPlaying()) Replay_Stop();
    DrawMode = 2;
}

// A goal in each half, scored where the ball is: the goal phase counts it
// and saves its replay 100 ticks on.
void StageGoals() {
    if (!MatchClockRunning || MatchPhase != 0 || PeriodClock < 400) return;
    if (g_road.goalsStaged > int(Period) || Period > 1) return;
    BallState.y = int16_t(kPitchHalfwayY + 900);
    MatchPhase = kPhaseGoal;
    ++g_road.goalsStaged;
}

// The display's hooks with the test's look after each drawn frame and its
// goals in each tick.
void LookAtEveryFrame() {
    MatchHooks.updateAndRender = [] {
        D3DGame_Update();
        const int32_t drawn = D3DGameFramesDrawn;
        D3DGame_RenderFrame();
        if (D3DGameFramesDrawn != drawn) LookAtMatch();
    };
    MatchHooks.tickDisplayStep = [] {
        if (D3DGame_IsStarted()) D3DGame_Tick();
        if (DrawMode == 2 && MatchClockRunning && g_kickOffFrames == 0) DrawMode = 0;
        if (!g_closeDuringMatch) StageGoals();
    };
}

// The match of the fixture pipeline with halves of two minutes and the
// user's side in his hands: shown, it opens his side's menus at half-time.
void RoadMatch() {
    EnterGameInfo* block = GetMatchSetupBlock();
    block->SetI16(gameinfo::kDurationMinutes, 2);
    const bool shown = (DisplayModeFlags & kDisplayOff) == 0;
    (shown ? g_road.shownMatches : g_road.unshownMatches) += 1;
    g_kickOffFrames = 0;
    const MatchDisplayHooks kept = MatchHooks;
    if (shown) LookAtEveryFrame();
    PlayMatch();
    g_road.goalsScored += Goals[0] + Goals[1];
    MatchHooks = kept;
}

// The in-match menus the day user meets: the side's statistics between the
// periods (or at a stoppage the engine asks for), left by the back icon.
bool MeetInMatchMenus() {
    static bool left = false;
    if (InGameMenuActive != 1) {
        left = false;
        return false;
    }
    if (left || MenuViewTopTable() != IgTeamStatsTable || ScreenPresented != 1 || MenuViewHotItems().empty())
        return true;
    left = true;
    // Between the periods (a sending-off also opens them at a stoppage).
    if (MatchFinished != 0) {
        ++g_road.halfTimeMenus;
        g_road.halfTimeArg = InGameMenuArg;
    }
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.handler == IgButtonBar_Back; });
    return true;
}

// Counts the display's entries a match can call.
MatchDisplayHooks g_realHooks;
void CountDisplayCalls() {
    g_realHooks = MatchHooks;
    MatchHooks.displayOn = [] {
        ++g_road.displayCalls;
        if (g_realHooks.displayOn != nullptr) g_realHooks.displayOn();
    };
    MatchHooks.updateAndRender = [] {
        ++g_road.displayCalls;
        if (g_realHooks.updateAndRender != nullptr) g_realHooks.updateAndRender();
    };
    MatchHooks.openInGameMenu = [](int16_t menu) {
        ++g_road.displayCalls;
        if (g_realHooks.openInGameMenu != nullptr) g_realHooks.openInGameMenu(menu);
    };
    MatchHooks.igMenuRequest6 = [](int16_t team) {
        ++g_road.displayCalls;
        if (g_realHooks.igMenuRequest6 != nullptr) g_realHooks.igMenuRequest6(team);
    };
}

int GoalFilesNow() {
    int count = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("SaveData/GOALS", error))
        count += entry.path().extension() == ".dhf";
    return count;
}

enum class Road { kShown, kNo3D, kClosed };

class MatchRoadTest : public ::testing::Test {
  protected:
    static inline testenv::SharedNewWorld world_;
    void SetUp() override {
        worldReady_ = testenv::StartFromNamedWorld(world_);
        if (!worldReady_) GTEST_SKIP() << "no new game";
    }

    // Continue, one day at a time, as the club's pop-up starts each day.
    static void ContinueOneDay() {
        DeleteGoalReplayFiles();
        SavedGoalCount = 0;
        PendingGoalReplay = 0;
        ContinueMode = 0;
        MenuOption = 43;
        StdoutCapture quiet;
        DoMainMenuOption();
        quiet.Text();
    }

    // Two days without a fixture of his, then his league match against a
    // club of his division, then the screen the day ended on.
    static void PlayTheRoad(Road road) {
        testenv::ScratchDir scratch("matchroad");
        testenv::StartShownGame(road == Road::kNo3D);
        const int16_t user = FirstClubOf(0, 0), rival = FirstClubOf(0, 0, user);
        SetPlayerClub(1, uint16_t(user));
        SetClubControl(user, 1);
        HVW_SetViewedCountry(0);
        SoakMode = 0;
        int16_t day = 100;
        while (day < 340 &&
               (FixturesOn(day) + FixturesOn(day + 1) + FixturesOn(day + 2) + FixturesOn(day + 3)) != 0)
            ++day;
        SeasonCalendar.currentDay = day;
        g_slot = HVW_AddFixture(int16_t(day + 2), kCompLeague, user, rival, 0);
        ResultMakers.playMatch = RoadMatch;
        g_closeDuringMatch = road == Road::kClosed;
        if (road == Road::kNo3D) CountDisplayCalls();
        GameSeedRandom(4040);
        testenv::MenuUserStart();
        testenv::DayUserStart();
        testenv::DayUserScreen() = MeetInMatchMenus;
        for (int i = 0; i < 3 && MenuOption != -1; ++i) ContinueOneDay();
        g_road.optionAfterMatchDay = MenuOption;
        g_road.played = g_slot >= 0 && IsFixturePlayed(g_slot) ? 1 : 0;
        g_road.goalFiles = GoalFilesNow();
        g_road.framesDrawn = D3DGameFramesDrawn;
        g_road.menusOpen = MenuDisplayIsOpen();
        if (MenuOption == 105) {
            RunGoalReplayScreen();
            g_road.optionAfterReplays = MenuOption;
        }
        if (road == Road::kShown && g_road.goalFiles >= 2) {
            // The first goal's file damaged and a file the game did not
            // write put beside the others: the screen again.
            std::filesystem::path first;
            for (const auto& entry : std::filesystem::directory_iterator("SaveData/GOALS"))
                if (first.empty() || entry.path() < first) first = entry.path();
            std::ofstream(first, std::ios::binary | std::ios::trunc) << "not a goal";
            // Named in lower case, as the goal list names it.
            g_damagedName = first.filename().string();
            for (char& c : g_damagedName) c = char(std::tolower(static_cast<unsigned char>(c)));
            std::ofstream("SaveData/GOALS/ my own goal.dhf", std::ios::binary) << "DHF but not ours";
            const int32_t shownBefore = g_road.replaysShown;
            g_replayIndex = -1;
            MenuOption = 105;
            const std::string log = RunGoalReplayScreen();
            // Each file passed over is named in the log.
            for (const std::string& name : {g_damagedName, std::string(" my own goal.dhf")})
                g_road.goalsSkipped += log.find(name) != std::string::npos;
            g_road.replaysAfterDamage = g_road.replaysShown - shownBefore;
            g_road.optionAfterDamage = MenuOption;
        }
        testenv::DayUserScreen() = nullptr;
        testenv::DayUserStop();
        testenv::MenuUserStop();
        if (road == Road::kShown) {
            // The game saved and loaded after the day: the day and the
            // played fixture come back, and the goal files are cleared.
            StdoutCapture quiet;
            const int16_t today = int16_t(SeasonCalendar.currentDay);
            const bool saved = SaveGame(1) >= 0;
            SeasonCalendar.currentDay = 0;
            const bool loaded = LoadGame(1) >= 0;
            quiet.Text();
            g_road.savedAndLoaded = saved && loaded ? 1 : 0;
            g_road.dayAfterLoad = SeasonCalendar.currentDay == today && IsFixturePlayed(g_slot) ? 1 : 0;
            g_road.goalFilesAfterLoad = GoalFilesNow();
        }
    }

    // The goal-replay screen (id 105) looked at; its log.
    static std::string RunGoalReplayScreen() {
        LookAtEveryFrame();
        StdoutCapture quiet;
        DoMainMenuOption();
        return quiet.Text();
    }

    static RoadSeen RoadInChild(Road road) {
        const std::vector<uint8_t> got = testenv::BytesFromChild([road] {
            // A road that hangs ends its child: the test then sees no road.
            alarm(600);
            g_road = RoadSeen{};
            PlayTheRoad(road);
            const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&g_road);
            return std::vector<uint8_t>(bytes, bytes + sizeof g_road);
        });
        RoadSeen seen;
        seen.played = -1;
        if (got.size() == sizeof seen) std::memcpy(&seen, got.data(), sizeof seen);
        return seen;
    }

    static inline bool worldReady_ = false;
};

TEST_F(MatchRoadTest, TheShownMatchItsMenusAndItsSavedGoalsOnTheRoadOfADay) {
    const RoadSeen road = RoadInChild(Road::kShown);
    ASSERT_EQ(road.played, 1) << "the child did not play the day";
    EXPECT_EQ(road.shownMatches, 1);
    EXPECT_EQ(road.unshownMatches, 0);
    EXPECT_GT(road.kickOffGreen, 20) << "the pitch at the kick-off";
    EXPECT_EQ(road.kickOffShirts, 3) << "both kits at the kick-off";
    EXPECT_EQ(road.halfTimeMenus, 1) << "his side's statistics at half-time";
    EXPECT_EQ(road.halfTimeArg, 0);
    EXPECT_EQ(road.goalsStaged, 2);
    EXPECT_GE(road.goalFiles, 2);
    EXPECT_EQ(road.goalFiles, road.goalsScored) << "a file for each goal";
    EXPECT_EQ(road.optionAfterMatchDay, 105) << "the day ends on the goal-replay screen";
    EXPECT_EQ(road.replaysShown - road.replaysAfterDamage, road.goalFiles) << "each saved goal played back";
    EXPECT_GT(road.replayGreen, 20) << "the pitch in the replay";
    EXPECT_GT(road.replayPanelShare, 30) << "the replay panel at the bottom";
    EXPECT_EQ(road.optionAfterReplays, 3) << "back to the club";
    EXPECT_EQ(road.menusOpen, 1);
    EXPECT_EQ(road.savedAndLoaded, 1);
    EXPECT_EQ(road.dayAfterLoad, 1);
    // Again after the day with the first goal's file damaged and a foreign
    // file beside it: both passed over with their names in the log, the
    // others played, back to the club.
    EXPECT_EQ(road.replaysAfterDamage, road.goalFiles - 1);
    EXPECT_EQ(road.goalsSkipped, 2);
    EXPECT_EQ(road.optionAfterDamage, 3);
    EXPECT_EQ(road.goalFilesAfterLoad, 0);
}

TEST_F(MatchRoadTest, UnderNo3DTheSameDaysMakeNoDisplayCall) {
    const RoadSeen road = RoadInChild(Road::kNo3D);
    ASSERT_EQ(road.played, 1);
    EXPECT_EQ(road.shownMatches, 0);
    EXPECT_EQ(road.unshownMatches, 1);
    EXPECT_EQ(road.displayCalls, 0);
    EXPECT_EQ(road.framesDrawn, 0);
    EXPECT_EQ(road.halfTimeMenus, 0);
    EXPECT_EQ(road.goalFiles, 0);
    EXPECT_EQ(road.optionAfterMatchDay, 3);
}

TEST_F(MatchRoadTest, AWindowClosedDuringTheMatchLetsTheDayFinishAndTheGameEnd) {
    const RoadSeen road = RoadInChild(Road::kClosed);
    ASSERT_EQ(road.played, 1) << "the match played on to its end";
    EXPECT_EQ(road.shownMatches, 1);
    // Each later period draws its first frame and no more.
    EXPECT_LE(road.framesAfterClose, 4);
    EXPECT_EQ(road.optionAfterMatchDay, -1);
}

}  // namespace
