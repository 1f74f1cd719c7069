#include "core/season/messagetexts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/records/messagetemplates.h"
#include "core/season/messages.h"
#include "tests/core/season/season_fixture.h"

namespace {

class MessageTextsTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        for (int16_t club : {3, 4}) {
            std::memset(ClubNameRecords[club].text, 0, sizeof ClubNameRecords[club].text);
            std::memcpy(ClubNameRecords[club].text[0], "Harrowgate", 10);
        }
        SetPlayerSurname(5, "Tallis");
        SetPlayerSurname(6, "Marrow");
    }

    // Every argument slot filled, as the richest poster would.
    static void SetSampleArgs() {
        const int16_t clubs[2] = {3, 4};
        const uint16_t players[2] = {5, 6};
        const int16_t numbers[2] = {12, 3};
        const int16_t texts[2] = {300, 301};
        const int32_t money = 1250000;
        const uint8_t date[4] = {14, 2, 0xD3, 0x07};
        for (int i = 0; i < 2; ++i) {
            TextMsg_SetArg(TEXTMSG_CLUB, &clubs[i]);
            TextMsg_SetArg(TEXTMSG_PLAYER, &players[i]);
            TextMsg_SetArg(TEXTMSG_NUMBER, &numbers[i]);
            TextMsg_SetArg(TEXTMSG_LIST_TEXT, &texts[i]);
            TextMsg_SetArg(TEXTMSG_DATE, date);
            TextMsg_SetArg(TEXTMSG_STRING, "sample");
        }
        TextMsg_SetArg(TEXTMSG_MONEY, &money);
    }

    static void ExpectExpands(const char* text, const std::string& what) {
        ASSERT_NE(text, nullptr) << what;
        SetSampleArgs();
        const std::string out = TextMsg_Expand(text);
        EXPECT_EQ(out.find('$'), std::string::npos) << what << ": \"" << text << "\" gives \"" << out << "\"";
        if (text[0] != '\0') {
            EXPECT_FALSE(out.empty()) << what;
        }
    }
};

TEST_F(MessageTextsTest, EveryNumberExpandsItsTitleHeadlinesAndBodies) {
    for (int n = 0; n < kMessageTypeCount; ++n) {
        const std::string number = "message " + std::to_string(n);
        ExpectExpands(MessageTitleTemplates[n], number + " title");
        for (int v = 0; v < kHeadlineVariants; ++v) {
            ExpectExpands(MessageHeadlineTemplates[n][v], number + " headline " + std::to_string(v));
        }
        int bodies = 0;
        while (bodies < kMaxMessageBodies && MessageBodyTemplates[n][bodies] != nullptr) {
            ExpectExpands(MessageBodyTemplates[n][bodies], number + " body " + std::to_string(bodies));
            ++bodies;
        }
        EXPECT_GE(bodies, 1) << number;
        EXPECT_LE(bodies, 5) << number;
        for (int b = bodies; b < kMaxMessageBodies; ++b) EXPECT_EQ(MessageBodyTemplates[n][b], nullptr);
    }
}

TEST_F(MessageTextsTest, EveryNumberThatReachesTheNewsHasFiveHeadlines) {
    for (int16_t n = 0; n < kMessageTypeCount; ++n) {
        const bool keptEmpty = n == 36 || n == 122 || n == 215 || n == 292;
        if (keptEmpty) {
            for (const char* h : MessageHeadlineTemplates[n]) EXPECT_STREQ(h, "") << n;
            continue;
        }
        if (!(GetMessageDelivery(n) & kDeliverArchive)) continue;
        for (const char* h : MessageHeadlineTemplates[n]) EXPECT_STRNE(h, "") << n;
    }
}

TEST_F(MessageTextsTest, TitlesAndQuotedWordsStandAsWritten) {
    EXPECT_STREQ(MessageTitleTemplates[0], "$0p Deal Is Sealed");
    EXPECT_STREQ(MessageTitleTemplates[2], "");
    EXPECT_STREQ(MessageTitleTemplates[158], "$0p To Leave On A Free");
    EXPECT_STREQ(MessageTitleTemplates[292], "Financial Troubles");
    EXPECT_STREQ(MessageHeadlineTemplates[124][2], "$0g away tie for $1t verses $0r");
    EXPECT_STREQ(MessageHeadlineTemplates[283][0], "$0p injured in freak accident.");
    EXPECT_STREQ(MessageBodyTemplates[10][1],
                 "Todays league fixture between $0t and $1t has been called off due to adverse weather "
                 "conditions.");
    EXPECT_STREQ(MessageBodyTemplates[97][0],
                 "$0t $0g $0p has activated his relegation release clause and placed himself on the transfer "
                 "list.");
}

}  // namespace
