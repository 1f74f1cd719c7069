// The Huffman methods decode long streams through lookup tables and short
// ones by walking the tree.  Whatever the stream (codes longer than the
// tables reach, trees from outside that loop, streams cut short), the
// result must be what a plain walk of the tree gives, byte for byte, and a
// stream the walk cannot finish must be refused.
#include <gtest/gtest.h>

#include <csetjmp>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/compress.h"
#include "core/base/debug.h"
#include "core/base/random.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The stream as the format describes it: the symbol count, the node count,
// two 16-bit children per node (256 + value for a leaf), then the codes,
// first bit lowest in each byte.  Empty when the bits run out first.
std::optional<Bytes> WalkTheTree(const Bytes& stream) {
    const uint32_t count = recbits::LoadU32(stream.data());
    const uint32_t nodes = recbits::LoadU32(stream.data() + 4);
    const size_t codes = 8 + 4 * size_t(nodes);
    Bytes out;
    uint32_t node = 0;
    for (size_t bit = 0; out.size() < count; ++bit) {
        if (codes + bit / 8 >= stream.size()) return std::nullopt;
        const int side = stream[codes + bit / 8] >> (bit % 8) & 1;
        node = recbits::LoadU16(stream.data() + 8 + 4 * node + 2 * side);
        if (node >= 256) {
            out.push_back(uint8_t(node - 256));
            node = 0;
        }
    }
    return out;
}

std::jmp_buf g_refused;
void Refused(const char*) { std::longjmp(g_refused, 1); }

// The game's decoder; empty when it refuses the stream.
std::optional<Bytes> Decode(int method, const Bytes& stream, uint32_t capacity) {
    static Bytes out;
    out.assign(capacity, 0);
    uint32_t size = 0;
    SetFatalErrorHook(Refused);
    const bool refused = setjmp(g_refused) != 0;
    if (!refused) {
        UncompressDataMem2Mem(method, stream.data(), uint32_t(stream.size()), out.data(), capacity, &size);
    }
    SetFatalErrorHook(nullptr);
    if (refused) return std::nullopt;
    return Bytes(out.begin(), out.begin() + size);
}

Bytes Encode(int method, const Bytes& in) {
    Bytes out(CompressWorstCase(method, uint32_t(in.size())));
    uint32_t size = 0;
    CompressDataMem2Mem(method, in.data(), uint32_t(in.size()), out.data(), &size);
    out.resize(size);
    return out;
}

// Byte value i occurs about fib(i) times: the tree is as deep as it can
// get, with codes far longer than the tables' reach.
Bytes DeepCodes() {
    Bytes out;
    uint32_t a = 1, b = 1;
    for (int value = 0; value < 26; ++value) {
        out.insert(out.end(), a, uint8_t(value * 9));
        const uint32_t next = a + b;
        a = b;
        b = next;
    }
    GameSeedRandom(5);
    for (size_t i = out.size(); i > 1; --i) std::swap(out[i - 1], out[size_t(GameRandom()) % i]);
    return out;
}

TEST(HuffmanDecodeTest, LongCodesAndStreamsCutShortDecodeAsTheTreeWalk) {
    const Bytes input = DeepCodes();
    ASSERT_GT(input.size(), 100000u);
    for (int method : {int(COMPRESS_HUFFMAN), int(COMPRESS_MTF_HUFFMAN)}) {
        const Bytes stream = Encode(method, input);
        EXPECT_EQ(Decode(method, stream, uint32_t(input.size())), input) << method;
    }
    const Bytes stream = Encode(COMPRESS_HUFFMAN, input);
    for (size_t cut : {1, 2, 3, 4, 5, 6, 7, 8, 9, 16, 100, 5000}) {
        const Bytes shorter(stream.begin(), stream.end() - ptrdiff_t(cut));
        const std::optional<Bytes> walked = WalkTheTree(shorter);
        EXPECT_EQ(Decode(COMPRESS_HUFFMAN, shorter, uint32_t(input.size())), walked) << "cut " << cut;
    }
}

// The header and a random tree of a stream from outside: children may point
// back up the tree and leaves may sit anywhere.
Bytes TreeFromOutside(uint32_t count) {
    const uint32_t nodes = 1 + uint32_t(GameRandom()) % 24;
    Bytes stream(8);
    recbits::StoreU32(stream.data(), count);
    recbits::StoreU32(stream.data() + 4, nodes);
    for (uint32_t child = 0; child < 2 * nodes; ++child) {
        const bool leaf = GameRandom() % 3 != 0;
        const uint16_t c = uint16_t(leaf ? 256 + GameRandom() % 256 : GameRandom() % nodes);
        stream.resize(stream.size() + 2);
        recbits::StoreU16(stream.data() + stream.size() - 2, c);
    }
    return stream;
}

