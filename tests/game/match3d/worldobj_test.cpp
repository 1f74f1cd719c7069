// The world objects of a match: ball and shadow, both goals with their
// nets' rest positions, the skid mark, the nets bulging behind the goal
// line only, and the ball and posts drawn white.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchsetup.h"
#include "core/match/netmarks.h"
#include "core/match/replay.h"
#include "game/match3d/kitload.h"
#include "game/match3d/matchtextures.h"
#include "game/match3d/renderview.h"
#include "game/match3d/stadium.h"
#include "game/screens/engine/loadanim.h"
#include "game/system/device3d.h"
#include "game/system/models3d.h"
#include "platform/d3d.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

class WorldObjTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { testenv::MountGameArchive(HALVORN_GAME_DIR, 64 * 1024); }
    static void TearDownTestSuite() {
        if (LoadingImageList[0].picture != nullptr) FreeMemory(&LoadingImageList[0].picture);
        testenv::UnmountGameArchive();
    }
    void SetUp() override {
        EnterGameInfo* block = ClearMatchSetupBlock();
        for (int stand = 0; stand < gameinfo::kStands; ++stand)
            block->SetI16(gameinfo::kStadiumLevel + 2 * stand, 5);
        block->SetU8(gameinfo::kNightMatch, 0);
        block->SetU8(gameinfo::kCrowdFill, 1);
        block->SetTeamI16(0, gameinfo::kTeamClub, 3);
        block->SetTeamI16(1, gameinfo::kTeamClub, 4);
        testenv::Start3D(320, 240);
        TexD3D_Init();
        NORMTEXT_Init();
        StdoutCapture quiet;
        World_LoadObjects();
        quiet.Text();
        GoalNet_Write(NetImpact{});
    }
    void TearDown() override {
        World_FreeObjects();
        TexD3D_DestroyAll();
        testenv::Stop3D();
    }
};

TEST_F(WorldObjTest, EveryGroupLoadsWithItsNets) {
    EXPECT_NE(WorldObjects.ball, nullptr);
    EXPECT_NE(WorldObjects.ballShadow, nullptr);
    EXPECT_NE(WorldObjects.goals[0], nullptr);
    EXPECT_NE(WorldObjects.goals[1], nullptr);
    EXPECT_NE(WorldObjects.skidMark, nullptr);
    EXPECT_EQ(Stadium_GetCurrentList(), kStadiumLargeDay);
    EXPECT_STREQ(LoadingScreenText(), "World: Skid Marks");
    for (int goal = 0; goal < 2; ++goal) {
        ASSERT_GT(WorldObjects.netCount[goal], 0u);
        for (uint32_t n = 0; n < WorldObjects.netCount[goal]; ++n) {
            const NetRest& rest = WorldObjects.nets[goal][n];
            EXPECT_NE(WorldObjects.goals[goal]->surfaces[rest.surface].value & kWorldPartNet, 0u);
            EXPECT_GT(rest.count, 0u);
            // Nets hang behind their goal line.
            for (uint32_t v = 0; v < rest.count; ++v) {
                const float y = rest.positions[v * 3 + 1];
                EXPECT_TRUE(goal == 0 ? y <= 126.5f : y >= 2037.5f) << goal << " " << y;
            }
        }
    }
    // The ball's shadow is black, a little see-through by day.
    const D3DObj* shadow = WorldObjects.ballShadow;
    bool coloured = false;
    for (uint32_t s = 0; s < shadow->surface_count; ++s) {
        if (shadow->surfaces[s].kind & D3DOBJ_TEXTURED) continue;
        coloured = true;
        EXPECT_EQ(static_cast<const D3DObjColVertex*>(shadow->surfaces[s].vertices)[0].colour, 20u << 24);
    }
    EXPECT_TRUE(coloured);
}

