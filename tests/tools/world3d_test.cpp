// The 3D world of the data kit, read back from the generated archive
// through the game's own loaders: model geometry after the display's load
// transform, named points, textures, and the grounds drawn headless.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/match3d/flagtable.h"
#include "game/match3d/worldconvention.h"
#include "game/system/device3d.h"
#include "game/system/modeldata.h"
#include "game/system/models3d.h"
#include "game/system/picture.h"
#include "game/system/renderstates.h"
#include "platform/d3d.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tools/datakit/stage.h"
#include "tools/datakit/world3d.h"

namespace {

using namespace worldconv;
using testenv::Frame;

constexpr const char* kModels = "zudata\\d3d\\stadium\\models\\";

struct Point3 {
    float x, y, z;
};

// A model loaded from the archive, optionally through the load transform.
class LoadedModel {
  public:
    LoadedModel(const std::string& path, bool toPitch) {
        EXPECT_TRUE(PakCheckFile(path.c_str())) << path;
        PakLoadWholeFile(path.c_str(), &data_, MEM_TYPE_MANUAL_NO_MOVE);
        XyzOpen(&view_, data_, "test");
        if (toPitch) {
            XyzRotateX(data_, kLoadTurnX);
            XyzScale(data_, kUnitsPerMetre, kUnitsPerMetre, kUnitsPerMetre);
            XyzTranslate(data_, kCentreX, kCentreY, 0.0f);
        }
    }
    ~LoadedModel() { FreeMemory(&data_); }
    uint8_t* data() const { return data_; }

    Point3 PointAt(uint32_t i) const {
        const uint8_t* p = XyzPointAt(view_, i);
        return {recbits::LoadF32(p), recbits::LoadF32(p + 4), recbits::LoadF32(p + 8)};
    }
    uint32_t PointCount() const { return view_.points.count; }
    std::string SurfaceName(uint32_t s) const {
        return std::string(reinterpret_cast<const char*>(XyzSurfaceAt(view_, s)));
    }
    uint32_t SurfaceFlags(uint32_t s) const {
        return recbits::LoadU32(XyzSurfaceAt(view_, s) + XYZ_SURFACE_BLOCK + kMaterialFlagsAt);
    }
    std::string MaterialNumber(uint32_t s) const {
        return std::string(
            reinterpret_cast<const char*>(XyzSurfaceAt(view_, s) + XYZ_SURFACE_BLOCK + kMaterialNumberAt));
    }
    uint32_t SurfaceCount() const { return view_.surfaces.count; }
    // The named points: surface name -> position.
    std::map<std::string, Point3> NamedPoints() const {
        std::map<std::string, Point3> named;
        for (uint32_t i = 0; i < view_.polygons.count; ++i) {
            const uint8_t* polygon = XyzPolygonAt(view_, i);
            if (recbits::LoadU32(polygon + XYZ_POLYGON_COUNT) != 1) continue;
            const uint32_t s = recbits::LoadU32(polygon + XYZ_POLYGON_SURFACE);
            named[SurfaceName(s)] = PointAt(recbits::LoadU32(polygon + XYZ_POLYGON_POINTS));
        }
        return named;
    }
    // The faces (three or four points) of every polygon.
    std::vector<std::vector<Point3>> Faces() const {
        std::vector<std::vector<Point3>> faces;
        for (uint32_t i = 0; i < view_.polygons.count; ++i) {
            const uint8_t* polygon = XyzPolygonAt(view_, i);
            const uint32_t count = recbits::LoadU32(polygon + XYZ_POLYGON_COUNT);
            if (count < 3) continue;
            std::vector<Point3>& face = faces.emplace_back();
            for (uint32_t k = 0; k < count; ++k)
                face.push_back(PointAt(recbits::LoadU32(polygon + XYZ_POLYGON_POINTS + 4 * k)));
        }
        return faces;
    }
    // Bounds of the points used by polygons of the named surface (all when empty).
    std::pair<Point3, Point3> Bounds(const std::string& surface = "") const {
        Point3 lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
        for (uint32_t i = 0; i < view_.polygons.count; ++i) {
            const uint8_t* polygon = XyzPolygonAt(view_, i);
            const uint32_t s = recbits::LoadU32(polygon + XYZ_POLYGON_SURFACE);
            if (!surface.empty() && SurfaceName(s) != surface) continue;
            for (uint32_t k = 0; k < recbits::LoadU32(polygon + XYZ_POLYGON_COUNT); ++k) {
                const Point3 p = PointAt(recbits::LoadU32(polygon + XYZ_POLYGON_POINTS + 4 * k));
                lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
                hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
            }
        }
        return {lo, hi};
    }

