#include "core/base/compress.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <memory>
#include <type_traits>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

constexpr const char* kModule = "compress";
constexpr char kMagic[4] = {'C', 'M', 'P', '0'};

// ---- Byte sources and sinks ----------------------------------------------

// Encoders write through this; a stream that would pass the worst case is
// cut and flagged instead of written past the buffer.
struct Writer {
    uint8_t* out;
    uint32_t capacity;
    uint32_t size = 0;
    bool overflow = false;
    void Put(uint8_t byte) {
        if (size < capacity) {
            out[size++] = byte;
        } else {
            overflow = true;
        }
    }
};

// Sources hand out bytes one at a time (Get) and, for the bit readers,
// the run of bytes they hold in memory right now (Here, Held, Skip).
struct MemSource {
    const uint8_t* at;
    const uint8_t* end;
    bool Get(uint8_t* byte) {
        if (at == end) return false;
        *byte = *at++;
        return true;
    }
    const uint8_t* Here() const { return at; }
    size_t Held() const { return size_t(end - at); }
    void Skip(size_t n) { at += n; }
};

// Fetches a stream of known length from a file in chunks; a short file ends
// the program in DOSReadFile.
struct FileSource {
    FileSource(std::FILE* f, uint32_t size) : file(f), remaining(size) {}
    std::FILE* file;
    uint32_t remaining;
    uint32_t at = 0;
    uint32_t filled = 0;
    uint8_t buffer[4096];
    bool Get(uint8_t* byte) {
        if (at == filled) {
            if (remaining == 0) return false;
            filled = std::min<uint32_t>(remaining, sizeof buffer);
            DOSReadFile(file, buffer, filled);
            remaining -= filled;
            at = 0;
        }
        *byte = buffer[at++];
        return true;
    }
    const uint8_t* Here() const { return buffer + at; }
    size_t Held() const { return filled - at; }
    void Skip(size_t n) { at += uint32_t(n); }
};

// Decoders write here and never past the limit.
struct Sink {
    uint8_t* out;
    uint32_t limit;
    uint32_t size = 0;
};

constexpr const char* kPastEnd = "the stream runs past the end of its output";

template <class Source>
bool Get16High(Source& source, uint32_t* value) {
    uint8_t high, low;
    if (!source.Get(&high) || !source.Get(&low)) return false;
    *value = uint32_t(high) << 8 | low;
    return true;
}

template <class Source>
bool Get32(Source& source, uint32_t* value) {
    uint32_t result = 0;
    for (int i = 0; i < 4; ++i) {
        uint8_t byte;
        if (!source.Get(&byte)) return false;
        result |= uint32_t(byte) << (8 * i);
    }
    *value = result;
    return true;
}

void Put32(Writer& w, uint32_t value) {
    for (int i = 0; i < 4; ++i) w.Put(uint8_t(value >> (8 * i)));
}

// The least frequent byte value, the highest among equals.
uint8_t LeastFrequentByte(const uint8_t* in, uint32_t n) {
    uint32_t counts[256] = {};
    for (uint32_t i = 0; i < n; ++i) ++counts[in[i]];
    int best = 0;
    for (int v = 0; v < 256; ++v) {
        if (counts[v] <= counts[best]) best = v;
    }
    return uint8_t(best);
}

// ---- Method 0: order-2 predictor -------------------------------------------

uint8_t g_prediction[65536];

// Context = previous byte + 256 x the byte before it.
uint32_t NextContext(uint32_t context, uint8_t byte) { return (context & 0xFF) << 8 | byte; }

void EncodePredictor(const uint8_t* in, uint32_t n, Writer& w) {
    std::memset(g_prediction, 0, sizeof g_prediction);
    uint32_t context = 0;
    for (uint32_t i = 0; i < n;) {
        uint32_t flag_at = w.size;
        w.Put(0);
        uint8_t flags = 0;
        for (int bit = 0; bit < 8 && i < n; ++bit, ++i) {
            uint8_t byte = in[i];
            if (g_prediction[context] == byte) {
                flags |= uint8_t(1u << bit);
            } else {
                w.Put(byte);
                g_prediction[context] = byte;
            }
            context = NextContext(context, byte);
        }
        if (!w.overflow) w.out[flag_at] = flags;
    }
}

template <class Source>
const char* DecodePredictor(Source& source, Sink& sink) {
    std::memset(g_prediction, 0, sizeof g_prediction);
    uint32_t context = 0;
    uint8_t flags;
    while (source.Get(&flags)) {
        for (int bit = 0; bit < 8; ++bit) {
            uint8_t byte;
            if (flags >> bit & 1) {
                byte = g_prediction[context];
            } else {
                if (!source.Get(&byte)) return nullptr;
                g_prediction[context] = byte;
            }
            if (sink.size == sink.limit) return kPastEnd;
            sink.out[sink.size++] = byte;
            context = NextContext(context, byte);
        }
    }
    return nullptr;
}

// ---- Method 1: Huffman code with stored tree --------------------------------

constexpr int kHuffNodes = 512;
constexpr uint32_t kMaxStoredNodes = 255;
constexpr uint64_t kEmptyWeight = UINT64_MAX;

// Working tables: leaves are 0..255, internal nodes are numbered down
// from 511; per byte value its code (root first) and length.
struct HuffmanTables {
    uint16_t child[kHuffNodes][2];
    uint64_t weight[kHuffNodes];
    bool active[kHuffNodes];
    uint64_t code[256][4];
    uint16_t length[256];
    uint64_t path[4];
};
HuffmanTables g_huffman;

// Returns the root's number, or -1 when fewer than two byte values occur.
int BuildHuffmanTree(const uint32_t counts[256]) {
    HuffmanTables& t = g_huffman;
    std::memset(&t, 0, sizeof t);
    for (int v = 0; v < 256; ++v) {
        t.weight[v] = counts[v];
        t.active[v] = counts[v] != 0;
    }
    int root = -1;
    for (int next = kHuffNodes - 1; next >= 256; --next) {
        int a = -1, b = -1;
        for (int c = 0; c < kHuffNodes; ++c) {
            if (!t.active[c]) continue;
            uint64_t w = t.weight[c];
            uint64_t wa = a < 0 ? kEmptyWeight : t.weight[a];
            uint64_t wb = b < 0 ? kEmptyWeight : t.weight[b];
            if (wa < w) {
                if (w <= wb) b = c;
            } else if (wa < wb) {
                b = c;
            } else {
                a = c;
            }
        }
        if (a < 0 || b < 0) break;
        t.weight[next] = t.weight[a] + t.weight[b];
        t.child[next][0] = uint16_t(a);
        t.child[next][1] = uint16_t(b);
        t.active[a] = t.active[b] = false;
        t.active[next] = true;
        root = next;
    }
    return root;
}

void AssignCodes(int node, int depth) {
    HuffmanTables& t = g_huffman;
    if (node < 256) {
        std::memcpy(t.code[node], t.path, sizeof t.path);
        t.length[node] = uint16_t(depth);
        return;
    }
    for (int bit = 0; bit < 2; ++bit) {
        uint64_t mask = uint64_t(1) << (depth & 63);
        if (bit) {
            t.path[depth >> 6] |= mask;
        } else {
            t.path[depth >> 6] &= ~mask;
        }
        AssignCodes(t.child[node][bit], depth + 1);
    }
}

struct BitWriter {
    Writer& w;
    uint64_t bits = 0;
    int count = 0;
    uint32_t bytes = 0;
    void Put(uint64_t value, int n) {  // n <= 32
        bits |= value << count;
        count += n;
        while (count >= 8) {
            w.Put(uint8_t(bits));
            ++bytes;
            bits >>= 8;
            count -= 8;
        }
    }
    // Pads the stream to a whole number of 32-bit words.
    void Finish() {
        if (count > 0) {
            w.Put(uint8_t(bits));
            ++bytes;
        }
        while (bytes % 4 != 0) {
            w.Put(0);
            ++bytes;
        }
    }
};

// Codes the symbols a source yields; Symbols is rewound between the
// counting pass and the coding pass.
template <class Symbols>
void EncodeHuffmanSymbols(Symbols symbols, uint32_t n, Writer& w) {
    HuffmanTables& t = g_huffman;
    uint32_t counts[256] = {};
    symbols.Rewind();
    for (uint32_t i = 0; i < n; ++i) ++counts[symbols.Next()];
    int root = BuildHuffmanTree(counts);

    Put32(w, n);
    if (n == 0) {
        Put32(w, 0);
        return;
    }
    if (root < 0) {
        // One byte value only: a single node whose both branches lead to it.
        int value = 0;
        while (counts[value] == 0) ++value;
        Put32(w, 1);
        for (int side = 0; side < 2; ++side) {
            w.Put(uint8_t(value + 256));
            w.Put(uint8_t((value + 256) >> 8));
        }
        t.code[value][0] = 0;
        t.length[value] = 1;
    } else {
        Put32(w, uint32_t(kHuffNodes - root));
        for (int node = root; node < kHuffNodes; ++node) {
            for (int side = 0; side < 2; ++side) {
                int c = t.child[node][side];
                uint16_t stored = uint16_t(c < 256 ? c + 256 : c - root);
                w.Put(uint8_t(stored));
                w.Put(uint8_t(stored >> 8));
            }
        }
        AssignCodes(root, 0);
    }

    BitWriter bits{w};
    symbols.Rewind();
    for (uint32_t i = 0; i < n; ++i) {
        uint8_t v = symbols.Next();
        int length = t.length[v];
        for (int at = 0; at < length; at += 32) {
            int chunk = std::min(32, length - at);
            uint64_t value = t.code[v][at >> 6] >> (at & 63);
            if (chunk < 32) value &= (uint64_t(1) << chunk) - 1;
            bits.Put(value & 0xFFFFFFFFu, chunk);
        }
    }
    bits.Finish();
}

