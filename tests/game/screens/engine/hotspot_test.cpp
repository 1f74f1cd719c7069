// Hot regions and the help panel: hits strictly inside the borders, lists
// joined within their 30 places, and the general help paged headless by
// keys and clicks.
#include "game/screens/engine/hotspot.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "game/screens/engine/menuservices.h"
#include "game/screens/engine/painting.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

HotRegion Region(int16_t x, int16_t y, int16_t w, int16_t h, int16_t result) {
    return HotRegion{HOT_TEXT_ID, x, y, w, h, 0, MenuValue(1), 8, nullptr, result};
}

TEST(HotRegions, OnlyPointsStrictlyInsideWithTheButtonDownAreHits) {
    const HotRegion list[] = {Region(100, 100, 50, 20, 7), Region(100, 100, 200, 200, 8), HotRegion{}};
    HotRegionClicked = 0;
    EXPECT_EQ(Hotspot_HitTest(list, 100, 110, 1), -1);  // on the left border of both
    EXPECT_EQ(Hotspot_HitTest(list, 150, 110, 1), 8);   // right border of the first only
    EXPECT_EQ(Hotspot_HitTest(list, 120, 100, 1), -1);  // top border of both
    EXPECT_EQ(Hotspot_HitTest(list, 120, 119, 1), 7);
    EXPECT_EQ(HotRegionClicked, 1);
    HotRegionClicked = 0;
    EXPECT_EQ(Hotspot_HitTest(list, 120, 110, 0), -1);  // no button
    EXPECT_EQ(Hotspot_HitTest(list, 120, 110, 2), -1);  // the other button
    EXPECT_EQ(HotRegionClicked, 0);
    EXPECT_EQ(Hotspot_Count(list), 2);
    EXPECT_EQ(Hotspot_Find(list, 8), 1);
    EXPECT_EQ(Hotspot_Find(list, 9), -1);
}

TEST(HotRegions, ListsJoinWithinTheirThirtyPlaces) {
    std::array<HotRegion, kHotRegionLimit> list{};
    const HotRegion two[] = {Region(0, 0, 10, 10, 1), Region(20, 0, 10, 10, 2), HotRegion{}};
    EXPECT_EQ(Hotspot_AddList(list, two, 5, 7), 1);
    EXPECT_EQ(Hotspot_AddList(list, two, 100, 0), 1);
    ASSERT_EQ(Hotspot_Count(list.data()), 4);
    EXPECT_EQ(list[1].x, 25);
    EXPECT_EQ(list[1].y, 7);
    EXPECT_EQ(list[3].x, 120);

    // A destination holding 29 regions takes nothing more.
    for (int i = 0; i < kHotRegionLimit - 1; ++i) list[size_t(i)] = Region(int16_t(i), 0, 1, 1, int16_t(i));
    list[kHotRegionLimit - 1] = HotRegion{};
    EXPECT_EQ(Hotspot_AddList(list, two, 0, 0), 0);
    EXPECT_EQ(Hotspot_Count(list.data()), kHotRegionLimit - 1);

    // A source too long for the room left is cut and the list stays ended.
    list.fill(HotRegion{});
    for (int i = 0; i < 27; ++i) list[size_t(i)] = Region(int16_t(i), 0, 1, 1, int16_t(i));
    const HotRegion four[] = {Region(0, 0, 1, 1, 40), Region(0, 0, 1, 1, 41), Region(0, 0, 1, 1, 42),
                              Region(0, 0, 1, 1, 43), HotRegion{}};
    EXPECT_EQ(Hotspot_AddList(list, four, 0, 0), 0);
    EXPECT_EQ(list[kHotRegionLimit - 1].kind, HOT_END);
    EXPECT_EQ(Hotspot_Count(list.data()), kHotRegionLimit - 1);
    HotRegion region = Region(1, 2, 3, 4, 5);
    Hotspot_InitDefault(&region);
    EXPECT_EQ(region.kind, 0);
    EXPECT_EQ(region.text, nullptr);
}

