// A whole screen run headless on the driven clock by injected mouse and key
// events: background, text, an animated icon, a pop-up list and a text
// field.  Screen grabs ("grab%04d.tga") after each step show what the user
// would have seen.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/trackedmemory.h"
#include "game/screens/engine/painting.h"
#include "game/screens/engine/screenmachine.h"
#include "game/screens/engine/textentry.h"
#include "game/system/picture.h"
#include "game/system/pixelformats.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

using Pixels = std::vector<uint8_t>;
using testenv::MenuUserDo;
using testenv::MenuUserWait;

Pixels TakeGrab() {
    ScreenGrab();
    Pixels pixels = testenv::GrabBytes(testenv::NewestGrabName());
    EXPECT_FALSE(pixels.empty()) << "no grab that reads";
    return pixels;
}

bool SameIn(const Pixels& a, const Pixels& b, int x, int y, int w, int h) {
    for (int row = y; row < y + h; ++row) {
        const size_t at = (size_t(row) * 800 + size_t(x)) * 3;
        if (std::memcmp(a.data() + at, b.data() + at, size_t(w) * 3) != 0) return false;
    }
    return true;
}

int32_t Accept(MenuHotItem*) { return MENU_CONTINUE; }
int32_t CloseTable(MenuHotItem*) { return MENU_CLOSE; }
int g_chosen = -1;
int32_t Choose(PopupCallBlock* call) {
    g_chosen = call->row;
    return MENU_CONTINUE;
}

char g_name[16] = "Halvorn   ";
int16_t NameTyped(int16_t) { return MENU_REDRAW; }
int32_t EditName(MenuHotItem*) {
    static char initial[16];
    std::strcpy(initial, g_name);
    InitTextInput(100, 420, 300, JUSTIFY_LEFT_TOP, initial, g_name, nullptr, NameTyped);
    return MENU_CONTINUE;
}

PopupEntry g_options[] = {
    {POPUP_TITLE, 0, -1, -1, -1, -1, nullptr, MenuValue(745), nullptr, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(700), Choose, nullptr},
    {POPUP_TEXT_ID, POPUP_SELECTABLE, 0, 0, 0, 0, nullptr, MenuValue(158), Choose, nullptr},
    {POPUP_END, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr},
};
const int16_t kSpinner[] = {400, 65, 70, 75, 0};

const MenuItem kScreen[] = {
    {MI_SCREEN, 0, 0, 0, 0, nullptr, nullptr},
    {MI_BACKGROUND, 0, 0, 0, 0, MenuValue(4), nullptr},
    {MI_FONT, 0, 0, 0, 0, MenuValue(8), nullptr},
    {MI_TEXT, 400, 30, 6, 0, MenuValue(745), nullptr},
    {MI_SAVE_MARKER, 0, 0, 0, 0, nullptr, nullptr},
    {MI_ICON_LOOP, 700, 120, 5, 0, kSpinner, nullptr},
    {MI_BUTTON_TEXT, 300, 200, 200, 30, MenuValue(746), Accept},
    {MI_POPUP, 0, 0, 0, 0, g_options, nullptr},
    {MI_BUTTON_STRING, 300, 360, 200, 30, "Name", EditName},
    {MI_STRING, 100, 420, 5, 0, g_name, nullptr},
    {MI_BUTTON_STRING, 300, 500, 200, 30, "Done", CloseTable},
    {MI_END, 0, 0, 0, 0, nullptr, nullptr},
};

bool IsButton(const MenuHotItem& item, int y) { return item.y == y; }

TEST_F(MenuEngineTest, ScreenDrivenByTheUserShowsAndRemovesItsPopup) {
    static Pixels before, withPopup, after, typed, later;
    static int popupX, popupY, popupW, popupH;
    g_chosen = -1;
    std::strcpy(g_name, "Halvorn   ");
    ScreenPresented = 0;  // the background is wiped in once
    MenuUserWait(200);
    testenv::MenuUserMoveTo(20, 580);
    MenuUserWait(2);
    MenuUserDo([] { before = TakeGrab(); });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return IsButton(item, 200); });
    MenuUserWait(4);
    MenuUserDo([] {
        const OpenPopup* open = MenuViewOpenPopup();
        ASSERT_NE(open, nullptr);
        popupX = open->x, popupY = open->y, popupW = open->w, popupH = open->h;
        withPopup = TakeGrab();
    });
    MenuUserWait(15);
    testenv::MenuUserClickPopupRow(1);
    MenuUserWait(3);
    testenv::MenuUserMoveTo(20, 580);
    MenuUserWait(3);
    MenuUserDo([] { after = TakeGrab(); });
    MenuUserWait(15);
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return IsButton(item, 360); });
    MenuUserWait(3);
    for (int i = 0; i < 7; ++i) testenv::MenuUserKey(0x0E);  // backspace
    testenv::MenuUserShiftKey(0x1E);                         // "A"
    testenv::MenuUserKey(0x30);                              // "b"
    testenv::MenuUserKey(0x1C);                              // Enter
    MenuUserWait(3);
    testenv::MenuUserMoveTo(20, 580);
    MenuUserWait(3);
    MenuUserDo([] { typed = TakeGrab(); });
    MenuUserWait(450);
    MenuUserDo([] { later = TakeGrab(); });
    testenv::MenuUserClickItem([](const MenuHotItem& item) { return IsButton(item, 500); });

    PushItemTable(kScreen);
    EXPECT_EQ(StartMenu(), MENU_CLOSE);
    EXPECT_EQ(g_chosen, 1);
    EXPECT_STREQ(g_name, "Ab        ");

    ASSERT_EQ(before.size(), size_t(800 * 600 * 3));
    ASSERT_EQ(withPopup.size(), before.size());
    // The list over the screen, the rest of the screen as it was.
    EXPECT_FALSE(SameIn(before, withPopup, popupX, popupY, popupW, popupH));
    EXPECT_TRUE(SameIn(before, withPopup, 0, 0, 800, 150));
    // Closed, it leaves the screen exactly as it found it.
    EXPECT_EQ(after, before);
    // The typed name is shown; the spinner has turned.
    EXPECT_FALSE(SameIn(before, typed, 100, 420, 200, 20));
    EXPECT_TRUE(SameIn(typed, before, 0, 0, 800, 150));
    EXPECT_FALSE(SameIn(typed, later, 690, 110, 30, 30));
}

}  // namespace
