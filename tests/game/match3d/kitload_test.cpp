// Kit and player looks: the texture type and file of every part of every
// match figure, and the loading of a match's kit textures from the game's
// archive.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/pakfile.h"
#include "core/base/random.h"
#include "core/base/trackedmemory.h"
#include "core/match/matchsetup.h"
#include "game/match3d/kitload.h"
#include "game/match3d/matchtextures.h"
#include "game/system/device3d.h"
#include "game/system/picture.h"
#include "game/system/renderstates.h"
#include "game/system/textures3d.h"
#include "platform/d3d.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

void KitSetLook(int figure, uint16_t skin, uint16_t hairColour, uint16_t hairStyle) {
    uint8_t* p = GetMatchSetupBlock()->bytes + gameinfo::PlayerInfoAt(figure / 16, figure % 16);
    recbits::StoreU16(p + gameinfo::kSkinColour, skin);
    recbits::StoreU16(p + gameinfo::kHairColour, hairColour);
    recbits::StoreU16(p + gameinfo::kHairStyle, hairStyle);
}

void KitSetDesigns(int side, int16_t shirt, int16_t shorts, int16_t socks) {
    uint8_t* kit = GetMatchSetupBlock()->bytes + gameinfo::TeamInfoAt(side) + gameinfo::kTeamKit;
    recbits::StoreU16(kit, uint16_t(shirt));
    recbits::StoreU16(kit + 10, uint16_t(shorts));
    recbits::StoreU16(kit + 18, uint16_t(socks));
}

KitDesignRow KitOfSide(int side) {
    const uint8_t* kit = GetMatchSetupBlock()->bytes + gameinfo::TeamInfoAt(side) + gameinfo::kTeamKit;
    KitDesignRow row{};
    for (int w = 0; w < kKitWords; ++w) row.words[w] = recbits::LoadU16(kit + 2 * w);
    return row;
}

int KitUsedSlots() {
    int used = 0;
    for (uint32_t slot : TextureSlot) used += slot != kFreeTextureSlot;
    return used;
}

// The distinct (part, type) pairs of the figures now in the block.
size_t KitDistinctPairs() {
    std::set<std::pair<int, int>> pairs;
    for (int column = 0; column < kKitParts; ++column) {
        for (int figure = 0; figure < kKitFigures; ++figure) {
            pairs.insert({column, KIT_GetKitType(&KitPartTable[column], figure)});
        }
    }
    return pairs.size();
}

class KitLoadTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { testenv::MountGameArchive(HALVORN_GAME_DIR, 64 * 1024); }
    static void TearDownTestSuite() { testenv::UnmountGameArchive(); }
    void SetUp() override {
        ClearMatchSetupBlock();
        for (int figure = 0; figure < 32; ++figure) KitSetLook(figure, 1, 0, 0);
        KitSetDesigns(0, 7, 3, 2);
        KitSetDesigns(1, 12, 0, 9);
        TexD3D_Init();
    }
    void Start() { testenv::Start3D(kGrabW, kGrabH); }
    void Stop() {
        TexD3D_DestroyAll();
        testenv::Stop3D();
    }
    static constexpr int kGrabW = 320, kGrabH = 240;
};

// ---- Types and file names ------------------------------------------------------

