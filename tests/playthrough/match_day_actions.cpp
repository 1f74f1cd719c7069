#include "tests/playthrough/match_day_actions.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/match/matchclock.h"
#include "core/match/matchphases.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/replay.h"
#include "core/query/forwarders.h"
#include "core/season/calendar.h"
#include "game/match3d/matchcam.h"
#include "game/match3d/matchframe.h"
#include "game/match3d/matchkeys.h"
#include "game/match3d/matchmenus.h"
#include "game/match3d/matchsoundbanks.h"
#include "game/match3d/panels.h"
#include "game/match3d/playerstatsmenu.h"
#include "game/match3d/teammenu.h"
#include "game/match3d/teamstatsmenu.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menusetup.h"
#include "platform/window.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/day_user.h"
#include "tests/fakes/ingame_user.h"
#include "tests/fakes/menu_user.h"
#include "tests/fakes/shown_match.h"
#include "tests/fakes/test_util.h"

namespace playthrough {
namespace match_steps {
namespace {

using testenv::Frame;

enum class Mode { Plain, Whole, Menus, ToFirstGoal };

// The match under way.
struct Watch {
    Mode mode = Mode::Plain;
    bool done = false;  // what the mode asked is done: run on as the playthrough runs
    int side = 0;       // his side
    void (*plainTick)() = nullptr;
    bool kickedOff = false, wasRunning = false;
    int goals = 0;
    // Drawn frames of play (not of replays) since the kick-off.
    int playFrames = 0;
    int goalFrame = -1, whistleFrame = -1;
    // The play frame after the last replay frame: the panels turn in again
    // after a replay.
    int afterReplayFrame = 0;
    bool kickOffLooked = false;
    // The menus match: 0 play, 1 Esc due, 2 menus asked for, 3 stoppage
    // asked for, 4 substituted, 5 replay asked for, 6 replay looked at.
    int step = 0;
    int stepFrame = 0;
    int leavingRow = -1;
    int16_t coming = -1;
    // A substitution at half-time: asked for, made.
    bool subAtHalfTime = false;
    bool halfTimeSubDone = false;
    // Hurt players of his replaced in this match, each by a substitution.
    int hurtReplaced = 0;
    Frame beforeReplay;
    double cpu = 0;
};

// Drawn through, from the kick-off to the final whistle, only when asked
// (a whole match drawn costs some 38000 frames, ten minutes of CPU): the
// suite's watched match is drawn at the kick-off, at its goals and over its
// last minutes, with the drawing off (H) between.
bool DrawWholeMatch() {
    const char* whole = std::getenv("HALVORN_WATCH_WHOLE");
    return whole != nullptr && std::atoi(whole) != 0;
}
// Ticks before the end of the last period from which the watched match is
// drawn again.
constexpr uint32_t kEndTicks = 400;

MatchDayActionsReport g_seen;
Watch g_watch;
MatchDisplayHooks g_display{};
std::vector<std::string> g_failures;
Frame g_reference;  // the first kick-off's picture, against which the replay panel shows
bool g_wholeDone = false, g_menusDone = false, g_halfTimeSubAsked = false, g_goalGrabbed = false;
// The goal-replay screen: the goal looked at and its frames.
int16_t g_savedIndex = -1;
int g_savedFrames = 0;
int g_savedHeld = 0;
// Whether the user acts now: before the save only, so that the days played
// again after it (on and from the load) are not counted a second time.
bool g_acting = false;
void (*g_innerRender)() = nullptr;

void Fail(const std::string& what) {
    if (g_failures.size() < 20) g_failures.push_back(what);
}

void PressKey(int code) {
    plat::InjectKey(uint8_t(code & 127), code >= 128, true);
    plat::InjectKey(uint8_t(code & 127), code >= 128, false);
}

int ScoreKey() { return Goals[0] * 256 + Goals[1]; }
bool ScorePanelSettled() {
    return ScorePanel.key == ScoreKey() && ScorePanel.angle == 0.0f && ScorePanel.hide == 0.0f;
}

int GoalFiles() {
    int count = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("SaveData/GOALS", error))
        count += entry.path().extension() == ".dhf";
    return count;
}

bool ReplayViewing() { return GameInfo.I16(gameinfo::kCompetition) < 0; }

// ---- Frames ------------------------------------------------------------------------------

// The kick-off is looked at over its first five seconds: who kicks off and
// where the first passes go is play, and the side without the ball may stay
// out of the picture for a second or two.
constexpr int kKickOffLookFrames = 250;

void LookAtKickOff(Watch& w) {
    if (w.kickOffLooked || w.playFrames % 5 != 0) return;
    w.kickOffLooked = w.playFrames >= kKickOffLookFrames ||
                      (g_seen.kickOffShirts[0] && g_seen.kickOffShirts[1] && g_seen.kickOffScore);
    if (w.kickOffLooked) return;
    const Frame now = testenv::GrabFrame("season_kickoff.tga");
    if (w.playFrames == 5) g_seen.kickOffGreen = testenv::GreenPercent(now);
    for (int side = 0; side < 2; ++side) g_seen.kickOffShirts[side] |= testenv::SideShirtInView(now, side);
    // The clock and score panels turn in over the first 26 drawn frames.
    if (w.playFrames >= 30) g_seen.kickOffScore |= testenv::ScorePanelInView(now);
}

void LookAtGoal(Watch& w) {
    const Frame now = testenv::GrabFrame("season_goal.tga");
    g_goalGrabbed = true;
    g_seen.goalDay = SeasonCalendar.currentDay;
    g_seen.goalGreen = testenv::GreenPercent(now);
    g_seen.goalScore = testenv::ScorePanelInView(now);
    g_seen.goalScoreKey = ScorePanel.key == ScoreKey();
    g_seen.goalShirt = testenv::SideShirtInView(now, 0) || testenv::SideShirtInView(now, 1);

    if (w.mode == Mode::ToFirstGoal) w.done = true;
}

void LookAtWhistle() {
    const Frame now = testenv::GrabFrame("season_whistle.tga");
    g_seen.whistleGrabbed = true;
    g_seen.whistleGreen = testenv::GreenPercent(now);
    g_seen.whistleScore = testenv::ScorePanelInView(now);
    g_seen.whistleScoreKey = ScorePanel.key == ScoreKey();
}

// A drawn frame of his match.
void LookAtMatch() {
    Watch& w = g_watch;
    if (Replay_IsPlaying()) {
        w.afterReplayFrame = w.playFrames + 1;
        if (w.mode == Mode::Menus && w.step == 5 && ++g_seen.replayFrames == 3) {
            // The replay he asked for, with its control panel at the bottom.
            const Frame now = testenv::GrabFrame("season_replay.tga");
            g_seen.replayPanelShare = testenv::ReplayPanelShare(w.beforeReplay, now);
            w.step = 6;
        }
        return;
    }
    if (!w.kickedOff) return;
    ++w.playFrames;
    if (g_reference.pixels.empty() && w.playFrames == 5)
        g_reference = testenv::GrabFrame("season_reference.tga");
    if (w.mode == Mode::Plain || w.done) return;
    if (w.mode == Mode::Whole) {
        ++g_seen.wholeFrames;
        LookAtKickOff(w);
    }
    // The score panel turns over to the new score: grabbed once it has.
    const int sinceGoal = w.playFrames - std::max(w.goalFrame, w.afterReplayFrame);
    if (!g_goalGrabbed && w.goalFrame >= 0 && sinceGoal >= 30 && (ScorePanelSettled() || sinceGoal >= 300))
        LookAtGoal(w);
    if (w.mode == Mode::Whole && w.whistleFrame >= 0 && !g_seen.whistleGrabbed &&
        w.playFrames >= w.whistleFrame + 5) {
        LookAtWhistle();
        // Watched to the whistle: the walk off undrawn.
        DrawMode = 2;
        w.done = g_goalGrabbed;
    }
    if (w.mode != Mode::Menus) return;
    if (w.step == 1) {
        PressKey(matchkey::kEsc);
        w.step = 2;
    } else if (w.step == 4 && ++w.stepFrame == 5) {
        w.beforeReplay = testenv::GrabFrame("season_beforereplay.tga");
        PressKey(matchkey::kF2);
        w.step = 5;
    }
}

// A drawn frame of a saved goal on the goal-replay screen.
void LookAtSavedGoal() {
    if (MenuOption != kScreenGoalReplays) return;
    if (GoalReplayNumber != g_savedIndex) {
        if (g_savedIndex < 0 && g_seen.savedGoalDay < 0) g_seen.savedGoalFiles = GoalFiles();
        g_savedIndex = GoalReplayNumber;
        g_savedFrames = 0;
        if (g_seen.savedGoalDay < 0 || g_seen.savedGoalDay == SeasonCalendar.currentDay)
            ++g_seen.savedGoalsPlayed;
    }
    if (++g_savedFrames != 8 || g_seen.savedGoalDay >= 0 || g_reference.pixels.empty()) return;
    const Frame now = testenv::GrabFrame("season_savedgoal.tga");
    g_seen.savedGoalDay = SeasonCalendar.currentDay;
    g_seen.savedGoalGreen = testenv::GreenPercent(now);
    g_seen.savedGoalPanelShare = testenv::ReplayPanelShare(now, g_reference);
}

void OnRender() {
    const int32_t drawn = D3DGameFramesDrawn;
    if (g_innerRender != nullptr) g_innerRender();
    if (D3DGameFramesDrawn == drawn) return;
    if (ReplayViewing()) {
        if (g_acting) LookAtSavedGoal();
    } else if (g_watch.mode != Mode::Plain || g_reference.pixels.empty()) {
        LookAtMatch();
    }
}

// ---- Ticks -------------------------------------------------------------------------------

bool LastPeriodEnds() {
    return Period == 1 && GameInfo.U8(gameinfo::kExtraTime) == 0 && GameInfo.U8(gameinfo::kPenalties) == 0;
}

// Whether the user watches now: the kick-off until it has been looked at,
// a goal until it has been grabbed, the last minutes to the whistle; all
// of it when the whole match is drawn.  The menus match is watched to its
// Esc and from the substitution to the replay.
bool Watching(const Watch& w) {
    switch (w.mode) {
        case Mode::Whole:
            if (DrawWholeMatch() || !w.kickOffLooked || (w.goalFrame >= 0 && !g_goalGrabbed)) return true;
            return LastPeriodEnds() && !g_seen.whistleGrabbed &&
                   (MatchClockRunning ? PeriodClock + kEndTicks >= PeriodLength : w.whistleFrame >= 0);
        case Mode::Menus:
            return w.step <= 2 || w.step >= 4 || (w.goalFrame >= 0 && !g_goalGrabbed);
        case Mode::ToFirstGoal:
            return w.goalFrame >= 0 && !g_goalGrabbed;
        default:
            return true;
    }
}

void OnTick() {
    Watch& w = g_watch;

    const bool mine = w.mode != Mode::Plain && !w.done;
    // The first minute as the playthrough runs it (the kick-off counts);
    // his own way from then on.
    const bool firstMinute = Period == 0 && CurrentMinute < 1 && (MatchClockRunning || !w.kickedOff);
    if (!mine || firstMinute) {
        if (w.plainTick != nullptr) w.plainTick();
    } else if (g_display.tickDisplayStep != nullptr) {
        g_display.tickDisplayStep();
    }
    if (MatchClockRunning && !w.kickedOff) w.kickedOff = true;
    if (Goals[0] + Goals[1] > w.goals) {
        w.goals = Goals[0] + Goals[1];
        if (w.goalFrame < 0) w.goalFrame = w.playFrames;
    }
    if (w.wasRunning && !MatchClockRunning && LastPeriodEnds()) w.whistleFrame = w.playFrames;
    w.wasRunning = MatchClockRunning != 0;
    if (!mine || Replay_IsPlaying() || !w.kickedOff) return;
    if (w.mode == Mode::Menus && w.step == 0 && MatchClockRunning && PeriodClock > 150) w.step = 1;
    if (firstMinute) return;
    if (w.mode == Mode::Menus && w.step == 6) w.done = true;
    // Drawing on and off as the user presses H.
    const bool watching = Watching(w);
    if (watching && DrawMode == 2) DrawMode = 0;
    if (!watching && DrawMode == 0) DrawMode = 2;
}

// ---- The in-match menus --------------------------------------------------------------------

void WaitFor(const MenuItem* table, const char* what) {
    testenv::IgWaitFor(table, [what] { Fail(std::string("the in-match menus: ") + what + " did not open"); });
}
void SideButtonRow(int row) { testenv::IgClickSideButtonRow(g_watch.side, row); }

// Esc at play: his side's statistics, then the players' statistics and the
// team screen from his side's button, whose return button asks for a
// stoppage.
void AskForStoppage() {
    g_seen.teamStatsSeen = true;
    SideButtonRow(1);
    WaitFor(IgPlayerStatsTable, "the players' statistics");
    testenv::MenuUserDo([] { g_seen.playerStatsSeen = testenv::IgScreenUp(IgPlayerStatsTable); });
    SideButtonRow(0);
    WaitFor(IgTeamTable, "the team screen");
    testenv::MenuUserDo([] { g_seen.teamScreenSeen = testenv::IgScreenUp(IgTeamTable); });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return item.x == 507 && item.y == 490; });
    testenv::MenuUserWait(10);
    testenv::MenuUserDo([] { g_seen.stoppageAsked = ChangePending[g_watch.side] == 1; });
    g_watch.step = 3;
}

