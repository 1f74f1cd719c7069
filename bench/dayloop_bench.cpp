// One Continue day without the user's match, from the "One Day" entry to
// the club screen's next screen id: every fixture of the day processed
// under the progress panel, the day's results list (left at once, as a
// user who clicks it away), the end-of-day panel and the day advance, on a
// new game's world and a headless 800 x 600 display.  Target under 0.5 s.
// Each round plays the next day of the season; a second benchmark plays the
// same days with the season code alone, as the yardstick.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "bench/bench_menus.h"
#include "core/base/corehooks.h"
#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/records/blockfiles.h"
#include "core/records/fixturechecks.h"
#include "core/records/records.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/newgame.h"
#include "game/screens/club/clubmain.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/screenmachine.h"
#include "game/screens/league/historybrowser.h"
#include "game/screens/matchday/matchday.h"
#include "game/screens/start/startmenu.h"
#include "game/system/display2d.h"
#include "game/system/displaysurfaces.h"
#include "game/system/mainwindow.h"
#include "game/system/mouse.h"
#include "game/system/poll.h"
#include "game/system/startup.h"
#include "game/system/tickclock.h"
#include "game/system/videosurvey.h"
#include "platform/window.h"

namespace {

// The user's club: one without a fixture for the next weeks, so that no day
// of the run holds his match.
int16_t ClubWithoutFixtures(int from, int to) {
    for (int16_t club = 0; club < kClubCount; ++club) {
        if (GetClubRep(club) == 0) continue;
        bool plays = false;
        for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) <= to && !plays; ++slot) {
            plays = FixtureDay(slot) >= from && (FixtureHome(slot) == club || FixtureAway(slot) == club);
        }
        if (!plays) return club;
    }
    return -1;
}

// Whether the club has a fixture on the day.
bool ClubPlaysOn(int16_t club, int day) {
    for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) <= day; ++slot) {
        if (FixtureDay(slot) == day && (FixtureHome(slot) == club || FixtureAway(slot) == club)) return true;
    }
    return false;
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "dayloop bench: %s\n", what);
    std::exit(1);
}

// The menus, the new game and its save are made once for the whole run,
// whichever benchmarks the filter leaves: each benchmark starts from that
// save, so both play the same days and either runs alone.  Returns the
// user's club, -1 when every club plays in the coming weeks.
int16_t StartGameOnce() {
    static const int16_t user = [] {
        BenchStartMenus();
        // No message box waits for a click that never comes.
        CoreHooks hooks = CoreGetHooks();
        hooks.noteBox = nullptr;
        CoreSetHooks(hooks);
        // Frames without the wait for the next tick: the day's own cost.
        ClearTimerInterrupt();
        ScreenPresented = 1;

        BenchNewNamedGame();
        // Saves go to a folder of this run's own: a folder shared with
        // another run of the bench on the machine would have its save
        // written over while this one loads it.  The folder goes at exit.
        static const std::string scratch = "/tmp/halvorn-dayloop-bench-" + std::to_string(getpid());
        std::filesystem::create_directories(scratch + "/SaveData");
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratch, ignored);
        });
        if (chdir(scratch.c_str()) != 0) Fail("cannot enter the scratch folder");
        if (SaveGame(0) != 0) Fail("cannot save the new game");
        const int16_t first = SeasonCalendar.currentDay;
        return ClubWithoutFixtures(first, first + 40);
    }();
    return user;
}

// The saved new game, with the user at the head of the club picked for the
// run.
bool StartFromTheNewGame(benchmark::State& state) {
    const int16_t user = StartGameOnce();
    if (user < 0) {
        state.SkipWithError("every club plays in the coming weeks");
        return false;
    }
    if (LoadGame(0) != 0) Fail("cannot load the new game's save");
    CheckCupTieFixturesAll();
    SetPlayerClub(1, user);
    SetClubControl(user, 1);
    HVW_SetViewedCountry(int16_t(GetClubNation(user) < kCountryCount ? GetClubNation(user) : 0));
    return true;
}

// The day's results list is left as soon as it is up: the pointer goes to
// its leave icon and clicks.  In a window the menus' cursor stands where
// the move puts the pointer, so each step gives the position as well as
// the motion.
int g_clickStage = 0;
void LeaveTheResultsList() {
    if (MenuViewTopTable() != HistoryBrowserTable || ScreenPresented != 1) {
        if (g_clickStage != 0) plat::InjectMouseButton(0, false);
        g_clickStage = 0;
        return;
    }
    constexpr int kIconX = 750, kIconY = 570;
    if (CursorX != kIconX || CursorY != kIconY) {
        const int dx = std::clamp(kIconX - CursorX, -80, 80), dy = std::clamp(kIconY - CursorY, -80, 80);
        plat::InjectMouseMove(dx, dy, CursorX + dx, CursorY + dy);
        return;
    }
    // Pressed for three polls, released for three, until the list closes.
    if (g_clickStage % 6 == 0) plat::InjectMouseButton(0, true);
    if (g_clickStage % 6 == 3) plat::InjectMouseButton(0, false);
    ++g_clickStage;
}

void BM_OneDayWithoutTheUsersMatch(benchmark::State& state) {
    if (!StartFromTheNewGame(state)) return;
    const int16_t user = HVW_GetMyClub();
    const int16_t poll = AddPollFunction(LeaveTheResultsList, POLL_EVERY_TIME, 0);
    int fixtures = 0;
    for (auto _ : state) {
        const int16_t today = SeasonCalendar.currentDay;
        // A match of his drawn since the start would end the day on its
        // preview, which waits for the user.
        if (ClubPlaysOn(user, today + 1)) {
            state.SkipWithError("the user's club has a match tomorrow");
            break;
        }
        for (int slot = 0; slot < kFixtureSlots && FixtureDay(slot) <= today; ++slot)
            fixtures += FixtureDay(slot) == today;
        // The entry as the club screen's Continue pop-up runs it: the day
        // loop starts clean (no messages, no saved goals, its flags reset).
        if (ClubMain_OneDay(nullptr) != MENU_CLOSE || MenuOption != kScreenContinueGame) {
            state.SkipWithError("the One Day entry did not start the day");
            break;
        }
        DoMainMenuOption();
        // The day ends back on the club screen; any other screen (a goal
        // replay, a message's page) is work this benchmark does not time.
        if (MenuOption != kScreenClubMain) {
            state.SkipWithError("the day did not end on the club screen");
            break;
        }
        benchmark::DoNotOptimize(MenuOption);
    }
    state.counters["fixtures/day"] = benchmark::Counter(double(fixtures) / double(state.iterations()));
    RemovePollFunction(poll);
}
BENCHMARK(BM_OneDayWithoutTheUsersMatch)->Unit(benchmark::kMillisecond)->Iterations(28);

// The yardstick: the same days played by the season code alone, with no
// panel, list or screen.
void BM_TheDayWithoutScreens(benchmark::State& state) {
    if (!StartFromTheNewGame(state)) return;
    for (auto _ : state) {
        PlayDayWithoutScreens();
        benchmark::DoNotOptimize(SeasonCalendar.currentDay);
    }
}
BENCHMARK(BM_TheDayWithoutScreens)->Unit(benchmark::kMillisecond)->Iterations(28);

}  // namespace

BENCHMARK_MAIN();
