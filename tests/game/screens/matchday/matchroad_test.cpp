// The user's shown match on the game's road, from the club's Continue to
// the day after: days played one by one to his first match; the match shown
// in 3D (mostly under H) with a grab at the kick-off; his side's statistics
// at half-time, left by the back icon; two goals scored and saved; the day
// ending on the goal-replay screen, which plays each saved goal and returns
// to the club, and passes over a goal file damaged after the day; the game
// saved and loaded after it.  The same days under "-no3d" make no display
// call; a window closed during the match lets the day finish and the game
// end.  Three shown matches in one sitting each allow their substitutions
// from the team screen; the training screen's practice match is shown in
// the club's two kits and the menus come back after it.  Each road runs in
// a child process started from the same world (a short run: the long
// playthrough of the first playable loop is a test of its own).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/matchrules.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/periodrunner.h"
#include "core/match/phases.h"
#include "core/match/replay.h"
#include "core/match/wholematch.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/records/blockfiles.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/matchsetup.h"
#include "game/match3d/kitpalette.h"
#include "game/match3d/matchcam.h"
#include "game/match3d/matchframe.h"
#include "game/match3d/matchkeys.h"
#include "game/match3d/matchmenus.h"
#include "game/match3d/renderview.h"
#include "game/match3d/teammenu.h"
#include "game/match3d/teamstatsmenu.h"
#include "game/match3d/videochoice.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/squad/training.h"
#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"
#include "game/system/mouse.h"
#include "game/system/poll.h"
#include "game/system/startup.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "tests/fakes/child_run.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/day_user.h"
#include "tests/fakes/ingame_user.h"
#include "tests/fakes/menu_user.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/shown_match.h"
#include "tests/fakes/sound_recorder.h"
#include "tests/fakes/test_util.h"
#include "tests/game/screens/shared_world.h"

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
// The practice match is looked at as the road's match, without goals staged.
bool g_practice = false;
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
            const Frame now = testenv::GrabFrame(g_practice ? "grab_practice.tga" : "grab_roadkickoff.tga");
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
    if (!MatchClockRunning || MatchPhase != kPhaseOpenPlay || PeriodClock < 400) return;
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
        if (!g_closeDuringMatch && !g_practice) StageGoals();
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

// The in-match visit being answered, told by its period, side and clock
// (at half-time a practice match opens one visit for each side); -1 while
// the menus are closed.
int64_t g_visitKey = -1;
int64_t VisitKey() { return int64_t(Period) << 40 | int64_t(InGameMenuArg & 1) << 32 | int64_t(PeriodClock); }

// Three shown matches in one sitting: per match the bench players who came
// on from the team screen at half-time, the substitutions the match counted
// and whether one more bench click picked anybody.
struct SittingSeen {
    int32_t played = 0;
    int32_t allowed = -1;
    int32_t cameOn[3] = {-1, -1, -1};
    int32_t subsUsed[3] = {-1, -1, -1};
    int32_t extraPicked[3] = {-1, -1, -1};
    int32_t menusOpen = 0;
};
SittingSeen g_sitting;
int g_sittingMatch = 0;

// Substitution k of the visit: free bench row bench[k] for the outfield
// player of list row rows[k], confirmed; with the allowance used, a click
// on the next free bench row, which must pick nobody, and back to the match.
void SubstituteFrom(size_t k, std::vector<int> bench, std::vector<int> rows) {
    const int match = std::min(g_sittingMatch, 2);
    testenv::MenuUserClickItem(testenv::IgBenchRow(bench[k]));
    testenv::MenuUserWait(20);
    if (k == rows.size()) {
        testenv::MenuUserDo([match] {
            g_sitting.extraPicked[match] = IgBenchPick != kIgNone;
            testenv::IgLeave();
        });
        return;
    }
    testenv::MenuUserClickItem(testenv::IgListRow(rows[k]));
    testenv::IgConfirmSubstitution([] {}, [k, bench, rows] { SubstituteFrom(k + 1, bench, rows); });
}

