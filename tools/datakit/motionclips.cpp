#include "tools/datakit/motionclips.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/base/angles.h"
#include "core/base/bytes.h"
#include "core/match/motion.h"
#include "tools/datakit/models.h"
#include "tools/datakit/motionposes.h"
#include "tools/datakit/stage.h"

namespace datakit {
namespace {

using enum MotionKind;

constexpr MotionClipRow kCatalogue[] = {
#define MOTION_CLIP(clip, name, kind, style, side, frames, path, speed, from, to, holdFrom, holdTo, what) \
    {clip, name, kind, style, side, frames, RootPath::path, speed, from, to, holdFrom, holdTo, what},
#include "data/motionclips.inc"
#undef MOTION_CLIP
};
static_assert(std::size(kCatalogue) == kMotionClipCount);

constexpr MotionTimingRow kTiming[] = {
#define MOTION_LOOP(clip, who) {clip, -1, true, who},
#define MOTION_FRAME(clip, frame, who) {clip, frame, false, who},
#include "data/motiontiming.inc"
#undef MOTION_LOOP
#undef MOTION_FRAME
};

constexpr float kAngleStep = kPiF / 512.0f;
// Offset of a hand's middle from its joint, at rest.
constexpr float kHandCentreDrop = 0.055f;

// The standard figure's solid points, by bone, at rest.
struct RestPoint {
    uint16_t bone;
    Vector position;
};

const std::vector<RestPoint>& RestPoints() {
    static const std::vector<RestPoint> points = [] {
        std::vector<RestPoint> out;
        const XyzModel figure = MakeFigure();
        for (size_t i = FIGURE_BONE_COUNT; i < figure.points.size(); ++i) {
            const XyzPoint& p = figure.points[i];
            out.push_back({p.bone, Vector{p.position.x, p.position.y, p.position.z}});
        }
        return out;
    }();
    return points;
}

Vector Joint(int bone) {
    const XyzVec& j = FigureBones()[bone].joint;
    return Vector{j.x, j.y, j.z};
}

Vector Turned(Vector v, const Matrix& m) {
    Vector out;
    VectorTransform(&out, &v, 0.0f, &m);
    return out;
}

Vector Plus(Vector a, Vector b) { return Vector{a.x + b.x, a.y + b.y, a.z + b.z}; }
Vector Minus(Vector a, Vector b) { return Vector{a.x - b.x, a.y - b.y, a.z - b.z}; }

std::array<Matrix, 19> DecodedMatrices(const std::array<uint32_t, 18>& bones) {
    std::array<Matrix, 19> m;
    MatrixIdentity(&m[0]);
    for (int b = 1; b <= FIGURE_BONE_COUNT; ++b) {
        float ax, ay, az;
        MotionBoneAngles(bones[b - 1], &ax, &ay, &az);
        MatrixRotateXYZ(&m[b], ax, ay, az);
    }
    return m;
}

std::array<Vector, 19> JointsOf(const std::array<Matrix, 19>& m) {
    std::array<Vector, 19> joints{};
    for (int b = 2; b <= FIGURE_BONE_COUNT; ++b) {
        const int parent = FigureBones()[b].parent;
        joints[b] = Plus(joints[parent], Turned(Minus(Joint(b), Joint(parent)), m[parent]));
    }
    return joints;
}

float LowestPoint(const std::array<Matrix, 19>& m, const std::array<Vector, 19>& joints) {
    float lowest = 0.0f;
    for (const RestPoint& p : RestPoints()) {
        const Vector posed = Plus(joints[p.bone], Turned(Minus(p.position, Joint(p.bone)), m[p.bone]));
        lowest = std::min(lowest, posed.y);
    }
    return lowest;
}

Vector HandCentre(const std::array<Matrix, 19>& m, const std::array<Vector, 19>& joints, int hand) {
    return Plus(joints[hand], Turned(Vector{0.0f, -kHandCentreDrop, 0.0f}, m[hand]));
}

// The three angle steps MatrixRotateXYZ rebuilds a rotation from.
uint32_t EncodeRotation(const Matrix& rotation) {
    Matrix m = rotation;
    m.m[0][2] = std::clamp(m.m[0][2], -1.0f, 1.0f);
    float ax = 0.0f, ay = 0.0f, az = 0.0f;
    if (MatrixGetRotationXYZ(&m, &ax, &ay, &az) != 0) {
        // Only a quarter turn about y exactly loses x and z; nudge it.
        m.m[1][2] = 1e-7f;
        MatrixGetRotationXYZ(&m, &ax, &ay, &az);
    }
    auto quantise = [](float angle) {
        const long steps = std::lround(double(angle) / double(kAngleStep));
        return uint32_t(((steps % 1024) + 1024) % 1024);
    };
    return MotionPackBone(quantise(ax), quantise(ay), quantise(az));
}

// Angle of the turn that takes rotation a onto rotation b.
float RotationGap(const Matrix& a, const Matrix& b) {
    float trace = 0.0f;
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < 3; ++k) trace += a.m[i][k] * b.m[i][k];
    }
    return std::acos(std::clamp((trace - 1.0f) * 0.5f, -1.0f, 1.0f));
}

