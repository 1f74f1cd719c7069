// The match preview page in full: the text generated, laid out and drawn
// with its table excerpts, on a new game's world whose first months have
// results, on a headless 800 x 600 display.  Each round previews the next of
// a list of fixtures of different clubs, competitions and days.  Target
// under 20 ms.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_menus.h"
#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/records/shippeddatabase.h"
#include "core/records/text.h"
#include "core/season/calendar.h"
#include "core/season/clubseason.h"
#include "core/season/fixtures.h"
#include "core/season/leagues.h"
#include "core/season/newgame.h"
#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/screenmachine.h"
#include "game/screens/matchday/matchpreview.h"
#include "game/screens/matchday/matchreport.h"
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

constexpr int16_t kResultsUntil = 150;

void StartWorld() {
    BenchStartMenus();
    ScreenPresented = 1;
    BenchNewNamedGame();
    // Results for the first months, so that tables and runs have something
    // to say.
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); ++slot) {
        if (FixtureDay(slot) >= kResultsUntil || IsFixturePlayed(slot)) continue;
        uint8_t* word = FixtureTable[slot].bytes + kFixtureScoreWord;
        const uint32_t score = uint32_t(GameRandom() % 4) | uint32_t(GameRandom() % 3) << 5;
        recbits::StoreU32(word, (recbits::LoadU32(word) & ~uint32_t(0x3FF)) | score);
    }
    RecountClubSeasonRecords(kResultsUntil - 1);
    SortLeagueTables();
}

// Unplayed fixtures after the results, one in every 97 slots.
std::vector<int16_t> PreviewedFixtures() {
    std::vector<int16_t> out;
    for (int slot = 0; slot < kFixtureSlots && !IsFixtureEmpty(slot); slot += 97)
        if (FixtureDay(slot) >= kResultsUntil && FixtureType(slot) < kCompFriendly &&
            IsClubNumber(FixtureHome(slot)))
            out.push_back(int16_t(slot));
    return out;
}

void BM_MatchReportShow(benchmark::State& state) {
    static bool started = false;
    if (!started) {
        StartWorld();
        started = true;
    }
    const std::vector<int16_t> fixtures = PreviewedFixtures();
    if (fixtures.empty()) {
        state.SkipWithError("no fixture to preview");
        return;
    }
    size_t next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int16_t slot = fixtures[next++ % fixtures.size()];
        const int16_t club = FixtureHome(slot);
        SetPlayerClub(1, uint16_t(club));
        SeasonCalendar.currentDay = int16_t(FixtureDay(slot));
        CurrentReferee = HVW_AppointReferee(slot);
        MatchDay_PreparePreview();
        state.ResumeTiming();
        MatchReport_Show();
        benchmark::DoNotOptimize(ReportLineCount);
    }
}
BENCHMARK(BM_MatchReportShow)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
