// The screen-table engine driven by synthetic tables, injected mouse and key
// events and the manual clock.
#include "game/screens/engine/screenmachine.h"

#include <gtest/gtest.h>

#include <string>

#include "core/records/text.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/textentry.h"
#include "tests/fakes/test_util.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

using testenv::MenuUserClickItem;
using testenv::MenuUserDo;
using testenv::MenuUserWait;

// A click must wait for the click latch of the one before.
constexpr int kLatchFrames = 15;

int32_t CloseTableOnPress(MenuHotItem*) { return MENU_CLOSE; }

bool HandledBy(const MenuHotItem& item, MenuHandler handler) { return item.handler == handler; }

// ---- The screen-save marker ---------------------------------------------------

int g_screenCalls = 0;
int g_firstEntries = 0;
int32_t g_nextResult = 0;
uint32_t g_red = 0, g_green = 0, g_background = 0;

void CountingScreen() {
    ++g_screenCalls;
    if (IsMenuFirstEntry() == 1) ++g_firstEntries;
}

// Paints over the item before the marker and inside the box after it.
int32_t Scribble(MenuHotItem*) {
    FillSolidRect(100, 100, 10, 10, 0x07E0);
    FillSolidRect(315, 115, 10, 10, 0x07E0);
    return g_nextResult;
}

const MenuItem kMarkerTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(CountingScreen), nullptr},
    {MI_COLOUR, 0, 0, 0, 0, MenuValue(0xF800), nullptr},
    {MI_FILL, 100, 100, 20, 20, nullptr, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_BOX, 300, 100, 40, 40, nullptr, nullptr},
    {MI_HOT_RECT, 500, 500, 50, 50, MenuValue(1), Scribble},
    {MI_HOT_RECT, 600, 500, 50, 50, MenuValue(2), CloseTableOnPress},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

void ClickScribbleWith(int32_t result) {
    MenuUserWait(kLatchFrames);
    MenuUserDo([result] { g_nextResult = result; });
    MenuUserClickItem([](const MenuHotItem& item) { return HandledBy(item, Scribble); });
    MenuUserWait(4);
}

TEST_F(MenuEngineTest, MarkerRedrawsByResult) {
    g_screenCalls = g_firstEntries = 0;
    MenuUserWait(3);
    MenuUserDo([] {
        g_red = GetBackBufferPixel(105, 105);
        g_background = GetBackBufferPixel(320, 120);
        EXPECT_NE(g_red, g_background);
        EXPECT_EQ(GetBackBufferPixel(300, 120), g_red);  // the box's left edge
    });
    ClickScribbleWith(2);  // saved screen back, items after the marker again
    MenuUserDo([] {
        EXPECT_EQ(GetBackBufferPixel(105, 105), g_red);
        EXPECT_EQ(GetBackBufferPixel(320, 120), g_background);
    });
    ClickScribbleWith(3);  // items after the marker over the screen as it is
    MenuUserDo([] {
        g_green = GetBackBufferPixel(105, 105);
        EXPECT_NE(g_green, g_red);
        EXPECT_EQ(GetBackBufferPixel(320, 120), g_green);
        EXPECT_EQ(GetBackBufferPixel(300, 120), g_red);
    });
    ClickScribbleWith(5);  // each item after the marker on the saved screen
    MenuUserDo([] {
        EXPECT_EQ(GetBackBufferPixel(105, 105), g_green);
        EXPECT_EQ(GetBackBufferPixel(320, 120), g_background);
    });
    MenuUserWait(kLatchFrames);
    MenuUserClickItem([](const MenuHotItem& item) { return HandledBy(item, CloseTableOnPress); });

    ASSERT_EQ(PushItemTable(kMarkerTable), 1);
    EXPECT_EQ(StartMenu(), MENU_CLOSE);
    EXPECT_LE(testenv::MenuUserPending(), 1);  // the last release
    EXPECT_EQ(g_screenCalls, 4);
    EXPECT_EQ(g_firstEntries, 1);
    EXPECT_EQ(MenuViewDepth(), -1);
}

