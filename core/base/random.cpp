#include "core/base/random.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

constexpr uint32_t kMultiplier = 214013u;
constexpr uint32_t kIncrement = 2531011u;
constexpr int kLanes = 8;
// Where the host has them, four groups of eight chains side by side in
// wide registers.
constexpr int kWideLanes = 32;

// The state k steps on is multiplier x state + increment.
struct Jump {
    uint32_t multiplier, increment;
};
constexpr Jump JumpOf(int steps) {
    Jump jump{1, 0};
    for (int i = 0; i < steps; ++i)
        jump = {jump.multiplier * kMultiplier, jump.increment * kMultiplier + kIncrement};
    return jump;
}

// The jumps of lanes 1..kWideLanes from the block's starting state.
struct LaneJumps {
    Jump lane[kWideLanes];
};
constexpr LaneJumps MakeLaneJumps() {
    LaneJumps jumps{};
    for (int k = 0; k < kWideLanes; ++k) jumps.lane[k] = JumpOf(k + 1);
    return jumps;
}
constexpr LaneJumps kLaneJumps = MakeLaneJumps();

int Draw(uint32_t state) { return int((state >> 16) & 0x7FFF); }

bool InSet(const uint64_t* set, uint32_t value) { return ((set[value >> 6] >> (value & 63)) & 1) != 0; }

// The landing on a draw found `drawn` draws after `start`: the generator
// goes back there and draws up to it one more time.
GameRandomLanding LandAt(uint32_t start, int32_t drawn, uint32_t span, uint32_t offset) {
    GameRandomStateWord = start;
    GameRandomSkip(uint32_t(drawn - 1));
    const uint32_t draw = uint32_t(GameRandom());
    return {drawn, int32_t(offset + (span > GAME_RAND_MAX ? draw : draw % span))};
}

GameRandomLanding NoLanding(uint32_t start, int32_t tries) {
    GameRandomStateWord = start;
    GameRandomSkip(uint32_t(tries));
    return {tries, -1};
}

}  // namespace

void GameSeedRandom(uint32_t seed) { GameRandomStateWord = seed; }

uint32_t GameRandomState() { return GameRandomStateWord; }
void GameSetRandomState(uint32_t state) { GameRandomStateWord = state; }

void GameRandomSkip(uint32_t n) {
    // The jump of 2^k steps squared is the jump of 2^(k+1): compose the
    // jumps of n's bits.
    Jump power{kMultiplier, kIncrement}, total{1, 0};
    for (; n != 0; n >>= 1) {
        if ((n & 1) != 0)
            total = {total.multiplier * power.multiplier,
                     total.increment * power.multiplier + power.increment};
        power = {power.multiplier * power.multiplier, power.increment * power.multiplier + power.increment};
    }
    GameRandomStateWord = total.multiplier * GameRandomStateWord + total.increment;
}

