#include "tools/datakit/models.h"

#include <string>

#include "tools/datakit/stage.h"

namespace datakit {
namespace {

// The standard build: 1.80 m tall.
constexpr std::array<FigureBone, FIGURE_BONE_COUNT + 1> kBones = {{
    {"", 0, {0.0f, 0.0f, 0.0f}},
    {"pelvis", 0, {0.0f, 0.95f, 0.0f}},
    {"abdomen", BONE_PELVIS, {0.0f, 1.02f, 0.0f}},
    {"chest", BONE_ABDOMEN, {0.0f, 1.22f, 0.0f}},
    {"head", BONE_CHEST, {0.0f, 1.44f, 0.0f}},
    {"left shoulder", BONE_CHEST, {0.05f, 1.40f, 0.0f}},
    {"left upper arm", BONE_LEFT_SHOULDER, {0.23f, 1.40f, 0.0f}},
    {"left forearm", BONE_LEFT_UPPER_ARM, {0.23f, 1.12f, 0.0f}},
    {"left hand", BONE_LEFT_FOREARM, {0.23f, 0.88f, 0.0f}},
    {"right shoulder", BONE_CHEST, {-0.05f, 1.40f, 0.0f}},
    {"right upper arm", BONE_RIGHT_SHOULDER, {-0.23f, 1.40f, 0.0f}},
    {"right forearm", BONE_RIGHT_UPPER_ARM, {-0.23f, 1.12f, 0.0f}},
    {"right hand", BONE_RIGHT_FOREARM, {-0.23f, 0.88f, 0.0f}},
    {"left thigh", BONE_PELVIS, {0.09f, 0.90f, 0.0f}},
    {"left shin", BONE_LEFT_THIGH, {0.09f, 0.50f, 0.0f}},
    {"left foot", BONE_LEFT_SHIN, {0.09f, 0.08f, 0.0f}},
    {"right thigh", BONE_PELVIS, {-0.09f, 0.90f, 0.0f}},
    {"right shin", BONE_RIGHT_THIGH, {-0.09f, 0.50f, 0.0f}},
    {"right foot", BONE_RIGHT_SHIN, {-0.09f, 0.08f, 0.0f}},
}};

// How a solid takes its texture: the whole picture on every face, or the
// left half (the features) on the front and the right half elsewhere.
enum class Mapping { kWhole, kFace };

struct Solid {
    uint16_t bone;
    const char* texture;
    XyzBox box;  // x, z, y0, y1, bottom hx, hz, top hx, hz, front shift
    Mapping mapping;
};

// clang-format off
constexpr Solid kSolids[] = {
    {BONE_PELVIS, "shorts", {0.0f, 0.0f, 0.80f, 1.03f, 0.17f, 0.11f, 0.17f, 0.11f, 0.0f}, Mapping::kWhole},
    {BONE_ABDOMEN, "shirt", {0.0f, 0.0f, 1.02f, 1.23f, 0.16f, 0.10f, 0.18f, 0.11f, 0.0f}, Mapping::kWhole},
    {BONE_CHEST, "shirt", {0.0f, 0.0f, 1.22f, 1.44f, 0.18f, 0.11f, 0.20f, 0.11f, 0.0f}, Mapping::kWhole},
    {BONE_HEAD, "face", {0.0f, 0.0f, 1.43f, 1.54f, 0.05f, 0.05f, 0.05f, 0.05f, 0.0f}, Mapping::kWhole},
    {BONE_HEAD, "face", {0.0f, 0.0f, 1.53f, 1.76f, 0.09f, 0.10f, 0.095f, 0.11f, 0.0f}, Mapping::kFace},
    {BONE_HEAD, "hair", {0.0f, 0.01f, 1.70f, 1.80f, 0.10f, 0.115f, 0.09f, 0.10f, 0.0f}, Mapping::kWhole},
    {BONE_LEFT_SHOULDER, "shirt", {0.13f, 0.0f, 1.32f, 1.44f, 0.08f, 0.09f, 0.08f, 0.09f, 0.0f}, Mapping::kWhole},
    {BONE_LEFT_UPPER_ARM, "shirt", {0.23f, 0.0f, 1.14f, 1.42f, 0.055f, 0.055f, 0.06f, 0.06f, 0.0f}, Mapping::kWhole},
    {BONE_LEFT_FOREARM, "armhand", {0.23f, 0.0f, 0.89f, 1.14f, 0.04f, 0.04f, 0.047f, 0.047f, 0.0f}, Mapping::kWhole},
    {BONE_LEFT_HAND, "armhand", {0.23f, 0.0f, 0.76f, 0.89f, 0.035f, 0.02f, 0.04f, 0.025f, 0.0f}, Mapping::kWhole},
    {BONE_RIGHT_SHOULDER, "shirt", {-0.13f, 0.0f, 1.32f, 1.44f, 0.08f, 0.09f, 0.08f, 0.09f, 0.0f}, Mapping::kWhole},
    {BONE_RIGHT_UPPER_ARM, "shirt", {-0.23f, 0.0f, 1.14f, 1.42f, 0.055f, 0.055f, 0.06f, 0.06f, 0.0f}, Mapping::kWhole},
    {BONE_RIGHT_FOREARM, "armhand", {-0.23f, 0.0f, 0.89f, 1.14f, 0.04f, 0.04f, 0.047f, 0.047f, 0.0f}, Mapping::kWhole},
    {BONE_RIGHT_HAND, "armhand", {-0.23f, 0.0f, 0.76f, 0.89f, 0.035f, 0.02f, 0.04f, 0.025f, 0.0f}, Mapping::kWhole},
    {BONE_LEFT_THIGH, "shorts", {0.09f, 0.0f, 0.70f, 0.92f, 0.075f, 0.08f, 0.08f, 0.085f, 0.0f}, Mapping::kWhole},
    {BONE_LEFT_THIGH, "leg", {0.09f, 0.0f, 0.50f, 0.70f, 0.06f, 0.065f, 0.07f, 0.075f, 0.0f}, Mapping::kWhole},
    {BONE_LEFT_SHIN, "socks", {0.09f, 0.0f, 0.08f, 0.50f, 0.045f, 0.045f, 0.06f, 0.06f, 0.0f}, Mapping::kWhole},
    {BONE_LEFT_FOOT, "boots", {0.09f, 0.0f, 0.0f, 0.09f, 0.05f, 0.05f, 0.05f, 0.05f, 0.12f}, Mapping::kWhole},
    {BONE_RIGHT_THIGH, "shorts", {-0.09f, 0.0f, 0.70f, 0.92f, 0.075f, 0.08f, 0.08f, 0.085f, 0.0f}, Mapping::kWhole},
    {BONE_RIGHT_THIGH, "leg", {-0.09f, 0.0f, 0.50f, 0.70f, 0.06f, 0.065f, 0.07f, 0.075f, 0.0f}, Mapping::kWhole},
    {BONE_RIGHT_SHIN, "socks", {-0.09f, 0.0f, 0.08f, 0.50f, 0.045f, 0.045f, 0.06f, 0.06f, 0.0f}, Mapping::kWhole},
    {BONE_RIGHT_FOOT, "boots", {-0.09f, 0.0f, 0.0f, 0.09f, 0.05f, 0.05f, 0.05f, 0.05f, 0.12f}, Mapping::kWhole},
};
// clang-format on

XyzBox Scaled(XyzBox box, const FigureShape& shape) {
    box.x *= shape.breadth;
    box.z *= shape.breadth;
    box.y0 *= shape.height;
    box.y1 *= shape.height;
    box.bottom_hx *= shape.breadth;
    box.bottom_hz *= shape.breadth;
    box.top_hx *= shape.breadth;
    box.top_hz *= shape.breadth;
    box.z_shift *= shape.breadth;
    return box;
}

std::array<XyzUvRect, XYZ_BOX_FACES> Mapped(Mapping mapping) {
    std::array<XyzUvRect, XYZ_BOX_FACES> uv{};
    if (mapping == Mapping::kFace) {
        uv.fill(XyzUvRect{0.5f, 0.0f, 1.0f, 1.0f});
        uv[XYZ_FRONT] = XyzUvRect{0.0f, 0.0f, 0.5f, 1.0f};
    }
    return uv;
}

constexpr int kTextureSize = 64;

}  // namespace

const std::array<FigureBone, FIGURE_BONE_COUNT + 1>& FigureBones() { return kBones; }

float FigureReferenceHeight(const FigureShape& shape) { return kBones[BONE_PELVIS].joint.y * shape.height; }

XyzModel MakeFigure(const FigureShape& shape) {
    XyzModel model;
    // Joint points first, so every parent is numbered lower than its children.
    for (uint16_t bone = 1; bone <= FIGURE_BONE_COUNT; ++bone) {
        const FigureBone& row = kBones[bone];
        const XyzVec joint{row.joint.x * shape.breadth, row.joint.y * shape.height,
                           row.joint.z * shape.breadth};
        if (row.parent == 0) {
            XyzAddPoint(model, joint, bone, XYZ_NO_PARENT);
        } else {
            XyzAddPoint(model, joint, row.parent, uint16_t(row.parent - 1));
        }
    }
    for (const Solid& solid : kSolids) {
        const uint32_t surface = XyzSurfaceNamed(model, std::string(solid.texture) + ".tga");
        XyzAddBox(model, surface, Scaled(solid.box, shape), solid.bone, uint16_t(solid.bone - 1),
                  Mapped(solid.mapping));
    }
    return model;
}

XyzModel MakeCube() {
    XyzModel model;
    const uint32_t surface = XyzSurfaceNamed(model, CUBE_TEXTURE_NAME);
    const XyzBox box{0.0f, 0.0f, -0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f};
    XyzAddBox(model, surface, box, 0, XYZ_NO_PARENT, {});
    return model;
}

Picture MakeCubeTexture() {
    Picture p = MakePicture(kTextureSize, kTextureSize, 0xFFE6E6E6);
    FillRect(p, 0, 0, kTextureSize, 4, 0xFF1E3C96);
    FillRect(p, 0, kTextureSize - 4, kTextureSize, kTextureSize, 0xFF1E3C96);
    FillRect(p, 0, 0, 4, kTextureSize, 0xFF1E3C96);
    FillRect(p, kTextureSize - 4, 0, kTextureSize, kTextureSize, 0xFF1E3C96);
    FillRect(p, 20, 20, 44, 44, 0xFFF08C1E);
    return p;
}

void GenerateModels() {
    StagePakFile(CUBE_MODEL_PATH, XyzWrite(MakeCube()));
    StagePakFile(std::string(CUBE_TEXTURE_DIR) + "\\" + CUBE_TEXTURE_NAME + ".tga",
                 TgaWrite(MakeCubeTexture()));
}

}  // namespace datakit
