// A season played from the program's start as a player plays it, with the
// user's matches shown in 3D on the headless window: the start pictures, the
// start screen, the video options (where he picks the smallest screen mode
// they offer for the 3D display) and the name editors, a new game, a club
// taken and the manager's name typed; then every game day by the Continue
// pop-up ("One Day" on free days, "Play Match" on his match days, "Run On"
// now and then), every panel, box, list and screen the days open clicked
// through by the scripted day user.  His matches are shown; every fifth of
// them is drawn for its first minute, the others from the kick-off on, and
// then they run on undrawn under the display key (U).  After every day
// the whole world's daily checks hold; across his matches the memory blocks
// in use and the textures held do not grow.
//
// On the season's last day the game is saved by hand (the title bar's game
// list, the save screen's row, a name, Enter); the program plays four weeks
// on from a seed set there and quits.  The program is then started again,
// the game loaded from the start screen, and the same four weeks played
// from the same seed and input (the squad numbers screen of the new season
// on the way): both give the same saved blocks.  The suite plays the whole
// season to its last day before the save; a checked (sanitizer) tree plays
// the first month before it and two days after it.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/club/squads.h"
#include "core/match/matchclock.h"
#include "core/match/matchhooks.h"
#include "core/match/matchphases.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/query/clubscreens.h"
#include "core/query/competitionnames.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/userroles.h"
#include "core/records/blockfiles.h"
#include "core/records/records.h"
#include "core/records/savetable.h"
#include "core/records/shippeddatabase.h"
#include "core/season/calendar.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/playedleagues.h"
#include "game/match3d/matchcam.h"
#include "game/match3d/matchframe.h"
#include "game/match3d/matchkeys.h"
#include "game/match3d/matchmenus.h"
#include "game/match3d/shootoutscreen.h"
#include "game/match3d/teammenu.h"
#include "game/match3d/videochoice.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/textentry.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/squad/squadnumbers.h"
#include "game/screens/start/saveslots.h"
#include "game/screens/start/soakscreen.h"
#include "game/screens/start/startmenu.h"
#include "game/screens/transfers/contracttalks.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/startup.h"
#include "platform/ddraw.h"
#include "platform/window.h"
#include "tests/fakes/day_user.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/role_choices.h"
#include "tests/fakes/screen_tour.h"
#include "tests/fakes/shown_match.h"
#include "tests/fakes/soak_checks.h"
#include "tests/fakes/start_path.h"
#include "tests/fakes/test_util.h"
#include "tests/playthrough/day_user_deals.h"
#include "tests/playthrough/match_day_actions.h"

