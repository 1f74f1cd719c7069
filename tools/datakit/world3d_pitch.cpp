// The pitch (grass, markings, corner flags), the goals with their nets and
// shadows, the ball with its shadow and the skid mark.
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

constexpr float kYard = kUnitsPerYard;
constexpr float kLineWidth = 2.0f;
// The grass reaches well past every stand, to the horizon ring.
constexpr float kGroundHalf = 2700.0f;
constexpr int kGroundCells = 8;
constexpr int kGrassTexture = 512;
constexpr int kMowingBands = 12;
constexpr float kGoalDepth = 2.0f * kUnitsPerMetre;
constexpr float kNetDrop = 3.0f;  // the roof of the net falls this much to the back
constexpr float kPostHalf = 0.95f;
constexpr float kBallRadius = kBallRadiusUnits / kBallScale;
// Where the day's sun shines from: shadows fall along (sx, sy) per unit of height.
constexpr float kShadowPerHeightX = 14.0f / 20.0f;
constexpr float kShadowPerHeightY = 10.0f / 20.0f;

// ---- Grass -------------------------------------------------------------------------

// Texture coordinate of a ground position: the whole ground is one picture.
float GroundU(float x) { return (x - (kCentreX - kGroundHalf)) / (2.0f * kGroundHalf); }
float GroundV(float y) { return (y - (kCentreY - kGroundHalf)) / (2.0f * kGroundHalf); }

XyzModel MakeGround(const char* material) {
    XyzModel model;
    const uint32_t s = WorldSurface(model, material);
    const float step = 2.0f * kGroundHalf / kGroundCells;
    for (int j = 0; j < kGroundCells; ++j) {
        for (int i = 0; i < kGroundCells; ++i) {
            const float x0 = kCentreX - kGroundHalf + step * i, x1 = x0 + step;
            const float y0 = kCentreY - kGroundHalf + step * j, y1 = y0 + step;
            WorldQuad(model, s, {x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0},
                      {GroundU(x0), GroundV(y0), GroundU(x1), GroundV(y1)});
        }
    }
    return model;
}

int GroundPixel(float units) { return int(std::lround(units / (2.0f * kGroundHalf) * kGrassTexture)); }

// Mowing bands across the pitch, plainer grass beyond it.
Picture MakeGrass(bool night) {
    const uint32_t light = night ? 0xFF2E6A2A : 0xFF4E9A3E;
    const uint32_t dark = night ? 0xFF27592A : 0xFF3F8534;
    const uint32_t rough = night ? 0xFF1F4A22 : 0xFF3A7A32;
    Picture p = MakePicture(kGrassTexture, kGrassTexture, rough);
    const float margin = 3.0f * kYard;
    const int x0 = GroundPixel(kTouchLineLowX - margin - (kCentreX - kGroundHalf));
    const int x1 = GroundPixel(kTouchLineHighX + margin - (kCentreX - kGroundHalf));
    const float bandLength = (kGoalLineHighY - kGoalLineLowY) / kMowingBands;
    for (int band = -1; band <= kMowingBands; ++band) {
        const float y0 = kGoalLineLowY + bandLength * band, y1 = y0 + bandLength;
        FillRect(p, x0, GroundPixel(y0 - (kCentreY - kGroundHalf)), x1,
                 GroundPixel(y1 - (kCentreY - kGroundHalf)), (band & 1) ? dark : light);
    }
    if (night) {
        // Floodlight pools: brightest over the pitch, reaching out under the
        // stands, falling off into the dark beyond.
        for (int y = 0; y < kGrassTexture; ++y) {
            for (int x = 0; x < kGrassTexture; ++x) {
                const float px = (float(x) + 0.5f) / kGrassTexture * 2.0f * kGroundHalf - kGroundHalf;
                const float py = (float(y) + 0.5f) / kGrassTexture * 2.0f * kGroundHalf - kGroundHalf;
                const float ex = px / 1100.0f, ey = py / 1500.0f;
                float light = 0.35f + 0.85f * std::exp(-(ex * ex + ey * ey) * 1.6f);
                for (float cx : {-750.0f, 750.0f}) {
                    for (float cy : {-1050.0f, 1050.0f}) {
                        const float dx = (px - cx) / 420.0f, dy = (py - cy) / 420.0f;
                        light += 0.25f * std::exp(-(dx * dx + dy * dy));
                    }
                }
                uint32_t& pixel = p.pixels[size_t(y) * kGrassTexture + x];
                const uint32_t lit = MixColour(pixel, 0xFFFFFFFF, std::max(0.0f, light - 1.0f) * 0.25f);
                pixel = MixColour(0xFF000000, lit, std::min(light, 1.0f));
            }
        }
    }
    return p;
}