float PoseGap(const std::array<uint32_t, 18>& a, const std::array<uint32_t, 18>& b) {
    const std::array<Matrix, 19> ma = DecodedMatrices(a), mb = DecodedMatrices(b);
    float gap = 0.0f;
    for (int bone = 1; bone <= FIGURE_BONE_COUNT; ++bone)
        gap = std::max(gap, RotationGap(ma[bone], mb[bone]));
    return gap;
}

// How far a point lies ahead of the body, along the pelvis's facing over
// the grass (behind it for a negative value).
float ForwardReach(const std::array<Matrix, 19>& m, Vector point) {
    float fx = -m[BONE_PELVIS].m[2][0], fz = -m[BONE_PELVIS].m[2][2];
    const float length = std::hypot(fx, fz);
    if (length < 1e-4f) return 0.0f;
    return (point.x * fx + point.z * fz) / length;
}

bool IsStrike(MotionKind kind) {
    return kind == kKick || kind == kSidePass || kind == kBackHeel || kind == kCross || kind == kVolley;
}

}  // namespace

std::span<const MotionClipRow> MotionCatalogue() { return kCatalogue; }

int MotionKickingFoot(const MotionClipRow& row) {
    // A pass to the side is played across the body with the other foot.
    const int side = row.kind == kSidePass ? 1 - row.side : row.side;
    return side == 0 ? BONE_LEFT_FOOT : BONE_RIGHT_FOOT;
}
std::span<const MotionTimingRow> MotionTiming() { return kTiming; }

RootPath MotionRootPath(const MotionClipRow& row) { return row.path; }

bool MotionClipLoops(int clip) {
    for (const MotionTimingRow& t : kTiming) {
        if (t.clip == clip && t.loop) return true;
    }
    return false;
}

namespace {

// Frames over which a slowing path comes to rest.
int SlowingFrames(const MotionClipRow& row) {
    switch (row.kind) {
        case kSlide:
            return row.contactTo + 10;
        case kTackle:
            return row.contactFrom + 8;
        case kSmother:
            return 30;
        default:
            return row.frames * 2 / 3;
    }
}

// The root's travel from frame to frame + 1.
void RootStep(const MotionClipRow& row, int frame, float* dx, float* dz) {
    const float v = MotionRootSpeed(row.speed);
    *dx = 0.0f;
    *dz = 0.0f;
    switch (MotionRootPath(row)) {
        case RootPath::kStill:
        case RootPath::kStepped:
            return;
        case RootPath::kLoop:
            *dz = -v;
            return;
        case RootPath::kRunUp: {
            // Full speed until eight frames before the contact, then easing
            // to a stop at the contact frame.
            const int contact = row.contactFrom;
            const int easeFrom = std::max(0, contact - 8);
            if (frame < easeFrom) {
                *dz = -v;
            } else if (frame < contact) {
                *dz = -v * float(contact - frame) / float(contact - easeFrom + 1);
            }
            return;
        }
        case RootPath::kSlowing: {
            const int stop = SlowingFrames(row);
            if (frame < stop) *dz = -v * float(stop - frame) / float(stop);
            return;
        }
        case RootPath::kDive: {
            const int pushOff = std::max(0, row.contactFrom - 3);
            const int landing = std::min(row.frames - 1, row.contactTo + 4);
            if (frame >= pushOff && frame < landing) {
                const float along = v * float(landing - frame) / float(landing - pushOff);
                *dx = row.side == 0 ? along : -along;
            }
            return;
        }
        case RootPath::kShaped:
            MotionShapedStep(row, frame, dx, dz);
            return;
    }
}

}  // namespace