  private:
    uint8_t* data_ = nullptr;
    XyzView view_{};
};

class World3dTest : public ::testing::Test {
  protected:
    void SetUp() override { testenv::MountGameArchive(HALVORN_GAME_DIR, 64 * 1024); }
    void TearDown() override { testenv::UnmountGameArchive(); }
};

float Distance(Point3 a, Point3 b) { return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z); }

TEST_F(World3dTest, PitchLinesAndGoalsLandOnThePitchCoordinates) {
    const LoadedModel lines(std::string(kModels) + "pitch\\lines.xyz", true);
    const auto [lo, hi] = lines.Bounds();
    EXPECT_NEAR(lo.x, kTouchLineLowX, 1.0f);
    EXPECT_NEAR(lo.y, kGoalLineLowY, 1.0f);
    EXPECT_NEAR(hi.x, kTouchLineHighX, 1.0f);
    EXPECT_NEAR(hi.y, kGoalLineHighY, 1.0f);
    EXPECT_NEAR(lo.z, 0.0f, 0.01f);
    EXPECT_NEAR(hi.z, 0.0f, 0.01f);

    for (const char* name : {"goal1_a", "goal1_b"}) {
        const bool high = name[6] == 'b';
        const LoadedModel goal(std::string(kModels) + "goals\\" + name + ".xyz", true);
        const auto [flo, fhi] = goal.Bounds("post_1");
        EXPECT_NEAR(flo.x, kPostLowX, 1.0f) << name;
        EXPECT_NEAR(fhi.x, kPostHighX, 1.0f) << name;
        EXPECT_NEAR(fhi.z, kBarHeight, 1.0f) << name;
        const float line = high ? kGoalLineHighY : kGoalLineLowY;
        EXPECT_NEAR(high ? flo.y : fhi.y, line, 1.0f) << name;
        // The net hangs behind the line, away from the pitch, as net parts.
        const auto [nlo, nhi] = goal.Bounds("net_2");
        if (high) {
            EXPECT_GE(nlo.y, line);
            EXPECT_GT(nhi.y, line + 20.0f);
        } else {
            EXPECT_LE(nhi.y, line);
            EXPECT_LT(nlo.y, line - 20.0f);
        }
        for (uint32_t s = 0; s < goal.SurfaceCount(); ++s) {
            const bool net = goal.SurfaceName(s) == "net_2";
            EXPECT_EQ((goal.SurfaceFlags(s) & kMaterialNet) != 0, net) << goal.SurfaceName(s);
            if (net) {
                EXPECT_NE(goal.SurfaceFlags(s) & kMaterialTwoSided, 0u);
            }
        }
    }
}

