// The overlay panels' simple models (replay buttons, time bar, score,
// clock, team, menu and information bars, the radar frame) with their
// textures, and the lens-flare glows.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/base/angles.h"
#include "core/base/pakfile.h"
#include "tools/datakit/stage.h"
#include "tools/datakit/world3d.h"

namespace datakit {
namespace {

constexpr const char* kSimpleModels = "simple\\model\\";
constexpr const char* kSimpleTextures = "simple\\textures";
constexpr float kReplayScale = 12.0f;  // the replay panel's models are loaded at this scale

// A plate facing the viewer (who looks along +z), with a back so a panel
// turned half a turn shows its back, and edges of the given depth.
void AddPlate(XyzModel& model, uint32_t front, uint32_t back, float x0, float y0, float x1, float y1,
              float z0, float z1, uint16_t group) {
    auto point = [&](float x, float y, float z) { return XyzAddPoint(model, {x, y, z}, group); };
    const uint32_t ftl = point(x0, y1, z0), ftr = point(x1, y1, z0), fbr = point(x1, y0, z0),
                   fbl = point(x0, y0, z0);
    const uint32_t btl = point(x0, y1, z1), btr = point(x1, y1, z1), bbr = point(x1, y0, z1),
                   bbl = point(x0, y0, z1);
    XyzAddQuad(model, front, {ftl, ftr, fbr, fbl});
    XyzAddQuad(model, back, {btr, btl, bbl, bbr});
    const XyzUvRect edge{0.0f, 0.0f, 1.0f, 0.1f};
    XyzAddQuad(model, back, {btl, btr, ftr, ftl}, edge);  // top
    XyzAddQuad(model, back, {fbl, fbr, bbr, bbl}, edge);  // bottom
    XyzAddQuad(model, back, {btl, ftl, fbl, bbl}, edge);  // left
    XyzAddQuad(model, back, {ftr, btr, bbr, fbr}, edge);  // right
}

// A bar: dark glass with a light rim, centred on the origin; its back (seen
// while it turns, or while it waits turned away) has a texture of its own.
XyzModel MakeBar(float width, float height, const char* backTexture) {
    XyzModel model;
    const uint32_t glass = WorldSurface(model, "panel", worldconv::kMaterialBlended);
    const uint32_t back = WorldSurface(model, backTexture);
    AddPlate(model, glass, back, -width / 2, -height / 2, width / 2, height / 2, 0.0f, 0.04f, 0);
    return model;
}

constexpr uint32_t kRimColour = 0xFFD8E4F0;

void AddRim(Picture& p) {
    FillRect(p, 0, 0, p.width, 2, kRimColour);
    FillRect(p, 0, p.height - 2, p.width, p.height, kRimColour);
    FillRect(p, 0, 0, 2, p.height, kRimColour);
    FillRect(p, p.width - 2, 0, p.width, p.height, kRimColour);
}

// Nearly opaque: a figure behind a panel must not seem to stand on it.
Picture MakeGlass() {
    Picture p = MakePicture(64, 32, 0xE8101C30);
    for (int y = 0; y < 32; ++y) {
        const uint32_t c = MixColour(0xEC203050, 0xE8080E1C, float(y) / 31.0f);
        FillRect(p, 0, y, 64, y + 1, c);
    }
    AddRim(p);
    return p;
}

// The back of a panel, framed like its front so that it reads as a panel.
Picture MakePanelBack() {
    Picture p = MakePicture(64, 32, 0xFF182030);
    AddRim(p);
    return p;
}

// The back of the clock panel, which faces the viewer while no period is
// under way: a clock face says what the panel is waiting to show.  The
// picture is stretched over a bar about three times as wide as it is high.
Picture MakeClockBack() {
    Picture p = MakePanelBack();
    const float cx = 32.0f, cy = 16.0f, radius = 10.0f;
    FillDisc(p, cx, cy, radius, kRimColour);
    FillDisc(p, cx, cy, radius - 1.5f, 0xFF182030);
    // A long hand to twelve and a short one to three as the viewer sees
    // the back: the texture lies turned half a turn there.
    FillRect(p, 31, 15, 33, 23, kRimColour);
    FillRect(p, 26, 15, 32, 17, kRimColour);
    FillDisc(p, cx, cy, 1.8f, kRimColour);
    return p;
}

// ---- The replay panel ------------------------------------------------------------

// Buttons in the order of the replay commands they send.
constexpr const char* kButtons[10] = {"rb_rew",  "rb_stepb", "rb_pause", "rb_stepf", "rb_play",
                                      "rb_fast", "rb_camup", "rb_camdn", "rb_path",  "rb_stop"};
constexpr float kButtonWidth = 0.7f, kButtonStep = 0.8f;

XyzModel MakeReplayButtons() {
    XyzModel model;
    const float s = 1.0f / kReplayScale;
    const uint32_t frame = WorldSurface(model, "rb_frame", worldconv::kMaterialBlended);
    const uint32_t back = WorldSurface(model, "replayback");
    AddPlate(model, frame, back, -4.2f * s, -0.35f * s, 4.2f * s, 0.45f * s, 0.0f, 0.04f * s, 0);
    for (int k = 0; k < 10; ++k) {
        const uint16_t group = uint16_t(k + 1);
        const uint32_t face = WorldSurface(model, kButtons[k], 0, group);
        const float x0 = (-4.0f + kButtonStep * k) * s;
        AddPlate(model, face, back, x0, -0.2f * s, x0 + kButtonWidth * s, 0.3f * s, -0.1f * s, 0.0f, group);
    }
    return model;
}

XyzModel MakeTimeBar() {
    XyzModel model;
    const float s = 1.0f / kReplayScale;
    const uint32_t trough = WorldSurface(model, "panel", worldconv::kMaterialBlended);
    const uint32_t back = WorldSurface(model, "replayback");
    AddPlate(model, trough, back, -4.0f * s, 0.5f * s, 4.0f * s, 0.7f * s, 0.0f, 0.02f * s, 0);
    const uint32_t bar = WorldSurface(model, "tb_bar", 0, 1);
    AddPlate(model, bar, back, -3.95f * s, 0.53f * s, 3.95f * s, 0.67f * s, -0.01f * s, 0.0f, 1);
    return model;
}

// Fills a triangle given clockwise or not.
void FillTriangle(Picture& p, float ax, float ay, float bx, float by, float cx, float cy, uint32_t argb) {
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const float px = float(x) + 0.5f, py = float(y) + 0.5f;
            const float d1 = (px - bx) * (ay - by) - (ax - bx) * (py - by);
            const float d2 = (px - cx) * (by - cy) - (bx - cx) * (py - cy);
            const float d3 = (px - ax) * (cy - ay) - (cx - ax) * (py - ay);
            const bool neg = d1 < 0 || d2 < 0 || d3<0, pos = d1> 0 || d2 > 0 || d3 > 0;
            if (!(neg && pos)) p.pixels[size_t(y) * p.width + x] = argb;
        }
    }
}

