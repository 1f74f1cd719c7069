#include <gtest/gtest.h>

#include <string>

#include "core/base/debug.h"
#include "tests/fakes/test_util.h"

namespace {

class DebugStringTest : public ::testing::Test {
  protected:
    void SetUp() override { DebugSetLevel(DEBUG_ALL, 0); }
    void TearDown() override { DebugSetLevel(DEBUG_ALL, 0); }
};

TEST_F(DebugStringTest, LeadingNumberSetsEveryChannelSilently) {
    StdoutCapture out;
    DebugProcessDebugString("3");
    EXPECT_EQ(out.Text(), "");
    for (int c = 0; c < kDebugChannelCount; ++c) EXPECT_EQ(DebugGetLevel(c), 3) << c;
}

TEST_F(DebugStringTest, NamedPairsWithEitherSeparator) {
    StdoutCapture out;
    DebugProcessDebugString("general=2,MEMORY#50");
    EXPECT_EQ(out.Text(), "DEBUG: Setting 'general' to 2\nDEBUG: Setting 'memory' to 50\n");
    EXPECT_EQ(DebugGetLevel(DEBUG_GENERAL), 2);
    EXPECT_EQ(DebugGetLevel(DEBUG_MEMORY), 50);
    EXPECT_EQ(DebugGetLevel(DEBUG_POLL), 0);
}

TEST_F(DebugStringTest, AllNamesEveryChannelAndLevelsHaveNoCap) {
    StdoutCapture out;
    DebugProcessDebugString("all=5,poll=100000");
    std::string text = out.Text();
    EXPECT_NE(text.find("DEBUG: Setting 'all' to 5\n"), std::string::npos);
    EXPECT_EQ(DebugGetLevel(DEBUG_SOUND), 5);
    EXPECT_EQ(DebugGetLevel(DEBUG_POLL), 100000);
}

TEST_F(DebugStringTest, GeneralAtFiftyListsEveryChannel) {
    StdoutCapture out;
    DebugProcessDebugString("general=50");
    std::string text = out.Text();
    EXPECT_NE(text.find("DEBUG: 'general' set to 50\n"), std::string::npos);
    EXPECT_NE(text.find("DEBUG: 'poll' set to 0\n"), std::string::npos);
    size_t lines = 0;
    for (size_t p = text.find("' set to "); p != std::string::npos; p = text.find("' set to ", p + 1))
        ++lines;
    EXPECT_EQ(lines, 11u);
}

TEST_F(DebugStringTest, ChannelNamesAreCaseInsensitive) {
    EXPECT_EQ(DebugLevelStr2Value("DirectDraw"), DEBUG_DIRECTDRAW);
    EXPECT_EQ(DebugLevelStr2Value("ALL"), DEBUG_ALL);
}

using DebugStringDeathTest = DebugStringTest;

TEST_F(DebugStringDeathTest, ZeroIsLookedUpAsAName) {
    EXPECT_FATAL(DebugProcessDebugString("0"), "DebugLevelStr2Value\\(\\): failed to find debug level");
}

TEST_F(DebugStringDeathTest, UnknownNameAfterAGoodPairStillAborts) {
    EXPECT_FATAL(DebugProcessDebugString("general=2,bogus=3"),
                 "Setting 'general' to 2(.|\n)*failed to find debug level");
}

TEST_F(DebugStringDeathTest, NameWithoutLevelIsInvalid) {
    EXPECT_FATAL(DebugProcessDebugString("general"), "DebugProcessDebugString\\(\\): invalid string");
    EXPECT_FATAL(DebugProcessDebugString("general=,poll=3"), "invalid string");
}

TEST_F(DebugStringDeathTest, OverlongStringAborts) {
    std::string text(257, 'a');
    EXPECT_FATAL(DebugProcessDebugString(text.c_str()), "DebugProcessDebugString\\(\\): string too long");
}

TEST(FatalErrorDeathTest, AbortErrorNamesModuleAndLine) {
    EXPECT_FATAL(AbortError("poll", 42, "something broke"),
                 "Abort error: something broke\n\\(File: poll  Line: 42\\)");
}

TEST(FatalErrorDeathTest, MessageIsFramedBySeparators) {
    std::string dashes(75, '-');
    EXPECT_FATAL(FatalError("boom %d\n", 7), "\n" + dashes + "\n\nboom 7\n\n" + dashes + "\n");
}

TEST(FatalErrorDeathTest, LongMessagesAreCutAt511Characters) {
    std::string text(600, 'x');
    std::string kept(511, 'x');
    // The cut text is followed directly by the closing separator.
    EXPECT_FATAL(FatalError("%s", text.c_str()), kept + "\n-{75}");
}

TEST(DebugHexDump, PrintsOffsetsPrintableAndHexBytes) {
    unsigned char bytes[17] = {'A', 0x01};
    StdoutCapture out;
    DebugHexDump(bytes, 17);
    std::string text = out.Text();
    EXPECT_EQ(text.substr(0, 15), "00000000: A  01");
    EXPECT_NE(text.find("\n00000010: 00\n"), std::string::npos);
}

}  // namespace