TEST_F(KitLoadTest, SkinHairAndPlainPartsNameTheirFiles) {
    const KitPart* face = &KitPartTable[1];
    const KitPart* hair = &KitPartTable[3];
    const std::pair<uint16_t, const char*> skins[] = {{1, "latin"},   {5, "dafrican"}, {4, "westind"},
                                                      {6, "westind"}, {0, "white"},    {2, "white"},
                                                      {3, "white"},   {7, "white"},    {99, "white"}};
    for (auto [skin, name] : skins) {
        KitSetLook(5, skin, 0, 0);
        EXPECT_EQ(KIT_BuildFilename(KIT_GetKitType(face, 5), face),
                  std::string("sskin\\textures\\SKINS\\") + name + "\\face.tga")
            << skin;
    }
    const std::pair<uint16_t, const char*> colours[] = {
        {0, "blonde"}, {1, "ginger"}, {2, "brown"}, {3, "black"}, {9, "black"}};
    for (auto [colour, name] : colours) {
        KitSetLook(20, 1, colour, 1);
        EXPECT_EQ(KIT_BuildFilename(KIT_GetKitType(hair, 20), hair),
                  std::string("sskin\\textures\\hair\\short\\") + name + ".tga");
    }
    const std::pair<uint16_t, const char*> styles[] = {{0, "short"},  {2, "short"},  {3, "long"},
                                                       {4, "normal"}, {5, "long"},   {6, "long"},
                                                       {7, "normal"}, {12, "normal"}};
    for (auto [style, name] : styles) {
        KitSetLook(20, 1, 3, style);
        EXPECT_EQ(KIT_BuildFilename(KIT_GetKitType(hair, 20), hair),
                  std::string("sskin\\textures\\hair\\") + name + "\\black.tga")
            << style;
    }
    // The officials' one look: skin 0, brown hair of style 4.
    for (int official : {32, 33, 34}) {
        EXPECT_EQ(KIT_BuildFilename(KIT_GetKitType(hair, official), hair),
                  std::string("sskin\\textures\\hair\\normal\\brown.tga"));
        EXPECT_EQ(KIT_GetKitType(face, official), 3);
    }
    EXPECT_EQ(KIT_GetKitType(&KitPartTable[4], 7), 0);
    EXPECT_EQ(KIT_BuildFilename(0, &KitPartTable[4]), std::string("sskin\\textures\\plain\\boots.tga"));
    EXPECT_EQ(KIT_BuildFilename(0, &KitPartTable[5]), std::string("sskin\\textures\\plain\\kglove.tga"));
}

TEST_F(KitLoadTest, KitPartsNameTheirSidesDesigns) {
    const KitPart* shirt = &KitPartTable[6];
    const KitPart* shorts = &KitPartTable[7];
    const KitPart* socks = &KitPartTable[8];
    const KitPart* keeper = &KitPartTable[9];
    const std::pair<int, int> sides[] = {{0, 0}, {15, 0}, {16, 1}, {31, 1}, {32, 2}, {33, 3}, {34, 3}};
    for (auto [figure, side] : sides) {
        for (const KitPart* row : {shirt, shorts, socks, keeper})
            EXPECT_EQ(KIT_GetKitType(row, figure), side);
    }
    StdoutCapture out;
    EXPECT_EQ(KIT_BuildFilename(0, shirt), std::string("sskin\\textures\\kits\\shirts\\shirt07.tga"));
    EXPECT_EQ(KIT_BuildFilename(0, shorts), std::string("sskin\\textures\\kits\\shorts\\shorts03.tga"));
    EXPECT_EQ(KIT_BuildFilename(1, socks), std::string("sskin\\textures\\kits\\socks\\socks09.tga"));
    EXPECT_EQ(KIT_BuildFilename(1, shirt), std::string("sskin\\textures\\kits\\shirts\\shirt12.tga"));
    // Officials wear design 1 whatever a row says; every keeper shirt is
    // design 1 in the side's keeper colour.
    for (int side : {2, 3}) {
        EXPECT_EQ(KIT_BuildFilename(int16_t(side), shirt),
                  std::string("sskin\\textures\\kits\\shirts\\shirt01.tga"));
        EXPECT_EQ(KIT_BuildFilename(int16_t(side), shorts),
                  std::string("sskin\\textures\\kits\\shorts\\shorts01.tga"));
        EXPECT_EQ(KIT_BuildFilename(int16_t(side), socks),
                  std::string("sskin\\textures\\kits\\socks\\socks01.tga"));
    }
    for (int side = 0; side < 4; ++side) {
        EXPECT_EQ(KIT_BuildFilename(int16_t(side), keeper),
                  std::string("sskin\\textures\\kits\\shirts\\shirt01.tga"));
    }
    EXPECT_EQ(out.Text(), "");

    // A negative design, or one without a file (a goal file can carry any
    // word), is reported and replaced by design 0.
    KitSetDesigns(0, -1, 57, 2);
    KitSetDesigns(1, 100, 3, -5);
    StdoutCapture warned;
    EXPECT_EQ(KIT_BuildFilename(0, shirt), std::string("sskin\\textures\\kits\\shirts\\shirt00.tga"));
    EXPECT_EQ(KIT_BuildFilename(0, shorts), std::string("sskin\\textures\\kits\\shorts\\shorts00.tga"));
    EXPECT_EQ(KIT_BuildFilename(1, shirt), std::string("sskin\\textures\\kits\\shirts\\shirt00.tga"));
    EXPECT_EQ(KIT_BuildFilename(1, socks), std::string("sskin\\textures\\kits\\socks\\socks00.tga"));
    EXPECT_EQ(KIT_BuildFilename(1, shorts), std::string("sskin\\textures\\kits\\shorts\\shorts03.tga"));
    EXPECT_EQ(warned.Text(),
              "\nWARNING: BAD KIT DESIGN FOR TEAM0 kit number 3\n"
              "\nWARNING: BAD KIT DESIGN FOR TEAM0 kit number 5\n"
              "\nWARNING: BAD KIT DESIGN FOR TEAM1 kit number 3\n"
              "\nWARNING: BAD KIT DESIGN FOR TEAM1 kit number 2\n");
}

