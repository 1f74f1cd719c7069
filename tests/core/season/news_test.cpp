#include "core/season/news.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/base/corehooks.h"
#include "core/base/debug.h"
#include "core/query/layerstate.h"
#include "core/query/scouting.h"
#include "core/records/messagetemplates.h"
#include "tests/core/season/season_fixture.h"

namespace {

using namespace recbits;

constexpr uint32_t kNoNewsPlayer = 0xFFFFFFFF;
constexpr int16_t kPlainType = 9;  // a number without a bonus

// A European nation and one elsewhere, other than nation 0, read from the
// region table.
int16_t NationInRegion(bool europe) {
    for (int16_t n = 1; n < 117; ++n) {
        if ((HVW_GetNationContinent(n) == 1) == europe) return n;
    }
    return -1;
}

class NewsTest : public SeasonTest {
  protected:
    void SetUp() override {
        SeasonTest::SetUp();
        SeasonCalendar.currentDay = 100;
        saved_viewed_ = HVW_GetViewedCountry();
        HVW_SetViewedCountry(0);
        savedHooks_ = CoreGetHooks();
        CoreSetHooks(CoreHooks{});
    }
    void TearDown() override {
        HVW_SetViewedCountry(saved_viewed_);
        CoreSetHooks(savedHooks_);
    }

    // Writes a record straight into a club's archive slot.
    static void Put(int16_t owner, int16_t slot, int16_t type, int day, int16_t clubA, int16_t clubB = -1,
                    uint32_t playerA = kNoNewsPlayer, int32_t money = -1) {
        uint8_t* r = MessageArchive[owner][slot].bytes;
        std::memset(r, 0xFF, kMessageRecordSize);
        StoreU16(r + kMsgClubA, uint16_t(clubA));
        StoreU16(r + kMsgClubB, uint16_t(clubB));
        StoreU32(r + kMsgPlayerA, playerA);
        StoreI32(r + kMsgMoney, money);
        StoreU16(r + kMsgType, uint16_t(type));
        StoreU16(r + kMsgDay, uint16_t(day));
    }
    // Slots after the written ones are last season's: they end every walk.
    static void EndArchive(int16_t owner, int16_t slot) { Put(owner, slot, kPlainType, 300, owner); }

    static int Listed(const FrontPageEntry* list) {
        int n = 0;
        while (n < kFrontPageEntries && list[n].slot != -1) ++n;
        return n;
    }

    static void NameClub(int16_t club, const char* name) {
        std::memset(ClubNameRecords[club].text[0], 0, kClubNameLength);
        std::memcpy(ClubNameRecords[club].text[0], name, std::strlen(name));
    }