// The first substitute for an outfield player on the pitch without a role
// (one sent off cannot be replaced), confirmed, then the next steps.
void SubstituteFirstBench(std::function<void()> then) {
    Watch& w = g_watch;
    const int16_t side = int16_t(w.side);
    const auto replaceable = [side](int row) {
        return !testenv::IgEntryHasRole(side, row) &&
               MatchIsPlayerOnPitch(side, GetMatchSideSlot(side, int16_t(row))) != 0;
    };
    int row = 1;
    while (row < 10 && !replaceable(row)) ++row;
    w.leavingRow = row;
    w.coming = GetMatchSideSlot(int16_t(w.side), 11);
    SideButtonRow(0);
    WaitFor(IgTeamTable, "the team screen for a substitution");
    testenv::IgSubstituteOnTeamScreen(
        0, row, [] { Fail("the substitution asked nothing"); }, std::move(then));
}

// The engine's visit at the stoppage: a substitution, then back to the match.
void Substitute() {
    SubstituteFirstBench([] {
        testenv::MenuUserDo([] {
            g_seen.substituted = MatchGetSubsUsed(int16_t(g_watch.side)) == 1;
            g_watch.step = 4;
            g_watch.stepFrame = 0;
        });
        testenv::IgLeave();
    });
}

bool InMatchMenus() {
    Watch& w = g_watch;
    if (InGameMenuActive != 1 || !testenv::IgScreenUp(IgTeamStatsTable)) return false;
    if (w.subAtHalfTime && !w.halfTimeSubDone && InGameMenuArgGiven != 0 && MatchFinished != 0 &&
        Period == 0) {
        w.halfTimeSubDone = true;
        SubstituteFirstBench([] {
            testenv::MenuUserDo(
                [] { g_seen.halfTimeSubstituted = MatchGetSubsUsed(int16_t(g_watch.side)) == 1; });
            testenv::IgLeave();
        });
        return true;
    }
    if (w.mode != Mode::Menus || w.done) return false;
    if (w.step == 2 && InGameMenuArgGiven == 0) {
        AskForStoppage();
        return true;
    }
    if (w.step == 3 && InGameMenuArgGiven != 0 && MatchFinished == 0) {
        Substitute();
        return true;
    }
    // Between the periods: the playthrough's way.
    return false;
}

}  // namespace
}  // namespace match_steps