namespace {
namespace season_play {

using namespace testenv;

constexpr uint32_t kSeasonSeed = 8700;
// The saved block of the club screens' word, which a load sets to 1.
constexpr int kLoadSetBlock = 44;
// The days played before the save: the whole season (to its last day) in
// a normal tree, the first month in a checked tree, where every day costs
// many times more; HALVORN_SEASON_DAYS=N plays N days instead.  After the
// save: four weeks after a whole season (into the new season), a week
// after a shorter one, two days in a checked tree.
int DaysBeforeSave() {
    const char* days = std::getenv("HALVORN_SEASON_DAYS");
    const int asked = days != nullptr ? std::atoi(days) : 0;
    return asked > 0 ? asked : ShortTestRun() ? 31 : 365;
}
bool WholeSeason() { return DaysBeforeSave() >= 365; }
int DaysAfterSave() { return ShortTestRun() ? 2 : WholeSeason() ? 28 : 7; }

enum class Phase { Days, Save, Quit, Done };

struct MatchCounts {
    uint32_t blocks = 0;
    int surfaces = 0;
    // Before the display opens.
    uint32_t blocksBefore = 0;
    int surfacesBefore = 0;
    int16_t day = 0;
    double cpu = 0;
    // Pictures the window showed during the match, and the size the 3D
    // display drew them at.
    int presents = 0;
    int width = 0, height = 0;
};

struct SeasonRun {
    Phase phase = Phase::Days;
    int16_t user = -1;
    int16_t firstDay = 0, firstSeason = 0;
    // The save on this day of the first season.
    int16_t saveDay = 0;
    // After the save: the days still to play from the seeding on.
    bool afterSave = false;
    bool seedAtNextScreen = false;
    int daysLeft = 0;
    int16_t lastClubDay = -1, lastClubSeason = -1;
    int16_t lastCheckedDay = -1, lastCheckedSeason = -1;
    int oneDays = 0, runOns = 0, matchDays = 0;
    int daysChecked = 0, daysAfterSave = 0;
    int attempts = 0;
    // Play Match clicks on the day of the last one: the game refusing his
    // side (a message and the squad list) leaves the day where it was.
    int16_t playClickDay = -1;
    int playClicksThatDay = 0;
    int squadNumberVisits = 0;
    // Contract talks the days opened by themselves: offers made, talks
    // broken off.
    int talksOffered = 0, talksBrokenOff = 0;
    int shownMatches = 0, unshownMatches = 0, undrawnByKey = 0, inMatchMenus = 0, goalReplays = 0;
    int16_t introStepAtSave = 0;
    bool gaveUp = false;
    bool tourStarted = false;
    std::shared_ptr<ScreenTourReport> tour;
    std::vector<MatchCounts> atMatchStart;
    std::set<int> optionsSeen;
    std::set<const MenuItem*> tablesSeen;
    std::vector<std::string> problems;
    double cpuAtSave = 0, wallAtSave = 0;
    // CPU spent in the daily checks, all days.
    double checksCpu = 0;
    // His fixtures before the save day: played, and any left unplayed.
    int fixturesPlayed = 0, shownAtSave = 0;
    std::vector<std::string> fixturesUnplayed;
    // Each day after the save: the world's hash at the club screen.
    std::vector<std::pair<int, uint64_t>> legDays;
    uint64_t legHash = 0;
    // The saved blocks at the end of the days after the save, byte for byte.
    std::vector<std::vector<uint8_t>> legBlocks;
};
SeasonRun g_run;
CoreHooks g_gameHooks{};
FixtureResultMakers g_realMakers{};

double CpuSeconds() { return double(std::clock()) / CLOCKS_PER_SEC; }
double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void Problem(const std::string& text) {
    if (g_run.problems.size() < 20) g_run.problems.push_back(text);
}

// What the user does beyond the days is done before the save only: the
// days after it are played twice and must match.
bool BeforeTheSave() { return !g_run.afterSave && !g_run.seedAtNextScreen && g_run.phase == Phase::Days; }

bool ClubScreenUp() { return MenuOption == kScreenClubMain && testenv::MenuTableUp(ClubMainTable); }

// ---- The daily checks, after every day's end ---------------------------------------

// The busy cursor goes off right after each day's end: the whole world is
// checked there, once a day.
void BusyCursorThenDailyChecks(int16_t on) {
    if (g_gameHooks.busyCursor != nullptr) g_gameHooks.busyCursor(on);
    if (on != 0 || (SeasonCalendar.currentDay == g_run.lastCheckedDay &&
                    SeasonCalendar.season == g_run.lastCheckedSeason))
        return;
    g_run.lastCheckedDay = SeasonCalendar.currentDay;
    g_run.lastCheckedSeason = SeasonCalendar.season;
    ++g_run.daysChecked;
    if (g_run.afterSave) ++g_run.daysAfterSave;
    const double cpuBefore = double(std::clock()) / CLOCKS_PER_SEC;
    const std::string fault = CheckSoakDay();
    g_run.checksCpu += double(std::clock()) / CLOCKS_PER_SEC - cpuBefore;
    if (!fault.empty())
        Problem("season " + std::to_string(SeasonCalendar.season) + " day " +
                std::to_string(SeasonCalendar.currentDay) + ": " + fault);
}

// ---- His matches, shown ----------------------------------------------------------------

void PressMatchKey(int code) {
    plat::InjectKey(uint8_t(code & 127), code >= 128, true);
    plat::InjectKey(uint8_t(code & 127), code >= 128, false);
}

MatchDisplayHooks g_displayHooks{};
uint32_t g_keyPressedAtTick = 0;
bool g_keyPressed = false;

// Each tick of his shown match: the fly-in and the line-up left undrawn (as
// under H), the drawing on from the kick-off, and once the first minute is
// played (in every fifth match and in those his match-day actions look at;
// in the others at once: a drawn minute costs the software renderer several
// seconds, and one match in five draws the display's every part) the
// display key (U) pressed; it is read on the
// next drawn frame and pressed again should it not have been.  Each later
// period starts drawn and goes off the same way.
void OnShownTick() {
    if (g_displayHooks.tickDisplayStep != nullptr) g_displayHooks.tickDisplayStep();
    if (Replay_IsPlaying()) return;
    if (!MatchClockRunning) {
        if (DrawMode == 0) {
            FlyInHeight = 0.0f;
            DrawMode = 2;
        }
        return;
    }
    if (DrawMode == 2) DrawMode = 0;
    if (!g_run.atMatchStart.empty() && g_run.atMatchStart.back().surfaces < 0) {
        // The kick-off, the display up: what it holds.
        g_run.atMatchStart.back().blocks = MemAllocatedCount();
        g_run.atMatchStart.back().surfaces = plat::LiveSurfaceCount();
        g_run.atMatchStart.back().width = int(GfxGetScreenWidth());
        g_run.atMatchStart.back().height = int(GfxGetScreenHeight());
    }
    const int drawnMinutes = g_run.shownMatches % 5 == 1 || playthrough::MatchDayActionsBusy() ? 1 : 0;
    if (CurrentMinute < drawnMinutes || DrawMode != 0) return;
    if (g_keyPressed && AllTicks - g_keyPressedAtTick < 50) return;
    g_keyPressed = true;
    g_keyPressedAtTick = AllTicks;
    PressMatchKey(matchkey::kU);
    ++g_run.undrawnByKey;
}

void ShownMatchHooks() {
    g_displayHooks = MatchHooks;
    g_keyPressed = false;
    MatchHooks.tickDisplayStep = OnShownTick;
}

bool IsUsersMatch() {
    const EnterGameInfo* block = GetMatchSetupBlock();
    const int16_t user = HVW_GetMyClub();
    return user >= 0 &&
           (block->TeamI16(0, gameinfo::kTeamClub) == user || block->TeamI16(1, gameinfo::kTeamClub) == user);
}

void WatchedPlayMatch() {
    if (!IsUsersMatch() || (DisplayModeFlags & kDisplayOff) != 0) {
        if (IsUsersMatch()) ++g_run.unshownMatches;
        g_realMakers.playMatch();
        return;
    }
    ++g_run.shownMatches;
    g_run.atMatchStart.push_back(
        MatchCounts{0, -1, MemAllocatedCount(), plat::LiveSurfaceCount(), SeasonCalendar.currentDay});
    const MatchDisplayHooks kept = MatchHooks;
    ShownMatchHooks();
    playthrough::MatchDayActionsBegin(kept, BeforeTheSave());
    const double cpuBefore = double(std::clock()) / CLOCKS_PER_SEC;
    const int presentsBefore = plat::PresentCount();
    g_realMakers.playMatch();
    playthrough::MatchDayActionsEnd();
    MatchHooks = kept;
    MatchCounts& counts = g_run.atMatchStart.back();
    counts.cpu = double(std::clock()) / CLOCKS_PER_SEC - cpuBefore;
    counts.presents = plat::PresentCount() - presentsBefore;
}

// ---- The scripted user ------------------------------------------------------------------

void OpenGameList() {
    MenuUserClickItem([](const MenuHotItem& item) { return item.popup != nullptr && item.x == 20; });
    MenuUserWait(15);
}

// The squad numbers screen the day loop opens at a new season: everybody
// numbered, then left by its own exit.
bool OnSquadNumbers() {
    if (!testenv::MenuTableUp(SquadNumbersTable)) return false;
    ++g_run.squadNumberVisits;
    MenuUserClickItem([](const MenuHotItem& item) { return item.handler == SquadNumbers_NumberAll; });
    MenuUserWait(10);
    MenuUserClickItem([](const MenuHotItem& item) { return item.handler == SquadNumbers_Leave; });
    MenuUserWait(15);
    return true;
}

// The in-match menus the engine opens for his side (between the periods,
// at a stoppage, before a shoot-out): left by their back icon, or the
// shoot-out order as it stands by its leave button.
bool OnInMatchMenus() {
    static const MenuItem* left = nullptr;
    if (InGameMenuActive != 1) {
        left = nullptr;
        return false;
    }
    const MenuItem* top = MenuViewTopTable();
    if (top == nullptr || top == left || ScreenPresented != 1 || MenuViewHotItems().empty()) return true;
    left = top;
    ++g_run.inMatchMenus;
    // The menus let him go only once a hurt player of his is replaced and
    // every role is held on the pitch; the shoot-out order, which has no way
    // to the team screen, lets him go as it is.
    if (top != IgShootoutTable && IgTeam_LeaveProblem() != 0 &&
        (playthrough::MatchDayActionsReplaceHurtPlayer() || playthrough::MatchDayActionsGiveLostRoles()))
        return true;
    int x = 0, y = 0;
    if (FindMenuItem([](const MenuHotItem& item) { return item.handler == IgButtonBar_Back; }, &x, &y)) {
        MenuUserClickItem([](const MenuHotItem& item) { return item.handler == IgButtonBar_Back; });
    } else {
        MenuUserClickItem([](const MenuHotItem& item) { return item.popup == nullptr && item.y > 500; });
    }
    MenuUserWait(5);
    return true;
}

// A replay on screen: a saved goal played back on the goal-replay screen,
// or the automatic replay of a goal in his match; looked at for a moment,
// then closed by F2 as the user closes it (again, should the key not have
// been read).
bool OnReplay() {
    static int16_t replay = -1;
    static int steps = 0;
    if (!Replay_IsPlaying()) {
        replay = -1;
        return false;
    }
    const int16_t which = GameInfo.I16(gameinfo::kCompetition) < 0 ? GoalReplayNumber : int16_t(-2);
    if (which != replay) {
        replay = which;
        steps = 0;
        if (which >= 0) ++g_run.goalReplays;
    }
    if (++steps % 40 == 20) PressMatchKey(matchkey::kF2);
    return true;
}

// His fixtures played up to today, and any of an earlier day left without
// its result (national-team days carry nations, not clubs, and are left
// out).
void CountHisFixtures(int16_t today) {
    g_run.shownAtSave = g_run.shownMatches;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        const int16_t type = FixtureType(slot);
        if (FixtureDay(slot) > today || type == kCompNationalTeam || type == kCompNationalUnder21 ||
            !IsFixtureOfClub(slot, g_run.user))
            continue;
        if (IsFixturePlayed(slot)) {
            ++g_run.fixturesPlayed;
        } else if (FixtureDay(slot) < today && g_run.fixturesUnplayed.size() < 10) {
            g_run.fixturesUnplayed.push_back("day " + std::to_string(FixtureDay(slot)) + " competition " +
                                             std::to_string(type));
        }
    }
}

// His sides for today's match, picked as a manager who reads the fixture
// would.
void PickSidesForToday(int16_t today) {
    const int16_t next = HVW_FindClubNextFixtureSlot(g_run.user);
    PickSidesForFixture(g_run.user,
                        next >= 0 && FixtureDay(next) == today ? FixtureType(next) : int16_t(kCompLeague));
}

// Contract talks the day loop opens by itself (a player of his whose
// contract runs out at the season's turn): his offer at the terms the
// player asks, and should it be refused, the talks broken off.  Talks left
// by the title bar are opened again at the next turn of the day loop.
bool OnTalksTheDaysOpened() {
    if (!testenv::MenuTableUp(ContractTalksTable) || ScreenSection[MODAL_BOX_SECTION].pixels != nullptr)
        return false;
    if (CurrentOffer.refused == 0) {
        ++g_run.talksOffered;
        MenuUserClickItem([](const MenuHotItem& item) { return item.handler == ContractTalks_Offer; });
    } else {
        ++g_run.talksBrokenOff;
        MenuUserClickItem([](const MenuHotItem& item) { return item.handler == ContractTalks_BreakOff; });
    }
    MenuUserWait(10);
    return true;
}

std::vector<std::vector<uint8_t>> CopySavedBlocks() {
    std::vector<std::vector<uint8_t>> blocks;
    for (int block = 0; block < kSaveGameBlockCount; ++block) {
        const auto* bytes = static_cast<const uint8_t*>(SaveGameDescriptors[block].address);
        blocks.emplace_back(bytes, bytes + SaveGameDescriptors[block].size);
    }
    return blocks;
}

// The saved blocks that differ (the block the load sets left out): each
// with its size, the bytes that differ and the first of their offsets.
std::string SavedBlockDifferences(const std::vector<std::vector<uint8_t>>& a,
                                  const std::vector<std::vector<uint8_t>>& b) {
    std::string text;
    for (size_t block = 0; block < a.size() && block < b.size(); ++block) {
        if (int(block) == kLoadSetBlock || a[block] == b[block]) continue;
        std::string offsets;
        int differing = 0;
        for (size_t i = 0; i < a[block].size() && i < b[block].size(); ++i) {
            if (a[block][i] == b[block][i]) continue;
            if (++differing <= 8) offsets += " " + std::to_string(i);
        }
        text += "block " + std::to_string(block) + " (" + std::to_string(a[block].size()) +
                " bytes): " + std::to_string(differing) + " bytes differ, at" + offsets + "\n";
    }
    return text;
}

bool LegIsOver() { return g_run.afterSave && !g_run.seedAtNextScreen && g_run.daysLeft <= 0; }

bool OnClubScreen() {
    if (!ClubScreenUp()) return false;
    const int16_t today = SeasonCalendar.currentDay;
    if (today != g_run.lastClubDay || SeasonCalendar.season != g_run.lastClubSeason) {
        if (g_run.afterSave && !g_run.seedAtNextScreen && g_run.lastClubDay >= 0) {
            const int moved =
                today - g_run.lastClubDay +
                (SeasonCalendar.season != g_run.lastClubSeason ? SoakSeasonLength(g_run.lastClubSeason) : 0);
            g_run.daysLeft -= moved;
        }
        g_run.lastClubDay = today;
        g_run.lastClubSeason = SeasonCalendar.season;
        if (g_run.afterSave && !g_run.seedAtNextScreen) g_run.legDays.emplace_back(today, HashSoakWorld());
        // On the second day the tour of every screen family, once; the day
        // user waits for it.
        if (!g_run.tourStarted && !g_run.afterSave && today > g_run.firstDay) {
            g_run.tourStarted = true;
            ScreenTourOptions options;
            options.shortForm = ShortTestRun();
            g_run.tour = RunScreenTour(options);
            return true;
        }
    }
    if (g_run.seedAtNextScreen) {
        // The save point (or the loaded game): the same seed and the same
        // days on from here.
        g_run.seedAtNextScreen = false;
        g_run.afterSave = true;
        g_run.daysLeft = DaysAfterSave();
        g_run.daysAfterSave = 0;
        g_run.lastClubDay = today;
        g_run.lastClubSeason = SeasonCalendar.season;
        g_run.phase = Phase::Days;
        if (g_run.cpuAtSave == 0) {
            g_run.cpuAtSave = CpuSeconds();
            g_run.wallAtSave = WallSeconds();
        }
        GameSeedRandom(kSeasonSeed);
    }
    switch (g_run.phase) {
        case Phase::Days:
            break;
        case Phase::Save:
            OpenGameList();
            MenuUserClickPopupRow(0);
            MenuUserWait(10);
            return true;
        case Phase::Quit:
            OpenGameList();
            MenuUserClickPopupRow(1);
            MenuUserWaitFor([] { return ScreenSection[MODAL_BOX_SECTION].pixels != nullptr; });
            MenuUserWait(5);
            MenuUserClickAt(300, 350);
            MenuUserWait(10);
            g_run.phase = Phase::Done;
            return true;
        default:
            return false;
    }
    if (LegIsOver()) {
        g_run.legHash = SavedBlocksHash();
        g_run.legBlocks = CopySavedBlocks();
        g_run.phase = Phase::Quit;
        return true;
    }
    if (!g_run.afterSave && SeasonCalendar.season == g_run.firstSeason && today >= g_run.saveDay) {
        CountHisFixtures(today);
        g_run.phase = Phase::Save;
        return true;
    }
    if (++g_run.attempts > 2000) {
        Problem("the days do not move on");
        MenuUserClose();
        g_run.phase = Phase::Done;
        return true;
    }
    // Continue: "Play Match" on his match days; "Run On" on the first free
    // day of each month before the save; "One Day" otherwise.
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 399 && item.y == 559; });
    MenuUserWait(15);
    int row = 0;
    if ((MatchDayFlags & kDayLoopPlaysToday) != 0) {
        g_run.playClicksThatDay = today == g_run.playClickDay ? g_run.playClicksThatDay + 1 : 1;
        g_run.playClickDay = today;
        PickSidesForToday(today);
        if (g_run.playClicksThatDay > 5) {
            // The checks Play Match makes, on the sides as the click meets them.
            const int16_t slot = HVW_FindClubNextFixtureSlot(g_run.user);
            const bool reserves = slot >= 0 && FixtureType(slot) == kCompReserveLeague;
            const int16_t team = HVW_CheckTeamForMatch(g_run.user, reserves ? 1 : 0);
            const int16_t roles =
                reserves ? HVW_CheckCode120RoleChoices(g_run.user) : HVW_CheckClubRoleChoices(g_run.user);
            Problem("Play Match does not start the match of day " + std::to_string(today) + " (slot " +
                    std::to_string(slot) + "; the game's team check of the side that plays gives " +
                    std::to_string(team) + ", its role check " + std::to_string(roles) + ")");
            MenuUserClose();
            g_run.phase = Phase::Done;
            return true;
        }
        row = 2;
        ++g_run.matchDays;
    } else if (!g_run.afterSave && g_run.oneDays % 30 == 3 && today + 10 < g_run.saveDay) {
        row = 1;
        ++g_run.runOns;
        ++g_run.oneDays;
    } else {
        ++g_run.oneDays;
    }
    MenuUserClickPopupRow(row);
    MenuUserWait(10);
    return true;
}

