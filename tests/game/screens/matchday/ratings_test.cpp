// The rating pass over kept matches built from the game's generator: the
// places of every category run 1..n without a repeat among the listed
// players and goalkeepers have none, at most seven comments a player, the
// joined text within 800 characters; two players level on the best star
// score get the shared opening; the one-sentence lists; the comment text
// joined with a blank after each.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "core/base/bytes.h"
#include "core/base/random.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "game/screens/matchday/lastmatch.h"
#include "game/screens/matchday/playerreport.h"
#include "game/screens/matchday/ratings.h"

namespace {

uint8_t* Entry(LastMatchCopy& copy, int team, int player) {
    return copy.result.teams[team].bytes + kReportPlayers + player * kPlayerReportSize;
}

// A match of two sides: eleven starters who play 90 minutes (the first in
// goal), up to three substitutes, counters drawn from the generator.
LastMatchCopy RandomMatch() {
    LastMatchCopy copy{};
    copy.fixture = -1;
    copy.referee = -1;
    std::memset(copy.setup.bytes, 0xFF, sizeof copy.setup.bytes);
    copy.setup.SetTeamU8(0, gameinfo::kHumanManaged, 1);
    for (int team = 0; team < 2; ++team) {
        recbits::StoreU16(copy.result.teams[team].bytes + kReportGoals, uint16_t(GameRandom() % 4));
        for (int p = 0; p < 16; ++p) {
            uint8_t* e = Entry(copy, team, p);
            const bool starter = p < 11;
            const bool sub = p >= 11 && p < 14 && GameRandom() % 2 == 0;
            if (!starter && !sub) continue;
            recbits::StoreU16(e + kPlayerNumber, uint16_t(1 + team * 16 + p));
            recbits::StoreU16(e + kPlayerRating, uint16_t(10 + GameRandom() % 90));
            recbits::StoreU16(e + kPlayerGoals, uint16_t(GameRandom() % 8 == 0 ? 1 + GameRandom() % 3 : 0));
            recbits::StoreU16(e + kPlayerCards, uint16_t(GameRandom() % 10 == 0 ? GameRandom() % 4 : 0));
            recbits::StoreU16(e + kStatsValueW, uint16_t(GameRandom() % 100));
            for (int at = 14; at < 127; ++at)
                if (at != kStatsValueW && at != kStatsValueW + 1) e[at] = uint8_t(GameRandom() % 6);
            e[kStatsStartMinute] = uint8_t(starter ? 0 : 30 + GameRandom() % 60);
            e[kStatsEndMinute] = 90;
            recbits::StoreU16(e + kStatsKeeperFlags, p == 0 ? 1 : 0);
            e[kStatsOutfieldFlags] = p == 0 ? 0 : 1;
        }
    }
    return copy;
}

class RatingsTest : public ::testing::Test {
  protected:
    void SetUp() override { kept_ = GameRandomStateWord; }
    void TearDown() override {
        GameRandomStateWord = kept_;
        LastMatch_Forget();
    }
    uint32_t kept_ = 0;
};

TEST_F(RatingsTest, PlacesCommentsAndTextsHoldOverManyMatches) {
    GameRandomStateWord = 77;
    for (int match = 0; match < 60; ++match) {
        LastMatch_Set(RandomMatch());
        const int16_t team = int16_t(match % 2);
        Ratings_RunPass(-1, team);
        ASSERT_EQ(Ratings_CommentedTeam(), team);
        for (int c = 0; c < kRatingCategories; ++c) {
            std::set<int> places;
            for (int t = 0; t < 2; ++t)
                for (int p = 0; p < 16; ++p) {
                    const int place = PlayerMatchRatings[t][p].place[c];
                    const uint8_t* e = LastMatch_PlayerReport(t, p);
                    if (!report::IsOutfield(e)) {
                        EXPECT_EQ(place, 0) << "keeper, match " << match << " category " << c;
                        continue;
                    }
                    if (place == 0) continue;
                    EXPECT_TRUE(places.insert(place).second)
                        << "repeat, match " << match << " category " << c;
                    EXPECT_LE(place, 32);
                }
        }
        for (int p = 0; p < 16; ++p) {
            int used = 0;
            for (int s = 0; s < kCommentSlots; ++s) used += RatingChoices[p][s] != -1;
            EXPECT_LE(used, 7);
            EXPECT_EQ(RatingChoices[p][7], -1);
            if (report::Rating(LastMatch_PlayerReport(team, p)) == 0) {
                EXPECT_EQ(used, 0);
            }
            for (int s = 0; s < kCommentSlots; ++s) {
                if (RatingChoices[p][s] != -1) {
                    EXPECT_STRNE(Ratings_GetCommentText(RatingChoices[p][s]), "");
                }
            }
            Ratings_BuildCommentText(int16_t(p));
            EXPECT_LE(std::strlen(RatingCommentText), size_t(kCommentTextMax));
        }
    }
}

TEST_F(RatingsTest, TwoPlayersLevelOnTheBestStarScoreGetTheSharedOpening) {
    LastMatchCopy copy = RandomMatch();
    // Everybody's counters 0 but for players 5 and 6 of the commented team,
    // who share the first two places of the eight categories with a key
    // (no goals: category 7 lists neither): four firsts and four seconds
    // each, 40 points both.
    for (int t = 0; t < 2; ++t)
        for (int p = 0; p < 16; ++p) std::memset(Entry(copy, t, p) + 14, 0, 127 - 14);
    for (int p : {5, 6}) {
        uint8_t* e = Entry(copy, 0, p);
        for (int at = 23; at < 127; ++at) e[at] = 200;
        recbits::StoreU16(e + kStatsRelativeScoreA, 200);
        recbits::StoreU16(e + kStatsRelativeScoreC, 200);
        e[kStatsGoals] = 0;
        e[kStatsGoalsScored] = 0;
        e[kStatsAssists] = 0;
        recbits::StoreU16(e + kPlayerGoals, 0);
        recbits::StoreU16(e + kPlayerRating, 90);
        recbits::StoreU16(e + kPlayerNumber, uint16_t(300 + p));
    }
    uint8_t* five = Entry(copy, 0, 5);
    uint8_t* six = Entry(copy, 0, 6);
    recbits::StoreU16(five + kStatsValueW, 500);  // category 0: five
    recbits::StoreU16(six + kStatsValueW, 499);
    six[kStatsTacklesWon] = 201;                          // category 1: six
    six[kStatsIntercepts] = 210;                          // category 2: six
    recbits::StoreU16(five + kStatsRelativeScoreB, 500);  // category 3: five
    recbits::StoreU16(six + kStatsRelativeScoreB, 499);
    six[kStatsMenBeaten] = 201;        // category 4: six
    six[kStatsCrossesLost] = 210;      // category 5: five
    six[kStatsShortPassesLost] = 100;  // category 6: six
    six[kStatsLongPassesLost] = 100;
    five[kStatsShotsOnTarget] = 201;  // category 8: five
    LastMatch_Set(copy);
    GameRandomStateWord = 5;
    Ratings_RunPass(-1, 0);
    for (int p : {5, 6}) {
        const int16_t opening = RatingChoices[p][0];
        ASSERT_NE(opening, -1) << p;
        EXPECT_TRUE(opening >= 20 && opening <= 29) << "player " << p << " got " << opening;
    }
}

TEST_F(RatingsTest, ListsAndTheirSentences) {
    GameRandomStateWord = 9;
    for (int round = 0; round < 20; ++round) {
        EXPECT_EQ(Ratings_PickFromList(35), 330);
        EXPECT_EQ(Ratings_PickFromList(42), 386);
        EXPECT_EQ(Ratings_PickFromList(47), 415);
    }
    EXPECT_STREQ(Ratings_GetCommentText(330), "Will be pleased with that clean sheet.");
    EXPECT_STREQ(Ratings_GetCommentText(240), "Derserved his booking.");
    EXPECT_STREQ(Ratings_GetCommentText(15), "");
    EXPECT_EQ(Ratings_PickFromList(-1), -1);
    EXPECT_EQ(Ratings_PickFromList(55), -1);
    // Every member of every list has a sentence; 226 slots hold one.
    int sentences = 0;
    for (int16_t slot = 0; slot < kCommentStoreSlots; ++slot)
        sentences += Ratings_GetCommentText(slot)[0] != 0;
    EXPECT_EQ(sentences, 226);
    for (int16_t list = 0; list < kCommentLists; ++list) {
        ASSERT_GT(Ratings_ListSize(list), 0) << list;
        for (int round = 0; round < 12; ++round) {
            const int16_t member = Ratings_PickFromList(list);
            EXPECT_STRNE(Ratings_GetCommentText(member), "") << "list " << list << " member " << member;
        }
    }
}

TEST_F(RatingsTest, TheTextJoinsTheChosenSentencesEachWithABlank) {
    LastMatch_Set(RandomMatch());
    Ratings_RunPass(-1, 0);
    // Seven of the longest sentence: the store's sentences never reach 800
    // characters together.
    for (int s = 0; s < 7; ++s) RatingChoices[3][s] = int16_t(430);  // 65 characters
    Ratings_BuildCommentText(3);
    const std::string one = std::string(Ratings_GetCommentText(430)) + " ";
    EXPECT_EQ(std::string(RatingCommentText), one + one + one + one + one + one + one);
    for (int s = 0; s < 7; ++s) RatingChoices[4][s] = -1;
    Ratings_BuildCommentText(4);
    EXPECT_STREQ(RatingCommentText, "");
}

TEST_F(RatingsTest, TheShootingKeyAndTheKeeperComments) {
    LastMatchCopy copy = RandomMatch();
    uint8_t* e = Entry(copy, 0, 7);
    std::memset(e + 14, 0, 127 - 14 + 12);
    recbits::StoreU16(e + kPlayerGoals, 2);
    e[kStatsShotsOnTarget] = 3;
    e[kStatsMenBeaten] = 4;
    EXPECT_EQ(Ratings_ShootingKey(e), 8 * 2 + 3 * 3 + 4);
    // Goals from the spot and from a free kick count twice more, a missed
    // penalty twice less.
    e[kStatsPenaltyGoals] = 1;
    e[kStatsFreeKickGoals] = 1;
    e[kStatsPenaltiesMissed] = 1;
    EXPECT_EQ(Ratings_ShootingKey(e), 8 * 2 + 3 * 3 + 4 + 2 * 2 - 2);
    // The home keeper, a clean sheet over 90 minutes: the clean-sheet
    // sentence.
    recbits::StoreU16(copy.result.teams[1].bytes + kReportGoals, 0);
    LastMatch_Set(copy);
    Ratings_RunPass(-1, 0);
    const auto keeperSaid = [](int first, int last) {
        bool said = false;
        for (int s = 0; s < kCommentSlots; ++s)
            said |= RatingChoices[0][s] >= first && RatingChoices[0][s] <= last;
        return said;
    };
    EXPECT_TRUE(keeperSaid(330, 330));
    // With a goal against, a penalty he saved is what is said of him.
    recbits::StoreU16(copy.result.teams[1].bytes + kReportGoals, 1);
    Entry(copy, 0, 0)[kStatsPenaltySaves] = 1;
    LastMatch_Set(copy);
    Ratings_RunPass(-1, 0);
    EXPECT_TRUE(keeperSaid(320, 321));
    Entry(copy, 0, 0)[kStatsPenaltySaves] = 0;
    LastMatch_Set(copy);
    Ratings_RunPass(-1, 0);
    EXPECT_FALSE(keeperSaid(320, 321));
}

// Dribbling, crossing and passing earn a comment for the first four places
// only; and a substitute's four grades are worked out like everybody's, even
// though his comment from them is the one for too little time on the pitch.
TEST_F(RatingsTest, PassingCommentsTakeTheFirstFourPlacesAndEveryPlayerIsGraded) {
    LastMatchCopy copy = RandomMatch();
    for (int t = 0; t < 2; ++t)
        for (int p = 0; p < 16; ++p) {
            uint8_t* e = Entry(copy, t, p);
            std::memset(e + 14, 0, 127 - 14);
            recbits::StoreU16(e + kPlayerGoals, 0);
            recbits::StoreU16(e + kPlayerCards, 0);
            recbits::StoreU16(e + kStatsValueW, 0);
        }
    // Players 1 to 5 of the first team beat 10, 9, 8, 7 and 6 men: places 1
    // to 5 of the dribbling ranking.
    for (int p = 1; p <= 5; ++p) Entry(copy, 0, p)[kStatsMenBeaten] = uint8_t(11 - p);
    // Shirt 12 came on in the 70th minute and played.
    uint8_t* sub = Entry(copy, 0, 11);
    recbits::StoreU16(sub + kPlayerNumber, 400);
    recbits::StoreU16(sub + kPlayerRating, 50);
    sub[kStatsStartMinute] = 70;
    sub[kStatsEndMinute] = 90;
    sub[kStatsOutfieldFlags] = 1;
    LastMatch_Set(copy);
    for (auto& team : PlayerMatchRatings)
        for (auto& player : team) player.grades[0] = player.grades[1] = 0;
    GameRandomStateWord = 3;
    Ratings_RunPass(-1, 0);
    const auto dribblingSaid = [](int player) {
        bool said = false;
        for (int s = 0; s < kCommentSlots; ++s)
            said |= RatingChoices[player][s] >= 435 && RatingChoices[player][s] <= 439;
        return said;
    };
    ASSERT_EQ(PlayerMatchRatings[0][4].place[4], 4);
    ASSERT_EQ(PlayerMatchRatings[0][5].place[4], 5);
    EXPECT_TRUE(dribblingSaid(4));
    EXPECT_FALSE(dribblingSaid(5));
    EXPECT_NE(PlayerMatchRatings[0][11].grades[0], 0);
    bool shortTime = false;
    for (int s = 0; s < kCommentSlots; ++s)
        shortTime |= RatingChoices[11][s] >= 210 && RatingChoices[11][s] <= 212;
    EXPECT_TRUE(shortTime);
}

}  // namespace
