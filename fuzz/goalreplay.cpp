// Goal replay files from outside: the input becomes a goal file, either
// whole or as the three items with the input's header words, frames and
// match block (and sizes it may disturb), which is then loaded as the
// saved-goals screens load it and played back over every frame.  Every
// refusal must come back as a result, never as a fatal stop.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchsetup.h"
#include "core/match/replay.h"
#include "core/records/taggedfiles.h"

namespace {

void Rejected(const char*) { __builtin_trap(); }

constexpr const char* kName = "fuzz goal.dhf";

void Item(std::vector<uint8_t>& file, const char* name, const std::vector<uint8_t>& bytes, uint32_t size) {
    uint8_t header[12] = {};
    std::memcpy(header, name, std::strlen(name));
    recbits::StoreU32(header + 8, size);
    file.insert(file.end(), header, header + 12);
    file.insert(file.end(), bytes.begin(), bytes.end());
}

// The three items of a goal file from the input: 16 header bytes, then the
// frames (repeated over the ring) and the match block.
std::vector<uint8_t> Structured(const uint8_t* data, size_t size, uint8_t tweak) {
    std::vector<uint8_t> header(16, 0);
    std::memcpy(header.data(), data, size < 16 ? size : 16);
    std::vector<uint8_t> body(kReplayCapacity * kReplayFrameSize, 0);
    std::vector<uint8_t> info(sizeof(EnterGameInfo), 0xFF);
    if (size > 16) {
        for (size_t i = 0; i < body.size(); ++i) body[i] = data[16 + i % (size - 16)];
        for (size_t i = 0; i < info.size() && 16 + i < size; ++i) info[i] = data[16 + i];
    }
    std::vector<uint8_t> file(32, 0);
    std::memcpy(file.data(), "NEWDATA1", 8);
    recbits::StoreU32(file.data() + 8, 32);
    Item(file, "RepHdr", header, (tweak & 1) ? 12 : 16);
    Item(file, "RepBody", body, uint32_t(body.size()) - ((tweak & 2) ? 484 : 0));
    Item(file, "EntrInfo", info, uint32_t(info.size()));
    Item(file, "*ENDEND*", {}, 0);
    if (tweak & 4) file.resize(file.size() - (tweak >> 3));
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool started = [] {
        SetFatalErrorHook(Rejected);
        InitMemory(8192);
        const std::string dir = "/tmp/halvorn_fuzz_goal_" + std::to_string(getpid());
        std::filesystem::create_directories(dir + "/SaveData/GOALS");
        std::filesystem::current_path(dir);
        Replay_AllocBuffer();
        return true;
    }();
    (void)started;
    if (size < 1 || size > 16384) return 0;
    const uint8_t mode = data[0];
    std::vector<uint8_t> file =
        (mode & 0x80) ? std::vector<uint8_t>(data + 1, data + size) : Structured(data + 1, size - 1, mode);
    std::FILE* f = std::fopen((std::string("SaveData/GOALS/") + kName).c_str(), "wb");
    if (f == nullptr) __builtin_trap();
    if (!file.empty()) std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);

    Replay_LoadGoalInfo(kName);
    if (ReplayLoadTheRest() == 0) {
        for (uint32_t age = 0; age < Replay.recorded; age += 7) {
            Replay.position = float(age) + 0.5f;
            Replay_UpdateDisplay();
        }
    }
    return 0;
}
