// The menu display opened for real on a headless 800 x 600 mode, driven by
// injected mouse and key events and the manual clock: backgrounds, the two
// cursors, the progress bar, screen sections and the modal boxes.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/base/trackedmemory.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/menuboxes.h"
#include "game/screens/engine/menufonts.h"
#include "game/screens/engine/menusetup.h"
#include "game/screens/engine/painting.h"
#include "game/system/display2d.h"
#include "game/system/keyboard.h"
#include "game/system/mouse.h"
#include "game/system/picture.h"
#include "game/system/poll.h"
#include "game/system/tickclock.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "tests/fakes/menu_env.h"
#include "tests/fakes/pak_fixture.h"
#include "tests/fakes/test_util.h"

namespace {

using Screen = std::vector<uint8_t>;

Screen BackBuffer() {
    const size_t bytes = size_t(MenuScreenWidth()) * size_t(MenuScreenHeight()) * size_t(MenuBytesPerPixel());
    return Screen(MenuBackBuffer, MenuBackBuffer + bytes);
}

const uint8_t* BackPixel(int x, int y) {
    return MenuBackBuffer + (size_t(y) * size_t(MenuScreenWidth()) + size_t(x)) * size_t(MenuBytesPerPixel());
}

// Events injected frame by frame from a poll function while a box runs.
struct ScriptStep {
    int frame;
    enum Kind { Press, Release, MoveTo, ScrollLock, Close } kind;
    int x = 0, y = 0;
};
std::vector<ScriptStep> g_script;
int g_frame = 0;

void RunScript() {
    for (const ScriptStep& step : g_script) {
        if (step.frame != g_frame) continue;
        switch (step.kind) {
            case ScriptStep::Press:
                plat::InjectMouseButton(0, true);
                break;
            case ScriptStep::Release:
                plat::InjectMouseButton(0, false);
                break;
            case ScriptStep::MoveTo:
                plat::InjectMouseMove(step.x - CursorX, step.y - CursorY, step.x, step.y);
                break;
            case ScriptStep::ScrollLock:
                plat::InjectKey(0x46, false, true);
                plat::InjectKey(0x46, false, false);
                break;
            case ScriptStep::Close:
                plat::InjectClose();
                break;
        }
    }
    ++g_frame;
}

// The newest grab's pixel bytes, which must read.
std::vector<uint8_t> SetupGrabBytes() {
    std::vector<uint8_t> bytes = testenv::GrabBytes(testenv::NewestGrabName());
    EXPECT_FALSE(bytes.empty()) << "no grab that reads";
    return bytes;
}

std::vector<uint8_t> TakeSetupGrab() {
    ScreenGrab();
    return SetupGrabBytes();
}

class MenuSetupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        scratch_ = std::make_unique<testenv::ScratchDir>();
        if (!testenv::StartMenuDisplay(HALVORN_GAME_DIR, 24))
            GTEST_FAIL() << GameDataMissing("pakfiles/demo.pki");
        // The set-up chooses and enters the mode itself.
        FreeScreenBuffers();
        RestoreGraphicMode();
        plat::SetManualClock(true);
        InitTimerInterrupt();
        InitPoll();
        InitMouseDriver();
        InitKeyboardInterrupt();
        {
            StdoutCapture quiet;
            InitSetOfMenus();
            quiet.Text();
        }
        g_script.clear();
        g_frame = 0;
        scriptKey_ = AddPollFunction(RunScript, POLL_EVERY_TIME, 0);
        started_ = true;
    }
    void TearDown() override {
        if (!started_) return;
        RemovePollFunction(scriptKey_);
        plat::InjectMouseButton(0, false);
        UninitSetOfMenus();
        BusyCursorNest = 0;
        HideCursorCount = 0;
        ProgressTotal = ProgressDone = -1;
        ClearKeyboardInterrupt();
        UninitMouseDriver();
        UninitPoll();
        ClearTimerInterrupt();
        plat::SetManualClock(false);
        testenv::StopMenuPaint();
        scratch_.reset();
    }
    // Shown without the timed wipes, which take seconds on the headless
    // display.
    static void ShowBackground(int16_t n) {
        ScreenPresented = 0;
        ShowMenuBackground(n);
        SaveScreen();
        ScreenPresented = 1;
        MarkRectDirty(0, 0, 800, 600);
        UpdateScreen();
    }
    std::unique_ptr<testenv::ScratchDir> scratch_;
    int16_t scriptKey_ = -1;
    bool started_ = false;
};

