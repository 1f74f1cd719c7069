#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "core/base/compress.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Stream(int method, const Bytes& in) {
    Bytes out(CompressWorstCase(method, uint32_t(in.size())));
    uint32_t size = 0;
    CompressDataMem2Mem(method, in.data(), uint32_t(in.size()), out.data(), &size);
    out.resize(size);
    return out;
}

Bytes Block(int method, const Bytes& in) {
    Bytes stream = Stream(method, in);
    Bytes block(COMPRESS_HEADER_SIZE);
    CompressWriteHeader(block.data(),
                        CompressHeader{uint16_t(method), uint32_t(stream.size()), uint32_t(in.size())});
    block.insert(block.end(), stream.begin(), stream.end());
    return block;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Words of a language file: text in the shape the game ships.
Bytes GeneratedText(size_t size) {
    static constexpr const char* kWords[] = {"the",      "club",    "board", "has",    "agreed", "a",
                                             "fee",      "of",      "for",   "player", "season", "League",
                                             "Cup",      "match",   "won",   "%s",     "%d",     "manager",
                                             "transfer", "injured", "weeks", "."};
    Bytes out;
    while (out.size() < size) {
        const char* word = kWords[GameRandom() % std::size(kWords)];
        out.insert(out.end(), word, word + std::strlen(word));
        out.push_back(GameRandom() % 9 == 0 ? '\n' : ' ');
    }
    out.resize(size);
    return out;
}

// Fixed-size records of small numbers, names and zero padding, as in the
// game's database files.
Bytes GeneratedRecords(int count) {
    static constexpr const char* kNames[] = {"Smith", "Jones", "Brown", "Taylor", "Wilson", "Evans"};
    constexpr size_t kRecordSize = 43;
    Bytes out;
    for (int i = 0; i < count; ++i) {
        Bytes record(kRecordSize, 0);
        const char* name = kNames[GameRandom() % std::size(kNames)];
        std::memcpy(record.data(), name, std::strlen(name));
        record[17] = uint8_t(i);
        record[18] = uint8_t(i >> 8);
        for (size_t k = 20; k < 32; ++k) record[k] = uint8_t(GameRandom() % 100);
        out.insert(out.end(), record.begin(), record.end());
    }
    return out;
}

// A mixed corpus, the same on every machine: data shaped like what the
// game packs (text, records, data that is already compressed) and inputs
// made to hit the methods' edges.
std::vector<std::pair<std::string, Bytes>> Corpus() {
    std::vector<std::pair<std::string, Bytes>> corpus;
    GameSeedRandom(1234);
    const Bytes text = GeneratedText(60000);
    corpus.emplace_back("text", text);
    corpus.emplace_back("records", GeneratedRecords(2000));
    corpus.emplace_back("already compressed", Stream(COMPRESS_METHOD_COUNT - 1, text));
    corpus.emplace_back("empty", Bytes{});
    corpus.emplace_back("one byte", Bytes{0x42});
    corpus.emplace_back("one zero", Bytes{0});
    corpus.emplace_back("long run", Bytes(70000, 'a'));
    corpus.emplace_back("long zero run", Bytes(140000, 0));
    Bytes all(512);
    for (size_t i = 0; i < all.size(); ++i) all[i] = uint8_t(i * 7);
    corpus.emplace_back("every byte value", all);
    Bytes noise(20000), small_alphabet(20000), runs;
    for (uint8_t& b : noise) b = uint8_t(GameRandom());
    for (uint8_t& b : small_alphabet) b = uint8_t("abcab  \n"[GameRandom() % 8]);
    for (int i = 0; i < 3000; ++i)
        runs.insert(runs.end(), size_t(GameRandom() % 9), uint8_t(GameRandom() % 4));
    corpus.emplace_back("noise", noise);
    corpus.emplace_back("small alphabet", small_alphabet);
    corpus.emplace_back("short runs", runs);
    return corpus;
}

TEST(CompressTest, AllMethodsRoundTripThroughMemoryAndFiles) {
    for (const auto& [name, input] : Corpus()) {
        for (int method = 0; method < COMPRESS_METHOD_COUNT; ++method) {
            SCOPED_TRACE(name + ", method " + std::to_string(method));
            Bytes block = Block(method, input);
            EXPECT_LE(block.size() - COMPRESS_HEADER_SIZE, CompressWorstCase(method, uint32_t(input.size())));
            Bytes out(input.size() + 1, 0xEE);
            uint32_t size =
                DecompressDataMem(block.data(), uint32_t(block.size()), out.data(), uint32_t(out.size()));
            ASSERT_EQ(size, input.size());
            EXPECT_TRUE(std::equal(input.begin(), input.end(), out.begin()));
            EXPECT_EQ(out.back(), 0xEE);  // nothing written past the unpacked size

            std::FILE* file = std::tmpfile();
            ASSERT_NE(file, nullptr);
            std::fputs("lead", file);
            std::fwrite(block.data(), 1, block.size(), file);
            std::fseek(file, 4, SEEK_SET);
            Bytes from_file(input.size());
            size = DecompressDataFile(file, uint32_t(block.size()), from_file.data(),
                                      uint32_t(from_file.size()));
            std::fclose(file);
            EXPECT_EQ(size, input.size());
            EXPECT_EQ(from_file, input);
        }
    }
}

TEST(CompressTest, CompressDataMakesAManagedBlockOfHeaderAndStream) {
    InitMemory(1000);
    Bytes input(300, 0);
    const uint8_t* source = input.data();
    uint8_t* block = nullptr;
    uint32_t size = 0;
    CompressData(COMPRESS_ZERO_RUNS, &source, uint32_t(input.size()), &block, &size);
    EXPECT_EQ(size, 20u);
    EXPECT_EQ(MemFindItem(&block)->size, 24u);  // shrunk to what was used
    EXPECT_EQ(Bytes(block, block + size),
              Bytes({'C', 'M', 'P', '0', 4, 0, 0, 0, 4, 0, 0, 0, 44, 1, 0, 0, 0, 0, 1, 44}));
    FreeMemory(&block);
    UninitMemory();
}

TEST(CompressTest, WorkedStreams) {
    // Zero runs: literals pass, 300 zeros take a 16-bit count.
    EXPECT_EQ(Stream(COMPRESS_ZERO_RUNS, Text("abc")), Text("abc"));
    EXPECT_EQ(Stream(COMPRESS_ZERO_RUNS, Bytes(300, 0)), Bytes({0, 0, 1, 44}));
    EXPECT_EQ(Stream(COMPRESS_ZERO_RUNS, Bytes(254, 0)), Bytes({0, 254}));
    EXPECT_EQ(Stream(COMPRESS_ZERO_RUNS, Bytes(65026, 0)), Bytes({0, 0, 0xFE, 0x01, 0, 1}));
    // Runs: the escape is the highest of the rarest values.
    EXPECT_EQ(Stream(COMPRESS_RUNS, Text("abc")), Bytes({255, 'a', 'b', 'c'}));
    EXPECT_EQ(Stream(COMPRESS_RUNS, Text("xxxxx")), Bytes({255, 255, 'x', 5}));
    EXPECT_EQ(Stream(COMPRESS_RUNS, Text("xxx")), Bytes({255, 'x', 'x', 'x'}));
    Bytes every(256);
    for (int i = 0; i < 256; ++i) every[i] = uint8_t(i);
    every.push_back(3);  // 255 is now the rarest and highest
    Bytes runs = Stream(COMPRESS_RUNS, every);
    EXPECT_EQ(runs[0], 255);
    EXPECT_EQ(Bytes(runs.end() - 4, runs.end()), Bytes({255, 255, 1, 3}));
    // Predictor: every zero is predicted by the empty table.
    EXPECT_EQ(Stream(COMPRESS_PREDICTOR, Bytes(8, 0)), Bytes({0xFF}));
    EXPECT_EQ(Stream(COMPRESS_PREDICTOR, Text("ab")), Bytes({0, 'a', 'b'}));
    // Huffman, worked by hand: a=0, b=1; 3 symbols, one node.
    EXPECT_EQ(Stream(COMPRESS_HUFFMAN, Text("aab")),
              Bytes({3, 0, 0, 0, 1, 0, 0, 0, 'a', 1, 'b', 1, 4, 0, 0, 0}));
    // Move to front: "aab" becomes 97, 0, 98 before coding.
    EXPECT_EQ(Stream(COMPRESS_MTF_HUFFMAN, Text("aab")).size() % 4, 0u);
    // LZ77: the escape in the input costs two bytes; a repeat is a copy.
    Bytes with_escape(256);
    for (int i = 0; i < 256; ++i) with_escape[i] = uint8_t(i);
    Bytes lz = Stream(COMPRESS_LZ77, with_escape);
    EXPECT_EQ(lz.size(), 258u);
    EXPECT_EQ(lz[0], 255);  // every value once: the highest is the escape
    EXPECT_EQ(Bytes(lz.end() - 2, lz.end()), Bytes({255, 0}));
    EXPECT_EQ(Stream(COMPRESS_LZ77, Text("abcdeabcdeabcdeZZ")),
              Bytes({255, 'a', 'b', 'c', 'd', 'e', 255, 10 << 2, 5, 'Z', 'Z'}));
}

// The encoder's search exactly as described: every start in the window,
// the longest match, the earliest among equals.
Bytes ReferenceLz(const Bytes& in) {
    Bytes out;
    uint32_t n = uint32_t(in.size());
    if (n == 0) return out;
    uint32_t counts[256] = {};
    for (uint8_t b : in) ++counts[b];
    int escape = 0;
    for (int v = 0; v < 256; ++v) {
        if (counts[v] <= counts[escape]) escape = v;
    }
    out.push_back(uint8_t(escape));
    for (uint32_t p = 0; p < n;) {
        uint32_t best = 0, distance = 0;
        if (p > 4 && p + 4 < n) {
            for (uint32_t s = p > 1023 ? p - 1023 : 0; s + 5 <= p; ++s) {
                if (std::memcmp(&in[s], &in[p], 4) != 0) continue;
                uint32_t len = 4;
                while (len < 65 && p + len < n && in[s + len] == in[p + len]) ++len;
                if (len > best) best = len, distance = p - s;
            }
        }
        if (best >= 4) {
            uint32_t len = std::min(best, 63u);
            out.insert(out.end(), {uint8_t(escape), uint8_t(len << 2 | distance >> 8), uint8_t(distance)});
            p += len;
        } else {
            if (in[p] == escape) {
                out.insert(out.end(), {uint8_t(escape), 0});
            } else {
                out.push_back(in[p]);
            }
            ++p;
        }
    }
    return out;
}

TEST(CompressTest, LzSearchFindsWhatATestOfEveryStartFinds) {
    for (const auto& [name, input] : Corpus()) {
        Bytes sample(input.begin(), input.begin() + std::min<size_t>(input.size(), 12000));
        EXPECT_EQ(Stream(COMPRESS_LZ77, sample), ReferenceLz(sample)) << name;
    }
}

TEST(CompressTest, MethodTable) {
    EXPECT_EQ(GetNumCompressors(), 6);
    EXPECT_EQ(CompressWorstCase(0, 100), 121u);
    EXPECT_EQ(CompressWorstCase(1, 100), 17516u);
    EXPECT_EQ(CompressWorstCase(2, 100), 17516u);
    EXPECT_EQ(CompressWorstCase(3, 100), 200u);
    EXPECT_EQ(CompressWorstCase(4, 100), 151u);
    EXPECT_EQ(CompressWorstCase(5, 101), 152u);
    const uint32_t info[6] = {0x31, 0x111, 0x31, 0x32, 0, 0};
    for (int m = 0; m < 6; ++m) EXPECT_EQ(GetCompressorInfo(m), info[m]);
    EXPECT_EQ(ChooseCompressor(65535), 6);
    EXPECT_EQ(ChooseCompressor(1), 0);
    EXPECT_EQ(ChooseCompressor(2), 3);
    EXPECT_EQ(ChooseCompressor(7), 2);
    EXPECT_EQ(ChooseCompressor(0x102), 1);
}

// ---- Bad blocks ------------------------------------------------------------------

void Decode(const Bytes& block, uint32_t capacity) {
    Bytes out(capacity);
    DecompressDataMem(block.data(), uint32_t(block.size()), out.data(), capacity);
}

// Only the first `size` bytes of the block are given: a check that read past
// them would find the rest of a good header there.
void DecodeFirst(const Bytes& block, uint32_t size, uint32_t capacity) {
    Bytes out(capacity);
    DecompressDataMem(block.data(), size, out.data(), capacity);
}

Bytes RawBlock(int method, uint32_t unpacked, const Bytes& stream) {
    Bytes block(COMPRESS_HEADER_SIZE);
    CompressWriteHeader(block.data(), CompressHeader{uint16_t(method), uint32_t(stream.size()), unpacked});
    block.insert(block.end(), stream.begin(), stream.end());
    return block;
}

TEST(CompressDeathTest, HeadersAreCheckedBeforeDecoding) {
    Bytes block = Block(COMPRESS_RUNS, Bytes(100, 'q'));
    EXPECT_FATAL(Decode(block, 99), "DecompressDataMem\\(\\): buffer too small for decompression");
    Bytes bad_magic = block;
    bad_magic[3] = '1';
    EXPECT_FATAL(Decode(bad_magic, 100), "DecompressDataMem\\(\\): no ID field on compressed data");
    EXPECT_FATAL(DecodeFirst(block, 2, 100), "DecompressDataMem\\(\\): no ID field on compressed data");
    Bytes bad_method = block;
    bad_method[4] = 6;
    EXPECT_FATAL(Decode(bad_method, 100), "DecompressDataMem\\(\\): unknown compression type");
    Bytes short_block(block.begin(), block.end() - 1);
    EXPECT_FATAL(Decode(short_block, 100),
                 "DecompressDataMem\\(\\): header does not match compressed data size");
    // Cut inside the header: refused before the method it names is looked at.
    EXPECT_FATAL(Decode(Bytes(bad_method.begin(), bad_method.begin() + 10), 100),
                 "DecompressDataMem\\(\\): header does not match compressed data size");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_ZERO_RUNS, 5, Text("abc")), 5),
                 "DecompressDataMem\\(\\): real decompress data size did not match header!");
}

