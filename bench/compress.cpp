// Throughput of the six compression methods in both directions and the
// packed size they reach, with zlib (level 6 to pack, inflate to unpack) as
// a yardstick in the same run, shown as method 6.
//
// The corpus is made here, the same on every machine, in the sizes and
// shapes of what the pak archive holds: a language file, the database,
// pictures, sounds, and data that is already compressed.  BM_DecodeCorpus
// decodes all of it with one method and prints that method's speed next to
// zlib inflate's on the same files.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/compress.h"
#include "core/base/random.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int kZlibMethod = COMPRESS_METHOD_COUNT;

struct CorpusFile {
    std::string name;
    Bytes bytes;
};

uint32_t Roll(uint32_t n) { return uint32_t(GameRandom()) % n; }

// Lines of "key=text" in a few thousand entries; words come from a small
// vocabulary, the common ones far more often, as in any language.
Bytes LanguageFile() {
    static const char* const kWords[] = {
        "the",   "club",     "match", "player",   "season",   "of",      "to",       "a",        "in",
        "and",   "league",   "cup",   "goal",     "board",    "money",   "transfer", "contract", "manager",
        "week",  "squad",    "is",    "has",      "for",      "with",    "training", "injured",  "fans",
        "first", "division", "offer", "accepted", "rejected", "wage",    "%s",       "%d",       "points",
        "home",  "away",     "draw",  "win",      "lost",     "against", "your",     "new",      "youth"};
    constexpr uint32_t kWordCount = sizeof kWords / sizeof kWords[0];
    Bytes out;
    for (int line = 0; out.size() < 180 * 1024; ++line) {
        std::string text = "TEXT_" + std::to_string(1000 + line) + "=";
        const uint32_t words = 3 + Roll(12);
        for (uint32_t w = 0; w < words; ++w) {
            // Squaring a uniform draw favours the first words.
            const uint32_t r = Roll(kWordCount * kWordCount);
            text += kWords[uint32_t(std::sqrt(double(r)))];
            text += w + 1 < words ? " " : ".\r\n";
        }
        out.insert(out.end(), text.begin(), text.end());
    }
    return out;
}

// Club rows and player rows as the database stores them: names padded
// with zeros, small numbers, 16-bit club numbers, mostly empty flags.
Bytes Database() {
    static const char* const kNames[] = {"Halvorsen", "Ekdal",  "Brandt", "Lindqvist", "Moreau",
                                         "Okafor",    "Santos", "Novak",  "Kowalski",  "Eriksen"};
    Bytes out;
    for (int club = 0; club < 1200; ++club) {
        Bytes row(96, 0);
        std::string name = std::string(kNames[Roll(10)]) + " " + std::to_string(club);
        std::copy(name.begin(), name.end(), row.begin());
        for (int i = 32; i < 48; ++i) row[size_t(i)] = uint8_t(Roll(100));
        row[48] = uint8_t(club);
        row[49] = uint8_t(club >> 8);
        row[50] = uint8_t(Roll(9));
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int player = 0; player < 24000; ++player) {
        Bytes row(44, 0);
        std::string name = kNames[Roll(10)];
        std::copy(name.begin(), name.end(), row.begin());
        for (int i = 16; i < 36; ++i) row[size_t(i)] = uint8_t(20 + Roll(60));
        const uint32_t club = Roll(1200);
        row[36] = uint8_t(club);
        row[37] = uint8_t(club >> 8);
        row[38] = uint8_t(17 + Roll(20));
        if (Roll(10) == 0) row[40] = uint8_t(1 + Roll(3));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// The 18-byte header of an uncompressed true-colour picture, top row first.
Bytes PictureHeader(uint16_t width, uint16_t height, uint8_t depth, uint8_t alphaBits) {
    Bytes out(18, 0);
    out[2] = 2;
    recbits::StoreU16(out.data() + 12, width);
    recbits::StoreU16(out.data() + 14, height);
    out[16] = depth;
    out[17] = uint8_t(0x20 | alphaBits);
    return out;
}

// A 256 x 256 background of 24-bit pixels: smooth gradients with a little
// grain, as drawn backgrounds are.
Bytes Background() {
    Bytes out = PictureHeader(256, 256, 24, 0);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const int grain = int(Roll(5)) - 2;
            out.push_back(uint8_t(std::clamp(x / 2 + 40 + grain, 0, 255)));
            out.push_back(uint8_t(std::clamp((x + y) / 3 + grain, 0, 255)));
            out.push_back(uint8_t(std::clamp(200 - y / 2 + grain, 0, 255)));
        }
    }
    return out;
}