TEST_F(MenuSetupTest, OpensOnTheTruestColourModeWithTheCursorCentred) {
    EXPECT_EQ(MenuDisplayIsOpen(), 1);
    EXPECT_EQ(MenuScreenWidth(), 800);
    EXPECT_EQ(MenuBytesPerPixel(), 3);
    EXPECT_EQ(CursorX, 400);
    EXPECT_EQ(CursorY, 300);
    EXPECT_EQ(ScreenPresented, 0);
}

TEST_F(MenuSetupTest, BackgroundIsReadOnceForTwoShows) {
    ShowBackground(7);
    ASSERT_NE(BackgroundList[7].picture, nullptr);
    EXPECT_EQ(std::memcmp(MenuBackBuffer, BackgroundList[7].picture + GFX0_HEADER_SIZE, 800 * 600 * 3), 0);
    const uint8_t* picture = BackgroundList[7].picture;
    const uint32_t blocks = MemAllocatedCount();
    ShowMenuBackground(7);  // wipes the shown screen out first
    EXPECT_EQ(BackgroundList[7].picture, picture);
    EXPECT_EQ(MemAllocatedCount(), blocks);
    EXPECT_EQ(ScreenPresented, 0);  // the next update wipes it in
    EXPECT_EQ(CurrentFontNumber, 8);
    EXPECT_EQ(DrawColour, 0x03E0);
}

TEST_F(MenuSetupTest, BusyCursorNestsAndStaysOffWhileHidden) {
    ShowBackground(1);
    const Screen clean = BackBuffer();
    EnableCursorNest(1);
    EnableCursorNest(1);
    EnableCursorNest(0);
    EXPECT_EQ(BusyCursorNest, 1);
    CursorPollFunction();
    EXPECT_EQ(BusyCursorFrame, 1);
    EnableCursorNest(0);
    EXPECT_EQ(BusyCursorNest, 0);
    EXPECT_EQ(BackBuffer(), clean);  // the area under the cursor came back

    HideCursorNest(1);
    EnableCursorNest(1);
    ProgressTotal = 100;
    ProgressDone = 50;
    const int16_t frame = BusyCursorFrame;
    CursorPollFunction();
    EXPECT_EQ(BusyCursorFrame, frame);
    EXPECT_EQ(BackBuffer(), clean);
    HideCursorNest(0);
    EnableCursorNest(0);
}

TEST_F(MenuSetupTest, CursorIsClampedAndCutAtTheScreenEdge) {
    ShowBackground(1);
    plat::InjectMouseMove(1000, 1000, CursorX + 1000, CursorY + 1000);
    Poll();
    int16_t x = 0, y = 0;
    uint16_t buttons = 0;
    UpdateMouse(&x, &y, &buttons);
    EXPECT_EQ(x, 794);
    EXPECT_EQ(y, 594);

    // The busy cursor at (0, 0) loses its top-left 12 x 12 pixels.
    CursorX = CursorY = 0;
    EnableCursorNest(1);
    int16_t width = 0, height = 0;
    GetIconSize(CURSOR_BUSY_ICON, &width, &height);
    const uint8_t* icon = GetIconAddress(CURSOR_BUSY_ICON);
    const uint32_t key = MenuTransparentKey();
    int inked = 0;
    for (int row = 0; row < height - 12; ++row) {
        for (int col = 0; col < width - 12; ++col) {
            const uint8_t* source = icon + (size_t(row + 12) * size_t(width) + size_t(col + 12)) * 3;
            if ((uint32_t(source[0]) | uint32_t(source[1]) << 8 | uint32_t(source[2]) << 16) == key) continue;
            ASSERT_EQ(std::memcmp(BackPixel(col, row), source, 3), 0) << col << "," << row;
            ++inked;
        }
    }
    EXPECT_GT(inked, 0);
    EnableCursorNest(0);

    // The arrow there is drawn whole.
    const Screen clean = BackBuffer();
    DrawCursor();
    const uint8_t* arrow = GetIconAddress(CURSOR_ARROW_ICON);
    EXPECT_EQ(std::memcmp(BackPixel(0, 0), arrow, 3), 0);  // the tip
    RestoreUnderCursor();
    EXPECT_EQ(BackBuffer(), clean);
}