TEST(CompressDeathTest, CorruptStreamsStopWithoutOverrun) {
    // A copy reaching before the start of the output.
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_LZ77, 10, {0xFF, 'a', 'b', 0xFF, 4 << 2, 3}), 10),
                 "corrupt compressed data: a copy starts before the start of the output");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_LZ77, 10, {0xFF, 'a', 0xFF}), 10), "a copy is cut short");
    // A Huffman child index beyond the stored nodes.
    EXPECT_FATAL(
        Decode(RawBlock(COMPRESS_HUFFMAN, 1, {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0x61, 1, 0, 0, 0, 0}), 1),
        "a Huffman child index is out of range");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_HUFFMAN, 9, {9, 0, 0, 0, 1, 0, 0, 0, 0x61, 1, 0x62, 1, 0}), 9),
                 "the Huffman bit stream ends early");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_MTF_HUFFMAN, 1, {1, 0, 0, 0, 0, 1, 0, 0}), 1),
                 "too many Huffman tree nodes");
    // Runs past the unpacked size, in every run-producing method.
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_ZERO_RUNS, 10, {0, 11}), 64), "runs past the end of its output");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_RUNS, 10, {0xFF, 0xFF, 'x', 0, 1, 0}), 64), "runs past the end");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_LZ77, 10, {0xFF, 'a', 'b', 'c', 'd', 'e', 0xFF, 40 << 2, 5}), 64),
                 "runs past the end");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_PREDICTOR, 4, {0xFF}), 64), "runs past the end");
    EXPECT_FATAL(
        Decode(RawBlock(COMPRESS_HUFFMAN, 4, {5, 0, 0, 0, 1, 0, 0, 0, 0x61, 1, 0x62, 1, 0, 0, 0, 0}), 64),
        "runs past the end");
    // Single bytes past the unpacked size, into a buffer with room for them.
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_LZ77, 2, {0xFF, 'a', 'b', 'c'}), 64), "runs past the end");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_LZ77, 1, {0xFF, 'a', 0xFF, 0}), 64), "runs past the end");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_ZERO_RUNS, 1, {'a', 'b'}), 64), "runs past the end");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_RUNS, 1, {0xFF, 'a', 'b'}), 64), "runs past the end");
    // Copies and runs cut short, and a copy of distance 0.
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_LZ77, 10, {0xFF, 'a', 0xFF, 5}), 10), "a copy is cut short");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_LZ77, 4, {0xFF, 'a', 'b', 0xFF, 2 << 2, 0}), 4),
                 "a copy starts before the start of the output");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_ZERO_RUNS, 5, {'a', 0}), 5), "a run is cut short");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_RUNS, 5, {0xFF, 0xFF, 'x'}), 5), "a run is cut short");
    // Huffman headers and trees cut short or empty, and a child past the leaves.
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_HUFFMAN, 1, {1, 0, 0, 0, 1, 0}), 1),
                 "the Huffman header is cut short");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_HUFFMAN, 1, {1, 0, 0, 0, 0, 0, 0, 0, 0}), 1),
                 "the Huffman tree is empty");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_HUFFMAN, 1, {1, 0, 0, 0, 1, 0, 0, 0, 0x61, 1, 0x62}), 1),
                 "the Huffman tree is cut short");
    EXPECT_FATAL(Decode(RawBlock(COMPRESS_HUFFMAN, 1, {1, 0, 0, 0, 1, 0, 0, 0, 0x58, 2, 0x61, 1, 0}), 1),
                 "a Huffman child index is out of range");
}

