// Money, ordinal and number formats, with their words from the language texts.
#include <gtest/gtest.h>

#include <string>

#include "menus/exm_text.h"
#include "menus/exmenu.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"

namespace {

class NumberFormatTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testenv::LoadTexts({{263, "st"},
                            {264, "nd"},
                            {265, "rd"},
                            {266, "th"},
                            {433, "Nil"},
                            {434, "$"},
                            {435, "."},
                            {436, "bn"},
                            {437, "m"},
                            {438, "k"}});
    }
    void TearDown() override {
        SetDrawParam(3, NUMBER_PLAIN);
        testenv::UnloadTexts();
    }
};

TEST_F(NumberFormatTest, ShortMoney) {
    EXPECT_STREQ(Price2str(0), "$0");
    EXPECT_STREQ(Price2str(999), "$999");
    EXPECT_STREQ(Price2str(-2500), "-$2.5k");
    EXPECT_STREQ(Price2str(1500000), "$1.5m");
    EXPECT_STREQ(Price2str(1050000), "$1.05m");
    EXPECT_STREQ(Price2str(1005000), "$1.005m");
    EXPECT_STREQ(Price2str(1000000), "$1m");
    EXPECT_STREQ(Price2str(2147483647), "$2.147bn");
    EXPECT_STREQ(Price2str(-2147483647 - 1), "-$2.147bn");
}

TEST_F(NumberFormatTest, PlainMoney) {
    EXPECT_STREQ(Price2strPlain(0), "Nil");
    EXPECT_STREQ(Price2strPlain(999), "999");
    EXPECT_STREQ(Price2strPlain(1050000), "1.0m");
    EXPECT_STREQ(Price2strPlain(1550000), "1.5m");
    EXPECT_STREQ(Price2strPlain(-12000), "-12k");
}

TEST_F(NumberFormatTest, Number2StrFollowsTheNumberType) {
    SetDrawParam(3, NUMBER_ORDINAL);
    const int n[] = {1, 2, 3, 4, 11, 12, 13, 21, 102, 111, -1};
    const char* expect[] = {"1st",  "2nd",  "3rd",   "4th",   "11th", "12th",
                            "13th", "21st", "102nd", "111th", "-1th"};
    for (int i = 0; i < 11; ++i) EXPECT_STREQ(Number2Str(n[i]), expect[i]) << n[i];
    SetDrawParam(3, NUMBER_TWO_DIGITS);
    EXPECT_STREQ(Number2Str(2007), "07");
    EXPECT_STREQ(Number2Str(-5), "-5");
    SetDrawParam(3, NUMBER_MONEY);
    EXPECT_STREQ(Number2Str(2500), "$2.5k");
    SetDrawParam(3, NUMBER_MONEY_PLAIN);
    EXPECT_STREQ(Number2Str(0), "Nil");
    SetDrawParam(3, NUMBER_PLAIN);
    const char* first = Number2Str(42);
    EXPECT_STREQ(first, "42");
    Number2Str(7);
    EXPECT_STREQ(first, "7");  // one shared buffer
}

TEST(DrawParam, KindsSetTheirFields) {
    SetDrawParam(7, 50);
    EXPECT_EQ(TextOpacity, 127);
    SetDrawParam(7, 100);
    EXPECT_EQ(TextOpacity, 255);
    SetDrawParam(5, 12);
    EXPECT_EQ(CurrentListEntry, 12);
    SetDrawParam(9, 12);
    EXPECT_EQ(CurrentListEntry, -1);
    SetDrawParam(2, 0x1234);
    SetDrawParam(0, 7);
    SetDrawParam(10, 7);
    EXPECT_EQ(DrawColour, 0x1234);
    EXPECT_EQ(CurrentNumberType, NUMBER_PLAIN);
}

using NumberFormatDeathTest = NumberFormatTest;

TEST_F(NumberFormatDeathTest, UnknownNumberTypeIsFatal) {
    SetDrawParam(3, 5);
    EXPECT_FATAL(Number2Str(1), "Number2Str\\(\\): Invalid number type \\(5\\)");
}

}  // namespace
