#include "core/match/motion.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/base/angles.h"
#include "core/base/bytes.h"
#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchfigure.h"

MotionClip* MotionClips = nullptr;

namespace {

// The clip names run mostly in numbered ranges ("VLK005" to "VLK065"); the
// others stand alone.  Clip numbers follow this list, not the numbers in
// the names.
struct NameRange {
    int16_t firstClip;
    int16_t lastClip;
    int16_t firstNumber;    // of a numbered range
    const char* fixedName;  // of a single clip, else null
};

// clang-format off
constexpr NameRange kNameRanges[] = {
    {0, 2, 1, nullptr},       {3, 3, 0, "VLK04"},        {4, 64, 5, nullptr},
    {65, 65, 0, "VLK068"},    {66, 66, 0, "VLK067"},     {67, 71, 69, nullptr},
    {72, 74, 75, nullptr},    {75, 81, 79, nullptr},     {82, 84, 87, nullptr},
    {85, 85, 0, "VLK08A"},    {86, 97, 90, nullptr},     {98, 98, 0, "VLK102A"},
    {99, 99, 0, "VLK102B"},   {100, 117, 103, nullptr},  {118, 126, 122, nullptr},
    {127, 127, 0, "VLK131A"}, {128, 128, 0, "VLK131B"},  {129, 136, 132, nullptr},
    {137, 176, 144, nullptr}, {177, 185, 185, nullptr},  {186, 195, 195, nullptr},
    {196, 198, 206, nullptr}, {199, 213, 211, nullptr},  {214, 214, 0, "VLK227"},
    {215, 219, 231, nullptr}, {220, 231, 237, nullptr},  {232, 232, 0, "VLK248A"},
    {233, 248, 249, nullptr}, {249, 249, 0, "vlk265a"},  {250, 254, 266, nullptr},
    {255, 255, 0, "vlk271a"}, {256, 256, 0, "vlk271b"},  {257, 269, 272, nullptr},
    {270, 291, 287, nullptr}, {292, 292, 0, "VLK308B"},  {293, 293, 0, "VLK308C"},
    {294, 297, 309, nullptr}, {298, 298, 0, "VLK313A"},  {299, 299, 0, "VLK313B"},
    {300, 300, 0, "VLK313C"}, {301, 312, 314, nullptr},  {313, 351, 327, nullptr},
};
// clang-format on

constexpr int kNameSize = 12;  // "VLK102A" and its terminator, with room to spare

// The names, built once from the ranges.
const char (*ClipNames())[kNameSize] {
    static char names[kMotionClipCount][kNameSize] = {};
    static bool built = false;
    if (!built) {
        for (const NameRange& range : kNameRanges) {
            for (int clip = range.firstClip; clip <= range.lastClip; ++clip) {
                if (range.fixedName != nullptr) {
                    std::snprintf(names[clip], kNameSize, "%s", range.fixedName);
                } else {
                    std::snprintf(names[clip], kNameSize, "VLK%03d",
                                  range.firstNumber + (clip - range.firstClip));
                }
            }
        }
        built = true;
    }
    return names;
}

const MotionClip* LoadedClip(int32_t clip) {
    if (MotionClips == nullptr || clip < 0 || clip >= kMotionClipCount) return nullptr;
    return &MotionClips[clip];
}

float LoadF32(const uint8_t* p) {
    float v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// One clip as unpacked: its frame records and its root steps.
struct ClipData {
    std::vector<uint8_t> frames;
    std::vector<float> rootSteps;
    uint32_t frameCount = 0;
};

// The clips unpacked by the last load, kept for the next while the file
// table they were read from stands: unpacking all of them costs as much as
// a few hundred ticks of the match, and every match loads them.  Clips read
// from loose files are read again every time, as those may change on disk.
struct KeptClips {
    uint32_t table = 0;  // PakTableGeneration() of the load, 0 for none
    std::vector<ClipData> clips;
};
KeptClips& Kept() {
    static KeptClips kept;
    return kept;
}

// Reads and checks one clip file; `loose` tells whether it came from disk
// rather than from a packed archive.  Out of line: inlined in the load's
// loop, the compiler sizes the clip's name by the whole name table and
// warns of a path that cannot be.
[[gnu::noinline]] ClipData ReadClip(int clip, bool* loose) {
    char path[80];
    std::snprintf(path, sizeof path, kMotionPathFormat, Motion_ClipName(clip));
    PakFile* handle = PakOpenFile(path);
    *loose = (handle->flags & PAK_FLAG_LOOSE) != 0;
    uint8_t* file = nullptr;
    AllocateMemory(&file, handle->size, MEM_TYPE_MANUAL_FREE);
    const uint32_t size = PakReadWholeFile(file, handle);
    PakCloseFile(handle);
    ClipData data;
    data.frameCount = Motion_CheckClipFile(path, std::span<const uint8_t>(file, size));
    if (data.frameCount > 0) {
        const uint8_t* records = file + kMotionHeaderSize;
        data.frames.assign(records, records + size_t(data.frameCount) * kMotionFrameSize);
        // The root steps, which the match reads every tick for every
        // moving figure, side by side instead of a frame record apart.
        data.rootSteps.assign(size_t(data.frameCount) * 2, 0.0f);
        for (uint32_t frame = 0; frame + 1 < data.frameCount; ++frame) {
            const uint8_t* here = records + size_t(frame) * kMotionFrameSize + kMotionFrameReference;
            const uint8_t* next = here + kMotionFrameSize;
            data.rootSteps[2 * frame] = LoadF32(here) - LoadF32(next);
            data.rootSteps[2 * frame + 1] = LoadF32(here + 8) - LoadF32(next + 8);
        }
    }
    FreeMemory(&file);
    return data;
}

// The table entry's own managed copies of a clip's data.
void FillClip(MotionClip& entry, const ClipData& data) {
    entry.frameCount = data.frameCount;
    if (data.frameCount == 0) return;
    const uint32_t framesSize = uint32_t(data.frames.size());
    AllocateMemory(&entry.frames, framesSize, MEM_TYPE_MANUAL_FREE);
    std::memcpy(entry.frames, data.frames.data(), framesSize);
    const uint32_t stepsSize = uint32_t(data.rootSteps.size() * sizeof(float));
    AllocateMemory(&entry.rootSteps, stepsSize, MEM_TYPE_MANUAL_FREE);
    std::memcpy(entry.rootSteps, data.rootSteps.data(), stepsSize);
}

}  // namespace

const char* Motion_ClipName(int clip) {
    if (clip < 0 || clip >= kMotionClipCount) return nullptr;
    return ClipNames()[clip];
}

uint32_t Motion_CheckClipFile(const char* path, std::span<const uint8_t> file) {
    // A file too short for its header can only be short of the header itself.
    if (file.size() < kMotionHeaderSize) {
        FatalError("Error: Motion capture file %s wrong size need=%d got=%d\n", path, int(kMotionHeaderSize),
                   int(file.size()));
    }
    const uint32_t dataSize = recbits::LoadU32(file.data());
    const uint32_t frameCount = recbits::LoadU32(file.data() + 4);
    // Sizes are compared in 64 bits so that a huge header cannot wrap round
    // to the file's size.
    const uint64_t need = uint64_t(dataSize) + kMotionHeaderSize;
    if (need != file.size()) {
        FatalError("Error: Motion capture file %s wrong size need=%d got=%d\n", path, int(need),
                   int(file.size()));
    }
    const uint64_t framesSize = uint64_t(frameCount) * kMotionFrameSize;
    if (framesSize != dataSize) {
        FatalError("Error: for %d frames, data size should be %d, but was %d\n", int(frameCount),
                   int(framesSize), int(dataSize));
    }
    return frameCount;
}

void Motion_LoadAll() {
    if (MotionClips != nullptr) Motion_FreeAll();
    AllocateMemory(&MotionClips, kMotionClipCount * sizeof(MotionClip), MEM_TYPE_MANUAL_NO_MOVE);
    for (int clip = 0; clip < kMotionClipCount; ++clip) MotionClips[clip] = MotionClip{nullptr, 0, nullptr};
    KeptClips& kept = Kept();
    const uint32_t table = PakTableGeneration();
    if (table != 0 && kept.table == table) {
        CorePoll();
        for (int clip = 0; clip < kMotionClipCount; ++clip) FillClip(MotionClips[clip], kept.clips[clip]);
        return;
    }
    // Nothing is kept until every clip has been read (a bad clip ends the
    // load half way).
    kept.table = 0;
    kept.clips.resize(kMotionClipCount);
    bool allPacked = true;
    for (int clip = 0; clip < kMotionClipCount; ++clip) {
        CorePoll();  // one poll per file keeps the window responsive
        bool loose = false;
        ClipData data = ReadClip(clip, &loose);
        FillClip(MotionClips[clip], data);
        allPacked = allPacked && !loose;
        kept.clips[clip] = std::move(data);
    }
    if (allPacked) kept.table = table;
}

void Motion_FreeAll() {
    if (MotionClips == nullptr) return;
    for (int clip = 0; clip < kMotionClipCount; ++clip) {
        MotionClip& entry = MotionClips[clip];
        if (entry.frames != nullptr) FreeMemory(&entry.frames);
        if (entry.rootSteps != nullptr) FreeMemory(&entry.rootSteps);
        entry.frameCount = 0;
    }
    FreeMemory(&MotionClips);
}

bool Motion_GetFrame(int32_t clip, int32_t frame, MotionFrame* out) {
    const MotionClip* entry = LoadedClip(clip);
    if (entry == nullptr || frame < 0 || uint32_t(frame) >= entry->frameCount) return false;
    const uint8_t* record = entry->frames + size_t(frame) * kMotionFrameSize;
    for (int i = 0; i < 3; ++i) {
        out->reference[i] = LoadF32(record + kMotionFrameReference + 4 * i);
        out->heldBall[i] = LoadF32(record + kMotionFrameHeldBall + 4 * i);
    }
    for (int bone = 0; bone < kMotionBoneCount; ++bone) {
        out->bones[bone] = recbits::LoadU32(record + kMotionFrameBones + 4 * bone);
    }
    return true;
}

bool Motion_GetFrameReference(int32_t clip, int32_t frame, float* reference) {
    const MotionClip* entry = LoadedClip(clip);
    if (entry == nullptr || frame < 0 || uint32_t(frame) >= entry->frameCount) return false;
    const uint8_t* record = entry->frames + size_t(frame) * kMotionFrameSize;
    for (int i = 0; i < 3; ++i) reference[i] = LoadF32(record + kMotionFrameReference + 4 * i);
    return true;
}

void Motion_RootStepOfFrames(const MotionClip& entry, int32_t frame, float* dx, float* dz) {
    const uint8_t* here = entry.frames + size_t(frame) * kMotionFrameSize + kMotionFrameReference;
    const uint8_t* next = here + kMotionFrameSize;
    *dx = LoadF32(here) - LoadF32(next);
    *dz = LoadF32(here + 8) - LoadF32(next + 8);
}

bool Replay_HeldBallOffset(int32_t clip, int32_t frame, uint16_t facing, float* offsetX, float* offsetY,
                           float* height) {
    MotionFrame f;
    if (!Motion_GetFrame(clip, frame, &f)) return false;
    const float a = (f.heldBall[0] - f.reference[0]) * 20.0f;
    const float c = (f.heldBall[2] - f.reference[2]) * 20.0f;
    const float theta = -float(facing) * kPiF / 128.0f;
    const float cosTheta = std::cos(theta);
    const float sinTheta = std::sin(theta);
    *offsetX = c * cosTheta + a * sinTheta;
    *offsetY = a * cosTheta - c * sinTheta;
    *height = f.heldBall[1] * 20.0f;
    return true;
}

bool Replay_HeldBallOffset(int16_t figure, float* offsetX, float* offsetY, float* height) {
    if (figure < 0 || figure >= kMatchFigureCount) return false;
    const MatchFigure& f = MatchFigures[figure];
    return Replay_HeldBallOffset(f.anim, f.shownFrame, f.shownFacing, offsetX, offsetY, height);
}

void MotionBoneAngles(uint32_t word, float* ax, float* ay, float* az) {
    constexpr float kStep = kPiF / 512.0f;
    *ax = float(word & 1023u) * kStep;
    *ay = float((word >> 10) & 1023u) * kStep;
    *az = float((word >> 20) & 1023u) * kStep;
}
