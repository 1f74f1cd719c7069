// The figures and their looks: every model within its budget and through
// the support library's model check, surfaces named after kit parts, the
// builds standing at their ratios, boots on the grass over every clip
// frame, every texture the kit rules can name in the archive, and the same
// bytes on a second run.
#include "tools/datakit/figures.h"
#include "tools/datakit/motionclips.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "core/match/motion.h"
#include "game/system/modeldata.h"
#include "game/system/models3d.h"
#include "game/system/picture.h"
#include "game/system/pixelformats.h"
#include "game/system/skeletalposing.h"
#include "tests/fakes/figure_pose.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/xyz_fixture.h"

namespace {

using namespace datakit;

const std::set<std::string> kKitParts = {"armhand.tga", "face.tga",   "leg.tga",   "hair.tga",
                                         "boots.tga",   "kglove.tga", "shirt.tga", "shorts.tga",
                                         "socks.tga",   "k_shirt.tga"};

std::set<std::string> SurfaceNames(const XyzModel& model) {
    std::set<std::string> names;
    for (const XyzSurface& s : model.surfaces) names.insert(s.texture);
    return names;
}

TEST(FiguresTest, EveryModelKeepsItsBudgetItsSkeletonAndKitPartSurfaces) {
    for (int role = 0; role < 3; ++role) {
        for (int build = 0; build < 3; ++build) {
            for (int level = 0; level < 4; ++level) {
                const XyzModel model = MakeFigureModel(FigureRole(role), build, level);
                const std::string what = FigureModelPath(FigureRole(role), build, kFigureLevels[level]);
                EXPECT_LE(FigureTriangleCount(model), kFigureLevels[level]) << what;
                std::vector<uint8_t> bytes = XyzWrite(model);
                XyzView view{};
                EXPECT_EQ(XyzCheckData(&view, bytes.data(), uint32_t(bytes.size())), nullptr) << what;
                for (size_t i = 0; i < model.points.size(); ++i) {
                    const uint16_t parent = model.points[i].parent;
                    EXPECT_TRUE(parent == XYZ_NO_PARENT || parent < i) << what;
                }
                for (const std::string& name : SurfaceNames(model)) {
                    EXPECT_TRUE(name.empty() || kKitParts.count(name)) << what << ": " << name;
                }
                const std::set<std::string> names = SurfaceNames(model);
                if (role == int(FigureRole::kKeeper)) {
                    EXPECT_TRUE(names.count("k_shirt.tga") && names.count("kglove.tga")) << what;
                    EXPECT_FALSE(names.count("shirt.tga")) << what;
                } else {
                    EXPECT_TRUE(names.count("shirt.tga") && !names.count("kglove.tga")) << what;
                }
                for (const char* part : {"face.tga", "hair.tga", "boots.tga", "socks.tga", "shorts.tga"}) {
                    EXPECT_TRUE(names.count(part)) << what << " lacks " << part;
                }
                // Only the referee holds the card: an untextured surface
                // flagged for the drawing to colour.
                int cards = 0;
                for (const XyzSurface& s : model.surfaces) {
                    if (!s.texture.empty()) continue;
                    uint32_t flags = 0;
                    std::memcpy(&flags, s.block.data(), 4);
                    EXPECT_EQ(flags & kCardMaterialFlags, kCardMaterialFlags) << what;
                    ++cards;
                }
                EXPECT_EQ(cards, role == int(FigureRole::kReferee) ? 1 : 0) << what;
            }
        }
    }
    const XyzModel shadow = MakeShadowModel();
    EXPECT_LE(FigureTriangleCount(shadow), kShadowBudget);
    for (const XyzSurface& s : shadow.surfaces) {
        EXPECT_TRUE(s.texture.empty());
        EXPECT_EQ(s.red + s.green + s.blue, 0);
    }
    EXPECT_EQ(shadow.points[0].position.y, MakeFigureModel(FigureRole::kPlayer, 0, 3).points[0].position.y);
}

TEST(FiguresTest, TheKitRefusesModelsOverBudgetOutOfOrderOrWithStrangeSurfaces) {
    const XyzModel good = MakeFigureModel(FigureRole::kPlayer, 1, 3);
    EXPECT_EQ(FigureModelFault(good, 150), "");
    EXPECT_NE(FigureModelFault(good, 100).find("budget 100"), std::string::npos);
    XyzModel backwards = good;
    backwards.points[3].parent = 7;
    EXPECT_NE(FigureModelFault(backwards, 150).find("point 3 has parent 7"), std::string::npos);
    XyzModel strange = good;
    strange.surfaces[0].texture = "cape.tga";
    EXPECT_NE(FigureModelFault(strange, 150).find("'cape.tga' is no kit part"), std::string::npos);
}

TEST(FiguresTest, BuildsStandAtTheirRatiosOfTheClipsReferenceHeight) {
    for (int build = 0; build < 3; ++build) {
        const XyzModel model = MakeFigureModel(FigureRole::kPlayer, build, 0);
        EXPECT_NEAR(model.points[0].position.y / FigureReferenceHeight(), kFigureBuildRatios[build], 1e-5);
        float lowest = 10.0f;
        for (const XyzPoint& p : model.points) lowest = std::min(lowest, p.position.y);
        EXPECT_NEAR(lowest, 0.0f, 1e-6) << "boots on the grass at rest";
    }
}

TEST(FiguresTest, PalettePicturesHoldOnlyPensZeroToTwoAndDesignsDiffer) {
    std::set<std::vector<uint8_t>> shorts, socks;
    for (int design = 0; design < kKitPartDesigns; ++design) {
        for (const auto& zones : {DrawShortsDesign(design), DrawSocksDesign(design)}) {
            ASSERT_EQ(zones.size(), size_t(kKitPartPictureSize * kKitPartPictureSize));
            EXPECT_LE(*std::max_element(zones.begin(), zones.end()), 2) << design;
        }
        shorts.insert(DrawShortsDesign(design));
        socks.insert(DrawSocksDesign(design));
    }
    EXPECT_EQ(shorts.size(), size_t(kKitPartDesigns));
    EXPECT_EQ(socks.size(), size_t(kKitPartDesigns));
}

TEST(FiguresTest, ASecondRunGivesTheSameBytes) {
    for (int level = 0; level < 4; ++level) {
        EXPECT_EQ(XyzWrite(MakeFigureModel(FigureRole::kReferee, 2, level)),
                  XyzWrite(MakeFigureModel(FigureRole::kReferee, 2, level)));
    }
    EXPECT_EQ(TgaWrite(MakeSkinPicture(1, "face")), TgaWrite(MakeSkinPicture(1, "face")));
    EXPECT_EQ(TgaWrite(MakeShadingPicture("shirt", 128, 128)),
              TgaWrite(MakeShadingPicture("shirt", 128, 128)));
    EXPECT_EQ(TgaWrite(MakeHairPicture(2, 3)), TgaWrite(MakeHairPicture(2, 3)));
}

// The generated archive, as the game reads it.
class ArchiveFiguresTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { testenv::MountGameArchive(HALVORN_GAME_DIR, 64 * 1024); }
    static void TearDownTestSuite() { testenv::UnmountGameArchive(); }
    // Width and height of a picture file of the archive, converted as the
    // texture code converts it; 0 when it does not convert.
    static std::pair<int, int> PictureSize(const std::string& path, std::vector<uint8_t>* pens = nullptr) {
        uint8_t* block = nullptr;
        uint32_t size = PakLoadWholeFile(path.c_str(), &block, MEM_TYPE_MANUAL_NO_MOVE);
        std::pair<int, int> wh{0, 0};
        if (pens != nullptr && size > 18) {
            // An 8-bit colour-mapped file: its pixels after the map.
            const int w = block[12] | block[13] << 8, h = block[14] | block[15] << 8;
            const uint32_t at = 18 + uint32_t(block[5] | block[6] << 8) * 3;
            if (at + uint32_t(w * h) <= size) pens->assign(block + at, block + at + w * h);
        }
        if (LoadImageFile(&block, &size, 0, &ColFmt_A8R8G8B8) == 0)
            wh = {block[4] | block[5] << 8, block[6] | block[7] << 8};
        FreeMemory(&block);
        return wh;
    }
};

