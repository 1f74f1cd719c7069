// The motion clips every figure of a match is posed from: 352 clips loaded
// from the pak archive when a match's data is prepared (shown or not) and
// freed when it is released.  What was unpacked is kept for the next load
// while the same file table stands.  The match engine steps figures through them
// by their frame counts and moves figures by their root positions; the 3D
// display turns their bone words into bone rotations.
//
// A clip file: u32 data size (= frames x 100), u32 frame count, then the
// frames.  A frame, 100 bytes: reference point (3 x f32, y up; the pelvis,
// whose x and z give the root path), held-ball point (3 x f32), 18 bone
// words in the figure's bone order (three 10-bit angles about x, y and z,
// value x pi / 512), 4 unused bytes.  Units are model units (metres).
#pragma once
#include <cstdint>
#include <span>

constexpr int kMotionClipCount = 352;
constexpr uint32_t kMotionFrameSize = 100;
constexpr uint32_t kMotionHeaderSize = 8;
constexpr int kMotionBoneCount = 18;
constexpr const char* kMotionPathFormat = "ZUDATA\\COMMON\\SSKIN\\MOT2001\\%s.MOT";

// Byte offsets inside a frame record.
constexpr uint32_t kMotionFrameReference = 0;
constexpr uint32_t kMotionFrameHeldBall = 12;
constexpr uint32_t kMotionFrameBones = 24;

// One loaded clip: its frame records (a tracked block) and frame count,
// and the root's travel from each frame to the next (x and z pairs, a
// tracked block made when the clip is loaded; null for a clip filled by
// hand, whose steps are then read from its frames).
struct MotionClip {
    uint8_t* frames;
    uint32_t frameCount;
    float* rootSteps = nullptr;
};

// The clip table: null until Motion_LoadAll, kMotionClipCount entries after.
extern MotionClip* MotionClips;

// A frame record decoded.
struct MotionFrame {
    float reference[3];
    float heldBall[3];
    uint32_t bones[kMotionBoneCount];
};

// The file name of a clip ("VLK068" for clip 65), or null outside 0..351.
const char* Motion_ClipName(int clip);

void Motion_LoadAll();
// Frees every clip and the table; harmless when nothing is loaded.
void Motion_FreeAll();
// The clip's frame count; 0 for a clip outside 0..351, before loading, or
// for an empty clip, so that callers treat it as ended at once.  Inline,
// as the root step below: the tick asks for them for every moving figure.
inline uint32_t Motion_GetFrameCount(int32_t clip) {
    if (MotionClips == nullptr || clip < 0 || clip >= kMotionClipCount) return 0;
    return MotionClips[clip].frameCount;
}
// Decodes one frame; false (out untouched) when the clip or frame is not
// there.
bool Motion_GetFrame(int32_t clip, int32_t frame, MotionFrame* out);
// Only the root reference point of a frame (x, height, z): the match's
// root motion reads nothing else, and the tick asks for it for every
// moving player.
bool Motion_GetFrameReference(int32_t clip, int32_t frame, float* reference);
// The root step of a clip filled by hand, read from its frames.
void Motion_RootStepOfFrames(const MotionClip& entry, int32_t frame, float* dx, float* dz);
// The root's travel from the frame to the next one: the reference point's x
// and z of the frame less those of the next.  False (outputs untouched)
// unless both frames are there.
inline bool Motion_GetRootStep(int32_t clip, int32_t frame, float* dx, float* dz) {
    if (MotionClips == nullptr || clip < 0 || clip >= kMotionClipCount) return false;
    const MotionClip& entry = MotionClips[clip];
    if (frame < 0 || uint32_t(frame) + 1 >= entry.frameCount) return false;
    if (entry.rootSteps == nullptr) {
        Motion_RootStepOfFrames(entry, frame, dx, dz);
    } else {
        *dx = entry.rootSteps[2 * frame];
        *dz = entry.rootSteps[2 * frame + 1];
    }
    return true;
}

// Checks a whole clip file's bytes; the fatal messages name the path.
// Returns the frame count; the frame records follow the 8-byte header.
uint32_t Motion_CheckClipFile(const char* path, std::span<const uint8_t> file);

// Where a held ball sits relative to a figure playing the clip frame with
// the given display facing (0..255): the held-ball point less the reference
// point, in pitch units (20 to the model unit), turned by the facing.
// Results x and y on the pitch and the height; false (results untouched)
// when the clip frame is not loaded.
bool Replay_HeldBallOffset(int32_t clip, int32_t frame, uint16_t facing, float* offsetX, float* offsetY,
                           float* height);
// The same for a match figure's shown clip, frame and facing; false for a
// figure outside the table or with no clip frame.
bool Replay_HeldBallOffset(int16_t figure, float* offsetX, float* offsetY, float* height);

// Bone word packing: three 10-bit angle steps (0..1023 for 0..2 pi).
constexpr uint32_t MotionPackBone(uint32_t ax, uint32_t ay, uint32_t az) {
    return (ax & 1023u) | ((ay & 1023u) << 10) | ((az & 1023u) << 20);
}
// The three angles of a bone word in radians.
void MotionBoneAngles(uint32_t word, float* ax, float* ay, float* az);