// The day user's answer to the in-match menus: at half-time of a sitting's
// match his side's team screen and every substitution still allowed; any
// other visit is left by the back icon, once a hurt player who keeps him
// there is replaced and a sent-off player's roles are given to another.
bool AnswerInMatchVisit(bool substitute) {
    if (InGameMenuActive != 1) {
        g_visitKey = -1;
        return false;
    }
    if (!testenv::IgScreenUp(IgTeamStatsTable) || VisitKey() == g_visitKey) return true;
    g_visitKey = VisitKey();
    const int side = InGameMenuArg & 1;
    if (!substitute || MatchFinished == 0 || Period != 0 || InGameMenuArgGiven == 0) {
        if (IgTeam_LeaveProblem() == 0 || !(testenv::IgReplaceHurtPlayer(side, [](const char*) {}) ||
                                            testenv::IgGiveLostRoles(side, [](const char*) {})))
            testenv::IgLeave();
        return true;
    }
    const int left = MatchSubstitutionsAllowed(&GameInfo) - MatchGetSubsUsed(int16_t(side));
    std::vector<int> rows;
    for (int row = 1; row <= 10 && int(rows.size()) < left; ++row)
        if (!testenv::IgEntryHasRole(side, row)) rows.push_back(row);
    // A free bench row is left over for the click that must pick nobody
    // (without one the counts come out short).
    const std::vector<int> bench = testenv::IgFreeBenchRows(side);
    if (bench.size() <= rows.size()) {
        testenv::IgLeave();
        return true;
    }
    testenv::IgClickSideButtonRow(side, 0);
    testenv::IgWaitFor(IgTeamTable, [] {});
    SubstituteFrom(0, bench, rows);
    return true;
}

// A match of the sitting: halves of a minute, drawn only at the start of
// each period (then as under H).
void SittingMatch() {
    GetMatchSetupBlock()->SetI16(gameinfo::kDurationMinutes, 1);
    g_sitting.allowed = MatchSubstitutionsAllowed(GetMatchSetupBlock());
    const MatchDisplayHooks kept = MatchHooks;
    MatchHooks.updateAndRender = [] {
        FlyInHeight = 0.0f;
        D3DGame_Update();
        D3DGame_RenderFrame();
        // The automatic replay of a goal (it switches the drawing back on)
        // closed as the user closes it.
        if (Replay_IsPlaying()) Replay_Stop();
        DrawMode = 2;
    };
    PlayMatch();
    MatchHooks = kept;
    const int match = std::min(g_sittingMatch++, 2);
    g_sitting.cameOn[match] = 0;
    for (int16_t slot = 11; slot < kTeamFigures; ++slot)
        g_sitting.cameOn[match] += MatchIsPlayerOnPitch(0, slot);
    g_sitting.subsUsed[match] = MatchGetSubsUsed(0);
}

// The training screen's practice match: the first eleven against the
// reserves, looked at from the kick-off, and what the log said of the kits.
struct PracticeSeen {
    int32_t result = 0;
    int32_t played = 0;
    int32_t shirtsSeen = 0;  // bit per side
    uint32_t shirts[2] = {};
    int32_t badKitLines = -1;
    int32_t menusOpen = 0;
    int32_t engineReady = 0;
};

int GoalFilesNow() {
    int count = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("SaveData/GOALS", error))
        count += entry.path().extension() == ".dhf";
    return count;
}

enum class Road { kShown, kNo3D, kClosed };
Road g_roadKind = Road::kShown;
PracticeSeen g_practiceSeen;

class MatchRoadTest : public ::testing::Test {
  protected:
    static inline testenv::SharedNewWorld world_;
    void SetUp() override {
        worldReady_ = testenv::StartFromNamedWorld(world_);
        if (!worldReady_) GTEST_FAIL() << world_.error;
    }

    // Continue, one day at a time, as the club's pop-up starts each day.
    static void ContinueOneDay() {
        DeleteGoalReplayFiles();
        SavedGoalCount = 0;
        ContinueMode = 0;
        MenuOption = kScreenContinueGame;
        StdoutCapture quiet;
        DoMainMenuOption();
        quiet.Text();
    }

