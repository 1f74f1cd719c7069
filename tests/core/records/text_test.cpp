// Loading a language through the pak layer, and GetText over its id ranges.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/base/debug.h"
#include "core/records/records.h"
#include "core/records/text.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"

namespace {

class TextTest : public ::testing::Test {
  protected:
    void TearDown() override {
        testenv::UnloadTexts();
        DebugSetLevel(DEBUG_ALL, 0);
    }
};

TEST_F(TextTest, LanguageTextsComeFromTheFile) {
    testenv::LoadTexts(
        {{1, "One"}, {10, "Line\nfeed \"q\""}, {2610, "ENGEngland"}, {2725, "ATGAntigua"}, {3200, "Last"}});
    EXPECT_STREQ(GetText(0), "");
    EXPECT_STREQ(GetText(1), "One");
    EXPECT_STREQ(GetText(10), "Line\nfeed \"q\"");
    EXPECT_STREQ(GetText(3200), "Last");
    // Nations: their language text without its three-letter code.
    EXPECT_STREQ(GetText(5200), "England");
    EXPECT_STREQ(GetText(5315), "Antigua");
}

TEST_F(TextTest, IdsThatNameNothingGiveTheEmptyText) {
    testenv::LoadTexts({{0, "First"}, {3200, "Last"}, {2611, "SC"}});
    EXPECT_STREQ(GetText(-1), "");
    EXPECT_STREQ(GetText(-32768), "");
    EXPECT_STREQ(GetText(3201), "");
    EXPECT_STREQ(GetText(3999), "");
    EXPECT_STREQ(GetText(5368), "");
    EXPECT_STREQ(GetText(32767), "");
    // A nation text shorter than its code gives the empty text, not what follows it.
    EXPECT_STREQ(GetText(5201), "");
}

TEST_F(TextTest, BuiltInTexts) {
    EXPECT_STREQ(GetText(5316), "No fixtures left in this competition");
    EXPECT_STREQ(GetText(5316 + 8), "sus");
    EXPECT_STREQ(GetText(5316 + 45), "Fixtures/Soak");
    for (int e = 46; e <= 50; ++e) EXPECT_STREQ(GetText(int16_t(5316 + e)), "") << e;
    EXPECT_STREQ(GetText(5367), "load-eng");
}

TEST_F(TextTest, ClubNamesComeFromTheNameRecords) {
    std::memcpy(ClubNameRecords[0].text[0], "Ashford Town\0", 13);
    std::memcpy(ClubNameRecords[1199].text[0], "ABCDEFGHIJKLMNOPQRST", 20);  // fills its field
    std::memcpy(ClubNameRecords[1199].text[1], "Stadium", 8);
    const char* first = GetText(4000);
    EXPECT_STREQ(first, "Ashford Town");
    const char* last = GetText(5199);
    EXPECT_STREQ(last, "ABCDEFGHIJKLMNOPQRST");
    // Each club's name has a place of its own: a screen keeping several
    // clubs' names shows each (one shared place showed the last everywhere).
    EXPECT_STREQ(first, "Ashford Town");
    EXPECT_NE(first, last);
    std::memset(ClubNameRecords[0].text, 0, sizeof ClubNameRecords[0].text);
    std::memset(ClubNameRecords[1199].text, 0, sizeof ClubNameRecords[1199].text);
}

TEST_F(TextTest, ReloadReplacesAndUninitClears) {
    testenv::LoadTexts({{5, "first"}});
    EXPECT_STREQ(GetText(5), "first");
    testenv::LoadTexts({{5, "second"}, {6, "more"}});
    EXPECT_STREQ(GetText(5), "second");
    EXPECT_EQ(TextTable[7] - TextTable[6], 5u);
    UninitText();
    EXPECT_STREQ(GetText(5), "");
    for (uint32_t offset : TextTable) ASSERT_EQ(offset, 0u);
}

TEST_F(TextTest, LoadingLogsSizesAtLevelFifty) {
    std::string file = testenv::TextFileSource({{1, "abc"}});
    DebugSetLevel(DEBUG_GENERAL, 50);
    StdoutCapture out;
    testenv::LoadTextFile(file);
    std::string text = out.Text();
    EXPECT_NE(text.find("Loading a language (textfile\\engtext.c):\nInital text size - " +
                        std::to_string(file.size()) + " bytes\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Final text size - " + std::to_string(TEXT_COUNT + 3) + " bytes\n"),
              std::string::npos);
}

using TextDeathTest = TextTest;

TEST_F(TextDeathTest, UnknownLanguageAndBrokenFilesAreFatal) {
    EXPECT_FATAL(InitText(5), "InitText\\(\\) I have no knowlage of this case");
    std::string short_file = testenv::TextFileSource({});
    short_file = short_file.substr(0, short_file.find("/* 3200 */"));
    EXPECT_FATAL(testenv::LoadTextFile(short_file),
                 "\\(textfile\\\\engtext.c\\) Number of comments incorect - 3200 - should be 3201");
}

TEST(TextFiles, LanguagesAndTheirFiles) {
    EXPECT_STREQ(TextFileName(9), "textfile\\engtext.c");
    EXPECT_STREQ(TextFileName(4), "textfile\\hv03chn.eng");
    EXPECT_STREQ(TextFileName(22), "textfile\\portext.c");
    EXPECT_EQ(TextFileName(0), nullptr);
    EXPECT_EQ(TextFileName(11), nullptr);
}

}  // namespace