bool OnSaveScreen() {
    if (!testenv::MenuTableUp(SaveLoadTable) || IsTextInputActive() != 0 || SaveLoadMode != 0) return false;
    MenuUserClickItem([](const MenuHotItem& item) { return item.x == 110 && item.row == 0; });
    g_run.introStepAtSave = IntroStep;
    MenuUserWaitFor([] { return IsTextInputActive() != 0; });
    MenuUserWait(3);
    for (uint8_t key : {0x1F, 0x12, 0x1E, 0x1F, 0x18, 0x31}) MenuUserShiftKey(key);  // SEASON
    MenuUserKey(0x1C);
    MenuUserWait(10);
    g_run.seedAtNextScreen = true;
    return true;
}

bool GiveUpWhenLost() {
    const int frameLimit = ShortTestRun() ? 3000000 : 20000000;
    if (g_run.gaveUp || MenuUserFrames() < frameLimit) return false;
    g_run.gaveUp = true;
    Problem("the run did not end within " + std::to_string(frameLimit) + " frames");
    g_run.phase = Phase::Done;
    MenuUserClose();
    return true;
}

// The deals start from the club screen once the tour is over.
bool DealsAtClub() { return ClubScreenUp() && g_run.tour != nullptr && g_run.tour->finished; }

bool SeasonScreens() {
    return GiveUpWhenLost() || playthrough::MatchDayActionsScreens(BeforeTheSave()) ||
           playthrough::DayUserDeals(BeforeTheSave() && !ShortTestRun(), DealsAtClub(),
                                     g_run.saveDay - SeasonCalendar.currentDay) ||
           OnTalksTheDaysOpened() || OnReplay() || OnInMatchMenus() || OnSquadNumbers() || OnSaveScreen() ||
           OnClubScreen();
}

