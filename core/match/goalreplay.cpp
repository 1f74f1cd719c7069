// Goal replay files: the ring and the match set-up block of a goal, saved
// as a tagged data file 100 ticks after the goal and loaded back by the
// saved-goals screens.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/base/pakfile.h"
#include "core/match/matchclock.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/periodrunner.h"
#include "core/match/replay.h"
#include "core/records/taggedfiles.h"

uint16_t SavedGoalCount;
int16_t GoalReplayNumber = -1;

namespace {

constexpr const char* kGoalDirectory = "SaveData\\GOALS\\";
constexpr size_t kMaxGoalNameLength = 255;
// Counts 1..25 are the letters 'B'..'Z' after a space, as the file list
// has always shown them.  From 26 on the letter would run into '[', '\'
// and bytes no file name should hold: those goals are named "Z" and the
// count in three digits, with no leading space.  Lower-cased and sorted,
// as the goal file list does, every such name comes after the single
// letters (a space sorts first) and in count order among themselves, and
// even a 99-99 score at minute 120 stays under the list's 30 bytes.
constexpr int kLetterNamedGoals = 25;
constexpr int32_t kLongestMinute = 999;

constexpr int kPeriodStart[5] = {0, 45, 90, 105, 120};
constexpr int kPeriodLength[5] = {45, 45, 15, 15, 0};

ReplayHeader g_header;
EnterGameInfo g_loadedInfo;
// The full path of the last goal file named, for ReplayLoadTheRest.
std::string g_lastPath;

int BodyItem(NewDiskMessage* message) {
    switch (message->type) {
        case kNewDiskAddress:
            message->address = Replay.frames;
            return message->address != nullptr ? int(kNewDiskAnswered) : int(kNewDiskNoValue);
        case kNewDiskSize:
            message->size = Replay.capacity * kReplayFrameSize;
            return kNewDiskAnswered;
        default:
            return kNewDiskDeclined;
    }
}

// Saving writes the running match's block; loading fills a copy first, so
// that a damaged file leaves the match's block as it was.
int SavedInfoItem(NewDiskMessage* message) {
    switch (message->type) {
        case kNewDiskAddress:
            message->address = GameInfo.bytes;
            return kNewDiskAnswered;
        case kNewDiskSize:
            message->size = sizeof GameInfo.bytes;
            return kNewDiskAnswered;
        default:
            return kNewDiskDeclined;
    }
}

int LoadedInfoItem(NewDiskMessage* message) {
    switch (message->type) {
        case kNewDiskAddress:
            message->address = g_loadedInfo.bytes;
            return kNewDiskAnswered;
        case kNewDiskSize:
            message->size = sizeof g_loadedInfo.bytes;
            return kNewDiskAnswered;
        default:
            return kNewDiskDeclined;
    }
}

NewDiskItem Item(const char* name, void* address, uint32_t size, NewDiskCallback callback) {
    NewDiskItem item{};
    std::memcpy(item.name, name, strnlen(name, sizeof item.name));
    item.address = address;
    item.size = size;
    item.callback = callback;
    return item;
}

bool MakeGoalDirectory() {
    std::error_code error;
    std::filesystem::create_directories(HostPath(kGoalDirectory), error);
    return !error;
}

// A header that does not describe a ring of this buffer.
const char* HeaderFault(const ReplayHeader& header) {
    if (header.capacity != kReplayCapacity) return "capacity";
    if (header.recorded > kReplayCapacity) return "frame count";
    if (header.recorded == 0 ? header.ringStart != 0 : header.ringStart >= header.recorded)
        return "ring start";
    const float newest = header.recorded > 0 ? float(header.recorded - 1) : 0.0f;
    if (!(header.position >= 0.0f && header.position <= newest)) return "position";
    return nullptr;
}

void EmptyRing() {
    Replay.recorded = 0;
    Replay.ringStart = 0;
    Replay.position = 0.0f;
}

}  // namespace

int32_t Replay_GoalMinute(int period, uint32_t clock, uint32_t clockLimit) {
    if (period < 0) period = 0;
    if (period > 4) period = 4;
    const int64_t start = kPeriodStart[period];
    // The shoot-out's length is 0, and a clock not yet set has no limit:
    // both give the period's start.
    if (clockLimit == 0) return int32_t(start);
    const int64_t seconds = start * 60 + int64_t(kPeriodLength[period]) * clock * 60 / clockLimit;
    return int32_t(seconds / 60);
}

