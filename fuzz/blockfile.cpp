// Block files from outside: the fuzz input is read as a block file against
// a tiny descriptor list whose block sizes come from its first bytes, so
// the fuzzer reaches every check of the reader quickly.  The input is
// also read as an edited-data file by the game's own loader.
#include <sys/stat.h>
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/base/debug.h"
#include "core/records/blockfiles.h"

namespace {

void Rejected(const char*) { __builtin_trap(); }

// Each block sits in the middle of a guarded buffer: a write past its
// size changes a guard byte.
struct Guarded {
    uint8_t before[16];
    uint8_t bytes[64];
    uint8_t after[16];
};

const std::string& EditFolderFile() {
    static const std::string name = [] {
        std::string dir = "/tmp/halvorn_fuzz_block_" + std::to_string(getpid());
        std::string cmd = dir + "/Edited";
        mkdir(dir.c_str(), 0700);
        mkdir(cmd.c_str(), 0700);
        if (chdir(dir.c_str()) != 0) __builtin_trap();
        return cmd + "/5.cpf";
    }();
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetFatalErrorHook(Rejected);
    if (size < 1 || size > 4096) return 0;
    const int blocks = data[0] % 4;
    if (size < size_t(1 + blocks)) return 0;
    static Guarded buffers[3];
    DataBlockDescriptor list[4];
    for (int i = 0; i < blocks; ++i) {
        std::memset(&buffers[i], 0xA5, sizeof buffers[i]);
        list[i] = {buffers[i].bytes, uint32_t(data[1 + i] % 65)};
        if (list[i].size == 0) list[i].size = 1;
    }
    list[blocks] = {nullptr, 0};
    const uint8_t* file_bytes = data + 1 + blocks;
    const size_t file_size = size - 1 - size_t(blocks);

    std::FILE* file = fmemopen(const_cast<uint8_t*>(file_bytes), file_size, "rb");
    if (file != nullptr) {
        const int result = ReadDataBlocks(list, file, "FUZ0");
        std::fclose(file);
        if (result > blocks) __builtin_trap();
        for (int i = 0; i < blocks; ++i) {
            for (int g = 0; g < 16; ++g) {
                if (buffers[i].before[g] != 0xA5 || buffers[i].after[g] != 0xA5) __builtin_trap();
            }
            for (uint32_t b = list[i].size; b < sizeof buffers[i].bytes; ++b) {
                if (buffers[i].bytes[b] != 0xA5) __builtin_trap();
            }
        }
    }

    std::FILE* edit = std::fopen(EditFolderFile().c_str(), "wb");
    if (edit == nullptr) return 0;
    std::fwrite(file_bytes, 1, file_size, edit);
    std::fclose(edit);
    const int loaded = LoadEditedCup(5);
    if (loaded != 0 && loaded != kEditReadWriteFailed) __builtin_trap();
    return 0;
}
