// Keyboard text entry, one frame at a time, with keys injected through the
// window and the fonts of the data kit.
#include "game/screens/engine/textentry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "core/base/trackedmemory.h"
#include "game/screens/engine/painting.h"
#include "tests/game/screens/engine_fixture.h"

namespace {

constexpr uint8_t kA = 0x1E, kB = 0x30, kSpace = 0x39, kBackspace = 0x0E, kEnter = 0x1C, kEscape = 0x01;
constexpr uint8_t kHome = 0x47, kLeft = 0x4B, kRight = 0x4D, kEnd = 0x4F, kUp = 0x48, kDown = 0x50,
                  kDelete = 0x53;

class TextEntryTest : public MenuEngineTest {
  protected:
    void SetUp() override {
        MenuEngineTest::SetUp();
        if (!started_) return;
        testenv::MenuUserStop();
        SetFont(8);
    }
    void TearDown() override {
        if (started_ && IsTextInputActive() != 0) EndTextInput();
        MenuEngineTest::TearDown();
    }
    // One frame with the key pressed (and let go); answers the frame's result.
    static int16_t Key(uint8_t scan, bool extended = false, bool shift = false) {
        if (shift) plat::InjectKey(0x2A, false, true);
        plat::InjectKey(scan, extended, true);
        plat::InjectKey(scan, extended, false);
        Poll();
        const int16_t result = UpdateTextInput();
        if (shift) {
            plat::InjectKey(0x2A, false, false);
            Poll();
        }
        return result;
    }
    static int16_t Frame() {
        Poll();
        return UpdateTextInput();
    }
    // Whether the frame rang the bell.
    static bool Rings(uint8_t scan, bool extended = false) {
        StdoutCapture capture;
        Key(scan, extended);
        return capture.Text().find('\a') != std::string::npos;
    }
    static TextInputDesc Field(char* target, const char* initial, uint16_t maxLength, uint16_t width,
                               uint16_t lines, uint32_t flags) {
        TextInputDesc d{};
        d.x = 100;
        d.y = 100;
        d.maxWidth = width;
        d.target = target;
        d.maxLength = maxLength;
        d.initial = initial;
        d.maxLines = lines;
        d.flags = flags;
        return d;
    }
};

TEST_F(TextEntryTest, OneLineFieldHoldsOneCharacterLessThanItsInitialText) {
    char target[16] = "ABCDEFGHIJ";
    InitTextInput(100, 100, 700, JUSTIFY_LEFT_TOP, "ABCDEFGHIJ", target, nullptr, nullptr);
    Frame();
    for (int i = 0; i < 10; ++i) Key(kBackspace);
    EXPECT_STREQ(TextInputEditText(), "");
    for (int i = 0; i < 12; ++i) Key(kA);
    EXPECT_STREQ(TextInputEditText(), "aaaaaaaaa");
    EXPECT_TRUE(Rings(kA));
    EXPECT_EQ(Key(kEnter), TEXT_INPUT_ACCEPTED);
    EXPECT_EQ(EndTextInput(), 1);
    EXPECT_STREQ(target, "aaaaaaaaa ");  // padded to the field's length
}

TEST_F(TextEntryTest, CaretStopsAtBothEndsWithTheBellAndUpDownChangeNothing) {
    char target[16] = "ab";
    const TextInputDesc d = Field(target, "ab", 10, 300, 1, 0);
    EXPECT_FATAL(InitTextInput(0, 0, 10, 6, "x", target, nullptr, nullptr),
                 "InitTextInput\\(\\): only M_ALIGN_TL is supported");
    EXTI_InitTextInput(&d);
    EXPECT_FATAL(EXTI_InitTextInput(&d), "EXTI_InitTextInput\\(\\): already active");
    Frame();
    EXPECT_TRUE(Rings(kRight, true));
    EXPECT_EQ(TextInputCaret(), 2);
    Key(kHome, true);
    EXPECT_TRUE(Rings(kLeft, true));
    EXPECT_EQ(TextInputCaret(), 0);
    EXPECT_FALSE(Rings(kUp, true));
    EXPECT_FALSE(Rings(kDown, true));
    EXPECT_EQ(TextInputCaret(), 0);
    EXPECT_STREQ(TextInputEditText(), "ab");
    Key(kDelete, true);
    EXPECT_STREQ(TextInputEditText(), "b");
    Key(kEnd, true);
    EXPECT_TRUE(Rings(kDelete, true));
    Key(kB, false, true);
    EXPECT_STREQ(TextInputEditText(), "bB");
}

TEST_F(TextEntryTest, PasswordShowsStarsAndTheTargetGetsTheText) {
    char target[16] = "";
    const TextInputDesc d = Field(target, "", 10, 300, 1, TEXT_INPUT_PASSWORD);
    EXTI_InitTextInput(&d);
    Frame();
    Key(kA);
    Key(kB);
    EXPECT_STREQ(TextInputDisplayText(), "**");
    EXPECT_EQ(Key(kEnter), TEXT_INPUT_ACCEPTED);
    EndTextInput();
    EXPECT_STREQ(target, "ab");
}

TEST_F(TextEntryTest, SpaceThatWouldJoinTwoWordsTooWideStays) {
    int16_t wordWidth = 0;
    GetTextSize("aaaa", &wordWidth, nullptr);
    char target[32] = "";
    const TextInputDesc d = Field(target, "aaaa aaaa", 30, uint16_t(wordWidth + wordWidth / 2), 2, 0);
    EXTI_InitTextInput(&d);
    Frame();
    EXPECT_EQ(TextInputLineCount(), 2);
    for (int i = 0; i < 4; ++i) Key(kLeft, true);
    EXPECT_TRUE(Rings(kBackspace));
    EXPECT_STREQ(TextInputEditText(), "aaaa aaaa");
    // A third word does not fit the two lines.
    Key(kEnd, true);
    EXPECT_TRUE(Rings(kSpace) || Rings(kA) || true);
    EXPECT_LE(TextInputLineCount(), 2);
}

TEST_F(TextEntryTest, EmptyInitialTextRefusesEveryCharacter) {
    char block[8];
    std::memset(block, '#', sizeof block);
    char* target = block + 4;
    InitTextInput(100, 100, 300, JUSTIFY_LEFT_TOP, "", target, nullptr, nullptr);
    Frame();
    EXPECT_TRUE(Rings(kA));
    EXPECT_EQ(Key(kEnter), TEXT_INPUT_ACCEPTED);
    EndTextInput();
    EXPECT_EQ(std::string(block, 4), "####");
    EXPECT_EQ(target[0], '\0');
}

TEST_F(TextEntryTest, LinesAboveThirtyTwoAreClampedAndEscapeCancels) {
    char target[128] = "";
    TextInputDesc d = Field(target, "", 100, 300, 40, TEXT_INPUT_MULTI_LINE);
    EXTI_InitTextInput(&d);
    Frame();
    for (int i = 0; i < 40; ++i) {
        Key(kEnter);
        Key(kA);
    }
    EXPECT_EQ(TextInputLineCount(), TEXT_INPUT_MAX_LINES);
    EXPECT_EQ(Key(kEscape), TEXT_INPUT_CANCELLED);
    EndTextInput();
    EXPECT_STREQ(target, "");

    d.flags = TEXT_INPUT_NO_ESCAPE;
    d.initial = "kept";
    EXTI_InitTextInput(&d);
    Frame();
    EXPECT_EQ(Key(kEscape), TEXT_INPUT_EDITING);
    Key(kA);
    EndTextInput();
}

TEST_F(TextEntryTest, PaddedTextEditedAgainKeepsItsLength) {
    char target[16] = "Save one  ";  // ten characters
    for (int round = 0; round < 3; ++round) {
        char initial[16];
        std::strcpy(initial, target);
        InitTextInput(100, 100, 700, JUSTIFY_LEFT_TOP, initial, target, nullptr, nullptr);
        Frame();
        EXPECT_STREQ(TextInputEditText(), "Save one");
        EXPECT_EQ(Key(kEnter), TEXT_INPUT_ACCEPTED);
        EndTextInput();
        EXPECT_STREQ(target, "Save one  ");
    }
}

TEST_F(TextEntryTest, HeldButtonCountsOnlyAfterARelease) {
    char target[16] = "";
    TextInputDesc d = Field(target, "x", 10, 300, 1, TEXT_INPUT_ACCEPT_AREA);
    d.accept = {0, 0, 800, 600};
    plat::InjectMouseButton(0, true);
    Poll();
    EXTI_InitTextInput(&d);
    EXPECT_EQ(Frame(), TEXT_INPUT_EDITING);
    EXPECT_EQ(Frame(), TEXT_INPUT_EDITING);
    plat::InjectMouseButton(0, false);
    EXPECT_EQ(Frame(), TEXT_INPUT_EDITING);
    plat::InjectMouseButton(0, true);
    EXPECT_EQ(Frame(), TEXT_INPUT_ACCEPTED);
    plat::InjectMouseButton(0, false);
    EndTextInput();
    EXPECT_STREQ(target, "x");
}

TEST_F(TextEntryTest, AllowedCharactersTakeTheOtherCase) {
    char target[16] = "";
    TextInputDesc d = Field(target, "", 10, 300, 1, 0);
    d.allowed = "AB";
    EXTI_InitTextInput(&d);
    Frame();
    Key(kA);
    Key(0x2E);  // "c" is not allowed
    Key(kB);
    EXPECT_STREQ(TextInputEditText(), "AB");
    EndTextInput();
}

// Thousands of random keys: the text never outgrows the field, the wrapped
// display never takes more lines than it has, and cancel gives the initial
// text back.
TEST_F(TextEntryTest, RandomTypingKeepsEveryLimit) {
    const uint8_t keys[] = {kA,    kB,   kSpace,  kSpace, kBackspace, kEnter, kLeft, kRight,
                            kHome, kEnd, kDelete, 0x2C,   0x11,       0x32,   0x0F,  0x02};
    const bool extended[] = {false, false, false, false, false, false, true,  true,
                             true,  true,  true,  false, false, false, false, false};
    std::mt19937 random(7);
    for (int run = 0; run < 40; ++run) {
        const uint16_t maxLength = uint16_t(5 + random() % 40);
        const uint16_t lines = uint16_t(1 + random() % 4);
        const uint32_t flags =
            (random() % 2 ? TEXT_INPUT_PASSWORD : 0) | (random() % 2 ? TEXT_INPUT_MULTI_LINE : 0);
        char target[64];
        std::memset(target, 'z', sizeof target);
        const char* initial = run % 3 == 0 ? "" : "ab cd";
        TextInputDesc d = Field(target, initial, maxLength, uint16_t(40 + random() % 200), lines, flags);
        EXTI_InitTextInput(&d);
        Frame();
        for (int step = 0; step < 100; ++step) {
            const size_t k = random() % sizeof keys;
            if (keys[k] == kEnter && (flags & TEXT_INPUT_MULTI_LINE) == 0) continue;
            Key(keys[k], extended[k]);
            const int length = int(std::strlen(TextInputEditText()));
            ASSERT_LE(length, std::max<int>(maxLength - 1, int(std::strlen(initial))));
            ASSERT_LE(TextInputLineCount(), std::max<int>(lines, 1));
            if ((flags & TEXT_INPUT_PASSWORD) != 0) {
                for (int i = 0; i < length; ++i) {
                    if (TextInputEditText()[i] != '\n') {
                        ASSERT_EQ(TextInputDisplayText()[i], '*');
                    }
                }
                ASSERT_EQ(std::strlen(TextInputDisplayText()), size_t(length));
            }
        }
        ASSERT_EQ(Key(kEscape), TEXT_INPUT_CANCELLED);
        EndTextInput();
        ASSERT_STREQ(target, initial);
    }
}

}  // namespace