bool Replay_GoalFileName(int count, int goals0, int goals1, int minute, char* out, int outSize) {
    if (count < 1 || count > kMaxSavedGoals || out == nullptr || outSize <= 0) return false;
    int written = 0;
    if (count <= kLetterNamedGoals) {
        written = std::snprintf(out, size_t(outSize), " %c GOAL %d-%d (%d min).dhf", char('A' + count),
                                goals0, goals1, minute);
    } else {
        written = std::snprintf(out, size_t(outSize), "Z%03d GOAL %d-%d (%d min).dhf", count, goals0, goals1,
                                minute);
    }
    return written > 0 && written < outSize;
}

void Replay_SaveGoal() {
    // Only the user's shown matches save goals: the computer matches of his
    // division run the same countdown without display.
    if (DisplayModeFlags & kDisplayOff) return;
    if (Replay.frames == nullptr) return;
    // A clock run far past its limit must not make a name too long for the
    // goal file list.
    const int32_t minute = std::min(Replay_GoalMinute(Period, PeriodClock, PeriodLength), kLongestMinute);
    if (SavedGoalCount > kMaxSavedGoals - 1) return;
    MakeGoalDirectory();
    ++SavedGoalCount;
    char name[64];
    Replay_GoalFileName(SavedGoalCount, Goals[0], Goals[1], minute, name, sizeof name);
    const std::string path = std::string(kGoalDirectory) + name;

    g_header = ReplayHeader{Replay.capacity, Replay.recorded, Replay.ringStart, Replay.position};
    const NewDiskItem table[] = {
        Item("RepHdr", &g_header, sizeof g_header, nullptr),
        Item("RepBody", nullptr, 0, BodyItem),
        Item("EntrInfo", nullptr, 0, SavedInfoItem),
        NewDiskItem{},
    };
    if (NewDisk_Save(path.c_str(), table, 0) < 0) {
        // This warning's text stands as it is, with no routine name in front.
        std::printf("Warning: Failed to save replay to '%s'\n", path.c_str());
        return;
    }
}

int Replay_LoadGoalInfo(const char* name) {
    if (name == nullptr || std::strlen(name) > kMaxGoalNameLength) return -1;
    g_lastPath = std::string(kGoalDirectory) + name;
    const NewDiskItem table[] = {
        Item("EntrInfo", nullptr, 0, LoadedInfoItem),
        NewDiskItem{},
    };
    const int result = NewDisk_Load(g_lastPath.c_str(), table, 0);
    if (result < 0) {
        std::printf("Replay_LoadGoalInfo(): Error: cannot load the match of '%s' (%d)\n", g_lastPath.c_str(),
                    result);
        return result;
    }
    GameInfo = g_loadedInfo;
    return 0;
}

// A goal file removed or damaged since the list was read does not end the
// program (and with it the game being played, unsaved): the failure is
// logged, the ring is left empty and the caller shows nothing of it.
int ReplayLoadTheRest() {
    if (Replay.frames == nullptr || Replay.capacity != kReplayCapacity || g_lastPath.empty()) {
        std::printf("ReplayLoadTheRest(): Error: failed to load replay (no replay buffer or file)\n");
        return -1;
    }
    EmptyRing();
    const NewDiskItem table[] = {
        Item("RepHdr", &g_header, sizeof g_header, nullptr),
        Item("RepBody", nullptr, 0, BodyItem),
        NewDiskItem{},
    };
    const int result = NewDisk_Load(g_lastPath.c_str(), table, 0);
    if (result < 0) {
        std::printf("ReplayLoadTheRest(): Error: failed to load replay '%s' (%d)\n", g_lastPath.c_str(),
                    result);
        EmptyRing();
        return result;
    }
    if (const char* fault = HeaderFault(g_header)) {
        std::printf("ReplayLoadTheRest(): Error: damaged replay '%s' (%s)\n", g_lastPath.c_str(), fault);
        EmptyRing();
        return -2;
    }
    Replay.recorded = g_header.recorded;
    Replay.ringStart = g_header.ringStart;
    Replay.position = g_header.position;
    return 0;
}