void NoteScreen() {
    if (MenuOption >= kScreenNewGame) g_run.optionsSeen.insert(MenuOption);
    if (const MenuItem* top = MenuViewTopTable()) g_run.tablesSeen.insert(top);
}

// Set again at each club screen reached from the start: the front end may
// install the game's hooks anew.
void HookTheGame() {
    CoreHooks hooks = CoreGetHooks();
    if (hooks.busyCursor != BusyCursorThenDailyChecks) {
        g_gameHooks = hooks;
        hooks.busyCursor = BusyCursorThenDailyChecks;
        CoreSetHooks(hooks);
    }
    if (ResultMakers.playMatch != WatchedPlayMatch) {
        g_realMakers = ResultMakers;
        ResultMakers.playMatch = WatchedPlayMatch;
    }
}

void RunTheProgram() {
    StdoutCapture quiet;
    StartPathRunGameMain();
    const std::string log = quiet.Text();
    if (!g_run.problems.empty() || ::testing::Test::HasFailure() || g_run.phase != Phase::Done) {
        constexpr size_t kShownLog = 6000;
        std::printf("... the run's last output:\n%s\n",
                    log.substr(log.size() > kShownLog ? log.size() - kShownLog : 0).c_str());
    }
}

class SeasonPlaythroughTest : public ::testing::Test {
  protected:
    void SetUp() override {
        scratch_ = std::make_unique<ScratchDir>("seasonplay");
        std::filesystem::create_directories("SaveData/GOALS");
        if (!StartPathLinkGameData(HALVORN_GAME_DIR)) GTEST_FAIL() << GameDataMissing("stats");
        StartShownGame(false);
        // The video choice the user makes stands for the process: the next
        // test starts from the one before it.
        videoChoice_ = CommittedVideoChoice;
        MenuUserStart();
    }
    void TearDown() override {
        DayUserStop();
        DayUserScreen() = nullptr;
        DayUserWatch() = nullptr;
        MenuUserStop();
        if (g_realMakers.playMatch != nullptr) ResultMakers = g_realMakers;
        CoreSetHooks(CoreHooks{});
        CommittedVideoChoice = videoChoice_;
        scratch_.reset();
    }
    std::unique_ptr<ScratchDir> scratch_;
    VideoChoice videoChoice_{};
};