std::array<Vector, 19> MotionPoseJoints(const std::array<uint32_t, 18>& bones) {
    return JointsOf(DecodedMatrices(bones));
}

float MotionPoseLowestPoint(const std::array<uint32_t, 18>& bones) {
    const std::array<Matrix, 19> m = DecodedMatrices(bones);
    return LowestPoint(m, JointsOf(m));
}

MotionClipOut MakeMotionClip(const MotionClipRow& row) {
    MotionClipOut out;
    out.frames.resize(size_t(row.frames));
    float rootX = 0.0f, rootZ = 0.0f;
    for (int f = 0; f < row.frames; ++f) {
        MotionFrameOut& frame = out.frames[size_t(f)];
        const Pose pose = MotionPose(row, f);
        const std::array<Matrix, 19> intended = PoseBoneMatrices(pose);
        for (int b = 1; b <= FIGURE_BONE_COUNT; ++b) {
            frame.intended[size_t(b - 1)] = intended[size_t(b)];
            frame.bones[size_t(b - 1)] = EncodeRotation(intended[size_t(b)]);
        }
        // Stand the figure as the stored words pose it: its lowest point on
        // the grass, or the pose's lift above it.
        const std::array<Matrix, 19> decoded = DecodedMatrices(frame.bones);
        const std::array<Vector, 19> joints = JointsOf(decoded);
        const float height = -LowestPoint(decoded, joints) + std::max(0.0f, pose[kLift]);
        frame.reference[0] = rootX;
        frame.reference[1] = height;
        frame.reference[2] = rootZ;
        const Vector left = HandCentre(decoded, joints, BONE_LEFT_HAND);
        const Vector right = HandCentre(decoded, joints, BONE_RIGHT_HAND);
        frame.heldBall[0] = rootX + (left.x + right.x) * 0.5f;
        frame.heldBall[1] = height + (left.y + right.y) * 0.5f;
        frame.heldBall[2] = rootZ + (left.z + right.z) * 0.5f;
        float dx, dz;
        RootStep(row, f, &dx, &dz);
        rootX += dx;
        rootZ += dz;
    }
    return out;
}

std::vector<uint8_t> MotionClipFileBytes(const MotionClipOut& clip) {
    const uint32_t frameCount = uint32_t(clip.frames.size());
    std::vector<uint8_t> bytes(kMotionHeaderSize + size_t(frameCount) * kMotionFrameSize, 0);
    recbits::StoreU32(bytes.data(), frameCount * kMotionFrameSize);
    recbits::StoreU32(bytes.data() + 4, frameCount);
    for (uint32_t f = 0; f < frameCount; ++f) {
        const MotionFrameOut& frame = clip.frames[f];
        uint8_t* record = bytes.data() + kMotionHeaderSize + size_t(f) * kMotionFrameSize;
        std::memcpy(record + kMotionFrameReference, frame.reference, 12);
        std::memcpy(record + kMotionFrameHeldBall, frame.heldBall, 12);
        for (int b = 0; b < FIGURE_BONE_COUNT; ++b) {
            recbits::StoreU32(record + kMotionFrameBones + 4 * b, frame.bones[size_t(b)]);
        }
    }
    return bytes;
}