// ---- Markings ------------------------------------------------------------------------

void GroundStrip(XyzModel& model, uint32_t s, float x0, float y0, float x1, float y1) {
    WorldQuad(model, s, {x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0});
}

// A line of the given width from (xa, ya) to (xb, yb).
void Line(XyzModel& model, uint32_t s, float xa, float ya, float xb, float yb) {
    const float dx = xb - xa, dy = yb - ya;
    const float len = std::sqrt(dx * dx + dy * dy);
    const float nx = -dy / len * kLineWidth / 2.0f, ny = dx / len * kLineWidth / 2.0f;
    WorldFaceQuad(model, s, {xa + nx, ya + ny, 0}, {xb + nx, yb + ny, 0}, {xb - nx, yb - ny, 0},
                  {xa - nx, ya - ny, 0}, {0, 0, 1});
}

// An arc of a circle from angle a0 to a1 (radians, from +x towards +y).
void Arc(XyzModel& model, uint32_t s, float cx, float cy, float radius, float a0, float a1, int segments) {
    const float ri = radius - kLineWidth / 2.0f, ro = radius + kLineWidth / 2.0f;
    for (int k = 0; k < segments; ++k) {
        const float t0 = a0 + (a1 - a0) * k / segments, t1 = a0 + (a1 - a0) * (k + 1) / segments;
        WorldFaceQuad(model, s, {cx + ri * std::cos(t0), cy + ri * std::sin(t0), 0},
                      {cx + ro * std::cos(t0), cy + ro * std::sin(t0), 0},
                      {cx + ro * std::cos(t1), cy + ro * std::sin(t1), 0},
                      {cx + ri * std::cos(t1), cy + ri * std::sin(t1), 0}, {0, 0, 1});
    }
}

void Spot(XyzModel& model, uint32_t s, float x, float y, float radius) {
    const int segments = 8;
    for (int k = 0; k < segments; ++k) {
        const float t0 = 2 * kPiF * k / segments, t1 = 2 * kPiF * (k + 1) / segments;
        WorldFaceQuad(model, s, {x, y, 0}, {x + radius * std::cos(t0), y + radius * std::sin(t0), 0},
                      {x + radius * std::cos(t1), y + radius * std::sin(t1), 0}, {x, y, 0}, {0, 0, 1});
    }
}

}  // namespace