// ---- Text buttons ---------------------------------------------------------------

constexpr int16_t kButtonText = 749;

const MenuItem kButtonTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_BUTTON_TEXT, 50, 60, 0, 0, MenuValue(kButtonText), CloseTableOnPress},
    {MI_BUTTON_TEXT, 50, 160, 120, 30, MenuValue(kButtonText), CloseTableOnPress},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

TEST_F(MenuEngineTest, TextButtonWithoutSizeFitsItsText) {
    MenuUserWait(2);
    MenuUserDo([] {
        const auto items = MenuViewHotItems();
        ASSERT_EQ(items.size(), 2u);
        SetFont(8);
        int16_t width = 0, height = 0;
        GetTextNoSize(kButtonText, &width, &height);
        EXPECT_EQ(items[0].x, 50);
        EXPECT_EQ(items[0].y, 60);
        EXPECT_EQ(items[0].w, width + 4);
        EXPECT_EQ(items[0].h, 18);
        EXPECT_EQ(items[1].w, 120);
        EXPECT_EQ(items[1].h, 30);
    });
    MenuUserClickItem([](const MenuHotItem& item) { return item.y == 60; });
    PushItemTable(kButtonTable);
    EXPECT_EQ(StartMenu(), MENU_CLOSE);
}

// ---- Pushes from a screen function, results 4 and 6 -----------------------------

int g_outerFrame = -1, g_innerFrame = -1;
int g_outerWalks = 0;
bool g_pushed = false;
const MenuItem* g_topDuringPush = nullptr;

void InnerScreen() {
    if (g_innerFrame < 0) g_innerFrame = testenv::MenuUserFrames();
}

const MenuItem kInnerTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(InnerScreen), nullptr},
    {MI_HOT_RECT, 0, 0, 800, 600, MenuValue(7), CloseTableOnPress},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

void OuterScreen() {
    ++g_outerWalks;
    if (IsMenuFirstEntry() == 1 && !g_pushed) {
        g_pushed = true;
        PushItemTable(kInnerTable);
        g_topDuringPush = MenuViewTopTable();
        g_outerFrame = testenv::MenuUserFrames();
    }
}

const MenuItem kOuterTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(OuterScreen), nullptr},
    {MI_HOT_RECT, 0, 0, 800, 600, MenuValue(8), CloseTableOnPress},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

TEST_F(MenuEngineTest, PushFromScreenFunctionShowsFromTheNextFrame) {
    g_outerFrame = g_innerFrame = -1;
    g_outerWalks = 0;
    g_pushed = false;
    MenuUserWait(3);
    MenuUserDo([] { EXPECT_EQ(MenuViewTopTable(), kInnerTable); });
    MenuUserClickItem([](const MenuHotItem& item) { return item.value == 7; });
    MenuUserWait(kLatchFrames);
    MenuUserDo([] { EXPECT_EQ(MenuViewTopTable(), kOuterTable); });
    MenuUserClickItem([](const MenuHotItem& item) { return item.value == 8; });
    PushItemTable(kOuterTable);
    EXPECT_EQ(StartMenu(), MENU_CLOSE);
    EXPECT_EQ(g_topDuringPush, kOuterTable);  // pending during the walk
    EXPECT_GT(g_innerFrame, g_outerFrame);
    EXPECT_EQ(g_outerWalks, 2);  // again as a first entry after the inner one closed
}

int g_clicks4 = 0;
int g_firstWalks4 = 0;
int32_t FirstFourThenSix(MenuHotItem*) { return ++g_clicks4 == 1 ? MENU_REDRAW_FIRST : MENU_CLOSE; }
void CountFirstWalks() {
    if (IsMenuFirstEntry() == 1) ++g_firstWalks4;
}
const int16_t kLoop[] = {50, 65, 66, 0};
const MenuItem kResultTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, MenuFunction(CountFirstWalks), nullptr},
    {MI_ICON_LOOP, 200, 200, 5, 0, kLoop, FirstFourThenSix},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

