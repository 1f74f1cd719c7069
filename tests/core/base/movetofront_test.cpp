// Method 2 undoes its move-to-front in one of three forms (512-bit vectors
// or 16-byte shuffles where the processor has them, else in memory).  Each
// must give, for any list positions at all, what walking the list by hand
// gives, and round trip what the encoder makes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/compress.h"
#include "core/base/random.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes MoveToFrontStream(int method, const Bytes& in) {
    Bytes out(CompressWorstCase(method, uint32_t(in.size())));
    uint32_t size = 0;
    CompressDataMem2Mem(method, in.data(), uint32_t(in.size()), out.data(), &size);
    out.resize(size);
    return out;
}

Bytes Decode(int method, const Bytes& stream, size_t size) {
    Bytes out(size + 1, 0xEE);
    uint32_t result = 0;
    UncompressDataMem2Mem(method, stream.data(), uint32_t(stream.size()), out.data(), uint32_t(out.size()),
                          &result);
    EXPECT_EQ(result, size);
    EXPECT_EQ(out.back(), 0xEE);
    out.resize(size);
    return out;
}

// The list of the 256 byte values, most recently used first: each position
// names the value at that place, which then moves to the front.
Bytes WalkTheList(const Bytes& positions) {
    std::vector<uint8_t> list(256);
    for (int i = 0; i < 256; ++i) list[size_t(i)] = uint8_t(i);
    Bytes out;
    for (uint8_t p : positions) {
        const uint8_t value = list[p];
        list.erase(list.begin() + p);
        list.insert(list.begin(), value);
        out.push_back(value);
    }
    return out;
}

Bytes Random(size_t n, uint32_t range) {
    Bytes out(n);
    for (uint8_t& b : out) b = uint8_t(uint32_t(GameRandom()) % range);
    return out;
}

// Position sequences that reach every part of the list: the edges of the
// 16-entry blocks and 64-entry quarters, the far end again and again, and
// mixtures.
std::vector<std::pair<std::string, Bytes>> PositionSequences() {
    GameSeedRandom(2024);
    std::vector<std::pair<std::string, Bytes>> out;
    out.emplace_back("one", Bytes{200});
    out.emplace_back("zeros", Bytes(5000, 0));
    out.emplace_back("far end", Bytes(5000, 255));
    Bytes edges;
    for (int round = 0; round < 300; ++round) {
        for (int p : {0,   1,   15,  16,  17,  31,  32,  33,  47,  48,  62,  63,  64,  65,  111,
                      112, 126, 127, 128, 129, 143, 144, 190, 191, 192, 193, 239, 240, 254, 255}) {
            edges.push_back(uint8_t(p));
        }
    }
    out.emplace_back("block and quarter edges", edges);
    out.emplace_back("uniform", Random(20000, 256));
    out.emplace_back("near the front", Random(20000, 64));
    out.emplace_back("first half", Random(20000, 128));
    Bytes mixed;
    while (mixed.size() < 30000) {
        const uint32_t range = uint32_t(GameRandom()) % 4 == 0 ? 256 : 8;
        const Bytes run = Random(1 + uint32_t(GameRandom()) % 40, range);
        mixed.insert(mixed.end(), run.begin(), run.end());
    }
    out.emplace_back("mixed", mixed);
    // Positions are read eight at a time: zero runs that start off those
    // boundaries, a whole block of zeros after a move, and a short tail.
    Bytes offsetZeros;
    for (int round = 0; round < 700; ++round) {
        offsetZeros.push_back(uint8_t(1 + round % 200));
        offsetZeros.insert(offsetZeros.end(), size_t(round % 19), 0);
    }
    offsetZeros.insert(offsetZeros.end(), {0, 0, 0, 7, 0});
    out.emplace_back("zero runs off the eight-byte blocks", offsetZeros);
    out.emplace_back("short", Random(100, 256));  // below the Huffman table threshold
    return out;
}