XyzModel MakePitchLines() {
    XyzModel model;
    const uint32_t s = WorldSurface(model, "lines");
    const float x0 = kTouchLineLowX, x1 = kTouchLineHighX, y0 = kGoalLineLowY, y1 = kGoalLineHighY;
    const float h = kLineWidth / 2.0f;
    // The outer lines: their outer corners on the pitch's corners' lines.
    GroundStrip(model, s, x0 - h, y0 - h, x0 + h, y1 + h);
    GroundStrip(model, s, x1 - h, y0 - h, x1 + h, y1 + h);
    GroundStrip(model, s, x0 + h, y0 - h, x1 - h, y0 + h);
    GroundStrip(model, s, x0 + h, y1 - h, x1 - h, y1 + h);
    GroundStrip(model, s, x0 + h, kCentreY - h, x1 - h, kCentreY + h);
    Arc(model, s, kCentreX, kCentreY, 10 * kYard, 0, 2 * kPiF, 48);
    Spot(model, s, kCentreX, kCentreY, 2.0f * kLineWidth);
    for (int end = 0; end < 2; ++end) {
        const float line = end == 0 ? y0 : y1;
        const float in = end == 0 ? 1.0f : -1.0f;  // towards the halfway line
        const float spot = end == 0 ? kPenaltySpotLowY : kPenaltySpotHighY;
        // Penalty area: 44 yards wide, 18 deep; goal area 20 by 6.
        for (auto [halfWidth, depth] :
             {std::pair{22 * kYard, 18 * kYard}, std::pair{10 * kYard, 6 * kYard}}) {
            const float front = line + in * depth;
            Line(model, s, kCentreX - halfWidth, line, kCentreX - halfWidth, front);
            Line(model, s, kCentreX + halfWidth, line, kCentreX + halfWidth, front);
            Line(model, s, kCentreX - halfWidth - h, front, kCentreX + halfWidth + h, front);
        }
        Spot(model, s, kCentreX, spot, 1.6f * kLineWidth);
        // The arc: the part of the spot's ten-yard circle outside the area.
        const float reach = std::acos((18 * kYard - (spot - line) * in) / (10 * kYard));
        const float ahead = in > 0 ? kPiF / 2 : -kPiF / 2;
        Arc(model, s, kCentreX, spot, 10 * kYard, ahead - reach, ahead + reach, 16);
    }
    // Corner arcs of one yard.
    Arc(model, s, x0, y0, kYard, 0, kPiF / 2, 4);
    Arc(model, s, x1, y0, kYard, kPiF / 2, kPiF, 4);
    Arc(model, s, x1, y1, kYard, kPiF, 1.5f * kPiF, 4);
    Arc(model, s, x0, y1, kYard, 1.5f * kPiF, 2 * kPiF, 4);
    return model;
}

namespace {

// ---- Corner flags ----------------------------------------------------------------------

XyzModel MakeCornerFlags() {
    XyzModel model;
    const uint32_t pole = WorldSurface(model, "pole");
    const uint32_t cloth = WorldSurface(model, "flag", kMaterialTwoSided);
    const float height = 1.5f * kUnitsPerMetre, r = 0.5f;
    for (float x : {kTouchLineLowX, kTouchLineHighX}) {
        for (float y : {kGoalLineLowY, kGoalLineHighY}) {
            const PitchPoint c[4] = {
                {x - r, y - r, 0}, {x + r, y - r, 0}, {x + r, y + r, 0}, {x - r, y + r, 0}};
            for (int k = 0; k < 4; ++k) {
                const PitchPoint a = c[k], b = c[(k + 1) % 4];
                const PitchPoint out{(a.x + b.x) / 2 - x, (a.y + b.y) / 2 - y, 0};
                WorldFaceQuad(model, pole, {a.x, a.y, height}, {b.x, b.y, height}, b, a, out);
            }
            // The cloth hangs towards the pitch's length, away from the goal.
            const float dir = y < kCentreY ? 1.0f : -1.0f;
            const float w = 0.45f * kUnitsPerMetre, h = 0.35f * kUnitsPerMetre;
            WorldQuad(model, cloth, {x, y, height}, {x, y + dir * w, height - 1.0f},
                      {x, y + dir * w, height - h - 1.0f}, {x, y, height - h});
        }
    }
    return model;
}

Picture MakePole() {
    Picture p = MakePicture(8, 32, 0xFFF0F0F0);
    for (int band = 0; band < 32; band += 8) FillRect(p, 0, band, 8, band + 4, 0xFFD02020);
    return p;
}

Picture MakeCornerCloth() {
    Picture p = MakePicture(32, 32, 0xFFF0D020);
    FillRect(p, 0, 0, 16, 16, 0xFFD02020);
    FillRect(p, 16, 16, 32, 32, 0xFFD02020);
    return p;
}

// ---- Goals ---------------------------------------------------------------------------

// A box in pitch units between two corners, through the figure writer's box.
void PitchBox(XyzModel& model, uint32_t s, PitchPoint lo, PitchPoint hi) {
    const XyzVec a = PitchVec(lo), b = PitchVec(hi);
    XyzBox box;
    box.x = (a.x + b.x) / 2;
    box.z = (a.z + b.z) / 2;
    box.y0 = std::min(a.y, b.y);
    box.y1 = std::max(a.y, b.y);
    box.bottom_hx = box.top_hx = std::abs(b.x - a.x) / 2;
    box.bottom_hz = box.top_hz = std::abs(b.z - a.z) / 2;
    XyzAddBox(model, s, box, 0, XYZ_NO_PARENT, {});
}

// A net panel as a grid of cells whose corner points are shared, so the
// display can bulge it point by point.
void NetPanel(XyzModel& model, uint32_t s, PitchPoint origin, PitchPoint across, PitchPoint down, int columns,
              int rows) {
    std::vector<uint32_t> grid;
    for (int j = 0; j <= rows; ++j) {
        for (int i = 0; i <= columns; ++i) {
            const float a = float(i) / columns, d = float(j) / rows;
            grid.push_back(XyzAddPoint(
                model, PitchVec({origin.x + across.x * a + down.x * d, origin.y + across.y * a + down.y * d,
                                 origin.z + across.z * a + down.z * d})));
        }
    }
    const float cu = float(columns) / 4.0f, cv = float(rows) / 4.0f;  // four meshes to a texture
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i) {
            const uint32_t tl = grid[size_t(j) * (columns + 1) + i];
            const uint32_t tr = tl + 1, bl = tl + uint32_t(columns + 1), br = bl + 1;
            XyzAddQuad(model, s, {tl, tr, br, bl},
                       {cu * i / columns, cv * j / rows, cu * (i + 1) / columns, cv * (j + 1) / rows});
        }
    }
}

