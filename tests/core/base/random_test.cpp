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

// Landing in a set gives the draw and the generator's place that drawing
// one at a time does, for sparse and dense sets, landings in every lane of
// a wide step and at the last try, and none at all.
void ExpectLandingsEqualSingleDraws(GameRandomLanding (*draw)(int32_t, uint32_t, uint32_t, const uint64_t*)) {
    for (uint32_t span : {5u, 1000u, 32767u, 32768u, 40000u}) {
        for (int density : {0, 1, 20, 4000}) {
            std::vector<uint64_t> set((span + 3 + 64) / 64 + 1, 0);
            GameSeedRandom(span * 7 + uint32_t(density));
            for (uint32_t v = 3; v < 3 + span; ++v) {
                if (GameRandom() % 4096 < density) set[v >> 6] |= uint64_t(1) << (v & 63);
            }
            for (uint32_t seed : {0u, 99u, 0xFFFFFFFFu}) {
                for (int32_t tries : {1, 31, 32, 33, 5000}) {
                    GameSeedRandom(seed);
                    int32_t drawn = 0, value = -1;
                    while (drawn < tries && value < 0) {
                        const uint32_t d = uint32_t(GameRandom());
                        ++drawn;
                        const uint32_t v = 3 + (span > GAME_RAND_MAX ? d : d % span);
                        if (((set[v >> 6] >> (v & 63)) & 1) != 0) value = int32_t(v);
                    }
                    const uint32_t after = GameRandomState();
                    GameSeedRandom(seed);
                    const GameRandomLanding landing = draw(tries, span, 3, set.data());
                    EXPECT_EQ(landing.drawn, drawn) << span << " " << density << " " << seed << " " << tries;
                    EXPECT_EQ(landing.value, value) << span << " " << density << " " << seed << " " << tries;
                    EXPECT_EQ(GameRandomState(), after);
                }
            }
        }
    }
}

TEST(GameRandomTest, DrawsIntoASetLandWhereSingleDrawsLand) {
    ExpectLandingsEqualSingleDraws(GameRandomDrawIntoSet);
    ExpectLandingsEqualSingleDraws(GameRandomDrawIntoSetNarrow);
}

}  // namespace
