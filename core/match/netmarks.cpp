#include "core/match/netmarks.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "core/base/angles.h"
#include "core/match/matchengine.h"
#include "core/match/matchhooks.h"
#include "core/match/replay.h"

SkidMark SkidMarks[kSkidMarks];
int16_t SkidMarkNext = 0;

namespace {

constexpr float kNetStill = 0.015f;
constexpr float kNetDamping = 0.95f;
constexpr float kNetPhaseStep = 0.1f;
constexpr float kDirectionToRadians = kPiF / 128.0f;

// Byte offsets in the 34-byte block.
constexpr int kNetPhaseAt = 0;
constexpr int kVelocityAt = 4;
constexpr int kImpactAt = 16;
constexpr int kOffsetAt = 22;
static_assert(kOffsetAt + 12 == int(kGoalNetImpactSize));

}  // namespace

NetImpact GoalNet_Read() {
    NetImpact net;
    std::memcpy(&net.phase, GoalNetImpact + kNetPhaseAt, 4);
    std::memcpy(net.velocity, GoalNetImpact + kVelocityAt, 12);
    std::memcpy(net.impact, GoalNetImpact + kImpactAt, 6);
    std::memcpy(net.offset, GoalNetImpact + kOffsetAt, 12);
    return net;
}

void GoalNet_Write(const NetImpact& net) {
    std::memcpy(GoalNetImpact + kNetPhaseAt, &net.phase, 4);
    std::memcpy(GoalNetImpact + kVelocityAt, net.velocity, 12);
    std::memcpy(GoalNetImpact + kImpactAt, net.impact, 6);
    std::memcpy(GoalNetImpact + kOffsetAt, net.offset, 12);
}

void D3DGame_RecordNetImpact() {
    NetImpact net = GoalNet_Read();
    net.impact[0] = BallState.x;
    net.impact[1] = BallState.y;
    net.impact[2] = BallState.z;
    net.phase = 0.0f;
    // The 16.16 velocity per tick over 32768, truncated toward zero.
    net.velocity[0] = float(BallState.vx / 32768);
    net.velocity[1] = float(BallState.vy / 32768);
    net.velocity[2] = float(BallState.vz / 32768);
    GoalNet_Write(net);
    if (MatchHooks.netImpact != nullptr) MatchHooks.netImpact();
}

void GoalNet_Animate() {
    NetImpact net = GoalNet_Read();
    if (std::fabs(net.velocity[0]) <= kNetStill && std::fabs(net.velocity[1]) <= kNetStill &&
        std::fabs(net.velocity[2]) <= kNetStill) {
        return;
    }
    const float swing = std::sin(net.phase);
    for (int axis = 0; axis < 3; ++axis) {
        net.offset[axis] = swing * net.velocity[axis];
        net.velocity[axis] *= kNetDamping;
    }
    net.phase += kNetPhaseStep;
    GoalNet_Write(net);
}

void Ball3D_SetSpin(float angle1, float angle2) {
    BallDisplayRoll[0] = angle1;
    BallDisplayRoll[1] = angle2;
}

// The size and kind the slides pass are not read: every mark is the same.
void SkidMark_Add(int16_t x, int16_t y, float size, uint16_t facing, int16_t kind) {
    SkidMark& mark = SkidMarks[SkidMarkNext];
    mark.inUse = 1;
    mark.x = x;
    mark.y = y;
    mark.direction = float(facing) * kDirectionToRadians;
    SkidMarkNext = int16_t((SkidMarkNext + 1) % kSkidMarks);
    if (MatchHooks.skidMark != nullptr) MatchHooks.skidMark(x, y, size, facing, kind);
}

void SkidMark_ClearAll() {
    SkidMarkNext = 0;
    for (SkidMark& mark : SkidMarks) mark = SkidMark{};
}

const SkidMark* SkidMark_Get(int n) { return n >= 0 && n < kSkidMarks ? &SkidMarks[n] : nullptr; }