TEST_F(ArchiveFiguresTest, EveryModelAndEveryTextureTheKitRulesNameIsThere) {
    for (int role = 0; role < 3; ++role)
        for (int build = 0; build < 3; ++build)
            for (int level : kFigureLevels)
                EXPECT_TRUE(PakCheckFile(FigureModelPath(FigureRole(role), build, level).c_str()));
    EXPECT_TRUE(PakCheckFile(kShadowModelPath));
    const std::string root = "zudata\\d3d\\sskin\\textures\\";
    for (const char* skin : kSkinNames)
        for (const char* part : kSkinParts)
            EXPECT_GT(PictureSize(root + "skins\\" + skin + "\\" + part + ".tga").first, 0);
    for (const char* length : kHairLengthNames)
        for (const char* colour : kHairColourNames)
            EXPECT_GT(PictureSize(root + "hair\\" + length + "\\" + colour + ".tga").first, 0)
                << length << colour;
    EXPECT_GT(PictureSize(root + "plain\\boots.tga").first, 0);
    EXPECT_GT(PictureSize(root + "plain\\kglove.tga").first, 0);
    const auto shirtShade = PictureSize(root + "kits\\plain\\shirt.tga");
    const auto shortsShade = PictureSize(root + "kits\\plain\\Shorts.tga");
    const auto socksShade = PictureSize(root + "kits\\plain\\Socks.tga");
    // A shirt design holds the shirt twice; its texture takes the first copy.
    const auto shirtDesign = PictureSize(root + "kits\\shirts\\shirt01.tga");
    EXPECT_EQ(shirtShade.first, shirtDesign.first) << "the shading fits its pictures";
    EXPECT_EQ(2 * shirtShade.second, shirtDesign.second);
    for (int design = 0; design < kKitPartDesigns; ++design) {
        std::vector<uint8_t> pens;
        EXPECT_EQ(PictureSize(ShortsDesignPath(design), &pens), shortsShade) << design;
        ASSERT_FALSE(pens.empty());
        EXPECT_LE(*std::max_element(pens.begin(), pens.end()), 2);
        EXPECT_EQ(PictureSize(SocksDesignPath(design), &pens), socksShade) << design;
        EXPECT_LE(*std::max_element(pens.begin(), pens.end()), 2);
    }
}