TEST_F(MenuEngineTest, ResultFourWalksAsFirstEntryAndSixEndsTheOnlyTable) {
    g_clicks4 = g_firstWalks4 = 0;
    MenuUserClickItem([](const MenuHotItem& item) { return HandledBy(item, FirstFourThenSix); });
    MenuUserWait(kLatchFrames);
    MenuUserDo([] {
        ASSERT_EQ(MenuViewHotItems().size(), 1u);
        EXPECT_EQ(MenuViewHotItems()[0].animation, 0);  // registered afresh, not appended
    });
    MenuUserClickItem([](const MenuHotItem& item) { return HandledBy(item, FirstFourThenSix); });
    PushItemTable(kResultTable);
    EXPECT_EQ(StartMenu(), MENU_CLOSE);
    EXPECT_EQ(g_firstWalks4, 2);
    EXPECT_EQ(MenuViewDepth(), -1);
}

// ---- Press animations ---------------------------------------------------------------

int g_pressCalls = 0;
int32_t Pressed(MenuHotItem*) {
    ++g_pressCalls;
    return MENU_CONTINUE;
}
const int16_t kPress[] = {10, 65, 66, 67, 0};
const MenuItem kPressTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, nullptr, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_ICON_PRESS, 200, 200, 5, 0, kPress, Pressed},
    {MI_ICON_BOUNCE, 400, 200, 5, 0, kPress, Pressed},
    {MI_HOT_RECT, 700, 500, 50, 50, MenuValue(3), CloseTableOnPress},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

void PressAndWatch(int x) {
    static std::vector<uint8_t> rest;
    MenuUserDo([x] { rest = MenuEngineTest::BackRect(x, 200, 20, 20); });
    MenuUserClickItem([x](const MenuHotItem& item) { return item.x == x; });
    testenv::MenuUserMoveTo(20, 20);
    MenuUserWait(12);
    MenuUserDo([x] {
        EXPECT_NE(MenuEngineTest::BackRect(x, 200, 20, 20), rest);  // going forwards
        EXPECT_EQ(g_pressCalls, 0);
    });
    MenuUserWait(20);
    MenuUserDo([] { EXPECT_EQ(g_pressCalls, 0); });  // on its way back
    MenuUserWait(40);
    MenuUserDo([x] {
        EXPECT_EQ(g_pressCalls, 1);
        EXPECT_EQ(MenuEngineTest::BackRect(x, 200, 20, 20), rest);
        g_pressCalls = 0;
    });
    MenuUserWait(kLatchFrames);
}

TEST_F(MenuEngineTest, PressAnimationsRunTheHandlerAfterGoingForwardsAndBack) {
    g_pressCalls = 0;
    MenuUserWait(3);
    PressAndWatch(200);  // kind 3
    PressAndWatch(400);  // kind 4
    MenuUserClickItem([](const MenuHotItem& item) { return HandledBy(item, CloseTableOnPress); });
    PushItemTable(kPressTable);
    EXPECT_EQ(StartMenu(), MENU_CLOSE);
    EXPECT_LE(testenv::MenuUserPending(), 1);  // the last release
}

// ---- Pop-up lists ------------------------------------------------------------------------

int g_keepCalls = 0, g_closeCalls = 0, g_opens = 0;
int32_t KeepOpen(PopupCallBlock* call) {
    EXPECT_EQ(call->row, 0);
    EXPECT_EQ(call->list, POPUP_LIST_NUMBER + 1);
    ++g_keepCalls;
    return MENU_KEEP_POPUP;
}
int32_t CloseList(PopupCallBlock* call) {
    EXPECT_EQ(call->row, 2);
    ++g_closeCalls;
    return MENU_REDRAW;
}
void CountOpen(PopupCallBlock*) { ++g_opens; }
int32_t AcceptPress(MenuHotItem*) { return MENU_CONTINUE; }

