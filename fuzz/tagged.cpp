// Tagged data files from outside, read against a replay-like table (a
// fixed header item, a body sized from the header by a callback, an
// optional item): the input as the item stream of a plain file, as a whole
// file with only the plain body reachable, and as a stream compressed by
// one of the methods under a header whose lengths the input may disturb.
// Every refusal must come back as a result code, never as a fatal stop.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/compress.h"
#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "core/records/taggedfiles.h"

namespace {

void Rejected(const char*) { __builtin_trap(); }

struct Header {
    uint32_t frames;
    uint32_t extra;
};
Header g_header;
uint8_t g_body[484 * 4];
uint8_t g_info[24];

int Body(NewDiskMessage* m) {
    if (m->type != kNewDiskSize) return 0;
    // The body holds at most four frames; a header naming more asks for
    // what the buffer cannot take, which the callback refuses.
    if (g_header.frames > 4) return -99;
    m->size = g_header.frames * 484;
    return m->size != 0 ? 1 : -98;
}

const NewDiskItem kTable[] = {
    {"RepHdr", &g_header, sizeof g_header, 0, 0, 0, nullptr},
    {"RepBody", g_body, 0, 0, 0, 0, Body},
    {{'E', 'n', 't', 'r', 'I', 'n', 'f', 'o'}, g_info, sizeof g_info, 0, kNewDiskOptional, 0, nullptr},
    {},
};

const std::string& FileName() {
    static const std::string name = "/tmp/halvorn_fuzz_tagged_" + std::to_string(getpid());
    return name;
}

void Write(const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(FileName().c_str(), "wb");
    if (f == nullptr) __builtin_trap();
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::vector<uint8_t> Header32(uint32_t plain, uint32_t compressed, uint32_t stored, uint32_t unpacked) {
    std::vector<uint8_t> h(32, 0);
    std::memcpy(h.data(), "NEWDATA1", 8);
    recbits::StoreU32(h.data() + 8, plain);
    recbits::StoreU32(h.data() + 12, compressed);
    recbits::StoreU32(h.data() + 16, stored);
    recbits::StoreU32(h.data() + 20, unpacked);
    return h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool started = [] {
        SetFatalErrorHook(Rejected);
        InitMemory(8192);
        return true;
    }();
    (void)started;
    if (size < 2 || size > 8192) return 0;
    const int mode = data[0] % 3;
    const uint8_t tweak = data[1];
    const std::vector<uint8_t> input(data + 2, data + size);
    std::vector<uint8_t> file;
    if (mode == 0) {
        file = Header32(32, 0, 0, 0);
        file.insert(file.end(), input.begin(), input.end());
    } else if (mode == 1) {
        file = input;
        if (file.size() >= 16) std::memset(file.data() + 12, 0, 4);  // no compressed body
    } else {
        uint8_t* stream = nullptr;
        AllocateMemory(&stream, uint32_t(input.size() + 1), MEM_TYPE_MANUAL_FREE);
        // An empty input has no bytes (and data() may be null).
        if (!input.empty()) std::memcpy(stream, input.data(), input.size());
        uint8_t* packed = nullptr;
        uint32_t packed_size = 0;
        CompressData(tweak % COMPRESS_METHOD_COUNT, &stream, uint32_t(input.size()), &packed, &packed_size);
        uint32_t stored = packed_size, unpacked = uint32_t(input.size());
        if (tweak & 0x40) stored += tweak & 7;
        if (tweak & 0x80) unpacked ^= tweak & 0x3F;
        file = Header32(0, 32, stored, unpacked);
        file.insert(file.end(), packed, packed + packed_size);
        FreeMemory(&packed);
        FreeMemory(&stream);
    }
    Write(file);
    NewDisk_Load(FileName().c_str(), kTable, 0);
    if (MemAllocatedCount() != 0) __builtin_trap();
    return 0;
}
