#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/debug.h"
#include "core/base/exitlist.h"
#include "game/system/joystick.h"
#include "game/system/keyboard.h"
#include "game/system/mainwindow.h"
#include "game/system/mouse.h"
#include "game/system/poll.h"
#include "platform/input.h"
#include "platform/window.h"
#include "tests/fakes/support_env.h"
#include "tests/fakes/test_util.h"

namespace {

constexpr uint8_t kShift = KEY_LEFT_SHIFT;

void Press(uint8_t scan, bool extended = false) {
    plat::InjectKey(scan, extended, true);
    plat::InjectKey(scan, extended, false);
}

void PumpMessages() { WinMessageHandler(); }

std::string ReadAll() {
    std::string s;
    while (KeyAsciiAvailable() > 0) s += char(KeyAsciiRead());
    return s;
}

// Types scan codes with or without shift held and returns the characters.
std::string Type(const std::vector<uint8_t>& scans, bool shifted = false) {
    if (shifted) plat::InjectKey(kShift, false, true);
    for (uint8_t s : scans) Press(s);
    if (shifted) plat::InjectKey(kShift, false, false);
    PumpMessages();
    return ReadAll();
}

class KeyboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::StartCore();
        InitKeyboardInterrupt();
    }
    void TearDown() override {
        if (KeyboardIsRunning()) ClearKeyboardInterrupt();
        testenv::StopCore();
    }
};

// Q W E R T Y on the top letter row, A on the home row, M and the comma on
// the bottom row.
const std::vector<uint8_t> kTopRow = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15};

TEST_F(KeyboardTest, LayoutsPlaceTheirLettersAndSymbols) {
    EXPECT_EQ(Type(kTopRow), "qwerty");
    EXPECT_EQ(Type({0x04, 0x28, 0x2B}, true), "\xA3@~");  // UK: pound, at, tilde

    SetKeyboardLanguage(1);
    EXPECT_EQ(Type({0x03, 0x28, 0x2B}, true), "@\"|");

    SetKeyboardLanguage(2);  // German: Z and Y exchanged, umlaut keys silent
    EXPECT_EQ(Type(kTopRow), "qwertz");
    EXPECT_EQ(Type({0x2C, 0x1A, 0x27, 0x28, 0x35}), "y-");
    EXPECT_EQ(Type({0x08, 0x0B}, true), "/=");

    SetKeyboardLanguage(3);  // Italian: shifted 3 is 0x9C
    EXPECT_EQ(Type({0x04}, true), "\x9C");

    SetKeyboardLanguage(4);  // French
    EXPECT_EQ(Type(kTopRow), "azerty");
    EXPECT_EQ(Type({0x1E, 0x27, 0x32, 0x02}), "qm?1");
    EXPECT_EQ(Type({0x02, 0x03}, true), "&\xE9");

    SetKeyboardLanguage(5);  // Portuguese
    EXPECT_EQ(Type({0x27}), "\xE7");
    EXPECT_EQ(Type({0x27}, true), "\xC7");

    SetKeyboardLanguage(6);  // Spanish
    EXPECT_EQ(Type({0x27, 0x0D}), "\xF1\xA1");
    EXPECT_EQ(Type({0x27, 0x0D}, true), "\xD1\xBF");
}

TEST_F(KeyboardTest, RightShiftAlsoShiftsAndKeypadDigitsNeedNoShift) {
    plat::InjectKey(KEY_RIGHT_SHIFT, false, true);
    Press(0x1E);
    plat::InjectKey(KEY_RIGHT_SHIFT, false, false);
    Press(0x1E);
    Press(0x47);
    Press(0x52);
    PumpMessages();
    EXPECT_EQ(ReadAll(), "Aa70");
}

