// The 3D models the data kit ships and their textures: the jointed
// humanoid figure of 18 bones and a textured cube, drawn from simple solids.
//
// The figure (metres, y up, facing -z, its left towards +x, feet on y = 0)
// has one joint point per bone, numbered bone - 1: the pelvis joint is
// point 0, the root, with no parent; every other joint hangs from its
// parent bone's joint and turns with the parent bone.  The points of each
// bone's solids hang from that bone's joint and carry its number, so a
// bone matrix turns the bone's solids about its joint.  Bones are numbered
// 1..18 in the order of the bone words of a motion clip frame; every
// parent is numbered lower than its children.  Surfaces are named after
// the kit parts they show, with the texture extension ("shirt.tga").
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "tools/datakit/tgawrite.h"
#include "tools/datakit/xyzwrite.h"

namespace datakit {

constexpr int FIGURE_BONE_COUNT = 18;

enum FigureBoneNumber : uint16_t {
    BONE_PELVIS = 1,
    BONE_ABDOMEN,
    BONE_CHEST,
    BONE_HEAD,
    BONE_LEFT_SHOULDER,
    BONE_LEFT_UPPER_ARM,
    BONE_LEFT_FOREARM,
    BONE_LEFT_HAND,
    BONE_RIGHT_SHOULDER,
    BONE_RIGHT_UPPER_ARM,
    BONE_RIGHT_FOREARM,
    BONE_RIGHT_HAND,
    BONE_LEFT_THIGH,
    BONE_LEFT_SHIN,
    BONE_LEFT_FOOT,
    BONE_RIGHT_THIGH,
    BONE_RIGHT_SHIN,
    BONE_RIGHT_FOOT,
};
static_assert(BONE_RIGHT_FOOT == FIGURE_BONE_COUNT);

struct FigureBone {
    const char* name;
    uint16_t parent;  // parent bone, 0 for the root
    XyzVec joint;     // where the bone starts, at rest, for the standard build
};
// Rows 1..18; row 0 is unused.
const std::array<FigureBone, FIGURE_BONE_COUNT + 1>& FigureBones();

// A build of the figure: scales of its height and of its breadth.
struct FigureShape {
    float height = 1.0f;
    float breadth = 1.0f;
};

// The figure's solids as boxes: the extents every figure model keeps, which
// the motion clips are posed against.
XyzModel MakeFigure(const FigureShape& shape = {});
// Height of the root (pelvis) joint at rest: the figure's reference height.
float FigureReferenceHeight(const FigureShape& shape = {});

Picture MakeCubeTexture();

// The player model of the clips' own build at the finest level (figures.h
// makes and stages every figure model).
constexpr const char* FIGURE_MODEL_PATH = "zudata\\d3d\\sskin\\models\\player\\short\\1000norm.xyz";
constexpr const char* CUBE_MODEL_PATH = "zudata\\d3d\\simple\\model\\cube.xyz";
constexpr const char* CUBE_TEXTURE_DIR = "zudata\\d3d\\simple\\textures";
constexpr const char* CUBE_TEXTURE_NAME = "cube";

// A one-metre cube centred on the origin, one surface named "cube".
XyzModel MakeCube();

// Stages the cube and its texture into the archive.
void GenerateModels();

}  // namespace datakit