// Every build posed by every frame of every clip through the support
// library's skeleton, stood as the display stands it.
TEST_F(ArchiveFiguresTest, BootsOnTheGrassStandingBootsAtKicksAndHandsOutOfTheTorsoForEveryBuild) {
    Motion_LoadAll();
    for (int build = 0; build < 3; ++build) {
        uint8_t* model = nullptr;
        D3DObj* object = nullptr;
        D3DAnim* anim = nullptr;
        PakLoadWholeFile(FigureModelPath(FigureRole::kPlayer, build, 150).c_str(), &model,
                         MEM_TYPE_MANUAL_NO_MOVE);
        D3DObj_CreateObjectFromXYZData(&object, model, testenv::TestObjectCallback, nullptr,
                                       D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
        testenv::CreateAnimDataQuietly(&anim, model, object);
        const float ratio = std::max(kFigureBuildRatios[build], 1.0f);
        float worst = 1.0f;
        int contactFrames = 0;
        for (int clip = 0; clip < kMotionClipCount; ++clip) {
            for (int frame = 0; frame < int(Motion_GetFrameCount(clip)); ++frame) {
                MotionFrame f{};
                ASSERT_TRUE(Motion_GetFrame(clip, frame, &f));
                Matrix bones[FIGURE_BONE_COUNT + 1];
                testenv::FrameBones(f, bones);
                D3DAnim_ApplyBoneMatrices(anim, bones, 1, FIGURE_BONE_COUNT + 1);
                float lowestBoot = 10.0f;
                for (uint32_t i = FIGURE_BONE_COUNT; i < anim->point_count; ++i) {
                    if (anim->bones[i] != BONE_LEFT_FOOT && anim->bones[i] != BONE_RIGHT_FOOT) continue;
                    lowestBoot = std::min(lowestBoot, ratio * f.reference[1] + anim->posed_positions[i].y);
                }
                worst = std::min(worst, lowestBoot);
                const MotionKind kind = MotionCatalogue()[size_t(clip)].kind;
                if (kind == MotionKind::kStand || kind == MotionKind::kReady || kind == MotionKind::kIdle) {
                    // No hand inside the torso (relative to the root, for
                    // the build's breadth).
                    for (uint32_t i = FIGURE_BONE_COUNT; i < anim->point_count; ++i) {
                        if (anim->bones[i] != BONE_LEFT_HAND && anim->bones[i] != BONE_RIGHT_HAND) continue;
                        const Vector& p = anim->posed_positions[i];
                        const bool inside = std::fabs(p.x) < 0.15f * ratio &&
                                            std::fabs(p.z) < 0.09f * ratio && p.y > -0.13f * ratio &&
                                            p.y < 0.47f * ratio;
                        EXPECT_FALSE(inside)
                            << kFigureBuildNames[build] << " clip " << clip << " frame " << frame;
                    }
                }
                // Where the clips table marks the contact of a kick on the
                // ground, the standing boot is on the grass.
                const MotionClipRow& row = MotionCatalogue()[size_t(clip)];
                const bool groundKick = row.kind == MotionKind::kKick || row.kind == MotionKind::kSidePass ||
                                        row.kind == MotionKind::kBackHeel || row.kind == MotionKind::kCross ||
                                        row.kind == MotionKind::kGoalKick ||
                                        row.kind == MotionKind::kFootControl;
                if (groundKick && row.contactFrom >= 0 && frame >= row.contactFrom &&
                    frame <= row.contactTo) {
                    ++contactFrames;
                    EXPECT_LE(lowestBoot, 0.02f)
                        << kFigureBuildNames[build] << " clip " << clip << " frame " << frame;
                }
            }
        }
        EXPECT_GE(worst, -0.02f) << kFigureBuildNames[build];
        EXPECT_GT(contactFrames, 50) << kFigureBuildNames[build];
        D3DAnim_DestroyAnimData(&anim);
        D3DObj_Destroy(&object);
        FreeMemory(&model);
    }
    Motion_FreeAll();
}

}  // namespace