// Trees as a damaged or hostile file may hold them: children pointing back
// up the tree, leaves anywhere, random bits.  Both paths (short and long
// streams) must agree with the walk.
TEST(HuffmanDecodeTest, TreesFromOutsideDecodeAsTheTreeWalk) {
    GameSeedRandom(77);
    int refused = 0, decoded = 0;
    for (int round = 0; round < 200; ++round) {
        const uint32_t count =
            round % 2 ? 100 + uint32_t(GameRandom()) % 900 : 4096 + uint32_t(GameRandom()) % 9000;
        Bytes stream = TreeFromOutside(count);
        const size_t bits = size_t(GameRandom()) % (count * 2 + 64);
        for (size_t i = 0; i < bits; ++i) stream.push_back(uint8_t(GameRandom()));
        const std::optional<Bytes> walked = WalkTheTree(stream);
        EXPECT_EQ(Decode(COMPRESS_HUFFMAN, stream, count), walked) << "round " << round;
        ++(walked ? decoded : refused);
    }
    // The rounds cover both outcomes.
    EXPECT_GT(decoded, 20);
    EXPECT_GT(refused, 20);
}

// Method 2 is the walk of the tree, then the walk of the list of the 256
// byte values, most recently used first.
std::optional<Bytes> WalkTreeThenList(const Bytes& stream) {
    std::optional<Bytes> places = WalkTheTree(stream);
    if (!places) return places;
    Bytes list(256);
    for (int i = 0; i < 256; ++i) list[size_t(i)] = uint8_t(i);
    for (uint8_t& place : *places) {
        const uint8_t value = list[place];
        list.erase(list.begin() + place);
        list.insert(list.begin(), value);
        place = value;
    }
    return places;
}

// A method 1 stream of these symbols, read as method 2, names places.
Bytes PlacesStream(const Bytes& places) { return Encode(COMPRESS_HUFFMAN, places); }

// Long method 2 streams in memory are decoded from their start and from the
// middle of their bits at once.  The halves must join without a seam: when
// the codes read from the middle fall into step at once, later, or never
// (codes all three bits long, cut by the middle byte), and when the stream
// is damaged or cut short.
TEST(HuffmanDecodeTest, LongMoveToFrontStreamsDecodeAsTheWalks) {
    const Bytes deep = DeepCodes();
    const Bytes deepStream = Encode(COMPRESS_MTF_HUFFMAN, deep);
    EXPECT_EQ(Decode(COMPRESS_MTF_HUFFMAN, deepStream, uint32_t(deep.size())), deep);
    for (size_t cut : {1, 4, 9, 5000, 30000}) {
        const Bytes shorter(deepStream.begin(), deepStream.end() - ptrdiff_t(cut));
        EXPECT_EQ(Decode(COMPRESS_MTF_HUFFMAN, shorter, uint32_t(deep.size())), WalkTreeThenList(shorter))
            << "cut " << cut;
    }
    GameSeedRandom(31);
    for (uint32_t count = 80000; count < 80012; ++count) {
        // Every place 0..7 equally often: eight codes of three bits.
        Bytes places(count);
        for (uint32_t i = 0; i < count; ++i) places[i] = uint8_t(i % 8);
        for (size_t i = places.size(); i > 1; --i) std::swap(places[i - 1], places[size_t(GameRandom()) % i]);
        const Bytes stream = PlacesStream(places);
        EXPECT_EQ(Decode(COMPRESS_MTF_HUFFMAN, stream, count), WalkTreeThenList(stream)) << "count " << count;
    }
    for (int round = 0; round < 12; ++round) {
        // A random tree that may loop, over random bits that may run out.
        const uint32_t count = 70000 + uint32_t(GameRandom()) % 30000;
        Bytes stream = TreeFromOutside(count);
        const size_t bytes = size_t(GameRandom()) % (count / 2);
        for (size_t i = 0; i < bytes; ++i) stream.push_back(uint8_t(GameRandom()));
        EXPECT_EQ(Decode(COMPRESS_MTF_HUFFMAN, stream, count), WalkTreeThenList(stream)) << "round " << round;
    }
}

}  // namespace
