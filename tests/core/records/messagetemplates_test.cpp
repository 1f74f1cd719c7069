// Message templates: argument slots, placeholders, dates and wordings.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/base/corehooks.h"
#include "core/records/messagetemplates.h"
#include "core/records/records.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"

namespace {

class TextMsgTest : public ::testing::Test {
  protected:
    void SetUp() override { TextMsg_ResetArgs(); }
    void TearDown() override { TextMsg_ResetArgs(); }

    static void SetNumber(int16_t n) { TextMsg_SetArg(TEXTMSG_NUMBER, &n); }
    static void SetDate(int8_t day, int8_t month, int16_t year) {
        uint8_t bytes[4] = {uint8_t(day), uint8_t(month), 0, 0};
        std::memcpy(bytes + 2, &year, 2);
        TextMsg_SetArg(TEXTMSG_DATE, bytes);
    }
    static std::string Expand(const char* t) { return TextMsg_Expand(t); }
};

TEST_F(TextMsgTest, PlainTextAndNumbers) {
    SetNumber(7);
    SetNumber(12);
    SetNumber(99);  // both slots full: dropped
    EXPECT_EQ(Expand("goals: $0n and $1n"), "Goals: 7 and 12");
    // The slots are empty again, and empty numbers show nothing.
    EXPECT_EQ(TextMsgArgs.number[0], -1);
    EXPECT_EQ(Expand("[$0n]"), "[]");
    SetNumber(-5);
    EXPECT_EQ(Expand("[$0n]"), "[]");
}

TEST_F(TextMsgTest, DollarSignsAndSlotDigits) {
    SetNumber(3);
    // "$$" writes a dollar sign and its second "$" starts a placeholder.
    EXPECT_EQ(Expand("cost $$0n"), "Cost $3");
    SetNumber(3);
    EXPECT_EQ(Expand("$2n|$9s|$0s"), "||");
    // "$" as the kind letter does the same: a dollar sign, then a placeholder.
    SetNumber(4);
    EXPECT_EQ(Expand("cost $0$0n"), "Cost $4");
    // A placeholder cut short by the end of the template ends the text.
    EXPECT_EQ(Expand("end $"), "End ");
    EXPECT_EQ(Expand("end $0"), "End ");
    EXPECT_EQ(Expand("end $0d"), "End ");
}

TEST_F(TextMsgTest, StringsAreCutAt200) {
    std::string long_text(250, 'x');
    TextMsg_SetArg(TEXTMSG_STRING, long_text.c_str());
    TextMsg_SetArg(TEXTMSG_STRING, "second");
    EXPECT_EQ(Expand("$0s"), "X" + std::string(199, 'x') + "...");
    TextMsg_SetArg(TEXTMSG_STRING, std::string(200, 'y').c_str());
    EXPECT_EQ(std::strlen(TextMsgArgs.string[0]), 200u);
}

TEST_F(TextMsgTest, OutputIsBounded) {
    std::string long_text(200, 'z');
    std::string tmpl;
    for (int i = 0; i < 20; ++i) tmpl += "$0s$1s";
    TextMsg_SetArg(TEXTMSG_STRING, long_text.c_str());
    TextMsg_SetArg(TEXTMSG_STRING, long_text.c_str());
    // Forty strings of 200 characters would need 8000 bytes.
    std::string out = Expand(tmpl.c_str());
    EXPECT_EQ(out.size(), size_t(TEXTMSG_OUTPUT_SIZE - 1));
    EXPECT_EQ(Expand(std::string(5000, 'a').c_str()).size(), size_t(TEXTMSG_OUTPUT_SIZE - 1));
}

TEST_F(TextMsgTest, SingleKindsAreOverwritten) {
    int32_t money = 5;
    TextMsg_SetArg(TEXTMSG_MONEY, &money);
    money = 8;
    TextMsg_SetArg(TEXTMSG_MONEY, &money);
    EXPECT_EQ(TextMsgArgs.money, 8);
    uint16_t w = 4;
    TextMsg_SetArg(TEXTMSG_WORD3, &w);
    EXPECT_EQ(TextMsgArgs.word3, 4);
    TextMsg_SetArg(9, &w);  // ignored
    TextMsg_SetArg(TEXTMSG_NUMBER, nullptr);
    EXPECT_EQ(TextMsgArgs.number[0], -1);
    EXPECT_EQ(std::string(TextMsg_Expand(nullptr)), "");
    money = 8;
    TextMsg_SetArg(TEXTMSG_MONEY, &money);
    TextMsg_SetArg(TEXTMSG_WORD3, &w);
    Expand("");
    EXPECT_EQ(TextMsgArgs.money, -1);
    EXPECT_EQ(TextMsgArgs.word2, 0);
    EXPECT_EQ(TextMsgArgs.word3, 65535);
}

TEST_F(TextMsgTest, NumericDates) {
    SetDate(5, 3, 2003);
    EXPECT_EQ(Expand("on $0d2."), "On 5/3/2003.");
    SetDate(5, 3, 2003);
    SetDate(9, 4, 2004);
    EXPECT_EQ(Expand("$0d2 - $2d2"), "5/3/2003-9/4/2004");
    SetDate(5, 3, 2003);
    SetDate(9, 4, 2004);
    EXPECT_EQ(Expand("$1d2-1d2!"), "9/4/2004-5/3/2003!");
    // An empty date writes nothing but its style digit is consumed.
    EXPECT_EQ(Expand("[$0d1]"), "[]");
    // The second date of a range is taken as stored, empty or not.
    SetDate(5, 3, 2003);
    EXPECT_EQ(Expand("$0d2-$2d2"), "5/3/2003--1/-1/  -1");
    // No range: the rest is plain text.
    SetDate(5, 3, 2003);
    EXPECT_EQ(Expand("$0d2 - $3d2"), "5/3/2003 - ");
}

using TextMsgDeathTest = TextMsgTest;

TEST_F(TextMsgDeathTest, UnknownLetterIsFatal) {
    EXPECT_FATAL(Expand("$0x"), "unknown string type in message string\n\\(File: textmsg  Line: 422\\)");
}

TEST_F(TextMsgTest, SetArgFillsFirstEmptySlot) {
    int16_t c = 5, d = 6, e = 7;
    TextMsg_SetArg(TEXTMSG_CLUB, &c);
    TextMsg_SetArg(TEXTMSG_CLUB, &d);
    TextMsg_SetArg(TEXTMSG_CLUB, &e);
    EXPECT_EQ(TextMsgArgs.club[0], 5);
    EXPECT_EQ(TextMsgArgs.club[1], 6);
    const uint16_t saved_count = PlayerCount;
    PlayerCount = 50;
    uint16_t p0 = 0, p1 = 50, p2 = 49;
    TextMsg_SetArg(TEXTMSG_PLAYER, &p0);
    TextMsg_SetArg(TEXTMSG_PLAYER, &p1);
    EXPECT_EQ(TextMsgArgs.player[0], 0);
    TextMsg_SetArg(TEXTMSG_PLAYER, &p2);
    EXPECT_EQ(TextMsgArgs.player[0], p2);
    PlayerCount = saved_count;
    Expand("");
    EXPECT_EQ(TextMsgArgs.club[0], -1);
    EXPECT_EQ(TextMsgArgs.club[1], -1);
    EXPECT_EQ(TextMsgArgs.player[0], 0);
}

TEST(TextMsgWording, TablesAndIndices) {
    EXPECT_EQ(TextMsg_GetCupWordingIndex(5, 4), 0);
    EXPECT_EQ(TextMsg_GetCupWordingIndex(3, 6), 1);
    EXPECT_EQ(TextMsg_GetCupWordingIndex(0, 3), 5);
    EXPECT_EQ(TextMsg_GetCupWordingIndex(1, 3), -1);
    EXPECT_EQ(TextMsg_GetCupWordingIndex(9, 0), -1);
    EXPECT_EQ(TextMsg_GetCupWordingIndex(0, 7), -1);
    EXPECT_STREQ(TextMsg_GetCompetitionWording(0, 0), "the Continental Cup");
    EXPECT_STREQ(TextMsg_GetCompetitionWording(3, 2), "out of the Association Cup");
    EXPECT_STREQ(TextMsg_GetCompetitionWording(1, 15), "of the Portuguese Cup");
    EXPECT_STREQ(TextMsg_GetCompetitionWording(2, 16), "");
    EXPECT_STREQ(TextMsg_GetCompetitionWording(4, 5), "from Serie $0g");
    EXPECT_STREQ(TextMsg_GetCompetitionWording(6, 17), "in the Portuguese Third Division");
    EXPECT_STREQ(TextMsg_GetCompetitionWording(5, 18), "");
    EXPECT_STREQ(TextMsg_GetCompetitionWording(7, 0), "");
    EXPECT_STREQ(TextMsg_GetCompetitionWording(0, -1), "");
    EXPECT_STREQ(TextMsg_GetCompetitionWording(0, 19), "");
}

TEST(TextMsgWording, DivisionPhrases) {
    TextMsg_ResetArgs();
    EXPECT_STREQ(TextMsg_GetDivisionWording(0, 0, 5), "in the Premier Division");
    EXPECT_STREQ(TextMsg_GetDivisionWording(0, 2, 5), "in Division 2");
    EXPECT_STREQ(TextMsg_GetDivisionWording(0, 4, 4), "from Division $0n");  // not expanded
    EXPECT_STREQ(TextMsg_GetDivisionWording(0, 5, 5), "");                   // no such division
    EXPECT_STREQ(TextMsg_GetDivisionWording(1, 1, 5), "in Division 1");
    EXPECT_STREQ(TextMsg_GetDivisionWording(4, 1, 5), "in the Spanish Second Division");
    EXPECT_STREQ(TextMsg_GetDivisionWording(6, 1, 5), "in Division 1");
    EXPECT_STREQ(TextMsg_GetDivisionWording(6, 2, 6), "in the National Division");
    EXPECT_STREQ(TextMsg_GetDivisionWording(7, 0, 5), "in the Portuguese First Division");
    EXPECT_STREQ(TextMsg_GetDivisionWording(8, 0, 5), "");
    EXPECT_STREQ(TextMsg_GetDivisionWording(0, 0, 7), "");
}

}  // namespace

