#include <gtest/gtest.h>

#include <vector>

#include "core/base/random.h"

namespace {

// Blocks give the single draws and leave the generator where they would,
// whichever way they are filled.
void ExpectBlocksEqualSingleDraws(void (*fill)(uint16_t*, int)) {
    for (uint32_t seed : {0u, 1u, 12345u, 0xFFFFFFFFu}) {
        for (int n : {0, 1, 7, 8, 9, 16, 31, 32, 33, 72, 100, 1024}) {
            GameSeedRandom(seed);
            std::vector<int> single(size_t(n) + 1);
            for (int& v : single) v = GameRandom();
            const uint32_t after = GameRandomState();

            GameSeedRandom(seed);
            std::vector<uint16_t> block(size_t(n) + 1);
            fill(block.data(), n);
            block[size_t(n)] = uint16_t(GameRandom());  // the generator went on from the right place
            EXPECT_EQ(std::vector<int>(block.begin(), block.end()), single) << seed << " " << n;
            EXPECT_EQ(GameRandomState(), after);
        }
    }
}

TEST(GameRandomTest, BlockDrawsAreTheSequenceOfSingleDraws) {
    GameSeedRandom(1);
    EXPECT_EQ(GameRandom(), 41);  // the classic generator's first draw from seed 1
    ExpectBlocksEqualSingleDraws(GameRandomBlock);
    ExpectBlocksEqualSingleDraws(GameRandomBlockNarrow);
}

TEST(GameRandomTest, ASkipLeavesTheGeneratorWhereSingleDrawsWould) {
    for (uint32_t seed : {0u, 1u, 12345u, 0xFFFFFFFFu}) {
        for (uint32_t n : {0u, 1u, 2u, 3u, 5u, 64u, 1000u, 45999u}) {
            GameSeedRandom(seed);
            for (uint32_t i = 0; i < n; ++i) GameRandom();
            const int next = GameRandom();
            GameSeedRandom(seed);
            GameRandomSkip(n);
            EXPECT_EQ(GameRandom(), next) << seed << " " << n;
        }
    }
}

}  // namespace