TEST_F(KeyboardTest, SeventyQuickKeysLeaveSixtyTwoCharactersAndEveryKeySeen) {
    std::vector<uint8_t> scans;
    for (int i = 0; i < 70; ++i) scans.push_back(uint8_t(0x10 + i % 10));  // q..p
    for (uint8_t s : scans) Press(s);
    PumpMessages();
    EXPECT_EQ(KeyAsciiAvailable(), KEY_ASCII_MAX_WAITING);
    std::string text = ReadAll();
    EXPECT_EQ(text.size(), 62u);
    EXPECT_EQ(text.substr(0, 12), "qwertyuiopqw");
    for (int s = 0x10; s < 0x1A; ++s) EXPECT_EQ(KeyWasPressed(s), 1) << s;
    // The ring takes characters again once read.
    Press(0x1E);
    PumpMessages();
    EXPECT_EQ(ReadAll(), "a");
}

TEST_F(KeyboardTest, RingKeepsOrderAcrossItsWrap) {
    std::string expected;
    for (int round = 0; round < 5; ++round) {
        Type({0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1E, 0x1F, 0x20,
              0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32});
    }
    // 5 x 26 characters passed through the 64-byte ring in order.
    for (int i = 0; i < 20; ++i) Press(0x10);
    PumpMessages();
    EXPECT_EQ(ReadAll(), std::string(20, 'q'));
}

TEST_F(KeyboardTest, ExtendedRightControlIsCode157WithNoCharacter) {
    plat::InjectKey(0x1D, true, true);
    PumpMessages();
    EXPECT_EQ(KeyIsDown(157), 1);
    EXPECT_EQ(KeyIsDown(0x1D), 0);
    EXPECT_EQ(KeyGetLast(), 157);
    EXPECT_EQ(KeyGetLast(), -1);
    EXPECT_EQ(KeyAsciiAvailable(), 0);
    EXPECT_EQ(KeyScanToAscii(157, 0), 0);
    plat::InjectKey(0x1D, true, false);
    PumpMessages();
    EXPECT_EQ(KeyIsDown(157), 0);
}

TEST_F(KeyboardTest, HeldKeyIsPressedOnceUntilItRepeats) {
    plat::InjectKey(0x39, false, true);
    PumpMessages();
    EXPECT_EQ(KeyIsDown(0x39), 1);
    EXPECT_EQ(KeyWasPressed(0x39), 1);
    EXPECT_EQ(KeyWasPressed(0x39), 0);
    EXPECT_EQ(KeyIsDown(0x39), 1);
    plat::InjectKey(0x39, false, true);  // auto-repeat
    PumpMessages();
    EXPECT_EQ(KeyWasPressed(0x39), 1);
    EXPECT_EQ(ReadAll(), "  ");
    KeyClearAll();
    EXPECT_EQ(KeyIsDown(0x39), 0);
    EXPECT_EQ(KeyGetLast(), -1);
}

TEST_F(KeyboardTest, ReadWaitsAndPollsUntilACharacterArrives) {
    static int polls;
    polls = 0;
    int key = AddPollFunction(
        [] {
            if (++polls == 3) Press(0x23);
        },
        POLL_EVERY_TIME, 0);
    EXPECT_EQ(KeyAsciiRead(), 'h');
    EXPECT_EQ(polls, 4);  // the key injected by the third poll is taken by the fourth
    RemovePollFunction(key);
}

TEST_F(KeyboardTest, OtherMessagesArePassedOnAndStartUpRegistersOnExit) {
    bool listed = false;
    for (int i = 0; i < OnExitCount(); ++i) {
        if (std::string(OnExitName(i)) == "ClearKeyboardInterrupt()") listed = true;
    }
    EXPECT_TRUE(listed);
    // A set-cursor message reaches the main window procedure (no handler
    // of the keyboard claims it).
    EXPECT_EQ(WinMainWindowProc(WinGetWindowHandle(), WM_SETCURSOR, 0, 0), 0);
    ClearKeyboardInterrupt();
    for (int i = 0; i < OnExitCount(); ++i) EXPECT_STRNE(OnExitName(i), "ClearKeyboardInterrupt()");
}