namespace {

// Templates whose placeholders need language texts, clubs and players.
class TextMsgNamesTest : public TextMsgTest {
  protected:
    void SetUp() override {
        TextMsgTest::SetUp();
        // Month names as the language file numbers them: January is text 9.
        testenv::LoadTexts({{9, "January"},
                            {11, "March"},
                            {12, "April"},
                            {20, "December"},
                            {21, "not a month"},
                            {434, "$"},
                            {435, "."},
                            {438, "k"},
                            {1107, "the"},
                            {1751, "B"},
                            {1777, "2. Bundesliga"},
                            {2612, "ITAItaly"},
                            {40, "forty"}});
        SetClubNames(5, "Ashford", "Mill Lane", "Millers");
        SetClubNames(6, "Barton", "No Stadium Name", "No Nickname");
        saved_player_count_ = PlayerCount;
        PlayerCount = 100;
        SetPlayerSurname(17, "Smith");
        SetPlayerInitial(17, 10);  // J
        SetPlayerSurname(18, "Pele");
        SetPlayerInitial(18, 0);
    }
    void TearDown() override {
        PlayerCount = saved_player_count_;
        for (int c : {5, 6}) std::memset(&ClubNameRecords[c], 0, sizeof ClubNameRecords[c]);
        testenv::UnloadTexts();
        TextMsgTest::TearDown();
    }
    static void SetClubNames(int club, const char* name, const char* stadium, const char* nickname) {
        std::memset(&ClubNameRecords[club], 0, sizeof ClubNameRecords[club]);
        std::strcpy(ClubNameRecords[club].text[0], name);
        std::strcpy(ClubNameRecords[club].text[1], stadium);
        std::strcpy(ClubNameRecords[club].text[2], nickname);
    }
    static void SetClub(int16_t c) { TextMsg_SetArg(TEXTMSG_CLUB, &c); }
    static void SetPlayer(uint16_t p) { TextMsg_SetArg(TEXTMSG_PLAYER, &p); }
    static void SetList(int16_t id) { TextMsg_SetArg(TEXTMSG_LIST_TEXT, &id); }

