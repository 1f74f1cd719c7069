#include "tools/datakit/figures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "core/base/angles.h"
#include "game/match3d/kitpalette.h"
#include "game/system/modeldata.h"
#include "tools/datakit/shirtdesigns.h"
#include "tools/datakit/stage.h"

namespace datakit {
namespace {

// ---------------------------------------------------------------------------
// Solids.

// How a solid's texture wraps it.
enum class Wrap {
    kAround,   // u once round the solid from the back centre, front at 0.5
    kSleeveL,  // the picture's outer strip on the +x side
    kSleeveR,  // and on the -x side
};

struct Solid {
    uint16_t bone;
    const char* part;  // the KitPart row it shows
    XyzBox box;
    uint8_t levels;  // bit i: drawn at level of detail i
    bool capTop, capBottom;
    Wrap wrap;
    float v0, v1;            // rows of the picture the solid's height takes
    const char* topCapPart;  // another part on the top cap, or null
};

// The levels of detail: sides of the rounded solids, and whether limbs
// keep their end caps.
struct Level {
    int sides;
    bool limbCaps;
};
constexpr Level kLevels[4] = {{10, true}, {8, true}, {4, true}, {4, false}};

constexpr uint8_t kAll = 0x0F;
constexpr uint8_t kFine = 0x07;    // levels 1000, 600, 350
constexpr uint8_t kCoarse = 0x08;  // level 150

// clang-format off
// The standard (short) build, in metres; the same extents at every level so
// a change of level does not pop.
constexpr Solid kSolids[] = {
    {BONE_PELVIS, "shorts", {0.0f, 0.0f, 0.80f, 1.03f, 0.17f, 0.11f, 0.17f, 0.11f, 0.0f}, kAll, true, true, Wrap::kAround, 0.0f, 0.5f, nullptr},
    {BONE_ABDOMEN, "shirt", {0.0f, 0.0f, 1.02f, 1.23f, 0.16f, 0.10f, 0.18f, 0.11f, 0.0f}, kAll, false, false, Wrap::kAround, 0.5f, 1.0f, nullptr},
    {BONE_CHEST, "shirt", {0.0f, 0.0f, 1.22f, 1.44f, 0.18f, 0.11f, 0.20f, 0.11f, 0.0f}, kAll, true, false, Wrap::kAround, 0.0f, 0.5f, nullptr},
    {BONE_HEAD, "face", {0.0f, 0.0f, 1.43f, 1.54f, 0.05f, 0.05f, 0.05f, 0.05f, 0.0f}, kFine, false, false, Wrap::kAround, 0.9f, 1.0f, nullptr},
    {BONE_HEAD, "face", {0.0f, 0.0f, 1.53f, 1.76f, 0.09f, 0.10f, 0.095f, 0.11f, 0.0f}, kFine, false, true, Wrap::kAround, 0.0f, 1.0f, nullptr},
    {BONE_HEAD, "hair", {0.0f, 0.01f, 1.70f, 1.80f, 0.10f, 0.115f, 0.09f, 0.10f, 0.0f}, kFine, true, false, Wrap::kAround, 0.0f, 1.0f, nullptr},
    {BONE_HEAD, "face", {0.0f, 0.0f, 1.53f, 1.70f, 0.09f, 0.10f, 0.0935f, 0.107f, 0.0f}, kCoarse, false, false, Wrap::kAround, 0.0f, 0.74f, nullptr},
    {BONE_HEAD, "hair", {0.0f, 0.0f, 1.70f, 1.80f, 0.0935f, 0.107f, 0.09f, 0.10f, 0.0f}, kCoarse, true, false, Wrap::kAround, 0.0f, 1.0f, nullptr},
    {BONE_LEFT_SHOULDER, "shirt", {0.13f, 0.0f, 1.32f, 1.44f, 0.08f, 0.09f, 0.08f, 0.09f, 0.0f}, kFine, true, true, Wrap::kSleeveL, 0.0f, 0.25f, nullptr},
    {BONE_LEFT_UPPER_ARM, "shirt", {0.23f, 0.0f, 1.14f, 1.42f, 0.055f, 0.055f, 0.06f, 0.06f, 0.0f}, kAll, true, true, Wrap::kSleeveL, 0.1f, 0.6f, nullptr},
    {BONE_LEFT_FOREARM, "armhand", {0.23f, 0.0f, 0.89f, 1.14f, 0.04f, 0.04f, 0.047f, 0.047f, 0.0f}, kAll, true, true, Wrap::kAround, 0.0f, 0.7f, nullptr},
    {BONE_LEFT_HAND, "armhand", {0.23f, 0.0f, 0.76f, 0.89f, 0.035f, 0.02f, 0.04f, 0.025f, 0.0f}, kAll, true, true, Wrap::kAround, 0.7f, 1.0f, nullptr},
    {BONE_RIGHT_SHOULDER, "shirt", {-0.13f, 0.0f, 1.32f, 1.44f, 0.08f, 0.09f, 0.08f, 0.09f, 0.0f}, kFine, true, true, Wrap::kSleeveR, 0.0f, 0.25f, nullptr},
    {BONE_RIGHT_UPPER_ARM, "shirt", {-0.23f, 0.0f, 1.14f, 1.42f, 0.055f, 0.055f, 0.06f, 0.06f, 0.0f}, kAll, true, true, Wrap::kSleeveR, 0.1f, 0.6f, nullptr},
    {BONE_RIGHT_FOREARM, "armhand", {-0.23f, 0.0f, 0.89f, 1.14f, 0.04f, 0.04f, 0.047f, 0.047f, 0.0f}, kAll, true, true, Wrap::kAround, 0.0f, 0.7f, nullptr},
    {BONE_RIGHT_HAND, "armhand", {-0.23f, 0.0f, 0.76f, 0.89f, 0.035f, 0.02f, 0.04f, 0.025f, 0.0f}, kAll, true, true, Wrap::kAround, 0.7f, 1.0f, nullptr},
    {BONE_LEFT_THIGH, "shorts", {0.09f, 0.0f, 0.70f, 0.92f, 0.075f, 0.08f, 0.08f, 0.085f, 0.0f}, kFine, true, true, Wrap::kAround, 0.5f, 1.0f, nullptr},
    {BONE_LEFT_THIGH, "leg", {0.09f, 0.0f, 0.50f, 0.70f, 0.06f, 0.065f, 0.07f, 0.075f, 0.0f}, kFine, true, true, Wrap::kAround, 0.0f, 1.0f, nullptr},
    {BONE_LEFT_THIGH, "shorts", {0.09f, 0.0f, 0.50f, 0.92f, 0.06f, 0.065f, 0.08f, 0.085f, 0.0f}, kCoarse, true, true, Wrap::kAround, 0.5f, 1.0f, nullptr},
    {BONE_LEFT_SHIN, "socks", {0.09f, 0.0f, 0.08f, 0.50f, 0.045f, 0.045f, 0.06f, 0.06f, 0.0f}, kAll, true, true, Wrap::kAround, 0.0f, 1.0f, nullptr},
    {BONE_LEFT_FOOT, "boots", {0.09f, 0.0f, 0.0f, 0.09f, 0.05f, 0.05f, 0.05f, 0.05f, 0.12f}, kAll, true, true, Wrap::kAround, 0.0f, 1.0f, nullptr},
    {BONE_RIGHT_THIGH, "shorts", {-0.09f, 0.0f, 0.70f, 0.92f, 0.075f, 0.08f, 0.08f, 0.085f, 0.0f}, kFine, true, true, Wrap::kAround, 0.5f, 1.0f, nullptr},
    {BONE_RIGHT_THIGH, "leg", {-0.09f, 0.0f, 0.50f, 0.70f, 0.06f, 0.065f, 0.07f, 0.075f, 0.0f}, kFine, true, true, Wrap::kAround, 0.0f, 1.0f, nullptr},
    {BONE_RIGHT_THIGH, "shorts", {-0.09f, 0.0f, 0.50f, 0.92f, 0.06f, 0.065f, 0.08f, 0.085f, 0.0f}, kCoarse, true, true, Wrap::kAround, 0.5f, 1.0f, nullptr},
    {BONE_RIGHT_SHIN, "socks", {-0.09f, 0.0f, 0.08f, 0.50f, 0.045f, 0.045f, 0.06f, 0.06f, 0.0f}, kAll, true, true, Wrap::kAround, 0.0f, 1.0f, nullptr},
    {BONE_RIGHT_FOOT, "boots", {-0.09f, 0.0f, 0.0f, 0.09f, 0.05f, 0.05f, 0.05f, 0.05f, 0.12f}, kAll, true, true, Wrap::kAround, 0.0f, 1.0f, nullptr},
};
// The nose and ears of the finest level, on the face's picture.
constexpr XyzBox kNose{0.0f, -0.115f, 1.61f, 1.67f, 0.012f, 0.015f, 0.01f, 0.01f, 0.0f};
constexpr XyzBox kEars[2] = {{0.098f, 0.0f, 1.62f, 1.69f, 0.012f, 0.025f, 0.012f, 0.025f, 0.0f},
                             {-0.098f, 0.0f, 1.62f, 1.69f, 0.012f, 0.025f, 0.012f, 0.025f, 0.0f}};
// The referee's card, held up in the right hand: one flat card, both sides.
constexpr float kCardX = -0.23f, kCardY0 = 0.72f, kCardY1 = 0.80f, kCardHalfWidth = 0.03f;
// clang-format on

// Solids whose caps join them to their neighbours are limbs: the coarsest
// level leaves those caps out.
bool IsLimb(uint16_t bone) {
    return bone >= BONE_LEFT_UPPER_ARM && bone != BONE_LEFT_FOOT && bone != BONE_RIGHT_FOOT;
}

XyzVec Sub(XyzVec a, XyzVec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
XyzVec Cross(XyzVec a, XyzVec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float Dot(XyzVec a, XyzVec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Adds a face whose corners go round in either order, turned to show
// towards `outward` (the model's faces go clockwise as seen from outside,
// which makes their first corner's cross product point outward).
void AddFace(XyzModel& model, uint32_t surface, std::vector<uint32_t> points, std::vector<float> u,
             std::vector<float> v, XyzVec outward) {
    const XyzVec p0 = model.points[points[0]].position;
    const XyzVec p1 = model.points[points[1]].position;
    const XyzVec p2 = model.points[points[2]].position;
    if (Dot(Cross(Sub(p1, p0), Sub(p2, p0)), outward) < 0.0f) {
        std::reverse(points.begin(), points.end());
        std::reverse(u.begin(), u.end());
        std::reverse(v.begin(), v.end());
    }
    XyzPolygon polygon;
    polygon.surface = surface;
    polygon.count = uint32_t(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        polygon.points[i] = points[i];
        polygon.u[i] = u[i];
        polygon.v[i] = v[i];
    }
    model.polygons.push_back(polygon);
}

struct Build {
    float height;   // scales y
    float breadth;  // scales x and z
};

XyzBox Scaled(XyzBox box, Build b) {
    box.x *= b.breadth, box.z *= b.breadth, box.y0 *= b.height, box.y1 *= b.height;
    box.bottom_hx *= b.breadth, box.bottom_hz *= b.breadth, box.top_hx *= b.breadth, box.top_hz *= b.breadth;
    box.z_shift *= b.breadth;
    return box;
}

float PictureU(Wrap wrap, float f) {
    switch (wrap) {
        case Wrap::kSleeveL:
            return 0.875f + 0.125f * f;
        case Wrap::kSleeveR:
            return 0.125f * f;
        default:
            return f;
    }
}

// A rounded solid: `sides` faces round (a box at 4), its outline the same
// at every level (the polygon circumscribes the solid's ellipse).
void AddRounded(XyzModel& model, uint32_t surface, uint32_t capSurface, uint32_t bottomSurface,
                const XyzBox& box, int sides, bool capTop, bool capBottom, Wrap wrap, float v0, float v1,
                uint16_t bone) {
    const uint16_t parent = uint16_t(bone - 1);
    const float widen = 1.0f / std::cos(kPiF / float(sides));
    std::vector<uint32_t> ring[2];
    std::vector<float> fraction;
    for (int k = 0; k < sides; ++k) {
        // From the back centre round by the figure's right (-x) to the front.
        const float f = (float(k) + 0.5f) / float(sides);
        fraction.push_back(f);
        const float a = 2.0f * kPiF * f;
        for (int top = 0; top < 2; ++top) {
            const float hx = top ? box.top_hx : box.bottom_hx;
            const float hz = top ? box.top_hz : box.bottom_hz;
            float z = box.z + std::cos(a) * hz * widen;
            if (z < box.z) z -= box.z_shift;
            const XyzVec p{box.x - std::sin(a) * hx * widen, top ? box.y1 : box.y0, z};
            ring[top].push_back(XyzAddPoint(model, p, bone, parent));
        }
    }
    const XyzVec centre{box.x, 0.5f * (box.y0 + box.y1), box.z};
    for (int k = 0; k < sides; ++k) {
        const int n = (k + 1) % sides;
        const float fk = fraction[k];
        const float fn = n == 0 ? 1.0f + fraction[0] : fraction[n];
        const XyzVec mid = model.points[ring[0][k]].position;
        const XyzVec next = model.points[ring[0][n]].position;
        const XyzVec outward{0.5f * (mid.x + next.x) - centre.x, 0.0f, 0.5f * (mid.z + next.z) - centre.z};
        AddFace(model, surface, {ring[1][k], ring[1][n], ring[0][n], ring[0][k]},
                {PictureU(wrap, fk), PictureU(wrap, fn), PictureU(wrap, fn), PictureU(wrap, fk)},
                {v0, v0, v1, v1}, outward);
    }
    // Caps: a fan of triangles, mapped flat.
    for (int top = 0; top < 2; ++top) {
        if (top ? !capTop : !capBottom) continue;
        const float hx = top ? box.top_hx : box.bottom_hx;
        const float hz = top ? box.top_hz : box.bottom_hz;
        auto planar = [&](uint32_t point, float& u, float& v) {
            const XyzVec p = model.points[point].position;
            u = 0.5f + (p.x - box.x) / (2.0f * hx * widen + 1e-6f) * 0.5f;
            v = 0.5f + (p.z - box.z) / (2.0f * hz * widen + 1e-6f) * 0.5f;
        };
        const std::vector<uint32_t>& r = ring[top];
        for (int k = 1; k + 1 < sides; ++k) {
            float u[3], v[3];
            planar(r[0], u[0], v[0]);
            planar(r[k], u[1], v[1]);
            planar(r[k + 1], u[2], v[2]);
            AddFace(model, top ? capSurface : bottomSurface, {r[0], r[k], r[k + 1]}, {u[0], u[1], u[2]},
                    {v[0], v[1], v[2]}, XyzVec{0.0f, top ? 1.0f : -1.0f, 0.0f});
        }
    }
}

const char* RolePart(FigureRole role, const Solid& solid) {
    const std::string_view part = solid.part;
    if (role == FigureRole::kKeeper) {
        if (part == "shirt") return "k_shirt";
        if (solid.bone == BONE_LEFT_HAND || solid.bone == BONE_RIGHT_HAND) return "kglove";
    }
    return solid.part;
}

// The KitPart rows a surface may name (with ".tga").
constexpr std::array<const char*, 10> kKitPartNames = {"armhand", "face",  "leg",    "hair",  "boots",
                                                       "kglove",  "shirt", "shorts", "socks", "k_shirt"};

uint32_t PartSurface(XyzModel& model, FigureRole role, const char* part, bool shadow) {
    if (shadow) return XyzAddColouredSurface(model, 0, 0, 0, 255);
    (void)role;
    return XyzSurfaceNamed(model, std::string(part) + ".tga");
}

void AddSkeleton(XyzModel& model, Build b) {
    const auto& bones = FigureBones();
    for (uint16_t bone = 1; bone <= FIGURE_BONE_COUNT; ++bone) {
        const FigureBone& row = bones[bone];
        const XyzVec joint{row.joint.x * b.breadth, row.joint.y * b.height, row.joint.z * b.breadth};
        if (row.parent == 0) {
            XyzAddPoint(model, joint, bone, XYZ_NO_PARENT);
        } else {
            XyzAddPoint(model, joint, row.parent, uint16_t(row.parent - 1));
        }
    }
}

XyzModel Figure(FigureRole role, Build b, int levelIndex, bool shadow) {
    XyzModel model;
    AddSkeleton(model, b);
    const Level level = kLevels[levelIndex];
    uint32_t black = 0;
    if (shadow) black = XyzAddColouredSurface(model, 0, 0, 0, 255);
    for (const Solid& solid : kSolids) {
        if ((solid.levels & (1u << levelIndex)) == 0) continue;
        const char* part = RolePart(role, solid);
        const uint32_t surface = shadow ? black : PartSurface(model, role, part, false);
        const uint32_t topSurface = shadow             ? black
                                    : solid.topCapPart ? PartSurface(model, role, solid.topCapPart, false)
                                                       : surface;
        const bool limb = IsLimb(solid.bone);
        const bool caps = !limb || level.limbCaps;
        // The coarsest level leaves out the undersides nobody sees from
        // the stands: the seat and the soles.
        const bool hiddenUnderside =
            !level.limbCaps &&
            (solid.bone == BONE_PELVIS || solid.bone == BONE_LEFT_FOOT || solid.bone == BONE_RIGHT_FOOT);
        AddRounded(model, surface, topSurface, surface, Scaled(solid.box, b), level.sides,
                   solid.capTop && caps, solid.capBottom && caps && !hiddenUnderside, solid.wrap, solid.v0,
                   solid.v1, solid.bone);
    }
    if (levelIndex == 0 && !shadow) {
        const uint32_t face = PartSurface(model, role, "face", false);
        std::array<XyzUvRect, XYZ_BOX_FACES> skin{};
        skin.fill(XyzUvRect{0.45f, 0.5f, 0.55f, 0.6f});
        XyzAddBox(model, face, Scaled(kNose, b), BONE_HEAD, BONE_HEAD - 1, skin);
        for (const XyzBox& ear : kEars)
            XyzAddBox(model, face, Scaled(ear, b), BONE_HEAD, BONE_HEAD - 1, skin);
    }
    if (role == FigureRole::kReferee && !shadow) {
        XyzSurface card;
        card.red = 255, card.green = 255, card.blue = 255, card.alpha = 255;
        card.double_sided = true;
        const uint32_t flags = kCardMaterialFlags;
        std::memcpy(card.block.data(), &flags, sizeof flags);
        std::snprintf(reinterpret_cast<char*>(card.block.data() + 4), card.block.size() - 4, "%d", 0);
        model.surfaces.push_back(card);
        const uint32_t surface = uint32_t(model.surfaces.size() - 1);
        const float x = kCardX * b.breadth, y0 = kCardY0 * b.height, y1 = kCardY1 * b.height;
        const float zf = -0.03f * b.breadth;
        const uint32_t p[4] = {
            XyzAddPoint(model, {x, y1, zf - kCardHalfWidth}, BONE_RIGHT_HAND, BONE_RIGHT_HAND - 1),
            XyzAddPoint(model, {x, y1, zf + kCardHalfWidth}, BONE_RIGHT_HAND, BONE_RIGHT_HAND - 1),
            XyzAddPoint(model, {x, y0, zf + kCardHalfWidth}, BONE_RIGHT_HAND, BONE_RIGHT_HAND - 1),
            XyzAddPoint(model, {x, y0, zf - kCardHalfWidth}, BONE_RIGHT_HAND, BONE_RIGHT_HAND - 1),
        };
        AddFace(model, surface, {p[0], p[1], p[2], p[3]}, {0, 1, 1, 0}, {0, 0, 1, 1},
                XyzVec{-1.0f, 0.0f, 0.0f});
    }
    return model;
}

Build BuildOf(int build) {
    const float ratio = kFigureBuildRatios[size_t(build)];
    return Build{ratio, ratio};
}

// ---------------------------------------------------------------------------
// Pictures.

uint32_t Argb(int r, int g, int b) {
    auto c = [](int x) { return uint32_t(std::clamp(x, 0, 255)); };
    return 0xFF000000u | (c(r) << 16) | (c(g) << 8) | c(b);
}
uint32_t Scale(uint32_t argb, float f) {
    return Argb(int(float((argb >> 16) & 255) * f), int(float((argb >> 8) & 255) * f),
                int(float(argb & 255) * f));
}
void Dot(Picture& p, int x, int y, uint32_t argb) {
    if (x >= 0 && y >= 0 && x < p.width && y < p.height) p.pixels[size_t(y * p.width + x)] = argb;
}

constexpr uint32_t kSkinTones[4] = {0xFFC68E64, 0xFF5C3A26, 0xFF8E5C3A, 0xFFF0C8A8};
constexpr uint32_t kHairColours[4] = {0xFF1C1612, 0xFFE2C274, 0xFF6C4224, 0xFFC4622A};

// Soft shading down the picture and towards the sides (the back of a limb).
Picture SoftTone(uint32_t tone, int size) {
    Picture p = MakePicture(size, size, tone);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float around =
                std::cos(2.0f * kPiF * (float(x) + 0.5f) / float(size) - kPiF);  // 1 at the front
            const float f = 0.86f + 0.1f * around - 0.06f * float(y) / float(size);
            p.pixels[size_t(y * size + x)] = Scale(tone, f);
        }
    }
    return p;
}

// 0 plain ... the zone pictures of shorts and socks: pens 0-2.
std::vector<uint8_t> Zones(int design, bool socks) {
    const int n = kKitPartPictureSize;
    std::vector<uint8_t> z(size_t(n * n), 0);
    auto fill = [&](int x0, int y0, int x1, int y1, uint8_t pen) {
        for (int y = std::max(0, y0); y < std::min(n, y1); ++y)
            for (int x = std::max(0, x0); x < std::min(n, x1); ++x) z[size_t(y * n + x)] = pen;
    };
    // The sides of a garment are a quarter round from the back centre.
    auto sideStripes = [&](int width, uint8_t pen) {
        fill(n / 4 - width / 2, 0, n / 4 + width / 2, n, pen);
        fill(3 * n / 4 - width / 2, 0, 3 * n / 4 + width / 2, n, pen);
    };
    if (!socks) {
        switch (design) {
            case 1:
                sideStripes(6, 1);
                break;
            case 2:
                fill(0, n - 6, n, n, 1);
                break;
            case 3:
                sideStripes(6, 2);
                fill(0, n - 6, n, n, 2);
                break;
            case 4:
                fill(0, 0, n, 6, 1);
                break;
            case 5:
                fill(0, n - 6, n, n, 2);
                break;
            case 6:
                sideStripes(14, 1);
                break;
            case 7:
                fill(0, 0, n, 6, 1);
                fill(0, n - 6, n, n, 1);
                break;
            case 8:
                sideStripes(4, 2);
                break;
            case 9:
                for (int y = n / 2; y < n; y += 12) fill(0, y, n, y + 6, 1);
                break;
            default:
                break;
        }
    } else {
        switch (design) {
            case 1:
                fill(0, 0, n, 12, 1);
                break;
            case 2:
                for (int y = 0; y < n; y += 16) fill(0, y, n, y + 8, 1);
                break;
            case 3:
                fill(0, 0, n, 12, 1);
                fill(0, 12, n, 16, 2);
                break;
            case 4:
                for (int y = 0; y < n; y += 16) {
                    fill(0, y, n, y + 8, 1);
                    fill(0, y + 8, n, y + 16, 2);
                }
                break;
            case 5:
                fill(0, 0, n, 8, 2);
                break;
            case 6:
                fill(0, 4, n, 10, 1);
                fill(0, 16, n, 22, 1);
                break;
            case 7:
                fill(0, 0, n, 12, 1);
                fill(0, n - 10, n, n, 2);
                break;
            case 8:
                fill(0, 0, n, 12, 2);
                break;
            case 9:
                fill(0, 0, n, 12, 1);
                sideStripes(4, 2);
                break;
            default:
                break;
        }
    }
    return z;
}

std::vector<uint8_t> PaletteTga(const std::vector<uint8_t>& zones, const std::string& path) {
    for (uint8_t pen : zones) {
        if (pen > 2) DatakitFail("%s: pen %d above 2 (pen 3 is every club's yellow)", path.c_str(), int(pen));
    }
    if (zones.size() != size_t(kKitPartPictureSize * kKitPartPictureSize))
        DatakitFail("%s: wrong size", path.c_str());
    return ShirtDesignTga(zones, kKitPartPictureSize, kKitPartPictureSize);
}

std::string PlainPath(const char* name) {
    return std::string("zudata\\d3d\\sskin\\textures\\plain\\") + name + ".tga";
}

}  // namespace

// ---------------------------------------------------------------------------

std::string FigureModelPath(FigureRole role, int build, int level) {
    char path[96];
    std::snprintf(path, sizeof path, "zudata\\d3d\\sskin\\models\\%s\\%s\\%dnorm.xyz",
                  kFigureRoleNames[size_t(role)], kFigureBuildNames[size_t(build)], level);
    return path;
}

XyzModel MakeFigureModel(FigureRole role, int build, int levelIndex) {
    return Figure(role, BuildOf(build), levelIndex, false);
}

XyzModel MakeShadowModel() { return Figure(FigureRole::kPlayer, Build{1.0f, 1.0f}, 3, true); }

int FigureTriangleCount(const XyzModel& model) {
    int triangles = 0;
    for (const XyzPolygon& p : model.polygons) triangles += p.count >= 3 ? int(p.count) - 2 : 0;
    return triangles;
}

std::vector<uint8_t> DrawShortsDesign(int design) { return Zones(design, false); }
std::vector<uint8_t> DrawSocksDesign(int design) { return Zones(design, true); }

std::string ShortsDesignPath(int design) {
    char path[80];
    std::snprintf(path, sizeof path, "zudata\\d3d\\sskin\\textures\\kits\\shorts\\shorts%02d.tga", design);
    return path;
}
std::string SocksDesignPath(int design) {
    char path[80];
    std::snprintf(path, sizeof path, "zudata\\d3d\\sskin\\textures\\kits\\socks\\socks%02d.tga", design);
    return path;
}

Picture MakeSkinPicture(int skin, const std::string& part) {
    const int n = kKitPartPictureSize;
    const uint32_t tone = kSkinTones[skin];
    Picture p = SoftTone(tone, n);
    if (part == "face") {
        // The features on the front of the head: u 0.5 is the front centre.
        const uint32_t brow = Scale(tone, skin == 3 ? 0.45f : 0.35f);
        const uint32_t lip = Argb(int(((tone >> 16) & 255) * 0.75f) + 30, int(((tone >> 8) & 255) * 0.55f),
                                  int((tone & 255) * 0.55f));
        FillRect(p, 25, 23, 30, 25, brow);
        FillRect(p, 34, 23, 39, 25, brow);
        FillRect(p, 26, 27, 30, 30, 0xFFF4F4F0);
        FillRect(p, 34, 27, 38, 30, 0xFFF4F4F0);
        FillRect(p, 27, 27, 29, 30, 0xFF2A3040);
        FillRect(p, 35, 27, 37, 30, 0xFF2A3040);
        FillRect(p, 31, 30, 33, 39, Scale(tone, 0.8f));
        FillRect(p, 30, 38, 34, 40, Scale(tone, 0.7f));
        FillRect(p, 28, 46, 36, 49, lip);
    } else if (part == "armhand") {
        // The hand at the bottom: fingers.
        for (int x = 2; x < n; x += 8) FillRect(p, x, n - 10, x + 1, n, Scale(tone, 0.75f));
    } else if (part == "leg") {
        FillRect(p, 28, 20, 36, 30, Scale(tone, 1.05f));  // the knee's light
    }
    return p;
}

Picture MakeHairPicture(int length, int colour) {
    const int n = kKitPartPictureSize;
    const uint32_t hair = kHairColours[colour];
    Picture p = MakePicture(n, n, hair);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            // Strands: darker every few columns, longer hair with longer,
            // darker strands; short hair shows a lighter scalp between them.
            const int strand = (x * 7 + y / (length + 1)) % (length == 0 ? 3 : 5);
            float f = strand == 0 ? 0.7f : 1.0f;
            if (length == 0 && strand == 1 && y > n / 2) f = 1.25f;
            if (length == 2) f *= 0.9f + 0.1f * float(y) / float(n);
            Dot(p, x, y, Scale(hair, f));
        }
    }
    if (length >= 1) FillRect(p, 0, n - 4 - 4 * length, n, n, Scale(hair, 0.8f));  // the fall at the back
    return p;
}