// Inputs for the round trip: what the encoder turns into positions.
std::vector<std::pair<std::string, Bytes>> Inputs() {
    GameSeedRandom(77);
    std::vector<std::pair<std::string, Bytes>> out;
    Bytes cycle, leastRecent;
    for (int i = 0; i < 9000; ++i) cycle.push_back(uint8_t(i));
    // Each value the one used longest ago: position 255 every time.
    for (int i = 0; i < 9000; ++i) leastRecent.push_back(uint8_t(255 - i % 256));
    out.emplace_back("every value in turn", cycle);
    out.emplace_back("least recent each time", leastRecent);
    out.emplace_back("noise", Random(50000, 256));
    out.emplace_back("two values", Random(50000, 2));
    Bytes records;
    for (int r = 0; r < 2000; ++r) {
        const char* name = r % 3 == 0 ? "Lindqvist" : r % 3 == 1 ? "Okafor" : "Brandt";
        Bytes row(40, 0);
        std::memcpy(row.data(), name, std::strlen(name));
        for (int i = 16; i < 36; ++i) row[size_t(i)] = uint8_t(20 + GameRandom() % 60);
        row[36] = uint8_t(r);
        row[37] = uint8_t(r >> 8);
        records.insert(records.end(), row.begin(), row.end());
    }
    out.emplace_back("records", records);
    for (size_t n : {1u, 2u, 63u, 64u, 65u, 4095u, 4096u, 4097u}) {
        out.emplace_back("size " + std::to_string(n), Random(n, 256));
    }
    return out;
}

class MoveToFrontTest : public ::testing::TestWithParam<MoveToFrontForm> {
  protected:
    void SetUp() override {
        if (!CompressMoveToFrontAvailable(GetParam())) GTEST_SKIP() << "the processor lacks this form";
        CompressLimitMoveToFront(GetParam());
    }
    void TearDown() override { CompressLimitMoveToFront(MoveToFrontForm::kWide); }
};

TEST_P(MoveToFrontTest, AnyPositionsDecodeAsTheListWalkSays) {
    // A method 1 stream codes the positions themselves; read as method 2 it
    // gives the walk of the list through them.
    for (const auto& [name, positions] : PositionSequences()) {
        SCOPED_TRACE(name);
        const Bytes stream = MoveToFrontStream(COMPRESS_HUFFMAN, positions);
        EXPECT_EQ(Decode(COMPRESS_MTF_HUFFMAN, stream, positions.size()), WalkTheList(positions));
    }
}

TEST_P(MoveToFrontTest, RoundTripsFromMemoryAndFiles) {
    for (const auto& [name, input] : Inputs()) {
        SCOPED_TRACE(name);
        const Bytes stream = MoveToFrontStream(COMPRESS_MTF_HUFFMAN, input);
        EXPECT_EQ(Decode(COMPRESS_MTF_HUFFMAN, stream, input.size()), input);

        std::FILE* file = std::tmpfile();
        ASSERT_NE(file, nullptr);
        std::fwrite(stream.data(), 1, stream.size(), file);
        std::rewind(file);
        Bytes fromFile(input.size());
        uint32_t size = 0;
        DecompressDataFile2Mem(COMPRESS_MTF_HUFFMAN, file, uint32_t(stream.size()), fromFile.data(),
                               uint32_t(fromFile.size()), &size);
        std::fclose(file);
        EXPECT_EQ(size, input.size());
        EXPECT_EQ(fromFile, input);
    }
}

std::string FormName(const ::testing::TestParamInfo<MoveToFrontForm>& info) {
    switch (info.param) {
        case MoveToFrontForm::kPlain:
            return "Plain";
        case MoveToFrontForm::kShuffle:
            return "Shuffle";
        case MoveToFrontForm::kWide:
            return "Wide";
    }
    return "Unknown";
}

INSTANTIATE_TEST_SUITE_P(Forms, MoveToFrontTest,
                         ::testing::Values(MoveToFrontForm::kPlain, MoveToFrontForm::kShuffle,
                                           MoveToFrontForm::kWide),
                         FormName);

}  // namespace
