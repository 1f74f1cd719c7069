// The match figures in 3D: levels of detail, builds, the officials' card
// model, one file read per model, rows a goal file may spoil, and a player
// and his shadow drawn on the large ground.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/actions.h"
#include "core/match/infobar.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchsetup.h"
#include "core/match/motion.h"
#include "core/match/replay.h"
#include "game/match3d/kitload.h"
#include "game/match3d/matchtextures.h"
#include "game/match3d/players3d.h"
#include "game/match3d/renderview.h"
#include "game/match3d/stadium.h"
#include "game/screens/engine/loadanim.h"
#include "game/system/device3d.h"
#include "platform/d3d.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

TEST(FigureRulesTest, LevelsFollowTheDetailSettingAndBuildsTheNumber) {
    EXPECT_EQ(Figure_LevelOfDetail(100, 1, 0), 0);
    EXPECT_EQ(Figure_LevelOfDetail(106, 1, 0), 1);
    EXPECT_EQ(Figure_LevelOfDetail(193, 1, 0), 2);
    EXPECT_EQ(Figure_LevelOfDetail(400, 1, 0), 3);
    EXPECT_EQ(Figure_LevelOfDetail(159, 1, 1), 0);
    EXPECT_EQ(Figure_LevelOfDetail(599, 1, 1), 2);
    EXPECT_EQ(Figure_LevelOfDetail(1199, 1, 2), 2);
    EXPECT_EQ(Figure_LevelOfDetail(1200, 1, 2), 3);
    EXPECT_EQ(Figure_LevelOfDetail(300, 2, 0), 1);  // the distance over the zoom
    EXPECT_EQ(Figure_LevelOfDetail(300, 0, 0), 2);  // no zoom: taken as 1
    bool finer = false;
    for (float d = 0; d < 1500; d += 10) {
        EXPECT_LE(Figure_LevelOfDetail(d, 1, 2), Figure_LevelOfDetail(d, 1, 0)) << d;
        finer = finer || Figure_LevelOfDetail(d, 1, 2) < Figure_LevelOfDetail(d, 1, 0);
    }
    EXPECT_TRUE(finer);
    EXPECT_EQ(Figure_Build(0), 2);  // tall
    EXPECT_EQ(Figure_Build(1), 1);  // mid
    EXPECT_EQ(Figure_Build(2), 0);  // short
    EXPECT_EQ(Figure_Build(33), 2);
}

class PlayersTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        testenv::MountGameArchive(HALVORN_GAME_DIR, 96 * 1024);
        StdoutCapture quiet;
        Motion_LoadAll();
        quiet.Text();
    }
    static void TearDownTestSuite() {
        Motion_FreeAll();
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
        block->SetTeamI16(1, gameinfo::kTeamClub, 40);
        WriteTeamKit(3, 40, 0, block->bytes + gameinfo::TeamInfoAt(0) + gameinfo::kTeamKit);
        WriteTeamKit(40, 3, 1, block->bytes + gameinfo::TeamInfoAt(1) + gameinfo::kTeamKit);
        for (int team = 0; team < 2; ++team) {
            for (int entry = 0; entry < 16; ++entry) {
                uint8_t* p = block->bytes + gameinfo::PlayerInfoAt(team, entry);
                for (int field : {gameinfo::kSkinColour, gameinfo::kHairColour, gameinfo::kHairStyle}) {
                    recbits::StoreU16(p + field, uint16_t(entry % 4));
                }
            }
        }
        for (DisplayFigure& row : DisplayTable) row = DisplayFigure{0, 0, 0, -1, 0, 0};
        MatchLineUp[0][0] = 0;
        MatchLineUp[1][0] = 16;
        DetailSetting = 1;
        testenv::Start3D(320, 240);
        TexD3D_Init();
        NORMTEXT_Init();
        StdoutCapture quiet;
        LoadAllStadParts();
        Players3D_Load();
        quiet.Text();
        const float sun[3] = {14.0f / 26.4f, 10.0f / 26.4f, -20.0f / 26.4f};
        Stadium_SetLight(sun);
    }
    void TearDown() override {
        Players3D_Free();
        Stadium_Free();
        TexD3D_DestroyAll();
        testenv::Stop3D();
    }
    static void LookAtCentre(float distance) {
        MatchCam_SetView(796.0f - distance, 1082.0f, distance * 0.6f, std::atan2(-distance, 0.0f),
                         std::atan2(-distance * 0.6f + 20.0f, distance) - 1.5707964f, 1.0f);
    }
    testenv::Frame Draw(const std::string& grab, bool figures) {
        D3DClearSceneEx2(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFFF00FF, 1.0f, 0);
        D3DBeginScene();
        D3DGame_SetDefaultStates();
        D3DGame_SetDepth(0);
        D3DWorldDisplayStadSection(1);
        if (figures) {
            D3DGame_SetDefaultStates();
            D3DGame_SetDepth(0);
            D3DGame_SetBlending(1);
            Players3D_DrawShadows();
            D3DGame_SetDefaultStates();
            Players3D_Draw();
        }
        D3DEndScene();
        return testenv::GrabFrame(grab + ".tga");
    }
};