Picture MakeButton(int k, bool lit) {
    Picture p = MakePicture(32, 32, lit ? 0xFF3C6CB0 : 0xFF1C2C48);
    FillRect(p, 0, 0, 32, 2, 0xFFD8E4F0);
    FillRect(p, 0, 30, 32, 32, 0xFFD8E4F0);
    FillRect(p, 0, 0, 2, 32, 0xFFD8E4F0);
    FillRect(p, 30, 0, 32, 32, 0xFFD8E4F0);
    const uint32_t ink = lit ? 0xFFFFFFFF : 0xFFD0D8E0;
    switch (k) {
        case 0:  // fast back
            FillTriangle(p, 16, 9, 16, 23, 6, 16, ink);
            FillTriangle(p, 26, 9, 26, 23, 16, 16, ink);
            break;
        case 1:  // step back
            FillRect(p, 8, 9, 11, 23, ink);
            FillTriangle(p, 24, 9, 24, 23, 12, 16, ink);
            break;
        case 2:  // pause
            FillRect(p, 10, 9, 14, 23, ink);
            FillRect(p, 18, 9, 22, 23, ink);
            break;
        case 3:  // step on
            FillTriangle(p, 8, 9, 8, 23, 20, 16, ink);
            FillRect(p, 21, 9, 24, 23, ink);
            break;
        case 4:  // play
            FillTriangle(p, 10, 8, 10, 24, 23, 16, ink);
            break;
        case 5:  // fast
            FillTriangle(p, 6, 9, 6, 23, 16, 16, ink);
            FillTriangle(p, 16, 9, 16, 23, 26, 16, ink);
            break;
        case 6:  // next camera
            FillRect(p, 8, 12, 20, 22, ink);
            FillTriangle(p, 20, 17, 26, 11, 26, 23, ink);
            FillTriangle(p, 12, 6, 16, 10, 8, 10, ink);
            break;
        case 7:  // previous camera
            FillRect(p, 8, 12, 20, 22, ink);
            FillTriangle(p, 20, 17, 26, 11, 26, 23, ink);
            FillTriangle(p, 8, 24, 16, 24, 12, 28, ink);
            break;
        case 8:  // ball path
            for (int x = 6; x < 26; x += 4) FillRect(p, x, 22 - (x - 6) / 2, x + 2, 24 - (x - 6) / 2, ink);
            FillDisc(p, 25.0f, 12.0f, 3.5f, ink);
            break;
        default:  // stop
            FillRect(p, 10, 10, 22, 22, ink);
            break;
    }
    return p;
}

