// The call-based menu interface and its display maps: the nesting of the
// calls and their messages, the static part, hotspots collected from a
// synthetic map, the events of the hotspot loop under injected mouse input
// on the driven clock, and the displayed match minute.
#include "game/screens/engine/callmenus.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/match/matchclock.h"
#include "core/match/matchstate.h"
#include "game/screens/engine/displaymaps.h"
#include "game/system/picture.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

TEST(HVInterface, AlignmentFlagsBecomePainterCodes) {
    EXPECT_EQ(HV_AlignCode(0x55), 10);
    EXPECT_EQ(HV_AlignCode(0x00), 0);
    EXPECT_EQ(HV_AlignCode(0x46), 7);
    EXPECT_EQ(HV_AlignCode(0x64), 13);
}

// Each call made in a state other than its own.
TEST(HVInterface, EveryCallOutOfPlaceEndsWithItsMessage) {
    const auto at = [](int32_t state) {
        HVState = HVStateRecord{};
        HVState.state = state;
    };
    at(1);
    EXPECT_FATAL(HV_Init(0), "HV_Init\\(\\): already initialised");
    at(0);
    EXPECT_FATAL(HV_Init(2), "HV_Init\\(\\): unknown environment");
    EXPECT_FATAL(HV_Uninit(), "HV_Uninit\\(\\): not initialised, or other error");
    EXPECT_FATAL(HV_StartSetOfMenus(), "HV_StartSetOfMenus\\(\\): not initialised, or other error");
    EXPECT_FATAL(HV_EndSetOfMenus(), "HV_EndSetOfMenus\\(\\): not started, or other error");
    EXPECT_FATAL(HV_StartMenu(), "HV_StartMenu\\(\\): not starting set of menus, or other error");
    EXPECT_FATAL(HV_EndMenu(), "HV_EndMenu\\(\\): menu not started, or other error");
    EXPECT_FATAL(HV_StartStaticItems(), "HV_StartStaticItems\\(\\): menu not started, or other error");
    EXPECT_FATAL(HV_SetStaticBackground(1), "HV_SetStaticBackground\\(\\): not in static items");
    at(3);
    EXPECT_FATAL(HV_SetStaticTitle("x"), "HV_SetStaticTitle\\(\\): not in static items");
    EXPECT_FATAL(HV_EndStaticItems(), "HV_EndStaticItems\\(\\): static items not started, or other error");
    EXPECT_FATAL(HV_EndDrawing(), "HV_EndDrawing\\(\\): menu not drawing");
    EXPECT_FATAL(HV_SetFontColour(1), "HV_SetFontColour\\(\\): drawing not started");
    EXPECT_FATAL(HV_DrawButton(0, 0, 9, 9, 1), "HV_DrawButton\\(\\): drawing not started");
    EXPECT_FATAL(HV_DrawRect(0, 0, 9, 9, 1), "HV_DrawGraphic\\(\\): drawing not started");
    EXPECT_FATAL(HV_DrawGraphic(0, 0, 0x55, 1), "HV_DrawGraphic\\(\\): drawing not started");
    EXPECT_FATAL(HV_DrawTextNo(0, 0, 0x55, 1), "HV_DrawTextNo\\(\\): drawing not started");
    EXPECT_FATAL(HV_DrawTextBox(0, 0, 9, 9, 0x55, "x"), "HV_DrawTextNo\\(\\): drawing not started");
    EXPECT_FATAL(HV_DrawTextAddr(0, 0, 0x55, "x"), "HV_DrawTextNo\\(\\): drawing not started");
    at(4);
    EXPECT_FATAL(HV_StartDrawing(), "HV_StartDrawing\\(\\): menu not started, or other error");
    at(5);
    EXPECT_FATAL(HV_Sync(), "HV_Sync\\(\\): not in a menu, or other error");  // only between frames
    EXPECT_FATAL(HV_DrawButton(0, 0, 9, 9, 6), "HV_DrawButton\\(\\): unknown button type");
    // The environment is checked after the state.
    at(3);
    HVState.environment = 1;
    EXPECT_FATAL(HV_Sync(), "HV_Sync\\(\\): unknown environment");
    at(5);
    HVState.environment = 1;
    EXPECT_FATAL(HV_DrawTextNo(0, 0, 0, 1), "HV_\\(\\): unknown environment");
    HVState = HVStateRecord{};
}