// A 256 x 128 sheet of 32-bit icons: flat shapes on the transparent
// magenta that the loader keys out.
Bytes IconSheet() {
    Bytes out = PictureHeader(256, 128, 32, 8);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 256; ++x) {
            const int cx = x % 32 - 16, cy = y % 32 - 16;
            const bool inside = cx * cx + cy * cy < 120;
            const uint8_t shade = uint8_t((x / 32) * 30 + (y / 32) * 8);
            if (inside) {
                out.insert(out.end(), {shade, uint8_t(255 - shade), uint8_t(cx * 4 + 128), 255});
            } else {
                out.insert(out.end(), {255, 0, 255, 255});
            }
        }
    }
    return out;
}

// Three seconds of unsigned 8-bit mono sound at 22050 Hz: a crowd's
// murmur under a whistle that comes and goes.
Bytes Sound() {
    constexpr double kRate = 22050;
    Bytes out;
    double murmur = 0;
    for (int i = 0; i < 3 * 22050; ++i) {
        const double t = i / kRate;
        murmur = 0.97 * murmur + 0.03 * (double(Roll(2001)) / 1000.0 - 1.0);
        const double whistle = std::fmod(t, 1.0) < 0.4 ? 0.3 * std::sin(2 * M_PI * 2800 * t) : 0.0;
        const double v = std::clamp(4.0 * murmur + whistle, -1.0, 1.0);
        out.push_back(uint8_t(128 + std::lround(v * 120)));
    }
    return out;
}

// What a packer meets as already-compressed data: the language file
// deflated.
Bytes AlreadyCompressed(const Bytes& text) {
    uLongf size = compressBound(uLong(text.size()));
    Bytes out(size);
    compress2(out.data(), &size, text.data(), uLong(text.size()), 9);
    out.resize(size);
    return out;
}

const std::vector<CorpusFile>& Corpus() {
    static const std::vector<CorpusFile> corpus = [] {
        GameSeedRandom(2024);
        std::vector<CorpusFile> files;
        files.push_back({"language", LanguageFile()});
        files.push_back({"database", Database()});
        files.push_back({"background", Background()});
        files.push_back({"icons", IconSheet()});
        files.push_back({"sound", Sound()});
        files.push_back({"compressed", AlreadyCompressed(files[0].bytes)});
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

// Every corpus file packed by one method, kept for the decoding runs.
const std::vector<Bytes>& PackedCorpus(int method) {
    static std::vector<Bytes> packed[kZlibMethod + 1];
    if (packed[method].empty()) {
        for (const CorpusFile& file : Corpus()) packed[method].push_back(Pack(method, file.bytes));
    }
    return packed[method];
}

size_t CorpusBytes() {
    size_t total = 0;
    for (const CorpusFile& file : Corpus()) total += file.bytes.size();
    return total;
}

void DecodeCorpus(int method, std::vector<Bytes>& outputs) {
    const std::vector<Bytes>& packed = PackedCorpus(method);
    for (size_t i = 0; i < packed.size(); ++i) Unpack(method, packed[i], outputs[i]);
}

std::vector<Bytes> EmptyOutputs() {
    std::vector<Bytes> outputs;
    for (const CorpusFile& file : Corpus()) outputs.emplace_back(file.bytes.size());
    return outputs;
}

// One decoding pass over the corpus, in seconds of the wall clock.
double TimedPass(int method, std::vector<Bytes>& outputs) {
    const auto start = std::chrono::steady_clock::now();
    DecodeCorpus(method, outputs);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return took.count();
}

// The method's and zlib inflate's speed on the corpus in MB/s, each the
// best of passes taken in turn, so that both meet the same load of a
// shared machine.
struct SideBySide {
    double method;
    double zlib;
};
SideBySide DecodeSpeedsSideBySide(int method) {
    std::vector<Bytes> outputs = EmptyOutputs();
    double bestMethod = 1e30, bestZlib = 1e30;
    for (int pass = 0; pass < 30; ++pass) {
        bestMethod = std::min(bestMethod, TimedPass(method, outputs));
        bestZlib = std::min(bestZlib, TimedPass(kZlibMethod, outputs));
    }
    const double megabytes = double(CorpusBytes()) / 1e6;
    return {megabytes / bestMethod, megabytes / bestZlib};
}

bool Select(benchmark::State& state, const CorpusFile** file) {
    *file = &Corpus()[size_t(state.range(1))];
    return true;
}

void Report(benchmark::State& state, const CorpusFile& file, size_t packed) {
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.bytes.size()));
    state.counters["in_bytes"] = double(file.bytes.size());
    state.counters["packed_bytes"] = double(packed);
    state.counters["ratio"] = double(packed) / double(file.bytes.size());
    state.SetLabel(file.name + (state.range(0) == kZlibMethod ? " zlib" : ""));
}