PopupEntry g_edgeList[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(3), nullptr, CountOpen},
    {POPUP_STRING, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, "Stay open", KeepOpen, nullptr},
    {POPUP_SEPARATOR, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
    {POPUP_STRING, POPUP_SELECTABLE | POPUP_MARKED, 0, 0, 0, 0, nullptr, "Close the list", CloseList,
     nullptr},
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};

const MenuItem kPopupTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, nullptr, nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_BUTTON_STRING, 750, 575, 45, 20, "Pick", AcceptPress},
    {MI_POPUP, 0, 0, 0, 0, g_edgeList, nullptr},
    {MI_HOT_RECT, 0, 0, 50, 50, MenuValue(4), CloseTableOnPress},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

TEST_F(MenuEngineTest, PopupAtTheEdgeMovesInsideAndEightKeepsItOpen) {
    g_keepCalls = g_closeCalls = g_opens = 0;
    MenuUserClickItem([](const MenuHotItem& item) { return item.popup == g_edgeList; });
    MenuUserWait(3);
    MenuUserDo([] {
        const OpenPopup* open = MenuViewOpenPopup();
        ASSERT_NE(open, nullptr);
        EXPECT_EQ(g_opens, 1);
        EXPECT_EQ(open->x + open->w, 796);
        EXPECT_EQ(open->y + open->h, 596);
        EXPECT_EQ(open->rows, 3);
    });
    MenuUserWait(kLatchFrames);
    testenv::MenuUserClickPopupRow(0);
    MenuUserWait(3);
    MenuUserDo([] {
        EXPECT_EQ(g_keepCalls, 1);
        EXPECT_NE(MenuViewOpenPopup(), nullptr);
    });
    MenuUserWait(kLatchFrames);
    testenv::MenuUserClickPopupRow(2);
    MenuUserWait(3);
    MenuUserDo([] {
        EXPECT_EQ(g_closeCalls, 1);
        EXPECT_EQ(MenuViewOpenPopup(), nullptr);
    });
    MenuUserWait(kLatchFrames);
    MenuUserClickItem([](const MenuHotItem& item) { return HandledBy(item, CloseTableOnPress); });
    PushItemTable(kPopupTable);
    EXPECT_EQ(StartMenu(), MENU_CLOSE);
    EXPECT_LE(testenv::MenuUserPending(), 1);  // the last release
}

// ---- Scroll bars -------------------------------------------------------------------------

ScrollRecord g_scroll{50, 10, 0};
std::vector<int> g_firsts;
int32_t Scrolled(MenuHotItem* item) {
    g_firsts.push_back(static_cast<const ScrollRecord*>(item->address)->first);
    return MENU_REDRAW;
}
const MenuItem kScrollTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, nullptr, nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_SCROLL_VERTICAL, 700, 100, 20, 200, &g_scroll, Scrolled},
    {MI_HOT_RECT, 0, 0, 50, 50, MenuValue(5), CloseTableOnPress},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

void ClickBar(int y) {
    testenv::MenuUserClickAt(710, y);
    MenuUserWait(3);
}

TEST_F(MenuEngineTest, ScrollBarPagesAndDragsWithinItsRange) {
    g_scroll = {50, 10, 0};
    g_firsts.clear();
    for (int i = 0; i < 6; ++i) ClickBar(295);  // below the thumb: a page down each
    ClickBar(101);                              // above it: a page up
    MenuUserDo([] {
        EXPECT_EQ(g_firsts, (std::vector<int>{9, 18, 27, 36, 40, 40, 31}));
        g_firsts.clear();
    });
    // The thumb now spans 124..164 of the bar: held and dragged both ways.
    testenv::MenuUserMoveTo(710, 100 + 140);
    testenv::MenuUserPress();
    MenuUserWait(2);
    testenv::MenuUserMoveTo(710, 0);
    MenuUserWait(4);
    MenuUserDo([] { EXPECT_EQ(g_scroll.first, 0); });
    testenv::MenuUserMoveTo(710, 590);
    MenuUserWait(4);
    MenuUserDo([] { EXPECT_EQ(g_scroll.first, 40); });
    testenv::MenuUserRelease();
    MenuUserWait(3);
    MenuUserClickItem([](const MenuHotItem& item) { return HandledBy(item, CloseTableOnPress); });
    PushItemTable(kScrollTable);
    EXPECT_EQ(StartMenu(), MENU_CLOSE);
    for (int first : g_firsts) {
        EXPECT_GE(first, 0);
        EXPECT_LE(first, 40);
    }
}

