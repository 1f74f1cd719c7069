#include "support/random.h"

namespace {

constexpr uint32_t kMultiplier = 214013u;
constexpr uint32_t kIncrement = 2531011u;
constexpr int kLanes = 8;

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

// The jumps of lanes 1..8 from the block's starting state.
struct LaneJumps {
    Jump lane[kLanes];
};
constexpr LaneJumps MakeLaneJumps() {
    LaneJumps jumps{};
    for (int k = 0; k < kLanes; ++k) jumps.lane[k] = JumpOf(k + 1);
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

// The block's draws as the type the caller keeps them in.
template <class Out>
void FillBlock(Out* out, int n) {
    uint32_t state = GameRandomStateWord;
    int i = 0;
    if (n >= kLanes) {
        // Eight independent chains, each stepping eight draws at a time.
        uint32_t lane[kLanes];
        for (int k = 0; k < kLanes; ++k) {
            lane[k] = kLaneJumps.lane[k].multiplier * state + kLaneJumps.lane[k].increment;
        }
        constexpr Jump kStep = JumpOf(kLanes);
        for (; i + kLanes <= n; i += kLanes) {
            for (int k = 0; k < kLanes; ++k) out[i + k] = Out(Draw(lane[k]));
            state = lane[kLanes - 1];
            for (uint32_t& s : lane) s = kStep.multiplier * s + kStep.increment;
        }
    }
    for (; i < n; ++i) {
        state = state * kMultiplier + kIncrement;
        out[i] = Out(Draw(state));
    }
    GameRandomStateWord = state;
}

}  // namespace

void GameRandomBlock(int* out, int n) { FillBlock(out, n); }
void GameRandomBlock(uint16_t* out, int n) { FillBlock(out, n); }