XyzModel MakeGoal(bool highEnd) {
    XyzModel model;
    const uint32_t frame = WorldSurface(model, "post_1");
    const uint32_t net = WorldSurface(model, "net_2", kMaterialNet | kMaterialBlended | kMaterialTwoSided, 2);
    const float line = highEnd ? kGoalLineHighY : kGoalLineLowY;
    const float out = highEnd ? 1.0f : -1.0f;  // away from the pitch
    const float back = line + out * kGoalDepth;
    const float top = kBarHeight + kPostHalf;
    for (float x : {kPostLowX, kPostHighX}) {
        PitchBox(model, frame, {x - kPostHalf, line - kPostHalf, 0}, {x + kPostHalf, line + kPostHalf, top});
    }
    PitchBox(model, frame, {kPostLowX - kPostHalf, line - kPostHalf, kBarHeight - kPostHalf},
             {kPostHighX + kPostHalf, line + kPostHalf, top});
    // Thin supports along the back of the net.
    for (float x : {kPostLowX, kPostHighX}) {
        PitchBox(model, frame, {x - 0.4f, back - 0.4f, 0}, {x + 0.4f, back + 0.4f, top - kNetDrop});
    }
    // The net: roof, back and sides, hung from the frame just behind the line.
    const float inner = line + out * 0.05f;
    const float width = kPostHighX - kPostLowX;
    NetPanel(model, net, {kPostLowX, inner, top}, {width, 0, 0}, {0, back - inner, -kNetDrop}, 12, 4);
    NetPanel(model, net, {kPostLowX, back, top - kNetDrop}, {width, 0, 0}, {0, 0, -(top - kNetDrop)}, 12, 6);
    for (float x : {kPostLowX, kPostHighX}) {
        NetPanel(model, net, {x, inner, top}, {0, back - inner, -kNetDrop}, {0, 0, -top}, 4, 6);
    }
    return model;
}

Picture MakeGoalPost() {
    Picture p = MakePicture(16, 16, 0xFFFAFAFA);
    ShadeRows(p, 12, 16, 0.9f);
    return p;
}

Picture MakeNet() {
    Picture p = MakePicture(64, 64, 0x00FFFFFF);
    for (int k = 0; k < 64; k += 16) {
        FillRect(p, k, 0, k + 2, 64, 0xE0F4F4F4);
        FillRect(p, 0, k, 64, k + 2, 0xE0F4F4F4);
    }
    return p;
}

// Goal shadows: the frame's shadow on the grass, from each light given as
// a shift per unit of height.
XyzModel MakeGoalShadows(std::span<const std::pair<float, float>> shifts) {
    XyzModel model;
    const uint32_t s = WorldSurface(model, "goalshad", kMaterialBlended);
    for (float line : {kGoalLineLowY, kGoalLineHighY}) {
        for (auto [sx, sy] : shifts) {
            for (float x : {kPostLowX, kPostHighX}) {
                // A post: from its foot to the shadow of its top.
                Line(model, s, x, line, x + sx * kBarHeight, line + sy * kBarHeight);
            }
            Line(model, s, kPostLowX + sx * kBarHeight, line + sy * kBarHeight, kPostHighX + sx * kBarHeight,
                 line + sy * kBarHeight);
        }
    }
    return model;
}