// ---- Window close and the engine's set-up -------------------------------------------

int16_t g_stopOutcome = -1;
int16_t RecordStop(int16_t outcome) {
    g_stopOutcome = outcome;
    return MENU_CONTINUE;
}
char g_closeTarget[16] = "Halvorn";
int g_exits = 0;
void CountExit() { ++g_exits; }
int32_t StartTyping(MenuHotItem*) {
    InitTextInput(100, 300, 200, JUSTIFY_LEFT_TOP, "Halvorn", g_closeTarget, nullptr, RecordStop);
    return MENU_CONTINUE;
}
const MenuItem kTypingTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, nullptr, nullptr},
    {MI_HOT_RECT, 0, 0, 50, 50, MenuValue(6), StartTyping},
    {MI_END, 0, 0, 0, 0, MenuFunction(CountExit), nullptr},
};
const MenuItem kBelowTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, nullptr, nullptr},
    {MI_END, 0, 0, 0, 0, MenuFunction(CountExit), nullptr},
};

TEST_F(MenuEngineTest, WindowCloseCancelsTypingAndClosesEveryTable) {
    g_stopOutcome = -1;
    g_exits = 0;
    MenuOption = kScreenClubMain;
    MenuUserClickItem([](const MenuHotItem& item) { return item.value == 6; });
    MenuUserWait(2);
    testenv::MenuUserKey(0x1E);  // "a"
    MenuUserWait(2);
    MenuUserDo([] { EXPECT_EQ(IsTextInputActive(), 1); });
    testenv::MenuUserClose();
    PushItemTable(kBelowTable);
    PushItemTable(kTypingTable);
    EXPECT_EQ(StartMenu(), MENU_CLOSE);
    EXPECT_EQ(MenuViewDepth(), -1);
    EXPECT_EQ(g_exits, 2);
    EXPECT_EQ(MenuOption, kScreenQuit);
    EXPECT_EQ(IsTextInputActive(), 0);
    EXPECT_EQ(g_stopOutcome, TEXT_INPUT_CANCELLED);
    EXPECT_STREQ(g_closeTarget, "Halvorn");
}

TEST(MenuEngineSetUp, EveryOperationAnswersNotReadyBeforeRestart) {
    ASSERT_FALSE(MenuEngineReady());
    EXPECT_EQ(PushItemTable(kBelowTable), MENU_NOT_READY);
    EXPECT_EQ(StartMenu(), MENU_NOT_READY);
    EXPECT_EQ(RunSubMenu(g_edgeList, -1, -1), MENU_NOT_READY);
    EXPECT_EQ(IsMenuFirstEntry(), MENU_NOT_READY);
    EXPECT_EQ(SetMenuFirstEntry(1), MENU_NOT_READY);
    EXPECT_EQ(GetMenuButtons(), MENU_NOT_READY);
    EXPECT_EQ(SetMenuListRows(3), MENU_NOT_READY);
    EXPECT_EQ(SetMenuFrameResult(2), MENU_NOT_READY);
}

// ---- Malformed tables -----------------------------------------------------------------