TEST_F(KeyboardTest, MisuseEndsTheProgram) {
    EXPECT_FATAL(InitKeyboardInterrupt(),
                 "Error: InitKeyboardInterrupt\\(\\): Cannot set keyboard interrupt if already running");
    EXPECT_FATAL(SetKeyboardLanguage(7), "Error: SetKeyboardLanguage\\(\\): unknown language");
    ClearKeyboardInterrupt();
    EXPECT_FATAL(ClearKeyboardInterrupt(),
                 "Error: ClearKeyboardInterrupt\\(\\): Cannot stop keyboard interrupt if not running");
    EXPECT_FATAL(KeyAsciiRead(), "Error: KeyAsciiRead\\(\\): keyboard not initialised");
    EXPECT_FATAL(KeyAsciiAvailable(), "Error: KeyAsciiAvailable\\(\\): keyboard not initialised");
}

class MouseTest : public ::testing::Test {
  protected:
    void SetUp() override { Start(true); }
    void Start(bool windowed) {
        testenv::StartCore(windowed);
        plat::SetMouseButtonsSwapped(false);
        InitMouseDriver();
    }
    void TearDown() override {
        UninitMouseDriver();
        plat::SetMouseButtonsSwapped(false);
        plat::ClearMouseButtonStates();
        testenv::StopCore();
    }
    static void Read(int16_t* x, int16_t* y, uint16_t* b) { ReadMouseDriver(x, y, b); }
};

// Full screen the pointer is held: each read measures its motion and puts
// it back 100, 100 into the client area, and the game's cursor moves by
// the motion alone.
TEST_F(MouseTest, FullScreenMotionIsMeasuredFromTheReferencePoint) {
    UninitMouseDriver();
    testenv::StopCore();
    Start(false);
    plat::InjectMouseMove(13, -7, 0, 0);
    plat::InjectMouseMove(2, 1, 0, 0);
    PumpMessages();
    int16_t x, y;
    uint16_t b;
    Read(&x, &y, &b);
    EXPECT_EQ(x, 15);
    EXPECT_EQ(y, -6);
    EXPECT_EQ(b, 0);
    Read(&x, &y, &b);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    int ox = 0, oy = 0;
    WinClientToScreen(&ox, &oy);
    int cx, cy;
    plat::GetCursorPos(&cx, &cy);
    EXPECT_EQ(cx, ox + 100);
    EXPECT_EQ(cy, oy + 100);
    GetMouseClientPos(&x, &y, &b);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 100);
    EXPECT_FALSE(MousePointerPosition(&x, &y));
}

// In a window the pointer is free and may be put anywhere at once (a tablet,
// a remote desktop): the reads leave it there and measure its own motion,
// and the game's cursor is told where it stands.
TEST_F(MouseTest, InAWindowThePointerIsLeftWhereItIsAndItsPositionKnown) {
    int16_t x = 0, y = 0;
    uint16_t b = 0;
    EXPECT_FALSE(MousePointerPosition(&x, &y));  // not over the window yet
    plat::InjectMouseMove(0, 0, 200, 100);
    PumpMessages();
    Read(&x, &y, &b);
    plat::InjectMouseMove(13, -7, 213, 93);
    plat::InjectMouseMove(2, 1, 215, 94);
    PumpMessages();
    Read(&x, &y, &b);
    EXPECT_EQ(x, 15);
    EXPECT_EQ(y, -6);
    Read(&x, &y, &b);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    GetMouseClientPos(&x, &y, &b);
    EXPECT_EQ(x, 215);
    EXPECT_EQ(y, 94);
    // Placed at once far from there, with no motion reported on the way.
    plat::InjectMouseMove(0, 0, 640, 480);
    PumpMessages();
    ASSERT_TRUE(MousePointerPosition(&x, &y));
    EXPECT_EQ(x, 640);
    EXPECT_EQ(y, 480);
    Read(&x, &y, &b);
    EXPECT_EQ(x, 640 - 215);
    EXPECT_EQ(y, 480 - 94);
    // A new window has not seen the pointer.
    UninitMouseDriver();
    testenv::StopCore();
    Start(true);
    EXPECT_FALSE(MousePointerPosition(&x, &y));
}

