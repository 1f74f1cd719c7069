// Honour sentences, code and injury texts, archived messages, and the
// texts of roles and places in a tactic.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>

#include "core/base/bytes.h"
#include "core/club/tactics.h"
#include "core/query/codetexts.h"
#include "core/season/messages.h"
#include "tests/fakes/test_util.h"
#include "tests/fakes/text_env.h"

namespace {

class HonourTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::map<int, std::string> texts = {{1466, "Winners:"}, {1467, "Runners-up:"}, {1471, "Manager"},
                                            {1472, "Player"},   {1473, "Top Scorer"},  {115, "Shield"}};
        for (int id : {104, 110, 148, 149, 1738, 1984}) texts[id] = "T" + std::to_string(id);
        testenv::LoadTexts(texts);
    }
    void TearDown() override { testenv::UnloadTexts(); }
};
using HonourTextDeathTest = HonourTextTest;

TEST_F(HonourTextTest, Sentences) {
    EXPECT_STREQ(HVW_GetHonourEventText(1, 2), "Winners: T1738");
    EXPECT_STREQ(HVW_GetHonourEventText(22, 0), "Runners-up: T110");
    EXPECT_STREQ(HVW_GetHonourEventText(9, 0), "Winners: T104");
    EXPECT_STREQ(HVW_GetHonourEventText(8, 2), "Runners-up: ");  // an empty text
    EXPECT_STREQ(HVW_GetHonourEventText(8, 0), "Runners-up: T148");
    EXPECT_STREQ(HVW_GetHonourEventText(23, 5), "Winners: Shield");
    EXPECT_STREQ(HVW_GetHonourEventText(24, 0), "Manager");
    EXPECT_STREQ(HVW_GetHonourEventText(26, 3), "Top Scorer");
    EXPECT_STREQ(HVW_GetHonourEventText(27, 3), "Top Scorer");
    EXPECT_STREQ(HVW_GetHonourEventText(28, 0), "Winners: T149");
    EXPECT_STREQ(HVW_GetHonourEventText(31, 7), "Runners-up: T1984");
    // Country 8 has no row: lines that need one are empty, the rest stand.
    EXPECT_STREQ(HVW_GetHonourEventText(1, 8), "");
    EXPECT_STREQ(HVW_GetHonourEventText(25, 8), "Player");
}

TEST_F(HonourTextDeathTest, OutOfRangeIsFatal) {
    EXPECT_FATAL(HVW_GetHonourEventText(0, 0), "Boom! 0 is an illegal honour event no.");
    EXPECT_FATAL(HVW_GetHonourEventText(32, 0), "Boom! 32 is an illegal");
    EXPECT_FATAL(HVW_GetCode12TextId(12), "Boom. 12 isn't quite the number we wanted passed in, is it\\?");
    EXPECT_FATAL(HVW_GetInjuryTextId(0), "Boom. 0 That's an illegal value for an injury");
    EXPECT_FATAL(HVW_GetInjuryTextId(38), "Boom. 38 That's");
    EXPECT_FATAL(HVW_GetRoleText(7), "in funcs.c HVW_GetRoleText Error");
}

TEST(FuncsTextIds, CodesInjuriesAndRoles) {
    EXPECT_EQ(HVW_GetCode12TextId(0), 9);
    EXPECT_EQ(HVW_GetCode12TextId(11), 20);
    EXPECT_EQ(HVW_GetInjuryTextId(1), 200);
    EXPECT_EQ(HVW_GetInjuryTextId(37), 236);
    EXPECT_EQ(HVW_GetRoleText(6), 989);
}

TEST(TeamTalk, FieldsComeBackInRecordOrder) {
    MessageRecord saved = MessageArchive[1199][99];
    uint8_t* r = MessageArchive[1199][99].bytes;
    for (int i = 0; i < 38; ++i) r[i] = uint8_t(0x10 + i);
    r[36] = 0xFE;  // -2
    r[37] = 1;     // the read flag
    int16_t clubA, clubB, w1, w2, t1, t2, day, extra;
    int32_t pA, pB, amount, n1, n2;
    const int16_t type = HVW_GetTeamTalkMessage(1199, 99, &clubA, &clubB, &pA, &pB, &w1, &w2, &amount, &t1,
                                                &t2, &n1, &n2, &day, &extra);
    EXPECT_EQ(clubA, 0x1110);
    EXPECT_EQ(clubB, 0x1312);
    EXPECT_EQ(pA, 0x17161514);
    EXPECT_EQ(pB, 0x1B1A1918);
    EXPECT_EQ(w1, 0x1D1C);
    EXPECT_EQ(w2, 0x1F1E);
    EXPECT_EQ(amount, 0x23222120);
    EXPECT_EQ(t1, 0x2524);
    EXPECT_EQ(t2, 0x2726);
    EXPECT_EQ(n1, 0x2B2A2928);
    EXPECT_EQ(n2, 0x2F2E2D2C);
    EXPECT_EQ(type, 0x3130);
    EXPECT_EQ(day, 0x3332);
    EXPECT_EQ(extra, -2);
    MessageArchive[1199][99] = saved;
}