TEST(HVInterface, MatchMinuteOfEachPeriod) {
    PeriodLength = 45 * 60 * kTicksPerSecond;
    PeriodClock = 0;
    Period = 1;
    EXPECT_EQ(GetMatchMinute(), 45);
    Period = 2;
    EXPECT_EQ(GetMatchMinute(), 90);
    Period = 0;
    PeriodClock = PeriodLength / 2;
    EXPECT_EQ(GetMatchMinute(), 22);
    Period = 3;
    PeriodClock = PeriodLength - 1;
    EXPECT_EQ(GetMatchMinute(), 119);
    Period = 4;
    EXPECT_EQ(GetMatchMinute(), 120);
    Period = 1;
    PeriodLength = 0;  // nothing to divide by: the period's first minute
    EXPECT_EQ(GetMatchMinute(), 45);
    Period = 0;
}

class HVMenuTest : public MenuEngineTest {
  protected:
    // The menu engine's set-up has initialised the interface.
    void EnterMenu() {
        ASSERT_EQ(HVState.state, HV_STATE_INITIALISED);
        HV_StartSetOfMenus();
        HV_StartMenu();
    }
    void LeaveMenu() {
        HV_EndMenu();
        HV_EndSetOfMenus();
        EXPECT_EQ(HVState.state, HV_STATE_INITIALISED);
    }
    // The background alone, as the painters show it.
    static std::vector<uint8_t> Background(int16_t number) {
        ShowMenuBackground(number);
        return BackRect(0, 30, 800, 60);
    }
    // Pixels of rows 30-89 that differ from the background: their leftmost,
    // rightmost, top and bottom.
    static bool DiffBox(const std::vector<uint8_t>& background, int box[4]) {
        const std::vector<uint8_t> now = BackRect(0, 30, 800, 60);
        box[0] = 800, box[1] = -1, box[2] = 600, box[3] = -1;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 800; ++x) {
                const size_t i = size_t(y * 800 + x) * 3;
                if (std::memcmp(&now[i], &background[i], 3) == 0) continue;
                box[0] = std::min(box[0], x), box[1] = std::max(box[1], x);
                box[2] = std::min(box[2], y + 30), box[3] = std::max(box[3], y + 30);
            }
        return box[1] >= 0;
    }
};

TEST_F(HVMenuTest, StaticPartIsTheBackgroundAndTheCentredTitle) {
    const std::vector<uint8_t> background = Background(11);
    EnterMenu();
    HV_StartStaticItems();
    HV_SetStaticBackground(1);
    HV_EndStaticItems();
    int box[4];
    EXPECT_FALSE(DiffBox(background, box)) << "only the background without a title: " << box[0] << ","
                                           << box[2] << " to " << box[1] << "," << box[3];

    HV_StartStaticItems();
    HV_SetStaticBackground(1);
    HV_SetStaticTitle("Video Options");
    HV_EndStaticItems();
    ASSERT_TRUE(DiffBox(background, box));
    EXPECT_NEAR((box[0] + box[1]) / 2, 400, 3);
    EXPECT_NEAR((box[2] + box[3]) / 2, 60, 4);

    // Each drawing pass starts from the saved static part; the five button
    // types draw.
    HV_StartDrawing();
    for (int16_t type = 1; type <= 5; ++type) {
        const uint32_t before = GetBackBufferPixel(100 * type + 20, 300);
        HV_DrawButton(int16_t(100 * type), 280, 60, 40, type);
        EXPECT_NE(GetBackBufferPixel(100 * type + 20, 300), before) << "type " << type;
    }
    HV_EndDrawing();
    HV_StartDrawing();
    EXPECT_FALSE(DiffBox(background, box) && box[2] > 70);
    HV_EndDrawing();
    LeaveMenu();
}

std::vector<std::pair<uint16_t, int16_t>> g_events;
std::vector<int> g_eventFrames;
std::vector<int16_t> g_eventMouseX;

int16_t Record(const HVEvent* event) {
    g_events.emplace_back(event->code, event->value);
    g_eventFrames.push_back(testenv::MenuUserFrames());
    g_eventMouseX.push_back(event->mouseX);
    return HV_GO_ON;
}

// Entering asks for a redraw, a press leaves the menu.
int16_t RedrawOrLeave(const HVEvent* event) {
    Record(event);
    if (event->code == HV_ENTER) return HV_REDRAW;
    if (event->code == HV_PRESSED) return HV_LEAVE_MENU;
    return HV_GO_ON;
}

