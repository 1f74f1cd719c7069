// Pak archives from outside: an index file and its data file, added,
// listed, and every entry read back whole.  The input is the index's
// length (4 bytes), the index, then the data file.
#include <sys/stat.h>
#include <unistd.h>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"

namespace {

std::jmp_buf g_rejected;
uint8_t g_output[1 << 20];

void Rejected(const char*) { std::longjmp(g_rejected, 1); }

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) __builtin_trap();
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
}

const std::string& Base() {
    static const std::string base = [] {
        std::string dir = "/tmp/halvorn_fuzz_pak_" + std::to_string(getpid());
        mkdir(dir.c_str(), 0700);
        return dir + "/x";
    }();
    return base;
}

void ReadEverything() {
    PakFileInit();
    PakAddFile(Base().c_str());
    PakFileAddDone();
    int slot = PakFileSearchStart("", 1 | PAK_SEARCH_SUBDIRS);
    while (const char* name = PakFileSearchNext(slot)) {
        PakFile* file = PakOpenFile(name);
        if (file->size > 0 && file->size <= sizeof g_output) PakReadWholeFile(g_output, file);
        PakCloseFile(file);
    }
    PakFileSearchEnd(slot);
    PakFileUninit();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool started = [] {
        SetFatalErrorHook(Rejected);
        InitMemory(9500);
        return true;
    }();
    (void)started;
    if (size < 4) return 0;
    size_t index_size = (data[0] | data[1] << 8 | size_t(data[2]) << 16) % (size - 3);
    WriteFile(Base() + ".pki", data + 4, index_size);
    WriteFile(Base() + ".pkd", data + 4 + index_size, size - 4 - index_size);
    if (setjmp(g_rejected) == 0) {
        ReadEverything();
    } else {
        PakFileResetForTests();
    }
    // Whatever happened, nothing may be left allocated.
    CheckMemList();
    if (MemAllocatedCount() != 0) __builtin_trap();
    return 0;
}