TEST(MenuServices, AnchorsAndNameFields) {
    int x = 0, y = 0;
    AlignInBox(100, 200, 60, 20, 2 | 8, &x, &y);
    EXPECT_EQ(x, 130);
    EXPECT_EQ(y, 210);
    AlignInBox(100, 200, 60, 20, 3 | 12, &x, &y);
    EXPECT_EQ(x, 158);
    EXPECT_EQ(y, 218);
    AlignInBox(100, 200, -1, -1, 2 | 8, &x, &y);  // no size: nothing to centre in
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 200);
    AlignInBox(100, 200, 60, 20, 0, &x, &y);
    EXPECT_EQ(x, 102);
    EXPECT_EQ(y, 202);
    char field[34];
    std::memset(field, 'z', sizeof field);
    std::memcpy(field, "Dunmore\0", 8);
    PadName34(field);
    EXPECT_EQ(std::string(field), "Dunmore" + std::string(25, ' '));
    EXPECT_EQ(field[33], ' ');  // the byte behind the terminator too
    std::memset(field, 'x', sizeof field);
    field[32] = '\0';  // a full name: only what lies behind it is blanked
    PadName34(field);
    EXPECT_EQ(std::string(field), std::string(32, 'x'));
    EXPECT_EQ(field[33], ' ');
    std::memset(field, 'y', sizeof field);  // no terminator within the name
    PadName34(field);
    EXPECT_EQ(std::string(field), std::string(32, 'y'));
}

class HelpPanelTest : public MenuEngineTest {};

TEST_F(HelpPanelTest, OutOfRangeIndexShowsNothing) {
    StdoutCapture out;
    DoHelpPanel(1);
    EXPECT_NE(out.Text().find("Error: DoHelpPanel(): help value 1 out of range\n"), std::string::npos);
    EXPECT_EQ(testenv::MenuUserFrames(), 0);
}

TEST_F(HelpPanelTest, OnlyTheGeneralHelpHasAnEntry) {
    EXPECT_EQ(HelpPanel_Find(-1), 0);
    EXPECT_EQ(HelpPanel_Find(3), -1);
    // A screen without its own help: text 1125 in a box, clicked away.
    testenv::MenuUserWait(20);
    testenv::MenuUserClickAt(400, 300);
    // The help entry of a navigation list goes the same way.
    testenv::MenuUserWait(20);
    testenv::MenuUserClickAt(400, 300);
    MenuOption = kScreenClubMain;
    EXPECT_EQ(HelpPanel_Button(741), 7);
    PopupEntry help{POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(741), nullptr, nullptr};
    PopupCallBlock call{uint16_t(POPUP_LIST_NUMBER + 1), 0, nullptr, &help};
    TitleMode = 0;
    EXPECT_EQ(MenuOption_DefaultHandler(&call), 7);
}

TEST_F(HelpPanelTest, PagingStopsAtTheLastPageAndClosesOnEscape) {
    using namespace testenv;
    static int16_t lastFirst;
    MenuUserWait(10);
    MenuUserDo([] {
        ASSERT_GT(HelpPanelLineCount(), HelpPanelVisibleLines()) << "the guide is longer than a page";
        EXPECT_EQ(HelpPanelFirstLine(), 0);
    });
    MenuUserKey(0x50, true);  // down arrow
    MenuUserWait(3);
    MenuUserDo([] { EXPECT_EQ(HelpPanelFirstLine(), 1); });
    MenuUserKey(0x49, true);  // page up: back to the top
    MenuUserWait(3);
    MenuUserDo([] { EXPECT_EQ(HelpPanelFirstLine(), 0); });
    for (int i = 0; i < 12; ++i) {
        MenuUserKey(0x51, true);  // page down, past the end
        MenuUserWait(3);
    }
    MenuUserDo([] {
        EXPECT_EQ(HelpPanelFirstLine(), HelpPanelLineCount() - HelpPanelVisibleLines());
        lastFirst = HelpPanelFirstLine();
    });
    // The line-up button, clicked on its face.
    MenuUserClickAt(600, 119);
    MenuUserWait(5);
    MenuUserDo([] { EXPECT_EQ(HelpPanelFirstLine(), lastFirst - 1); });
    MenuUserKey(0x01);  // escape
    MenuOption = kScreenClubMain;
    EXPECT_EQ(HelpPanel_Button(762), 2);
    EXPECT_EQ(MenuUserPending(), 0);
}

}  // namespace