int32_t Answer42(MenuHotItem*) { return 42; }
const MenuItem kBadResultTable[] = {
    {MI_SCREEN, 0, 0, 0, 0, nullptr, nullptr},
    {MI_HOT_RECT, 0, 0, 800, 600, MenuValue(0), Answer42},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

TEST_F(MenuEngineTest, UnknownHandlerResultEndsTheProgram) {
    EXPECT_FATAL(
        {
            MenuUserClickItem([](const MenuHotItem& item) { return HandledBy(item, Answer42); });
            PushItemTable(kBadResultTable);
            StartMenu();
        },
        "Error: unknown return value 42 from menu function");
}

class MenuTableDeathTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!testenv::StartMenuPaint(HALVORN_GAME_DIR, &ColFmt_B8G8R8))
            GTEST_FAIL() << GameDataMissing("pakfiles/demo.pki");
        MenuEngineStart();
        SetMenuFirstEntry(1);
        started_ = true;
    }
    void TearDown() override {
        if (!started_) return;
        MenuEngineStop();
        testenv::StopMenuPaint();
    }
    bool started_ = false;
};

const MenuItem kBackgroundRow[] = {
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(1), nullptr},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};
const int16_t kGrowingFrames[] = {40, 65, 66, 0};
const MenuItem kAnimatedRow[] = {
    {MI_ICON_LOOP, 0, 0, 5, 0, kGrowingFrames, nullptr},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

TEST_F(MenuTableDeathTest, MalformedItemsEndWithTheirMessages) {
    const MenuItem group{MI_GROUP, 0, 0, 1, 10, kBackgroundRow, nullptr};
    EXPECT_FATAL(ActOnType(&group, 0, 0, 0, 0, -1, 0), "ActOnType\\(\\): invalid table item: \\[11\\]");
    const MenuItem unaligned{MI_ICON, 10, 10, 0, 0, MenuValue(65), nullptr};
    EXPECT_FATAL(ActOnType(&unaligned, 0, 0, 0, 0, -1, 0), "ActOnType\\(\\): invalid align type");
    const MenuItem fontWithHandler{MI_FONT, 0, 0, 0, 0, MenuValue(8), CloseTableOnPress};
    EXPECT_FATAL(ActOnType(&fontWithHandler, 0, 0, 0, 0, -1, 0), "ActOnType\\(\\): invalid hotspot item");
    const MenuItem popupFirst{MI_POPUP, 0, 0, 0, 0, g_edgeList, nullptr};
    EXPECT_FATAL(ActOnType(&popupFirst, 0, 0, 0, 0, -1, 0), "ActOnType\\(\\): invalid hotspot item");
    const MenuItem font{MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr};
    EXPECT_FATAL(ShowAnItem(&font, 0, 0, 0, 0, 5, 8, nullptr), "ShowAnItem\\(\\): invalid display item");
    const MenuItem unknown{999, 0, 0, 0, 0, nullptr, nullptr};
    EXPECT_FATAL(ActOnType(&unknown, 0, 0, 0, 0, -1, 0),
                 "GetVarsFromMI\\(\\): invalid data type encountered \\[999\\]");
    int16_t x, y, w, h;
    uint16_t align;
    EXPECT_FATAL(CoordsCode(&unknown, 0, &x, &y, &w, &h, &align),
                 "CoordsCode\\(\\): error, an unsupported case has been encountered \\[999\\]");
}

TEST_F(MenuTableDeathTest, MoreAnimationsThanTheFirstWalkEnds) {
    // A list that grows between walks meets animations it never registered.
    const MenuItem group{MI_GROUP, 0, 0, 0, 30, kAnimatedRow, nullptr};
    SetMenuListRows(1);
    ActOnType(&group, 0, 0, 0, 0, -1, 0);
    SetMenuFirstEntry(0);
    SetMenuListRows(2);
    EXPECT_FATAL(ActOnType(&group, 0, 0, 0, 0, -1, 0),
                 "Error, AnimNum is greater than NumAnimates @ ActOnType\\(\\)");
}

}  // namespace
