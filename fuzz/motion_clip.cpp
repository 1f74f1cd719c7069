// Motion clip files from outside: the size checks and the copy of the
// frames, then every frame read back through the clip table as the match
// and the display read it.  A bad file must end in the loader's fatal
// messages (caught here), never in a read outside the file.
#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <span>

#include "core/base/debug.h"
#include "core/base/trackedmemory.h"
#include "core/match/motion.h"

namespace {

std::jmp_buf g_rejected;

void Rejected(const char*) { std::longjmp(g_rejected, 1); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = false;
    if (!ready) {
        InitMemory(64 * 1024);
        ready = true;
    }
    SetFatalErrorHook(Rejected);
    if (setjmp(g_rejected) == 0) {
        const uint32_t frames = Motion_CheckClipFile("FUZZ.MOT", std::span<const uint8_t>(data, size));
        // Copy the frames the way the loader does and read each one back.
        MotionClip clip{nullptr, frames};
        if (frames > 0) {
            AllocateMemory(&clip.frames, frames * kMotionFrameSize, MEM_TYPE_MANUAL_FREE);
            std::memcpy(clip.frames, data + kMotionHeaderSize, size_t(frames) * kMotionFrameSize);
        }
        MotionClip* table = MotionClips;
        MotionClip entries[kMotionClipCount] = {};
        entries[0] = clip;
        MotionClips = entries;
        MotionFrame frame;
        float x, y, h;
        for (uint32_t f = 0; f <= frames && f < 4096; ++f) {
            Motion_GetFrame(0, int32_t(f), &frame);
            Replay_HeldBallOffset(0, int32_t(f), uint16_t(f), &x, &y, &h);
        }
        MotionClips = table;
        if (clip.frames != nullptr) FreeMemory(&clip.frames);
    }
    SetFatalErrorHook(nullptr);
    return 0;
}