TEST_F(PlayersTest, EachModelFileIsReadOnceAndSpoiltRowsAreNotDrawn) {
    LookAtCentre(150.0f);
    for (int figure = 0; figure < kFiguresDrawn; ++figure) {
        DisplayTable[figure] = DisplayFigure{780.0f + float(figure % 6) * 6,
                                             1060.0f + float(figure / 6) * 8,
                                             0,
                                             1,
                                             int16_t(figure % 3),
                                             int16_t(figure * 7)};
    }
    D3DBeginScene();
    Players3D_Draw();
    const int once = FigureModelFilesRead;
    EXPECT_GE(once, 3);
    EXPECT_LE(once, 3 * 2 * 3);  // roles x two nearby levels x builds
    Players3D_Draw();
    EXPECT_EQ(FigureModelFilesRead, once);
    // Rows from a goal file with a clip outside the table or a frame past
    // its clip are skipped.
    DisplayTable[4].clip = 400;
    DisplayTable[5].frame = int16_t(Motion_GetFrameCount(1) + 3);
    DisplayTable[6].clip = -2;
    plat::ResetD3DCallCounts();
    Players3D_Draw();
    const int draws = plat::D3DCallCount("DrawIndexedPrimitive");
    for (int figure = 4; figure <= 6; ++figure) DisplayTable[figure].clip = -1;
    DisplayTable[5].frame = 0;
    plat::ResetD3DCallCounts();
    Players3D_Draw();
    EXPECT_EQ(plat::D3DCallCount("DrawIndexedPrimitive"), draws);
    D3DEndScene();
}

TEST_F(PlayersTest, RefereeShowingACardTakesTheCardModel) {
    LookAtCentre(150.0f);
    DisplayTable[32] = DisplayFigure{796.0f, 1082.0f, 0, kCardClip, 0, 0};
    MatchFigures[32].action = kOfficialBooking;
    EXPECT_EQ(Figure_Role(32), kRoleReferee);
    D3DBeginScene();
    Players3D_Draw();
    D3DEndScene();
    auto cardIs = [](uint32_t colour) {
        bool found = false;
        for (auto& level : FigureModels[kRoleReferee]) {
            for (auto& build : level) {
                const D3DObj* object = build[kHairNorm].object;
                if (object == nullptr) continue;
                for (uint32_t s = 0; s < object->surface_count; ++s) {
                    const D3DObjSurface& surface = object->surfaces[s];
                    if (surface.kind & D3DOBJ_TEXTURED || (surface.value & kWorldPartNet) == 0) continue;
                    found = static_cast<const D3DObjColVertex*>(surface.vertices)[0].colour == colour;
                }
            }
        }
        return found;
    };
    EXPECT_TRUE(cardIs(kYellowCard));
    MatchFigures[32].action = kOfficialSendingOff;
    EXPECT_EQ(Figure_Role(32), kRoleReferee);
    D3DBeginScene();
    Players3D_Draw();
    D3DEndScene();
    EXPECT_TRUE(cardIs(kRedCard));
    MatchFigures[32].action = 3;
    EXPECT_EQ(Figure_Role(32), kRolePlayer);
    MatchFigures[32].action = kOfficialSendingOff;
    DisplayTable[32].clip = 1;
    EXPECT_EQ(Figure_Role(32), kRolePlayer);
    EXPECT_EQ(Figure_Role(0), kRoleKeeper);
    EXPECT_EQ(Figure_Role(16), kRoleKeeper);
    EXPECT_EQ(Figure_Role(5), kRolePlayer);
}