TEST_F(MouseTest, ButtonsFollowTheSwapSetting) {
    int16_t x, y;
    uint16_t b;
    plat::InjectMouseButton(0, true);
    plat::InjectMouseButton(2, true);
    PumpMessages();
    Read(&x, &y, &b);
    EXPECT_EQ(b, MOUSE_BUTTON_PRIMARY | MOUSE_BUTTON_MIDDLE);
    plat::SetMouseButtonsSwapped(true);
    Read(&x, &y, &b);
    EXPECT_EQ(b, MOUSE_BUTTON_SECONDARY | MOUSE_BUTTON_MIDDLE);
    plat::InjectMouseButton(0, false);
    plat::InjectMouseButton(1, true);
    PumpMessages();
    Read(&x, &y, &b);
    EXPECT_EQ(b, MOUSE_BUTTON_PRIMARY | MOUSE_BUTTON_MIDDLE);
    // A reset forgets the buttons held.
    ResetMouseDriver();
    Read(&x, &y, &b);
    EXPECT_EQ(b, 0);
}

// A click whose press and release both arrive before the game reads the
// mouse (the game was busy) reads as pressed once, then released; a reset
// forgets such a press too.
TEST_F(MouseTest, AClickEndedBeforeTheReadIsNotLost) {
    int16_t x, y;
    uint16_t b;
    plat::InjectMouseButton(0, true);
    plat::InjectMouseButton(0, false);
    PumpMessages();
    Read(&x, &y, &b);
    EXPECT_EQ(b, MOUSE_BUTTON_PRIMARY);
    Read(&x, &y, &b);
    EXPECT_EQ(b, 0);
    // Held across reads: down until released, then up.
    plat::InjectMouseButton(1, true);
    PumpMessages();
    Read(&x, &y, &b);
    Read(&x, &y, &b);
    EXPECT_EQ(b, MOUSE_BUTTON_SECONDARY);
    plat::InjectMouseButton(1, false);
    PumpMessages();
    Read(&x, &y, &b);
    EXPECT_EQ(b, 0);
    plat::InjectMouseButton(2, true);
    plat::InjectMouseButton(2, false);
    PumpMessages();
    ResetMouseDriver();
    Read(&x, &y, &b);
    EXPECT_EQ(b, 0);
}

TEST_F(MouseTest, TheDriverHidesThePointerOverTheWindow) {
    EXPECT_EQ(WinMainWindowProc(WinGetWindowHandle(), WM_SETCURSOR, 0, 0), 1);
    UninitMouseDriver();
    EXPECT_EQ(WinMainWindowProc(WinGetWindowHandle(), WM_SETCURSOR, 0, 0), 0);
    InitMouseDriver();
}

TEST_F(MouseTest, AfterAModeChangeTheMouseMustBeResetBeforeReading) {
    KeyResetMode();
    int16_t x = 1, y = 1;
    uint16_t b = 1;
    EXPECT_FATAL(ReadMouseDriver(&x, &y, &b),
                 "Abort error: ReadMouseDriver\\(\\): mouse driver not ready\n\\(File: mouse");
    ResetMouseDriver();
    plat::InjectMouseMove(0, 0, 50, 50);
    PumpMessages();
    Read(&x, &y, &b);
    plat::InjectMouseMove(5, 6, 55, 56);
    PumpMessages();
    Read(&x, &y, &b);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 6);
}