TEST_F(MenuSetupTest, ProgressBarFillsAPixelAPercentFromFourPercent) {
    ShowBackground(2);
    const Screen clean = BackBuffer();
    auto drawn = [&](int16_t total, int16_t done) {
        RestoreRectFromBuffer(0, 0, 800, 600);
        ProgressTotal = total;
        ProgressDone = done;
        DrawProgressBar();
        return BackBuffer();
    };
    EXPECT_EQ(drawn(0, 0), clean);
    const Screen empty = drawn(100, 0);
    const Screen three = drawn(100, 3);
    const Screen half = drawn(100, 50);
    EXPECT_NE(empty, clean);
    const int row = 566;  // inside the bar, above the percentage text
    // The columns where two drawings differ on that row: [first, last].
    auto differing = [&](const Screen& a, const Screen& b, int* first, int* last) {
        *first = *last = -1;
        for (int x = 687; x < 793; ++x) {
            const size_t at = (size_t(row) * 800 + size_t(x)) * 3;
            if (std::memcmp(&a[at], &b[at], 3) == 0) continue;
            if (*first < 0) *first = x;
            *last = x;
        }
    };
    int first = 0, last = 0;
    differing(empty, three, &first, &last);
    EXPECT_EQ(first, -1);
    differing(empty, half, &first, &last);
    // 690 to 739; the bar's left edge pixel has the frame's colour.
    EXPECT_EQ(first, 691);
    EXPECT_EQ(last, 739);
    EXPECT_EQ(DrawColour, 0x03E0);  // the drawing state is put back
    EXPECT_EQ(CurrentFontNumber, 8);
}

TEST_F(MenuSetupTest, SectionsGiveBackWhatTheyTook) {
    ShowBackground(3);
    const Screen clean = BackBuffer();
    PreserveScreenSection(1, 700, 500, 100, 100);  // right edge exactly the screen's
    PreserveScreenSection(0, 0, 0, 0, 0);
    FillSolidRect(600, 400, 200, 200, 0xFFFF);
    RestoreScreenSection(0);
    RestoreScreenSection(1);
    EXPECT_EQ(ScreenSection[1].pixels, nullptr);
    const Screen after = BackBuffer();
    for (int y = 500; y < 600; ++y) {
        const size_t at = (size_t(y) * 800 + 700) * 3;
        ASSERT_EQ(std::memcmp(&after[at], &clean[at], 300), 0) << y;
    }
    PreserveScreenSection(2, 10, 10, 10, 10);
    ResetScreenSection(2);
    EXPECT_EQ(ScreenSection[2].pixels, nullptr);
}

