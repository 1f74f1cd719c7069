// The stadiums: horizons with their skies, the stands, boards, fences and
// floodlight towers of the large, medium and small grounds and the practice
// ground, their shadows, sun and moon, floodlight and flare points and the
// camera lists.
#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "core/base/angles.h"
#include "tools/datakit/stage.h"
#include "tools/datakit/world3d.h"

namespace datakit {
namespace {

using namespace worldconv;

constexpr float kHorizonRadius = 2600.0f;
constexpr float kHorizonTop = 700.0f;
constexpr float kHorizonFoot = -60.0f;  // below the grass, so no gap shows
constexpr float kSkyApex = 1600.0f;
constexpr int kHorizonSegments = 24;
constexpr float kStandOverhang = 60.0f;  // stands reach past the pitch's ends
// The day's light travels along (14, 10, -20): shadows shift per unit of height.
constexpr float kSunShiftX = 0.7f, kSunShiftY = 0.5f;

PitchPoint Sub(PitchPoint a, PitchPoint b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
PitchPoint Add(PitchPoint a, PitchPoint b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
PitchPoint Scale(PitchPoint a, float s) { return {a.x * s, a.y * s, a.z * s}; }
PitchPoint Centre(float z = 0.0f) { return {kCentreX, kCentreY, z}; }

void FaceTriangle(XyzModel& model, uint32_t s, PitchPoint a, PitchPoint b, PitchPoint c, PitchPoint outward,
                  std::array<float, 3> u, std::array<float, 3> v) {
    const PitchPoint e = Sub(b, a), f = Sub(c, b);
    const PitchPoint n{e.y * f.z - e.z * f.y, e.z * f.x - e.x * f.z, e.x * f.y - e.y * f.x};
    if (n.x * outward.x + n.y * outward.y + n.z * outward.z >= 0.0f) {
        WorldTriangle(model, s, a, b, c, u, v);
    } else {
        WorldTriangle(model, s, a, c, b, {u[0], u[2], u[1]}, {v[0], v[2], v[1]});
    }
}

// ---- Horizon and sky ---------------------------------------------------------

// A closed ring around the ground with a cap of sky over it, seen from
// inside.
void AddHorizon(XyzModel& model, const char* horizon, const char* sky) {
    const uint32_t ring = WorldSurface(model, horizon);
    const uint32_t cap = WorldSurface(model, sky);
    const PitchPoint apex = Centre(kSkyApex);
    for (int k = 0; k < kHorizonSegments; ++k) {
        const float t0 = 2 * kPiF * k / kHorizonSegments, t1 = 2 * kPiF * (k + 1) / kHorizonSegments;
        const PitchPoint a{kCentreX + kHorizonRadius * std::cos(t0), kCentreY + kHorizonRadius * std::sin(t0),
                           0};
        const PitchPoint b{kCentreX + kHorizonRadius * std::cos(t1), kCentreY + kHorizonRadius * std::sin(t1),
                           0};
        const PitchPoint inward = Sub(Centre(), Scale(Add(a, b), 0.5f));
        const float u0 = 4.0f * k / kHorizonSegments, u1 = 4.0f * (k + 1) / kHorizonSegments;
        WorldFaceQuad(model, ring, {a.x, a.y, kHorizonTop}, {b.x, b.y, kHorizonTop}, {b.x, b.y, kHorizonFoot},
                      {a.x, a.y, kHorizonFoot}, inward, {u0, 0, u1, 1});
        const PitchPoint down = Sub(Centre(), Add(Scale(Add(a, b), 0.5f), {0, 0, kHorizonTop}));
        auto skyU = [](const PitchPoint& p) { return 0.5f + (p.x - kCentreX) / (2 * kHorizonRadius); };
        auto skyV = [](const PitchPoint& p) { return 0.5f + (p.y - kCentreY) / (2 * kHorizonRadius); };
        const PitchPoint ta{a.x, a.y, kHorizonTop}, tb{b.x, b.y, kHorizonTop};
        FaceTriangle(model, cap, ta, tb, apex, down, {skyU(ta), skyU(tb), 0.5f}, {skyV(ta), skyV(tb), 0.5f});
    }
}

struct SkyLook {
    uint32_t top, low, ground, silhouette;
    bool night;
};
constexpr SkyLook kDaySky{0xFF4A86D0, 0xFFB8D4EC, 0xFF3A7A32, 0xFF4F6A4A, false};
constexpr SkyLook kNightSky{0xFF050A1C, 0xFF18223E, 0xFF102612, 0xFF0A0E16, true};

// The ring: sky fading down to a skyline of roofs and trees.
Picture MakeHorizon(const SkyLook& look, uint32_t seed) {
    Picture p = MakePicture(256, 128, look.low);
    for (int y = 0; y < 128; ++y) {
        const uint32_t c = MixColour(look.top, look.low, float(y) / 100.0f);
        FillRect(p, 0, y, 256, y + 1, c);
    }
    // The skyline: blocks and rounded tree tops of varying height.
    for (int x = 0; x < 256; x += 4) {
        const float g = Grain(uint32_t(x / 8), 0, seed), h = Grain(uint32_t(x / 4), 1, seed);
        const int top = 92 - int(10.0f + 8.0f * g + 3.0f * h);
        FillRect(p, x, top, x + 4, 118, look.silhouette);
        if (look.night && (x / 4) % 3 == 0) FillRect(p, x + 1, top + 4, x + 2, top + 6, 0xFFE0C070);
    }
    FillRect(p, 0, 116, 256, 128, look.ground);
    if (look.night) {
        for (int k = 0; k < 60; ++k) {
            const int x = int((Grain(uint32_t(k), 2, seed) + 1.0f) * 127.0f);
            const int y = int((Grain(uint32_t(k), 3, seed) + 1.0f) * 35.0f);
            FillRect(p, x, y, x + 1, y + 1, 0xFFE8E8FF);
        }
    }
    return p;
}

// The cap: clouds by day, stars by night.
Picture MakeSky(const SkyLook& look, uint32_t seed) {
    Picture p = MakePicture(128, 128, look.top);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            const float dx = (float(x) - 63.5f) / 64.0f, dy = (float(y) - 63.5f) / 64.0f;
            uint32_t c = MixColour(look.top, look.low, std::sqrt(dx * dx + dy * dy) * 0.6f);
            if (!look.night) {
                const float cloud = 0.5f * Grain(uint32_t(x / 16), uint32_t(y / 8), seed) +
                                    0.3f * Grain(uint32_t(x / 8), uint32_t(y / 4), seed + 1);
                if (cloud > 0.25f) c = MixColour(c, 0xFFF4F6FA, (cloud - 0.25f) * 2.5f);
            }
            p.pixels[size_t(y) * 128 + x] = c;
        }
    }
    if (look.night) {
        for (int k = 0; k < 90; ++k) {
            const int x = int((Grain(uint32_t(k), 4, seed) + 1.0f) * 63.0f);
            const int y = int((Grain(uint32_t(k), 5, seed) + 1.0f) * 63.0f);
            FillRect(p, x, y, x + 1, y + 1, 0xFFF0F0FF);
        }
    }
    return p;
}

void StageSkyTextures(const char* dir, const SkyLook& look, uint32_t seed) {
    StageWorldTexture(dir, "horizon", MakeHorizon(look, seed));
    StageWorldTexture(dir, "sky", MakeSky(look, seed));
}

XyzModel MakeHorizonModel() {
    XyzModel model;
    AddHorizon(model, "horizon", "sky");
    return model;
}

// ---- Stands ------------------------------------------------------------------------

// One side of the ground: its line, the way out from the pitch and the
// range along it.
struct Side {
    PitchPoint line;   // a point on the line
    PitchPoint out;    // unit, away from the pitch
    PitchPoint along;  // unit
    float a0, a1;      // range along, measured from line
};

Side SideOf(int side, float a0, float a1) {
    switch (side) {
        case 0:
            return {{kTouchLineLowX, 0, 0}, {-1, 0, 0}, {0, 1, 0}, a0, a1};
        case 1:
            return {{kTouchLineHighX, 0, 0}, {1, 0, 0}, {0, 1, 0}, a0, a1};
        case 2:
            return {{0, kGoalLineLowY, 0}, {0, -1, 0}, {1, 0, 0}, a0, a1};
        default:
            return {{0, kGoalLineHighY, 0}, {0, 1, 0}, {1, 0, 0}, a0, a1};
    }
}
Side FullSide(int side) {
    return side < 2 ? SideOf(side, kGoalLineLowY - kStandOverhang, kGoalLineHighY + kStandOverhang)
                    : SideOf(side, kTouchLineLowX - kStandOverhang, kTouchLineHighX + kStandOverhang);
}

PitchPoint At(const Side& side, float a, float d, float z) {
    return Add(Add(side.line, Scale(side.along, a)), Add(Scale(side.out, d), {0, 0, z}));
}

// A stand's cross-section: the outline traversed with the solid on the
// right (d out from the pitch, z up), each segment with its material, and
// the end walls as quads of the section.
struct Segment {
    float d, z;
    const char* material;  // of the segment from this point to the next; null ends
};
struct Section {
    std::vector<Segment> outline;
    std::vector<std::array<std::pair<float, float>, 4>> ends;
};

void AddStand(XyzModel& model, const Side& side, float gap, const Section& section, float repeat) {
    for (size_t k = 0; k + 1 < section.outline.size(); ++k) {
        const Segment& p = section.outline[k];
        const Segment& q = section.outline[k + 1];
        if (p.material == nullptr) continue;
        const uint32_t s = WorldSurface(model, p.material);
        const float dd = q.d - p.d, dz = q.z - p.z;
        const PitchPoint outward = Add(Scale(side.out, -dz), {0, 0, dd});
        const float rows = std::max(1.0f, std::round(std::sqrt(dd * dd + dz * dz) / 24.0f));
        const float reps = std::max(1.0f, std::round((side.a1 - side.a0) / repeat));
        WorldFaceQuad(model, s, At(side, side.a0, gap + q.d, q.z), At(side, side.a1, gap + q.d, q.z),
                      At(side, side.a1, gap + p.d, p.z), At(side, side.a0, gap + p.d, p.z), outward,
                      {0, 0, reps, rows});
    }
    const uint32_t wall = WorldSurface(model, "wall_1");
    for (const auto& quad : section.ends) {
        for (float a : {side.a0, side.a1}) {
            const PitchPoint outward = Scale(side.along, a == side.a0 ? -1.0f : 1.0f);
            PitchPoint c[4];
            for (int k = 0; k < 4; ++k) c[k] = At(side, a, gap + quad[k].first, quad[k].second);
            WorldFaceQuad(model, wall, c[0], c[1], c[2], c[3], outward, {0, 0, 2, 2});
        }
    }
}

// The roofs cover only the back of their stands.  The following cameras
// look 45 degrees down from 700 away at a point kept 200-220 inside the
// lines, which puts the eye high above the stand behind it; a roof reaching
// out over the front rows then fills the lower half of their picture with
// its grey top, hiding the pitch in front of the goal or the touchline.
// Drawn back this far, a roof stays below those sight lines until the
// camera is zoomed out to about 900.
constexpr float kTwoTierRoofFront = 180.0f;  // over the upper tier's front
constexpr float kSingleTierRoofShare = 2.0f / 3.0f;

// Two tiers, the upper one under a roof.
Section TwoTierSection() {
    constexpr float f = kTwoTierRoofFront;
    return {{{0, 0, "wall_1"},
             {0, 25, "crowd_1"},
             {180, 140, "wall_1"},
             {180, 170, "crowd_2"},
             {330, 300, "wall_1"},
             {330, 330, "roofunder_3"},
             {f, 330, "roof_2"},
             {f, 345, "roof_2"},
             {345, 345, "wall_1"},
             {345, 0, nullptr}},
            {{{{0, 0}, {0, 25}, {180, 140}, {180, 0}}},
             {{{180, 0}, {180, 170}, {330, 300}, {330, 0}}},
             {{{f, 330}, {f, 345}, {345, 345}, {345, 330}}},
             {{{330, 0}, {330, 330}, {345, 330}, {345, 0}}}}};
}

// One tier, its back under a roof.
Section SingleTierSection(float depth, float height) {
    const float rise = height - 40;
    const float f = depth * kSingleTierRoofShare;
    return {{{0, 0, "wall_1"},
             {0, 20, "crowd_1"},
             {depth, rise, "wall_1"},
             {depth, height, "roofunder_3"},
             {f, height, "roof_2"},
             {f, height + 12, "roof_2"},
             {depth + 15, height + 12, "wall_1"},
             {depth + 15, 0, nullptr}},
            {{{{0, 0}, {0, 20}, {depth, rise}, {depth, 0}}},
             {{{f, height}, {f, height + 12}, {depth + 15, height + 12}, {depth + 15, height}}},
             {{{depth, 0}, {depth, height}, {depth + 15, height}, {depth + 15, 0}}}}};
}

// An open terrace without a roof.
Section TerraceSection() {
    return {
        {{0, 0, "wall_1"}, {0, 10, "crowd_1"}, {130, 75, "wall_1"}, {140, 75, "wall_1"}, {140, 0, nullptr}},
        {{{{0, 0}, {0, 10}, {130, 75}, {130, 0}}}, {{{130, 0}, {130, 75}, {140, 75}, {140, 0}}}}};
}

// Advert boards along a side, facing the pitch.
void AddBoards(XyzModel& model, const Side& side, float gap, const char* material) {
    const uint32_t s = WorldSurface(model, material);
    const uint32_t back = WorldSurface(model, "wall_1");
    const float height = 16.0f, length = 160.0f;
    for (float a = side.a0; a + 1.0f < side.a1; a += length) {
        const float b = std::min(a + length, side.a1);
        const PitchPoint p0 = At(side, a, gap, 0), p1 = At(side, b, gap, 0);
        const PitchPoint inward = Scale(side.out, -1.0f);
        // Seen from the pitch, right is along cross(inward, up).
        const PitchPoint right{inward.y, -inward.x, 0};
        const bool forward = right.x * side.along.x + right.y * side.along.y > 0;
        const PitchPoint l = forward ? p0 : p1, r = forward ? p1 : p0;
        const float u = (b - a) / length;
        WorldQuad(model, s, {l.x, l.y, height}, {r.x, r.y, height}, r, l, {0, 0, u, 1});
        WorldFaceQuad(model, back, {l.x, l.y, height}, {r.x, r.y, height}, r, l, side.out, {0, 0, 1, 1});
    }
}

// A low see-through fence along a side.
void AddFence(XyzModel& model, const Side& side, float gap, float height) {
    const uint32_t s = WorldSurface(model, "fence_4", kMaterialBlended | kMaterialTwoSided, 4);
    const PitchPoint a = At(side, side.a0, gap, 0), b = At(side, side.a1, gap, 0);
    WorldQuad(model, s, {a.x, a.y, height}, {b.x, b.y, height}, b, a, {0, 0, (side.a1 - side.a0) / 64.0f, 1});
}

// A floodlight tower at a corner, its lamp head facing the centre spot.
struct Tower {
    PitchPoint foot;
    float height;
};
PitchPoint LampHead(const Tower& t) { return {t.foot.x, t.foot.y, t.height}; }

void AddTower(XyzModel& model, const Tower& t) {
    const uint32_t steel = WorldSurface(model, "tower_1");
    const uint32_t lamp = WorldSurface(model, "lamp_2");
    const float r = 8.0f;
    const PitchPoint c[4] = {{t.foot.x - r, t.foot.y - r, 0},
                             {t.foot.x + r, t.foot.y - r, 0},
                             {t.foot.x + r, t.foot.y + r, 0},
                             {t.foot.x - r, t.foot.y + r, 0}};
    for (int k = 0; k < 4; ++k) {
        const PitchPoint a = c[k], b = c[(k + 1) % 4];
        const PitchPoint out = Sub(Scale(Add(a, b), 0.5f), t.foot);
        WorldFaceQuad(model, steel, {a.x, a.y, t.height}, {b.x, b.y, t.height}, b, a, out, {0, 0, 1, 8});
    }
    // The head: a panel of lamps square to the line to the centre spot.
    const PitchPoint head = LampHead(t);
    PitchPoint toCentre = Sub(Centre(head.z), head);
    const float len = std::hypot(toCentre.x, toCentre.y);
    toCentre = Scale(toCentre, 1.0f / len);
    const PitchPoint across{-toCentre.y * 45.0f, toCentre.x * 45.0f, 0};
    const PitchPoint front = Add(head, Scale(toCentre, 10.0f));
    const PitchPoint tl = Add(Add(front, across), {0, 0, 30}), tr = Add(Sub(front, across), {0, 0, 30});
    const PitchPoint br = Sub(front, across), bl = Add(front, across);
    WorldFaceQuad(model, lamp, tl, tr, Add(br, {0, 0, -10}), Add(bl, {0, 0, -10}), toCentre);
    WorldFaceQuad(model, steel, tl, tr, Add(br, {0, 0, -10}), Add(bl, {0, 0, -10}), Scale(toCentre, -1.0f));
}

constexpr float kTowerOut = 330.0f;
std::array<Tower, 4> CornerTowers(float height) {
    return {{{{kTouchLineLowX - kTowerOut, kGoalLineLowY - kTowerOut, 0}, height},
             {{kTouchLineHighX + kTowerOut, kGoalLineLowY - kTowerOut, 0}, height},
             {{kTouchLineLowX - kTowerOut, kGoalLineHighY + kTowerOut, 0}, height},
             {{kTouchLineHighX + kTowerOut, kGoalLineHighY + kTowerOut, 0}, height}}};
}

// Roof-front lamps of the medium ground: three on each side stand.
std::vector<PitchPoint> RoofLamps(float gap, float height) {
    std::vector<PitchPoint> lamps;
    for (int side = 0; side < 2; ++side) {
        const Side s = FullSide(side);
        for (float a : {400.0f, 1082.0f, 1764.0f}) lamps.push_back(At(s, a, gap - 10, height));
    }
    return lamps;
}

constexpr float kStad1Gap = 90.0f;
constexpr float kStad1TowerHeight = 720.0f;
constexpr float kStad2Gap = 80.0f;
constexpr float kStad2Height = 230.0f;
constexpr float kStad3Gap = 70.0f;

XyzModel MakeLargeStands() {
    XyzModel model;
    const Section section = TwoTierSection();
    for (int side = 0; side < 4; ++side) {
        AddStand(model, FullSide(side), kStad1Gap, section, 60.0f);
        AddBoards(model, FullSide(side), 40.0f, side < 2 ? "tmain_5" : "ad#lang#_6");
    }
    for (const Tower& t : CornerTowers(kStad1TowerHeight)) AddTower(model, t);
    return model;
}

XyzModel MakeMediumStands() {
    XyzModel model;
    const Section section = SingleTierSection(220, kStad2Height);
    for (int side = 0; side < 4; ++side) {
        AddStand(model, FullSide(side), kStad2Gap, section, 60.0f);
        AddBoards(model, FullSide(side), 36.0f, side < 2 ? "tmain_5" : "ad#lang#_6");
    }
    return model;
}

XyzModel MakeSmallGround() {
    XyzModel model;
    // The ground has no horizon row of its own: the ring comes with it.
    AddHorizon(model, "horizon", "sky");
    AddStand(model, SideOf(0, 560.0f, 1604.0f), kStad3Gap, SingleTierSection(150, 170), 60.0f);
    for (int side = 1; side < 4; ++side) AddStand(model, FullSide(side), kStad3Gap, TerraceSection(), 60.0f);
    AddBoards(model, SideOf(0, kGoalLineLowY, kGoalLineHighY), 34.0f, "tmain_5");
    return model;
}

XyzModel MakeFencing(float gap, float height) {
    XyzModel model;
    for (int side = 0; side < 4; ++side) AddFence(model, FullSide(side), gap, height);
    return model;
}

// Practice ground: grass to a ring of trees, and a wire fence.
XyzModel MakePracticeGrass() {
    XyzModel model;
    AddHorizon(model, "horizon", "sky");
    const uint32_t s = WorldSurface(model, "grass");
    const float half = 2700.0f;
    const float step = 2 * half / 6;
    for (int j = 0; j < 6; ++j) {
        for (int i = 0; i < 6; ++i) {
            const float x0 = kCentreX - half + step * i, y0 = kCentreY - half + step * j;
            WorldQuad(model, s, {x0, y0, 0}, {x0 + step, y0, 0}, {x0 + step, y0 + step, 0},
                      {x0, y0 + step, 0}, {0, 0, 8, 8});
        }
    }
    return model;
}

XyzModel MakePracticeFence() {
    XyzModel model;
    const uint32_t post = WorldSurface(model, "post_1");
    for (int side = 0; side < 4; ++side) {
        const Side s = FullSide(side);
        AddFence(model, s, 150.0f, 45.0f);
        for (float a = s.a0; a <= s.a1; a += 200.0f) {
            const PitchPoint p = At(s, a, 150.0f, 0);
            WorldFaceQuad(model, post, {p.x - 1, p.y - 1, 47}, {p.x + 1, p.y + 1, 47}, {p.x + 1, p.y + 1, 0},
                          {p.x - 1, p.y - 1, 0}, Scale(s.out, -1.0f));
        }
    }
    return model;
}

// Shadows on the grass: a band in front of each side, shifted by the light
// (by day the shadow of the roof's front edge, `roofFront` out from the
// stand's front at `height`).
XyzModel MakeGroundShadows(float gap, float height, float roofFront, bool sunSides, uint32_t flags) {
    XyzModel model;
    const uint32_t s = WorldSurface(model, "shadow_7", flags | kMaterialBlended, 7);
    for (int side = 0; side < 4; ++side) {
        const Side f = FullSide(side);
        float reach = 40.0f;
        if (sunSides) {
            // Only the stands the sun stands behind throw their roofs' shadow in.
            const float shift = side == 0 ? kSunShiftX : side == 2 ? kSunShiftY : 0.0f;
            if (shift == 0.0f) continue;
            reach = height * shift - roofFront;
            if (reach <= 0.0f) continue;
        }
        const PitchPoint a = At(f, f.a0, gap, 0), b = At(f, f.a1, gap, 0);
        const PitchPoint c = At(f, f.a1, gap - reach, 0), d = At(f, f.a0, gap - reach, 0);
        WorldFaceQuad(model, s, a, b, c, d, {0, 0, 1});
    }
    return model;
}

// The sun or moon: a glowing disc high in the sky on the line the light
// comes along.
PitchPoint SunPosition() {
    const float n = std::sqrt(14.0f * 14.0f + 10.0f * 10.0f + 20.0f * 20.0f);
    return Add(Centre(), Scale({-14.0f / n, -10.0f / n, 20.0f / n}, 2300.0f));
}
PitchPoint MoonPosition() { return Add(Centre(), {1400.0f, -900.0f, 1500.0f}); }

XyzModel MakeDisc(const char* material, PitchPoint at, float size, uint32_t flags) {
    XyzModel model;
    const uint32_t s = WorldSurface(model, material, flags);
    PitchPoint toCentre = Sub(Centre(), at);
    const float h = std::hypot(toCentre.x, toCentre.y);
    const PitchPoint across{-toCentre.y / h * size, toCentre.x / h * size, 0};
    const PitchPoint up{0, 0, size};
    WorldFaceQuad(model, s, Add(Sub(at, across), up), Add(Add(at, across), up), Sub(Add(at, across), up),
                  Sub(Sub(at, across), up), toCentre);
    return model;
}

// ---- Points: floodlights, flares, cameras -------------------------------------------

XyzModel MakeFloodlightPoints(std::span<const PitchPoint> lamps) {
    XyzModel model;
    int n = 1;
    for (const PitchPoint& p : lamps) {
        // Stored at half height: the display stretches these models by two.
        WorldNamedPoint(model, "lamp_" + std::to_string(n++), {p.x, p.y, p.z / kFloodlightHeightStretch});
    }
    return model;
}

// A flare at each lamp, its mark along the way the lamp shines: the length
// of the pair is the light's reach.
XyzModel MakeFlares(std::span<const PitchPoint> lamps, std::span<const PitchPoint> aims, float reach) {
    XyzModel model;
    for (size_t k = 0; k < lamps.size(); ++k) {
        PitchPoint dir = Sub(aims[k], lamps[k]);
        const float len = std::sqrt(dir.x * dir.x + dir.y * dir.y + dir.z * dir.z);
        dir = Scale(dir, reach / len);
        const std::string n = std::to_string(k + 1);
        WorldNamedPoint(model, kFlarePointPrefix + n, lamps[k]);
        WorldNamedPoint(model, kMarkPointPrefix + n, Add(lamps[k], dir));
    }
    return model;
}

XyzModel MakeCameraList(std::span<const PitchPoint> cameras) {
    XyzModel model;
    int n = 1;
    for (const PitchPoint& p : cameras) WorldNamedPoint(model, kCameraPointPrefix + std::to_string(n++), p);
    return model;
}

void StagePoints(const std::string& path, const XyzModel& model) {
    StageWorldModel("stadium\\models\\" + path, model, "", TextureRule::kNone);
}

void StageCameras(const char* name, std::span<const PitchPoint> cameras) {
    const XyzModel model = MakeCameraList(cameras);
    const std::string path = std::string("stadium\\models\\camera\\") + name + ".xyz";
    CheckCameraModel(path, model);
    StagePoints(std::string("camera\\") + name + ".xyz", model);
}

void StageFlares(const char* path, const XyzModel& model) {
    CheckFlareModel(std::string("stadium\\models\\") + path, model);
    StagePoints(path, model);
}

// Main positions high on the halfway line beyond the low-x touchline, then
// along that side and from the far side.  All stand in front of the
// stands (the roofs cover only their backs): the raised one, above roof
// height, further out still, so that no roof lies between it and the pitch.
std::vector<PitchPoint> StandCameras(float gap, float height) {
    const float lowX = kTouchLineLowX - gap + 20.0f, highX = kTouchLineHighX + gap - 20.0f;
    return {{lowX, kCentreY, height},
            {lowX, kPenaltySpotLowY + 200, height},
            {lowX, kPenaltySpotHighY - 200, height},
            {lowX + 20.0f, kCentreY, height + 60.0f},
            {highX, kCentreY, height}};
}

// ---- Textures of the stands ------------------------------------------------------------

Picture MakeCrowd(int density) {
    Picture p = MakePicture(64, 64, 0xFF2A3A66);
    for (int row = 0; row < 8; ++row) {
        FillRect(p, 0, row * 8 + 6, 64, row * 8 + 8, 0xFF5A5A60);  // the step
        for (int seat = 0; seat < 8; ++seat) {
            const float g = (Grain(uint32_t(seat), uint32_t(row), 11) + 1.0f) * 50.0f;
            if (g >= float(density)) continue;
            static constexpr uint32_t kShirts[] = {0xFFC02020, 0xFFE0E0E0, 0xFF2040A0, 0xFFE0C020,
                                                   0xFF303030};
            const uint32_t shirt = kShirts[uint32_t(g * 7) % 5];
            const int x = seat * 8 + 1;
            FillRect(p, x, row * 8 + 3, x + 6, row * 8 + 7, shirt);
            FillRect(p, x + 2, row * 8, x + 4, row * 8 + 3, 0xFFD8A880);
        }
    }
    return p;
}

// The board strip: fictional sponsors as coloured panels with simple marks.
Picture MakeBoards() {
    Picture p = MakePicture(256, 32, 0xFF101010);
    struct Panel {
        uint32_t ground, mark;
        int shape;
    };
    constexpr Panel kPanels[] = {{0xFF1A3C8C, 0xFFF0F0F0, 0},
                                 {0xFFE8E8E8, 0xFFC01818, 1},
                                 {0xFF0E7A3A, 0xFFF2D21C, 2},
                                 {0xFFF07010, 0xFF101010, 0}};
    for (int k = 0; k < 4; ++k) {
        const int x0 = k * 64;
        FillRect(p, x0 + 1, 1, x0 + 63, 31, kPanels[k].ground);
        if (kPanels[k].shape == 0) {
            for (int bar = 0; bar < 4; ++bar)
                FillRect(p, x0 + 10 + bar * 12, 10, x0 + 18 + bar * 12, 22, kPanels[k].mark);
        } else if (kPanels[k].shape == 1) {
            FillDisc(p, float(x0) + 20.0f, 16.0f, 9.0f, kPanels[k].mark);
            FillRect(p, x0 + 34, 12, x0 + 58, 20, kPanels[k].mark);
        } else {
            FillRect(p, x0 + 8, 14, x0 + 56, 18, kPanels[k].mark);
            FillRect(p, x0 + 28, 6, x0 + 36, 26, kPanels[k].mark);
        }
    }
    return p;
}

Picture MakeStructure(uint32_t colour, uint32_t seed) {
    Picture p = MakePicture(32, 32, colour);
    AddGrain(p, 0.06f, seed);
    ShadeRows(p, 30, 32, 0.8f);
    return p;
}

Picture MakeLampPanel() {
    Picture p = MakePicture(32, 32, 0xFF303030);
    for (int y = 2; y < 32; y += 8) {
        for (int x = 2; x < 32; x += 8) FillRect(p, x, y, x + 6, y + 6, 0xFFFFFCE8);
    }
    return p;
}

Picture MakeFence() {
    Picture p = MakePicture(32, 32, 0x00000000);
    for (int k = 0; k < 32; k += 4) {
        for (int j = 0; j < 32; ++j) {
            p.pixels[size_t(j) * 32 + (k + j) % 32] = 0xC0B8B8B8;
            p.pixels[size_t(j) * 32 + (k + 32 - j) % 32] = 0xC0B8B8B8;
        }
    }
    FillRect(p, 0, 0, 32, 2, 0xFF909090);
    return p;
}

void StageStandTextures(const char* dir, bool night) {
    const float dim = night ? 0.55f : 1.0f;
    auto shade = [dim](Picture p) {
        ShadeRows(p, 0, p.height, dim);
        return p;
    };
    StageWorldTexture(dir, "wall_1", shade(MakeStructure(0xFF9A9A96, 1)));
    StageWorldTexture(dir, "roof_2", shade(MakeStructure(0xFFB8BCC4, 2)));
    StageWorldTexture(dir, "roofunder_3", shade(MakeStructure(0xFF50545C, 3)));
    StageWorldTexture(dir, "tower_1", shade(MakeStructure(0xFF787C80, 4)));
    StageWorldTexture(dir, "lamp_2", MakeLampPanel());
    StageWorldTexture(dir, "fence_4", MakeFence());
}

}  // namespace

void GenerateStadiums() {
    // Shared textures: the crowd at four densities and the board strip.
    const int densities[] = {20, 45, 72, 100};
    for (int k = 0; k < 4; ++k) {
        StageWorldTexture("stadium\\textures\\crowd", "crowd_0" + std::to_string(k + 1),
                          MakeCrowd(densities[k]));
    }
    StageWorldTexture("stadium\\textures", "tmain", MakeBoards());

    // The large ground.
    const XyzModel large = MakeLargeStands();
    const XyzModel fence = MakeFencing(kStad1Gap - 12.0f, 12.0f);
    for (const char* variant : {"stad1-day", "stad1-night"}) {
        const bool night = std::string_view(variant).ends_with("night");
        const std::string models = std::string("stadium\\models\\") + variant + "\\";
        const std::string textures = std::string("stadium\\textures\\") + variant;
        StageWorldModel(models + "horizon.xyz", MakeHorizonModel(), textures, TextureRule::kStadium);
        StageWorldModel(models + "latest.xyz", large, textures, TextureRule::kStadium);
        StageWorldModel(models + "fencing.xyz", fence, textures, TextureRule::kStadium);
        StageSkyTextures(textures.c_str(), night ? kNightSky : kDaySky, 21);
        StageStandTextures(textures.c_str(), night);
    }
    StageWorldModel("stadium\\models\\stad1-day\\sun.xyz",
                    MakeDisc("sun_8", SunPosition(), 90.0f, kMaterialBlended), "stadium\\textures\\stad1-day",
                    TextureRule::kStadium);
    StageWorldTexture("stadium\\textures\\stad1-day", "sun_8", MakeGlow(64, 0xFFFFF4D0, 1.4f));
    StageWorldModel("stadium\\models\\stad1-day\\dayshad.xyz",
                    MakeGroundShadows(kStad1Gap, 345.0f, kTwoTierRoofFront, true, 0),
                    "stadium\\textures\\stad1-day", TextureRule::kStadium);
    StageWorldTexture("stadium\\textures\\stad1-day", "shadow_7", MakePicture(8, 8, 0x48000000));
    const PitchPoint sun = SunPosition();
    const PitchPoint sunAim = Add(sun, {14.0f, 10.0f, -20.0f});
    StageFlares("stad1-day\\flare.xyz", MakeFlares({&sun, 1}, {&sunAim, 1}, 900.0f));

    StageWorldModel("stadium\\models\\stad1-night\\moon1.xyz",
                    MakeDisc("moon_8", MoonPosition(), 70.0f, kMaterialBlended),
                    "stadium\\textures\\stad1-night", TextureRule::kStadium);
    StageWorldModel("stadium\\models\\stad1-night\\moon.xyz",
                    MakeDisc("halo_9", MoonPosition(), 200.0f, kMaterialBlended),
                    "stadium\\textures\\stad1-night", TextureRule::kStadium);
    Picture moon = MakeGlow(64, 0xFFE8ECF4, 0.15f);
    StageWorldTexture("stadium\\textures\\stad1-night", "moon_8", moon);
    StageWorldTexture("stadium\\textures\\stad1-night", "halo_9", MakeGlow(64, 0xFF8090B0, 2.5f));
    StageWorldModel("stadium\\models\\stad1-night\\shadow.xyz", MakeGroundShadows(kStad1Gap, 0, 0, false, 0),
                    "stadium\\textures\\stad1-night", TextureRule::kStadium);
    StageWorldTexture("stadium\\textures\\stad1-night", "shadow_7", MakePicture(8, 8, 0x40000000));
    std::vector<PitchPoint> towerLamps, towerAims;
    for (const Tower& t : CornerTowers(kStad1TowerHeight)) {
        towerLamps.push_back(Add(LampHead(t), {0, 0, 10}));
        towerAims.push_back(Centre());
    }
    StagePoints("stad1-night\\lpoints.xyz", MakeFloodlightPoints(towerLamps));
    StageFlares("stad1-night\\lights.xyz", MakeFlares(towerLamps, towerAims, 600.0f));

    // The medium ground: its stands take the day textures both ways.
    const XyzModel medium = MakeMediumStands();
    StageWorldModel("stadium\\models\\stad2-day\\latest.xyz", medium, "stadium\\textures\\stad2-day",
                    TextureRule::kStadium);
    StageWorldModel("stadium\\models\\stad2-night\\latest.xyz", medium, "stadium\\textures\\stad2-day",
                    TextureRule::kStadium);
    StageStandTextures("stadium\\textures\\stad2-day", false);
    StageWorldModel("stadium\\models\\stad2-day\\horizon.xyz", MakeHorizonModel(),
                    "stadium\\textures\\horizon-day", TextureRule::kStadium);
    StageWorldModel("stadium\\models\\stad2-night\\horizon.xyz", MakeHorizonModel(),
                    "stadium\\textures\\horizon-night", TextureRule::kStadium);
    StageSkyTextures("stadium\\textures\\horizon-day", kDaySky, 33);
    StageSkyTextures("stadium\\textures\\horizon-night", kNightSky, 33);
    const std::vector<PitchPoint> roofLamps = RoofLamps(kStad2Gap, kStad2Height + 12.0f);
    std::vector<PitchPoint> roofAims;
    for (const PitchPoint& p : roofLamps) roofAims.push_back({kCentreX, p.y, 0});
    StagePoints("stad2-night\\lpoints.xyz", MakeFloodlightPoints(roofLamps));
    StageFlares("stad2-night\\lights.xyz", MakeFlares(roofLamps, roofAims, 500.0f));

    // The small ground.
    StageWorldModel("stadium\\models\\stad3-day\\latest.xyz", MakeSmallGround(),
                    "stadium\\textures\\stad3-day", TextureRule::kStadium);
    StageStandTextures("stadium\\textures\\stad3-day", false);
    StageSkyTextures("stadium\\textures\\stad3-day", kDaySky, 45);

    // The practice ground.
    StageWorldModel("stadium\\models\\stadprac\\grass.xyz", MakePracticeGrass(),
                    "stadium\\textures\\stadprac", TextureRule::kStadium);
    StageWorldModel("stadium\\models\\stadprac\\lines.xyz", MakePitchLines(), "stadium\\textures\\stadprac",
                    TextureRule::kStadium);
    StageWorldModel("stadium\\models\\stadprac\\fencing.xyz", MakePracticeFence(),
                    "stadium\\textures\\stadprac", TextureRule::kStadium);
    StageWorldModel("stadium\\models\\stadprac\\shadows.xyz", MakeGroundShadows(150.0f, 0, 0, false, 0),
                    "stadium\\textures\\stadprac", TextureRule::kStadium);
    StageSkyTextures("stadium\\textures\\stadprac", kDaySky, 57);
    Picture rough = MakePicture(64, 64, 0xFF4A8C3A);
    AddGrain(rough, 0.08f, 5);
    StageWorldTexture("stadium\\textures\\stadprac", "grass", rough);
    StageWorldTexture("stadium\\textures\\stadprac", "lines", MakePicture(8, 8, 0xFFF0F0F0));
    StageWorldTexture("stadium\\textures\\stadprac", "fence_4", MakeFence());
    StageWorldTexture("stadium\\textures\\stadprac", "post_1", MakeStructure(0xFF707070, 6));
    StageWorldTexture("stadium\\textures\\stadprac", "shadow_7", MakePicture(8, 8, 0x30000000));

    // Cameras: the stand positions of each ground, then both goal ends.
    StageCameras("cam01", StandCameras(kStad1Gap, 310.0f));
    StageCameras("cam02", StandCameras(kStad2Gap, kStad2Height - 30.0f));
    StageCameras("cam03", StandCameras(kStad3Gap, 150.0f));
    const PitchPoint lowEnd[] = {{kCentreX, kGoalLineLowY - 60.0f, 170.0f},
                                 {kTouchLineLowX - 30.0f, kGoalLineLowY + 260.0f, 130.0f},
                                 {kTouchLineHighX + 30.0f, kGoalLineLowY + 180.0f, 110.0f}};
    const PitchPoint highEnd[] = {{kCentreX, kGoalLineHighY + 60.0f, 170.0f},
                                  {kTouchLineHighX + 30.0f, kGoalLineHighY - 260.0f, 130.0f},
                                  {kTouchLineLowX - 30.0f, kGoalLineHighY - 180.0f, 110.0f}};
    StageCameras("camrep", lowEnd);
    StageCameras("camrep2", highEnd);
}

}  // namespace datakit