TEST_F(KitLoadTest, LooksAndNamesOutsideTheRulesStopTheProgram) {
    EXPECT_EQ(KITPLR_GetTextureIndexFromName("FACE.TGA"), 1);
    EXPECT_EQ(KITPLR_GetTextureIndexFromName("K_Shirt.tga"), 9);
    EXPECT_EQ(KITPLR_GetTextureIndexFromName("armhand.tga"), 0);
    EXPECT_FATAL(KITPLR_GetTextureIndexFromName("cape.tga"),
                 "Error: KITPLR_GetTextureIndexFromName\\(\\): cannot find 'cape.tga' texture in list");
    EXPECT_FATAL(KITPLR_GetTextureIndexFromName("face"), "cannot find 'face' texture in list");
    EXPECT_FATAL(KIT_GetPlayerPhysLook(35),
                 "Error: KIT_GetPlayerPhysLook\\(\\): player number 35 out of range");
    EXPECT_FATAL(KIT_GetPlayerPhysLook(-1), "player number -1 out of range");
    EXPECT_FATAL(Kit_ReturnKit(4, 0), "ERROR:FILE_GFX_DIRNOS_SHIRTTOP");
    EXPECT_FATAL(Kit_ReturnKit(6, 0), "ERROR:FILE_GFX_DIRNOS_SHIRTARM_L");
    EXPECT_FATAL(Kit_ReturnKit(9, 1), "ERROR:FILE_GFX_DIRNOS_SHIRTARM_R");
    EXPECT_FATAL(Kit_ReturnKit(7, 1), "ERROR: Kit_ReturnKit 7 kitpart not found");
    const KitPart top = {kKitKindShirtTop, 0x101c, "top", "x", 0};
    EXPECT_FATAL(KIT_GetKitType(&top, 0), "ERROR: KIT_GetKitType\\(\\): `default case hit'");
    EXPECT_FATAL(KIT_BuildFilename(0, &top), "ERROR: KIT_BuildFilename `default case hit'");
    EXPECT_FATAL(KIT_BuildFilename(4, &KitPartTable[6]), "ERROR: BuildFilename type = 4");
    EXPECT_FATAL(ReturnHairLengthName(48), "ERROR: ReturnHairLengthName default case hit!");
    EXPECT_EQ(KIT_GetTexture(0, 0), -1);
    EXPECT_EQ(KIT_GetTexture(35, 0), -1);
}