struct PlainSymbols {
    const uint8_t* in;
    uint32_t at = 0;
    void Rewind() { at = 0; }
    uint8_t Next() { return in[at++]; }
};

void EncodeHuffman(const uint8_t* in, uint32_t n, Writer& w) { EncodeHuffmanSymbols(PlainSymbols{in}, n, w); }

constexpr const char* kHuffmanEndsEarly = "the Huffman bit stream ends early";

// Walks the stored tree one bit at a time: the plain decoder for short
// streams, where building the tables below would cost more than it saves.
template <class Source>
const char* DecodeHuffmanBits(Source& source, uint32_t count, uint8_t* out) {
    const uint16_t(&child)[kHuffNodes][2] = g_huffman.child;
    uint32_t node = 0;
    uint32_t left = count;
    while (left > 0) {
        uint8_t byte;
        if (!source.Get(&byte)) return kHuffmanEndsEarly;
        for (int bit = 0; bit < 8; ++bit) {
            node = child[node][byte >> bit & 1];
            if (node >= 256) {
                *out++ = uint8_t(node - 256);
                node = 0;
                if (--left == 0) break;
            }
        }
    }
    return nullptr;
}

// Longer streams are decoded through two tables indexed by the next
// kHuffmanTableBits bits of the stream (first bit lowest):
// - first: the code those bits begin with, as its byte value and length,
//   or length 0 when the code is longer than the table (or the tree, which
//   comes from outside, has no leaf that near), with the inner node those
//   bits lead to in place of the value;
// - run: as many whole codes (up to kHuffmanRunMax) as those bits hold,
//   their byte values in order and their total length, so that short codes
//   come out several at a time.
// Codes the tables do not cover are walked bit by bit, from that inner node
// or from the root, as the plain decoder does, so both accept and refuse
// the same streams.
//
// Eleven bits: five runs fit in one refill, and the tables made for every
// stream (method 2's moves per distinct run above all) stay small.  Twelve
// bits decoded method 1 about as fast and method 2 six per cent slower on
// the benchmark corpus.
constexpr int kHuffmanTableBits = 11;
constexpr uint32_t kHuffmanTableSize = 1u << kHuffmanTableBits;
constexpr int kHuffmanRunMax = 6;
constexpr uint32_t kHuffmanTableMinCount = 4096;

struct HuffmanFirst {
    uint8_t value;
    uint8_t length;
};
// A run is one 64-bit word: its total length in the low byte (so that a
// shift by the whole word, of which the shift takes the low six bits, drops
// the run's bits), then its count, then its values, the first lowest, so
// that storing the word little-endian writes them in order.
uint64_t MakeRun(uint32_t length, uint32_t count, uint64_t values) {
    return length | count << 8 | values << 16;
}
uint32_t RunLength(uint64_t run) { return uint32_t(run) & 0xFF; }
uint32_t RunCount(uint64_t run) { return uint32_t(run >> 8) & 0xFF; }
uint64_t RunValues(uint64_t run) { return run >> 16; }
uint8_t RunValue(uint64_t run, int k) { return uint8_t(run >> (16 + 8 * k)); }

// The serial chain of the bits reads only four-byte entries (the run's
// length in the low byte, as in a run, its count, its slot), so that its
// table stays in the first-level cache; the values of a run live in its
// slot, one per distinct run.
uint32_t MakeEntry(uint32_t length, uint32_t count, uint32_t slot) {
    return length | count << 8 | slot << 16;
}
uint32_t EntrySlot(uint32_t entry) { return entry >> 16; }

struct HuffmanDecodeTables {
    HuffmanFirst first[kHuffmanTableSize];
    uint64_t run[kHuffmanTableSize];
    uint32_t entry[kHuffmanTableSize];
    // Per slot: the run's values and count.
    uint64_t values[kHuffmanTableSize];
    uint8_t counts[kHuffmanTableSize];
    uint32_t slots;
    // While building: per run, keyed by its bits and length (1 << length |
    // bits), the first entry that begins with it, plus one (0: none yet).
    uint16_t firstEntry[2 * kHuffmanTableSize];
};
HuffmanDecodeTables g_huffman_decode;

// Every leaf within the table's reach fills the entries whose low bits are
// its code.  The depth bound keeps a looping tree from outside finite.
void FillFirstCodes(uint32_t node, int depth, uint32_t prefix) {
    for (uint32_t side = 0; side < 2; ++side) {
        const uint32_t c = g_huffman.child[node][side];
        const uint32_t code = prefix | side << depth;
        if (c >= 256) {
            const uint32_t step = 1u << (depth + 1);
            for (uint32_t at = code; at < kHuffmanTableSize; at += step) {
                g_huffman_decode.first[at] = HuffmanFirst{uint8_t(c - 256), uint8_t(depth + 1)};
            }
        } else if (depth + 1 < kHuffmanTableBits) {
            FillFirstCodes(c, depth + 1, code);
        } else {
            g_huffman_decode.first[code] = HuffmanFirst{uint8_t(c), 0};  // inner nodes are below 255
        }
    }
}

// A run is the first code, then the codes that the remaining bits hold in
// full: an entry of the first table indexed by them counts only when its
// length fits in the bits that are really known.
void BuildHuffmanRuns() {
    for (uint32_t bits = 0; bits < kHuffmanTableSize; ++bits) {
        uint32_t count = 0, length = 0;
        uint64_t values = 0;
        uint32_t rest = bits;
        int known = kHuffmanTableBits;
        while (count < kHuffmanRunMax) {
            const HuffmanFirst f = g_huffman_decode.first[rest];
            if (f.length == 0 || f.length > known) break;
            values |= uint64_t(f.value) << (8 * count++);
            length += f.length;
            rest >>= f.length;
            known -= f.length;
        }
        g_huffman_decode.run[bits] = MakeRun(length, count, values);
    }
}

// Up to 64 bits of the stream, first bit lowest.
template <class Source>
struct BitReader {
    Source& source;
    uint64_t bits = 0;
    int count = 0;

    // Tops the buffer up to at least 57 bits while the source has bytes.
    [[gnu::always_inline]] void Refill() {
        if (count > 56) return;
        if (source.Held() >= 8) {
            const uint8_t* p = source.Here();
            const uint64_t word = uint64_t(recbits::LoadU32(p)) | uint64_t(recbits::LoadU32(p + 4)) << 32;
            bits |= word << count;
            const int taken = (63 - count) >> 3;
            source.Skip(size_t(taken));
            count += taken * 8;
            return;
        }
        uint8_t byte;
        while (count <= 56 && source.Get(&byte)) {
            bits |= uint64_t(byte) << count;
            count += 8;
        }
    }
    void Drop(int n) {
        bits >>= n;
        count -= n;
    }
};

// One code walked bit by bit from the node the bits before led to (the
// root for a whole code); false when the stream ends first.
template <class Source>
[[gnu::always_inline]] inline bool WalkHuffmanCode(BitReader<Source>& in, uint8_t* value, uint32_t node = 0) {
    for (;;) {
        if (in.count == 0) {
            in.Refill();
            if (in.count == 0) return false;
        }
        node = g_huffman.child[node][in.bits & 1];
        in.Drop(1);
        if (node >= 256) {
            *value = uint8_t(node - 256);
            return true;
        }
    }
}

// Entries that begin with the same run (the same bits up to its length)
// share its slot.
void BuildRunSlots() {
    HuffmanDecodeTables& t = g_huffman_decode;
    std::memset(t.firstEntry, 0, sizeof t.firstEntry);
    t.slots = 0;
    for (uint32_t bits = 0; bits < kHuffmanTableSize; ++bits) {
        const uint64_t run = t.run[bits];
        const uint32_t count = RunCount(run), length = RunLength(run);
        if (count == 0) {
            t.entry[bits] = MakeEntry(length, 0, 0);
            continue;
        }
        const uint32_t key = (1u << length) | (bits & ((1u << length) - 1));
        if (t.firstEntry[key] != 0) {
            t.entry[bits] = t.entry[t.firstEntry[key] - 1u];
            continue;
        }
        t.firstEntry[key] = uint16_t(bits + 1);
        t.values[t.slots] = RunValues(run);
        t.counts[t.slots] = uint8_t(count);
        t.entry[bits] = MakeEntry(length, count, t.slots++);
    }
}

