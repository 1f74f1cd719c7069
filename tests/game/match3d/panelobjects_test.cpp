// Extra textures and simple objects: shared, counted textures, the slots'
// models with their group boxes and moved groups, the "alt1" switches and
// the overlay view.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/base/bytes.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/match3d/overlayicons.h"
#include "game/match3d/panelobjects.h"
#include "game/system/device3d.h"
#include "game/system/picture.h"
#include "game/system/renderstates.h"
#include "game/system/textures3d.h"
#include "platform/d3d.h"
#include "tests/fakes/d3d_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/tga_fixture.h"
#include "tests/fakes/xyz_fixture.h"

namespace {

constexpr const char* kObjJapan = "zudata\\d3d\\simple\\textures\\flags\\japan.gfx";

// A model whose material blocks carry decimal material numbers.
std::vector<uint8_t> ObjModelBytes(const testenv::XyzTestModel& model,
                                   const std::vector<const char*>& numbers) {
    std::vector<uint8_t> bytes = testenv::XyzBytes(model);
    const uint32_t surfaces = recbits::LoadU32(bytes.data() + 20);
    for (size_t i = 0; i < numbers.size(); ++i) {
        std::memcpy(bytes.data() + surfaces + i * model.surface_stride + 32 + 4, numbers[i],
                    std::strlen(numbers[i]));
    }
    return bytes;
}

// Two quads: "panel" (with an alternative) on groups 1 and 2, "plain"
// (without) on group 4, and a point of group 1000 that takes no box.
testenv::XyzTestModel ObjGroupsModel(uint16_t groupBase) {
    testenv::XyzTestModel m;
    m.points = {{0, 0, 0, uint16_t(groupBase + 1)}, {1, 0, 0, uint16_t(groupBase + 1)},
                {1, 1, 0, uint16_t(groupBase + 2)}, {0, 1, 0.5f, uint16_t(groupBase + 2)},
                {2, 0, 0, uint16_t(groupBase + 4)}, {3, 0, 0, uint16_t(groupBase + 4)},
                {3, 1, 0, uint16_t(groupBase + 4)}, {2, 1, 0, uint16_t(groupBase + 1000)}};
    m.surfaces = {{"panel"}, {"plain"}};
    m.polygons = {{0, 4, {0, 1, 2, 3}, {0, 1, 1, 0}, {0, 0, 1, 1}},
                  {1, 4, {4, 5, 6, 7}, {0, 1, 1, 0}, {0, 0, 1, 1}}};
    return m;
}

class ObjTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitMemory(32 * 1024);
        scratch_ = std::make_unique<testenv::ScratchDir>("obj");
        testenv::XyzTestModel thin = ObjGroupsModel(0);
        thin.point_stride = 12;
        const std::vector<uint32_t> red(16, 0xFFFF0000), green(16, 0xFF00FF00), blue(16, 0xFF0000FF);
        testenv::WritePak(
            "obj", {{"zudata\\d3d\\simple\\model\\groups.xyz", ObjModelBytes(ObjGroupsModel(0), {"1", "7"})},
                    {"zudata\\d3d\\simple\\model\\high.xyz", ObjModelBytes(ObjGroupsModel(1000), {"1", "7"})},
                    {"zudata\\d3d\\simple\\model\\thin.xyz", testenv::XyzBytes(thin)},
                    {"zudata\\d3d\\simple\\textures\\panel.tga", testenv::ArgbTga(4, 4, red)},
                    {"zudata\\d3d\\simple\\textures\\panel\\alt1.tga", testenv::ArgbTga(4, 4, green)},
                    {"zudata\\d3d\\simple\\textures\\plain.tga", testenv::ArgbTga(4, 4, blue)}});
        PakFileInit();
        PakAddFile((std::string(HALVORN_GAME_DIR) + "/pakfiles/demo").c_str());
        PakAddFile("obj");
        PakFileAddDone();
        testenv::Start3D(320, 240);
    }
    void TearDown() override {
        SimpleObj_FreeAll();
        for (const NewTexEntry& entry : NewTexList) EXPECT_EQ(entry.refCount, 0u) << entry.fileName;
        testenv::Stop3D();
        PakFileUninit();
        scratch_.reset();
        UninitMemory();
    }
    static const NewTexEntry* Entry(uint32_t handle) {
        for (const NewTexEntry& entry : NewTexList) {
            if (entry.refCount != 0 && entry.handle == handle) return &entry;
        }
        return nullptr;
    }
    std::unique_ptr<testenv::ScratchDir> scratch_;
};