Picture MakeShadowTexture(uint8_t alpha) { return MakePicture(8, 8, uint32_t(alpha) << 24); }

// ---- Ball, its shadow, the skid mark ------------------------------------------------------

XyzModel MakeBall() {
    XyzModel model;
    const uint32_t s = WorldSurface(model, "ball1");
    constexpr int kSlices = 12, kStacks = 8;
    std::vector<uint32_t> ring;
    for (int j = 0; j <= kStacks; ++j) {
        const float phi = kPiF * j / kStacks;
        for (int i = 0; i <= kSlices; ++i) {
            const float theta = 2 * kPiF * i / kSlices;
            ring.push_back(XyzAddPoint(
                model, {kBallRadius * std::sin(phi) * std::cos(theta), kBallRadius * std::cos(phi),
                        kBallRadius * std::sin(phi) * std::sin(theta)}));
        }
    }
    for (int j = 0; j < kStacks; ++j) {
        for (int i = 0; i < kSlices; ++i) {
            const uint32_t a = ring[size_t(j) * (kSlices + 1) + i], b = a + 1;
            const uint32_t d = a + kSlices + 1, c = d + 1;
            const float u0 = float(i) / kSlices, u1 = float(i + 1) / kSlices;
            const float v0 = float(j) / kStacks, v1 = float(j + 1) / kStacks;
            // Seen from outside, going round with theta runs right to left.
            XyzAddQuad(model, s, {b, a, d, c}, {u1, v0, u0, v1});
        }
    }
    return model;
}

Picture MakeBallTexture() {
    Picture p = MakePicture(128, 64, 0xFFF6F6F6);
    // Dark panels in offset rows, so the ball's spin reads.
    for (int row = 0; row < 3; ++row) {
        for (int k = 0; k < 5; ++k) {
            const float cx = 12.8f + 25.6f * k + (row == 1 ? 12.8f : 0.0f);
            FillDisc(p, cx, 10.0f + 22.0f * row, 6.5f, 0xFF202020);
        }
    }
    for (int x = 0; x < 128; x += 16) FillRect(p, x, 0, x + 1, 64, 0xFFB0B0B0);
    return p;
}

// A disc on the ground, coloured: the display sets its colour and alpha.
XyzModel MakeBallShadow() {
    XyzModel model;
    const uint32_t s = XyzAddColouredSurface(model, 0, 0, 0, 20);
    constexpr int kSegments = 12;
    const uint32_t centre = XyzAddPoint(model, {0, 0, 0});
    std::vector<uint32_t> rim;
    for (int k = 0; k < kSegments; ++k) {
        const float t = 2 * kPiF * k / kSegments;
        rim.push_back(XyzAddPoint(model, {kBallRadius * std::cos(t), 0, kBallRadius * std::sin(t)}));
    }
    for (int k = 0; k < kSegments; ++k) {
        // Clockwise from above: x right, z up the view.
        XyzAddTriangle(model, s, {centre, rim[(k + 1) % kSegments], rim[k]}, {0, 0, 0}, {0, 0, 0});
    }
    return model;
}

// Torn turf, about 1.5 m long once the display has scaled it by 2, lying
// along x from the origin.
XyzModel MakeSkidMark() {
    XyzModel model;
    const uint32_t s = WorldSurface(model, "skidmark", kMaterialBlended);
    const float length = 1.5f * kUnitsPerMetre / kSkidMarkScale, half = 3.0f / kSkidMarkScale;
    const uint32_t a = XyzAddPoint(model, {0, 0, half}), b = XyzAddPoint(model, {length, 0, half});
    const uint32_t c = XyzAddPoint(model, {length, 0, -half}), d = XyzAddPoint(model, {0, 0, -half});
    XyzAddQuad(model, s, {a, b, c, d});
    return model;
}