void BuildHuffmanTables() {
    std::memset(g_huffman_decode.first, 0, sizeof g_huffman_decode.first);
    FillFirstCodes(0, 0, 0);
    BuildHuffmanRuns();
    BuildRunSlots();
}

constexpr uint32_t kHuffmanMask = kHuffmanTableSize - 1;
// Five whole runs are decoded per refill while they cannot pass the end of
// the output: each run is stored as one 8-byte word, up to two bytes more
// than it holds.
constexpr int kRunsPerRefill = 5;
constexpr uint32_t kRunsLeftMin = kRunsPerRefill * kHuffmanRunMax + 8 - kHuffmanRunMax;
static_assert(kRunsPerRefill * kHuffmanTableBits <= 57, "a refill covers the runs");

// A code longer than the table: the walk starts at the inner node the
// table's bits lead to when the buffer holds them all.
template <class Source>
[[gnu::always_inline]] inline bool DecodeLongCode(BitReader<Source>& in, uint8_t* value) {
    if (in.count < kHuffmanTableBits) return WalkHuffmanCode(in, value);
    const HuffmanFirst f = g_huffman_decode.first[in.bits & kHuffmanMask];
    in.Drop(kHuffmanTableBits);
    return WalkHuffmanCode(in, value, f.value);
}

template <class Source>
const char* DecodeHuffmanCodes(Source& source, uint32_t count, uint8_t* out) {
    BuildHuffmanTables();
    constexpr uint32_t kMask = kHuffmanMask;
    BitReader<Source> in{source};
    uint32_t left = count;
    // The buffer is copied to locals so that the stores of the output
    // (bytes, which may alias anything) do not force it back to memory.
    while (left >= kRunsLeftMin) {
        in.Refill();
        if (in.count < kRunsPerRefill * kHuffmanTableBits) break;
        uint64_t bits = in.bits;
        int bitCount = in.count;
        bool longCode = false;
        for (int k = 0; k < kRunsPerRefill; ++k) {
            const uint32_t entry = g_huffman_decode.entry[bits & kMask];
            const uint32_t runCount = RunCount(entry);
            if (runCount == 0) {
                longCode = true;
                break;
            }
            recbits::StoreU64(out, g_huffman_decode.values[EntrySlot(entry)]);
            out += runCount;
            left -= runCount;
            // The length is the low byte and below 64: a shift by the entry.
            bits >>= entry & 63;
            bitCount -= int(RunLength(entry));
        }
        in.bits = bits;
        in.count = bitCount;
        if (longCode) {
            if (!DecodeLongCode(in, out)) return kHuffmanEndsEarly;
            ++out;
            --left;
        }
    }
    // The last codes one at a time, with only the bits the stream still has.
    while (left > 0) {
        in.Refill();
        const HuffmanFirst f = g_huffman_decode.first[in.bits & kMask];
        if (f.length != 0 && f.length <= in.count) {
            *out = f.value;
            in.Drop(f.length);
        } else if (!(f.length == 0 ? DecodeLongCode(in, out) : WalkHuffmanCode(in, out))) {
            return kHuffmanEndsEarly;
        }
        ++out;
        --left;
    }
    return nullptr;
}

// Reads the stored tree into g_huffman and the count of codes that follow.
template <class Source>
const char* ReadHuffmanTree(Source& source, const Sink& sink, uint32_t* codes) {
    uint32_t count, nodes;
    if (!Get32(source, &count) || !Get32(source, &nodes)) return "the Huffman header is cut short";
    if (count > sink.limit - sink.size) return kPastEnd;
    if (nodes > kMaxStoredNodes) return "too many Huffman tree nodes";
    if (count > 0 && nodes == 0) return "the Huffman tree is empty";
    uint16_t(&child)[kHuffNodes][2] = g_huffman.child;
    for (uint32_t node = 0; node < nodes; ++node) {
        for (int side = 0; side < 2; ++side) {
            uint8_t low, high;
            if (!source.Get(&low) || !source.Get(&high)) return "the Huffman tree is cut short";
            uint32_t c = uint32_t(high) << 8 | low;
            if ((c < 256 && c >= nodes) || c >= 512) return "a Huffman child index is out of range";
            child[node][side] = uint16_t(c);
        }
    }
    *codes = count;
    return nullptr;
}

template <class Source>
const char* DecodeHuffmanStream(Source& source, uint32_t count, uint8_t* out) {
    return count >= kHuffmanTableMinCount ? DecodeHuffmanCodes(source, count, out)
                                          : DecodeHuffmanBits(source, count, out);
}

template <class Source>
const char* DecodeHuffman(Source& source, Sink& sink) {
    uint32_t count;
    if (const char* error = ReadHuffmanTree(source, sink, &count)) return error;
    if (const char* error = DecodeHuffmanStream(source, count, sink.out + sink.size)) return error;
    sink.size += count;
    return nullptr;
}

// ---- Method 2: move-to-front, then Huffman --------------------------------

struct MoveToFront {
    uint8_t list[256];
    void Reset() {
        for (int i = 0; i < 256; ++i) list[i] = uint8_t(i);
    }
    uint8_t Encode(uint8_t value) {
        int at = 0;
        while (list[at] != value) ++at;
        std::memmove(list + 1, list, size_t(at));
        list[0] = value;
        return uint8_t(at);
    }
    uint8_t Decode(uint8_t position) {
        uint8_t value = list[position];
        std::memmove(list + 1, list, position);
        list[0] = value;
        return value;
    }
};

struct MoveToFrontSymbols {
    const uint8_t* in;
    uint32_t at = 0;
    MoveToFront mtf{};
    void Rewind() {
        at = 0;
        mtf.Reset();
    }
    uint8_t Next() { return mtf.Encode(in[at++]); }
};

void EncodeMtfHuffman(const uint8_t* in, uint32_t n, Writer& w) {
    EncodeHuffmanSymbols(MoveToFrontSymbols{in}, n, w);
}

// Undoing move-to-front is one serial chain: every byte's list position
// depends on all the moves before it.  The plain form moves the list in
// memory, a copy of a different length for every byte.
void UndoMoveToFrontPlain(uint8_t* data, uint32_t n) {
    MoveToFront mtf;
    mtf.Reset();
    for (uint32_t i = 0; i < n; ++i) {
        // Position 0 repeats the front value and leaves the list as it is.
        data[i] = data[i] == 0 ? mtf.list[0] : mtf.Decode(data[i]);
    }
}

#if defined(__x86_64__)
#define HALVORN_SHUFFLE_MOVE_TO_FRONT 1

// The 16-byte form, for processors without 512-bit vectors (SSSE3 is
// enough).  The first 32 places of the list live in two registers and the
// rest in 16-byte blocks in memory.  A position in the first 32 places
// moves its byte to the front with the same five byte shuffles whatever
// the position; further places shift the blocks before them by one byte,
// places up to 127 with the same work for every position.  The time goes
// to the processor's wrong guesses between those two paths, as positions
// below and above 32 mix in most data: 16-byte registers have no permute
// over two registers, so the list cannot stay in registers as in the wide
// form.
//
// Per position p below 32, the shuffles that move its byte to the front of
// the two registers: lane indexes with the high bit set give zero, so each
// register's new lanes are the OR of two shuffles, one per register.
struct ShuffleTables {
    alignas(16) uint8_t value0[32][16];  // lane 0 takes byte p of register 0 when p < 16
    alignas(16) uint8_t value1[32][16];  // lane 0 takes byte p - 16 of register 1 when p >= 16
    alignas(16) uint8_t move0[32][16];   // register 0 without its lane 0: lanes 1..p take byte i - 1
    alignas(16) uint8_t move1[32][16];   // register 1 as it stays or shifts
    alignas(16) uint8_t carry[32][16];   // lane 0 of register 1 takes byte 15 of register 0 when p >= 16
    alignas(16) uint8_t upTo[16][16];    // 0xFF in lanes 0..p
    alignas(16) uint8_t places[256];     // byte i holds i
};
constexpr ShuffleTables MakeShuffleTables() {
    ShuffleTables t{};
    constexpr uint8_t kZero = 0x80;
    for (int p = 0; p < 32; ++p) {
        const bool second = p >= 16;
        for (int i = 0; i < 16; ++i) {
            t.value0[p][i] = uint8_t(i == 0 && !second ? p : kZero);
            t.value1[p][i] = uint8_t(i == 0 && second ? p - 16 : kZero);
            t.move0[p][i] = uint8_t(i == 0 ? kZero : i <= p ? i - 1 : i);
            t.move1[p][i] = uint8_t(!second ? i : i == 0 ? kZero : i <= p - 16 ? i - 1 : i);
            t.carry[p][i] = uint8_t(i == 0 && second ? 15 : kZero);
        }
    }
    for (int p = 0; p < 16; ++p) {
        for (int i = 0; i < 16; ++i) t.upTo[p][i] = uint8_t(i <= p ? 0xFF : 0);
    }
    for (int i = 0; i < 256; ++i) t.places[i] = uint8_t(i);
    return t;
}
constexpr ShuffleTables kShuffleTables = MakeShuffleTables();