    uint16_t saved_player_count_ = 0;
};

TEST_F(TextMsgNamesTest, PlayersAndClubs) {
    SetPlayer(17);
    SetClub(5);
    // No date: 5 - 1 - 1 = 3, remainder 0, the stadium.
    EXPECT_EQ(Expand("$0p hopes for move to $0c"), "J.Smith hopes for move to Mill Lane");
    SetPlayer(18);
    SetClub(5);
    SetClub(6);
    EXPECT_EQ(Expand("$0p of $0t and $1t"), "Pele of Ashford and Barton");
}

TEST_F(TextMsgNamesTest, VariedClubFormsFollowTheDate) {
    // Club 5 + day + month picks the form: c by the remainder of 3, r of 2.
    SetClub(5);
    SetDate(1, 3, 2003);  // 9: c remainder 0, r remainder 1
    EXPECT_EQ(Expand("$0c/$0r"), "Mill Lane/Ashford");
    SetClub(5);
    SetDate(2, 3, 2003);  // 10: c remainder 1, r remainder 0
    EXPECT_EQ(Expand("$0c/$0r"), "The Millers/the Millers");
    SetClub(5);
    SetDate(3, 3, 2003);  // 11: c remainder 2
    EXPECT_EQ(Expand("x $0c"), "X Ashford");
    // The second date slot is chosen by the digit.
    SetClub(5);
    SetDate(1, 3, 2003);
    SetDate(2, 3, 2003);
    EXPECT_EQ(Expand("$1c"), "The Millers");
    // Placeholder names and nicknames fall back to the club's name.
    SetClub(6);
    SetDate(1, 1, 2003);  // 8: c remainder 2 -> name; r remainder 0 -> nickname form
    EXPECT_EQ(Expand("$0r"), "The Barton");
    SetClub(6);
    SetDate(1, 0, 2003);  // 7 (month 0 is no month, but counts in the sum): c remainder 1
    EXPECT_EQ(Expand("$0c"), "The Barton");
    SetClub(6);
    SetDate(0, 0, 2003);  // 6: c remainder 0 -> stadium placeholder -> name
    EXPECT_EQ(Expand("$0c"), "Barton");
    // A negative sum is "any other remainder": the club's name.
    SetClub(1);
    std::strcpy(ClubNameRecords[1].text[0], "Zeta");
    EXPECT_EQ(Expand("$0c $0r"), "Zeta Zeta");  // 1 - 2 = -1
    std::memset(&ClubNameRecords[1], 0, sizeof ClubNameRecords[1]);
    // No club in slot 0: nothing.
    EXPECT_EQ(Expand("[$0c]"), "[]");
}

TEST_F(TextMsgNamesTest, MoneyListTextsAndStrings) {
    CoreHooks hooks;
    hooks.moneyText = [](int32_t amount) {
        static char text[16];
        std::snprintf(text, sizeof text, "<%d>", amount);
        return static_cast<const char*>(text);
    };
    CoreSetHooks(hooks);
    int32_t money = 2500;
    TextMsg_SetArg(TEXTMSG_MONEY, &money);
    EXPECT_EQ(Expand("fee $$0m or $1m"), "Fee $<2500> or <2500>");
    money = -1;
    TextMsg_SetArg(TEXTMSG_MONEY, &money);
    EXPECT_EQ(Expand("fee [$0m]"), "Fee []");
    CoreSetHooks(CoreHooks{});
    SetList(2612);
    SetList(40);
    EXPECT_EQ(Expand("$0g and $1g"), "Italy and forty");
    SetList(-1);
    EXPECT_EQ(Expand("[$0g]"), "[]");
}

// A template's slot digit other than 0 or 1 names no slot: nothing is
// written for it, though every slot beside the two holds something that
// would show had it been read.
TEST_F(TextMsgNamesTest, SlotDigitsOtherThanZeroAndOneNameNothing) {
    SetClub(5);
    SetPlayer(5);
    const uint16_t word2 = 17;
    TextMsg_SetArg(TEXTMSG_WORD2, &word2);
    SetDate(7, 3, 2003);
    SetList(41);
    TextMsg_SetArg(TEXTMSG_STRING, "(");
    // With no date in the slot the varied club is 5 - 1 - 1 = 3 (the stadium).
    EXPECT_EQ(Expand("[$2t|$2p|$2n|$2g|$2c]"), "[||||Mill Lane]");
    // Past the last slot of all, and an empty club slot, read nothing either.
    TextMsg_SetArg(TEXTMSG_STRING, "(");
    EXPECT_EQ(Expand("[$2s|$0t]"), "[|]");
}

TEST_F(TextMsgNamesTest, NamedDates) {
    SetDate(5, 3, 2003);
    EXPECT_EQ(Expand("$0d1"), "5 March 2003");
    SetDate(5, 3, -1);
    EXPECT_EQ(Expand("$0d1"), "5 March");
    SetDate(-1, 3, 2003);
    EXPECT_EQ(Expand("$0d1"), "March 2003");
    SetDate(5, 13, 2003);  // no such month: no name
    EXPECT_EQ(Expand("$0d1"), "5  2003");
}

TEST_F(TextMsgNamesTest, DateRanges) {
    auto range = [&](int8_t d1, int8_t m1, int16_t y1, int8_t d2, int8_t m2, int16_t y2, const char* t) {
        SetDate(d1, m1, y1);
        SetDate(d2, m2, y2);
        return Expand(t);
    };
    EXPECT_EQ(range(5, 3, 2003, 9, 3, 2003, "$0d1-$2d2"), "5-9 March 2003");
    EXPECT_EQ(range(5, 3, 2003, 9, 4, 2003, "$0d1 - $2d2"), "5 March - 9 April 2003");
    EXPECT_EQ(range(31, 12, 2003, 2, 1, 2004, "$0d1 -2d2"), "31 December 2003 - 2 January 2004");
    EXPECT_EQ(range(5, 3, -1, 9, 3, 2003, "$0d1- 2d2"), "5-9 March");
    EXPECT_EQ(range(5, 3, 2003, 9, 4, -1, "$0d1-$2d2"), "5 March - 9 April");
    // Not a range: the second part stays text.
    EXPECT_EQ(range(5, 3, 2003, 9, 4, 2003, "$0d1 to $1d1"), "5 March 2003 to 9 April 2003");
    EXPECT_EQ(range(5, 3, 2003, 9, 4, 2003, "$0d1-$2d1"), "5 March 2003-");
}

TEST_F(TextMsgNamesTest, DivisionPhrasesWithListTexts) {
    EXPECT_STREQ(TextMsg_GetDivisionWording(2, 1, 5), "in Serie B");
    EXPECT_STREQ(TextMsg_GetDivisionWording(3, 1, 4), "from Liga 2. Bundesliga");
    EXPECT_STREQ(TextMsg_GetDivisionWording(3, 4, 5), "");  // Germany has four divisions
}

}  // namespace