Picture MakeBootsPicture() {
    const int n = kKitPartPictureSize;
    Picture p = MakePicture(n, n, 0xFF181818);
    FillRect(p, 0, n / 2 - 3, n, n / 2 + 2, 0xFFE8E8E8);                         // the light stripe
    for (int x = 2; x < n; x += 8) FillRect(p, x, n - 5, x + 3, n, 0xFF9A9A9A);  // studs
    return p;
}

Picture MakeGlovePicture() {
    const int n = kKitPartPictureSize;
    Picture p = MakePicture(n, n, 0xFF2CE04A);
    FillRect(p, 0, 0, n, 8, 0xFF10202A);                                          // the wrist strap
    for (int x = 4; x < n; x += 8) FillRect(p, x, n - 16, x + 1, n, 0xFF1E9A34);  // fingers
    return p;
}

Picture MakeShadingPicture(const std::string& part, int width, int height) {
    Picture p = MakePicture(width, height, 0xFFFF0000);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float u = (float(x) + 0.5f) / float(width);
            const float v = (float(y) + 0.5f) / float(height);
            const float front = std::cos(2.0f * kPiF * u - kPiF);  // 1 at the front centre
            float light = 0.82f + 0.14f * front;
            float highlight = 0.0f;
            if (part == "shirt") {
                // Shade under the arms (the sides), folds above the hem.
                if (std::fabs(u - 0.25f) < 0.05f || std::fabs(u - 0.75f) < 0.05f) light -= 0.12f * (1.0f - v);
                light -= 0.06f * std::max(0.0f, std::sin(u * 40.0f) * v);
                highlight =
                    std::max(0.0f, front) * std::max(0.0f, 1.0f - std::fabs(v - 0.35f) * 4.0f) * 0.35f;
            } else if (part == "shorts") {
                light -= 0.08f * std::max(0.0f, std::sin(u * 30.0f)) * v;  // creases down the legs
                highlight = std::max(0.0f, front) * std::max(0.0f, 1.0f - std::fabs(v - 0.7f) * 4.0f) * 0.3f;
            } else {
                light -= 0.1f * std::max(0.0f, v - 0.8f);  // the ankle
                highlight = std::max(0.0f, front) * std::max(0.0f, 1.0f - std::fabs(v - 0.4f) * 5.0f) * 0.25f;
            }
            const int r = int(std::clamp(light, 0.0f, 1.0f) * 255.0f);
            const int b = int(std::clamp(highlight, 0.0f, 1.0f) * 255.0f);
            Dot(p, x, y, Argb(r, 0, b));
        }
    }
    return p;
}