TEST_F(World3dTest, CameraListsStandWhereTheCameraExpectsThem) {
    for (const char* list : {"cam01", "cam02", "cam03"}) {
        const LoadedModel cams(std::string(kModels) + "camera\\" + list + ".xyz", true);
        const auto named = cams.NamedPoints();
        ASSERT_GE(named.size(), 2u) << list;
        for (size_t n = 1; n <= named.size(); ++n) {
            const auto it = named.find("cam_a" + std::to_string(n));
            ASSERT_NE(it, named.end()) << list << " has a gap at " << n;
            const Point3 p = it->second;
            EXPECT_TRUE(p.x < kTouchLineLowX || p.x > kTouchLineHighX) << list << " cam_a" << n;
            EXPECT_GT(p.z, 100.0f) << list << " cam_a" << n;
        }
        const Point3 main = named.at("cam_a1");
        EXPECT_LT(main.x, kTouchLineLowX) << list;
        EXPECT_NEAR(main.y, kCentreY, 1.0f) << list;
    }
    for (const char* list : {"camrep", "camrep2"}) {
        const LoadedModel cams(std::string(kModels) + "camera\\" + list + ".xyz", true);
        const Point3 goal{kCentreX, list[6] == '2' ? kGoalLineHighY : kGoalLineLowY, 0.0f};
        const auto named = cams.NamedPoints();
        EXPECT_GE(named.size(), 2u);
        EXPECT_LE(named.size(), 3u);
        for (const auto& [name, p] : named) {
            EXPECT_LT(Distance(p, goal), 800.0f) << list << " " << name;
            EXPECT_GT(p.z, 50.0f) << list << " " << name;
        }
    }
}