struct ShuffleList {
    __m128i front0, front1;  // places 0-15 and 16-31
    uint8_t* rest;           // 256 bytes aligned to 16, of which places 32-255 are used
};

#define HALVORN_SHUFFLE __attribute__((target("ssse3"), always_inline)) inline

HALVORN_SHUFFLE __m128i ShuffleLoad(const uint8_t* p) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(p));
}

// Moves the byte at the position to the front and returns it.
HALVORN_SHUFFLE uint8_t MoveToFrontShuffle(ShuffleList& l, uint32_t position) {
    const ShuffleTables& t = kShuffleTables;
    if (position < 32) {
        // The same shuffles for every place of the two registers: no branch
        // that the positions could make the processor guess wrong.
        const __m128i value = _mm_or_si128(_mm_shuffle_epi8(l.front0, ShuffleLoad(t.value0[position])),
                                           _mm_shuffle_epi8(l.front1, ShuffleLoad(t.value1[position])));
        const __m128i carry = _mm_shuffle_epi8(l.front0, ShuffleLoad(t.carry[position]));
        l.front1 = _mm_or_si128(_mm_shuffle_epi8(l.front1, ShuffleLoad(t.move1[position])), carry);
        l.front0 = _mm_or_si128(_mm_shuffle_epi8(l.front0, ShuffleLoad(t.move0[position])), value);
    } else {
        const uint8_t value = l.rest[position];
        // Places 32-127 with the same work for every position (a mask per
        // block instead of a loop whose length the processor must guess),
        // further places block by block.
        const __m128i p = _mm_set1_epi8(char(position));
        __m128i carry = l.front1;
        for (uint32_t b = 2; b < 8; ++b) {
            __m128i* block = reinterpret_cast<__m128i*>(l.rest + 16 * b);
            const __m128i old = _mm_load_si128(block);
            const __m128i lanes = ShuffleLoad(t.places + 16 * b);
            const __m128i upTo = _mm_cmpeq_epi8(_mm_max_epu8(lanes, p), p);
            const __m128i shifted = _mm_alignr_epi8(old, carry, 15);
            _mm_store_si128(block, _mm_or_si128(_mm_and_si128(upTo, shifted), _mm_andnot_si128(upTo, old)));
            carry = old;
        }
        if (position >= 128) {
            const uint32_t last = position >> 4;
            for (uint32_t b = 8; b < last; ++b) {
                __m128i* block = reinterpret_cast<__m128i*>(l.rest + 16 * b);
                const __m128i old = _mm_load_si128(block);
                _mm_store_si128(block, _mm_alignr_epi8(old, carry, 15));
                carry = old;
            }
            __m128i* block = reinterpret_cast<__m128i*>(l.rest + 16 * last);
            const __m128i old = _mm_load_si128(block);
            const __m128i upTo = ShuffleLoad(t.upTo[position & 15]);
            const __m128i shifted = _mm_alignr_epi8(old, carry, 15);
            _mm_store_si128(block, _mm_or_si128(_mm_and_si128(upTo, shifted), _mm_andnot_si128(upTo, old)));
        }
        l.front1 = _mm_alignr_epi8(l.front1, l.front0, 15);
        l.front0 = _mm_or_si128(_mm_slli_si128(l.front0, 1), _mm_cvtsi32_si128(value));
    }
    return uint8_t(_mm_cvtsi128_si32(l.front0));
}

__attribute__((target("ssse3"))) void StartShuffleList(ShuffleList& l, uint8_t* rest) {
    for (int i = 0; i < 256; ++i) rest[i] = uint8_t(i);
    l.front0 = ShuffleLoad(kShuffleTables.places);
    l.front1 = ShuffleLoad(kShuffleTables.places + 16);
    l.rest = rest;
}

// Cutting the input in pieces undone side by side, as the wide form does,
// gains nothing here: the serial chain is not what limits this form.
__attribute__((target("ssse3"))) void UndoMoveToFrontShuffle(uint8_t* data, uint32_t n) {
    alignas(16) uint8_t rest[256];
    ShuffleList list;
    StartShuffleList(list, rest);
    uint32_t i = 0;
    // Eight positions 0 in a row repeat the front byte and leave the list
    // alone, as in the wide form.
    for (; i + 8 <= n; i += 8) {
        uint64_t word = recbits::LoadU64(data + i);
        if (word == 0) {
            std::memset(data + i, uint8_t(_mm_cvtsi128_si32(list.front0)), 8);
            continue;
        }
        for (int k = 0; k < 8; ++k, word >>= 8) data[i + k] = MoveToFrontShuffle(list, uint8_t(word));
    }
    for (; i < n; ++i) data[i] = MoveToFrontShuffle(list, data[i]);
}

bool ShuffleMoveToFrontSupported() {
    static const bool supported = __builtin_cpu_supports("ssse3");
    return supported;
}
#undef HALVORN_SHUFFLE
#else
bool ShuffleMoveToFrontSupported() { return false; }
#endif

#if defined(__x86_64__)
#define HALVORN_WIDE_MOVE_TO_FRONT 1

// Lane indexes for byte permutes over one or two 64-byte registers (0-63
// the first, 64-127 the second).
struct LaneTables {
    uint8_t lane[256];  // lane i of quarter q holds 64 q + i
    uint8_t front[64];  // lane i takes byte i - 1 of the first register (lane 0 its byte 0)
    uint8_t carry[64];  // lane 0 takes byte 63 of the first register, lane i byte i - 1 of the second
};
constexpr LaneTables MakeLaneTables() {
    LaneTables t{};
    for (int i = 0; i < 256; ++i) t.lane[i] = uint8_t(i);
    for (int i = 0; i < 64; ++i) {
        t.front[i] = uint8_t(i == 0 ? 0 : i - 1);
        t.carry[i] = uint8_t(i == 0 ? 63 : 64 + i - 1);
    }
    return t;
}
constexpr LaneTables kLaneTables = MakeLaneTables();

// Moves the byte at the position to the front of the list held in four
// 512-bit registers and returns it.
__attribute__((target("avx512f,avx512bw,avx512vbmi"), always_inline)) inline uint8_t MoveToFrontWide(
    uint8_t position, __m512i lane0, __m512i lane1, __m512i lane2, __m512i lane3, __m512i frontIndex,
    __m512i carryIndex, __m512i& list0, __m512i& list1, __m512i& list2, __m512i& list3) {
    const __m512i p = _mm512_set1_epi8(char(position));
    if (position < 64) {
        // Lane 0 takes byte p; lanes 1..p the byte before them.
        list0 = _mm512_mask_permutexvar_epi8(list0, _mm512_cmple_epu8_mask(lane0, p),
                                             _mm512_mask_mov_epi8(frontIndex, 1, p), list0);
    } else if (position < 128) {
        const __m512i moved0 = _mm512_permutex2var_epi8(list0, _mm512_mask_mov_epi8(frontIndex, 1, p), list1);
        const __m512i moved1 = _mm512_permutex2var_epi8(list0, carryIndex, list1);
        list1 = _mm512_mask_mov_epi8(list1, _mm512_cmple_epu8_mask(lane1, p), moved1);
        list0 = moved0;
    } else {
        const __m512i value = _mm512_permutex2var_epi8(list2, p, list3);
        const __m512i moved0 = _mm512_mask_permutexvar_epi8(value, ~uint64_t(1), frontIndex, list0);
        const __m512i moved1 = _mm512_permutex2var_epi8(list0, carryIndex, list1);
        const __m512i moved2 = _mm512_permutex2var_epi8(list1, carryIndex, list2);
        const __m512i moved3 = _mm512_permutex2var_epi8(list2, carryIndex, list3);
        list0 = moved0;
        list1 = moved1;
        list2 = _mm512_mask_mov_epi8(list2, _mm512_cmple_epu8_mask(lane2, p), moved2);
        list3 = _mm512_mask_mov_epi8(list3, _mm512_cmple_epu8_mask(lane3, p), moved3);
    }
    return uint8_t(_mm512_cvtsi512_si32(list0));
}

