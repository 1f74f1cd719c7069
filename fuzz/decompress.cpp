// Compressed blocks from outside: whole blocks from memory, streams behind
// a well-formed header (so the fuzzer spends its time in the decoders),
// blocks read from a file, and round trips of every method.
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/base/compress.h"
#include "core/base/debug.h"

namespace {

std::jmp_buf g_rejected;
std::FILE* g_file = nullptr;
uint8_t g_output[1 << 20];
std::vector<uint8_t> g_block;

void Rejected(const char*) { std::longjmp(g_rejected, 1); }

void Wrapped(const uint8_t* data, size_t size) {
    if (size < 3) return;
    int method = data[0] % COMPRESS_METHOD_COUNT;
    uint32_t unpacked = uint32_t(data[1] | data[2] << 8) * 4;
    g_block.assign(COMPRESS_HEADER_SIZE, 0);
    CompressWriteHeader(g_block.data(), CompressHeader{uint16_t(method), uint32_t(size - 3), unpacked});
    g_block.insert(g_block.end(), data + 3, data + size);
}

void RoundTrips(const uint8_t* data, size_t size) {
    static std::vector<uint8_t> stream;
    for (int method = 0; method < COMPRESS_METHOD_COUNT; ++method) {
        stream.resize(CompressWorstCase(method, uint32_t(size)));
        uint32_t packed = 0, unpacked = 0;
        CompressDataMem2Mem(method, data, uint32_t(size), stream.data(), &packed);
        UncompressDataMem2Mem(method, stream.data(), packed, g_output, uint32_t(size), &unpacked);
        if (unpacked != size || std::memcmp(g_output, data, size) != 0) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetFatalErrorHook(Rejected);
    if (size < 1 || size > 65536) return 0;
    uint8_t mode = data[0] % 4;
    ++data;
    --size;
    if (setjmp(g_rejected) == 0) {
        switch (mode) {
            case 0:
                DecompressDataMem(data, uint32_t(size), g_output, sizeof g_output);
                break;
            case 1:
                Wrapped(data, size);
                if (!g_block.empty())
                    DecompressDataMem(g_block.data(), uint32_t(g_block.size()), g_output, sizeof g_output);
                break;
            case 2:
                Wrapped(data, size);
                if (g_block.empty()) break;
                g_file = fmemopen(g_block.data(), g_block.size(), "rb");
                if (g_file != nullptr)
                    DecompressDataFile(g_file, uint32_t(g_block.size()), g_output, sizeof g_output);
                break;
            case 3:
                RoundTrips(data, size);
                break;
        }
    }
    if (g_file != nullptr) std::fclose(g_file);
    g_file = nullptr;
    g_block.clear();
    return 0;
}
