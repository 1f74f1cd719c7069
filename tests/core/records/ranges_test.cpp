#include "core/records/ranges.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(Ranges, NumbersOfEveryIntegerTypeAreCheckedAtBothEnds) {
    EXPECT_TRUE(IsClubNumber(0));
    EXPECT_TRUE(IsClubNumber(int16_t(kClubCount - 1)));
    EXPECT_FALSE(IsClubNumber(int16_t(-1)));
    EXPECT_FALSE(IsClubNumber(kClubCount));
    EXPECT_FALSE(IsClubNumber(kNoClub));
    EXPECT_FALSE(IsClubNumber(uint32_t(0xFFFFFFFFu)));
    EXPECT_TRUE(IsCountryNumber(kCountryCount - 1));
    EXPECT_FALSE(IsCountryNumber(kCountryCount));
    EXPECT_FALSE(IsCountryNumber(int16_t(-1)));
    EXPECT_FALSE(IsDivisionNumber(kDivisionCount));
    EXPECT_FALSE(IsCupNumber(-1));
    EXPECT_TRUE(IsNationNumber(kNationCount - 1));
    EXPECT_FALSE(IsNationNumber(kNationCount));
}

TEST(Ranges, PlayerNumbersFollowTheCountInUseAndTheTable) {
    const uint16_t saved = PlayerCount;
    PlayerCount = 10;
    EXPECT_FALSE(IsPlayerNumber(0));
    EXPECT_TRUE(IsPlayerNumber(9));
    EXPECT_FALSE(IsPlayerNumber(10));
    EXPECT_TRUE(IsValidPlayer(9));
    EXPECT_FALSE(IsValidPlayer(10));
    // A count read from a damaged save cannot open rows past the table.
    PlayerCount = uint16_t(kMaxPlayers + 100);
    EXPECT_TRUE(IsPlayerNumber(kMaxPlayers - 1));
    EXPECT_FALSE(IsPlayerNumber(kMaxPlayers));
    PlayerCount = saved;
}

}  // namespace
