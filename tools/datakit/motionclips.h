// The 352 motion clips: the catalogue (data/motionclips.inc), the timing
// the match engine asks of them (data/motiontiming.inc), and the generator
// that draws every clip from keyframed poses of the kit's 18-bone figure.
//
// A pose gives each bone its turn relative to its parent in a few named
// angles (degrees); the generator composes them into each bone's whole
// rotation in the figure's frame (the game adds bone offsets down the
// chain but never composes rotations), stores the three angles the game's
// MatrixRotateXYZ rebuilds that rotation from, stands the figure on the
// grass by its lowest point, and lays the root along the clip's path.
// Forward is -z, the figure's left is +x; one model unit of root travel per
// frame moves a figure about 24.4 pitch units a tick at Pace 100, so a
// named speed L is a root speed of L / 1600 model units a frame.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "game/system/matrices.h"

namespace datakit {

enum class MotionKind {
    kStand,
    kReady,
    kTurnSpot,
    kSignal,
    kWhistle,
    kWalk,
    kWalkBack,
    kCarryOverhead,
    kSideStep,
    kRun,
    kRunBack,
    kDribble,
    kTurnBall,
    kTurnGoal,
    kOnBall,
    kKick,
    kSidePass,
    kBackHeel,
    kCross,
    kVolley,
    kHeader,
    kChest,
    kFootControl,
    kThrowIn,
    kStagger,
    kChallenge,
    kTackle,
    kFall,
    kFallSide,
    kGetUp,
    kHurdle,
    kSlide,
    kHandball,
    kDummy,
    kKnockPast,
    kIdle,
    kReaction,
    kCelebrate,
    kDejection,
    kInjured,
    kRefArm,
    kRefCard,
    kKeeperStance,
    kKeeperBounce,
    kGoalKick,
    kDropKick,
    kKeeperHold,
    kKeeperThrow,
    kThrow,
    kKeeperCatch,
    kKeeperBlock,
    kKeeperDive,
    kSmother,
    kGather,
    kTipOver,
    kJumpPunch,
    kPostGuard,
    kWallStand,
    kWallJump,
    kPlaceBall,
    kPickUp,
};

// How the root (the pelvis's x and z) travels.
enum class RootPath {
    kStill,    // stands where it is
    kStepped,  // the engine moves the figure by steps of its own: x and z constant
    kLoop,     // steady travel forward at the named speed
    kRunUp,    // travel forward at the named speed, easing to a stop at the contact
    kSlowing,  // a slide, fall or lunge: starts at the named speed and slows down
    kDive,     // a dive: sideways, from the push-off to the landing, slowing down
    kShaped,   // a path of the clip's own (turns, dummies, knock-ons, celebrations)
};

struct MotionClipRow {
    int clip;
    const char* name;
    MotionKind kind;
    int style;
    int side;  // 0 the figure's left (+x), 1 its right
    int frames;
    RootPath path;
    int speed;  // named speed, pitch units a tick at Pace 100
    int contactFrom, contactTo;
    int holdFrom, holdTo;
    const char* what;
};

struct MotionTimingRow {
    int clip;
    int lastFrame;  // the clip must have more frames than this; -1 for a loop row
    bool loop;
    const char* who;
};

std::span<const MotionClipRow> MotionCatalogue();
std::span<const MotionTimingRow> MotionTiming();

// The bone of the foot a strike clip kicks with.
int MotionKickingFoot(const MotionClipRow& row);

// Root speed, model units a frame, of a named pitch speed.
constexpr float MotionRootSpeed(int speed) { return float(speed) / 1600.0f; }

RootPath MotionRootPath(const MotionClipRow& row);
// Whether the clip is played as a loop by the engine (a loop timing row).
bool MotionClipLoops(int clip);

// A clip as generated: the stored frames and, per frame, the whole bone
// rotations they were meant to give (for the checks).
struct MotionFrameOut {
    float reference[3];
    float heldBall[3];
    std::array<uint32_t, 18> bones;
    std::array<Matrix, 18> intended;
};
struct MotionClipOut {
    std::vector<MotionFrameOut> frames;
};

MotionClipOut MakeMotionClip(const MotionClipRow& row);
// The clip file: u32 data size, u32 frame count, 100-byte frames.
std::vector<uint8_t> MotionClipFileBytes(const MotionClipOut& clip);

// Posed joint positions (relative to the root joint) of the standard figure
// for decoded bone words; index by bone number 1..18 (row 0 unused).
std::array<Vector, 19> MotionPoseJoints(const std::array<uint32_t, 18>& bones);
// Lowest point of the posed figure's solids, relative to the root joint.
float MotionPoseLowestPoint(const std::array<uint32_t, 18>& bones);

// Checks one generated clip against its row and the timing table; returns
// an empty string when it passes, else what fails.
std::string CheckMotionClip(const MotionClipRow& row, const MotionClipOut& clip);

// Stages all 352 clip files; ends the run naming the clip whose check fails.
void GenerateMotionClips();

}  // namespace datakit
