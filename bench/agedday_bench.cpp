// One day of an aged world beside one day of a new world: the same seed's
// soak world (the user's club run by the computer, no screens) on the same
// 28 days of the calendar, from day 100 of season 0 and from day 100 of
// season 10.  Each round plays the next day; a day is timed by the
// processor time it takes (a machine shared with other work stretches its
// wall time), less the processor time of its matches on the engine (whose
// cost is the match's own, timed by bench_fullmatch_bench), so that a user
// who still holds his club on one side and not on the other does not weigh
// on the comparison.
// The two should cost alike: work that grows with the world's age shows as
// their ratio.
//
// The worlds come from saved games the benchmark makes once and keeps: the
// first run plays the soak from the new game through ten seasons (a few
// minutes), saving on day 100 of season 0 and of season 10, and later runs
// load them.  They are kept in $HALVORN_BENCH_CACHE, else
// $XDG_CACHE_HOME/halvorn, else ~/.cache/halvorn, in a folder named for the
// seed and for a digest of the game data and the saved game's size, so that
// new game data or another save layout makes them again.  Delete the folder to make them anew
// after a change to the world's rules.  The seed is 3 (the user loses his
// club within weeks there, so the days are the world's alone), or
// HALVORN_SOAK_SEED.
//
// Alternating rounds on one core: run it pinned (taskset -c N) with
// --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "core/base/random.h"
#include "core/records/blockfiles.h"
#include "core/records/records.h"
#include "core/records/savetable.h"
#include "core/season/calendar.h"
#include "tests/fakes/soak_driver.h"

namespace {

namespace fs = std::filesystem;

constexpr int16_t kFirstDay = 100;
constexpr int16_t kAgedSeason = 10;
constexpr int kDays = 28;
constexpr int16_t kNewWorldSlot = 0;
constexpr int16_t kAgedWorldSlot = 1;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "agedday bench: %s\n", what.c_str());
    std::exit(1);
}

std::string GameFolder() {
    if (const char* dir = std::getenv("HALVORN_GAME_DIR")) return dir;
    return HALVORN_GAME_DIR;
}

uint32_t Seed() {
    const char* wanted = std::getenv("HALVORN_SOAK_SEED");
    return wanted != nullptr && std::atoi(wanted) > 0 ? uint32_t(std::atoi(wanted)) : 3;
}

// FNV-1a over the bytes of the files the new game reads (the archive and
// the statistics, in name order), and over the saved game's size.
uint64_t GameDataDigest() {
    uint64_t digest = 1469598103934665603ull;
    const auto mix = [&](const void* bytes, size_t size) {
        for (size_t i = 0; i < size; ++i) {
            digest ^= static_cast<const uint8_t*>(bytes)[i];
            digest *= 1099511628211ull;
        }
    };
    for (const char* folder : {"pakfiles", "stats"}) {
        std::vector<fs::path> files;
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(GameFolder() + "/" + folder, error))
            if (entry.is_regular_file()) files.push_back(entry.path());
        if (error) Fail("cannot read the game folder " + GameFolder());
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            const std::string name = file.filename().string();
            mix(name.data(), name.size());
            std::ifstream in(file, std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
            mix(bytes.data(), bytes.size());
        }
    }
    const uint64_t saveBytes = kSaveGameDataBytes;
    mix(&saveBytes, sizeof saveBytes);
    return digest;
}

fs::path CacheRoot() {
    if (const char* dir = std::getenv("HALVORN_BENCH_CACHE")) return dir;
    if (const char* dir = std::getenv("XDG_CACHE_HOME")) return fs::path(dir) / "halvorn";
    if (const char* home = std::getenv("HOME")) return fs::path(home) / ".cache" / "halvorn";
    return fs::temp_directory_path() / "halvorn-cache";
}

// Runs the block with the game's saves going to and coming from `folder`.
template <class Block>
int InFolder(const fs::path& folder, const Block& block) {
    const fs::path here = fs::current_path();
    fs::current_path(folder);
    const int status = block();
    fs::current_path(here);
    return status;
}