namespace match_steps {
namespace {

void MenusDidNotOpen(const char* what) { Fail(std::string("the in-match menus: ") + what + " did not open"); }

// What the menus keep him for, counted when he set about it.
bool Counted(bool queued, int& count) {
    count += queued ? 1 : 0;
    return queued;
}

}  // namespace
}  // namespace match_steps

bool MatchDayActionsReplaceHurtPlayer() {
    using namespace match_steps;
    const bool queued =
        Counted(testenv::IgReplaceHurtPlayer(g_watch.side, MenusDidNotOpen), g_seen.hurtReplaced);
    if (queued) ++g_watch.hurtReplaced;
    return queued;
}

bool MatchDayActionsGiveLostRoles() {
    using namespace match_steps;
    return Counted(testenv::IgGiveLostRoles(g_watch.side, MenusDidNotOpen), g_seen.rolesGiven);
}

void MatchDayActionsReset() {
    using namespace match_steps;
    g_seen = MatchDayActionsReport{};
    g_watch = Watch{};
    g_failures.clear();
    g_reference = Frame{};
    g_wholeDone = g_menusDone = g_halfTimeSubAsked = g_goalGrabbed = false;
    g_savedIndex = -1;
    g_savedFrames = g_savedHeld = 0;
    g_acting = false;
}

