// The grounds of the data kit drawn headless the way the match display
// draws them: every row of a ground's list loaded from the archive through
// the load transform and drawn in its section, after clearing to magenta.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/match3d/worldconvention.h"
#include "game/system/device3d.h"
#include "game/system/matrices.h"
#include "game/system/modeldata.h"
#include "game/system/models3d.h"
#include "game/system/renderstates.h"
#include "platform/d3d.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/pak_fixture.h"

namespace {

using namespace worldconv;
using testenv::Frame;

constexpr int kWorldW = 320, kWorldH = 240;
constexpr uint32_t kMagenta = 0xFF00FF;

struct ListRow {
    int kind;  // 1-4 draw sections; others are points and not drawn here
    const char* model;
    const char* dir;
    uint32_t flags;  // bit 0 depth test, bit 1 depth writes
};

// The display's seven lists, as far as they draw.
const std::vector<std::vector<ListRow>> kLists = {
    {{1, "pitch\\grass", "pitch", 0},
     {1, "pitch\\lines", "pitch", 0},
     {2, "pitch\\flag", "pitch", 3},
     {1, "stad1-day\\horizon", "stad1-day", 0},
     {3, "stad1-day\\latest", "stad1-day", 3},
     {3, "stad1-day\\fencing", "stad1-day", 3},
     {4, "stad1-day\\sun", "stad1-day", 0},
     {4, "stad1-day\\dayshad", "stad1-day", 0},
     {3, "goalshad-day\\goalshad", "goalshad-day", 0}},
    {{1, "pitch\\grass", "pitch_night", 0},
     {1, "pitch\\lines", "pitch", 0},
     {2, "pitch\\flag", "pitch", 3},
     {1, "stad1-night\\horizon", "stad1-night", 0},
     {1, "stad1-night\\moon1", "stad1-night", 0},
     {3, "stad1-night\\latest", "stad1-night", 3},
     {3, "stad1-night\\fencing", "stad1-night", 3},
     {4, "stad1-night\\moon", "stad1-night", 0},
     {3, "stad1-night\\shadow", "stad1-night", 3},
     {3, "goalshad-night\\goalshad", "goalshad-night", 0}},
    {{1, "pitch\\grass", "pitch", 0},
     {1, "pitch\\lines", "pitch", 0},
     {2, "pitch\\flag", "pitch", 3},
     {1, "stad2-day\\horizon", "horizon-day", 0},
     {3, "stad2-day\\latest", "stad2-day", 3},
     {3, "goalshad-day\\goalshad", "goalshad-day", 0},
     {4, "stad1-day\\sun", "stad1-day", 0}},
    {{1, "pitch\\grass", "pitch_night", 0},
     {1, "pitch\\lines", "pitch", 0},
     {2, "pitch\\flag", "pitch", 3},
     {1, "stad2-night\\horizon", "horizon-night", 0},
     {3, "stad2-night\\latest", "stad2-day", 3}},
    {{1, "pitch\\grass", "pitch", 0},
     {1, "pitch\\lines", "pitch", 0},
     {2, "pitch\\flag", "pitch", 3},
     {3, "goalshad-day\\goalshad", "goalshad-day", 0},
     {3, "stad3-day\\latest", "stad3-day", 3},
     {4, "stad1-day\\sun", "stad1-day", 0}},
    {{1, "pitch\\grass", "pitch_night", 0},
     {1, "pitch\\lines", "pitch_night", 0},
     {2, "pitch\\flag", "pitch", 3},
     {3, "goalshad-night\\goalshad", "goalshad-night", 0},
     {3, "stad3-day\\latest", "stad3-day", 3}},
    {{1, "stadprac\\grass", "stadprac", 0},
     {1, "stadprac\\lines", "stadprac", 0},
     {2, "pitch\\flag", "pitch", 3},
     {2, "stadprac\\fencing", "stadprac", 0},
     {1, "stadprac\\shadows", "stadprac", 0},
     {3, "stadprac\\goalshad", "stadprac", 0}},
};
constexpr const char* kCameraLists[7] = {"cam01", "cam01", "cam02", "cam02", "cam03", "cam03", "cam03"};

// Crowd and board materials take the shared textures, as the stadium's
// texture callback does.
int StadiumCallback(const D3DObjCallbackRecord* record, D3DObjCallbackOutput* output) {
    if (record->event != D3DOBJ_EVENT_TEXTURECREATE) return D3DObjBasicCallback(record, output);
    uint8_t item[XYZ_SURFACE_MIN_STRIDE];
    std::memcpy(item, record->surface1, sizeof item);
    char* name = reinterpret_cast<char*>(item);
    char dir[128];
    std::snprintf(dir, sizeof dir, "%s", static_cast<const char*>(record->user_data));
    if (std::strncmp(name, "crowd", 5) == 0) {
        std::snprintf(dir, sizeof dir, "zudata\\d3d\\stadium\\textures\\crowd");
        std::snprintf(name, XYZ_SURFACE_NAME_SIZE, "crowd_01");
    } else if (std::strncmp(name, "tmain", 5) == 0 || std::strncmp(name, "ad#lang#", 8) == 0) {
        std::snprintf(dir, sizeof dir, "zudata\\d3d\\stadium\\textures");
        std::snprintf(name, XYZ_SURFACE_NAME_SIZE, "tmain");
    }
    D3DObjCallbackRecord changed = *record;
    changed.surface1 = item;
    changed.user_data = dir;
    return D3DObjBasicCallback(&changed, output);
}

struct LoadedRow {
    ListRow row;
    std::string dir;
    D3DObj* object = nullptr;
};

// Loads the model into the owner variable and moves it onto the pitch.
void LoadToPitch(const std::string& path, uint8_t** data) {
    ASSERT_TRUE(PakCheckFile(path.c_str())) << path;
    PakLoadWholeFile(path.c_str(), data, MEM_TYPE_MANUAL_NO_MOVE);
    XyzRotateX(*data, kLoadTurnX);
    XyzScale(*data, kUnitsPerMetre, kUnitsPerMetre, kUnitsPerMetre);
    XyzTranslate(*data, kCentreX, kCentreY, 0.0f);
}

Vector Sub(Vector a, Vector b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vector Cross(Vector a, Vector b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float Dot(Vector a, Vector b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vector Unit(Vector a) {
    const float l = std::sqrt(Dot(a, a));
    return {a.x / l, a.y / l, a.z / l};
}

struct Camera {
    Vector eye, target;
};

class World3dRenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::MountGameArchive(HALVORN_GAME_DIR, 64 * 1024);
        testenv::Start3D(kWorldW, kWorldH);
    }
    void TearDown() override {
        FreeRows();
        testenv::Stop3D();
        testenv::UnmountGameArchive();
    }

    void LoadList(const std::vector<ListRow>& list) {
        FreeRows();
        for (const ListRow& row : list) {
            LoadedRow loaded{row, std::string("zudata\\d3d\\stadium\\textures\\") + row.dir};
            rows_.push_back(loaded);
        }
        for (LoadedRow& loaded : rows_) {
            uint8_t* data = nullptr;
            LoadToPitch(std::string("zudata\\d3d\\stadium\\models\\") + loaded.row.model + ".xyz", &data);
            D3DObj_CreateObjectFromXYZData(&loaded.object, data, StadiumCallback, loaded.dir.data(),
                                           D3DOBJ_INDEXED | D3DOBJ_DOUBLE_SIDED);
            FreeMemory(&data);
        }
    }
    void FreeRows() {
        for (LoadedRow& row : rows_) {
            if (row.object != nullptr) D3DObj_Destroy(&row.object);
        }
        rows_.clear();
    }

    std::vector<Vector> Cameras(const char* list) {
        uint8_t* data = nullptr;
        LoadToPitch(std::string("zudata\\d3d\\stadium\\models\\camera\\") + list + ".xyz", &data);
        XyzView view{};
        XyzOpen(&view, data, "test");
        std::vector<Vector> out;
        for (uint32_t i = 0; i < view.points.count; ++i) {
            const uint8_t* p = XyzPointAt(view, i);
            out.push_back({recbits::LoadF32(p), recbits::LoadF32(p + 4), recbits::LoadF32(p + 8)});
        }
        FreeMemory(&data);
        return out;
    }

    void SetCamera(const Camera& camera) {
        const Vector up{0, 0, 1};
        const Vector z = Unit(Sub(camera.target, camera.eye));
        const Vector x = Unit(Cross(up, z));
        const Vector y = Cross(z, x);
        Matrix view{};
        const Vector axes[3] = {x, y, z};
        for (int c = 0; c < 3; ++c) {
            view.m[0][c] = (&axes[c].x)[0];
            view.m[1][c] = (&axes[c].x)[1];
            view.m[2][c] = (&axes[c].x)[2];
            view.m[3][c] = -Dot(axes[c], camera.eye);
        }
        view.m[3][3] = 1.0f;
        const float n = 10.0f, f = 20000.0f;
        Matrix projection{};
        projection.m[0][0] = 2.0f;
        projection.m[1][1] = 2.0f * float(kWorldW) / float(kWorldH);
        projection.m[2][2] = f / (f - n);
        projection.m[2][3] = 1.0f;
        projection.m[3][2] = -n * f / (f - n);
        Matrix world;
        MatrixIdentity(&world);
        D3DSetTransformType(D3DTRANSFORMSTATE_WORLD, &world);
        D3DSetTransformType(D3DTRANSFORMSTATE_VIEW, &view);
        D3DSetTransformType(D3DTRANSFORMSTATE_PROJECTION, &projection);
        MatrixMultiply(&combined_, &view, &projection);
    }

    // The pixel a pitch point projects to.
    std::pair<int, int> Project(Vector p) const {
        float out[4];
        for (int c = 0; c < 4; ++c) {
            out[c] = p.x * combined_.m[0][c] + p.y * combined_.m[1][c] + p.z * combined_.m[2][c] +
                     combined_.m[3][c];
        }
        return {int((out[0] / out[3] + 1.0f) * 0.5f * kWorldW),
                int((1.0f - out[1] / out[3]) * 0.5f * kWorldH)};
    }

    Frame Draw(const Camera& camera, const std::string& grab, bool withStands = true) {
        SetCamera(camera);
        D3DClearSceneEx2(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000 | kMagenta, 1.0f, 0);
        D3DBeginScene();
        D3DSetRenderState(plat::kRsLighting, 0);
        D3DSetRenderState(plat::kRsCullMode, plat::kCullCcw);
        D3DSetRenderState(plat::kRsAlphaBlendEnable, 1);
        D3DSetRenderState(plat::kRsSrcBlend, plat::kBlendSrcAlpha);
        D3DSetRenderState(plat::kRsDestBlend, plat::kBlendInvSrcAlpha);
        D3DSetRenderState(plat::kRsZFunc, plat::kCmpLessEqual);
        for (int section = 1; section <= 4; ++section) {
            if (section == 3 && !withStands) continue;
            for (const LoadedRow& row : rows_) {
                if (row.row.kind != section) continue;
                D3DSetRenderState(plat::kRsZEnable, section == 1 ? 0 : (row.row.flags & 1));
                D3DSetRenderState(plat::kRsZWriteEnable, section == 1 ? 0 : (row.row.flags >> 1) & 1);
                D3DObj_Render(row.object);
            }
        }
        D3DEndScene();
        return testenv::GrabFrame(grab + ".tga");
    }

    static int MagentaCount(const Frame& f) {
        int count = 0;
        for (uint32_t p : f.pixels) count += testenv::ColourDistance(p, kMagenta) <= 8;
        return count;
    }
    static double Brightness(const Frame& f) {
        double sum = 0;
        for (uint32_t p : f.pixels) sum += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
        return sum / double(f.pixels.size());
    }

    std::vector<LoadedRow> rows_;
    Matrix combined_{};
};

TEST_F(World3dRenderTest, EveryGroundFillsTheScreenFromItsCameras) {
    testenv::ScratchDir scratch;
    double dayBrightness[3] = {};
    for (size_t list = 0; list < kLists.size(); ++list) {
        SCOPED_TRACE("list " + std::to_string(list));
        LoadList(kLists[list]);
        const std::vector<Vector> stand = Cameras(kCameraLists[list]);
        const std::vector<Vector> lowEnd = Cameras("camrep"), highEnd = Cameras("camrep2");
        ASSERT_FALSE(stand.empty());
        const Vector spot{kCentreX, kCentreY, 0};
        const Camera cameras[] = {
            {stand[0], spot},
            {lowEnd.back(), {kCentreX, kGoalLineLowY, 20}},
            {highEnd[0], {kCentreX, kCentreY + 300, 0}},
            // Low behind the play, looking along the pitch and up a little.
            {{kCentreX + 200, kGoalLineLowY + 100, 40}, {kCentreX, kGoalLineHighY, 120}},
        };
        for (size_t c = 0; c < std::size(cameras); ++c) {
            const Frame f = Draw(cameras[c], "list" + std::to_string(list) + "_cam" + std::to_string(c));
            ASSERT_EQ(f.width, kWorldW);
            EXPECT_EQ(MagentaCount(f), 0) << "camera " << c;
        }

        // From the main position: grass about the centre spot, a white
        // halfway line, the stand above the far touchline.
        const Frame main = Draw(cameras[0], "main" + std::to_string(list));
        const auto [gx, gy] = Project({kCentreX + 40, kCentreY + 60, 0});
        ASSERT_TRUE(gx >= 0 && gx < kWorldW && gy >= 0 && gy < kWorldH);
        const uint32_t grass = main.At(gx, gy);
        EXPECT_GT(int((grass >> 8) & 0xFF), int((grass >> 16) & 0xFF)) << std::hex << grass;
        EXPECT_GT(int((grass >> 8) & 0xFF), int(grass & 0xFF)) << std::hex << grass;
        const auto [lx, ly] = Project({kCentreX - 200, kCentreY, 0});
        ASSERT_TRUE(lx >= 2 && lx < kWorldW - 2 && ly >= 0 && ly < kWorldH);
        int whitest = 0;
        // The line runs away from the camera: look across it.
        for (int dx = -2; dx <= 2; ++dx) {
            const uint32_t p = main.At(lx + dx, ly);
            whitest = std::max(whitest, int(std::min({(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF})));
        }
        EXPECT_GT(whitest, 170) << "the halfway line";
        if (list < 6) {
            const Frame bare = Draw(cameras[0], "bare" + std::to_string(list), false);
            const auto [sx, sy] = Project({kTouchLineHighX + 150, kCentreY, 90});
            ASSERT_TRUE(sx >= 0 && sx < kWorldW && sy >= 0 && sy < kWorldH);
            EXPECT_GT(testenv::ColourDistance(main.At(sx, sy), bare.At(sx, sy)), 10)
                << "no stand beyond the far line";
            if (list % 2 == 0) {
                dayBrightness[list / 2] = Brightness(main);
            } else {
                EXPECT_LT(Brightness(main), dayBrightness[list / 2] * 0.9) << "night is not darker";
            }
        }
    }
}

TEST_F(World3dRenderTest, BallsGoalsSkidMarkAndPanelsBuildWithAllTheirTextures) {
    struct Model {
        const char* path;
        const char* dir;
    };
    const Model models[] = {
        {"stadium\\models\\goals\\goal1_a", "stadium\\textures\\goals"},
        {"stadium\\models\\goals\\goal1_b", "stadium\\textures\\goals"},
        {"balls\\models\\balltype\\ball1", "balls\\textures\\balls"},
        {"balls\\models\\shadows\\ball1", "balls\\textures\\balls"},
        {"simple\\model\\skidmark", "simple\\textures"},
        {"simple\\model\\replayb", "simple\\textures"},
        {"simple\\model\\timebar", "simple\\textures"},
        {"simple\\model\\bartime", "simple\\textures"},
        {"simple\\model\\bar1", "simple\\textures"},
        {"simple\\model\\bar2", "simple\\textures"},
        {"simple\\model\\bar3", "simple\\textures"},
        {"simple\\model\\barbig", "simple\\textures"},
        {"simple\\model\\bar_lef", "simple\\textures"},
        {"simple\\model\\bar_rig", "simple\\textures"},
        {"simple\\model\\scanner", "simple\\textures"},
    };
    for (const Model& m : models) {
        const std::string path = std::string("zudata\\d3d\\") + m.path + ".xyz";
        std::string dir = std::string("zudata\\d3d\\") + m.dir;
        ASSERT_TRUE(PakCheckFile(path.c_str())) << path;
        uint8_t* data = nullptr;
        PakLoadWholeFile(path.c_str(), &data, MEM_TYPE_MANUAL_NO_MOVE);
        D3DObj* object = nullptr;
        D3DObj_CreateObjectFromXYZData(&object, data, nullptr, dir.data(),
                                       D3DOBJ_INDEXED | D3DOBJ_DOUBLE_SIDED);
        FreeMemory(&data);
        ASSERT_NE(object, nullptr) << path;
        EXPECT_GT(object->surface_count, 0u) << path;
        for (uint32_t s = 0; s < object->surface_count; ++s) {
            if (object->surfaces[s].kind & D3DOBJ_TEXTURED) {
                EXPECT_NE(object->surfaces[s].texture, D3DOBJ_NO_TEXTURE) << path;
            }
        }
        D3DObj_Destroy(&object);
    }
}

}  // namespace
