#include "core/season/cuprounds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CupRoundRulesTest, EveryShippedCupPlaysOutOnPaper) {
    EXPECT_STREQ(CheckCupRoundRules(CupRoundRules), "");
}

void SetByte(CupRoundRuleTable& t, int n, int k, int r, int byte, int value) {
    t.bytes[n][k][r][byte] = uint8_t(value);
}

TEST(CupRoundRulesTest, BrokenTablesAreRefused) {
    auto broken = [](auto change) {
        CupRoundRuleTable t = CupRoundRules;
        change(t);
        return std::string(CheckCupRoundRules(t));
    };
    EXPECT_EQ(broken([](CupRoundRuleTable& t) { SetByte(t, 0, 0, 1, kCupClubsThrough, 38); }),
              "the clubs coming through are not the winners");
    EXPECT_EQ(broken([](CupRoundRuleTable& t) { SetByte(t, 0, 0, 0, kCupEntryStart, 43); }),
              "a knock-out round has an odd number of clubs");
    EXPECT_EQ(broken([](CupRoundRuleTable& t) { SetByte(t, 0, 0, 3, kCupSecondShootOut, 0); }),
              "a replay does not settle the tie");
    EXPECT_EQ(broken([](CupRoundRuleTable& t) { SetByte(t, 0, 4, 2, kCupSecondShootOut, 0); }),
              "a second leg does not settle the tie");
    EXPECT_EQ(broken([](CupRoundRuleTable& t) { SetByte(t, 5, 0, 0, kCupEntryEnd, 40); }),
              "an entry window lies outside the club order");
    EXPECT_EQ(broken([](CupRoundRuleTable& t) { SetByte(t, 0, 2, 2, kCupSubstitutes, 3); }),
              "a round allows other than 5 substitutes");
    EXPECT_EQ(broken([](CupRoundRuleTable& t) { SetByte(t, 4, 0, 0, kCupSubstitutes, 5); }),
              "a cup the nation lacks is set");
    EXPECT_EQ(broken([](CupRoundRuleTable& t) { SetByte(t, 0, 0, 7, kCupNeutral, 0); }),
              "nation 0's last two cup rounds are not on neutral ground");
    EXPECT_EQ(broken([](CupRoundRuleTable& t) { SetByte(t, 0, 6, 1, kCupDrawDay, 90); }),
              "a round is drawn before the last round's matches");
}

}  // namespace