void MatchDayActionsBegin(const MatchDisplayHooks& display, bool active) {
    using namespace match_steps;
    g_display = display;
    g_watch = Watch{};
    g_watch.plainTick = MatchHooks.tickDisplayStep;
    g_watch.cpu = double(std::clock()) / CLOCKS_PER_SEC;
    const EnterGameInfo* block = GetMatchSetupBlock();
    const int16_t user = HVW_GetMyClub();
    g_watch.side = block->TeamI16(1, gameinfo::kTeamClub) == user ? 1 : 0;
    if (active && !ShortTestRun()) {
        if (!g_wholeDone && block->U8(gameinfo::kExtraTime) == 0 && block->U8(gameinfo::kPenalties) == 0) {
            g_watch.mode = Mode::Whole;
            g_wholeDone = true;
            g_seen.wholeDay = SeasonCalendar.currentDay;
        } else if (g_wholeDone && !g_menusDone) {
            g_watch.mode = Mode::Menus;
            g_menusDone = true;
            g_seen.menusDay = SeasonCalendar.currentDay;
        } else if (g_wholeDone && !g_goalGrabbed) {
            g_watch.mode = Mode::ToFirstGoal;
        }
        // The shown match after the menus match: a substitution at half-time.
        if (g_menusDone && g_watch.mode != Mode::Menus && !g_halfTimeSubAsked) {
            g_watch.subAtHalfTime = true;
            g_halfTimeSubAsked = true;
            g_seen.halfTimeSubDay = SeasonCalendar.currentDay;
        }
    }
    MatchHooks.tickDisplayStep = OnTick;
}

