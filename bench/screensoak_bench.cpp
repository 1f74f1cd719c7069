// One whole season played through the screens with the soak on: the
// Continue day loop's run on from the new game's first day to its stop
// point on day 0 of the next season, every day's panels drawn on a
// headless 800 x 600 display and nobody at the keys.  The yardstick is the
// same season played by the season code alone (the whole-world season
// benchmark's run, soak_bench); target within 1.5 times its time.  Each
// iteration starts a new game from its own seed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_util.h"
#include "core/base/corehooks.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/soak.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/matchday/matchday.h"
#include "game/system/mouse.h"
#include "game/system/poll.h"
#include "game/system/startup.h"
#include "game/system/tickclock.h"
#include "tests/fakes/soak_driver.h"

namespace {

// The new game in the game folder, then the saves of the run in a folder
// of the benchmark's own.
bool StartSeason(uint32_t seed) {
    SoakConfig config;
    config.seed = seed;
    if (StartSoakGame(BenchGameFolder(), config) < 0) return false;
    const std::string scratch = "/tmp/halvorn-screensoak-bench";
    std::filesystem::create_directories(scratch + "/SaveData");
    return chdir(scratch.c_str()) == 0;
}

// The display, texts, timer, mouse and menus, once: the archive is the
// soak driver's.
bool OpenScreens(benchmark::State& state) {
    static bool open = false;
    if (open) return true;
    if (!StartSeason(1)) {
        state.SkipWithError("no game folder");
        return false;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    WinInit(nullptr, "Halvorn bench", WIN_FLAG_WINDOWED);
    while (!WinIsActive()) WinIdleMessageHandler();
    DXEnumDisplay();
    DDrawSelectDevice(0, 0);
    GfxInit(0);
    InitText(LANGUAGE_ENGLISH);
    InitTimerInterrupt();
    InitPoll();
    InitMouseDriver();
    RestartMenus();
    InstallGameHooks();
    ScreenPresented = 1;
    open = true;
    return true;
}

// Plays on from today to day 0 of the next season.
void PlaySeason() {
    SoakStopPointSeason = int16_t(SeasonCalendar.season + 1);
    SoakStopPointDay = 0;
    SoakMode = 1;
    ContinueMode = 1;
    MenuOption = kScreenContinueGame;
    BenchQuiet quiet;
    DoMainMenuOption();
}

void BM_SeasonThroughTheScreens(benchmark::State& state) {
    if (!OpenScreens(state)) return;
    uint32_t seed = 1;
    int days = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (seed > 1 && !StartSeason(seed)) {
            state.SkipWithError("no game folder");
            return;
        }
        ++seed;
        const int16_t season = SeasonCalendar.season, day = SeasonCalendar.currentDay;
        state.ResumeTiming();
        PlaySeason();
        days += (SeasonCalendar.season - season) * 365 + SeasonCalendar.currentDay - day;
    }
    state.counters["days"] = double(days) / double(state.iterations());
    state.counters["stopped_at_day"] = SeasonCalendar.currentDay;
}
BENCHMARK(BM_SeasonThroughTheScreens)->Unit(benchmark::kSecond)->Iterations(1);

// The yardstick: the same season by the season code alone.
void BM_SeasonWithoutScreens(benchmark::State& state) {
    uint32_t seed = 1;
    for (auto _ : state) {
        state.PauseTiming();
        if (!StartSeason(seed++)) {
            state.SkipWithError("no game folder");
            return;
        }
        state.ResumeTiming();
        RunSoakUntil(int16_t(SeasonCalendar.season + 1), 0);
    }
}
BENCHMARK(BM_SeasonWithoutScreens)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