TEST_F(MenuSetupTest, SectionMisuseEndsTheProgram) {
    EXPECT_FATAL(PreserveScreenSection(5, 0, 0, 1, 1), "section index out of range: 5");
    EXPECT_FATAL(PreserveScreenSection(1, 701, 0, 100, 1),
                 "off screen coords for section 1 - 701,0 \\(100x1\\)");
    EXPECT_FATAL(PreserveScreenSection(1, 0, -1, 1, 1), "off screen coords");
    EXPECT_FATAL(
        {
            PreserveScreenSection(2, 0, 0, 4, 4);
            PreserveScreenSection(2, 0, 0, 4, 4);
        },
        "section no 2 already saved");
    EXPECT_FATAL(RestoreScreenSection(3), "section no 3 not saved");
    EXPECT_FATAL(RestoreScreenSection(-1), "RestoreScreenSection\\(\\): section index out of range");
    EXPECT_FATAL(ResetScreenSection(5), "ResetScreenSection\\(\\): section index out of range");
}

TEST_F(MenuSetupTest, MessageBoxNeedsAReleaseAndANewPress) {
    ShowBackground(4);
    const std::vector<uint8_t> before = TakeSetupGrab();
    g_script = {{4, ScriptStep::ScrollLock}, {8, ScriptStep::Release}, {12, ScriptStep::Press}};
    plat::InjectMouseButton(0, true);  // the click that opened the box
    Poll();
    g_frame = 0;
    ShowMessageBox("The board wants a word.", 0);
    EXPECT_GE(g_frame, 12);
    EXPECT_LE(g_frame, 15);
    // Shown over the background while it ran, gone again after.
    const std::vector<uint8_t> during = SetupGrabBytes();
    EXPECT_NE(during, before);
    EXPECT_EQ(TakeSetupGrab(), before);
    EXPECT_EQ(HideCursorCount, 0);
    EXPECT_EQ(ScreenSection[MODAL_BOX_SECTION].pixels, nullptr);
}

TEST_F(MenuSetupTest, ChoiceBoxTakesOnlyClicksOnItsButtons) {
    ShowBackground(4);
    const std::vector<uint8_t> before = TakeSetupGrab();
    g_script = {{2, ScriptStep::MoveTo, 20, 20},   {3, ScriptStep::Press},
                {5, ScriptStep::Release},          {6, ScriptStep::ScrollLock},
                {7, ScriptStep::MoveTo, 500, 350}, {9, ScriptStep::Press}};
    EXPECT_EQ(ShowChoiceBox("Sell him?", 0, YesNoButtons), 1);
    EXPECT_EQ(YesNoButtons[1].left, 460);
    EXPECT_EQ(YesNoButtons[1].top, 335);
    EXPECT_NE(SetupGrabBytes(), before);
    EXPECT_EQ(TakeSetupGrab(), before);
}

TEST_F(MenuSetupTest, ChoiceBoxTimesOutIgnoresAHeldPressAndEndsOnClose) {
    ShowBackground(4);
    EXPECT_EQ(ShowChoiceBox("No answer", 50, YesNoButtons), -1);

    // The press that opened it lies over a button and is never released.
    plat::InjectMouseMove(300 - CursorX, 350 - CursorY, 300, 350);
    plat::InjectMouseButton(0, true);
    Poll();
    UpdateMouse(nullptr, nullptr, nullptr);
    EXPECT_EQ(ShowChoiceBox("Delete the save?", 100, YesNoButtons), -1);
    plat::InjectMouseButton(0, false);

    g_frame = 0;
    g_script = {{3, ScriptStep::Close}};
    EXPECT_EQ(ShowChoiceBox("Quit?", 0, ThreeWayButtons), -1);
    EXPECT_LT(g_frame, 10);
}

TEST(MenuBoxes, WithoutTheMenuDisplayTheTextIsLoggedAndNothingDrawn) {
    ASSERT_FALSE(MenuDisplayIsOpen());
    StdoutCapture out;
    ShowMessageBox("Season rolled over.", 0);
    EXPECT_EQ(ShowChoiceBox("Keep the squad?", 0, YesNoButtons), -1);
    const std::string text = out.Text();
    EXPECT_NE(text.find("Season rolled over."), std::string::npos);
    EXPECT_NE(text.find("Keep the squad?"), std::string::npos);
}