TEST(CompressDeathTest, FileBlocksHaveTheirOwnMessages) {
    Bytes block = RawBlock(COMPRESS_ZERO_RUNS, 5, Text("abc"));
    auto decode_file = [](const Bytes& bytes, uint32_t stored, uint32_t capacity) {
        std::FILE* file = std::tmpfile();
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::rewind(file);
        Bytes out(capacity);
        DecompressDataFile(file, stored, out.data(), capacity);
    };
    EXPECT_FATAL(
        decode_file(block, uint32_t(block.size()), 5),
        "Error: DecompressDataFile\\(\\): real decompress data size did not match header! \\(wanted 5, but "
        "got 3\\)");
    EXPECT_FATAL(decode_file(block, uint32_t(block.size()) + 1, 5),
                 "DecompressDataFile\\(\\): header does not match compressed data size");
    EXPECT_FATAL(decode_file(block, uint32_t(block.size()), 4),
                 "DecompressDataFile\\(\\): buffer too small for decompression");
    EXPECT_FATAL(decode_file(Text("CMPX and more bytes"), 19, 5), "DecompressDataFile\\(\\): no ID field");
    Bytes bad_method = block;
    bad_method[4] = COMPRESS_METHOD_COUNT;
    EXPECT_FATAL(decode_file(bad_method, uint32_t(block.size()), 5),
                 "DecompressDataFile\\(\\): unknown compression type");
    EXPECT_FATAL(decode_file(Text("CMP0"), 19, 5), "DOSReadFile\\(\\): Cannot read 16 bytes");
}