namespace {

// Eight independent chains, each stepping eight draws at a time.
void FillBlockNarrow(uint16_t* out, int n) {
    uint32_t state = GameRandomStateWord;
    int i = 0;
    if (n >= kLanes) {
        uint32_t lane[kLanes];
        for (int k = 0; k < kLanes; ++k) {
            lane[k] = kLaneJumps.lane[k].multiplier * state + kLaneJumps.lane[k].increment;
        }
        constexpr Jump kStep = JumpOf(kLanes);
        for (; i + kLanes <= n; i += kLanes) {
            for (int k = 0; k < kLanes; ++k) out[i + k] = uint16_t(Draw(lane[k]));
            state = lane[kLanes - 1];
            for (uint32_t& s : lane) s = kStep.multiplier * s + kStep.increment;
        }
    }
    for (; i < n; ++i) {
        state = state * kMultiplier + kIncrement;
        out[i] = uint16_t(Draw(state));
    }
    GameRandomStateWord = state;
}

#if defined(__x86_64__)
// Eight chains a register, four registers stepped in turn so that one
// multiply's latency hides behind the others.
using EightWords = uint32_t __attribute__((vector_size(32)));
using EightDraws = uint16_t __attribute__((vector_size(16)));
constexpr int kGroups = kWideLanes / 8;

// Lane k holds the state of the (k + 1)th draw from `start`.
__attribute__((target("avx2"))) void StartWideLanes(uint32_t start, EightWords lane[kGroups]) {
    for (int k = 0; k < kWideLanes; ++k) {
        const Jump& jump = kLaneJumps.lane[k];
        lane[k / 8][k % 8] = jump.multiplier * start + jump.increment;
    }
}

__attribute__((target("avx2"))) void FillBlockWide(uint16_t* out, int n) {
    const uint32_t start = GameRandomStateWord;
    EightWords lane[kGroups];
    StartWideLanes(start, lane);
    constexpr Jump kStep = JumpOf(kWideLanes);
    int i = 0;
    for (; i + kWideLanes <= n; i += kWideLanes) {
        for (int g = 0; g < kGroups; ++g) {
            const EightDraws draws = __builtin_convertvector(lane[g] >> 16 & 0x7FFF, EightDraws);
            std::memcpy(out + i + 8 * g, &draws, sizeof draws);
            lane[g] = kStep.multiplier * lane[g] + kStep.increment;
        }
    }
    // The lanes stand one to kWideLanes draws past out[i - 1].
    for (int k = 0; i + k < n; ++k) out[i + k] = uint16_t(Draw(lane[k / 8][k % 8]));
    GameRandomStateWord = start;
    GameRandomSkip(uint32_t(n));
}

bool HasWideRegisters() {
    static const bool wide = __builtin_cpu_supports("avx2");
    return wide;
}

// Thirty-two draws a step, each looked up in the set by a gather of the
// 32-bit word that holds its bit.  Only for spans above GAME_RAND_MAX,
// where a draw stands for offset + d as it is.
__attribute__((target("avx2"))) GameRandomLanding DrawIntoSetWide(int32_t tries, uint32_t offset,
                                                                  const uint64_t* set) {
    const uint32_t start = GameRandomStateWord;
    EightWords lane[kGroups];
    StartWideLanes(start, lane);
    constexpr Jump kStep = JumpOf(kWideLanes);
    const int* words = reinterpret_cast<const int*>(set);
    for (int32_t done = 0; done < tries; done += kWideLanes) {
        uint32_t landed = 0;  // bit k: draw done + k
        for (int g = 0; g < kGroups; ++g) {
            const EightWords value = (lane[g] >> 16 & 0x7FFF) + offset;
            EightWords word;
            const __m256i gathered = _mm256_i32gather_epi32(words, __m256i(value >> 5), 4);
            std::memcpy(&word, &gathered, sizeof word);
            const EightWords bit = (word >> (value & 31)) << 31;
            __m256 bits;
            std::memcpy(&bits, &bit, sizeof bits);
            landed |= uint32_t(_mm256_movemask_ps(bits)) << (8 * g);
            lane[g] = kStep.multiplier * lane[g] + kStep.increment;
        }
        const int32_t left = tries - done;
        if (left < kWideLanes) landed &= (uint32_t(1) << left) - 1;
        if (landed != 0) return LandAt(start, done + __builtin_ctz(landed) + 1, GAME_RAND_MAX + 1u, offset);
    }
    return NoLanding(start, tries);
}
#else
void FillBlockWide(uint16_t* out, int n) { FillBlockNarrow(out, n); }
bool HasWideRegisters() { return false; }
#endif

}  // namespace

void GameRandomBlock(uint16_t* out, int n) {
    if (n <= 0) return;
    if (HasWideRegisters())
        FillBlockWide(out, n);
    else
        FillBlockNarrow(out, n);
}

void GameRandomBlockNarrow(uint16_t* out, int n) {
    if (n > 0) FillBlockNarrow(out, n);
}

GameRandomLanding GameRandomDrawIntoSetNarrow(int32_t tries, uint32_t span, uint32_t offset,
                                              const uint64_t* set) {
    if (tries <= 0 || span == 0) return {0, -1};
    constexpr int kBlock = 512;
    uint16_t block[kBlock];
    const uint32_t start = GameRandomStateWord;
    const bool whole = span > GAME_RAND_MAX;
    // The remainder by the span by multiplication: for 32-bit numbers
    // ((m * a) mod 2^64) * span / 2^64 with m = 2^64 / span rounded up is
    // exactly a % span.
    const uint64_t inverse = whole ? 0 : ~uint64_t(0) / span + 1;
    const auto remainder = [&](uint32_t a) {
        return uint32_t((unsigned __int128)(inverse * a) * span >> 64);
    };
    for (int32_t done = 0; done < tries; done += kBlock) {
        const int n = int(std::min<int32_t>(kBlock, tries - done));
        FillBlockNarrow(block, n);
        for (int j = 0; j < n; ++j) {
            if (InSet(set, offset + (whole ? block[j] : remainder(block[j]))))
                return LandAt(start, done + j + 1, span, offset);
        }
    }
    return NoLanding(start, tries);
}

GameRandomLanding GameRandomDrawIntoSet(int32_t tries, uint32_t span, uint32_t offset, const uint64_t* set) {
#if defined(__x86_64__)
    if (tries > 0 && span > GAME_RAND_MAX && HasWideRegisters()) return DrawIntoSetWide(tries, offset, set);
#endif
    return GameRandomDrawIntoSetNarrow(tries, span, offset, set);
}