// The wide form holds the whole list in four 512-bit registers.  A byte at
// position p moves to the front by shifting the lanes 0..p up by one with
// byte permutes and keeping them under a lane mask: no loop and no call,
// and most positions touch only the first one or two registers.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void UndoMoveToFrontWide(uint8_t* data, uint32_t n) {
    const LaneTables& t = kLaneTables;
    const __m512i lane0 = _mm512_loadu_si512(t.lane), lane1 = _mm512_loadu_si512(t.lane + 64);
    const __m512i lane2 = _mm512_loadu_si512(t.lane + 128), lane3 = _mm512_loadu_si512(t.lane + 192);
    const __m512i frontIndex = _mm512_loadu_si512(t.front);
    const __m512i carryIndex = _mm512_loadu_si512(t.carry);
    __m512i list0 = lane0, list1 = lane1, list2 = lane2, list3 = lane3;
    uint8_t front = 0;
    uint32_t i = 0;
    // Positions are taken eight at a time from one load, so that the check
    // for eight positions 0 costs nothing more and no byte waits on a load.
    for (; i + 8 <= n; i += 8) {
        uint64_t word = uint64_t(recbits::LoadU32(data + i)) | uint64_t(recbits::LoadU32(data + i + 4)) << 32;
        if (word == 0) {
            // Eight positions 0 in a row repeat the front value and leave
            // the list alone (runs of one value, common in records and pictures).
            std::memset(data + i, front, 8);
            continue;
        }
        for (int k = 0; k < 8; ++k, word >>= 8) {
            front = MoveToFrontWide(uint8_t(word), lane0, lane1, lane2, lane3, frontIndex, carryIndex, list0,
                                    list1, list2, list3);
            data[i + k] = front;
        }
    }
    for (; i < n; ++i) {
        front = MoveToFrontWide(data[i], lane0, lane1, lane2, lane3, frontIndex, carryIndex, list0, list1,
                                list2, list3);
        data[i] = front;
    }
}

bool WideMoveToFrontSupported() {
    static const bool supported = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                                  __builtin_cpu_supports("avx512vbmi");
    return supported;
}
#else
bool WideMoveToFrontSupported() { return false; }
#endif

#ifdef HALVORN_WIDE_MOVE_TO_FRONT
// Method 2 in one pass on 512-bit vectors.  The moves of a whole Huffman
// run touch only the places up to its largest position, so a run whose
// positions all lie in the first 128 places has its effect on those places
// worked out once per table entry:
// - lanes: for each byte of the run, the place it comes from in the list as
//   it stood before the run (0-127, over the first two registers);
// - moves: the first 128 places after the run, each as its place before.
// A run then costs three two-register byte permutes (its bytes and the two
// new registers), one step of the list's serial chain instead of one step
// per byte.  Runs that reach further, and codes longer than the table, are
// moved byte by byte.  The lanes and moves live in the run's slot, so the
// few distinct runs of a stream touch few cache lines.
constexpr uint32_t kMtfNear = 128;
struct MtfDecodeTables {
    uint32_t entry[kHuffmanTableSize];  // the Huffman entry, with count 0 for byte by byte
    // Per slot.
    uint64_t lanes[kHuffmanTableSize];  // as a Huffman run's values
    alignas(64) uint8_t moves[kHuffmanTableSize][kMtfNear];
    bool near[kHuffmanTableSize];
};
MtfDecodeTables g_mtf_decode;

// Below this count the tables cost more than they save.
constexpr uint32_t kMtfTableMinCount = 16384;

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) inline void StoreMtfRun(uint32_t slot, uint8_t* out,
                                                                               __m512i& list0,
                                                                               __m512i& list1) {
    const __m512i lanes = _mm512_castsi128_si512(_mm_cvtsi64_si128(int64_t(g_mtf_decode.lanes[slot])));
    const __m512i bytes = _mm512_permutex2var_epi8(list0, lanes, list1);
    recbits::StoreU64(out, uint64_t(bytes[0]));
    const uint8_t* moves = g_mtf_decode.moves[slot];
    const __m512i moved0 = _mm512_permutex2var_epi8(list0, _mm512_load_si512(moves), list1);
    const __m512i moved1 = _mm512_permutex2var_epi8(list0, _mm512_load_si512(moves + 64), list1);
    list0 = moved0;
    list1 = moved1;
}

#define HALVORN_WIDE __attribute__((target("avx512f,avx512bw,avx512vbmi"), always_inline)) inline

// The lane tables the byte-by-byte moves use.
struct WideLanes {
    __m512i lane0, lane1, lane2, lane3, frontIndex, carryIndex;
};

// The bytes of a run's values that are 128 or more.
constexpr uint64_t kFarPlaces = 0x808080808080;

// The moves of every distinct run are worked out on the registers, as the
// decoder's byte-by-byte moves do (only the first two change).
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void BuildMtfRuns(const WideLanes& c) {
    const HuffmanDecodeTables& h = g_huffman_decode;
    MtfDecodeTables& t = g_mtf_decode;
    for (uint32_t slot = 0; slot < h.slots; ++slot) {
        t.near[slot] = (h.values[slot] & kFarPlaces) == 0;
        if (!t.near[slot]) continue;
        __m512i list0 = c.lane0, list1 = c.lane1, list2 = c.lane2, list3 = c.lane3;
        uint64_t lanes = 0;
        for (uint32_t k = 0; k < h.counts[slot]; ++k) {
            const uint8_t value =
                MoveToFrontWide(uint8_t(h.values[slot] >> (8 * k)), c.lane0, c.lane1, c.lane2, c.lane3,
                                c.frontIndex, c.carryIndex, list0, list1, list2, list3);
            lanes |= uint64_t(value) << (8 * k);
        }
        _mm512_store_si512(t.moves[slot], list0);
        _mm512_store_si512(t.moves[slot] + 64, list1);
        t.lanes[slot] = lanes;
    }
    for (uint32_t bits = 0; bits < kHuffmanTableSize; ++bits) {
        const uint32_t entry = h.entry[bits];
        const bool fused = RunCount(entry) != 0 && t.near[EntrySlot(entry)];
        t.entry[bits] = fused ? entry : MakeEntry(RunLength(entry), 0, 0);
    }
}

// One chain of method 2 decoding: the bits it reads, where it writes and
// how many bytes it may still write.  Its list is kept apart, so that the
// registers stay registers while the reader goes to memory for the slow
// paths.
template <class Source>
struct MtfChain {
    BitReader<Source> in;
    uint8_t* out;
    uint32_t left;
};
struct MtfList {
    __m512i list0, list1, list2, list3;
};

template <class Source>
HALVORN_WIDE void MoveOneWide(const WideLanes& c, MtfChain<Source>& ch, MtfList& l, uint8_t position) {
    *ch.out++ = MoveToFrontWide(position, c.lane0, c.lane1, c.lane2, c.lane3, c.frontIndex, c.carryIndex,
                                l.list0, l.list1, l.list2, l.list3);
    --ch.left;
}

enum class MtfGroupEnd { kDecoded, kFewBits, kCutShort };

// Five runs from one refill, or fewer and then one run or code byte by
// byte.  The caller keeps left at kRunsLeftMin or more.
template <class Source>
HALVORN_WIDE MtfGroupEnd DecodeMtfGroup(const WideLanes& c, MtfChain<Source>& ch, MtfList& l) {
    ch.in.Refill();
    if (ch.in.count < kRunsPerRefill * kHuffmanTableBits) return MtfGroupEnd::kFewBits;
    uint64_t bits = ch.in.bits;
    int bitCount = ch.in.count;
    uint8_t* out = ch.out;
    uint32_t left = ch.left;
    __m512i list0 = l.list0, list1 = l.list1;
    int k = 0;
    for (; k < kRunsPerRefill; ++k) {
        const uint32_t run = g_mtf_decode.entry[bits & kHuffmanMask];
        const uint32_t runCount = RunCount(run);
        if (runCount == 0) break;
        StoreMtfRun(run >> 16, out, list0, list1);
        out += runCount;
        left -= runCount;
        // The length is the low byte and below 64: a shift by the word.
        bits >>= run & 63;
        bitCount -= int(RunLength(run));
    }
    ch.in.bits = bits;
    ch.in.count = bitCount;
    ch.out = out;
    ch.left = left;
    l.list0 = list0;
    l.list1 = list1;
    if (k == kRunsPerRefill) return MtfGroupEnd::kDecoded;
    // A run that reaches past the first 128 places, or a code longer than
    // the table: byte by byte.
    const uint64_t run = g_huffman_decode.run[ch.in.bits & kHuffmanMask];
    const uint32_t runCount = RunCount(run);
    if (runCount == 0) {
        uint8_t position;
        if (!DecodeLongCode(ch.in, &position)) return MtfGroupEnd::kCutShort;
        MoveOneWide(c, ch, l, position);
        return MtfGroupEnd::kDecoded;
    }
    for (uint32_t j = 0; j < runCount; ++j) MoveOneWide(c, ch, l, RunValue(run, int(j)));
    ch.in.Drop(int(RunLength(run)));
    return MtfGroupEnd::kDecoded;
}

// A long stream held in memory is decoded in two chains at once, one from
// the start and one from the middle of its bits, so that the processor
// overlaps the two serial chains.  The second chain cannot know where a
// code begins near the middle, nor the list there:
// - it decodes from the first byte of the middle and records where its
//   first kMtfSyncCodes codes begin; a Huffman code soon falls into step
//   from any bit, so the first chain, on reaching the middle, meets one of
//   those beginnings, and from there both decode the same codes;
// - it moves places, not bytes, in a list that starts as 0..255; once the
//   first chain has taken the recorded codes up to the second chain's own
//   start, each place names the byte at that place of the first chain's list.
// The result is the same as one chain's in every case: when the chains do
// not meet, the first goes on alone, and the second chain's codes count
// only from a bit where the first chain would read them too.
constexpr uint32_t kMtfSplitMinCount = 16384;
constexpr int kMtfSyncCodes = 256;