TEST_F(MouseTest, MisuseEndsTheProgram) {
    EXPECT_FATAL(InitMouseDriver(), "InitMouseDriver\\(\\): already initialised");
    UninitMouseDriver();
    EXPECT_FATAL(UninitMouseDriver(), "UninitMouseDriver\\(\\): not initialised");
    EXPECT_FATAL(ResetMouseDriver(), "ResetMouseDriver\\(\\): not initialised");
    InitMouseDriver();
}

plat::FakeJoystick Stick(uint32_t min, uint32_t max, const char* name = "pad") {
    plat::FakeJoystick s;
    std::snprintf(s.caps.name, sizeof s.caps.name, "%s", name);
    s.caps.x_min = s.caps.y_min = min;
    s.caps.x_max = s.caps.y_max = max;
    s.caps.num_buttons = 4;
    s.pos.x = s.pos.y = (min + max) / 2;
    return s;
}

class JoystickTest : public ::testing::Test {
  protected:
    void TearDown() override { plat::ClearFakeJoysticks(); }
};

TEST_F(JoystickTest, OffsetsStartAtTheEdgeOfTheDeadZone) {
    plat::FakeJoystick sticks[] = {Stick(0, 65535)};
    plat::SetFakeJoysticks(sticks);
    InitJoysticks();
    plat::SetFakeJoystickPos(0, plat::JoyPos{20000, 32767, 0x5});
    JoyState* s = ReadJoysticks();
    EXPECT_EQ(s[0].x, 20000 - 24576);
    EXPECT_EQ(s[0].y, 0);
    EXPECT_EQ(s[0].buttons, 0x5);
    plat::SetFakeJoystickPos(0, plat::JoyPos{40958, 65535, 0});
    s = ReadJoysticks();
    EXPECT_EQ(s[0].x, 0);  // 32767 + 8191: still inside
    EXPECT_EQ(s[0].y, 65535 - 40958);
    for (int i = 1; i < MAX_JOYSTICKS; ++i) EXPECT_EQ(s[i].buttons, JOY_NOT_READABLE);
}

TEST_F(JoystickTest, FailingSticksAreMarkedAndExtraSticksDropped) {
    std::vector<plat::FakeJoystick> sticks(6, Stick(0, 1000));
    sticks[1].caps_fail = true;
    plat::SetFakeJoysticks(sticks);
    DebugSetLevel(DEBUG_INPUT, 80);
    StdoutCapture out;
    InitJoysticks();
    std::string log = out.Text();
    DebugSetLevel(DEBUG_INPUT, 0);
    EXPECT_NE(log.find("InitJoysticks(): 6 joystick devices connected\n"), std::string::npos);
    EXPECT_NE(log.find("InitJoysticks(): too many joysticks - reducing to 4\n"), std::string::npos);
    EXPECT_NE(log.find("InitJoysticks(): joystick 1 failed\n"), std::string::npos);
    EXPECT_NE(log.find("  .wXmin,wXmax = 0,1000\n"), std::string::npos);
    EXPECT_NE(log.find("  .szPname = 'pad'\n"), std::string::npos);
    plat::SetFakeJoystickPos(2, plat::JoyPos{0, 0, 0}, true);
    JoyState* s = ReadJoysticks();
    EXPECT_EQ(s[0].buttons, 0);
    EXPECT_EQ(s[1].start_failed, JOY_NOT_READABLE);
    EXPECT_EQ(s[2].buttons, JOY_NOT_READABLE);
    EXPECT_EQ(s[2].start_failed, 0);
    EXPECT_EQ(s[3].buttons, 0);
}

TEST_F(JoystickTest, NoSticksOnAHeadlessHost) {
    plat::ClearFakeJoysticks();
    InitJoysticks();
    JoyState* s = ReadJoysticks();
    for (int i = 0; i < MAX_JOYSTICKS; ++i) EXPECT_EQ(s[i].buttons, JOY_NOT_READABLE);
}

}  // namespace
