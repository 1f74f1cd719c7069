// The convention shared by the data kit, which builds the 3D world's
// models, and the match display, which loads them.
//
// Models are built in metres with y up.  On load the display turns every
// world model a quarter turn about x (so model y becomes the pitch's
// height axis), scales it by the pitch units to the metre and moves its
// origin to the centre spot.  The kit places model points through the
// inverse of that transform, so pitch features land exactly on the pitch
// coordinates the simulation uses.
//
// A surface's second 32-byte block is its material: a u32 of flags, then
// the material number as decimal text.  A named point ("cam_a3",
// "flare_2") is a one-point polygon on a surface of that name.
#pragma once
#include <cstdint>

#include "core/base/angles.h"
#include "core/match/matchstate.h"

namespace worldconv {

// ---- Pitch units -------------------------------------------------------------
constexpr float kUnitsPerYard = 16.0f;
constexpr float kUnitsPerMetre = 16.0f / 0.9144f;
constexpr float kCentreX = kDefaultPitch.centreX;
constexpr float kCentreY = kDefaultPitch.centreY;
constexpr float kLoadTurnX = kPiF / 2.0f;  // radians about x

constexpr float kTouchLineLowX = kDefaultPitch.left;
constexpr float kTouchLineHighX = kDefaultPitch.right;
constexpr float kGoalLineLowY = kDefaultPitch.top;
constexpr float kGoalLineHighY = kDefaultPitch.bottom;
constexpr float kPostLowX = kDefaultPitch.postLeftX;
constexpr float kPostHighX = kDefaultPitch.postRightX;
constexpr float kBarHeight = 43.0f;
constexpr float kPenaltySpotLowY = kDefaultPitch.penaltySpotLowY;
constexpr float kPenaltySpotHighY = kDefaultPitch.penaltySpotHighY;

// A point in pitch units: x across, y along the pitch, z up.
struct PitchPoint {
    float x, y, z;
};
// A point of a model in metres: y up.
struct ModelPoint {
    float x, y, z;
};

// The display's load transform: a quarter turn about x takes (x, y, z) to
// (x, -z, y); then the scale and the move to the centre spot.
constexpr PitchPoint ModelToPitch(ModelPoint m) {
    return {kCentreX + m.x * kUnitsPerMetre, kCentreY - m.z * kUnitsPerMetre, m.y * kUnitsPerMetre};
}
constexpr ModelPoint PitchToModel(PitchPoint p) {
    return {(p.x - kCentreX) / kUnitsPerMetre, p.z / kUnitsPerMetre, -(p.y - kCentreY) / kUnitsPerMetre};
}

// ---- Materials ---------------------------------------------------------------
constexpr uint32_t kMaterialFlagsAt = 0;   // u32 in the surface's second block
constexpr uint32_t kMaterialNumberAt = 4;  // decimal text, NUL-terminated
constexpr uint32_t kMaterialNumberSize = 28;

constexpr uint32_t kMaterialNet = 0x01;       // a goal net part, or the referee's card
constexpr uint32_t kMaterialBlended = 0x10;   // drawn with alpha blending
constexpr uint32_t kMaterialTwoSided = 0x20;  // drawn with culling off
constexpr uint32_t kMaterialUnshaded = 0x40;  // kept from the lights

// Part flags of a world object's part, from its material flags.
constexpr uint32_t kPartNet = 2;
constexpr uint32_t kPartBlended = 4;
constexpr uint32_t kPartUnshaded = 8;
constexpr uint32_t kPartTwoSided = 16;
constexpr uint32_t PartFlagsOfMaterial(uint32_t material) {
    return ((material & kMaterialNet) ? kPartNet : 0) | ((material & kMaterialBlended) ? kPartBlended : 0) |
           ((material & kMaterialTwoSided) ? kPartTwoSided : 0) |
           ((material & kMaterialUnshaded) ? kPartUnshaded : 0);
}

// ---- Named points --------------------------------------------------------------
constexpr const char* kCameraPointPrefix = "cam_a";  // cam_a1, cam_a2, ... with no gap
constexpr const char* kFlarePointPrefix = "flare_";
constexpr const char* kMarkPointPrefix = "mark_";
// Kind 5 floodlight models are stretched by this in height on load.
constexpr float kFloodlightHeightStretch = 2.0f;

// ---- Scales the display loads these models with ---------------------------------
constexpr float kBallScale = 38.0f;
constexpr float kSkidMarkScale = 2.0f;
using ::kBallRadiusUnits;  // the ball model is built to the simulation's ball

// ---- Textures --------------------------------------------------------------------
// Opaque textures are 24-bit TGA; see-through ones 32-bit with alpha.  Sides
// are powers of two up to this.
constexpr int kMaxTextureSide = 512;

}  // namespace worldconv