TEST_F(ObjTest, OneTextureServesEveryCaseOfItsNameUntilTheLastRelease) {
    const uint32_t a = NewTex_CreateTexture(kObjJapan);
    const uint32_t b = NewTex_CreateTexture("ZUDATA\\D3D\\SIMPLE\\TEXTURES\\FLAGS\\JAPAN.GFX");
    EXPECT_EQ(a, b);
    ASSERT_NE(Entry(a), nullptr);
    EXPECT_EQ(Entry(a)->refCount, 2u);
    EXPECT_STREQ(Entry(a)->fileName, kObjJapan);
    // The flag picture (a GFX0 file) became the texture: the disc at its centre is red.
    uint8_t* picture = nullptr;
    uint32_t size = PakLoadWholeFile(kObjJapan, &picture, MEM_TYPE_MANUAL_FREE);
    ASSERT_EQ(size, GFX0_HEADER_SIZE + 64u * 32u * 4u);
    const uint32_t centre = recbits::LoadU32(picture + GFX0_HEADER_SIZE + (16 * 64 + 32) * 4);
    EXPECT_GT((centre >> 16) & 0xFF, 150u) << std::hex << centre;
    EXPECT_LT((centre >> 8) & 0xFF, 80u) << std::hex << centre;
    FreeMemory(&picture);
    NewTex_DestroyTexture(a);
    EXPECT_NE(D3DTexGetSurface(int(a)), nullptr);
    NewTex_DestroyTexture(b);
    EXPECT_EQ(D3DTexGetSurface(int(a)), nullptr);
    EXPECT_EQ(Entry(a), nullptr);
    StdoutCapture out;
    NewTex_DestroyTexture(a);
    EXPECT_EQ(out.Text(),
              "Warning: NewTex_DestroyTexture(): can't find texture with handle " + std::to_string(a) + "\n");

    const std::string longName(256, 'n');
    EXPECT_FATAL(NewTex_CreateTexture(longName.c_str()), "NewTex_CreateTexture\\(\\): Filename too long");
    for (NewTexEntry& entry : NewTexList) entry = NewTexEntry{"x", 1, 4000};
    EXPECT_FATAL(NewTex_CreateTexture(kObjJapan),
                 "NewTex_CreateTexture\\(\\): No free texture slots found - increase MAX_NEWTEXLIST");
    for (NewTexEntry& entry : NewTexList) entry = NewTexEntry{};
}

