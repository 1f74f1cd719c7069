#include "core/base/random.h"

#include <cstring>

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

__attribute__((target("avx2"))) void FillBlockWide(uint16_t* out, int n) {
    const uint32_t start = GameRandomStateWord;
    EightWords lane[kGroups];
    for (int k = 0; k < kWideLanes; ++k) {
        const Jump& jump = kLaneJumps.lane[k];
        lane[k / 8][k % 8] = jump.multiplier * start + jump.increment;
    }
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