// ---- Loading ----------------------------------------------------------------------

TEST_F(KitLoadTest, FiguresShareOneTexturePerPartAndType) {
    Start();
    // Four skin colours in the squads: four face textures (the officials'
    // skin 0 is "white", one of the four).
    constexpr uint16_t kSkins[4] = {1, 5, 4, 3};
    for (int figure = 0; figure < 32; ++figure)
        KitSetLook(figure, kSkins[figure % 4], uint16_t(figure % 3), 1);
    KIT_LoadMatchKits();
    std::set<int16_t> faces, keepers;
    for (int figure = 0; figure < kKitFigures; ++figure) {
        faces.insert(KitTextureTable[figure][1]);
        keepers.insert(KitTextureTable[figure][9]);
        for (int column = 0; column < kKitParts; ++column) ASSERT_NE(KIT_GetTexture(figure, column), -1);
        for (int column = kKitParts; column < kKitColumns; ++column) {
            ASSERT_EQ(KitTextureTable[figure][column], kNoKitTexture);
        }
    }
    EXPECT_EQ(faces.size(), 4u);
    EXPECT_EQ(keepers.size(), 4u);
    EXPECT_EQ(KitTextureTable[0][9], KitTextureTable[15][9]);
    EXPECT_EQ(KitTextureTable[33][9], KitTextureTable[34][9]);
    EXPECT_NE(KitTextureTable[32][9], KitTextureTable[33][9]);
    EXPECT_EQ(size_t(KitUsedSlots()), KitDistinctPairs());
    Stop();
}

// Every kit file the chosen kits of 200 fixtures name loads without a
// message; whole matches of the first ten make one texture per distinct
// (part, type).
TEST_F(KitLoadTest, ChosenKitsOfGeneratedFixturesLoadQuietly) {
    Start();
    GameSeedRandom(4242);
    std::set<std::pair<int, std::string>> files;
    for (int fixture = 0; fixture < 200; ++fixture) {
        const int16_t home = int16_t(GameRandom() % 1200);
        int16_t away = int16_t(GameRandom() % 1200);
        if (away == home) away = int16_t((away + 1) % 1200);
        uint8_t* block = GetMatchSetupBlock()->bytes;
        WriteTeamKit(home, away, 0, block + gameinfo::TeamInfoAt(0) + gameinfo::kTeamKit);
        WriteTeamKit(away, home, 1, block + gameinfo::TeamInfoAt(1) + gameinfo::kTeamKit);
        for (int figure = 0; figure < 32; ++figure) {
            KitSetLook(figure, uint16_t(GameRandom() % 8), uint16_t(GameRandom() % 4),
                       uint16_t(GameRandom() % 8));
        }
        StdoutCapture out;
        for (int column = 6; column <= 9; ++column) {
            for (int16_t side = 0; side < 4; ++side) {
                files.insert({column, KIT_BuildFilename(side, &KitPartTable[column])});
            }
        }
        if (fixture < 10) {
            KIT_LoadMatchKits();
            ASSERT_EQ(size_t(KitUsedSlots()), KitDistinctPairs()) << "fixture " << fixture;
            TexD3D_DestroyAll();
        }
        ASSERT_EQ(out.Text(), "") << "fixture " << fixture << ": " << home << " v " << away;
    }
    StdoutCapture out;
    for (const auto& [column, name] : files) {
        const int index = TexD3D_CreateTextureForTeam(name.c_str(), 0, &KitPartTable[column]);
        ASSERT_NE(TexD3D_GetHandle(index), -1) << name;
    }
    EXPECT_EQ(out.Text(), "");
    EXPECT_GT(files.size(), 20u);
    Stop();
}