struct SplitScratch {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
};
SplitScratch g_split_scratch;

uint8_t* SplitScratchBytes(size_t size) {
    if (g_split_scratch.size < size) {
        g_split_scratch.bytes = std::make_unique_for_overwrite<uint8_t[]>(size);
        g_split_scratch.size = size;
    }
    return g_split_scratch.bytes.get();
}

uint64_t BitsRead(const BitReader<MemSource>& in, const uint8_t* base) {
    return uint64_t(in.source.Here() - base) * 8 - uint64_t(in.count);
}

// One code with only the bits the stream still has.
template <class Source>
[[gnu::always_inline]] inline bool NextHuffmanCode(BitReader<Source>& in, uint8_t* value) {
    in.Refill();
    const HuffmanFirst f = g_huffman_decode.first[in.bits & kHuffmanMask];
    if (f.length != 0 && f.length <= in.count) {
        *value = f.value;
        in.Drop(f.length);
        return true;
    }
    return f.length == 0 ? DecodeLongCode(in, value) : WalkHuffmanCode(in, value);
}

// Places of the second chain's list to bytes of the first chain's list.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void MapPlaces(const MtfList& a, const uint8_t* places,
                                                                      uint8_t* out, uint32_t n) {
    for (uint32_t i = 0; i < n; i += 64) {
        const __mmask64 keep = n - i >= 64 ? ~__mmask64(0) : (__mmask64(1) << (n - i)) - 1;
        const __m512i place = _mm512_maskz_loadu_epi8(keep, places + i);
        const __m512i low = _mm512_permutex2var_epi8(a.list0, place, a.list1);
        const __m512i high = _mm512_permutex2var_epi8(a.list2, place, a.list3);
        _mm512_mask_storeu_epi8(out + i, keep, _mm512_mask_blend_epi8(_mm512_movepi8_mask(place), low, high));
    }
}

// Decodes all of a's codes in two chains, or returns with *done false
// for a to go on alone from where it stands.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) const char* DecodeMtfSplit(const WideLanes& c,
                                                                                  MtfChain<MemSource>& a,
                                                                                  MtfList& aList,
                                                                                  bool* done) {
    *done = false;
    const uint8_t* base = a.in.source.Here();
    const size_t held = a.in.source.Held();
    MemSource middle{base + held / 2, base + held};
    const uint64_t middleBit = uint64_t(held / 2) * 8;
    MtfChain<MemSource> b{BitReader<MemSource>{middle}, SplitScratchBytes(size_t(a.left) + 8), a.left};
    MtfList bList{c.lane0, c.lane1, c.lane2, c.lane3};
    uint8_t* const places = b.out;
    uint64_t syncBit[kMtfSyncCodes];
    uint8_t syncPosition[kMtfSyncCodes];
    for (int k = 0; k < kMtfSyncCodes; ++k) {
        syncBit[k] = BitsRead(b.in, base);
        if (!NextHuffmanCode(b.in, &syncPosition[k])) return nullptr;
    }
    // Both chains a group at a time while a is short of the middle.
    bool bRuns = true;
    while (a.left >= kRunsLeftMin && BitsRead(a.in, base) + 64 <= middleBit) {
        const MtfGroupEnd end = DecodeMtfGroup(c, a, aList);
        if (end == MtfGroupEnd::kCutShort) return kHuffmanEndsEarly;
        if (end == MtfGroupEnd::kFewBits) return nullptr;
        if (b.left < kRunsLeftMin || DecodeMtfGroup(c, b, bList) != MtfGroupEnd::kDecoded) {
            bRuns = false;
            break;
        }
    }
    // Either alone up to its end.
    while (a.left >= kRunsLeftMin && BitsRead(a.in, base) + 64 <= middleBit) {
        const MtfGroupEnd end = DecodeMtfGroup(c, a, aList);
        if (end == MtfGroupEnd::kCutShort) return kHuffmanEndsEarly;
        if (end == MtfGroupEnd::kFewBits) return nullptr;
    }
    while (bRuns && b.left >= kRunsLeftMin && DecodeMtfGroup(c, b, bList) == MtfGroupEnd::kDecoded) {}
    uint8_t position;
    while (b.left > 0 && NextHuffmanCode(b.in, &position)) MoveOneWide(c, b, bList, position);
    // a code by code until it meets one of b's first codes.
    int k = 0;
    for (;;) {
        const uint64_t bit = BitsRead(a.in, base);
        while (k < kMtfSyncCodes && syncBit[k] < bit) ++k;
        if (k == kMtfSyncCodes || a.left == 0) return nullptr;
        if (syncBit[k] == bit) break;
        if (!NextHuffmanCode(a.in, &position)) return kHuffmanEndsEarly;
        MoveOneWide(c, a, aList, position);
    }
    for (; k < kMtfSyncCodes && a.left > 0; ++k) MoveOneWide(c, a, aList, syncPosition[k]);
    const uint32_t made = uint32_t(b.out - places);
    if (made < a.left) return kHuffmanEndsEarly;
    MapPlaces(aList, places, a.out, a.left);
    *done = true;
    return nullptr;
}

template <class Source>
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) const char* DecodeMtfHuffmanWide(Source& source,
                                                                                        uint32_t count,
                                                                                        uint8_t* out) {
    BuildHuffmanTables();
    const LaneTables& t = kLaneTables;
    WideLanes c;
    c.lane0 = _mm512_loadu_si512(t.lane);
    c.lane1 = _mm512_loadu_si512(t.lane + 64);
    c.lane2 = _mm512_loadu_si512(t.lane + 128);
    c.lane3 = _mm512_loadu_si512(t.lane + 192);
    c.frontIndex = _mm512_loadu_si512(t.front);
    c.carryIndex = _mm512_loadu_si512(t.carry);
    BuildMtfRuns(c);
    MtfChain<Source> a{BitReader<Source>{source}, out, count};
    MtfList aList{c.lane0, c.lane1, c.lane2, c.lane3};
    if constexpr (std::is_same_v<Source, MemSource>) {
        if (count >= kMtfSplitMinCount) {
            bool done;
            if (const char* error = DecodeMtfSplit(c, a, aList, &done)) return error;
            if (done) return nullptr;
        }
    }
    while (a.left >= kRunsLeftMin) {
        const MtfGroupEnd end = DecodeMtfGroup(c, a, aList);
        if (end == MtfGroupEnd::kFewBits) break;
        if (end == MtfGroupEnd::kCutShort) return kHuffmanEndsEarly;
    }
    // The last codes one at a time, with only the bits the stream still has.
    while (a.left > 0) {
        uint8_t position;
        if (!NextHuffmanCode(a.in, &position)) return kHuffmanEndsEarly;
        MoveOneWide(c, a, aList, position);
    }
    return nullptr;
}
#undef HALVORN_WIDE
#endif

MoveToFrontForm g_move_to_front_limit = MoveToFrontForm::kWide;

bool MoveToFrontAllowed(MoveToFrontForm form) {
    return form <= g_move_to_front_limit && CompressMoveToFrontAvailable(form);
}

void UndoMoveToFront(uint8_t* data, uint32_t n) {
#ifdef HALVORN_WIDE_MOVE_TO_FRONT
    if (MoveToFrontAllowed(MoveToFrontForm::kWide)) {
        UndoMoveToFrontWide(data, n);
        return;
    }
#endif
#ifdef HALVORN_SHUFFLE_MOVE_TO_FRONT
    if (MoveToFrontAllowed(MoveToFrontForm::kShuffle)) {
        UndoMoveToFrontShuffle(data, n);
        return;
    }
#endif
    UndoMoveToFrontPlain(data, n);
}

template <class Source>
const char* DecodeMtfHuffman(Source& source, Sink& sink) {
    uint32_t count;
    if (const char* error = ReadHuffmanTree(source, sink, &count)) return error;
    uint8_t* out = sink.out + sink.size;
    const char* error = nullptr;
#ifdef HALVORN_WIDE_MOVE_TO_FRONT
    const bool oneLoop = count >= kMtfTableMinCount && MoveToFrontAllowed(MoveToFrontForm::kWide);
#else
    const bool oneLoop = false;
#endif
    if (oneLoop) {
#ifdef HALVORN_WIDE_MOVE_TO_FRONT
        error = DecodeMtfHuffmanWide(source, count, out);
#endif
    } else {
        error = DecodeHuffmanStream(source, count, out);
        if (error == nullptr) UndoMoveToFront(out, count);
    }
    if (error != nullptr) return error;
    sink.size += count;
    return nullptr;
}

// ---- Method 3: LZ77 with escape byte --------------------------------------

constexpr uint32_t kLzWindow = 1023;
constexpr uint32_t kLzMinDistance = 5;
constexpr uint32_t kLzMatchLimit = 65;
constexpr uint32_t kLzLengthLimit = 63;