// ---- The radar frame -----------------------------------------------------------------

// The pitch's markings in pitch units about the centre spot, on dark glass.
XyzModel MakeScanner() {
    using namespace worldconv;
    XyzModel model;
    const uint32_t glass = WorldSurface(model, "scanglass", kMaterialBlended);
    const uint32_t line = WorldSurface(model, "scanline");
    const float hx = (kTouchLineHighX - kTouchLineLowX) / 2, hy = (kGoalLineHighY - kGoalLineLowY) / 2;
    auto quad = [&](uint32_t s, float x0, float y0, float x1, float y1, float z) {
        const uint32_t a = XyzAddPoint(model, {x0, y1, z}), b = XyzAddPoint(model, {x1, y1, z});
        const uint32_t c = XyzAddPoint(model, {x1, y0, z}), d = XyzAddPoint(model, {x0, y0, z});
        XyzAddQuad(model, s, {a, b, c, d});
    };
    const float m = 40.0f, w = 8.0f;
    quad(glass, -hx - m, -hy - m, hx + m, hy + m, 0.0f);
    const float z = -1.0f;
    quad(line, -hx - w, -hy - w, -hx, hy + w, z);
    quad(line, hx, -hy - w, hx + w, hy + w, z);
    quad(line, -hx, -hy - w, hx, -hy, z);
    quad(line, -hx, hy, hx, hy + w, z);
    quad(line, -hx, -w / 2, hx, w / 2, z);
    for (float end : {-1.0f, 1.0f}) {
        const float goal = end * hy, front = end * (hy - 18 * kUnitsPerYard);
        const float half = 22 * kUnitsPerYard;
        quad(line, -half - w, std::min(goal, front), -half, std::max(goal, front), z);
        quad(line, half, std::min(goal, front), half + w, std::max(goal, front), z);
        quad(line, -half, front - w / 2, half, front + w / 2, z);
    }
    const float r = 10 * kUnitsPerYard;
    for (int k = 0; k < 24; ++k) {
        const float t0 = 2.0f * kPiF * k / 24, t1 = 2.0f * kPiF * (k + 1) / 24;
        const uint32_t a = XyzAddPoint(model, {(r + w / 2) * std::cos(t0), (r + w / 2) * std::sin(t0), z});
        const uint32_t b = XyzAddPoint(model, {(r + w / 2) * std::cos(t1), (r + w / 2) * std::sin(t1), z});
        const uint32_t c = XyzAddPoint(model, {(r - w / 2) * std::cos(t1), (r - w / 2) * std::sin(t1), z});
        const uint32_t d = XyzAddPoint(model, {(r - w / 2) * std::cos(t0), (r - w / 2) * std::sin(t0), z});
        // Counter-clockwise in x and y runs clockwise as the viewer sees it.
        XyzAddQuad(model, line, {b, a, d, c});
    }
    return model;
}