    // Two days without a fixture of his, then his league match against a
    // club of his division, then the screen the day ended on.
    static void PlayTheRoad(Road road) {
        testenv::ScratchDir scratch("matchroad");
        const int16_t user = StartAsUser(road == Road::kNo3D);
        const int16_t rival = FirstClubOf(0, 0, user);
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
        for (int i = 0; i < 3 && MenuOption != kScreenQuit; ++i) ContinueOneDay();
        g_road.optionAfterMatchDay = MenuOption;
        g_road.played = g_slot >= 0 && IsFixturePlayed(g_slot) ? 1 : 0;
        g_road.goalFiles = GoalFilesNow();
        g_road.framesDrawn = D3DGameFramesDrawn;
        g_road.menusOpen = MenuDisplayIsOpen();
        // The goal reel: the screen a day ends on while goals saved that day
        // were not given up with the day's results list.
        if (road == Road::kShown && g_road.goalFiles > 0 && MenuOption == kScreenClubMain) {
            MenuOption = kScreenGoalReplays;
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
            MenuOption = kScreenGoalReplays;
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

    // Three days in a row, each with his league match against a club of
    // his division, every match shown.
    static void PlayTheSitting() {
        testenv::ScratchDir scratch("matchsitting");
        const int16_t user = StartAsUser();
        const int16_t rival = FirstClubOf(0, 0, user);
        int16_t day = 100;
        while (day < 340 && FixturesOn(day) + FixturesOn(day + 1) + FixturesOn(day + 2) != 0) ++day;
        SeasonCalendar.currentDay = day;
        int16_t slots[3];
        for (int i = 0; i < 3; ++i) slots[i] = HVW_AddFixture(int16_t(day + i), kCompLeague, user, rival, 0);
        ResultMakers.playMatch = SittingMatch;
        g_sittingMatch = 0;
        GameSeedRandom(5150);
        testenv::MenuUserStart();
        testenv::DayUserStart();
        testenv::DayUserScreen() = [] { return AnswerInMatchVisit(true); };
        for (int i = 0; i < 3 && MenuOption != kScreenQuit; ++i) ContinueOneDay();
        testenv::DayUserScreen() = nullptr;
        testenv::DayUserStop();
        testenv::MenuUserStop();
        for (int16_t slot : slots) g_sitting.played += slot >= 0 && IsFixturePlayed(slot) ? 1 : 0;
        g_sitting.menusOpen = MenuDisplayIsOpen();
    }

    // The practice match from the training screen on a day without a
    // fixture of his, looked at from the kick-off; its grab is kept in the
    // folder the test started in.
    static void PlayThePractice() {
        const std::filesystem::path started = std::filesystem::current_path();
        testenv::ScratchDir scratch("practice");
        StartAsUser();
        int16_t day = 100;
        while (day < 340 && FixturesOn(day) != 0) ++day;
        SeasonCalendar.currentDay = day;
        PracticeMatchPlayed = 0;
        g_practice = true;
        LookAtEveryFrame();
        GameSeedRandom(6060);
        testenv::MenuUserStart();
        testenv::DayUserStart();
        testenv::DayUserScreen() = [] { return AnswerInMatchVisit(false); };
        std::string log;
        {
            StdoutCapture capture;
            g_practiceSeen.result = Training_PracticeMatch(nullptr);
            log = capture.Text();
        }
        testenv::DayUserScreen() = nullptr;
        testenv::DayUserStop();
        testenv::MenuUserStop();
        g_practiceSeen.played = PracticeMatchPlayed;
        g_practiceSeen.shirtsSeen = g_road.kickOffShirts;
        for (int side = 0; side < 2; ++side) g_practiceSeen.shirts[side] = testenv::SideShirtRgb(side);
        g_practiceSeen.badKitLines = 0;
        for (size_t at = log.find("BAD KIT DESIGN"); at != std::string::npos;
             at = log.find("BAD KIT DESIGN", at + 1))
            ++g_practiceSeen.badKitLines;
        g_practiceSeen.menusOpen = MenuDisplayIsOpen();
        g_practiceSeen.engineReady = MenuEngineReady() ? 1 : 0;
        std::error_code ignored;
        std::filesystem::copy_file("grab_practice.tga", started / "grab_practice.tga",
                                   std::filesystem::copy_options::overwrite_existing, ignored);
    }

    // The game started for a shown match (played unseen under "-no3d")
    // with the first club of the first division as the user's.
    static int16_t StartAsUser(bool no3d = false) {
        testenv::StartShownGame(no3d);
        const int16_t user = FirstClubOf(0, 0);
        SetPlayerClub(1, uint16_t(user));
        SetClubControl(user, 1);
        HVW_SetViewedCountry(0);
        SoakMode = 0;
        // The day is played from the club screen: an earlier test of this
        // program may have left the game quitting.
        MenuOption = kScreenClubMain;
        return user;
    }

    // What a child played from the same world saw; played -1 when it saw
    // nothing.
    template <typename Seen>
    static Seen SeenInChild(Seen& global, void (*play)()) {
        const std::vector<uint8_t> got = testenv::BytesFromChild([&global, play] {
            // A road that hangs ends its child: the test then sees no road.
            alarm(600);
            g_road = RoadSeen{};
            global = Seen{};
            play();
            const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&global);
            return std::vector<uint8_t>(bytes, bytes + sizeof global);
        });
        Seen seen;
        seen.played = -1;
        if (got.size() == sizeof seen) std::memcpy(&seen, got.data(), sizeof seen);
        return seen;
    }

    static RoadSeen RoadInChild(Road road) {
        g_roadKind = road;
        return SeenInChild(g_road, [] { PlayTheRoad(g_roadKind); });
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
    // Leaving the day's results list for the club gave the goals' reel up;
    // their files stay for the saved-goals screen.
    EXPECT_EQ(road.optionAfterMatchDay, kScreenClubMain) << "the day ends on the club screen";
    EXPECT_EQ(road.replaysShown - road.replaysAfterDamage, road.goalFiles) << "each saved goal played back";
    EXPECT_GT(road.replayGreen, 20) << "the pitch in the replay";
    EXPECT_GT(road.replayPanelShare, 30) << "the replay panel at the bottom";
    EXPECT_EQ(road.optionAfterReplays, kScreenClubMain) << "back to the club";
    EXPECT_EQ(road.menusOpen, 1);
    EXPECT_EQ(road.savedAndLoaded, 1);
    EXPECT_EQ(road.dayAfterLoad, 1);
    // Again after the day with the first goal's file damaged and a foreign
    // file beside it: both passed over with their names in the log, the
    // others played, back to the club.
    EXPECT_EQ(road.replaysAfterDamage, road.goalFiles - 1);
    EXPECT_EQ(road.goalsSkipped, 2);
    EXPECT_EQ(road.optionAfterDamage, kScreenClubMain);
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
    EXPECT_EQ(road.optionAfterMatchDay, kScreenClubMain);
}

TEST_F(MatchRoadTest, AWindowClosedDuringTheMatchLetsTheDayFinishAndTheGameEnd) {
    const RoadSeen road = RoadInChild(Road::kClosed);
    ASSERT_EQ(road.played, 1) << "the match played on to its end";
    EXPECT_EQ(road.shownMatches, 1);
    // Each later period draws its first frame and no more.
    EXPECT_LE(road.framesAfterClose, 4);
    EXPECT_EQ(road.optionAfterMatchDay, kScreenQuit);
}

TEST_F(MatchRoadTest, ThreeShownMatchesInOneSittingEachAllowTheirSubstitutions) {
    const SittingSeen sitting = SeenInChild(g_sitting, PlayTheSitting);
    ASSERT_EQ(sitting.played, 3) << "the child did not play the three days";
    EXPECT_EQ(sitting.allowed, 3);
    for (int match = 0; match < 3; ++match) {
        SCOPED_TRACE("match " + std::to_string(match));
        EXPECT_EQ(sitting.cameOn[match], sitting.allowed) << "bench players brought on at half-time";
        EXPECT_EQ(sitting.subsUsed[match], sitting.allowed);
        EXPECT_EQ(sitting.extraPicked[match], 0) << "a bench click beyond the allowance picked a player";
    }
    EXPECT_EQ(sitting.menusOpen, 1);
}

TEST_F(MatchRoadTest, ThePracticeMatchIsShownInTheClubsTwoKitsAndTheMenusComeBack) {
    const PracticeSeen practice = SeenInChild(g_practiceSeen, PlayThePractice);
    ASSERT_EQ(practice.played, 1) << "the child did not play the practice match";
    EXPECT_EQ(practice.result, MENU_CLOSE);
    EXPECT_EQ(practice.shirtsSeen, 3) << "both sides' shirts in the grabs";
    EXPECT_NE(practice.shirts[0], practice.shirts[1]) << "the two sides in one kit";
    EXPECT_EQ(practice.badKitLines, 0);
    EXPECT_EQ(practice.menusOpen, 1);
    EXPECT_EQ(practice.engineReady, 1);
}

}  // namespace