// Candidate starts are found through chains of earlier positions with the
// same 4-byte hash; each is then compared exactly, so the result is the same
// as testing every start in the window.
int32_t g_lz_head[65536];
int32_t g_lz_prev[1024];
uint32_t g_lz_candidates[kLzWindow];

uint32_t Load4(const uint8_t* p) { return recbits::LoadU32(p); }

uint32_t LzHash(uint32_t four) { return (four * 2654435761u) >> 16; }

void EncodeLz(const uint8_t* in, uint32_t n, Writer& w) {
    // An empty input needs no escape byte; the decoder reads an empty
    // stream as an empty output.
    if (n == 0) return;
    uint8_t escape = LeastFrequentByte(in, n);
    w.Put(escape);
    std::fill(std::begin(g_lz_head), std::end(g_lz_head), -1);
    uint32_t next_insert = 0;
    uint32_t p = 0;
    while (p < n) {
        uint32_t best_length = 0, best_distance = 0;
        if (p > 4 && p + 4 < n) {
            for (; next_insert + kLzMinDistance <= p; ++next_insert) {
                uint32_t h = LzHash(Load4(in + next_insert));
                g_lz_prev[next_insert & 1023] = g_lz_head[h];
                g_lz_head[h] = int32_t(next_insert);
            }
            int64_t lowest = p > kLzWindow ? int64_t(p - kLzWindow) : 0;
            uint32_t four = Load4(in + p);
            uint32_t found = 0;
            for (int64_t s = g_lz_head[LzHash(four)]; s >= lowest; s = g_lz_prev[s & 1023]) {
                if (Load4(in + s) == four) g_lz_candidates[found++] = uint32_t(s);
            }
            // Earliest start first, so the first longest match wins ties.
            uint32_t limit = std::min(kLzMatchLimit, n - p);
            while (found > 0) {
                uint32_t s = g_lz_candidates[--found];
                uint32_t length = 4;
                while (length < limit && in[s + length] == in[p + length]) ++length;
                if (length > best_length) {
                    best_length = length;
                    best_distance = p - s;
                    if (length == limit) break;
                }
            }
        }
        if (best_length >= 4) {
            uint32_t length = std::min(best_length, kLzLengthLimit);
            w.Put(escape);
            w.Put(uint8_t(length << 2 | best_distance >> 8));
            w.Put(uint8_t(best_distance));
            p += length;
        } else {
            if (in[p] == escape) {
                w.Put(escape);
                w.Put(0);
            } else {
                w.Put(in[p]);
            }
            ++p;
        }
    }
}

template <class Source>
const char* DecodeLz(Source& source, Sink& sink) {
    uint8_t escape, byte;
    if (!source.Get(&escape)) return nullptr;
    while (source.Get(&byte)) {
        if (byte != escape) {
            if (sink.size == sink.limit) return kPastEnd;
            sink.out[sink.size++] = byte;
            continue;
        }
        uint8_t x, y;
        if (!source.Get(&x)) return "a copy is cut short";
        if (x == 0) {
            if (sink.size == sink.limit) return kPastEnd;
            sink.out[sink.size++] = escape;
            continue;
        }
        if (!source.Get(&y)) return "a copy is cut short";
        uint32_t length = x >> 2;
        uint32_t distance = uint32_t(x & 3) << 8 | y;
        if (distance == 0 || distance > sink.size) return "a copy starts before the start of the output";
        if (length > sink.limit - sink.size) return kPastEnd;
        // Byte by byte: a copy may overlap its own output.
        for (uint32_t i = 0; i < length; ++i, ++sink.size)
            sink.out[sink.size] = sink.out[sink.size - distance];
    }
    return nullptr;
}

// ---- Methods 4 and 5: run length coding ------------------------------------

constexpr uint32_t kMaxRun = 65025;

void PutRunCount(Writer& w, uint32_t count) {
    if (count < 255) {
        w.Put(uint8_t(count));
    } else {
        w.Put(0);
        w.Put(uint8_t(count >> 8));
        w.Put(uint8_t(count));
    }
}

template <class Source>
bool GetRunCount(Source& source, uint32_t* count) {
    uint8_t c;
    if (!source.Get(&c)) return false;
    if (c != 0) {
        *count = c;
        return true;
    }
    return Get16High(source, count);
}

void EncodeZeroRuns(const uint8_t* in, uint32_t n, Writer& w) {
    for (uint32_t p = 0; p < n;) {
        if (in[p] != 0) {
            w.Put(in[p++]);
            continue;
        }
        uint32_t run = 0;
        while (p + run < n && in[p + run] == 0 && run < kMaxRun) ++run;
        w.Put(0);
        PutRunCount(w, run);
        p += run;
    }
}

template <class Source>
const char* DecodeZeroRuns(Source& source, Sink& sink) {
    uint8_t byte;
    while (source.Get(&byte)) {
        if (byte != 0) {
            if (sink.size == sink.limit) return kPastEnd;
            sink.out[sink.size++] = byte;
            continue;
        }
        uint32_t count;
        if (!GetRunCount(source, &count)) return "a run is cut short";
        if (count > sink.limit - sink.size) return kPastEnd;
        std::memset(sink.out + sink.size, 0, count);
        sink.size += count;
    }
    return nullptr;
}

void EncodeRuns(const uint8_t* in, uint32_t n, Writer& w) {
    uint8_t escape = LeastFrequentByte(in, n);
    w.Put(escape);
    for (uint32_t p = 0; p < n;) {
        uint8_t value = in[p];
        uint32_t run = 1;
        while (p + run < n && in[p + run] == value && run < kMaxRun) ++run;
        if (run > 3) {
            w.Put(escape);
            w.Put(value);
            PutRunCount(w, run);
            p += run;
        } else {
            if (value == escape) {
                w.Put(escape);
                w.Put(escape);
                w.Put(1);
            } else {
                w.Put(value);
            }
            ++p;
        }
    }
}

template <class Source>
const char* DecodeRuns(Source& source, Sink& sink) {
    uint8_t escape, byte;
    if (!source.Get(&escape)) return nullptr;
    while (source.Get(&byte)) {
        if (byte != escape) {
            if (sink.size == sink.limit) return kPastEnd;
            sink.out[sink.size++] = byte;
            continue;
        }
        uint8_t value;
        uint32_t count;
        if (!source.Get(&value) || !GetRunCount(source, &count)) return "a run is cut short";
        if (count > sink.limit - sink.size) return kPastEnd;
        std::memset(sink.out + sink.size, value, count);
        sink.size += count;
    }
    return nullptr;
}

// ---- Method table -------------------------------------------------------------

using Encoder = void (*)(const uint8_t*, uint32_t, Writer&);
using MemDecoder = const char* (*)(MemSource&, Sink&);
using FileDecoder = const char* (*)(FileSource&, Sink&);
using WorstCase = uint64_t (*)(uint64_t);

// A file decoder that fetches the whole stream first and decodes it as from
// memory, for the Huffman methods: their bit readers take eight bytes at a
// time where the bytes are at hand, and method 2 decodes a long stream held
// in memory in two chains at once, which a stream fetched in pieces cannot.
// The stream is held twice only while it is decoded.
template <const char* (*kDecode)(MemSource&, Sink&)>
const char* DecodeFileInMemory(FileSource& source, Sink& sink) {
    const size_t held = source.Held();
    const size_t size = held + source.remaining;
    const std::unique_ptr<uint8_t[]> bytes = std::make_unique_for_overwrite<uint8_t[]>(size);
    std::memcpy(bytes.get(), source.Here(), held);
    source.Skip(held);
    if (source.remaining > 0) DOSReadFile(source.file, bytes.get() + held, source.remaining);
    source.remaining = 0;
    MemSource in{bytes.get(), bytes.get() + size};
    return kDecode(in, sink);
}

struct Method {
    Encoder compress;
    MemDecoder decompress_mem;
    FileDecoder decompress_file;
    WorstCase worst_case;
    uint32_t info;
};

uint64_t PredictorWorstCase(uint64_t n) { return (n + 8) * 9 / 8; }
uint64_t HuffmanWorstCase(uint64_t n) { return n + 17416; }
uint64_t LzWorstCase(uint64_t n) { return 2 * n; }
uint64_t RunsWorstCase(uint64_t n) { return n + n / 2 + 1; }

constexpr Method kMethods[COMPRESS_METHOD_COUNT] = {
    {EncodePredictor, DecodePredictor<MemSource>, DecodePredictor<FileSource>, PredictorWorstCase, 0x31},
    {EncodeHuffman, DecodeHuffman<MemSource>, DecodeFileInMemory<DecodeHuffman<MemSource>>, HuffmanWorstCase,
     0x111},
    {EncodeMtfHuffman, DecodeMtfHuffman<MemSource>, DecodeFileInMemory<DecodeMtfHuffman<MemSource>>,
     HuffmanWorstCase, 0x31},
    {EncodeLz, DecodeLz<MemSource>, DecodeLz<FileSource>, LzWorstCase, 0x32},
    {EncodeZeroRuns, DecodeZeroRuns<MemSource>, DecodeZeroRuns<FileSource>, RunsWorstCase, 0},
    {EncodeRuns, DecodeRuns<MemSource>, DecodeRuns<FileSource>, RunsWorstCase, 0},
};