namespace {

std::string Failure(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Failure(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string CheckTiming(const MotionClipRow& row, const MotionClipOut& clip) {
    const int frames = int(clip.frames.size());
    for (const MotionTimingRow& t : kTiming) {
        if (t.clip != row.clip) continue;
        if (t.loop) {
            if (frames < 2) return Failure("a loop needs two frames (%s)", t.who);
            const float closing = PoseGap(clip.frames.back().bones, clip.frames.front().bones);
            float widest = 0.0f;
            for (int f = 0; f + 1 < frames; ++f) {
                widest =
                    std::max(widest, PoseGap(clip.frames[size_t(f)].bones, clip.frames[size_t(f + 1)].bones));
            }
            if (closing > 1.5f * widest + 2.0f * kAngleStep) {
                return Failure("loop does not close: last to first frame turns a bone %.3f rad, frames %.3f",
                               closing, widest);
            }
        } else if (frames <= t.lastFrame) {
            return Failure("%d frames, but frame %d is reached (%s)", frames, t.lastFrame, t.who);
        }
    }
    return {};
}

std::string CheckRoot(const MotionClipRow& row, const MotionClipOut& clip) {
    const RootPath path = MotionRootPath(row);
    const float v = MotionRootSpeed(row.speed);
    std::vector<float> steps;
    for (size_t f = 0; f + 1 < clip.frames.size(); ++f) {
        const float* a = clip.frames[f].reference;
        const float* b = clip.frames[f + 1].reference;
        steps.push_back(std::hypot(b[0] - a[0], b[2] - a[2]));
    }
    if (path == RootPath::kStill || path == RootPath::kStepped || v == 0.0f) {
        for (float s : steps) {
            if (s != 0.0f) return Failure("root moves though the clip is %s", "moved by its caller");
        }
        return {};
    }
    if (path == RootPath::kLoop) {
        for (float s : steps) {
            if (std::fabs(s - v) > 0.1f * v) return Failure("root speed %.4f, named %.4f", s, v);
        }
        return {};
    }
    if (path == RootPath::kSlowing || path == RootPath::kDive) {
        const auto first = std::find_if(steps.begin(), steps.end(), [](float s) { return s > 0.0f; });
        if (first == steps.end()) return Failure("root never moves");
        if (std::fabs(*first - v) > 0.1f * v) return Failure("root starts at %.4f, named %.4f", *first, v);
        for (auto it = first; it + 1 != steps.end(); ++it) {
            if (it[1] > it[0] + 1e-6f)
                return Failure("root speeds up again at frame %d", int(it - steps.begin()));
        }
        return {};
    }
    if (path == RootPath::kRunUp && !steps.empty() && std::fabs(steps.front() - v) > 0.1f * v) {
        return Failure("run-up speed %.4f, named %.4f", steps.front(), v);
    }
    return {};
}

std::string CheckFrames(const MotionClipRow& row, const MotionClipOut& clip) {
    for (size_t f = 0; f < clip.frames.size(); ++f) {
        const MotionFrameOut& frame = clip.frames[f];
        const std::array<Matrix, 19> decoded = DecodedMatrices(frame.bones);
        for (int b = 0; b < FIGURE_BONE_COUNT; ++b) {
            if (RotationGap(frame.intended[size_t(b)], decoded[size_t(b + 1)]) > 1.5f * kAngleStep) {
                return Failure("frame %zu bone %d decodes more than a step from its pose", f, b + 1);
            }
            if ((frame.bones[size_t(b)] >> 30) != 0)
                return Failure("frame %zu bone %d has high bits", f, b + 1);
        }
        const std::array<Vector, 19> joints = JointsOf(decoded);
        if (frame.reference[1] + LowestPoint(decoded, joints) < -0.02f) {
            return Failure("frame %zu sinks below the grass", f);
        }
        const bool holding = int(f) >= row.holdFrom && int(f) <= row.holdTo;
        if (holding) {
            const Vector gap = Minus(HandCentre(decoded, joints, BONE_LEFT_HAND),
                                     HandCentre(decoded, joints, BONE_RIGHT_HAND));
            const float apart = std::sqrt(gap.x * gap.x + gap.y * gap.y + gap.z * gap.z);
            if (apart > 0.4f)
                return Failure("frame %zu holds the ball with the hands %.2f m apart", f, apart);
        }
    }
    return {};
}

// A strike's foot reaches furthest from the body at the contact, inside
// the strike window.
std::string CheckStrike(const MotionClipRow& row, const MotionClipOut& clip) {
    if (!IsStrike(row.kind) || row.contactFrom < 0) return {};
    const int foot = MotionKickingFoot(row);
    const float sense = row.kind == kBackHeel ? -1.0f : 1.0f;  // a back-heel reaches backwards
    int furthest = -1;
    float reach = -100.0f;
    for (size_t f = 0; f < clip.frames.size(); ++f) {
        const std::array<Matrix, 19> m = DecodedMatrices(clip.frames[f].bones);
        const float r = sense * ForwardReach(m, JointsOf(m)[size_t(foot)]);
        if (r > reach) {
            reach = r;
            furthest = int(f);
        }
    }
    if (furthest < row.contactFrom || furthest > row.contactTo) {
        return Failure("kicking foot reaches furthest at frame %d, outside %d..%d", furthest, row.contactFrom,
                       row.contactTo);
    }
    return {};
}

// Running with the ball: each foot meets it at its touch frame, where that
// foot is furthest forward.
std::string CheckTouches(const MotionClipRow& row, const MotionClipOut& clip) {
    if (row.kind != kDribble) return {};
    for (const auto& [foot, touch] :
         {std::pair{BONE_LEFT_FOOT, row.contactFrom}, std::pair{BONE_RIGHT_FOOT, row.contactTo}}) {
        int furthest = -1;
        float reach = -100.0f;
        for (size_t f = 0; f < clip.frames.size(); ++f) {
            const std::array<Matrix, 19> m = DecodedMatrices(clip.frames[f].bones);
            const float r = ForwardReach(m, JointsOf(m)[size_t(foot)]);
            if (r > reach) {
                reach = r;
                furthest = int(f);
            }
        }
        if (std::abs(furthest - touch) > 1)
            return Failure("foot %d is furthest forward at frame %d, not %d", foot, furthest, touch);
    }
    return {};
}

// A dive's hands reach out to its side inside its window.
std::string CheckDive(const MotionClipRow& row, const MotionClipOut& clip) {
    if (row.kind != kKeeperDive) return {};
    const float sign = row.side == 0 ? 1.0f : -1.0f;
    float best = -10.0f;
    for (int f = row.contactFrom; f <= row.contactTo; ++f) {
        const std::array<Matrix, 19> m = DecodedMatrices(clip.frames[size_t(f)].bones);
        const std::array<Vector, 19> joints = JointsOf(m);
        const float reach = std::min(sign * HandCentre(m, joints, BONE_LEFT_HAND).x,
                                     sign * HandCentre(m, joints, BONE_RIGHT_HAND).x);
        best = std::max(best, reach);
    }
    if (best < 0.5f) return Failure("hands reach only %.2f m to the dive's side", best);
    return {};
}

}  // namespace

std::string CheckMotionClip(const MotionClipRow& row, const MotionClipOut& clip) {
    if (int(clip.frames.size()) != row.frames || row.frames < 1)
        return Failure("frame count differs from its row");
    const char* name = Motion_ClipName(row.clip);
    if (name == nullptr || std::strcmp(name, row.name) != 0)
        return Failure("name differs from the game's list");
    const std::vector<uint8_t> bytes = MotionClipFileBytes(clip);
    if (recbits::LoadU32(bytes.data()) != uint32_t(row.frames) * kMotionFrameSize) {
        return Failure("data size is not frames x 100");
    }
    if (row.clip == 1 && std::fabs(clip.frames[0].reference[1] - FigureReferenceHeight()) > 1e-5f) {
        return Failure("frame 0 stands the pelvis at %.4f, not the reference height",
                       clip.frames[0].reference[1]);
    }
    for (auto check : {CheckTiming, CheckRoot, CheckFrames, CheckStrike, CheckTouches, CheckDive}) {
        std::string failure = check(row, clip);
        if (!failure.empty()) return failure;
    }
    return {};
}

void GenerateMotionClips() {
    for (const MotionClipRow& row : kCatalogue) {
        if (row.clip != int(&row - kCatalogue)) DatakitFail("motion clip row %d is out of order", row.clip);
        const MotionClipOut clip = MakeMotionClip(row);
        const std::string failure = CheckMotionClip(row, clip);
        if (!failure.empty()) DatakitFail("motion clip %d (%s): %s", row.clip, row.name, failure.c_str());
        std::vector<uint8_t> bytes = MotionClipFileBytes(clip);
        if (MotionClipFileBytes(MakeMotionClip(row)) != bytes) {
            DatakitFail("motion clip %d (%s): not the same bytes on a second run", row.clip, row.name);
        }
        char path[80];
        std::snprintf(path, sizeof path, kMotionPathFormat, row.name);
        StagePakFile(path, std::move(bytes));
    }
}

}  // namespace datakit
