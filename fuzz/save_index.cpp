// The save-game index from outside: any bytes as "SaveData/index.dat".
// A file that is not exactly an index leaves every slot free; one that is
// gives names and descriptions that are always terminated.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "game/screens/start/saveslots.h"

namespace {

std::string g_folder;

void EnterFolder() {
    if (!g_folder.empty()) return;
    char pattern[] = "/tmp/halvorn_fuzz_index_XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) __builtin_trap();
    g_folder = made;
    if (chdir(g_folder.c_str()) != 0) __builtin_trap();
    if (mkdir("SaveData", 0777) != 0) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnterFolder();
    std::FILE* file = std::fopen("SaveData/index.dat", "wb");
    if (file == nullptr) __builtin_trap();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) __builtin_trap();
    std::fclose(file);
    const int result = LoadGameIndex();
    for (int slot = 0; slot < kSaveSlots; ++slot) {
        if (strnlen(SaveSlotNames[slot], kSlotNameSize) == kSlotNameSize) __builtin_trap();
        if (strnlen(SaveSlotDescriptions[slot], kSlotDescriptionSize) == kSlotDescriptionSize)
            __builtin_trap();
        if (result != 0 && (SaveSlotFlags[slot] != 0 || SaveSlotNames[slot][0] != '\0')) __builtin_trap();
        if (SaveSlotFlags[slot] > 1) __builtin_trap();
    }
    if (result == 0 && size != kSaveIndexFileSize) __builtin_trap();
    return 0;
}