// ---------------------------------------------------------------------------

namespace {

bool IsKitPartSurface(const XyzSurface& surface) {
    if (surface.texture.empty()) return true;  // the card, or the shadow's black
    for (const char* name : kKitPartNames) {
        if (surface.texture == std::string(name) + ".tga") return true;
    }
    return false;
}

std::vector<uint8_t> CheckedModel(const XyzModel& model, const std::string& path, int budget) {
    const std::string fault = FigureModelFault(model, budget);
    if (!fault.empty()) DatakitFail("%s: %s", path.c_str(), fault.c_str());
    return XyzWrite(model);
}

// Every shorts and socks design a kit row of the world, a reserve kit or
// the officials (design 1) can name must have its picture.
void CheckKitRowDesigns() {
    auto check = [](const KitDesignRow& row, const char* table, int index) {
        for (int word : {5, 9}) {
            if (row.words[word] >= kKitPartDesigns)
                DatakitFail("%s row %d: %s design %d has no picture", table, index,
                            word == 5 ? "shorts" : "socks", int(row.words[word]));
        }
    };
    for (int i = 0; i < kKitTableClubs; ++i) {
        check(FirstKitTable[i], "first kit", i);
        check(SecondKitTable[i], "second kit", i);
    }
    for (int i = 0; i < kPlainKits; ++i) check(PlainKits[i], "plain kit", i);
}

}  // namespace