TEST_F(ObjTest, GroupBoxesHoldTheirVerticesFacesIncluded) {
    LoadObject(3, "groups", 2.0f, 0);
    const ObjectSlot& slot = ObjectSlots[3];
    EXPECT_EQ(slot.groupCount, 5u);
    EXPECT_EQ(slot.vertexCount, 8u);
    float lo[3], hi[3];
    ASSERT_EQ(SimpleObj_GetGroupBox(3, 2, lo, hi), 1);
    EXPECT_EQ(lo[0], 0.0f);
    EXPECT_EQ(hi[0], 2.0f);  // scaled
    EXPECT_EQ(lo[1], 2.0f);
    EXPECT_EQ(hi[2], 1.0f);
    EXPECT_EQ(SimpleObj_PointInGroup(3, 2, 0.0f, 2.0f, 1.0f), 1);  // a corner
    EXPECT_EQ(SimpleObj_PointInGroup(3, 2, 1.0f, 2.0f, 0.5f), 1);  // on a face
    EXPECT_EQ(SimpleObj_PointInGroup(3, 2, 1.0f, 1.99f, 0.5f), 0);
    EXPECT_EQ(SimpleObj_PointInGroup(3, 1, 1.0f, 0.0f, 0.0f), 1);
    // Group 3 has no vertex: its box holds nothing.
    ASSERT_EQ(SimpleObj_GetGroupBox(3, 3, lo, hi), 1);
    EXPECT_EQ(SimpleObj_PointInGroup(3, 3, 0.0f, 0.0f, 0.0f), 0);
    EXPECT_EQ(SimpleObj_GetGroupBox(3, 5, lo, hi), 0);
    EXPECT_EQ(SimpleObj_GetGroupBox(4, 1, lo, hi), 0);  // unused slot
    EXPECT_EQ(SimpleObj_PointInGroup(-1, 1, 0, 0, 0), 0);

    // Every vertex of group 1000 or more: no group, no box, nothing moves.
    LoadObject(4, "high", 1.0f, 0);
    EXPECT_EQ(ObjectSlots[4].groupCount, 0u);
    EXPECT_EQ(SimpleObj_GetGroupBox(4, 0, lo, hi), 0);
    const float offsets[3 * 5] = {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5};
    D3DBeginScene();
    SimpleObj_Render(4, offsets, 5);
    D3DEndScene();
    const D3DObjSurface& surface = ObjectSlots[4].object->surfaces[0];
    for (uint32_t v = 0; v < surface.vertex_count; ++v) {
        const float* p =
            reinterpret_cast<const float*>(static_cast<const uint8_t*>(surface.vertices) + v * 32);
        const ObjVertex& stored = ObjectSlots[4].vertices[surface.points[v]];
        EXPECT_EQ(p[0], stored.x);
        EXPECT_EQ(p[2], stored.z);
    }

    EXPECT_FATAL(LoadObject(3, "groups", 1.0f, 0), "ERROR:LoadObject slot3 in use");
    EXPECT_FATAL(LoadObject(5, "thin", 1.0f, 0), "ERROR:InitWorld\\(\\), 3Dreplay,Header12 Loaded16");
}

TEST_F(ObjTest, GroupsMoveByTheirOffsetsEachDraw) {
    LoadObject(0, "groups", 1.0f, 0);
    const float offsets[3 * 3] = {0, 0, 0, 10, 20, 30, -4, 0, 0};
    D3DBeginScene();
    SimpleObj_Render(0, offsets, 3);  // groups 0-2 moved, group 4 not
    D3DEndScene();
    const ObjectSlot& slot = ObjectSlots[0];
    int movedOne = 0, movedTwo = 0, still = 0;
    for (uint32_t s = 0; s < slot.object->surface_count; ++s) {
        const D3DObjSurface& surface = slot.object->surfaces[s];
        for (uint32_t v = 0; v < surface.vertex_count; ++v) {
            const float* p =
                reinterpret_cast<const float*>(static_cast<const uint8_t*>(surface.vertices) + v * 32);
            const ObjVertex& stored = slot.vertices[surface.points[v]];
            if (stored.group == 1) {
                EXPECT_EQ(p[0], stored.x + 10);
                EXPECT_EQ(p[1], stored.y + 20);
                EXPECT_EQ(p[2], stored.z + 30);
                ++movedOne;
            } else if (stored.group == 2) {
                EXPECT_EQ(p[0], stored.x - 4);
                ++movedTwo;
            } else {
                EXPECT_EQ(p[0], stored.x);
                ++still;
            }
        }
    }
    EXPECT_EQ(movedOne, 2);
    EXPECT_EQ(movedTwo, 2);
    EXPECT_EQ(still, 4);
    // The next draw starts again from the stored positions.
    D3DBeginScene();
    SimpleObj_Render(0, nullptr, 0);
    D3DEndScene();
    const float* first = static_cast<const float*>(slot.object->surfaces[0].vertices);
    EXPECT_EQ(first[0], slot.vertices[slot.object->surfaces[0].points[0]].x);
}