Picture MakeSkidTexture() {
    Picture p = MakePicture(64, 16, 0x00000000);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 64; ++x) {
            const float across = 1.0f - std::abs(float(y) - 7.5f) / 8.0f;
            const float along = std::min(1.0f, float(x) / 10.0f) * std::min(1.0f, float(63 - x) / 6.0f);
            const float a = across * along * (0.75f + 0.25f * Grain(uint32_t(x), uint32_t(y), 7));
            p.pixels[size_t(y) * 64 + x] = (uint32_t(std::clamp(a, 0.0f, 1.0f) * 230.0f) << 24) | 0x5A4026;
        }
    }
    return p;
}

}  // namespace

void GeneratePitchAndGoals() {
    StageWorldModel("stadium\\models\\pitch\\grass.xyz", MakeGround("grass"), "stadium\\textures\\pitch",
                    TextureRule::kStadium);
    StageWorldModel("stadium\\models\\pitch\\lines.xyz", MakePitchLines(), "stadium\\textures\\pitch",
                    TextureRule::kStadium);
    StageWorldModel("stadium\\models\\pitch\\flag.xyz", MakeCornerFlags(), "stadium\\textures\\pitch",
                    TextureRule::kStadium);
    for (const char* dir : {"stadium\\textures\\pitch", "stadium\\textures\\pitch_night"}) {
        const bool night = std::string_view(dir).ends_with("night");
        StageWorldTexture(dir, "grass", MakeGrass(night));
        StageWorldTexture(dir, "lines", MakePicture(8, 8, night ? 0xFFE4E8E4 : 0xFFF8F8F8));
    }
    StageWorldTexture("stadium\\textures\\pitch", "pole", MakePole());
    StageWorldTexture("stadium\\textures\\pitch", "flag", MakeCornerCloth());

    StageWorldModel("stadium\\models\\goals\\goal1_a.xyz", MakeGoal(false), "stadium\\textures\\goals",
                    TextureRule::kPlain);
    StageWorldModel("stadium\\models\\goals\\goal1_b.xyz", MakeGoal(true), "stadium\\textures\\goals",
                    TextureRule::kPlain);
    StageWorldTexture("stadium\\textures\\goals", "post_1", MakeGoalPost());
    StageWorldTexture("stadium\\textures\\goals", "net_2", MakeNet());

    const std::pair<float, float> sun[] = {{kShadowPerHeightX, kShadowPerHeightY}};
    // At night the four corner towers each cast a faint shadow away from them.
    const std::pair<float, float> towers[] = {{0.6f, 0.6f}, {-0.6f, 0.6f}, {0.6f, -0.6f}, {-0.6f, -0.6f}};
    StageWorldModel("stadium\\models\\goalshad-day\\goalshad.xyz", MakeGoalShadows(sun),
                    "stadium\\textures\\goalshad-day", TextureRule::kStadium);
    StageWorldModel("stadium\\models\\goalshad-night\\goalshad.xyz", MakeGoalShadows(towers),
                    "stadium\\textures\\goalshad-night", TextureRule::kStadium);
    StageWorldModel("stadium\\models\\stadprac\\goalshad.xyz", MakeGoalShadows(sun),
                    "stadium\\textures\\stadprac", TextureRule::kStadium);
    StageWorldTexture("stadium\\textures\\goalshad-day", "goalshad", MakeShadowTexture(0x50));
    StageWorldTexture("stadium\\textures\\goalshad-night", "goalshad", MakeShadowTexture(0x28));
    StageWorldTexture("stadium\\textures\\stadprac", "goalshad", MakeShadowTexture(0x50));

    StageWorldModel("balls\\models\\balltype\\ball1.xyz", MakeBall(), "balls\\textures\\balls",
                    TextureRule::kPlain);
    StageWorldModel("balls\\models\\shadows\\ball1.xyz", MakeBallShadow(), "balls\\textures\\balls",
                    TextureRule::kPlain);
    StageWorldTexture("balls\\textures\\balls", "ball1", MakeBallTexture());
    StageWorldModel("simple\\model\\skidmark.xyz", MakeSkidMark(), "simple\\textures", TextureRule::kPlain);
    StageWorldTexture("simple\\textures", "skidmark", MakeSkidTexture());
}

}  // namespace datakit