void BM_Compress(benchmark::State& state) {
    const CorpusFile* file;
    if (!Select(state, &file)) return;
    const int method = int(state.range(0));
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
    const int method = int(state.range(0));
    const Bytes& stream = PackedCorpus(method)[size_t(state.range(1))];
    Bytes out(file->bytes.size());
    for (auto _ : state) {
        Unpack(method, stream, out);
        benchmark::DoNotOptimize(out.data());
    }
    if (out != file->bytes) state.SkipWithError("round trip failed");
    Report(state, *file, stream.size());
}

// The whole corpus with one method; "MB/s" is this method's decoding
// speed over the timed loop, "best_MB/s" and "zlib_MB/s" this method's and
// zlib inflate's best over passes taken in turn, and "vs_zlib" the first
// over the second (1 or more: as fast as zlib or faster).
void BM_DecodeCorpus(benchmark::State& state) {
    const int method = int(state.range(0));
    std::vector<Bytes> outputs = EmptyOutputs();
    for (auto _ : state) {
        DecodeCorpus(method, outputs);
        benchmark::DoNotOptimize(outputs.data());
    }
    for (size_t i = 0; i < outputs.size(); ++i) {
        if (outputs[i] != Corpus()[i].bytes) state.SkipWithError("round trip failed");
    }
    size_t packed = 0;
    for (const Bytes& p : PackedCorpus(method)) packed += p.size();
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(CorpusBytes()));
    state.counters["MB/s"] = benchmark::Counter(double(CorpusBytes()) / 1e6 * double(state.iterations()),
                                                benchmark::Counter::kIsRate);
    const SideBySide speeds = DecodeSpeedsSideBySide(method);
    state.counters["best_MB/s"] = speeds.method;
    state.counters["zlib_MB/s"] = speeds.zlib;
    state.counters["vs_zlib"] = speeds.method / speeds.zlib;
    state.counters["ratio"] = double(packed) / double(CorpusBytes());
    state.SetLabel(method == kZlibMethod ? "zlib inflate" : "method " + std::to_string(method));
}

// The whole corpus with one method from a file, as the pak archive reads
// its entries; "MB/s" is this method's decoding speed.
void BM_DecodeCorpusFromFile(benchmark::State& state) {
    const int method = int(state.range(0));
    const std::vector<Bytes>& packed = PackedCorpus(method);
    std::vector<std::FILE*> files;
    for (const Bytes& stream : packed) {
        std::FILE* file = std::tmpfile();
        std::fwrite(stream.data(), 1, stream.size(), file);
        files.push_back(file);
    }
    std::vector<Bytes> outputs = EmptyOutputs();
    for (auto _ : state) {
        for (size_t i = 0; i < files.size(); ++i) {
            std::rewind(files[i]);
            uint32_t size = 0;
            DecompressDataFile2Mem(method, files[i], uint32_t(packed[i].size()), outputs[i].data(),
                                   uint32_t(outputs[i].size()), &size);
        }
        benchmark::DoNotOptimize(outputs.data());
    }
    for (std::FILE* file : files) std::fclose(file);
    for (size_t i = 0; i < outputs.size(); ++i) {
        if (outputs[i] != Corpus()[i].bytes) state.SkipWithError("round trip failed");
    }
    state.counters["MB/s"] = benchmark::Counter(double(CorpusBytes()) / 1e6 * double(state.iterations()),
                                                benchmark::Counter::kIsRate);
    state.SetLabel("method " + std::to_string(method) + " from a file");
}

// Method 2 with its move-to-front undone in a slower form: on 16-byte
// shuffles, as on processors without 512-bit vectors, or byte by byte in
// memory.
void BM_DecodeCorpusShuffleMoveToFront(benchmark::State& state) {
    CompressLimitMoveToFront(MoveToFrontForm::kShuffle);
    BM_DecodeCorpus(state);
    CompressLimitMoveToFront(MoveToFrontForm::kWide);
    state.SetLabel("method 2, 16-byte move-to-front");
}

void BM_DecodeCorpusPlainMoveToFront(benchmark::State& state) {
    CompressLimitMoveToFront(MoveToFrontForm::kPlain);
    BM_DecodeCorpus(state);
    CompressLimitMoveToFront(MoveToFrontForm::kWide);
    state.SetLabel("method 2, plain move-to-front");
}

constexpr int64_t kFileCount = 6;

BENCHMARK(BM_Compress)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, kZlibMethod}, benchmark::CreateDenseRange(0, kFileCount - 1, 1)})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decompress)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, kZlibMethod}, benchmark::CreateDenseRange(0, kFileCount - 1, 1)})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeCorpus)->DenseRange(0, kZlibMethod, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeCorpusFromFile)->DenseRange(0, kZlibMethod - 1, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeCorpusShuffleMoveToFront)->Arg(COMPRESS_MTF_HUFFMAN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeCorpusPlainMoveToFront)->Arg(COMPRESS_MTF_HUFFMAN)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