void MatchDayActionsEnd() {
    using namespace match_steps;
    Watch& w = g_watch;
    if (w.mode == Mode::Whole) g_seen.wholeCpu = double(std::clock()) / CLOCKS_PER_SEC - w.cpu;
    if (w.mode == Mode::Menus) {
        // The substitution stands in the match as it ended.
        g_seen.subsUsed = MatchGetSubsUsed(int16_t(w.side));
        g_seen.substituteOnPitch = w.leavingRow > 0 && w.coming >= 0 &&
                                   GetMatchSideSlot(int16_t(w.side), int16_t(w.leavingRow)) == w.coming;
    }
    // A hurt player he replaced later in the match took a substitution of
    // his own.
    if (w.subAtHalfTime) g_seen.halfTimeSubsUsed = MatchGetSubsUsed(int16_t(w.side)) - w.hurtReplaced;
    g_watch = Watch{};
}

bool MatchDayActionsBusy() {
    using namespace match_steps;
    return g_watch.mode != Mode::Plain || g_watch.subAtHalfTime;
}

bool MatchDayActionsScreens(bool active) {
    using namespace match_steps;
    g_acting = active;
    if (!active) return false;
    // Every drawn frame looked at, once the game's display hooks are in.
    if (MatchHooks.updateAndRender != OnRender && MatchHooks.updateAndRender != nullptr) {
        g_innerRender = MatchHooks.updateAndRender;
        MatchHooks.updateAndRender = OnRender;
    }
    if (g_seen.savedGoalDay >= 0 && g_seen.optionAfterSavedGoals < 0 && !Replay_IsPlaying() &&
        MenuOption != kScreenGoalReplays && testenv::MenuTableUp(ClubMainTable))
        g_seen.optionAfterSavedGoals = MenuOption;
    if (g_seen.goalsKeptDay < 0 && MenuOption == kScreenClubMain && testenv::MenuTableUp(ClubMainTable) &&
        GoalFiles() > 0)
        g_seen.goalsKeptDay = SeasonCalendar.currentDay;
    // A saved goal on screen: held until it has been grabbed (then the
    // playthrough closes it), for a while at most.
    if (Replay_IsPlaying() && ReplayViewing() && g_seen.savedGoalDay < 0 && !g_reference.pixels.empty() &&
        ++g_savedHeld < 300)
        return true;
    return InMatchMenus();
}