// A hit behind the high goal line: the vertices near it move by the offset
// weighted by their distance, those on the pitch side of the line never.
TEST_F(WorldObjTest, NetsBulgeBehindTheLineOnly) {
    NetImpact net{};
    net.impact[0] = 796;
    net.impact[1] = 2060;
    net.impact[2] = 20;
    net.offset[1] = 30.0f;
    GoalNet_Write(net);
    D3DBeginScene();
    Goals_Draw();
    D3DEndScene();
    int moved = 0;
    for (int goal = 0; goal < 2; ++goal) {
        for (uint32_t n = 0; n < WorldObjects.netCount[goal]; ++n) {
            const NetRest& rest = WorldObjects.nets[goal][n];
            const D3DObjSurface& surface = WorldObjects.goals[goal]->surfaces[rest.surface];
            const uint32_t stride = (surface.kind & D3DOBJ_TEXTURED) ? 32 : 28;
            for (uint32_t v = 0; v < rest.count; ++v) {
                const float* r = rest.positions + v * 3;
                const float* p = reinterpret_cast<const float*>(
                    static_cast<const uint8_t*>(surface.vertices) + v * stride);
                if (r[1] > 125.0f && r[1] < 2039.0f) {
                    EXPECT_EQ(p[1], r[1]);
                    continue;
                }
                const float d2 =
                    (796 - r[0]) * (796 - r[0]) + (2060 - r[1]) * (2060 - r[1]) + (20 - r[2]) * (20 - r[2]);
                EXPECT_NEAR(p[1], r[1] + 30.0f * std::exp(-0.001f * d2), 0.001f);
                EXPECT_EQ(p[0], r[0]);
                moved += p[1] != r[1];
            }
        }
    }
    EXPECT_GT(moved, 0);
}

TEST_F(WorldObjTest, BallAndPostsAreDrawnWhite) {
    DisplayTable[35].x = 796.0f;
    DisplayTable[35].y = 1900.0f;
    DisplayTable[35].height = 12.0f;
    DisplayBallRoll[0] = DisplayBallRoll[1] = 0.0f;
    D3DClearSceneEx2(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFFF00FF, 1.0f, 0);
    D3DBeginScene();
    const float eye[3] = {796.0f, 1760.0f, 40.0f};
    MatchCam_SetView(eye[0], eye[1], eye[2], std::atan2(0.0f, 1760.0f - 2038.0f),
                     std::atan2(20.0f - 40.0f, 2038.0f - 1760.0f) - 1.5707964f, 1.0f);
    D3DGame_SetDefaultStates();
    D3DGame_SetDepth(0);
    D3DWorldDisplayStadSection(1);
    D3DGame_SetDefaultStates();
    D3DGame_SetDepth(0);
    D3DGame_SetBlending(1);
    Ball_DrawShadow();
    D3DGame_SetDefaultStates();
    D3DWorldDisplayStadSection(2);
    Ball_Draw();
    D3DWorldDisplayStadSection(3);
    Goals_Draw();
    D3DWorldDisplayStadSection(4);
    SkidMark_Draw(796, 1850, 0.0f);
    D3DEndScene();
    const testenv::Frame frame = testenv::GrabFrame("world_ball_posts.tga");
    auto whitest = [&](float x, float y, float z) {
        float sx = 0, sy = 0;
        EXPECT_TRUE(Figure_ProjectToScreen(x, y, z, &sx, &sy)) << x << "," << y << "," << z;
        int best = 0;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const uint32_t p = frame.At(std::clamp(int(sx) + dx, 0, frame.width - 1),
                                            std::clamp(int(sy) + dy, 0, frame.height - 1));
                best = std::max(best, std::min({int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF)}));
            }
        }
        return best;
    };
    EXPECT_GT(whitest(796, 1900, 12), 170);
    EXPECT_GT(whitest(730, 2038, 20), 170);
    EXPECT_GT(whitest(862, 2038, 20), 170);
    EXPECT_GT(whitest(796, 2038, 43), 170);
}

}  // namespace
