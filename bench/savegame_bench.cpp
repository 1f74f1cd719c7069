// Saving and loading a whole game (about 48 MB in 119 blocks) in a scratch
// folder, and the extra memory a load takes at its peak: the staging copy
// the file is checked in before it replaces the running game.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/base/compress.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/club/squads.h"
#include "core/records/blockfiles.h"
#include "core/records/history.h"
#include "core/records/records.h"
#include "core/records/savetable.h"
#include "core/records/taggedfiles.h"
#include "core/season/fixtures.h"

namespace {

namespace fs = std::filesystem;

// A world of plausible size: every player in use, an empty fixture table
// and empty history lists, the other tables filled with noise.
void FillState() {
    GameSeedRandom(11);
    for (int i = 0; i < kSaveGameBlockCount; ++i) {
        auto* bytes = static_cast<uint8_t*>(SaveGameDescriptors[i].address);
        for (uint32_t j = 0; j < SaveGameDescriptors[i].size; ++j) bytes[j] = uint8_t(GameRandom());
    }
    PlayerCount = kMaxPlayers;
    for (Fixture& f : FixtureTable) {
        f.bytes[0] = 0xFF;
        f.bytes[1] |= 0x01;
    }
    ClearHistoryLists();
}

struct Scratch {
    Scratch() {
        old = fs::current_path();
        char pattern[] = "/tmp/halvorn_bench_save_XXXXXX";
        if (mkdtemp(pattern) == nullptr) std::abort();
        dir = pattern;
        fs::current_path(dir);
        InitMemory(16384);
        FillState();
    }
    ~Scratch() {
        UninitMemory();
        fs::current_path(old);
        fs::remove_all(dir);
    }
    fs::path old, dir;
};

long StatusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field)));
    }
    return -1;
}

void BM_SaveGame(benchmark::State& state) {
    Scratch scratch;
    for (auto _ : state) {
        if (SaveGame(1) != 0) state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kSaveGameDataBytes));
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadGame(benchmark::State& state) {
    Scratch scratch;
    if (SaveGame(1) != 0) state.SkipWithError("save failed");
    long peak_extra = 0;
    for (auto _ : state) {
        // Peak resident memory over the load, less what was resident before.
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = StatusKb("VmRSS:");
        if (LoadGame(1) != 0) state.SkipWithError("load failed");
        peak_extra = std::max(peak_extra, StatusKb("VmHWM:") - before);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kSaveGameDataBytes));
    state.counters["peak_extra_MB"] = double(peak_extra) / 1024.0;
}
BENCHMARK(BM_LoadGame)->Unit(benchmark::kMillisecond)->UseRealTime();

// A replay-sized tagged file, plain and compressed with each method.
uint8_t g_replay[484 * 600];

void BM_TaggedReplay(benchmark::State& state) {
    InitMemory(16384);
    for (size_t i = 0; i < sizeof g_replay; ++i) g_replay[i] = uint8_t((i / 484) ^ (i % 7));
    const NewDiskItem table[] = {{"RepBody", g_replay, sizeof g_replay, 0, 0, 0, nullptr}, {}};
    const std::string name = "/tmp/halvorn_bench_replay_" + std::to_string(getpid());
    const int method = int(state.range(0)) - 1;
    const uint32_t flags = method < 0 ? 0 : NewDiskMethodFlags(method);
    for (auto _ : state) {
        if (NewDisk_Save(name.c_str(), table, flags) != 0 || NewDisk_Load(name.c_str(), table, 0) != 0) {
            state.SkipWithError("tagged file failed");
        }
    }
    state.counters["file_KB"] = double(fs::file_size(name)) / 1024.0;
    fs::remove(name);
    UninitMemory();
}
BENCHMARK(BM_TaggedReplay)->DenseRange(0, COMPRESS_METHOD_COUNT)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