const MatchDayActionsReport& MatchDayActionsSeen() {
    using namespace match_steps;
    return g_seen;
}

std::vector<std::string> MatchDayActionsFailures(bool fullRun) {
    using namespace match_steps;
    std::vector<std::string> failures = g_failures;
    const MatchDayActionsReport& s = g_seen;
    const auto check = [&failures](bool ok, const std::string& what) {
        if (!ok) failures.push_back(what);
    };
    if (fullRun) {
        check(s.wholeDay >= 0, "no league match of his was watched whole");
        check(s.kickOffGreen > 20, "the pitch at the kick-off of the match watched whole");
        check(s.kickOffShirts[0] && s.kickOffShirts[1], "both kits at the kick-off");
        check(s.kickOffScore, "the score panel at the kick-off");
        check(s.goalDay >= 0, "no goal grabbed in a drawn match");
        if (s.goalDay >= 0) {
            check(s.goalGreen > 20, "the pitch at the goal");
            check(s.goalScore, "the score panel at the goal");
            check(s.goalScoreKey, "the score panel's score at the goal");
            check(s.goalShirt, "a kit in view at the goal");
        }
        check(s.whistleGrabbed, "no grab at the final whistle");
        check(s.whistleGreen > 20, "the pitch at the final whistle");
        check(s.whistleScore && s.whistleScoreKey, "the score panel with the final score at the whistle");
        check(s.menusDay >= 0, "no match with the in-match menus");
        check(s.teamStatsSeen && s.playerStatsSeen, "the statistics in the match");
        check(s.teamScreenSeen && s.stoppageAsked, "the team screen's return asking for a stoppage");
        check(s.substituted, "no substitution at the stoppage");
        check(s.subsUsed == 1 && s.substituteOnPitch, "the substitution in the match as it ended");
        check(s.replayFrames >= 3 && s.replayPanelShare > 30, "the replay he asked for, with its panel");
        check(s.halfTimeSubDay >= 0 && s.halfTimeSubstituted,
              "no substitution at half-time of a later match");
        check(s.halfTimeSubsUsed == 1, "the later match's substitutions counted from 0 (" +
                                           std::to_string(s.halfTimeSubsUsed) + " used)");
        check(s.goalsKeptDay >= 0, "no day of his matches ended on the club screen with its goals kept");
        check(s.savedGoalDay < 0,
              "a day ended in the goal reel although its results list was left for the club");
    }
    if (s.savedGoalDay >= 0) {
        check(s.savedGoalGreen > 20, "the pitch in the saved goal");
        check(s.savedGoalPanelShare > 30, "the replay panel in the saved goal");
        check(s.savedGoalsPlayed == s.savedGoalFiles, "saved goals played " +
                                                          std::to_string(s.savedGoalsPlayed) + " of " +
                                                          std::to_string(s.savedGoalFiles));
        check(s.optionAfterSavedGoals == 3, "the day with saved goals did not end on the club screen");
    }
    return failures;
}

std::string MatchDayActionsSummary() {
    using namespace match_steps;
    const MatchDayActionsReport& s = g_seen;
    char line[400];
    std::snprintf(
        line, sizeof line,
        "match watched whole on day %d: %d drawn frames, %.1f CPU-s; goal grabbed on day %d; menus "
        "match on day %d (substitution %d, replay frames %d); half-time substitution on day %d (%d used); "
        "goals kept on day %d; saved goals on day %d: %d of %d played; %d hurt players replaced; lost roles "
        "given in %d visits",
        s.wholeDay, s.wholeFrames, s.wholeCpu, s.goalDay, s.menusDay, int(s.substituted), s.replayFrames,
        s.halfTimeSubDay, s.halfTimeSubsUsed, s.goalsKeptDay, s.savedGoalDay, s.savedGoalsPlayed,
        s.savedGoalFiles, s.hurtReplaced, s.rolesGiven);
    return line;
}

}  // namespace playthrough