std::string FigureModelFault(const XyzModel& model, int budget) {
    char text[160];
    const int triangles = FigureTriangleCount(model);
    if (triangles > budget) {
        std::snprintf(text, sizeof text, "%d triangles, budget %d", triangles, budget);
        return text;
    }
    for (size_t i = 0; i < model.points.size(); ++i) {
        const uint16_t parent = model.points[i].parent;
        if (parent != XYZ_NO_PARENT && parent >= i) {
            std::snprintf(text, sizeof text, "point %zu has parent %d", i, int(parent));
            return text;
        }
    }
    for (const XyzSurface& surface : model.surfaces) {
        if (!IsKitPartSurface(surface)) return "surface '" + surface.texture + "' is no kit part";
    }
    // The support library's own check, on the bytes the game will read.
    std::vector<uint8_t> bytes = XyzWrite(model);
    XyzView view{};
    if (const char* check = XyzCheckData(&view, bytes.data(), uint32_t(bytes.size()))) return check;
    return "";
}

void GenerateFigures() {
    for (int role = 0; role < 3; ++role) {
        for (int build = 0; build < 3; ++build) {
            for (int level = 0; level < 4; ++level) {
                const std::string path =
                    FigureModelPath(FigureRole(role), build, kFigureLevels[size_t(level)]);
                StagePakFile(path, CheckedModel(MakeFigureModel(FigureRole(role), build, level), path,
                                                kFigureLevels[size_t(level)]));
            }
        }
    }
    StagePakFile(kShadowModelPath, CheckedModel(MakeShadowModel(), kShadowModelPath, kShadowBudget));

    for (int skin = 0; skin < 4; ++skin) {
        for (const char* part : kSkinParts) {
            StagePakFile(std::string("zudata\\d3d\\sskin\\textures\\skins\\") + kSkinNames[size_t(skin)] +
                             "\\" + part + ".tga",
                         TgaWrite(MakeSkinPicture(skin, part)));
        }
    }
    for (int length = 0; length < 3; ++length) {
        for (int colour = 0; colour < 4; ++colour) {
            StagePakFile(std::string("zudata\\d3d\\sskin\\textures\\hair\\") +
                             kHairLengthNames[size_t(length)] + "\\" + kHairColourNames[size_t(colour)] +
                             ".tga",
                         TgaWrite(MakeHairPicture(length, colour)));
        }
    }
    StagePakFile(PlainPath("boots"), TgaWrite(MakeBootsPicture()));
    StagePakFile(PlainPath("kglove"), TgaWrite(MakeGlovePicture()));

    CheckKitRowDesigns();
    for (int design = 0; design < kKitPartDesigns; ++design) {
        const std::string shorts = ShortsDesignPath(design), socks = SocksDesignPath(design);
        StagePakFile(shorts, PaletteTga(DrawShortsDesign(design), shorts));
        StagePakFile(socks, PaletteTga(DrawSocksDesign(design), socks));
    }
    // Each shading the size of the palette pictures it shades.
    const std::string shading = "zudata\\d3d\\sskin\\textures\\kits\\plain\\";
    StagePakFile(shading + "shirt.tga", TgaWrite(MakeShadingPicture("shirt", kShirtWidth, kShirtHeight)));
    StagePakFile(shading + "Shorts.tga",
                 TgaWrite(MakeShadingPicture("shorts", kKitPartPictureSize, kKitPartPictureSize)));
    StagePakFile(shading + "Socks.tga",
                 TgaWrite(MakeShadingPicture("socks", kKitPartPictureSize, kKitPartPictureSize)));
}

}  // namespace datakit
