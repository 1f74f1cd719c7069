// Throughput of the six compression methods in both directions and the
// packed size they reach, on files of this machine and on data shaped like
// the game's tables, with zlib at level 6 as a yardstick in the same run
// (shown as method 6).
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/compress.h"
#include "support/random.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int kZlibMethod = COMPRESS_METHOD_COUNT;
constexpr size_t kFileLimit = 512 * 1024;

struct CorpusFile {
    std::string name;
    Bytes bytes;
};

Bytes ReadPrefix(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    Bytes out(kFileLimit);
    in.read(reinterpret_cast<char*>(out.data()), std::streamsize(out.size()));
    out.resize(size_t(in.gcount()));
    return out;
}

std::filesystem::path FirstExisting(std::initializer_list<const char*> paths) {
    for (const char* p : paths) {
        if (std::filesystem::exists(p)) return p;
    }
    return {};
}

std::filesystem::path FirstCompressedDoc() {
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator("/usr/share/doc", error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (error) break;
        if (it->path().extension() == ".gz" && it->file_size(error) > 20000) return it->path();
    }
    return {};
}

// Records of 64 bytes with small numbers, names and zero padding, like the
// game's saved tables.
Bytes TableLike() {
    GameSeedRandom(99);
    Bytes out;
    const char* names[] = {"Halvorsen", "Ekdal", "Brandt", "Lindqvist", "Moreau", "Okafor"};
    while (out.size() < kFileLimit) {
        Bytes record(64, 0);
        std::string name = names[GameRandom() % 6];
        std::copy(name.begin(), name.end(), record.begin());
        for (int i = 24; i < 40; ++i) record[size_t(i)] = uint8_t(GameRandom() % 20);
        record[40] = uint8_t(GameRandom() % 4);
        out.insert(out.end(), record.begin(), record.end());
    }
    return out;
}

const std::vector<CorpusFile>& Corpus() {
    static const std::vector<CorpusFile> corpus = [] {
        std::vector<CorpusFile> files;
        files.push_back({"program", ReadPrefix("/proc/self/exe")});
        std::filesystem::path text = FirstExisting({"/usr/share/common-licenses/GPL-3", "/etc/services"});
        if (!text.empty()) files.push_back({"text", ReadPrefix(text)});
        std::filesystem::path packed = FirstCompressedDoc();
        if (!packed.empty()) files.push_back({"compressed", ReadPrefix(packed)});
        files.push_back({"table", TableLike()});
        return files;
    }();
    return corpus;
}

Bytes Pack(int method, const Bytes& in) {
    if (method == kZlibMethod) {
        uLongf size = compressBound(uLong(in.size()));
        Bytes out(size);
        compress2(out.data(), &size, in.data(), uLong(in.size()), 6);
        out.resize(size);
        return out;
    }
    Bytes out(CompressWorstCase(method, uint32_t(in.size())));
    uint32_t size = 0;
    CompressDataMem2Mem(method, in.data(), uint32_t(in.size()), out.data(), &size);
    out.resize(size);
    return out;
}

void Unpack(int method, const Bytes& stream, Bytes& out) {
    if (method == kZlibMethod) {
        uLongf size = uLongf(out.size());
        uncompress(out.data(), &size, stream.data(), uLong(stream.size()));
        return;
    }
    uint32_t size = 0;
    UncompressDataMem2Mem(method, stream.data(), uint32_t(stream.size()), out.data(), uint32_t(out.size()),
                          &size);
}

bool Select(benchmark::State& state, const CorpusFile** file) {
    size_t index = size_t(state.range(1));
    if (index >= Corpus().size()) {
        state.SkipWithError("no such corpus file on this machine");
        return false;
    }
    *file = &Corpus()[index];
    return true;
}

void Report(benchmark::State& state, const CorpusFile& file, size_t packed) {
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.bytes.size()));
    state.counters["in_bytes"] = double(file.bytes.size());
    state.counters["packed_bytes"] = double(packed);
    state.counters["ratio"] = double(packed) / double(file.bytes.size());
    state.SetLabel(file.name + (state.range(0) == kZlibMethod ? " zlib-6" : ""));
}

void BM_Compress(benchmark::State& state) {
    const CorpusFile* file;
    if (!Select(state, &file)) return;
    int method = int(state.range(0));
    size_t packed = 0;
    for (auto _ : state) {
        Bytes out = Pack(method, file->bytes);
        packed = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    Report(state, *file, packed);
}

void BM_Decompress(benchmark::State& state) {
    const CorpusFile* file;
    if (!Select(state, &file)) return;
    int method = int(state.range(0));
    Bytes stream = Pack(method, file->bytes);
    Bytes out(file->bytes.size());
    for (auto _ : state) {
        Unpack(method, stream, out);
        benchmark::DoNotOptimize(out.data());
    }
    if (out != file->bytes) state.SkipWithError("round trip failed");
    Report(state, *file, stream.size());
}

BENCHMARK(BM_Compress)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, kZlibMethod}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decompress)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, kZlibMethod}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
