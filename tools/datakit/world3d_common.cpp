#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

#include "core/base/bytes.h"
#include "core/base/pakfile.h"
#include "game/system/modeldata.h"
#include "game/system/picture.h"
#include "tools/datakit/stage.h"
#include "tools/datakit/world3d.h"

namespace datakit {
namespace {

constexpr const char* kD3dRoot = "zudata\\d3d\\";

struct StagedModel {
    std::string path;
    std::string textureDir;
    TextureRule rule;
    std::vector<std::string> materials;
};
std::vector<StagedModel> g_models;

bool IsPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// The surfaces that carry polygons of more than one point: those are drawn
// and need textures; one-point surfaces are named points.
std::vector<std::string> DrawnMaterials(const XyzModel& model) {
    std::vector<bool> drawn(model.surfaces.size(), false);
    for (const XyzPolygon& polygon : model.polygons) {
        if (polygon.count > 1) drawn[polygon.surface] = true;
    }
    std::vector<std::string> names;
    for (size_t i = 0; i < model.surfaces.size(); ++i) {
        if (drawn[i] && !model.surfaces[i].texture.empty()) names.push_back(model.surfaces[i].texture);
    }
    return names;
}

std::string ReplaceLang(std::string text) {
    const size_t at = text.find("#lang#");
    if (at != std::string::npos) text.replace(at, 6, "ENG");
    return text;
}

// The points named by surfaces beginning with the prefix: number -> count.
std::vector<std::pair<std::string, int>> NamedPointCounts(const XyzModel& model) {
    std::vector<std::pair<std::string, int>> counts;
    for (const XyzSurface& s : model.surfaces) counts.emplace_back(s.texture, 0);
    for (const XyzPolygon& polygon : model.polygons) {
        if (polygon.count == 1) ++counts[polygon.surface].second;
    }
    return counts;
}

// The number after the prefix, or -1 when the name is not prefix + digits.
int NumberAfter(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) return -1;
    int n = 0;
    for (char c : name.substr(prefix.size())) {
        if (c < '0' || c > '9' || n > 100000) return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

XyzVec PitchVec(PitchPoint p) {
    const worldconv::ModelPoint m = worldconv::PitchToModel(p);
    return XyzVec{m.x, m.y, m.z};
}

uint32_t WorldSurface(XyzModel& model, std::string_view name, uint32_t flags, int number) {
    for (size_t i = 0; i < model.surfaces.size(); ++i) {
        if (model.surfaces[i].texture == name) return uint32_t(i);
    }
    XyzSurface surface;
    surface.texture = name;
    surface.double_sided = (flags & worldconv::kMaterialTwoSided) != 0;
    recbits::StoreU32(surface.block.data() + worldconv::kMaterialFlagsAt, flags);
    const std::string text = std::to_string(number);
    std::memcpy(surface.block.data() + worldconv::kMaterialNumberAt, text.data(), text.size());
    model.surfaces.push_back(surface);
    return uint32_t(model.surfaces.size() - 1);
}

void WorldQuad(XyzModel& model, uint32_t surface, PitchPoint a, PitchPoint b, PitchPoint c, PitchPoint d,
               const XyzUvRect& uv) {
    const uint32_t p0 = XyzAddPoint(model, PitchVec(a));
    const uint32_t p1 = XyzAddPoint(model, PitchVec(b));
    const uint32_t p2 = XyzAddPoint(model, PitchVec(c));
    const uint32_t p3 = XyzAddPoint(model, PitchVec(d));
    XyzAddQuad(model, surface, {p0, p1, p2, p3}, uv);
}

void WorldFaceQuad(XyzModel& model, uint32_t surface, PitchPoint a, PitchPoint b, PitchPoint c, PitchPoint d,
                   PitchPoint outward, const XyzUvRect& uv) {
    // Clockwise as seen from outside: (b - a) x (c - b) points outward.
    const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const float vx = c.x - b.x, vy = c.y - b.y, vz = c.z - b.z;
    const float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    if (nx * outward.x + ny * outward.y + nz * outward.z >= 0.0f) {
        WorldQuad(model, surface, a, b, c, d, uv);
    } else {
        WorldQuad(model, surface, b, a, d, c, uv);
    }
}

void WorldTriangle(XyzModel& model, uint32_t surface, PitchPoint a, PitchPoint b, PitchPoint c,
                   std::array<float, 3> u, std::array<float, 3> v) {
    const uint32_t p0 = XyzAddPoint(model, PitchVec(a));
    const uint32_t p1 = XyzAddPoint(model, PitchVec(b));
    const uint32_t p2 = XyzAddPoint(model, PitchVec(c));
    XyzAddTriangle(model, surface, {p0, p1, p2}, u, v);
}

void WorldNamedPoint(XyzModel& model, std::string_view name, PitchPoint p, uint16_t bone) {
    XyzPolygon polygon;
    polygon.surface = WorldSurface(model, name);
    polygon.count = 1;
    polygon.points[0] = XyzAddPoint(model, PitchVec(p), bone);
    model.polygons.push_back(polygon);
}

std::vector<uint8_t> TgaWriteWorld(const Picture& picture) {
    const bool opaque = std::all_of(picture.pixels.begin(), picture.pixels.end(),
                                    [](uint32_t p) { return (p >> 24) == 0xFF; });
    if (!opaque) return TgaWrite(picture);
    std::vector<uint8_t> out(TGA_HEADER_SIZE, 0);
    out[2] = TGA_TYPE_TRUECOLOUR;
    recbits::StoreU16(out.data() + 12, uint16_t(picture.width));
    recbits::StoreU16(out.data() + 14, uint16_t(picture.height));
    out[16] = 24;
    out[17] = TGA_DESC_TOP_BOTTOM;
    out.reserve(out.size() + picture.pixels.size() * 3);
    for (uint32_t p : picture.pixels) {
        out.push_back(uint8_t(p));  // blue, green, red
        out.push_back(uint8_t(p >> 8));
        out.push_back(uint8_t(p >> 16));
    }
    return out;
}

void StageWorldTexture(std::string_view dir, std::string_view name, const Picture& picture) {
    const std::string path = std::string(kD3dRoot) + std::string(dir) + "\\" + std::string(name) + ".tga";
    if (!IsPowerOfTwo(picture.width) || !IsPowerOfTwo(picture.height) ||
        picture.width > worldconv::kMaxTextureSide || picture.height > worldconv::kMaxTextureSide) {
        DatakitFail("%s: a texture of %dx%d is not of power-of-two sides up to %d", path.c_str(),
                    picture.width, picture.height, worldconv::kMaxTextureSide);
    }
    StagePakFile(path, TgaWriteWorld(picture));
}

void StageWorldModel(std::string_view path, const XyzModel& model, std::string_view textureDir,
                     TextureRule rule) {
    const std::string full = std::string(kD3dRoot) + std::string(path);
    std::vector<uint8_t> bytes = XyzWrite(model);
    XyzView view{};
    if (const char* fault = XyzCheckData(&view, bytes.data(), uint32_t(bytes.size()))) {
        DatakitFail("%s: the model fails the model check: %s", full.c_str(), fault);
    }
    if (rule != TextureRule::kNone) {
        g_models.push_back(StagedModel{full, std::string(textureDir), rule, DrawnMaterials(model)});
    }
    StagePakFile(full, std::move(bytes));
}

std::string StadiumTexturePath(std::string_view textureDir, std::string_view material) {
    std::string path;
    if (material.starts_with("crowd")) {
        path = "stadium\\textures\\crowd\\crowd_01";
    } else if (material.starts_with("tmain") || material.starts_with("ad#lang#")) {
        path = "stadium\\textures\\tmain";
    } else {
        path = std::string(textureDir) + "\\" + std::string(material);
    }
    return std::string(kD3dRoot) + ReplaceLang(path);
}

void CheckWorldTextures() {
    std::set<std::string> staged;
    for (const StagedFile* file : StagedPakFiles()) staged.insert(file->name);
    for (const StagedModel& model : g_models) {
        for (const std::string& material : model.materials) {
            const std::string base = model.rule == TextureRule::kStadium
                                         ? StadiumTexturePath(model.textureDir, material)
                                         : std::string(kD3dRoot) + model.textureDir + "\\" + material;
            const std::string upper = PakNormaliseName(base + ".tga");
            const std::string gfx = PakNormaliseName(base + ".gfx");
            if (staged.count(upper) == 0 && staged.count(gfx) == 0) {
                DatakitFail("%s: material '%s' names a missing texture %s", model.path.c_str(),
                            material.c_str(), base.c_str());
            }
        }
    }
    g_models.clear();
}

void CheckCameraModel(std::string_view path, const XyzModel& model) {
    const std::string file(path);
    std::vector<int> seen;
    for (const auto& [name, count] : NamedPointCounts(model)) {
        const int n = NumberAfter(name, worldconv::kCameraPointPrefix);
        if (n < 1) DatakitFail("%s: '%s' is not a camera point name", file.c_str(), name.c_str());
        if (count != 1) DatakitFail("%s: camera point '%s' has %d points", file.c_str(), name.c_str(), count);
        seen.push_back(n);
    }
    if (seen.empty()) DatakitFail("%s: a camera list without cameras", file.c_str());
    std::sort(seen.begin(), seen.end());
    for (size_t i = 0; i < seen.size(); ++i) {
        if (seen[i] != int(i) + 1)
            DatakitFail("%s: the camera list has a gap at cam_a%zu", file.c_str(), i + 1);
    }
}

void CheckFlareModel(std::string_view path, const XyzModel& model) {
    const std::string file(path);
    std::set<int> flares, marks;
    for (const auto& [name, count] : NamedPointCounts(model)) {
        const int flare = NumberAfter(name, worldconv::kFlarePointPrefix);
        const int mark = NumberAfter(name, worldconv::kMarkPointPrefix);
        if (flare < 0 && mark < 0)
            DatakitFail("%s: '%s' is neither a flare nor a mark", file.c_str(), name.c_str());
        if (count != 1) DatakitFail("%s: '%s' has %d points", file.c_str(), name.c_str(), count);
        (flare >= 0 ? flares : marks).insert(flare >= 0 ? flare : mark);
    }
    if (flares.empty()) DatakitFail("%s: no flares", file.c_str());
    for (int n : flares) {
        if (marks.count(n) == 0) DatakitFail("%s: flare_%d has no mark", file.c_str(), n);
    }
    for (int n : marks) {
        if (flares.count(n) == 0) DatakitFail("%s: mark_%d has no flare", file.c_str(), n);
    }
}

uint32_t MixColour(uint32_t a, uint32_t b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const float ca = float((a >> shift) & 0xFF), cb = float((b >> shift) & 0xFF);
        out |= uint32_t(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

void FillDisc(Picture& picture, float cx, float cy, float radius, uint32_t argb) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const float dx = float(x) + 0.5f - cx, dy = float(y) + 0.5f - cy;
            if (dx * dx + dy * dy <= radius * radius) picture.pixels[size_t(y) * picture.width + x] = argb;
        }
    }
}

Picture MakeGlow(int size, uint32_t rgb, float sharpness) {
    Picture p = MakePicture(size, size, rgb & 0xFFFFFF);
    const float c = float(size) / 2.0f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float dx = (float(x) + 0.5f - c) / c, dy = (float(y) + 0.5f - c) / c;
            const float r = std::sqrt(dx * dx + dy * dy);
            const float a = r >= 1.0f ? 0.0f : std::pow(1.0f - r, sharpness);
            p.pixels[size_t(y) * size + x] = (uint32_t(std::lround(a * 255.0f)) << 24) | (rgb & 0xFFFFFF);
        }
    }
    return p;
}

float Grain(uint32_t x, uint32_t y, uint32_t seed) {
    uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xFFFF) / 32767.5f - 1.0f;
}

void AddGrain(Picture& picture, float amount, uint32_t seed) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            uint32_t& p = picture.pixels[size_t(y) * picture.width + x];
            const float f = 1.0f + amount * Grain(uint32_t(x), uint32_t(y), seed);
            uint32_t out = p & 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                out |= uint32_t(std::clamp(float((p >> shift) & 0xFF) * f, 0.0f, 255.0f)) << shift;
            }
            p = out;
        }
    }
}

void GenerateWorld3d() {
    GeneratePitchAndGoals();
    GenerateStadiums();
    GenerateSimpleModels();
    GenerateFlags();
    GenerateIconFiles();
    CheckWorldTextures();
}

}  // namespace datakit