TEST(TeamTalkDeathTest, BadClubOrSlot) {
    int16_t s;
    int32_t l;
    EXPECT_FATAL(HVW_GetTeamTalkMessage(1200, 0, &s, &s, &l, &l, &s, &s, &l, &s, &s, &l, &l, &s, &s),
                 "Invalid Team in HVW_GetTeamTalkMessage\\(\\) funcs.c");
    EXPECT_FATAL(HVW_GetTeamTalkMessage(0, 100, &s, &s, &l, &l, &s, &s, &l, &s, &s, &l, &l, &s, &s),
                 "Invalid Message in HVW_GetTeamTalkMessage\\(\\) funcs.c");
}

// ---------------------------------------------------------------------------

class TacticTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memset(&CustomTacticTableA, 0, sizeof CustomTacticTableA);
        std::memset(&CustomTacticTableB, 0, sizeof CustomTacticTableB);
        CurrentTacticA = 10;
        CurrentTacticB = 11;
    }
    // Places slots 1-10 of custom tactic 10 of side A (or 11 of side B);
    // slots not given stand at x 7, y 12 (a central forward).
    static void Place(std::initializer_list<std::pair<int, int>> slots, bool sideB = false) {
        TacticRecord* t = sideB ? GetTacticRecordB(11) : GetTacticRecordA(10);
        for (int s = 1; s <= 10; ++s) Put(t, s, 7, 12);
        int s = 1;
        for (auto [x, y] : slots) Put(t, s++, x, y);
    }
    static void Put(TacticRecord* t, int slot, int x, int y) {
        recbits::StoreU16(t->bytes + slot * 30 + 5, uint16_t(x));
        recbits::StoreU16(t->bytes + slot * 30 + 7, uint16_t(y));
    }
};
using TacticTextDeathTest = TacticTextTest;

TEST_F(TacticTextTest, BackFourWithAndWithoutWideMen) {
    Place({{1, 2}, {5, 2}, {9, 2}, {13, 2}, {1, 7}, {13, 7}});
    EXPECT_EQ(GetTacticPosText(1, 0), 2801);
    EXPECT_EQ(GetTacticPosText(2, 0), 2803);
    EXPECT_EQ(GetTacticPosText(3, 0), 2803);
    EXPECT_EQ(GetTacticPosText(4, 0), 2802);
    EXPECT_EQ(GetTacticPosText(5, 0), 2811);  // another slot stands at x 0-2
    EXPECT_EQ(GetTacticPosText(6, 0), 2812);

    Place({{1, 2}, {5, 2}, {9, 2}, {13, 2}});
    EXPECT_EQ(GetTacticPosText(1, 0), 2805);
    EXPECT_EQ(GetTacticPosText(4, 0), 2806);

    // A lone wide midfielder, with nobody else out wide.
    Place({{0, 8}, {14, 8}, {5, 2}, {9, 2}});
    EXPECT_EQ(GetTacticPosText(1, 0), 2805);
    EXPECT_EQ(GetTacticPosText(2, 0), 2806);
}

TEST_F(TacticTextTest, CentreBacksByDepth) {
    Place({{5, 1}, {7, 3}, {9, 5}});
    EXPECT_EQ(GetTacticPosText(1, 0), 2804);
    EXPECT_EQ(GetTacticPosText(2, 0), 2803);
    EXPECT_EQ(GetTacticPosText(3, 0), 2813);
}

TEST_F(TacticTextTest, MidfieldAttackAndSides) {
    Place({{4, 11}, {10, 12}, {2, 8}, {12, 9}, {0, 15}, {16, 15}, {3, 3}, {11, 4}});
    EXPECT_EQ(GetTacticPosText(1, 0), 2807);  // y 11 in the centre is midfield
    EXPECT_EQ(GetTacticPosText(2, 0), 2810);
    EXPECT_EQ(GetTacticPosText(3, 0), 2809);
    EXPECT_EQ(GetTacticPosText(4, 0), 2808);
    EXPECT_EQ(GetTacticPosText(5, 0), 2811);
    EXPECT_EQ(GetTacticPosText(6, 0), 2812);
    EXPECT_EQ(GetTacticPosText(7, 0), 2801);
    EXPECT_EQ(GetTacticPosText(8, 0), 2802);
}

TEST_F(TacticTextTest, SidesAndFixedSlots) {
    Place({{13, 2}}, true);
    Place({{1, 2}});
    EXPECT_EQ(GetTacticPosText(1, 1), 2806);  // side B's tactic
    EXPECT_EQ(GetTacticPosText(1, 0), 2805);
    EXPECT_EQ(GetTacticPosText(1, 7), 2805);  // any side but 1 is side A
    EXPECT_EQ(GetTacticPosText(-1, 0), -1);
    EXPECT_EQ(GetTacticPosText(0, 0), 2800);
    EXPECT_EQ(GetTacticPosText(11, 0), 2814);
    EXPECT_EQ(GetTacticPosText(12, 0), 2815);
    // A preset: preset 0 has a back three at y 4 and wide men at y 6.
    CurrentTacticA = 0;
    EXPECT_EQ(GetTacticPosText(1, 0), 2803);
    EXPECT_EQ(GetTacticPosText(4, 0), 2809);
    EXPECT_EQ(GetTacticPosText(5, 0), 2808);
}

TEST_F(TacticTextDeathTest, UnplacedSlotIsFatal) {
    Place({{15, 3}});
    EXPECT_FATAL(GetTacticPosText(1, 0), "ERROR:GetTacticPosText\\(\\) update this please!");
    Place({{7, 18}});
    EXPECT_FATAL(GetTacticPosText(1, 0), "ERROR:GetTacticPosText");
}

}  // namespace