// Whether the segment from a to b passes through the triangle p, q, r.
bool SegmentCrossesTriangle(Point3 a, Point3 b, Point3 p, Point3 q, Point3 r) {
    const auto sub = [](Point3 u, Point3 v) { return Point3{u.x - v.x, u.y - v.y, u.z - v.z}; };
    const auto cross = [](Point3 u, Point3 v) {
        return Point3{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
    };
    const auto dot = [](Point3 u, Point3 v) { return u.x * v.x + u.y * v.y + u.z * v.z; };
    const Point3 dir = sub(b, a), e1 = sub(q, p), e2 = sub(r, p);
    const Point3 h = cross(dir, e2);
    const float det = dot(e1, h);
    if (std::fabs(det) < 1e-6f) return false;
    const Point3 s = sub(a, p);
    const float u = dot(s, h) / det;
    if (u < 0.0f || u > 1.0f) return false;
    const Point3 qv = cross(s, e1);
    const float v = dot(dir, qv) / det;
    if (v < 0.0f || u + v > 1.0f) return false;
    const float t = dot(e2, qv) / det;
    return t > 0.0f && t < 1.0f;
}

// How many faces the segment from a to b passes through.
int FacesCrossed(const std::vector<std::vector<Point3>>& faces, Point3 a, Point3 b) {
    int crossed = 0;
    for (const auto& f : faces) {
        crossed += SegmentCrossesTriangle(a, b, f[0], f[1], f[2]) ||
                   (f.size() == 4 && SegmentCrossesTriangle(a, b, f[0], f[2], f[3]));
    }
    return crossed;
}

// The cameras that follow play from the ends and the sides look 45 degrees
// down from 700 away at a point kept 220 inside the goal lines (110 inside
// the touchlines) or 220 inside the touchlines, which puts the eye high
// above the stand behind it.  From there the point looked at and the line
// in front of it (the foot of the picture) lie in open view: no roof of
// the stand below the eye covers them.
TEST_F(World3dTest, FollowingCamerasSeeThePitchPastTheStands) {
    constexpr float kBack = 495.0f;  // 700 x sin 45 degrees, behind and above
    struct View {
        Point3 target, eye, line;
    };
    std::vector<View> views;
    for (float x : {kTouchLineLowX + 110.0f, kCentreX, kTouchLineHighX - 110.0f}) {
        const float low = kGoalLineLowY + 220.0f, high = kGoalLineHighY - 220.0f;
        views.push_back({{x, low, 10}, {x, low - kBack, 10 + kBack}, {x, kGoalLineLowY, 0}});
        views.push_back({{x, high, 10}, {x, high + kBack, 10 + kBack}, {x, kGoalLineHighY, 0}});
    }
    for (float y : {kGoalLineLowY + 220.0f, kCentreY, kGoalLineHighY - 220.0f}) {
        const float low = kTouchLineLowX + 220.0f, high = kTouchLineHighX - 220.0f;
        views.push_back({{low, y, 10}, {low - kBack, y, 10 + kBack}, {kTouchLineLowX, y, 0}});
        views.push_back({{high, y, 10}, {high + kBack, y, 10 + kBack}, {kTouchLineHighX, y, 0}});
    }
    for (const char* stands : {"stad1-day\\latest", "stad2-day\\latest", "stad3-day\\latest"}) {
        const LoadedModel model(std::string(kModels) + stands + ".xyz", true);
        const auto faces = model.Faces();
        ASSERT_FALSE(faces.empty()) << stands;
        for (const View& v : views) {
            for (const Point3& seen : {v.target, v.line}) {
                EXPECT_EQ(FacesCrossed(faces, v.eye, seen), 0)
                    << stands << " from " << v.eye.x << "," << v.eye.y << " to " << seen.x << "," << seen.y;
            }
        }
    }
}

// From every stand camera of a ground the pitch lies in open view: no part
// of the stands (a roof above a raised camera) stands between the eye and
// the centre spot or the touchlines.
TEST_F(World3dTest, StandCamerasSeeThePitchPastTheStands) {
    const std::pair<const char*, const char*> grounds[] = {
        {"cam01", "stad1-day\\latest"}, {"cam02", "stad2-day\\latest"}, {"cam03", "stad3-day\\latest"}};
    std::vector<Point3> targets = {{kCentreX, kCentreY, 10.0f}};
    for (float x : {kTouchLineLowX, kTouchLineHighX})
        for (float y : {kPenaltySpotLowY, kCentreY, kPenaltySpotHighY}) targets.push_back({x, y, 10.0f});
    for (const auto& [list, stands] : grounds) {
        const LoadedModel cams(std::string(kModels) + "camera\\" + list + ".xyz", true);
        const LoadedModel model(std::string(kModels) + stands + ".xyz", true);
        const auto faces = model.Faces();
        ASSERT_FALSE(faces.empty()) << stands;
        for (const auto& [name, eye] : cams.NamedPoints()) {
            for (const Point3& target : targets) {
                EXPECT_EQ(FacesCrossed(faces, eye, target), 0)
                    << list << " " << name << " to " << target.x << "," << target.y;
            }
        }
    }
}

TEST_F(World3dTest, FlaresPairWithMarksAndFloodlightsStandAtHalfHeight) {
    for (const char* path : {"stad1-day\\flare.xyz", "stad1-night\\lights.xyz", "stad2-night\\lights.xyz"}) {
        const LoadedModel flares(std::string(kModels) + path, true);
        const auto named = flares.NamedPoints();
        int pairs = 0;
        for (const auto& [name, p] : named) {
            if (!name.starts_with("flare_")) continue;
            const auto mark = named.find("mark_" + name.substr(6));
            ASSERT_NE(mark, named.end()) << path << " " << name;
            // The light shines down towards the ground, not away from it.
            EXPECT_LT(mark->second.z, p.z) << path << " " << name;
            ++pairs;
        }
        EXPECT_GE(pairs, 1) << path;
        EXPECT_EQ(named.size(), size_t(2 * pairs)) << path;
    }
    for (const char* path : {"stad1-night\\lpoints.xyz", "stad2-night\\lpoints.xyz"}) {
        const LoadedModel lamps(std::string(kModels) + path, true);
        ASSERT_GE(lamps.PointCount(), 4u);
        for (uint32_t i = 0; i < lamps.PointCount(); ++i) {
            // Doubled by the display, the lamps stand above the stands' roofs.
            EXPECT_GT(lamps.PointAt(i).z * kFloodlightHeightStretch, 200.0f) << path;
        }
    }
}

TEST_F(World3dTest, ReplayButtonsCarryTheirGroupsAndHighlightTwins) {
    const LoadedModel buttons("zudata\\d3d\\simple\\model\\replayb.xyz", false);
    int found = 0;
    for (uint32_t s = 0; s < buttons.SurfaceCount(); ++s) {
        const std::string name = buttons.SurfaceName(s);
        if (!name.starts_with("rb_") || name == "rb_frame") continue;
        const std::string alt = name + "/alt1";
        EXPECT_TRUE(PakCheckFile(MakeFileName("zudata\\d3d\\simple\\textures", alt.c_str(), "tga"))) << name;
        ++found;
    }
    EXPECT_EQ(found, 10);
    // Group boxes at the display's scale: button n is group n + 1, in a
    // row from left to right, its box holding the hit test's depth.
    std::vector<Point3> lo(11, {1e9f, 1e9f, 1e9f}), hi(11, {-1e9f, -1e9f, -1e9f});
    XyzView view{};
    XyzOpen(&view, buttons.data(), "test");
    for (uint32_t i = 0; i < view.points.count; ++i) {
        const uint8_t* p = XyzPointAt(view, i);
        const uint16_t g = recbits::LoadU16(p + XYZ_POINT_BONE);
        ASSERT_LT(g, 11);
        const Point3 q{recbits::LoadF32(p) * 12, recbits::LoadF32(p + 4) * 12, recbits::LoadF32(p + 8) * 12};
        lo[g] = {std::min(lo[g].x, q.x), std::min(lo[g].y, q.y), std::min(lo[g].z, q.z)};
        hi[g] = {std::max(hi[g].x, q.x), std::max(hi[g].y, q.y), std::max(hi[g].z, q.z)};
    }
    // Each button's material number is its group: the switch that shows its twin.
    for (uint32_t i = 0; i < view.polygons.count; ++i) {
        const uint8_t* polygon = XyzPolygonAt(view, i);
        const uint32_t s = recbits::LoadU32(polygon + XYZ_POLYGON_SURFACE);
        const std::string name = buttons.SurfaceName(s);
        if (!name.starts_with("rb_") || name == "rb_frame") continue;
        const uint8_t* point = XyzPointAt(view, recbits::LoadU32(polygon + XYZ_POLYGON_POINTS));
        EXPECT_EQ(buttons.MaterialNumber(s), std::to_string(recbits::LoadU16(point + XYZ_POINT_BONE)))
            << name;
    }
    for (int g = 1; g <= 10; ++g) {
        EXPECT_LE(lo[g].z, -0.05f);
        EXPECT_GE(hi[g].z, -0.05f);
        EXPECT_GE(lo[g].x, -4.6f);
        EXPECT_LE(hi[g].x, 4.6f);
        if (g > 1) {
            EXPECT_GT(lo[g].x, hi[g - 1].x) << "buttons " << g - 1 << " and " << g << " overlap";
        }
    }
}

// A simple texture's pixels as ARGB, read as the display reads them.
std::vector<uint32_t> SimpleTexturePixels(const char* name) {
    uint8_t* block = nullptr;
    uint32_t size = PakLoadWholeFile(MakeFileName("zudata\\d3d\\simple\\textures", name, "tga"), &block,
                                     MEM_TYPE_MANUAL_FREE);
    std::vector<uint32_t> pixels;
    if (LoadImageFile(&block, &size, 0, &ColFmt_A8R8G8B8) == 0 && size > 16) {
        pixels.resize((size - 16) / 4);
        std::memcpy(pixels.data(), block + 16, pixels.size() * 4);
    }
    FreeMemory(&block);
    return pixels;
}

// The overlay panels' glass and the radar's hide what lies behind them (a
// figure seen through a panel seems to stand on it); the clock panel's back,
// up while no period is under way, carries a mark of its own instead of a
// blank face; every panel's back is framed like its front.
TEST_F(World3dTest, OverlayGlassHidesWhatIsBehindAndTheClocksBackIsMarked) {
    for (const char* glass : {"panel", "scanglass", "rb_frame"}) {
        const std::vector<uint32_t> pixels = SimpleTexturePixels(glass);
        ASSERT_FALSE(pixels.empty()) << glass;
        uint32_t least = 255;
        for (uint32_t p : pixels) least = std::min(least, p >> 24);
        EXPECT_GE(least, 0xD0u) << glass;
    }
    const LoadedModel clock("zudata\\d3d\\simple\\model\\bartime.xyz", false);
    std::vector<std::string> surfaces;
    for (uint32_t s = 0; s < clock.SurfaceCount(); ++s) surfaces.push_back(clock.SurfaceName(s));
    ASSERT_NE(std::find(surfaces.begin(), surfaces.end(), "clockback"), surfaces.end());
    const std::vector<uint32_t> back = SimpleTexturePixels("panelback"),
                                clockBack = SimpleTexturePixels("clockback");
    ASSERT_EQ(back.size(), clockBack.size());
    EXPECT_GE(std::set<uint32_t>(back.begin(), back.end()).size(), 2u) << "a frame round the back";
    size_t marked = 0;
    for (size_t i = 0; i < back.size(); ++i) marked += back[i] != clockBack[i];
    EXPECT_GT(marked, back.size() / 20) << "the clock's mark";
}

TEST_F(World3dTest, OpaqueTexturesAre24BitAndSeeThroughOnes32) {
    auto depth = [](const char* path) {
        uint8_t* block = nullptr;
        PakLoadWholeFile(path, &block, MEM_TYPE_MANUAL_NO_MOVE);
        const int bits = block[16];
        FreeMemory(&block);
        return bits;
    };
    EXPECT_EQ(depth("zudata\\d3d\\stadium\\textures\\pitch\\grass.tga"), 24);
    EXPECT_EQ(depth("zudata\\d3d\\stadium\\textures\\goals\\net_2.tga"), 32);
    EXPECT_EQ(depth("zudata\\d3d\\simple\\textures\\skidmark.tga"), 32);
}

TEST_F(World3dTest, EveryFlagHasItsPictureAtItsProportion) {
    ASSERT_EQ(kFlagCount, 205);
    EXPECT_STREQ(kFlagSizes[0].name, "velkflag");
    for (const FlagSize& flag : kFlagSizes) {
        const std::string path = std::string("zudata\\d3d\\simple\\textures\\flags\\") + flag.name + ".gfx";
        ASSERT_TRUE(PakCheckFile(path.c_str())) << flag.name;
        EXPECT_GT(flag.width, 0u);
        EXPECT_GT(flag.height, 0u);
        EXPECT_LE(flag.height, flag.width * 2) << flag.name;
    }
    uint8_t* block = nullptr;
    const uint32_t size =
        PakLoadWholeFile("zudata\\d3d\\simple\\textures\\flags\\japan.gfx", &block, MEM_TYPE_MANUAL_NO_MOVE);
    ASSERT_EQ(std::memcmp(block, "GFX0", 4), 0);
    const uint32_t w = recbits::LoadU16(block + 4), h = recbits::LoadU16(block + 6);
    ASSERT_EQ(size, 16 + w * h * 4);
    // A red disc on white: the centre red, the corners white.
    const uint32_t centre = recbits::LoadU32(block + 16 + 4 * ((h / 2) * w + w / 2));
    const uint32_t corner = recbits::LoadU32(block + 16);
    EXPECT_EQ(centre, 0xFFCE1126u);
    EXPECT_EQ(corner, 0xFFFFFFFFu);
    FreeMemory(&block);
}

TEST_F(World3dTest, FontsCutInMarkerModeGiveEveryCharacterItsWidth) {
    struct Font {
        const char* path;
        int cellWidth, cellHeight, sheetWidth, sheetHeight;
    };
    const Font fonts[] = {{"zudata\\d3d\\icons\\fonts\\fnt24.tga", 20, 24, 320, 384},
                          {"zudata\\d3d\\icons\\fonts\\fnt16.tga", 12, 16, 192, 256},
                          {"zudata\\d3d\\icons\\fonts\\fnt12.tga", 12, 12, 192, 192}};
    for (const Font& font : fonts) {
        uint8_t* block = nullptr;
        uint32_t size = PakLoadWholeFile(font.path, &block, MEM_TYPE_MANUAL_NO_MOVE);
        ASSERT_EQ(LoadImageFile(&block, &size, 0, &ColFmt_A8B8G8R8), 0) << font.path;
        EXPECT_EQ(recbits::LoadU16(block + GFX0_WIDTH), font.sheetWidth);
        EXPECT_EQ(recbits::LoadU16(block + GFX0_HEIGHT), font.sheetHeight);
        uint8_t* widths = nullptr;
        ASSERT_EQ(
            GFX_CutFrames(&block, &size, GFXCUT_WIDTHS, font.cellWidth, font.cellHeight, 16, 16, &widths), 0);
        for (int c = 0x21; c < 0x7F; ++c) {
            EXPECT_GE(widths[c], 1) << font.path << " " << char(c);
            EXPECT_LE(widths[c], font.cellWidth) << font.path << " " << char(c);
        }
        EXPECT_GT(widths[uint8_t('M')], widths[uint8_t('i')]) << font.path;
        // 'A' has white ink whose alpha is its coverage; no marker is left.
        const uint32_t* a = reinterpret_cast<const uint32_t*>(block + GFX0_HEADER_SIZE) +
                            size_t('A') * size_t(font.cellWidth * font.cellHeight);
        int inked = 0;
        for (int i = 0; i < font.cellWidth * font.cellHeight; ++i) {
            if ((a[i] >> 24) != 0) {
                EXPECT_EQ(a[i] & 0xFFFFFF, 0xFFFFFFu);
                ++inked;
            }
        }
        EXPECT_GT(inked, 10) << font.path;
        FreeMemory(&widths);
        FreeMemory(&block);
    }
    EXPECT_TRUE(PakCheckFile("zudata\\d3d\\icons\\pointers\\mouse.tga"));
}

TEST(World3dKitTest, IconFilesPackIntoAtMostEightPages) {
    using namespace datakit;
    std::vector<IconCells> files;
    for (int n = 0; n < 3; ++n) {
        const IconSheet sheet = DrawIconFont(n);
        IconCells cells{sheet.cellWidth, sheet.cellHeight, {}};
        for (int c = 0; c < 256; ++c) {
            std::vector<uint32_t> cell;
            for (int y = 0; y < sheet.cellHeight; ++y) {
                for (int x = 0; x < sheet.cellWidth; ++x) {
                    cell.push_back(
                        sheet.picture.pixels[size_t((c / 16) * sheet.cellHeight + y) * sheet.picture.width +
                                             size_t((c % 16) * sheet.cellWidth + x)]);
                }
            }
            cells.cells.push_back(cell);
        }
        files.push_back(cells);
    }
    const Picture pointer = DrawPointer();
    files.push_back({pointer.width, pointer.height, {pointer.pixels}});
    const int pages = IconPagesNeeded(files);
    EXPECT_GE(pages, 3);
    EXPECT_LE(pages, 8);

    // Whole-page icons take a page each; identical ones share.
    IconCells big{256, 256, {}};
    for (uint32_t k = 0; k < 9; ++k) big.cells.push_back(std::vector<uint32_t>(256 * 256, k));
    EXPECT_EQ(IconPagesNeeded({big}), 9);
    big.cells[8] = big.cells[0];
    EXPECT_EQ(IconPagesNeeded({big}), 8);
}

TEST(World3dKitTest, TwoRunsStageTheSameBytes) {
    using namespace datakit;
    InitMemory(9500);
    auto run = [] {
        GenerateWorld3d();
        std::map<std::string, std::vector<uint8_t>> files;
        for (const StagedFile* file : StagedPakFiles()) files[file->name] = file->bytes;
        ClearStage();
        return files;
    };
    const auto first = run();
    EXPECT_GT(first.size(), 300u);
    EXPECT_TRUE(first == run());
    UninitMemory();
}

// ---- The kit's own checks ------------------------------------------------------------------

TEST(World3dCheckDeathTest, CameraListsWithAGapOrFlaresWithoutMarksAreRefused) {
    using namespace datakit;
    XyzModel cams;
    WorldNamedPoint(cams, "cam_a1", {0, 0, 200});
    WorldNamedPoint(cams, "cam_a3", {0, 0, 200});
    EXPECT_EXIT(CheckCameraModel("camera\\x.xyz", cams), ::testing::ExitedWithCode(1),
                "camera\\\\x.xyz: the camera list has a gap at cam_a2");
    WorldNamedPoint(cams, "cam_a2", {0, 0, 200});
    CheckCameraModel("camera\\x.xyz", cams);

    XyzModel flares;
    WorldNamedPoint(flares, "flare_1", {0, 0, 200});
    WorldNamedPoint(flares, "mark_1", {0, 0, 100});
    CheckFlareModel("lights.xyz", flares);
    WorldNamedPoint(flares, "flare_2", {0, 0, 200});
    EXPECT_EXIT(CheckFlareModel("lights.xyz", flares), ::testing::ExitedWithCode(1),
                "lights.xyz: flare_2 has no mark");
    WorldNamedPoint(flares, "lamp_3", {0, 0, 200});
    EXPECT_EXIT(CheckFlareModel("lights.xyz", flares), ::testing::ExitedWithCode(1), "'lamp_3' is neither");
}

TEST(World3dCheckDeathTest, AMaterialWithoutItsTextureIsRefused) {
    using namespace datakit;
    InitMemory(9500);
    XyzModel model;
    const uint32_t s = WorldSurface(model, "nothing_here");
    WorldQuad(model, s, {0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0});
    StageWorldModel("stadium\\models\\test\\x.xyz", model, "stadium\\textures\\test", TextureRule::kStadium);
    EXPECT_EXIT(CheckWorldTextures(), ::testing::ExitedWithCode(1),
                "x.xyz: material 'nothing_here' names a missing texture");
    StageWorldTexture("stadium\\textures\\test", "nothing_here", MakePicture(8, 8, 0xFF000000));
    CheckWorldTextures();
    // Crowd and board materials find the shared textures.
    EXPECT_EQ(StadiumTexturePath("stadium\\textures\\stad1-day", "crowd_2"),
              "zudata\\d3d\\stadium\\textures\\crowd\\crowd_01");
    EXPECT_EQ(StadiumTexturePath("stadium\\textures\\stad1-day", "ad#lang#_6"),
              "zudata\\d3d\\stadium\\textures\\tmain");
    EXPECT_EXIT(StageWorldTexture("x", "odd", MakePicture(24, 16, 0xFF000000)), ::testing::ExitedWithCode(1),
                "not of power-of-two sides");
    ClearStage();
    UninitMemory();
}

TEST(World3dCheckDeathTest, AFlagLineWithAnUnknownShapeEndsTheRunWithFileAndLine) {
    using namespace datakit;
    const Picture ok = DrawFlag("test", 3, 2, "v b w r; disc y 0.2", 7);
    EXPECT_EQ(ok.pixels[0], 0xFF0038A8u);
    EXPECT_EXIT(DrawFlag("test", 3, 2, "h r w; blob k 0.2", 7), ::testing::ExitedWithCode(1),
                "data/flags.inc:7: test: unknown shape 'blob'");
    EXPECT_EXIT(DrawFlag("test", 3, 2, "h r purple", 9), ::testing::ExitedWithCode(1),
                "flags.inc:9: .*colour");
    EXPECT_EXIT(DrawFlag("test", 3, 2, "disc r", 11), ::testing::ExitedWithCode(1), "flags.inc:11");
    EXPECT_EXIT(DrawFlag("test", 3, 2, "h r;", 12), ::testing::ExitedWithCode(1),
                "flags.inc:12: test: an empty layer");
}

}  // namespace
