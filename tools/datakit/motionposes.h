// Poses of the motion clips: a pose names each bone's turn relative to its
// parent in degrees, and each kind of clip gives the pose at every frame.
#pragma once
#include <array>

#include "game/system/matrices.h"
#include "tools/datakit/motionclips.h"

namespace datakit {

// Index 0 is the figure's left side, 1 its right.
enum PoseField {
    kLean,                  // whole body tipped forward (+) or back (-)
    kRoll,                  // whole body tipped towards its left (+)
    kYaw,                   // whole body turned to its left (+)
    kBend,                  // trunk bent forward above the pelvis
    kTwist,                 // chest turned to the left relative to the pelvis
    kSideBend,              // trunk bent towards the left
    kNod,                   // head down (+)
    kHeadTurn,              // head turned to the left
    kArmFwd,                // arm swung forward and up from hanging (180 = overhead), 2 fields
    kArmOut = kArmFwd + 2,  // arm raised out sideways, 2 fields
    kElbow = kArmOut + 2,   // elbow bent, 2 fields
    kHip = kElbow + 2,      // thigh swung forward, 2 fields
    kHipOut = kHip + 2,     // thigh raised out sideways, 2 fields
    kKnee = kHipOut + 2,    // knee bent, 2 fields
    kAnkle = kKnee + 2,     // toes raised, 2 fields
    kLift = kAnkle + 2,     // height of the lowest point above the grass, metres
    kPoseFieldCount,
};

using Pose = std::array<float, kPoseFieldCount>;

// The pose of the clip at a frame.
Pose MotionPose(const MotionClipRow& row, int frame);
// The root's travel from frame to frame + 1 for clips whose path is their
// own (x sideways to the left, z forward negative), in model units.
void MotionShapedStep(const MotionClipRow& row, int frame, float* dx, float* dz);
// Each bone's whole rotation in the figure's frame; index by bone 1..18.
std::array<Matrix, 19> PoseBoneMatrices(const Pose& pose);

}  // namespace datakit