TEST_F(SeasonPlaythroughTest, ASeasonFromTheStartThenSavedLoadedAndPlayedOnAsWithoutTheSave) {
    const double cpuStart = CpuSeconds();
    const double wallStart = WallSeconds();
    ClearTotStatTables();
    std::memcpy(DivisionLayout, kShippedDivisionLayout, sizeof DivisionLayout);
    GameSeedRandom(2087);
    g_run = SeasonRun{};
    playthrough::MatchDayActionsReset();
    playthrough::DayUserDealsReset();
    ScreenPresented = 0;
    DayUserScreen() = SeasonScreens;
    DayUserWatch() = NoteScreen;
    HookTheGame();
    StartPathNewGame choices;
    // The 3D display drawn at the smallest size the video options offer:
    // most of a season's cost is the software rasteriser drawing the first
    // minute of each of his matches.
    choices.smallestVideoMode = true;
    // Countries 1, 3, 6 and 7 switched off (and country 8, as always): the
    // season, the save and the load carry a choice other than the default.
    choices.toggledCountryRows = {1, 3, 6, 7};
    StartPathQueueNewGame(choices, [] {
        HookTheGame();
        g_run.user = int16_t(GetPlayerClub(1));
        g_run.firstDay = SeasonCalendar.currentDay;
        g_run.firstSeason = SeasonCalendar.season;
        const int16_t lastDay = int16_t(SoakSeasonLength(SeasonCalendar.season) - 1);
        g_run.saveDay = int16_t(std::min<int>(g_run.firstDay + DaysBeforeSave(), lastDay));
        g_run.lastCheckedDay = SeasonCalendar.currentDay;
        g_run.lastCheckedSeason = SeasonCalendar.season;
        DayUserStart();
    });
    RunTheProgram();
    ASSERT_GE(g_run.user, 0) << "the new game did not reach the club screen";
    const double seasonCpu = g_run.cpuAtSave - cpuStart;
    const double seasonWall = g_run.wallAtSave - wallStart;
    const int seasonDays = g_run.daysChecked - g_run.daysAfterSave;
    const int seasonMatches = g_run.shownMatches;
    const int seasonFrames = MenuUserFrames();
    EXPECT_EQ(g_run.phase, Phase::Done);
    EXPECT_STREQ(GetPlayerSurname(1), "HOLM");
    constexpr uint16_t kChosenCountries[kCountryCount] = {1, 0, 1, 0, 1, 1, 0, 0, 0};
    EXPECT_TRUE(std::ranges::equal(PlayedLeagueFlags, kChosenCountries));
    EXPECT_EQ(std::string(SaveSlotNames[0]).substr(0, 6), "SEASON");
    EXPECT_EQ(SaveSlotFlags[0], 1u);
    EXPECT_GE(seasonDays, g_run.saveDay - g_run.firstDay);
    // His first-team matches are shown; his reserves' come as results.
    EXPECT_GT(g_run.shownMatches, WholeSeason() ? 20 : DaysBeforeSave() >= 31 ? 2 : 0);
    EXPECT_GE(g_run.shownMatches + g_run.unshownMatches, g_run.matchDays);
    // Every fixture of his before the save was played.
    EXPECT_GE(g_run.fixturesPlayed, g_run.shownAtSave);
    EXPECT_GT(g_run.fixturesPlayed, 0);
    for (const std::string& fixture : g_run.fixturesUnplayed)
        ADD_FAILURE() << "his fixture not played: " << fixture;
    if (DaysBeforeSave() >= 31) {
        EXPECT_GE(g_run.runOns, 1);
    }
    EXPECT_GT(DayUserSeen().resultBoards, 0);
    EXPECT_GT(DayUserSeen().resultsLists, 0);
    // The days after the save, played on without it.
    ASSERT_NE(g_run.tour, nullptr) << "the screen tour did not start";
    EXPECT_TRUE(g_run.tour->finished);
    for (const std::string& failure : g_run.tour->failures) ADD_FAILURE() << "screen tour: " << failure;
    const uint64_t continuousHash = g_run.legHash;
    const std::vector<std::vector<uint8_t>> continuousBlocks = std::move(g_run.legBlocks);
    g_run.legBlocks.clear();
    const int continuousDays = g_run.daysAfterSave;
    const int continuousSquadNumbers = g_run.squadNumberVisits;
    const auto continuousLegDays = g_run.legDays;
    g_run.legDays.clear();

    // The program again: the game loaded from the start screen and the
    // same days played from the same seed and input.  What a program run
    // holds beyond the saved game stands as it stood at the save: whether
    // the players' introduction before a match has been shown yet.
    std::vector<MatchCounts> counts = g_run.atMatchStart;
    g_run.phase = Phase::Days;
    g_run.afterSave = true;
    g_run.seedAtNextScreen = false;
    g_run.lastClubDay = g_run.lastClubSeason = -1;
    g_run.attempts = 0;
    g_run.playClickDay = -1;
    g_run.squadNumberVisits = 0;
    g_run.legHash = 0;
    g_run.gaveUp = false;
    ScreenPresented = 0;
    IntroStep = g_run.introStepAtSave;
    DayUserStop();
    MenuUserStop();
    MenuUserStart();
    StartPathQueueLoadGame(0, [] {
        HookTheGame();
        g_run.seedAtNextScreen = true;
        DayUserStart();
    });
    RunTheProgram();
    for (const std::string& problem : g_run.problems) ADD_FAILURE() << problem;
    EXPECT_EQ(g_run.phase, Phase::Done);
    EXPECT_GE(g_run.daysAfterSave, DaysAfterSave());
    EXPECT_EQ(continuousDays, g_run.daysAfterSave);
    if (WholeSeason()) {
        EXPECT_EQ(g_run.squadNumberVisits, 1) << "the new season's squad numbers";
        EXPECT_EQ(continuousSquadNumbers, 1);
    }
    EXPECT_NE(g_run.legHash, 0u);
    EXPECT_NE(continuousHash, 0u);
    ASSERT_EQ(g_run.legDays.size(), continuousLegDays.size());
    for (size_t i = 0; i < g_run.legDays.size(); ++i)
        EXPECT_EQ(g_run.legDays[i].first, continuousLegDays[i].first);
    // The loaded game plays on as the game did without the save: the
    // world day by day and the saved blocks at the end.
    EXPECT_EQ(g_run.legDays, continuousLegDays) << "the world after the save, day by day";
    EXPECT_EQ(g_run.legHash, continuousHash) << "the loaded game played on differently:\n"
                                             << SavedBlockDifferences(continuousBlocks, g_run.legBlocks);

    // Memory blocks in use and textures held at the start of each of his
    // matches of the season, before the display opens: no growth from the
    // second on (the first match loads what the display keeps for the
    // run).  At the kick-off the display holds the textures of the match's
    // stadium and kits, which differ from match to match.
    for (const MatchCounts& c : counts) EXPECT_GT(c.surfaces, 0) << "the display's textures at the kick-off";
    // The mode he chose on the video options, smaller than the one the game
    // starts with, is the size his matches are drawn at.
    const VideoChoice& chosen = CommittedVideoChoice;
    ASSERT_TRUE(chosen.ModeIndex >= 0 && chosen.ModeIndex < GfxNumModes);
    const int modeWidth = GfxModeTable[chosen.ModeIndex].width,
              modeHeight = GfxModeTable[chosen.ModeIndex].height;
    EXPECT_LT(modeWidth * modeHeight,
              videoChoice_.ModeIndex >= 0
                  ? GfxModeTable[videoChoice_.ModeIndex].width * GfxModeTable[videoChoice_.ModeIndex].height
                  : 0);
    int pictures = 0;
    for (const MatchCounts& c : counts) {
        EXPECT_TRUE(c.width == modeWidth && c.height == modeHeight)
            << "his match of day " << c.day << " drawn at " << c.width << " x " << c.height;
        pictures += c.presents;
    }
    for (size_t i = 2; i < counts.size(); ++i) {
        EXPECT_LE(counts[i].surfacesBefore, counts[1].surfacesBefore)
            << "textures before the match of day " << counts[i].day;
        EXPECT_LE(counts[i].blocksBefore, counts[1].blocksBefore)
            << "memory blocks before the match of day " << counts[i].day;
    }
    for (const std::string& failure : playthrough::MatchDayActionsFailures(!ShortTestRun()))
        ADD_FAILURE() << "his matches: " << failure;
    std::printf("%s\n", playthrough::MatchDayActionsSummary().c_str());
    for (const std::string& failure : playthrough::DayUserDealsFailures(!ShortTestRun()))
        ADD_FAILURE() << "his deals: " << failure;
    std::printf("%s\n", playthrough::DayUserDealsSummary().c_str());

    for (int16_t id : g_run.tour->visited) g_run.optionsSeen.insert(id);
    std::printf(
        "season playthrough: %d days to the save (day %d) in %.1f CPU-s (%.0f s, %d frames), %d of his "
        "matches shown (%d under U) in %d pictures at %d x %d, %d of his fixtures played, %d screen ids and "
        "%d screen tables visited, %.1f CPU-s in all (%.1f in the daily checks); %d contract talks the days "
        "opened answered by an offer, %d broken off\n",
        seasonDays, g_run.saveDay, seasonCpu, seasonWall, seasonFrames, seasonMatches, g_run.undrawnByKey,
        pictures, modeWidth, modeHeight, g_run.fixturesPlayed, int(g_run.optionsSeen.size()),
        int(g_run.tablesSeen.size()), CpuSeconds() - cpuStart, g_run.checksCpu, g_run.talksOffered,
        g_run.talksBrokenOff);
    std::string ids;
    for (int id : g_run.optionsSeen) ids += " " + std::to_string(id);
    std::printf("screen ids visited:%s\n", ids.c_str());
    for (const MatchCounts& c : counts)
        std::printf(
            "  his match of day %d: %u memory blocks and %d textures before it, %u and %d at the kick-off, "
            "%d pictures shown, %.1f CPU-s\n",
            c.day, c.blocksBefore, c.surfacesBefore, c.blocks, c.surfaces, c.presents, c.cpu);
}

}  // namespace season_play
}  // namespace