const HVMapRecord kMap[] = {
    {8, 1, 3, 0, 0, 0, 0, MenuValue(0x44), nullptr},
    {7, 1, 3, 0, 0, 0, 0, MenuValue(1), nullptr},
    {9, 0, 2, 100, 100, 50, 40, nullptr, Record},  // A
    {7, 1, 3, 0, 0, 0, 0, MenuValue(2), nullptr},
    {9, 0, 2, 150, 100, 100, 40, nullptr, Record},           // B, beside A
    {3, 1, 2, 300, 200, 50, 40, MenuValue(-32768), Record},  // no number, still a hotspot
    {9, 0, 2, 400, 200, 0, 40, nullptr, Record},             // no width: no hotspot
    {7, 1, 3, 0, 0, 0, 0, MenuValue(9), nullptr},
    {9, 0, 2, 500, 300, 60, 40, nullptr, RedrawOrLeave},  // D
    {0, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
};

TEST_F(HVMenuTest, AnEmptyMapDrawsNothingAndHasNoHotspots) {
    const HVMapRecord empty[] = {{0, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
                                 {9, 0, 2, 1, 1, 50, 50, nullptr, Record}};
    HV_StartSetOfMenus();
    HV_MenuInit(empty);
    HV_DrawMenuMap();
    EXPECT_EQ(HVHotspotCount(), 0);
    HV_FreeMenuMap();
    HV_EndSetOfMenus();
}

TEST_F(HVMenuTest, HotspotEventsFollowTheMouseAndTheButtons) {
    using namespace testenv;
    g_events.clear();
    g_eventFrames.clear();
    g_eventMouseX.clear();
    HV_StartSetOfMenus();
    HV_MenuInit(kMap);
    EXPECT_FATAL(HV_MenuInit(kMap), "HV_MenuInit\\(\\): already initialised");
    HV_DrawMenuMap();
    ASSERT_EQ(HVHotspotCount(), 4);
    EXPECT_EQ(HVHotspotAt(0)->value, 1);
    EXPECT_EQ(HVHotspotAt(1)->value, 2);
    EXPECT_EQ(HVHotspotAt(2)->value, 2);
    EXPECT_EQ(HVHotspotAt(3)->value, 9);

    MenuUserMoveTo(140, 120);  // into A, maybe across others on the way
    MenuUserWait(5);
    MenuUserDo([] {
        EXPECT_EQ(g_events.back(), std::make_pair(uint16_t(HV_ENTER), int16_t(1)));
        g_events.clear();
        g_eventFrames.clear();
        g_eventMouseX.clear();
    });
    // Into B in one step: A left and B entered in the same pass.
    MenuUserDo([] { plat::InjectMouseMove(40, 0, CursorX + 40, CursorY); });
    MenuUserWait(5);
    // Pressed on B, held while moving back over A, released there.
    MenuUserPress();
    MenuUserWait(3);
    MenuUserMoveTo(120, 120);
    MenuUserWait(5);
    MenuUserRelease();
    MenuUserWait(3);
    // Next to D, then onto it with the button going down in the same pass:
    // the enter asks for a redraw, the press to leave; leaving wins.
    MenuUserMoveTo(470, 320);
    MenuUserWait(5);
    MenuUserDo([] {
        plat::InjectMouseMove(60, 0, CursorX + 60, CursorY);
        plat::InjectMouseButton(0, true);
    });
    MenuUserWait(3);
    MenuUserRelease();
    EXPECT_EQ(HV_MenuLoop(), 1);

    const std::vector<std::pair<uint16_t, int16_t>> expected = {
        {HV_LEAVE, 1},    {HV_ENTER, 2}, {HV_PRESSED, 2}, {HV_LEAVE, 2},   {HV_ENTER, 1},
        {HV_RELEASED, 1}, {HV_LEAVE, 1}, {HV_ENTER, 9},   {HV_PRESSED, 9},
    };
    EXPECT_EQ(g_events, expected);
    ASSERT_EQ(g_eventFrames.size(), expected.size());
    EXPECT_EQ(g_eventFrames[0], g_eventFrames[1]);  // leave A, enter B: one pass
    EXPECT_EQ(g_eventFrames[7], g_eventFrames[8]);
    EXPECT_GE(g_eventMouseX[8], 0);
    EXPECT_LT(g_eventMouseX[8], 60);
    HV_FreeMenuMap();
    HV_EndSetOfMenus();
}

TEST_F(HVMenuTest, ARedrawDoesNotRepeatTheEnterEvent) {
    using namespace testenv;
    g_events.clear();
    HV_StartSetOfMenus();
    HV_MenuInit(kMap);
    HV_DrawMenuMap();
    MenuUserMoveTo(530, 320);
    MenuUserWait(10);
    MenuUserPress();
    MenuUserWait(3);
    MenuUserRelease();
    EXPECT_EQ(HV_MenuLoop(), 0);  // the enter asked for a redraw
    HV_DrawMenuMap();
    EXPECT_EQ(HV_MenuLoop(), 1);
    const std::vector<std::pair<uint16_t, int16_t>> expected = {{HV_ENTER, 9}, {HV_PRESSED, 9}};
    EXPECT_EQ(g_events, expected);
    HV_FreeMenuMap();
    HV_EndSetOfMenus();
}

}  // namespace
