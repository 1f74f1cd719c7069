#include "tools/datakit/motionposes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/base/angles.h"
#include "tools/datakit/models.h"

namespace datakit {
namespace {

using enum MotionKind;

constexpr int kLeft = 0;
constexpr int kRight = 1;

float Radians(float degrees) { return degrees * kPiF / 180.0f; }

// ---- Building poses ---------------------------------------------------------

struct Key {
    float frame;
    Pose pose;
};

// Eases in and out of every key, so a clip never jerks at a key.
Pose Interpolate(const std::vector<Key>& keys, float frame) {
    if (frame <= keys.front().frame) return keys.front().pose;
    if (frame >= keys.back().frame) return keys.back().pose;
    size_t i = 1;
    while (keys[i].frame < frame) ++i;
    const Key& a = keys[i - 1];
    const Key& b = keys[i];
    const float t = (frame - a.frame) / std::max(1e-3f, b.frame - a.frame);
    const float s = t * t * (3.0f - 2.0f * t);
    Pose out;
    for (int k = 0; k < kPoseFieldCount; ++k)
        out[size_t(k)] = a.pose[size_t(k)] + (b.pose[size_t(k)] - a.pose[size_t(k)]) * s;
    return out;
}

Pose Blend(const Pose& a, const Pose& b, float t) {
    Pose out;
    for (int k = 0; k < kPoseFieldCount; ++k)
        out[size_t(k)] = a[size_t(k)] + (b[size_t(k)] - a[size_t(k)]) * t;
    return out;
}

void Arm(Pose& p, int side, float forward, float out, float elbow) {
    p[size_t(kArmFwd + side)] = forward;
    p[size_t(kArmOut + side)] = out;
    p[size_t(kElbow + side)] = elbow;
}

void Leg(Pose& p, int side, float hip, float knee, float out = 0.0f, float ankle = 0.0f) {
    p[size_t(kHip + side)] = hip;
    p[size_t(kKnee + side)] = knee;
    p[size_t(kHipOut + side)] = out;
    p[size_t(kAnkle + side)] = ankle;
}

// Arms hang a little away from the body so they never pass through it.
Pose Upright() {
    Pose p{};
    Arm(p, kLeft, 4.0f, 7.0f, 10.0f);
    Arm(p, kRight, 4.0f, 7.0f, 10.0f);
    return p;
}

// Knees bent by 2d with the feet under the hips and the trunk over them.
Pose Crouch(float depth) {
    Pose p = Upright();
    p[kLean] = 0.5f * depth;
    for (int s : {kLeft, kRight}) Leg(p, s, 1.5f * depth, 2.0f * depth, 4.0f);
    return p;
}

// The goalkeeper's set position: crouched, hands open at the waist.
Pose KeeperSet() {
    Pose p = Crouch(18.0f);
    for (int s : {kLeft, kRight}) {
        Arm(p, s, 35.0f, 25.0f, 55.0f);
        p[size_t(kHipOut + s)] = 9.0f;
    }
    return p;
}

// Both hands together in front of the chest, holding the ball.
void HoldAtChest(Pose& p) {
    for (int s : {kLeft, kRight}) Arm(p, s, 30.0f, -24.0f, 80.0f);
}

// Both hands together above the head, holding the ball.
void HoldOverhead(Pose& p, float elbow) {
    for (int s : {kLeft, kRight}) Arm(p, s, 170.0f, -12.0f, elbow);
}

// A thigh swung forward by `world` degrees from the vertical whatever the
// trunk's lean (the lean turns the thighs with the pelvis).
float HipFor(const Pose& p, float world) { return world + p[kLean]; }

// ---- Gaits -------------------------------------------------------------------

struct Gait {
    float hip, kneeBase, kneeSwing, arm, elbow, lean, flight, twist;
};

Gait GaitFor(int speed, int cycleFrames, bool walking) {
    const float cycle = float(speed) / 1600.0f * float(cycleFrames);
    const float step = std::clamp(cycle * 0.5f / 1.7f, 0.0f, 0.8f);
    Gait g{};
    g.hip = std::max(10.0f, std::asin(step) * 180.0f / kPiF);
    if (walking) {
        g = {g.hip, 5.0f, 40.0f, 0.8f * g.hip, 15.0f, 2.0f, 0.0f, 4.0f};
    } else {
        g = {g.hip + 6.0f,
             14.0f,
             45.0f + float(speed) / 4.0f,
             1.1f * g.hip,
             85.0f,
             3.0f + float(speed) / 25.0f,
             0.02f + float(speed) / 5000.0f,
             8.0f};
    }
    return g;
}

// One stride of each leg over phase 0..1; the left thigh is furthest
// forward at phase 0.25.
Pose GaitPose(const Gait& g, float phase) {
    Pose p = Upright();
    const float theta = 2.0f * kPiF * phase;
    p[kLean] = g.lean;
    p[kTwist] = g.twist * std::sin(theta);
    p[kLift] = g.flight * std::sin(theta) * std::sin(theta);
    for (int s : {kLeft, kRight}) {
        const float a = s == kLeft ? theta : theta + kPiF;
        const float swing = 0.5f + 0.5f * std::cos(a);
        Leg(p, s, HipFor(p, g.hip * std::sin(a)), g.kneeBase + g.kneeSwing * swing * swing, 3.0f,
            8.0f * std::sin(a));
        Arm(p, s, 6.0f - g.arm * std::sin(a), 9.0f, g.elbow);
    }
    return p;
}

float Phase(int frame, int frames) { return float(frame) / float(std::max(1, frames)); }

// ---- Each kind of clip -------------------------------------------------------

// Small loops at rest: the weight shifting from foot to foot.
Pose StandPose(const MotionClipRow& row, int f) {
    const float w = std::sin(2.0f * kPiF * Phase(f, row.frames));
    Pose p = Upright();
    if (row.style == 1) {  // hands on the hips
        for (int s : {kLeft, kRight}) Arm(p, s, -12.0f, 40.0f, 100.0f);
    } else if (row.style == 2) {  // arms folded
        for (int s : {kLeft, kRight}) Arm(p, s, 55.0f, -15.0f, 125.0f);
    }
    p[kRoll] = 2.0f * w;
    p[kSideBend] = -1.5f * w;
    p[kNod] = 3.0f + 2.0f * std::sin(4.0f * kPiF * Phase(f, row.frames));
    Leg(p, kLeft, 3.0f, 4.0f + 3.0f * std::max(0.0f, -w), 4.0f - 2.0f * w);
    Leg(p, kRight, 3.0f, 4.0f + 3.0f * std::max(0.0f, w), 4.0f + 2.0f * w);
    return p;
}

Pose ReadyPose(const MotionClipRow& row, int f) {
    Pose ready = Crouch(row.style == 1 ? 22.0f : 12.0f);
    for (int s : {kLeft, kRight}) Arm(ready, s, 20.0f, 14.0f, 40.0f);
    ready[kRoll] = 1.5f * std::sin(float(f) * 0.3f);
    // Frame 0 is the figure at rest: the reference pose.
    return Interpolate({{0.0f, Pose{}}, {20.0f, ready}, {float(row.frames - 1), ready}}, float(f));
}

Pose TurnSpotPose(const MotionClipRow& row, int f) {
    const float theta = 2.0f * kPiF * Phase(f, row.frames) * 2.0f;
    Pose p = Crouch(6.0f);
    for (int s : {kLeft, kRight}) {
        const float up = std::max(0.0f, std::sin(s == kLeft ? theta : theta + kPiF));
        Leg(p, s, p[size_t(kHip + s)] + 18.0f * up, p[size_t(kKnee + s)] + 30.0f * up, 6.0f);
        Arm(p, s, 10.0f, 12.0f, 30.0f);
    }
    p[kYaw] = (row.style == 1 ? -6.0f : 6.0f) * std::sin(theta * 0.5f);
    return p;
}

Pose SignalPose(const MotionClipRow& row, int f) {
    const int s = row.side;
    Pose up = Upright();
    Arm(up, s, 175.0f, 8.0f, 5.0f);
    up[kHeadTurn] = s == kLeft ? 20.0f : -20.0f;
    return Interpolate(
        {{0.0f, Upright()}, {12.0f, up}, {float(row.frames - 12), up}, {float(row.frames - 1), Upright()}},
        float(f));
}

Pose WhistlePose(const MotionClipRow& row, int f) {
    const int s = row.side;
    Pose blow = Upright();
    Arm(blow, s, 70.0f, 28.0f, 140.0f);                         // hand to the mouth
    if (row.style == 1) Arm(blow, 1 - s, 150.0f, 10.0f, 5.0f);  // the other arm up for the long blast
    Pose loud = blow;
    loud[kLean] = -6.0f;
    loud[kNod] = -10.0f;
    const float c = float(row.contactFrom);
    return Interpolate({{0.0f, Upright()},
                        {c - 25.0f, blow},
                        {c, loud},
                        {c + 8.0f, blow},
                        {float(row.frames - 1), Upright()}},
                       float(f));
}

Pose WalkPose(const MotionClipRow& row, int f) {
    Pose p = GaitPose(GaitFor(row.speed, row.frames, true), Phase(f, row.frames));
    if (row.style == 1) p[kNod] = 12.0f;  // tired, head low
    if (row.style == 2) p[kHeadTurn] = 25.0f * std::sin(2.0f * kPiF * Phase(f, row.frames));
    return p;
}

Pose RunPose(const MotionClipRow& row, int f) {
    Pose p = GaitPose(GaitFor(row.speed, row.frames, false), Phase(f, row.frames));
    if (row.style == 1) p[kLean] *= 0.5f;  // upright
    if (row.style == 2) {
        for (int s : {kLeft, kRight}) p[size_t(kElbow + s)] = 55.0f;  // arms low
        p[kNod] = -6.0f;
    }
    return p;
}

// Backwards gaits play a forward stride in reverse with the trunk upright.
Pose BackPose(const MotionClipRow& row, int f, bool running) {
    Gait g = GaitFor(running ? 70 : 30, row.frames, !running);
    g.lean = running ? -4.0f : -2.0f;
    g.flight = running ? 0.02f : 0.0f;
    Pose p = GaitPose(g, 1.0f - Phase(f, row.frames));
    if (row.kind == kCarryOverhead) HoldOverhead(p, 95.0f);
    return p;
}

Pose SideStepPose(const MotionClipRow& row, int f) {
    const float theta = 2.0f * kPiF * Phase(f, row.frames);
    Pose p = Crouch(row.style == 1 ? 14.0f : 8.0f);
    const float open = 0.5f + 0.5f * std::sin(theta);
    Leg(p, kLeft, p[kHip], p[kKnee], 4.0f + 14.0f * open);
    Leg(p, kRight, p[kHip + 1], p[kKnee + 1], 4.0f + 14.0f * open);
    for (int s : {kLeft, kRight}) Arm(p, s, 15.0f, 15.0f + 10.0f * open, 40.0f);
    p[kLift] = 0.02f * std::max(0.0f, std::cos(theta));
    return p;
}

// Running with the ball: the left foot meets it at the first touch frame,
// the right at the second, half a stride later.
Pose DribblePose(const MotionClipRow& row, int f) {
    // The ankle reaches furthest two frames after the thigh does (the knee
    // straightens late), so the stride runs two frames ahead.
    const float phase = Phase(f - row.contactFrom + 2, row.frames) + 0.25f;
    Pose p = GaitPose(GaitFor(row.speed, row.frames, false), phase);
    p[kNod] = 18.0f;
    p[kLean] += 2.0f;
    return p;
}

// Turns with the ball: the body comes round while the ball is nudged on
// with the outside foot at the touch frame.
Pose TurnBallPose(const MotionClipRow& row, int f) {
    const float turn = row.side == kLeft ? float(row.style) : -float(row.style);
    const int foot = row.side == kLeft ? kRight : kLeft;
    const float c = float(row.contactFrom), end = float(row.frames - 1);
    Pose start = Crouch(10.0f);
    Pose plant = start;
    plant[kYaw] = 0.3f * turn;
    plant[kRoll] = row.side == kLeft ? 8.0f : -8.0f;
    Leg(plant, foot, 10.0f, 50.0f, 6.0f);
    Arm(plant, kLeft, 20.0f, 30.0f, 50.0f);
    Arm(plant, kRight, 20.0f, 30.0f, 50.0f);
    Pose touch = plant;
    touch[kYaw] = 0.6f * turn;
    Leg(touch, foot, HipFor(touch, 30.0f), 15.0f, 6.0f, -15.0f);
    Pose away = GaitPose(GaitFor(90, 24, false), 0.0f);
    away[kYaw] = turn;
    return Interpolate({{0.0f, start},
                        {std::max(1.0f, c - 5.0f), plant},
                        {c, touch},
                        {std::min(end, c + 8.0f), away},
                        {end, away}},
                       float(f));
}

Pose TurnGoalPose(const MotionClipRow& row, int f) {
    Pose start = Crouch(10.0f);
    Pose round = start;
    round[kYaw] = 35.0f;
    Leg(round, kRight, 30.0f, 45.0f, 6.0f);
    Pose settled = Crouch(10.0f);
    settled[kYaw] = 40.0f;
    settled[kNod] = 15.0f;
    return Interpolate({{0.0f, start},
                        {float(row.contactFrom) - 4.0f, round},
                        {float(row.contactFrom), settled},
                        {float(row.frames - 1), settled}},
                       float(f));
}

Pose OnBallPose(const MotionClipRow& row, int f) {
    Pose over = Crouch(8.0f);
    over[kNod] = 25.0f;
    for (int s : {kLeft, kRight}) Arm(over, s, 15.0f, 18.0f, 35.0f);
    Pose touch = over;
    Leg(touch, row.side, HipFor(touch, 28.0f), 20.0f, 4.0f, -10.0f);
    const float c = float(row.contactFrom);
    return Interpolate(
        {{0.0f, over}, {c - 6.0f, over}, {c, touch}, {c + 8.0f, over}, {float(row.frames - 1), over}},
        float(f));
}

// ---- Strikes -----------------------------------------------------------------

struct StrikeShape {
    float contactHip, contactKnee, lean, follow, yaw, roll;
};

StrikeShape ShapeOf(const MotionClipRow& row) {
    switch (row.kind) {
        case kBackHeel:
            return {-45.0f, 25.0f, 10.0f, -30.0f, 0.0f, 0.0f};
        case kCross:
            return {55.0f, 5.0f, -6.0f, 75.0f, row.side == kRight ? 25.0f : -25.0f, 0.0f};
        case kSidePass: {
            const float yaw = row.side == kLeft ? 45.0f : -45.0f;
            return {row.style == 2 ? 55.0f : 45.0f, 8.0f, row.style == 2 ? -4.0f : 8.0f, 60.0f, yaw, 0.0f};
        }
        case kVolley:
            if (row.style == 0) return {55.0f, 10.0f, 0.0f, 65.0f, 0.0f, row.side == kRight ? 25.0f : -25.0f};
            if (row.style == 2) return {75.0f, 5.0f, -30.0f, 85.0f, 0.0f, 0.0f};
            return {70.0f, 8.0f, -8.0f, 80.0f, 0.0f, 0.0f};
        default:
            break;
    }
    switch (row.style) {
        case 0:
            return {45.0f, 10.0f, 8.0f, 55.0f, 0.0f, 0.0f};  // side-foot pass
        case 2:
            return {58.0f, 4.0f, -6.0f, 75.0f, 0.0f, 0.0f};  // lofted
        case 3:
            return {42.0f, 22.0f, 2.0f, 48.0f, 0.0f, 0.0f};  // chip
        case 4:
            return {52.0f, 5.0f, 12.0f, 65.0f, row.side == kRight ? 15.0f : -15.0f, 0.0f};  // curled
        default:
            return {52.0f, 4.0f, 14.0f, 68.0f, 0.0f, 0.0f};  // driven
    }
}

int ContactFrame(const MotionClipRow& row) {
    return row.contactFrom + std::min(2, (row.contactTo - row.contactFrom) / 2);
}

Pose StrikePose(const MotionClipRow& row, int f) {
    const int k = MotionKickingFoot(row) == BONE_LEFT_FOOT ? kLeft : kRight;
    const int p = 1 - k;
    const StrikeShape shape = ShapeOf(row);
    const bool back = row.kind == kBackHeel;
    const float c = float(ContactFrame(row));
    const float end = float(row.frames - 1);

    Pose ready = Crouch(6.0f);
    Pose backSwing = Crouch(8.0f);
    backSwing[kLean] = shape.lean * 0.8f;
    backSwing[kYaw] = shape.yaw * 0.5f;
    backSwing[kRoll] = (k == kRight ? 6.0f : -6.0f) + shape.roll * 0.5f;
    Leg(backSwing, p, HipFor(backSwing, 15.0f), 25.0f, 4.0f);
    if (back) {
        Leg(backSwing, k, HipFor(backSwing, 25.0f), 70.0f, 4.0f);  // the heel lifts forward first
    } else {
        Leg(backSwing, k, HipFor(backSwing, -20.0f), 100.0f, 4.0f);
    }
    Arm(backSwing, p, 35.0f, 45.0f, 35.0f);
    Arm(backSwing, k, -15.0f, 25.0f, 30.0f);

    Pose contact = backSwing;
    contact[kLean] = shape.lean;
    contact[kYaw] = shape.yaw;
    contact[kRoll] = (k == kRight ? 4.0f : -4.0f) + shape.roll;
    Leg(contact, k, HipFor(contact, shape.contactHip), shape.contactKnee,
        row.kind == kVolley && row.style == 0 ? 35.0f : 2.0f, -20.0f);
    Leg(contact, p, HipFor(contact, 10.0f), 28.0f, 4.0f);
    Arm(contact, p, 40.0f, 55.0f, 30.0f);
    Arm(contact, k, -20.0f, 35.0f, 25.0f);

    Pose follow = contact;
    follow[kLean] = shape.lean * 0.4f;
    Leg(follow, k, HipFor(follow, shape.follow), back ? 80.0f : 70.0f, 2.0f);
    if (back) Leg(follow, k, HipFor(follow, -20.0f), 80.0f, 2.0f);

    Pose after = Crouch(5.0f);
    after[kYaw] = shape.yaw * 0.6f;

    // The volleys and the scissor kick leave the ground.
    if (row.kind == kVolley && row.style == 2) contact[kLift] = 0.25f;

    std::vector<Key> keys;
    if (row.speed > 0) {
        // Run up to the ball, then plant and strike.
        const Gait g = GaitFor(row.speed, 22, false);
        const float runEnd = std::max(0.0f, c - 8.0f);
        if (float(f) < runEnd) return GaitPose(g, float(f) / 22.0f);
        keys.push_back({runEnd, GaitPose(g, runEnd / 22.0f)});
    } else {
        keys.push_back({0.0f, ready});
        if (c - 9.0f > 0.0f) keys.push_back({c - 9.0f, ready});
    }
    keys.push_back({std::max(keys.back().frame + 1.0f, c - 4.0f), backSwing});
    keys.push_back({c, contact});
    keys.push_back({std::min(end, c + 6.0f), follow});
    if (c + 6.0f < end) keys.push_back({end, after});
    return Interpolate(keys, float(f));
}

// ---- In the air, chest and feet ------------------------------------------------

float JumpLift(float f, float c, float height, float rise) {
    const float t = (f - (c - rise)) / (2.0f * rise);
    if (t <= 0.0f || t >= 1.0f) return 0.0f;
    return height * std::sin(kPiF * t);
}

Pose HeaderPose(const MotionClipRow& row, int f) {
    const float c = float(row.contactFrom) + 1.0f;
    const float end = float(row.frames - 1);
    const bool jumping = row.style == 1 || row.style == 3 || row.style == 4;
    Pose gather = Crouch(jumping ? 20.0f : 8.0f);
    for (int s : {kLeft, kRight}) Arm(gather, s, -20.0f, 20.0f, 40.0f);
    Pose cocked = Upright();
    cocked[kLean] = -12.0f;
    cocked[kNod] = -20.0f;
    for (int s : {kLeft, kRight}) Arm(cocked, s, 60.0f, 50.0f, 70.0f);
    if (jumping) {
        for (int s : {kLeft, kRight}) Leg(cocked, s, 20.0f, 45.0f, 5.0f, -20.0f);
    }
    Pose meet = cocked;
    meet[kLean] = 8.0f;
    meet[kNod] = 25.0f;
    if (row.style == 2) {  // stooping to a low ball
        meet = Crouch(35.0f);
        meet[kLean] = 55.0f;
        meet[kNod] = 10.0f;
        for (int s : {kLeft, kRight}) Arm(meet, s, 30.0f, 40.0f, 60.0f);
    } else if (row.style == 3) {  // flicked back over the head
        meet[kLean] = -22.0f;
        meet[kNod] = -35.0f;
    } else if (row.style == 4) {  // a challenge with the arms up
        for (int s : {kLeft, kRight}) Arm(meet, s, 120.0f, 50.0f, 80.0f);
    }
    std::vector<Key> keys = {
        {0.0f, Upright()}, {std::max(1.0f, c - 12.0f), gather}, {std::max(2.0f, c - 4.0f), cocked},
        {c, meet},         {std::min(end, c + 10.0f), gather},  {end, Upright()}};
    Pose p = Interpolate(keys, float(f));
    if (jumping) p[kLift] = JumpLift(float(f), c, row.style == 4 ? 0.4f : 0.35f, 9.0f);
    return p;
}

Pose ChestPose(const MotionClipRow& row, int f) {
    const float c = float(row.contactFrom) + 2.0f;
    const float end = float(row.frames - 1);
    Pose open = Crouch(10.0f);
    for (int s : {kLeft, kRight}) Arm(open, s, 30.0f, 55.0f, 40.0f);
    open[kLean] = -20.0f;
    open[kNod] = 20.0f;
    for (int s : {kLeft, kRight}) open[size_t(kHip + s)] = HipFor(open, 15.0f);
    Pose cushion = open;
    cushion[kLean] = -8.0f;
    if (row.style == 2) cushion[kYaw] = 40.0f;
    Pose settle = Crouch(8.0f);
    settle[kNod] = 20.0f;
    if (row.style == 2) settle[kYaw] = 60.0f;
    if (row.style == 3) {  // lay-off: push the ball down and across
        cushion[kLean] = 12.0f;
        cushion[kTwist] = 25.0f;
    }
    Pose p = Interpolate(
        {{0.0f, Upright()}, {std::max(1.0f, c - 8.0f), open}, {c, open}, {c + 6.0f, cushion}, {end, settle}},
        float(f));
    if (row.style == 1) p[kLift] = JumpLift(float(f), c, 0.2f, 8.0f);
    return p;
}

Pose FootControlPose(const MotionClipRow& row, int f) {
    const int s = row.side;
    const float c = float(row.contactFrom);
    Pose base = Crouch(8.0f);
    for (int a : {kLeft, kRight}) Arm(base, a, 15.0f, 30.0f, 35.0f);
    base[kNod] = 25.0f;
    Pose raise = base;
    if (row.style == 1) {
        Leg(raise, s, HipFor(raise, 70.0f), 85.0f, 4.0f);  // thigh up to the ball
    } else {
        Leg(raise, s, HipFor(raise, 30.0f), 40.0f, 18.0f, 20.0f);  // foot up, sole or inside
    }
    Pose cushioned = raise;
    cushioned[size_t(kHip + s)] -= 12.0f;
    return Interpolate({{0.0f, Upright()},
                        {std::max(1.0f, c - 5.0f), raise},
                        {c + 3.0f, cushioned},
                        {float(row.frames - 1), base}},
                       float(f));
}

// ---- Restarts and the ball in the hands ------------------------------------------

Pose ThrowInPose(const MotionClipRow& row, int f) {
    const float release = float(row.contactFrom);
    const float end = float(row.frames - 1);
    Pose hold = Upright();
    HoldOverhead(hold, 20.0f);
    Pose cocked = hold;
    HoldOverhead(cocked, 110.0f);
    cocked[kLean] = -18.0f;
    for (int s : {kLeft, kRight}) Leg(cocked, s, HipFor(cocked, 0.0f), 18.0f, 5.0f);
    Pose thrown = Upright();
    for (int s : {kLeft, kRight}) Arm(thrown, s, 115.0f, -12.0f, 0.0f);
    thrown[kLean] = 22.0f;
    for (int s : {kLeft, kRight}) Leg(thrown, s, HipFor(thrown, 0.0f), 10.0f, 5.0f);
    if (row.style == 1 && float(f) < release - 24.0f) {
        // Steps in with the ball overhead before the long throw.
        Pose p = GaitPose(GaitFor(40, 30, true), float(f) / 30.0f);
        HoldOverhead(p, 60.0f);
        return p;
    }
    std::vector<Key> keys;
    if (row.style == 1) {
        Pose step = GaitPose(GaitFor(40, 30, true), (release - 24.0f) / 30.0f);
        HoldOverhead(step, 60.0f);
        keys.push_back({release - 24.0f, step});
    } else {
        keys.push_back({0.0f, hold});
    }
    keys.push_back({release - 12.0f, cocked});
    keys.push_back({release, thrown});
    keys.push_back({end, Upright()});
    return Interpolate(keys, float(f));
}

Pose PickUpPose(const MotionClipRow& row, int f) {
    const float grab = float(row.contactFrom) - 4.0f;
    Pose down = Crouch(45.0f);
    down[kLean] = 60.0f;
    for (int s : {kLeft, kRight}) {
        Leg(down, s, HipFor(down, 40.0f), 100.0f, 8.0f);
        Arm(down, s, 62.0f, -14.0f, 5.0f);  // hands down by the ball
    }
    down[kNod] = 20.0f;
    Pose up = Upright();
    HoldAtChest(up);
    return Interpolate({{0.0f, Upright()}, {grab, down}, {grab + 4.0f, down}, {float(row.frames - 1), up}},
                       float(f));
}

Pose PlaceBallPose(const MotionClipRow& row, int f) {
    const float placed = float(row.contactFrom);
    Pose hold = Upright();
    HoldAtChest(hold);
    hold[kNod] = 12.0f;
    Pose low = Crouch(35.0f);
    low[kLean] = 50.0f;
    for (int s : {kLeft, kRight}) {
        Leg(low, s, HipFor(low, 30.0f), 75.0f, 8.0f);
        Arm(low, s, 55.0f, -14.0f, 10.0f);
    }
    Pose p = Interpolate({{0.0f, hold},
                          {placed - 26.0f, hold},
                          {placed, low},
                          {placed + 4.0f, low},
                          {float(row.frames - 1), Upright()}},
                         float(f));
    p[kHeadTurn] = float(f) < placed - 26.0f ? 15.0f * std::sin(float(f) * 0.08f) : 0.0f;
    return p;
}

// Two-handed throws of the ball from the hands: a chest pass for the
// restarts, an overhead throw for the keeper.
Pose ThrowPose(const MotionClipRow& row, int f) {
    const float release = float(row.contactFrom);
    const bool overhead = row.kind == kKeeperThrow;
    Pose hold = Upright();
    HoldAtChest(hold);
    Pose cocked = hold;
    if (overhead) {
        HoldOverhead(cocked, 100.0f);
        cocked[kLean] = -15.0f;
    } else {
        for (int s : {kLeft, kRight}) Arm(cocked, s, 20.0f, -22.0f, 120.0f);
        cocked[kLean] = -5.0f;
    }
    Leg(cocked, row.side, HipFor(cocked, -10.0f), 15.0f, 4.0f);
    Leg(cocked, 1 - row.side, HipFor(cocked, 18.0f), 10.0f, 4.0f);
    Pose thrown = hold;
    for (int s : {kLeft, kRight}) Arm(thrown, s, overhead ? 110.0f : 80.0f, -10.0f, 0.0f);
    thrown[kLean] = overhead ? 20.0f : 12.0f;
    Leg(thrown, 1 - row.side, HipFor(thrown, 20.0f), 15.0f, 4.0f);
    return Interpolate({{0.0f, hold},
                        {release - 20.0f, hold},
                        {release - 8.0f, cocked},
                        {release, thrown},
                        {float(row.frames - 1), Upright()}},
                       float(f));
}

Pose KeeperHoldPose(const MotionClipRow& row, int f) {
    Pose p = Upright();
    HoldAtChest(p);
    const float w = std::sin(2.0f * kPiF * Phase(f, row.frames));
    switch (row.style) {
        case 0:  // bouncing the ball: the hands dip and rise
            for (int s : {kLeft, kRight}) {
                p[size_t(kArmFwd + s)] = 45.0f + 15.0f * w;
                p[size_t(kElbow + s)] = 80.0f - 20.0f * w;
            }
            break;
        case 1:
            p[kHeadTurn] = 30.0f * w;
            break;
        case 2:
            p[kYaw] = 35.0f * std::sin(kPiF * Phase(f, row.frames));
            p[kBend] = 10.0f;
            break;
        case 3: {  // rolling the ball out
            Pose low = Crouch(25.0f);
            low[kLean] = 45.0f;
            for (int s : {kLeft, kRight}) Arm(low, s, 70.0f, -14.0f, 5.0f);
            Leg(low, kLeft, HipFor(low, 35.0f), 60.0f, 6.0f);
            p = Interpolate({{0.0f, p}, {24.0f, low}, {34.0f, low}, {float(row.frames - 1), Upright()}},
                            float(f));
            break;
        }
        case 4:  // shaking the ball above the head
        case 5:
            HoldOverhead(p, row.style == 4 ? 30.0f + 15.0f * w : 10.0f);
            p[kNod] = -15.0f;
            break;
        default:  // hugging the ball and shouting
            p[kLean] = -10.0f + 5.0f * w;
            p[kNod] = -20.0f;
            break;
    }
    return p;
}

Pose KeeperCatchPose(const MotionClipRow& row, int f) {
    const float c = float(row.contactFrom);
    Pose set = KeeperSet();
    Pose reach = set;
    if (row.style == 0) {  // scooping a low ball
        reach = Crouch(row.clip == 262 ? 40.0f : 28.0f);
        reach[kLean] = 45.0f;
        for (int s : {kLeft, kRight}) Arm(reach, s, 55.0f, -14.0f, 10.0f);
    } else if (row.style == 1) {
        for (int s : {kLeft, kRight}) Arm(reach, s, 85.0f, -14.0f, 20.0f);
    } else {
        reach = Upright();
        for (int s : {kLeft, kRight}) {
            Arm(reach, s, 165.0f, -12.0f, 15.0f);
            Leg(reach, s, 15.0f, 35.0f, 5.0f, -20.0f);
        }
    }
    Pose held = Upright();
    HoldAtChest(held);
    held[kLean] = 12.0f;
    Pose p =
        Interpolate({{0.0f, set}, {c, reach}, {c + 10.0f, held}, {float(row.frames - 1), held}}, float(f));
    if (row.style == 2) p[kLift] = JumpLift(float(f), c, 0.45f, 12.0f);
    return p;
}

Pose KeeperBlockPose(const MotionClipRow& row, int f) {
    const float sign = row.side == kLeft ? 1.0f : -1.0f;
    const int near = row.side, far = 1 - row.side;
    Pose spread = KeeperSet();
    spread[kRoll] = sign * (row.style == 0 ? 35.0f : 18.0f);
    Leg(spread, near, spread[size_t(kHip + near)], row.style == 0 ? 70.0f : 30.0f, 35.0f);
    Leg(spread, far, spread[size_t(kHip + far)], 40.0f, 10.0f);
    const float armUp = row.style == 2 ? 150.0f : (row.style == 1 ? 70.0f : 30.0f);
    Arm(spread, near, armUp, 60.0f, 10.0f);
    Arm(spread, far, armUp, 35.0f, 20.0f);
    const float c = float(row.contactFrom);
    Pose p = Interpolate({{0.0f, KeeperSet()},
                          {c, spread},
                          {float(row.contactTo), spread},
                          {float(row.frames - 1), KeeperSet()}},
                         float(f));
    if (row.style == 2) p[kLift] = JumpLift(float(f), c + 3.0f, 0.2f, 8.0f);
    return p;
}

// Dives: a push-off to the side, the body laid out in the air with both
// hands reaching past the head, a landing on the side.
Pose KeeperDivePose(const MotionClipRow& row, int f) {
    const float sign = row.side == kLeft ? 1.0f : -1.0f;
    const int near = row.side, far = 1 - row.side;
    const float w0 = float(row.contactFrom), w1 = float(row.contactTo);
    const float peak = std::min(w1, w0 + std::max(1.0f, (w1 - w0) * 0.4f));
    const float land = std::min(float(row.frames - 1), w1 + 5.0f);
    Pose set = KeeperSet();
    Pose push = KeeperSet();
    push[kRoll] = sign * 15.0f;
    Leg(push, near, push[size_t(kHip + near)], 30.0f, 25.0f);
    Leg(push, far, push[size_t(kHip + far)] + 10.0f, 55.0f, 5.0f);
    for (int s : {kLeft, kRight}) Arm(push, s, 70.0f, -16.0f, 30.0f);  // hands together from the start

    // In the air: low dives lie almost flat, high ones stretch upwards.
    const float tilt = row.style == 0 ? 82.0f : (row.style == 1 ? 72.0f : 55.0f);
    Pose flight = Upright();
    flight[kRoll] = sign * tilt;
    flight[kSideBend] = sign * 8.0f;
    for (int s : {kLeft, kRight}) {
        Arm(flight, s, 175.0f, -13.0f, 5.0f);
        Leg(flight, s, 10.0f, s == near ? 25.0f : 10.0f, s == near ? 4.0f : 14.0f);
    }
    flight[kLift] = row.style == 0 ? 0.05f : (row.style == 1 ? 0.35f : 0.75f);
    Pose reaching = flight;
    reaching[kLift] *= 0.9f;
    Pose down = flight;
    down[kRoll] = sign * 88.0f;
    down[kLift] = 0.0f;
    for (int s : {kLeft, kRight}) Arm(down, s, 150.0f, -12.0f, 50.0f);  // ball gathered in
    down[kNod] = -10.0f;
    std::vector<Key> keys = {{0.0f, set}};
    if (w0 - 3.0f > 0.5f) keys.push_back({std::max(1.0f, w0 - 3.0f), push});
    keys.push_back({std::max(keys.back().frame + 1.0f, peak), flight});
    if (w1 > keys.back().frame) keys.push_back({w1, reaching});
    if (land > keys.back().frame) keys.push_back({land, down});
    if (float(row.frames - 1) > keys.back().frame) keys.push_back({float(row.frames - 1), down});
    return Interpolate(keys, float(f));
}

Pose SmotherPose(const MotionClipRow& row, int f) {
    const float sign = row.side == kLeft ? 1.0f : -1.0f;
    Pose set = KeeperSet();
    Pose lunge = Crouch(30.0f);
    lunge[kLean] = 60.0f;
    lunge[kYaw] = sign * 20.0f;
    for (int s : {kLeft, kRight}) Arm(lunge, s, 110.0f, -10.0f, 15.0f);
    Pose down = lunge;
    down[kLean] = 80.0f;
    down[kRoll] = sign * 30.0f;
    for (int s : {kLeft, kRight}) Leg(down, s, 20.0f, 40.0f, 8.0f);
    return Interpolate(
        {{0.0f, set}, {10.0f, lunge}, {float(row.contactFrom), down}, {float(row.frames - 1), down}},
        float(f));
}

Pose GatherPose(const MotionClipRow& row, int f) {
    const float sign = row.side == kLeft ? 1.0f : -1.0f;
    Pose down = Crouch(30.0f);
    down[kLean] = 80.0f;
    down[kRoll] = sign * 30.0f;
    for (int s : {kLeft, kRight}) Arm(down, s, 110.0f, -14.0f, 20.0f);
    Pose hug = Crouch(40.0f);
    hug[kLean] = 35.0f;
    HoldAtChest(hug);
    Pose up = Upright();
    HoldAtChest(up);
    return Interpolate({{0.0f, down}, {float(row.contactFrom), hug}, {float(row.frames - 1), up}}, float(f));
}

Pose TipOverPose(const MotionClipRow& row, int f) {
    const float c = float(row.contactFrom);
    const int hand = row.side;
    Pose set = KeeperSet();
    Pose reach = Upright();
    reach[kLean] = -25.0f;
    if (row.style == 1) reach[kRoll] = row.side == kLeft ? 30.0f : -30.0f;
    Arm(reach, hand, 175.0f, 5.0f, 10.0f);
    Arm(reach, 1 - hand, 90.0f, 30.0f, 40.0f);
    for (int s : {kLeft, kRight}) Leg(reach, s, HipFor(reach, 10.0f), 30.0f, 6.0f, -20.0f);
    Pose p = Interpolate({{0.0f, set},
                          {c - 8.0f, Crouch(25.0f)},
                          {c, reach},
                          {c + 14.0f, Crouch(15.0f)},
                          {float(row.frames - 1), KeeperSet()}},
                         float(f));
    p[kLift] = JumpLift(float(f), c, 0.5f, 10.0f);
    return p;
}

Pose JumpPunchPose(const MotionClipRow& row, int f) {
    const float c = float(row.contactFrom);
    Pose cocked = Crouch(25.0f);
    for (int s : {kLeft, kRight}) Arm(cocked, s, 120.0f, -10.0f, 110.0f);
    Pose punch = Upright();
    for (int s : {kLeft, kRight}) {
        Arm(punch, s, 170.0f, -8.0f, 5.0f);
        Leg(punch, s, 30.0f, 55.0f, 5.0f, -20.0f);
    }
    Leg(punch, kLeft, 55.0f, 85.0f, 5.0f);
    Pose p = Interpolate({{0.0f, KeeperSet()},
                          {c - 8.0f, cocked},
                          {c, punch},
                          {c + 14.0f, Crouch(15.0f)},
                          {float(row.frames - 1), KeeperSet()}},
                         float(f));
    p[kLift] = JumpLift(float(f), c, 0.55f, 10.0f);
    return p;
}

Pose PostGuardPose(const MotionClipRow& row, int f) {
    Pose p = KeeperSet();
    Arm(p, row.side, 85.0f, 75.0f, 15.0f);  // a hand on the post
    p[kHeadTurn] = 10.0f * std::sin(float(f) * 0.15f);
    p[kRoll] = row.side == kLeft ? 6.0f : -6.0f;
    return p;
}

Pose KeeperStancePose(const MotionClipRow& row, int f) {
    const float w = std::sin(2.0f * kPiF * Phase(f, row.frames));
    Pose p = row.style == 1 ? Crouch(26.0f) : KeeperSet();
    if (row.style == 1) {
        for (int s : {kLeft, kRight}) Arm(p, s, 35.0f, 25.0f, 55.0f);
    }
    p[kRoll] = 2.5f * w;
    if (row.style == 2) p[kLift] = 0.03f * std::fabs(w);
    return p;
}

Pose KeeperBouncePose(const MotionClipRow& row, int f) {
    const float w = std::sin(4.0f * kPiF * Phase(f, row.frames));
    Pose p = KeeperSet();
    for (int s : {kLeft, kRight}) Arm(p, s, 40.0f, 70.0f, 15.0f);
    p[kRoll] = 6.0f * std::sin(2.0f * kPiF * Phase(f, row.frames));
    p[kLift] = 0.06f * std::fabs(w);
    return Interpolate(
        {{0.0f, KeeperSet()}, {8.0f, p}, {float(row.frames - 8), p}, {float(row.frames - 1), KeeperSet()}},
        float(f));
}

// The goal kick: the ball placed, a run-up moved by the engine's steps,
// the kick at the release frame.
Pose GoalKickPose(const MotionClipRow& row, int f) {
    const float c = float(row.contactFrom);
    if (f >= 16 && float(f) < c - 8.0f) return GaitPose(GaitFor(84, 22, false), float(f - 16) / 22.0f);
    MotionClipRow kick = row;
    kick.kind = kKick;
    kick.style = 2;
    kick.speed = 0;
    kick.contactFrom = row.contactFrom - 2;
    kick.contactTo = row.contactFrom + 2;
    if (float(f) >= c - 8.0f) {
        const Pose strike = StrikePose(kick, f);
        if (float(f) < c - 4.0f) {
            return Blend(GaitPose(GaitFor(84, 22, false), (c - 8.0f - 16.0f) / 22.0f), strike,
                         (float(f) - (c - 8.0f)) / 4.0f);
        }
        return strike;
    }
    return Interpolate({{0.0f, Upright()}, {16.0f, GaitPose(GaitFor(84, 22, false), 0.0f)}}, float(f));
}

// The kick from the hands: the ball held while the keeper looks up and
// walks forward, dropped onto the foot at the release frame.
Pose DropKickPose(const MotionClipRow& row, int f) {
    const float release = float(row.contactFrom);
    Pose hold = Upright();
    HoldAtChest(hold);
    if (float(f) < 114.0f) {
        hold[kHeadTurn] = 25.0f * std::sin(float(f) * 0.06f);
        return hold;
    }
    if (float(f) < release - 8.0f) {
        Pose p = GaitPose(GaitFor(40, 30, true), float(f - 114) / 30.0f);
        HoldAtChest(p);
        return p;
    }
    Pose start = GaitPose(GaitFor(40, 30, true), (release - 8.0f - 114.0f) / 30.0f);
    HoldAtChest(start);
    Pose drop = Crouch(6.0f);
    for (int s : {kLeft, kRight}) Arm(drop, s, 80.0f, -20.0f, 5.0f);
    Leg(drop, row.side, HipFor(drop, -15.0f), 80.0f, 4.0f);
    Pose kick = Upright();
    kick[kLean] = -10.0f;
    for (int s : {kLeft, kRight}) Arm(kick, s, 40.0f, 55.0f, 20.0f);
    Leg(kick, row.side, HipFor(kick, 70.0f), 5.0f, 2.0f, -20.0f);
    return Interpolate({{release - 8.0f, start},
                        {release, drop},
                        {release + 4.0f, kick},
                        {float(row.frames - 1), Upright()}},
                       float(f));
}

// ---- Challenges, falls and slides -----------------------------------------------

Pose SlidePose(const MotionClipRow& row, int f) {
    const int k = row.side, p = 1 - row.side;
    const float c = float(row.contactFrom);
    const float rest = float(std::min(row.frames - 12, row.contactTo + 10));
    const Gait g = GaitFor(row.speed, 22, false);
    Pose run = GaitPose(g, 0.0f);
    Pose slide = Upright();
    if (row.style == 2) {  // a stretching poke, staying up
        slide = Crouch(30.0f);
        slide[kLean] = -10.0f;
        Leg(slide, k, HipFor(slide, 70.0f), 5.0f, 4.0f, -10.0f);
        Leg(slide, p, HipFor(slide, 10.0f), 80.0f, 4.0f);
    } else {
        slide[kLean] = -55.0f;
        slide[kRoll] = k == kRight ? 15.0f : -15.0f;
        Leg(slide, k, HipFor(slide, 88.0f), 0.0f, 2.0f, -10.0f);
        if (row.style == 1) {
            Leg(slide, p, HipFor(slide, 85.0f), 5.0f, 2.0f, -10.0f);
        } else {
            Leg(slide, p, HipFor(slide, 40.0f), 95.0f, 6.0f);
        }
        Arm(slide, p, -35.0f, 40.0f, 10.0f);
        Arm(slide, k, 45.0f, 40.0f, 30.0f);
    }
    return Interpolate({{0.0f, run}, {c - 6.0f, slide}, {rest, slide}, {float(row.frames - 1), Upright()}},
                       float(f));
}

Pose TacklePose(const MotionClipRow& row, int f) {
    const int k = row.side;
    const float c = float(row.contactFrom) + 2.0f;
    Pose set = Crouch(15.0f);
    for (int s : {kLeft, kRight}) Arm(set, s, 20.0f, 30.0f, 40.0f);
    Pose block = Crouch(25.0f);
    block[kLean] = -5.0f;
    Leg(block, k, HipFor(block, 55.0f), 10.0f, -8.0f, 15.0f);
    Leg(block, 1 - k, HipFor(block, 5.0f), 55.0f, 5.0f);
    for (int s : {kLeft, kRight}) Arm(block, s, 25.0f, 45.0f, 35.0f);
    return Interpolate({{0.0f, GaitPose(GaitFor(row.speed, 22, false), 0.5f)},
                        {c - 8.0f, set},
                        {c, block},
                        {c + 6.0f, block},
                        {float(row.frames - 1), Crouch(8.0f)}},
                       float(f));
}

Pose ChallengePose(const MotionClipRow& row, int f) {
    const float sign = row.side == kLeft ? 1.0f : -1.0f;
    Pose lean = Crouch(18.0f);
    lean[kRoll] = sign * 14.0f;
    lean[kTwist] = sign * -10.0f;
    Arm(lean, row.side, -5.0f, 15.0f, 60.0f);
    Arm(lean, 1 - row.side, 30.0f, 40.0f, 50.0f);
    Pose push = lean;
    push[kRoll] = sign * 22.0f;
    return Interpolate({{0.0f, Crouch(8.0f)},
                        {float(row.contactFrom), lean},
                        {float(row.contactFrom + row.contactTo) * 0.5f, push},
                        {float(row.contactTo), lean},
                        {float(row.frames - 1), Crouch(8.0f)}},
                       float(f));
}

Pose StaggerPose(const MotionClipRow& row, int f) {
    const float t = Phase(f, row.frames);
    Pose p = GaitPose(GaitFor(60, 20, false), float(f) / 20.0f);
    const float wobble = std::sin(2.0f * kPiF * t * 2.0f) * (1.0f - t);
    p[kLean] = row.style == 1 ? -15.0f * (1.0f - t) : 18.0f * (1.0f - t);
    p[kRoll] = 14.0f * wobble;
    for (int s : {kLeft, kRight}) Arm(p, s, 40.0f, 55.0f * (1.0f - t) + 10.0f, 20.0f);
    return Blend(p, Upright(), std::clamp((t - 0.7f) / 0.3f, 0.0f, 1.0f));
}

// Falls forward end lying face down; style 2 lies still from frame 60.
Pose FallPose(const MotionClipRow& row, int f) {
    Pose run = GaitPose(GaitFor(90, 22, false), 0.25f);
    Pose trip = run;
    trip[kLean] = 35.0f;
    for (int s : {kLeft, kRight}) Arm(trip, s, 80.0f, 30.0f, 20.0f);
    Leg(trip, kRight, HipFor(trip, -30.0f), 60.0f, 4.0f);
    Pose prone = Upright();
    prone[kLean] = 88.0f;
    for (int s : {kLeft, kRight}) {
        Arm(prone, s, 150.0f, 20.0f, 60.0f);
        Leg(prone, s, 0.0f, 10.0f, 8.0f, -30.0f);
    }
    if (row.style == 1) {  // arms flung forward
        for (int s : {kLeft, kRight}) Arm(prone, s, 170.0f, 10.0f, 10.0f);
    }
    const float down = row.style == 1 ? 16.0f : 24.0f;
    if (row.style == 2) {
        return Interpolate(
            {{0.0f, run}, {12.0f, trip}, {down, prone}, {60.0f, prone}, {float(row.frames - 1), prone}},
            float(f));
    }
    Pose kneel = Crouch(45.0f);
    kneel[kLean] = 40.0f;
    return Interpolate({{0.0f, run},
                        {10.0f, trip},
                        {down, prone},
                        {float(row.frames) - 22.0f, prone},
                        {float(row.frames) - 10.0f, kneel},
                        {float(row.frames - 1), Upright()}},
                       float(f));
}

Pose FallSidePose(const MotionClipRow& row, int f) {
    const float sign = row.side == kLeft ? 1.0f : -1.0f;
    Pose start = GaitPose(GaitFor(70, 22, false), 0.0f);
    Pose topple = Crouch(20.0f);
    topple[kRoll] = sign * 35.0f;
    Arm(topple, row.side, 60.0f, 60.0f, 20.0f);
    Pose lying = Upright();
    lying[kRoll] = sign * 86.0f;
    lying[kLean] = row.style == 1 ? -20.0f : 10.0f;
    for (int s : {kLeft, kRight}) {
        Leg(lying, s, 25.0f, 40.0f, 8.0f);
        Arm(lying, s, 60.0f, 20.0f, 50.0f);
    }
    Pose up = Crouch(35.0f);
    up[kLean] = 30.0f;
    return Interpolate({{0.0f, start},
                        {10.0f, topple},
                        {20.0f, lying},
                        {float(row.frames) - 22.0f, lying},
                        {float(row.frames) - 10.0f, up},
                        {float(row.frames - 1), Upright()}},
                       float(f));
}

Pose GetUpPose(const MotionClipRow& row, int f) {
    Pose prone = Upright();
    prone[kLean] = 88.0f;
    for (int s : {kLeft, kRight}) Arm(prone, s, 120.0f, 25.0f, 80.0f);
    Pose kneel = Crouch(45.0f);
    kneel[kLean] = 40.0f;
    for (int s : {kLeft, kRight}) Arm(kneel, s, 50.0f, 20.0f, 20.0f);
    return Interpolate(
        {{0.0f, prone}, {float(row.frames) * 0.45f, kneel}, {float(row.frames - 1), Upright()}}, float(f));
}

Pose InjuredPose(const MotionClipRow& row, int f) {
    const float w = std::sin(2.0f * kPiF * Phase(f, row.frames) * 2.0f);
    Pose p = Upright();
    p[kLean] = -86.0f;
    p[kRoll] = 10.0f * w;
    Leg(p, kRight, 75.0f, 110.0f, 10.0f);
    Leg(p, kLeft, 10.0f, 20.0f, 8.0f);
    for (int s : {kLeft, kRight}) Arm(p, s, 70.0f, -10.0f, 60.0f);
    p[kNod] = 25.0f;
    return p;
}

Pose HurdlePose(const MotionClipRow& row, int f) {
    const Gait g = GaitFor(row.speed, 20, false);
    const float c = float(row.frames) * 0.45f;
    Pose tuck = Upright();
    tuck[kLean] = 12.0f;
    for (int s : {kLeft, kRight}) {
        Leg(tuck, s, 70.0f, 100.0f, 6.0f);
        Arm(tuck, s, 100.0f, 50.0f, 40.0f);
    }
    Pose p = Interpolate({{0.0f, GaitPose(g, 0.0f)},
                          {c - 6.0f, GaitPose(g, 0.3f)},
                          {c, tuck},
                          {c + 8.0f, GaitPose(g, 0.5f)},
                          {float(row.frames - 1), GaitPose(g, 0.75f)}},
                         float(f));
    p[kLift] = JumpLift(float(f), c, 0.45f, 8.0f);
    return p;
}

Pose HandballPose(const MotionClipRow& row, int f) {
    const int s = row.side;
    Pose raised = Crouch(10.0f);
    Arm(raised, s, 110.0f, 40.0f, 25.0f);
    raised[kHeadTurn] = s == kLeft ? 30.0f : -30.0f;
    Pose look = Upright();
    Arm(look, s, 45.0f, 15.0f, 90.0f);
    look[kNod] = 25.0f;
    look[kHeadTurn] = s == kLeft ? 35.0f : -35.0f;
    return Interpolate({{0.0f, Crouch(8.0f)},
                        {float(row.contactFrom), raised},
                        {float(row.contactTo), raised},
                        {float(row.frames - 1), look}},
                       float(f));
}

// Dummies: a feint over the ball, then a push past at the contact frame.
Pose DummyPose(const MotionClipRow& row, int f) {
    const float sign = row.side == kLeft ? 1.0f : -1.0f;
    const float c = float(row.contactFrom);
    const int over = row.side == kLeft ? kRight : kLeft;
    Pose base = Crouch(12.0f);
    for (int s : {kLeft, kRight}) Arm(base, s, 20.0f, 35.0f, 40.0f);
    Pose feint = base;
    feint[kRoll] = -sign * 15.0f;
    feint[kYaw] = -sign * 20.0f;
    if (row.style == 1) Leg(feint, over, HipFor(feint, 35.0f), 50.0f, -20.0f);  // leg circling the ball
    Pose push = base;
    push[kRoll] = sign * 12.0f;
    push[kYaw] = sign * 25.0f;
    Leg(push, 1 - over, HipFor(push, 30.0f), 20.0f, 15.0f, -10.0f);
    return Interpolate(
        {{0.0f, base}, {c * 0.5f, feint}, {c - 5.0f, base}, {c, push}, {float(row.frames - 1), base}},
        float(f));
}

Pose KnockPastPose(const MotionClipRow& row, int f) {
    const float c = float(row.contactFrom);
    const Gait g = GaitFor(row.speed, 22, false);
    if (float(f) > c + 4.0f) return GaitPose(g, (float(f) - c) / 22.0f);
    Pose shape = Crouch(12.0f);
    shape[kNod] = 20.0f;
    shape[kRoll] = 4.0f * std::sin(float(f) * 0.3f);
    for (int s : {kLeft, kRight}) Arm(shape, s, 20.0f, 30.0f, 45.0f);
    Pose knock = shape;
    Leg(knock, row.side, HipFor(knock, 32.0f), 15.0f, 4.0f, -15.0f);
    return Interpolate({{0.0f, shape}, {c - 6.0f, shape}, {c, knock}, {c + 4.0f, GaitPose(g, 4.0f / 22.0f)}},
                       float(f));
}

// ---- Standing about, reactions and celebrations -----------------------------------

Pose IdlePose(const MotionClipRow& row, int f) {
    const float t = Phase(f, row.frames);
    const float w = std::sin(2.0f * kPiF * t);
    const float hump = std::sin(kPiF * t);
    Pose p = Upright();
    switch (row.style) {
        case 0:  // a lunge to stretch the legs
            Leg(p, kLeft, 40.0f * hump, 55.0f * hump, 6.0f);
            Leg(p, kRight, -12.0f * hump, 5.0f, 6.0f);
            p[kLean] = 15.0f * hump;
            for (int s : {kLeft, kRight}) Arm(p, s, 30.0f * hump, 10.0f, 60.0f * hump);
            break;
        case 1:
            p[kHeadTurn] = 45.0f * w;
            p[kYaw] = 8.0f * w;
            break;
        case 2:  // arms up, up on the toes
            for (int s : {kLeft, kRight}) Arm(p, s, 170.0f * hump, 10.0f, 10.0f);
            p[kLift] = 0.04f * hump;
            p[kLean] = -6.0f * hump;
            break;
        case 3:
            p[kLift] = 0.05f * std::fabs(std::sin(6.0f * kPiF * t)) * hump;
            for (int s : {kLeft, kRight}) Arm(p, s, 10.0f, 12.0f, 30.0f);
            break;
        default:  // swinging the arms
            for (int s : {kLeft, kRight})
                Arm(p, s, 60.0f * w * (s == kLeft ? 1.0f : -1.0f) * hump, 12.0f, 15.0f);
            p[kTwist] = 12.0f * w * hump;
            break;
    }
    return p;
}

Pose ReactionPose(const MotionClipRow& row, int f) {
    const float t = Phase(f, row.frames);
    const float on = std::clamp(std::min(t, 1.0f - t) * 6.0f, 0.0f, 1.0f);  // into the gesture and out
    const float beat = std::sin(2.0f * kPiF * t * 5.0f);
    Pose g = Upright();
    switch (row.style) {
        case 0:  // applauding
            for (int s : {kLeft, kRight}) Arm(g, s, 70.0f, -8.0f + 10.0f * beat, 90.0f);
            break;
        case 1:  // urging on
            for (int s : {kLeft, kRight}) Arm(g, s, 60.0f + 20.0f * beat, 20.0f, 70.0f + 30.0f * beat);
            g[kLean] = 8.0f;
            break;
        case 2:  // thumbs up
            Arm(g, kRight, 80.0f, 10.0f, 70.0f);
            break;
        case 3:  // waving
            Arm(g, kRight, 155.0f, 25.0f, 35.0f + 25.0f * beat);
            break;
        case 4:  // both arms up
            for (int s : {kLeft, kRight}) Arm(g, s, 160.0f, 25.0f + 8.0f * beat, 15.0f);
            break;
        default:  // pointing and shouting
            Arm(g, kRight, 90.0f, 15.0f, 0.0f);
            g[kLean] = 10.0f;
            g[kNod] = -10.0f;
            break;
    }
    return Blend(Upright(), g, on);
}

Pose CelebratePose(const MotionClipRow& row, int f) {
    const float t = Phase(f, row.frames);
    const float on = std::clamp(std::min(t, 1.0f - t) * 5.0f, 0.0f, 1.0f);
    const float beat = std::sin(2.0f * kPiF * t * 4.0f);
    const int s = row.side;
    Pose g = Upright();
    switch (row.style) {
        case 0:  // fist pump
            Arm(g, s, 100.0f + 30.0f * beat, 20.0f, 120.0f);
            g[kNod] = -10.0f;
            g[kLean] = -5.0f;
            if (row.clip == 317) Arm(g, 1 - s, 100.0f + 30.0f * beat, 20.0f, 120.0f);
            break;
        case 1: {  // sliding on the knees, arms up
            Pose kneel = Upright();
            kneel[kLean] = -25.0f;
            for (int a : {kLeft, kRight}) {
                Leg(kneel, a, HipFor(kneel, 0.0f), 95.0f, 10.0f, -30.0f);
                Arm(kneel, a, 165.0f, 25.0f, 10.0f);
            }
            kneel[kNod] = -25.0f;
            const Pose run = GaitPose(GaitFor(std::max(row.speed, 40), 22, false), float(f) / 22.0f);
            return Interpolate({{0.0f, run},
                                {12.0f, run},
                                {20.0f, kneel},
                                {float(row.frames) - 14.0f, kneel},
                                {float(row.frames - 1), Upright()}},
                               float(f));
        }
        case 2:  // jumping, fists up
            for (int a : {kLeft, kRight}) {
                Arm(g, a, 160.0f, 20.0f, 60.0f);
                Leg(g, a, 25.0f, 60.0f, 6.0f);
            }
            g[kLift] = 0.35f * std::max(0.0f, std::sin(2.0f * kPiF * t * 2.0f)) * on;
            break;
        case 3:  // arms spread wide
            for (int a : {kLeft, kRight}) Arm(g, a, 20.0f, 80.0f, 10.0f);
            g[kLean] = -8.0f;
            g[kNod] = -15.0f;
            break;
        case 4:  // pointing to the sky
            Arm(g, s, 170.0f, 10.0f, 0.0f);
            g[kNod] = -35.0f;
            break;
        case 5:  // embracing
            for (int a : {kLeft, kRight}) Arm(g, a, 80.0f, -25.0f, 70.0f);
            g[kLean] = 10.0f;
            g[kRoll] = 4.0f * beat;
            break;
        case 6: {  // running with the arms out
            Pose run = GaitPose(GaitFor(std::max(row.speed, 40), 22, false), float(f) / 22.0f);
            for (int a : {kLeft, kRight}) Arm(run, a, 10.0f, 80.0f, 5.0f);
            run[kRoll] = 12.0f * std::sin(2.0f * kPiF * t);
            return run;
        }
        case 7:  // dancing
            g[kRoll] = 10.0f * beat;
            Leg(g, kLeft, 30.0f * std::max(0.0f, beat), 50.0f * std::max(0.0f, beat), 6.0f);
            Leg(g, kRight, 30.0f * std::max(0.0f, -beat), 50.0f * std::max(0.0f, -beat), 6.0f);
            for (int a : {kLeft, kRight}) Arm(g, a, 60.0f, 30.0f, 90.0f);
            break;
        case 8:  // clapping overhead
            for (int a : {kLeft, kRight}) Arm(g, a, 160.0f, -6.0f + 8.0f * beat, 20.0f);
            break;
        case 9:  // hands to the head
            for (int a : {kLeft, kRight}) Arm(g, a, 150.0f, 40.0f, 120.0f);
            g[kNod] = -10.0f;
            break;
        case 10: {  // dropping to a crouch, fists clenched
            Pose low = Crouch(40.0f);
            for (int a : {kLeft, kRight}) Arm(low, a, 50.0f, 20.0f, 120.0f);
            low[kNod] = -20.0f;
            g = low;
            break;
        }
        default:  // saluting
            Arm(g, s, 80.0f, 45.0f, 140.0f);
            break;
    }
    return Blend(Upright(), g, on);
}

Pose DejectionPose(const MotionClipRow& row, int f) {
    const float t = Phase(f, row.frames);
    const float on = std::clamp(t * 4.0f, 0.0f, 1.0f);
    Pose g = Upright();
    switch (row.style) {
        case 0:
            for (int s : {kLeft, kRight}) Arm(g, s, -12.0f, 40.0f, 100.0f);
            g[kNod] = 35.0f;
            break;
        case 1:
            g = Crouch(12.0f);
            g[kLean] = 50.0f;
            for (int s : {kLeft, kRight}) Arm(g, s, 55.0f, 10.0f, 10.0f);
            g[kNod] = 20.0f;
            break;
        case 2:
            for (int s : {kLeft, kRight}) Arm(g, s, 150.0f, 40.0f, 120.0f);
            g[kNod] = 15.0f;
            break;
        case 3:  // on the knees
            g[kLean] = 15.0f;
            for (int s : {kLeft, kRight}) {
                Leg(g, s, HipFor(g, 0.0f), 95.0f, 8.0f, -30.0f);
                Arm(g, s, 10.0f, 10.0f, 20.0f);
            }
            g[kNod] = 35.0f;
            break;
        default:  // lying back on the grass
            g[kLean] = -86.0f;
            for (int s : {kLeft, kRight}) {
                Arm(g, s, 160.0f, 40.0f, 30.0f);
                Leg(g, s, 20.0f, 35.0f, 10.0f);
            }
            break;
    }
    return Blend(Upright(), g, on);
}

Pose RefArmPose(const MotionClipRow& row, int f) {
    Pose g = Upright();
    const int s = row.side;
    switch (row.style) {
        case 0:
            Arm(g, s, 175.0f, 5.0f, 5.0f);
            break;
        case 1:
            for (int a : {kLeft, kRight}) Arm(g, a, 80.0f, 12.0f, 5.0f);
            break;
        case 2:
            Arm(g, s, 50.0f, 10.0f, 0.0f);
            g[kNod] = 10.0f;
            break;
        default:
            Arm(g, s, 5.0f, 88.0f, 0.0f);
            g[kHeadTurn] = s == kLeft ? 25.0f : -25.0f;
            break;
    }
    const float c = float(row.contactFrom);
    return Interpolate(
        {{0.0f, Upright()}, {c, g}, {float(row.frames - 14), g}, {float(row.frames - 1), Upright()}},
        float(f));
}

Pose RefCardPose(const MotionClipRow& row, int f) {
    const int s = row.side;
    Pose pocket = Upright();
    Arm(pocket, s, 15.0f, 20.0f, 80.0f);
    pocket[kNod] = 10.0f;
    Pose shown = Upright();
    Arm(shown, s, 175.0f, 5.0f, 5.0f);
    shown[kNod] = -5.0f;
    const float c = float(row.contactFrom);
    return Interpolate({{0.0f, Upright()},
                        {c - 14.0f, pocket},
                        {c, shown},
                        {float(row.frames - 12), shown},
                        {float(row.frames - 1), Upright()}},
                       float(f));
}

Pose WallPose(const MotionClipRow& row, int f) {
    Pose p = Upright();
    if (row.style == 1) {
        for (int s : {kLeft, kRight}) Arm(p, s, 55.0f, -15.0f, 125.0f);
    } else {
        for (int s : {kLeft, kRight}) Arm(p, s, 25.0f, -14.0f, 15.0f);
    }
    for (int s : {kLeft, kRight}) p[size_t(kHipOut + s)] = 2.0f;
    return Blend(Upright(), p, std::clamp(float(f) / 10.0f, 0.0f, 1.0f));
}

Pose WallJumpPose(const MotionClipRow& row, int f) {
    Pose stand = Upright();
    for (int s : {kLeft, kRight}) Arm(stand, s, 25.0f, -14.0f, 15.0f);
    Pose crouch = Crouch(22.0f);
    for (int s : {kLeft, kRight}) Arm(crouch, s, 25.0f, -14.0f, 15.0f);
    Pose jump = stand;
    for (int s : {kLeft, kRight}) Leg(jump, s, 15.0f, 30.0f, 3.0f, -25.0f);
    if (row.style == 1) jump[kYaw] = 50.0f;
    const float c = 16.0f;
    Pose p = Interpolate(
        {{0.0f, stand}, {c - 7.0f, crouch}, {c, jump}, {c + 9.0f, crouch}, {float(row.frames - 1), stand}},
        float(f));
    p[kLift] = JumpLift(float(f), c, 0.35f, 7.0f);
    return p;
}

}  // namespace

Pose MotionPose(const MotionClipRow& row, int frame) {
    switch (row.kind) {
        case kStand:
            return StandPose(row, frame);
        case kReady:
            return ReadyPose(row, frame);
        case kTurnSpot:
            return TurnSpotPose(row, frame);
        case kSignal:
            return SignalPose(row, frame);
        case kWhistle:
            return WhistlePose(row, frame);
        case kWalk:
            return WalkPose(row, frame);
        case kWalkBack:
        case kCarryOverhead:
            return BackPose(row, frame, false);
        case kRunBack:
            return BackPose(row, frame, true);
        case kSideStep:
            return SideStepPose(row, frame);
        case kRun:
            return RunPose(row, frame);
        case kDribble:
            return DribblePose(row, frame);
        case kTurnBall:
            return TurnBallPose(row, frame);
        case kTurnGoal:
            return TurnGoalPose(row, frame);
        case kOnBall:
            return OnBallPose(row, frame);
        case kKick:
        case kSidePass:
        case kBackHeel:
        case kCross:
        case kVolley:
            return StrikePose(row, frame);
        case kHeader:
            return HeaderPose(row, frame);
        case kChest:
            return ChestPose(row, frame);
        case kFootControl:
            return FootControlPose(row, frame);
        case kThrowIn:
            return ThrowInPose(row, frame);
        case kStagger:
            return StaggerPose(row, frame);
        case kChallenge:
            return ChallengePose(row, frame);
        case kTackle:
            return TacklePose(row, frame);
        case kFall:
            return FallPose(row, frame);
        case kFallSide:
            return FallSidePose(row, frame);
        case kGetUp:
            return GetUpPose(row, frame);
        case kHurdle:
            return HurdlePose(row, frame);
        case kSlide:
            return SlidePose(row, frame);
        case kHandball:
            return HandballPose(row, frame);
        case kDummy:
            return DummyPose(row, frame);
        case kKnockPast:
            return KnockPastPose(row, frame);
        case kIdle:
            return IdlePose(row, frame);
        case kReaction:
            return ReactionPose(row, frame);
        case kCelebrate:
            return CelebratePose(row, frame);
        case kDejection:
            return DejectionPose(row, frame);
        case kInjured:
            return InjuredPose(row, frame);
        case kRefArm:
            return RefArmPose(row, frame);
        case kRefCard:
            return RefCardPose(row, frame);
        case kKeeperStance:
            return KeeperStancePose(row, frame);
        case kKeeperBounce:
            return KeeperBouncePose(row, frame);
        case kGoalKick:
            return GoalKickPose(row, frame);
        case kDropKick:
            return DropKickPose(row, frame);
        case kKeeperHold:
            return KeeperHoldPose(row, frame);
        case kKeeperThrow:
        case kThrow:
            return ThrowPose(row, frame);
        case kKeeperCatch:
            return KeeperCatchPose(row, frame);
        case kKeeperBlock:
            return KeeperBlockPose(row, frame);
        case kKeeperDive:
            return KeeperDivePose(row, frame);
        case kSmother:
            return SmotherPose(row, frame);
        case kGather:
            return GatherPose(row, frame);
        case kTipOver:
            return TipOverPose(row, frame);
        case kJumpPunch:
            return JumpPunchPose(row, frame);
        case kPostGuard:
            return PostGuardPose(row, frame);
        case kWallStand:
            return WallPose(row, frame);
        case kWallJump:
            return WallJumpPose(row, frame);
        case kPlaceBall:
            return PlaceBallPose(row, frame);
        case kPickUp:
            return PickUpPose(row, frame);
    }
    return Upright();
}

void MotionShapedStep(const MotionClipRow& row, int frame, float* dx, float* dz) {
    const float v = MotionRootSpeed(row.speed);
    *dx = 0.0f;
    *dz = 0.0f;
    switch (row.kind) {
        case kTurnBall: {
            // Carried round the turn until the touch; the engine steps after it.
            if (frame >= row.contactFrom) return;
            const float yaw = Radians(MotionPose(row, frame)[kYaw]);
            *dx = v * std::sin(yaw);
            *dz = -v * std::cos(yaw);
            return;
        }
        case kDummy:
            // Moving before the feint's pause and again after the push.
            if (frame < row.contactFrom - 5 || frame > row.contactFrom) *dz = -v;
            return;
        case kKnockPast:
            // Edging forward while shaping, then away after the ball.
            if (frame < 45) {
                *dz = -MotionRootSpeed(18);
            } else if (frame >= row.contactFrom) {
                *dz = -v;
            }
            return;
        case kCelebrate:
            // The runs of a celebration travel until they settle.
            if (frame < row.frames * 2 / 3) *dz = -v;
            return;
        default:
            return;
    }
}

std::array<Matrix, 19> PoseBoneMatrices(const Pose& pose) {
    auto rx = [](float degrees) {
        Matrix m;
        MatrixRotateX(&m, Radians(degrees));
        return m;
    };
    auto ry = [](float degrees) {
        Matrix m;
        MatrixRotateY(&m, Radians(degrees));
        return m;
    };
    auto rz = [](float degrees) {
        Matrix m;
        MatrixRotateZ(&m, Radians(degrees));
        return m;
    };
    // a then b: points are row vectors, so the product applies a first.
    auto then = [](const Matrix& a, const Matrix& b) {
        Matrix m;
        MatrixMultiply(&m, &a, &b);
        return m;
    };
    std::array<Matrix, 19> w;
    MatrixIdentity(&w[0]);
    w[BONE_PELVIS] = then(then(rx(pose[kLean]), rz(pose[kRoll])), ry(pose[kYaw]));
    const Matrix trunkHalf =
        then(then(rx(pose[kBend] * 0.5f), rz(pose[kSideBend] * 0.5f)), ry(pose[kTwist] * 0.5f));
    w[BONE_ABDOMEN] = then(trunkHalf, w[BONE_PELVIS]);
    w[BONE_CHEST] = then(trunkHalf, w[BONE_ABDOMEN]);
    w[BONE_HEAD] = then(then(rx(pose[kNod]), ry(pose[kHeadTurn])), w[BONE_CHEST]);
    struct Limb {
        int side;
        uint16_t root, middle, end;
    };
    for (const Limb& arm : {Limb{kLeft, BONE_LEFT_SHOULDER, BONE_LEFT_UPPER_ARM, BONE_LEFT_FOREARM},
                            Limb{kRight, BONE_RIGHT_SHOULDER, BONE_RIGHT_UPPER_ARM, BONE_RIGHT_FOREARM}}) {
        const float outward =
            arm.side == kLeft ? -1.0f : 1.0f;  // a turn about z that lifts this arm outwards
        w[arm.root] = w[BONE_CHEST];
        w[arm.middle] =
            then(then(rz(outward * pose[size_t(kArmOut + arm.side)]), rx(-pose[size_t(kArmFwd + arm.side)])),
                 w[BONE_CHEST]);
        w[arm.end] = then(rx(-pose[size_t(kElbow + arm.side)]), w[arm.middle]);
        w[arm.end + 1] = w[arm.end];  // the hand follows the forearm
    }
    for (const Limb& leg : {Limb{kLeft, BONE_LEFT_THIGH, BONE_LEFT_SHIN, BONE_LEFT_FOOT},
                            Limb{kRight, BONE_RIGHT_THIGH, BONE_RIGHT_SHIN, BONE_RIGHT_FOOT}}) {
        const float outward = leg.side == kLeft ? -1.0f : 1.0f;
        w[leg.root] =
            then(then(rz(outward * pose[size_t(kHipOut + leg.side)]), rx(-pose[size_t(kHip + leg.side)])),
                 w[BONE_PELVIS]);
        w[leg.middle] = then(rx(pose[size_t(kKnee + leg.side)]), w[leg.root]);
        // Feet stay flat on the grass under an upright body whatever the
        // knees and hips do; lying down, they follow the shins.
        const float upright = std::clamp((85.0f - std::fabs(pose[kLean])) / 15.0f, 0.0f, 1.0f) *
                              std::clamp((60.0f - std::fabs(pose[kRoll])) / 30.0f, 0.0f, 1.0f);
        const float level = pose[size_t(kKnee + leg.side)] - pose[size_t(kHip + leg.side)] + pose[kLean];
        w[leg.end] = then(rx(-(pose[size_t(kAnkle + leg.side)] + upright * level)), w[leg.middle]);
    }
    return w;
}

}  // namespace datakit