// Plays the soak from the new game and saves both worlds into a folder of
// this process's own, which then takes the cache folder's name whole: a
// second run making them at the same time never reads half-written saves.
void MakeWorlds(const fs::path& folder, const SoakConfig& config) {
    std::fprintf(stderr, "agedday bench: playing seed %u through %d seasons into %s\n", unsigned(config.seed),
                 int(kAgedSeason), folder.c_str());
    const fs::path making = folder.string() + ".making-" + std::to_string(getpid());
    fs::create_directories(making / "SaveData");
    if (StartSoakGame(GameFolder(), config) < 0) Fail("no game folder at " + GameFolder());
    if (RunSoakUntil(0, kFirstDay) != "") Fail("the soak stopped early");
    if (InFolder(making, [] { return SaveGame(kNewWorldSlot); }) != kSaveOk)
        Fail("cannot save the new world");
    if (RunSoakUntil(kAgedSeason, kFirstDay) != "") Fail("the soak stopped early");
    if (InFolder(making, [] { return SaveGame(kAgedWorldSlot); }) != kSaveOk)
        Fail("cannot save the aged world");
    std::error_code error;
    fs::rename(making, folder, error);
    // Another run finished first: its worlds are the same.
    if (error) fs::remove_all(making, error);
}

// The kept worlds' folder, made when missing; the soak game's memory and
// archive mounted and its switches set.
const fs::path& WorldsOnce() {
    static const fs::path folder = [] {
        SoakConfig config;
        config.seed = Seed();
        char name[64];
        std::snprintf(name, sizeof name, "aged-day-seed%u-%016llx", unsigned(config.seed),
                      (unsigned long long)GameDataDigest());
        const fs::path kept = CacheRoot() / name;
        fs::create_directories(CacheRoot());
        if (!fs::exists(kept)) MakeWorlds(kept, config);
        // The new game mounts the game data and sets what a save leaves
        // out (the auto-management switch, the viewed country).
        if (StartSoakGame(GameFolder(), config) < 0) Fail("no game folder at " + GameFolder());
        return kept;
    }();
    return folder;
}

// Loads a kept world; a world that does not load stops the run (delete the
// folder to have it made again).
void LoadWorld(int16_t slot) {
    const fs::path& folder = WorldsOnce();
    const int status = InFolder(folder, [&] { return LoadGame(slot); });
    if (status != kSaveOk)
        Fail("the kept world in " + folder.string() + " does not load (" + std::to_string(status) + ")");
}

void PlayDays(benchmark::State& state, int16_t slot, int16_t season) {
    LoadWorld(slot);
    // A save leaves the generator out: every round of the benchmark plays
    // the same days from the same draws.
    GameSeedRandom(Seed());
    if (SeasonCalendar.season != season || SeasonCalendar.currentDay != kFirstDay) {
        state.SkipWithError("the kept world stands on another day");
        return;
    }
    ResetSoakCounts();
    const SoakTimes& times = CurrentSoakTimes();
    for (auto _ : state) {
        const double before = times.cpu - times.engineCpu;
        if (RunSoakUntil(SeasonCalendar.season, int16_t(SeasonCalendar.currentDay + 1)) != "") {
            state.SkipWithError("the soak stopped");
            break;
        }
        state.SetIterationTime(times.cpu - times.engineCpu - before);
    }
    const SoakCounts& counts = CurrentSoakCounts();
    const double days = double(state.iterations());
    state.counters["engine_matches"] = counts.engine;
    state.counters["predicted/day"] = double(counts.predicted) / days;
    state.counters["spare_searches/day"] = double(counts.spareSearches) / days;
    state.counters["history_held"] = counts.playerHistoryHeld;
    state.counters["players"] = PlayerCount;
}

void BM_DayOfANewWorld(benchmark::State& state) { PlayDays(state, kNewWorldSlot, 0); }
BENCHMARK(BM_DayOfANewWorld)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kDays);

void BM_DayOfAnAgedWorld(benchmark::State& state) { PlayDays(state, kAgedWorldSlot, kAgedSeason); }
BENCHMARK(BM_DayOfAnAgedWorld)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kDays);

}  // namespace

BENCHMARK_MAIN();