// Each side's shirt drawn over a quad, one texel to 2 x 2 pixels: a texel of
// pen 0 shows the club's first colour shaded by the shading picture there.
TEST_F(KitLoadTest, GrabbedShirtsShowTheClubsShadedFirstColour) {
    Start();
    uint8_t* block = GetMatchSetupBlock()->bytes;
    WriteTeamKit(3, 40, 0, block + gameinfo::TeamInfoAt(0) + gameinfo::kTeamKit);
    WriteTeamKit(40, 3, 1, block + gameinfo::TeamInfoAt(1) + gameinfo::kTeamKit);
    KIT_LoadMatchKits();

    // The shading as the texture code reads it.
    uint8_t* shading = nullptr;
    uint32_t size = PakLoadWholeFile("zudata\\d3d\\sskin\\textures\\kits\\plain\\shirt.tga", &shading,
                                     MEM_TYPE_MANUAL_FREE);
    ASSERT_EQ(LoadImageFile(&shading, &size, 0, &ColFmt_A8R8G8B8), 0);
    const uint32_t width = recbits::LoadU16(shading + GFX0_WIDTH);
    ASSERT_EQ(width, 128u);

    for (int side : {0, 1}) {
        const KitDesignRow kit = KitOfSide(side);
        uint8_t* pens = nullptr;
        uint32_t penSize = PakLoadWholeFile(
            (std::string("zudata\\d3d\\") + KIT_BuildFilename(int16_t(side), &KitPartTable[6])).c_str(),
            &pens, MEM_TYPE_MANUAL_FREE);
        ASSERT_EQ(LoadImageFile(&pens, &penSize, 0, nullptr), 0);

        D3DClearSceneEx2(D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        D3DBeginScene();
        D3DSetRenderState(plat::kRsLighting, 0);
        D3DSetRenderState(plat::kRsZEnable, 0);
        D3DSetRenderState(plat::kRsCullMode, plat::kCullNone);
        D3DSetTextureStageState(0, plat::kTssMagFilter, plat::kTfgPoint);
        D3DSetTextureStageState(0, plat::kTssMinFilter, plat::kTfnPoint);
        D3DTexSetCurrentHandle(KIT_GetTexture(side * 16, 6));
        struct {
            float x, y, z, rhw;
            uint32_t diffuse, specular;
            float u, v;
        } quad[4] = {{-0.5f, -0.5f, 0, 1, 0xFFFFFFFF, 0xFF000000, 0, 0},
                     {255.5f, -0.5f, 0, 1, 0xFFFFFFFF, 0xFF000000, 1, 0},
                     {255.5f, 255.5f, 0, 1, 0xFFFFFFFF, 0xFF000000, 1, 1},
                     {-0.5f, 255.5f, 0, 1, 0xFFFFFFFF, 0xFF000000, 0, 1}};
        D3DDrawPrimitive(plat::kPtTriangleFan, 0x1c4, quad, 4);
        D3DEndScene();
        const testenv::Frame frame = testenv::GrabFrame("kit_shirt_side" + std::to_string(side) + ".tga");

        int checked = 0;
        for (uint32_t ty = 4; ty < 120; ty += 7) {
            for (uint32_t tx = 4; tx < 120; tx += 5) {
                const size_t at = size_t(ty) * width + tx;
                if (pens[GFX0_HEADER_SIZE + at] != 0) continue;
                const uint32_t shade = recbits::LoadU32(shading + GFX0_HEADER_SIZE + at * 4);
                const float light = float((shade >> 16) & 0xFF) / 255.0f;
                const float highlight = float(shade & 0xFF) / 255.0f;
                const uint32_t want =
                    ColConvPixel(TexD3D_ShadeColour(int16_t(kit.words[1]), light, highlight),
                                 &ColFmt_A8R8G8B8, &ColFmt_A8R8G8B8) &
                    0xFFFFFF;
                ASSERT_LE(testenv::ColourDistance(frame.At(int(tx * 2 + 1), int(ty * 2 + 1)), want), 2)
                    << "side " << side << " texel " << tx << "," << ty;
                ++checked;
            }
        }
        EXPECT_GT(checked, 20) << "side " << side;
        FreeMemory(&pens);
    }
    FreeMemory(&shading);
    Stop();
}

}  // namespace