    int16_t saved_viewed_ = 0;
    CoreHooks savedHooks_;
};

TEST_F(NewsTest, ScoreAddsOneFactorPerArgument) {
    MakeClub(1, 0, 0, 32);
    MakeClub(2, 0, 0, 16);
    Put(1, 0, kPlainType, 100, 1);
    int16_t count = 0;
    EXPECT_EQ(ScoreNewsItem(1, 0, &count), 5000);
    EXPECT_EQ(count, 1);
    Put(1, 0, kPlainType, 100, 1, 2);
    count = 0;
    EXPECT_EQ(ScoreNewsItem(1, 0, &count), 7500);
    EXPECT_EQ(count, 2);
    Put(1, 0, kPlainType, 100, 1, 2, kNoNewsPlayer, 1500000);
    count = 0;
    EXPECT_EQ(ScoreNewsItem(1, 0, &count), 8500);
    EXPECT_EQ(count, 3);
    // A fee that passes 32 bits once multiplied still scores right.
    Put(1, 0, kPlainType, 100, -1, -1, kNoNewsPlayer, 2100000000);
    count = 0;
    EXPECT_EQ(ScoreNewsItem(1, 0, &count), 1400000);
    // The biggest stories carry a bonus factor of their own.
    Put(1, 0, 284, 100, 1);
    count = 0;
    EXPECT_EQ(ScoreNewsItem(1, 0, &count), 35000);
    EXPECT_EQ(count, 2);
    // A rescheduled fixture is worth nothing.
    Put(1, 0, 147, 100, 1, 2);
    count = 5;
    EXPECT_EQ(ScoreNewsItem(1, 0, &count), 0);
    EXPECT_EQ(count, 0);
}

TEST_F(NewsTest, ABlankPlayerIsLoggedAndScoredAsNobody) {
    MakeClub(1, 0, 0, 32);
    SetPlayerReputation(5, 64 / 2);
    Put(1, 0, 40, 100, 1, -1, 0);
    int16_t count = 0;
    testing::internal::CaptureStdout();
    EXPECT_EQ(ScoreNewsItem(1, 0, &count), 5000);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error in message no 40 BLANK player 1\n");
    EXPECT_EQ(count, 2);
    Put(1, 0, 40, 100, 1, -1, 5);
    count = 0;
    EXPECT_EQ(ScoreNewsItem(1, 0, &count), 10000);
}

TEST_F(NewsTest, RankingTakesOnlyThisWeeksScoredNews) {
    MakeClub(1, 0, 0, 32);
    MakeClub(2, 0, 0, 16);
    Put(1, 0, kPlainType, 100, 1, 2);  // 3750
    Put(1, 1, kPlainType, 92, 1);      // older than a week: the walk ends here
    Put(1, 2, 20, 99, 1);              // so this one is never reached
    Put(2, 0, 147, 99, 1, 2);          // a new date is never news
    Put(2, 1, kPlainType, 98, -1);     // nothing to score
    Put(2, 2, 0xFFFF, 98, 2);          // an empty slot
    Put(2, 3, 400, 98, 2);             // no such number
    Put(2, 4, kPlainType, 97, 2);      // 2500
    Put(2, 5, kPlainType, 96, 1, 2);   // the same story as club 1's: not again
    EndArchive(2, 6);
    RankNationalNews(0);
    ASSERT_EQ(Listed(NationalNewsList), 2);
    EXPECT_EQ(NationalNewsList[0].club, 1);
    EXPECT_EQ(NationalNewsList[0].score, 3750);
    EXPECT_EQ(NationalNewsList[0].day, 100);
    EXPECT_EQ(NationalNewsList[1].club, 2);
    EXPECT_EQ(NationalNewsList[1].slot, 4);
    EXPECT_EQ(NationalNewsList[2].score, -1);
    // Last season's days never reach a list: the walk stops at them.
    Put(1, 0, kPlainType, 250, 1, 2);
    RankNationalNews(0);
    for (const FrontPageEntry& e : NationalNewsList) EXPECT_NE(e.club, 1);
    EXPECT_EQ(Listed(NationalNewsList), 2) << "club 2's copy of the story is listed now";
}

TEST_F(NewsTest, TwentyBestKeptAndShownNewestFirst) {
    // 21 clubs, one story each; a higher reputation on an older day.
    for (int16_t c = 0; c < 21; ++c) {
        MakeClub(c, 0, 0, int16_t(c + 10));
        Put(c, 0, kPlainType, 100 - c % 7, c);
        EndArchive(c, 1);
    }
    RankNationalNews(0);
    ASSERT_EQ(Listed(NationalNewsList), 20);
    for (const FrontPageEntry& e : NationalNewsList) EXPECT_NE(e.club, 0) << "the lowest score is dropped";
    for (int i = 1; i < kFrontPageEntries; ++i) {
        const FrontPageEntry &a = NationalNewsList[i - 1], &b = NationalNewsList[i];
        ASSERT_GE(a.day, b.day);
        if (a.day == b.day) {
            EXPECT_GE(a.score, b.score) << "one day keeps the score order";
        }
    }
}

TEST_F(NewsTest, EachListTakesItsOwnClubs) {
    const int16_t europe = NationInRegion(true), elsewhere = NationInRegion(false);
    ASSERT_GE(europe, 1);
    ASSERT_GE(elsewhere, 1);
    HVW_SetViewedCountry(0);
    // Club 0..4: the viewed country, its club outside the leagues, another
    // European nation, a nation outside Europe, a viewed club outside Europe.
    MakeClub(0, 0, 1, 20);
    MakeClub(1, 0, 6, 20);
    MakeClub(2, europe, 0, 20);
    MakeClub(3, elsewhere, 0, 20);
    for (int16_t c = 0; c < 4; ++c) {
        Put(c, 0, kPlainType, 100, c);
        EndArchive(c, 1);
    }
    auto clubs = [](const FrontPageEntry* list) {
        std::string s;
        for (int i = 0; i < kFrontPageEntries && list[i].club != -1; ++i) s += char('0' + list[i].club);
        return s;
    };
    RankWorldNews();
    RankEuropeanNews();
    EXPECT_EQ(clubs(WorldNewsList), "3");
    EXPECT_EQ(clubs(EuropeanNewsList), "2");
    RankNationalNews(0);
    EXPECT_EQ(clubs(NationalNewsList), "01");
    RankNationalOtherNews(0);
    EXPECT_EQ(clubs(NationalNewsList), "1");
    // The viewed country is left out of the wider lists.
    HVW_SetViewedCountry(elsewhere);
    RankWorldNews();
    EXPECT_EQ(clubs(WorldNewsList), "");
}

TEST_F(NewsTest, HeadlinesAndTitles) {
    NameClub(4, "Aldmoor Rovers");
    int16_t club = 4;
    TextMsg_SetArg(TEXTMSG_CLUB, &club);
    EXPECT_STREQ(GenerateHeadline(45, 4), "Aldmoor Rovers go down");
    TextMsg_SetArg(TEXTMSG_CLUB, &club);
    testing::internal::CaptureStdout();
    const std::string text = GenerateHeadline(45, 9);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nInvalid Index in Messages GenerateHeadline()\n");
    EXPECT_EQ(text, "Aldmoor Rovers relegated");
    EXPECT_STREQ(GetMessageTitle(11), "New Attendance Record");
    TextMsg_SetArg(TEXTMSG_CLUB, &club);
    EXPECT_STREQ(GenerateHeadline(500, 0), "");
    EXPECT_STREQ(GetMessageTitle(12), "Biggest Win Ever") << "the unknown number left no argument behind";
}

TEST_F(NewsTest, NewsTickerOverTheUsersNation) {
    MakeUserClub(6);
    MakeClub(6, 0, 0, 20);
    BuildNewsTicker();
    EXPECT_STREQ(NewsTickerText, "       ");
    // Five stories about five clubs, all of number 45.
    std::string expected;
    for (int16_t c = 10; c < 16; ++c) {
        MakeClub(c, 0, 0, int16_t(60 - c));
        const std::string name = "Club" + std::to_string(c);
        NameClub(c, name.c_str());
        Put(c, 0, 45, 100, c, -1, kNoNewsPlayer);
        EndArchive(c, 1);
    }
    // Variant (club + player + day) mod 5, an absent player counting as
    // 0xFFFFFFFF: club 10 gives 10 - 1 + 100 = 109, variant 4.
    const char* variants[5] = {"%s relegated", "Relegation for sorry %s", " saddened by relegation",
                               "%s relegated after poor campaign", "%s go down"};
    for (int16_t c = 10; c < 15; ++c) {
        char line[80];
        std::snprintf(line, sizeof line, variants[(c - 1 + 100) % 5], ("Club" + std::to_string(c)).c_str());
        if (line[0] >= 'a' && line[0] <= 'z') line[0] = char(line[0] - 32);
        expected += std::string(line) + "........";
    }
    BuildNewsTicker();
    EXPECT_EQ(std::string(NewsTickerText), expected + "       ");
}

int16_t TwoResults(const LiveResultRow** rows) {
    static const LiveResultRow results[3] = {{4, 5, 2, 1}, {-1, -1, 0, 0}, {6, 7, 0, 3}};
    *rows = results;
    return 3;
}

TEST_F(NewsTest, ResultsTickerReadsTheLiveRows) {
    BuildResultsTicker();
    EXPECT_STREQ(NewsTickerText, "       ");
    NameClub(4, "Aldmoor");
    NameClub(5, "Brenfield");
    NameClub(6, "Corwick");
    NameClub(7, "Dunstall");
    CoreHooks hooks;
    hooks.liveResults = TwoResults;
    CoreSetHooks(hooks);
    BuildResultsTicker();
    EXPECT_STREQ(NewsTickerText, "Aldmoor 2 - 1  Brenfield........Corwick 0 - 3  Dunstall........       ");
}

}  // namespace