// A player at the centre spot: his chest in his shirt colour, his shadow
// on the grass along the sun.
TEST_F(PlayersTest, PlayerAtTheCentreSpotWearsHisShirtAndCastsHisShadow) {
    LookAtCentre(120.0f);
    const testenv::Frame empty = Draw("players_empty", false);
    DisplayTable[1] = DisplayFigure{796.0f, 1082.0f, 0, 1, 0, 0};
    const testenv::Frame frame = Draw("players_one", true);
    float sx = 0, sy = 0;
    ASSERT_TRUE(Figure_ProjectToScreen(796.0f, 1082.0f, 22.0f, &sx, &sy));
    const uint32_t chest = frame.At(int(sx), int(sy));
    const KitColour& shirt = GetKitColour(int16_t(GetMatchSetupBlock()->TeamI16(0, gameinfo::kTeamKit + 2)));
    const uint32_t kit = uint32_t(shirt.red) << 16 | uint32_t(shirt.green) << 8 | shirt.blue;
    const uint32_t grass = empty.At(int(sx), int(sy));
    EXPECT_LT(testenv::ColourDistance(chest, kit), testenv::ColourDistance(grass, kit)) << std::hex << chest;
    EXPECT_LT(testenv::ColourDistance(chest, kit), 110) << std::hex << chest << " " << kit;
    // The sun shines along (14, 10, -20): the shadow falls on that side.
    ASSERT_TRUE(Figure_ProjectToScreen(796.0f + 8.0f, 1082.0f + 6.0f, 0.0f, &sx, &sy));
    auto brightness = [](uint32_t p) { return int(p >> 16 & 0xFF) + int(p >> 8 & 0xFF) + int(p & 0xFF); };
    EXPECT_LT(brightness(frame.At(int(sx), int(sy))), brightness(empty.At(int(sx), int(sy))) - 10);
}

// At night a figure near a floodlight tower casts a shadow from it; one far
// from every tower casts none.
TEST_F(PlayersTest, AtNightOnlyFiguresNearATowerCastShadows) {
    Stadium_Free();
    GetMatchSetupBlock()->SetU8(gameinfo::kNightMatch, 1);
    StdoutCapture quiet;
    LoadAllStadParts();
    quiet.Text();
    ASSERT_EQ(Stadium_GetCurrentList(), kStadiumLargeNight);
    Stadium_SetLight(nullptr);
    const float* tower = Stadium_GetFloodlight(0);
    auto shadowDraws = [&](float x, float y) {
        DisplayTable[3] = DisplayFigure{x, y, 0, 1, 0, 0};
        MatchCam_SetView(x - 150.0f, y, 90.0f, -1.5707964f, std::atan2(-80.0f, 150.0f) - 1.5707964f, 1.0f);
        plat::ResetD3DCallCounts();
        D3DBeginScene();
        Players3D_DrawShadows();
        D3DEndScene();
        return plat::D3DCallCount("DrawIndexedPrimitive") + plat::D3DCallCount("DrawPrimitive");
    };
    EXPECT_GT(shadowDraws(tower[0], tower[1]), 0);
    EXPECT_EQ(shadowDraws(796.0f + 30000.0f, 1082.0f), 0);
    // The same figure, as seen, has a shadow from the sun.
    const float sun[3] = {0.5f, 0.4f, -0.76f};
    Stadium_SetLight(sun);
    EXPECT_GT(shadowDraws(796.0f + 30000.0f, 1082.0f), 0);
}

}  // namespace