TEST_F(ObjTest, SwitchedMaterialsDrawTheirAlternative) {
    LoadObject(1, "groups", 1.0f, 0);
    const ObjTextureBlock& textures = ObjectSlots[1].textures;
    ASSERT_EQ(textures.customCount, 1u);  // "plain" has no "alt1"
    EXPECT_EQ(textures.custom[0].switchNumber, 1u);
    const D3DObj* object = ObjectSlots[1].object;
    const D3DObjSurface* panel = nullptr;
    const D3DObjSurface* plain = nullptr;
    for (uint32_t s = 0; s < object->surface_count; ++s) {
        if (object->surfaces[s].value == 0) panel = &object->surfaces[s];
        if (object->surfaces[s].value == kNoAlternative) plain = &object->surfaces[s];
    }
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(plain, nullptr);
    auto drawn = [&](const D3DObjSurface* surface, const std::vector<uint16_t>& switches) {
        ObjTextureBlock block = textures;
        block.switchCount = uint32_t(switches.size());
        block.switches = switches.data();
        D3DObjCallbackRecord record{};
        record.event = D3DOBJ_EVENT_TEXTUREDRAW;
        record.user_data = &block;
        record.texture = surface->texture;
        record.value = surface->value;
        D3DObjCallbackOutput output{};
        EXPECT_EQ(D3Dobj_ObjCallback(&record, &output), 1);
        return uint32_t(D3DTexGetCurrentHandle());
    };
    EXPECT_EQ(drawn(panel, {0, 1}), textures.custom[0].handle);
    EXPECT_EQ(drawn(panel, {1, 0}), panel->texture);
    EXPECT_EQ(drawn(panel, {0}), panel->texture);  // switch 1 not given
    EXPECT_EQ(drawn(panel, {}), panel->texture);
    EXPECT_EQ(drawn(plain, {1, 1, 1, 1, 1, 1, 1, 1}), plain->texture);
    // The draw with switches uses them, the plain draw none.
    const uint16_t on[2] = {0, 1};
    D3DBeginScene();
    SimpleObj_RenderSwitched(1, nullptr, 0, 2, on);
    EXPECT_EQ(ObjectSlots[1].textures.switchCount, 2u);
    SimpleObj_Render(1, nullptr, 0);
    EXPECT_EQ(ObjectSlots[1].textures.switchCount, 0u);
    D3DEndScene();
}

TEST_F(ObjTest, KitPanelsLoadWithTheirButtonsAndBars) {
    LoadObject(0, "replayb", 12.0f, 1);
    LoadObject(1, "timebar", 12.0f, 9);
    EXPECT_EQ(ObjectSlots[0].groupCount, 11u);
    EXPECT_EQ(ObjectSlots[0].textures.customCount, 10u);
    float lo[3], hi[3];
    EXPECT_EQ(SimpleObj_GetGroupBox(1, 1, lo, hi), 1);
    EXPECT_LT(lo[0], hi[0]);
    const int used = int(std::count_if(std::begin(NewTexList), std::end(NewTexList),
                                       [](const NewTexEntry& e) { return e.refCount != 0; }));
    EXPECT_GT(used, 10);
    SimpleObj_FreeAll();
    EXPECT_EQ(ObjectSlots[0].inUse, 0);
    for (const NewTexEntry& entry : NewTexList) EXPECT_EQ(entry.refCount, 0u);
}

// The overlay view: x scaled 2 and y 2.667 over the depth 9.2 of the panel
// plane, so 0.92 units across and 0.69 up are a tenth of the screen each.
TEST_F(ObjTest, OverlayViewPutsThePanelPlaneOnScreen) {
    StdoutCapture quiet;
    Icon_Init();
    quiet.Text();
    D3DClearSceneEx2(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    D3DBeginScene();
    SimpleObj_SetCamera();
    D3DSetRenderState(plat::kRsLighting, 0);
    D3DSetRenderState(plat::kRsCullMode, plat::kCullNone);
    D3DSetRenderState(plat::kRsZEnable, 0);
    Icon_DrawBox3D(0.0f, 0.0f, 0.0f, 0.92f, 0.69f, 0x11, 1);
    D3DEndScene();
    const testenv::Frame frame = testenv::GrabFrame("overlay_view.tga");
    Icon_Uninit();
    int left = 1000, right = -1, top = 1000, bottom = -1;
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            if (frame.At(x, y) == 0) continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    EXPECT_NEAR(left, 160, 1);
    EXPECT_NEAR(right, 191, 1);
    EXPECT_NEAR(top, 96, 1);
    EXPECT_NEAR(bottom, 119, 1);
}

}  // namespace