TEST(MenuBoxes, TrimTrailingSpaces) {
    char a[] = "Club name   ";
    TrimTrailingSpaces(a);
    EXPECT_STREQ(a, "Club name");
    char b[] = "   ";
    TrimTrailingSpaces(b);
    EXPECT_STREQ(b, "");
    char c[] = " x";
    TrimTrailingSpaces(c);
    EXPECT_STREQ(c, " x");
}

// An uncompressed 24-bit picture, bottom row first.
std::vector<uint8_t> Tga(int width, int height, uint8_t blue) {
    std::vector<uint8_t> bytes(18, 0);
    bytes[2] = 2;
    bytes[12] = uint8_t(width);
    bytes[13] = uint8_t(width >> 8);
    bytes[14] = uint8_t(height);
    bytes[15] = uint8_t(height >> 8);
    bytes[16] = 24;
    for (int i = 0; i < width * height; ++i) {
        bytes.push_back(blue);
        bytes.push_back(0x40);
        bytes.push_back(0x20);
    }
    return bytes;
}

TEST_F(MenuSetupTest, EditedImageIsDrawnOnlyWhenItIsA32By32Picture) {
    ShowBackground(5);
    const Screen clean = BackBuffer();
    EXPECT_EQ(DrawEditedImage(3, 100, 100), 1);  // no file
    testenv::WriteHostFile("Edited/4.tga", Tga(32, 32, 0xC0));
    EXPECT_EQ(DrawEditedImage(4, 100, 100), 0);
    const uint8_t expected[3] = {0xC0, 0x40, 0x20};
    EXPECT_EQ(std::memcmp(BackPixel(100, 100), expected, 3), 0);
    EXPECT_EQ(std::memcmp(BackPixel(131, 131), expected, 3), 0);
    EXPECT_NE(std::memcmp(BackPixel(132, 100), expected, 3), 0);

    RestoreRectFromBuffer(0, 0, 800, 600);
    testenv::WriteHostFile("Edited/5.tga", Tga(64, 64, 0xC0));
    testenv::WriteHostFile("Edited/6.tga", std::string_view("not a picture"));
    // A good picture with more than a megabyte after it is not read at all.
    std::vector<uint8_t> padded = Tga(32, 32, 0xC0);
    padded.resize((1 << 20) + 1, 0);
    testenv::WriteHostFile("Edited/7.tga", padded);
    // The pixels of 32 x 32 laid out as 16 x 64.
    testenv::WriteHostFile("Edited/8.tga", Tga(16, 64, 0xC0));
    // A GFX0 file with the byte count and mark of a converted badge, whose
    // header the picture reader refuses (no frames).
    std::vector<uint8_t> unread(16 + 32 * 32 * size_t(MenuBytesPerPixel()), 0x55);
    std::memcpy(unread.data(), "GFX0", 4);
    unread[4] = unread[6] = 32;
    unread[5] = unread[7] = unread[8] = unread[9] = 0;
    testenv::WriteHostFile("Edited/9.tga", unread);
    StdoutCapture log;
    for (int number = 5; number <= 9; ++number) EXPECT_EQ(DrawEditedImage(number, 100, 100), 1) << number;
    log.Text();
    EXPECT_EQ(BackBuffer(), clean);
}

// A background picture of other dimensions than the screen's would be
// copied past its end: it ends the program instead.
TEST_F(MenuSetupTest, ABackgroundOfAnotherSizeEndsTheProgram) {
    EXPECT_FATAL(
        {
            PakFileUninit();
            testenv::WritePak(
                "small", {{std::string("menugfx\\bg\\") + BackgroundList[7].name + ".tga", Tga(4, 4, 0xC0)}});
            PakFileInit();
            PakAddFile("small");
            PakFileAddDone();
            ShowMenuBackground(7);
        },
        "Error converting loaded background");
}

}  // namespace