void CheckMethod(int method, const char* message) {
    if (method < 0 || method >= COMPRESS_METHOD_COUNT) AbortError(kModule, __LINE__, message);
}

// Aborts with a message that names the caller and what was wrong.
[[noreturn]] void CorruptStream(int line, const char* function, const char* problem) {
    static char message[160];
    std::snprintf(message, sizeof message, "%s(): corrupt compressed data: %s", function, problem);
    AbortError(kModule, line, message);
}

// The largest stream any block may carry, so header + stream sizes stay
// within 32 bits.
constexpr uint64_t kMaxStream = UINT32_MAX - COMPRESS_HEADER_SIZE - MEM_BLOCK_HEADER;

uint32_t EncodeStream(int method, const uint8_t* in, uint32_t n, uint8_t* out) {
    Writer w{out, CompressWorstCase(method, n)};
    kMethods[method].compress(in, n, w);
    if (w.overflow) AbortError(kModule, __LINE__, "CompressData(): data was larger than worst case value!");
    return w.size;
}

}  // namespace

void CompressWriteHeader(uint8_t* out, const CompressHeader& header) {
    std::memcpy(out, kMagic, 4);
    recbits::StoreU16(out + 4, header.method);
    recbits::StoreU16(out + 6, 0);
    recbits::StoreU32(out + 8, header.packed);
    recbits::StoreU32(out + 12, header.unpacked);
}

bool CompressReadHeader(const uint8_t* in, CompressHeader* header) {
    if (std::memcmp(in, kMagic, 4) != 0) return false;
    header->method = recbits::LoadU16(in + 4);
    header->packed = recbits::LoadU32(in + 8);
    header->unpacked = recbits::LoadU32(in + 12);
    return true;
}

void CompressData(int method, void* source_owner, uint32_t source_size, void* dest_owner,
                  uint32_t* result_size) {
    uint32_t worst = CompressWorstCase(method, source_size);
    AllocateMemory(dest_owner, worst + COMPRESS_HEADER_SIZE, MEM_TYPE_MANUAL_FREE);
    // Read after the allocation: the owner variable is the source of truth.
    const uint8_t* source;
    std::memcpy(&source, source_owner, sizeof source);
    if (source == nullptr && source_size != 0) {
        AbortError(kModule, __LINE__, "CompressData(): source block was freed");
    }
    uint8_t* dest;
    std::memcpy(&dest, dest_owner, sizeof dest);
    uint32_t packed = EncodeStream(method, source, source_size, dest + COMPRESS_HEADER_SIZE);
    CompressWriteHeader(dest, CompressHeader{uint16_t(method), packed, source_size});
    ResizeMemory(dest_owner, packed + COMPRESS_HEADER_SIZE);
    *result_size = packed + COMPRESS_HEADER_SIZE;
}

uint32_t DecompressDataMem(const void* block, uint32_t block_size, void* dest, uint32_t capacity) {
    const uint8_t* bytes = static_cast<const uint8_t*>(block);
    if (block_size < 4 || std::memcmp(bytes, kMagic, 4) != 0) {
        AbortError(kModule, __LINE__, "DecompressDataMem(): no ID field on compressed data");
    }
    // A block shorter than its header cannot match the size it names.
    if (block_size < COMPRESS_HEADER_SIZE) {
        AbortError(kModule, __LINE__, "DecompressDataMem(): header does not match compressed data size");
    }
    CompressHeader header;
    CompressReadHeader(bytes, &header);
    if (header.method >= COMPRESS_METHOD_COUNT) {
        AbortError(kModule, __LINE__, "DecompressDataMem(): unknown compression type");
    }
    if (uint64_t(header.packed) + COMPRESS_HEADER_SIZE != block_size) {
        AbortError(kModule, __LINE__, "DecompressDataMem(): header does not match compressed data size");
    }
    if (capacity < header.unpacked) {
        AbortError(kModule, __LINE__, "DecompressDataMem(): buffer too small for decompression");
    }
    MemSource source{bytes + COMPRESS_HEADER_SIZE, bytes + block_size};
    Sink sink{static_cast<uint8_t*>(dest), header.unpacked};
    if (const char* problem = kMethods[header.method].decompress_mem(source, sink)) {
        CorruptStream(__LINE__, "DecompressDataMem", problem);
    }
    if (sink.size != header.unpacked) {
        AbortError(kModule, __LINE__, "DecompressDataMem(): real decompress data size did not match header!");
    }
    return sink.size;
}

uint32_t DecompressDataFile(std::FILE* file, uint32_t stored_size, void* dest, uint32_t capacity) {
    uint8_t bytes[COMPRESS_HEADER_SIZE];
    DOSReadFile(file, bytes, sizeof bytes);
    CompressHeader header;
    if (!CompressReadHeader(bytes, &header)) {
        AbortError(kModule, __LINE__, "DecompressDataFile(): no ID field on compressed data");
    }
    if (header.method >= COMPRESS_METHOD_COUNT) {
        AbortError(kModule, __LINE__, "DecompressDataFile(): unknown compression type");
    }
    if (uint64_t(header.packed) + COMPRESS_HEADER_SIZE != stored_size) {
        AbortError(kModule, __LINE__, "DecompressDataFile(): header does not match compressed data size");
    }
    if (capacity < header.unpacked) {
        AbortError(kModule, __LINE__, "DecompressDataFile(): buffer too small for decompression");
    }
    FileSource source(file, header.packed);
    Sink sink{static_cast<uint8_t*>(dest), header.unpacked};
    if (const char* problem = kMethods[header.method].decompress_file(source, sink)) {
        CorruptStream(__LINE__, "DecompressDataFile", problem);
    }
    if (sink.size != header.unpacked) {
        FatalError(
            "Error: DecompressDataFile(): real decompress data size did not match header! (wanted %u, "
            "but got %u)\n",
            header.unpacked, sink.size);
    }
    return sink.size;
}

void CompressDataMem2Mem(int method, const void* source, uint32_t size, void* dest, uint32_t* result_size) {
    CheckMethod(method, "CompressDataMem2Mem(): compression number out of range");
    *result_size =
        EncodeStream(method, static_cast<const uint8_t*>(source), size, static_cast<uint8_t*>(dest));
}

void UncompressDataMem2Mem(int method, const void* source, uint32_t size, void* dest, uint32_t capacity,
                           uint32_t* result_size) {
    CheckMethod(method, "UncompressDataMem2Mem(): compression number out of range");
    const uint8_t* bytes = static_cast<const uint8_t*>(source);
    MemSource in{bytes, bytes + size};
    Sink sink{static_cast<uint8_t*>(dest), capacity};
    if (const char* problem = kMethods[method].decompress_mem(in, sink)) {
        CorruptStream(__LINE__, "UncompressDataMem2Mem", problem);
    }
    *result_size = sink.size;
}

void DecompressDataFile2Mem(int method, std::FILE* file, uint32_t size, void* dest, uint32_t capacity,
                            uint32_t* result_size) {
    CheckMethod(method, "DecompressDataFile2Mem(): compression number out of range");
    FileSource in(file, size);
    Sink sink{static_cast<uint8_t*>(dest), capacity};
    if (const char* problem = kMethods[method].decompress_file(in, sink)) {
        CorruptStream(__LINE__, "DecompressDataFile2Mem", problem);
    }
    *result_size = sink.size;
}

uint32_t CompressWorstCase(int method, uint32_t size) {
    CheckMethod(method, "CompressWorstCase(): compression number out of range");
    uint64_t worst = kMethods[method].worst_case(size);
    // Larger inputs are refused by the memory manager; the cap only keeps
    // the arithmetic in 32 bits.
    return uint32_t(std::min(worst, kMaxStream));
}

int GetNumCompressors() { return COMPRESS_METHOD_COUNT; }

uint32_t GetCompressorInfo(int method) {
    if (method < 0 || method >= COMPRESS_METHOD_COUNT) {
        AbortError(kModule, __LINE__, "GetCompressorInfo(): compressor num out of range");
    }
    return kMethods[method].info;
}

int ChooseCompressor(uint32_t flags) {
    if (flags == 65535) return 6;
    if (flags & 0x100) return COMPRESS_HUFFMAN;
    switch (flags & 0xF) {
        case 1:
            return COMPRESS_PREDICTOR;
        case 2:
            return COMPRESS_LZ77;
        default:
            return COMPRESS_MTF_HUFFMAN;
    }
}

bool CompressMoveToFrontAvailable(MoveToFrontForm form) {
    switch (form) {
        case MoveToFrontForm::kWide:
            return WideMoveToFrontSupported();
        case MoveToFrontForm::kShuffle:
            return ShuffleMoveToFrontSupported();
        case MoveToFrontForm::kPlain:
            return true;
    }
    return false;
}

void CompressLimitMoveToFront(MoveToFrontForm fastest) { g_move_to_front_limit = fastest; }