// ---- Lens flares -------------------------------------------------------------------

Picture MakeRing(int size, uint32_t rgb, float radius, float width) {
    Picture p = MakePicture(size, size, rgb & 0xFFFFFF);
    const float c = float(size) / 2.0f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float r = std::hypot(float(x) + 0.5f - c, float(y) + 0.5f - c) / c;
            const float a = std::exp(-std::pow((r - radius) / width, 2.0f)) * (r < 1.0f ? 1.0f : 0.0f);
            p.pixels[size_t(y) * size + x] = (uint32_t(std::lround(a * 255.0f)) << 24) | (rgb & 0xFFFFFF);
        }
    }
    return p;
}

void StageTexture(std::string_view name, const Picture& picture) {
    StageWorldTexture(kSimpleTextures, name, picture);
}

}  // namespace

void GenerateSimpleModels() {
    struct Bar {
        const char* name;
        float width, height;
    };
    // Sized for where the panels stand in the overlay view and the text
    // they carry.
    constexpr Bar kBars[] = {{"bartime", 1.3f, 0.5f}, {"bar1", 2.9f, 0.7f},    {"bar2", 2.0f, 0.5f},
                             {"bar3", 3.2f, 3.4f},    {"barbig", 6.4f, 0.55f}, {"bar_lef", 2.4f, 0.4f},
                             {"bar_rig", 2.4f, 0.4f}};
    for (const Bar& bar : kBars) {
        const char* back = std::string_view(bar.name) == "bartime" ? "clockback" : "panelback";
        StageWorldModel(std::string(kSimpleModels) + bar.name + ".xyz", MakeBar(bar.width, bar.height, back),
                        kSimpleTextures, TextureRule::kPlain);
    }
    StageTexture("panel", MakeGlass());
    StageTexture("panelback", MakePanelBack());
    StageTexture("clockback", MakeClockBack());

    StageWorldModel(std::string(kSimpleModels) + "replayb.xyz", MakeReplayButtons(), kSimpleTextures,
                    TextureRule::kPlain);
    StageTexture("rb_frame", MakeGlass());
    // The replay controls never turn: their backs and edges stay plain.
    StageTexture("replayback", MakePicture(16, 16, 0xFF182030));
    for (int k = 0; k < 10; ++k) {
        StageTexture(kButtons[k], MakeButton(k, false));
        // The highlighted twin, under the name the display builds for it.
        const std::string alt = std::string(kButtons[k]) + "/alt1";
        StagePakFile(MakeFileName("zudata\\d3d\\simple\\textures", alt.c_str(), "tga"),
                     TgaWriteWorld(MakeButton(k, true)));
    }
    StageWorldModel(std::string(kSimpleModels) + "timebar.xyz", MakeTimeBar(), kSimpleTextures,
                    TextureRule::kPlain);
    StageTexture("tb_bar", MakePicture(16, 16, 0xFF3C6CB0));
    StageWorldModel(std::string(kSimpleModels) + "scanner.xyz", MakeScanner(), kSimpleTextures,
                    TextureRule::kPlain);
    StageTexture("scanglass", MakePicture(16, 16, 0xD8081018));
    StageTexture("scanline", MakePicture(8, 8, 0xFFE8F0F8));

    StageWorldTexture("simple\\textures\\flares", "new4", MakeGlow(128, 0xFFFFFFFF, 2.2f));
    StageWorldTexture("simple\\textures\\flares", "flare4", MakeGlow(64, 0xFFFFFFFF, 1.0f));
    StageWorldTexture("simple\\textures\\flares", "flare3", MakeRing(64, 0xFFFFFFFF, 0.8f, 0.12f));
    StageWorldTexture("simple\\textures\\flares", "flare0", MakeGlow(32, 0xFFFFFFFF, 3.0f));
}

}  // namespace datakit