TEST(CompressDeathTest, HuffmanFileStreamsShorterThanStoredStop) {
    // The Huffman methods fetch their whole stream from the file before
    // decoding it; a file shorter than the stream stops with the reader's
    // message.
    for (int method : {COMPRESS_HUFFMAN, COMPRESS_MTF_HUFFMAN}) {
        SCOPED_TRACE(method);
        const Bytes stream = {5, 0, 0, 0, 1, 0, 0, 0, 0x61, 1, 0x62, 1, 0, 0, 0, 0};
        auto decode_file = [&] {
            std::FILE* file = std::tmpfile();
            std::fwrite(stream.data(), 1, stream.size(), file);
            std::rewind(file);
            Bytes out(64);
            uint32_t size = 0;
            DecompressDataFile2Mem(method, file, uint32_t(stream.size()) + 24, out.data(), 64, &size);
        };
        EXPECT_FATAL(decode_file(), "DOSReadFile\\(\\): Cannot read 40 bytes");
    }
}

TEST(CompressDeathTest, MethodNumbersOutOfRange) {
    uint32_t size = 0;
    uint8_t buffer[8] = {};
    EXPECT_FATAL(CompressWorstCase(6, 1), "CompressWorstCase\\(\\): compression number out of range");
    EXPECT_FATAL(CompressDataMem2Mem(-1, buffer, 1, buffer, &size),
                 "CompressDataMem2Mem\\(\\): compression number out of range");
    EXPECT_FATAL(UncompressDataMem2Mem(6, buffer, 1, buffer, 8, &size),
                 "UncompressDataMem2Mem\\(\\): compression number out of range");
    EXPECT_FATAL(DecompressDataFile2Mem(7, nullptr, 1, buffer, 8, &size),
                 "DecompressDataFile2Mem\\(\\): compression number out of range");
    EXPECT_FATAL(GetCompressorInfo(6), "GetCompressorInfo\\(\\): compressor num out of range");
}

}  // namespace
